// lw_screen.cpp -- Landwright's four edit screens: the map of the square with its terrain and
// obstacle tools, the airport and runway tables, and the navaid table.
#include "landwright.h"

#include "hl_btn.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_opensave.h"
#include "hl_string.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Colours of the map: water in two shades, white under textures, the land colour set per cell.
constexpr int COL_WATER = 77, COL_WATER_ALT = 78, COL_WHITE = 76, COL_LAND = 79;
constexpr int COL_COAST = 18, COL_RUNWAY = 9, COL_PICK = 8, COL_OBJECT = 41, COL_SELECTED = 44;
constexpr int COL_TEXT = 47, COL_LABEL = 6;
constexpr float MENU_BAR_Y = 580;
constexpr int TEX_ROWS = 8;   // texture slots shown at once

const char k_lat_help[] =
    "This is the latiude of the lower-left (south-west) corner of the env file currently displayed.";
const char k_lon_help[] =
    "This is the longitude of the lower-left (south-west) corner of the env file currently displayed.";
const char k_elev_help[] = "This is the elevation of this point above sea level, in feet.";
const char k_height_help[] = "This is the HEIGHT of this obstacle, in feet.";
const char k_heading_help[] =
    "This is the HEADING of this obstacle, in degrees. Enter zero to not rotate the custom obstacle at all.";

int s_tex_top = 0;                        // first texture slot row shown
char s_file_name[STR_LEN], s_file_path[STR_LEN];   // what the file dialog fills

bool inside(float x1, float y1, float x2, float y2)
{
    return mnw.mx >= x1 && mnw.mx <= x2 && mnw.my >= y1 && mnw.my <= y2;
}

bool clicked(float x1, float y1, float x2, float y2) { return mnw.mouse_clicked && inside(x1, y1, x2, y2); }

// A clickable button with its label; true when clicked this pass.
bool button(float x1, float y1, float x2, float y2, const char* label)
{
    MACIBM_button(x1, y1, x2, y2, 1);
    OGL_string(COL_TEXT, x1 + 5, (y1 + y2) / 2 - 3, label, 800, 6);
    return clicked(x1, y1, x2, y2);
}

// Whether this pass's input belongs to the screen (not the menu bar or an open menu).
bool screen_input(void) { return mnw.menu_up < 0 && mnw.my < MENU_BAR_Y; }

bool in_map(void) { return inside(MAP_X1, MAP_Y1, MAP_X2, MAP_Y2); }

// An integer edited by a number field.
int int_field(float x, float y, int colour, int32_t* v, int digits, int is_signed, const char* help)
{
    float f = static_cast<float>(*v);
    const int changed = instdbtn(x, y, colour, &f, digits, 0, is_signed, help);
    if (changed) *v = static_cast<int32_t>(std::lround(f));
    return changed;
}

// A height or elevation in metres shown and edited in feet.
int feet_field(float x, float y, int colour, float* metres, int digits, const char* help)
{
    float ft = std::round(*metres / con.fttomtrs);
    const int changed = instdbtn(x, y, colour, &ft, digits, 0, 1, help);
    if (changed) *metres = ft * con.fttomtrs;
    return changed;
}

void label(float x, float y, const char* text) { OGL_string(COL_LABEL, x, y, text, 800, 6); }

// The zoom and pan buttons of the map screens.
void map_buttons(void)
{
    struct Btn {
        float x1, y1, x2, y2;
        int item;
        const char* text;
    };
    static const Btn k_btn[6] = {{106, 561, 156, 577, 304, "in"},  {106, 544, 156, 560, 305, "out"},
                                 {122, 519, 141, 537, 300, "^"},   {104, 500, 122, 519, 302, "<"},
                                 {141, 500, 159, 519, 303, ">"},   {122, 482, 141, 500, 301, "v"}};
    for (const Btn& b : k_btn)
        if (button(b.x1, b.y1, b.x2, b.y2, b.text) && screen_input()) lw_map_command(b.item);
}

// The latitude and longitude under the mouse.
void mouse_position(void)
{
    if (!in_map()) return;
    label(10, 20, "lat");
    OGL_number(COL_TEXT, 40, 20, ret_lat(mnw.my), 8, 4, 8, 1);
    label(10, 8, "lon");
    OGL_number(COL_TEXT, 40, 8, ret_lon(mnw.mx), 8, 4, 8, 1);
}

