// menus_gltest.cpp -- the real simulator on an offscreen window, driven by mouse clicks through its
// event loop: menus of its bar open and their items are chosen (Quit, a view with its tick, a runway
// end through two submenus, an aircraft through the open dialog, a settings window, the about box,
// the replay with its controls).
#include "fltutil.h"
#include "hl_event.h"
#include "hl_mnw.h"
#include "hl_opensave.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "lax.h"
#include "open_dialog.h"
#include "replay_bar.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// One run: the test's step at every pass, and the pass at which the window is closed at the latest.
struct Script {
    std::function<void(int)> each_pass;
    int close_at = 600;
    int passes = 0;
};
Script* g_script = nullptr;

void pass_hook(void)
{
    if (!g_script) return;
    g_script->passes++;
    if (g_script->each_pass) g_script->each_pass(g_script->passes);
    if (g_script->passes == g_script->close_at) push_close();
}

using Values = ChildReport;

// Runs Kestrova in a child process (the window system and speech start once per process, as in the
// real program); `values` filled during the run is reported back with the result and the passes.
Values run_kestrova(Script& script, Values& values, const std::string& report)
{
    return run_child_with_report([&](ChildReport& r) {
        g_script = &script;
        int rc = -1;
        try {
            rc = kestrova_run();
        } catch (const FatalAlert&) {
            rc = -2;
        }
        values["rc"] = std::to_string(rc);
        values["passes"] = std::to_string(script.passes);
        for (const RecordedAlert& a : recorded_alerts())
            if (a.code == ALERT_ABOUT) values["about"] = a.l1;
        r = values;
    }, report, 120);
}

// The middle of a menu's title and of an item, in logical units.
void click_title(int menu)
{
    push_click(0.5f * (mnw.menux1[menu] + mnw.menux2[menu]), 0.5f * (mnw.menuy1[menu] + mnw.menuy2[menu]));
}
void click_item(int item)
{
    const int m = item / 100, p = item % 100;
    push_click(0.5f * (mnw.itemx1[m][p] + mnw.itemx2[m][p]), 0.5f * (mnw.itemy1[m][p] + mnw.itemy2[m][p]));
}

// The aircraft's distance from the nearer end of runway r, along the runway (m).
double from_end(int r)
{
    const double dx = flt.X[0] - X_with_latlon(rwy_lat[r], rwy_lon[r]), dz = flt.Z[0] - Z_with_lat(rwy_lat[r]);
    return 0.5 * rwy_len[r] - std::sqrt(dx * dx + dz * dz);
}

// Pixels of colour k in a box of the screen (logical units, sampled every half unit).
int count_color(const Frame& f, float x1, float y1, float x2, float y2, int k)
{
    int n = 0;
    for (float x = x1; x <= x2; x += 0.5f)
        for (float y = y1; y <= y2; y += 0.5f) n += f.is_color(x, y, k, 8);
    return n;
}

class RealMenus : public ProgramFolders {
protected:
    int runs = 0;
    void SetUp() override
    {
        ProgramFolders::SetUp();
        hl_set_pass_hook(pass_hook);
    }
    void TearDown() override
    {
        hl_set_pass_hook(nullptr);
        ProgramFolders::TearDown();
    }
    Values run(Script& script, Values& values)
    {
        Values got = run_kestrova(script, values, work.str() + "/report" + std::to_string(runs++) + ".txt");
        EXPECT_EQ(report_num(got, "rc"), 0) << "the run did not end well";
        return got;
    }
};

TEST_F(RealMenus, QuitChosenFromTheFileMenuByTwoClicksEndsTheProgram)
{
    Script s;
    Values v;
    s.each_pass = [&](int n) {
        if (n == 2) click_title(1);
        if (n == 3) {
            // The File menu is open and drawn: its background to the right of "Quit".
            v["menu_up"] = std::to_string(mnw.menu_up);
            const Frame f = read_frame();
            const float y = 0.5f * (mnw.itemy1[1][5] + mnw.itemy2[1][5]);
            v["fill"] = std::to_string(count_color(f, mnw.itemx2[1][5] - 12, y - 2, mnw.itemx2[1][5] - 4, y + 2, 18));
            v["text"] = std::to_string(count_color(f, mnw.itemx1[1][5] + 12, y - 4, mnw.itemx1[1][5] + 36, y + 4, 6));
            v["quit_title"] = mnw.item_name[1][5];
            click_item(105);
        }
        if (n == 4) v["gdone_at_4"] = std::to_string(gdone);
    };
    const Values got = run(s, v);
    EXPECT_EQ(report_num(got, "menu_up"), 1);
    EXPECT_EQ(got.at("quit_title"), "Quit");
    EXPECT_GT(report_num(got, "fill"), 50);
    EXPECT_GT(report_num(got, "text"), 5);
    EXPECT_EQ(report_num(got, "gdone_at_4"), 1);
    EXPECT_EQ(report_num(got, "passes"), 4);   // the click on Quit ended the loop in the next pass
    // Quit wrote the preferences.
    EXPECT_EQ(read_file(prefs_path()).rfind("I\n51 version\n", 0), 0u);
}

