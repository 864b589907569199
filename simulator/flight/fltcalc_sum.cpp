// fltcalc_sum.cpp -- the second half of the force build-up: bodies, tyres, brakes and chute,
// ground and water contact with their touchdown effects, and the resolution of every sum into
// the world frame, the tow rope and the accelerations.
#include "contact.h"
#include "fltcalc.h"
#include "fltcalc_local.h"
#include "fltdump.h"
#include "fltgeom.h"
#include "fltutil.h"
#include "funct.h"
#include "hl_drplane.h"
#include "fltmath.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "hl_joy.h"
#include "hl_sound.h"

#include <cmath>

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float DEG = PI / 180.0f;
constexpr float RAD = 180.0f / PI;

int contact_prev[CONTACT_STATES];
float wake_phase[3];   // pitch, heading, roll phases of the tow plane's wake

const char* const body_title[28] = {
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
    "Nacelle #1", "Nacelle #2", "Nacelle #3", "Nacelle #4", "Float/Fuel Tank #1", "Float/Fuel Tank #2",
    "Nose Gear Fairing", "Left Gear Fairing", "Right Gear Fairing"};

// World-frame unit vectors as (east, up, south) triples.
struct vec3 {
    float e, u, s;
};

}  // namespace

void contact_reset(void)
{
    for (int& c : contact_prev) c = 0;
}

void tow_reset(void)
{
    for (float& p : wake_phase) p = 0.0f;
}

float body_wave_share(float mach)
{
    if (mach >= 1.2f) return 1.0f - 0.386f * std::pow(mach - 1.2f, 0.57f);
    if (mach >= 1.05f) return 1.0f;
    if (mach <= 0.9f) return 0.0f;
    const float x = (mach - 0.9f) / 0.15f;
    return x * x * (3.0f - 2.0f * x);
}

