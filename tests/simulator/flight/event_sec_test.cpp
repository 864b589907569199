// event_sec_test.cpp -- the once-per-second update: fuel burned by the engines' flow and never below
// zero, failures at their rates over many seeded trials, the weather reports read into the weather,
// gravity by height, marker beacons, ground-proximity callouts, speed warnings, icing, hydraulics of
// a glider, and the visibility the frame rate allows.
#include "event_world.h"
#include "hl_wxr.h"
#include "test_pilot.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

// ---- fuel ------------------------------------------------------------------------------------

TEST_F(EventWorld, FuelFallsByTheFlowTheEnginesBurn)
{
    fh_start_air(1500.0f, 55.0f, 0.0f);
    TestPilot pilot = altitude_pilot(1500.0f, 0.0f, false);
    set_throttle(0.75f);
    for (int k = 0; k < 60 * 10; k++) {
        cadence.step();
        pilot.fly();
    }
    // The engines' flow summed over the frames, and the fuel changes counted frame by frame.
    float start = flt.m_fuel;
    double burned = 0.0;
    int changes = 0;
    for (int k = 0; k < 60 * 60; k++) {
        float before = flt.m_fuel;
        cadence.step();
        if (flt.m_fuel != before) changes++;
        burned += (double)(flt.ff_[0] + flt.ff_[1] + flt.ff_[2] + flt.ff_[3]) * msc.prd;
        pilot.fly();
    }
    ASSERT_GT(burned, 0.0) << "the engine burns nothing";
    EXPECT_NEAR(start - flt.m_fuel, burned, 0.02 * burned);
    EXPECT_EQ(changes, 60) << "the fuel is taken once per simulated second";
}

TEST_F(EventWorld, FuelNeverGoesBelowZero)
{
    fh_start_air(1500.0f, 55.0f, 0.0f);
    fh_controls c = fh_get_controls();
    c.throttle = 1.0f;
    fh_set_controls(c);
    run(2.0f);
    ASSERT_GT(flt.ff_[0], 0.0f);
    flt.m_fuel = 0.5f * flt.ff_[0];   // half a second's worth
    run(3.0f);
    EXPECT_EQ(flt.m_fuel, 0.0f);
    EXPECT_EQ(flt.eng_running[0], 0) << "a dry tank stops the engine";
    run(2.0f);
    EXPECT_EQ(flt.m_fuel, 0.0f);
}

TEST(EventGlider, NoEngineDividesNothingAndTheRamAirTurbinePowersTheHydraulics)
{
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_GLIDER)), 1);
    ASSERT_EQ(pln[0].numen, 0);
    fh_start_air(1000.0f, 30.0f, 0.0f);
    pln[0].ff_hydraulic = 1;
    pln[0].asi_units = 2;
    flt.onground = 0;
    flt.vind = 60.0f;
    float vne = pln[0].Vne;
    ASSERT_GT(vne, 0.0f);
    float fuel = flt.m_fuel;
    mod_evt();
    mod_sec();
    mod_sec();
    EXPECT_EQ(rel.RAT_on, 1);
    EXPECT_NEAR(rel.hyd_rat, std::fmin(60.0f / vne, 1.0f), 1e-5f);
    EXPECT_EQ(flt.m_fuel, fuel);
    // With no never-exceed speed at all the ratio is 0, not a division by zero.
    pln[0].Vne = 0.0f;
    mod_evt();
    mod_sec();
    EXPECT_EQ(rel.hyd_rat, 0.0f);
    // On the ground there is no ram air; the ratio stays a number.
    flt.onground = 1;
    pln[0].Vne = vne;
    mod_sec();
    EXPECT_TRUE(std::isfinite(rel.hyd_rat));
}

// ---- failures ---------------------------------------------------------------------------------

TEST(EventFailures, HalfHourMeanTimeFailsOnceIn1800Tries)
{
    // Kind 2 with a mean time of half an hour: probability 1/1800 per try, to well within the
    // resolution this draw count can tell (a draw of only 15 bits would give 1/1725).
    rel.fail_type[5] = 2;
    rel.fail_time_max[5] = 0.5f;
    hl_srand(12345);
    const long tries = 36000000;
    long fails = 0;
    for (long t = 0; t < tries; t++) fails += failme(5);
    const double expect = (double)tries / 1800.0;   // 20000, standard deviation 141
    EXPECT_NEAR((double)fails, expect, 4.0 * std::sqrt(expect));
}

