// hl_string.cpp -- text helpers and the small packed codes of the data files.
#include "hl_string.h"

#include "hl_funct.h"
#include "hl_types.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// ---- strings --------------------------------------------------------------------------------------

// Copies at most STR_LEN - 1 characters of src to dst and terminates; src and dst may overlap.
static void copy_bounded(char* dst, const char* src)
{
    size_t n = 0;
    while (n < STR_LEN - 1 && src[n]) n++;
    std::memmove(dst, src, n);
    dst[n] = 0;
}

void C_to_C(const char* src, char* dst)
{
    if (!src || !dst) return;
    copy_bounded(dst, src);
}

void C_plus_C(const char* a, const char* b, char* dst)
{
    if (!dst) return;
    // Built aside first: dst may be a or b.
    char tmp[STR_LEN];
    std::snprintf(tmp, sizeof tmp, "%s%s", a ? a : "", b ? b : "");
    copy_bounded(dst, tmp);
}

void app_C(char* dst, const char* s)
{
    if (!dst || !s) return;
    C_plus_C(dst, s, dst);
}

int str_is_int(const char* s)
{
    for (; *s; s++)
        if (*s < '0' || *s > '9') return 0;
    return 1;
}

int str_is_frac(const char* s)
{
    return std::strlen(s) == 3 && s[1] == '/' && char_to_int(s[0]) > 0 && char_to_int(s[2]) > 0 ? 1 : 0;
}

int str_to_int(const char* s)
{
    const size_t n = std::strlen(s);
    if (n < 1 || n > 4 || !str_is_int(s)) return -1;
    int v = 0;
    for (size_t k = 0; k < n; k++) v = v * 10 + (s[k] - '0');
    return v;
}

float str_to_frac(const char* s)
{
    if (std::strlen(s) != 3) return -1.0f;
    const int den = char_to_int(s[2]);
    if (den == 0) return -1.0f;   // "1/0" names no fraction
    return static_cast<float>(char_to_int(s[0])) / static_cast<float>(den);
}

void int_to_str(int n, char* dst)
{
    // Every int fits: "-2147483648" is 11 characters.
    std::snprintf(dst, 12, "%d", n);
}

int char_to_int(char c)
{
    if (c >= '1' && c <= '9') return c - '0';
    if (c == '+') return 1;
    if (c == '-') return -1;
    return 0;
}

char int_to_char(int n) { return n >= 1 && n <= 9 ? static_cast<char>('0' + n) : '0'; }

// ---- identifier code ------------------------------------------------------------------------------

char code_to_char(int k)
{
    if (k == 0) return ' ';
    if (k >= 1 && k <= 10) return static_cast<char>('0' + k - 1);
    if (k >= 11 && k <= 36) return static_cast<char>('A' + k - 11);
    return '0';
}

int char_to_code(char c)
{
    if (c == ' ') return 0;
    if (c >= '0' && c <= '9') return 1 + (c - '0');
    if (c >= 'A' && c <= 'Z') return 11 + (c - 'A');
    return 1;
}

// ---- scenery-square names -------------------------------------------------------------------------

// The south-west corner of the 10-degree block holding a whole degree, for either sign.
static int block10(int deg)
{
    return static_cast<int>(std::floor(deg / 10.0)) * 10;
}

// "+034", "-118": a sign and exactly three digits of the magnitude.
static void signed3(char* out, int v)
{
    const int m = std::abs(v) % 1000;
    std::snprintf(out, 5, "%c%03d", v < 0 ? '-' : '+', m);
}

void return_latlon_str_ENV(int lat, int lon, char* dst, int folder)
{
    char a[5], b[5], c[5], d[5];
    signed3(a, block10(lat));
    signed3(b, block10(lon));
    signed3(c, lat);
    signed3(d, lon);
    if (folder == 1)
        std::snprintf(dst, STR_LEN, "%s%s/%s%s.env", a, b, c, d);
    else
        std::snprintf(dst, STR_LEN, "United States/%s%s.env", c, d);
}

