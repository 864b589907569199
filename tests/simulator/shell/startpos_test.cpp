// startpos_test.cpp -- every start code of set_fltvars on a flat region with a small airport
// database: where each start puts the aircraft (runway ends, finals, custom and navaid starts,
// surface runways, tow and mothership with their system aircraft, helipads, ships, formation,
// water, fire), that searches measure from where the aircraft was, that a start with no target
// changes nothing, and what the reset clears and keeps.
#include "fltframe.h"
#include "fltutil.h"
#include "flight_world.h"
#include "hl_funct.h"

#include <kvtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr float DEG = 3.14159265f / 180.0f;
constexpr float GROUND = 250.0f;   // m, the flat region's height
constexpr float NM = 1852.0f;

// Adds an airport with its runways (heading, length m, lights code, number) at one point.
struct RunwayRow {
    int hdng, len, lite, num;
    float lat, lon;
};
int add_airport(const char* id, float h, std::initializer_list<RunwayRow> runways)
{
    int a = ++apt_wrl_max;
    std::snprintf(apt_id[a], sizeof apt_id[a], "%s", id);
    apt_h[a] = h;
    apt_lo_ind[a] = rwy_wrl_max + 1;
    apt_hi_ind[a] = rwy_wrl_max;
    for (const RunwayRow& r : runways) {
        int k = ++rwy_wrl_max;
        rwy_hdng[k] = r.hdng;
        rwy_len[k] = r.len;
        rwy_lite[k] = r.lite;
        rwy_num[k] = r.num;
        rwy_lat[k] = r.lat;
        rwy_lon[k] = r.lon;
        apt_hi_ind[a] = k;
    }
    return a;
}

class Starts : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(flight_world(FH_TRAINER, GROUND), 1);
        apt_wrl_max = rwy_wrl_max = -1;
        // A 1000 m runway in the middle of the region, its elevation the region's.
        add_airport("KTST", GROUND, {{90, 1000, 1000000, 9, 34.0f, -116.5f}});
        msc.loc_apt_wrl = 0;
        msc.loc_rwy_wrl = 0;
        msc.backwards = 0;
        start_in_air(500.0f, 50.0f, 0.0f);
        clear_recorded_alerts();
    }
    // The runway's centre in the region.
    static float cx(int r = 0) { return (float)X_with_latlon(rwy_lat[r], rwy_lon[r]); }
    static float cz(int r = 0) { return (float)Z_with_lat(rwy_lat[r]); }
    // The aircraft's offset from a point along its heading and to its right (m).
    static float ahead_of(float x, float z) { return ((float)flt.X[0] - x) * std::sin(flt.psi[0] * DEG) - ((float)flt.Z[0] - z) * std::cos(flt.psi[0] * DEG); }
    static float right_of(float x, float z) { return ((float)flt.X[0] - x) * std::cos(flt.psi[0] * DEG) + ((float)flt.Z[0] - z) * std::sin(flt.psi[0] * DEG); }
    static bool alerted(const char* first_line)
    {
        for (const RecordedAlert& a : recorded_alerts())
            if (a.l1 == first_line && a.code == 2002) return true;
        return false;
    }
    // A state every start must clear, for checking that a failed start left it alone.
    static void dirty_state(void)
    {
        flt.elv_trim = 0.6f;
        flt.m_fuel = 12.5f;
        rel.vacuum = 0;
        ott.HDSLCT = 1;
    }
    static bool state_still_dirty(void)
    {
        return flt.elv_trim == 0.6f && flt.m_fuel == 12.5f && rel.vacuum == 0 && ott.HDSLCT == 1;
    }
};

// ---- runway starts ----------------------------------------------------------------------------------

TEST_F(Starts, TakeoffStandsTenMetresInsideTheNearEndFacingDownTheRunway)
{
    for (int hdng : {0, 45, 90, 137, 270, 359}) {
        for (int back : {0, 1}) {
            rwy_hdng[0] = hdng;
            msc.backwards = back;
            set_fltvars(START_RUNWAY, START_TAKEOFF);
            float want = fltwrap((float)hdng + (back ? 180.0f : 0.0f), 0.0f, 360.0f);
            EXPECT_NEAR(flt.psi[0], want, 1e-3f) << hdng << " " << back;
            // 490 m from the centre of the 1000 m runway, looking at it.
            EXPECT_NEAR(pythag((float)flt.X[0] - cx(), (float)flt.Z[0] - cz()), 490.0f, 0.05f) << hdng;
            EXPECT_NEAR(ahead_of(cx(), cz()), -490.0f, 0.05f) << hdng << " " << back;
            EXPECT_NEAR((float)flt.Y[0], GROUND + pln[0].h_eqlbm, 1e-3f);
            EXPECT_EQ(flt.v[0], 0.0f);
            EXPECT_EQ(flt.the[0], pln[0].the_eqlbm);   // resting on its gear
            EXPECT_EQ(flt.phi[0], 0.0f);
            EXPECT_NEAR(msc.runwayview_Y, GROUND + 2.0f, 1e-3f);
            EXPECT_EQ(set.parkbrake, 1.0f);
        }
    }
}

