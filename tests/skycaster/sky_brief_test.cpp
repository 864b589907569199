// sky_brief_test.cpp -- Skycaster's briefing text: whole briefings of fixed flights composed from the
// bundled airports and reports, with every figure (distances, times, winds, heights) worked by hand
// in the comments; the spoken report's phrases at their thresholds; the en-route estimate; the
// nearest stations against a full sort.
#include "hl_funct.h"
#include "sky_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

class BundledBriefing : public ::testing::Test {
protected:
    void SetUp() override
    {
        skytest::load_bundled(cfg_.str());
        ASSERT_TRUE(recorded_alerts().empty());
    }
    std::string para(int p) const { return sky_text[p]; }
    TempDir cfg_, craft_;
};

// San Bernardino Intl to Los Angeles Intl at 5000 ft in a piston single of Vno 160 kt, every phrase
// choice at its start value 1.
TEST_F(BundledBriefing, SanBernardinoToLosAngelesInAPistonSingle)
{
    skytest::write_aircraft(craft_.str() + "/Trainer.acf", "N4711K", 160, 1);
    skytest::choose_aircraft(craft_.str(), "Trainer.acf");
    // Vcruise = 160 * 0.75 * 1.1 = 132 kt.
    EXPECT_NEAR(bri.Vcruise, 132.0f, 1e-3);
    bri.dep = skytest::airport("KSBD");
    bri.arr = skytest::airport("KLAX");
    ASSERT_GE(bri.dep, 0);
    ASSERT_GE(bri.arr, 0);
    sky_compose(1, 1, 1, 1, 1, 1, 1, 1);

    // First runways: KSBD 34.095402 -117.234901, KLAX 33.950603 -118.416557. dlat -0.144799,
    // dlon -1.181656: sqrt(0.020967 + 1.396311) = 1.190495 degrees = 71.430 nm; / 132 kt =
    // 0.5411 h, + 0.6 = 1.1411 h, "1.1". The last report of the file is 1650 (KEMT): + 20 min = 1710.
    EXPECT_EQ(para(0), "Hello, this is N4711K, a Trainer, planning a flight from San Bernardino Intl to Los Angeles "
                       "Intl. Estimated time of departure will be 1710 zulu, estimating 1.1 hours enroute at 5000 "
                       "feet, and requesting a standard.");
    // KSBD SA 1651 25 SCT 80 BKN 10 R- 65/55/2710G20/992: broken (the last layer's cover) at the
    // lowest layer, 2500 ft; 10 nm in light rain; wind 270 at 10 gusting 20; 29.92 in.
    EXPECT_EQ(para(1), "OK then, for your departure, at 1651 zulu, San Bernardino Intl is reporting skies 2500 "
                       "broken, visibility 10 miles in light rain. Ah, Temperature 65, dewpoint 55. Now for the "
                       "winds... Wind 270 at 10 gust 20, barometric pressure 2992. ");
    // Nearest KLAX: KLAX itself (0), KSMO (0.0739 degrees), KHHR (0.0860).
    // KLAX SA 1650 8 SCT 25 BKN 7 H ...: broken at 800 ft; 7 nm with "H" no precipitation word and 7
    // not below 7, so no haze; wind 250 at 8, no gust.
    EXPECT_EQ(para(2), "For your destination, ah, at 1650 zulu, Los Angeles Intl is reporting skies 800 broken, "
                       "visibility 7 miles. Ah, Temperature 66, dewpoint 58. Now for the winds... Wind 250 at 8, "
                       "barometric pressure 2992. ");
    // KSMO SA 1650 4 BKN 12 OVC 1/2 F 59/58/0000/991: overcast at 400 ft; the fraction 1/2 before
    // "F" is 0.5 nm, haze below 7 miles; wind 0000 is calm; 29.91 in.
    EXPECT_EQ(para(3), "Also, at 1650 zulu, Santa Monica Muni is reporting skies 400 overcast, visibility about a "
                       "half-mile in haze. Ah, Temperature 59, dewpoint 58. Now for the winds... Wind calm, "
                       "barometric pressure 2991. ");
    // KHHR SA 1652 10 SCT 10 66/57/2509/992: scattered at 1000 ft, 10 nm (three words between the
    // time and the slash group: no precipitation is looked for).
    EXPECT_EQ(para(4), "And finally, at 1652 zulu, Hawthorne Muni is reporting skies 1000 scattered, visibility 10 "
                       "miles. Ah, Temperature 66, dewpoint 57. Now for the winds... Wind 250 at 9, barometric "
                       "pressure 2992. ");
}

