// tiltrix_tick.h -- the motion worker's cadence: ticks 100 ms apart on average, on a 16-bit
// millisecond clock that may wrap.
#pragma once
#include <cstdint>

constexpr int TLX_TICK_MS = 100;

// Whether the tick is due at now_ms (only its low 16 bits count), given the last tick's time t0
// and the carry of earlier late ticks. A due tick moves t0 to now and carries its lateness into the
// next wait (a tick 30 ms late is followed by one 70 ms after it); the carry stays within 0..100,
// so a long stall does not turn into a burst of ticks.
int tlx_tick_due(uint32_t now_ms, uint32_t* t0, int* carry);