void return_latlon_str_COAST(float lat, float lon, char* dst)
{
    char a[5], b[5];
    signed3(a, block10(static_cast<int>(std::floor(fltlim(lat, -90.0f, 90.0f)))));
    signed3(b, block10(static_cast<int>(std::floor(fltlim(lon, -180.0f, 180.0f)))));
    std::snprintf(dst, STR_LEN, "%s%s.cst", a, b);
}

// ---- runway-lights code ---------------------------------------------------------------------------

// One end's three-digit value into its three light kinds; values outside the scheme still give
// kinds in range.
static void decode_end(int v, int* a, int* b, int* c)
{
    *a = 1;
    *b = 1;
    if (v >= 300) { *a = 3; v -= 300; }
    else if (v >= 200) { *a = 2; v -= 200; }
    else if (v >= 100) { v -= 100; }
    if (v >= 60) { *b = 6; v -= 60; }
    else if (v >= 50) { *b = 5; v -= 50; }
    else if (v >= 40) { *b = 4; v -= 40; }
    else if (v >= 30) { *b = 3; v -= 30; }
    else if (v >= 20) { *b = 2; v -= 20; }
    else if (v >= 10) { v -= 10; }
    *c = intlim(v, 1, 6);
}

void code_to_lgts(int* surface, int A[2], int B[2], int C[2], int code)
{
    *surface = 62;
    if (code > 999999) {
        const int s = code / 1000000;
        if (s >= 1 && s <= 5) *surface = 61 + s;
        code %= 1000000;
    }
    decode_end(code / 1000, &A[0], &B[0], &C[0]);
    decode_end(code % 1000, &A[1], &B[1], &C[1]);
}

int lgts_to_code(int surface, const int A[2], const int B[2], const int C[2])
{
    int code = surface >= 62 && surface <= 66 ? (surface - 61) * 1000000 : 0;
    const int weight[2] = {1000, 1};
    for (int e = 0; e < 2; e++) {
        int v = 0;
        if (A[e] >= 1 && A[e] <= 3) v += A[e] * 100;
        if (B[e] >= 1 && B[e] <= 6) v += B[e] * 10;
        if (C[e] >= 1 && C[e] <= 6) v += C[e];
        code += v * weight[e];
    }
    return code;
}

// ---- cell flag word -------------------------------------------------------------------------------

const float ST_ORIENT_A[8] = {0, 0, 0, 1, 1, 0, 1, 1};
const float ST_ORIENT_B[8] = {1, 0, 0, 0, 1, 1, 0, 1};
const float ST_ORIENT_C[8] = {1, 1, 1, 0, 0, 1, 0, 0};
const float ST_ORIENT_D[8] = {0, 1, 1, 1, 0, 0, 1, 0};

static void put_st(float st[2][2][2], const float o[8])
{
    std::memcpy(st, o, 8 * sizeof(float));
}

void int_to_bol(int* f0, int* f1, int* f2, int* f3, int* f4, float st[2][2][2], int* tex, int word)
{
    *f0 = *f1 = *f2 = *f3 = *f4 = 0;
    *tex = 0;
    // Tested from the top down so that the lowest set bit has the last word.
    for (int n = 19; n >= 0; n--)
        if (word & (1 << (9 + n))) *tex = TEX_CUSTOM + n;
    const float* orient[4] = {ST_ORIENT_A, ST_ORIENT_B, ST_ORIENT_C, ST_ORIENT_D};
    for (int k = 3; k >= 0; k--)
        if (word & (1 << (5 + k))) put_st(st, orient[k]);
    *f4 = (word >> 4) & 1;
    *f3 = (word >> 3) & 1;
    *f2 = (word >> 2) & 1;
    *f1 = (word >> 1) & 1;
    *f0 = word & 1;
}

