// program.cpp -- what Hullconvert tells the library about itself. It has no menus, screen or keys:
// the conversion runs straight from its start.
#include "hl_program.h"

hl_program_desc hl_prog = {"Hullconvert", nullptr, nullptr, 0,
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr};

void APPLICATION_update(void) {}
void APPLICATION_handlekey(char, int) {}
void APPLICATION_handlemenu(int) {}
void APPLICATION_setupmenus(void) {}
