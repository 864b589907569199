// initpln_finish.cpp -- what finishes a loaded aircraft: fuselage centroid and radii of gyration,
// body areas, slats, flaps, gear springs and resting attitude, estimated stall speed, the downwash
// and propwash maps, and the design checks.
#include "fltdump.h"
#include "hl_afl.h"
#include "hl_drplane.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "initpln.h"

#include <cmath>
#include <cstring>

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float DEG = PI / 180.0f;
constexpr float RAD = 180.0f / PI;

int is_jet(int entype) { return entype == 4 || entype == 5; }
int is_prop(int entype) { return entype >= 1 && entype <= 3; }

// Fuselage centroid and the surface-area distribution of fuselage and lifting parts as squared
// radii of gyration; then the engines' own masses moved to their places.
void mass_properties(int p)
{
    planestruct& pl = pln[p];
    const int rep = p == 0;
    // The sums start from zero whatever the file held in these fields.
    pl.fuseYcent = pl.fuseZcent = 0.0f;
    pl.Jxx_unitmass = pl.Jyy_unitmass = pl.Jzz_unitmass = 0.0f;
    float fuse_area = 0.0f, total = 0.0f;
    const float (*X)[16] = pl.body_X[18];
    const float (*Y)[16] = pl.body_Y[18];
    const float (*Z)[16] = pl.body_Z[18];
    for (int s = 0; s < 10; s++) {
        for (int j = 0; j < 8; j++) {
            // Two triangles per quadrilateral, both sides of the body.
            const int tri[2][3][2] = {{{s, j}, {s + 1, j}, {s + 1, j + 1}}, {{s, j}, {s + 1, j + 1}, {s, j + 1}}};
            for (int t = 0; t < 2; t++) {
                const int(*v)[2] = tri[t];
                float a = 2.0f * findarea(X[v[0][0]][v[0][1]], Y[v[0][0]][v[0][1]], Z[v[0][0]][v[0][1]],
                                          X[v[1][0]][v[1][1]], Y[v[1][0]][v[1][1]], Z[v[1][0]][v[1][1]],
                                          X[v[2][0]][v[2][1]], Y[v[2][0]][v[2][1]], Z[v[2][0]][v[2][1]]);
                float cx = (X[v[0][0]][v[0][1]] + X[v[1][0]][v[1][1]] + X[v[2][0]][v[2][1]]) / 3.0f;
                float cy = (Y[v[0][0]][v[0][1]] + Y[v[1][0]][v[1][1]] + Y[v[2][0]][v[2][1]]) / 3.0f;
                float cz = (Z[v[0][0]][v[0][1]] + Z[v[1][0]][v[1][1]] + Z[v[2][0]][v[2][1]]) / 3.0f;
                pl.fuseYcent += cy * a;
                pl.fuseZcent += cz * a;
                pl.Jxx_unitmass += (cy * cy + cz * cz) * a;
                pl.Jyy_unitmass += (cx * cx + cz * cz) * a;
                pl.Jzz_unitmass += (cx * cx + cy * cy) * a;
                fuse_area += a;
            }
        }
    }
    if (fuse_area > 1e-6f) {
        pl.fuseYcent /= fuse_area;
        pl.fuseZcent /= fuse_area;
    }
    total = fuse_area;
    for (int n = 4; n <= 17; n++) {
        if (!have_this_part(n, p)) continue;
        for (int e = 0; e < pl.els[n]; e++) {
            float r = get_wing_rarm(n, e, p);
            float x = get_wing_Xarm(n, r, p), y = get_wing_Yarm(n, r, p), z = get_wing_Zarm(n, r, p);
            float s = pl.s[n][e];
            pl.Jxx_unitmass += s * (y * y + z * z);
            pl.Jyy_unitmass += s * (x * x + z * z);
            pl.Jzz_unitmass += s * (x * x + y * y);
            total += s;
        }
    }
    if (total > 1e-6f) {
        pl.Jxx_unitmass /= total;
        pl.Jyy_unitmass /= total;
        pl.Jzz_unitmass /= total;
    }
    if (rep) {
        trk_printf("Based on fuselage and wing surface-area distribution:\n");
        trk_printf("   The radius of gyration in roll  is %5.1f meters.\n", std::sqrt(pl.Jzz_unitmass));
        trk_printf("   The radius of gyration in pitch is %5.1f meters.\n", std::sqrt(pl.Jxx_unitmass));
        trk_printf("   The radius of gyration in yaw   is %5.1f meters.\n\n", std::sqrt(pl.Jyy_unitmass));
    }

    if (pl.entype != 0 && pl.m_empty > 0.0f) {
        float w;
        if (pl.entype == 1 || pl.entype == 2) w = pl.pmax * con.watttohp * 1.75f;
        else if (pl.entype == 3) w = pl.pmax * con.watttohp * 0.5f;
        else w = pl.tmax * con.ntntolbs * 0.18f;
        w *= con.lbstokgs;
        int n = pl.numen > 4 ? 4 : pl.numen;
        // The airframe keeps what the engines do not weigh, never less than nothing.
        float keep = fltlim((pl.m_empty - (float)n * w) / pl.m_empty, 0.0f, 1.0f);
        pl.Jxx_unitmass *= keep;
        pl.Jyy_unitmass *= keep;
        pl.Jzz_unitmass *= keep;
        for (int i = 0; i < n; i++) {
            float x = pl.Xarm[i], y = pl.Yarm[i], z = pl.Zarm[i];
            pl.Jxx_unitmass += (y * y + z * z) * w / pl.m_empty;
            pl.Jyy_unitmass += (x * x + z * z) * w / pl.m_empty;
            pl.Jzz_unitmass += (x * x + y * y) * w / pl.m_empty;
            if (rep) {
                trk_printf("Engine number %d, however, weighs %6.1f kg, and is at:\n", i + 1, w);
                trk_printf("   long arm=%6.2f meters.\n", z);
                trk_printf("   lat  arm=%6.2f meters.\n", x);
                trk_printf("   vert arm=%6.2f meters.\n\n", y);
            }
        }
        if (rep) {
            trk_printf("Final radii of gyration are then as follows:\n");
            trk_printf("   The radius of gyration in roll is  %5.1f meters.\n", std::sqrt(pl.Jzz_unitmass));
            trk_printf("   The radius of gyration in pitch is %5.1f meters.\n", std::sqrt(pl.Jxx_unitmass));
            trk_printf("   The radius of gyration in yaw is   %5.1f meters.\n\n", std::sqrt(pl.Jyy_unitmass));
        }
    }
}

