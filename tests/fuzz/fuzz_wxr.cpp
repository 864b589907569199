// fuzz_wxr.cpp -- the weather-report decoder on any text, and the nearest-report lookup on any bytes
// read as "WORLD.RWX". Decoded values stay in their ranges or keep what the caller put there;
// the report found is terminated and no longer than a report may be.
#include "fuzz_support.h"

#include "hl_file.h"
#include "hl_types.h"
#include "hl_wxr.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr float KEEP = -99.0f;
constexpr int IKEEP = -99;

void decode_and_check(const char* text)
{
    float time = KEEP, base = KEEP, top = KEEP, vis = KEEP, temp = KEEP, dew = KEEP, dir = KEEP, spd = KEEP,
          gust = KEEP, alt = KEEP;
    int cover = IKEEP, kind = IKEEP, inten = IKEEP;
    decode_wxr(text, 100.0f, &time, &cover, &base, &top, &vis, &kind, &inten, &temp, &dew, &dir, &spd, &gust, &alt);
    FUZZ_CHECK(cover == IKEEP || (cover >= 1 && cover <= 4));
    FUZZ_CHECK(kind == IKEEP || (kind >= 1 && kind <= 4));
    FUZZ_CHECK(inten == IKEEP || (inten >= 1 && inten <= 3));
    FUZZ_CHECK((kind == IKEEP) == (inten == IKEEP));
    FUZZ_CHECK(time == KEEP || (time >= 0.0f && time <= 9 * 36000 + 9 * 3600 + 9 * 600 + 9 * 60));
    FUZZ_CHECK(dir == KEEP || (dir > 0.0f && dir <= 990.0f));
    FUZZ_CHECK(spd == KEEP || (spd >= 0.0f && spd <= 99.0f));
    FUZZ_CHECK(gust == KEEP || std::fabs(gust) <= 99.0f);
    FUZZ_CHECK(alt == KEEP || (alt >= 20.0f && alt < 35.0f));
    FUZZ_CHECK(temp == KEEP || temp > 0.0f);
    FUZZ_CHECK(dew == KEEP || dew > 0.0f);
    FUZZ_CHECK(vis == KEEP || (vis >= 0.0f && std::isfinite(vis)));
    FUZZ_CHECK(std::isfinite(base) && std::isfinite(top));
}

void one_airport(int a, const char* id, float lat, float lon)
{
    std::snprintf(apt_id[a], sizeof apt_id[a], "%-4s", id);
    apt_inreg[a] = 1;
    apt_lo_ind[a] = apt_hi_ind[a] = a;
    apt_h[a] = 300.0f;
    rwy_lat[a] = lat;
    rwy_lon[a] = lon;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = [] {
        con.fttomtrs = 0.3048f;
        con.nmtomtrs = 1852.0f;
        apt_wrl_max = 2;
        rwy_wrl_max = 2;
        one_airport(0, "KSBD", 34.1f, -117.2f);
        one_airport(1, "F70", 33.6f, -117.1f);
        one_airport(2, "KLAX", 33.9f, -118.4f);
        return true;
    }();
    (void)ready;
    fuzz_begin();

    // the bytes as one report (cut at the first zero byte, as a C string is)
    std::string text(reinterpret_cast<const char*>(data), size);
    decode_and_check(text.c_str());

    // the bytes as a report file
    std::string path = fuzz_file("WORLD.RWX", data, size);
    inf1.close();
    inf1.clear();
    inf1.open(path, std::ios::binary);
    char found[WXR_TEXT_LEN];
    std::memset(found, 'x', sizeof found);
    found[WXR_TEXT_LEN - 1] = 0;
    float elev = KEEP;
    int got = get_wxr_str(found, &elev, 34.0f, -117.5f);
    inf1.close();
    if (got) {
        FUZZ_CHECK(std::memchr(found, 0, sizeof found) != nullptr);
        FUZZ_CHECK(elev == 300.0f);
        decode_and_check(found);
    } else {
        FUZZ_CHECK(elev == KEEP);
    }
    return 0;
}
