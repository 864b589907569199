// alloc_count_gltest.cpp -- the check of the test binaries' counting allocator.
#include "alloc_count.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <new>

// The sized deletes, which clang's <new> declares only with -fsized-deallocation.
void operator delete(void* p, std::size_t n) noexcept;
void operator delete(void* p, std::size_t n, std::align_val_t a) noexcept;

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

// Every form of new counts once and hands back memory of the alignment asked for, and its own
// delete takes it back (under the address sanitizer a form left to the runtime would be
// reported as allocated by one allocator and freed by another).
TEST(CountingAllocator, CountsEveryFormOfNewAndTakesItBackByItsDelete)
{
    static constexpr std::align_val_t wide{256};
    struct Form {
        const char* what;
        std::size_t alignment;
        void* (*make)();
        void (*take_back)(void*);
    };
    const Form forms[] = {
        {"plain", alignof(std::max_align_t), [] { return ::operator new(24); }, [](void* p) { ::operator delete(p); }},
        {"array", alignof(std::max_align_t), [] { return ::operator new[](24); }, [](void* p) { ::operator delete[](p); }},
        {"sized delete", alignof(std::max_align_t), [] { return ::operator new(24); },
         [](void* p) { ::operator delete(p, std::size_t{24}); }},
        {"nothrow", alignof(std::max_align_t), [] { return ::operator new(24, std::nothrow); },
         [](void* p) { ::operator delete(p, std::nothrow); }},
        {"nothrow array", alignof(std::max_align_t), [] { return ::operator new[](24, std::nothrow); },
         [](void* p) { ::operator delete[](p, std::nothrow); }},
        {"aligned", 256, [] { return ::operator new(24, wide); }, [](void* p) { ::operator delete(p, wide); }},
        {"aligned array", 256, [] { return ::operator new[](300, wide); }, [](void* p) { ::operator delete[](p, wide); }},
        {"aligned sized delete", 256, [] { return ::operator new(24, wide); },
         [](void* p) { ::operator delete(p, std::size_t{24}, wide); }},
        {"aligned nothrow", 256, [] { return ::operator new(24, wide, std::nothrow); },
         [](void* p) { ::operator delete(p, wide, std::nothrow); }},
        {"aligned nothrow array", 256, [] { return ::operator new[](24, wide, std::nothrow); },
         [](void* p) { ::operator delete[](p, wide, std::nothrow); }},
    };
    for (const Form& f : forms) {
        const long before = counted_allocations();
        void* p = f.make();
        ASSERT_NE(p, nullptr) << f.what;
        EXPECT_EQ(counted_allocations() - before, 1) << f.what;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % f.alignment, 0u) << f.what;
        static_cast<unsigned char*>(p)[23] = 1;  // the whole size asked for is there
        f.take_back(p);
        EXPECT_EQ(counted_allocations() - before, 1) << f.what;
    }
    // A new-expression for an over-aligned type takes the aligned form.
    struct alignas(128) Wide {
        char c[200];
    };
    const long before = counted_allocations();
    auto w = std::make_unique<Wide>();
    EXPECT_EQ(counted_allocations() - before, 1);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(w.get()) % 128, 0u);
}