// The square's corner fields: a changed corner asks to save the square, then reads the new one.
void corner_fields(void)
{
    float lat = lmsc.map_latfile, lon = lmsc.map_lonfile;
    label(10, 560, "lat");
    label(50, 560, "lon");
    const int c1 = instdbtn_range(10, 540, COL_TEXT, &lat, 2, 0, -90, 89, k_lat_help);
    const int c2 = instdbtn_range(50, 540, COL_TEXT, &lon, 3, 0, -180, 179, k_lon_help);
    if (!(c1 || c2) || !screen_input()) return;
    if (std::lround(lat) == std::lround(lmsc.map_latfile) && std::lround(lon) == std::lround(lmsc.map_lonfile)) return;
    if (!handle_save(LW_SAVE_SQUARE, lmsc.map_dirty)) return;
    lmsc.map_latfile = std::round(lat);
    lmsc.map_lonfile = std::round(lon);
    read_terrain();
    if (lmsc.draw_tex) lw_assign_textures();
}

// The custom texture slots: "Kestrova Defaults" (no custom texture) and the 20 slots; a click
// chooses the painting texture, the file button gives the chosen slot a picture.
void texture_slots(void)
{
    const float x = 10, top = 300;
    label(x, top + 15, "custom textures");
    if (button(130, top - 2, 150, top + 10, "^") && s_tex_top > 0) s_tex_top--;
    if (button(130, top - 10.0f * TEX_ROWS + 2, 150, top - 10.0f * TEX_ROWS + 14, "v") &&
        s_tex_top < ENV_TEXTURES + 1 - TEX_ROWS)
        s_tex_top++;
    for (int row = 0; row < TEX_ROWS; row++) {
        const int k = s_tex_top + row;
        const float y = top - 10.0f * static_cast<float>(row);
        const char* name = k == 0 ? "Kestrova Defaults" : lw_sq.tex[k - 1][0] ? lw_sq.tex[k - 1] : "Untitled";
        OGL_string(k == lmsc.map_texset ? COL_SELECTED : COL_TEXT, x, y, name, 800, 6);
        if (clicked(x, y - 2, 125, y + 8)) lmsc.map_texset = k;
    }
    if (lmsc.map_texset < 1) return;
    const int slot = lmsc.map_texset - 1;
    std::snprintf(s_file_name, sizeof s_file_name, "%s", lw_sq.tex[slot]);
    if (!instringbtn(30, top - 10.0f * TEX_ROWS - 20, s_file_name, s_file_path, OS_KIND_TEXTURE,
                     "Choose the picture of this custom texture."))
        return;
    if (!lw_take_name(lw_sq.tex[slot], s_file_name)) return;
    char base[STR_LEN];
    std::snprintf(base, sizeof base, "%s", s_file_path);
    const size_t n = std::strlen(base);
    if (n > 4 && base[n - 4] == '.') base[n - 4] = 0;
    OGL_texbmp(TEXBMP_PATH, TEX_CUSTOM_TERRAIN + slot, ALPHA_TERRAIN, base);
    lmsc.map_dirty = 1;
}

// The screen corners of cell (i, j): south-west, south-east, north-east, north-west.
void cell_corners(int i, int j, float x[4], float y[4])
{
    const int ci[4] = {i, i + 1, i + 1, i}, cj[4] = {j, j, j + 1, j + 1};
    for (int k = 0; k < 4; k++) {
        x[k] = ret_x(pt_lon(ci[k], cj[k]));
        y[k] = ret_y(pt_lat(ci[k], cj[k]));
    }
}

bool on_map(const float x[4], const float y[4])
{
    for (int k = 0; k < 4; k++)
        if (x[k] < MAP_X1 || x[k] > MAP_X2 || y[k] < MAP_Y1 || y[k] > MAP_Y2) return false;
    return true;
}

// The land colour of a height: green at the sea, through brown, to pale grey at 3000 m.
void land_colour(float h)
{
    const float t = fltlim(h / 3000.0f, 0.0f, 1.0f);
    OGL_assigncolor(COL_LAND, 0.2f + 0.6f * t, 0.6f - 0.1f * t, 0.2f + 0.5f * t);
    OGL_setcolor(COL_LAND);
}

