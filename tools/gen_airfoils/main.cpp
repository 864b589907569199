// main.cpp -- gen_airfoils: writes the bundled airfoil and flap part files from sections.txt.
//
//   gen_airfoils <sections.txt> <airfoils folder> <flaps folder>
#include "gen_airfoils.h"

#include "tool_program.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: gen_airfoils <sections.txt> <airfoils folder> <flaps folder>\n");
        return 2;
    }
    tool_start("gen_airfoils", true);
    std::vector<genpart> parts;
    std::string error;
    if (!gen_read_sections(argv[1], &parts, &error) || !gen_write_parts(parts, argv[2], argv[3], &error)) {
        std::fprintf(stderr, "gen_airfoils: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
