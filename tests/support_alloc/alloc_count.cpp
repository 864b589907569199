// alloc_count.cpp -- every test binary's global allocator, counting each operator new, so that a
// test can show that a stretch of frames or passes allocates nothing. An object library of its own,
// linked into each test binary, apart from any new-expression the compiler could pair with it.
// Every replaceable form is defined here (plain, array, nothrow and aligned news and all their
// deletes), so that whatever form a library in the process uses, its new and its delete are both
// ours: a form left to the runtime would pair the runtime's new with our free (or the reverse).
#include "alloc_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> g_allocations{0};

void* allocate(std::size_t n)
{
    g_allocations++;
    return std::malloc(n ? n : 1);
}

void* allocate_aligned(std::size_t n, std::align_val_t al)
{
    g_allocations++;
    const std::size_t a = static_cast<std::size_t>(al);
    // aligned_alloc takes only sizes that are multiples of the alignment.
    const std::size_t size = n ? (n + a - 1) / a * a : a;
    return std::aligned_alloc(a, size);
}

void* or_throw(void* p)
{
    if (!p) throw std::bad_alloc();
    return p;
}

}  // namespace

long counted_allocations(void) { return g_allocations.load(); }

void* operator new(std::size_t n) { return or_throw(allocate(n)); }
void* operator new[](std::size_t n) { return or_throw(allocate(n)); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return allocate(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return allocate(n); }
void* operator new(std::size_t n, std::align_val_t a) { return or_throw(allocate_aligned(n, a)); }
void* operator new[](std::size_t n, std::align_val_t a) { return or_throw(allocate_aligned(n, a)); }
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept { return allocate_aligned(n, a); }
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept { return allocate_aligned(n, a); }

void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
