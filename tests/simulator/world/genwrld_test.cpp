// genwrld_test.cpp -- the scenery region built from the generated default squares: airports on
// their flat ground, the coast where it is, the shifts without a jump, and bad or missing squares.
#include "genwrld.h"

#include "fltutil.h"
#include "hl_envfile.h"
#include "hl_funct.h"
#include "hl_string.h"
#include "hl_types.h"
#include "empty_region.h"
#include "kvdb.h"
#include "kvtest.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kDataDir = std::string(KV_SOURCE_DIR) + "/data/additional nav data";

int find_airport(const char* id)
{
    for (int a = 0; a <= apt_wrl_max; a++)
        if (std::strncmp(apt_id[a], id, std::strlen(id)) == 0) return a;
    return -1;
}

struct Ground {
    double x, z;
    float h;
    int i, j;
};

Ground ground_at(double lat, double lon)
{
    Ground g{X_with_latlon(lat, lon), Z_with_lat(lat), 0.0f, 88, 79};
    g.h = find_local_h(static_cast<float>(g.x), static_cast<float>(g.z), &g.i, &g.j, 0);
    return g;
}

class DefaultRegion : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        kvdb_set_units();
        kvdb_load(kDataDir);
        std::snprintf(app_path, sizeof app_path, "%s/", KV_PROGRAM_DIR);
        std::srand(1);
        env.lat_sou = 33;
        env.lon_wes = -119;
        load_region(1);
    }
};

TEST_F(DefaultRegion, StartAirportLiesOnFlatGroundAtItsElevation)
{
    const int a = find_airport("KSBD");
    ASSERT_GE(a, 0);
    const int r = apt_lo_ind[a];
    const double h = rwy_hdng[r] * 3.14159265358979 / 180.0;
    const double cx = X_with_latlon(rwy_lat[r], rwy_lon[r]), cz = Z_with_lat(rwy_lat[r]);
    // Along the whole runway and 100 m to either side.
    for (double along = -0.5 * rwy_len[r]; along <= 0.5 * rwy_len[r]; along += 250.0) {
        for (double side : {-100.0, 0.0, 100.0}) {
            int i = 88, j = 79;
            const float x = static_cast<float>(cx + along * std::sin(h) + side * std::cos(h));
            const float z = static_cast<float>(cz - along * std::cos(h) + side * std::sin(h));
            EXPECT_NEAR(find_local_h(x, z, &i, &j, 0), apt_h[a], 1.0) << along << " " << side;
        }
    }
    EXPECT_NEAR(apt_h[a], 1159 * 0.3048, 0.01);
}

TEST_F(DefaultRegion, EveryAirportOfTheRegionSitsAtItsElevation)
{
    int seen = 0;
    for (int row = 0; row < apt_lcl_num; row++) {
        const int a = apt_to_index[row];
        for (int r = apt_lo_ind[a]; r <= apt_hi_ind[a]; r++) {
            Ground g = ground_at(rwy_lat[r], rwy_lon[r]);
            EXPECT_NEAR(g.h, apt_h[a], 1.0) << apt_id[a];
            EXPECT_FALSE(on_water[g.i][g.j]) << apt_id[a];
            seen++;
        }
    }
    EXPECT_GT(apt_lcl_num, 40);
    EXPECT_GT(seen, 70);
}

TEST_F(DefaultRegion, TheCoastRunsWhereTheRealOneDoes)
{
    struct Place {
        const char* name;
        double lat, lon;
        int sea;
    } places[] = {
        {"downtown", 34.05, -118.25, 0},        {"Riverside", 33.95, -117.40, 0},
        {"Palos Verdes hills", 33.77, -118.37, 0}, {"Catalina", 33.40, -118.42, 0},
        {"Irvine", 33.68, -117.80, 0},          {"Malibu hills", 34.08, -118.75, 0},
        {"Mojave", 34.80, -117.50, 0},          {"Santa Monica Bay", 33.90, -118.55, 1},
        {"San Pedro Channel", 33.55, -118.20, 1}, {"off Laguna", 33.45, -117.85, 1},
        {"off Oceanside", 33.12, -117.45, 1},   {"west of Catalina", 33.30, -118.70, 1},
        {"off Point Dume", 33.95, -118.85, 1},
    };
    for (const Place& p : places) {
        Ground g = ground_at(p.lat, p.lon);
        EXPECT_EQ(on_water[g.i][g.j], p.sea) << p.name;
        if (p.sea) EXPECT_NEAR(g.h, 0.0f, 0.01f) << p.name;
        else EXPECT_GT(g.h, 0.5f) << p.name;
    }
}

