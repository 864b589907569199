// wind_test.cpp -- the window table, opening windows and their pictures in rgb_array, alerts through
// the sink (no window), and buttons.
#include "hl_event.h"
#include "hl_program.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvscreen.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

class Windows : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        hl_fill_default_colors();
        hl_reset_event_state();
        clear_recorded_alerts();
        saved_ = hl_prog;
    }
    void TearDown() override { hl_prog = saved_; }
    static void hl_fill_default_colors()
    {
        // Grey levels of the frame's colours, enough to tell them apart in the picture.
        const int ks[] = {6, 12, 18, 22, 29};
        const float vs[] = {0.8f, 0.6f, 0.4f, 0.2f, 0.0f};
        for (int i = 0; i < 5; i++) col_rgb[ks[i]][0] = col_rgb[ks[i]][1] = col_rgb[ks[i]][2] = vs[i];
    }
    static int grey(int x, int y) { return rgb_array[y][x][0]; }
    hl_program_desc saved_;
};

TEST_F(Windows, SizesAndCentring)
{
    struct Case { int id; const char* title; float dx, dy, x, y; };
    const Case cases[] = {
        {0, "", 800, 600, 0, 0},
        {WIND_ALERT, "ALERT", 400, 195, 200, 203},   // 202.5 rounds away from zero
        {WIND_NUKE, "ALERT", 300, 100, 250, 250},
        {WIND_OPEN, "OPEN", 320, 488, 240, 56},
        {WIND_SAVE, "SAVE", 320, 488, 240, 56},
    };
    for (const Case& c : cases) {
        MACIBM_startwind(c.id);
        EXPECT_EQ(mnw.topwin, c.id);
        EXPECT_EQ(mnw.dx, c.dx) << c.id;
        EXPECT_EQ(mnw.dy, c.dy) << c.id;
        EXPECT_EQ(mnw.x, c.x) << c.id;
        EXPECT_EQ(mnw.y, c.y) << c.id;
        const char* title;
        float dx, dy;
        ASSERT_TRUE(hl_window_info(c.id, &title, &dx, &dy));
        EXPECT_STREQ(title, c.title);
    }
    // A companion program has no windows 1..25; the simulator has them.
    const char* title;
    float dx, dy;
    hl_prog.is_simulator = 0;
    EXPECT_FALSE(hl_window_info(7, &title, &dx, &dy));
    hl_prog.is_simulator = 1;
    ASSERT_TRUE(hl_window_info(7, &title, &dx, &dy));
    EXPECT_STREQ(title, "Set Data Output");
    EXPECT_EQ(dx, 620);
    EXPECT_EQ(dy, 400);
    ASSERT_TRUE(hl_window_info(15, &title, &dx, &dy));
    EXPECT_STREQ(title, "Set Joystick & Flight Mode");
    std::snprintf(C_s, STR_LEN, "Plot of speed");
    ASSERT_TRUE(hl_window_info(24, &title, &dx, &dy));
    EXPECT_STREQ(title, "Plot of speed");
    EXPECT_FALSE(hl_window_info(26, &title, &dx, &dy));
    EXPECT_FALSE(hl_window_info(995, &title, &dx, &dy));
}

TEST_F(Windows, EnrouteWindowFollowsTheRegionAndStaysOnScreen)
{
    hl_prog.is_simulator = 1;
    const char* title;
    float dx, dy;
    con.mtrtonrt = 0.001f;
    env.dx = 300000;
    env.dz = 220000;
    ASSERT_TRUE(hl_window_info(3, &title, &dx, &dy));
    EXPECT_EQ(dx, 371);
    EXPECT_EQ(dy, 220);
    con.mtrtonrt = 0.01f;
    ASSERT_TRUE(hl_window_info(3, &title, &dx, &dy));
    EXPECT_EQ(dx, 790);
    EXPECT_LE(dy, 560);
}

TEST_F(Windows, OpeningClearsInitingExceptAtStartUpAndAStaleEnter)
{
    initing = 1;
    MACIBM_startwind(-1);
    EXPECT_EQ(initing, 1);
    EXPECT_EQ(mnw.topwin, 0);
    MACIBM_startwind(0);
    EXPECT_EQ(initing, 0);
    for (int id : {WIND_ALERT, WIND_SAVE}) {
        return_hit = 1;
        select_ind = 4;
        mnw.menu_up = 3;
        MACIBM_startwind(id);
        EXPECT_EQ(return_hit, 0) << id;
        EXPECT_EQ(select_ind, 0);
        EXPECT_EQ(mnw.menu_up, -1);
        EXPECT_EQ(to_array, 0);
    }
    MACIBM_startwind(12345);   // no such window: nothing changes
    EXPECT_EQ(mnw.topwin, WIND_SAVE);
}

