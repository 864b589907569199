// fltcalc.cpp -- force and moment build-up: prediction, propulsion, puffers and the lifting
// parts' elements, cut into their elements with their own airflow, controls and flaps.
#include "fltcalc.h"

#include "fltcalc_local.h"
#include "fltdump.h"
#include "fltgeom.h"
#include "fltutil.h"
#include "funct.h"
#include "funct_elem.h"
#include "hl_drplane.h"
#include "fltmath.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "propel.h"

#include <cmath>

predicted_t pred;

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float DEG = PI / 180.0f;
constexpr float RAD = 180.0f / PI;

// Values of the previous sub-step for the prediction (degrees and rad/s).
struct {
    int valid;
    float alpha, beta, P, Q, R;
} prev;

int sidefail = 0;   // 13 or 14: the side whose flaps still move when they fail asymmetrically

// Each propeller's slipstream in this sub-step, the same for every element it reaches: the sine
// and cosine of its cant, and its angle to the body (degrees, 0 along it, 90 straight up).
struct {
    float svc, cvc, sigma;
} slipstream[4];

const char* const part_title[18] = {
    "", "", "", "", "LEFT  WING 1", "RIGHT WING 1", "LEFT  WING 2", "RIGHT WING 2", "LEFT  WING 3",
    "RIGHT WING 3", "LEFT  HSTB", "RIGHT HSTB", "VERT STAB NUMBER 1", "VERT STAB NUMBER 2",
    "ENGINE PYLON 1", "ENGINE PYLON 2", "ENGINE PYLON 3", "ENGINE PYLON 4"};

int is_left(int p) { return p == 4 || p == 6 || p == 8 || p == 10; }

// Lift effectiveness of a control surface by its deflection (degrees).
float deflection_effect(float d)
{
    static const float x[7] = {10, 15, 20, 30, 40, 50, 60};
    static const float y[7] = {1.0f, 0.98f, 0.86f, 0.68f, 0.6f, 0.55f, 0.5f};
    if (d <= 10.0f) return 1.0f;
    if (d >= 60.0f) return 0.5f;
    int k = 0;
    while (k < 5 && d > x[k + 1]) k++;
    return lerp_at(x[k], y[k], x[k + 1], y[k + 1], d);
}

// Fraction of a propeller's wash that reaches a surface at stream angle sigma (degrees).
float wash_fraction(float sigma, float lo, float mx, float hi)
{
    if (sigma > hi || sigma < lo) return 0.0f;
    if (sigma < mx) return mx > lo ? lerp_at(lo, 0.0f, mx, 1.0f, sigma) : 1.0f;
    if (sigma > mx) return hi > mx ? lerp_at(hi, 0.0f, mx, 1.0f, sigma) : 1.0f;
    return 1.0f;
}

// A control surface's increments before its part's stall and its smoothing: its lift, drag and
// moment per degree of deflection (l, d, m) and its lift, drag and moment increments at the
// deflection (L, cd, cm).
struct con_base {
    float l, d, m;
    float L, cd, cm;
};

con_base con_eff_base(int type, float crat, float def)
{
    float c = crat > 0.0f ? crat : 0.0f;
    con_base b;
    b.l = std::sqrt(c) * 0.1097f / 1.5f;
    b.d = c * 0.003f / 0.25f;
    b.m = (0.75f - 0.5f * c) * b.l;
    if (type == 6) {
        b.l *= 2.0f; b.d *= 2.0f; b.m *= 0.5f;
    } else if (type == 8) {
        b.l = 0.0f; b.d *= 4.0f; b.m = 0.0f;
    } else if (type == 7) {
        b.l *= 0.5f; b.d *= 2.0f; b.m = 0.0f;
    }
    b.L = -def * b.l * deflection_effect(std::fabs(def));
    b.cd = std::fabs(def) * b.d;
    b.cm = def * b.m;
    return b;
}

