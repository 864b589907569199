// contact.cpp -- ground, deck and water contact.
#include "contact.h"

#include "fltdump.h"
#include "fltgeom.h"
#include "fltutil.h"
#include "hl_drplane.h"
#include "fltmath.h"
#include "hl_funct.h"
#include "hl_types.h"

#include <cmath>

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float DEG = PI / 180.0f;

// u |u|: a drag-like square that keeps the sign.
float ssq(float u) { return u * std::fabs(u); }

// The rudder pedal that steers the nose wheel or brakes differentially.
float pedal(void) { return set.eq_ped ? set.YK_hdng : set.YK_roll; }

// The ground cell the sub-step's contact points share: the wheels, tips and bodies of one aircraft
// mostly stand in one or two cells of the region's grid.
groundcell no_ground(void)
{
    groundcell g;
    ground_cell_forget(&g);
    return g;
}
groundcell ground = no_ground();

// The ground under a point: a ship's deck or an obstacle's top when the aircraft is over one, else
// the terrain through the shared cell.
float ground_under(float xp, float zp)
{
    if (env.over_carr || env.over_frig || env.over_obs)
        return find_local_h(xp, zp, &env.i_aircraft, &env.j_aircraft, 1);
    return find_local_h_in(&ground, xp, zp, &env.i_aircraft, &env.j_aircraft);
}

}  // namespace

void contact_ground_forget(void) { ground_cell_new_round(&ground); }

float surface_roughness(int surf_type, float xp, float zp)
{
    switch (surf_type) {
    case 64: return 0.01f * (std::cos(4.0f * zp) + std::sin(4.0f * xp) + std::sin(xp) + std::cos(zp));
    case 65: return 0.02f * (std::cos(4.0f * zp) + std::sin(4.0f * xp) + std::sin(2.0f * xp) + std::cos(2.0f * zp));
    case 66: return 0.02f * (std::sin(4.0f * xp) + std::cos(4.0f * zp));
    case 67: return 0.04f * (std::cos(4.0f * zp) + std::sin(4.0f * xp) + std::sin(xp) + std::cos(zp));
    default: return 0.0f;
    }
}

float steering_rate_limit(float mu_side)
{
    // Turning the path at yaw rate R takes a sideways acceleration v R, which the tyres' side
    // friction gives up to mu g. Steered faster, the nose swings round while the path lags behind:
    // the sideslip grows without bound, a ground loop the pilot never asked for.
    const float v = flt.v[0];
    if (v < 0.1f || mu_side <= 0.0f) return 1e9f;
    return mu_side * con.g / v / DEG;
}

