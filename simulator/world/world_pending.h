// world_pending.h -- routines the outside view calls whose own modules come with later work: the
// drawing of ships, head-up displays and precipitation. Until then they do
// nothing; each module that brings the real routine removes its entry here.
#pragma once

// ---- the outside view's drawing of later modules ----------------------------------------------------

// Ships and the oil rig at a cell's middle, inside the matrix the terrain has turned for them.
void draw_a_carr(float x, float y, float z);
void draw_a_frig(float x, float y, float z);
void draw_a_oilr(float x, float y, float z);

// Head-up displays: the normal one in the 2-D frame, the synthetic one with its flight-path gates
// inside the scene.
void plot_nrml_hud(void);
void plot_cool_hud(void);

// Rain or snow on the windscreen over the view's 2-D extent (logical units).
void do_window_precip(float x_lo, float y_lo, float x_hi, float y_hi);
