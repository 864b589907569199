// alloc_count.h -- the offscreen test binary's counting allocator: every operator new of the
// binary goes through it, so a test can see a stretch of frames allocate nothing.
#pragma once

// Allocations so far.
long counted_allocations(void);
