// hl_keys.h -- the keys the event loop takes for the simulator before the program sees them: the
// arrow keys (the free views), the function keys and Backspace (the engine levers) and the number
// pad (the yoke), each with the code it hands on. The event loop acts on this table and the
// simulator's keyboard instructions are written from it.
#pragma once

// The virtual key numbers the event loop and the table name.
constexpr int VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_ESCAPE = 27, VK_SPACE = 32;
constexpr int VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40;
constexpr int VK_NUMPAD0 = 96, VK_F1 = 112;

enum hl_special_kind {
    HL_KEY_VIEW,    // the code goes to the program's freeviews_keys
    HL_KEY_LEVER,   // to function_key, 12 more with Shift held
    HL_KEY_YOKE,    // to yoke_key
};

struct hl_special_key {
    int vkey;              // virtual key
    hl_special_kind kind;
    int code;
    const char* name;      // the key as the instructions name it
};

// The table, *n entries.
const hl_special_key* hl_special_keys(int* n);
// Codes added to a lever key's code while Shift is held.
constexpr int HL_LEVER_SHIFT = 12;