// The largest cross-section of body b: twice the area under one side's outline.
float frontal_area(int p, int b)
{
    const planestruct& pl = pln[p];
    int ns = f_body_s_dim(b, p), half = f_body_r_dim(b) / 2;
    float best = 0.0f;
    for (int s = 0; s < ns; s++) {
        float a = 0.0f;
        for (int j = 1; j <= half; j++)
            a += (pl.body_Y[b][s][j - 1] - pl.body_Y[b][s][j]) * (pl.body_X[b][s][j] + pl.body_X[b][s][j - 1]) * 0.5f;
        a *= 2.0f;
        if (a > best) best = a;
    }
    return best;
}

void body_areas(int p)
{
    planestruct& pl = pln[p];
    pl.fuse_s_frn = frontal_area(p, 18);
    pl.nace_s = frontal_area(p, 19);
    pl.misc_s = frontal_area(p, 23);
    pl.fair_s = frontal_area(p, 25);
    pl.fuse_s_sid = pl.fuse_s_top = 0.0f;
    for (int s = 0; s < 10; s++) {
        float h0 = pl.body_Y[18][s][0] - pl.body_Y[18][s][8], h1 = pl.body_Y[18][s + 1][0] - pl.body_Y[18][s + 1][8];
        float w0 = 2.0f * pl.body_X[18][s][4], w1 = 2.0f * pl.body_X[18][s + 1][4];
        float dz = std::fabs(pl.body_Z[18][s + 1][0] - pl.body_Z[18][s][0]);
        pl.fuse_s_sid += (h0 + h1) * 0.5f * dz;
        pl.fuse_s_top += (w0 + w1) * 0.5f * dz;
    }
    if (p == 0) {
        trk_printf("Based on fuselage geometry:\n");
        trk_printf("   The frontal area of the fuselage is %6.2f square meters.\n", pl.fuse_s_frn);
        trk_printf("   The side    area of the fuselage is %6.2f square meters.\n", pl.fuse_s_sid);
        trk_printf("   The top     area of the fuselage is %6.2f square meters.\n", pl.fuse_s_top);
        trk_printf("   The longitudinal centroid of the fuselage is at %6.2f meters.\n", pl.fuseZcent);
        trk_printf("   The vertical     centroid of the fuselage is at %6.2f meters.\n", pl.fuseYcent);
        trk_printf("These dimensions, like all dimensions in this output file, are with respect to the C.G.!\n\n");
        if (pl.nace_eq && !is_jet(pl.entype))
            trk_printf("The frontal area of the engine nacelles is   %6.2f square meters each.\n", pl.nace_s);
        if (pl.misc_eq) trk_printf("The frontal area of the fuel tanks/floats is %6.2f square meters each.\n", pl.misc_s);
        if (pl.fair_eq) trk_printf("The frontal area of the wheel fairings is    %6.2f square meters each.\n", pl.fair_s);
    }
}

