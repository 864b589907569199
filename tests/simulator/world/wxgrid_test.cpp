// wxgrid_test.cpp -- the weather-intensity grid and the cloud sheet: midpoint displacement worked
// by hand with a fixed displacement, the per-level amplitudes, one sector regenerated at a time,
// the block moves of every shift against a snapshot, and the bundled region's fields through shifts.
#include "wxgrid.h"

#include "genwrld.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "kvdb.h"
#include "kvtest.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr float D = 152.4f;   // half of 1000 ft, m

// A small single-float grid of ni by nj points.
struct Small {
    int ni, nj;
    std::vector<float> v;
    Small(int a, int b) : ni(a), nj(b), v(static_cast<size_t>(a * b), 0.0f) {}
    float at(int i, int j) const { return v[static_cast<size_t>(i * nj + j)]; }
};

// ---- fractalize with a fixed displacement (lo = hi), so every value can be worked out by hand ----

TEST(Fractalize, OneLevelOnAFourCellSquareRaisesOnlyTheBlockCentres)
{
    // Level 1 on 0..4: four blocks of 2 cells, centres (1,1), (1,3), (3,1), (3,3), each raised by
    // 2 * 1/2 = 1; a 2-cell block has nothing else inside.
    Small g(5, 5);
    fractalize(0, 0, 4, 4, g.v.data(), 5, 1, 0, 2.0f, 2.0f, 1, 1);
    for (int i = 0; i <= 4; i++)
        for (int j = 0; j <= 4; j++) {
            const float want = (i % 2 == 1 && j % 2 == 1) ? 1.0f : 0.0f;
            EXPECT_FLOAT_EQ(g.at(i, j), want) << i << " " << j;
        }
}

TEST(Fractalize, OneLevelMakesATentOverEachBlock)
{
    // Level 1 on 0..8 with displacement 4: blocks 0..4 and 4..8, centres at 2 and 6 raised by 2.
    // The centre cross is linear, the inside the mean of the two linear readings: by hand, 2 at the
    // centre, 1 half-way along the cross, 0.5 half-way to a corner, 0 on the block edges.
    Small g(9, 9);
    fractalize(0, 0, 8, 8, g.v.data(), 9, 1, 0, 4.0f, 4.0f, 1, 1);
    const float block[5][5] = {{0, 0, 0, 0, 0},
                               {0, 0.5f, 1, 0.5f, 0},
                               {0, 1, 2, 1, 0},
                               {0, 0.5f, 1, 0.5f, 0},
                               {0, 0, 0, 0, 0}};
    for (int a = 0; a < 2; a++)
        for (int b = 0; b < 2; b++)
            for (int i = 0; i <= 4; i++)
                for (int j = 0; j <= 4; j++)
                    EXPECT_FLOAT_EQ(g.at(4 * a + i, 4 * b + j), block[i][j]) << a << b << " " << i << " " << j;
}

TEST(Fractalize, EachLevelAddsTheRangeOverItsBlockCount)
{
    // Alone, level L with a displacement of 3 peaks at 3 / 2^L at the block centres.
    const float peak[5] = {0, 1.5f, 0.75f, 0.375f, 0.1875f};
    for (int level = 1; level <= 4; level++) {
        Small g(65, 65);
        fractalize(0, 0, 64, 64, g.v.data(), 65, 1, 0, 3.0f, 3.0f, level, level);
        const float top = *std::max_element(g.v.begin(), g.v.end());
        EXPECT_FLOAT_EQ(top, peak[level]) << level;
        const int half = 32 >> level;   // the first block's centre
        EXPECT_FLOAT_EQ(g.at(half, half), peak[level]) << level;
    }
}

TEST(Fractalize, AHighEdgeRemainderIsNotSubdivided)
{
    // 10 cells at level 2: blocks of 2 (10 / 4 truncated) cover 0..8; index 9 is in no block.
    Small g(11, 11);
    fractalize(0, 0, 10, 10, g.v.data(), 11, 1, 0, 8.0f, 8.0f, 2, 2);
    for (int k = 0; k <= 10; k++) {
        EXPECT_EQ(g.at(9, k), 0.0f) << k;
        EXPECT_EQ(g.at(k, 9), 0.0f) << k;
    }
    EXPECT_FLOAT_EQ(g.at(7, 7), 2.0f);   // the last block's centre: 8 / 4
}

