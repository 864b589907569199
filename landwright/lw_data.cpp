// lw_data.cpp -- Landwright's square: the state, the map geometry, reading and saving the square and
// its coastline, the terrain edits of points and cells, auto-flatten and the obstacles.
#include "landwright.h"

#include "hl_dbline.h"
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_string.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hl_worlddb.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <istream>

landmiscstruct lmsc;
env_square lw_sq;
float lw_coast_lat[LW_MAX_COAST], lw_coast_lon[LW_MAX_COAST];
int lw_coast_n = 0;

namespace {

constexpr int COAST_VERSION = 1;
constexpr int TEXT_FILE = 200;   // any text type: the header is "I" and the version line

// The square file last read was damaged or of another version: it is kept aside before the first
// save of that square replaces it, so saving never destroys what was on disk.
char g_keep_aside[STR_LEN] = "";

// Scratch squares for reading and writing; static because each is several megabytes.
env_square g_read, g_write;

int sq_lat(void) { return static_cast<int>(std::lround(lmsc.map_latfile)); }
int sq_lon(void) { return static_cast<int>(std::lround(lmsc.map_lonfile)); }

void clear_objects(void)
{
    for (env_object& o : lw_sq.obj) {
        o.type = 0;
        o.lat = o.lon = 0.0f;
        o.value = LW_DEFAULT_OBJ_FT;
        std::snprintf(o.name, sizeof o.name, "?");
    }
    lw_sq.nobj = ENV_MAX_OBJECTS;
}

// The corner pattern of an orientation table, 0..3 in the cycle A, B, C, D.
const float* const k_orient[4] = {ST_ORIENT_A, ST_ORIENT_B, ST_ORIENT_C, ST_ORIENT_D};

struct CellFlags {
    int f[5];
    float st[2][2][2];
    int tex;
};

CellFlags unpack(int i, int j)
{
    CellFlags c;
    std::memcpy(c.st, ST_ORIENT_A, sizeof c.st);
    int_to_bol(&c.f[0], &c.f[1], &c.f[2], &c.f[3], &c.f[4], c.st, &c.tex, pt_word(i, j));
    return c;
}

void pack(int i, int j, const CellFlags& c)
{
    pt_word(i, j) = bol_to_int(c.f[0], c.f[1], c.f[2], c.f[3], c.f[4], c.st, c.tex);
}

// Side of point p against the directed line a -> b: positive on the left.
float side(float ax, float ay, float bx, float by, float px, float py)
{
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

bool in_triangle(const float x[3], const float y[3], float px, float py)
{
    const float d0 = side(x[0], y[0], x[1], y[1], px, py);
    const float d1 = side(x[1], y[1], x[2], y[2], px, py);
    const float d2 = side(x[2], y[2], x[0], y[0], px, py);
    const bool neg = d0 < 0 || d1 < 0 || d2 < 0;
    const bool pos = d0 > 0 || d1 > 0 || d2 > 0;
    return !(neg && pos);
}

// Reads the coastline file of the square: pairs latitude, longitude to the end of the file, those
// inside the square kept. The end of the file is looked for before each number, so a file that
// simply ends is no scanning error.
void read_coast(void)
{
    lw_coast_n = 0;
    char name[STR_LEN], path[STR_LEN + 16];
    return_latlon_str_COAST(lmsc.map_latfile + 0.5f, lmsc.map_lonfile + 0.5f, name);
    if (std::snprintf(path, sizeof path, "coastlines/%s", name) >= STR_LEN || !ap_dir(NAV_DATA_FOLDER, path)) return;
    const int saved_use = inf_use;
    inf_use = 1;
    if (inf_open(path, TEXT_FILE, COAST_VERSION, 0)) {
        for (;;) {
            inf1 >> std::ws;
            if (inf1.eof() || !inf1.good()) break;
            const float lat = fltscan("coastline latitude");
            if (!inf1.good()) break;
            const float lon = fltscan("coastline longitude");
            if (inf1.fail()) break;
            if (lat < lmsc.map_latfile || lat > lmsc.map_latfile + 1 || lon < lmsc.map_lonfile ||
                lon > lmsc.map_lonfile + 1)
                continue;
            if (lw_coast_n >= LW_MAX_COAST) {
                MACIBM_alert("Too many coastline points!", "", path, "", ALERT_NOTICE);
                break;
            }
            lw_coast_lat[lw_coast_n] = lat;
            lw_coast_lon[lw_coast_n] = lon;
            lw_coast_n++;
        }
    }
    inf1.close();
    inf1.clear();
    inf_use = saved_use;
}

// Loads the square's custom textures (from the custom terrain textures folder) as 2000 + slot, when
// there is a window to load them into.
void load_custom_textures(void)
{
    if (!mnw.wind) return;
    for (int k = 0; k < ENV_TEXTURES; k++) {
        if (!lw_sq.tex[k][0]) continue;
        char path[STR_LEN];
        if (!cus_path[0] || std::snprintf(path, sizeof path, "%s%s", cus_path, lw_sq.tex[k]) >= STR_LEN) continue;
        OGL_texbmp(TEXBMP_PATH, TEX_CUSTOM_TERRAIN + k, ALPHA_TERRAIN, path);
    }
}

}  // namespace

// ---- state and map -------------------------------------------------------------------------------

void lw_defaults(void)
{
    lmsc = {};
    lmsc.edit_mode = LW_TERRAIN;
    lmsc.map_latfile = 33;
    lmsc.map_lonfile = -119;
    lmsc.map_zoom = 1;
    lmsc.map_i_elev = 29;
    lmsc.map_j_elev = 39;
    lmsc.obj_mode = OBJ_MODE_SELECT;
    lmsc.obj_index = -1;
    lmsc.nav_show_type = 2;
    env_flat_water(33, -119, &lw_sq);
    clear_objects();
    lw_coast_n = 0;
    g_keep_aside[0] = 0;
    apt_wrl_max = -1;
    rwy_wrl_max = -1;
    nav_wrl_max = -1;
    for (int v = 0; v < MAX_NAV; v++) nav_type[v] = 0;
}

float ret_x(float lon) { return (lon - lmsc.map_os_lon - lmsc.map_lonfile) * lmsc.map_zoom * MAP_X_PER_DEG + MAP_X1; }
float ret_y(float lat) { return (lat - lmsc.map_os_lat - lmsc.map_latfile) * lmsc.map_zoom * MAP_Y_PER_DEG + MAP_Y1; }
float ret_lon(float x) { return (x - MAP_X1) / (lmsc.map_zoom * MAP_X_PER_DEG) + lmsc.map_os_lon + lmsc.map_lonfile; }
float ret_lat(float y) { return (y - MAP_Y1) / (lmsc.map_zoom * MAP_Y_PER_DEG) + lmsc.map_os_lat + lmsc.map_latfile; }

void lw_map_command(int item)
{
    const float step = 0.1f / lmsc.map_zoom;
    switch (item) {
    case 300: lmsc.map_os_lat += step; break;
    case 301: lmsc.map_os_lat -= step; break;
    case 302: lmsc.map_os_lon -= step; break;
    case 303: lmsc.map_os_lon += step; break;
    case 304:
        lmsc.map_zoom *= 1.2f;
        lmsc.map_os_lat += 0.09f / lmsc.map_zoom;
        lmsc.map_os_lon += 0.09f / lmsc.map_zoom;
        break;
    case 305:
        lmsc.map_zoom /= 1.2f;
        lmsc.map_os_lat -= 0.09f / lmsc.map_zoom;
        lmsc.map_os_lon -= 0.09f / lmsc.map_zoom;
        break;
    default: break;
    }
    // Zooming out back to 1 shows the whole square again, whatever rounding left of the zoom.
    const bool whole = lmsc.map_zoom < 1.0f || (item == 305 && lmsc.map_zoom < 1.0f + 1e-4f);
    if (whole) lmsc.map_os_lat = lmsc.map_os_lon = 0.0f;
    lmsc.map_zoom = fltlim(lmsc.map_zoom, 1.0f, 20.0f);
    lmsc.map_os_lat = fltlim(lmsc.map_os_lat, -0.9f, 0.9f);
    lmsc.map_os_lon = fltlim(lmsc.map_os_lon, -0.9f, 0.9f);
}

// ---- the square ------------------------------------------------------------------------------------

int lw_square_path(char* dst)
{
    char name[STR_LEN];
    return_latlon_str_ENV(sq_lat(), sq_lon(), name, 1);
    std::snprintf(dst, STR_LEN, "%s", name);
    return ap_dir(NAV_DATA_FOLDER, dst);
}

void read_terrain(void)
{
    const int lat = sq_lat(), lon = sq_lon();
    char path[STR_LEN];
    int got = ENV_MISSING;
    if (lw_square_path(path)) got = env_read_square(path, lat, lon, 0, &g_read);
    else env_flat_water(lat, lon, &g_read);
    g_keep_aside[0] = 0;
    if (got == ENV_WRONG_VERSION || got == ENV_DAMAGED) {
        std::snprintf(g_keep_aside, sizeof g_keep_aside, "%s", path);
        MACIBM_alert(got == ENV_WRONG_VERSION ? "The following file is the wrong version for this version of Landwright:"
                                              : "This scenery file is damaged or cut short:",
                     path, "It is shown as flat water. Saving this square keeps the old file",
                     "beside the new one, with \".bak\" added to its name.", ALERT_NOTICE);
    }
    std::memcpy(lw_sq.lat, g_read.lat, sizeof lw_sq.lat);
    std::memcpy(lw_sq.lon, g_read.lon, sizeof lw_sq.lon);
    std::memcpy(lw_sq.h, g_read.h, sizeof lw_sq.h);
    std::memcpy(lw_sq.word, g_read.word, sizeof lw_sq.word);
    std::memcpy(lw_sq.tex, g_read.tex, sizeof lw_sq.tex);
    clear_objects();
    const int n = g_read.nobj < ENV_MAX_OBJECTS ? g_read.nobj : ENV_MAX_OBJECTS;
    for (int k = 0; k < n; k++) lw_sq.obj[k] = g_read.obj[k];
    lmsc.obj_index = -1;
    load_custom_textures();
    read_coast();
    lmsc.map_dirty = 0;
}

namespace {

// The folder of path made.
void prepare(const char* path)
{
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
}

int save_square(void)
{
    char path[STR_LEN];
    if (!lw_square_path(path)) {
        MACIBM_alert("I could not save the file! The path is too long:", path, "", "", ALERT_NOTICE);
        return 0;
    }
    std::memcpy(g_write.lat, lw_sq.lat, sizeof g_write.lat);
    std::memcpy(g_write.lon, lw_sq.lon, sizeof g_write.lon);
    std::memcpy(g_write.h, lw_sq.h, sizeof g_write.h);
    std::memcpy(g_write.word, lw_sq.word, sizeof g_write.word);
    std::memcpy(g_write.tex, lw_sq.tex, sizeof g_write.tex);
    // Only the square's own objects: an object on the north or east edge belongs to the neighbour,
    // so that no object is ever stored in two squares.
    g_write.nobj = 0;
    for (const env_object& o : lw_sq.obj) {
        if (!((o.type >= 1 && o.type <= 6) || o.type == ENV_OBJ_CUSTOM) || !lw_in_square(o.lat, o.lon)) continue;
        g_write.obj[g_write.nobj++] = o;
    }
    if (g_keep_aside[0] && std::strcmp(g_keep_aside, path) == 0) {
        char bak[STR_LEN + 8];
        std::snprintf(bak, sizeof bak, "%s.bak", path);
        std::error_code ec;
        std::filesystem::copy_file(path, bak, std::filesystem::copy_options::overwrite_existing, ec);
        if (ec) {
            MACIBM_alert("I could not keep the damaged scenery file aside, so I did not save over it:", path, "", "",
                         ALERT_NOTICE);
            return 0;
        }
        g_keep_aside[0] = 0;
    }
    prepare(path);
    return env_write_square(path, &g_write);
}

int save_apt(void)
{
    char path[STR_LEN] = "apt.dat";
    if (!ap_dir(NAV_DATA_FOLDER, path)) return 0;
    prepare(path);
    if (!ouf_open(path, DB_FILE_TYPE, DB_VERSION)) return 0;
    for (int a = 0; a <= apt_wrl_max; a++) {
        float elev = apt_h[a] / con.fttomtrs;
        fio_apt_line(&elev, &apt_twr[a], &apt_bld[a], apt_id[a], apt_name[a], 0);
        for (int r = apt_lo_ind[a]; r <= apt_hi_ind[a] && r <= rwy_wrl_max; r++) {
            int num = rwy_num[r], hdg = rwy_hdng[r], len = rwy_len[r], wid = rwy_width[r], lite = rwy_lite[r];
            char letter = rwy_lcr[r];
            fio_rwy_line(&rwy_lat[r], &rwy_lon[r], &num, &letter, &hdg, &len, &wid, &lite, 0);
        }
    }
    ouf << DB_CODE_END << '\n';
    return ouf_close(path);
}

int save_nav(void)
{
    char path[STR_LEN] = "nav.dat";
    if (!ap_dir(NAV_DATA_FOLDER, path)) return 0;
    prepare(path);
    if (!ouf_open(path, DB_FILE_TYPE, DB_VERSION)) return 0;
    for (int v = 0; v <= nav_wrl_max; v++) {
        if (nav_type[v] < 2 || nav_type[v] > 9) continue;
        int kind = nav_type[v], frq = nav_frq[v], hdg = nav_hdng[v];
        float elev = nav_h[v] / con.fttomtrs;
        fio_nav_line(&kind, &nav_lat[v], &nav_lon[v], &elev, &frq, &hdg, nav_id[v], nav_name[v], 0);
    }
    ouf << DB_CODE_END << '\n';
    return ouf_close(path);
}

}  // namespace

int writeout(int kind, int)
{
    switch (kind) {
    case LW_SAVE_SQUARE:
        if (!save_square()) return 0;
        lmsc.map_dirty = 0;
        return 1;
    case LW_SAVE_APT:
        if (!save_apt()) return 0;
        lmsc.apt_dirty = 0;
        return 1;
    case LW_SAVE_NAV:
        if (!save_nav()) return 0;
        lmsc.nav_dirty = 0;
        return 1;
    default:
        return 0;
    }
}

int handle_save(int kind, int dirty)
{
    if (!dirty) return 1;
    const char* what = kind == LW_SAVE_APT ? "Airport file" : kind == LW_SAVE_NAV ? "Navaid file" : "Terrain file";
    switch (MACIBM_nuke_alert(what)) {
    case 1: return writeout(kind, 0);   // a save that failed must not let the changes go
    case 2: return 1;
    default: return 0;
    }
}

// ---- cells and points -----------------------------------------------------------------------------

int lw_cell_water(int i, int j)
{
    const CellFlags c = unpack(i, j);
    return c.f[1] || c.f[2];
}

void lw_set_cell_water(int i, int j, int water)
{
    CellFlags c = unpack(i, j);
    c.f[1] = c.f[2] = water ? 1 : 0;
    pack(i, j, c);
}

int lw_cell_pattern(int i, int j)
{
    const int w = pt_word(i, j);
    for (int k = 0; k < 4; k++)
        if (w & (1 << (5 + k))) return k;
    return 0;
}

int lw_cell_tex(int i, int j) { return unpack(i, j).tex; }

void lw_toggle_water(int i, int j) { lw_set_cell_water(i, j, !lw_cell_water(i, j)); }

void lw_turn_corners(int i, int j)
{
    CellFlags c = unpack(i, j);
    const int next = (lw_cell_pattern(i, j) + 1) % 4;
    std::memcpy(c.st, k_orient[next], sizeof c.st);
    pack(i, j, c);
}

void lw_paint(int i, int j, int texset)
{
    CellFlags c = unpack(i, j);
    c.tex = texset >= 1 && texset <= ENV_TEXTURES ? TEX_CUSTOM_TERRAIN - 1 + texset : 0;
    pack(i, j, c);
}

void lw_nearest_interior(float x, float y, int* bi, int* bj)
{
    float best = 1e30f;
    *bi = 1;
    *bj = 1;
    for (int i = 1; i < ENV_COLS - 1; i++) {
        for (int j = 1; j < ENV_ROWS - 1; j++) {
            const float d = std::fabs(ret_x(pt_lon(i, j)) - x) + std::fabs(ret_y(pt_lat(i, j)) - y);
            if (d < best) {
                best = d;
                *bi = i;
                *bj = j;
            }
        }
    }
}

int lw_cell_at(float x, float y, int* ci, int* cj)
{
    for (int i = 0; i < ENV_COLS - 1; i++) {
        for (int j = 0; j < ENV_ROWS - 1; j++) {
            // Corners anticlockwise on the screen: south-west, south-east, north-east, north-west.
            const float qx[4] = {ret_x(pt_lon(i, j)), ret_x(pt_lon(i + 1, j)), ret_x(pt_lon(i + 1, j + 1)),
                                 ret_x(pt_lon(i, j + 1))};
            const float qy[4] = {ret_y(pt_lat(i, j)), ret_y(pt_lat(i + 1, j)), ret_y(pt_lat(i + 1, j + 1)),
                                 ret_y(pt_lat(i, j + 1))};
            const float t0x[3] = {qx[0], qx[1], qx[2]}, t0y[3] = {qy[0], qy[1], qy[2]};
            const float t1x[3] = {qx[0], qx[2], qx[3]}, t1y[3] = {qy[0], qy[2], qy[3]};
            if (in_triangle(t0x, t0y, x, y) || in_triangle(t1x, t1y, x, y)) {
                *ci = i;
                *cj = j;
                return 1;
            }
        }
    }
    return 0;
}

void auto_flatten(void)
{
    for (int i = 0; i < ENV_COLS - 1; i++) {
        for (int j = 0; j < ENV_ROWS - 1; j++) {
            if (!lw_cell_water(i, j)) continue;
            float* c[4] = {&pt_h(i, j), &pt_h(i + 1, j), &pt_h(i, j + 1), &pt_h(i + 1, j + 1)};
            float r[4];
            for (int k = 0; k < 4; k++) r[k] = std::round(*c[k]);
            // The value three corners share while the fourth differs.
            for (int odd = 0; odd < 4; odd++) {
                float common = 0;
                int same = 1, first = 1;
                for (int k = 0; k < 4; k++) {
                    if (k == odd) continue;
                    if (first) common = r[k], first = 0;
                    else if (r[k] != common) same = 0;
                }
                if (same && r[odd] != common) {
                    for (float* p : c) *p = common;
                    break;
                }
            }
        }
    }
}

void lw_assign_textures(void)
{
    const double lat0 = lmsc.map_latfile;
    const double m_per_deg = 111120.0;
    for (int i = 0; i < ENV_COLS; i++) {
        for (int j = 0; j < ENV_ROWS; j++) {
            planexyz[i][j][0] = static_cast<float>(pt_lon(i, j) * m_per_deg * std::cos((lat0 + 0.5) * M_PI / 180.0));
            planexyz[i][j][1] = pt_h(i, j);
            planexyz[i][j][2] = static_cast<float>(-pt_lat(i, j) * m_per_deg);
            if (i == ENV_COLS - 1 || j == ENV_ROWS - 1) continue;
            const CellFlags c = unpack(i, j);
            std::memcpy(planest[i][j], c.st, sizeof c.st);
            planetex[i][j] = static_cast<uint32_t>(c.tex);
            on_water[i][j] = c.f[1] || c.f[2];
        }
    }
    assign_terrain_texes(ENV_COLS, ENV_ROWS);
    // A cell with a custom texture keeps its own corner pattern; assign_terrain_texes leaves it.
}

// ---- obstacles -------------------------------------------------------------------------------------

int lw_in_square(float lat, float lon)
{
    return lat >= lmsc.map_latfile && lat < lmsc.map_latfile + 1 && lon >= lmsc.map_lonfile &&
                   lon < lmsc.map_lonfile + 1
               ? 1
               : 0;
}

int lw_nearest_object(float lat, float lon)
{
    int best = -1;
    float dbest = 1e30f;
    for (int k = 0; k < ENV_MAX_OBJECTS; k++) {
        const env_object& o = lw_sq.obj[k];
        if (o.type < 1 || o.type > 8 || !lw_in_square(o.lat, o.lon)) continue;
        const float d = pythag(o.lat - lat, o.lon - lon);
        if (d < dbest) {
            dbest = d;
            best = k;
        }
    }
    return best;
}

int lw_add_object(int type, float lat, float lon)
{
    int slot = -1;
    for (int k = 0; k < ENV_MAX_OBJECTS; k++)
        if (lw_sq.obj[k].type == 0) {
            slot = k;
            break;
        }
    if (slot < 0) {
        MACIBM_alert("There is no room for another obstacle in this square!", "Delete one first.", "", "",
                     ALERT_NOTICE);
        return -1;
    }
    env_object& o = lw_sq.obj[slot];
    const int from = lmsc.obj_index >= 0 && lmsc.obj_index < ENV_MAX_OBJECTS ? lmsc.obj_index : 0;
    const float height = lw_sq.obj[from].value;
    o.type = type;
    o.lat = lat;
    o.lon = lon;
    if (type == ENV_OBJ_CUSTOM) {
        o.value = 0.0f;
        std::snprintf(o.name, sizeof o.name, "Untitled");
    } else {
        o.value = height;
        std::snprintf(o.name, sizeof o.name, "?");
    }
    lmsc.obj_index = slot;
    return slot;
}

int lw_take_name(char* dst, const char* file_name)
{
    char base[STR_LEN];
    std::snprintf(base, sizeof base, "%s", file_name);
    const size_t n = std::strlen(base);
    if (n > 4 && base[n - 4] == '.') base[n - 4] = 0;
    if (std::strlen(base) > static_cast<size_t>(ENV_NAME_LEN - 1) || !base[0] || !env_name_is_safe(base)) {
        MACIBM_alert("That file name is too long for a scenery file!", "Names may hold at most 39 characters.", base, "",
                     ALERT_NOTICE);
        return 0;
    }
    std::snprintf(dst, ENV_NAME_LEN + 1, "%s", base);
    return 1;
}
