// hw_design.cpp -- the designer's rules on the record: airfoil thicknesses, the copies that keep
// the left-hand parts and the repeated parts consistent, the propeller design, body smoothing and
// the preview's distance unit.
#include "hullwright.h"

#include "hl_afl.h"
#include "hl_design.h"
#include "hl_drplane.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "hl_wind.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

constexpr float TWO_PI = 6.28318530718f;

// Section s of body b as arrays of its points.
float* bx(int b, int s) { return pln[0].body_X[b][s]; }
float* by(int b, int s) { return pln[0].body_Y[b][s]; }
float* bz(int b, int s) { return pln[0].body_Z[b][s]; }

// The lifting parts whose thicknesses the aircraft's kind uses.
int uses_part(int p) { return !pln[0].is_heli || p == 0 || p == 1 || (p >= 10 && p <= 13); }

// Reach of one point seen from the centre of gravity.
struct reach {
    float fore = 1e30f, aft = -1e30f, side = 0.0f;
    void add(float x, float z)
    {
        fore = std::fmin(fore, z);
        aft = std::fmax(aft, z);
        side = std::fmax(side, std::fabs(x));
    }
};

}  // namespace

float assign_foil_thickness(const char* name, int part, int tip)
{
    if (part < 0 || part >= AFL_PARTS || tip < 0 || tip > 1) return 0.0f;
    float t = 0.0f;
    char path[STR_LEN];
    if (name && name[0] && std::snprintf(path, sizeof path, "%s%s", afl_path, name) < STR_LEN) {
        const int r = afl_read_thickness(path, &t);
        if (r == -1) MACIBM_alert("You didn't select a foil!", "", "", "", ALERT_NOTICE);
        if (r != 1) t = 0.0f;
    }
    afl[0].trat[part][tip] = t;
    return t;
}

void assign_all_thicknesses(void)
{
    // A file that many parts name is read once, so a bad one gives one notice, not one a part.
    const char* read[36];
    float got[36];
    int n = 0;
    for (int p = 0; p < 18; p++) {
        if (!uses_part(p)) continue;
        for (int tip = 0; tip < 2; tip++) {
            const char* name = tip ? pln[0].Tafl0[p] : pln[0].Rafl0[p];
            int k = 0;
            while (k < n && std::strncmp(read[k], name, STR_LEN) != 0) k++;
            if (k < n) {
                afl[0].trat[p][tip] = got[k];
                continue;
            }
            read[n] = name;
            got[n++] = assign_foil_thickness(name, p, tip);
        }
    }
}

void hw_consistency(void)
{
    planestruct* pl = &pln[0];
    for (int right : {5, 7, 9, 11}) copy_foil(pl, right, right - 1);
    for (int p = 15; p <= 17; p++) copy_foil(pl, 14, p);
    for (int b = 20; b <= 22; b++) copy_body(pl, BODY_NACELLE, b);
    copy_body(pl, BODY_MISC, 24);
    copy_body(pl, BODY_FAIRING, 26);
    copy_body(pl, BODY_FAIRING, 27);
    if (pl->is_heli) {
        pl->ins_of_loc[4] = 0;
        pl->ins_of_loc[8] = 0;
        pl->radiotype = 1;
        pl->vertcant[1] = 0.0f;
    }
}

void design_prop(int engine, int mode, float pitch_in, float* pitch_out)
{
    if (engine < 0 || engine > 3) return;
    planestruct& pl = pln[0];
    if (mode == 1) pl.des_vel[engine] = prop_speed_of_pitch(pitch_in, pl.des_rpm[engine]);
    float angles[8], adv = 0.0f;
    const int els = intlim(pl.els[engine], 1, 8);
    if (prop_design_angles(pl.semilen[engine], els, pl.des_vel[engine], pl.des_rpm[engine], angles, &adv)) {
        for (int e = 0; e < els; e++) pl.anginc[engine][e] = angles[e];
        pl.des_adv[engine] = adv;
    }
    if (pitch_out) *pitch_out = prop_pitch_of_speed(pl.des_vel[engine], pl.des_rpm[engine]);
}

float ret_y_center(int b, int s)
{
    const int n = f_body_r_dim(b);
    float sum = 0.0f;
    for (int k = 0; k < n; k++) sum += by(b, s)[k];
    return sum / (float)n;
}

float ret_ave_rad(int b)
{
    const int ns = f_body_s_dim(b, 0), n = f_body_r_dim(b);
    float sum = 0.0f;
    int count = 0;
    for (int s = 1; s < ns - 1; s++) {
        const float c = ret_y_center(b, s);
        for (int k = 0; k < n; k++) {
            sum += std::sqrt(bx(b, s)[k] * bx(b, s)[k] + (by(b, s)[k] - c) * (by(b, s)[k] - c));
            count++;
        }
    }
    const float a = count ? sum / (float)count : 0.0f;
    return a < 0.01f ? 0.01f : a;
}

