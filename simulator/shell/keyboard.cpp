// keyboard.cpp -- the simulator's keyboard commands while no window is open.
#include "keyboard.h"

#include "hl_funct.h"
#include "hl_types.h"
#include "key_table.h"
#include "keys.h"

#include <cmath>

void yoke_key(int code)
{
    int n;
    const yoke_key_entry* keys = yoke_keys(&n);
    for (int i = 0; i < n; i++) {
        const yoke_key_entry& k = keys[i];
        if (k.code != code) continue;
        if (k.centre) set.MK_roll = set.MK_hdng = 0.0f;
        set.MK_ptch += k.d_ptch;
        set.MK_roll += k.d_roll;
        set.MK_hdng += k.d_hdng;
    }
    set.MK_ptch = fltlim(set.MK_ptch, -1.0f, 1.0f);
    set.MK_roll = fltlim(set.MK_roll, -1.0f, 1.0f);
    set.MK_hdng = fltlim(set.MK_hdng, -1.0f, 1.0f);
}

void function_key(int code)
{
    const planestruct& pl = pln[0];
    const float prop_step = (pl.omegamax - pl.omegamingreen) * 0.05f;
    lever_kind lever;
    int engine, dir;
    if (lever_of_code(code, set.eq_thr != 0, &lever, &engine, &dir)) {
        if (engine < 0) {
            // One lever: every engine goes to engine 1's setting moved a step.
            switch (lever) {
            case LEVER_THROTTLE:
                if (pl.is_heli) {
                    float pitch = flt.proppitch[0] + (float)dir;
                    for (int e = 0; e < 4; e++) flt.proppitch[e] = fltlim(pitch, pl.minpitch[e], pl.maxpitch[e]);
                } else {
                    float t = flt.throrqst[0] + 0.05f * (float)dir;
                    for (int e = 0; e < 4; e++) flt.throrqst[e] = t;
                }
                set.thro_pot = 0;
                break;
            case LEVER_PROP: {
                float p = flt.prop[0] + prop_step * (float)dir;
                for (int e = 0; e < 4; e++) flt.prop[e] = p;
                break;
            }
            case LEVER_MIXTURE: {
                float m = flt.mixt[0] + 0.05f * (float)dir;
                for (int e = 0; e < 4; e++) flt.mixt[e] = m;
                break;
            }
            }
        } else {
            switch (lever) {
            case LEVER_THROTTLE:
                flt.throrqst[engine] += 0.05f * (float)dir;
                set.thro_pot = 0;
                break;
            case LEVER_PROP: flt.prop[engine] += prop_step * (float)dir; break;
            case LEVER_MIXTURE: flt.mixt[engine] += 0.05f * (float)dir; break;
            }
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
