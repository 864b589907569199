// setwin_gltest.cpp -- the real simulator on an offscreen window: every settings and data window is
// opened through its menu command inside the event loop, its values are seen drawn, a scripted
// click changes a value and the change reaches the record it sets; the preferences written at Quit
// and the resolution file carry the changes; entries beyond their range are held at the limits.
#include "hl_event.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvglyphs.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "lax.h"
#include "menus.h"
#include "prefs.h"
#include "setwin.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Values = std::map<std::string, std::string>;

// The run's steps, one a pass from the third pass on (the first paints, the second settles).
struct Script {
    std::vector<std::function<void()>> steps;
    int passes = 0;
};
Script* g_script = nullptr;

void pass_hook(void)
{
    if (!g_script) return;
    const int k = g_script->passes++ - 2;
    if (k >= 0 && k < static_cast<int>(g_script->steps.size())) g_script->steps[static_cast<size_t>(k)]();
    if (k == static_cast<int>(g_script->steps.size()) + 50) push_close();   // a stuck script ends
}

std::string str(double v)
{
    char b[64];
    std::snprintf(b, sizeof b, "%.6f", v);
    return b;
}
double num(const Values& v, const std::string& k) { return v.count(k) ? std::stod(v.at(k)) : -1e30; }

// The weather grid's values weighted by their place, so that a grid made afresh sums differently.
double weather_grid_sum(void)
{
    double s = 0.0;
    for (int i = 0; i < 631; i++)
        for (int j = 0; j < 421; j++) s += atm.wxr[i][j] * (1.0 + 0.001 * i + 0.000001 * j);
    return s;
}

// A click at window point (x, y) of the open window.
void wclick(float x, float y) { push_click(mnw.x + x, mnw.y + y); }

// Pixels of colour k inside a box of the open window (window units, sampled every half unit).
int window_pixels(float x1, float y1, float x2, float y2, int k)
{
    const Frame f = read_frame();
    int n = 0;
    for (float x = x1; x <= x2; x += 0.5f)
        for (float y = y1; y <= y2; y += 0.5f) n += f.is_color(mnw.x + x, mnw.y + y, k, 8);
    return n;
}

// Pixels that are not black inside a box of the open window.
int lit_pixels(float x1, float y1, float x2, float y2)
{
    const Frame f = read_frame();
    int n = 0;
    for (float x = x1; x <= x2; x += 1)
        for (float y = y1; y <= y2; y += 1) {
            const uint8_t* p = f.at(mnw.x + x, mnw.y + y);
            n += (p[0] | p[1] | p[2]) != 0;
        }
    return n;
}

// The digit drawn in colour k with its glyph's bottom-left dot at window point (x, y), or '?' when
// the dots there match no digit.
char read_digit(const Frame& f, float x, float y, int k)
{
    for (char d = '0'; d <= '9'; d++) {
        const uint8_t* rows = pinned_rows(d);
        bool same = true;
        for (int r = 0; r < 7 && same; r++)
            for (int c = 0; c < 5 && same; c++) {
                const bool dot = (rows[r] >> (4 - c)) & 1;
                same = dot == f.is_color(mnw.x + x + static_cast<float>(c), mnw.y + y + static_cast<float>(6 - r), k, 8);
            }
        if (same) return d;
    }
    return '?';
}

// Window 9's clock: the hours' and minutes' digits as drawn.
std::string clock_shown(void)
{
    const Frame f = read_frame();
    std::string s;
    for (float x : {133.0f, 139.0f, 151.0f, 157.0f}) s += read_digit(f, x, 26, 47);
    return s;
}

// A checksum of what the settings windows bind: the settings, weather, reliability and flight-plan
// records, the masses aboard, the sound switch and the keyboard layout.
std::string settings_sum(void)
{
    std::string b;
    for (auto [p, n] : {std::pair<const void*, size_t>{&set, sizeof set}, {&atm, sizeof atm}, {&rel, sizeof rel},
                        {&fpl, sizeof fpl}, {&flt.m_fixed, 12}, {&msc.sound_on, 4}, {&msc.key_type, 4}})
        b.append(static_cast<const char*>(p), n);
    return std::to_string(std::hash<std::string>{}(b));
}

