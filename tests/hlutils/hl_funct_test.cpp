// hl_funct_test.cpp -- the numeric helpers: wraps, limits, rounding, random ranges, rotations,
// normals and the ground height on the region grid.
#include <cmath>   // first on purpose: the library's round must live beside the C library's

#include "hl_funct.h"
#include "hl_types.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>
#include <limits>
#include <type_traits>

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

void fill_degree_tables()
{
    for (int d = 0; d <= 360; d++) {
        lookup_sin[d] = static_cast<float>(std::sin(d * M_PI / 180.0));
        lookup_cos[d] = static_cast<float>(std::cos(d * M_PI / 180.0));
    }
}

}  // namespace

TEST(Wraps, OneStepEachWay)
{
    struct { int x, lo, hi, want; } ints[] = {
        {-1, 0, 359, 359}, {360, 0, 359, 0}, {5, 0, 359, 5}, {0, 0, 359, 0}, {359, 0, 359, 359},
        {-400, 0, 359, -40},               // one step only
        {37, 0, 36, 0}, {-1, 0, 36, 36},   // the identifier code's wheel
        {INT_MIN, -5, 5, INT_MIN + 11},    // no overflow in the span
    };
    for (auto& c : ints) EXPECT_EQ(intwrap(c.x, c.lo, c.hi), c.want) << c.x;

    struct { float x, lo, hi, want; } flts[] = {
        {-10, 0, 360, 350}, {370, 0, 360, 10}, {-400, 0, 360, -40}, {360, 0, 360, 360}, {-180, -180, 180, -180},
    };
    for (auto& c : flts) EXPECT_FLOAT_EQ(fltwrap(c.x, c.lo, c.hi), c.want) << c.x;
}

TEST(Limits, ClampsAndRangesAreInclusive)
{
    EXPECT_EQ(intlim(5, 0, 3), 3);
    EXPECT_EQ(intlim(-5, 0, 3), 0);
    EXPECT_EQ(intlim(2, 0, 3), 2);
    EXPECT_FLOAT_EQ(fltlim(1.5f, 0, 1), 1.0f);
    EXPECT_FLOAT_EQ(fltlim(-0.5f, 0, 1), 0.0f);
    EXPECT_TRUE(std::isnan(fltlim(kNaN, 0, 1)));
    const float xs[] = {-3.5f, 0.0f, 1e6f};
    for (float x : xs) EXPECT_EQ(fltrange(x, x, x), 1);
    EXPECT_EQ(fltrange(kNaN, -1e30f, 1e30f), 0);
    EXPECT_EQ(intrange(3, 3, 4), 1);
    EXPECT_EQ(intrange(5, 3, 4), 0);
    EXPECT_EQ(fltbox(10, 20, 10, 20, 30, 40), 1);
    EXPECT_EQ(fltbox(30, 40, 10, 20, 30, 40), 1);
    EXPECT_EQ(fltbox(30.01f, 40, 10, 20, 30, 40), 0);
    EXPECT_EQ(fltbox(15, 19.99f, 10, 20, 30, 40), 0);
}

TEST(Limits, FalloutSnapsInsideTheBandOnly)
{
    EXPECT_FLOAT_EQ(fallout(5, 0, 10), 10);
    EXPECT_FLOAT_EQ(fallout(4.9f, 0, 10), 0);
    EXPECT_FLOAT_EQ(fallout(11, 0, 10), 11);
    EXPECT_FLOAT_EQ(fallout(-1, 0, 10), -1);
    EXPECT_FLOAT_EQ(fallout(0, 0, 10), 0);
    EXPECT_FLOAT_EQ(fallout(10, 0, 10), 10);
}

TEST(MinMax, TiesGiveTheSecondArgument)
{
    EXPECT_EQ(intmin2(3, 4), 3);
    EXPECT_EQ(intmax2(3, 4), 4);
    // -0 and +0 compare equal, so the sign bit shows which argument came back.
    EXPECT_TRUE(std::signbit(fltmin2(0.0f, -0.0f)));
    EXPECT_FALSE(std::signbit(fltmin2(-0.0f, 0.0f)));
    EXPECT_TRUE(std::signbit(fltmax2(0.0f, -0.0f)));
    EXPECT_FLOAT_EQ(fltmax3(1, 7, 3), 7);
    EXPECT_FLOAT_EQ(fltmin4(4, 2, 8, -1), -1);
    EXPECT_FLOAT_EQ(fltmax4(4, 9, 8, -1), 9);
    int a = 1, b = 2;
    bol_switch(&a, &b);
    EXPECT_EQ(a * 10 + b, 21);
    float fa = 1.5f, fb = -2.5f;
    flt_switch(&fa, &fb);
    EXPECT_FLOAT_EQ(fa, -2.5f);
    EXPECT_FLOAT_EQ(fb, 1.5f);
}

