// hl_wxr_test.cpp -- decoding station reports, finding the nearest report, and the storm level
// around the aircraft.
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "hl_wxr.h"
#include "kvdb.h"
#include "kvtest.h"

#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr float FT = 0.3048f;
constexpr float NM = 1852.0f;
constexpr float U = -99.0f;   // "not reported": what the caller put there before decoding
constexpr int UI = -99;

// Every decoded value, starting as "not reported".
struct Wx {
    float time = U;
    int cover = UI;
    float base = U, top = U, vis = U;
    int kind = UI, intensity = UI;
    float temp = U, dew = U, wdir = U, wspd = U, gust = U, alt = U;
};

Wx decode(const std::string& text, float elev = 0.0f)
{
    Wx w;
    decode_wxr(text.c_str(), elev, &w.time, &w.cover, &w.base, &w.top, &w.vis, &w.kind, &w.intensity, &w.temp,
               &w.dew, &w.wdir, &w.wspd, &w.gust, &w.alt);
    return w;
}

void expect_wx(const Wx& got, const Wx& want, const std::string& what)
{
    SCOPED_TRACE(what);
    EXPECT_FLOAT_EQ(got.time, want.time);
    EXPECT_EQ(got.cover, want.cover);
    EXPECT_NEAR(got.base, want.base, 0.01f);
    EXPECT_NEAR(got.top, want.top, 0.01f);
    EXPECT_NEAR(got.vis, want.vis, 0.05f);
    EXPECT_EQ(got.kind, want.kind);
    EXPECT_EQ(got.intensity, want.intensity);
    EXPECT_FLOAT_EQ(got.temp, want.temp);
    EXPECT_FLOAT_EQ(got.dew, want.dew);
    EXPECT_FLOAT_EQ(got.wdir, want.wdir);
    EXPECT_FLOAT_EQ(got.wspd, want.wspd);
    EXPECT_FLOAT_EQ(got.gust, want.gust);
    EXPECT_NEAR(got.alt, want.alt, 1e-4f);
}

class WxrDecode : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        kvdb_set_units();
    }
};

TEST_F(WxrDecode, TheWorkedReportGivesEveryValue)
{
    Wx w = decode("SA 1651 25 SCT 80 BKN 10 R- 65/55/2710G20/992");
    Wx want;
    want.time = 60660.0f;   // 16:51
    want.cover = WXR_BROKEN;
    want.base = 762.0f;     // 2500 ft
    want.top = 2743.2f;     // 8000 ft plus 1000 ft for light rain
    want.vis = 18520.0f;    // 10 nm
    want.kind = WXR_RAIN_OR_SNOW;
    want.intensity = 1;
    want.temp = 65.0f;
    want.dew = 55.0f;
    want.wdir = 270.0f;
    want.wspd = 10.0f;
    want.gust = 10.0f;
    want.alt = 29.92f;
    expect_wx(w, want, "worked report");
}

struct Case {
    const char* text;
    float elev;
    Wx want;
};

