// fltcalc_test.cpp -- the force build-up: control-surface increments, induced angles, symmetry,
// and the resolution of the sums into accelerations.
#include "fltcalc.h"
#include "fltcalc_local.h"
#include "fltgeom.h"
#include "flight_harness.h"
#include "hl_types.h"

#include <kvtest.h>

#include <cmath>
#include <cstring>

namespace {

struct Increments {
    float cl, cd, cm;
};

Increments con_eff(int type, float crat, float def)
{
    Increments r{};
    set_con_eff(5, type, crat, def, &r.cl, &r.cd, &r.cm, "TEST");
    return r;
}

}  // namespace

TEST(ControlSurfaces, PlainSurfaceIncrementsPerDegreeAndTheirFadeWithDeflection)
{
    clear_globals();
    pln[0].con_smooth = 3;
    // A quarter-chord plain surface at 10 degrees trailing edge up.
    Increments a = con_eff(5, 0.25f, 10.0f);
    EXPECT_NEAR(a.cl, -0.36567f, 1e-5f);
    EXPECT_NEAR(a.cd, 0.030f, 1e-6f);
    EXPECT_NEAR(a.cm, 0.22854f, 1e-5f);
    // Lift effectiveness by deflection: whole to 10 degrees, 0.99 at 12.5, half from 60 on.
    struct Case {
        float def, effect;
    } cases[] = {{-10.0f, 1.0f}, {12.5f, 0.99f}, {25.0f, 0.77f}, {-60.0f, 0.5f}, {75.0f, 0.5f}};
    const float per_degree = std::sqrt(0.25f) * 0.1097f / 1.5f;
    for (const Case& c : cases) {
        Increments r = con_eff(5, 0.25f, c.def);
        EXPECT_NEAR(r.cl, -c.def * per_degree * c.effect, 1e-5f) << c.def;
        EXPECT_NEAR(r.cd, std::fabs(c.def) * 0.003f, 1e-6f) << c.def;   // drag grows with either sign
    }
}

TEST(ControlSurfaces, SpoilersSpeedBrakesAndDragRuddersChangeTheMix)
{
    clear_globals();
    pln[0].con_smooth = 3;
    Increments plain = con_eff(5, 0.3f, 8.0f);
    Increments spoiler = con_eff(6, 0.3f, 8.0f);
    Increments brake = con_eff(7, 0.3f, 8.0f);
    Increments rudder = con_eff(8, 0.3f, 8.0f);
    EXPECT_NEAR(spoiler.cl, 2.0f * plain.cl, 1e-6f);
    EXPECT_NEAR(spoiler.cd, 2.0f * plain.cd, 1e-6f);
    EXPECT_NEAR(spoiler.cm, 0.5f * plain.cm, 1e-6f);
    EXPECT_NEAR(brake.cl, 0.5f * plain.cl, 1e-6f);
    EXPECT_NEAR(brake.cd, 2.0f * plain.cd, 1e-6f);
    EXPECT_EQ(brake.cm, 0.0f);
    // A drag rudder only adds drag, four times the plain surface's.
    EXPECT_EQ(rudder.cl, 0.0f);
    EXPECT_EQ(rudder.cm, 0.0f);
    EXPECT_NEAR(rudder.cd, 4.0f * plain.cd, 1e-6f);
}

TEST(ControlSurfaces, AStalledPartAndSmoothedControlsLoseLift)
{
    clear_globals();
    pln[0].con_smooth = 3;
    float full = con_eff(5, 0.25f, 5.0f).cl;
    flt.stalled[5] = 1;
    EXPECT_NEAR(con_eff(5, 0.25f, 5.0f).cl, 0.2f * full, 1e-6f);
    flt.stalled[5] = 0;
    pln[0].con_smooth = 1;
    EXPECT_NEAR(con_eff(5, 0.25f, 5.0f).cl, 0.7f * full, 1e-6f);
    pln[0].con_smooth = 2;
    EXPECT_NEAR(con_eff(5, 0.25f, 5.0f).cl, 0.85f * full, 1e-6f);
}

