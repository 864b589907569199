// rwygeo_test.cpp -- runway geometry: light counts by length, a runway laid east worked out by hand
// light by light, crossing runways hiding each other's lights and windsocks, the on-runway test,
// the approach flashers, and the bundled start airport against its published thresholds.
#include "rwygeo.h"

#include "empty_region.h"
#include "fltutil.h"
#include "genwrld.h"
#include "hl_funct.h"
#include "hl_string.h"
#include "hl_types.h"

#include <array>
#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr float ELEV = 100.0f;

// A region of the test's own airports around (10..12 N, 20..23 E).
class Runways : public EmptyRegion {
protected:
    int add_airport(float elev = ELEV) { return new_airport(elev); }
    int add_runway(int a, double lat, double lon, int hdg, int len_m, int width_m, int lite)
    {
        return new_runway(a, lat, lon, hdg, len_m, width_m, lite);
    }
    // The longitude that lies dx metres east of lon at lat, in the loaded frame.
    static double lon_east_of(double lat, double lon, double dx)
    {
        return lon + dx / (60.0 * con.nmtomtrs * std::cos(lat * PI / 180.0));
    }
};

// Lights code: concrete; end 0 VASI, RCLS, ALSF1; end 1 PAPI, TDZL, ODALS.
const int LITE = lgts_to_code(63, std::array<int, 2>{2, 3}.data(), std::array<int, 2>{4, 5}.data(),
                              std::array<int, 2>{4, 6}.data());

const float* lite(int row, int k) { return geo_litexyz[row][k]; }
bool hidden(int row, int k) { return lite(row, k)[0] == 0.0f && lite(row, k)[2] == 0.0f; }

TEST_F(Runways, EdgeLightCountFollowsTheLengthWithinTenToFortyNine)
{
    // Length in metres as stored; feet = m / 0.3048; one light per 150 ft, or per 10 ft under 500 ft.
    struct Case {
        int len_m, n;
    } cases[] = {
        {1524, 33},   // 5000 ft: 33.3
        {60, 20},     // a 200 ft pad: 196.9 ft / 10 = 19.7
        {3048, 49},   // 10000 ft: 66.7, clamped
        {426, 10},    // 1398 ft: 9.3, raised to 10
        {914, 20},    // 2999 ft: 19.99
        {100, 33},    // 328 ft: per 10 ft
        {150, 49},    // 492 ft: 49.2
    };
    const int a = add_airport();
    for (const Case& c : cases) add_runway(a, 11.0, 21.5, 90, c.len_m, 30, LITE);
    load_region(1);
    for (size_t k = 0; k < std::size(cases); k++) {
        const int g = rwy_geo_ind[apt_lo_ind[a] + static_cast<int>(k)];
        ASSERT_GE(g, 0);
        EXPECT_EQ(geo_rmax1[g], cases[k].n) << cases[k].len_m;
        EXPECT_EQ(geo_rmax2[g], cases[k].n + 50);
        EXPECT_EQ(geo_RCLS[g], cases[k].n + 100);
        EXPECT_EQ(geo_tmax1[g], cases[k].n + 150);
        EXPECT_EQ(geo_tmax2[g], cases[k].n + 200);
    }
}

// A 5000 ft by 45 m runway heading 090: end 0 is the western end, "right" is south. In the region
// frame a runway-frame point (x, z) lies at (cx - z, cz + x). Figures by hand: h = 762, n = 33,
// edge lights 23.5 m out, taxiway 90..112.5 m, apron 112.5..202.5 m south of the axis.
class EastRunway : public Runways {
protected:
    int a = -1, r = -1, g = -1;
    double cx = 0, cz = 0;
    void SetUp() override
    {
        Runways::SetUp();
        a = add_airport();
        r = add_runway(a, 11.0, 21.5, 90, 1524, 45, LITE);
        load_region(1);
        g = rwy_geo_ind[r];
        cx = X_with_latlon(11.0, 21.5);
        cz = Z_with_lat(11.0);
    }
    void expect_at(int k, double x_local, double z_local, float y_local) const
    {
        EXPECT_NEAR(lite(g, k)[0], cx - z_local, 0.02) << "light " << k;
        EXPECT_NEAR(lite(g, k)[2], cz + x_local, 0.02) << "light " << k;
        EXPECT_NEAR(lite(g, k)[1], ELEV + y_local, 1e-4) << "light " << k;
    }
};

