// map_symbols.cpp -- the map's symbols: the aircraft and its recorded path, labels, frequency boxes,
// navaids and airports, each drawn at the window position it is given.
#include "map.h"
#include "map_local.h"
#include "panel_local.h"   // wrap_deg

#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Blink state: the aircraft symbol's colour and the path's take turns from call to call; the path
// remembers its previous point to join the next one to it.
int g_plane_turn = 0;
int g_path_turn = 0;
float g_path_x2 = 0.0f, g_path_y2 = 0.0f;

struct line4 {
    float x1, y1, x2, y2;
};

// The aeroplane's wings, the helicopter's rotor, and the tail and fuselage both share (symbol units,
// nose up).
constexpr line4 WINGS[] = {{-10, 1, 10, 1}, {-10, 0, 10, 0}, {-5, -1, 5, -1}};
constexpr line4 ROTOR[] = {{-10, -10, 10, 10}, {-10, 10, 10, -10}, {-9, -9, 11, 11}, {-9, 11, 11, -9}};
constexpr line4 BODY[] = {{-4, -6, 4, -6}, {-3, -7, 3, -7}, {-1, 5, -1, -5}, {0, 6, 0, -7}, {1, 5, 1, -5}};

// The VOR's hexagon, its six ticks and its two bars.
constexpr line4 VOR_LINES[] = {
    {-4, 0, -2, -3},  {-2, -3, 2, -3},  {2, -3, 4, 0},    {4, 0, 2, 3},     {2, 3, -2, 3},    {-2, 3, -4, 0},
    {-5, -1, -3, -3}, {-5, -2, -4, -3}, {-6, -2, -4, -4}, {5, -1, 3, -3},   {5, -2, 4, -3},   {6, -2, 4, -4},
    {-2, 4, 2, 4},    {-2, 5, 2, 5},
};
// The marker beacon's lens, its six points joined round.
constexpr float LENS[6][2] = {{-3, -5}, {0, -12}, {3, -5}, {3, 5}, {0, 12}, {-3, 5}};

// Box of the frequency label (units) and its anchor's distance from the navaid.
constexpr float BOX_W = 63, BOX_H = 20;

void lines(int colour, int angle, float cx, float cy, const line4* l, int n)
{
    for (int k = 0; k < n; k++) plane_line(colour, angle, cx, cy, l[k].x1, l[k].y1, l[k].x2, l[k].y2);
}

// One dot of the current drawing, on the unit it falls in.
void dot(int colour, float x, float y) { OGL_fillrect(colour, std::floor(x), std::floor(y), 1.0f, 1.0f); }

// A point r units from (x, y) toward bearing a (degrees clockwise from north, north up).
void toward(float x, float y, float a_deg, float r, float* px, float* py)
{
    const float a = a_deg * con.degtorad;
    *px = x + std::sin(a) * r;
    *py = y + std::cos(a) * r;
}

// The first runway of an airport and its last, or 0 when it has none the tables hold.
int runway_span(int apt, int* lo, int* hi)
{
    if (apt < 0 || apt >= MAX_APT) return 0;
    *lo = intmax2(apt_lo_ind[apt], 0);
    *hi = intmin2(intmin2(apt_hi_ind[apt], rwy_wrl_max), MAX_RWY - 1);
    return *lo <= *hi;
}

// The geometry row of runway r, or -1 when it has none this region holds.
int geometry_row(int r)
{
    const int g = rwy_geo_ind[r];
    return g >= 0 && g < GEO_ROWS && g < geo_rows ? g : -1;
}

// The airport's runways as filled quads, placed by the view or fitted into the diagram box about
// (x, y); 0 when it has no runway geometry to draw.
int plot_runways(float x, float y, int apt, int diagram, int colour)
{
    int lo, hi;
    if (!runway_span(apt, &lo, &hi)) return 0;
    // Pass one: the box round every corner of every runway.
    float x1 = 9.9e9f, z1 = 9.9e9f, x2 = -9.9e9f, z2 = -9.9e9f;
    for (int r = lo; r <= hi; r++) {
        const int g = geometry_row(r);
        if (g < 0) continue;
        for (const float* p : geo_markxyz[g][0]) {
            x1 = fltmin2(x1, p[0]);
            x2 = fltmax2(x2, p[0]);
            z1 = fltmin2(z1, p[2]);
            z2 = fltmax2(z2, p[2]);
        }
    }
    if (x1 > x2) return 0;
    const float s = map_diagram_scale(x2 - x1, z2 - z1);
    if (diagram && s <= 0.0f) return 0;
    const float xm = 0.5f * (x1 + x2), zm = 0.5f * (z1 + z2);
    // Pass two: each runway's corners.
    for (int r = lo; r <= hi; r++) {
        const int g = geometry_row(r);
        if (g < 0) continue;
        float qx[4], qy[4];
        for (int c = 0; c < 4; c++) {
            const float* p = geo_markxyz[g][0][c];
            if (diagram) {
                qx[c] = x + (p[0] - xm) * s;
                qy[c] = y - (p[2] - zm) * s;   // south is down
            } else {
                qx[c] = pixelxfinder(p[0]);
                qy[c] = pixelyfinder(p[2]);
            }
        }
        map_fill_quad(colour, qx, qy);
    }
    return 1;
}

}  // namespace

