// runway_draw_gltest.cpp -- the start airport's runway 06 drawn offscreen and read back where the
// runway geometry puts things: the concrete between the grass, the centreline dash and the
// threshold bars from the start position; at night the edge and approach lights lit at their
// points, the slope indicator on the glide path, and the approach flasher stepping; the windsock
// pointing downwind; and frames that allocate nothing and bind each texture once.
#include "view_probe.h"

#include "rwygeo.h"
#include "runway_draw.h"
#include "vrange.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

long counted_allocations(void);

namespace {

constexpr double DEG = 3.14159265358979 / 180.0;

class RunwayView : public OutsideView {
protected:
    int apt = -1, rwy = -1, g = -1;
    void SetUp() override
    {
        OutsideView::SetUp();
        load_fixed_textures();
        for (int a = 0; a <= apt_wrl_max; a++)
            if (std::strncmp(apt_id[a], "KSBD", 4) == 0) apt = a;
        ASSERT_GE(apt, 0);
        rwy = apt_lo_ind[apt];
        ASSERT_EQ(rwy_num[rwy], 6);
        g = rwy_geo_ind[rwy];
        ASSERT_GE(g, 0);
        msc.elap_time = 0.0f;   // no flutter in the windsock
    }
    // A point on runway 06: `along` metres from its threshold toward 24, `across` widths right of
    // the centreline (positive to the right looking along 06), at the runway's height plus up.
    void runway_point(double along, double across, double up, float out[3]) const
    {
        const float(*c)[3] = geo_markxyz[g][0];
        // Corner 3 is end 0's left, corner 0 end 1's left, corner 2 end 0's right.
        const double len = std::hypot(c[0][0] - c[3][0], c[0][2] - c[3][2]);
        const double f = along / len;
        const double lx = c[3][0] + f * (c[0][0] - c[3][0]), lz = c[3][2] + f * (c[0][2] - c[3][2]);
        const double rx = c[2][0] + f * (c[1][0] - c[2][0]), rz = c[2][2] + f * (c[1][2] - c[2][2]);
        const double s = 0.5 + across;
        out[0] = static_cast<float>(lx + s * (rx - lx));
        out[1] = static_cast<float>(apt_h[apt] + up);
        out[2] = static_cast<float>(lz + s * (rz - lz));
    }
    // The aircraft with its eye at a region point, looking along heading psi, pitched `the`.
    void put_eye(const float p[3], float the, float psi)
    {
        place(lat_with_z(p[2]), lon_with_xz(p[0], p[2]), 0.0f, the, psi, 0.0f);
        flt.Y[0] = p[1];
        env.localh_cg = ground_at_latlon(flt.lat, flt.lon);
    }
};

// The mean of a pixel's channels; -1000 off the frame, which fails every comparison made here.
double lum(const uint8_t* p) { return p ? (p[0] + p[1] + p[2]) / 3.0 : -1000.0; }

// From the start position, 2.5 m above the threshold of 06 looking along it at noon.
TEST_F(RunwayView, ConcreteCentrelineAndThresholdBarsLieWhereTheGeometryPutsThem)
{
    float eye[3];
    runway_point(3.0, 0.0, 2.5, eye);
    put_eye(eye, 0.0f, static_cast<float>(rwy_hdng[rwy]));
    const Frame f = draw(2);
    save(f, "runway_06_day.png");

    // Segment 3 (180..240 m) is plain concrete with the centreline dash in its middle 60 %.
    float p[3];
    for (double across : {-0.3, -0.2, 0.2, 0.3}) {
        runway_point(210.0, across, 0.0, p);
        const Pixel q = project(f, p);
        const uint8_t* c = px_at(f, q.x, q.y);
        ASSERT_TRUE(c && q.in_front);
        EXPECT_NEAR(c[0], c[1], 20) << "concrete is grey at " << across;
        EXPECT_NEAR(c[1], c[2], 24) << "concrete is grey at " << across;
        EXPECT_GT(lum(c), 100.0) << "concrete is light at " << across;
    }
    // Grass beyond the left edge (the taxiway lies to the right).
    for (double across : {-0.8, -1.2}) {
        runway_point(210.0, across, 0.0, p);
        const Pixel q = project(f, p);
        const uint8_t* c = px_at(f, q.x, q.y);
        ASSERT_TRUE(c);
        EXPECT_GT(c[1], c[2] + 10) << "grass beside the runway at " << across;
        EXPECT_LT(lum(c), 130.0);
    }
    // The centreline: white paint, brighter than the concrete a few metres to its side.
    for (double along : {200.0, 210.0, 220.0}) {
        float mid[3], side[3];
        runway_point(along, 0.0, 0.0, mid);
        runway_point(along, 0.15, 0.0, side);
        const Pixel a = project(f, mid), b = project(f, side);
        EXPECT_GT(brightest_near(f, a.x, a.y, 1) / 3.0, lum(px_at(f, b.x, b.y)) + 25.0) << "centreline at " << along;
        EXPECT_GT(lum(px_at(f, b.x, b.y)), 0.0) << along;
    }
    // Threshold bars 45 m ahead: eight bars either side of the middle, paint on the bars and
    // concrete in the gaps between them (bar 0.0345 and gap 0.0225 of the width, from 0.03 off the
    // centreline).
    for (int side : {-1, 1}) {
        for (int k = 1; k < 7; k++) {
            const double bar = 0.03 + k * 0.057 + 0.01725, gap = 0.03 + k * 0.057 + 0.0345 + 0.01125;
            float pb[3], pg[3];
            runway_point(45.0, side * bar, 0.0, pb);
            runway_point(45.0, side * gap, 0.0, pg);
            const Pixel b = project(f, pb), q = project(f, pg);
            EXPECT_GT(lum(px_at(f, b.x, b.y)), lum(px_at(f, q.x, q.y)) + 30.0) << "bar " << k << " side " << side;
            EXPECT_GT(lum(px_at(f, q.x, q.y)), 0.0) << "gap " << k << " side " << side << " in the frame";
            EXPECT_GT(lum(px_at(f, b.x, b.y)), 190.0) << "bar " << k << " side " << side;
        }
    }
}

// At 01:00 on a 3-degree approach 1500 m before the threshold: the edge lights, the approach
// lights and the four slope-indicator units at their points.
TEST_F(RunwayView, AtNightTheLightsShineAtTheirPoints)
{
    msc.locl_time = 1.0f * 3600.0f;
    float eye[3];
    // 3 degrees above the slope indicator, which stands 200 m past the threshold.
    const double back = -1500.0, height = 1700.0 * std::tan(3.0 * DEG);
    runway_point(back, 0.0, height, eye);
    put_eye(eye, -3.0f, static_cast<float>(rwy_hdng[rwy]));
    const Frame f = draw(2);
    save(f, "runway_06_night.png");
    ASSERT_TRUE(scn.rway_lites_on);
    const float lift = static_cast<float>(flt.Y[0] - env.localh_cg) * 0.02f + 1.0f;
    auto lit_at = [&](int k) {
        const float* p = geo_litexyz[g][k];
        const Pixel q = project(f, p[0], p[1] + lift, p[2]);
        return q.in_front ? brightest_near(f, q.x, q.y, 1) : -1;
    };
    // The dark ground between the lights is nearly black.
    const Rgb ground = mean_rgb(f, 0, 0, f.w - 1, static_cast<int>(0.3 * f.h));
    ASSERT_LT(ground.r + ground.g + ground.b, 60.0);
    // Edge lights of both rows, the first half of the runway (white).
    int lit_edges = 0;
    for (int k = 0; k <= geo_rmax1[g] / 2; k++) lit_edges += lit_at(k) > 240 ? 1 : 0;
    for (int k = 50; k <= 50 + (geo_rmax2[g] - 50) / 2; k++) lit_edges += lit_at(k) > 240 ? 1 : 0;
    // (Those beside the connectors are hidden under them.)
    EXPECT_GE(lit_edges, 40) << "most edge lights lit";
    // Approach: the centre rows 250..269 and their crossbar (ALSF1 on 06).
    ASSERT_EQ(geo_litapp[g][0], 4);
    int lit_app = 0;
    for (int k = 250; k <= 275; k++) lit_app += lit_at(k) > 240 ? 1 : 0;
    EXPECT_GE(lit_app, 22) << "approach lights lit";
    // Halfway between two approach rows nothing shines.
    const float* a = geo_litexyz[g][255];
    const float* b = geo_litexyz[g][256];
    const Pixel mid = project(f, 0.5 * (a[0] + b[0]) + 20.0 * std::cos(rwy_hdng[rwy] * DEG), a[1] + lift,
                              0.5 * (a[2] + b[2]) + 20.0 * std::sin(rwy_hdng[rwy] * DEG));
    EXPECT_LT(lum(px_at(f, mid.x, mid.y)), 40.0);
    EXPECT_GE(lum(px_at(f, mid.x, mid.y)), 0.0) << "in the frame";
    // PAPI on the glide path: the two outer units (left of the runway, first two) white, the
    // inner two red.
    ASSERT_EQ(geo_litgls[g][0], 3);
    for (int u = 0; u < 4; u++) {
        const float* p = geo_litexyz[g][276 + u];
        const Pixel q = project(f, p[0], p[1] + lift, p[2]);
        int bx = 0, by = 0;
        brightest_near(f, q.x, q.y, 1, &bx, &by);
        const uint8_t* c = f.px(bx, by);
        if (u < 2) EXPECT_GT(c[2], 200) << "unit " << u << " white";
        else EXPECT_LT(c[2], 120) << "unit " << u << " red";
        EXPECT_GT(c[0], 200) << "unit " << u << " lit";
    }
}

// The approach flasher moves one lead-in spacing toward the runway each step.
TEST_F(RunwayView, ApproachFlasherSteps)
{
    msc.locl_time = 1.0f * 3600.0f;
    step_flashers(1);
    const float* s = geo_rabSxyz[g][0];
    const float* d = geo_rabDxyz[g][0];
    // Looking straight down from 300 m over the flasher's third step.
    const float over[3] = {s[0] + 3.0f * d[0], s[1] + 300.0f, s[2] + 3.0f * d[2]};
    put_eye(over, -90.0f, static_cast<float>(rwy_hdng[rwy]));
    const float lift = static_cast<float>(flt.Y[0] - env.localh_cg) * 0.02f + 1.0f;
    for (int step = 0; step <= 5; step++) {
        const Frame f = draw(1);
        // The flasher is the one pure white light: find it near where it should be.
        const float* p = geo_litexyz[g][280];
        const Pixel want = project(f, s[0] + step * d[0], p[1] + lift, s[2] + step * d[2]);
        int bx = 0, by = 0;
        brightest_near(f, want.x, want.y, 2, &bx, &by);
        const uint8_t* c = f.px(bx, by);
        EXPECT_GT(c[2], 230) << "step " << step << ": the flasher is where its run puts it";
        // And not where the previous step was.
        if (step > 0) {
            const Pixel was = project(f, s[0] + (step - 1) * d[0], p[1] + lift, s[2] + (step - 1) * d[2]);
            const uint8_t* w = px_at(f, was.x, was.y);
            ASSERT_TRUE(w);
            EXPECT_LT(w[2], 120) << "step " << step;
        }
        if (HasFailure()) {
            save(f, "flasher.png");
            return;
        }
        step_flashers(0);
    }
}

// Looking straight down on the windsock at the far end of 06 from 12 m: the sock lies downwind of
// its pole for winds from three directions (the region's x east, z south; north up on the screen).
TEST_F(RunwayView, WindsockPointsDownwind)
{
    const float sock[3] = {geo_sockxyz[g][0][0], geo_sockxyz[g][0][1], geo_sockxyz[g][0][2]};
    ASSERT_GT(sock[1], -999.0f);
    const float over[3] = {sock[0], sock[1] + 12.0f, sock[2]};
    put_eye(over, -90.0f, 0.0f);
    struct Wind {
        float x, z;
    } winds[] = {{10.0f, 0.0f}, {0.0f, 10.0f}, {-8.0f, -8.0f}};
    // The picture without the sock, to find the sock's pixels by difference.
    geo_sockxyz[g][0][1] = -999.9f;
    const Frame bare = draw(1);
    geo_sockxyz[g][0][1] = sock[1];
    for (const Wind& w : winds) {
        atm.wind_X = w.x;
        atm.wind_Y = 0.0f;
        atm.wind_Z = w.z;
        const Frame f = draw(1);
        const Diff d = diff(f, bare, 16);
        if (d.n <= 200) {
            save(f, "windsock.png");
            save(bare, "windsock_bare.png");
        }
        ASSERT_GT(d.n, 200) << "the sock is drawn";
        const Pixel pole = project(f, sock);
        // Downwind: east is to the right, south down.
        const double want = std::atan2(-w.z, w.x), got = std::atan2(d.cy - pole.y, d.cx - pole.x);
        EXPECT_NEAR(std::remainder(got - want, 2.0 * 3.14159265358979), 0.0, 0.2)
            << "wind (" << w.x << ", " << w.z << "): sock toward " << got / DEG << " degrees, want " << want / DEG;
        // Horizontal in a 10 m/s wind: it reaches 2.5 m from the pole, some 110 px at 12 m.
        const double reach = std::hypot(d.x1 - d.x0, d.y1 - d.y0);
        EXPECT_GT(reach, 60.0);
        if (HasFailure() || w.x > 5.0f) save(f, HasFailure() ? "windsock.png" : "windsock_east_wind.png");
    }
}

// Two hundred frames of the day and night runway views allocate nothing, and each frame binds
// every texture at most once (roof and runway pavement share one picture: twice).
TEST_F(RunwayView, FramesAllocateNothingAndBindEachTextureOnce)
{
    float eye[3];
    runway_point(3.0, 0.0, 2.5, eye);
    put_eye(eye, 0.0f, static_cast<float>(rwy_hdng[rwy]));
    static int32_t binds[TEXTURES_COUNTED];
    for (float hour : {12.0f, 1.0f}) {
        msc.locl_time = hour * 3600.0f;
        EXPECT_EQ(allocations_of_frames(200), 0) << hour << " h";
        binds_of_a_frame(binds);
        int runway_binds = 0;
        for (int t = 0; t < TEXTURES_COUNTED; t++) {
            EXPECT_LE(binds[t], t == 86 ? 2 : 1) << "texture " << t << " at " << hour << " h";
            if (t >= 62 && t <= 115) runway_binds += binds[t];
        }
        EXPECT_GE(runway_binds, 8) << "the runway and its pavement are drawn";
    }
}

}  // namespace
