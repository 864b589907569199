// event_test.cpp -- key translation and routing, the window procedure's mouse mapping, the help
// bubble's placement and the pulsing colours, without a window.
#include "hl_event.h"
#include "hl_program.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "test_program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(KeyChar, UsLayoutWithAndWithoutShift)
{
    struct Case { int vk; char plain, shifted; };
    const Case cases[] = {
        {'A', 'a', 'A'}, {'Z', 'z', 'Z'}, {'0', '0', ')'}, {'1', '1', '!'}, {'2', '2', '@'}, {'3', '3', '#'},
        {'4', '4', '$'}, {'5', '5', '%'}, {'6', '6', '^'}, {'7', '7', '&'}, {'8', '8', '*'}, {'9', '9', '('},
        {189, '-', '_'}, {187, '=', '+'}, {219, '[', '{'}, {221, ']', '}'}, {186, ';', ':'}, {188, ',', '<'},
        {190, '.', '>'}, {191, '/', '?'}, {192, '`', '~'}, {220, '\\', '|'}, {222, '\'', '"'},
        {32, ' ', ' '}, {13, 13, 13}, {96, '0', '0'}, {105, '9', '9'}, {107, '+', '+'}, {109, '-', '-'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hl_key_char(c.vk, 0), c.plain) << c.vk;
        EXPECT_EQ(hl_key_char(c.vk, 1), c.shifted) << c.vk;
    }
    // Keys that type nothing: arrows, function keys, Shift, Home.
    for (int vk : {16, 17, 36, 37, 38, 39, 40, 112, 123}) EXPECT_EQ(hl_key_char(vk, 0), 0) << vk;
}

class Keys : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        hl_reset_event_state();
        test_program_log().clear();
        saved_ = hl_prog;
        codes_.clear();
    }
    void TearDown() override { hl_prog = saved_; }
    hl_program_desc saved_;
    static std::vector<std::string> codes_;
    static void simulator_hooks()
    {
        hl_prog.is_simulator = 1;
        hl_prog.freeviews_keys = [](int c) { codes_.push_back("view " + std::to_string(c)); };
        hl_prog.function_key = [](int c) { codes_.push_back("fn " + std::to_string(c)); };
        hl_prog.yoke_key = [](int c) { codes_.push_back("yoke " + std::to_string(c)); };
    }
};
std::vector<std::string> Keys::codes_;

TEST_F(Keys, SimulatorTakesArrowsFunctionKeysAndTheYokePad)
{
    simulator_hooks();
    const int keys[] = {38, 37, 40, 39, 112, 120, 8, 122, 123, 101, 98, 104, 100, 102, 97, 99};
    for (int vk : keys) MACIBM_handlekey(vk);
    const std::vector<std::string> want = {
        "view 27", "view 25", "view 28", "view 26", "fn 28", "fn 36", "fn 37", "fn 38", "fn 39",
        "yoke 0", "yoke 1", "yoke 2", "yoke 3", "yoke 4", "yoke 5", "yoke 6"};
    EXPECT_EQ(codes_, want);
    EXPECT_TRUE(test_program_log().keys.empty());
    MACIBM_handlekey('Q');
    EXPECT_EQ(test_program_log().keys, "q");
}

TEST_F(Keys, ShiftFromTrackedEventsGivesShiftedCodes)
{
    simulator_hooks();
    // Shift's state comes from the events themselves, pushed or real.
    PLT_event down{};
    down.kind = PLT_EV_KEYDOWN;
    down.vkey = 16;
    PLT_push_event(down);
    PLT_event e;
    while (PLT_poll_event(&e)) {}
    ASSERT_TRUE(PLT_key_down(16));
    for (int vk : {112, 8, 122, 123}) MACIBM_handlekey(vk);
    const std::vector<std::string> want = {"fn 40", "fn 49", "fn 50", "fn 51"};
    EXPECT_EQ(codes_, want);
    PLT_event up = down;
    up.kind = PLT_EV_KEYUP;
    PLT_push_event(up);
    while (PLT_poll_event(&e)) {}
    EXPECT_FALSE(PLT_key_down(16));
}

