// panel_plot.cpp -- the drawing helpers every instrument shares: needles, pointers, lamps, buttons,
// the compass card, the attitude picture's scan lines, drum counters, tapes and the lever sheet.
#include "panel.h"
#include "panel_local.h"

#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_tex.h"
#include "hl_types.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr float SQRT2 = 1.41421356f;

// The panel-light tint for textured panel parts (white on a glass panel when asked).
void panel_tint(int tinted)
{
    if (tinted && (ins.r_rat != 0.0f || ins.g_rat != 0.0f || ins.b_rat != 0.0f))
        glColor3f(ins.r_rat, ins.g_rat, ins.b_rat);
    else
        glColor3f(1.0f, 1.0f, 1.0f);
}

// Whole-pixel points of the current colour, in window coordinates.
inline void point(float x, float y) { glVertex2f(x + mnw.x + 0.5f, y + mnw.y + 0.5f); }

}  // namespace

void plot_needle(float x, float y, int angle, float r1, float r2, int colour, int kind)
{
    const int a = wrap_deg(angle);
    const float s = lookup_sin[a], c = lookup_cos[a];
    const float x1 = x + r1 * s, y1 = y + r1 * c, x2 = x + r2 * s, y2 = y + r2 * c;
    static const float one[1] = {0.0f}, two[2] = {-0.5f, 0.5f}, pair[2] = {-1.0f, 1.0f};
    static const float four[4] = {-1.5f, -0.5f, 0.5f, 1.5f};
    const float* off = one;
    int n = 1;
    if (kind == 1) off = pair, n = 2;
    else if (kind == 2) off = two, n = 2;
    else if (kind == 3) off = four, n = 4;
    // Side by side across the needle: along (cos, -sin), the needle's right-hand normal.
    for (int k = 0; k < n; k++) OGL_line(colour, x1 + off[k] * c, y1 - off[k] * s, x2 + off[k] * c, y2 - off[k] * s);
}

void plot_pointer(float x, float y, int colour)
{
    for (int k = 0; k <= 4; k++) {
        const float half = std::round(0.5f * k);
        OGL_line(colour, x - half, y - k, x + half, y - k);
    }
}

void plot_gs(float x, float y)
{
    const planestruct& pl = pln[0];
    static const int colours[3] = {3, 9, 15};   // the rows above, at and below y
    for (int k = 0; k < 3; k++) {
        const int row = round(y) + 1 - k;
        if (row == pl.gsy1 || row == pl.gsy2) continue;
        OGL_line(panel_round() ? colours[k] : 41, x, static_cast<float>(row), x + static_cast<float>(pl.gsw), static_cast<float>(row));
    }
}

void plot_efis_light(float x, float y, int lit)
{
    OGL_fillrect(lit ? 49 : 51, x, y, 4.0f, 3.0f);
    const int light = lit ? 46 : 50, dark = lit ? 50 : 52;
    OGL_line(light, x, y, x, y + 3.0f);
    OGL_line(light, x, y + 3.0f, x + 4.0f, y + 3.0f);
    OGL_line(dark, x + 4.0f, y + 3.0f, x + 4.0f, y);
    OGL_line(dark, x + 4.0f, y, x, y);
}

void plot_argus_button(float x, float y, int kind)
{
    const char* text = kind <= 15 ? "DP" : (kind <= 17 ? "EN" : "AR");
    const int lit = kind % 2 == 0;
    OGL_fillrect(lit ? 49 : 29, x, y, 13.0f, 12.0f);
    OGL_framerect(22, x, y, 13.0f, 12.0f);
    OGL_string(lit ? 46 : 49, x + 1.0f, y + 3.0f, text, 800, 6);
}

void plot_marker(float x, float y, int kind)
{
    // Kinds 8, 10, 12 are the outer, middle and inner marker lit; one more is the same lamp dark.
    const int lamp = intlim((kind - 8) / 2, 0, 2);
    const int lit = kind % 2 == 0;
    static const char* const names[3] = {"OM", "MM", "IM"};
    static const int on[3] = {4, 32, 0}, off[3] = {33, 21, 18};
    OGL_fillrect(lit ? on[lamp] : off[lamp], x, y, 13.0f, 9.0f);
    OGL_framerect(22, x, y, 13.0f, 9.0f);
    OGL_string(lit ? 29 : 12, x + 1.0f, y + 1.0f, names[lamp], 800, 6);
}

