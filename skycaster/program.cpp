// program.cpp -- what Skycaster tells the library about itself, and the callbacks the library makes
// into it. Linked into the program and into the tests that run its screen. It reads the simulator's
// preference file, so it names that file; it never writes it.
#include "hl_program.h"
#include "skycaster.h"

hl_program_desc hl_prog = {"Skycaster", "Kestrova 4.prf", nullptr, 0,
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr};

void APPLICATION_update(void) { sky_update(); }
void APPLICATION_handlekey(char, int) {}
void APPLICATION_handlemenu(int item) { sky_handlemenu(item); }
void APPLICATION_setupmenus(void) { sky_setupmenus(); }