TEST(MinMax, StringSwapExchangesWholeTexts)
{
    char a[STR_LEN] = "first text";
    char b[STR_LEN];
    for (int k = 0; k < STR_LEN - 1; k++) b[k] = static_cast<char>('a' + k % 26);
    b[STR_LEN - 1] = 0;
    str_switch(a, b);
    EXPECT_STREQ(b, "first text");
    EXPECT_EQ(std::strlen(a), static_cast<size_t>(STR_LEN - 1));
    EXPECT_EQ(a[398], static_cast<char>('a' + 398 % 26));
}

TEST(Rounding, HalfAwayFromZero)
{
    struct { float x; int want; } cases[] = {
        {2.5f, 3}, {-2.5f, -3}, {-0.4f, 0}, {0.4f, 0}, {1.49f, 1}, {-1.5f, -2},
        {0.49999997f, 0},                   // float x + 0.5 would round this up to 1
        {1e20f, INT_MAX}, {-1e20f, INT_MIN}, {kNaN, 0},
    };
    for (auto& c : cases) EXPECT_EQ(round(c.x), c.want) << c.x;
}

TEST(Rounding, LivesBesideTheStandardRound)
{
    // A float argument reaches the library's int round; the standard one is untouched.
    static_assert(std::is_same_v<decltype(round(1.0f)), int>);
    static_assert(std::is_same_v<decltype(std::round(1.0f)), float>);
    static_assert(std::is_same_v<decltype(std::round(1.0)), double>);
    EXPECT_EQ(std::round(2.5f), 3.0f);
    EXPECT_EQ(std::round(-2.5), -3.0);
    const double d = -7.5;
    EXPECT_EQ(round(d), -8.0);   // a double reaches the C library's, which rounds the same way
}

TEST(Rounding, NearestStep)
{
    EXPECT_FLOAT_EQ(fltnear(7.3f, 0.5f), 7.5f);
    EXPECT_FLOAT_EQ(fltnear(-7.3f, 0.5f), -7.5f);
    EXPECT_FLOAT_EQ(fltnear(123.0f, 10.0f), 120.0f);
    EXPECT_EQ(intnear(7, 5), 5);
    EXPECT_EQ(intnear(8, 5), 10);
    EXPECT_EQ(intnear(-8, 5), -10);
    EXPECT_EQ(intnear(INT_MAX, 1), INT_MAX);   // the float near INT_MAX lies just past it
}

TEST(Arithmetic, SquaresInterpolationAndLags)
{
    EXPECT_FLOAT_EQ(sqr(-3), 9);
    EXPECT_FLOAT_EQ(signsqr(3), 9);
    EXPECT_FLOAT_EQ(signsqr(-3), -9);
    EXPECT_FLOAT_EQ(signsqr(0), 0);
    EXPECT_FLOAT_EQ(interp(0, 0, 10, 100, 5), 50);
    EXPECT_FLOAT_EQ(interp(0, 0, 10, 100, 20), 200);   // no clamping
    EXPECT_FLOAT_EQ(interp(10, 100, 0, 0, -10), -100);
    EXPECT_FLOAT_EQ(closer_assymp(0, 10, 0.25f), 2.5f);
    EXPECT_FLOAT_EQ(closer_assymp(4, 10, 1), 10);
    EXPECT_FLOAT_EQ(pythag(3, 4), 5);
    EXPECT_FLOAT_EQ(pythag3(2, 3, 6), 7);
    int h = -1, m = -1;
    sec_to_hrs_min(3725.9f, &h, &m);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(m, 2);
    sec_to_hrs_min(59.9f, &h, &m);
    EXPECT_EQ(h * 100 + m, 0);
    sec_to_hrs_min(86399, &h, &m);
    EXPECT_EQ(h * 100 + m, 2359);
    sec_to_hrs_min(kNaN, &h, &m);
    EXPECT_EQ(h * 100 + m, 0);
}

