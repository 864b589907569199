// fltmath.h -- inline arithmetic for the per-element loops of the flight model, so the compiler
// can keep those loops free of calls. Same rules as the library's interp, fltlim and pythag.
#pragma once
#include <cmath>

// y0 + (y1 - y0) / (x1 - x0) * (x - x0); callers never pass x1 == x0.
inline float lerp_at(float x0, float y0, float x1, float y1, float x) { return y0 + (y1 - y0) / (x1 - x0) * (x - x0); }
// lo when x < lo, hi when x > hi, else x (NaN passes through).
inline float clampf(float x, float lo, float hi) { return x < lo ? lo : (x > hi ? hi : x); }
inline float hypotf2(float a, float b) { return std::sqrt(a * a + b * b); }
