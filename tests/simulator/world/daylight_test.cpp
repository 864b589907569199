// daylight_test.cpp -- the outside view's light by the hour and the weather: terrain brightness,
// light level, sky colour and shades, dawn and dusk tints, the visibility and the night lights.
// The expected figures are worked out by hand from the sun's angle (90 degrees per 8 hours from
// noon) and the sky's blue (0.4, 0.6, 1.0).
#include "daylight.h"

#include "hl_types.h"
#include "kvdb.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class Daylight : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        kvdb_set_units();
    }
    // A clear sky at the hour and storm level, the camera low (the sky's fade is nil).
    static daylight_out at(float hour, float level = 0.0f, int cld_type = 1)
    {
        daylight_in in = {};
        in.hour = hour;
        in.level = level;
        in.cld_type = cld_type;
        in.base = 1000.0f;
        in.tops = 2000.0f;
        daylight_out d = {};
        compute_daylight(in, &d);
        return d;
    }
};

TEST_F(Daylight, BrightnessLightAndSkyFollowTheSun)
{
    struct Case {
        float hour, level;
        float brat, light;
        float sky[3];
    } cases[] = {
        // Noon: the sun overhead.
        {12.0f, 0.0f, 1.0f, 1.0f, {0.4f, 0.6f, 1.0f}},
        // 16 h and 8 h: 45 degrees from overhead, cos 45 = 0.7071, 0.7071^0.75 = 0.7711.
        {16.0f, 0.0f, 0.7071f, 0.7711f, {0.2828f, 0.4243f, 0.7071f}},
        {8.0f, 0.0f, 0.7071f, 0.7711f, {0.2828f, 0.4243f, 0.7071f}},
        // 14 h: 22.5 degrees, cos = 0.9239, ^0.75 = 0.9423.
        {14.0f, 0.0f, 0.9239f, 0.9423f, {0.3696f, 0.5543f, 0.9239f}},
        // A level 4 storm halves the light at noon; level 2 takes a quarter off.
        {12.0f, 4.0f, 0.5f, 0.5f, {0.2f, 0.3f, 0.5f}},
        {12.0f, 2.0f, 0.75f, 0.75f, {0.3f, 0.45f, 0.75f}},
    };
    for (const Case& c : cases) {
        const daylight_out d = at(c.hour, c.level);
        EXPECT_NEAR(d.brat_ter, c.brat, 1e-3f) << c.hour << " h, level " << c.level;
        EXPECT_NEAR(d.light, c.light, 1e-3f) << c.hour << " h, level " << c.level;
        for (int k = 0; k < 3; k++) EXPECT_NEAR(d.sky[k], c.sky[k], 1e-3f) << c.hour << " h, channel " << k;
        // No tint by day: the light's colour is its level in every channel.
        for (int k = 0; k < 3; k++) EXPECT_NEAR(d.lite[k], c.light, 1e-3f) << c.hour << " h, channel " << k;
    }
}

TEST_F(Daylight, NightKeepsItsFloorsAndTurnsBlue)
{
    // Midnight and 20 h: the sun at or beyond 90 degrees gives no light of its own.
    for (float hour : {0.0f, 20.0f, 23.0f}) {
        const daylight_out d = at(hour);
        EXPECT_NEAR(d.brat_ter, 0.01f, 1e-4f) << hour << " h, clear sky floor";
        EXPECT_NEAR(d.light, 0.1f, 1e-4f) << hour << " h";
        EXPECT_GT(d.lite[2], d.lite[0]) << hour << " h: the night light is bluish";
        EXPECT_LT(d.sky[0] + d.sky[1] + d.sky[2], 0.03f) << hour << " h: the sky is all but black";
    }
    // The night tint at midnight is (0.9, 0.9, 1.2) in full.
    const daylight_out m = at(0.0f);
    EXPECT_NEAR(m.lite[0], 0.09f, 1e-4f);
    EXPECT_NEAR(m.lite[2], 0.12f, 1e-4f);
    // Under clouds there is no 0.01 floor; above the tops it is 0.05. Under an overcast the light's
    // floor drops to 0.05.
    EXPECT_NEAR(at(0.0f, 0.0f, 3).brat_ter, 0.0f, 1e-4f);
    daylight_in in = {};
    in.hour = 0.0f;
    in.cld_type = 4;
    in.abovetops = 1;
    in.base = 1000.0f;
    in.tops = 2000.0f;
    in.cam_y = 3000.0f;
    daylight_out d = {};
    compute_daylight(in, &d);
    EXPECT_NEAR(d.brat_ter, 0.05f, 1e-4f);
    EXPECT_NEAR(d.light, 0.1f, 1e-4f);
    in.abovetops = 0;
    in.cam_y = 500.0f;
    compute_daylight(in, &d);
    EXPECT_NEAR(d.light, 0.05f, 1e-4f);
}

