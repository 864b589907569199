// ui_gltest.cpp -- the window, menus, alerts, keys and mouse drawn and driven through the real event
// loop on SDL's offscreen driver, checked by reading the frame back.
#include "hl_event.h"
#include "hl_menu.h"
#include "hl_mnw.h"
#include "hl_program.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "test_program.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class Screen : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        test_program_log().clear();
    }
    // The menus of a small editor: File with a separator, Edit, and a submenu under Edit's item 1.
    void make_menus()
    {
        MACIBM_create_menu(0, -1, "File");
        MACIBM_append_menu(0, 0, "Open", "Open a file.");
        MACIBM_append_menu(0, 1, "-", "");
        MACIBM_append_menu(0, 2, "Quit", "Leave the program.");
        MACIBM_create_menu(1, -1, "Edit");
        MACIBM_append_menu(1, 100, "Undo", "");
        MACIBM_append_menu(1, 101, "Shapes", "");
        MACIBM_create_menu(2, 101, "Shapes");
        MACIBM_append_menu(2, 200, "Circle", "");
        MACIBM_startwind(0);
        run_passes(1);
    }
    // Whether the glyph row of the letter drawn at (x, y) in colour k shows the dots of its top row.
    static bool glyph_top_row(const Frame& f, float x, float y, unsigned bits, int k)
    {
        for (int c = 0; c < 5; c++) {
            bool dot = (bits >> (4 - c)) & 1;
            if (dot != f.is_color(x + c, y + 6, k, 8)) return false;
        }
        return true;
    }
};

TEST_F(Screen, EmptyScreenShowsMenuBarWithTitlesAtTheirPlaces)
{
    make_menus();
    Frame f = capture_pass();
    write_png(picture_path("menubar.png"), f);
    // The bar: colour 6 lines at 599 and 598, colour 18 body, colour 22 lines at 584 and 583, black below.
    EXPECT_TRUE(f.is_color(400, 599, 6));
    EXPECT_TRUE(f.is_color(400, 598, 6));
    EXPECT_TRUE(f.is_color(400, 590, 18));
    EXPECT_TRUE(f.is_color(400, 584, 22));
    EXPECT_TRUE(f.is_color(400, 583, 22));
    EXPECT_TRUE(f.is_color(400, 300, 29));
    // "File" starts at x 10, "Edit" at 10 + 6*4 + 10 = 44; letters in colour 6 at y 583 + 5.
    EXPECT_TRUE(glyph_top_row(f, 10, 588, 0x1F, 6));   // F
    EXPECT_TRUE(glyph_top_row(f, 44, 588, 0x1F, 6));   // E
    EXPECT_TRUE(glyph_top_row(f, 22, 588, 0x10, 6));   // l (drawn as L)
    EXPECT_FALSE(glyph_top_row(f, 40, 588, 0x1F, 6));  // nothing between the titles
}

TEST_F(Screen, MenuOpensOnClickClosesOnSecondAndReportsChosenItem)
{
    make_menus();
    push_click(20, 590);
    run_passes(1);
    EXPECT_EQ(mnw.menu_up, 0);
    Frame open = capture_pass();
    write_png(picture_path("menu_open.png"), open);
    // The open menu's body (colour 18) covers the first item's box, and its text shows.
    EXPECT_TRUE(open.is_color(mnw.itemx2[0][0] - 3, 575, 18));
    EXPECT_TRUE(glyph_top_row(open, mnw.itemx1[0][0] + 12, mnw.itemy1[0][0] + 3, 0x0E, 6));   // O

    push_click(20, 590);
    run_passes(1);
    EXPECT_EQ(mnw.menu_up, -1);
    Frame closed = capture_pass();
    EXPECT_TRUE(closed.is_color(mnw.itemx2[0][0] - 3, 575, 29));

    choose_menu_item(0, 2);
    ASSERT_EQ(test_program_log().menus.size(), 1u);
    EXPECT_EQ(test_program_log().menus[0], 2);
    EXPECT_EQ(mnw.menu_up, -1);

    choose_menu_item(1, 0);
    ASSERT_EQ(test_program_log().menus.size(), 2u);
    EXPECT_EQ(test_program_log().menus[1], 100);
}

