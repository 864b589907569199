// fltmath.h -- inline arithmetic for the per-element loops of the flight model, so the compiler
// can keep those loops free of calls. Same rules as the library's interp, fltlim and pythag.
#pragma once
#include <cmath>

// y0 + (y1 - y0) / (x1 - x0) * (x - x0); callers never pass x1 == x0.
inline float lerp_at(float x0, float y0, float x1, float y1, float x) { return y0 + (y1 - y0) / (x1 - x0) * (x - x0); }
// lo when x < lo, hi when x > hi, else x (NaN passes through).
inline float clampf(float x, float lo, float hi) { return x < lo ? lo : (x > hi ? hi : x); }
inline float hypotf2(float a, float b) { return std::sqrt(a * a + b * b); }

// atan2(y, x) in radians, the float the exact angle rounds to (the library's own to within its
// last bit), at a fraction of the library call's work: the per-element loops take one for every
// element of every lifting part and propeller blade.
// The smaller side over the larger gives an angle of 0..45 degrees; it is measured from the
// nearest of 0, 22.5 and 45 degrees, (a - c b) / (b + c a) with c that angle's tangent (a single
// division), which leaves at most 11.25 degrees, where the arc tangent's series to its seventh term
// is exact to 1e-11 of the angle. All in double, so the float result is rounded once.
inline float atan2_el(float y, float x)
{
    const double ax = std::fabs((double)x), ay = std::fabs((double)y);
    // Zero, infinite and NaN arguments take the library's path, with its conventions.
    if (!(ax + ay < HUGE_VAL) || ax + ay == 0.0) return std::atan2(y, x);
    const double big = ax > ay ? ax : ay, small = ax > ay ? ay : ax;
    constexpr double T1 = 0.19891236737965800691;   // tan(11.25 degrees)
    constexpr double T3 = 0.66817863791929891999;   // tan(33.75 degrees)
    constexpr double C1 = 0.41421356237309504880;   // tan(22.5 degrees)
    constexpr double PI8 = 0.39269908169872415481;  // 22.5 degrees
    double c = 0.0, base = 0.0;
    if (small > T3 * big) {
        c = 1.0;
        base = 2.0 * PI8;
    } else if (small > T1 * big) {
        c = C1;
        base = PI8;
    }
    const double u = (small - c * big) / (big + c * small);
    // atan(u) = u (1 - z/3 + z^2/5 - ... + z^6/13) with z = u^2, the terms paired (Estrin's
    // scheme) so that the sum waits on three products in a row rather than seven.
    const double z = u * u, z2 = z * z, z4 = z2 * z2;
    const double p01 = 1.0 - z * (1.0 / 3.0), p23 = 1.0 / 5.0 - z * (1.0 / 7.0), p45 = 1.0 / 9.0 - z * (1.0 / 11.0);
    const double poly = (p01 + z2 * p23) + z4 * (p45 + z2 * (1.0 / 13.0));
    double r = base + u * poly;
    if (ay > ax) r = 4.0 * PI8 - r;
    if (x < 0.0f) r = 8.0 * PI8 - r;
    return (float)std::copysign(r, (double)y);
}
