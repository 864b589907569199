// hl_drplane.cpp -- the aircraft's part geometry shared by the flight model and the designer.
#include "hl_drplane.h"

#include "hl_types.h"

#include <cmath>

namespace {

constexpr float DEG = 3.14159265358979f / 180.0f;

int is_left_lifting(int p) { return p == 4 || p == 6 || p == 8 || p == 10; }

}  // namespace

int have_this_part(int p, int a)
{
    const planestruct& pl = pln[a];
    if (p >= 0 && p <= 3) {
        if (pl.is_heli && p <= 1) return 1;
        return pl.numen > p && pl.entype != 4 && pl.entype != 5;
    }
    if (p >= 4 && p <= 13) {
        // A wing broken off above the never-exceed speed is gone for the rest of that flight.
        if (a == 0 && flt.over_vne && (p == 5 || p == 7 || p == 9)) return 0;
        return pl.semilen[p] > 0.05f;
    }
    if (p >= 14 && p <= 17) return pl.semilen[p] > 0.05f && pl.numen > p - 14;
    if (p == 18) return 1;
    if (p >= 19 && p <= 22) {
        if (!pl.nace_eq || pl.numen <= p - 19) return 0;
        return p == 19 || !pl.is_heli;
    }
    if (p == 23) return pl.misc_eq != 0;
    if (p == 24) return pl.misc_eq && pl.misc_X > 0.01f;
    if (p >= 25 && p <= 27) {
        if (p >= 26 && pl.gear_type == 2) return 1;
        return pl.fair_eq && pl.gear_type >= 3 && pl.gear_stat[p - 25];
    }
    return 0;
}

int f_body_s_dim(int p, int a)
{
    if (p >= 0 && p <= 3) {
        int blades = (int)pln[a].numblades[p];
        if (blades < 1) blades = 1;
        if (blades > 9) blades = 9;   // two sections a blade: the grid's 18 hold nine
        return 2 * blades;
    }
    if (p >= 4 && p <= 17) {
        int els = pln[a].els[p];
        if (els < 1) els = 1;
        if (els > 8) els = 8;
        return els + 1;
    }
    if (p == 18) return 11;
    return 7;
}

int f_body_r_dim(int p)
{
    if (p >= 0 && p <= 3) return 2;
    if (p >= 4 && p <= 17) return 12;
    if (p >= 25) return 8;
    return 16;
}

int latsign(int p, int a)
{
    if (is_left_lifting(p)) return -1;
    if ((p <= 3 || (p >= 14 && p <= 17)) && p >= 0 && pln[a].Xarm[p] < -0.05f) return -1;
    return 1;
}

float get_wing_rarm(int p, int e, int a)
{
    int els = pln[a].els[p];
    if (els < 1) return 0.0f;
    return ((float)e + 0.5f) / (float)els * pln[a].semilen[p];
}

float get_wing_Xarm(int p, float r, int a)
{
    const planestruct& pl = pln[a];
    return std::cos(pl.dihed[p] * DEG) * std::cos(pl.sweep1[p] * DEG) * r * (float)latsign(p, a) + pl.Xarm[p];
}

float get_wing_Yarm(int p, float r, int a)
{
    const planestruct& pl = pln[a];
    return std::sin(pl.dihed[p] * DEG) * std::cos(pl.sweep1[p] * DEG) * r + pl.Yarm[p];
}

float get_wing_Zarm(int p, float r, int a)
{
    const planestruct& pl = pln[a];
    return std::sin(pl.sweep1[p] * DEG) * r + pl.Zarm[p];
}

void get_body_os(int p, float* x, float* y, float* z, int a)
{
    const planestruct& pl = pln[a];
    *x = *y = *z = 0.0f;
    if ((p >= 0 && p <= 17) || (p >= 19 && p <= 22)) {
        int k = p >= 19 ? p - 19 : p;   // nacelles hang at their engines' arms
        *x = pl.Xarm[k];
        *y = pl.Yarm[k];
        *z = pl.Zarm[k];
    } else if (p == 23 || p == 24) {
        *x = p == 23 ? -pl.misc_X : pl.misc_X;
        *y = pl.misc_Y;
        *z = pl.misc_Z;
    } else if (p == 25) {
        *y = pl.ngearY;
        *z = pl.ngearZ;
    } else if (p == 26 || p == 27) {
        *x = p == 26 ? -pl.mgearX : pl.mgearX;
        *y = pl.mgearY;
        *z = pl.mgearZ;
    }
}
