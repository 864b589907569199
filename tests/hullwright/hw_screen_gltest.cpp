// hw_screen_gltest.cpp -- Hullwright's screen on SDL's offscreen driver, driven through the real
// event loop: every editing window from its menu item with a field changed by clicks and the
// aircraft saved through the menus and the save dialog; the save questions of New, Open, Quit and a
// closing window; saving the bundled aircraft unedited; the preview read back from the frame.
#include "hl_design.h"
#include "hl_drplane.h"
#include "hl_event.h"
#include "hl_file.h"
#include "hl_mnw.h"
#include "hl_model.h"
#include "hl_plane.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hullwright.h"
#include "hw_local.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "plt.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Step = ScriptStep;

const std::string kProgram = std::string(KV_PROGRAM_DIR) + "/";

// The bundled aircraft files; all seven are there.
std::vector<fs::path> bundled_aircraft()
{
    std::vector<fs::path> files;
    for (const auto& e : fs::recursive_directory_iterator(kProgram + "planes"))
        if (e.path().extension() == ".acf") files.push_back(e.path());
    EXPECT_EQ(files.size(), 7u);
    return files;
}
constexpr int VK_RETURN = 13, VK_ESCAPE = 27;

// Types a file name (capitals, digits and points) and Enter into the save dialog.
std::vector<Step> type_name(const std::string& name)
{
    // The dialog proposes the aircraft's name: taken back first.
    std::vector<Step> steps = {[] {
        for (int i = 0; i < 32; i++) push_key(8);
    }};
    for (char ch : name) steps.push_back([ch] { push_key(ch == '.' ? 190 : ch, ch >= 'A' && ch <= 'Z'); });
    steps.push_back([] { push_key(VK_RETURN); });
    return steps;
}

// A click at a point of the open window.
void click_at(float x, float y) { push_click(mnw.x + x, mnw.y + y); }

class Screen : public ScreenTest {
protected:
    TempDir cfg_;
    void SetUp() override
    {
        ScreenTest::SetUp();
        // The part files and pictures from the program folder; the dialogs work in the test's own.
        hl_build_paths(kProgram.c_str(), cfg_.str().c_str(), "Hullwright.prf");
        std::snprintf(app_path, STR_LEN, "%s/", fs::current_path().string().c_str());
        std::snprintf(wrk_path, STR_LEN, "%s", app_path);
        hw_defaults();
        fresh(0);
        OGL_texbmp(TEXBMP_FAMILY, TEX_TIRE, 0, "tire");
    }
    void TearDown() override
    {
        gdone = 0;
        ScreenTest::TearDown();
    }
    // A new aircraft of the kind on the empty screen.
    void fresh(int heli)
    {
        pln[0].is_heli = heli;
        setup_baseplane("Untitled.acf");
        hw_setupmenus();
        MACIBM_startwind(0);
        run_passes(2);
    }
    // The menu place of an item number.
    static int place_of(int item) { return item % 100; }
    static Step answer_save() { return [] { click_at(70, 52); }; }
    static Step answer_dont_save() { return [] { click_at(70, 22); }; }
    static Step answer_cancel() { return [] { click_at(230, 22); }; }
    static Step dialog_cancel() { return [] { click_at(160, 475); }; }
    // Saves through File > Save As, typing the name into the save dialog.
    void save_as(const std::string& name) { choose_scripted(1, 3, type_name(name)); }
    std::string saved(const std::string& name) const { return (fs::current_path() / (name + ".acf")).string(); }
};

// Where a table field of the open window is: its anchor.
bool field_at(const char* label, float* x, float* y)
{
    const hw_window* w = hw_open_window();
    if (!w) return false;
    for (const hw_field* t : {w->fields, w->more}) {
        const int n = t == w->fields ? w->nfields : w->nmore;
        for (int i = 0; t && i < n; i++) {
            if (std::strcmp(t[i].label, label) != 0) continue;
            *x = hw_col_x(t[i].col);
            *y = hw_row_y(w, t[i].row);
            return true;
        }
    }
    return false;
}

// A click that steps a number field's column up (the strip above its digits).
void step_up(const char* label, int column)
{
    float x, y;
    ASSERT_TRUE(field_at(label, &x, &y)) << label;
    click_at(x + 6 + 10.0f * column + 5, y + 15);
}

