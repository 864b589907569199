// gbm_draw.cpp -- pixels, anti-aliased shapes, tileable noise and the dot font of the bitmap
// generator.
#include "gbm_local.h"

#include <algorithm>
#include <cstring>

// ---------------------------------------------------------------------------------------------
// Pixels

void gbm_init(GbmImage& img, int w, int h, GbmColor fill, bool keyed)
{
    img.w = w;
    img.h = h;
    img.px.assign(static_cast<size_t>(w) * h * 3, 0.0f);
    for (size_t i = 0; i < static_cast<size_t>(w) * h; i++) {
        img.px[3 * i] = fill.r;
        img.px[3 * i + 1] = fill.g;
        img.px[3 * i + 2] = fill.b;
    }
    img.key.clear();
    if (keyed) img.key.assign(static_cast<size_t>(w) * h, 0);
}

static bool inside(const GbmImage& img, int x, int y) { return x >= 0 && y >= 0 && x < img.w && y < img.h; }

GbmColor gbm_get(const GbmImage& img, int x, int y)
{
    x = std::clamp(x, 0, img.w - 1);
    y = std::clamp(y, 0, img.h - 1);
    const float* p = &img.px[(static_cast<size_t>(y) * img.w + x) * 3];
    return GbmColor{p[0], p[1], p[2]};
}

void gbm_set(GbmImage& img, int x, int y, GbmColor c)
{
    if (!inside(img, x, y)) return;
    float* p = &img.px[(static_cast<size_t>(y) * img.w + x) * 3];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
}

void gbm_blend(GbmImage& img, int x, int y, GbmColor c, float a)
{
    if (!inside(img, x, y) || a <= 0.0f) return;
    if (a > 1.0f) a = 1.0f;
    float* p = &img.px[(static_cast<size_t>(y) * img.w + x) * 3];
    p[0] += (c.r - p[0]) * a;
    p[1] += (c.g - p[1]) * a;
    p[2] += (c.b - p[2]) * a;
}

void gbm_set_key(GbmImage& img, int x, int y, bool transparent)
{
    if (!inside(img, x, y) || img.key.empty()) return;
    img.key[static_cast<size_t>(y) * img.w + x] = transparent ? 1 : 0;
}

bool gbm_is_key(const GbmImage& img, int x, int y)
{
    if (!inside(img, x, y) || img.key.empty()) return false;
    return img.key[static_cast<size_t>(y) * img.w + x] != 0;
}

void gbm_fill_rect(GbmImage& img, int x0, int y0, int x1, int y1, GbmColor c)
{
    for (int y = std::max(y0, 0); y < std::min(y1, img.h); y++)
        for (int x = std::max(x0, 0); x < std::min(x1, img.w); x++) gbm_set(img, x, y, c);
}

void gbm_blend_rect(GbmImage& img, int x0, int y0, int x1, int y1, GbmColor c, float a)
{
    for (int y = std::max(y0, 0); y < std::min(y1, img.h); y++)
        for (int x = std::max(x0, 0); x < std::min(x1, img.w); x++) gbm_blend(img, x, y, c, a);
}

void gbm_frame_rect(GbmImage& img, int x0, int y0, int x1, int y1, GbmColor c)
{
    gbm_fill_rect(img, x0, y0, x1, y0 + 1, c);
    gbm_fill_rect(img, x0, y1 - 1, x1, y1, c);
    gbm_fill_rect(img, x0, y0, x0 + 1, y1, c);
    gbm_fill_rect(img, x1 - 1, y0, x1, y1, c);
}

void gbm_bevel(GbmImage& img, int x0, int y0, int x1, int y1, bool raised)
{
    GbmColor light = gbm_rgb(204, 204, 204), dark = gbm_rgb(51, 51, 51);
    GbmColor tl = raised ? light : dark, br = raised ? dark : light;
    gbm_fill_rect(img, x0, y1 - 1, x1, y1, tl);
    gbm_fill_rect(img, x0, y0, x0 + 1, y1, tl);
    gbm_fill_rect(img, x0, y0, x1, y0 + 1, br);
    gbm_fill_rect(img, x1 - 1, y0, x1, y1, br);
}

// ---------------------------------------------------------------------------------------------
// Shapes

float gbm_seg_dist(GbmPt p, GbmPt a, GbmPt b)
{
    float dx = b.x - a.x, dy = b.y - a.y;
    float l2 = dx * dx + dy * dy;
    float t = l2 > 0.0f ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / l2 : 0.0f;
    t = gbm_clamp(t, 0.0f, 1.0f);
    float ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return std::sqrt(ex * ex + ey * ey);
}

