// menus_test.cpp -- what each menu command does to the records: the runway-end, navaid and special
// starts, Get Me Lost, the windows and maps, the views and zoom, the flight path, entering and
// leaving the replay (and what waits while it runs), the Special menu, Quit and the ticks.
#include "menus.h"

#include "fltutil.h"
#include "flight_world.h"
#include "hl_funct.h"
#include "hl_program.h"
#include "hl_wind.h"
#include "lax.h"
#include "prefs.h"

#include <kvtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr float DEG = 3.14159265f / 180.0f;
constexpr float GROUND = 250.0f;   // m, the flat region's height

struct RunwayRow {
    int hdng, len, num;
    float lat, lon;
};
int add_airport(const char* id, const char* name, float h, std::initializer_list<RunwayRow> runways)
{
    const int a = ++apt_wrl_max;
    std::snprintf(apt_id[a], sizeof apt_id[a], "%s", id);
    std::snprintf(apt_name[a], sizeof apt_name[a], "%s", name);
    apt_h[a] = h;
    apt_lo_ind[a] = rwy_wrl_max + 1;
    apt_hi_ind[a] = rwy_wrl_max;
    for (const RunwayRow& r : runways) {
        const int k = ++rwy_wrl_max;
        rwy_hdng[k] = r.hdng;
        rwy_len[k] = r.len;
        rwy_lite[k] = 1000000;
        rwy_num[k] = r.num;
        rwy_lat[k] = r.lat;
        rwy_lon[k] = r.lon;
        apt_hi_ind[a] = k;
    }
    return a;
}

int add_navaid(int type, float lat, float lon, float h)
{
    const int n = ++nav_wrl_max;
    nav_type[n] = type;
    nav_lat[n] = lat;
    nav_lon[n] = lon;
    nav_h[n] = h;
    return n;
}

// The flat world with the trainer in the air, two airports of the region listed as local rows 0
// and 1 (the second listed first in the world order), a VOR and an NDB.
class MenuCommands : public ::testing::Test {
protected:
    TempDir dir;
    int far_apt = 0, near_apt = 0, vor = 0, ndb = 0;
    void SetUp() override
    {
        ASSERT_EQ(flight_world(FH_TRAINER, GROUND), 1);
        hl_prog.is_simulator = 1;   // the windows 1..25 are the simulator's
        reset_replay_slot();
        apt_wrl_max = rwy_wrl_max = -1;
        far_apt = add_airport("KFAR", "Far Field", GROUND, {{200, 1500, 20, 34.5f, -117.5f}});
        near_apt = add_airport("KTS", "Test Municipal", GROUND,
                               {{90, 1000, 9, 34.0f, -116.5f}, {360, 1200, 99, 34.0f, -116.52f},
                                {0, 1400, 36, 34.01f, -116.5f}});
        apt_to_index[0] = near_apt;
        apt_to_index[1] = far_apt;
        apt_lcl_num = 2;
        apt_lcl_max = 1;
        nav_wrl_max = 1;
        vor = add_navaid(3, 34.2f, -116.8f, 600.0f);
        ndb = add_navaid(2, 33.8f, -116.1f, 400.0f);
        vor_to_index[0] = vor;
        ndb_to_index[0] = ndb;
        vor_lcl_num = ndb_lcl_num = 1;
        std::snprintf(prf_path, sizeof prf_path, "%s/Kestrova 4.prf", dir.str().c_str());
        start_in_air(800.0f, 50.0f, 45.0f);
        clear_recorded_alerts();
        gdone = 0;
    }
    void TearDown() override
    {
        hl_prog.is_simulator = 0;
        mnw.topwin = 0;
        gdone = 0;
    }
    // The aircraft's offset from a point along its heading and to its right (m).
    static float ahead_of(double x, double z)
    {
        return (float)((flt.X[0] - x) * std::sin(flt.psi[0] * DEG) - (flt.Z[0] - z) * std::cos(flt.psi[0] * DEG));
    }
    static float right_of(double x, double z)
    {
        return (float)((flt.X[0] - x) * std::cos(flt.psi[0] * DEG) + (flt.Z[0] - z) * std::sin(flt.psi[0] * DEG));
    }
    static bool alerted(const std::string& first_line, int code = ALERT_NOTICE)
    {
        for (const RecordedAlert& a : recorded_alerts())
            if (a.l1 == first_line && a.code == code) return true;
        return false;
    }
};