void map_fill_quad(int colour, const float x[4], const float y[4])
{
    // The window's faces are wound clockwise; a quad given the other way round is turned.
    float area = 0.0f;
    for (int k = 0; k < 4; k++) area += x[k] * y[(k + 1) % 4] - x[(k + 1) % 4] * y[k];
    const int order[2][4] = {{0, 1, 2, 3}, {3, 2, 1, 0}};
    const int* o = order[area > 0.0f ? 1 : 0];
    OGL_setcolor(colour);
    glBegin(GL_QUADS);
    for (int k = 0; k < 4; k++) glVertex2f(x[o[k]] + mnw.x + 0.5f, y[o[k]] + mnw.y + 0.5f);
    glEnd();
}

void plane_line(int colour, int angle, float cx, float cy, float x1, float y1, float x2, float y2)
{
    OGL_line(colour, cx + rx2d(x1, y1, angle), cy + ry2d(x1, y1, angle), cx + rx2d(x2, y2, angle),
             cy + ry2d(x2, y2, angle));
}

void flashplane(float x, float y, int angle)
{
    g_plane_turn = !g_plane_turn;
    const int colour = g_plane_turn ? 9 : 8;
    if (pln[0].is_heli)
        lines(colour, angle, x, y, ROTOR, 4);
    else
        lines(colour, angle, x, y, WINGS, 3);
    lines(colour, angle, x, y, BODY, 5);
}

void plot_path(int first, float x, float y, int index)
{
    g_path_turn = !g_path_turn;
    const int here = intlim(index, 0, PATH_POINTS - 1);
    const int before = intwrap(here - 1, 0, PATH_POINTS - 1);
    if (!first && pat.inited[before] && pat.inited[here]) {
        const int colour = g_path_turn ? 8 : 9;
        // The second line lies one unit across the line's main direction.
        const int flat = std::fabs(x - g_path_x2) > std::fabs(y - g_path_y2);
        const float ox = flat ? 0.0f : 1.0f, oy = flat ? 1.0f : 0.0f;
        OGL_line(colour, g_path_x2, g_path_y2, x, y);
        OGL_line(colour, g_path_x2 + ox, g_path_y2 + oy, x + ox, y + oy);
    }
    g_path_x2 = x;
    g_path_y2 = y;
}

void plot_icon(float x, float y, int colour, const char* text)
{
    OGL_fillrect(colour, x - 4.0f, y - 4.0f, 8.0f, 10.0f);
    OGL_string(29, x - 2.0f, y - 2.0f, text, 10.0f, 0.0f);
}

void map_name_words(const char* name, int n, char* word1, char* word2, int size)
{
    char* words[2] = {word1, word2};
    word1[0] = word2[0] = 0;
    int w = 0, len = 0;
    for (int k = 0; k < n && name[k] && w < 2; k++) {
        const char c = name[k];
        if (c == ' ' || c == '-') {
            if (len > 0) w++;   // runs of blanks and hyphens end one word
            len = 0;
            continue;
        }
        if (len < size - 1) {
            words[w][len++] = c;
            words[w][len] = 0;
        }
    }
}

void plot_name(float x, float y, int index, int kind, int colour)
{
    if (kind == 10) {
        if (index < 0 || index >= MAX_NAV) return;
        char cut[11];
        std::snprintf(cut, sizeof cut, "%.*s", static_cast<int>(strnlen(nav_name[index], APT_NAME_LEN)), nav_name[index]);
        OGL_string(colour, x, y, cut, 800.0f, 6.0f);
    } else if (kind == 9) {
        if (index < 0 || index >= MAX_APT) return;
        char word[2][APT_NAME_LEN + 1];
        map_name_words(apt_name[index], APT_NAME_LEN, word[0], word[1], APT_NAME_LEN + 1);
        for (int l = 1; l <= 2; l++) OGL_string(colour, x - 6.0f, y - 10.0f - 9.0f * l, word[l - 1], 800.0f, 6.0f);
    }
}

