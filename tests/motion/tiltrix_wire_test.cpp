// tiltrix_wire_test.cpp -- the motion worker on pseudo-terminal ports: its cadence, both wire
// protocols, the Velto set-up and answers, two processes sharing the platforms, a dead holder of
// the shared mutex, and recording and playback.
#include "motion_rig.h"
#include "tiltrix_tick.h"

#include <csignal>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

long long now_ms()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

}  // namespace

using TiltrixWire = MotionRig;

// ---- cadence ------------------------------------------------------------------------------------

TEST(TiltrixTick, LateTicksShortenTheNextWaitSoTheAverageStays100Ms)
{
    struct Step {
        uint32_t now;   // ms on the worker's clock
        int due;        // the tick is due
        int carry;      // carry after the check
    };
    // From t0 = 1000: on time, 30 ms late (next due after 70), then a stall far beyond a tick:
    // the carry is held at 100, so the stall costs one immediate tick and no burst after it.
    const Step steps[] = {
        {1099, 0, 0},  {1100, 1, 0},    // due at 100
        {1199, 0, 0},  {1230, 1, 30},   // seen 30 late
        {1299, 0, 30}, {1300, 1, 0},    // only 70 to wait
        {2400, 1, 100},                 // a 1100 ms stall
        {2400, 1, 0},  {2401, 0, 0},  {2499, 0, 0}, {2500, 1, 0},
    };
    uint32_t t0 = 1000;
    int carry = 0;
    for (const Step& s : steps) {
        EXPECT_EQ(tlx_tick_due(s.now, &t0, &carry), s.due) << s.now;
        EXPECT_EQ(carry, s.carry) << s.now;
    }
    // The 16-bit clock wraps: 65530 to 94 is 100 ms.
    t0 = 65530;
    carry = 0;
    EXPECT_EQ(tlx_tick_due(65536 + 93, &t0, &carry), 0);
    EXPECT_EQ(tlx_tick_due(65536 + 94, &t0, &carry), 1);
    EXPECT_EQ(carry, 0);
}

TEST_F(TiltrixWire, QuilloFramesGoOutTenTimesASecondOnlyAfterTheFirstMove)
{
    PtyPair& com2 = port(2);
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    EXPECT_TRUE(com2.read_for(350).empty()) << "sent before the first move";
    TiltrixMove(0x03, 0x0A, 0x11);   // bytes a terminal could take for control characters
    com2.read_for(150);
    const std::string got = com2.read_for(1050, 1050);
    bool aligned = false;
    const auto frames = quillo_frames(got, &aligned);
    EXPECT_TRUE(aligned);
    EXPECT_GE(frames.size(), 9u);
    EXPECT_LE(frames.size(), 12u);
    for (const QuilloFrame& f : frames) {
        EXPECT_EQ(f.p1, 0x03);
        EXPECT_EQ(f.p2, 0x0A);
    }
}

// ---- Velto --------------------------------------------------------------------------------------

TEST_F(TiltrixWire, VeltoReadsItsTextsAndFeedsBackStatusAndPosition)
{
    PtyPair& com2 = port(2);
    FakeVelto dev(com2, FakeVelto::ANSWER, 0x5A);
    ASSERT_EQ(VeltoInit(1), TILTRIX_OK);
    EXPECT_EQ(dev.queries(), 2);
    char v[5], info[33];
    TiltrixGetVersionString(v);
    TiltrixGetInfoString(info);
    EXPECT_STREQ(v, FakeVelto::VERSION);
    EXPECT_STREQ(info, FakeVelto::INFO);

    TiltrixMove(100, 150, 200);
    ASSERT_TRUE(wait_status(0xFFFF, TILTRIX_ACK | 0x5A, 1000)) << std::hex << TiltrixGetStatus();
    unsigned char a1, a2, a3, fb1, fb2, copy;
    sleep_ms(150);
    TiltrixGetPos(&a1, &a2, &a3, &fb1, &fb2, &copy);
    EXPECT_EQ(fb1, 101);   // the controller's feedback: its positions plus one
    EXPECT_EQ(fb2, 151);
    EXPECT_EQ(copy, 200);
    const auto cmds = dev.commands();
    ASSERT_FALSE(cmds.empty());
    EXPECT_EQ(cmds.back(), (std::vector<int>{100, 150, 200}));
}

