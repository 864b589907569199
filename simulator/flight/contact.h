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

// Starts a sub-step's contact points: the ground cell they share is found afresh by the first.
void contact_ground_forget(void);
// Contact i (above) at arm (x, y, z) m with spring k (N/m), damper c (N s/m), rolling and
// braking/side friction coefficients. Returns 1 when the point touches and pushes.
int handle_contact_point(int i, float x, float y, float z, float k, float c, float mu_roll, float mu_brake);
// Point r of station s of body b, at arm (x, y, z), against the water surface at height hw (m).
// Returns 1 when the point is under water.
int handle_float_point(int b, int s, int r, float x, float y, float z, float hw);
// Height (m) of the roughness a surface kind adds at a ground point.
float surface_roughness(int surf_type, float xp, float zp);
// The fastest yaw rate (deg/s) the nose or tail wheel may steer at the aircraft's present speed:
// the rate at which the tyres' side friction mu_side can still turn the path with the nose.
float steering_rate_limit(float mu_side);
