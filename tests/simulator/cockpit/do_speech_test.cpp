// do_speech_test.cpp -- the controllers' phrases built exactly for fixed situations, the sentence
// kept, shown and cut, random calls within their forms, vectors, and speech through the engine
// (samples reach the mixer) or without it (nothing harmful).
#include "do_speech.h"
#include "hl_funct.h"
#include "hl_string.h"
#include "hl_types.h"
#include "kvdb.h"
#include "kvtest.h"
#include "plt_audio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace {

class Phrases : public ::testing::Test {
protected:
    char buf[STR_LEN];

    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        con.mtrstoft = 3.2808399f;
        con.fttomtrs = 1.0f / con.mtrstoft;
        std::snprintf(pln[0].C_name, STR_LEN, "Kestrel");
        std::snprintf(pln[0].tailnum, STR_LEN, "N123AB");
        pln[0].us_alt = 1;
        buf[0] = 0;
        hl_srand(12345);
        reset_vectors();
    }
    std::string built() const { return buf; }
};

TEST_F(Phrases, FrequenciesHeadingsAndSquawks)
{
    app_freq(buf, 121, 50);
    EXPECT_EQ(built(), "1 2 1 point 5 0");
    buf[0] = 0;
    app_freq(buf, 118, 5);
    EXPECT_EQ(built(), "1 1 8 point 0 5");

    struct Row {
        float heading;
        int step;
        const char* said;
    } rows[] = {{0, 10, "3 6 0"},   {360, 10, "3 6 0"}, {4, 10, "3 6 0"},  {90, 10, "0 9 0"},
                {275, 10, "2 8 0"}, {274, 5, "2 7 5"},  {-90, 10, "2 7 0"}, {725, 5, "0 0 5"},
                {356, 10, "3 6 0"}, {181, 1, "1 8 1"}};
    for (const Row& r : rows) {
        buf[0] = 0;
        app_heading_string(buf, r.heading, r.step);
        EXPECT_EQ(built(), r.said) << r.heading << " step " << r.step;
    }

    std::regex squawk("[0-7] [0-7] [0-7] [0-7]");
    for (int i = 0; i < 50; i++) {
        buf[0] = 0;
        app_squawk(buf);
        EXPECT_TRUE(std::regex_match(built(), squawk)) << built();
    }
}

TEST_F(Phrases, TurnsTakeTheShorterWay)
{
    struct Row {
        float magpsi, heading;
        const char* said;
    } rows[] = {{90, 80, "turn left heading 0 8 0"},   {90, 100, "turn right heading 1 0 0"},
                {90, 90, "turn left heading 0 9 0"},   {90, 270, "turn right heading 2 7 0"},
                {350, 10, "turn right heading 0 1 0"}, {10, 350, "turn left heading 3 5 0"},
                {270, 90, "turn right heading 0 9 0"}};
    for (const Row& r : rows) {
        flt.magpsi = r.magpsi;
        buf[0] = 0;
        app_turn_string(buf, r.heading, 10);
        EXPECT_EQ(built(), r.said) << r.magpsi << " to " << r.heading;
    }
}

TEST_F(Phrases, AltimeterSettings)
{
    struct Row {
        int us;
        float inches;
        const char* said;
    } rows[] = {{1, 29.92f, "altimeter 29.92"}, {0, 29.92f, "area QNH 1013."}, {1, 30.01f, "altimeter 30.01"},
                {1, 28.5f, "altimeter 28.50"},  {0, 28.5f, "area QNH 965."},   {0, 30.5f, "area QNH 1033."}};
    for (const Row& r : rows) {
        pln[0].us_alt = r.us;
        buf[0] = 0;
        app_altimeter_string(buf, r.inches);
        EXPECT_EQ(built(), r.said) << r.inches;
    }
}

TEST_F(Phrases, Winds)
{
    struct Row {
        float dir, speed, variation, gust;
        const char* said;
    } rows[] = {
        {270, 0, 0, 0, "Wind calm"},
        {270, 3, 0, 1, "Wind light and variable"},
        {270, 2, 30, 0, "Wind light and variable"},
        {270, 12, 0, 8, "Wind shear alert. Wind 270 at 12 gust 20"},
        {270, 12, 0, 0, "Wind 270 at 12"},
        {268, 15, 0, 6, "Wind shear alert. Wind 270 at 15 gust 21"},
        {268, 15, 0, 5, "Wind 270 at 15"},
        {90, 10, 0, 5, "Wind 90 at 10"},
        {183, 8, 40, 0, "Wind 180 at 8 variable 140 to 220"},
        {10, 8, 30, 0, "Wind 10 at 8 variable 340 to 40"},
        {2, 6, 0, 0, "Wind 360 at 6"},
    };
    for (const Row& r : rows) {
        buf[0] = 0;
        app_wind_string(buf, r.dir, r.speed, r.variation, r.gust);
        EXPECT_EQ(built(), r.said) << r.dir << "/" << r.speed << " var " << r.variation << " gust " << r.gust;
    }
}

