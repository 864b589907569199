// dialog_gltest.cpp -- the open and save dialog and the entry fields driven through the real event
// loop on SDL's offscreen driver: scripted clicks and keys, folders climbed up and down, save names,
// scrolling, and what each pass draws, read back from the frame.
#include "hl_btn.h"
#include "hl_event.h"
#include "hl_opensave.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "plt.h"
#include "test_program.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using Step = ScriptStep;

class Dialog : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        test_program_log().clear();
        app_ = app_dir_.str() + "/";
        std::snprintf(app_path, STR_LEN, "%s", app_.c_str());
        std::snprintf(wrk_path, STR_LEN, "%s", app_.c_str());
        std::snprintf(afl_path, STR_LEN, "%sairfoils/", app_.c_str());
        std::snprintf(sit_path, STR_LEN, "%sadditional nav data/situations/", app_.c_str());
        fs::create_directories(afl_path);
        fs::create_directories(sit_path);
    }
    void TearDown() override
    {
        test_program_log().clear();
        gdone = 0;
        ScreenTest::TearDown();
    }
    void file(const std::string& rel) { app_dir_.write(rel, "data"); }
    void folder(const std::string& rel) { fs::create_directories(app_dir_.path() / rel); }

    // Runs the dialog on the script; every step must have run by the time it returns.
    int run(int window, int kind, char* name, char* path, std::vector<Step> steps, bool every_pass = false)
    {
        const size_t n = steps.size();
        start_script(std::move(steps), false, every_pass);
        int r = MACIBM_opensave(window, kind, name, path);
        EXPECT_EQ(stop_script(), n) << "the dialog returned before its script ended";
        return r;
    }

    // Input in the dialog's own units.
    static void click_at(float x, float y) { push_click(mnw.x + x, mnw.y + y); }
    static void click_up() { click_at(160, 454); }
    static void click_cancel() { click_at(160, 475); }
    static int row_of(const std::string& name)
    {
        for (int i = 0; i < g_num_items; i++) {
            std::string p = g_path[i];
            if (p.substr(p.rfind('/') + 1) == name) return i;
        }
        return -1;
    }
    static void click_entry(const std::string& name)
    {
        int r = row_of(name);
        ASSERT_GE(r, 0) << name << " is not listed";
        click_at(150, 433 - 10.0f * static_cast<float>(r - g_item_top));
    }
    static void type(const char* s)
    {
        for (const char* c = s; *c; c++) {
            if (*c >= 'a' && *c <= 'z') push_key(*c - 32);
            else if (*c >= 'A' && *c <= 'Z') push_key(*c, true);
            else if (*c == '.') push_key(190);
            else if (*c == '/') push_key(191);
            else if (*c == '\\') push_key(220);
            else push_key(*c);
        }
    }
    static void raw(int kind, float x, float y)
    {
        PLT_event e{};
        e.kind = kind;
        e.button = 1;
        logical_to_pixel(mnw.x + x, mnw.y + y, &e.x, &e.y);
        PLT_push_event(e);
    }
    static std::vector<std::string> listed()
    {
        std::vector<std::string> v;
        for (int i = 0; i < g_num_items; i++) v.push_back(g_name[i]);
        return v;
    }
    // Whether the frame holds colour k at the dialog's point (x, y).
    static bool dlg_color(const Frame& f, float x, float y, int k) { return f.is_color(mnw.x + x, mnw.y + y, k, 8); }
    static bool dlg_dark(const Frame& f, float x1, float y1, float x2, float y2)
    {
        for (float y = y1; y <= y2; y++)
            for (float x = x1; x <= x2; x++) {
                const uint8_t* p = f.at(mnw.x + x, mnw.y + y);
                if (p[0] > 8 || p[1] > 8 || p[2] > 8) return false;
            }
        return true;
    }

    TempDir app_dir_;
    std::string app_;
    char name_[STR_LEN] = "keep.acf";
    char path_[STR_LEN] = "kept path";
};

