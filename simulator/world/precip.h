// precip.h -- rain or snow on the windscreen: up to PRECIP_MAX particles streaming away from where
// the aircraft flies, drawn over the outside view in the 2-D frame, and the precipitation rate the
// rain sound follows.
#pragma once

constexpr int PRECIP_MAX = 200;

// The precipitation rate (0.. about 1) at view height h (m) under a layer from base to tops (m):
// full below the base, falling linearly to 0 at the tops, from the storm intensity (`level`) and the
// storm level (`rain_tstm`, 1 none .. 5).
float precip_rate(float level, float rain_tstm, float base, float tops, float h);
// The particles in use for a rate: 0 (none drawn) .. PRECIP_MAX - 1.
int precip_count(float rate);

// Writes atm.prec_rat for the viewpoint and draws the particles inside the view's bounds (logical
// units), rain when the sea-level temperature is above freezing, else snow.
void do_window_precip(float x_lo, float y_lo, float x_hi, float y_hi);
// Under no overcast, or above its tops, nothing falls: the rate is 0.
void no_window_precip(void);

// The particles' state, for tests: positions (logical units), the flakes' depth, the fast drop.
struct precip_state {
    float x[PRECIP_MAX], y[PRECIP_MAX], z[PRECIP_MAX];
    int quickdrop;
    int drawn;   // particles drawn in the last call
};
const precip_state& precip_last_state(void);
// Puts every particle back at its start (position 0, flakes' depth reborn on first use).
void precip_reset(void);
