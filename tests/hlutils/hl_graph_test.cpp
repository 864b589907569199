// hl_graph_test.cpp -- the drawing calls in array mode: exact pixels in rgb_array, clipping,
// glyphs and numbers, and the colour table's limits.
#include "hl_graph.h"
#include "hl_types.h"
#include "kvglyphs.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

const uint8_t* rows_of(char c) { return pinned_rows(c); }

class ArrayMode : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        std::memset(rgb_array, 0, sizeof rgb_array);
        for (int d = 0; d <= 360; d++) {
            lookup_sin[d] = static_cast<float>(std::sin(d * M_PI / 180.0));
            lookup_cos[d] = static_cast<float>(std::cos(d * M_PI / 180.0));
        }
        OGL_assigncolor(0, 1, 1, 1);
        OGL_assigncolor(8, 1, 0, 0);
        OGL_assigncolor(18, 0.4f, 0.4f, 0.4f);
        OGL_assigncolor(47, 0.2f, 1, 0.2f);
        to_array = 1;
    }
    void TearDown() override { to_array = 0; }
    static bool lit(int x, int y) { return rgb_array[y][x][0] | rgb_array[y][x][1] | rgb_array[y][x][2]; }
    static int count_lit()
    {
        int n = 0;
        for (int y = 0; y < SCREEN_H; y++)
            for (int x = 0; x < SCREEN_W; x++) n += lit(x, y);
        return n;
    }
    // Mismatched dots between a 5 by 7 glyph expected at (x, y) and the array.
    static int glyph_mismatch(int x, int y, const uint8_t rows[7])
    {
        int bad = 0;
        for (int row = 0; row < 7; row++)
            for (int col = 0; col < 5; col++) {
                const bool want = (rows[6 - row] >> (4 - col)) & 1;
                bad += want != lit(x + col, y + row);
            }
        return bad;
    }
};

}  // namespace

TEST_F(ArrayMode, RectangleFillsRoundedHalfOpenBox)
{
    OGL_fillrect(8, 10.4f, 20.6f, 5, 3);   // x from 10 to 15 exclusive, y from 21 to 24 exclusive
    for (int y = 19; y < 26; y++)
        for (int x = 8; x < 17; x++) {
            const bool inside = x >= 10 && x < 15 && y >= 21 && y < 24;
            EXPECT_EQ(lit(x, y), inside) << x << "," << y;
        }
    EXPECT_EQ(rgb_array[22][12][0], 255);
    EXPECT_EQ(rgb_array[22][12][1], 0);
    OGL_fillrect(18, 100, 100, 1, 1);
    EXPECT_EQ(rgb_array[100][100][0], 102);   // 0.4 * 255 rounded
}

TEST_F(ArrayMode, WindowOriginShiftsEverything)
{
    mnw.x = 200;
    mnw.y = 100;
    OGL_fillrect(8, 0, 0, 2, 2);
    OGL_line(0, 10, 10, 10, 10);
    EXPECT_TRUE(lit(200, 100) && lit(201, 101));
    EXPECT_FALSE(lit(0, 0));
    EXPECT_TRUE(lit(210, 110));
}

TEST_F(ArrayMode, LinesPaintBothEnds)
{
    OGL_line(0, 10, 50, 20, 50);
    for (int x = 9; x <= 21; x++) EXPECT_EQ(lit(x, 50), x >= 10 && x <= 20) << x;
    OGL_line(0, 100, 100, 110, 110);   // a diagonal: every step lands near the true line
    for (int k = 0; k <= 10; k++) EXPECT_TRUE(lit(100 + k, 100 + k)) << k;
    OGL_line(0, 300, 300, 300, 300);   // zero length: one point
    EXPECT_TRUE(lit(300, 300));
    OGL_framerect(0, 400, 400, 10, 5);
    EXPECT_TRUE(lit(400, 400) && lit(410, 405) && lit(400, 405) && lit(410, 400) && lit(405, 405));
    EXPECT_FALSE(lit(405, 402));
}

TEST_F(ArrayMode, DrawingOutsideTheArrayIsClipped)
{
    OGL_fillrect(8, -1000, -1000, 5000, 5000);
    EXPECT_EQ(count_lit(), SCREEN_W * SCREEN_H);
    std::memset(rgb_array, 0, sizeof rgb_array);
    OGL_line(0, -50, 300, 900, 300);
    EXPECT_EQ(count_lit(), SCREEN_W);
    OGL_string(0, 795, 598, "WWW", 800, 6);
    OGL_number(0, -20, -3, 123, 3, 0, 6, 1);
    OGL_framecircle(0, 790, 590, 30);
    OGL_arc(0, 5, 5, 10, 12, -90, 400);
    EXPECT_TRUE(lit(795, 598));   // the part of the first W that lies inside
    EXPECT_TRUE(lit(799, 599));   // the circle's edge
}