TEST_F(Dialog, ListsTheFolderSortedWithFoldersMarkedThenCancels)
{
    for (const char* f : {"planes/b.acf", "planes/A.acf", "planes/c.Acf", "planes/read me.txt"}) file(f);
    folder("planes/Zulu");
    folder("planes/alpha");
    std::snprintf(wrk_path, STR_LEN, "%splanes/", app_.c_str());
    int r = run(WIND_OPEN, OS_KIND_AIRCRAFT, name_, path_, {
        [] {
            EXPECT_EQ(mnw.topwin, WIND_OPEN);
            const std::vector<std::string> want = {"A.acf", "Zulu", "alpha", "b.acf"};
            EXPECT_EQ(listed(), want);
            Frame f = read_frame();
            write_png(picture_path("dialog_open.png"), f);
            // Folder rows carry the colour 41 outline at x 15..27 on their baseline; file rows not.
            for (int i = 0; i < 4; i++) {
                float y = 429 - 10.0f * i;
                EXPECT_EQ(dlg_color(f, 21, y, 41), i == 1 || i == 2) << i;
            }
            // "A" of the first row in the files' colour 46 (its top row has dots in columns 1..3).
            EXPECT_TRUE(dlg_color(f, 32, 435, 46));
            // The thumb at the top of the bar; the buttons' bevels.
            EXPECT_TRUE(dlg_color(f, 303, 433, 48));
            EXPECT_FALSE(dlg_color(f, 303, 300, 48));
            click_cancel();
        },
    });
    EXPECT_EQ(r, 0);
    EXPECT_STREQ(name_, "keep.acf");
    EXPECT_STREQ(path_, "kept path");
    EXPECT_EQ(mnw.topwin, 0);
}

TEST_F(Dialog, EntersLongFoldersByTheirFullNamesAndClimbsBackToTheFloor)
{
    const std::string l1 = "General aviation aircraft of every kind and size";
    const std::string l2 = "Single engine trainers with rather long names";
    file("planes/" + l1 + "/" + l2 + "/trainer.acf");
    file("planes/" + l1 + "/other.acf");
    const std::string deep = app_ + "planes/" + l1 + "/" + l2 + "/";
    int r = run(WIND_OPEN, OS_KIND_AIRCRAFT, name_, path_, {
        [] { click_entry("planes"); },
        [&] {
            EXPECT_EQ(std::string(wrk_path), app_ + "planes/");
            EXPECT_EQ(std::string(g_name[0]), l1.substr(0, 31));
            click_entry(l1);
        },
        [&] {
            EXPECT_EQ(std::string(wrk_path), app_ + "planes/" + l1 + "/");
            const std::vector<std::string> want = {"Single engine trainers with rat", "other.acf"};
            EXPECT_EQ(listed(), want);
            click_entry(l2);
        },
        [&] {
            EXPECT_EQ(std::string(wrk_path), deep);
            click_entry("trainer.acf");
        },
    });
    EXPECT_EQ(r, 1);
    EXPECT_STREQ(name_, "trainer.acf");
    EXPECT_EQ(std::string(path_), deep + "trainer.acf");

    // The aircraft kind starts where the last dialog left off, and climbs to the program's folder.
    r = run(WIND_OPEN, OS_KIND_AIRCRAFT, name_, path_, {
        [] {
            const std::vector<std::string> want = {"trainer.acf"};
            EXPECT_EQ(listed(), want);
            click_up();
        },
        [&] {
            EXPECT_EQ(std::string(wrk_path), app_ + "planes/" + l1 + "/");
            click_up();
        },
        [&] {
            EXPECT_EQ(std::string(wrk_path), app_ + "planes/");
            click_up();
        },
        [&] {
            EXPECT_EQ(std::string(wrk_path), app_);
            click_up();
        },
        [&] {
            EXPECT_EQ(std::string(wrk_path), app_);   // the floor
            click_cancel();
        },
    });
    EXPECT_EQ(r, 0);
    EXPECT_EQ(std::string(wrk_path), app_);
}

TEST_F(Dialog, KindsWithoutAStartFolderBeginInTheProgramFolderWhenTheLastOneLiesOutside)
{
    file("top.acf");
    TempDir elsewhere;
    for (const std::string& w : {elsewhere.str() + "/", std::string(""), app_ + "no-slash"}) {
        std::snprintf(wrk_path, STR_LEN, "%s", w.c_str());
        run(WIND_OPEN, OS_KIND_ANY, name_, path_, {[] {
                EXPECT_STREQ(wrk_path, app_path);
                click_up();   // already at the floor
            },
            [] {
                EXPECT_STREQ(wrk_path, app_path);
                click_cancel();
            }});
    }
}

