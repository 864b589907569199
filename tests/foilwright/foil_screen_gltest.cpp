// foil_screen_gltest.cpp -- Foilwright's screen on SDL's offscreen driver, driven by scripted clicks,
// keys and menu choices through the real event loop: the plot read back from the frame, fields
// edited by clicks, the save prompt, the file dialog, and the saved file read by the simulator's reader.
#include "foilwright.h"
#include "hl_afl.h"
#include "hl_event.h"
#include "hl_mnw.h"
#include "hl_opensave.h"
#include "hl_program.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvscreen.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Step = ScriptStep;

class FoilScreen : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        std::snprintf(afl_path, STR_LEN, "%s/airfoils/", dir_.str().c_str());
        std::snprintf(flp_path, STR_LEN, "%s/flaps/", dir_.str().c_str());
        fs::create_directories(afl_path);
        fs::create_directories(flp_path);
        fmsc = {};
        reset_to_default(DEVICE_AIRFOIL);
        MACIBM_startwind(0);
        run_passes(1);
    }
    void TearDown() override
    {
        gdone = 0;
        ScreenTest::TearDown();
    }


    // Input inside the open window, in its own units.
    static void click_at(float x, float y) { push_click(mnw.x + x, mnw.y + y); }
    // The save prompt's three buttons.
    static void answer_save() { click_at(70, 52); }
    static void answer_dont_save() { click_at(70, 22); }
    static void answer_cancel() { click_at(230, 22); }
    // The file dialog: Cancel, and a listed file by its name.
    static void dialog_cancel() { click_at(160, 475); }
    static void dialog_pick(const std::string& name)
    {
        for (int i = 0; i < g_num_items; i++) {
            std::string p = g_path[i];
            if (p.substr(p.rfind('/') + 1) == name) {
                click_at(150, 433 - 10.0f * static_cast<float>(i - g_item_top));
                return;
            }
        }
        ADD_FAILURE() << name << " is not listed";
    }

    // A click on a field's plus (up) or minus (down) strip over place k of the field at (x, y).
    static void step_field(float x, float y, int k, bool up)
    {
        push_click(x + 10.0f * static_cast<float>(k) + 5, up ? y + 15 : y - 9);
        run_passes(1);
    }

    // Whether the frame shows colour k at sample i of the graph for value v.
    static bool plotted(const Frame& f, int i, float v, int k)
    {
        const int y = element_y(v);
        return f.is_color(250.0f + static_cast<float>(i), static_cast<float>(y), k, 8);
    }

    TempDir dir_;
};

TEST_F(FoilScreen, PlotShowsTheSynthesisedCurvesInTheirColours)
{
    push_move(700, 300);   // keep the cursor line at sample 0
    Frame f = capture_pass();
    write_png(picture_path("foilwright_alpha.png"), f);
    int lift = 0, drag = 0, moment = 0;
    for (int i = 10; i <= 400; i += 13) {
        const int e = i + 70;
        const float l = crv.cl[e] * crv.cls, d = crv.cd[e] * crv.cds, m = crv.cm[e] * crv.cms;
        // A mark drawn later covers one drawn earlier: moment over drag over lift over the zero line.
        const int yl = element_y(l), yd = element_y(d), ym = element_y(m);
        if (std::abs(yl - yd) > 1 && std::abs(yl - ym) > 1 && yl >= 140 && yl <= 540) {
            EXPECT_TRUE(plotted(f, i, l, 1)) << "lift at sample " << i;
            lift++;
        }
        if (std::abs(yd - ym) > 1 && yd >= 140 && yd <= 540) {
            EXPECT_TRUE(plotted(f, i, d, 2)) << "drag at sample " << i;
            drag++;
        }
        if (ym >= 140 && ym <= 540) {
            EXPECT_TRUE(plotted(f, i, m, 3)) << "moment at sample " << i;
            moment++;
        }
    }
    EXPECT_GT(lift, 20);
    EXPECT_GT(drag, 20);
    EXPECT_GT(moment, 20);
    // At 0 degrees (sample 200) the lift is the intercept, 0.25: y = 340 + 200 x 0.125.
    EXPECT_TRUE(f.is_color(450, 365, 1));

    // The cursor follows the mouse over the graph and its readouts show that sample.
    push_move(250 + 300, 300);
    run_passes(1);
    EXPECT_EQ(fw_sample, 300);
    Frame g = capture_pass();
    EXPECT_TRUE(g.is_color(550, 200, 0));
}

