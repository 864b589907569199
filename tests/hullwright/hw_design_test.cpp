// hw_design_test.cpp -- the designer's rules on the record, against figures worked by hand: the
// mirrored parts, the propeller design, both kinds of body smoothing, the airfoil thickness read
// from a bundled part file, and the preview's distance unit.
#include "hl_afl.h"
#include "hl_design.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "hullwright.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr float PI = 3.14159265f;

class Rules : public ::testing::Test {
protected:
    TempDir cfg;
    void SetUp() override
    {
        clear_globals();
        hmsc = {};
        clear_recorded_alerts();
        hl_build_paths(KV_PROGRAM_DIR "/", cfg.str().c_str(), "Hullwright.prf");
    }
};

// An elliptic body section: n points from the top round the right side.
void ellipse(int b, int s, float z, float hw, float top, float bottom)
{
    const int n = b >= 25 ? 8 : 16;
    elliptic_section(pln[0].body_X[b][s], pln[0].body_Y[b][s], pln[0].body_Z[b][s], n, z, hw, top, bottom);
}

}  // namespace

TEST_F(Rules, RightHandPartsReachTheLeftInTheSamePass)
{
    planestruct& pl = pln[0];
    // Right wing 1: 12 ft long, root 1.5 ft right of the centre line, ailerons on its last element.
    pl.semilen[5] = 12.0f;
    pl.Croot[5] = 5.0f;
    pl.Ctip[5] = 3.0f;
    pl.Xarm[5] = 1.5f;
    pl.Yarm[5] = 4.0f;
    pl.Zarm[5] = 6.0f;
    pl.dihed[5] = 3.0f;
    pl.els[5] = 4;
    pl.anginc[5][3] = -1.0f;
    pl.ailn[5][3] = 1;
    std::snprintf(pl.Rafl0[5], 400, "%s", FOIL_WING);
    // Pylon 1 and the engine pylons 2..4 at their own engines.
    pl.semilen[14] = 4.0f;
    pl.Croot[14] = 10.0f;
    pl.Xarm[14] = -20.0f;
    pl.Zarm[14] = 30.0f;
    pl.Xarm[16] = 20.0f;
    pl.Yarm[16] = 11.0f;
    pl.Zarm[16] = 25.0f;
    // Nacelle 1 and fairing 1 have outlines; their partners none yet.
    ellipse(19, 2, 1.0f, 2.0f, 1.5f, -1.5f);
    ellipse(25, 3, 0.2f, 0.3f, 1.3f, 0.1f);

    hw_consistency();

    EXPECT_EQ(pl.semilen[4], 12.0f);
    EXPECT_EQ(pl.Croot[4], 5.0f);
    EXPECT_EQ(pl.Ctip[4], 3.0f);
    EXPECT_EQ(pl.Xarm[4], -1.5f) << "the left root is as far left as the right one is right";
    EXPECT_EQ(pl.Yarm[4], 4.0f);
    EXPECT_EQ(pl.Zarm[4], 6.0f);
    EXPECT_EQ(pl.dihed[4], 3.0f);
    EXPECT_EQ(pl.els[4], 4);
    EXPECT_EQ(pl.anginc[4][3], -1.0f);
    EXPECT_EQ(pl.ailn[4][3], 1);
    EXPECT_STREQ(pl.Rafl0[4], FOIL_WING);
    // The pylons take pylon 1's shape but stay at their own engines.
    EXPECT_EQ(pl.semilen[16], 4.0f);
    EXPECT_EQ(pl.Croot[16], 10.0f);
    EXPECT_EQ(pl.Xarm[16], 20.0f);
    EXPECT_EQ(pl.Yarm[16], 11.0f);
    EXPECT_EQ(pl.Zarm[16], 25.0f);
    for (int b : {20, 21, 22}) EXPECT_EQ(std::memcmp(pl.body_X[b], pl.body_X[19], sizeof pl.body_X[19]), 0) << b;
    for (int b : {26, 27}) EXPECT_EQ(std::memcmp(pl.body_Y[b], pl.body_Y[25], sizeof pl.body_Y[25]), 0) << b;
    EXPECT_EQ(pl.body_Z[22][2][5], 1.0f);
}

TEST_F(Rules, AHelicopterPanelHasNoPlacesFourAndEight)
{
    planestruct& pl = pln[0];
    for (int k = 0; k < 9; k++) pl.ins_of_loc[k] = k;
    pl.radiotype = 2;
    pl.vertcant[0] = 85.0f;
    pl.vertcant[1] = 12.0f;
    hw_consistency();
    EXPECT_EQ(pl.ins_of_loc[4], 4) << "an airplane keeps them";
    EXPECT_EQ(pl.radiotype, 2);
    pl.is_heli = 1;
    hw_consistency();
    EXPECT_EQ(pl.ins_of_loc[4], 0);
    EXPECT_EQ(pl.ins_of_loc[8], 0);
    EXPECT_EQ(pl.ins_of_loc[7], 7);
    EXPECT_EQ(pl.radiotype, 1);
    EXPECT_EQ(pl.vertcant[1], 0.0f);
    EXPECT_EQ(pl.vertcant[0], 85.0f);
}