TEST_F(Dialog, KindsWithAStartFolderStartAndStopThereUnderTheirCaption)
{
    for (const char* f : {"airfoils/NACA.afl", "airfoils/Clark.AFL", "airfoils/odd.Afl", "airfoils/sub/deep.AFL"})
        file(f);
    file("planes/x.acf");
    std::snprintf(wrk_path, STR_LEN, "%splanes/", app_.c_str());
    int r = run(WIND_OPEN, OS_KIND_AIRFOIL, name_, path_, {
        [] {
            EXPECT_STREQ(wrk_path, afl_path);
            const std::vector<std::string> want = {"Clark.AFL", "NACA.afl", "sub"};
            EXPECT_EQ(listed(), want);
            Frame f = read_frame();
            write_png(picture_path("dialog_caption.png"), f);
            // The caption's first character, an apostrophe, in colour 41 on its black box.
            EXPECT_TRUE(dlg_color(f, 17, 457, 41));
            EXPECT_TRUE(dlg_color(f, 300, 455, 29));
            click_entry("sub");
        },
        [] {
            EXPECT_EQ(std::string(wrk_path), std::string(afl_path) + "sub/");
            const std::vector<std::string> want = {"deep.AFL"};
            EXPECT_EQ(listed(), want);
            click_up();
        },
        [] {
            EXPECT_STREQ(wrk_path, afl_path);
            click_up();
        },
        [] {
            EXPECT_STREQ(wrk_path, afl_path);
            click_entry("Clark.AFL");
        },
    });
    EXPECT_EQ(r, 1);
    EXPECT_STREQ(name_, "Clark.AFL");
    EXPECT_EQ(std::string(path_), std::string(afl_path) + "Clark.AFL");
}

TEST_F(Dialog, EmptyFolderDrawsNoRowsAndNoThumb)
{
    folder("empty");
    std::snprintf(wrk_path, STR_LEN, "%sempty/", app_.c_str());
    int r = run(WIND_OPEN, OS_KIND_ANY, name_, path_, {
        [] {
            EXPECT_EQ(g_num_items, 0);
            EXPECT_LT(g_item_bot, g_item_top);
            Frame f = read_frame();
            write_png(picture_path("dialog_empty.png"), f);
            EXPECT_TRUE(dlg_dark(f, 11, 35, 292, 439));
            EXPECT_TRUE(dlg_dark(f, 297, 35, 309, 439));
            click_at(150, 433);   // where the first row would be
        },
        [] {
            click_at(303, 300);   // the scroll bar
        },
        [] {
            EXPECT_EQ(mnw.topwin, WIND_OPEN);
            EXPECT_EQ(g_item_top, 0);
            EXPECT_STREQ(wrk_path, (std::string(app_path) + "empty/").c_str());
            click_cancel();
        },
    });
    EXPECT_EQ(r, 0);
}

TEST_F(Dialog, FirstPassShowsTheFolderBeingOpened)
{
    file("one/first.acf");
    file("two/second.acf");
    file("two/third.acf");
    std::snprintf(wrk_path, STR_LEN, "%sone/", app_.c_str());
    run(WIND_OPEN, OS_KIND_AIRCRAFT, name_, path_, {[] { click_cancel(); }});
    std::snprintf(wrk_path, STR_LEN, "%stwo/", app_.c_str());
    run(WIND_OPEN, OS_KIND_AIRCRAFT, name_, path_, {[] {
            // The end of the very first pass: what it drew is this folder's list.
            EXPECT_EQ(script_passes(), 1);
            const std::vector<std::string> want = {"second.acf", "third.acf"};
            EXPECT_EQ(listed(), want);
            click_cancel();
        }});
}

