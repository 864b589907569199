// fuzz_skycaster.cpp -- Skycaster's own readers on any bytes, over two airports; the first byte
// chooses the file: even the simulator's preference file, odd the station reports (WORLD.RWX).
// A preference file that is refused changes nothing; one that is taken puts a known airport in
// both lists and a whole zulu hour and weather in their ranges into station 0. Reports fill
// stations of known airports only, with terminated identifiers and names.
#include "fuzz_support.h"

#include "hl_mnw.h"
#include "hl_types.h"
#include "hl_worlddb.h"
#include "skycaster.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

void prefs(const std::string& path)
{
    bri.dep = bri.arr = -5;
    wxr_z_time[0] = -5;
    if (!sky_read_prefs(path.c_str())) {
        FUZZ_CHECK(bri.dep == -5 && bri.arr == -5 && wxr_z_time[0] == -5);
        return;
    }
    FUZZ_CHECK(bri.dep == bri.arr && bri.dep >= 0 && bri.dep <= apt_wrl_max);
    FUZZ_CHECK(wxr_z_time[0] >= 0 && wxr_z_time[0] <= 2300 && std::fmod(wxr_z_time[0], 100.0f) == 0);
    FUZZ_CHECK(wxr_obs_den[0] == SKY_NOT_REPORTED || (wxr_obs_den[0] >= 1 && wxr_obs_den[0] <= 3));
    FUZZ_CHECK(fuzz_terminated(pln[0].C_file, sizeof pln[0].C_file) &&
               fuzz_terminated(pln[0].C_path, sizeof pln[0].C_path));
    FUZZ_CHECK(fuzz_terminated(wxr_name[0], SKY_NAME_LEN));
}

void reports(const std::string& path)
{
    sky_clear_stations();
    FUZZ_CHECK(sky_read_reports(path.c_str()) == 1);
    FUZZ_CHECK(wxr_apt_max >= 0 && wxr_apt_max < SKY_MAX_STATIONS);
    for (int s = 1; s <= wxr_apt_max; s++) {
        FUZZ_CHECK(fuzz_terminated(wxr_id[s], SKY_ID_LEN) && fuzz_terminated(wxr_name[s], SKY_NAME_LEN));
        FUZZ_CHECK(std::strcmp(wxr_id[s], "KSBD") == 0 || std::strcmp(wxr_id[s], "KONT") == 0);
        FUZZ_CHECK(wxr_cld_type[s] == SKY_NOT_REPORTED || (wxr_cld_type[s] >= 1 && wxr_cld_type[s] <= 4));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = [] {
        hl_fill_constants();
        const std::string root = fuzz_path("");
        std::snprintf(app_path, STR_LEN, "%s", root.c_str());
        std::filesystem::create_directories(root + NAV_DATA_FOLDER);
        std::ofstream(root + NAV_DATA_FOLDER + "/apt.dat", std::ios::binary)
            << "I\n500 version\n1   1159 1 0 KONT ONTARIO INTL\n10  34.055 -117.601 08L 084  12197 150 1234567\n"
               "1   1159 1 0 KSBD SAN BERNARDINO INTL\n10  34.095 -117.235 06  065  10000 200 1234567\n99\n";
        fuzz_begin();
        return sky_read_airports() == 1;
    }();
    FUZZ_CHECK(ready);
    if (size < 1) return 0;
    fuzz_begin();
    const std::string path = fuzz_file("in.txt", data + 1, size - 1);
    try {
        if (data[0] % 2 == 0) prefs(path);
        else reports(path);
    } catch (const FuzzFatal&) {
        FUZZ_CHECK(false);   // neither file is worth ending the program for
    }
    return 0;
}