TEST_F(FoilScreen, ClickedFieldChangesTheConstantAndRedrawsTheCurve)
{
    // clB's field at (9, 454), five places with four decimals: the second place steps 0.1.
    step_field(9, 454, 1, true);
    EXPECT_FLOAT_EQ(afl[0].clB[0][0][0], 0.35f);
    EXPECT_EQ(fmsc.devicemod, 1);
    EXPECT_NEAR(crv.cl[270], 0.35f, 1e-6) << "the curves were not made again";
    Frame f = capture_pass();
    EXPECT_TRUE(plotted(f, 200, 0.35f * 0.5f, 1));

    // The stall angle's field stops at 20 degrees whatever is clicked, and the curves stay finite.
    step_field(131, 136, 0, true);   // 15 + 10, held at 20
    EXPECT_FLOAT_EQ(afl[0].almax, 20.0f);
    for (int i = 0; i < FOIL_CURVE_N; i++) ASSERT_TRUE(std::isfinite(crv.cl[i])) << i;
    step_field(131, 136, 1, false);
    EXPECT_FLOAT_EQ(afl[0].almax, 19.0f);

    // A click beside every field changes nothing.
    fmsc.devicemod = 0;
    push_click(700, 100);
    run_passes(1);
    EXPECT_EQ(fmsc.devicemod, 0);
}

TEST_F(FoilScreen, FieldsOfferTheirHelpUnderTheMouse)
{
    const struct { float x, y; const char* starts; } cases[] = {
        {152 + 5, 540, "Reynolds number basically"},
        {70 + 25, 454, "The lift slope is the amount"},
        {131 + 25, 136, "This is the positive angle of attack at which the airfoil stalls."},
        {9 + 25, 189, "This is the coefficient of pitching moment at -20 degrees"},
        {192 + 25, 189, "This is the coefficient of pitching moment at  20 degrees"},
    };
    for (const auto& c : cases) {
        push_move(c.x, c.y);
        run_passes(1);
        EXPECT_EQ(std::string(mnw.help_message).rfind(c.starts, 0), 0u) << mnw.help_message;
    }
    push_move(700, 100);
    run_passes(1);
    EXPECT_STREQ(mnw.help_message, "");
}

TEST_F(FoilScreen, SaveAsWritesAPartTheSimulatorReads)
{
    step_field(192, 454, 1, false);   // Lstall 1.6 -> 1.5
    ASSERT_FLOAT_EQ(afl[0].Lstall, 1.5f);
    choose_scripted(1, 3, {[] { push_key(13); }});   // File, Save As: take the proposed name
    EXPECT_EQ(fmsc.haveaname, 1);
    EXPECT_EQ(fmsc.devicemod, 0);
    EXPECT_STREQ(fmsc.C_file, "Untitled.afl");
    const std::string path = std::string(afl_path) + "Untitled.afl";
    ASSERT_TRUE(fs::exists(path));
    EXPECT_EQ(path, fmsc.C_path);

    float almax = 0;
    ASSERT_EQ(grabafoil("Untitled.afl", 6, 0, 1, &almax, 1, "left wing 2"), 1);
    EXPECT_FLOAT_EQ(almax, 15.0f);
    for (int n = 100; n <= 270; n++) EXPECT_NEAR(afl[1].clpos[6][0][1][n - 100], crv.cl[270 + n], 6e-6) << n;
    // Just past the stall the lift is the new maximum less the stall's drop.
    EXPECT_NEAR(afl[1].clpos[6][0][1][150 - 100], 1.5f - 0.1f, 6e-6);

    // Save now writes under that name without asking.
    step_field(192, 454, 1, true);
    EXPECT_EQ(fmsc.devicemod, 1);
    choose_scripted(1, 2);
    EXPECT_EQ(fmsc.devicemod, 0);
    ASSERT_EQ(grabafoil("Untitled.afl", 6, 0, 1, &almax, 1, "left wing 2"), 1);
    EXPECT_NEAR(afl[1].clpos[6][0][1][150 - 100], 1.6f - 0.1f, 6e-6);
}

