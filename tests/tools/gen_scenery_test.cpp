// gen_scenery_test.cpp -- the default region's squares: made the same way on every run, matching
// along the edges they share, water level, and the build's copies what the generator makes.
#include "squares.h"

#include "hl_envfile.h"
#include "hl_string.h"
#include "kvtest.h"

#include <chrono>
#include <cstring>
#include <memory>
#include <string>

namespace {

const std::string kAptDat = std::string(KV_SOURCE_DIR) + "/data/additional nav data/apt.dat";

class GeneratedSquares : public ::testing::Test {
protected:
    sc_world w;
    std::unique_ptr<env_square> a = std::make_unique<env_square>();
    std::unique_ptr<env_square> b = std::make_unique<env_square>();
    void SetUp() override
    {
        clear_recorded_alerts();
        ASSERT_EQ(sc_load_airports(kAptDat.c_str(), &w), 1);
    }
};

TEST_F(GeneratedSquares, TheSameSeedMakesTheSameSquaresAndAnotherOneOtherLand)
{
    sc_world other = w;
    other.seed = 2;
    for (int t = 0; t < 6; t++) {
        const int lat = SC_LAT_SOU + t / 3, lon = SC_LON_WES + t % 3;
        sc_make_square(w, lat, lon, a.get());
        sc_make_square(w, lat, lon, b.get());
        EXPECT_EQ(0, std::memcmp(a->h, b->h, sizeof a->h)) << t;
        EXPECT_EQ(0, std::memcmp(a->word, b->word, sizeof a->word)) << t;
        sc_make_square(other, lat, lon, b.get());
        EXPECT_NE(0, std::memcmp(a->h, b->h, sizeof a->h)) << t;
        // The coast and the lakes do not move with the seed.
        EXPECT_EQ(0, std::memcmp(a->word, b->word, sizeof a->word)) << t;
    }
}

TEST_F(GeneratedSquares, TheBuildWroteWhatTheGeneratorMakes)
{
    for (int t = 0; t < 6; t++) {
        const int lat = SC_LAT_SOU + t / 3, lon = SC_LON_WES + t % 3;
        char rel[400];
        return_latlon_str_ENV(lat, lon, rel, 1);
        const std::string path = std::string(KV_PROGRAM_DIR) + "/additional nav data/" + rel;
        ASSERT_EQ(env_read_square(path.c_str(), lat, lon, 0, a.get()), ENV_READ_OK) << path;
        sc_make_square(w, lat, lon, b.get());
        EXPECT_EQ(0, std::memcmp(a->h, b->h, sizeof a->h)) << path;
        EXPECT_EQ(0, std::memcmp(a->word, b->word, sizeof a->word)) << path;
        EXPECT_EQ(a->nobj, b->nobj) << path;
    }
}

TEST_F(GeneratedSquares, NeighboursAgreeOnTheEdgesTheyShare)
{
    auto c = std::make_unique<env_square>();
    sc_make_square(w, 33, -118, a.get());
    sc_make_square(w, 33, -117, b.get());   // east of a
    sc_make_square(w, 34, -118, c.get());   // north of a
    for (int r = 0; r < ENV_ROWS; r++) {
        EXPECT_EQ(a->h[r][ENV_COLS - 1], b->h[r][0]) << r;
        EXPECT_EQ(a->lat[r][ENV_COLS - 1], b->lat[r][0]) << r;
        EXPECT_EQ(a->lon[r][ENV_COLS - 1], b->lon[r][0]) << r;
        // The last column's word describes the neighbour's first cell.
        if (r < ENV_ROWS - 1) {
            EXPECT_EQ(a->word[r][ENV_COLS - 1], b->word[r][0]) << r;
        }
    }
    for (int col = 0; col < ENV_COLS; col++) {
        EXPECT_EQ(a->h[ENV_ROWS - 1][col], c->h[0][col]) << col;
        EXPECT_EQ(a->lat[ENV_ROWS - 1][col], c->lat[0][col]) << col;
    }
}

TEST_F(GeneratedSquares, WaterLiesLevelAtItsSurface)
{
    int sea_cells = 0, lake_cells = 0;
    for (int t = 0; t < 6; t++) {
        const int lat = SC_LAT_SOU + t / 3, lon = SC_LON_WES + t % 3;
        sc_make_square(w, lat, lon, a.get());
        for (int r = 0; r < ENV_ROWS - 1; r++)
            for (int c = 0; c < ENV_COLS - 1; c++) {
                if ((a->word[r][c] & 6) != 6) continue;
                const float h = a->h[r][c];
                EXPECT_EQ(a->h[r][c + 1], h);
                EXPECT_EQ(a->h[r + 1][c], h);
                EXPECT_EQ(a->h[r + 1][c + 1], h);
                (h == 0.0f ? sea_cells : lake_cells)++;
            }
    }
    EXPECT_GT(sea_cells, 3000);   // about a fifth of the region is the Pacific
    EXPECT_GT(lake_cells, 8);
}

TEST_F(GeneratedSquares, TheWholeRegionIsMadeInSeconds)
{
    const auto start = std::chrono::steady_clock::now();
    for (int t = 0; t < 6; t++) sc_make_square(w, SC_LAT_SOU + t / 3, SC_LON_WES + t % 3, a.get());
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(s, 10.0);
}

TEST_F(GeneratedSquares, TallMastsAreObstaclesInFeet)
{
    sc_make_square(w, 34, -119, a.get());
    ASSERT_GE(a->nobj, 2);
    bool tall = false;
    for (int k = 0; k < a->nobj; k++) {
        EXPECT_EQ(a->obj[k].type, 2);
        tall |= a->obj[k].value * 0.3048f >= 130.0f;
    }
    EXPECT_TRUE(tall);
}

}  // namespace
