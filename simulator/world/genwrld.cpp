// genwrld.cpp -- the scenery region: the full load and the one-square shifts, the frame of the
// region's metres, the local airport, runway and navaid lists, normals, airport buildings and fires.
#include "genwrld.h"

#include "fltutil.h"
#include "hl_funct.h"
#include "hl_menu.h"
#include "hl_string.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "menubar.h"
#include "obstacle.h"
#include "rwygeo.h"
#include "terrain.h"
#include "wxgrid.h"

#include <cmath>
#include <cstring>

namespace {

constexpr int TILE_I = 59, TILE_J = 79;   // grid points per tile, less the shared edge
constexpr int LAST_I = REGION_NI - 1, LAST_J = REGION_NJ - 1;
constexpr double PI = 3.14159265358979323846;
constexpr int BUILDING_STEPS_MAX = 200;   // a building never walks further than 9 km from its start

double metres_per_degree(void) { return 60.0 * static_cast<double>(con.nmtomtrs); }

// ---- 1. menus ---------------------------------------------------------------------------------

void empty_menus(void)
{
    std::memset(mnw.menu_name, 0, sizeof mnw.menu_name);
    for (int m = 0; m < MAX_MENUS; m++) mnw.menu_prnt[m] = mnw.menu_prnt_item[m] = -1;
    std::memset(mnw.menux1, 0, sizeof mnw.menux1);
    std::memset(mnw.menuy1, 0, sizeof mnw.menuy1);
    std::memset(mnw.menux2, 0, sizeof mnw.menux2);
    std::memset(mnw.menuy2, 0, sizeof mnw.menuy2);
    std::memset(mnw.item_name, 0, sizeof mnw.item_name);
    std::memset(mnw.item_help, 0, sizeof mnw.item_help);
    std::memset(mnw.itemx1, 0, sizeof mnw.itemx1);
    std::memset(mnw.itemy1, 0, sizeof mnw.itemy1);
    std::memset(mnw.itemx2, 0, sizeof mnw.itemx2);
    std::memset(mnw.itemy2, 0, sizeof mnw.itemy2);
    mnw.menu_up = -1;
    hl_reset_menus();
}

// ---- 2. the frame -----------------------------------------------------------------------------

// The conversions of fltutil read the frame from env: one reference meridian and its X for every
// tile (so the conversion is one function across tile edges and shifts), the Z of the southern
// edge, and the region's edges and size.
void set_frame(int type)
{
    const double k = metres_per_degree();
    if (type == 1) {
        for (int c = 0; c < 3; c++) {
            for (int r = 0; r < 2; r++) {
                env.lonwes_ref[c][r] = static_cast<float>(env.lon_wes);
                env.planex_ref[c][r] = 0.0f;
            }
        }
        env.hiz = 0.0f;
    } else if (type == 4) {
        env.hiz = static_cast<float>(env.hiz - k);   // the southern edge moved a degree north
    } else if (type == 5) {
        env.hiz = static_cast<float>(env.hiz + k);
    }
    env.lox = static_cast<float>(X_with_latlon(env.lat_sou, env.lon_wes));
    env.hix = static_cast<float>(env.lox + std::cos(env.lat_sou * PI / 180.0) * 3.0 * k);
    env.loz = static_cast<float>(env.hiz - 2.0 * k);
    env.dz = env.hiz - env.loz;
    env.dx = env.hix - env.lox;
    con.mtrtonrt = 494.0f / env.dz;
    con.nrttomtr = 1.0f / con.mtrtonrt;
}

// Clears the objects a shift leaves behind: the airport buildings (rebuilt below) and the scenery
// objects beyond the edge on the side that was dropped.
void drop_objects(int type)
{
    for (int s = 0; s < OBJ_FIRST_SCENERY; s++) obj_type[s] = 0;
    for (int s = OBJ_FIRST_SCENERY; s < OBJ_MAX; s++) {
        if (obj_type[s] == 0) continue;
        const double x = obj_xyz[s][0][0][0], z = obj_xyz[s][0][0][2];
        const double lat = lat_with_z(z);
        bool gone = false;
        if (type == 2) gone = x > X_with_latlon(lat, env.lon_wes + 3);
        if (type == 3) gone = x < X_with_latlon(lat, env.lon_wes);
        if (type == 4) gone = z > Z_with_lat(env.lat_sou);
        if (type == 5) gone = z < Z_with_lat(env.lat_sou + 2);
        if (gone) obj_type[s] = 0;
    }
}

// ---- 6..8. local lists --------------------------------------------------------------------------

int in_region(float lat, float lon)
{
    return lat >= env.lat_sou && lat <= env.lat_sou + 2.0f && lon >= env.lon_wes && lon <= env.lon_wes + 3.0f;
}

void list_airports(void)
{
    for (int r = 0; r <= rwy_wrl_max && r < MAX_RWY; r++) rwy_geo_ind[r] = -1;
    std::memset(geo_tway, 0, sizeof geo_tway);
    std::memset(apt_to_index, 0, sizeof apt_to_index);
    apt_lcl_max = -1;
    apt_lcl_num = 0;
    geo_rows = 0;
    int told = 0;
    for (int a = 0; a <= apt_wrl_max && a < MAX_APT; a++) {
        // An airport without runways has no position: it is never in a region.
        const int lo = apt_lo_ind[a], hi = apt_hi_ind[a];
        apt_inreg[a] = lo >= 0 && lo <= hi && hi <= rwy_wrl_max && in_region(rwy_lat[lo], rwy_lon[lo]);
        if (!apt_inreg[a] || apt_lcl_max + 1 >= LCL_MAX) continue;
        const int row = ++apt_lcl_max;
        apt_lcl_num = row + 1;
        apt_to_index[row] = a;
        int has99 = 0;
        for (int r = lo; r <= hi; r++) has99 |= rwy_num[r] == 99;
        for (int r = lo; r <= hi; r++) {
            // The geometry table has 150 rows: the runways past them are told once and left out.
            if (geo_rows >= GEO_ROWS) {
                if (!told) MACIBM_alert("Too many runways in the region!", "", "", "", ALERT_NOTICE);
                told = 1;
                continue;
            }
            const int g = geo_rows++;
            rwy_geo_ind[r] = g;
            int surface, A[2], B[2], C[2];
            code_to_lgts(&surface, A, B, C, rwy_lite[r]);
            const float len_ft = rwy_len[r] * con.mtrstoft, wid_ft = rwy_width[r] * con.mtrstoft;
            geo_tway[g] = !has99 && rwy_num[r] != 99 && (surface == 62 || surface == 63) &&
                          len_ft * wid_ft / 100.0f > 2500.0f;
            setuprunway(a, r, g);
        }
        append_airport_menu(row);
    }
    if (apt_lcl_max < 0) apt_lcl_max = 0;
}

void list_navaids(void)
{
    vor_lcl_num = ndb_lcl_num = 0;
    std::memset(vor_to_index, 0, sizeof vor_to_index);
    std::memset(ndb_to_index, 0, sizeof ndb_to_index);
    for (int n = 0; n <= nav_wrl_max && n < MAX_NAV; n++) {
        nav_inreg[n] = in_region(nav_lat[n], nav_lon[n]);
        if (!nav_inreg[n]) continue;
        if (nav_type[n] == 3 && vor_lcl_num < LCL_MAX) {
            vor_to_index[vor_lcl_num] = n;
            append_vor_menu(vor_lcl_num++);
        } else if (nav_type[n] == 2 && ndb_lcl_num < LCL_MAX) {
            ndb_to_index[ndb_lcl_num] = n;
            append_ndb_menu(ndb_lcl_num++);
        }
    }
}

// ---- 10..11. normals and height range -----------------------------------------------------------

void make_normals(void)
{
    for (int i = 0; i < REGION_NI; i++) {
        for (int j = 0; j < REGION_NJ; j++) {
            const float* e = planexyz[intlim(i + 1, 0, LAST_I)][j];
            const float* w = planexyz[intlim(i - 1, 0, LAST_I)][j];
            const float* n = planexyz[i][intlim(j + 1, 0, LAST_J)];
            const float* s = planexyz[i][intlim(j - 1, 0, LAST_J)];
            // Heights count ten times over, so the light picks out the relief.
            float a[3] = {e[0] - w[0], 10.0f * (e[1] - w[1]), e[2] - w[2]};
            float b[3] = {n[0] - s[0], 10.0f * (n[1] - s[1]), n[2] - s[2]};
            find_normal_vects(a, b, planenrml[i][j]);
        }
    }
}

void height_range(void)
{
    env.min_h = env.max_h = 0.0f;
    for (int i = 0; i < REGION_NI; i++)
        for (int j = 0; j < REGION_NJ; j++) {
            env.max_h = fltmax2(env.max_h, planexyz[i][j][1]);
            env.min_h = fltmin2(env.min_h, planexyz[i][j][1]);
        }
}

// ---- 12. airport buildings -----------------------------------------------------------------------

void place_buildings(void)
{
    for (int row = 0; row < apt_lcl_num; row++) {
        const int a = apt_to_index[row];
        if (!apt_bld[a]) continue;
        const int r = apt_lo_ind[a];
        const double h = rwy_hdng[r] * PI / 180.0;
        const double fx = std::sin(h), fz = -std::cos(h);   // along the runway, x east, z south
        const double rx = std::cos(h), rz = std::sin(h);    // to its right
        const double d = fltmax2(4.2f * static_cast<float>(rwy_width[r]), 80.0f);
        const double along = 0.35 * rwy_len[r];
        double x = X_with_latlon(rwy_lat[r], rwy_lon[r]) + d * rx + along * fx;
        double z = Z_with_lat(rwy_lat[r]) + d * rz + along * fz;
        auto step = [&](void) {
            x -= 45.0 * fx;
            z -= 45.0 * fz;
        };
        auto clear_of_runways = [&](void) {
            for (int n = 0; n < BUILDING_STEPS_MAX && in_runway(a, -1, static_cast<float>(x), static_cast<float>(z));
                 n++)
                step();
        };
        for (int k = 0; k < 4; k++) {
            step();
            clear_of_runways();
            make_an_obs(static_cast<float>(x), static_cast<float>(z), 0.0f, "", 97, 5 * row + k);
        }
        if (apt_twr[a]) {
            step();
            step();
            clear_of_runways();
            make_an_obs(static_cast<float>(x), static_cast<float>(z), 0.0f, "", 1, 5 * row + 4);
        }
    }
}

// ---- 14. forest fires --------------------------------------------------------------------------

void seed_fires(void)
{
    const float xa = fltmin2(planexyz[20][20][0], planexyz[158][139][0]);
    const float xb = fltmax2(planexyz[20][20][0], planexyz[158][139][0]);
    const float za = fltmin2(planexyz[20][20][2], planexyz[158][139][2]);
    const float zb = fltmax2(planexyz[20][20][2], planexyz[158][139][2]);
    for (int f = 0; f < 10; f++)
        if (scn.fire_on[f] && fltbox(scn.firexyz[f][0], scn.firexyz[f][2], xa, za, xb, zb)) return;
    if (std::abs(env.lat_sou) >= 40) return;
    for (int i = 20; i <= 158; i++) {
        for (int j = 20; j <= 139; j++) {
            if (planetex[i][j] != TEX_STEEP || fltrand(0.0f, 1.0f) >= 0.001f) continue;
            for (int f = 0; f < 10; f++) {
                scn.fire_on[f] = 1;
                scn.firexyz[f][0] = planexyz[i][j][0];
                scn.firexyz[f][1] = planexyz[i][j][1];
                scn.firexyz[f][2] = planexyz[i][j][2];
            }
        }
    }
}

void fill_clouds(int type)
{
    if (type == 1) {
        for (int c = 0; c < 5; c++)
            for (int r = 0; r < 4; r++) fill_a_sector_with_ocast(c, r);
    } else if (type == 2 || type == 3) {
        for (int r = 0; r < 4; r++) fill_a_sector_with_ocast(type == 2 ? 0 : 4, r);
    } else {
        for (int c = 0; c < 5; c++) fill_a_sector_with_ocast(c, type == 4 ? 3 : 0);
    }
}

}  // namespace

