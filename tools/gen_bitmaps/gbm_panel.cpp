// gbm_panel.cpp -- the panel's pictures other than the instrument faces: the aeroplane and
// helicopter panels, the status strip, the radio stack, the GPS, the glass displays, the gear plate,
// the engine display, the exhaust gauge, the lever plates and the switch-and-lever sheet. Every
// place here is where the simulator draws or clicks: the switch row, the radio stack's knobs and
// buttons, the levers' travel.
#include "gbm_cockpit.h"

#include <cstdio>

namespace {

const GbmColor kStack = {40, 42, 46};     // the radio stack's and displays' bodies
const GbmColor kButton = {70, 72, 78};
const GbmColor kSocket = {27, 28, 31};

void raised_box(GbmImage& img, int x0, int y0, int x1, int y1, GbmColor c)
{
    gbm_fill_rect(img, x0, y0, x1, y1, c);
    gbm_bevel(img, x0, y0, x1, y1, true);
}

// A switch of the switch row: a sunken socket 40 wide from y 314 with its label at the left and the
// toggle's place 25 from the left edge.
void row_switch(GbmImage& img, int x, const char* label)
{
    ck_window(img, x + 1, 315, x + 40, 330, kSocket);
    gbm_text(img, x + 2, 319, label, 1, CK_LABEL);
    gbm_disc(img, x + 32.0f, 322.0f, 5.5f, gbm_rgb(16, 16, 18), 1.0f);
}

// An autopilot target: its label, the readout's window (digits from x at y 318) and the set knob.
void ap_target(GbmImage& img, int label_x, const char* label, int x0, int x1, int knob_x)
{
    gbm_text(img, label_x, 318, label, 1, CK_LABEL);
    ck_window(img, x0, 315, x1, 328);
    ck_knob(img, static_cast<float>(knob_x), 315.0f, 8.5f);
}

// The aeroplane's (0) or the helicopter's (1) panel, 800 by 333: flat paint with the glareshield
// and its switch row along the top, the autopilot's targets, engraved borders of the radio stack
// and the lever strip.
void panel(GbmImage& img, int heli)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    // The glareshield: a darker lip from y 304 with a lit edge.
    gbm_fill_rect(img, 0, 305, img.w, img.h, gbm_rgb(36, 38, 42));
    gbm_fill_rect(img, 0, 304, img.w, 305, CK_EDGE);
    gbm_fill_rect(img, 0, 303, img.w, 304, CK_ENGRAVE);
    gbm_fill_rect(img, 0, 332, img.w, 333, gbm_rgb(56, 58, 64));
    // Borders of the strips: the radio stack and the levers take 155 each beside the instruments.
    const int borders_a[2] = {488, 644}, borders_h[2] = {155, 544};
    for (int b : heli ? borders_h : borders_a) {
        gbm_fill_rect(img, b, 0, b + 1, 302, CK_ENGRAVE);
        gbm_fill_rect(img, b + 1, 0, b + 2, 302, gbm_scale(CK_EDGE, 0.85f));
    }
    if (heli) {
        // The panel ends at 700, where the outside view begins.
        gbm_fill_rect(img, 698, 0, 700, 333, CK_ENGRAVE);
        gbm_fill_rect(img, 700, 0, img.w, 333, gbm_rgb(20, 21, 23));
    }
    for (GbmPt s : {GbmPt{6, 6}, GbmPt{6, 296}, GbmPt{heli ? 693.0f : 793.0f, 6}, GbmPt{heli ? 693.0f : 793.0f, 296}})
        ck_screw(img, s.x, s.y, 3.0f);

    // The switch row.
    const int osh = heli ? -100 : 0;
    row_switch(img, 26, "HUD");
    row_switch(img, 72, "HOOP");
    ck_window(img, 119, 315, 133, 330, kSocket);
    if (!heli) {
        row_switch(img, 498, "CHUT");
        row_switch(img, 544, "HOOK");
        row_switch(img, 590, "ICE");
        row_switch(img, 682, "JATO");
    }
    row_switch(img, osh + 636, "JETT");
    raised_box(img, osh + 731, 314, osh + 790, 330, kButton);
    gbm_text(img, osh + 742, 318, "PAUSE", 1, CK_LABEL);
    // The stall lamp's socket, its lamp 10 by 10 at (7, 316).
    ck_window(img, 7, 316, 17, 326, gbm_rgb(48, 16, 14));