TEST(EventFailures, KindsFailAsTheirSettingsSay)
{
    struct Case {
        int type;
        float hours, entry;
        double rate;   // per try
    } cases[] = {
        {1, 10.0f, 4.0f, (4.0 / 400.0) * (4.0 / 400.0)},   // two draws of 0..400 below 4
        {1, 10.0f, 0.0f, 0.0},
        {2, 99.0f, 0.0f, 1.0 / (3600.0 * 99.0)},
        {0, 10.0f, 0.0f, 1.0},                            // inoperative: fails at once
        {3, 10.0f, 0.0f, 1.0},
    };
    for (const Case& k : cases) {
        rel.fail_type[9] = k.type;
        rel.fail_time_max[9] = k.hours;
        rel.total_fail_entry = k.entry;
        hl_srand(99);
        const long tries = 4000000;
        long fails = 0;
        for (long t = 0; t < tries; t++) fails += failme(9);
        double expect = k.rate * (double)tries;
        double sd = std::sqrt(expect * (1.0 - k.rate));
        EXPECT_NEAR((double)fails, expect, 4.0 * sd + 0.5) << "kind " << k.type << " entry " << k.entry;
    }
}

TEST(EventFailures, HalfHourVacuumFailsAtItsRateOverSeededFlights)
{
    // Many flights, each with its own seed, run second by second until the vacuum system fails or
    // half an hour has passed: 1 - (1 - 1/1800)^1800 = 63.2 % of them lose it.
    const int flights = 600;
    int failed = 0;
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    fh_start_air(1500.0f, 50.0f, 0.0f);
    pln[0].paneltype = 1;
    rel.fail_type[0] = 2;
    rel.fail_time_max[0] = 0.5f;
    for (int f = 0; f < flights; f++) {
        reset_events();
        rel.vacuum = 1;
        hl_srand(1000u + (unsigned)f);
        for (int s = 0; s < 1800 && rel.vacuum; s++) {
            msc.elap_time += 1.0f;
            mod_sec();
        }
        failed += rel.vacuum ? 0 : 1;
        ASSERT_EQ(rel.ss_asi, 1) << "only the vacuum system was set to fail";
    }
    double p = 1.0 - std::pow(1.0 - 1.0 / 1800.0, 1800.0);
    double sd = std::sqrt(p * (1.0 - p) / flights);
    EXPECT_NEAR((double)failed / flights, p, 4.0 * sd);
}

TEST_F(EventWorld, ElectricalFailureTakesLightsRadiosAndDisplaysWithIt)
{
    rel.fail_type[20] = 0;   // inoperative
    pln[0].paneltype = 2;
    mod_sec();
    EXPECT_EQ(rel.esystem, 0);
    EXPECT_EQ(rel.clights, 0);
    EXPECT_EQ(rel.radios, 0);
    EXPECT_EQ(rel.efis_1, 0);
    EXPECT_EQ(rel.efis_2, 0);
    EXPECT_EQ(rel.vacuum, 1);
    EXPECT_EQ(rel.engine[0], 1);
}

// ---- weather reports --------------------------------------------------------------------------

// Two airports of the region with a runway each, a report file in a folder of its own, and the
// aircraft near the first airport.
class Reports : public EventWorld {
protected:
    void SetUp() override
    {
        EventWorld::SetUp();
        add_airport(0, "KAAA", 34.0f, -117.5f, 300.0f);
        add_airport(1, "KBBB", 34.5f, -116.5f, 0.0f);
        apt_wrl_max = 1;
        rwy_wrl_max = 1;
        std::snprintf(app_path, STR_LEN, "%s/", dir.str().c_str());
        flt.lat = 34.1f;
        flt.lon = -117.4f;
        atm.use_realwxr = 1;
        atm.vis_rep = 5000.0f;
        atm.baseMSL = 1000.0f;
        atm.topsMSL = 2000.0f;
        atm.rain_tstm = 1.0f;
    }
    static void add_airport(int a, const char* id, float lat, float lon, float h)
    {
        std::snprintf(apt_id[a], APT_ID_LEN, "%s", id);
        apt_inreg[a] = 1;
        apt_lo_ind[a] = apt_hi_ind[a] = a;
        apt_h[a] = h;
        rwy_lat[a] = lat;
        rwy_lon[a] = lon;
    }
    TempDir dir;
};