int bol_to_int(int f0, int f1, int f2, int f3, int f4, const float st[2][2][2], int tex)
{
    int w = 0;
    if (f0) w |= 1 << 0;
    if (f1) w |= 1 << 1;
    if (f2) w |= 1 << 2;
    if (f3) w |= 1 << 3;
    if (f4) w |= 1 << 4;
    const float s0 = st[0][0][0], s1 = st[0][1][0], s2 = st[1][0][0];
    if (s2 - s0 > 0.5f) w |= 1 << 5;
    if (s0 - s1 > 0.5f) w |= 1 << 6;
    if (s0 - s2 > 0.5f) w |= 1 << 7;
    if (s1 - s0 > 0.5f) w |= 1 << 8;
    if (tex >= TEX_CUSTOM && tex <= TEX_CUSTOM + 19) w |= 1 << (9 + tex - TEX_CUSTOM);
    return w;
}

// ---- terrain textures -----------------------------------------------------------------------------

void set_st(int i, int j, float s0, float t0, float s1, float t1, float s2, float t2, float s3, float t3, int tex)
{
    float(&st)[2][2][2] = planest[i][j];
    st[0][0][0] = s0; st[0][0][1] = t0;
    st[0][1][0] = s1; st[0][1][1] = t1;
    st[1][0][0] = s2; st[1][0][1] = t2;
    st[1][1][0] = s3; st[1][1][1] = t3;
    planetex[i][j] = static_cast<uint32_t>(tex);
}

static void set_st_o(int i, int j, const float o[8], int tex)
{
    set_st(i, j, o[0], o[1], o[2], o[3], o[4], o[5], o[6], o[7], tex);
}

// The mirrored outer-corner sets.
static const float ST_OUTER_2[8] = {0, 1, 0, 0, 1, 1, 1, 0};
static const float ST_OUTER_3[8] = {1, 0, 1, 1, 0, 0, 0, 1};
static const float ST_OUTER_4[8] = {0, 0, 1, 0, 0, 1, 1, 1};

// The tile of the other water pass that stands in the same place (edge, outer, inner).
static int water_counterpart(int t)
{
    switch (t) {
    case TEX_WAT_FLAT_EDGE: return TEX_WAT_STEEP_EDGE;
    case TEX_WAT_FLAT_OUTER: return TEX_WAT_STEEP_OUTER;
    case TEX_WAT_FLAT_INNER: return TEX_WAT_STEEP_INNER;
    case TEX_WAT_STEEP_EDGE: return TEX_WAT_FLAT_EDGE;
    case TEX_WAT_STEEP_OUTER: return TEX_WAT_FLAT_OUTER;
    case TEX_WAT_STEEP_INNER: return TEX_WAT_FLAT_INNER;
    default: return -1;
    }
}

void new_border(int kind, int neighbour, int edge, int outer, int inner, int ni, int nj)
{
    const bool water_pass = kind == TEX_WATER;
    auto is_nb = [&](int i, int j) { return static_cast<int>(planetex[i][j]) == neighbour; };
    auto in_family = [&](int i, int j) {
        const int t = static_cast<int>(planetex[i][j]);
        if (t == kind || t == edge || t == outer || t == inner) return true;
        if (water_pass) {
            const int c = water_counterpart(t);
            if (c >= 0 && (c == edge || c == outer || c == inner)) return true;
        }
        return false;
    };

    for (int i = 1; i <= ni - 2; i++) {
        for (int j = 1; j <= nj - 2; j++) {
            if (static_cast<int>(planetex[i][j]) != kind) continue;
            // Outer corners: two neighbouring sides.
            if (is_nb(i - 1, j) && is_nb(i, j + 1)) set_st_o(i, j, ST_ORIENT_A, outer);
            if (is_nb(i - 1, j) && is_nb(i, j - 1)) set_st_o(i, j, ST_OUTER_2, outer);
            if (is_nb(i + 1, j) && is_nb(i, j + 1)) set_st_o(i, j, ST_OUTER_3, outer);
            if (is_nb(i + 1, j) && is_nb(i, j - 1)) set_st_o(i, j, ST_OUTER_4, outer);
            // Edges: one neighbouring side with the family on both flanks.
            if (is_nb(i - 1, j) && in_family(i, j - 1) && in_family(i, j + 1)) set_st_o(i, j, ST_ORIENT_A, edge);
            if (is_nb(i + 1, j) && in_family(i, j - 1) && in_family(i, j + 1)) set_st_o(i, j, ST_ORIENT_C, edge);
            if (is_nb(i, j - 1) && in_family(i - 1, j) && in_family(i + 1, j)) set_st_o(i, j, ST_ORIENT_D, edge);
            if (is_nb(i, j + 1) && in_family(i - 1, j) && in_family(i + 1, j)) set_st_o(i, j, ST_ORIENT_B, edge);
            // Inner corners: a diagonal neighbour with the family on both sides next to it.
            if (is_nb(i - 1, j - 1) && in_family(i - 1, j) && in_family(i, j - 1)) set_st_o(i, j, ST_ORIENT_B, inner);
            if (is_nb(i - 1, j + 1) && in_family(i - 1, j) && in_family(i, j + 1)) set_st_o(i, j, ST_ORIENT_C, inner);
            if (is_nb(i + 1, j - 1) && in_family(i + 1, j) && in_family(i, j - 1)) set_st_o(i, j, ST_ORIENT_A, inner);
            if (is_nb(i + 1, j + 1) && in_family(i + 1, j) && in_family(i, j + 1)) set_st_o(i, j, ST_ORIENT_D, inner);
        }
    }
}

