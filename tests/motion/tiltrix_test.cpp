// tiltrix_test.cpp -- the motion library's interface: initialisation results and port choice, the
// shared block's records, the Move transform, offsets, amplitudes, stop and start, the texts, and
// calls before initialisation or after exit.
#include "motion_rig.h"

namespace {

struct Pos {
    unsigned char a1 = 0, a2 = 0, a3 = 0, fb1 = 0, fb2 = 0, copy = 0;
};

Pos get_pos()
{
    Pos p;
    EXPECT_EQ(TiltrixGetPos(&p.a1, &p.a2, &p.a3, &p.fb1, &p.fb2, &p.copy), 0);
    return p;
}

}  // namespace

using Tiltrix = MotionRig;

TEST_F(Tiltrix, CountsOutsideOneToFourAreRefusedAndLeaveItUninitialised)
{
    port(2);
    for (int n : {0, 5, -1, 100}) {
        EXPECT_EQ(QuilloInit(n), TILTRIX_BAD_COUNT) << n;
        EXPECT_EQ(VeltoInit(n), TILTRIX_BAD_COUNT) << n;
        EXPECT_EQ(CorvaneQuilloInit(n), TILTRIX_BAD_COUNT) << n;
        EXPECT_EQ(TiltrixMove(10, 20, 30), 0) << n;
        EXPECT_EQ(TiltrixMoveDelta(1, 2, 3), 0) << n;
    }
}

TEST_F(Tiltrix, OnePlatformUsesCom2AndFallsBackToCom1)
{
    // Both there: COM2 is used.
    PtyPair& com1 = port(1);
    PtyPair& com2 = port(2);
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    EXPECT_EQ(TiltrixMove(128, 128, 128), 1);
    EXPECT_FALSE(com2.read_for(400).empty());
    EXPECT_TRUE(com1.read_for(250).empty());
    TiltrixExit();

    // No COM2: COM1.
    no_port(2);
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    TiltrixMove(128, 128, 128);
    EXPECT_FALSE(com1.read_for(400).empty());
    TiltrixExit();

    // Neither: result 3, and the library works on without a port.
    no_port(1);
    EXPECT_EQ(QuilloInit(1), TILTRIX_NO_PORT);
    EXPECT_EQ(TiltrixMove(100, 110, 120), 1);
    EXPECT_EQ(get_pos().a2, 110);
}

TEST_F(Tiltrix, SeveralPlatformsUseCom1ToComNAndKeepThePortsThatOpened)
{
    PtyPair& com1 = port(1);
    PtyPair& com3 = port(3);
    EXPECT_EQ(QuilloInit(3), TILTRIX_NO_PORT);   // COM2 missing
    TiltrixMove(128, 128, 128);
    EXPECT_FALSE(com1.read_for(400).empty());
    EXPECT_FALSE(com3.read_for(400).empty());
    RawBlock blk;
    ASSERT_TRUE(blk.ok());
    EXPECT_GE(blk.i32(0, OFF_PORT), 0);
    EXPECT_EQ(blk.i32(1, OFF_PORT), -1);
    EXPECT_GE(blk.i32(2, OFF_PORT), 0);
}

