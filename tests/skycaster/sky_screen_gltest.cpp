// sky_screen_gltest.cpp -- Skycaster's screen on SDL's offscreen driver: the briefing drawn from the
// bundled reports, the altitude and airport fields and the phrase choices driven by scripted clicks
// through the real event loop, the menus, and the whole program run from its start to Quit.
#include "hl_btn.h"
#include "hl_event.h"
#include "hl_funct.h"
#include "hl_menu.h"
#include "hl_mnw.h"
#include "hl_program.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hl_wxr.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "skycaster.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

// The briefing screen over the build's airports and bundled reports, loaded as the program loads
// them (no preference file).
class SkyScreen : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        std::snprintf(app_path, STR_LEN, "%s/", KV_PROGRAM_DIR);
        prf_path[0] = 0;
        bri = {};
        bri.alt = SKY_START_ALT;
        rnd1 = rnd2 = rnd3 = rnd4 = rnd5 = rnd6 = rnd7 = rnd8 = 1;
        std::snprintf(pln[0].C_file, sizeof pln[0].C_file, "%s", "untitled.acf");
        sky_load();
        ASSERT_TRUE(recorded_alerts().empty());
        MACIBM_startwind(0);
        run_passes(1);
    }
    // Pixels of colour 7 in the band of rows y0..y1 across the text's width.
    int green_in_band(const Frame& f, float y0, float y1)
    {
        int n = 0;
        for (float y = y0; y <= y1; y += 1)
            for (float x = 79; x < 719; x += 1) n += f.is_color(x, y, 7, 40) ? 1 : 0;
        return n;
    }
};

TEST_F(SkyScreen, BriefingIsDrawnInItsFiveParagraphs)
{
    ASSERT_STREQ(hl_prog.name, "Skycaster");
    const Frame f = capture_pass();
    // Each paragraph's first line of text lies in the 10 units above its baseline.
    for (float y : {301.0f, 209.0f, 169.0f, 129.0f, 89.0f}) EXPECT_GT(green_in_band(f, y, y + 8), 50) << y;
    // Between the flight plan's three lines and the departure paragraph nothing is written.
    EXPECT_EQ(green_in_band(f, 225, 265), 0);
    if (HasFailure()) write_png(picture_path("skycaster_briefing.png"), f);
}

// A click on the upper strip of the altitude field's thousands column adds 1000 ft, and the
// flight plan follows on the next pass.
TEST_F(SkyScreen, AltitudeFieldChangesThePlan)
{
    push_click(SKY_ALT_X + 15, SKY_ALT_Y + 15);
    run_passes(2);
    EXPECT_EQ(bri.alt, 6000.0f);
    EXPECT_NE(std::string(sky_text[0]).find("at 6000 feet, and requesting a standard."), std::string::npos)
        << sky_text[0];
    push_click(SKY_ALT_X + 15, SKY_ALT_Y - 9);
    run_passes(2);
    EXPECT_EQ(bri.alt, 5000.0f);
}

// Clicks re-roll the phrasing: every opener and filler stays inside its range and, over many
// clicks, every opener of the departure paragraph is heard.
TEST_F(SkyScreen, ClicksRerollThePhrasing)
{
    std::set<std::string> openings;
    std::set<int> fillers;
    for (int i = 0; i < 120; i++) {
        push_click(760, 40);   // an empty place
        run_passes(1);
        for (int r : {rnd1, rnd2, rnd3, rnd4}) ASSERT_TRUE(r >= 1 && r <= 6) << r;
        for (int r : {rnd5, rnd6, rnd7, rnd8}) ASSERT_TRUE(r >= 1 && r <= 9) << r;
        const std::string dep = sky_text[1];
        openings.insert(dep.substr(0, dep.find(',')));
        fillers.insert(rnd5);
    }
    EXPECT_EQ(openings.size(), 6u);
    EXPECT_EQ(fillers.size(), 9u);
}

// The lists choose the airports: the arrow box below the arrival list (its bar at x 416 + 268..282,
// the box 112..122 below the list's top row) steps it on, and the plan and the destination follow.
TEST_F(SkyScreen, ArrivalListChoosesTheDestination)
{
    ASSERT_EQ(bri.arr, 0);   // no preference file: the first airport, Los Angeles Intl
    push_click(416 + 275, 481 - 117);
    run_passes(2);
    ASSERT_EQ(bri.arr, 1);
    EXPECT_EQ(bri.dep, 0);
    EXPECT_NE(std::string(sky_text[0]).find("from Los Angeles Intl to Santa Monica Muni."), std::string::npos)
        << sky_text[0];
    EXPECT_NE(std::string(sky_text[2]).find("Santa Monica Muni is reporting"), std::string::npos) << sky_text[2];
    // The box above the departure list cannot step below the first airport.
    push_click(86 + 275, 481 + 3);
    run_passes(2);
    EXPECT_EQ(bri.dep, 0);
}

