// main.cpp -- gen_aircraft: writes the aircraft file a description names, below the program folder.
//   gen_aircraft <description> <program folder>
// On any problem the messages go to the error output, nothing is written and the status is 1.
#include <cstdio>

#include "acf_build.h"
#include "tool_program.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: gen_aircraft <description> <program folder>\n");
        return 2;
    }
    tool_start("gen_aircraft", true);
    std::vector<std::string> errs;
    if (acf_generate(argv[1], argv[2], &errs)) return 0;
    for (const std::string& e : errs) std::fprintf(stderr, "%s\n", e.c_str());
    return 1;
}