class SettingsWindows : public ProgramFolders {
protected:
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
    // Runs Kestrova in a child process with the script; after the run, after_run may look at the
    // records; what the steps put in v comes back.
    Values run(Script& s, Values& v, const std::function<void()>& after_run)
    {
        const std::string report = work.str() + "/report.txt";
        run_in_child_process([&] {
            g_script = &s;
            int rc = -1;
            try {
                rc = kestrova_run();
            } catch (const FatalAlert&) {
                rc = -2;
            }
            v["rc"] = std::to_string(rc);
            if (after_run) after_run();
            std::ofstream out(report);
            for (const auto& [k, val] : v) out << k << '\t' << val << '\n';
        }, 240);
        Values got;
        std::ifstream in(report);
        std::string line;
        while (std::getline(in, line)) {
            const size_t tab = line.find('\t');
            if (tab != std::string::npos) got[line.substr(0, tab)] = line.substr(tab + 1);
        }
        EXPECT_EQ(num(got, "rc"), 0) << "the run did not end well";
        return got;
    }
};

TEST_F(SettingsWindows, EnvironmentAndSystemWindowsSetTheirRecordsAndThePreferencesKeepThem)
{
    Script s;
    Values v;
    auto step = [&](std::function<void()> f) { s.steps.push_back(std::move(f)); };
    auto open = [&](int item) { step([item] { handle_menu(item); }); };

    // Window 9: the time bar; a click at its middle sets noon.
    open(303);
    step([&] {
        v["w9_top"] = std::to_string(mnw.topwin);
        v["w9_drawn"] = std::to_string(window_pixels(133, 26, 165, 33, 47));
        const int t = static_cast<int>(msc.locl_time) % 86400;
        char want[8];
        std::snprintf(want, sizeof want, "%02d%02d", t / 3600, t % 3600 / 60);
        v["w9_want0"] = want;
        v["w9_shown0"] = clock_shown();
        wclick(time_bar_x(12), 80);
    });
    step([&] {
        v["w9_time"] = str(msc.locl_time);
        v["w9_shown"] = clock_shown();
    });

    // Window 13: one step up from clean and dry.
    open(308);
    step([&] {
        v["w13_top"] = std::to_string(mnw.topwin);
        v["w13_fric0"] = str(atm.rway_fric_rat);
        wclick(20 + 110 + 7, 70 + 10);
    });
    step([&] {
        v["w13_fric"] = str(atm.rway_fric_rat);
        const Frame f = read_frame();
        v["w13_shown"] = std::string{read_digit(f, 80, 30, 47), read_digit(f, 86, 30, 47)};
    });

    // Window 14: the wave height's tens, clicked up eleven times from 1 m: held at 99.9.
    open(309);
    step([&] {
        v["w14_top"] = std::to_string(mnw.topwin);
        v["w14_amp0"] = str(atm.wave_amp);
        wclick(115, 225);
    });
    step([&] {
        v["w14_amp1"] = str(atm.wave_amp);
        v["w14_len1"] = str(atm.wave_length);
        v["w14_spd1"] = str(atm.wave_speed);
        wclick(115, 225);
    });
    for (int k = 0; k < 10; k++) step([&] { wclick(115, 225); });
    step([&] { v["w14_amp_max"] = str(atm.wave_amp); });

    // Window 7: item 39's file switch.
    open(300);
    step([&] {
        v["w7_top"] = std::to_string(mnw.topwin);
        v["w7_before"] = std::to_string(set.Bdsk[39]);
        // The row's label is drawn beside its switches.
        v["w7_label"] = std::to_string(window_pixels(dat_switch_x(1, 3), dat_row_y(39), dat_switch_x(1, 3) + 80,
                                                     dat_row_y(39) + 7, 39));
        wclick(dat_switch_x(1, 0) + 3, dat_row_y(39) + 3);
    });
    step([&] {
        v["w7_after"] = std::to_string(set.Bdsk[39]);
        wclick(dat_switch_x(1, 1) + 3, dat_row_y(39) + 3);
    });
    step([&] {
        v["w7_grf"] = std::to_string(set.Bgrf[39]);
        // The graph slots were rebuilt: item 39 has one unless four earlier items fill them.
        int earlier = 0, has = 0;
        for (int i = 0; i < 39; i++) earlier += set.Bgrf[i] != 0;
        for (int g = 0; g < 4; g++) has |= set.grfsel[g] == 39;
        v["w7_slot_ok"] = std::to_string(has == (earlier < 4 ? 1 : 0));
    });

    // Window 20: the sound switch.
    open(318);
    step([&] {
        v["w20_top"] = std::to_string(mnw.topwin);
        v["w20_before"] = std::to_string(msc.sound_on);
        wclick(23, 203);
    });
    step([&] { v["w20_after"] = std::to_string(msc.sound_on); });

    // Window 10: the renderer's strings are shown; the screen mode steps and writes its file.
    open(304);
    step([&] {
        v["w10_top"] = std::to_string(mnw.topwin);
        v["w10_renderer"] = std::to_string(window_pixels(140, 360, 440, 367, 47));
        wclick(160 + 110 + 7, 425 + 10);
    });
    step([&] {});

    // Window 12: visibility to 10 nm at the slider's middle, the change rate to its right end. The
    // weather grid stays as it is while the window is only drawn, and is made afresh by a change.
    open(307);
    step([&] {
        v["w12_top"] = std::to_string(mnw.topwin);
        v["w12_atis"] = std::to_string(window_pixels(330, 150, 600, 248, 39));
        v["w12_wx0"] = str(weather_grid_sum());
    });
    step([&] {
        v["w12_wx0b"] = str(weather_grid_sum());
        wclick(20 + 78, 325);
    });
    step([&] {
        v["w12_vis"] = str(atm.vis_rep);
        v["w12_wx1"] = str(weather_grid_sum());
        wclick(98 + 78, 165);
    });
    step([&] { v["w12_rate"] = str(atm.rate_change); });

    // Window 16: the fuel slider's right end fills the tanks.
    open(312);
    step([&] {
        v["w16_top"] = std::to_string(mnw.topwin);
        wclick(120 + 156, 165);
    });
    step([&] {
        v["w16_fuel"] = str(flt.m_fuel);
        v["w16_tanks"] = str(pln[0].m_fuel);
        v["w16_total"] = str(flt.m_total);
        v["w16_sum"] = str(pln[0].m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison);
    });

    // Window 18: the vacuum system's row steps to a mean time to fail.
    open(315);
    step([&] {
        v["w18_top"] = std::to_string(mnw.topwin);
        wclick(20 + 120 + 7, 430 + 10);
    });
    step([&] { v["w18_type"] = std::to_string(rel.fail_type[0]); });

    // Window 21: the frame-rate warning.
    open(319);
    step([&] {
        v["w21_top"] = std::to_string(mnw.topwin);
        v["w21_before"] = std::to_string(set.warn_frame);
        wclick(23, 123);
    });
    step([&] { v["w21_after"] = std::to_string(set.warn_frame); });

    // Window 8: the instrument packet chosen, then no output again.
    open(301);
    step([&] {
        v["w8_top"] = std::to_string(mnw.topwin);
        v["w8_before"] = std::to_string(set.serout);
        wclick(25, 366 + 5);
    });
    step([&] {
        v["w8_chosen"] = std::to_string(set.serout);
        wclick(25, 451 + 5);
    });
    step([&] { v["w8_after"] = std::to_string(set.serout); });

    // Quit writes the preferences.
    step([] { handle_menu(105); });

    const Values got = run(s, v, [&] {
        // The preferences file written at Quit brings the changes back.
        msc.locl_time = 0;
        atm.rway_fric_rat = 0;
        atm.wave_amp = 0;
        set.Bdsk[39] = 0;
        set.Bgrf[39] = 0;
        atm.vis_rep = 0;
        set.warn_frame = !set.warn_frame;
        v["grab"] = std::to_string(grab_prefs(prefs_path().c_str(), FILE_KIND_PREFS, 1));
        v["p_time"] = str(msc.locl_time);
        v["p_fric"] = str(atm.rway_fric_rat);
        v["p_amp"] = str(atm.wave_amp);
        v["p_dsk39"] = std::to_string(set.Bdsk[39]);
        v["p_grf39"] = std::to_string(set.Bgrf[39]);
        v["p_vis"] = str(atm.vis_rep);
        v["p_warn"] = std::to_string(set.warn_frame);
    });

    const int tops[] = {9, 13, 14, 7, 20, 10, 12, 16, 18, 21, 8};
    for (int w : tops) EXPECT_EQ(num(got, "w" + std::to_string(w) + "_top"), w) << "window " << w;

    EXPECT_GT(num(got, "w9_drawn"), 10);
    EXPECT_NEAR(num(got, "w9_time"), 12 * 3600, 1);
    ASSERT_TRUE(got.count("w9_shown0") && got.count("w9_want0") && got.count("w9_shown"));
    EXPECT_EQ(got.at("w9_shown0"), got.at("w9_want0"));
    EXPECT_EQ(got.at("w9_shown"), "1200");

    EXPECT_NEAR(num(got, "w13_fric0"), 1.0, 1e-6);
    EXPECT_NEAR(num(got, "w13_fric"), 0.7, 1e-6);
    EXPECT_EQ(got.count("w13_shown") ? got.at("w13_shown") : "", "07");   // "0.7"

    EXPECT_NEAR(num(got, "w14_amp0"), 1.0, 1e-6);
    EXPECT_NEAR(num(got, "w14_amp1"), 11.0, 1e-4);
    EXPECT_NEAR(num(got, "w14_len1"), 132.0, 1e-3);
    EXPECT_NEAR(num(got, "w14_spd1"), 4.3254 * std::sqrt(11.0), 1e-2);
    EXPECT_NEAR(num(got, "w14_amp_max"), 99.9, 1e-4);

    EXPECT_EQ(num(got, "w7_before"), 0);
    EXPECT_EQ(num(got, "w7_after"), 1);
    EXPECT_EQ(num(got, "w7_grf"), 1);
    EXPECT_EQ(num(got, "w7_slot_ok"), 1);
    EXPECT_GT(num(got, "w7_label"), 10);

    EXPECT_EQ(num(got, "w20_after"), 1 - num(got, "w20_before"));

    EXPECT_GT(num(got, "w10_renderer"), 20);
    // The factory 800 by 600, 16-bit mode stepped up to 32 bits, written to the resolution file.
    float w = 0, h = 0, b = 0;
    ASSERT_EQ(hl_read_res_prefs((cfg.str() + "/Gridmere 4.prf").c_str(), &w, &h, &b), 1);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    EXPECT_EQ(b, 32);

    EXPECT_GT(num(got, "w12_atis"), 50);
    EXPECT_NEAR(num(got, "w12_vis"), 10 * 1852.0, 5);
    EXPECT_NEAR(num(got, "w12_rate"), 1.0, 1e-6);
    EXPECT_EQ(got.at("w12_wx0"), got.at("w12_wx0b")) << "drawing the window leaves the weather grid";
    EXPECT_NE(got.at("w12_wx0"), got.at("w12_wx1")) << "a new visibility makes the weather grid afresh";
    EXPECT_GT(num(got, "w12_wx1"), 0.0);

    EXPECT_GT(num(got, "w16_tanks"), 0);
    EXPECT_NEAR(num(got, "w16_fuel"), num(got, "w16_tanks"), 1e-3);
    EXPECT_NEAR(num(got, "w16_total"), num(got, "w16_sum"), 1e-2);

    EXPECT_EQ(num(got, "w18_type"), 2);
    EXPECT_EQ(num(got, "w21_after"), 1 - num(got, "w21_before"));
    EXPECT_EQ(num(got, "w8_before"), 0);
    EXPECT_EQ(num(got, "w8_chosen"), 2);
    EXPECT_EQ(num(got, "w8_after"), 0);

    EXPECT_EQ(num(got, "grab"), 1);
    EXPECT_NEAR(num(got, "p_time"), 12 * 3600, 1);
    EXPECT_NEAR(num(got, "p_fric"), 0.7, 1e-5);
    EXPECT_NEAR(num(got, "p_amp"), 99.9, 1e-4);
    // The graph choice is kept; the file choice is not kept from one run to the next.
    EXPECT_EQ(num(got, "p_grf39"), 1);
    EXPECT_EQ(num(got, "p_dsk39"), 0);
    EXPECT_NEAR(num(got, "p_vis"), 10 * 1852.0, 5);
    EXPECT_EQ(num(got, "p_warn"), num(got, "w21_after"));
}

