// atc_gltest.cpp -- the options menu drawn on a real OpenGL context: the offered lines in their
// colours, the hidden ones left out, the line under the mouse framed, and the sub-level's names in
// their column; the frame is read back before the swap.
#include "atc_world.h"
#include "hl_graph.h"
#include "plt.h"

#include <GL/gl.h>

#include <vector>

namespace {

constexpr int COLOR_AVAILABLE = 46, COLOR_SUGGESTED = 41, COLOR_FRAME = 38;

class MenuScreen : public AtcWorld {
protected:
    std::vector<uint8_t> px;

    void SetUp() override
    {
        AtcWorld::SetUp();
        hl_fill_colors();
        ASSERT_TRUE(PLT_open_window("atc menu test", SCREEN_W, SCREEN_H, 0));
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
    }
    void TearDown() override
    {
        ogl_ready = 0;
        OGL_forget_state();
        PLT_close_window();
    }
    // Draws the menu as a frame would, with the mouse at (mx, my), and reads the frame back.
    void draw(float mx, float my)
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        atc.menu_up = 1;
        mnw.mx = mx;
        mnw.my = my;
        plot_atc_options(0);
        glFinish();
        glReadBuffer(GL_BACK);
        px.assign(static_cast<size_t>(SCREEN_W) * SCREEN_H * 3, 0);
        glReadPixels(0, 0, SCREEN_W, SCREEN_H, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    }
    bool has_color(int x, int y, int k) const
    {
        const uint8_t* p = &px[(static_cast<size_t>(y) * SCREEN_W + x) * 3];
        for (int c = 0; c < 3; c++)
            if (std::abs(p[c] - static_cast<int>(std::lround(col_rgb[k][c] * 255.0f))) > 2) return false;
        return true;
    }
    // Pixels of colour k in the box x0 <= x < x1, y0 <= y < y1; k < 0 counts every lit pixel.
    int count(int x0, int y0, int x1, int y1, int k) const
    {
        int n = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) {
                const uint8_t* p = &px[(static_cast<size_t>(y) * SCREEN_W + x) * 3];
                if (k < 0 ? (p[0] | p[1] | p[2]) != 0 : has_color(x, y, k)) n++;
            }
        return n;
    }
    // The glyph band of main-list row r: its 7 dot rows starting at y 538 - 10 r.
    int row_pixels(int r, int x1, int k) const
    {
        int y = 538 - 10 * r;
        return count(12, y, x1, y + 7, k);
    }
};

TEST_F(MenuScreen, MainListShowsOfferedLinesInTheirColours)
{
    place(34.5f, -117.5f, 430, 0, 0, 1);   // on the ground at Kestrova, no plan, nothing said yet
    draw(100, 547 - 10 * 9 - 5);          // the mouse on row 9
    // "File flight plan" is the suggested call; "Get ATIS..." and the taxi line are offered.
    EXPECT_GT(row_pixels(0, 12 + 6 * 16, COLOR_SUGGESTED), 40);
    EXPECT_EQ(row_pixels(0, 12 + 6 * 16, COLOR_AVAILABLE), 0);
    EXPECT_GT(row_pixels(2, 12 + 6 * 11, COLOR_AVAILABLE), 20);
    EXPECT_GT(row_pixels(9, 12 + 6 * 30, COLOR_AVAILABLE), 60);
    EXPECT_GT(row_pixels(18, 12 + 6 * 25, COLOR_AVAILABLE), 60);
    // Hidden: amend, pick up, close, check-in, say again, and the airborne requests.
    for (int r : {1, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 17})
        EXPECT_EQ(row_pixels(r, 400, -1), 0) << "row " << r;
    // Row 9 is framed: its left edge at x 9, from y 536 - 90 up 10 units; row 2's is not.
    EXPECT_TRUE(has_color(9, 538 - 90 + 3, COLOR_FRAME));
    EXPECT_FALSE(has_color(9, 538 - 20 + 3, COLOR_FRAME));

    // Airborne the requests appear and the ground lines go.
    place(34.6f, -117.5f, 3000, 0, 120, 0);
    draw(100, 547 - 10 * 13 - 5);
    for (int r : {11, 12, 13, 14, 16}) EXPECT_GT(row_pixels(r, 400, COLOR_AVAILABLE), 40) << "row " << r;
    for (int r : {9, 10}) EXPECT_EQ(row_pixels(r, 400, -1), 0) << "row " << r;
    EXPECT_TRUE(has_color(9, 538 - 130 + 3, COLOR_FRAME));
}

TEST_F(MenuScreen, SubLevelListsNamesInColumnsAndFramesTheOneUnderTheMouse)
{
    place(34.6f, -117.5f, 3000, 0, 120, 0);
    atc.menu_level = 1;   // the towered airports: Kestrova Municipal, Brookfield Regional
    draw(17 + 20, 547 - 10 * 1 - 5);
    EXPECT_GT(row_pixels(0, 12 + 6 * 18, COLOR_AVAILABLE), 60);
    EXPECT_GT(row_pixels(1, 12 + 6 * 19, COLOR_AVAILABLE), 60);
    EXPECT_EQ(row_pixels(2, 400, -1), 0);   // Cedar Flats has no tower
    EXPECT_EQ(count(160, 300, 800, 560, -1), 0);   // one column only
    EXPECT_TRUE(has_color(9, 538 - 10 + 3, COLOR_FRAME));
    EXPECT_FALSE(has_color(9, 538 + 3, COLOR_FRAME));

    // Forty more airports: 43 in all fill columns of 20 from x 12, 162 and 312.
    apt_wrl_max = 3 + 40;
    rwy_wrl_max = apt_wrl_max;
    for (int a = 4; a <= apt_wrl_max; a++) {
        char id[8], name[16];
        std::snprintf(id, sizeof id, "K%03d", a);
        std::snprintf(name, sizeof name, "Field %d", a);
        airport(a, id, name, 1, 0, 35.5f, -116.0f, 9, 90);
    }
    atc.menu_level = 4;
    draw(17 + 150 + 20, 547 - 10 * 0 - 5);
    EXPECT_GT(count(162, 538, 162 + 6 * 8, 545, COLOR_AVAILABLE), 30);      // entry 20
    EXPECT_GT(count(162, 538 - 190, 162 + 6 * 8, 545 - 190, COLOR_AVAILABLE), 30);   // entry 39
    EXPECT_GT(count(312, 518, 312 + 6 * 8, 545, COLOR_AVAILABLE), 60);   // entries 40..42 in column 2
    EXPECT_EQ(count(312, 300, 800, 516, -1), 0);
    EXPECT_GT(count(12, 538 - 190, 12 + 6 * 8, 545 - 190, COLOR_AVAILABLE), 30);
    EXPECT_TRUE(has_color(159, 538 + 3, COLOR_FRAME));
}

}  // namespace