TEST_F(Reports, TheNearestStationsReportSetsTheWeather)
{
    dir.write("WORLD.RWX", "KBBB SA 1200 CLR 3 10/05/0905/999\n"
                           "KAAA SA 1651 25 SCT 80 BKN 10 R- 65/55/2710G20/992\n");
    mod_sec();
    EXPECT_EQ(atm.has_realwxr, 1);
    EXPECT_EQ(atm.cld_type, WXR_BROKEN);
    EXPECT_FLOAT_EQ(atm.temp_SL, 65.0f);
    EXPECT_NEAR(atm.baro, 29.92f, 1e-4f);
    // Layer 1 from the report, layer 2 derived from it.
    EXPECT_FLOAT_EQ(atm.wnddir1, 270.0f);
    EXPECT_FLOAT_EQ(atm.wndspd1, 10.0f);
    EXPECT_FLOAT_EQ(atm.shrspd1, 10.0f);    // the gust
    EXPECT_FLOAT_EQ(atm.wnddir2, 270.0f);
    EXPECT_FLOAT_EQ(atm.wndspd2, 20.0f);
    EXPECT_FLOAT_EQ(atm.shrspd2, 5.0f);
    EXPECT_FLOAT_EQ(atm.shrdir1, 20.0f);
    EXPECT_FLOAT_EQ(atm.shrdir2, 10.0f);
    EXPECT_FLOAT_EQ(atm.trblnc1, 3.0f);     // 0.2 * 10 + 0.1 * 10
    EXPECT_FLOAT_EQ(atm.trblnc2, 3.0f);     // 0.2 * 5 + 0.1 * 20
    EXPECT_FLOAT_EQ(atm.wind_tbl, 1.0f);
    EXPECT_FLOAT_EQ(atm.burst_prob, 2.0f);  // light rain
    // 16:51 Z at longitude -117.4: local = Z + (round(-7.83) + 1) h = Z - 7 h.
    EXPECT_NEAR(msc.locl_time, 60660.0f - 7.0f * 3600.0f, 0.01f);
    msc.locl_time = 1000.0f;   // later reports leave the clock alone

    // The weather eases toward the report: 2 % of the way each second.
    const float vis = 10.0f * con.nmtomtrs;
    const float base = 2500.0f * con.fttomtrs + 300.0f;
    const float top = 8000.0f * con.fttomtrs + 300.0f + 1000.0f * con.fttomtrs;
    EXPECT_NEAR(atm.vis_rep, 5000.0f + 0.02f * (vis - 5000.0f), 0.1f);
    for (int s = 1; s < 300; s++) mod_sec();
    float left = std::pow(0.98f, 300.0f);
    EXPECT_NEAR(atm.vis_rep, vis + left * (5000.0f - vis), 1.0f);
    EXPECT_NEAR(atm.baseMSL, base + left * (1000.0f - base), 0.5f);
    EXPECT_NEAR(atm.topsMSL, top + left * (2000.0f - top), 0.5f);
    EXPECT_NEAR(atm.rain_tstm, 2.0f - left, 0.01f);
    EXPECT_FLOAT_EQ(msc.locl_time, 1000.0f);
}

