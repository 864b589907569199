// key_table.h -- which character key does what while no window is open: the tables the key handler
// acts on, and the keyboard instructions written from the same tables.
#pragma once

// A command a character key gives that is none of the menu, panel or radio keys.
enum key_command {
    KEYCMD_ATC_MENU,      // the controller's options menu: open it, or choose its selection
    KEYCMD_VIEW_LEFT,     // the view one 45-degree step left round the aircraft
    KEYCMD_VIEW_RIGHT,    // one step right
    KEYCMD_REVERSERS,     // every engine's reverser in or out
    KEYCMD_FLAPS_UP,      // a quarter of the flap travel up
    KEYCMD_FLAPS_DOWN,    // a quarter down
    KEYCMD_HEAT_OFF,      // carburettor heat off
    KEYCMD_HEAT_ON,       // carburettor heat on
    KEYCMD_SPEEDBRAKE_IN, // the speed brakes a step in
    KEYCMD_SPEEDBRAKE_OUT,// a step out
    KEYCMD_RELEASE,       // release from the carriage or the tow, else cut an engine
};

struct command_key_entry {
    int key;              // the character, Latin-1
    key_command command;
    const char* what;
};
struct menu_key_entry {
    char key;
    int item;             // the menu item it carries out
    const char* what;
};
// Which radio a radio key tunes.
enum radio_kind { COM1, NAV1, COM2, NAV2, ADF, XPN1, XPN2, XPN3, XPN4 };
struct radio_key_entry {
    char key;
    radio_kind radio;
    int step;             // kHz for the radios (see NAVinc, COMinc, ADFinc), one for a transponder digit
};
// Where a panel key clicks: at the slot's reference point plus (dx, dy). FROM_OSH measures x from
// the upper part's shift, RADIO_X_ONLY and ENGINE_X_ONLY from the radio and engine slots' x; these
// three take dy as an absolute y.
enum { FROM_OSH = -1, RADIO_X_ONLY = -2, ENGINE_X_ONLY = -3 };
struct panel_key_entry {
    char key;
    int slot;
    float dx, dy;
    const char* what;     // what the click works on the bundled panels, in the pilot's words
};

// The number-pad yoke: what each yoke code (hl_keys.h) does to the keyboard's stick offsets, which
// are added to the stick before shaping and kept within -1..1 (pitch positive back, roll and yaw
// positive right). centre 1 puts roll and yaw back to 0 and leaves pitch.
struct yoke_key_entry {
    int code;
    int centre;
    float d_ptch, d_roll, d_hdng;
    const char* what;
};
const yoke_key_entry* yoke_keys(int* n);

// The engine lever a function-key code (hl_keys.h, Shift adds HL_LEVER_SHIFT) moves: with one
// lever for every engine (split 0) or a lever per engine (split 1). Sets the lever, the engine
// (0..3, or -1 for every engine) and the direction (-1 or +1) and returns 1; 0 when the code moves
// nothing in that mode. A helicopter's throttle lever is its collective pitch.
enum lever_kind { LEVER_THROTTLE, LEVER_PROP, LEVER_MIXTURE };
int lever_of_code(int code, int split, lever_kind* lever, int* engine, int* dir);

// What an arrow key's view code (hl_keys.h) does, in words.
const char* view_key_what(int code);

// The tables in the order the handler tries them; *n entries each.
const command_key_entry* command_keys(int* n);
const menu_key_entry* menu_keys(int* n);
const panel_key_entry* panel_keys(int* n);
const radio_key_entry* radio_keys(int* n);

// The keyboard instructions, written from the tables above into out (size bytes, cut and always
// terminated; out may be nullptr to measure). Returns the bytes the whole text needs, its end included.
int write_key_instructions(char* out, int size);