TEST(Fractalize, TouchesOnlyItsComponentOfAStridedGridAndOnlyItsRectangle)
{
    // A 9 by 9 grid of 3 floats per point, sentinels everywhere; displace y inside 2..6 x 2..6.
    std::vector<float> g(9 * 9 * 3, 7.0f);
    fractalize(2, 2, 6, 6, g.data(), 9, 3, 1, 4.0f, 4.0f, 1, 1);
    for (int i = 0; i < 9; i++)
        for (int j = 0; j < 9; j++) {
            const float* p = &g[static_cast<size_t>((i * 9 + j) * 3)];
            EXPECT_EQ(p[0], 7.0f);
            EXPECT_EQ(p[2], 7.0f);
            const bool centre = (i == 3 || i == 5) && (j == 3 || j == 5);
            EXPECT_FLOAT_EQ(p[1], centre ? 9.0f : 7.0f) << i << " " << j;
        }
}

TEST(Fractalize, RandomLevelsStayWithinTheSumOfTheirAmplitudesAndRepeatForASeed)
{
    Small a(211, 211), b(211, 211), c(211, 211);
    hl_srand(99);
    fractalize(0, 0, 210, 210, a.v.data(), 211, 1, 0, -3.0f, 3.0f, 1, 4);
    hl_srand(99);
    fractalize(0, 0, 210, 210, b.v.data(), 211, 1, 0, -3.0f, 3.0f, 1, 4);
    hl_srand(100);
    fractalize(0, 0, 210, 210, c.v.data(), 211, 1, 0, -3.0f, 3.0f, 1, 4);
    EXPECT_EQ(a.v, b.v);
    EXPECT_NE(a.v, c.v);
    float lo = 0, hi = 0;
    for (float v : a.v) {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    EXPECT_LE(hi, 2.8125f);
    EXPECT_GE(lo, -2.8125f);
    EXPECT_GT(hi - lo, 1.0f);   // a real field, not a flat one
    for (int k = 0; k <= 210; k++) {
        EXPECT_EQ(a.at(0, k), 0.0f);
        EXPECT_EQ(a.at(210, k), 0.0f);
        EXPECT_EQ(a.at(k, 0), 0.0f);
        EXPECT_EQ(a.at(k, 210), 0.0f);
    }
}

// ---- the region's grids ---------------------------------------------------------------------------

class Grids : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        kvdb_set_units();
        hl_srand(5);
    }
    static void fill_weather(float v)
    {
        for (auto& col : atm.wxr)
            for (float& x : col) x = v;
    }
};

TEST_F(Grids, AWeatherSectorIsRegeneratedAloneWithinZeroToOne)
{
    // Tile t: column t mod 3; the southern tiles 0..2 lie on rows 210..420 (rows run north to south).
    for (int tile = 0; tile < 6; tile++) {
        fill_weather(5.0f);
        gen_wx_for_sec(tile);
        const int i1 = 210 * (tile % 3), j1 = tile < 3 ? 210 : 0;
        int above_zero = 0;
        float top = 0.0f;
        for (int i = 0; i < 631; i++)
            for (int j = 0; j < 421; j++) {
                const float v = atm.wxr[i][j];
                const bool inside = i >= i1 && i <= i1 + 210 && j >= j1 && j <= j1 + 210;
                if (!inside) {
                    ASSERT_EQ(v, 5.0f) << tile << " " << i << " " << j;
                    continue;
                }
                ASSERT_GE(v, 0.0f);
                ASSERT_LE(v, 1.0f);
                if (i == i1 || i == i1 + 210 || j == j1 || j == j1 + 210) {
                    ASSERT_EQ(v, 0.0f) << tile;
                }
                above_zero += v > 0.0f;
                top = std::max(top, v);
            }
        EXPECT_GT(above_zero, 1000) << tile;
        EXPECT_GT(top, 0.2f) << tile;
    }
}

