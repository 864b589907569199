// view_test.cpp -- the outside view's region shift: one square per frame at most, only past the
// margins, and the integrated position in degrees unchanged by a shift under a standing aircraft;
// the camera angles of the views fixed to the aircraft and the places of the outside cameras.
#include "view.h"

#include "flight_harness.h"
#include "fltutil.h"
#include "genwrld.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "integ.h"
#include "kvdb.h"
#include "kvtest.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

const std::string kDataDir = std::string(KV_SOURCE_DIR) + "/data/additional nav data";

class RegionShift : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        hl_fill_constants();
        kvdb_set_units();
        kvdb_load(kDataDir);
        hl_build_paths(KV_PROGRAM_DIR "/", "/tmp", nullptr);
        env.lat_sou = 33;
        env.lon_wes = -119;
        load_region(1);
    }
};

TEST_F(RegionShift, OneSquareAFrameAndOnlyPastTheMargins)
{
    struct Case {
        double lat, lon;
        int shifted, lat_sou, lon_wes;
    } cases[] = {
        {34.0, -118.049, 0, 33, -119},   // just inside the western margin: stays
        {34.0, -118.051, 1, 33, -120},   // just past it: a square west
        {34.0, -116.951, 0, 33, -119},   // the eastern margin
        {34.0, -116.949, 1, 33, -118},
        {33.451, -117.5, 0, 33, -119},   // the southern margin
        {33.449, -117.5, 1, 32, -119},
        {34.549, -117.5, 0, 33, -119},   // the northern margin
        {34.551, -117.5, 1, 34, -119},
        {33.2, -116.5, 1, 33, -118},     // past two margins: east first, one square only
    };
    for (const Case& c : cases) {
        SetUp();
        flt.lat = (float)c.lat;
        flt.lon = (float)c.lon;
        EXPECT_EQ(keep_region_around_aircraft(), c.shifted) << c.lat << " " << c.lon;
        EXPECT_EQ(env.lat_sou, c.lat_sou) << c.lat << " " << c.lon;
        EXPECT_EQ(env.lon_wes, c.lon_wes) << c.lat << " " << c.lon;
    }
}

TEST_F(RegionShift, AStandingAircraftKeepsItsLatitudeAndLongitudeThroughShifts)
{
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    // High above the ground near the north-east corner, at rest in still air.
    const double lat = 34.58, lon = -116.93;
    flt.X[0] = X_with_latlon(lat, lon);
    flt.Z[0] = Z_with_lat(lat);
    flt.Y[0] = 5000.0;
    flt.costhe = flt.cosphi = flt.cospsi = 1.0f;
    msc.prd = 0.01f;
    atm.rho = 1.0f;
    atm.a = 340.0f;
    integ_vx();
    const float lat0 = flt.lat, lon0 = flt.lon;
    EXPECT_NEAR(lat0, lat, 1e-4);
    EXPECT_NEAR(lon0, lon, 1e-4);
    // Two shifts, east then north (one a frame), each followed by a sub-step of integration.
    for (int k = 0; k < 2; k++) {
        ASSERT_EQ(keep_region_around_aircraft(), 1);
        flt.vX = flt.vY = flt.vZ = 0.0;
        flt.X[0] = X_with_latlon(lat, lon);   // where the conversion puts the same point now
        flt.Z[0] = Z_with_lat(lat);
        integ_vx();
        EXPECT_NEAR(flt.lat, lat0, 1e-4) << "shift " << k;
        EXPECT_NEAR(flt.lon, lon0, 1e-4) << "shift " << k;
        EXPECT_NEAR(lon_with_xz(flt.X[0], flt.Z[0]), flt.lon, 1e-4) << "shift " << k;
    }
    EXPECT_EQ(env.lon_wes, -118);
    EXPECT_EQ(env.lat_sou, 34);
    EXPECT_EQ(keep_region_around_aircraft(), 0);
}

// The views fixed to the aircraft, for an aircraft pitched up 10, heading 100 and rolled 20
// degrees right. Looking out to the right of a right-rolled aircraft one looks down at the ground
// (pitch -phi); to the left, up; looking back, the nose-up pitch becomes a nose-down view.
TEST(CockpitViews, TurnTheAttitudeByTheViewsOffset)
{
    struct Case {
        int view;
        float the, psi, phi;
    } cases[] = {
        {500, 10.0f, 100.0f, 20.0f},  {521, 10.0f, 100.0f, 20.0f},  {522, 10.0f, 100.0f, 20.0f},
        {501, 6.0f, 100.0f, 20.0f},   {502, 2.0f, 100.0f, 20.0f},   {504, 15.0f, 55.0f, 5.0f},
        {505, -5.0f, 145.0f, 15.0f},  {506, 20.0f, 10.0f, -10.0f},  {507, -20.0f, 190.0f, 10.0f},
        {508, 5.0f, 325.0f, -15.0f},  {509, -15.0f, 235.0f, -5.0f}, {511, -10.0f, 280.0f, -20.0f},
    };
    for (const Case& c : cases) {
        float the, psi, phi;
        view_cockpit_angles(c.view, 10.0f, 100.0f, 20.0f, &the, &psi, &phi);
        EXPECT_NEAR(the, c.the, 1e-4f) << c.view;
        EXPECT_NEAR(psi, c.psi, 1e-4f) << c.view;
        EXPECT_NEAR(phi, c.phi, 1e-4f) << c.view;
    }
    // The heading stays within 0..360 past north.
    float the, psi, phi;
    view_cockpit_angles(506, 0.0f, 30.0f, 0.0f, &the, &psi, &phi);
    EXPECT_NEAR(psi, 300.0f, 1e-4f);
    view_cockpit_angles(511, 0.0f, 350.0f, 0.0f, &the, &psi, &phi);
    EXPECT_NEAR(psi, 170.0f, 1e-4f);
    // Only the six cameras outside the aircraft look at it from elsewhere.
    int outside = 0;
    for (int v = 500; v <= 530; v++) outside += view_is_outside(v);
    EXPECT_EQ(outside, 6);
    EXPECT_EQ(view_is_outside(513) + view_is_outside(514) + view_is_outside(516) + view_is_outside(517) +
                  view_is_outside(518) + view_is_outside(519),
              6);
}

