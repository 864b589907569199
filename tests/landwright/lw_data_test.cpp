// lw_data_test.cpp -- the scenery editor without its screen: the map geometry and its clamps, the
// terrain edits, auto-flatten, the obstacles, the database inserts and deletes, and the files it
// saves as the simulator's own readers take them back; damaged inputs and failed saves.
#include "hl_dbline.h"
#include "hl_envfile.h"
#include "hl_file.h"
#include "hl_mnw.h"
#include "hl_string.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hl_worlddb.h"
#include "kvtest.h"
#include "landwright.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kSampleDb = std::string(KV_SOURCE_DIR) + "/data/additional nav data/";

class LandData : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        hl_fill_constants();
        clear_recorded_alerts();
        std::snprintf(app_path, STR_LEN, "%s/", dir_.str().c_str());
        std::snprintf(prf_path, STR_LEN, "%s/Landwright.prf", dir_.str().c_str());
        fs::create_directories(nav_dir());
        lw_defaults();
    }
    std::string nav_dir() const { return dir_.str() + "/additional nav data/"; }
    std::string square_file() const { return nav_dir() + "+030-120/+033-119.env"; }
    // The sample databases copied into the editor's folder and read.
    void load_sample_db()
    {
        fs::copy_file(kSampleDb + "apt.dat", nav_dir() + "apt.dat", fs::copy_options::overwrite_existing);
        fs::copy_file(kSampleDb + "nav.dat", nav_dir() + "nav.dat", fs::copy_options::overwrite_existing);
        lw_read_databases();
    }
    // The simulator's readers over the editor's folder (navaids from slot 2 there).
    static void sim_read_db()
    {
        open_aptnavfix_dat("apt.dat");
        read_apt_dat();
        open_aptnavfix_dat("nav.dat");
        read_nav_dat();
    }
    static int alerts_with(const std::string& l1)
    {
        int n = 0;
        for (const RecordedAlert& a : recorded_alerts())
            if (a.l1 == l1) n++;
        return n;
    }
    TempDir dir_;
};

// ---- map geometry ---------------------------------------------------------------------------------------

TEST_F(LandData, MapPositionsFollowTheZoomAndOffsetsBothWays)
{
    struct Case {
        float zoom, os_lat, os_lon, lat, lon, x, y;
    } cases[] = {
        {1, 0, 0, 33.0f, -119.0f, 168, 5},          // the south-west corner at the map's corner
        {1, 0, 0, 34.0f, -118.0f, 795, 579},        // the north-east corner at the other
        {2, 0.25f, 0.5f, 33.5f, -118.25f, 168 + 0.25f * 2 * 627, 5 + 0.25f * 2 * 574},
        {4, 0.5f, 0.5f, 33.5f, -118.5f, 168, 5},
    };
    for (const Case& c : cases) {
        lmsc.map_zoom = c.zoom;
        lmsc.map_os_lat = c.os_lat;
        lmsc.map_os_lon = c.os_lon;
        EXPECT_NEAR(ret_x(c.lon), c.x, 1e-2f);
        EXPECT_NEAR(ret_y(c.lat), c.y, 1e-2f);
        EXPECT_NEAR(ret_lon(c.x), c.lon, 1e-5f);
        EXPECT_NEAR(ret_lat(c.y), c.lat, 1e-5f);
    }
}

TEST_F(LandData, ZoomAndPanKeepTheirStepsAndLimits)
{
    lw_map_command(304);
    EXPECT_NEAR(lmsc.map_zoom, 1.2f, 1e-6f);
    EXPECT_NEAR(lmsc.map_os_lat, 0.09f / 1.2f, 1e-6f);
    EXPECT_NEAR(lmsc.map_os_lon, 0.09f / 1.2f, 1e-6f);
    lw_map_command(300);
    EXPECT_NEAR(lmsc.map_os_lat, 0.09f / 1.2f + 0.1f / 1.2f, 1e-6f);
    lw_map_command(302);
    EXPECT_NEAR(lmsc.map_os_lon, 0.09f / 1.2f - 0.1f / 1.2f, 1e-6f);
    // Zooming out back to 1 puts the map back whole; further out changes nothing.
    lw_map_command(305);
    EXPECT_NEAR(lmsc.map_zoom, 1.0f, 1e-6f);
    EXPECT_EQ(lmsc.map_os_lat, 0.0f);
    EXPECT_EQ(lmsc.map_os_lon, 0.0f);
    lw_map_command(305);
    EXPECT_EQ(lmsc.map_zoom, 1.0f);
    EXPECT_EQ(lmsc.map_os_lat, 0.0f);
    EXPECT_EQ(lmsc.map_os_lon, 0.0f);
    for (int k = 0; k < 40; k++) lw_map_command(304);
    EXPECT_EQ(lmsc.map_zoom, 20.0f);
    for (int k = 0; k < 400; k++) lw_map_command(303);
    EXPECT_NEAR(lmsc.map_os_lon, 0.9f, 1e-6f);
    for (int k = 0; k < 800; k++) lw_map_command(301);
    EXPECT_NEAR(lmsc.map_os_lat, -0.9f, 1e-6f);
}

