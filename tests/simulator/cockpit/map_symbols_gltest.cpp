// map_symbols_gltest.cpp -- the map's symbols drawn alone on an offscreen window of 800 by 600 and
// read back before the swap: the aircraft for an aeroplane and a helicopter at two headings and its
// blinking, the recorded path's doubled lines and its gaps, the frequency boxes' names and digits,
// the airport diagram fitted to its box by the smaller ratio, and airport names cut to two words.
// The window is cleared to a colour no symbol has, so black symbols show.
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "kvglyphs.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "map.h"
#include "panel_harness.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

class MapSymbols : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        hl_fill_constants();
        ASSERT_TRUE(ph_open_window(SCREEN_W, SCREEN_H));
        glDisable(GL_DITHER);
        mnw.x = mnw.y = 0.0f;
        msc.map_type = MAP_ENROUTE;
        env.zoom_rat = 1.0f;
        clear();
    }
    void TearDown() override { ph_close(); }
    // A background no symbol colour has (the symbols are often black).
    static constexpr int BG[3] = {77, 128, 179};
    static void clear()
    {
        glClearColor(BG[0] / 255.0f, BG[1] / 255.0f, BG[2] / 255.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    // Pixels of colour k in the box x1..x2, y1..y2 (inclusive, whole units).
    static int count(const Frame& f, int x1, int y1, int x2, int y2, int k)
    {
        int n = 0;
        for (int y = y1; y <= y2; y++)
            for (int x = x1; x <= x2; x++) n += f.is_color(static_cast<float>(x), static_cast<float>(y), k, 4);
        return n;
    }
    // Pixels drawn over the background in the box.
    static int lit(const Frame& f, int x1, int y1, int x2, int y2)
    {
        int n = 0;
        for (int y = y1; y <= y2; y++)
            for (int x = x1; x <= x2; x++) {
                const uint8_t* p = f.at(static_cast<float>(x), static_cast<float>(y));
                n += std::abs(p[0] - BG[0]) > 3 || std::abs(p[1] - BG[1]) > 3 || std::abs(p[2] - BG[2]) > 3;
            }
        return n;
    }
    // The character of the pinned glyphs drawn in colour k with its lower-left dot at (x, y), '?'
    // when none matches.
    static char glyph_at(const Frame& f, float x, float y, int k)
    {
        for (const PinnedGlyph& g : kPinnedGlyphs) {
            bool same = true;
            for (int r = 0; r < 7 && same; r++)
                for (int c = 0; c < 5 && same; c++)
                    same = (((g.rows[r] >> (4 - c)) & 1) != 0) == f.is_color(x + c, y + 6 - r, k, 4);
            if (same) return g.c;
        }
        return '?';
    }
    static std::string read_text(const Frame& f, float x, float y, int n, int k)
    {
        std::string s;
        for (int i = 0; i < n; i++) s += glyph_at(f, x + 6.0f * i, y, k);
        return s;
    }
    // Runway geometry row g of world runway r, quad 0 an axis-aligned box of w (east) by d (south)
    // metres about (x, z).
    static void runway_box(int r, int g, float x, float z, float w, float d)
    {
        rwy_geo_ind[r] = g;
        geo_rows = g + 1 > geo_rows ? g + 1 : geo_rows;
        const float cx[4] = {-0.5f, -0.5f, 0.5f, 0.5f}, cz[4] = {0.5f, -0.5f, -0.5f, 0.5f};
        for (int c = 0; c < 4; c++) {
            geo_markxyz[g][0][c][0] = x + cx[c] * w;
            geo_markxyz[g][0][c][2] = z + cz[c] * d;
        }
    }
};

}  // namespace

