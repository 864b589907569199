// controls_test.cpp -- the controls step on the loaded trainer, one call at a time: keyboard yoke
// and stick through the response curve onto the surfaces, the yoke's rate limit, the throttle
// lever's hand-over, the bank law, the vertical modes' priority, the airspeed hold's throttle
// rate, failures and trims, canard and tail-rotor mixing, touchdown, and zero speeds.
#include "controls.h"
#include "flight_world.h"
#include "hl_joy.h"
#include "hl_program.h"
#include "keyboard.h"
#include "plt_joy.h"

#include <kvtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr float PI = 3.14159265f;

class Controls : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(flight_world(), 1);
        start_in_air(1000.0f, 50.0f, 0.0f);
        // The air data the integration would give at this start, below the stall speed so the
        // laws' gain scale is 1.
        flt.vind = 0.9f * msc.est_Vs * con.msctokts;
        flt.hind = (float)flt.Y[0];
        clear_recorded_alerts();
    }
    // Frames of the controls alone (the aircraft does not move).
    static void frames(int n)
    {
        for (int i = 0; i < n; i++) update_controls();
    }
};

// ---- keyboard yoke --------------------------------------------------------------------------------

TEST(YokeKeys, MoveTheOffsetsInTheirStepsAndStayWithinTheStops)
{
    struct Row {
        std::vector<int> keys;
        float ptch, roll, hdng;
    } rows[] = {
        {{1, 1, 1}, 0.15f, 0.0f, 0.0f},
        {{2, 2}, -0.1f, 0.0f, 0.0f},
        {{4, 4, 3}, 0.0f, 0.1f, 0.0f},
        {{5, 5, 5, 6}, 0.0f, 0.0f, -0.2f},
        {{1, 4, 6, 0}, 0.05f, 0.0f, 0.0f},                          // 0 centres roll and yaw only
        {std::vector<int>(30, 1), 1.0f, 0.0f, 0.0f},                // pitch stops at full back
        {std::vector<int>(15, 3), 0.0f, -1.0f, 0.0f},               // roll stops at full left
        {std::vector<int>(12, 6), 0.0f, 0.0f, 1.0f},
        {{9, -1}, 0.0f, 0.0f, 0.0f},                                // unknown codes do nothing
    };
    for (const Row& r : rows) {
        clear_globals();
        for (int k : r.keys) yoke_key(k);
        EXPECT_NEAR(set.MK_ptch, r.ptch, 1e-5f);
        EXPECT_NEAR(set.MK_roll, r.roll, 1e-5f);
        EXPECT_NEAR(set.MK_hdng, r.hdng, 1e-5f);
    }
}

TEST_F(Controls, YokeKeysMoveTheSurfacesThroughTheResponseCurve)
{
    const planestruct& pl = pln[0];
    for (int i = 0; i < 10; i++) yoke_key(1);   // pitch offset 0.5
    for (int i = 0; i < 3; i++) yoke_key(4);    // roll offset 0.3
    for (int i = 0; i < 5; i++) yoke_key(6);    // yaw offset 0.5 (the keyboard yaws without pedals)
    frames(20);                                 // 1 s: the yoke has arrived

    // The curve gives |x|^1.5: 0.5 -> 0.35355, 0.3 -> 0.16432.
    EXPECT_NEAR(set.YK_ptch, 0.353553f, 1e-4f);
    EXPECT_NEAR(set.YK_roll, 0.164317f, 1e-4f);
    EXPECT_NEAR(set.YK_hdng, 0.353553f, 1e-4f);
    EXPECT_NEAR(flt.lhstbdef, 0.353553f * pl.elev_up, 1e-3f);
    EXPECT_NEAR(flt.rhstbdef, 0.353553f * pl.elev_up, 1e-3f);
    EXPECT_NEAR(flt.lailndef, -0.164317f * pl.ailn_dn, 1e-3f);   // left trailing edge down
    EXPECT_NEAR(flt.railndef, 0.164317f * pl.ailn_up, 1e-3f);    // right trailing edge up
    EXPECT_NEAR(flt.ruddef, -0.353553f * pl.rudd_def, 1e-3f);

    // A null zone of 0.1 is taken off first: (0.5 - 0.1)^1.5 = 0.25298.
    set.NZ_ptch = 0.1f;
    frames(20);
    EXPECT_NEAR(set.YK_ptch, 0.252982f, 1e-4f);
    // Roll and yaw centred, pitch kept.
    yoke_key(0);
    frames(20);
    EXPECT_NEAR(set.YK_roll, 0.0f, 1e-6f);
    EXPECT_NEAR(flt.ruddef, 0.0f, 1e-5f);
    EXPECT_NEAR(set.YK_ptch, 0.252982f, 1e-4f);
}