void slats_and_flaps(int p)
{
    planestruct& pl = pln[p];
    for (int n = 0; n < 28; n++) pl.slat_effect[n] = 1.0f;
    for (int n = 4; n <= 11; n++) {
        if (!have_this_part(n, p)) continue;
        int any = 0;
        for (int e = 0; e < pl.els[n]; e++) any |= pl.slat[n][e] != 0;
        if (!any || std::fabs(pl.alpha_max[n]) < 1e-3f) continue;
        pl.slat_effect[n] = (pl.alpha_max[n] + pl.slat_inc) / pl.alpha_max[n];
        if (p == 0) {
            trk_printf("For %s:\n", part_name(n, p));
            trk_printf("Full slat deployment will cause coefficient data to spread out alpha-wise to %5.1f%% of original.\n",
                       100.0f * pl.slat_effect[n]);
            trk_printf("Full slat deployment will also change the lift coefficient by the same amount (keeping the "
                       "lift SLOPE the same).\n\n");
        }
    }
    if (pl.flapEQ) grabflap(pl.flap_str, pl.clflap, pl.cdflap, pl.cmflap);
}

// Gear springs from the weight each leg carries and a static compression growing with weight,
// and the attitude and height the aircraft rests at.
void gear(int p)
{
    planestruct& pl = pln[p];
    const float g = con.g;
    const float w = pl.m_max * g;
    float lb = pl.m_max * con.kgstolbs;
    float d = interp(1.0f, 0.15f, 10000.0f, 1.5f, lb);
    d = fltlim(d, 0.01f, 1.0f) * con.fttomtrs;   // never more than a foot, never nothing
    float base = pl.mgearZ - pl.ngearZ;
    if (std::fabs(base) < 1e-3f) base = base < 0.0f ? -1e-3f : 1e-3f;
    float fn = w * pl.mgearZ / base;
    float fm = w * (-pl.ngearZ) / base * 0.5f;
    pl.ngearcon = fn / d;
    pl.mgearcon = fm / d;
    if (pl.ngearZ < pl.mgearZ) pl.ngearcon = pl.mgearcon;
    pl.ngeardmp = 0.1f * pl.ngearcon;
    pl.mgeardmp = 0.1f * pl.mgearcon;
    pl.skidcon = w * 0.25f / d * 2.0f;
    pl.skiddmp = 0.05f * pl.skidcon;

    if (pl.gear_type == 2) {
        float l = std::fabs(pl.skidl) > 1e-3f ? pl.skidl : 1e-3f;
        float front = w * (l + pl.skidZ) / l;
        float rear = w * (-pl.skidZ) / l;
        float hf = -pl.skidY - front / (2.0f * pl.skidcon);
        float hr = -pl.skidY - rear / (2.0f * pl.skidcon);
        pl.h_eqlbm = interp(pl.skidZ, hf, pl.skidZ + l, hr, 0.0f);
        pl.the_eqlbm = fltwrap(std::asin(fltlim((hf - hr) / l, -1.0f, 1.0f)) * RAD, -180.0f, 180.0f);
    } else if (pl.gear_type > 2) {
        pl.h_eqlbm = interp(pl.mgearZ, -pl.mgearY, pl.ngearZ, -pl.ngearY, 0.0f);
        pl.the_eqlbm = fltwrap(std::asin(fltlim((-pl.ngearY + pl.mgearY) / base, -1.0f, 1.0f)) * RAD, -180.0f, 180.0f);
        if (pl.ngearcon > 0.0f) pl.ngearY -= fn / pl.ngearcon;
        if (pl.mgearcon > 0.0f) pl.mgearY -= fm / pl.mgearcon;
    }
}