void plot_objects(void)
{
    for (int k = 0; k < ENV_MAX_OBJECTS; k++) {
        const env_object& o = lw_sq.obj[k];
        if (o.type < 1 || o.type > 8 || !lw_in_square(o.lat, o.lon)) continue;
        const float x = ret_x(o.lon), y = ret_y(o.lat);
        if (x < MAP_X1 + 4 || x > MAP_X2 - 4 || y < MAP_Y1 + 4 || y > MAP_Y2 - 4) continue;
        const int col = k == lmsc.obj_index ? COL_SELECTED : COL_OBJECT;
        if (o.type == ENV_OBJ_CUSTOM) {
            OGL_framecircle(col, x, y, 4);
        } else {
            // A bar whose height grows with the object's kind.
            OGL_fillrect(col, x - 2, y - 2, 4, 2.0f + static_cast<float>(o.type));
        }
    }
}

void plot_runways(void)
{
    for (int r = 0; r <= rwy_wrl_max; r++) {
        if (rwy_lat[r] < lmsc.map_latfile - 0.1f || rwy_lat[r] > lmsc.map_latfile + 1.1f ||
            rwy_lon[r] < lmsc.map_lonfile - 0.1f || rwy_lon[r] > lmsc.map_lonfile + 1.1f)
            continue;
        // Half the length in degrees of latitude (feet to nautical miles to degrees).
        const float half = static_cast<float>(rwy_len[r]) / 6076.0f / 60.0f / 2.0f;
        const float a = static_cast<float>(rwy_hdng[r]) * static_cast<float>(M_PI) / 180.0f;
        const float coslat = std::cos(rwy_lat[r] * static_cast<float>(M_PI) / 180.0f);
        const float dlat = half * std::cos(a), dlon = half * std::sin(a) / (coslat > 0.01f ? coslat : 0.01f);
        const float x1 = ret_x(rwy_lon[r] - dlon), y1 = ret_y(rwy_lat[r] - dlat);
        const float x2 = ret_x(rwy_lon[r] + dlon), y2 = ret_y(rwy_lat[r] + dlat);
        if (fltrange(x1, MAP_X1, MAP_X2) && fltrange(x2, MAP_X1, MAP_X2) && fltrange(y1, MAP_Y1, MAP_Y2) &&
            fltrange(y2, MAP_Y1, MAP_Y2))
            OGL_line(COL_RUNWAY, x1, y1, x2, y2);
    }
}

// Terrain map clicks and drags.
void map_edit(void)
{
    // The point nearest the press is held for the whole drag, so a quick mouse never swaps it for a
    // neighbour on the way; a drag that began outside the map moves nothing.
    static int s_i = 1, s_j = 1, s_held = 0;
    const bool click = mnw.mouse_clicked != 0;
    // The pass that lets the button go still carries the mouse's last move.
    const bool drag = mnw.now_dragging != 0 || mnw.mouse_lifted != 0;
    if (!screen_input() || !in_map()) {
        if (!mnw.now_dragging) s_held = 0;
        return;
    }
    if (!click && !drag) {
        s_held = 0;
        return;
    }
    if (click) lmsc.map_dirty = 1;
    if (lmsc.map_mode == 0) {
        if (click) {
            lw_nearest_interior(mnw.mx, mnw.my, &s_i, &s_j);
            s_held = 1;
        }
        if (!s_held) return;
        pt_lat(s_i, s_j) = ret_lat(mnw.my);
        pt_lon(s_i, s_j) = ret_lon(mnw.mx);
        lmsc.map_dirty = 1;
        if (!mnw.now_dragging) s_held = 0;
        return;
    }
    if (!click) return;
    if (lmsc.map_mode == 1) {
        int i, j;
        lw_nearest_interior(mnw.mx, mnw.my, &i, &j);
        lmsc.map_i_elev = i;
        lmsc.map_j_elev = j;
        return;
    }
    int i, j;
    if (!lw_cell_at(mnw.mx, mnw.my, &i, &j)) return;
    if (lmsc.map_mode == 2) lw_toggle_water(i, j);
    else if (lmsc.map_mode == 3) lw_turn_corners(i, j);
    else lw_paint(i, j, lmsc.map_texset);
    lw_assign_textures();
}

