// wxgrid.cpp -- the weather-intensity grid and the cloud sheet: midpoint displacement per sector and
// the block moves of a region shift.
#include "wxgrid.h"

#include "hl_funct.h"
#include "hl_types.h"
#include "hl_wxr.h"

#include <cstring>

namespace {

constexpr int WX_SECTOR = 210;     // weather cells per degree and per sector side
constexpr int CLOUD_SECTOR = 16;   // cloud cells per sector side
constexpr int MAX_LEVEL = 16;      // 2^16 blocks per side is far below any grid's cell count

// Piecewise-linear value at t on the polyline (t0, v0), (tm, vm), (t1, v1), t0 <= tm <= t1.
float through3(int t0, float v0, int tm, float vm, int t1, float v1, int t)
{
    if (t < tm) return interp(static_cast<float>(t0), v0, static_cast<float>(tm), vm, static_cast<float>(t));
    return interp(static_cast<float>(tm), vm, static_cast<float>(t1), v1, static_cast<float>(t));
}

// One element of a strided grid.
struct Grid {
    float* g;
    int rowlen, stride, comp;
    float& at(int i, int j) const { return g[(i * rowlen + j) * stride + comp]; }
};

// Level step 2 for one block: its centre displaced, then the centre row, the centre column and the
// inside re-interpolated.
void displace_block(const Grid& g, int I, int S, int J, int T, int F, int H, float dv)
{
    g.at(F, H) += dv;
    for (int i = I + 1; i < S; i++)
        if (i != F) g.at(i, H) = through3(I, g.at(I, H), F, g.at(F, H), S, g.at(S, H), i);
    for (int j = J + 1; j < T; j++)
        if (j != H) g.at(F, j) = through3(J, g.at(F, J), H, g.at(F, H), T, g.at(F, T), j);
    for (int i = I + 1; i < S; i++) {
        if (i == F) continue;
        for (int j = J + 1; j < T; j++) {
            if (j == H) continue;
            const float along_i = through3(I, g.at(I, j), F, g.at(F, j), S, g.at(S, j), i);
            const float along_j = through3(J, g.at(i, J), H, g.at(i, H), T, g.at(i, T), j);
            g.at(i, j) = 0.5f * (along_i + along_j);
        }
    }
}

// Moves the block [i_lo..i_hi] x [j_lo..j_hi] of a grid of ni by nj elements of `width` floats by
// (di, dj), in the order that never overwrites a source before it is read.
void move_block(float* grid, int ni, int nj, int width, int i_lo, int i_hi, int j_lo, int j_hi, int di, int dj)
{
    const int n_i = i_hi - i_lo, n_j = j_hi - j_lo;
    for (int a = 0; a <= n_i; a++) {
        const int i = di > 0 ? i_hi - a : i_lo + a;
        for (int b = 0; b <= n_j; b++) {
            const int j = dj > 0 ? j_hi - b : j_lo + b;
            const int ti = i + di, tj = j + dj;
            if (i < 0 || i >= ni || j < 0 || j >= nj || ti < 0 || ti >= ni || tj < 0 || tj >= nj) continue;
            std::memcpy(grid + (ti * nj + tj) * width, grid + (i * nj + j) * width, sizeof(float) * width);
        }
    }
}

}  // namespace

void fractalize(int i1, int j1, int i2, int j2, float* grid, int rowlen, int stride, int comp, float lo, float hi,
                int first_level, int last_level)
{
    const Grid g{grid, rowlen, stride, comp};
    for (int level = intmax2(first_level, 0); level <= intmin2(last_level, MAX_LEVEL); level++) {
        const int n = 1 << level;
        const float w = 1.0f / static_cast<float>(n);
        const int bi = static_cast<int>(static_cast<float>(i2 - i1) * w);
        const int bj = static_cast<int>(static_cast<float>(j2 - j1) * w);
        // Blocks narrower than one cell would pile every draw onto the rectangle's own edge.
        if (bi < 1 || bj < 1) break;
        for (int a = 0; a < n; a++) {
            for (int b = 0; b < n; b++) {
                const int I = i1 + a * bi, S = I + bi;
                const int J = j1 + b * bj, T = J + bj;
                const int F = (2 * i1 + bi * (2 * a + 1)) / 2;
                const int H = (2 * j1 + bj * (2 * b + 1)) / 2;
                displace_block(g, I, S, J, T, F, H, fltrand(lo, hi) * w);
            }
        }
    }
}

