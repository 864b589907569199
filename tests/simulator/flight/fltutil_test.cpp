// fltutil_test.cpp -- positions against latitude and longitude, the force accumulators, gauge
// ranges, the light pulse, the wind table and the phonetic alphabet.
#include "flight_harness.h"
#include "fltutil.h"
#include "hl_funct.h"
#include "hl_types.h"

#include <kvtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>

TEST(Positions, LatitudeAndLongitudeRoundTripThroughTheRegion)
{
    fh_world();
    // One minute of latitude is one nautical mile.
    EXPECT_NEAR(Z_with_lat(33.0 + 1.0 / 60.0) - Z_with_lat(33.0), -1852.0, 0.1);
    struct Case {
        double lat, lon;
    } cases[] = {{33.2, -117.9}, {34.7, -116.2}, {33.9, -115.1}, {34.99, -117.5}};
    for (const Case& c : cases) {
        double z = Z_with_lat(c.lat), x = X_with_latlon(c.lat, c.lon);
        EXPECT_NEAR(lat_with_z(z), c.lat, 1e-6) << c.lat;
        EXPECT_NEAR(lon_with_xz(x, z), c.lon, 1e-4) << c.lon;
    }
    // Outside the region the nearest tile's reference carries on.
    double x = X_with_latlon(33.5, -119.5);
    EXPECT_LT(x, 0.0);
    EXPECT_NEAR(lon_with_xz(x, Z_with_lat(33.5)), -119.5, 1e-3);
}

TEST(Accumulators, EachForceAddsItsSumAndTheMomentOfItsArm)
{
    clear_globals();
    // Body axes: x right, y up, z aft; moments L roll right, M pitch up, N yaw right.
    addFaprop(100.0f, 2.0f, 1.0f);   // thrust above the CG pitches down, right of it yaws left
    EXPECT_EQ(flt.faxilprop, 100.0f);
    EXPECT_EQ(flt.M, -100.0f);
    EXPECT_EQ(flt.N, -200.0f);
    addFnprop(50.0f, -1.0f, -2.0f);   // lift left of and ahead of the CG: roll right, pitch up
    EXPECT_EQ(flt.fnrmlprop, 50.0f);
    EXPECT_EQ(flt.L, 50.0f);
    EXPECT_EQ(flt.M, -100.0f + 100.0f);
    addFsprop(10.0f, 1.0f, 3.0f);     // side force right, high and aft
    EXPECT_EQ(flt.fsideprop, 10.0f);
    EXPECT_EQ(flt.L, 60.0f);
    EXPECT_EQ(flt.N, -200.0f - 30.0f);
    addFagear(-20.0f, 0.0f, -1.0f);
    addFsgear(5.0f, -1.0f, 0.0f);
    addFngear(1000.0f, 0.5f, 0.0f);
    EXPECT_EQ(flt.faxilgear, -20.0f);
    EXPECT_EQ(flt.fsidegear, 5.0f);
    EXPECT_EQ(flt.fnrmlgear, 1000.0f);

    // Along the flight path at zero alpha and sideslip, aerodynamic forces are the body ones.
    clear_globals();
    flt.cosalph = flt.cosbeta = 1.0f;
    addFaero(-30.0f, 20.0f, 400.0f, 1.0f, 2.0f, -3.0f);
    EXPECT_EQ(flt.faxilaero, -30.0f);
    EXPECT_EQ(flt.fsideaero, 20.0f);
    EXPECT_EQ(flt.fnrmlaero, 400.0f);
    EXPECT_NEAR(flt.L, -400.0f * 1.0f + 20.0f * 2.0f, 1e-3f);
    EXPECT_NEAR(flt.M, 30.0f * 2.0f + 400.0f * 3.0f, 1e-3f);
    EXPECT_NEAR(flt.N, 30.0f * 1.0f - 20.0f * -3.0f, 1e-3f);
    // At 90 degrees alpha the air comes from below the body: drag along the path pushes the body
    // up, with the moment of a body force up at the same place.
    clear_globals();
    flt.sinalph = 1.0f;
    flt.cosbeta = 1.0f;
    addFaero(-100.0f, 0.0f, 0.0f, 0.0f, 0.0f, 2.0f);
    float L = flt.L, M = flt.M;
    clear_globals();
    addFnprop(100.0f, 0.0f, 2.0f);
    EXPECT_NEAR(L, flt.L, 1e-3f);
    EXPECT_NEAR(M, flt.M, 1e-3f);
}

TEST(Gauges, RangesAndTicksByFullScale)
{
    EXPECT_EQ(gage_me(2600.0f), 3000);
    EXPECT_EQ(gage_me(2500.0f), 2800);
    EXPECT_EQ(gage_me(40.0f), 50);
    EXPECT_EQ(gage_me(600000.0f), 700000);
    int major, minor, label;
    set_mod(3000.0f, &major, &minor, &label);
    EXPECT_EQ(major, 100);
    EXPECT_EQ(minor, 500);
    EXPECT_EQ(label, 100);
    set_mod(50.0f, &major, &minor, &label);
    EXPECT_EQ(major, 2);
    EXPECT_EQ(minor, 10);
    EXPECT_EQ(label, 1);
}

