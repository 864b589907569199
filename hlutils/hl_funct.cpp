// hl_funct.cpp -- small numeric helpers: random numbers, limits and wraps, rounding, interpolation,
// whole-degree rotations, normals and the ground height on the region's triangle grid.
#include "hl_funct.h"

#include "hl_string.h"
#include "hl_types.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

// ---- random numbers -------------------------------------------------------------------------------

// A linear congruential generator whose draws are bits 16..30 of the state, so every draw is
// 0..32767 whatever the C library's RAND_MAX is. The state is kept in 64 bits and cut to 32 after
// each step, so the arithmetic never overflows.
static uint64_t g_rand_state = 1;

void hl_srand(uint32_t seed) { g_rand_state = seed; }

int hl_rand15(void)
{
    g_rand_state = (g_rand_state * 1103515245u + 12345u) & 0xFFFFFFFFu;
    return static_cast<int>((g_rand_state >> 16) & 0x7FFF);
}

int intrand(int lo, int hi)
{
    const int64_t r = hl_rand15();
    const int64_t span = static_cast<int64_t>(hi) - lo + 1;
    int64_t v = lo + (span * r) / 32767;
    if (v > hi) v = hi;   // the top draw lands one past hi
    return static_cast<int>(v);
}

float fltrand(float lo, float hi)
{
    const double r = hl_rand15();
    return static_cast<float>(lo + (static_cast<double>(hi) - lo) / 32767.0 * r);
}

// ---- limits, wraps and tests ----------------------------------------------------------------------

int intlim(int x, int lo, int hi)
{
    if (x < lo) return lo;
    if (x > hi) return hi;
    return x;
}

float fltlim(float x, float lo, float hi)
{
    if (x < lo) return lo;
    if (x > hi) return hi;
    return x;
}

int intwrap(int x, int lo, int hi)
{
    const int64_t span = static_cast<int64_t>(hi) - lo + 1;
    if (x < lo) return static_cast<int>(x + span);
    if (x > hi) return static_cast<int>(x - span);
    return x;
}

float fltwrap(float x, float lo, float hi)
{
    if (x < lo) return x + (hi - lo);
    if (x > hi) return x - (hi - lo);
    return x;
}

int intrange(int x, int lo, int hi) { return lo <= x && x <= hi ? 1 : 0; }

int fltrange(float x, float lo, float hi) { return lo <= x && x <= hi ? 1 : 0; }

int fltbox(float x, float y, float x1, float y1, float x2, float y2)
{
    return x1 <= x && x <= x2 && y1 <= y && y <= y2 ? 1 : 0;
}

float fallout(float x, float lo, float hi)
{
    if (lo <= x && x <= hi) return x < (static_cast<double>(lo) + hi) * 0.5 ? lo : hi;
    return x;
}

// ---- minimum, maximum, swaps ----------------------------------------------------------------------

int intmin2(int a, int b) { return a < b ? a : b; }
int intmax2(int a, int b) { return b < a ? a : b; }
float fltmin2(float a, float b) { return a < b ? a : b; }
float fltmax2(float a, float b) { return a > b ? a : b; }
float fltmax3(float a, float b, float c) { return fltmax2(fltmax2(a, b), c); }
float fltmin4(float a, float b, float c, float d) { return fltmin2(fltmin2(a, b), fltmin2(c, d)); }
float fltmax4(float a, float b, float c, float d) { return fltmax2(fltmax2(a, b), fltmax2(c, d)); }

void bol_switch(int* a, int* b)
{
    const int t = *a;
    *a = *b;
    *b = t;
}

void flt_switch(float* a, float* b)
{
    const float t = *a;
    *a = *b;
    *b = t;
}

void str_switch(char* a, char* b)
{
    C_to_C(a, C_s);
    C_to_C(b, a);
    C_to_C(C_s, b);
}

// ---- arithmetic -----------------------------------------------------------------------------------

