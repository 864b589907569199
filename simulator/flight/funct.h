// funct.h -- airfoil coefficients and element forces of the lifting parts and blades, below Mach 1
// from the airfoil tables and above it from flat plates.
#pragma once

#include "fltmath.h"
#include "hl_types.h"

#include <cmath>

// Table position of an angle of attack (degrees): tenths of a degree to 20 degrees, whole degrees
// from 20 to 90, capped at 269.99.
inline float foil_index(float alpha)
{
    float a = std::fabs(alpha);
    float i = a <= 20.0f ? 10.0f * a : 180.0f + a;
    return i <= 269.99f ? i : 269.99f;   // also catches a NaN, so a look-up never leaves the table
}

// One airfoil's coefficients at alpha (degrees) for part p, root 0 / tip 1 r, low 0 / high 1
// Reynolds number k, element e of the user's aircraft. Sets flt.stalled[p] and may set
// flt.stallwarning.
void anyfoil(float alpha, float* cl, float* cd, float* cm, int p, int r, int k, int e);
// The element's coefficients below and above Mach 1, with the control increments dcl, dcd, dcm.
void Fco_subsonic(float dcl, float dcd, float dcm, float* cl, float* cd, float* cm, int p, int e);
void Fco_supersonic(float dcl, float dcd, float dcm, float* cl, float* cd, float* cm, int p, int e);
// Adds one flat plate at alpha (degrees) and Mach number mach, weighted, to cl and cd.
void supersonic_flatplate(float alpha, float* cl, float* cd, float mach, float weight);
// Lift and drag (N, along and across the local flow turned by the element's flow-direction
// change) and pitching moment (N m) of element e of part p; returns the element's lift
// coefficient before that turn.
float F_el_force(float dcl, float dcd, float dcm, float* lift, float* drag, float* moment, int p, int e);
// The same with the sine and cosine of the flow-direction change given, for a caller that has them
// from the flow's own components (a blade element knows its inflow and its turning speed).
float F_el_force_turned(float dcl, float dcd, float dcm, float* lift, float* drag, float* moment, int p, int e,
                        float sin_dd, float cos_dd);

// Share of the flat-plate (supersonic) model in the element forces at a Mach number: 0 below
// Mach 0.9, 1 from Mach 1 on, a straight blend between, so the forces do not jump at Mach 1. The
// downwash and the induced angles of control surfaces fade out with the same share.
inline float supersonic_share(float mach) { return clampf((mach - 0.9f) * 10.0f, 0.0f, 1.0f); }
// The Mach number of the air through element e of part p, from its own airspeed.
inline float element_mach(int p, int e) { return atm.a > 1.0f ? flt.v_el[p][e] / atm.a : 0.0f; }

// Dump lines: the running aerodynamic and propulsive totals.
void aeroforcerep(void);
void propforcerep(void);