TEST_F(Dialog, SaveNameStaysInsideItsFolder)
{
    fs::remove(sit_path);   // the kind's folder is made when the save is confirmed
    std::snprintf(name_, STR_LEN, "..");
    int r = run(WIND_SAVE, OS_KIND_SITUATION, name_, path_, {
        [] {
            EXPECT_EQ(mnw.topwin, WIND_SAVE);
            EXPECT_STREQ(g_cs0, "..");
            push_key(13);
        },
        [] {
            EXPECT_EQ(mnw.topwin, WIND_SAVE);   // ".." refused
            push_key(8);
            push_key(8);
            push_key(13);
        },
        [] {
            EXPECT_EQ(mnw.topwin, WIND_SAVE);   // an empty name refused
            type("   ");
            push_key(13);
        },
        [] {
            EXPECT_EQ(mnw.topwin, WIND_SAVE);   // blanks refused
            EXPECT_STREQ(g_cs0, "   ");
            for (int i = 0; i < 3; i++) push_key(8);
            // The separators never reach the name, so it stays in the folder.
            type("../x\\y");
            push_key(13);
        },
    });
    EXPECT_EQ(r, 1);
    EXPECT_STREQ(name_, "..xy.sit");
    EXPECT_EQ(std::string(path_), std::string(sit_path) + "..xy.sit");
    EXPECT_TRUE(fs::is_directory(sit_path));
    EXPECT_EQ(mnw.topwin, 0);

    // A proposed name holding separators is refused until it is edited.
    std::snprintf(name_, STR_LEN, "../../etc/x");
    std::snprintf(path_, STR_LEN, "kept path");
    r = run(WIND_SAVE, OS_KIND_SITUATION, name_, path_, {
        [] { push_key(13); },
        [] {
            EXPECT_EQ(mnw.topwin, WIND_SAVE);
            click_cancel();
        },
    });
    EXPECT_EQ(r, 0);
    EXPECT_STREQ(name_, "../../etc/x");
    EXPECT_STREQ(path_, "kept path");

    // Only the ending, then a folder's name and a pipe's, refused; an existing file's asks: Cancel,
    // then Replace. Neither the pipe nor a link to it is listed.
    folder("additional nav data/situations/dir.sit");
    file("additional nav data/situations/keep.sit");
    ASSERT_EQ(mkfifo((std::string(sit_path) + "pipe.sit").c_str(), 0600), 0);
    fs::create_symlink("pipe.sit", std::string(sit_path) + "link.sit");
    std::snprintf(name_, STR_LEN, ".Sit");
    r = run(WIND_SAVE, OS_KIND_SITUATION, name_, path_, {
        [] {
            EXPECT_EQ(listed(), (std::vector<std::string>{"dir.sit", "keep.sit"}));
            push_key(13);
        },
        [] { type("\b\b\b\bdir\r"); },   // backspaces, then Enter
        [] { type("\b\b\bpipe\r"); },
        [] { type("\b\b\b\bkeep\r"); },
        [] {
            EXPECT_STREQ(g_cs1, "The file 'keep.sit' already exists. Replace it?");
            click_at(230, 22);
        },
        [] {
            EXPECT_EQ(mnw.topwin, WIND_SAVE);
            EXPECT_STREQ(g_cs0, "keep");
            EXPECT_EQ(read_file(std::string(sit_path) + "keep.sit"), "data");
            push_key(13);
        },
        [] { click_at(70, 22); },
    });
    EXPECT_EQ(r, 1);
    EXPECT_EQ(std::string(path_), std::string(sit_path) + "keep.sit");
    ASSERT_EQ(recorded_alerts().size(), 3u);
    EXPECT_EQ(recorded_alerts()[0].l1, "Type a name before the ending '.sit'.");
    EXPECT_EQ(recorded_alerts()[1].l1, "'dir.sit' is a folder: type another name for the file.");
    EXPECT_EQ(recorded_alerts()[2].l1, "'pipe.sit' is a pipe, not a file: type another name for the file.");
}

TEST_F(Dialog, StaleEnterDoesNotAnswerTheSaveDialogButANewOneDoes)
{
    std::snprintf(name_, STR_LEN, "pattern.sit");
    return_hit = 1;
    int r = run(WIND_SAVE, OS_KIND_SITUATION, name_, path_, {
        [] {
            EXPECT_EQ(mnw.topwin, WIND_SAVE);
            push_key(13);
        },
    });
    EXPECT_EQ(r, 1);
    EXPECT_EQ(std::string(path_), std::string(sit_path) + "pattern.sit");
}

TEST_F(Dialog, EnterDoesNothingInTheOpenDialog)
{
    file("planes/a.acf");
    int r = run(WIND_OPEN, OS_KIND_AIRCRAFT, name_, path_, {
        [] {
            type("a");
            push_key(13);
        },
        [] {
            EXPECT_EQ(mnw.topwin, WIND_OPEN);
            EXPECT_EQ(return_hit, 0);
            click_cancel();
        },
    });
    EXPECT_EQ(r, 0);
}

TEST_F(Dialog, SaveShowsTheTypedNameWithABlinkingCaret)
{
    std::snprintf(name_, STR_LEN, "ab");
    Frame f1;
    run(WIND_SAVE, OS_KIND_SITUATION, name_, path_, {
        [&] { f1 = read_frame(); },
        [&] {
            Frame f2 = read_frame();
            write_png(picture_path("dialog_save.png"), f1);
            // Caret at x = 6 * 2 + 16 = 28 from y 13 to 21: colour 46 in one pass, black in the next.
            EXPECT_NE(dlg_color(f1, 28, 17, 46), dlg_color(f2, 28, 17, 46));
            EXPECT_NE(dlg_color(f1, 28, 17, 29), dlg_color(f2, 28, 17, 29));
            // "a" drawn as "A" in colour 46 at (15, 14).
            EXPECT_TRUE(dlg_color(f1, 17, 20, 46));
            click_cancel();
        },
        [] {},
    }, true);
}

