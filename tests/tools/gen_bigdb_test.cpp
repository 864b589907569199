// gen_bigdb_test.cpp -- the synthetic limit-test databases hold exactly the counts asked for, read
// back with the library's line readers, and come out the same for the same seed.
#include "bigdb.h"
#include "hl_types.h"
#include "kvdb.h"
#include "kvtest.h"

#include <string>

namespace {

class BigDb : public ::testing::Test {
protected:
    TempDir dir;
    void SetUp() override
    {
        clear_globals();
        kvdb_set_units();
        clear_recorded_alerts();
    }
};

// The tables' capacities as the simulator's start-up fills them, worked out from its rules: airports
// and runways from index 0, navaids from slot 2 up to slot 19999, fixes up to slot 33998 with the end
// mark in the slot after the last.
TEST_F(BigDb, TheFullSetFillsEveryTableExactly)
{
    ASSERT_EQ(bigdb_write(dir.str().c_str(), BIGDB_FULL, 7), 1);
    KvDbCounts n = kvdb_load(dir.str());
    EXPECT_TRUE(recorded_alerts().empty());
    EXPECT_EQ(n.airports, 12000);
    EXPECT_EQ(n.runways, 16000);
    EXPECT_EQ(n.navaids, 19998);
    EXPECT_EQ(n.fixes, 33999);
    EXPECT_EQ(apt_wrl_max, MAX_APT - 1);
    EXPECT_EQ(rwy_wrl_max, MAX_RWY - 1);
    EXPECT_EQ(nav_wrl_max, MAX_NAV - 1);
    EXPECT_EQ(fix_lat[MAX_FIX - 1], 99.0f);   // the end mark in the last slot
    EXPECT_NE(fix_lat[MAX_FIX - 2], -999.0f);

    // the start airport comes first, with its runway
    EXPECT_STREQ(apt_id[0], "KSBD");
    EXPECT_EQ(apt_lo_ind[0], 0);
    EXPECT_EQ(rwy_num[apt_lo_ind[0]], 6);
    // every airport owns its share of runways, in order, and the last one ends the table
    int next = 0;
    for (int a = 0; a <= apt_wrl_max; a++) {
        ASSERT_EQ(apt_lo_ind[a], next) << a;
        ASSERT_GE(apt_hi_ind[a], apt_lo_ind[a]) << a;
        next = apt_hi_ind[a] + 1;
    }
    EXPECT_EQ(next, 16000);
    // readable values: headings in range, frequencies in their bands
    for (int r = 0; r <= rwy_wrl_max; r++) ASSERT_TRUE(rwy_hdng[r] >= 0 && rwy_hdng[r] <= 359) << r;
    for (int v = 2; v <= nav_wrl_max; v++) {
        int f = nav_frq[v];
        if (nav_type[v] == 2) ASSERT_TRUE(f >= 190 && f <= 1750) << v;
        else if (nav_type[v] >= 7) ASSERT_EQ(f, 7500) << v;
        else ASSERT_TRUE(f >= 10800 && f <= 11795 && f % 5 == 0) << v;
    }
}

// Each over-full set reaches exactly one past its table: the loader stops at that record with the
// full-table alert, whose fourth line is the index the record would have taken, and stores nothing
// past the table.
TEST_F(BigDb, EachOverfilledSetEndsWithItsTablesCountAlert)
{
    ASSERT_EQ(bigdb_write_variants(dir.str().c_str(), 3), 1);
    struct Want {
        const char* name;
        const char* message;   // empty: no alert
        const char* count;
    };
    const Want want[] = {{"full", "", ""},
                         {"over_airports", "Too many airports in apt.dat file!", "12000"},
                         {"over_runways", "Too many runways in apt.dat file!", "16000"},
                         {"over_navaids", "Too many navs in world database!", "20000"},
                         {"over_fixes", "Too many fixes in world database!", "33999"}};
    for (const Want& w : want) {
        SCOPED_TRACE(w.name);
        clear_globals();
        kvdb_set_units();
        clear_recorded_alerts();
        if (w.message[0] == 0) {
            KvDbCounts n = kvdb_load(dir.str() + "/" + w.name);
            EXPECT_EQ(n.fixes, 33999);
            EXPECT_TRUE(recorded_alerts().empty());
            continue;
        }
        EXPECT_THROW(kvdb_load(dir.str() + "/" + w.name), FatalAlert);
        ASSERT_EQ(recorded_alerts().size(), 1u);
        EXPECT_EQ(recorded_alerts()[0].code, 2003);
        EXPECT_EQ(recorded_alerts()[0].l1, w.message);
        EXPECT_EQ(recorded_alerts()[0].l4, w.count);
        // the tables stop at their capacity
        EXPECT_LE(apt_wrl_max, MAX_APT - 1);
        EXPECT_LE(rwy_wrl_max, MAX_RWY - 1);
        EXPECT_LE(nav_wrl_max, MAX_NAV - 1);
    }
}

TEST_F(BigDb, AnyCountsCanBeAskedFor)
{
    const bigdb_counts cases[] = {{0, 0, 0, 0}, {1, 0, 1, 1}, {3, 10, 8, 2}, {5, 2, 17, 40}};
    for (const bigdb_counts& c : cases) {
        clear_globals();
        ASSERT_EQ(bigdb_write(dir.str().c_str(), c, 11), 1);
        KvDbCounts n = kvdb_load(dir.str());
        EXPECT_EQ(n.airports, c.airports);
        EXPECT_EQ(n.runways, c.runways);
        EXPECT_EQ(n.navaids, c.navaids);
        EXPECT_EQ(n.fixes, c.fixes);
    }
}

TEST_F(BigDb, TheSameSeedGivesTheSameBytes)
{
    const bigdb_counts c = {200, 300, 400, 500};
    std::string a = dir.str() + "/a", b = dir.str() + "/b", other = dir.str() + "/c";
    ASSERT_EQ(bigdb_write(a.c_str(), c, 42), 1);
    ASSERT_EQ(bigdb_write(b.c_str(), c, 42), 1);
    ASSERT_EQ(bigdb_write(other.c_str(), c, 43), 1);
    for (const char* f : {"/apt.dat", "/nav.dat", "/fix.dat"}) {
        std::string ba = read_file(a + f);
        EXPECT_FALSE(ba.empty());
        EXPECT_EQ(ba, read_file(b + f)) << f;
        EXPECT_NE(ba, read_file(other + f)) << f;
    }
}

TEST_F(BigDb, TheBuildWritesTheVariantSets)
{
    const std::string root = std::string(KV_BINARY_DIR) + "/bigdb/";
    for (int k = 0; k < BIGDB_VARIANTS; k++)
        for (const char* f : {"/apt.dat", "/nav.dat", "/fix.dat"})
            EXPECT_FALSE(read_file(root + bigdb_variant_name[k] + f).empty()) << bigdb_variant_name[k] << f;
    EXPECT_TRUE(read_file(std::string(KV_PROGRAM_DIR) + "/additional nav data/full/apt.dat").empty());
}

}  // namespace