void smoothit(int b, int total)
{
    if (b < 18 || b > 27) return;
    const int ns = f_body_s_dim(b, 0), n = f_body_r_dim(b);
    const float A = ret_ave_rad(b);

    // Along the body: each inner point a tenth of the way to the straight line between the same
    // point of the sections before and after, from the sections as they stood.
    if (total) {
        static float x0[18][16], y0[18][16], z0[18][16];
        for (int s = 0; s < ns; s++)
            for (int k = 0; k < n; k++) {
                x0[s][k] = bx(b, s)[k];
                y0[s][k] = by(b, s)[k];
                z0[s][k] = bz(b, s)[k];
            }
        for (int s = 1; s < ns - 1; s++)
            for (int k = 0; k < n; k++) {
                const float dz = z0[s + 1][k] - z0[s - 1][k];
                const float f = std::fabs(dz) > 1e-6f ? (z0[s][k] - z0[s - 1][k]) / dz : 0.5f;
                const float tx = x0[s - 1][k] + f * (x0[s + 1][k] - x0[s - 1][k]);
                const float ty = y0[s - 1][k] + f * (y0[s + 1][k] - y0[s - 1][k]);
                bx(b, s)[k] += 0.1f * (tx - x0[s][k]);
                by(b, s)[k] += 0.1f * (ty - y0[s][k]);
            }
    }

    // Round each section: every point a fifth of the way to the ellipse of the section's half-width
    // (the point a quarter round), half-height (points 0 and half round) and mean height.
    for (int s = 0; s < ns; s++) {
        const float w = bx(b, s)[n / 4];
        const float h = 0.5f * (by(b, s)[0] - by(b, s)[n / 2]);
        const float c = ret_y_center(b, s);
        for (int k = 0; k < n; k++) {
            const float a = TWO_PI * (float)k / (float)n;
            bx(b, s)[k] = 0.2f * w * std::sin(a) + 0.8f * bx(b, s)[k];
            by(b, s)[k] = 0.2f * (h * std::cos(a) + c) + 0.8f * by(b, s)[k];
        }
    }

    // The size the body had: every point's distance from its section's mean height scaled by A/B.
    if (total) {
        const float k_scale = A / ret_ave_rad(b);
        for (int s = 0; s < ns; s++) {
            const float c = ret_y_center(b, s);
            for (int k = 0; k < n; k++) {
                bx(b, s)[k] *= k_scale;
                by(b, s)[k] = c + (by(b, s)[k] - c) * k_scale;
            }
        }
    }
}

float find_dis_to_plane(void)
{
    const planestruct& pl = pln[0];
    reach r;
    for (int p = 0; p < 4; p++) {
        if (!have_this_part(p, 0)) continue;
        r.add(std::fabs(pl.Xarm[p]) + std::fabs(pl.semilen[p]), pl.Zarm[p]);
    }
    for (int p = 4; p <= 13; p++) {
        if (!have_this_part(p, 0)) continue;
        const float len = pl.semilen[p];
        const float tz = get_wing_Zarm(p, len, 0), tx = get_wing_Xarm(p, len, 0);
        r.add(pl.Xarm[p], pl.Zarm[p] - 0.25f * pl.Croot[p]);
        r.add(pl.Xarm[p], pl.Zarm[p] + 0.75f * pl.Croot[p]);
        r.add(tx, tz - 0.25f * pl.Ctip[p]);
        r.add(tx, tz + 0.75f * pl.Ctip[p]);
    }
    for (int b = 18; b <= 27; b++) {
        if (!have_this_part(b, 0)) continue;
        float ox, oy, oz;
        get_body_os(b, &ox, &oy, &oz, 0);
        const int ns = f_body_s_dim(b, 0), n = f_body_r_dim(b);
        for (int s = 0; s < ns; s++)
            for (int k = 0; k < n; k++) r.add(ox + bx(b, s)[k], oz + bz(b, s)[k]);
    }
    if (pl.gear_type >= 3) {
        r.add(0.0f, pl.ngearZ);
        r.add(pl.mgearX, pl.mgearZ);
    }
    float d = 1.0f;
    if (r.aft >= r.fore) d = fltmax3(r.side, std::fmax(pl.cgZ - r.fore, r.aft - pl.cgZ), 1.0f);
    return std::isfinite(d) ? d : 1.0f;
}