TEST_F(Dialog, ScrollBarDragsWhileHeldAndRowsFollowTheTop)
{
    for (int i = 0; i < 120; i++) {
        char n[32];
        std::snprintf(n, sizeof n, "many/f%03d.acf", i);
        file(n);
    }
    std::snprintf(wrk_path, STR_LEN, "%smany/", app_.c_str());
    int r = run(WIND_OPEN, OS_KIND_AIRCRAFT, name_, path_, {
        [] {
            EXPECT_EQ(g_num_items, 120);
            EXPECT_EQ(g_item_top, 0);
            EXPECT_EQ(g_item_bot, 39);
            raw(PLT_EV_MOUSEMOVE, 303, 300);
            raw(PLT_EV_BUTTONDOWN, 303, 300);
        },
        [] {
            // 119 entries over y 41..433: y 300 is entry 119 * 133 / 392.
            EXPECT_EQ(g_item_top, 40);
            raw(PLT_EV_MOUSEMOVE, 500, 41);   // off the bar, still held
        },
        [] {
            EXPECT_EQ(g_item_top, 119);
            EXPECT_EQ(g_item_bot, 119);
            Frame f = read_frame();
            EXPECT_TRUE(dlg_color(f, 303, 42, 48));
            EXPECT_FALSE(dlg_color(f, 303, 433, 48));
            raw(PLT_EV_BUTTONUP, 500, 41);
            raw(PLT_EV_MOUSEMOVE, 500, 433);
        },
        [] {
            EXPECT_EQ(g_item_top, 119);   // let go: the mouse no longer scrolls
            click_at(150, 433);
        },
    });
    EXPECT_EQ(r, 1);
    EXPECT_STREQ(name_, "f119.acf");
}

TEST_F(Dialog, FollowsChangesOnDisk)
{
    file("live/one");
    std::snprintf(wrk_path, STR_LEN, "%slive/", app_.c_str());
    run(WIND_OPEN, OS_KIND_ANY, name_, path_, {
        [&] {
            EXPECT_EQ(g_num_items, 1);
            file("live/two");
            advance_test_clock(300);
        },
        [] {
            const std::vector<std::string> want = {"one", "two"};
            EXPECT_EQ(listed(), want);
            click_cancel();
        },
    });
}

// In each program's dialogs a name saved without its kind's ending gets it and is listed, and a long
// one keeps it; a folder (A) double-clicked is entered once, and a file or an alert's O.K.
// double-clicked gives the program no press.
TEST_F(Dialog, NamesGetTheirEndingAndADoubleClickActsOnce)
{
    std::snprintf(flp_path, STR_LEN, "%sflaps/", app_.c_str());
    const auto twice = [](float x, float y) {
        return std::vector<Step>{[=] { push_click(x, y); }, [=] { push_second_click(x, y); }};
    };
    const struct { int kind; const char* folder, *typed, *saved; } rows[] = {
        {OS_KIND_SITUATION, "additional nav data/situations/", "noext", "noext.sit"},
        {OS_KIND_AIRFOIL, "airfoils/", "Test1", "Test1.afl"}, {OS_KIND_FLAP, "flaps/", "f.afl", "f.afl.flp"},
        {OS_KIND_AIRCRAFT, "planes/", "x", "x.acf"}, {OS_KIND_AIRCRAFT, "planes/", "g.ACF", "g.ACF"},
        // A proposed name longer than the 31 characters typed is cut before its ending.
        {OS_KIND_AIRFOIL, "airfoils/", "NACA 65A004 (thin symmetrical).afl", "NACA 65A004 (thin symmetric.afl"},
        {OS_KIND_SITUATION, "additional nav data/situations/", "Mine.Sit", "Mine.sit"},
        {OS_KIND_AIRFOIL, "airfoils/", "Mine.aFl", "Mine.afl"}, {OS_KIND_AIRCRAFT, "planes/", "Mine.Acf", "Mine.acf"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.typed);
        folder(r.folder + std::string("A/A"));
        std::snprintf(name_, STR_LEN, "%s", r.typed);
        for (int window : {WIND_SAVE, WIND_OPEN}) {
            std::vector<Step> steps = twice(390, 489);   // the first row
            steps.push_back(window == WIND_SAVE ? Step([] { push_key(13); }) : [] { click_at(150, 423); });
            std::snprintf(wrk_path, STR_LEN, "%splanes/", app_.c_str());
            ASSERT_EQ(run(window, r.kind, name_, path_, steps), 1);
            file(std::string(path_).substr(app_.size()));
        }
        EXPECT_EQ(std::string(path_), app_ + r.folder + "A/" + r.saved);   // opened where it was saved
        push_second_click(390, 479);
        run_passes(1);
        EXPECT_EQ(mnw.mouse_clicked, 0);
    }
    show_alert_windows(true);
    start_script(twice(400, 225));
    MACIBM_alert("O.K. double-clicked", "", "", "", ALERT_NOTICE);
    run_passes(2);
    EXPECT_EQ(stop_script(), 2u);
    EXPECT_EQ(mnw.mouse_clicked, 0) << "an alert's O.K. double-clicked";
}