int hlmath::round(float x)
{
    // Widened before adding the half so that values just below .5 do not round up in float.
    const double d = x;
    if (std::isnan(d)) return 0;
    const double r = d >= 0.0 ? std::trunc(d + 0.5) : std::trunc(d - 0.5);
    if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (r <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(r);
}

float fltnear(float x, float step)
{
    return static_cast<float>(round(static_cast<float>(static_cast<double>(x) / step)) * static_cast<double>(step));
}

// Truncates toward zero, saturating at the int range (NaN gives 0).
static int trunc_to_int(double v)
{
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);
}

int intnear(int x, int step)
{
    return trunc_to_int(fltnear(static_cast<float>(x), static_cast<float>(step)));
}

float sqr(float x) { return x * x; }

float signsqr(float x) { return x > 0.0f ? x * x : -x * x; }

float interp(float x0, float y0, float x1, float y1, float x)
{
    return static_cast<float>(y0 + (static_cast<double>(y1) - y0) / (static_cast<double>(x1) - x0) *
                                       (static_cast<double>(x) - x0));
}

float closer_assymp(float a, float b, float k)
{
    return static_cast<float>((1.0 - k) * a + static_cast<double>(k) * b);
}

float pythag(float a, float b)
{
    return static_cast<float>(std::sqrt(static_cast<double>(a) * a + static_cast<double>(b) * b));
}

float pythag3(float a, float b, float c)
{
    return static_cast<float>(std::sqrt(static_cast<double>(a) * a + static_cast<double>(b) * b +
                                        static_cast<double>(c) * c));
}

void sec_to_hrs_min(float seconds, int* hours, int* minutes)
{
    const int s = trunc_to_int(seconds);
    *hours = s / 3600;
    *minutes = s / 60 - *hours * 60;
}

// ---- rotations ------------------------------------------------------------------------------------

// Callers keep n in 0..360; anything else is folded back so the tables are never read outside.
static inline int deg_index(int n)
{
    if (n >= 0 && n <= 360) return n;
    const int m = n % 360;
    return m < 0 ? m + 360 : m;
}

float rx2d(float x, float y, int n)
{
    const int d = deg_index(n);
    return lookup_cos[d] * x + lookup_sin[d] * y;
}

float ry2d(float x, float y, int n)
{
    const int d = deg_index(n);
    return lookup_cos[d] * y - lookup_sin[d] * x;
}

float rx3d(float x, float z, int n)
{
    const int d = deg_index(n);
    return lookup_cos[d] * x - lookup_sin[d] * z;
}

float rz3d(float x, float z, int n)
{
    const int d = deg_index(n);
    return lookup_cos[d] * z + lookup_sin[d] * x;
}

// ---- vectors and the triangle grid ----------------------------------------------------------------

void find_normal_vects(const float a[3], const float b[3], float n[3])
{
    const double nx = static_cast<double>(a[1]) * b[2] - static_cast<double>(b[1]) * a[2];
    const double ny = -static_cast<double>(a[0]) * b[2] + static_cast<double>(b[0]) * a[2];
    const double nz = static_cast<double>(a[0]) * b[1] - static_cast<double>(b[0]) * a[1];
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(len > 0.0)) {
        n[0] = 0.0f;
        n[1] = 1.0f;
        n[2] = 0.0f;
        return;
    }
    n[0] = static_cast<float>(nx / len);
    n[1] = static_cast<float>(ny / len);
    n[2] = static_cast<float>(nz / len);
}

// The edge (x1, z1) -> (x2, z2) for the inner-side test; the slope is interp's, in double.
static inline gridedge make_edge(float x1, float z1, float x2, float z2)
{
    gridedge e;
    e.along_z = std::fabs(z2 - z1) >= std::fabs(x2 - x1);
    if (e.along_z) {
        e.origin = z1;
        e.base = x1;
        e.slope = (static_cast<double>(x2) - x1) / (static_cast<double>(z2) - z1);
        e.sense = z2 < z1;
    } else {
        e.origin = x1;
        e.base = z1;
        e.slope = (static_cast<double>(z2) - z1) / (static_cast<double>(x2) - x1);
        e.sense = x2 >= x1;
    }
    return e;
}