void stall_speed(int p)
{
    const planestruct& pl = pln[p];
    if (p != 0) return;   // the estimate belongs to the user's aircraft
    if (pl.is_heli) {
        msc.est_Vs = 50.0f * con.ktstomsc;
        return;
    }
    float S = 0.0f;
    const int halves[4] = {4, 6, 8, 10};
    for (int n : halves)
        if (have_this_part(n, p)) S += pl.semilen[n] * (pl.Ctip[n] + pl.Croot[n]);
    msc.est_Vs = S > 1e-3f ? std::sqrt(2.0f * pl.m_max * con.g / (S * con.rhoSL)) : 50.0f * con.ktstomsc;
}

int same_side(int i, int k) { return (i % 2) == (k % 2); }

void downwash_map(int p)
{
    planestruct& pl = pln[p];
    const int rep = p == 0;
    std::memset(pl.in_downwash, 0, sizeof pl.in_downwash);
    for (int n = 0; n < 28; n++) pl.spec_wash[n] = 0.0f;
    for (int i = 4; i <= 11; i++) {
        if (!have_this_part(i, p)) continue;
        for (int k = 4; k <= 11; k++) {
            if (k == i || !have_this_part(k, p) || !same_side(i, k) || !(pl.Zarm[k] < pl.Zarm[i])) continue;
            float a = pl.Xarm[k], b = get_wing_Xarm(k, pl.semilen[k], p);
            for (int e = 0; e < pl.els[i]; e++) {
                float x = get_wing_Xarm(i, get_wing_rarm(i, e, p), p);
                if (fltrange(x, std::fmin(a, b), std::fmax(a, b))) pl.in_downwash[i][k][e] = 1;
            }
        }
    }
    if (rep) {
        trk_printf("DOWNWASH SITUATION:  W1=wing 1\n");
        trk_printf("                     W2=wing 2\n");
        trk_printf("                     W3=wing 3\n");
        trk_printf("                     HS=horiz stab\n\n");
        static const char* const marks[4] = {"W1", "W2", "W3", "HS"};
        for (int left = 4; left <= 10; left += 2) {
            trk_printf("%s: ", part_name(left, p));
            for (int e = 7; e >= 0; e--) {
                for (int u = 0; u < 4; u++) {
                    int k = 4 + 2 * u;
                    if (e >= pl.els[left] || !have_this_part(left, p)) trk_printf("  ");
                    else trk_printf("%s", pl.in_downwash[left][k][e] ? marks[u] : "--");
                }
            }
            trk_printf("FUSE");
            int right = left + 1;
            for (int e = 0; e < 8; e++) {
                for (int u = 0; u < 4; u++) {
                    int k = 5 + 2 * u;
                    if (e >= pl.els[right] || !have_this_part(right, p)) trk_printf("  ");
                    else trk_printf("%s", pl.in_downwash[right][k][e] ? marks[u] : "--");
                }
            }
            trk_printf("\n");
        }
        trk_printf("\n");
    }
    for (int i = 4; i <= 11; i++) {
        for (int k = 4; k <= 11; k++) {
            int any = 0;
            for (int e = 0; e < 8; e++) any |= pl.in_downwash[i][k][e];
            if (!any || pl.semilen[k] <= 0.0f) continue;
            float zsep = std::fabs(pl.Yarm[i] - pl.Yarm[k]) / pl.semilen[k];
            float xsep = std::fabs(pl.Zarm[i] - pl.Zarm[k]) / pl.semilen[k];
            float tr = pl.Croot[k] > 1e-6f ? pl.Ctip[k] / pl.Croot[k] : 1.0f;
            pl.spec_wash[k] = findspecwash(zsep, xsep, pl.AR[k], tr);
            if (rep) {
                trk_printf("Based on the %s AR of %5.2f,\n", part_name(k, p), pl.AR[k]);
                trk_printf("                         TR of %5.2f,\n", tr);
                trk_printf("                         x-separation of %5.2f semi-spans,\n", xsep);
                trk_printf("                     and z-separation of %5.2f semi-spans,\n", zsep);
                trk_printf("the downwash of the %s on the %s will be %5.2f deg per coefficient of lift\n",
                           part_name(k, p), part_name(i, p), pl.spec_wash[k]);
                trk_printf("TIMES THE COSINE of the %s sweep.\n\n", part_name(k, p));
            }
        }
    }
}

