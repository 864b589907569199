// hl_drplane.h -- the aircraft's part geometry: which parts exist, their grid sizes, where a part's
// element sits and where a body hangs. The flight model and the aircraft designer share these.
//
// Positions are metres in the aircraft's axes (x right, y up, z aft); after loading they are
// measured from the centre of gravity. Part numbers as everywhere: 0..3 propellers or rotors,
// 4..9 wings (even left), 10, 11 horizontal stabiliser, 12, 13 fins, 14..17 engine pylons,
// 18 fuselage, 19..22 nacelles, 23, 24 floats or tanks, 25..27 wheel fairings.
#pragma once

// 1 when part p of aircraft a (0 the user's, 1 the second) exists.
int have_this_part(int p, int a);
// Sections and points per section of part p's surface grid.
int f_body_s_dim(int p, int a);
int f_body_r_dim(int p);
// -1 for the left-hand parts and for propellers and pylons left of the centre line, else +1.
int latsign(int p, int a);
// Span position (m) of the centre of element e of part p.
float get_wing_rarm(int p, int e, int a);
// Position of the span station r (m from the root) of part p.
float get_wing_Xarm(int p, float r, int a);
float get_wing_Yarm(int p, float r, int a);
float get_wing_Zarm(int p, float r, int a);
// The reference point from which part p's body outline is measured.
void get_body_os(int p, float* x, float* y, float* z, int a);
