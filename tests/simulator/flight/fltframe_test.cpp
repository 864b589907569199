// fltframe_test.cpp -- the flight frame driver: the event cadence over a minute of flight, the
// frame period following the measured frame rate within its limits, the counters and clocks, the
// other aircraft, the serial output's timing, and the crash test with its hold and reset.
#include "fltframe.h"
#include "flight_harness.h"
#include "flight_hooks.h"
#include "fltprep.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvscreen.h"

#include <kvtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// The trainer at rest on the harness's flat region, its brakes set, and the driver forgotten.
class Driver : public ::testing::Test {
protected:
    void SetUp() override
    {
        fh_world();
        ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
        fh_start_ground(90.0f);
        fh_frame();   // the harness's controls once: brakes set, throttle closed
        rel.vacuum = 1;
        msc.cntr = msc.cntr10 = 0;   // as a start leaves them
        reset_flight_driver();
        mnw.time_elapsed = 0.0f;
        use_test_clock(1000);
        clear_recorded_alerts();
    }
    void TearDown() override { use_real_clock(); }

    // One frame of the driver while the event loop's clock moves by real_dt seconds.
    static void frame(float real_dt)
    {
        mnw.time_elapsed += real_dt;
        update_flight();
    }
};

// ---- the event cadence ---------------------------------------------------------------------------

TEST_F(Driver, EventsTenTimesASecondAndOnceASecondOverAMinuteAtSixtyFrames)
{
    msc.prd = 1.0f / 60.0f;
    for (int k = 0; k < 3600; k++) frame(1.0f / 60.0f);
    flight_driver_counts c = flight_driver_stats();
    std::printf("60 s at 1/60 s frames: mod_evt %d calls, mod_sec %d calls\n", c.mod_evt, c.mod_sec);
    // evup = round(0.1 / (1/60)) = 6 frames: 3600 / 6 events, one in ten of them a second's.
    EXPECT_EQ(c.mod_evt, 600);
    EXPECT_EQ(c.mod_sec, 60);
    // A clock that keeps pace with the period leaves the period alone.
    EXPECT_NEAR(msc.prd, 1.0f / 60.0f, 1e-6f);
    EXPECT_NEAR(msc.rtrat, 1.0f, 1e-3f);
    EXPECT_NEAR(msc.elap_time, 60.0f, 0.05f);   // float sums of 1/60
}

TEST_F(Driver, SlowFramesRunEventsEveryFrameAndSecondsEveryTenth)
{
    // Five frames a second: the period grows to its 0.11 s ceiling, evup becomes 1, and the
    // once-per-second update's "second" is ten frames.
    msc.prd = 0.05f;
    for (int k = 0; k < 200; k++) frame(0.2f);
    EXPECT_FLOAT_EQ(msc.prd, PRD_LONGEST);
    flight_driver_counts before = flight_driver_stats();
    for (int k = 0; k < 100; k++) frame(0.2f);
    flight_driver_counts after = flight_driver_stats();
    EXPECT_EQ(after.mod_evt - before.mod_evt, 100);
    EXPECT_EQ(after.mod_sec - before.mod_sec, 10);
}

// ---- the frame period ----------------------------------------------------------------------------

TEST_F(Driver, FramePeriodFollowsTheMeasuredRate)
{
    struct Case {
        float prd, real_dt, expect;   // period, real frame time, period after the second measurement
    } cases[] = {
        {0.02f, 0.02f, 0.02f},                                   // in step: unchanged
        {0.02f, 0.04f, 0.02f * std::sqrt(2.0f)},                 // slower: rtrat 2, grows by 2^0.5
        {0.02f, 0.01f, 0.02f * std::pow(0.5f, 0.2f)},            // faster: rtrat 0.5, shrinks by 0.5^0.2
        {0.02f, 1.00f, 0.02f * std::sqrt(5.0f)},                 // far slower: rtrat held at 5
        {0.02f, 0.001f, 0.02f * std::pow(0.2f, 0.2f)},           // far faster: rtrat held at 0.2
        {0.08f, 0.16f, PRD_LONGEST},                             // never longer than 0.11 s
    };
    for (const Case& c : cases) {
        SetUp();
        msc.prd = c.prd;
        // The first tenth frame only starts the measurement: the period stays.
        for (int k = 0; k < 10; k++) frame(c.real_dt);
        EXPECT_FLOAT_EQ(msc.prd, c.prd) << "first measurement, dt " << c.real_dt;
        for (int k = 0; k < 10; k++) frame(c.real_dt);
        EXPECT_NEAR(msc.prd, c.expect, 1e-6f) << "dt " << c.real_dt;
    }
}

