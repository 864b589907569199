// keyboard.cpp -- the simulator's keyboard commands while no window is open.
#include "keyboard.h"

#include "hl_funct.h"
#include "hl_types.h"

void yoke_key(int code)
{
    switch (code) {
    case 0: set.MK_roll = set.MK_hdng = 0.0f; break;
    case 1: set.MK_ptch += 0.05f; break;
    case 2: set.MK_ptch -= 0.05f; break;
    case 3: set.MK_roll -= 0.1f; break;
    case 4: set.MK_roll += 0.1f; break;
    case 5: set.MK_hdng -= 0.1f; break;
    case 6: set.MK_hdng += 0.1f; break;
    default: break;
    }
    set.MK_ptch = fltlim(set.MK_ptch, -1.0f, 1.0f);
    set.MK_roll = fltlim(set.MK_roll, -1.0f, 1.0f);
    set.MK_hdng = fltlim(set.MK_hdng, -1.0f, 1.0f);
}