// The increments an element of `part` gets: a stalled part's surfaces lift a fifth as much,
// smoothed ones less.
void con_eff_finish(int part, const con_base& b, float* cl, float* cd, float* cm)
{
    float L = b.L;
    if (flt.stalled[part]) L *= 0.2f;
    int smooth = pln[0].con_smooth;
    if (smooth == 1) L *= 0.7f;
    else if (smooth == 2) L *= 0.85f;
    *cl = L;
    *cd = b.cd;
    *cm = b.cm;
}

// The control surfaces of one part in a sub-step, each worked out when an element first needs it.
struct part_controls {
    enum { AILN, SPLR, SBRK, DRUD, ELEV, RUDD, KINDS };
    con_base base[KINDS];
    int ready[KINDS] = {};
};

// The element's controls and flaps: coefficient increments and the alpha increment they cause.
// The one-cycle dump reports every surface of every element as it is worked out.
void element_controls(int p, int j, part_controls& pc, float* dcl, float* dcd, float* dcm, float* dalpha)
{
    const planestruct& pl = pln[0];
    const int left = is_left(p);
    float cl, cd, cm;
    auto surface = [&](int kind, int type, float crat, float def, const char* name) {
        if (set.cycout) {
            set_con_eff(p, type, crat, def, &cl, &cd, &cm, name);
            return;
        }
        if (!pc.ready[kind]) {
            pc.base[kind] = con_eff_base(type, crat, def);
            pc.ready[kind] = 1;
        }
        con_eff_finish(p, pc.base[kind], &cl, &cd, &cm);
    };
    if (pl.ailn[p][j]) {
        surface(part_controls::AILN, 5, pl.ailn_crat, (p == 4 || p == 6 || p == 8) ? flt.lailndef : flt.railndef,
                "AILERON");
        *dcl += cl; *dcd += cd; *dcm += cm;
        *dalpha += induce_alpha(cl, p);
    }
    if (pl.splr[p][j]) {
        surface(part_controls::SPLR, 6, pl.splr_crat, left ? flt.lsplrdef : flt.rsplrdef, "SPOILER");
        *dcl += cl; *dcd += cd; *dcm += cm;
    }
    if (pl.sbrk[p][j] && flt.sbrk >= 1) {
        surface(part_controls::SBRK, 7, pl.sbrk_crat, (float)flt.sbrk * pl.sbrk_def * 0.5f, "SPEEDBRAKE");
        *dcl += cl; *dcd += cd; *dcm += cm;
    }
    if (pl.drud[p][j]) {
        surface(part_controls::DRUD, 8, pl.drud_crat, left ? flt.ldruddef : flt.rdruddef, "DRAG-RUDDER");
        *dcl += cl; *dcd += cd; *dcm += cm;
    }
    if (pl.elev[p][j] && pl.hstabtype == 0) {
        surface(part_controls::ELEV, 5, pl.elev_crat, p == 10 ? flt.lhstbdef : flt.rhstbdef, "ELEVATOR");
        *dcl += cl; *dcd += cd; *dcm += cm;
        *dalpha += induce_alpha(cl, p);
    }
    if (pl.rudd[p][j]) {
        surface(part_controls::RUDD, 5, pl.rudd_crat, flt.ruddef, "RUDDER");
        *dcl += cl; *dcd += cd; *dcm += cm;
        *dalpha += induce_alpha(cl, p);
    }
    if (pl.flap[p][j] && flt.flap > 0.01f && (rel.symflp || (sidefail == 14) == (left != 0))) {
        int h = intlim(round(50.0f * flt.flap), 0, 50);
        *dcl += pl.clflap[h];
        *dcd += pl.cdflap[h];
        *dcm += pl.cmflap[h];
        *dalpha += induce_alpha(pl.clflap[h], p);
        if (set.cycout)
            trk_printf("   FLAP COEFF INC: cl incmntd by %7.4f, cd incmntd by %7.4f, cm incmntd by %7.4f. (def=%5.3f, "
                       "1.0=full deployment)\n", pl.clflap[h], pl.cdflap[h], pl.cmflap[h], flt.flap);
    }
}