TEST_F(TiltrixWire, ASilentVeltoCostsOneTimeOutPerTickAndClearsTheAcknowledgement)
{
    PtyPair& com2 = port(2);
    FakeVelto dev(com2, FakeVelto::SILENT);
    const long long t0 = now_ms();
    ASSERT_EQ(VeltoInit(1), TILTRIX_OK);
    // Two queries, each a 20 ms wait for the acknowledgement and a 60 ms pause.
    EXPECT_GE(now_ms() - t0, 2 * (20 + 60));
    char v[5], info[33];
    TiltrixGetVersionString(v);
    TiltrixGetInfoString(info);
    EXPECT_STREQ(v, "?.??");
    EXPECT_STREQ(info, "Couldn't read no version string!");
    TiltrixMove(1, 2, 3);
    sleep_ms(1000);
    EXPECT_EQ(TiltrixGetStatus() & TILTRIX_ACK, 0);
    const size_t sent = dev.commands().size();
    EXPECT_GE(sent, 8u);   // the silence slows no tick beyond its 100 ms
    EXPECT_LE(sent, 11u);
}

TEST_F(TiltrixWire, ChatterThatIsNeverAnAcknowledgementDoesNotStallTheWorker)
{
    PtyPair& com2 = port(2);
    FakeVelto dev(com2, FakeVelto::CHATTER);
    ASSERT_EQ(VeltoInit(1), TILTRIX_OK);
    TiltrixMove(1, 2, 3);
    sleep_ms(400);
    const size_t before = dev.commands().size();
    sleep_ms(600);
    EXPECT_GE(dev.commands().size(), before + 3);
    EXPECT_EQ(TiltrixGetStatus() & TILTRIX_ACK, 0);
}

// ---- two processes ------------------------------------------------------------------------------

namespace {

// A second process that loads the library, finds the platforms connected and commands them.
// Exit status: 0 when every result was as expected, else the number of the check that failed.
int second_process(void*)
{
    if (QuilloInit(1) != 0) return 1;          // connected already: shares them
    TiltrixMove(40, 50, 60);
    unsigned char a1 = 0, a2 = 0;
    if (TiltrixGetPos(&a1, &a2, nullptr, nullptr, nullptr, nullptr) != 0 || a1 != 40 || a2 != 50) return 2;
    return 0;
}

int second_process_exits(void*)
{
    if (QuilloInit(1) != 0) return 1;
    TiltrixMove(70, 80, 90);
    if (TiltrixExit() != 1) return 2;
    return 0;
}

// Stops a playback this process never started: the flags are shared, the file is not.
int second_process_stops_play(void*)
{
    if (QuilloInit(1) != 0) return 1;
    if (!(TiltrixGetStatus() & TILTRIX_PLAYING)) return 2;
    if (TiltrixStopPlay() != 0) return 3;
    if (TiltrixStopPlay() != 1) return 4;
    return 0;
}

// Connects the platforms and dies without closing them, leaving them marked running.
int connects_and_dies(void*)
{
    if (QuilloInit(1) != 0) return 1;
    TiltrixMove(128, 128, 128);
    sleep_ms(250);
    kill(getpid(), SIGKILL);
    return 2;
}

// Connects after the process above: 0 when the connection was made here (this process moves the
// platform), 1 when the dead process's marks were taken at their word.
int connects_after_a_crash(void* com2)
{
    setenv("KV_COM2", static_cast<const char*>(com2), 1);
    if (QuilloInit(1) != 0) return 1;
    TiltrixMove(60, 70, 80);
    sleep_ms(450);
    return 0;
}

// Takes the shared mutex behind the library's back and dies holding it.
int dies_holding_the_mutex(void*)
{
    RawBlock blk;
    if (!blk.ok() || PLT_shared_lock(blk.data(), 4 * REC_SIZE) != 0) return 1;
    kill(getpid(), SIGKILL);
    return 2;
}

}  // namespace