void body_forces(void)
{
    const planestruct& pl = pln[0];
    const int dump = set.cycout;
    const float rho = atm.rho;

    // Fuselage: lift and side force from its plan and side areas, drag from its frontal area
    // blending toward the mean of the other two as the flow turns across it.
    float v = flt.av;
    if (pl.fusewash) v += flt.DVinc[0];
    float q = 0.5f * rho * v * v;
    float lift = flt.sinalph * pl.fuse_s_top * q * 0.27f;
    float side = q * flt.sinbeta * pl.fuse_s_sid * 0.27f;
    float a = clampf(pred.alpha, -15.0f, 15.0f), b = clampf(pred.beta, -15.0f, 15.0f);
    float off = hypotf2(a, b);
    float cdf = lerp_at(0.0f, pl.fuse_cd, 90.0f, 0.27f, off);
    if (flt.machno > 0.9f) cdf += body_wave_share(flt.machno) * fgeo.fuse_wave_cd;
    float area = lerp_at(0.0f, pl.fuse_s_frn, 90.0f, 0.5f * (pl.fuse_s_top + pl.fuse_s_sid), off);
    float drag = cdf * area * q;
    addFaero(-drag, side, lift, 0.0f, pl.fuseYcent, pl.fuseZcent);
    if (dump) {
        trk_printf(" FUSELAGE:\n");
        trk_printf("   fuse speed                       =%7.2f m/s\n", flt.av);
        if (pl.fusewash) trk_printf("   fuse speed after propwash     =%7.2f m/s\n", v);
        trk_printf("   air density for fuse             =%7.4f kg/cubic mtr.\n", rho);
        trk_printf("   alpha for fuse for lift force    =%7.2f deg.\n", a);
        trk_printf("   beta  for fuse for side force    =%7.2f deg.\n", b);
        trk_printf("   fuse top  area for lift force    =%7.2f square meters.\n", pl.fuse_s_top);
        trk_printf("   fuse side area for side force    =%7.2f square meters.\n", pl.fuse_s_sid);
        trk_printf("   fuselage lift force              =%9.1f N.\n", lift);
        trk_printf("   fuselage side force              =%9.1f N.\n", side);
        trk_printf("   fuselage offset angle            =%7.2f deg.\n", off);
        trk_printf("   cd for fuse                      =%7.4f\n", cdf);
        trk_printf("   area for fuse for drag           =%7.3f square meters.\n", area);
        trk_printf("   fuselage drag                    =%9.1f N.\n", drag);
    }

    // Other bodies: drag only, at the centre of gravity.
    const int jet = pl.entype == 4 || pl.entype == 5;
    for (int p = 19; p <= 27; p++) {
        if (!have_this_part(p, 0)) continue;
        float cd, s, vb = flt.av;
        if (p <= 22) {
            if (jet) continue;
            cd = pl.entype == 3 ? pl.fuse_cd : 2.0f * pl.fuse_cd;
            s = pl.nace_s;
            vb += flt.DVinc[p - 19];
        } else if (p <= 24) {
            cd = pl.fuse_cd;
            s = pl.misc_s;
        } else {
            cd = 0.05f;
            s = pl.fair_s;
        }
        float d = 0.5f * rho * vb * vb * cd * s;
        addFaero(-d, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
        if (dump) {
            trk_printf("%s:\n", body_title[p]);
            trk_printf("   cd     =%7.4f\n", cd);
            trk_printf("   area   =%7.3f square meters.\n", s);
            trk_printf("   speed  =%7.2f m/s\n", vb);
            trk_printf("   drag   =%9.1f N.\n", d);
        }
    }

    // Tyres of the lowered legs, partly hidden by fairings.
    if (pl.gear_type >= 3) {
        for (int leg = 0; leg < 3; leg++) {
            if (!pl.gear_stat[leg]) continue;
            float s = 1.6f * pl.wheelrad * pl.wheelrad * (pl.fair_eq ? 0.1f : 1.0f);
            float d = 0.25f * s * flt.Qstatic;
            addFaero(-d, 0.0f, 0.0f, 0.0f, pl.mgearY, pl.mgearZ);
            if (dump) {
                trk_printf("Gear tire:\n");
                trk_printf("   area exposed (tire may be largely hidden by fairing)=%7.4f square meters.\n", s);
                trk_printf("   drag of exposed tire                                =%9.1f N.\n", d);
            }
        }
    }
    if (pl.fbrkEQ && flt.sbrk >= 1) {
        float d = pl.brake_area * flt.Qstatic * 0.5f * (float)flt.sbrk * 1.23f;
        addFaero(-d, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
        if (dump) trk_printf("   Fuselage-mounted speedbrakes adding %9.1f N of drag.\n", d);
    }
    if (pl.chuteEQ && ins.chute_on) {
        float d = pl.chute_area * flt.Qstatic * 1.42f;
        addFaero(-d, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
        if (dump) trk_printf("   Chutes adding %9.1f N of drag.\n", d);
    }
    if (dump) aeroforcerep();
}

void contact_forces(void)
{
    planestruct& pl = pln[0];
    int now[CONTACT_STATES] = {};
    flt.onground = 0;
    pl.condef[CONTACT_WINGTIP] = pl.condef[CONTACT_BODY] = 0.0f;
    contact_ground_forget();   // the region may have shifted since the last sub-step

    if ((float)flt.Y[0] - env.localh_cg < 50.0f) {
        int ci = intlim(env.i_aircraft, 0, REGION_NI - 1);
        int cj = intlim(env.j_aircraft, 0, REGION_NJ - 1);
        int over_land = !on_water[ci][cj] || env.over_carr || env.over_frig || env.over_obs;
        int touch_sound = over_land ? 10 : 9;

        if (over_land) {
            float roll = 0.04f, brake = atm.rway_fric_rat * 0.8f, slide = atm.rway_fric_rat * 0.4f;
            if (env.surf_type == 64) {
                roll *= 2.0f; brake *= 0.5f; slide *= 0.5f;
            } else if (env.surf_type >= 65 && env.surf_type <= 67) {
                roll *= 4.0f; brake *= 0.5f; slide *= 2.0f;
            }
            if (pl.gear_type == 2) {
                float zs[2] = {pl.skidZ, pl.skidZ + pl.skidl};
                int n = CONTACT_SKID0;
                for (int e = 0; e < 2; e++)
                    for (int side = -1; side <= 1; side += 2, n++)
                        now[n] = handle_contact_point(n, (float)side * pl.skidX, pl.skidY, zs[e], pl.skidcon,
                                                      pl.skiddmp, slide, slide);
            } else if (pl.gear_type >= 3) {
                if (pl.gear_stat[0])
                    now[CONTACT_NOSE] = handle_contact_point(CONTACT_NOSE, 0.0f, pl.ngearY, pl.ngearZ, pl.ngearcon,
                                                             pl.ngeardmp, roll, brake);
                if (pl.gear_stat[1])
                    now[CONTACT_LEFT] = handle_contact_point(CONTACT_LEFT, -pl.mgearX, pl.mgearY, pl.mgearZ,
                                                             pl.mgearcon, pl.mgeardmp, roll, brake);
                if (pl.gear_stat[2])
                    now[CONTACT_RIGHT] = handle_contact_point(CONTACT_RIGHT, pl.mgearX, pl.mgearY, pl.mgearZ,
                                                              pl.mgearcon, pl.mgeardmp, roll, brake);
            }
            for (int p = 4; p <= 13; p++) {
                if (!have_this_part(p, 0)) continue;
                if (handle_contact_point(CONTACT_WINGTIP, fgeo.tip[p][0], fgeo.tip[p][1], fgeo.tip[p][2], pl.skidcon,
                                         pl.skiddmp, slide, slide))
                    now[CONTACT_WINGTIP] = 1;
            }
            for (int b = 18; b <= 24; b++) {
                if (!have_this_part(b, 0)) continue;
                for (int s = 0; s < fgeo.stations[b]; s++) {
                    if (handle_contact_point(CONTACT_BODY, fgeo.body_low[b][s][0], fgeo.body_low[b][s][1],
                                             fgeo.body_low[b][s][2], pl.skidcon, pl.skiddmp, slide, slide))
                        now[CONTACT_BODY] = 1;
                }
            }
        } else {
            if (set.cycout) {
                trk_printf("\n");
                trk_separator();
                trk_heading("FLOATS/FUEL TANKS FOR WATER CONTACT");
                trk_separator();
                trk_printf("speed=%7.2f m/s\nheight=%8.3f m\nvertical speed=%7.3f m/s\n", flt.v[0], flt.Y[0], flt.vY);
                trk_printf("the =%7.3f\nQrad=%7.4f\nPrad=%7.4f\nRrad=%7.4f\n", flt.the[0], flt.Qrad, flt.Prad, flt.Rrad);
            }
            for (int b = 18; b <= 24; b++) {
                if (!have_this_part(b, 0)) continue;
                int before = flt.onground;
                flt.onground = 0;
                float_body(b, env.localh_cg);
                if (flt.onground) now[CONTACT_BODY] = 1;
                flt.onground |= before;
            }
        }

        // The arresting wire pulls straight back on the hook, which hangs a fifth of the way down from
        // the centre of gravity to the main wheels: a pull along the body turns the aircraft only by
        // the height it acts at, so the nose goes down onto its wheel.
        if (set.wired) addFagear(-flt.m_total * set.trap_accel, 0.0f, pl.mgearY * 0.2f);

        // Touchdown: a wheel that has just touched squeaks and jolts the stick by its compression.
        int wheel_sound = (env.surf_type >= 64 && env.surf_type <= 67) ? 8 : 7;
        if (flt.vY < -2.54) wheel_sound = 10;
        for (int i = CONTACT_NOSE; i <= CONTACT_RIGHT; i++) {
            if (now[i] && !contact_prev[i]) {
                play_buffer(wheel_sound, 0);
                float ratio = pl.wheelrad > 0.01f ? pl.condef[i] / pl.wheelrad : 0.0f;
                JOY_force(11, (int)clampf(ratio * 300.0f, 0.0f, 10000.0f), 0, 300);
            }
        }
        if ((now[CONTACT_BODY] && !contact_prev[CONTACT_BODY]) ||
            (now[CONTACT_WINGTIP] && !contact_prev[CONTACT_WINGTIP])) {
            play_buffer(touch_sound, 0);
            JOY_force(11, 100, 0, 250);
        }
    }
    for (int i = 0; i < CONTACT_STATES; i++) contact_prev[i] = now[i];
}

void set_a2(void)
{
    const planestruct& pl = pln[0];
    const int dump = set.cycout;

    // Body axes in the world (east, up, south).
    const float st = flt.sinthe, ct = flt.costhe, sp = flt.sinpsi, cp = flt.cospsi, sr = flt.sinphi, cr = flt.cosphi;
    vec3 fwd = {ct * sp, st, -ct * cp};
    vec3 right0 = {cp, 0.0f, sp};
    vec3 up0 = {-st * sp, ct, st * cp};
    vec3 right = {right0.e * cr - up0.e * sr, right0.u * cr - up0.u * sr, right0.s * cr - up0.s * sr};
    vec3 up = {up0.e * cr + right0.e * sr, up0.u * cr + right0.u * sr, up0.s * cr + right0.s * sr};

    // Flight-path axes through the air, banked about the path.
    const float sh = flt.sinahpath, chh = flt.cosahpath, sv = flt.sinavpath, cv = flt.cosavpath;
    const float sb = flt.sinphi_path, cb = flt.cosphi_path;
    vec3 pfwd = {cv * sh, sv, -cv * chh};
    vec3 pright0 = {chh, 0.0f, sh};
    vec3 pup0 = {-sv * sh, cv, sv * chh};
    vec3 pright = {pright0.e * cb - pup0.e * sb, pright0.u * cb - pup0.u * sb, pright0.s * cb - pup0.s * sb};
    vec3 pup = {pup0.e * cb + pright0.e * sb, pup0.u * cb + pright0.u * sb, pup0.s * cb + pright0.s * sb};

    float fe = flt.faxilprop * fwd.e + flt.fsideprop * right.e + flt.fnrmlprop * up.e;
    float fu = flt.faxilprop * fwd.u + flt.fsideprop * right.u + flt.fnrmlprop * up.u;
    float fs = flt.faxilprop * fwd.s + flt.fsideprop * right.s + flt.fnrmlprop * up.s;
    fe += flt.faxilaero * pfwd.e + flt.fsideaero * pright.e + flt.fnrmlaero * pup.e;
    fu += flt.faxilaero * pfwd.u + flt.fsideaero * pright.u + flt.fnrmlaero * pup.u;
    fs += flt.faxilaero * pfwd.s + flt.fsideaero * pright.s + flt.fnrmlaero * pup.s;
    // Gear: along the heading, across it, and straight up.
    fe += flt.faxilgear * sp + flt.fsidegear * cp;
    fs += -flt.faxilgear * cp + flt.fsidegear * sp;
    fu += flt.fnrmlgear;

    // Tow rope from the nose to the tow plane (aircraft 1).
    if (set.tow_waiting || set.tow_inprog) {
        float zn = 0.0f;
        for (int s = 0; s < 11; s++)
            if (pl.body_Z[18][s][0] < zn) zn = pl.body_Z[18][s][0];
        double nx = flt.X[0] - (double)(fwd.e * zn), ny = flt.Y[0] - (double)(fwd.u * zn),
               nz = flt.Z[0] - (double)(fwd.s * zn);
        float de = (float)(flt.X[1] - nx), du = (float)(flt.Y[1] - ny), ds = (float)(flt.Z[1] - nz);
        float dist = std::sqrt(de * de + du * du + ds * ds);
        if (dist > 1e-3f) {
            vec3 u = {de / dist, du / dist, ds / dist};
            float v1 = flt.v[1];
            float s1 = std::sin(flt.psi[1] * DEG), c1 = std::cos(flt.psi[1] * DEG), ct1 = std::cos(flt.the[1] * DEG);
            float rv = (s1 * ct1 * v1 - (float)flt.vX) * u.e + (std::sin(flt.the[1] * DEG) * v1 - (float)flt.vY) * u.u +
                       (-c1 * ct1 * v1 - (float)flt.vZ) * u.s;
            float closing = -rv;
            float T = clampf((dist - 40.0f - closing) * flt.m_total, 0.0f, 9.9e9f);
            fe += T * u.e;
            fu += T * u.u;
            fs += T * u.s;
            float ufwd = u.e * fwd.e + u.u * fwd.u + u.s * fwd.s;
            float uright = u.e * right.e + u.u * right.u + u.s * right.s;
            float uup = u.e * up.e + u.u * up.u + u.s * up.s;
            flt.M -= T * uup * zn;
            flt.N -= T * uright * zn;
            float rope_pitch = std::atan2(uup, ufwd) * RAD, rope_yaw = std::atan2(uright, ufwd) * RAD;
            if (T > 1.0f && (std::fabs(rope_pitch) > 90.0f || std::fabs(rope_yaw) > 90.0f)) {
                set.tow_waiting = 0;
                set.tow_inprog = 0;
            } else if (!flt.onground && std::fabs(rope_pitch) < 9.0f && std::fabs(rope_yaw) < 9.0f &&
                       std::fabs(flt.the[0] - flt.the[1]) < 9.0f &&
                       std::fabs(fltwrap(flt.psi[0] - flt.psi[1], -180.0f, 180.0f)) < 9.0f) {
                // The tow plane's wake shakes the glider.
                float* att[3] = {&flt.the[0], &flt.psi[0], &flt.phi[0]};
                for (int k = 0; k < 3; k++) {
                    wake_phase[k] += fltrand(0.5f, 1.5f) * msc.prd;
                    *att[k] += fltrand(0.15f, 0.3f) * std::sin(10.0f * wake_phase[k]);
                }
            }
        }
    }

    // Accelerations; airframe ice adds mass in proportion.
    float k = 1.0f + flt.frame_ice;
    float m = flt.m_total > 1.0f ? flt.m_total : 1.0f;
    float mk = m * k;
    flt.aX = fe / mk;
    flt.aY = fu / mk - atm.g;
    flt.aZ = fs / mk;
    float jroll = m * pl.Jzz_unitmass * k * k, jpitch = m * pl.Jxx_unitmass * k * k, jyaw = m * pl.Jyy_unitmass * k * k;
    flt.Pdot = jroll > 1e-6f ? flt.L / jroll * RAD : 0.0f;
    flt.Qdot = jpitch > 1e-6f ? flt.M / jpitch * RAD : 0.0f;
    flt.Rdot = jyaw > 1e-6f ? flt.N / jyaw * RAD : 0.0f;

    if (dump) {
        trk_printf("\n");
        trk_separator();
        trk_heading("GRAND TOTALS AT END OF FORCE AND MOMENT BUILD-UP");
        trk_separator();
        trk_printf("\nFINAL PROPULSIVE (ENGINE) FORCES, ALONG AIRCRAFT AXIS (pos forward/right/up)\n");
        trk_printf("f_axial =%9.1f N.\nf_side  =%9.1f N.\nf_normal=%9.1f N.\n\n", flt.faxilprop, flt.fsideprop, flt.fnrmlprop);
        trk_printf("\nFINAL AERODYNAMIC FORCES, ALONG FLIGHT PATH AXIS (pos forward/right/up)\n");
        trk_printf("f_axial =%9.1f N.\nf_side  =%9.1f N.\nf_normal=%9.1f N.\n\n", flt.faxilaero, flt.fsideaero, flt.fnrmlaero);
        trk_printf("\nFINAL GEAR FORCES, ALONG HEADING/VERTICAL AXIS (pos forward/right/up)\n");
        trk_printf("f_axial   =%9.1f N.\nf_side    =%9.1f N.\nf_vertical=%9.1f N.\n\n", flt.faxilgear, flt.fsidegear,
                   flt.fnrmlgear);
        trk_printf("\nFINAL TOTAL FORCES, ALONG SURFACE AXIS\n");
        trk_printf("f_north=%9.1f N.\nf_east =%9.1f N.\nf_up   =%9.1f N.\n\n", -fs, fe, fu);
        trk_printf("\nFINAL TOTAL TOTAL MOMENTS, ABOUT AIRCRAFT AXIS (pos right/up/right)\n");
        trk_printf("L (roll) =%9.1f N-m.\nM (pitch)=%9.1f N-m.\nN (yaw)  =%9.1f N-m.\n\n", flt.L, flt.M, flt.N);
        trk_printf("\nMASSES TO GET FROM FORCES TO ACCELERATIONS\n");
        trk_printf("mass    =%9.1f kg.\n", mk);
        trk_printf("roll  MI=%9.1f kg-m-m... M/mi=accel in RADIANS per sec.\n", jroll);
        trk_printf("pitch MI=%9.1f kg-m-m... M/mi=accel in RADIANS per sec.\n", jpitch);
        trk_printf("yaw   MI=%9.1f kg-m-m... M/mi=accel in RADIANS per sec.\n\n", jyaw);
        trk_printf("\nFINAL TOTAL LINEAR ACCELS, ALONG GLOBAL AXIS (pos north/east/up)\n");
        trk_printf("%9.3f m/ss.\n%9.3f m/ss.\n%9.3f m/ss.\n\n", -flt.aZ, flt.aX, flt.aY);
        trk_printf("\nFINAL TOTAL ANGULAR ACCELS, ABOUT AIRCRAFT AXIS (pos right/up/right)\n");
        trk_printf("Pdot (roll) =%9.2f deg/ss.\nQdot (pitch)=%9.2f deg/ss.\nRdot (yaw)  =%9.2f deg/ss.\n\n", flt.Pdot,
                   flt.Qdot, flt.Rdot);
    }
}
