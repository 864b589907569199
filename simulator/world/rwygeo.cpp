// rwygeo.cpp -- runway geometry rows: markings, lights, windsocks, flashers, hiding where runways
// meet, the on-runway test and the flasher animation.
#include "rwygeo.h"

#include "fltutil.h"
#include "hl_funct.h"
#include "hl_string.h"
#include "hl_types.h"

#include <cmath>
#include <cstring>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr int END1 = 311;            // end 1's approach block is end 0's (250..500) moved by this
constexpr int STROBE = 280;          // the moving approach flasher of end 0
constexpr int OBSTRUCTION = 812;     // the obstruction light, also the airport's beacon
constexpr float HIDDEN_SOCK = -999.9f;
constexpr float IN_RUNWAY_TOL = 25.0f;
constexpr float CLEAR_TOL = 1.0f;

// Lights set while the row is built; the others stay at (0, 0, 0) and are not turned.
bool g_set[GEO_LITES];

bool row_ok(int row) { return row >= 0 && row < GEO_ROWS; }

// The light runs that can stand on another surface, first and last index.
struct Run {
    int first, last;
};

int clear_runs(int row, Run runs[8])
{
    runs[0] = {1, geo_rmax1[row]};
    runs[1] = {51, geo_rmax2[row]};
    runs[2] = {151, geo_tmax1[row]};
    runs[3] = {201, geo_tmax2[row]};
    runs[4] = {250, 360};
    runs[5] = {481, 526};
    // End 1's approach lights reach as far beyond the other threshold as end 0's do beyond theirs.
    runs[6] = {250 + END1, 360 + END1};
    runs[7] = {481 + END1, 500 + END1};
    return 8;
}

}  // namespace

void runway_quad(int row, float q[4][2])
{
    const float(*rw)[3] = geo_markxyz[row][0];
    const float(*tw)[3] = geo_markxyz[row][1];
    const float* c[4] = {rw[3], rw[0], tw[1], tw[2]};
    for (int k = 0; k < 4; k++) {
        q[k][0] = c[k][0];
        q[k][1] = c[k][2];
    }
}

