// hw_preview_gltest.cpp -- the preview of every bundled aircraft drawn offscreen from above: its
// outline lies where its geometry and the preview's projection put it, read back at a few pixels;
// and the preview's background, offsets and wire frame.
#include "hl_drplane.h"
#include "hl_mnw.h"
#include "hl_model.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hullwright.h"
#include "hw_local.h"
#include "kvscreen.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
const std::string kProgram = std::string(KV_PROGRAM_DIR) + "/";
constexpr float DEG = 3.14159265f / 180.0f;

class Preview : public ScreenTest {
protected:
    TempDir cfg_;
    Frame frame;
    void SetUp() override
    {
        ScreenTest::SetUp();
        hl_build_paths(kProgram.c_str(), cfg_.str().c_str(), "Hullwright.prf");
        hw_defaults();
        pln[0].is_heli = 0;
        setup_baseplane("Untitled.acf");
        hw_setupmenus();
        MACIBM_startwind(0);
    }
    void TearDown() override
    {
        gdone = 0;
        ScreenTest::TearDown();
    }
    // Looks at the aircraft from straight above, filled, on black; the first pass measures it.
    void look_from_above(void)
    {
        hw_handlemenu(HW_VIEW_TOP);
        mnw.draw_wire = 0;
        run_passes(2);
        frame = capture_pass();
    }
    // Where a point of the aircraft (ft, its own axes) appears from above: the camera stands
    // HW_CAMERA distance units d above the centre of gravity, and at HW_NEAR units the view is
    // d * zoom wide each way. From above, ahead of the centre of gravity is to the right of the
    // screen and the right wing points down it.
    void screen_of(float x, float y, float z, float* sx, float* sy) const
    {
        const float d = hmsc.dis_to_plane;
        const float ahead = pln[0].cgZ - z, right = x, up = y - pln[0].cgY;
        const float k = 400.0f * HW_NEAR / ((HW_CAMERA * d - up) * hmsc.zoom);
        *sx = 400.0f + k * ahead;
        *sy = 300.0f - k * right;
    }
    bool drawn_at(float x, float y, float z) const
    {
        float sx, sy;
        screen_of(x, y, z, &sx, &sy);
        const uint8_t* p = frame.at(sx, sy);
        return p[0] + p[1] + p[2] > 45;
    }
};

// A point halfway out along a lifting part, halfway back along its chord.
void mid_of(int p, float* x, float* y, float* z)
{
    const planestruct& pl = pln[0];
    const float r = 0.5f * pl.semilen[p];
    const float chord = 0.5f * (pl.Croot[p] + pl.Ctip[p]);
    *x = pl.Xarm[p] + std::cos(pl.dihed[p] * DEG) * std::cos(pl.sweep1[p] * DEG) * r * (float)latsign(p, 0);
    *y = pl.Yarm[p] + std::sin(pl.dihed[p] * DEG) * std::cos(pl.sweep1[p] * DEG) * r;
    *z = pl.Zarm[p] + std::sin(pl.sweep1[p] * DEG) * r + 0.25f * chord;
}

}  // namespace

