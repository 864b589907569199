// output_test.cpp -- data output: the output file's label and value cells of every kind of item,
// the columns an aircraft has, rows that line up, the selections, the graph's ring and its wrap,
// and the file written by a short flight through the frame driver, read back line by line.
#include "output.h"

#include "controls.h"
#include "flight_harness.h"
#include "fltframe.h"
#include "hl_file.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "kvtest.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The output stream trk written into a fresh file of the test's folder.
class OutputFile : public ::testing::Test {
protected:
    TempDir dir;
    std::string path;

    void SetUp() override
    {
        clear_globals();
        hl_fill_constants();
        path = dir.str() + "/Kestrova.out";
        reopen();
    }
    void TearDown() override
    {
        if (trk.is_open()) trk.close();
        trk.clear();
    }
    void reopen()
    {
        if (trk.is_open()) trk.close();
        trk.clear();
        trk.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
        ASSERT_TRUE(trk.is_open());
    }
    // What was written since the last reopen; the stream starts afresh afterwards.
    std::string taken()
    {
        trk.close();
        std::string s = read_file(path);
        reopen();
        return s;
    }
    std::string label_cells(int item)
    {
        out_label(OUT_FILE, item, 0);
        return taken();
    }
    std::string value_cells(int item)
    {
        out_dat(OUT_FILE, item, 0);
        return taken();
    }
};

void aircraft(int numen, int heli)
{
    pln[0].numen = numen;
    pln[0].is_heli = heli;
}

// The cells of a row: pieces of OUT_CELL characters, each ending in " | ".
std::vector<std::string> cells(const std::string& row)
{
    std::vector<std::string> out;
    for (size_t k = 0; k + OUT_CELL <= row.size(); k += OUT_CELL) out.push_back(row.substr(k, OUT_CELL));
    return out;
}

double cell_value(const std::string& cell) { return std::strtod(cell.c_str(), nullptr); }

// ---- labels ----------------------------------------------------------------------------------------

TEST_F(OutputFile, LabelCellsNameEachColumnTheAircraftHas)
{
    struct Case {
        int item, numen, heli;
        const char* cells;
    } cases[] = {
        {0, 1, 0, "  FREQ,/sec |   TIME,rtio | "},
        {4, 1, 0, "  _RHO,sft3 | "},
        {17, 1, 0, "  MACH,___# |   ___G,unit | "},
        {26, 1, 0, "  _LAT,_deg |   _LON,_deg |   _ALT,__ft | "},
        {49, 1, 0, "  EMPT,__lb |   GROS,__lb | "},
        // Item 14 names brake columns it has no values for: only the gear and the speed brakes.
        {14, 1, 0, "  GEAR,_0/1 |   SBRK,1012 | "},
        // Engine columns follow the engine count; a helicopter keeps its rotor and tail rotor.
        {28, 1, 0, "  POWR,1,hp | "},
        {28, 4, 0, "  POWR,1,hp |   POWR,2,hp |   POWR,3,hp |   POWR,4,hp | "},
        {29, 3, 0, "  THST,1,lb |   THST,2,lb |   THST,3,lb | "},
        {31, 1, 1, "  RPM1,_rpm |   RPM2,_rpm | "},
        {31, 4, 1, "  RPM1,_rpm |   RPM2,_rpm | "},
        {31, 1, 0, "  RPM1,_rpm | "},
        {8, 2, 1, "  THT1,part |   THT2,part | "},
        // An aircraft without engines has no engine columns at all.
        {36, 0, 0, ""},
    };
    for (const Case& c : cases) {
        aircraft(c.numen, c.heli);
        EXPECT_EQ(label_cells(c.item), c.cells) << "item " << c.item << ", " << c.numen << " engines";
    }
    // Items beyond the table write nothing.
    EXPECT_EQ(label_cells(50), "");
    EXPECT_EQ(label_cells(-1), "");
}

