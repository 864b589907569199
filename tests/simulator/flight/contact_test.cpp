// contact_test.cpp -- ground and water contact: the spring and damper law, its limits, friction
// and brakes, steering and the yaw stop, surface roughness, floats, and scrapes that land in the
// nine contact states.
#include "contact.h"
#include "flight_harness.h"
#include "fltcalc.h"
#include "fltgeom.h"
#include "hl_types.h"

#include <kvtest.h>

#include <cmath>
#include <cstring>

namespace {

// A flat region at height 0 and a 1000 kg aircraft record with no gear geometry of its own, flown
// without rudder pedals: the yoke's roll steers and brakes.
class Contact : public ::testing::Test {
protected:
    const float k = 50000.0f, c = 5000.0f;
    void SetUp() override
    {
        fh_world_options opt;
        opt.pedals = 0;
        fh_world(opt);
        pln[0].m_max = 1000.0f;
        pln[0].ngearZ = -1.0f;
        pln[0].mgearZ = 1.0f;
        flt.X[0] = env.dx * 0.5;
        flt.Z[0] = env.dz * 0.5;
        flt.Y[0] = 0.9;
        flt.costhe = flt.cosphi = flt.cospsi = 1.0f;
        env.surf_type = 62;
        msc.prd = 0.01f;
    }
    void clear_sums()
    {
        flt.faxilgear = flt.fsidegear = flt.fnrmlgear = 0.0f;
        flt.L = flt.M = flt.N = 0.0f;
        flt.onground = 0;
    }
};

}  // namespace

TEST_F(Contact, SpringAndDamperPushWithinTheirLimits)
{
    struct Case {
        float y, vY, force;   // contact height below the CG, sink rate, normal force expected
        int touching;
    } cases[] = {
        {-1.0f, -0.5f, 0.1f * 50000.0f + 0.5f * 5000.0f, 1},   // 10 cm in, sinking
        {-0.9f, -1.0f, 5000.0f, 1},                            // at the surface, sinking: the damper
        {-0.89f, -1.0f, 0.0f, 0},                              // 1 cm above: nothing
        {-1.0f, 2.0f, 0.0f, 0},                                // pulled out faster than the spring pushes
        {-3.0f, -10.0f, 5.0f * 1000.0f * 9.798f, 1},          // held to five times the weight
    };
    for (const Case& cs : cases) {
        clear_sums();
        flt.vY = cs.vY;
        int got = handle_contact_point(CONTACT_NOSE, 0.0f, cs.y, 0.0f, k, c, 0.04f, 0.8f);
        EXPECT_EQ(got, cs.touching) << cs.y;
        EXPECT_NEAR(flt.fnrmlgear, cs.force, 0.002f * cs.force + 1e-3f) << cs.y;
        EXPECT_EQ(flt.onground, cs.touching) << cs.y;
        EXPECT_GE(pln[0].condef[CONTACT_NOSE], 0.0f);
    }
    // A point off the centre line at the centre of gravity's station rolls the aircraft.
    clear_sums();
    flt.vY = 0.0;
    handle_contact_point(CONTACT_RIGHT, 2.0f, -1.0f, 0.0f, k, c, 0.04f, 0.8f);
    EXPECT_NEAR(flt.L, -2.0f * flt.fnrmlgear, 1e-2f);
    EXPECT_NEAR(flt.M, 0.0f, 1e-3f);
}

TEST_F(Contact, RollingFrictionFollowsTheDirectionOfTravelAndStopsAtRest)
{
    flt.vY = 0.0;
    struct Case {
        double vZ;   // heading north: negative is forward
        float axial_sign;
    } cases[] = {{0.0, 0.0f}, {-5.0, -1.0f}, {5.0, 1.0f}};
    for (const Case& cs : cases) {
        clear_sums();
        flt.vZ = cs.vZ;
        handle_contact_point(CONTACT_NOSE, 0.0f, -1.0f, 0.0f, k, c, 0.04f, 0.8f);
        float fn = flt.fnrmlgear;
        EXPECT_NEAR(flt.faxilgear, cs.axial_sign * 0.04f * fn, 1e-3f) << cs.vZ;
        EXPECT_NEAR(flt.fsidegear, 0.0f, 1e-3f);
    }
}