TEST_F(Reports, PrecipitationSetsTheStormAndBurstLevels)
{
    struct Case {
        const char* word;
        float storm;
    } cases[] = {{"TRW-", 3.0f}, {"TRW", 4.0f}, {"TRW+", 5.0f}, {"R-", 2.0f}, {"S", 3.5f},
                 {"RW+", 5.0f},  {"R+F", 5.0f}, {"3", 1.0f}};
    for (const Case& k : cases) {
        reset_events();
        dir.write("WORLD.RWX", std::string("KAAA SA 1651 25 OVC 3 ") + k.word + " 65/55/2710/992\n");
        mod_sec();
        EXPECT_FLOAT_EQ(atm.burst_prob, k.storm) << k.word;
        for (int s = 0; s < 400; s++) mod_sec();
        EXPECT_NEAR(atm.rain_tstm, k.storm, 0.01f) << k.word;
    }
}

TEST_F(Reports, DamagedOrMissingReportsLeaveTheWeatherAlone)
{
    atm.wnddir1 = 123.0f;
    atm.cld_type = 2;
    dir.write("WORLD.RWX", "KA\nKZZZ SA 1651 25 SCT 80 BKN 10 R- 65/55/2710G20/992\n");
    mod_sec();
    EXPECT_EQ(atm.has_realwxr, 1);
    EXPECT_FLOAT_EQ(atm.wnddir1, 123.0f);
    EXPECT_EQ(atm.cld_type, 2);
    // A report with nothing but words that do not parse.
    reset_events();
    dir.write("WORLD.RWX", "KAAA SA XXXX ?? /// ////\n");
    mod_sec();
    EXPECT_FLOAT_EQ(atm.wnddir1, 123.0f);
    EXPECT_TRUE(std::isfinite(atm.baseMSL) && std::isfinite(atm.topsMSL) && std::isfinite(atm.vis_rep));
    // A gust below the wind's speed is no gust: no negative shear drives the layers.
    reset_events();
    dir.write("WORLD.RWX", "KAAA SA 1651 25 SCT 65/55/2715G05/992\n");
    mod_sec();
    EXPECT_FLOAT_EQ(atm.wndspd1, 15.0f);
    EXPECT_FLOAT_EQ(atm.shrspd1, 0.0f);
    EXPECT_FLOAT_EQ(atm.shrdir1, 0.0f);
    EXPECT_FLOAT_EQ(atm.trblnc1, 1.5f);
    // No file: the flag says so.
    reset_events();
    std::filesystem::remove(dir.path() / "WORLD.RWX");
    mod_sec();
    EXPECT_EQ(atm.has_realwxr, 0);
    // A clear-sky report with rain does not build the tops up at every look.
    reset_events();
    dir.write("WORLD.RWX", "KAAA SA 1651 CLR 1 1/2 R+ 65/55/2710/992\n");
    for (int s = 0; s < 200; s++) mod_sec();
    EXPECT_NEAR(atm.topsMSL, 2000.0f, 1.0f);
}

TEST_F(Reports, TheFileIsReadAgainAfterAMinuteOrANewDegree)
{
    dir.write("WORLD.RWX", "KAAA SA 1651 25 SCT 65/55/2710/992\n");
    mod_sec();
    ASSERT_FLOAT_EQ(atm.wnddir1, 270.0f);
    dir.write("WORLD.RWX", "KAAA SA 1651 25 SCT 65/55/0910/992\n");
    for (int s = 0; s < 59; s++) mod_sec();
    EXPECT_FLOAT_EQ(atm.wnddir1, 270.0f);
    mod_sec();
    EXPECT_FLOAT_EQ(atm.wnddir1, 90.0f);
    dir.write("WORLD.RWX", "KAAA SA 1651 25 SCT 65/55/1810/992\n");
    flt.lat = 35.01f;   // a new whole degree of latitude
    mod_sec();
    EXPECT_FLOAT_EQ(atm.wnddir1, 180.0f);
    // Without real weather the file is only looked for.
    atm.use_realwxr = 0;
    dir.write("WORLD.RWX", "KAAA SA 1651 25 SCT 65/55/3610/992\n");
    flt.lat = 34.1f;
    mod_sec();
    EXPECT_EQ(atm.has_realwxr, 1);
    EXPECT_FLOAT_EQ(atm.wnddir1, 180.0f);
}

// ---- gravity, markers, callouts, warnings -----------------------------------------------------

