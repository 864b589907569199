// flight_noalloc_test.cpp -- the flight frames allocate nothing: the global allocator is counted
// while the harness flies 200 frames of each kind of aircraft.
#include "flight_harness.h"
#include "hl_types.h"

#include <kvtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

namespace {
std::atomic<long> g_allocations{0};
}

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

TEST(FlightFrames, AllocateNothing)
{
    const char* planes[] = {"planes/General Aviation/Cessna 172 Skyhawk/Cessna 172 Skyhawk.acf",
                            "planes/Helicopters/Bell 206B JetRanger III/Bell 206B JetRanger III.acf",
                            "planes/Fighters/T-38A Talon/T-38A Talon.acf",
                            "planes/Seaplanes/DHC-2 Beaver Floatplane/DHC-2 Beaver Floatplane.acf"};
    for (const char* rel : planes) {
        fh_world_options opt;
        opt.water = rel == planes[3];
        fh_world(opt);
        ASSERT_EQ(fh_load(fh_bundled(rel)), 1) << rel;
        fh_start_ground(0.0f);
        fh_controls c = fh_get_controls();
        c.throttle = 1.0f;
        c.brake = 0.0f;
        fh_set_controls(c);
        fh_frame();   // anything done once is done
        long before = g_allocations.load();
        for (int k = 0; k < 200; k++) fh_frame();
        EXPECT_EQ(g_allocations.load() - before, 0) << rel;
        EXPECT_TRUE(fh_state_finite()) << rel;
    }
    // The counting allocator is the one in use: this test's own strings went through it.
    std::string probe(100, 'x');
    EXPECT_GT(g_allocations.load(), 0);
}