TEST_F(OutputFile, ColumnsInUseFollowTheAircraft)
{
    struct Case {
        int item, numen, heli;
        int used[4];
    } cases[] = {
        {1, 1, 0, {1, 0, 0, 0}},    {5, 1, 0, {1, 1, 0, 0}},    {10, 1, 0, {1, 1, 1, 1}},
        {14, 4, 0, {1, 0, 0, 1}},   {8, 3, 0, {1, 1, 1, 0}},    {41, 2, 0, {1, 1, 0, 0}},
        {29, 4, 1, {1, 1, 0, 0}},   {32, 0, 1, {1, 1, 0, 0}},   {33, 4, 0, {1, 1, 1, 1}},
        {9, 1, 1, {1, 0, 0, 0}},    {45, 4, 0, {1, 0, 0, 0}},   {47, 1, 1, {1, 1, 0, 0}},
        {28, 9, 0, {1, 1, 1, 1}},   {28, -3, 0, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        aircraft(c.numen, c.heli);
        for (int col = 1; col <= 4; col++)
            EXPECT_EQ(usedat(c.item, col), c.used[col - 1]) << "item " << c.item << " column " << col;
    }
    EXPECT_EQ(usedat(5, 0), 0);
    EXPECT_EQ(usedat(5, 5), 0);
    EXPECT_EQ(usedat(55, 1), 0);
}

// ---- values ----------------------------------------------------------------------------------------

TEST_F(OutputFile, ValueCellsAreElevenWideWithTwoDecimalsInTheLabelsUnits)
{
    aircraft(1, 0);
    msc.elap_time = 123.456f;
    msc.prd = 0.05f;
    msc.rtrat = 1.0f;
    msc.locl_time = 57600.0f;
    msc.zulu_time = 19800.0f;
    flt.av = 100.0f;           // 194.38 knots
    flt.vind = 150.0f;
    flt.vY = -5.08;            // 1000 ft/min down
    flt.lat = 47.5f;
    flt.lon = -122.25f;
    flt.Y[0] = 304.8;          // 1000 ft
    flt.vpath = 190.0f;        // wraps to -170
    set.gear_handle = 1;
    flt.sbrk = 2;
    flt.power[0] = 745.7f;     // 1 hp; the second engine's power is not the aircraft's
    flt.power[1] = 5000.0f;
    flt.ff_[0] = 0.01f;        // 79.37 lb/h
    flt.thro[0] = 0.123f;      // shown with the half-hundredth added
    flt.m_fuel = 100.0f;       // 220.46 lb
    struct Case {
        int item;
        const char* cells;
    } cases[] = {
        {1, "     123.46 | "},
        {0, "      20.00 |        1.00 | "},
        {2, "      16.00 |        5.50 | "},
        {15, "     194.38 |      150.00 | "},
        {16, "   -1000.00 | "},
        {26, "      47.50 |     -122.25 |     1000.00 | "},
        {7, "    -170.00 | "},
        {14, "       1.00 |        2.00 | "},
        {28, "       1.00 | "},
        {36, "      79.37 | "},
        {8, "       0.13 | "},
        {48, "       0.00 |      220.46 |        0.00 | "},
    };
    for (const Case& c : cases) EXPECT_EQ(value_cells(c.item), c.cells) << "item " << c.item;
}

TEST_F(OutputFile, ColumnsWithoutAValueKeepTheirCellAsMinus999)
{
    aircraft(2, 0);
    msc.prd = 0.0f;            // no frame rate
    msc.rtrat = 1.0f;
    flt.fnrmlaero = 1000.0f;   // lift without drag: no lift-to-drag ratio
    flt.faxilaero = 0.0f;
    flt.thrust[0] = 100.0f;    // thrust without power: no propulsive efficiency
    flt.av = 40.0f;
    flt.Alph = std::numeric_limits<float>::quiet_NaN();
    flt.Beta = std::numeric_limits<float>::infinity();
    flt.Q = -999.0f;           // exactly the marker
    struct Case {
        int item;
        const char* cells;
    } cases[] = {
        {0, "    -999.00 |        1.00 | "},
        {40, "    -999.00 | "},
        {41, "    -999.00 |     -999.00 | "},
        {5, "    -999.00 |     -999.00 | "},
        {22, "    -999.00 |        0.00 |        0.00 | "},
    };
    for (const Case& c : cases) EXPECT_EQ(value_cells(c.item), c.cells) << "item " << c.item;
}

TEST_F(OutputFile, ValuesBeyondTheLimitAreHeldAtIt)
{
    flt.X[0] = 1.0e12;
    flt.Y[0] = -1.0e12;
    flt.Z[0] = 5.0;
    std::istringstream in(value_cells(27));
    double x = 0, y = 0, z = 0;
    std::string bar[3];
    in >> x >> bar[0] >> y >> bar[1] >> z >> bar[2];
    EXPECT_NEAR(x, 9.9e9, 1.0e3);
    EXPECT_NEAR(y, -9.9e9, 1.0e3);
    EXPECT_DOUBLE_EQ(z, 5.0);
    for (const std::string& b : bar) EXPECT_EQ(b, "|");
}

// Every item's label row and value row have the same cells, on every kind of aircraft.
TEST_F(OutputFile, LabelAndValueRowsLineUpForEveryItem)
{
    const int kinds[][2] = {{0, 0}, {1, 0}, {2, 0}, {4, 0}, {1, 1}, {2, 1}};
    for (const auto& k : kinds) {
        aircraft(k[0], k[1]);
        for (int item = 0; item < OUT_ITEMS; item++) {
            std::string labels = label_cells(item);
            std::string values = value_cells(item);
            ASSERT_EQ(labels.size() % OUT_CELL, 0u) << item;
            EXPECT_EQ(labels.size(), values.size()) << "item " << item << ", engines " << k[0] << ", heli " << k[1];
            int used = 0;
            for (int col = 1; col <= 4; col++) used += usedat(item, col);
            EXPECT_EQ(cells(labels).size(), static_cast<size_t>(used)) << item;
            for (const std::string& cell : cells(values)) EXPECT_EQ(cell.substr(OUT_CELL - 3), " | ") << item;
        }
    }
}

// The cockpit format has places for every column the item fills, never fewer than its decimals.
TEST(OutputFormats, EveryColumnInUseHasPlacesForItsDecimals)
{
    clear_globals();
    aircraft(4, 0);
    for (int item = 0; item < OUT_ITEMS; item++) {
        int dig[4], dec[4];
        set_dig_dec(item, dig, dec);
        for (int k = 0; k < 4; k++) {
            if (!usedat(item, k + 1)) continue;
            EXPECT_GE(dig[k], 1) << "item " << item << " column " << k + 1;
            EXPECT_LE(dig[k], 5) << "item " << item << " column " << k + 1 << " must fit 30 pixels";
            EXPECT_LE(dec[k], dig[k]) << "item " << item << " column " << k + 1;
        }
        EXPECT_EQ(std::strlen(out_item_label(item)), 40u) << item;
    }
    int dig[4], dec[4];
    set_dig_dec(60, dig, dec);
    EXPECT_EQ(dig[0], 0);
}

// ---- selections and the ring -----------------------------------------------------------------------

TEST(OutputChoices, FirstTenCockpitAndFourGraphItemsInItemOrder)
{
    clear_globals();
    const int cockpit[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 55};
    for (int i : cockpit) set.Brlt[i] = 1;
    const int graph[] = {48, 1, 30, 9, 22, 57};
    for (int i : graph) set.Bgrf[i] = 1;
    flt.dist = 1234.0f;
    grf.graphstruct_full = 1;
    grf.indexstart = 77;
    grf.cntr = 76;
    grf.period[5] = 0.05f;
    grf.data[2][1][5] = 3.0f;
    set_rlt_grf_choices();
    const int want_rlt[10] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29};
    const int want_grf[4] = {1, 9, 22, 30};
    for (int s = 0; s < 10; s++) EXPECT_EQ(set.rltsel[s], want_rlt[s]) << s;
    for (int s = 0; s < 4; s++) EXPECT_EQ(set.grfsel[s], want_grf[s]) << s;
    EXPECT_EQ(set.rltout, 1);
    EXPECT_EQ(set.grfout, 1);
    EXPECT_EQ(set.dskout, 0);
    EXPECT_EQ(flt.dist, 0.0f);
    // The ring is empty: the next sample goes to slot 0 and nothing of the old one is left.
    EXPECT_EQ(grf.cntr, -1);
    EXPECT_EQ(grf.graphstruct_full, 0);
    EXPECT_EQ(grf.indexstart, 0);
    EXPECT_EQ(grf.period[5], 999.0f);
    EXPECT_EQ(grf.data[2][1][5], OUT_NONE);

    // Fewer selections leave the remaining places empty; items past the table are never chosen.
    clear_globals();
    set.Brlt[4] = set.Bgrf[4] = set.Bdsk[7] = 1;
    set.Brlt[59] = set.Bgrf[50] = set.Bdsk[52] = 1;
    set_rlt_grf_choices();
    EXPECT_EQ(set.rltsel[0], 4);
    EXPECT_EQ(set.rltsel[1], -1);
    EXPECT_EQ(set.grfsel[0], 4);
    EXPECT_EQ(set.grfsel[1], -1);
    EXPECT_EQ(set.dskout, 1);

    clear_globals();
    set.Bdsk[53] = set.Brlt[50] = set.Bgrf[59] = 1;
    set_rlt_grf_choices();
    EXPECT_EQ(set.dskout + set.rltout + set.grfout, 0);
}

