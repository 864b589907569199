// btn_test.cpp -- the entry fields' click rules without a window: hit boxes, digit steps and ranges,
// selection counters, choice wrapping, identifier codes, switches, the name list and help texts.
// Drawing goes into rgb_array (array mode), where the lamps and list rows are checked too.
#include "hl_btn.h"
#include "hl_event.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

class Fields : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        hl_reset_event_state();
        hl_fill_colors();
        std::memset(rgb_array, 0, sizeof rgb_array);
        to_array = 1;
        select_val = 0;
    }
    void TearDown() override { to_array = 0; }
    // One pass with a click at (x, y), window units.
    static void click(float x, float y)
    {
        mnw.mx = x;
        mnw.my = y;
        mnw.mouse_clicked = 1;
        mnw.help_message[0] = 0;
        select_ctr = 0;
    }
    // One pass with the mouse resting at (x, y).
    static void rest(float x, float y)
    {
        click(x, y);
        mnw.mouse_clicked = 0;
    }
    static bool pixel_is(int x, int y, int k)
    {
        for (int c = 0; c < 3; c++)
            if (std::abs(rgb_array[y][x][c] - static_cast<int>(std::lround(col_rgb[k][c] * 255))) > 1) return false;
        return true;
    }
    static bool blank_row(int x1, int x2, int y1, int y2)
    {
        for (int y = y1; y <= y2; y++)
            for (int x = x1; x <= x2; x++)
                if (rgb_array[y][x][0] || rgb_array[y][x][1] || rgb_array[y][x][2]) return false;
        return true;
    }
};

// A field of 3 places, 1 decimal, unsigned, at (100, 200): 0 .. 99.9, columns 10, 1 and 0.1.
TEST_F(Fields, DigitStripsStepTheirOwnColumnWithinRange)
{
    struct Case { float start, cx, cy; float want; int changed; };
    const float X = 100, Y = 200;
    const Case cases[] = {
        {50.0f, X + 5, Y + 15, 60.0f, 1},     // left column, plus strip: +10
        {50.0f, X + 15, Y + 15, 51.0f, 1},    // middle column: +1
        {50.0f, X + 25, Y + 15, 50.1f, 1},    // right column: +0.1
        {50.0f, X + 5, Y - 9, 40.0f, 1},      // minus strip
        {50.0f, X + 15, Y - 9, 49.0f, 1},
        {50.0f, X + 25, Y - 9, 49.9f, 1},
        {50.0f, X + 5, Y + 3, 50.0f, 0},      // on the digits themselves
        {50.0f, X + 5, Y - 3, 50.0f, 0},      // between the digits and the minus strip
        {50.0f, X + 5, Y + 9, 50.0f, 0},      // between the digits and the plus strip
        {50.0f, X + 5, Y + 10, 60.0f, 1},     // strip edges count
        {50.0f, X + 5, Y + 20, 60.0f, 1},
        {50.0f, X + 5, Y - 4, 40.0f, 1},
        {50.0f, X + 5, Y - 14, 40.0f, 1},
        {50.0f, X + 5, Y + 21, 50.0f, 0},     // above the field
        {50.0f, X + 5, Y - 15, 50.0f, 0},     // below it
        {50.0f, X - 1, Y + 15, 50.0f, 0},     // left of it
        {50.0f, X + 31, Y + 15, 50.0f, 0},    // right of it
        {50.0f, X + 10, Y + 15, 51.0f, 1},    // a column's left edge is that column's
        {95.0f, X + 5, Y + 15, 99.9f, 1},     // held at the top of the range
        {99.9f, X + 25, Y + 15, 99.9f, 0},
        {5.0f, X + 5, Y - 9, 0.0f, 1},        // and at the bottom
        {0.0f, X + 25, Y - 9, 0.0f, 0},
    };
    for (const Case& c : cases) {
        float v = c.start;
        click(c.cx, c.cy);
        int changed = instdbtn(X, Y, 7, &v, 3, 1, 0, "help");
        EXPECT_NEAR(v, c.want, 1e-4) << c.start << " at " << c.cx << ", " << c.cy;
        EXPECT_EQ(changed, c.changed) << c.start << " at " << c.cx << ", " << c.cy;
    }
}