TEST_F(Contact, TheParkingBrakeAndThePedalsBrakeTheMainWheels)
{
    flt.vY = 0.0;
    flt.vZ = -10.0;
    pln[0].nwsteer = 0.0f;   // no nose-wheel steering: the pedals brake differentially
    set.parkbrake = 0.5f;
    set.YK_roll = -1.0f;     // full left pedal (no pedals fitted: the yoke's roll)
    clear_sums();
    handle_contact_point(CONTACT_LEFT, -1.5f, -1.0f, 0.0f, k, c, 0.04f, 0.8f);
    float fn = flt.fnrmlgear;
    EXPECT_NEAR(flt.faxilgear, -0.8f * fn, 1e-2f);   // 0.5 + 0.5: full braking
    clear_sums();
    handle_contact_point(CONTACT_RIGHT, 1.5f, -1.0f, 0.0f, k, c, 0.04f, 0.8f);
    EXPECT_NEAR(flt.faxilgear, -0.04f * fn, 1e-2f);   // 0.5 - 0.5: rolling only
    clear_sums();
    handle_contact_point(CONTACT_NOSE, 0.0f, -1.0f, 0.0f, k, c, 0.04f, 0.8f);
    EXPECT_NEAR(flt.faxilgear, -0.04f * fn, 1e-2f);   // the nose wheel has no brake
}

TEST_F(Contact, SideSlipMakesSideForceExceptOnACastoringNoseWheel)
{
    flt.vY = 0.0;
    flt.vX = 2.0;   // drifting right while heading north
    flt.vZ = -10.0;
    pln[0].nwsteer = 0.0f;
    clear_sums();
    handle_contact_point(CONTACT_LEFT, -1.5f, -1.0f, 0.0f, k, c, 0.04f, 0.8f);
    EXPECT_LT(flt.fsidegear, 0.0f);   // pushes back to the left
    clear_sums();
    handle_contact_point(CONTACT_NOSE, 0.0f, -1.0f, -1.0f, k, c, 0.04f, 0.8f);
    EXPECT_EQ(flt.fsidegear, 0.0f);
}

TEST_F(Contact, NoseWheelSteeringSetsTheYawRateAndSkidsStopIt)
{
    flt.vY = 0.0;
    flt.vZ = -10.0;
    flt.v[0] = 10.0f;
    pln[0].nwsteer = 10.0f;
    set.YK_roll = 0.5f;
    clear_sums();
    handle_contact_point(CONTACT_NOSE, 0.0f, -1.0f, -1.0f, k, c, 0.04f, 0.8f);
    // Half pedal at 10 m/s, wheel base 2 m: 10 * 0.5 * 1 * 1 * 10 / 2 degrees per second.
    EXPECT_NEAR(flt.R, 25.0f, 1e-3f);
    EXPECT_NEAR(flt.Rrad, 25.0f * 3.14159265f / 180.0f, 1e-5f);
    // Rolling backwards turns the other way.
    flt.vZ = 10.0;
    handle_contact_point(CONTACT_NOSE, 0.0f, -1.0f, -1.0f, k, c, 0.04f, 0.8f);
    EXPECT_NEAR(flt.R, -25.0f, 1e-3f);
    // A skid end on the ground cancels the yaw acceleration to come.
    flt.Rdot = 40.0f;
    handle_contact_point(CONTACT_SKID0 + 2, 1.0f, -1.0f, 1.0f, k, c, 0.4f, 0.4f);
    EXPECT_NEAR(flt.R, -40.0f * msc.prd, 1e-5f);
}

// The steering turns the nose no faster than the tyres' side friction can turn the path: a yaw rate
// R (rad/s) at speed v needs a sideways acceleration v R of at most mu g.
TEST_F(Contact, NoseWheelSteeringTurnsNoFasterThanTheTyresCanHold)
{
    const float RAD = 180.0f / 3.14159265f;
    struct Case {
        float v, pedal, mu_side;
        float R;   // deg/s expected
    } cases[] = {
        // Half pedal at 10 m/s: 10 * 0.5 * 10 / 2 = 25 deg/s, inside 0.8 g / 10 m/s (45 deg/s).
        {10.0f, 0.5f, 0.8f, 25.0f},
        // Half pedal at 30 m/s would be 75 deg/s; the tyres hold 0.8 g / 30 m/s.
        {30.0f, 0.5f, 0.8f, 0.8f * con.g / 30.0f * RAD},
        // Full pedal at 5 m/s, every gain up (5 for the full pedal, 3 at this speed): 375 deg/s
        // asked, 0.8 g / 5 m/s given.
        {5.0f, 1.0f, 0.8f, 0.8f * con.g / 5.0f * RAD},
        // Grass holds half as much: a quarter pedal at 30 m/s (37.5 deg/s) meets its 0.4 g.
        {30.0f, -0.25f, 0.4f, -0.4f * con.g / 30.0f * RAD},
        // Standing still, any pedal turns nothing.
        {0.0f, 1.0f, 0.8f, 0.0f},
    };
    pln[0].nwsteer = 10.0f;
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.v);
        flt.vY = 0.0;
        flt.vZ = -cs.v;
        flt.v[0] = cs.v;
        set.YK_roll = cs.pedal;
        clear_sums();
        ASSERT_EQ(handle_contact_point(CONTACT_NOSE, 0.0f, -1.0f, -1.0f, k, c, 0.04f, cs.mu_side), 1);
        EXPECT_NEAR(flt.R, cs.R, 2e-3f * std::fabs(cs.R) + 1e-4f);
        EXPECT_NEAR(flt.Rrad, flt.R / RAD, 1e-6f);
    }
}

