// keyboard.h -- the simulator's keyboard commands while no window is open.
#pragma once

// The number-pad yoke: 0 centres roll and yaw (pitch stays), 1 and 2 move the pitch offset by
// +0.05 and -0.05, 3 and 4 the roll offset by -0.1 and +0.1, 5 and 6 the yaw offset by -0.1 and
// +0.1; every offset stays within -1..1. The offsets are added to the stick before shaping.
void yoke_key(int code);