TEST_F(Starts, FinalsStartOnAThreeDegreePathAtTheirDistances)
{
    struct Row {
        int kind;
        float out, up;   // m behind the take-off point, m above the airport
    } rows[] = {{START_VISUAL_FINAL, 2778.0f, 145.39f}, {START_ILS_FINAL, 16668.0f, 872.34f}};
    for (const Row& r : rows) {
        for (int back : {0, 1}) {
            msc.backwards = back;
            set_fltvars(START_RUNWAY, r.kind);
            EXPECT_NEAR(flt.psi[0], back ? 270.0f : 90.0f, 1e-3f);
            EXPECT_NEAR(ahead_of(cx(), cz()), -(490.0f + r.out), 0.5f) << r.kind;
            EXPECT_NEAR(right_of(cx(), cz()), 0.0f, 0.5f);
            EXPECT_NEAR((float)flt.Y[0], GROUND + r.up, 0.1f) << r.kind;
            EXPECT_NEAR(flt.v[0], 1.2f * msc.est_Vs, 1e-4f);
            EXPECT_EQ(flt.the[0], 0.0f);
            EXPECT_EQ(set.parkbrake, 1.0f);   // fixed gear is always down
        }
    }
}

TEST_F(Starts, TakeoffOfAnAircraftOfGearTypeOneBecomesAVisualFinal)
{
    pln[0].gear_type = 1;
    set_fltvars(START_RUNWAY, START_TAKEOFF);
    EXPECT_NEAR(ahead_of(cx(), cz()), -(490.0f + 2778.0f), 0.5f);
    EXPECT_NEAR((float)flt.Y[0], GROUND + 145.39f, 0.1f);
}

TEST_F(Starts, StartRunwayThatIsNotTheAirportsLeavesThePlace)
{
    float x = (float)flt.X[0], z = (float)flt.Z[0];
    msc.loc_rwy_wrl = 5;   // no such runway
    set_fltvars(START_RUNWAY, START_TAKEOFF);
    EXPECT_EQ((float)flt.X[0], x);
    EXPECT_EQ((float)flt.Z[0], z);
    EXPECT_TRUE(fh_state_finite());
}

// ---- custom starts ----------------------------------------------------------------------------------

TEST_F(Starts, CustomAndNavaidStartsTakeTheirPositionAboveTheirFloors)
{
    struct Row {
        int code;
        float y, v;         // requested height above the ground, speed
        float want_y, want_v;
    } rows[] = {
        {START_CUSTOM, 300.0f, 40.0f, 300.0f, 40.0f},
        {START_CUSTOM, -50.0f, 0.0f, -1.0f, 0.0f},        // -1: the resting height
        {START_NAVAID, 300.0f, 10.0f, 1000.0f, -1.0f},    // -1: the stall speed
        {START_NAVAID, 1500.0f, 80.0f, 1500.0f, 80.0f},
    };
    for (const Row& r : rows) {
        set.cus_X = 12345.0f;
        set.cus_Z = 54321.0f;
        set.cus_Y = GROUND + r.y;
        set.cus_psi = 123.0f;
        set.cus_v = r.v;
        set_fltvars(r.code, 0);
        EXPECT_EQ((float)flt.X[0], 12345.0f);
        EXPECT_EQ((float)flt.Z[0], 54321.0f);
        EXPECT_EQ(flt.psi[0], 123.0f);
        float want_y = r.want_y < 0.0f ? pln[0].h_eqlbm : r.want_y;
        EXPECT_NEAR((float)flt.Y[0], GROUND + want_y, 1e-2f) << r.code << " " << r.y;
        EXPECT_NEAR(flt.v[0], r.want_v < 0.0f ? msc.est_Vs : r.want_v, 1e-4f);
        // Moving along the heading, level.
        EXPECT_NEAR((float)flt.vX, flt.v[0] * std::sin(123.0f * DEG), 1e-3f);
        EXPECT_NEAR((float)flt.vZ, -flt.v[0] * std::cos(123.0f * DEG), 1e-3f);
        EXPECT_EQ(flt.the[0], 0.0f);
    }
}

// ---- surface runways ----------------------------------------------------------------------------------

TEST_F(Starts, SurfaceTakeoffPicksTheNearestRunwayOfThatSurface)
{
    // Airports around the aircraft at 34.0 N 116.5 W. Surfaces are the lights code's millions.
    flt.lat = 34.0f;
    flt.lon = -116.5f;
    const float H = 5000.0f;   // above any ground the region may hold
    add_airport("ASPH", H, {{10, 900, 1000000, 1, 34.01f, -116.5f}});               // 1: asphalt, nearest
    add_airport("GRSF", H, {{20, 800, 3000000, 2, 34.30f, -116.5f}});               // 2: grass, far
    add_airport("GR99", H, {{30, 700, 3000000, 99, 34.02f, -116.5f},                // 3: an unmarked strip
                             {40, 600, 3000000, 4, 34.20f, -116.5f}});              // 4: grass, middle
    int none = add_airport("NONE", H, {});                                           // owns no runway
    apt_lo_ind[none] = rwy_wrl_max + 1;                                              // points at the next one's
    add_airport("GRSN", H, {{50, 650, 3000000, 5, 34.10f, -116.5f}});               // 5: grass, nearest
    add_airport("DIRT", H, {{60, 750, 4000000, 6, 34.40f, -116.5f}});               // 6: dirt
    add_airport("GRAV", H, {{70, 850, 5000000, 7, 33.80f, -116.6f}});               // 7: gravel
    struct Row {
        int code, apt, rwy;
    } rows[] = {{START_GRASS, 5, 5}, {START_DIRT, 6, 6}, {START_GRAVEL, 7, 7}};
    for (const Row& r : rows) {
        flt.lat = 34.0f;
        flt.lon = -116.5f;
        set_fltvars(r.code, 0);
        EXPECT_EQ(msc.loc_apt_wrl, r.apt) << r.code;
        EXPECT_EQ(msc.loc_rwy_wrl, r.rwy) << r.code;
        EXPECT_EQ(env.lat_sou, round(rwy_lat[r.rwy] - 1.0f));
        EXPECT_EQ(env.lon_wes, round(rwy_lon[r.rwy] - 1.5f));
        // A take-off from it, in the region loaded around it.
        EXPECT_NEAR(flt.psi[0], (float)rwy_hdng[r.rwy], 1e-3f);
        EXPECT_NEAR(ahead_of(cx(r.rwy), cz(r.rwy)), -((float)rwy_len[r.rwy] - 20.0f) * 0.5f, 0.05f);
        EXPECT_NEAR((float)flt.Y[0], H + pln[0].h_eqlbm, 1e-2f);
    }
    // No runway of the surface anywhere: the last start runway again.
    set_fltvars(START_GRASS, 0);
    rwy_lite[7] = 1000000;
    set_fltvars(START_GRAVEL, 0);
    EXPECT_EQ(msc.loc_rwy_wrl, 5);
    EXPECT_NEAR(flt.psi[0], 50.0f, 1e-3f);
    EXPECT_TRUE(fh_state_finite());
}

