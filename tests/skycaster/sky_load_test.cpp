// sky_load_test.cpp -- Skycaster's start-up reading: the bundled reports as stations, the
// simulator's weather from a preference file as station 0, the report file found by any letter
// case, the station limit, and the alerts of missing or damaged inputs.
#include "hl_funct.h"
#include "hl_wind.h"
#include "hl_worlddb.h"
#include "sky_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// A program folder of its own holding the bundled airports (and, per test, its own reports).
class OwnProgramFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(prog_.path() / NAV_DATA_FOLDER);
        fs::copy_file(fs::path(KV_PROGRAM_DIR) / NAV_DATA_FOLDER / "apt.dat", prog_.path() / NAV_DATA_FOLDER / "apt.dat");
        dir_ = prog_.str() + "/";
        skytest::start_state(cfg_.str(), dir_.c_str());
    }
    void reports(const std::string& name, const std::string& text) { prog_.write(name, text); }
    TempDir prog_, cfg_;
    std::string dir_;
};

TEST(BundledReports, EveryStationIsKeptAtItsAirport)
{
    TempDir cfg;
    skytest::load_bundled(cfg.str());
    EXPECT_TRUE(recorded_alerts().empty());
    // 40 report lines, each naming an airport of the bundled database ("F70 " and "L65 " included).
    ASSERT_EQ(wxr_apt_max, 40);
    const int a = skytest::airport("F70 ");
    ASSERT_GE(a, 0);
    EXPECT_STREQ(wxr_id[19], "F70 ");
    EXPECT_STREQ(wxr_name[19], "French Valley Murrieta");
    EXPECT_FLOAT_EQ(wxr_lat[19], rwy_lat[apt_lo_ind[a]]);
    EXPECT_FLOAT_EQ(wxr_z_time[19], 1650);
    // KAVX SA 1648 5 OVC 1 1/4 R-F 57/56/2408/990: 1 + 1/4 nm; light rain and fog.
    EXPECT_STREQ(wxr_id[25], "KAVX");
    EXPECT_NEAR(wxr_vis[25], 1.25f * con.nmtomtrs, 0.01f);
    EXPECT_EQ(wxr_obs_vis[25], 3);
    EXPECT_EQ(wxr_obs_den[25], 1);
    EXPECT_NEAR(wxr_baro[25], 29.90f, 1e-4);
    // Without a preference file station 0 reports nothing.
    EXPECT_EQ(wxr_cld_type[0], SKY_NOT_REPORTED);
    EXPECT_FLOAT_EQ(wxr_baro[0], SKY_NOT_REPORTED);
    // The last report, KEMT at 1650, plus 20 minutes.
    EXPECT_FLOAT_EQ(bri.dep_ztime, 1710);
}

// A station whose identifier names no airport is not kept, but its report time still counts.
TEST_F(OwnProgramFolder, UnknownStationIsDroppedButItsTimeCounts)
{
    reports("WORLD.RWX", "KLAX SA 1650 8 SCT 10 66/58/2508/992\n"
                         "QQQQ SA 1805 CLR 10 66/58/2508/992\n");
    sky_load();
    EXPECT_EQ(wxr_apt_max, 1);
    EXPECT_STREQ(wxr_id[1], "KLAX");
    EXPECT_FLOAT_EQ(bri.dep_ztime, 1825);
    EXPECT_TRUE(recorded_alerts().empty());
}

// The file is found under other letter case when "WORLD.RWX" is not there.
TEST_F(OwnProgramFolder, ReportFileFoundInAnyLetterCase)
{
    reports("World.rwx", "KSBD SA 2350 CLR 10 66/58/2508/992\r\n");
    sky_load();
    EXPECT_EQ(wxr_apt_max, 1);
    EXPECT_EQ(wxr_cld_type[1], 1);
    EXPECT_FLOAT_EQ(bri.dep_ztime, 10);   // 23:50 + 20 minutes
}