TEST_F(Fields, EveryColumnOfAWideFieldAndSignedRanges)
{
    // 7 places, 2 decimals, signed: columns 10000 .. 0.01, range -99999.99 .. 99999.99.
    for (int k = 0; k < 7; k++) {
        float v = 0;
        click(10 + 10 * k + 5, 100 + 15);
        instdbtn(10, 100, 7, &v, 7, 2, 1, nullptr);
        EXPECT_NEAR(v, std::pow(10.0, 4 - k), 1e-3) << k;
        click(10 + 10 * k + 5, 100 - 9);
        instdbtn(10, 100, 7, &v, 7, 2, 1, nullptr);
        click(10 + 10 * k + 5, 100 - 9);
        instdbtn(10, 100, 7, &v, 7, 2, 1, nullptr);
        EXPECT_NEAR(v, -std::pow(10.0, 4 - k), 1e-3) << k;
    }
    float v = -99990;
    click(15, 91);
    instdbtn(10, 100, 7, &v, 7, 2, 1, nullptr);
    EXPECT_NEAR(v, -99999.99f, 0.01f);
    // A given range, and values out of range pulled in without a click.
    float w = 35;
    rest(0, 0);
    instdbtn_range(10, 100, 7, &w, 3, 0, -20, 30, nullptr);
    EXPECT_EQ(w, 30);
    w = -25;
    instdbtn_range(10, 100, 7, &w, 3, 0, 30, -20, nullptr);   // the bounds either way round
    EXPECT_EQ(w, -20);
    w = NAN;
    instdbtn_range(10, 100, 7, &w, 3, 0, -20, 30, nullptr);
    EXPECT_EQ(w, -20);
}

TEST_F(Fields, RepeatedTenthsLeaveNoFloatDust)
{
    float v = 0;
    for (int i = 0; i < 7; i++) {
        click(125, 215);
        instdbtn(100, 200, 7, &v, 3, 1, 1, nullptr);
    }
    EXPECT_EQ(v, 0.7f);
    for (int i = 0; i < 7; i++) {
        click(125, 191);
        instdbtn(100, 200, 7, &v, 3, 1, 1, nullptr);
    }
    EXPECT_EQ(v, 0.0f);
}

TEST_F(Fields, ClickBetweenTwoFieldsChangesNeitherAndSelectionFollowsTheClickedOne)
{
    float a = 1, b = 2, c = 3;
    auto pass = [&] {
        instdbtn(100, 200, 7, &a, 3, 0, 0, nullptr);
        instdbtn(140, 200, 7, &b, 3, 0, 0, nullptr);
        instdbtn(180, 200, 7, &c, 3, 0, 0, nullptr);
    };
    click(135, 215);   // between the first (100..130) and the second (140..170)
    pass();
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(select_ind, 0);
    EXPECT_EQ(select_ctr, 3);
    click(165, 215);   // the second field's right column
    pass();
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 3);
    EXPECT_EQ(c, 3);
    EXPECT_EQ(select_ind, 2);
    EXPECT_EQ(select_val, 3);
    click(195, 203);   // on the third field's digits: selected, unchanged
    pass();
    EXPECT_EQ(select_ind, 3);
    EXPECT_EQ(select_val, 3);
    EXPECT_EQ(c, 3);
}

TEST_F(Fields, HelpIsOfferedOnlyOverTheField)
{
    float v = 0;
    int flag = 0;
    rest(105, 210);
    instdbtn(100, 200, 7, &v, 3, 0, 0, "Number help.");
    EXPECT_STREQ(mnw.help_message, "Number help.");
    EXPECT_EQ(mnw.help_x1, 100);
    EXPECT_EQ(mnw.help_y2, 180);
    rest(105, 230);
    instdbtn(100, 200, 7, &v, 3, 0, 0, "Number help.");
    EXPECT_STREQ(mnw.help_message, "");
    rest(49, 52);
    inboolbtn(50, 50, &flag, "Switch help.");
    EXPECT_STREQ(mnw.help_message, "Switch help.");
    EXPECT_EQ(mnw.help_y2, 30);
    rest(60, 52);
    inboolbtn(50, 50, &flag, "Switch help.");
    EXPECT_STREQ(mnw.help_message, "");
    EXPECT_EQ(flag, 0);
}