TEST_F(DefaultRegion, TheRangesStandWhereTheRealOnesDo)
{
    struct Place {
        const char* name;
        double lat, lon;
        float lo, hi;
    } places[] = {
        {"San Gorgonio", 34.10, -116.83, 2300, 4000}, {"Mount San Antonio", 34.29, -117.65, 2000, 3600},
        {"San Jacinto Peak", 33.815, -116.68, 2200, 3800}, {"Santiago Peak", 33.71, -117.53, 900, 2300},
        {"Los Angeles basin", 33.95, -118.15, 0, 200}, {"Coachella valley", 33.60, -116.15, -80, 150},
        {"Antelope valley", 34.70, -118.10, 550, 1000},
    };
    for (const Place& p : places) {
        Ground g = ground_at(p.lat, p.lon);
        EXPECT_GE(g.h, p.lo) << p.name;
        EXPECT_LE(g.h, p.hi) << p.name;
    }
    EXPECT_GT(env.max_h, 2500.0f);
    EXPECT_LT(env.min_h, 0.0f);   // the desert basin below sea level
}

TEST_F(DefaultRegion, EveryTerrainTextureAppears)
{
    std::set<unsigned> seen;
    for (int i = 0; i < REGION_NI - 1; i++)
        for (int j = 0; j < REGION_NJ - 1; j++) seen.insert(planetex[i][j]);
    for (unsigned t = 50; t <= 61; t++) EXPECT_TRUE(seen.count(t)) << t;
}

TEST_F(DefaultRegion, FrameSpansTwoDegreesOfLatitude)
{
    EXPECT_NEAR(env.dz, 222240.0f, 1.0f);
    EXPECT_NEAR(con.mtrtonrt, 494.0f / 222240.0f, 1e-9f);
    EXPECT_EQ(env.lox, 0.0f);
    EXPECT_EQ(planexyz[0][0][0], 0.0f);
    EXPECT_EQ(planexyz[0][0][2], 0.0f);
    EXPECT_TRUE(recorded_alerts().empty());
}

// The aircraft near an edge: the shift moves the region a square that way while the aircraft keeps
// its metres, its latitude and longitude, and the ground under it.
TEST_F(DefaultRegion, ShiftsKeepPositionAndGround)
{
    struct Case {
        double lat, lon;
        int type, lat_sou, lon_wes, di, dj;
    } cases[] = {
        {34.20, -118.06, 2, 33, -120, 59, 0},   // within 0.95 of the western edge
        {34.20, -116.94, 3, 33, -118, -59, 0},
        {34.56, -117.50, 4, 34, -119, 0, -79},
        {33.44, -117.50, 5, 32, -119, 0, 79},
    };
    for (const Case& c : cases) {
        SetUp();
        Ground before = ground_at(c.lat, c.lon);
        env.i_aircraft = before.i;
        env.j_aircraft = before.j;
        // Heights at a spread of points in the part of the region that stays.
        double lat = c.type == 5 ? 33.6 : 34.4, lon = -117.5;
        Ground probe = ground_at(lat, lon);

        ASSERT_EQ(region_shift_for(c.lat, c.lon), c.type);
        EXPECT_EQ(env.lat_sou, c.lat_sou);
        EXPECT_EQ(env.lon_wes, c.lon_wes);
        load_region(c.type);

        EXPECT_EQ(env.i_aircraft, before.i + c.di) << c.type;
        EXPECT_EQ(env.j_aircraft, before.j + c.dj) << c.type;
        EXPECT_NEAR(lat_with_z(before.z), c.lat, 1e-6) << c.type;
        EXPECT_NEAR(lon_with_xz(before.x, before.z), c.lon, 1e-6) << c.type;
        EXPECT_NEAR(X_with_latlon(c.lat, c.lon), before.x, 1e-3) << c.type;
        int i = env.i_aircraft, j = env.j_aircraft;
        EXPECT_NEAR(find_local_h(static_cast<float>(before.x), static_cast<float>(before.z), &i, &j, 0), before.h,
                    0.01f) << c.type;
        EXPECT_EQ(i, env.i_aircraft);
        Ground probe_after = ground_at(lat, lon);
        EXPECT_NEAR(probe_after.h, probe.h, 0.01f) << c.type;
        EXPECT_EQ(probe_after.i, probe.i + c.di);
        EXPECT_EQ(region_shift_for(c.lat, c.lon), 0) << "one shift is enough";
    }
}

