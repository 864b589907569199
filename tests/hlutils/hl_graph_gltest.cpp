// hl_graph_gltest.cpp -- the drawing calls and the bitmap loader on a real OpenGL context: the
// frame is read back before the swap and checked pixel by pixel.
#include "hl_graph.h"
#include "hl_tex.h"

#include "bmp_writer.h"
#include "hl_types.h"
#include "kvtest.h"
#include "plt.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

// One 800 by 600 window with the logical screen's projection, the colour table entries the tests
// use, and a read-back of the back buffer.
class DrawScreen : public ::testing::Test {
protected:
    std::vector<uint8_t> px;

    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        ASSERT_TRUE(PLT_open_window("draw test", SCREEN_W, SCREEN_H, 0));
        int w = 0, h = 0;
        PLT_drawable_size(&w, &h);
        ASSERT_EQ(w, SCREEN_W);
        ASSERT_EQ(h, SCREEN_H);
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
        OGL_assigncolor(0, 1, 1, 1);
        OGL_assigncolor(7, 0, 1, 0);
        OGL_assigncolor(8, 1, 0, 0);
        OGL_assigncolor(10, 0, 0, 1);
        OGL_assigncolor(18, 0.4f, 0.4f, 0.4f);
        OGL_assigncolor(38, 1, 1, 1);
        OGL_assigncolor(47, 0.2f, 1, 0.2f);
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
    uint32_t at(int x, int y) const
    {
        const uint8_t* p = &px[(static_cast<size_t>(y) * SCREEN_W + x) * 3];
        return rgb(p[0], p[1], p[2]);
    }
    bool lit(int x, int y) const { return at(x, y) != 0; }
    // Mismatched dots of a 5 by 7 glyph at (x, y), rows top first, left column the highest bit.
    int glyph_mismatch(int x, int y, const uint8_t rows[7]) const
    {
        int bad = 0;
        for (int row = 0; row < 7; row++)
            for (int col = 0; col < 5; col++) bad += (((rows[6 - row] >> (4 - col)) & 1) != 0) != lit(x + col, y + row);
        return bad;
    }
};

const uint8_t kA[7] = {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11};
const uint8_t kM[7] = {0x11, 0x1B, 0x15, 0x11, 0x11, 0x11, 0x11};
const uint8_t k0[7] = {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E};
const uint8_t k2[7] = {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F};
const uint8_t k3[7] = {0x0E, 0x11, 0x01, 0x06, 0x01, 0x11, 0x0E};
const uint8_t k5[7] = {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E};
const uint8_t k1[7] = {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x04};
const uint8_t kW[7] = {0x11, 0x11, 0x11, 0x11, 0x15, 0x1B, 0x11};
const uint8_t kMinus[7] = {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00};

}  // namespace

TEST_F(DrawScreen, FilledRectangleCoversItsPixels)
{
    OGL_fillrect(8, 100, 200, 50, 20);
    read_back();
    for (int y = 201; y < 220; y++)
        for (int x = 101; x < 150; x++) ASSERT_EQ(at(x, y), rgb(255, 0, 0)) << x << "," << y;
    // Each edge row or column lies on the box's edge: exactly one of the two is filled.
    EXPECT_NE(at(100, 210) == rgb(255, 0, 0), at(150, 210) == rgb(255, 0, 0));
    EXPECT_NE(at(120, 200) == rgb(255, 0, 0), at(120, 220) == rgb(255, 0, 0));
    EXPECT_FALSE(lit(99, 210));
    EXPECT_FALSE(lit(151, 210));
    EXPECT_FALSE(lit(120, 199));
    EXPECT_FALSE(lit(120, 221));
}

TEST_F(DrawScreen, LinesLightBothEnds)
{
    OGL_line(7, 200, 300, 300, 300);
    OGL_line(10, 400, 100, 400, 150);
    OGL_framerect(0, 500, 400, 20, 10);
    read_back();
    for (int x = 200; x <= 300; x++) ASSERT_EQ(at(x, 300), rgb(0, 255, 0)) << x;
    EXPECT_FALSE(lit(199, 300));
    EXPECT_FALSE(lit(301, 300));
    EXPECT_FALSE(lit(250, 299));
    EXPECT_FALSE(lit(250, 301));
    for (int y = 100; y <= 150; y++) ASSERT_EQ(at(400, y), rgb(0, 0, 255)) << y;
    EXPECT_FALSE(lit(400, 151));
    EXPECT_EQ(at(500, 400), rgb(255, 255, 255));
    EXPECT_EQ(at(520, 410), rgb(255, 255, 255));
    EXPECT_EQ(at(510, 410), rgb(255, 255, 255));
    EXPECT_EQ(at(520, 405), rgb(255, 255, 255));
    EXPECT_FALSE(lit(510, 405));
}

