// hl_graph.cpp -- 2-D drawing in colour-table colours, the 5 by 7 dot-matrix font, the OpenGL
// state cache, textured quads and the panel background.
#include "hl_graph.h"

#include "hl_funct.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

// ---- state cache ----------------------------------------------------------------------------------

static bool g_cache_valid = false;
static int o_fog, o_tex, o_light, o_depth;
static int o_index = -1;   // texture number bound last, -1 none known
static int g_context_serial = 0;   // counts the forgotten states: a new context makes a new count

static void load_cache(void)
{
    if (g_cache_valid) return;
    o_fog = glIsEnabled(GL_FOG) ? 1 : 0;
    o_tex = glIsEnabled(GL_TEXTURE_2D) ? 1 : 0;
    o_light = glIsEnabled(GL_LIGHTING) ? 1 : 0;
    o_depth = glIsEnabled(GL_DEPTH_TEST) ? 1 : 0;
    o_index = -1;
    g_cache_valid = true;
}

void OGL_forget_state(void)
{
    g_cache_valid = false;
    o_index = -1;
    g_context_serial++;
}

int OGL_context_serial(void) { return g_context_serial; }

static void switch_cap(int want, int* have, GLenum cap)
{
    want = want ? 1 : 0;
    if (want == *have) return;
    if (want)
        glEnable(cap);
    else
        glDisable(cap);
    *have = want;
}

void OGL_setstate(int fog, int tex, int light, int depth)
{
    load_cache();
    switch_cap(fog, &o_fog, GL_FOG);
    switch_cap(tex, &o_tex, GL_TEXTURE_2D);
    if ((light ? 1 : 0) != o_light) {
        if (light) {
            glEnable(GL_LIGHTING);
            glEnable(GL_LIGHT0);
        } else {
            glDisable(GL_LIGHTING);
            glDisable(GL_LIGHT0);
        }
        o_light = light ? 1 : 0;
    }
    switch_cap(depth, &o_depth, GL_DEPTH_TEST);
}

static int32_t* g_bind_counts = nullptr;   // the tally of binds by texture number, when kept
static int g_bind_count_n = 0;

float OGL_pointsize(float size)
{
    GLfloat found = 1.0f;
    glGetFloatv(GL_POINT_SIZE, &found);
    glPointSize(size);
    return found;
}

void OGL_bindtex(int n)
{
    load_cache();
    if (n == o_index) return;
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(n));
    o_index = n;
    if (g_bind_counts && n >= 0 && n < g_bind_count_n) g_bind_counts[n]++;
}

void OGL_count_binds(int32_t* counts, int n)
{
    g_bind_counts = n > 0 ? counts : nullptr;
    g_bind_count_n = n > 0 ? n : 0;
}

// ---- colours --------------------------------------------------------------------------------------

static uint8_t g_pix[3];   // the array-mode pixel colour

int OGL_assigncolor(int k, float r, float g, float b)
{
    if (k < 0 || k >= NUM_COLORS) {
        MACIBM_alert("too many colors!", "", "", "", ALERT_FATAL);
        return 3 * k;
    }
    col_rgb[k][0] = r;
    col_rgb[k][1] = g;
    col_rgb[k][2] = b;
    return 3 * k;
}

static uint8_t to_byte(float v)
{
    return static_cast<uint8_t>(intlim(round(v * 255.0f), 0, 255));
}

void OGL_setcolor(int k)
{
    k = intlim(k, 0, NUM_COLORS - 1);
    const float* c = col_rgb[k];
    if (to_array) {
        g_pix[0] = to_byte(c[0]);
        g_pix[1] = to_byte(c[1]);
        g_pix[2] = to_byte(c[2]);
        return;
    }
    // The panel's colours follow the panel lights once the lights have been set.
    const bool tinted = k < 38 && (ins.r_rat != 0.0f || ins.g_rat != 0.0f || ins.b_rat != 0.0f);
    if (tinted)
        glColor3f(c[0] * ins.r_rat, c[1] * ins.g_rat, c[2] * ins.b_rat);
    else
        glColor3f(c[0], c[1], c[2]);
}

// ---- array mode -----------------------------------------------------------------------------------

void BUF_point(float x, float y)
{
    const int px = round(x), py = round(y);
    if (px < 0 || px >= SCREEN_W || py < 0 || py >= SCREEN_H) return;
    uint8_t* p = rgb_array[py][px];
    p[0] = g_pix[0];
    p[1] = g_pix[1];
    p[2] = g_pix[2];
}

