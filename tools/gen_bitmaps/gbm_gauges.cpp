// gbm_gauges.cpp -- the instrument faces of the panel: the six flight instruments' cases and fixed
// dials, the direction finder, the clock and the slot-4 instruments, and the engine gauge face.
// Scales that follow the aircraft (airspeed, vertical speed, engine gauges) are drawn by the
// simulator over these faces; the fixed ones (altimeter, turn, radar altimeter, variometer) are
// drawn here to the simulator's own needle laws.
#include "gbm_cockpit.h"

#include <cstdio>

namespace {

// The six wide instruments: 128 by 128, a case of radius 63.5 round a dial of 57, screws at the
// corners.
void six_case(GbmImage& img, float cx, float cy, bool screws = true)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    if (screws) {
        for (float sx : {8.0f, 120.0f})
            for (float sy : {8.0f, 120.0f}) ck_screw(img, sx, sy);
    }
    ck_case(img, cx, cy, 57.0f, 63.5f);
}

// The ball's glass tube below the centre: the ball (3 wide, 6 high) runs in it 46 below the centre.
void ball_tube(GbmImage& img, float cx, float cy)
{
    const int x0 = static_cast<int>(cx) - 22, x1 = static_cast<int>(cx) + 23;
    const int y0 = static_cast<int>(cy) - 51, y1 = static_cast<int>(cy) - 41;
    gbm_fill_rect(img, x0, y0, x1, y1, gbm_rgb(34, 36, 38));
    gbm_frame_rect(img, x0, y0, x1, y1, gbm_rgb(110, 112, 116));
    for (int dx : {-4, 4}) gbm_fill_rect(img, static_cast<int>(cx) + dx, y0, static_cast<int>(cx) + dx + 1, y1, CK_INK);
}

void face_asi(GbmImage& img)
{
    six_case(img, 64, 64);
    ck_text_c(img, 64, 47, "AIRSPEED", CK_LABEL);
    gbm_disc(img, 64, 64, 4.0f, gbm_rgb(40, 40, 42), 1.0f);
}

// The attitude indicator: the dial is the simulator's moving sky and ground; the case carries the
// bank scale (0, 10, 20, 30, 45, 60 and 90 degrees each way) and the bar-adjust knob below right.
void face_ahz(GbmImage& img)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    for (GbmPt s : {GbmPt{8, 8}, GbmPt{8, 120}, GbmPt{120, 120}}) ck_screw(img, s.x, s.y);
    ck_case(img, 64, 64, 57.0f, 63.5f);
    for (int side : {-1, 1}) {
        for (int a : {10, 20, 45}) ck_tick(img, 64, 64, side * a, 58.0f, 61.0f, 1.4f, CK_INK);
        for (int a : {30, 60}) ck_tick(img, 64, 64, side * a, 58.0f, 63.0f, 2.0f, CK_INK);
        ck_tick(img, 64, 64, side * 90, 58.0f, 63.0f, 2.0f, CK_INK);
    }
    const GbmPt tip = ck_polar(64, 64, 0, 58.0f), l = ck_polar(64, 64, -4, 63.5f), r = ck_polar(64, 64, 4, 63.5f);
    gbm_fill_poly(img, {l, r, tip}, CK_AMBER, 1.0f);
    ck_knob(img, 116, 12, 7.0f);
}

