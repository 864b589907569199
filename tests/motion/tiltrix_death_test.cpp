// tiltrix_death_test.cpp -- processes sharing the platforms die with SIGKILL: the platform goes on
// receiving frames from those left, a process joining later drives it, and the flags of a dead
// player or recorder are cleared. The processes are forked children; the ports are pseudo-terminals.
#include "motion_rig.h"

#include <csignal>
#include <fstream>
#include <unistd.h>

namespace {

// Waits up to ms for the status word to match (mask, want).
bool wait_status(int mask, int want, int ms)
{
    for (int t = 0; t < ms && (TiltrixGetStatus() & mask) != want; t += 10) sleep_ms(10);
    return (TiltrixGetStatus() & mask) == want;
}

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

// Joins a platform whose connector has died: it must drive the port itself.
int late_joiner(void*)
{
    if (QuilloInit(1) != TILTRIX_OK) return 1;
    TiltrixMove(60, 70, 80);
    sleep_ms(600);
    unsigned char a1 = 0;
    TiltrixGetPos(&a1, nullptr, nullptr, nullptr, nullptr, nullptr);
    return a1 == 60 ? 0 : 2;
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