// ---- the grid move ---------------------------------------------------------------------------------

void shift_geo(int c1, int c2, int r1, int r2, int di, int dj)
{
    const int i_lo = c1 * TILE_I, i_hi = c2 * TILE_I, j_lo = r1 * TILE_J, j_hi = r2 * TILE_J;
    // Copy away from the destination side first, so no source is overwritten before it moves.
    for (int a = 0; a <= i_hi - i_lo; a++) {
        const int i = di > 0 ? i_hi - a : i_lo + a;
        for (int b = 0; b <= j_hi - j_lo; b++) {
            const int j = dj > 0 ? j_hi - b : j_lo + b;
            const int ti = i + di, tj = j + dj;
            if (ti < 0 || ti > LAST_I || tj < 0 || tj > LAST_J) continue;
            std::memcpy(planest[ti][tj], planest[i][j], sizeof planest[i][j]);
            std::memcpy(planexyz[ti][tj], planexyz[i][j], sizeof planexyz[i][j]);
            planetex[ti][tj] = planetex[i][j];
            on_water[ti][tj] = on_water[i][j];
            tree_on_poly[ti][tj] = tree_on_poly[i][j];
            city_on_poly[ti][tj] = city_on_poly[i][j];
            frig_on_poly[ti][tj] = frig_on_poly[i][j];
            carr_on_poly[ti][tj] = carr_on_poly[i][j];
            oilr_on_poly[ti][tj] = oilr_on_poly[i][j];
            std::memcpy(city_xyz[ti][tj], city_xyz[i][j], sizeof city_xyz[i][j]);
            std::memcpy(tree_xyz[ti][tj], tree_xyz[i][j], sizeof tree_xyz[i][j]);
        }
    }
    env.i_aircraft += di;
    env.i_viewpoint += di;
    env.j_aircraft += dj;
    env.j_viewpoint += dj;
}