TEST(Random, DrawsStayInRangeAndCoverIt)
{
    hl_srand(12345);
    int seen[10] = {};
    for (int k = 0; k < 20000; k++) {
        const int v = intrand(0, 9);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 9);
        seen[v]++;
    }
    for (int v = 0; v < 10; v++) EXPECT_GT(seen[v], 1500) << v;   // about 2000 each
    for (int k = 0; k < 20000; k++) {
        const int r = hl_rand15();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, 32767);
        const float f = fltrand(-2.0f, 3.0f);
        ASSERT_GE(f, -2.0f);
        ASSERT_LE(f, 3.0f);
        const int w = intrand(INT_MIN, INT_MAX);   // the span times the draw needs 64 bits
        (void)w;
        const int n = intrand(-50, -40);
        ASSERT_GE(n, -50);
        ASSERT_LE(n, -40);
    }
}

TEST(Random, SameSeedSameSequence)
{
    hl_srand(777);
    int a[8];
    for (int& v : a) v = hl_rand15();
    hl_srand(777);
    for (int v : a) EXPECT_EQ(hl_rand15(), v);
}

TEST(Random, TopAndBottomDrawsGiveTheBounds)
{
    // Find seeds whose first draw is the top (32767) and the bottom (0) of the generator.
    uint32_t top = 0, bottom = 0;
    bool have_top = false, have_bottom = false;
    for (uint32_t s = 1; s < 4000000 && !(have_top && have_bottom); s++) {
        hl_srand(s);
        const int r = hl_rand15();
        if (r == 32767 && !have_top) top = s, have_top = true;
        if (r == 0 && !have_bottom) bottom = s, have_bottom = true;
    }
    ASSERT_TRUE(have_top && have_bottom);
    hl_srand(top);
    EXPECT_EQ(intrand(0, 9), 9);
    hl_srand(top);
    EXPECT_EQ(intrand(INT_MIN, INT_MAX), INT_MAX);
    hl_srand(top);
    EXPECT_FLOAT_EQ(fltrand(1.0f, 2.0f), 2.0f);
    hl_srand(bottom);
    EXPECT_EQ(intrand(-3, 9), -3);
}

TEST(Rotations, TurnClockwiseByWholeDegrees)
{
    fill_degree_tables();
    // Straight up turned 90 degrees clockwise on screen points right.
    EXPECT_NEAR(rx2d(0, 1, 90), 1, 1e-6);
    EXPECT_NEAR(ry2d(0, 1, 90), 0, 1e-6);
    EXPECT_NEAR(rx2d(3, 4, 0), 3, 1e-6);
    EXPECT_NEAR(ry2d(3, 4, 180), -4, 1e-6);
    // A length survives every turn.
    for (int n = 0; n <= 360; n += 15) {
        EXPECT_NEAR(pythag(rx2d(3, 4, n), ry2d(3, 4, n)), 5, 1e-5) << n;
        EXPECT_NEAR(pythag(rx3d(3, 4, n), rz3d(3, 4, n)), 5, 1e-5) << n;
    }
    EXPECT_NEAR(rx3d(1, 0, 90), 0, 1e-6);
    EXPECT_NEAR(rz3d(1, 0, 90), 1, 1e-6);
}

TEST(Vectors, NormalIsTheUnitCrossProduct)
{
    const float x[3] = {2, 0, 0}, y[3] = {0, 3, 0}, z[3] = {0, 0, 5};
    float n[3];
    find_normal_vects(x, y, n);
    EXPECT_NEAR(n[0], 0, 1e-6); EXPECT_NEAR(n[1], 0, 1e-6); EXPECT_NEAR(n[2], 1, 1e-6);
    find_normal_vects(x, z, n);
    EXPECT_NEAR(n[0], 0, 1e-6); EXPECT_NEAR(n[1], -1, 1e-6); EXPECT_NEAR(n[2], 0, 1e-6);
    const float a[3] = {1, 2, 3}, b[3] = {-2, -4, -6};   // parallel
    find_normal_vects(a, b, n);
    EXPECT_EQ(n[0], 0.0f); EXPECT_EQ(n[1], 1.0f); EXPECT_EQ(n[2], 0.0f);
    const float u[3] = {1, 2, 3}, v[3] = {4, -5, 6};
    find_normal_vects(u, v, n);
    EXPECT_NEAR(n[0] * u[0] + n[1] * u[1] + n[2] * u[2], 0, 1e-5);
    EXPECT_NEAR(n[0] * v[0] + n[1] * v[1] + n[2] * v[2], 0, 1e-5);
    EXPECT_NEAR(pythag3(n[0], n[1], n[2]), 1, 1e-6);
}

