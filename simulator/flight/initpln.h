// initpln.h -- loading an aircraft file with its part files into working SI units, and the derived
// geometry, mass properties and design checks that finish it.
#pragma once

// The default trainer, flown when the user's aircraft cannot be found: its folder below the
// program folder (ending in "/") and its file name.
extern const char* const DEFAULT_PLANE_DIR;
extern const char* const DEFAULT_PLANE_FILE;

// Loads pln[p].C_path into pln[p] and afl[p] (p 0 the user's aircraft, 1 the second). Returns 0
// when the file is missing or refused (the second aircraft is then absent; a refused file leaves
// the aircraft already loaded as it was), else 1. A missing user's aircraft falls back to the
// default trainer; without that the program ends.
int load_plane(int p);
// Derived quantities, flap tables and design checks of a converted, CG-relative pln[p].
void finish_plane(int p);

// The part's name for messages and the report ("" past the last part).
const char* part_name(int p, int a);
// Horizontal separation (logical pixels) between panel locations a and b of aircraft p.
int ret_ins_sep(int a, int b, int p);
// One row of a circle of radius r at height *y: its left and right x; *y then steps by 1.
void work_down_circle(float r, float* y, float* left, float* right);

// Area of the triangle of three points.
float findarea(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3);
// Downwash (degrees per unit lift coefficient) of a wing of aspect ratio AR and taper TR on a
// surface xsep semi-spans behind and zsep semi-spans above or below it.
float findspecwash(float zsep, float xsep, float AR, float TR);
// Two-way straight-line look-up in a 3 by 3 table: rows at x1 < x2 < x3, columns at y1 > y2 > y3,
// values row by row; the outer pairs extend beyond the table.
float interp9(float x1, float x2, float x3, float y1, float y2, float y3, const float v[9], float x, float y);
