// panel_local.h -- what the panel's modules share: the geometry of the switch row, the radio strip,
// the engine strip and the switch-and-lever sheet, the glass panel's tapes, and small helpers.
#pragma once
#include "hl_types.h"

// The interface pictures of the static face, in the order of panel_picture_names.
enum {
    PIC_PANL_P, PIC_PANL_H, PIC_STATBAR, PIC_RADIOS, PIC_ASI, PIC_AHZ, PIC_ALT, PIC_TRN,
    PIC_NED, PIC_HSI, PIC_VVI, PIC_ADF, PIC_TIM, PIC_VOR, PIC_STR, PIC_ARG,
    PIC_RLT, PIC_VAR, PIC_RAD, PIC_GPS, PIC_EFI, PIC_GEAR, PIC_ECAM, PIC_EGT,
    PIC_ENG_IN, PIC_SBRKA, PIC_SBRKM, PIC_TRIM, PIC_SWEE, PIC_VECT, PIC_COUNT
};

// The switch-and-lever sheet (texture 149): 4 by 4 frames of 32 texels, frame k at column k mod 4 and
// row k div 4. Each frame's picture sits in the frame's lower-left corner, as wide and high as below,
// so plot_handle shows it whole with those sizes.
enum {
    HAND_KNOB_DIM = 0, HAND_KNOB_BRIGHT = 1, HAND_GEAR_UP = 2, HAND_GEAR_DOWN = 3,
    HAND_BUTTON_OFF = 4, HAND_BUTTON_ON = 5, HAND_SWITCH_OFF = 6, HAND_SWITCH_ON = 7,
    HAND_THROTTLE = 8, HAND_PROP = 9, HAND_MIXTURE = 10, HAND_FLAP = 11,
    HAND_SBRK = 12, HAND_CARB = 13, HAND_TRIM = 14, HAND_COLLECTIVE = 15,
};
struct hand_size {
    float w, h;
};
inline constexpr hand_size HAND_SIZE[16] = {
    {15, 15}, {15, 15}, {14, 28}, {14, 28}, {16, 12}, {16, 12}, {14, 14}, {14, 14},
    {13, 9},  {9, 9},   {9, 9},   {30, 8},  {20, 8},  {12, 9},  {14, 6},  {26, 10},
};

// The switch row along the panel's top edge: boxes 40 wide from y 314 (the click zones), the toggle
// drawn 25 right of the box's left edge, 14 by 14 from y 315; unfitted switches are greyed over 38 by 15 from 1 right.
inline constexpr float SWITCH_Y = 314.0f;
inline constexpr float SWITCH_TOGGLE_DX = 25.0f;
inline constexpr float SW_HUD = 26.0f, SW_HOOP = 72.0f, SW_BRT = 118.0f;
inline constexpr float SW_CHUTE = 498.0f, SW_HOOK = 544.0f, SW_ANTIICE = 590.0f, SW_JATO = 682.0f;
inline constexpr float SW_JETTISON = 636.0f;   // plus osh
inline constexpr float SW_PAUSE = 730.0f;      // plus osh, 60 wide

