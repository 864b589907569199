// flight_trainer_test.cpp -- the default trainer flown in the windowless harness: vacuum, parking,
// take-off, cruise, stall, glide, phugoid and turn, each against a figure worked out here from the
// aircraft's own weight, geometry and airfoils.
#include "flight_harness.h"
#include "fltcalc.h"
#include "hl_types.h"
#include "test_pilot.h"

#include <kvtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr float PI = 3.14159265f;

class Trainer : public ::testing::Test {
protected:
    void SetUp() override
    {
        fh_world();
        ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    }
    static float weight() { return flt.m_total * atm.g; }
};

// Plan area (both halves) of the wing parts.
float wing_area(void)
{
    float s = 0.0f;
    for (int p = 4; p <= 9; p++)
        for (int e = 0; e < pln[0].els[p]; e++) s += pln[0].s[p][e];
    return s;
}

// Smallest drag coefficient in the positive drag table of a part's root airfoil.
float min_cd(int p)
{
    float m = 1.0f;
    for (int i = 0; i < 271; i++) m = std::min(m, afl[0].cdpos[p][0][0][i]);
    return m;
}

// Drag area (m^2) of the aircraft at zero lift: profile drag of every lifting part at its
// airfoil's minimum, the bodies' frontal areas and the exposed tyres.
float zero_lift_drag_area(void)
{
    const planestruct& pl = pln[0];
    float a = 0.0f;
    for (int p = 4; p <= 13; p++)
        for (int e = 0; e < pl.els[p]; e++) a += pl.s[p][e] * min_cd(p);
    a += pl.fuse_cd * pl.fuse_s_frn;
    a += 3.0f * 0.05f * pl.fair_s;
    a += 3.0f * 0.25f * 1.6f * pl.wheelrad * pl.wheelrad * (pl.fair_eq ? 0.1f : 1.0f);
    return a;
}

// Drag (N) in level flight at true airspeed V and density rho, from the zero-lift drag area and
// the wing's induced drag. A fuselage in the propeller's wash meets the faster stream that
// momentum theory gives for thrust T through the disc.
float level_drag(float V, float rho, float W, float T)
{
    const planestruct& pl = pln[0];
    float q = 0.5f * rho * V * V;
    float S = wing_area();
    float cl = W / (q * S);
    float drag = q * (zero_lift_drag_area() + S * cl * cl / (PI * pl.e[4] * pl.AR[4]));
    if (pl.fusewash && pl.discarea[0] > 0.0f) {
        float dv = std::sqrt(V * V + 2.0f * T / (rho * pl.discarea[0])) - V;
        float vw = V + dv;
        drag += 0.5f * rho * (vw * vw - V * V) * pl.fuse_cd * pl.fuse_s_frn;
    }
    return drag;
}

}  // namespace

TEST_F(Trainer, InVacuumOnlyGravityActs)
{
    fh_start_air(80000.0f, 100.0f, 45.0f);
    TestPilot pilot;   // hands off
    double vx0 = flt.vX, vz0 = flt.vZ;
    float the0 = flt.the[0], psi0 = flt.psi[0], phi0 = flt.phi[0];
    ASSERT_TRUE(fly_checked(pilot, 2.0f));
    EXPECT_EQ(atm.rho, 0.0f);
    // Free fall: 2 s of gravity at this height, no other force, no rotation.
    EXPECT_NEAR(flt.vY, -2.0 * atm.g, 1e-3 * atm.g);
    EXPECT_NEAR(flt.vX, vx0, 1e-4);
    EXPECT_NEAR(flt.vZ, vz0, 1e-4);
    EXPECT_NEAR(flt.the[0], the0, 1e-4);
    EXPECT_NEAR(flt.psi[0], psi0, 1e-4);
    EXPECT_NEAR(flt.phi[0], phi0, 1e-4);
    EXPECT_EQ(flt.faxilaero, 0.0f);
    EXPECT_EQ(flt.fnrmlprop, 0.0f);
    EXPECT_EQ(flt.L, 0.0f);
    EXPECT_EQ(flt.M, 0.0f);
    EXPECT_EQ(flt.N, 0.0f);
}

