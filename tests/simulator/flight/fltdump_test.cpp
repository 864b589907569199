// fltdump_test.cpp -- the one-cycle dump: what one request writes, and that writing it leaves the
// flight exactly as it would have been.
#include "flight_harness.h"
#include "hl_file.h"
#include "hl_types.h"

#include <kvtest.h>

#include <cstring>
#include <string>

namespace {

// Flies the trainer from a fixed start for a number of frames; with dump_at >= 0 the dump is
// requested on that frame. Returns the flight state after the last frame.
flightstruct fly_trainer(int frames, int dump_at)
{
    fh_world();
    EXPECT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    fh_start_air(300.0f, 45.0f, 30.0f);
    fh_controls c;
    c.throttle = 0.8f;
    c.pitch = 0.05f;
    c.roll = 0.1f;
    c.yaw = -0.05f;
    fh_set_controls(c);
    for (int k = 0; k < frames; k++) {
        if (k == dump_at) set.cycout = 1;
        fh_frame();
    }
    return flt;
}

size_t count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) n++;
    return n;
}

}  // namespace

TEST(OneCycleDump, WritingItLeavesTheFlightBitForBitTheSame)
{
    TempDir dir;
    std::string path = dir.str() + "/Kestrova.out";
    fly_trainer(2, -1);   // draws the once-per-run choices before the two compared flights

    flightstruct plain = fly_trainer(240, -1);
    trk.open(path, std::ios::out | std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(trk.is_open());
    flightstruct dumped = fly_trainer(240, 120);
    trk.close();
    EXPECT_EQ(std::memcmp(&plain, &dumped, sizeof plain), 0);
    EXPECT_EQ(set.cycout, 0);

    std::string text = read_file(path);
    ASSERT_FALSE(text.empty());
    // One request writes the frame's block once and the build-up's blocks once per sub-step.
    EXPECT_EQ(count(text, "AT TIME COUNTER"), 1u);
    EXPECT_EQ(count(text, "alpha_use (after prediction)="), 2u);
    EXPECT_EQ(count(text, "GRAND TOTALS AT END OF FORCE AND MOMENT BUILD-UP"), 2u);
    EXPECT_EQ(count(text, "LEFT  WING 1"), 2u);
    EXPECT_EQ(count(text, "PROPELLER, ENGINE #1"), 2u);
    EXPECT_GT(count(text, "ELEMENT #1"), 2u);
    EXPECT_EQ(count(text, "FUSELAGE:"), 2u);
    // The trainer has no rockets, puffers, third wing or second fin.
    EXPECT_EQ(count(text, "After JATO:"), 0u);
    EXPECT_EQ(count(text, "After puffers:"), 0u);
    EXPECT_EQ(count(text, "LEFT  WING 3"), 0u);
    EXPECT_EQ(count(text, "VERT STAB NUMBER 2"), 0u);
    // Separators are 100 bytes 0xA5 and a line end; headings are padded to the same width.
    EXPECT_NE(text.find(std::string(100, '\xA5') + "\n"), std::string::npos);
    std::string heading = std::string(3, '\xA5') + "LEFT  WING 1" + std::string(100 - 3 - 12, '\xA5') + "\n";
    EXPECT_NE(text.find(heading), std::string::npos);
    // Every element's block opens with a blank line and a separator before its heading.
    const std::string element = std::string(3, '\xA5') + "ELEMENT #";
    const std::string opened = "\n\n" + std::string(100, '\xA5') + "\n" + element;
    EXPECT_GT(count(text, element), 2u);
    EXPECT_EQ(count(text, opened), count(text, element));
}

TEST(OneCycleDump, LoadingTheUsersAircraftWritesTheLoadReport)
{
    TempDir dir;
    std::string path = dir.str() + "/Kestrova.out";
    trk.open(path, std::ios::out | std::ios::binary | std::ios::trunc);
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    trk.close();
    std::string text = read_file(path);
    EXPECT_NE(text.find("Simulating "), std::string::npos);
    EXPECT_NE(text.find("Finite-Wing & Element Build-Up for left wing 1:"), std::string::npos);
    EXPECT_NE(text.find("   Oswalds efficiency factor based on AR ("), std::string::npos);
    // The trainer's inner and outer wing panels meet tip to root and are flown as one wing.
    EXPECT_NE(text.find("I am joining left wing 1 to left wing 2 to form one continuous wing"), std::string::npos);
    EXPECT_NE(text.find("DOWNWASH SITUATION:"), std::string::npos);
    EXPECT_NE(text.find("PROPWASH SITUATION:"), std::string::npos);
    EXPECT_NE(text.find("The propeller 1 DISC AREA is broken down"), std::string::npos);
}