void plot_dg(float x, float y, float heading, float size)
{
    if (!std::isfinite(heading)) heading = 0.0f;
    OGL_setstate(0, 1, 0, 0);
    glEnable(GL_ALPHA_TEST);
    OGL_bindtex(TEX_DG);
    panel_tint(panel_round());
    // The card turns against the heading: its corner (s, t) stands at 225, 315, 45 and 135 degrees
    // clockwise from up, less the heading.
    const float r = size * SQRT2;
    float px[4], py[4];
    for (int k = 0; k < 4; k++) {
        const float a = (225.0f + 90.0f * k - heading) * 0.0174532925f;
        px[k] = x + r * std::sin(a);
        py[k] = y + r * std::cos(a);
    }
    OGL_2dquad(px[0], py[0], px[1], py[1], px[2], py[2], px[3], py[3], 0, 0, 0, 1, 1, 1, 1, 0);
    glDisable(GL_ALPHA_TEST);
    OGL_setstate(0, 0, 0, 0);
}

void plot_hline(int colour, float x1, float x2, float y)
{
    if (x2 < x1) return;
    OGL_line(colour, x1, y, x2, y);
}

void plot_ahregion(int colour_sky, int colour_ground, const float* x1, const float* x2, int row_lo, int row_hi,
                   float y0, float hx, float hy, int roll)
{
    row_lo = intlim(row_lo, 0, 117);
    row_hi = intlim(row_hi, 0, 117);
    const int a = wrap_deg(roll);
    const float s = lookup_sin[a], c = lookup_cos[a];
    const int level = std::fabs(s) <= 1e-6f;
    // The horizon's run across per unit of rise, kept finite when the wings are nearly level.
    const float slope = level ? 0.0f : fltlim(c / s, -999.0f, 999.0f);
    // Window coordinates, in which logical pixel (x, y) is the unit square from (x, y) + origin:
    // the horizon runs through the middle of the pixel (hx, hy), as every line drawn on the panel
    // does. Sky lies on the side of the turned up (-s, c).
    const float ox = mnw.x, oy = mnw.y;
    const float HX = hx + 0.5f + ox, HY = hy + 0.5f + oy;
    // Points left of the horizon are sky when the picture is turned right (s > 0).
    const int sky_left = s > 0.0f;
    // Each row is filled as whole quads one logical unit high, so no window row between two rows
    // is left unfilled whatever the window's scale, and the border between sky and ground follows
    // the horizon's straight line through the row rather than stepping a whole pixel at a time.
    for (int pass = 0; pass < 2; pass++) {
        const int sky = pass == 0;
        OGL_setcolor(sky ? colour_sky : colour_ground);
        glBegin(GL_QUADS);
        for (int i = row_lo; i <= row_hi; i++) {
            const float l = std::round(x1[i]) + ox, r = std::round(x2[i]) + 1.0f + ox;
            if (r <= l) continue;
            const float ya = y0 + static_cast<float>(i) + oy, yb = ya + 1.0f;
            if (level) {
                // The row is cut across at the horizon's height; sky above it unless upside down.
                const float cut = fltlim(HY, ya, yb);
                const int sky_above = c > 0.0f;
                const float lo = sky == sky_above ? cut : ya, hi = sky == sky_above ? yb : cut;
                if (hi > lo) {
                    glVertex2f(l, lo);
                    glVertex2f(l, hi);
                    glVertex2f(r, hi);
                    glVertex2f(r, lo);
                }
                continue;
            }
            // Where the horizon crosses the row's bottom and top edges, kept on the row.
            const float xa = fltlim(HX + (ya - HY) * slope, l, r), xt = fltlim(HX + (yb - HY) * slope, l, r);
            if (sky == sky_left) {
                glVertex2f(l, ya);
                glVertex2f(l, yb);
                glVertex2f(xt, yb);
                glVertex2f(xa, ya);
            } else {
                glVertex2f(xa, ya);
                glVertex2f(xt, yb);
                glVertex2f(r, yb);
                glVertex2f(r, ya);
            }
        }
        glEnd();
    }
}

void plot_vtape(float x, float y, float value)
{
    if (!(value > 0.0f)) value = 0.0f;
    value = std::fmod(value, 10000.0f);
    OGL_fillrect(22, x, y, 23.0f, 9.0f);
    OGL_setcolor(0);
    glBegin(GL_POINTS);
    float below = std::fmod(value, 1.0f);   // the units drum's roll past its digit
    float place = 1.0f;
    for (int d = 0; d < 4; d++) {
        const float digit = std::floor(std::fmod(value / place, 10.0f));
        // A drum rolls on only while every drum to its right is rolling from 9 to 0.
        float pos = digit;
        if (d == 0) pos += below;
        else if (std::fmod(value, place) >= place - 1.0f) pos += below;
        const int centre = static_cast<int>(std::lround(pos * 9.0f));
        const float dx = x + 6.0f * static_cast<float>(3 - d);
        for (int k = -4; k <= 4; k++) {
            const int row = intwrap(centre + k, 0, 89);
            for (int col = 0; col < 5; col++)
                if (ins.v_tape_col[row][col] == 0) point(dx + static_cast<float>(col), y + 4.0f + static_cast<float>(k));
        }
        place *= 10.0f;
    }
    glEnd();
}