    ap_target(img, 250, "ALT", 268, 301, 315);
    ap_target(img, 337, "VS", 352, 386, 400);
    ap_target(img, 423, "IAS", 442, 464, 485);
}

// The status strip, 800 by 24 at y 561: the magnetic compass's window (marks from x 343 to 403, the
// lubber line at 373) and the outside-air temperature's scale (x = value / 2 + 748).
void statbar(GbmImage& img)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, gbm_rgb(26, 27, 30));
    gbm_fill_rect(img, 0, img.h - 1, img.w, img.h, gbm_rgb(44, 46, 50));
    gbm_fill_rect(img, 0, 0, img.w, 1, gbm_rgb(14, 14, 16));
    ck_window(img, 343, 5, 403, 21, gbm_rgb(4, 4, 5));
    gbm_fill_poly(img, {{369.0f, 1.0f}, {377.0f, 1.0f}, {373.0f, 5.0f}}, CK_AMBER, 1.0f);
    gbm_text(img, 690, 6, "OAT", 1, CK_LABEL);
    ck_window(img, 721, 5, 796, 16, gbm_rgb(4, 4, 5));
    for (int v = -50; v <= 90; v += 10) {
        const int x = v / 2 + 748;
        gbm_fill_rect(img, x, 14, x + 1, v % 50 == 0 ? 11 : 13, gbm_rgb(150, 150, 150));
        gbm_fill_rect(img, x, v % 50 == 0 ? 11 : 13, x + 1, 16, gbm_rgb(150, 150, 150));
    }
}

// The radio stack, 155 by 305, its left edge at 489 from the stack's slot. Places (from the slot,
// as the simulator's clicks and readouts have them): marker lamps at 494, 510, 526 (y 292); audio
// buttons 542 + 20 k (y 289); DME readouts at y 270 and selector at 602, 622 (y 264); COM 1 and NAV 1
// at y 240 over their knobs 522..570 and 590..638 (y 208..232); COM 2 and NAV 2 at y 191
// over y 159..183; the transponder's digits over its knobs 561..641 (y 120..140) and the ident
// button 520..550; the autopilot's buttons at y 87; the fuel gauge 514..545 (y 42..46); the parking
// brake 494..564 (y 5..20); the aileron and rudder trims 566..606 (y 35..60 and 5..30). The GPS unit
// covers 500..641 by 210..278 of it, the DME readouts and the first COM and NAV on its screen, so
// nothing is drawn there; the audio and DME labels stand between the unit and the audio buttons.
void radios(GbmImage& img)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    raised_box(img, 1, 0, 154, 304, kStack);
    auto rx = [](int x) { return x - 489; };
    auto divider = [&](int y) {
        gbm_fill_rect(img, 3, y, 152, y + 1, CK_ENGRAVE);
        gbm_fill_rect(img, 3, y - 1, 152, y, gbm_scale(CK_EDGE, 0.8f));
    };
    // Audio selector and markers.
    gbm_text(img, rx(542), 279, "AUDIO", 1, CK_LABEL);
    for (int k = 0; k < 5; k++) ck_window(img, rx(541) + 20 * k, 288, rx(559) + 20 * k, 301, kSocket);
    for (int k = 0; k < 3; k++) ck_window(img, rx(494 + 16 * k), 292, rx(507 + 16 * k), 301, kSocket);
    divider(262);
    // The DME source selector's label.
    gbm_text(img, rx(611), 279, "DME", 1, CK_LABEL);
    // The second COM (left) and NAV (right): frequencies at y 191 over their knobs at 171.
    ck_window(img, rx(519), 188, rx(560), 201);
    ck_window(img, rx(587), 188, rx(628), 201);
    gbm_text(img, rx(561), 192, "C2", 1, CK_LABEL);
    gbm_text(img, rx(629), 192, "N2", 1, CK_LABEL);
    for (int x : {534, 558, 602, 626}) ck_knob(img, static_cast<float>(rx(x)), 171.0f, 10.0f);
    divider(157);
    // Transponder: four digit windows over their knobs, the ident button at the left.
    for (int k = 0; k < 4; k++) {
        ck_window(img, rx(565) + 20 * k, 142, rx(577) + 20 * k, 153);
        ck_knob(img, static_cast<float>(rx(571) + 20 * k), 130.0f, 8.0f);
    }
    raised_box(img, rx(521), 126, rx(550), 155, kButton);
    ck_text_c(img, rx(535), 137, "IDT", CK_LABEL);
    divider(116);
    // Autopilot mode buttons with their captions.
    static const char* const ap[7] = {"HDG", "NV1", "NV2", "ALT", "VS", "GS", "AS"};
    static const int ap_x[7] = {497, 517, 537, 560, 580, 600, 620};
    for (int k = 0; k < 7; k++) {
        ck_window(img, rx(ap_x[k]) - 1, 86, rx(ap_x[k]) + 17, 100, kSocket);
        ck_text_c(img, rx(ap_x[k]) + 8, 104, ap[k], CK_LABEL);
    }
    divider(78);
    // Fuel gauge: empty at 514, marks at 514, 529 and 544, full at 545.
    gbm_text(img, rx(518), 51, "FUEL", 1, CK_LABEL);
    ck_window(img, rx(511), 40, rx(549), 49, gbm_rgb(20, 20, 22));
    for (int x : {514, 529, 544}) gbm_fill_rect(img, rx(x), 40, rx(x) + 1, 49, CK_INK);
    gbm_text(img, rx(511), 31, "E", 1, CK_LABEL);
    gbm_text(img, rx(543), 31, "F", 1, CK_LABEL);
    // Parking brake and trims.
    gbm_text(img, rx(496), 23, "PARK BRK", 1, CK_LABEL);
    raised_box(img, rx(495), 5, rx(564), 20, kButton);
    for (int k = 0; k < 2; k++) {
        const int y = k == 0 ? 47 : 17;
        ck_window(img, rx(571), y - 5, rx(603), y + 6, gbm_rgb(20, 20, 22));
        for (int x : {572, 586, 600}) gbm_fill_rect(img, rx(x), y - 5, rx(x) + 1, x == 586 ? y + 6 : y - 2, CK_INK);
        gbm_text(img, rx(572), y + 7, k == 0 ? "AIL" : "RUD", 1, CK_LABEL);
    }
}