// The edge's x at the point's z (or z at its x), as interp gives it, against the point.
static inline int edge_inside(const gridedge& e, float x, float z, float tol)
{
    if (e.along_z) {
        const float xe = static_cast<float>(e.base + e.slope * (static_cast<double>(z) - e.origin));
        return e.sense ? (xe < x + tol) : (xe > x - tol);
    }
    const float ze = static_cast<float>(e.base + e.slope * (static_cast<double>(x) - e.origin));
    return e.sense ? (ze < z + tol) : (ze > z - tol);
}

int inside_cw_reg(float x1, float z1, float x2, float z2, float x, float z, float tol)
{
    return edge_inside(make_edge(x1, z1, x2, z2), x, z, tol);
}

int inside_cw_chain(const float (*pts)[2], int n, float x, float z, float tol)
{
    for (int k = 0; k < n; k++) {
        const float* a = pts[k];
        const float* b = pts[(k + 1) % n];
        if (!inside_cw_reg(a[0], a[1], b[0], b[1], x, z, tol)) return 0;
    }
    return 1;
}

void convert_ij_dxy(int i, int j, int t, int* i1, int* j1, int* i2, int* j2, int* i3, int* j3)
{
    if (t == 0) {
        *i1 = i;     *j1 = j + 1;
        *i2 = i + 1; *j2 = j + 1;
        *i3 = i;     *j3 = j;
    } else {
        *i1 = i + 1; *j1 = j;
        *i2 = i;     *j2 = j;
        *i3 = i + 1; *j3 = j + 1;
    }
}

// The last cell indices of the region grid.
static constexpr int LAST_CELL_I = REGION_NI - 2;   // 176
static constexpr int LAST_CELL_J = REGION_NJ - 2;   // 157
// The cell test's margin (m), along x or z.
static constexpr float CELL_TOL = 1.0f;
// A point this far (m) outside the grid's outline lies in no cell even with the cell test's margin,
// which reaches a little past the corners of a triangle: a few metres for any triangle whose
// angles are all above ten degrees.
static constexpr double OUTLINE_MARGIN = 16.0;

static inline gridedge grid_edge_of(int ia, int ja, int ib, int jb)
{
    return make_edge(planexyz[ia][ja][0], planexyz[ia][ja][2], planexyz[ib][jb][0], planexyz[ib][jb][2]);
}

// One directed edge test between two grid points.
static inline int grid_edge(int ia, int ja, int ib, int jb, float x, float z)
{
    return edge_inside(grid_edge_of(ia, ja, ib, jb), x, z, CELL_TOL);
}

// Which triangle of cell (a, b) holds (x, z): 0, 1, or -1 for neither.
static int cell_triangle(int a, int b, float x, float z)
{
    if (grid_edge(a, b, a, b + 1, x, z) && grid_edge(a, b + 1, a + 1, b + 1, x, z) &&
        grid_edge(a + 1, b + 1, a, b, x, z))
        return 0;
    if (grid_edge(a, b, a + 1, b + 1, x, z) && grid_edge(a + 1, b + 1, a + 1, b, x, z) &&
        grid_edge(a + 1, b, a, b, x, z))
        return 1;
    return -1;
}

// Calls f(a, b) for each segment of the grid's outline: its border points in order round it.
template <class F>
static inline void each_outline_segment(F&& f)
{
    const int li = REGION_NI - 1, lj = REGION_NJ - 1;
    for (int j = 0; j < lj; j++) f(planexyz[0][j], planexyz[0][j + 1]);
    for (int i = 0; i < li; i++) f(planexyz[i][lj], planexyz[i + 1][lj]);
    for (int j = lj; j > 0; j--) f(planexyz[li][j], planexyz[li][j - 1]);
    for (int i = li; i > 0; i--) f(planexyz[i][0], planexyz[i - 1][0]);
}