// A click on a choice field's upper arrow (a " no"/"yes" field is 24 units wide).
void choice_up(const char* label, float width)
{
    float x, y;
    ASSERT_TRUE(field_at(label, &x, &y)) << label;
    click_at(x + width + 7, y + 13);
}

struct WindowCase {
    int heli;
    int item;                       // the menu item, and the window's number
    std::function<void()> edit;     // the clicks in the window
    const char* field;              // what is read back
    std::function<float(const planestruct&)> got;
    float want;
};

float f(int32_t v) { return static_cast<float>(v); }

}  // namespace

TEST_F(Screen, EveryEditingWindowOpensAndItsEditIsSavedForTheSimulator)
{
    const WindowCase cases[] = {
        {0, 200, [] { step_up("Vne", 2); }, "Vne", [](const planestruct& p) { return p.Vne; }, 161},
        {0, 201, [] { click_at(3, 234 - 80 + 3); }, "ins_of_loc[1]", [](const planestruct& p) { return f(p.ins_of_loc[1]); }, 8},
        {0, 203, [] { step_up("hydraulic", 0); }, "ff_hydraulic", [](const planestruct& p) { return f(p.ff_hydraulic); }, 1},
        {0, 205, [] { step_up("max power", 4); }, "pmax", [](const planestruct& p) { return p.pmax; }, 161},
        // The engine kinds' longest text is 19 letters of 6 units: the arrows stand past it.
        {0, 205, [] { choice_up("engine type", 19 * 6 + 3); }, "entype", [](const planestruct& p) { return f(p.entype); }, 2},
        {0, 206, [] { step_up("radius", 2); }, "semilen[1]", [](const planestruct& p) { return p.semilen[1]; }, 3.2f},
        {0, 208, [] { step_up("semi-length", 2); }, "semilen[4]", [](const planestruct& p) { return p.semilen[4]; }, 18.5f},
        {0, 209, [] { step_up("semi-length", 2); }, "semilen[6]", [](const planestruct& p) { return p.semilen[6]; }, 1},
        {0, 210, [] { step_up("semi-length", 2); }, "semilen[8]", [](const planestruct& p) { return p.semilen[8]; }, 1},
        {0, 211, [] { step_up("trim range", 1); }, "hstbtrimmax", [](const planestruct& p) { return p.hstbtrimmax; }, 1},
        {0, 212, [] { step_up("sweep", 1); }, "sweep1[12]", [](const planestruct& p) { return p.sweep1[12]; }, 33},
        {0, 213, [] { step_up("semi-length", 2); }, "semilen[13]", [](const planestruct& p) { return p.semilen[13]; }, 1},
        {0, 215, [] { step_up("aileron up", 1); }, "ailn_up", [](const planestruct& p) { return p.ailn_up; }, 21},
        {0, 217, [] { step_up("drag coeff", 2); }, "fuse_cd", [](const planestruct& p) { return p.fuse_cd; }, 0.23f},
        {0, 218, [] { choice_up("nacelles", 24); }, "nace_eq", [](const planestruct& p) { return f(p.nace_eq); }, 1},
        {0, 219, [] { step_up("aft", 2); }, "misc_Z", [](const planestruct& p) { return p.misc_Z; }, 5.6f},
        {0, 220, [] { choice_up("fairings", 24); }, "fair_eq", [](const planestruct& p) { return f(p.fair_eq); }, 0},
        {0, 221, [] { step_up("semi-length", 2); }, "semilen[17]", [](const planestruct& p) { return p.semilen[17]; }, 1},
        {0, 223, [] { step_up("empty weight", 5); }, "m_empty", [](const planestruct& p) { return p.m_empty; }, 1641},
        {0, 225, [] { step_up("nose steering", 1); }, "nwsteer", [](const planestruct& p) { return p.nwsteer; }, 11},
        {0, 300, [] { choice_up("variable sweep", 24); }, "varsweepEQ[0]", [](const planestruct& p) { return f(p.varsweepEQ[0]); }, 1},
        {0, 301, [] { choice_up("variable sweep", 24); }, "varsweepEQ[4]", [](const planestruct& p) { return f(p.varsweepEQ[4]); }, 1},
        {0, 302, [] { step_up("max sweep", 1); }, "sweep2[6]", [](const planestruct& p) { return p.sweep2[6]; }, 1},
        {0, 303, [] { choice_up("variable sweep", 24); }, "varsweepEQ[9]", [](const planestruct& p) { return f(p.varsweepEQ[9]); }, 1},
        {0, 304, [] { choice_up("variable sweep", 24); }, "varsweepEQ[10]", [](const planestruct& p) { return f(p.varsweepEQ[10]); }, 1},
        {0, 305, [] { choice_up("variable sweep", 24); }, "varsweepEQ[12]", [](const planestruct& p) { return f(p.varsweepEQ[12]); }, 1},
        {0, 306, [] { choice_up("variable sweep", 24); }, "varsweepEQ[13]", [](const planestruct& p) { return f(p.varsweepEQ[13]); }, 1},
        {0, 308, [] { step_up("JATO time", 1); }, "jatodur", [](const planestruct& p) { return p.jatodur; }, 1},
        {0, 309, [] { step_up("vector arm", 2); }, "vectarm", [](const planestruct& p) { return p.vectarm; }, 1},
        {0, 311, [] { step_up("low speed", 2); }, "ASloV", [](const planestruct& p) { return p.ASloV; }, 1},
        {1, 200, [] { step_up("Vne", 2); }, "Vne", [](const planestruct& p) { return p.Vne; }, 131},
        {1, 201, [] { click_at(129 + 3, 234 - 50 + 3); }, "ins_of_loc[2]", [](const planestruct& p) { return f(p.ins_of_loc[2]); }, 5},
        {1, 203, [] { step_up("stick shaker", 0); }, "ff_stickshaker", [](const planestruct& p) { return f(p.ff_stickshaker); }, 1},
        {1, 205, [] { step_up("max power", 4); }, "pmax", [](const planestruct& p) { return p.pmax; }, 318},
        {1, 206, [] { step_up("radius", 2); }, "semilen[0]", [](const planestruct& p) { return p.semilen[0]; }, 16.8f},
        {1, 207, [] { step_up("max pitch", 1); }, "maxpitch[1]", [](const planestruct& p) { return p.maxpitch[1]; }, 23},
        {1, 208, [] { step_up("tail/main rpm", 1); }, "trotor_rat", [](const planestruct& p) { return p.trotor_rat; }, 7.5f},
        {1, 210, [] { step_up("semi-length", 2); }, "semilen[10]", [](const planestruct& p) { return p.semilen[10]; }, 4.3f},
        {1, 211, [] { step_up("dihedral", 2); }, "dihed[12]", [](const planestruct& p) { return p.dihed[12]; }, 91},
        {1, 212, [] { step_up("semi-length", 2); }, "semilen[13]", [](const planestruct& p) { return p.semilen[13]; }, 1},
        {1, 214, [] { step_up("drag coeff", 2); }, "fuse_cd", [](const planestruct& p) { return p.fuse_cd; }, 0.46f},
        {1, 215, [] { choice_up("nacelles", 24); }, "nace_eq", [](const planestruct& p) { return f(p.nace_eq); }, 1},
        {1, 216, [] { choice_up("tanks or floats", 24); }, "misc_eq", [](const planestruct& p) { return f(p.misc_eq); }, 1},
        {1, 217, [] { choice_up("fairings", 24); }, "fair_eq", [](const planestruct& p) { return f(p.fair_eq); }, 1},
        {1, 219, [] { step_up("cg aft", 2); }, "cgZ", [](const planestruct& p) { return p.cgZ; }, 10.6f},
        {1, 221, [] { step_up("skid length", 2); }, "skidl", [](const planestruct& p) { return p.skidl; }, 9.5f},
        {1, 300, [] { choice_up("variable sweep", 24); }, "varsweepEQ[0]", [](const planestruct& p) { return f(p.varsweepEQ[0]); }, 1},
        {1, 301, [] { choice_up("variable sweep", 24); }, "varsweepEQ[1]", [](const planestruct& p) { return f(p.varsweepEQ[1]); }, 1},
        {1, 302, [] { step_up("max sweep", 1); }, "sweep2[10]", [](const planestruct& p) { return p.sweep2[10]; }, 1},
        {1, 304, [] { step_up("high speed", 2); }, "AShiV", [](const planestruct& p) { return p.AShiV; }, 1},
    };
    int n = 0;
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.heli) + " " + std::to_string(c.item) + " " + c.field);
        fresh(c.heli);
        choose_scripted(c.item / 100, place_of(c.item), {}, true);   // the item held down, as a person clicks
        release_unseen();
        ASSERT_EQ(mnw.topwin, c.item) << "the window did not open";
        EXPECT_EQ(hmsc.planemod, 0);
        c.edit();
        run_passes(2);
        EXPECT_EQ(hmsc.planemod, 1) << "a click in a window marks the change";
        // Any key closes the window; then Save As from the File menu.
        push_key(VK_ESCAPE);
        run_passes(1);
        ASSERT_EQ(mnw.topwin, 0);
        const std::string name = "W" + std::to_string(n++);
        save_as(name);
        ASSERT_TRUE(fs::exists(saved(name)));
        ASSERT_EQ(read_plane(1, saved(name).c_str()), 1);
        EXPECT_NEAR(c.got(pln[1]), c.want, 1e-4f);
        EXPECT_EQ(pln[1].is_heli, c.heli);
    }
    EXPECT_TRUE(recorded_alerts().empty());
}

