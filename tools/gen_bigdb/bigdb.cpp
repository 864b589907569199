// bigdb.cpp -- writing synthetic databases through the library's line writers.
#include "bigdb.h"

#include "hl_dbline.h"
#include "hl_file.h"

#include <cstdio>
#include <filesystem>
#include <string>

const char* const bigdb_variant_name[BIGDB_VARIANTS] = {"full", "over_airports", "over_runways", "over_navaids",
                                                        "over_fixes"};

namespace {

// A small linear congruential generator of our own, so the output depends on nothing but the seed.
struct Rng {
    uint64_t s;
    uint32_t next()
    {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(s >> 33);
    }
    int between(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<uint32_t>(hi - lo + 1)); }
    float uniform(float lo, float hi) { return lo + (hi - lo) * static_cast<float>(next() % 1000000u) / 1.0e6f; }
};

const char k_base36[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// prefix followed by n base-36 digits of k: a unique identifier per k below 36^n.
void make_id(char* out, char prefix, int k, int n)
{
    out[0] = prefix;
    for (int d = n; d >= 1; d--) {
        out[d] = k_base36[k % 36];
        k /= 36;
    }
    out[n + 1] = 0;
}

// A VHF navigation frequency in 10 kHz steps on the 50 kHz raster: localizers take odd tenths from
// 108.10 to 111.95 MHz; VORs even tenths below 112 MHz or anything from 112.00 to 117.95 MHz.
int vhf_frequency(Rng& g, int localizer)
{
    if (localizer) return 10800 + 20 * g.between(0, 19) + 10 + 5 * g.between(0, 1);
    if (g.between(0, 1)) return 11200 + 5 * g.between(0, 119);
    return 10800 + 20 * g.between(0, 19) + 5 * g.between(0, 1);
}

std::string path_in(const char* folder, const char* name) { return std::string(folder) + "/" + name; }

int end_file(const std::string& path)
{
    ouf << DB_CODE_END << '\n';
    return ouf_close(path.c_str());
}

int write_airports(const char* folder, const bigdb_counts& c, Rng& g)
{
    std::string path = path_in(folder, "apt.dat");
    if (!ouf_open(path.c_str(), DB_FILE_TYPE, DB_VERSION)) return 0;
    int airports = c.airports > 0 ? c.airports : 0;
    int runways = airports > 0 && c.runways > 0 ? c.runways : 0;
    for (int a = 0; a < airports; a++) {
        // runways of this airport: an even share, the first airports taking what is left over
        int mine = runways / airports + (a < runways % airports ? 1 : 0);
        char id[DB_ID_LEN], name[DB_NAME_LEN];
        float elev, lat, lon;
        int tower, buildings = 1;
        if (a == 0) {
            std::snprintf(id, sizeof id, "KSBD");
            std::snprintf(name, sizeof name, "San Bernardino Intl");
            elev = 1159.0f;
            tower = 1;
            lat = 34.0954f;
            lon = -117.2349f;
        } else {
            make_id(id, 'X', a, 3);
            std::snprintf(name, sizeof name, "Synthetic Field %05d", a);
            elev = static_cast<float>(g.between(0, 9000));
            tower = g.between(0, 1);
            lat = g.uniform(-56.0f, 70.0f);
            lon = g.uniform(-180.0f, 179.9f);
        }
        fio_apt_line(&elev, &tower, &buildings, id, name, 0);
        for (int k = 0; k < mine; k++) {
            int num, heading, length, width, lights;
            char letter;
            float rlat = lat, rlon = lon;
            if (a == 0 && k == 0) {
                num = 6, letter = ' ', heading = 68, length = 10001, width = 200, lights = 2354333;
            } else {
                num = g.between(1, 36);
                letter = " LRC"[g.between(0, 3)];
                heading = (num * 10 + g.between(0, 15)) % 360;
                length = g.between(1500, 12000);
                width = g.between(50, 200);
                lights = g.between(1, 5) * 1000000 + (g.between(1, 3) * 100 + g.between(1, 6) * 10 + g.between(1, 6)) * 1000 +
                         g.between(1, 3) * 100 + g.between(1, 6) * 10 + g.between(1, 6);
                rlat += g.uniform(-0.01f, 0.01f);
                rlon += g.uniform(-0.01f, 0.01f);
            }
            fio_rwy_line(&rlat, &rlon, &num, &letter, &heading, &length, &width, &lights, 0);
        }
    }
    return end_file(path);
}

int write_navaids(const char* folder, const bigdb_counts& c, Rng& g)
{
    std::string path = path_in(folder, "nav.dat");
    if (!ouf_open(path.c_str(), DB_FILE_TYPE, DB_VERSION)) return 0;
    for (int v = 0; v < c.navaids; v++) {
        int kind = 2 + v % 8;   // NDB, VOR, localizers, glide slope, markers in turn
        int freq;
        if (kind == 2) freq = g.between(190, 1750);
        else if (kind == 3) freq = vhf_frequency(g, 0);
        else if (kind <= 6) freq = vhf_frequency(g, 1);
        else freq = 7500;
        float lat = g.uniform(-56.0f, 70.0f), lon = g.uniform(-180.0f, 179.9f);
        float elev = static_cast<float>(g.between(0, 9000));
        int heading = g.between(0, 359);
        char id[DB_ID_LEN], name[DB_NAME_LEN];
        make_id(id, 'N', v, 3);
        std::snprintf(name, sizeof name, "Synthetic Nav %05d", v);
        fio_nav_line(&kind, &lat, &lon, &elev, &freq, &heading, id, name, 0);
    }
    return end_file(path);
}

int write_fixes(const char* folder, const bigdb_counts& c, Rng& g)
{
    std::string path = path_in(folder, "fix.dat");
    if (!ouf_open(path.c_str(), DB_FILE_TYPE, DB_VERSION)) return 0;
    for (int f = 0; f < c.fixes; f++) {
        float lat = g.uniform(-56.0f, 70.0f), lon = g.uniform(-180.0f, 179.9f);
        char id[DB_FIX_ID_LEN];
        make_id(id, 'F', f, 4);
        fio_fix_line(&lat, &lon, id, 0);
    }
    return end_file(path);
}

}  // namespace

int bigdb_write(const char* folder, const bigdb_counts& counts, uint32_t seed)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    // one stream of draws per file, so a file's bytes depend only on its own count and the seed
    Rng apt{seed * 4ull + 1}, nav{seed * 4ull + 2}, fix{seed * 4ull + 3};
    return write_airports(folder, counts, apt) && write_navaids(folder, counts, nav) &&
           write_fixes(folder, counts, fix);
}

int bigdb_write_variants(const char* root, uint32_t seed)
{
    bigdb_counts sets[BIGDB_VARIANTS] = {BIGDB_FULL, BIGDB_FULL, BIGDB_FULL, BIGDB_FULL, BIGDB_FULL};
    sets[1].airports++;
    sets[2].runways++;
    sets[3].navaids++;
    sets[4].fixes++;
    for (int k = 0; k < BIGDB_VARIANTS; k++) {
        std::string folder = std::string(root) + "/" + bigdb_variant_name[k];
        if (!bigdb_write(folder.c_str(), sets[k], seed)) return 0;
    }
    return 1;
}