// ---- terrain edits ---------------------------------------------------------------------------------------

TEST_F(LandData, AutoFlattenEvensOnlyThreeEqualCornersOfWaterCells)
{
    struct Case {
        float h[4];        // corners (i,j), (i+1,j), (i,j+1), (i+1,j+1)
        int water;
        float want[4];
    } cases[] = {
        {{10.2f, 10.4f, 10.0f, 12.0f}, 1, {10, 10, 10, 10}},
        {{5.0f, 5.0f, 5.0f, 5.0f}, 1, {5, 5, 5, 5}},                   // four equal: unchanged
        {{1.2f, 1.1f, 7.0f, 7.3f}, 1, {1.2f, 1.1f, 7.0f, 7.3f}},       // two pairs: unchanged
        {{1.0f, 2.0f, 3.0f, 4.0f}, 1, {1, 2, 3, 4}},                   // all different: unchanged
        {{10.2f, 10.4f, 10.0f, 12.0f}, 0, {10.2f, 10.4f, 10.0f, 12.0f}},   // land: unchanged
        {{-3.4f, 8.0f, -3.0f, -2.6f}, 1, {-3, -3, -3, -3}},
    };
    for (const Case& c : cases) {
        env_flat_water(33, -119, &lw_sq);
        // Cell (20, 30) alone: its neighbours are land, so only this cell can act.
        for (int i = 19; i <= 21; i++)
            for (int j = 29; j <= 31; j++) lw_set_cell_water(i, j, 0);
        lw_set_cell_water(20, 30, c.water);
        pt_h(20, 30) = c.h[0];
        pt_h(21, 30) = c.h[1];
        pt_h(20, 31) = c.h[2];
        pt_h(21, 31) = c.h[3];
        auto_flatten();
        EXPECT_FLOAT_EQ(pt_h(20, 30), c.want[0]);
        EXPECT_FLOAT_EQ(pt_h(21, 30), c.want[1]);
        EXPECT_FLOAT_EQ(pt_h(20, 31), c.want[2]);
        EXPECT_FLOAT_EQ(pt_h(21, 31), c.want[3]);
    }
}

TEST_F(LandData, CornerPatternTurnsAQuarterThroughTheFourPatternsAndBack)
{
    // (s, t) of corners 00, 01, 10, 11 after 0..4 turns.
    const float want[5][8] = {{0, 0, 0, 1, 1, 0, 1, 1},
                              {1, 0, 0, 0, 1, 1, 0, 1},
                              {1, 1, 1, 0, 0, 1, 0, 0},
                              {0, 1, 1, 1, 0, 0, 1, 0},
                              {0, 0, 0, 1, 1, 0, 1, 1}};
    const int water_before = lw_cell_water(7, 8);
    for (int turn = 0; turn < 5; turn++) {
        int f0, f1, f2, f3, f4, tex;
        float st[2][2][2];
        int_to_bol(&f0, &f1, &f2, &f3, &f4, st, &tex, pt_word(7, 8));
        EXPECT_EQ(0, std::memcmp(st, want[turn], sizeof st)) << "after " << turn << " turns";
        EXPECT_EQ(lw_cell_water(7, 8), water_before);
        lw_turn_corners(7, 8);
    }
}

TEST_F(LandData, PaintingSetsTexture1999PlusSlotAndZeroClears)
{
    for (int slot : {1, 7, 20}) {
        lw_paint(3, 4, slot);
        EXPECT_EQ(lw_cell_tex(3, 4), 1999 + slot);
    }
    lw_paint(3, 4, 0);
    EXPECT_EQ(lw_cell_tex(3, 4), 0);
    // Water and pattern survive painting.
    lw_turn_corners(3, 4);
    lw_paint(3, 4, 2);
    EXPECT_EQ(lw_cell_pattern(3, 4), 1);
    EXPECT_EQ(lw_cell_water(3, 4), 1);
}

TEST_F(LandData, NearestPointIsAlwaysInteriorAndCellHitFindsTheEnclosingCell)
{
    const struct {
        float x, y;
        int i, j;
    } corners[] = {{168, 5, 1, 1}, {795, 579, 58, 78}, {168, 579, 1, 78}, {795, 5, 58, 1}};
    for (const auto& c : corners) {
        int i, j;
        lw_nearest_interior(c.x, c.y, &i, &j);
        EXPECT_EQ(i, c.i);
        EXPECT_EQ(j, c.j);
    }
    // The middle of cell (10, 20) lies between its corners' screen positions.
    const float x = (ret_x(pt_lon(10, 20)) + ret_x(pt_lon(11, 20))) / 2;
    const float y = (ret_y(pt_lat(10, 20)) + ret_y(pt_lat(10, 21))) / 2;
    int i, j;
    ASSERT_TRUE(lw_cell_at(x, y, &i, &j));
    EXPECT_EQ(i, 10);
    EXPECT_EQ(j, 20);
    EXPECT_FALSE(lw_cell_at(100, 300, &i, &j));   // left of the map
}

