// model_gltest.cpp -- the aircraft model drawn offscreen and read back: surfaces where the
// projection puts them, paint pictures on them, lights alone at low detail, the wire frame, a
// deflected elevator, and drawing that allocates nothing.
#include "alloc_count.h"
#include "hl_model.h"

#include "hl_graph.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "model_aircraft.h"
#include "plt.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>


namespace {

// The view's half-extents in metres: 16 m across the 800 pixels, 12 m up the 600.
constexpr float VIEW_W = 8.0f, VIEW_H = 6.0f;

class ModelDraw : public ::testing::Test {
protected:
    TempDir dir;
    std::vector<uint8_t> px;

    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        ASSERT_TRUE(PLT_open_window("model test", SCREEN_W, SCREEN_H, 0));
        ogl_ready = 1;
        OGL_forget_state();
        glViewport(0, 0, SCREEN_W, SCREEN_H);
        glDisable(GL_DITHER);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        // Fog far beyond the model, so that it does not darken the pictures.
        glFogi(GL_FOG_MODE, GL_LINEAR);
        glFogf(GL_FOG_START, 1000.0f);
        glFogf(GL_FOG_END, 2000.0f);
        mdl_aircraft((dir.str() + "/Test.acf").c_str());
    }
    void TearDown() override
    {
        ogl_ready = 0;
        OGL_forget_state();
        PLT_close_window();
    }

    // Looks down on the aircraft (top view, nose up the screen) or at its left side (nose left).
    void begin(bool side)
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-VIEW_W, VIEW_W, -VIEW_H, VIEW_H, -50, 50);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        // The light shines from the viewer.
        const float dir_to_light[4] = {0, 0, 1, 0};
        glLightfv(GL_LIGHT0, GL_POSITION, dir_to_light);
        if (side)
            glRotatef(90, 0, 1, 0);
        else
            glRotatef(90, 1, 0, 0);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void read_back()
    {
        glFinish();
        glReadBuffer(GL_BACK);
        px.assign(SCREEN_W * SCREEN_H * 3, 0);
        glReadPixels(0, 0, SCREEN_W, SCREEN_H, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    }
    // The pixel a point of the aircraft's axes falls in: in the top view x right and z down the
    // screen, in the side view z right and y up.
    const uint8_t* top(float x, float z) const
    {
        const int i = (int)((x + VIEW_W) / (2 * VIEW_W) * SCREEN_W), j = (int)((-z + VIEW_H) / (2 * VIEW_H) * SCREEN_H);
        return &px[((size_t)j * SCREEN_W + i) * 3];
    }
    const uint8_t* side(float z, float y) const
    {
        const int i = (int)((z + VIEW_W) / (2 * VIEW_W) * SCREEN_W), j = (int)((y + VIEW_H) / (2 * VIEW_H) * SCREEN_H);
        return &px[((size_t)j * SCREEN_W + i) * 3];
    }
    static bool lit(const uint8_t* p) { return p[0] + p[1] + p[2] > 60; }
    static bool black(const uint8_t* p) { return p[0] + p[1] + p[2] == 0; }
    long lit_count() const
    {
        long n = 0;
        for (size_t i = 0; i < px.size(); i += 3) n += px[i] + px[i + 1] + px[i + 2] > 0;
        return n;
    }
    void paint(const char* suffix, uint8_t r, uint8_t g, uint8_t b)
    {
        std::ofstream f(dir.str() + "/Test" + suffix + ".BMP", std::ios::binary);
        f << bmp_bytes(8, 8, r, g, b);
    }
    // Texture n's size and its first pixel.
    static void texture(int n, int* w, uint8_t rgb[3])
    {
        OGL_forget_state();
        OGL_bindtex(n);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, w);
        std::vector<uint8_t> img(1024 * 1024 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, img.data());
        for (int i = 0; i < 3; i++) rgb[i] = img[i];
    }
};

}  // namespace

