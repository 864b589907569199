// program.cpp -- what Kestrova tells the library about itself, and the callbacks the library makes
// into it. Linked into the program and into the tests that run the whole simulator.
#include "hl_program.h"
#include "hl_sound.h"
#include "hl_types.h"
#include "keyboard.h"
#include "lax.h"
#include "pending.h"
#include "prefs.h"
#include "replay.h"
#include "startpos.h"
#include "view.h"

// The outside view and the panel are drawn by the event loop every frame no window covers them;
// the number-pad keys fly the keyboard's yoke.
hl_program_desc hl_prog = {"Kestrova", "Kestrova 4.prf", "Kestrova", 1,
                           update_scenery, update_panel, nullptr, nullptr, yoke_key, process_zap, nullptr, nullptr,
                           hl_close_devices, nullptr, nullptr};

void APPLICATION_update(void) { kestrova_update(); }
void APPLICATION_handlekey(char, int) {}
void APPLICATION_setupmenus(void) {}

void APPLICATION_handlemenu(int item)
{
    // Commands that load files or move the aircraft wait while a replay runs; Quit always works.
    bool replaying = set.replay_mode != 0;
    switch (item) {
    case 102:
        if (!replaying) open_situation();
        break;
    case 103:
        if (!replaying) save_situation();
        break;
    case 105: quit_simulator(); break;
    default: break;
    }
}
