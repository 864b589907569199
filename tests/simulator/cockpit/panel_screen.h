// panel_screen.h -- test support for the panel on an offscreen window (tools/panel_harness): the
// bundled aircraft loaded as the user's with window 0's static face drawn, one frame of the panel
// over a plain sky, and read-back at dial points.
#pragma once
#include "flight_harness.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_mnw.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "initgen.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "panel.h"
#include "panel_harness.h"
#include "panel_local.h"
#include "plt.h"

#include <GL/gl.h>

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <string>

inline uint32_t rgb_of(const uint8_t* p) { return static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]); }
inline uint32_t colour_of(int k)
{
    return static_cast<uint32_t>(std::lround(col_rgb[k][0] * 255) << 16 | std::lround(col_rgb[k][1] * 255) << 8 |
                                 std::lround(col_rgb[k][2] * 255));
}

class PanelScreen : public ::testing::Test {
protected:
    // The window's real size; the logical screen is 800 by 600 whatever it is.
    int window_w = SCREEN_W, window_h = SCREEN_H;
    void SetUp() override
    {
        fh_world();
        clear_recorded_alerts();
        ASSERT_TRUE(ph_open(window_w, window_h));
    }
    void TearDown() override { ph_close(); }

    // Loads a bundled aircraft as the user's and opens window 0, which draws the static face.
    void fly(const char* rel, bool bundled = true)
    {
        ASSERT_EQ(fh_load(bundled ? fh_bundled(rel) : rel), 1) << rel;
        fh_start_air(1000.0f, 50.0f, 0.0f);
        ins.ecam_mode = 3;   // the engine display's gauge page, as every start sets it
        panel_reset_needles();
        MACIBM_startwind(0);
        ASSERT_TRUE(recorded_alerts().empty()) << recorded_alerts()[0].l1;
    }
    // A copy of a bundled aircraft's file with some whole-number fields changed (each an offset into
    // the aircraft record and its new value), loaded as the user's aircraft so that the loader lays
    // out the panel for them.
    struct Patch {
        size_t offset;
        int32_t value;
    };
    void fly_patched(const char* plane, std::initializer_list<Patch> patches, const char* name)
    {
        std::string bytes = read_file(fh_bundled(plane));
        for (Patch p : patches) {
            const size_t at = 5 + p.offset;   // after the file's type byte and version
            ASSERT_GE(bytes.size(), at + 4);
            std::memcpy(&bytes[at], &p.value, 4);   // the bundled files are little-endian, as this machine
        }
        fly(dir.write(name, bytes).c_str(), false);
    }
    // The trainer's file with a glass panel, loaded as the user's aircraft, so that the loader lays
    // out the glass slots and the attitude picture's outline.
    void fly_glass()
    {
        ASSERT_NO_FATAL_FAILURE(fly_patched(FH_TRAINER, {{offsetof(planestruct, paneltype), 2}}, "Glass Trainer.acf"));
        ASSERT_EQ(pln[0].paneltype, 2);
    }
    // The switch-and-lever sheet's file, and its texel (u, v) (the file's rows run from the bottom,
    // blue first).
    static std::string hand_sheet()
    {
        char base[STR_LEN];
        texbmp_path(TEXBMP_FAMILY, TEX_HAND, "hand", base);
        return read_file(std::string(base) + BITMAP_EXTENSION);
    }
    static uint32_t sheet_texel(const std::string& sheet, int u, int v)
    {
        const size_t at = 54 + (static_cast<size_t>(v) * 128 + u) * 3;
        return static_cast<uint32_t>(static_cast<uint8_t>(sheet[at + 2]) << 16 | static_cast<uint8_t>(sheet[at + 1]) << 8 |
                                     static_cast<uint8_t>(sheet[at]));
    }
    static bool close(uint32_t a, uint32_t b)
    {
        for (int shift : {0, 8, 16})
            if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 2) return false;
        return true;
    }
    // How many pixels of the w by h rectangle at (x, y) show sheet frame k's corner.
    static int frame_matches(const Frame& f, const std::string& sheet, float x, float y, int w, int h, int k)
    {
        int same = 0;
        for (int dy = 0; dy < h; dy++)
            for (int dx = 0; dx < w; dx++)
                same += close(rgb_of(f.at(x + dx, y + dy)), sheet_texel(sheet, 32 * (k % 4) + dx, 32 * (k / 4) + dy));
        return same;
    }
    TempDir dir;
    // One frame of the panel over a plain sky.
    Frame frame()
    {
        glClearColor(0.5f, 0.7f, 0.9f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        OGL_plot_background();
        update_panel();
        return read_frame();
    }
    // The colour at radius r and angle a (degrees clockwise from up) from slot k's centre.
    static uint32_t at_dial(const Frame& f, int slot, float a, float r)
    {
        const float t = a * 3.14159265f / 180.0f;
        return rgb_of(f.at(ins.x_loc[slot] + r * std::sin(t), ins.y_loc[slot] + r * std::cos(t)));
    }
    // A needle (colour 0) crosses the point at radius r and angle a: a line two pixels wide may
    // fall either side of the exact point, so the pixel's neighbours count too.
    static bool white_at(const Frame& f, int slot, float a, float r)
    {
        const float t = a * 3.14159265f / 180.0f;
        const float px = ins.x_loc[slot] + r * std::sin(t), py = ins.y_loc[slot] + r * std::cos(t);
        for (int dy = -1; dy <= 1; dy++)
            for (int dx = -1; dx <= 1; dx++)
                if (rgb_of(f.at(px + dx, py + dy)) == colour_of(0)) return true;
        return false;
    }
    // No needle at that point: the exact pixel shows the dial's face, not the needle colour (the
    // faces' own white marks lie elsewhere than the points asked about).
    static bool face_at(const Frame& f, int slot, float a, float r) { return at_dial(f, slot, a, r) != colour_of(0); }
    void save(const Frame& f, const std::string& name)
    {
        std::filesystem::create_directories(KV_BINARY_DIR "/pictures");
        EXPECT_TRUE(write_png(KV_BINARY_DIR "/pictures/" + name + ".png", f));
    }
    // Frames enough for the needles that ease toward their values to arrive.
    Frame settle(int frames = 600)
    {
        for (int k = 0; k < frames; k++) update_panel();
        return frame();
    }
};
