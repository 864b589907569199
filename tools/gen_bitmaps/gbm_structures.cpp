// gbm_structures.cpp -- pictures of built things: building facades, sheet metal, the carrier's
// deck and island, the ships' hulls and the helipad.
//
// Facades run from the ground (t = 0) to the roof (t = 1) over every level of a building, s
// across one face; the island picture splits its height the way the island's levels do (the
// blocks at 0, 3.51, 5.97, 13.71 and 15 metres); the deck picture spans the whole flight deck.
#include "gbm_local.h"

#include <algorithm>

namespace {

// Windows in a regular grid: returns 0..1 coverage of a window pane at (s, t).
float window_grid(float s, float t, int cols, int rows, float wfrac, float hfrac, float t0, float t1)
{
    if (t < t0 || t > t1) return 0.0f;
    float ts = (t - t0) / (t1 - t0);
    float cs = s * cols - std::floor(s * cols), rs = ts * rows - std::floor(ts * rows);
    bool in = std::fabs(cs - 0.5f) < wfrac * 0.5f && std::fabs(rs - 0.5f) < hfrac * 0.5f;
    return in ? 1.0f : 0.0f;
}

// Glass that reflects the sky: lighter towards the top of each pane and of the building.
GbmColor glass(GbmColor base, float s, float t, uint32_t seed)
{
    float sky = 0.85f + 0.3f * t + 0.12f * (gbm_noise(s, t, 8, seed) - 0.5f);
    float pane = static_cast<float>(gbm_hash(static_cast<uint32_t>(s * 40), static_cast<uint32_t>(t * 200), seed) >> 24) / 255.0f;
    return gbm_scale(base, sky * (0.92f + 0.16f * pane));
}

GbmColor facade(int which, float s, float t)
{
    float grain = gbm_noise(s, t, 128, 201 + which);
    float grime = 1.0f - 0.12f * (1.0f - gbm_smooth(0.0f, 0.2f, t));
    switch (which) {
    case 0: {  // block building: concrete with a grid of windows
        GbmColor wall = gbm_scale(gbm_rgb(172, 166, 152), 0.94f + 0.1f * grain);
        float w = window_grid(s, t, 8, 14, 0.6f, 0.55f, 0.04f, 0.95f);
        if (t > 0.965f) wall = gbm_rgb(132, 128, 120);
        return gbm_scale(gbm_mix(wall, glass(gbm_rgb(58, 72, 88), s, t, 211), w), grime);
    }
    case 1: {  // tall building, narrow top: glass curtain wall, darker crown
        if (t > 0.94f) {
            float fin = std::fabs(std::sin(3.14159265f * s * 12.0f));
            return gbm_scale(gbm_rgb(78, 82, 90), 0.8f + 0.25f * fin);
        }
        GbmColor g = glass(gbm_rgb(72, 104, 124), s, t, 212);
        float ms = s * 16.0f - std::floor(s * 16.0f), mt = t * 60.0f - std::floor(t * 60.0f);
        if (ms < 0.08f || mt < 0.12f) g = gbm_rgb(150, 156, 162);
        return g;
    }
    case 2: {  // tapered building: stone with vertical window strips
        GbmColor stone = gbm_scale(gbm_rgb(200, 184, 152), 0.93f + 0.12f * grain);
        if (t < 0.1f) {
            stone = gbm_rgb(112, 102, 96);
            float lobby = window_grid(s, t, 6, 1, 0.75f, 0.8f, 0.0f, 0.1f);
            return gbm_mix(stone, glass(gbm_rgb(50, 60, 66), s, t, 213), lobby);
        }
        float strip = window_grid(s, t, 12, 36, 0.45f, 0.8f, 0.12f, t > 0.9f ? 0.97f : 0.9f);
        return gbm_mix(stone, glass(gbm_rgb(74, 64, 54), s, t, 214), strip);
    }
    case 3: {  // narrow-bottom building: dark glass with white fins over a glass lobby
        if (t < 0.1f) {
            float mull = s * 8.0f - std::floor(s * 8.0f);
            return mull < 0.06f ? gbm_rgb(60, 60, 62) : glass(gbm_rgb(96, 110, 116), s, t, 215);
        }
        float fin = s * 10.0f - std::floor(s * 10.0f);
        if (fin < 0.1f) return gbm_scale(gbm_rgb(214, 214, 210), 0.95f + 0.08f * grain);
        float mt = t * 50.0f - std::floor(t * 50.0f);
        GbmColor g = glass(gbm_rgb(40, 52, 64), s, t, 216);
        return mt < 0.1f ? gbm_rgb(70, 74, 80) : g;
    }
    case 4: {  // stepped building: brick with ribbon windows, shops at the foot
        GbmColor brick = gbm_scale(gbm_rgb(152, 82, 62), 0.9f + 0.18f * grain);
        if (t < 0.15f) {
            float shop = window_grid(s, t, 5, 1, 0.8f, 0.6f, 0.0f, 0.12f);
            GbmColor awning = (static_cast<int>(s * 5.0f) % 2) ? gbm_rgb(40, 90, 60) : gbm_rgb(150, 40, 40);
            if (t > 0.12f) return awning;
            return gbm_mix(gbm_rgb(120, 110, 100), glass(gbm_rgb(80, 96, 104), s, t, 217), shop);
        }
        float rt = (t - 0.15f) * 34.0f;
        rt -= std::floor(rt);
        if (rt > 0.35f && rt < 0.8f && s > 0.04f && s < 0.96f) return glass(gbm_rgb(50, 62, 74), s, t, 218);
        return brick;
    }
    default: {  // control tower: concrete shaft, glass cab, roof rim
        if (t > 0.96f) return gbm_rgb(214, 214, 210);
        if (t > 0.79f) {
            float mull = s * 6.0f - std::floor(s * 6.0f);
            if (mull < 0.05f || t < 0.805f || t > 0.95f) return gbm_rgb(60, 62, 66);
            return glass(gbm_rgb(44, 76, 86), s, (t - 0.79f) / 0.17f, 219);
        }
        GbmColor shaft = gbm_scale(gbm_rgb(194, 192, 184), 0.93f + 0.1f * grain);
        if (std::fabs(s - 0.5f) < 0.1f && t < 0.08f) return gbm_rgb(52, 50, 48);  // door
        float slit = std::fabs(s - 0.5f) < 0.05f && t > 0.12f && t < 0.76f ? 1.0f : 0.0f;
        float ft = t * 24.0f - std::floor(t * 24.0f);
        if (slit > 0.0f && ft > 0.15f) return glass(gbm_rgb(50, 64, 74), s, t, 220);
        return gbm_scale(shaft, grime);
    }
    }
}

GbmColor metal(float s, float t)
{
    float rib = 0.88f + 0.12f * std::sin(2.0f * 3.14159265f * s * 24.0f);
    float grain = gbm_noise(s, t, 128, 231);
    float streak = gbm_noise(s, 0.0f, 64, 232) * gbm_fbm(s, t, 4, 3, 0.5f, 233);
    GbmColor c = gbm_scale(gbm_rgb(170, 172, 176), rib * (0.95f + 0.08f * grain));
    c = gbm_mix(c, gbm_rgb(120, 118, 112), 0.35f * streak);
    float seam = t * 4.0f - std::floor(t * 4.0f);
    if (seam < 0.015f) c = gbm_scale(c, 0.75f);
    return c;
}

GbmColor dirty(float s, float t)
{
    float grain = gbm_noise(s, t, 128, 241);
    float low = gbm_fbm(s, t, 4, 4, 0.5f, 242);
    float streak = gbm_noise(s, 0.0f, 48, 243) * gbm_fbm(s, t, 6, 3, 0.5f, 244);
    GbmColor c = gbm_mix(gbm_rgb(96, 96, 94), gbm_rgb(124, 122, 116), low);
    c = gbm_scale(c, 0.88f + 0.2f * grain);
    c = gbm_mix(c, gbm_rgb(128, 78, 48), 0.6f * gbm_smooth(0.35f, 0.7f, streak));
    float ps = s * 4.0f - std::floor(s * 4.0f), pt = t * 4.0f - std::floor(t * 4.0f);
    if (ps < 0.012f || pt < 0.012f) c = gbm_scale(c, 0.65f);
    return c;
}

GbmColor pad(float s, float t)
{
    float grain = gbm_noise(s, t, 128, 251);
    GbmColor c = gbm_scale(gbm_rgb(66, 74, 68), 0.92f + 0.14f * grain);
    float e = std::min(std::min(s, 1.0f - s), std::min(t, 1.0f - t));
    if (e > 0.03f && e < 0.055f) c = gbm_rgb(232, 232, 226);
    float r = std::sqrt((s - 0.5f) * (s - 0.5f) + (t - 0.5f) * (t - 0.5f));
    if (std::fabs(r - 0.37f) < 0.018f) c = gbm_rgb(226, 184, 44);
    bool h = (std::fabs(s - 0.39f) < 0.035f || std::fabs(s - 0.61f) < 0.035f) && std::fabs(t - 0.5f) < 0.2f;
    h = h || (std::fabs(t - 0.5f) < 0.03f && std::fabs(s - 0.5f) < 0.14f);
    if (h) c = gbm_rgb(236, 236, 230);
    return c;
}

GbmColor tower(float s, float t)
{
    float grain = gbm_noise(s, t, 128, 261);
    GbmColor c = gbm_scale(gbm_rgb(128, 132, 138), 0.94f + 0.1f * grain);
    float h = t * 15.0f;  // metres above the flight deck
    auto win = [&](float h0, float h1, int n, float frac) {
        if (h < h0 || h > h1) return false;
        float cs = s * n - std::floor(s * n);
        return std::fabs(cs - 0.5f) < frac * 0.5f;
    };
    if (h < 3.51f) {
        if (std::fabs(s - 0.3f) < 0.07f && h < 2.2f) c = gbm_rgb(70, 72, 76);  // door
    } else if (h < 5.97f) {
        if (win(4.3f, 5.2f, 8, 0.4f)) c = gbm_rgb(40, 48, 56);
    } else if (h < 13.71f) {
        if (win(6.9f, 7.8f, 10, 0.4f) || win(8.8f, 9.7f, 10, 0.4f)) c = gbm_rgb(40, 48, 56);
        if (win(11.2f, 12.9f, 12, 0.75f)) c = glass(gbm_rgb(46, 66, 80), s, t, 262);  // bridge
    } else {
        c = gbm_rgb(88, 90, 94);
    }
    if (std::fabs(h - 3.51f) < 0.12f || std::fabs(h - 5.97f) < 0.12f || std::fabs(h - 13.71f) < 0.12f)
        c = gbm_scale(c, 0.7f);
    return c;
}

GbmColor hull(float s, float t)
{
    float grain = gbm_noise(s, t, 128, 271);
    float streak = gbm_noise(s, 0.0f, 64, 272) * (1.0f - gbm_smooth(0.5f, 1.0f, t));
    GbmColor c;
    if (t < 0.42f) {
        c = gbm_rgb(112, 44, 36);
    } else if (t < 0.5f) {
        c = gbm_rgb(34, 34, 36);
    } else {
        c = gbm_rgb(118, 122, 128);
        c = gbm_mix(c, gbm_rgb(96, 90, 84), 0.4f * gbm_smooth(0.4f, 0.8f, streak));
        float ps = s * 32.0f - std::floor(s * 32.0f);
        if (std::fabs(t - 0.82f) < 0.012f && std::fabs(ps - 0.5f) < 0.06f) c = gbm_rgb(30, 32, 36);
        if (t > 0.96f) c = gbm_rgb(96, 100, 106);
    }
    return gbm_scale(c, 0.93f + 0.12f * grain);
}

// The flight deck in metres: x to starboard, z towards the stern.
struct DeckMark {
    GbmPt a, b;
    float width;
    GbmColor color;
    float dash;  // dash length in metres, 0 for a solid line
};

std::vector<DeckMark> deck_marks()
{
    const GbmColor white = {226, 226, 220}, yellow = {214, 176, 46}, dark = {34, 34, 36};
    std::vector<DeckMark> m;
    // Landing area: its edges and its dashed centre line.
    m.push_back({{-10.5f, 158.73f}, {-35.0f, -46.0f}, 0.6f, white, 0.0f});
    m.push_back({{13.0f, 154.94f}, {-18.39f, -71.0f}, 0.6f, white, 0.0f});
    m.push_back({{1.25f, 156.835f}, {-26.695f, -58.5f}, 0.9f, white, 6.0f});
    // Arresting wires across the landing area.
    GbmPt s0{1.25f, 156.835f};
    float dx = -26.695f - 1.25f, dz = -58.5f - 156.835f, len = std::sqrt(dx * dx + dz * dz);
    dx /= len;
    dz /= len;
    for (int k = 0; k < 4; k++) {
        float along = 30.0f + 12.0f * k;
        GbmPt c{s0.x + dx * along, s0.y + dz * along};
        m.push_back({{c.x - dz * 12.0f, c.y + dx * 12.0f}, {c.x + dz * 12.0f, c.y - dx * 12.0f}, 0.45f, dark, 0.0f});
    }
    // Bow catapults: the shuttle slots with yellow lines on either side.
    const float deg = 3.14159265f / 180.0f;
    GbmPt c1{-12.5f, -55.0f}, c1e{-12.5f + std::sin(2.0f * deg) * 92.0f, -55.0f - std::cos(2.0f * deg) * 92.0f};
    GbmPt c2{8.0f, -62.0f}, c2e{8.0f, -150.0f};
    for (const GbmPt* c : {&c1, &c2}) {
        const GbmPt& e = c == &c1 ? c1e : c2e;
        m.push_back({*c, e, 0.4f, dark, 0.0f});
        m.push_back({{c->x - 1.5f, c->y}, {e.x - 1.5f, e.y}, 0.3f, yellow, 3.0f});
        m.push_back({{c->x + 1.5f, c->y}, {e.x + 1.5f, e.y}, 0.3f, yellow, 3.0f});
    }
    // The deck edge, a metre inside the outline of the main deck, the angled deck and the sponson.
    const GbmPt edge[13] = {{-18, 160},  {-18, 112}, {-34, 80}, {-34, -51}, {-18, -57}, {-14, -153}, {14, -153},
                            {18, -61},   {35, -38},  {35, 96},  {18, 96},   {18, 154},  {18, 160}};
    for (int i = 0; i + 1 < 13; i++) m.push_back({edge[i], edge[i + 1], 0.5f, white, 0.0f});
    const float elev[2][2] = {{-36.0f, -22.0f}, {30.0f, 44.0f}};
    for (const auto& e : elev) {
        m.push_back({{20.5f, e[0]}, {35.0f, e[0]}, 0.3f, yellow, 0.0f});
        m.push_back({{20.5f, e[1]}, {35.0f, e[1]}, 0.3f, yellow, 0.0f});
        m.push_back({{35.0f, e[0]}, {35.0f, e[1]}, 0.3f, yellow, 0.0f});
    }
    return m;
}

void make_deck(GbmImage& img)
{
    const float mx = 71.0f / img.w, mz = 314.0f / img.h;  // metres per pixel
    const std::vector<DeckMark> marks = deck_marks();
    for (int y = 0; y < img.h; y++) {
        for (int x = 0; x < img.w; x++) {
            float s = (x + 0.5f) / img.w, t = (y + 0.5f) / img.h;
            GbmPt p{-35.0f + (x + 0.5f) * mx, 160.0f - (y + 0.5f) * mz};
            float grain = gbm_noise(s, t, 256, 281);
            float low = gbm_fbm(s, t, 6, 4, 0.5f, 282);
            GbmColor c = gbm_scale(gbm_mix(gbm_rgb(66, 68, 72), gbm_rgb(82, 84, 86), low), 0.9f + 0.2f * grain);
            // Tyre marks where the aircraft touch down.
            if (p.y > 60.0f && p.y < 150.0f) {
                float ax = 1.25f + (p.y - 156.835f) * (-26.695f - 1.25f) / (-58.5f - 156.835f);
                float across = std::exp(-(p.x - ax) * (p.x - ax) / 18.0f);
                c = gbm_mix(c, gbm_rgb(40, 40, 42), 0.5f * across * gbm_noise(s, t, 64, 283));
            }
            for (const DeckMark& m : marks) {
                float d = gbm_seg_dist(p, m.a, m.b);
                if (d > m.width) continue;
                if (m.dash > 0.0f) {
                    float along = std::hypot(p.x - m.a.x, p.y - m.a.y);
                    if (std::fmod(along, 2.0f * m.dash) > m.dash) continue;
                }
                float cov = gbm_clamp((m.width * 0.5f - d) / std::max(mx, mz) + 0.5f, 0.0f, 1.0f);
                c = gbm_mix(c, m.color, cov);
            }
            gbm_set(img, x, y, c);
        }
    }
}

}  // namespace

// Facades: 0 block, 1 narrow top, 2 tapered, 3 narrow bottom, 4 stepped, 5 control tower.
void gbm_make_building(GbmImage& img, int which)
{
    for (int y = 0; y < img.h; y++)
        for (int x = 0; x < img.w; x++)
            gbm_set(img, x, y, facade(which, (x + 0.5f) / img.w, (y + 0.5f) / img.h));
}

// Ship and structure parts: 0 metal, 1 deck, 2 dirty, 3 pad, 4 tower, 5 hull.
void gbm_make_ship_part(GbmImage& img, int which)
{
    if (which == 1) {
        make_deck(img);
        return;
    }
    for (int y = 0; y < img.h; y++) {
        for (int x = 0; x < img.w; x++) {
            float s = (x + 0.5f) / img.w, t = (y + 0.5f) / img.h;
            GbmColor c = which == 0 ? metal(s, t) : which == 2 ? dirty(s, t) : which == 3 ? pad(s, t)
                       : which == 4 ? tower(s, t) : hull(s, t);
            gbm_set(img, x, y, c);
        }
    }
}
