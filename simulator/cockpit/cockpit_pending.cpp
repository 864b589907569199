// cockpit_pending.cpp -- the do-nothing stand-ins of cockpit_pending.h.
#include "cockpit_pending.h"

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
