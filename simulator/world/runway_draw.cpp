// runway_draw.cpp -- runway strips, taxiways and aprons, windsocks and the airport lights.
//
// The strips and pavement pieces of every airport in view are gathered by texture and drawn
// together, so each runway texture is bound once a frame however many runways show it.
#include "runway_draw.h"

#include "fltutil.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_model.h"
#include "hl_types.h"
#include "rwygeo.h"
#include "scenery.h"
#include "vrange.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr float PI = 3.14159265f;
constexpr float RAD_TO_DEG = 180.0f / PI;
constexpr int END1 = 311;        // end 1's approach block is end 0's moved by this
constexpr int BEACON = 812;
constexpr int NONE = 999;        // a segment role not used by a strip

// ---- gathering quads by texture -------------------------------------------------------------------

constexpr int TEX_LO = SURF_ASPHALT;                                        // 62
constexpr int TEX_HI = RWY_TEX_SET0 + 2 * RWY_TEX_SET_STEP - 1;             // 115
constexpr int TEX_SLOTS = TEX_HI - TEX_LO + 1;
constexpr int QUADS_MAX = 8192;

struct Quad {
    float st[4][2];
    float xyz[4][3];
    int next;   // the next quad of the same texture, -1 at the end
};
Quad g_quads[QUADS_MAX];
int g_quad_n = 0;
int g_head[TEX_SLOTS], g_tail[TEX_SLOTS];
bool g_heads_cleared = false;

void clear_heads(void)
{
    for (int t = 0; t < TEX_SLOTS; t++) g_head[t] = g_tail[t] = -1;
    g_quad_n = 0;
    g_heads_cleared = true;
}

// The next quad of texture tex, or nullptr for a texture outside the runway sets. When the store is
// full what was gathered is drawn first.
Quad* new_quad(int tex)
{
    if (tex < TEX_LO || tex > TEX_HI) return nullptr;
    if (!g_heads_cleared) clear_heads();
    if (g_quad_n >= QUADS_MAX) flush_runways();
    const int k = g_quad_n++;
    Quad* q = &g_quads[k];
    q->next = -1;
    const int s = tex - TEX_LO;
    if (g_tail[s] < 0) g_head[s] = k;
    else g_quads[g_tail[s]].next = k;
    g_tail[s] = k;
    return q;
}

void put(Quad* q, int c, const float p[3], float s, float t)
{
    q->xyz[c][0] = p[0];
    q->xyz[c][1] = p[1];
    q->xyz[c][2] = p[2];
    q->st[c][0] = s;
    q->st[c][1] = t;
}

// ---- what the aircraft stands on ------------------------------------------------------------------

void over_pavement(int row, int group, float height)
{
    if (!inside_marking(row, group, static_cast<float>(flt.X[0]), static_cast<float>(flt.Z[0]), 0.0f)) return;
    env.over_obs = 1;
    env.surf_type = geo_type[row];
    env.obj_height = height;
}

// Point f (0 at the first corner, 1 at the second) of the line between two corners, at height y.
void along(const float a[3], const float b[3], float f, float y, float out[3])
{
    out[0] = interp(0.0f, a[0], 1.0f, b[0], f);
    out[1] = y;
    out[2] = interp(0.0f, a[2], 1.0f, b[2], f);
}

// Quad over A0, A1, B1, B0 with the strip's texture coordinates (u0 on A and at the segment's
// start, u1 on B and at its end).
void strip_quad(int tex, const float a0[3], const float a1[3], const float b1[3], const float b0[3], float u0, float u1)
{
    Quad* q = new_quad(tex);
    if (!q) return;
    put(q, 0, a0, u0, u0);
    put(q, 1, a1, u0, u1);
    put(q, 2, b1, u1, u1);
    put(q, 3, b0, u1, u0);
}

bool rwy_ok(int rwy) { return rwy >= 0 && rwy <= rwy_wrl_max && rwy < MAX_RWY; }
bool row_ok(int g) { return g >= 0 && g < GEO_ROWS; }
bool lit(const float p[3]) { return p[0] != 0.0f || p[2] != 0.0f; }   // hidden lights have x and z 0

}  // namespace

// ---- the strip's plan -----------------------------------------------------------------------------

int runway_segments(int len, int width)
{
    if (width <= 0) return 1;
    return intmax2(round(static_cast<float>(len / width)), 1);
}

