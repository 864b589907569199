// fuzz_simprefs.cpp -- the simulator's preference reader on any bytes, over a small airport
// database: a file that fails changes no setting; one that is taken is written out again, and that
// file is taken and written out again byte for byte the same.
#include "fuzz_support.h"

#include "hl_mnw.h"
#include "hl_types.h"
#include "hl_worlddb.h"
#include "prefs.h"
#include "prefs_snapshot.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

void write_text(const std::string& path, const char* text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Two airports with runways (the start airport KSBD last), a navaid of each kind and two fixes.
void small_world(void)
{
    const std::string db = fuzz_path("db");
    std::filesystem::create_directories(db);
    write_text(db + "/apt.dat",
               "I\n500 version\n"
               "1   1159 1 0 KONT ONTARIO INTL\n"
               "10  34.055 -117.601 08L 084  12197 150 1234567\n"
               "1   1159 1 0 KSBD SAN BERNARDINO INTL\n"
               "10  34.095 -117.235 06  065  10000 200 1234567\n"
               "10  34.095 -117.240 24  245  10000 200 1234567\n"
               "99\n");
    write_text(db + "/nav.dat",
               "I\n500 version\n"
               "2  34.100 -117.300   1000.0      350    0 SB   SAN BERNARDINO NDB\n"
               "3  34.000 -117.500   1100.0    11580    0 PDZ  PARADISE VOR\n"
               "99\n");
    write_text(db + "/fix.dat", "I\n500 version\n 34.200 -117.400 ALPHA\n 34.300 -117.100 BRAVO\n99\n");
    read_world_db((db + "/").c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = [] {
        clear_globals();
        hl_fill_constants();
        std::snprintf(app_path, STR_LEN, "%s", fuzz_path("").c_str());
        small_world();
        return true;
    }();
    (void)ready;
    fuzz_begin();
    hard_prefs();
    const std::string before = prefs_snapshot();
    const std::string path = fuzz_file("in.prf", data, size);
    int taken = 0;
    try {
        taken = grab_prefs(path.c_str(), FILE_KIND_PREFS, 1);
    } catch (const FuzzFatal&) {
        FUZZ_CHECK(false);   // a settings file is never worth ending the program for
    }
    if (!taken) {
        FUZZ_CHECK(prefs_snapshot() == before);
        return 0;
    }
    const std::string a = fuzz_path("a.prf"), b = fuzz_path("b.prf");
    FUZZ_CHECK(dump_prefs(a.c_str(), FILE_KIND_PREFS) == 1);
    FUZZ_CHECK(grab_prefs(a.c_str(), FILE_KIND_PREFS, 1) == 1);
    FUZZ_CHECK(dump_prefs(b.c_str(), FILE_KIND_PREFS) == 1);
    FUZZ_CHECK(fuzz_read(a) == fuzz_read(b));
    return 0;
}