TEST_F(Grids, AWeatherSectorOutsideTheTilesChangesNothing)
{
    fill_weather(0.25f);
    gen_wx_for_sec(-1);
    gen_wx_for_sec(6);
    for (auto& col : atm.wxr)
        for (float v : col) ASSERT_EQ(v, 0.25f);
}

TEST_F(Grids, CloudSectorsFollowTheRegionEdgesAndShadeByHeight)
{
    // A region 300 km wide and 200 km deep: west edge x 0 at column 16, east 300 km at 64; south
    // edge z 200 km at row 16, north edge z 0 at row 48. The sheet runs on evenly beyond them.
    env.lox = 0.0f;
    env.hix = 300000.0f;
    env.hiz = 200000.0f;
    env.loz = 0.0f;
    for (int c = 0; c < 5; c++)
        for (int r = 0; r < 4; r++) fill_a_sector_with_ocast(c, r);
    EXPECT_FLOAT_EQ(cloudxyz[16][0][0], 0.0f);
    EXPECT_FLOAT_EQ(cloudxyz[64][30][0], 300000.0f);
    EXPECT_FLOAT_EQ(cloudxyz[0][5][0], -100000.0f);
    EXPECT_FLOAT_EQ(cloudxyz[80][5][0], 400000.0f);
    EXPECT_FLOAT_EQ(cloudxyz[3][16][2], 200000.0f);
    EXPECT_FLOAT_EQ(cloudxyz[3][48][2], 0.0f);
    EXPECT_FLOAT_EQ(cloudxyz[3][0][2], 300000.0f);
    EXPECT_FLOAT_EQ(cloudxyz[3][64][2], -100000.0f);
    // Heights scatter around -D by at most 2D (1/2 + 1/4 + 1/8 + 1/16); shade 1 + 0.6 y / 2D.
    double sum = 0;
    float lo = 0, hi = -1e9f;
    for (int i = 0; i < CLOUD_NI; i++)
        for (int j = 0; j < CLOUD_NJ; j++) {
            const float y = cloudxyz[i][j][1];
            ASSERT_GE(y, -D - 2 * D * 0.9375f - 0.01f);
            ASSERT_LE(y, -D + 2 * D * 0.9375f + 0.01f);
            for (int k = 0; k < 3; k++) ASSERT_NEAR(cloudrgb[i][j][k], 1.0f + 0.6f * y / (2 * D), 1e-5f);
            sum += y;
            lo = std::min(lo, y);
            hi = std::max(hi, y);
        }
    EXPECT_NEAR(sum / (CLOUD_NI * CLOUD_NJ), -D, 60.0);
    EXPECT_GT(hi - lo, D);   // lumpy
    // A point at -D is shaded 0.7; lower ones darker, below 0.4 past -2D (unclamped).
    EXPECT_NEAR(1.0f + 0.6f * -D / (2 * D), 0.7f, 1e-6f);
}

TEST_F(Grids, ACloudSectorIsRegeneratedAlone)
{
    for (auto& col : cloudxyz)
        for (auto& p : col) p[0] = p[1] = p[2] = 9.0f;
    fill_a_sector_with_ocast(2, 1);   // columns 32..48, rows 16..32
    for (int i = 0; i < CLOUD_NI; i++)
        for (int j = 0; j < CLOUD_NJ; j++) {
            const bool inside = i >= 32 && i <= 48 && j >= 16 && j <= 32;
            if (!inside) {
                ASSERT_EQ(cloudxyz[i][j][1], 9.0f) << i << " " << j;
            } else {
                ASSERT_NE(cloudxyz[i][j][1], 9.0f) << i << " " << j;
            }
        }
    fill_a_sector_with_ocast(5, 0);
    fill_a_sector_with_ocast(0, 4);
    EXPECT_EQ(cloudxyz[80][64][1], 9.0f);
}