// With neither a preference file nor a report file there is no weather to brief: the fatal alert.
TEST_F(OwnProgramFolder, NoWeatherAtAllIsFatal)
{
    try {
        sky_load();
        FAIL() << "no alert";
    } catch (const FatalAlert& f) {
        EXPECT_EQ(f.alert.code, ALERT_FATAL);
        EXPECT_EQ(f.alert.l1, "I could not find an Kestrova prefs file or a World.RWX weather file!");
        EXPECT_EQ(f.alert.l2, "In other words, I have no weather to give you a briefing with!");
        EXPECT_EQ(f.alert.l3, "Download World.RWX from the net or at least run Kestrova once before you request a "
                              "briefing!");
    }
}

// A missing airport file is a notice naming the path; the briefing goes on with the reports alone
// (none of which can then be placed).
TEST_F(OwnProgramFolder, MissingAirportFileIsANotice)
{
    fs::remove(prog_.path() / NAV_DATA_FOLDER / "apt.dat");
    reports("WORLD.RWX", "KLAX SA 1650 8 SCT 10 66/58/2508/992\n");
    sky_load();
    ASSERT_EQ(recorded_alerts().size(), 1u);
    const RecordedAlert& a = recorded_alerts()[0];
    EXPECT_EQ(a.code, ALERT_NOTICE);
    EXPECT_EQ(a.l1, "I am unable to access a nav or airport data file!");
    EXPECT_EQ(a.l2, "The path I am looking at is as follows:");
    EXPECT_EQ(a.l3, dir_ + NAV_DATA_FOLDER + "/apt.dat");
    EXPECT_EQ(a.l4, "Make sure the file listed above is available in the path listed above!");
    EXPECT_EQ(apt_wrl_max, -1);
    EXPECT_EQ(wxr_apt_max, 0);
    // The briefing of an empty table is still whole sentences.
    sky_compose(1, 1, 1, 1, 1, 1, 1, 1);
    EXPECT_EQ(std::string(sky_text[0]), "Hello, this is , a untitled, planning a flight from  to . Estimated time "
                                        "of departure will be 1710 zulu, at 5000 feet, and requesting a standard.");
}

// More stations than the tables hold: the first are kept, the reading stops with one notice.
TEST_F(OwnProgramFolder, StationLimitKeepsTheFirst)
{
    std::string text;
    for (int i = 0; i < SKY_MAX_STATIONS + 50; i++) text += "KLAX SA 1650 CLR 10 66/58/2508/992\n";
    reports("WORLD.RWX", text);
    sky_load();
    EXPECT_EQ(wxr_apt_max, SKY_MAX_STATIONS - 1);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].l1, "Too many reporting stations!");
    EXPECT_EQ(recorded_alerts()[0].l3, "The number or reporting stations has exceeded expectations.");
    EXPECT_EQ(recorded_alerts()[0].code, ALERT_NOTICE);
}

// ---- the simulator's weather as station 0 -----------------------------------------------------------

class SimulatorWeather : public OwnProgramFolder {
protected:
    // The preference file of a simulator set at San Bernardino at 10:00 local time in moderate rain.
    void write_prefs()
    {
        static PrefsRec r;
        r = {};
        std::snprintf(r.c_file, STR_LEN, "%s", "Trainer.acf");
        std::snprintf(r.c_path, STR_LEN, "%s", "/planes/Trainer.acf");
        ksbd_ = skytest::airport("KSBD");
        ASSERT_GE(ksbd_, 0);
        r.loc_apt = ksbd_;
        r.locl_time = 36000;
        r.temp_SL = 59;
        r.ins_baro = 29.5f;
        r.atm_baro = 30.12f;
        r.rain_tstm = 3.5f;
        r.cld_type = 3;
        r.topsMSL = 9000;
        r.baseMSL = (1159 + 3000) * con.fttomtrs;   // KSBD lies at 1159 ft
        r.vis_rep = 4 * con.nmtomtrs;
        r.wind1[0] = 240;
        r.wind1[1] = 12;
        r.wind1[3] = 8;
        r.prd = 0.05f;
        cfg_.write("Kestrova 4.prf", skytest::prefs_file_text(r));
    }
    int ksbd_ = -1;
};