TEST_F(Controls, MouseAsJoystickWritesTheKeyboardOffsets)
{
    msc.mouse_is_joy = 1;
    mnw.mx = 450.0f;   // 50 right of the middle
    mnw.my = 397.0f;   // 50 below the neutral line
    frames(40);
    EXPECT_NEAR(set.MK_roll, 0.5f, 1e-5f);
    EXPECT_NEAR(set.MK_ptch, 0.5f, 1e-5f);
    EXPECT_NEAR(set.YK_roll, 0.353553f, 1e-4f);
    // With a stick fitted the mouse leaves the offsets alone.
    set.controls_type = 15;
    mnw.mx = 700.0f;
    frames(1);
    EXPECT_NEAR(set.MK_roll, 0.5f, 1e-5f);
}

// ---- the stick ------------------------------------------------------------------------------------

class StickControls : public Controls {
protected:
    int js = -1;
    void SetUp() override
    {
        Controls::SetUp();
        PLT_joy_pos p;
        if (PLT_joy_read(0, &p)) GTEST_SKIP() << "a real joystick is plugged in";
        js = PLT_joy_attach_virtual(4, 16, 1);
        ASSERT_EQ(js, 0);
        for (int a = 0; a < 4; a++) PLT_joy_virtual_axis(js, a, 0);
        set.controls_type = 15;
        set.eq_ped = 1;
    }
    void TearDown() override
    {
        if (js >= 0) PLT_joy_detach_virtual(js);
    }
};

TEST_F(StickControls, FullSwingReachesTheYokeInHalfASecond)
{
    PLT_joy_virtual_axis(js, 1, -32768);   // full forward
    frames(20);
    ASSERT_NEAR(set.YK_ptch, -1.0f, 1e-4f);
    PLT_joy_virtual_axis(js, 1, 32767);    // full back
    frames(5);                             // 0.25 s at 4 per second: halfway
    EXPECT_NEAR(set.YK_ptch, 0.0f, 1e-3f);
    frames(4);
    EXPECT_LT(set.YK_ptch, 0.99f);
    frames(1);                             // 0.5 s
    EXPECT_NEAR(set.YK_ptch, 1.0f, 1e-3f);
    EXPECT_NEAR(flt.lhstbdef, pln[0].elev_up, 1e-2f);
}

TEST_F(StickControls, StickAxesGoThroughTheCurveToTheSurfaces)
{
    PLT_joy_virtual_axis(js, 0, 16384);    // roll 0.5 right
    PLT_joy_virtual_axis(js, 3, -16384);   // yaw 0.5 left
    frames(20);
    EXPECT_NEAR(set.YK_roll, 0.353553f, 2e-4f);
    EXPECT_NEAR(set.YK_hdng, -0.353553f, 2e-4f);
    EXPECT_NEAR(flt.railndef, 0.353553f * pln[0].ailn_up, 1e-2f);
    EXPECT_NEAR(flt.ruddef, 0.353553f * pln[0].rudd_def, 1e-2f);
}

TEST_F(StickControls, TheLeverTakesTheThrottlesOnlyAfterMovingMoreThanItsMargin)
{
    // throttle = 1.1 - 1.2 z / 65537 with z = value + 32768.
    auto lever_at = [&](float t) {
        int z = (int)std::lround((1.1f - t) * 65537.0f / 1.2f) - 32768;
        PLT_joy_virtual_axis(js, 2, z);
    };
    for (int i = 0; i < 4; i++) flt.throrqst[i] = 0.8f;   // the keyboard's setting
    set.thro_pot = 0;
    lever_at(0.3f);
    frames(1);                  // the first reading only marks where the lever is
    lever_at(0.33f);
    frames(3);
    EXPECT_EQ(set.thro_pot, 0);
    EXPECT_NEAR(flt.throrqst[0], 0.8f, 1e-6f);
    lever_at(0.36f);
    frames(1);
    EXPECT_EQ(set.thro_pot, 1);
    for (int i = 0; i < 4; i++) EXPECT_NEAR(flt.throrqst[i], 0.36f, 1e-3f);
    // Once it holds them, the throttles follow every movement.
    lever_at(0.37f);
    frames(1);
    EXPECT_NEAR(flt.throrqst[2], 0.37f, 1e-3f);
}