// Obstacle map clicks and drags.
void obstacle_edit(void)
{
    if (!screen_input() || !in_map()) return;
    const float lat = ret_lat(mnw.my), lon = ret_lon(mnw.mx);
    const int m = lmsc.obj_mode;
    if (mnw.mouse_clicked) {
        lmsc.map_dirty = 1;
        if (m == OBJ_MODE_DELETE || m == OBJ_MODE_DRAG || m == OBJ_MODE_SELECT) {
            const int k = lw_nearest_object(lat, lon);
            if (k >= 0) lmsc.obj_index = k;
            if (m == OBJ_MODE_DELETE && k >= 0) {
                lw_sq.obj[k].type = 0;
                lmsc.obj_index = -1;
            }
        } else if ((m >= 2 && m <= 6) || m == ENV_OBJ_CUSTOM) {
            lw_add_object(m, lat, lon);
        }
        return;
    }
    // The pass that lets the button go still carries the mouse's last move.
    if (m == OBJ_MODE_DRAG && (mnw.now_dragging || mnw.mouse_lifted) && lmsc.obj_index >= 0) {
        lw_sq.obj[lmsc.obj_index].lat = lat;
        lw_sq.obj[lmsc.obj_index].lon = lon;
    }
}

// The selected obstacle's fields.
void obstacle_fields(void)
{
    if (lmsc.obj_index < 0 || lmsc.obj_index >= ENV_MAX_OBJECTS) return;
    env_object& o = lw_sq.obj[lmsc.obj_index];
    if (o.type < 1 || o.type > 8) return;
    if (o.type != ENV_OBJ_CUSTOM) {
        label(10, 330, "height (ft)");
        if (instdbtn(10, 310, COL_TEXT, &o.value, 5, 0, 0, k_height_help)) lmsc.map_dirty = 1;
        return;
    }
    label(10, 330, "heading");
    if (instdbtn_range(10, 310, COL_TEXT, &o.value, 3, 0, 0, 360, k_heading_help)) lmsc.map_dirty = 1;
    std::snprintf(s_file_name, sizeof s_file_name, "%s", o.name);
    if (instringbtn(30, 280, s_file_name, s_file_path, OS_KIND_OBJECT, "Choose the custom object's file.") &&
        lw_take_name(o.name, s_file_name))
        lmsc.map_dirty = 1;
}

// ---- tables -----------------------------------------------------------------------------------------

const char* const k_slope[3] = {"none", "VASI", "PAPI"};
const char* const k_lights[5] = {"none", "MIRL", "REIL", "RCLS", "TDZL"};
const char* const k_approach[6] = {"none             ", "SSALR short app 1", "SALS  short app 2",
                                   "ALSF1 full app 1 ", "ALSF2 full app 2 ", "ODALS rabbit only"};
const char* const k_surface[5] = {" asphalt", " concrete", "  grass  ", "   dirt  ", "  gravel "};

// The lights code's choices of runway r, edited and packed back; each starts at 1.
int lights_fields(int r)
{
    int surface, A[2], B[2], C[2];
    code_to_lgts(&surface, A, B, C, rwy_lite[r]);
    surface = intlim(surface - 61, 1, 5);   // the surface texture 62..66 as the choice 1..5
    int changed = 0;
    // One row per end: slope indicator, runway lights, approach lights; their arrow boxes never meet.
    for (int e = 0; e < 2; e++) {
        A[e] = intlim(A[e], 1, 3);
        B[e] = intlim(B[e], 1, 5);
        C[e] = intlim(C[e], 1, 6);
        const float y = 130.0f - 45.0f * static_cast<float>(e);
        label(370, y, e == 0 ? "end 1" : "end 2");
        changed |= in3textbtn(420, y, k_slope[0], k_slope[1], k_slope[2], 40, &A[e]);
        changed |= in5textbtn(490, y, k_lights[0], k_lights[1], k_lights[2], k_lights[3], k_lights[4], 40, &B[e]);
        changed |= in6textbtn(560, y, k_approach[0], k_approach[1], k_approach[2], k_approach[3], k_approach[4],
                              k_approach[5], 110, &C[e]);
    }
    label(420, 40, "surface");
    changed |= in5textbtn(480, 40, k_surface[0], k_surface[1], k_surface[2], k_surface[3], k_surface[4], 60, &surface);
    if (changed) rwy_lite[r] = lgts_to_code(surface + 61, A, B, C);
    return changed;
}