// Mode 1 puts each element at atan(pitch / (2 pi r)); a pitch of 2 pi r at element e's centre
// gives that element 45 degrees. Radius 3 ft, 3 elements: centres at 0.5, 1.5 and 2.5 ft.
TEST_F(Rules, PropellerDesignFromItsPitch)
{
    planestruct& pl = pln[0];
    pl.semilen[0] = 3.0f;
    pl.els[0] = 3;
    pl.des_rpm[0] = 2400.0f;
    const float pitch_in = 2.0f * PI * 1.5f * 12.0f;   // 113.1 in: one turn of the middle element's circle
    float pitch_out = 0.0f;
    design_prop(0, 1, pitch_in, &pitch_out);
    EXPECT_NEAR(pl.anginc[0][1], 45.0f, 1e-3f);
    // Inner and outer elements: atan(9.4248 / (2 pi 0.5)) = atan(3) = 71.565, atan(0.6) = 30.964.
    EXPECT_NEAR(pl.anginc[0][0], 71.565f, 1e-3f);
    EXPECT_NEAR(pl.anginc[0][2], 30.964f, 1e-3f);
    // The speed that pitch gives at 2400 rpm: 9.4248 ft x 40 rev/s = 376.99 ft/s = 223.36 kt.
    EXPECT_NEAR(pl.des_vel[0], 223.36f, 0.02f);
    EXPECT_NEAR(pitch_out, pitch_in, 1e-3f);
    // The advance ratio J = V / (n D) is the pitch over the diameter: 9.4248 / 6 = 1.5708.
    EXPECT_NEAR(pl.des_adv[0], 1.5708f, 1e-4f);
}

// Mode 0: 140 kt (236.29 ft/s) at 2400 rpm (251.33 rad/s) on a 3.125 ft radius of 5 elements.
TEST_F(Rules, PropellerDesignFromItsSpeedAndRpm)
{
    planestruct& pl = pln[0];
    pl.semilen[0] = 3.125f;
    pl.els[0] = 5;
    pl.des_rpm[0] = 2400.0f;
    pl.des_vel[0] = 140.0f;
    float pitch = 0.0f;
    design_prop(0, 0, 0.0f, &pitch);
    // Element 0 at r = 0.3125 ft: omega r = 78.54 ft/s, atan(236.29 / 78.54) = 71.62 deg;
    // element 4 at r = 2.8125 ft: omega r = 706.86 ft/s, atan(0.33428) = 18.48 deg.
    EXPECT_NEAR(pl.anginc[0][0], 71.62f, 0.01f);
    EXPECT_NEAR(pl.anginc[0][4], 18.48f, 0.01f);
    // The pitch that speed gives: 236.29 ft/s / 40 rev/s = 5.907 ft = 70.89 in.
    EXPECT_NEAR(pitch, 70.89f, 0.02f);
    EXPECT_NEAR(pl.des_adv[0], 236.29f / (40.0f * 6.25f), 1e-3f);
    EXPECT_EQ(pl.des_vel[0], 140.0f) << "mode 0 keeps the speed it was given";
    // No rpm, no design: the angles stay.
    pl.des_rpm[0] = 0.0f;
    pl.anginc[0][0] = 7.0f;
    design_prop(0, 0, 0.0f, &pitch);
    EXPECT_EQ(pl.anginc[0][0], 7.0f);
}

TEST_F(Rules, EllipseSmoothingLeavesAnEllipseAsItIs)
{
    for (int s = 0; s < 11; s++) ellipse(18, s, 2.0f * s, 1.0f + 0.1f * s, 5.0f + 0.2f * s, 2.0f);
    const planestruct before = pln[0];
    smoothit(18, 0);
    for (int s = 0; s < 11; s++)
        for (int k = 0; k < 16; k++) {
            EXPECT_NEAR(pln[0].body_X[18][s][k], before.body_X[18][s][k], 1e-5f) << s << " " << k;
            EXPECT_NEAR(pln[0].body_Y[18][s][k], before.body_Y[18][s][k], 1e-5f) << s << " " << k;
        }
}