TEST_F(TiltrixWire, ASecondProcessSharesThePlatformsAndItsMovesDriveTheFirstsWorker)
{
    PtyPair& com2 = port(2);
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    TiltrixMove(128, 128, 128);
    EXPECT_EQ(run_child(second_process, nullptr, 10), 0);
    // This process sees the other's command, and its own worker sends it.
    unsigned char a1 = 0;
    TiltrixGetPos(&a1, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(a1, 40);
    com2.read_for(250);
    bool aligned = false;
    const auto frames = quillo_frames(com2.read_for(350), &aligned);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back().p1, 40);
    EXPECT_EQ(frames.back().p2, 50);
}

TEST_F(TiltrixWire, AnotherProcesssExitLeavesThisOnesPortAndReconnectingStartsNoSecondWorker)
{
    PtyPair& com2 = port(2);
    RawBlock blk;
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    TiltrixMove(128, 128, 128);
    EXPECT_EQ(run_child(second_process_exits, nullptr, 10), 0);
    EXPECT_EQ(blk.i32(0, OFF_RUNNING), 0);
    // The port here is still open and still fed.
    EXPECT_FALSE(com2.read_for(300).empty());
    // The next move connects again (reopening this process's own port): one worker, ten frames a second.
    EXPECT_EQ(TiltrixMove(10, 20, 30), 1);
    EXPECT_EQ(blk.i32(0, OFF_RUNNING), 1);
    com2.read_for(150);
    bool aligned = false;
    const auto frames = quillo_frames(com2.read_for(1050, 1050), &aligned);
    EXPECT_TRUE(aligned);
    EXPECT_GE(frames.size(), 9u);
    EXPECT_LE(frames.size(), 12u);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back().p1, 10);
}

TEST_F(TiltrixWire, APlatformLeftRunningByACrashedProcessIsConnectedAfresh)
{
    // A block of its own, which only the two children below ever open.
    const std::string saved = std::getenv("KV_TILTRIX_BLOCK");
    const std::string name = saved + "-crash";
    PLT_shared_remove(name.c_str());
    setenv("KV_TILTRIX_BLOCK", name.c_str(), 1);
    PtyPair& first = port(2);
    PtyPair second;
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(run_child(connects_and_dies, nullptr, 10), -1);
    EXPECT_FALSE(first.read_for(300).empty());   // it had connected and sent
    EXPECT_EQ(run_child(connects_after_a_crash, (void*)second.path().c_str(), 10), 0);
    bool aligned = false;
    const auto frames = quillo_frames(second.read_for(300), &aligned);
    setenv("KV_TILTRIX_BLOCK", saved.c_str(), 1);
    PLT_shared_remove(name.c_str());
    ASSERT_FALSE(frames.empty()) << "the new process trusted the dead one's running mark";
    EXPECT_EQ(frames.back().p1, 60);
    EXPECT_EQ(frames.back().p2, 70);
}

TEST_F(TiltrixWire, AProcessThatDiesHoldingTheMutexBlocksNoOne)
{
    PtyPair& com2 = port(2);
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    TiltrixMove(128, 128, 128);
    EXPECT_EQ(run_child(dies_holding_the_mutex, nullptr, 10), -1);   // killed
    std::atomic<int> done{0};
    std::thread mover([&] {
        TiltrixMove(33, 44, 55);
        done = 1;
    });
    for (int i = 0; i < 100 && !done; i++) sleep_ms(10);
    if (!done) {
        mover.detach();
        FAIL() << "a move waited for a dead process's mutex";
    }
    mover.join();
    com2.read_for(150);
    bool aligned = false;
    const auto frames = quillo_frames(com2.read_for(350), &aligned);
    ASSERT_FALSE(frames.empty());   // the worker goes on too
    EXPECT_EQ(frames.back().p1, 33);
}

