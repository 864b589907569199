// hl_funct.h -- small numeric helpers: random numbers, limits and wraps, rounding, interpolation,
// whole-degree rotations, normals and the ground height on the region's triangle grid.
//
// `round(float)` is the library's rounding to int, half away from zero. It lives in namespace
// hlmath, which this header brings into scope, so it never redeclares anything of <cmath> whatever
// the include order: an unqualified call with a float picks it (exact match) over the C library's
// `double round(double)`; a double argument reaches the C library's (same rounding, double result);
// `std::round` is untouched.
#pragma once
#include <cstdint>

// ---- random numbers -------------------------------------------------------------------------------

// Seeds the library's 15-bit generator (the simulator seeds it once at start-up).
void hl_srand(uint32_t seed);
// The next draw of the generator, 0..32767.
int hl_rand15(void);
// lo + ((hi - lo + 1) * r) div 32767, never above hi.
int intrand(int lo, int hi);
// lo + ((hi - lo) / 32767) * r.
float fltrand(float lo, float hi);

// ---- limits, wraps and tests (inclusive bounds) ---------------------------------------------------

int intlim(int x, int lo, int hi);
float fltlim(float x, float lo, float hi);     // NaN comes back unchanged
int intwrap(int x, int lo, int hi);            // one step of hi - lo + 1
float fltwrap(float x, float lo, float hi);    // one step of hi - lo
int intrange(int x, int lo, int hi);
int fltrange(float x, float lo, float hi);     // NaN gives 0
int fltbox(float x, float y, float x1, float y1, float x2, float y2);
// Inside [lo, hi] snaps x to the nearer bound (the middle goes to hi); outside leaves x.
float fallout(float x, float lo, float hi);

// ---- minimum, maximum, swaps ----------------------------------------------------------------------

int intmin2(int a, int b);
int intmax2(int a, int b);
float fltmin2(float a, float b);   // ties give b
float fltmax2(float a, float b);   // ties give b
float fltmax3(float a, float b, float c);
float fltmin4(float a, float b, float c, float d);
float fltmax4(float a, float b, float c, float d);
void bol_switch(int* a, int* b);
void flt_switch(float* a, float* b);
// Exchanges two 400-character strings through the scratch string C_s.
void str_switch(char* a, char* b);

// ---- arithmetic -----------------------------------------------------------------------------------

namespace hlmath {
// Half away from zero; saturates at the int range, NaN gives 0.
int round(float x);
}  // namespace hlmath
using namespace hlmath;
float fltnear(float x, float step);
int intnear(int x, int step);
float sqr(float x);
float signsqr(float x);            // x*x for x > 0, else -x*x
float interp(float x0, float y0, float x1, float y1, float x);
float closer_assymp(float a, float b, float k);
float pythag(float a, float b);
float pythag3(float a, float b, float c);
void sec_to_hrs_min(float seconds, int* hours, int* minutes);

// ---- rotations by a whole degree n (0..360) through the degree tables -----------------------------

float rx2d(float x, float y, int n);
float ry2d(float x, float y, int n);
float rx3d(float x, float z, int n);
float rz3d(float x, float z, int n);

// ---- vectors and the triangle grid ----------------------------------------------------------------

// n = a x b normalised; a zero-length product gives (0, 1, 0).
void find_normal_vects(const float a[3], const float b[3], float n[3]);
// 1 when (x, z) lies on the inner side of the edge (x1, z1) -> (x2, z2), with margin tol.
int inside_cw_reg(float x1, float z1, float x2, float z2, float x, float z, float tol);
// 1 when (x, z) lies on the inner side of every edge of the closed chain of n points (x, z pairs,
// clockwise seen from above, the last joined to the first), with margin tol.
int inside_cw_chain(const float (*pts)[2], int n, float x, float z, float tol);
// The three grid corners of triangle t (0 or 1) of cell (i, j).
void convert_ij_dxy(int i, int j, int t, int* i1, int* j1, int* i2, int* j2, int* i3, int* j3);
// Ground height (m) at (x, z) of the region; (i, j) is the caller's cell guess, updated in place.
// With ships = 1 a ship deck or obstacle under the aircraft answers first. Off the grid (no cell
// holds the point) the guess's cell, clamped to the grid, answers with its first triangle's plane.
float find_local_h(float x, float z, int* i, int* j, int ships);

// One directed grid edge made ready for the inner-side test: the edge as base + slope * (c -
// origin), c being z when the edge is steeper in z (the test then compares x), else x.
struct gridedge {
    double origin, base, slope;
    int along_z;   // the edge runs more in z than in x
    int sense;     // which side is inner: the edge runs toward -z (along z) or toward +x
};
// The plane of one grid triangle: height h0 at (x0, z0) and its slopes; flat when it has collapsed.
struct gridplane {
    double x0, h0, z0, kx, kz;
    int flat;
};
// One cell of the grid made ready for many look-ups: its two triangles' edges and planes.
struct readycell {
    gridedge edge[6];       // triangle 0's three edges, then triangle 1's
    gridplane plane[2];
    int boxed;              // its triangles are shapely enough for the box below
    float lo_x, hi_x, lo_z, hi_z;   // m, a box no point the cell's test takes can lie outside
};
// A window of cells made ready round a run of look-ups (the contact points of one aircraft stand in
// one or two cells, whose neighbours the search tries first), with the grid points it was made
// from, and the last point found off the grid. Start a new round of look-ups
// (ground_cell_new_round) whenever the grid may have changed: the window is checked against the
// grid once a round (the guess's cell at every look-up) and made again if its points have moved,
// and the point found off the grid is forgotten, so that it is not taken to be off a new grid.
constexpr int GROUND_WINDOW = 4;   // cells a side
struct groundcell {
    int wi, wj;             // the window's first cell; -1 when none is made
    float point[GROUND_WINDOW + 1][GROUND_WINDOW + 1][3];
    readycell cell[GROUND_WINDOW][GROUND_WINDOW];
    int round, checked;     // the round of look-ups, and the last in which the window was checked
    float off_x, off_z;     // m, the last point found off the grid
    float off_by;           // m, how far outside the grid's outline it lay; below 0: none
};
void ground_cell_forget(groundcell* c);
void ground_cell_new_round(groundcell* c);
// find_local_h for many points in a row over the terrain alone (no ship or obstacle): the cell of
// the guess is made ready once in *c and answers every point that lies in it, and points near one
// found off the grid are off it too. The same heights and cells as find_local_h.
float find_local_h_in(groundcell* c, float x, float z, int* i, int* j);