// The propeller window's radius runs the design: a radius of 3.2 ft puts the first of 5 elements
// at r = 0.32 ft, where 140 kt (236.29 ft/s) at 2400 rpm (251.33 rad/s) gives atan(2.9380) = 71.20 deg.
TEST_F(Screen, ThePropellerDesignFollowsItsWindow)
{
    choose_scripted(2, place_of(206));
    ASSERT_EQ(mnw.topwin, 206);
    step_up("radius", 2);
    run_passes(2);
    EXPECT_NEAR(pln[0].semilen[0], 3.2f, 1e-5f);
    EXPECT_NEAR(pln[0].anginc[0][0], 71.20f, 0.01f);
    EXPECT_NEAR(pln[0].anginc[3][0], 71.20f, 0.01f) << "every propeller takes the design";
}

TEST_F(Screen, PickingAnInstrumentEmptiesItsOldPlace)
{
    choose_scripted(2, place_of(201));
    ASSERT_EQ(mnw.topwin, 201);
    ASSERT_EQ(pln[0].ins_of_loc[5], 5);
    // Place 1 (upper left) gets the turn-slip, row 5 of its picker: place 5 no longer holds it.
    click_at(3, 234 - 50 + 3);
    run_passes(1);
    EXPECT_EQ(pln[0].ins_of_loc[1], 5);
    EXPECT_EQ(pln[0].ins_of_loc[5], 0);
    EXPECT_EQ(pln[0].has_ins[5], 0);
    // "NONE" may stand in any number of places.
    click_at(129 + 3, 234 + 3);
    run_passes(1);
    EXPECT_EQ(pln[0].ins_of_loc[2], 0);
    EXPECT_EQ(pln[0].ins_of_loc[5], 0);
}