int handle_contact_point(int i, float x, float y, float z, float k, float c, float mu_roll, float mu_brake)
{
    const planestruct& pl = pln[0];
    if (i < 0 || i >= CONTACT_STATES) return 0;

    // The ground under the point.
    float xp = (float)flt.X[0] + x * flt.cospsi - z * flt.sinpsi;
    float zp = (float)flt.Z[0] + z * flt.cospsi + x * flt.sinpsi;
    float h = ground_under(xp, zp);
    h += surface_roughness(env.surf_type, xp, zp);

    float def = h - (float)flt.Y[0] + z * flt.sinthe + x * flt.sinphi - y * flt.costhe * flt.cosphi;
    // A wheel or skid end has a state of its own; the many scrape points of one kind share theirs,
    // which keeps the deepest (the caller clears it each sub-step).
    const int shared = i >= CONTACT_WINGTIP;
    float& state = pln[0].condef[i];
    if (!shared) state = def > 0.0f ? def : 0.0f;
    else if (def > state) state = def;
    float fn = clampf(def * k + (-(float)flt.vY + z * flt.Qrad + x * flt.Prad) * c, -99.9f, 5.0f * pl.m_max * con.g);
    if (def < 0.0f) return 0;
    if (fn < 0.0f) return 0;

    // The deck moves under the wheels of a rolling ship.
    float dvx = 0.0f, dvz = 0.0f;
    if (env.over_carr) {
        dvx = env.carr_phi_dot * DEG * 21.0f;
        dvz = env.carr_the_dot * DEG * 21.0f;
    } else if (env.over_frig) {
        dvx = env.frig_phi_dot * DEG * 7.0f;
        dvz = env.frig_the_dot * DEG * 7.0f;
    }

    // The point's motion over the surface and its heading against that track.
    float vx = (float)flt.vX - flt.Rrad * x * flt.sinpsi - dvx;
    float vz = (float)flt.vZ + flt.Rrad * x * flt.cospsi - dvz;
    float s = hypotf2(vx, vz);
    float rel = 0.0f;
    if (s > 1e-4f) {
        float track = fltwrap(std::atan2(vx, -vz) / DEG, 0.0f, 360.0f);
        rel = fltwrap(flt.psi[0] - track, -180.0f, 180.0f);
    }
    float d = std::fabs(rel) > 90.0f ? -1.0f : 1.0f;
    float f = d * clampf(5.0f * s, 0.0f, 1.0f);

    float mu = mu_roll;
    int steering = std::fabs(pl.nwsteer) > 0.01f;
    if (i == CONTACT_LEFT || i == CONTACT_RIGHT) {
        float b = set.parkbrake;
        if (!steering) {
            float p = pedal();
            b = i == CONTACT_LEFT ? clampf(b - 0.5f * p, 0.0f, 1.0f) : clampf(b + 0.5f * p, 0.0f, 1.0f);
        }
        mu = lerp_at(0.0f, mu_roll, 1.0f, mu_brake, b);
    }
    float fa = fn * mu * f;
    float fs = fn * mu_brake * clampf(std::sin(rel * DEG) * s + flt.Rrad * z, -1.0f, 1.0f);

    if (i == CONTACT_NOSE) {
        if (!steering) {
            fs = 0.0f;   // a castoring wheel takes no side load
        } else {
            float r = set.joy_rat_hdng != 0.0f ? pedal() / set.joy_rat_hdng : 0.0f;
            float g1 = clampf(lerp_at(1.0f, 5.0f, 0.5f, 1.0f, std::fabs(r)), 1.0f, 5.0f);
            float g2 = clampf(lerp_at(0.0f, 5.0f, 10.0f, 1.0f, flt.v[0]), 1.0f, 5.0f);
            float base = pl.mgearZ - pl.ngearZ;
            if (std::fabs(base) > 0.01f) {
                float R = flt.v[0] * r * g1 * g2 * (std::fabs(rel) < 90.0f ? 1.0f : -1.0f) * pl.nwsteer / base;
                const float limit = steering_rate_limit(mu_brake);
                flt.R = clampf(R, -limit, limit);
                flt.Rrad = flt.R * DEG;
            }
        }
    }
    if (i >= CONTACT_SKID0 && i <= CONTACT_SKID0 + 3) {
        flt.R = -flt.Rdot * msc.prd;
        flt.Rrad = flt.R * DEG;
    }

    addFagear(-fa, x, y);
    addFsgear(fs, y, z);
    addFngear(fn, x, z);
    flt.onground = 1;

    if (set.cycout) {
        trk_marks(3);
        trk_printf("CONTACT #%d:", i);
        trk_marks(86);
        trk_printf("\n");
        trk_printf(" deflection=%7.4f m.\n", pln[0].condef[i]);
        trk_printf(" axilforce =%9.1f N.\n", fa);
        trk_printf(" sideforce =%9.1f N.\n", fs);
        trk_printf(" nrmlforce =%9.1f N.\n", fn);
        trk_printf("\n");
    }
    return 1;
}

void float_patch(int b, int s, int r, float patch[3])
{
    const planestruct& pl = pln[0];
    const int ns = f_body_s_dim(b, 0), nr = f_body_r_dim(b);
    const int r0 = intlim(r - 1, 0, nr - 1), r1 = intlim(r + 1, 0, nr - 1);
    const int s0 = intlim(s - 1, 0, ns - 1), s1 = intlim(s + 1, 0, ns - 1);
    patch[0] = 0.5f * (pl.body_X[b][s][r0] - pl.body_X[b][s][r1]);
    patch[1] = 0.5f * (pl.body_Y[b][s1][r] - pl.body_Y[b][s0][r]);
    patch[2] = 0.5f * (pl.body_Z[b][s1][r] - pl.body_Z[b][s0][r]);
}

