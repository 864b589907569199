// pending.cpp -- routines of later modules, doing nothing until those modules replace them.
#include "pending.h"

void panel_layout_setup(void) {}
void out_label(int, int, int) {}
void out_dat(int, int, int) {}
void handle_plan(int) {}
void controller_respond(const char*) {}
void LSO_respond(void) {}
void step_flashers(int) {}
__attribute__((weak)) void load_texes(void) {}
