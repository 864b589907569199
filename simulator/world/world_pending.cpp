// world_pending.cpp -- the do-nothing stand-ins of world_pending.h.
#include "world_pending.h"

void draw_a_carr(float, float, float) {}
void draw_a_frig(float, float, float) {}
void draw_a_oilr(float, float, float) {}
void plot_nrml_hud(void) {}
void plot_cool_hud(void) {}
void do_window_precip(float, float, float, float) {}