// Unit steps from the start while the distance walked is below the length plus a half, so both
// end points are painted; a zero-length line paints its one point.
static void buf_line(float x1, float y1, float x2, float y2)
{
    const double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
    const double len = std::sqrt(dx * dx + dy * dy);
    if (!(len > 0.0)) {
        BUF_point(x1, y1);
        return;
    }
    if (!std::isfinite(len)) return;
    const double ux = dx / len, uy = dy / len;
    const double limit = len + 0.5;
    for (double s = 0.0; s < limit; s += 1.0)
        BUF_point(static_cast<float>(x1 + ux * s), static_cast<float>(y1 + uy * s));
}

// Fills [x1, x2) by [y1, y2) of the array, clipped.
static void buf_fill(int x1, int y1, int x2, int y2)
{
    x1 = intmax2(x1, 0);
    y1 = intmax2(y1, 0);
    x2 = intmin2(x2, SCREEN_W);
    y2 = intmin2(y2, SCREEN_H);
    for (int y = y1; y < y2; y++)
        for (int x = x1; x < x2; x++) {
            uint8_t* p = rgb_array[y][x];
            p[0] = g_pix[0];
            p[1] = g_pix[1];
            p[2] = g_pix[2];
        }
}

// ---- lines, rectangles, circles, arcs -------------------------------------------------------------

// A segment in window coordinates, colour already set. In OpenGL the end vertex gets a point of
// its own so that the last pixel is lit.
static void seg(float x1, float y1, float x2, float y2)
{
    x1 += mnw.x;
    y1 += mnw.y;
    x2 += mnw.x;
    y2 += mnw.y;
    if (to_array) {
        buf_line(x1, y1, x2, y2);
        return;
    }
    glBegin(GL_LINES);
    glVertex2f(x1 + 0.5f, y1 + 0.5f);
    glVertex2f(x2 + 0.5f, y2 + 0.5f);
    glEnd();
    glBegin(GL_POINTS);
    glVertex2f(x2 + 0.5f, y2 + 0.5f);
    glEnd();
}

void OGL_line(int k, float x1, float y1, float x2, float y2)
{
    OGL_setcolor(k);
    seg(x1, y1, x2, y2);
}

void OGL_fillrect(int k, float x, float y, float w, float h)
{
    OGL_setcolor(k);
    if (to_array) {
        buf_fill(round(x + mnw.x), round(y + mnw.y), round(x + w + mnw.x), round(y + h + mnw.y));
        return;
    }
    const float x1 = x + mnw.x + 0.5f, y1 = y + mnw.y + 0.5f;
    const float x2 = x1 + w, y2 = y1 + h;
    glBegin(GL_TRIANGLES);
    glVertex2f(x1, y1);
    glVertex2f(x1, y2);
    glVertex2f(x2, y2);
    glVertex2f(x2, y2);
    glVertex2f(x2, y1);
    glVertex2f(x1, y1);
    glEnd();
}

void OGL_framerect(int k, float x, float y, float w, float h)
{
    OGL_setcolor(k);
    seg(x, y, x, y + h);
    seg(x, y + h, x + w, y + h);
    seg(x + w, y + h, x + w, y);
    seg(x + w, y, x, y);
}

void OGL_framecircle(int k, float cx, float cy, float r)
{
    OGL_setcolor(k);
    if (!(r >= 0.0f) || r > 4000.0f) return;
    float lx = cx, ly = cy - r, rx = cx, ry = cy - r;
    for (float dy = -r; dy <= r; dy += 1.0f) {
        const float hw = std::sqrt(fltmax2(r * r - dy * dy, 0.0f));
        seg(lx, ly, cx - hw, cy + dy);
        seg(rx, ry, cx + hw, cy + dy);
        lx = cx - hw;
        rx = cx + hw;
        ly = ry = cy + dy;
    }
}

void OGL_scissor(float x, float y, float w, float h)
{
    glEnable(GL_SCISSOR_TEST);
    glScissor(static_cast<GLint>(std::floor((x + mnw.x) * mnw.XRAT)), static_cast<GLint>(std::floor((y + mnw.y) * mnw.YRAT)),
              static_cast<GLsizei>(std::ceil(w * mnw.XRAT)), static_cast<GLsizei>(std::ceil(h * mnw.YRAT)));
}