TEST_F(ArrayMode, GlyphsMatchTheirRows)
{
    const std::string text = "0123456789AMW/-.*='";
    OGL_string(47, 10, 300, text.c_str(), 800, 6);
    for (size_t k = 0; k < text.size(); k++)
        EXPECT_EQ(glyph_mismatch(10 + 6 * static_cast<int>(k), 300, rows_of(text[k])), 0) << text[k];
    EXPECT_EQ(rgb_array[300][11][1], 255);   // the bottom dot of "0"
    EXPECT_EQ(rgb_array[300][11][0], 51);
}

TEST_F(ArrayMode, LowerCaseAndUnknownCharacters)
{
    OGL_string(0, 10, 100, "am", 800, 6);
    EXPECT_EQ(glyph_mismatch(10, 100, rows_of('A')), 0);
    EXPECT_EQ(glyph_mismatch(16, 100, rows_of('M')), 0);
    const char odd[] = {'"', '`', '{', '}', '~', '\x7f', '\x01', static_cast<char>(200), 0};
    OGL_string(0, 10, 200, odd, 800, 6);
    for (int k = 0; k < 8; k++) EXPECT_EQ(glyph_mismatch(10 + 6 * k, 200, rows_of('_')), 0) << k;
}

TEST_F(ArrayMode, StringsWrapAtWordsWhenNarrow)
{
    // Width 25 from x 10: after "AB " the pen is at 28 and "CD" would end at 40, past 35.
    OGL_string(0, 10, 400, "AB CD", 25, 6);
    EXPECT_EQ(glyph_mismatch(10, 400, rows_of('A')), 0);
    EXPECT_EQ(glyph_mismatch(10, 390, rows_of('A')) > 0, true);   // C, not A, on the next line
    EXPECT_TRUE(lit(10, 391) || lit(11, 390));
    int above = 0;
    for (int x = 28; x < 45; x++)
        for (int y = 400; y < 407; y++) above += lit(x, y);
    EXPECT_EQ(above, 0);

    // At width 800 nothing wraps, and the line break is skipped.
    std::memset(rgb_array, 0, sizeof rgb_array);
    OGL_string(0, 10, 400, "AB\nCD", 800, 6);
    EXPECT_EQ(glyph_mismatch(10, 400, rows_of('A')), 0);
    EXPECT_GT(glyph_mismatch(22, 400, rows_of('_')), 0);
    int below = 0;
    for (int y = 380; y < 400; y++)
        for (int x = 0; x < 60; x++) below += lit(x, y);
    EXPECT_EQ(below, 0);

    // A word longer than the width takes a line of its own and overflows it.
    std::memset(rgb_array, 0, sizeof rgb_array);
    OGL_string(0, 10, 400, "A MMMMMMMM", 30, 6);
    EXPECT_EQ(glyph_mismatch(10, 390, rows_of('M')), 0);
    EXPECT_EQ(glyph_mismatch(10 + 6 * 7, 390, rows_of('M')), 0);

    // With wrapping on, a line break starts a new line.
    std::memset(rgb_array, 0, sizeof rgb_array);
    OGL_string(0, 10, 400, "A\nA", 100, 6);
    EXPECT_EQ(glyph_mismatch(10, 400, rows_of('A')), 0);
    EXPECT_EQ(glyph_mismatch(10, 390, rows_of('A')), 0);
}

// Where each character of a number's picture sits: a list of (x offset, character).
struct NumberCase {
    float value;
    int places, decimals, sign;
    std::vector<std::pair<float, char>> glyphs;
};

TEST_F(ArrayMode, NumbersInFixedPlaces)
{
    const NumberCase cases[] = {
        {5, 3, 0, 0, {{0, '0'}, {6, '0'}, {12, '5'}}},
        {2.25f, 3, 1, 0, {{0, '0'}, {6, '2'}, {9, '.'}, {12, '3'}}},
        {-42, 2, 0, 1, {{-6, '-'}, {0, '4'}, {6, '2'}}},
        {1234567, 7, 0, 0, {{0, '1'}, {6, '2'}, {12, '3'}, {18, '4'}, {24, '5'}, {30, '6'}, {36, '7'}}},
        {0.5f, 2, 2, 0, {{-3, '.'}, {0, '5'}, {6, '0'}}},
    };
    for (const auto& c : cases) {
        std::memset(rgb_array, 0, sizeof rgb_array);
        OGL_number(0, 100, 300, c.value, c.places, c.decimals, 6, c.sign);
        int total = 0;
        for (const auto& g : c.glyphs) {
            if (g.second == '.') {   // the point shares its cell with the digits beside it
                EXPECT_TRUE(lit(100 + static_cast<int>(g.first) + 2, 300)) << c.value;
                total++;
                continue;
            }
            EXPECT_EQ(glyph_mismatch(100 + static_cast<int>(g.first), 300, rows_of(g.second)), 0)
                << c.value << " '" << g.second << "'";
            for (int r = 0; r < 7; r++) total += __builtin_popcount(rows_of(g.second)[r]);
        }
        EXPECT_EQ(count_lit(), total) << c.value;   // nothing else drawn
    }
}

