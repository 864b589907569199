// program.cpp -- what Hullwright tells the library about itself, and the callbacks the library makes
// into it. Linked into the program and into the tests that run the designer's screens.
#include "hl_program.h"
#include "hullwright.h"

hl_program_desc hl_prog = {"Hullwright", "Hullwright.prf", "Hullwrgt", 0,
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, hw_window_info};

void APPLICATION_update(void) { hw_update(); }
void APPLICATION_handlekey(char c, int) { hw_handlekey(c); }
void APPLICATION_handlemenu(int item) { hw_handlemenu(item); }
void APPLICATION_setupmenus(void) { hw_setupmenus(); }