// The GPS unit, 141 by 68 at (500, 210) from the stack's slot: its screen (501..620 by 231..276),
// which also carries the first COM and NAV frequencies and the DME on aircraft with the first
// navigation receiver; the two knobs below it (536..556 and 593..613, y 210..230, the COM 1 and NAV 1
// knobs on those aircraft) and the sockets of the kind buttons at 621..641 (y 264, 244, 224).
void gps(GbmImage& img)
{
    raised_box(img, 0, 0, img.w, img.h, kStack);
    ck_window(img, 1, 21, 121, 67, gbm_rgb(6, 20, 10));
    ck_knob(img, 46, 10, 8.0f);
    ck_knob(img, 103, 10, 8.0f);
    for (int y : {54, 34, 14}) ck_window(img, 122, y - 1, 140, y + 13, kSocket);
}

// The glass panel's displays, 389 by 300 from the slot at (0, 0): the flight display (speed tape,
// attitude, altitude tape, heading and vertical speed) and the map display (screen 182 by 224 from
// (199, 48) over its six buttons), and the altimeter setting's knob at (175, 15).
void efis(GbmImage& img)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    raised_box(img, 0, 34, 196, 300, gbm_rgb(30, 31, 34));
    ck_window(img, 3, 37, 193, 297, gbm_rgb(3, 4, 6));
    raised_box(img, 197, 12, 389, 300, gbm_rgb(30, 31, 34));
    ck_window(img, 199, 48, 382, 273, gbm_rgb(3, 4, 6));
    for (int k = 0; k < 6; k++) raised_box(img, 201 + 30 * k, 20, 229 + 30 * k, 36, gbm_rgb(60, 62, 68));
    for (int k = 0; k < 4; k++) ck_window(img, 272 + 30 * k, 40, 276 + 30 * k, 43, kSocket);
    ck_knob(img, 175, 15, 8.0f);
    gbm_text(img, 143, 12, "BARO", 1, CK_LABEL);
}

