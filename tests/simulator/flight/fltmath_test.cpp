// fltmath_test.cpp -- the element loops' own arc tangent against the library's, over every
// quadrant, the octant seams where it changes its reference angle, and the special arguments.
#include "fltmath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// Distance in float steps between two finite floats of the same sign.
int64_t ulps_apart(float a, float b)
{
    int32_t ia, ib;
    std::memcpy(&ia, &a, sizeof ia);
    std::memcpy(&ib, &b, sizeof ib);
    if (ia < 0) ia = INT32_MIN - ia;
    if (ib < 0) ib = INT32_MIN - ib;
    return ia > ib ? (int64_t)ia - ib : (int64_t)ib - ia;
}

}  // namespace

TEST(ElementArcTangent, IsTheExactAngleRoundedOnceOverEveryQuadrantAndScale)
{
    // Directions every 0.01 degree round the circle, with the seams at 11.25 and 33.75 degrees
    // (and their mirrors) met from both sides, at the lengths an element's velocity takes and far
    // beyond.
    const double PI = 3.14159265358979323846;
    const float lengths[] = {1e-6f, 0.37f, 1.0f, 63.5f, 4100.0f, 3e7f};
    int64_t worst = 0, off = 0, total = 0;
    for (float len : lengths) {
        for (int k = 0; k < 36000; k++) {
            const double th = (k * 0.01 - 180.0) * PI / 180.0;
            const float y = (float)(len * std::sin(th)), x = (float)(len * std::cos(th));
            const float mine = atan2_el(y, x);
            const float exact = (float)std::atan2((double)y, (double)x);
            const int64_t d = ulps_apart(mine, exact);
            worst = d > worst ? d : worst;
            off += d != 0;
            total++;
            // The library's float arc tangent is within one step of the exact angle too.
            ASSERT_LE(ulps_apart(mine, std::atan2(y, x)), 2) << y << " " << x;
        }
    }
    EXPECT_LE(worst, 1);
    EXPECT_LT(off * 100000, total);   // one step off in fewer than one case in a hundred thousand
    const double seams[] = {11.25, 33.75, 56.25, 78.75};
    for (double s : seams) {
        for (int q = 0; q < 4; q++) {
            for (int n = -3; n <= 3; n++) {
                const double th = (s + 90.0 * q) * PI / 180.0 + n * 1e-7;
                const float y = (float)std::sin(th), x = (float)std::cos(th);
                EXPECT_LE(ulps_apart(atan2_el(y, x), (float)std::atan2((double)y, (double)x)), 1) << s << " " << q;
            }
        }
    }
}

TEST(ElementArcTangent, SignedZerosInfinitiesAndNaNAreTheLibrarys)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float args[][2] = {{0.0f, 0.0f},   {-0.0f, 0.0f}, {0.0f, -0.0f}, {-0.0f, -0.0f}, {0.0f, -2.0f},
                             {-0.0f, -2.0f}, {0.0f, 2.0f},  {-0.0f, 2.0f}, {3.0f, 0.0f},   {-3.0f, -0.0f},
                             {inf, 1.0f},    {1.0f, -inf},  {-inf, inf},   {5.0f, 5.0f},   {-5.0f, -5.0f}};
    for (const auto& a : args) {
        const float mine = atan2_el(a[0], a[1]), lib = std::atan2(a[0], a[1]);
        EXPECT_EQ(std::signbit(mine), std::signbit(lib)) << a[0] << " " << a[1];
        EXPECT_LE(ulps_apart(std::fabs(mine), std::fabs(lib)), 1) << a[0] << " " << a[1];
    }
    EXPECT_TRUE(std::isnan(atan2_el(std::nanf(""), 1.0f)));
    EXPECT_TRUE(std::isnan(atan2_el(1.0f, std::nanf(""))));
}