TEST_F(Fields, ChoicesStepAndWrapRound)
{
    // Arrow boxes at x + width = 160 .. 175; upper y+3 .. y+23 steps +1, lower y-17 .. y+3 steps -1.
    struct Case { int n; int start; float cy; int want; };
    const Case cases[] = {
        {2, 0, 115, 1}, {2, 1, 115, 0}, {2, 0, 95, 1}, {2, 1, 95, 0},
        {3, 3, 115, 1}, {3, 1, 95, 3}, {3, 2, 115, 3},
        {4, 4, 115, 1}, {4, 1, 95, 4},
        {5, 5, 115, 1}, {5, 3, 95, 2},
        {6, 6, 115, 1}, {6, 1, 95, 6},
        {3, 2, 103, 1},    // the shared edge y+3 steps down only
        {3, 2, 124, 2},    // above the upper box
        {3, 2, 82, 2},     // below the lower box
        {3, 7, 130, 1},    // out of range without a click: pulled into 1..3
        {2, -3, 130, 1},
    };
    for (const Case& c : cases) {
        int sel = c.start;
        click(167, c.cy);
        switch (c.n) {
        case 2: in2textbtn(100, 100, "no", "yes", 60, &sel); break;
        case 3: in3textbtn(100, 100, "one", "two", "three", 60, &sel); break;
        case 4: in4textbtn(100, 100, "a", "b", "c", "d", 60, &sel); break;
        case 5: in5textbtn(100, 100, "a", "b", "c", "d", "e", 60, &sel); break;
        case 6: in6textbtn(100, 100, "a", "b", "c", "d", "e", "f", 60, &sel); break;
        }
        EXPECT_EQ(sel, c.want) << "n " << c.n << " from " << c.start << " at y " << c.cy;
    }
    int sel = 2;
    click(159, 110);   // left of the arrows
    EXPECT_EQ(in3textbtn(100, 100, "one", "two", "three", 60, &sel), 0);
    EXPECT_EQ(sel, 2);
    click(176, 110);   // right of them
    EXPECT_EQ(in3textbtn(100, 100, "one", "two", "three", 60, &sel), 0);
    click(160, 110);
    EXPECT_EQ(in3textbtn(100, 100, "one", "two", "three", 60, &sel), 1);
    EXPECT_EQ(sel, 3);
}

