// map_gltest.cpp -- the map windows in the real simulator on an offscreen window of 1024 by 768,
// driven through its event loop: each style of window 3 opened by its menu item shows the bundled
// region with its airports, navaids and the aircraft where the hand figures put them; the airport
// chart shows the field elevation, the runway diagram and the approach profile; the fields and
// buttons change what they should; a click on the map starts the flight at that point; 200 frames
// of the open map allocate nothing. Each style is written as a picture for a person to look at.
//
// Hand figures: the default region is 33..35 N, 119..116 W; window 3 shows it 494 units high, 247
// units a degree of latitude, so at zoom 1 a point lies at x = 247 (lon + 119) cos(lat), y = 247
// (lat - 33) in the window, and a unit is 222240 m / 494 = 449.8785 m. The window is 621 + 71 = 692
// wide, its lower-left corner at (54, 53) on the 800 by 600 screen.
#include "alloc_count.h"
#include "hl_event.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "lax.h"
#include "map.h"
#include "menubar.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

namespace {

constexpr float UNIT_M = 449.8785f;   // metres a window unit of window 3 at zoom 1

// A point of the region at zoom 1 in window 3's units.
struct Spot {
    float x, y;
};
Spot spot(double lat, double lon)
{
    const double d = 3.14159265358979 / 180.0;
    return {static_cast<float>(247.0 * (lon + 119.0) * std::cos(lat * d)), static_cast<float>(247.0 * (lat - 33.0))};
}

// The bundled places the checks look at (their databases' coordinates) and, worked out from them,
// where they stand on window 3 at zoom 1.
const Spot JLI = spot(33.140499, -116.585999);   // VOR: 499.3, 34.7
const Spot GMN = spot(34.803501, -118.850403);   // VOR: 30.3, 445.5
const Spot HMT = spot(33.733002, -117.015999);   // NDB: 407.5, 181.1
const Spot KDAG = spot(34.853699, -116.786697);  // Barstow Daggett, its first runway: 448.6, 457.9
const Spot KAPV = spot(34.575298, -117.186203);  // Apple Valley: 368.9, 389.1

// Run by the event loop at the end of every pass.
std::function<void(int)>* g_each_pass = nullptr;
int g_passes = 0;
void pass_hook(void)
{
    if (!g_each_pass) return;
    g_passes++;
    (*g_each_pass)(g_passes);
}

// Pixels of colour k (as drawn now: below 38 tinted by the panel lights) in the box x1..x2, y1..y2 of
// the open window (window units).
int count_colour(const Frame& f, float x1, float y1, float x2, float y2, int k)
{
    const float sx = static_cast<float>(f.w) / SCREEN_W, sy = static_cast<float>(f.h) / SCREEN_H;
    const int px1 = static_cast<int>(std::floor((mnw.x + x1 + 0.5f) * sx)), px2 = static_cast<int>(std::floor((mnw.x + x2 + 0.5f) * sx));
    const int py1 = static_cast<int>(std::floor((mnw.y + y1 + 0.5f) * sy)), py2 = static_cast<int>(std::floor((mnw.y + y2 + 0.5f) * sy));
    const bool tinted = k < 38 && (ins.r_rat != 0.0f || ins.g_rat != 0.0f || ins.b_rat != 0.0f);
    const float tint[3] = {tinted ? ins.r_rat : 1.0f, tinted ? ins.g_rat : 1.0f, tinted ? ins.b_rat : 1.0f};
    int n = 0;
    for (int y = py1; y <= py2; y++) {
        for (int x = px1; x <= px2; x++) {
            if (x < 0 || y < 0 || x >= f.w || y >= f.h) continue;
            const uint8_t* p = f.px(x, y);
            bool same = true;
            for (int c = 0; c < 3; c++)
                same = same && std::abs(p[c] - static_cast<int>(std::lround(col_rgb[k][c] * tint[c] * 255.0f))) <= 8;
            n += same;
        }
    }
    return n;
}
int around(const Frame& f, Spot s, float dx, float dy, float half, int k)
{
    return count_colour(f, s.x + dx - half, s.y + dy - half, s.x + dx + half, s.y + dy + half, k);
}

// A click at window point (x, y) of the open window.
void wclick(float x, float y) { push_click(mnw.x + x, mnw.y + y); }
// A click on the open window's left close box.
void close_window(void) { wclick(4.0f, mnw.dy + 7.0f); }

std::string str(double v)
{
    char b[64];
    std::snprintf(b, sizeof b, "%.6f", v);
    return b;
}

class RealMap : public ProgramFolders {
protected:
    void SetUp() override
    {
        ProgramFolders::SetUp();
        hl_set_window_size(1024, 768);
        hl_set_pass_hook(pass_hook);
    }
    void TearDown() override
    {
        hl_set_pass_hook(nullptr);
        ProgramFolders::TearDown();
    }
    // Runs Kestrova in a child process with each_pass called after every pass; what the steps put in
    // the report comes back.
    ChildReport run(std::function<void(int, ChildReport&)> each_pass)
    {
        const ChildReport got = run_child_with_report([&](ChildReport& r) {
            std::function<void(int)> step = [&](int n) { each_pass(n, r); };
            g_each_pass = &step;
            g_passes = 0;
            int rc = -1;
            try {
                rc = kestrova_run();
            } catch (const FatalAlert&) {
                rc = -2;
            }
            g_each_pass = nullptr;
            r["rc"] = std::to_string(rc);
        }, work.str() + "/report.txt", 280);
        EXPECT_EQ(report_num(got, "rc"), 0) << "the run did not end well";
        return got;
    }
};

}  // namespace

