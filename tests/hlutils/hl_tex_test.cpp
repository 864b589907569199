// hl_tex_test.cpp -- the bitmap loader without OpenGL: file names, decoding into rgb_array and the
// texture buffer, row padding and data offsets, damaged files, reduction, alpha and mipmaps.
#include "hl_tex.h"

#include "bmp_writer.h"
#include "hl_file.h"
#include "hl_program.h"
#include "hl_types.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class Loader : public ::testing::Test {
protected:
    TempDir dir;
    hl_program_desc saved = hl_prog;

    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        ogl_ready = 0;
        atm.temp_SL = 59;
        flt.lat = 45;
        const std::string root = dir.str() + "/";
        std::snprintf(app_path, STR_LEN, "%s", root.c_str());
        std::snprintf(tex_path, STR_LEN, "%stextures/", root.c_str());
        std::snprintf(obj_path, STR_LEN, "%sobjects/", root.c_str());
        std::snprintf(cus_path, STR_LEN, "%scustom/", root.c_str());
        hl_prog.bitmap_folder = "Kestrova";
        std::memset(rgb_array, 0x11, sizeof rgb_array);
    }
    void TearDown() override { hl_prog = saved; }

    // Writes a bitmap under the temporary folder and returns its path without the extension.
    std::string put(const std::string& rel_no_ext, const BmpSpec& s, const std::string& ext = ".BMP")
    {
        const std::string p = dir.write(rel_no_ext + ext, make_bmp(s));
        return p.substr(0, p.size() - ext.size());
    }
    static uint32_t at(int x, int y) { return rgb(rgb_array[y][x][0], rgb_array[y][x][1], rgb_array[y][x][2]); }
    static bool array_untouched()
    {
        for (int y = 0; y < SCREEN_H; y++)
            for (int x = 0; x < SCREEN_W; x++)
                if (at(x, y) != rgb(0x11, 0x11, 0x11)) return false;
        return true;
    }
};

uint32_t pattern(int x, int y) { return rgb(10 + x, 100 + y, (x * 7 + y * 13) & 255); }

}  // namespace

TEST_F(Loader, RowLengthHasPaddingToFourBytes)
{
    BmpSpec s;
    s.width = 3;
    s.height = 5;
    EXPECT_EQ(bmp_row_bytes(3), 12);
    EXPECT_EQ(make_bmp(s).size(), 54u + 12u * 5u);
}