int runway_marking_class(int len, int surface, int num)
{
    if (surface >= SURF_GRASS && surface <= SURF_GRAVEL) return 0;
    if (num == 99) return 0;
    if (len > 2400) return 3;
    if (len > 1200) return 2;
    return 1;
}

int runway_segment_textures(int n, int k, int num, char lcr, int surface, int i, int tex[2])
{
    const int first = k == 3 ? -2 : 0, last = k == 3 ? n + 1 : n - 1;
    if (i < first || i > last) return 0;
    const int o = surface == SURF_CONCRETE ? RWY_TEX_SET_STEP : 0;
    const int base = RWY_TEX_SET0 + o;
    // The places of each role; a side letter takes the number places and moves the numbers and
    // every mark after them one segment inward.
    const int s = lcr == 'L' || lcr == 'C' || lcr == 'R' ? 1 : 0;
    int number[2] = {NONE, NONE}, letter[2] = {NONE, NONE}, thld[2] = {NONE, NONE};
    int tdzm[6] = {NONE, NONE, NONE, NONE, NONE, NONE}, fdmk[2] = {NONE, NONE};
    const int num_at = k == 1 ? 0 : 1;   // class 1 has no threshold bars before its numbers
    if (k >= 1) {
        if (s) {
            letter[0] = num_at;
            letter[1] = n - 1 - num_at;
        }
        number[0] = num_at + s;
        number[1] = n - 1 - num_at - s;
    }
    if (k >= 2) {
        thld[0] = 0;
        thld[1] = n - 1;
    }
    if (k == 3) {
        const int t[3] = {2, 6, 8};
        for (int m = 0; m < 3; m++) {
            tdzm[2 * m] = t[m] + s;
            tdzm[2 * m + 1] = n - 1 - t[m] - s;
        }
        fdmk[0] = 4 + s;
        fdmk[1] = n - 5 - s;
    }
    // A number segment: tens and units, read from the end whose number it is.
    for (int p = 0; p < 2; p++) {
        if (i != number[p]) continue;
        const int shown = p == 0 ? num : intwrap(num + 18, 1, 36);
        const int tens = base + RWY_TENS + intlim(shown / 10, 0, 3), units = base + RWY_UNITS + shown % 10;
        tex[0] = p == 0 ? tens : units;
        tex[1] = p == 0 ? units : tens;
        return 2;
    }
    int t;
    if (k == 3 && (i < 0 || i >= n)) t = base + RWY_DISP;
    else if (i == thld[0] || i == thld[1]) t = base + RWY_THLD;
    else if (i == letter[0]) t = base + (lcr == 'L' ? RWY_LETTER_L : lcr == 'C' ? RWY_LETTER_C : RWY_LETTER_R);
    else if (i == letter[1]) t = base + (lcr == 'L' ? RWY_LETTER_R : lcr == 'C' ? RWY_LETTER_C : RWY_LETTER_L);
    else if (i == tdzm[0] || i == tdzm[1] || i == tdzm[2] || i == tdzm[3] || i == tdzm[4] || i == tdzm[5])
        t = base + RWY_TDZM;
    else if (i == fdmk[0] || i == fdmk[1]) t = base + RWY_FDMK;
    else if (surface >= SURF_GRASS && surface <= SURF_GRAVEL) t = surface;
    else if (num == 99) t = base + RWY_PAVE;
    else t = base + RWY_LINE;
    tex[0] = t;
    return 1;
}

// ---- the lights' rules ----------------------------------------------------------------------------

int runway_caution_lights(float len_ft)
{
    const int spacing = len_ft >= 500.0f ? 200 : 10;
    const int zone = len_ft >= 500.0f ? 2000 : 20;
    return intmin2(static_cast<int>(len_ft * 0.5f), zone) / spacing;
}

int centreline_red(int index, int rcls, float len_ft, int t)
{
    const int a = intmin2(static_cast<int>(len_ft / 2.0f), 3000) / 200;
    const int b = intmin2(static_cast<int>(len_ft / 4.0f), 1500) / 200;
    const int odd = index % 2;
    if (t == 0) {
        if (index < rcls - a) return 0;
        if (index < rcls - b) return odd ? 0 : 1;
        return 1;
    }
    if (index < b + 100) return 1;
    if (index < a + 100) return odd ? 0 : 1;
    return 0;
}

void slope_indicator(int kind, float angle, int white[4])
{
    static const float VASI[4] = {3.5f, 3.5f, 2.5f, 2.5f};
    static const float PAPI[4] = {2.6f, 2.9f, 3.1f, 3.4f};
    const float* from = kind == 2 ? VASI : PAPI;
    for (int u = 0; u < 4; u++) white[u] = angle >= from[u] ? 1 : 0;
}