TEST_F(Driver, AnUnusablePeriodNeitherFreezesNorDivides)
{
    const float bad[] = {0.0f, -0.05f, NAN, INFINITY, 0.5f, 1e-9f};
    for (float p : bad) {
        SetUp();
        msc.prd = p;
        double t0 = msc.elap_time;
        for (int k = 0; k < 30; k++) frame(0.05f);
        EXPECT_TRUE(std::isfinite(msc.prd)) << p;
        EXPECT_GE(msc.prd, PRD_SHORTEST) << p;
        EXPECT_LE(msc.prd, PRD_LONGEST) << p;
        EXPECT_GT(msc.elap_time, t0) << p;   // the clocks move: the flight is not frozen
        EXPECT_TRUE(fh_state_finite()) << p;
    }
}

// ---- counters and clocks -------------------------------------------------------------------------

TEST_F(Driver, CounterWrapsFrom30000ToOneInOneCall)
{
    msc.cntr = 30000;
    count_frame();
    EXPECT_EQ(msc.cntr, 1);
    msc.cntr = 29999;
    count_frame();
    EXPECT_EQ(msc.cntr, 30000);
}

TEST_F(Driver, ClocksAdvanceAndWrap)
{
    // Values exact in the clocks' floats.
    msc.prd = 0.125f;
    msc.elap_time = 86399.9375f;
    msc.locl_time = 86399.9375f;
    msc.timer_running = 1;
    msc.timr_time = 3599.9375f;
    flt.lon = -117.25f;   // round(-7.82) + 1 = -7: Greenwich is 7 hours ahead
    frame_clocks();
    EXPECT_FLOAT_EQ(msc.elap_time, 0.0625f);
    EXPECT_FLOAT_EQ(msc.locl_time, 0.0625f);
    EXPECT_FLOAT_EQ(msc.timr_time, 0.0625f);
    EXPECT_FLOAT_EQ(msc.zulu_time, 0.0625f + 7.0f * 3600.0f);
    // After midnight it is night: the night clock counts; at noon it does not.
    EXPECT_FLOAT_EQ(msc.nigt_time, 0.125f);
    msc.locl_time = 12.0f * 3600.0f;
    frame_clocks();
    EXPECT_FLOAT_EQ(msc.nigt_time, 0.125f);
    EXPECT_FLOAT_EQ(msc.timr_time, 0.1875f);
    // A stopped timer stays.
    msc.timer_running = 0;
    frame_clocks();
    EXPECT_FLOAT_EQ(msc.timr_time, 0.1875f);
    // The rotating beacon's phase wraps at a turn.
    scn.rb_cycle = 6.25f;
    frame_clocks();
    EXPECT_NEAR(scn.rb_cycle, 6.375f - 2.0f * 3.14159265f, 1e-4f);
}

TEST_F(Driver, InstrumentTimeOnlyInCloudOrUnderItInPoorVisibility)
{
    struct Case {
        int cld_type, below, above;
        float vis_nm;
        bool counts;
    } cases[] = {
        {1, 0, 0, 20.0f, false},   // clear sky: there is no cloud to be in
        {1, 0, 0, 2.0f, true},     // clear sky, but under three miles: haze or fog
        {1, 0, 0, 3.1f, false},    // clear sky, just over three miles
        {4, 0, 0, 20.0f, true},    // inside the overcast
        {4, 1, 0, 20.0f, false},   // under it, good visibility
        {4, 1, 0, 2.0f, true},     // under it, under three miles
        {4, 1, 0, 2.9f, true},     // under it, just under three miles
        {4, 0, 1, 2.0f, false},    // on top
        {2, 0, 0, 10.0f, true},    // inside a scattered layer
    };
    for (const Case& c : cases) {
        msc.aifr_time = 0.0f;
        msc.prd = 0.05f;
        atm.cld_type = c.cld_type;
        scn.belowbases = c.below;
        scn.abovetops = c.above;
        atm.vis_rep = c.vis_nm * con.nmtomtrs;
        atm.vis_mult = 1.0f;
        frame_clocks();
        EXPECT_NEAR(msc.aifr_time, c.counts ? 0.05f : 0.0f, 1e-6f)
            << "cloud " << c.cld_type << " below " << c.below << " above " << c.above << " vis " << c.vis_nm;
    }
}