TEST_F(Keys, TextWindowsEditTheTypedNameAndEnterIsReported)
{
    mnw.topwin = WIND_SAVE;
    // Folder separators are refused; Backspace takes the '-'.
    for (int vk : {int('A'), int('B'), 189, 191, 220, 8, int('C')}) MACIBM_handlekey(vk);
    EXPECT_STREQ(g_cs0, "abc");
    EXPECT_EQ(return_hit, 0);
    MACIBM_handlekey(13);
    EXPECT_EQ(return_hit, 1);
    for (int i = 0; i < 40; i++) MACIBM_handlekey('X');
    EXPECT_EQ(std::string(g_cs0).size(), 31u);
    EXPECT_TRUE(test_program_log().keys.empty());
}

TEST_F(Keys, AnyKeyClosesAProgramWindowButNotTheSaveAlertOrOpenDialog)
{
    hl_prog.is_simulator = 1;
    TempDir dir;
    write_window_bitmaps(dir.str(), 10, 20, 30);
    MACIBM_startwind(5);
    ASSERT_EQ(mnw.topwin, 5);
    MACIBM_handlekey('K');
    EXPECT_EQ(mnw.topwin, 0);
    for (int w : {WIND_NUKE, WIND_OPEN}) {
        MACIBM_startwind(w);
        MACIBM_handlekey('K');
        MACIBM_handlekey(13);
        EXPECT_EQ(mnw.topwin, w);
    }
    EXPECT_TRUE(test_program_log().keys.empty());
}