TEST_F(Screen, DraggingASectionPointMovesItAndItsMirror)
{
    choose_scripted(2, place_of(217));
    ASSERT_EQ(mnw.topwin, 217);
    hmsc.station = 4;
    run_passes(1);
    const float x0 = pln[0].body_X[18][4][4], y0 = pln[0].body_Y[18][4][4];
    // Point 4 (a quarter round: the right side) is where the box's scale puts it: find it on screen.
    const float bx = 290, by = 10, bw = mnw.dx - 300, bh = mnw.dy - 60;
    float maxx = 0, ylo = 1e9f, yhi = -1e9f;
    for (int s = 0; s < 11; s++)
        for (int k = 0; k < 16; k++) {
            maxx = std::fmax(maxx, std::fabs(pln[0].body_X[18][s][k]));
            ylo = std::fmin(ylo, pln[0].body_Y[18][s][k]);
            yhi = std::fmax(yhi, pln[0].body_Y[18][s][k]);
        }
    const float scale = 0.85f * std::fmin(bw / (2 * maxx), bh / (yhi - ylo));
    const float cx = bx + bw / 2, cy = by + bh / 2 - scale * 0.5f * (ylo + yhi);
    int px, py;
    logical_to_pixel(mnw.x + cx + scale * x0, mnw.y + cy + scale * y0, &px, &py);
    PLT_push_event(PLT_event{PLT_EV_MOUSEMOVE, 0, px, py, 0});
    PLT_push_event(PLT_event{PLT_EV_BUTTONDOWN, 0, px, py, 1});
    run_passes(1);
    EXPECT_EQ(hmsc.drag_point, 4);
    // Half a foot further out and a quarter foot up.
    logical_to_pixel(mnw.x + cx + scale * (x0 + 0.5f), mnw.y + cy + scale * (y0 + 0.25f), &px, &py);
    PLT_push_event(PLT_event{PLT_EV_MOUSEMOVE, 0, px, py, 0});
    run_passes(1);
    PLT_push_event(PLT_event{PLT_EV_BUTTONUP, 0, px, py, 1});
    run_passes(1);
    EXPECT_EQ(hmsc.drag_point, -1);
    const float tol = 1.5f / scale;   // a pixel and a half
    EXPECT_NEAR(pln[0].body_X[18][4][4], x0 + 0.5f, tol);
    EXPECT_NEAR(pln[0].body_Y[18][4][4], y0 + 0.25f, tol);
    EXPECT_EQ(pln[0].body_X[18][4][12], -pln[0].body_X[18][4][4]) << "the left side follows";
    EXPECT_EQ(pln[0].body_Y[18][4][12], pln[0].body_Y[18][4][4]);
    EXPECT_EQ(hmsc.planemod, 1);
}