TEST_F(Driver, DumpBlockOnlyWhenAskedAndForOneFrame)
{
    set.cycout = 1;
    msc.prd = 1.0f / 60.0f;
    frame(1.0f / 60.0f);
    EXPECT_EQ(set.cycout, 0);
}

// ---- the other aircraft --------------------------------------------------------------------------

// Where the other eleven aircraft stand, and how many of them later stand over 100 m from there:
// a frame flies each a few metres at most, a re-spawn puts it somewhere new.
struct OthersAt {
    double x[12], z[12];
    OthersAt()
    {
        for (int i = 1; i < 12; i++) x[i] = flt.X[i], z[i] = flt.Z[i];
    }
    int respawned(void) const
    {
        int n = 0;
        for (int i = 1; i < 12; i++) n += std::hypot(flt.X[i] - x[i], flt.Z[i] - z[i]) > 100.0;
        return n;
    }
};

TEST_F(Driver, ANewAircraftRespawnsAllElevenInsideTheBox)
{
    msc.prd = 1.0f / 60.0f;
    msc.est_Vs = 25.0f;
    move_other_aircraft();   // first frame: the aircraft file is new to the driver
    const double d = con.nmtomtrs * 40.0f;
    for (int i = 1; i < 12; i++) {
        EXPECT_LE(std::fabs(flt.X[i] - flt.X[0]), d + 1.0) << i;
        EXPECT_LE(std::fabs(flt.Z[i] - flt.Z[0]), d + 1.0) << i;
        EXPECT_GE(flt.Y[i], env.localh_cg + 300.0f - 1.0f) << i;
        EXPECT_LE(flt.Y[i], 20000.0f) << i;
        EXPECT_FLOAT_EQ(flt.v[i], 1.7f * 25.0f) << i;
        EXPECT_GE(flt.psi[i], 0.0f);
        EXPECT_LT(flt.psi[i], 360.0f);
    }
    // The same file next frame: they fly on along their headings instead.
    double x1 = flt.X[1], z1 = flt.Z[1];
    float psi = flt.psi[1];
    move_other_aircraft();
    double step = flt.v[1] * msc.prd;
    int k = (int)std::floor(psi + 0.5f) % 360;
    EXPECT_NEAR(flt.X[1] - x1, lookup_sin[k] * step, 1e-3);
    EXPECT_NEAR(flt.Z[1] - z1, -lookup_cos[k] * step, 1e-3);
    // Changing the aircraft file re-spawns every one of them in the same frame.
    const OthersAt same_file;
    move_other_aircraft();
    EXPECT_EQ(same_file.respawned(), 0);
    const OthersAt new_file;
    std::snprintf(pln[0].C_path, STR_LEN, "%s", "another aircraft");
    move_other_aircraft();
    EXPECT_EQ(new_file.respawned(), 11);
}

TEST_F(Driver, OtherAircraftClimbAwayFromTheGroundAndTheMothershipFliesHigh)
{
    msc.prd = 0.1f;
    move_other_aircraft();
    // Aircraft 2 low over the flat ground climbs at 5 m/s; aircraft 3 well above it keeps its height.
    flt.Y[2] = env.localh_cg + 100.0f;
    flt.Y[3] = env.localh_cg + 1000.0f;
    double y2 = flt.Y[2], y3 = flt.Y[3];
    move_other_aircraft();
    EXPECT_NEAR(flt.Y[2] - y2, 0.5, 1e-4);
    EXPECT_NEAR(flt.Y[3], y3, 1e-9);
    // Carrying the user's aircraft, aircraft 1 flies at 45000 ft and 500 kt, level.
    set.incarriage = 1;
    flt.the[1] = 5.0f;
    move_other_aircraft();
    EXPECT_NEAR(flt.Y[1], 45000.0f * con.fttomtrs, 0.01);
    EXPECT_NEAR(flt.v[1], 500.0f * con.ktstomsc, 1e-3);
    EXPECT_EQ(flt.the[1], 0.0f);
}

