// initpln.cpp -- loading an aircraft file: the record and its checks, unit conversion, the move
// to the centre of gravity, equipment flags, the attitude indicator's outline, the airfoils and
// finite-wing factors of each lifting part, and the propeller discs.
#include "initpln.h"

#include "flight_hooks.h"
#include "fltcalc.h"
#include "fltdump.h"
#include "fltgeom.h"
#include "hl_afl.h"
#include "hl_drplane.h"
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_joy.h"
#include "hl_plane.h"
#include "hl_sound.h"
#include "hl_types.h"
#include "hl_wind.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

const char* const DEFAULT_PLANE_DIR = "planes/General Aviation/Cessna 172 Skyhawk/";
const char* const DEFAULT_PLANE_FILE = "Cessna 172 Skyhawk.acf";

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float DEG = PI / 180.0f;
constexpr float RAD = 180.0f / PI;

int loaded[2];                 // aircraft p has been loaded once
planestruct kept;              // the aircraft loaded before, while a new file is checked

// Copies a text into a 400-character field, cut to fit and always terminated.
void copy_text(char* dst, const char* src)
{
    size_t n = strnlen(src, STR_LEN - 1);
    std::memmove(dst, src, n);
    dst[n] = '\0';
}

int is_propeller_engine(int entype) { return entype >= 1 && entype <= 3; }

// Counts that size arrays must fit them before anything is read through them. Returns the
// reason a record cannot be flown, or nullptr.
const char* refuse_counts(const planestruct& pl)
{
    if (pl.numen < 0 || pl.numen > 4) return "Its number of engines is not between 0 and 4.";
    if (pl.entype < 0 || pl.entype > 5) return "Its engine type is unknown.";
    for (int p = 0; p < 18; p++) {
        if (pl.els[p] < 0 || pl.els[p] > 8) return "A wing, stabiliser or propeller has more than 8 elements.";
    }
    // A present part must have elements: its area is shared out among them.
    for (int p = 4; p < 14; p++)
        if (pl.semilen[p] > 0.05f && pl.els[p] < 1) return "A wing or stabiliser has no elements.";
    for (int p = 0; p < 4; p++) {
        int prop = (pl.numen > p && is_propeller_engine(pl.entype)) || (pl.is_heli && p <= 1);
        if (prop && pl.els[p] < 1) return "A propeller or rotor has no blade elements.";
    }
    return nullptr;
}

// Reads path into pln[p] and checks its counts; on refusal pln[p] is put back as it was.
// Returns 1 loaded, 0 missing or damaged (already reported by the reader), -1 refused.
int read_checked(int p, const char* path)
{
    std::memcpy(&kept, &pln[p], sizeof kept);
    if (!read_plane(p, path)) return 0;
    const char* why = refuse_counts(pln[p]);
    if (!why) return 1;
    std::memcpy(&pln[p], &kept, sizeof kept);
    MACIBM_alert("This aircraft file cannot be flown:", why, path, "The aircraft already loaded is kept.",
                 ALERT_NOTICE);
    return -1;
}

void report_header(void)
{
    trk_separator();
    trk_printf("Kestrova flight model: load-time report\n");
    trk_printf("Simulating %s\n", pln[0].C_path);
    trk_separator();
    trk_printf("\n");
    trk_printf("x location positive aft      x force positive forwards    pitch/alpha pos nose up\n");
    trk_printf("y location positive right    y force positive right       roll pos right\n");
    trk_printf("z location positive up       z force positive up          yaw/beta pos nose right\n");
    trk_printf("\n");
    trk_printf("elevator, aileron, spoiler   positive control surface up      \n");
    trk_printf("rudder                       positive control surface right   \n");
    trk_printf("drag-yaw                     positive control surface deployed\n");
    trk_printf("pitch cyclic prop pitch      positive request nose up         \n");
    trk_printf("roll  cyclic prop pitch      positive request nose right      \n\n");
}