void gbm_stroke(GbmImage& img, const std::vector<GbmPt>& pts, float width, GbmColor c, float alpha)
{
    if (pts.empty()) return;
    float x0 = pts[0].x, x1 = pts[0].x, y0 = pts[0].y, y1 = pts[0].y;
    for (const GbmPt& p : pts) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    float half = width * 0.5f;
    int ix0 = static_cast<int>(std::floor(x0 - half - 1)), ix1 = static_cast<int>(std::ceil(x1 + half + 1));
    int iy0 = static_cast<int>(std::floor(y0 - half - 1)), iy1 = static_cast<int>(std::ceil(y1 + half + 1));
    for (int y = std::max(iy0, 0); y <= std::min(iy1, img.h - 1); y++) {
        for (int x = std::max(ix0, 0); x <= std::min(ix1, img.w - 1); x++) {
            GbmPt p{x + 0.5f, y + 0.5f};
            float d = 1e9f;
            if (pts.size() == 1) d = gbm_seg_dist(p, pts[0], pts[0]);
            for (size_t i = 1; i < pts.size(); i++) d = std::min(d, gbm_seg_dist(p, pts[i - 1], pts[i]));
            float cov = gbm_clamp(half - d + 0.5f, 0.0f, 1.0f);
            if (cov > 0.0f) gbm_blend(img, x, y, c, cov * alpha);
        }
    }
}

void gbm_ring(GbmImage& img, float cx, float cy, float r_in, float r_out, GbmColor c, float alpha)
{
    int x0 = static_cast<int>(std::floor(cx - r_out - 1)), x1 = static_cast<int>(std::ceil(cx + r_out + 1));
    int y0 = static_cast<int>(std::floor(cy - r_out - 1)), y1 = static_cast<int>(std::ceil(cy + r_out + 1));
    for (int y = std::max(y0, 0); y <= std::min(y1, img.h - 1); y++) {
        for (int x = std::max(x0, 0); x <= std::min(x1, img.w - 1); x++) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            float r = std::sqrt(dx * dx + dy * dy);
            float cov = gbm_clamp(r_out - r + 0.5f, 0.0f, 1.0f) * gbm_clamp(r - r_in + 0.5f, 0.0f, 1.0f);
            if (cov > 0.0f) gbm_blend(img, x, y, c, cov * alpha);
        }
    }
}

void gbm_disc(GbmImage& img, float cx, float cy, float r, GbmColor c, float alpha)
{
    gbm_ring(img, cx, cy, -1.0f, r, c, alpha);
}

void gbm_fill_poly(GbmImage& img, const std::vector<GbmPt>& pts, GbmColor c, float alpha)
{
    if (pts.size() < 3) return;
    const int sub = 4;
    std::vector<float> cover(static_cast<size_t>(img.w), 0.0f);
    std::vector<float> xs;
    float ymin = pts[0].y, ymax = pts[0].y;
    for (const GbmPt& p : pts) {
        ymin = std::min(ymin, p.y);
        ymax = std::max(ymax, p.y);
    }
    int row0 = std::max(0, static_cast<int>(std::floor(ymin))), row1 = std::min(img.h - 1, static_cast<int>(ymax));
    for (int row = row0; row <= row1; row++) {
        std::fill(cover.begin(), cover.end(), 0.0f);
        for (int s = 0; s < sub; s++) {
            float y = row + (s + 0.5f) / sub;
            xs.clear();
            for (size_t i = 0; i < pts.size(); i++) {
                GbmPt a = pts[i], b = pts[(i + 1) % pts.size()];
                if ((a.y <= y && b.y > y) || (b.y <= y && a.y > y)) xs.push_back(a.x + (y - a.y) / (b.y - a.y) * (b.x - a.x));
            }
            std::sort(xs.begin(), xs.end());
            for (size_t i = 0; i + 1 < xs.size(); i += 2) {
                float l = std::max(xs[i], 0.0f), r = std::min(xs[i + 1], static_cast<float>(img.w));
                for (int x = static_cast<int>(l); x < img.w && x < r; x++) {
                    float cov = std::min(r, x + 1.0f) - std::max(l, static_cast<float>(x));
                    if (cov > 0.0f) cover[x] += cov / sub;
                }
            }
        }
        for (int x = 0; x < img.w; x++)
            if (cover[x] > 0.0f) gbm_blend(img, x, row, c, std::min(cover[x], 1.0f) * alpha);
    }
}