// Palm Springs Intl to McClellan Palomar Carlsbad at 17500 ft in a jet of Vno 300 kt, with other
// phrase choices: openers 3, 4, 5, 6 and fillers 2, 5, 7, 3.
TEST_F(BundledBriefing, PalmSpringsToCarlsbadInAJet)
{
    skytest::write_aircraft(craft_.str() + "/Courier Jet.acf", "N302JT", 300, 4);
    skytest::choose_aircraft(craft_.str(), "Courier Jet.acf");
    // Vcruise = 300 * 0.75 * 2.0 = 450 kt.
    EXPECT_NEAR(bri.Vcruise, 450.0f, 1e-3);
    bri.dep = skytest::airport("KPSP");
    bri.arr = skytest::airport("KCRQ");
    bri.alt = 17500;
    sky_compose(3, 4, 5, 6, 2, 5, 7, 3);

    // KPSP 33.827999 -116.502998 to KCRQ 33.128300 -117.280197: dlat -0.699699, dlon -0.777199:
    // sqrt(0.489579 + 0.604038) = 1.045762 degrees = 62.746 nm; / 450 kt = 0.1394 h, + 0.6 = 0.74 h.
    EXPECT_EQ(para(0), "Hello, this is N302JT, a Courier Jet, planning a flight from Palm Springs Intl to McClellan "
                       "Palomar Carlsbad. Estimated time of departure will be 1710 zulu, estimating 0.7 hours "
                       "enroute at 17500 feet, and requesting a standard.");
    // KPSP SA 1653 CLR 30 96/30/2915G25/986: clear, 30 nm; gust 25 - 15 = 10 above the speed, spoken
    // as 15 + 10 = 25.
    EXPECT_EQ(para(1), "OK, for your departure airport, at 1653 zulu, Palm Springs Intl is reporting clear skies, "
                       "visibility 30 miles. Let's see, Temperature 96, dewpoint 30. Let's check the winds... Wind "
                       "290 at 15 gust 25, barometric pressure 2986. ");
    // Nearest KCRQ: KCRQ (0), KOKB (0.1141), KNFG (0.1885).
    // KCRQ SA 1650 8 OVC 1 R+F ...: overcast 800 ft, 1 nm ("one mile", 0.8 <= 1 < 1.1), heavy rain
    // and fog; 18 12 gusting 24.
    EXPECT_EQ(para(2), "For your destination, let's see what we've got here, at 1650 zulu, McClellan Palomar "
                       "Carlsbad is reporting skies 800 overcast, visibility one mile in heavy rain and fog. Lemme "
                       "see here... Temperature 60, dewpoint 59. Let's see what the wind is doing... Wind 180 at 12 "
                       "gust 24, barometric pressure 2978. ");
    // KOKB SA 1650 6 SCT 15 BKN 5 R ...: broken at 600 ft, 5 nm in moderate rain; filler 7 says nothing.
    EXPECT_EQ(para(3), "Let's also look at this one... at 1650 zulu, Oceanside Muni is reporting skies 600 broken, "
                       "visibility 5 miles in moderate rain. Temperature 62, dewpoint 58. Wind 200 at 10, "
                       "barometric pressure 2986. ");
    // KNFG SA 1655 15 SCT 10 65/57/2807/993.
    EXPECT_EQ(para(4), "Lemme also give you this last one... at 1655 zulu, Camp Pendleton MCAS Munn Fld is reporting "
                       "skies 1500 scattered, visibility 10 miles. Let's see here, Temperature 65, dewpoint 57. OK, "
                       "Wind 280 at 7, barometric pressure 2993. ");
}

