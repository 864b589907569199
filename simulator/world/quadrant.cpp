// quadrant.cpp -- reading one scenery square into a tile of the region: its points and cells, the
// ground under the region's runways, its objects and textures, city lights, trees and ships.
#include "genwrld.h"

#include "fltutil.h"
#include "hl_envfile.h"
#include "hl_funct.h"
#include "hl_string.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hl_worlddb.h"
#include "obstacle.h"
#include "wxgrid.h"

#include <cstdio>
#include <memory>

namespace {

constexpr int LAST_I = REGION_NI - 1, LAST_J = REGION_NJ - 1;
constexpr float NO_SCENERY_ABOVE_FT = 100000.0f;

// The square last read; static because it is large and read only while loading.
env_square g_square;

// Finds and reads the square: the program's "additional nav data" folder, then the installation's
// data folder, binary, then its text form. The first file that exists decides. Returns 1 when a
// square was read; otherwise g_square holds flat water (after a notice when the file was bad).
int find_square(int lat, int lon)
{
    if (static_cast<double>(con.fttomtrs) * NO_SCENERY_ABOVE_FT <= flt.Y[0]) {
        env_flat_water(lat, lon, &g_square);
        return 0;
    }
    char block[STR_LEN], plain[STR_LEN];
    return_latlon_str_ENV(lat, lon, block, 1);
    return_latlon_str_ENV(lat, lon, plain, 0);
    struct Place {
        const char* base;
        const char* dir;
        const char* name;
        int text;
    };
    const Place places[3] = {{app_path, NAV_DATA_FOLDER, block, 0},
                             {cd_path, "DATA", block, 0},
                             {cd_path, "DATA", plain, 1}};
    for (const Place& p : places) {
        if (!p.base[0] && p.base == cd_path) continue;   // no installation folder
        char path[STR_LEN];
        if (std::snprintf(path, sizeof path, "%s%s/%s", p.base, p.dir, p.name) >= static_cast<int>(sizeof path))
            continue;
        const int got = env_read_square(path, lat, lon, p.text, &g_square);
        if (got == ENV_MISSING) continue;
        if (got == ENV_READ_OK) return 1;
        if (got == ENV_WRONG_VERSION)
            MACIBM_alert("The following file is the wrong version for this version of Kestrova:", path,
                         "Throw that file away. You should only use the files that came with the program.",
                         "Its square is shown as water.", ALERT_NOTICE);
        else
            MACIBM_alert("This scenery file is damaged or cut short:", path, "Its square is shown as water.", "",
                         ALERT_NOTICE);
        return 0;
    }
    return 0;
}

// Step 2: points and cells.
void put_points(int lat, int lon, int i0, int j0)
{
    for (int r = 0; r < ENV_ROWS; r++) {
        for (int c = 0; c < ENV_COLS; c++) {
            const int i = i0 + c, j = j0 + r;
            const double plat = g_square.lat[r][c], plon = g_square.lon[r][c];
            planexyz[i][j][0] = static_cast<float>(X_with_latlon(plat, plon));
            planexyz[i][j][1] = g_square.h[r][c];
            planexyz[i][j][2] = static_cast<float>(Z_with_lat(plat));
            // The last row and column describe the neighbour's cells, which its own square holds.
            if (r == ENV_ROWS - 1 || c == ENV_COLS - 1) continue;
            int f0, f1, f2, f3, f4, tex;
            int_to_bol(&f0, &f1, &f2, &f3, &f4, planest[i][j], &tex, g_square.word[r][c]);
            planetex[i][j] = static_cast<uint32_t>(tex >= TEX_CUSTOM ? env_custom_tex(lat, lon, tex - TEX_CUSTOM) : 0);
            const int water = f1 || f2;
            on_water[i][j] = water;
            tree_on_poly[i][j] = !water && ((c / 3) % 3 == 0 || (r / 3) % 3 == 0);
            city_on_poly[i][j] = !water && intrand(1, 10) == 1;
        }
    }
}

// Step 3: the ground under every local runway near the square lies at the airport's elevation.
void flatten_runways(int lat, int lon, int i0, int j0)
{
    for (int row = 0; row < apt_lcl_num; row++) {
        const int a = apt_to_index[row];
        for (int r = apt_lo_ind[a]; r <= apt_hi_ind[a] && r <= rwy_wrl_max; r++) {
            if (rwy_geo_ind[r] < 0) continue;
            if (rwy_lat[r] < lat - 0.1f || rwy_lat[r] > lat + 1.1f || rwy_lon[r] < lon - 0.1f ||
                rwy_lon[r] > lon + 1.1f)
                continue;
            float rx0, rx1, rz0, rz1;
            runway_outline(r, &rx0, &rx1, &rz0, &rz1);
            const float h = apt_h[a] - 0.2f;
            for (int i = intlim(i0 - 1, 0, LAST_I - 1); i <= intlim(i0 + 59, 0, LAST_I - 1); i++) {
                for (int j = intlim(j0 - 1, 0, LAST_J - 1); j <= intlim(j0 + 79, 0, LAST_J - 1); j++) {
                    const float cx0 = fltmin4(planexyz[i][j][0], planexyz[i + 1][j][0], planexyz[i][j + 1][0],
                                              planexyz[i + 1][j + 1][0]);
                    const float cx1 = fltmax4(planexyz[i][j][0], planexyz[i + 1][j][0], planexyz[i][j + 1][0],
                                              planexyz[i + 1][j + 1][0]);
                    const float cz0 = fltmin4(planexyz[i][j][2], planexyz[i + 1][j][2], planexyz[i][j + 1][2],
                                              planexyz[i + 1][j + 1][2]);
                    const float cz1 = fltmax4(planexyz[i][j][2], planexyz[i + 1][j][2], planexyz[i][j + 1][2],
                                              planexyz[i + 1][j + 1][2]);
                    if (cx1 < rx0 || cx0 > rx1 || cz1 < rz0 || cz0 > rz1) continue;
                    planexyz[i][j][1] = planexyz[i + 1][j][1] = planexyz[i][j + 1][1] = planexyz[i + 1][j + 1][1] = h;
                    tree_on_poly[i][j] = 0;
                }
            }
        }
    }
}

// Step 4: the square's objects in the scenery slots, round-robin.
void place_objects(void)
{
    for (int k = 0; k < g_square.nobj; k++) {
        const env_object& o = g_square.obj[k];
        obj_slot = obj_slot >= OBJ_MAX - 1 || obj_slot < OBJ_FIRST_SCENERY ? OBJ_FIRST_SCENERY : obj_slot + 1;
        const float x = static_cast<float>(X_with_latlon(o.lat, o.lon));
        const float z = static_cast<float>(Z_with_lat(o.lat));
        if (o.type == 1) continue;   // towers belong to the airports
        if (o.type == ENV_OBJ_CUSTOM) {
            if (o.name[0]) make_an_obs(x, z, o.value, o.name, o.type, obj_slot);
            continue;
        }
        const float h = o.value * con.fttomtrs;
        const int type = (o.type == 2 && h >= 130.0f) ? intrand(90, 93) : o.type;
        make_an_obs(x, z, h, "", type, obj_slot);
    }
}

// Step 5: the square's own terrain textures.
void load_textures(int lat, int lon)
{
    for (int k = 0; k < ENV_TEXTURES; k++)
        if (g_square.tex[k][0]) OGL_texbmp(TEXBMP_FAMILY, env_custom_tex(lat, lon, k), ALPHA_TERRAIN, g_square.tex[k]);
}

// A point of triangle half t of cell (i, j): u picks a point on the edge from its first corner to
// its second, v a point between the third corner and that one.
void point_in_half(int i, int j, int t, float out[3])
{
    int ia, ja, ib, jb, ic, jc;
    convert_ij_dxy(i, j, t, &ia, &ja, &ib, &jb, &ic, &jc);
    const float u = fltrand(0.01f, 0.99f), v = fltrand(0.01f, 0.99f);
    for (int k = 0; k < 3; k++) {
        const float e = planexyz[ia][ja][k] + u * (planexyz[ib][jb][k] - planexyz[ia][ja][k]);
        out[k] = planexyz[ic][jc][k] + v * (e - planexyz[ic][jc][k]);
    }
}

// Step 6: city lights and trees.
void scatter_points(int i0, int j0)
{
    for (int i = i0; i < i0 + 59; i++) {
        for (int j = j0; j < j0 + 79; j++) {
            for (int t = 0; t < 2; t++) {
                if (city_on_poly[i][j])
                    for (int p = 0; p < 5; p++) {
                        point_in_half(i, j, t, city_xyz[i][j][t][p]);
                        city_xyz[i][j][t][p][1] += fltrand(10.0f, 20.0f);
                    }
                if (tree_on_poly[i][j])
                    for (int p = 0; p < 4; p++) point_in_half(i, j, t, tree_xyz[i][j][t][p]);
            }
        }
    }
}

int ship_near(int i, int j)
{
    int n = 0;
    for (int a = intlim(i - 12, 0, LAST_I); a <= intlim(i + 12, 0, LAST_I); a++)
        for (int b = intlim(j - 12, 0, LAST_J); b <= intlim(j + 12, 0, LAST_J); b++)
            n += (frig_on_poly[a][b] || carr_on_poly[a][b] || oilr_on_poly[a][b]) ? 1 : 0;
    return n;
}

// Step 7: ships on open water a few cells off a single stretch of coast.
void place_ships(int i0, int j0, int read)
{
    for (int i = i0; i < i0 + 59; i++)
        for (int j = j0; j < j0 + 79; j++) frig_on_poly[i][j] = carr_on_poly[i][j] = oilr_on_poly[i][j] = 0;
    if (!read) return;
    int placed = 0;
    for (int c = 12; c <= 45 && placed < 3; c++) {
        for (int r = 12; r <= 65 && placed < 3; r++) {
            const int i = i0 + c, j = j0 + r;
            if (!on_water[i][j]) continue;   // a ship sits on water, never on a one-cell island
            int score = 2 * ship_near(i, j);
            for (int n = -4; n <= 4; n++) score += (!on_water[i + n][j] || !on_water[i][j + n]) ? 1 : 0;
            if (score != 1) continue;
            if (placed == 0) frig_on_poly[i][j] = 1;
            else if (placed == 1) carr_on_poly[i][j] = 1;
            else oilr_on_poly[i][j] = 1;
            placed++;
        }
    }
}

}  // namespace

void read_quadrant(int lat, int lon, int tile)
{
    if (tile < 0 || tile > 5) return;
    const int i0 = 59 * (tile % 3), j0 = 79 * (tile / 3);
    const int read = find_square(lat, lon);
    put_points(lat, lon, i0, j0);
    flatten_runways(lat, lon, i0, j0);
    if (read) {
        place_objects();
        load_textures(lat, lon);
        scatter_points(i0, j0);
    }
    place_ships(i0, j0, read);
    if (read) gen_wx_for_sec(tile);
}