TEST_F(Phrases, CallSigns)
{
    start_command_string(buf, 1);
    EXPECT_EQ(built(), "Kestrel november one two three alpha bravo ");
    // The call starts the sentence afresh.
    start_command_string(buf, 1);
    app_C(buf, "Wind check please.");
    app_wind_string(buf, 0, 0, 0, 0);
    start_command_string(buf, 1);
    app_wind_string(buf, 270, 12, 0, 8);
    app_C(buf, ".");
    EXPECT_EQ(built(), "Kestrel november one two three alpha bravo Wind shear alert. Wind 270 at 12 gust 20.");

    const std::string digit = "(zero|one|two|three|four|five|six|seven|eight|niner)";
    const std::string letter =
        "(alpha|bravo|charlie|delta|echo|foxtrot|golf|hotel|india|juliet|kilo|leema|mike|november|oscar|"
        "papa|quebec|romeo|sierra|tango|uniform|victor|whiskey|x ray|yankee|zooloo)";
    std::regex made_up("november " + digit + " " + digit + " " + digit + " (" + digit + "|" + letter + ") " +
                       letter + " ");
    for (int i = 0; i < 100; i++) {
        start_command_string(buf, 0);
        EXPECT_TRUE(std::regex_match(built(), made_up)) << built();
    }
}

TEST_F(Phrases, AircraftTypesFitTheAltitude)
{
    const char* low_only[] = {"Cessna 152", "Cessna 172", "Piper Warrior", "Piper Archer", "Piper Arrow",
                              "Beech Duke", "Tobago", "Trinidad", "Mooney", "Glasair", "Lancair"};
    const char* high_only[] = {"Lear 35", "Lear 55", "Cessna Citation", "Boeing 727", "Boeing 737",
                               "Boeing 757", "Boeing 767", "Airbus A-300"};
    std::vector<std::string> low, high;
    for (int i = 0; i < 400; i++) {
        buf[0] = 0;
        app_rand_plane(buf, 5000);
        low.push_back(buf);
        buf[0] = 0;
        app_rand_plane(buf, 25000);
        high.push_back(buf);
    }
    for (const char* t : high_only) EXPECT_EQ(std::count(low.begin(), low.end(), t), 0) << t;
    for (const char* t : low_only) EXPECT_EQ(std::count(high.begin(), high.end(), t), 0) << t;
    EXPECT_GT(std::count(low.begin(), low.end(), "Cessna 172"), 0);
    EXPECT_GT(std::count(high.begin(), high.end(), "Airbus A-300"), 0);
    EXPECT_GT(std::count(high.begin(), high.end(), "Beech Duchess"), 0);   // 11 is in both ranges
}