void plot_htape(float x, float y, const int32_t* picture, int rows, int cols, int first, int width)
{
    if (rows <= 0 || cols <= 0) return;
    OGL_setcolor(0);
    glBegin(GL_POINTS);
    // Any first column at all lands on the picture: a speed past the scale's end rolls round.
    const int start = static_cast<int>((static_cast<int64_t>(first) % cols + cols) % cols);
    for (int col = 0; col < width; col++) {
        const int c = (start + col) % cols;
        for (int row = 0; row < rows; row++)
            if (picture[row * cols + c] == 0) point(x + static_cast<float>(col), y + static_cast<float>(row));
    }
    glEnd();
}

void plot_segments(int colour, const float (*seg)[4], int n)
{
    if (n <= 0) return;
    if (to_array) {
        for (int k = 0; k < n; k++) OGL_line(colour, seg[k][0], seg[k][1], seg[k][2], seg[k][3]);
        return;
    }
    // As OGL_line draws each: the line, then its end point, all in two batches.
    OGL_setcolor(colour);
    glBegin(GL_LINES);
    for (int k = 0; k < n; k++) {
        point(seg[k][0], seg[k][1]);
        point(seg[k][2], seg[k][3]);
    }
    glEnd();
    glBegin(GL_POINTS);
    for (int k = 0; k < n; k++) point(seg[k][2], seg[k][3]);
    glEnd();
}

void plot_tape_bug(int colour, float x, float y, float half_length, float offset)
{
    if (std::fabs(offset) > half_length - 2.0f) return;
    OGL_fillrect(colour, x, y + offset - 2.0f, 3.0f, 5.0f);
}

void plot_glass_tape(int colour, float label_pos, float edge, float centre, float half_length, float label_gap,
                     float value, float step, float label_every, float px_per_unit, int kind)
{
    if (!(step > 0.0f) || !(px_per_unit > 0.0f) || !std::isfinite(value)) return;
    const float reach = (half_length + 15.0f) / px_per_unit;
    float lo = fltnear(value - reach, step), hi = fltnear(value + reach, step);
    if (kind == 15 && lo < 0.0f) lo = 0.0f;
    const int marks = intlim(static_cast<int>(std::lround((hi - lo) / step)), -1, 400);
    const int horizontal = kind == 14;
    if (horizontal)
        OGL_scissor(centre - half_length, edge - 25.0f, 2.0f * half_length, 50.0f);
    else
        OGL_scissor(edge - 25.0f, centre - half_length, 50.0f, 2.0f * half_length);
    for (int m = 0; m <= marks; m++) {
        const float v = lo + step * static_cast<float>(m);
        const float p = centre + px_per_unit * (v - value);
        const int shown = round(std::fabs(v));
        const int every = intmax2(round(label_every), 1);
        const int labelled = shown % every == 0 && std::fabs(p - centre) > label_gap + 3.0f;
        if (horizontal) {
            OGL_line(colour, p, edge, p, edge + 3.0f);
            if (labelled) OGL_number(colour, p - 8.0f, label_pos, static_cast<float>(intwrap(round(v), 0, 359)), 3, 0, 6, 0);
        } else {
            OGL_line(colour, edge, p, edge + 3.0f, p);
            if (labelled) OGL_number(colour, label_pos, p - 3.0f, static_cast<float>(shown), 3, 0, 6, 0);
        }
    }
    OGL_scissor_off();
}

void plot_handle(float x, float y, float width, float height, int frame)
{
    frame = intlim(frame, 0, 15);
    const float u = 0.25f * static_cast<float>(frame % 4), v = 0.25f * static_cast<float>(frame / 4);
    const float du = width / 128.0f, dv = height / 128.0f;
    OGL_setstate(0, 1, 0, 0);
    OGL_bindtex(TEX_HAND);
    panel_tint(1);
    OGL_2dquad(x, y, x, y + height, x + width, y + height, x + width, y, u, v, u, v + dv, u + du, v + dv, u + du, v);
    OGL_setstate(0, 0, 0, 0);
}
