// propel.cpp -- propellers, rotors and jets.
#include "propel.h"

#include "fltdump.h"
#include "fltgeom.h"
#include "fltutil.h"
#include "funct.h"
#include "funct_elem.h"
#include "fltmath.h"
#include "hl_funct.h"
#include "hl_types.h"

#include <cmath>

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float DEG = PI / 180.0f;

float omegadot[4];   // rad/s^2, smoothed rotor acceleration

int engine_count(void)
{
    int n = pln[0].numen;
    return n < 0 ? 0 : n > 4 ? 4 : n;
}

float safe_div(float a, float b) { return std::fabs(b) > 1e-9f ? a / b : 0.0f; }

// Engine governor: the throttle request follows the rotor speed toward omegamax.
void govern_throttle(int i, float tac, float wdot)
{
    if (!rel.thrgov[i]) {
        flt.throrqst[i] = 1.0f;
        return;
    }
    flt.throrqst[i] = clampf(flt.throrqst[i] + (0.2f * (pln[0].omegamax - tac) - 0.2f * wdot) * msc.prd, 0.0f, 1.0f);
}

// What a propeller's blade elements share in a sub-step. Clock position k is 12, 3, 6 and 9
// o'clock seen from behind.
struct blade_disc {
    int i, dump;
    float tac, v0, vi_factor;
    float cross[4];   // m/s, the flow across the disc its angles bring at each clock position
    float cyc[4];     // degrees, the cyclic pitch at each clock position
};

// The air a blade element meets.
struct blade_air {
    float v, deldir, alpha, sin_dd, cos_dd;
};

// Blade element e at clock position k: its speed, the turn of its flow and its angle of attack.
[[gnu::always_inline]] inline void blade_airflow(const blade_disc& bd, int e, int k, blade_air* out)
{
    const int i = bd.i;
    const float r = fgeo.el_r[i][e];
    float vi = 0.5f * flt.ringDVinc[i][e] * bd.vi_factor;
    if (bd.v0 < 0.0f) vi *= 0.5f;
    const float va = bd.v0 + vi;
    const float vt = bd.tac * r + bd.cross[k];
    const float pitch = flt.proppitch[i] + pln[0].anginc[i][e] + bd.cyc[k];
    const float v = hypotf2(va, vt);
    const float deldir = atan2_el(-va, vt) / DEG;
    blade_air b;
    b.v = v;
    b.deldir = deldir;
    b.alpha = deldir + pitch;
    // The flow turns through deldir: its sine and cosine are the inflow's and the turning
    // speed's shares of the element's speed.
    b.sin_dd = v > 0.0f ? -va / v : 0.0f;
    b.cos_dd = v > 0.0f ? vt / v : 1.0f;
    *out = b;
    if (bd.dump) {
        static const int clock[4] = {12, 3, 6, 9};
        trk_printf("%d O'CLOCK AS SEEN FROM AFT LOOKING FORWARDS\n", clock[k]);
        trk_printf(" propwash speed INCREMENT thru ring: %7.2f m/s far behind the disc.\n", flt.ringDVinc[i][e]);
        trk_printf(" TOTAL INCOMING airspeed: %7.2f m/s.\n", va);
        trk_printf(" speed due to ROTATION of the prop: %7.2f m/s.\n", vt);
        trk_printf(" total SEGMENT speed: %7.2f m/s.\n", v);
        trk_printf(" corkscrew PATH from disk: %6.2f deg. (-arctan(%7.2f/%7.2f))\n", deldir, va, vt);
        trk_printf(" element pitch: %6.2f deg.\n", pitch);
        trk_printf(" blade element ANGLE OF ATTACK: %6.2f deg.\n\n", b.alpha);
    }
}

}  // namespace