// The side letter: 1 R, 2 C, 3 L, 4 none.
int letter_field(int r)
{
    static const char k_letters[4] = {'R', 'C', 'L', ' '};
    int sel = 4;
    for (int k = 0; k < 3; k++)
        if (rwy_lcr[r] == k_letters[k]) sel = k + 1;
    const int changed = in4textbtn(480, 210, "R", "C", "L", "none", 30, &sel);
    if (changed) rwy_lcr[r] = k_letters[intlim(sel, 1, 4) - 1];
    return changed;
}

void runway_list(int a)
{
    OGL_framerect(COL_LABEL, 15, 177, 65, 120);
    for (int r = apt_lo_ind[a], row = 0; r <= apt_hi_ind[a] && row < LW_MAX_RWY_PER_APT; r++, row++) {
        const float y = 287.0f - 10.0f * static_cast<float>(row);
        const int col = r == lmsc.rwy_index ? COL_SELECTED : COL_TEXT;
        OGL_number(col, 20, y, static_cast<float>(rwy_num[r]), 2, 0, 6, 0);
        if (rwy_lcr[r] != ' ') {
            const char letter[2] = {rwy_lcr[r], 0};
            OGL_string(col, 34, y, letter, 800, 6);
        }
        if (clicked(15, y - 2, 80, y + 8)) lmsc.rwy_index = r;
    }
}

void runway_fields(int r)
{
    label(420, 300, "runway center lat");
    instdbtn(420, 280, COL_TEXT, &rwy_lat[r], 7, 4, 1, "This is the latitude of the center of the runway.");
    label(600, 300, "runway center lon");
    instdbtn(600, 280, COL_TEXT, &rwy_lon[r], 7, 4, 1, "This is the longitude of the center of the runway.");
    label(420, 230, "number");
    int_field(420, 210, COL_TEXT, &rwy_num[r], 2, 0, "This is the runway number at one end of the runway.");
    letter_field(r);
    label(560, 230, "heading");
    int_field(560, 210, COL_TEXT, &rwy_hdng[r], 3, 0,
              "This is the heading of the runway, when looking down it from the same end of the runway you used for "
              "the number above.");
    label(420, 190, "length (ft)");
    int_field(420, 170, COL_TEXT, &rwy_len[r], 5, 0, "This is the length of the runway, not including any over-runs.");
    label(560, 190, "width (ft)");
    int_field(560, 170, COL_TEXT, &rwy_width[r], 3, 0, "This is the width of the runway, not including any over-runs.");
    lights_fields(r);
}

// The navaid type buttons, in the screen's order, and their names.
const int k_nav_types[8] = {2, 3, 4, 6, 5, 7, 8, 9};
const char* const k_nav_names[8] = {"NDB", "VOR", "ILS", "G/S", "LOC", "OM", "MM", "IM"};

}  // namespace

// ---- the screens -------------------------------------------------------------------------------------

