// hw_local.h -- what Hullwright's window modules share: the editing windows' descriptions, the
// entry-field table and the helpers that draw fields from it.
#pragma once
#include <cstdint>

// What a field edits and how it is shown.
enum {
    FK_NUM,      // a float: digits and decimals between lo and hi
    FK_INT,      // a whole-number record field shown as a number between lo and hi
    FK_NOYES,    // a 0/1 record field shown as " no"/"yes"
    FK_CHOICE,   // a whole-number record field chosen among texts for the values first..first+n-1
};

// Help lines of position fields are built from the thing's name.
enum { POS_NONE, POS_X, POS_Y, POS_Z };

struct hw_field {
    int kind;
    const char* label;           // drawn above the field
    int col, row;                // layout cell in the window
    float* (*num)(int p);        // FK_NUM: the value of part p (parts ignore it where not per part)
    int32_t* (*whole)(int p);    // the other kinds
    int digits, decimals;
    float lo, hi;
    const char* help;            // the help line, or for positions the thing's name
    int pos;                     // POS_X, POS_Y, POS_Z or POS_NONE
    const char* const* choices;  // FK_CHOICE
    int nchoices, first;
    int engines;                 // engine kinds (bit 1 << entype) the field applies to; 0 all
};

// What a window shows besides its table of fields.
enum {
    WK_VIEWPOINT, WK_PANEL, WK_PLAIN, WK_ENGINES, WK_PROPS, WK_ROTOR, WK_ROTOR_SYSTEM, WK_LIFTING, WK_PYLONS,
    WK_CONTROLS, WK_BODY, WK_GEAR, WK_FOILS,
};

struct hw_window {
    int id;
    int heli;                    // 0 airplane set, 1 helicopter set
    const char* title;
    int kind;
    int part;                    // the part or body edited, -1 none
    float dx, dy;
    const hw_field* fields;
    int nfields;
    const hw_field* more;        // a second table drawn after the first (the stabilizer's trim), or nullptr
    int nmore;
};

// The window the aircraft's kind opens for menu item id, or nullptr.
const hw_window* hw_find_window(int id, int heli);
// The window that is open now, or nullptr.
const hw_window* hw_open_window(void);
// The position of layout cell (col, row) in a window dy high.
float hw_col_x(int col);
float hw_row_y(const hw_window* w, int row);
// Draws one field of part p and applies this pass's click; 1 when the click changed it.
int hw_draw_field(const hw_field& f, const hw_window* w, int p);
// Draws a table's fields; 1 when a click changed one.
int hw_draw_fields(const hw_field* f, int n, const hw_window* w, int p);
// A position help line for the thing: "This is how far to the side of ..." (POS_X) and so on.
const char* hw_position_help(int pos, const char* thing);
// A choice among n texts for the values first..first+n-1 of *v at (x, y), width wide. Any other
// value is kept, with no text shown, until an arrow picks a text.
int hw_choice(float x, float y, const char* const* texts, int n, int first, float width, int32_t* v);