TEST_F(Contact, RoughSurfacesRaiseTheGroundUnderTheWheel)
{
    struct Case {
        int surf;
        float h;
    } cases[] = {{62, 0.0f}, {63, 0.0f}, {64, 0.02f}, {65, 0.04f}, {66, 0.02f}, {67, 0.08f}};
    for (const Case& cs : cases) EXPECT_NEAR(surface_roughness(cs.surf, 0.0f, 0.0f), cs.h, 1e-6f) << cs.surf;
    EXPECT_NEAR(surface_roughness(66, 3.14159265f / 8.0f, 0.0f), 0.02f * (1.0f + 1.0f), 1e-6f);
}

TEST_F(Contact, AFloatPointDisplacesWaterByItsPatchAndDepth)
{
    // A flat-bottomed body: stations a metre apart, points a quarter metre apart across.
    for (int s = 0; s < 18; s++) {
        for (int r = 0; r < 16; r++) {
            pln[0].body_X[23][s][r] = -0.25f * (float)r;
            pln[0].body_Y[23][s][r] = 0.0f;
            pln[0].body_Z[23][s][r] = (float)s;
        }
    }
    flt.vY = 0.0;
    flt.vaxial = 0.0f;
    clear_sums();
    // The point is 1.1 m under the centre of gravity, which is 0.9 m up.
    EXPECT_EQ(handle_float_point(23, 3, 4, 0.0f, -1.1f, 0.0f, -0.4f), 0);   // 0.2 m above the water
    EXPECT_EQ(flt.fnrmlgear, 0.0f);
    clear_sums();
    EXPECT_EQ(handle_float_point(23, 3, 4, 0.0f, -1.1f, 0.0f, 0.0f), 1);    // 0.2 m under
    EXPECT_NEAR(flt.fnrmlgear, 0.2f * 0.25f * 1.0f * 1000.0f * con.g, 1e-2f);
    EXPECT_EQ(flt.onground, 1);
    // Sinking adds damping against the motion; moving through the water drags.
    clear_sums();
    flt.vY = -1.0;
    flt.vaxial = 5.0f;
    handle_float_point(23, 3, 4, 0.0f, -1.1f, 0.0f, 0.0f);
    EXPECT_NEAR(flt.fnrmlgear, 0.2f * 0.25f * 1000.0f * con.g + 0.25f * 1000.0f, 1e-1f);
    EXPECT_NEAR(flt.faxilgear, -0.00165f * 0.25f * 1000.0f * 25.0f, 1e-3f);
}

// Planing: a patch of hull bottom moving forward through the water is pushed up in proportion to
// its slope when the bottom rises toward the bow, pulled down when it rises toward the stern, and
// not at all by a stern face steeper than 45 degrees or by a wall with no run along the body.
TEST_F(Contact, AHullBottomPlanesByItsSlope)
{
    struct Case {
        const char* what;
        float rise;     // m of height gained per metre aft along the bottom (-: rising toward the bow)
        float run;      // m between stations
        float slope;    // the slope that planes (0: none)
    } cases[] = {
        {"bow rising gently", -0.5f, 1.0f, -0.5f},
        {"bow rising steeply", -2.0f, 1.0f, -2.0f},
        {"stern rising gently", 0.5f, 1.0f, 0.5f},
        {"stern rising at 45 degrees", 1.0f, 1.0f, 1.0f},
        {"stern rising steeply", 2.0f, 1.0f, 0.0f},
        {"a wall", -1.0f, 0.0f, 0.0f},
    };
    const float va = 5.0f, rho = con.rho_h20;
    for (const Case& c : cases) {
        for (int s = 0; s < 18; s++) {
            for (int r = 0; r < 16; r++) {
                pln[0].body_X[23][s][r] = -0.25f * (float)r;
                pln[0].body_Y[23][s][r] = c.rise * (float)s;
                pln[0].body_Z[23][s][r] = c.run * (float)s;
            }
        }
        flt.vY = 0.0;
        flt.vaxial = va;
        clear_sums();
        // The station's point is 0.2 m under the water.
        ASSERT_EQ(handle_float_point(23, 3, 4, 0.0f, -1.1f, 0.0f, 0.0f), 1) << c.what;
        // Its patch: a quarter metre across, the run and the rise of one station along.
        const float wet = 0.25f * c.run, cap = 0.25f * std::fabs(c.rise);
        const float buoyancy = 0.2f * wet * rho * con.g;
        const float planing = -va * va * c.slope * cap * rho;
        EXPECT_NEAR(flt.fnrmlgear - buoyancy, planing, 1e-3f * (1.0f + std::fabs(planing))) << c.what;
        // A little of the planing force acts along the body, the slope held within +-0.05.
        const float along = planing * std::fmax(-0.05f, std::fmin(0.05f, c.slope));
        const float friction = -0.00165f * wet * rho * va * va;
        EXPECT_NEAR(flt.faxilgear, along + friction, 1e-3f * (1.0f + std::fabs(along))) << c.what;
        EXPECT_TRUE(std::isfinite(flt.M)) << c.what;
    }
}

