// rwygeo.h -- runway geometry of the region: marking rectangles, light points, windsocks and
// approach flashers built from the runway database, the on-runway test and the flasher animation.
//
// A runway is built in its own frame: x across (m, to the right looking from end 0), z along it
// (+L/2 at end 0's threshold, -L/2 at end 1's), y up; then turned by its heading and moved to its
// centre in the region frame (x east, z south).
#pragma once

// Builds geometry row `row` (0..149) from world runway rwy of world airport apt: surface and light
// kinds, light-run ends, the six marking rectangles, the 813 light points, the windsocks and the
// flasher runs; then hides the lights under its own connectors and, against every other runway of
// the airport built so far, the lights standing on the other's rectangles and a windsock standing
// on the other runway.
void setuprunway(int apt, int rwy, int row);

// 1 when (x, z) lies on geometry row `row`'s runway or parallel taxiway, within 25 m; with row -1
// on any built runway of world airport apt.
int in_runway(int apt, int row, float x, float z);

// The runway of geometry row `row` and its parallel taxiway as one clockwise quadrilateral of
// (x, z) corners: the runway's left edge and the taxiway's outer edge, from end 0 along the left
// edge first. Taken from the marking rectangles, which nothing hides.
void runway_quad(int row, float q[4][2]);

// 1 when (x, z) lies inside marking rectangle `group` (0..5) of geometry row `row`, each edge
// missed by at most tol metres.
int inside_marking(int row, int group, float x, float z, float tol);

// Hides (x and z set to 0) the lights of geometry row `lite_row`, in the runs that can reach
// another surface, that stand inside marking rectangle `group` of row `mark_row`.
void clear_region(int lite_row, int mark_row, int group);

// The approach flashers of the local airports' runway ends with approach lights of kinds 3 to 6:
// restart 1 puts each end's moving light (point 280, 591 for end 1) on its start point, 0 moves it
// one step toward the runway.
void step_flashers(int restart);

// Building blocks of setuprunway, in the runway's own frame (before the turn):
// light `index` of row `row` at (x, y, z);
void as_grnd_xy(int row, int index, float x, float y, float z);
// every light strictly between `first` and `last` on the straight line between them;
void as_interp(int row, int first, int last);
// the four corners of marking rectangle `group` into lights a, b, c, d;
void as_edge(int row, int group, int a, int b, int c, int d);
// marking rectangle `group` over x1*W..x2*W by z1*L..z2*L, corners in clockwise order seen from
// above: (x1, z1), (x2, z1), (x2, z2), (x1, z2).
void as_mark_xy(int row, int group, float x1, float z2, float x2, float z1, float L, float W);
