// view_test.cpp -- the outside view's region shift: one square per frame at most, only past the
// margins, and the integrated position in degrees unchanged by a shift under a standing aircraft.
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

}  // namespace
