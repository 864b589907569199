// fuzz_worlddb.cpp -- the simulator's loaders of the world databases on any bytes; the first byte
// chooses which of apt.dat, nav.dat and fix.dat the rest is (the other two are small good files).
// A file that cannot be read ends the program with its alert; otherwise the tables stay within
// their limits, every airport's runways lie in the runway table, the navaids start at slot 2, the
// fixes end with their mark and every identifier and name is terminated.
#include "fuzz_support.h"

#include "hl_mnw.h"
#include "hl_types.h"
#include "hl_worlddb.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

const char* const GOOD[WORLD_DB_FILES] = {
    "I\n500 version\n1   1159 1 0 KSBD SAN BERNARDINO INTL\n10  34.095 -117.235 06  065  10000 200 1234567\n99\n",
    "I\n500 version\n3  34.000 -117.500   1100.0    11580    0 PDZ  PARADISE VOR\n99\n",
    "I\n500 version\n 34.200 -117.400 ALPHA\n99\n",
};

void check_tables(void)
{
    fuzz_check_airports();
    FUZZ_CHECK(nav_wrl_max >= 1 && nav_wrl_max < MAX_NAV);
    for (int v = 2; v <= nav_wrl_max; v++)
        FUZZ_CHECK(fuzz_terminated(nav_id[v], APT_ID_LEN) && fuzz_terminated(nav_name[v], APT_NAME_LEN));
    int f = 0;
    while (f < MAX_FIX && fix_lat[f] != 99.0f) {
        FUZZ_CHECK(fuzz_terminated(fix_name[f], FIX_NAME_LEN));
        f++;
    }
    FUZZ_CHECK(f < MAX_FIX);   // the end mark is there
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string folder = [] {
        hl_fill_constants();
        const std::string d = fuzz_path("db");
        std::filesystem::create_directories(d);
        return d + "/";
    }();
    if (size < 1) return 0;
    const int which = data[0] % WORLD_DB_FILES;
    fuzz_begin();
    for (int k = 0; k < WORLD_DB_FILES; k++) {
        std::ofstream out(folder + WORLD_DB_NAMES[k], std::ios::binary);
        if (k == which) out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
        else out << GOOD[k];
    }
    try {
        read_world_db(folder.c_str());
    } catch (const FuzzFatal&) {
        return 0;   // the program ends here, the alert naming the file
    }
    check_tables();
    return 0;
}
