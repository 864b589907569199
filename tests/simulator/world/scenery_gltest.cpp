// scenery_gltest.cpp -- the outside view drawn offscreen over the bundled start region and read
// back: the sky's colour by the hour, the fog thickening toward the horizon, the terrain below the
// horizon wherever the aircraft looks, water where the scenery says water, the view modes moving
// and turning the camera, the overcast's sheet hiding the ground, unknown textures left undrawn,
// and frames that allocate nothing.
#include "scenery_world.h"

#include "daylight.h"
#include "output.h"
#include "replay_bar.h"
#include "scenery.h"
#include "terrain.h"
#include "vrange.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>

// Every operator new of this test program so far (alloc_count_gltest.cpp).
long counted_allocations(void);

namespace {


constexpr double PX_PER_RAD = 9.41 * 180.0 / 3.14159265358979;   // logical pixels per radian at zoom 1
constexpr float CENTRE_Y = 300.0f;                               // the full-screen view's centre row

// Rows a logical distance above (+) or below (-) the view's centre, as drawable rows.
int row_at(double offset) { return pixel_row(static_cast<float>(CENTRE_Y + offset)); }

// The mean colour of a band of rows around `row`, over columns x0..x1.
Rgb band(const Frame& f, int row, int x0 = 300, int x1 = 500, int half = 1) { return mean_rgb(f, x0, row - half, x1, row + half); }

double max_diff(const Rgb& a, const Rgb& b)
{
    return std::fmax(std::fabs(a.r - b.r), std::fmax(std::fabs(a.g - b.g), std::fabs(a.b - b.b)));
}

// The sky's colour (0..255) at the horizon from the hand-worked figures: brightness times the blue
// (0.4, 0.6, 1.0), faded by the camera's height in feet.
Rgb sky_of(float brightness, float cam_y_m)
{
    const double fade = std::pow(std::fmax(0.0, 1.0 - cam_y_m / 0.3048 / 260000.0), 2.0);
    return {255.0 * brightness * 0.4 * fade, 255.0 * brightness * 0.6 * fade, 255.0 * brightness * fade};
}

// A cloud sheet at the tops laid over the cloud grid as the region maps it (columns 16..64 and
// rows 16..48 span the region, row 16 at its south edge), flat, shaded `shade`.
void flat_cloud_sheet(float shade)
{
    for (int c = 0; c < CLOUD_NI; c++) {
        for (int r = 0; r < CLOUD_NJ; r++) {
            cloudxyz[c][r][0] = env.lox + (c - 16) * env.dx / 48.0f;
            cloudxyz[c][r][1] = 0.0f;
            cloudxyz[c][r][2] = env.hiz - (r - 16) * env.dz / 32.0f;
            cloudrgb[c][r][0] = cloudrgb[c][r][1] = cloudrgb[c][r][2] = shade;
        }
    }
}

class Scenery : public OutsideView {
protected:
    // A point of the region (x, z) where every cell within `radius` cells has texture `tex`,
    // nearest the region's middle; false when there is none.
    static bool find_area(uint32_t tex, int radius, float* x, float* z)
    {
        int best = -1, bi = 0, bj = 0;
        for (int i = radius + 2; i < REGION_NI - radius - 3; i++) {
            for (int j = radius + 2; j < REGION_NJ - radius - 3; j++) {
                bool all = true;
                for (int a = -radius; a <= radius && all; a++)
                    for (int b = -radius; b <= radius && all; b++)
                        all = planetex[i + a][j + b] == tex && (tex != 50 || on_water[i + a][j + b]);
                if (!all) continue;
                const int d = std::abs(i - REGION_NI / 2) + std::abs(j - REGION_NJ / 2);
                if (best < 0 || d < best) {
                    best = d;
                    bi = i;
                    bj = j;
                }
            }
        }
        if (best < 0) return false;
        *x = 0.25f * (planexyz[bi][bj][0] + planexyz[bi + 1][bj][0] + planexyz[bi][bj + 1][0] + planexyz[bi + 1][bj + 1][0]);
        *z = 0.25f * (planexyz[bi][bj][2] + planexyz[bi + 1][bj][2] + planexyz[bi][bj + 1][2] + planexyz[bi + 1][bj + 1][2]);
        return true;
    }
    void place_xz(float x, float z, float agl, float the, float psi, float phi)
    {
        place(lat_with_z(z), lon_with_xz(x, z), agl, the, psi, phi);
    }
    // The view over open sea: cells of water 6 cells (some 8 km) all round.
    void over_sea(float agl, float the, float psi)
    {
        float x, z;
        ASSERT_TRUE(find_area(50, 6, &x, &z)) << "the start region has open sea";
        place_xz(x, z, agl, the, psi, 0.0f);
    }
};

// At noon, 16 h, dawn and midnight, and under a storm: the fog-closed distance below the horizon
// and the sky just above it both show the hour's sky colour.
TEST_F(Scenery, SkyColourFollowsTheHour)
{
    atm.vis_rep = 2.0f * con.nmtomtrs;
    struct Case {
        float hour, level;
        float brightness;   // the terrain brightness of the hour
        float tint[3];      // the dawn and dusk tint and dimming
    } cases[] = {
        {12.0f, 0.0f, 1.0f, {1.0f, 1.0f, 1.0f}},
        {16.0f, 0.0f, 0.7071f, {1.0f, 1.0f, 1.0f}},
        {8.0f, 0.0f, 0.7071f, {1.0f, 1.0f, 1.0f}},
        {12.0f, 4.0f, 0.5f, {1.0f, 1.0f, 1.0f}},
        // 6 h: cos 67.5 = 0.38268, dimmed by half, tinted (2.4, 0.6, 0.3).
        {6.0f, 0.0f, 0.38268f, {1.2f, 0.3f, 0.15f}},
        {0.0f, 0.0f, 0.01f, {0.9f, 0.9f, 1.2f}},
    };
    for (const Case& c : cases) {
        msc.locl_time = c.hour * 3600.0f;
        atm.level = c.level;
        over_sea(300.0f, 0.0f, 0.0f);
        const Frame f = draw();
        Rgb want = sky_of(c.brightness, static_cast<float>(flt.Y[0]));
        want.r *= c.tint[0];
        want.g *= c.tint[1];
        want.b *= c.tint[2];
        // 20 px below the centre the sea lies 8 km off, past the 3.8 km of visibility.
        const Rgb fog = band(f, row_at(-20.0));
        const Rgb sky = band(f, row_at(3.0));
        EXPECT_LE(max_diff(fog, want), 4.0) << c.hour << " h: fog " << fog.r << " " << fog.g << " " << fog.b;
        EXPECT_LE(max_diff(sky, want), 6.0) << c.hour << " h: sky " << sky.r << " " << sky.g << " " << sky.b;
        if (max_diff(fog, want) > 4.0) save(f, "sky_hour.png");
    }
}

TEST_F(Scenery, FogThickensLinearlyTowardTheHorizon)
{
    atm.vis_rep = 2.0f * con.nmtomtrs;
    over_sea(300.0f, 0.0f, 90.0f);
    const Frame f = draw();
    const double h = con.VIEW_xyz[1] - ground_at_latlon(flt.lat, flt.lon);
    const double end = atm.vis_eff, start = 0.2 * end;
    // The sea at distance d lies PX_PER_RAD * h / d below the centre; the fog's share there is
    // (d - start) / (end - start).
    auto below = [&](double d) { return row_at(-PX_PER_RAD * h / d); };
    const Rgb sea = band(f, below(0.85 * start), 350, 450);
    const Rgb fog = band(f, below(1.5 * end), 350, 450);
    ASSERT_GT(max_diff(sea, fog), 40.0) << "the sea must differ from the fog for the test to tell";
    for (double share : {0.25, 0.5, 0.75}) {
        const Rgb mid = band(f, below(start + share * (end - start)), 350, 450);
        const Rgb want = {sea.r + share * (fog.r - sea.r), sea.g + share * (fog.g - sea.g), sea.b + share * (fog.b - sea.b)};
        EXPECT_LE(max_diff(mid, want), 8.0) << "fog share " << share << ": " << mid.r << " " << mid.g << " " << mid.b;
    }
    // Nearer than the fog's start the sea keeps its own colour.
    EXPECT_LE(max_diff(band(f, below(0.75 * start), 350, 450), sea), 8.0);
    if (HasFailure()) save(f, "fog.png");
}

// Over flat grassland, pitched up, level and down and facing each way: sky above the horizon, the
// ground below it, the horizon moving by the pitch.
TEST_F(Scenery, TerrainFillsTheViewBelowTheHorizonWhereverItLooks)
{
    float x, z;
    ASSERT_TRUE(find_area(54, 5, &x, &z)) << "the start region has open grassland";
    for (float the : {-15.0f, 0.0f, 15.0f}) {
        for (float psi : {0.0f, 90.0f, 200.0f, 300.0f}) {
            place_xz(x, z, 300.0f, the, psi, 0.0f);
            const Frame f = draw();
            const double horizon = -PX_PER_RAD * std::tan(the * 3.14159265 / 180.0);
            const Rgb above = band(f, row_at(horizon + 60.0), 100, 700);
            const Rgb below = band(f, row_at(horizon - 80.0), 100, 700);
            EXPECT_GT(above.b, above.g) << the << " / " << psi;
            EXPECT_GT(above.g, above.r) << the << " / " << psi;
            EXPECT_GT(below.g, below.b + 10.0) << the << " / " << psi << ": grass below";
            EXPECT_LT(below.b, above.b - 60.0) << the << " / " << psi;
            if (HasFailure()) {
                save(f, "terrain_below_horizon.png");
                return;
            }
        }
    }
}

// Straight down from 300 m: the sea is blue where the scenery's cells are water, the grass green
// where they are grass.
TEST_F(Scenery, WaterWhereTheSquareSaysWater)
{
    over_sea(300.0f, -90.0f, 0.0f);
    int i = 0, j = 0;
    find_local_h(static_cast<float>(flt.X[0]), static_cast<float>(flt.Z[0]), &i, &j, 0);
    ASSERT_EQ(planetex[i][j], 50u);
    ASSERT_NE(on_water[i][j], 0);
    Frame f = draw();
    const Rgb sea = mean_rgb(f, 300, 200, 500, 400);
    EXPECT_GT(sea.b, sea.g + 10.0);
    EXPECT_GT(sea.b, sea.r + 30.0);

    float x, z;
    ASSERT_TRUE(find_area(54, 2, &x, &z));
    place_xz(x, z, 300.0f, -90.0f, 0.0f, 0.0f);
    f = draw();
    const Rgb grass = mean_rgb(f, 300, 200, 500, 400);
    EXPECT_GT(grass.g, grass.b + 10.0);
    EXPECT_GT(grass.g, grass.r);
    EXPECT_GT(sea.b, grass.b + 20.0);
    if (HasFailure()) save(f, "water_and_grass.png");
}

// The views that turn the camera on the aircraft: view v of an aircraft heading psi shows what
// the forward view shows when the aircraft itself heads psi + offset (level wings, and pitched
// up 10 degrees for the view back, which then looks 10 degrees down).
TEST_F(Scenery, TurnedViewsSeeWhatTheTurnedAircraftSees)
{
    float x, z;
    ASSERT_TRUE(find_area(54, 3, &x, &z));
    struct Case {
        int view;
        float the, offset, fwd_the;
    } cases[] = {
        {504, 0.0f, -45.0f, 0.0f},  {505, 0.0f, 45.0f, 0.0f},   {506, 0.0f, -90.0f, 0.0f},
        {507, 0.0f, 90.0f, 0.0f},   {508, 0.0f, -135.0f, 0.0f}, {509, 0.0f, 135.0f, 0.0f},
        {511, 10.0f, 180.0f, -10.0f}, {501, 0.0f, 0.0f, -4.0f}, {502, 0.0f, 0.0f, -8.0f},
    };
    for (const Case& c : cases) {
        set.view_type = VIEW_FORWARD;
        place_xz(x, z, 400.0f, c.fwd_the, 40.0f + c.offset, 0.0f);
        const Frame fwd = draw();
        set.view_type = c.view;
        place_xz(x, z, 400.0f, c.the, 40.0f, 0.0f);
        const Frame turned = draw();
        EXPECT_LE(max_diff(mean_rgb(fwd, 0, 0, fwd.w - 1, fwd.h - 1), mean_rgb(turned, 0, 0, turned.w - 1, turned.h - 1)), 0.5)
            << c.view;
        // Row by row too: the same picture, not just the same mean.
        double worst = 0.0;
        for (int y = 0; y < fwd.h; y += 25) worst = std::fmax(worst, max_diff(band(fwd, y, 0, fwd.w - 1, 0), band(turned, y, 0, turned.w - 1, 0)));
        EXPECT_LE(worst, 2.0) << c.view;
    }
}

// Each frame puts the aircraft far from any carrier deck before the drawing: with no carrier in
// view the landing signal officer's reference stays out of his range.
TEST_F(Scenery, EveryFrameResetsTheCarrierCardPosition)
{
    float x, z;
    ASSERT_TRUE(find_area(54, 3, &x, &z));
    place_xz(x, z, 300.0f, 0.0f, 0.0f, 0.0f);
    atc.cardxyz[0] = 10.0f;
    atc.cardxyz[1] = 40.0f;
    atc.cardxyz[2] = 700.0f;
    draw();
    EXPECT_GE(std::hypot(atc.cardxyz[0], atc.cardxyz[2]) * con.mtrstonm, 5.0f);
    EXPECT_EQ(atc.cardxyz[1], 0.0f);
}

// Looking 8 degrees down moves the picture up by 9.41 px a degree (75.8 px by the tangent) at
// zoom 1, twice that at zoom 2.
TEST_F(Scenery, LookingDownEightDegreesRaisesThePictureByTheZoom)
{
    float x, z;
    ASSERT_TRUE(find_area(54, 3, &x, &z));
    place_xz(x, z, 300.0f, 0.0f, 120.0f, 0.0f);
    // The rows' mean colours, then the shift that lines the two up best.
    auto profile = [](const Frame& f, std::vector<double>* p) {
        p->resize(static_cast<size_t>(f.h));
        for (int y = 0; y < f.h; y++) {
            const Rgb m = band(f, y, 200, 600, 0);
            (*p)[static_cast<size_t>(y)] = m.r + m.g + m.b;
        }
    };
    for (float zoom : {1.0f, 2.0f}) {
        scn.zoom = zoom;
        set.view_type = VIEW_FORWARD;
        const Frame a = draw();
        set.view_type = VIEW_DOWN8;
        const Frame b = draw();
        std::vector<double> pa, pb;
        profile(a, &pa);
        profile(b, &pb);
        int best = 0;
        double best_err = 1e30;
        for (int s = 40; s <= 200; s++) {
            double err = 0.0;
            int n = 0;
            for (int y = 0; y + s < a.h; y++) {
                err += std::fabs(pa[static_cast<size_t>(y)] - pb[static_cast<size_t>(y + s)]);
                n++;
            }
            if (n > 150 && err / n < best_err) {
                best_err = err / n;
                best = s;
            }
        }
        const double want = zoom * PX_PER_RAD * std::tan(8.0 * 3.14159265 / 180.0) * a.h / 600.0;
        EXPECT_NEAR(best, want, 2.0) << "zoom " << zoom;
        EXPECT_LT(best_err, 6.0) << "zoom " << zoom;
    }
}

// With the panel shown the view fills the screen above the panel's 333 logical rows, its centre
// at 466.5 and the same 9.41 px a degree: the sea 20 px below that centre lies in the fog, the sea
// at row 280 only 870 m off.
TEST_F(Scenery, PanelViewDrawsAboveThePanel)
{
    atm.vis_rep = 2.0f * con.nmtomtrs;
    set.view_is_fullscreen = 0;
    over_sea(300.0f, 0.0f, 0.0f);
    const Frame f = draw();
    const Rgb want = sky_of(1.0f, static_cast<float>(flt.Y[0]));
    EXPECT_LE(max_diff(band(f, pixel_row(466.5f - 20.0f)), want), 4.0);
    EXPECT_GT(max_diff(band(f, pixel_row(280.0f)), want), 40.0);
    const scenery_frame fr = scenery_last_frame();
    EXPECT_FLOAT_EQ(fr.bottom, 333.0f);
    EXPECT_FLOAT_EQ(fr.top, 600.0f);
}

// The chase camera glides to 12 m behind the aircraft along its path, then looks along it; on the
// ground with the path pointing up it stays 2 m above the ground.
TEST_F(Scenery, ChaseViewGlidesBehindTheAircraft)
{
    float x, z;
    ASSERT_TRUE(find_area(54, 3, &x, &z));
    place_xz(x, z, 300.0f, 0.0f, 90.0f, 0.0f);
    flt.hpath = 90.0f;
    flt.vpath = 0.0f;
    set.view_type = VIEW_FORWARD;
    draw();
    const float start_x = con.VIEW_xyz[0];
    EXPECT_NEAR(start_x, flt.X[0], 0.01) << "the eye point of an aircraft file with none given";
    set.view_type = VIEW_CHASE;
    msc.prd = 0.05f;
    // Each frame takes prd of the way: after n frames (1 - prd)^n of the gap is left.
    for (int n : {1, 10}) {
        draw(n == 1 ? 1 : 9);
        const double left = std::pow(1.0 - 0.05, n) * 12.0;
        EXPECT_NEAR(con.VIEW_xyz[0], flt.X[0] - 12.0 + left, 0.02) << n << " frames";
        EXPECT_NEAR(con.VIEW_xyz[2], flt.Z[0], 0.01);
    }
    draw(400);
    // Within the float camera's rounding 140 km from the region's corner.
    EXPECT_NEAR(con.VIEW_xyz[0], flt.X[0] - 12.0, 0.2);
    EXPECT_NEAR(con.VIEW_xyz[1], flt.Y[0], 0.05);
    EXPECT_NEAR(scn.psi, 90.0f, 0.05f) << "looking east at the aircraft";
    EXPECT_NEAR(scn.the, 0.0f, 0.05f);
    EXPECT_EQ(scn.phi, 0.0f);

    // Standing 1 m up with the path 40 degrees up: the point behind lies under the ground.
    place_xz(x, z, 1.0f, 0.0f, 90.0f, 0.0f);
    flt.hpath = 90.0f;
    flt.vpath = 40.0f;
    msc.prd = 1.0f;
    draw();
    const float ground = ground_at_latlon(lat_with_z(con.VIEW_xyz[2]), lon_with_xz(con.VIEW_xyz[0], con.VIEW_xyz[2]));
    EXPECT_NEAR(con.VIEW_xyz[1], ground + 2.0f, 0.05f);
}

// The tower view at an airport whose tower is not among the region's objects: 27 m above the
// airport, a runway's width to the left of its first runway's middle.
TEST_F(Scenery, TowerViewWithoutATowerStandsBesideTheFirstRunway)
{
    ASSERT_GE(apt_lcl_num, 1);
    const int a = apt_to_index[0], r = apt_lo_ind[a];
    const double rx = X_with_latlon(rwy_lat[r], rwy_lon[r]), rz = Z_with_lat(rwy_lat[r]);
    place(rwy_lat[r], rwy_lon[r], 2.0f, 0.0f, static_cast<float>(rwy_hdng[r]), 0.0f);
    for (int s = 0; s < OBJ_MAX; s++) obj_type[s] = 0;
    for (int k = 0; k <= apt_wrl_max; k++) apt_twr[k] = 0;   // a region shift would build the towers
    draw();   // the box stage finds the nearest airport
    ASSERT_EQ(msc.loc_apt_wrl, a);
    set.view_type = VIEW_TOWER;
    msc.prd = 1.0f;
    draw();
    const double dx = con.VIEW_xyz[0] - rx, dz = con.VIEW_xyz[2] - rz;
    EXPECT_NEAR(std::sqrt(dx * dx + dz * dz), rwy_width[r], 0.05);
    EXPECT_NEAR(con.VIEW_xyz[1], std::fmax(apt_h[a] + 27.0f, ground_at_latlon(lat_with_z(con.VIEW_xyz[2]),
                                                                           lon_with_xz(con.VIEW_xyz[0], con.VIEW_xyz[2])) + 2.0f),
                0.05);
    // To the left: the offset has a negative share along the runway's right, (cos h, sin h).
    const double h = rwy_hdng[r] * 3.14159265 / 180.0;
    EXPECT_LT(std::cos(h) * dx + std::sin(h) * dz, 0.0);
    EXPECT_LT(scn.the, 0.0f) << "looking down at the aircraft";
}

// Above an overcast its grey sheet fills the view below the horizon: the ground under it is not
// drawn over it.
TEST_F(Scenery, OvercastSheetHidesTheGround)
{
    atm.cld_type = 4;
    atm.baseMSL = 1500.0f;
    atm.topsMSL = 2000.0f;
    flat_cloud_sheet(0.8f);
    float x, z;
    ASSERT_TRUE(find_area(50, 3, &x, &z));
    place_xz(x, z, 3000.0f, -60.0f, 0.0f, 0.0f);
    const Frame f = draw();
    EXPECT_EQ(scn.abovetops, 1);
    EXPECT_EQ(scn.belowbases, 0);
    EXPECT_GE(atm.vis_eff, 18520.0f);
    // Noon's light is 1: the sheet shows its own shade.
    const Rgb sheet = mean_rgb(f, 300, 250, 500, 350);
    EXPECT_NEAR(sheet.r, 204.0, 4.0);
    EXPECT_NEAR(sheet.g, 204.0, 4.0);
    EXPECT_NEAR(sheet.b, 204.0, 4.0);
    if (HasFailure()) save(f, "overcast.png");
}

// Looking straight up from under a scattered and a broken layer: the two pictures differ exactly
// over the cells the scattered layer leaves out, (r + c) mod 3 = 0; the puffs, seen from below,
// face the camera and survive the back-face culling.
TEST_F(Scenery, ScatteredLayerLeavesOutEveryThirdCell)
{
    int n;
    const lax_tex* fixed = load_texes_fixed(&n);
    for (int k = 0; k < n; k++)
        if (fixed[k].tex == 131) OGL_texbmp(TEXBMP_FAMILY, fixed[k].tex, fixed[k].alpha, fixed[k].name);
    flat_cloud_sheet(1.0f);
    atm.baseMSL = 19000.0f;
    atm.topsMSL = 20000.0f;
    over_sea(100.0f, 90.0f, 0.0f);
    atm.cld_type = 2;
    const Frame scattered = draw();
    EXPECT_EQ(scn.belowbases, 1);
    atm.cld_type = 3;
    const Frame broken = draw();
    // Straight up, the sheet's point (x, tops, z) shows at 539.2 px a radian of (x - cx, z - cz)
    // over the height, z south upwards on the screen.
    const double up = atm.topsMSL - con.VIEW_xyz[1];
    auto screen_x = [&](double x) { return 400.0 + PX_PER_RAD * (x - con.VIEW_xyz[0]) / up; };
    auto screen_y = [&](double z) { return 300.0 + PX_PER_RAD * (z - con.VIEW_xyz[2]) / up; };
    int left_out = 0, kept = 0;
    for (int c = 0; c + 1 < CLOUD_NI; c++) {
        for (int r = 0; r + 1 < CLOUD_NJ; r++) {
            // The cell's picture, a sixth in from each side, whole on the screen.
            double x0 = screen_x(cloudxyz[c][r][0]), x1 = screen_x(cloudxyz[c + 1][r][0]);
            double y0 = screen_y(cloudxyz[c][r + 1][2]), y1 = screen_y(cloudxyz[c][r][2]);
            const double ix = (x1 - x0) / 6.0, iy = (y1 - y0) / 6.0;
            x0 += ix;
            x1 -= ix;
            y0 += iy;
            y1 -= iy;
            if (x0 < 0 || x1 > 799 || y0 < 0 || y1 > 599) continue;
            const int px0 = static_cast<int>(x0), px1 = static_cast<int>(x1);
            const int py0 = pixel_row(static_cast<float>(y0)), py1 = pixel_row(static_cast<float>(y1));
            const double d = max_diff(mean_rgb(scattered, px0, py0, px1, py1), mean_rgb(broken, px0, py0, px1, py1));
            if ((r + c) % 3 == 0) {
                EXPECT_GT(d, 8.0) << "cell " << c << ", " << r << " is a puff only in the broken layer";
                left_out++;
            } else {
                EXPECT_LT(d, 1.0) << "cell " << c << ", " << r << " is a puff in both";
                kept++;
            }
        }
    }
    EXPECT_GE(left_out, 3);
    EXPECT_GE(kept, 6);
    if (HasFailure()) {
        save(scattered, "clouds_scattered.png");
        save(broken, "clouds_broken.png");
    }
}

// At midnight a lightning strike lights the sky every other ten frames, fully within 5 nm and less
// farther off (a quarter at 20 nm); it is not seen from above the cloud tops.
TEST_F(Scenery, LightningFlashLightsTheSkyByItsNearness)
{
    msc.locl_time = 0.0f;
    atm.cld_type = 3;
    atm.baseMSL = 3000.0f;
    atm.topsMSL = 3500.0f;
    msc.elap_time = 100.0f;
    atm.strike_stop_time = 100.5f;
    struct Case {
        float nm, agl;
        int cntr;
        double want;   // the sky's channels, 0..255
    } cases[] = {
        {1.0f, 300.0f, 0, 255.0},  {1.0f, 300.0f, 10, 0.0},  {1.0f, 300.0f, 25, 255.0},
        {20.0f, 300.0f, 0, 64.0},  {1.0f, 4000.0f, 0, 0.0},
    };
    for (const Case& c : cases) {
        over_sea(c.agl, 0.0f, 0.0f);
        for (int b = 0; b < 4; b++) {
            for (int p = 0; p < 20; p++) {
                atm.lightXYZ[b][p][0] = static_cast<float>(flt.X[0]) + c.nm * con.nmtomtrs;
                atm.lightXYZ[b][p][1] = 3000.0f - 150.0f * p;
                atm.lightXYZ[b][p][2] = static_cast<float>(flt.Z[0]);
            }
        }
        msc.cntr = c.cntr;
        const Frame f = draw();
        const Rgb sky = band(f, row_at(3.0));
        EXPECT_NEAR(sky.r, c.want, 10.0) << c.nm << " nm, " << c.agl << " m, frame " << c.cntr;
        EXPECT_NEAR(sky.g, c.want, 10.0) << c.nm << " nm, " << c.agl << " m, frame " << c.cntr;
    }
    // Between flashes the bolts themselves show: pale yellow lines, here one straight ahead
    // (east) 1 nm off, running down the middle column from 3000 m to the sea.
    over_sea(300.0f, 0.0f, 90.0f);
    for (int b = 0; b < 4; b++) {
        for (int p = 0; p < 20; p++) {
            atm.lightXYZ[b][p][0] = static_cast<float>(flt.X[0]) + con.nmtomtrs;
            atm.lightXYZ[b][p][1] = 3000.0f * (1.0f - p / 19.0f);
            atm.lightXYZ[b][p][2] = static_cast<float>(flt.Z[0]);
        }
    }
    msc.cntr = 10;
    const Frame f = draw();
    int yellow = 0, rows = 0;
    for (double above = -50.0; above <= 250.0; above += 50.0, rows++) {
        const int row = row_at(above);
        for (int x = 396; x <= 404; x++) {
            const uint8_t* p = f.px(x, row);
            if (p[0] > 200 && p[1] > 200 && p[2] < 190 && p[2] > 110) {
                yellow++;
                break;
            }
        }
    }
    EXPECT_EQ(yellow, rows);
    const uint8_t* side = f.px(300, row_at(100.0));
    EXPECT_LT(side[0], 40) << "the night sky beside the bolt";
}

// Cells whose texture is none of the twelve standard ones nor a square's own are never drawn:
// looking down, only the sky box shows.
TEST_F(Scenery, CellsOfUnknownTexturesAreNotDrawn)
{
    for (uint32_t tex : {49u, 62u, 1999u}) {
        for (int i = 0; i < REGION_NI; i++)
            for (int j = 0; j < REGION_NJ; j++) planetex[i][j] = tex;
        terrain_region_changed();
        place(34.0, -117.5, 300.0f, -60.0f, 0.0f, 0.0f);
        const Frame f = draw();
        EXPECT_EQ(terrain_last_stats().triangles, 0) << tex;
        const Rgb below = mean_rgb(f, 300, 200, 500, 400);
        const Rgb want = sky_of(1.0f, static_cast<float>(con.VIEW_xyz[1]));
        EXPECT_LE(max_diff(below, want), 4.0) << tex << ": the sky box's lowest band";
    }
    // One standard texture again: drawn, each standard texture bound at most once.
    for (int i = 0; i < REGION_NI; i++)
        for (int j = 0; j < REGION_NJ; j++) planetex[i][j] = 54;
    terrain_region_changed();
    draw();
    EXPECT_GT(terrain_last_stats().triangles, 0);
    EXPECT_EQ(terrain_last_stats().binds, 1);
}

TEST_F(Scenery, StandardTexturesAreBoundOnceAFrame)
{
    place(34.0, -117.5, 3000.0f, -60.0f, 0.0f, 0.0f);
    atm.vis_rep = 20.0f * con.nmtomtrs;
    draw();
    const terrain_stats s = terrain_last_stats();
    int kinds = 0;
    bool seen[12] = {};
    for (int i = scn.i1_plot_bound_ter; i <= scn.i2_plot_bound_ter; i++)
        for (int j = scn.j1_plot_bound_ter; j <= scn.j2_plot_bound_ter; j++)
            if (ter_inrange[i][j] && planetex[i][j] >= 50 && planetex[i][j] <= 61 && !seen[planetex[i][j] - 50]) {
                seen[planetex[i][j] - 50] = true;
                kinds++;
            }
    EXPECT_GE(kinds, 3);
    // One bind for each standard texture of the blocks in view, whose cells reach a little past
    // the cells in view.
    EXPECT_GE(s.binds, kinds);
    EXPECT_LE(s.binds, 12);
    // Every cell in view is drawn: at least two triangles each.
    int cells = 0;
    for (int i = scn.i1_plot_bound_ter; i <= scn.i2_plot_bound_ter; i++)
        for (int j = scn.j1_plot_bound_ter; j <= scn.j2_plot_bound_ter; j++)
            cells += ter_inrange[i][j] && planetex[i][j] >= 50 && planetex[i][j] <= 61;
    EXPECT_GE(s.triangles, 2 * cells);
}

// Each frame starts with the aircraft over nothing (surface 67); the runway stand-in finds it over
// the start runway again, also with the camera above an overcast; a catapult launch ends once the
// aircraft is off the carrier; the waiting and towing prompts show in colour 56 from (340, 480).
TEST_F(Scenery, FrameFlagsAndPrompts)
{
    env.over_obs = env.over_carr = env.over_frig = 1;
    env.surf_type = 5;
    set.cat_inprog = 1;
    over_sea(300.0f, 0.0f, 0.0f);
    Frame f = draw();
    EXPECT_EQ(env.over_obs, 0);
    EXPECT_EQ(env.over_carr, 0);
    EXPECT_EQ(env.over_frig, 0);
    EXPECT_EQ(env.surf_type, 67);
    EXPECT_EQ(set.cat_inprog, 0);

    ASSERT_GE(apt_lcl_num, 1);
    const int a = apt_to_index[0], r = apt_lo_ind[a];
    place(rwy_lat[r], rwy_lon[r], 2.0f, 0.0f, static_cast<float>(rwy_hdng[r]), 0.0f);
    draw();
    EXPECT_EQ(env.over_obs, 1) << "on the runway's pavement";
    EXPECT_NE(env.surf_type, 67);
    atm.cld_type = 4, atm.baseMSL = flt.Y[0] - 100.0, atm.topsMSL = flt.Y[0] - 1.0;   // a sheet below the eye
    draw();
    EXPECT_EQ(env.over_obs, 1) << "on the runway, the camera above an overcast";
    atm.cld_type = 1;

    auto colour_56_pixels = [](const Frame& fr) {
        int n = 0;
        for (float y = 474.0f; y <= 492.0f; y += 1.0f)
            for (float x = 340.0f; x <= 560.0f; x += 1.0f) n += fr.is_color(x, y, 56, 8);
        return n;
    };
    over_sea(300.0f, 0.0f, 0.0f);
    f = draw();
    const int none = colour_56_pixels(f);
    int32_t* const flags[] = {&set.cat_waiting, &set.tow_waiting, &set.tow_inprog, &set.incarriage};
    for (int k = 0; k < 4; k++) {
        set.cat_waiting = set.tow_waiting = set.tow_inprog = set.incarriage = 0;
        *flags[k] = 1;
        f = draw();
        EXPECT_GT(colour_56_pixels(f), none + 20) << "prompt " << k;
    }
    // The replay clock beside the replay's buttons while replaying.
    set.cat_waiting = set.tow_waiting = set.tow_inprog = set.incarriage = 0;
    auto clock_pixels = [](const Frame& fr) {
        int n = 0;
        for (float y = REPLAY_CLOCK_Y; y <= REPLAY_CLOCK_Y + 6.0f; y += 1.0f)
            for (float x = REPLAY_CLOCK_X; x <= REPLAY_CLOCK_X + 90.0f; x += 1.0f) n += fr.is_color(x, y, REPLAY_CLOCK_COLOR, 8);
        return n;
    };
    const int no_clock = clock_pixels(draw());
    set.replay_mode = 6;
    pat.time_play = 3725.0f;
    EXPECT_GT(clock_pixels(draw()), no_clock + 20);
    set.replay_mode = 0;
}

TEST_F(Scenery, FramesAllocateNothing)
{
    float x, z;
    ASSERT_TRUE(find_area(54, 3, &x, &z));
    place_xz(x, z, 300.0f, 0.0f, 0.0f, 0.0f);
    atm.cld_type = 3;
    atm.strike_stop_time = 1e9f;   // lightning all along
    // Cockpit numbers over the view: speed, height and the first engine's items.
    for (int item : {0, 1, 2, 20, 30}) set.Brlt[item] = 1;
    set_rlt_grf_choices();
    ASSERT_EQ(set.rltout, 1);
    draw();   // the terrain's lists are built once
    const int views[] = {500, 502, 506, 511, 513, 514, 516, 517, 519, 521, 522};
    const double x0 = flt.X[0];
    auto frames = [&] {
        flt.X[0] = x0;
        for (int k = 0; k < 200; k++) {
            set.view_type = views[k % 11];
            flt.psi[0] = static_cast<float>(k * 7 % 360);
            flt.X[0] += 30.0;   // across cells: the box is redone now and then
            msc.locl_time = static_cast<float>(k % 24) * 3600.0f;
            msc.cntr = k;
            update_scenery();
        }
    };
    // The software renderer compiles each new combination of drawing state once, in C++, which the
    // counting allocator sees; the same frames drawn once before have it compile them all.
    frames();
    const long before = counted_allocations();
    frames();
    EXPECT_EQ(counted_allocations() - before, 0);
    std::string probe(100, 'x');
    EXPECT_GT(counted_allocations(), before) << "the counting allocator is the one in use";
}

}  // namespace
