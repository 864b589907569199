// pending.h -- routines whose own modules come with later work. Until then they do nothing; each
// module that brings the real routine removes its entry here. The sounds and stick forces are the
// library's.
#pragma once
#include "hl_joy.h"
#include "hl_sound.h"

// Panel layout and instrument set-up for the user's aircraft (slot places, scale factors, levers).
void panel_layout_setup(void);


// The panel: a click or drag at (x, y), and the moving parts drawn each frame.
void manage_das(float x, float y);
void update_panel(void);

// The map windows' (3 and 24) per-frame routine.
void manage_map(void);