TEST_F(Daylight, DawnAndDuskRedden)
{
    // At 6 h: sun 67.5 degrees from overhead, cos = 0.38268; the sky dimmed by |6 - 6| + 0.5 and
    // tinted (2.4, 0.6, 0.3); the light 0.38268^0.75 = 0.4863 tinted (1.4, 0.8, 0.8).
    for (float hour : {6.0f, 18.0f}) {
        const daylight_out d = at(hour);
        const float s = 0.38268f * 0.5f;
        EXPECT_NEAR(d.sky[0], s * 0.4f * 2.4f, 1e-3f) << hour;
        EXPECT_NEAR(d.sky[1], s * 0.6f * 0.6f, 1e-3f) << hour;
        EXPECT_NEAR(d.sky[2], s * 1.0f * 0.3f, 1e-3f) << hour;
        EXPECT_NEAR(d.lite[0], 0.4863f * 1.4f, 2e-3f) << hour;
        EXPECT_NEAR(d.lite[1], 0.4863f * 0.8f, 2e-3f) << hour;
    }
    // Half an hour off, the tint is gone and the dimming is back to 1.
    const daylight_out d = at(6.5f);
    const float c = std::cos(61.875f * 3.14159265f / 180.0f);
    EXPECT_NEAR(d.sky[0], c * 0.4f, 1e-3f);
    EXPECT_NEAR(d.sky[2], c * 1.0f, 1e-3f);
    // The colour moves through the hour band without a jump.
    float last = at(5.5f).sky[0];
    for (float h = 5.55f; h <= 6.5f; h += 0.05f) {
        const float r = at(h).sky[0];
        EXPECT_LT(std::fabs(r - last), 0.03f) << h << " h";
        last = r;
    }
}

TEST_F(Daylight, SkyFadesWithHeightAndBandsShadeByCloud)
{
    daylight_in in = {};
    in.hour = 12.0f;
    in.cld_type = 1;
    in.base = 1000.0f;
    in.tops = 2000.0f;
    daylight_out d = {};
    // Half of 260 000 ft up, the sky keeps a quarter of its colour; at 260 000 ft none.
    in.cam_y = 130000.0f * 0.3048f;
    compute_daylight(in, &d);
    EXPECT_NEAR(d.sky[2], 0.25f, 1e-3f);
    in.cam_y = 270000.0f * 0.3048f;
    compute_daylight(in, &d);
    EXPECT_NEAR(d.sky[2], 0.0f, 1e-6f);
    in.cam_y = 0.0f;
    compute_daylight(in, &d);
    EXPECT_FLOAT_EQ(d.shade[0], 1.0f);
    EXPECT_FLOAT_EQ(d.shade[1], 0.6f);
    EXPECT_FLOAT_EQ(d.shade[2], 0.4f);
    // Above the tops the upper bands darken.
    in.cld_type = 3;
    in.abovetops = 1;
    in.cam_y = 2500.0f;
    compute_daylight(in, &d);
    EXPECT_FLOAT_EQ(d.shade[1], 0.4f);
    EXPECT_FLOAT_EQ(d.shade[2], 0.3f);
    // Under an overcast the sky is the cloud's grey (equal channels), whatever the storm level,
    // and the bands go from 0.6 at level 0 to 0.3 at level 4.
    in.cld_type = 4;
    in.abovetops = 0;
    in.cam_y = 500.0f;
    for (float level : {0.0f, 4.0f}) {
        in.level = level;
        compute_daylight(in, &d);
        EXPECT_NEAR(d.sky[0], d.sky[2], 1e-4f) << level;
        EXPECT_NEAR(d.shade[1], level == 0.0f ? 0.6f : 0.3f, 1e-4f) << level;
    }
    // Inside the cloud, half-way up, the sky is half grey and half blue.
    in.level = 0.0f;
    in.cam_y = 1500.0f;
    compute_daylight(in, &d);
    EXPECT_GT(d.sky[2], d.sky[0] + 0.1f);
    EXPECT_LT(d.sky[2], 1.0f);
}