int region_shift_for(double lat, double lon)
{
    if (lon < env.lon_wes + 0.95) {
        env.lon_wes -= 1;
        return 2;
    }
    if (lon > env.lon_wes + 3.0 - 0.95) {
        env.lon_wes += 1;
        return 3;
    }
    if (lat < env.lat_sou + 0.45) {
        env.lat_sou -= 1;
        return 5;
    }
    if (lat > env.lat_sou + 2.0 - 0.45) {
        env.lat_sou += 1;
        return 4;
    }
    return 0;
}

void region_fresh_offsets(int lat_sou, int lon_wes, double lat, double lon, double* east, double* south)
{
    // A fresh region has its reference meridian on its western edge, X 0 there at its southern
    // edge, and its northern edge two degrees north of Z 0.
    const double k = metres_per_degree();
    *east = (lon - lon_wes) * k * std::cos(lat * PI / 180.0);
    *south = -(lat - lat_sou) * k + 2.0 * k;
}

void runway_outline(int rwy, float* x0, float* x1, float* z0, float* z1)
{
    *x0 = *z0 = 0.0f;
    *x1 = *z1 = -1.0f;   // an empty range for a runway without geometry
    if (rwy < 0 || rwy >= MAX_RWY || rwy_geo_ind[rwy] < 0 || rwy_geo_ind[rwy] >= GEO_ROWS) return;
    float q[4][2];
    runway_quad(rwy_geo_ind[rwy], q);
    *x0 = fltmin4(q[0][0], q[1][0], q[2][0], q[3][0]);
    *x1 = fltmax4(q[0][0], q[1][0], q[2][0], q[3][0]);
    *z0 = fltmin4(q[0][1], q[1][1], q[2][1], q[3][1]);
    *z1 = fltmax4(q[0][1], q[1][1], q[2][1], q[3][1]);
}

