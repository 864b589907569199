// map_test.cpp -- the map's rules without drawing: the zoom's steps and its cap, the pan buttons and
// the region's edges, the buttons' boxes, the click turned back into a region point, the profile's
// height steps, the diagram's scale, airport names cut into words, the weather levels and the
// terrain colours, against figures worked out by hand for the default region (33 N, 119 W).
#include "hl_funct.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "map.h"

#include <kvtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The default region as the region loader frames it: 3 degrees of longitude at 33 N east of X 0,
// 2 degrees of latitude north of Z 0, on window 3's 494 units of height: 247 units a degree of
// latitude, dz / 494 = 449.8785 m a unit; the region is 279579 m wide, 621.45 units.
constexpr float DZ = 222240.0f;           // 2 * 60 nm of 1852 m
constexpr float DX = 279579.2f;           // cos 33 deg * 3 * 60 nm
constexpr float WINDOW_W = 692.0f;        // round(621.45) + 71

class MapView : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        hl_fill_constants();
        env.lat_sou = 33;
        env.lon_wes = -119;
        env.lox = 0.0f;
        env.hix = DX;
        env.hiz = 0.0f;
        env.loz = -DZ;
        env.dx = DX;
        env.dz = DZ;
        con.mtrtonrt = 494.0f / DZ;
        con.nrttomtr = DZ / 494.0f;
        mnw.dx = WINDOW_W;
        mnw.dy = 494.0f;
        msc.map_type = MAP_ENROUTE;
        env.zoom_rat = 1.0f;
        map_keep_inside();
    }
};

constexpr float ZOOM_IN[4] = {71, 0, 210, 230}, ZOOM_OUT[4] = {71, 0, 190, 210};
constexpr float NORTH[4] = {44, 24, 164, 184}, SOUTH[4] = {44, 24, 128, 148};
constexpr float WEST[4] = {62, 42, 146, 166}, EAST[4] = {26, 6, 146, 166};
constexpr float CENTRE[4] = {71, 0, 79, 124};
// A click in the middle of a button's box (a, b, c, d: x from the window's width minus a to minus b,
// y from c to d).
int press_box(const float* b) { return map_press(mnw.dx - 0.5f * (b[0] + b[1]), 0.5f * (b[2] + b[3])); }

}  // namespace

TEST_F(MapView, TheWholeRegionFillsTheMapAtZoomOne)
{
    // Corners of the region on the corners of the map area; a point of known latitude and longitude
    // (X and Z worked as the region loader would) where the hand figures put it.
    EXPECT_NEAR(pixelxfinder(0.0f), 0.0f, 1e-3f);
    EXPECT_NEAR(pixelxfinder(DX), 621.45f, 0.01f);
    EXPECT_NEAR(pixelyfinder(0.0f), 0.0f, 1e-3f);
    EXPECT_NEAR(pixelyfinder(-DZ), 494.0f, 0.01f);
    // 34.5 N: 1.5 degrees north of the southern edge, 370.5 units up.
    EXPECT_NEAR(pixelyfinder(-1.5f * 111120.0f), 370.5f, 0.01f);
}

TEST_F(MapView, ZoomingInStepsByHalfKeepsTheMiddleAndStopsPastFifty)
{
    // The region's middle stands at half its width and height on the map, 310.73 and 247 units.
    const float X0 = 0.5f * DX, Z0 = -0.5f * DZ;
    // 1.5^n until the zoom has passed 50 (1.5^10 = 57.665); a press there changes nothing.
    const float want[12] = {1.5f, 2.25f, 3.375f, 5.0625f, 7.59375f, 11.390625f, 17.0859375f, 25.62890625f,
                            38.443359f, 57.665039f, 57.665039f, 57.665039f};
    for (int n = 0; n < 12; n++) {
        const float os_x = env.os_X_plan, os_z = env.os_Z_plan;
        EXPECT_EQ(press_box(ZOOM_IN), MAP_ZOOM_IN);
        EXPECT_NEAR(env.zoom_rat, want[n], want[n] * 1e-5f) << "press " << n + 1;
        // The view shows the region point it showed in the middle before.
        EXPECT_NEAR(pixelxfinder(X0), 310.727f, 0.02f) << "press " << n + 1;
        EXPECT_NEAR(pixelyfinder(Z0), 247.0f, 0.02f) << "press " << n + 1;
        if (n >= 10) {
            EXPECT_EQ(env.os_X_plan, os_x);
            EXPECT_EQ(env.os_Z_plan, os_z);
        }
    }
}

