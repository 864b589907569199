// pending.cpp -- routines of later modules, doing nothing until those modules replace them.
#include "pending.h"

void panel_layout_setup(void) {}
void handle_plan(int) {}
void controller_respond(const char*) {}
void LSO_respond(void) {}
void step_flashers(int) {}

void serial_mode_change(int, int) {}
void send_nmea(int) {}
void send_serial_data(int) {}
void manage_das(float, float) {}
void update_panel(void) {}
void update_scenery2(void) {}

void manage_map(void) {}
