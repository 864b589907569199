// main.cpp -- gen_airfoils: writes the bundled airfoil and flap part files from sections.txt.
//
//   gen_airfoils <sections.txt> <airfoils folder> <flaps folder>
#include "gen_airfoils.h"

#include "hl_program.h"
#include "hl_wind.h"

#include <cstdio>

// The library's program description and callbacks: a command-line tool opens no window.
hl_program_desc hl_prog = {"gen_airfoils", nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
void APPLICATION_update(void) {}
void APPLICATION_handlekey(char, int) {}
void APPLICATION_handlemenu(int) {}
void APPLICATION_setupmenus(void) {}

// A build tool has no window: alerts go to the error output.
static int print_alert(const char* l1, const char* l2, const char* l3, const char* l4, int)
{
    std::fprintf(stderr, "gen_airfoils: %s %s %s %s\n", l1, l2, l3, l4);
    return 1;
}

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: gen_airfoils <sections.txt> <airfoils folder> <flaps folder>\n");
        return 2;
    }
    hl_set_alert_sink(print_alert);
    std::vector<genpart> parts;
    std::string error;
    if (!gen_read_sections(argv[1], &parts, &error) || !gen_write_parts(parts, argv[2], argv[3], &error)) {
        std::fprintf(stderr, "gen_airfoils: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
