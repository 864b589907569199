// vrange.cpp -- the box and cone tests that keep the outside view's drawing to what can be seen.
#include "vrange.h"

#include "genwrld.h"
#include "hl_funct.h"
#include "terrain.h"

#include <cmath>
#include <cstring>

int32_t ter_inrange[REGION_NI][REGION_NJ];
int32_t obj_inrange_xyz[OBJ_MAX];
int32_t obj_inrange[OBJ_MAX];
int32_t apt_inrange_xyz[LCL_MAX];
int32_t apt_inrange[LCL_MAX];

namespace {

constexpr float DEG = 3.14159265f / 180.0f;
constexpr int LAST_CELL_I = REGION_NI - 2, LAST_CELL_J = REGION_NJ - 2;
constexpr int LAST_CLOUD_I = CLOUD_NI - 2, LAST_CLOUD_J = CLOUD_NJ - 2;
constexpr int CLOUD_REGION_FIRST = 16;   // the region spans cloud columns 16..64 and rows 16..48
constexpr int CLOUD_REGION_COLS = 48, CLOUD_REGION_ROWS = 32;

// The cone: camera, then the far points at heading - 45 and + 45 (clockwise seen from above).
float cone_x[3], cone_z[3];

// What the box was last made for.
struct BoxKey {
    int valid;
    int i_view, j_view, octant, vis_nm, lat_sou, lon_wes, region;
};
BoxKey g_key = {};
view_box g_box = {};
int g_nearest_row = -1;
// Per local airport the corners of the rectangle its runways and taxiways cover (x, z).
float g_apt_corner[LCL_MAX][4][2];

int in_box(const view_box& b, float x, float z) { return x >= b.x_lo && x <= b.x_hi && z >= b.z_lo && z <= b.z_hi; }

// Terrain plot bounds: the grid points in the box and the camera's own cell, widened by two cells
// below and one above. The camera's cell counts even when no point lies in a box narrowed by fog,
// so the ground under the camera is always drawn.
void terrain_bounds(const view_box& b)
{
    int i_lo = env.i_viewpoint, i_hi = env.i_viewpoint, j_lo = env.j_viewpoint, j_hi = env.j_viewpoint;
    for (int i = 0; i < REGION_NI; i++) {
        for (int j = 0; j < REGION_NJ; j++) {
            if (!in_box(b, planexyz[i][j][0], planexyz[i][j][2])) continue;
            i_lo = intmin2(i_lo, i);
            i_hi = intmax2(i_hi, i);
            j_lo = intmin2(j_lo, j);
            j_hi = intmax2(j_hi, j);
        }
    }
    scn.i1_plot_bound_ter = intlim(i_lo - 2, 0, LAST_CELL_I);
    scn.i2_plot_bound_ter = intlim(i_hi + 1, 0, LAST_CELL_I);
    scn.j1_plot_bound_ter = intlim(j_lo - 2, 0, LAST_CELL_J);
    scn.j2_plot_bound_ter = intlim(j_hi + 1, 0, LAST_CELL_J);
}

// Cloud plot bounds: the cloud points in the box, on the cloud grid's even spacing over the region.
// The columns are inclusive and the rows end before j2, so both stop where a cell's far corner is
// still on the grid.
void cloud_bounds(const view_box& b)
{
    if (env.dx <= 0.0f || env.dz <= 0.0f) {
        scn.i1_plot_bound_cld = scn.j1_plot_bound_cld = 0;
        scn.i2_plot_bound_cld = -1;
        scn.j2_plot_bound_cld = 0;
        return;
    }
    const float per_col = env.dx / CLOUD_REGION_COLS, per_row = env.dz / CLOUD_REGION_ROWS;
    const int c_lo = static_cast<int>(std::ceil(CLOUD_REGION_FIRST + (b.x_lo - env.lox) / per_col));
    const int c_hi = static_cast<int>(std::floor(CLOUD_REGION_FIRST + (b.x_hi - env.lox) / per_col));
    const int r_lo = static_cast<int>(std::ceil(CLOUD_REGION_FIRST + (env.hiz - b.z_hi) / per_row));
    const int r_hi = static_cast<int>(std::floor(CLOUD_REGION_FIRST + (env.hiz - b.z_lo) / per_row));
    scn.i1_plot_bound_cld = intlim(c_lo - 2, 0, LAST_CLOUD_I);
    scn.i2_plot_bound_cld = intlim(c_hi + 1, 0, LAST_CLOUD_I);
    scn.j1_plot_bound_cld = intlim(r_lo - 2, 0, LAST_CLOUD_J);
    scn.j2_plot_bound_cld = intlim(r_hi + 1, 0, LAST_CLOUD_J);
}

void objects_in_box(const view_box& b)
{
    for (int s = 0; s < OBJ_MAX; s++)
        obj_inrange_xyz[s] = obj_type[s] != 0 && in_box(b, obj_xyz[s][0][0][0], obj_xyz[s][0][0][2]);
}

// The local airports with a corner of their runway-and-taxiway rectangle in the box, and the one
// nearest the aircraft by latitude and longitude (its first runway's), which becomes the start
// airport; the start runway follows only when the airport changes.
void airports_in_box(const view_box& b)
{
    std::memset(apt_inrange_xyz, 0, sizeof apt_inrange_xyz);
    float best = 1e30f;
    int best_row = -1;
    for (int row = 0; row < apt_lcl_num && row < LCL_MAX; row++) {
        const int a = apt_to_index[row];
        const int lo = apt_lo_ind[a], hi = apt_hi_ind[a];
        if (lo < 0 || hi < lo || hi > rwy_wrl_max) continue;
        float x0 = 1e30f, x1 = -1e30f, z0 = 1e30f, z1 = -1e30f;
        for (int r = lo; r <= hi; r++) {
            float a0, a1, b0, b1;
            runway_outline(r, &a0, &a1, &b0, &b1);
            if (a1 < a0) continue;   // no geometry row
            x0 = fltmin2(x0, a0);
            x1 = fltmax2(x1, a1);
            z0 = fltmin2(z0, b0);
            z1 = fltmax2(z1, b1);
        }
        const float corner[4][2] = {{x0, z0}, {x1, z0}, {x1, z1}, {x0, z1}};
        std::memcpy(g_apt_corner[row], corner, sizeof corner);
        for (const auto& c : corner) apt_inrange_xyz[row] |= in_box(b, c[0], c[1]);
        const float d = sqr(rwy_lat[lo] - flt.lat) + sqr(rwy_lon[lo] - flt.lon);
        if (d < best) {
            best = d;
            best_row = row;
        }
    }
    g_nearest_row = best_row;
    if (best_row >= 0) {
        const int a = apt_to_index[best_row];
        if (msc.loc_apt_wrl != a) msc.loc_rwy_wrl = apt_lo_ind[a];
        msc.loc_apt_wrl = a;
    }
}

}  // namespace