namespace {

// Lights of both ends' approach blocks; end e's block starts at 250 + e * 311.
void approach_lights(int row, int e, int gls, int app, float W, float h)
{
    const int o = e * END1;
    // Lead-in rows.
    as_grnd_xy(row, o + 250, -0.05f * W, 0.0f, h + 500.0f);
    as_grnd_xy(row, o + 259, -0.05f * W, 0.0f, h + 50.0f);
    as_interp(row, o + 250, o + 259);
    as_grnd_xy(row, o + 260, 0.05f * W, 0.0f, h + 500.0f);
    as_grnd_xy(row, o + 269, 0.05f * W, 0.0f, h + 50.0f);
    as_interp(row, o + 260, o + 269);
    // Crossbar: three lights continuing each lead-in row outward, spaced as the two rows are.
    const int left = o + (app == 5 ? 251 : 257), right = o + (app == 5 ? 261 : 267);
    const float* L0 = geo_litexyz[row][left];
    const float* R0 = geo_litexyz[row][right];
    const float step = R0[0] - L0[0];
    for (int k = 1; k <= 3; k++) {
        as_grnd_xy(row, o + 269 + k, L0[0] - k * step, L0[1], L0[2]);
        as_grnd_xy(row, o + 272 + k, R0[0] + k * step, R0[1], R0[2]);
    }
    // Slope indicator: VASI bars or the PAPI row, left of the runway.
    if (gls == 2) {
        as_grnd_xy(row, o + 276, -(0.8f * W + 1.0f), 1.5f, h - 250.0f);
        as_grnd_xy(row, o + 277, -(0.8f * W - 1.0f), 1.5f, h - 250.0f);
        as_grnd_xy(row, o + 278, -(0.8f * W + 1.0f), 1.5f, h - 100.0f);
        as_grnd_xy(row, o + 279, -(0.8f * W - 1.0f), 1.5f, h - 100.0f);
    } else if (gls == 3) {
        const float xs[4] = {-W - 6.0f, -W - 2.0f, -W + 2.0f, -W + 6.0f};
        for (int k = 0; k < 4; k++) as_grnd_xy(row, o + 276 + k, xs[k], 1.5f, h - 200.0f);
    }
    // Approach side rows, touchdown-zone rows and the far extension of the centre row.
    const float side[4] = {-0.35f, -0.25f, 0.25f, 0.35f};
    for (int k = 0; k < 4; k++) {
        const int a = o + 281 + 20 * k;
        as_grnd_xy(row, a, side[k] * W, 0.0f, h + 429.0f);
        as_grnd_xy(row, a + 19, side[k] * W, 0.0f, h + 50.0f);
        as_interp(row, a, a + 19);
    }
    const float tdz[6] = {-0.2f, -0.16f, -0.12f, 0.12f, 0.16f, 0.2f};
    for (int k = 0; k < 6; k++) {
        const int a = o + 361 + 20 * k;
        as_grnd_xy(row, a, tdz[k] * W, 0.0f, h - 20.0f);
        as_grnd_xy(row, a + 19, tdz[k] * W, 0.0f, h - 400.0f);
        as_interp(row, a, a + 19);
    }
    for (int k = 0; k < 2; k++) {
        const int a = o + 481 + 10 * k;
        const float x = (k == 0 ? -0.05f : 0.05f) * W;
        as_grnd_xy(row, a, x, 0.0f, h + 1000.0f);
        as_grnd_xy(row, a + 9, x, 0.0f, h + 550.0f);
        as_interp(row, a, a + 9);
    }
}

// The lights shared by both ends and every run whose count follows the length.
void runway_lights(int row, int n, float W, float L, float h)
{
    const float edge = 0.5f * W + 1.0f;
    as_grnd_xy(row, 0, -edge, 0.5f, h);
    as_grnd_xy(row, n, -edge, 0.5f, -h);
    as_interp(row, 0, n);
    as_grnd_xy(row, 50, edge, 0.5f, h);
    as_grnd_xy(row, n + 50, edge, 0.5f, -h);
    as_interp(row, 50, n + 50);
    as_grnd_xy(row, 100, 0.0f, 0.0f, h - 30.0f);
    as_grnd_xy(row, n + 100, 0.0f, 0.0f, 30.0f - h);
    as_interp(row, 100, n + 100);
    as_grnd_xy(row, 150, 2.0f * W, 0.0f, h);
    as_grnd_xy(row, n + 150, 2.0f * W, 0.0f, -h);
    as_interp(row, 150, n + 150);
    // The taxiway's outer edge steps out around the apron.
    const int a = round(static_cast<float>(n) * 0.1f), b = round(static_cast<float>(n) * 0.3f);
    as_grnd_xy(row, 200, 2.5f * W, 0.0f, h);
    as_grnd_xy(row, 200 + a, 2.5f * W, 0.0f, 0.4f * L);
    as_interp(row, 200, 200 + a);
    as_grnd_xy(row, 201 + a, 4.5f * W, 0.0f, 0.4f * L);
    as_grnd_xy(row, 201 + a + b, 4.5f * W, 0.0f, 0.1f * L);
    as_interp(row, 201 + a, 201 + a + b);
    as_grnd_xy(row, 202 + a + b, 2.5f * W, 0.0f, 0.1f * L);
    as_grnd_xy(row, n + 200, 2.5f * W, 0.0f, -h);
    as_interp(row, 202 + a + b, n + 200);
    // Connectors: the two edges running from the runway to the taxiway, four lights each.
    for (int g = 2; g <= 4; g++) {
        const int k = 527 + 8 * (g - 2);
        as_edge(row, g, k, k + 3, k + 7, k + 4);
        as_interp(row, k, k + 3);
        as_interp(row, k + 4, k + 7);
    }
    // Apron: its two edges across, five lights each (its outer edge has the taxiway's lights).
    as_edge(row, 5, 551, 555, 560, 556);
    as_interp(row, 551, 555);
    as_interp(row, 556, 560);
    // Threshold bars just beyond both ends.
    as_grnd_xy(row, 501, -0.5f * W, 0.5f, h + 2.0f);
    as_grnd_xy(row, 513, 0.5f * W, 0.5f, h + 2.0f);
    as_interp(row, 501, 513);
    as_grnd_xy(row, 514, -0.5f * W, 0.5f, -h - 2.0f);
    as_grnd_xy(row, 526, 0.5f * W, 0.5f, -h - 2.0f);
    as_interp(row, 514, 526);
    as_grnd_xy(row, OBSTRUCTION, -W, 27.0f, 0.0f);
}

// Turns a runway-frame point by the heading and moves it to the runway centre; y is added to the
// base height.
void place(float p[3], double c, double s, double cx, double cz, float base)
{
    const double x = p[0], z = p[2];
    p[0] = static_cast<float>(cx + c * x - s * z);
    p[1] = base + p[1];
    p[2] = static_cast<float>(cz + s * x + c * z);
}

}  // namespace

