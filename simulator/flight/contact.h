// contact.h -- ground, deck and water contact of the user's aircraft's gear legs, skids, scrape
// points and floats.
#pragma once

// Contact states, one per kind: the nine entries of pln.condef.
enum {
    CONTACT_NOSE = 0,     // nose (or tail) wheel
    CONTACT_LEFT = 1,     // left main wheel
    CONTACT_RIGHT = 2,    // right main wheel
    CONTACT_SKID0 = 3,    // skid ends 3..6: their touch stops the yaw rotation
    CONTACT_WINGTIP = 7,  // any wing or stabiliser tip scraping
    CONTACT_BODY = 8,     // any body scraping or floating
    CONTACT_STATES = 9,
};

// Starts a sub-step's contact points: the ground cells they share are checked against the grid
// as they are used, and a point found off the grid in an earlier sub-step is forgotten.
void contact_ground_forget(void);
// Contact i (above) at arm (x, y, z) m with spring k (N/m), damper c (N s/m), rolling and
// braking/side friction coefficients. Returns 1 when the point touches and pushes.
int handle_contact_point(int i, float x, float y, float z, float k, float c, float mu_roll, float mu_brake);
// Point r of station s of body b, at arm (x, y, z), against the water surface at height hw (m).
// Returns 1 when the point is under water.
int handle_float_point(int b, int s, int r, float x, float y, float z, float hw);
// The patch of hull that point stands for: half the way to its neighbours on the body's grid across
// (patch[0]), up (patch[1]) and along (patch[2]) the body, m.
void float_patch(int b, int s, int r, float patch[3]);
// handle_float_point with the point's patch already worked out.
int handle_float_patch(int b, int s, int r, float x, float y, float z, float hw, const float patch[3]);
// The water's forces on every point of floating body b (18 the fuselage, 23 and 24 the floats)
// against the still surface at height surface_h (m), with the waves on it.
void float_body(int b, float surface_h);
// Height (m) of the roughness a surface kind adds at a ground point.
float surface_roughness(int surf_type, float xp, float zp);
// The fastest yaw rate (deg/s) the nose or tail wheel may steer at the aircraft's present speed:
// the rate at which the tyres' side friction mu_side can still turn the path with the nose.
float steering_rate_limit(float mu_side);
