// output_gltest.cpp -- the cockpit numbers and the graph window drawn on an offscreen OpenGL window
// and read back: rows in their places, columns the aircraft lacks left out, curves in their column
// colours at the place their time and value give, gaps where a sample has no value, and the
// readout of the sample under the mouse.
#include "output.h"

#include "hl_graph.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "kvglyphs.h"
#include "kvtest.h"
#include "plt.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

struct Rgb {
    int r, g, b;
};

// The colour table's entry k as the frame holds it.
Rgb table_colour(int k)
{
    return {static_cast<int>(std::lround(col_rgb[k][0] * 255.0f)), static_cast<int>(std::lround(col_rgb[k][1] * 255.0f)),
            static_cast<int>(std::lround(col_rgb[k][2] * 255.0f))};
}

class OutputScreen : public ::testing::Test {
protected:
    std::vector<uint8_t> px;

    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        hl_fill_constants();
        hl_fill_colors();
        ASSERT_TRUE(PLT_open_window("output test", SCREEN_W, SCREEN_H, 0));
        ogl_ready = 1;
        OGL_forget_state();
        glViewport(0, 0, SCREEN_W, SCREEN_H);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, SCREEN_W, 0, SCREEN_H, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DITHER);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        OGL_setstate(0, 0, 0, 0);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    void TearDown() override
    {
        ogl_ready = 0;
        OGL_forget_state();
        PLT_close_window();
    }
    void read_back()
    {
        glFinish();
        glReadBuffer(GL_BACK);
        px.assign(SCREEN_W * SCREEN_H * 3, 0);
        glReadPixels(0, 0, SCREEN_W, SCREEN_H, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    }
    bool is(int x, int y, int k) const
    {
        if (x < 0 || y < 0 || x >= SCREEN_W || y >= SCREEN_H) return false;
        const uint8_t* p = &px[(static_cast<size_t>(y) * SCREEN_W + x) * 3];
        const Rgb c = table_colour(k);
        return std::abs(p[0] - c.r) <= 2 && std::abs(p[1] - c.g) <= 2 && std::abs(p[2] - c.b) <= 2;
    }
    bool dark(int x, int y) const
    {
        const uint8_t* p = &px[(static_cast<size_t>(y) * SCREEN_W + x) * 3];
        return p[0] == 0 && p[1] == 0 && p[2] == 0;
    }
    // Dots of the pinned glyph c at (x, y) that differ from what the frame shows in colour k.
    int glyph_mismatch(int x, int y, char c, int k) const
    {
        const uint8_t* rows = pinned_rows(c);
        if (!rows) return 35;
        int bad = 0;
        for (int row = 0; row < 7; row++)
            for (int col = 0; col < 5; col++) bad += (((rows[6 - row] >> (4 - col)) & 1) != 0) != is(x + col, y + row, k);
        return bad;
    }
    // The lit pixels of colour k in the rectangle x0..x1, y0..y1.
    int count(int k, int x0, int y0, int x1, int y1) const
    {
        int n = 0;
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++) n += is(x, y, k);
        return n;
    }
    bool all_dark(int x0, int y0, int x1, int y1) const
    {
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++)
                if (!dark(x, y)) return false;
        return true;
    }
};

constexpr int COCKPIT = 47;
constexpr int COL1 = 4, COL2 = 9;

// ---- the cockpit -----------------------------------------------------------------------------------

