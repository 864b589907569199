// gbm_nature.cpp -- the tree, cloud, smoke and fire pictures, the propeller disc and the tyre.
#include "gbm_local.h"

#include <algorithm>

// The tyre: across t the side wall with its hub (0..0.3), shoulder, tread (0.4..0.6), shoulder
// and the other side wall (0.7..1) round to the hub at t = 1; the same all round (s).
void gbm_make_tire(GbmImage& img, int)
{
    for (int y = 0; y < img.h; y++) {
        float t = (y + 0.5f) / img.h;
        float side = std::min(t, 1.0f - t);  // 0 at either hub, 0.3 at the sidewall's outer edge
        for (int x = 0; x < img.w; x++) {
            float s = (x + 0.5f) / img.w;
            float grain = gbm_noise(s, t, 64, 301);
            GbmColor c = gbm_rgb(34, 34, 36);
            if (side < 0.12f) {
                c = gbm_rgb(182, 184, 188);  // wheel hub
                if (side < 0.03f) c = gbm_rgb(120, 122, 126);
            } else if (side < 0.14f) {
                c = gbm_rgb(90, 92, 96);  // rim edge
            } else if (t > 0.4f && t < 0.6f) {
                float g = (t - 0.4f) / 0.2f * 4.0f;
                if (std::fabs(g - std::round(g)) < 0.12f) c = gbm_rgb(18, 18, 20);  // tread grooves
            }
            gbm_set(img, x, y, gbm_scale(c, 0.92f + 0.12f * grain));
        }
    }
}

// A broad-leaved tree 12 m wide and 20 m tall on a transparent background.
void gbm_make_tree(GbmImage& img, int)
{
    struct Blob {
        float x, y, r;
    };
    GbmRand rnd(311);
    std::vector<Blob> blobs;
    for (int i = 0; i < 26; i++) {
        float a = rnd.range(0.0f, 6.2831853f), d = std::sqrt(rnd.unit());
        blobs.push_back({3.3f * d * std::cos(a), 11.8f + 4.8f * d * std::sin(a), rnd.range(2.0f, 3.0f)});
    }
    const float mx = 12.0f / img.w, my = 20.0f / img.h;
    for (int y = 0; y < img.h; y++) {
        for (int x = 0; x < img.w; x++) {
            float X = -6.0f + (x + 0.5f) * mx, Y = (y + 0.5f) * my;
            float u = (x + 0.5f) / img.w, v = (y + 0.5f) / img.h;
            float leaf = gbm_noise(u, v, 32, 312) * 0.6f + gbm_noise(u, v, 64, 313) * 0.4f;
            // Depth into the crown: the best blob's normalised closeness, ragged by the leaves.
            float best = -1.0f;
            GbmPt normal{0, 0};
            for (const Blob& b : blobs) {
                float dx = (X - b.x) / b.r, dy = (Y - b.y) / b.r;
                float q = 1.0f - std::sqrt(dx * dx + dy * dy) + 0.35f * (leaf - 0.5f);
                if (q > best) {
                    best = q;
                    normal = {dx, dy};
                }
            }
            float half_trunk = 0.5f - 0.2f * gbm_clamp(Y / 9.0f, 0.0f, 1.0f);
            bool trunk = Y < 9.5f && std::fabs(X + 0.15f * std::sin(Y * 0.5f)) < half_trunk;
            if (best > 0.0f) {
                float light = 0.75f + 0.35f * (-0.5f * normal.x + 0.7f * normal.y) + 0.25f * best;
                light *= 0.78f + 0.44f * leaf;
                float height = gbm_clamp((Y - 7.0f) / 10.0f, 0.0f, 1.0f);
                GbmColor c = gbm_mix(gbm_rgb(40, 70, 34), gbm_rgb(70, 104, 46), height);
                gbm_set(img, x, y, gbm_scale(c, gbm_clamp(light, 0.45f, 1.35f)));
            } else if (trunk) {
                float bark = 0.8f + 0.3f * gbm_noise(u, v, 64, 314);
                gbm_set(img, x, y, gbm_scale(gbm_rgb(88, 66, 46), bark));
            } else {
                gbm_set_key(img, x, y, true);
            }
        }
    }
}