TEST_F(Driver, TowPlaneAcceleratesClimbsAndBanksLeft)
{
    msc.prd = 0.1f;
    move_other_aircraft();
    set.tow_inprog = 1;
    flt.X[1] = flt.X[0];
    flt.Z[1] = flt.Z[0] - 20.0;
    flt.Y[1] = flt.Y[0];
    flt.v[1] = 0.0f;
    flt.phi[1] = 0.0f;
    flt.psi[1] = 90.0f;
    // From rest it gains at most 2 m/s per second.
    move_other_aircraft();
    EXPECT_NEAR(flt.v[1], 0.2f, 1e-5f);
    // At 30 m/s it climbs at 2.5 m/s.
    flt.v[1] = 30.0f;
    double y = flt.Y[1];
    move_other_aircraft();
    EXPECT_NEAR(flt.Y[1] - y, (flt.v[1] - 25.0f) * 0.5f * 0.1f, 1e-3);
    // Near 35 m/s it banks left by 1 degree a second, down to -10, and turns left.
    flt.v[1] = 35.0f;
    for (int k = 0; k < 200; k++) move_other_aircraft();
    EXPECT_NEAR(flt.phi[1], -10.0f, 1e-4f);
    EXPECT_LT(flt.psi[1], 90.0f);
    // On its own the tow plane flies on a few metres a frame; only a change of the user's aircraft
    // re-spawns it, as it does the other ten.
    double x1 = flt.X[1], z1 = flt.Z[1];
    move_other_aircraft();
    EXPECT_NEAR(flt.X[1], x1, 4.0);
    EXPECT_NEAR(flt.Z[1], z1, 4.0);
}

TEST_F(Driver, ANewAircraftRespawnsTheTowPlaneAndTheMothershipToo)
{
    msc.prd = 0.05f;
    msc.est_Vs = 25.0f;
    struct Case {
        const char* what;
        int tow_waiting, tow_inprog, incarriage;
    } cases[] = {
        {"tow plane waiting", 1, 0, 0},
        {"tow plane towing", 0, 1, 0},
        {"mothership carrying", 0, 0, 1},
    };
    int k = 0;
    for (const Case& c : cases) {
        move_other_aircraft();   // the driver knows the aircraft file
        set.tow_waiting = c.tow_waiting;
        set.tow_inprog = c.tow_inprog;
        set.incarriage = c.incarriage;
        flt.X[1] = flt.X[0];
        flt.Z[1] = flt.Z[0] - 20.0;
        flt.v[1] = 30.0f;
        const OthersAt before;
        std::snprintf(pln[0].C_path, STR_LEN, "another aircraft %d", k++);
        move_other_aircraft();
        EXPECT_EQ(before.respawned(), 11) << c.what;
        const double d = con.nmtomtrs * 40.0f;
        EXPECT_LE(std::fabs(flt.X[1] - flt.X[0]), d + 1.0) << c.what;
        EXPECT_LE(std::fabs(flt.Z[1] - flt.Z[0]), d + 1.0) << c.what;
        set.tow_waiting = set.tow_inprog = set.incarriage = 0;
    }
}

// ---- serial output's timing ----------------------------------------------------------------------

TEST_F(Driver, SerialSendsAtItsIntervalsAndGoesOnPastMidnight)
{
    // Steps that are exact in the clock's float, so the counts are exact too.
    auto run = [](int frames, float step) {
        for (int k = 0; k < frames; k++) {
            serial_frame();
            msc.locl_time = fltwrap(msc.locl_time + step, 0.0f, 86400.0f);
        }
    };
    msc.locl_time = 86390.0f;
    set.serout = 1;
    run(40, 0.125f);   // 5 s of NMEA at one sentence a second
    flight_driver_counts c = flight_driver_stats();
    EXPECT_EQ(c.serial_changes, 1);
    EXPECT_EQ(c.nmea, 5);
    // Across midnight the sentences go on at once instead of waiting for the old time of day:
    // 86399.5 (a second after the last), 0.0 (the clock went back), 1.0 and 2.0.
    msc.locl_time = 86399.5f;
    run(24, 0.125f);
    EXPECT_EQ(flight_driver_stats().nmea - c.nmea, 4);
    // A packet mode: one every 0.05 s or more, the mode change handed over once.
    set.serout = 2;
    c = flight_driver_stats();
    run(32, 0.03125f);   // 1 s: a packet every second step of 0.03125 s
    EXPECT_EQ(flight_driver_stats().serial_changes - c.serial_changes, 1);
    EXPECT_EQ(flight_driver_stats().packets - c.packets, 16);
    EXPECT_EQ(flight_driver_stats().nmea, c.nmea);
}

// ---- the crash test ------------------------------------------------------------------------------

