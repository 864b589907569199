// gen_bitmaps_test.cpp -- the bitmap generator: its BMP writer, its manifest against the names and
// folders the loaders use, the files the build wrote, and what the pictures show where it matters.
#include "gbm.h"
#include "kvglyphs.h"
#include "kvtest.h"
#include "media_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

namespace {

std::string program_path(const std::string& rel) { return std::string(KV_PROGRAM_DIR) + "/" + rel; }

media::Bmp load(const std::string& rel)
{
    media::Bmp b = media::parse_bmp(read_file(program_path(rel)));
    EXPECT_EQ(b.error, "") << rel;
    return b;
}

GbmImage solid(int w, int h, float v)
{
    GbmImage img;
    img.w = w;
    img.h = h;
    img.px.assign(static_cast<size_t>(w) * h * 3, v);
    return img;
}

// Mean colour of the square of side `size` pixels centred on (s, t) in texture units.
std::array<float, 3> mean_at(const media::Bmp& b, float s, float t, int size)
{
    int cx = static_cast<int>(s * b.w), cy = static_cast<int>(t * b.h);
    std::array<float, 3> m{0, 0, 0};
    int n = 0;
    for (int y = std::max(cy - size / 2, 0); y < std::min(cy + size / 2, b.h); y++)
        for (int x = std::max(cx - size / 2, 0); x < std::min(cx + size / 2, b.w); x++, n++)
            for (int c = 0; c < 3; c++) m[c] += b.at(x, y)[c];
    for (float& v : m) v /= std::max(n, 1);
    return m;
}

// What a patch of terrain looks like from above.
std::string material(const std::array<float, 3>& c)
{
    float r = c[0], g = c[1], b = c[2];
    if (r > 170 && g > 170 && b > 170) return "sno";
    if (b > r + 25) return g > 120 ? "car" : "wat";
    if (g >= r - 2 && g > b + 25) return "grs";
    return "mnt";
}

bool white(const uint8_t* p) { return p[0] > 200 && p[1] > 200 && p[2] > 190; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// The writer

TEST(BmpWriter, PadsRowsToFourBytesAndWritesBottomRowFirst)
{
    // width -> padding bytes per row, as the loader skips them
    const std::map<int, int> padding = {{1, 1}, {2, 2}, {3, 3}, {4, 0}, {5, 1}, {7, 3}, {8, 0}};
    for (auto [w, pad] : padding) {
        GbmImage img = solid(w, 3, 0.0f);
        for (int y = 0; y < 3; y++)
            for (int x = 0; x < w; x++) {
                float* p = &img.px[(static_cast<size_t>(y) * w + x) * 3];
                p[0] = static_cast<float>(10 * x + 1);
                p[1] = static_cast<float>(50 + y);
                p[2] = 200.0f;
            }
        std::vector<uint8_t> bytes = gbm_encode_bmp(img);
        std::string s(bytes.begin(), bytes.end());
        EXPECT_EQ(s.size(), 54u + 3u * (3u * w + pad)) << "width " << w;
        media::Bmp b = media::parse_bmp(s);
        ASSERT_EQ(b.error, "") << "width " << w;
        // The first pixel in the file is the bottom-left one, stored blue, green, red.
        EXPECT_EQ(static_cast<uint8_t>(s[54]), 200);
        EXPECT_EQ(static_cast<uint8_t>(s[55]), 50);
        EXPECT_EQ(static_cast<uint8_t>(s[56]), 1);
        for (int y = 0; y < 3; y++)
            for (int x = 0; x < w; x++) {
                EXPECT_EQ(b.at(x, y)[0], 10 * x + 1);
                EXPECT_EQ(b.at(x, y)[1], 50 + y);
            }
    }
}

TEST(BmpWriter, KeyPixelsAloneComeOutAsOneOneOne)
{
    GbmImage img = solid(4, 2, 1.0f);  // every pixel (1, 1, 1) but not marked transparent
    img.key.assign(8, 0);
    img.key[5] = 1;
    img.px[0] = 1.4f;  // rounds to 1 as well
    img.px[3] = -7.0f;
    img.px[4] = 300.0f;
    img.px[5] = std::nanf("");
    media::Bmp b = media::parse_bmp([&] {
        std::vector<uint8_t> v = gbm_encode_bmp(img);
        return std::string(v.begin(), v.end());
    }());
    ASSERT_EQ(b.error, "");
    for (int i = 0; i < 8; i++) {
        int x = i % 4, y = i / 4;
        EXPECT_EQ(b.is_key(x, y), i == 5) << "pixel " << i;
    }
    EXPECT_EQ(b.at(1, 0)[0], 0);    // clamped below
    EXPECT_EQ(b.at(1, 0)[1], 255);  // clamped above
    EXPECT_EQ(b.at(1, 0)[2], 0);    // not a number
}

// ---------------------------------------------------------------------------------------------
// The manifest against the loaders' names and folders

TEST(BitmapManifest, HoldsExactlyTheNamesTheProgramsLoad)
{
    std::set<std::string> want;
    for (const char* t : {"wat", "grs", "mnt", "grs_wat_h", "grs_wat_c", "wat_grs_c", "grs_mnt_h", "grs_mnt_c", "mnt_grs_c",
                          "mnt_wat_h", "mnt_wat_c", "wat_mnt_c", "sno", "mnt_sno_h", "mnt_sno_c", "sno_mnt_c", "sno_wat_h",
                          "sno_wat_c", "wat_sno_c", "car", "grs_car_c", "grs_car_h", "mnt_car_c", "mnt_car_h", "car_grs_c",
                          "car_mnt_c"})
        want.insert(std::string("textures/terrain/") + t + ".BMP");
    // The scenery editor knows no terrain family and takes the standard twelve from the textures folder.
    for (const char* t : {"wat", "grs", "mnt", "grs_wat_h", "grs_wat_c", "wat_grs_c", "grs_mnt_h", "grs_mnt_c", "mnt_grs_c",
                          "mnt_wat_h", "mnt_wat_c", "wat_mnt_c"})
        want.insert(std::string("textures/") + t + ".BMP");
    for (const char* set : {"asphalt", "concrete"}) {
        for (const char* r : {"rway_0L", "rway_1L", "rway_2L", "rway_3L", "rway_L", "rway_C", "rway_R", "rway_turn",
                              "rway_pave", "rway_disp", "rway_thld", "rway_tdzm", "rway_fdmk", "rway_line"})
            want.insert(std::string("textures/") + set + "/" + r + ".BMP");
        for (int d = 0; d <= 9; d++) want.insert(std::string("textures/") + set + "/rway_" + std::to_string(d) + "R.BMP");
    }
    want.insert("textures/grass/rway_gras.BMP");
    want.insert("textures/dirt/rway_dirt.BMP");
    want.insert("textures/grav/rway_grav.BMP");
    for (const char* b : {"bld_block", "bld_nartop", "bld_tapered", "bld_narbot", "bld_avon", "bld_contow"})
        want.insert(std::string("textures/buildings/") + b + ".BMP");
    for (int f = 1; f <= 12; f++) want.insert("textures/fire/fire" + std::to_string(f) + ".BMP");
    want.insert("textures/fire/smoke.BMP");
    for (const char* n : {"tire", "metal", "deck", "dirty", "pad", "tower", "hull", "tree", "pdisc", "cloud", "windsock",
                          "letters", "cursor", "dg", "hand"})
        want.insert(std::string("textures/") + n + ".BMP");
    want.insert("bitmaps/VNTL.BMP");
    for (const char* w : {"loc_id_", "loc_nam", "loc_nrt", "loc_wrl", "loc_lat", "loc_whr", "set_dat", "set_ser", "set_tim",
                          "set_ogl", "set_spa", "set_atm", "set_gnd", "set_wat", "set_flt", "set_wgt", "set_rel", "set_ins",
                          "set_eqp", "set_snd", "set_wrn", "out_grf", "out_plt", "fltplan"})
        want.insert(std::string("bitmaps/Kestrova/") + w + ".BMP");
    for (const char* c : {"PANL_P", "PANL_H", "statbar", "radios", "pict_asi", "pict_ahz", "pict_alt", "pict_trn", "pict_ned",
                          "pict_hsi", "pict_vvi", "pict_adf", "pict_tim", "pict_vor", "pict_str", "pict_arg", "pict_rlt",
                          "pict_var", "pict_rad", "gps", "pict_efi", "b_gear", "ecam", "egt", "eng_in", "b_sbrka", "b_sbrkm",
                          "b_trim", "b_swee", "b_vect"})
        want.insert(std::string("bitmaps/Kestrova/") + c + ".BMP");
    // The bundled custom object's texture lies beside its object file.
    want.insert("additional nav data/custom objects/kv_hangar.BMP");

    std::set<std::string> have;
    for (const GbmEntry& e : gbm_manifest()) EXPECT_TRUE(have.insert(e.path).second) << "twice: " << e.path;
    EXPECT_EQ(have, want);
}

TEST(BitmapManifest, WindowBackgroundsHaveTheirWindowsSizes)
{
    const std::map<std::string, std::pair<int, int>> windows = {
        {"loc_id_", {176, 440}}, {"loc_nam", {334, 200}}, {"loc_nrt", {71, 494}},  {"loc_wrl", {788, 443}},
        {"loc_lat", {246, 165}}, {"loc_whr", {531, 121}}, {"set_dat", {620, 400}}, {"set_ser", {600, 478}},
        {"set_tim", {691, 147}}, {"set_ogl", {600, 540}}, {"set_spa", {197, 84}},  {"set_atm", {618, 527}},
        {"set_gnd", {197, 148}}, {"set_wat", {197, 271}}, {"set_flt", {787, 519}}, {"set_wgt", {436, 252}},
        {"set_rel", {344, 345}}, {"set_ins", {350, 520}}, {"set_eqp", {682, 560}}, {"set_snd", {293, 250}},
        {"set_wrn", {550, 172}}, {"out_grf", {620, 420}}, {"out_plt", {432, 494}}, {"fltplan", {589, 415}},
    };
    int seen = 0;
    for (const GbmEntry& e : gbm_manifest()) {
        std::string p = e.path;
        if (p.rfind("bitmaps/Kestrova/", 0) != 0) continue;
        std::string name = p.substr(17, p.size() - 17 - 4);
        if (!windows.count(name)) continue;   // the panel's pictures, held against the panel's own table elsewhere
        EXPECT_EQ(e.w, windows.at(name).first) << name;
        EXPECT_EQ(e.h, windows.at(name).second) << name;
        seen++;
    }
    EXPECT_EQ(seen, 24);
}

// ---------------------------------------------------------------------------------------------
// The files the build wrote

TEST(BitmapFiles, EveryEntryIsAGoodBmpOfItsSizeInTheProgramFolder)
{
    for (const GbmEntry& e : gbm_manifest()) {
        media::Bmp b = load(e.path);
        if (!b.error.empty()) continue;
        EXPECT_EQ(b.w, e.w) << e.path;
        EXPECT_EQ(b.h, e.h) << e.path;
        if (e.use != GBM_WINDOW) {  // textures: powers of two, as OpenGL 1.1 wants them
            EXPECT_EQ(b.w & (b.w - 1), 0) << e.path;
            EXPECT_EQ(b.h & (b.h - 1), 0) << e.path;
        }
        if (e.use == GBM_TERRAIN) {
            EXPECT_EQ(b.w, b.h) << e.path;
        }
    }
}

TEST(BitmapFiles, BuiltFilesEqualAFreshDrawing)
{
    const std::vector<GbmEntry>& m = gbm_manifest();
    const std::vector<std::vector<uint8_t>> files = gbm_encode_all();
    ASSERT_EQ(files.size(), m.size());
    for (size_t i = 0; i < m.size(); i++)
        EXPECT_TRUE(read_file(program_path(m[i].path)) == std::string(files[i].begin(), files[i].end())) << m[i].path;
    // One picture drawn on its own equals its file drawn with all the others.
    GbmImage img;
    gbm_draw_entry(0, img);
    EXPECT_TRUE(gbm_encode_bmp(img) == files[0]);
}

TEST(BitmapFiles, ColourKeyAppearsOnlyInKeyedPictures)
{
    for (const GbmEntry& e : gbm_manifest()) {
        media::Bmp b = load(e.path);
        if (!b.error.empty()) continue;
        long keys = 0;
        for (int y = 0; y < b.h; y++)
            for (int x = 0; x < b.w; x++) keys += b.is_key(x, y);
        if (e.use == GBM_KEYED) {
            EXPECT_GT(keys, 0) << e.path;
            EXPECT_LT(keys, static_cast<long>(b.w) * b.h) << e.path;
        } else {
            EXPECT_EQ(keys, 0) << e.path;
        }
    }
}

TEST(BitmapFiles, TransparentWhereNothingIsAndOpaqueWhereSomethingIs)
{
    struct Spot {
        const char* path;
        float s, t;
        bool key;
    };
    const Spot spots[] = {
        {"textures/tree.BMP", 0.02f, 0.98f, true},   // sky above the crown's corner
        {"textures/tree.BMP", 0.5f, 0.02f, false},   // foot of the trunk
        {"textures/tree.BMP", 0.5f, 0.6f, false},    // middle of the crown
        {"textures/tree.BMP", 0.05f, 0.05f, true},   // ground beside the trunk
        {"textures/cursor.BMP", 0.0f, 0.99f, false}, // the tip, top left
        {"textures/cursor.BMP", 0.99f, 0.0f, true},
        {"textures/fire/fire1.BMP", 0.02f, 0.98f, true},
        {"textures/fire/fire1.BMP", 0.5f, 0.02f, false},
        {"textures/grass/rway_gras.BMP", 0.0f, 0.5f, true},  // ragged edges
        {"textures/grass/rway_gras.BMP", 0.5f, 0.5f, false},
        {"textures/dirt/rway_dirt.BMP", 0.999f, 0.3f, true},
        {"textures/grav/rway_grav.BMP", 0.5f, 0.9f, false},
        {"textures/dg.BMP", 0.5f, 0.5f, true},    // the card's middle shows the instrument behind
        {"textures/dg.BMP", 0.5f, 0.975f, false}, // the north tick at the rim
    };
    for (const Spot& sp : spots) {
        media::Bmp b = load(sp.path);
        if (!b.error.empty()) continue;
        int x = std::min(static_cast<int>(sp.s * b.w), b.w - 1), y = std::min(static_cast<int>(sp.t * b.h), b.h - 1);
        EXPECT_EQ(b.is_key(x, y), sp.key) << sp.path << " at " << sp.s << ", " << sp.t;
    }
}

// The cloud layer turns its picture a quarter per cell: the picture's border is clear air (black,
// no opacity) all round, so turned cells meet without a seam, and its middle holds cloud.
TEST(CloudPicture, ClearAllRoundItsEdgesAndCloudyInItsMiddle)
{
    media::Bmp b = load("textures/cloud.BMP");
    ASSERT_TRUE(b.error.empty()) << b.error;
    int edge_max = 0;
    for (int k = 0; k < b.w; k++)
        for (int band = 0; band < 4; band++)
            for (int c = 0; c < 3; c++) {
                edge_max = std::max(edge_max, static_cast<int>(b.at(k, band)[c]));
                edge_max = std::max(edge_max, static_cast<int>(b.at(k, b.h - 1 - band)[c]));
                edge_max = std::max(edge_max, static_cast<int>(b.at(band, k * b.h / b.w)[c]));
                edge_max = std::max(edge_max, static_cast<int>(b.at(b.w - 1 - band, k * b.h / b.w)[c]));
            }
    EXPECT_EQ(edge_max, 0) << "the border is clear";
    int cloudy = 0, n = 0;
    for (int y = b.h / 4; y < 3 * b.h / 4; y++)
        for (int x = b.w / 4; x < 3 * b.w / 4; x++, n++) cloudy += b.at(x, y)[0] > 128 ? 1 : 0;
    EXPECT_GT(cloudy, n / 4) << "the middle holds cloud";
    EXPECT_LT(cloudy, n) << "with gaps in it";
}

// ---------------------------------------------------------------------------------------------
// The font sheet follows the dot font

TEST(FontSheet, CellsCarryTheDotFontsGlyphs)
{
    media::Bmp b = load("textures/letters.BMP");
    ASSERT_EQ(b.error, "");
    // The glyph of character c as seven rows of five bits, read from its 8 x 8 cell (column c % 16,
    // row c / 16 from the top, lower-left dot at the cell's (1, 0)).
    auto cell = [&](int c) {
        std::array<int, 7> rows{};
        int x0 = (c % 16) * 8 + 1, y0 = b.h - (c / 16 + 1) * 8;
        for (int r = 0; r < 7; r++)
            for (int col = 0; col < 5; col++) {
                const uint8_t* p = b.at(x0 + col, y0 + 6 - r);
                if (!b.is_key(x0 + col, y0 + 6 - r)) {
                    EXPECT_EQ(p[0], 255);
                    rows[static_cast<size_t>(r)] |= 0x10 >> col;
                }
            }
        return rows;
    };
    for (const PinnedGlyph& g : kPinnedGlyphs) {
        std::array<int, 7> rows{};
        for (int r = 0; r < 7; r++) rows[static_cast<size_t>(r)] = g.rows[r];
        EXPECT_EQ(cell(g.c), rows) << "character " << g.c;
    }
    const std::array<int, 7> underscore = {0, 0, 0, 0, 0, 0, 0x1F};
    // '"', '`', '{', '}', '~' and characters outside 32..124 draw the underscore.
    for (int c : {34, 96, 123, 125, 126, 0, 31, 127}) EXPECT_EQ(cell(c), underscore) << "character " << c;
    EXPECT_EQ(cell(' '), (std::array<int, 7>{}));
    for (int c = 'a'; c <= 'z'; c++) EXPECT_EQ(cell(c), cell(c - 32)) << "character " << static_cast<char>(c);
    EXPECT_NE(cell('|'), underscore);
}

// ---------------------------------------------------------------------------------------------
// Terrain

TEST(TerrainPictures, PlainPicturesRepeatWithoutASeam)
{
    for (const char* n : {"wat", "grs", "mnt", "sno", "car"}) {
        media::Bmp b = load(std::string("textures/terrain/") + n + ".BMP");
        if (!b.error.empty()) continue;
        auto col_diff = [&](int x0, int x1) {
            double d = 0;
            for (int y = 0; y < b.h; y++)
                for (int c = 0; c < 3; c++) d += std::abs(b.at(x0, y)[c] - b.at(x1, y)[c]);
            return d / b.h;
        };
        auto row_diff = [&](int y0, int y1) {
            double d = 0;
            for (int x = 0; x < b.w; x++)
                for (int c = 0; c < 3; c++) d += std::abs(b.at(x, y0)[c] - b.at(x, y1)[c]);
            return d / b.w;
        };
        double inner_x = 0, inner_y = 0;
        for (int k = 100; k < 110; k++) {
            inner_x += col_diff(k, k + 1) / 10;
            inner_y += row_diff(k, k + 1) / 10;
        }
        EXPECT_LT(col_diff(b.w - 1, 0), 2.0 * inner_x + 1.0) << n;
        EXPECT_LT(row_diff(b.h - 1, 0), 2.0 * inner_y + 1.0) << n;
    }
}

// A half tile "a_b_h" has a on the left and b on the right; a corner tile "a_b_c" is a with a
// quarter disc of b at s = 1, t = 0; their boundaries meet the tile's edges at the edges' middles,
// so that the region's corner orientations join them up.
TEST(TerrainPictures, TransitionsPutEachMaterialOnItsSide)
{
    struct Tile {
        const char* name;
        const char *a, *b;
        bool corner;
    };
    const Tile tiles[] = {
        {"grs_wat_h", "grs", "wat", false}, {"grs_wat_c", "grs", "wat", true}, {"wat_grs_c", "wat", "grs", true},
        {"grs_mnt_h", "grs", "mnt", false}, {"grs_mnt_c", "grs", "mnt", true}, {"mnt_grs_c", "mnt", "grs", true},
        {"mnt_wat_h", "mnt", "wat", false}, {"mnt_wat_c", "mnt", "wat", true}, {"wat_mnt_c", "wat", "mnt", true},
        {"mnt_sno_h", "mnt", "sno", false}, {"mnt_sno_c", "mnt", "sno", true}, {"sno_mnt_c", "sno", "mnt", true},
        {"sno_wat_h", "sno", "wat", false}, {"sno_wat_c", "sno", "wat", true}, {"wat_sno_c", "wat", "sno", true},
        {"grs_car_h", "grs", "car", false}, {"grs_car_c", "grs", "car", true}, {"car_grs_c", "car", "grs", true},
        {"mnt_car_h", "mnt", "car", false}, {"mnt_car_c", "mnt", "car", true}, {"car_mnt_c", "car", "mnt", true},
    };
    for (const Tile& tl : tiles) {
        media::Bmp b = load(std::string("textures/terrain/") + tl.name + ".BMP");
        if (!b.error.empty()) continue;
        auto at = [&](float s, float t) { return material(mean_at(b, s, t, 16)); };
        // Along the bottom edge the boundary crosses at s = 0.5 in both shapes.
        EXPECT_EQ(at(0.3f, 0.03f), tl.a) << tl.name;
        EXPECT_EQ(at(0.72f, 0.03f), tl.b) << tl.name;
        if (tl.corner) {
            EXPECT_EQ(at(0.9f, 0.1f), tl.b) << tl.name;
            EXPECT_EQ(at(0.1f, 0.9f), tl.a) << tl.name;
            EXPECT_EQ(at(0.97f, 0.28f), tl.b) << tl.name;  // the right edge crosses at t = 0.5
            EXPECT_EQ(at(0.97f, 0.72f), tl.a) << tl.name;
        } else {
            EXPECT_EQ(at(0.15f, 0.5f), tl.a) << tl.name;
            EXPECT_EQ(at(0.85f, 0.5f), tl.b) << tl.name;
            EXPECT_EQ(at(0.3f, 0.97f), tl.a) << tl.name;
            EXPECT_EQ(at(0.72f, 0.97f), tl.b) << tl.name;
        }
    }
    // And the plain pictures are what their names say.
    for (const char* n : {"wat", "grs", "mnt", "sno", "car"}) {
        media::Bmp b = load(std::string("textures/terrain/") + n + ".BMP");
        if (b.error.empty()) {
            EXPECT_EQ(material(mean_at(b, 0.5f, 0.5f, 256)), n);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Runway markings

TEST(RunwayPictures, ThresholdHasEightBarsEachSideOfTheCentre)
{
    for (const char* set : {"asphalt", "concrete"}) {
        media::Bmp b = load(std::string("textures/") + set + "/rway_thld.BMP");
        if (!b.error.empty()) continue;
        std::vector<float> centres;
        int y = b.h / 2, start = -1;
        for (int x = b.w / 20; x <= b.w - b.w / 20; x++) {
            bool w = x < b.w - b.w / 20 && white(b.at(x, y));
            if (w && start < 0) start = x;
            if (!w && start >= 0) {
                centres.push_back((start + x - 1) * 0.5f);
                start = -1;
            }
        }
        ASSERT_EQ(centres.size(), 16u) << set;
        for (size_t i = 0; i < 8; i++) EXPECT_NEAR(centres[i] + centres[15 - i], b.w - 1.0f, 2.0f) << set;
        EXPECT_FALSE(white(b.at(b.w / 2, y))) << set;  // the gap on the centre line
    }
}

TEST(RunwayPictures, MarkingsSitWhereThePilotLooksForThem)
{
    for (const char* set : {"asphalt", "concrete"}) {
        std::string dir = std::string("textures/") + set + "/";
        media::Bmp line = load(dir + "rway_line.BMP"), pave = load(dir + "rway_pave.BMP"), disp = load(dir + "rway_disp.BMP");
        if (!line.error.empty() || !pave.error.empty() || !disp.error.empty()) continue;
        // Centre-line dash across the segment's middle, gaps at its ends; side stripes at both edges.
        EXPECT_TRUE(white(line.at(line.w / 2, line.h / 2))) << set;
        EXPECT_FALSE(white(line.at(line.w / 2, line.h / 20))) << set;
        EXPECT_TRUE(white(line.at(line.w * 22 / 1000, line.h / 2))) << set;
        EXPECT_TRUE(white(line.at(line.w * 978 / 1000, line.h / 2))) << set;
        // Plain pavement carries no paint at all.
        int painted = 0;
        for (int y = 0; y < pave.h; y++)
            for (int x = 0; x < pave.w; x++) painted += white(pave.at(x, y));
        EXPECT_EQ(painted, 0) << set;
        // The area beyond the threshold is marked in yellow.
        int yellow = 0;
        for (int y = 0; y < disp.h; y++)
            for (int x = 0; x < disp.w; x++) {
                const uint8_t* p = disp.at(x, y);
                yellow += p[0] > 170 && p[1] > 120 && p[2] < 110;
            }
        EXPECT_GT(yellow, disp.w * disp.h / 100) << set;
        // Tens digits fill the left half of a segment (side stripe on their left), units digits the
        // right half (stripe on their right).
        for (int d = 0; d <= 3; d++) {
            media::Bmp t = load(dir + "rway_" + std::to_string(d) + "L.BMP");
            if (!t.error.empty()) continue;
            EXPECT_TRUE(white(t.at(t.w * 44 / 1000, t.h / 2))) << set << " tens " << d;
            EXPECT_FALSE(white(t.at(t.w * 956 / 1000, t.h / 2))) << set << " tens " << d;
        }
        for (int d = 0; d <= 9; d++) {
            media::Bmp u = load(dir + "rway_" + std::to_string(d) + "R.BMP");
            if (!u.error.empty()) continue;
            EXPECT_TRUE(white(u.at(u.w * 956 / 1000, u.h / 2))) << set << " units " << d;
            EXPECT_FALSE(white(u.at(u.w * 44 / 1000, u.h / 2))) << set << " units " << d;
        }
    }
    // Concrete is the lighter surface.
    media::Bmp a = load("textures/asphalt/rway_pave.BMP"), c = load("textures/concrete/rway_pave.BMP");
    if (a.error.empty() && c.error.empty()) {
        EXPECT_GT(mean_at(c, 0.5f, 0.5f, 256)[1], mean_at(a, 0.5f, 0.5f, 256)[1] + 40.0f);
    }
}

TEST(RunwayPictures, EveryDigitAndLetterIsDistinctAndLegible)
{
    for (const char* set : {"asphalt", "concrete"}) {
        std::vector<std::string> names;
        for (int d = 0; d <= 3; d++) names.push_back("rway_" + std::to_string(d) + "L");
        for (int d = 0; d <= 9; d++) names.push_back("rway_" + std::to_string(d) + "R");
        for (const char* l : {"rway_L", "rway_C", "rway_R"}) names.push_back(l);
        std::set<std::string> glyphs;
        for (const std::string& n : names) {
            media::Bmp b = load(std::string("textures/") + set + "/" + n + ".BMP");
            if (!b.error.empty()) continue;
            // The painted shape, without the side stripes: which pixels are white.
            std::string shape;
            int painted = 0;
            for (int y = 0; y < b.h; y += 2)
                for (int x = b.w / 10; x < b.w - b.w / 10; x += 2) {
                    bool w = white(b.at(x, y));
                    shape += w ? '#' : '.';
                    painted += w;
                }
            EXPECT_GT(painted, static_cast<int>(shape.size()) / 50) << set << " " << n;
            EXPECT_LT(painted, static_cast<int>(shape.size()) / 2) << set << " " << n;
            EXPECT_TRUE(glyphs.insert(shape).second) << set << " " << n << " looks like another";
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The tool itself

TEST(GenBitmapsTool, WritesTheSameFilesAgainAndRefusesBadArguments)
{
    const std::string tool = std::string(KV_TOOLS_BIN_DIR) + "/gen_bitmaps";
    TempDir dir;
    ASSERT_EQ(std::system(("'" + tool + "' '" + dir.str() + "' 2>/dev/null").c_str()), 0);
    for (const GbmEntry& e : gbm_manifest())
        EXPECT_TRUE(read_file(dir.str() + "/" + e.path) == read_file(program_path(e.path))) << e.path;
    EXPECT_NE(std::system(("'" + tool + "' 2>/dev/null").c_str()), 0);
    dir.write("blocked", "x");
    EXPECT_NE(std::system(("'" + tool + "' '" + dir.str() + "/blocked' 2>/dev/null").c_str()), 0);
}