TEST_F(TiltrixWire, AnotherProcessMayStopAPlaybackItDidNotStart)
{
    TempDir dir;
    const std::string file = dir.write("loop.mot", "0\t10\t20\t\n1\t30\t40\t\n");
    port(2);
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    ASSERT_EQ(TiltrixStartPlayLoop(file.c_str()), 0);
    sleep_ms(250);
    EXPECT_EQ(run_child(second_process_stops_play, nullptr, 10), 0);
    EXPECT_FALSE(TiltrixGetStatus() & TILTRIX_PLAYING);
    TiltrixMove(99, 98, 97);   // this process's moves drive the platform again
    sleep_ms(250);
    unsigned char a1 = 0;
    TiltrixGetPos(&a1, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(a1, 99);
    EXPECT_EQ(TiltrixStopPlay(), 1);   // nothing playing; this process's file is let go
}

// ---- recording and playback ---------------------------------------------------------------------

TEST_F(TiltrixWire, ARecordingPlaysBackTheSamePositionsInOrder)
{
    TempDir dir;
    const std::string file = dir.str() + "/flight.mot";
    PtyPair& com1 = port(1);
    port(2);
    ASSERT_EQ(QuilloInit(2), TILTRIX_OK);
    TiltrixMove(128, 128, 128);
    ASSERT_EQ(TiltrixStartRec(file.c_str()), 0);
    EXPECT_TRUE(TiltrixGetStatus() & TILTRIX_RECORDING);
    // A stepped sweep, each value held for about three ticks.
    for (int k = 0; k < 6; k++) {
        TiltrixMove(100 + 10 * k, 200 - 10 * k, 0);
        sleep_ms(300);
    }
    EXPECT_EQ(TiltrixStopRec(), 0);
    EXPECT_FALSE(TiltrixGetStatus() & TILTRIX_RECORDING);
    EXPECT_EQ(TiltrixStopRec(), 1);   // nothing recording now

    const auto lines = lines_of(read_file(file));
    ASSERT_GE(lines.size(), 12u);
    std::vector<std::pair<int, int>> recorded;
    for (size_t i = 0; i < lines.size(); i++) {
        int tick = -1, a = -1, b = -1, c = -1, d = -1;
        char tail = 0;
        ASSERT_EQ(std::sscanf(lines[i].c_str(), "%d\t%d\t%d\t%d\t%d\t%c", &tick, &a, &b, &c, &d, &tail), 5)
            << lines[i];
        EXPECT_EQ(lines[i].back(), '\t');
        EXPECT_EQ(tick, (int)i);   // the counter from 0, one per tick
        EXPECT_EQ(a, c);           // both platforms were commanded alike
        EXPECT_EQ(b, d);
        recorded.push_back({a, b});
    }
    // Values only step through the sweep, in its order.
    for (size_t i = 1; i < recorded.size(); i++) EXPECT_GE(recorded[i].first, recorded[i - 1].first);

    // Playback: the file drives the platforms; moves are ignored meanwhile; it ends by itself.
    com1.read_for(200);
    ASSERT_EQ(TiltrixStartPlay(file.c_str()), 0);
    EXPECT_TRUE(TiltrixGetStatus() & TILTRIX_PLAYING);
    TiltrixMove(7, 7, 7);
    std::string wire;
    const long long end = now_ms() + 100 * (long long)recorded.size() + 1500;
    while ((TiltrixGetStatus() & TILTRIX_PLAYING) && now_ms() < end) wire += com1.read_for(100, 100);
    EXPECT_FALSE(TiltrixGetStatus() & TILTRIX_PLAYING) << "playback did not end at the end of the file";
    EXPECT_EQ(TiltrixStopPlay(), 1);
    bool aligned = false;
    const auto frames = quillo_frames(wire, &aligned);
    EXPECT_TRUE(aligned);
    // The recorded positions appear on the wire in order (each tick sends the line just read).
    size_t at = 0;
    for (const QuilloFrame& f : frames) {
        EXPECT_NE(f.p1, 7) << "a move got through during playback";
        if (at < recorded.size() && f.p1 == recorded[at].first && f.p2 == recorded[at].second) at++;
    }
    EXPECT_GE(at + 2, recorded.size()) << "only " << at << " of " << recorded.size() << " lines played";
}

TEST_F(TiltrixWire, LoopedPlaybackWrapsAndAPlainPlaybackAfterItDoesNot)
{
    TempDir dir;
    const std::string file = dir.write("two.mot", "0\t10\t20\t\n1\t30\t40\t\n");
    port(2);
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    ASSERT_EQ(TiltrixStartPlayLoop(file.c_str()), 0);   // starts the worker without a move
    sleep_ms(800);
    EXPECT_TRUE(TiltrixGetStatus() & TILTRIX_PLAYING);
    unsigned char a1 = 0;
    TiltrixGetPos(&a1, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(a1 == 10 || a1 == 30) << (int)a1;
    EXPECT_EQ(TiltrixStopPlay(), 0);

    ASSERT_EQ(TiltrixStartPlay(file.c_str()), 0);
    EXPECT_TRUE(wait_status(TILTRIX_PLAYING, 0, 1000)) << "a plain playback looped";
}

TEST_F(TiltrixWire, PlaybackReadsValuesInOrderAcrossLineEnds)
{
    // Recorded with one platform, played with two: the second platform takes the next line's
    // counter and first value. Nothing is sent before playback starts the worker.
    TempDir dir;
    const std::string file = dir.write("one.mot", "0\t10\t20\t\n1\t30\t40\t\n2\t50\t60\t\n");
    PtyPair& com1 = port(1);
    PtyPair& com2 = port(2);
    ASSERT_EQ(QuilloInit(2), TILTRIX_OK);
    EXPECT_TRUE(com1.read_for(250).empty());
    ASSERT_EQ(TiltrixStartPlay(file.c_str()), 0);
    const std::string a = com1.read_exact(3, 1000), b = com2.read_exact(3, 1000);
    EXPECT_EQ(a, std::string("P") + (char)10 + (char)20);
    EXPECT_EQ(b, std::string("P") + (char)1 + (char)30);
}

TEST_F(TiltrixWire, ADamagedLineEndsPlaybackInsteadOfStallingIt)
{
    TempDir dir;
    const std::string file = dir.write("bad.mot", "0\t10\t20\t\n1\tten\ttwenty\t\n2\t30\t40\t\n");
    port(2);
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    ASSERT_EQ(TiltrixStartPlay(file.c_str()), 0);
    EXPECT_TRUE(wait_status(TILTRIX_PLAYING, 0, 1000));
    unsigned char a1 = 0, a2 = 0;
    TiltrixGetPos(&a1, &a2, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(a1, 10);   // the good line before the damage was played
    EXPECT_EQ(a2, 20);
}

TEST_F(TiltrixWire, FilesThatCannotBeOpenedOrWrittenAreReportedAndStopCleanly)
{
    TempDir dir;
    port(2);
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    EXPECT_EQ(TiltrixStartPlay((dir.str() + "/missing.mot").c_str()), 1);
    EXPECT_EQ(TiltrixStartPlayLoop((dir.str() + "/missing.mot").c_str()), 1);
    EXPECT_EQ(TiltrixStartRec((dir.str() + "/no/such/folder.mot").c_str()), 1);
    EXPECT_EQ(TiltrixStartPlay(nullptr), 1);
    EXPECT_EQ(TiltrixGetStatus() & (TILTRIX_PLAYING | TILTRIX_RECORDING), 0);
    EXPECT_EQ(TiltrixStopPlay(), 1);

    // A full device: the first line fails and the recording stops by itself.
    ASSERT_EQ(TiltrixStartRec("/dev/full"), 0);
    TiltrixMove(1, 2, 3);
    EXPECT_TRUE(wait_status(TILTRIX_RECORDING, 0, 1000)) << "recording went on into a full device";
    EXPECT_EQ(TiltrixStopRec(), 1);
}