// ---- starts ----------------------------------------------------------------------------------------

TEST_F(MenuCommands, RunwayEndItemsStartAtThatEndOfThatRunway)
{
    struct Kind {
        int base;
        float out, up;   // m before the take-off point, m above the airport
    } kinds[] = {{20, 0.0f, -1.0f}, {120, 2778.0f, 145.39f}, {220, 16668.0f, 872.34f}};
    struct End {
        int row, place;
        int apt_rwy;     // runway's place in the airport
        float heading;
    } ends[] = {{0, 0, 0, 90.0f}, {0, 1, 0, 270.0f}, {0, 4, 2, 0.0f}, {0, 5, 2, 180.0f}, {1, 0, 0, 200.0f},
                {1, 1, 0, 20.0f}};
    for (const Kind& k : kinds) {
        for (const End& e : ends) {
            const int item = 100 * (k.base + e.row) + e.place;
            SCOPED_TRACE(item);
            start_in_air(800.0f, 50.0f, 45.0f);
            handle_menu(item);
            const int a = apt_to_index[e.row], r = apt_lo_ind[a] + e.apt_rwy;
            EXPECT_EQ(msc.loc_apt_wrl, a);
            EXPECT_EQ(msc.loc_rwy_wrl, r);
            EXPECT_EQ(msc.backwards, e.place % 2);
            EXPECT_NEAR(flt.psi[0], e.heading, 1e-3f);
            // 10 m inside the runway's end, then out along the approach.
            const double cx = X_with_latlon(rwy_lat[r], rwy_lon[r]), cz = Z_with_lat(rwy_lat[r]);
            EXPECT_NEAR(ahead_of(cx, cz), -(0.5f * (rwy_len[r] - 20) + k.out), 0.5f);
            EXPECT_NEAR(right_of(cx, cz), 0.0f, 0.5f);
            if (k.up < 0) {
                EXPECT_NEAR((float)flt.Y[0], GROUND + pln[0].h_eqlbm, 1e-2f);
                EXPECT_EQ(flt.v[0], 0.0f);
            } else {
                EXPECT_NEAR((float)flt.Y[0], GROUND + k.up, 0.1f);
                EXPECT_NEAR(flt.v[0], 1.2f * msc.est_Vs, 1e-4f);
            }
        }
    }
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(MenuCommands, RunwayItemsThatNameNoRunwayOfTheRegionNotifyAndChangeNothing)
{
    struct Row {
        int item;
        const char* alert;
        const char* value;
    } rows[] = {
        {2200, "Apt sel out of range!", "2"},        // row 2: the region has two airports
        {11900, "Apt sel out of range!", "99"},
        {32000 - 100, "Apt sel out of range!", "99"},
        {2006, "loc_rwy_wrl out of range!", "4"},     // place 6: a fourth runway the airport lacks
        {12102, "loc_rwy_wrl out of range!", "1"},
    };
    msc.loc_apt_wrl = 1;
    msc.loc_rwy_wrl = 1;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.item);
        clear_recorded_alerts();
        const double x = flt.X[0], y = flt.Y[0];
        handle_menu(r.item);
        ASSERT_EQ(recorded_alerts().size(), 1u);
        EXPECT_EQ(recorded_alerts()[0].l1, r.alert);
        EXPECT_EQ(recorded_alerts()[0].l4, r.value);
        EXPECT_EQ(recorded_alerts()[0].code, ALERT_NOTICE);   // the flight goes on
        EXPECT_EQ(flt.X[0], x);
        EXPECT_EQ(flt.Y[0], y);
        EXPECT_EQ(msc.loc_apt_wrl, 1);
        EXPECT_EQ(msc.loc_rwy_wrl, 1);
    }
    // A row whose world airport is not in the database.
    apt_to_index[1] = 7;
    clear_recorded_alerts();
    handle_menu(2100);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].l1, "loc_apt_wrl out of range!");
    EXPECT_EQ(recorded_alerts()[0].l4, "7");
}