TEST_F(EastRunway, KindsComeFromTheLightsCode)
{
    ASSERT_GE(g, 0);
    EXPECT_EQ(geo_type[g], 63);
    EXPECT_EQ(geo_litgls[g][0], 2);
    EXPECT_EQ(geo_litgls[g][1], 3);
    EXPECT_EQ(geo_litrwy[g][0], 4);
    EXPECT_EQ(geo_litrwy[g][1], 5);
    EXPECT_EQ(geo_litapp[g][0], 4);
    EXPECT_EQ(geo_litapp[g][1], 6);
}

TEST_F(EastRunway, MarkingsCoverRunwayTaxiwayConnectorsAndApron)
{
    // Rectangles x1..x2 (across, m) by z1..z2 (along, m), corners (x1,z1) (x2,z1) (x2,z2) (x1,z2).
    const double rect[6][4] = {{-22.5, 22.5, -762, 762},     {90, 112.5, -762, 762},
                               {22.5, 90, 685.8, 762},       {22.5, 90, -60.96, 60.96},
                               {22.5, 90, -762, -685.8},     {112.5, 202.5, 152.4, 609.6}};
    for (int m = 0; m < 6; m++) {
        const double xs[4] = {rect[m][0], rect[m][1], rect[m][1], rect[m][0]};
        const double zs[4] = {rect[m][2], rect[m][2], rect[m][3], rect[m][3]};
        for (int k = 0; k < 4; k++) {
            EXPECT_NEAR(geo_markxyz[g][m][k][0], cx - zs[k], 0.02) << m << " " << k;
            EXPECT_NEAR(geo_markxyz[g][m][k][2], cz + xs[k], 0.02) << m << " " << k;
            EXPECT_EQ(geo_markxyz[g][m][k][1], ELEV);
        }
    }
}

TEST_F(EastRunway, LightsStandWhereTheRulesPutThem)
{
    const double h = 762, step = 1524.0 / 33;
    expect_at(0, -23.5, h, 0.5f);
    expect_at(10, -23.5, h - 10 * step, 0.5f);
    expect_at(33, -23.5, -h, 0.5f);
    expect_at(50, 23.5, h, 0.5f);
    expect_at(81, 23.5, h - 31 * step, 0.5f);   // 82 and 83 stand under connector 4
    expect_at(100, 0, h - 30, 0);
    expect_at(133, 0, 30 - h, 0);
    expect_at(116, 0, h - 30 - 16 * (1524.0 - 60) / 33, 0);
    expect_at(150, 90, h, 0);
    expect_at(181, 90, h - 31 * step, 0);
    // Outer taxiway edge: a = 3, b = 10; around the apron at 202.5 m between z 609.6 and 152.4.
    expect_at(200, 112.5, h, 0);
    expect_at(203, 112.5, 609.6, 0);
    expect_at(204, 202.5, 609.6, 0);
    expect_at(209, 202.5, 609.6 - 5 * 45.72, 0);
    expect_at(214, 202.5, 152.4, 0);
    expect_at(215, 112.5, 152.4, 0);
    expect_at(233, 112.5, -h, 0);
    // Connector 3's edges (two rows of four) and the apron's cross edges (two rows of five).
    expect_at(535, 22.5, -60.96, 0);
    expect_at(538, 90, -60.96, 0);
    expect_at(539, 22.5, 60.96, 0);
    expect_at(551, 112.5, 152.4, 0);
    expect_at(555, 202.5, 152.4, 0);
    expect_at(558, 157.5, 609.6, 0);
    // Approach of end 0: lead-in rows 50 m apart from 500 m out, the ALSF1 crossbar from light 257
    // (z = h + 150) in steps of 4.5 m, side rows, touchdown rows and the far extension.
    expect_at(250, -2.25, h + 500, 0);
    expect_at(259, -2.25, h + 50, 0);
    expect_at(265, 2.25, h + 250, 0);
    expect_at(270, -6.75, h + 150, 0);
    expect_at(272, -15.75, h + 150, 0);
    expect_at(275, 15.75, h + 150, 0);
    expect_at(281, -15.75, h + 429, 0);
    expect_at(360, 15.75, h + 50, 0);
    expect_at(361, -9, h - 20, 0);
    expect_at(480, 9, h - 400, 0);
    expect_at(481, -2.25, h + 1000, 0);
    expect_at(500, 2.25, h + 550, 0);
    // VASI of end 0: bars at 250 m and 100 m past the threshold, 37 m and 35 m left.
    expect_at(276, -37, h - 250, 1.5f);
    expect_at(277, -35, h - 250, 1.5f);
    expect_at(279, -35, h - 100, 1.5f);
    // Threshold bars 2 m beyond both ends, the obstruction light 45 m left of the centre.
    expect_at(501, -22.5, h + 2, 0.5f);
    expect_at(507, 0, h + 2, 0.5f);
    expect_at(526, 22.5, -h - 2, 0.5f);
    expect_at(812, -45, 0, 27.0f);
    // End 1 is end 0's block turned half round: its lead-in, PAPI (51..39 m to the left as seen
    // from end 1, 200 m past its threshold) and ODALS crossbar from its light 257.
    expect_at(561, 2.25, -(h + 500), 0);
    expect_at(587, 51, -(h - 200), 1.5f);
    expect_at(590, 39, -(h - 200), 1.5f);
    expect_at(581, 6.75, -(h + 150), 0);
    expect_at(792, 2.25, -(h + 1000), 0);
    expect_at(811, -2.25, -(h + 550), 0);
}

