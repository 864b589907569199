// alloc_count.cpp -- every test binary's global allocator, counting each operator new, so that a
// test can show that a stretch of frames or passes allocates nothing. An object library of its own,
// linked into each test binary, apart from any new-expression the compiler could pair with it.
#include "alloc_count.h"

#include <atomic>
#include <cstdlib>
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