// The gear plate, 34 by 62 at 608 from the stack's slot: the handle's slot (the handle 14 by 28 at
// 616, y 30), the three lamps' sockets at 616, 622 and 628.
void gear(GbmImage& img)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    raised_box(img, 1, 0, 33, 62, gbm_rgb(44, 46, 50));
    ck_window(img, 14, 31, 16, 57, kSocket);
    for (int k = 0; k < 3; k++) ck_window(img, 8 + 6 * k, 18, 13 + 6 * k, 23, kSocket);
    gbm_text(img, 23, 50, "UP", 1, CK_LABEL);
    gbm_text(img, 23, 32, "DN", 1, CK_LABEL);
    gbm_text(img, 5, 5, "GEAR", 1, CK_LABEL);
}

// The engine display, 155 by 170 at (645, 140) from the lever strip's slot: five page buttons
// along the bottom (their captions at y 156 and lamps at y 150 are the simulator's) and the screen,
// 149 by 141 from (648, 167).
void ecam(GbmImage& img)
{
    raised_box(img, 0, 0, img.w, img.h, kStack);
    ck_window(img, 3, 27, 152, 168, gbm_rgb(3, 4, 6));
    for (int k = 0; k < 5; k++) raised_box(img, 1 + 30 * k, 2, 29 + 30 * k, 25, gbm_rgb(60, 62, 68));
}

// The exhaust gauge, 54 by 14 at 29 left of and 4 above its place: the marker runs from 8 left of
// the place (ratio 0) to 22 right (ratio 1), from 8 to 12 above it.
void egt(GbmImage& img)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    gbm_text(img, 1, 4, "EGT", 1, CK_LABEL);
    ck_window(img, 19, 3, 53, 12, gbm_rgb(20, 20, 22));
    for (int k = 0; k <= 4; k++) {
        const int x = 21 + (30 * k) / 4;
        gbm_fill_rect(img, x, 3, x + 1, k % 2 == 0 ? 6 : 5, k == 4 ? CK_RED : CK_INK);
    }
}

// A lever's plate with a slot from y0 to y1 at x.
void plate(GbmImage& img, int slot_x, int y0, int y1)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    raised_box(img, 0, 0, img.w, img.h, gbm_rgb(44, 46, 50));
    ck_window(img, slot_x, y0, slot_x + 2, y1, kSocket);
}

// Speed brake, 28 by 52 at (692, 78): armed (automatic brakes only) at the top, then in, half and
// full going down, 10 apart.
void sbrk(GbmImage& img, int automatic)
{
    plate(img, 15, 8, 48);
    static const char* const marks[4] = {"A", "0", "1", "2"};
    for (int k = automatic ? 0 : 1; k < 4; k++) gbm_text(img, 3, 42 - 10 * k, marks[k], 1, CK_LABEL);
}

// Pitch trim, 16 by 66 at (782, 72): nose down at the top (y 122), up at the bottom (y 81).
void trim(GbmImage& img)
{
    plate(img, 7, 8, 52);
    for (int k = 0; k < 11; k++) gbm_fill_rect(img, 5, 9 + 4 * k, 12, 10 + 4 * k, gbm_rgb(70, 72, 76));
    gbm_text(img, 2, 57, "DN", 1, CK_LABEL);
    gbm_text(img, 2, 0, "UP", 1, CK_LABEL);
}

// Wing sweep, 30 by 50 at (736, 72): forward at the top (y 112), aft at the bottom (y 73).
void swee(GbmImage& img)
{
    plate(img, 14, 4, 46);
    gbm_text(img, 24, 41, "F", 1, CK_LABEL);
    gbm_text(img, 24, 2, "A", 1, CK_LABEL);
}

// Thrust vector, 44 by 58 at (730, 72): 0 degrees at the top (y 126), 120 at the bottom (y 73).
void vect(GbmImage& img)
{
    plate(img, 28, 3, 56);
    for (int v = 0; v <= 120; v += 30) {
        char s[12];
        std::snprintf(s, sizeof s, "%d", v);
        const float centre = 58.5f - 0.44167f * static_cast<float>(v);
        int y = static_cast<int>(std::lround(centre)) - 3;
        if (y > 51) y = 51;
        if (y < 1) y = 1;
        gbm_text(img, 2, y, s, 1, CK_LABEL);
    }
}

}  // namespace

