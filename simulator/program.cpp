// program.cpp -- what Kestrova tells the library about itself, and the callbacks the library makes
// into it. Linked into the program and into the tests that run the whole simulator.
#include "hl_program.h"
#include "hl_sound.h"
#include "hl_types.h"
#include "keyboard.h"
#include "keys.h"
#include "lax.h"
#include "menus.h"
#include "panel.h"
#include "replay.h"
#include "serout.h"
#include "startpos.h"
#include "view.h"

namespace {
// At exit: the serial output or motion base, then sound, joystick and speech.
void close_devices(void)
{
    close_serial_output();
    hl_close_devices();
}
}  // namespace

hl_program_desc hl_prog = {"Kestrova", "Kestrova 4.prf", "Kestrova", 1,
                           update_scenery,   // the outside view
                           update_panel,     // the panel's moving parts
                           freeviews_keys,   // the follow and spot views
                           function_key,     // the engine levers
                           yoke_key,         // the number-pad yoke
                           process_zap,      // a settings window closes
                           menu_checked,     // menu ticks
                           panel_static,     // the panel's static face
                           close_devices,    // serial output, sound, joystick and speech at exit
                           nullptr, nullptr, nullptr};

void APPLICATION_update(void) { kestrova_update(); }
void APPLICATION_handlekey(char c, int special) { handle_key(c, special); }
void APPLICATION_setupmenus(void) {}

void APPLICATION_handlemenu(int item) { handle_menu(item); }
