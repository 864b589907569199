// hl_design.h -- the design rules that the aircraft designer and the aircraft generator share: the
// default part files of a new aircraft, a lifting part copied to its partner, a body's outline
// copied, elliptic body sections and the propeller's blade angles at its design point.
#pragma once
#include "hl_plane.h"

// The part files a new aircraft starts with: propellers (parts 0..3), wings (4..9), stabilisers,
// fins and pylons (10..17), and the flap.
inline constexpr const char* FOIL_PROPELLER = "Clark-Y (good propeller).afl";
inline constexpr const char* FOIL_WING = "NACA 2412 (popular).afl";
inline constexpr const char* FOIL_TAIL = "NACA 0009 (symmetrical).afl";
inline constexpr const char* FLAP_PLAIN = "plain flap.flp";

// The default airfoil file of lifting part p (0..17), or nullptr for a body.
const char* default_foil(int p);

// The per-part fields copy_foil carries to the partner part as they are (every field of a
// lifting part but its lateral arm, which is mirrored), by their record names.
int copy_foil_fields(const char* const** names);
// Copies lifting part src (0..17) to dst: its four airfoil names, geometry, incidences and control
// flags. The lateral arm Xarm is negated; copies of pylon 14 take its shape but keep their own
// arms (Xarm, Yarm, Zarm), since each pylon hangs at its own engine.
void copy_foil(planestruct* pl, int src, int dst);
// The body fields copy_body carries (the outline's three coordinates and the radius).
int copy_body_fields(const char* const** names);
// Copies body src's outline points (18..27) to body dst.
void copy_body(planestruct* pl, int src, int dst);

// Points of an elliptic body section: n points round from the top (point 0) down the right side
// (x positive) to the bottom (point n/2) and up the left, at station z, of half-width hw between
// the heights top and bottom (feet). Point k lies at angle a = 2 pi k / n: x = hw sin a,
// y = (top + bottom)/2 + (top - bottom)/2 cos a.
void elliptic_section(float* x, float* y, float* z, int n, double at_z, double hw, double top, double bottom);

// Blade angles (degrees) of a propeller of radius_ft with els elements (1..8) at its design point:
// each element at zero angle of attack to the helix that the design speed (knots) and rpm trace
// at the element's centre r = (e + 0.5)/els of the radius, atan(V / (omega r)); the design advance
// ratio J = V/(n D) through *adv. 0 when the inputs give no design (no speed, rpm or radius).
int prop_design_angles(float radius_ft, int els, float vel_kt, float rpm, float angles[8], float* adv);

// The design speed (knots) that a pitch (inches per turn) gives at rpm, and back.
float prop_speed_of_pitch(float pitch_in, float rpm);
float prop_pitch_of_speed(float vel_kt, float rpm);