TEST_F(RealMap, EachStyleShowsTheRegionWithItsAirportsNavaidsAndTheAircraftWhereTheyAre)
{
    struct Style {
        int item;
        const char* name;
        int airport, navaid;   // their symbols' colours
    };
    // Enroute: airports dark blue, navaids black; the virtual world: white and grey; radar: white and
    // light grey.
    const Style styles[3] = {{402, "enroute", 16, 29}, {403, "virtual", 0, 12}, {404, "radar", 0, 6}};
    const int first = 2, every = 6;
    auto each = [&](int n, ChildReport& r) {
        const int k = (n - first) / every, step = (n - first) % every;
        if (n < first || k > 3) return;
        if (k == 3) {
            push_close();
            return;
        }
        const Style& s = styles[k];
        const std::string p = s.name + std::string("_");
        if (step == 0) {
            push_menu_title_click(MENU_OUTPUT);
        } else if (step == 1) {
            r[p + "title"] = mnw.item_name[MENU_OUTPUT][s.item - 400];
            push_menu_item_click(MENU_OUTPUT, s.item - 400);
        } else if (step == 2 && k == 2) {
            // The window is open (the flight and its weather stand still): storm cells for the radar
            // map, the strongest storm over one cell, a weak one over its eastern neighbour, none
            // elsewhere.
            std::memset(atm.wxr, 0, sizeof atm.wxr);
            atm.rain_tstm = 5.0f;
            atm.wxr[300][200] = 1.0f;   // level 4: colour 74
            atm.wxr[301][200] = 0.3f;   // 1.2: level 1, colour 71
        } else if (step == 3) {
            const Frame f = read_frame();
            write_png(picture_path(std::string("map_") + std::to_string(s.item) + ".png"), f);
            r[p + "top"] = std::to_string(mnw.topwin);
            r[p + "type"] = std::to_string(msc.map_type);
            r[p + "w"] = str(mnw.dx);
            r[p + "h"] = str(mnw.dy);
            r[p + "x"] = str(mnw.x);
            // VORs: the hexagon's bars 4 and 5 above the station, the compass rose 30 round it.
            r[p + "jli_bars"] = std::to_string(around(f, JLI, 0, 4.5f, 1.5f, s.navaid));
            r[p + "gmn_rose_n"] = std::to_string(around(f, GMN, 0, 29.9f, 1.5f, s.navaid));
            r[p + "gmn_rose_s"] = std::to_string(around(f, GMN, 0, -30.1f, 1.5f, s.navaid));
            r[p + "gmn_inside"] = std::to_string(around(f, GMN, 12.0f, 12.0f, 2.0f, s.navaid));
            // The beacon's frequency box: its right-hand edge 64 right of the beacon, from 24 to 4
            // below it (the box's corner 14.1 right and 14.1 down from it, 63 by 20 about that).
            r[p + "hmt_box"] = std::to_string(count_colour(f, HMT.x + 63.6f, HMT.y - 20, HMT.x + 64.6f, HMT.y - 8, s.navaid));
            // Airports zoomed out: the outer ring's top, 4 above the runway.
            r[p + "dag_ring"] = std::to_string(around(f, KDAG, 0, 4.0f, 1.0f, s.airport));
            r[p + "apv_ring"] = std::to_string(around(f, KAPV, 0, 4.0f, 1.0f, s.airport));
            r[p + "apv_inside"] = std::to_string(around(f, KAPV, 0, 0, 1.0f, s.airport));
            // The aircraft: yellow or red by turns, within its symbol's reach of where it is.
            const Spot a = spot(flt.lat, flt.lon);
            r[p + "plane"] = std::to_string(around(f, a, 0, 0, 7.0f, 8) + around(f, a, 0, 0, 7.0f, 9));
            r[p + "plane_far"] = std::to_string(around(f, a, 40.0f, 0, 7.0f, 8) + around(f, a, 40.0f, 0, 7.0f, 9));
            // The terrain: the Pacific west of Los Angeles and the desert east of Barstow.
            const Spot sea = spot(33.5, -118.9), land = spot(34.9, -116.2);
            if (s.item == MAP_ENROUTE) {
                r[p + "sea"] = std::to_string(around(f, sea, 0, 0, 2.0f, 7) + around(f, sea, 0, 0, 2.0f, 19));
                r[p + "land"] = std::to_string(around(f, land, 0, 0, 2.0f, 6));
            } else if (s.item == MAP_RADAR) {
                r[p + "sea"] = std::to_string(around(f, sea, 0, 0, 2.0f, 29));
                const uint8_t* g = f.at(mnw.x + land.x, mnw.y + land.y);
                r[p + "land_grey"] = std::to_string(g[0] == g[1] && g[1] == g[2] && g[0] >= 20 && g[0] <= 135);
                // Weather cell (i, j) covers x i .. i + 1 times 621.45 / 630 and y 494 - (j .. j + 1)
                // times 494 / 420.
                r[p + "storm"] = std::to_string(count_colour(f, 296.5f, 257.0f, 297.5f, 258.0f, 74));
                r[p + "weak"] = std::to_string(count_colour(f, 297.5f, 257.0f, 298.2f, 258.0f, 71));
            }
        } else if (step == 4) {
            close_window();
        }
    };
    const ChildReport got = run(each);
    for (const Style& s : styles) {
        const std::string p = s.name + std::string("_");
        SCOPED_TRACE(s.name);
        EXPECT_EQ(report_num(got, p + "top"), 3);
        EXPECT_EQ(report_num(got, p + "type"), s.item);
        EXPECT_EQ(report_num(got, p + "w"), 692);
        EXPECT_EQ(report_num(got, p + "h"), 494);
        EXPECT_EQ(report_num(got, p + "x"), 54);
        EXPECT_GE(report_num(got, p + "jli_bars"), 4);
        EXPECT_GE(report_num(got, p + "gmn_rose_n"), 1);
        EXPECT_GE(report_num(got, p + "gmn_rose_s"), 1);
        EXPECT_EQ(report_num(got, p + "gmn_inside"), 0);
        EXPECT_GE(report_num(got, p + "hmt_box"), 8);
        EXPECT_GE(report_num(got, p + "dag_ring"), 1);
        EXPECT_GE(report_num(got, p + "apv_ring"), 1);
        EXPECT_EQ(report_num(got, p + "apv_inside"), 0);
        EXPECT_GE(report_num(got, p + "plane"), 10);
        EXPECT_EQ(report_num(got, p + "plane_far"), 0);
    }
    EXPECT_EQ(got.count("enroute_title") ? got.at("enroute_title") : "", "Low Enroute");
    EXPECT_GE(report_num(got, "enroute_sea"), 10);
    EXPECT_GE(report_num(got, "enroute_land"), 10);
    EXPECT_GE(report_num(got, "radar_sea"), 10);
    EXPECT_EQ(report_num(got, "radar_land_grey"), 1);
    EXPECT_GE(report_num(got, "radar_storm"), 1);
    EXPECT_GE(report_num(got, "radar_weak"), 1);
}

