// genwrld.h -- the scenery region: three one-degree squares west to east by two south to north
// around the aircraft, loaded whole or shifted by a square as the aircraft nears an edge, and the
// reading of one square into one of its six tiles.
//
// The region's metres (X east, Z south) follow one continuous conversion from latitude and
// longitude for the whole flight: a shift moves the grid and reads the new squares in the same
// frame, so positions, ground heights and the conversions in both directions stay as they were.
#pragma once

// Builds the whole region at (env.lat_sou, env.lon_wes) (type 1), or shifts it by one square after
// the caller has moved env.lon_wes or env.lat_sou by one: 2 west, 3 east, 4 north, 5 south.
void load_region(int type);

// Reads the square at (lat, lon) into tile 0..5 (column tile mod 3, row tile / 3): a missing
// square becomes flat water at sea level; a damaged one too, after a notice.
void read_quadrant(int lat, int lon, int tile);

// Moves the grid points c1*59..c2*59 by r1*79..r2*79 by (di, dj), with everything kept per point
// and per cell, and moves the aircraft's and viewpoint's cell indexes with them.
void shift_geo(int c1, int c2, int r1, int r2, int di, int dj);

// The shift the aircraft at (lat, lon) needs, first test that holds: 2 west, 3 east, 5 south,
// 4 north, or 0. A shift moves env.lon_wes or env.lat_sou by one; the caller then calls
// load_region with the type.
int region_shift_for(double lat, double lon);

// Where a position (lat, lon) lies in a region freshly loaded at (lat_sou, lon_wes), as metres east
// of its western edge and south of its northern edge: what a saved position must hold so that a
// region loaded anew at that corner puts the aircraft back where it was, however often the region
// had shifted meanwhile.
void region_fresh_offsets(int lat_sou, int lon_wes, double lat, double lon, double* east, double* south);

// The x and z ranges (m) of the ground a runway and its parallel taxiway cover, in the region: from
// the runway's left edge to the taxiway's outer edge, as its geometry row lays them out. Empty
// (x1 < x0) for a runway without a geometry row.
void runway_outline(int rwy, float* x0, float* x1, float* z0, float* z1);