// Reports with every kind of field, worked out by hand from the layout; fields a report does not
// give stay at -99.
TEST_F(WxrDecode, ReportsOfEveryFieldKind)
{
    auto wx = [](float time, int cover, float base, float top, float vis, int kind, int inten, float temp, float dew,
                 float wdir, float wspd, float gust, float alt) {
        Wx w;
        w.time = time, w.cover = cover, w.base = base, w.top = top, w.vis = vis, w.kind = kind, w.intensity = inten;
        w.temp = temp, w.dew = dew, w.wdir = wdir, w.wspd = wspd, w.gust = gust, w.alt = alt;
        return w;
    };
    const std::vector<Case> cases = {
        // clear sky: cover 1, base and top untouched
        {"SA 1650 CLR 15 57/40/3305/003", 0, wx(60600, 1, U, U, 15 * NM, UI, UI, 57, 40, 330, 5, 0, 30.03f)},
        // overcast with rain and fog, heights above a 100 m station
        {"SA 1650 6 OVC 2 R-F 58/56/1604/989", 100,
         wx(60600, 4, 600 * FT + 100, 600 * FT + 100 + 1000 * FT, 2 * NM, 3, 1, 58, 56, 160, 4, 0, 29.89f)},
        // one and one-half miles in showers under two layers
        {"SA 1647 30 SCT 250 BKN 1 1/2 RW 61/57/1912G22/985", 0,
         wx(60420, 3, 3000 * FT, 25000 * FT + 2000 * FT, 1.5f * NM, 4, 2, 61, 57, 190, 12, 10, 29.85f)},
        // three-quarters of a mile in snow
        {"SA 1650 15 SCT 35 OVC 3/4 S 28/24/0810/014", 0,
         wx(60600, 4, 1500 * FT, 3500 * FT + 2000 * FT, 0.75f * NM, 2, 2, 28, 24, 80, 10, 0, 30.14f)},
        // a slash group of five parts: the leading part is skipped
        {"SA 1650 15 SCT 10 141/66/55/2410/993", 0,
         wx(60600, 2, 1500 * FT, 1500 * FT, 10 * NM, UI, UI, 66, 55, 240, 10, 0, 29.93f)},
        // calm wind is 360 at 0; "F" alone is no precipitation
        {"SA 1650 4 BKN 12 OVC 1/2 F 59/58/0000/991", 0,
         wx(60600, 4, 400 * FT, 1200 * FT, 0.5f * NM, UI, UI, 59, 58, 360, 0, 0, 29.91f)},
        // no time word
        {"SA 25 SCT 10 65/55/2710/992", 0, wx(U, 2, 2500 * FT, 2500 * FT, 10 * NM, UI, UI, 65, 55, 270, 10, 0, 29.92f)},
        // moderate thunderstorm raises the top by 20000 ft
        {"SA 1656 12 BKN 40 OVC 3 TRW 68/62/2215G30/981", 0,
         wx(60960, 4, 1200 * FT, 4000 * FT + 20000 * FT, 3 * NM, 1, 2, 68, 62, 220, 15, 15, 29.81f)},
        // temperatures below zero carry a sign and are not taken
        {"SA 1650 CLR 10 M05/M10/2710/012", 0, wx(60600, 1, U, U, 10 * NM, UI, UI, U, U, 270, 10, 0, 30.12f)},
        // seven characters without a G: no gust
        {"SA 1650 CLR 10 65/55/2710X20/992", 0, wx(60600, 1, U, U, 10 * NM, UI, UI, 65, 55, 270, 10, 0, 29.92f)},
        // too few words before the slash group for a weather word
        {"SA 1650 5 R 60/50/1805/992", 0, wx(60600, 1, U, U, 5 * NM, UI, UI, 60, 50, 180, 5, 0, 29.92f)},
    };
    for (const Case& c : cases) expect_wx(decode(c.text, c.elev), c.want, c.text);
}