TEST_F(Windows, ClosingASimulatorWindowRunsItsClosingActionOnly)
{
    static std::vector<int> zapped;
    zapped.clear();
    hl_prog.is_simulator = 1;
    hl_prog.process_zap = [](int w) { zapped.push_back(w); };
    TempDir dir;
    write_window_bitmaps(dir.str(), 10, 20, 30);
    MACIBM_startwind(7);
    MACIBM_startwind(0);       // 7 closes
    MACIBM_startwind(9);
    MACIBM_startwind(WIND_ALERT);   // an alert over 9 does not close it
    MACIBM_startwind(0);       // the alert closing is not a settings window closing
    EXPECT_EQ(zapped, (std::vector<int>{7}));
}

TEST_F(Windows, AlertPictureHasFrameBodyTitleAndOkButton)
{
    MACIBM_alert("ONE", "TWO", "", "", ALERT_NOTICE);   // answered by the sink; fill the picture by hand
    std::snprintf(g_cs1, STR_LEN, "ONE");
    MACIBM_startwind(WIND_ALERT);
    // Body colour 12 inside, the pressed bevel at -1 (colour 22 left), frame colour 18 outside,
    // black beyond the frame.
    EXPECT_EQ(grey(200 + 100, 203 + 100), 153);
    EXPECT_EQ(grey(200 - 3, 203 + 100), 102);
    EXPECT_EQ(grey(200 - 8, 203 + 100), 0);
    EXPECT_EQ(grey(200 + 100, 203 + 195 + 12), 102);    // title bar above the grooves
    EXPECT_EQ(grey(200 + 100, 203 + 195 + 10), 51);     // a groove
    // "ONE" at (10, 180): the O's top row 0E in black over the body.
    int y = 203 + 180 + 6;
    const int row[5] = {153, 0, 0, 0, 153};
    for (int c = 0; c < 5; c++) EXPECT_EQ(grey(210 + c, y), row[c]) << c;
    // The O.K. button raised: top edge colour 6 at y 29, bottom colour 22 at y 15.
    EXPECT_EQ(grey(200 + 100, 203 + 29), 204);
    EXPECT_EQ(grey(200 + 100, 203 + 15), 51);
}

TEST_F(Windows, ProgramWindowsHaveCloseBoxesLibraryWindowsDoNot)
{
    hl_prog.is_simulator = 1;
    TempDir dir;
    write_window_bitmaps(dir.str(), 10, 20, 30);
    MACIBM_startwind(11);   // 197 by 84 at (302, 258)
    ASSERT_EQ(mnw.x, 302);
    ASSERT_EQ(mnw.y, 258);
    // The left box's outline (colour 29) at (-1, dy + 2).
    EXPECT_EQ(grey(302 - 1, 258 + 84 + 7), 0);
    EXPECT_EQ(grey(302 + 197 - 10, 258 + 84 + 7), 0);
    MACIBM_startwind(WIND_OPEN);
    EXPECT_NE(grey(240 - 1, 56 + 488 + 7), 0);
}

TEST_F(Windows, SimulatorWindowsShowTheirBackgroundPictures)
{
    hl_prog.is_simulator = 1;
    TempDir dir;
    write_window_bitmaps(dir.str(), 200, 100, 50);
    MACIBM_startwind(7);   // 620 by 400 at (90, 100); its 8 by 8 picture at the window's origin
    ASSERT_EQ(mnw.x, 90);
    EXPECT_EQ(rgb_array[100][90][0], 200);
    EXPECT_EQ(rgb_array[107][97][1], 100);
    EXPECT_EQ(rgb_array[107][97][2], 50);
    EXPECT_EQ(rgb_array[108][90][0], 153);   // the body above the picture
    // The enroute window puts its picture 71 units from its right edge.
    con.mtrtonrt = 0.001f;
    env.dx = 300000;
    env.dz = 220000;
    MACIBM_startwind(3);
    EXPECT_EQ(rgb_array[static_cast<int>(mnw.y)][static_cast<int>(mnw.x + mnw.dx - 71)][0], 200);
    EXPECT_EQ(rgb_array[static_cast<int>(mnw.y)][static_cast<int>(mnw.x + mnw.dx - 72)][0], 153);
}