void as_grnd_xy(int row, int index, float x, float y, float z)
{
    if (!row_ok(row) || index < 0 || index >= GEO_LITES) return;
    geo_litexyz[row][index][0] = x;
    geo_litexyz[row][index][1] = y;
    geo_litexyz[row][index][2] = z;
    g_set[index] = true;
}

void as_interp(int row, int first, int last)
{
    if (!row_ok(row) || first < 0 || last >= GEO_LITES || last - first < 2) return;
    const float* a = geo_litexyz[row][first];
    const float* b = geo_litexyz[row][last];
    for (int k = first + 1; k < last; k++) {
        const float t = static_cast<float>(k - first) / static_cast<float>(last - first);
        as_grnd_xy(row, k, a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1]), a[2] + t * (b[2] - a[2]));
    }
}

void as_edge(int row, int group, int a, int b, int c, int d)
{
    if (!row_ok(row) || group < 0 || group >= GEO_MARKS) return;
    const int idx[4] = {a, b, c, d};
    for (int k = 0; k < 4; k++) {
        const float* p = geo_markxyz[row][group][k];
        as_grnd_xy(row, idx[k], p[0], p[1], p[2]);
    }
}

void as_mark_xy(int row, int group, float x1, float z2, float x2, float z1, float L, float W)
{
    if (!row_ok(row) || group < 0 || group >= GEO_MARKS) return;
    const float xs[4] = {x1, x2, x2, x1}, zs[4] = {z1, z1, z2, z2};
    for (int k = 0; k < 4; k++) {
        geo_markxyz[row][group][k][0] = xs[k] * W;
        geo_markxyz[row][group][k][1] = 0.0f;
        geo_markxyz[row][group][k][2] = zs[k] * L;
    }
}

int inside_marking(int row, int group, float x, float z, float tol)
{
    if (!row_ok(row) || group < 0 || group >= GEO_MARKS) return 0;
    float q[4][2];
    for (int k = 0; k < 4; k++) {
        q[k][0] = geo_markxyz[row][group][k][0];
        q[k][1] = geo_markxyz[row][group][k][2];
    }
    return inside_cw_chain(q, 4, x, z, tol);
}

void clear_region(int lite_row, int mark_row, int group)
{
    if (!row_ok(lite_row) || !row_ok(mark_row) || group < 0 || group >= GEO_MARKS) return;
    Run runs[8];
    const int nruns = clear_runs(lite_row, runs);
    for (int r = 0; r < nruns; r++) {
        for (int k = runs[r].first; k <= runs[r].last && k < GEO_LITES; k++) {
            float* p = geo_litexyz[lite_row][k];
            if (inside_marking(mark_row, group, p[0], p[2], CLEAR_TOL)) p[0] = p[2] = 0.0f;
        }
    }
}

