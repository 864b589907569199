// pending.cpp -- routines of later modules, doing nothing until those modules replace them.
#include "pending.h"

void panel_layout_setup(void) {}
void fill_buffer(int) {}
void play_buffer(int, int) {}
void stop_engine_and_windrain(void) {}
void JOY_force(int, int, int, int) {}