void load_region(int type)
{
    if (type < 1 || type > 5) return;
    empty_menus();

    // The frame first: the tiles read below and the dropped-object test convert through it.
    set_frame(type);
    if (type == 1) {
        std::memset(obj_type, 0, sizeof obj_type);
    } else {
        drop_objects(type);
    }

    // Move the grids that stay loaded.
    switch (type) {
    case 2:
        shift_geo(0, 2, 0, 2, TILE_I, 0);
        shift_weather(0, 2, 0, 2, 210, 0);
        shift_cloud(0, 4, 0, 4, 16, 0);
        break;
    case 3:
        shift_geo(1, 3, 0, 2, -TILE_I, 0);
        shift_weather(1, 3, 0, 2, -210, 0);
        shift_cloud(1, 5, 0, 4, -16, 0);
        break;
    case 4:
        shift_geo(0, 3, 1, 2, 0, -TILE_J);
        shift_weather(0, 3, 0, 1, 0, 210);
        shift_cloud(0, 5, 1, 4, 0, -16);
        break;
    case 5:
        shift_geo(0, 3, 0, 1, 0, TILE_J);
        shift_weather(0, 3, 1, 2, 0, -210);
        shift_cloud(0, 5, 0, 3, 0, 16);
        break;
    default:
        break;
    }

    build_menu_bar();
    list_airports();
    list_navaids();

    // The squares: all six, or the column or row that came into the region.
    static const int tiles[6][6] = {{0}, {0, 1, 2, 3, 4, 5}, {0, 3}, {2, 5}, {3, 4, 5}, {0, 1, 2}};
    static const int count[6] = {0, 6, 2, 2, 3, 3};
    for (int k = 0; k < count[type]; k++) {
        const int t = tiles[type][k];
        read_quadrant(env.lat_sou + t / 3, env.lon_wes + t % 3, t);
    }

    make_normals();
    height_range();
    place_buildings();
    assign_terrain_texes(REGION_NI, REGION_NJ);
    seed_fires();
    fill_clouds(type);
    // The outside view draws from the new grids.
    terrain_region_changed();
}