// The altimeter: numerals 0..9 (hundreds of feet, 36 degrees apart), marks every 20 ft, and the two
// drum windows: the setting right of the centre, the altitude in hundreds below left.
void face_alt(GbmImage& img)
{
    six_case(img, 64, 64);
    for (int k = 0; k < 50; k++) {
        const float a = 7.2f * k;
        if (k % 5 == 0) ck_tick(img, 64, 64, a, 48.0f, 56.5f, 2.2f, CK_INK);
        else ck_tick(img, 64, 64, a, 52.0f, 56.5f, 1.2f, CK_INK);
    }
    for (int d = 0; d < 10; d++) {
        const GbmPt p = ck_polar(64, 64, 36.0f * d, 41.0f);
        char s[2] = {static_cast<char>('0' + d), 0};
        ck_text_at(img, p.x, p.y, s, CK_INK, 2);
    }
    // Drums: the setting's four digits at (x + 10, y - 5), the altitude's at (x - 16, y - 21).
    ck_window(img, 73, 58, 98, 69, gbm_rgb(20, 20, 22));
    ck_window(img, 47, 42, 72, 53, gbm_rgb(20, 20, 22));
    ck_text_c(img, 64, 78, "ALT", CK_LABEL);
    gbm_text(img, 74, 71, "SET", 1, gbm_scale(CK_LABEL, 0.8f));
}

void face_vvi(GbmImage& img)
{
    six_case(img, 64, 64);
    ck_text_at(img, 44, 86, "UP", CK_LABEL);
    ck_text_at(img, 44, 42, "DN", CK_LABEL);
    ck_text_c(img, 86, 67, "FPM", CK_LABEL);
    ck_text_c(img, 86, 56, "X100", gbm_scale(CK_LABEL, 0.8f));
    gbm_disc(img, 64, 64, 4.0f, gbm_rgb(40, 40, 42), 1.0f);
}

// Turn coordinator: wings-level marks at 90 and 270 degrees, the standard-rate marks (3 degrees a
// second, the wings 30 degrees down) at 120 and 240, the ball's tube below.
void face_trn(GbmImage& img)
{
    six_case(img, 64, 64);
    for (int a : {90, 270}) ck_tick(img, 64, 64, static_cast<float>(a), 34.0f, 46.0f, 2.5f, CK_INK);
    for (int a : {120, 240}) ck_tick(img, 64, 64, static_cast<float>(a), 34.0f, 46.0f, 2.5f, CK_INK);
    const GbmPt l = ck_polar(64, 64, 240, 52.0f), r = ck_polar(64, 64, 120, 52.0f);
    ck_text_at(img, l.x, l.y, "L", CK_INK);
    ck_text_at(img, r.x, r.y, "R", CK_INK);
    ck_text_c(img, 64, 84, "TURN", CK_LABEL);
    ck_text_c(img, 64, 27, "2 MIN", CK_LABEL);
    ball_tube(img, 64, 64);
}

// Needle and ball: the needle's centre index at the top and the standard-rate marks 30 degrees
// either side.
void face_ned(GbmImage& img)
{
    six_case(img, 64, 64);
    for (int a : {-30, 0, 30}) {
        const GbmPt p = ck_polar(64, 64, static_cast<float>(a), 46.0f), l = ck_polar(64, 64, a - 4.0f, 54.0f),
                    r = ck_polar(64, 64, a + 4.0f, 54.0f);
        gbm_stroke(img, {l, p, r}, 2.0f, CK_INK, 1.0f);
    }
    ck_text_c(img, 64, 84, "TURN", CK_LABEL);
    ck_text_c(img, 64, 27, "2 MIN", CK_LABEL);
    ball_tube(img, 64, 64);
    gbm_disc(img, 64, 64, 5.0f, gbm_rgb(40, 40, 42), 1.0f);
}