TEST(Vectors, TriangleCorners)
{
    int c[6];
    convert_ij_dxy(4, 7, 0, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5]);
    EXPECT_EQ((std::vector<int>(c, c + 6)), (std::vector<int>{4, 8, 5, 8, 4, 7}));
    convert_ij_dxy(4, 7, 1, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5]);
    EXPECT_EQ((std::vector<int>(c, c + 6)), (std::vector<int>{5, 7, 4, 7, 5, 8}));
}

TEST(Vectors, InnerSideOfAnEdge)
{
    // An edge running north (z falling): the inner side is east of it.
    EXPECT_EQ(inside_cw_reg(0, 0, 0, -100, 5, -50, 0), 1);
    EXPECT_EQ(inside_cw_reg(0, 0, 0, -100, -5, -50, 0), 0);
    EXPECT_EQ(inside_cw_reg(0, 0, 0, -100, -5, -50, 6), 1);   // within the margin
    // An edge running east: the inner side is south (larger z).
    EXPECT_EQ(inside_cw_reg(0, 0, 100, 0, 50, 5, 0), 1);
    EXPECT_EQ(inside_cw_reg(0, 0, 100, 0, 50, -5, 0), 0);
    // Running west: north.
    EXPECT_EQ(inside_cw_reg(100, 0, 0, 0, 50, -5, 0), 1);
    // Running south: west.
    EXPECT_EQ(inside_cw_reg(0, -100, 0, 0, -5, -50, 0), 1);
}

TEST(Vectors, InsideAClockwiseChain)
{
    // Clockwise seen from above (x east, z south): a square 0..100 each way, corners from the
    // north-west, and a triangle with its point to the north.
    const float square[4][2] = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    const float triangle[3][2] = {{0, 0}, {50, -100}, {100, 0}};
    struct Case {
        const float (*pts)[2];
        int n;
        float x, z, tol;
        int inside;
    } cases[] = {
        {square, 4, 50, 50, 0, 1},     {square, 4, 1, 99, 0, 1},     {square, 4, -1, 50, 0, 0},
        {square, 4, 50, 101, 0, 0},    {square, 4, 101, 50, 0, 0},   {square, 4, 50, -1, 0, 0},
        {square, 4, 102, 50, 3, 1},    {square, 4, 50, 104, 3, 0},   // the margin reaches 3 m out
        {triangle, 3, 50, -50, 0, 1},  {triangle, 3, 50, 1, 0, 0},   // south of its base
        {triangle, 3, 20, -60, 0, 0},  {triangle, 3, 80, -60, 0, 0}, // beyond either slanted side
        {triangle, 3, 30, -50, 0, 1},  {triangle, 3, 50, -99, 0, 1}, // near the point
    };
    for (const Case& c : cases)
        EXPECT_EQ(inside_cw_chain(c.pts, c.n, c.x, c.z, c.tol), c.inside) << c.n << " corners, (" << c.x << ", " << c.z << ")";
}

// A region grid 100 m square with heights that bend, so each triangle has its own plane.
class RegionGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        for (int i = 0; i < REGION_NI; i++)
            for (int j = 0; j < REGION_NJ; j++) {
                planexyz[i][j][0] = 100.0f * i;
                planexyz[i][j][1] = static_cast<float>(0.01 * i * i + 0.02 * j * j + 0.5 * ((i * 7 + j * 3) % 5));
                planexyz[i][j][2] = -100.0f * j;
            }
    }
    static float h(int i, int j) { return planexyz[i][j][1]; }
    // The centroid of triangle t of cell (a, b) and the height there: the mean of its corners.
    static void centroid(int a, int b, int t, float* x, float* z, float* hh)
    {
        int c[6];
        convert_ij_dxy(a, b, t, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5]);
        *x = *z = *hh = 0;
        for (int k = 0; k < 3; k++) {
            *x += planexyz[c[2 * k]][c[2 * k + 1]][0] / 3;
            *z += planexyz[c[2 * k]][c[2 * k + 1]][2] / 3;
            *hh += h(c[2 * k], c[2 * k + 1]) / 3;
        }
    }
};