TEST_F(ModelDraw, SurfacesLieWhereTheProjectionPutsThem)
{
    load_plane_geo(1, 0, 0);
    begin(false);
    plot_plane(0, 1);
    read_back();
    // Both wings between root and tip, the fuselage, the stabiliser.
    EXPECT_TRUE(lit(top(3.0f, -0.3f)));
    EXPECT_TRUE(lit(top(-3.0f, -0.3f)));
    EXPECT_TRUE(lit(top(5.3f, -0.4f)));
    EXPECT_TRUE(lit(top(0.0f, 2.0f)));
    EXPECT_TRUE(lit(top(1.0f, 4.7f)));
    // Beyond the tips, ahead of the wing's leading edge, behind its trailing edge and beside the tail.
    EXPECT_TRUE(black(top(6.0f, -0.3f)));
    EXPECT_TRUE(black(top(-6.0f, -0.3f)));
    EXPECT_TRUE(black(top(3.0f, -1.6f)));
    EXPECT_TRUE(black(top(3.0f, 0.9f)));
    EXPECT_TRUE(black(top(2.5f, 4.7f)));
    // Symmetric aircraft, symmetric picture.
    int differ = 0;
    for (int j = 0; j < SCREEN_H; j++)
        for (int i = 1; i < SCREEN_W / 2; i++)
            differ += lit(&px[((size_t)j * SCREEN_W + i) * 3]) != lit(&px[((size_t)j * SCREEN_W + SCREEN_W - 1 - i) * 3]);
    EXPECT_LT(differ, 200);
    EXPECT_TRUE(recorded_alerts().empty());
}

// The programs draw with back faces culled and clockwise front faces for their 2-D work: every
// surface must still show its outside. Seen from above with the light behind the viewer, the
// wings', stabiliser's and fuselage's upper surfaces face the light; seen from the left, the fin's
// left face does. The inside of a surface facing away would show the ambient light alone.
// The parts wind either way and the spinning disc is unculled: the model gives back what it found.
TEST_F(ModelDraw, SurfacesShowTheirOutsideWithBackFacesCulled)
{
    load_plane_geo(1, 0, 0);
    flt.tac[0] = 100.0f;
    for (int from_left = 0; from_left <= 1; from_left++) {
        begin(from_left != 0);
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CW);
        plot_plane(0, 1);
        GLint face = 0;
        glGetIntegerv(GL_FRONT_FACE, &face);
        EXPECT_TRUE(face == GL_CW && glIsEnabled(GL_CULL_FACE)) << "the winding and culling it found";
        read_back();
        glDisable(GL_CULL_FACE);
        auto bright = [](const uint8_t* p) { return p[0] + p[1] + p[2] > 300; };
        if (!from_left) {
            EXPECT_TRUE(bright(top(3.0f, -0.3f))) << "right wing";
            EXPECT_TRUE(bright(top(-3.0f, -0.3f))) << "left wing";
            EXPECT_TRUE(bright(top(1.0f, 4.7f))) << "right stabiliser";
            EXPECT_TRUE(bright(top(-1.0f, 4.7f))) << "left stabiliser";
            EXPECT_TRUE(bright(top(0.0f, 2.0f))) << "fuselage";
        } else {
            EXPECT_TRUE(bright(side(4.9f, 1.0f))) << "fin";
            EXPECT_TRUE(bright(side(2.0f, 0.0f))) << "fuselage";
        }
    }
}

// A rotor whose thrust line is canted straight up lies flat: seen from above, its blades (1 m long
// at 180 and 360 degrees round the hub at z = -4, along the disc's y axis) reach ahead of and
// behind the hub. The uncanted propeller stands across the line of flight: from above it is an edge.
TEST_F(ModelDraw, ACantedUpRotorLiesFlat)
{
    glDisable(GL_CULL_FACE);
    struct Case {
        float cant;
        bool seen;
    } cases[] = {{90.0f, true}, {0.0f, false}};
    for (const Case& c : cases) {
        pln[0].vertcant[0] = c.cant;
        load_plane_geo(1, 0, 0);
        begin(false);
        plot_plane(0, 1);
        read_back();
        EXPECT_EQ(lit(top(0.0f, -4.6f)), c.seen) << c.cant;
        EXPECT_EQ(lit(top(0.0f, -4.8f)), c.seen) << c.cant;
    }
}

TEST_F(ModelDraw, PaintPicturesCoverTheirParts)
{
    paint(" wng1", 0, 0, 255);
    paint(" fuse", 255, 0, 0);
    paint(" fuseR", 0, 255, 0);
    paint(" hstb", 255, 255, 0);
    load_plane_geo(1, 0, 0);
    begin(false);
    plot_plane(0, 1);
    read_back();
    const uint8_t* w = top(3.0f, -0.3f);
    EXPECT_GT(w[2], 60);
    EXPECT_EQ(w[0], 0);
    EXPECT_EQ(w[1], 0);
    const uint8_t* h = top(1.0f, 4.7f);
    EXPECT_GT(h[0], 60);
    EXPECT_GT(h[1], 60);
    EXPECT_EQ(h[2], 0);
    // The fuselage's upper half seen from above: the right-hand picture right of the centre line.
    const uint8_t* fr = top(0.3f, 2.0f);
    const uint8_t* fl = top(-0.3f, 2.0f);
    EXPECT_GT(fr[1], 60);
    EXPECT_EQ(fr[0], 0);
    EXPECT_GT(fl[0], 60);
    EXPECT_EQ(fl[1], 0);
}