// |dh/dx| along the cell's i edge plus |dh/dz| along its j edge; a collapsed edge adds nothing.
static double cell_slope(int i, int j)
{
    const float* p = planexyz[i][j];
    const float* pi = planexyz[i + 1][j];
    const float* pj = planexyz[i][j + 1];
    double s = 0.0;
    const double dx = static_cast<double>(pi[0]) - p[0];
    const double dz = static_cast<double>(pj[2]) - p[2];
    if (dx != 0.0) s += std::fabs((static_cast<double>(pi[1]) - p[1]) / dx);
    if (dz != 0.0) s += std::fabs((static_cast<double>(pj[1]) - p[1]) / dz);
    return s;
}

void assign_terrain_texes(int ni, int nj)
{
    ni = intlim(ni, 0, REGION_NI);
    nj = intlim(nj, 0, REGION_NJ);

    // Water, flat or steep, with the corners reset to the plain orientation.
    for (int i = 0; i < ni - 1; i++) {
        for (int j = 0; j < nj - 1; j++) {
            if (planetex[i][j] >= TEX_CUSTOM) continue;
            int tex;
            if (on_water[i][j]) {
                tex = TEX_WATER;
            } else if (cell_slope(i, j) >= 0.1) {
                tex = TEX_STEEP;
                city_on_poly[i][j] = 0;
            } else {
                tex = TEX_FLAT;
            }
            set_st_o(i, j, ST_ORIENT_A, tex);
        }
    }

    // Steep land spreads one cell south and west; the cells changed lie behind the scan, so the
    // spreading never cascades.
    for (int i = 1; i < ni - 1; i++) {
        for (int j = 1; j < nj - 1; j++) {
            if (planetex[i][j] != TEX_STEEP) continue;
            if (planetex[i - 1][j - 1] == TEX_FLAT) planetex[i - 1][j - 1] = TEX_STEEP;
            if (planetex[i - 1][j] == TEX_FLAT) planetex[i - 1][j] = TEX_STEEP;
            if (planetex[i][j - 1] == TEX_FLAT) planetex[i][j - 1] = TEX_STEEP;
        }
    }

    new_border(TEX_STEEP, TEX_FLAT, TEX_STEEP_FLAT_EDGE, TEX_STEEP_FLAT_OUTER, TEX_STEEP_FLAT_INNER, ni, nj);
    new_border(TEX_WATER, TEX_FLAT, TEX_WAT_FLAT_EDGE, TEX_WAT_FLAT_OUTER, TEX_WAT_FLAT_INNER, ni, nj);
    new_border(TEX_WATER, TEX_STEEP, TEX_WAT_STEEP_EDGE, TEX_WAT_STEEP_OUTER, TEX_WAT_STEEP_INNER, ni, nj);
}