TEST_F(EastRunway, OwnConnectorsHideTheLightsTheyCross)
{
    // Right edge lights 23.5 m out and taxiway inner lights at 90 m stand in connector 3
    // (|z| <= 60.96 m, 1 m tolerance): with spacing 46.18 m the ones at |z| < 62 are those 16 and 17.
    EXPECT_TRUE(hidden(g, 66));
    EXPECT_TRUE(hidden(g, 67));
    EXPECT_FALSE(hidden(g, 65));
    EXPECT_FALSE(hidden(g, 68));
    EXPECT_TRUE(hidden(g, 166));
    EXPECT_TRUE(hidden(g, 167));
    EXPECT_FALSE(hidden(g, 165));
    // Connector 2 (z 685.8..762) takes light 51 (715.8) but not 52 (669.6); light 50 starts the
    // row and is never hidden; at end 1 connector 4 takes 82 and the row's last light 83.
    EXPECT_TRUE(hidden(g, 51));
    EXPECT_FALSE(hidden(g, 52));
    EXPECT_FALSE(hidden(g, 50));
    EXPECT_TRUE(hidden(g, 82));
    EXPECT_TRUE(hidden(g, 83));
    EXPECT_TRUE(hidden(g, 151));
    EXPECT_TRUE(hidden(g, 183));
    EXPECT_FALSE(hidden(g, 233));
    for (int k = 0; k <= 33; k++) EXPECT_FALSE(hidden(g, k)) << k;
}

TEST_F(EastRunway, WindsocksAndFlasherRunsFollowTheEnds)
{
    // Windsocks at (67.5, -0.44 L) and (67.5, 0.44 L), 5 m up.
    EXPECT_NEAR(geo_sockxyz[g][0][0], cx + 670.56, 0.02);
    EXPECT_NEAR(geo_sockxyz[g][0][2], cz + 67.5, 0.02);
    EXPECT_NEAR(geo_sockxyz[g][1][0], cx - 670.56, 0.02);
    EXPECT_FLOAT_EQ(geo_sockxyz[g][1][1], ELEV + 5.0f);
    // ALSF1 at end 0 starts 1050 m out, ODALS at end 1 500 m out; both step 50 m inward.
    EXPECT_NEAR(geo_rabSxyz[g][0][0], cx - (762 + 1050), 0.02);
    EXPECT_NEAR(geo_rabSxyz[g][0][2], cz, 0.02);
    EXPECT_NEAR(geo_rabDxyz[g][0][0], 50.0, 1e-3);
    EXPECT_NEAR(geo_rabDxyz[g][0][2], 0.0, 1e-3);
    EXPECT_NEAR(geo_rabSxyz[g][1][0], cx + (762 + 500), 0.02);
    EXPECT_NEAR(geo_rabDxyz[g][1][0], -50.0, 1e-3);
    EXPECT_FLOAT_EQ(geo_rabSxyz[g][1][1], ELEV);
}