int in_runway(int apt, int row, float x, float z)
{
    float q[4][2];
    if (row >= 0) {
        if (!row_ok(row)) return 0;
        runway_quad(row, q);
        return inside_cw_chain(q, 4, x, z, IN_RUNWAY_TOL);
    }
    if (apt < 0 || apt > apt_wrl_max || apt >= MAX_APT) return 0;
    for (int r = apt_lo_ind[apt]; r >= 0 && r <= apt_hi_ind[apt] && r <= rwy_wrl_max; r++) {
        const int g = rwy_geo_ind[r];
        if (!row_ok(g)) continue;
        runway_quad(g, q);
        if (inside_cw_chain(q, 4, x, z, IN_RUNWAY_TOL)) return 1;
    }
    return 0;
}

void setuprunway(int apt, int rwy, int row)
{
    if (!row_ok(row) || apt < 0 || apt > apt_wrl_max || apt >= MAX_APT || rwy < 0 || rwy > rwy_wrl_max ||
        rwy >= MAX_RWY)
        return;
    std::memset(geo_litexyz[row], 0, sizeof geo_litexyz[row]);
    std::memset(geo_markxyz[row], 0, sizeof geo_markxyz[row]);
    std::memset(g_set, 0, sizeof g_set);

    // 1. Surface and light kinds.
    int surface, A[2], B[2], C[2];
    code_to_lgts(&surface, A, B, C, rwy_lite[rwy]);
    geo_type[row] = surface;
    for (int e = 0; e < 2; e++) {
        geo_litgls[row][e] = A[e];
        geo_litrwy[row][e] = B[e];
        geo_litapp[row][e] = C[e];
    }

    // 2. Length-dependent runs: a light every 150 ft, every 10 ft on a pad, 10..49 of them. A width
    // or length below one metre (a few feet truncated to whole metres) is taken as one metre.
    const float L = static_cast<float>(intmax2(rwy_len[rwy], 1));
    const float W = static_cast<float>(intmax2(rwy_width[rwy], 1));
    const float h = 0.5f * L;
    const float len_ft = L * con.mtrstoft;
    const int n = intlim(round(len_ft < 500.0f ? len_ft / 10.0f : len_ft / 150.0f), 10, 49);
    geo_rmax1[row] = n;
    geo_rmax2[row] = n + 50;
    geo_RCLS[row] = n + 100;
    geo_tmax1[row] = n + 150;
    geo_tmax2[row] = n + 200;

    // 3. Markings: runway, parallel taxiway, three connectors, apron.
    as_mark_xy(row, 0, -0.5f, 0.5f, 0.5f, -0.5f, L, W);
    as_mark_xy(row, 1, 2.0f, 0.5f, 2.5f, -0.5f, L, W);
    as_mark_xy(row, 2, 0.5f, 0.5f, 2.0f, 0.45f, L, W);
    as_mark_xy(row, 3, 0.5f, 0.04f, 2.0f, -0.04f, L, W);
    as_mark_xy(row, 4, 0.5f, -0.45f, 2.0f, -0.5f, L, W);
    as_mark_xy(row, 5, 2.5f, 0.4f, 4.5f, 0.1f, L, W);

    // 4. Windsocks beside both ends, beyond the taxiway connectors.
    const float socks[2][3] = {{1.5f * W, 0.0f, -0.44f * L}, {1.5f * W, 0.0f, 0.44f * L}};
    std::memcpy(geo_sockxyz[row], socks, sizeof socks);

    // 5. Lights. End 1's approach block is built like end 0's and then turned half round.
    runway_lights(row, n, W, L, h);
    for (int e = 0; e < 2; e++) approach_lights(row, e, A[e], C[e], W, h);
    for (int k = 250 + END1; k <= 500 + END1; k++) {
        geo_litexyz[row][k][0] = -geo_litexyz[row][k][0];
        geo_litexyz[row][k][2] = -geo_litexyz[row][k][2];
    }

    // 7 (in the runway frame). Flasher runs: from beyond the farthest approach light toward the
    // threshold, one lead-in spacing per step; where there is a flasher its light starts there.
    float start[2][3], step[2][3];
    for (int e = 0; e < 2; e++) {
        const float sign = e == 0 ? 1.0f : -1.0f;
        const float dist = h + (C[e] == 6 ? 500.0f : 1050.0f);
        start[e][0] = 0.0f;
        start[e][1] = 0.0f;
        start[e][2] = sign * dist;
        const float* p0 = geo_litexyz[row][e * END1 + 250];
        const float* p1 = geo_litexyz[row][e * END1 + 251];
        for (int k = 0; k < 3; k++) step[e][k] = p1[k] - p0[k];
        if (C[e] >= 3 && C[e] <= 6) as_grnd_xy(row, e * END1 + STROBE, start[e][0], start[e][1], start[e][2]);
    }

    // 6. Into the region frame.
    const double hd = rwy_hdng[rwy] * PI / 180.0, c = std::cos(hd), s = std::sin(hd);
    const double cx = X_with_latlon(rwy_lat[rwy], rwy_lon[rwy]), cz = Z_with_lat(rwy_lat[rwy]);
    const float elev = apt_h[apt];
    for (int k = 0; k < GEO_LITES; k++)
        if (g_set[k]) place(geo_litexyz[row][k], c, s, cx, cz, elev);
    for (int g = 0; g < GEO_MARKS; g++)
        for (int k = 0; k < 4; k++) place(geo_markxyz[row][g][k], c, s, cx, cz, elev);
    for (int e = 0; e < 2; e++) {
        place(geo_sockxyz[row][e], c, s, cx, cz, elev + 5.0f);
        place(start[e], c, s, cx, cz, elev);
        // A step is a direction: turned, not moved.
        const float dx = step[e][0], dz = step[e][2];
        geo_rabDxyz[row][e][0] = static_cast<float>(c * dx - s * dz);
        geo_rabDxyz[row][e][1] = step[e][1];
        geo_rabDxyz[row][e][2] = static_cast<float>(s * dx + c * dz);
        std::memcpy(geo_rabSxyz[row][e], start[e], sizeof start[e]);
    }

    // 8. Lights under the runway's own connectors.
    for (int g = 2; g <= 4; g++) clear_region(row, row, g);

    // 9. Against the airport's other runways built so far, both ways round.
    for (int ri = apt_lo_ind[apt]; ri >= 0 && ri <= apt_hi_ind[apt] && ri <= rwy_wrl_max; ri++) {
        const int i = rwy_geo_ind[ri];
        if (!row_ok(i)) continue;
        for (int rj = apt_lo_ind[apt]; rj <= apt_hi_ind[apt] && rj <= rwy_wrl_max; rj++) {
            const int j = rwy_geo_ind[rj];
            if (!row_ok(j) || j == i || (i != row && j != row)) continue;
            for (int g = 0; g < GEO_MARKS; g++) clear_region(i, j, g);
            for (int e = 0; e < 2; e++)
                if (in_runway(apt, j, geo_sockxyz[i][e][0], geo_sockxyz[i][e][2])) geo_sockxyz[i][e][1] = HIDDEN_SOCK;
        }
    }
}

void step_flashers(int restart)
{
    for (int l = 0; l < apt_lcl_num && l < LCL_MAX; l++) {
        const int a = apt_to_index[l];
        if (a < 0 || a > apt_wrl_max || a >= MAX_APT) continue;
        for (int r = apt_lo_ind[a]; r >= 0 && r <= apt_hi_ind[a] && r <= rwy_wrl_max; r++) {
            const int g = rwy_geo_ind[r];
            if (!row_ok(g)) continue;
            for (int e = 0; e < 2; e++) {
                if (geo_litapp[g][e] < 3 || geo_litapp[g][e] > 6) continue;
                float* p = geo_litexyz[g][e * END1 + STROBE];
                for (int k = 0; k < 3; k++) p[k] = restart ? geo_rabSxyz[g][e][k] : p[k] + geo_rabDxyz[g][e][k];
            }
        }
    }
}
