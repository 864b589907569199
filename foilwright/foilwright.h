// foilwright.h -- Foilwright, the part editor: one airfoil or flap in afl[0], its synthesised curves,
// the menus and part files, and the screen of entry fields and live plots.
#pragma once
#include <cstdint>

#include "hl_foilsynth.h"

enum {
    VIEW_ALPHA = 300,  // curves against the angle of attack (or the flap's deflection)
    VIEW_CL = 301,     // drag and moment against the lift coefficient
};

// What donewdeal and dothing do once the changes are dealt with.
enum {
    DEAL_NEW = 0,
    DEAL_OPEN = 1,
    DEAL_QUIT = 2,
    DEAL_SWITCH = 3,
};

// The editor's own state (the library's msc is the simulator's). Cleared by reset_to_default, which
// runs at start-up and for every New and part-type switch; Open replaces the name and path.
struct foilmiscstruct {
    int32_t device;       // DEVICE_AIRFOIL or DEVICE_FLAP
    int32_t view;         // VIEW_ALPHA or VIEW_CL
    int32_t haveaname;    // the part has a file name to save under
    int32_t devicemod;    // unsaved changes
    char C_file[400];     // file name shown and proposed by Save As
    char C_path[400];     // full path of that file
};

extern foilmiscstruct fmsc;
extern foilcurvestruct crv;    // the curves of afl[0], redone by generate
extern int fw_sample;          // the sample (0..400) under the graph's cursor

// Both constant sets to the new-part values, the given part type, view 300, no name, no changes,
// "Untitled.afl" or "Untitled.flp"; then generate.
void reset_to_default(int device);
// The curves of afl[0] from its constants for the current part type.
void generate(void);

// Runs dothing(kind, device) after asking to save unsaved changes: Save saves first and goes on only
// when the part was saved, Don't Save goes on, Cancel does nothing. Then window 0 again.
void donewdeal(int kind, int device);
// New (reset to device), Open (dialog and readinpart), Quit (gdone), switch (reset to device).
void dothing(int kind, int device);
// The save dialog for the current part type on C_file and C_path; when a name is chosen the part is
// written under it. 1 when a name was chosen and the part written.
int saveasproc(void);
// Writes the part file at C_path. 1 when written whole (devicemod is then cleared), else 0 after the
// save alert, with devicemod kept.
int writeoutpart(void);
// Reads the constants of the part file at path (name is its file name) for the current part type
// and regenerates the curves. The part, its name and path change only when the file was read; a
// file of the other part type or one that cannot be read gets its notice. 1 when read.
int readinpart(const char* path, const char* name);

// The menu bar and the menu choices.
void foil_setupmenus(void);
void foil_handlemenu(int item);

// One pass of the screen: the entry fields, regeneration after a changed field, the cursor, the
// plot and the readouts.
void foil_update(void);
// The plot's x (0..400 from the graph's left edge) of sample i in the current view.
int fpx(int i);
// The screen y of a plotted value: round(200 value) + 340.
int element_y(float value);
// A one-pixel mark at graph x (0..400 from the graph's left edge) for value, when the mark lies
// inside the graph (x 0..400, y 140..540). 1 when drawn.
int elementpoint(int colour, int x, float value);
// Holds every constant of the current part type inside what its entry field allows, as the fields
// themselves do every pass, so that curves made from them match what the screen shows and saves.
void foil_fit_fields(void);
// The help text of an entry field by its constant's name, or nullptr.
const char* foil_help(const char* name);

// One pass of the program's loop. A request to close the window while there are unsaved changes
// gets the same save prompt as Quit.
void foil_pass(void);
// The whole program: single instance, start-up, the event loop, shut-down.
int WinMain(void);