int view_octant(float heading)
{
    // Any number of turns comes back into 0..359; 360 itself is north again.
    double h = std::fmod(static_cast<double>(heading), 360.0);
    if (h < 0.0) h += 360.0;
    int deg = static_cast<int>(std::floor(h));
    if (deg >= 360) deg = 0;
    return deg / 45 + 1;
}

void set_view_cone(float x, float z, float heading, float reach)
{
    const float l = (heading - 45.0f) * DEG, r = (heading + 45.0f) * DEG;
    cone_x[0] = x;
    cone_z[0] = z;
    cone_x[1] = x + reach * std::sin(l);
    cone_z[1] = z - reach * std::cos(l);
    cone_x[2] = x + reach * std::sin(r);
    cone_z[2] = z - reach * std::cos(r);
}

int incone(float x, float z, float tol)
{
    for (int k = 0; k < 3; k++) {
        const int n = k == 2 ? 0 : k + 1;
        if (!inside_cw_reg(cone_x[k], cone_z[k], cone_x[n], cone_z[n], x, z, tol)) return 0;
    }
    return 1;
}

view_box range_box(float x, float z, int octant, float reach)
{
    view_box b = {x - reach, x + reach, z - reach, z + reach};
    switch (octant) {
    case 2:
    case 3: b.x_lo = x; break;   // looking east: nothing west of the camera
    case 4:
    case 5: b.z_lo = z; break;   // looking south: nothing north
    case 6:
    case 7: b.x_hi = x; break;   // looking west
    default: b.z_hi = z; break;   // octants 8 and 1, looking north
    }
    return b;
}

int update_range_box(float x, float z, int octant, float vis)
{
    const BoxKey key = {1,          env.i_viewpoint, env.j_viewpoint, octant, round(vis * con.mtrstonm),
                        env.lat_sou, env.lon_wes,     terrain_region_serial()};
    if (std::memcmp(&key, &g_key, sizeof key) == 0) return 0;
    g_key = key;
    g_box = range_box(x, z, octant, vis);
    terrain_bounds(g_box);
    cloud_bounds(g_box);
    objects_in_box(g_box);
    airports_in_box(g_box);
    // Flags outside the new bounds would be stale: nothing reads them, but start clean.
    std::memset(ter_inrange, 0, sizeof ter_inrange);
    return 1;
}

void update_range_cone(float x, float z, float heading, float vis, int looking_down)
{
    set_view_cone(x, z, heading, 1.4142f * vis);
    for (int i = scn.i1_plot_bound_ter; i <= scn.i2_plot_bound_ter; i++)
        for (int j = scn.j1_plot_bound_ter; j <= scn.j2_plot_bound_ter; j++)
            ter_inrange[i][j] = looking_down || incone(planexyz[i][j][0], planexyz[i][j][2], CONE_TOL_TER);
    for (int s = 0; s < OBJ_MAX; s++)
        obj_inrange[s] = obj_inrange_xyz[s] && incone(obj_xyz[s][0][0][0], obj_xyz[s][0][0][2], CONE_TOL_OBJ);
    for (int row = 0; row < LCL_MAX; row++) {
        int in = 0;
        if (row < apt_lcl_num && apt_inrange_xyz[row])
            for (int c = 0; c < 4 && !in; c++) in = incone(g_apt_corner[row][c][0], g_apt_corner[row][c][1], CONE_TOL_APT);
        apt_inrange[row] = in;
    }
}

void range_forget(void) { g_key.valid = 0; }

int nearest_local_airport(void) { return g_nearest_row; }