TEST_F(RegionGrid, HeightIsTheTrianglePlane)
{
    struct { int a, b, t, gi, gj; } cases[] = {
        {10, 20, 0, 10, 20}, {10, 20, 1, 10, 20}, {10, 20, 1, 12, 18},   // near guess
        {176, 100, 0, 0, 0}, {176, 157, 1, 0, 0},                         // the last ring from afar
        {0, 0, 0, 176, 157}, {90, 157, 0, 3, 3},
    };
    for (auto& c : cases) {
        float x, z, want;
        centroid(c.a, c.b, c.t, &x, &z, &want);
        int i = c.gi, j = c.gj;
        EXPECT_NEAR(find_local_h(x, z, &i, &j, 0), want, 1e-3) << c.a << "," << c.b << " t" << c.t;
        EXPECT_EQ(i, c.a);
        EXPECT_EQ(j, c.b);
    }
}

TEST_F(RegionGrid, OutsideTheGridExtrapolatesTheStartCell)
{
    // Clamped start cell (176, 0), triangle 0: corners (176,1), (177,1), (176,0).
    int i = 500, j = -7;
    const float x = 30000.0f, z = 500.0f;
    const float got = find_local_h(x, z, &i, &j, 0);
    EXPECT_EQ(i, 176);
    EXPECT_EQ(j, 0);
    // The plane through the three corners, written as h = h0 + kx dx + kz dz with unit steps.
    const float h0 = h(176, 0);
    const float kx = (h(177, 1) - h(176, 1)) / 100.0f;
    const float kz = (h(176, 1) - h(176, 0)) / -100.0f;
    EXPECT_NEAR(got, h0 + kx * (x - 17600.0f) + kz * (z - 0.0f), 1e-2);
}

// A point within the cell test's metre of the grid's outside edge still belongs to the edge's cell,
// however far the guess; a point well outside belongs to none, and the guess's cell answers.
TEST_F(RegionGrid, TheOutlineGivesUpOnlyOnPointsWellOutsideIt)
{
    struct Case {
        const char* what;
        float x, z;
        int a, b;   // the cell that answers; the guess (88, 79) when none holds the point
    } cases[] = {
        {"half a metre west of the west edge", -0.5f, -2050.0f, 0, 20},
        {"half a metre east of the east edge", 17700.5f, -2050.0f, 176, 20},
        {"half a metre north of the north edge", 5050.0f, 0.5f, 50, 0},
        {"half a metre south of the south edge", 5050.0f, -15800.5f, 50, 157},
        {"half a metre past the north-west corner", -0.5f, 0.5f, 0, 0},
        {"twenty metres west", -20.0f, -2050.0f, 88, 79},
        {"three kilometres south", 5050.0f, -18800.0f, 88, 79},
        {"not a number", NAN, -2050.0f, 88, 79},
    };
    for (const Case& c : cases) {
        int i = 88, j = 79;
        const float got = find_local_h(c.x, c.z, &i, &j, 0);
        EXPECT_EQ(i, c.a) << c.what;
        EXPECT_EQ(j, c.b) << c.what;
        if (c.a == 88 && std::isfinite(c.x)) {
            // Cell (88, 79), triangle 0: corners (88,80), (89,80), (88,79), extrapolated.
            const float kx = (h(89, 80) - h(88, 80)) / 100.0f;
            const float kz = (h(88, 80) - h(88, 79)) / -100.0f;
            EXPECT_NEAR(got, h(88, 79) + kx * (c.x - 8800.0f) + kz * (c.z + 7900.0f), 1e-2) << c.what;
        }
    }
}

