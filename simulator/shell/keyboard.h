// keyboard.h -- the simulator's keyboard commands while no window is open.
#pragma once

// The number-pad yoke: 0 centres roll and yaw (pitch stays), 1 and 2 move the pitch offset by
// +0.05 and -0.05, 3 and 4 the roll offset by -0.1 and +0.1, 5 and 6 the yaw offset by -0.1 and
// +0.1; every offset stays within -1..1. The offsets are added to the stick before shaping.
void yoke_key(int code);

// The engine levers from the function keys (F1..F9, Backspace, F11, F12 give 28..39, with Shift
// 40..51). With one lever set (set.eq_thr 0): 28/29 throttle -/+ 0.05 on every engine (a
// helicopter's collective pitch -/+ 1 degree instead), 32/33 propeller speed -/+ 5 % of the
// governed range, 36/37 mixture -/+ 0.05. With split levers: 28..31 lower and 40..43 raise engine
// 1..4's throttle, 32..35 / 44..47 its propeller speed, 36..39 / 48..51 its mixture. Throttle and
// mixture stay within 0..1 and propeller speed within the green arc. Any throttle key hands the
// throttles from the joystick's lever to the keyboard.
void function_key(int code);

// The arrow keys turn the follow views and move the spot view: 25 left, 26 right, 27 up, 28 down.
// Left and right turn msc.freeviewXZ by the frame period (radians, kept within 0..2 pi) and move
// the spot view 100 m across the view's heading; up and down raise and lower msc.freeviewY (kept
// within -pi/2..pi/2) and move the spot view 100 m along the view's line of sight.
void freeviews_keys(int code);
