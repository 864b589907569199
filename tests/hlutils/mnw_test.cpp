// mnw_test.cpp -- start-up figures: the constants, the degree tables, the colour table, the folder
// paths and the resolution preference file.
#include "hl_mnw.h"
#include "hl_types.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

TEST(Constants, FiguresOfTheUnitsAndThePlanet)
{
    clear_globals();
    hl_fill_constants();
    struct Case { const char* name; float got, want, tol; };
    const Case cases[] = {
        {"g", con.g, 9.798279f, 2e-5f},
        {"ktstomsc", con.ktstomsc, 0.5144445f, 1e-6f},
        {"nmtomtrs", con.nmtomtrs, 1852.000f, 1e-3f},
        {"endtomed", con.endtomed, 514.939f, 2e-3f},
        {"pim2", con.pim2, 6.2831853f, 1e-6f},
        {"pid2", con.pid2, 1.5707963f, 1e-6f},
        {"radtodeg", con.radtodeg, 57.29578f, 1e-4f},
        {"rpmtorsc", con.rpmtorsc, 0.10471976f, 1e-7f},      // 2 pi / 60
        {"fpmtomsc", con.fpmtomsc, 0.00508f, 1e-8f},
        {"sftosmtr", con.sftosmtr, 0.09290304f, 1e-8f},
        {"lbstontn", con.lbstontn, 4.4443f, 1e-3f},           // a pound-force at this g
        {"ftlbtonm", con.ftlbtonm, 1.35462f, 1e-4f},
        {"enptomep", con.enptomep, 47.837f, 1e-2f},           // lb/ft^2 in N/m^2
        {"enItomtI", con.enItomtI, 0.0421401f, 1e-6f},        // lb ft^2 in kg m^2
        {"nm_to_sm", con.nm_to_sm, 1.1507795f, 1e-7f},
        {"plttomtr", con.plttomtr, 150.0f, 1e-2f},
    };
    for (const Case& c : cases) EXPECT_NEAR(c.got, c.want, c.tol) << c.name;
}

TEST(Constants, PartnersAreReciprocals)
{
    clear_globals();
    hl_fill_constants();
    const float pairs[][2] = {
        {con.lbstokgs, con.kgstolbs}, {con.fttomtrs, con.mtrstoft}, {con.hptowatt, con.watttohp},
        {con.dgrtodgk, con.dgktodgr}, {con.radtodeg, con.degtorad}, {con.ktstomsc, con.msctokts},
        {con.rpmtorsc, con.rsctorpm}, {con.fpmtomsc, con.msctofpm}, {con.nmtomtrs, con.mtrstonm},
        {con.sftosmtr, con.smtrtosf}, {con.lbstontn, con.ntntolbs}, {con.ftlbtonm, con.nmtoftlb},
        {con.endtomed, con.medtoend}, {con.enptomep, con.meptoenp}, {con.enItomtI, con.mtltoenl},
        {con.nm_to_sm, con.sm_to_nm}, {con.mtrtoplt, con.plttomtr},
    };
    for (const auto& p : pairs) EXPECT_NEAR(p[0] * p[1], 1.0f, 1e-6f);
}

TEST(DegreeTables, QuarterTurnsAndIdentity)
{
    clear_globals();
    hl_fill_constants();
    EXPECT_FLOAT_EQ(lookup_sin[90], 1.0f);
    EXPECT_FLOAT_EQ(lookup_cos[360], 1.0f);
    EXPECT_FLOAT_EQ(lookup_cos[0], 1.0f);
    EXPECT_FLOAT_EQ(lookup_sin[270], -1.0f);
    EXPECT_NEAR(lookup_sin[30], 0.5f, 1e-6f);
    EXPECT_NEAR(lookup_cos[60], 0.5f, 1e-6f);
    for (int d = 0; d <= 360; d++) {
        EXPECT_NEAR(lookup_sin[d] * lookup_sin[d] + lookup_cos[d] * lookup_cos[d], 1.0f, 1e-5f) << d;
        EXPECT_NEAR(lookup_sin[d], lookup_cos[(450 - d) % 360], 1e-5f) << d;
    }
}

