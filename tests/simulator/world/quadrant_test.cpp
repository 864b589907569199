// quadrant_test.cpp -- one square read into a tile: custom texture numbers, tree bands, city lights
// and trees on the ground, the object slots, ships off a coast, and objects a shift leaves behind.
#include "genwrld.h"

#include "empty_region.h"

#include "fltutil.h"
#include "hl_envfile.h"
#include "hl_funct.h"
#include "hl_string.h"
#include "hl_types.h"
#include "kvdb.h"
#include "kvtest.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

class OneSquare : public EmptyRegion {
protected:
    std::unique_ptr<env_square> sq = std::make_unique<env_square>();
    static constexpr int LAT = 10, LON = 20;

    void SetUp() override
    {
        EmptyRegion::SetUp();   // the region at (LAT, LON)
        std::srand(3);
        // Land rising gently eastward, plain orientation, no water.
        env_flat_water(LAT, LON, sq.get());
        for (int r = 0; r < ENV_ROWS; r++)
            for (int c = 0; c < ENV_COLS; c++) {
                sq->h[r][c] = 100.0f + 3.0f * static_cast<float>(c);
                sq->word[r][c] = 1 << 5;
            }
    }
    void write(int lat, int lon)
    {
        for (int r = 0; r < ENV_ROWS; r++)
            for (int c = 0; c < ENV_COLS; c++) {
                sq->lat[r][c] = static_cast<float>(lat + r / 79.0);
                sq->lon[r][c] = static_cast<float>(lon + c / 59.0);
            }
        char rel[400];
        return_latlon_str_ENV(lat, lon, rel, 1);
        fs::path p = dir.path() / "additional nav data" / rel;
        fs::create_directories(p.parent_path());
        ASSERT_EQ(env_write_square(p.string().c_str(), sq.get()), 1);
    }
};

TEST_F(OneSquare, CustomTexturesGetTheSquaresOwnNumbers)
{
    sq->word[5][7] = (1 << 5) | (1 << (9 + 3));
    write(LAT, LON);
    load_region(1);
    EXPECT_EQ(planetex[7][5], static_cast<uint32_t>(env_custom_tex(LAT, LON, 3)));
    EXPECT_EQ(planetex[8][5], static_cast<uint32_t>(TEX_FLAT));
}

// A region across the prime meridian holds squares at longitudes -1 and +1, as far west as the
// other is east. Each square's own pictures keep numbers of their own there, so that neither
// square's ground shows the other's pictures.
TEST_F(OneSquare, SquaresEitherSideOfTheMeridianKeepTheirOwnCustomTextures)
{
    env.lat_sou = 50;
    env.lon_wes = -1;
    sq->word[5][7] = (1 << 5) | (1 << 9);   // custom texture 0 of its square
    std::snprintf(sq->tex[0], sizeof sq->tex[0], "west_fields");
    write(50, -1);
    std::snprintf(sq->tex[0], sizeof sq->tex[0], "east_vineyards");
    write(50, 1);
    load_region(1);
    const uint32_t west = planetex[7][5], east = planetex[2 * 59 + 7][5];
    EXPECT_GE(west, static_cast<uint32_t>(TEX_CUSTOM));
    EXPECT_GE(east, static_cast<uint32_t>(TEX_CUSTOM));
    EXPECT_NE(west, east);
    EXPECT_LT(planetex[59 + 7][5], static_cast<uint32_t>(TEX_CUSTOM)) << "the missing square between them has none";
}