// Every bundled airport as the destination: the three slots hold the three nearest stations in
// order, as a full sort of all distances (station order breaking ties) gives them.
TEST_F(BundledBriefing, DestinationSlotsHoldTheThreeNearestStations)
{
    ASSERT_EQ(wxr_apt_max, 40);
    for (int a = 0; a <= apt_wrl_max; a++) {
        const float lat = rwy_lat[apt_lo_ind[a]], lon = rwy_lon[apt_lo_ind[a]];
        std::vector<std::pair<double, int>> all;
        for (int s = 0; s <= wxr_apt_max; s++)
            all.push_back({std::hypot(double(wxr_lat[s]) - lat, double(wxr_lon[s]) - lon), s});
        std::stable_sort(all.begin(), all.end(),
                         [](const auto& x, const auto& y) { return x.first < y.first; });
        int slot[3];
        sky_nearest_three(lat, lon, slot);
        SCOPED_TRACE(apt_id[a]);
        for (int k = 0; k < 3; k++) EXPECT_EQ(slot[k], all[k].second) << "slot " << k;
        EXPECT_EQ(sky_nearest_station(lat, lon), all[0].second);
    }
}

// ---- a synthetic station --------------------------------------------------------------------------

class OneStation : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        hl_fill_constants();
        sky_clear_stations();
        wxr_apt_max = 1;
        std::snprintf(wxr_name[1], SKY_NAME_LEN, "%s", "Testfield");
    }
    std::string spoken(int c = 6)
    {
        char text[SKY_TEXT_LEN] = "";
        spit_a_field(text, sizeof text, 1, c);
        return text;
    }
};

// A station with nothing reported still gives a whole sentence.
TEST_F(OneStation, NothingReported)
{
    EXPECT_EQ(spoken(), "Testfield is not reporting sky conditions right now, visibility not reported. "
                        "barometric pressure not reported.");
}

// The visibility phrases at their thresholds (nautical miles), with and without weather.
TEST_F(OneStation, VisibilityPhrases)
{
    struct Case {
        float nm;
        int kind, den;
        const char* phrase;
    };
    const Case cases[] = {
        {0.25f, -99, -99, "visibility only one-quarter mile in haze. "},
        {0.5f, -99, -99, "visibility about a half-mile in haze. "},
        {0.75f, -99, -99, "visibility three-quarters in haze. "},
        {1.0f, -99, -99, "visibility one mile in haze. "},
        {6.6f, -99, -99, "visibility 7 miles in haze. "},   // spoken as 7 but below 7: haze
        {7.0f, -99, -99, "visibility 7 miles. "},
        {3.0f, 1, 1, "visibility 3 miles in light thunderstorms. "},
        {3.0f, 1, 2, "visibility 3 miles in thunderstorms. "},
        {3.0f, 1, 3, "visibility 3 miles in severe thunderstorms. "},
        {3.0f, 2, 2, "visibility 3 miles in moderate rain. "},
        {3.0f, 3, 1, "visibility 3 miles in light rain and fog. "},
        {3.0f, 4, 3, "visibility 3 miles in heavy rain showers. "},
    };
    wxr_cld_type[1] = 1;
    for (const Case& c : cases) {
        wxr_vis[1] = c.nm * con.nmtomtrs;
        wxr_obs_vis[1] = c.kind;
        wxr_obs_den[1] = c.den;
        SCOPED_TRACE(c.nm);
        EXPECT_EQ(spoken(), std::string("Testfield is reporting clear skies, ") + c.phrase +
                                "barometric pressure not reported.");
    }
}

