// setwin_test.cpp -- the settings windows' controls and mappings without a window: the slider's
// track and limits, the data-output rows' blocks, the failure rows, the time bar and world map, the
// compass words and nearest airport, runway friction, waves, word scales, screen modes and the
// resolution file, and the isometric projection. Drawing goes into rgb_array (array mode).
#include "hl_btn.h"
#include "hl_event.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "kvtest.h"
#include "setwin.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>

namespace {

class SetWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        hl_reset_event_state();
        hl_fill_constants();
        hl_fill_colors();
        std::memset(rgb_array, 0, sizeof rgb_array);
        to_array = 1;
    }
    void TearDown() override { to_array = 0; }
    // One pass with a click (button down) at (x, y), window units.
    static void press(float x, float y)
    {
        mnw.mx = x;
        mnw.my = y;
        mnw.mouse_clicked = 1;
        mnw.now_dragging = 1;
        select_ctr = 0;
    }
    // One pass with the mouse moved to (x, y) and no button held.
    static void hover(float x, float y)
    {
        press(x, y);
        mnw.mouse_clicked = 0;
        mnw.now_dragging = 0;
    }
};

// ---- slider -----------------------------------------------------------------------------------------

struct TrackCase {
    int kind;
    float x, y;         // the slider's anchor
    float mx, my;       // where the mouse presses
    float lo, hi;
    float want;         // the value it takes
};

TEST_F(SetWin, APressOnTheTrackSetsTheValueLinearlyAlongItForEveryKind)
{
    const TrackCase cases[] = {
        // Vertical, 54 long upwards: bottom lo, top hi, halfway between.
        {SCALE_VERT, 100, 100, 100, 100, 0, 10, 0},
        {SCALE_VERT, 100, 100, 100, 154, 0, 10, 10},
        {SCALE_VERT, 100, 100, 103, 127, 0, 10, 5},
        // Horizontal, 156 long rightwards, every size.
        {SCALE_BIG, 20, 50, 20, 50, 0.5f, 1, 0.5f},
        {SCALE_BIG, 20, 50, 176, 52, 0.5f, 1, 1},
        {SCALE_SMALL, 20, 50, 59, 48, 0, 360, 90},
        {SCALE_BLUE, 20, 50, 137, 50, 1, 5, 4},
        // Two-sided: 78 either side of x.
        {SCALE_TWO_SIDED, 98, 165, 20, 165, -1, 1, -1},
        {SCALE_TWO_SIDED, 98, 165, 98, 165, -1, 1, 0},
        {SCALE_TWO_SIDED, 98, 165, 176, 165, -1, 1, 1},
        {SCALE_TWO_SIDED, 98, 165, 137, 165, -1, 1, 0.5f},
        // Reversed ends still follow the mouse linearly.
        {SCALE_BIG, 0, 0, 39, 0, 10, 0, 7.5f},
    };
    for (const TrackCase& c : cases) {
        float v = c.lo;
        press(c.mx, c.my);
        const int moved = util_scale(c.x, c.y, c.kind, c.lo, c.hi, &v);
        EXPECT_NEAR(v, c.want, 1e-4) << "kind " << c.kind << " at " << c.mx << "," << c.my;
        EXPECT_EQ(moved, v != c.lo) << "kind " << c.kind;
        // The knob stands where the mouse pressed.
        const float along = c.kind == SCALE_VERT ? c.my : c.mx;
        EXPECT_NEAR(scale_knob_pos(c.x, c.y, c.kind, c.lo, c.hi, v), along, 1e-3) << "kind " << c.kind;
    }
}

TEST_F(SetWin, OnlyAPressInsideTheTrackMovesTheSlider)
{
    // Just outside each end, beside the track, and a mouse that is not pressed.
    struct Miss {
        float mx, my;
        bool pressed;
    } misses[] = {{19, 50, true}, {177, 50, true}, {100, 50 + SCALE_GRAB + 1, true}, {100, 50, false}};
    for (const Miss& m : misses) {
        float v = 0.3f;
        if (m.pressed) press(m.mx, m.my);
        else hover(m.mx, m.my);
        EXPECT_EQ(util_scale(20, 50, SCALE_BIG, 0, 1, &v), 0);
        EXPECT_FLOAT_EQ(v, 0.3f);
    }
    // Held down and dragged (no new click this pass): it follows.
    float v = 0;
    press(98, 50);
    mnw.mouse_clicked = 0;
    EXPECT_EQ(util_scale(20, 50, SCALE_BIG, 0, 1, &v), 1);
    EXPECT_NEAR(v, 0.5f, 1e-5);
}