TEST_F(MenuCommands, NavaidItemsStartAThousandMetresOverTheBeaconHeadingNorth)
{
    for (int item : {1000, 1100}) {
        SCOPED_TRACE(item);
        start_in_air(800.0f, 50.0f, 45.0f);
        handle_menu(item);
        const int n = item == 1000 ? vor : ndb;
        EXPECT_NEAR(flt.X[0], X_with_latlon(nav_lat[n], nav_lon[n]), 0.01);
        EXPECT_NEAR(flt.Z[0], Z_with_lat(nav_lat[n]), 0.01);
        EXPECT_NEAR((float)flt.Y[0], nav_h[n] + 1000.0f, 0.01f);
        EXPECT_EQ(flt.psi[0], 0.0f);
        EXPECT_NEAR(flt.v[0], 1.5f * msc.est_Vs, 1e-4f);
    }
    // Rows the region's lists do not hold do nothing.
    for (int item : {1001, 1091, 1101, 1191}) {
        const double x = flt.X[0];
        handle_menu(item);
        EXPECT_EQ(flt.X[0], x) << item;
    }
}

TEST_F(MenuCommands, GetMeLostPutsTheAircraftSomewhereInTheRegionHighAndFlying)
{
    float lo_x = 1e30f, hi_x = -1e30f;
    for (int k = 0; k < 40; k++) {
        handle_menu(216);
        EXPECT_GE(flt.X[0], env.lox);
        EXPECT_LE(flt.X[0], env.hix);
        EXPECT_GE(flt.Z[0], env.loz);
        EXPECT_LE(flt.Z[0], env.hiz);
        EXPECT_GE(flt.Y[0], 2000.0);
        EXPECT_LE(flt.Y[0], 4000.0);
        EXPECT_GE(flt.psi[0], 0.0f);
        EXPECT_LE(flt.psi[0], 360.0f);
        EXPECT_NEAR(flt.v[0], 1.3f * msc.est_Vs, 1e-4f);
        lo_x = fltmin2(lo_x, (float)flt.X[0]);
        hi_x = fltmax2(hi_x, (float)flt.X[0]);
    }
    // Forty throws spread over most of the region's width.
    EXPECT_GT(hi_x - lo_x, 0.5f * env.dx);
}

TEST_F(MenuCommands, SpecialStartItemsAreTheirStartCodes)
{
    // With no target in the region each start gives its own notice.
    struct Row {
        int item;
        const char* alert;
    } rows[] = {
        {1403, "I can't find any ships in the area!"},
        {1404, "I can't find any signifigant amount of water in this area!"},
        {1600, "I can't find any buildings with helipads in the area!"},
        {1601, "I can't find any ships in the area!"},
        {1602, "I can't find any ships in the area!"},
        {1603, "I can't find any ships in the area!"},
        {1604, "I can't find any forest fires in the area!"},
    };
    for (const Row& r : rows) {
        clear_recorded_alerts();
        handle_menu(r.item);
        EXPECT_TRUE(alerted(r.alert)) << r.item;
    }
    // A frigate in the region: its approach comes in from due south of it, heading 355.
    frig_on_poly[60][60] = 1;
    clear_recorded_alerts();
    handle_menu(1603);
    EXPECT_TRUE(recorded_alerts().empty());
    EXPECT_NEAR(flt.psi[0], 355.0f, 1e-3f);
    EXPECT_NEAR(flt.v[0], 1.2f * msc.est_Vs, 1e-4f);
}

// ---- windows and maps -------------------------------------------------------------------------------