// Each part of the screen drawn alone on black.
Frame draw_alone(void (*part)(void))
{
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    part();
    return read_frame();
}

bool lit(const Frame& f, int x, int y)
{
    if (x < 0 || y < 0 || x >= f.w || y >= f.h) return false;
    const uint8_t* p = f.px(x, y);
    return p[0] > 20 || p[1] > 20 || p[2] > 20;
}

// Pixels that a lights and that b lights at or next to.
int touching(const Frame& a, const Frame& b)
{
    int n = 0;
    for (int y = 0; y < a.h; y++)
        for (int x = 0; x < a.w; x++) {
            if (!lit(a, x, y)) continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; dy++)
                for (int dx = -1; dx <= 1 && !near; dx++) near = lit(b, x + dx, y + dy);
            n += near;
        }
    return n;
}

void draw_briefing(void) { gen_rep(rnd1, rnd2, rnd3, rnd4, rnd5, rnd6, rnd7, rnd8); }

// The lists, the aircraft-file button with a long name, the altitude field at its widest and the
// briefing each keep to their own pixels: nothing is drawn over anything else.
TEST_F(SkyScreen, ListsControlsAndBriefingDoNotOverlap)
{
    std::snprintf(pln[0].C_file, sizeof pln[0].C_file, "%s", "A rather long aircraft file name.acf");
    bri.alt = 88888;
    bri.dep = bri.arr = 20;   // rows above and below the middle are all filled
    mnw.mouse_clicked = 0;
    const Frame lists = draw_alone(sky_lists), controls = draw_alone(sky_controls);
    const Frame briefing = draw_alone(draw_briefing);
    EXPECT_EQ(touching(controls, lists), 0);
    EXPECT_EQ(touching(controls, briefing), 0);
    EXPECT_EQ(touching(lists, briefing), 0);
    // Every part is really drawn.
    for (const Frame* f : {&lists, &controls, &briefing}) EXPECT_GT(touching(*f, *f), 100);
    if (HasFailure()) {
        Frame all = lists;
        for (size_t i = 0; i < all.rgb.size(); i++)
            all.rgb[i] = static_cast<uint8_t>(std::max({lists.rgb[i], controls.rgb[i], briefing.rgb[i]}));
        write_png(picture_path("skycaster_overlap.png"), all);
    }
}

// A click on the arrival list's last row is the list's, not the altitude field's.
TEST_F(SkyScreen, AClickOnTheListsLastRowLeavesTheAltitude)
{
    for (float x : {SKY_ALT_X + 5, SKY_ALT_X + 25, SKY_ALT_X + 45}) {
        push_click(x, SKY_LIST_Y - 120 + 4);
        run_passes(2);
        EXPECT_EQ(bri.alt, SKY_START_ALT) << x;
    }
}

TEST_F(SkyScreen, MenusOfferAboutAndQuit)
{
    choose_menu_item(0, 0);
    ASSERT_FALSE(recorded_alerts().empty());
    EXPECT_EQ(recorded_alerts().back().code, ALERT_ABOUT);
    EXPECT_EQ(gdone, 0);
    choose_menu_item(1, 0);
    EXPECT_EQ(gdone, 1);
}

// ---- the whole program --------------------------------------------------------------------------

class SkycasterRun : public ProgramFolders {};

// WinMain in a child process on the offscreen driver, the build's program folder with its bundled
// reports: the altitude raised by a click, then Quit from the File menu.
TEST_F(SkycasterRun, StartsBriefsAndQuits)
{
    const std::string report = work.str() + "/report.txt";
    const int ended = run_in_child_process(
        [&] {
            start_script({
                [] { push_click(SKY_ALT_X + 5, SKY_ALT_Y + 15); },   // + 10000 ft
                [] { push_menu_title_click(1); },
                [] { push_menu_item_click(1, 0); },     // Quit
            });
            const int rc = WinMain();
            const size_t ran = stop_script();
            FILE* f = std::fopen(report.c_str(), "w");
            if (f) {
                std::fprintf(f, "%d %d %d %d|%s", rc, static_cast<int>(ran), round(bri.alt), wxr_apt_max,
                             sky_text[0]);
                std::fclose(f);
            }
        },
        120);
    ASSERT_EQ(ended, 1);
    const std::string got = read_file(report);
    EXPECT_EQ(got.substr(0, got.find('|')), "0 3 15000 40");
    EXPECT_NE(got.find("Estimated time of departure will be 1710 zulu, at 15000 feet"), std::string::npos) << got;
    EXPECT_NE(read_file(work.str() + "/Error.out").find("end simulation"), std::string::npos);
}

}  // namespace