void plot_freqbox(float x, float y, int nav, int kind, int angle, int colour)
{
    if (nav < 0 || nav >= MAX_NAV) return;
    const int chart = map_is_chart();
    const float r = kind == 2 ? 20.0f : (chart ? 30.0f : 40.0f);
    // The anchor is r below the navaid at angle 0 and r to its right at 90.
    const int a = wrap_deg(angle);
    const float ax = x + lookup_sin[a] * r, ay = y - lookup_cos[a] * r;
    if (chart) {
        const float from = (kind == 4 || kind == 5) ? 0.0f : 8.0f;
        OGL_line(colour, x + lookup_sin[a] * from, y - lookup_cos[a] * from, ax, ay);
    }
    if (msc.map_type == MAP_ENROUTE || chart) OGL_fillrect(6, ax - 13.0f, ay - 10.0f, BOX_W, BOX_H);
    OGL_framerect(colour, ax - 13.0f, ay - 10.0f, BOX_W, BOX_H);
    plot_name(ax - 11.0f, ay + 1.0f, nav, 10, colour);
    const float f = static_cast<float>(nav_frq[nav]);
    if (kind == 2) {
        OGL_number(colour, ax - 11.0f, ay - 8.0f, f, 3, 0, 6.0f, 0);
    } else if (kind >= 3 && kind <= 5) {
        // MHz and hundredths: 11360 is 113.60.
        OGL_number(colour, ax - 11.0f, ay - 8.0f, static_cast<float>(nav_frq[nav] / 100), 3, 0, 6.0f, 0);
        dot(colour, ax + 8.0f, ay - 8.0f);
        OGL_number(colour, ax + 10.0f, ay - 8.0f, static_cast<float>(nav_frq[nav] % 100), 2, 0, 6.0f, 0);
    }
}

void plot_navaid(float x, float y, int nav, int colour)
{
    if (nav < 0 || nav >= MAX_NAV) return;
    const int type = nav_type[nav];
    const int chart = map_is_chart();
    if (type == 2) {
        OGL_framecircle(colour, x, y, 2.0f);
        for (int k = 0; k < 9; k++) dot(colour, x + lookup_sin[40 * k] * 4.0f, y + lookup_cos[40 * k] * 4.0f);
        for (int k = 0; k < 18; k++) dot(colour, x + lookup_sin[20 * k] * 6.0f, y + lookup_cos[20 * k] * 6.0f);
        plot_freqbox(x, y, nav, type, 45, colour);
    } else if (type == 3) {
        lines(colour, 0, x, y, VOR_LINES, static_cast<int>(sizeof VOR_LINES / sizeof VOR_LINES[0]));
        if (!chart) {
            // The compass rose, magnetic north up: every tenth degree, the four cardinal ones longer.
            const float cx = x - 0.1f, cy = y - 0.1f;
            OGL_framecircle(colour, cx, cy, 30.0f);
            for (int k = 0; k < 36; k++) {
                const float a = 10.0f * static_cast<float>(k) - env.mvar;
                float x1, y1, x2, y2;
                toward(cx, cy, a, k % 9 == 0 ? 24.0f : 27.0f, &x1, &y1);
                toward(cx, cy, a, 29.0f, &x2, &y2);
                OGL_line(colour, x1, y1, x2, y2);
            }
        }
        plot_freqbox(x, y, nav, type, 45, colour);
    } else if (type == 4 || type == 5) {
        // The feather points out along the approach, away from the runway.
        const int a = wrap_deg(nav_hdng[nav] + 180);
        const float tip = chart ? 110.0f : 25.0f * env.zoom_rat;
        const float side = chart ? 120.0f : 30.0f * env.zoom_rat;
        float tx, ty, lx, ly, rx, ry;
        toward(x, y, static_cast<float>(a), tip, &tx, &ty);
        toward(x, y, static_cast<float>(a - 4), side, &lx, &ly);
        toward(x, y, static_cast<float>(a + 4), side, &rx, &ry);
        OGL_line(colour, x, y, tx, ty);
        OGL_line(colour, x, y, lx, ly);
        OGL_line(colour, x, y, rx, ry);
        OGL_line(colour, tx, ty, lx, ly);
        OGL_line(colour, tx, ty, rx, ry);
        if (chart) plot_freqbox(x, y, nav, type, wrap_deg(a - 90), colour);
    } else if (type >= 7 && type <= 9) {
        const int a = wrap_deg(nav_hdng[nav] + 90);
        for (int k = 0; k < 6; k++) {
            const float* p = LENS[k];
            const float* q = LENS[(k + 1) % 6];
            plane_line(colour, a, x, y, p[0], p[1], q[0], q[1]);
        }
    }
}

void plot_apt(float x, float y, int apt, int diagram, int colour)
{
    if (apt < 0 || apt >= MAX_APT) return;
    const int zoomed = diagram || (map_is_chart() ? env.zoom_rat > 1.0f : env.zoom_rat > 3.0f);
    // An airport whose runways have no geometry in this region keeps its round symbol.
    if (!(zoomed && plot_runways(x, y, apt, diagram, colour)) && !diagram) {
        OGL_framecircle(colour, x, y, 2.0f);
        OGL_framecircle(colour, x, y, 4.0f);
        OGL_line(colour, x, y + 4.0f, x, y + 6.0f);
        OGL_line(colour, x + 4.0f, y, x + 6.0f, y);
        OGL_line(colour, x, y - 4.0f, x, y - 6.0f);
        OGL_line(colour, x - 4.0f, y, x - 6.0f, y);
    }
    if (!diagram) plot_name(x, y, apt, 9, colour);
}

float map_diagram_scale(float w, float d)
{
    const float sw = w > 0.0f ? 102.0f / w : 9.9e9f;
    const float sd = d > 0.0f ? 129.0f / d : 9.9e9f;
    const float s = fltmin2(sw, sd);
    return s < 9.9e9f && std::isfinite(s) ? s : 0.0f;
}