// ---- tow and carriage ---------------------------------------------------------------------------------

TEST_F(Starts, TowPutsTheTowPlaneTwentyMetresAheadOnTheSameRunway)
{
    for (int back : {0, 1}) {
        msc.backwards = back;
        set_fltvars(START_TOW, 0);
        ASSERT_EQ(set.tow_waiting, 1);
        std::string path = pln[1].C_path;
        EXPECT_NE(path.find(TOW_PLANE_PATH), std::string::npos) << path;
        EXPECT_GT(pln[1].numen, 0);
        EXPECT_NEAR(flt.psi[1], flt.psi[0], 1e-3f);
        float dx = (float)(flt.X[1] - flt.X[0]), dz = (float)(flt.Z[1] - flt.Z[0]);
        EXPECT_NEAR(dx * std::sin(flt.psi[0] * DEG) - dz * std::cos(flt.psi[0] * DEG), 20.0f, 0.05f) << back;
        EXPECT_NEAR(pythag(dx, dz), 20.0f, 0.05f);
        EXPECT_NEAR((float)flt.Y[1], GROUND + pln[1].h_eqlbm, 1e-3f);
        EXPECT_EQ(flt.the[1], pln[1].the_eqlbm);
        EXPECT_EQ(flt.v[1], 0.0f);
        for (int g = 0; g < 3; g++) EXPECT_EQ(pln[1].gear_stat[g], 1);
        // The glider on the runway as for a take-off.
        EXPECT_NEAR(ahead_of(cx(), cz()), -490.0f, 0.05f);
    }
    // A powered aircraft is warned and towed all the same.
    EXPECT_TRUE(alerted("You should be flying a glider for this."));
}

