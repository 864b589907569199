// keyboard.cpp -- the simulator's keyboard commands while no window is open.
#include "keyboard.h"

#include "hl_funct.h"
#include "hl_types.h"
#include "keys.h"

#include <cmath>

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

void function_key(int code)
{
    const planestruct& pl = pln[0];
    const float prop_step = (pl.omegamax - pl.omegamingreen) * 0.05f;
    if (set.eq_thr == 0) {
        switch (code) {
        case 28:
        case 29: {
            float step = code == 28 ? -1.0f : 1.0f;
            if (pl.is_heli) {
                float pitch = flt.proppitch[0] + step;
                for (int e = 0; e < 4; e++) flt.proppitch[e] = fltlim(pitch, pl.minpitch[e], pl.maxpitch[e]);
            } else {
                float t = flt.throrqst[0] + 0.05f * step;
                for (int e = 0; e < 4; e++) flt.throrqst[e] = t;
            }
            set.thro_pot = 0;
            break;
        }
        case 32:
        case 33: {
            float p = flt.prop[0] + (code == 32 ? -prop_step : prop_step);
            for (int e = 0; e < 4; e++) flt.prop[e] = p;
            break;
        }
        case 36:
        case 37: {
            float m = flt.mixt[0] + (code == 36 ? -0.05f : 0.05f);
            for (int e = 0; e < 4; e++) flt.mixt[e] = m;
            break;
        }
        default: break;
        }
    } else {
        // Split levers: the lower codes lower engine 1..4, the codes twelve above raise it.
        int base = code < 40 ? code : code - 12;
        float sign = code < 40 ? -1.0f : 1.0f;
        if (base >= 28 && base <= 31) {
            flt.throrqst[base - 28] += 0.05f * sign;
            set.thro_pot = 0;
        } else if (base >= 32 && base <= 35) {
            flt.prop[base - 32] += prop_step * sign;
        } else if (base >= 36 && base <= 39) {
            flt.mixt[base - 36] += 0.05f * sign;
        }
    }
    for (int e = 0; e < 4; e++) {
        flt.throrqst[e] = fltlim(flt.throrqst[e], 0.0f, 1.0f);
        flt.mixt[e] = fltlim(flt.mixt[e], 0.0f, 1.0f);
        flt.prop[e] = fltlim(flt.prop[e], pl.omegamingreen, pl.omegamax);
    }
}

void freeviews_keys(int code)
{
    atc_arrow_keys(code);   // while the controller's menu is up the arrows also move its selection
    const float pi = 3.14159265f, deg = pi / 180.0f;
    const float s = std::sin(scn.psi * deg), c = std::cos(scn.psi * deg);
    const float st = std::sin(scn.the * deg), ct = std::cos(scn.the * deg);
    const float step = 100.0f;
    switch (code) {
    case 25:
    case 26: {
        const float k = code == 25 ? 1.0f : -1.0f;
        msc.freeviewXZ = fltwrap(msc.freeviewXZ + k * msc.prd, 0.0f, 2.0f * pi);
        msc.spotview_X -= k * step * c;
        msc.spotview_Z -= k * step * s;
        break;
    }
    case 27:
    case 28: {
        const float k = code == 27 ? 1.0f : -1.0f;
        msc.freeviewY = fltlim(msc.freeviewY + k * msc.prd, -0.5f * pi, 0.5f * pi);
        msc.spotview_X += k * step * s * ct;
        msc.spotview_Y += k * step * st;
        msc.spotview_Z -= k * step * c * ct;
        break;
    }
    default: break;
    }
}