// The situation indicator, its centre 65 up: the card turns inside; the case has the lubber marks,
// the glide-slope scales beside the card (bar ends 2 above and below the centre, dots every 10) and
// the course and heading knobs below.
void face_hsi(GbmImage& img)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    for (GbmPt s : {GbmPt{8, 120}, GbmPt{120, 120}}) ck_screw(img, s.x, s.y);
    const float cx = 64, cy = 65;
    ck_case(img, cx, cy, 53.0f, 62.5f);
    const GbmPt tip = ck_polar(cx, cy, 0, 53.0f), l = ck_polar(cx, cy, -4, 59.0f), r = ck_polar(cx, cy, 4, 59.0f);
    gbm_fill_poly(img, {l, r, tip}, CK_AMBER, 1.0f);
    for (int a = 45; a < 360; a += 45) ck_tick(img, cx, cy, static_cast<float>(a), 54.0f, 59.0f, 2.0f, CK_INK);
    for (int x0 : {5, 117}) {
        for (int dy : {-2, 2}) gbm_fill_rect(img, x0, static_cast<int>(cy) + dy, x0 + 5, static_cast<int>(cy) + dy + 1, CK_INK);
        for (int dy : {-20, -10, 10, 20}) gbm_disc(img, x0 + 2.5f, cy + dy + 0.5f, 1.3f, CK_INK, 1.0f);
    }
    ck_knob(img, 20, 12, 8.0f);
    ck_knob(img, 108, 12, 8.0f);
    gbm_text(img, 4, 22, "CRS", 1, CK_LABEL);
    gbm_text(img, 107, 22, "HDG", 1, CK_LABEL);
}

// The direction finder: 100 wide, the dial's centre 97 up; the frequency's three digits in a window
// 67 below the centre over their three knobs, the card knob to the lower left.
void face_adf(GbmImage& img)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    const float cx = 50, cy = 97;
    ck_case(img, cx, cy, 44.0f, 49.5f);
    const GbmPt tip = ck_polar(cx, cy, 0, 44.0f), l = ck_polar(cx, cy, -5, 49.5f), r = ck_polar(cx, cy, 5, 49.5f);
    gbm_fill_poly(img, {l, r, tip}, CK_AMBER, 1.0f);
    ck_window(img, 34, 27, 66, 40, gbm_rgb(20, 20, 22));
    for (float kx : {35.0f, 55.0f, 75.0f}) ck_knob(img, kx, 14, 7.5f);
    gbm_text(img, 29, 42, "KHZ", 1, CK_LABEL);
    ck_knob(img, 11, 46, 6.5f);
    gbm_text(img, 74, 42, "ADF", 1, CK_LABEL);
}

// The clock under the slot-4 instrument: a dial above (shown when no instrument covers it) and the
// timer's start-stop and reset buttons and readout window below.
void face_tim(GbmImage& img)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    const float cx = 50, cy = 80;
    ck_case(img, cx, cy, 44.0f, 49.5f);
    for (int k = 0; k < 60; k++)
        ck_tick(img, cx, cy, 6.0f * k, k % 5 == 0 ? 36.0f : 40.0f, 43.0f, k % 5 == 0 ? 2.0f : 1.0f, CK_INK);
    for (int h = 1; h <= 12; h++) {
        char s[12];
        std::snprintf(s, sizeof s, "%d", h);
        const GbmPt p = ck_polar(cx, cy, 30.0f * h, 29.0f);
        ck_text_at(img, p.x, p.y, s, CK_INK);
    }
    ck_text_c(img, 50, 88, "TIMER", CK_LABEL);
    for (int k = 0; k < 2; k++) {
        const int x0 = 11 + 25 * k;
        gbm_fill_rect(img, x0, 3, x0 + 23, 21, gbm_rgb(70, 72, 78));
        gbm_bevel(img, x0, 3, x0 + 23, 21, true);
        ck_text_c(img, x0 + 12, 9, k == 0 ? "S/S" : "CLR", CK_LABEL);
    }
    ck_window(img, 64, 6, 96, 18);
}

// A round face of the narrow instruments: 100 by 100 with the centre in the middle.
void narrow_case(GbmImage& img)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    ck_case(img, 50, 50, 44.0f, 49.5f);
}

