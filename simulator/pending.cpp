// pending.cpp -- routines of later modules, doing nothing until those modules replace them.
#include "pending.h"


void manage_das(float, float) {}
void update_egt(int) {}
void update_tac(int) {}
void update_n1_(int) {}
void update_mpr(int) {}
void update_trq(int) {}
void update_ff_(int) {}
void update_ecam(void) {}
void update_VORandGS(float, float) {}
void update_HSI(float, float) {}
void update_ADF(void) {}
void update_radalt(void) {}
void update_stormscope(void) {}
void update_vari(void) {}
void update_RMI(void) {}
void update_glass(int) {}
void update_GPS(void) {}
void update_DME(void) {}
void update_radio_strip(void) {}

void manage_map(void) {}