// Squared distance from (px, pz) to the box of the segment a-b.
static inline double box_distance2(double px, double pz, const float* a, const float* b)
{
    const double lox = a[0] < b[0] ? a[0] : b[0], hix = a[0] < b[0] ? b[0] : a[0];
    const double loz = a[2] < b[2] ? a[2] : b[2], hiz = a[2] < b[2] ? b[2] : a[2];
    const double dx = px < lox ? lox - px : px > hix ? px - hix : 0.0;
    const double dz = pz < loz ? loz - pz : pz > hiz ? pz - hiz : 0.0;
    return dx * dx + dz * dz;
}

// How far (m) (x, z) lies outside the outline of the grid: -1 inside, and more than any margin when
// x or z is not a number. Far from the outline the distance to the nearest segment's box stands in
// for the distance to the segment, which is never shorter. The outline holds every cell of a grid
// that does not fold over itself, as the region's never does.
static double outside_grid_by(float x, float z)
{
    const double px = x, pz = z;
    if (!(px == px) || !(pz == pz)) return HUGE_VAL;
    // A ray from the point toward +x crosses the outline an odd number of times from inside.
    int inside = 0;
    each_outline_segment([&](const float* a, const float* b) {
        const double za = a[2], zb = b[2];
        if ((za > pz) != (zb > pz) && px < a[0] + (pz - za) * (static_cast<double>(b[0]) - a[0]) / (zb - za))
            inside = !inside;
    });
    if (inside) return -1.0;
    double near2 = HUGE_VAL;
    each_outline_segment([&](const float* a, const float* b) {
        const double d2 = box_distance2(px, pz, a, b);
        if (d2 < near2) near2 = d2;
    });
    const double margin2 = OUTLINE_MARGIN * OUTLINE_MARGIN;
    if (near2 > margin2) return std::sqrt(near2);
    // Near the outline: the distance to the segments themselves.
    double best2 = HUGE_VAL;
    each_outline_segment([&](const float* a, const float* b) {
        if (box_distance2(px, pz, a, b) > margin2) return;
        const double dx = static_cast<double>(b[0]) - a[0], dz = static_cast<double>(b[2]) - a[2];
        const double len2 = dx * dx + dz * dz;
        double u = len2 > 0.0 ? ((px - a[0]) * dx + (pz - a[2]) * dz) / len2 : 0.0;
        u = u < 0.0 ? 0.0 : u > 1.0 ? 1.0 : u;
        const double ex = a[0] + u * dx - px, ez = a[2] + u * dz - pz;
        const double d2 = ex * ex + ez * ez;
        if (d2 < best2) best2 = d2;
    });
    return std::sqrt(best2);
}

// The cells of the ring round (ci, cj) at distance ring, kept inside the grid.
struct ringbox {
    int i0, i1, j0, j1;
};
static inline ringbox ring_round(int ci, int cj, int ring)
{
    return {intmax2(ci - ring, 0), intmin2(ci + ring, LAST_CELL_I), intmax2(cj - ring, 0), intmin2(cj + ring, LAST_CELL_J)};
}
static inline bool ring_border(const ringbox& r, int a, int b)
{
    return a == r.i0 || a == r.i1 || b == r.j0 || b == r.j1;   // the inner cells were searched already
}
static inline bool ring_is_whole_grid(const ringbox& r)
{
    return r.i0 == 0 && r.j0 == 0 && r.i1 == LAST_CELL_I && r.j1 == LAST_CELL_J;
}

// Searches rings of cells growing outwards from the guess, from ring first_ring on (the rings
// before it searched already). The ring that reaches the grid's edges on every side is searched
// too before giving up, so cells in the last row and column are found. A point that is not in the
// guess's cell or the ring round it, and lies well outside the grid's outline, is given up at once
// instead of after trying every cell: *off_by then says how far out it lies. Returns the
// triangle, or -1 when no cell holds the point (*ci, *cj unchanged).
static int find_cell(float x, float z, int* ci, int* cj, double* off_by, int first_ring = 0)
{
    for (int ring = first_ring;; ring++) {
        if (ring == 2) {
            const double d = outside_grid_by(x, z);
            if (!(d <= OUTLINE_MARGIN)) {
                if (off_by) *off_by = d;
                return -1;
            }
        }
        const ringbox r = ring_round(*ci, *cj, ring);
        for (int a = r.i0; a <= r.i1; a++) {
            for (int b = r.j0; b <= r.j1; b++) {
                if (!ring_border(r, a, b)) continue;
                const int t = cell_triangle(a, b, x, z);
                if (t >= 0) {
                    *ci = a;
                    *cj = b;
                    return t;
                }
            }
        }
        if (ring_is_whole_grid(r)) return -1;   // not in the grid
    }
}