void OGL_scissor_off(void) { glDisable(GL_SCISSOR_TEST); }

// The whole degree a as a table index 0..359, for either sign.
static int deg360(float a)
{
    int d = round(a) % 360;
    if (d < 0) d += 360;
    return d;
}

void OGL_arc(int k, float cx, float cy, float r1, float r2, float a1, float a2)
{
    if (a1 > a2 || !(r1 <= r2)) return;
    if (a2 - a1 > 3600.0f || r2 - r1 > 4000.0f) return;   // nonsense spans would never end
    OGL_setcolor(k);
    const float ox = cx + mnw.x, oy = cy + mnw.y;
    for (float r = r1; r <= r2; r += 1.0f) {
        if (to_array) {
            float px = 0.0f, py = 0.0f;
            bool first = true;
            for (float a = a1; a <= a2; a += 1.0f) {
                const int d = deg360(a);
                const float x = ox + lookup_sin[d] * r, y = oy + lookup_cos[d] * r;
                if (!first) buf_line(px, py, x, y);
                px = x;
                py = y;
                first = false;
            }
            continue;
        }
        float ex = 0.0f, ey = 0.0f;
        glBegin(GL_LINE_STRIP);
        for (float a = a1; a <= a2; a += 1.0f) {
            const int d = deg360(a);
            ex = ox + lookup_sin[d] * r + 0.5f;
            ey = oy + lookup_cos[d] * r + 0.5f;
            glVertex2f(ex, ey);
        }
        glEnd();
        glBegin(GL_POINTS);   // the strip leaves its last pixel unlit, as a line does
        glVertex2f(ex, ey);
        glEnd();
    }
}

// ---- the 5 by 7 font ------------------------------------------------------------------------------

