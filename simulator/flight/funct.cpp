// funct.cpp -- airfoil coefficients and element forces.
#include "funct.h"

#include "fltdump.h"
#include "fltgeom.h"
#include "fltmath.h"
#include "funct_elem.h"
#include "hl_funct.h"
#include "hl_types.h"

#include <cmath>

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float DEG = PI / 180.0f;

}  // namespace

void anyfoil(float alpha, float* cl, float* cd, float* cm, int p, int r, int k, int e)
{
    const elem_chain::coeffs c = elem_chain::foil_at(alpha, p, r, k, e, elem_chain::chain_of(p));
    *cl = c.cl;
    *cd = c.cd;
    *cm = c.cm;
}

void Fco_subsonic(float dcl, float dcd, float dcm, float* cl, float* cd, float* cm, int p, int e)
{
    const elem_chain::coeffs c = elem_chain::subsonic_at(dcl, dcd, dcm, element_mach(p, e), p, e, elem_chain::chain_of(p));
    *cl = c.cl;
    *cd = c.cd;
    *cm = c.cm;
}

void supersonic_flatplate(float alpha, float* cl, float* cd, float mach, float weight)
{
    float a = alpha * DEG;
    float root = std::sqrt(mach * mach - 1.0f);
    if (root < 1e-3f) root = 1e-3f;
    float k = 2.0f * a / root;
    *cl += std::cos(a) * k * weight;
    *cd += std::sin(a) * k * weight;
}

void Fco_supersonic(float dcl, float dcd, float dcm, float* cl, float* cd, float* cm, int p, int e)
{
    const airfoilstruct& af = afl[0];
    const int dump = set.cycout;
    float c_l = 0.0f, c_d = 0.0f;
    float theta = std::atan(af.trat[p][0] + af.trat[p][1]) * 0.5f / DEG;
    // The flat plates are the linear theory of an infinite wing. It holds from about Mach 1.2; nearer
    // Mach 1 it grows without bound, so there the plates keep their Mach 1.2 forces (the transonic
    // peak is faired from that value). And a wing of aspect ratio A loses the share 1 / (2 beta A)
    // of them inside the Mach cones from its tips (linear theory's rectangular wing), at least half.
    float mach = clampf(element_mach(p, e), 1.2f, 3.0f);
    float alpha = flt.alpha[p][e];
    const float ba = std::sqrt(mach * mach - 1.0f) * pln[0].AR[p];
    const float wt = 0.5f * (ba > 1.0f ? 1.0f - 0.5f / ba : 0.5f);
    supersonic_flatplate(alpha - theta, &c_l, &c_d, mach, wt);
    supersonic_flatplate(alpha + theta, &c_l, &c_d, mach, wt);
    supersonic_flatplate(alpha + theta, &c_l, &c_d, mach, wt);
    supersonic_flatplate(alpha - theta, &c_l, &c_d, mach, wt);
    c_d += 0.0046f;
    float c_m = -0.25f * c_l;
    if (dump) {
        trk_printf("   SUPERSONIC COEFFICIENTS:\n");
        trk_printf("      alpha =%6.2f\n", alpha);
        trk_printf("      machno=%6.2f\n", flt.machno);
        trk_printf("      cl=%7.4f\n      cd=%7.4f\n      cm=%7.4f\n", c_l, c_d, c_m);
    }
    c_l += dcl;
    c_d += dcd;
    c_m += dcm;
    if (dump) {
        trk_printf("   WITH CONTROL EFFECTS, WE GET:\n");
        trk_printf("      with control effect of (%7.4f, %7.4f, %7.4f): cl=%7.4f, cd=%7.4f, cm=%7.4f\n", dcl,
                   dcd, dcm, c_l, c_d, c_m);
    }
    *cl = c_l;
    *cd = c_d;
    *cm = c_m;
}

float F_el_force(float dcl, float dcd, float dcm, float* lift, float* drag, float* moment, int p, int e)
{
    const float dd = flt.deldir[p][e] * DEG;
    return F_el_force_turned(dcl, dcd, dcm, lift, drag, moment, p, e, std::sin(dd), std::cos(dd));
}

float F_el_force_turned(float dcl, float dcd, float dcm, float* lift, float* drag, float* moment, int p, int e,
                        float s, float c)
{
    return elem_chain::force_turned(dcl, dcd, dcm, lift, drag, moment, p, e, s, c, elem_chain::chain_of(p));
}

static void totals(const char* title, int trailing, float fa, float fs, float fn)
{
    trk_marks(3);
    trk_printf("%s", title);
    trk_marks(trailing);
    trk_printf("\n");
    trk_printf("   f_axil=%9.0f N,   L=%9.0f N-m.\n", fa, flt.L);
    trk_printf("   f_side=%9.0f N,   M=%9.0f N-m.\n", fs, flt.M);
    trk_printf("   f_nrml=%9.0f N,   N=%9.0f N-m.\n\n", fn, flt.N);
}

void aeroforcerep(void)
{
    totals("RUNNING AERODYNAMIC FORCE AND TOTAL MOMENT TOTALS, FLIGHT-PATH AXIS SYSTEM", 23, flt.faxilaero,
           flt.fsideaero, flt.fnrmlaero);
}

void propforcerep(void)
{
    totals("RUNNING PROPULSIVE FORCE AND TOTAL MOMENT TOTALS, AIRCRAFT AXIS SYSTEM", 27, flt.faxilprop,
           flt.fsideprop, flt.fnrmlprop);
}