// Damaged reports: what cannot be read keeps the caller's value; the rest is still decoded.
TEST_F(WxrDecode, DamagedReportsKeepWhatTheyCannotGive)
{
    Wx none;
    expect_wx(decode(""), none, "empty");
    expect_wx(decode("   "), none, "blanks only");

    Wx w = decode("SA 1650 25 SCT 10");   // no slash group at all
    EXPECT_FLOAT_EQ(w.time, 60600.0f);
    EXPECT_EQ(w.cover, WXR_SCATTERED);
    EXPECT_NEAR(w.vis, 10 * NM, 0.05f);
    EXPECT_FLOAT_EQ(w.temp, U);
    EXPECT_FLOAT_EQ(w.wdir, U);
    EXPECT_FLOAT_EQ(w.alt, U);

    w = decode("SA 16A1 25 SCT 80 BKN 10 R- 65/55/2710G20/992");   // a letter in the time
    EXPECT_FLOAT_EQ(w.time, U);
    EXPECT_EQ(w.cover, WXR_BROKEN);
    EXPECT_FLOAT_EQ(w.temp, 65.0f);

    w = decode("SA 1651 25 SCT 10 R- 65/55/27A0/9X2");   // letters in the wind and the altimeter
    EXPECT_FLOAT_EQ(w.wdir, U);
    EXPECT_FLOAT_EQ(w.wspd, U);
    EXPECT_FLOAT_EQ(w.gust, U);
    EXPECT_FLOAT_EQ(w.alt, U);
    EXPECT_FLOAT_EQ(w.temp, 65.0f);
    EXPECT_FLOAT_EQ(w.dew, 55.0f);

    w = decode("SA 1651 25 SCT 10 R- 65/55/2710G2X/992");   // a letter in the gust
    EXPECT_FLOAT_EQ(w.wdir, U);
    EXPECT_FLOAT_EQ(w.alt, 29.92f);

    w = decode("SA 1651 25 SCT 10 R- 65/55/27/992");   // a wind of the wrong length
    EXPECT_FLOAT_EQ(w.wdir, U);
    EXPECT_FLOAT_EQ(w.alt, 29.92f);

    w = decode("SA 1651 0 SCT -5 BKN 7 SCT 10 65/55/2710/992");   // heights of 0 and below
    EXPECT_EQ(w.cover, WXR_SCATTERED);
    EXPECT_NEAR(w.base, 700 * FT, 0.01f);
    EXPECT_NEAR(w.top, 700 * FT, 0.01f);

    w = decode("SA 1651 1/0 65/55/2710/992");   // a fraction over zero
    EXPECT_FLOAT_EQ(w.vis, U);
    EXPECT_FLOAT_EQ(w.temp, 65.0f);

    w = decode("SA 1651 25 SCT 10 R- ////");   // an empty slash group
    EXPECT_EQ(w.kind, WXR_RAIN_OR_SNOW);
    EXPECT_FLOAT_EQ(w.temp, U);
    EXPECT_FLOAT_EQ(w.wdir, U);
    EXPECT_FLOAT_EQ(w.alt, U);

    w = decode("SA 1651 25 SCT 10 R- 65/55/99999999999/99999999999");   // numbers too long to hold
    EXPECT_FLOAT_EQ(w.wdir, U);
    EXPECT_FLOAT_EQ(w.alt, U);

    w = decode(std::string("SA\x01 1651 \xff\xfe 65/55/2710/992"));   // control and high bytes
    EXPECT_FLOAT_EQ(w.temp, 65.0f);
    EXPECT_FLOAT_EQ(w.wdir, 270.0f);
}

TEST_F(WxrDecode, OnlyTheFirstFortyWordsAndFirst399CharactersCount)
{
    std::string many = "SA 1651";
    for (int k = 0; k < 19; k++) many += " 5 SCT";   // words 2..39
    many += " 65/55/2710/992";                     // word 40: beyond the words looked at
    Wx w = decode(many);
    EXPECT_EQ(w.cover, WXR_SCATTERED);
    EXPECT_NEAR(w.base, 500 * FT, 0.01f);
    EXPECT_FLOAT_EQ(w.temp, U);

    std::string lng = "SA 1651 25 SCT 10 " + std::string(390, 'X') + " 65/55/2710/992";
    w = decode(lng);
    EXPECT_FLOAT_EQ(w.time, 60660.0f);
    EXPECT_FLOAT_EQ(w.temp, U);   // the slash group lies past character 399

    std::string one_word(5000, '/');   // a single enormous slash group
    w = decode(one_word);
    EXPECT_FLOAT_EQ(w.temp, U);
}