TEST_F(FoilScreen, SaveOfAnUnnamedPartCancelledSavesNothing)
{
    step_field(9, 454, 2, true);
    choose_scripted(1, 2, {dialog_cancel});   // File, Save: no name yet, so the dialog
    EXPECT_EQ(fmsc.devicemod, 1);
    EXPECT_EQ(fmsc.haveaname, 0);
    EXPECT_TRUE(fs::is_empty(afl_path));
}

TEST_F(FoilScreen, NewAsksFirstWhenThereAreChanges)
{
    // No changes: New resets at once.
    afl[0].Dmin = 0.009f;
    choose_scripted(1, 0);   // File, New
    EXPECT_FLOAT_EQ(afl[0].Dmin, 0.0065f);

    // With changes, Cancel keeps the part as it was.
    step_field(9, 348, 1, true);   // Dmin 0.0065 -> 0.1065
    const float changed = afl[0].Dmin;
    choose_scripted(1, 0, {answer_cancel});
    EXPECT_FLOAT_EQ(afl[0].Dmin, changed);
    EXPECT_EQ(fmsc.devicemod, 1);

    // Don't Save lets the part go.
    choose_scripted(1, 0, {answer_dont_save});
    EXPECT_FLOAT_EQ(afl[0].Dmin, 0.0065f);
    EXPECT_EQ(fmsc.devicemod, 0);
    EXPECT_EQ(mnw.topwin, 0);

    // Save with a cancelled dialog keeps the part too.
    step_field(9, 348, 1, true);
    choose_scripted(1, 0, {answer_save, dialog_cancel});
    EXPECT_FLOAT_EQ(afl[0].Dmin, changed);
    EXPECT_EQ(fmsc.devicemod, 1);
    EXPECT_TRUE(fs::is_empty(afl_path));
}

TEST_F(FoilScreen, SwitchingToAFlapAsksThenStartsAnUntitledFlap)
{
    step_field(70, 454, 2, true);
    choose_scripted(2, 1, {answer_dont_save});   // Part, Flap
    EXPECT_EQ(fmsc.device, DEVICE_FLAP);
    EXPECT_STREQ(fmsc.C_file, "Untitled.flp");
    EXPECT_EQ(fmsc.devicemod, 0);
    // The flap's curves: at full deflection (sample 400) lift 1.4, drawn at half scale.
    Frame f = capture_pass();
    write_png(picture_path("foilwright_flap.png"), f);
    EXPECT_TRUE(plotted(f, 400, 1.4f * 0.5f, 1));
    EXPECT_TRUE(plotted(f, 200, crv.cm[200], 3));

    // A flap field: FLPdco1 at (9, 401); its first place steps 1.
    step_field(9, 401, 0, true);
    EXPECT_FLOAT_EQ(afl[0].FLPdco1, 1.04f);
    EXPECT_NEAR(crv.cd[400], 1.08f, 1e-5);
}

