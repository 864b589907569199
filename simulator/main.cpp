// main.cpp -- Kestrova, the flight simulator.
#include "hl_event.h"
#include "hl_mnw.h"
#include "hl_program.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt.h"

// Until the simulator's own start-up, panel and windows arrive, Kestrova runs as a plain program of
// the library: its window, the empty screen and the event loop.
hl_program_desc hl_prog = {"Kestrova", "Kestrova 4.prf", "Kestrova", 0,
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr};

void APPLICATION_update(void) {}
void APPLICATION_handlekey(char, int) {}
void APPLICATION_handlemenu(int) {}
void APPLICATION_setupmenus(void) {}

int main()
{
    if (!PLT_single_instance("Kestrova")) return 0;
    clear_globals();
    MACIBM_init();
    MACIBM_startwind(0);
    while (!gdone) MACIBM_event_proc();
    MACIBM_finishup();
    return 0;
}
