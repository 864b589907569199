// flight_world.h -- test support for the controls and start tests: the harness's flat world with
// the simulator's own controls step, a loaded aircraft, gravity and the stick settings a fresh
// program has, and a start through set_fltvars.
#pragma once
#include "controls.h"
#include "flight_harness.h"
#include "hl_types.h"
#include "startpos.h"

#include <kvtest.h>

#include <cmath>

// The world with the aircraft loaded; 1 on success. The flat ground lies at ground_h.
inline int flight_world(const char* acf = FH_TRAINER, float ground_h = 0.0f, float prd = 0.05f)
{
    fh_world_options o;
    o.ground_h = ground_h;
    o.prd = prd;
    o.controls = update_controls;
    o.pedals = 0;   // a fresh program has no pedals: the yoke steers on the ground
    fh_world(o);
    controls_restart();
    clear_recorded_alerts();
    atm.g = con.muearth / (con.rearth * con.rearth);
    // No stick: the keyboard and the mouse fly, with a plain response.
    set.controls_type = -1;
    set.joy_rat_ptch = set.joy_rat_roll = set.joy_rat_hdng = 1.0f;
    int ok = fh_load(fh_bundled(acf));
    clear_recorded_alerts();
    return ok;
}

// A custom start in the air: height above the flat ground (m), speed (m/s), heading (degrees).
inline void start_in_air(float height, float speed, float heading)
{
    set.cus_X = env.dx * 0.5f;
    set.cus_Z = env.dz * 0.5f;
    set.cus_Y = planexyz[0][0][1] + height;
    set.cus_psi = heading;
    set.cus_v = speed;
    set_fltvars(START_CUSTOM, 0);
}

// Every value of the controls' outputs is finite.
inline bool controls_finite(void)
{
    const float v[] = {set.YK_ptch, set.YK_roll, set.YK_hdng, set.FC_ptch, set.FC_roll, set.FC_hdng,
                       flt.lailndef, flt.railndef, flt.lsplrdef, flt.rsplrdef, flt.lhstbdef, flt.rhstbdef,
                       flt.ldruddef, flt.rdruddef, flt.ruddef, flt.elv_trim, flt.throrqst[0], flt.throrqst[3],
                       flt.proppitch[0], flt.proppitch[1], flt.vertcant[0], flt.sidecant[0]};
    for (float x : v)
        if (!std::isfinite(x)) return false;
    return true;
}