float turbojet_lapse(float mach)
{
    // The air at the compressor face, against a standard day at sea level: its total pressure
    // delta0 (the ram rise of the intake) and total temperature theta0.
    const float theta = atm.T > 1.0f ? atm.T / 288.15f : 1.0f;
    const float delta = atm.crtsig * theta;
    const float m = mach > 0.0f ? mach : 0.0f;
    const float ram = 1.0f + 0.2f * m * m;
    const float delta0 = delta * std::pow(ram, 3.5f);
    const float theta0 = theta * ram;
    // The engine swallows air in proportion to delta0, less its own ram drag and the hotter face;
    // once the face is hotter than a standard day at sea level, where this engine is rated, the
    // turbine's temperature limit holds the flow back as well. (The installed full-power lapse of
    // an afterburning turbojet: Mattingly, Heiser and Pratt, Aircraft Engine Design.)
    float k = 1.0f - 0.3f * (theta0 - 1.0f) - 0.1f * std::sqrt(m);
    if (theta0 > 1.0f) k -= 1.5f * (theta0 - 1.0f) / theta0;
    float lapse = delta0 * k;
    return lapse > 0.0f ? lapse : 0.0f;   // past its useful speed an engine makes no thrust, it does not pull back
}

float turbofan_lapse(float mach)
{
    // Density, the intake's compression behind its shock above Mach 1, and the fan's loss of thrust
    // with speed.
    float r = atm.crtsig;
    if (mach > 1.0f) r *= 2.4f * mach * mach / (0.4f * mach * mach + 2.0f);
    float kind = mach < 1.0f ? lerp_at(0.0f, 1.0f, 1.0f, 0.9f, mach) : lerp_at(1.0f, 0.9f, 1.2f, 0.5f, mach);
    return kind > 0.0f ? r * kind : 0.0f;
}

void props_reset(void)
{
    for (float& w : omegadot) w = 0.0f;
}

float dv_total(float dv, float T, float A, float V)
{
    float vd = fallout(dv * 0.5f + V, -1.0f, 1.0f);
    float den = atm.rho * A * std::fabs(vd);
    float target = den > 1e-9f ? T / den : 0.0f;
    return (1.0f - 0.5f * msc.prd) * dv + 0.5f * msc.prd * target;
}

void apropengine(int i)
{
    const planestruct& pl = pln[0];
    int j = pl.is_heli ? 0 : i;
    float tac = flt.tac[j];

    // Supercharging holds sea-level power up to the critical altitude.
    float pr = clampf(atm.crtsig + fgeo.boost, 0.0f, 1.0f);
    float ps = (pr - 0.1f) / 0.9f;
    if (pl.entype == 1 && flt.heat[i] > 0.5f) ps *= 0.9f;

    float t0 = safe_div(pl.pmax, pl.omegamax);
    float span = pl.omegamax - pl.omegamin;
    float n = span > 1e-6f ? clampf((tac - pl.omegamin) / span, 0.0f, 99.0f) : (tac >= pl.omegamax ? 1.0f : 0.0f);
    float f = pl.entype == 3 ? 0.03f : 0.01f;
    float tf = (0.5f + 1.5f * n - n * n) * t0;
    float tc = (f - n * n) * t0;

    float trq;
    if (flt.eng_running[i]) {
        float thro = flt.thro[i] > 0.0f ? flt.thro[i] : 0.0f;
        trq = lerp_at(0.0f, tc, 1.0f, tf, std::sqrt(thro)) * ps * flt.mixt_powr_rat[i];
    } else {
        trq = -n * std::fabs(n) * t0;   // a windmilling engine drags
    }
    if (!rel.oilpmp[i] && trq > 0.0f) trq *= rel.oil_rat;
    if (pl.is_heli && trq < 0.0f) trq = 0.0f;   // the freewheel unit lets the rotor run on
    trq *= 1.0f - flt.carb_ice[i];
    flt.trq[i] = trq;
    flt.power[i] = trq * tac;

    if (pl.entype == 1 || pl.entype == 2) {
        float target;
        if (!flt.eng_running[i]) {
            target = atm.baro * atm.crtsig;
        } else {
            float lo = 0.3f * atm.baro * pr, hi = pl.mpmax * pr;
            float spd = pl.omegamax > 0.0f ? lerp_at(0.0f, 1.5f, pl.omegamax, 1.0f, tac) : 1.0f;
            target = lerp_at(0.0f, lo, 1.0f, hi, flt.thro[i]) * spd;
        }
        flt.mpr[i] = clampf(flt.mpr[i] + (target - flt.mpr[i]) * msc.prd, 0.0f, pl.mpmax * pr);
    }

    flt.L -= std::cos(pl.vertcant[i] * DEG) * trq * (float)pl.propdir[i];
    flt.N += std::sin(pl.vertcant[i] * DEG) * trq * (float)pl.propdir[i];
}