TEST_F(EventWorld, GravityFallsWithHeight)
{
    struct Case {
        double y;
        float g;
    } cases[] = {{0.0, 9.7983f}, {10000.0, 9.7677f}, {100000.0, 9.4981f}};
    for (const Case& k : cases) {
        flt.Y[0] = k.y;
        mod_sec();
        EXPECT_NEAR(atm.g, k.g, 2e-4f) << k.y;
        // The inverse square of the distance from the earth's centre.
        float r0 = con.rearth;
        EXPECT_NEAR(atm.g / con.g, (r0 / (r0 + (float)k.y)) * (r0 / (r0 + (float)k.y)), 1e-5f);
    }
}

TEST_F(EventWorld, MarkerBeaconsAreHeardOverheadWhileAirborneWithRadios)
{
    // Outer, middle and inner markers at their own spots; the aircraft's offset from each.
    nav_wrl_max = 4;
    const float lat = 34.0f, lon = -117.0f;
    for (int t = 7; t <= 9; t++) {
        nav_type[t - 5] = t;
        nav_inreg[t - 5] = 1;
        nav_lat[t - 5] = lat + 0.1f * (float)(t - 7);
        nav_lon[t - 5] = lon;
    }
    struct Case {
        int marker;   // 7, 8, 9
        float off;    // degrees of latitude and longitude
        int onground, radios;
        int om, mm, im;
    } cases[] = {
        {7, 0.0039f, 0, 1, 1, 0, 0}, {7, 0.0041f, 0, 1, 0, 0, 0}, {8, 0.0029f, 0, 1, 0, 1, 0},
        {8, 0.0031f, 0, 1, 0, 0, 0}, {9, 0.0019f, 0, 1, 0, 0, 1}, {9, 0.0021f, 0, 1, 0, 0, 0},
        {9, 0.0f, 1, 1, 0, 0, 0},    {9, 0.0f, 0, 0, 0, 0, 0},
    };
    for (const Case& k : cases) {
        flt.lat = lat + 0.1f * (float)(k.marker - 7) + k.off;
        flt.lon = lon - k.off;
        flt.onground = k.onground;
        rel.radios = k.radios;
        mod_sec();
        EXPECT_EQ(nav.overOM, k.om) << k.marker << " " << k.off;
        EXPECT_EQ(nav.overMM, k.mm) << k.marker << " " << k.off;
        EXPECT_EQ(nav.overIM, k.im) << k.marker << " " << k.off;
    }
}

TEST_F(EventWorld, GroundProximityCallsOutSinkPullUpAndHeights)
{
    pln[0].bitchinbettyEQ = 1;
    set.warn_bb = 1;
    flt.the[0] = 0.0f;
    struct Case {
        float h_ft, fpm;
        int gear;
        int sound;   // -1 none
    } cases[] = {
        {1000.0f, -3000.0f, 1, SND_SINK},      // limit at 1000 ft: -2600 sink, -3700 pull up
        {1000.0f, -4000.0f, 1, SND_PULL_UP},
        {1000.0f, -2000.0f, 1, -1},
        {3000.0f, -9000.0f, 1, -1},            // above 2500 ft nothing
        {400.0f, -300.0f, 0, SND_GEAR_WARN},   // gear up low and slow
        {400.0f, -300.0f, 1, -1},
    };
    float t = 100.0f;
    for (const Case& k : cases) {
        t += 5.0f;
        msc.elap_time = t;
        flt.onground = 0;
        flt.Y[0] = env.localh_cg - pln[0].mgearY + k.h_ft * con.fttomtrs;
        flt.vY = k.fpm * con.fpmtomsc;
        flt.vind = 0.5f * pln[0].Vfe / (pln[0].asi_units == 2 ? 1.0f : 1.15f);
        set.gear_handle = k.gear;
        evt_hush();
        mod_sec();
        for (int n : {SND_SINK, SND_PULL_UP, SND_GEAR_WARN})
            EXPECT_EQ(PLT_voice_playing(n) != 0, n == k.sound) << k.h_ft << " " << k.fpm << " sound " << n;
    }
    // Descending through 50, 25 and 10 ft, each once.
    const float heights[] = {60.0f, 45.0f, 40.0f, 20.0f, 8.0f, 5.0f};
    const int calls[] = {-1, SND_50FT, -1, SND_25FT, SND_10FT, -1};
    flt.vY = -1.0;
    for (int i = 0; i < 6; i++) {
        msc.elap_time = (t += 1.0f);
        flt.Y[0] = env.localh_cg - pln[0].mgearY + heights[i] * con.fttomtrs;
        evt_hush();
        mod_sec();
        for (int n : {SND_50FT, SND_25FT, SND_10FT})
            EXPECT_EQ(PLT_voice_playing(n) != 0, n == calls[i]) << heights[i] << " sound " << n;
    }
}