TEST_F(Tiltrix, RecordsCarryTheConnectionStateAtTheirOffsets)
{
    port(1);
    port(2);
    RawBlock blk;
    ASSERT_TRUE(blk.ok());
    ASSERT_EQ(QuilloInit(2), TILTRIX_OK);
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(blk.i32(i, OFF_RUNNING), 1) << i;
        EXPECT_EQ(blk.i32(i, OFF_ATTACHED), 1) << i;
        EXPECT_EQ(blk.i32(i, OFF_AMPLITUDE), 100) << i;
        EXPECT_EQ(blk.i32(i, OFF_FF_AMPLITUDE), 100) << i;
        EXPECT_EQ(blk.text(i, OFF_VERSION), "3.10") << i;
        EXPECT_EQ(blk.text(i, OFF_INFO), "Quillo controller V3.1  ") << i;
        EXPECT_EQ(blk.byte(i, 57), 0) << i;   // the information text's end
        EXPECT_GE(blk.i32(i, OFF_PORT), 0) << i;
    }
    EXPECT_EQ(blk.i32(2, OFF_RUNNING), 0);   // a third record is not in use
    EXPECT_EQ(TiltrixExit(), 1);
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(blk.i32(i, OFF_RUNNING), 0) << i;
        EXPECT_EQ(blk.i32(i, OFF_ATTACHED), 0) << i;
        EXPECT_EQ(blk.i32(i, OFF_PORT), -1) << i;   // never 0, which would name standard input
    }
    // The Corvane initialisers leave the attached mark alone.
    ASSERT_EQ(CorvaneQuilloInit(2), TILTRIX_OK);
    EXPECT_EQ(blk.i32(0, OFF_RUNNING), 1);
    EXPECT_EQ(blk.i32(0, OFF_ATTACHED), 0);
}

TEST_F(Tiltrix, MoveScalesEachAxisAboutTheCentreByTheAmplitude)
{
    // Worked by hand: k = amplitude / 100, v = k ((x mod 256) - 128) limited to -128..127 and
    // truncated toward zero, stored as v + 128.
    struct Case {
        int amplitude, x, stored;
    };
    const Case cases[] = {
        {200, 200, 255},   // 144 limited to 127
        {50, 64, 96},      // -32
        {100, 127, 127},   {100, 0, 0},   {100, 255, 255},
        {100, 266, 10},    // 266 mod 256 = 10
        {100, -1, 255},    // -1 mod 256 = 255
        {150, 0, 0},       // -192 limited to -128
        {50, 255, 191},    // 63.5 truncated to 63
        {50, 1, 65},       // -63.5 truncated toward zero to -63
        {0, 17, 128},      // no amplitude: the centre
    };
    port(2);
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    for (const Case& c : cases) {
        ASSERT_EQ(TiltrixSetAmplitude(c.amplitude), 1);   // n = 1 platform
        TiltrixMove(c.x, 128, 255 - c.x);
        const Pos p = get_pos();
        EXPECT_EQ(p.a1, c.stored) << c.amplitude << " " << c.x;
        EXPECT_EQ(p.a2, 128) << c.amplitude << " " << c.x;
    }
}

TEST_F(Tiltrix, TheFirstMoveAfterEachConnectionReturnsOne)
{
    port(2);
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    EXPECT_EQ(TiltrixMove(1, 2, 3), 1);
    EXPECT_EQ(TiltrixMove(1, 2, 3), 0);
    EXPECT_EQ(TiltrixMoveDelta(0, 0, 0), 0);
    TiltrixExit();
    EXPECT_EQ(TiltrixMove(1, 2, 3), 0);   // not initialised
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    EXPECT_EQ(TiltrixMoveDelta(0, 0, 0), 1);
    EXPECT_EQ(TiltrixMove(1, 2, 3), 0);
}

TEST_F(Tiltrix, AmplitudesOutsideTheirRangeAreRefusedAndChangeNothing)
{
    port(1);
    port(2);
    RawBlock blk;
    ASSERT_EQ(QuilloInit(2), TILTRIX_OK);
    EXPECT_EQ(TiltrixSetAmplitude(201), 1);
    EXPECT_EQ(TiltrixSetAmplitude(-5), 1);
    EXPECT_EQ(TiltrixSetFFAmplitude(201), 1);
    EXPECT_EQ(blk.i32(1, OFF_AMPLITUDE), 100);
    EXPECT_EQ(blk.i32(1, OFF_FF_AMPLITUDE), 100);
    EXPECT_EQ(TiltrixSetAmplitude(200), 2);
    EXPECT_EQ(TiltrixSetFFAmplitude(35), 2);
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(blk.i32(i, OFF_AMPLITUDE), 200);
        EXPECT_EQ(blk.i32(i, OFF_FF_AMPLITUDE), 35);
    }
}