TEST_F(Keys, EditorTextAndArrowHooksTakeKeysWithNoWindowOpen)
{
    static char name[8];
    static std::vector<int> arrows;
    name[0] = 0;
    arrows.clear();
    hl_prog.edit_text = [](int* size) { *size = sizeof name; return name; };
    hl_prog.arrow_keys = [](int code) { arrows.push_back(code); };
    for (int vk : {38, 37, 40, 39}) MACIBM_handlekey(vk);
    for (int i = 0; i < 10; i++) MACIBM_handlekey('K');
    EXPECT_EQ(arrows, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_STREQ(name, "kkkkkkk");
    EXPECT_TRUE(test_program_log().keys.empty());
}

TEST(WindowProcedure, MouseMapsToTheOpenWindowsUnits)
{
    clear_globals();
    mnw.HRES = 1024;
    mnw.YRES = 768;
    mnw.XRAT = 1.28f;
    mnw.YRAT = 1.28f;
    PLT_event e{};
    e.kind = PLT_EV_MOUSEMOVE;
    e.x = 512;
    e.y = 384;
    IBM_handlewin(&e);
    EXPECT_FLOAT_EQ(mnw.mx, 400);
    EXPECT_FLOAT_EQ(mnw.my, 300);
    // Relative to an open window at (200, 203).
    mnw.x = 200;
    mnw.y = 203;
    IBM_handlewin(&e);
    EXPECT_FLOAT_EQ(mnw.mx, 200);
    EXPECT_FLOAT_EQ(mnw.my, 97);
    e.kind = PLT_EV_BUTTONDOWN;
    e.x = 0;
    e.y = 768;
    mnw.topwin = WIND_ALERT;
    IBM_handlewin(&e);
    EXPECT_EQ(mnw.mouse_clicked, 1);
    EXPECT_EQ(mnw.now_dragging, 1);
    EXPECT_FLOAT_EQ(mnw.mx, -200);
    e.kind = PLT_EV_BUTTONUP;
    IBM_handlewin(&e);
    EXPECT_EQ(mnw.mouse_lifted, 1);
    EXPECT_EQ(mnw.now_dragging, 0);
    e.kind = PLT_EV_CLOSE;
    gdone = 0;
    IBM_handlewin(&e);
    EXPECT_EQ(gdone, 1);
}

TEST(HelpBubble, StaysOnTheScreen)
{
    clear_globals();
    struct Case { float x1, y2; int len; float want_x1, want_y1, want_y2; };
    const Case cases[] = {
        {100, 300, 10, 100, 285, 300},
        {700, 300, 10, 390, 285, 300},          // shifted left to end at 790
        {100, 12, 10, 100, 10, 25},             // raised to keep its bottom at 10
        {100, 300, 130, 100, 265, 300},         // two more lines of 10 for 130 characters
        {790, 5, 200, 390, 10, 55},             // three extra lines, 45 tall, raised by 50
    };
    for (const Case& c : cases) {
        mnw.help_x1 = c.x1;
        mnw.help_y2 = c.y2;
        std::string msg(static_cast<size_t>(c.len), 'h');
        std::snprintf(mnw.help_message, STR_LEN, "%s", msg.c_str());
        float x1, y1, x2, y2;
        hl_help_box(&x1, &y1, &x2, &y2);
        EXPECT_FLOAT_EQ(x1, c.want_x1);
        EXPECT_FLOAT_EQ(x2, c.want_x1 + 400);
        EXPECT_FLOAT_EQ(y1, c.want_y1);
        EXPECT_FLOAT_EQ(y2, c.want_y2);
        EXPECT_LE(x2, 790);
        EXPECT_GE(y1, 10);
    }
}

TEST(PulsingColours, FollowTheClock)
{
    clear_globals();
    hl_reset_event_state();
    use_test_clock(5000);
    MACIBM_event_proc();   // the first pass is t = 0; nothing drawn before the first paint
    EXPECT_NEAR(col_rgb[56][0], 0.12f, 1e-6f);
    EXPECT_NEAR(col_rgb[56][1], 0.6f, 1e-6f);
    EXPECT_NEAR(col_rgb[57][1], 0.7f, 1e-6f);
    EXPECT_NEAR(col_rgb[59][2], 0.3f, 1e-6f);
    EXPECT_EQ(col_rgb[60][1], 0.0f);
    advance_test_clock(314);   // 5t = 1.57: the slow pulse at its brightest
    MACIBM_event_proc();
    EXPECT_FLOAT_EQ(mnw.time_elapsed, 0.314f);
    EXPECT_NEAR(col_rgb[56][1], 1.0f, 1e-3f);
    EXPECT_NEAR(col_rgb[56][0], 0.2f, 1e-3f);
    use_real_clock();
    EXPECT_EQ(test_program_log().updates, 0);
}

TEST(Dragging, HeldButtonBecomesADelayedDragAfterOneSecond)
{
    clear_globals();
    hl_reset_event_state();
    use_test_clock(0);
    mnw.topwin = WIND_ALERT;   // keep clicks away from the menus
    mnw.XRAT = mnw.YRAT = 1;
    mnw.HRES = 800;
    mnw.YRES = 600;
    MACIBM_event_proc();
    PLT_event e{};
    e.kind = PLT_EV_BUTTONDOWN;
    e.x = 10;
    e.y = 10;
    PLT_push_event(e);
    MACIBM_event_proc();
    EXPECT_EQ(mnw.now_dragging, 1);
    EXPECT_EQ(mnw.delay_dragging, 0);
    advance_test_clock(900);
    MACIBM_event_proc();
    EXPECT_EQ(mnw.delay_dragging, 0);
    advance_test_clock(200);
    MACIBM_event_proc();
    EXPECT_EQ(mnw.delay_dragging, 1);
    e.kind = PLT_EV_BUTTONUP;
    PLT_push_event(e);
    MACIBM_event_proc();
    EXPECT_EQ(mnw.delay_dragging, 0);
    EXPECT_EQ(mnw.mouse_lifted, 1);
    use_real_clock();
}

}  // namespace
