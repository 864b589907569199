// gbm_terrain.cpp -- the terrain pictures: water, grass, rock, snow and tropical water, and the
// transition tiles between them.
//
// Every picture tiles with itself. In the tile's own texture space (s to the right, t upwards) a
// half tile "a_b_h" has material a on the left half and b on the right, the boundary crossing the
// bottom and top edges at s = 0.5; a corner tile "a_b_c" is material a with a quarter disc of b
// of radius 0.5 round the corner s = 1, t = 0, its boundary meeting the edges at (0.5, 0) and
// (1, 0.5). The region's corner orientations turn and mirror these tiles so that boundaries meet
// at the middle of every shared cell edge.
#include "gbm_local.h"

#include <algorithm>
#include <mutex>

namespace {

enum Material { M_WAT, M_GRS, M_MNT, M_SNO, M_CAR, M_COUNT };

struct TerrainDef {
    const char* name;
    int a, b;      // materials (b unused for the plain pictures)
    int shape;     // 0 plain, 1 half, 2 corner
};

const TerrainDef g_terrain[TER_COUNT] = {
    {"wat", M_WAT, M_WAT, 0},       {"grs", M_GRS, M_GRS, 0},       {"mnt", M_MNT, M_MNT, 0},
    {"sno", M_SNO, M_SNO, 0},       {"car", M_CAR, M_CAR, 0},       {"grs_wat_h", M_GRS, M_WAT, 1},
    {"grs_wat_c", M_GRS, M_WAT, 2}, {"wat_grs_c", M_WAT, M_GRS, 2}, {"grs_mnt_h", M_GRS, M_MNT, 1},
    {"grs_mnt_c", M_GRS, M_MNT, 2}, {"mnt_grs_c", M_MNT, M_GRS, 2}, {"mnt_wat_h", M_MNT, M_WAT, 1},
    {"mnt_wat_c", M_MNT, M_WAT, 2}, {"wat_mnt_c", M_WAT, M_MNT, 2}, {"mnt_sno_h", M_MNT, M_SNO, 1},
    {"mnt_sno_c", M_MNT, M_SNO, 2}, {"sno_mnt_c", M_SNO, M_MNT, 2}, {"sno_wat_h", M_SNO, M_WAT, 1},
    {"sno_wat_c", M_SNO, M_WAT, 2}, {"wat_sno_c", M_WAT, M_SNO, 2}, {"grs_car_h", M_GRS, M_CAR, 1},
    {"grs_car_c", M_GRS, M_CAR, 2}, {"car_grs_c", M_CAR, M_GRS, 2}, {"mnt_car_h", M_MNT, M_CAR, 1},
    {"mnt_car_c", M_MNT, M_CAR, 2}, {"car_mnt_c", M_CAR, M_MNT, 2},
};

bool is_water(int m) { return m == M_WAT || m == M_CAR; }

// A height field used for the hill shading of the land materials.
float hills(float u, float v, uint32_t seed) { return gbm_fbm(u, v, 4, 4, 0.5f, seed); }

// Light from the upper left: the slope of the field along the light direction.
float shade(float u, float v, uint32_t seed, float strength)
{
    const float e = 1.0f / 512.0f;
    float dx = hills(u + e, v, seed) - hills(u - e, v, seed);
    float dy = hills(u, v + e, seed) - hills(u, v - e, seed);
    return 1.0f + strength * (-dx + dy) * 60.0f;
}

GbmColor grass(float u, float v)
{
    float low = gbm_fbm(u, v, 3, 4, 0.5f, 11);
    float mid = gbm_fbm(u, v, 12, 4, 0.55f, 12);
    float grain = 0.5f * gbm_noise(u, v, 128, 13) + 0.5f * gbm_noise(u, v, 256, 14);
    GbmColor dry = gbm_rgb(124, 128, 76), lush = gbm_rgb(70, 104, 50);
    GbmColor c = gbm_mix(dry, lush, gbm_smooth(0.3f, 0.7f, low));
    c = gbm_scale(c, 0.86f + 0.28f * mid);
    // Copses and hedgerows: darker, softer patches.
    float woods = gbm_fbm(u, v, 16, 4, 0.5f, 15);
    c = gbm_mix(c, gbm_rgb(48, 72, 40), 0.6f * gbm_smooth(0.58f, 0.72f, woods));
    c = gbm_scale(c, 0.92f + 0.16f * grain);
    return gbm_scale(c, shade(u, v, 16, 0.12f));
}

GbmColor rock(float u, float v)
{
    float r = gbm_ridged(u, v, 5, 4, 21);
    float tone = gbm_fbm(u, v, 5, 4, 0.5f, 22);
    float grain = gbm_noise(u, v, 256, 23);
    GbmColor tan = gbm_rgb(156, 134, 104), grey = gbm_rgb(120, 112, 104);
    GbmColor c = gbm_mix(tan, grey, gbm_smooth(0.35f, 0.65f, tone));
    c = gbm_scale(c, 0.86f + 0.24f * r);
    // Dark scrub in the hollows.
    float scrub = gbm_fbm(u, v, 32, 3, 0.5f, 24) + 0.4f * (0.5f - r);
    c = gbm_mix(c, gbm_rgb(84, 86, 60), 0.7f * gbm_smooth(0.55f, 0.7f, scrub));
    c = gbm_scale(c, 0.93f + 0.14f * grain);
    return gbm_scale(c, shade(u, v, 25, 0.4f));
}

GbmColor snow(float u, float v)
{
    float r = gbm_ridged(u, v, 5, 4, 31);
    float grain = gbm_noise(u, v, 256, 32);
    GbmColor c = gbm_mix(gbm_rgb(206, 214, 230), gbm_rgb(240, 242, 246), gbm_fbm(u, v, 8, 4, 0.5f, 33));
    // Bare rock on the sharpest crests.
    c = gbm_mix(c, gbm_rgb(104, 102, 104), 0.85f * gbm_smooth(0.86f, 0.92f, r));
    c = gbm_scale(c, 0.97f + 0.05f * grain);
    return gbm_scale(c, shade(u, v, 34, 0.3f));
}

GbmColor water(float u, float v)
{
    float low = gbm_fbm(u, v, 3, 4, 0.5f, 41);
    float ripple = 0.6f * gbm_noise(u, v, 64, 42) + 0.4f * gbm_noise(u, v, 160, 43);
    GbmColor c = gbm_mix(gbm_rgb(24, 56, 92), gbm_rgb(38, 80, 112), low);
    return gbm_scale(c, 0.93f + 0.14f * ripple);
}

GbmColor tropical(float u, float v)
{
    float low = gbm_fbm(u, v, 3, 4, 0.5f, 51);
    float bottom = gbm_fbm(u, v, 10, 4, 0.55f, 52);
    float ripple = 0.6f * gbm_noise(u, v, 64, 53) + 0.4f * gbm_noise(u, v, 160, 54);
    GbmColor c = gbm_mix(gbm_rgb(22, 104, 146), gbm_rgb(34, 150, 170), low);
    c = gbm_mix(c, gbm_rgb(70, 170, 180), 0.35f * gbm_smooth(0.45f, 0.8f, bottom));
    return gbm_scale(c, 0.93f + 0.14f * ripple);
}

GbmColor material(int m, float u, float v)
{
    switch (m) {
    case M_WAT: return water(u, v);
    case M_GRS: return grass(u, v);
    case M_MNT: return rock(u, v);
    case M_SNO: return snow(u, v);
    default: return tropical(u, v);
    }
}

// The plain material pictures at one size, made once and shared by the transitions so that a
// transition matches its plain neighbours pixel for pixel away from the boundary.
const GbmImage& material_image(int m, int n)
{
    static GbmImage cache[M_COUNT];
    static std::mutex locks[M_COUNT];  // pictures are drawn on several threads
    std::lock_guard<std::mutex> hold(locks[m]);
    GbmImage& img = cache[m];
    if (img.w != n) {
        gbm_init(img, n, n, gbm_rgb(0, 0, 0), false);
        for (int y = 0; y < n; y++)
            for (int x = 0; x < n; x++) gbm_set(img, x, y, material(m, (x + 0.5f) / n, (y + 0.5f) / n));
    }
    return img;
}

// Fades a perturbation out towards the tile's border, so that boundaries meet their neighbours.
float border_fade(float u, float v)
{
    float e = std::min(std::min(u, 1.0f - u), std::min(v, 1.0f - v));
    return gbm_smooth(0.0f, 0.12f, e);
}

// Signed distance (tile units) from the boundary, positive on material b's side.
float boundary_distance(int shape, float u, float v)
{
    const float pi = 3.14159265f;
    if (shape == 1) {
        float wob = 0.07f * std::sin(pi * v) * (gbm_fbm(0.0f, v, 3, 3, 0.5f, 61) - 0.5f) * 2.0f;
        return u - (0.5f + wob);
    }
    float du = 1.0f - u, dv = v;
    float r = std::sqrt(du * du + dv * dv);
    float theta = std::atan2(dv, du) / (0.5f * pi);  // 0 along the bottom edge, 1 along the right
    float wob = 0.08f * std::sin(pi * gbm_clamp(theta, 0.0f, 1.0f)) * (gbm_fbm(theta, 0.0f, 3, 3, 0.5f, 62) - 0.5f) * 2.0f;
    return (0.5f + wob) - r;
}

GbmColor shore_sand(int water_material, float u, float v)
{
    float g = gbm_noise(u, v, 256, 71);
    GbmColor c = water_material == M_CAR ? gbm_rgb(234, 226, 200) : gbm_rgb(206, 188, 146);
    return gbm_scale(c, 0.92f + 0.12f * g);
}

GbmColor transition(const TerrainDef& def, const GbmImage& ia, const GbmImage& ib, int x, int y)
{
    const int n = ia.w;
    const float px = 1.0f / n;
    float u = (x + 0.5f) * px, v = (y + 0.5f) * px;
    float fade = border_fade(u, v);
    float d = boundary_distance(def.shape, u, v) + fade * 0.025f * (gbm_fbm(u, v, 24, 3, 0.5f, 63) - 0.5f);
    GbmColor ca = gbm_get(ia, x, y), cb = gbm_get(ib, x, y);

    if (!is_water(def.a) && !is_water(def.b)) {
        // Land against land: a ragged blend with scattered patches of each into the other.
        float patches = fade * 0.22f * (gbm_fbm(u, v, 8, 5, 0.55f, 64) - 0.5f);
        return gbm_mix(ca, cb, gbm_smooth(-0.012f, 0.012f, d + patches));
    }

    // Land against water: dl is the distance into the land.
    bool b_is_water = is_water(def.b);
    int wm = b_is_water ? def.b : def.a;
    int lm = b_is_water ? def.a : def.b;
    float dl = b_is_water ? -d : d;
    GbmColor wat = b_is_water ? cb : ca, land = b_is_water ? ca : cb;
    // Shallows lighten the water towards the shore, with a thin line of surf.
    float depth = -dl;
    GbmColor shallow = wm == M_CAR ? gbm_rgb(120, 210, 200) : gbm_rgb(66, 118, 128);
    wat = gbm_mix(wat, shallow, 0.75f * std::exp(-std::max(depth, 0.0f) / 0.03f));
    wat = gbm_mix(wat, gbm_rgb(228, 234, 232), 0.55f * (1.0f - gbm_smooth(0.0f, 0.006f, depth)));
    // Beach on grass, wet dark rock or ice edge on the other land.
    if (lm == M_GRS) {
        float width = 0.022f + 0.012f * gbm_noise(u, v, 16, 65);
        land = gbm_mix(land, shore_sand(wm, u, v), 1.0f - gbm_smooth(width * 0.6f, width, dl));
    } else if (lm == M_MNT) {
        land = gbm_mix(land, gbm_rgb(84, 80, 74), 0.7f * (1.0f - gbm_smooth(0.0f, 0.012f, dl)));
    } else {
        land = gbm_mix(land, gbm_rgb(150, 160, 172), 0.6f * (1.0f - gbm_smooth(0.0f, 0.01f, dl)));
    }
    return gbm_mix(wat, land, gbm_smooth(-px, px, dl));
}

}  // namespace

const char* gbm_terrain_name(int which) { return g_terrain[which].name; }

void gbm_make_terrain(GbmImage& img, int which)
{
    const TerrainDef& def = g_terrain[which];
    const int n = img.w;
    const GbmImage& ia = material_image(def.a, n);
    if (def.shape == 0) {
        img.px = ia.px;
        return;
    }
    const GbmImage& ib = material_image(def.b, n);
    for (int y = 0; y < n; y++)
        for (int x = 0; x < n; x++) gbm_set(img, x, y, transition(def, ia, ib, x, y));
}