TEST_F(Windows, MissingBackgroundPictureIsFatal)
{
    hl_prog.is_simulator = 1;
    TempDir dir;
    std::snprintf(app_path, STR_LEN, "%s/", dir.str().c_str());
    EXPECT_THROW(MACIBM_startwind(7), FatalAlert);
    ASSERT_FALSE(recorded_alerts().empty());
    EXPECT_EQ(recorded_alerts().back().l1, "Can't open bitmap!");
    to_array = 0;
}

TEST_F(Windows, ButtonBevels)
{
    to_array = 1;
    std::memset(rgb_array, 0, sizeof rgb_array);
    MACIBM_button(10, 10, 20, 20, 1);
    EXPECT_EQ(grey(10, 15), 204);   // left, light
    EXPECT_EQ(grey(15, 20), 204);   // top, light
    EXPECT_EQ(grey(20, 15), 51);    // right, dark
    EXPECT_EQ(grey(15, 10), 51);    // bottom, dark
    MACIBM_button(30, 10, 40, 20, 0);
    EXPECT_EQ(grey(30, 15), 51);
    EXPECT_EQ(grey(35, 20), 51);
    EXPECT_EQ(grey(40, 15), 204);
    EXPECT_EQ(grey(35, 10), 204);
    to_array = 0;
}

TEST_F(Windows, AlertsReachTheSinkWithTheirLines)
{
    MACIBM_alert("a", nullptr, "c", "d", ALERT_NOTICE);
    MACIBM_alert("x", "y", "z", "w", ALERT_ABOUT);
    ASSERT_EQ(recorded_alerts().size(), 2u);
    EXPECT_EQ(recorded_alerts()[0].l2, "");
    EXPECT_EQ(recorded_alerts()[0].l4, "d");
    EXPECT_EQ(recorded_alerts()[1].l4, "Version 5.03.");
    EXPECT_EQ(recorded_alerts()[1].code, ALERT_ABOUT);
}

TEST_F(Windows, CountAlertShowsTheWholeCountAndIsFatal)
{
    for (int count : {12000, 256, 0, 65536, -1}) {
        clear_recorded_alerts();
        EXPECT_THROW(MACIBM_alert_count("Too many airports!", "", "", count), FatalAlert);
        ASSERT_EQ(recorded_alerts().size(), 1u);
        EXPECT_EQ(recorded_alerts()[0].l4, std::to_string(count));
        EXPECT_EQ(recorded_alerts()[0].code, ALERT_COUNT);
    }
    EXPECT_THROW(MACIBM_alert("bad", "", "", "", ALERT_FATAL), FatalAlert);
}

TEST_F(Windows, LongAlertLinesAreCut)
{
    std::string longer(1000, 'q');
    MACIBM_alert(longer.c_str(), longer.c_str(), "", "", ALERT_NOTICE);
    EXPECT_EQ(std::string(g_cs1).size(), static_cast<size_t>(STR_LEN - 1));
    std::string name(600, 'n');
    // The save-changes text is cut at the array too (its loop ends at once: no window is open here).
    gdone = 1;
    EXPECT_EQ(MACIBM_nuke_alert(name.c_str()), 3);
    EXPECT_EQ(std::string(g_cs1).size(), static_cast<size_t>(STR_LEN - 1));
    EXPECT_EQ(std::string(g_cs1).substr(0, 16), "Save changes to ");
}

}  // namespace

namespace {

TEST(FatalAlertDeathTest, WithoutASinkEndsTheProgramWithNonZeroStatus)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            hl_set_alert_sink(nullptr);
            ogl_ready = 0;
            MACIBM_alert("The data folder is missing!", "", "", "", ALERT_FATAL);
        },
        ::testing::ExitedWithCode(1), "The data folder is missing!");
    EXPECT_EXIT(
        {
            hl_set_alert_sink(nullptr);
            ogl_ready = 0;
            MACIBM_alert_count("Too many navaids!", "", "", 256);
        },
        ::testing::ExitedWithCode(1), "256");
}

}  // namespace