// ---- autopilot laws ------------------------------------------------------------------------------

TEST_F(Controls, HeadingErrorAsksForTheStandardRateBankUpToThirtyDegrees)
{
    rel.stbaug = 0;
    ott.HDSLCT = 1;
    flt.psi[0] = 10.0f;
    nav.hdsel = 100;   // 90 degrees to the right
    float g = atm.g;
    struct Row {
        float v, bank;
    } rows[] = {
        {std::tan(20.0f * PI / 180.0f) * 60.0f * g / PI, 20.0f},   // a 3 deg/s turn needs 20 degrees
        {100.0f, 28.12f},
        {50.0f, 14.96f},
        {200.0f, 30.0f},   // would be 46.8: the cap decides
    };
    for (const Row& r : rows) {
        flt.v[0] = r.v;
        frames(1);
        EXPECT_NEAR(set.YK_roll * 100.0f, r.bank, 0.02f) << r.v;
    }
    // Turning the other way, and a small error asks for no more than itself.
    nav.hdsel = 300;
    flt.v[0] = 100.0f;
    frames(1);
    EXPECT_NEAR(set.YK_roll * 100.0f, -28.12f, 0.02f);
    nav.hdsel = 15;
    frames(1);
    EXPECT_NEAR(set.YK_roll * 100.0f, 5.0f, 0.01f);
}

TEST_F(Controls, NavigationModesInterceptTheCourseByTheirDeflection)
{
    ott.NAV[1] = 1;
    nav.ilsgs[1] = 3;
    nav.ilscrs[1] = 90.0f;
    flt.psi[0] = 90.0f;
    flt.v[0] = 30.0f;   // bank limit 8.6 degrees
    nav.hdef[1] = 0.0f;
    frames(1);
    EXPECT_NEAR(set.YK_roll, 0.0f, 1e-6f);
    // Right of course: the station bears left of the course; the aircraft turns left.
    nav.hdef[1] = -2.0f;
    frames(1);
    EXPECT_LT(set.YK_roll, 0.0f);
    // A VOR: the selected course less the variation.
    nav.ilsgs[1] = 9;
    nav.obs[1] = 100.0f;
    env.mvar = 10.0f;
    nav.hdef[1] = 0.0f;
    frames(1);
    EXPECT_NEAR(set.YK_roll, 0.0f, 1e-6f);
    // Receiver 1 of a GPS panel flies the locked GPS course, corrected by its cross-track deflection.
    ott.NAV[1] = 0;
    ott.NAV[0] = 1;
    pln[0].supptype = 2;
    nav.gps_lock_crs = 90.0f;
    nav.ilscrs[0] = 200.0f;   // not used
    frames(1);
    EXPECT_NEAR(set.YK_roll, 0.0f, 1e-6f);
    nav.hdef[0] = 1.0f;
    frames(1);
    EXPECT_GT(set.YK_roll, 0.0f);
    pln[0].supptype = 1;      // a receiver of its own: its localizer course
    nav.hdef[0] = 0.0f;
    nav.ilsgs[0] = 0;
    frames(1);
    EXPECT_GT(set.YK_roll, 0.05f);   // 110 degrees to the right
    ott.NAV[0] = 0;
    ott.NAV[1] = 1;
    // At zero airspeed the intercept angle is capped, not infinite.
    flt.vind = 0.0f;
    nav.hdef[1] = 0.5f;
    frames(1);
    EXPECT_TRUE(controls_finite());
    EXPECT_GT(set.YK_roll, 0.0f);
}