TEST_F(EastRunway, FlashersRunInwardAndRestartOnTheirStart)
{
    apt_lcl_num = 1;
    apt_to_index[0] = a;
    step_flashers(1);
    for (int k = 0; k < 9; k++) step_flashers(0);
    // ODALS: from h + 500 to the innermost lead-in light at h + 50.
    EXPECT_NEAR(lite(g, 591)[0], cx + 762 + 50, 0.05);
    EXPECT_NEAR(lite(g, 591)[0], lite(g, 570)[0], 0.05);
    EXPECT_NEAR(lite(g, 280)[0], cx - (762 + 600), 0.05);
    step_flashers(1);
    EXPECT_NEAR(lite(g, 280)[0], geo_rabSxyz[g][0][0], 1e-3);
    EXPECT_NEAR(lite(g, 591)[2], geo_rabSxyz[g][1][2], 1e-3);
}

TEST_F(Runways, EndsWithoutFlashersAreLeftAlone)
{
    // SSALR (kind 2) and no approach lights: no moving light.
    const int code = lgts_to_code(62, std::array<int, 2>{1, 1}.data(), std::array<int, 2>{2, 2}.data(),
                                  std::array<int, 2>{2, 1}.data());
    const int a = add_airport();
    const int r = add_runway(a, 11.0, 21.5, 0, 1500, 30, code);
    load_region(1);
    const int g = rwy_geo_ind[r];
    step_flashers(1);
    step_flashers(0);
    for (int k : {280, 591})
        for (int c = 0; c < 3; c++) EXPECT_EQ(lite(g, k)[c], 0.0f) << k;
}

TEST_F(EastRunway, OnTheRunwayOrItsTaxiwayButNotJustOff)
{
    struct Probe {
        double x, z;   // runway frame, m
        int on;
    } probes[] = {
        {0, 0, 1},        {-22, 700, 1},   {100, -700, 1},  {-45, 0, 1},     // 22.5 m + 25 m tolerance
        {-52.5, 0, 0},    {142.5, 0, 0},   {0, 792, 0},     {0, -792, 0},
        {180, 400, 0},    // on the apron, beyond the taxiway
        {60, 0, 1},       // between runway and taxiway
    };
    for (const Probe& p : probes) {
        const float x = static_cast<float>(cx - p.z), z = static_cast<float>(cz + p.x);
        EXPECT_EQ(in_runway(a, g, x, z), p.on) << p.x << " " << p.z;
        EXPECT_EQ(in_runway(a, -1, x, z), p.on) << p.x << " " << p.z;
    }
    EXPECT_EQ(in_runway(a, -1, static_cast<float>(cx), static_cast<float>(cz + 3000)), 0);
}

// Two runways crossing at their centres: 090 (row A) and 360 (row B), both 1524 m by 45 m.
TEST_F(Runways, CrossingRunwaysHideEachOthersLights)
{
    const int a = add_airport();
    const int ra = add_runway(a, 11.0, 21.5, 90, 1524, 45, LITE);
    const int rb = add_runway(a, 11.0, 21.5, 360, 1524, 45, LITE);
    load_region(1);
    const int A = rwy_geo_ind[ra], B = rwy_geo_ind[rb];
    const double cx = X_with_latlon(11.0, 21.5);
    // A's left row runs 23.5 m north of the centre, light k at 46.18 k - 762 m east. B's runway
    // covers 22.5 m (23.5 with the tolerance) either side of the centre: lights 16 and 17 at
    // -23.1 and 23.1 m; B's middle connector covers 22.5..90 m east within 61 m north or south:
    // lights 17 and 18 (69.3 m). Nothing else of B reaches the row.
    for (int k = 0; k <= 33; k++) EXPECT_EQ(hidden(A, k), k >= 16 && k <= 18) << k;
    // B's left row runs 23.5 m west, light k at 762 - 46.18 k m south: A's runway takes 16 and 17,
    // A's middle connector (22.5..90 m south) 15 and 16; A's taxiway (90..112.5 m) none.
    for (int k = 0; k <= 33; k++) EXPECT_EQ(hidden(B, k), k >= 15 && k <= 17) << k;
    // The outline corners are kept, so the on-runway test still holds along both.
    EXPECT_EQ(in_runway(a, A, static_cast<float>(cx + 700), static_cast<float>(Z_with_lat(11.0))), 1);
    EXPECT_EQ(in_runway(a, B, static_cast<float>(cx), static_cast<float>(Z_with_lat(11.0) - 700)), 1);
}