TEST_F(RealMenus, AViewChosenFromTheViewMenuIsShownAndTicked)
{
    Script s;
    Values v;
    s.each_pass = [&](int n) {
        // Right 45 Deg double-clicked on its lower edge, over the windscreen: flying by mouse stays off.
        const float x45 = 0.5f * (mnw.itemx1[5][5] + mnw.itemx2[5][5]), y45 = mnw.itemy1[5][5] + 1;
        switch (n) {
        case 2: click_title(5); break;
        case 3:
        case 4: (n == 3 ? push_click : push_second_click)(x45, y45, 1); break;
        case 5:
            v["right45"] = std::to_string(set.view_type) + " " + std::to_string(msc.mouse_is_joy);
            click_title(5);
            break;
        case 6: click_item(516); break;
        case 7:
            v["view"] = std::to_string(set.view_type);
            v["full"] = std::to_string(set.view_is_fullscreen);
            v["menu_after_choice"] = std::to_string(mnw.menu_up);
            click_title(5);
            break;
        case 8: {
            const Frame f = read_frame();
            // The tick stands left of the chosen view's title, and of no other.
            auto tick = [&](int place) {
                return count_color(f, mnw.itemx1[5][place] + 2, mnw.itemy1[5][place] + 3, mnw.itemx1[5][place] + 10,
                                   mnw.itemy1[5][place] + 10, 6);
            };
            v["tick516"] = std::to_string(tick(16));
            v["tick500"] = std::to_string(tick(0));
            v["tick530"] = std::to_string(tick(30));   // not replaying: "Leave" carries a tick
            v["tick529"] = std::to_string(tick(29));
            click_title(5);   // closes the menu
            break;
        }
        case 9:
            v["menu_closed"] = std::to_string(mnw.menu_up);
            push_close();
            break;
        default: break;
        }
    };
    const Values got = run(s, v);
    EXPECT_EQ(got.at("right45"), "505 0");
    EXPECT_EQ(report_num(got, "view"), 516);
    EXPECT_EQ(report_num(got, "full"), 1);
    EXPECT_EQ(report_num(got, "menu_after_choice"), -1);
    EXPECT_GT(report_num(got, "tick516"), 3);
    EXPECT_EQ(report_num(got, "tick500"), 0);
    EXPECT_GT(report_num(got, "tick530"), 3);
    EXPECT_EQ(report_num(got, "tick529"), 0);
    EXPECT_EQ(report_num(got, "menu_closed"), -1);
}

TEST_F(RealMenus, ARunwayEndChosenThroughTheLocationSubmenusStartsThere)
{
    Script s;
    Values v;
    s.each_pass = [&](int n) {
        switch (n) {
        case 2: click_title(2); break;
        case 3: click_item(200); break;   // "Takeoff" opens the airports
        case 4:
            v["up4"] = std::to_string(mnw.menu_up);
            click_item(700);              // the first airport opens its runway ends
            break;
        case 5:
            v["up5"] = std::to_string(mnw.menu_up);
            v["end_title"] = mnw.item_name[20][1];
            click_item(2001);             // the far end of its first runway
            break;
        case 6: {
            const int a = apt_to_index[0], r = apt_lo_ind[a];
            v["apt_ok"] = std::to_string(msc.loc_apt_wrl == a);
            v["rwy_ok"] = std::to_string(msc.loc_rwy_wrl == r);
            v["backwards"] = std::to_string(msc.backwards);
            v["psi"] = std::to_string(flt.psi[0]);
            v["want_psi"] = std::to_string((rwy_hdng[r] + 180) % 360);
            v["from_end"] = std::to_string(from_end(r));
            v["up6"] = std::to_string(mnw.menu_up);
            push_close();
            break;
        }
        default: break;
        }
    };
    const Values got = run(s, v);
    EXPECT_EQ(report_num(got, "up4"), 7);
    EXPECT_EQ(report_num(got, "up5"), 20);
    EXPECT_EQ(got.count("end_title") ? got.at("end_title").substr(0, 4) : "", "Rwy ");
    EXPECT_EQ(report_num(got, "apt_ok"), 1);
    EXPECT_EQ(report_num(got, "rwy_ok"), 1);
    EXPECT_EQ(report_num(got, "backwards"), 1);
    EXPECT_NEAR(report_num(got, "psi"), report_num(got, "want_psi"), 1e-3);
    EXPECT_NEAR(report_num(got, "from_end"), 10.0, 2.0);   // 10 m inside the runway's end (a frame has run since)
    EXPECT_EQ(report_num(got, "up6"), -1);
}