TEST_F(MapView, ZoomingOutNeverGoesBelowOne)
{
    for (int n = 0; n < 10; n++) press_box(ZOOM_IN);
    for (int n = 0; n < 10; n++) press_box(ZOOM_OUT);
    EXPECT_NEAR(env.zoom_rat, 1.0f, 1e-4f);
    map_keep_inside();
    EXPECT_NEAR(env.os_X_plan, 0.0f, 1.0f);
    EXPECT_NEAR(env.os_Z_plan, 0.0f, 1.0f);
    // Between 1 and 1.5 one press lands on 1, not below it; at 1 a press does nothing.
    env.zoom_rat = 1.2f;
    press_box(ZOOM_OUT);
    EXPECT_EQ(env.zoom_rat, 1.0f);
    const float os_x = env.os_X_plan;
    press_box(ZOOM_OUT);
    EXPECT_EQ(env.zoom_rat, 1.0f);
    EXPECT_EQ(env.os_X_plan, os_x);
    // A damaged zoom (zero, negative, not a number) is drawn at 1.
    for (float bad : {0.0f, -3.0f, NAN}) {
        env.zoom_rat = bad;
        map_keep_inside();
        EXPECT_EQ(env.zoom_rat, 1.0f) << bad;
    }
}

TEST_F(MapView, PanButtonsMoveAFifthOfTheViewAndStopAtTheRegionsEdges)
{
    // Zoomed 5.0625 times onto the middle: the view is DX / 5.0625 = 55225 m wide, DZ / 5.0625 =
    // 43899 m high; one pan is a fifth of that.
    for (int n = 0; n < 4; n++) press_box(ZOOM_IN);
    struct Case {
        const float* box;
        int id;
        float dx, dz;   // m, the view's move
    };
    const Case cases[] = {
        {NORTH, MAP_PAN_NORTH, 0.0f, -8779.8f},
        {SOUTH, MAP_PAN_SOUTH, 0.0f, 8779.8f},
        {WEST, MAP_PAN_WEST, -11045.1f, 0.0f},
        {EAST, MAP_PAN_EAST, 11045.1f, 0.0f},
    };
    for (const Case& c : cases) {
        const float x = env.os_X_plan, z = env.os_Z_plan;
        EXPECT_EQ(map_press(mnw.dx - 0.5f * (c.box[0] + c.box[1]), 0.5f * (c.box[2] + c.box[3])), c.id);
        map_keep_inside();
        EXPECT_NEAR(env.os_X_plan - x, c.dx, 1.0f) << c.id;
        EXPECT_NEAR(env.os_Z_plan - z, c.dz, 1.0f) << c.id;
    }
    // Far past each edge: the region's edge stops on the map area's edge.
    struct Edge {
        const float* box;
        float x, y;   // a region corner and the window point it stops on
        float wx, wy;
    };
    const Edge edges[] = {
        {NORTH, 0.0f, -DZ, -1.0f, 494.0f},   // the northern edge on the top
        {SOUTH, 0.0f, 0.0f, -1.0f, 0.0f},  // the southern edge on the bottom
        {WEST, 0.0f, 0.0f, 0.0f, -1.0f},   // the western edge on the left
        {EAST, DX, 0.0f, 621.45f, -1.0f},  // the eastern edge on the right (the area's 621 units)
    };
    for (const Edge& e : edges) {
        for (int n = 0; n < 40; n++) {
            press_box(e.box);
            map_keep_inside();
        }
        if (e.wx >= 0.0f) {
            EXPECT_NEAR(pixelxfinder(e.x), e.wx, 0.01f);
        }
        if (e.wy >= 0.0f) {
            EXPECT_NEAR(pixelyfinder(e.y), e.wy, 0.01f);
        }
    }
    // At zoom 1 the whole region is in view and no pan moves it.
    env.zoom_rat = 1.0f;
    map_keep_inside();
    for (const float* b : {NORTH, SOUTH, WEST, EAST}) {
        press_box(b);
        map_keep_inside();
        EXPECT_NEAR(env.os_X_plan, 0.0f, 0.5f);
        EXPECT_NEAR(env.os_Z_plan, 0.0f, 0.5f);
    }
}

