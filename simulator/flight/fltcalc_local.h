// fltcalc_local.h -- what the two halves of the force build-up share.
#pragma once

// The predicted angles (degrees) and rates (rad/s) of the sub-step.
struct predicted_t {
    float alpha, beta;
    float P, Q, R;
};
extern predicted_t pred;

// Bodies, tyres, brakes and chute.
void body_forces(void);
// The share of its full wave drag a body meets at a Mach number: none up to 0.9, rising to all of
// it at 1.05, level to 1.2 and then falling slowly (Raymer, Aircraft Design, the wave-drag estimate).
float body_wave_share(float mach);
// Gear, skids, scrapes and floats, with the touchdown effects.
void contact_forces(void);
// Clears the contact states.
void contact_reset(void);
// Clears the tow wake phases.
void tow_reset(void);
