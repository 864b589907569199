// kvscreen.h -- test support for the window and the event loop: the test clock, a fixture that opens
// the library's window offscreen, scripted input pushed through the platform layer, passes of the
// event loop, frame read-back and PNG pictures.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kvtest.h"

// ---- the test clock ---------------------------------------------------------------------------------

// Replaces the platform clock with one that stands still until advanced.
void use_test_clock(uint32_t start_ms = 0);
void advance_test_clock(uint32_t ms);
void use_real_clock();

// ---- scripted input ---------------------------------------------------------------------------------

// A key (Windows virtual-key number) pressed and released; with shift, inside a Shift press.
void push_key(int vkey, bool shift = false);
// The mouse moved to the logical point (x, y) of the 800 by 600 screen (y up).
void push_move(float x, float y);
// A click (button down and up) at the logical point.
void push_click(float x, float y, int button = 1);
// A click within the double-click interval of the last press (push_press moves the test clock past it).
void push_second_click(float x, float y, int button = 1);
// A button pressed at the logical point (the mouse moves there first) and held until released; the
// release lets it go where the mouse is then.
void push_press(float x, float y, int button = 1);
void push_release(float x, float y, int button = 1);
// The window system asks the window to close.
void push_close();
// The pixel that the logical point (x, y) falls in, at the window's real size.
void logical_to_pixel(float x, float y, int* px, int* py);

// ---- passes -----------------------------------------------------------------------------------------

// n passes of MACIBM_event_proc.
void run_passes(int n);
// Opens menu `menu` by a click on its title and chooses its item `place` by a click on it.
void choose_menu_item(int menu, int place);
// The same two clicks one at a time, for a script that runs one step a pass: a click on menu
// `menu`'s title, and a click on item `place` of the open menu `menu`.
void push_menu_title_click(int menu);
void push_menu_item_click(int menu, int place);
// The button pressed on item `place` of the open menu `menu` and held there.
void push_menu_item_press(int menu, int place);
// Opens menu `menu` and double-clicks its item `place` on its lower edge, at x or else its middle;
// a pass runs after each click.
void double_click_menu_item(int menu, int place, float x = -1);

// ---- scripts for modal windows ----------------------------------------------------------------------

// One step of a script that the nested event loops of modal windows run.
using ScriptStep = std::function<void()>;
// Hooks steps into the passes to come: one step at the end of every second pass, the first at the
// first pass (with late, at the third), so that each step's input has been acted on before the next
// step looks; with every_pass, one step at the end of each pass (for what changes from pass to
// pass). A modal window still open 40 script passes after the last step fails the test and ends the
// loop through gdone.
void start_script(std::vector<ScriptStep> steps, bool late = false, bool every_pass = false);
// The script's pass count, for a step that checks which pass it runs at: 1 at the end of the first
// pass after start_script (2 with late).
int script_passes();
// Unhooks the script; the number of its steps that ran.
size_t stop_script();
// Chooses menu `menu`'s item `place` by clicks with the steps running in whatever modal windows the
// choice opens; every step must have run when the choice returns. With held, the item is pressed
// and the button stays down until release_unseen (a step, or the caller) lets it go.
void choose_scripted(int menu, int place, std::vector<ScriptStep> steps = {}, bool held = false);
// Expects the open window to see no button held, then lets the button go where the mouse is.
void release_unseen();

// ---- frames -----------------------------------------------------------------------------------------

struct Frame {
    int w = 0, h = 0;
    std::vector<uint8_t> rgb;   // rows bottom first, 3 bytes a pixel
    // The pixel at drawable position (px, py), py up from the bottom.
    const uint8_t* px(int x, int y) const { return &rgb[(static_cast<size_t>(y) * w + x) * 3]; }
    // The pixel under the logical point (x, y).
    const uint8_t* at(float x, float y) const;
    // Whether the pixel under the logical point has colour-table colour k as drawn now (tinted by
    // the panel light below 38), within tol of 255.
    bool is_color(float x, float y, int k, int tol = 2) const;
};

// Reads the frame being drawn now (the back buffer).
Frame read_frame();
// The n characters of the 5 by 7 dot font drawn in colour k from the logical point (x, y) (the
// first glyph's lower-left dot), `advance` apart: at each place the character whose every dot
// matches the frame, ' ' where no dot is lit, '?' where the dots match no character. Where two
// characters share a glyph the letter is read (O, not 0): numbers are read with read_number.
std::string read_text(const Frame& f, float x, float y, int n, int k, float advance = 6.0f);
// A number drawn by OGL_number at (x, y): its `places` digits and, with decimals, the point half a
// place right of the last whole digit ('?' where a digit does not read or the point is missing).
std::string read_number(const Frame& f, float x, float y, int places, int decimals, int k);
// Runs one pass and returns its frame as it stood just before the buffer swap.
Frame capture_pass();
// Writes a frame as a PNG picture (top row first in the file). 1 on success.
bool write_png(const std::string& path, const Frame& f);
// A frame's rows as a PNG picture holds them: top row first, each after a filter byte of 0 (none).
std::string png_rows(const Frame& f);
// Writes the PNG picture of frame f whose rows (png_rows) the zlib stream holds, compressed as its
// maker chose. 1 when the whole file was written.
bool write_png_stream(const std::string& path, const Frame& f, const std::string& zlib_stream);
// Reads back a PNG written by write_png (stored blocks only); empty frame when it is not one.
Frame read_png(const std::string& path);
// The checksums of the PNG format (CRC-32 of chunks, Adler-32 of the zlib stream).
uint32_t png_crc32(const uint8_t* data, size_t n);
uint32_t png_adler32(const uint8_t* data, size_t n);
// Where pictures of failing rendering tests go: $KV_TEST_PICTURES or the build's test folder.
std::string picture_path(const std::string& name);

// ---- bitmaps ----------------------------------------------------------------------------------------

// The bytes of an uncompressed 24-bit bitmap of w by h pixels, all of colour (r, g, b).
std::string bmp_bytes(int w, int h, uint8_t r, uint8_t g, uint8_t b);
// Writes the simulator's window pictures (each name + ".BMP", 8 by 8 of one colour) under
// folder/bitmaps/<program>/ (and VNTL under folder/bitmaps/), and points app_path at folder.
void write_window_bitmaps(const std::string& folder, uint8_t r, uint8_t g, uint8_t b);

// ---- the window -------------------------------------------------------------------------------------

// Opens the library's window (MACIBM_init) at w by h with the test clock, the alert sink recording,
// the program log cleared, and runs the first pass (the first paint); closes it again at the end.
class ScreenTest : public ::testing::Test {
protected:
    explicit ScreenTest(int w = 800, int h = 600) : w_(w), h_(h) {}
    void SetUp() override;
    void TearDown() override;
    int w_, h_;
};

// For a run of the whole program in this process (or a child of it): a fresh working folder and
// preferences folder, the build's program folder, an 800 by 600 window; the working folder and the
// environment are put back afterwards.
class ProgramFolders : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string prefs_path() const { return cfg.str() + "/Kestrova 4.prf"; }
    TempDir work, cfg;

private:
    std::string old_cwd_, old_cfg_, old_prog_;
    bool had_cfg_ = false, had_prog_ = false;
};