TEST_F(Starts, TowOfAGliderRaisesNoWarning)
{
    ASSERT_EQ(flight_world(FH_GLIDER, GROUND), 1);
    apt_wrl_max = rwy_wrl_max = -1;
    add_airport("KTST", GROUND, {{90, 1000, 1000000, 9, 34.0f, -116.5f}});
    msc.loc_apt_wrl = msc.loc_rwy_wrl = 0;
    set_fltvars(START_TOW, 0);
    EXPECT_EQ(set.tow_waiting, 1);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(Starts, CarriageLoadsTheMothershipAndKeepsThePlace)
{
    double x = flt.X[0], y = flt.Y[0], z = flt.Z[0];
    float psi = flt.psi[0];
    set_fltvars(START_CARRIAGE, 0);
    EXPECT_EQ(set.incarriage, 1);
    EXPECT_EQ(set.tow_waiting, 0);
    std::string path = pln[1].C_path;
    EXPECT_NE(path.find(MOTHERSHIP_PATH), std::string::npos) << path;
    EXPECT_EQ(pln[1].numen, 4);   // the mothership's eight engines in four pods
    for (int g = 0; g < 3; g++) EXPECT_EQ(pln[1].gear_stat[g], 0);
    EXPECT_EQ(flt.X[0], x);
    EXPECT_EQ(flt.Y[0], y);
    EXPECT_EQ(flt.Z[0], z);
    EXPECT_EQ(flt.psi[0], psi);
    EXPECT_TRUE(alerted("You should be flying a glider for this."));
}

TEST_F(Starts, MissingSystemPlaneIsReportedAndChangesNothingElse)
{
    TempDir tmp;
    std::snprintf(app_path, sizeof app_path, "%s/", tmp.str().c_str());
    for (int code : {START_TOW, START_CARRIAGE}) {
        clear_recorded_alerts();
        dirty_state();
        set.tow_waiting = set.incarriage = 1;
        double x = flt.X[0];
        set_fltvars(code, 0);
        ASSERT_EQ(recorded_alerts().size(), 1u);
        const RecordedAlert& a = recorded_alerts()[0];
        EXPECT_EQ(a.code, 2002);
        EXPECT_EQ(a.l1, "I can't find one of the planes in the 'System Planes (don't move)' folder");
        EXPECT_EQ(a.l3, tmp.str() + "/" + (code == START_TOW ? TOW_PLANE_PATH : MOTHERSHIP_PATH));
        EXPECT_TRUE(state_still_dirty());
        EXPECT_EQ(flt.X[0], x);
        EXPECT_EQ(set.tow_waiting, 0);
        EXPECT_EQ(set.incarriage, 0);
    }
}

// ---- searches from where the aircraft was --------------------------------------------------------------

// Puts object o as a building of type t whose first point is (x, z) and whose roof is at roof.
void building(int o, int t, float x, float z, float roof)
{
    obj_type[o] = t;
    obj_xyz[o][0][0][0] = x;
    obj_xyz[o][0][0][2] = z;
    obj_xyz[o][3][0][1] = roof;   // the thirteenth point
}

TEST_F(Starts, HelipadApproachGoesToTheBuildingNearestTheAircraft)
{
    float x0 = (float)flt.X[0], z0 = (float)flt.Z[0];
    building(600, 12, x0, z0 - 300.0f, 100.0f);            // not a helipad
    building(700, 94, x0, z0 - 1000.0f, 180.0f);           // nearest helipad
    building(800, 96, x0, z0 + 1500.0f, 90.0f);            // nearer to where the first would put the aircraft
    building(900, 95, x0 + 9000.0f, z0, 60.0f);
    set_fltvars(START_HELIPAD, 0);
    EXPECT_NEAR((float)flt.X[0], x0, 1e-2f);
    EXPECT_NEAR((float)flt.Z[0], z0 - 1000.0f + NM, 1e-2f);   // a mile south of it, heading north
    EXPECT_NEAR((float)flt.Y[0], 180.0f + 0.05f * NM, 1e-2f);
    EXPECT_EQ(flt.psi[0], 0.0f);
    EXPECT_NEAR(flt.v[0], 1.2f * msc.est_Vs, 1e-4f);
}

TEST_F(Starts, SpecialStartsWithoutATargetNotifyAndLeaveTheFlightAlone)
{
    struct Row {
        int code;
        const char* alert;
    } rows[] = {
        {START_HELIPAD, "I can't find any buildings with helipads in the area!"},
        {START_OILRIG_APP, "I can't find any ships in the area!"},
        {START_FRIGATE_APP, "I can't find any ships in the area!"},
        {START_CARRIER_APP, "I can't find any ships in the area!"},
        {START_CATAPULT, "I can't find any ships in the area!"},
        {START_FIRE_APP, "I can't find any forest fires in the area!"},
        {START_WATER, "I can't find any signifigant amount of water in this area!"},
    };
    carr_on_poly[10][10] = 1;   // a carrier, but not the frigate or oil rig asked for
    for (const Row& r : rows) {
        if (r.code == START_CARRIER_APP || r.code == START_CATAPULT) carr_on_poly[10][10] = 0;
        clear_recorded_alerts();
        dirty_state();
        double x = flt.X[0], y = flt.Y[0];
        set.cat_waiting = set.wired = 1;
        set_fltvars(r.code, 0);
        ASSERT_EQ(recorded_alerts().size(), 1u) << r.code;
        EXPECT_EQ(recorded_alerts()[0].l1, r.alert);
        EXPECT_EQ(recorded_alerts()[0].code, 2002);
        EXPECT_TRUE(state_still_dirty()) << r.code;
        EXPECT_EQ(flt.X[0], x);
        EXPECT_EQ(flt.Y[0], y);
        EXPECT_EQ(set.cat_waiting, r.code == START_HELIPAD ? 1 : 0);
    }
}

// The middle of cell (i, j) of the region grid.
void cell_middle(int i, int j, float* x, float* y, float* z)
{
    *x = 0.5f * (planexyz[i][j][0] + planexyz[i + 1][j + 1][0]);
    *y = 0.5f * (planexyz[i][j][1] + planexyz[i + 1][j + 1][1]);
    *z = 0.5f * (planexyz[i][j][2] + planexyz[i + 1][j + 1][2]);
}

TEST_F(Starts, ShipStartsGoToTheNearestShipOfTheirKind)
{
    // The aircraft over cell (89, 79); for each kind a ship 6 cells east of it and a farther one
    // beyond, which lies nearer to where the approach to the first one starts (south of it).
    struct Row {
        int code;
        int (*grid)[REGION_NJ];
        float deck;
        int heading;
    } rows[] = {
        {START_CARRIER_APP, carr_on_poly, 21.0f, 352},
        {START_OILRIG_APP, oilr_on_poly, 62.0f, 355},
        {START_FRIGATE_APP, frig_on_poly, 7.0f, 355},
    };
    set.cus_X = planexyz[89][79][0];
    set.cus_Z = planexyz[89][79][2];
    for (const Row& r : rows) {
        std::memset(r.grid, 0, sizeof(int) * REGION_NI * REGION_NJ);
        r.grid[95][79] = 1;   // near
        r.grid[96][77] = 1;   // farther, south-east of it
        start_in_air(500.0f, 50.0f, 0.0f);
        set_fltvars(r.code, 0);
        float x, y, z;
        cell_middle(95, 79, &x, &y, &z);
        float d = 90.0f * msc.est_Vs;
        EXPECT_NEAR((float)flt.X[0], x - d * std::sin(r.heading * DEG), 0.05f) << r.code;
        EXPECT_NEAR((float)flt.Z[0], z + d * std::cos(r.heading * DEG), 0.05f) << r.code;
        EXPECT_NEAR((float)flt.Y[0], y + r.deck + d * std::sin(3.5f * DEG), 0.05f);
        EXPECT_EQ(flt.psi[0], (float)r.heading);
        EXPECT_NEAR(flt.v[0], 1.2f * msc.est_Vs, 1e-4f);
        std::memset(r.grid, 0, sizeof(int) * REGION_NI * REGION_NJ);
    }
    // On the catapult of the nearest carrier.
    carr_on_poly[95][79] = 1;
    start_in_air(500.0f, 50.0f, 0.0f);
    set_fltvars(START_CATAPULT, 0);
    float x, y, z;
    cell_middle(95, 79, &x, &y, &z);
    EXPECT_NEAR((float)flt.X[0], x - 12.5f, 0.01f);
    EXPECT_NEAR((float)flt.Z[0], z - 55.0f, 0.01f);
    EXPECT_NEAR((float)flt.Y[0], y + pln[0].h_eqlbm + 21.0f, 0.01f);
    EXPECT_EQ(flt.psi[0], 2.0f);
    EXPECT_EQ(flt.v[0], 0.0f);
    EXPECT_EQ(set.cat_waiting, 1);
}

TEST_F(Starts, FormationJoinsTheNearestOtherAircraft)
{
    double x0 = flt.X[0], z0 = flt.Z[0];
    for (int i = 2; i < 12; i++) {   // far away
        flt.X[i] = x0 + 50000.0;
        flt.Z[i] = z0;
        flt.psi[i] = 0.0f;
    }
    // The nearest, 1000 m north; another 1500 m north, nearer to the place behind the first.
    flt.X[5] = x0;
    flt.Z[5] = z0 - 1000.0;
    flt.Y[5] = 2000.0;
    flt.psi[5] = 10.0f;
    flt.v[5] = 70.0f;
    flt.X[7] = x0;
    flt.Z[7] = z0 - 1500.0;
    flt.psi[7] = 200.0f;
    set_fltvars(START_FORMATION, 0);
    float r = 0.2f * NM;   // behind, on a line 10 degrees left of the leader's heading
    EXPECT_NEAR((float)flt.X[0], (float)x0, 0.01f);
    EXPECT_NEAR((float)flt.Z[0], (float)(z0 - 1000.0) + r, 0.01f);
    EXPECT_NEAR((float)flt.Y[0], 2000.0f, 0.01f);
    EXPECT_EQ(flt.psi[0], 10.0f);
    EXPECT_EQ(flt.v[0], 70.0f);
    // The others are where they were.
    EXPECT_EQ(flt.Z[7], z0 - 1500.0);
}

TEST_F(Starts, WaterStartTakesTheLastVertexInOpenWater)
{
    for (int i = 50; i <= 70; i++)
        for (int j = 60; j <= 80; j++) on_water[i][j] = 1;
    on_water[30][100] = 1;   // a pond: too small
    set_fltvars(START_WATER, 0);
    // The highest row whose 5 by 5 block is water, then its highest column: (68, 78).
    EXPECT_EQ((float)flt.X[0], planexyz[68][78][0]);
    EXPECT_EQ((float)flt.Z[0], planexyz[68][78][2]);
    EXPECT_NEAR(flt.v[0], 0.1f, 1e-6f);
    EXPECT_EQ(flt.psi[0], 0.0f);
}

TEST_F(Starts, FireApproachComesInUpwindOfTheBurningFire)
{
    float fx = planexyz[100][80][0], fz = planexyz[100][80][2];
    scn.firexyz[0][0] = fx;
    scn.firexyz[0][1] = GROUND;
    scn.firexyz[0][2] = fz;
    atm.wnddir1 = 30.0f;
    // Not burning: no target.
    set_fltvars(START_FIRE_APP, 0);
    ASSERT_TRUE(alerted("I can't find any forest fires in the area!"));
    for (int i = 0; i < 10; i++) scn.fire_on[i] = 1;
    set_fltvars(START_FIRE_APP, 0);
    float r = 3.0f * NM;
    EXPECT_NEAR(pythag((float)flt.X[0] - fx, (float)flt.Z[0] - fz), r, 0.5f);
    // On the bearing 150 from the fire, heading 300: across the wind.
    float bearing = std::atan2((float)flt.X[0] - fx, fz - (float)flt.Z[0]) / DEG;
    EXPECT_NEAR(bearing, 150.0f, 0.05f);
    EXPECT_NEAR(flt.psi[0], 300.0f, 1e-3f);
    EXPECT_NEAR((float)flt.Y[0], GROUND + r * std::sin(7.0f * DEG), 0.1f);
    EXPECT_NEAR(flt.v[0], 2.0f * msc.est_Vs, 1e-4f);
}

// ---- the reset ------------------------------------------------------------------------------------------

TEST_F(Starts, ResetClearsTheFlightButKeepsEveryAircraftsPlace)
{
    // A flight with failures, trims, ice, modes, a flight plan and a recorded path.
    flt.elv_trim = 0.7f;
    flt.flap = 0.5f;
    flt.frame_ice = 0.3f;
    flt.carb_ice[2] = 0.4f;
    flt.onground = 1;
    flt.X[6] = 777.0;
    flt.psi[6] = 45.0f;
    flt.v[6] = 88.0f;
    rel.vacuum = rel.fc_elv = rel.engine[0] = rel.lagear[1] = rel.otto = rel.revlok[3] = 0;
    rel.hyd_rat = 0.0f;
    ott.HDSLCT = ott.GS2 = ott.ASHOLD = 1;
    fpl.onfile = 1;
    atc.plan_index = 7;
    ins.hook_down = ins.jato_on = 1;
    set.view_type = 505;
    msc.cntr = 1234;
    msc.init_time = 99.0f;
    pat.cntr_record = 17;
    pat.inited[16] = pat.inited[17] = pat.inited[18] = 1;
    env.over_carr = 1;

    set.cus_X = 1000.0f;
    set.cus_Z = 2000.0f;
    set.cus_Y = GROUND + 800.0f;
    set.cus_psi = 270.0f;
    set.cus_v = 60.0f;
    set_fltvars(START_CUSTOM, 0);

    EXPECT_EQ(flt.elv_trim, 0.0f);
    EXPECT_EQ(flt.flap, 0.0f);
    EXPECT_EQ(flt.frame_ice, 0.0f);
    EXPECT_EQ(flt.carb_ice[2], 0.0f);
    EXPECT_EQ(flt.onground, 0);
    EXPECT_EQ(flt.X[6], 777.0);
    EXPECT_EQ(flt.psi[6], 45.0f);
    EXPECT_EQ(flt.v[6], 88.0f);
    EXPECT_EQ(rel.vacuum + rel.fc_elv + rel.engine[0] + rel.lagear[1] + rel.otto + rel.revlok[3], 6);
    EXPECT_EQ(rel.hyd_rat, 1.0f);
    EXPECT_EQ(ott.HDSLCT + ott.NAV[0] + ott.NAV[1] + ott.ALHOLD + ott.VVHOLD + ott.GS2 + ott.ASHOLD, 0);
    EXPECT_EQ(fpl.onfile, 0);
    EXPECT_EQ(atc.plan_index, 0);
    EXPECT_EQ(ins.hook_down + ins.jato_on, 0);
    EXPECT_EQ(ins.EFIS_wxr, 1);
    EXPECT_EQ(ins.ecam_mode, 3);
    EXPECT_EQ(set.view_type, 500);
    EXPECT_EQ(msc.cntr, 0);
    EXPECT_EQ(msc.init_time, 0.0f);
    EXPECT_EQ(env.over_carr, 0);
    // The path is broken at the slot being written, and only there.
    EXPECT_EQ(pat.inited[17], 0);
    EXPECT_EQ(pat.inited[16], 1);
    EXPECT_EQ(pat.inited[18], 1);
    // In the air faster than the stall: half throttle, the engine at its speed; fixed gear stays
    // down with the brake set.
    EXPECT_NEAR(flt.throrqst[0], 0.5f, 1e-6f);
    EXPECT_NEAR(flt.thro[0], 0.5f, 1e-6f);
    EXPECT_EQ(flt.mixt[0], 1.0f);
    EXPECT_EQ(flt.prop[0], pln[0].omegamax);
    EXPECT_EQ(set.gear_handle, 1);
    EXPECT_EQ(set.thro_pot, 0);
    // Half the fuel and half the spare load aboard: halfway between empty and the maximum.
    const planestruct& pl = pln[0];
    EXPECT_NEAR(flt.m_fuel, 0.5f * pl.m_fuel, 1e-3f);
    EXPECT_NEAR(pl.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison, 0.5f * (pl.m_max + pl.m_empty), 0.05f);
    EXPECT_GT(scn.planerad, 1.0f);
    EXPECT_EQ(scn.dist, 2.0f * scn.planerad);
    EXPECT_EQ(scn.zoom, 1.0f);
    // The position fits the latitude and longitude.
    EXPECT_NEAR(flt.lat, (float)lat_with_z(2000.0), 1e-4f);
    EXPECT_NEAR(flt.lon, (float)lon_with_xz(1000.0, 2000.0), 1e-4f);
}

TEST_F(Starts, RetractableGearIsUpInTheAirAndDownOnTheGround)
{
    pln[0].gear_retract = 1;
    start_in_air(500.0f, 60.0f, 0.0f);
    EXPECT_EQ(set.gear_handle, 0);
    EXPECT_EQ(pln[0].gear_stat[0], 0);
    EXPECT_EQ(set.parkbrake, 0.0f);
    set_fltvars(START_RUNWAY, START_TAKEOFF);
    EXPECT_EQ(set.gear_handle, 1);
    EXPECT_EQ(pln[0].gear_stat[2], 1);
    EXPECT_EQ(set.parkbrake, 1.0f);
    EXPECT_NEAR(flt.throrqst[0], 0.01f, 1e-6f);   // idle on the ground
}

TEST_F(Starts, ResetLinesTheFiresUpDownTheWind)
{
    scn.firexyz[0][0] = 30000.0f;
    scn.firexyz[0][2] = 40000.0f;
    atm.wnddir1 = 0.0f;   // from the north, no variation: the line runs east from fire 0
    env.mvar = 0.0f;
    start_in_air(500.0f, 50.0f, 0.0f);
    EXPECT_EQ(scn.firexyz[0][0], 30000.0f);
    EXPECT_EQ(scn.firexyz[0][2], 40000.0f);
    // a = 90 degrees: along x by A, across (z) by B within +-40 m.
    const float A[10] = {0, 0, 150, 200, 250, 300, 350, 400, 450, 0};
    for (int i = 2; i < 9; i++) {
        EXPECT_NEAR(scn.firexyz[i][0], 30000.0f + A[i], 1e-2f) << i;
        EXPECT_LE(std::fabs(scn.firexyz[i][2] - 40000.0f), 40.0f) << i;
    }
    EXPECT_NEAR(scn.firexyz[1][0], 30000.0f + 50.0f, 40.0f);
    EXPECT_EQ(scn.firexyz[9][0], 30000.0f);
    EXPECT_EQ(scn.firexyz[9][2], 40000.0f);
    for (int i = 0; i < 10; i++) EXPECT_NEAR(scn.firexyz[i][1], GROUND, 1e-3f);
}

TEST_F(Starts, EveryStartLeavesAStateThatFlies)
{
    // Targets for every special start.
    building(700, 94, (float)flt.X[0], (float)flt.Z[0] - 1000.0f, 100.0f);
    carr_on_poly[95][79] = oilr_on_poly[95][60] = frig_on_poly[95][70] = 1;
    for (int i = 50; i <= 70; i++)
        for (int j = 60; j <= 80; j++) on_water[i][j] = 1;
    scn.fire_on[0] = 1;
    scn.firexyz[0][0] = planexyz[100][80][0];
    scn.firexyz[0][2] = planexyz[100][80][2];
    set.cus_X = env.dx * 0.4f;
    set.cus_Z = env.dz * 0.4f;
    set.cus_Y = GROUND + 700.0f;
    set.cus_v = 50.0f;
    const int codes[][2] = {{208, 7}, {208, 8}, {208, 9}, {102, 0}, {209, 0}, {1403, 0}, {1404, 0},
                            {1500, 0}, {1501, 0}, {1502, 0}, {1600, 0}, {1601, 0}, {1602, 0}, {1603, 0}, {1604, 0}};
    for (const auto& c : codes) {
        for (int i = 2; i < 12; i++) {
            flt.X[i] = 1000.0 * i;
            flt.Y[i] = 1500.0;
            flt.Z[i] = 2000.0;
            flt.v[i] = 60.0f;
        }
        clear_recorded_alerts();
        set_fltvars(c[0], c[1]);
        for (const RecordedAlert& a : recorded_alerts()) EXPECT_EQ(a.l1, "You should be flying a glider for this.") << c[0];
        ASSERT_TRUE(fh_state_finite()) << c[0];
        fh_run(1.0f);
        EXPECT_TRUE(fh_state_finite()) << c[0] << " " << c[1];
        EXPECT_TRUE(controls_finite()) << c[0];
    }
}

// A machine so loaded that a frame takes 0.2 s: the frame driver stretches its period to the longest
// it allows, and the trainer the visual final put in the air flies on hands off through the
// start's transient, wings near level, well clear of the ground, without a crash.
TEST_F(Starts, AVisualFinalFliesOnHandsOffAtFiveFramesASecond)
{
    set_fltvars(START_RUNWAY, START_VISUAL_FINAL);
    reset_flight_driver();
    const float h0 = fh_height();
    float lowest = h0, steepest_bank = 0.0f, flown = 0.0f;
    while (flown < 12.0f) {
        mnw.time_elapsed += 0.2f;
        update_flight();
        flown += msc.prd;
        lowest = std::fmin(lowest, fh_height());
        steepest_bank = std::fmax(steepest_bank, std::fabs(flt.phi[0]));
        ASSERT_TRUE(fh_state_finite());
    }
    EXPECT_FLOAT_EQ(msc.prd, PRD_LONGEST);
    EXPECT_EQ(flight_driver_stats().crashes, 0);
    EXPECT_LT(steepest_bank, 15.0f);
    EXPECT_GT(lowest, 0.4f * h0);
}

// ---- look-ups and window actions --------------------------------------------------------------------------

TEST_F(Starts, IdentifiersCompareFourBytesAndNavaidsTheirType)
{
    add_airport("KSBD", GROUND, {{60, 3000, 1000000, 6, 34.1f, -117.2f}});
    add_airport("L35", GROUND, {{70, 1000, 3000000, 7, 34.2f, -116.9f}});
    add_airport("KSB", GROUND, {{80, 1200, 1000000, 8, 34.3f, -116.8f}});
    nav_wrl_max = 3;
    nav_type[2] = 3;
    std::snprintf(nav_id[2], sizeof nav_id[2], "PDZ");
    nav_type[3] = 2;
    std::snprintf(nav_id[3], sizeof nav_id[3], "PDZ");
    struct Row {
        const char* id;
        int type, found, index;
    } rows[] = {{"KSBD", 1, 1, 1}, {"KSB", 1, 1, 3}, {"L35", 1, 1, 2}, {"KSBDX", 1, 1, 1}, {"KAAA", 1, 0, -7},
                {"", 1, 0, -7},    {"PDZ", 3, 1, 2}, {"PDZ", 2, 1, 3}, {"PDZ", 4, 0, -7}, {"KSBD", 3, 0, -7}};
    for (const Row& r : rows) {
        int index = -7;
        EXPECT_EQ(get_index_from_id(r.id, r.type, &index), r.found) << r.id << " " << r.type;
        EXPECT_EQ(index, r.index) << r.id << " " << r.type;
    }
}

TEST_F(Starts, AirportWindowStartsAtTheTypedAirportOrSaysItHasNone)
{
    add_airport("KSBD", 400.0f, {{60, 3000, 1000000, 6, 34.1f, -117.2f}});
    int bare = add_airport("BARE", 300.0f, {});
    apt_lo_ind[bare] = rwy_wrl_max + 1;
    add_airport("NEXT", 300.0f, {{10, 1000, 1000000, 1, 34.2f, -116.2f}});
    std::snprintf(msc.apt_id_req, sizeof msc.apt_id_req, "KSBD");
    mnw.topwin = 1;
    process_zap(1);
    EXPECT_EQ(msc.loc_apt_wrl, 1);
    EXPECT_EQ(msc.loc_rwy_wrl, 1);
    EXPECT_EQ(env.lat_sou, 33);
    EXPECT_EQ(env.lon_wes, -119);
    EXPECT_NEAR(flt.psi[0], 60.0f, 1e-3f);
    EXPECT_NEAR(ahead_of(cx(1), cz(1)), -1490.0f, 0.05f);
    EXPECT_TRUE(recorded_alerts().empty());
    // Unknown, and known but without a runway: the notice, the window closes, nothing moves.
    for (const char* id : {"KXXX", "BARE"}) {
        clear_recorded_alerts();
        std::snprintf(msc.apt_id_req, sizeof msc.apt_id_req, "%s", id);
        double x = flt.X[0];
        mnw.topwin = 1;
        process_zap(1);
        EXPECT_EQ(mnw.topwin, 0);
        EXPECT_TRUE(alerted("I could not find an airport with this ID anywhere in the country!")) << id;
        EXPECT_EQ(flt.X[0], x);
        EXPECT_EQ(msc.loc_apt_wrl, 1);
    }
}

TEST_F(Starts, LatitudeWindowFlysAnInstrumentFinalToTheAirportNearestTheRequestedPoint)
{
    // The point asked for: 34 N 116.5 W. A runway-less airport claims it with its first-runway
    // index, which belongs to the next airport.
    add_airport("FAR1", GROUND, {{180, 1500, 1000000, 18, 34.4f, -116.1f}});
    add_airport("BARE", 300.0f, {});   // its first-runway index is NEAR's runway
    add_airport("NEAR", GROUND, {{270, 1200, 1000000, 27, 34.05f, -116.45f}});
    rwy_lat[0] = 36.0f;   // the fixture's runway far outside
    env.lat_sou = 20;   // the region loaded before plays no part
    env.lon_wes = -90;
    msc.req_lat = 34.0f;
    msc.req_lon = -116.5f;
    process_zap(5);
    EXPECT_EQ(msc.loc_apt_wrl, 3);
    EXPECT_EQ(msc.loc_rwy_wrl, 2);
    EXPECT_EQ(env.lat_sou, 33);
    EXPECT_EQ(env.lon_wes, -117);   // truncated toward zero
    EXPECT_NEAR(flt.psi[0], 270.0f, 1e-3f);
    EXPECT_NEAR(ahead_of(cx(2), cz(2)), -(590.0f + 9.0f * NM), 1.0f);
}

TEST_F(Starts, WindowActionsRepairRecheckAndRedraw)
{
    // 12: thermals in the share of cells asked for.
    atm.trml_prt = 1.0f;
    process_zap(12);
    EXPECT_EQ(atm.therm_on_poly[0][0] + atm.therm_on_poly[177][158], 2);
    atm.trml_prt = 0.0f;
    process_zap(12);
    EXPECT_EQ(atm.therm_on_poly[100][100], 0);
    // 16: too heavy closes the window with the notice; light enough says nothing.
    flt.m_total = pln[0].m_max + 1.0f;
    mnw.topwin = 16;
    process_zap(16);
    EXPECT_EQ(mnw.topwin, 0);
    EXPECT_TRUE(alerted("Your total weight is above the maximum allowable weight for the airplane!"));
    clear_recorded_alerts();
    flt.m_total = pln[0].m_max;
    mnw.topwin = 16;
    process_zap(16);
    EXPECT_EQ(mnw.topwin, 16);
    EXPECT_TRUE(recorded_alerts().empty());
    // 18 repairs the instruments only, 19 the equipment and the gear's timing.
    rel.vacuum = rel.efis_2 = rel.radios = 0;
    rel.engine[1] = rel.hydsys = rel.otto = 0;
    set.gear_time[1] = 9.9e9f;
    process_zap(18);
    EXPECT_EQ(rel.vacuum + rel.efis_2 + rel.radios, 3);
    EXPECT_EQ(rel.engine[1] + rel.hydsys + rel.otto, 0);
    process_zap(19);
    EXPECT_EQ(rel.engine[1] + rel.hydsys + rel.otto, 3);
    EXPECT_EQ(set.gear_time[1], 0.0f);
    process_zap(99);   // any other window: nothing
}

TEST_F(Starts, FlightPlanWindowFilesToAKnownAirport)
{
    add_airport("KSBD", GROUND, {{60, 3000, 1000000, 6, 34.1f, -117.2f}});
    std::snprintf(fpl.arr_id_str, sizeof fpl.arr_id_str, "KSBD");
    process_zap(25);
    EXPECT_EQ(fpl.onfile, 1);
    EXPECT_EQ(fpl.activated, 0);
    EXPECT_EQ(atc.plan_index, 1);
    // Amending an active plan is acknowledged.
    fpl.activated = 1;
    atc.ils_vec_in_progress = 1;
    process_zap(25);
    EXPECT_EQ(atc.ils_vec_in_progress, 0);
    EXPECT_NE(std::string(atc.response).find("flight plan amended as requested."), std::string::npos);
    // An unknown destination is refused.
    std::snprintf(fpl.arr_id_str, sizeof fpl.arr_id_str, "QQQQ");
    atc.plan_index = 5;
    process_zap(25);
    EXPECT_EQ(atc.plan_index, 5);
    EXPECT_NE(std::string(atc.response).find("I am unable to find an airport with that identifier."), std::string::npos);
}

}  // namespace
