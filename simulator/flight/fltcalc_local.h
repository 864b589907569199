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
// Gear, skids, scrapes and floats, with the touchdown effects.
void contact_forces(void);
// Clears the contact states.
void contact_reset(void);
// Clears the tow wake phases.
void tow_reset(void);