TEST_F(Daylight, LightningWhitensOnlyBelowTheTops)
{
    daylight_in in = {};
    in.hour = 0.0f;
    in.cld_type = 3;
    in.base = 1000.0f;
    in.tops = 2000.0f;
    in.flash = 1;
    in.flash_k = 1.0f;
    daylight_out d = {};
    compute_daylight(in, &d);
    for (int k = 0; k < 3; k++) {
        EXPECT_NEAR(d.lite[k], 1.0f, 1e-5f);
        EXPECT_NEAR(d.sky[k], 1.0f, 1e-5f);
    }
    in.flash_k = 0.5f;
    compute_daylight(in, &d);
    EXPECT_NEAR(d.lite[0], 0.09f + 0.91f * 0.5f, 1e-3f);
    in.abovetops = 1;
    in.cam_y = 2500.0f;
    compute_daylight(in, &d);
    EXPECT_LT(d.lite[0], 0.2f);
}

TEST_F(Daylight, VisibilityGrowsWithHeightWithinItsLimits)
{
    struct Case {
        float vis_rep, mult, agl;
        int above_overcast;
        float want;
    } cases[] = {
        {0.0f, 1.0f, 0.0f, 0, 185.2f},            // a report of nothing still leaves 185.2 m
        {5000.0f, 1.0f, 0.0f, 0, 5000.0f},
        {5000.0f, 1.0f, 10000.0f, 0, 10000.0f},   // 10 km up doubles it
        {5000.0f, 0.5f, 0.0f, 0, 2500.0f},        // haze
        {5000.0f, 1.0f, -50.0f, 0, 5000.0f},      // below the ground counts as on it
        {30000.0f, 1.0f, 5000.0f, 0, 37040.0f},   // 20 nm at most
        {0.0f, 1.0f, 0.0f, 1, 166680.0f},         // above an overcast: 90 nm whatever the report
        {0.0f, 0.1f, 0.0f, 1, 18520.0f},          // but at least 10 nm
        {0.0f, 0.2f, 0.0f, 1, 33336.0f},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(effective_visibility(c.vis_rep, c.mult, c.agl, c.above_overcast), c.want, 0.05f)
            << c.vis_rep << " m, x" << c.mult << ", " << c.agl << " m up, above overcast " << c.above_overcast;
}

TEST_F(Daylight, CityAndRunwayLightsAtNightOrInPoorVisibility)
{
    struct Case {
        float hour, vis_nm;
        int city, runway;
    } cases[] = {
        {3.0f, 10.0f, 1, 1},  {6.9f, 10.0f, 1, 1},  {7.0f, 10.0f, 0, 0}, {12.0f, 10.0f, 0, 0},
        {17.0f, 10.0f, 0, 0}, {17.1f, 10.0f, 1, 1}, {12.0f, 4.9f, 0, 1}, {12.0f, 5.1f, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(city_lights_on(c.hour), c.city) << c.hour;
        EXPECT_EQ(runway_lights_on(c.hour, c.vis_nm * 1852.0f), c.runway) << c.hour << " h, " << c.vis_nm << " nm";
    }
}

TEST_F(Daylight, PanelLightFollowsDaylightUntilTheCockpitLightsTakeOver)
{
    struct Case {
        float brat;
        int lights, paneltype;
        float want[3];
    } cases[] = {
        {0.8f, 1, 1, {0.8f, 0.8f, 0.8f}},     // bright day: the lights make no difference
        {0.3f, 0, 1, {0.3f, 0.3f, 0.3f}},     // dusk, lights off
        {0.3f, 1, 1, {0.6f, 0.3f, 0.3f}},     // lights on: red glow at least (0.6, 0.2, 0.2)
        {0.1f, 1, 1, {0.6f, 0.2f, 0.2f}},
        {0.55f, 1, 1, {0.55f, 0.55f, 0.55f}}, // panel 1 only below 0.5
        {0.55f, 1, 2, {0.7f, 0.55f, 0.55f}},  // panel 2 below 0.6, at least (0.7, 0.35, 0.35)
        {0.1f, 1, 2, {0.7f, 0.35f, 0.35f}},
    };
    for (const Case& c : cases) {
        float rgb[3];
        panel_tint(c.brat, c.lights, c.paneltype, rgb);
        for (int k = 0; k < 3; k++) EXPECT_NEAR(rgb[k], c.want[k], 1e-6f) << c.brat << " panel " << c.paneltype;
    }
}

}  // namespace
