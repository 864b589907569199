// place_data -- puts the bundled data tree into a program folder:
//   place_data keep  <bundled tree> <program folder> <record file>
//   place_data exact <bundled tree> <folder>
#include "place_data.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    const bool keep = argc == 5 && std::strcmp(argv[1], "keep") == 0;
    const bool exact = argc == 4 && std::strcmp(argv[1], "exact") == 0;
    if (!keep && !exact) {
        std::fprintf(stderr, "usage: place_data keep <bundled tree> <program folder> <record file>\n"
                             "       place_data exact <bundled tree> <folder>\n");
        return 2;
    }
    place_result r;
    int rc = place_bundled(argv[2], argv[3], keep ? argv[4] : "", keep ? PLACE_KEEP_CHANGES : PLACE_EXACT, r);
    for (const std::string& n : r.notes) std::printf("%s\n", n.c_str());
    if (rc != 0) {
        std::fprintf(stderr, "place_data: %s\n", r.error.c_str());
        return 1;
    }
    return 0;
}
