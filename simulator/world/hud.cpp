// hud.cpp -- the normal and the synthetic head-up displays.
#include "hud.h"

#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"
#include "panel.h"
#include "scenery.h"
#include "view.h"
#include "vrange.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr float DEG = 3.14159265f / 180.0f;
constexpr float STATUS_STRIP = 561.0f;   // the status strip covers the view above this
constexpr float HUD_MARGIN = 4.0f;

// Colour-table entries: the normal display bright and dim; the synthetic display's three shades
// (runway outlines, near terrain grid, far grid and gates) bright and dim.
constexpr int COL_NRML_BRIGHT = 47, COL_NRML_DIM = 49;
constexpr int COL_COOL_BRIGHT[3] = {46, 48, 49};
constexpr int COL_COOL_DIM[3] = {48, 49, 50};

constexpr double HUD_DEPTH_FAR = 0.99995;   // the synthetic display's depth range: 0 .. this
constexpr int GRID_REACH = 10;           // grid points each way from the viewpoint
constexpr int GATES = 8;
constexpr float GATE_RANGE_NM = 15.0f;

void line3(const float a[3], const float b[3])
{
    glVertex3fv(a);
    glVertex3fv(b);
}

}  // namespace

void hud_set_box(float bottom, float top)
{
    const float hh = fltmin2(HUD_HALF_H, fltmin2(fltmin2(top, STATUS_STRIP) - con.cntry, con.cntry - bottom) - HUD_MARGIN);
    con.HUD_lft = con.cntrx - HUD_HALF_W;
    con.HUD_rgt = con.cntrx + HUD_HALF_W;
    con.HUD_bot = con.cntry - hh;
    con.HUD_top = con.cntry + hh;
}

hud_marks hud_marks_at(int view, float alpha, float beta)
{
    const float k = view_pitch_offset(view);
    hud_marks m;
    m.bore_x = con.cntrx;
    m.bore_y = con.cntry - VIEW_PX_PER_DEG * k;
    m.fpm_x = fltlim(con.cntrx - beta * VIEW_PX_PER_DEG, con.HUD_lft + 2.0f, con.HUD_rgt - 2.0f);
    m.fpm_y = fltlim(con.cntry - (alpha + k) * VIEW_PX_PER_DEG, con.HUD_bot + 2.0f, con.HUD_top - 2.0f);
    return m;
}

hud_gate hud_gate_at(int k, const float m[3], float h)
{
    const float d = std::pow((static_cast<float>(k) + 2.0f) / 9.0f, 1.5f) * 6000.0f;
    const float s = std::sin(h * DEG), c = std::cos(h * DEG);
    return {m[0] - d * s, m[1] + 0.05f * d, m[2] + d * c, 0.02f * d, d};
}

void plot_nrml_hud(void)
{
    const int c = ins.hud_brt ? COL_NRML_BRIGHT : COL_NRML_DIM;
    const float lft = con.HUD_lft, rgt = con.HUD_rgt, top = con.HUD_top, bot = con.HUD_bot;
    const float cx = con.cntrx, cy = con.cntry;
    const float hw = static_cast<float>(static_cast<int>((rgt - lft) / 2.0f - 30.0f));
    const float hh = static_cast<float>(static_cast<int>((top - bot) / 2.0f - 1.0f));
    const float alt_hft = flt.hind * con.mtrstoft * 0.01f;

    // Tapes: speed on the left, altitude in hundreds of feet on the right, heading along the top.
    plot_glass_tape(c, lft + 3.0f, lft + 24.0f, cy, hh, -999.0f, flt.vind, 5.0f, 10.0f, 2.0f, 15);
    plot_glass_tape(c, rgt - 20.0f, rgt - 27.0f, cy, hh, -999.0f, alt_hft, 1.0f, 5.0f, 10.0f, 15);
    plot_glass_tape(c, top - 9.0f, top - 16.0f, cx, hw, -999.0f, flt.magpsi, 5.0f, 10.0f, 5.0f, 14);

    // Readouts and their pointers.
    OGL_number(c, lft + 35.0f, cy - 3.0f, flt.vind, 3, 0, 6.0f, 0);
    OGL_number(c, rgt - 57.0f, cy - 3.0f, alt_hft, 4, 0, 6.0f, 0);
    OGL_number(c, cx - 8.0f, top - 32.0f, flt.magpsi, 3, 0, 6.0f, 0);
    OGL_line(c, lft + 33.0f, cy - 5.0f, lft + 28.0f, cy);
    OGL_line(c, lft + 28.0f, cy, lft + 33.0f, cy + 5.0f);
    OGL_line(c, rgt - 34.0f, cy - 5.0f, rgt - 29.0f, cy);
    OGL_line(c, rgt - 29.0f, cy, rgt - 34.0f, cy + 5.0f);
    OGL_line(c, cx - 5.0f, top - 23.0f, cx, top - 18.0f);
    OGL_line(c, cx, top - 18.0f, cx + 5.0f, top - 23.0f);

    // Boresight cross and flight-path marker.
    const hud_marks m = hud_marks_at(set.view_type, flt.Alph, flt.Beta);
    OGL_line(c, m.bore_x - 10.0f, m.bore_y, m.bore_x + 10.0f, m.bore_y);
    OGL_line(c, m.bore_x, m.bore_y - 10.0f, m.bore_x, m.bore_y + 10.0f);
    OGL_framerect(c, m.fpm_x - 2.0f, m.fpm_y - 2.0f, 4.0f, 4.0f);

    // ILS deviation bars of the receiver that drives the situation indicator.
    if (nav.goodnav[1] && pln[0].HUDtype != 3) {
        const float h = static_cast<float>(round(nav.hdef[1] * 10.0f));
        const float v = static_cast<float>(round(nav.vdef[1] * 10.0f));
        OGL_line(c, cx + h, cy - 50.0f, cx + h, cy + 50.0f);
        OGL_line(c, cx - 50.0f, cy - v, cx + 50.0f, cy - v);
    }
}