// Each settings window opened as a person clicks its menu item, the button held there for five
// passes: the press that chose the item changes no setting in the window, whatever lies under it.
TEST_F(SettingsWindows, TheClickThatOpensAWindowChangesNoSetting)
{
    Script s;
    Values v;
    for (int p : {0, 1, 3, 4, 6, 7, 8, 9, 11, 12, 14, 15, 16, 18, 19}) {
        s.steps.push_back([] { push_menu_title_click(3); });
        s.steps.push_back([&, p] { v["sum"] = settings_sum(), push_menu_item_press(3, p); });
        s.steps.insert(s.steps.end(), 5, [] {});
        s.steps.push_back([&] {
            v["held"] += settings_sum() == v["sum"] ? "" : " " + std::to_string(mnw.topwin);
            v["tops"] += " " + std::to_string(mnw.topwin);
            push_release(mnw.x + mnw.mx, mnw.y + mnw.my);
        });
        s.steps.push_back([] { MACIBM_startwind(0); });
    }
    s.steps.push_back([] { push_close(); });
    const Values got = run(s, v, nullptr);
    EXPECT_EQ(got.count("tops") ? got.at("tops") : "", " 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21");
    EXPECT_EQ(got.count("held") ? got.at("held") : "", "") << "the windows whose settings the held press changed";
}

