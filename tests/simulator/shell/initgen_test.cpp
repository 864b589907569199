// initgen_test.cpp -- the general start-up: density table, the panel's digit pictures, the map
// symbols, the stars, the ship and oil-rig models and the defaults.
#include "initgen.h"

#include "hl_file.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "kvtest.h"

#include <cmath>
#include <string>
#include <unistd.h>

namespace {

class InitGen : public ::testing::Test {
protected:
    TempDir work;
    std::string old;
    void SetUp() override
    {
        char cwd[4096];
        old = getcwd(cwd, sizeof cwd) ? cwd : ".";
        ASSERT_EQ(chdir(work.str().c_str()), 0);
        clear_globals();
        hl_fill_constants();
        clear_recorded_alerts();
        hl_srand(1234);
        init_gen();
    }
    void TearDown() override
    {
        if (trk.is_open()) trk.close();
        ASSERT_EQ(chdir(old.c_str()), 0);
    }
};

// Whether dot (col, row) of digit d's glyph is lit, row 0 the bottom.
bool dot(int d, int col, int row)
{
    uint8_t dots[35];
    OGL_char_dots(static_cast<char>('0' + d), dots);
    return dots[row * 5 + col] != 0;
}

TEST_F(InitGen, DensityTableInMetresAndKilograms)
{
    // 0.0023769 slug/ft^3 = 1.22396 kg/m^3 with g = 9.79828 m/s^2
    EXPECT_EQ(atm.hr[0][0], 0.0f);
    EXPECT_NEAR(atm.hr[0][1], 1.22396f, 2e-5f);
    EXPECT_NEAR(atm.hr[10][0], 30480.0f, 0.01f);
    EXPECT_NEAR(atm.hr[21][0], 78943.2f, 0.01f);
    EXPECT_EQ(atm.hr[21][1], 0.0f);
    for (int i = 1; i < 22; i++) {
        EXPECT_GT(atm.hr[i][0], atm.hr[i - 1][0]) << i;
        EXPECT_LT(atm.hr[i][1], atm.hr[i - 1][1]) << i;
    }
}

TEST_F(InitGen, TheDrumHoldsEachDigitCentredOnItsRow)
{
    for (int d = 0; d <= 9; d++) {
        for (int r = -4; r <= 4; r++) {
            int row = (9 * d + r + 90) % 90;
            for (int c = 0; c < 5; c++) {
                bool lit = r >= -3 && r <= 3 && dot(d, c, r + 3);
                ASSERT_EQ(ins.v_tape_col[row][c], lit ? 0 : 22) << "digit " << d << " row " << r << " col " << c;
            }
        }
    }
    // Digit 0's three lowest rows wrap to the top of the drum: its bottom row "01110" is row 87.
    EXPECT_EQ(ins.v_tape_col[87][0], 22);
    EXPECT_EQ(ins.v_tape_col[87][2], 0);
}

// Counts the lit cells of a map.
int lit_cells(const int* map, int n)
{
    int k = 0;
    for (int i = 0; i < n; i++) k += map[i] == 0;
    return k;
}

int glyph_dots(int d)
{
    int k = 0;
    for (int r = 0; r < 7; r++)
        for (int c = 0; c < 5; c++) k += dot(d, c, r);
    return k;
}

TEST_F(InitGen, TheScalesCarryTheirLabels)
{
    // h_tape_col0: "00", "10" .. "90" every 20 columns
    int want = 0;
    for (int c = 0; c <= 180; c += 20) want += glyph_dots(c / 20) + glyph_dots(0);
    EXPECT_EQ(lit_cells(&ins.h_tape_col0[0][0], 12 * 200), want);
    // "10" at column 20: '1' centred on 17, '0' on 23, bottom row 1
    for (int r = 0; r < 7; r++) {
        for (int c = 0; c < 5; c++) {
            ASSERT_EQ(ins.h_tape_col0[1 + r][15 + c] == 0, dot(1, c, r));
            ASSERT_EQ(ins.h_tape_col0[1 + r][21 + c] == 0, dot(0, c, r));
        }
    }
    for (int c = 0; c < 200; c++) EXPECT_EQ(ins.h_tape_col0[0][c], 22) << c;   // row 0 stays clear

    // Compass cards: k and 36 - k at column 10 k, k = 0, 3 .. 33.
    int want1 = 0, want2 = 0;
    for (int k = 0; k <= 33; k += 3) {
        int v1 = k, v2 = k == 0 ? 0 : 36 - k;
        want1 += v1 > 9 ? glyph_dots(v1 / 10) + glyph_dots(v1 % 10) : glyph_dots(v1);
        want2 += v2 > 9 ? glyph_dots(v2 / 10) + glyph_dots(v2 % 10) : glyph_dots(v2);
    }
    EXPECT_EQ(lit_cells(&ins.h_tape_col1[0][0], 12 * 360), want1);
    EXPECT_EQ(lit_cells(&ins.h_tape_col2[0][0], 12 * 360), want2);
    // North's "0" at column 0 wraps: its bottom row "01110" covers columns 359, 0 and 1.
    EXPECT_EQ(ins.h_tape_col1[1][358], 22);
    EXPECT_EQ(ins.h_tape_col1[1][359], 0);
    EXPECT_EQ(ins.h_tape_col1[1][0], 0);
    EXPECT_EQ(ins.h_tape_col1[1][1], 0);
    EXPECT_EQ(ins.h_tape_col1[1][2], 22);
    // "33" on the second card at column 30: both digits are 3s.
    for (int r = 0; r < 7; r++) {
        for (int c = 0; c < 5; c++) {
            ASSERT_EQ(ins.h_tape_col2[1 + r][25 + c] == 0, dot(3, c, r));
            ASSERT_EQ(ins.h_tape_col2[1 + r][31 + c] == 0, dot(3, c, r));
        }
    }
}

TEST_F(InitGen, MapSymbolsAreClosedOutlinesInsideTheirBox)
{
    for (int n = 1; n <= 3; n++) {
        int used = n == 3 ? 6 : 10;   // the VOR's outline is a hexagon
        for (int s = 0; s < used; s++) {
            int e = (s + 1) % used;
            EXPECT_EQ(ins.nav_pic[n][s][2], ins.nav_pic[n][e][0]) << n << " " << s;
            EXPECT_EQ(ins.nav_pic[n][s][3], ins.nav_pic[n][e][1]) << n << " " << s;
        }
        for (int s = 0; s < 10; s++)
            for (int k = 0; k < 4; k++) EXPECT_LE(std::abs(ins.nav_pic[n][s][k]), 5);
    }
}

TEST_F(InitGen, StarsLieOnTheSkyAboveTwentyDegreesBelowTheHorizon)
{
    int east = 0, west = 0;
    for (int s = 0; s < NUM_STARS; s++) {
        float x = star_xyz[s][0], y = star_xyz[s][1], z = star_xyz[s][2];
        ASSERT_NEAR(std::sqrt(x * x + y * y + z * z), 1000.0f, 0.1f) << s;
        float e = std::asin(y / 1000.0f) * 180.0f / static_cast<float>(M_PI);
        ASSERT_GE(e, -20.01f) << s;
        ASSERT_LE(e, 80.01f) << s;
        (x > 0 ? east : west)++;
    }
    EXPECT_GT(east, 800);
    EXPECT_GT(west, 800);
}

TEST_F(InitGen, ShipModels)
{
    auto at = [](const float* p, float x, float y, float z) {
        return std::fabs(p[0] - x) < 1e-4f && std::fabs(p[1] - y) < 1e-4f && std::fabs(p[2] - z) < 1e-4f;
    };
    // Carrier: the hull's first pair, the deck outline's last pair, the island roof at 21 + 15 m.
    EXPECT_TRUE(at(carr_pxyz[0], -8, -10, 150));
    EXPECT_TRUE(at(carr_pxyz[23], 18, 18, 140));
    EXPECT_TRUE(at(carr_pxyz[46], 36, 18, 97));
    EXPECT_TRUE(at(carr_pxyz[47], 36, 21, 97));
    EXPECT_TRUE(at(carr_pxyz[80], 28 - 6, 36, 11 + 10));
    EXPECT_TRUE(at(carr_pxyz[86], 28 + 6, 36, 11 + 10));
    EXPECT_TRUE(at(carr_pxyz[102], 28.4f, 51, 11.4f));   // the mast top
    // Carrier lights: the ends of the three deck rows, the datum centre and the ball column.
    EXPECT_TRUE(at(carr_lxyz[0], -10.5f, 21, 158.73f));
    EXPECT_TRUE(at(carr_lxyz[19], -35, 21, -46));
    EXPECT_TRUE(at(carr_lxyz[20], 1.25f, 21, 156.835f));
    EXPECT_TRUE(at(carr_lxyz[40], -26.695f, 21, -58.5f));
    EXPECT_TRUE(at(carr_lxyz[62], -18.39f, 21, -71));
    EXPECT_TRUE(at(carr_lxyz[66], -35, 23, 76));
    EXPECT_TRUE(at(carr_lxyz[70], -35, 20, 76));
    EXPECT_TRUE(at(carr_lxyz[74], -35, 26, 76));
    // evenly along each row
    for (int i = 1; i < 19; i++)
        EXPECT_NEAR(carr_lxyz[i + 1][2] - carr_lxyz[i][2], carr_lxyz[1][2] - carr_lxyz[0][2], 1e-3f);
    // Frigate: hull ends, the first and last superstructure corners.
    EXPECT_TRUE(at(frig_pxyz[0], -12, -6, 82));
    EXPECT_TRUE(at(frig_pxyz[25], 12, 6, 84));
    EXPECT_TRUE(at(frig_pxyz[26], -11, 8, 35));
    EXPECT_TRUE(at(frig_pxyz[81], 3, 28, -8));
    // Oil rig: helipad upper corner 5 and the roof house's last upper corner.
    EXPECT_TRUE(at(oilr_pxyz[5], 20, 62, 60));
    EXPECT_TRUE(at(oilr_pxyz[8], -5, 45, 85));
    EXPECT_TRUE(at(oilr_pxyz[31], 5, 61, 5));
}

TEST_F(InitGen, DefaultsAndTheOutputFile)
{
    EXPECT_EQ(ins.HUD_on, 1);
    EXPECT_EQ(ins.HOOP_on, 0);
    EXPECT_EQ(ins.map_mode, 1);
    EXPECT_EQ(ins.map_range, 32.0f);
    EXPECT_EQ(ins.arg_range, 30.0f);
    EXPECT_EQ(nav.radout, 2);
    EXPECT_EQ(nav.tran1 * 1000 + nav.tran2 * 100 + nav.tran3 * 10 + nav.tran4, 1200);
    EXPECT_EQ(env.i_aircraft, 89);
    EXPECT_EQ(env.j_aircraft, 79);
    EXPECT_STREQ(msc.apt_id_req, "KAAA");
    for (int n = 0; n < 32; n++) {
        EXPECT_EQ(rel.fail_type[n], 1);
        EXPECT_EQ(rel.fail_time_max[n], 10.0f);
    }
    EXPECT_EQ(msc.rtrat, 1.0f);
    EXPECT_EQ(atm.vis_mult, 1.0f);
    EXPECT_EQ(scn.zoom, 1.0f);
    EXPECT_EQ(msc.sound_avail, 1);   // without a device the mixer runs silent
    EXPECT_TRUE(trk.is_open());
    trk << "x";
    trk.close();
    EXPECT_EQ(read_file(work.str() + "/Kestrova.out"), "x");
}

}  // namespace
