// tiltrix_death_test.cpp -- processes sharing the platforms die with SIGKILL: the platform goes on
// receiving frames from those left, a process joining later drives it, and the flags of a dead
// player or recorder are cleared. The processes are forked children; the ports are pseudo-terminals.
#include "motion_rig.h"

#include <csignal>
#include <fstream>
#include <unistd.h>

namespace {

// Reads the port until a frame carrying (p1, p2) arrives or ms pass.
bool frame_arrives(PtyPair& com, int p1, int p2, int ms)
{
    std::string wire;
    for (int t = 0; t < ms; t += 100) {
        wire += com.read_for(100, 100);
        bool aligned = false;
        for (const QuilloFrame& f : quillo_frames(wire, &aligned))
            if (f.p1 == p1 && f.p2 == p2) return true;
    }
    return false;
}

// A child that stays until it is killed (30 s at most, then status 9).
int stay(void)
{
    for (int i = 0; i < 3000; i++) sleep_ms(10);
    return 9;
}

// Connects the platform (this process drives its port), commands 20, 30, 40 and stays.
int connector(void*)
{
    if (QuilloInit(1) != TILTRIX_OK) return 1;
    TiltrixMove(20, 30, 40);
    return stay();
}

// Joins a platform whose connector has died: it must drive the port itself. It leaves as a
// program does, so no running mark of its own outlives it.
int late_joiner(void*)
{
    if (QuilloInit(1) != TILTRIX_OK) return 1;
    TiltrixMove(60, 70, 80);
    sleep_ms(600);
    unsigned char a1 = 0;
    TiltrixGetPos(&a1, nullptr, nullptr, nullptr, nullptr, nullptr);
    TiltrixExit();
    return a1 == 60 ? 0 : 2;
}

// Connects one platform at half amplitude and its force feedback at 30 %, commands 20, 30, 40
// and stays.
int half_scale_connector(void*)
{
    if (QuilloInit(1) != TILTRIX_OK) return 1;
    if (TiltrixSetAmplitude(50) != 1 || TiltrixSetFFAmplitude(30) != 1) return 2;
    TiltrixMove(20, 30, 40);
    return stay();
}

// The last frame that arrives on the port within ms, or (-1, -1).
QuilloFrame last_frame(PtyPair& com, int ms)
{
    bool aligned = false;
    const auto frames = quillo_frames(com.read_for(ms, ms), &aligned);
    return frames.empty() ? QuilloFrame{-1, -1} : frames.back();
}

// Shares the platform and starts a motion file of its own, then stays.
struct FileJob {
    const char* path;
    int playing;
};
int file_user(void* p)
{
    const FileJob* job = static_cast<const FileJob*>(p);
    if (QuilloInit(1) != TILTRIX_OK) return 1;
    const int r = job->playing ? TiltrixStartPlayLoop(job->path) : TiltrixStartRec(job->path);
    if (r != 0) return 2;
    return stay();
}

}  // namespace

using TiltrixDeath = MotionRig;

TEST_F(TiltrixDeath, KillingTheConnectorLeavesTheOthersDrivingThePlatform)
{
    PtyPair& com2 = port(2);
    const int pid = start_child(connector, nullptr);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(frame_arrives(com2, 20, 30, 2000)) << "the connector never drove the port";

    // This process shares the platform: its moves go out through the connector's port.
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    TiltrixMove(40, 50, 60);
    EXPECT_TRUE(frame_arrives(com2, 40, 50, 1000));
    EXPECT_EQ(TiltrixSetAmplitude(50), 1);

    EXPECT_EQ(end_child(pid, SIGKILL, 10), -1);
    com2.drain();
    // Moving on as the simulator does, every 50 ms: frames come again, at the amplitude this
    // process set before the connector died (0.5 * (228 - 128) + 128 = 178; 0.5 * (28 - 128) + 128 = 78).
    std::string wire;
    for (int k = 0; k < 20; k++) {
        TiltrixMove(228, 28, 128);
        wire += com2.read_for(50, 50);
    }
    wire += com2.read_for(300, 300);
    bool aligned = false;
    const auto frames = quillo_frames(wire, &aligned);
    ASSERT_GE(frames.size(), 5u) << "no frames after the connector's death";
    EXPECT_EQ(frames.back().p1, 178);
    EXPECT_EQ(frames.back().p2, 78);
}

TEST_F(TiltrixDeath, AProcessJoiningAfterTheConnectorsDeathDrivesThePort)
{
    PtyPair& com2 = port(2);
    RawBlock blk;   // keeps the block in use, so the joiner does not find it fresh
    ASSERT_TRUE(blk.ok());
    const int pid = start_child(connector, nullptr);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(frame_arrives(com2, 20, 30, 2000));
    EXPECT_EQ(end_child(pid, SIGKILL, 10), -1);
    EXPECT_EQ(blk.i32(0, OFF_RUNNING), 1);   // the dead connector's mark is still there
    com2.drain();

    EXPECT_EQ(run_child(late_joiner, nullptr, 10), 0);
    bool aligned = false;
    const auto frames = quillo_frames(com2.read_for(300), &aligned);
    ASSERT_GE(frames.size(), 3u) << "the joiner trusted the dead connector's running mark";
    EXPECT_EQ(frames.back().p1, 60);
    EXPECT_EQ(frames.back().p2, 70);
}