// Feet, horsepower, rpm, pounds and square feet into metres, watts, rad/s, newtons and square
// metres, in place.
void convert_units(planestruct& pl)
{
    const float ft = con.fttomtrs;
    float* lengths[] = {&pl.peX, &pl.peY, &pl.peZ, &pl.critalt, &pl.vectarm, &pl.misc_X, &pl.misc_Y,
                        &pl.misc_Z, &pl.cgY, &pl.cgZ, &pl.skidX, &pl.skidY, &pl.skidZ, &pl.skidl,
                        &pl.ngearY, &pl.ngearZ, &pl.mgearX, &pl.mgearY, &pl.mgearZ, &pl.ngearY_att,
                        &pl.ngearZ_att, &pl.mgearX_att, &pl.mgearY_att, &pl.mgearZ_att, &pl.wheelrad,
                        &pl.jatoY, &pl.jatoZ};
    for (float* f : lengths) *f *= ft;
    pl.pmax *= con.hptowatt;
    // Engine rpm to propeller rad/s through the gearbox; a missing gear ratio means direct drive.
    float gear = pl.gearrat > 0.0f ? pl.gearrat : 1.0f;
    pl.omegamin *= con.rpmtorsc / gear;
    pl.omegamax *= con.rpmtorsc / gear;
    pl.omegamingreen *= con.rpmtorsc / gear;
    pl.omegamaxgreen *= con.rpmtorsc / gear;
    pl.tmax *= con.lbstontn;
    pl.burnerinc *= con.lbstontn;
    pl.jatothrust *= con.lbstontn;
    pl.facejet *= con.sftosmtr;
    pl.brake_area *= con.sftosmtr;
    pl.chute_area *= con.sftosmtr;
    pl.m_empty *= con.lbstokgs;
    pl.m_max *= con.lbstokgs;
    pl.m_fuel *= con.lbstokgs;
    pl.m_jettison *= con.lbstokgs;
    pl.puffL *= con.ftlbtonm;
    pl.puffM *= con.ftlbtonm;
    pl.puffN *= con.ftlbtonm;
    for (int p = 0; p < 28; p++) {
        pl.semilen[p] *= ft;
        pl.Croot[p] *= ft;
        pl.Ctip[p] *= ft;
        pl.Xarm[p] *= ft;
        pl.Yarm[p] *= ft;
        pl.Zarm[p] *= ft;
        pl.sweep1[p] = fltwrap(pl.sweep1[p], -180.0f, 180.0f);
        pl.sweep2[p] = fltwrap(pl.sweep2[p], -180.0f, 180.0f);
        for (int s = 0; s < 18; s++) {
            for (int r = 0; r < 16; r++) {
                pl.body_X[p][s][r] *= ft;
                pl.body_Y[p][s][r] *= ft;
                pl.body_Z[p][s][r] *= ft;
            }
        }
    }
}

// Every longitudinal and vertical position from the centre of gravity.
void move_to_cg(planestruct& pl)
{
    const float cz = pl.cgZ, cy = pl.cgY;
    float* zs[] = {&pl.peZ, &pl.ngearZ, &pl.mgearZ, &pl.ngearZ_att, &pl.mgearZ_att, &pl.skidZ, &pl.jatoZ, &pl.misc_Z};
    float* ys[] = {&pl.peY, &pl.ngearY, &pl.mgearY, &pl.ngearY_att, &pl.mgearY_att, &pl.skidY, &pl.jatoY, &pl.misc_Y};
    for (float* f : zs) *f -= cz;
    for (float* f : ys) *f -= cy;
    for (int p = 0; p < 18; p++) {
        pl.Zarm[p] -= cz;
        pl.Yarm[p] -= cy;
    }
    for (int s = 0; s < 11; s++) {
        for (int r = 0; r < 16; r++) {
            pl.body_Z[18][s][r] -= cz;
            pl.body_Y[18][s][r] -= cy;
        }
    }
}

