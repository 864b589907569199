// panel.h -- the instrument panel: slot layout and scale factors at aircraft load, the static face
// drawn into window 0's picture, and the moving parts drawn every frame.
#pragma once

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

// ---- drawing helpers (also used by the head-up display and the navigation instruments) -------------

void plot_needle(float x, float y, int angle, float r1, float r2, int colour, int kind);
void plot_pointer(float x, float y, int colour);
void plot_gs(float x, float y);
void plot_efis_light(float x, float y, int lit);
void plot_argus_button(float x, float y, int kind);
void plot_marker(float x, float y, int kind);
void plot_dg(float x, float y, float heading, float size);
void plot_hline(int colour, float x1, float x2, float y);
// Sky and ground of an attitude picture whose row i lies at y0 + i between x1[i] and x2[i], the
// horizon through (hx, hy) turned by the roll angle (whole degrees).
void plot_ahregion(int colour_sky, int colour_ground, const float* x1, const float* x2, int row_lo, int row_hi,
                   float y0, float hx, float hy, int roll);
void plot_vtape(float x, float y, float value);
void plot_tape_bug(int colour, float x, float y, float half_length, float offset);
// A scrolling scale; kind 14 is horizontal (headings), 15 vertical without values below 0, any other
// vertical.
void plot_glass_tape(int colour, float label_pos, float edge, float centre, float half_length, float label_gap,
                     float value, float step, float label_every, float px_per_unit, int kind);
void plot_handle(float x, float y, float width, float height, int frame);