// A square section (corners at x, y = +-1, mean height 0) pulled a fifth of the way to its ellipse:
// w = x of point 4 = 1, h = half of y0 - y8 = 1, c = 0, so the target is the unit circle. A point
// on the square, e.g. point 2 at 45 deg, (1, 1), goes to 0.2 (0.7071, 0.7071) + 0.8 (1, 1).
TEST_F(Rules, EllipseSmoothingPullsEachPointAFifthOfTheWay)
{
    const float sq[16][2] = {{0, 1},  {0.5f, 1},   {1, 1},   {1, 0.5f},   {1, 0},  {1, -0.5f},  {1, -1},   {0.5f, -1},
                             {0, -1}, {-0.5f, -1}, {-1, -1}, {-1, -0.5f}, {-1, 0}, {-1, 0.5f},  {-1, 1},   {-0.5f, 1}};
    for (int s = 0; s < 7; s++)
        for (int k = 0; k < 16; k++) {
            pln[0].body_X[19][s][k] = sq[k][0];
            pln[0].body_Y[19][s][k] = sq[k][1];
            pln[0].body_Z[19][s][k] = static_cast<float>(s);
        }
    smoothit(19, 0);
    struct Case {
        int k;
        float x, y;
    } cases[] = {
        {0, 0.0f, 1.0f},                             // on the ellipse already
        {2, 0.2f * 0.70711f + 0.8f, 0.2f * 0.70711f + 0.8f},
        {1, 0.2f * 0.38268f + 0.4f, 0.2f * 0.92388f + 0.8f},   // 22.5 deg: (sin, cos)
        {10, -(0.2f * 0.70711f + 0.8f), -(0.2f * 0.70711f + 0.8f)},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(pln[0].body_X[19][3][c.k], c.x, 1e-5f) << c.k;
        EXPECT_NEAR(pln[0].body_Y[19][3][c.k], c.y, 1e-5f) << c.k;
    }
}

// Total smoothing on a body whose middle station bulges: the bulge moves towards the line between
// its neighbours, the sections round out, and the average radius comes back to what it was.
TEST_F(Rules, TotalSmoothingEvensTheBodyOutAndKeepsItsSize)
{
    // Circles of radius 1 round y = 0 at z = 0..6, station 3 of radius 2.
    for (int s = 0; s < 7; s++) ellipse(23, s, static_cast<float>(s), s == 3 ? 2.0f : 1.0f, s == 3 ? 2.0f : 1.0f,
                                        s == 3 ? -2.0f : -1.0f);
    // Average radius over the inner stations 1..5: (1 + 1 + 2 + 1 + 1) / 5 = 1.2.
    ASSERT_NEAR(ret_ave_rad(23), 1.2f, 1e-5f);
    smoothit(23, 1);
    // Along the body, station 3's radius goes 2 -> 2 + 0.1 (1 - 2) = 1.9 and stations 2 and 4 go
    // 1 -> 1 + 0.1 (1.5 - 1) = 1.05 (their neighbours' mean). Then the radii 1, 1.05, 1.9, 1.05, 1
    // (mean 1.2 over the inner stations) are scaled by 1.2 / 1.2 = 1.
    EXPECT_NEAR(ret_ave_rad(23), 1.2f, 1e-4f);
    EXPECT_NEAR(pln[0].body_X[23][3][4], 1.9f, 1e-4f);
    EXPECT_NEAR(pln[0].body_Y[23][3][0], 1.9f, 1e-4f);
    EXPECT_NEAR(pln[0].body_X[23][2][4], 1.05f, 1e-4f);
    EXPECT_NEAR(pln[0].body_X[23][1][4], 1.0f, 1e-4f);
    // Square sections (16 points, half-side 1) the whole length: nothing to even out along the
    // body, but rounding pulls the corners in. Before: A = (1 + 1.1180 + 1.4142 + 1.1180) / 4 =
    // 1.16257; after rounding, points 0..3 lie at 1, 1.09402, 1.33137, 1.09402 (B = 1.12985), so
    // every distance grows by A / B = 1.02896 and the average radius is A again.
    const float sq[16][2] = {{0, 1},  {0.5f, 1},   {1, 1},   {1, 0.5f},   {1, 0},  {1, -0.5f},  {1, -1},   {0.5f, -1},
                             {0, -1}, {-0.5f, -1}, {-1, -1}, {-1, -0.5f}, {-1, 0}, {-1, 0.5f},  {-1, 1},   {-0.5f, 1}};
    for (int st = 0; st < 7; st++)
        for (int k = 0; k < 16; k++) {
            pln[0].body_X[23][st][k] = sq[k][0];
            pln[0].body_Y[23][st][k] = sq[k][1];
            pln[0].body_Z[23][st][k] = static_cast<float>(st);
        }
    ASSERT_NEAR(ret_ave_rad(23), 1.16257f, 1e-5f);
    smoothit(23, 1);
    EXPECT_NEAR(ret_ave_rad(23), 1.16257f, 1e-4f);
    EXPECT_NEAR(pln[0].body_Y[23][3][0], 1.02896f, 1e-4f);
    EXPECT_NEAR(pln[0].body_X[23][3][2], 0.96868f, 1e-4f);
}