TEST_F(RealMenus, OpenAircraftLoadsTheAircraftChosenInTheDialog)
{
    Script s;
    Values v;
    int step = 0;
    s.each_pass = [&](int n) {
        if (mnw.topwin == WIND_OPEN) {
            if (step == 0 && ends_with(wrk_path, "Cessna 172 Skyhawk/") && g_num_items > 0) {
                v["first_listed"] = g_name[0];
                click_folder_up();
                step = 1;
            } else if (step == 1 && ends_with(wrk_path, "General Aviation/") && listed("Schweizer 2-32") >= 0) {
                click_row(listed("Schweizer 2-32"));
                step = 2;
            } else if (step == 2 && ends_with(wrk_path, "Schweizer 2-32/") && listed("Schweizer 2-32.acf") >= 0) {
                click_row(listed("Schweizer 2-32.acf"));
                step = 3;
            }
            return;
        }
        if (n == 2) click_title(1);
        if (n == 3) click_item(100);
        if (step == 3) {
            v["file"] = pln[0].C_file;
            v["topwin"] = std::to_string(mnw.topwin);
            v["numen"] = std::to_string(pln[0].numen);
            v["from_end"] = std::to_string(from_end(msc.loc_rwy_wrl));
            step = 4;
            push_close();
        }
    };
    const Values got = run(s, v);
    EXPECT_EQ(got.count("first_listed") ? got.at("first_listed") : "", "Cessna 172 Skyhawk.acf");
    EXPECT_EQ(got.count("file") ? got.at("file") : "", "Schweizer 2-32.acf");
    EXPECT_EQ(report_num(got, "topwin"), 0);
    EXPECT_EQ(report_num(got, "numen"), 0);   // the glider
    EXPECT_NEAR(report_num(got, "from_end"), 10.0, 2.0);   // restarted at the end of the start runway
    EXPECT_LT(report_num(got, "passes"), s.close_at);
}

TEST_F(RealMenus, ASettingsWindowOpensWithItsPictureAndTheAboutBoxShows)
{
    Script s;
    Values v;
    s.each_pass = [&](int n) {
        switch (n) {
        case 2: click_title(3); break;
        case 3: click_item(303); break;   // Time Of Day...
        case 5: {
            v["topwin"] = std::to_string(mnw.topwin);
            // The window's picture fills its inside: not the empty screen's black.
            const Frame f = read_frame();
            const float cx = mnw.x + 0.5f * mnw.dx, cy = mnw.y + 0.5f * mnw.dy;
            v["black"] = std::to_string(count_color(f, cx - 10, cy - 10, cx + 10, cy + 10, 29));
            // Its close box.
            push_click(mnw.x + mnw.dx - 5, mnw.y + mnw.dy + 7);
            break;
        }
        case 6:
            v["closed"] = std::to_string(mnw.topwin);
            click_title(0);
            break;
        case 7: click_item(0); break;
        case 9: push_close(); break;
        default: break;
        }
    };
    const Values got = run(s, v);
    EXPECT_EQ(report_num(got, "topwin"), 9);
    EXPECT_LT(report_num(got, "black"), 100);
    EXPECT_EQ(report_num(got, "closed"), 0);
    EXPECT_EQ(got.count("about") ? got.at("about").substr(0, 9) : "", "Kestrova:");
}

// Entered from the View menu, the replay shows its seven speed buttons on their click boxes, the
// stopped one lit, and its clock whole beside them: inside the view, under the status strip, with
// the panel and full screen.
TEST_F(RealMenus, ReplayShowsItsButtonsAndClockInsideTheView)
{
    Script s;
    Values v;
    // Pass by pass, a click on the View menu's title (5) or an item: Enter Flight Replay Mode, the
    // panel view and a full-screen view, each looked at in the pass after.
    const int clicks[10] = {0, 0, 5, 529, 5, 500, 0, 5, 521, 0};
    s.each_pass = [&](int n) {
        if (n == 6 || n == 9) {
            const Frame f = read_frame();
            const std::string full = std::to_string(set.view_is_fullscreen);
            v["clock" + full] = read_text(f, REPLAY_CLOCK_X, REPLAY_CLOCK_Y, 15, REPLAY_CLOCK_COLOR);
            int shown = 0, lit = 0;
            for (const replay_button& b : replay_buttons) {
                auto in = [&](int k) { return count_color(f, b.x1 + 2, REPLAY_BUTTON_Y1 + 2, b.x2 - 2, REPLAY_BUTTON_Y2 - 2, k); };
                shown += in(REPLAY_FACE_COLOR) + in(REPLAY_LIT_COLOR) > 20 && in(REPLAY_MARK_COLOR) > 3;
                if (in(REPLAY_LIT_COLOR) > 20) lit = lit * 10 + b.mode;
            }
            v["buttons" + full] = std::to_string(shown * 100 + lit);
        }
        if (n < 10 && clicks[n]) clicks[n] < 100 ? click_title(clicks[n]) : click_item(clicks[n]);
        if (n == 9) push_close();
    };
    const Values got = run(s, v);
    for (const std::string full : {"0", "1"}) {
        const std::string clock = got.count("clock" + full) ? got.at("clock" + full) : "";
        EXPECT_TRUE(clock.rfind("REPLAY ", 0) == 0 && clock.find_first_of("? ", 7) == std::string::npos)
            << "full screen " << full << ": \"" << clock << "\"";
        EXPECT_EQ(report_num(got, "buttons" + full), 704) << "full screen " << full << ": seven buttons, the stop lit";
    }
}

}  // namespace