// The shifts of the region loader, each against a snapshot: every point of the block lands at
// (i + di, j + dj) with the value it had before the move, and everything else stays.
struct Shift {
    int c1, c2, r1, r2, di, dj;
};

template <int NI, int NJ, int W>
void expect_moved(const float (&now)[NI][NJ][W], const std::vector<float>& before, const Shift& s, int cell)
{
    auto old = [&](int i, int j, int k) { return before[static_cast<size_t>((i * NJ + j) * W + k)]; };
    for (int i = 0; i < NI; i++)
        for (int j = 0; j < NJ; j++) {
            const int si = i - s.di, sj = j - s.dj;
            const bool moved = si >= s.c1 * cell && si <= s.c2 * cell && sj >= s.r1 * cell && sj <= s.r2 * cell;
            for (int k = 0; k < W; k++) ASSERT_EQ(now[i][j][k], moved ? old(si, sj, k) : old(i, j, k)) << i << " " << j;
        }
}

TEST_F(Grids, WeatherShiftsMoveTheBlockWithoutOverwritingIt)
{
    const Shift shifts[4] = {{0, 2, 0, 2, 210, 0}, {1, 3, 0, 2, -210, 0}, {0, 3, 0, 1, 0, 210}, {0, 3, 1, 2, 0, -210}};
    static float as3[631][421][1];
    for (const Shift& s : shifts) {
        for (int i = 0; i < 631; i++)
            for (int j = 0; j < 421; j++) atm.wxr[i][j] = static_cast<float>(i * 1000 + j);
        std::vector<float> before(&atm.wxr[0][0], &atm.wxr[0][0] + 631 * 421);
        shift_weather(s.c1, s.c2, s.r1, s.r2, s.di, s.dj);
        std::memcpy(as3, atm.wxr, sizeof as3);
        expect_moved(as3, before, s, 210);
    }
}

TEST_F(Grids, CloudShiftsMovePointsAndShadesTogether)
{
    const Shift shifts[4] = {{0, 4, 0, 4, 16, 0}, {1, 5, 0, 4, -16, 0}, {0, 5, 1, 4, 0, -16}, {0, 5, 0, 3, 0, 16}};
    for (const Shift& s : shifts) {
        for (int i = 0; i < CLOUD_NI; i++)
            for (int j = 0; j < CLOUD_NJ; j++)
                for (int k = 0; k < 3; k++) {
                    cloudxyz[i][j][k] = static_cast<float>(i * 10000 + j * 10 + k);
                    cloudrgb[i][j][k] = -cloudxyz[i][j][k];
                }
        std::vector<float> xyz(&cloudxyz[0][0][0], &cloudxyz[0][0][0] + CLOUD_NI * CLOUD_NJ * 3);
        std::vector<float> rgb(&cloudrgb[0][0][0], &cloudrgb[0][0][0] + CLOUD_NI * CLOUD_NJ * 3);
        shift_cloud(s.c1, s.c2, s.r1, s.r2, s.di, s.dj);
        expect_moved(cloudxyz, xyz, s, 16);
        expect_moved(cloudrgb, rgb, s, 16);
    }
}

// ---- the bundled region ----------------------------------------------------------------------------

class BundledWeather : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        kvdb_set_units();
        kvdb_load(std::string(KV_SOURCE_DIR) + "/data/additional nav data");
        std::snprintf(app_path, sizeof app_path, "%s/", KV_PROGRAM_DIR);
        hl_srand(2024);
        env.lat_sou = 33;
        env.lon_wes = -119;
        load_region(1);
    }
};