void plot_terrain(void)
{
    OGL_assigncolor(COL_WATER, 0.2f, 0.2f, 1.0f);
    OGL_assigncolor(COL_WATER_ALT, 0.1f, 0.1f, 0.5f);
    OGL_assigncolor(COL_WHITE, 1.0f, 1.0f, 1.0f);
    for (int i = 0; i < ENV_COLS - 1; i++) {
        for (int j = 0; j < ENV_ROWS - 1; j++) {
            float x[4], y[4];
            cell_corners(i, j, x, y);
            if (!on_map(x, y)) continue;
            if (lmsc.draw_tex) {
                const float(*st)[2][2] = planest[i][j];
                OGL_setcolor(COL_WHITE);
                OGL_setstate(0, 1, 0, 0);
                OGL_bindtex(static_cast<int>(planetex[i][j]));
                // Clockwise on the screen, as the library's quads go: SW, NW, NE, SE.
                OGL_2dquad(x[0], y[0], x[3], y[3], x[2], y[2], x[1], y[1], st[0][0][0], st[0][0][1], st[0][1][0],
                           st[0][1][1], st[1][1][0], st[1][1][1], st[1][0][0], st[1][0][1]);
                continue;
            }
            OGL_setstate(0, 0, 0, 0);
            if (lw_cell_water(i, j)) OGL_setcolor((i + j) % 2 ? COL_WATER_ALT : COL_WATER);
            else land_colour(0.25f * (pt_h(i, j) + pt_h(i + 1, j) + pt_h(i, j + 1) + pt_h(i + 1, j + 1)));
            OGL_2dquad(x[0], y[0], x[3], y[3], x[2], y[2], x[1], y[1], 0, 0, 0, 1, 1, 1, 1, 0);
        }
    }
    OGL_setstate(0, 0, 0, 0);
    for (int k = 1; k < lw_coast_n; k++) {
        const float x1 = ret_x(lw_coast_lon[k - 1]), y1 = ret_y(lw_coast_lat[k - 1]);
        const float x2 = ret_x(lw_coast_lon[k]), y2 = ret_y(lw_coast_lat[k]);
        if (fltrange(x1, MAP_X1, MAP_X2) && fltrange(x2, MAP_X1, MAP_X2) && fltrange(y1, MAP_Y1, MAP_Y2) &&
            fltrange(y2, MAP_Y1, MAP_Y2))
            OGL_line(COL_COAST, x1, y1, x2, y2);
    }
    plot_runways();
    if (lmsc.edit_mode == LW_TERRAIN && lmsc.map_mode == 1) {
        const float px = ret_x(pt_lon(lmsc.map_i_elev, lmsc.map_j_elev));
        const float py = ret_y(pt_lat(lmsc.map_i_elev, lmsc.map_j_elev));
        OGL_framerect(COL_PICK, px - 3, py - 3, 6, 6);
    }
    plot_objects();
}

void handle_map(void)
{
    map_edit();
    plot_terrain();
    corner_fields();
    static const char* const k_modes[5] = {"drag points", "elevation", "water", "coast corners", "paint texture"};
    for (int k = 0; k < 5; k++) {
        const float y = 460.0f - 18.0f * static_cast<float>(k);
        inonebool(10, y, &lmsc.map_mode, k);
        label(25, y + 2, k_modes[k]);
    }
    if (lmsc.map_mode == 1) {
        label(10, 350, "elevation (ft)");
        const int i = intlim(lmsc.map_i_elev, 0, ENV_COLS - 1), j = intlim(lmsc.map_j_elev, 0, ENV_ROWS - 1);
        if (feet_field(10, 330, COL_TEXT, &pt_h(i, j), 5, k_elev_help)) lmsc.map_dirty = 1;
    }
    if (lmsc.map_mode == 4) texture_slots();
    map_buttons();
    mouse_position();
}

void handle_obs(void)
{
    obstacle_edit();
    plot_terrain();
    static const int k_modes[9] = {OBJ_MODE_DELETE, OBJ_MODE_DRAG, OBJ_MODE_SELECT, 2, 3, 4, 5, 6, ENV_OBJ_CUSTOM};
    static const char* const k_names[9] = {"delete", "drag", "select", "add type 2", "add type 3",
                                           "add type 4", "add type 5", "add type 6", "add custom"};
    for (int k = 0; k < 9; k++) {
        const float y = 560.0f - 16.0f * static_cast<float>(k);
        inonebool(10, y, &lmsc.obj_mode, k_modes[k]);
        label(25, y + 2, k_names[k]);
    }
    obstacle_fields();
    map_buttons();
    mouse_position();
}

