// main.cpp -- gen_aircraft: writes the aircraft file a description names, below the program folder.
//   gen_aircraft <description> <program folder>
// On any problem the messages go to the error output, nothing is written and the status is 1.
#include <cstdio>

#include "acf_build.h"
#include "hl_wind.h"

static void print_alert(const char* l1, const char* l2, const char* l3, const char* l4, int)
{
    std::fprintf(stderr, "gen_aircraft: %s %s %s %s\n", l1, l2, l3, l4);
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
