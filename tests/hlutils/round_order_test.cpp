// round_order_test.cpp -- the library's round is declared before <cmath> here, the opposite order of
// hl_funct_test.cpp: both orders must compile and pick the same functions.
#include "hl_funct.h"

#include <cmath>
#include <type_traits>

#include <gtest/gtest.h>

TEST(Rounding, HeaderBeforeCmath)
{
    static_assert(std::is_same_v<decltype(round(0.5f)), int>);
    static_assert(std::is_same_v<decltype(std::round(0.5f)), float>);
    const float x = -2.5f;
    EXPECT_EQ(round(x), -3);
    EXPECT_EQ(std::round(x), -3.0f);
    EXPECT_EQ(std::lround(2.5), 3L);
}