TEST_F(DefaultRegion, AShiftWestThenEastRestoresTheColumnsThatStayed)
{
    clear_recorded_alerts();
    static float before[REGION_NI][REGION_NJ][3];
    std::memcpy(before, planexyz, sizeof before);
    static uint32_t tex_before[REGION_NI][REGION_NJ];
    std::memcpy(tex_before, planetex, sizeof tex_before);
    env.lon_wes -= 1;
    load_region(2);
    env.lon_wes += 1;
    load_region(3);
    // Column 0 shares its points with the square that was read meanwhile west of it: the later
    // read of a shared edge wins, so that column is left out.
    for (int i = 1; i < REGION_NI; i++)
        for (int j = 0; j < REGION_NJ; j++)
            for (int k = 0; k < 3; k++) ASSERT_EQ(planexyz[i][j][k], before[i][j][k]) << i << " " << j << " " << k;
    // Textures away from the re-read column's seam are the same.
    for (int i = 3; i < 116; i++)
        for (int j = 1; j < REGION_NJ - 2; j++) ASSERT_EQ(planetex[i][j], tex_before[i][j]) << i << " " << j;
}

TEST_F(DefaultRegion, ConversionIsOneContinuousFunctionAfterShifts)
{
    env.lon_wes -= 1;
    load_region(2);
    env.lat_sou += 1;
    load_region(4);
    // Across the tile edges, and at the far corner of the region, the two ways agree.
    for (double lat = 34.01; lat < 35.99; lat += 0.137) {
        for (double lon = -119.99; lon < -117.01; lon += 0.113) {
            const double x = X_with_latlon(lat, lon), z = Z_with_lat(lat);
            ASSERT_NEAR(lat_with_z(z), lat, 1e-7);
            ASSERT_NEAR(lon_with_xz(x, z), lon, 1e-6) << lat << " " << lon;
        }
        // No jump at the edge between columns 0 and 1.
        const double e = 1e-6;
        EXPECT_NEAR(X_with_latlon(lat, -119.0 - e), X_with_latlon(lat, -119.0 + e), 0.5);
    }
    // Every grid point, the corners included, lies where its square put it.
    const double corners[4][4] = {{0, 0, 34, -120}, {177, 0, 34, -117}, {0, 158, 36, -120}, {177, 158, 36, -117}};
    for (const auto& c : corners) {
        const float* p = planexyz[static_cast<int>(c[0])][static_cast<int>(c[1])];
        EXPECT_NEAR(p[0], X_with_latlon(c[2], c[3]), 0.05) << c[0] << " " << c[1];
        EXPECT_NEAR(p[2], Z_with_lat(c[2]), 0.05) << c[0] << " " << c[1];
    }
}

// What a saved position must hold: offsets in the region freshly loaded at the start airport's
// corner. After shifts, loading that region anew puts the aircraft back at its latitude and longitude.
TEST_F(DefaultRegion, SavedPositionComesBackAfterTheRegionShifted)
{
    const double lat = 34.62, lon = -116.98;
    env.lon_wes += 1;
    load_region(3);
    env.lat_sou += 1;
    load_region(4);
    const double x = X_with_latlon(lat, lon), z = Z_with_lat(lat);
    double east, south;
    region_fresh_offsets(33, -119, lat_with_z(z), lon_with_xz(x, z), &east, &south);

    env.lat_sou = 33;
    env.lon_wes = -119;
    load_region(1);
    const double x2 = env.lox + east, z2 = env.loz + south;
    EXPECT_NEAR(lat_with_z(z2), lat, 1e-6);
    EXPECT_NEAR(lon_with_xz(x2, z2), lon, 1e-6);
}