TEST_F(Phrases, SentenceIsKeptShownAndCut)
{
    mnw.time_elapsed = 100.0f;
    set.text_out = 1;
    speakstring("Kestrel november one two three alpha bravo taxi runway 27.");
    EXPECT_STREQ(atc.response, "Kestrel november one two three alpha bravo taxi runway 27.");
    EXPECT_NEAR(atc.response_timeout, 100.0f + 0.1f * 58, 1e-4);

    std::string longer(500, 'x');
    speakstring(longer.c_str());
    EXPECT_EQ(std::strlen(atc.response), 399u);
    EXPECT_NEAR(atc.response_timeout, 100.0f + 39.9f, 1e-3);

    // Text output off: kept for "say again", not shown.
    set.text_out = 0;
    atc.response_timeout = 0;
    speakstring("say again please");
    EXPECT_STREQ(atc.response, "say again please");
    EXPECT_EQ(atc.response_timeout, 0.0f);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(Phrases, RandomCallsKeepToTheirForms)
{
    set.text_out = 1;
    flt.magpsi = 180;
    flt.Y[0] = 3000.0;   // m, about 9,800 ft
    std::vector<std::regex> forms = {
        std::regex("november .* squawk 1 2 0 0 good day\\."),
        std::regex("november .*  reset transponder squawk [0-7] [0-7] [0-7] [0-7]\\."),
        std::regex("november .* contact me on 1 [123] [0-9] point [0-9] [05] please\\."),
        std::regex("november .* you have traffic at your (10|11|12|1|2) o-clock, should be no factor\\."),
        std::regex("(november|Kestrel) .* turn (left|right) heading [0-3] [0-9] 0 vectors around a .* at your "
                   "(12|1|10|11) o-clock\\."),
        std::regex("(november|Kestrel) .* contact center on 1 [123] [0-9] point [0-9] [05]\\."),
    };
    int to_user = 0, handed = 0;
    for (int i = 0; i < 300; i++) {
        atc.waiting_new_frq = 0;
        to_user += make_random_call(1, 1);
        handed += atc.waiting_new_frq;
        std::string said = atc.response;
        bool matched = false;
        for (const std::regex& f : forms) matched = matched || std::regex_match(said, f);
        EXPECT_TRUE(matched) << said;
    }
    EXPECT_GT(to_user, 0);
    EXPECT_LT(to_user, 30);
    EXPECT_GT(handed, 0);

    // Without the user in the picture no call addresses the aircraft.
    for (int i = 0; i < 200; i++) {
        atc.waiting_new_frq = 0;
        EXPECT_EQ(make_random_call(0, 0), 0);
        EXPECT_EQ(atc.waiting_new_frq, 0);
        EXPECT_EQ(std::string(atc.response).find("Kestrel"), std::string::npos);
    }
    // High up there are no vectors around traffic.
    flt.Y[0] = 7000.0;
    for (int i = 0; i < 200; i++) EXPECT_EQ(make_random_call(1, 1), 0);
}

TEST_F(Phrases, VectorsGiveOnlyWhatChanged)
{
    flt.magpsi = 200;
    flt.Y[0] = 4950.0 * con.fttomtrs;
    env.localh_cg = 0;
    buf[0] = 0;
    EXPECT_EQ(vector_me(273, 5, 5000, 100, 1, buf), 1);
    EXPECT_EQ(built(), "turn right heading 2 7 5 climb and maintain 5000 feet ");
    // The same vector again, the aircraft within 200 ft of its altitude: nothing to say.
    buf[0] = 0;
    EXPECT_EQ(vector_me(274, 5, 5000, 100, 0, buf), 0);
    EXPECT_EQ(built(), "");
    // A heading change of 5 degrees is no new turn; 10 is.
    EXPECT_EQ(vector_me(280, 5, 5000, 100, 0, buf), 0);
    EXPECT_EQ(vector_me(285, 5, 5000, 100, 0, buf), 1);
    EXPECT_EQ(built(), "turn right heading 2 8 5 ");
    // Well below and climbing toward it: no reminder; below and level: reminded.
    buf[0] = 0;
    flt.Y[0] = 3000.0 * con.fttomtrs;
    flt.vY = 5.0;
    EXPECT_EQ(vector_me(285, 5, 5000, 100, 0, buf), 0);
    flt.vY = 0.0;
    EXPECT_EQ(vector_me(285, 5, 5000, 100, 0, buf), 1);
    EXPECT_EQ(built(), "climb and maintain 5000 feet ");
    // Above it and level: descend (the request is rounded to the step).
    buf[0] = 0;
    flt.Y[0] = 6000.0 * con.fttomtrs;
    EXPECT_EQ(vector_me(285, 5, 5040, 100, 0, buf), 1);
    EXPECT_EQ(built(), "descend and maintain 5000 feet ");
    flt.vY = -3.0;
    buf[0] = 0;
    EXPECT_EQ(vector_me(285, 5, 5040, 100, 0, buf), 0);
    // Over high ground the altitude is kept 1,500 ft above it: a new target.
    env.localh_cg = 4000.0f * con.fttomtrs;
    EXPECT_EQ(vector_me(285, 5, 3000, 100, 0, buf), 1);
    EXPECT_EQ(built(), "descend and maintain 5500 feet ");
}

TEST_F(Phrases, SpeechReachesTheMixerWithoutWaiting)
{
    PLT_speech_flush();
    ASSERT_EQ(initspeechsynth(), 1) << PLT_speech_error();
    msc.speech_avail = 1;
    set.voice_out = 1;
    speakstring("Call the ball.");
    ASSERT_TRUE(PLT_speech_wait(10000));
    int queued = PLT_speech_queued();
    EXPECT_GT(queued, 22050 / 4);   // a short sentence lasts well over a quarter second
    std::vector<float> out(2 * 48000);
    PLT_mix(out.data(), 48000, 48000);
    double energy = 0;
    for (float v : out) energy += static_cast<double>(v) * v;
    EXPECT_GT(std::sqrt(energy / out.size()), 0.01);
    EXPECT_TRUE(recorded_alerts().empty());
    PLT_speech_close();
    PLT_speech_flush();
}

// The engine, once loaded, stays loaded in its process (another test may have loaded it), so the
// engine-less checks run in a fresh process of this test alone, which names what went wrong.
TEST_F(Phrases, WithoutASpeechEngineSentencesAreOnlyShown)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::string wrong;
            auto check = [&wrong](bool ok, const char* what) {
                if (!ok) wrong += std::string(what) + "; ";
            };
            PLT_speech_flush();
            check(PLT_speech_say("hello") != 0, "a sentence was taken before any engine");
            TempDir empty;   // a data folder without the engine's data
            check(PLT_speech_init(empty.str().c_str()) == 0, "the engine started without its data");
            check(std::strcmp(PLT_speech_error(), "") != 0, "no reason given");
            check(PLT_speech_say("hello") != 0, "a sentence was taken without an engine");
            check(!PLT_speech_busy(), "busy without an engine");
            msc.speech_avail = 0;
            set.voice_out = 1;
            set.text_out = 1;
            speakstring("Call the ball.");
            check(std::strcmp(atc.response, "Call the ball.") == 0, "the sentence was not shown");
            check(PLT_speech_queued() == 0, "samples were queued");
            check(recorded_alerts().empty(), "an alert was raised");
            PLT_speech_close();
            std::fprintf(stderr, "%s\n", wrong.c_str());
            std::exit(wrong.empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace

namespace {

// One towered airport with two runways (9/27 and 4L/22R) in a loaded region, and its weather.
class AirportPhrases : public Phrases {
protected:
    TempDir dir;

    void SetUp() override
    {
        Phrases::SetUp();
        kvdb_set_units();
        std::snprintf(app_path, STR_LEN, "%s/", dir.str().c_str());
        apt_wrl_max = 0;
        rwy_wrl_max = 1;
        nav_wrl_max = 1;
        std::snprintf(apt_id[0], APT_ID_LEN, "KKES");
        std::snprintf(apt_name[0], APT_NAME_LEN, "Kestrova Municipal");
        apt_h[0] = 0;
        apt_twr[0] = 1;
        apt_inreg[0] = 1;
        apt_lo_ind[0] = 0;
        apt_hi_ind[0] = 1;
        runway(0, 9, ' ', 90);
        runway(1, 4, 'L', 40);
        atm.wnddir1 = 270;
        atm.wndspd1 = 12;
        atm.cld_type = 1;
        atm.vis_rep = 10 * con.nmtomtrs;
        atm.temp_SL = 59;
        atm.rain_tstm = 1;
        atm.baro = 29.92f;
        msc.zulu_time = 18.5f * 3600;
    }
    static void runway(int r, int num, char side, int hdng)
    {
        rwy_num[r] = num;
        rwy_lcr[r] = side;
        rwy_hdng[r] = hdng;
        rwy_lat[r] = 34.0f;
        rwy_lon[r] = -118.0f;
    }
    static void localizer(int k, int course, float dlat)
    {
        nav_wrl_max = k;
        nav_type[k] = 4;
        nav_hdng[k] = course;
        nav_lat[k] = 34.0f + dlat;
        nav_lon[k] = -118.0f;
    }
    std::string runway_said()
    {
        buf[0] = 0;
        app_current_rway_string(buf, 0);
        return buf;
    }
};

TEST_F(AirportPhrases, AtisFromThePresentWeather)
{
    get_ATIS(0, 'A', buf, 0);
    EXPECT_EQ(built(), "Kestrova Municipal information alpha. 18 hundred zooloo weather. Sky clear visibility 10. "
                       "Temperature 59 dewpoint 50. Wind 270 at 12, altimeter 29.92. Arriving and departing "
                       "runway 27. Advise on initial contact you have alpha.");

    // A low broken layer over a field 500 ft up, half a mile in rain, metric altimeter.
    apt_h[0] = 500 * con.fttomtrs;
    atm.cld_type = 3;
    atm.baseMSL = 2520 * con.fttomtrs;
    atm.vis_rep = 0.5f * con.nmtomtrs;
    atm.rain_tstm = 2;
    pln[0].us_alt = 0;
    get_ATIS(0, 'c', buf, 0);
    EXPECT_EQ(built(), "Kestrova Municipal information charlie. 18 hundred zooloo weather. Measured ceiling 2000 "
                       "broken R V R 3000, rain. Temperature 59 dewpoint 59. Wind 270 at 12, area QNH 1013.. "
                       "Arriving and departing runway 27. Advise on initial contact you have charlie.");
    // Snow below freezing, an overcast ceiling rounded to 500 above 10,000 ft.
    atm.temp_SL = 20;
    atm.cld_type = 4;
    atm.baseMSL = (500 + 12240) * con.fttomtrs;
    get_ATIS(0, 'D', buf, 0);
    EXPECT_NE(built().find("Measured ceiling 12000 overcast R V R 3000, snow. Temperature 20"), std::string::npos)
        << built();
}

TEST_F(AirportPhrases, AtisFromTheAirportsReport)
{
    dir.write("WORLD.RWX", "KXXX SA 1200 CLR 3 10/05/0905/999\nKKES SA 1651 25 SCT 80 BKN 10 R- 65/55/2710G20/992\n");
    get_ATIS(0, 'B', buf, 1);
    EXPECT_EQ(built(), "Kestrova Municipal information bravo. 16 hundred zooloo weather. Measured ceiling 2500 "
                       "broken visibility 10, rain. Temperature 65 dewpoint 55. Wind shear alert. Wind 270 at 10 "
                       "gust 20, altimeter 29.92. Arriving and departing runway 27. Advise on initial contact you "
                       "have bravo.");
    // Without the file the present weather stands.
    std::filesystem::remove(dir.path() / "WORLD.RWX");
    get_ATIS(0, 'B', buf, 1);
    EXPECT_NE(built().find("18 hundred zooloo weather. Sky clear visibility 10."), std::string::npos) << built();
}

TEST_F(AirportPhrases, ActiveRunwayFacesTheWindOrTheLocalizer)
{
    struct Row {
        float dir, speed;
        const char* said;
    } rows[] = {{270, 12, "runway 27"},         {90, 12, "runway 9"},           {40, 10, "runway 4 left"},
                {220, 10, "runway 22 right"},   {180, 10, "runway 22 right"},   {135, 10, "runway 9"},
                {270, 5, "runway 9"},           {220, 3, "runway 9"}};
    for (const Row& r : rows) {
        dir.write("WORLD.RWX", "KKES SA 1651 10 20/10/" + std::to_string(static_cast<int>(r.dir) / 10 * 100 +
                                                                      static_cast<int>(r.speed) + 100000).substr(2) +
                                   "/992\n");
        EXPECT_EQ(runway_said(), r.said) << r.dir << "/" << r.speed;
    }
    // A localizer within 5 nm marks the runway even against the wind; one farther out does not.
    dir.write("WORLD.RWX", "KKES SA 1651 10 20/10/2712/992\n");
    localizer(2, 40, 0.07f);   // 4.2 nm
    EXPECT_EQ(runway_said(), "runway 4 left");
    int r, e, ils, nav;
    ASSERT_EQ(get_active_rway(0, &r, &e, &ils, &nav), 1);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(e, 0);
    EXPECT_EQ(ils, 1);
    EXPECT_EQ(nav, 2);
    localizer(2, 40, 0.09f);   // 5.4 nm
    EXPECT_EQ(runway_said(), "runway 27");
    // Of two localizers the one whose course is nearer the wind.
    localizer(2, 40, 0.01f);
    localizer(3, 270, -0.01f);
    EXPECT_EQ(runway_said(), "runway 27");
}

TEST_F(AirportPhrases, UnnumberedAndMissingRunways)
{
    dir.write("WORLD.RWX", "KKES SA 1651 10 20/10/2212/992\n");
    rwy_num[1] = 99;
    EXPECT_EQ(runway_said(), "runway 27");   // the strip is passed over; 9/27 is nearest 220
    apt_hi_ind[0] = -1;                      // an airport without runways
    int r = -7, e = -7, ils = -7, nav = -7;
    EXPECT_EQ(get_active_rway(0, &r, &e, &ils, &nav), 0);
    EXPECT_EQ(r, -7);
    EXPECT_EQ(runway_said(), "");
    apt_lo_ind[0] = 15999;
    apt_hi_ind[0] = 15999;                   // past the loaded runways
    EXPECT_EQ(runway_said(), "");
}

}  // namespace
