// main.cpp -- gen_scenery: writes the default region's six scenery squares into the program folder.
//   gen_scenery <airport database> <program folder> [seed]
#include "squares.h"

#include "hl_program.h"
#include "hl_wind.h"

#include <cstdio>
#include <cstdlib>

// A build tool has no window and no menus: the library's program callbacks do nothing.
hl_program_desc hl_prog = {};
void APPLICATION_update(void) {}
void APPLICATION_handlekey(char, int) {}
void APPLICATION_handlemenu(int) {}
void APPLICATION_setupmenus(void) {}

static int print_alert(const char* l1, const char* l2, const char* l3, const char* l4, int code)
{
    std::fprintf(stderr, "gen_scenery: %s %s %s %s\n", l1, l2, l3, l4);
    if (code == ALERT_FATAL || code == ALERT_COUNT) std::exit(1);
    return 1;
}

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: gen_scenery <airport database> <program folder> [seed]\n");
        return 2;
    }
    hl_set_alert_sink(print_alert);
    sc_world w;
    if (argc == 4) w.seed = static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10));
    if (!sc_load_airports(argv[1], &w)) return 1;
    return sc_write_region(w, argv[2]) == 6 ? 0 : 1;
}