TEST_F(ModelDraw, MissingPaintFallsBackOrTurnsGrey)
{
    paint(" vst1", 255, 0, 0);
    paint(" fuseR", 0, 255, 0);
    load_plane_geo(1, 0, 0);
    int w = 0;
    uint8_t c[3];
    // No right-hand fin picture: the left one serves under the right-hand number.
    texture(PAINT_VST1R, &w, c);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(c[0], 255);
    EXPECT_EQ(c[1], 0);
    texture(PAINT_VST1, &w, c);
    EXPECT_EQ(c[0], 255);
    // The right-hand fuselage picture is its own.
    texture(PAINT_FUSER, &w, c);
    EXPECT_EQ(c[1], 255);
    EXPECT_EQ(c[0], 0);
    // No wing picture at all: the loader's grey.
    texture(PAINT_WNG1, &w, c);
    EXPECT_EQ(w, 4);
    EXPECT_EQ(c[0], 200);
    EXPECT_EQ(c[1], 200);
    // The second aircraft's paints take the next sixteen numbers.
    std::snprintf(pln[1].C_path, STR_LEN, "%s/Other.acf", dir.str().c_str());
    {
        std::ofstream f(dir.str() + "/Other wng1.BMP", std::ios::binary);
        f << bmp_bytes(16, 16, 0, 0, 255);
    }
    load_plane_geo(1, 0, 1);
    texture(MDL_PAINTS + PAINT_WNG1, &w, c);
    EXPECT_EQ(w, 16);
    texture(PAINT_WNG1, &w, c);
    EXPECT_EQ(w, 4);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(ModelDraw, LowDetailDrawsOnlyTheLights)
{
    load_plane_geo(1, 0, 0);
    begin(false);
    plot_plane(0, 0);
    read_back();
    EXPECT_TRUE(black(top(3.0f, -0.3f)));
    EXPECT_TRUE(black(top(0.0f, 2.0f)));
    // Red on the left tip, green on the right, at the tip's hinge midpoints.
    const uint8_t* l = top(mdl[0].ca_xyz[4][0], mdl[0].ca_xyz[4][2]);
    const uint8_t* r = top(mdl[0].ca_xyz[5][0], mdl[0].ca_xyz[5][2]);
    EXPECT_GT(l[0], 200);
    EXPECT_LT(l[1], 80);
    EXPECT_GT(r[1], 200);
    EXPECT_LT(r[0], 80);
    // Lights are a handful of pixels.
    EXPECT_GT(lit_count(), 3);
    EXPECT_LT(lit_count(), 40);
    // The point size is back to 1 afterwards.
    float size = 0;
    glGetFloatv(GL_POINT_SIZE, &size);
    EXPECT_EQ(size, 1.0f);
}

TEST_F(ModelDraw, WireFrameDrawsGreenLines)
{
    load_plane_geo(1, 0, 0);
    begin(false);
    plot_plane(0, 1);
    read_back();
    const long filled = lit_count();
    mnw.draw_wire = 1;
    begin(false);
    plot_plane(0, 1);
    read_back();
    const long wire = lit_count();
    EXPECT_GT(wire, 500);
    EXPECT_LT(wire, filled * 3 / 4);
    long green = 0, other = 0;
    for (size_t i = 0; i < px.size(); i += 3) {
        if (px[i] + px[i + 1] + px[i + 2] == 0) continue;
        const bool g = px[i + 1] >= 250 && px[i] >= 120 && px[i] <= 135 && px[i + 2] >= 120 && px[i + 2] <= 135;
        (g ? green : other)++;
    }
    // Everything but the lights and tyres is the wire's colour.
    EXPECT_GT(green, wire * 9 / 10);
    // Filling is back on for whatever is drawn next.
    GLint mode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_FILL);
}