TEST_F(Runways, ARunwayEndingOnAnotherStillCountsAsRunwayAlongItsLength)
{
    // B (360) crosses A's end 1, hiding A's last left edge light, which is one corner of the lights'
    // outline. The on-runway test keeps working along A.
    const int a = add_airport();
    const int ra = add_runway(a, 11.0, 21.5, 90, 1524, 45, LITE);
    const int rb = add_runway(a, 11.0, lon_east_of(11.0, 21.5, 762.0), 360, 1524, 45, LITE);
    load_region(1);
    const int A = rwy_geo_ind[ra], B = rwy_geo_ind[rb];
    ASSERT_TRUE(hidden(A, geo_rmax1[A]));
    const float cx = static_cast<float>(X_with_latlon(11.0, 21.5)), cz = static_cast<float>(Z_with_lat(11.0));
    for (float along : {-700.0f, -300.0f, 0.0f, 300.0f, 600.0f}) {
        EXPECT_EQ(in_runway(a, A, cx + along, cz), 1) << along;
        EXPECT_EQ(in_runway(a, A, cx + along, cz - 60.0f), 0) << along;
    }
    EXPECT_EQ(in_runway(a, -1, cx + 762.0f, cz - 500.0f), 1);   // on B only
    EXPECT_EQ(in_runway(a, A, cx + 762.0f, cz - 500.0f), 0);
    (void)B;
}

TEST_F(Runways, ApproachLightsOfEitherEndStandingOnAnotherRunwayAreHidden)
{
    // A (090) with a runway (360) crossing 300 m beyond each end. A's lead-in rows run 500..50 m
    // out, light k at 1262 - 50 k m from A's centre; each crossing runway covers 1062 m +- 23.5 m
    // (light 4), its middle connector 23.5..91 m and its taxiway 89..113.5 m east of its axis:
    // beyond end 1 (east) lights 3 (1112) and 2 (1162), beyond end 0 (west) lights 5 and 6.
    const int a = add_airport();
    const int ra = add_runway(a, 11.0, 21.5, 90, 1524, 45, LITE);
    add_runway(a, 11.0, lon_east_of(11.0, 21.5, 1062.0), 360, 1524, 45, LITE);
    add_runway(a, 11.0, lon_east_of(11.0, 21.5, -1062.0), 360, 1524, 45, LITE);
    load_region(1);
    const int A = rwy_geo_ind[ra];
    for (int e = 0; e < 2; e++) {
        const int o = 311 * e;
        for (int k = 0; k < 10; k++) {
            const bool want = e == 0 ? (k >= 4 && k <= 6) : (k >= 2 && k <= 4);
            EXPECT_EQ(hidden(A, o + 250 + k), want) << e << " " << k;
            EXPECT_EQ(hidden(A, o + 260 + k), want) << e << " " << k;
        }
    }
}

TEST_F(Runways, AWindsockStandingOnAnotherRunwayIsHidden)
{
    // A's windsock 0 stands at 670.56 m east, 67.5 m south of A's centre; B (360) runs through it.
    const int a = add_airport();
    const int ra = add_runway(a, 11.0, 21.5, 90, 1524, 45, LITE);
    const int rb = add_runway(a, 11.0, lon_east_of(11.0, 21.5, 670.0), 360, 1524, 45, LITE);
    load_region(1);
    const int A = rwy_geo_ind[ra], B = rwy_geo_ind[rb];
    EXPECT_FLOAT_EQ(geo_sockxyz[A][0][1], -999.9f);
    EXPECT_FLOAT_EQ(geo_sockxyz[A][1][1], ELEV + 5.0f);
    EXPECT_FLOAT_EQ(geo_sockxyz[B][0][1], ELEV + 5.0f);
    EXPECT_FLOAT_EQ(geo_sockxyz[B][1][1], ELEV + 5.0f);
}

TEST_F(Runways, ANarrowRunwayIsAtLeastOneMetreWide)
{
    const int a = add_airport();
    const int r = add_runway(a, 11.0, 21.5, 90, 300, 0, LITE);
    load_region(1);
    const int g = rwy_geo_ind[r];
    const float* c0 = geo_markxyz[g][0][0];
    const float* c1 = geo_markxyz[g][0][1];
    EXPECT_NEAR(std::hypot(c1[0] - c0[0], c1[2] - c0[2]), 1.0, 1e-3);
    EXPECT_EQ(in_runway(a, g, static_cast<float>(X_with_latlon(11.0, 21.5)), static_cast<float>(Z_with_lat(11.0))), 1);
}