TEST(OutsideCameras, PlacesForChaseFollowRunwayAndSpot)
{
    clear_globals();
    flt.X[0] = 1000.0;
    flt.Y[0] = 500.0;
    flt.Z[0] = -2000.0;
    scn.dist = 20.0f;
    float p[3];
    struct Case {
        float hpath, vpath;
        float want[3];
    } chase[] = {
        {0.0f, 0.0f, {1000.0f, 500.0f, -1980.0f}},    // flying north: the camera 20 m south
        {90.0f, 0.0f, {980.0f, 500.0f, -2000.0f}},    // east: 20 m west
        {180.0f, 30.0f, {1000.0f, 490.0f, -2020.0f}}, // south and climbing 30: 10 m lower
        {270.0f, -90.0f, {1020.0f, 520.0f, -2000.0f}},
    };
    for (const Case& c : chase) {
        flt.hpath = c.hpath;
        flt.vpath = c.vpath;
        view_outside_target(VIEW_CHASE, p);
        for (int k = 0; k < 3; k++) EXPECT_NEAR(p[k], c.want[k], 1e-3f) << c.hpath << " / " << c.vpath << " axis " << k;
    }
    // The follow views keep the chase distance in the direction the arrow keys set.
    for (int view : {VIEW_FOLLOW, VIEW_FOLLOW_PANEL}) {
        msc.freeviewXZ = 0.7f;
        msc.freeviewY = 0.3f;
        view_outside_target(view, p);
        const double dx = p[0] - flt.X[0], dy = p[1] - flt.Y[0], dz = p[2] - flt.Z[0];
        EXPECT_NEAR(std::sqrt(dx * dx + dy * dy + dz * dz), 20.0, 1e-3) << view;
        EXPECT_NEAR(std::asin(dy / 20.0), 0.3, 1e-4) << view;
        EXPECT_NEAR(std::atan2(dx, dz), 0.7, 1e-4) << view;
    }
    msc.runwayview_X = 1.0f;
    msc.runwayview_Y = 2.0f;
    msc.runwayview_Z = 3.0f;
    msc.spotview_X = 4.0f;
    msc.spotview_Y = 5.0f;
    msc.spotview_Z = 6.0f;
    view_outside_target(VIEW_RUNWAY, p);
    EXPECT_EQ(p[0] + p[1] + p[2], 6.0f);
    EXPECT_EQ(p[1], 2.0f);
    view_outside_target(VIEW_SPOT, p);
    EXPECT_EQ(p[0], 4.0f);
    EXPECT_EQ(p[2], 6.0f);
}

TEST(OutsideCameras, EyePointTurnsWithTheAircraft)
{
    clear_globals();
    flt.X[0] = 100.0;
    flt.Y[0] = 50.0;
    flt.Z[0] = 10.0;
    pln[0].peX = 0.0f;
    pln[0].peY = 1.0f;    // 1 m above the centre of gravity
    pln[0].peZ = -2.0f;   // 2 m ahead of it
    struct Case {
        float the, psi, phi;
        float want[3];
    } cases[] = {
        {0.0f, 0.0f, 0.0f, {100.0f, 51.0f, 8.0f}},    // north: ahead is -z
        {0.0f, 90.0f, 0.0f, {102.0f, 51.0f, 10.0f}},  // east: ahead is +x
        {90.0f, 0.0f, 0.0f, {100.0f, 52.0f, 11.0f}},  // nose straight up: ahead is up, up is south
        {0.0f, 0.0f, 90.0f, {101.0f, 50.0f, 8.0f}},   // rolled right on its side: up points east
    };
    for (const Case& c : cases) {
        flt.the[0] = c.the;
        flt.psi[0] = c.psi;
        flt.phi[0] = c.phi;
        float p[3];
        view_eye_point(p);
        for (int k = 0; k < 3; k++) EXPECT_NEAR(p[k], c.want[k], 1e-4f) << c.the << "/" << c.psi << "/" << c.phi << " axis " << k;
    }
}

}  // namespace
