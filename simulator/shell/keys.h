// keys.h -- the simulator's character keys: layout remapping, view and menu keys, levers, radios,
// the keys that click the panel, and the options menu's arrow selection.
#pragma once

// One character key while no window is open (APPLICATION_handlekey). With special 0 the character
// is first remapped from the user's layout (msc.key_type 2 French, 3 German; the library hands over
// the US character of the key pressed); any other special value takes the character as it stands.
// The character handled is kept in msc.key_pressed.
void handle_key(char c, int special);

// The character a key of layout key_type stands for (the first matching remap), c itself when the
// layout remaps nothing for it. Characters are Latin-1 codes 0..255.
int remap_key(int c, int key_type);

// Radio tuning, used by the keys and by the panel's knobs; each returns the new value.
// NAV (108..117 MHz) and COM (118..136 MHz) frequencies are MHz x 100 (11870 = 118.70 MHz): a step
// of +-1000 (kHz) moves the MHz part by one, wrapping round its band, and a step of +-50 (kHz) moves
// the hundredths by 5, wrapping within 0..99 without touching the MHz part.
int NAVinc(int frequency, int step);
int COMinc(int frequency, int step);
// ADF (kHz): a step of +-100, +-10 or +-1 moves only that digit, wrapping within 0..9; a thousands
// digit is dropped.
int ADFinc(int frequency, int step);
// A transponder digit (0..7) moved by step: above 7 it becomes 0, below 0 it becomes 7.
int XPNinc(int digit, int step);

// The arrow keys while the options menu is up: 25/26 move its column left/right, 27/28 its row
// up/down. plot_atc_options keeps the selection inside the list shown.
void atc_arrow_keys(int code);

// Where the panel-click keys send their click: manage_das_key, unless a test records the clicks.
extern void (*key_panel_click)(float x, float y);