void equipment_flags(planestruct& pl)
{
    int jet = pl.entype == 4 || pl.entype == 5;
    pl.collectEQ = (pl.numen > 0 && pl.vectEQ && !jet) || pl.is_heli;
    pl.jatoEQ = pl.jatodur > 0.0f;
    pl.fbrkEQ = pl.brake_area > 0.0f;
    pl.chuteEQ = pl.chute_area > 0.0f;
    pl.jettisonEQ = pl.m_jettison > 0.0f;
    pl.puffEQ = pl.puffL > 0.0f || pl.puffM > 0.0f || pl.puffN > 0.0f;
    if (pl.numen == 0) pl.entype = 0;
    if (pl.ngearZ > pl.mgearZ) pl.nwsteer = -pl.nwsteer;   // a tail wheel steers the other way
    if (pl.AShiV < pl.ASloV + 1.0f) pl.AShiV = pl.ASloV + 1.0f;
    pl.us_alt = fltbox((float)env.lat_sou, (float)env.lon_wes, 24.0f, -180.0f, 50.0f, -60.0f);
    pl.ecam = !((pl.paneltype != 2 && pl.numen < 3) || pl.is_heli);
    pl.tape = pl.numen >= 3;
    if (pl.ADFtype != 2) pl.ADFtype = 1;
    if (pl.TStype != 2) pl.TStype = 1;
    for (int p = 14; p <= 17; p++) pl.els[p] = 1;
    // Found again below from the parts that carry them.
    pl.flapEQ = pl.slatEQ = pl.sbrkEQ = 0;
}

// The attitude indicator's outline: glide-slope bars and the picture's rows, clipped to a circle
// on round-gauge panels.
void attitude_outline(planestruct& pl)
{
    if (pl.paneltype == 1) {
        pl.ah_top_roll = 115;
        pl.ah_top_prim = 105;
        pl.ah_semidim_flt = 57.5f;
        pl.ah_dim_int = 115;
        pl.ah_bot_roll = 0;
        pl.ah_bot_prim = 10;
        pl.ah_semidim_int = 57;
        pl.gsx1 = (int)(ins.x_loc[6] - 59.0f);
        pl.gsy1 = (int)(ins.y_loc[6] - 2.0f);
        pl.gsw = 5;
        pl.gsyc = (int)ins.y_loc[6];
        pl.gsx2 = (int)(ins.x_loc[6] + 53.0f);
        pl.gsy2 = (int)(ins.y_loc[6] + 2.0f);
    } else if (pl.paneltype == 2) {
        pl.ah_top_prim = 104;
        pl.ah_semidim_flt = 52.0f;
        pl.ah_dim_int = 104;
        pl.ah_bot_prim = 0;
        pl.ah_semidim_int = 52;
        pl.gsx1 = (int)(ins.x_loc[2] - 57.0f);
        pl.gsy1 = (int)(ins.y_loc[2] - 2.0f);
        pl.gsw = 4;
        pl.gsyc = (int)ins.y_loc[2];
        pl.gsx2 = (int)(ins.x_loc[2] + 53.0f);
        pl.gsy2 = (int)(ins.y_loc[2] + 2.0f);
    }
    // The rows index arrays of 118: a panel that is neither kind keeps its file values, limited.
    int bot = intlim(pl.ah_bot_prim, 0, 117), top = intlim(pl.ah_top_prim, 0, 117);
    float r = (float)(top - bot) * 0.5f;
    float y = -r;
    for (int i = bot; i <= top; i++) {
        if (pl.paneltype == 1) {
            work_down_circle(r, &y, &pl.ahx1_prim[i], &pl.ahx2_prim[i]);
        } else {
            pl.ahx1_prim[i] = -(float)pl.ah_semidim_int;
            pl.ahx2_prim[i] = (float)pl.ah_semidim_int;
        }
        pl.ahx1_prim[i] += ins.x_loc[2];
        pl.ahx2_prim[i] += ins.x_loc[2];
    }
    if (pl.paneltype == 1) {
        int rb = intlim(pl.ah_bot_roll, 0, 117), rt = intlim(pl.ah_top_roll, 0, 117);
        float yr = -pl.ah_semidim_flt;
        for (int i = rb; i <= rt; i++) {
            work_down_circle(pl.ah_semidim_flt, &yr, &pl.ahx1_roll[i], &pl.ahx2_roll[i]);
            pl.ahx1_roll[i] += ins.x_loc[2];
            pl.ahx2_roll[i] += ins.x_loc[2];
        }
    }
}

