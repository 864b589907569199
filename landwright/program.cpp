// program.cpp -- what Landwright tells the library about itself, and the callbacks the library makes
// into it. Linked into the program and into the tests that run the editor's screens.
#include "landwright.h"
#include "hl_program.h"

hl_program_desc hl_prog = {"Landwright", "Landwright.prf", "Landwrgt", 0,
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           lw_edit_text, arrow_keys, nullptr};

void APPLICATION_update(void) { lw_update(); }
void APPLICATION_handlekey(char c, int) { lw_handlekey(c); }
void APPLICATION_handlemenu(int item) { lw_handlemenu(item); }
void APPLICATION_setupmenus(void) { lw_setupmenus(); }