TEST_F(SetWin, TheValueIsKeptBetweenTheEndsEvenWhenLoExceedsHi)
{
    const struct {
        float lo, hi, start, want;
    } cases[] = {{0, 1, 3, 1}, {0, 1, -2, 0}, {5, 1, 7, 5}, {5, 1, 0, 1}, {5, 1, 3, 3}, {0, 1, NAN, 0}};
    for (const auto& c : cases) {
        float v = c.start;
        hover(500, 500);
        util_scale(20, 50, SCALE_SMALL, c.lo, c.hi, &v);
        EXPECT_FLOAT_EQ(v, c.want) << c.lo << ".." << c.hi << " from " << c.start;
    }
}

TEST_F(SetWin, TheTwoSidedSliderFillsTowardTheKnobInItsSidesColour)
{
    auto lit = [](int x, int y, int k) {
        for (int c = 0; c < 3; c++)
            if (std::abs(rgb_array[y][x][c] - static_cast<int>(std::lround(col_rgb[k][c] * 255))) > 1) return false;
        return true;
    };
    float v = 0.5f;
    hover(0, 0);
    util_scale(300, 300, SCALE_TWO_SIDED, -1, 1, &v);
    EXPECT_TRUE(lit(310, 300, 50));    // between the centre and the knob at +39
    EXPECT_FALSE(lit(280, 300, 44));   // nothing on the negative side
    std::memset(rgb_array, 0, sizeof rgb_array);
    v = -0.5f;
    util_scale(300, 300, SCALE_TWO_SIDED, -1, 1, &v);
    EXPECT_TRUE(lit(280, 300, 44));
    EXPECT_FALSE(lit(310, 300, 50));
}

// ---- data-output rows -------------------------------------------------------------------------------

TEST_F(SetWin, DataRowsFollowTheBlocksWithAGapBetweenBlocks)
{
    const int first_of_block[] = {0, 3, 5, 8, 15, 20, 25, 28, 37, 39, 40, 42, 48};
    std::set<int> firsts(std::begin(first_of_block), std::end(first_of_block));
    for (int item = 1; item < DAT_ITEMS; item++) {
        if (dat_column(item) != dat_column(item - 1)) continue;   // the right column starts afresh
        const float step = dat_row_y(item - 1) - dat_row_y(item);
        const float want = firsts.count(item) ? DAT_ROW_DY + DAT_GAP_DY : DAT_ROW_DY;
        EXPECT_FLOAT_EQ(step, want) << "item " << item;
    }
    // Item 39 stands alone: a gap before and after it.
    EXPECT_NE(dat_block(39), dat_block(38));
    EXPECT_NE(dat_block(39), dat_block(40));
    // Both columns start at the top, and every row lies inside the 620 by 400 window below the
    // column heads and above the key line.
    EXPECT_EQ(dat_column(0), 0);
    EXPECT_EQ(dat_column(25), 1);
    EXPECT_FLOAT_EQ(dat_row_y(0), dat_row_y(25));
    for (int item = 0; item < DAT_ITEMS; item++) {
        EXPECT_GT(dat_row_y(item), 20) << item;
        EXPECT_LT(dat_row_y(item), 375) << item;
    }
    EXPECT_EQ(dat_block(-1), -1);
    EXPECT_EQ(dat_block(50), -1);
}

