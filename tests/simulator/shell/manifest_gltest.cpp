// manifest_gltest.cpp -- every picture the simulator names in its own tables (the textures
// load_texes loads, with the snow and low-latitude swaps, the window's start-up pictures, the title
// picture and the windows' backgrounds) is in the built program folder under exactly the name the
// loader asks for and loads through OGL_texbmp on an offscreen context; and the bitmap generator
// writes nothing that no loader asks for.
#include "gbm.h"
#include "hl_graph.h"
#include "hl_mnw.h"
#include "hl_program.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvtest.h"
#include "lax.h"
#include "panel.h"
#include "panel_local.h"
#include "plt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// One picture as a loader asks for it.
struct Picture {
    std::string path;     // the file the loader opens
    int mode, a, b;       // OGL_texbmp's arguments
    std::string name;
    float temp_SL, lat;   // the weather and place under which the loader asks for this file
    int window;           // the window whose background it is, or -1
    std::string source;   // the table that names it, for the messages
};

// The weather and place classes the terrain swap tells apart: temperate, freezing, tropical, both.
struct Climate {
    float temp_SL, lat;
};
const Climate k_climates[] = {{59.0f, 34.0f}, {20.0f, 34.0f}, {59.0f, 25.0f}, {20.0f, 25.0f}};

std::string loader_path(int mode, int a, const char* name)
{
    char base[STR_LEN];
    texbmp_path(mode, a, name, base);
    return std::string(base) + BITMAP_EXTENSION;
}

// Every picture the simulator's tables name, each file once (the first way it is asked for).
std::vector<Picture> simulator_pictures()
{
    std::vector<Picture> out;
    std::set<std::string> seen;
    auto add = [&](int mode, int a, int b, const char* name, Climate c, int window, const std::string& source) {
        atm.temp_SL = c.temp_SL;
        flt.lat = c.lat;
        Picture p{loader_path(mode, a, name), mode, a, b, name, c.temp_SL, c.lat, window, source};
        if (seen.insert(p.path).second) out.push_back(p);
    };
    int n;
    const lax_tex* terrain = load_texes_terrain(&n);
    for (const Climate& c : k_climates)
        for (int k = 0; k < n; k++)
            add(TEXBMP_FAMILY, terrain[k].tex, terrain[k].alpha, terrain[k].name, c, -1, "load_texes terrain");
    const lax_tex* fixed = load_texes_fixed(&n);
    for (int k = 0; k < n; k++)
        add(TEXBMP_FAMILY, fixed[k].tex, fixed[k].alpha, fixed[k].name, k_climates[0], -1, "load_texes fixed");
    const hl_start_tex* start = hl_start_textures(&n);
    for (int k = 0; k < n; k++)
        add(TEXBMP_FAMILY, start[k].tex, start[k].alpha, start[k].name, k_climates[0], -1, "start-up textures");
    for (int id = 0; id <= 25; id++)
        if (const char* name = hl_window_bitmap(id))
            add(TEXBMP_PICTURE, 0, 0, name, k_climates[0], id, "window " + std::to_string(id));
    const char* const* panel = panel_picture_names(&n);
    for (int k = 0; k < n; k++) add(TEXBMP_PICTURE, 0, 0, panel[k], k_climates[0], -1, "panel");
    // The bundled custom objects' textures: the word after each element count of 3 or 4, numbered
    // 1000 + k in the order they first appear (the files in name order).
    std::vector<fs::path> objects;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(obj_path, ec))
        if (e.path().extension() == ".OBJ") objects.push_back(e.path());
    std::sort(objects.begin(), objects.end());
    std::vector<std::string> words;
    for (const fs::path& o : objects) {
        std::ifstream f(o);
        std::string line;
        while (std::getline(f, line)) {
            char word[64];
            int count;
            if (std::sscanf(line.c_str(), "%d %63s", &count, word) != 2 || (count != 3 && count != 4)) continue;
            if (std::find(words.begin(), words.end(), word) == words.end()) words.push_back(word);
        }
    }
    for (size_t k = 0; k < words.size(); k++)
        add(TEXBMP_FAMILY, TEX_OBJECT + static_cast<int>(k), 0, words[k].c_str(), k_climates[0], -1, "custom objects");
    atm.temp_SL = 59.0f;
    flt.lat = 34.0f;
    return out;
}

// Width and height from a bitmap's information header; false when the file is too short.
bool bitmap_size(const std::string& path, int* w, int* h)
{
    std::ifstream f(path, std::ios::binary);
    unsigned char hd[26];
    if (!f.read(reinterpret_cast<char*>(hd), sizeof hd)) return false;
    auto le32 = [&](int at) { return static_cast<int32_t>(hd[at] | hd[at + 1] << 8 | hd[at + 2] << 16 | hd[at + 3] << 24); };
    *w = le32(18);
    *h = le32(22);
    return true;
}

