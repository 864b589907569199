// alloc_count.h -- the test binaries' counting allocator: every operator new of a test
// binary goes through it, so a test can see a stretch of frames allocate nothing.
#pragma once

// Allocations so far.
long counted_allocations(void);