// The sky: clear, a layer at its base rounded to 100 ft, a cover without a base.
TEST_F(OneStation, SkyPhrases)
{
    struct Case {
        int type;
        float base_ft;
        const char* phrase;
    };
    const Case cases[] = {
        {1, 3000, " is reporting clear skies, "},
        {2, 2449, " is reporting skies 2400 scattered, "},
        {3, 2451, " is reporting skies 2500 broken, "},
        {4, 800, " is reporting skies 800 overcast, "},
        {3, -99, " is reporting overcast skies, "},
    };
    for (const Case& c : cases) {
        wxr_cld_type[1] = c.type;
        wxr_cld_base[1] = c.base_ft > 0 ? c.base_ft * con.fttomtrs : c.base_ft;
        SCOPED_TRACE(c.phrase);
        EXPECT_EQ(spoken(), std::string("Testfield") + c.phrase +
                                "visibility not reported. barometric pressure not reported.");
    }
}

// The wind: calm below 2 kt, light and variable below 5, else the direction to the nearest 10 and
// the gust as the total; an unreported direction or speed says nothing.
TEST_F(OneStation, WindPhrases)
{
    struct Case {
        float dir, spd, gust;
        const char* phrase;
    };
    const Case cases[] = {
        {250, 1, 0, "Wind calm, "},
        {250, 3, 0, "Wind light and variable, "},
        {254, 5, 0, "Wind 250 at 5, "},
        {256, 12, 0, "Wind 260 at 12, "},
        {360, 14, 8, "Wind 360 at 14 gust 22, "},
        {-99, 14, 8, ""},
        {250, -99, 0, ""},
    };
    wxr_baro[1] = 30.12f;
    for (const Case& c : cases) {
        wxr_wnd_dir[1] = c.dir;
        wxr_wnd_spd[1] = c.spd;
        wxr_wnd_gus[1] = c.gust;
        SCOPED_TRACE(c.phrase);
        EXPECT_EQ(spoken(), std::string("Testfield is not reporting sky conditions right now, visibility not "
                                        "reported. ") +
                                c.phrase + "barometric pressure 3012. ");
    }
}

// Temperatures of 0 or below are not spoken; both must be above 0.
TEST_F(OneStation, TemperatureSpokenOnlyAboveZero)
{
    const std::string head = "Testfield is not reporting sky conditions right now, visibility not reported. ";
    const std::string tail = "barometric pressure not reported.";
    wxr_temp[1] = 71.4f;
    wxr_dewp[1] = 60.5f;
    EXPECT_EQ(spoken(), head + "Temperature 71, dewpoint 61. " + tail);
    wxr_temp[1] = -5;
    EXPECT_EQ(spoken(), head + tail);
    wxr_temp[1] = 40;
    wxr_dewp[1] = 0;
    EXPECT_EQ(spoken(), head + tail);
}

// The report time leads the sentence in four digits; the fillers follow the visibility and the
// temperature, by choice.
TEST_F(OneStation, TimeAndFillers)
{
    wxr_z_time[1] = 905;
    wxr_temp[1] = 50;
    wxr_dewp[1] = 40;
    const std::string lead = "at 0905 zulu, Testfield is not reporting sky conditions right now, visibility not reported. ";
    const char* fill[9] = {"Ah, ", "Let's see, ", "Let's see here, ", "OK... ", "Lemme see here... ", "", "", "", ""};
    const char* wind[9] = {"Now for the winds... ", "Let's check the winds... ", "OK, ", "For the winds... ",
                           "Let's see what the wind is doing... ", "", "", "", ""};
    for (int c = 1; c <= 9; c++) {
        SCOPED_TRACE(c);
        EXPECT_EQ(spoken(c), lead + fill[c - 1] + "Temperature 50, dewpoint 40. " + wind[c - 1] +
                                 "barometric pressure not reported.");
    }
}

// ---- the flight plan --------------------------------------------------------------------------------