TEST_F(Rules, AverageRadiusIsNeverBelowAHundredthOfAFoot)
{
    // A body of points all at one place (no body yet) still gives a distance to scale by.
    EXPECT_NEAR(ret_ave_rad(25), 0.01f, 1e-7f);
    smoothit(25, 1);
    for (int s = 0; s < 7; s++)
        for (int k = 0; k < 8; k++) EXPECT_TRUE(std::isfinite(pln[0].body_X[25][s][k]) && std::isfinite(pln[0].body_Y[25][s][k]));
}

// The bundled part files carry their thickness in the constants line: 0.12 for the NACA 2412 (its
// last two digits in hundredths of the chord), 0.09 for the NACA 0009.
TEST_F(Rules, AirfoilThicknessComesFromTheBundledPartFile)
{
    struct Case {
        const char* name;
        float trat;
        bool notice;
    } cases[] = {
        {FOIL_WING, 0.12f, false},
        {FOIL_TAIL, 0.09f, false},
        {"no such airfoil.afl", 0.0f, false},
        {"", 0.0f, false},
    };
    for (const Case& c : cases) {
        clear_recorded_alerts();
        afl[0].trat[5][1] = 0.5f;
        EXPECT_NEAR(assign_foil_thickness(c.name, 5, 1), c.trat, 1e-6f) << c.name;
        EXPECT_NEAR(afl[0].trat[5][1], c.trat, 1e-6f) << c.name;
        EXPECT_EQ(recorded_alerts().empty(), !c.notice) << c.name;
    }
}

TEST_F(Rules, AFileThatIsNoReadableAirfoilGivesTheNoticeAndNoThickness)
{
    // A flap, or a file of another type or version or damaged, chosen where an airfoil belongs: the
    // notice, and no thickness; nothing ends.
    TempDir foils;
    const std::string flap = read_file(std::string(KV_PROGRAM_DIR) + "/flaps/" + FLAP_PLAIN);
    ASSERT_FALSE(flap.empty());
    foils.write("flap.afl", flap);
    foils.write("damaged.afl", "I\n363 version\n1234 device type code\nconstants: nothing\n");
    foils.write("old.afl", "I\n362 version\n1234 device type code\nconstants: 0.15 6\n");
    foils.write("other.afl", "I\n363 version\n3456 device type code\nconstants: 0.15 6\n");
    std::snprintf(afl_path, STR_LEN, "%s/", foils.str().c_str());
    for (const char* name : {"flap.afl", "damaged.afl", "old.afl", "other.afl"}) {
        clear_recorded_alerts();
        EXPECT_EQ(assign_foil_thickness(name, 4, 0), 0.0f) << name;
        ASSERT_EQ(recorded_alerts().size(), 1u) << name;
        EXPECT_EQ(recorded_alerts()[0].l1, "You didn't select a foil!");
        EXPECT_EQ(recorded_alerts()[0].code, 2002);
    }
    // A damaged file that every wing names gives one notice when the aircraft's are read.
    for (int p = 4; p < 10; p++) std::snprintf(pln[0].Rafl0[p], STR_LEN, "damaged.afl");
    clear_recorded_alerts();
    assign_all_thicknesses();
    EXPECT_EQ(recorded_alerts().size(), 1u);
}

// The distance unit: the largest of the lateral reach, the reach fore or aft of the centre of
// gravity, and 1 ft.
TEST_F(Rules, PreviewDistanceIsTheAircraftsLargestReach)
{
    planestruct& pl = pln[0];
    pl.cgZ = 5.0f;
    // A fuselage from z = -4 to 16 ft, 1 ft wide: 9 ft ahead of the centre of gravity, 11 behind.
    for (int s = 0; s < 11; s++) ellipse(18, s, -4.0f + 2.0f * s, 1.0f, 1.0f, -1.0f);
    EXPECT_NEAR(find_dis_to_plane(), 11.0f, 1e-4f);
    // A straight wing of 15 ft from the centre line, root chord 4 ft at z = 2: the wing's tip is the
    // widest point.
    pl.semilen[5] = pl.semilen[4] = 15.0f;
    pl.Croot[5] = pl.Croot[4] = pl.Ctip[5] = pl.Ctip[4] = 4.0f;
    pl.els[5] = pl.els[4] = 2;
    pl.Zarm[5] = pl.Zarm[4] = 2.0f;
    EXPECT_NEAR(find_dis_to_plane(), 15.0f, 1e-4f);
    // Nothing at all: 1 ft.
    clear_globals();
    EXPECT_EQ(find_dis_to_plane(), 1.0f);
}
