// cockpit_hooks.h -- the calls the cockpit makes into the program's shell. The program fills the
// table once at start-up (shell/hooks.cpp); a hook left empty does nothing.
#pragma once
#include "flight_hooks.h"   // call_hook

struct cockpit_hooks_table {
    // Shell: the start and reset routine (set_fltvars); the map's click starts the flight at the
    // point it names.
    void (*set_fltvars)(int code, int kind);
};
extern cockpit_hooks_table ckp_hooks;