// What a lifting part's elements share in a sub-step.
struct part_air {
    int p, dump, propwash, nprops;
    float sd, cd;            // sine (signed by side) and cosine of the dihedral
    float vp;                // airspeed across the span, slowed by the sweep
    float s_part, c_part;    // the part's angle to the air before each element's incidence
    part_controls controls;  // the control surfaces, worked out once for all the elements
    elem_chain::part_chain chain;   // what the elements' coefficients share
    // The propellers whose slipstream reaches the part (bit k, propeller k) and what each adds to
    // the normal and axial speed of an element in it, with the share of its stream.
    int wash_props;
    float wash_n[4], wash_a[4], wash_f[4];
};

// What an element's airflow hands to its force: the angle its airfoil meets (before the
// controls) and the sine and cosine of the turn of its flow.
struct element_air {
    float alpha, sin_dd, cos_dd;
};

// The airflow through element j: its speed (flt.v_el), its flow turn (flt.deldir) and angle.
[[gnu::always_inline]] inline void element_airflow(const part_air& c, int j, element_air* out)
{
    const planestruct& pl = pln[0];
    const int p = c.p, dump = c.dump;
    const float sd = c.sd, cd = c.cd, vp = c.vp;
    const float x = fgeo.el_x[p][j], y = fgeo.el_y[p][j], z = fgeo.el_z[p][j];

    // Geometric angle of attack from incidence, dihedral and sweep; its sine and cosine by the
    // sum of the part's angle and the element's incidence.
    float a = pred.alpha * cd + pl.anginc[p][j] - pred.beta * sd;
    flt.deldir[p][j] = -a;
    const float si = fgeo.sin_inc[p][j], ci = fgeo.cos_inc[p][j];
    const float sa = c.s_part * ci + c.c_part * si, ca = c.c_part * ci - c.s_part * si;
    float vn0 = ca * vp, va0 = sa * vp;
    // The aircraft's rotation moves the element through the air.
    float vn = vn0 - pred.Q * y - pred.R * x;
    float va = va0 + (pred.Q * z + pred.P * x) * cd + (pred.P * y - pred.R * z) * sd;
    if (dump) {
        trk_printf("\n");
        trk_separator();
        trk_marks(3);
        trk_printf("ELEMENT #%d", j + 1);
        trk_marks(100 - 3 - 10 - (j + 1 >= 10 ? 1 : 0));
        trk_printf("\n");
        trk_separator();
        trk_printf("   element x=%6.2f m, pos right from CG\n", x);
        trk_printf("   element y=%6.2f m, pos up    from CG\n", y);
        trk_printf("   element z=%6.2f m, pos aft   from CG\n", z);
        trk_printf("   After incidence, dihedral, and sweep, alpha=%6.2f deg, V=%6.2f: %6.2f m/s normal, pos up.\n"
                   "%6.2f m/s axial, pos aft, \n", a, vp, vn0, va0);
        trk_printf("   vector form, AFTER  aircraft rotational velocities: V=%6.2f, %6.2f\n", vn, va);
    }

    // Propwash of every propeller whose stream reaches the element.
    for (unsigned m = (unsigned)(c.wash_props & fgeo.wash_props[p][j]); m != 0; m &= m - 1) {
        const int k = __builtin_ctz(m);
        vn += c.wash_n[k];
        va -= c.wash_a[k];
        if (dump) {
            trk_printf("   The propwash from engine #%d is at an angle of %6.2f deg. (aircraft body axis system, "
                       "0=horizontal, 90=straight up)\n", k + 1, slipstream[k].sigma);
            trk_printf("   This causes %5.1f%% of the total propwash to act on the surface.\n", 100.0f * c.wash_f[k]);
            trk_printf("   The speed increment due to propwash is therefore %6.2f m/s\n", flt.DVinc[k] * c.wash_f[k]);
            trk_printf("   Vector form AFTER propwash is: V=%6.2f, %6.2f\n", vn, va);
        }
    }

    const float v = hypotf2(vn, va);
    flt.v_el[p][j] = v;
    const float dw = flt.downwash[p][j];
    float alpha = atan2_el(va, vn) * RAD + dw;
    flt.deldir[p][j] += alpha;
    if (dw == 0.0f) {
        // The flow turns through its own angle less the element's: the sum of angles gives the
        // turn's sine and cosine from the flow's components and the element's angle.
        const float sf = v > 0.0f ? va / v : 0.0f, cf = v > 0.0f ? vn / v : 1.0f;
        out->sin_dd = sf * ca - cf * sa;
        out->cos_dd = cf * ca + sf * sa;
    } else {
        out->sin_dd = std::sin(flt.deldir[p][j] * DEG);
        out->cos_dd = std::cos(flt.deldir[p][j] * DEG);
    }
    if (dump) {
        trk_printf("   The alpha increment due to downwash is %6.2f deg\n", dw);
        trk_printf("   The surface is therefore at an alpha of %6.2f deg while at %6.2f m/s\n", alpha, v);
        trk_printf("   The change in infinite flow direction due to rotation rates, propwash, and downwash is "
                   "%6.2f deg\n", flt.deldir[p][j]);
    }

    // Stabilator and stabiliser trim.
    if (p == 10 || p == 11) {
        if (pl.hstabtype == 1) {
            float d = p == 10 ? flt.lhstbdef : flt.rhstbdef;
            alpha -= d;
            if (dump) trk_printf("   The alpha increment due hstab def=%6.2f deg\n", -d);
        }
        if (pl.hstbtrimmax > 0.01f) {
            float t = pl.Zarm[10] >= 0.0f ? -1.0f : 1.0f;
            float d = t * flt.elv_trim * pl.hstbtrimmax;
            alpha += d;
            if (dump) trk_printf("   The alpha increment due hstab trim=%6.2f deg\n", d);
        }
    }
    if (dump) trk_printf("   Finally, surface is at an alpha of %6.2f deg while at %6.2f m/s\n", alpha, v);
    out->alpha = alpha;
}

