// gbm_runway.cpp -- runway pictures: the asphalt and concrete marking sets, the grass, dirt and
// gravel surfaces and the windsock.
//
// A runway segment is one runway width long. Its picture is drawn in ground units of that width:
// gx across the runway (0 at the pilot's left, 1 at the right, as seen approaching the nearer
// threshold) and gy along it (0 nearest the pilot). Digit pictures cover half a segment's width
// (tens digits the left half, units digits the right), so both halves of a number share the
// segment's ground frame and their pavement, side stripes and joints line up. Every picture
// repeats seamlessly along gy, and the plain pavement pictures also across.
#include "gbm_local.h"

#include <algorithm>

namespace {

const char* g_runway_names[RWY_COUNT] = {
    "rway_0L", "rway_1L", "rway_2L", "rway_3L", "rway_0R", "rway_1R", "rway_2R", "rway_3R",
    "rway_4R", "rway_5R", "rway_6R", "rway_7R", "rway_8R", "rway_9R", "rway_L",  "rway_C",
    "rway_R",  "rway_turn", "rway_pave", "rway_disp", "rway_thld", "rway_tdzm", "rway_fdmk", "rway_line",
};

const GbmColor kWhitePaint = {238, 238, 232};
const GbmColor kYellowPaint = {224, 178, 40};

using Glyph = std::vector<std::vector<GbmPt>>;

// Glyph strokes are centre lines in a box 1 wide and 3 tall with a stroke 0.25 wide.
const float kA = 0.125f, kL = kA, kR = 1.0f - kA, kB = kA, kT = 3.0f - kA;

void arc(std::vector<GbmPt>& p, float cx, float cy, float rx, float ry, float a0, float a1)
{
    const float deg = 3.14159265f / 180.0f;
    int steps = std::max(4, static_cast<int>(std::fabs(a1 - a0) / 7.5f));
    for (int i = 0; i <= steps; i++) {
        float a = (a0 + (a1 - a0) * i / steps) * deg;
        p.push_back(GbmPt{cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
}

Glyph glyph_for(char c)
{
    Glyph g;
    std::vector<GbmPt> p;
    switch (c) {
    case '0':
        arc(p, 0.5f, kT - 0.6f, 0.375f, 0.6f, 0, 180);
        arc(p, 0.5f, kB + 0.6f, 0.375f, 0.6f, 180, 360);
        p.push_back(p.front());
        break;
    case '1':
        p = {{0.58f, kB}, {0.58f, kT}, {0.26f, 2.42f}};
        break;
    case '2':
        arc(p, 0.5f, 2.275f, 0.375f, 0.6f, 165, -25);
        p.push_back({kL, kB});
        p.push_back({kR, kB});
        break;
    case '3':
        arc(p, 0.5f, 2.25f, 0.36f, 0.625f, 160, -90);
        arc(p, 0.5f, 0.85f, 0.375f, 0.725f, 90, -200);
        break;
    case '4':
        p = {{0.68f, kB}, {0.68f, kT}, {kL, 1.05f}, {kR, 1.05f}};
        break;
    case '5':
        p = {{kR, kT}, {kL + 0.03f, kT}, {kL, 1.72f}, {0.45f, 1.72f}};
        arc(p, 0.48f, 0.92f, 0.395f, 0.8f, 90, -160);
        break;
    case '6':
    case '9':
        arc(p, 0.5f, 2.275f, 0.375f, 0.6f, 25, 180);
        p.push_back({kL, 0.85f});
        arc(p, 0.5f, 0.85f, 0.375f, 0.725f, 180, 540);
        if (c == '9')
            for (GbmPt& q : p) q = GbmPt{1.0f - q.x, 3.0f - q.y};
        break;
    case '7':
        p = {{kL, kT}, {kR, kT}, {0.38f, kB}};
        break;
    case '8':
        arc(p, 0.5f, 2.27f, 0.33f, 0.605f, 0, 360);
        g.push_back(p);
        p.clear();
        arc(p, 0.5f, 0.85f, 0.375f, 0.725f, 0, 360);
        break;
    case 'L':
        p = {{kL, kT}, {kL, kB}, {kR, kB}};
        break;
    case 'C':
        arc(p, 0.5f, 2.275f, 0.375f, 0.6f, 15, 180);
        arc(p, 0.5f, 0.725f, 0.375f, 0.6f, 180, 345);
        break;
    case 'R':
        p = {{kL, kB}, {kL, kT}, {0.55f, kT}};
        arc(p, 0.55f, 2.2125f, 0.325f, 0.6625f, 90, -90);
        p.push_back({kL, 1.55f});
        g.push_back(p);
        p = {{0.5f, 1.55f}, {kR, kB}};
        break;
    default:
        break;
    }
    g.push_back(p);
    return g;
}

// The part of one runway segment a picture covers, in ground units.
struct Frame {
    float x0, xspan;  // gx of the picture's left edge and its width
    float pw, ph;     // one pixel's ground size
    int w, h;
};

Frame frame_for(const GbmImage& img, int which)
{
    Frame f;
    f.w = img.w;
    f.h = img.h;
    f.x0 = 0.0f;
    f.xspan = 1.0f;
    if (which < RWY_UNITS0) {
        f.xspan = 0.5f;
    } else if (which < RWY_L) {
        f.x0 = 0.5f;
        f.xspan = 0.5f;
    }
    f.pw = f.xspan / img.w;
    f.ph = 1.0f / img.h;
    return f;
}

// Pavement colour at a ground point (periodic with period 1 in both directions).
GbmColor pavement(int set, float gx, float gy, float pw)
{
    float low = gbm_fbm(gx, gy, 3, 3, 0.5f, 101 + set);
    float grain = 0.5f * gbm_noise(gx, gy, 256, 103 + set) + 0.5f * gbm_noise(gx, gy, 512, 105 + set);
    float stain = gbm_fbm(gx, gy, 8, 4, 0.55f, 107 + set);
    if (set == 0) {
        GbmColor c = gbm_mix(gbm_rgb(58, 58, 60), gbm_rgb(76, 75, 74), low);
        c = gbm_scale(c, 0.86f + 0.28f * grain);
        return gbm_mix(c, gbm_rgb(44, 44, 46), 0.5f * gbm_smooth(0.6f, 0.75f, stain));
    }
    // Concrete slabs, six across and six along a segment, each a shade of its own, with joints.
    int i = static_cast<int>(std::floor(gx * 6.0f)), j = static_cast<int>(std::floor(gy * 6.0f));
    i = ((i % 6) + 6) % 6;
    j = ((j % 6) + 6) % 6;
    float slab = static_cast<float>(gbm_hash(static_cast<uint32_t>(i), static_cast<uint32_t>(j), 109) >> 24) / 255.0f;
    GbmColor c = gbm_mix(gbm_rgb(150, 148, 140), gbm_rgb(172, 170, 162), 0.5f * slab + 0.5f * low);
    c = gbm_scale(c, 0.93f + 0.14f * grain);
    c = gbm_mix(c, gbm_rgb(120, 118, 112), 0.45f * gbm_smooth(0.62f, 0.8f, stain));
    float fx = gx * 6.0f - std::floor(gx * 6.0f), fy = gy * 6.0f - std::floor(gy * 6.0f);
    float jd = std::min(std::min(fx, 1.0f - fx), std::min(fy, 1.0f - fy)) / 6.0f;  // ground units
    float joint = gbm_clamp((0.0022f - jd) / pw + 0.5f, 0.0f, 1.0f);
    return gbm_mix(c, gbm_rgb(92, 90, 86), 0.8f * joint);
}

// Coverage of the pixel centred at (gx, gy) by the box [x0, x1] x [y0, y1] (ground units).
float box_cover(const Frame& f, float gx, float gy, float x0, float x1, float y0, float y1)
{
    float cx = std::min(gx + f.pw * 0.5f, x1) - std::max(gx - f.pw * 0.5f, x0);
    float cy = std::min(gy + f.ph * 0.5f, y1) - std::max(gy - f.ph * 0.5f, y0);
    if (cx <= 0.0f || cy <= 0.0f) return 0.0f;
    return gbm_clamp(cx / f.pw, 0.0f, 1.0f) * gbm_clamp(cy / f.ph, 0.0f, 1.0f);
}

struct Box {
    float x0, x1, y0, y1;
};

// The painted boxes of a picture, in segment ground units.
std::vector<Box> boxes_for(int which)
{
    std::vector<Box> b;
    bool edges = which != RWY_TURN && which != RWY_PAVE && which != RWY_DISP;
    if (edges) {
        b.push_back({0.012f, 0.032f, -1.0f, 2.0f});
        b.push_back({0.968f, 0.988f, -1.0f, 2.0f});
    }
    if (which == RWY_LINE || which == RWY_TDZM || which == RWY_FDMK) b.push_back({0.485f, 0.515f, 0.2f, 0.8f});
    if (which == RWY_THLD) {
        // Eight bars each side of the centre line.
        const float bar = 0.0345f, gap = 0.0225f, centre_gap = 0.06f;
        for (int side = 0; side < 2; side++)
            for (int k = 0; k < 8; k++) {
                float inner = centre_gap * 0.5f + k * (bar + gap);
                float x0 = side ? 0.5f + inner : 0.5f - inner - bar;
                b.push_back({x0, x0 + bar, 0.06f, 0.94f});
            }
    }
    if (which == RWY_TDZM) {
        const float offs[3] = {0.24f, 0.315f, 0.39f};
        for (float o : offs) {
            b.push_back({0.5f + o, 0.5f + o + 0.04f, 0.25f, 0.75f});
            b.push_back({0.5f - o - 0.04f, 0.5f - o, 0.25f, 0.75f});
        }
    }
    if (which == RWY_FDMK) {
        b.push_back({0.74f, 0.94f, 0.06f, 0.94f});
        b.push_back({0.06f, 0.26f, 0.06f, 0.94f});
    }
    if (which == RWY_TURN) b.push_back({-1.0f, 2.0f, 0.49f, 0.51f});
    return b;
}

// The glyph of a picture with its box's lower-left corner in ground units (none: empty glyph).
Glyph glyph_of_picture(int which, float& gx0)
{
    const char* digits = "0123456789";
    gx0 = 0.4f;
    if (which < RWY_UNITS0) {
        gx0 = 0.24f;
        return glyph_for(digits[which]);
    }
    if (which < RWY_L) {
        gx0 = 0.56f;
        return glyph_for(digits[which - RWY_UNITS0]);
    }
    if (which == RWY_L) return glyph_for('L');
    if (which == RWY_C) return glyph_for('C');
    if (which == RWY_R) return glyph_for('R');
    return Glyph{};
}

// Rubber left by touching-down tyres: streaks along the runway round the centre.
float rubber(float gx, float gy)
{
    float across = std::exp(-((gx - 0.5f) * (gx - 0.5f)) / (2.0f * 0.13f * 0.13f));
    float streaks = gbm_noise(gx, 0.0f, 96, 121) * 0.6f + gbm_noise(gx, 0.0f, 192, 122) * 0.4f;
    float patchy = gbm_fbm(gx, gy, 4, 3, 0.5f, 123);
    return across * (0.25f + 0.75f * streaks) * (0.4f + 0.6f * patchy);
}

}  // namespace

const char* gbm_runway_name(int which) { return g_runway_names[which]; }

void gbm_make_runway(GbmImage& img, int which_and_set)
{
    const int which = which_and_set % RWY_COUNT, set = which_and_set / RWY_COUNT;
    const Frame f = frame_for(img, which);
    const std::vector<Box> boxes = boxes_for(which);
    float gx0 = 0.0f;
    const Glyph glyph = glyph_of_picture(which, gx0);
    const float unit = 0.2f, gy0 = 0.2f;  // glyph box unit in ground units: 0.2 wide, 0.6 tall
    const float aa = 0.5f * (f.pw + f.ph);
    const bool touchdown = which == RWY_TDZM || which == RWY_FDMK;

    for (int y = 0; y < f.h; y++) {
        for (int x = 0; x < f.w; x++) {
            float gx = f.x0 + (x + 0.5f) * f.pw, gy = (y + 0.5f) * f.ph;
            GbmColor c = pavement(set, gx, gy, f.pw);
            // Paint, worn a little.
            float paint = 0.0f;
            for (const Box& b : boxes) paint = std::max(paint, box_cover(f, gx, gy, b.x0, b.x1, b.y0, b.y1));
            if (!glyph.empty()) {
                float ux = (gx - gx0) / unit, uy = (gy - gy0) / unit;
                if (ux > -0.5f && ux < 1.5f && uy > -0.5f && uy < 3.5f) {
                    float d = 1e9f;
                    for (const std::vector<GbmPt>& line : glyph)
                        for (size_t i = 1; i < line.size(); i++) d = std::min(d, gbm_seg_dist({ux, uy}, line[i - 1], line[i]));
                    float cov = gbm_clamp((0.125f * unit - d * unit) / aa + 0.5f, 0.0f, 1.0f);
                    paint = std::max(paint, cov);
                }
            }
            GbmColor ink = which == RWY_TURN ? kYellowPaint : kWhitePaint;
            if (which == RWY_DISP) {
                float d = std::min(gbm_seg_dist({gx, gy}, {0.0f, 0.15f}, {0.5f, 0.65f}),
                                   gbm_seg_dist({gx, gy}, {0.5f, 0.65f}, {1.0f, 0.15f}));
                paint = std::max(paint, gbm_clamp((0.03f - d) / aa + 0.5f, 0.0f, 1.0f));
                ink = kYellowPaint;
            }
            float wear = 0.8f + 0.2f * gbm_noise(gx, gy, 128, 131 + set);
            c = gbm_mix(c, ink, paint * wear);
            if (touchdown) c = gbm_mix(c, gbm_rgb(30, 30, 30), 0.55f * rubber(gx, gy));
            gbm_set(img, x, y, c);
        }
    }
}

// Grass (0), dirt (1) and gravel (2) strips, with ragged transparent edges so the strip blends
// into the terrain under it.
void gbm_make_surface(GbmImage& img, int which)
{
    for (int y = 0; y < img.h; y++) {
        float gy = (y + 0.5f) / img.h;
        float left = 0.02f + 0.06f * gbm_fbm(0.0f, gy, 6, 3, 0.5f, 141 + which);
        float right = 0.02f + 0.06f * gbm_fbm(0.5f, gy, 6, 3, 0.5f, 143 + which);
        for (int x = 0; x < img.w; x++) {
            float gx = (x + 0.5f) / img.w;
            float grain = gbm_noise(gx, gy, 256, 145 + which);
            float low = gbm_fbm(gx, gy, 4, 3, 0.5f, 147 + which);
            float speck = static_cast<float>(gbm_hash(static_cast<uint32_t>(x), static_cast<uint32_t>(y), 149 + which) >> 24) / 255.0f;
            float track = std::exp(-std::pow((gx - 0.5f) / 0.14f, 2.0f));
            GbmColor c;
            if (which == 0) {
                float band = (static_cast<int>(std::floor(gx * 6.0f)) % 2) ? 1.05f : 0.95f;
                c = gbm_mix(gbm_rgb(92, 128, 58), gbm_rgb(110, 136, 66), low);
                c = gbm_scale(c, band * (0.9f + 0.2f * grain));
                c = gbm_mix(c, gbm_rgb(128, 124, 80), 0.35f * track * low);
            } else if (which == 1) {
                float ruts = std::exp(-std::pow((gx - 0.38f) / 0.03f, 2.0f)) + std::exp(-std::pow((gx - 0.62f) / 0.03f, 2.0f));
                c = gbm_mix(gbm_rgb(150, 116, 82), gbm_rgb(166, 132, 94), low);
                c = gbm_mix(c, gbm_rgb(112, 86, 60), 0.6f * ruts);
                c = gbm_scale(c, 0.9f + 0.2f * grain);
            } else {
                c = gbm_mix(gbm_rgb(140, 134, 122), gbm_rgb(160, 152, 138), low);
                c = gbm_scale(c, 0.75f + 0.5f * speck);
                c = gbm_mix(c, gbm_rgb(112, 108, 100), 0.25f * track);
            }
            // Edge markers every segment.
            if (which == 0 && std::fabs(gy - 0.5f) < 0.03f && (std::fabs(gx - 0.1f) < 0.02f || std::fabs(gx - 0.9f) < 0.02f))
                c = gbm_rgb(236, 236, 228);
            gbm_set(img, x, y, c);
            if (gx < left || gx > 1.0f - right) gbm_set_key(img, x, y, true);
        }
    }
}

// Orange and white bands from the mouth (s = 0) to the tail, shaded round the sock.
void gbm_make_windsock(GbmImage& img, int)
{
    for (int y = 0; y < img.h; y++) {
        float t = (y + 0.5f) / img.h;
        float round = 0.8f + 0.2f * std::sin(3.14159265f * t);
        for (int x = 0; x < img.w; x++) {
            float s = (x + 0.5f) / img.w;
            bool orange = static_cast<int>(s * 5.0f) % 2 == 0;
            GbmColor c = orange ? gbm_rgb(236, 98, 28) : gbm_rgb(238, 236, 228);
            float crease = 0.94f + 0.06f * gbm_noise(s, t, 16, 151);
            gbm_set(img, x, y, gbm_scale(c, round * crease));
        }
    }
}
