// gbm_cockpit.h -- what the cockpit's picture modules share: the panel's paint and ink, screws,
// knobs, windows and the dial geometry of the round faces.
#pragma once
#include "gbm_local.h"

#include <cmath>
#include <string>

// Every panel picture stands on the same flat paint, so that pictures pasted side by side meet
// without a seam wherever the simulator puts them.
inline constexpr GbmColor CK_PAINT = {50, 53, 58};
inline constexpr GbmColor CK_ENGRAVE = {30, 32, 35};     // engraved lines and shadows
inline constexpr GbmColor CK_EDGE = {84, 88, 95};        // lit edges
inline constexpr GbmColor CK_LABEL = {222, 222, 214};    // panel lettering
inline constexpr GbmColor CK_INK = {238, 238, 232};      // dial marks and numerals
inline constexpr GbmColor CK_DIAL = {14, 14, 15};        // dial faces
inline constexpr GbmColor CK_BEZEL = {24, 24, 26};       // instrument bezels
inline constexpr GbmColor CK_BEZEL_LIT = {58, 59, 63};   // the bezel's lit rim
inline constexpr GbmColor CK_SCREEN = {8, 16, 10};       // glass screens and readout windows
inline constexpr GbmColor CK_RED = {214, 46, 40};
inline constexpr GbmColor CK_AMBER = {232, 170, 48};

inline constexpr float CK_PI = 3.14159265f;

// A point at radius r and angle a (degrees clockwise from up) from the centre.
inline GbmPt ck_polar(float cx, float cy, float a, float r)
{
    const float t = a * CK_PI / 180.0f;
    return GbmPt{cx + r * std::sin(t), cy + r * std::cos(t)};
}

// Text centred on x with its lower row at y.
inline void ck_text_c(GbmImage& img, int cx, int y, const char* s, GbmColor c, int scale = 1)
{
    gbm_text(img, cx - gbm_text_width(s, scale) / 2, y, s, scale, c);
}

// Text centred on a point (both ways).
inline void ck_text_at(GbmImage& img, float cx, float cy, const char* s, GbmColor c, int scale = 1)
{
    const int w = gbm_text_width(s, scale), h = 7 * scale;
    gbm_text(img, static_cast<int>(std::lround(cx - w * 0.5f)), static_cast<int>(std::lround(cy - h * 0.5f)), s, scale, c);
}

// A radial mark from r1 to r2 at angle a, w wide.
inline void ck_tick(GbmImage& img, float cx, float cy, float a, float r1, float r2, float w, GbmColor c)
{
    gbm_stroke(img, {ck_polar(cx, cy, a, r1), ck_polar(cx, cy, a, r2)}, w, c, 1.0f);
}

// A slotted mounting screw.
inline void ck_screw(GbmImage& img, float cx, float cy, float r = 3.5f)
{
    gbm_disc(img, cx, cy, r + 0.8f, CK_ENGRAVE, 1.0f);
    gbm_disc(img, cx, cy, r, gbm_rgb(96, 98, 104), 1.0f);
    gbm_disc(img, cx + 0.6f, cy - 0.6f, r - 1.2f, gbm_rgb(70, 72, 78), 1.0f);
    gbm_stroke(img, {{cx - r + 1.0f, cy - r + 1.0f}, {cx + r - 1.0f, cy + r - 1.0f}}, 1.0f, CK_ENGRAVE, 1.0f);
}

// A round knurled knob seen from the front.
inline void ck_knob(GbmImage& img, float cx, float cy, float r)
{
    gbm_disc(img, cx + 1.0f, cy - 1.0f, r + 0.5f, CK_ENGRAVE, 0.8f);
    gbm_disc(img, cx, cy, r, gbm_rgb(28, 28, 30), 1.0f);
    for (int k = 0; k < 24; k++) ck_tick(img, cx, cy, 15.0f * k, r - 1.8f, r, 1.0f, gbm_rgb(70, 70, 74));
    gbm_disc(img, cx - 0.5f, cy + 0.5f, r * 0.6f, gbm_rgb(54, 55, 58), 1.0f);
    gbm_ring(img, cx, cy, r * 0.6f - 0.8f, r * 0.6f, gbm_rgb(90, 92, 96), 0.8f);
}

// A sunken window [x0, x1) by [y0, y1): dark inside, shadowed above and left, lit below and right.
inline void ck_window(GbmImage& img, int x0, int y0, int x1, int y1, GbmColor inside = CK_SCREEN)
{
    gbm_fill_rect(img, x0, y0, x1, y1, inside);
    gbm_fill_rect(img, x0 - 1, y1, x1 + 1, y1 + 1, CK_ENGRAVE);
    gbm_fill_rect(img, x0 - 1, y0 - 1, x0, y1 + 1, CK_ENGRAVE);
    gbm_fill_rect(img, x0 - 1, y0 - 1, x1 + 1, y0, CK_EDGE);
    gbm_fill_rect(img, x1, y0 - 1, x1 + 1, y1 + 1, CK_EDGE);
}

// An engraved outline [x0, x1) by [y0, y1).
inline void ck_engrave(GbmImage& img, int x0, int y0, int x1, int y1)
{
    gbm_frame_rect(img, x0, y0, x1, y1, CK_ENGRAVE);
    gbm_frame_rect(img, x0 + 1, y0 - 1, x1 + 1, y1 - 1, gbm_scale(CK_EDGE, 0.8f));
    gbm_frame_rect(img, x0, y0, x1, y1, CK_ENGRAVE);
}

// A round instrument case: bezel ring from r_face to r_case, the dial inside.
inline void ck_case(GbmImage& img, float cx, float cy, float r_face, float r_case)
{
    gbm_disc(img, cx + 1.0f, cy - 1.5f, r_case + 0.8f, CK_ENGRAVE, 0.9f);
    gbm_disc(img, cx, cy, r_case, CK_BEZEL, 1.0f);
    // A soft light from the upper left along the rim.
    for (int k = 0; k < 360; k += 2) {
        const float light = 0.5f + 0.5f * std::cos((k - 315.0f) * CK_PI / 180.0f);
        ck_tick(img, cx, cy, static_cast<float>(k), r_case - 1.6f, r_case - 0.2f, 2.2f, gbm_mix(CK_BEZEL, CK_BEZEL_LIT, light));
    }
    gbm_disc(img, cx, cy, r_face + 0.6f, gbm_rgb(6, 6, 7), 1.0f);
    gbm_disc(img, cx, cy, r_face, CK_DIAL, 1.0f);
}

// The maker of every cockpit picture, by its place in gbm_cockpit_pictures().
struct GbmCockpitPicture {
    const char* name;
    int w, h;
};