TEST_F(SetWin, AClickOnARowsSwitchSetsThatItemsChannelOnly)
{
    const int items[] = {0, 14, 39, 49};
    for (int item : items) {
        for (int ch = 0; ch < 3; ch++) {
            clear_globals();
            press(dat_switch_x(dat_column(item), ch) + 3, dat_row_y(item) + 3);
            EXPECT_EQ(util_yval(item, 1), 1);
            int32_t* got[3] = {set.Bdsk, set.Bgrf, set.Brlt};
            for (int k = 0; k < 3; k++) {
                for (int i = 0; i < DAT_ITEMS; i++)
                    EXPECT_EQ(got[k][i], (k == ch && i == item) ? 1 : 0) << "item " << item << " channel " << ch;
            }
            // Every other row leaves the click alone.
            for (int other = 0; other < DAT_ITEMS; other++) {
                if (other == item) continue;
                EXPECT_EQ(util_yval(other, 1), 0) << other;
            }
        }
    }
}

// ---- failure rows -----------------------------------------------------------------------------------

TEST_F(SetWin, AFailureRowStepsItsChoiceAndLimitsItsHours)
{
    for (int f = 0; f < 32; f++) rel.fail_type[f] = 1;
    // Row 12 of a column starting with failure 10 at y 470 lies two rows down; its up arrow.
    const float ry = 470 - 2 * 40;
    press(20 + 120 + 7, ry + 10);
    EXPECT_EQ(util_setfailsit(12, 10, 20, 470, 0), 1);
    EXPECT_EQ(rel.fail_type[12], 2);
    EXPECT_EQ(rel.fail_type[11], 1);
    // The hours field: a click above its first digit adds 10, up to 99 at most.
    rel.fail_time_max[12] = 10;
    for (int k = 0; k < 12; k++) {
        press(20 + 142 + 5, ry + 15);
        util_setfailsit(12, 10, 20, 470, 0);
    }
    EXPECT_FLOAT_EQ(rel.fail_time_max[12], FAIL_HOURS_MAX);
    // Below the second digit takes one off; never under one hour.
    rel.fail_time_max[12] = 2;
    for (int k = 0; k < 4; k++) {
        press(20 + 142 + 15, ry - 10);
        util_setfailsit(12, 10, 20, 470, 0);
    }
    EXPECT_FLOAT_EQ(rel.fail_time_max[12], 1);
    // "inoperative" hides the field: its clicks do nothing.
    rel.fail_type[12] = 3;
    rel.fail_time_max[12] = 5;
    press(20 + 142 + 5, ry + 15);
    EXPECT_EQ(util_setfailsit(12, 10, 20, 470, 0), 0);
    EXPECT_FLOAT_EQ(rel.fail_time_max[12], 5);
    // Out-of-table failures are ignored.
    EXPECT_EQ(util_setfailsit(32, 10, 20, 470, 0), 0);
    EXPECT_EQ(util_setfailsit(-1, 10, 20, 470, 0), 0);
}

// ---- mappings ---------------------------------------------------------------------------------------

TEST_F(SetWin, TimeBarMapsItsEndsToMidnightAndBack)
{
    EXPECT_FLOAT_EQ(time_bar_hours(38), 0);
    EXPECT_FLOAT_EQ(time_bar_hours(652), 24);
    EXPECT_FLOAT_EQ(time_bar_hours(345), 12);
    EXPECT_FLOAT_EQ(time_bar_hours(0), 0);      // beyond the ends: held at them
    EXPECT_FLOAT_EQ(time_bar_hours(700), 24);
    for (float h = 0; h <= 24; h += 1.5f) EXPECT_NEAR(time_bar_hours(time_bar_x(h)), h, 1e-4);
}

TEST_F(SetWin, WorldMapCornersAndRoundTrip)
{
    EXPECT_FLOAT_EQ(world_map_x(-180), 0);
    EXPECT_FLOAT_EQ(world_map_x(180), 788);
    EXPECT_FLOAT_EQ(world_map_x(0), 394);
    EXPECT_FLOAT_EQ(world_map_y(-60), 50);
    EXPECT_FLOAT_EQ(world_map_y(80), 443);
    EXPECT_FLOAT_EQ(world_map_y(10), 246.5f);
    for (float lon = -180; lon <= 180; lon += 45) EXPECT_NEAR(world_map_lon(world_map_x(lon)), lon, 1e-3);
    for (float lat = -60; lat <= 80; lat += 35) EXPECT_NEAR(world_map_lat(world_map_y(lat)), lat, 1e-3);
}

