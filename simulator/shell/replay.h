// replay.h -- the simulator's frame callback: panel clicks, the flight frame or the replay of the
// recorded path, and the per-frame routine of the window on top.
#pragma once

// The signed speed factor of replay mode 1..7 (-5, -1, -0.2, 0, 0.2, 1, 5); 0 for any other mode.
float replay_speed(int mode);

// One replay step: the replay time moves by the frame period times the mode's speed factor, and
// the user's aircraft takes the recorded path's position, attitude and velocity at that time
// (between the two recorded points that bracket it). When no two neighbouring points bracket the
// time -- before the first point, past the last, or across a break where a new flight began -- the
// replay stops (mode 4) and the aircraft and the replay time stay where they were.
void replay_step(void);

// The frame callback (APPLICATION_update): with no window on top, a click or drag on the panel
// goes to the panel, then the flight frame runs unless paused or replaying, or the replay step
// runs; then the routine of the window on top runs.
void kestrova_update(void);
