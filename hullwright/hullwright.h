// hullwright.h -- Hullwright, the aircraft designer: one aircraft record in pln[0], its menus and
// files, the editing windows of its fields with the rules that keep the record consistent, body
// smoothing, and the 3-D preview of the model with its view controls.
#pragma once
#include <cstdint>

// The editor's own state (the library's msc is the simulator's). Cleared and set to its start
// values by hw_defaults at start-up; the view values may then come from the preference file.
struct hullmiscstruct {
    float zoom;            // preview distance factor: below 1 the aircraft looks larger
    int32_t bluesky;       // 1 sky background, 0 black
    int32_t movecons;      // 1 the preview moves the controls
    int32_t planemod;      // 1 the aircraft has unsaved changes
    int32_t planenamed;    // 1 the aircraft has a file name to save under
    int32_t rotate_code;   // 419 or 420 asks for the automatic turn; cleared when it starts
    float dis_to_plane;    // ft, the preview camera's distance unit (the aircraft's half-size)
    float the, psi, phi;   // degrees, view angles
    float xos, yos;        // preview offsets, in units of dis_to_plane

    // The automatic turn in progress, carried from pass to pass.
    float turn_goal;       // degrees to turn in all (135 quick, 855 long); 0 when none runs
    float turned;          // degrees turned so far
    float turn_clock;      // s, the event loop's time at the last step

    // The section editor of the body windows.
    int32_t station;       // the station shown
    int32_t drag_point;    // the outline point held by the mouse, -1 none
};

extern hullmiscstruct hmsc;

// Menu items and window numbers used by name.
enum {
    HW_NEW = 100, HW_OPEN = 101, HW_SAVE = 102, HW_SAVE_AS = 103, HW_QUIT = 105,
    HW_VIEW_TOP = 400, HW_VIEW_BACK = 404,
    HW_HEADING_LEFT = 406, HW_HEADING_RIGHT = 407, HW_ROLL_LEFT = 408, HW_ROLL_RIGHT = 409,
    HW_MOVE_LEFT = 411, HW_MOVE_RIGHT = 412, HW_MOVE_UP = 413, HW_MOVE_DOWN = 414,
    HW_ZOOM_IN = 416, HW_ZOOM_OUT = 417, HW_TURN_QUICK = 419, HW_TURN_LONG = 420,
    HW_SMOOTH_ELLIPSE = 500, HW_SMOOTH_TOTAL = 505,
    HW_AIRPLANE = 510, HW_HELICOPTER = 511,
    HW_WIRE = 513, HW_TEXTURED = 514, HW_STILL = 516, HW_MOVING = 517,
    HW_BLACK = 519, HW_SKY = 520, HW_RELOAD_PAINT = 522, HW_TEMPLATES = 523,
};

// The bodies that smoothing and the body windows work on.
enum { BODY_FUSELAGE = 18, BODY_NACELLE = 19, BODY_MISC = 23, BODY_FAIRING = 25 };

// ---- program, menus and files (hw_main.cpp) -------------------------------------------------------

// A text into a 400-character field of the record, the rest of the field zeroed, so that what is
// written to the file depends on the text alone.
void hw_set_text(char* dst, const char* src);
// The aircraft's file name and path, and its name: the file name less its ".acf".
void hw_set_names(const char* file, const char* path);
// Start values of hmsc and of the wireframe switch.
void hw_defaults(void);
void hw_setupmenus(void);
void hw_handlemenu(int item);
void hw_handlekey(char c);
// 1 to go on with New, Open or Quit: no unsaved changes, or they were saved or let go; 0 to stop.
int do_new_thing(void);
// Opens an aircraft file: with quiet 0 through the open dialog, with quiet 1 the file at C_path
// (the preference file's). A file that cannot be read gets its notice and the aircraft being
// edited is kept. 1 when the file is now the aircraft; an editing window open for the other kind
// then gives way to its counterpart (hw_counterpart_window) or to the preview alone.
int openplane(int quiet);
// Saves the aircraft: under its name, or through the save dialog when it has none or save_as is
// 1. Written whole under a temporary name and renamed into place. 1 when written, and the changes
// are then saved (planemod 0); 0 when the dialog was cancelled or the write failed, with the file
// on disk and planemod as they were.
int writeout(int save_as);
// The preference file: the view, the wireframe and sky switches, and the aircraft last used.
void hw_read_prefs(void);
int hw_write_prefs(void);
// One pass of the program's loop; a request to close the window asks as Quit does.
void hw_pass(void);
// Title and size of editing window id for the aircraft's kind; 0 when it is no window.
int hw_window_info(int id, const char** title, float* dx, float* dy);
// The window of the kind heli that edits what window id of the other kind edits (the same part
// with the same fields: the panel, a body, the horizontal stabilizer, under its own number; the
// airfoils of part 0, an airplane's propeller in Expert "Prop" and a helicopter's main rotor in
// Expert "Main Rotor"); 0 when that kind has none (the Props window, the wings, the rotor windows,
// the tail rotor's and the vertical stabilizers' airfoils).
int hw_counterpart_window(int id, int heli);
// The whole program: single instance, start-up, the event loop, shut-down (program.cpp, with the
// callbacks, so that the designer's code links beside the simulator's in the tests).
int WinMain(void);