// Course and glide-slope indicator: five dots each way for the course (4 px a dot) and the glide
// slope (5 px a dot), the course windows above and below, the flag window and the course knob.
void face_vor(GbmImage& img)
{
    narrow_case(img);
    for (int k = 1; k <= 5; k++) {
        for (int s : {-1, 1}) {
            gbm_disc(img, 50.5f + s * 4.0f * k, 50.5f, 1.1f, CK_INK, 1.0f);
            gbm_disc(img, 50.5f, 50.5f + s * 5.0f * k, 1.1f, CK_INK, 1.0f);
        }
    }
    gbm_ring(img, 50.5f, 50.5f, 2.5f, 3.5f, CK_INK, 1.0f);
    ck_window(img, 32, 76, 68, 89, gbm_rgb(20, 20, 22));
    ck_window(img, 50, 8, 86, 21, gbm_rgb(20, 20, 22));
    ck_window(img, 64, 56, 86, 66, gbm_rgb(20, 20, 22));
    ck_knob(img, 14, 10, 7.5f);
    gbm_text(img, 4, 20, "OBS", 1, CK_LABEL);
}

// Stormscope and radio-magnetic-indicator face: range rings, bearing marks and the aircraft.
void face_str(GbmImage& img)
{
    narrow_case(img);
    for (int k = 0; k < 36; k++) ck_tick(img, 50, 50, 10.0f * k, k % 3 == 0 ? 38.0f : 41.0f, 43.5f, k % 3 == 0 ? 1.8f : 1.0f, CK_INK);
    for (int k = 0; k < 72; k++)
        if (k % 2 == 0) ck_tick(img, 50, 50, 5.0f * k, 21.5f, 22.5f, 1.2f, gbm_scale(CK_INK, 0.6f));
    gbm_stroke(img, {{50, 44}, {50, 57}}, 1.6f, CK_AMBER, 1.0f);
    gbm_stroke(img, {{43, 52}, {57, 52}}, 1.6f, CK_AMBER, 1.0f);
    gbm_stroke(img, {{47, 45}, {53, 45}}, 1.4f, CK_AMBER, 1.0f);
}

// Glass moving map: the screen (63 by 80 from 40 left and below the centre) and the button column:
// three mode buttons above, range smaller and larger below.
void face_arg(GbmImage& img)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    gbm_fill_rect(img, 4, 4, 98, 96, gbm_rgb(36, 38, 42));
    gbm_bevel(img, 4, 4, 98, 96, true);
    ck_window(img, 10, 10, 73, 90, gbm_rgb(2, 8, 4));
    for (int k = 0; k < 2; k++) {
        const int y0 = k == 0 ? 27 : 9;
        gbm_fill_rect(img, 81, y0, 94, y0 + 13, gbm_rgb(70, 72, 78));
        gbm_bevel(img, 81, y0, 94, y0 + 13, true);
        ck_text_c(img, 88, y0 + 3, k == 0 ? "-" : "+", CK_LABEL);
    }
}

// Radar altimeter: 0 to 500 ft over the first half turn, then 5,000 ft a half turn up to the stop
// at 2,500 ft; numerals in hundreds; the decision-height knob below left.
float radalt_angle(float ft) { return ft < 500.0f ? ft * 180.0f / 500.0f : 180.0f + (ft - 500.0f) * 180.0f / 5000.0f; }

void face_rlt(GbmImage& img)
{
    narrow_case(img);
    for (int ft = 0; ft <= 500; ft += 50)
        ck_tick(img, 50, 50, radalt_angle(static_cast<float>(ft)), ft % 100 == 0 ? 29.0f : 33.0f, 37.0f,
                ft % 100 == 0 ? 2.0f : 1.2f, CK_INK);
    for (int ft = 1000; ft <= 2500; ft += 500) ck_tick(img, 50, 50, radalt_angle(static_cast<float>(ft)), 29.0f, 37.0f, 2.0f, CK_INK);
    const int labels[10] = {0, 100, 200, 300, 400, 500, 1000, 1500, 2000, 2500};
    for (int ft : labels) {
        char s[12];
        std::snprintf(s, sizeof s, "%d", ft / 100);
        const GbmPt p = ck_polar(50, 50, radalt_angle(static_cast<float>(ft)), 41.0f);
        ck_text_at(img, p.x, p.y, s, CK_INK);
    }
    gbm_fill_poly(img, {ck_polar(50, 50, 256, 30), ck_polar(50, 50, 262, 30), ck_polar(50, 50, 262, 37), ck_polar(50, 50, 256, 37)},
                  CK_RED, 1.0f);
    ck_text_c(img, 34, 54, "RAD", CK_LABEL);
    ck_text_c(img, 34, 45, "ALT", CK_LABEL);
    ck_knob(img, 12, 10, 7.0f);
    gbm_text(img, 22, 4, "DH", 1, CK_LABEL);
}