static gridplane make_plane(int i, int j, int t)
{
    int ia, ja, ib, jb, ic, jc;
    convert_ij_dxy(i, j, t, &ia, &ja, &ib, &jb, &ic, &jc);
    gridplane p;
    p.x0 = planexyz[ia][ja][0];
    p.h0 = planexyz[ia][ja][1];
    p.z0 = planexyz[ia][ja][2];
    const double dx1 = planexyz[ib][jb][0] - p.x0, dh1 = planexyz[ib][jb][1] - p.h0, dz1 = planexyz[ib][jb][2] - p.z0;
    const double dx2 = planexyz[ic][jc][0] - p.x0, dh2 = planexyz[ic][jc][1] - p.h0, dz2 = planexyz[ic][jc][2] - p.z0;
    const double den = dz1 * dx2 - dz2 * dx1;
    p.flat = den == 0.0;   // a collapsed cell has no plane
    p.kx = p.flat ? 0.0 : (dh2 * dz1 - dh1 * dz2) / den;
    p.kz = p.flat ? 0.0 : (dh2 * dx1 - dh1 * dx2) / -den;
    return p;
}

// The plane through the triangle's three corners, evaluated at (x, z).
static inline float plane_h(const gridplane& p, float x, float z)
{
    if (p.flat) return static_cast<float>(p.h0);
    return static_cast<float>(p.h0 + (x - p.x0) * p.kx + (z - p.z0) * p.kz);
}

static float deck_height(float x, float z, float h)
{
    return con.BOAT_loc_Y + con.cosBOATphi * con.cosBOATthe * h -
           (x - con.BOAT_loc_X) * con.sinBOATphi / con.cosBOATphi -
           (z - con.BOAT_loc_Z) * con.sinBOATthe / con.cosBOATthe;
}

float find_local_h(float x, float z, int* i, int* j, int ships)
{
    *i = intlim(*i, 0, LAST_CELL_I);
    *j = intlim(*j, 0, LAST_CELL_J);
    int t = find_cell(x, z, i, j, nullptr);
    if (t < 0) t = 0;   // off the grid: the guess's cell goes on

    if (ships == 1) {
        if (env.over_carr) return deck_height(x, z, 21.0f);
        if (env.over_frig) return deck_height(x, z, 7.0f);
        if (env.over_obs) return env.obj_height;
    }
    return plane_h(make_plane(*i, *j, t), x, z);
}

void ground_cell_forget(groundcell* c)
{
    c->wi = c->wj = -1;
    c->round = c->checked = 0;
    c->off_x = c->off_z = 0.0f;
    c->off_by = -1.0f;
}

void ground_cell_new_round(groundcell* c)
{
    c->round++;
    c->off_by = -1.0f;
}

// The smallest angle (radians) of the triangle of grid points p, q, r, in the x-z plane.
static double smallest_angle(const float* p, const float* q, const float* r)
{
    const float* v[3] = {p, q, r};
    double least = HUGE_VAL;
    for (int k = 0; k < 3; k++) {
        const float* o = v[k];
        const float* a = v[(k + 1) % 3];
        const float* b = v[(k + 2) % 3];
        const double ax = static_cast<double>(a[0]) - o[0], az = static_cast<double>(a[2]) - o[2];
        const double bx = static_cast<double>(b[0]) - o[0], bz = static_cast<double>(b[2]) - o[2];
        const double angle = std::atan2(std::fabs(ax * bz - az * bx), ax * bx + az * bz);
        if (!(angle >= least)) least = angle;   // a NaN stays
    }
    return least;
}