int handle_float_point(int b, int s, int r, float x, float y, float z, float hw)
{
    float patch[3];
    float_patch(b, s, r, patch);
    return handle_float_patch(b, s, r, x, y, z, hw, patch);
}

namespace {

// The aircraft's height and attitude as the depth of its points needs them, read once for a
// loop over many points (a call in the loop would otherwise make it reload them for every point).
struct water_frame {
    float Y0, cthe, cphi, sthe, sphi;
    water_frame() : Y0((float)flt.Y[0]), cthe(flt.costhe), cphi(flt.cosphi), sthe(flt.sinthe), sphi(flt.sinphi) {}
    // Depth (m) under the water surface hw of the point x, y, z of the aircraft; negative above it.
    float depth(float hw, float x, float y, float z) const { return hw - Y0 - y * cthe * cphi + z * sthe + x * sphi; }
};

// 1 when every float point of body b stands clearly above the water (no higher than hw_max
// anywhere): the greatest depth any point of the body's box can have, in double, is still below a
// margin far wider than the rounding of the points' own float depths.
inline int body_clear_of_water(int b, const water_frame& wf, float hw_max)
{
    const float (&box)[2][3] = fgeo.float_box[b];
    const double cy = -(double)wf.cthe * wf.cphi, cz = wf.sthe, cx = wf.sphi;
    const double deepest = (double)hw_max - wf.Y0 + std::fmax(cx * box[0][0], cx * box[1][0]) +
                           std::fmax(cy * box[0][1], cy * box[1][1]) + std::fmax(cz * box[0][2], cz * box[1][2]);
    double size = std::fabs((double)hw_max) + std::fabs((double)wf.Y0);
    for (int c = 0; c < 3; c++) size += std::fmax(std::fabs((double)box[0][c]), std::fabs((double)box[1][c]));
    return deepest < -(1e-3 + 1e-5 * size);
}

// Side speed (m/s) the water rudder adds at the keel line.
inline float water_rudder_vs(void) { return std::sin(10.0f * set.FC_hdng * DEG) * flt.v[0]; }

// The forces of a point dp deep in the water, added to the gear's totals t. keel_r is the body's
// keel row, rudder_vs water_rudder_vs().
[[gnu::always_inline]] inline void wet_patch_into(force_totals& t, int b, int s, int r, float x, float y, float z,
                                                  float dp, const float patch[3], int keel_r, float rudder_vs)
{
    float vv = (float)flt.vY - z * flt.Qrad - x * flt.Prad;
    float va = flt.vaxial - x * flt.Rrad;
    float vs = -z * flt.Rrad;

    // The water rudder: the keel line aft of the centre of gravity steers.
    if (z > 0.0f && r == keel_r) vs += rudder_vs;

    // The patch of hull this point stands for, turned with the pitch.
    const float dX = patch[0], dY = patch[1], dZ = patch[2];
    float dYf = dY * flt.costhe - dZ * flt.sinthe;
    float dZf = dZ * flt.costhe + dY * flt.sinthe;

    float aw = std::fabs(dZ * dX);
    float ac = std::fabs(dX * dYf);
    float as = std::fabs(dZf * dYf);
    float vol = dp * aw;
    // Slope of the hull bottom against the water. A patch rising aft steeper than 45 degrees (the
    // after end of a step or of the stern) does not plane; a bottom rising forward, however steeply,
    // is the bow meeting the water and planes in proportion. A wall with no run along the body has
    // no slope at all and does not plane.
    float k = std::fabs(dZf) > 1e-4f ? dYf / dZf : 0.0f;
    if (k > 1.0f) k = 0.0f;

    const float rw = con.rho_h20;
    float buoy = vol * rw * con.g;
    float damp = -ssq(vv) * aw * rw;
    float plane = -ssq(va) * k * ac * rw;
    float plane_ax = plane * clampf(k, -0.05f, 0.05f);
    float fric = -0.00165f * aw * rw * ssq(va);
    float side = -1.2f * as * rw * ssq(vs);

    add_axial(t, plane_ax, x, y);
    add_axial(t, fric, x, y);
    add_side(t, side, y, z);
    add_normal(t, buoy, x, z);
    add_normal(t, damp, x, z);
    add_normal(t, plane, x, z);
    flt.onground = 1;

    if (set.cycout) {
        trk_printf("[%d][%d][%d],  z =%5.2f  x =%5.2f  y =%5.2f.\n", b, s, r, z, x, y);
        trk_printf("dZf=%5.4f dXf=%5.4f dYf=%5.4f.\n", dZf, dX, dYf);
        trk_printf("dZ =%5.4f dX =%5.4f dY =%5.4f.\n", dZ, dX, dY);
        trk_printf("depth=%6.3f, vert_vel=%6.3f sid_area=%6.4f cap_area=%6.4f, wet_area=%6.4f\n", dp, vv, as, ac, aw);
        trk_printf("axial_v=%6.3f, Q=%6.3f\n", va, flt.Qrad);
        trk_printf("displacement=%8.4f\n", vol);
        trk_printf("nrmlforce_B=%9.1f\nnrmlforce_D=%9.1f\nnrmlforce_M=%9.1f\n", buoy, damp, plane);
        trk_printf("axilforce_P=%9.1f\naxilforce_F=%9.1f\nsideforce  =%9.1f\n", plane_ax, fric, side);
    }
}

}  // namespace