// Variometer: the round vertical-speed law of the panel's standard dial, 2,000 ft/min at 160
// degrees either side of zero at the left, marks every 100 and numerals every 500 ft/min.
void face_var(GbmImage& img)
{
    narrow_case(img);
    for (int i = -20; i <= 20; i++) {
        const float a = 8.0f * i - 90.0f;
        ck_tick(img, 50, 50, a, i % 5 == 0 ? 29.0f : 32.0f, 35.0f, i % 5 == 0 ? 1.8f : 1.0f, CK_INK);
        if (i % 5 == 0 && i != 0) {
            char s[12];
            std::snprintf(s, sizeof s, "%d", std::abs(i));
            const GbmPt p = ck_polar(50, 50, a, 40.5f);
            ck_text_at(img, p.x, p.y, s, CK_INK);
        }
    }
    const GbmPt z = ck_polar(50, 50, -90, 40.5f);
    ck_text_at(img, z.x, z.y, "0", CK_INK);
    ck_text_c(img, 62, 60, "UP", CK_LABEL);
    ck_text_c(img, 62, 34, "DN", CK_LABEL);
    ck_text_c(img, 50, 14, "VARIO", CK_LABEL);
}

// Weather radar: the screen (86 by 90 from 43 left and 31 below the centre, so reaching above the
// 100-square) and the range buttons: larger left, smaller right.
void face_rad(GbmImage& img)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    gbm_fill_rect(img, 2, 1, 98, 111, gbm_rgb(36, 38, 42));
    gbm_bevel(img, 2, 1, 98, 111, true);
    ck_window(img, 7, 19, 93, 109, gbm_rgb(2, 8, 4));
    for (int r = 20; r <= 80; r += 20) gbm_ring(img, 50, 19, r - 0.5f, r + 0.5f, gbm_rgb(20, 60, 30), 0.8f);
    for (int k = 0; k < 2; k++) {
        const int x0 = k == 0 ? 6 : 50, x1 = k == 0 ? 46 : 62;
        gbm_fill_rect(img, x0, 3, x1, 16, gbm_rgb(70, 72, 78));
        gbm_bevel(img, x0, 3, x1, 16, true);
        ck_text_c(img, (x0 + x1) / 2, 6, k == 0 ? "RNG+" : "-", CK_LABEL);
    }
}

// The engine gauges' face, 76 by 76: the simulator draws the scale from the bottom round to the right.
void face_eng(GbmImage& img)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    ck_case(img, 38, 38, 33.5f, 37.5f);
    gbm_disc(img, 38, 38, 3.0f, gbm_rgb(40, 40, 42), 1.0f);
}

}  // namespace

void gbm_make_gauge(GbmImage& img, int which)
{
    switch (which) {
    case GAUGE_ASI: face_asi(img); break;
    case GAUGE_AHZ: face_ahz(img); break;
    case GAUGE_ALT: face_alt(img); break;
    case GAUGE_TRN: face_trn(img); break;
    case GAUGE_NED: face_ned(img); break;
    case GAUGE_HSI: face_hsi(img); break;
    case GAUGE_VVI: face_vvi(img); break;
    case GAUGE_ADF: face_adf(img); break;
    case GAUGE_TIM: face_tim(img); break;
    case GAUGE_VOR: face_vor(img); break;
    case GAUGE_STR: face_str(img); break;
    case GAUGE_ARG: face_arg(img); break;
    case GAUGE_RLT: face_rlt(img); break;
    case GAUGE_VAR: face_var(img); break;
    case GAUGE_RAD: face_rad(img); break;
    default: face_eng(img); break;
    }
}
