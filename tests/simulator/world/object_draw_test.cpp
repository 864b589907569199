// object_draw_test.cpp -- the rules of the object and sky drawing without a screen: which picture
// each building kind wears and where its roof and windows are, colour codes, and how bright the
// stars are for the hour and the sky.
#include "nature_draw.h"
#include "object_draw.h"

#include <gtest/gtest.h>

namespace {

TEST(Buildings, SideRoofAndWindowsByKind)
{
    struct Case {
        int type;
        int side, roof_level, roof_tex, window_level;
    } cases[] = {
        {1, 128, 3, 86, -1},  {2, 123, 1, 86, -1},  {3, 0, -1, 86, -1},   {4, 0, -1, 86, -1},  {5, 117, 3, 86, -1},
        {6, 117, -1, 86, -1}, {90, 124, 3, 86, 0},  {91, 125, 3, 86, 1},  {92, 126, 3, 86, 2}, {93, 127, 3, 86, -1},
        {94, 124, 3, 120, 0}, {95, 125, 3, 120, 1}, {96, 126, 3, 120, 2}, {97, 117, 3, 86, -1}, {0, 0, -1, 86, -1},
        {105, 0, -1, 86, -1}, {98, 0, -1, 86, -1}, {-3, 0, -1, 86, -1},   // past the last building type, and below 0
    };
    for (const Case& c : cases) {
        EXPECT_EQ(building_side_tex(c.type), c.side) << "type " << c.type;
        int tex = -1;
        EXPECT_EQ(building_roof(c.type, &tex), c.roof_level) << "type " << c.type;
        if (c.roof_level >= 0) EXPECT_EQ(tex, c.roof_tex) << "type " << c.type;
        float rgb[3];
        EXPECT_EQ(building_windows(c.type, rgb), c.window_level) << "type " << c.type;
    }
}

TEST(Buildings, WindowColoursByKind)
{
    struct Case {
        int type;
        float r, g, b;
    } cases[] = {
        {90, 1.0f, 1.0f, 1.0f}, {94, 1.0f, 1.0f, 1.0f}, {91, 1.0f, 0.85f, 0.0f},
        {95, 1.0f, 1.0f, 0.0f}, {92, 0.4f, 1.0f, 0.6f}, {96, 0.4f, 1.0f, 0.6f},
    };
    for (const Case& c : cases) {
        float rgb[3] = {-1, -1, -1};
        building_windows(c.type, rgb);
        EXPECT_FLOAT_EQ(rgb[0], c.r) << c.type;
        EXPECT_FLOAT_EQ(rgb[1], c.g) << c.type;
        EXPECT_FLOAT_EQ(rgb[2], c.b) << c.type;
    }
}

TEST(CustomObjects, ColourCodesArePairsOfTenths)
{
    struct Case {
        int code;
        float r, g, b;
    } cases[] = {
        {100000, 1.0f, 0.0f, 0.0f},   // full red
        {1000, 0.0f, 1.0f, 0.0f},     {10, 0.0f, 0.0f, 1.0f},
        {50505, 0.5f, 0.5f, 0.5f},    {20408, 0.2f, 0.4f, 0.8f},
        {999999, 9.9f, 9.9f, 9.9f},   // the pulsing red light's code, read as a colour
    };
    for (const Case& c : cases) {
        float rgb[3];
        colour_code_rgb(c.code, rgb);
        EXPECT_NEAR(rgb[0], c.r, 1e-5f) << c.code;
        EXPECT_NEAR(rgb[1], c.g, 1e-5f) << c.code;
        EXPECT_NEAR(rgb[2], c.b, 1e-5f) << c.code;
    }
}

TEST(Stars, BrightnessByHourAndSky)
{
    struct Case {
        float hour, r, g, b, t;
    } cases[] = {
        {12.0f, 1.0f, 1.0f, 1.0f, -1.4f},    // white sky at noon: no star
        {1.0f, 0.0f, 0.0f, 0.0f, 1.0f},      // black night: the first group white
        {13.0f, 0.1f, 0.1f, 0.2f, 0.36f},    // afternoon: 1 - 1.6 x 0.4
        {11.0f, 0.1f, 0.1f, 0.2f, 0.68f},    // morning: 1 - 0.8 x 0.4
    };
    for (const Case& c : cases) EXPECT_NEAR(star_brightness(c.hour, c.r, c.g, c.b), c.t, 1e-5f) << c.hour;
}

}  // namespace
