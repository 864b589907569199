// program.cpp -- what Foilwright tells the library about itself, and the callbacks the library makes
// into it. Linked into the program and into the tests that run the editor's screen.
#include "foilwright.h"
#include "hl_program.h"

hl_program_desc hl_prog = {"Foilwright", nullptr, "Foilwrt", 0,
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr};

void APPLICATION_update(void) { foil_update(); }
void APPLICATION_handlekey(char, int) {}
void APPLICATION_handlemenu(int item) { foil_handlemenu(item); }
void APPLICATION_setupmenus(void) { foil_setupmenus(); }
