// wxgrid.h -- the region's two random fields: the weather-intensity grid atm.wxr and the cloud sheet
// cloudxyz / cloudrgb, made one sector at a time by midpoint displacement and moved on region shifts.
#pragma once

// Displaces the rectangle [i1..i2] x [j1..j2] of a float grid in place, levels first_level to
// last_level. Element (i, j) is grid[(i * rowlen + j) * stride + comp]. Level L cuts the rectangle
// into 2^L by 2^L blocks (sizes truncated, so a remainder at the high edges stays as it is), adds
// fltrand(lo, hi) / 2^L to each block's centre and re-interpolates the block's inside from its edge
// lines and its centre cross. Block edges are never displaced. The random draws go level by level,
// blocks in a-major (first index), b-minor order.
void fractalize(int i1, int j1, int i2, int j2, float* grid, int rowlen, int stride, int comp, float lo, float hi,
                int first_level, int last_level);

// Regenerates the weather sector of scenery tile 0..5: column tile mod 3, and (the grid's second
// index running north to south) rows 210..420 for the southern tiles 0..2, 0..210 for the northern.
// The sector, edges included, starts at 0; afterwards every value lies in 0..1 and its outer edges
// are 0.
void gen_wx_for_sec(int tile);

// Regenerates cloud sector (c 0..4, r 0..3): columns 16c..16c+16, rows 16r..16r+16. Heights y
// (relative to the layer) scatter around -152.4 m (half of 1000 ft) by up to twice that; x and z
// follow the region's edges, which lie on cloud columns 16 and 64 and rows 16 (south) and 48
// (north); the grey shade runs from 0.4 at y = -304.8 m to 1 at y = 0, unclamped.
void fill_a_sector_with_ocast(int c, int r);

// Move the points c1*210..c2*210 by r1*210..r2*210 of the weather grid, or c1*16..c2*16 by
// r1*16..r2*16 of the cloud sheet (points and shades), by (di, dj), copying away from the
// destination side so that no point is overwritten before it has moved. Targets outside the grid are
// dropped.
void shift_weather(int c1, int c2, int r1, int r2, int di, int dj);
void shift_cloud(int c1, int c2, int r1, int r2, int di, int dj);