TEST_F(ModelDraw, ElevatorTurnsItsTrailingEdgeAboutTheHinge)
{
    load_plane_geo(1, 0, 0);
    // Seen from the side, the box behind the fuselage's end (and its tail light) and below the
    // stabiliser is empty with the elevator level.
    auto below_tail = [&]() {
        long n = 0;
        for (float z = 5.08f; z < 5.3f; z += 0.01f)
            for (float y = 0.0f; y < 0.24f; y += 0.01f) n += !black(side(z, y));
        return n;
    };
    begin(true);
    set_model_pose_from_flight();
    plot_plane(0, 1);
    read_back();
    EXPECT_TRUE(lit(side(4.7f, 0.3f)));
    EXPECT_EQ(below_tail(), 0);
    // Trailing edge 30 degrees down: the elevator's rear hangs into it.
    flt.lhstbdef = flt.rhstbdef = -30.0f;
    set_model_pose_from_flight();
    begin(true);
    plot_plane(0, 1);
    read_back();
    EXPECT_GT(below_tail(), 10);
    // The second aircraft's elevator never moves.
    pln[1] = pln[0];
    afl[1] = afl[0];
    load_plane_geo(0, 0, 1);
    begin(true);
    plot_plane(1, 1);
    read_back();
    EXPECT_EQ(below_tail(), 0);
}