void aprop(int i, float x, float y, float z)
{
    const planestruct& pl = pln[0];
    const int dump = set.cycout;
    const float dir = (float)pl.propdir[i];
    const float vc = flt.vertcant[i], sc = flt.sidecant[i];
    const float svc = std::sin(vc * DEG), cvc = std::cos(vc * DEG);
    const float ssc = std::sin(sc * DEG), csc = std::cos(sc * DEG);
    const float tac = flt.tac[i];
    const float blades = pl.numblades[i];

    // Disc angles and the airflow into the disc.
    float ad = csc * (vc + flt.Alph);
    float bd = cvc * (sc + flt.Beta);
    float sad = std::sin(ad * DEG), sbd = std::sin(bd * DEG);
    float v0 = flt.av * std::cos(ad * DEG) * std::cos(bd * DEG) - flt.Prad * x * svc * csc -
               flt.Rrad * x * cvc * csc - flt.Rrad * z * ssc;

    flt.Dtq[i] = 0.0f;
    flt.thrust[i] = 0.0f;

    // Blade thrust acts 0.2 r toward the blade on aeroplane propellers and the main rotor.
    int offset = !pl.is_heli || i == 0;
    // Induced speed of a main rotor in forward flight is smaller (the disc sees more air).
    float vi_factor = 1.0f;
    if (pl.is_heli && i == 0 && flt.vind > 15.0f)
        vi_factor = clampf(lerp_at(15.0f, 0.8f, 50.0f, 0.5f, flt.vind), 0.5f, 0.8f);

    if (dump) {
        trk_separator();
        trk_marks(3);
        if (pl.is_heli) {
            trk_printf("%s", i == 0 ? "MAIN ROTOR" : "TAIL ROTOR");
            trk_marks(87);
        } else {
            trk_printf("PROPELLER, ENGINE #%d", i + 1);
            trk_marks(77);
        }
        trk_printf("\n");
        trk_printf(" PROP HUB LOCATION: x=%6.2f meters, y=%6.2f meters, z=%6.2f meters.\n", x, y, z);
        trk_printf(" The prop is turning %s at %7.2f rad per sec, and the engine torque is %8.1f N-m.\n",
                   dir >= 0.0f ? "clockwise" : "counter-clockwise", tac, flt.trq[i]);
        trk_printf("   The angle of attack of the prop disk (0=normal to flight path, 90=parallel to flight path) is "
                   "%6.2f deg.\n", ad);
        trk_printf("   The sideslip        of the prop disk (0=normal to flight path, 90=parallel to flight path) is "
                   "%6.2f deg.\n", bd);
        trk_printf(" Geometric airspeed into the disc (before propwash) is %7.2f m/s, pos in from ahead.\n", v0);
        trk_printf(" Total 'mixed' propwash increase in speed well behind prop is %7.2f m/s.\n", flt.DVinc[i]);
    }

    // The airflows of the blade elements depend on none of their forces, so without the dump
    // they are all worked out first, side by side, keeping their arc tangents off the forces'
    // chain.
    blade_disc disc;
    disc.i = i;
    disc.dump = dump;
    disc.tac = tac;
    disc.v0 = v0;
    disc.vi_factor = vi_factor;
    const float vax = flt.vaxial;
    disc.cross[0] = -dir * vax * sbd;
    disc.cross[1] = dir * vax * sad;
    disc.cross[2] = dir * vax * sbd;
    disc.cross[3] = -dir * vax * sad;
    disc.cyc[0] = -dir * pl.ailncyclic * set.FC_roll;
    disc.cyc[1] = dir * pl.elevcyclic * set.FC_ptch;
    disc.cyc[2] = dir * pl.ailncyclic * set.FC_roll;
    disc.cyc[3] = -dir * pl.elevcyclic * set.FC_ptch;
    const int els = fgeo.els[i];
    blade_air air[8][4];
    if (!dump)
        for (int e = 0; e < els; e++)
            for (int k = 0; k < 4; k++) blade_airflow(disc, e, k, &air[e][k]);
    // The torque, the thrust and the force totals stay in registers through the blade elements.
    float dtq = flt.Dtq[i], thrust = flt.thrust[i];
    const elem_chain::part_chain chain = elem_chain::chain_of(i);
    force_totals t = take_prop_totals();
    for (int e = 0; e < els; e++) {
        const float r = fgeo.el_r[i][e];
        const float d = dir * (0.2f * r);   // dir * 0.2 r
        float ring_thrust = 0.0f;
        if (dump) trk_printf("PROPELLER BLADES ALL 4 LOCATIONS (12/3/6/9 O'CLOCK), RADIAL ELEMENT %d of %d\n", e + 1, els);
        for (int k = 0; k < 4; k++) {
            if (dump) blade_airflow(disc, e, k, &air[e][k]);
            const blade_air& b = air[e][k];
            flt.v_el[i][e] = b.v;
            flt.deldir[i][e] = b.deldir;
            flt.alpha[i][e] = b.alpha;
            float lift, drag, moment;
            elem_chain::force_turned(0.0f, 0.0f, 0.0f, &lift, &drag, &moment, i, e, b.sin_dd, b.cos_dd, chain);
            dtq += 0.25f * drag * r * blades;
            float T = 0.25f * blades * lift;
            thrust += T;
            ring_thrust += T;
            float px = x, py = y, pz = z;
            if (offset) {
                if (k == 0) px = x + d;
                else if (k == 2) px = x - d;
                else if (k == 1) {
                    py = y - d * cvc;
                    pz = z - d * svc;
                } else {
                    py = y + d * cvc;
                    pz = z + d * svc;
                }
            }
            add_side(t, ssc * T, py, pz);
            add_axial(t, csc * cvc * T, px, py);
            add_normal(t, csc * svc * T, px, pz);
            if (dump) {
                put_prop_totals(t);
                propforcerep();
            }
        }
        flt.ringDVinc[i][e] = dv_total(flt.ringDVinc[i][e], ring_thrust, pl.ringarea[i][e], v0);
    }
    flt.Dtq[i] = dtq;
    flt.thrust[i] = thrust;
    put_prop_totals(t);
    flt.DVinc[i] = dv_total(flt.DVinc[i], flt.thrust[i], pl.discarea[i], v0);
}