// ---- the default aircraft (hw_baseplane.cpp) ------------------------------------------------------

// A complete, flyable new aircraft of the kind pln[0].is_heli holds, named name: both records
// cleared, a random tail number, the default part files and their thicknesses, and its model.
void setup_baseplane(const char* name);

// ---- design rules (hw_design.cpp) -------------------------------------------------------------------

// The thickness ratio of the airfoil file name (in the airfoils folder) into afl[0].trat[part][tip];
// 0 when there is no such airfoil, with the notice "You didn't select a foil!" when the file is there
// but is no airfoil that can be read (a flap, another type or version, damaged). Returns the thickness.
float assign_foil_thickness(const char* name, int part, int tip);
// The root and tip thicknesses of every lifting part the aircraft's kind uses, each file read once.
void assign_all_thicknesses(void);
// The rules kept every pass: right-hand parts copied to the left, pylon 14's shape to the other
// pylons, nacelle 19 to 20..22, body 23 to 24, fairing 25 to 26 and 27; a helicopter's panel has
// no places 4 and 8, its radios are the first kind and its second engine is not canted up.
void hw_consistency(void);
// Blade angles of engine's propeller from its design point: mode 0 from the design speed and rpm,
// mode 1 from the design pitch (inches per turn), which then sets the design speed. The pitch of
// mode 0 comes back through *pitch_in when it is not null.
void design_prop(int engine, int mode, float pitch_in, float* pitch_out);
// The mean height of section s of body b, and the mean distance of the body's inner sections'
// points from their section's mean height (at least 0.01).
float ret_y_center(int b, int s);
float ret_ave_rad(int b);
// Smooths body b towards ellipses; total 1 also evens the sections out along the body and keeps
// its size.
void smoothit(int b, int total);
// The preview's distance unit (ft): the aircraft's largest reach from its centre of gravity.
float find_dis_to_plane(void);

// ---- editing windows (hw_windows.cpp) ----------------------------------------------------------------

// The fields of the open window, drawn and applied for this pass.
void hw_window_fields(void);
// The instrument picker of panel place `place` at (x, y): a click on a row sets the place and
// empties any other place that held that instrument.
void fiddle_ins_loc(int place, float x, float y);
// The element block of lifting part p at (x, y): element count and, per element, incidence and the
// control flags.
void insecbtn(int p, float x, float y);
// The body section editor of body b in the box at (x, y), w by h.
void hw_section_editor(int b, float x, float y, float w, float h);

// ---- preview (hw_preview.cpp) -------------------------------------------------------------------------

// The preview's camera stands HW_CAMERA distance units (dis_to_plane) from the centre of gravity;
// the frustum's near plane, HW_NEAR units away, is dis_to_plane * zoom wide each way. At zoom 1 the
// aircraft's reach then spans about three quarters of the screen's half-height, and nothing within
// one unit of the centre of gravity reaches the near plane.
constexpr float HW_NEAR = 3.6f, HW_CAMERA = 6.5f, HW_FAR = 8.0f;

// One pass of the program's screen: the preview, the open window, the rules, the model.
void hw_update(void);
// Draws the preview of the model.
void manage_plot(void);
// One step of the automatic turn (started by rotate_code), at the event loop's time.
void hw_turn_step(void);