// Element j's controls, coefficients and force, added to the totals t; adds its downwash source
// to wash[p].
void element_force(part_air& c, int j, const element_air& air, float* wash, force_totals& t)
{
    const planestruct& pl = pln[0];
    const int p = c.p, dump = c.dump;
    float dcl = 0.0f, dcd = 0.0f, dcm = 0.0f, dalpha = 0.0f;
    element_controls(p, j, c.controls, &dcl, &dcd, &dcm, &dalpha);
    const float alpha = air.alpha + dalpha;
    flt.alpha[p][j] = alpha;
    if (dump)
        trk_printf("   Effective alpha increased %6.2f deg by all combined lift-incrementation devices up to final "
                   "alpha of %6.2f deg.\n\n", dalpha, alpha);

    float lift, drag, moment;
    float cl = elem_chain::force_turned(dcl, dcd, dcm, &lift, &drag, &moment, p, j, air.sin_dd, air.cos_dd, c.chain);
    add_aero(t, -drag, -lift * c.sd, lift * c.cd, fgeo.el_x[p][j], fgeo.el_y[p][j], fgeo.el_z[p][j]);
    t.M += moment * c.cd;
    t.N -= moment * c.sd;
    if (dump) {
        put_aero_totals(t);
        aeroforcerep();
    }

    // A stalled wing's wake flickers.
    float k = flt.stalled[p] ? std::fabs(std::sin(2.0f * msc.elap_time)) : 1.0f;
    wash[p] += k * pl.spec_wash[p] * cl / (float)fgeo.els[p];
}