// The radio strip, x relative to ins.x_loc[11]: the strip's picture, the marker lamps, the audio and
// DME selector buttons, the autopilot's mode buttons, the gear handle, the GPS box and the trims.
inline constexpr float RADIOS_X = 489.0f, RADIOS_W = 155.0f, RADIOS_H = 305.0f;
inline constexpr float MARKER_X[3] = {494.0f, 510.0f, 526.0f};
inline constexpr float MARKER_Y = 292.0f;
inline constexpr float AUDIO_X = 542.0f, AUDIO_Y = 289.0f;          // five buttons 20 apart: 4, 0, 1, 2, 3
inline constexpr float DME_SEL_X = 602.0f, DME_SEL_Y = 264.0f;      // receivers 0 and 1, 20 apart
inline constexpr float GPS_MODE_X = 623.0f;                          // y 264 mode 1, 244 mode 3, 224 mode 2
inline constexpr float AP_BUTTON_X[7] = {497.0f, 517.0f, 537.0f, 560.0f, 580.0f, 600.0f, 620.0f};
inline constexpr float AP_BUTTON_Y = 87.0f;
inline constexpr float GEAR_X = 616.0f, GEAR_Y = 30.0f;
inline constexpr float GPS_X = 500.0f, GPS_Y = 210.0f, GPS_W = 141.0f, GPS_H = 68.0f;
inline constexpr float TRIM_X = 586.0f, AIL_TRIM_Y = 47.0f, RUD_TRIM_Y = 17.0f;
// The GPS unit's screen, shared by the GPS readouts and, on an aircraft with the first navigation
// receiver, the DME readouts and the first COM and NAV frequencies.
inline constexpr float GPS_SCREEN_X = 502.0f, GPS_SCREEN_Y = 231.0f, GPS_SCREEN_W = 119.0f, GPS_SCREEN_H = 46.0f;
// Readouts as value x and unit x: the GPS's distance, ground speed and time (y 238), the DME's
// (y 270). Every value's digits end a pixel before its unit.
inline constexpr float GPS_READ_Y = 238.0f, DME_READ_Y = 270.0f;
inline constexpr float GPS_DIST_X = 502.0f, GPS_SPEED_X = 540.0f, GPS_TIME_X = 578.0f;
inline constexpr float GPS_UNIT_X[3] = {526.0f, 564.0f, 596.0f};
inline constexpr float DME_DIST_X = 502.0f, DME_SPEED_X = 540.0f, DME_TIME_X = 572.0f;
inline constexpr float DME_UNIT_X[3] = {526.0f, 558.0f, 590.0f};
// The GPS's other lines: the waypoint's name (y 268), its magnetic course and identifier (y 253),
// the course-deviation bar between them and the lines of the kind buttons.
inline constexpr float GPS_NAME_Y = 268.0f, GPS_COURSE_Y = 253.0f, GPS_ID_X = 526.0f;
inline constexpr float GPS_BAR_X = 560.0f, GPS_BAR_Y = 246.0f;
inline constexpr float GPS_MODE_LINE_X = 621.0f;
// Frequencies, COM left and NAV right: row 0 (y 240) the first receivers, row 1 (y 191) the second.
inline constexpr float COM_FREQ_X = 524.0f, NAV_FREQ_X = 592.0f;
inline constexpr float FREQ_Y[2] = {240.0f, 191.0f};
// The transponder's four digit windows (20 apart) and its reply lamp on the ident button.
inline constexpr float XPDR_X = 568.0f, XPDR_Y = 144.0f;
inline constexpr float REPLY_X = 530.0f, REPLY_Y = 146.0f, REPLY_W = 10.0f, REPLY_H = 5.0f;
// The fuel gauge's pointer (empty at 514, full 31 further), the parking-brake lamp, the gear lamps.
inline constexpr float FUEL_X = 514.0f, FUEL_SPAN = 31.0f, FUEL_Y = 42.0f;
inline constexpr float BRAKE_X = 512.0f, BRAKE_Y = 9.0f;
inline constexpr float GEAR_LAMP_X[3] = {616.0f, 622.0f, 628.0f};
inline constexpr float GEAR_LAMP_Y = 18.0f, GEAR_LAMP_SIZE = 5.0f;
// The clock's readout window under the slot-4 instrument, from the slot's point.
inline constexpr float CLOCK_DX = 15.0f, CLOCK_DY = -71.0f;
// The gear plate's picture.
inline constexpr float GEAR_PLATE_X = 608.0f, GEAR_PLATE_Y = 0.0f;

// The engine strip, x relative to ins.x_loc[12]: lever plates and the ECAM screen.
inline constexpr float ECAM_X = 645.0f, ECAM_Y = 140.0f;
inline constexpr float ECAM_LABEL_Y = 156.0f;

// The face pictures' sizes where the drawing code needs them.
inline constexpr int FACE = 128;          // the six round instruments' bezels
inline constexpr int ENG_FACE = 76;       // "eng_in"
inline constexpr int EGT_W = 54, EGT_H = 14;   // drawn 29 left of and 4 above row 0's point

// The glass panel: the tapes' tick edges and label columns, relative to their slots.
inline constexpr float GLASS_ASI_EDGE = 25.0f, GLASS_ASI_LABEL = 3.0f;
inline constexpr float GLASS_ALT_EDGE = -12.0f;
inline constexpr float GLASS_HDG_Y = -58.0f;     // heading tape under the attitude picture, clear of the HSI
inline constexpr float TAPE_HALF = 51.0f;

// A round-gauge panel (1) rather than a glass one (2).
inline int panel_round(void) { return pln[0].paneltype != 2; }
// A whole-degree angle wrapped into 0..359.
inline int wrap_deg(int a)
{
    a %= 360;
    return a < 0 ? a + 360 : a;
}
// 1 while receiver r hears a glide slope (ilsgs then holds its angle). A localizer alone (0) and a
// VOR (9) leave the glide-slope fields as the last glide slope heard, and a frequency with no
// station (goodnav 0) leaves ilsgs as well: the fields are read only while both say one is heard.
inline int hears_glide_slope(int r) { return nav.goodnav[r] && nav.ilsgs[r] != 0 && nav.ilsgs[r] != 9; }
// The point at radius r and whole-degree angle a (clockwise from up) from (x, y).
inline float dial_x(float x, int a, float r) { return x + r * lookup_sin[wrap_deg(a)]; }
inline float dial_y(float y, int a, float r) { return y + r * lookup_cos[wrap_deg(a)]; }

// The full scale of gauge `which` (0 rpm, 1 N1, 2 manifold pressure, 3 torque, 4 fuel flow).
float panel_full_scale(int which);
// Colour of engine scale marks: 0 on a round-gauge panel, 38 on a glass panel.
inline int scale_colour(void) { return panel_round() ? 0 : 38; }

// Forgets the vacuum failure the gyros saw and the compass card (panel_update.cpp).
void panel_reset_update_state(void);
// Forgets the exhaust markers' ratios (panel_engine.cpp).
void panel_reset_engines(void);
// Forgets the navigation instruments' needles, cards, strikes and histories (panel_nav.cpp).
void panel_reset_nav(void);