void gbm_make_cockpit(GbmImage& img, int which)
{
    switch (which) {
    case CKP_PANL_P: panel(img, 0); break;
    case CKP_PANL_H: panel(img, 1); break;
    case CKP_STATBAR: statbar(img); break;
    case CKP_RADIOS: radios(img); break;
    case CKP_GPS: gps(img); break;
    case CKP_EFI: efis(img); break;
    case CKP_GEAR: gear(img); break;
    case CKP_ECAM: ecam(img); break;
    case CKP_EGT: egt(img); break;
    case CKP_SBRKA: sbrk(img, 1); break;
    case CKP_SBRKM: sbrk(img, 0); break;
    case CKP_TRIM: trim(img); break;
    case CKP_SWEE: swee(img); break;
    default: vect(img); break;
    }
}

// ---- the switch-and-lever sheet ------------------------------------------------------------------

namespace {

// The width and height each frame's picture fills from the frame's lower-left corner; the panel
// draws each frame with exactly this size.
const int kHandSize[16][2] = {
    {15, 15}, {15, 15}, {14, 28}, {14, 28}, {16, 12}, {16, 12}, {14, 14}, {14, 14},
    {13, 9},  {9, 9},   {9, 9},   {30, 8},  {20, 8},  {12, 9},  {14, 6},  {26, 10},
};

void hand_frame(GbmImage& img, int k)
{
    const float x0 = static_cast<float>((k % 4) * 32), y0 = static_cast<float>((k / 4) * 32);
    const float w = static_cast<float>(kHandSize[k][0]), h = static_cast<float>(kHandSize[k][1]);
    const float cx = x0 + w * 0.5f, cy = y0 + h * 0.5f;
    const GbmColor chrome = {200, 202, 208}, black = {20, 20, 22}, white = {236, 236, 230};
    switch (k) {
    case 0:
    case 1: {  // brightness knob, dim and bright: its pointer to the lower left or lower right
        gbm_disc(img, cx, cy, 6.8f, k == 1 ? CK_AMBER : gbm_rgb(60, 62, 66), 1.0f);
        gbm_disc(img, cx, cy, 5.5f, gbm_rgb(30, 30, 32), 1.0f);
        const GbmPt e = ck_polar(cx, cy, k == 0 ? 225.0f : 135.0f, 5.0f);
        gbm_stroke(img, {{cx, cy}, e}, 1.6f, white, 1.0f);
        break;
    }
    case 2:
    case 3: {  // gear handle up and down: a wheel-shaped knob on a bar
        const float ky = k == 2 ? y0 + h - 6.0f : y0 + 6.0f;
        gbm_fill_rect(img, static_cast<int>(cx) - 1, static_cast<int>(y0 + 2), static_cast<int>(cx) + 1,
                      static_cast<int>(y0 + h - 2), chrome);
        gbm_disc(img, cx, ky, 5.8f, white, 1.0f);
        gbm_ring(img, cx, ky, 3.0f, 4.2f, gbm_rgb(90, 90, 90), 1.0f);
        break;
    }
    case 4:
    case 5:  // push button, off and lit
        gbm_fill_rect(img, static_cast<int>(x0) + 1, static_cast<int>(y0) + 1, static_cast<int>(x0 + w) - 1,
                      static_cast<int>(y0 + h) - 1, k == 5 ? gbm_rgb(80, 230, 100) : gbm_rgb(62, 64, 70));
        gbm_bevel(img, static_cast<int>(x0) + 1, static_cast<int>(y0) + 1, static_cast<int>(x0 + w) - 1,
                  static_cast<int>(y0 + h) - 1, true);
        break;
    case 6:
    case 7: {  // toggle switch, off (down) and on (up)
        gbm_disc(img, cx, cy, 5.0f, gbm_rgb(110, 112, 118), 1.0f);
        gbm_disc(img, cx, cy, 3.2f, gbm_rgb(60, 62, 66), 1.0f);
        const float ty = k == 7 ? y0 + h - 2.0f : y0 + 2.0f;
        gbm_stroke(img, {{cx, cy}, {cx, ty}}, 3.0f, chrome, 1.0f);
        gbm_disc(img, cx, ty, 2.0f, white, 1.0f);
        break;
    }
    case 8:  // throttle knob: black, rounded
        gbm_fill_poly(img, {{x0 + 1, y0 + 1}, {x0 + 1, y0 + h - 1}, {x0 + w - 1, y0 + h - 1}, {x0 + w - 1, y0 + 1}}, black, 1.0f);
        gbm_fill_rect(img, static_cast<int>(x0) + 2, static_cast<int>(y0 + h) - 3, static_cast<int>(x0 + w) - 2,
                      static_cast<int>(y0 + h) - 2, gbm_rgb(80, 80, 84));
        break;
    case 9:   // propeller knob, blue
    case 10:  // mixture knob, red
        gbm_disc(img, cx, cy, 4.3f, k == 9 ? gbm_rgb(50, 80, 210) : CK_RED, 1.0f);
        gbm_disc(img, cx - 1.0f, cy + 1.0f, 1.6f, gbm_rgb(230, 230, 240), 0.6f);
        break;
    case 11:  // flap handle: a white wing section
        gbm_fill_poly(img, {{x0 + 1, cy}, {x0 + 7, y0 + h - 1}, {x0 + w - 1, cy + 1}, {x0 + w - 1, cy - 1}, {x0 + 7, y0 + 1}}, white, 1.0f);
        break;
    case 12:  // speed brake handle: grey with black stripes
        gbm_fill_rect(img, static_cast<int>(x0) + 1, static_cast<int>(y0) + 1, static_cast<int>(x0 + w) - 1,
                      static_cast<int>(y0 + h) - 1, gbm_rgb(160, 162, 166));
        for (int i = 0; i < 4; i++)
            gbm_fill_rect(img, static_cast<int>(x0) + 3 + 4 * i, static_cast<int>(y0) + 2, static_cast<int>(x0) + 5 + 4 * i,
                          static_cast<int>(y0 + h) - 2, black);
        break;
    case 13:  // carburettor heat knob
        gbm_fill_rect(img, static_cast<int>(x0) + 1, static_cast<int>(y0) + 1, static_cast<int>(x0 + w) - 1,
                      static_cast<int>(y0 + h) - 1, gbm_rgb(60, 62, 66));
        gbm_text(img, static_cast<int>(x0) + 4, static_cast<int>(y0) + 1, "H", 1, white);
        break;
    case 14:  // trim pointer, pointing right
        gbm_fill_poly(img, {{x0 + 1, y0 + 1}, {x0 + 1, y0 + h - 1}, {x0 + w - 1, cy}}, white, 1.0f);
        break;
    default:  // collective grip with its buttons
        gbm_fill_rect(img, static_cast<int>(x0) + 1, static_cast<int>(y0) + 1, static_cast<int>(x0 + w) - 1,
                      static_cast<int>(y0 + h) - 1, gbm_rgb(44, 44, 48));
        gbm_disc(img, x0 + w - 5.0f, cy, 2.3f, CK_RED, 1.0f);
        gbm_disc(img, x0 + w - 11.0f, cy, 2.0f, white, 1.0f);
        break;
    }
}

}  // namespace

// The switch and lever sheet, 4 x 4 frames of 32 x 32, frame k at column k mod 4 and row k div 4
// from the bottom: 0/1 brightness knob dim/bright, 2/3 gear handle up/down, 4/5 button off/lit,
// 6/7 toggle switch off/on, 8 throttle, 9 propeller and 10 mixture knobs, 11 flap handle, 12 speed
// brake handle, 13 carburettor heat knob, 14 trim pointer, 15 collective grip. Each picture fills
// the frame's lower-left corner to its size (kHandSize) on the panel's paint.
void gbm_make_hand(GbmImage& img, int)
{
    gbm_fill_rect(img, 0, 0, img.w, img.h, CK_PAINT);
    for (int k = 0; k < 16; k++) hand_frame(img, k);
}

int gbm_hand_size(int frame, int* w, int* h)
{
    if (frame < 0 || frame > 15) return 0;
    *w = kHandSize[frame][0];
    *h = kHandSize[frame][1];
    return 1;
}