TEST_F(ModelDraw, PropellerShowsBladesWhenSlowAndADiscWhenFast)
{
    load_plane_geo(1, 0, 0);
    // Looking from ahead along the propeller's axis: turn the aircraft nose toward the viewer.
    auto front = [&]() {
        begin(false);
        glLoadIdentity();
        glRotatef(180, 0, 1, 0);
    };
    auto at = [&](float x, float y) {
        const int i = (int)((x + VIEW_W) / (2 * VIEW_W) * SCREEN_W), j = (int)((y + VIEW_H) / (2 * VIEW_H) * SCREEN_H);
        return &px[((size_t)j * SCREEN_W + i) * 3];
    };
    // Two blades at rest point straight up and down (phase 0, frame period 0): nothing beside the hub.
    flt.tac[0] = 0.0f;
    front();
    plot_plane(0, 1);
    read_back();
    EXPECT_TRUE(black(at(0.9f, 0.0f)));
    EXPECT_TRUE(black(at(-0.9f, 0.0f)));
    EXPECT_TRUE(black(at(0.7f, 0.7f)));
    // Spinning fast: a dark translucent disc, darkening a light background on the diagonals too.
    {
        std::ofstream f(dir.str() + "/pdisc.BMP", std::ios::binary);
        f << bmp_bytes(8, 8, 64, 64, 64);
    }
    OGL_texbmp(TEXBMP_PATH, TEX_PDISC, ALPHA_BRIGHT, (dir.str() + "/pdisc").c_str());
    flt.tac[0] = 200.0f;
    front();
    glClearColor(0.8f, 0.8f, 0.8f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    plot_plane(0, 1);
    read_back();
    for (const auto& xy : {std::pair{0.55f, 0.75f}, std::pair{-0.55f, -0.75f}, std::pair{0.9f, 0.0f}}) {
        const uint8_t* q = at(xy.first, xy.second);
        EXPECT_LT(q[0], 190) << xy.first << " " << xy.second;
        EXPECT_GT(q[0], 20) << xy.first << " " << xy.second;
    }
    EXPECT_EQ(at(1.2f, 1.2f)[0], 204);
    // Turning slowly, a quarter turn a frame: after one frame the blades lie across.
    flt.tac[0] = 3.14159265f / 2.0f;
    msc.prd = 1.0f;
    mdl[0].phase[0] = 0.0f;
    front();
    plot_plane(0, 1);
    read_back();
    EXPECT_NEAR(mdl[0].phase[0], 90.0f, 1e-3f);
    EXPECT_FALSE(black(at(0.9f, 0.0f)));
    EXPECT_FALSE(black(at(-0.9f, 0.0f)));
    EXPECT_TRUE(black(at(0.7f, 0.7f)));
    // Seven more quarter turns come round to where they started, kept within 0..360.
    for (int k = 0; k < 7; k++) {
        plot_plane(0, 1);
        EXPECT_GE(mdl[0].phase[0], 0.0f);
        EXPECT_LT(mdl[0].phase[0], 360.0f);
    }
    EXPECT_LT(std::fmin(mdl[0].phase[0], 360.0f - mdl[0].phase[0]), 1e-2f);
}

// Seen from ahead at rest, a propeller shows as many blades as it has, up to the nine its part's
// grid holds: counted round a circle near the tips, on the picture less the same one without it.
TEST_F(ModelDraw, APropellerShowsEachOfItsBlades)
{
    for (int blades : {3, 8, 9}) {
        pln[0].numen = 1;
        pln[0].numblades[0] = (float)blades;
        load_plane_geo(1, 0, 0);
        flt.tac[0] = 0.0f;
        mdl[0].phase[0] = 0.0f;
        auto draw = [&]() {
            begin(false);
            glLoadIdentity();
            glRotatef(180, 0, 1, 0);   // nose toward the viewer
            plot_plane(0, 1);
            read_back();
            return px;
        };
        const std::vector<uint8_t> with = draw();
        pln[0].numen = 0;   // the same aircraft with no propeller at all
        const std::vector<uint8_t> without = draw();
        int runs = 0;
        bool was = false, first = false;
        for (int k = 0; k < 720; k++) {
            const float a = (float)k * 3.14159265f / 360.0f;
            const int i = (int)((0.85f * std::sin(a) + VIEW_W) / (2 * VIEW_W) * SCREEN_W);
            const int j = (int)((0.85f * std::cos(a) + VIEW_H) / (2 * VIEW_H) * SCREEN_H);
            const size_t at = ((size_t)j * SCREEN_W + i) * 3;
            const bool blade = std::abs(with[at] - without[at]) + std::abs(with[at + 1] - without[at + 1]) +
                                   std::abs(with[at + 2] - without[at + 2]) > 30;
            if (k == 0) first = blade;
            if (blade && !was) runs++;
            was = blade;
        }
        if (first && was) runs--;   // a blade across the starting angle is one, not two
        EXPECT_EQ(runs, blades);
    }
}

TEST_F(ModelDraw, WheelsByGearType)
{
    // No fairings and no propeller in front of the wheels, seen from ahead.
    pln[0].fair_eq = 0;
    pln[0].numen = 0;
    auto front = [&]() {
        begin(false);
        glLoadIdentity();
        glRotatef(180, 0, 1, 0);
    };
    auto at = [&](float x, float y) {
        // The front view mirrors x: the aircraft's right is the screen's left.
        const int i = (int)((-x + VIEW_W) / (2 * VIEW_W) * SCREEN_W), j = (int)((y + VIEW_H) / (2 * VIEW_H) * SCREEN_H);
        return &px[((size_t)j * SCREEN_W + i) * 3];
    };
    // Tyre radius 0.25, half-width 0.0875; a pair stands 1.5 half-widths either side of the leg.
    const float y = -1.2f + 0.25f, pair = 1.5f * 0.0875f;
    struct Case {
        int type;
        bool single_main, single_nose;
    };
    for (Case c : {Case{3, true, true}, Case{4, false, false}, Case{5, true, false}, Case{6, false, false}}) {
        SCOPED_TRACE(c.type);
        pln[0].gear_type = c.type;
        load_plane_geo(1, 0, 0);
        front();
        plot_plane(0, 1);
        read_back();
        for (float x : {-1.2f, 1.2f}) {
            EXPECT_EQ(!black(at(x, y)), c.single_main) << x;
            EXPECT_EQ(!black(at(x + pair, y)), !c.single_main) << x;
            EXPECT_EQ(!black(at(x - pair, y)), !c.single_main) << x;
        }
        EXPECT_EQ(!black(at(0.0f, y)), c.single_nose);
        EXPECT_EQ(!black(at(pair, y)), !c.single_nose);
        // The tyre's top and nothing above it.
        EXPECT_FALSE(black(at(1.2f + (c.single_main ? 0.0f : pair), y + 0.22f)));
        EXPECT_TRUE(black(at(1.2f, y + 0.3f)));
    }
    // Without gear down, no wheels.
    pln[0].gear_stat[0] = pln[0].gear_stat[1] = pln[0].gear_stat[2] = 0;
    front();
    plot_plane(0, 1);
    read_back();
    EXPECT_TRUE(black(at(1.2f, y)));
    EXPECT_TRUE(black(at(0.0f, y)));
}

TEST_F(ModelDraw, DrawingAllocatesNothing)
{
    load_plane_geo(1, 0, 0);
    msc.prd = 0.05f;
    pln[1] = pln[0];
    afl[1] = afl[0];
    load_plane_geo(0, 0, 1);
    begin(false);
    auto frames = [&]() {
        for (int k = 0; k < 100; k++) {
            mnw.draw_wire = k % 3 == 0;
            flt.tac[0] = k % 2 ? 100.0f : 5.0f;
            flt.lailndef = (float)(k % 20) - 10.0f;
            flt.flap = (float)(k % 5) / 4.0f;
            set_model_pose_from_flight();
            plot_plane(0, k % 4 != 0);
            plot_plane(1, 1);
        }
    };
    // The first run lets the OpenGL driver build whatever it keeps for each state it meets.
    frames();
    glFinish();
    const long before = counted_allocations();
    frames();
    glFinish();
    EXPECT_EQ(counted_allocations() - before, 0);
}