TEST(ColourTable, EntriesAsListedAndRoomForEighty)
{
    clear_globals();
    std::memset(col_rgb, 0, sizeof col_rgb);
    hl_fill_colors();
    static_assert(NUM_COLORS == 80);
    struct Case { int k; float r, g, b; };
    const Case cases[] = {{0, 1, 1, 1},       {5, 0.92f, 0.87f, 0.67f}, {6, 0.8f, 0.8f, 0.8f},
                          {12, 0.6f, 0.6f, 0.6f}, {18, 0.4f, 0.4f, 0.4f}, {22, 0.2f, 0.2f, 0.2f},
                          {29, 0, 0, 0},      {34, 0.11f, 0.22f, 0.55f}, {41, 1, 1, 0.2f},
                          {47, 0.2f, 1, 0.2f}, {55, 0.2f, 0.2f, 0.4f}, {61, 1, 1, 1},
                          {68, 0.8f, 0.8f, 0}, {74, 1, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(col_rgb[c.k][0], c.r) << c.k;
        EXPECT_FLOAT_EQ(col_rgb[c.k][1], c.g) << c.k;
        EXPECT_FLOAT_EQ(col_rgb[c.k][2], c.b) << c.k;
    }
    // The pulsing colours 56..60 and the spare entries 75..79 are left to the event loop and callers.
    for (int k : {56, 60, 75, 79}) EXPECT_EQ(col_rgb[k][0] + col_rgb[k][1] + col_rgb[k][2], 0.0f) << k;
}

TEST(Paths, BuiltFromTheProgramAndConfigurationFolders)
{
    clear_globals();
    hl_build_paths("/opt/kv suite/", "/home/u/.config/kestrova", "Kestrova 4.prf");
    EXPECT_STREQ(app_path, "/opt/kv suite/");
    EXPECT_STREQ(wrk_path, "/opt/kv suite/");
    EXPECT_STREQ(prf_path, "/home/u/.config/kestrova/Kestrova 4.prf");
    EXPECT_STREQ(res_path, "/home/u/.config/kestrova/Gridmere 4.prf");
    EXPECT_STREQ(afl_path, "/opt/kv suite/airfoils/");
    EXPECT_STREQ(flp_path, "/opt/kv suite/flaps/");
    EXPECT_STREQ(tex_path, "/opt/kv suite/textures/");
    EXPECT_STREQ(obj_path, "/opt/kv suite/additional nav data/custom objects/");
    EXPECT_STREQ(cus_path, "/opt/kv suite/additional nav data/custom terrain textures/");
    EXPECT_STREQ(sit_path, "/opt/kv suite/additional nav data/situations/");
    hl_build_paths("/p/", "/c", nullptr);
    EXPECT_STREQ(prf_path, "");
}

TEST(Paths, AFolderTooLongForThePathsIsFatalNotAnOverflow)
{
    clear_globals();
    clear_recorded_alerts();
    std::string deep = "/" + std::string(380, 'd') + "/";
    EXPECT_THROW(hl_build_paths(deep.c_str(), "/c", "x.prf"), FatalAlert);
    for (const char* p : {app_path, obj_path, cus_path, sit_path}) EXPECT_LT(std::strlen(p), static_cast<size_t>(STR_LEN));
}

TEST(ResolutionFile, ReadWhenSoundElseDefaultsKept)
{
    TempDir dir;
    struct Case { const char* text; int ok; float h, y, c; };
    const Case cases[] = {
        {"I\n2 version\n1024\n768\n32\n", 1, 1024, 768, 32},
        {"I\r\n2 version\r\n800\r\n600\r\n16\r\n", 1, 800, 600, 16},
        {"A\n2 version\n640 480 16\n", 1, 640, 480, 16},
        {"I\n207 version\n1024\n768\n32\n", 0, 0, 0, 0},    // wrong version
        {"X\n2 version\n1024\n768\n32\n", 0, 0, 0, 0},      // wrong letter
        {"I\n2 version\n1024\n", 0, 0, 0, 0},               // cut short
        {"I\n2 version\nwide\ntall\n16\n", 0, 0, 0, 0},     // garbage
        {"I\n2 version\n0\n600\n16\n", 0, 0, 0, 0},         // a zero width would divide the mouse by zero
        {"I\n2 version\n800\n600\n12\n", 0, 0, 0, 0},       // no such colour depth
        {"", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        std::string path = dir.write("Gridmere 4.prf", c.text);
        float h = 1, y = 2, b = 3;
        EXPECT_EQ(hl_read_res_prefs(path.c_str(), &h, &y, &b), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(h, c.h);
            EXPECT_EQ(y, c.y);
            EXPECT_EQ(b, c.c);
        } else {
            EXPECT_EQ(h, 1);
            EXPECT_EQ(y, 2);
            EXPECT_EQ(b, 3);
        }
    }
    float h = 1, y = 2, b = 3;
    EXPECT_EQ(hl_read_res_prefs((dir.str() + "/missing.prf").c_str(), &h, &y, &b), 0);
}

}  // namespace