// Every body of a new aircraft has a shape at the fuselage's scale, so that its section editor's box,
// fitted to the body, moves a point by a pixel of the preview or more, not by a hundredth of a foot.
TEST_F(Screen, ANewAircraftsBodiesHaveShapesAtTheFuselagesScale)
{
    for (const auto& [heli, b] : {std::pair{0, 19}, {0, 23}, {0, 25}, {1, 19}, {1, 23}}) {
        fresh(heli);
        const float fuse_len = pln[0].body_Z[18][10][0] - pln[0].body_Z[18][0][0];
        EXPECT_GT(pln[0].body_Z[b][6][0] - pln[0].body_Z[b][0][0], 0.05f * fuse_len) << heli << " " << b;
        EXPECT_GT(pln[0].body_X[b][3][f_body_r_dim(b) / 4], fuse_len / 200.0f) << heli << " " << b;
    }
}

TEST_F(Screen, QuitNewAndOpenAskFirstAndCancelKeepsEverything)
{
    pln[0].Vne = 150.0f;
    hmsc.planemod = 1;
    auto before = std::make_unique<planestruct>(pln[0]);
    // Cancel in the save question: nothing changes and the program goes on.
    choose_scripted(1, place_of(HW_QUIT), {answer_cancel()});
    EXPECT_EQ(gdone, 0);
    choose_scripted(1, place_of(HW_NEW), {answer_cancel()});
    choose_scripted(5, place_of(HW_HELICOPTER), {answer_cancel()});
    choose_scripted(1, place_of(HW_OPEN), {answer_cancel()});
    EXPECT_EQ(std::memcmp(&pln[0], before.get(), sizeof(planestruct)), 0);
    EXPECT_EQ(hmsc.planemod, 1);
    EXPECT_EQ(mnw.item_name[2][5], std::string("Engines")) << "still the airplane's menus";
    // The window closing asks too.
    // (The pass that takes the request to close runs the script's first, empty, step.)
    start_script({[] {}, answer_cancel()});
    push_close();
    hw_pass();
    EXPECT_EQ(stop_script(), 2u);
    EXPECT_EQ(gdone, 0);
    EXPECT_EQ(std::memcmp(&pln[0], before.get(), sizeof(planestruct)), 0);
    // Don't Save: Quit ends without writing the aircraft but writes the preferences.
    EXPECT_FALSE(fs::exists(prf_path));
    choose_scripted(1, place_of(HW_QUIT), {answer_dont_save()});
    EXPECT_EQ(gdone, 1);
    EXPECT_TRUE(fs::exists(prf_path));
    EXPECT_FALSE(fs::exists("Untitled.acf"));
}

