// main.cpp -- gen_scenery: writes the default region's six scenery squares into the program folder.
//   gen_scenery <airport database> <program folder> [seed]
#include "squares.h"

#include "tool_program.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: gen_scenery <airport database> <program folder> [seed]\n");
        return 2;
    }
    tool_start("gen_scenery", true);
    sc_world w;
    if (argc == 4) w.seed = static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10));
    if (!sc_load_airports(argv[1], &w)) return 1;
    return sc_write_region(w, argv[2]) == 6 ? 0 : 1;
}