// The float points' places and patches are worked out when the aircraft is loaded: every point of
// every floating body pushes exactly as it does worked out afresh from the body's grid, whichever
// aircraft was loaded before.
TEST(Floats, ThePointsMadeReadyAtLoadPushAsTheBodysGridSays)
{
    fh_world_options water;
    water.water = 1;
    fh_world(water);
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    ASSERT_EQ(fh_load(fh_bundled(FH_FLOATPLANE)), 1);
    fh_start_ground(0.0f);
    flt.Y[0] -= 0.2;   // settled a little deeper than at rest, so every float point is wet
    flt.vY = -0.3;
    flt.vaxial = 4.0f;
    struct Sums {
        float fa, fs, fn, L, M, N;
    };
    auto sums = [](void) { return Sums{flt.faxilgear, flt.fsidegear, flt.fnrmlgear, flt.L, flt.M, flt.N}; };
    int wet = 0;
    for (int b = 18; b <= 24; b++) {
        for (int st = 0; st < fgeo.stations[b]; st++) {
            for (int k = 0; k < 3; k++) {
                const int r = fgeo.low3[b][st][k];
                const float* at = fgeo.float_at[b][st][k];
                flt.faxilgear = flt.fsidegear = flt.fnrmlgear = flt.L = flt.M = flt.N = 0.0f;
                const int ready = handle_float_patch(b, st, r, at[0], at[1], at[2], env.localh_cg, fgeo.float_patch[b][st][k]);
                const Sums a = sums();
                flt.faxilgear = flt.fsidegear = flt.fnrmlgear = flt.L = flt.M = flt.N = 0.0f;
                const float x = pln[0].body_X[b][st][r] + fgeo.body_os[b][0];
                const float y = pln[0].body_Y[b][st][r] + fgeo.body_os[b][1];
                const float z = pln[0].body_Z[b][st][r] + fgeo.body_os[b][2];
                ASSERT_EQ(handle_float_point(b, st, r, x, y, z, env.localh_cg), ready) << b << " " << st;
                const Sums f = sums();
                ASSERT_EQ(std::memcmp(&a, &f, sizeof a), 0) << b << " " << st << " " << k;
                wet += ready;
            }
        }
    }
    EXPECT_GT(wet, 20);   // the floats are in the water
}