// The span efficiency of a straight wing of aspect ratio AR and taper ratio `taper` as part of a
// whole aircraft: the planform's own (Hoerner's tapered wings, as fitted by Nita and Scholz,
// "Estimating the Oswald factor from basic aircraft geometrical parameters", 2012) times their
// allowance of 0.804 for the drag that grows with lift elsewhere on a light aircraft.
float planform_span_efficiency(float AR, float taper)
{
    const float t = fltlim(taper, 0.0f, 1.0f);
    const float f = (((0.0524f * t - 0.15f) * t + 0.1659f) * t - 0.0706f) * t + 0.0119f;
    return 0.804f / (1.0f + f * (AR > 0.0f ? AR : 0.0f));
}

// Oswald's span efficiency from aspect ratio and sweep (degrees), blended between the straight
// and the swept-wing rules below 30 degrees. The straight-wing rule was drawn from aircraft of
// moderate aspect ratio and falls without end past them (0.57 at aspect ratio 18, 0.42 at 25,
// where sailplanes fly near 0.8 to 0.9), so for a wing or tail (planform set) it is held at no
// less than the planform's estimate above; below aspect ratio 8 the rule is the larger anyway.
float oswald(float AR, float sweep, int planform, float taper)
{
    float a = std::fabs(sweep);
    float f = 1.0f - 0.045f * std::pow(AR, 0.68f);
    float e0 = f * 1.78f - 0.64f;
    if (planform) e0 = std::fmax(e0, planform_span_efficiency(AR, taper));
    float c = std::cos(fltlim(a, 30.0f, 90.0f) * DEG);
    float e30 = std::pow(c > 0.0f ? c : 0.0f, 0.15f) * f * 4.61f - 3.1f;
    if (a >= 30.0f) return e30;
    return interp(0.0f, e0, 30.0f, e30, a);
}

float near3(const float a[3], const float b[3], float tol)
{
    return std::fabs(a[0] - b[0]) < tol && std::fabs(a[1] - b[1]) < tol && std::fabs(a[2] - b[2]) < tol;
}