// The ring takes one sample a frame into the slot after the last, wraps after 1800, and from then
// on starts at the oldest.
TEST(OutputGraph, RingFillsWrapsAndKeepsTheOldest)
{
    clear_globals();
    hl_fill_constants();
    set.Bgrf[1] = 1;   // elapsed time in slot 0
    set_rlt_grf_choices();
    struct Case {
        int frames, cntr, full, oldest;
    } cases[] = {
        {1, 0, 0, 0},
        {GRAPH_SAMPLES, GRAPH_SAMPLES - 1, 0, 0},
        {GRAPH_SAMPLES + 1, 0, 1, 1},
        {GRAPH_SAMPLES + 250, 249, 1, 250},
        {2 * GRAPH_SAMPLES, GRAPH_SAMPLES - 1, 1, 0},
    };
    for (const Case& c : cases) {
        clear_graph();
        msc.prd = 0.05f;
        for (int f = 0; f < c.frames; f++) {
            msc.elap_time = static_cast<float>(f);
            update_graph();
        }
        EXPECT_EQ(grf.cntr, c.cntr) << c.frames;
        EXPECT_EQ(grf.graphstruct_full, c.full) << c.frames;
        EXPECT_EQ(grf.indexstart, c.oldest) << c.frames;
        // The newest sample holds the last frame's time, the oldest the frame 1800 before it.
        EXPECT_EQ(grf.data[0][0][grf.cntr], static_cast<float>(c.frames - 1)) << c.frames;
        if (c.full) {
            EXPECT_EQ(grf.data[0][0][grf.indexstart], static_cast<float>(c.frames - GRAPH_SAMPLES)) << c.frames;
        }
        EXPECT_EQ(grf.period[grf.cntr], 0.05f);
        // The item has one column: the other three stay empty; so do the unused slots.
        EXPECT_EQ(grf.data[0][1][grf.cntr], OUT_NONE);
        EXPECT_EQ(grf.data[1][0][grf.cntr], OUT_NONE);
    }
}