void plot_cool_hud(void)
{
    const int* shade = ins.hud_brt ? COL_COOL_BRIGHT : COL_COOL_DIM;
    const float sx = mnw.XRAT, sy = mnw.YRAT;
    glEnable(GL_SCISSOR_TEST);
    glScissor(static_cast<GLint>(con.HUD_lft * sx), static_cast<GLint>(con.HUD_bot * sy),
              static_cast<GLsizei>((con.HUD_rgt - con.HUD_lft - 1.0f) * sx),
              static_cast<GLsizei>((con.HUD_top - con.HUD_bot - 1.0f) * sy));

    // The grid lies on the terrain's own points: brought a hair nearer in depth, its lines win over
    // the ground they lie on instead of breaking into dashes where the two meet.
    glDepthFunc(GL_LEQUAL);
    glDepthRange(0.0, HUD_DEPTH_FAR);
    glBegin(GL_LINES);
    // The terrain's grid around the viewpoint, stopping at the region's last points.
    const int vi = env.i_viewpoint, vj = env.j_viewpoint;
    const int i0 = intlim(vi - GRID_REACH, 0, REGION_NI - 2), i1 = intlim(vi + GRID_REACH, 0, REGION_NI - 2);
    const int j0 = intlim(vj - GRID_REACH, 0, REGION_NJ - 2), j1 = intlim(vj + GRID_REACH, 0, REGION_NJ - 2);
    for (int i = i0; i < i1; i++) {
        for (int j = j0; j < j1; j++) {
            const int near = std::abs(i - vi) < GRID_REACH && std::abs(j - vj) < GRID_REACH;
            glColor3fv(col_rgb[shade[near ? 1 : 2]]);
            line3(planexyz[i][j], planexyz[i][j + 1]);
            line3(planexyz[i][j], planexyz[i + 1][j]);
        }
    }

    // The local runways' outlines, and the gates before those within reach.
    for (int row = 0; row < apt_lcl_num && row < LCL_MAX; row++) {
        const int a = apt_to_index[row];
        if (a < 0 || a > apt_wrl_max) continue;
        for (int r = apt_lo_ind[a]; r <= apt_hi_ind[a] && r <= rwy_wrl_max; r++) {
            if (r < 0 || rwy_num[r] == 99) continue;
            const int g = rwy_geo_ind[r];
            if (g < 0 || g >= GEO_ROWS) continue;
            const float(*q)[3] = geo_markxyz[g][0];
            glColor3fv(col_rgb[shade[0]]);
            for (int k = 0; k < 4; k++) line3(q[k], q[(k + 1) % 4]);
            const float m[3] = {0.5f * (q[2][0] + q[3][0]), 0.5f * (q[2][1] + q[3][1]), 0.5f * (q[2][2] + q[3][2])};
            if (pythag(m[0] - con.VIEW_xyz[0], m[2] - con.VIEW_xyz[2]) >= GATE_RANGE_NM * con.nmtomtrs) continue;
            glColor3fv(col_rgb[shade[2]]);
            const float h = static_cast<float>(rwy_hdng[r]);
            const float ch = std::cos(h * DEG), sh = std::sin(h * DEG);
            for (int k = 0; k < GATES; k++) {
                const hud_gate gt = hud_gate_at(k, m, h);
                const float lx = gt.x - ch * gt.half, lz = gt.z - sh * gt.half;
                const float rx = gt.x + ch * gt.half, rz = gt.z + sh * gt.half;
                const float top = gt.y + gt.half, bot = gt.y - gt.half;
                glVertex3f(lx, top, lz);
                glVertex3f(lx, bot, lz);
                glVertex3f(rx, top, rz);
                glVertex3f(rx, bot, rz);
                glVertex3f(lx, bot, lz);
                glVertex3f(rx, bot, rz);
            }
        }
    }
    glEnd();
    glDepthRange(0.0, 1.0);
    glDepthFunc(GL_LESS);
    glDisable(GL_SCISSOR_TEST);
}