TEST_F(DrawScreen, WindowOriginAndPanelTint)
{
    mnw.x = 200;
    mnw.y = 100;
    OGL_fillrect(18, 0, 0, 10, 10);
    ins.r_rat = 1.0f;
    ins.g_rat = 0.5f;
    ins.b_rat = 0.25f;
    OGL_fillrect(0, 50, 0, 10, 10);    // a panel colour: tinted
    OGL_fillrect(38, 100, 0, 10, 10);  // not tinted
    read_back();
    EXPECT_EQ(at(205, 105), rgb(102, 102, 102));
    EXPECT_FALSE(lit(5, 5));
    const uint32_t tinted = at(255, 105);
    EXPECT_EQ(tinted >> 16, 255u);
    EXPECT_NEAR(static_cast<int>((tinted >> 8) & 255), 128, 1);
    EXPECT_NEAR(static_cast<int>(tinted & 255), 64, 1);
    EXPECT_EQ(at(305, 105), rgb(255, 255, 255));
}

TEST_F(DrawScreen, StringDotsWhereTheTextGoes)
{
    mnw.x = 10;
    mnw.y = 20;
    OGL_string(47, 90, 480, "AM W", 800, 6);
    read_back();
    EXPECT_EQ(glyph_mismatch(100, 500, kA), 0);
    EXPECT_EQ(glyph_mismatch(106, 500, kM), 0);
    EXPECT_EQ(glyph_mismatch(118, 500, kW), 0);
    EXPECT_EQ(at(100, 503), rgb(51, 255, 51));   // A's cross-bar, colour 47
    int stray = 0;
    for (int y = 490; y < 515; y++)
        for (int x = 90; x < 130; x++)
            if (lit(x, y) && !(y >= 500 && y < 507 && x >= 100 && x < 123)) stray++;
    EXPECT_EQ(stray, 0);
}

TEST_F(DrawScreen, NumbersWhereThePlacesGo)
{
    OGL_number(0, 100, 300, 5, 3, 0, 6, 0);
    OGL_number(0, 100, 200, 2.25f, 3, 1, 6, 0);
    OGL_number(0, 100, 100, -0.01f, 1, 0, 6, 1);
    OGL_number(0, 300, 100, -5, 1, 0, 6, 1);
    OGL_number(0, 300, 300, 12345, 4, 0, 6, 0);
    read_back();
    // "005"
    EXPECT_EQ(glyph_mismatch(100, 300, k0), 0);
    EXPECT_EQ(glyph_mismatch(106, 300, k0), 0);
    EXPECT_EQ(glyph_mismatch(112, 300, k5), 0);
    // "02.3": the point half a place after the 2, taking no place
    EXPECT_EQ(glyph_mismatch(100, 200, k0), 0);
    EXPECT_EQ(glyph_mismatch(106, 200, k2), 0);
    EXPECT_TRUE(lit(111, 200));
    EXPECT_EQ(glyph_mismatch(112, 200, k3), 0);
    // -0.01 rounds to 0: a space, not a minus
    EXPECT_EQ(glyph_mismatch(100, 100, k0), 0);
    for (int x = 94; x < 99; x++) EXPECT_FALSE(lit(x, 103));
    EXPECT_EQ(glyph_mismatch(294, 100, kMinus), 0);
    // 12345 in four places: 1.23 with a raised 4
    EXPECT_EQ(glyph_mismatch(300, 300, k1), 0);
    EXPECT_TRUE(lit(305, 300));
    EXPECT_EQ(glyph_mismatch(306, 300, k2), 0);
    EXPECT_EQ(glyph_mismatch(312, 300, k3), 0);
    int raised = 0;
    for (int x = 318; x < 321; x++)
        for (int y = 302; y < 307; y++) raised += lit(x, y);
    EXPECT_GT(raised, 5);
    EXPECT_FALSE(lit(318, 300) || lit(319, 300) || lit(320, 300));
}

TEST_F(DrawScreen, StateCacheFollowsTheSwitches)
{
    OGL_setstate(1, 1, 1, 1);
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    OGL_setstate(0, 1, 0, 0);
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    OGL_bindtex(77);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 77);
    OGL_setstate(0, 0, 0, 0);
}