TEST_F(Fields, IdentifierCellsStepTheirCodeHeldInsideTheCodes)
{
    // Cells 10 wide from x 50: below y+3 steps +1, from y+3 up -1.
    struct Case { const char* start; int cell; float cy; const char* want; int changed; };
    const Case cases[] = {
        {"KLAX", 0, 95, "LLAX", 1},
        {"KLAX", 3, 95, "KLAY", 1},
        {"KLAX", 1, 110, "KKAX", 1},
        {"ZZZZ", 2, 95, "ZZZZ", 0},     // Z is the last code
        {"A000", 0, 110, "9000", 1},    // A steps down to 9
        {"0AAA", 0, 110, " AAA", 1},    // 0 steps down to a blank
        {" AAA", 0, 110, " AAA", 0},    // a blank is the first code
        {"9ABC", 0, 95, "AABC", 1},
        {"KLAX", 0, 103, "JLAX", 1},    // y+3 steps down
        {"KLAX", 0, 86, "LLAX", 1},     // y-14 is inside
        {"KLAX", 0, 85, "KLAX", 0},     // y-15 is not
        {"KLAX", 0, 121, "KLAX", 0},
    };
    for (const Case& c : cases) {
        char s[5];
        std::snprintf(s, sizeof s, "%s", c.start);
        click(50 + 10 * c.cell + 5, c.cy);
        EXPECT_EQ(in4charbtn(50, 100, 47, s), c.changed) << c.start;
        EXPECT_STREQ(s, c.want) << c.start << " cell " << c.cell << " y " << c.cy;
    }
    // Rebuilt every pass: lower case becomes "0" at once; a short text gets blanks, never "0"s
    // read from past its end.
    char s[5] = "lax";
    rest(0, 0);
    in4charbtn(50, 100, 47, s);
    EXPECT_STREQ(s, "000 ");
    char t[5] = {'S', 'F', 0, 'Q', 'Q'};
    in4charbtn(50, 100, 47, t);
    EXPECT_STREQ(t, "SF  ");
    char e[5] = "";
    click(85, 95);
    in4charbtn(50, 100, 47, e);
    EXPECT_STREQ(e, "   0");

    char six[7] = "ABCDEF";
    click(50 + 55, 95);   // the sixth cell
    EXPECT_EQ(in6charbtn(50, 100, 47, six), 1);
    EXPECT_STREQ(six, "ABCDEG");
    click(50 + 60, 95);   // past the last cell
    EXPECT_EQ(in6charbtn(50, 100, 47, six), 0);
    EXPECT_STREQ(six, "ABCDEG");
}

TEST_F(Fields, SwitchesAndRadioButtons)
{
    struct Case { float cx, cy; int toggles; };
    const Case cases[] = {
        {48, 48, 1}, {59, 59, 1}, {53, 53, 1}, {47, 53, 0}, {60, 53, 0}, {53, 47, 0}, {53, 60, 0},
    };
    for (const Case& c : cases) {
        int flag = 0;
        click(c.cx, c.cy);
        EXPECT_EQ(inboolbtn(50, 50, &flag, nullptr), c.toggles) << c.cx << ", " << c.cy;
        EXPECT_EQ(flag, c.toggles);
        click(c.cx, c.cy);
        inboolbtn(50, 50, &flag, nullptr);
        EXPECT_EQ(flag, 0);
    }
    int f = 0;
    click(53, 53);
    inintbtn(50, 50, &f, nullptr);
    EXPECT_EQ(f, 1);
    inintbtn(50, 50, &f, nullptr);
    EXPECT_EQ(f, 0);
    f = 5;   // not 1: shown dark, so a click lights it
    inintbtn(50, 50, &f, nullptr);
    EXPECT_EQ(f, 1);

    int mode = 0;
    const float ys[] = {451, 430, 366};
    for (int v = 0; v < 3; v++) {
        click(25, ys[v] + 5);
        int changed = 0;
        for (int k = 0; k < 3; k++) changed |= inonebool(20, ys[k], &mode, k + 1);
        EXPECT_EQ(mode, v + 1);
        EXPECT_EQ(changed, 1);
    }
    click(25, 371);   // already chosen
    EXPECT_EQ(inonebool(20, 366, &mode, 3), 0);
    click(31, 371);   // just right of the box
    EXPECT_EQ(inonebool(20, 366, &mode, 1), 0);
    EXPECT_EQ(mode, 3);
}

TEST_F(Fields, LampsLitAndDark)
{
    block(10, 10, 1);
    block(30, 10, 0);
    EXPECT_TRUE(pixel_is(13, 13, 49));
    EXPECT_TRUE(pixel_is(33, 13, 51));
    EXPECT_TRUE(pixel_is(10, 14, 46));   // the lit lamp's light edge
    EXPECT_TRUE(pixel_is(37, 13, 52));   // the dark lamp's shadow edge
    EXPECT_TRUE(pixel_is(20, 13, 29));   // nothing between them
    int flag = 1;
    rest(0, 0);
    inboolbtn(100, 10, &flag, nullptr);
    EXPECT_TRUE(pixel_is(103, 13, 49));
    flag = 0;
    inboolbtn(100, 10, &flag, nullptr);
    EXPECT_TRUE(pixel_is(103, 13, 51));
}