int runway_end_seen(float psi, int rwy_hdng)
{
    const int d = std::abs(intwrap(static_cast<int>(psi - static_cast<float>(rwy_hdng)), -179, 180));
    return d < 90 ? 0 : 1;
}

float beacon_intensity(int row, float rb_cycle)
{
    return signsqr(signsqr(std::sin(static_cast<float>(row) + rb_cycle)));
}

// ---- drawing --------------------------------------------------------------------------------------

void plot_runway(int apt, int rwy, int)
{
    if (apt < 0 || apt > apt_wrl_max || apt >= MAX_APT || !rwy_ok(rwy)) return;
    const int g = rwy_geo_ind[rwy];
    if (!row_ok(g)) return;
    const float y = apt_h[apt];
    const int surface = geo_type[g];
    const int n = runway_segments(rwy_len[rwy], rwy_width[rwy]);
    const int k = runway_marking_class(rwy_len[rwy], surface, rwy_num[rwy]);

    over_pavement(g, 0, y);

    const float(*c)[3] = geo_markxyz[g][0];
    const int first = k == 3 ? -2 : 0, last = k == 3 ? n + 1 : n - 1;
    for (int i = first; i <= last; i++) {
        int tex[2];
        const int parts = runway_segment_textures(n, k, rwy_num[rwy], rwy_lcr[rwy], surface, i, tex);
        const float f0 = static_cast<float>(i) / static_cast<float>(n);
        const float f1 = static_cast<float>(i + 1) / static_cast<float>(n);
        float a0[3], a1[3], b0[3], b1[3];
        along(c[3], c[0], f0, y, a0);
        along(c[3], c[0], f1, y, a1);
        along(c[2], c[1], f0, y, b0);
        along(c[2], c[1], f1, y, b1);
        // The markings face the pilot approaching each end.
        const float u0 = i < n / 2 ? 0.0f : 1.0f, u1 = 1.0f - u0;
        if (parts == 2) {
            float m0[3], m1[3];
            for (int d = 0; d < 3; d++) {
                m0[d] = (a0[d] + b0[d]) * 0.5f;
                m1[d] = (a1[d] + b1[d]) * 0.5f;
            }
            strip_quad(tex[0], a0, a1, m1, m0, u0, u1);
            strip_quad(tex[1], m0, m1, b1, b0, u0, u1);
        } else if (parts == 1) {
            strip_quad(tex[0], a0, a1, b1, b0, u0, u1);
        }
    }
}

void plot_pavement(int rwy_geo, int quad, float t_repeat, int tex)
{
    if (!row_ok(rwy_geo) || quad < 1 || quad >= GEO_MARKS) return;
    const float(*c)[3] = geo_markxyz[rwy_geo][quad];
    Quad* q = new_quad(tex);
    if (q) {
        put(q, 0, c[0], 0.0f, t_repeat);
        put(q, 1, c[1], 1.0f, t_repeat);
        put(q, 2, c[2], 1.0f, 0.0f);
        put(q, 3, c[3], 0.0f, 0.0f);
    }
    over_pavement(rwy_geo, quad, c[0][1]);
}

void runway_under_aircraft(int apt, int rwy)
{
    if (apt < 0 || apt > apt_wrl_max || apt >= MAX_APT || !rwy_ok(rwy)) return;
    const int g = rwy_geo_ind[rwy];
    if (!row_ok(g)) return;
    // As the drawing finds them: the taxiways and aprons, then the strip.
    if (geo_tway[g])
        for (int q = 1; q < GEO_MARKS && q <= 5; q++) over_pavement(g, q, geo_markxyz[g][q][0][1]);
    over_pavement(g, 0, apt_h[apt]);
}

void flush_runways(void)
{
    if (!g_heads_cleared) clear_heads();
    for (int s = 0; s < TEX_SLOTS; s++) {
        if (g_head[s] < 0) continue;
        const int tex = TEX_LO + s;
        // Grass, dirt and gravel strips let the ground show through their open parts.
        const bool keyed = tex >= SURF_GRASS && tex <= SURF_GRAVEL;
        if (keyed) glEnable(GL_ALPHA_TEST);
        OGL_bindtex(tex);
        glBegin(GL_QUADS);
        for (int k = g_head[s]; k >= 0; k = g_quads[k].next) {
            const Quad& q = g_quads[k];
            for (int c = 0; c < 4; c++) {
                glTexCoord2fv(q.st[c]);
                glVertex3fv(q.xyz[c]);
            }
        }
        glEnd();
        if (keyed) glDisable(GL_ALPHA_TEST);
    }
    clear_heads();
}

