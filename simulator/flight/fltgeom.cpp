// fltgeom.cpp -- load-time geometry of the user's aircraft for the per-sub-step flight code.
#include "fltgeom.h"

#include "contact.h"
#include "fltmath.h"

#include "hl_drplane.h"
#include "hl_types.h"

#include <cmath>
#include <cstring>

fltgeomstruct fgeo;

void flt_prepare(void)
{
    const planestruct& pl = pln[0];
    std::memset(&fgeo, 0, sizeof fgeo);
    const float pi = 3.14159265358979f;
    for (int p = 0; p < 18; p++) {
        int els = pl.els[p];
        if (els < 0) els = 0;
        if (els > 8) els = 8;
        fgeo.els[p] = els;
        fgeo.sin_dihed[p] = std::sin(pl.dihed[p] * pi / 180.0f);
        fgeo.cos_dihed[p] = std::cos(pl.dihed[p] * pi / 180.0f);
        fgeo.side[p] = (p == 4 || p == 6 || p == 8 || p == 10) ? -1.0f : 1.0f;
        for (int e = 0; e < els; e++) {
            float r = get_wing_rarm(p, e, 0);
            fgeo.el_r[p][e] = r;
            fgeo.el_x[p][e] = get_wing_Xarm(p, r, 0);
            fgeo.el_y[p][e] = get_wing_Yarm(p, r, 0);
            fgeo.el_z[p][e] = get_wing_Zarm(p, r, 0);
            fgeo.span_frac[p][e] = ((float)e + 0.5f) / (float)els;
            fgeo.sin_inc[p][e] = std::sin(pl.anginc[p][e] * (pi / 180.0f));
            fgeo.cos_inc[p][e] = std::cos(pl.anginc[p][e] * (pi / 180.0f));
            fgeo.wash_props[p][e] = 0;
            for (int k = 0; k < 4; k++)
                if (pl.in_propwash[p][k][e]) fgeo.wash_props[p][e] |= 1 << k;
        }
        fgeo.same_foil[p][0] = std::strcmp(pl.Tafl0[p], pl.Rafl0[p]) == 0;
        fgeo.same_foil[p][1] = std::strcmp(pl.Rafl1[p], pl.Rafl0[p]) == 0;
        fgeo.same_foil[p][2] = std::strcmp(pl.Tafl1[p], pl.Tafl0[p]) == 0;
        fgeo.single_re[p][0] = fgeo.same_foil[p][1];
        fgeo.single_re[p][1] = fgeo.same_foil[p][2];
        fgeo.single_foil[p] = fgeo.same_foil[p][0] && fgeo.same_foil[p][1] && fgeo.same_foil[p][2];
        if (p >= 4) {
            fgeo.tip[p][0] = get_wing_Xarm(p, pl.semilen[p], 0);
            fgeo.tip[p][1] = get_wing_Yarm(p, pl.semilen[p], 0);
            fgeo.tip[p][2] = get_wing_Zarm(p, pl.semilen[p], 0);
        }
        float den = pl.e[p] * pi * pl.AR[p];
        fgeo.cdi_factor[p] = den > 1e-6f ? 1.0f / den : 0.0f;
    }
    for (int p = 4; p <= 11; p++)
        for (int e = 0; e < 8; e++)
            for (int k = 4; k <= 11; k++)
                if (pl.in_downwash[p][k][e]) fgeo.dw_source[p][e][fgeo.dw_count[p][e]++] = k;
    for (int p = 4; p <= 11; p++)
        for (int e = 0; e < 8; e++)
            if (fgeo.dw_count[p][e] > 0) fgeo.dw_elem[fgeo.dw_elems++] = p * 8 + e;
    {
        const int ns = f_body_s_dim(18, 0), nr = f_body_r_dim(18);
        float zmin = 1e30f, zmax = -1e30f;
        for (int s = 0; s < ns; s++)
            for (int r = 0; r < nr; r++) {
                zmin = std::fmin(zmin, pl.body_Z[18][s][r]);
                zmax = std::fmax(zmax, pl.body_Z[18][s][r]);
            }
        const float len = zmax - zmin;
        fgeo.fuse_wave_cd = len > 0.1f ? 4.5f * pi * pl.fuse_s_frn / (len * len) : 0.0f;
    }
    const float base = clampf(1.0f - 2.306e-5f * pl.critalt, 0.0f, 1.0f);
    fgeo.boost = 1.0f - std::pow(base, 4.14f);
    for (int b = 18; b <= 24; b++) {
        int ns = f_body_s_dim(b, 0);
        int nr = f_body_r_dim(b);
        fgeo.stations[b] = ns;
        fgeo.points[b] = nr;
        get_body_os(b, &fgeo.body_os[b][0], &fgeo.body_os[b][1], &fgeo.body_os[b][2], 0);
        for (int s = 0; s < ns; s++) {
            // The lowest points in the aircraft's own frame, ordered by height.
            int best[3] = {0, 0, 0};
            float h[3] = {1e30f, 1e30f, 1e30f};
            for (int r = 0; r < nr; r++) {
                float y = pl.body_Y[b][s][r];
                for (int k = 0; k < 3; k++) {
                    if (y < h[k]) {
                        for (int m = 2; m > k; m--) {
                            h[m] = h[m - 1];
                            best[m] = best[m - 1];
                        }
                        h[k] = y;
                        best[k] = r;
                        break;
                    }
                }
            }
            fgeo.low_point[b][s] = best[0];
            fgeo.body_low[b][s][0] = pl.body_X[b][s][best[0]] + fgeo.body_os[b][0];
            fgeo.body_low[b][s][1] = pl.body_Y[b][s][best[0]] + fgeo.body_os[b][1];
            fgeo.body_low[b][s][2] = pl.body_Z[b][s][best[0]] + fgeo.body_os[b][2];
            for (int k = 0; k < 3; k++) {
                const int r = best[k];
                fgeo.low3[b][s][k] = r;
                fgeo.float_at[b][s][k][0] = pl.body_X[b][s][r] + fgeo.body_os[b][0];
                fgeo.float_at[b][s][k][1] = pl.body_Y[b][s][r] + fgeo.body_os[b][1];
                fgeo.float_at[b][s][k][2] = pl.body_Z[b][s][r] + fgeo.body_os[b][2];
                float_patch(b, s, r, fgeo.float_patch[b][s][k]);
            }
        }
        for (int c = 0; c < 3; c++) {
            float lo = HUGE_VALF, hi = -HUGE_VALF;
            for (int s = 0; s < ns; s++)
                for (int k = 0; k < 3; k++) {
                    lo = std::fmin(lo, fgeo.float_at[b][s][k][c]);
                    hi = std::fmax(hi, fgeo.float_at[b][s][k][c]);
                }
            fgeo.float_box[b][0][c] = lo;
            fgeo.float_box[b][1][c] = hi;
        }
    }
}