TEST_F(ArrayMode, NegativeZeroShowsNoSign)
{
    OGL_number(0, 100, 300, -0.01f, 2, 0, 6, 1);
    EXPECT_EQ(glyph_mismatch(100, 300, rows_of('0')), 0);
    for (int x = 94; x < 99; x++) EXPECT_FALSE(lit(x, 303)) << x;
}

TEST_F(ArrayMode, TooBigShowsThreeDigitsAndARaisedPower)
{
    OGL_number(0, 100, 300, 12345, 4, 0, 6, 0);
    EXPECT_EQ(glyph_mismatch(100, 300, rows_of('1')), 0);
    EXPECT_TRUE(lit(105, 300));   // the point, half a place after the 1
    EXPECT_EQ(glyph_mismatch(106, 300, rows_of('2')), 0);
    EXPECT_EQ(glyph_mismatch(112, 300, rows_of('3')), 0);
    // The raised 4: three dots wide, five rows high, its bottom two rows above the baseline.
    int dots = 0;
    for (int x = 118; x < 121; x++) {
        EXPECT_FALSE(lit(x, 300) || lit(x, 301)) << x;
        for (int y = 302; y < 307; y++) dots += lit(x, y);
    }
    EXPECT_GT(dots, 5);
    EXPECT_FALSE(lit(118, 307));

    // Values too wide only by their decimals keep their digits: 12.345 in 3 places with 2
    // decimals shows 1.23 raised 1.
    std::memset(rgb_array, 0, sizeof rgb_array);
    OGL_number(0, 100, 300, 12.345f, 3, 2, 6, 0);
    EXPECT_EQ(glyph_mismatch(100, 300, rows_of('1')), 0);
    EXPECT_EQ(glyph_mismatch(106, 300, rows_of('2')), 0);
    EXPECT_EQ(glyph_mismatch(112, 300, rows_of('3')), 0);
}

TEST_F(ArrayMode, NonsenseValuesDrawSomethingBounded)
{
    const float values[] = {1e30f, -1e38f, std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::quiet_NaN()};
    for (float v : values) {
        std::memset(rgb_array, 0, sizeof rgb_array);
        OGL_number(0, 100, 300, v, 3, 2, 6, 1);
        int n = count_lit();
        EXPECT_GT(n, 0) << v;
        EXPECT_LT(n, 4 * 35 + 15) << v;
    }
}

// Whatever its size past every display, a value reads as the largest one: 9.99 raised 9. With six
// decimals too, where the digits counted would pass 64 bits.
TEST_F(ArrayMode, ValuesPastEveryDisplayReadAsTheLargest)
{
    const float values[] = {2e10f, 1e15f, 1e30f, 3e38f, std::numeric_limits<float>::infinity()};
    for (int decimals : {0, 2, 6})
        for (float v : values) {
            std::memset(rgb_array, 0, sizeof rgb_array);
            OGL_number(0, 100, 300, v, 3, decimals, 6, 0);
            EXPECT_EQ(glyph_mismatch(100, 300, rows_of('9')), 0) << v << " with " << decimals;
            EXPECT_EQ(glyph_mismatch(106, 300, rows_of('9')), 0) << v << " with " << decimals;
            EXPECT_EQ(glyph_mismatch(112, 300, rows_of('9')), 0) << v << " with " << decimals;
        }
}

TEST_F(ArrayMode, CircleAndArcOutlines)
{
    OGL_framecircle(0, 400, 300, 20);
    EXPECT_TRUE(lit(400, 280) && lit(400, 320) && lit(380, 300) && lit(420, 300));
    EXPECT_FALSE(lit(400, 300));
    std::memset(rgb_array, 0, sizeof rgb_array);
    OGL_arc(0, 400, 300, 20, 22, 0, 90);   // clockwise from straight up to the right
    EXPECT_TRUE(lit(400, 320) && lit(400, 322) && lit(420, 300) && lit(422, 300));
    EXPECT_FALSE(lit(380, 300));
    EXPECT_FALSE(lit(400, 280));
    std::memset(rgb_array, 0, sizeof rgb_array);
    OGL_arc(0, 400, 300, 20, 22, 90, 0);   // a1 > a2: nothing
    EXPECT_EQ(count_lit(), 0);
    OGL_arc(0, 400, 300, 20, 20, -100, -80);   // negative angles wrap: through straight left
    EXPECT_TRUE(lit(380, 300));
}

TEST(ColourTable, EntriesAndTheFatalLimit)
{
    clear_recorded_alerts();
    EXPECT_EQ(OGL_assigncolor(79, 0.1f, 0.2f, 0.3f), 237);
    EXPECT_FLOAT_EQ(col_rgb[79][2], 0.3f);
    EXPECT_EQ(OGL_assigncolor(0, 1, 1, 1), 0);
    EXPECT_THROW(OGL_assigncolor(80, 1, 1, 1), FatalAlert);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].l1, "too many colors!");
    EXPECT_EQ(recorded_alerts()[0].code, 2004);
    EXPECT_THROW(OGL_assigncolor(-1, 1, 1, 1), FatalAlert);
}
