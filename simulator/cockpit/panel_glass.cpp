// panel_glass.cpp -- the glass displays each frame: the glass panel's map display (EFIS), the glass
// moving map of slot 4 and the weather radar: their mode buttons, the weather returns, the region's
// airports and navaids, the traffic and the own aircraft's symbol.
#include "panel.h"
#include "panel_local.h"

#include "fltutil.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"
#include "hl_wxr.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

namespace {

constexpr float WXR_CELL = 2.0f;   // px, the weather returns' cells

// The display being drawn: its screen, the symbol point, the scale and the turn of the picture.
struct screen_view {
    float x, y, w, h;      // the screen's lower left and size
    float sx, sy;          // the aircraft symbol
    float px_per_m;        // pixels a metre
    float s, c;            // sine and cosine of the picture's turn (the true heading; 0 north up)
};

// The screen of display `kind` with its mode and range.
screen_view view_of(int kind, int mode, float range_nm)
{
    screen_view v{};
    if (kind == 11) {
        v = {ins.x_loc[SLOT_EFIS] + 199.0f, ins.y_loc[SLOT_EFIS] + 48.0f, 182.0f, 224.0f, 0, 0, 0, 0, 1};
    } else if (kind == 12) {
        v = {ins.x_loc[SLOT_SUPP] - 40.0f, ins.y_loc[SLOT_SUPP] - 40.0f, 63.0f, 80.0f, 0, 0, 0, 0, 1};
    } else {
        v = {ins.x_loc[SLOT_SUPP] - 43.0f, ins.y_loc[SLOT_SUPP] - 31.0f, 86.0f, 90.0f, 0, 0, 0, 0, 1};
    }
    v.sx = v.x + std::round(0.5f * v.w);
    v.sy = mode == 1 ? v.y + std::round(0.25f * v.h) : v.y + std::round(0.5f * v.h);
    // A range of nothing (or a damaged one) shows the nearest mile rather than dividing by zero.
    const float range = std::isfinite(range_nm) ? fltmax2(range_nm, 1.0f) : 1.0f;
    v.px_per_m = (v.y + v.h - v.sy) / (range * con.nmtomtrs);
    if (mode == 0 || mode == 1) {
        const float a = flt.psi[0] / 57.2957795f;
        v.s = std::sin(a);
        v.c = std::cos(a);
    }
    return v;
}

// The screen point of the region point (x, z); 1 when it lies inside the screen by `margin`.
int to_screen(const screen_view& v, float x, float z, float margin, float* px, float* py)
{
    const float e = (x - static_cast<float>(flt.X[0])) * v.px_per_m;    // east
    const float n = (static_cast<float>(flt.Z[0]) - z) * v.px_per_m;    // north
    // Turned so the track points up: right = east cos h - north sin h, up = east sin h + north cos h.
    *px = v.sx + e * v.c - n * v.s;
    *py = v.sy + e * v.s + n * v.c;
    return *px >= v.x + margin && *px <= v.x + v.w - margin && *py >= v.y + margin && *py <= v.y + v.h - margin;
}

// The weather returns over the screen: each cell's storm level from the weather grid under it, the
// cells in one batch of quads.
void weather(const screen_view& v)
{
    const float rain = atm.rain_tstm - 0.5f;
    if (!(rain > 0.0f)) return;
    const int ni = static_cast<int>(v.w / WXR_CELL), nj = static_cast<int>(v.h / WXR_CELL);
    const float ox = mnw.x + 0.5f, oy = mnw.y + 0.5f;
    int last = -1;
    glBegin(GL_QUADS);
    for (int j = 0; j < nj; j++) {
        for (int i = 0; i < ni; i++) {
            // The cell's centre back on the ground: screen offsets turned back into east and north.
            const float rx = v.x + WXR_CELL * (i + 0.5f) - v.sx, ry = v.y + WXR_CELL * (j + 0.5f) - v.sy;
            const float e = (rx * v.c + ry * v.s) / v.px_per_m, n = (ry * v.c - rx * v.s) / v.px_per_m;
            int gi, gj;
            wxr_cell(static_cast<float>(flt.X[0]) + e, static_cast<float>(flt.Z[0]) - n, env.lox, env.hix, env.loz, env.hiz, &gi, &gj);
            const float level = atm.wxr[gi][gj] * rain;
            if (!(level >= 0.5f)) continue;
            const int colour = level < 1.5f ? 49 : (level < 2.5f ? 41 : 44);
            if (colour != last) OGL_setcolor(colour);
            last = colour;
            const float x1 = v.x + WXR_CELL * i + ox, y1 = v.y + WXR_CELL * j + oy;
            // Wound as OGL_fillrect winds its triangles, so the culling keeps them.
            glVertex2f(x1, y1);
            glVertex2f(x1, y1 + WXR_CELL);
            glVertex2f(x1 + WXR_CELL, y1 + WXR_CELL);
            glVertex2f(x1 + WXR_CELL, y1);
        }
    }
    glEnd();
}

// The aircraft symbol at the symbol point: fuselage, wings and tail, turned by `turn` degrees.
void own_symbol(const screen_view& v, int turn, int colour)
{
    static const float seg[4][4] = {{0, 6, 0, -6}, {-8, -4, 0, 0}, {0, 0, 8, -4}, {-4, -8, 4, -8}};
    const int a = wrap_deg(turn);
    const float s = lookup_sin[a], c = lookup_cos[a];
    float turned[4][4];
    for (int k = 0; k < 4; k++) {
        const float* l = seg[k];
        turned[k][0] = v.sx + l[0] * c + l[1] * s;
        turned[k][1] = v.sy - l[0] * s + l[1] * c;
        turned[k][2] = v.sx + l[2] * c + l[3] * s;
        turned[k][3] = v.sy - l[2] * s + l[3] * c;
    }
    plot_segments(colour, turned, 4);
}

void airports_and_navaids(const screen_view& v)
{
    const int airports = intlim(apt_lcl_num, 0, LCL_MAX);
    for (int k = 0; k < airports; k++) {
        const int a = apt_to_index[k];
        if (a < 0 || a > apt_wrl_max || a >= MAX_APT) continue;
        const int r = apt_lo_ind[a];
        if (r < 0 || r >= MAX_RWY) continue;   // an airport without runways has no place to show
        const float x = static_cast<float>(X_with_latlon(rwy_lat[r], rwy_lon[r]));
        const float z = static_cast<float>(Z_with_lat(rwy_lat[r]));
        float px, py;
        if (to_screen(v, x, z, 5.0f, &px, &py)) hs_plot_nav(1, px, py, apt_id[a]);
    }
    const int last = intmin2(nav_wrl_max, MAX_NAV - 1);
    for (int n = 2; n <= last; n++) {
        const int type = nav_type[n];
        if ((type != 2 && type != 3) || !nav_inreg[n]) continue;
        const float x = static_cast<float>(X_with_latlon(nav_lat[n], nav_lon[n]));
        const float z = static_cast<float>(Z_with_lat(nav_lat[n]));
        float px, py;
        if (to_screen(v, x, z, 5.0f, &px, &py)) hs_plot_nav(type, px, py, nullptr);
    }
}

// The other aircraft as squares; within 2,000 ft of the own height yellow when nearer than 10 nm
// and red nearer than 5 nm, with the height difference in hundreds of feet beside them.
void traffic(const screen_view& v)
{
    for (int k = 1; k < 12; k++) {
        if (flt.X[k] == 0.0 && flt.Y[k] == 0.0 && flt.Z[k] == 0.0) continue;   // an empty slot
        float px, py;
        if (!to_screen(v, static_cast<float>(flt.X[k]), static_cast<float>(flt.Z[k]), 2.0f, &px, &py)) continue;
        const float dx = static_cast<float>(flt.X[k] - flt.X[0]), dz = static_cast<float>(flt.Z[k] - flt.Z[0]);
        const float nm = std::sqrt(dx * dx + dz * dz) * con.mtrstonm;
        const float dft = static_cast<float>(flt.Y[k] - flt.Y[0]) * con.mtrstoft;
        int colour = 38;
        const int near = std::fabs(dft) < 2000.0f && nm < 10.0f;
        if (near) colour = nm < 5.0f ? 44 : 41;
        OGL_fillrect(colour, std::round(px) - 2.0f, std::round(py) - 2.0f, 5.0f, 5.0f);
        if (near) OGL_number(colour, std::round(px) + 5.0f, std::round(py) - 3.0f, dft / 100.0f, 2, 0, 6, 1);
    }
}

}  // namespace