TEST_F(MapView, EachButtonAnswersInsideItsOwnBoxOnly)
{
    struct Case {
        float mx, my;
        int type;   // map type the click is on
        int id;
    };
    // Window 3 is 692 wide: the strip runs from 621; window 24 is 432 wide, its strip from 361.
    const Case cases[] = {
        {640, 220, MAP_ENROUTE, MAP_ZOOM_IN},  {691, 191, MAP_ENROUTE, MAP_ZOOM_OUT},
        {658, 170, MAP_ENROUTE, MAP_PAN_NORTH}, {658, 140, MAP_ENROUTE, MAP_PAN_SOUTH},
        {640, 156, MAP_ENROUTE, MAP_PAN_WEST}, {676, 156, MAP_ENROUTE, MAP_PAN_EAST},
        {650, 100, MAP_ENROUTE, MAP_CENTRE},   {640, 20, MAP_ENROUTE, MAP_NO_BUTTON},
        {640, 60, MAP_ENROUTE, MAP_NO_BUTTON}, {300, 220, MAP_ENROUTE, MAP_NO_BUTTON},
        {640, 156, MAP_RADAR, MAP_PAN_WEST},   {380, 220, MAP_CHART, MAP_ZOOM_IN},
        {380, 20, MAP_CHART, MAP_PROFILE_LEFT}, {420, 20, MAP_CHART, MAP_PROFILE_RIGHT},
        {400, 100, MAP_CHART, MAP_CENTRE},     {200, 300, MAP_CHART, MAP_NO_BUTTON},
    };
    for (const Case& c : cases) {
        msc.map_type = c.type;
        mnw.dx = c.type == MAP_CHART ? 432.0f : WINDOW_W;
        env.zoom_rat = 2.0f;
        EXPECT_EQ(map_press(c.mx, c.my), c.id) << c.mx << ", " << c.my << " on " << c.type;
    }
}

TEST_F(MapView, AClickTurnsBackIntoTheRegionPointItShows)
{
    // Zoom 1: a unit is 449.88 m; y up is north, so Z = -y * 449.88.
    struct Case {
        float mx, my, X, Z;
    };
    const Case cases[] = {
        {0.0f, 0.0f, 0.0f, 0.0f},
        {100.0f, 200.0f, 44987.9f, -89975.7f},
        {621.0f, 494.0f, 279374.5f, -DZ},
    };
    for (const Case& c : cases) {
        float X, Z;
        map_point_to_region(c.mx, c.my, &X, &Z);
        EXPECT_NEAR(X, c.X, 2.0f) << c.mx;
        EXPECT_NEAR(Z, c.Z, 2.0f) << c.my;
    }
    // Zoomed 3.375 times and panned twice east and once north: the point shown at a window point
    // projects back onto that window point.
    for (int n = 0; n < 3; n++) press_box(ZOOM_IN);
    press_box(EAST);
    press_box(EAST);
    press_box(NORTH);
    map_keep_inside();
    for (const Case& c : {Case{50, 60, 0, 0}, Case{600, 480, 0, 0}}) {
        float X, Z;
        map_point_to_region(c.mx, c.my, &X, &Z);
        EXPECT_NEAR(pixelxfinder(X), c.mx, 1e-2f);
        EXPECT_NEAR(pixelyfinder(Z), c.my, 1e-2f);
    }
    // On the chart (0.0066667 units a metre, the plan view's corner at 7, 184) a click 150 units right
    // of the corner lies 150 * 150 = 22500 m east of the view's western edge.
    msc.map_type = MAP_CHART;
    mnw.dx = 432.0f;
    env.zoom_rat = 1.0f;
    env.os_X_plan = 100000.0f;
    env.os_Z_plan = -50000.0f;
    float X, Z;
    map_point_to_region(157.0f, 284.0f, &X, &Z);
    EXPECT_NEAR(X, 122500.0f, 5.0f);
    EXPECT_NEAR(Z, -65000.0f, 5.0f);
}

TEST_F(MapView, CentreOnPlaneBringsTheAircraftToTheMiddleOfEitherMap)
{
    flt.X[0] = 200000.0;
    flt.Z[0] = -150000.0;
    for (int type : {MAP_ENROUTE, MAP_CHART}) {
        msc.map_type = type;
        mnw.dx = type == MAP_CHART ? 432.0f : WINDOW_W;
        env.zoom_rat = 4.0f;
        EXPECT_EQ(press_box(CENTRE), MAP_CENTRE);
        map_keep_inside();
        // The middle of the region's 621.45 by 494 units on window 3, of 7..354 by 184..487 on the chart.
        const float cx = type == MAP_CHART ? 180.5f : 310.727f, cy = type == MAP_CHART ? 335.5f : 247.0f;
        EXPECT_NEAR(pixelxfinder(200000.0f), cx, 0.01f) << type;
        EXPECT_NEAR(pixelyfinder(-150000.0f), cy, 0.01f) << type;
    }
}

TEST(MapRules, ProfileHeightStepsFollowTheScale)
{
    hl_fill_constants();
    // d = int(20 / f * 0.3048): the step is the first of 100, 200, 500, 1000, 2000 ft whose bound
    // d stays under (150, 350, 750, 1500, 3000), else 5000.
    struct Case {
        float f;
        int step;
    };
    const Case cases[] = {
        {0.0066667f, 1000},   // the chart at zoom 1: d = 914
        {0.0066667f * 50.0f, 100},   // zoom 50: d = 18
        {20.0f * 0.3048f / 149.5f, 100},
        {20.0f * 0.3048f / 150.5f, 200},
        {20.0f * 0.3048f / 349.5f, 200},
        {20.0f * 0.3048f / 700.0f, 500},
        {20.0f * 0.3048f / 1499.0f, 1000},
        {20.0f * 0.3048f / 2000.0f, 2000},
        {20.0f * 0.3048f / 3000.5f, 5000},
    };
    for (const Case& c : cases) EXPECT_EQ(map_height_step(c.f), c.step) << c.f;
}

