// fuzz_support.cpp -- scratch files and the alert sink of the fuzz targets.
#include "fuzz_support.h"

#include "hl_wind.h"
#include "hl_worlddb.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

static int g_alerts = 0;

static int count_alert(const char*, const char*, const char*, const char*, int code)
{
    g_alerts++;
    if (code == ALERT_COUNT || code == ALERT_FATAL) throw FuzzFatal{};
    return 1;
}

static const std::filesystem::path& scratch(void)
{
    static std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("kvfuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                            ("kvfuzz-" + std::to_string(getpid())),
                                        ec);
        });
        return d;
    }();
    return dir;
}

void fuzz_begin(void)
{
    hl_set_alert_sink(count_alert);
    g_alerts = 0;
}

int fuzz_alerts(void) { return g_alerts; }

std::string fuzz_path(const char* name) { return (scratch() / name).string(); }

std::string fuzz_file(const char* name, const uint8_t* data, size_t size)
{
    std::string path = fuzz_path(name);
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

std::string fuzz_read(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void fuzz_check_airports(void)
{
    FUZZ_CHECK(apt_wrl_max >= -1 && apt_wrl_max < MAX_APT && rwy_wrl_max >= -1 && rwy_wrl_max < MAX_RWY);
    for (int a = 0; a <= apt_wrl_max; a++) {
        FUZZ_CHECK(apt_lo_ind[a] >= 0 && apt_lo_ind[a] <= apt_hi_ind[a] + 1 && apt_hi_ind[a] <= rwy_wrl_max);
        FUZZ_CHECK(fuzz_terminated(apt_id[a], APT_ID_LEN) && fuzz_terminated(apt_name[a], APT_NAME_LEN));
    }
}