// Cell (a, b) made ready. Its box: each of its triangles' edges is taken up to CELL_TOL farther out
// by the test, so a corner of angle A moves out by CELL_TOL / sin(A / 2) at most; a metre more for
// the rounding.
static void ready_cell_make(readycell* rc, int a, int b)
{
    rc->edge[0] = grid_edge_of(a, b, a, b + 1);
    rc->edge[1] = grid_edge_of(a, b + 1, a + 1, b + 1);
    rc->edge[2] = grid_edge_of(a + 1, b + 1, a, b);
    rc->edge[3] = grid_edge_of(a, b, a + 1, b + 1);
    rc->edge[4] = grid_edge_of(a + 1, b + 1, a + 1, b);
    rc->edge[5] = grid_edge_of(a + 1, b, a, b);
    rc->plane[0] = make_plane(a, b, 0);
    rc->plane[1] = make_plane(a, b, 1);
    const float* p00 = planexyz[a][b];
    const float* p01 = planexyz[a][b + 1];
    const float* p10 = planexyz[a + 1][b];
    const float* p11 = planexyz[a + 1][b + 1];
    const double least = std::fmin(smallest_angle(p01, p11, p00), smallest_angle(p00, p11, p10));
    rc->boxed = least >= 2.0 * 3.14159265358979 / 180.0;   // a sliver of a cell may reach far: edges alone
    if (!rc->boxed) return;
    const float reach = static_cast<float>(CELL_TOL / std::sin(0.5 * least) + 1.0);
    rc->lo_x = std::fmin(std::fmin(p00[0], p01[0]), std::fmin(p10[0], p11[0])) - reach;
    rc->hi_x = std::fmax(std::fmax(p00[0], p01[0]), std::fmax(p10[0], p11[0])) + reach;
    rc->lo_z = std::fmin(std::fmin(p00[2], p01[2]), std::fmin(p10[2], p11[2])) - reach;
    rc->hi_z = std::fmax(std::fmax(p00[2], p01[2]), std::fmax(p10[2], p11[2])) + reach;
}

// Which triangle of a ready cell holds (x, z), by cell_triangle's tests in cell_triangle's order.
static inline int ready_triangle(const readycell& rc, float x, float z)
{
    if (rc.boxed && (x < rc.lo_x || x > rc.hi_x || z < rc.lo_z || z > rc.hi_z)) return -1;
    const gridedge* e = rc.edge;
    if (edge_inside(e[0], x, z, CELL_TOL) && edge_inside(e[1], x, z, CELL_TOL) && edge_inside(e[2], x, z, CELL_TOL))
        return 0;
    if (edge_inside(e[3], x, z, CELL_TOL) && edge_inside(e[4], x, z, CELL_TOL) && edge_inside(e[5], x, z, CELL_TOL))
        return 1;
    return -1;
}

static constexpr size_t WINDOW_ROW = sizeof(float) * 3 * (GROUND_WINDOW + 1);

// Whether the window holds the cells of box r.
static inline bool window_holds(const groundcell* c, const ringbox& r)
{
    return c->wi >= 0 && r.i0 >= c->wi && r.j0 >= c->wj && r.i1 < c->wi + GROUND_WINDOW && r.j1 < c->wj + GROUND_WINDOW;
}

// Whether the grid points of the window's cell (a, b) are where they were, bit for bit.
static inline bool window_cell_same(const groundcell* c, int a, int b)
{
    const float* was0 = c->point[a - c->wi][b - c->wj];
    const float* was1 = c->point[a + 1 - c->wi][b - c->wj];
    const float* is0 = planexyz[a][b];
    const float* is1 = planexyz[a + 1][b];
    uint32_t diff = 0;
    for (int k = 0; k < 6; k++) {
        uint32_t u, v, w, y;
        std::memcpy(&u, was0 + k, 4);
        std::memcpy(&v, is0 + k, 4);
        std::memcpy(&w, was1 + k, 4);
        std::memcpy(&y, is1 + k, 4);
        diff |= (u ^ v) | (w ^ y);
    }
    return diff == 0;
}

