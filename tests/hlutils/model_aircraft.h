// model_aircraft.h -- a small aircraft record in memory units (metres, degrees) for the model's
// tests: one engine with a two-bladed propeller on the nose, a straight wing with ailerons on its
// outer elements and flaps inboard, a tail with elevator and rudder, a round fuselage and a
// tricycle gear with fairings.
#pragma once
#include "hl_types.h"

#include <cmath>
#include <cstdio>

inline void mdl_section(planestruct& pl, int b, int s, float z, float r, float yc)
{
    const int nr = b >= 25 ? 8 : 16;
    for (int k = 0; k < nr; k++) {
        const float a = 2.0f * 3.14159265f * (float)k / (float)nr;
        pl.body_X[b][s][k] = r * std::sin(a);
        pl.body_Y[b][s][k] = yc + r * std::cos(a);
        pl.body_Z[b][s][k] = z;
    }
}

inline void mdl_wing(planestruct& pl, int p, int els, float x, float y, float z, float croot, float ctip,
                     float semilen, float sweep, float dihed, float trat)
{
    pl.els[p] = els;
    pl.Xarm[p] = x;
    pl.Yarm[p] = y;
    pl.Zarm[p] = z;
    pl.Croot[p] = croot;
    pl.Ctip[p] = ctip;
    pl.semilen[p] = semilen;
    pl.sweep1[p] = sweep;
    pl.dihed[p] = dihed;
    afl[0].trat[p][0] = afl[0].trat[p][1] = trat;
}

// Fills pln[0] and afl[0] with the test aircraft; C_path is `path`.
inline void mdl_aircraft(const char* path)
{
    planestruct& pl = pln[0];
    std::snprintf(pl.C_path, sizeof pl.C_path, "%s", path);
    pl.numen = 1;
    pl.entype = 0;
    pl.numblades[0] = 2;
    pl.propdir[0] = 1;
    pl.Xarm[0] = 0.0f;
    pl.Yarm[0] = 0.0f;
    pl.Zarm[0] = -4.0f;
    pl.Croot[0] = 0.2f;
    pl.Ctip[0] = 0.1f;
    pl.semilen[0] = 1.0f;
    // Wing: 5 m a side, chord 1.6 at the root and 1.0 at the tip, 12 % thick.
    mdl_wing(pl, 4, 4, -0.5f, 0.5f, -0.5f, 1.6f, 1.0f, 5.0f, 0.0f, 0.0f, 0.12f);
    mdl_wing(pl, 5, 4, 0.5f, 0.5f, -0.5f, 1.6f, 1.0f, 5.0f, 0.0f, 0.0f, 0.12f);
    for (int p = 4; p <= 5; p++) {
        pl.flap[p][0] = pl.flap[p][1] = 1;
        pl.ailn[p][2] = pl.ailn[p][3] = 1;
    }
    pl.ailn_crat = 0.3f;
    pl.elev_crat = 0.4f;
    pl.rudd_crat = 0.35f;
    mdl_wing(pl, 10, 2, -0.2f, 0.3f, 4.5f, 1.0f, 0.7f, 1.8f, 0.0f, 0.0f, 0.09f);
    mdl_wing(pl, 11, 2, 0.2f, 0.3f, 4.5f, 1.0f, 0.7f, 1.8f, 0.0f, 0.0f, 0.09f);
    for (int p = 10; p <= 11; p++) pl.elev[p][0] = pl.elev[p][1] = 1;
    mdl_wing(pl, 12, 2, 0.0f, 0.5f, 4.5f, 1.2f, 0.7f, 1.5f, 0.0f, 90.0f, 0.09f);
    pl.rudd[12][0] = pl.rudd[12][1] = 1;
    // Fuselage: 11 round sections of radius 0.6 from z = -4 to z = 5.
    for (int s = 0; s < 11; s++) mdl_section(pl, 18, s, -4.0f + 0.9f * (float)s, s == 0 || s == 10 ? 0.2f : 0.6f, 0.0f);
    pl.gear_type = 3;
    pl.fair_eq = 1;
    pl.gear_stat[0] = pl.gear_stat[1] = pl.gear_stat[2] = 1;
    pl.ngearY = -1.2f;
    pl.ngearZ = -3.0f;
    pl.mgearX = 1.2f;
    pl.mgearY = -1.2f;
    pl.mgearZ = 0.5f;
    pl.wheelrad = 0.25f;
    for (int b = 25; b <= 27; b++)
        for (int s = 0; s < 7; s++) mdl_section(pl, b, s, -0.4f + 0.13f * (float)s, 0.15f, 0.3f);
}