// Airfoils, element areas and chords, aspect ratio, span efficiency and finite-wing factors of
// lifting part n of aircraft p.
void lifting_part(int p, int n)
{
    planestruct& pl = pln[p];
    airfoilstruct& af = afl[p];
    const int rep = p == 0;
    const char* name = part_name(n, p);
    if (rep) trk_printf("Finite-Wing & Element Build-Up for %s:\n", name);

    const char* files[4] = {pl.Rafl0[n], pl.Rafl1[n], pl.Tafl0[n], pl.Tafl1[n]};
    float stall[4] = {};
    for (int f = 0; f < 4; f++) grabafoil(files[f], n, f / 2, f % 2, &stall[f], p, name);
    for (int r = 0; r < 2; r++) {
        if (std::fabs(af.Re[n][r][1] - af.Re[n][r][0]) < 0.01f) {
            af.Re[n][r][0] = 0.0f;
            af.Re[n][r][1] = 99.9f;
        }
    }
    pl.alpha_max[n] = 0.25f * (stall[0] + stall[1] + stall[2] + stall[3]);
    if (rep) {
        static const char* const lines[4] = {"   root lo Re: alphamax=", "   root hi Re: alphamax=",
                                             "   tip  lo Re: alphamax=", "   tip  hi Re: alphamax="};
        for (int f = 0; f < 4; f++)
            trk_printf("%s%5.1f deg, trat=%4.2f, Re=%5.2f meg for %s.\n", lines[f], stall[f], af.trat[n][f / 2],
                       af.Re[n][f / 2][f % 2], files[f]);
    }
    pl.sweepnow[n] = pl.sweep1[n];

    const int els = pl.els[n];
    for (int j = 0; j < els; j++) {
        float c1 = interp(0.0f, pl.Croot[n], (float)els, pl.Ctip[n], (float)j);
        float c2 = interp(0.0f, pl.Croot[n], (float)els, pl.Ctip[n], (float)(j + 1));
        pl.s[n][j] = (c1 + c2) * pl.semilen[n] * 0.5f / (float)els;
        float sum = c1 + c2;
        pl.mac[n][j] = sum > 1e-6f ? (sum - c1 * c2 / sum) * 2.0f / 3.0f : 0.0f;
        if (n >= 4 && n <= 9) {
            if (pl.flap[n][j]) pl.flapEQ = 1;
            if (pl.slat[n][j]) pl.slatEQ = 1;
            if (pl.sbrk[n][j]) pl.sbrkEQ = 1;
        } else if (n == 10 || n == 11) {
            if (pl.flap[n][j]) pl.flapEQ = 1;
            if (pl.slat[n][j]) pl.slatEQ = 1;
        }
        if (rep) trk_printf("   el #%d: s=%6.3f sqr mtrs, mac=%6.3f mtrs.\n", j, pl.s[n][j], pl.mac[n][j]);
    }

    // The planform the finite-wing rules see: two panels that meet tip to root fly as one wing.
    float R = pl.Croot[n], T = pl.Ctip[n], b = pl.semilen[n];
    if (n >= 4 && n <= 13) {
        float own_root[3] = {pl.Xarm[n], pl.Yarm[n], pl.Zarm[n]};
        float own_tip[3] = {get_wing_Xarm(n, pl.semilen[n], p), get_wing_Yarm(n, pl.semilen[n], p),
                            get_wing_Zarm(n, pl.semilen[n], p)};
        for (int k = 4; k <= 13; k++) {
            if (k == n || !have_this_part(k, p) || std::fabs(pl.dihed[k] - pl.dihed[n]) > 30.0f) continue;
            float k_root[3] = {pl.Xarm[k], pl.Yarm[k], pl.Zarm[k]};
            float k_tip[3] = {get_wing_Xarm(k, pl.semilen[k], p), get_wing_Yarm(k, pl.semilen[k], p),
                              get_wing_Zarm(k, pl.semilen[k], p)};
            int joined = 0;
            if (near3(own_tip, k_root, 0.2f * pl.Ctip[n])) {
                R = pl.Croot[n];
                T = pl.Ctip[k];
                b = pl.semilen[n] + pl.semilen[k];
                joined = 1;
            } else if (near3(k_tip, own_root, 0.2f * pl.Ctip[k])) {
                R = pl.Croot[k];
                T = pl.Ctip[n];
                b = pl.semilen[n] + pl.semilen[k];
                joined = 1;
            }
            if (joined && rep)
                trk_printf("   !!!Note: I am joining %s to %s to form one continuous wing!!!\n", name, part_name(k, p));
        }
    }

    const float sw = pl.sweep1[n] * DEG;
    float quarter = std::atan2(std::sin(sw) * b + 0.25f * R - 0.25f * T, std::cos(sw) * b) * RAD;
    pl.delta_fac[n] = fltlim(quarter / 65.0f, 0.0f, 1.0f) * (R > 1e-6f ? fltlim(1.0f - T / R, 0.0f, 1.0f) : 0.0f);
    // Zero chords or spans would give a zero or infinite aspect ratio; keep it finite and positive.
    float ar = (R + T) > 1e-6f ? std::cos(sw) * 2.0f * b / ((R + T) * 0.5f) : 0.1f;
    pl.AR[n] = fltlim(ar, 0.1f, 1000.0f);
    // Propeller and rotor blades keep the rule as it stands: their figures are matched to the
    // engines' published speeds with it.
    float e = oswald(pl.AR[n], pl.sweep1[n], n >= 4, R > 1e-6f ? T / R : 1.0f);

    if (n >= 4 && n <= 9) {
        for (int k = 4; k <= 9; k++) {
            if (k == n || !have_this_part(k, p)) continue;
            float tmin = std::fmin(pl.Ctip[n], pl.Ctip[k]);
            float g = std::fabs(pl.Yarm[n] - pl.Yarm[k]);
            if (std::fabs(pl.Xarm[n] - pl.Xarm[k]) < tmin && std::fabs(pl.semilen[n] - pl.semilen[k]) < 2.0f * tmin &&
                g > 0.1f * pl.Ctip[n] && g > 0.1f * pl.Ctip[k] && std::fabs(pl.Zarm[n] - pl.Zarm[k]) < g) {
                float r = g / (pl.semilen[n] + pl.semilen[k]);
                float sigma = 31.0f * r * r * r * r - 37.8f * r * r * r + 17.98f * r * r - 4.896f * r + 0.9962f;
                float mu = pl.semilen[n] / pl.semilen[k];
                if (mu > 1.0f) mu = 1.0f / mu;
                e = 2.0f * mu * mu / (2.0f * sigma * mu + mu * mu + 1.0f);
                if (rep) trk_printf("   Applying biplane interference factor to Oswalds Efficiency!\n");
            }
        }
    }
    pl.e[n] = fltlim(e, 0.5f, 1.0f);

    float a0 = (af.clM[n][0][0] + af.clM[n][0][1] + af.clM[n][1][0] + af.clM[n][1][1]) * 45.0f / PI;
    float k = 1.0f / (a0 / (pl.e[n] * PI * pl.AR[n]) + 1.0f);
    pl.al_D_al0[n] = 1.0f - (1.0f - k) * 0.68f;
    pl.cl_D_cl0[n] = 1.0f - (1.0f - k) * 0.32f;
    float cs = std::cos(sw);
    float den = 2.0f * cs + pl.AR[n];
    pl.cm_D_cm0[n] = std::fabs(den) > 1e-6f ? cs * cs * pl.AR[n] / den : 0.0f;
    if (pl.al_D_al0[n] > 1e-6f) pl.alpha_max[n] /= pl.al_D_al0[n];

    if (rep) {
        trk_printf("   Oswalds efficiency factor based on AR (%5.2f) and sweep (%5.1f deg) is %5.3f.\n", pl.AR[n],
                   pl.sweep1[n], pl.e[n]);
        trk_printf("   Thoretical lift-slope reduction is to %5.1f%% of the 2-D value.\n", 100.0f * k);
        trk_printf("   We will accomplish this by:\n");
        trk_printf("      using coefficient data at an angle of attack that is %5.1f%% of actual (alphamax=%5.1f),\n",
                   100.0f * pl.al_D_al0[n], pl.alpha_max[n]);
        trk_printf("      and reducing airfoil lift coefficients to            %5.1f%% of their 2-D value.\n",
                   100.0f * pl.cl_D_cl0[n]);
        trk_printf("      Based on AR and sweep, cm change is to               %5.1f%% of it's 2-D value.\n",
                   100.0f * pl.cm_D_cm0[n]);
        trk_printf("      Based on AR and TR, aerodynamic center is moved      %5.1f%% of the way from the the 25%% "
                   "chord to the 50%% chord.\n\n", 100.0f * pl.delta_fac[n]);
    }
}