// Two airports on the equator, a given number of degrees apart in longitude.
class TwoAirports : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        hl_fill_constants();
        sky_clear_stations();
        bri = {};
        bri.alt = 5000;
        bri.dep_ztime = 1710;
        apt_wrl_max = 1;
        rwy_wrl_max = 1;
        for (int a = 0; a < 2; a++) {
            apt_lo_ind[a] = apt_hi_ind[a] = a;
            std::snprintf(apt_name[a], APT_NAME_LEN, "%s", a ? "Eastfield" : "Westfield");
        }
        std::snprintf(pln[0].tailnum, sizeof pln[0].tailnum, "%s", "N1");
        std::snprintf(pln[0].C_file, sizeof pln[0].C_file, "%s", "Hopper.acf");
        bri.dep = 0;
        bri.arr = 1;
    }
    std::string plan(float degrees, float Vcruise)
    {
        rwy_lon[1] = degrees;
        bri.Vcruise = Vcruise;
        char out[SKY_TEXT_LEN];
        sky_flight_plan(out, sizeof out);
        return out;
    }
};

TEST_F(TwoAirports, EnrouteEstimate)
{
    const std::string head = "Hello, this is N1, a Hopper, planning a flight from Westfield to Eastfield. Estimated "
                             "time of departure will be 1710 zulu, ";
    // No aircraft read: no estimate.
    EXPECT_EQ(plan(1, 0), head + "at 5000 feet, and requesting a standard.");
    // 1 degree = 60 nm at 120 kt: 0.5 h + 0.6 = 1.1 h.
    EXPECT_EQ(plan(1, 120), head + "estimating 1.1 hours enroute at 5000 feet, and requesting a standard.");
    // 3.95 degrees = 237 nm at 100 kt: 2.37 + 0.6 = 2.97 h, which is 3.0 hours, not "2.10".
    EXPECT_EQ(plan(3.95f, 100), head + "estimating 3.0 hours enroute at 5000 feet, and requesting a standard.");
    // The same route at 1 kt: a speed of 1 or less gives no estimate.
    EXPECT_EQ(plan(3.95f, 1), head + "at 5000 feet, and requesting a standard.");
}

TEST_F(TwoAirports, AltitudeAndTimeFormats)
{
    bri.alt = 12499.6f;
    bri.dep_ztime = 10;
    EXPECT_EQ(plan(0, 0), "Hello, this is N1, a Hopper, planning a flight from Westfield to Eastfield. Estimated time "
                          "of departure will be 0010 zulu, at 12500 feet, and requesting a standard.");
}

// An airport without a runway has no position to measure from: no estimate, and no reading outside
// the runway table.
TEST_F(TwoAirports, AirportWithoutRunwayGivesNoEstimate)
{
    apt_lo_ind[1] = 2;
    apt_hi_ind[1] = 1;
    EXPECT_EQ(plan(1, 120), "Hello, this is N1, a Hopper, planning a flight from Westfield to Eastfield. Estimated "
                            "time of departure will be 1710 zulu, at 5000 feet, and requesting a standard.");
}

// ---- times and speeds -------------------------------------------------------------------------------

TEST(SkyTimes, SecondsBecomeHoursAndMinutes)
{
    const std::pair<float, int> cases[] = {
        {0, 0}, {60660, 1651}, {61800, 1710}, {86399, 2359}, {86400 + 600, 10}, {-600, 2350},
    };
    for (const auto& c : cases) EXPECT_EQ(sky_hhmm(c.first), c.second) << c.first;
}

// Twenty minutes after a report at 23:50 is ten past midnight.
TEST(SkyTimes, DepartureWrapsPastMidnight)
{
    bri = {};
    bri.dep_ztime = 23 * 3600 + 50 * 60;
    sky_finish_times();
    EXPECT_EQ(bri.dep_ztime, 10.0f);
}

TEST(SkyCruise, SpeedFromVnoAndEngine)
{
    const struct {
        int entype;
        float expected;   // for Vno 200 kt: 150 kt times the engine's factor
    } cases[] = {{1, 165}, {2, 165}, {3, 225}, {4, 300}, {5, 300}};
    for (const auto& c : cases) EXPECT_NEAR(sky_cruise_speed(200, c.entype), c.expected, 1e-3) << c.entype;
}

}  // namespace