TEST_F(DefaultRegion, ListsHoldTheRegionsAirportsAndRadios)
{
    EXPECT_EQ(apt_lcl_max, apt_lcl_num - 1);
    for (int row = 0; row < apt_lcl_num; row++) {
        const int a = apt_to_index[row];
        EXPECT_TRUE(apt_inreg[a]);
        for (int r = apt_lo_ind[a]; r <= apt_hi_ind[a]; r++) EXPECT_GE(rwy_geo_ind[r], 0);
    }
    EXPECT_GT(vor_lcl_num, 3);
    EXPECT_GT(ndb_lcl_num, 0);
    for (int k = 0; k < vor_lcl_num; k++) EXPECT_EQ(nav_type[vor_to_index[k]], 3);
    for (int k = 0; k < ndb_lcl_num; k++) EXPECT_EQ(nav_type[ndb_to_index[k]], 2);
    // The helipad numbered 99 has no taxiways; the long asphalt runway at the start airport has.
    const int pad = find_airport("AVHP"), sbd = find_airport("KSBD");
    ASSERT_GE(pad, 0);
    EXPECT_EQ(geo_tway[rwy_geo_ind[apt_lo_ind[pad]]], 0);
    EXPECT_EQ(geo_tway[rwy_geo_ind[apt_lo_ind[sbd]]], 1);
}

// A region of our own making: airports placed where the test wants them, no squares.
class SyntheticRegion : public EmptyRegion {
protected:
    int add_airport(float lat, float lon, int runways, int num = 9)
    {
        const int a = ++apt_wrl_max;
        apt_lo_ind[a] = rwy_wrl_max + 1;
        for (int k = 0; k < runways; k++) {
            const int r = ++rwy_wrl_max;
            rwy_lat[r] = lat;
            rwy_lon[r] = lon;
            rwy_num[r] = num;
            rwy_len[r] = 2000;
            rwy_width[r] = 45;
            rwy_lite[r] = 1000000;
        }
        apt_hi_ind[a] = rwy_wrl_max;
        return a;
    }
};

