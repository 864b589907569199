// runway_draw_test.cpp -- the runway drawing's rules without a screen: the strip's segments and
// marking classes, the texture of every marking place for hand-laid runways, the caution zone,
// the centreline's colours, the slope indicators, the end seen, the beacon's peak, and the
// aircraft standing on a runway, a taxiway or an apron (or beside them).
#include "runway_draw.h"

#include "empty_region.h"
#include "fltutil.h"
#include "genwrld.h"
#include "hl_funct.h"
#include "hl_string.h"
#include "hl_types.h"
#include "rwygeo.h"

#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr float PI = 3.14159265f;

TEST(RunwayPlan, SegmentsAreAboutOneWidthLongAndNeverNone)
{
    struct Case {
        int len, width, n;
    } cases[] = {
        {3048, 60, 50},   // the start airport's runway: 50.8 in whole division
        {1000, 30, 33},   // 33.3
        {100, 30, 3},     {25, 30, 1},   // shorter than wide: still one segment
        {1000, 0, 1},     // no width: one segment rather than a division by zero
    };
    for (const Case& c : cases) EXPECT_EQ(runway_segments(c.len, c.width), c.n) << c.len << " by " << c.width;
}

TEST(RunwayPlan, MarkingClassByLengthSurfaceAndNumber)
{
    struct Case {
        int len, surface, num, k;
    } cases[] = {
        {1200, 62, 6, 1}, {1201, 62, 6, 2}, {2400, 63, 6, 2}, {2401, 63, 6, 3}, {3048, 63, 6, 3},
        {3048, 64, 6, 0}, {900, 65, 6, 0},  {2500, 66, 6, 0}, {2500, 62, 99, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(runway_marking_class(c.len, c.surface, c.num), c.k) << c.len << " m, surface " << c.surface;
}

// Texture numbers worked out from the two sets (asphalt 68.., concrete 92..): tens digit d at
// 68 + d, units digit d at 72 + d, letters L C R at 82, 83, 84, turn-off 85, plain 86, area before
// the threshold 87, threshold 88, touchdown zone 89, fixed distance 90, centreline 91.
struct Seg {
    int i;
    int parts;
    int a, b;
};
void check_strip(int n, int k, int num, char lcr, int surface, const std::vector<Seg>& want)
{
    for (const Seg& s : want) {
        int tex[2] = {-1, -1};
        const int parts = runway_segment_textures(n, k, num, lcr, surface, s.i, tex);
        EXPECT_EQ(parts, s.parts) << "segment " << s.i;
        if (parts >= 1) EXPECT_EQ(tex[0], s.a) << "segment " << s.i;
        if (parts == 2) EXPECT_EQ(tex[1], s.b) << "segment " << s.i;
    }
}

TEST(RunwayPlan, LongConcreteRunwayCarriesEveryMarkWithTheAreasBeyondItsEnds)
{
    // Runway 06 of 50 segments on concrete (set 92..115): 06 at the start, 24 at the far end.
    check_strip(50, 3, 6, 'x', 63,
                {{-3, 0, 0, 0},    {-2, 1, 111, 0},  {-1, 1, 111, 0},  {0, 1, 112, 0},   {1, 2, 92, 102},
                 {2, 1, 113, 0},   {3, 1, 115, 0},   {4, 1, 114, 0},   {5, 1, 115, 0},   {6, 1, 113, 0},
                 {7, 1, 115, 0},   {8, 1, 113, 0},   {9, 1, 115, 0},   {25, 1, 115, 0},  {40, 1, 115, 0},
                 {41, 1, 113, 0},  {42, 1, 115, 0},  {43, 1, 113, 0},  {44, 1, 115, 0},  {45, 1, 114, 0},
                 {46, 1, 115, 0},  {47, 1, 113, 0},
                 {48, 2, 100, 94}, {49, 1, 112, 0},  {50, 1, 111, 0},  {51, 1, 111, 0},  {52, 0, 0, 0}});
}

TEST(RunwayPlan, SideLetterTakesTheNumberPlacesAndPushesTheNumbersInward)
{
    // 09L of 30 segments on asphalt, class 2: threshold, L, "09", centreline ... "27", R, threshold.
    check_strip(30, 2, 9, 'L', 62,
                {{-1, 0, 0, 0}, {0, 1, 88, 0}, {1, 1, 82, 0}, {2, 2, 68, 81}, {3, 1, 91, 0}, {26, 1, 91, 0},
                 {27, 2, 79, 70}, {28, 1, 84, 0}, {29, 1, 88, 0}, {30, 0, 0, 0}});
    // 18C: the centre letter reads the same from both ends; "36" at the far end.
    check_strip(20, 2, 18, 'C', 62, {{1, 1, 83, 0}, {2, 2, 69, 80}, {17, 2, 78, 71}, {18, 1, 83, 0}});
    // Class 3 with a letter: the marks move inward with the numbers.
    check_strip(50, 3, 6, 'R', 63,
                {{1, 1, 108, 0}, {2, 2, 92, 102}, {3, 1, 113, 0}, {5, 1, 114, 0}, {7, 1, 113, 0}, {9, 1, 113, 0},
                 {46, 1, 113, 0}, {47, 2, 100, 94}, {48, 1, 106, 0}, {44, 1, 114, 0}});
}

TEST(RunwayPlan, ShortRunwayShowsItsNumbersOnTheEndSegmentsWithoutThresholdBars)
{
    // 36 on a class-1 runway of 20 segments: 36 first, 18 last.
    check_strip(20, 1, 36, 'x', 62, {{0, 2, 71, 78}, {1, 1, 91, 0}, {18, 1, 91, 0}, {19, 2, 80, 69}, {20, 0, 0, 0}});
}

TEST(RunwayPlan, UnpavedAndUnnumberedStripsShowNoMarkings)
{
    for (int surface : {64, 65, 66})
        for (int i = 0; i < 12; i++) check_strip(12, 0, 9, 'x', surface, {{i, 1, surface, 0}});
    for (int i = 0; i < 4; i++) check_strip(4, 0, 99, 'x', 62, {{i, 1, 86, 0}});
    check_strip(4, 0, 99, 'x', 63, {{0, 1, 110, 0}});
}

TEST(RunwayLights, CautionZoneCountsByLength)
{
    struct Case {
        float len_ft;
        int m;
    } cases[] = {
        {10000.0f, 10},   // min(5000, 2000) / 200
        {3000.0f, 7},     // min(1500, 2000) / 200 = 7.5
        {600.0f, 1},      // min(300, 2000) / 200
        {499.0f, 2},      // under 500 ft: min(249, 20) / 10
        {30.0f, 1},       // min(15, 20) / 10
        {10.0f, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(runway_caution_lights(c.len_ft), c.m) << c.len_ft << " ft";
}

TEST(RunwayLights, CentrelineTurnsRedTowardTheFarEnd)
{
    // 10000 ft, centreline 100..149: a = 3000 / 200 = 15, b = 1500 / 200 = 7.
    struct Case {
        int index, t, red;
    } cases[] = {
        // From end 0: white up to 133, alternating 134..141 (odd white), red from 142.
        {100, 0, 0}, {133, 0, 0}, {134, 0, 1}, {135, 0, 0}, {140, 0, 1}, {141, 0, 0}, {142, 0, 1}, {149, 0, 1},
        // From end 1: red up to 106, alternating 107..114, white from 115.
        {100, 1, 1}, {106, 1, 1}, {107, 1, 0}, {108, 1, 1}, {114, 1, 1}, {115, 1, 0}, {149, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(centreline_red(c.index, 149, 10000.0f, c.t), c.red) << "light " << c.index << " from end " << c.t;
}

TEST(RunwayLights, SlopeIndicatorsByTheAngleAboveThem)
{
    struct Case {
        int kind;
        float angle;
        std::array<int, 4> white;
    } cases[] = {
        {3, 3.0f, {1, 1, 0, 0}},   // on the glide path: two white, two red
        {3, 2.0f, {0, 0, 0, 0}},   {3, 2.6f, {1, 0, 0, 0}}, {3, 3.4f, {1, 1, 1, 1}}, {3, 3.2f, {1, 1, 1, 0}},
        {2, 3.0f, {0, 0, 1, 1}},   // VASI between 2.5 and 3.5: near bar white, far bar red
        {2, 2.4f, {0, 0, 0, 0}},   {2, 3.5f, {1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        int white[4];
        slope_indicator(c.kind, c.angle, white);
        for (int u = 0; u < 4; u++) EXPECT_EQ(white[u], c.white[u]) << "kind " << c.kind << " at " << c.angle << " unit " << u;
    }
}

TEST(RunwayLights, EndSeenByTheViewHeading)
{
    struct Case {
        float psi;
        int hdg, t;
    } cases[] = {
        {68.0f, 68, 0}, {157.0f, 68, 0}, {158.0f, 68, 1},   // exactly 90 degrees across counts as end 1
        {248.0f, 68, 1}, {338.9f, 68, 1}, {339.0f, 68, 0}, {0.0f, 350, 0}, {200.0f, 20, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(runway_end_seen(c.psi, c.hdg), c.t) << c.psi << " against " << c.hdg;
}

TEST(RunwayLights, BeaconPeaksSharply)
{
    // sin = 0.5: 0.5 squared twice is 0.0625; the sign follows the sine (green half of the cycle).
    EXPECT_NEAR(beacon_intensity(0, PI / 6.0f), 0.0625f, 1e-5f);
    EXPECT_NEAR(beacon_intensity(1, -PI / 6.0f - 1.0f), -0.0625f, 1e-5f);
    EXPECT_NEAR(beacon_intensity(2, PI / 2.0f - 2.0f), 1.0f, 1e-5f);
}

// The aircraft over the runways and pavement of a runway laid east (heading 90) at (11, 21.5):
// 2000 m by 40 m, end 0 at the west. The parallel taxiway runs 80..100 m south of the centreline
// (2 to 2.5 widths to the right looking from end 0), the connectors 20..80 m south at both ends and
// the middle, and the apron 100..180 m south between 200 and 800 m west of the centre (0.1 to 0.4
// lengths toward end 0).
class OverPavement : public EmptyRegion {
protected:
    int a = -1, r = -1, g = -1;
    double cx = 0, cz = 0;
    void SetUp() override
    {
        EmptyRegion::SetUp();
        a = new_airport(250.0f);
        const int lite = lgts_to_code(62, std::array<int, 2>{1, 1}.data(), std::array<int, 2>{2, 2}.data(),
                                      std::array<int, 2>{1, 1}.data());
        r = new_runway(a, 11.0, 21.5, 90, 2000, 40, lite);
        load_region(1);
        g = rwy_geo_ind[r];
        ASSERT_GE(g, 0);
        ASSERT_EQ(geo_tway[g], 1) << "an asphalt runway of this size has taxiways";
        cx = X_with_latlon(rwy_lat[r], rwy_lon[r]);
        cz = Z_with_lat(rwy_lat[r]);
    }
    // Where the runway, taxiways and apron are drawn, with the aircraft at (east, south) metres
    // from the runway's centre.
    void draw_at(double east, double south)
    {
        flt.X[0] = cx + east;
        flt.Z[0] = cz + south;
        env.over_obs = 0;
        env.surf_type = 67;
        env.obj_height = 0.0f;
        plot_runway(a, r, g);
        for (int q = 1; q <= 5; q++) plot_pavement(g, q, 1.0f, 86);
    }
};

TEST_F(OverPavement, RunwayTaxiwayAndApronHoldTheAircraftAndGrassDoesNot)
{
    struct Case {
        double east, south;
        int over;
    } cases[] = {
        {0, 0, 1},      {990, 19, 1},  {-990, -19, 1},   // on the runway, near its corners
        {0, -21, 0},    {1001, 0, 0},                     // just beside and beyond it
        {300, 90, 1},   {-950, 50, 1}, {0, 50, 1},        // taxiway, end and middle connectors
        {-500, 150, 1}, {-100, 150, 0}, {500, 150, 0},    // apron, and the grass either side
        {500, 40, 0},                                     // between connectors
    };
    for (const Case& c : cases) {
        draw_at(c.east, c.south);
        EXPECT_EQ(env.over_obs, c.over) << c.east << " east, " << c.south << " south";
        if (c.over) {
            EXPECT_EQ(env.surf_type, 62);
            EXPECT_FLOAT_EQ(env.obj_height, 250.0f);
        } else {
            EXPECT_EQ(env.surf_type, 67);
        }
    }
}

}  // namespace