TEST_F(Screen, SeparatorChoosesNothingAndClickElsewhereCloses)
{
    make_menus();
    choose_menu_item(0, 1);
    EXPECT_TRUE(test_program_log().menus.empty());
    push_click(20, 590);
    run_passes(1);
    ASSERT_EQ(mnw.menu_up, 0);
    push_click(600, 200);
    run_passes(1);
    EXPECT_EQ(mnw.menu_up, -1);
    EXPECT_TRUE(test_program_log().menus.empty());
}

TEST_F(Screen, ItemWithSubmenuOpensTheSubmenuAndItsItemIsChosen)
{
    make_menus();
    push_click(50, 590);
    run_passes(1);
    ASSERT_EQ(mnw.menu_up, 1);
    push_click((mnw.itemx1[1][1] + mnw.itemx2[1][1]) / 2, (mnw.itemy1[1][1] + mnw.itemy2[1][1]) / 2);
    run_passes(1);
    EXPECT_EQ(mnw.menu_up, 2);
    EXPECT_TRUE(test_program_log().menus.empty());
    push_click((mnw.itemx1[2][0] + mnw.itemx2[2][0]) / 2, (mnw.itemy1[2][0] + mnw.itemy2[2][0]) / 2);
    run_passes(1);
    ASSERT_EQ(test_program_log().menus.size(), 1u);
    EXPECT_EQ(test_program_log().menus[0], 200);
}

TEST_F(Screen, AlertIsDrawnInTheFontAndEnterDismissesIt)
{
    show_alert_windows(true);
    static Frame seen;
    static int passes;
    passes = 0;
    hl_set_pass_hook([] {
        if (mnw.topwin != WIND_ALERT) return;
        if (++passes == 2) {
            seen = read_frame();
            push_key(13);
        }
        if (passes > 50) push_key(13);
    });
    // A stale Enter from before the alert must not answer it.
    return_hit = 1;
    MACIBM_alert("HELLO", "second line", "", "", ALERT_NOTICE);
    hl_set_pass_hook(nullptr);
    EXPECT_EQ(passes, 3) << "answered in the pass after the Enter was pushed";
    EXPECT_EQ(mnw.topwin, 0);
    ASSERT_EQ(seen.w, 800);
    write_png(picture_path("alert.png"), seen);
    // Window 996 sits at (200, 203); its body is colour 12 and "HELLO" is drawn at (10, 180) in black.
    EXPECT_TRUE(seen.is_color(200 + 300, 203 + 120, 12));
    EXPECT_TRUE(glyph_top_row(seen, 210, 383, 0x11, 29));   // H
    EXPECT_TRUE(glyph_top_row(seen, 216, 383, 0x1F, 29));   // E
    EXPECT_TRUE(glyph_top_row(seen, 234, 383, 0x0E, 29));   // O
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].l1, "HELLO");
}

TEST_F(Screen, AlertAnsweredByClickOnOk)
{
    show_alert_windows(true);
    hl_set_pass_hook([] {
        if (mnw.topwin == WIND_ALERT && mnw.time_elapsed >= 0) push_click(200 + 200, 203 + 22);
    });
    MACIBM_alert("click me", "", "", "", ALERT_NOTICE);
    hl_set_pass_hook(nullptr);
    EXPECT_EQ(mnw.topwin, 0);
}

TEST_F(Screen, SaveChangesAlertAnswersByItsButtonsOnly)
{
    struct Case { float x, y; int answer; };
    for (Case c : {Case{70, 52, 1}, Case{70, 22, 2}, Case{230, 22, 3}}) {
        static Case cur;
        static int passes;
        cur = c;
        passes = 0;
        hl_set_pass_hook([] {
            if (mnw.topwin != WIND_NUKE) return;
            ++passes;
            if (passes == 1) push_key('S');                    // keys do nothing here
            if (passes == 3) push_click(mnw.x + cur.x, mnw.y + cur.y);
        });
        int got = MACIBM_nuke_alert("Plane.acf");
        hl_set_pass_hook(nullptr);
        EXPECT_EQ(got, c.answer);
        EXPECT_EQ(passes, 4) << "answered in the pass after the click";
        EXPECT_STREQ(g_cs1, "Save changes to Plane.acf first?");
        EXPECT_EQ(mnw.topwin, 0);
    }
}