TEST_F(Screen, SwitchingToHelicopterAsksThenStartsOneWithItsMenus)
{
    hmsc.planemod = 1;
    // Save: the untitled aircraft is saved under a typed name first.
    std::vector<Step> steps = {answer_save()};
    for (Step& s : type_name("FIRST")) steps.push_back(s);
    choose_scripted(5, place_of(HW_HELICOPTER), steps);
    EXPECT_TRUE(fs::exists(saved("FIRST")));
    EXPECT_EQ(pln[0].is_heli, 1);
    EXPECT_EQ(hmsc.planemod, 0);
    EXPECT_EQ(mnw.item_name[2][6], std::string("Main Rotor"));
    // And back with Don't Save.
    hmsc.planemod = 1;
    choose_scripted(5, place_of(HW_AIRPLANE), {answer_dont_save()});
    EXPECT_EQ(pln[0].is_heli, 0);
    EXPECT_EQ(mnw.item_name[2][6], std::string("Props"));
}

TEST_F(Screen, AFailedSaveKeepsTheProgramAndTheFile)
{
    save_as("KEPT");
    const std::string path = saved("KEPT");
    const std::string before = read_file(path);
    ASSERT_EQ(before.size(), 5 + sizeof(planestruct));
    pln[0].Vne = 140.0f;
    hmsc.planemod = 1;
    clear_recorded_alerts();
    with_no_room_for_files([] { choose_scripted(1, place_of(HW_SAVE)); });
    EXPECT_EQ(gdone, 0);
    EXPECT_EQ(hmsc.planemod, 1) << "the changes are still unsaved";
    EXPECT_FALSE(recorded_alerts().empty());
    EXPECT_EQ(read_file(path), before);
}

// Every bundled aircraft, opened and saved with the File menu after passes of the screen (its
// rules and model), gives back its file's bytes, except the fields opening sets: the file's path
// (the copy's), the direction finder's and the turn indicator's kinds (already 1 or 2 here, so
// they match as well).
TEST_F(Screen, BundledAircraftSaveUneditedToTheBytesTheyWereOpenedFrom)
{
    for (const fs::path& path : bundled_aircraft()) {
        SCOPED_TRACE(path.filename().string());
        const std::string copy = (fs::current_path() / path.filename()).string();
        fs::copy_file(path, copy, fs::copy_options::overwrite_existing);
        const std::string original = read_file(copy);
        std::snprintf(pln[0].C_file, STR_LEN, "%s", path.filename().c_str());
        std::snprintf(pln[0].C_path, STR_LEN, "%s", copy.c_str());
        ASSERT_EQ(openplane(1), 1);
        hw_setupmenus();
        run_passes(5);
        choose_scripted(1, place_of(HW_SAVE));
        const std::string again = read_file(copy);
        ASSERT_EQ(again.size(), original.size());
        // C_path holds the path opened; every other byte is the file's.
        const size_t path_at = 5 + offsetof(planestruct, C_path);
        EXPECT_EQ(std::string(again.c_str() + path_at), copy);
        size_t differ = 0, first = 0;
        for (size_t i = 0; i < again.size(); i++) {
            if (i >= path_at && i < path_at + STR_LEN) continue;
            if (again[i] != original[i] && !differ++) first = i;
        }
        EXPECT_EQ(differ, 0u) << "first differing byte at record offset " << first - 5 << " "
                              << (int)(unsigned char)original[first] << " " << (int)(unsigned char)again[first];
    }
}

TEST_F(Screen, OpenFromTheDialogTakesTheChosenFile)
{
    // A helicopter saved as the folder's only aircraft file, then a fresh airplane being edited.
    fresh(1);
    pln[0].Vne = 111.0f;
    save_as("OPENME");
    fresh(0);
    ASSERT_EQ(pln[0].is_heli, 0);
    // The dialog lists the folder: the file is its first row.
    choose_scripted(1, place_of(HW_OPEN), {[] { click_at(40, 433); }});
    EXPECT_EQ(pln[0].is_heli, 1);
    EXPECT_EQ(pln[0].Vne, 111.0f);
    EXPECT_STREQ(pln[0].C_file, "OPENME.acf");
    EXPECT_EQ(std::string(pln[0].C_path), saved("OPENME"));
    EXPECT_EQ(hmsc.planenamed, 1);
    EXPECT_EQ(mnw.item_name[2][6], std::string("Main Rotor")) << "the menus follow the opened aircraft";
    EXPECT_TRUE(recorded_alerts().empty());
}

