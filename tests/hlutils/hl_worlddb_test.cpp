// hl_worlddb_test.cpp -- the world databases read into their tables: indices, units, the runway
// ranges of airports with and without runways, names, navaid and fix slots, refusals, and the time
// the bundled and the full-size sets take.
#include "hl_worlddb.h"

#include "hl_file.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "kvdb.h"
#include "kvtest.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const std::string kHead = "I\n500 version\n";

class WorldDb : public ::testing::Test {
protected:
    TempDir dir;
    void SetUp() override
    {
        clear_globals();
        hl_fill_constants();
        clear_recorded_alerts();
    }
    // Writes the three files (each given without its header; fix.dat and nav.dat default to empty).
    void put(const std::string& apt, const std::string& nav = "99\n", const std::string& fix = "99.0\n")
    {
        dir.write("apt.dat", kHead + apt);
        dir.write("nav.dat", kHead + nav);
        dir.write("fix.dat", kHead + fix);
    }
    void load() { read_world_db(dir.str().c_str()); }
};

TEST_F(WorldDb, AirportsAndRunwaysFillFromZeroInFeetTurnedToMetres)
{
    put("1   1000 1 0 KAAA First-Field\n"
        "10  34.000000 -117.000000 9L  90   1000 100 1234567\n"
        "10  34.001000 -117.001000 9R  90   5000  75 1111111\n"
        "1    500 0 1 KBBB Second Field\n"
        "10  35.000000 -118.000000 36-   0   3281  50 2222222\n"
        "99\n");
    load();
    EXPECT_TRUE(recorded_alerts().empty());
    ASSERT_EQ(apt_wrl_max, 1);
    ASSERT_EQ(rwy_wrl_max, 2);
    EXPECT_STREQ(apt_id[0], "KAAA");
    EXPECT_STREQ(apt_name[0], "First Field");   // "-" becomes a blank
    EXPECT_STREQ(apt_name[1], "Second Field");
    EXPECT_FLOAT_EQ(apt_h[0], 304.8f);
    EXPECT_FLOAT_EQ(apt_h[1], 152.4f);
    EXPECT_EQ(apt_twr[0], 1);
    EXPECT_EQ(apt_bld[0], 0);
    EXPECT_EQ(apt_bld[1], 1);
    EXPECT_EQ(apt_lo_ind[0], 0);
    EXPECT_EQ(apt_hi_ind[0], 1);
    EXPECT_EQ(apt_lo_ind[1], 2);
    EXPECT_EQ(apt_hi_ind[1], 2);
    // lengths and widths: feet to metres, truncated toward zero
    EXPECT_EQ(rwy_len[0], 304);    // 1000 ft = 304.8 m
    EXPECT_EQ(rwy_width[0], 30);   // 100 ft = 30.48 m
    EXPECT_EQ(rwy_len[1], 1524);   // 5000 ft = 1524.0 m
    EXPECT_EQ(rwy_len[2], 1000);   // 3281 ft = 1000.05 m
    EXPECT_EQ(rwy_width[1], 22);   // 75 ft = 22.86 m
    EXPECT_EQ(rwy_num[0], 9);
    EXPECT_EQ(rwy_lcr[0], 'L');
    EXPECT_EQ(rwy_lcr[1], 'R');
    EXPECT_EQ(rwy_hdng[2], 0);
    EXPECT_EQ(rwy_lite[0], 1234567);
    EXPECT_FLOAT_EQ(rwy_lat[2], 35.0f);
    EXPECT_FLOAT_EQ(rwy_lon[2], -118.0f);
}

