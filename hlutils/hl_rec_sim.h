// hl_rec_sim.h -- the simulator's records: settings, panel, clocks and modes, reliability, recorded
// path, graph, radios, autopilot, flight plan and ATC. Cleared at start-up.
#pragma once
#include <cstdint>

// The user's settings (preferences and situation files).
struct settingstruct {
    int32_t view_type;           // menu item number of the chosen view
    int32_t view_is_fullscreen;  // the outside view covers the panel
    int32_t replay_mode;
    int32_t serout;              // serial-output mode, 0 none, 3 the motion base
    int32_t ogl_res;             // texture resolution 1..5
};

// The instrument panel.
struct inststruct {
    float r_rat, g_rat, b_rat;   // panel-light tint of colours 0..37
};

struct miscstruct {
    int32_t logtime;
    int32_t edit_mode;           // the scenery editor's edit screen
};

struct relstruct { int32_t placeholder; };
struct pathstruct { int32_t placeholder; };
struct graphstruct { int32_t show_path; };
struct navstruct { int32_t placeholder; };
struct ottostruct { int32_t placeholder; };
struct flightplanstruct { int32_t placeholder; };
struct atcstruct { int32_t placeholder; };

extern settingstruct set;
extern inststruct ins;
extern miscstruct msc;
extern relstruct rel;
extern pathstruct pat;
extern graphstruct grf;
extern navstruct nav;
extern ottostruct ott;
extern flightplanstruct fpl;
extern atcstruct atc;