void propwash_map(int p)
{
    planestruct& pl = pln[p];
    const int rep = p == 0;
    std::memset(pl.in_propwash, 0, sizeof pl.in_propwash);
    std::memset(pl.lo_washdir, 0, sizeof pl.lo_washdir);
    std::memset(pl.hi_washdir, 0, sizeof pl.hi_washdir);
    std::memset(pl.max_washdir, 0, sizeof pl.max_washdir);
    if (pl.is_heli) return;
    for (int i = 0; i <= 3; i++) {
        if (!have_this_part(i, p)) continue;
        for (int k = 4; k <= 13; k++) {
            if (!have_this_part(k, p) || !(pl.Zarm[i] < pl.Zarm[k])) continue;
            for (int e = 0; e < pl.els[k]; e++) {
                float r = get_wing_rarm(k, e, p);
                float x = get_wing_Xarm(k, r, p), y = get_wing_Yarm(k, r, p);
                if (fltrange(x, pl.Xarm[i] - pl.semilen[i], pl.Xarm[i] + pl.semilen[i]) &&
                    fltrange(y, pl.Yarm[i] - pl.semilen[i], pl.Yarm[i] + pl.semilen[i]))
                    pl.in_propwash[k][i][e] = 1;
            }
        }
    }
    if (rep) {
        trk_printf("\nPROPWASH SITUATION: 1 through 4 means propwash from that engine on element.\n\n");
        for (int left = 4; left <= 12; left += 2) {
            trk_printf("%s: ", part_name(left, p));
            for (int e = 7; e >= 0; e--)
                for (int i = 0; i < 4; i++)
                    trk_printf("%c", e >= pl.els[left] ? ' ' : pl.in_propwash[left][i][e] ? (char)('1' + i) : '-');
            trk_printf("FUSE");
            for (int e = 0; e < 8; e++)
                for (int i = 0; i < 4; i++)
                    trk_printf("%c", e >= pl.els[left + 1] ? ' ' : pl.in_propwash[left + 1][i][e] ? (char)('1' + i) : '-');
            trk_printf("\n");
        }
    }
    for (int i = 0; i <= 3; i++) {
        for (int k = 4; k <= 13; k++) {
            int any = 0;
            for (int e = 0; e < 8; e++) any |= pl.in_propwash[k][i][e];
            if (!any) continue;
            float dz = pl.Zarm[k] - pl.Zarm[i], dy = pl.Yarm[k] - pl.Yarm[i];
            pl.max_washdir[k][i] = std::atan2(dy, dz) * RAD;
            pl.hi_washdir[k][i] = std::atan2(dy + pl.semilen[i], dz) * RAD;
            pl.lo_washdir[k][i] = std::atan2(dy - pl.semilen[i], dz) * RAD;
            if (rep) {
                trk_printf("For propwash from %s onto %s:\n", part_name(i, p), part_name(k, p));
                trk_printf("There will be no   propwash if the propwash stream angle is above %6.2f deg.\n",
                           pl.hi_washdir[k][i]);
                trk_printf("There will be full propwash if the propwash stream angle is       %6.2f deg.\n",
                           pl.max_washdir[k][i]);
                trk_printf("There will be no   propwash if the propwash stream angle is below %6.2f deg.\n",
                           pl.lo_washdir[k][i]);
                trk_printf("The computer will interpolate automatically between these numbers based on prop stream angle.\n");
            }
        }
    }
}

