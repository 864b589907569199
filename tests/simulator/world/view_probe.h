// view_probe.h -- test support for reading the outside view back where things should be: the
// drawable pixel a region point falls on, worked out by hand from the camera (its place, heading,
// pitch and roll) and the frustum the frame used, the fixed pictures loaded with the terrain's, and
// the pixels two frames differ in.
#pragma once
#include "alloc_count.h"
#include "hl_graph.h"
#include "lax.h"
#include "nature_draw.h"
#include "scenery.h"
#include "scenery_world.h"
#include "view.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

// Loads the runway, building, tree, fire and other fixed pictures as the program does, and places
// the stars as start-up does.
inline void load_fixed_textures(void)
{
    place_stars();
    int n;
    const lax_tex* fixed = load_texes_fixed(&n);
    for (int k = 0; k < n; k++) OGL_texbmp(TEXBMP_FAMILY, fixed[k].tex, fixed[k].alpha, fixed[k].name);
}

struct Pixel {
    double x, y;      // drawable pixels, y up
    bool in_front;    // the point lies in front of the camera
};

// The pixel of region point (x, y, z) in the last frame: the camera's turns in the order the view
// makes them (heading about y, then pitch about x, then roll about z), the perspective divide by
// the frustum's half extents at the near plane, and the full-screen viewport.
inline Pixel project(const Frame& f, double x, double y, double z)
{
    const double deg = 3.14159265358979 / 180.0;
    const scenery_frame fr = scenery_last_frame();
    double px = x - con.VIEW_xyz[0], py = y - con.VIEW_xyz[1], pz = z - con.VIEW_xyz[2];
    const double a = scn.psi * deg, b = -scn.the * deg, c = scn.phi * deg;
    // About y by the heading.
    double x1 = px * std::cos(a) + pz * std::sin(a), z1 = -px * std::sin(a) + pz * std::cos(a), y1 = py;
    // About x by minus the pitch.
    double y2 = y1 * std::cos(b) - z1 * std::sin(b), z2 = y1 * std::sin(b) + z1 * std::cos(b), x2 = x1;
    // About z by the roll.
    double x3 = x2 * std::cos(c) - y2 * std::sin(c), y3 = x2 * std::sin(c) + y2 * std::cos(c);
    Pixel p;
    p.in_front = z2 < 0.0;
    const double nx = fr.near_clip * x3 / -z2 / fr.half_w, ny = fr.near_clip * y3 / -z2 / fr.half_h;
    p.x = (nx + 1.0) * 0.5 * f.w;
    p.y = (ny + 1.0) * 0.5 * f.h;
    return p;
}

inline Pixel project(const Frame& f, const float p[3]) { return project(f, p[0], p[1], p[2]); }

inline const uint8_t* px_at(const Frame& f, double x, double y)
{
    const int ix = static_cast<int>(std::lround(x)), iy = static_cast<int>(std::lround(y));
    if (ix < 0 || iy < 0 || ix >= f.w || iy >= f.h) return nullptr;
    return f.px(ix, iy);
}

// The brightest pixel (sum of the three channels) within r pixels of (x, y).
inline int brightest_near(const Frame& f, double x, double y, int r, int* bx = nullptr, int* by = nullptr)
{
    int best = -1;
    for (int dy = -r; dy <= r; dy++) {
        for (int dx = -r; dx <= r; dx++) {
            const uint8_t* p = px_at(f, x + dx, y + dy);
            if (!p) continue;
            const int s = p[0] + p[1] + p[2];
            if (s > best) {
                best = s;
                if (bx) *bx = static_cast<int>(std::lround(x)) + dx;
                if (by) *by = static_cast<int>(std::lround(y)) + dy;
            }
        }
    }
    return best;
}

// Where two frames of the same size differ by more than `tol` in some channel: the count and the
// centroid of those pixels.
struct Diff {
    int n = 0;
    double cx = 0, cy = 0;
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;   // their bounding box
};
inline Diff diff(const Frame& a, const Frame& b, int tol = 24)
{
    Diff d;
    for (int y = 0; y < a.h && y < b.h; y++) {
        for (int x = 0; x < a.w && x < b.w; x++) {
            const uint8_t* p = a.px(x, y);
            const uint8_t* q = b.px(x, y);
            if (std::abs(p[0] - q[0]) <= tol && std::abs(p[1] - q[1]) <= tol && std::abs(p[2] - q[2]) <= tol) continue;
            d.n++;
            d.cx += x;
            d.cy += y;
            d.x0 = std::min(d.x0, x);
            d.y0 = std::min(d.y0, y);
            d.x1 = std::max(d.x1, x);
            d.y1 = std::max(d.y1, y);
        }
    }
    if (d.n) {
        d.cx /= d.n;
        d.cy /= d.n;
    }
    return d;
}

// The allocations of `frames` outside-view frames, msc.elap_time stepping a sixtieth of a second
// from 0. The software renderer compiles each new combination of drawing state once, in C++, which
// the counting allocator sees: the same frames are drawn once before they are counted.
inline long allocations_of_frames(int frames)
{
    auto run = [&] {
        msc.elap_time = 0.0f;
        for (int k = 0; k < frames; k++) {
            msc.elap_time += 1.0f / 60.0f;
            update_scenery();
        }
    };
    run();
    const long before = counted_allocations();
    run();
    return counted_allocations() - before;
}

// How often one outside-view frame binds each texture number below TEXTURES_COUNTED.
constexpr int TEXTURES_COUNTED = 4096;
inline void binds_of_a_frame(int32_t binds[TEXTURES_COUNTED])
{
    std::memset(binds, 0, sizeof(int32_t) * TEXTURES_COUNTED);
    OGL_count_binds(binds, TEXTURES_COUNTED);
    update_scenery();
    OGL_count_binds(nullptr, 0);
}
