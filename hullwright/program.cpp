// program.cpp -- what Hullwright tells the library about itself, and the callbacks the library makes
// into it. Linked into the program and into the tests that run the designer's screens.
#include "hl_mnw.h"
#include "hl_funct.h"
#include "hl_model.h"
#include "hl_program.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hullwright.h"
#include "plt.h"

#include <ctime>

hl_program_desc hl_prog = {"Hullwright", "Hullwright.prf", "Hullwrgt", 0,
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, hw_window_info};

void APPLICATION_update(void) { hw_update(); }
void APPLICATION_handlekey(char c, int) { hw_handlekey(c); }
void APPLICATION_handlemenu(int item) { hw_handlemenu(item); }
void APPLICATION_setupmenus(void) { hw_setupmenus(); }

int WinMain(void)
{
    if (!PLT_single_instance("Hullwright")) return 0;
    clear_globals();
    hl_srand(static_cast<uint32_t>(std::time(nullptr)));
    MACIBM_init();
    // After the library's start-up, which clears the window record and its wireframe switch.
    hw_defaults();
    for (int i = 0; i < 121 && !gdone; i++) MACIBM_showinit(1);
    pln[0].is_heli = 0;
    setup_baseplane("Untitled.acf");
    OGL_texbmp(TEXBMP_FAMILY, TEX_TIRE, 0, "tire");
    hw_read_prefs();
    hw_setupmenus();
    if (!gdone) MACIBM_startwind(0);
    while (!gdone) hw_pass();
    MACIBM_finishup();
    return 0;
}
