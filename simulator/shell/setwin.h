// setwin.h -- the settings and data windows (1..25 but the maps and the graph): their per-frame
// routines, the slider, failure-row and data-row controls they share, and the mappings behind them.
#pragma once

// ---- the per-frame routines, one per window, called while their window is on top -------------------

// Location: airport by identifier (1), by name (2), world map (4), latitude and longitude (5),
// where am I (6), the isometric region (23).
void manage_id_(void);
void manage_nam(void);
void manage_wrl(void);
void manage_lat(void);
void manage_whr(void);
void manage_iso(void);
// Environment: time of day (9), space (11), atmosphere (12), ground (13), water (14).
void manage_tim(void);
void manage_spa(void);
void manage_atm(void);
void manage_gnd(void);
void manage_wat(void);
// System: data output (7), serial output (8), rendering (10), joystick and flight mode (15),
// sound (20), warnings (21).
void manage_dat(void);
void manage_ser(void);
void manage_ogl(void);
void manage_flt(void);
void manage_snd(void);
void manage_wrn(void);
// Aircraft: weights (16), reliability (17, 18, 19), flight plan (25).
void manage_wgt(void);
void manage_rel(void);
void manage_ins(void);
void manage_eqp(void);
void manage_pln(void);

// 1 during the first pass a window's routine runs after the window was opened; the windows use it
// to take their working copies and to build texts once instead of every pass. Set by the frame
// callback before it calls the routine.
extern int window_fresh;

// ---- shared controls ------------------------------------------------------------------------------

// Slider kinds: 0 vertical, 54 long upwards from (x, y); 1..3 horizontal, 156 long rightwards
// (1 knob colour 50 size 11, 2 colour 50 size 8, 3 colour 42 size 8); 4 horizontal two-sided,
// 78 either side of x.
enum { SCALE_VERT = 0, SCALE_BIG = 1, SCALE_SMALL = 2, SCALE_BLUE = 3, SCALE_TWO_SIDED = 4 };
// Half the width of a slider's track across its direction: a press this close to it moves it.
constexpr float SCALE_GRAB = 6;

// A slider on *value: while the mouse button is down inside the track, the value follows the mouse
// linearly from lo at one end to hi at the other. The value is kept between lo and hi (either may
// be the larger) every pass. 1 when the mouse moved it this pass.
int util_scale(float x, float y, int kind, float lo, float hi, float* value);
// The slider's value for the mouse at (mx, my), or 0 with *out untouched when the mouse is not
// inside the track.
int scale_value_at(float x, float y, int kind, float lo, float hi, float mx, float my, float* out);
// Where the slider's knob stands for value v (along its track: x for horizontal kinds, y for 0).
float scale_knob_pos(float x, float y, int kind, float lo, float hi, float v);

// One failure row of windows 18 and 19: the three-way choice on rel.fail_type[failure] (1 always
// working, 2 mean time to fail, 3 inoperative) and, for choice 2, the two-digit hours field on
// rel.fail_time_max[failure]. first is the first failure of the window (rows count down from y);
// rate is the window's rate slider value, shown beside the row. 1 when either changed.
int util_setfailsit(int failure, int first, float x, float y, float rate);
// The hour limits of a failure row's time field.
constexpr float FAIL_HOURS_MAX = 99;

// Window 7's row of data-output item `item` (0..49): its three channel switches and its label.
// help 1 offers the channels' help texts. 1 when a switch changed.
int util_yval(int item, int help);
// Layout of window 7: the first row's y and the spacing of rows and of the gaps between blocks.
constexpr float DAT_TOP_Y = 360, DAT_ROW_DY = 11, DAT_GAP_DY = 6;
constexpr int DAT_ITEMS = 50;
// The block item belongs to (0..12), and the y and column x (0 left, 1 right) of its row.
int dat_block(int item);
float dat_row_y(int item);
int dat_column(int item);
// The x of the file, graph and cockpit switches of a row in column c.
float dat_switch_x(int column, int channel);

// The isometric projection of window 23: region point (x east, h up, z south, metres) to window
// coordinates. The region is fitted into the window by the scale the last util_isomize_fit chose.
void util_isomize(float x, float h, float z, float* sx, float* sy);
// Chooses the projection's scale and origin so the loaded region fills the window.
void util_isomize_fit(float win_w, float win_h);

// ---- mappings the windows draw and click by ---------------------------------------------------------

// Window 9: the time bar from x 38 (0 h) to 652 (24 h).
constexpr float TIME_BAR_X0 = 38, TIME_BAR_X1 = 652;
float time_bar_hours(float x);
float time_bar_x(float hours);

// Window 4: longitude -180..180 over x 0..788, latitude -60..80 over y 50..443.
float world_map_x(float lon);
float world_map_y(float lat);
float world_map_lon(float x);
float world_map_lat(float y);

// Window 6: the compass word for a bearing (degrees true, any value): eight 45-degree sectors
// centred on north, north-east, .. north-west.
const char* compass_word(float bearing);
// The airport whose first runway lies nearest to (lat, lon) among those with runways, with its
// distance in nautical miles and the bearing from it to the point; -1 when there is none.
int nearest_airport(double lat, double lon, float* nm, float* bearing);

// Window 13: runway condition 1 clean and dry, 2 damp or slushy, 3 wet or icy, and the friction
// ratio each stands for (1.0, 0.7, 0.4); a ratio gives the nearest condition.
float friction_for_condition(int condition);
int condition_for_friction(float ratio);

// Window 14: the wave length (m) and speed (m/s) that follow from a wave height (m).
float wave_length_for(float amp);
float wave_speed_for(float length);

// A word scale's index 0..n-1 for value v of a slider running lo..hi: the range cut in n equal
// parts, the ends included.
int word_index(float v, float lo, float hi, int n);

// Window 16: the weight limits of the three loads (kg) for the user's aircraft.
float payload_max(void);

// Window 10: writes the resolution preference file (width, height, colour bits, one a line).
// 1 on success.
int write_res_prefs(const char* path, int width, int height, int bits);
// The four screen modes of window 10 (1..4) and the mode of a resolution (0 when it is none of them).
void screen_mode(int mode, int* width, int* height, int* bits);
int screen_mode_of(float width, float height, float bits);
