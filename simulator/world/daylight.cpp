// daylight.cpp -- the outside view's light, sky colours and visibility by the hour and the weather.
#include "daylight.h"

#include "hl_funct.h"
#include "hl_types.h"

#include <cmath>

namespace {

constexpr float DEG = 3.14159265f / 180.0f;
constexpr float SKY_BLUE[3] = {0.4f, 0.6f, 1.0f};
constexpr float TINT_NONE[3] = {1.0f, 1.0f, 1.0f};
constexpr float TINT_NIGHT[3] = {0.9f, 0.9f, 1.2f};
constexpr float TINT_DAWN_LIGHT[3] = {1.4f, 0.8f, 0.8f};   // dawn and dusk light (and sky under an overcast)
constexpr float TINT_DAWN_SKY[3] = {2.4f, 0.6f, 0.3f};     // dawn and dusk sky in the open
constexpr float CLOUD_GREY = 0.7f;                          // the overcast's underside, times the light level
constexpr float SKY_FADE_FT = 260000.0f;                    // the sky turns black this high

void mix(const float a[3], const float b[3], float u, float out[3])
{
    for (int k = 0; k < 3; k++) out[k] = a[k] + (b[k] - a[k]) * u;
}

// The colour tint of the hour: night blue to none by 5.5 h, to the dawn tint at 6 h and back by
// 6.5 h; the dusk tint likewise around 18 h; none to night blue from 18.5 h to midnight.
void hour_tint(float h, const float dawn[3], float out[3])
{
    if (h < 5.5f) mix(TINT_NIGHT, TINT_NONE, h / 5.5f, out);
    else if (h < 6.0f) mix(TINT_NONE, dawn, (h - 5.5f) / 0.5f, out);
    else if (h < 6.5f) mix(dawn, TINT_NONE, (h - 6.0f) / 0.5f, out);
    else if (h < 17.5f) mix(TINT_NONE, dawn, 0.0f, out);
    else if (h < 18.0f) mix(TINT_NONE, dawn, (h - 17.5f) / 0.5f, out);
    else if (h < 18.5f) mix(dawn, TINT_NONE, (h - 18.0f) / 0.5f, out);
    else mix(TINT_NONE, TINT_NIGHT, fltlim((h - 18.5f) / 5.5f, 0.0f, 1.0f), out);
}

}  // namespace

int in_or_under_overcast(int cld_type, int abovetops) { return cld_type == 4 && !abovetops; }

void compute_daylight(const daylight_in& in, daylight_out* out)
{
    const float h = in.hour;
    const int clouds = in.cld_type >= 2 && in.cld_type <= 4;
    const int overcast_over = in_or_under_overcast(in.cld_type, in.abovetops);

    // Brightness by the sun's angle from the zenith, dimmed by the storm.
    const float sun = fltlim((h - 12.0f) * 90.0f / 8.0f, -90.0f, 90.0f);
    const float w = fltlim(1.0f - 0.125f * in.level, 0.5f, 1.0f);
    const float c = std::fabs(std::cos(sun * DEG));
    out->brat_ter = c * w;
    if (!clouds) out->brat_ter = fltmax2(out->brat_ter, 0.01f);
    if (in.abovetops) out->brat_ter = fltmax2(out->brat_ter, 0.05f);
    out->light = fltmax2(std::pow(c, 0.75f) * w, overcast_over ? 0.05f : 0.1f);

    // The light's colour.
    float tint[3];
    hour_tint(h, TINT_DAWN_LIGHT, tint);
    for (int k = 0; k < 3; k++) out->lite[k] = fltlim(out->light * tint[k], 0.0f, 1.0f);

    // The sky: blue fading to black far up, dimmed in the hour around sunrise and sunset.
    float fade = fltlim(1.0f - in.cam_y * con.mtrstoft / SKY_FADE_FT, 0.0f, 1.0f);
    fade *= fade;
    float dim = 1.0f;
    if (h >= 5.5f && h <= 6.5f) dim = std::fabs(h - 6.0f) + 0.5f;
    if (h >= 17.5f && h <= 18.5f) dim = std::fabs(h - 18.0f) + 0.5f;
    hour_tint(h, overcast_over ? TINT_DAWN_LIGHT : TINT_DAWN_SKY, tint);
    for (int k = 0; k < 3; k++) out->sky[k] = out->brat_ter * SKY_BLUE[k] * fade * dim * tint[k];

    out->shade[0] = 1.0f;
    out->shade[1] = 0.6f;
    out->shade[2] = 0.4f;
    if (in.abovetops) {
        out->shade[1] = 0.4f;
        out->shade[2] = 0.3f;
    } else if (overcast_over) {
        out->shade[1] = out->shade[2] = fltlim(interp(0.0f, 0.6f, 4.0f, 0.3f, in.level), 0.3f, 0.6f);
    }

    // In and under an overcast the sky is the cloud's grey: wholly from the tops down, blending
    // back to the open sky as the camera climbs from the base to the tops.
    if (in.cld_type == 4 && in.tops > in.base) {
        const float u = fltlim((in.tops - in.cam_y) / (in.tops - in.base), 0.0f, 1.0f);
        float grey[3];
        for (int k = 0; k < 3; k++) grey[k] = CLOUD_GREY * out->lite[k];
        mix(out->sky, grey, u, out->sky);
    }

    // A lightning flash whitens the light and the sky.
    if (in.flash && !in.abovetops) {
        const float k = fltlim(in.flash_k, 0.0f, 1.0f);
        for (int n = 0; n < 3; n++) {
            out->lite[n] += (1.0f - out->lite[n]) * k;
            out->sky[n] += (1.0f - out->sky[n]) * k;
        }
    }
    for (int k = 0; k < 3; k++) out->sky[k] = fltlim(out->sky[k], 0.0f, 1.0f);
}

float effective_visibility(float vis_rep, float vis_mult, float agl, int above_overcast)
{
    const float u = (1.0f + fltmax2(agl, 0.0f) / 10000.0f) * vis_mult;
    if (above_overcast) return fltlim(u * 166680.0f, 18520.0f, 166680.0f);
    return fltlim(vis_rep * u, 185.2f, 37040.0f);
}

int city_lights_on(float hour) { return hour < 7.0f || hour > 17.0f; }

int runway_lights_on(float hour, float vis_rep) { return city_lights_on(hour) || vis_rep < 5.0f * con.nmtomtrs; }

void panel_tint(float brat_ter, int cockpit_lights, int paneltype, float rgb[3])
{
    rgb[0] = rgb[1] = rgb[2] = brat_ter;
    if (!cockpit_lights) return;
    if (paneltype == 1 && brat_ter < 0.5f) {
        rgb[0] = fltmax2(rgb[0], 0.6f);
        rgb[1] = fltmax2(rgb[1], 0.2f);
        rgb[2] = fltmax2(rgb[2], 0.2f);
    } else if (paneltype == 2 && brat_ter < 0.6f) {
        rgb[0] = fltmax2(rgb[0], 0.7f);
        rgb[1] = fltmax2(rgb[1], 0.35f);
        rgb[2] = fltmax2(rgb[2], 0.35f);
    }
}
