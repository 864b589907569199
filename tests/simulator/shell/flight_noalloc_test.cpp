// flight_noalloc_test.cpp -- the flight frames allocate nothing: the global allocator is counted
// while the harness flies 200 frames of each kind of aircraft, while the frame callback runs 200
// frames of the whole frame driver and 200 of replay, while the controls step flies every autopilot
// mode, while the event updates run two minutes of calls, the weather reports read among them, and
// while every data-output item goes to the output file, the graph and the cockpit, and while
// every serial-output mode sends; and the controllers' once-per-second work neither allocates nor
// reads a file.
#include "alloc_count.h"
#include "atc_world.h"
#include "controls.h"
#include "event.h"
#include "flight_harness.h"
#include "fltframe.h"
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "kvpty.h"
#include "output.h"
#include "replay.h"
#include "startpos.h"

#include <kvtest.h>

#include <cstdlib>
#include <string>


TEST(FlightFrames, AllocateNothing)
{
    const char* planes[] = {FH_TRAINER, FH_HELI, FH_JET, FH_FLOATPLANE};
    for (const char* rel : planes) {
        fh_world_options opt;
        opt.water = rel == planes[3];
        fh_world(opt);
        ASSERT_EQ(fh_load(fh_bundled(rel)), 1) << rel;
        fh_start_ground(0.0f);
        fh_controls c = fh_get_controls();
        c.throttle = 1.0f;
        c.brake = 0.0f;
        fh_set_controls(c);
        fh_frame();   // anything done once is done
        long before = counted_allocations();
        for (int k = 0; k < 200; k++) fh_frame();
        EXPECT_EQ(counted_allocations() - before, 0) << rel;
        EXPECT_TRUE(fh_state_finite()) << rel;
    }
    // The counting allocator is the one in use: this test's own strings went through it.
    std::string probe(100, 'x');
    EXPECT_GT(counted_allocations(), 0);
}

TEST(FlightFrames, TheFrameDriverAndReplayAllocateNothing)
{
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    fh_start_ground(0.0f);
    fh_frame();
    reset_flight_driver();
    mnw.menu_up = -1;
    kestrova_update();   // anything done once is done
    long before = counted_allocations();
    for (int k = 0; k < 200; k++) {
        mnw.time_elapsed += msc.prd;
        kestrova_update();
    }
    for (int k = 0; k < PATH_POINTS; k++) {
        pat.inited[k] = 1;
        pat.xyztppt[k][6] = 0.1f * k;
    }
    set.replay_mode = 6;
    pat.time_play = 10.0f;
    for (int k = 0; k < 200; k++) kestrova_update();
    EXPECT_EQ(counted_allocations() - before, 0);
    EXPECT_EQ(set.replay_mode, 6);
    EXPECT_TRUE(fh_state_finite());
}

TEST(EventUpdates, AllocateNothing)
{
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    fh_start_air(1500.0f, 50.0f, 0.0f);
    atm.use_realwxr = 1;
    atm.rain_tstm = 4.0f;    // lightning too
    atm.burst_prob = 5.0f;
    atm.rate_change = -0.5f;
    flt.flaprqst = 1.0f;
    mod_evt();
    mod_sec();   // anything done once is done
    long before = counted_allocations();
    for (int k = 0; k < 1200; k++) {
        msc.elap_time += 0.1f;
        msc.cntr10 = intwrap(msc.cntr10 + 1, 0, 9);
        mod_evt();
        if (msc.cntr10 == 0) mod_sec();
    }
    EXPECT_EQ(counted_allocations() - before, 0);
    EXPECT_EQ(atm.has_realwxr, 1) << "the report file was read";
}


// The simulator's controls step with every autopilot mode and the augmentation working.
TEST(FlightFrames, ControlsAndAutopilotAllocateNothing)
{
    fh_world_options opt;
    opt.controls = update_controls;
    fh_world(opt);
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    set.controls_type = -1;
    set.cus_X = env.dx * 0.5f;
    set.cus_Z = env.dz * 0.5f;
    set.cus_Y = 1000.0f;
    set.cus_v = 50.0f;
    set_fltvars(START_CUSTOM, 0);
    ott.HDSLCT = ott.ALHOLD = ott.ASHOLD = 1;
    ott.al_hold = 1100.0f;
    ott.vv_hold = 2.5f;
    ott.as_hold = 100.0f;
    pln[0].ASloV = 50.0f;
    pln[0].AShiV = 120.0f;
    pln[0].ASr1 = pln[0].ASp1 = 0.01f;
    fh_frame();
    long before = counted_allocations();
    for (int k = 0; k < 200; k++) fh_frame();
    EXPECT_EQ(counted_allocations() - before, 0);
    EXPECT_TRUE(fh_state_finite());
}

// The read system calls the process has made so far.
static long read_syscalls(void)
{
    FILE* f = std::fopen("/proc/self/io", "r");
    if (!f) return -1;
    char key[32];
    long value = -1, syscr = -1;
    while (std::fscanf(f, "%31s %ld", key, &value) == 2)
        if (std::strcmp(key, "syscr:") == 0) syscr = value;
    std::fclose(f);
    return syscr;
}

class AtcSeconds : public AtcWorld {};