TEST_F(SyntheticRegion, MissingSquaresAreFlatWaterWithoutComplaint)
{
    load_region(1);
    for (int i = 0; i < REGION_NI; i += 7)
        for (int j = 0; j < REGION_NJ; j += 5) {
            EXPECT_EQ(planexyz[i][j][1], 0.0f);
            if (i < REGION_NI - 1 && j < REGION_NJ - 1) {
                EXPECT_EQ(on_water[i][j], 1);
            }
        }
    EXPECT_EQ(apt_lcl_num, 0);
    EXPECT_EQ(apt_lcl_max, 0);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(SyntheticRegion, BoundsOfTheRegionAreInsideAndRunwaylessAirportsAreNot)
{
    const int ne = add_airport(12.0f, 23.0f, 1);
    const int sw = add_airport(10.0f, 20.0f, 1);
    const int out = add_airport(12.01f, 22.0f, 1);
    const int none = add_airport(11.0f, 21.0f, 0);
    load_region(1);
    EXPECT_TRUE(apt_inreg[ne]);
    EXPECT_TRUE(apt_inreg[sw]);
    EXPECT_FALSE(apt_inreg[out]);
    EXPECT_FALSE(apt_inreg[none]);
    EXPECT_EQ(apt_lcl_num, 2);
}

TEST_F(SyntheticRegion, RunwaysPastTheTableAreToldOnceAndLeftOut)
{
    for (int k = 0; k < 40; k++) add_airport(11.0f, 21.0f + 0.01f * k, 4);   // 160 runways
    load_region(1);
    EXPECT_EQ(geo_rows, GEO_ROWS);
    int told = 0;
    for (const RecordedAlert& a : recorded_alerts()) told += a.l1 == "Too many runways in the region!";
    EXPECT_EQ(told, 1);
    for (int r = 0; r <= rwy_wrl_max; r++) {
        if (r < GEO_ROWS) EXPECT_EQ(rwy_geo_ind[r], r);
        else EXPECT_EQ(rwy_geo_ind[r], -1);
    }
}

TEST_F(SyntheticRegion, ARunway99SuppressesTaxiwaysOfItsAirport)
{
    const int a = add_airport(11.0f, 21.0f, 2);
    const int b = add_airport(11.5f, 21.5f, 2);
    rwy_num[apt_hi_ind[b]] = 99;
    load_region(1);
    EXPECT_EQ(geo_tway[rwy_geo_ind[apt_lo_ind[a]]], 1);
    EXPECT_EQ(geo_tway[rwy_geo_ind[apt_lo_ind[b]]], 0);
    EXPECT_EQ(geo_tway[rwy_geo_ind[apt_hi_ind[b]]], 0);
}

// A bad square in the region: a notice naming it, the tile as water, the others as read.
TEST_F(SyntheticRegion, DamagedOrWrongVersionSquaresGiveANoticeAndWater)
{
    auto sq = std::make_unique<env_square>();
    fs::create_directories(dir.path() / "additional nav data" / "+010+020");
    auto square_path = [&](int lat, int lon) {
        char rel[400];
        return_latlon_str_ENV(lat, lon, rel, 1);
        return (dir.path() / "additional nav data" / rel).string();
    };
    for (int t = 0; t < 6; t++) {
        const int lat = 10 + t / 3, lon = 20 + t % 3;
        env_flat_water(lat, lon, sq.get());
        for (auto& row : sq->h)
            for (float& h : row) h = 50.0f;
        for (auto& row : sq->word)
            for (int32_t& w : row) w = 1 << 5;
        ASSERT_EQ(env_write_square(square_path(lat, lon).c_str(), sq.get()), 1);
    }
    const std::string cut = square_path(10, 21), old = square_path(11, 22);
    std::string bytes = read_file(cut);
    dir.write("additional nav data/+010+020/+010+021.env", bytes.substr(0, 40000));
    bytes = read_file(old);
    bytes[1] = 2;
    dir.write("additional nav data/+010+020/+011+022.env", bytes);

    load_region(1);
    ASSERT_EQ(recorded_alerts().size(), 2u);
    EXPECT_EQ(recorded_alerts()[0].l2, cut);
    EXPECT_EQ(recorded_alerts()[1].l2, old);
    for (const RecordedAlert& a : recorded_alerts()) EXPECT_EQ(a.code, 2002);
    EXPECT_EQ(on_water[80][40], 1);      // tile 1
    EXPECT_EQ(planexyz[80][40][1], 0.0f);
    EXPECT_EQ(on_water[150][120], 1);    // tile 5
    EXPECT_EQ(on_water[20][40], 0);      // tile 0 read
    EXPECT_EQ(planexyz[20][40][1], 50.0f);
    EXPECT_EQ(on_water[20][120], 0);     // tile 3 read
}

TEST_F(SyntheticRegion, NoSquareIsReadHighAbove)
{
    auto sq = std::make_unique<env_square>();
    env_flat_water(10, 20, sq.get());
    for (auto& row : sq->h)
        for (float& h : row) h = 50.0f;
    char rel[400];
    return_latlon_str_ENV(10, 20, rel, 1);
    fs::create_directories(dir.path() / "additional nav data" / "+010+020");
    ASSERT_EQ(env_write_square((dir.path() / "additional nav data" / rel).string().c_str(), sq.get()), 1);
    const double ceiling = static_cast<double>(con.fttomtrs) * 100000.0;
    flt.Y[0] = ceiling - 1.0;
    load_region(1);
    EXPECT_EQ(planexyz[10][10][1], 50.0f);
    flt.Y[0] = ceiling;
    load_region(1);
    EXPECT_EQ(planexyz[10][10][1], 0.0f);
}

}  // namespace