TEST_F(FoilScreen, OpenReadsAPartFromTheDialog)
{
    // A part on disk with its own constants.
    airfoilstruct other = afl[0];
    other.Lstall = 1.45f;
    other.almax = 14.0f;
    foilcurvestruct c;
    foil_generate(&other, DEVICE_AIRFOIL, &c);
    const std::string path = std::string(afl_path) + "Other.afl";
    ASSERT_EQ(afl_write_part(path.c_str(), DEVICE_AIRFOIL, &other, &c), 1);

    choose_scripted(1, 1, {release_unseen, [] { dialog_pick("Other.afl"); }}, true);   // File, Open, held
    EXPECT_STREQ(fmsc.C_file, "Other.afl");
    EXPECT_FLOAT_EQ(afl[0].Lstall, 1.45f);
    EXPECT_FLOAT_EQ(afl[0].almax, 14.0f);
    EXPECT_NEAR(crv.cl[270 + 140], c.cl[270 + 140], 1e-6);
    EXPECT_EQ(fmsc.devicemod, 0);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(FoilScreen, ViewAgainstLiftDrawsNoLiftCurve)
{
    choose_scripted(3, 1);   // View, Cd Cm VS. Cl
    EXPECT_EQ(fmsc.view, VIEW_CL);
    push_move(700, 300);
    Frame f = capture_pass();
    write_png(picture_path("foilwright_cl.png"), f);
    // At 0 degrees (lift 0.25) the zero line is in colour 1 and the drag above it; no lift mark.
    const int x = fpx(200);
    EXPECT_EQ(x, 231);
    EXPECT_TRUE(plotted(f, x, 0.0f, 1));
    EXPECT_TRUE(plotted(f, x, crv.cd[270] * crv.cds, 2));
    EXPECT_FALSE(plotted(f, x, 0.25f * 0.5f, 1));
    choose_scripted(3, 0);
    EXPECT_EQ(fmsc.view, VIEW_ALPHA);
    // Chosen by a double-click on its lower edge: the Reynolds number's field beneath takes no press.
    const float re = afl[0].Re[0][0][0];
    double_click_menu_item(3, 1, 165);
    EXPECT_EQ(fmsc.view, VIEW_CL);
    EXPECT_EQ(afl[0].Re[0][0][0], re);
}

TEST_F(FoilScreen, MarksOffTheGraphAreNotDrawnOverTheFields)
{
    // A flap whose lift is negative plots left of the graph against its lift coefficient.
    reset_to_default(DEVICE_FLAP);
    afl[0].FLPlco1 = -2.0f;
    generate();
    fmsc.view = VIEW_CL;
    push_move(700, 100);
    Frame f = capture_pass();
    int lit = 0;
    for (float y = 140; y <= 540; y++)
        for (float x = 244; x <= 248; x++) {
            const uint8_t* p = f.at(x, y);
            lit += p[0] > 8 || p[1] > 8 || p[2] > 8;
        }
    EXPECT_EQ(lit, 0) << "marks drawn between the fields and the graph";
}

TEST_F(FoilScreen, QuitEndsTheLoopOnceTheChangesAreDealtWith)
{
    step_field(9, 454, 1, true);
    choose_scripted(1, 5, {answer_cancel});   // File, Quit, then Cancel
    EXPECT_EQ(gdone, 0);
    choose_scripted(1, 5, {answer_dont_save});
    EXPECT_EQ(gdone, 1);
}

}  // namespace

namespace {

TEST_F(FoilScreen, ClosingTheWindowWithChangesAsksFirst)
{
    // No changes: the close ends the program at once.
    push_close();
    foil_pass();
    EXPECT_EQ(gdone, 1);
    gdone = 0;

    // With changes: the save prompt; Cancel keeps the editor and the changes.
    // The pass that takes the close request ends before the prompt opens: its hook call is skipped.
    step_field(9, 454, 1, true);
    start_script({answer_cancel}, true);
    push_close();
    foil_pass();
    EXPECT_EQ(gdone, 0);
    EXPECT_EQ(fmsc.devicemod, 1);

    // Save writes the part under a name from the dialog, then the program ends.
    start_script({answer_save, [] { push_key(13); }}, true);
    push_close();
    foil_pass();
    stop_script();
    EXPECT_EQ(gdone, 1);
    EXPECT_TRUE(fs::exists(std::string(afl_path) + "Untitled.afl"));
}

}  // namespace

