// panel_harness.h -- the instrument panel on a window of its own, for the panel's tests and its
// benchmark: a w by h window (offscreen with SDL_VIDEODRIVER=offscreen) holding the program's
// OpenGL state with the 800 by 600 logical screen on it, and what the start-up makes for the panel:
// the colour table, the panel lights, the drum, card and map-symbol pictures, the compass card and
// the switch-and-lever sheet. Window 0 is then on top and the start-up over.
#pragma once

// 1 when the window opened.
int ph_open(int w, int h);
// The window and its OpenGL state with the colour table alone, for drawing that needs none of the
// panel's pictures; 1 when it opened. ph_close closes either.
int ph_open_window(int w, int h);
void ph_close(void);