// Every weather word of the table, typed here from the layout, and the cloud top it raises.
TEST_F(WxrDecode, EveryWeatherWordGivesItsKindAndRaisesTheTop)
{
    struct P {
        const char* word;
        int kind, intensity;
    };
    const P table[] = {{"R-", 2, 1},     {"R", 2, 2},      {"R+", 2, 3},     {"RW-", 4, 1},  {"RW", 4, 2},
                       {"RW+", 4, 3},    {"S-", 2, 1},     {"S", 2, 2},      {"S+", 2, 3},   {"SW-", 4, 1},
                       {"SW", 4, 2},     {"SW+", 4, 3},    {"TRW-", 1, 1},   {"TRW", 1, 2},  {"TRW+", 1, 3},
                       {"R-F", 3, 1},    {"RF", 3, 2},     {"R+F", 3, 3},    {"RW-F", 4, 1}, {"RWF", 4, 2},
                       {"RW+F", 4, 3},   {"TRW-F", 1, 1},  {"TRWF", 1, 2},   {"TRW+F", 1, 3}};
    for (const P& p : table) {
        Wx w = decode(std::string("SA 1650 20 OVC 5 ") + p.word + " 60/50/1805/992");
        SCOPED_TRACE(p.word);
        EXPECT_EQ(w.kind, p.kind);
        EXPECT_EQ(w.intensity, p.intensity);
        EXPECT_NEAR(w.base, 2000 * FT, 0.01f);
        float raise = static_cast<float>(p.intensity) * (p.kind == 1 ? 10000.0f : 1000.0f) * FT;
        EXPECT_NEAR(w.top, 2000 * FT + raise, 0.01f);
        EXPECT_NEAR(w.vis, 5 * NM, 0.05f);
    }
    Wx w = decode("SA 1650 20 OVC 5 XX 60/50/1805/992");   // unknown word: nothing, no raise
    EXPECT_EQ(w.kind, UI);
    EXPECT_NEAR(w.top, 2000 * FT, 0.01f);
}

TEST_F(WxrDecode, VariableWindTakesATensOfDegreesDirection)
{
    hl_srand(1234);
    std::set<int> seen;
    for (int k = 0; k < 300; k++) {
        Wx w = decode("SA 1650 CLR 20 70/45/VR04/995");
        int d = static_cast<int>(w.wdir);
        EXPECT_EQ(static_cast<float>(d), w.wdir);
        EXPECT_EQ(d % 10, 0);
        EXPECT_GE(d, 10);
        EXPECT_LE(d, 360);
        EXPECT_FLOAT_EQ(w.wspd, 4.0f);
        EXPECT_FLOAT_EQ(w.gust, 0.0f);
        seen.insert(d);
    }
    EXPECT_GE(seen.size(), 30u);   // 36 directions, nearly all drawn in 300 tries
}

// ---- the nearest report --------------------------------------------------------------------------

class WxrNearest : public ::testing::Test {
protected:
    TempDir dir;
    void SetUp() override
    {
        clear_globals();
        kvdb_set_units();
    }
    // An airport with one runway at (lat, lon), in the region unless told otherwise.
    int add_airport(const char* id, float lat, float lon, float elev_m, int in_region = 1, int runways = 1)
    {
        int a = ++apt_wrl_max;
        std::snprintf(apt_id[a], sizeof apt_id[a], "%-4s", id);
        apt_h[a] = elev_m;
        apt_inreg[a] = in_region;
        apt_lo_ind[a] = rwy_wrl_max + 1;
        apt_hi_ind[a] = rwy_wrl_max + runways;
        for (int k = 0; k < runways; k++) {
            int r = ++rwy_wrl_max;
            rwy_lat[r] = lat + 0.01f * k;
            rwy_lon[r] = lon;
        }
        return a;
    }
    // Opens a report file with the given bytes and looks for the report nearest (lat, lon).
    int nearest(const std::string& bytes, float lat, float lon, std::string* text, float* elev)
    {
        std::string path = dir.write("WORLD.RWX", bytes);
        inf1.close();
        inf1.clear();
        inf1.open(path, std::ios::binary);
        char buf[WXR_TEXT_LEN];
        std::strcpy(buf, "unchanged");
        int r = get_wxr_str(buf, elev, lat, lon);
        *text = buf;
        inf1.close();
        return r;
    }
};