TEST(CrashTest, LimitsOfSinkRateAndAttitude)
{
    struct Case {
        int heli, onground;
        float vY, phi, the;
        int crash;
    } cases[] = {
        {0, 1, -10.0f, 0, 0, 0},     // exactly -10 m/s is no crash
        {0, 1, -10.01f, 0, 0, 1},    // a hair faster is
        {0, 0, -30.0f, 0, 0, 0},     // only on the ground
        {0, 1, 0.0f, 50.0f, 0, 0},   // an aeroplane banked 50 degrees on the ground
        {1, 1, 0.0f, 50.0f, 0, 1},   // a helicopter is not
        {1, 1, 0.0f, 0, -45.0f, 0},  // 45 degrees exactly is the helicopter's limit
        {0, 1, 0.0f, 0, 121.0f, 1},
        {0, 1, 0.0f, -121.0f, 0, 1},
    };
    for (const Case& c : cases) {
        clear_globals();
        reset_flight_driver();
        pln[0].is_heli = c.heli;
        flt.onground = c.onground;
        flt.vY = c.vY;
        flt.phi[0] = c.phi;
        flt.the[0] = c.the;
        EXPECT_EQ(crash_test(), c.crash) << "heli " << c.heli << " vY " << c.vY << " phi " << c.phi
                                         << " the " << c.the;
        EXPECT_EQ(crash_holding(), c.crash);
    }
    reset_flight_driver();
}

// The restart after the hold goes to the start routine through the driver's hook (the shell's
// set_fltvars in the program; shell/crash_reset_test.cpp checks what it clears there).
int g_restarts = 0, g_restart_code = 0, g_restart_kind = 0;
void record_restart(int code, int kind)
{
    g_restarts++;
    g_restart_code = code;
    g_restart_kind = kind;
    msc.cntr = 0;   // as the start routine leaves the counter
}

TEST_F(Driver, CrashHoldsFourSecondsThenTellsWhyAndResets)
{
    g_restarts = 0;
    flt_hooks.set_fltvars = record_restart;
    msc.prd = 1.0f / 60.0f;
    frame(1.0f / 60.0f);
    flt.onground = 1;
    flt.vY = -12.0;
    flt.frame_ice = 0.02f;
    flt.carb_ice[3] = 0.02f;
    rel.vacuum = 0;
    ASSERT_EQ(crash_test(), 1);
    const int cntr = msc.cntr;
    const double x = flt.X[0];
    // During the hold the frames stand still.
    for (int k = 0; k < 39; k++) {
        advance_test_clock(100);
        frame(0.1f);
        EXPECT_EQ(msc.cntr, cntr);
        EXPECT_EQ(flt.X[0], x);
    }
    EXPECT_EQ(crash_holding(), 1);
    EXPECT_TRUE(recorded_alerts().empty());
    EXPECT_EQ(g_restarts, 0);
    advance_test_clock(100);   // 4000 ms
    frame(0.1f);
    EXPECT_EQ(crash_holding(), 0);
    ASSERT_EQ(recorded_alerts().size(), 3u);
    EXPECT_EQ(recorded_alerts()[0].l1, "The aircraft was carrying ice at time of impact.");
    EXPECT_EQ(recorded_alerts()[1].l1, "The aircraft was carrying carb ice at time of impact.");
    EXPECT_EQ(recorded_alerts()[2].l1, "Your vacuum system had failed before impact.");
    EXPECT_EQ(recorded_alerts()[2].l4,
              "Kestrova features realistic gyro spin-down effects, including gyro sluggishness and tumble.");
    for (const RecordedAlert& a : recorded_alerts()) EXPECT_EQ(a.code, ALERT_NOTICE);
    EXPECT_EQ(flight_driver_stats().crashes, 1);
    EXPECT_EQ(flight_driver_stats().resets, 1);
    // Once, back on the start runway for a take-off.
    EXPECT_EQ(g_restarts, 1);
    EXPECT_EQ(g_restart_code, 208);
    EXPECT_EQ(g_restart_kind, 7);
    // The next frame flies again.
    frame(1.0f / 60.0f);
    EXPECT_EQ(msc.cntr, 1);
}

TEST_F(Driver, CrashWithNothingToBlameGivesNoAlert)
{
    flt.onground = 1;
    flt.vY = -11.0;
    ASSERT_EQ(crash_test(), 1);
    advance_test_clock(CRASH_HOLD_MS);
    frame(0.0f);
    EXPECT_TRUE(recorded_alerts().empty());
    EXPECT_EQ(flight_driver_stats().resets, 1);
}

}  // namespace