// ---- saving the square -------------------------------------------------------------------------------------

TEST_F(LandData, SavedSquareSizesFollowTheObjectRecords)
{
    struct Case {
        int type;
        long extra;
    } cases[] = {{0, 0}, {2, 24}, {6, 24}, {ENV_OBJ_CUSTOM, 56}};
    for (const Case& c : cases) {
        lw_defaults();
        if (c.type) {
            ASSERT_GE(lw_add_object(c.type, 33.5f, -118.5f), 0);
        }
        ASSERT_TRUE(writeout(LW_SAVE_SQUARE, 0));
        EXPECT_EQ(fs::file_size(square_file()), static_cast<uintmax_t>(77609 + c.extra)) << "type " << c.type;
    }
}

TEST_F(LandData, ScriptedTerrainAndObstacleEditsReadBackByTheSimulatorsReader)
{
    lmsc.obj_index = -1;
    pt_h(12, 34) = 250.0f;                 // terrain height
    lw_toggle_water(12, 34);               // water: that cell becomes land
    lw_paint(5, 6, 3);
    std::snprintf(lw_sq.tex[2], sizeof lw_sq.tex[2], "rocks");
    const int tower = lw_add_object(2, 33.25f, -118.75f);
    ASSERT_GE(tower, 0);
    lw_sq.obj[tower].value = 420.0f;
    const int custom = lw_add_object(ENV_OBJ_CUSTOM, 33.75f, -118.25f);
    ASSERT_TRUE(lw_take_name(lw_sq.obj[custom].name, "hangar.obj"));
    lw_sq.obj[custom].value = 45.0f;
    // On the north edge: the neighbour's object, not written here.
    lw_add_object(3, 34.0f, -118.5f);
    lmsc.map_dirty = 1;
    ASSERT_TRUE(writeout(LW_SAVE_SQUARE, 0));
    EXPECT_EQ(lmsc.map_dirty, 0);
    EXPECT_FALSE(fs::exists(square_file() + ".tmp"));

    static env_square back;
    ASSERT_EQ(env_read_square(square_file().c_str(), 33, -119, 0, &back), ENV_READ_OK);
    EXPECT_FLOAT_EQ(back.h[34][12], 250.0f);
    int f0, f1, f2, f3, f4, tex;
    float st[2][2][2];
    int_to_bol(&f0, &f1, &f2, &f3, &f4, st, &tex, back.word[34][12]);
    EXPECT_FALSE(f1 || f2) << "the toggled cell is land";
    int_to_bol(&f0, &f1, &f2, &f3, &f4, st, &tex, back.word[0][0]);
    EXPECT_TRUE(f1 && f2) << "water is the second and third flag";
    int_to_bol(&f0, &f1, &f2, &f3, &f4, st, &tex, back.word[6][5]);
    EXPECT_EQ(tex, 2002);
    EXPECT_STREQ(back.tex[2], "rocks");
    ASSERT_EQ(back.nobj, 2);
    EXPECT_EQ(back.obj[0].type, 2);
    EXPECT_FLOAT_EQ(back.obj[0].lat, 33.25f);
    EXPECT_FLOAT_EQ(back.obj[0].lon, -118.75f);
    EXPECT_FLOAT_EQ(back.obj[0].value, 420.0f);
    EXPECT_EQ(back.obj[1].type, ENV_OBJ_CUSTOM);
    EXPECT_STREQ(back.obj[1].name, "hangar");
    EXPECT_FLOAT_EQ(back.obj[1].value, 45.0f);
}

TEST_F(LandData, GeneratedSquareReadAndSavedAgainIsByteIdentical)
{
    const std::string sample = std::string(KV_PROGRAM_DIR) + "/additional nav data/+030-120/+033-119.env";
    ASSERT_TRUE(fs::exists(sample)) << "the data build makes the sample square";
    fs::create_directories(fs::path(square_file()).parent_path());
    fs::copy_file(sample, square_file());
    read_terrain();
    EXPECT_TRUE(recorded_alerts().empty());
    ASSERT_TRUE(writeout(LW_SAVE_SQUARE, 0));
    EXPECT_EQ(read_file(square_file()), read_file(sample));
}

