// main.cpp -- gen_bitmaps: writes every generated picture into the program folder given as the
// only argument.
#include "gbm.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_bitmaps <program folder>\n");
        return 2;
    }
    int failures = gbm_generate_all(argv[1]);
    if (failures) {
        std::fprintf(stderr, "gen_bitmaps: %d picture(s) could not be written\n", failures);
        return 1;
    }
    return 0;
}
