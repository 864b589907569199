// replay.cpp -- the frame callback and the replay of the recorded flight path.
#include "replay.h"

#include "das.h"
#include "fltframe.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "map.h"
#include "output.h"
#include "setwin.h"

namespace {

constexpr float DAY = 86400.0f;   // s, the clocks wrap at a day

// b - a for two times of day, taken the short way round midnight: a point recorded at 86399.9 s
// and the next one at 0.05 s are 0.15 s apart.
float day_difference(float a, float b) { return fltwrap(b - a, -0.5f * DAY, 0.5f * DAY); }

// The per-frame routine of window 1..25.
void (*const window_routine[26])(void) = {
    nullptr,    manage_id_, manage_nam, manage_map, manage_wrl, manage_lat, manage_whr,
    manage_dat, manage_ser, manage_tim, manage_ogl, manage_spa, manage_atm, manage_gnd,
    manage_wat, manage_flt, manage_wgt, manage_rel, manage_ins, manage_eqp, manage_snd,
    manage_wrn, manage_grf, manage_iso, manage_map, manage_pln,
};

// The user's aircraft at fraction u between recorded points a and b, moving at the replay's speed.
void place_between(const float* a, const float* b, float u, float span, float speed)
{
    flt.X[0] = a[0] + u * (b[0] - a[0]);
    flt.Y[0] = a[1] + u * (b[1] - a[1]);
    flt.Z[0] = a[2] + u * (b[2] - a[2]);
    flt.the[0] = fltwrap(a[3] + u * fltwrap(b[3] - a[3], -180.0f, 180.0f), -180.0f, 180.0f);
    flt.psi[0] = fltwrap(a[4] + u * fltwrap(b[4] - a[4], -180.0f, 180.0f), 0.0f, 360.0f);
    flt.phi[0] = fltwrap(a[5] + u * fltwrap(b[5] - a[5], -180.0f, 180.0f), -180.0f, 180.0f);
    // Two points recorded at the same time give no velocity: the last one stays.
    if (span > 0.0f) {
        flt.vX = speed * (b[0] - a[0]) / span;
        flt.vY = speed * (b[1] - a[1]) / span;
        flt.vZ = speed * (b[2] - a[2]) / span;
    }
}

}  // namespace

float replay_speed(int mode)
{
    static const float factor[8] = {0.0f, -5.0f, -1.0f, -0.2f, 0.0f, 0.2f, 1.0f, 5.0f};
    return mode >= 1 && mode <= 7 ? factor[mode] : 0.0f;
}

void replay_step(void)
{
    // Reads: set.replay_mode, pat, msc.prd. Writes: pat.time_play, flt.X/Y/Z/the/psi/phi[0],
    // flt.vX/vY/vZ, set.replay_mode.
    const float speed = replay_speed(set.replay_mode);
    const float t = pat.time_play + msc.prd * speed;
    int found = 0;
    for (int i = 0; i < PATH_POINTS; i++) {
        const int j = intwrap(i + 1, 0, PATH_POINTS - 1);
        if (!pat.inited[i] || !pat.inited[j]) continue;
        const float* a = pat.xyztppt[i];
        const float* b = pat.xyztppt[j];
        const float span = day_difference(a[6], b[6]);
        const float into = day_difference(a[6], t);
        if (span < 0.0f || into < 0.0f || into > span) continue;
        // A later bracket overwrites an earlier one.
        place_between(a, b, span > 0.0f ? into / span : 0.0f, span, speed);
        found = 1;
    }
    if (found) {
        pat.time_play = fltwrap(t, 0.0f, DAY);
    } else {
        set.replay_mode = 4;
    }
}

void kestrova_update(void)
{
    if (mnw.topwin == 0) {
        das_frame_mouse();
        if (set.replay_mode == 0 && msc.paused == 0) update_flight();
        if (set.replay_mode != 0) replay_step();
    }
    // A window is fresh in the first pass its routine runs after opening: every opening passes
    // through the empty screen (the menus), where no routine runs.
    static int shown = 0;
    if (mnw.topwin >= 1 && mnw.topwin <= 25) {
        window_fresh = shown != mnw.topwin;
        shown = mnw.topwin;
        window_routine[mnw.topwin]();
    } else {
        shown = 0;
    }
}