// Propwash rings, disc area and rotor inertia of propeller n of aircraft p.
void propeller_disc(int p, int n)
{
    planestruct& pl = pln[p];
    const int rep = p == 0;
    if (rep) trk_printf("The %s DISC AREA is broken down into rings for propwash distribution as follows:\n", part_name(n, p));
    const int els = pl.els[n];
    for (int j = 0; j < els; j++) {
        float r1 = (float)(j + 1) / (float)els * pl.semilen[n];
        float r0 = (float)j / (float)els * pl.semilen[n];
        pl.ringarea[n][j] = PI * r1 * r1 - PI * r0 * r0;
        if (rep)
            trk_printf("   element number %d (lat arm=%6.3f mtrs):   ring area=%7.3f square meters.\n", j + 1,
                       get_wing_rarm(n, j, p), pl.ringarea[n][j]);
    }
    pl.discarea[n] = PI * pl.semilen[n] * pl.semilen[n];
    if (rep) trk_printf("                                      TOTAL DISC AREA=%7.3f square meters.\n\n", pl.discarea[n]);
    float chords = pl.Ctip[n] + pl.Croot[n];
    float blade_area = pl.semilen[n] * chords * 0.5f;
    float radius = 0.7071f * pl.semilen[n];
    pl.miprop[n] = blade_area * chords * 0.12f / 2.0f * 0.5f * (pl.is_heli ? 150.0f : 300.0f) * pl.numblades[n] *
                   radius * radius;
    if (!pl.is_heli) pl.miprop[n] *= 1.5f;
    pl.propdir[n] = pl.propdir[n] ? -1 : 1;
}

}  // namespace