TEST_F(LandData, DamagedSquareGetsANoticeAndIsKeptAsideOnSave)
{
    const std::string sample = std::string(KV_PROGRAM_DIR) + "/additional nav data/+030-120/+033-119.env";
    std::string bytes = read_file(sample);
    ASSERT_GT(bytes.size(), 1000u);
    struct Case {
        const char* what;
        std::string bytes;
        const char* alert;
    } cases[] = {
        {"cut short", bytes.substr(0, bytes.size() / 2), "This scenery file is damaged or cut short:"},
        {"other version", std::string("i\x05\0\0\0", 5) + bytes.substr(5),
         "The following file is the wrong version for this version of Landwright:"},
    };
    for (const Case& c : cases) {
        lw_defaults();
        clear_recorded_alerts();
        fs::create_directories(fs::path(square_file()).parent_path());
        dir_.write("additional nav data/+030-120/+033-119.env", c.bytes);
        fs::remove(square_file() + ".bak");
        read_terrain();
        ASSERT_EQ(recorded_alerts().size(), 1u) << c.what;
        EXPECT_EQ(recorded_alerts()[0].l1, c.alert);
        EXPECT_EQ(recorded_alerts()[0].code, ALERT_NOTICE);
        EXPECT_EQ(lw_cell_water(10, 10), 1) << "shown as flat water";
        // Nothing was written by reading; saving keeps the old bytes beside the new square.
        EXPECT_EQ(read_file(square_file()), c.bytes);
        ASSERT_TRUE(writeout(LW_SAVE_SQUARE, 0));
        EXPECT_EQ(read_file(square_file() + ".bak"), c.bytes) << c.what;
        static env_square back;
        EXPECT_EQ(env_read_square(square_file().c_str(), 33, -119, 0, &back), ENV_READ_OK);
    }
}

TEST_F(LandData, FailedSaveLeavesTheOldFileAndTheChangesPending)
{
    ASSERT_TRUE(writeout(LW_SAVE_SQUARE, 0));
    const std::string before = read_file(square_file());
    // No room on the disk, so the new file cannot be written.
    pt_h(30, 30) = 99.0f;
    lmsc.map_dirty = 1;
    clear_recorded_alerts();
    with_no_room_for_files([] { EXPECT_FALSE(writeout(LW_SAVE_SQUARE, 0)); });
    EXPECT_EQ(lmsc.map_dirty, 1);
    EXPECT_FALSE(recorded_alerts().empty()) << "the failure is reported";
    EXPECT_EQ(read_file(square_file()), before);
    EXPECT_FALSE(fs::exists(square_file() + ".tmp"));

    load_sample_db();
    const std::string apt_before = read_file(nav_dir() + "apt.dat");
    lmsc.apt_dirty = 1;
    apt_h[0] += 100.0f;
    with_no_room_for_files([] { EXPECT_FALSE(writeout(LW_SAVE_APT, 0)); });
    EXPECT_EQ(lmsc.apt_dirty, 1);
    EXPECT_EQ(read_file(nav_dir() + "apt.dat"), apt_before);
}

// ---- coastline ---------------------------------------------------------------------------------------------

TEST_F(LandData, CoastlineKeepsThePointsInsideTheSquareUpTo3000)
{
    char name[STR_LEN];
    return_latlon_str_COAST(33.5f, -118.5f, name);
    const std::string rel = std::string("additional nav data/coastlines/") + name;
    // Three inside, one outside, and the file simply ends.
    dir_.write(rel, "I\n1 version\n33.1 -118.9\n33.2 -118.8\n35.0 -118.0\n33.3 -118.7");
    read_terrain();
    EXPECT_TRUE(recorded_alerts().empty());
    ASSERT_EQ(lw_coast_n, 3);
    EXPECT_FLOAT_EQ(lw_coast_lat[2], 33.3f);
    EXPECT_FLOAT_EQ(lw_coast_lon[2], -118.7f);

    std::string many = "I\n1 version\n";
    for (int k = 0; k < 3005; k++) many += "33.5 -118.5\n";
    dir_.write(rel, many);
    read_terrain();
    EXPECT_EQ(lw_coast_n, 3000);
    EXPECT_EQ(alerts_with("Too many coastline points!"), 1);
}

// ---- obstacles -------------------------------------------------------------------------------------------------

TEST_F(LandData, NewObstaclesTakeTheSelectedHeightOrSlotZerosAndRefuseWhenFull)
{
    lw_sq.obj[0].value = 321.0f;   // slot 0 empty but with its height
    const int a = lw_add_object(4, 33.5f, -118.5f);
    EXPECT_EQ(a, 0);
    EXPECT_FLOAT_EQ(lw_sq.obj[a].value, 321.0f);
    lw_sq.obj[a].value = 55.0f;
    const int b = lw_add_object(5, 33.6f, -118.5f);
    EXPECT_EQ(b, 1);
    EXPECT_FLOAT_EQ(lw_sq.obj[b].value, 55.0f);
    const int c = lw_add_object(ENV_OBJ_CUSTOM, 33.7f, -118.5f);
    EXPECT_STREQ(lw_sq.obj[c].name, "Untitled");
    EXPECT_FLOAT_EQ(lw_sq.obj[c].value, 0.0f);
    EXPECT_EQ(lw_nearest_object(33.59f, -118.49f), b);

    for (env_object& o : lw_sq.obj) o.type = 2;
    clear_recorded_alerts();
    EXPECT_EQ(lw_add_object(3, 33.5f, -118.5f), -1);
    EXPECT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(lmsc.obj_index, c) << "the selection stays";
}