// Whether all the window's grid points are where they were.
static bool window_same(const groundcell* c)
{
    for (int a = 0; a <= GROUND_WINDOW; a++)
        if (std::memcmp(c->point[a], planexyz[c->wi + a][c->wj], WINDOW_ROW) != 0) return false;
    return true;
}

// The window made round cell (gi, gj) and its ring, kept inside the grid.
static void window_make(groundcell* c, int gi, int gj)
{
    const int wi = intlim(gi - 1, 0, LAST_CELL_I + 1 - GROUND_WINDOW);
    const int wj = intlim(gj - 1, 0, LAST_CELL_J + 1 - GROUND_WINDOW);
    if (wi == c->wi && wj == c->wj) c->off_by = -1.0f;   // the grid has moved under it
    c->wi = wi;
    c->wj = wj;
    c->checked = c->round;
    for (int a = 0; a <= GROUND_WINDOW; a++) std::memcpy(c->point[a], planexyz[wi + a][wj], WINDOW_ROW);
    for (int a = 0; a < GROUND_WINDOW; a++)
        for (int b = 0; b < GROUND_WINDOW; b++) ready_cell_make(&c->cell[a][b], wi + a, wj + b);
}

float find_local_h_in(groundcell* c, float x, float z, int* i, int* j)
{
    *i = intlim(*i, 0, LAST_CELL_I);
    *j = intlim(*j, 0, LAST_CELL_J);
    const int gi = *i, gj = *j;
    if (c->wi < 0 || gi < c->wi || gj < c->wj || gi >= c->wi + GROUND_WINDOW || gj >= c->wj + GROUND_WINDOW ||
        !window_cell_same(c, gi, gj))
        window_make(c, gi, gj);
    // The guess's cell first, as find_cell tries it.
    const readycell& guess = c->cell[gi - c->wi][gj - c->wj];
    const gridedge* e = guess.edge;
    if (edge_inside(e[0], x, z, CELL_TOL) && edge_inside(e[1], x, z, CELL_TOL) && edge_inside(e[2], x, z, CELL_TOL))
        return plane_h(guess.plane[0], x, z);
    if (edge_inside(e[3], x, z, CELL_TOL) && edge_inside(e[4], x, z, CELL_TOL) && edge_inside(e[5], x, z, CELL_TOL))
        return plane_h(guess.plane[1], x, z);
    // Nearer to a point found off the grid than that point was to the grid: no cell holds it, and
    // the guess's cell goes on.
    if (c->off_by > 0.0f) {
        const double dx = static_cast<double>(x) - c->off_x, dz = static_cast<double>(z) - c->off_z;
        if (std::sqrt(dx * dx + dz * dz) < c->off_by - OUTLINE_MARGIN) return plane_h(guess.plane[0], x, z);
    }
    // Then the ring round it, in find_cell's order, from a window that holds it, checked this round.
    const ringbox r = ring_round(gi, gj, 1);
    if (!window_holds(c, r)) {
        window_make(c, gi, gj);
    } else if (c->checked != c->round) {
        if (!window_same(c)) window_make(c, gi, gj);
        c->checked = c->round;
    }
    for (int a = r.i0; a <= r.i1; a++) {
        for (int b = r.j0; b <= r.j1; b++) {
            if (!ring_border(r, a, b) || (a == gi && b == gj)) continue;
            const readycell& rc = c->cell[a - c->wi][b - c->wj];
            const int t = ready_triangle(rc, x, z);
            if (t >= 0) {
                *i = a;
                *j = b;
                return plane_h(rc.plane[t], x, z);
            }
        }
    }
    const gridplane& stay = c->cell[gi - c->wi][gj - c->wj].plane[0];
    if (ring_is_whole_grid(r)) return plane_h(stay, x, z);
    double off_by = -1.0;
    const int t = find_cell(x, z, i, j, &off_by, 2);
    if (t >= 0) return plane_h(make_plane(*i, *j, t), x, z);
    // Off the grid: the guess's cell goes on.
    if (off_by > OUTLINE_MARGIN && off_by < 1e30) {
        c->off_x = x;
        c->off_z = z;
        c->off_by = static_cast<float>(off_by);
    }
    return plane_h(stay, x, z);
}