TEST_F(TiltrixDeath, ATakeoverKeepsTheDeadProcesssAmplitudesAndGivesPlatformsItDidNotRunFullScale)
{
    PtyPair& com1 = port(1);
    PtyPair& com2 = port(2);
    RawBlock blk;
    ASSERT_TRUE(blk.ok());
    // Whatever an earlier user left in the second record.
    blk.set_i32(1, OFF_AMPLITUDE, 37);
    blk.set_i32(1, OFF_FF_AMPLITUDE, 37);
    const int pid = start_child(half_scale_connector, nullptr);
    ASSERT_GT(pid, 0);
    // One platform uses COM2; at half scale 20 and 30 go out as 0.5 * (20 - 128) + 128 = 74 and 79.
    ASSERT_TRUE(frame_arrives(com2, 74, 79, 2000)) << "the connector never drove the port";
    EXPECT_EQ(end_child(pid, SIGKILL, 10), -1);

    // Two platforms now, on COM1 and COM2: the first keeps the dead process's settings.
    ASSERT_EQ(QuilloInit(2), TILTRIX_OK);
    EXPECT_EQ(blk.i32(0, OFF_AMPLITUDE), 50);
    EXPECT_EQ(blk.i32(0, OFF_FF_AMPLITUDE), 30);
    EXPECT_EQ(blk.i32(1, OFF_AMPLITUDE), 100);
    EXPECT_EQ(blk.i32(1, OFF_FF_AMPLITUDE), 100);
    com1.drain();
    com2.drain();
    TiltrixMove(228, 28, 128);
    sleep_ms(250);
    // Half scale on the first (178, 78), full scale on the second.
    const QuilloFrame first = last_frame(com1, 300), second = last_frame(com2, 300);
    EXPECT_EQ(first.p1, 178);
    EXPECT_EQ(first.p2, 78);
    EXPECT_EQ(second.p1, 228);
    EXPECT_EQ(second.p2, 28);
}

namespace {

// In a block of its own, which this process starts: connects and exits, has a child connect at
// half scale and die, and connects again. 0 when that last connection took the platform over
// with the dead child's amplitudes and drives COM2 at them; else the number of the failed step.
int creator_reconnects_after_a_death(void* com2_arg)
{
    PtyPair& com2 = *static_cast<PtyPair*>(com2_arg);
    const std::string name = std::string(std::getenv("KV_TILTRIX_BLOCK")) + "-creator";
    PLT_shared_remove(name.c_str());
    setenv("KV_TILTRIX_BLOCK", name.c_str(), 1);
    int step = 0;
    if (QuilloInit(1) != TILTRIX_OK || TiltrixExit() != 1) step = 1;   // the library starts the block
    {
        RawBlock blk;
        const int pid = step ? -1 : start_child(half_scale_connector, nullptr);
        if (!step && !frame_arrives(com2, 74, 79, 2000)) step = 2;
        if (pid > 0 && end_child(pid, SIGKILL, 10) != -1 && !step) step = 3;
        if (!step && QuilloInit(1) != TILTRIX_OK) step = 4;
        if (!step && (blk.i32(0, OFF_AMPLITUDE) != 50 || blk.i32(0, OFF_FF_AMPLITUDE) != 30)) step = 5;
        if (!step) {
            com2.drain();
            TiltrixMove(228, 28, 128);
            if (!frame_arrives(com2, 178, 78, 1000)) step = 6;
        }
        TiltrixExit();
    }
    PLT_shared_remove(name.c_str());
    return step;
}

}  // namespace

TEST_F(TiltrixDeath, TheProcessThatStartedTheBlockTakesOverLikeAnyOtherAfterItsFirstConnection)
{
    PtyPair& com2 = port(2);
    EXPECT_EQ(run_child(creator_reconnects_after_a_death, &com2, 20), 0);
}

TEST_F(TiltrixDeath, KillingAPlayerOrRecorderThatDidNotConnectClearsItsFlag)
{
    struct Case {
        int playing;
        int flag;
    };
    const Case cases[] = {{1, TILTRIX_PLAYING}, {0, TILTRIX_RECORDING}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.playing ? "player" : "recorder");
        TempDir dir;
        const std::string file = c.playing ? dir.write("loop.mot", "0\t10\t20\t\n1\t10\t20\t\n")
                                           : dir.str() + "/rec.mot";
        PtyPair& com2 = port(2);
        ASSERT_EQ(QuilloInit(1), TILTRIX_OK);   // this process drives the port
        TiltrixMove(128, 128, 128);

        FileJob job = {file.c_str(), c.playing};
        const int pid = start_child(file_user, &job);
        ASSERT_GT(pid, 0);
        ASSERT_TRUE(wait_status(c.flag, c.flag, 2000));
        if (c.playing) {
            // The other process's file drives the platform; this one's moves are held off.
            TiltrixMove(99, 98, 97);
            EXPECT_TRUE(frame_arrives(com2, 10, 20, 1500)) << "the playback froze the platform";
        } else {
            sleep_ms(400);
            std::ifstream in(file);
            int tick = -1, a = -1, b = -1;
            EXPECT_TRUE(in >> tick >> a >> b) << "the recorder wrote nothing";
            EXPECT_EQ(a, 128);
        }

        EXPECT_EQ(end_child(pid, SIGKILL, 10), -1);
        EXPECT_TRUE(wait_status(c.flag, 0, 1000)) << "the dead process's flag stayed";
        TiltrixMove(99, 98, 97);
        EXPECT_TRUE(frame_arrives(com2, 99, 98, 1000));
        TiltrixExit();
    }
}