TEST_F(Loader, PictureGoesIntoTheArrayAtTheWindowPosition)
{
    for (int w = 1; w <= 6; w++) {   // every padding length, 0 to 3 bytes
        std::memset(rgb_array, 0x11, sizeof rgb_array);
        BmpSpec s;
        s.width = w;
        s.height = 3;
        s.pixel = pattern;
        put("bitmaps/Kestrova/pict", s);
        mnw.x = 100;
        mnw.y = 50;
        ASSERT_EQ(OGL_texbmp(TEXBMP_PICTURE, 20, 10, "pict"), 1);
        for (int y = 0; y < 3; y++)
            for (int x = 0; x < w; x++) EXPECT_EQ(at(120 + x, 60 + y), pattern(x, y)) << w << ": " << x << "," << y;
        EXPECT_EQ(at(120 + w, 60), rgb(0x11, 0x11, 0x11));
        EXPECT_EQ(at(119, 60), rgb(0x11, 0x11, 0x11));
        EXPECT_EQ(at(120, 63), rgb(0x11, 0x11, 0x11));
    }
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(Loader, SharedPictureAndLowerCaseExtension)
{
    BmpSpec s;
    s.pixel = [](int, int) { return rgb(1, 2, 3); };
    put("bitmaps/VNTL", s);
    EXPECT_EQ(OGL_texbmp(TEXBMP_PICTURE, 0, 0, "VNTL"), 1);
    EXPECT_EQ(at(3, 3), rgb(1, 2, 3));
    s.pixel = [](int, int) { return rgb(4, 5, 6); };
    put("bitmaps/Kestrova/Mixed Case", s, ".bmp");
    EXPECT_EQ(OGL_texbmp(TEXBMP_PICTURE, 0, 0, "Mixed Case"), 1);
    EXPECT_EQ(at(0, 0), rgb(4, 5, 6));
}

TEST_F(Loader, DataOffsetOfLaterHeadersIsHonoured)
{
    struct { uint32_t info, gap; } kinds[] = {{40, 0}, {108, 0}, {124, 0}, {40, 37}, {124, 200}};
    for (auto& k : kinds) {
        std::memset(rgb_array, 0x11, sizeof rgb_array);
        BmpSpec s;
        s.width = 5;
        s.height = 4;
        s.info_size = k.info;
        s.gap = k.gap;
        s.pixel = pattern;
        put("bitmaps/Kestrova/pict", s);
        ASSERT_EQ(OGL_texbmp(TEXBMP_PICTURE, 0, 0, "pict"), 1) << k.info;
        for (int y = 0; y < 4; y++)
            for (int x = 0; x < 5; x++) ASSERT_EQ(at(x, y), pattern(x, y)) << k.info << "+" << k.gap;
    }
}

TEST_F(Loader, PicturesAreClippedToTheArray)
{
    BmpSpec s;
    s.width = 1024;
    s.height = 1024;
    s.pixel = [](int, int) { return rgb(9, 9, 9); };
    put("bitmaps/Kestrova/big", s);
    ASSERT_EQ(OGL_texbmp(TEXBMP_PICTURE, 700, 500, "big"), 1);
    EXPECT_EQ(at(700, 500), rgb(9, 9, 9));
    EXPECT_EQ(at(799, 599), rgb(9, 9, 9));
    EXPECT_EQ(at(699, 599), rgb(0x11, 0x11, 0x11));
    ASSERT_EQ(OGL_texbmp(TEXBMP_PICTURE, -1000, -1000, "big"), 1);
    EXPECT_EQ(at(0, 0), rgb(9, 9, 9));
    EXPECT_EQ(at(23, 23), rgb(9, 9, 9));
    EXPECT_EQ(at(24, 24), rgb(0x11, 0x11, 0x11));
}

TEST_F(Loader, DamagedFilesAreFatalAndWriteNothing)
{
    struct Case {
        const char* what;
        std::function<void(BmpSpec&)> damage;
        const char* l1;
    };
    const char* scan = "File-scanning error!";
    const Case cases[] = {
        {"wrong magic", [](BmpSpec& s) { s.magic = 0x4D42 + 1; }, "Trying to read a texture bitmap that is not a bitmap"},
        {"too wide", [](BmpSpec& s) { s.header_width = 1025; }, "Bitmap too wide! (max is 1024)"},
        {"absurd width", [](BmpSpec& s) { s.header_width = 0x7FFFFFFF; }, "Bitmap too wide! (max is 1024)"},
        {"too tall", [](BmpSpec& s) { s.header_height = 5000; }, "Bitmap too tall! (max is 1024)"},
        {"32-bit", [](BmpSpec& s) { s.bits = 32; }, "Wrong bitmap color depth for texture!"},
        {"compressed", [](BmpSpec& s) { s.compression = 1; }, "Bitmap is compressed!"},
        {"zero width", [](BmpSpec& s) { s.header_width = 0; s.width = 0; }, scan},
        {"zero height", [](BmpSpec& s) { s.height = 0; }, scan},
        {"negative height", [](BmpSpec& s) { s.header_height = -4; }, scan},
        {"negative width", [](BmpSpec& s) { s.header_width = -4; }, scan},
        {"huge negative", [](BmpSpec& s) { s.header_height = INT32_MIN; }, scan},
        {"offset past end", [](BmpSpec& s) { s.offset = 1000000; }, scan},
        {"offset in header", [](BmpSpec& s) { s.offset = 20; }, scan},
        {"pixels cut short", [](BmpSpec& s) { s.cut = 10; }, scan},
        {"header cut short", [](BmpSpec& s) { s.cut = 60; }, scan},
        {"old small header", [](BmpSpec& s) { s.info_size = 12; }, scan},
        {"claims more rows", [](BmpSpec& s) { s.header_height = 200; }, scan},
    };
    for (const auto& c : cases) {
        for (int mode : {TEXBMP_PICTURE, TEXBMP_PATH}) {
            BmpSpec s;
            s.width = 4;
            s.height = 4;
            c.damage(s);
            const std::string p = put("bitmaps/Kestrova/bad", s);
            clear_recorded_alerts();
            const char* name = mode == TEXBMP_PICTURE ? "bad" : p.c_str();
            EXPECT_THROW(OGL_texbmp(mode, mode == TEXBMP_PATH ? 300 : 0, 0, name), FatalAlert) << c.what;
            ASSERT_EQ(recorded_alerts().size(), 1u) << c.what;
            const RecordedAlert& a = recorded_alerts()[0];
            EXPECT_EQ(a.code, 2004) << c.what;
            EXPECT_EQ(a.l1, c.l1) << c.what;
            const std::string& path_line = a.l1 == scan ? a.l4 : a.l2;
            EXPECT_NE(path_line.find("bitmaps/Kestrova/bad.BMP"), std::string::npos) << c.what << ": " << path_line;
            EXPECT_TRUE(array_untouched()) << c.what;
        }
    }
    BmpSpec s;
    s.bits = 8;
    put("bitmaps/Kestrova/bad", s);
    clear_recorded_alerts();
    EXPECT_THROW(OGL_texbmp(TEXBMP_PICTURE, 0, 0, "bad"), FatalAlert);
    EXPECT_EQ(recorded_alerts().at(0).l3, "We need 24-bit color.");
    // An empty file.
    dir.write("bitmaps/Kestrova/empty.BMP", "");
    EXPECT_THROW(OGL_texbmp(TEXBMP_PICTURE, 0, 0, "empty"), FatalAlert);
}

TEST_F(Loader, MissingFiles)
{
    // An interface picture is fatal.
    EXPECT_THROW(OGL_texbmp(TEXBMP_PICTURE, 0, 0, "nowhere"), FatalAlert);
    EXPECT_EQ(recorded_alerts().at(0).l1, "Can't open bitmap!");
    EXPECT_NE(recorded_alerts().at(0).l2.find("bitmaps/Kestrova/nowhere.BMP"), std::string::npos);
    clear_recorded_alerts();

    // A texture becomes 4 by 4 grey.
    BmpSpec s;
    s.width = 8;
    s.height = 2;
    put("textures/real", s);
    ASSERT_EQ(OGL_texbmp(TEXBMP_FAMILY, 116, 0, "real"), 1);
    // The error file names the missing picture (the font's and the compass card's are such
    // textures), with no alert to stop the start.
    const std::string log = dir.str() + "/Error.out";
    err.open(log, std::ios::out | std::ios::trunc);
    EXPECT_EQ(OGL_texbmp(TEXBMP_FAMILY, 2005, 0, "gone"), 0);
    err.close();
    err.clear();
    const std::string logged = read_file(log);
    EXPECT_NE(logged.find("Can't open bitmap, drawn grey: "), std::string::npos) << logged;
    EXPECT_NE(logged.find("gone"), std::string::npos) << logged;
    int w, h, c;
    const uint8_t* px = texbmp_last(&w, &h, &c);
    EXPECT_EQ(w, 4);
    EXPECT_EQ(h, 4);
    EXPECT_EQ(c, 3);
    for (int k = 0; k < 48; k++) EXPECT_EQ(px[k], 200);

    // The hand and the cockpit panel have no stand-in.
    ASSERT_EQ(OGL_texbmp(TEXBMP_FAMILY, 116, 0, "real"), 1);
    EXPECT_EQ(OGL_texbmp(TEXBMP_FAMILY, TEX_HAND, 0, "gone"), 0);
    texbmp_last(&w, &h, &c);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(OGL_texbmp(TEXBMP_PANEL, 0, 0, (dir.str() + "/gone").c_str()), 0);
    EXPECT_TRUE(recorded_alerts().empty());
    EXPECT_TRUE(array_untouched());
}

TEST_F(Loader, CockpitPanelMustBe800By333)
{
    BmpSpec s;
    s.width = 800;
    s.height = 333;
    s.pixel = [](int x, int y) { return rgb(x & 255, y & 255, 5); };
    const std::string good = put("planes/Jet PANL", s);
    ASSERT_EQ(OGL_texbmp(TEXBMP_PANEL, 0, 0, good.c_str()), 1);
    EXPECT_EQ(at(799, 332), rgb(799 & 255, 332, 5));
    EXPECT_EQ(at(0, 333), rgb(0x11, 0x11, 0x11));
    s.height = 332;
    const std::string bad = put("planes/Small PANL", s);
    EXPECT_THROW(OGL_texbmp(TEXBMP_PANEL, 0, 0, bad.c_str()), FatalAlert);
    EXPECT_EQ(recorded_alerts().back().l1, "Custom cockpit bitmap is not 800x333 pixels!");
}

TEST_F(Loader, FileNamesByFamilyAndProgram)
{
    hl_prog.is_simulator = 1;
    const std::string t = dir.str() + "/textures/";
    struct { int tex; const char* name; std::string want; } cases[] = {
        {64, "rway_gras", t + "grass/rway_gras"}, {65, "d", t + "dirt/d"}, {66, "g", t + "grav/g"},
        {68, "a", t + "asphalt/a"}, {91, "a", t + "asphalt/a"}, {92, "c", t + "concrete/c"},
        {115, "c", t + "concrete/c"}, {116, "tire", t + "tire"}, {123, "b", t + "buildings/b"},
        {128, "b", t + "buildings/b"}, {132, "smoke", t + "fire/smoke"}, {144, "fire12", t + "fire/fire12"},
        {145, "windsock", t + "windsock"}, {54, "grs", t + "terrain/grs"}, {1005, "roof", dir.str() + "/objects/roof"},
        {2005, "field", dir.str() + "/custom/field"},
    };
    char p[STR_LEN];
    for (auto& c : cases) {
        texbmp_path(TEXBMP_FAMILY, c.tex, c.name, p);
        EXPECT_EQ(std::string(p), c.want) << c.tex;
    }

    // The companion programs know fewer families.
    hl_prog.is_simulator = 0;
    hl_prog.name = "Hullwright";
    texbmp_path(TEXBMP_FAMILY, 64, "rway_gras", p);
    EXPECT_EQ(std::string(p), t + "grass/rway_gras");
    texbmp_path(TEXBMP_FAMILY, 54, "grs", p);
    EXPECT_EQ(std::string(p), t + "grs");
    hl_prog.name = "Foilwright";
    texbmp_path(TEXBMP_FAMILY, 64, "rway_gras", p);
    EXPECT_EQ(std::string(p), t + "rway_gras");

    texbmp_path(TEXBMP_PICTURE, 0, "out_plt", p);
    EXPECT_EQ(std::string(p), dir.str() + "/bitmaps/Kestrova/out_plt");
    texbmp_path(TEXBMP_PATH, 0, "/some/where/x", p);
    EXPECT_EQ(std::string(p), "/some/where/x");
}

TEST_F(Loader, TerrainVariantsFollowWeatherAndLatitude)
{
    hl_prog.is_simulator = 1;
    atm.temp_SL = 20;
    flt.lat = 25;
    EXPECT_STREQ(terrain_variant(52, "grs_wat_c"), "grs_car_c");   // the latitude rule wins
    EXPECT_STREQ(terrain_variant(55, "grs_mnt_h"), "mnt_sno_h");
    EXPECT_STREQ(terrain_variant(50, "wat"), "car");
    EXPECT_STREQ(terrain_variant(58, "mnt"), "sno");
    atm.temp_SL = 59;
    EXPECT_STREQ(terrain_variant(58, "mnt"), "mnt");
    EXPECT_STREQ(terrain_variant(59, "mnt_wat_h"), "mnt_car_h");
    flt.lat = 45;
    EXPECT_STREQ(terrain_variant(52, "grs_wat_c"), "grs_wat_c");
    flt.lat = -40;   // the whole southern hemisphere counts as below 30
    EXPECT_STREQ(terrain_variant(50, "wat"), "car");
    atm.temp_SL = 20;
    flt.lat = 25;
    char p[STR_LEN];
    texbmp_path(TEXBMP_FAMILY, 52, "grs_wat_c", p);
    EXPECT_EQ(std::string(p), dir.str() + "/textures/terrain/grs_car_c");
}

TEST_F(Loader, ReductionDivisors)
{
    struct { int tex, res, max_side, w, h, want; } cases[] = {
        {54, 1, 4096, 1024, 1024, 16}, {54, 2, 4096, 1024, 1024, 8}, {54, 3, 4096, 1024, 1024, 4},
        {54, 4, 4096, 1024, 1024, 2}, {54, 5, 4096, 1024, 1024, 1}, {2003, 1, 4096, 256, 256, 16},
        {116, 1, 4096, 256, 256, 4}, {116, 2, 4096, 256, 256, 2}, {116, 3, 4096, 256, 256, 2},
        {116, 4, 4096, 256, 256, 1}, {129, 1, 4096, 256, 256, 1}, {131, 1, 4096, 256, 256, 1},
        {146, 1, 4096, 256, 256, 1}, {149, 1, 4096, 256, 256, 1}, {150, 1, 4096, 256, 256, 4},
        {116, 5, 256, 1024, 512, 4}, {129, 5, 100, 1024, 64, 16}, {116, 0, 4096, 64, 64, 1},
    };
    for (auto& c : cases)
        EXPECT_EQ(tex_divisor(c.tex, c.res, c.max_side, c.w, c.h), c.want) << c.tex << " res " << c.res;
}

TEST_F(Loader, BigTerrainIsReducedAndMipmappedToOnePixel)
{
    hl_prog.is_simulator = 1;
    set.ogl_res = 1;
    BmpSpec s;
    s.width = s.height = 1024;
    s.pixel = [](int x, int y) { return rgb(x & 255, y & 255, (x / 16 + y / 16) & 255); };
    const std::string p = put("terrain", s);
    ASSERT_EQ(OGL_texbmp(TEXBMP_PATH, 54, ALPHA_TERRAIN, p.c_str()), 1);
    int w, h, c;
    const uint8_t* px = texbmp_last(&w, &h, &c);
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 64);
    EXPECT_EQ(c, 3);
    EXPECT_EQ(texbmp_last_levels(), 6);   // 32, 16, 8, 4, 2, 1
    for (int y = 0; y < 64; y += 9)
        for (int x = 0; x < 64; x += 7) {
            const uint8_t* q = px + (y * 64 + x) * 3;
            EXPECT_EQ(rgb(q[0], q[1], q[2]), s.pixel(16 * x, 16 * y)) << x << "," << y;
        }
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(Loader, NonSquareTerrainIsANotice)
{
    BmpSpec s;
    s.width = 8;
    s.height = 4;
    const std::string p = put("wide", s);
    EXPECT_EQ(OGL_texbmp(TEXBMP_PATH, 2001, ALPHA_TERRAIN, p.c_str()), 1);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].l1, "WHOA!");
    EXPECT_EQ(recorded_alerts()[0].code, 2002);
    EXPECT_EQ(texbmp_last_levels(), 3);   // 4x2, 2x1, 1x1
}