TEST_F(MenuCommands, ItemsOpenTheirWindowsAndMaps)
{
    struct Row {
        int item, window, map_type;   // map_type -1: left alone
    } rows[] = {
        {215, 6, -1},   {1200, 1, -1},  {1201, 2, -1},  {1300, 3, 402}, {1301, 3, 403}, {1302, 4, -1},
        {1303, 5, -1},  {300, 7, -1},   {301, 8, -1},   {303, 9, -1},   {304, 10, -1},  {306, 11, -1},
        {307, 12, -1},  {308, 13, -1},  {309, 14, -1},  {311, 15, -1},  {312, 16, -1},  {314, 17, -1},
        {315, 18, -1},  {316, 19, -1},  {318, 20, -1},  {319, 21, -1},  {402, 3, 402},  {403, 3, 403},
        {404, 3, 404},  {405, 23, -1},  {406, 4, -1},
    };
    for (const Row& r : rows) {
        mnw.topwin = 0;
        msc.map_type = 77;
        handle_menu(r.item);
        EXPECT_EQ(mnw.topwin, r.window) << r.item;
        EXPECT_EQ(msc.map_type, r.map_type < 0 ? 77 : r.map_type) << r.item;
    }
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(MenuCommands, AnAirportMapItemShowsThatAirportUnderItsNameAndIdentifier)
{
    handle_menu(408);   // row 0: KTS, whose identifier is padded
    EXPECT_EQ(mnw.topwin, 24);
    EXPECT_EQ(msc.map_type, 998);
    EXPECT_EQ(msc.plt_apt_wrl, near_apt);
    EXPECT_STREQ(C_s, "Test Municipal (KTS)");
    mnw.topwin = 0;
    handle_menu(409);
    EXPECT_EQ(msc.plt_apt_wrl, far_apt);
    EXPECT_STREQ(C_s, "Far Field (KFAR)");
    // Rows past the region's airports open nothing.
    mnw.topwin = 0;
    handle_menu(410);
    EXPECT_EQ(mnw.topwin, 0);
    EXPECT_EQ(msc.plt_apt_wrl, far_apt);
}

TEST_F(MenuCommands, TheGraphOpensOnlyWhenSomeDataIsSelectedForIt)
{
    const int none[4] = {-1, -1, -1, -1};
    std::memcpy(set.grfsel, none, sizeof none);
    handle_menu(400);
    EXPECT_EQ(mnw.topwin, 0);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    const RecordedAlert& a = recorded_alerts()[0];
    EXPECT_EQ(a.l1, "You have not selected any data to view!");
    EXPECT_EQ(a.l2, "Close this window, go to the 'Settings' menu, and select 'Set Data Output'.");
    EXPECT_EQ(a.l3, "Then select whatever data you want to view... the middle column selects data for graphical viewing.");
    EXPECT_EQ(a.l4, "Then fly around for awhile and then view this data.");
    EXPECT_EQ(a.code, ALERT_NOTICE);
    set.grfsel[3] = 12;   // only the fourth slot
    handle_menu(400);
    EXPECT_EQ(mnw.topwin, 22);
}

// ---- views ---------------------------------------------------------------------------------------------

TEST_F(MenuCommands, ViewItemsSetTheViewAndWhetherItCoversThePanel)
{
    struct Row {
        int item, fullscreen;
    } rows[] = {
        {500, 0}, {501, 0}, {502, 0}, {504, 1}, {505, 1}, {506, 1}, {507, 1}, {508, 1}, {509, 1}, {511, 1},
        {513, 1}, {514, 1}, {516, 1}, {517, 1}, {518, 0}, {519, 1}, {521, 1}, {522, 1},
    };
    for (const Row& r : rows) {
        scn.zoom = 8.0f;
        set.view_is_fullscreen = 1 - r.fullscreen;
        handle_menu(r.item);
        EXPECT_EQ(set.view_type, r.item);
        EXPECT_EQ(set.view_is_fullscreen, r.fullscreen) << r.item;
        EXPECT_EQ(scn.zoom, 1.0f) << r.item;
    }
    // The separators between them are no views.
    for (int sep : {503, 510, 512, 515, 520, 523}) {
        handle_menu(sep);
        EXPECT_EQ(set.view_type, 522) << sep;
    }
}

TEST_F(MenuCommands, TheSpotViewStandsWhereTheAircraftWillBeInFourSecondsTwentyMetresOff)
{
    flt.X[0] = 1000.0;
    flt.Y[0] = 500.0;
    flt.Z[0] = -3000.0;
    flt.vX = 10.0;
    flt.vY = -2.0;
    flt.vZ = 30.0;
    handle_menu(519);
    EXPECT_FLOAT_EQ(msc.spotview_X, 1000.0f + 40.0f + 20.0f);
    EXPECT_FLOAT_EQ(msc.spotview_Y, 500.0f - 8.0f + 20.0f);
    EXPECT_FLOAT_EQ(msc.spotview_Z, -3000.0f + 120.0f + 20.0f);
}

TEST_F(MenuCommands, ZoomMovesTheOutsideCamerasButNeverCloserThanTwiceTheAircraftsReach)
{
    ASSERT_GT(scn.planerad, 0.0f);
    for (int view : {516, 517, 518}) {
        handle_menu(view);
        const float r = scn.planerad;
        scn.dist = 3.0f * r;
        handle_menu(524);
        EXPECT_NEAR(scn.dist, 2.85f * r, 1e-5f * r);
        for (int k = 0; k < 100; k++) handle_menu(524);
        EXPECT_EQ(scn.dist, 2.0f * r) << view;
        handle_menu(525);
        EXPECT_NEAR(scn.dist, 2.1f * r, 1e-5f * r);
        EXPECT_EQ(scn.zoom, 1.0f);   // the lens is left alone
    }
    // The other views change the lens: doubling up to 100, halving down to 1.
    handle_menu(500);
    const float in[] = {2, 4, 8, 16, 32, 64, 100, 100};
    for (float z : in) {
        handle_menu(524);
        EXPECT_EQ(scn.zoom, z);
    }
    const float out[] = {50, 25, 12.5f, 6.25f, 3.125f, 1.5625f, 1, 1};
    for (float z : out) {
        handle_menu(525);
        EXPECT_EQ(scn.zoom, z);
    }
}

TEST_F(MenuCommands, TheFlightPathIsShownByToggleAndResetWhole)
{
    EXPECT_EQ(grf.show_path, 0);
    handle_menu(526);
    EXPECT_EQ(grf.show_path, 1);
    handle_menu(526);
    EXPECT_EQ(grf.show_path, 0);
    for (int k = 0; k < PATH_POINTS; k += 7) {
        pat.inited[k] = 1;
        pat.xyztppt[k][0] = 5.0f;
        pat.xyztppt[k][6] = 100.0f + (float)k;
    }
    pat.cntr_record = 321;
    handle_menu(527);
    for (int k = 0; k < PATH_POINTS; k++) {
        ASSERT_EQ(pat.inited[k], 0) << k;
        for (int c = 0; c < 7; c++) ASSERT_EQ(pat.xyztppt[k][c], 0.0f) << k;
    }
    EXPECT_EQ(pat.cntr_record, 321);   // recording goes on where it was
}

// ---- the replay -------------------------------------------------------------------------------------

TEST_F(MenuCommands, EnteringTheReplaySavesTheFlightAndLeavingItPutsItBack)
{
    msc.elap_time = 1234.5f;
    const double x = flt.X[0], y = flt.Y[0], z = flt.Z[0], vx = flt.vX, vy = flt.vY, vz = flt.vZ;
    const float the = flt.the[0] = 3.0f, psi = flt.psi[0], phi = flt.phi[0] = -7.0f;
    handle_menu(529);
    EXPECT_EQ(set.replay_mode, 4);
    EXPECT_EQ(pat.time_play, 1234.5f);
    // The replay moves the aircraft; entering again keeps the first saved state.
    flt.X[0] += 500.0;
    flt.Y[0] += 50.0;
    flt.psi[0] = 10.0f;
    flt.vX = 0.0;
    set.replay_mode = 6;
    handle_menu(529);
    EXPECT_EQ(set.replay_mode, 6);
    handle_menu(530);
    EXPECT_EQ(set.replay_mode, 0);
    EXPECT_EQ(flt.X[0], x);
    EXPECT_EQ(flt.Y[0], y);
    EXPECT_EQ(flt.Z[0], z);
    EXPECT_EQ(flt.vX, vx);
    EXPECT_EQ(flt.vY, vy);
    EXPECT_EQ(flt.vZ, vz);
    EXPECT_EQ(flt.the[0], the);
    EXPECT_EQ(flt.psi[0], psi);
    EXPECT_EQ(flt.phi[0], phi);
    // Leaving when no replay runs does nothing.
    flt.X[0] += 99.0;
    handle_menu(530);
    EXPECT_EQ(flt.X[0], x + 99.0);
    EXPECT_EQ(set.replay_mode, 0);
}

TEST_F(MenuCommands, WhileReplayingOnlyViewsMapsTheGraphZoomPathAndSpecialMenuWork)
{
    handle_menu(529);
    const double x = flt.X[0];
    const float psi = flt.psi[0];
    // Commands that move the aircraft, load files or open settings windows wait.
    for (int item : {0, 216, 2000, 12001, 22000, 1000, 1100, 1403, 1500, 1604, 215, 1200, 1300, 300, 319}) {
        clear_recorded_alerts();
        mnw.topwin = 0;
        msc.map_type = 0;
        handle_menu(item);
        EXPECT_EQ(flt.X[0], x) << item;
        EXPECT_EQ(flt.psi[0], psi) << item;
        EXPECT_EQ(mnw.topwin, 0) << item;
        EXPECT_EQ(msc.map_type, 0) << item;
        EXPECT_TRUE(recorded_alerts().empty()) << item;
    }
    // The rest goes on.
    handle_menu(516);
    EXPECT_EQ(set.view_type, 516);
    handle_menu(402);
    EXPECT_EQ(mnw.topwin, 3);
    mnw.topwin = 0;
    handle_menu(408);
    EXPECT_EQ(mnw.topwin, 24);
    mnw.topwin = 0;
    handle_menu(526);
    EXPECT_EQ(grf.show_path, 1);
    handle_menu(610);
    EXPECT_EQ(msc.logtime, 1);
    handle_menu(600);
    EXPECT_EQ(set.cycout, 1);
    handle_menu(605);
    EXPECT_TRUE(alerted("Point and click to operate controls."));
    EXPECT_EQ(set.replay_mode, 4);
    // Quit always works.
    handle_menu(105);
    EXPECT_EQ(gdone, 1);
}

// ---- the Special menu and Quit ------------------------------------------------------------------------

TEST_F(MenuCommands, TheCycleDumpIsArmedForTheNextCycleWithItsNotice)
{
    set.cycout = 0;
    handle_menu(600);
    EXPECT_EQ(set.cycout, 1);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    const RecordedAlert& a = recorded_alerts()[0];
    EXPECT_EQ(a.l1, "I will dump all the data for the next cycle of Kestrova to the file 'Kestrova.out'.");
    EXPECT_EQ(a.l2, "This will include all the angles of attack, forces, velocities, etc. for this instant in time.");
    EXPECT_EQ(a.l3, "Quit Kestrova and open the file Kestrova.out' with a word processor to read the resultant file.");
    EXPECT_EQ(a.l4, "Be sure to turn off text-wrapping in your word processor or allow very wide text area for the file to look right.");
    EXPECT_EQ(a.code, ALERT_NOTICE);
}

TEST_F(MenuCommands, ResetPreferencesLeavesAFileTheNextStartRefusesAndEndsTheProgram)
{
    dir.write("Kestrova 4.prf", "I\n51 version\nsomething\n");
    try {
        handle_menu(602);
        ADD_FAILURE() << "the program went on";
    } catch (const FatalAlert& f) {
        EXPECT_EQ(f.alert.l1, "I have disabled the preferences file.");
        EXPECT_EQ(f.alert.l2, "The next time you start Kestrova or, it will revert to the factory settings.");
        EXPECT_EQ(f.alert.l3, "This should allow normal operation if the preferences file has become corrupted somehow.");
        EXPECT_EQ(f.alert.l4, "I will now terminate the program. Run Kestrova again to start in the standard condition.");
        EXPECT_EQ(f.alert.code, ALERT_FATAL);
    }
    EXPECT_EQ(read_file(prf_path), "I\n-1 version\nz\n\n");
    // The next start reads nothing from it, and says nothing about it.
    clear_recorded_alerts();
    EXPECT_EQ(grab_prefs(prf_path, FILE_KIND_PREFS, 1), 0);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(MenuCommands, TheInstructionItemsShowTheirNotices)
{
    struct Row {
        int item;
        const char* l1;
        const char* l4;
    } rows[] = {
        {604, "The joystick or yoke will the operate ailerons and elevator. Rudder pedals will operate the rudder. (Rudder will stay centered if you don't have pedals).",
         "Go to the 'Settings' menu and select 'Set Flight Mode...' to assign rudder availability."},
        {605, "Point and click to operate controls.",
         "Just click the mouse wherever you want the throttle, flaps, etc to be to move them."},
        {606, "You never have to use the keyboard.",
         "You can also hit all the keys listed in the view menu to select views."},
        {607, "Just hit the ENTER or RETURN key to bring up the air traffic control menu.", ""},
        {608, "For tech support, call your Kestrova distributor.", nullptr},
    };
    for (const Row& r : rows) {
        clear_recorded_alerts();
        handle_menu(r.item);
        ASSERT_EQ(recorded_alerts().size(), 1u) << r.item;
        const RecordedAlert& a = recorded_alerts()[0];
        EXPECT_EQ(a.l1, r.l1);
        if (r.l4) {
            EXPECT_EQ(a.l4, r.l4);
        }
        EXPECT_EQ(a.code, ALERT_NOTICE);
    }
    clear_recorded_alerts();
    handle_menu(604);
    EXPECT_EQ(recorded_alerts()[0].l2,
              "If you have a Thrust-Master throttle or a throttle wheel on your joystick, it will operate the aircraft throttle.");
    EXPECT_EQ(recorded_alerts()[0].l3,
              "If you have no joystick or yoke, the mouse will work instead... just click in the center of the windshield to actviate mouse control.");
    clear_recorded_alerts();
    handle_menu(607);
    EXPECT_EQ(recorded_alerts()[0].l2,
              "Then point and click with the mouse to make your selection. (Selection in pulsing yellow recommended).");
    EXPECT_EQ(recorded_alerts()[0].l3, "Go to the 'Set Sound' option in the 'Settings' menu to select ATC audio output.");
    clear_recorded_alerts();
    handle_menu(0);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].code, ALERT_ABOUT);
}