TEST_F(WxrNearest, TakesTheNearestStationOfTheRegion)
{
    add_airport("KAAA", 34.0f, -117.0f, 100.0f);
    add_airport("KBBB", 34.5f, -117.5f, 200.0f);
    add_airport("F70", 33.5f, -117.1f, 300.0f);
    add_airport("KOUT", 34.45f, -117.45f, 400.0f, 0);   // not in the region
    int l35 = add_airport("L35", 34.26f, -116.86f, 500.0f);
    std::memset(apt_id[l35], 0, sizeof apt_id[l35]);
    std::memcpy(apt_id[l35], "L35", 3);   // held without its padding blank
    const std::string file = "KAAA SA 1 A\nKBBB SA 2 B\nF70  SA 3 C\nKOUT SA 4 D\nL35  SA 5 E\n";
    std::string text;
    float elev = -1.0f;
    ASSERT_EQ(nearest(file, 34.45f, -117.45f, &text, &elev), 1);
    EXPECT_EQ(text, "SA 2 B");
    EXPECT_FLOAT_EQ(elev, 200.0f);
    ASSERT_EQ(nearest(file, 33.5f, -117.1f, &text, &elev), 1);   // a three-letter identifier
    EXPECT_EQ(text, "SA 3 C");
    EXPECT_FLOAT_EQ(elev, 300.0f);
    ASSERT_EQ(nearest(file, 34.1f, -117.05f, &text, &elev), 1);
    EXPECT_EQ(text, "SA 1 A");
    ASSERT_EQ(nearest(file, 34.3f, -116.8f, &text, &elev), 1);
    EXPECT_EQ(text, "SA 5 E");
}

TEST_F(WxrNearest, NoStationOfTheRegionLeavesTheOutputs)
{
    add_airport("KOUT", 34.0f, -117.0f, 400.0f, 0);
    add_airport("KNRW", 34.0f, -117.0f, 500.0f, 1, 0);   // no runway to measure to
    std::string text;
    float elev = -1.0f;
    EXPECT_EQ(nearest("KOUT SA 1\nKNRW SA 2\nKZZZ SA 3\n", 34.0f, -117.0f, &text, &elev), 0);
    EXPECT_EQ(text, "unchanged");
    EXPECT_FLOAT_EQ(elev, -1.0f);
    EXPECT_EQ(nearest("", 34.0f, -117.0f, &text, &elev), 0);
    EXPECT_EQ(text, "unchanged");
}

TEST_F(WxrNearest, LineEndsOfEveryKindReadAlike)
{
    add_airport("KAAA", 34.0f, -117.0f, 100.0f);
    add_airport("KBBB", 34.5f, -117.5f, 200.0f);
    for (const char* eol : {"\n", "\r\n", "\r"}) {
        std::string file = std::string("KAAA SA 1 A") + eol + "KBBB SA 2 B" + eol;
        std::string text;
        float elev = 0.0f;
        ASSERT_EQ(nearest(file, 34.5f, -117.5f, &text, &elev), 1);
        EXPECT_EQ(text, "SA 2 B");
    }
    std::string text;
    float elev = 0.0f;
    ASSERT_EQ(nearest("KAAA SA 1 A\nKBBB SA 2 B", 34.5f, -117.5f, &text, &elev), 1);   // no end on the last line
    EXPECT_EQ(text, "SA 2 B");
}

TEST_F(WxrNearest, AShortLineEndsTheFile)
{
    add_airport("KAAA", 34.0f, -117.0f, 100.0f);
    add_airport("KBBB", 34.5f, -117.5f, 200.0f);
    std::string text;
    float elev = 0.0f;
    ASSERT_EQ(nearest("KAAA SA 1 A\nKB\nKBBB SA 2 B\n", 34.5f, -117.5f, &text, &elev), 1);
    EXPECT_EQ(text, "SA 1 A");
}

TEST_F(WxrNearest, LongReportsAreCutAndTheNextLineStillReads)
{
    add_airport("KAAA", 34.0f, -117.0f, 100.0f);
    add_airport("KBBB", 34.5f, -117.5f, 200.0f);
    std::string text;
    float elev = 0.0f;
    std::string file = "KAAA " + std::string(1000, 'Q') + "\nKBBB SA 2 B\n";
    ASSERT_EQ(nearest(file, 34.0f, -117.0f, &text, &elev), 1);
    EXPECT_EQ(text, std::string(WXR_TEXT_LEN - 1, 'Q'));
    ASSERT_EQ(nearest(file, 34.5f, -117.5f, &text, &elev), 1);
    EXPECT_EQ(text, "SA 2 B");
    ASSERT_EQ(nearest("KAAA\n", 34.0f, -117.0f, &text, &elev), 1);   // identifier alone: empty report
    EXPECT_EQ(text, "");
}