TEST_F(SimulatorWeather, PreferencesBecomeStationZero)
{
    sky_read_airports();
    write_prefs();
    ASSERT_EQ(sky_read_prefs(prf_path), 1);
    EXPECT_STREQ(pln[0].C_file, "Trainer.acf");
    EXPECT_STREQ(pln[0].C_path, "/planes/Trainer.acf");
    EXPECT_EQ(bri.dep, ksbd_);
    EXPECT_EQ(bri.arr, ksbd_);
    EXPECT_EQ(wxr_obs_vis[0], 2);
    EXPECT_EQ(wxr_obs_den[0], 2);   // 3.5 between 2 (light) and 5 (heavy): 2
    EXPECT_NEAR(wxr_cld_base[0], 3000 * con.fttomtrs, 0.05f);
    EXPECT_FLOAT_EQ(wxr_dewp[0], 51);   // 59 F less 2 F for each of the 4 nm
    // 10:00 local at longitude -117.23: 10 + 7.82 = 17.82 h zulu, spoken as 1800.
    EXPECT_FLOAT_EQ(wxr_z_time[0], 1800);

    // Only the preferences: the departure station is station 0, and the departure time is 20
    // minutes past midnight, there being no report time.
    sky_finish_times();
    sky_compose(1, 1, 1, 1, 1, 1, 1, 1);
    EXPECT_EQ(std::string(sky_text[1]),
              "OK then, for your departure, at 1800 zulu, San Bernardino Intl is reporting skies 3000 broken, "
              "visibility 4 miles in moderate rain. Ah, Temperature 59, dewpoint 51. Now for the winds... Wind 240 "
              "at 12 gust 20, barometric pressure 3012. ");
    EXPECT_NE(std::string(sky_text[0]).find("will be 0020 zulu, at 5000 feet"), std::string::npos) << sky_text[0];
}

// A preference file that is damaged or of another version gives no weather and says so, as Kestrova
// does: the file and what is wrong with it. With the report file present the briefing goes on.
TEST_F(SimulatorWeather, DamagedPreferencesGiveANoticeAndTheBriefingGoesOn)
{
    sky_read_airports();
    write_prefs();
    const std::string text = read_file(prf_path);
    struct Case {
        const char* what;
        std::string bytes;
        const char* reason;   // the notice's third line, or its start
    };
    const Case cases[] = {
        {"cut in half", text.substr(0, text.size() / 2), "Line "},
        {"another version", "I\n50 version\n" + text.substr(text.find('\n', 2) + 1),
         "It is the wrong version for this version of Kestrova (line 2)."},
        {"garbage", "\x7f\x01garbage\xff\n", "Its first lines are not those of a settings file."},
    };
    const std::string notice = "I could not read Kestrova's preferences file, so I have no weather set in Kestrova.";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cfg_.write("Kestrova 4.prf", c.bytes);
        clear_recorded_alerts();
        EXPECT_EQ(sky_read_prefs(prf_path), 0);
        EXPECT_EQ(wxr_cld_type[0], SKY_NOT_REPORTED);
        ASSERT_EQ(recorded_alerts().size(), 1u);
        const RecordedAlert& a = recorded_alerts()[0];
        EXPECT_EQ(a.code, ALERT_NOTICE);
        EXPECT_EQ(a.l1, notice);
        EXPECT_EQ(a.l2, prf_path);
        EXPECT_EQ(a.l3.rfind(c.reason, 0), 0u) << a.l3;
    }
    reports("WORLD.RWX", "KLAX SA 1650 8 SCT 10 66/58/2508/992\n");
    clear_recorded_alerts();
    sky_load();
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].l1, notice);
    EXPECT_EQ(wxr_apt_max, 1);
    // No file at all is the usual first start: nothing to say.
    std::filesystem::remove(prf_path);
    clear_recorded_alerts();
    EXPECT_EQ(sky_read_prefs(prf_path), 0);
    EXPECT_TRUE(recorded_alerts().empty());
}