const char* part_name(int p, int a)
{
    static const char* const names[28] = {
        "propeller 1", "propeller 2", "propeller 3", "propeller 4", "left wing 1", "rigt wing 1",
        "left wing 2", "rigt wing 2", "left wing 3", "rigt wing 3", "left h-stab", "rigt h-stab",
        "vert stab 1", "vert stab 2", "eng pylon 1", "eng pylon 2", "eng pylon 3", "eng pylon 4",
        "fuselage   ", "nacelle 1  ", "nacelle 2  ", "nacelle 3  ", "nacelle 4  ", "misc body 1",
        "misc body 2", "w-fairing 1", "w-fairing 2", "w-fairing 3"};
    if (p < 0 || p >= 28) return "";
    if (a >= 0 && a <= 1 && pln[a].is_heli) {
        if (p == 0) return "main rotor";
        if (p == 1) return "tail rotor";
    }
    return names[p];
}

int ret_ins_sep(int a, int b, int p)
{
    auto narrow = [p](int loc) {
        int k = (loc >= 0 && loc < 9) ? pln[p].ins_of_loc[loc] : 0;
        return k == 0 || k == 4 || k == 8;
    };
    return (narrow(a) ? 50 : 64) + (narrow(b) ? 51 : 65);
}

void work_down_circle(float r, float* y, float* left, float* right)
{
    if (std::fabs(r) < std::fabs(*y)) MACIBM_alert("y>r", "", "", "", ALERT_COUNT);
    float d = r * r - *y * *y;
    if (d < 0.0f) d = 0.0f;
    *left = -std::sqrt(d);
    *right = std::sqrt(d);
    *y += 1.0f;
}

int load_plane(int p)
{
    if (p < 0 || p > 1) return 0;
    char path[STR_LEN], file[STR_LEN];
    copy_text(path, pln[p].C_path);
    copy_text(file, pln[p].C_file);

    int got = read_checked(p, path);
    if (got <= 0) {
        if (p == 1) return 0;
        // A refused file leaves the user's aircraft as it was; a missing one falls back to the
        // default trainer, as does anything at all before the first aircraft has flown.
        if (got < 0 && loaded[0]) return 0;
        char whole[3 * STR_LEN];
        std::snprintf(whole, sizeof whole, "%s%s%s", app_path, DEFAULT_PLANE_DIR, DEFAULT_PLANE_FILE);
        // The default may be the very file just refused: its alert has been given, once is enough.
        const int same = std::strcmp(path, whole) == 0;
        copy_text(path, whole);
        copy_text(file, DEFAULT_PLANE_FILE);
        copy_text(pln[0].C_path, path);
        copy_text(pln[0].C_file, file);
        if ((same ? got : read_checked(0, path)) <= 0) {
            if (file_opens(path))
                MACIBM_alert("The default aircraft, which is required to start up, could not be read:", path,
                             "The alert before this one says what is wrong with it.",
                             "Put a good copy of that file in its place.", ALERT_FATAL);
            else
                MACIBM_alert("I could not find the plane you last flew, and I could also not find the following:", path,
                             "Be sure that the Cessna 172 is in the 'General Aviation' folder in the 'Planes' folder.",
                             "That (default) airplane is required to start up. Re-Install the 'Planes' folder from the CD "
                             "or download if needed.",
                             ALERT_FATAL);
            return 0;
        }
    }

    planestruct& pl = pln[p];
    copy_text(pl.C_file, file);
    copy_text(pl.C_path, path);
    copy_text(pl.C_name, file);
    size_t len = std::strlen(pl.C_name);
    if (len >= 4) pl.C_name[len - 4] = '\0';
    if (p == 0) report_header();

    convert_units(pl);
    move_to_cg(pl);
    equipment_flags(pl);

    if (p == 0) {
        call_hook(flt_hooks.panel_layout_setup);
        attitude_outline(pl);
    }

    for (int n = 0; n <= 17; n++)
        if (have_this_part(n, p)) lifting_part(p, n);
    if (is_propeller_engine(pl.entype)) {
        for (int n = 0; n <= 3; n++)
            if (have_this_part(n, p)) propeller_disc(p, n);
    }

    finish_plane(p);
    stop_engine_and_windrain();
    if (p == 0) {
        static const int sounds[] = {0, 1, 2, 5, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 3, 18, 19, 20, 21, 22};
        for (int s : sounds) fill_buffer(s);
        flt_prepare();
        set_a_reset();
    }
    loaded[p] = 1;
    return 1;
}