// The small raised digits of a number's power of ten, three dots wide and five rows high.
static const uint8_t SMALL_DIGITS[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

static inline void dot(float x, float y)
{
    if (to_array)
        BUF_point(x, y);
    else
        glVertex2f(x + 0.5f, y + 0.5f);
}

void OGL_sub_character(float x, float y, const uint8_t dots[35])
{
    for (int row = 0; row < 7; row++)
        for (int col = 0; col < 5; col++)
            if (dots[row * 5 + col]) dot(x + col, y + row);
}

void OGL_char_dots(char c, uint8_t dots[35])
{
    const uint8_t* rows = OGL_glyph_rows(c);
    for (int row = 0; row < 7; row++) {
        const uint8_t bits = rows[6 - row];   // the table runs top first, the dots bottom first
        for (int col = 0; col < 5; col++) dots[row * 5 + col] = (bits >> (4 - col)) & 1;
    }
}

void OGL_char(float x, float y, char c)
{
    uint8_t dots[35];
    OGL_char_dots(c, dots);
    OGL_sub_character(x, y, dots);
}

static void small_digit(float x, float y, int d)
{
    const uint8_t* rows = SMALL_DIGITS[intlim(d, 0, 9)];
    for (int row = 0; row < 5; row++)
        for (int col = 0; col < 3; col++)
            if ((rows[4 - row] >> (2 - col)) & 1) dot(x + col, y + row);
}

static void begin_points(void)
{
    if (!to_array) glBegin(GL_POINTS);
}

static void end_points(void)
{
    if (!to_array) glEnd();
}

// ---- text -----------------------------------------------------------------------------------------

// Characters of the word starting at s (up to a space, a line break or the end).
static int word_len(const char* s)
{
    int n = 0;
    while (s[n] && s[n] != ' ' && s[n] != x_eln) n++;
    return n;
}

void OGL_string(int k, float x, float y, const char* text, float width, float advance)
{
    if (!text) return;
    OGL_setcolor(k);
    begin_points();
    const float x0 = x + mnw.x;
    const bool wrap = width < 800.0f;
    float px = x0, py = y + mnw.y;
    for (const char* s = text; *s; s++) {
        if (*s == x_eln) {
            if (wrap) {
                px = x0;
                py -= 10.0f;
            }
            continue;
        }
        OGL_char(px, py, *s);
        px += advance;
        // A word that would run past the right edge starts the next line; a word wider than
        // the whole width still starts a line of its own and overflows it.
        if (wrap && *s == ' ' && s[1] && s[1] != ' ' && s[1] != x_eln) {
            if (px + 6.0f * word_len(s + 1) > x0 + width) {
                px = x0;
                py -= 10.0f;
            }
        }
    }
    end_points();
}

void OGL_number(int k, float x, float y, float value, int places, int decimals, float advance, int sign)
{
    OGL_setcolor(k);
    begin_points();
    const float px = x + mnw.x, py = y + mnw.y;
    places = intlim(places, 1, 7);
    decimals = intlim(decimals, 0, 6);

    // Saturate what no display can show: not a number reads 0, infinities the largest value. Past
    // 1e12 every value reads the same (9.99 raised 9), and with six decimals its digits still fit
    // the 64-bit count below.
    double m = std::fabs(static_cast<double>(value));
    if (std::isnan(m)) m = 0.0;
    if (m > 1e12) m = 1e12;
    const double scaled = std::trunc(m * std::pow(10.0, decimals) + 0.5);
    const int64_t n = static_cast<int64_t>(scaled);
    int u = 1;
    for (int64_t t = n; t >= 10; t /= 10) u++;

    if (sign == 1) OGL_char(px - 6.0f, py, value < 0.0f && n != 0 ? '-' : ' ');

    if (u <= places) {
        int64_t t = n;
        for (int p = places - 1; p >= 0; p--) {
            OGL_char(px + p * advance, py, static_cast<char>('0' + t % 10));
            t /= 10;
        }
        if (decimals >= 1) OGL_char(px + (places - 1 - decimals) * advance + advance * 0.5f, py, '.');
        end_points();
        return;
    }

    // Three digits d1.d2d3 and a raised power of ten e: the value is d1.d2d3 * 10^e.
    int e = 2;
    while (m >= 999.0) {
        m /= 10.0;
        e++;
    }
    while (m < 99.95 && e > 0) {   // values that overflow only by their decimals
        m *= 10.0;
        e--;
    }
    int d = static_cast<int>(std::trunc(m + 0.5));
    if (e > 9) {   // past what one raised digit can say
        e = 9;
        d = 999;
    }
    d = intlim(d, 0, 999);
    OGL_char(px, py, static_cast<char>('0' + d / 100));
    OGL_char(px + advance * 0.5f, py, '.');
    OGL_char(px + advance, py, static_cast<char>('0' + (d / 10) % 10));
    OGL_char(px + 2.0f * advance, py, static_cast<char>('0' + d % 10));
    small_digit(px + 3.0f * advance, py + 2.0f, e);
    end_points();
}

// ---- textured quads -------------------------------------------------------------------------------

void OGL_2dquad(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                float s1, float t1, float s2, float t2, float s3, float t3, float s4, float t4)
{
    const float ox = mnw.x, oy = mnw.y;
    glBegin(GL_QUADS);
    glTexCoord2f(s1, t1);
    glVertex2f(x1 + ox, y1 + oy);
    glTexCoord2f(s2, t2);
    glVertex2f(x2 + ox, y2 + oy);
    glTexCoord2f(s3, t3);
    glVertex2f(x3 + ox, y3 + oy);
    glTexCoord2f(s4, t4);
    glVertex2f(x4 + ox, y4 + oy);
    glEnd();
}

void OGL_3dline(float x1, float y1, float z1, float x2, float y2, float z2)
{
    glVertex3f(x1, y1, z1);
    glVertex3f(x2, y2, z2);
}

static void quad_normal(const float p1[3], const float p2[3], const float p3[3], float n[3])
{
    const float a[3] = {p3[0] - p2[0], p3[1] - p2[1], p3[2] - p2[2]};
    const float b[3] = {p2[0] - p1[0], p2[1] - p1[1], p2[2] - p1[2]};
    find_normal_vects(a, b, n);
}

void OGL_3dquad_st(const float p1[3], const float p2[3], const float p3[3], const float p4[3], int tex,
                   float s1, float t1, float s2, float t2)
{
    float n[3];
    quad_normal(p1, p2, p3, n);
    OGL_bindtex(tex);
    glBegin(GL_QUADS);
    glNormal3fv(n);
    glTexCoord2f(s1, t1);
    glVertex3fv(p1);
    glTexCoord2f(s1, t2);
    glVertex3fv(p2);
    glTexCoord2f(s2, t2);
    glVertex3fv(p3);
    glTexCoord2f(s2, t1);
    glVertex3fv(p4);
    glEnd();
}

void OGL_3dquad_flat(const float p1[3], const float p2[3], const float p3[3], const float p4[3], int tex,
                     float x0, float z0, float sx, float sz)
{
    float n[3];
    quad_normal(p1, p2, p3, n);
    OGL_bindtex(tex);
    const float* p[4] = {p1, p2, p3, p4};
    glBegin(GL_QUADS);
    glNormal3fv(n);
    for (const float* q : p) {
        glTexCoord2f((q[0] - x0) / sx, (q[2] - z0) / sz);
        glVertex3fv(q);
    }
    glEnd();
}

// ---- panel background -----------------------------------------------------------------------------

static constexpr int TILE = 128;      // the panel picture's tiles are 128 by 128
static constexpr int TILE_COLS = 7;   // 7 by 5 tiles cover the screen
static constexpr int TILE_ROWS = 5;
static constexpr float PANEL_TOP = PANEL_PICTURE_H;
static constexpr float STATUS_BOTTOM = 561.0f;   // the status strip's lower edge

void tile(int col, int row, float x1, float y1, float x2, float y2, float s1, float t1, float s2, float t2)
{
    OGL_bindtex(500 + col + TILE_COLS * row);
    glBegin(GL_QUADS);
    glTexCoord2f(s1, t1);
    glVertex2f(x1, y1);
    glTexCoord2f(s1, t2);
    glVertex2f(x1, y2);
    glTexCoord2f(s2, t2);
    glVertex2f(x2, y2);
    glTexCoord2f(s2, t1);
    glVertex2f(x2, y1);
    glEnd();
}

// Tile (col, row) clipped to [x1, x2) by [y1, y2), with texture coordinates that keep one texel
// per logical unit.
static void tile_part(int col, int row, float x1, float y1, float x2, float y2)
{
    const float bx = static_cast<float>(TILE * col), by = static_cast<float>(TILE * row);
    x1 = fltmax2(x1, bx);
    y1 = fltmax2(y1, by);
    x2 = fltmin2(x2, bx + TILE);
    y2 = fltmin2(y2, by + TILE);
    if (x2 <= x1 || y2 <= y1) return;
    tile(col, row, x1, y1, x2, y2, (x1 - bx) / TILE, (y1 - by) / TILE, (x2 - bx) / TILE, (y2 - by) / TILE);
}

// Every tile that covers part of the box.
static void tiles_over(float x1, float y1, float x2, float y2)
{
    for (int row = 0; row < TILE_ROWS; row++)
        for (int col = 0; col < TILE_COLS; col++) tile_part(col, row, x1, y1, x2, y2);
}

void OGL_plot_background(void)
{
    glColor3f(ins.r_rat, ins.g_rat, ins.b_rat);
    load_cache();
    OGL_setstate(o_fog, 1, o_light, o_depth);
    if (mnw.topwin != 0 || initing) {
        tiles_over(0.0f, 0.0f, static_cast<float>(SCREEN_W), static_cast<float>(SCREEN_H));
    } else {
        // The status strip and menu bar along the screen's top show in every view; the panel
        // only when the outside view leaves room for it. A helicopter's panel ends at 700, where
        // its lever strip stops; an aeroplane's runs to the right edge.
        if (!set.view_is_fullscreen) {
            tiles_over(0.0f, 0.0f, static_cast<float>(TILE), PANEL_TOP);
            tiles_over(static_cast<float>(TILE), 0.0f, static_cast<float>(5 * TILE), PANEL_TOP);
            tiles_over(static_cast<float>(5 * TILE), 0.0f, pln[0].is_heli ? 700.0f : static_cast<float>(SCREEN_W), PANEL_TOP);
        }
        tiles_over(0.0f, STATUS_BOTTOM, static_cast<float>(SCREEN_W), static_cast<float>(SCREEN_H));
    }
    OGL_setstate(o_fog, 0, o_light, o_depth);
}

void OGL_plot_background_over(float x1, float y1, float x2, float y2)
{
    glColor3f(1.0f, 1.0f, 1.0f);
    OGL_setstate(0, 1, 0, 0);
    tiles_over(x1, y1, x2, y2);
    OGL_setstate(0, 0, 0, 0);
}

void OGL_sbuf(void) { PLT_swap(); }
