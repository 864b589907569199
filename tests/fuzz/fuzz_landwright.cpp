// fuzz_landwright.cpp -- Landwright's own readers on any bytes; the first byte chooses the file:
// 0 the coastline of the square at 34 N 118 W, 1 the editor's preference file, 2 the airport
// database and 3 the navaid database (each beside a small good copy of the other). A file that
// cannot be read ends the program with its alert or leaves the editor's defaults; what is read is
// within the square, the limits or the tables, and the selections point into the tables.
#include "fuzz_support.h"

#include "hl_mnw.h"
#include "hl_string.h"
#include "hl_types.h"
#include "hl_worlddb.h"
#include "landwright.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

const char* const APT = "I\n500 version\n1   1159 1 0 KSBD SAN BERNARDINO INTL\n"
                        "10  34.095 -117.235 06  065  10000 200 1234567\n99\n";
const char* const NAV = "I\n500 version\n3  34.000 -117.500   1100.0    11580    0 PDZ  PARADISE VOR\n99\n";

std::string nav_data(const char* name) { return fuzz_path("") + NAV_DATA_FOLDER + "/" + name; }

void put(const std::string& path, const uint8_t* data, size_t size)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void put(const std::string& path, const char* text) { std::ofstream(path, std::ios::binary) << text; }

void coast(const uint8_t* data, size_t size)
{
    char name[STR_LEN];
    return_latlon_str_COAST(34.5f, -117.5f, name);
    put(nav_data("coastlines/") + name, data, size);
    lw_coast_n = -1;
    read_terrain();
    FUZZ_CHECK(lw_coast_n >= 0 && lw_coast_n <= LW_MAX_COAST);
    for (int k = 0; k < lw_coast_n; k++) {
        FUZZ_CHECK(lw_coast_lat[k] >= 34.0f && lw_coast_lat[k] <= 35.0f);
        FUZZ_CHECK(lw_coast_lon[k] >= -118.0f && lw_coast_lon[k] <= -117.0f);
    }
}

void prefs(const uint8_t* data, size_t size)
{
    put(prf_path, data, size);
    lmsc.map_mode = -7;
    lw_read_prefs();
    if (lmsc.map_mode == -7) {   // refused: the rest stands as it was
        FUZZ_CHECK(lmsc.map_latfile == 34.0f && lmsc.map_lonfile == -118.0f);
        return;
    }
    FUZZ_CHECK(lmsc.map_latfile >= -90 && lmsc.map_latfile <= 89 && lmsc.map_latfile == (int)lmsc.map_latfile);
    FUZZ_CHECK(lmsc.map_lonfile >= -180 && lmsc.map_lonfile <= 179 && lmsc.map_lonfile == (int)lmsc.map_lonfile);
    FUZZ_CHECK(lmsc.map_mode >= 0 && lmsc.map_mode <= 4);
    FUZZ_CHECK(lmsc.edit_mode >= LW_TERRAIN && lmsc.edit_mode <= LW_NAVAIDS);
    FUZZ_CHECK(lmsc.apt_index >= 0 && lmsc.nav_index >= 0);
}

void databases(int which, const uint8_t* data, size_t size)
{
    put(nav_data("apt.dat"), APT);
    put(nav_data("nav.dat"), NAV);
    put(nav_data(which == 2 ? "apt.dat" : "nav.dat"), data, size);
    lmsc.apt_index = 5;
    lmsc.nav_index = 7;
    lw_read_databases();
    fuzz_check_airports();
    FUZZ_CHECK(nav_wrl_max >= -1 && nav_wrl_max < LW_MAX_NAV);
    for (int v = 0; v <= nav_wrl_max; v++)
        FUZZ_CHECK(fuzz_terminated(nav_id[v], APT_ID_LEN) && fuzz_terminated(nav_name[v], APT_NAME_LEN));
    FUZZ_CHECK(lmsc.apt_index >= 0 && lmsc.apt_index <= (apt_wrl_max < 0 ? 0 : apt_wrl_max));
    FUZZ_CHECK(lmsc.nav_index >= 0 && lmsc.nav_index <= (nav_wrl_max < 0 ? 0 : nav_wrl_max));
    FUZZ_CHECK(apt_wrl_max < 0 || (lmsc.rwy_index >= apt_lo_ind[lmsc.apt_index]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = [] {
        hl_fill_constants();
        std::snprintf(app_path, STR_LEN, "%s", fuzz_path("").c_str());
        std::filesystem::create_directories(nav_data("coastlines"));
        std::snprintf(prf_path, STR_LEN, "%s", fuzz_path("Landwright.prf").c_str());
        return true;
    }();
    (void)ready;
    if (size < 1) return 0;
    fuzz_begin();
    lmsc.map_latfile = 34.0f;
    lmsc.map_lonfile = -118.0f;
    try {
        switch (data[0] % 4) {
        case 0: coast(data + 1, size - 1); break;
        case 1: prefs(data + 1, size - 1); break;
        default: databases(data[0] % 4, data + 1, size - 1); break;
        }
    } catch (const FuzzFatal&) {
        // the program ends here, with the alert naming the file
    }
    return 0;
}