namespace {

// The pictures Foilwright loads at start-up, where its own loader looks for them, are in the
// program folder the build made. (It draws its own pointer on no machine here, but the picture is
// there for one that would.)
TEST(FoilwrightPictures, StartPicturesAreInTheProgramFolder)
{
    ASSERT_STREQ(hl_prog.name, "Foilwright");
    ASSERT_EQ(hl_prog.is_simulator, 0);
    clear_globals();
    hl_build_paths(KV_PROGRAM_DIR "/", "/nonexistent", nullptr);
    int n = 0;
    const hl_start_tex* start = hl_start_textures(&n);
    int wanted = 0;
    for (int k = 0; k < n; k++) {
        if (start[k].when == START_TEX_SIMULATOR) continue;
        char path[STR_LEN];
        texbmp_path(TEXBMP_FAMILY, start[k].tex, start[k].name, path);
        const fs::path p(std::string(path) + BITMAP_EXTENSION);
        EXPECT_TRUE(fs::is_regular_file(p)) << path;
        EXPECT_EQ(p.parent_path().filename(), "textures") << path;
        wanted++;
    }
    EXPECT_EQ(wanted, 2);
}

}  // namespace

namespace {

// The whole program, WinMain to its end, in a child process on the offscreen driver: a program
// folder of its own (its start pictures copied from the build's), scripted input from the first
// pass of the loop on: a field clicked, Save As from the File menu with the proposed name, Quit.
class FoilwrightRun : public ProgramFolders {
protected:
    void SetUp() override
    {
        ProgramFolders::SetUp();
        fs::create_directories(prog_.path() / "textures");
        fs::create_directories(prog_.path() / "airfoils");
        for (const char* n : {"letters.BMP", "cursor.BMP"})
            fs::copy_file(fs::path(KV_PROGRAM_DIR) / "textures" / n, prog_.path() / "textures" / n);
        setenv("KV_PROGRAM_DIR", prog_.str().c_str(), 1);
    }
    TempDir prog_;
};


TEST_F(FoilwrightRun, StartsEditsSavesAndQuits)
{
    const std::string report = work.str() + "/report.txt";
    const int ended = run_in_child_process(
        [&] {
            start_script({
                [] { push_click(9 + 15, 454 + 15); },   // clB + 0.1
                [] { push_menu_title_click(1); },
                [] { push_menu_item_click(1, 3); },     // Save As
                [] { push_key(13); },                   // the proposed name
                [] { push_menu_title_click(1); },
                [] { push_menu_item_click(1, 5); },     // Quit
            });
            const int rc = WinMain();
            const size_t ran = stop_script();
            FILE* f = std::fopen(report.c_str(), "w");
            if (f) {
                std::fprintf(f, "%d %d %d %s", rc, static_cast<int>(ran), fmsc.devicemod, fmsc.C_file);
                std::fclose(f);
            }
        },
        120);
    ASSERT_EQ(ended, 1);
    EXPECT_EQ(read_file(report), "0 6 0 Untitled.afl");
    EXPECT_NE(read_file(work.str() + "/Error.out").find("end simulation"), std::string::npos);

    // The saved part, read by the simulator's reader, has the edited intercept.
    clear_globals();
    std::snprintf(afl_path, STR_LEN, "%s/airfoils/", prog_.str().c_str());
    float almax = 0;
    ASSERT_EQ(grabafoil("Untitled.afl", 0, 0, 0, &almax, 0, "propeller 1"), 1);
    EXPECT_NEAR(afl[0].clB[0][0][0], 0.35f, 1e-6);
    EXPECT_NEAR(afl[0].clpos[0][0][0][0], 0.35f + 10 * 0.102f, 6e-6);   // 10 degrees, on the straight line
}

}  // namespace