TEST_F(WxrNearest, TheFirstOfEqualDistancesWinsAndTwinIdentifiersBothCount)
{
    add_airport("KAAA", 34.0f, -117.0f, 100.0f);
    add_airport("KDUP", 30.0f, -110.0f, 600.0f);
    add_airport("KDUP", 34.2f, -117.2f, 700.0f);
    std::string text;
    float elev = 0.0f;
    ASSERT_EQ(nearest("KAAA SA first\nKAAA SA second\n", 34.0f, -117.0f, &text, &elev), 1);
    EXPECT_EQ(text, "SA first");
    ASSERT_EQ(nearest("KDUP SA twin\n", 34.2f, -117.2f, &text, &elev), 1);
    EXPECT_FLOAT_EQ(elev, 700.0f);   // the nearer of the two airports named KDUP
}

// ---- the storm level around the aircraft ----------------------------------------------------------

class WxrWindow : public ::testing::Test {
protected:
    static float grid[WXR_GRID_NI][WXR_GRID_NJ];
    void SetUp() override { std::memset(grid, 0, sizeof grid); }
};
float WxrWindow::grid[WXR_GRID_NI][WXR_GRID_NJ];

TEST_F(WxrWindow, TheCellUnderThePointIsClampedToTheGrid)
{
    struct C {
        float x, z;
        int i, j;
    };
    // region: x 0..6300 m, z 0..4200 m: ten metres a cell
    const C cases[] = {{0, 0, 0, 0},          {3150, 2100, 315, 210},  {6300, 4200, 630, 420},
                       {-50, -50, 0, 0},       {99999, 99999, 630, 420}, {6299.9f, 4199.9f, 629, 419},
                       {NAN, NAN, 0, 0},       {INFINITY, -INFINITY, 630, 0}};
    for (const C& c : cases) {
        int i = -7, j = -7;
        wxr_cell(c.x, c.z, 0, 6300, 0, 4200, &i, &j);
        EXPECT_EQ(i, c.i) << c.x;
        EXPECT_EQ(j, c.j) << c.z;
    }
    int i = -7, j = -7;
    wxr_cell(5, 5, 100, 100, 200, 200, &i, &j);   // a region of no size
    EXPECT_EQ(i, 0);
    EXPECT_EQ(j, 0);
}

TEST_F(WxrWindow, AUniformGridGivesTheSameLevelEverywhere)
{
    for (auto& col : grid)
        for (float& v : col) v = 0.6f;
    const int cells[][2] = {{0, 0}, {630, 420}, {0, 420}, {630, 0}, {1, 1}, {315, 210}, {629, 2}, {-40, 9000}};
    for (const auto& c : cells) EXPECT_NEAR(wxr_window_level(grid, c[0], c[1], 3.0f), 2.0f * 0.6f, 1e-5f);
}

TEST_F(WxrWindow, EdgeCellsStandInForTheCellsBeyond)
{
    grid[0][0] = 1.0f;
    // at the corner the 5 by 5 window holds the corner cell 3 x 3 times
    EXPECT_NEAR(wxr_window_level(grid, 0, 0, 2.0f), 9.0f / 25.0f, 1e-6f);
    // one cell in: 2 x 2 times; three cells in: not at all
    EXPECT_NEAR(wxr_window_level(grid, 1, 1, 2.0f), 4.0f / 25.0f, 1e-6f);
    EXPECT_NEAR(wxr_window_level(grid, 3, 3, 2.0f), 0.0f, 1e-6f);
    grid[630][420] = 1.0f;
    EXPECT_NEAR(wxr_window_level(grid, 630, 420, 2.0f), 9.0f / 25.0f, 1e-6f);
    grid[315][210] = 1.0f;   // an inner cell counts once in each window that holds it
    EXPECT_NEAR(wxr_window_level(grid, 315, 210, 2.0f), 1.0f / 25.0f, 1e-6f);
    EXPECT_NEAR(wxr_window_level(grid, 317, 208, 2.0f), 1.0f / 25.0f, 1e-6f);
    EXPECT_NEAR(wxr_window_level(grid, 318, 210, 2.0f), 0.0f, 1e-6f);
    EXPECT_NEAR(wxr_window_level(grid, 315, 210, 1.0f), 0.0f, 1e-6f);   // no storm, no level
}

}  // namespace