TEST_F(LandData, NamesLongerThan39CharactersAreRefused)
{
    char dst[ENV_NAME_LEN + 1] = "old";
    EXPECT_FALSE(lw_take_name(dst, (std::string(40, 'a') + ".bmp").c_str()));
    EXPECT_STREQ(dst, "old");
    EXPECT_TRUE(lw_take_name(dst, (std::string(39, 'b') + ".bmp").c_str()));
    EXPECT_EQ(std::string(dst), std::string(39, 'b'));
    EXPECT_FALSE(lw_take_name(dst, "../up.bmp"));
}

// ---- databases ---------------------------------------------------------------------------------------------

TEST_F(LandData, SampleDatabasesReadAndSavedAgainAreByteIdentical)
{
    load_sample_db();
    ASSERT_GE(apt_wrl_max, 5);
    ASSERT_GE(nav_wrl_max, 5);
    EXPECT_EQ(nav_type[0], 3) << "the editor's navaids count from 0";
    ASSERT_TRUE(writeout(LW_SAVE_APT, 0));
    ASSERT_TRUE(writeout(LW_SAVE_NAV, 0));
    EXPECT_EQ(read_file(nav_dir() + "apt.dat"), read_file(kSampleDb + "apt.dat"));
    EXPECT_EQ(read_file(nav_dir() + "nav.dat"), read_file(kSampleDb + "nav.dat"));
}

TEST_F(LandData, ScriptedAirportRunwayAndNavaidEditsReadBackByTheSimulatorsReaders)
{
    load_sample_db();
    const int napt = apt_wrl_max + 1, nrwy = rwy_wrl_max + 1;
    // A new airport after the first, with one runway, then a second runway.
    lmsc.apt_index = 0;
    ASSERT_TRUE(adddel_aptrwy(LW_KIND_APT, 1, 0));
    const int a = lmsc.apt_index;
    EXPECT_EQ(a, 1);
    std::snprintf(apt_id[a], APT_ID_LEN, "KZZQ");
    std::snprintf(apt_name[a], APT_NAME_LEN, "Test Field");
    apt_h[a] = 500.0f * con.fttomtrs;
    apt_twr[a] = 1;
    const int r = apt_lo_ind[a];
    rwy_lat[r] = 33.5f;
    rwy_lon[r] = -118.5f;
    rwy_num[r] = 9;
    rwy_lcr[r] = 'L';
    rwy_hdng[r] = 92;
    rwy_len[r] = 6000;
    rwy_width[r] = 100;
    const int A[2] = {3, 2}, B[2] = {5, 1}, C[2] = {6, 4};
    rwy_lite[r] = lgts_to_code(63, A, B, C);   // concrete
    ASSERT_TRUE(adddel_aptrwy(LW_KIND_RWY, 1, 0));
    rwy_num[lmsc.rwy_index] = 27;
    // A navaid of type 2 (NDB).
    ASSERT_TRUE(lw_add_nav(2));
    const int v = lmsc.nav_index;
    std::snprintf(nav_id[v], APT_ID_LEN, "ZQ");
    nav_lat[v] = 33.4f;
    nav_lon[v] = -118.6f;
    nav_frq[v] = 350;
    nav_h[v] = 1000.0f * con.fttomtrs;
    ASSERT_TRUE(writeout(LW_SAVE_APT, 0));
    ASSERT_TRUE(writeout(LW_SAVE_NAV, 0));

    sim_read_db();
    ASSERT_EQ(apt_wrl_max + 1, napt + 1);
    ASSERT_EQ(rwy_wrl_max + 1, nrwy + 2);
    EXPECT_STREQ(apt_id[1], "KZZQ");
    EXPECT_STREQ(apt_name[1], "Test Field");
    EXPECT_NEAR(apt_h[1], 500.0f * 0.3048f, 0.01f);
    EXPECT_EQ(apt_twr[1], 1);
    ASSERT_EQ(apt_hi_ind[1] - apt_lo_ind[1], 1);
    const int rr = apt_lo_ind[1];
    EXPECT_FLOAT_EQ(rwy_lat[rr], 33.5f);
    EXPECT_EQ(rwy_num[rr], 9);
    EXPECT_EQ(rwy_lcr[rr], 'L');
    EXPECT_EQ(rwy_hdng[rr], 92);
    EXPECT_EQ(rwy_len[rr], static_cast<int>(6000 * 0.3048f));
    int s, A2[2], B2[2], C2[2];
    code_to_lgts(&s, A2, B2, C2, rwy_lite[rr]);
    EXPECT_EQ(s, 63);
    EXPECT_EQ(A2[0], 3);
    EXPECT_EQ(B2[0], 5);
    EXPECT_EQ(C2[1], 4);
    EXPECT_EQ(rwy_num[rr + 1], 27);
    // The later airports kept their own runways.
    EXPECT_EQ(apt_lo_ind[2], rr + 2);
    // The new NDB, read from slot 2 on by the simulator.
    int found = -1;
    for (int k = 2; k <= nav_wrl_max; k++)
        if (std::strcmp(nav_id[k], "ZQ  ") == 0) found = k;
    ASSERT_GE(found, 0);
    EXPECT_EQ(nav_type[found], 2);
    EXPECT_EQ(nav_frq[found], 350);
    EXPECT_NEAR(nav_h[found], 1000.0f * 0.3048f, 0.05f);
    EXPECT_STREQ(nav_name[found], "Untitled");
}