// A report file with no report of a known airport gives no station. With the simulator's weather to
// brief from, a notice names the file and every station of the briefing is named; without it, there
// is no weather at all.
TEST_F(SimulatorWeather, AReportFileWithoutReportsIsNoticedAndNoNameIsBlank)
{
    sky_read_airports();
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"random", std::string("\x13\xa7\x00\x91 q\xfe\n\x02\x7f\xc4 zz\n", 14)},
        {"unknown stations", "QQQQ SA 1805 CLR 10 66/58/2508/992\nZZZZ SA 1810 CLR 10 66/58/2508/992\n"},
    };
    const std::string notice = "I could not read any weather report of a known airport from the file:";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reports("WORLD.RWX", c.bytes);
        write_prefs();
        clear_recorded_alerts();
        sky_load();
        ASSERT_EQ(recorded_alerts().size(), 1u);
        EXPECT_EQ(recorded_alerts()[0].l1, notice);
        EXPECT_EQ(recorded_alerts()[0].l2, dir_ + "WORLD.RWX");
        EXPECT_EQ(wxr_apt_max, 0);
        sky_compose(1, 1, 1, 1, 1, 1, 1, 1);
        for (int k = 1; k < SKY_PARAGRAPHS; k++) {
            const std::string t = sky_text[k];
            EXPECT_NE(t.find("San Bernardino Intl is reporting"), std::string::npos) << t;
            EXPECT_EQ(t.find(",  is reporting"), std::string::npos) << t;
            EXPECT_EQ(t.find(" , "), std::string::npos) << t;
        }

        std::filesystem::remove(prf_path);
        clear_recorded_alerts();
        EXPECT_THROW(sky_load(), FatalAlert);
        ASSERT_FALSE(recorded_alerts().empty());
        EXPECT_EQ(recorded_alerts().back().l1, "I could not find an Kestrova prefs file or a World.RWX weather file!");
    }
}

// ---- the aircraft -----------------------------------------------------------------------------------

class AircraftFile : public OwnProgramFolder {
protected:
    // prep_plane on the file; the fatal alert's first line, or "" when none came.
    std::string prep(const char* name)
    {
        try {
            skytest::choose_aircraft(craft_.str(), name);
        } catch (const FatalAlert& f) {
            EXPECT_EQ(f.alert.code, ALERT_FATAL);
            EXPECT_EQ(f.alert.l2, "Either the file has been corrupted, or it is not really an aircraft file.");
            EXPECT_EQ(f.alert.l3, craft_.str() + "/" + name);
            return f.alert.l1;
        }
        return "";
    }
    TempDir craft_;
};

TEST_F(AircraftFile, ReadFileSetsTheCruiseSpeedAndKeepsTheChosenName)
{
    skytest::write_aircraft(craft_.str() + "/Turbo.acf", "N77TP", 240, 3);
    EXPECT_EQ(prep("Turbo.acf"), "");
    EXPECT_NEAR(bri.Vcruise, 270.0f, 1e-3);   // 240 * 0.75 * 1.5
    EXPECT_STREQ(pln[0].tailnum, "N77TP");
    EXPECT_STREQ(pln[0].C_file, "Turbo.acf");
    EXPECT_EQ(std::string(pln[0].C_path), craft_.str() + "/Turbo.acf");
}

TEST_F(AircraftFile, UnreadableFilesAreFatal)
{
    const char* msg = "An error occurred during read-in of the aircraft file.";
    skytest::write_aircraft(craft_.str() + "/Whole.acf", "N1", 100, 1);
    const std::string whole = read_file(craft_.str() + "/Whole.acf");
    craft_.write("Short.acf", whole.substr(0, whole.size() - 100));
    craft_.write("Text.acf", "I\n46 version\nnot an aircraft\n");
    std::string old = whole;
    old[1] = 45;   // version 45 in the little-endian header
    craft_.write("Old.acf", old);
    EXPECT_EQ(prep("Missing.acf"), msg);
    EXPECT_EQ(prep("Short.acf"), msg);
    EXPECT_EQ(prep("Text.acf"), msg);
    EXPECT_EQ(prep("Old.acf"), msg);
    EXPECT_EQ(bri.Vcruise, 0.0f);
}

}  // namespace
