// panel.h -- the instrument panel: slot layout and scale factors at aircraft load, the static face
// drawn into window 0's picture, and the moving parts drawn every frame.
#pragma once
#include <cstdint>

// ---- layout (set by every load of the user's aircraft) ----------------------------------------------

// Slots of ins.avail, ins.x_loc and ins.y_loc; the same numbers are the instrument kinds of
// pln.ins_of_loc.
enum {
    SLOT_ASI = 1, SLOT_AHZ = 2, SLOT_ALT = 3, SLOT_SUPP = 4, SLOT_TURN = 5, SLOT_HSI = 6, SLOT_VVI = 7,
    SLOT_ADF = 8, SLOT_EFIS = 9, SLOT_BARO = 10, SLOT_RADIOS = 11, SLOT_ENGINES = 12,
};

// Engine strip: lever x of each engine's throttle, propeller and mixture, and the x of each engine's
// three gauges (rows 0..2), all relative to ins.x_loc[12]; the rows' y; the switch row's x shift
// (-100 for a helicopter).
extern float thro_x[4], prop_x[4], mixt_x[4];
extern float en_x[3][4], en_y[3];
extern float osh;

// Slots, scale factors and lever positions of the loaded user's aircraft. A fourth wide instrument
// in a row is the fatal alert.
void panel_layout_setup(void);

// The airspeed dial: whole degrees from the dial's start for speed v (the aircraft's airspeed
// units), truncated and limited to 0..330.
int asi_angle(float v);
// The altimeter's hands for an indicated altitude in feet: the long hand (1,000 ft a turn), the
// short hand (10,000 ft a turn), both in whole degrees 0..359, and the drum's hundreds of feet.
void alt_hands(float feet, int* long_hand, int* short_hand, int* hundreds);
// 1 when the switch row has the hook, chute, anti-ice and rocket switches: every panel but a
// helicopter's. A switch the panel does not show does not act either.
int panel_equipment_switches(void);

// ---- static face (drawn into rgb_array whenever window 0 is set up) --------------------------------

void panel_static(void);
void init_asi(void);
void init_vvi(void);
void init_egt(int engine);
void init_tac(int engine);
void init_n1_(int engine);
void init_mpr(int engine);
void init_trq(int engine);
void init_ff_(int engine);
// Scale marks of an engine gauge at (x, y): values from..to by step, labels (value / divisor) on
// multiples of label_every, angle (round gauges, from the bottom) or height (tapes) value * scale.
void tape_arc(const char* label, float x, float y, float from, float to, float step, float divisor,
              float scale, float label_every);
void init_entick(float x, float y, float pos, int labelled, float shown);
void tape_arc_mark(int colour, float x, float y, float r1, float r2, float from, float to, float offset);
void init_handle(int kind);

// Every interface picture the static face may draw, by the name the picture loader takes.
const char* const* panel_picture_names(int* n);

// ---- moving parts (every frame while window 0 shows the panel) --------------------------------------

void update_panel(void);

// The steps of update_panel that draw nothing, in its order: the gyros and the magnetic compass.
void panel_gyros(void);
void panel_compass(void);
float panel_compass_card(void);   // degrees 0..360, the compass card as last moved
// The status bar's texts as they stand now; *colour gets the message's colour.
const char* panel_controls_text(void);
const char* panel_mode_text(void);
const char* panel_message(int* colour);

// The flight instruments.
void update_airspeed(void);
void update_arthoriz(void);
void update_alt(void);
void update_turnslip(void);
void update_vvi(void);

// Needle and card states as the instruments last drew them (a failed instrument keeps its own).
struct panel_needles {
    int asi_angle, asi_digital;   // degrees, speed
    int alt_dat;                  // altimeter: the long hand's degrees before wrapping to one turn
    float turn, slip, vvi;        // degrees, pixels, degrees before the -90 offset
    int pitch_px, roll_deg;       // attitude indicator: horizon offset and roll 0..359
};
panel_needles panel_needle_state(void);
// Forgets every needle and gyro state (a new flight's panel starts from rest).
void panel_reset_needles(void);

// ---- engine and system instruments --------------------------------------------------------------------

// Every engine's gauges by its engine type (one shared set on a helicopter, the afterburners'
// "BURN"), or the page of the engine display when it is fitted and not on its gauge page (3).
void update_engine_gauges(void);
void update_egt(int engine);
void update_tac(int engine);
void update_n1_(int engine);
void update_mpr(int engine);
void update_trq(int engine);
void update_ff_(int engine);
// The engine display's page ins.ecam_mode: 4 fuel, 5 flight controls, 6 hydraulics, 7 failures.
void update_ecam(void);
// The gauges, in the order of panel_full_scale.
enum { GAUGE_RPM = 0, GAUGE_N1 = 1, GAUGE_MP = 2, GAUGE_TRQ = 3, GAUGE_FF = 4 };
// What gauge `which` of an engine shows: shaft rpm, N1 per cent, inches of mercury, per cent of
// the torque at full power, pounds an hour (fuel flow held within its full scale); never below 0.
float engine_gauge_value(int which, int engine);
// The exhaust marker's smoothed ratio 0..1 as last drawn.
float engine_egt_ratio(int engine);