TEST_F(EventWorld, OverspeedWarnsOncePerFlightAndTheFlapWarningAgainAfterRetraction)
{
    set.warn_overspeed = 1;
    set.warn_flaps = 1;
    const float units = pln[0].asi_units == 2 ? 1.0f : 1.15f;
    flt.vind = 1.12f * pln[0].Vne / units;
    mod_sec();
    mod_sec();
    int over = 0;
    for (const auto& a : recorded_alerts()) over += a.l1 == "You just busted the redline speed.";
    EXPECT_EQ(over, 1);
    EXPECT_EQ(flt.over_vne, 1);

    clear_recorded_alerts();
    flt.vind = 1.05f * pln[0].Vfe / units;
    flt.flap = 0.5f;
    mod_sec();
    mod_sec();
    flt.flap = 0.0f;      // retracted: the warning re-arms
    mod_sec();
    EXPECT_EQ(flt.over_vfe, 0);
    flt.flap = 0.5f;
    mod_sec();
    int flaps = 0;
    for (const auto& a : recorded_alerts()) {
        if (a.l1 != "You just extended the flaps above Vfe.") continue;
        flaps++;
        EXPECT_EQ(a.code, 2002);
    }
    EXPECT_EQ(flaps, 2);
}

TEST_F(EventWorld, AirframeAndCarburettorIce)
{
    pln[0].entype = 1;
    atm.cld_type = 4;
    atm.baseMSL = 500.0f;
    atm.topsMSL = 3000.0f;
    flt.onground = 0;
    struct Case {
        float y, c;          // height, temperature (C)
        int anti;            // anti-ice working and on
        float ice_per_s;
    } cases[] = {
        {1000.0f, -10.0f, 0, 0.00333f},
        {1000.0f, -25.0f, 0, 0.0f},
        {4000.0f, -10.0f, 0, 0.0f},                    // above the tops
        {1000.0f, 5.0f, 0, -5.0f * 0.000333f},         // melts above freezing
        {1000.0f, -10.0f, 1, 0.00333f - 0.01f},
    };
    for (const Case& k : cases) {
        flt.Y[0] = k.y;
        atm.T = 273.15f + k.c;
        pln[0].antiiceEQ = k.anti;
        ins.antiice_on = k.anti;
        flt.frame_ice = 0.5f;
        mod_sec();
        EXPECT_NEAR(flt.frame_ice, 0.5f + k.ice_per_s, 1e-5f) << k.y << " " << k.c;
    }
    // Carburettor ice grows at part power in damp mild air and the heat clears it.
    atm.T = 273.15f + 10.0f;
    flt.tac[0] = 0.75f * pln[0].omegamingreen;
    flt.carb_ice[0] = 0.1f;
    flt.heat[0] = 0.0f;
    mod_sec();
    EXPECT_NEAR(flt.carb_ice[0], 0.105f, 1e-5f);
    flt.tac[0] = 1.5f * pln[0].omegamingreen;
    mod_sec();
    EXPECT_NEAR(flt.carb_ice[0], 0.095f, 1e-5f);
    flt.heat[0] = 0.25f;
    mod_sec();
    EXPECT_NEAR(flt.carb_ice[0], 0.095f - 0.01f - 0.05f, 1e-5f);
    flt.heat[0] = 1.0f;
    mod_sec();
    EXPECT_EQ(flt.carb_ice[0], 0.0f);
}