TEST_F(MapSymbols, TheAircraftIsAnAeroplaneOrAHelicopterTurnedToItsHeadingAndBlinks)
{
    struct Case {
        int heli, heading;
        int x, y;      // a point of the symbol
        int ox, oy;    // a point it leaves dark
    };
    const Case cases[] = {
        {0, 0, 108, 100, 105, 105},    // the wing's right half; no rotor diagonal
        {0, 90, 100, 108, 108, 100},   // turned east: the wing runs north-south, the nose ends at 106
        {0, 90, 94, 100, 100, 112},    // the fuselage behind the wing
        {1, 0, 105, 105, 108, 101},    // the rotor's diagonal; no wing
        {1, 0, 95, 105, 100, 91},      // the other diagonal; below the tail nothing
    };
    for (const Case& c : cases) {
        pln[0].is_heli = c.heli;
        int seen[2] = {-1, -1};
        for (int call = 0; call < 2; call++) {
            clear();
            flashplane(100, 100, c.heading);
            const Frame f = read_frame();
            for (int k : {8, 9})
                if (f.is_color(static_cast<float>(c.x), static_cast<float>(c.y), k, 4)) seen[call] = k;
            EXPECT_EQ(lit(f, c.ox, c.oy, c.ox, c.oy), 0) << c.heli << " " << c.heading << " at " << c.ox << ", " << c.oy;
        }
        EXPECT_NE(seen[0], -1) << c.heli << " " << c.heading << " at " << c.x << ", " << c.y;
        EXPECT_NE(seen[1], -1) << c.heli << " " << c.heading << " at " << c.x << ", " << c.y;
        EXPECT_NE(seen[0], seen[1]) << "the colour changes from call to call";
    }
}

TEST_F(MapSymbols, ThePathIsDoubledAcrossItsDirectionAndBrokenWhereNoPointWasRecorded)
{
    // Points 0..2 recorded, 3 not, 4 and 5 again.
    for (int k : {0, 1, 2, 4, 5}) pat.inited[k] = 1;
    plot_path(1, 10, 10, 0);
    plot_path(0, 60, 10, 1);    // flat: doubled one unit up
    plot_path(0, 60, 80, 2);    // steep: doubled one unit right
    plot_path(0, 150, 80, 3);   // not recorded: no line
    plot_path(0, 200, 80, 4);   // its predecessor unrecorded: no line
    plot_path(0, 200, 150, 5);  // joined
    const Frame f = read_frame();
    EXPECT_EQ(lit(f, 30, 10, 30, 11), 2);
    EXPECT_EQ(lit(f, 30, 9, 30, 9) + lit(f, 30, 12, 30, 12), 0);
    EXPECT_EQ(lit(f, 60, 40, 61, 40), 2);
    EXPECT_EQ(lit(f, 59, 40, 59, 40) + lit(f, 62, 40, 62, 40), 0);
    EXPECT_EQ(lit(f, 100, 78, 190, 82), 0);
    EXPECT_EQ(lit(f, 200, 110, 201, 110), 2);
    // The first point never joins the ring's last slot, even when that slot holds a point.
    clear();
    pat.inited[PATH_POINTS - 1] = 1;
    plot_path(0, 300, 300, PATH_POINTS - 1);
    plot_path(1, 400, 300, 0);
    EXPECT_EQ(lit(read_frame(), 310, 295, 390, 305), 0);
}

