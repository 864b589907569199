// autopilot_test.cpp -- the trainer flown by the simulator's own controls step in the windowless
// harness: the autopilot holds a heading, an altitude and a vertical speed, follows a localizer and
// glide slope, the stability augmentation damps the body rates, and standing still gives no NaN.
#include "controls.h"
#include "flight_world.h"
#include "hl_funct.h"
#include "keyboard.h"

#include <kvtest.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr float PI = 3.14159265f;
constexpr float DEG = PI / 180.0f;

class Autopilot : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(flight_world(FH_TRAINER, 0.0f, 1.0f / 60.0f), 1);
        start_in_air(1000.0f, 50.0f, 0.0f);
        set_throttle(0.75f);
        ott.vv_hold = 500.0f * con.fpmtomsc;   // what the altitude-hold button sets
    }
    // The wings held level on the start's heading (left alone, the trainer spirals slowly).
    static void hold_heading(void)
    {
        ott.HDSLCT = 1;
        nav.hdsel = (int)std::lround(flt.psi[0]);
    }
    static void set_throttle(float t)
    {
        for (int i = 0; i < 4; i++) flt.throrqst[i] = t;
    }
    // Frames for a time (s), failing on the first state that is not finite.
    static bool fly(float seconds)
    {
        int n = (int)std::lround(seconds / msc.prd);
        for (int k = 0; k < n; k++) {
            fh_frame();
            if (!fh_state_finite() || !controls_finite()) return false;
        }
        return true;
    }
};

TEST_F(Autopilot, HoldsTheSelectedHeadingAndAltitude)
{
    float h0 = (float)flt.Y[0];
    ott.ALHOLD = 1;
    ott.al_hold = h0;
    ott.HDSLCT = 1;
    nav.hdsel = 90;
    ASSERT_TRUE(fly(40.0f));
    // Turning: banked toward the heading, no steeper than the 30 degree limit.
    EXPECT_GT(flt.psi[0], 20.0f);
    ASSERT_TRUE(fly(80.0f));
    EXPECT_NEAR(flt.psi[0], 90.0f, 3.0f);
    EXPECT_NEAR(flt.phi[0], 0.0f, 3.0f);
    EXPECT_NEAR((float)flt.Y[0], h0, 30.0f);
    // Now the other way, through north.
    nav.hdsel = 330;
    float max_bank = 0.0f;
    for (int s = 0; s < 120; s++) {
        ASSERT_TRUE(fly(1.0f));
        max_bank = std::max(max_bank, std::fabs(flt.phi[0]));
    }
    EXPECT_NEAR(fltwrap(flt.psi[0] - 330.0f, -180.0f, 180.0f), 0.0f, 3.0f);
    EXPECT_LT(max_bank, 33.0f);
}

TEST_F(Autopilot, ClimbsToTheSelectedAltitudeAndHoldsIt)
{
    float h0 = (float)flt.Y[0];
    ott.ALHOLD = 1;
    ott.al_hold = h0 + 150.0f;
    hold_heading();
    set_throttle(1.0f);
    ASSERT_TRUE(fly(150.0f));
    EXPECT_NEAR((float)flt.Y[0], h0 + 150.0f, 15.0f);
    // Held: little vertical speed over the last 30 s.
    double sum = 0.0;
    int n = 0;
    for (int s = 0; s < 30; s++) {
        ASSERT_TRUE(fly(1.0f));
        sum += std::fabs(flt.vY);
        n++;
    }
    EXPECT_LT(sum / n, 0.5);
    EXPECT_NEAR((float)flt.Y[0], h0 + 150.0f, 15.0f);
}

TEST_F(Autopilot, HoldsTheSelectedVerticalSpeed)
{
    ott.VVHOLD = 1;
    ott.vv_hold = -2.0f;
    hold_heading();
    set_throttle(0.4f);
    ASSERT_TRUE(fly(60.0f));
    double sum = 0.0;
    int n = 0;
    for (int s = 0; s < 40; s++) {
        ASSERT_TRUE(fly(0.5f));
        sum += flt.vY;
        n++;
    }
    EXPECT_NEAR(sum / n, -2.0, 0.3);
}

// A runway on the ground: threshold point and course; the localizer antenna at its far end and
// the glide-slope antenna beside the touchdown point, as the navigation receivers see them.
struct Ils {
    float x_gs, z_gs;     // glide-slope antenna (m)
    float x_loc, z_loc;   // localizer antenna
    float course;         // degrees true
    float h;              // ground height

    // The deflections of receiver 2 (course and glide slope, dots), as the event update gives them.
    void receive(void) const
    {
        float dx = x_loc - (float)flt.X[0], dz = (float)flt.Z[0] - z_loc;
        float bearing = std::atan2(dx, dz) / DEG;
        nav.hdef[1] = fltlim(2.0f * fltwrap(fltwrap(bearing, 0.0f, 360.0f) - course, -180.0f, 180.0f), -5.0f, 5.0f);
        float along = pythag(x_gs - (float)flt.X[0], z_gs - (float)flt.Z[0]);
        float elev = std::atan2((float)flt.Y[0] - h, along) / DEG;
        nav.vdef[1] = fltlim(2.0f * (elev - (float)nav.ilsgs[1]), -5.0f, 5.0f);
    }
    // Distance off the extended centreline (m, positive right of it) and height above the glide
    // path (m) of the aircraft.
    float lateral(void) const
    {
        float sx = std::sin(course * DEG), sz = -std::cos(course * DEG);   // along the course
        float rx = (float)flt.X[0] - x_gs, rz = (float)flt.Z[0] - z_gs;
        return rx * (-sz) + rz * sx;
    }
    float above_path(void) const
    {
        float along = pythag(x_gs - (float)flt.X[0], z_gs - (float)flt.Z[0]);
        return ((float)flt.Y[0] - h) - along * std::tan(3.0f * DEG);
    }
    float distance(void) const { return pythag(x_gs - (float)flt.X[0], z_gs - (float)flt.Z[0]); }
};