// One lifting part (4..17): every element's airflow and force; adds the part's downwash source
// to wash[p].
void lifting_part(int p, float* wash)
{
    const planestruct& pl = pln[0];
    part_air c;
    c.p = p;
    c.dump = set.cycout;
    c.sd = fgeo.side[p] * fgeo.sin_dihed[p];
    c.cd = fgeo.cos_dihed[p];
    const float sweep = pl.sweepnow[p] + fgeo.side[p] * pred.beta * c.cd;
    c.vp = std::fabs(std::cos(sweep * DEG) * flt.av);
    c.propwash = !pl.is_heli && pl.entype >= 1 && pl.entype <= 3;
    c.nprops = pl.numen < 0 ? 0 : pl.numen > 4 ? 4 : pl.numen;
    c.chain = elem_chain::chain_of(p);
    // Propwash of every propeller whose stream reaches the part: the same for all its elements.
    c.wash_props = 0;
    if (c.propwash) {
        for (int k = 0; k < c.nprops; k++) {
            const float dv = flt.DVinc[k];
            const float svc = slipstream[k].svc, cvc = slipstream[k].cvc, sigma = slipstream[k].sigma;
            const float f = wash_fraction(sigma, pl.lo_washdir[p][k], pl.max_washdir[p][k], pl.hi_washdir[p][k]);
            c.wash_props |= 1 << k;
            c.wash_n[k] = (p == 12 || p == 13 ? dv : cvc * dv) * f;
            c.wash_a[k] = svc * dv * f;
            c.wash_f[k] = f;
        }
    }
    const float a_part = pred.alpha * c.cd - pred.beta * c.sd;
    c.s_part = std::sin(a_part * DEG);
    c.c_part = std::cos(a_part * DEG);
    const int els = fgeo.els[p];

    if (c.dump) {
        trk_printf("\n");
        trk_separator();
        trk_separator();
        trk_heading(part_title[p]);
        trk_separator();
        trk_separator();
        element_air air;
        force_totals t = take_aero_totals();
        for (int j = 0; j < els; j++) {
            element_airflow(c, j, &air);
            element_force(c, j, air, wash, t);
        }
        put_aero_totals(t);
        return;
    }
    // The elements' airflows depend on none of their forces: worked out first, side by side,
    // they keep their arc tangents off the chain of each element's coefficients.
    element_air air[8];
    for (int j = 0; j < els; j++) element_airflow(c, j, &air[j]);
    force_totals t = take_aero_totals();
    for (int j = 0; j < els; j++) element_force(c, j, air[j], wash, t);
    put_aero_totals(t);
}

}  // namespace

void set_a_reset(void)
{
    prev.valid = 0;
    contact_reset();
    tow_reset();
    props_reset();
}

float induce_alpha(float cl, int part)
{
    if (flt.machno > 1.0f) return 0.0f;
    return cl / (clampf(pln[0].AR[part], 2.0f, 20.0f) * PI) * RAD * (1.0f - supersonic_share(flt.machno));
}

void set_con_eff(int part, int type, float crat, float def, float* cl, float* cd, float* cm, const char* name)
{
    const con_base b = con_eff_base(type, crat, def);
    if (set.cycout) {
        trk_printf("\n   %s RESULTS FOR %4.2f CHORD SURFACE, DEFLECTED %6.2f DEG:\n", name, crat, def);
        trk_printf("      cl=%7.4f per deg.\n      cd=%7.4f per deg.\n      cm=%7.4f per deg.\n", -b.l, b.d, b.m);
    }
    con_eff_finish(part, b, cl, cd, cm);
}