TEST(Misc, PhoneticAlphabetPulseAndWindTable)
{
    char word[STR_LEN];
    struct Case {
        char c;
        const char* w;
    } cases[] = {{'0', "zero"}, {'9', "niner"}, {'A', "alpha"}, {'L', "leema"}, {'X', "x ray"}, {'Z', "zooloo"},
                 {'a', ""},     {'-', ""}};
    for (const Case& c : cases) {
        get_phonetic(c.c, word);
        EXPECT_STREQ(word, c.w) << c.c;
    }
    clear_globals();
    msc.elap_time = 0.0f;
    EXPECT_NEAR(pulse(0.25f), 0.5f + 0.5f * std::sin(0.5f), 1e-6f);

    // Calm severity draws calm layers; full blend lands on the targets.
    atm.wind_tbl = 1.0f;
    atm.wndspd1 = 30.0f;
    assign_wind_tbl(1.0f);
    EXPECT_EQ(atm.wndspd1, 0.0f);
    EXPECT_EQ(atm.trblnc2, 0.0f);
    atm.wind_tbl = 5.0f;
    for (int k = 0; k < 50; k++) {
        assign_wind_tbl(1.0f);
        EXPECT_GE(atm.wndspd1, 0.0f);
        EXPECT_LE(atm.wndspd1, 90.0f);
        EXPECT_LE(atm.trblnc2, 5.0f);
    }
}

namespace {

// The aircraft at a latitude and longitude of the flat test region, at a height.
void place(double lat, double lon, double height)
{
    flt.lat = (float)lat;
    flt.lon = (float)lon;
    flt.X[0] = X_with_latlon(lat, lon);
    flt.Z[0] = Z_with_lat(lat);
    flt.Y[0] = height;
}

int add_navaid(int type, int freq, double lat, double lon, int hdng, const char* id)
{
    int n = ++nav_wrl_max;
    nav_type[n] = type;
    nav_frq[n] = freq;
    nav_lat[n] = (float)lat;
    nav_lon[n] = (float)lon;
    nav_hdng[n] = hdng;
    nav_h[n] = 100.0f;
    std::snprintf(nav_id[n], APT_ID_LEN, "%s", id);
    return n;
}

}  // namespace

TEST(Radios, ReceiversHearTheNearestStationInRangeOnTheirFrequency)
{
    fh_world();
    nav_wrl_max = 1;   // the carrier's two slots
    rel.radios = 1;
    add_navaid(3, 11360, 34.5, -116.5, 0, "FAR");    // a VOR 0.5 degrees north
    add_navaid(3, 11360, 34.2, -116.5, 0, "NEAR");   // another on the same frequency, nearer
    add_navaid(2, 350, 34.1, -116.5, 0, "BCN");      // a beacon
    place(34.0, -116.5, 300.0);
    nav.nf[0] = 11360;
    nav.adff = 350;
    setnav(0);
    EXPECT_EQ(nav.goodnav[0], 1);
    EXPECT_STREQ(nav.nav_id[0], "NEAR");
    EXPECT_EQ(nav.ilsgs[0], 9);
    EXPECT_NEAR(nav.vorZ[0], Z_with_lat(34.2), 1.0);
    setnav(4);
    EXPECT_EQ(nav.goodnav[4], 1);
    EXPECT_NEAR(nav.adfZ, Z_with_lat(34.1), 1.0);
    // Out of range low down: the range grows with height (0.89 degrees at the ground for a VOR).
    place(33.2, -116.5, 0.0);
    setnav(0);
    EXPECT_EQ(nav.goodnav[0], 0);
    place(33.2, -116.5, 9144.0);
    setnav(0);
    EXPECT_EQ(nav.goodnav[0], 1);
    // Failed radios hear nothing.
    rel.radios = 0;
    setnav(0);
    EXPECT_EQ(nav.goodnav[0], 0);
}

TEST(Radios, ALocalizerIsHeardOnlyFromAlongItsCourse)
{
    fh_world();
    nav_wrl_max = 1;
    rel.radios = 1;
    add_navaid(4, 10950, 34.1, -116.5, 360, "ILOC");   // course north
    add_navaid(6, 10950, 34.05, -116.5, 360, "IGS");
    nav.nf[1] = 10950;
    place(34.0, -116.5, 300.0);   // south of it, the localizer ahead along the course
    setnav(1);
    EXPECT_EQ(nav.goodnav[1], 1);
    EXPECT_EQ(nav.ilscrs[1], 360.0f);
    EXPECT_EQ(nav.ilsgs[1], 3);   // with its glide slope
    place(34.2, -116.5, 300.0);   // north of it: behind the antenna
    setnav(1);
    EXPECT_EQ(nav.goodnav[1], 0);
}

TEST(Radios, TheGpsLocksItsCourseAndShowsTheDeviation)
{
    fh_world();
    nav_wrl_max = 1;
    rel.radios = 1;
    int wp = add_navaid(3, 11000, 34.5, -116.5, 0, "WPT");
    nav.gps_index_mode = 2;
    nav.gps_index = wp;
    place(34.0, -116.5, 1000.0);
    msc.init_time = 100.0f;
    setnav(5);
    EXPECT_NEAR(fltwrap(nav.gps_crs, -180.0f, 180.0f), 0.0f, 1.0f);   // about north
    EXPECT_NEAR(nav.gps_dis, 30.0f * 1852.0f, 50.0f);
    float locked = nav.gps_lock_crs;
    EXPECT_EQ(locked, nav.gps_crs);
    EXPECT_NEAR(nav.hdef[0], 0.0f, 1e-3f);
    // Drift east of the locked course: the target now bears left of it.
    place(34.0, -116.4, 1000.0);
    setnav(5);
    EXPECT_EQ(nav.gps_lock_crs, locked);
    EXPECT_LT(fltwrap(nav.gps_crs - locked, -180.0f, 180.0f), -5.0f);
    EXPECT_LT(nav.hdef[0], 0.0f);
    // An index past the table is no target: nothing changes.
    float dis = nav.gps_dis;
    nav.gps_index = MAX_NAV + 5;
    setnav(5);
    EXPECT_EQ(nav.gps_dis, dis);
}