TEST_F(Trainer, ParkedWithBrakeSettlesAtItsRestingAttitudeAndStaysStill)
{
    fh_start_ground(90.0f);
    TestPilot pilot;
    ASSERT_TRUE(fly_checked(pilot, 10.0f));
    EXPECT_TRUE(flt.onground);
    EXPECT_NEAR(fh_height(), pln[0].h_eqlbm, 0.05f);
    EXPECT_NEAR(flt.the[0], pln[0].the_eqlbm, 1.0f);
    EXPECT_NEAR(flt.phi[0], 0.0f, 0.5f);
    EXPECT_LT(flt.v[0], 0.05f);
    // Gear forces carry the weight.
    EXPECT_NEAR(flt.fnrmlgear, weight(), 0.03f * weight());
    double x0 = flt.X[0], z0 = flt.Z[0];
    float h0 = fh_height();
    ASSERT_TRUE(fly_checked(pilot, 10.0f));
    EXPECT_LT(std::hypot(flt.X[0] - x0, flt.Z[0] - z0), 0.25);
    EXPECT_NEAR(fh_height(), h0, 0.01f);
    EXPECT_LT(std::fabs(flt.Q) + std::fabs(flt.P) + std::fabs(flt.R), 0.5f);
}

TEST_F(Trainer, TakeOffRollMatchesItsThrustDragAndFriction)
{
    fh_start_ground(0.0f);
    TestPilot pilot;
    pilot.hold_heading_on_ground = true;
    pilot.heading = 0.0f;
    pilot.hold_bank = true;
    ASSERT_TRUE(fly_checked(pilot, 2.0f));   // settle
    fh_controls c = fh_get_controls();
    c.brake = 0.0f;
    c.throttle = 1.0f;
    fh_set_controls(c);

    const double x0 = flt.X[0], z0 = flt.Z[0];
    const float rotate = 0.9f * msc.est_Vs;
    double thrust_sum = 0.0;
    int frames = 0, airborne = 0;
    float v_lo = 0.0f;
    double dist = 0.0;
    ASSERT_TRUE(fly_each(pilot, 90.0f, [&] {
        if (flt.onground) {
            airborne = 0;
            thrust_sum += flt.faxilprop;
            frames++;
            v_lo = flt.av;
            dist = std::hypot(flt.X[0] - x0, flt.Z[0] - z0);
        } else {
            airborne++;
        }
        // Rotate from the next frame on.
        if (flt.av >= rotate && !pilot.hold_pitch) {
            pilot.hold_pitch = true;
            pilot.pitch_deg = 9.0f;
        }
        return airborne < 30;
    }));
    ASSERT_EQ(airborne, 30) << "no lift-off";
    EXPECT_GT(v_lo, 0.75f * msc.est_Vs);
    EXPECT_GT(fh_height(), 1.0f);

    // The roll a constant mean acceleration gives: mean thrust, drag and rolling friction taken
    // at 70 % of the lift-off speed, where the lift is about half the weight.
    const float W = weight(), m = flt.m_total, rho = atm.rho, mu = 0.04f;
    float v7 = 0.7f * v_lo;
    float drag = 0.5f * rho * v7 * v7 * zero_lift_drag_area();
    float lift = 0.5f * W * (v7 * v7) / (v_lo * v_lo) * 2.0f * 0.5f;
    float thrust = (float)(thrust_sum / frames);
    float accel = (thrust - drag - mu * (W - lift)) / m;
    ASSERT_GT(accel, 0.0f);
    double predicted = v_lo * v_lo / (2.0 * accel);
    EXPECT_NEAR(dist, predicted, 0.35 * predicted) << "roll " << dist << " m, lift-off at " << v_lo << " m/s";
}

TEST_F(Trainer, CruisesWithAltitudeHoldWherePowerAvailableMeetsPowerRequired)
{
    fh_start_air(1500.0f, 50.0f, 0.0f);
    TestPilot pilot = altitude_pilot(1500.0f);
    set_throttle(0.75f);
    ASSERT_TRUE(fly_checked(pilot, 90.0f));
    double vy_sum = 0.0, v_sum = 0.0, thrust_sum = 0.0;
    int n = 0;
    ASSERT_TRUE(fly_each(pilot, 30.0f, [&] {
        vy_sum += flt.vY;
        v_sum += flt.av;
        thrust_sum += flt.faxilprop;
        n++;
        return true;
    }));
    EXPECT_LT(std::fabs(vy_sum / n), 0.3);
    EXPECT_NEAR(fh_height(), 1500.0f, 30.0f);

    // Power available is the propeller's thrust times speed; power required the drag of level
    // flight times speed. Find the speed where they meet.
    float V = (float)(v_sum / n), T = (float)(thrust_sum / n);
    float lo = 20.0f, hi = 120.0f;
    for (int it = 0; it < 60; it++) {
        float mid = 0.5f * (lo + hi);
        if (level_drag(mid, atm.rho, weight(), T) * mid < T * mid) lo = mid;
        else hi = mid;
    }
    float v_star = 0.5f * (lo + hi);
    EXPECT_NEAR(V, v_star, 0.15f * v_star) << "flies at " << V << " m/s with " << T << " N of thrust";
}