TEST_F(RealMap, TheAirportChartShowsElevationDiagramAndProfileAndPlacesTheAircraftWhereClicked)
{
    // San Bernardino Intl: its one runway's centre at 34.095402 N, 117.234901 W, heading 68, the
    // field 1159 ft high. The chart opens centred on it: at zoom 1 a chart unit is 1 / 0.0066667 =
    // 150 m and the middle of the plan view (7..354 by 184..487) is 180.5, 335.5.
    const Spot ksbd = spot(34.095402, -117.234901);
    int row = -1;
    auto each = [&](int n, ChildReport& r) {
        if (n == 2) {
            for (int k = 0; k < apt_lcl_num && k < LCL_MAX; k++)
                if (std::strncmp(apt_id[apt_to_index[k]], "KSBD", 4) == 0) row = k;
            r["row"] = std::to_string(row);
            push_menu_title_click(MENU_OUTPUT);
        } else if (n == 3) {
            push_menu_item_click(MENU_OUTPUT, AIRPORT_MAP_ITEM - 400 + row);
        } else if (n == 5) {
            const Frame f = read_frame();
            write_png(picture_path("map_998.png"), f);
            r["top"] = std::to_string(mnw.topwin);
            r["type"] = std::to_string(msc.map_type);
            r["is_ksbd"] = std::to_string(std::strncmp(apt_id[msc.plt_apt_wrl], "KSBD", 4) == 0);
            // The elevation: four digits from 306 - 18, the sign's place before them blank.
            r["elevation"] = read_number(f, mnw.x + 288.0f, mnw.y + 174.0f, 4, 0, 29);
            r["sign"] = std::to_string(count_colour(f, 282, 174, 286, 180, 29));
            // The diagram: the runway (3048 by 61 m at 68 degrees) is 2849 m wide and 1198 m deep
            // round its corners, so it is drawn 102 / 2849 = 0.0358 units a metre about 297, 100: its
            // axis passes 40 units out at 297 + 37.1, 100 + 15.0; 20 above the middle is bare.
            r["diagram_mid"] = std::to_string(count_colour(f, 295, 98, 299, 102, 29));
            r["diagram_axis"] = std::to_string(count_colour(f, 332.6f, 113.5f, 335.6f, 116.5f, 29));
            r["diagram_off"] = std::to_string(count_colour(f, 295, 118, 299, 122, 29));
            // The plan view: the airport's ring round the middle, its top 4 above.
            r["plan_ring"] = std::to_string(count_colour(f, 179.5f, 338.5f, 181.5f, 340.5f, 29));
            // The profile of an eastbound runway: the reference near the box's right edge at 224 - 15,
            // the 3-degree path reaching 190 units west and 69.6 up, its middle at 114, 134.8. Height
            // lines every 1000 ft = 0.3048 * 1000 * 0.0066667 * 7 = 14.22 units: the first at 114,
            // labelled 1000 at 15, 111.
            r["glide_mid"] = std::to_string(count_colour(f, 112.5f, 133.3f, 115.5f, 136.3f, 29));
            // East of the reference, below the first height line, the profile stays empty.
            r["glide_east"] = std::to_string(count_colour(f, 225, 102, 238, 112, 29));
            r["line_1000"] = std::to_string(count_colour(f, 60, 113.5f, 60, 114.5f, 29) + count_colour(f, 200, 113.5f, 200, 114.5f, 29));
            r["label_1000"] = read_number(f, mnw.x + 15.0f, mnw.y + 111.0f, 4, 0, 29);
            wclick(100.0f, 300.0f);
        } else if (n == 6) {
            // Where the click landed after the screen's pixels (a unit is 1.28 of them).
            r["mx"] = str(mnw.mx);
            r["my"] = str(mnw.my);
            r["closed"] = std::to_string(mnw.topwin);
            r["X"] = str(flt.X[0]);
            r["Z"] = str(flt.Z[0]);
        } else if (n == 7) {
            push_close();
        }
    };
    const ChildReport got = run(each);
    EXPECT_GE(report_num(got, "row"), 0) << "the start region lists San Bernardino Intl";
    EXPECT_EQ(report_num(got, "top"), 24);
    EXPECT_EQ(report_num(got, "type"), MAP_CHART);
    EXPECT_EQ(report_num(got, "is_ksbd"), 1);
    EXPECT_EQ(got.count("elevation") ? got.at("elevation") : "", "1159");
    EXPECT_EQ(report_num(got, "sign"), 0);
    EXPECT_GE(report_num(got, "diagram_mid"), 3);
    EXPECT_GE(report_num(got, "diagram_axis"), 2);
    EXPECT_EQ(report_num(got, "diagram_off"), 0);
    EXPECT_GE(report_num(got, "plan_ring"), 1);
    EXPECT_GE(report_num(got, "glide_mid"), 1);
    EXPECT_EQ(report_num(got, "glide_east"), 0) << "the approach runs into the box, not out of it";
    EXPECT_GE(report_num(got, "line_1000"), 2);
    EXPECT_EQ(got.count("label_1000") ? got.at("label_1000") : "", "1000");
    // The click near 100, 300: 80.5 units west and 35.5 south of the middle, each unit 150 m.
    EXPECT_EQ(report_num(got, "closed"), 0);
    const double mx = report_num(got, "mx"), my = report_num(got, "my");
    EXPECT_NEAR(mx, 100.0, 0.5);
    EXPECT_NEAR(my, 300.0, 0.5);
    EXPECT_NEAR(report_num(got, "X"), ksbd.x * UNIT_M + (mx - 180.5) * 150.0, 5.0);
    EXPECT_NEAR(report_num(got, "Z"), -ksbd.y * UNIT_M - (my - 335.5) * 150.0, 5.0);
}