TEST_F(OutputScreen, CockpitRowsRunDownTheLeftThenTheRight)
{
    pln[0].numen = 1;
    const int items[] = {1, 2, 3, 5, 6, 9, 15, 16, 19, 28, 31};   // the eleventh finds no row
    for (int i : items) set.Brlt[i] = 1;
    set_rlt_grf_choices();
    ASSERT_EQ(set.rltsel[4], 6);
    ASSERT_EQ(set.rltsel[5], 9);
    msc.elap_time = 1234.0f;                  // row 0: "1234"
    flt.hpath = 270.5f;                       // row 4: "2705" with its point, at y 362
    flt.prop[0] = 2400.0f / con.rsctorpm;     // row 5, right column: "2400"
    flt.prop[1] = 1800.0f / con.rsctorpm;     // an engine the aircraft lacks
    flt.power[0] = 100.0f / con.watttohp;     // row 9: "0100"
    flt.power[1] = 200.0f / con.watttohp;
    plot_cockpit_data();
    read_back();

    // Row 0 at (0, 522): the number from x 10, the name 10 above, the unit 10 below.
    const char* n0 = "1234";
    for (int d = 0; d < 4; d++) EXPECT_EQ(glyph_mismatch(10 + 6 * d, 522, n0[d], COCKPIT), 0) << d;
    EXPECT_EQ(glyph_mismatch(10 + 12, 532, 'M', COCKPIT), 0) << "the M of TIME";
    // Row 4, the fifth, at y 362 on the left.
    const char* n4 = "2705";
    for (int d = 0; d < 4; d++) EXPECT_EQ(glyph_mismatch(10 + 6 * d, 362, n4[d], COCKPIT), 0) << d;
    // Row 5, the sixth, starts the right column at (665, 522).
    const char* n5 = "2400";
    for (int d = 0; d < 4; d++) EXPECT_EQ(glyph_mismatch(675 + 6 * d, 522, n5[d], COCKPIT), 0) << d;
    EXPECT_EQ(glyph_mismatch(675 + 18, 532, '1', COCKPIT), 0) << "the 1 of PRP1";
    EXPECT_EQ(glyph_mismatch(675 + 18, 512, 'M', COCKPIT), 0) << "the M of rpm";
    // A single engine: the second propeller column stays empty, labels and numbers both.
    EXPECT_TRUE(all_dark(705, 505, 740, 545));
    // Row 9 at (665, 362): one power column.
    const char* n9 = "0100";
    for (int d = 0; d < 4; d++) EXPECT_EQ(glyph_mismatch(675 + 6 * d, 362, n9[d], COCKPIT), 0) << d;
    EXPECT_TRUE(all_dark(705, 355, 740, 385));
    // Nothing below the fifth row on the left, nothing below the tenth on the right.
    EXPECT_TRUE(all_dark(0, 300, 160, 345));
    EXPECT_TRUE(all_dark(660, 300, 799, 345));
}

TEST_F(OutputScreen, CockpitDrawsNothingWithoutSelections)
{
    set.Brlt[1] = 1;
    set_rlt_grf_choices();
    set.Brlt[1] = 0;
    set_rlt_grf_choices();
    msc.elap_time = 55.0f;
    plot_cockpit_data();
    read_back();
    EXPECT_TRUE(all_dark(0, 0, SCREEN_W - 1, SCREEN_H - 1));
}

// ---- the graph window ------------------------------------------------------------------------------

// Slot 0 shows item 5: angle of attack rising one degree a second, sideslip held at -5; 200
// samples of 1/16 s (12.4 s).
void fill_ramp(void)
{
    set.Bgrf[5] = 1;
    set_rlt_grf_choices();
    msc.prd = 0.0625f;
    for (int f = 0; f < 200; f++) {
        flt.Alph = 0.0625f * f;
        flt.Beta = -5.0f;
        update_graph();
    }
}

TEST_F(OutputScreen, GraphCurvesFollowTimeAndValueInTheirColumnColours)
{
    fill_ramp();
    grf.lefttime = 0.0f;
    mnw.mx = 0.0f;
    manage_grf();
    read_back();
    // The largest angle, 12.4375, reaches 33 pixels above the centre at y 85.
    const float sc = 33.0f / 12.4375f;
    EXPECT_NEAR(grf_scale(0), sc, 1e-4f);
    EXPECT_EQ(grf_scale(1), 0.0f);
    // Fifty pixels a second from x 105: at 4 s (x 305) the angle is 4, the sideslip -5.
    for (float t : {1.0f, 4.0f, 7.5f, 9.5f}) {
        const int x = 105 + static_cast<int>(std::lround(50.0f * t));
        const int y = static_cast<int>(std::lround(85.0f + t * sc));
        EXPECT_GT(count(COL1, x, y - 1, x, y + 1), 0) << "angle of attack at " << t << " s";
        const int yb = static_cast<int>(std::lround(85.0f - 5.0f * sc));
        EXPECT_GT(count(COL2, x, yb - 1, x, yb + 1), 0) << "sideslip at " << t << " s";
        EXPECT_EQ(count(COL1, x, 40, x, y - 3), 0) << t;
    }
    // Ten seconds wide: nothing right of x 605.
    EXPECT_EQ(count(COL1, 607, 40, 640, 130), 0);
    EXPECT_EQ(count(COL2, 607, 40, 640, 130), 0);
    // Each pixel column knows its sample: column 50 k is sample 16 k.
    for (int k = 0; k <= 10; k++) EXPECT_EQ(grf_column_sample(50 * k), 16 * k) << k;
    // The legend: ALPH in the first column's colour, BETA in the second's; time marks 0..9.
    EXPECT_EQ(glyph_mismatch(0, 85 + 33, 'A', COL1), 0);
    EXPECT_EQ(glyph_mismatch(18, 85 + 12, 'A', COL2), 0) << "the A of BETA";
    EXPECT_EQ(glyph_mismatch(98 + 100 + 12, 406, '2', 47), 0) << "the mark of 2 s";
    EXPECT_EQ(glyph_mismatch(98 + 450 + 12, 406, '9', 47), 0) << "the mark of 9 s";
}

