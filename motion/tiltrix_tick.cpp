// tiltrix_tick.cpp -- the motion worker's 100 ms cadence.
#include "tiltrix_tick.h"

int tlx_tick_due(uint32_t now_ms, uint32_t* t0, int* carry)
{
    const int elapsed = (int)((now_ms - *t0) & 0xFFFFu);
    if (elapsed < TLX_TICK_MS - *carry) return 0;
    int c = *carry + elapsed - TLX_TICK_MS;
    *carry = c < 0 ? 0 : c > TLX_TICK_MS ? TLX_TICK_MS : c;
    *t0 = now_ms & 0xFFFFu;
    return 1;
}