void fatal(const char* l1, const char* l2, const char* l3, const char* l4) { MACIBM_alert(l1, l2, l3, l4, ALERT_FATAL); }

void design_checks(int p)
{
    const planestruct& pl = pln[p];
    const char* physics2 = "This defies the immutable laws of physics!";
    const char* physics3 = "Please do not defy the immutable laws of physics!";
    const char* tails = "There are 2 different tail-types in Kestrova: STABILIZER and STABILATOR.";
    const int aero = !pl.is_heli;
    const int jet = is_jet(pl.entype), prop = is_prop(pl.entype);

    if (aero && pl.Vno == 0.0f) fatal("You entered a Vno of zero!", "You need to change this in Hullwright.", "", "");
    if (aero && pl.Vne == 0.0f) fatal("You entered a Vne of zero!", "You need to change this in Hullwright.", "", "");
    if (pl.m_empty < 1.0f) fatal("You have entered an empty weight of zero!", physics2, physics3, pl.C_file);
    if (pl.m_max < 1.0f) fatal("You have entered a maximum weight of zero!", physics2, physics3, pl.C_file);
    if ((pl.entype == 1 || pl.entype == 2) && pl.mpmax < 0.1f)
        fatal("You have entered a maximum manifold pressure in Hullwright of 0!",
              "It is not possible for a reciprocating engine to operate at full power with zero manifold pressure!",
              "Enter a correct maximum manifold pressure in Hullwright... probably 29.9 for normally-aspirated engines.", "");
    {
        const airfoilstruct& af = afl[p];
        int bad = 0;
        for (int n = 0; n <= 13 && !bad; n++)
            for (int r = 0; r < 2 && !bad; r++)
                for (int k = 0; k < 2 && !bad; k++)
                    for (int i = 0; i < 271 && !bad; i++)
                        bad = af.cdpos[n][r][k][i] < -0.01f || af.cdneg[n][r][k][i] < -0.01f;
        if (bad)
            fatal("An airfoil used by this aircraft has negative drag at some angle of attack!",
                  "You cannot change the laws of physics! Modify any impossible airfoils in 'Foilwright' to have positive drag!",
                  "", "");
    }
    for (int s = 1; s <= 10; s++) {
        if (pl.body_Z[18][s][0] == pl.body_Z[18][s - 1][0]) {
            fatal("You have entered a fuselage with at least two sections at the same station!",
                  "In other words, the longitudinal location of two fuselage cross-sections is the same.",
                  "This is not tenable for the aerodynamics/hydrodynamics flight model.", "Please chnage this in Hullwright.");
            break;
        }
    }
    if (pl.paneltype == 2 && (pl.supptype == 3 || pl.supptype == 6))
        fatal("You have indicated in 'Hullwright' that this aircraft has a GLASS PANEL.",
              "However, you have selected either the Argus or weather-radar as the equipment option.",
              "The glass panel contains all the information of both the Argus and weather radar systems.",
              "Therefore you need to change your equipment type to some other option.");
    if (pl.m_empty > pl.m_max)
        fatal("You have selected an empty weight that is greater than the maximum weight for this airplane!",
              "Go into Hullwright and set the empty weight to less than the maximum weight!",
              "The airplane in question is:", pl.C_file);
    if (pl.hstabtype == 1 && pl.hstbtrimmax > 0.01f)
        fatal(tails, "You select the tail type for your airplane in the Hullwright Horizontal Stabilizer screen.",
              "If you select a tail-type of STABILATOR, you may NOT enter a STABILIZER trim. (Trim is automatically set "
              "as a fraction of the full travel).",
              "You have selected a trim, though. Go into Hullwright and set the STABILIZER trim to 0, or set the "
              "tail-type to STABILIZER.");
    if (pl.hstabtype == 1) {
        int elev = 0;
        for (int e = 0; e < 8; e++) elev |= pl.elev[10][e] != 0;
        if (elev)
            fatal(tails, "With STABILIZERS, an elevator moves for pitch control.",
                  "With STABILATORS, the whole tail moves for pitch control.",
                  "You have selected elevators as being on a STABILATOR, which is not acceptable. Correct the design in "
                  "Hullwright.");
    }
    if (pl.fusewash && !prop)
        fatal("You have selected the fuselage as being in propwash, yet there are no propellers on this aircraft!",
              "This has me very confused.",
              "Select reciprocating or turboprop engines, or select the fuselage as NOT being in propwash.",
              "Do this in 'Hullwright'.");
    if (pl.vectEQ && prop && (pl.elevcyclic == 0.0f || pl.ailncyclic == 0.0f) && (pl.puffL == 0.0f || pl.puffM == 0.0f))
        fatal("This aircraft has vectored thrust, but does NOT have pitch and roll cyclic deflections or puffers!",
              "There will be no control authority in hover!", "Add pitch and roll cyclic deflections or add puffers.",
              "...or check the aircraft as being NON-VECTORED THRUST in Foilwright, 'engines' menu.");
    if (pl.vectEQ && jet && (pl.puffL == 0.0f || pl.puffM == 0.0f))
        fatal("The puffer moments in pitch and roll are zero.",
              "This will not allow you to manuever the aircraft in pitch or roll.",
              "Put in some puffers for pitch and roll control....",
              "...you can use differential vectoring for rudder control.");
    if (aero) {
        int any = 0;
        for (int n = 4; n <= 13; n++) any |= have_this_part(n, p);
        if (!any)
            fatal("This aircraft has no flying surfaces!",
                  "You must have at least a stabilizer or something on the airplane!",
                  "Put on a wing or stabilizer or something in Hullwright.", "");
    }
    if (std::fabs(fltwrap(pl.the_eqlbm, -180.0f, 180.0f)) > 30.0f)
        MACIBM_alert("This thing sits on the ground with an excessive attitute.",
                     "Check up on the landing gear locations and heights in Hullwright.", "",
                     "I will let you go flying, but you may encounter problems on the ground.", ALERT_NOTICE);
    if (pl.vectEQ) {
        int canted = 0;
        for (int i = 0; i < 4 && i < pl.numen; i++) canted |= std::fabs(pl.vertcant[i]) > 0.01f;
        if (canted)
            fatal("This aircraft has both vectored thrust and a canted engine! The trigonometry for this is not "
                  "currently supported.",
                  "You must set the thrust-vectoring option OFF OR set the engine cants to ZERO in Hullwright.",
                  "Call customer support if niether of these options is feasible.", "");
    }
    int varsweep = pl.varsweepEQ[4] || pl.varsweepEQ[6] || pl.varsweepEQ[8] || pl.varsweepEQ[10];
    if (pl.vectEQ && varsweep)
        fatal("Aircraft has vectored thrust and variable-sweep wing or stabilizer!",
              "This is not allowed because the thrust vector and wing-sweep controls will overlap on the engine "
              "control console.",
              "Use vect thrust OR variable-sweep wings, not both.", "Correct the problem in Hullwright.");
    if (pl.autosweepEQ && !varsweep)
        fatal("Your aircraft has been selected to have the wings and/or horizontal stabilizer sweep automatically ",
              "...yet neither the wings nor the horizontal stabilizer are selected for variable sweep!",
              "This is untenable.", "Correct the problem in Hullwright.");
    if (pl.gear_type == 2 && (pl.skidZ > 0.0f || pl.skidl + pl.skidZ < 0.0f))
        fatal("The center of gravity is not between the front and back of the skid!",
              "This will result in a machine that falls on it's nose or tail on the ground!", "", "");
    if (pl.gear_type > 2 &&
        ((pl.ngearZ >= 0.0f && pl.mgearZ >= 0.0f) || (pl.ngearZ <= 0.0f && pl.mgearZ <= 0.0f)))
        fatal("The center of gravity is not between the nose gear and the main gear!",
              "This will result in a plane that falls on it's nose or tail on the ground!",
              "Keep the CG between the landing gear by using 'Hullwright' to enter the gear and CG in the right place", "");
    if (prop && pl.omegamax < pl.omegamin)
        fatal("You entered an idle rpm greater then the maximum engine rpm in Hullwright!",
              "That is not possible. Go back into Hullwright, select the 'Engine' screen, and enter the engine rpm data.",
              "The airplane in question is:", pl.C_file);
    if (prop && pl.pmax < 1.0f)
        fatal("You requested a reciprocating or turbine engine in Hullwright, but have entered an engine power of zero!",
              "This is not good. To fly a glider, enter a number of engines of ZERO. To fly a jet, enter that as the "
              "engine type.",
              "The airplane in question is:", pl.C_file);
    if (jet && pl.tmax < 1.0f)
        fatal("You requested a jet engine in Hullwright, but have entered an engine thrust of zero!",
              "This is not good. To fly a glider, enter a number of engines of ZERO. To fly a prop plane, enter that "
              "as the engine type.",
              "The airplane in question is:", pl.C_file);
    if (pl.is_heli && jet)
        fatal("You are using a jet engine on this helicopter!", "Helicopters may use reciprocating or turboprop engines only.",
              "Generate a turboprop engine in Foilwright, and select that engine for your helicopter in Hullwright.", "");
    if (pl.is_heli && pl.entype == 0)
        fatal("You have selected no engines for your helicopter!",
              "Make sure you have either 1 or 2 engines selected for your helicopter in Hullwright", "", "");
}

}  // namespace