TEST_F(MenuCommands, QuitWritesThePreferencesOnceARegionIsLoadedAndEndsTheLoop)
{
    handle_menu(610);
    EXPECT_EQ(msc.logtime, 1);
    handle_menu(610);
    EXPECT_EQ(msc.logtime, 0);
    // No region yet: the file on disk stays as it is.
    dir.write("Kestrova 4.prf", "I\n51 version\nkeep\n");
    apt_lcl_max = -1;
    handle_menu(105);
    EXPECT_EQ(gdone, 1);
    EXPECT_EQ(read_file(prf_path), "I\n51 version\nkeep\n");
    // With a region: the settings are written, then the logbook is shown.
    gdone = 0;
    apt_lcl_max = 1;
    msc.locl_time = 4321.0f;
    msc.logtime = 1;
    msc.elap_time = 2 * 3600 + 5 * 60;
    handle_menu(105);
    EXPECT_EQ(gdone, 1);
    const std::string text = read_file(prf_path);
    ASSERT_EQ(text.rfind("I\n51 version\n", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + PREFS_LINES);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].l1, "Logbook results:");
    EXPECT_EQ(recorded_alerts()[0].l2, "Total time logged: 2:5.");
}

// ---- ticks ---------------------------------------------------------------------------------------------

TEST_F(MenuCommands, TicksMarkTheViewThePathTheReplayAndTheLogbook)
{
    set.view_type = 516;
    grf.show_path = 0;
    set.replay_mode = 0;
    msc.logtime = 0;
    for (int item = 0; item < 700; item++) {
        const int want = item == 516 || item == 530;
        EXPECT_EQ(menu_checked(item), want) << item;
    }
    grf.show_path = 1;
    set.replay_mode = 6;
    msc.logtime = 1;
    set.view_type = 500;
    for (int item = 0; item < 700; item++) {
        const int want = item == 500 || item == 526 || item == 529 || item == 610;
        EXPECT_EQ(menu_checked(item), want) << item;
    }
    // Views past the menu's view items (the keyboard never sets them) tick nothing.
    set.view_type = 526;
    EXPECT_EQ(menu_checked(526), 1);   // the path, not the view
    grf.show_path = 0;
    EXPECT_EQ(menu_checked(526), 0);
}

}  // namespace