class NameList : public Fields {
protected:
    void SetUp() override
    {
        Fields::SetUp();
        for (int i = 0; i < 30; i++) {
            std::snprintf(names_[i], sizeof names_[i], "Airport %d", i);
            std::snprintf(ids_[i], sizeof ids_[i], "K%03d", i);
        }
    }
    // The list's top row at (20, 300): arrows at x 288..302, up y 298..308, down 178..188; the
    // track from y 190 to 296.
    int pass(int* index, int lo, int hi)
    {
        std::memset(rgb_array, 0, sizeof rgb_array);
        return plot_name_list(20, 300, names_, ids_, index, lo, hi);
    }
    char names_[30][40];
    char ids_[30][5];
};

TEST_F(NameList, ArrowsStepAndTheIndexStaysInRange)
{
    int index = 0;
    click(295, 183);
    EXPECT_EQ(pass(&index, 0, 29), 1);
    EXPECT_EQ(index, 1);
    click(295, 303);
    pass(&index, 0, 29);
    click(295, 303);
    EXPECT_EQ(pass(&index, 0, 29), 0);
    EXPECT_EQ(index, 0);
    index = 29;
    click(295, 183);
    pass(&index, 0, 29);
    EXPECT_EQ(index, 29);
    index = 40;   // out of range: pulled in
    rest(0, 0);
    pass(&index, 5, 20);
    EXPECT_EQ(index, 20);
    // An empty list (hi below lo) leaves index at lo and draws nothing.
    index = 7;
    EXPECT_EQ(pass(&index, 0, -1), 0);
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(blank_row(0, 799, 0, 599));
}

TEST_F(NameList, ThumbFollowsTheMouseWhileHeld)
{
    int index = 0;
    // A click on the track's bottom end jumps to the last entry.
    click(295, 197);
    pass(&index, 0, 29);
    EXPECT_EQ(index, 29);
    // Pressed on the track, then dragged off it: the thumb stays grabbed.
    mnw.now_dragging = 1;
    click(295, 289);
    pass(&index, 0, 29);
    EXPECT_EQ(index, 0);
    rest(500, 197);
    pass(&index, 0, 29);
    EXPECT_EQ(index, 29);
    rest(500, 243);
    pass(&index, 0, 29);
    EXPECT_EQ(index, 15);   // halfway between y 289 and 197
    // Released: the mouse no longer moves it.
    mnw.now_dragging = 0;
    rest(500, 289);
    pass(&index, 0, 29);
    EXPECT_EQ(index, 15);
    // Held down elsewhere (not on the track) grabs nothing.
    mnw.now_dragging = 1;
    click(100, 100);
    pass(&index, 0, 29);
    rest(295, 289);
    pass(&index, 0, 29);
    EXPECT_EQ(index, 15);
    mnw.now_dragging = 0;
}

TEST_F(NameList, RowsOutsideTheListStayBlank)
{
    int index = 0;
    rest(0, 0);
    pass(&index, 0, 29);
    // Rows 0..5 (entries -6..-1) are blank, row 6 (entry 0) shows text, inside the frame.
    EXPECT_TRUE(blank_row(20, 280, 250, 307));
    EXPECT_FALSE(blank_row(20, 280, 240, 246));
    index = 29;
    pass(&index, 0, 29);
    EXPECT_FALSE(blank_row(20, 280, 240, 246));
    EXPECT_TRUE(blank_row(20, 280, 180, 236));   // entries 30..35 do not exist
    // Names of a full 40 characters (no end inside the array) print only those 40.
    char full[2][40];
    char id[2][5];
    std::memset(full, 'W', sizeof full);
    std::memset(id, ' ', sizeof id);
    index = 0;
    std::memset(rgb_array, 0, sizeof rgb_array);
    plot_name_list(20, 300, full, id, &index, 0, 0);
    EXPECT_FALSE(blank_row(254, 258, 240, 246));   // the 40th character
    EXPECT_TRUE(blank_row(260, 280, 240, 246));    // and nothing after it
}

}  // namespace
