// alloc_count_gltest.cpp -- the offscreen test program's global allocator, counting every
// operator new, so that tests can show a stretch of frames allocates nothing. It sits in a file of
// its own, apart from any new-expression the compiler could pair with it.
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
