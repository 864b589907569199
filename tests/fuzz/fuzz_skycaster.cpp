// fuzz_skycaster.cpp -- Skycaster's reader of the station reports (WORLD.RWX) on any bytes, over two
// airports: it fills stations of known airports only, with terminated identifiers and names and
// cloud covers in their range.
#include "fuzz_support.h"

#include "hl_mnw.h"
#include "hl_types.h"
#include "hl_worlddb.h"
#include "skycaster.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

bool terminated(const char* s, size_t n) { return std::memchr(s, 0, n) != nullptr; }

void reports(const std::string& path)
{
    sky_clear_stations();
    FUZZ_CHECK(sky_read_reports(path.c_str()) == 1);
    FUZZ_CHECK(wxr_apt_max >= 0 && wxr_apt_max < SKY_MAX_STATIONS);
    for (int s = 1; s <= wxr_apt_max; s++) {
        FUZZ_CHECK(terminated(wxr_id[s], SKY_ID_LEN) && terminated(wxr_name[s], SKY_NAME_LEN));
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
    fuzz_begin();
    const std::string path = fuzz_file("WORLD.RWX", data, size);
    try {
        reports(path);
    } catch (const FuzzFatal&) {
        FUZZ_CHECK(false);   // the reports are not worth ending the program for
    }
    return 0;
}
