// initgen.h -- the simulator's general start-up: output file, random seed, sound and speech, the
// air-density table, the panel's pixel pictures, the stars, the ship models and the defaults.
#pragma once

#include "nature_draw.h"   // the stars (star_xyz), placed here once
#include "ship_model.h"      // the ship and oil-rig models, filled here once

// Everything above and the air-density table (fill_density_table), in start-up order;
// `MACIBM_init` has run (constants, window).
void init_gen(void);

// The panel's pixel pictures: the drum digits, the speed scale and the two compass cards of ins.
void fill_tapes(void);
// The symbols of the glass map: an airport ring, an NDB star and a VOR hexagon with its centre cross.
void fill_nav_pics(void);
// Draws digit into a map of rows by cols colour indices ([row][column], row 0 at the bottom): the
// 5 by 7 font's lit dots become 0, centred on column `col` with its bottom row at `row`; every cell
// index wraps into the map, so a digit at an edge continues on the opposite edge.
void init_tape(int* map, int rows, int cols, int col, int row, int digit);
// Navigation picture n: the closed outline through ten points (x0, y0, x1, y1, ..): segment k
// joins point k to point k + 1, the last one back to the first.
void init_nav_pic(int n, const int pts[20]);
// Segment s of navigation picture n.
void init_nav_pic_line(int n, int s, int x1, int y1, int x2, int y2);