void gen_wx_for_sec(int tile)
{
    if (tile < 0 || tile > 5) return;
    const int i1 = WX_SECTOR * (tile % 3), i2 = i1 + WX_SECTOR;
    const int j1 = tile < 3 ? WX_SECTOR : 0, j2 = j1 + WX_SECTOR;
    for (int i = i1; i <= i2; i++)
        for (int j = j1; j <= j2; j++) atm.wxr[i][j] = 0.0f;
    fractalize(i1, j1, i2, j2, &atm.wxr[0][0], WXR_GRID_NJ, 1, 0, -3.0f, 3.0f, 1, 4);
    for (int i = i1; i <= i2; i++)
        for (int j = j1; j <= j2; j++) atm.wxr[i][j] = fltlim(atm.wxr[i][j], 0.0f, 1.0f);
}

void fill_a_sector_with_ocast(int c, int r)
{
    if (c < 0 || c > 4 || r < 0 || r > 3) return;
    const int i1 = CLOUD_SECTOR * c, i2 = i1 + CLOUD_SECTOR;
    const int j1 = CLOUD_SECTOR * r, j2 = j1 + CLOUD_SECTOR;
    const float d = con.fttomtrs * 1000.0f * 0.5f;
    for (int i = i1; i <= i2; i++)
        for (int j = j1; j <= j2; j++) cloudxyz[i][j][1] = -d;
    fractalize(i1, j1, i2, j2, &cloudxyz[0][0][0], CLOUD_NJ, 3, 1, -2.0f * d, 2.0f * d, 1, 4);
    // The region's west and east edges lie on columns 16 and 64, its south and north edges on rows
    // 16 and 48; the sheet runs on evenly beyond them.
    for (int i = i1; i <= i2; i++) {
        for (int j = j1; j <= j2; j++) {
            float* p = cloudxyz[i][j];
            p[0] = interp(16.0f, env.lox, 64.0f, env.hix, static_cast<float>(i));
            p[2] = interp(16.0f, env.hiz, 48.0f, env.loz, static_cast<float>(j));
            // Lower bulges are darker; the shade is not clamped.
            const float shade = interp(-2.0f * d, 0.4f, 0.0f, 1.0f, p[1]);
            cloudrgb[i][j][0] = cloudrgb[i][j][1] = cloudrgb[i][j][2] = shade;
        }
    }
}

void shift_weather(int c1, int c2, int r1, int r2, int di, int dj)
{
    move_block(&atm.wxr[0][0], WXR_GRID_NI, WXR_GRID_NJ, 1, c1 * WX_SECTOR, c2 * WX_SECTOR, r1 * WX_SECTOR,
               r2 * WX_SECTOR, di, dj);
}

void shift_cloud(int c1, int c2, int r1, int r2, int di, int dj)
{
    const int i_lo = c1 * CLOUD_SECTOR, i_hi = c2 * CLOUD_SECTOR, j_lo = r1 * CLOUD_SECTOR, j_hi = r2 * CLOUD_SECTOR;
    move_block(&cloudxyz[0][0][0], CLOUD_NI, CLOUD_NJ, 3, i_lo, i_hi, j_lo, j_hi, di, dj);
    move_block(&cloudrgb[0][0][0], CLOUD_NI, CLOUD_NJ, 3, i_lo, i_hi, j_lo, j_hi, di, dj);
}
