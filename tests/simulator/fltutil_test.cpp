// fltutil_test.cpp -- positions against latitude and longitude, the force accumulators, gauge
// ranges, the light pulse, the wind table and the phonetic alphabet.
#include "flight_harness.h"
#include "fltutil.h"
#include "hl_types.h"

#include <kvtest.h>

#include <cmath>
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