TEST_F(Screen, RestingOnAnItemShowsItsHelpBubbleAfterOneSecond)
{
    make_menus();
    push_click(20, 590);
    run_passes(1);
    float ix = (mnw.itemx1[0][2] + mnw.itemx2[0][2]) / 2, iy = (mnw.itemy1[0][2] + mnw.itemy2[0][2]) / 2;
    push_move(ix, iy);
    run_passes(1);
    Frame early = capture_pass();
    EXPECT_STREQ(mnw.help_message, "Leave the program.");
    // The hovered item is filled with colour 12; no bubble yet.
    EXPECT_TRUE(early.is_color(mnw.itemx2[0][2] - 2, iy, 12));
    float bx = mnw.help_x1 + 200, by = mnw.help_y2 - 2;
    EXPECT_FALSE(early.is_color(mnw.help_x1 - 3, by, 18));
    advance_test_clock(1200);
    Frame late = capture_pass();
    write_png(picture_path("help_bubble.png"), late);
    EXPECT_TRUE(late.is_color(bx, by, 29));
    EXPECT_TRUE(late.is_color(mnw.help_x1 - 3, by, 18));
    // The text in colour 41 from 3 units in and 11 below the top: the left column of its "L".
    EXPECT_TRUE(late.is_color(mnw.help_x1 + 3, mnw.help_y2 - 11 + 3, 41));
    // Menus from 15 on keep no help and show no bubble.
    MACIBM_create_menu(15, -1, "More");
    MACIBM_append_menu(15, 1500, "Thing", "never shown");
    hl_open_menu(15);
    push_move((mnw.itemx1[15][0] + mnw.itemx2[15][0]) / 2, (mnw.itemy1[15][0] + mnw.itemy2[15][0]) / 2);
    run_passes(1);
    advance_test_clock(1500);
    run_passes(1);
    EXPECT_STREQ(mnw.help_message, "");
}

TEST_F(Screen, KeysReachTheProgramTranslated)
{
    push_key('A');
    push_key('A', true);
    push_key('1', true);
    push_key(189);
    push_key(189, true);
    push_key(186);
    push_key(222, true);
    push_key(37);   // an arrow gives no character to a companion program
    run_passes(1);
    EXPECT_EQ(test_program_log().keys, "aA!-_;\"");
}

TEST_F(Screen, ClosingTheWindowEndsTheProgramsLoop)
{
    push_close();
    int passes = 0;
    while (!gdone && passes < 10) {
        MACIBM_event_proc();
        passes++;
    }
    EXPECT_EQ(gdone, 1);
    EXPECT_EQ(passes, 1);
}

TEST_F(Screen, NothingIsDrawnBeforeTheFirstPaint)
{
    // A fresh window: the first paint is queued when it opens, so the first pass is the first drawn.
    MACIBM_finishup();
    hl_set_window_size(800, 600);
    MACIBM_init();
    EXPECT_EQ(up_handled, 0);
    run_passes(1);
    EXPECT_EQ(up_handled, 1);
    EXPECT_GE(test_program_log().updates, 1);
}

class BigScreen : public ScreenTest {
protected:
    BigScreen() : ScreenTest(1024, 768) {}
};

TEST_F(BigScreen, MousePositionsMapToTheLogicalScreen)
{
    EXPECT_FLOAT_EQ(mnw.HRES, 1024);
    EXPECT_FLOAT_EQ(mnw.YRES, 768);
    EXPECT_FLOAT_EQ(mnw.XRAT, 1.28f);
    PLT_event e{};
    e.kind = PLT_EV_MOUSEMOVE;
    e.x = 512;
    e.y = 384;
    PLT_push_event(e);
    run_passes(1);
    EXPECT_FLOAT_EQ(mnw.mx, 400);
    EXPECT_FLOAT_EQ(mnw.my, 300);
    e.x = 0;
    e.y = 768;
    PLT_push_event(e);
    run_passes(1);
    EXPECT_FLOAT_EQ(mnw.mx, 0);
    EXPECT_FLOAT_EQ(mnw.my, 0);
}

TEST_F(BigScreen, MenusWorkAtTheLargerSizeAndTheFrameIsScaled)
{
    test_program_log().clear();   // not the items an earlier test of the binary chose
    MACIBM_create_menu(0, -1, "File");
    MACIBM_append_menu(0, 0, "Open", "");
    MACIBM_startwind(0);
    choose_menu_item(0, 0);
    ASSERT_EQ(test_program_log().menus.size(), 1u);
    Frame f = capture_pass();
    EXPECT_EQ(f.w, 1024);
    EXPECT_TRUE(f.is_color(400, 590, 18));
    EXPECT_TRUE(f.is_color(400, 300, 29));
}

}  // namespace