// Whether the folder holds an entry of exactly this name (so that a case-blind file system, or the
// loader's own case-blind fallback, cannot hide a name that differs in case).
bool listed_exactly(const fs::path& p)
{
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(p.parent_path(), ec))
        if (e.path().filename().string() == p.filename().string()) return true;
    return false;
}

class ProgramPictures : public ::testing::Test {
protected:
    TempDir cfg;
    std::vector<Picture> pictures;

    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        hl_fill_constants();
        hl_build_paths(KV_PROGRAM_DIR "/", cfg.str().c_str(), nullptr);
        ASSERT_TRUE(hl_prog.is_simulator) << "the simulator's own program description is linked";
        set.ogl_res = 5;
        pictures = simulator_pictures();
    }
};

TEST_F(ProgramPictures, EveryNamedPictureIsInTheTreeUnderItsExactName)
{
    // The tables are not empty: terrain in four climates, two runway sets, the rest, the windows.
    ASSERT_GT(pictures.size(), 100u);
    for (const Picture& p : pictures) {
        EXPECT_TRUE(fs::is_regular_file(p.path)) << p.source << ": " << p.path;
        EXPECT_TRUE(listed_exactly(p.path)) << p.source << ": no entry named exactly " << p.path;
    }
}

TEST_F(ProgramPictures, EveryTextureLoadsThroughTheLoaderWithItsAlphaRule)
{
    ASSERT_TRUE(PLT_open_window("manifest", SCREEN_W, SCREEN_H, 0));
    ogl_ready = 1;
    OGL_forget_state();
    int textures = 0;
    for (const Picture& p : pictures) {
        if (p.mode != TEXBMP_FAMILY) continue;
        SCOPED_TRACE(p.source + ": " + p.path);
        atm.temp_SL = p.temp_SL;
        flt.lat = p.lat;
        clear_recorded_alerts();
        int got = 0;
        try {
            got = OGL_texbmp(p.mode, p.a, p.b, p.name.c_str());
        } catch (const FatalAlert& f) {
            ADD_FAILURE() << "fatal alert: " << f.alert.l1;
            continue;
        }
        EXPECT_EQ(got, 1);
        for (const RecordedAlert& a : recorded_alerts()) ADD_FAILURE() << "alert " << a.code << ": " << a.l1;
        int w = 0, h = 0, comps = 0;
        const uint8_t* px = texbmp_last(&w, &h, &comps);
        int fw = 0, fh = 0;
        ASSERT_TRUE(bitmap_size(p.path, &fw, &fh));
        EXPECT_EQ(w, fw);
        EXPECT_EQ(h, fh);
        const bool alpha = p.b == ALPHA_KEY || p.b == ALPHA_BRIGHT;
        EXPECT_EQ(comps, alpha ? 4 : 3);
        if (p.b == ALPHA_TERRAIN) {
            // Terrain is square with sides that halve down to one pixel for the mipmaps.
            EXPECT_EQ(w, h);
            EXPECT_EQ(w & (w - 1), 0) << w;
            EXPECT_GT(texbmp_last_levels(), 0);
        }
        if (alpha) {
            // A picture whose alpha hides every pixel draws nothing.
            int shown = 0;
            for (int k = 0; k < w * h; k++) shown += px[4 * k + 3] > 0;
            EXPECT_GT(shown, 0);
        }
        textures++;
    }
    EXPECT_GT(textures, 80);
    ogl_ready = 0;
    OGL_forget_state();
    PLT_close_window();
}

TEST_F(ProgramPictures, EveryWindowPictureLoadsAndFitsItsWindow)
{
    int windows = 0;
    for (const Picture& p : pictures) {
        if (p.mode != TEXBMP_PICTURE || p.window < 0) continue;
        SCOPED_TRACE(p.source + ": " + p.path);
        clear_recorded_alerts();
        try {
            EXPECT_EQ(OGL_texbmp(p.mode, p.a, p.b, p.name.c_str()), 1);
        } catch (const FatalAlert& f) {
            ADD_FAILURE() << "fatal alert: " << f.alert.l1;
        }
        EXPECT_TRUE(recorded_alerts().empty());
        const char* title;
        float dx, dy;
        ASSERT_TRUE(hl_window_info(p.window, &title, &dx, &dy));
        int w = 0, h = 0;
        ASSERT_TRUE(bitmap_size(p.path, &w, &h));
        if (p.window == 3) {
            // The enroute window follows the region; its picture is the strip drawn at its right edge.
            EXPECT_EQ(w, 71);
            EXPECT_GT(h, 0);
        } else {
            EXPECT_EQ(w, static_cast<int>(dx));
            EXPECT_EQ(h, static_cast<int>(dy));
        }
        windows++;
    }
    // The title picture and every window but the isometric view.
    EXPECT_EQ(windows, 25);
}

