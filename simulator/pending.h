// pending.h -- routines whose own modules come with later work. Until then they do nothing; each
// module that brings the real routine removes its entry here. The sounds and stick forces are the
// library's.
#pragma once
#include "hl_joy.h"
#include "hl_sound.h"

// Panel layout and instrument set-up for the user's aircraft (slot places, scale factors, levers).
void panel_layout_setup(void);

// The sequenced approach flashers of the region's runway ends with approach lights of kinds 3 to 6:
// restart 1 puts each run's moving light back on its start point, 0 advances it by its step.
void step_flashers(int restart);

// Builds aircraft p's 3-D model (with its paint when paint is 1).
void load_plane_geo(int paint, int templates, int p);

// The panel: a click or drag at (x, y), and the moving parts drawn each frame.
void manage_das(float x, float y);
void update_panel(void);

// The map windows' (3 and 24) per-frame routine.
void manage_map(void);