TEST_F(RealMap, FieldsAndButtonsSetThePlacementAndAClickOnTheMapStartsThereWithoutAllocating)
{
    long alloc_before = 0, alloc_after = 0;
    double psi0 = 0, y0 = 0, v0 = 0;
    constexpr int QUIET = 18, FRAMES = 200;
    double plane_x = 0, plane_z = 0;
    auto each = [&](int n, ChildReport& r) {
        const float dx = mnw.dx;
        if (n == 2) {
            push_menu_title_click(MENU_LOCATION);
        } else if (n == 3) {
            push_menu_item_click(MENU_LOCATION, 9);   // "Place Aircraft by Location"
        } else if (n == 4) {
            push_menu_item_click(MENU_BY_LOCATION, 0);   // "Enroute..."
        } else if (n == 6) {
            r["top"] = std::to_string(mnw.topwin);
            r["type"] = std::to_string(msc.map_type);
            psi0 = set.cus_psi;
            y0 = set.cus_Y;
            v0 = set.cus_v;
            wclick(dx - 51 + 5, 432 + 15);   // heading: the hundreds up
        } else if (n == 7) {
            r["psi1"] = str(set.cus_psi);
            wclick(dx - 51 + 15, 432 - 9);   // the tens down
        } else if (n == 8) {
            r["psi2"] = str(set.cus_psi);
            wclick(dx - 66 + 25, 370 + 15);   // altitude: the thousands of feet up
        } else if (n == 9) {
            r["y1"] = str(set.cus_Y);
            wclick(dx - 61 + 25, 308 + 15);   // speed: the hundreds of knots up
        } else if (n == 10) {
            r["v1"] = str(set.cus_v);
            wclick(dx - 35, 220);   // zoom in
        } else if (n >= 11 && n <= 14) {
            r["zoom" + std::to_string(n - 10)] = str(env.zoom_rat);
            wclick(dx - 35, 220);
        } else if (n == 15) {
            r["zoom5"] = str(env.zoom_rat);
            wclick(dx - 35, 100);   // centre on the aircraft
        } else if (n == 16) {
            // Zoomed beyond 3 the airports are their runways. The aircraft stands at the start of
            // San Bernardino's runway (3048 by 61 m, heading 68); the runway's centre lies from the
            // aircraft as the hand figures of both points say, 7.59 times larger, and the runway runs
            // through it at 68 degrees.
            const Frame f = read_frame();
            write_png(picture_path("map_402_zoomed.png"), f);
            plane_x = flt.X[0];
            plane_z = flt.Z[0];
            const Spot a = spot(flt.lat, flt.lon), c = spot(34.095402, -117.234901);
            const float z = env.zoom_rat;
            const Spot mid = {310.727f + (c.x - a.x) * z, 247.0f + (c.y - a.y) * z};
            const float s = std::sin(68.0f * 3.14159265f / 180.0f), co = std::cos(68.0f * 3.14159265f / 180.0f);
            int on = 0;
            // Points along the axis either side of the middle, inside its 25.7 units each way.
            for (float d : {-15.0f, -10.0f, -5.0f, 5.0f, 10.0f, 20.0f}) on += around(f, mid, d * s, d * co, 1.0f, 16) > 0;
            r["runway_on"] = std::to_string(on);
            // Across the axis, 8 units off it, no runway.
            r["runway_off"] = std::to_string(around(f, mid, 8.0f * co, -8.0f * s, 1.0f, 16) + around(f, mid, -8.0f * co, 8.0f * s, 1.0f, 16));
        } else if (n == QUIET) {
            alloc_before = counted_allocations();
        } else if (n == QUIET + FRAMES) {
            alloc_after = counted_allocations();
            r["allocations"] = std::to_string(alloc_after - alloc_before);
            r["still_open"] = std::to_string(mnw.topwin);
            wclick(200, 150);
        } else if (n == QUIET + FRAMES + 1) {
            r["plane_x"] = str(plane_x);
            r["plane_z"] = str(plane_z);
            r["mx"] = str(mnw.mx);
            r["my"] = str(mnw.my);
            r["closed"] = std::to_string(mnw.topwin);
            r["X"] = str(flt.X[0]);
            r["Z"] = str(flt.Z[0]);
            r["Y"] = str(flt.Y[0]);
            r["ground"] = str(env.localh_cg);
            r["psi"] = str(flt.psi[0]);
            r["speed"] = str(std::sqrt(flt.vX * flt.vX + flt.vY * flt.vY + flt.vZ * flt.vZ));
            r["Vs"] = str(msc.est_Vs);
            r["cus_Y"] = str(set.cus_Y);
            r["cus_v"] = str(set.cus_v);
        } else if (n == QUIET + FRAMES + 2) {
            push_close();
        }
        if (n == 6) {
            r["psi0"] = str(psi0);
            r["y0"] = str(y0);
            r["v0"] = str(v0);
        }
    };
    const ChildReport got = run(each);
    EXPECT_EQ(report_num(got, "top"), 3);
    EXPECT_EQ(report_num(got, "type"), MAP_ENROUTE);
    const double psi0_ = report_num(got, "psi0");
    const double psi1 = std::fmin(psi0_ + 100.0, 360.0);
    EXPECT_NEAR(report_num(got, "psi1"), psi1, 1e-3);
    EXPECT_NEAR(report_num(got, "psi2"), std::fmax(psi1 - 10.0, 0.0), 1e-3);
    EXPECT_NEAR(report_num(got, "y1"), report_num(got, "y0") + 304.8, 0.2);       // 1000 ft, to the foot
    EXPECT_NEAR(report_num(got, "v1"), report_num(got, "v0") + 51.4444, 0.3);     // 100 kt, to the knot
    const double zooms[5] = {1.5, 2.25, 3.375, 5.0625, 7.59375};
    for (int k = 0; k < 5; k++) EXPECT_NEAR(report_num(got, "zoom" + std::to_string(k + 1)), zooms[k], 1e-4) << k;
    EXPECT_EQ(report_num(got, "runway_on"), 6);
    EXPECT_EQ(report_num(got, "runway_off"), 0);
    EXPECT_EQ(report_num(got, "allocations"), 0) << FRAMES << " frames of the map window";
    EXPECT_EQ(report_num(got, "still_open"), 3);
    // Zoom 7.59 about the aircraft, in the middle (310.73, 247 units): the click near 200, 150 lies
    // about 110.73 / 7.59 units west and 97 / 7.59 north of it.
    EXPECT_EQ(report_num(got, "closed"), 0);
    const double mx = report_num(got, "mx"), my = report_num(got, "my");
    EXPECT_NEAR(mx, 200.0, 0.5);
    EXPECT_NEAR(my, 150.0, 0.5);
    EXPECT_NEAR(report_num(got, "X"), report_num(got, "plane_x") + (mx - 310.727) / 7.59375 * UNIT_M, 2.0);
    EXPECT_NEAR(report_num(got, "Z"), report_num(got, "plane_z") - (my - 247.0) / 7.59375 * UNIT_M, 2.0);
    // The start over a navaid's point: at least 1000 m above the ground, at the chosen heading and
    // at least at the stall speed.
    EXPECT_NEAR(report_num(got, "Y"), std::fmax(report_num(got, "cus_Y"), report_num(got, "ground") + 1000.0), 1.0);
    EXPECT_NEAR(report_num(got, "psi"), report_num(got, "psi2"), 0.01);
    EXPECT_NEAR(report_num(got, "speed"), std::fmax(report_num(got, "cus_v"), report_num(got, "Vs")), 0.5);
}
