// pending.cpp -- routines of later modules, doing nothing until those modules replace them.
#include "pending.h"

void panel_layout_setup(void) {}
void handle_plan(int) {}
void controller_respond(const char*) {}
void LSO_respond(void) {}
void load_plane_geo(int, int, int) {}

void serial_mode_change(int, int) {}
void send_nmea(int) {}
void send_serial_data(int) {}
void manage_das(float, float) {}
void update_panel(void) {}
void update_scenery2(void) {}

void manage_id_(void) {}
void manage_nam(void) {}
void manage_map(void) {}
void manage_wrl(void) {}
void manage_lat(void) {}
void manage_whr(void) {}
void manage_dat(void) {}
void manage_ser(void) {}
void manage_tim(void) {}
void manage_ogl(void) {}
void manage_spa(void) {}
void manage_atm(void) {}
void manage_gnd(void) {}
void manage_wat(void) {}
void manage_flt(void) {}
void manage_wgt(void) {}
void manage_rel(void) {}
void manage_ins(void) {}
void manage_eqp(void) {}
void manage_snd(void) {}
void manage_wrn(void) {}
void manage_iso(void) {}
void manage_pln(void) {}