// ---------------------------------------------------------------------------------------------
// Noise

uint32_t gbm_hash(uint32_t a, uint32_t b, uint32_t c)
{
    uint32_t h = a * 0x8DA6B343u ^ b * 0xD8163841u ^ c * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

// Gradient noise: a pseudo-random unit gradient at each lattice point of a `period`-cell lattice
// that wraps, so the field repeats with period 1 in u and v.
static void gradient(int ix, int iy, int period, uint32_t seed, float& gx, float& gy)
{
    struct Table {
        float v[256][2];
        Table()
        {
            for (int i = 0; i < 256; i++) {
                v[i][0] = std::cos(i * 6.2831853f / 256.0f);
                v[i][1] = std::sin(i * 6.2831853f / 256.0f);
            }
        }
    };
    static const Table table;
    ix %= period;
    iy %= period;
    if (ix < 0) ix += period;
    if (iy < 0) iy += period;
    uint32_t h = gbm_hash(static_cast<uint32_t>(ix), static_cast<uint32_t>(iy), seed) >> 24;
    gx = table.v[h][0];
    gy = table.v[h][1];
}

float gbm_noise(float u, float v, int period, uint32_t seed)
{
    float x = u * period, y = v * period;
    float fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    float g[4][2];
    gradient(ix, iy, period, seed, g[0][0], g[0][1]);
    gradient(ix + 1, iy, period, seed, g[1][0], g[1][1]);
    gradient(ix, iy + 1, period, seed, g[2][0], g[2][1]);
    gradient(ix + 1, iy + 1, period, seed, g[3][0], g[3][1]);
    float a = g[0][0] * tx + g[0][1] * ty;
    float b = g[1][0] * (tx - 1.0f) + g[1][1] * ty;
    float c = g[2][0] * tx + g[2][1] * (ty - 1.0f);
    float d = g[3][0] * (tx - 1.0f) + g[3][1] * (ty - 1.0f);
    float sx = tx * tx * tx * (tx * (tx * 6.0f - 15.0f) + 10.0f);
    float sy = ty * ty * ty * (ty * (ty * 6.0f - 15.0f) + 10.0f);
    float ab = a + (b - a) * sx, cd = c + (d - c) * sx;
    // The field lies within about +-0.7; spread it over 0..1 around 0.5.
    return gbm_clamp(0.5f + 0.75f * (ab + (cd - ab) * sy), 0.0f, 1.0f);
}

float gbm_fbm(float u, float v, int base_period, int octaves, float gain, uint32_t seed)
{
    float sum = 0.0f, amp = 1.0f, norm = 0.0f;
    int period = base_period;
    for (int o = 0; o < octaves; o++) {
        sum += amp * gbm_noise(u, v, period, seed + 1013u * o);
        norm += amp;
        amp *= gain;
        period *= 2;
    }
    return sum / norm;
}

float gbm_ridged(float u, float v, int base_period, int octaves, uint32_t seed)
{
    float sum = 0.0f, amp = 1.0f, norm = 0.0f;
    int period = base_period;
    for (int o = 0; o < octaves; o++) {
        float n = 1.0f - std::fabs(gbm_noise(u, v, period, seed + 7919u * o) * 2.0f - 1.0f);
        sum += amp * n * n;
        norm += amp;
        amp *= 0.5f;
        period *= 2;
    }
    return sum / norm;
}

// ---------------------------------------------------------------------------------------------
// The 5 x 7 dot font, the one the programs draw (hl_graph).

void gbm_text(GbmImage& img, int x, int y, const char* s, int scale, GbmColor c, int advance)
{
    if (advance == 0) advance = 6 * scale;
    for (; *s; s++, x += advance) {
        const uint8_t* rows = OGL_glyph_rows(*s);
        for (int r = 0; r < 7; r++)
            for (int col = 0; col < 5; col++)
                if (rows[r] & (0x10 >> col))
                    gbm_fill_rect(img, x + col * scale, y + (6 - r) * scale, x + (col + 1) * scale,
                                  y + (7 - r) * scale, c);
    }
}

int gbm_text_width(const char* s, int scale)
{
    int n = static_cast<int>(std::strlen(s));
    return n > 0 ? (6 * n - 1) * scale : 0;
}