TEST_F(Trainer, StallsAfterTheWarningAtTheSpeedItsMaximumLiftGives)
{
    fh_start_air(1500.0f, 40.0f, 0.0f);
    TestPilot pilot = speed_pilot(40.0f);
    set_throttle(0.0f);
    ASSERT_TRUE(fly_checked(pilot, 20.0f));

    // Slow down at one knot a second until the wing stalls, the stick coming back as needed.
    float warned_at = -1.0f, stalled_at = -1.0f;
    ASSERT_TRUE(slow_to_stall(pilot, 60.0f, [] {}, [&] {
        if (flt.stallwarning && warned_at < 0.0f) warned_at = flt.vind;
        if (flt.stalled[4] || flt.stalled[5]) stalled_at = flt.vind;
        return stalled_at >= 0.0f;
    }));
    ASSERT_GT(stalled_at, 0.0f) << "never stalled";
    ASSERT_GT(warned_at, 0.0f) << "no stall warning";
    EXPECT_GT(warned_at, stalled_at);

    // 1 g stall speed from the weight, the wing area and the wing airfoil's largest lift
    // coefficient as the finite wing keeps it, at sea-level density; the airspeed indicator's
    // pitot sees the component of the flow along the nose.
    float clmax = 0.0f;
    for (int i = 0; i < 171; i++) clmax = std::max(clmax, afl[0].clpos[4][0][0][i]);
    float clmax3d = clmax * pln[0].cl_D_cl0[4];
    float vs = std::sqrt(2.0f * weight() / (con.rhoSL * wing_area() * clmax3d)) * con.msctokts *
               std::cos(flt.Alph * PI / 180.0f);
    EXPECT_NEAR(stalled_at, vs, 0.10f * vs) << "stalled at " << stalled_at << " kt indicated";
}

TEST_F(Trainer, GlidesWithALiftToDragRatioOfALightTrainer)
{
    fh_start_air(2500.0f, 35.0f, 0.0f);
    for (float& m : flt.mixt) m = 0.0f;   // engine off
    TestPilot pilot = speed_pilot(1.15f * msc.est_Vs);
    set_throttle(0.0f);
    ASSERT_TRUE(fly_checked(pilot, 60.0f));
    EXPECT_FALSE(flt.eng_running[0]);
    double ld = 0.0;
    ASSERT_TRUE(glide_ratio(pilot, 20.0f, &ld));
    EXPECT_GT(ld, 7.0);
    EXPECT_LT(ld, 13.0);
}

TEST_F(Trainer, PhugoidPeriodFollowsItsSpeed)
{
    fh_start_air(1500.0f, 50.0f, 0.0f);
    TestPilot pilot = altitude_pilot(1500.0f);
    set_throttle(0.55f);
    ASSERT_TRUE(fly_checked(pilot, 120.0f));

    // Hands off the elevator at its trimmed place, after a pulse.
    float trimmed = fh_get_controls().pitch;
    pilot.hold_altitude = false;
    fh_controls c = fh_get_controls();
    c.pitch = trimmed + 0.15f;
    fh_set_controls(c);
    ASSERT_TRUE(fly_checked(pilot, 1.0f));
    c.pitch = trimmed;
    fh_set_controls(c);
    float V = flt.av;

    // Upward crossings of the vertical speed through zero.
    std::vector<float> ups;
    float prev = (float)flt.vY;
    ASSERT_TRUE(fly_each(pilot, 120.0f, [&] {
        float vy = (float)flt.vY;
        if (prev < 0.0f && vy >= 0.0f) ups.push_back(msc.elap_time);
        prev = vy;
        return true;
    }));
    ASSERT_GE(ups.size(), 3u) << "no oscillation";
    float period = (ups.back() - ups.front()) / (float)(ups.size() - 1);
    float expected = PI * std::sqrt(2.0f) * V / atm.g;
    EXPECT_NEAR(period, expected, 0.30f * expected);
}

TEST_F(Trainer, TurnsAtTheRateItsBankGives)
{
    fh_start_air(1500.0f, 50.0f, 0.0f);
    TestPilot pilot = altitude_pilot(1500.0f, 30.0f);
    set_throttle(0.7f);
    ASSERT_TRUE(fly_checked(pilot, 40.0f));
    double rate = 0.0, bank = 0.0, speed = 0.0;
    int n = 0;
    ASSERT_TRUE(fly_each(pilot, 20.0f, [&] {
        rate += flt.psidot;
        bank += flt.phi[0];
        speed += flt.av;
        n++;
        return true;
    }));
    float phi = (float)(bank / n), V = (float)(speed / n);
    EXPECT_NEAR(phi, 30.0f, 2.0f);
    float expected = atm.g * std::tan(phi * PI / 180.0f) / V * 180.0f / PI;
    EXPECT_NEAR(rate / n, expected, 0.10f * expected);
}