// The trim the vertical channel sets on its first frame from engagement, with the mode flags given.
float first_frame_trim(int vv, int al, int gs, float vv_hold, float al_above)
{
    controls_restart();
    ott.VVHOLD = vv;
    ott.ALHOLD = al;
    ott.GS2 = gs;
    ott.vv_hold = vv_hold;
    ott.al_hold = flt.hind + al_above;
    flt.elv_trim = 0.0f;
    update_controls();
    ott.VVHOLD = ott.ALHOLD = ott.GS2 = 0;
    update_controls();   // disengages, so the next engagement starts afresh
    return flt.elv_trim;
}

TEST_F(Controls, LaterVerticalModesOverrideEarlierOnes)
{
    nav.ilsgs[1] = 3;
    nav.vdef[1] = 0.0f;
    flt.v[0] = 50.0f;
    flt.vind = 10.0f * msc.est_Vs * con.msctokts;   // the smallest gain scale keeps the trim off its stops
    float vv5 = first_frame_trim(1, 0, 0, 5.0f, 0.0f);
    float vv2 = first_frame_trim(1, 0, 0, 2.0f, 0.0f);
    // 40 m below the target asks for 2 m/s, inside the +-5 limit: the altitude law decides.
    float vv5_al40 = first_frame_trim(1, 1, 0, 5.0f, 40.0f);
    // 400 m below asks for 20 m/s: limited to 5.
    float vv5_al400 = first_frame_trim(1, 1, 0, 5.0f, 400.0f);
    float gs = first_frame_trim(0, 0, 1, 0.0f, 0.0f);
    float all = first_frame_trim(1, 1, 1, 5.0f, 40.0f);
    ASSERT_LT(std::fabs(vv5), 1.0f);
    EXPECT_GT(vv5, vv2);
    EXPECT_NEAR(vv5_al40, vv2, 1e-6f);
    EXPECT_NEAR(vv5_al400, vv5, 1e-6f);
    EXPECT_LT(gs, 0.0f);   // the glide path goes down
    EXPECT_NEAR(all, gs, 1e-6f);
}

TEST_F(Controls, VerticalModesKeepTheTrimWithinItsStops)
{
    ott.VVHOLD = 1;
    ott.vv_hold = 40.0f;   // far more than the aircraft can climb
    flt.v[0] = 50.0f;
    for (int i = 0; i < 400; i++) {
        update_controls();
        ASSERT_LE(std::fabs(flt.elv_trim), 1.0f);
    }
    EXPECT_NEAR(flt.elv_trim, 1.0f, 1e-6f);
    // Without a working trim the modes leave it where it is.
    rel.sttrim = 0;
    flt.elv_trim = 0.2f;
    ott.vv_hold = -40.0f;
    frames(10);
    EXPECT_NEAR(flt.elv_trim, 0.2f, 1e-6f);
}

TEST_F(Controls, AirspeedHoldMovesTheThrottleAtMostATenthPerSecond)
{
    ott.ASHOLD = 1;
    ott.as_hold = 200.0f;   // far above
    flt.vind = 60.0f;
    frames(1);
    float t0 = flt.throrqst[0];
    EXPECT_NEAR(t0, 0.5f, 0.1f * msc.prd + 1e-6f);   // from 0.5, one frame's step at most
    frames(40);             // 2 s
    for (int i = 0; i < 4; i++) EXPECT_NEAR(flt.throrqst[i], t0 + 0.2f, 1e-4f);
    ott.as_hold = 0.0f;     // far below: back down at the same rate
    frames(20);
    EXPECT_NEAR(flt.throrqst[0], t0 + 0.1f, 1e-4f);
}

TEST_F(Controls, FailedAutopilotLeavesTheYokeToThePilot)
{
    rel.otto = 0;
    ott.HDSLCT = 1;
    nav.hdsel = 90;
    yoke_key(3);
    frames(20);
    EXPECT_NEAR(set.YK_roll, -std::pow(0.1f, 1.5f), 1e-4f);
}

// ---- augmentation, failures, trims -----------------------------------------------------------------

