// crash_reset_test.cpp -- the crash in the whole simulator: after the frame driver's hold and
// alerts the flight restarts through the shell's start routine, which clears the counters, the ice
// and the failures and breaks the recorded path.
#include "flight_harness.h"
#include "fltframe.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvscreen.h"

#include <kvtest.h>

namespace {

// The trainer at rest on the harness's flat region, its brakes set, and the driver forgotten.
class CrashReset : public ::testing::Test {
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

TEST_F(CrashReset, HoldsFourSecondsThenTellsWhyAndResetsThroughTheStartRoutine)
{
    msc.prd = 1.0f / 60.0f;
    frame(1.0f / 60.0f);
    flt.onground = 1;
    flt.vY = -12.0;
    flt.frame_ice = 0.02f;
    flt.carb_ice[3] = 0.02f;
    rel.vacuum = 0;
    pat.cntr_record = 7;
    pat.inited[7] = 1;
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
    // The reset went through the start routine: counters and start time cleared, ice gone, every
    // failure repaired, and the recorded path broken so a replay never joins the two flights.
    EXPECT_EQ(msc.cntr, 0);
    EXPECT_EQ(msc.init_time, 0.0f);
    EXPECT_EQ(flt.frame_ice, 0.0f);
    EXPECT_EQ(flt.carb_ice[3], 0.0f);
    EXPECT_EQ(rel.vacuum, 1);
    EXPECT_EQ(pat.inited[pat.cntr_record], 0);
    // The next frame flies again.
    frame(1.0f / 60.0f);
    EXPECT_EQ(msc.cntr, 1);
    EXPECT_GT(msc.init_time, 0.0f);
}

}  // namespace
