// picture_hullwright.cpp -- Hullwright's picture: the bundled trainer opened, painted and lit
// against the sky, seen from ahead, above and to the left.
#include "hl_types.h"
#include "hullwright.h"
#include "picture.h"

#include <cstdio>
#include <string>

namespace {

const char kFile[] = "Cessna 172 Skyhawk.acf";

int step(int pass)
{
    if (pass == 2) {
        const std::string path = std::string(app_path) + "planes/General Aviation/Cessna 172 Skyhawk/" + kFile;
        std::snprintf(pln[0].C_file, STR_LEN, "%s", kFile);
        std::snprintf(pln[0].C_path, STR_LEN, "%s", path.c_str());
        if (!openplane(1)) std::fprintf(stderr, "picture: could not open %s\n", path.c_str());
        hw_handlemenu(HW_TEXTURED);
        hw_handlemenu(HW_SKY);
    }
    return pass == 12;
}

}  // namespace

int main(int argc, char** argv) { return picture_main(argc, argv, WinMain, step); }
