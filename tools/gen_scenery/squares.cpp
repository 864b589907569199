// squares.cpp -- builds the default region's scenery squares point by point and writes them.
#include "squares.h"

#include "hl_envfile.h"
#include "hl_string.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

constexpr double ROW_DEG = 1.0 / 79.0;   // latitude step of the points
constexpr double COL_DEG = 1.0 / 59.0;   // longitude step of the points
constexpr int32_t WATER_BITS = (1 << 1) | (1 << 2);   // as the scenery editor writes water
constexpr int32_t PLAIN_CORNERS = 1 << 5;             // the plain orientation of the texture

// Masts, towers and buildings standing in the region: latitude, longitude, height (m), object type
// (2 obstacle, 3 radio tower, 4 power-line tower, 5 tall metal building, 6 low metal building).
struct Obstacle {
    double lat, lon, h;
    int type;
};
const Obstacle OBSTACLES[] = {
    {34.2258, -118.0636, 150, 2},   // the antenna farm on the San Gabriel front
    {34.2260, -118.0600, 60, 2},
    {33.9600, -117.5600, 60, 2},    // masts in the valleys
    {34.6000, -118.1000, 140, 2},
    {33.2000, -117.2000, 45, 2},
    {34.1100, -117.2700, 60, 5},    // around the start airport: an office block north-west of it,
    {34.0800, -117.2000, 200, 3},   // a radio mast and a power line to the south-east,
    {34.0760, -117.2100, 40, 4},
    {34.0700, -117.2600, 30, 6},    // and a works building to the south-west
};

// Custom objects standing in the region: latitude, longitude, heading (degrees), file name in the
// custom objects folder (without ".OBJ").
struct Custom {
    double lat, lon, heading;
    const char* name;
};
const Custom CUSTOMS[] = {
    {34.0904, -117.2324, 68, "kv_hangar"},   // beside the start airport's runway, clear of its apron
};

// One cell of the global lattice: water (sea or lake) and its surface height.
struct CellWater {
    int water;
    double level;
};

CellWater cell_water(const sc_world& w, int lat, int lon, int r, int c)
{
    const double lat0 = lat + r / 79.0, lon0 = lon + c / 59.0;
    const double clat = lat0 + 0.5 * ROW_DEG, clon = lon0 + 0.5 * COL_DEG;
    CellWater cw{0, 0.0};
    double level;
    if (sc_is_sea(clat, clon)) cw = {1, 0.0};
    else if (sc_is_lake(clat, clon, &level)) cw = {1, level};
    if (cw.water && sc_cell_has_runway(w, lat0, lon0, lat0 + ROW_DEG, lon0 + COL_DEG)) cw.water = 0;
    return cw;
}

}  // namespace

void sc_make_square(const sc_world& w, int lat, int lon, env_square* sq)
{
    // The cells of the square and a ring of cells around it, so that the points on the edges get
    // the same heights from both squares that share them.
    static CellWater cells[ENV_ROWS + 1][ENV_COLS + 1];
    for (int r = -1; r < ENV_ROWS; r++)
        for (int c = -1; c < ENV_COLS; c++) cells[r + 1][c + 1] = cell_water(w, lat, lon, r, c);

    for (int r = 0; r < ENV_ROWS; r++) {
        for (int c = 0; c < ENV_COLS; c++) {
            const double plat = lat + r / 79.0, plon = lon + c / 59.0;
            sq->lat[r][c] = static_cast<float>(plat);
            sq->lon[r][c] = static_cast<float>(plon);

            // A point at a corner of water lies at the water's surface (the lowest one that
            // touches it), so the water is level; other points follow the land.
            int wet = 0;
            double level = 1e9;
            for (int dr = 0; dr <= 1; dr++) {
                for (int dc = 0; dc <= 1; dc++) {
                    const CellWater& cw = cells[r + dr][c + dc];
                    if (cw.water) {
                        wet = 1;
                        level = std::fmin(level, cw.level);
                    }
                }
            }
            sq->h[r][c] = static_cast<float>(wet ? level : sc_height(w, plat, plon));

            // The cell north-east of the point; the last row and column describe the neighbour's.
            const CellWater& own = cells[r + 1][c + 1];
            sq->word[r][c] = (own.water ? WATER_BITS : 0) | PLAIN_CORNERS;
        }
    }

    sq->nobj = 0;
    for (const Obstacle& o : OBSTACLES) {
        if (o.lat < lat || o.lat >= lat + 1 || o.lon < lon || o.lon >= lon + 1) continue;
        env_object& e = sq->obj[sq->nobj++];
        e.type = o.type;
        e.lat = static_cast<float>(o.lat);
        e.lon = static_cast<float>(o.lon);
        e.value = static_cast<float>(o.h / 0.3048);   // feet in the file
        e.name[0] = 0;
    }
    for (const Custom& o : CUSTOMS) {
        if (o.lat < lat || o.lat >= lat + 1 || o.lon < lon || o.lon >= lon + 1) continue;
        env_object& e = sq->obj[sq->nobj++];
        e.type = ENV_OBJ_CUSTOM;
        e.lat = static_cast<float>(o.lat);
        e.lon = static_cast<float>(o.lon);
        e.value = static_cast<float>(o.heading);
        std::snprintf(e.name, sizeof e.name, "%s", o.name);
    }
    std::memset(sq->tex, 0, sizeof sq->tex);
}

int sc_write_region(const sc_world& w, const char* program_dir)
{
    auto sq = std::make_unique<env_square>();
    int written = 0;
    for (int lat = SC_LAT_SOU; lat < SC_LAT_SOU + 2; lat++) {
        for (int lon = SC_LON_WES; lon < SC_LON_WES + 3; lon++) {
            char rel[400];
            return_latlon_str_ENV(lat, lon, rel, 1);
            std::filesystem::path path = std::filesystem::path(program_dir) / "additional nav data" / rel;
            std::error_code ec;
            std::filesystem::create_directories(path.parent_path(), ec);
            sc_make_square(w, lat, lon, sq.get());
            if (env_write_square(path.string().c_str(), sq.get())) written++;
            else std::fprintf(stderr, "gen_scenery: could not write %s\n", path.string().c_str());
        }
    }
    return written;
}