// The spinning propeller disc: its brightness is its opacity (drawn dark), a faint hub, an even
// blur and a slightly stronger band where the blade tips pass.
void gbm_make_pdisc(GbmImage& img, int)
{
    const float c = img.w * 0.5f, rmax = img.w * 0.5f - 1.0f;
    for (int y = 0; y < img.h; y++) {
        for (int x = 0; x < img.w; x++) {
            float dx = x + 0.5f - c, dy = y + 0.5f - c;
            float r = std::sqrt(dx * dx + dy * dy) / rmax;
            float v = 0.0f;
            if (r < 1.0f) {
                v = 46.0f + 22.0f * r;
                if (r < 0.12f) v = 120.0f;
                else if (r < 0.16f) v = 80.0f;
                if (r > 0.9f) v = 92.0f;
                v *= gbm_clamp((1.0f - r) * rmax + 0.5f, 0.0f, 1.0f);
            }
            gbm_set(img, x, y, gbm_rgb(v, v, v));
        }
    }
}

// A cluster of cumulus tops, brightness being opacity. The cloud layer lays one picture on every
// cell of its grid, each a quarter turn from its neighbours, so the picture fades to clear air well
// before its edges: turned any way, two cells then meet in clear air and no straight seam shows
// along the grid's lines.
void gbm_make_cloud(GbmImage& img, int)
{
    for (int y = 0; y < img.h; y++) {
        for (int x = 0; x < img.w; x++) {
            float u = (x + 0.5f) / img.w, v = (y + 0.5f) / img.h;
            float body = gbm_fbm(u, v, 3, 6, 0.5f, 321);
            float detail = gbm_fbm(u, v, 16, 4, 0.5f, 322);
            // Distance from the middle, 1 at the middles of the edges; the edge of the cluster is
            // ragged, drawn by the body's noise, and the outer tenth of the way is always clear.
            float r = 2.0f * std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f));
            float fall = gbm_smooth(0.88f, 0.3f, r + 0.16f * (body - 0.5f));
            float k = gbm_smooth(0.4f, 0.6f, body + 0.12f * (detail - 0.5f) + 0.35f * (fall - 0.5f)) * fall;
            float val = 250.0f * std::pow(k, 0.8f) * (0.82f + 0.18f * detail);
            gbm_set(img, x, y, gbm_rgb(val, val, val));
        }
    }
}

// One smoke puff, dense in the middle and fading to nothing well inside the edges.
void gbm_make_smoke(GbmImage& img, int)
{
    for (int y = 0; y < img.h; y++) {
        for (int x = 0; x < img.w; x++) {
            float u = (x + 0.5f) / img.w, v = (y + 0.5f) / img.h;
            float r = std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f)) * 2.0f;
            float billow = gbm_fbm(u, v, 4, 5, 0.5f, 331);
            float k = 1.0f - gbm_smooth(0.25f, 0.9f, r + 0.35f * (billow - 0.5f));
            k *= 1.0f - gbm_smooth(0.85f, 0.98f, r);
            float val = 176.0f * k * (0.7f + 0.3f * gbm_fbm(u, v, 12, 3, 0.5f, 332));
            gbm_set(img, x, y, gbm_rgb(val, val, val));
        }
    }
}

// Frame `frame` (0..11) of a burning line of brush: flame tongues rising from the ground. The
// flame field scrolls up by one twelfth of its period per frame, so frame 11 runs on into frame 0.
void gbm_make_fire(GbmImage& img, int frame)
{
    const float phase = frame / 12.0f;
    for (int y = 0; y < img.h; y++) {
        for (int x = 0; x < img.w; x++) {
            float u = (x + 0.5f) / img.w, v = (y + 0.5f) / img.h;
            float reach = 0.35f + 0.6f * (1.0f - std::pow(std::fabs(2.0f * u - 1.0f), 3.0f));
            reach *= 0.8f + 0.4f * gbm_noise(u, 0.0f, 6, 341);
            float big = gbm_fbm(u, v - phase, 6, 3, 0.5f, 342);
            float fine = gbm_noise(u, v - 2.0f * phase, 24, 343);
            float heat = (1.0f - v / reach) + 0.7f * (big - 0.5f) + 0.3f * (fine - 0.5f);
            if (heat < 0.22f) {
                gbm_set_key(img, x, y, true);
                continue;
            }
            GbmColor c;
            if (heat < 0.36f) c = gbm_rgb(176, 40, 12);
            else if (heat < 0.55f) c = gbm_mix(gbm_rgb(232, 96, 20), gbm_rgb(246, 150, 32), (heat - 0.36f) / 0.19f);
            else if (heat < 0.8f) c = gbm_mix(gbm_rgb(252, 184, 52), gbm_rgb(255, 224, 110), (heat - 0.55f) / 0.25f);
            else c = gbm_rgb(255, 244, 188);
            gbm_set(img, x, y, c);
        }
    }
}