TEST(ControlSurfaces, InducedAngleOfALiftIncrement)
{
    clear_globals();
    struct Case {
        float ar, cl, alpha;
    } cases[] = {{7.5f, 0.5f, 0.5f / (7.5f * 3.14159265f) * 57.29578f},
                 {1.0f, 0.5f, 0.5f / (2.0f * 3.14159265f) * 57.29578f},     // aspect ratio held at 2
                 {30.0f, -0.4f, -0.4f / (20.0f * 3.14159265f) * 57.29578f}};  // and at 20
    for (const Case& c : cases) {
        pln[0].AR[6] = c.ar;
        EXPECT_NEAR(induce_alpha(c.cl, 6), c.alpha, 1e-4f) << c.ar;
    }
    flt.machno = 1.01f;
    EXPECT_EQ(induce_alpha(0.5f, 6), 0.0f);
}

TEST(ForceBuildUp, ASymmetricAircraftWithCentredControlsNeitherRollsNorYaws)
{
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    // The engine's torque and slipstream are not symmetric: glide with it stopped.
    pln[0].numen = 0;
    pln[0].entype = 0;
    fh_start_air(1000.0f, 45.0f, 0.0f);
    fh_controls c;
    fh_set_controls(c);
    fh_frame();
    fh_frame();
    EXPECT_NEAR(flt.L, 0.0f, 1e-2f);
    EXPECT_NEAR(flt.N, 0.0f, 1e-2f);
    EXPECT_NEAR(flt.fsideaero, 0.0f, 1e-2f);
    EXPECT_GT(flt.fnrmlaero, 0.25f * flt.m_total * atm.g);   // the wing lifts at its incidence
    EXPECT_LT(flt.faxilaero, 0.0f);                          // and everything drags
    // Right aileron command rolls right; right rudder yaws right.
    c.roll = 0.5f;
    fh_set_controls(c);
    fh_frame();
    EXPECT_GT(flt.L, 100.0f);
    c.roll = 0.0f;
    c.yaw = 0.5f;
    fh_set_controls(c);
    fh_frame();
    EXPECT_GT(flt.N, 100.0f);
    // Back stick pitches up.
    c.yaw = 0.0f;
    c.pitch = 0.5f;
    fh_set_controls(c);
    fh_frame();
    EXPECT_GT(flt.M, 100.0f);
}

TEST(ForceBuildUp, AccelerationsAreTheSumsOverMassAndInertia)
{
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    fh_start_air(1000.0f, 45.0f, 30.0f);
    fh_frame();
    // Level and wings level: the sums turn straight into world axes.
    flt.sinthe = flt.sinphi = 0.0f;
    flt.costhe = flt.cosphi = 1.0f;
    flt.faxilprop = 1000.0f;
    flt.fsideprop = flt.fnrmlprop = 0.0f;
    flt.faxilaero = flt.fsideaero = flt.fnrmlaero = 0.0f;
    flt.faxilgear = flt.fsidegear = 0.0f;
    flt.fnrmlgear = 2000.0f;
    flt.L = 300.0f;
    flt.M = -200.0f;
    flt.N = 100.0f;
    flt.frame_ice = 0.0f;
    set.tow_waiting = set.tow_inprog = 0;
    set.cycout = 0;
    set_a2();
    const planestruct& pl = pln[0];
    float m = flt.m_total;
    float s = std::sin(30.0f * 3.14159265f / 180.0f), c = std::cos(30.0f * 3.14159265f / 180.0f);
    EXPECT_NEAR(flt.aX, 1000.0f * s / m, 1e-4f);
    EXPECT_NEAR(flt.aZ, -1000.0f * c / m, 1e-4f);
    EXPECT_NEAR(flt.aY, 2000.0f / m - atm.g, 1e-4f);
    const float rad = 180.0f / 3.14159265f;
    EXPECT_NEAR(flt.Pdot, 300.0f / (m * pl.Jzz_unitmass) * rad, 1e-3f);
    EXPECT_NEAR(flt.Qdot, -200.0f / (m * pl.Jxx_unitmass) * rad, 1e-3f);
    EXPECT_NEAR(flt.Rdot, 100.0f / (m * pl.Jyy_unitmass) * rad, 1e-3f);
    // Airframe ice adds mass in proportion, and its square to the inertias.
    flt.frame_ice = 0.5f;
    set_a2();
    EXPECT_NEAR(flt.aY, 2000.0f / (1.5f * m) - atm.g, 1e-4f);
    EXPECT_NEAR(flt.Pdot, 300.0f / (m * pl.Jzz_unitmass * 2.25f) * rad, 1e-3f);
}