// The panel's pictures load, the two panels are the cockpit picture's 800 by 333, and each of the
// others fits the strip of the screen it is drawn on.
TEST_F(ProgramPictures, EveryPanelPictureLoadsAndFitsThePanel)
{
    int panel = 0;
    for (const Picture& p : pictures) {
        if (p.source != "panel") continue;
        SCOPED_TRACE(p.path);
        clear_recorded_alerts();
        try {
            EXPECT_EQ(OGL_texbmp(p.mode, p.a, p.b, p.name.c_str()), 1);
        } catch (const FatalAlert& f) {
            ADD_FAILURE() << "fatal alert: " << f.alert.l1;
        }
        EXPECT_TRUE(recorded_alerts().empty());
        int w = 0, h = 0;
        ASSERT_TRUE(bitmap_size(p.path, &w, &h));
        if (p.name == "PANL_P" || p.name == "PANL_H") {
            EXPECT_EQ(w, 800);
            EXPECT_EQ(h, 333);
        } else if (p.name == "statbar") {
            // Under the menu bar, which starts at 585.
            EXPECT_EQ(w, 800);
            EXPECT_LE(561 + h, 585);
        } else {
            // Under the switch row along the panel's top edge.
            EXPECT_GT(w, 0);
            EXPECT_LE(w, 400);
            EXPECT_LE(h, 305);
        }
        panel++;
    }
    EXPECT_EQ(panel, 30);
}

// Each frame of the switch-and-lever sheet is drawn whole by the panel at its own size: the frame's
// picture stays inside that corner of the frame, on the panel's paint, and fills some of it.
TEST_F(ProgramPictures, TheSwitchSheetFramesFitTheSizesThePanelDrawsThemAt)
{
    const std::string path = loader_path(TEXBMP_FAMILY, TEX_HAND, "hand");
    std::ifstream f(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 54u + 128u * 128u * 3u) << path;
    auto px = [&](int x, int y) {
        const size_t at = 54 + (static_cast<size_t>(y) * 128 + x) * 3;
        return std::array<int, 3>{static_cast<uint8_t>(bytes[at + 2]), static_cast<uint8_t>(bytes[at + 1]),
                                  static_cast<uint8_t>(bytes[at])};
    };
    const std::array<int, 3> paint = px(31, 31);   // frame 0's far corner is bare
    for (int k = 0; k < 16; k++) {
        const int x0 = 32 * (k % 4), y0 = 32 * (k / 4);
        const int w = static_cast<int>(HAND_SIZE[k].w), h = static_cast<int>(HAND_SIZE[k].h);
        int inside = 0, outside = 0;
        for (int y = 0; y < 32; y++)
            for (int x = 0; x < 32; x++) {
                const bool differs = px(x0 + x, y0 + y) != paint;
                (x < w && y < h ? inside : outside) += differs;
            }
        EXPECT_EQ(outside, 0) << "frame " << k;
        EXPECT_GT(inside, w * h / 5) << "frame " << k;
    }
}

// The reverse: the generator's pictures are all asked for by a loader, or the comment says which
// loader will.
TEST_F(ProgramPictures, TheGeneratorWritesOnlyWhatALoaderAsksFor)
{
    const std::string root = app_path;
    std::set<std::string> asked;
    for (const Picture& p : pictures) {
        ASSERT_EQ(p.path.compare(0, root.size(), root), 0) << p.path;
        asked.insert(p.path.substr(root.size()));
    }
    // The scenery editor's loader has no terrain family: it takes the standard terrain pictures
    // from the textures folder itself. Its program is not built yet, but the loader's rule for it is.
    const hl_program_desc was = hl_prog;
    hl_prog.name = "Landwright";
    hl_prog.is_simulator = 0;
    int n;
    const lax_tex* terrain = load_texes_terrain(&n);
    for (int k = 0; k < n; k++) {
        std::string p = loader_path(TEXBMP_FAMILY, terrain[k].tex, terrain[k].name);
        asked.insert(p.substr(root.size()));
    }
    hl_prog = was;
    // The switch and lever sheet (texture 149): the aircraft model's loader takes this standard
    // picture when the aircraft brings no " hand" picture of its own; that loader is still to come.
    asked.insert(loader_path(TEXBMP_FAMILY, TEX_HAND, "hand").substr(root.size()));

    std::set<std::string> written;
    for (const GbmEntry& e : gbm_manifest()) {
        EXPECT_TRUE(asked.count(e.path)) << "no loader asks for " << e.path;
        written.insert(e.path);
    }
    // And the other way round: what the simulator asks for is what the generator writes.
    for (const Picture& p : pictures) EXPECT_TRUE(written.count(p.path.substr(root.size()))) << p.path;
}

}  // namespace