float findarea(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3)
{
    float ax = x2 - x1, ay = y2 - y1, az = z2 - z1;
    float bx = x3 - x1, by = y3 - y1, bz = z3 - z1;
    float cx = ay * bz - az * by, cy = az * bx - ax * bz, cz = ax * by - ay * bx;
    return 0.5f * std::sqrt(cx * cx + cy * cy + cz * cz);
}

float interp9(float x1, float x2, float x3, float y1, float y2, float y3, const float v[9], float x, float y)
{
    int r0 = x <= x2 ? 0 : 1;
    int c0 = y > y2 ? 0 : 1;
    const float xs[3] = {x1, x2, x3}, ys[3] = {y1, y2, y3};
    float a = interp(ys[c0], v[r0 * 3 + c0], ys[c0 + 1], v[r0 * 3 + c0 + 1], y);
    float b = interp(ys[c0], v[(r0 + 1) * 3 + c0], ys[c0 + 1], v[(r0 + 1) * 3 + c0 + 1], y);
    return interp(xs[r0], a, xs[r0 + 1], b, x);
}

float findspecwash(float zsep, float xsep, float AR, float TR)
{
    static const float base[9] = {6.2f, 4.0f, 3.0f, 8.0f, 5.1f, 3.9f, 9.1f, 6.1f, 4.3f};
    static const float slope[9] = {-5.25f, -3.5f, -2.51f, -8.17f, -5.33f, -4.0f, -12.0f, -7.38f, -5.0f};
    static const float tt[9] = {0.8f, 0.6f, 0.5f, 0.7f, 0.5f, 0.4f, 0.4f, 0.3f, 0.1f};
    static const float uu[9] = {1.5f, 1.3f, 1.0f, 1.5f, 1.1f, 0.7f, 1.4f, 1.0f, 0.4f};
    zsep = fltlim(zsep, 0.0f, 1.0f);
    xsep = fltlim(xsep, 0.5f, 2.0f);
    AR = fltlim(AR, 3.0f, 15.0f);
    TR = fltlim(TR, 0.1f, 1.1f);
    float o = interp9(6, 9, 12, 1, 0.5f, 0.2f, base, AR, TR);
    float r = interp9(6, 9, 12, 1, 0.5f, 0.2f, slope, AR, TR);
    float t = interp9(6, 9, 12, 1, 0.5f, 0.2f, tt, AR, TR);
    float u = interp9(6, 9, 12, 1, 0.5f, 0.2f, uu, AR, TR);
    float w = interp(0.0f, u, 0.4f, t, zsep);
    float A = fltlim(o + r * zsep, 0.0f, 10.0f);
    float B = fltlim((xsep - 0.6f) * w, 0.0f, 10.0f);
    return A - (xsep - 0.6f) * B;
}

void finish_plane(int p)
{
    mass_properties(p);
    body_areas(p);
    slats_and_flaps(p);
    gear(p);
    stall_speed(p);
    downwash_map(p);
    propwash_map(p);
    design_checks(p);
}