// The arresting wire holds the hook, which hangs under the tail: it pulls straight back with the
// deceleration the deck's gear sets, and, acting below the centre of gravity (a fifth of the way
// down to the main wheels), pitches the nose down onto its wheel.
TEST(ForceBuildUp, TheArrestingWirePullsBackBelowTheCentreOfGravity)
{
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    fh_start_ground(0.0f);
    fh_frame();
    const planestruct& pl = pln[0];
    ASSERT_LT(pl.mgearY, 0.0f);   // the wheels are below the centre of gravity
    struct Sums {
        float fa, fs, fn, L, M, N;
    };
    auto gear_sums = [](int wired) {
        set.wired = wired;
        set.trap_accel = 30.0f;
        flt.faxilgear = flt.fsidegear = flt.fnrmlgear = 0.0f;
        flt.L = flt.M = flt.N = 0.0f;
        contact_forces();
        return Sums{flt.faxilgear, flt.fsidegear, flt.fnrmlgear, flt.L, flt.M, flt.N};
    };
    const Sums free = gear_sums(0);
    const Sums caught = gear_sums(1);
    set.wired = 0;
    const float pull = flt.m_total * 30.0f;
    EXPECT_NEAR(caught.fa - free.fa, -pull, 1e-3f * pull);
    EXPECT_NEAR(caught.fs, free.fs, 1e-2f);
    EXPECT_NEAR(caught.fn, free.fn, 1e-2f);
    EXPECT_NEAR(caught.L, free.L, 1e-2f);
    EXPECT_NEAR(caught.N, free.N, 1e-2f);
    // Nose down (M is positive nose up), by the pull times the hook's depth under the centre of gravity.
    EXPECT_LT(caught.M - free.M, 0.0f);
    EXPECT_NEAR(caught.M - free.M, -pull * 0.2f * -pl.mgearY, 1e-3f * pull);
}

// A body's wave drag past Mach 1: none below 0.9, all of it from 1.05 to 1.2, then falling as
// 1 - 0.386 (M - 1.2)^0.57; the jet's fuselage meets at least the Sears-Haack body's, 4.5 pi A / l^2
// on its frontal area A, with l its 46.3 ft from nose to tail.
TEST(ForceBuildUp, TheFuselagesWaveDragPastMachOne)
{
    struct Case {
        float mach, share;
    } cases[] = {{0.5f, 0.0f},    {0.9f, 0.0f},     {0.975f, 0.5f},   {1.05f, 1.0f},
                 {1.1f, 1.0f},    {1.2f, 1.0f},     {1.5f, 0.80566f}, {2.0f, 0.66010f}};
    for (const Case& c : cases) EXPECT_NEAR(body_wave_share(c.mach), c.share, 1e-4f) << c.mach;

    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_JET)), 1);
    const float l = 46.3f * 0.3048f;
    EXPECT_NEAR(fgeo.fuse_wave_cd, 4.5f * 3.14159265f * pln[0].fuse_s_frn / (l * l), 1e-4f);
    EXPECT_GT(fgeo.fuse_wave_cd, 0.05f);   // as much again as its friction, at least
}