TEST_F(LandData, RunwayAndAirportInsertsAndDeletesKeepTheIndicesWhole)
{
    load_sample_db();
    // The sample's first airport has four runways; the second one.
    ASSERT_EQ(lw_rwy_count(0), 4);
    ASSERT_EQ(lw_rwy_count(1), 1);
    const int second_lo = apt_lo_ind[1];
    // Deleting the only runway does nothing.
    lmsc.apt_index = 1;
    lmsc.rwy_index = apt_lo_ind[1];
    EXPECT_FALSE(adddel_aptrwy(LW_KIND_RWY, 0, 0));
    EXPECT_EQ(lw_rwy_count(1), 1);
    // Runways up to twelve, then refused; later airports move along.
    lmsc.apt_index = 0;
    lmsc.rwy_index = apt_lo_ind[0];
    for (int k = 4; k < 12; k++) EXPECT_TRUE(adddel_aptrwy(LW_KIND_RWY, 1, 0));
    EXPECT_EQ(lw_rwy_count(0), 12);
    EXPECT_FALSE(adddel_aptrwy(LW_KIND_RWY, 1, 0));
    EXPECT_EQ(apt_lo_ind[1], second_lo + 8);
    for (int b = 1; b < apt_wrl_max; b++) EXPECT_EQ(apt_lo_ind[b + 1], apt_hi_ind[b] + 1) << b;
    // Deleting the first airport takes its runways and moves every later one back.
    const int total = rwy_wrl_max;
    char second_id[APT_ID_LEN];
    std::memcpy(second_id, apt_id[1], APT_ID_LEN);
    lmsc.apt_index = 0;
    EXPECT_TRUE(adddel_aptrwy(LW_KIND_APT, 0, 0));
    EXPECT_EQ(rwy_wrl_max, total - 12);
    EXPECT_STREQ(apt_id[0], second_id);
    EXPECT_EQ(apt_lo_ind[0], 0);
    for (int b = 0; b < apt_wrl_max; b++) EXPECT_EQ(apt_lo_ind[b + 1], apt_hi_ind[b] + 1) << b;
    EXPECT_EQ(apt_hi_ind[apt_wrl_max], rwy_wrl_max);
}

TEST_F(LandData, NavaidsInsertAfterTheirTypeOrSlotZeroAndDeleteByMovingDown)
{
    // An empty table: a navaid of any type goes after slot 0.
    EXPECT_TRUE(lw_add_nav(7));
    EXPECT_EQ(lmsc.nav_index, 1);
    EXPECT_EQ(nav_type[1], 7);
    EXPECT_STREQ(nav_name[1], "Untitled");
    EXPECT_STREQ(nav_id[1], "    ");

    lw_defaults();
    load_sample_db();
    const int n = nav_wrl_max;
    int lo, hi;
    ASSERT_TRUE(lw_nav_range(3, &lo, &hi));
    const int after = nav_type[hi + 1];
    char after_id[APT_ID_LEN];
    std::memcpy(after_id, nav_id[hi + 1], APT_ID_LEN);
    EXPECT_TRUE(lw_add_nav(3));
    EXPECT_EQ(lmsc.nav_index, hi + 1);
    EXPECT_EQ(nav_wrl_max, n + 1);
    EXPECT_EQ(nav_type[hi + 2], after);
    EXPECT_STREQ(nav_id[hi + 2], after_id);
    // An absent type goes after slot 0, pushing the rest along: the sample's only type 9 goes first.
    ASSERT_TRUE(lw_nav_range(9, &lo, &hi));
    ASSERT_EQ(lo, hi);
    lmsc.nav_index = lo;
    lmsc.nav_show_type = 9;
    EXPECT_TRUE(lw_del_nav());
    EXPECT_FALSE(lw_nav_range(9, &lo, &hi));
    char id1[APT_ID_LEN];
    std::memcpy(id1, nav_id[1], APT_ID_LEN);
    EXPECT_TRUE(lw_add_nav(9));
    EXPECT_EQ(lmsc.nav_index, 1);
    EXPECT_EQ(nav_type[1], 9);
    EXPECT_STREQ(nav_id[2], id1);
    // Deleting moves every later entry down.
    const int count = nav_wrl_max;
    char next_id[APT_ID_LEN];
    std::memcpy(next_id, nav_id[lmsc.nav_index + 1], APT_ID_LEN);
    const int at = lmsc.nav_index;
    EXPECT_TRUE(lw_del_nav());
    EXPECT_EQ(nav_wrl_max, count - 1);
    EXPECT_STREQ(nav_id[at], next_id);
}