// The ground under a runway and its parallel taxiway is flattened to the airport's elevation less
// 0.2 m, and no more: the cells overlapping the runway's x and z ranges, from its left edge to the
// taxiway's outer edge. A runway laid east 3000 m by 60 m with its centreline 100 m south of the
// grid line of row 40 reaches 30 m north of the centreline (its left edge) and 150 m south (the
// taxiway's outer edge), so the cells of row 39 (rows of points 39 and 40) are flattened and those
// of row 40, north of the line, keep their slope.
TEST_F(OneSquare, RunwayFlatteningCoversTheRunwayAndItsTaxiwayOnly)
{
    write(LAT, LON);
    const int a = new_airport(50.0f);
    const double line = LAT + 40.0 / 79.0, lat = line - 100.0 / (60.0 * 1852.0);
    const int lite = lgts_to_code(62, std::array<int, 2>{1, 1}.data(), std::array<int, 2>{2, 2}.data(),
                                  std::array<int, 2>{1, 1}.data());
    const int r = new_runway(a, lat, LON + 0.5, 90, 3000, 60, lite);
    load_region(1);
    ASSERT_GE(rwy_geo_ind[r], 0);
    ASSERT_EQ(geo_tway[rwy_geo_ind[r]], 1);
    // The runway spans 1500 m either side of lon 20.5, some 0.8 cells of 1830 m: columns 28..30.
    const int i_mid = 29;
    EXPECT_NEAR(planexyz[i_mid][39][1], 49.8f, 1e-3f) << "row 39, south of the line";
    EXPECT_NEAR(planexyz[i_mid][40][1], 49.8f, 1e-3f) << "the line itself, a corner of the flattened cells";
    EXPECT_NEAR(planexyz[i_mid][41][1], 100.0f + 3.0f * i_mid, 1e-3f) << "row 41 keeps its height";
    EXPECT_NEAR(planexyz[i_mid][38][1], 100.0f + 3.0f * i_mid, 1e-3f) << "row 38, 1.3 km south, keeps its height";
    EXPECT_EQ(tree_on_poly[i_mid][39], 0);
    EXPECT_EQ(tree_on_poly[i_mid][40], (i_mid / 3) % 3 == 0 || (40 / 3) % 3 == 0) << "row 40 keeps its trees";
    // East and west the flattening ends with the runway.
    EXPECT_NEAR(planexyz[25][41][1], 100.0f + 3.0f * 25, 1e-3f);
    EXPECT_NEAR(planexyz[33][39][1], 100.0f + 3.0f * 33, 1e-3f);
}

TEST_F(OneSquare, TheLastColumnsWordsLeaveTheNeighboursCellsAlone)
{
    // The western square marks its last column and row as water; those words describe cells of its
    // neighbours, which are land, and whichever square is read last, the neighbours' cells stay land.
    for (int r = 0; r < ENV_ROWS; r++) sq->word[r][ENV_COLS - 1] = (1 << 5) | 6;
    for (int c = 0; c < ENV_COLS; c++) sq->word[ENV_ROWS - 1][c] = (1 << 5) | 6;
    write(LAT, LON);
    for (int r = 0; r < ENV_ROWS; r++)
        for (int c = 0; c < ENV_COLS; c++) sq->word[r][c] = 1 << 5;
    write(LAT, LON + 1);
    write(LAT + 1, LON);
    load_region(1);
    read_quadrant(LAT, LON, 0);
    EXPECT_EQ(on_water[59][10], 0);
    EXPECT_EQ(on_water[10][79], 0);
    EXPECT_EQ(on_water[58][10], 0);
}

TEST_F(OneSquare, TreesGrowInBandsAndStandOnTheGround)
{
    write(LAT, LON);
    load_region(1);
    for (int c = 0; c < 59; c++)
        for (int r = 0; r < 79; r++) EXPECT_EQ(tree_on_poly[c][r], (c / 3) % 3 == 0 || (r / 3) % 3 == 0) << c << r;
    // Tree points lie on the ground of their cell; city lights 10 to 20 m above it.
    int cities = 0;
    for (int i = 0; i < 58; i += 3)
        for (int j = 0; j < 78; j += 2)
            for (int t = 0; t < 2; t++) {
                int a = i, b = j;
                if (tree_on_poly[i][j]) {
                    const float* p = tree_xyz[i][j][t][0];
                    EXPECT_NEAR(find_local_h(p[0], p[2], &a, &b, 0), p[1], 0.05f);
                    EXPECT_TRUE(a == i && b == j) << i << " " << j;
                }
                if (city_on_poly[i][j]) {
                    cities++;
                    const float* p = city_xyz[i][j][t][4];
                    const float above = p[1] - find_local_h(p[0], p[2], &a, &b, 0);
                    EXPECT_GE(above, 9.99f);
                    EXPECT_LE(above, 20.01f);
                }
            }
    EXPECT_GT(cities, 0);
}

