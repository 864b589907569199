// alloc_count_gltest.cpp -- the offscreen test program's global allocator, counting every
// operator new, so that tests can show a stretch of frames allocates nothing. It sits in a file of
// its own, apart from any new-expression the compiler could pair with it; and its own check.
#include "alloc_count.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

namespace {
std::atomic<long> g_allocations{0};
}

long counted_allocations(void) { return g_allocations.load(); }

void* operator new(std::size_t n)
{
    g_allocations++;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n)
{
    g_allocations++;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

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