// Save in the question before Open saves the changes, even when Open is then cancelled; a failed
// save or Don't Save leaves them unsaved.
TEST_F(Screen, TheSaveQuestionClearsTheChangesExactlyWhenTheSaveSucceeds)
{
    struct Case {
        const char* name;
        bool blocked;   // the save cannot write its file
        std::vector<Step> answers;
        int planemod;
    } cases[] = {{"SAVED", false, {answer_save(), dialog_cancel()}, 0},
                 {"BLOCKED", true, {answer_save()}, 1},
                 {"LETGO", false, {answer_dont_save(), dialog_cancel()}, 1}};
    for (const Case& c : cases) {
        save_as(c.name);
        hmsc.planemod = 1;
        const auto open = [&c] { choose_scripted(1, place_of(HW_OPEN), c.answers); };
        c.blocked ? with_no_room_for_files(open) : open();
        EXPECT_EQ(hmsc.planemod, c.planemod) << c.name;
    }
}

TEST_F(Screen, ANameTypedWithTheEndingInCapitalsKeepsIt)
{
    save_as("UPPER.ACF");
    EXPECT_TRUE(fs::exists("UPPER.ACF"));
    EXPECT_STREQ(pln[0].C_file, "UPPER.ACF");
    EXPECT_STREQ(pln[0].C_name, "UPPER");
}

// Opening an aircraft of the other kind, the Props window gives way to the preview and the
// Horizontal Stabilizer to the helicopter's own. (The menus do not answer while a window is open:
// Open is called as its item would call it.)
TEST_F(Screen, OpenLeavesAWindowThatFitsTheOpenedAircraftsKind)
{
    fresh(1);
    save_as("HELI");
    for (int window : {206, 211}) {
        fresh(0);
        choose_scripted(2, place_of(window));
        start_script({[] { click_at(40, 433); }});
        hw_handlemenu(HW_OPEN);
        EXPECT_EQ(stop_script(), 1u);
        EXPECT_EQ(mnw.topwin, window == 206 ? 0 : 210);
        if (window == 206) write_png(picture_path("hw_open_props_then_heli.png"), capture_pass());
    }
}

// Every editing window of every bundled aircraft opened and drawn for a pass with no input: where
// that changes the record (a field holding a stored value in its range), the change is marked as
// one to save. No window changes a byte: a choice keeps a value none of its texts names, as the
// glider's engine kind 0 (no engine) among the Engines window's five kinds.
TEST_F(Screen, ViewingAWindowChangesTheRecordOnlyWhereItMarksTheChange)
{
    for (const fs::path& path : bundled_aircraft()) {
        SCOPED_TRACE(path.stem().string());
        std::snprintf(pln[0].C_file, STR_LEN, "%s", path.filename().c_str());
        std::snprintf(pln[0].C_path, STR_LEN, "%s", path.c_str());
        ASSERT_EQ(openplane(1), 1);
        const auto opened = std::make_unique<planestruct>(pln[0]);
        std::string list;
        for (int item = 200; item <= 311; item++) {
            const char* title;
            float dx, dy;
            if (!hw_window_info(item, &title, &dx, &dy)) continue;
            pln[0] = *opened;
            hmsc.planemod = 0;
            hw_handlemenu(item);
            run_passes(1);
            std::string fields;
            for (const pln_field& f : pln_fields)
                if (std::memcmp(reinterpret_cast<const char*>(opened.get()) + f.offset,
                                reinterpret_cast<const char*>(&pln[0]) + f.offset, f.bytes) != 0)
                    fields += std::string(" ") + f.name;
            if (fields.empty()) continue;
            list += " " + std::to_string(item) + " " + title + " (" + fields.substr(1) + ")";
            EXPECT_EQ(hmsc.planemod, 1) << item << " " << title << " changed" << fields << " unmarked";
        }
        MACIBM_startwind(0);
        EXPECT_EQ(list, "");
    }
}
