// flight_fleet_test.cpp -- the bundled glider, helicopter, jet and floatplane flown in the harness:
// the glider's glide, a hover, a dive through Mach 1, floating and taking off from water.
#include "flight_harness.h"
#include "hl_types.h"
#include "test_pilot.h"

#include <kvtest.h>

#include <cmath>

TEST(Glider, GlidesAtTheLiftToDragRatioOfASailplane)
{
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_GLIDER)), 1);
    ASSERT_EQ(pln[0].numen, 0);
    fh_start_air(2000.0f, 30.0f, 0.0f);
    TestPilot pilot = speed_pilot(1.4f * msc.est_Vs);   // near its best glide
    ASSERT_TRUE(fly_checked(pilot, 60.0f));
    double ld = 0.0;
    ASSERT_TRUE(glide_ratio(pilot, 30.0f, &ld));
    EXPECT_GT(ld, 25.0);
    EXPECT_LT(ld, 40.0);
}

TEST(Helicopter, HoversOverItsSpot)
{
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_HELI)), 1);
    ASSERT_TRUE(pln[0].is_heli);
    fh_start_air(20.0f, 0.0f, 0.0f);
    set_throttle(1.0f);
    TestPilot pilot;
    pilot.hover = true;
    pilot.hover_height = 20.0f;
    pilot.heading = 0.0f;
    ASSERT_TRUE(fly_checked(pilot, 30.0f));   // settle
    double x0 = flt.X[0], z0 = flt.Z[0];
    float lo = 1e9f, hi = -1e9f, fastest = 0.0f;
    ASSERT_TRUE(fly_each(pilot, 30.0f, [&] {
        lo = std::fmin(lo, fh_height());
        hi = std::fmax(hi, fh_height());
        fastest = std::fmax(fastest, flt.v[0]);
        return true;
    }));
    EXPECT_FALSE(flt.onground);
    EXPECT_GT(lo, 17.0f);
    EXPECT_LT(hi, 23.0f);
    EXPECT_LT(fastest, 1.5f);
    EXPECT_LT(std::hypot(flt.X[0] - x0, flt.Z[0] - z0), 10.0);
    EXPECT_TRUE(flt.eng_running[0]);
    // The rotor turns near its governed speed and carries the weight.
    EXPECT_NEAR(flt.tac[0], pln[0].omegamax, 0.2f * pln[0].omegamax);
    EXPECT_NEAR(flt.tac[1], flt.tac[0] * pln[0].trotor_rat, 0.01f * flt.tac[1]);
}

TEST(Jet, DivesThroughMachOneWithoutAJumpInItsForces)
{
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_JET)), 1);
    fh_start_air(11000.0f, 250.0f, 0.0f);
    set_throttle(1.0f);
    TestPilot pilot;
    pilot.hold_pitch = true;
    pilot.pitch_deg = -20.0f;
    pilot.hold_bank = true;
    pilot.coordinate = true;
    pilot.fly();
    const float W = flt.m_total * atm.g;
    float prev_fa = 0.0f, prev_fn = 0.0f, worst_step = 0.0f, top = 0.0f;
    bool have_prev = false;
    ASSERT_TRUE(fly_each(pilot, 90.0f, [&] {
        top = std::fmax(top, flt.machno);
        if (flt.machno > 0.85f && flt.machno < 1.1f) {
            // The aerodynamic force from one frame to the next.
            if (have_prev) {
                float step = std::hypot(flt.faxilaero - prev_fa, flt.fnrmlaero - prev_fn);
                worst_step = std::fmax(worst_step, step);
            }
            prev_fa = flt.faxilaero;
            prev_fn = flt.fnrmlaero;
            have_prev = true;
        }
        return top < 1.1f;
    })) << flt.machno;
    EXPECT_GE(top, 1.1f) << "never got past Mach 1";
    EXPECT_TRUE(flt.after_burning[0]);
    EXPECT_LT(worst_step, 0.02f * W);
}

TEST(Floatplane, FloatsAtRestAndTakesOffFromWater)
{
    fh_world_options water;
    water.water = 1;
    fh_world(water);
    ASSERT_EQ(fh_load(fh_bundled(FH_FLOATPLANE)), 1);
    fh_start_ground(0.0f);
    for (float& m : flt.mixt) m = 0.0f;   // engine off and stopped: nothing drives it
    for (float& t : flt.tac) t = 0.0f;
    TestPilot pilot;
    ASSERT_TRUE(fly_checked(pilot, 20.0f));
    const float W = flt.m_total * atm.g;
    // Floating: the water carries the weight, the aircraft neither sinks nor moves off.
    double x0 = flt.X[0], z0 = flt.Z[0];
    float h0 = fh_height();
    ASSERT_TRUE(fly_checked(pilot, 10.0f));
    EXPECT_TRUE(flt.onground);
    EXPECT_NEAR(flt.fnrmlgear, W, 0.05f * W);
    EXPECT_NEAR(fh_height(), h0, 0.05f);
    EXPECT_LT(std::hypot(flt.X[0] - x0, flt.Z[0] - z0), 0.5);
    EXPECT_LT(std::fabs(flt.the[0]), 5.0f);
    EXPECT_LT(std::fabs(flt.phi[0]), 2.0f);

    // Full power, half flaps, and the nose up once planing fast: off the water.
    for (float& m : flt.mixt) m = 1.0f;
    flt.tac[0] = pln[0].omegamax;   // the propeller spun up again
    fh_controls c = fh_get_controls();
    c.throttle = 1.0f;
    c.flap = 0.5f;
    c.brake = 0.0f;
    fh_set_controls(c);
    pilot.hold_bank = true;
    pilot.hold_heading_on_ground = true;
    pilot.heading = 0.0f;
    pilot.hold_pitch = true;
    pilot.pitch_deg = 2.0f;
    int airborne = 0;
    ASSERT_TRUE(fly_each(pilot, 60.0f, [&] {
        airborne = flt.onground ? 0 : airborne + 1;
        if (flt.av > 0.5f * msc.est_Vs) pilot.pitch_deg = 9.0f;   // from the next frame on
        return airborne < 120;
    }));
    EXPECT_EQ(airborne, 120) << "still on the water";
    EXPECT_GT(fh_height(), 3.0f);
    EXPECT_GT(flt.vY, 0.5);
}