TEST_F(Dialog, ClosingTheWindowEndsTheDialog)
{
    int r = run(WIND_OPEN, OS_KIND_ANY, name_, path_, {[] { push_close(); }});
    EXPECT_EQ(r, 0);
    EXPECT_EQ(gdone, 1);
}

// ---- entry fields in a window's update --------------------------------------------------------------

char g_field_name[STR_LEN], g_field_path[STR_LEN];
int g_field_result = 0;
float g_field_value = 0;

TEST_F(Dialog, FileNameFieldOpensTheDialogAndTakesTheChoice)
{
    file("airfoils/NACA.afl");
    file("airfoils/Clark.afl");
    std::snprintf(g_field_name, STR_LEN, "Clark.afl");
    std::snprintf(g_field_path, STR_LEN, "%s", (std::string(afl_path) + "Clark.afl").c_str());
    g_field_result = 0;
    test_program_log().on_update = [] {
        int r = instringbtn(100, 300, g_field_name, g_field_path, OS_KIND_AIRFOIL, "Root airfoil.");
        if (r) g_field_result = r;
    };
    run_passes(1);
    EXPECT_EQ(g_field_result, 0);
    push_click(90, 303);
    start_script({[] {
        EXPECT_EQ(mnw.topwin, WIND_OPEN);
        EXPECT_STREQ(wrk_path, afl_path);
        click_entry("NACA.afl");
    }});
    run_passes(1);
    EXPECT_EQ(stop_script(), 1u);
    EXPECT_EQ(g_field_result, 1);
    EXPECT_STREQ(g_field_name, "NACA.afl");
    EXPECT_EQ(std::string(g_field_path), std::string(afl_path) + "NACA.afl");
    EXPECT_EQ(mnw.topwin, 0);
    // The name shows in colour 47 after the button ("N" has dots at both ends of its top row).
    Frame f = capture_pass();
    EXPECT_TRUE(f.is_color(105, 306, 47, 8));
    EXPECT_TRUE(f.is_color(109, 306, 47, 8));
}

TEST_F(Dialog, NumberFieldTakesClicksThroughTheLoopAndOffersHelp)
{
    g_field_value = 5;
    test_program_log().on_update = [] { instdbtn(200, 300, 7, &g_field_value, 3, 1, 0, "Wave height."); };
    push_click(205, 315);   // left column, plus strip
    run_passes(1);
    EXPECT_FLOAT_EQ(g_field_value, 15);
    push_click(225, 291);   // right column, minus strip
    run_passes(1);
    EXPECT_FLOAT_EQ(g_field_value, 14.9f);
    push_click(215, 303);   // the digits: selected, unchanged
    run_passes(1);
    EXPECT_FLOAT_EQ(g_field_value, 14.9f);
    EXPECT_EQ(select_ind, 1);
    // Resting on the field for more than a second brings up its help under it.
    advance_test_clock(1500);
    Frame f = capture_pass();
    write_png(picture_path("field_help.png"), f);
    EXPECT_STREQ(mnw.help_message, "Wave height.");
    EXPECT_TRUE(f.is_color(197, 272, 18, 8));   // the bubble's frame, hanging from y 280
    // The digits in the field's colour.
    bool lit = false;
    for (int x = 200; x < 230 && !lit; x++)
        for (int y = 300; y < 307 && !lit; y++) lit = f.is_color(static_cast<float>(x), static_cast<float>(y), 7, 8);
    EXPECT_TRUE(lit);
}

}  // namespace