TEST_F(EventWorld, SlowFramesThinTheVisibilityAndWarnOnce)
{
    set.warn_frame = 1;
    atm.cld_type = 1;
    atm.vis_mult = 1.0f;
    msc.prd = 0.2f;
    for (int s = 0; s < 10; s++) mod_sec();
    EXPECT_NEAR(atm.vis_mult, std::pow(0.96f, 10.0f), 1e-4f);
    int notices = 0;
    for (const auto& a : recorded_alerts())
        notices += a.l1.rfind("Warning: The simulator is running too slow", 0) == 0 && a.code == 2002;
    EXPECT_EQ(notices, 1);
    // Fast frames bring it back, up to 1.
    msc.prd = 0.02f;
    for (int s = 0; s < 200; s++) mod_sec();
    EXPECT_GT(atm.vis_mult, 0.98f);
    EXPECT_LE(atm.vis_mult, 1.0f);
}

TEST_F(EventWorld, StickCentresWithDynamicPressure)
{
    struct Case {
        int hydraulic;
        float qratio;
        int strength;
    } cases[] = {{0, 0.5f, 37}, {0, 1.0f, 75}, {1, 1.0f, 0}};
    for (const Case& k : cases) {
        pln[0].ff_hydraulic = k.hydraulic;
        flt.Qratio = k.qratio;
        PLT_force_log_clear();
        mod_sec();
        auto x = evt_forces(FF_X_SPRING), y = evt_forces(FF_Y_SPRING);
        ASSERT_EQ(x.size(), 1u);
        ASSERT_EQ(y.size(), 1u);
        EXPECT_EQ(x[0].a, 0);
        EXPECT_EQ(x[0].b, k.strength);
        EXPECT_EQ(y[0].b, k.strength);
    }
}

TEST_F(EventWorld, WeatherDriftsWithTheChangeRate)
{
    atm.temp_SL = 59.0f;
    atm.baseMSL = 1500.0f;
    atm.topsMSL = 4000.0f;
    struct Case {
        float rate, start, after_100;
    } cases[] = {
        {0.5f, 3.0f, 2.0f},    // improving: the severities fall a hundredth a second
        {0.5f, 1.5f, 1.0f},    // and stop at 1
        {-0.5f, 1.0f, 2.0f},   // worsening: they rise, to 2 at least
        {0.0f, 3.0f, 3.0f},    // steady
    };
    for (const Case& k : cases) {
        atm.rate_change = k.rate;
        atm.rain_tstm = atm.wind_tbl = atm.burst_prob = k.start;
        float base = atm.baseMSL, tops = atm.topsMSL;
        for (int s = 0; s < 100; s++) mod_sec();
        EXPECT_NEAR(atm.rain_tstm, k.after_100, 0.005f) << k.rate << " " << k.start;
        EXPECT_NEAR(atm.wind_tbl, k.after_100, 0.005f);
        EXPECT_NEAR(atm.burst_prob, k.after_100, 0.005f);
        // A waning storm lifts the base and lowers the tops, a growing one the other way.
        if (k.after_100 < k.start) {
            EXPECT_GT(atm.baseMSL, base);
            EXPECT_LT(atm.topsMSL, tops);
        }
        if (k.after_100 > k.start) {
            EXPECT_LT(atm.baseMSL, base);
        }
        EXPECT_FLOAT_EQ(atm.baseAGL, atm.baseMSL - env.localh_cg);
    }
    // Above 2 a worsening storm wanders either way but stays within 1..5.
    atm.rate_change = -1.0f;
    atm.rain_tstm = 4.9f;
    float lo = 5.0f, hi = 0.0f;
    for (int s = 0; s < 2000; s++) {
        mod_sec();
        lo = std::fmin(lo, atm.rain_tstm);
        hi = std::fmax(hi, atm.rain_tstm);
    }
    EXPECT_GE(lo, 2.0f);
    EXPECT_LE(hi, 5.0f);
    EXPECT_GT(hi - lo, 0.1f);
    // Rain sounds while it is warm enough to rain; snow falls silently.
    EXPECT_TRUE(PLT_voice_playing(SND_RAIN));
    atm.temp_SL = 20.0f;
    mod_sec();
    EXPECT_FALSE(PLT_voice_playing(SND_RAIN));
}