TEST_F(Controls, AugmentationOpposesTheRatesAndBlendsItsTwoSets)
{
    planestruct& pl = pln[0];
    msc.est_Vs = 100.0f;   // the gain scale stays 1
    pl.ASloV = 60.0f;
    pl.AShiV = 120.0f;
    pl.ASp1 = 0.02f;   // low-speed set: pitch rate
    pl.ASr1 = 0.01f;
    pl.ASh1 = 0.03f;
    pl.ASr2 = 0.005f;  // high-speed set
    flt.Q = 10.0f;
    flt.P = 10.0f;
    flt.R = 10.0f;
    flt.vind = 50.0f;  // below the low corner: low set only, gain scale 1
    frames(1);
    EXPECT_NEAR(set.FC_ptch, -0.2f, 1e-5f);
    EXPECT_NEAR(set.FC_roll, -0.1f, 1e-5f);
    EXPECT_NEAR(set.FC_hdng, -0.3f, 1e-5f);
    // Half way between the corners each set has half its say.
    msc.est_Vs = 90.0f * con.ktstomsc;   // keep the gain scale at 1
    flt.vind = 90.0f;
    frames(1);
    EXPECT_NEAR(set.FC_roll, -0.5f * 0.1f - 0.5f * 0.05f, 1e-5f);
    // On the ground the yaw terms are off; with augmentation failed all are.
    flt.onground = 1;
    frames(1);
    EXPECT_NEAR(set.FC_hdng, 0.0f, 1e-6f);
    rel.stbaug = 0;
    frames(1);
    EXPECT_NEAR(set.FC_roll, 0.0f, 1e-6f);
    EXPECT_NEAR(set.FC_ptch, 0.0f, 1e-6f);
}

TEST_F(Controls, EqualCornerSpeedsDoNotDivideByZero)
{
    planestruct& pl = pln[0];
    msc.est_Vs = 100.0f;
    pl.ASloV = pl.AShiV = 80.0f;
    pl.ASr1 = 0.01f;
    pl.ASr2 = 0.002f;
    flt.P = 10.0f;
    flt.vind = 79.0f;
    frames(1);
    EXPECT_NEAR(set.FC_roll, -0.1f, 1e-5f);   // the low set up to the corner
    flt.vind = 81.0f;
    frames(1);
    EXPECT_NEAR(set.FC_roll, -0.02f, 1e-5f);
}

TEST_F(Controls, FailedControlsStillTrimAndHydraulicsScaleTheCommands)
{
    for (int i = 0; i < 10; i++) yoke_key(1);   // 0.35355 pitch
    for (int i = 0; i < 5; i++) yoke_key(4);    // 0.35355 roll
    frames(20);
    flt.elv_trim = 0.4f;
    flt.ail_trim = 1.0f;
    rel.hyd_rat = 0.5f;
    frames(1);
    EXPECT_NEAR(set.FC_ptch, 0.5f * 0.353553f + 0.2f, 1e-4f);
    EXPECT_NEAR(set.FC_roll, 0.5f * 0.353553f + 0.1f, 1e-4f);
    rel.fc_elv = 0;
    rel.fc_ail = 0;
    frames(1);
    EXPECT_NEAR(set.FC_ptch, 0.2f, 1e-5f);
    EXPECT_NEAR(set.FC_roll, 0.1f, 1e-5f);
    EXPECT_NEAR(flt.lhstbdef, 0.2f * pln[0].elev_up, 1e-3f);
}

TEST_F(Controls, CanardDeflectsAgainstTheTailsSign)
{
    for (int i = 0; i < 10; i++) yoke_key(1);
    frames(20);
    float tail = flt.lhstbdef;
    ASSERT_GT(tail, 0.0f);
    pln[0].Zarm[10] = -3.0f;   // the stabiliser ahead of the centre of gravity
    frames(1);
    EXPECT_NEAR(flt.lhstbdef, -0.353553f * pln[0].elev_dn, 1e-3f);
    EXPECT_LT(flt.lhstbdef, 0.0f);
}

