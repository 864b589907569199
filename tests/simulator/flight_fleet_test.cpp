// flight_fleet_test.cpp -- the bundled glider, helicopter, jet and floatplane flown in the harness:
// the glider's glide, a hover, a dive through Mach 1, floating and taking off from water.
#include "flight_harness.h"
#include "hl_types.h"
#include "test_pilot.h"

#include <kvtest.h>

#include <cmath>

namespace {

const char* const GLIDER = "planes/General Aviation/Schweizer 2-32/Schweizer 2-32.acf";
const char* const HELICOPTER = "planes/Helicopters/Bell 206B JetRanger III/Bell 206B JetRanger III.acf";
const char* const JET = "planes/Fighters/T-38A Talon/T-38A Talon.acf";
const char* const FLOATPLANE = "planes/Seaplanes/DHC-2 Beaver Floatplane/DHC-2 Beaver Floatplane.acf";

bool fly(TestPilot& pilot, float seconds)
{
    int n = (int)std::lround(seconds / msc.prd);
    for (int k = 0; k < n; k++) {
        pilot.fly();
        if (!fh_state_finite()) return false;
    }
    return true;
}

float horizontal_speed() { return (float)std::sqrt(flt.vX * flt.vX + flt.vZ * flt.vZ); }

}  // namespace

TEST(Glider, GlidesAtTheLiftToDragRatioOfASailplane)
{
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(GLIDER)), 1);
    ASSERT_EQ(pln[0].numen, 0);
    fh_start_air(2000.0f, 30.0f, 0.0f);
    TestPilot pilot;
    pilot.hold_speed_by_pitch = true;
    pilot.speed = 1.4f * msc.est_Vs;   // near its best glide
    pilot.hold_bank = true;
    pilot.coordinate = true;
    ASSERT_TRUE(fly(pilot, 60.0f));
    double hs = 0.0, vs = 0.0;
    for (int k = 0; k < 30 * 60; k++) {
        pilot.fly();
        ASSERT_TRUE(fh_state_finite());
        hs += horizontal_speed();
        vs += flt.vY;
    }
    double ld = hs / -vs;
    EXPECT_GT(ld, 25.0);
    EXPECT_LT(ld, 40.0);
}

TEST(Helicopter, HoversOverItsSpot)
{
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(HELICOPTER)), 1);
    ASSERT_TRUE(pln[0].is_heli);
    fh_start_air(20.0f, 0.0f, 0.0f);
    fh_controls c = fh_get_controls();
    c.throttle = 1.0f;
    fh_set_controls(c);
    TestPilot pilot;
    pilot.hover = true;
    pilot.hover_height = 20.0f;
    pilot.heading = 0.0f;
    ASSERT_TRUE(fly(pilot, 30.0f));   // settle
    double x0 = flt.X[0], z0 = flt.Z[0];
    float lo = 1e9f, hi = -1e9f, fastest = 0.0f;
    for (int k = 0; k < 30 * 60; k++) {
        pilot.fly();
        ASSERT_TRUE(fh_state_finite());
        lo = std::fmin(lo, fh_height());
        hi = std::fmax(hi, fh_height());
        fastest = std::fmax(fastest, flt.v[0]);
    }
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
    ASSERT_EQ(fh_load(fh_bundled(JET)), 1);
    fh_start_air(11000.0f, 250.0f, 0.0f);
    fh_controls c = fh_get_controls();
    c.throttle = 1.0f;
    fh_set_controls(c);
    TestPilot pilot;
    pilot.hold_pitch = true;
    pilot.pitch_deg = -20.0f;
    pilot.hold_bank = true;
    pilot.coordinate = true;
    pilot.fly();
    const float W = flt.m_total * atm.g;
    float prev_fa = 0.0f, prev_fn = 0.0f, worst_step = 0.0f, top = 0.0f;
    bool have_prev = false;
    for (int k = 0; k < 60 * 90 && top < 1.1f; k++) {
        pilot.fly();
        ASSERT_TRUE(fh_state_finite()) << flt.machno;
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
    }
    EXPECT_GE(top, 1.1f) << "never got past Mach 1";
    EXPECT_TRUE(flt.after_burning[0]);
    EXPECT_LT(worst_step, 0.02f * W);
}

TEST(Floatplane, FloatsAtRestAndTakesOffFromWater)
{
    fh_world_options water;
    water.water = 1;
    fh_world(water);
    ASSERT_EQ(fh_load(fh_bundled(FLOATPLANE)), 1);
    fh_start_ground(0.0f);
    for (float& m : flt.mixt) m = 0.0f;   // engine off and stopped: nothing drives it
    for (float& t : flt.tac) t = 0.0f;
    TestPilot pilot;
    ASSERT_TRUE(fly(pilot, 20.0f));
    const float W = flt.m_total * atm.g;
    // Floating: the water carries the weight, the aircraft neither sinks nor moves off.
    double x0 = flt.X[0], z0 = flt.Z[0];
    float h0 = fh_height();
    ASSERT_TRUE(fly(pilot, 10.0f));
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
    for (int k = 0; k < 60 * 60 && airborne < 120; k++) {
        if (flt.av > 0.5f * msc.est_Vs) pilot.pitch_deg = 9.0f;
        pilot.fly();
        ASSERT_TRUE(fh_state_finite());
        airborne = flt.onground ? 0 : airborne + 1;
    }
    EXPECT_EQ(airborne, 120) << "still on the water";
    EXPECT_GT(fh_height(), 3.0f);
    EXPECT_GT(flt.vY, 0.5);
}