TEST_F(MapSymbols, FrequencyBoxesShowTheCutNameAndTheFrequency)
{
    struct Case {
        int type, frq;
        const char* name;
        int map_type;
        const char* name_shown;   // the pinned glyphs: digits and a few signs
        const char* whole;        // the frequency's digits before the point
        const char* decimals;     // after it ("" for a beacon)
    };
    const Case cases[] = {
        {3, 11360, "0123456789012", MAP_ENROUTE, "0123456789", "113", "60"},
        {2, 327, "--==**", MAP_ENROUTE, "--==**", "327", ""},
        {5, 10930, "1-2 ILS", MAP_CHART, "1-2", "109", "30"},
    };
    for (const Case& c : cases) {
        clear();
        msc.map_type = c.map_type;
        nav_type[7] = c.type;
        nav_frq[7] = c.frq;
        std::snprintf(nav_name[7], APT_NAME_LEN, "%s", c.name);
        plot_freqbox(200, 300, 7, c.type, 90, 29);
        const Frame f = read_frame();
        // At 90 degrees the anchor is r to the right: 20 for a beacon, 40 on the map, 30 on the chart.
        const float r = c.type == 2 ? 20.0f : (c.map_type == MAP_CHART ? 30.0f : 40.0f);
        const float ax = 200 + r, ay = 300;
        SCOPED_TRACE(c.name);
        // Box filled on the enroute map and the chart, framed in the symbol colour.
        EXPECT_TRUE(f.is_color(ax + 45, ay + 8, 6, 4));
        EXPECT_TRUE(f.is_color(ax - 13, ay, 29, 4) && f.is_color(ax + 50, ay, 29, 4));
        EXPECT_EQ(read_text(f, ax - 11, ay + 1, static_cast<int>(std::strlen(c.name_shown)), 29), c.name_shown);
        EXPECT_EQ(read_text(f, ax - 11, ay - 8, 3, 29), c.whole);
        if (c.decimals[0]) {
            EXPECT_EQ(read_text(f, ax + 10, ay - 8, 2, 29), c.decimals);
            EXPECT_TRUE(f.is_color(ax + 8, ay - 8, 29, 4)) << "the decimal point";
        }
        // Only on the chart a leader runs from the navaid (8 away, a localizer's from the navaid itself).
        const int leader = count(f, 202, 300, 202, 300, 29);
        EXPECT_EQ(leader, c.map_type == MAP_CHART ? 1 : 0);
    }
    // On the virtual-world map the box is not filled.
    clear();
    msc.map_type = MAP_VIRTUAL;
    plot_freqbox(200, 300, 7, 3, 90, 29);
    EXPECT_EQ(lit(read_frame(), 240 + 40, 300 + 6, 240 + 48, 300 + 9), 0);
}

TEST_F(MapSymbols, TheDiagramFitsTheRunwaysByTheSmallerRatioAboutItsMiddle)
{
    apt_wrl_max = 0;
    rwy_wrl_max = 1;
    apt_lo_ind[0] = 0;
    apt_hi_ind[0] = 0;
    struct Case {
        float w, d;               // m, east and south
        int x_end, y_end;         // a unit just inside the drawn end, on the axis
        int x_past, y_past;       // just past it
    };
    const Case cases[] = {
        {3000.0f, 40.0f, 300 + 50, 200, 300 + 53, 200},   // east-west: 102 wide
        {40.0f, 3000.0f, 300, 200 + 63, 300, 200 + 66},   // north-south: 129 deep
    };
    for (const Case& c : cases) {
        clear();
        runway_box(0, 0, 5000.0f, -8000.0f, c.w, c.d);
        plot_apt(300, 200, 0, 1, 29);
        const Frame f = read_frame();
        EXPECT_EQ(count(f, c.x_end - 1, c.y_end - 1, c.x_end + 1, c.y_end + 1, 29) > 0, true) << c.w;
        EXPECT_EQ(count(f, 2 * 300 - c.x_end - 1, 2 * 200 - c.y_end - 1, 2 * 300 - c.x_end + 1, 2 * 200 - c.y_end + 1, 29) > 0, true) << c.w;
        EXPECT_EQ(count(f, c.x_past, c.y_past, c.x_past, c.y_past, 29), 0) << c.w;
        EXPECT_EQ(count(f, 2 * 300 - c.x_past, 2 * 200 - c.y_past, 2 * 300 - c.x_past, 2 * 200 - c.y_past, 29), 0) << c.w;
    }
    // A second runway 3000 m north of the first: the pair, 1000 by 3100 m round their corners, fits
    // 129 / 3100 = 0.0416 units a metre, the first runway's middle 62.4 below the diagram's middle
    // and the second's 62.4 above, each 41.6 units wide and 4.2 deep.
    clear();
    rwy_wrl_max = 1;
    apt_hi_ind[0] = 1;
    runway_box(0, 0, 5000.0f, -8000.0f, 1000.0f, 100.0f);
    runway_box(1, 1, 5000.0f, -11000.0f, 1000.0f, 100.0f);
    plot_apt(300, 200, 0, 1, 29);
    Frame f = read_frame();
    EXPECT_GT(count(f, 290, 136, 310, 139, 29), 0);
    EXPECT_GT(count(f, 290, 261, 310, 264, 29), 0);
    EXPECT_EQ(count(f, 290, 190, 310, 210, 29), 0);   // nothing between them
    EXPECT_EQ(count(f, 325, 130, 330, 270, 29), 0);   // nothing past 20.8 either side
    EXPECT_EQ(count(f, 270, 130, 275, 270, 29), 0);
    // An airport with no runway draws nothing in the diagram; one whose runway has no geometry
    // row draws nothing there either.
    clear();
    apt_lo_ind[0] = 1;
    apt_hi_ind[0] = 0;
    plot_apt(300, 200, 0, 1, 29);
    apt_lo_ind[0] = apt_hi_ind[0] = 0;
    rwy_geo_ind[0] = -1;
    plot_apt(300, 200, 0, 1, 29);
    EXPECT_EQ(lit(read_frame(), 230, 120, 370, 280), 0);
}

