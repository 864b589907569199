// fltcalc.h -- force and moment build-up of the user's aircraft, run twice per frame, and its
// resolution into accelerations.
#pragma once

// Every force and moment of one sub-step; ends with set_a2.
void set_a(void);
// Resolves the sums into the world frame, applies the tow rope, and sets the accelerations.
void set_a2(void);
// Induced angle of attack (degrees) that a lift-coefficient increment cl causes on a part.
float induce_alpha(float cl, int part);
// Coefficient increments of a control surface of chord ratio crat deflected def degrees; type 5
// plain flap-type surface, 6 spoiler, 7 speed brake, 8 drag rudder.
void set_con_eff(int part, int type, float crat, float def, float* cl, float* cd, float* cm, const char* name);
// Forgets the rate prediction, the contact states and the tow wake (a new aircraft or a reset).
void set_a_reset(void);