void hs_plot_nav(int kind, float x, float y, const char* id)
{
    const int k = intlim(kind, 1, 3);
    const int colour = k == 1 ? 46 : 43;
    x = std::round(x);
    y = std::round(y);
    float seg[10][4];
    int n = 0;
    for (int s = 0; s < 10; s++) {
        const int32_t* l = ins.nav_pic[k][s];
        if (l[0] == 0 && l[1] == 0 && l[2] == 0 && l[3] == 0) continue;   // an unused segment
        seg[n][0] = x + l[0], seg[n][1] = y + l[1], seg[n][2] = x + l[2], seg[n][3] = y + l[3];
        n++;
    }
    plot_segments(colour, seg, n);
    if (id) {
        char text[5];
        std::snprintf(text, sizeof text, "%.4s", id);
        OGL_string(colour, x + 7.0f, y - 3.0f, text, 800, 6);
    }
}

void update_glass(int kind)
{
    if (kind != 11 && kind != 12 && kind != 13) return;
    int mode = 1;
    float range = ins.rad_range;
    if (kind == 11) {
        mode = ins.map_mode;
        range = ins.map_range;
        const int lit[4] = {ins.map_mode == 1, ins.map_mode == 2, ins.EFIS_wxr != 0, ins.EFIS_tcas != 0};
        for (int k = 0; k < 4; k++) plot_efis_light(ins.x_loc[SLOT_EFIS] + 272.0f + 30.0f * k, ins.y_loc[SLOT_EFIS] + 40.0f, lit[k]);
    } else if (kind == 12) {
        mode = ins.arg_mode;
        range = ins.arg_range;
        for (int m = 0; m < 3; m++)
            plot_argus_button(ins.x_loc[SLOT_SUPP] + 31.0f, ins.y_loc[SLOT_SUPP] + 24.0f - 15.0f * m, 14 + 2 * m + (ins.arg_mode != m));
    }
    if (mode < 0 || mode > 2) mode = 1;
    const screen_view v = view_of(kind, mode, range);
    const int text = kind == 12 ? 47 : 38;

    OGL_scissor(v.x, v.y, v.w, v.h);
    if (kind == 13 || (kind == 11 && ins.EFIS_wxr)) weather(v);
    if (kind != 13) airports_and_navaids(v);
    if (kind == 11 && ins.EFIS_tcas) traffic(v);
    own_symbol(v, mode == 2 ? round(flt.psi[0]) : 0, 38);
    const float shown = fltlim(std::isfinite(range) ? range : 0.0f, 0.0f, 99.0f);
    OGL_number(text, v.x + 2.0f, v.y + v.h - 9.0f, shown, 2, shown < 10.0f ? 1 : 0, 6, 0);
    OGL_scissor_off();
}