TEST_F(LandData, NavaidTableRefusesTheAddAtItsLimit)
{
    nav_wrl_max = LW_MAX_NAV - 1;
    for (int v = 0; v <= nav_wrl_max; v++) nav_type[v] = 2;
    EXPECT_FALSE(lw_add_nav(2));
    EXPECT_EQ(nav_wrl_max, LW_MAX_NAV - 1);
    EXPECT_EQ(alerts_with("There is no room for another NAVAID!"), 1);
}

TEST_F(LandData, DamagedOrMissingDatabasesGetTheirFatalAlertsAndAreNotTouched)
{
    struct Case {
        const char* what;
        std::string apt, nav;
        const char* alert;
    } cases[] = {
        {"missing airports", "", "I\n500 version\n99\n", "I am unable to access the airport data file!"},
        {"missing navaids", "I\n500 version\n99\n", "", "I am unable to access the nav data file!"},
        {"bad field", "I\n500 version\n1 12x 1 1 KAAA Alpha\n99\n", "I\n500 version\n99\n", "File-scanning error!"},
        {"wrong version", "I\n400 version\n99\n", "I\n500 version\n99\n", "I am unable to access the airport data file!"},
    };
    for (const Case& c : cases) {
        fs::remove(nav_dir() + "apt.dat");
        fs::remove(nav_dir() + "nav.dat");
        if (!c.apt.empty()) dir_.write("additional nav data/apt.dat", c.apt);
        if (!c.nav.empty()) dir_.write("additional nav data/nav.dat", c.nav);
        clear_recorded_alerts();
        bool fatal = false;
        try {
            lw_read_databases();
        } catch (const FatalAlert& f) {
            fatal = true;
            EXPECT_EQ(f.alert.l1, c.alert) << c.what;
        }
        EXPECT_TRUE(fatal) << c.what;
        if (!c.apt.empty()) {
            EXPECT_EQ(read_file(nav_dir() + "apt.dat"), c.apt);
        }
        if (!c.nav.empty()) {
            EXPECT_EQ(read_file(nav_dir() + "nav.dat"), c.nav);
        }
    }
}

TEST_F(LandData, FullTablesStopWithTheCountAlertAndStoreNothingBeyond)
{
    std::string apt = "I\n500 version\n";
    for (int k = 0; k <= MAX_APT; k++) apt += "1 10 0 0 KAAA Alpha\n10 33.0 -118.0 9- 90 3000 75 1111111\n";
    apt += "99\n";
    dir_.write("additional nav data/apt.dat", apt);
    dir_.write("additional nav data/nav.dat", "I\n500 version\n99\n");
    try {
        lw_read_databases();
        ADD_FAILURE() << "no count alert";
    } catch (const FatalAlert& f) {
        EXPECT_EQ(f.alert.l1, "Too many airports in apt.dat file!");
        EXPECT_EQ(f.alert.code, ALERT_COUNT);
    }
    EXPECT_EQ(apt_wrl_max, MAX_APT - 1);

    std::string nav = "I\n500 version\n";
    for (int k = 0; k <= LW_MAX_NAV; k++) nav += "2 33.0 -118.0 0.0 350 0 AB   Beacon\n";
    nav += "99\n";
    dir_.write("additional nav data/apt.dat", "I\n500 version\n99\n");
    dir_.write("additional nav data/nav.dat", nav);
    try {
        lw_read_databases();
        ADD_FAILURE() << "no count alert";
    } catch (const FatalAlert& f) {
        EXPECT_EQ(f.alert.l1, "Too many navs in nav.dat file!");
        EXPECT_EQ(f.alert.code, ALERT_COUNT);
    }
    EXPECT_EQ(nav_wrl_max, LW_MAX_NAV - 1);
}

// ---- menu commands ---------------------------------------------------------------------------------------