// A bitmap the test writes, loaded as a texture and drawn on a quad.
TEST_F(DrawScreen, LoadedBitmapDrawnAsTexture)
{
    TempDir dir;
    BmpSpec s;
    s.width = 4;
    s.height = 4;
    const uint32_t colours[4] = {rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255), rgb(255, 255, 0)};
    s.pixel = [&](int x, int y) { return colours[(x / 2) + 2 * (y / 2)]; };   // four 2 by 2 blocks
    const std::string path = dir.write("quad.BMP", make_bmp(s));
    const std::string base = path.substr(0, path.size() - 4);
    // Texture 129 is drawn with nearest filtering and never reduced.
    ASSERT_EQ(OGL_texbmp(TEXBMP_PATH, 129, 0, base.c_str()), 1);

    glColor3f(1, 1, 1);
    OGL_setstate(0, 1, 0, 0);
    OGL_bindtex(129);
    OGL_2dquad(100, 100, 100, 164, 164, 164, 164, 100, 0, 0, 0, 1, 1, 1, 1, 0);
    OGL_setstate(0, 0, 0, 0);
    read_back();
    // Each block of the picture covers 32 by 32 pixels of the quad, bottom row first.
    EXPECT_EQ(at(110, 110), colours[0]);
    EXPECT_EQ(at(150, 110), colours[1]);
    EXPECT_EQ(at(110, 150), colours[2]);
    EXPECT_EQ(at(150, 150), colours[3]);
    EXPECT_FALSE(lit(99, 110));
    EXPECT_FALSE(lit(110, 165));

    // What OpenGL holds is the picture, row for row.
    uint8_t back[4 * 4 * 3];
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, back);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 4; x++) {
            const uint8_t* p = back + (y * 4 + x) * 3;
            EXPECT_EQ(rgb(p[0], p[1], p[2]), s.pixel(x, y)) << x << "," << y;
        }
}

TEST_F(DrawScreen, MissingTextureIsGrey)
{
    EXPECT_EQ(OGL_texbmp(TEXBMP_PATH, 2005, 0, "/no/such/picture"), 0);
    glColor3f(1, 1, 1);
    OGL_setstate(0, 1, 0, 0);
    OGL_bindtex(2005);
    OGL_2dquad(10, 10, 10, 30, 30, 30, 30, 10, 0, 0, 0, 1, 1, 1, 1, 0);
    OGL_setstate(0, 0, 0, 0);
    read_back();
    EXPECT_EQ(at(20, 20), rgb(200, 200, 200));
    GLint w = 0;
    OGL_bindtex(2005);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    EXPECT_EQ(w, 4);
}

TEST_F(DrawScreen, TerrainTextureGetsEveryMipmapLevel)
{
    TempDir dir;
    BmpSpec s;
    s.width = s.height = 16;
    s.pixel = [](int x, int y) { return rgb(16 * x, 16 * y, (x + y) % 2 ? 200 : 100); };
    const std::string path = dir.write("terr.BMP", make_bmp(s));
    ASSERT_EQ(OGL_texbmp(TEXBMP_PATH, 54, ALPHA_TERRAIN, path.substr(0, path.size() - 4).c_str()), 1);
    OGL_bindtex(54);
    for (int level = 0; level <= 4; level++) {
        GLint w = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
        EXPECT_EQ(w, 16 >> level) << level;
    }
    // Level 1: each pixel the truncated mean of a 2 by 2 block.
    uint8_t l1[8 * 8 * 3];
    glGetTexImage(GL_TEXTURE_2D, 1, GL_RGB, GL_UNSIGNED_BYTE, l1);
    EXPECT_EQ(l1[0], (0 + 16 + 0 + 16) / 4);
    EXPECT_EQ(l1[1], (0 + 0 + 16 + 16) / 4);
    EXPECT_EQ(l1[2], (100 + 200 + 200 + 100) / 4);
    GLint min = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
    EXPECT_EQ(min, GL_LINEAR_MIPMAP_LINEAR);
}

namespace {

// Fills texture 500 + col + 7 * row with one colour per tile, so the frame shows which tile went where.
uint32_t tile_colour(int col, int row) { return rgb(40 * col + 10, 50 * row + 10, 99); }

void make_tiles()
{
    static uint8_t buf[128 * 128 * 3];
    for (int row = 0; row < 5; row++)
        for (int col = 0; col < 7; col++) {
            const uint32_t c = tile_colour(col, row);
            for (int k = 0; k < 128 * 128; k++) {
                buf[3 * k] = static_cast<uint8_t>(c >> 16);
                buf[3 * k + 1] = static_cast<uint8_t>(c >> 8);
                buf[3 * k + 2] = static_cast<uint8_t>(c);
            }
            OGL_bindtex(TEX_PANEL_TILE + col + 7 * row);
            glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 128, 128, 0, GL_RGB, GL_UNSIGNED_BYTE, buf);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        }
}

}  // namespace

