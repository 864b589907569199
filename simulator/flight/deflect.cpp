// deflect.cpp -- the flight-control commands into surface deflections, the tail rotor and the
// thrust lines.
#include "deflect.h"

#include "hl_funct.h"
#include "hl_types.h"

// The three commands into every surface (degrees; positive aileron and spoiler values raise
// the trailing edge), the tail rotor and the thrust lines.
void deflect_surfaces(void)
{
    const planestruct& pl = pln[0];
    float p = set.FC_ptch, r = set.FC_roll, y = set.FC_hdng;

    if (r < 0.0f) {
        flt.lailndef = -r * pl.ailn_up;
        flt.railndef = r * pl.ailn_dn;
    } else {
        flt.lailndef = -r * pl.ailn_dn;
        flt.railndef = r * pl.ailn_up;
    }
    float mix = pl.ailpitch * p - pl.ailflaps * flt.flap;   // elevons and drooped ailerons
    flt.lailndef += mix;
    flt.railndef += mix;

    flt.lsplrdef = r < 0.0f ? -r * pl.splr_def : 0.0f;
    flt.rsplrdef = r < 0.0f ? 0.0f : r * pl.splr_def;

    // Only the drag rudder on the side of the turn opens.
    flt.ldruddef = fltlim(-y * pl.drud_def, 0.0f, 9.9e9f);
    flt.rdruddef = fltlim(y * pl.drud_def, 0.0f, 9.9e9f);

    // A foreplane (left stabiliser ahead of the centre of gravity) moves against a tail's sign.
    float e;
    if (pl.Zarm[10] < 0.0f) e = p > 0.0f ? -p * pl.elev_dn : -p * pl.elev_up;
    else e = p > 0.0f ? p * pl.elev_up : p * pl.elev_dn;
    flt.lhstbdef = e + y * pl.stabhdng - r * pl.stabroll;
    flt.rhstbdef = e + r * pl.stabroll - y * pl.stabhdng;

    flt.ruddef = -y * pl.rudd_def;

    // The tail rotor's blade pitch follows the pedals. Only a helicopter has one: on any other
    // aircraft engine 2's propeller keeps its own pitch.
    if (pl.is_heli) {
        flt.proppitch[1] = pl.propdir[0] > 0 ? interp(-1.0f, pl.maxpitch[1], 1.0f, pl.minpitch[1], y)
                                             : interp(-1.0f, pl.minpitch[1], 1.0f, pl.maxpitch[1], y);
    }

    for (int i = 0; i < 4; i++) {
        flt.vertcant[i] = pl.vertcant[i];
        flt.sidecant[i] = pl.sidecant[i];
    }
    if (pl.is_heli) {
        flt.vertcant[0] += pl.elevcyclic * p;
        flt.sidecant[0] += pl.ailncyclic * r;
    }
    if (pl.vectEQ && pl.entype != 4 && pl.entype != 5) {
        for (int i = 0; i < 2; i++) {
            flt.vertcant[i] += pl.elevcyclic * p;
            flt.sidecant[i] += pl.ailncyclic * r;
        }
    }
}