void set_a(void)
{
    const planestruct& pl = pln[0];
    const int dump = set.cycout;

    if (sidefail == 0) sidefail = intrand(13, 14);

    // Predict the angles and rates half way through the sub-step from their last change.
    if (!prev.valid) {
        prev.alpha = flt.Alph; prev.beta = flt.Beta;
        prev.P = flt.Prad; prev.Q = flt.Qrad; prev.R = flt.Rrad;
        prev.valid = 1;
    }
    pred.alpha = flt.Alph + (flt.Alph - prev.alpha);
    pred.beta = flt.Beta + (flt.Beta - prev.beta);
    pred.P = flt.Prad + (flt.Prad - prev.P);
    pred.Q = flt.Qrad + (flt.Qrad - prev.Q);
    pred.R = flt.Rrad + (flt.Rrad - prev.R);
    prev.alpha = flt.Alph; prev.beta = flt.Beta;
    prev.P = flt.Prad; prev.Q = flt.Qrad; prev.R = flt.Rrad;
    if (dump) {
        trk_printf("\n");
        trk_printf("alpha_use (after prediction)=%6.2f deg.\n", pred.alpha);
        trk_printf("beta_use  (after prediction)=%6.2f deg.\n", pred.beta);
        trk_printf("\n");
        trk_printf("P_use (after prediction)=%6.2f deg/second.\n", pred.P * RAD);
        trk_printf("Q_use (after prediction)=%6.2f deg/second.\n", pred.Q * RAD);
        trk_printf("R_use (after prediction)=%6.2f deg/second.\n", pred.R * RAD);
        trk_printf("\n");
    }

    flt.faxilprop = flt.fsideprop = flt.fnrmlprop = 0.0f;
    flt.faxilaero = flt.fsideaero = flt.fnrmlaero = 0.0f;
    flt.faxilgear = flt.fsidegear = flt.fnrmlgear = 0.0f;
    flt.L = flt.M = flt.N = 0.0f;

    if (atm.rho > 0.0f) {
        if (pl.entype >= 1 && pl.entype <= 3) props();
        else if (pl.entype == 4 || pl.entype == 5) jets();
    }

    if (ins.jato_on) {
        int n = ((int)std::lround(pl.jatotheta) % 360 + 360) % 360;
        addFaprop(lookup_cos[n] * pl.jatothrust, 0.0f, pl.jatoY);
        addFnprop(lookup_sin[n] * pl.jatothrust, 0.0f, pl.jatoZ);
        flt.jatoleft -= msc.prd;
        if (flt.jatoleft < 0.0f) ins.jato_on = 0;
        if (dump) {
            trk_printf("After JATO:\n");
            propforcerep();
        }
    }
    if (pl.puffEQ) {
        flt.L += pl.puffL * set.FC_roll;
        flt.M += pl.puffM * set.FC_ptch;
        flt.N += pl.puffN * set.FC_hdng;
        if (dump) {
            trk_printf("After puffers:\n");
            propforcerep();
        }
    }

    // The propellers' slipstreams, then the lifting parts, element by element.
    if (!pl.is_heli && pl.entype >= 1 && pl.entype <= 3) {
        for (int k = 0; k < 4 && k < pl.numen; k++) {
            const float dv = flt.DVinc[k];
            slipstream[k].svc = std::sin(flt.vertcant[k] * DEG);
            slipstream[k].cvc = std::cos(flt.vertcant[k] * DEG);
            slipstream[k].sigma = std::atan2(flt.av * flt.sinalph - slipstream[k].svc * dv,
                                             slipstream[k].cvc * dv + flt.av * flt.cosalph) * RAD;
        }
    }
    float wash[28] = {};
    flt.stallwarning = 0;
    for (int p = 4; p <= 17; p++) {
        if (!have_this_part(p, 0)) continue;
        lifting_part(p, wash);
    }

    // Downwash the wings and stabilisers feel on the next sub-step.
    const float subsonic = 1.0f - supersonic_share(flt.machno);
    for (int p = 4; p <= 11; p++)
        for (int e = 0; e < 8; e++) flt.downwash[p][e] = 0.0f;
    for (int t = 0; t < fgeo.dw_elems; t++) {
        const int p = fgeo.dw_elem[t] / 8, e = fgeo.dw_elem[t] % 8;
        float dw = 0.0f;
        if (subsonic > 0.0f) {
            for (int n = 0; n < fgeo.dw_count[p][e]; n++) dw -= wash[fgeo.dw_source[p][e][n]];
        }
        flt.downwash[p][e] = dw * subsonic;
    }

    body_forces();
    contact_forces();

    // Torque of a single propeller (or two turning the same way) felt as roll at speed.
    if (!pl.is_heli && pl.entype >= 1 && pl.entype <= 3 &&
        (pl.numen == 1 || (pl.numen == 2 && pl.propdir[0] == pl.propdir[1])) && pl.omegamax > 0.0f)
        flt.L += pl.pmax / pl.omegamax * (float)pl.numen * 0.75f * flt.Qratio * (float)pl.propdir[0] * 2.0f;

    set_a2();
}