// Ten minutes of the once-per-second controllers: a plan flown from centre toward approach while
// vectors to a localizer run and the signal officer watches a carrier approach. A report file lies
// ready in the program folder; none of this may read it.
TEST_F(AtcSeconds, AllocateNothingAndReadNoFile)
{
    dir.write("WORLD.RWX", "KBRK SA 1651 10 20/10/3612/992\nKKES SA 1651 10 20/10/3612/992\n");
    fpl.onfile = fpl.activated = fpl.ifr = 1;
    fpl.cruise_alt = 4000;
    atc.plan_index = 1;
    atc.plan_phase = 5;
    place(34.4f, -117.4f, 4000, 0, 120, 0);
    controller_respond("request localizer KKES 27 LOC");
    ASSERT_EQ(atc.ils_vec_in_progress, 1);
    atc.cardxyz[0] = 300.0f;
    atc.cardxyz[1] = 150.0f;
    atc.cardxyz[2] = 3000.0f;
    flt.psi[0] = 352.0f;
    flt.Alph = 9.0f;

    long before = counted_allocations();
    long calibrate = read_syscalls();
    long per_look = read_syscalls() - calibrate;
    long reads_before = read_syscalls();
    int said_count = 0;
    char last[sizeof atc.response] = "";
    for (int s = 0; s < 600; s++) {
        msc.elap_time += 1.0f;
        atc.card_time = msc.elap_time;
        flt.lat += 1.0f / 1800.0f;   // 120 kt north
        if (fpl.onfile && fpl.activated) handle_plan(0);
        if (atc.ils_vec_in_progress) controller_respond(atc.ils_command);
        if (s % 4 == 0) LSO_respond();
        if (std::strcmp(last, atc.response) != 0) {
            said_count++;
            std::memcpy(last, atc.response, sizeof last);
        }
        if (atc.waiting_new_frq) atc.waiting_new_frq = 0;   // the pilot answers every hand-off at once
    }
    long reads = read_syscalls() - reads_before;
    EXPECT_EQ(counted_allocations() - before, 0);
    EXPECT_EQ(reads, per_look) << "a file was read";
    EXPECT_GT(said_count, 20);
    EXPECT_GE(atc.plan_phase, 6);
}


// Every item to the output file and four to the graph through the frame driver; ten cockpit rows
// and the graph window drawn into the picture buffer.
TEST(FlightFrames, DataOutputAllocatesNothing)
{
    TempDir dir;
    const std::string out = dir.str() + "/Kestrova.out";
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    fh_start_air(500.0f, 50.0f, 0.0f);
    for (int i = 0; i < OUT_ITEMS; i++) set.Bdsk[i] = 1;
    for (int i = 10; i < 20; i++) set.Brlt[i] = 1;
    set.Bgrf[5] = set.Bgrf[15] = set.Bgrf[26] = set.Bgrf[41] = 1;
    set_rlt_grf_choices();
    if (trk.is_open()) trk.close();
    trk.clear();
    trk.open(out, std::ios::out | std::ios::trunc | std::ios::binary);
    ASSERT_TRUE(trk.is_open());
    reset_flight_driver();
    to_array = 1;
    for (int k = 0; k < 20; k++) {   // anything done once is done
        mnw.time_elapsed += msc.prd;
        update_flight();
    }
    manage_grf();
    plot_cockpit_data();
    long before = counted_allocations();
    for (int k = 0; k < 200; k++) {
        mnw.time_elapsed += msc.prd;
        update_flight();
        mnw.mx = static_cast<float>(k * 3);
        manage_grf();
        plot_cockpit_data();
    }
    EXPECT_EQ(counted_allocations() - before, 0);
    to_array = 0;
    trk.close();
    // Something was written: at least one row of 50 items' cells per event call.
    EXPECT_GT(read_file(out).size(), static_cast<size_t>(30 * OUT_ITEMS * OUT_CELL));
    EXPECT_EQ(grf.graphstruct_full, 0);
    EXPECT_EQ(grf.cntr, 219);
}

// Sentences, packets and the motion base's moves at their own intervals: the port (a
// pseudo-terminal nothing reads during the count, whose buffer holds the bytes) and the motion
// library are set up on the first frame; the 200 frames after it allocate nothing.
TEST(FlightFrames, SerialOutputAllocatesNothing)
{
    PtyPair com1, com2;
    ASSERT_TRUE(com1.ok() && com2.ok());
    setenv("KV_COM1", com1.path().c_str(), 1);
    setenv("KV_COM2", com2.path().c_str(), 1);
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    fh_start_ground(0.0f);
    for (int mode : {1, 2, 3, 4, 5}) {
        reset_flight_driver();
        set.serout = mode;
        msc.locl_time = 3600.0f;
        serial_frame();
        long before = counted_allocations();
        for (int k = 0; k < 200; k++) {
            msc.locl_time += 0.05f;
            serial_frame();
        }
        EXPECT_EQ(counted_allocations() - before, 0) << mode;
        com1.drain();
    }
    EXPECT_GE(flight_driver_stats().packets, 190);   // the last mode's packets were all sent for
    set.serout = 0;
    reset_flight_driver();
    setenv("KV_COM1", "/nonexistent/kvtest-com1", 1);
    setenv("KV_COM2", "/nonexistent/kvtest-com2", 1);
}