TEST_F(Tiltrix, OffsetsAreAddedModulo256WhenReadAndHeldWithinTheAxisWhenSent)
{
    PtyPair& com2 = port(2);
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    TiltrixMove(250, 10, 128);
    TiltrixMoveDelta(10, -20, 0x1FF);   // low bytes: +10, -20, -1
    const Pos p = get_pos();
    EXPECT_EQ(p.a1, (250 + 10) % 256);
    EXPECT_EQ(p.a2, 256 - 10);
    EXPECT_EQ(p.a3, 127);
    com2.read_for(300);
    bool aligned = false;
    const auto frames = quillo_frames(com2.read_for(400), &aligned);
    ASSERT_FALSE(frames.empty());
    EXPECT_TRUE(aligned);
    EXPECT_EQ(frames.back().p1, 255);   // 260 held at 255
    EXPECT_EQ(frames.back().p2, 0);     // -10 held at 0
}

TEST_F(Tiltrix, StopCentresAndHoldsUntilStart)
{
    port(1);
    port(2);
    ASSERT_EQ(QuilloInit(2), TILTRIX_OK);
    TiltrixMove(10, 20, 30);
    EXPECT_EQ(TiltrixStop(), 2);
    EXPECT_TRUE(TiltrixGetStatus() & TILTRIX_STOPPED);
    Pos p = get_pos();
    EXPECT_EQ(p.a1, 127);
    EXPECT_EQ(p.a2, 127);
    EXPECT_EQ(p.a3, 127);
    TiltrixMove(200, 200, 200);   // ignored while stopped
    EXPECT_EQ(get_pos().a1, 127);
    EXPECT_EQ(TiltrixStart(), 2);
    EXPECT_FALSE(TiltrixGetStatus() & TILTRIX_STOPPED);
    TiltrixMove(200, 201, 202);
    p = get_pos();
    EXPECT_EQ(p.a1, 200);
    EXPECT_EQ(p.a3, 202);
}

TEST_F(Tiltrix, TextGettersCopyWhenGivenABufferAndAlwaysReturnTheSizeNeeded)
{
    port(2);
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    EXPECT_EQ(TiltrixGetVersionString(nullptr), 5);
    EXPECT_EQ(TiltrixGetInfoString(nullptr), 33);
    char v[5], info[33];
    std::memset(v, 'z', sizeof v);
    std::memset(info, 'z', sizeof info);
    EXPECT_EQ(TiltrixGetVersionString(v), 5);
    EXPECT_EQ(TiltrixGetInfoString(info), 33);
    EXPECT_STREQ(v, "3.10");
    EXPECT_STREQ(info, "Quillo controller V3.1  ");
}

TEST_F(Tiltrix, CallsAfterExitDoNothingAndExitMayBeRepeated)
{
    port(2);
    ASSERT_EQ(QuilloInit(1), TILTRIX_OK);
    TiltrixMove(1, 2, 3);
    EXPECT_EQ(TiltrixExit(), 1);
    EXPECT_EQ(TiltrixExit(), 0);   // nothing left to unmap
    unsigned char b = 9;
    EXPECT_EQ(TiltrixMove(5, 6, 7), 0);
    EXPECT_EQ(TiltrixMoveDelta(5, 6, 7), 0);
    EXPECT_EQ(TiltrixGetPos(&b, nullptr, nullptr, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(b, 9);   // untouched
    EXPECT_EQ(TiltrixGetStatus(), 0);
    EXPECT_EQ(TiltrixSetAmplitude(50), 0);
    EXPECT_EQ(TiltrixStop(), 0);
    EXPECT_EQ(TiltrixStart(), 0);
    EXPECT_EQ(TiltrixStartPlay("/nonexistent"), 1);
    EXPECT_EQ(TiltrixStopPlay(), 1);
    EXPECT_EQ(TiltrixStopRec(), 1);
    char v[5] = "abc";
    EXPECT_EQ(TiltrixGetVersionString(v), 5);
    EXPECT_STREQ(v, "");
}
