// propel.h -- propellers, rotors and jets of the user's aircraft: engine torque, blade elements,
// propwash, rotor speed and governors, jet spool and thrust.
#pragma once

// All propeller or rotor engines (types 1..3) and all jets (types 4, 5), once per sub-step.
void props(void);
void jets(void);
// Engine i's torque, power and manifold pressure, and the torque's reaction on the airframe.
void apropengine(int i);
// Propeller or rotor i with its hub at (x, y, z) m: thrust, drag torque and propwash.
void aprop(int i, float x, float y, float z);
// The propwash speed increase dv (m/s) lagged toward the momentum-theory value for thrust T (N)
// through area A (m^2) at incoming speed V (m/s).
float dv_total(float dv, float T, float A, float V);
// Forgets the smoothed rotor accelerations (a new aircraft or a reset).
void props_reset(void);
// Thrust of a jet at full power as a share of its rated sea-level static thrust, at Mach number
// mach in the air at the aircraft: the afterburning turbojet (engine type 4) and the turbofan
// (type 5).
float turbojet_lapse(float mach);
float turbofan_lapse(float mach);