int handle_float_patch(int b, int s, int r, float x, float y, float z, float hw, const float patch[3])
{
    const float dp = water_frame().depth(hw, x, y, z);
    if (dp < 0.0f) return 0;
    force_totals t = take_gear_totals();
    wet_patch_into(t, b, s, r, x, y, z, dp, patch, f_body_r_dim(b) / 2, water_rudder_vs());
    put_gear_totals(t);
    return 1;
}

void float_body(int b, float surface_h)
{
    const int ns = fgeo.stations[b];
    if (set.cycout) {
        trk_printf("\n");
        trk_separator();
        trk_heading(b == 18 ? "FUSE WATER-CONTACT" : b == 23 ? "LEFT FLOAT WATER CONTACT" : "RIGHT FLOAT WATER CONTACT");
        trk_separator();
    }
    const float amp = 0.5f * atm.wave_amp;
    const int waves = amp > 0.0f && atm.wave_length > 0.1f;
    // Most points are out of the water, often a whole body: with the attitude read once, a dry
    // point costs a few products and a compare, a dry body one bound.
    const water_frame wf;
    if (ns > 0 && body_clear_of_water(b, wf, waves ? surface_h + amp : surface_h)) return;
    const float sdir = std::sin(atm.wave_dir * DEG), cdir = std::cos(atm.wave_dir * DEG);
    const float travel = atm.wave_speed * msc.elap_time;
    const int keel_r = f_body_r_dim(b) / 2;
    const float rudder_vs = water_rudder_vs();
    // The gear's totals stay in registers through the points.
    force_totals t = take_gear_totals();
    for (int s = 0; s < ns; s++) {
        for (int k = 0; k < 3; k++) {
            const float x = fgeo.float_at[b][s][k][0], y = fgeo.float_at[b][s][k][1], z = fgeo.float_at[b][s][k][2];
            float hw = surface_h;
            if (waves) {
                float xp = (float)flt.X[0] + x * flt.cospsi - z * flt.sinpsi;
                float zp = (float)flt.Z[0] + z * flt.cospsi + x * flt.sinpsi;
                float d = xp * sdir - zp * cdir - travel;   // along the waves' direction of travel
                hw += amp * std::sin(2.0f * PI * d / atm.wave_length);
            }
            const float dp = wf.depth(hw, x, y, z);
            if (dp < 0.0f) continue;
            wet_patch_into(t, b, s, fgeo.low3[b][s][k], x, y, z, dp, fgeo.float_patch[b][s][k], keel_r, rudder_vs);
        }
    }
    put_gear_totals(t);
}
