// replay_test.cpp -- the recorded path played back at every speed, forwards and backwards, up to a
// break and around the ring's end and midnight, and the frame callback's choice between flying,
// replaying and a window's own routine.
#include "fltframe.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "menus.h"
#include "replay.h"

#include <kvtest.h>

#include <cmath>

namespace {

// A straight climbing path: at time t the aircraft is at (100 + 50 t, 500 + 5 t, 2000 - 30 t),
// pitch 2 + t, heading 80 + 4 t, roll -3 t (degrees).
struct Line {
    static float x(float t) { return 100.0f + 50.0f * t; }
    static float y(float t) { return 500.0f + 5.0f * t; }
    static float z(float t) { return 2000.0f - 30.0f * t; }
    static float the(float t) { return 2.0f + t; }
    static float psi(float t) { return 80.0f + 4.0f * t; }
    static float phi(float t) { return -3.0f * t; }
};

void record(int slot, float t, float x, float y, float z, float the, float psi, float phi)
{
    float* p = pat.xyztppt[slot];
    p[0] = x;
    p[1] = y;
    p[2] = z;
    p[3] = the;
    p[4] = psi;
    p[5] = phi;
    p[6] = t;
    pat.inited[slot] = 1;
}

// count points of the line from time t0 every dt seconds, from slot first (wrapping the ring).
void record_line(int first, int count, float t0, float dt)
{
    for (int k = 0; k < count; k++) {
        float t = t0 + dt * k;
        int slot = (first + k) % PATH_POINTS;
        record(slot, fltwrap(t, 0.0f, 86400.0f), Line::x(t), Line::y(t), Line::z(t), Line::the(t), Line::psi(t),
               Line::phi(t));
    }
}

class Replay : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        reset_flight_driver();
        msc.prd = 0.05f;
    }
    // The aircraft where the line says at time t (position within a centimetre).
    static void expect_on_line(float t)
    {
        EXPECT_NEAR(flt.X[0], Line::x(t), 0.01) << "t " << t;
        EXPECT_NEAR(flt.Y[0], Line::y(t), 0.01) << "t " << t;
        EXPECT_NEAR(flt.Z[0], Line::z(t), 0.01) << "t " << t;
        // Angles as the aircraft holds them: pitch and roll within -180..180, heading 0..360.
        EXPECT_NEAR(flt.the[0], fltwrap(Line::the(t), -180.0f, 180.0f), 1e-3) << "t " << t;
        EXPECT_NEAR(flt.psi[0], fltwrap(Line::psi(t), 0.0f, 360.0f), 1e-3) << "t " << t;
        EXPECT_NEAR(flt.phi[0], fltwrap(Line::phi(t), -180.0f, 180.0f), 1e-3) << "t " << t;
    }
};

TEST_F(Replay, EverySpeedMovesTheReplayTimeAndTheAircraftAlongThePath)
{
    record_line(0, 101, 0.0f, 0.1f);   // 10 s of path
    const float factor[8] = {0, -5.0f, -1.0f, -0.2f, 0.0f, 0.2f, 1.0f, 5.0f};
    for (int mode = 1; mode <= 7; mode++) {
        EXPECT_FLOAT_EQ(replay_speed(mode), factor[mode]);
        set.replay_mode = mode;
        pat.time_play = 5.03f;
        for (int k = 0; k < 10; k++) replay_step();   // ten frames of 0.05 s
        const float t = 5.03f + 10 * 0.05f * factor[mode];
        EXPECT_EQ(set.replay_mode, mode);
        EXPECT_NEAR(pat.time_play, t, 1e-4f) << "mode " << mode;
        expect_on_line(t);
        // The velocity is the path's, scaled by the speed factor (backwards for rewinds).
        EXPECT_NEAR(flt.vX, 50.0f * factor[mode], 1e-2) << "mode " << mode;
        EXPECT_NEAR(flt.vY, 5.0f * factor[mode], 1e-2) << "mode " << mode;
        EXPECT_NEAR(flt.vZ, -30.0f * factor[mode], 1e-2) << "mode " << mode;
    }
    EXPECT_FLOAT_EQ(replay_speed(0), 0.0f);
    EXPECT_FLOAT_EQ(replay_speed(8), 0.0f);
}

TEST_F(Replay, StoppedReplayHoldsThePointAndStaysStopped)
{
    record_line(0, 11, 0.0f, 0.1f);
    set.replay_mode = 4;
    pat.time_play = 0.55f;
    for (int k = 0; k < 5; k++) replay_step();
    EXPECT_EQ(set.replay_mode, 4);
    EXPECT_FLOAT_EQ(pat.time_play, 0.55f);
    expect_on_line(0.55f);
}