TEST_F(Autopilot, FollowsTheLocalizerAndGlideSlope)
{
    // A runway heading north in the middle of the region; the approach from the south.
    Ils ils;
    ils.course = 0.0f;
    ils.h = planexyz[0][0][1];
    ils.x_gs = env.dx * 0.5f;
    ils.z_gs = env.dz * 0.5f;
    ils.x_loc = ils.x_gs;
    ils.z_loc = ils.z_gs - 1500.0f;
    nav.ilsgs[1] = 3;
    nav.ilscrs[1] = ils.course;

    // 6 nm out, 400 m left of the course, a little below the path, heading 20 degrees across it.
    float D = 6.0f * con.nmtomtrs;
    set.cus_X = ils.x_gs - 400.0f;
    set.cus_Z = ils.z_gs + D;
    set.cus_Y = ils.h + D * std::tan(3.0f * DEG) - 60.0f;
    set.cus_psi = 20.0f;
    set.cus_v = 45.0f;
    set_fltvars(START_CUSTOM, 0);
    set_throttle(0.45f);
    ott.NAV[1] = 1;
    ott.GS2 = 1;

    float worst_lateral = 0.0f, worst_vertical = 0.0f;
    float flown = 0.0f;
    while (ils.distance() > 1.0f * con.nmtomtrs && flown < 400.0f) {
        ils.receive();
        fh_frame();
        ASSERT_TRUE(fh_state_finite());
        flown += msc.prd;
        // Established inside 3.5 nm: judge the tracking from there on.
        if (ils.distance() < 3.5f * con.nmtomtrs) {
            worst_lateral = std::max(worst_lateral, std::fabs(ils.lateral()));
            worst_vertical = std::max(worst_vertical, std::fabs(ils.above_path()));
        }
    }
    ASSERT_LT(flown, 400.0f) << "never reached 1 nm";
    EXPECT_LT(worst_lateral, 40.0f);
    EXPECT_LT(worst_vertical, 25.0f);
    EXPECT_NEAR(fltwrap(flt.psi[0] - ils.course, -180.0f, 180.0f), 0.0f, 5.0f);
    EXPECT_LT(flt.vY, 0.0);
}

// The largest roll rate (deg/s) still left after t seconds from a disturbance of P0, wings level,
// hands off, with or without augmentation.
float roll_rate_left(int augmented, float P0, float t)
{
    flight_world(FH_TRAINER, 0.0f, 1.0f / 60.0f);
    start_in_air(1000.0f, 50.0f, 0.0f);
    for (int i = 0; i < 4; i++) flt.throrqst[i] = 0.6f;
    planestruct& pl = pln[0];
    pl.ASloV = 60.0f;
    pl.AShiV = 150.0f;
    pl.ASmaxr1 = 30.0f;   // a full yoke asks for 30 deg/s of roll
    pl.ASr1 = 0.03f;
    pl.ASmaxp1 = 10.0f;
    pl.ASp1 = 0.05f;
    rel.stbaug = augmented;
    fh_run(1.0f);
    flt.P = P0;
    flt.Prad = P0 * DEG;
    float left = 0.0f;
    int n = (int)std::lround(t / msc.prd);
    for (int k = 0; k < n; k++) {
        fh_frame();
        if (k > n / 2) left = std::max(left, std::fabs(flt.P));
    }
    return left;
}

TEST(Augmentation, DampsTheRollRate)
{
    float plain = roll_rate_left(0, 60.0f, 1.0f);
    float damped = roll_rate_left(1, 60.0f, 1.0f);
    ASSERT_TRUE(std::isfinite(plain) && std::isfinite(damped));
    EXPECT_GT(plain, 1.0f);   // the bare aircraft is still rolling
    EXPECT_LT(damped, 0.6f * plain);
}

TEST_F(Autopilot, StandingStillOnTheRunwayStaysFinite)
{
    set.cus_X = env.dx * 0.5f;
    set.cus_Z = env.dz * 0.5f;
    set.cus_Y = 0.0f;   // raised to the resting height
    set.cus_psi = 0.0f;
    set.cus_v = 0.0f;
    set_fltvars(START_CUSTOM, 0);
    msc.est_Vs = 0.0f;
    ott.HDSLCT = ott.ALHOLD = ott.ASHOLD = 1;
    ott.vv_hold = 2.0f;
    ASSERT_TRUE(fly(5.0f));
    EXPECT_NEAR(fh_height(), pln[0].h_eqlbm, 0.3f);
}

}  // namespace