TEST_F(SetWin, CompassWordsCoverEightSectorsCentredOnTheirDirections)
{
    const struct {
        float bearing;
        const char* word;
    } cases[] = {{0, "north"},        {350, "north"},       {22.4f, "north"},      {22.6f, "north-east"},
                 {45, "north-east"},  {90, "east"},         {135, "south-east"},   {180, "south"},
                 {225, "south-west"}, {270, "west"},        {315, "north-west"},   {337.4f, "north-west"},
                 {337.6f, "north"},   {360, "north"},       {-10, "north"},        {-90, "west"}};
    for (const auto& c : cases) EXPECT_STREQ(compass_word(c.bearing), c.word) << c.bearing;
}

TEST_F(SetWin, NearestAirportGivesNauticalMilesAndTheBearingFromIt)
{
    // Three airports; the second has no runway and is never the answer.
    apt_wrl_max = 2;
    rwy_wrl_max = 1;
    apt_lo_ind[0] = 0;
    apt_hi_ind[0] = 0;
    apt_lo_ind[1] = 1;
    apt_hi_ind[1] = 0;
    apt_lo_ind[2] = 1;
    apt_hi_ind[2] = 1;
    rwy_lat[0] = 0;
    rwy_lon[0] = 0;
    rwy_lat[1] = 40;
    rwy_lon[1] = -100;
    float nm = 0, bearing = 0;
    // One degree north of the first: 60 nm, bearing 0.
    EXPECT_EQ(nearest_airport(1, 0, &nm, &bearing), 0);
    EXPECT_NEAR(nm, 60, 1e-3);
    EXPECT_NEAR(bearing, 0, 1e-3);
    // Half a degree west on the equator: 30 nm, bearing 270.
    EXPECT_EQ(nearest_airport(0, -0.5, &nm, &bearing), 0);
    EXPECT_NEAR(nm, 30, 1e-3);
    EXPECT_NEAR(bearing, 270, 1e-3);
    // At 40 degrees north a degree of longitude is cos 40 of a degree of latitude.
    EXPECT_EQ(nearest_airport(40, -99, &nm, &bearing), 2);
    EXPECT_NEAR(nm, 60 * std::cos(40 * M_PI / 180), 1e-2);
    EXPECT_NEAR(bearing, 90, 1e-3);
    // No airport with a runway: none.
    apt_hi_ind[0] = -1;
    apt_hi_ind[2] = 0;
    EXPECT_EQ(nearest_airport(0, 0, &nm, &bearing), -1);
}

TEST_F(SetWin, RunwayConditionsMapLinearlyOntoFriction)
{
    EXPECT_FLOAT_EQ(friction_for_condition(1), 1.0f);
    EXPECT_FLOAT_EQ(friction_for_condition(2), 0.7f);
    EXPECT_FLOAT_EQ(friction_for_condition(3), 0.4f);
    EXPECT_FLOAT_EQ(friction_for_condition(0), 1.0f);   // outside 1..3: held at the ends
    EXPECT_FLOAT_EQ(friction_for_condition(9), 0.4f);
    for (int c = 1; c <= 3; c++) EXPECT_EQ(condition_for_friction(friction_for_condition(c)), c);
    EXPECT_EQ(condition_for_friction(0.9f), 1);
    EXPECT_EQ(condition_for_friction(0.6f), 2);
    EXPECT_EQ(condition_for_friction(0.1f), 3);
    EXPECT_EQ(condition_for_friction(NAN), 1);
}

TEST_F(SetWin, WavesOfOneMetreAreTwelveMetresLongAndTravelAtTheFactorySpeed)
{
    EXPECT_FLOAT_EQ(wave_length_for(1), 12);
    // Deep-water waves: 1.34 knots per square root of a foot of length.
    EXPECT_NEAR(wave_speed_for(12), 4.3254f, 1e-3);
    EXPECT_NEAR(wave_speed_for(4 * 12), 2 * 4.3254f, 2e-3);
    EXPECT_FLOAT_EQ(wave_speed_for(-1), 0);
}

