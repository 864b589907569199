// hw_flight_test.cpp -- the new airplane and the new helicopter, saved as they come and flown in the
// windowless flight harness: the airplane takes off from the runway and climbs, the helicopter
// lifts off its skids into a hover.
#include "flight_harness.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "hullwright.h"
#include "kvtest.h"
#include "test_pilot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// Makes the new aircraft of the kind and saves it without an edit; returns its path.
std::string save_new(int heli, const TempDir& dir, const TempDir& cfg)
{
    clear_globals();
    hl_build_paths(KV_PROGRAM_DIR "/", cfg.str().c_str(), "Hullwright.prf");
    hw_defaults();
    pln[0].is_heli = heli;
    setup_baseplane("Untitled.acf");
    const std::string path = dir.str() + (heli ? "/New Helicopter.acf" : "/New Airplane.acf");
    std::snprintf(pln[0].C_path, STR_LEN, "%s", path.c_str());
    hmsc.planenamed = 1;
    EXPECT_EQ(writeout(0), 1);
    return path;
}

}  // namespace

TEST(NewAircraft, AirplaneTakesOffFromTheRunwayAndClimbs)
{
    TempDir dir, cfg;
    const std::string path = save_new(0, dir, cfg);
    fh_world();
    clear_recorded_alerts();
    ASSERT_EQ(fh_load(path.c_str()), 1);
    EXPECT_TRUE(recorded_alerts().empty()) << recorded_alerts()[0].l1;
    ASSERT_FALSE(pln[0].is_heli);

    // At rest on the runway, brakes on, then full power with the brakes off.
    fh_start_ground(0.0f);
    TestPilot pilot;
    pilot.hold_heading_on_ground = true;
    pilot.heading = 0.0f;
    pilot.hold_bank = true;
    ASSERT_TRUE(fly_checked(pilot, 3.0f));
    EXPECT_TRUE(flt.onground);
    fh_controls c = fh_get_controls();
    c.brake = 0.0f;
    c.throttle = 1.0f;
    fh_set_controls(c);
    // The roll, the rotation at 90 % of the stall speed, and the climb at 8 degrees nose up.
    const float rotate = 0.9f * msc.est_Vs;
    float lift_off_speed = 0.0f;
    ASSERT_TRUE(fly_each(pilot, 60.0f, [&] {
        if (flt.onground) lift_off_speed = flt.av;
        if (flt.av >= rotate && !pilot.hold_pitch) {
            pilot.hold_pitch = true;
            pilot.pitch_deg = 8.0f;
            pilot.hold_heading_on_ground = false;
            pilot.coordinate = true;
        }
        return flt.onground || fh_height() < 3.0f;
    }));
    ASSERT_FALSE(flt.onground) << "no lift-off within a minute";
    EXPECT_GT(lift_off_speed, 0.7f * msc.est_Vs);
    // Half a minute of climbing: above 60 m and still going up at a light airplane's rate.
    const float h0 = fh_height();
    ASSERT_TRUE(fly_checked(pilot, 30.0f));
    EXPECT_GT(fh_height(), h0 + 60.0f);
    EXPECT_GT(flt.vY, 1.5);
    EXPECT_FALSE(flt.onground);
    EXPECT_LT(std::fabs(flt.phi[0]), 10.0f);
}

TEST(NewAircraft, HelicopterLiftsIntoAHover)
{
    TempDir dir, cfg;
    const std::string path = save_new(1, dir, cfg);
    fh_world();
    clear_recorded_alerts();
    ASSERT_EQ(fh_load(path.c_str()), 1);
    EXPECT_TRUE(recorded_alerts().empty()) << recorded_alerts()[0].l1;
    ASSERT_TRUE(pln[0].is_heli);

    // On its skids with the rotor turning, then the collective raised for a hover at 5 m.
    fh_start_ground(0.0f);
    set_throttle(1.0f);
    TestPilot pilot;
    pilot.hover = true;
    pilot.hover_height = 5.0f;
    pilot.heading = 0.0f;
    ASSERT_TRUE(fly_checked(pilot, 20.0f));
    EXPECT_FALSE(flt.onground) << "still on the skids";
    // Twenty seconds more: it holds its height and its spot.
    const double x0 = flt.X[0], z0 = flt.Z[0];
    float lo = 1e9f, hi = -1e9f;
    ASSERT_TRUE(fly_each(pilot, 20.0f, [&] {
        lo = std::fmin(lo, fh_height());
        hi = std::fmax(hi, fh_height());
        return true;
    }));
    EXPECT_GT(lo, 3.0f);
    EXPECT_LT(hi, 7.0f);
    EXPECT_LT(std::hypot(flt.X[0] - x0, flt.Z[0] - z0), 10.0);
    EXPECT_TRUE(flt.eng_running[0]);
}