TEST_F(OneSquare, ObjectsTakeTheScenerySlotsRoundRobin)
{
    sq->nobj = 3;
    for (int k = 0; k < 3; k++) sq->obj[k] = {2, LAT + 0.5f, LON + 0.5f, 200.0f, ""};
    write(LAT, LON);
    write(LAT, LON + 1);
    load_region(1);
    EXPECT_EQ(obj_slot, OBJ_FIRST_SCENERY - 1 + 6);
    EXPECT_TRUE(recorded_alerts().empty());
    obj_slot = OBJ_MAX - 2;
    read_quadrant(LAT, LON, 0);
    EXPECT_EQ(obj_slot, OBJ_FIRST_SCENERY + 1);   // 2999, then 460 and 461
}

TEST_F(OneSquare, ShipsLieOffACoastAndNeverOnLand)
{
    // Land west of column 20, sea east of it, and one rock far out at sea.
    for (int r = 0; r < ENV_ROWS; r++)
        for (int c = 0; c < ENV_COLS; c++)
            sq->word[r][c] = (1 << 5) | ((c >= 20 && !(c == 40 && r == 60)) ? 6 : 0);
    write(LAT, LON);
    load_region(1);
    // Four cells off the coast is the first place no nearer land is seen; each ship keeps 12 cells
    // from the one before.
    EXPECT_EQ(frig_on_poly[23][12], 1);
    EXPECT_EQ(carr_on_poly[23][25], 1);
    EXPECT_EQ(oilr_on_poly[23][38], 1);
    EXPECT_EQ(frig_on_poly[40][60] + carr_on_poly[40][60] + oilr_on_poly[40][60], 0);
    int ships = 0;
    for (int i = 0; i < REGION_NI; i++)
        for (int j = 0; j < REGION_NJ; j++) {
            const int s = frig_on_poly[i][j] + carr_on_poly[i][j] + oilr_on_poly[i][j];
            ships += s;
            if (s) {
                EXPECT_EQ(on_water[i][j], 1) << i << " " << j;
            }
        }
    EXPECT_EQ(ships, 3);
}

TEST_F(OneSquare, ALoneRockGetsNoShipOnIt)
{
    // The rock is the first cell the scan meets; the first ship lies in the next cell north.
    for (int r = 0; r < ENV_ROWS; r++)
        for (int c = 0; c < ENV_COLS; c++) sq->word[r][c] = (1 << 5) | ((c == 12 && r == 12) ? 0 : 6);
    write(LAT, LON);
    load_region(1);
    EXPECT_EQ(on_water[12][12], 0);
    EXPECT_EQ(frig_on_poly[12][12], 0);
    EXPECT_EQ(frig_on_poly[12][13], 1);
}

TEST_F(OneSquare, AShiftDropsTheObjectsOnTheSideLeftBehind)
{
    write(LAT, LON);
    load_region(1);
    auto put = [](int slot, double lat, double lon) {
        obj_type[slot] = 2;
        obj_xyz[slot][0][0][0] = static_cast<float>(X_with_latlon(lat, lon));
        obj_xyz[slot][0][0][2] = static_cast<float>(Z_with_lat(lat));
    };
    put(5, 10.5, 20.5);      // an airport building: rebuilt by every load
    put(460, 10.5, 20.5);    // scenery objects in the columns that stay
    put(463, 11.5, 21.5);
    put(600, 10.5, 22.5);    // in the eastern column, which a shift west drops
    env.lon_wes -= 1;
    load_region(2);
    EXPECT_EQ(obj_type[5], 0);
    EXPECT_EQ(obj_type[460], 2);
    EXPECT_EQ(obj_type[463], 2);
    EXPECT_EQ(obj_type[600], 0);
}

}  // namespace