// The look-up for many points in a row gives exactly what find_local_h gives, point by point, on
// and off the grid and along the cells' edges, carrying the guess from point to point.
TEST_F(RegionGrid, ManyPointsInARowFindWhatOneFinds)
{
    std::vector<std::pair<float, float>> points;
    // Round a wheelbase near cell (40, 60), its edges and corners, then off every side and back.
    for (int k = 0; k < 400; k++) {
        const float a = 0.1f * k;
        points.push_back({4037.0f + 63.0f * std::cos(a), -6041.0f + 63.0f * std::sin(1.3f * a)});
    }
    for (float d : {-1.5f, -1.0f, -0.5f, 0.0f, 0.5f, 1.0f, 1.5f}) {
        points.push_back({4000.0f + d, -6050.0f});                 // across an edge along z
        points.push_back({4050.0f, -6000.0f + d});                 // across an edge along x
        points.push_back({4050.0f + d, -6050.0f + d});             // across a diagonal
        points.push_back({-d, -7000.0f});                          // across the west edge
        points.push_back({17700.0f + d, -150.0f});                 // across the east edge
    }
    for (float far : {25.0f, 300.0f, 3000.0f, 40.0f, 3010.0f, 2990.0f})
        for (float z : {-7000.0f, -7030.0f, -6970.0f}) points.push_back({-far, z});
    points.push_back({NAN, -7000.0f});
    points.push_back({4037.0f, -6041.0f});   // and home again

    groundcell cell;
    ground_cell_forget(&cell);
    int gi = 40, gj = 60, ri = 40, rj = 60;
    for (size_t k = 0; k < points.size(); k++) {
        const float x = points[k].first, z = points[k].second;
        const float want = find_local_h(x, z, &ri, &rj, 0);
        const float got = find_local_h_in(&cell, x, z, &gi, &gj);
        ASSERT_EQ(std::memcmp(&got, &want, sizeof got), 0) << k << ": " << x << ", " << z << ": " << got << " " << want;
        ASSERT_EQ(gi, ri) << k;
        ASSERT_EQ(gj, rj) << k;
    }
}

// A cell made ready is made again when its corners move (a region shift, a new square).
TEST_F(RegionGrid, ACellIsRemadeWhenItsCornersMove)
{
    groundcell cell;
    ground_cell_forget(&cell);
    float x, z, want;
    centroid(30, 30, 1, &x, &z, &want);
    int i = 30, j = 30;
    EXPECT_NEAR(find_local_h_in(&cell, x, z, &i, &j), want, 1e-3);
    for (int a = 30; a <= 31; a++)
        for (int b = 30; b <= 31; b++) planexyz[a][b][1] += 5.0f;
    EXPECT_NEAR(find_local_h_in(&cell, x, z, &i, &j), want + 5.0f, 1e-3);
    // The whole grid moved east by a cell: the same point now lies in the cell to the west.
    for (int a = 0; a < REGION_NI; a++)
        for (int b = 0; b < REGION_NJ; b++) planexyz[a][b][0] += 100.0f;
    i = 30, j = 30;
    int ri = 30, rj = 30;
    const float moved = find_local_h_in(&cell, x, z, &i, &j);
    EXPECT_EQ(moved, find_local_h(x, z, &ri, &rj, 0));
    EXPECT_EQ(i, 29);
    EXPECT_EQ(j, 30);
    // A neighbour raised under a ready window is seen in the next round of look-ups.
    centroid(29, 31, 0, &x, &z, &want);
    i = 29, j = 30;
    EXPECT_NEAR(find_local_h_in(&cell, x, z, &i, &j), want, 1e-3);
    EXPECT_EQ(j, 31);
    for (int a = 29; a <= 30; a++)
        for (int b = 31; b <= 32; b++) planexyz[a][b][1] += 7.0f;
    ground_cell_new_round(&cell);
    i = 29, j = 30;
    EXPECT_NEAR(find_local_h_in(&cell, x, z, &i, &j), want + 7.0f, 1e-3);
    EXPECT_EQ(j, 31);
}

TEST_F(RegionGrid, ShipsAndObstaclesAnswerFirst)
{
    con.BOAT_loc_X = 1000;
    con.BOAT_loc_Y = 2;
    con.BOAT_loc_Z = -1000;
    con.cosBOATphi = con.cosBOATthe = 1;
    con.sinBOATphi = con.sinBOATthe = 0;
    int i = 10, j = 10;
    env.over_carr = 1;
    EXPECT_FLOAT_EQ(find_local_h(1000, -1000, &i, &j, 1), 23.0f);
    env.over_carr = 0;
    env.over_frig = 1;
    EXPECT_FLOAT_EQ(find_local_h(1000, -1000, &i, &j, 1), 9.0f);
    // A rolled deck rises on the low side: 5 m right of the centre at roll sin/cos = 0.1.
    con.sinBOATphi = 0.1f;
    EXPECT_NEAR(find_local_h(1005, -1000, &i, &j, 1), 2 + 7 - 0.5, 1e-4);
    env.over_frig = 0;
    env.over_obs = 1;
    env.obj_height = 42;
    EXPECT_FLOAT_EQ(find_local_h(1000, -1000, &i, &j, 1), 42.0f);
    float x, z, want;
    centroid(10, 10, 0, &x, &z, &want);
    EXPECT_NEAR(find_local_h(x, z, &i, &j, 0), want, 1e-3);   // ships = 0 ignores them
}
