// fuzz_envfile.cpp -- the scenery square reader on any bytes, read as the binary form when the first
// byte is even and as the text form when it is odd, for the square at 34 N 118 W. A refused file
// leaves the flat water square; a square that reads has its points inside the square at possible
// heights, known object kinds and terminated names, and written as a binary square it reads back
// the same.
#include "fuzz_support.h"

#include "hl_envfile.h"

#include <cmath>
#include <cstring>

namespace {

constexpr int LAT = 34, LON = -118;

bool same_square(const env_square& a, const env_square& b)
{
    if (std::memcmp(a.lat, b.lat, sizeof a.lat) || std::memcmp(a.lon, b.lon, sizeof a.lon) ||
        std::memcmp(a.h, b.h, sizeof a.h) || std::memcmp(a.word, b.word, sizeof a.word) || a.nobj != b.nobj)
        return false;
    for (int i = 0; i < a.nobj; i++) {
        const env_object &p = a.obj[i], &q = b.obj[i];
        if (p.type != q.type || std::memcmp(&p.lat, &q.lat, 4) || std::memcmp(&p.lon, &q.lon, 4) ||
            std::memcmp(&p.value, &q.value, 4) || std::strcmp(p.name, q.name) != 0)
            return false;
    }
    for (int k = 0; k < ENV_TEXTURES; k++)
        if (std::strcmp(a.tex[k], b.tex[k]) != 0) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static env_square sq, again, water;
    static bool ready = [] {
        env_flat_water(LAT, LON, &water);
        return true;
    }();
    (void)ready;
    if (size < 1) return 0;
    const int text = data[0] & 1;
    fuzz_begin();
    const std::string path = fuzz_file("in.env", data + 1, size - 1);
    const int r = env_read_square(path.c_str(), LAT, LON, text, &sq);
    FUZZ_CHECK(fuzz_alerts() == 0);   // the caller reports what was found
    FUZZ_CHECK(r == ENV_READ_OK || r == ENV_DAMAGED || r == ENV_WRONG_VERSION);
    if (r != ENV_READ_OK) {
        FUZZ_CHECK(same_square(sq, water));
        return 0;
    }
    for (int i = 0; i < ENV_ROWS; i++)
        for (int j = 0; j < ENV_COLS; j++) {
            FUZZ_CHECK(std::fabs(sq.lat[i][j] - (LAT + 0.5f)) <= 0.52f && std::fabs(sq.lon[i][j] - (LON + 0.5f)) <= 0.52f);
            FUZZ_CHECK(std::fabs(sq.h[i][j]) <= 12000.0f);
        }
    FUZZ_CHECK(sq.nobj >= 0 && sq.nobj <= ENV_MAX_OBJECTS);
    for (int i = 0; i < sq.nobj; i++) {
        const env_object& o = sq.obj[i];
        FUZZ_CHECK((o.type >= 1 && o.type <= 6) || o.type == ENV_OBJ_CUSTOM);
        FUZZ_CHECK(std::memchr(o.name, 0, sizeof o.name) != nullptr);
        FUZZ_CHECK(o.name[0] == 0 || (o.type == ENV_OBJ_CUSTOM && env_name_is_safe(o.name)));
        FUZZ_CHECK(std::isfinite(o.lat) && std::isfinite(o.lon) && std::isfinite(o.value));
    }
    for (int k = 0; k < ENV_TEXTURES; k++)
        FUZZ_CHECK(std::memchr(sq.tex[k], 0, sizeof sq.tex[k]) && env_name_is_safe(sq.tex[k]));

    const std::string out = fuzz_path("again.env");
    FUZZ_CHECK(env_write_square(out.c_str(), &sq) == 1);
    FUZZ_CHECK(env_read_square(out.c_str(), LAT, LON, 0, &again) == ENV_READ_OK);
    FUZZ_CHECK(same_square(sq, again));
    FUZZ_CHECK(fuzz_alerts() == 0);
    return 0;
}