void plot_windsock(int rwy_geo, int end)
{
    if (!row_ok(rwy_geo) || end < 0 || end > 1) return;
    const float* p = geo_sockxyz[rwy_geo][end];
    if (p[1] < -999.0f) return;   // hidden: it would stand on another runway
    glPushMatrix();
    glTranslatef(p[0], p[1], p[2]);

    // The pole, unlit and untextured, in the day's grey.
    OGL_setstate(1, 0, 0, 1);
    const float grey = 0.3f * ogl_brat_ter;
    glColor3f(grey, grey, grey);
    glBegin(GL_LINES);
    glVertex3f(0.0f, -5.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glEnd();

    // The sock points downwind: hanging in calm air, straight out from 10 m/s, fluttering.
    OGL_setstate(1, 1, 1, 1);
    glColor3f(1.0f, 1.0f, 1.0f);
    const float w = pythag3(atm.wind_X, atm.wind_Y, atm.wind_Z);
    const float f = std::sin(msc.elap_time * 2.0f) * w * 0.5f;
    glRotatef(std::atan2(atm.wind_X, atm.wind_Z) * RAD_TO_DEG + f, 0.0f, 1.0f, 0.0f);
    glRotatef(f + fltlim(interp(0.0f, -90.0f, 10.0f, 0.0f, w), -90.0f, 0.0f), -1.0f, 0.0f, 0.0f);
    glRotatef(f * 5.0f, 0.0f, 0.0f, 1.0f);
    static const float ring[8][3] = {{0.0f, 0.6f, 0.5f}, {0.6f, 0.0f, 0.5f}, {0.0f, -0.6f, 0.5f}, {-0.6f, 0.0f, 0.5f},
                                     {0.0f, 0.2f, 2.5f}, {0.2f, 0.0f, 2.5f}, {0.0f, -0.2f, 2.5f}, {-0.2f, 0.0f, 2.5f}};
    static const int faces[4][4] = {{0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
    for (const auto& q : faces) OGL_3dquad_st(ring[q[0]], ring[q[1]], ring[q[2]], ring[q[3]], TEX_WINDSOCK, 0.0f, 0.0f, 1.0f, 1.0f);
    glPopMatrix();
}

namespace {

void point(const float p[3], float r, float g, float b)
{
    if (!lit(p)) return;
    glColor3f(r, g, b);
    glVertex3fv(p);
}

void run(int row, int first, int last, float r, float g, float b)
{
    for (int k = first; k <= last; k++) point(geo_litexyz[row][k], r, g, b);
}

// One edge-light row, first..last from end 0 toward end 1, with its caution zone at the far end.
void edge_row(int row, int first, int last, int caution, int t)
{
    for (int k = first; k <= last; k++) {
        const bool yellow = t == 0 ? k > last - caution : k <= first + caution;
        if (yellow) point(geo_litexyz[row][k], 0.6f, 0.4f, 0.0f);
        else point(geo_litexyz[row][k], 0.6f, 0.6f, 0.4f);
    }
}

// The lights of one runway seen from end t.
void runway_lights(int rwy, int g, int t, float elev)
{
    const int e = t * END1;
    const int gls = geo_litgls[g][t], rk = geo_litrwy[g][t], ak = geo_litapp[g][t];
    const float len_ft = static_cast<float>(rwy_len[rwy]) * con.mtrstoft;

    // Slope indicators show whatever the light switch says.
    if (gls == 2 || gls == 3) {
        const float* u = geo_litexyz[g][e + 276];
        const float dx = u[0] - con.VIEW_xyz[0], dz = u[2] - con.VIEW_xyz[2];
        const float angle = std::atan2(con.VIEW_xyz[1] - elev, std::sqrt(dx * dx + dz * dz)) * RAD_TO_DEG;
        int white[4];
        slope_indicator(gls, angle, white);
        const float found = OGL_pointsize(2.0f);
        glBegin(GL_POINTS);
        for (int k = 0; k < 4; k++) {
            if (white[k]) point(geo_litexyz[g][e + 276 + k], 1.0f, 1.0f, 1.0f);
            else point(geo_litexyz[g][e + 276 + k], 1.0f, 0.2f, 0.2f);
        }
        glEnd();
        glPointSize(found);
    }
    if (!scn.rway_lites_on) return;

    glBegin(GL_POINTS);
    if (rk == 6) {
        run(g, 0, geo_rmax1[g], 0.2f, 0.2f, 0.6f);
        run(g, 50, geo_rmax2[g], 0.2f, 0.2f, 0.6f);
    }
    if (geo_tway[g] && rk >= 2 && rk <= 5) {
        run(g, 150, geo_tmax1[g], 0.2f, 0.2f, 0.6f);
        run(g, 200, geo_tmax2[g], 0.2f, 0.2f, 0.6f);
        run(g, 527, 560, 0.2f, 0.2f, 0.6f);
    }
    if (rk >= 2 && rk <= 5) {
        const int m = runway_caution_lights(len_ft);
        edge_row(g, 0, geo_rmax1[g], m, t);
        edge_row(g, 50, geo_rmax2[g], m, t);
    }
    // Threshold bars: green toward the end seen, red at the far one.
    const float green[3] = {0.2f, 0.6f, 0.2f}, red[3] = {0.8f, 0.0f, 0.0f};
    const float* near_c = t == 0 ? green : red;
    const float* far_c = t == 0 ? red : green;
    const bool approach = ak >= 2 && ak <= 5;
    if ((rk >= 3 && rk <= 5) || approach) {
        run(g, 501, 503, near_c[0], near_c[1], near_c[2]);
        run(g, 511, 513, near_c[0], near_c[1], near_c[2]);
        run(g, 514, 516, far_c[0], far_c[1], far_c[2]);
        run(g, 524, 526, far_c[0], far_c[1], far_c[2]);
    }
    if (approach) {
        run(g, 504, 510, near_c[0], near_c[1], near_c[2]);
        run(g, 517, 523, far_c[0], far_c[1], far_c[2]);
    }
    if (rk == 4 || rk == 5) {
        for (int k = 100; k <= geo_RCLS[g]; k++) {
            if (centreline_red(k, geo_RCLS[g], len_ft, t)) point(geo_litexyz[g][k], 0.8f, 0.0f, 0.0f);
            else point(geo_litexyz[g][k], 0.6f, 0.6f, 0.3f);
        }
    }
    if (rk == 5) run(g, e + 361, e + 480, 0.6f, 0.6f, 0.3f);
    if (approach) run(g, e + 250, e + 275, 0.6f, 0.6f, 0.3f);
    if (ak == 4 || ak == 5) run(g, e + 481, e + 500, 0.6f, 0.6f, 0.3f);
    if (ak == 5) run(g, e + 281, e + 360, 0.8f, 0.0f, 0.0f);
    glEnd();
    // The approach flasher.
    if (ak >= 3 && ak <= 6) {
        const float* s = geo_litexyz[g][e + 280];
        if (lit(s)) heavy_light(s[0], s[1], s[2], 1.0f, 1.0f, 1.0f, 2.0f);
    }
}

}  // namespace

void plot_rway_lights(void)
{
    // Lifted a little, more the higher the aircraft, so the ground does not swallow them.
    const float lift = static_cast<float>(flt.Y[0] - env.localh_cg) * 0.02f + 1.0f;
    glPushMatrix();
    glTranslatef(0.0f, lift, 0.0f);
    for (int row = 0; row < apt_lcl_num && row < LCL_MAX; row++) {
        if (!apt_inrange[row]) continue;
        const int a = apt_to_index[row];
        if (a < 0 || a > apt_wrl_max || a >= MAX_APT || !rwy_ok(apt_lo_ind[a])) continue;
        // The beacon on the first runway's obstruction light: white flashes, then green.
        const int g0 = rwy_geo_ind[apt_lo_ind[a]];
        if (row_ok(g0) && lit(geo_litexyz[g0][BEACON])) {
            const float v = beacon_intensity(row, scn.rb_cycle), p = fltmax2(v, 0.0f);
            const float* b = geo_litexyz[g0][BEACON];
            heavy_light(b[0], b[1], b[2], p, std::fabs(v), p, 2.0f * std::fabs(v));
        }
        for (int r = apt_lo_ind[a]; r <= apt_hi_ind[a] && rwy_ok(r); r++) {
            const int g = rwy_geo_ind[r];
            if (!row_ok(g)) continue;
            runway_lights(r, g, runway_end_seen(scn.psi, rwy_hdng[r]), apt_h[a]);
        }
    }
    glPopMatrix();
}
