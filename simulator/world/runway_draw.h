// runway_draw.h -- the airports in the outside view: runway strips with their painted markings,
// taxiways and aprons, windsocks, and the runway, approach and taxi lights with the beacons, the
// slope indicators and the approach flashers. Drawing a runway or a pavement piece also tells the
// flight model, through env.over_obs, surf_type and obj_height, that the aircraft stands on it.
#pragma once

// Runway texture numbers: the asphalt set starts at RWY_TEX_SET0, the concrete set 24 later. Within
// a set: tens digits 0..3 (left half of a number), units digits 0..9 (right half), the side letters
// L, C, R, turn-off pavement, plain pavement, the area before the threshold, threshold bars,
// touchdown-zone marks, fixed-distance marks and the centreline.
constexpr int RWY_TEX_SET0 = 68;
constexpr int RWY_TEX_SET_STEP = 24;
enum {
    RWY_TENS = 0, RWY_UNITS = 4, RWY_LETTER_L = 14, RWY_LETTER_C = 15, RWY_LETTER_R = 16, RWY_TURN = 17,
    RWY_PAVE = 18, RWY_DISP = 19, RWY_THLD = 20, RWY_TDZM = 21, RWY_FDMK = 22, RWY_LINE = 23
};
constexpr int SURF_ASPHALT = 62, SURF_CONCRETE = 63, SURF_GRASS = 64, SURF_DIRT = 65, SURF_GRAVEL = 66;
constexpr int TEX_WINDSOCK = 145;

// Segments of a runway strip, each about one width long: round(len div width), at least one (a
// width of 0 m gives one segment).
int runway_segments(int len, int width);
// Marking class of a runway: 0 none (grass, dirt and gravel strips, and runways numbered 99), 1 the
// numbers only, 2 (over 1200 m) with threshold bars, 3 (over 2400 m) with the areas before the
// thresholds, touchdown-zone and fixed-distance marks.
int runway_marking_class(int len, int surface, int num);
// The textures of segment i (-2..n+1) of a strip of n segments of marking class k: returns 2 for a
// number segment (tex[0] the half on edge A's side, tex[1] the half on edge B's side), 1 for a
// segment of one texture (tex[0]) and 0 for a place that is no segment of the strip.
int runway_segment_textures(int n, int k, int num, char lcr, int surface, int i, int tex[2]);

// Yellow caution lights at the far end of each edge-light row of a runway len_ft feet long.
int runway_caution_lights(float len_ft);
// The centreline light `index` (100..rcls) seen from end `t`: 1 red, 0 white, for a runway
// len_ft feet long whose centreline ends at point rcls.
int centreline_red(int index, int rcls, float len_ft, int t);
// The slope indicator's four units (0 red, 1 white) seen from `angle` degrees above the
// indicator: kind 2 the two bars of two units, kind 3 the row of four.
void slope_indicator(int kind, float angle, int white[4]);
// The end of a runway whose heading is rwy_hdng seen by a view heading psi: 0 within 90 degrees,
// else 1.
int runway_end_seen(float psi, int rwy_hdng);
// The beacon of local airport row `row` at the cycle phase: intensity v (-1..1; white flashes for
// positive v, green for negative).
float beacon_intensity(int row, float rb_cycle);

// Draws world runway rwy of world airport apt (its geometry row from rwy_geo_ind); the third
// argument is not used. The strip's quads are gathered, by texture, with those of every runway and
// pavement piece until flush_runways draws them.
void plot_runway(int apt, int rwy, int rwy_geo);
// Taxiway or apron piece quad (1..5) of geometry row rwy_geo with texture tex, its t coordinate
// running 0..t_repeat along it; gathered like the runways.
void plot_pavement(int rwy_geo, int quad, float t_repeat, int tex);
// The test plot_runway and the caller's plot_pavement calls make, nothing drawn: whether the
// aircraft stands on runway rwy of airport apt, or on its taxiways and aprons when it has them.
void runway_under_aircraft(int apt, int rwy);
// Draws what plot_runway and plot_pavement gathered, each texture bound once. Expects fog,
// texturing and lighting on, depth test off and the normal up.
void flush_runways(void);
// The windsock of one end (0, 1) of a geometry row, turned and lifted by the wind. Expects fog,
// texturing, lighting and depth test on and face culling off.
void plot_windsock(int rwy_geo, int end);
// Every light of every in-range local airport. Expects fog and depth test on, texturing and
// lighting off.
void plot_rway_lights(void);