TEST_F(BundledWeather, EverySectorOfAFullLoadIsGeneratedAndTheSameForTheSameSeed)
{
    static float first[631][421];
    std::memcpy(first, atm.wxr, sizeof first);
    static float cloud_first[CLOUD_NI][CLOUD_NJ][3];
    std::memcpy(cloud_first, cloudxyz, sizeof cloud_first);
    // Sector edge lines are 0; inside every sector there is weather.
    for (int t = 0; t < 6; t++) {
        const int i1 = 210 * (t % 3), j1 = t < 3 ? 210 : 0;
        double sum = 0;
        for (int i = i1; i <= i1 + 210; i++)
            for (int j = j1; j <= j1 + 210; j++) sum += atm.wxr[i][j];
        EXPECT_GT(sum, 100.0) << t;
        for (int k = 0; k <= 210; k++) {
            EXPECT_EQ(atm.wxr[i1][j1 + k], 0.0f);
            EXPECT_EQ(atm.wxr[i1 + k][j1 + 210], 0.0f);
        }
    }
    SetUp();
    EXPECT_EQ(std::memcmp(first, atm.wxr, sizeof first), 0);
    EXPECT_EQ(std::memcmp(cloud_first, cloudxyz, sizeof cloud_first), 0);
    // The sheet spans the region: its edges on columns 16, 64 and rows 16, 48.
    EXPECT_FLOAT_EQ(cloudxyz[16][0][0], env.lox);
    EXPECT_FLOAT_EQ(cloudxyz[64][0][0], env.hix);
    EXPECT_FLOAT_EQ(cloudxyz[0][16][2], env.hiz);
    EXPECT_FLOAT_EQ(cloudxyz[0][48][2], env.loz);
}

TEST_F(BundledWeather, AShiftWestKeepsTheWeatherAndTheSheetWhereTheyWere)
{
    static float wx[631][421];
    std::memcpy(wx, atm.wxr, sizeof wx);
    static float cloud[CLOUD_NI][CLOUD_NJ][3];
    std::memcpy(cloud, cloudxyz, sizeof cloud);
    env.lon_wes -= 1;
    load_region(2);
    // The two eastern degrees of weather are the old western two, point for point. No square lies
    // west of the bundled region, so the new western sectors keep what was there.
    for (int i = 210; i < 631; i++)
        for (int j = 0; j < 421; j++) ASSERT_EQ(atm.wxr[i][j], wx[i - 210][j]) << i << " " << j;
    // The sheet moved 16 columns east; the refilled western sector (columns 0..16, its eastern edge
    // shared with the moved sheet and drawn anew) continues its even spacing.
    for (int i = 17; i < CLOUD_NI; i++)
        for (int j = 0; j < CLOUD_NJ; j++)
            for (int k = 0; k < 3; k++) ASSERT_EQ(cloudxyz[i][j][k], cloud[i - 16][j][k]);
    const float dx = cloudxyz[41][20][0] - cloudxyz[40][20][0];
    for (int i = 0; i < CLOUD_NI - 1; i++) ASSERT_NEAR(cloudxyz[i + 1][20][0] - cloudxyz[i][20][0], dx, 0.05f) << i;
    EXPECT_FLOAT_EQ(cloudxyz[16][20][0], env.lox);
}

TEST_F(BundledWeather, AShiftNorthMovesTheWeatherSouthAndRegeneratesTheNorthernRow)
{
    static float wx[631][421];
    std::memcpy(wx, atm.wxr, sizeof wx);
    env.lat_sou += 1;
    load_region(4);
    // The old northern row (rows 0..210) is now the southern one (210..420). The new northern
    // squares (35 N) are not bundled, so rows 0..209 keep the old values.
    for (int i = 0; i < 631; i++) {
        for (int j = 210; j < 421; j++) ASSERT_EQ(atm.wxr[i][j], wx[i][j - 210]) << i << " " << j;
        for (int j = 0; j < 210; j++) ASSERT_EQ(atm.wxr[i][j], wx[i][j]) << i << " " << j;
    }
    // The sheet's rows stay evenly spaced across the refilled northern row.
    const float dz = cloudxyz[5][21][2] - cloudxyz[5][20][2];
    for (int j = 0; j < CLOUD_NJ - 1; j++) ASSERT_NEAR(cloudxyz[5][j + 1][2] - cloudxyz[5][j][2], dz, 0.05f) << j;
}

}  // namespace
