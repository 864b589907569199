// cockpit_pending.h -- the cockpit's routines whose own modules come with later work. Until then
// they do nothing; each module that brings the real routine removes its entry here.
#pragma once

// The map windows' (3 and 24) per-frame routine.
void manage_map(void);