TEST_F(SetWin, WordScalesCutTheirRangeIntoEqualParts)
{
    EXPECT_EQ(word_index(0, 0, 20, 8), 0);
    EXPECT_EQ(word_index(2.4f, 0, 20, 8), 0);
    EXPECT_EQ(word_index(2.6f, 0, 20, 8), 1);
    EXPECT_EQ(word_index(10, 0, 20, 8), 4);
    EXPECT_EQ(word_index(20, 0, 20, 8), 7);
    EXPECT_EQ(word_index(1, 1, 5, 5), 0);
    EXPECT_EQ(word_index(5, 1, 5, 5), 4);
    EXPECT_EQ(word_index(-1, -1, 1, 5), 0);
    EXPECT_EQ(word_index(0, -1, 1, 5), 2);
    EXPECT_EQ(word_index(1, -1, 1, 5), 4);
    EXPECT_EQ(word_index(99, 0, 1, 5), 4);
    EXPECT_EQ(word_index(NAN, 0, 1, 5), 0);
    EXPECT_EQ(word_index(3, 2, 2, 5), 0);
}

TEST_F(SetWin, ScreenModesAndTheResolutionFileRoundTrip)
{
    const int want[4][3] = {{640, 480, 16}, {640, 480, 32}, {800, 600, 16}, {800, 600, 32}};
    TempDir dir;
    for (int m = 1; m <= 4; m++) {
        int w, h, b;
        screen_mode(m, &w, &h, &b);
        EXPECT_EQ(w, want[m - 1][0]);
        EXPECT_EQ(h, want[m - 1][1]);
        EXPECT_EQ(b, want[m - 1][2]);
        const std::string path = dir.str() + "/res" + std::to_string(m) + ".prf";
        ASSERT_EQ(write_res_prefs(path.c_str(), w, h, b), 1);
        EXPECT_EQ(read_file(path), "I\n2 version\n" + std::to_string(w) + "\n" + std::to_string(h) + "\n" +
                                       std::to_string(b) + "\n");
        float rw = 0, rh = 0, rb = 0;
        ASSERT_EQ(hl_read_res_prefs(path.c_str(), &rw, &rh, &rb), 1);
        EXPECT_EQ(screen_mode_of(rw, rh, rb), m);
    }
    EXPECT_EQ(screen_mode_of(1024, 768, 32), 0);
}

TEST_F(SetWin, TheIsometricRegionFitsTheWindowWithHeightsDrawnUp)
{
    env.lox = 0;
    env.hix = 250000;
    env.loz = 0;
    env.hiz = 220000;
    util_isomize_fit(760, 540);
    float x[4], y[4];
    util_isomize(env.lox, 0, env.loz, &x[0], &y[0]);
    util_isomize(env.hix, 0, env.loz, &x[1], &y[1]);
    util_isomize(env.lox, 0, env.hiz, &x[2], &y[2]);
    util_isomize(env.hix, 0, env.hiz, &x[3], &y[3]);
    for (int k = 0; k < 4; k++) {
        EXPECT_GE(x[k], 0) << k;
        EXPECT_LE(x[k], 760) << k;
        EXPECT_GE(y[k], 0) << k;
        EXPECT_LE(y[k], 540) << k;
    }
    EXPECT_GT(x[1], x[0]);   // east lies right
    EXPECT_GT(y[1], y[0]);   // and further up (further away)
    EXPECT_LT(y[2], y[0]);   // south lies nearer, lower down
    float hx, hy;
    util_isomize(env.lox, 1000, env.loz, &hx, &hy);
    EXPECT_FLOAT_EQ(hx, x[0]);
    EXPECT_GT(hy, y[0]);
}

TEST_F(SetWin, ThePayloadRunsOverTheWholeUsefulLoad)
{
    pln[0].m_empty = 700;
    pln[0].m_max = 1100;
    EXPECT_FLOAT_EQ(payload_max(), 400);
    pln[0].m_max = 600;   // a damaged file: never a negative range
    EXPECT_FLOAT_EQ(payload_max(), 0);
}

}  // namespace