// An airport without runway lines owns none: its range is empty, so no loop over lo..hi reaches a
// runway of another airport, also when it is the very first airport.
TEST_F(WorldDb, AnAirportWithoutRunwaysOwnsNone)
{
    put("1 100 0 0 KNON No Runways\n"
        "1 200 0 0 KONE One Runway\n"
        "10 34.0 -117.0 9- 90 3000 75 1000000\n"
        "1 300 0 0 KEND Also None\n"
        "99\n");
    load();
    ASSERT_EQ(apt_wrl_max, 2);
    struct Want {
        int a, lo, hi;
    };
    for (Want w : {Want{0, 0, -1}, Want{1, 0, 0}, Want{2, 1, 0}}) {
        SCOPED_TRACE(w.a);
        EXPECT_EQ(apt_lo_ind[w.a], w.lo);
        EXPECT_EQ(apt_hi_ind[w.a], w.hi);
        int owned = 0;
        for (int r = apt_lo_ind[w.a]; r <= apt_hi_ind[w.a]; r++) owned++;
        EXPECT_EQ(owned, w.a == 1 ? 1 : 0);
    }
}

TEST_F(WorldDb, LinesOfOtherKindsAndStrayRunwaysAreSkippedSafely)
{
    put("10 30.0 -100.0 1- 10 1000 50 1000000\n"   // a runway ahead of every airport
        "14 this line is of a kind the simulator does not use\n"
        "1 100 0 0 KAAA Only\n"
        "10 34.0 -117.0 9- 90 3000 75 1000000\n"
        "99\n");
    load();
    EXPECT_TRUE(recorded_alerts().empty());
    EXPECT_EQ(apt_wrl_max, 0);
    EXPECT_EQ(rwy_wrl_max, 1);
    EXPECT_EQ(apt_lo_ind[0], 1);
    EXPECT_EQ(apt_hi_ind[0], 1);
    EXPECT_FLOAT_EQ(rwy_lat[1], 34.0f);
}

TEST_F(WorldDb, NavaidsStartInSlotTwoAndFixesEndWithTheMark)
{
    put("99\n",
        "3  34.000000 -117.000000   1000.0    11390  0 PDZ  Paradise VORTAC\n"
        "2  33.500000 -116.500000    500.0      356  0 AB   Abbey NDB\n"
        "99\n",
        "34.100000 -117.100000 ALPHA\n"
        "34.200000 -117.200000 BRAVO\n"
        "99.000000\n");
    load();
    ASSERT_EQ(nav_wrl_max, 3);
    EXPECT_EQ(nav_type[0], 0);   // the carrier's two slots stay untouched
    EXPECT_EQ(nav_type[1], 0);
    EXPECT_EQ(nav_type[2], 3);
    EXPECT_EQ(nav_frq[2], 11390);
    EXPECT_STREQ(nav_id[2], "PDZ ");
    EXPECT_STREQ(nav_name[2], "Paradise VORTAC");
    EXPECT_FLOAT_EQ(nav_h[2], 304.8f);
    EXPECT_EQ(nav_type[3], 2);
    EXPECT_STREQ(fix_name[0], "ALPHA");
    EXPECT_FLOAT_EQ(fix_lon[1], -117.2f);
    EXPECT_FLOAT_EQ(fix_lat[2], 99.0f);
    EXPECT_FLOAT_EQ(fix_lon[2], -999.0f);
    EXPECT_FLOAT_EQ(fix_lat[3], -999.0f);
    EXPECT_FLOAT_EQ(fix_lat[MAX_FIX - 1], -999.0f);
}

TEST_F(WorldDb, AFixFileThatStartsWithTheMarkLeavesEverySlotEmpty)
{
    put("99\n", "99\n", "99\n");
    load();
    EXPECT_FLOAT_EQ(fix_lat[0], 99.0f);
    for (int f = 1; f < MAX_FIX; f++) ASSERT_FLOAT_EQ(fix_lat[f], -999.0f) << f;
    for (int f = 0; f < MAX_FIX; f++) ASSERT_FLOAT_EQ(fix_lon[f], -999.0f) << f;
    EXPECT_EQ(apt_wrl_max, -1);
    EXPECT_EQ(rwy_wrl_max, -1);
    EXPECT_EQ(nav_wrl_max, 1);
}

