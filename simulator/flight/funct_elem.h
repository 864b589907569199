// funct_elem.h -- the chain of an element's coefficients and force (airfoil look-up, Reynolds
// number and span blend, finite wing, ground effect, compressibility), inlined into the loops over
// the lifting elements and the blade elements so that a loop's running figures stay in registers
// instead of being saved around a call for every element. F_el_force_turned is the same chain
// behind a call.
#pragma once

#include "fltdump.h"
#include "fltgeom.h"
#include "fltmath.h"
#include "funct.h"
#include "hl_funct.h"
#include "hl_types.h"

#include <cmath>

namespace elem_chain {

inline const char* const rt_name[2] = {"ROOT", "TIP"};
inline const char* const re_name[2] = {"LOW", "HIGH"};

inline float limit_between(float x, float a, float b)
{
    return a <= b ? clampf(x, a, b) : clampf(x, b, a);
}

struct coeffs {
    float cl, cd, cm;
};

// What the chain of one part's elements shares in a sub-step, worked out once for them all.
struct part_chain {
    int one_foil;       // one airfoil file everywhere (and no dump): one look-up, no blends
    int feels_ground;   // the ground effect acts on the part's lift
    int slats_work;     // the slats' stretch is usable (slatted elements divide by it)
    float h;            // the slats' stretch of the angle of attack, 1 retracted
    float stall_at;     // deg, the element angle past which the part is stalled
    float warn_at;      // deg, the element angle past which the stall warning sounds; infinite where it cannot
};

inline part_chain chain_of(int p)
{
    const planestruct& pl = pln[0];
    part_chain pc;
    pc.one_foil = fgeo.single_foil[p] && !set.cycout;
    pc.feels_ground = pl.is_heli ? p == 0 : (p >= 4 && p <= 11);
    pc.h = 1.0f + (pl.slat_effect[p] - 1.0f) * flt.slat;
    pc.slats_work = pc.h > 1e-6f;
    pc.stall_at = pl.alpha_max[p] * pc.h;
    const int can_warn = !pl.is_heli && p >= 4 && p <= 11 && flt.vind > 0.3f * msc.est_Vs * con.msctokts;
    pc.warn_at = can_warn ? pl.alpha_max[p] * pc.h - 4.0f : HUGE_VALF;
    return pc;
}

// anyfoil's work, inlined into the element chain (one call per element) so its results stay in
// registers.
[[gnu::always_inline]] inline coeffs foil_at(float alpha, int p, int r, int k, int e, const part_chain& pc)
{
    const planestruct& pl = pln[0];
    const airfoilstruct& af = afl[0];
    const int dump = set.cycout;

    const float h = pc.h;
    float zl = af.al_zl[p][r][k];
    float a = pl.al_D_al0[p] * (alpha - zl);
    int slatted = pl.slat[p][e] != 0 && pc.slats_work;
    if (slatted) a /= h;
    float m = a + zl;

    // alpha_max is the part's stall angle as the finite wing meets it (the file's stall angle over
    // the finite-wing ratio), so it is compared with the element's own angle, not with the
    // reduced angle that reads the tables: the flag so rises where the lift peaks.
    flt.stalled[p] = alpha > pc.stall_at;
    if (alpha > pc.warn_at) flt.stallwarning = 1;

    float i = foil_index(m);
    int F = (int)i;
    int G = F + 1;
    float w = (float)G - i;   // weight of entry F
    const int pos = alpha > 0.0f;

    float c_l;
    if (std::fabs(m) < 10.0f) {
        c_l = m * af.clM[p][r][k] + af.clB[p][r][k];
    } else {
        const float* t = pos ? af.clpos[p][r][k] : af.clneg[p][r][k];
        c_l = t[F - 100] * w + t[G - 100] * (1.0f - w);
    }
    const float* td = pos ? af.cdpos[p][r][k] : af.cdneg[p][r][k];
    float c_d = td[F] * w + td[G] * (1.0f - w);

    // Moment: straight lines through (-90, 0.32), (-20, cm1), (cmal2, cm2), (cmal3, cm3),
    // (20, cm4), (90, -0.32).
    float a2 = af.cmal2[p][r][k], a3 = af.cmal3[p][r][k];
    float c_m;
    if (m >= a2 && m <= a3 && a3 > a2) c_m = lerp_at(a2, af.cm2[p][r][k], a3, af.cm3[p][r][k], m);
    else if (m > a3 && m < 20.0f && a3 < 20.0f) c_m = lerp_at(a3, af.cm3[p][r][k], 20.0f, af.cm4[p][r][k], m);
    else if (m > -20.0f && m < a2 && a2 > -20.0f) c_m = lerp_at(-20.0f, af.cm1[p][r][k], a2, af.cm2[p][r][k], m);
    else if (m >= 20.0f) c_m = lerp_at(20.0f, af.cm4[p][r][k], 90.0f, -0.32f, m);
    else if (m <= -20.0f) c_m = lerp_at(-90.0f, 0.32f, -20.0f, af.cm1[p][r][k], m);
    else c_m = af.cm2[p][r][k];   // a moment curve whose inner points coincide

    if (dump) {
        trk_printf("   These coefficients are using the %s, %s Reynolds number airfoil \n", rt_name[r], re_name[k]);
        if (slatted)
            trk_printf("   Alpha-ratio due to slats is %6.4f, and we rotate the lift-line about the zero-lift "
                       "alpha of %6.2f deg.\n", 1.0f / h, zl);
        trk_printf("   At an effective angle of attack (after finite-wing and slat alpha reduction) of %6.2f deg:\n", m);
        if (std::fabs(m) >= 10.0f) {
            trk_printf("      We look up lift, drag, and moment coefficients in tables to get cl=%7.4f, cd=%7.4f "
                       "cm=%7.4f\n", c_l, c_d, c_m);
        } else {
            trk_printf("      We use straight-line lift and moment curves to get cl=%7.4f, cm=%7.4f\n", c_l, c_m);
            trk_printf("      We look up drag coefficients in tables to get cd=%7.4f\n", c_d);
        }
    }
    if (slatted) {
        c_l *= h;
        if (dump)
            trk_printf("   Slats are boosting the resulting lift by %6.2f%%, to a value of %7.4f\n",
                       100.0f * (h - 1.0f), c_l);
    }
    return {c_l, c_d, c_m};
}

// Fco_subsonic's work at the element's Mach number ml, inlined into the element chain.
[[gnu::always_inline]] inline coeffs subsonic_at(float dcl, float dcd, float dcm, float ml, int p, int e,
                                                const part_chain& pc)
{
    const planestruct& pl = pln[0];
    const airfoilstruct& af = afl[0];
    const int dump = set.cycout;
    const float alpha = flt.alpha[p][e];

    // [root/tip][low/high] results; repeated files are looked up once.
    float L[2][2], D[2][2], Mo[2][2];
    float c_l, c_d, c_m, f = fgeo.span_frac[p][e], re = 0.0f;
    if (pc.one_foil) {
        // One file everywhere: no blend by Reynolds number or along the span.
        const coeffs one = foil_at(alpha, p, 0, 0, e, pc);
        c_l = one.cl;
        c_d = one.cd;
        c_m = one.cm;
    } else {
        anyfoil(alpha, &L[0][0], &D[0][0], &Mo[0][0], p, 0, 0, e);
        if (fgeo.same_foil[p][0]) {
            L[1][0] = L[0][0]; D[1][0] = D[0][0]; Mo[1][0] = Mo[0][0];
        } else {
            anyfoil(alpha, &L[1][0], &D[1][0], &Mo[1][0], p, 1, 0, e);
        }
        if (fgeo.same_foil[p][1]) {
            L[0][1] = L[0][0]; D[0][1] = D[0][0]; Mo[0][1] = Mo[0][0];
        } else {
            anyfoil(alpha, &L[0][1], &D[0][1], &Mo[0][1], p, 0, 1, e);
        }
        if (fgeo.same_foil[p][2]) {
            L[1][1] = L[1][0]; D[1][1] = D[1][0]; Mo[1][1] = Mo[1][0];
        } else {
            anyfoil(alpha, &L[1][1], &D[1][1], &Mo[1][1], p, 1, 1, e);
        }

        // Reynolds number (millions) of the element, blended per end between its two airfoils.
        re = con.muair > 0.0f ? flt.v_el[p][e] * atm.rho * pl.mac[p][e] / con.muair / 1e6f : 0.0f;
        float lc[2], dc[2], mc[2];
        for (int r = 0; r < 2; r++) {
            float lo = af.Re[p][r][0], hi = af.Re[p][r][1];
            float w = 0.0f;
            if (!fgeo.single_re[p][r] && std::fabs(hi - lo) > 1e-6f) w = (limit_between(re, lo, hi) - lo) / (hi - lo);
            lc[r] = L[r][0] + (L[r][1] - L[r][0]) * w;
            dc[r] = D[r][0] + (D[r][1] - D[r][0]) * w;
            mc[r] = Mo[r][0] + (Mo[r][1] - Mo[r][0]) * w;
        }
        c_l = lc[0] + (lc[1] - lc[0]) * f;
        c_d = dc[0] + (dc[1] - dc[0]) * f;
        c_m = mc[0] + (mc[1] - mc[0]) * f;
    }

    if (dump) {
        trk_printf("                   element center=%5.1f%% of span.\n", 100.0f * f);
        trk_printf("                   flight RE=%6.3f\n", re);
        const char* heads[3] = {"CL", "CD", "CM"};
        float (*tabs[3])[2] = {L, D, Mo};
        float res[3] = {c_l, c_d, c_m};
        const char* names[3] = {"cl", "cd", "cm"};
        for (int t = 0; t < 3; t++) {
            trk_printf("%s Coeff summary:  ---------- --root--  --tip---\n", heads[t]);
            trk_printf("                   reyno 1   %8.4f  %8.4f\n", tabs[t][0][0], tabs[t][1][0]);
            trk_printf("                   reyno 2   %8.4f  %8.4f |======>resultant %s=%7.4f\n",
                       tabs[t][0][1], tabs[t][1][1], names[t], res[t]);
        }
        if (dcl != 0.0f) trk_printf("   adding control-effects cl of %7.4f\n", dcl);
        if (dcd != 0.0f) trk_printf("   adding control-effects cd of %7.4f\n", dcd);
        if (dcm != 0.0f) trk_printf("   adding control-effects cm of %7.4f\n", dcm);
    }
    c_l += dcl;
    c_d += dcd;
    c_m += dcm;

    c_l *= pl.cl_D_cl0[p];
    c_m *= pl.cm_D_cm0[p];
    if (dump) {
        trk_printf("   finite-wing lift   multiplier=%6.4f\n", pl.cl_D_cl0[p]);
        trk_printf("   finite-wing moment multiplier=%6.4f\n", pl.cm_D_cm0[p]);
    }

    float cdi = c_l * c_l * fgeo.cdi_factor[p];
    if (c_l > 0.0f && pc.feels_ground) {
        cdi *= flt.CDIgrndeffect[p];
        c_l *= flt.CL_grndeffect[p];
        if (dump) {
            trk_printf("   ground effect cdi  multiplier=%6.4f\n", flt.CDIgrndeffect[p]);
            trk_printf("   ground effect cl   multiplier=%6.4f\n", flt.CL_grndeffect[p]);
        }
    }
    c_d += cdi;
    if (dump) trk_printf("   adding cdi of %7.4f\n", cdi);

    // Compressibility: Prandtl-Glauert up to Mach 0.8, drag divergence above the lift-dependent
    // critical Mach number. The divergence Mach number falls with the size of the lift whichever
    // its sign, so no drag is added below it.
    float mcomp = clampf(ml, 0.0f, 0.8f);
    float pg = 1.0f / std::sqrt(1.0f - mcomp * mcomp);
    c_l *= pg;
    c_m *= pg;
    if (dump) {
        trk_printf("   local mach#=%6.4f\n", ml);
        trk_printf("   Prandtl-Glauert cl mult by %6.4f\n", pg);
        trk_printf("   Prandtl-Glauert cm mult by %6.4f\n", pg);
    }
    float mdd = 0.8f - 0.2f * std::fabs(c_l);
    if (ml > mdd && mcomp > mdd) {
        float inc = 2.5f * sqr(mcomp - mdd);
        c_d += inc;
        if (dump) trk_printf("   drag divergent mach number exceeded, cd incremented by %7.4f\n", inc);
    }

    if (pl.delta_fac[p] != 0.0f) {
        float dm = -0.25f * pl.delta_fac[p] * c_l;
        c_m += dm;
        if (dump) trk_printf("   delta-wing moment change adds cm of %7.4f\n", dm);
    }

    if (flt.frame_ice > 0.001f) {
        c_l /= 1.0f + 0.5f * flt.frame_ice;
        c_d *= 1.0f + 4.0f * flt.frame_ice;
        if (dump) trk_printf("WARNING! ICE IS CHANGING THE COEFFICIENTS!\n");
    }
    if (dump) trk_printf("   FINAL LOCAL-VELOCITY COEFFICIENTS: cl=%7.4f, cd=%7.4f, cm=%7.4f\n", c_l, c_d, c_m);
    return {c_l, c_d, c_m};
}

// F_el_force_turned with the part's shares pc.
[[gnu::always_inline]] inline float force_turned(float dcl, float dcd, float dcm, float* lift, float* drag, float* moment, int p,
                                                 int e, float s, float c, const part_chain& pc)
{
    float cl, cd, cm;
    // The element meets the air at its own speed: the flow across its span, slowed by the sweep of
    // a wing, does not take part. So a swept wing stays subsonic past the aircraft's Mach 1 (its
    // drag rise comes later), and meets the shock waves' drag at its own, lower supersonic Mach.
    const float ml = element_mach(p, e);
    float w = supersonic_share(ml);
    if (w <= 0.0f) {
        const coeffs sub = subsonic_at(dcl, dcd, dcm, ml, p, e, pc);
        cl = sub.cl;
        cd = sub.cd;
        cm = sub.cm;
    } else if (w >= 1.0f) {
        Fco_supersonic(dcl, dcd, dcm, &cl, &cd, &cm, p, e);
    } else {
        // Transonic: the airfoil tables hand over to the flat plates.
        float sl, sd, sm;
        Fco_subsonic(dcl, dcd, dcm, &cl, &cd, &cm, p, e);
        Fco_supersonic(dcl, dcd, dcm, &sl, &sd, &sm, p, e);
        cl += (sl - cl) * w;
        cd += (sd - cd) * w;
        cm += (sm - cm) * w;
    }

    float clr = cl * c + cd * s;
    float cdr = cd * c - cl * s;
    float v = flt.v_el[p][e];
    float qs = v * v * pln[0].s[p][e] * atm.rho * 0.5f;
    *lift = clr * qs;
    *drag = cdr * qs;
    *moment = cm * qs * pln[0].mac[p][e];

    if (set.cycout) {
        if (flt.deldir[p][e] != 0.0f) {
            trk_printf("\n   This element has an infinite flow-direction modification of %3.1f deg.\n", flt.deldir[p][e]);
            trk_printf("   This rotates the lift and drag vectors through the infinite flow-modification angle.\n");
            trk_printf("   This rotation turns the initial cl of %6.4f and cd of %5.4f along the direction of the "
                       "flight path\n", cl, cd);
            trk_printf("   to the new values of cl=%6.4f and cd=%5.4f along the direction of the flight path.\n\n",
                       clr, cdr);
        }
        trk_printf("   force=coeff*S*V*V*rho/2.0\n");
        trk_printf("   lift=%8.4f* %6.2f* sqr(%6.1f) * %5.4f / 2         =%8.0f N.\n", clr, pln[0].s[p][e], v,
                   atm.rho, *lift);
        trk_printf("   drag=%8.4f* %6.2f* sqr(%6.1f) * %5.4f / 2         =%8.0f N.\n", cdr, pln[0].s[p][e], v,
                   atm.rho, *drag);
        trk_printf("   momt=%8.4f* %6.2f* sqr(%6.1f) * %5.4f / 2 * %5.2f=%8.0f N-m.\n\n", cm, pln[0].s[p][e], v,
                   atm.rho, pln[0].mac[p][e], *moment);
    }
    return cl;
}

}  // namespace elem_chain