void props(void)
{
    const planestruct& pl = pln[0];
    const float prd = msc.prd;
    if (!pl.is_heli) {
        for (int i = 0; i < engine_count(); i++) {
            apropengine(i);
            aprop(i, pl.Xarm[i], pl.Yarm[i], pl.Zarm[i]);
            omegadot[i] = 0.25f * (3.0f * omegadot[i] + safe_div(flt.trq[i] - flt.Dtq[i], pl.miprop[i]));
            flt.M -= pl.miprop[i] * flt.tac[i] * flt.Qrad;
            flt.N -= pl.miprop[i] * flt.tac[i] * flt.Prad;
            flt.tac[i] += omegadot[i] * prd;
            if ((pl.entype == 1 || pl.entype == 2) && !flt.eng_running[i] && flt.tac[i] < 0.75f * pl.omegamin)
                flt.tac[i] = 0.0f;
            if (!rel.oilpmp[i]) flt.tac[i] *= (rel.oil_rat + 9.0f) / 10.0f;

            if (pl.collectEQ) {
                govern_throttle(i, flt.tac[i], omegadot[i]);
            } else if (pl.varpitchEQ) {
                if (pl.revthrustEQ && flt.revving_thrust[i]) {
                    flt.proppitch[i] = -20.0f;
                } else {
                    flt.proppitch[i] += (0.3f * (flt.tac[i] - flt.prop[i]) + 0.1f * omegadot[i]) * prd;
                    flt.proppitch[i] = clampf(flt.proppitch[i], pl.minpitch[i], pl.maxpitch[i]);
                    if (pl.numen > 1 && std::fabs(flt.prop[i] - pl.omegamingreen) < 1.0f) flt.proppitch[i] = 80.0f;
                }
            } else {
                flt.proppitch[i] = 0.0f;
            }
        }
        return;
    }

    // Helicopter: main rotor 0 and tail rotor 1 geared together, driven by one or two engines.
    aprop(0, pl.Xarm[0], pl.Yarm[0], pl.Zarm[0]);
    aprop(1, pl.Xarm[1], pl.Yarm[1], pl.Zarm[1]);
    int two = pl.numen >= 2;
    if (pl.numen >= 1) apropengine(0);
    if (two) apropengine(1);
    float drive = (pl.numen >= 1 ? flt.trq[0] : 0.0f) + (two ? flt.trq[1] : 0.0f);
    float wdot = safe_div(drive - flt.Dtq[0] - flt.Dtq[1], pl.miprop[0] + pl.miprop[1] * pl.trotor_rat);
    omegadot[0] = wdot;
    flt.tac[0] += wdot * prd;
    flt.tac[1] = rel.trotor ? flt.tac[0] * pl.trotor_rat : 1.0f;
    if (!set.eq_col || pl.entype == 3) {
        for (int i = 0; i < engine_count() && i < 2; i++) {
            if (set.fadec_on) govern_throttle(i, flt.tac[0], wdot);
            else flt.throrqst[i] = 0.01f;
        }
    }
    flt.L -= pl.miprop[0] * flt.tac[0] * flt.Prad;
    flt.M -= pl.miprop[0] * flt.tac[0] * flt.Qrad;
}

