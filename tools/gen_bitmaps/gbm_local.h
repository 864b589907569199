// gbm_local.h -- drawing helpers the bitmap generator's picture modules share: colours, pixels,
// anti-aliased shapes, tileable noise, a seeded random generator and the 5 x 7 dot font.
#pragma once
#include "gbm.h"
#include "hl_graph.h"
#include "tool_common.h"

#include <cmath>
#include <cstdint>
#include <vector>

struct GbmColor {
    float r, g, b;
};

struct GbmPt {
    float x, y;
};

inline GbmColor gbm_rgb(float r, float g, float b) { return GbmColor{r, g, b}; }
inline GbmColor gbm_mix(GbmColor a, GbmColor b, float t)
{
    return GbmColor{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline GbmColor gbm_scale(GbmColor a, float k) { return GbmColor{a.r * k, a.g * k, a.b * k}; }
inline float gbm_clamp(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }
inline float gbm_smooth(float e0, float e1, float x)
{
    float t = gbm_clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// Pixels. Coordinates outside the picture are ignored by the setters.
void gbm_init(GbmImage& img, int w, int h, GbmColor fill, bool keyed);
GbmColor gbm_get(const GbmImage& img, int x, int y);
void gbm_set(GbmImage& img, int x, int y, GbmColor c);
void gbm_blend(GbmImage& img, int x, int y, GbmColor c, float a);
void gbm_set_key(GbmImage& img, int x, int y, bool transparent);
bool gbm_is_key(const GbmImage& img, int x, int y);

// Rectangles on whole pixels, [x0, x1) by [y0, y1).
void gbm_fill_rect(GbmImage& img, int x0, int y0, int x1, int y1, GbmColor c);
void gbm_blend_rect(GbmImage& img, int x0, int y0, int x1, int y1, GbmColor c, float a);
void gbm_frame_rect(GbmImage& img, int x0, int y0, int x1, int y1, GbmColor c);
// A bevelled box: light top and left edges when raised, dark when pressed.
void gbm_bevel(GbmImage& img, int x0, int y0, int x1, int y1, bool raised);

// Anti-aliased shapes in pixel units (pixel centres at x + 0.5, y + 0.5).
float gbm_seg_dist(GbmPt p, GbmPt a, GbmPt b);
void gbm_stroke(GbmImage& img, const std::vector<GbmPt>& pts, float width, GbmColor c, float alpha);
void gbm_disc(GbmImage& img, float cx, float cy, float r, GbmColor c, float alpha);
void gbm_ring(GbmImage& img, float cx, float cy, float r_in, float r_out, GbmColor c, float alpha);
// Even-odd polygon fill with 4 sub-rows per pixel row for soft edges.
void gbm_fill_poly(GbmImage& img, const std::vector<GbmPt>& pts, GbmColor c, float alpha);

// Noise. `gbm_noise` is gradient noise over a lattice of `period` cells per unit, periodic in u and v
// with period 1, returning 0..1; `gbm_fbm` sums octaves from `base_period` up, normalised to 0..1.
uint32_t gbm_hash(uint32_t a, uint32_t b, uint32_t c);
float gbm_noise(float u, float v, int period, uint32_t seed);
float gbm_fbm(float u, float v, int base_period, int octaves, float gain, uint32_t seed);
// Ridged variant (sharp crests), 0..1.
float gbm_ridged(float u, float v, int base_period, int octaves, uint32_t seed);

// The pictures' seeded generator.
struct GbmRand : ToolRand {
    explicit GbmRand(uint64_t seed) : ToolRand(seed, 0x632BE59BD9B4E019ull) {}
};

// Text in the programs' 5 x 7 dot font (OGL_glyph_rows) with its lower-left dot at (x, y); each dot
// is `scale` pixels square, characters `advance` pixels apart (6 * scale when 0).
void gbm_text(GbmImage& img, int x, int y, const char* s, int scale, GbmColor c, int advance = 0);
int gbm_text_width(const char* s, int scale);

// Picture makers, one module each (their entries are listed in gbm_manifest.cpp).
void gbm_make_terrain(GbmImage& img, int which);
void gbm_make_runway(GbmImage& img, int which);
void gbm_make_surface(GbmImage& img, int which);
void gbm_make_windsock(GbmImage& img, int arg);
void gbm_make_building(GbmImage& img, int which);
void gbm_make_ship_part(GbmImage& img, int which);
void gbm_make_tire(GbmImage& img, int arg);
void gbm_make_tree(GbmImage& img, int arg);
void gbm_make_pdisc(GbmImage& img, int arg);
void gbm_make_cloud(GbmImage& img, int arg);
void gbm_make_smoke(GbmImage& img, int arg);
void gbm_make_fire(GbmImage& img, int frame);
void gbm_make_letters(GbmImage& img, int arg);
void gbm_make_cursor(GbmImage& img, int arg);
void gbm_make_dg(GbmImage& img, int arg);
void gbm_make_hand(GbmImage& img, int arg);
void gbm_make_splash(GbmImage& img, int arg);
void gbm_make_window(GbmImage& img, int which);
void gbm_make_gauge(GbmImage& img, int which);
void gbm_make_cockpit(GbmImage& img, int which);
// The size a frame's picture fills in the switch-and-lever sheet (0 for no such frame).
int gbm_hand_size(int frame, int* w, int* h);

// The instrument faces of gbm_make_gauge.
enum GbmGauge {
    GAUGE_ASI, GAUGE_AHZ, GAUGE_ALT, GAUGE_TRN, GAUGE_NED, GAUGE_HSI, GAUGE_VVI, GAUGE_ADF,
    GAUGE_TIM, GAUGE_VOR, GAUGE_STR, GAUGE_ARG, GAUGE_RLT, GAUGE_VAR, GAUGE_RAD, GAUGE_ENG,
};
// The panel's other pictures, of gbm_make_cockpit.
enum GbmCockpit {
    CKP_PANL_P, CKP_PANL_H, CKP_STATBAR, CKP_RADIOS, CKP_GPS, CKP_EFI, CKP_GEAR, CKP_ECAM,
    CKP_EGT, CKP_SBRKA, CKP_SBRKM, CKP_TRIM, CKP_SWEE, CKP_VECT,
};

// Terrain pictures, in the order of the terrain table in gbm_terrain.cpp.
enum GbmTerrain {
    TER_WAT, TER_GRS, TER_MNT, TER_SNO, TER_CAR,
    TER_GRS_WAT_H, TER_GRS_WAT_C, TER_WAT_GRS_C,
    TER_GRS_MNT_H, TER_GRS_MNT_C, TER_MNT_GRS_C,
    TER_MNT_WAT_H, TER_MNT_WAT_C, TER_WAT_MNT_C,
    TER_MNT_SNO_H, TER_MNT_SNO_C, TER_SNO_MNT_C,
    TER_SNO_WAT_H, TER_SNO_WAT_C, TER_WAT_SNO_C,
    TER_GRS_CAR_H, TER_GRS_CAR_C, TER_CAR_GRS_C,
    TER_MNT_CAR_H, TER_MNT_CAR_C, TER_CAR_MNT_C,
    TER_COUNT
};
const char* gbm_terrain_name(int which);

// Runway pictures of one set: 0..3 tens digits, 4..13 units digits, then the letters and marks.
enum GbmRunway {
    RWY_TENS0 = 0, RWY_UNITS0 = 4,
    RWY_L = 14, RWY_C, RWY_R, RWY_TURN, RWY_PAVE, RWY_DISP, RWY_THLD, RWY_TDZM, RWY_FDMK, RWY_LINE,
    RWY_COUNT
};
const char* gbm_runway_name(int which);
// `which` of gbm_make_runway: picture + RWY_COUNT * set (set 0 asphalt, 1 concrete).

// The simulator's windows with a background picture: id, file name, width, height, title.
struct GbmWindowDef {
    int id;
    const char* name;
    int w, h;
    const char* title;
};
const std::vector<GbmWindowDef>& gbm_window_defs();