TEST_F(SettingsWindows, LocationAndAircraftWindowsActOnTheirClicks)
{
    Script s;
    Values v;
    auto step = [&](std::function<void()> f) { s.steps.push_back(std::move(f)); };
    auto open = [&](int item) { step([item] { handle_menu(item); }); };

    // Window 6: the sentence naming the nearest airport is drawn.
    open(215);
    step([&] {
        v["w6_top"] = std::to_string(mnw.topwin);
        v["w6_text"] = std::to_string(window_pixels(20, 55, 500, 62, 47));
        v["w6_numbers"] = std::to_string(window_pixels(90, 90, 140, 97, 47));
    });

    // Window 2: the list moves down one airport, then Cancel leaves the start airport as it was.
    open(1201);
    step([&] {
        v["w2_top"] = std::to_string(mnw.topwin);
        v["w2_apt0"] = std::to_string(msc.loc_apt_wrl);
        v["w2_lat0"] = std::to_string(env.lat_sou);
        v["w2_list"] = std::to_string(window_pixels(20, 50, 250, 170, 47));
        wclick(200, 25);
    });
    step([&] {
        v["w2_closed"] = std::to_string(mnw.topwin);
        v["w2_apt1"] = std::to_string(msc.loc_apt_wrl);
        v["w2_lat1"] = std::to_string(env.lat_sou);
    });

    // Window 2 again: one airport down the list, and the left-hand box starts there.
    open(1201);
    step([&] {
        const int want = msc.loc_apt_wrl < apt_wrl_max ? msc.loc_apt_wrl + 1 : msc.loc_apt_wrl - 1;
        v["w2_want"] = std::to_string(want);
        v["w2_has_rwy"] = std::to_string(apt_lo_ind[want] <= apt_hi_ind[want]);
        wclick(20 + 275, 170 - 117 + (want > msc.loc_apt_wrl ? 0 : 117));
    });
    step([&] { wclick(80, 25); });
    step([&] {
        v["w2_go_closed"] = std::to_string(mnw.topwin);
        v["w2_go_apt"] = std::to_string(msc.loc_apt_wrl);
        const int r = msc.loc_rwy_wrl;
        v["w2_go_rwy_ok"] = std::to_string(r == apt_lo_ind[msc.loc_apt_wrl]);
        v["w2_go_region_ok"] = std::to_string(env.lat_sou == static_cast<int>(std::lround(rwy_lat[r] - 1.0f)));
    });

    // Window 11: one step up; no arrow box reaches into the title along its picture's bottom (y 6..13).
    open(306);
    step([&] {
        v["w11_top"] = std::to_string(mnw.topwin);
        v["w11_before"] = std::to_string(atm.meteorite_code);
        v["w11_footer"] = std::to_string(window_pixels(1, 6, 195, 13, 6));
        wclick(20 + 100 + 7, 36 + 10);
    });
    step([&] { v["w11_after"] = std::to_string(atm.meteorite_code); });

    // Window 15: the pitch ratio's slider at its left end.
    open(311);
    step([&] {
        v["w15_top"] = std::to_string(mnw.topwin);
        wclick(80, 470);
    });
    step([&] { v["w15_pitch"] = str(set.joy_rat_ptch); });

    // Window 17: the likelihood digit up nine times from the factory 1: held at 9.
    open(314);
    for (int k = 0; k < 9; k++) step([&, k] {
        if (k == 0) v["w17_top"] = std::to_string(mnw.topwin);
        wclick(205, 285);
    });
    step([&] {
        v["w17_fail"] = str(rel.total_fail_entry);
        v["w17_shown"] = std::string(1, read_digit(read_frame(), 200, 270, 47));
    });

    // Window 19: the right column's first row (failure 21) steps to inoperative, downwards.
    open(316);
    step([&] {
        v["w19_top"] = std::to_string(mnw.topwin);
        wclick(350 + 120 + 7, 470 - 5);
    });
    step([&] { v["w19_type"] = std::to_string(rel.fail_type[21]); });

    // Window 25 (opened by the controllers' menu): the departure's first character steps up.
    step([] { MACIBM_startwind(25); });
    step([&] {
        v["w25_top"] = std::to_string(mnw.topwin);
        v["w25_dep0"] = std::string(1, fpl.dep_id_str[0] ? fpl.dep_id_str[0] : '_');
        wclick(125, 275);
    });
    step([&] { v["w25_dep1"] = std::string(1, fpl.dep_id_str[0] ? fpl.dep_id_str[0] : '_'); });

    // Window 23: the region drawn.
    open(405);
    step([&] {
        v["w23_top"] = std::to_string(mnw.topwin);
        v["w23_lit"] = std::to_string(lit_pixels(200, 150, 560, 390));
    });

    // Window 5: latitude clicked up past its limit.
    open(1303);
    for (int k = 0; k < 8; k++) step([&, k] {
        if (k == 0) v["w5_top"] = std::to_string(mnw.topwin);
        wclick(125, 115);
    });
    step([&] { v["w5_lat"] = str(msc.req_lat); });

    // Window 1: the identifier's first character stepped up, then down again.
    open(1200);
    step([&] {
        v["w1_top"] = std::to_string(mnw.topwin);
        v["w1_id0"] = msc.apt_id_req;
        wclick(93 + 8, 335);
    });
    step([&] {
        v["w1_id1"] = msc.apt_id_req;
        wclick(93 + 8, 305);
    });
    step([&] { v["w1_id2"] = msc.apt_id_req; });

    // Window 4: a click on the aircraft's own spot starts at the airport nearest that whole degree.
    open(406);
    step([&] {
        v["w4_top"] = std::to_string(mnw.topwin);
        v["w4_lat"] = std::to_string(round(flt.lat));
        v["w4_lon"] = std::to_string(round(flt.lon));
        wclick(world_map_x(flt.lon), world_map_y(flt.lat));
    });
    step([&] {
        v["w4_closed"] = std::to_string(mnw.topwin);
        v["w4_req_lat"] = str(msc.req_lat);
        v["w4_req_lon"] = str(msc.req_lon);
        float nm = 0, bearing = 0;
        v["w4_want"] = std::to_string(nearest_airport(msc.req_lat, msc.req_lon, &nm, &bearing));
        v["w4_apt"] = std::to_string(msc.loc_apt_wrl);
        push_close();
    });

    const Values got = run(s, v, nullptr);
    const int tops[] = {6, 2, 11, 15, 17, 19, 25, 23, 5, 1, 4};
    for (int w : tops) EXPECT_EQ(num(got, "w" + std::to_string(w) + "_top"), w) << "window " << w;

    EXPECT_GT(num(got, "w6_text"), 100);
    EXPECT_GT(num(got, "w6_numbers"), 10);

    EXPECT_GT(num(got, "w2_list"), 100);
    EXPECT_EQ(num(got, "w2_closed"), 0);
    EXPECT_EQ(num(got, "w2_apt1"), num(got, "w2_apt0"));
    EXPECT_EQ(num(got, "w2_lat1"), num(got, "w2_lat0"));

    ASSERT_EQ(num(got, "w2_has_rwy"), 1) << "the test database's neighbouring airport has no runway";
    EXPECT_EQ(num(got, "w2_go_closed"), 0);
    EXPECT_EQ(num(got, "w2_go_apt"), num(got, "w2_want"));
    EXPECT_EQ(num(got, "w2_go_rwy_ok"), 1);
    EXPECT_EQ(num(got, "w2_go_region_ok"), 1);

    EXPECT_EQ(num(got, "w11_after"), static_cast<int>(num(got, "w11_before")) % 4 + 1);
    EXPECT_EQ(num(got, "w11_footer"), 0);
    EXPECT_NEAR(num(got, "w15_pitch"), 0.5, 1e-5);
    EXPECT_NEAR(num(got, "w17_fail"), 9, 1e-6);
    EXPECT_EQ(got.count("w17_shown") ? got.at("w17_shown") : "", "9");
    EXPECT_EQ(num(got, "w19_type"), 3);   // from 1 one step down wraps to 3

    ASSERT_TRUE(got.count("w25_dep0") && got.count("w25_dep1"));
    EXPECT_NE(got.at("w25_dep1"), got.at("w25_dep0"));

    EXPECT_GT(num(got, "w23_lit"), 1000);
    EXPECT_NEAR(num(got, "w5_lat"), 60, 1e-6);

    ASSERT_TRUE(got.count("w1_id0") && got.count("w1_id1") && got.count("w1_id2"));
    EXPECT_NE(got.at("w1_id1"), got.at("w1_id0"));
    EXPECT_EQ(got.at("w1_id2"), got.at("w1_id0"));

    EXPECT_EQ(num(got, "w4_closed"), 0);
    EXPECT_NEAR(num(got, "w4_req_lat"), num(got, "w4_lat"), 1e-6);
    EXPECT_NEAR(num(got, "w4_req_lon"), num(got, "w4_lon"), 1e-6);
    EXPECT_GE(num(got, "w4_want"), 0);
    EXPECT_EQ(num(got, "w4_apt"), num(got, "w4_want"));
}

}  // namespace