// ---- a short flight --------------------------------------------------------------------------------

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string l;
    while (std::getline(in, l)) out.push_back(l);
    return out;
}

// Five seconds of flight through the frame driver at 20 frames a second with four items going to
// the file: a label row each second, then ten value rows, every cell under its label.
TEST_F(OutputFile, AShortFlightWritesALabelRowASecondAndTenValueRows)
{
    fh_world_options opt;
    opt.prd = 0.05f;
    opt.controls = update_controls;
    fh_world(opt);
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    ASSERT_EQ(pln[0].numen, 1);
    set.controls_type = -1;
    fh_start_air(300.0f, 50.0f, 0.0f);
    reset_flight_driver();
    mnw.time_elapsed = 0.0f;
    const int items[] = {1, 15, 26, 28};
    for (int i : items) set.Bdsk[i] = 1;
    set_rlt_grf_choices();
    ASSERT_EQ(set.dskout, 1);
    const double start_alt_ft = flt.Y[0] * 3.280840;
    reopen();
    for (int k = 0; k < 100; k++) {
        mnw.time_elapsed += opt.prd;
        update_flight();
    }
    const std::vector<std::string> lines = lines_of(taken());
    const std::string label_row =
        "  TIME,_sec |   Vtru,ktas |   Vind,kias |   _LAT,_deg |   _LON,_deg |   _ALT,__ft |   POWR,1,hp | ";
    ASSERT_EQ(lines.size(), 55u);
    for (size_t n = 0; n < lines.size(); n++) {
        if (n % 11 == 0) {
            EXPECT_EQ(lines[n], label_row) << "line " << n;
            continue;
        }
        ASSERT_EQ(lines[n].size(), label_row.size()) << "line " << n << ": " << lines[n];
        for (const std::string& cell : cells(lines[n])) {
            EXPECT_EQ(cell.substr(OUT_CELL - 3), " | ") << "line " << n;
            EXPECT_EQ(cell[OUT_CELL - 6], '.') << "two decimals, line " << n << ": " << cell;
        }
    }
    // The time column steps a tenth of a second from row to row; the first row is the start state.
    std::vector<double> t;
    for (size_t n = 0; n < lines.size(); n++)
        if (n % 11) t.push_back(cell_value(cells(lines[n])[0]));
    ASSERT_EQ(t.size(), 50u);
    for (size_t k = 1; k < t.size(); k++) EXPECT_NEAR(t[k] - t[k - 1], 0.1, 0.011) << k;
    const std::vector<std::string> first = cells(lines[1]);
    EXPECT_NEAR(cell_value(first[1]), 50.0 / 0.514444, 0.02) << "true airspeed in knots";
    EXPECT_NEAR(cell_value(first[5]), start_alt_ft, 0.02) << "height in feet";
    // The last row is the state of the last event call, two frames before the end at most.
    const std::vector<std::string> last = cells(lines.back());
    EXPECT_NEAR(cell_value(last[0]), msc.elap_time, 0.11);
    EXPECT_NEAR(cell_value(last[3]), flt.lat, 0.01);
    EXPECT_NEAR(cell_value(last[4]), flt.lon, 0.01);
    EXPECT_NEAR(cell_value(last[5]), flt.Y[0] * 3.280840, 15.0);
    EXPECT_GT(std::fabs(cell_value(last[5]) - start_alt_ft), 1.0) << "the aircraft moved";
}

}  // namespace