TEST_F(Preview, EveryBundledAircraftShowsWhereItsGeometryPutsIt)
{
    int count = 0;
    for (const auto& e : fs::recursive_directory_iterator(kProgram + "planes")) {
        if (e.path().extension() != ".acf") continue;
        const std::string name = e.path().filename().string();
        SCOPED_TRACE(name);
        count++;
        std::snprintf(pln[0].C_file, STR_LEN, "%s", name.c_str());
        std::snprintf(pln[0].C_path, STR_LEN, "%s", e.path().c_str());
        ASSERT_EQ(openplane(1), 1);
        look_from_above();
        const planestruct& pl = pln[0];
        // The fuselage's top along its middle stations (the beacon sits on station 5's).
        for (int s : {3, 4, 6, 7})
            EXPECT_TRUE(drawn_at(pl.body_X[18][s][0], pl.body_Y[18][s][0], pl.body_Z[18][s][0])) << "fuselage " << s;
        // Both halves of the wing (or of a helicopter's stabiliser) halfway out, and nothing a
        // quarter of its length beyond its tip.
        const int part = have_this_part(5, 0) ? 5 : 11;
        ASSERT_TRUE(have_this_part(part, 0));
        float x, y, z;
        mid_of(part, &x, &y, &z);
        EXPECT_TRUE(drawn_at(x, y, z)) << "right half of part " << part;
        mid_of(part - 1, &x, &y, &z);
        EXPECT_TRUE(drawn_at(x, y, z)) << "left half of part " << part;
        // The span: the farthest tip of the wing's panels (or the stabiliser).
        float span = 0.0f;
        for (int p = part; p <= (part == 5 ? 9 : 11); p += 2)
            if (have_this_part(p, 0))
                span = std::fmax(span, pl.Xarm[p] + std::cos(pl.dihed[p] * DEG) * std::cos(pl.sweep1[p] * DEG) * pl.semilen[p]);
        mid_of(part, &x, &y, &z);
        EXPECT_FALSE(drawn_at(1.2f * span, y, z)) << "beyond the right tip";
        EXPECT_FALSE(drawn_at(-1.2f * span, y, z)) << "beyond the left tip";
        if (HasFailure()) write_png(picture_path("hw_preview_" + name + ".png"), frame);
    }
    EXPECT_EQ(count, 7);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(Preview, SkyBackgroundOffsetsAndWireFrame)
{
    look_from_above();
    const Frame black = frame;
    // Black behind the aircraft, the menu bar on top.
    const uint8_t* corner = black.at(20, 40);
    EXPECT_EQ(corner[0] + corner[1] + corner[2], 0);
    EXPECT_TRUE(black.is_color(400, 591, 18, 8)) << "the menu bar's grey";
    // The sky: blue above, paler below, and the menu bar still on top.
    hw_handlemenu(HW_SKY);
    run_passes(1);
    Frame sky = capture_pass();
    const uint8_t* high = sky.at(20, 560);
    const uint8_t* low = sky.at(20, 20);
    EXPECT_GT(high[2], high[0] + 60);
    EXPECT_GT(low[0], high[0]);
    EXPECT_TRUE(sky.is_color(400, 591, 18, 8));
    hw_handlemenu(HW_BLACK);
    // Moved right by 0.05 units per step: the fuselage follows on the screen.
    float x0, y0;
    screen_of(0, pln[0].body_Y[18][4][0], pln[0].body_Z[18][4][0], &x0, &y0);
    for (int i = 0; i < 4; i++) hw_handlekey('l');
    run_passes(1);
    frame = capture_pass();
    // The view moves 0.2 units at the point's depth: 400 HW_NEAR (0.2 d) / ((HW_CAMERA d - up) zoom).
    const float up = pln[0].body_Y[18][4][0] - pln[0].cgY;
    const float shift = 400.0f * HW_NEAR * 0.2f * hmsc.dis_to_plane / ((HW_CAMERA * hmsc.dis_to_plane - up) * hmsc.zoom);
    ASSERT_GT(shift, 20.0f);
    const uint8_t* moved = frame.at(x0 + shift, y0);
    EXPECT_GT(moved[0] + moved[1] + moved[2], 45) << "the fuselage moved right";
    // The wire frame: green lines, no filled surfaces.
    for (int i = 0; i < 4; i++) hw_handlekey('j');
    hw_handlemenu(HW_WIRE);
    run_passes(1);
    frame = capture_pass();
    int green = 0, grey = 0;
    for (float yy = 50; yy < 550; yy += 3)
        for (float xx = 50; xx < 750; xx += 3) {
            const uint8_t* p = frame.at(xx, yy);
            green += p[1] > 150 && p[0] < p[1] - 60;
            grey += p[0] > 60 && std::abs(p[0] - p[1]) < 10 && std::abs(p[1] - p[2]) < 10;
        }
    EXPECT_GT(green, 200);
    EXPECT_LT(grey, green / 10);
}

// Reloading the paint (the R key) takes the pictures beside the aircraft file: its path less
// ".acf" and " fuse" for the fuselage. A red one turns the fuselage red in the textured preview.
TEST_F(Preview, ReloadingThePaintTakesThePicturesBesideTheFile)
{
    const std::string base = (fs::current_path() / "PAINTED").string();
    std::snprintf(pln[0].C_path, STR_LEN, "%s.acf", base.c_str());
    std::ofstream(base + " fuse.BMP", std::ios::binary) << bmp_bytes(8, 8, 255, 0, 0);
    std::ofstream(base + " fuseR.BMP", std::ios::binary) << bmp_bytes(8, 8, 255, 0, 0);
    hw_handlekey('r');
    EXPECT_EQ(mnw.draw_wire, 0) << "reloading shows the textures";
    hw_handlemenu(HW_VIEW_TOP);
    run_passes(2);
    frame = capture_pass();
    float sx, sy;
    screen_of(0.0f, pln[0].body_Y[18][7][0], pln[0].body_Z[18][7][0], &sx, &sy);
    const uint8_t* p = frame.at(sx, sy);
    EXPECT_GT(p[0], 60);
    EXPECT_LT(p[1], p[0] / 4);
    EXPECT_LT(p[2], p[0] / 4);
    EXPECT_TRUE(recorded_alerts().empty());
}

// The texture-map starting points: the notice first, then a grey template for each part the
// aircraft has, in the working folder.
TEST_F(Preview, TemplatesAreWrittenForThePartsTheAircraftHas)
{
    hw_handlemenu(HW_TEMPLATES);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].l1.rfind("I shall now create a bitmap called 'start fuse.bmp'", 0), 0u);
    EXPECT_EQ(recorded_alerts()[0].code, ALERT_NOTICE);
    // The new airplane has a wing, a stabiliser, a fin, a fuselage and wheel fairings.
    for (const char* name : {"start wng1.bmp", "start hstb.bmp", "start vst1.bmp", "start fuse.bmp", "start fair.bmp"}) {
        const std::string bytes = read_file(name);
        ASSERT_GT(bytes.size(), 54u) << name;
        EXPECT_EQ(bytes.substr(0, 2), "BM") << name;
    }
    for (const char* name : {"start wng2.bmp", "start nace.bmp", "start misc.bmp"}) EXPECT_FALSE(fs::exists(name)) << name;
}

// Every field offers its help line to the bubble while the mouse rests on it; a position field's
// is built from its thing's name.
TEST_F(Preview, FieldsOfferTheirHelpLines)
{
    hw_handlemenu(200);
    ASSERT_EQ(mnw.topwin, 200);
    const hw_window* w = hw_open_window();
    ASSERT_NE(w, nullptr);
    int checked = 0;
    for (int i = 0; i < w->nfields; i++) {
        const hw_field& f = w->fields[i];
        const float x = hw_col_x(f.col) + 6 + 5, y = hw_row_y(w, f.row) + 2;
        push_move(mnw.x + x, mnw.y + y);
        run_passes(1);
        const std::string want = f.pos != POS_NONE ? hw_position_help(f.pos, f.help) : f.help;
        EXPECT_EQ(std::string(mnw.help_message), want) << f.label;
        checked++;
    }
    EXPECT_EQ(checked, 9);
    push_move(mnw.x + hw_col_x(0) + 11, mnw.y + hw_row_y(w, 3) + 2);
    run_passes(1);
    EXPECT_EQ(std::string(mnw.help_message).rfind("This is how far behind the reference point the pilot's viewpoint location is.", 0),
              0u);
}