TEST_F(Replay, RunningOffEitherEndStopsWhereTheReplayWas)
{
    record_line(100, 11, 20.0f, 0.1f);   // 20.0 .. 21.0 s in slots 100..110
    // Rewinding at 5x past the first point: it stops at the last replayed state.
    set.replay_mode = 1;
    pat.time_play = 20.6f;
    int frames = 0;
    while (set.replay_mode == 1 && frames < 100) {
        replay_step();
        frames++;
    }
    EXPECT_EQ(set.replay_mode, 4);
    EXPECT_EQ(frames, 3);   // 20.35, 20.1, then 19.85 lies before the path
    EXPECT_NEAR(pat.time_play, 20.1f, 1e-4f);
    expect_on_line(20.1f);
    // Forwards at normal speed past the last point.
    set.replay_mode = 6;
    pat.time_play = 20.92f;
    for (int k = 0; k < 10; k++) replay_step();
    EXPECT_EQ(set.replay_mode, 4);
    EXPECT_NEAR(pat.time_play, 20.97f, 1e-4f);
    expect_on_line(20.97f);
    // Entered 0.07 s past the newest point, the replay starts on that point: a rewind runs at once.
    set.replay_mode = 0, pat.cntr_record = 110, msc.elap_time = 21.07f;
    handle_menu(529);
    set.replay_mode = 2;
    replay_step();
    EXPECT_NEAR(pat.time_play, 20.95f, 1e-4f) << "mode " << set.replay_mode;
}

TEST_F(Replay, ABreakIsNeverCrossedForwardsOrBackwards)
{
    // The old flight, slots 0..49 (0.0 .. 4.9 s); the start of a new flight broke the path at slot
    // 50; the new flight, far away, fills slots 51..99 from 5.1 s.
    record_line(0, 50, 0.0f, 0.1f);
    for (int k = 51; k < 100; k++) {
        float t = 0.1f * k;
        record(k, t, 90000.0f + 60.0f * t, 300.0f, 40000.0f, 0.0f, 270.0f, 0.0f);
    }
    struct Case {
        int mode;
        float start;
        float stop;      // where the replay ends up
        bool old_flight; // on the old flight's line
    } cases[] = {
        {6, 4.52f, 4.87f, true},     // forwards at 1x: the last step before the break
        {7, 3.0f, 4.75f, true},      // forwards at 5x
        {5, 4.855f, 4.895f, true},   // forwards at 0.2x
        {2, 5.52f, 5.12f, false},    // backwards at 1x, down to the new flight's start
        {1, 6.0f, 5.25f, false},     // backwards at 5x
        {3, 5.125f, 5.105f, false},  // backwards at 0.2x
    };
    for (const Case& c : cases) {
        set.replay_mode = c.mode;
        pat.time_play = c.start;
        for (int k = 0; k < 200 && set.replay_mode == c.mode; k++) replay_step();
        EXPECT_EQ(set.replay_mode, 4) << "mode " << c.mode;
        EXPECT_NEAR(pat.time_play, c.stop, 1e-3f) << "mode " << c.mode;
        if (c.old_flight) {
            expect_on_line(c.stop);
        } else {
            EXPECT_NEAR(flt.X[0], 90000.0f + 60.0f * c.stop, 0.05) << "mode " << c.mode;
            EXPECT_NEAR(flt.Z[0], 40000.0f, 1e-3) << "mode " << c.mode;
        }
        // Once stopped at the break, asking again does not cross it either.
        set.replay_mode = c.mode;
        replay_step();
        EXPECT_EQ(set.replay_mode, 4);
        EXPECT_NEAR(pat.time_play, c.stop, 1e-3f);
    }
}

TEST_F(Replay, TheRingJoinsItsLastPointToItsFirst)
{
    record_line(5995, 10, 100.0f, 0.1f);   // slots 5995..5999, then 0..4
    set.replay_mode = 6;
    pat.time_play = 100.3f;
    for (int k = 0; k < 8; k++) replay_step();   // 100.3 -> 100.7, through slot 5999 -> 0
    EXPECT_EQ(set.replay_mode, 6);
    EXPECT_NEAR(pat.time_play, 100.7f, 1e-4f);
    expect_on_line(100.7f);
}