TEST_F(EventWorld, ThunderstormsThrowLightningWithThunderByDistance)
{
    atm.rate_change = 0.0f;
    atm.cld_type = 4;
    atm.baseMSL = env.localh_cg + 800.0f;
    atm.topsMSL = env.localh_cg + 9000.0f;
    atm.rain_tstm = 5.0f;
    flt.X[0] = 0.5 * env.dx;
    flt.Z[0] = 0.5 * env.dz;
    int strikes = 0;
    float last_stop = -1.0f;
    for (int s = 0; s < 120; s++) {
        msc.elap_time = 1000.0f + (float)s;
        evt_hush();
        mod_sec();
        if (atm.strike_stop_time == last_stop) continue;
        strikes++;
        last_stop = atm.strike_stop_time;
        float len = atm.strike_stop_time - msc.elap_time;
        EXPECT_TRUE(len >= 0.199f && len <= 0.601f) << len;
        for (int b = 0; b < 4; b++) {
            EXPECT_NEAR(atm.lightXYZ[b][0][1], atm.baseMSL, 0.01f);
            EXPECT_NEAR(atm.lightXYZ[b][19][1], env.localh_cg, 0.01f);
        }
        // Thunder as loud and as high as 5 nm over the distance allows.
        float d = std::hypot(atm.lightXYZ[0][0][0] - (float)flt.X[0], atm.lightXYZ[0][0][2] - (float)flt.Z[0]);
        float nm = d * con.mtrstonm;
        EXPECT_TRUE(nm > 0.4f && nm < 10.2f) << nm;
        float near = 5.0f / nm;
        EXPECT_TRUE(PLT_voice_playing(SND_THUNDER));
        EXPECT_NEAR(PLT_voice_volume(SND_THUNDER), -5000.0f + 5000.0f * std::fmin(near, 1.0f), 60.0f);
        EXPECT_NEAR(PLT_voice_rate(SND_THUNDER), 22050.0f * 0.67f * fltlim(near, 0.3f, 1.0f), 180.0f);
    }
    // At storm level 5 a strike comes every 1.7 to 10 s.
    EXPECT_GE(strikes, 12);
    EXPECT_LE(strikes, 72);
    // Rain without thunderstorms throws none.
    atm.rain_tstm = 2.5f;
    for (int s = 0; s < 100; s++) {
        msc.elap_time = 2000.0f + (float)s;
        mod_sec();
        ASSERT_EQ(atm.strike_stop_time, last_stop);
    }
}

TEST_F(EventWorld, HydraulicsFollowTheEnginesAndOilDrainsAfterAPumpFailure)
{
    planestruct& pl = pln[0];
    pl.ff_hydraulic = 1;
    flt.onground = 0;
    flt.eng_running[0] = 1;
    flt.tac[0] = 0.5f * pl.omegamax;
    mod_sec();
    EXPECT_NEAR(rel.hyd_rat, 0.95f, 1e-5f);   // 0.9 + 0.1 * (0.5 / 1 engine)
    EXPECT_EQ(rel.RAT_on, 0);
    pl.ff_hydraulic = 0;
    mod_sec();
    EXPECT_FLOAT_EQ(rel.hyd_rat, 1.0f);

    EXPECT_FLOAT_EQ(rel.oil_rat, 1.0f);
    rel.oilpmp[0] = 0;
    for (int s = 0; s < 150; s++) mod_sec();
    EXPECT_NEAR(rel.oil_rat, 0.5f, 1e-3f);
    for (int s = 0; s < 200; s++) mod_sec();
    EXPECT_EQ(rel.oil_rat, 0.0f);
}

TEST_F(EventWorld, RadiosAreRetunedEveryFifthSecond)
{
    int tuned = 0;
    for (int s = 0; s < 20; s++) {
        nav.goodnav[1] = 1;   // no station on the frequency: a retune clears it
        mod_sec();
        tuned += nav.goodnav[1] == 0;
    }
    EXPECT_EQ(tuned, 4);
}

}  // namespace