TEST_F(WorldDb, AnEndLineThatOnlyRoundsTo99StillLeavesTheMark99)
{
    for (const char* end : {"99.25 100250000 AB\n", "98.6\n", "99.4999\n", "99\n"}) {
        SCOPED_TRACE(end);
        put("99\n", "99\n", std::string("34.100000 -117.100000 ALPHA\n") + end);
        load();
        EXPECT_STREQ(fix_name[0], "ALPHA");
        EXPECT_EQ(fix_lat[1], 99.0f);   // exactly the mark a reader of the table looks for
        EXPECT_EQ(fix_lat[2], -999.0f);
    }
}

// Every refusal ends the program with its own alert.
TEST_F(WorldDb, UnreadableFilesEndTheProgramNamingTheProblem)
{
    struct Case {
        const char* what;
        bool present;        // apt.dat is there
        std::string apt;     // apt.dat whole, header included
        const char* l1;
    };
    const char* const missing = "I am unable to access a nav, airport, or fix data file!";
    const char* const damaged = "A nav, airport, or fix data file is empty or damaged!";
    const Case cases[] = {
        {"missing", false, "", missing},
        {"empty", true, "", damaged},
        {"wrong version", true, "I\n499 version\n99\n", damaged},
        {"no header", true, "1 100 0 0 KAAA X\n99\n", damaged},
        {"bad field", true, kHead + "1 high 0 0 KAAA X\n99\n", "File-scanning error!"},
        {"no end mark", true, kHead + "1 100 0 0 KAAA X\n", "File-scanning error!"},
        {"cut in a runway", true, kHead + "1 100 0 0 KAAA X\n10 33.9", "File-scanning error!"},
    };
    const std::string path = dir.str() + "/apt.dat";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clear_recorded_alerts();
        std::remove(path.c_str());
        if (c.present) dir.write("apt.dat", c.apt);
        EXPECT_THROW(load(), FatalAlert);
        ASSERT_FALSE(recorded_alerts().empty());
        const RecordedAlert& a = recorded_alerts()[0];
        EXPECT_EQ(a.code, 2004);
        EXPECT_EQ(a.l1, c.l1);
        // Every refusal names the file where a file's name goes.
        if (a.l1 == "File-scanning error!") EXPECT_EQ(a.l4, path);
        else EXPECT_EQ(a.l3, path);
    }
}

TEST_F(WorldDb, TheProgramFolderIsTheDefault)
{
    TempDir prog;
    prog.write("additional nav data/apt.dat", kHead + "1 100 0 0 KZZZ Program Folder\n99\n");
    prog.write("additional nav data/nav.dat", kHead + "99\n");
    prog.write("additional nav data/fix.dat", kHead + "99\n");
    std::snprintf(app_path, STR_LEN, "%s/", prog.str().c_str());
    read_world_db(nullptr);
    EXPECT_EQ(apt_wrl_max, 0);
    EXPECT_STREQ(apt_id[0], "KZZZ");
}

// How long the loader takes: the bundled set and the full-size synthetic set (every table full).
TEST_F(WorldDb, ReadingTimes)
{
    const std::string bundled = std::string(KV_SOURCE_DIR) + "/data/additional nav data";
    const std::string full = std::string(KV_BINARY_DIR) + "/bigdb/full";
    for (const std::string& folder : {bundled, full}) {
        clear_globals();
        hl_fill_constants();
        auto t0 = std::chrono::steady_clock::now();
        KvDbCounts n = kvdb_load(folder);
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        std::printf("[ timing ] %s: %d airports, %d runways, %d navaids, %d fixes in %.1f ms\n", folder.c_str(),
                    n.airports, n.runways, n.navaids, n.fixes, ms);
        RecordProperty(folder == full ? "full_ms" : "bundled_ms", static_cast<int>(ms));
        EXPECT_TRUE(recorded_alerts().empty());
        // Generous against a loaded test machine; the figure itself is printed above.
        EXPECT_LT(ms, 3000.0 * KV_TIME_SCALE);
        if (folder == full) {
            EXPECT_EQ(apt_wrl_max, MAX_APT - 1);
            EXPECT_EQ(rwy_wrl_max, MAX_RWY - 1);
            EXPECT_EQ(nav_wrl_max, MAX_NAV - 1);
            EXPECT_EQ(n.fixes, MAX_FIX - 1);
        }
    }
}

}  // namespace
