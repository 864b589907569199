// alloc_count_gltest.cpp -- the check of the test binaries' counting allocator.
#include "alloc_count.h"

#include <gtest/gtest.h>

#include <memory>

// Each allocation counts once, arrays too; freeing counts nothing.
TEST(CountingAllocator, CountsEveryAllocationOfTheBinary)
{
    const long before = counted_allocations();
    auto one = std::make_unique<int>(3);
    auto many = std::make_unique<int[]>(40);
    EXPECT_EQ(counted_allocations() - before, 2);
    one.reset();
    many.reset();
    EXPECT_EQ(counted_allocations() - before, 2);
}
