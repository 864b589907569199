// main.cpp -- gen_aircraft: writes the aircraft file a description names, below the program folder.
//   gen_aircraft <description> <program folder>
// On any problem the messages go to the error output, nothing is written and the status is 1.
#include <cstdio>

#include "acf_build.h"
#include "hl_program.h"
#include "hl_wind.h"

// A build tool has no window and no menus: the library's program callbacks do nothing.
hl_program_desc hl_prog = {"gen_aircraft", nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
void APPLICATION_update(void) {}
void APPLICATION_handlekey(char, int) {}
void APPLICATION_handlemenu(int) {}
void APPLICATION_setupmenus(void) {}

static int print_alert(const char* l1, const char* l2, const char* l3, const char* l4, int)
{
    std::fprintf(stderr, "gen_aircraft: %s %s %s %s\n", l1, l2, l3, l4);
    return 1;
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: gen_aircraft <description> <program folder>\n");
        return 2;
    }
    hl_set_alert_sink(print_alert);
    std::vector<std::string> errs;
    if (acf_generate(argv[1], argv[2], &errs)) return 0;
    for (const std::string& e : errs) std::fprintf(stderr, "%s\n", e.c_str());
    return 1;
}