// ---- navigation instruments ----------------------------------------------------------------------------

// The course and glide-slope indicator (receiver 1) and the situation indicator (receiver 2), given
// the needles' offsets in pixels.
void update_VORandGS(float course_px, float slope_px);
void update_HSI(float course_px, float slope_px);
void update_ADF(void);
void update_RMI(void);
void update_radalt(void);
void update_stormscope(void);
void update_vari(void);
void update_DME(void);
void update_GPS(void);
// The radar altimeter's dial: degrees for a height in feet (0..2,500).
float radalt_dial(float feet);
// The radar altimeter's height: the main wheels above the ground, feet, 0..2,500.
float radalt_feet(void);
// The beacon's bearing from the nose, degrees 0..360.
float adf_bearing(void);
// The DME readout as last drawn: distance (nm), ground speed (kt), minutes to the station.
struct dme_reading {
    int good;
    float distance, speed, minutes;
};
dme_reading dme_now(void);
// The navigation instruments' kept state.
struct nav_needles {
    float card;       // degrees, the cards' heading
    float adf;        // degrees from the nose
    float rmi;        // degrees magnetic
    int below;        // under the decision height (tone given)
    float vari_fpm;   // the variometer's rate
    int strikes;      // strikes on the stormscope
    int next_strike;  // the slot the next strike takes
};
nav_needles panel_nav_state(void);

// ---- glass displays -----------------------------------------------------------------------------------

// Display `kind`: 11 the glass panel's map (slot 9), 12 the glass moving map and 13 the weather radar
// (slot 4), in their modes (0 centred, track up; 1 low, track up; 2 centred, north up) and ranges.
void update_glass(int kind);
// The map symbol of `kind` (1 airport, 2 beacon, 3 VOR) centred on (x, y); an airport's identifier
// (its first four characters) beside it.
void hs_plot_nav(int kind, float x, float y, const char* id);

// ---- the radio strip ---------------------------------------------------------------------------------

// The lamps, clock, fuel gauge, transponder and frequencies of the radio strip.
void update_radio_strip(void);
// Marker lamp `which` (0 outer, 1 middle, 2 inner) lights in its beacon's blink pattern: over the
// beacon, on these counts of the tenth-second counter.
int marker_lit(int which, int over, int cntr10);
// A gear leg's lamp: dark, down (lit green) or in transit (leg and handle disagree); all dark
// without electrical power.
enum { GEAR_DARK = 0, GEAR_DOWN = 1, GEAR_TRANSIT = 2 };
int gear_lamp_state(int leg);
// The transponder's reply lamp colour now, -1 when it is not drawn.
int reply_lamp_colour(void);
// The fuel pointer's pixels right of the empty mark (0..31).
float fuel_pointer_offset(void);

// ---- drawing helpers (also used by the head-up display and the navigation instruments) -------------

void plot_needle(float x, float y, int angle, float r1, float r2, int colour, int kind);
void plot_pointer(float x, float y, int colour);
void plot_gs(float x, float y);
void plot_efis_light(float x, float y, int lit);
void plot_argus_button(float x, float y, int kind);
void plot_marker(float x, float y, int kind);
void plot_dg(float x, float y, float heading, float size);
void plot_hline(int colour, float x1, float x2, float y);
// n line segments (x1, y1, x2, y2) of one colour, each as OGL_line draws it, in one batch.
void plot_segments(int colour, const float (*seg)[4], int n);
// Sky and ground of an attitude picture whose row i lies at y0 + i between x1[i] and x2[i], the
// horizon through (hx, hy) turned by the roll angle (whole degrees). Rows are filled whole, one
// logical unit high, split along the horizon's straight line, at any window scale.
void plot_ahregion(int colour_sky, int colour_ground, const float* x1, const float* x2, int row_lo, int row_hi,
                   float y0, float hx, float hy, int roll);
void plot_vtape(float x, float y, float value);
// A window `width` columns wide onto a picture of rows by cols colour indices ([row][column], lit
// where 0), its first column the picture's column `first` (wrapped round the picture), lower left
// at (x, y).
void plot_htape(float x, float y, const int32_t* picture, int rows, int cols, int first, int width);
void plot_tape_bug(int colour, float x, float y, float half_length, float offset);
// A scrolling scale; kind 14 is horizontal (headings), 15 vertical without values below 0, any other
// vertical.
void plot_glass_tape(int colour, float label_pos, float edge, float centre, float half_length, float label_gap,
                     float value, float step, float label_every, float px_per_unit, int kind);
void plot_handle(float x, float y, float width, float height, int frame);