TEST_F(DrawScreen, PanelBackgroundTiles)
{
    make_tiles();
    ins.r_rat = ins.g_rat = ins.b_rat = 1.0f;

    // Start-up or an open window: the whole screen, tile (i, j) at 128 i, 128 j.
    initing = 1;
    OGL_plot_background();
    read_back();
    EXPECT_EQ(at(10, 10), tile_colour(0, 0));
    EXPECT_EQ(at(130, 10), tile_colour(1, 0));
    EXPECT_EQ(at(10, 130), tile_colour(0, 1));
    EXPECT_EQ(at(799, 599), tile_colour(6, 4));
    EXPECT_EQ(at(700, 520), tile_colour(5, 4));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

    // The panel below the outside view and the status strip at the top; an aeroplane's panel
    // runs to the right edge.
    initing = 0;
    mnw.topwin = 0;
    glClear(GL_COLOR_BUFFER_BIT);
    OGL_plot_background();
    read_back();
    EXPECT_EQ(at(10, 10), tile_colour(0, 0));
    EXPECT_EQ(at(650, 100), tile_colour(5, 0));
    EXPECT_EQ(at(300, 320), tile_colour(2, 2));
    EXPECT_EQ(at(750, 100), tile_colour(5, 0));
    EXPECT_EQ(at(780, 100), tile_colour(6, 0));
    EXPECT_EQ(at(300, 570), tile_colour(2, 4));
    EXPECT_EQ(at(700, 595), tile_colour(5, 4));
    EXPECT_FALSE(lit(300, 340));
    EXPECT_FALSE(lit(300, 555));

    // A helicopter's stops at 700, where its lever strip ends.
    pln[0].is_heli = 1;
    glClear(GL_COLOR_BUFFER_BIT);
    OGL_plot_background();
    read_back();
    EXPECT_EQ(at(650, 100), tile_colour(5, 0));
    EXPECT_FALSE(lit(720, 100));
    EXPECT_FALSE(lit(780, 100));

    // A full-screen view keeps only the status strip.
    set.view_is_fullscreen = 1;
    glClear(GL_COLOR_BUFFER_BIT);
    OGL_plot_background();
    read_back();
    EXPECT_FALSE(lit(100, 100));
    EXPECT_FALSE(lit(100, 300));
    EXPECT_EQ(at(100, 570), tile_colour(0, 4));
}

TEST_F(DrawScreen, CircleAndArc)
{
    for (int d = 0; d <= 360; d++) {
        lookup_sin[d] = static_cast<float>(std::sin(d * M_PI / 180.0));
        lookup_cos[d] = static_cast<float>(std::cos(d * M_PI / 180.0));
    }
    OGL_framecircle(0, 200, 200, 30);
    OGL_arc(8, 500, 300, 40, 41, 0, 90);
    read_back();
    EXPECT_TRUE(lit(200, 170) && lit(200, 230) && lit(170, 200) && lit(230, 200));
    EXPECT_FALSE(lit(200, 200));
    EXPECT_EQ(at(500, 340), rgb(255, 0, 0));   // straight up
    EXPECT_EQ(at(540, 300), rgb(255, 0, 0));   // a quarter turn clockwise
    EXPECT_FALSE(lit(460, 300));
    EXPECT_FALSE(lit(500, 260));
}

TEST_F(DrawScreen, ThreeDQuadsCarryNormalAndTexture)
{
    const float p1[3] = {0, 0, 0}, p2[3] = {0, 0, -10}, p3[3] = {10, 0, -10}, p4[3] = {10, 0, 0};
    OGL_3dquad_st(p1, p2, p3, p4, 321, 0, 0, 1, 1);
    GLfloat n[4];
    glGetFloatv(GL_CURRENT_NORMAL, n);
    // (p3 - p2) x (p2 - p1) for a level quad points straight up or down.
    EXPECT_NEAR(std::fabs(n[1]), 1.0f, 1e-6);
    EXPECT_NEAR(n[0], 0.0f, 1e-6);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 321);
    OGL_3dquad_flat(p1, p2, p3, p4, 322, 0, 0, 5, 5);
    GLfloat st[4];
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, st);
    EXPECT_FLOAT_EQ(st[0], 2.0f);   // the last corner (10, 0): (10 - 0) / 5
    EXPECT_FLOAT_EQ(st[1], 0.0f);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 322);
}