TEST_F(OutputScreen, GraphStartsAtTheLeftTimeAndSkipsSamplesWithoutValue)
{
    fill_ramp();
    // Samples 96..111 (6.0 to 6.9375 s) lose their angle of attack.
    for (int i = 96; i < 112; i++) grf.data[0][0][i] = OUT_NONE;
    grf.lefttime = 2.0f;
    mnw.mx = 0.0f;
    manage_grf();
    read_back();
    const float sc = grf_scale(0);
    EXPECT_EQ(grf_column_sample(0), 32);
    EXPECT_GT(count(COL1, 105, static_cast<int>(85 + 2 * sc) - 1, 106, static_cast<int>(85 + 2 * sc) + 2), 0);
    // With the left edge at 2 s the last sample before the gap (5.9375 s) stands at x 302 and the
    // first after it (7 s) at x 355.
    EXPECT_EQ(count(COL1, 303, 40, 354, 130), 0);
    EXPECT_GT(count(COL1, 360, 40, 380, 130), 0);
    EXPECT_GT(count(COL2, 300, 40, 350, 130), 0) << "the sideslip has no gap";
    // Ten seconds from 2 s end with the sample of 12 s at the right edge.
    EXPECT_EQ(grf_column_sample(500), 192);
}

TEST_F(OutputScreen, GraphReadsOutTheSampleUnderTheMouse)
{
    fill_ramp();
    grf.lefttime = 0.0f;
    mnw.mx = 105.0f + 50.0f * 4.0f;   // 4 s: sample 64
    manage_grf();
    read_back();
    // Its time, 4.0 s in four places with one decimal ("0040"), at (396, 20).
    EXPECT_EQ(glyph_mismatch(396 + 12, 20, '4', 47), 0);
    // The angle 4.0 beside the strip at y 85 + 21 and the sideslip -5.0 at y 85 + 7, each in its
    // column's colour with item 5's format (four places, one decimal), from x 30.
    EXPECT_EQ(glyph_mismatch(30 + 12, 106, '4', COL1), 0);
    EXPECT_EQ(glyph_mismatch(30 + 18, 106, '0', COL1), 0);
    EXPECT_EQ(glyph_mismatch(30 + 12, 92, '5', COL2), 0);
    EXPECT_EQ(glyph_mismatch(24, 92, '-', COL2), 0);
}

TEST_F(OutputScreen, GraphWalksAWrappedRingFromTheOldestSample)
{
    set.Bgrf[1] = 1;   // elapsed time
    set_rlt_grf_choices();
    msc.prd = 0.0625f;
    for (int f = 0; f < GRAPH_SAMPLES + 300; f++) {
        msc.elap_time = 0.0625f * f;
        update_graph();
    }
    ASSERT_EQ(grf.indexstart, 300);
    grf.lefttime = 0.0f;
    mnw.mx = 105.0f;
    manage_grf();
    read_back();
    EXPECT_EQ(grf_column_sample(0), 300);
    EXPECT_EQ(grf_column_sample(50), 316);
    // The oldest sample held is of 18.75 s: the readout in slot 0 shows "0019" (no decimals).
    EXPECT_EQ(glyph_mismatch(30 + 12, 106, '1', COL1), 0);
    EXPECT_EQ(glyph_mismatch(30 + 18, 106, '9', COL1), 0);
    // A rising line from the left edge: its height grows to the right.
    const float sc = grf_scale(0);
    EXPECT_NEAR(sc, 33.0f / (0.0625f * (GRAPH_SAMPLES + 299)), 1e-5f);
    const int y0 = static_cast<int>(std::lround(85.0f + 18.75f * sc));
    EXPECT_GT(count(COL1, 105, y0 - 1, 106, y0 + 1), 0);
}

}  // namespace