TEST_F(MapSymbols, NamesAreCutToTenCharactersOrTwoWords)
{
    std::snprintf(nav_name[3], APT_NAME_LEN, "%s", "0123456789-==");
    plot_name(100, 400, 3, 10, 29);
    std::snprintf(apt_name[4], APT_NAME_LEN, "%s", "12 345-67 89");
    plot_name(300, 400, 4, 9, 29);
    const Frame f = read_frame();
    EXPECT_EQ(read_text(f, 100, 400, 10, 29), "0123456789");
    EXPECT_EQ(lit(f, 160, 400, 180, 407), 0);
    // The words at 6 left of the point, 19 and 28 below it; the third never shows.
    EXPECT_EQ(read_text(f, 294, 381, 2, 29), "12");
    EXPECT_EQ(read_text(f, 294, 372, 3, 29), "345");
    EXPECT_EQ(lit(f, 280, 355, 340, 370), 0);
    EXPECT_EQ(lit(f, 312, 381, 340, 388), 0);
}

TEST_F(MapSymbols, TheProfileFollowsTheRunwayOrAGlideSlopeHeardNearItAndRunsIntoItsBox)
{
    // A region of 3 by 2 degrees as the loader frames it at 33 N, its terrain flat at 0; one airport
    // at 1000 ft with one runway, heading 68 (eastbound), in its middle; the chart at zoom 1 centred
    // on the runway (a chart unit 150 m).
    env.lat_sou = 33;
    env.lon_wes = -119;
    for (int c = 0; c < 3; c++)
        for (int r = 0; r < 2; r++) env.lonwes_ref[c][r] = -119.0f;
    env.lox = 0.0f;
    env.hix = 279579.2f;
    env.hiz = 0.0f;
    env.loz = -222240.0f;
    env.dx = env.hix;
    env.dz = 222240.0f;
    con.mtrtonrt = 494.0f / env.dz;
    mnw.dx = 432.0f;
    mnw.dy = 494.0f;
    for (int k = 0; k < MAX_FIX; k++) fix_lat[k] = -999.0f;
    fix_lat[0] = 99.0f;
    apt_wrl_max = 0;
    rwy_wrl_max = 0;
    apt_lo_ind[0] = apt_hi_ind[0] = 0;
    apt_h[0] = 1000.0f * con.fttomtrs;
    rwy_lat[0] = 34.0f;
    rwy_lon[0] = -117.5f;
    rwy_hdng[0] = 68;
    rwy_geo_ind[0] = -1;
    msc.map_type = MAP_CHART;
    msc.plt_apt_wrl = 0;
    const float rx = 1.5f * 111120.0f * std::cos(34.0f * 3.14159265f / 180.0f), rz = -111120.0f;
    map_centre_on(rx, rz);
    flt.X[0] = 0.0;
    flt.Z[0] = 0.0;
    // A glide slope 1 nm from the runway with course 248 (westbound), and one 5 nm away.
    const float near_x = rx + 1852.0f, far_x = rx + 5.0f * 1852.0f;
    struct Case {
        const char* what;
        int supptype;
        int ils0, ils1;        // each receiver's ilsgs: 3 a glide slope, 0 a localizer alone, 9 a VOR
        float gs_x0, gs_x1;    // where each receiver's glide slope stands
        int westbound;         // the profile's course is 180..360
        int silent = -1;       // a receiver that hears no station
    };
    const Case cases[] = {
        {"the runway alone", 0, 9, 9, near_x, near_x, 0},
        {"receiver 2's glide slope near", 0, 9, 3, near_x, near_x, 1},
        {"receiver 2's glide slope too far", 0, 9, 3, near_x, far_x, 0},
        {"receiver 2 on a localizer alone, its glide slope left near from before", 0, 9, 0, near_x, near_x, 0},
        {"receiver 1 on a panel without it", 0, 3, 9, near_x, near_x, 0},
        {"receiver 1 on a panel with it", 1, 3, 9, near_x, near_x, 1},
        {"receiver 1 on the glass panel's", 7, 3, 9, near_x, near_x, 1},
        {"receiver 2 tuned from the glide slope to nothing, its fields left", 0, 9, 3, near_x, near_x, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clear();
        pln[0].supptype = c.supptype;
        nav.ilsgs[0] = c.ils0;
        nav.ilsgs[1] = c.ils1;
        nav.goodnav[0] = c.silent != 0, nav.goodnav[1] = c.silent != 1;
        nav.gsX[0] = c.gs_x0;
        nav.gsX[1] = c.gs_x1;
        nav.gsZ[0] = nav.gsZ[1] = rz;
        nav.gsY[0] = nav.gsY[1] = apt_h[0];
        nav.ilscrs[0] = nav.ilscrs[1] = 248.0f;
        plot_map();
        const Frame f = read_frame();
        // The 3-degree path from the reference point 190 units into the box and 69.6 up: from 209
        // westward for an eastbound course, from 37 eastward for a westbound one; halfway at 114 or
        // 132, 134.8.
        const int east_mid = count(f, 113, 134, 115, 136, 29), west_mid = count(f, 131, 134, 133, 136, 29);
        EXPECT_EQ(east_mid > 0, !c.westbound);
        EXPECT_EQ(west_mid > 0, c.westbound != 0);
    }
    // The recorded path on the westbound approach: points 2 and 4 nm out along 68 degrees from the
    // glide slope, 600 and 1200 ft above it, stand 24 and 49 units east of 37 (2 nm = 24.7 units)
    // and 8 and 17 units above 100 (heights seven times the scale).
    clear();
    pln[0].supptype = 0;
    nav.ilsgs[1] = 3;
    nav.goodnav[1] = 1;
    nav.gsX[1] = near_x;
    const float s = std::sin(68.0f * 3.14159265f / 180.0f), co = std::cos(68.0f * 3.14159265f / 180.0f);
    for (int k = 1; k <= 2; k++) {
        const float d = 2.0f * k * 1852.0f;
        pat.inited[k] = 1;
        pat.xyztppt[k][0] = near_x + d * s;
        pat.xyztppt[k][2] = rz - d * co;
        pat.xyztppt[k][1] = apt_h[0] + 600.0f * k * con.fttomtrs;
    }
    plot_map();
    const Frame f = read_frame();
    EXPECT_GT(count(f, 72, 111, 74, 113, 8) + count(f, 72, 111, 74, 113, 9), 0);   // the segment's middle
    EXPECT_EQ(count(f, 0, 100, 36, 120, 8) + count(f, 0, 100, 36, 120, 9), 0);      // nothing west of the reference
}