TEST_F(Replay, MidnightIsNoEndOfThePath)
{
    // 10 m/s east, points every 0.25 s from 86399.5 s: the third lies at midnight, recorded as 0.
    const float times[5] = {86399.5f, 86399.75f, 0.0f, 0.25f, 0.5f};
    for (int k = 0; k < 5; k++) record(20 + k, times[k], 2.5f * k, 100.0f, 0.0f, 0, 90.0f, 0);
    msc.prd = 0.125f;
    set.replay_mode = 6;
    pat.time_play = 86399.625f;
    for (int k = 0; k < 4; k++) replay_step();   // forwards through midnight to 0.125 s
    EXPECT_EQ(set.replay_mode, 6);
    EXPECT_FLOAT_EQ(pat.time_play, 0.125f);
    EXPECT_NEAR(flt.X[0], 6.25, 1e-3);
    EXPECT_NEAR(flt.vX, 10.0, 1e-3);
    set.replay_mode = 2;
    for (int k = 0; k < 4; k++) replay_step();   // and back again
    EXPECT_EQ(set.replay_mode, 2);
    EXPECT_FLOAT_EQ(pat.time_play, 86399.625f);
    EXPECT_NEAR(flt.X[0], 1.25, 1e-3);
    EXPECT_NEAR(flt.vX, -10.0, 1e-3);
}

TEST_F(Replay, PointsOfTheSameTimeNeitherDivideNorLoseTheVelocity)
{
    record(0, 1.0f, 0.0f, 100.0f, 0.0f, 0, 0, 0);
    record(1, 2.0f, 10.0f, 100.0f, 0.0f, 0, 0, 0);
    record(2, 2.0f, 10.0f, 100.0f, 0.0f, 0, 0, 0);   // recorded twice at the same time
    record(3, 3.0f, 20.0f, 100.0f, 0.0f, 0, 0, 0);
    set.replay_mode = 6;
    pat.time_play = 1.9f;
    for (int k = 0; k < 4; k++) {
        replay_step();
        EXPECT_TRUE(std::isfinite(flt.X[0]));
        EXPECT_TRUE(std::isfinite(flt.vX));
        EXPECT_NEAR(flt.vX, 10.0, 1e-3);
    }
    EXPECT_EQ(set.replay_mode, 6);
    EXPECT_NEAR(flt.X[0], 11.0, 1e-3);   // at 2.1 s
    // Stopped exactly on the repeated time: the position is the point's, the velocity the last.
    pat.time_play = 2.0f;
    set.replay_mode = 4;
    flt.vX = 7.0;
    replay_step();
    EXPECT_NEAR(flt.X[0], 10.0, 1e-4);
    EXPECT_EQ(flt.vX, 0.0);   // at speed 0 the brackets around the point give no motion
}

TEST_F(Replay, HeadingTakesTheShortWayThroughNorth)
{
    record(0, 0.0f, 0, 0, 0, 10.0f, 350.0f, 170.0f);
    record(1, 1.0f, 0, 0, 0, -10.0f, 10.0f, -170.0f);
    set.replay_mode = 4;
    pat.time_play = 0.5f;
    replay_step();
    EXPECT_NEAR(fltwrap(flt.psi[0], -180.0f, 180.0f), 0.0f, 1e-4f);
    EXPECT_NEAR(flt.the[0], 0.0f, 1e-4f);
    EXPECT_NEAR(std::fabs(flt.phi[0]), 180.0f, 1e-4f);   // rolled inverted, not through wings level
}

// ---- the frame callback --------------------------------------------------------------------------

TEST_F(Replay, CallbackFliesRepliesOrLeavesTheWorldToTheWindow)
{
    record_line(0, 101, 0.0f, 0.1f);
    msc.prd = 0.05f;
    struct Case {
        int topwin, paused, replay_mode;
        bool flies, replays;
    } cases[] = {
        {0, 0, 0, true, false},
        {0, 1, 0, false, false},   // paused
        {0, 0, 6, false, true},    // replaying
        {0, 1, 6, false, true},    // the replay runs while paused
        {7, 0, 0, false, false},   // a window on top: neither
        {7, 0, 6, false, false},
        {25, 0, 0, false, false},
    };
    for (const Case& c : cases) {
        flt.X[0] = 12345.0;
        mnw.topwin = c.topwin;
        mnw.menu_up = -1;
        msc.paused = c.paused;
        set.replay_mode = c.replay_mode;
        pat.time_play = 2.0f;
        int cntr = msc.cntr = 100;
        kestrova_update();
        EXPECT_EQ(msc.cntr != cntr, c.flies) << "window " << c.topwin << " paused " << c.paused;
        EXPECT_EQ(pat.time_play != 2.0f, c.replays) << "window " << c.topwin << " paused " << c.paused;
        if (c.replays) expect_on_line(2.05f);
        if (!c.flies && !c.replays) {
            EXPECT_EQ(flt.X[0], 12345.0);
        }
    }
    mnw.topwin = 0;
}

}  // namespace
