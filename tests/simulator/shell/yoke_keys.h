// yoke_keys.h -- a test pilot's hand on the number-pad yoke keys: the key that moves the keyboard
// yoke toward a wanted pitch and bank, and the key that centres it, read from the flight as a
// person reads the instruments. The end-to-end flights press these through the event loop.
#pragma once
#include "hl_keys.h"   // VK_NUMPAD0
#include "hl_types.h"

#include <cmath>

// The number-pad yoke: 5 centres roll and yaw, 2 and 8 pitch up and down, 4 and 6 roll left and
// right.
constexpr int KEY_CENTRE = VK_NUMPAD0 + 5, KEY_PITCH_UP = VK_NUMPAD0 + 2, KEY_PITCH_DOWN = VK_NUMPAD0 + 8;
constexpr int KEY_ROLL_LEFT = VK_NUMPAD0 + 4, KEY_ROLL_RIGHT = VK_NUMPAD0 + 6;

// The key that takes the aircraft toward pitch want_pitch and bank want_bank (degrees), or 0 when
// nothing needs pressing. A wanted pitch below -90 asks for the nose to be left to itself: the yoke's
// pitch is let back toward centre from nose-up. The yoke is never pushed past 0.6 in pitch or 0.25
// in roll.
inline int yoke_key_toward(float want_pitch, float want_bank)
{
    if (want_pitch > -90.0f && flt.the[0] < want_pitch - 0.5f && set.MK_ptch < 0.6f) return KEY_PITCH_UP;
    if (want_pitch > -90.0f && flt.the[0] > want_pitch + 0.5f && set.MK_ptch > -0.6f) return KEY_PITCH_DOWN;
    if (want_pitch < -90.0f && set.MK_ptch > 0.01f) return KEY_PITCH_DOWN;
    if (flt.phi[0] < want_bank - 2.0f && set.MK_roll < 0.25f) return KEY_ROLL_RIGHT;
    if (flt.phi[0] > want_bank + 2.0f && set.MK_roll > -0.25f) return KEY_ROLL_LEFT;
    if (std::fabs(flt.phi[0] - want_bank) < 1.0f && set.MK_roll != 0.0f) return KEY_CENTRE;
    return 0;
}

// The key that brings the keyboard yoke back to the middle (for handing over to the autopilot),
// or 0 once it is there.
inline int yoke_centre_key(void)
{
    if (set.MK_ptch > 0.01f) return KEY_PITCH_DOWN;
    if (set.MK_ptch < -0.01f) return KEY_PITCH_UP;
    if (set.MK_roll != 0.0f || set.MK_hdng != 0.0f) return KEY_CENTRE;
    return 0;
}