TEST_F(Runways, AirportBuildingsStandOffTheRunways)
{
    // The buildings start 0.35 L along and 4.2 W = 189 m to the right, and step back along the
    // runway while on one: a parallel runway 189 m south makes them walk past its end.
    const int a = add_airport();
    apt_bld[a] = 1;
    apt_twr[a] = 1;
    const int r = add_runway(a, 11.0, 21.5, 90, 1524, 45, LITE);
    add_runway(a, 11.0 - 189.0 / (60.0 * 1852.0), 21.5, 90, 1524, 45, LITE);
    load_region(1);
    int placed = 0;
    for (int s = 0; s < 5; s++) {
        if (!obj_type[s]) continue;
        placed++;
        const float x = 0.25f * (obj_xyz[s][0][0][0] + obj_xyz[s][0][1][0] + obj_xyz[s][0][2][0] + obj_xyz[s][0][3][0]);
        const float z = 0.25f * (obj_xyz[s][0][0][2] + obj_xyz[s][0][1][2] + obj_xyz[s][0][2][2] + obj_xyz[s][0][3][2]);
        EXPECT_EQ(in_runway(a, -1, x, z), 0) << s;
        EXPECT_LT(x, X_with_latlon(11.0, 21.5) - 762.0) << s;   // walked back past end 0
    }
    EXPECT_EQ(placed, 5);
    EXPECT_EQ(obj_type[4], 1);
    (void)r;
}

// ---- the bundled start airport ------------------------------------------------------------------

TEST(BundledRunway, StartAirportRunwayMatchesItsPublishedThresholds)
{
    clear_globals();
    clear_recorded_alerts();
    kvdb_set_units();
    kvdb_load(std::string(KV_SOURCE_DIR) + "/data/additional nav data");
    TempDir dir;
    std::snprintf(app_path, sizeof app_path, "%s/", dir.str().c_str());
    env.lat_sou = 33;
    env.lon_wes = -119;
    load_region(1);
    int a = -1;
    for (int k = 0; k <= apt_wrl_max; k++)
        if (std::strncmp(apt_id[k], "KSBD", 4) == 0) a = k;
    ASSERT_GE(a, 0);
    const int r = apt_lo_ind[a], g = rwy_geo_ind[r];
    ASSERT_GE(g, 0);
    // 10001 ft by 200 ft: 3048 m by 60 m stored; 10000 ft gives 66.7 lights, clamped to 49.
    EXPECT_EQ(rwy_len[r], 3048);
    EXPECT_EQ(rwy_width[r], 60);
    EXPECT_EQ(geo_rmax1[g], 49);
    EXPECT_EQ(geo_tmax2[g], 249);
    // Edge lights 3048 / 49 = 62.20 m apart, 31 m either side of the axis, 0.5 m up.
    const float* l0 = lite(g, 0);
    const float* l1 = lite(g, 1);
    const float* r0 = lite(g, 50);
    EXPECT_NEAR(std::hypot(l1[0] - l0[0], l1[2] - l0[2]), 62.204, 0.01);
    EXPECT_NEAR(std::hypot(r0[0] - l0[0], r0[2] - l0[2]), 62.0, 0.01);
    EXPECT_NEAR(l0[1], 1159 * 0.3048 + 0.5, 0.01);
    // The threshold bars' middles lie 3052 m apart, 2 m beyond the published thresholds of
    // runway 6 (34.090264, -117.250246) and 24 (34.100534, -117.219552), 3047 m apart.
    const float* t6 = lite(g, 507);
    const float* t24 = lite(g, 520);
    EXPECT_NEAR(std::hypot(t24[0] - t6[0], t24[2] - t6[2]), 3052.0, 0.05);
    EXPECT_LT(std::hypot(t6[0] - X_with_latlon(34.090264, -117.250246), t6[2] - Z_with_lat(34.090264)), 30.0);
    EXPECT_LT(std::hypot(t24[0] - X_with_latlon(34.100534, -117.219552), t24[2] - Z_with_lat(34.100534)), 30.0);
    // The flasher of runway 6 steps along its approach course, 068 true.
    const float* d = geo_rabDxyz[g][0];
    const double hd = std::atan2(d[0], -d[2]) * 180.0 / PI;
    EXPECT_NEAR(hd, 68.0, 0.01);
    // One runway: nothing hides its windsocks.
    EXPECT_NEAR(geo_sockxyz[g][0][1], 1159 * 0.3048 + 5.0, 0.01);
    EXPECT_NEAR(geo_sockxyz[g][1][1], 1159 * 0.3048 + 5.0, 0.01);
    EXPECT_TRUE(recorded_alerts().empty());
}

}  // namespace
