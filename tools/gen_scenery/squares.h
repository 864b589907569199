// squares.h -- the scenery squares of the default region built from the relief and written out.
#pragma once
#include "relief.h"

struct env_square;

// The default region: latitudes 33 to 35, longitudes -119 to -116.
constexpr int SC_LAT_SOU = 33, SC_LON_WES = -119;

// Fills sq with the square whose south-west corner is (lat, lon): the heights of its points, the
// water of its cells and the obstacles standing in it.
void sc_make_square(const sc_world& w, int lat, int lon, env_square* sq);

// Writes the six squares of the default region below the program folder, each at the path the
// simulator looks for first. Returns the number of squares written.
int sc_write_region(const sc_world& w, const char* program_dir);