void jets(void)
{
    const planestruct& pl = pln[0];
    const float prd = msc.prd;
    const float mach = flt.machno;
    for (int i = 0; i < engine_count(); i++) {
        float t = lerp_at(0.0f, 0.05f, 1.0f, 1.0f, flt.thro[i]);
        float e = t - flt.parteqlbmthrust[i];
        float s = e >= 0.0f ? std::sqrt(e) : -std::sqrt(-e);
        float b = 3.0f * sqr(flt.n1_[i] / 100.0f);
        float rate;
        if (!flt.eng_running[i]) rate = 0.0f;
        else if (flt.n1_[i] < 25.0f) rate = b + 0.04f;
        else rate = b + 2.0f * s;
        float spool = pl.spooltime > 0.01f ? pl.spooltime : 0.01f;
        flt.parteqlbmthrust[i] = clampf(flt.parteqlbmthrust[i] + (rate - b) * prd / spool, 0.0f, 1.0f);
        flt.n1_[i] = 100.0f * std::sqrt(flt.parteqlbmthrust[i]);

        float r = pl.entype == 4 ? turbojet_lapse(mach) : turbofan_lapse(mach);

        float inlet_drag = 0.3f * pl.facejet * flt.Qstatic;
        float tmax = pl.tmax * r;
        float tidle = 0.01f * pl.tmax * r - inlet_drag;
        float ab = flt.after_burning[i] ? pl.burnerinc * r : 0.0f;
        float thrust = flt.eng_running[i] ? lerp_at(0.0f, tidle, 1.0f, tmax, flt.parteqlbmthrust[i]) + ab : -inlet_drag;
        if (!rel.oilpmp[i]) {
            flt.n1_[i] *= rel.oil_rat;
            thrust *= rel.oil_rat;
        }
        if (pl.revthrustEQ && flt.revving_thrust[i]) thrust *= -0.4f;
        flt.thrust[i] = thrust;

        float cv = std::cos(flt.vertcant[i] * DEG), sv = std::sin(flt.vertcant[i] * DEG);
        addFaprop(cv * thrust, pl.Xarm[i], pl.Yarm[i]);
        addFsprop(0.0f, pl.Yarm[i], pl.Zarm[i]);
        addFnprop(sv * thrust, pl.Xarm[i], pl.Zarm[i]);
        if (set.cycout) {
            trk_printf("\n");
            trk_separator();
            trk_marks(3);
            trk_printf("JET ENGINE");
            trk_marks(87);
            trk_printf("\n");
            trk_separator();
            trk_printf(" THISfaxil=%6.0f N, THISfnrml=%6.0f N.\n", cv * thrust, sv * thrust);
            trk_printf(" x=%4.1f m, y=%4.1f m, z=%4.1f m.\n", pl.Xarm[i], pl.Yarm[i], pl.Zarm[i]);
            trk_printf(" longitudinal thrust vector=%4.2f deg. (0=full aft)\n", flt.vertcant[i]);
            propforcerep();
        }
    }
}
