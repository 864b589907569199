// event_test.cpp -- the event update: its cadence under the frame driver's rule, the stall horn,
// shaker and buffet, marker and Morse tones, flaps, slats and their motor, gear travel, the recorded
// path, the storm level around the aircraft at the grid's edges, the radio needles and wind shear.
#include "event_world.h"
#include "fltframe.h"
#include "test_pilot.h"

#include <cmath>
#include <cstring>

namespace {

constexpr float PI = 3.14159265f;

// ---- cadence ----------------------------------------------------------------------------------

// Counts the event calls by the recorded path (one point per call) and the once-per-second calls by
// the centring spring each of them sets, over a stretch of level flight.
struct CadenceCount {
    int evt = 0, sec = 0;
};

CadenceCount fly_counting(float prd, int frames, bool through_driver)
{
    fh_world_options opt;
    opt.prd = prd;
    fh_world(opt);
    EXPECT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    evt_listen();
    fh_start_air(1500.0f, 50.0f, 0.0f);
    set.controls_type = -1;
    reset_flight_driver();
    mnw.time_elapsed = 0.0f;
    EvtCadence cadence;
    CadenceCount n;
    for (int k = 0; k < frames; k++) {
        int before = pat.cntr_record;
        PLT_force_log_clear();
        if (through_driver) {
            mnw.time_elapsed += prd;   // the event loop's clock keeps pace with the period
            update_flight();
        } else {
            cadence.step();
            fh_frame();
        }
        n.evt += (pat.cntr_record - before + PATH_POINTS) % PATH_POINTS;
        n.sec += (int)evt_forces(FF_X_SPRING).size();
    }
    evt_quiet();
    return n;
}

TEST(EventCadence, TenEventsAndOneSecondUpdatePerSimulatedSecond)
{
    // 60 s at 1/60 s: an event every sixth frame (the first frame runs both), a second every tenth;
    // the same under the tests' own cadence and under the frame driver.
    for (bool driver : {false, true}) {
        CadenceCount n = fly_counting(1.0f / 60.0f, 3600, driver);
        EXPECT_EQ(n.evt, 600) << driver;
        EXPECT_EQ(n.sec, 60) << driver;
    }
}

TEST(EventCadence, SlowFramesRunAnEventEveryFrameAndASecondEveryTen)
{
    // A period of 0.11 s gives an interval of round(0.91) = 1.
    for (bool driver : {false, true}) {
        CadenceCount n = fly_counting(0.11f, 100, driver);
        EXPECT_EQ(n.evt, 100) << driver;
        EXPECT_EQ(n.sec, 10) << driver;
    }
}

// ---- stall horn, shaker, buffet ---------------------------------------------------------------

TEST_F(EventWorld, StallHornSoundsBeforeTheWingStalls)
{
    fh_start_air(1500.0f, 40.0f, 0.0f);
    TestPilot pilot = speed_pilot(40.0f);
    set_throttle(0.0f);
    for (int k = 0; k < 60 * 20; k++) {
        cadence.step();
        pilot.fly();
    }
    ASSERT_FALSE(PLT_voice_playing(SND_STALL)) << "no horn at 40 m/s";
    // Slow down at one knot a second until the wing stalls.
    float horn_at = -1.0f, stalled_at = -1.0f;
    ASSERT_TRUE(slow_to_stall(pilot, 90.0f, [&] { cadence.step(); }, [&] {
        if (PLT_voice_playing(SND_STALL) && horn_at < 0.0f) horn_at = flt.vind;
        if (flt.stalled[4] && stalled_at < 0.0f) stalled_at = flt.vind;
        return stalled_at >= 0.0f;
    }));
    ASSERT_GT(stalled_at, 0.0f) << "never stalled";
    ASSERT_GT(horn_at, 0.0f) << "no horn";
    EXPECT_GT(horn_at, stalled_at) << "the horn comes before the stall";
}

TEST_F(EventWorld, HornAndShakerFollowTheWarningWhileTheElectricsWork)
{
    pln[0].ff_stickshaker = 1;
    pln[0].ff_hydraulic = 0;
    flt.stallwarning = 1;
    mod_evt();
    EXPECT_TRUE(PLT_voice_playing(SND_STALL));
    auto shake = evt_forces(FF_Y_VIBRATION);
    ASSERT_EQ(shake.size(), 1u);
    EXPECT_EQ(shake[0].a, 100);
    EXPECT_EQ(shake[0].c, 10);
    // A loop: it is still on after its sound's length has long passed.
    float out[256];
    PLT_mix(out, 128, 100);
    EXPECT_TRUE(PLT_voice_playing(SND_STALL));

    PLT_force_log_clear();
    flt.stallwarning = 0;
    mod_evt();
    EXPECT_FALSE(PLT_voice_playing(SND_STALL));
    EXPECT_EQ(evt_forces(FF_Y_VIBRATION_CLEAR).size(), 1u);

    // A dead electrical system keeps horn and shaker silent; its failure silences a sounding horn.
    flt.stallwarning = 1;
    mod_evt();
    ASSERT_TRUE(PLT_voice_playing(SND_STALL));
    rel.esystem = 0;
    mod_evt();
    EXPECT_FALSE(PLT_voice_playing(SND_STALL));
    PLT_force_log_clear();
    mod_evt();
    EXPECT_FALSE(PLT_voice_playing(SND_STALL));
    EXPECT_TRUE(evt_forces(FF_Y_VIBRATION).empty());
}

TEST_F(EventWorld, StalledWingBuffetsAStickWithoutShakerOrHydraulics)
{
    struct Case {
        int shaker, hydraulic;
        bool buffet;
    } cases[] = {{0, 0, true}, {1, 0, false}, {0, 1, false}};
    for (const Case& k : cases) {
        fh_world();
        ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
        evt_listen();
        pln[0].ff_stickshaker = k.shaker;
        pln[0].ff_hydraulic = k.hydraulic;
        flt.Qratio = 0.1f;
        flt.stalled[4] = 1;
        mod_evt();
        auto on = evt_forces(FF_Y_VIBRATION);
        ASSERT_EQ(on.size(), k.buffet ? 1u : 0u) << k.shaker << k.hydraulic;
        if (k.buffet) {
            EXPECT_EQ(on[0].a, 50);   // 500 times the dynamic-pressure ratio
            EXPECT_EQ(on[0].c, 5);
        }
        flt.stalled[4] = 0;
        PLT_force_log_clear();
        mod_evt();
        EXPECT_EQ(evt_forces(FF_Y_VIBRATION_CLEAR).size(), k.buffet ? 1u : 0u);
    }
    // A deep stall at high dynamic pressure asks for more than the stick can give: limited to 100.
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    evt_listen();
    flt.Qratio = 0.9f;
    flt.stalled[4] = 1;
    mod_evt();
    auto hard = evt_forces(FF_Y_VIBRATION);
    ASSERT_EQ(hard.size(), 1u);
    EXPECT_EQ(hard[0].a, 100);
}

// ---- marker and Morse tones -------------------------------------------------------------------

TEST_F(EventWorld, MarkerTonesKeepTheirPlacesInEachSecond)
{
    struct Case {
        int om, mm, im;
        const char* dots;    // calls 0..9 starting the dot tone
        const char* dashes;  // calls 0..9 starting the dash tone
    } cases[] = {
        {1, 0, 0, "..........", "x........."},
        {0, 1, 0, "x.........", "....x....."},
        {0, 0, 1, "x..x..x...", ".........."},
        {0, 0, 0, "..........", ".........."},
    };
    for (const Case& k : cases) {
        nav.overOM = k.om;
        nav.overMM = k.mm;
        nav.overIM = k.im;
        char dots[11] = "..........", dashes[11] = "..........";
        for (int c = 0; c < 10; c++) {
            evt_hush();
            msc.cntr10 = c;
            mod_evt();
            if (PLT_voice_playing(SND_MARKER_DOT)) dots[c] = 'x';
            if (PLT_voice_playing(SND_MARKER_DASH)) dashes[c] = 'x';
        }
        EXPECT_STREQ(dots, k.dots) << k.om << k.mm << k.im;
        EXPECT_STREQ(dashes, k.dashes) << k.om << k.mm << k.im;
    }
}

TEST_F(EventWorld, MorseIdentifierPlaysItsCodeInTimedSlots)
{
    // "NA": N is dash dot, A dot dash. From the start: dash at 0, dot at 0.5, quiet 0.8..1.8, dot at
    // 1.8, dash at 2.1, quiet from 2.6; the identifier starts again 10 s after it began. The calls
    // come every 0.1 s, so each tone sounds on the first call at or after its slot.
    nav.radout = 1;
    nav.goodnav[1] = 1;
    std::snprintf(nav.nav_id[1], sizeof nav.nav_id[1], "NA");
    std::vector<float> dots, dashes;
    for (int k = 0; k <= 115; k++) {
        msc.elap_time = k == 0 ? 100.0f : 100.05f + 0.1f * (float)k;
        evt_hush();
        mod_evt();
        float t = 0.1f * (float)k;
        if (PLT_voice_playing(SND_MARKER_DOT)) dots.push_back(t);
        if (PLT_voice_playing(SND_MARKER_DASH)) dashes.push_back(t);
    }
    // The first call builds the slots and the first tone sounds on the next; the second round is
    // built on the call after the tenth second and sounds from the one after that.
    std::vector<float> want_dots = {0.5f, 1.8f, 10.6f}, want_dashes = {0.1f, 2.1f, 10.2f};
    ASSERT_EQ(dots.size(), want_dots.size());
    ASSERT_EQ(dashes.size(), want_dashes.size());
    for (size_t i = 0; i < dots.size(); i++) EXPECT_NEAR(dots[i], want_dots[i], 0.101f) << i;
    for (size_t i = 0; i < dashes.size(); i++) EXPECT_NEAR(dashes[i], want_dashes[i], 0.101f) << i;
}

TEST_F(EventWorld, MorseNeedsTheSelectedRadioToHearAStation)
{
    std::snprintf(nav.nav_id[0], sizeof nav.nav_id[0], "EEEE");
    std::snprintf(nav.nav_id[2], sizeof nav.nav_id[2], "EEEE");
    struct Case {
        int radout, good;
        bool sounds;
    } cases[] = {{0, 1, true}, {0, 0, false}, {2, 1, false}};
    for (const Case& k : cases) {
        reset_events();
        nav.radout = k.radout;
        nav.goodnav[0] = nav.goodnav[2] = k.good;
        bool heard = false;
        for (int i = 0; i < 30; i++) {
            msc.elap_time = 500.0f + 0.1f * (float)i;
            evt_hush();
            mod_evt();
            heard |= PLT_voice_playing(SND_MARKER_DOT) != 0;
        }
        EXPECT_EQ(heard, k.sounds) << k.radout << " " << k.good;
    }
}

// ---- flaps, slats, gear ------------------------------------------------------------------------

TEST_F(EventWorld, FlapsRunWithTheirMotorAndTheSlatsFollow)
{
    flt.flaprqst = 1.0f;
    int calls = 0;
    while (flt.flap < 1.0f && calls < 100) {
        mod_evt();
        calls++;
        EXPECT_NEAR(flt.slat, std::fmin(4.0f * flt.flap, 1.0f), 1e-6f);
        if (flt.flap < 1.0f) {
            EXPECT_TRUE(PLT_voice_playing(SND_FLAP)) << calls;
        }
    }
    EXPECT_EQ(calls, 40);   // 0.025 per call
    EXPECT_FALSE(PLT_voice_playing(SND_FLAP)) << "the motor stops when the flaps arrive";
    EXPECT_FLOAT_EQ(flt.slat, 1.0f);

    // Half way back, then a dead flap drive holds them where they are, silent.
    flt.flaprqst = 0.5f;
    for (int i = 0; i < 10; i++) mod_evt();
    EXPECT_NEAR(flt.flap, 0.75f, 1e-5f);
    rel.fc_flp = 0;
    mod_evt();
    EXPECT_NEAR(flt.flap, 0.75f, 1e-5f);
    EXPECT_FALSE(PLT_voice_playing(SND_FLAP));
}

// The slats are set by the flaps alone: four times the flap setting, whatever the state of the
// slat system the failures panel lists.
TEST_F(EventWorld, SlatsFollowTheFlapsWhateverTheSlatSystem)
{
    for (int working : {1, 0}) {
        rel.fc_slt = working;
        flt.flap = 0.0f;
        flt.slat = 0.0f;
        flt.flaprqst = 0.1f;
        for (int i = 0; i < 4; i++) mod_evt();   // 0.025 a call
        EXPECT_NEAR(flt.flap, 0.1f, 1e-6f) << working;
        EXPECT_NEAR(flt.slat, 0.4f, 1e-6f) << "slat system " << (working ? "working" : "failed");
        flt.flaprqst = 0.5f;
        for (int i = 0; i < 16; i++) mod_evt();
        EXPECT_FLOAT_EQ(flt.slat, 1.0f) << "slat system " << (working ? "working" : "failed");
    }
}

TEST_F(EventWorld, AutomaticSweepFollowsTheFlaps)
{
    pln[0].autosweepEQ = 1;
    flt.flaprqst = 0.25f;
    for (int i = 0; i < 20; i++) mod_evt();
    EXPECT_NEAR(flt.sweerqst, 0.5f, 1e-5f);   // 1 - sqrt(0.25)
}

TEST_F(EventWorld, SweepAndVectoringMoveAtTheirRates)
{
    planestruct& pl = pln[0];
    pl.varsweepEQ[4] = pl.varsweepEQ[5] = 1;
    pl.sweep1[4] = pl.sweep1[5] = 20.0f;
    pl.sweep2[4] = pl.sweep2[5] = 60.0f;
    flt.swee = 0.0f;
    flt.sweerqst = 0.5f;
    for (int i = 0; i < 10; i++) mod_evt();
    EXPECT_NEAR(flt.swee, 0.2f, 1e-5f);   // 0.02 per call
    EXPECT_NEAR(pl.sweepnow[4], 28.0f, 1e-4f);
    EXPECT_FLOAT_EQ(pl.sweepnow[10], pl.sweep1[10]);
    for (int i = 0; i < 20; i++) mod_evt();
    EXPECT_FLOAT_EQ(flt.swee, 0.5f);

    pl.vectEQ = 1;
    pl.is_heli = 0;
    for (int i = 0; i < 4; i++) pl.vertcant[i] = 0.0f;
    flt.vectrqst = 9.0f;
    for (int i = 0; i < 4; i++) mod_evt();
    for (int i = 0; i < 4; i++) EXPECT_FLOAT_EQ(pl.vertcant[i], 8.0f) << i;   // 2 degrees per call
    mod_evt();
    EXPECT_FLOAT_EQ(pl.vertcant[3], 9.0f);   // the last step snaps
}

TEST_F(EventWorld, GearLegsTakeTheHandleWhenTheirTimeComes)
{
    planestruct& pl = pln[0];
    pl.gear_retract = 1;
    for (int leg = 0; leg < 3; leg++) pl.gear_stat[leg] = 1;
    set.gear_handle = 0;
    msc.elap_time = 50.0f;
    set.gear_time[0] = 52.0f;
    set.gear_time[1] = 53.0f;
    set.gear_time[2] = 9.9e9f;   // a failed leg never moves
    struct Step {
        float t;
        int legs[3];
    } steps[] = {{51.0f, {1, 1, 1}}, {52.0f, {0, 1, 1}}, {53.5f, {0, 0, 1}}, {60.0f, {0, 0, 1}}};
    for (const Step& s : steps) {
        msc.elap_time = s.t;
        mod_evt();
        for (int leg = 0; leg < 3; leg++) EXPECT_EQ(pl.gear_stat[leg], s.legs[leg]) << s.t << " leg " << leg;
    }
    // Fixed gear never moves whatever the handle says.
    pl.gear_retract = 0;
    set.gear_handle = 1;
    mod_evt();
    EXPECT_EQ(pl.gear_stat[0], 0);
}

// ---- path, storm level, needles, shear ---------------------------------------------------------

TEST_F(EventWorld, PathRingWrapsAndMarksItsNextSlotEmpty)
{
    fh_start_air(1000.0f, 50.0f, 90.0f);
    pat.cntr_record = PATH_POINTS - 2;
    pat.inited[0] = 1;
    msc.elap_time = 77.0f;
    mod_evt();
    EXPECT_EQ(pat.cntr_record, PATH_POINTS - 1);
    EXPECT_EQ(pat.inited[PATH_POINTS - 1], 1);
    EXPECT_EQ(pat.inited[0], 0);
    mod_evt();
    EXPECT_EQ(pat.cntr_record, 0);
    EXPECT_EQ(pat.inited[0], 1);
    EXPECT_EQ(pat.inited[1], 0);
    const float* p = pat.xyztppt[0];
    EXPECT_FLOAT_EQ(p[0], (float)flt.X[0]);
    EXPECT_FLOAT_EQ(p[1], (float)flt.Y[0]);
    EXPECT_FLOAT_EQ(p[4], 90.0f);
    EXPECT_FLOAT_EQ(p[6], 77.0f);
}

TEST_F(EventWorld, StormLevelReadsTheGridClampedAtItsEdges)
{
    atm.rain_tstm = 3.0f;
    atm.baseMSL = 1000.0f;
    atm.topsMSL = 3000.0f;
    std::memset(atm.wxr, 0, sizeof atm.wxr);
    atm.wxr[0][0] = 1.0f;       // the north-west corner
    atm.wxr[630][420] = 1.0f;   // the south-east corner
    struct Case {
        double x, z, y;
        float level;
    } cases[] = {
        // At a corner the window's outside cells repeat the edge: the corner cell counts 9 times.
        {0.0, 0.0, 500.0, 2.0f * 9.0f / 25.0f},
        {-5000.0, -9000.0, 500.0, 2.0f * 9.0f / 25.0f},   // off the grid: its nearest cell
        {env.dx + 100.0, env.dz + 100.0, 500.0, 2.0f * 9.0f / 25.0f},
        {0.5 * env.dx, 0.5 * env.dz, 500.0, 0.0f},
        // Fading from the middle of the layer (2000 m) to nothing at the tops.
        {0.0, 0.0, 2500.0, 2.0f * 9.0f / 25.0f * 0.5f},
        {0.0, 0.0, 3100.0, 0.0f},
    };
    for (const Case& k : cases) {
        flt.X[0] = k.x;
        flt.Z[0] = k.z;
        flt.Y[0] = k.y;
        mod_evt();
        EXPECT_NEAR(atm.level, k.level, 1e-5f) << k.x << " " << k.z << " " << k.y;
    }
}

TEST_F(EventWorld, NeedlesShowTheCourseAndGlideSlopeDeviation)
{
    pln[0].supptype = 1;
    flt.X[0] = 50000.0;
    flt.Z[0] = 60000.0;
    flt.Y[0] = 300.0;
    // A localizer 10 km east on a 090 course, its glide slope (3 degrees) beside it at sea level;
    // the aircraft 2 degrees left of the course and 1 degree above the slope.
    const float d = 10000.0f;
    const float rad = PI / 180.0f;
    nav.goodnav[1] = 1;
    nav.ilsgs[1] = 3;
    nav.ilscrs[1] = 90.0f;
    nav.vorX[1] = 50000.0f + d;
    nav.vorZ[1] = 60000.0f + d * std::tan(2.0f * rad);   // south of the aircraft: it is north
    nav.gsX[1] = 50000.0f + d;
    nav.gsZ[1] = 60000.0f;
    nav.gsY[1] = 300.0f - d * std::tan(4.0f * rad);
    mod_evt();
    EXPECT_NEAR(nav.hdef[1], 4.0f, 0.01f);   // 2 degrees, doubled: fly right
    EXPECT_NEAR(nav.vdef[1], 2.0f, 0.01f);   // 4 - 3 degrees, doubled
    EXPECT_EQ(nav.ntf[1], 1);

    // A VOR due north of the aircraft; the selected course 010 magnetic with 10 degrees of easterly
    // variation (negative, west positive) is 000 true.
    nav.ilsgs[1] = 9;
    nav.vorX[1] = 50000.0f;
    nav.vorZ[1] = 40000.0f;
    nav.obs[1] = 350.0f;
    env.mvar = -10.0f;
    mod_evt();
    EXPECT_NEAR(nav.hdef[1], 0.0f, 0.01f);
    EXPECT_EQ(nav.ntf[1], 1);
    nav.obs[1] = 160.0f;   // 170 true: behind, 10 degrees off: from, needle 5 degrees' worth
    mod_evt();
    EXPECT_EQ(nav.ntf[1], 2);
    EXPECT_NEAR(nav.hdef[1], -5.0f, 0.01f);
    // Without a station the needles rest and the flag is off; receiver 0 works only with its radio.
    nav.goodnav[1] = 0;
    pln[0].supptype = 2;
    nav.goodnav[0] = 1;
    nav.hdef[0] = 3.0f;
    mod_evt();
    EXPECT_FLOAT_EQ(nav.hdef[1], 0.0f);
    EXPECT_EQ(nav.ntf[1], 0);
    EXPECT_FLOAT_EQ(nav.hdef[0], 3.0f);
}

TEST_F(EventWorld, WindShearBlowsAgainstTheNoseThenPasses)
{
    fh_start_air(100.0f, 50.0f, 0.0f);
    atm.burst_prob = 5.0f;
    pln[0].bitchinbettyEQ = 1;
    set.warn_bb = 1;
    hl_srand(7);
    msc.elap_time = 1000.0f;
    int calls = 0;
    while (!atm.inshear && calls < 20000) {
        msc.elap_time += 0.1f;
        msc.cntr10 = 1;   // no new gust targets
        evt_hush();
        mod_evt();
        calls++;
    }
    ASSERT_TRUE(atm.inshear) << "no shear within " << calls << " calls";
    EXPECT_TRUE(PLT_voice_playing(SND_WINDSHEAR));
    atm.burst_prob = 1.0f;   // no second shear while this one is watched
    // Heading north, a headwind blows south (+Z); the tailwind kind north. Watch it for 25 s.
    float most = 0.0f;
    int shear_calls = 0;
    for (int i = 0; i < 250; i++) {
        msc.elap_time += 0.1f;
        mod_evt();
        if (atm.inshear) shear_calls++;
        if (std::fabs(atm.wind_Z) > std::fabs(most)) most = atm.wind_Z;
    }
    EXPECT_GT(std::fabs(most), 5.0f) << "a shear of 30..90 kt must show in the wind";
    EXPECT_GE(shear_calls, 95);    // lasting 10..20 s
    EXPECT_LE(shear_calls, 201);
    EXPECT_FALSE(atm.inshear);
    // High above the ground no shear starts.
    atm.burst_prob = 5.0f;
    fh_start_air(2000.0f, 50.0f, 0.0f);
    for (int i = 0; i < 5000; i++) {
        msc.elap_time += 0.1f;
        mod_evt();
        ASSERT_FALSE(atm.inshear);
    }
}

TEST_F(EventWorld, WindFollowsTheLayersByHeightTurningTheShortWay)
{
    // Layer 1 from 350 at 10 kt at the ground, layer 2 from 010 at 30 kt from 2000 m up; no
    // gusts, no shear, no variation. Half way up the wind is from 000 at 20 kt: it blows south (+Z).
    atm.wnddir1 = 350.0f;
    atm.wndspd1 = 10.0f;
    atm.wnddir2 = 10.0f;
    atm.wndspd2 = 30.0f;
    atm.altwxr2 = env.localh_cg + 2000.0f;
    env.mvar = 0.0f;
    struct Case {
        float agl;
        float wx, wz;   // m/s
    } cases[] = {
        {1000.0f, 0.0f, 20.0f * con.ktstomsc},
        {3000.0f, -30.0f * con.ktstomsc * std::sin(10.0f * PI / 180.0f), 30.0f * con.ktstomsc * std::cos(10.0f * PI / 180.0f)},
        // Near the ground the horizontal wind is halved.
        {5.0f, 0.5f * 10.0f * con.ktstomsc * std::sin(10.0f * PI / 180.0f),
         0.5f * 10.0f * con.ktstomsc * std::cos(10.0f * PI / 180.0f)},
    };
    for (const Case& k : cases) {
        flt.Y[0] = env.localh_cg + k.agl;
        for (int i = 0; i < 300; i++) {
            msc.cntr10 = 0;
            mod_evt();
        }
        EXPECT_NEAR(atm.wind_X, k.wx, 0.05f) << k.agl;
        EXPECT_NEAR(atm.wind_Z, k.wz, 0.05f) << k.agl;
        EXPECT_NEAR(atm.wind_Y, 0.0f, 1e-4f) << k.agl;
    }
    // A thermal under the aircraft lifts it at the thermal's rate, fading out near the ground.
    atm.trml_vvi = 3.0f;
    atm.therm_on_poly[env.i_aircraft][env.j_aircraft] = 1;
    for (float agl : {1000.0f, 50.0f}) {
        flt.Y[0] = env.localh_cg + agl;
        for (int i = 0; i < 300; i++) {
            msc.cntr10 = 0;
            mod_evt();
        }
        EXPECT_NEAR(atm.wind_Y, 3.0f * std::fmin(agl / 100.0f, 1.0f), 0.01f) << agl;
    }
}

TEST_F(EventWorld, TailDraggerNosingOverEasesItsBrakes)
{
    planestruct& pl = pln[0];
    flt.onground = 1;
    struct Case {
        bool tail_wheel;
        float pitch_below;   // degrees below the resting attitude
        float brake;         // after one call
    } cases[] = {{true, 3.0f, 0.75f}, {true, 1.0f, 1.0f}, {false, 3.0f, 1.0f}};
    for (const Case& k : cases) {
        pl.gear_type = 3;
        pl.mgearZ = -0.2f;
        pl.ngearZ = k.tail_wheel ? 5.0f : -1.5f;
        flt.the[0] = pl.the_eqlbm - k.pitch_below;
        set.parkbrake = 1.0f;
        mod_evt();
        EXPECT_FLOAT_EQ(set.parkbrake, k.brake) << k.tail_wheel << " " << k.pitch_below;
    }
}

TEST_F(EventWorld, TransponderRepliesOnATenthOfTheCalls)
{
    hl_srand(3);
    int restarts = 0;
    for (int i = 0; i < 20000; i++) {
        msc.elap_time = 10.0f + 0.1f * (float)i;
        float before = ins.reply_time1;
        mod_evt();
        if (ins.reply_time1 != before) {
            restarts++;
            EXPECT_FLOAT_EQ(ins.reply_time1, msc.elap_time);
            float gap = ins.reply_time2 - ins.reply_time1;
            EXPECT_TRUE(gap >= 0.099f && gap <= 0.301f) << gap;
        }
    }
    EXPECT_NEAR(restarts, 2000, 4.0 * std::sqrt(2000.0 * 0.9));
}

}  // namespace
