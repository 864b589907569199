// pending.h -- routines the flight model calls whose own modules come with later work: the panel
// layout (instrument set-up at aircraft load). Until then they do nothing; each module that brings
// the real routine removes its entry here. The sounds and stick forces are the library's.
#pragma once
#include "hl_joy.h"
#include "hl_sound.h"

// Panel layout and instrument set-up for the user's aircraft (slot places, scale factors, levers).
void panel_layout_setup(void);