TEST_F(Controls, OnlyAHelicopterSteersItsSecondRotorWithThePedals)
{
    flt.proppitch[1] = 12.5f;   // a twin's second propeller
    for (int i = 0; i < 5; i++) yoke_key(6);
    frames(20);
    EXPECT_NEAR(flt.proppitch[1], 12.5f, 1e-6f);
    ASSERT_EQ(flight_world(FH_HELI), 1);
    start_in_air(100.0f, 20.0f, 0.0f);
    set.eq_ped = 1;
    const planestruct& pl = pln[0];
    frames(1);
    float centred = flt.proppitch[1];
    EXPECT_NEAR(centred, 0.5f * (pl.minpitch[1] + pl.maxpitch[1]), 1e-3f);
    for (int i = 0; i < 10; i++) yoke_key(6);   // full right pedal
    frames(20);
    EXPECT_NEAR(flt.proppitch[1], pl.propdir[0] > 0 ? pl.minpitch[1] : pl.maxpitch[1], 1e-3f);
}

// ---- touchdown -------------------------------------------------------------------------------------

TEST_F(Controls, TouchdownDisconnectsTheAutopilotWithEveryKeyboardLayout)
{
    for (int layout : {1, 2, 3}) {
        msc.key_type = layout;
        flt.onground = 0;
        frames(1);
        ott.HDSLCT = 1;
        ott.ALHOLD = 1;
        frames(1);
        ASSERT_EQ(ott.HDSLCT, 1);
        flt.onground = 1;   // the frame of touchdown
        frames(1);
        EXPECT_EQ(ott.HDSLCT, 0) << layout;
        EXPECT_EQ(ott.ALHOLD, 0) << layout;
        // Engaged again on the ground, it stays on.
        ott.HDSLCT = 1;
        frames(3);
        EXPECT_EQ(ott.HDSLCT, 1) << layout;
        ott.HDSLCT = 0;
    }
}

TEST_F(Controls, TouchdownSetsTheAutomaticBrakes)
{
    pln[0].autofbrkEQ = 1;
    pln[0].autosbrkEQ = 1;
    set.parkbrake = 0.0f;
    flt.sbrk = -1;   // armed
    flt.onground = 0;
    frames(1);
    EXPECT_EQ(set.parkbrake, 0.0f);
    flt.onground = 1;
    frames(1);
    EXPECT_EQ(set.parkbrake, 1.0f);
    EXPECT_EQ(flt.sbrk, 2);
}

// ---- no speed, no stall speed ----------------------------------------------------------------------

TEST_F(Controls, StandingStillWithNoStallSpeedGivesFiniteCommands)
{
    planestruct& pl = pln[0];
    pl.ASloV = pl.AShiV = 0.0f;
    pl.ASp1 = pl.ASp2 = pl.ASr1 = pl.ASr2 = pl.ASh1 = pl.ASh2 = 0.1f;
    struct Row {
        float est_Vs, v, vind, prd;
    } rows[] = {{0.0f, 0.0f, 0.0f, 0.05f}, {0.0f, 30.0f, 60.0f, 0.05f}, {25.0f, 0.0f, 0.0f, 0.05f},
                {0.0f, 0.0f, 0.0f, 0.0f}};
    for (const Row& r : rows) {
        controls_restart();
        msc.est_Vs = r.est_Vs;
        msc.prd = r.prd;
        flt.v[0] = r.v;
        flt.vind = r.vind;
        ott.HDSLCT = ott.ALHOLD = ott.ASHOLD = 1;
        ott.NAV[0] = 0;
        ott.vv_hold = 2.0f;
        for (int i = 0; i < 5; i++) {
            update_controls();
            ASSERT_TRUE(controls_finite()) << r.est_Vs << " " << r.v << " " << r.prd;
        }
        ott.HDSLCT = 0;
        ott.NAV[1] = 1;
        ott.GS2 = 1;
        nav.ilsgs[1] = 3;
        nav.hdef[1] = 1.0f;
        update_controls();
        EXPECT_TRUE(controls_finite());
        ott.NAV[1] = ott.GS2 = 0;
    }
    // A helicopter without pedals in the hover.
    ASSERT_EQ(flight_world(FH_HELI), 1);
    start_in_air(10.0f, 0.0f, 0.0f);
    set.eq_ped = 0;
    msc.est_Vs = 0.0f;
    flt.vind = 0.0f;
    flt.R = 5.0f;
    update_controls();
    EXPECT_TRUE(controls_finite());
    EXPECT_LT(set.YK_hdng, 0.0f);   // the yaw damper opposes the yaw rate
}

}  // namespace