void handle_apt(void)
{
    if (mnw.mouse_clicked && screen_input()) lmsc.apt_dirty = 1;
    label(380, 575, "airports");
    plot_name_list(380, 560, apt_name, apt_id, &lmsc.apt_index, 0, apt_wrl_max);
    if (button(371, 375, 643, 395, "delete airport") && screen_input()) adddel_aptrwy(LW_KIND_APT, 0, 0);
    if (button(371, 350, 643, 370, "add airport") && screen_input()) adddel_aptrwy(LW_KIND_APT, 1, 0);
    if (apt_wrl_max < 0) return;
    const int a = intlim(lmsc.apt_index, 0, apt_wrl_max);
    if (lmsc.rwy_index < apt_lo_ind[a] || lmsc.rwy_index > apt_hi_ind[a]) lmsc.rwy_index = apt_lo_ind[a];
    label(15, 575, "name (type to change)");
    OGL_string(COL_TEXT, 15, 562, apt_name[a], 800, 6);
    label(15, 540, "elevation (ft)");
    feet_field(15, 520, COL_TEXT, &apt_h[a], 5, "This is the airport elevation, in feet, above sea level.");
    label(15, 490, "identifier");
    in4charbtn(15, 470, COL_TEXT, apt_id[a]);
    label(15, 440, "tower");
    in2textbtn(60, 440, " no", "yes", 30, &apt_twr[a]);
    label(15, 395, "buildings");
    in2textbtn(75, 395, " no", "yes", 30, &apt_bld[a]);
    label(15, 305, "runways");
    runway_list(a);
    if (button(90, 238, 370, 258, "delete runway") && screen_input()) adddel_aptrwy(LW_KIND_RWY, 0, 0);
    if (button(90, 216, 370, 236, "add runway") && screen_input()) adddel_aptrwy(LW_KIND_RWY, 1, 0);
    if (lmsc.rwy_index >= apt_lo_ind[a] && lmsc.rwy_index <= apt_hi_ind[a]) runway_fields(lmsc.rwy_index);
}

void handle_nav(void)
{
    if (mnw.mouse_clicked && screen_input()) lmsc.nav_dirty = 1;
    for (int k = 0; k < 8; k++) {
        const float x = 15.0f + 45.0f * static_cast<float>(k);
        const int before = lmsc.nav_show_type;
        inonebool(x, 560, &lmsc.nav_show_type, k_nav_types[k]);
        label(x + 13, 562, k_nav_names[k]);
        int lo, hi;
        if (lmsc.nav_show_type != before && lw_nav_range(lmsc.nav_show_type, &lo, &hi)) lmsc.nav_index = lo;
    }
    int lo, hi;
    const int any = lw_nav_range(lmsc.nav_show_type, &lo, &hi);
    if (any) plot_name_list(380, 540, nav_name, nav_id, &lmsc.nav_index, lo, hi);
    if (button(368, 375, 643, 395, "delete navaid") && screen_input() && any) lw_del_nav();
    if (button(368, 350, 643, 370, "add navaid") && screen_input()) lw_add_nav(lmsc.nav_show_type);
    const int v = lmsc.nav_index;
    if (v < 0 || v > nav_wrl_max || nav_type[v] != lmsc.nav_show_type) return;
    label(15, 545, "name (type to change)");
    OGL_string(COL_TEXT, 15, 532, nav_name[v], 800, 6);
    label(15, 515, "identifier");
    in4charbtn(15, 495, COL_TEXT, nav_id[v]);
    label(15, 470, "latitude");
    instdbtn(15, 450, COL_TEXT, &nav_lat[v], 7, 4, 1, "This is the latitude of the NAVAID.");
    label(15, 420, "longitude");
    instdbtn(15, 400, COL_TEXT, &nav_lon[v], 7, 4, 1, "This is the longitude of the NAVAID.");
    label(15, 370, "elevation (ft)");
    feet_field(15, 350, COL_TEXT, &nav_h[v], 5, "This is the elevation of the NAVAID in feet above mean sea level.");
    label(15, 320, "heading");
    int_field(15, 300, COL_TEXT, &nav_hdng[v], 3, 0, "This is the heading of the NAVAID, if any.");
    label(15, 270, "frequency");
    int_field(15, 250, COL_TEXT, &nav_frq[v], 5, 0,
              "This is the frequency of the NAVAID. Use the right 3 digits for ADFs (the first 2 should be zero) and "
              "run the primary 3 and secondary 2 digits together into one big 5-digit number for ILS's and VOR's.");
}

void lw_update(void)
{
    switch (lmsc.edit_mode) {
    case LW_TERRAIN: handle_map(); break;
    case LW_OBSTACLES: handle_obs(); break;
    case LW_AIRPORTS: handle_apt(); break;
    case LW_NAVAIDS: handle_nav(); break;
    default: break;
    }
}