TEST_F(LandData, MenuCommandsActOnlyInTheScreensTheyBelongTo)
{
    // Advance Edit: the terrain modes wrap after 4; the obstacle modes cycle delete, drag, select.
    const int terrain[6] = {1, 2, 3, 4, 0, 1};
    for (int want : terrain) {
        lw_handlemenu(307);
        EXPECT_EQ(lmsc.map_mode, want);
    }
    lw_handlemenu(201);
    EXPECT_EQ(lmsc.edit_mode, LW_OBSTACLES);
    EXPECT_EQ(lmsc.map_mode, 1) << "the terrain mode stays";
    const struct {
        int from, to;
    } obstacle[] = {{OBJ_MODE_DELETE, OBJ_MODE_DRAG}, {OBJ_MODE_DRAG, OBJ_MODE_SELECT},
                    {OBJ_MODE_SELECT, OBJ_MODE_DELETE}, {2, OBJ_MODE_DRAG}, {ENV_OBJ_CUSTOM, OBJ_MODE_DRAG}};
    for (const auto& c : obstacle) {
        lmsc.obj_mode = c.from;
        lw_handlemenu(307);
        EXPECT_EQ(lmsc.obj_mode, c.to) << "from " << c.from;
    }
    // In the table screens the map's commands change nothing.
    lw_handlemenu(202);
    // One water cell among land, as in the auto-flatten test.
    for (int i = 19; i <= 21; i++)
        for (int j = 29; j <= 31; j++) lw_set_cell_water(i, j, i == 20 && j == 30);
    pt_h(20, 30) = 10.2f;
    pt_h(21, 30) = 10.4f;
    pt_h(20, 31) = 10.0f;
    pt_h(21, 31) = 12.0f;
    lw_handlemenu(308);
    lw_handlemenu(309);
    lw_handlemenu(307);
    EXPECT_EQ(lmsc.draw_tex, 0);
    EXPECT_EQ(lmsc.map_dirty, 0);
    EXPECT_FLOAT_EQ(pt_h(21, 31), 12.0f);
    EXPECT_EQ(lmsc.map_mode, 1);
    // Back on the terrain screen Auto-Flatten acts and marks the square changed.
    lw_handlemenu(200);
    lw_handlemenu(309);
    EXPECT_FLOAT_EQ(pt_h(21, 31), 10.0f);
    EXPECT_EQ(lmsc.map_dirty, 1);
    // About: the about box.
    clear_recorded_alerts();
    lw_handlemenu(0);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].code, ALERT_ABOUT);
}

TEST_F(LandData, MenusCarryTheirTitlesInOrder)
{
    lw_setupmenus();
    const char* bar[4] = {"About", "File", "Edit", "Special"};
    for (int m = 0; m < 4; m++) EXPECT_STREQ(mnw.menu_name[m], bar[m]);
    const struct {
        int menu, place;
        const char* title;
    } items[] = {
        {0, 0, "About"},
        {1, 0, "Save Terrain and Obstacles"}, {1, 1, "Save Airports"}, {1, 2, "Save Navaids"}, {1, 3, "-"},
        {1, 4, "Quit"},
        {2, 0, "Terrain"}, {2, 1, "Obstacles"}, {2, 2, "Airports"}, {2, 3, "Navaids"},
        {3, 0, "Pan Up       [arrow]"}, {3, 1, "Pan Down     [arrow]"}, {3, 2, "Pan Left     [arrow]"},
        {3, 3, "Pan Right    [arrow]"}, {3, 4, "Zoom In          [+]"}, {3, 5, "Zoom Out         [-]"},
        {3, 6, "-"}, {3, 7, "Advance Edit     [m]"}, {3, 8, "Texture Mode [SPACE]"}, {3, 9, "Auto-Flatten Water"},
    };
    for (const auto& it : items) EXPECT_STREQ(mnw.item_name[it.menu][it.place], it.title);
}

// ---- preferences ---------------------------------------------------------------------------------------

TEST_F(LandData, PreferencesHoldSixValuesAndReadBack)
{
    lmsc.map_latfile = 47;
    lmsc.map_lonfile = -122;
    lmsc.map_mode = 3;
    lmsc.edit_mode = LW_NAVAIDS;
    lmsc.apt_index = 12;
    lmsc.nav_index = 34;
    ASSERT_TRUE(lw_write_prefs());
    EXPECT_EQ(read_file(prf_path), "I\n51 version\n47\n-122\n3\n203\n12\n34\n");
    lw_defaults();
    lw_read_prefs();
    EXPECT_EQ(lmsc.map_latfile, 47.0f);
    EXPECT_EQ(lmsc.map_lonfile, -122.0f);
    EXPECT_EQ(lmsc.map_mode, 3);
    EXPECT_EQ(lmsc.edit_mode, LW_NAVAIDS);
    EXPECT_EQ(lmsc.apt_index, 12);
    EXPECT_EQ(lmsc.nav_index, 34);
    // A damaged file keeps the defaults.
    dir_.write("Landwright.prf", "I\n51 version\n47\nxx\n");
    lw_defaults();
    lw_read_prefs();
    EXPECT_EQ(lmsc.map_latfile, 33.0f);
    EXPECT_EQ(lmsc.edit_mode, LW_TERRAIN);
}

}  // namespace