TEST(MapRules, TheDiagramFitsItsBoxByTheSmallerRatio)
{
    struct Case {
        float w, d, s;
    };
    const Case cases[] = {
        {3048.0f, 45.0f, 102.0f / 3048.0f},   // long and thin east-west: fills the 102 of width
        {45.0f, 3048.0f, 129.0f / 3048.0f},   // north-south: fills the 129 of depth
        {1020.0f, 1290.0f, 0.1f},             // both ratios the same
        {2000.0f, 1000.0f, 0.051f},
        {0.0f, 1290.0f, 0.1f},                // a runway exactly north-south has no width
        {0.0f, 0.0f, 0.0f},                   // nothing to fit
        {-1.98e10f, -1.98e10f, 0.0f},         // an airport without runways leaves the box inside out
    };
    for (const Case& c : cases) EXPECT_NEAR(map_diagram_scale(c.w, c.d), c.s, 1e-6f) << c.w << " by " << c.d;
}

TEST(MapRules, AirportNamesShowTheirFirstTwoWords)
{
    struct Case {
        const char* name;
        int n;
        const char* w1;
        const char* w2;
    };
    const Case cases[] = {
        {"San Bernardino Intl", 40, "San", "Bernardino"},
        {"Bob Hope-Burbank", 40, "Bob", "Hope"},
        {"Zamperini Fld Torrance", 40, "Zamperini", "Fld"},
        {"Catalina", 40, "Catalina", ""},
        {"  Big -- Bear  City", 40, "Big", "Bear"},
        {"", 40, "", ""},
        {"Brackett Field", 10, "Brackett", "F"},   // only the name's first n characters count
    };
    for (const Case& c : cases) {
        char w1[41], w2[41];
        std::memset(w1, 'x', sizeof w1);
        std::memset(w2, 'x', sizeof w2);
        map_name_words(c.name, c.n, w1, w2, sizeof w1);
        EXPECT_STREQ(w1, c.w1) << c.name;
        EXPECT_STREQ(w2, c.w2) << c.name;
    }
    // A word longer than its buffer is cut and still ended.
    char a[5], b[5];
    map_name_words("Ontario International", 40, a, b, sizeof a);
    EXPECT_STREQ(a, "Onta");
    EXPECT_STREQ(b, "Inte");
}

TEST(MapRules, WeatherLevelsStayInsideTheRadarColours)
{
    struct Case {
        float rain_tstm, wxr;
        int level;
    };
    const Case cases[] = {
        {1.0f, 1.0f, 0},     // no storm: nothing shows
        {5.0f, 1.0f, 4},     // the strongest storm at full intensity
        {3.0f, 0.6f, 1},     // 1.2
        {3.0f, 0.8f, 2},     // 1.6
        {5.0f, 0.6f, 2},     // 2.4
        {5.0f, 0.1f, 0},     // 0.4
        {5.0f, 7.0f, 4},     // a damaged cell
        {5.0f, -2.0f, 0},
        {5.0f, NAN, 0},
    };
    for (const Case& c : cases) {
        atm.rain_tstm = c.rain_tstm;
        EXPECT_EQ(map_weather_level(c.wxr), c.level) << c.rain_tstm << " x " << c.wxr;
    }
}

TEST(MapRules, TerrainColoursMarkLandShoreWaterAndOpenWater)
{
    clear_globals();
    // A lake of cells i 10..20, j 30..40 in dry land, and the whole border row j 0 wet.
    for (int i = 10; i <= 20; i++)
        for (int j = 30; j <= 40; j++) on_water[i][j] = 1;
    for (int i = 0; i < REGION_NI; i++) on_water[i][0] = 1;
    struct Case {
        int type, i, j, colour;
    };
    const Case cases[] = {
        {MAP_ENROUTE, 5, 5, 6},     // land
        {MAP_ENROUTE, 15, 35, 7},   // open water: its four diagonal neighbours wet
        {MAP_ENROUTE, 10, 35, 19},  // the lake's shore
        {MAP_ENROUTE, 20, 40, 19},  // its corner
        {MAP_ENROUTE, 50, 0, 19},   // the grid's border row is never open water
        {MAP_CHART, 15, 35, 18},    // the chart has one water colour
        {MAP_CHART, 5, 5, 6},
    };
    for (const Case& c : cases) EXPECT_EQ(map_cell_colour(c.type, c.i, c.j), c.colour) << c.i << ", " << c.j;
}