// A body's floats push as the sum of their points, each worked out alone, to the last bit: also
// where the body's deepest point is a hair above or below the water (a body clear of the water is
// passed over whole), tilted, and on waves.
TEST(Floats, ABodyPushesAsItsPointsDoAlone)
{
    fh_world_options water;
    water.water = 1;
    fh_world(water);
    ASSERT_EQ(fh_load(fh_bundled(FH_FLOATPLANE)), 1);
    fh_start_ground(0.0f);
    flt.vY = -0.3;
    flt.vaxial = 4.0f;
    flt.Rrad = 0.05f;
    const double rest_Y = flt.Y[0];
    struct Case {
        float phi, the, wave_amp, above;   // deg, deg, m, m of the deepest point above the water
    };
    const Case cases[] = {
        {0.0f, 0.0f, 0.0f, 0.01f},    {0.0f, 0.0f, 0.0f, 0.0004f}, {0.0f, 0.0f, 0.0f, 0.0f},
        {0.0f, 0.0f, 0.0f, -0.0004f}, {0.0f, 0.0f, 0.0f, -0.05f},  {12.0f, -4.0f, 0.0f, 0.0004f},
        {-9.0f, 6.0f, 0.0f, -0.0004f}, {-9.0f, 6.0f, 0.0f, 0.3f},  {5.0f, 2.0f, 0.4f, 0.0004f},
        {5.0f, 2.0f, 0.4f, -0.1f},
    };
    struct Sums {
        float fa, fs, fn, L, M, N;
    };
    auto zero = [](void) { flt.faxilgear = flt.fsidegear = flt.fnrmlgear = flt.L = flt.M = flt.N = 0.0f; };
    auto sums = [](void) { return Sums{flt.faxilgear, flt.fsidegear, flt.fnrmlgear, flt.L, flt.M, flt.N}; };
    int bodies = 0, wet_bodies = 0, dry_bodies = 0;
    for (const Case& c : cases) {
        flt.sinphi = std::sin(c.phi * 0.0174532925f);
        flt.cosphi = std::cos(c.phi * 0.0174532925f);
        flt.sinthe = std::sin(c.the * 0.0174532925f);
        flt.costhe = std::cos(c.the * 0.0174532925f);
        atm.wave_amp = c.wave_amp;
        atm.wave_length = 20.0f;
        const float hw_top = env.localh_cg + 0.5f * c.wave_amp;
        for (int b = 18; b <= 24; b++) {
            if (fgeo.stations[b] == 0) continue;
            // Height that puts this body's deepest point c.above over the highest water.
            double deepest = -1e30;
            for (int st = 0; st < fgeo.stations[b]; st++)
                for (int k = 0; k < 3; k++) {
                    const float* at = fgeo.float_at[b][st][k];
                    deepest = std::fmax(deepest, (double)hw_top - rest_Y - at[1] * flt.costhe * flt.cosphi +
                                                     at[2] * flt.sinthe + at[0] * flt.sinphi);
                }
            flt.Y[0] = rest_Y + deepest + c.above;
            zero();
            int alone = 0;
            for (int st = 0; st < fgeo.stations[b]; st++)
                for (int k = 0; k < 3; k++) {
                    const float* at = fgeo.float_at[b][st][k];
                    // The water's height at the point: the waves' crest line runs across wave_dir.
                    float hw = env.localh_cg;
                    if (c.wave_amp > 0.0f) {
                        const float sdir = std::sin(atm.wave_dir * 0.0174532925f), cdir = std::cos(atm.wave_dir * 0.0174532925f);
                        const float xp = (float)flt.X[0] + at[0] * flt.cospsi - at[2] * flt.sinpsi;
                        const float zp = (float)flt.Z[0] + at[2] * flt.cospsi + at[0] * flt.sinpsi;
                        const float d = xp * sdir - zp * cdir - atm.wave_speed * msc.elap_time;
                        hw += 0.5f * c.wave_amp * std::sin(2.0f * 3.14159265358979f * d / atm.wave_length);
                    }
                    alone += handle_float_patch(b, st, fgeo.low3[b][st][k], at[0], at[1], at[2], hw,
                                                fgeo.float_patch[b][st][k]);
                }
            const Sums a = sums();
            zero();
            flt.onground = 0;
            float_body(b, env.localh_cg);
            const Sums w = sums();
            EXPECT_EQ(std::memcmp(&a, &w, sizeof a), 0) << b << " " << c.phi << " " << c.above;
            EXPECT_EQ(flt.onground, alone > 0) << b << " " << c.phi << " " << c.above;
            bodies++;
            wet_bodies += alone > 0;
            dry_bodies += alone == 0;
        }
    }
    EXPECT_GT(wet_bodies, 0);
    EXPECT_GT(dry_bodies, 0);
    EXPECT_GT(bodies, wet_bodies);
}

TEST(Scrapes, ABellyLandingRestsOnTheBodyInTheNineContactStates)
{
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    fh_start_air(1.0f, 0.0f, 0.0f);
    for (int leg = 0; leg < 3; leg++) pln[0].gear_stat[leg] = 0;   // gear up
    flt.phi[0] = 8.0f;   // and a wing low
    for (int f = 0; f < 60 * 8; f++) {
        fh_frame();
        ASSERT_TRUE(fh_state_finite()) << f;
    }
    EXPECT_TRUE(flt.onground);
    EXPECT_GT(pln[0].condef[CONTACT_BODY] + pln[0].condef[CONTACT_WINGTIP], 0.0f);
    EXPECT_EQ(pln[0].condef[CONTACT_NOSE], 0.0f);
    EXPECT_NEAR(flt.fnrmlgear, flt.m_total * atm.g, 0.05f * flt.m_total * atm.g);
    EXPECT_LT(fh_height(), pln[0].h_eqlbm);   // lower than on its wheels
}