TEST_F(Loader, AlphaByColourKeyAndBrightness)
{
    BmpSpec s;
    s.width = 4;
    s.height = 1;
    const uint32_t px[4] = {rgb(1, 1, 1), rgb(0, 0, 0), rgb(1, 1, 2), rgb(30, 60, 90)};
    s.pixel = [&](int x, int) { return px[x]; };
    const std::string p = put("keyed", s);

    ASSERT_EQ(OGL_texbmp(TEXBMP_PATH, 300, ALPHA_KEY, p.c_str()), 1);
    int w, h, c;
    const uint8_t* q = texbmp_last(&w, &h, &c);
    ASSERT_EQ(c, 4);
    EXPECT_EQ(q[3], 0);      // only (1, 1, 1) is transparent
    EXPECT_EQ(q[7], 255);    // black stays opaque
    EXPECT_EQ(q[11], 255);
    EXPECT_EQ(q[12], 30);
    EXPECT_EQ(q[14], 90);

    ASSERT_EQ(OGL_texbmp(TEXBMP_PATH, 300, ALPHA_BRIGHT, p.c_str()), 1);
    q = texbmp_last(&w, &h, &c);
    ASSERT_EQ(c, 4);
    EXPECT_EQ(q[12] + q[13] + q[14], 3 * 255);   // white
    EXPECT_EQ(q[15], 60);                        // (30 + 60 + 90) / 3
    EXPECT_EQ(q[3], 1);

    ASSERT_EQ(OGL_texbmp(TEXBMP_PATH, TEX_SMOKE, ALPHA_BRIGHT, p.c_str()), 1);
    q = texbmp_last(&w, &h, &c);
    EXPECT_EQ(q[12] + q[13] + q[14], 0);         // smoke is dark
    EXPECT_EQ(q[15], 60);

    ASSERT_EQ(OGL_texbmp(TEXBMP_PATH, 300, 0, p.c_str()), 1);
    texbmp_last(&w, &h, &c);
    EXPECT_EQ(c, 3);
}
