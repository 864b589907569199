// controls.h -- the pilot's inputs, the autopilot and the stability augmentation turned into the
// deflection of every control surface, rotor and nozzle, once per flight frame.
#pragma once

// The first step of every flight frame: mouse or joystick into the yoke (at most 4 units per
// second per axis), the throttle lever, the autopilot's lateral, vertical and airspeed modes
// (flown through the yoke, the pitch trim and the throttles), stability augmentation, hydraulic
// power, control failures and trims, then the surface deflections and the touchdown actions.
// Never called during replay or pause.
void update_controls(void);


// Switches every autopilot mode off, with the voice warning on aircraft that carry it: what the
// "!" key does, and what touchdown does to an engaged autopilot.
void otto_disconnect(void);

// Puts the controls' memory (throttle lever position, vertical-mode integrator and trim base,
// airspeed-hold history, last ground contact) back to its program-start state. A new process
// starts that way; the flight's starts and resets deliberately leave it alone.
void controls_restart(void);
