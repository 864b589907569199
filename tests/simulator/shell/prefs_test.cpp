// prefs_test.cpp -- preferences and situation files: the factory settings, the file's exact lines,
// write-read-write identity, refusals that change nothing, index fallbacks, the frame-period
// limits, the start airport, the position round trip and the way out.
#include "prefs.h"

#include "hl_mnw.h"
#include "hl_types.h"
#include "kvdb.h"
#include "kvtest.h"
#include "lax.h"
#include "prefs_snapshot.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kNavDir = std::string(KV_PROGRAM_DIR) + "/additional nav data";

// The region frame a fresh load at (lat_sou, lon_wes) gives: X 0 on the western edge at the
// southern edge, Z 0 on the southern edge, the northern edge two degrees north.
void fresh_frame(int lat_sou, int lon_wes)
{
    const float k = 60 * con.nmtomtrs;
    env.lat_sou = lat_sou;
    env.lon_wes = lon_wes;
    env.lox = 0;
    env.hiz = 0;
    env.loz = -2 * k;
    env.dz = 2 * k;
    env.dx = 3 * k * std::cos(lat_sou * con.degtorad);
    env.hix = env.dx;
    for (int c = 0; c < 3; c++)
        for (int r = 0; r < 2; r++) env.lonwes_ref[c][r] = static_cast<float>(lon_wes), env.planex_ref[c][r] = 0;
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string l;
    while (std::getline(in, l)) out.push_back(l);
    return out;
}

std::string join_lines(const std::vector<std::string>& lines)
{
    std::string s;
    for (const std::string& l : lines) s += l + "\n";
    return s;
}

int world_airport(const char* id)
{
    for (int a = 0; a <= apt_wrl_max; a++)
        if (std::strncmp(apt_id[a], id, 4) == 0) return a;
    return -1;
}

class Prefs : public ::testing::Test {
protected:
    TempDir dir;
    std::string path;
    void SetUp() override
    {
        clear_globals();
        hl_fill_constants();
        std::snprintf(app_path, STR_LEN, "%s/", KV_PROGRAM_DIR);
        kvdb_load(kNavDir);
        clear_recorded_alerts();
        path = dir.str() + "/Kestrova 4.prf";
        std::snprintf(prf_path, STR_LEN, "%s", path.c_str());
    }
    // A state unlike the factory's in every line.
    void unusual_state()
    {
        hard_prefs();
        std::snprintf(pln[0].C_file, sizeof pln[0].C_file, "Schweizer 2-32.acf");
        std::string glider = std::string(app_path) + "planes/General Aviation/Schweizer 2-32/Schweizer 2-32.acf";
        std::snprintf(pln[0].C_path, sizeof pln[0].C_path, "%s", glider.c_str());
        int a = world_airport("KLAX");
        msc.loc_apt_wrl = a;
        msc.loc_rwy_wrl = apt_lo_ind[a] + 2;
        msc.backwards = 1;
        msc.locl_time = 30123.5f;
        atm.temp_SL = 41;
        ins.baro = 30.12f;
        atm.baro = 29.5f;
        atm.rain_tstm = 3;
        atm.wind_tbl = 2;
        atm.burst_prob = 4;
        atm.cld_type = 4;
        atm.topsMSL = 3000;
        atm.baseMSL = 800;
        atm.vis_rep = 5000;
        atm.altwxr2 = 4000;
        atm.wnddir1 = 270, atm.wndspd1 = 15, atm.shrdir1 = 20, atm.shrspd1 = 5, atm.trblnc1 = 2;
        atm.wnddir2 = 300, atm.wndspd2 = 40, atm.shrdir2 = 10, atm.shrspd2 = 3, atm.trblnc2 = 1;
        atm.wave_amp = 2.5f, atm.wave_length = 30, atm.wave_speed = 6.25f, atm.wave_dir = 135;
        atm.meteorite_code = 3;
        atm.rway_fric_rat = 0.7f;
        msc.sound_on = 0, set.voice_out = 0, set.text_out = 1, set.warn_frame = 0;
        set.warn_overspeed = 1, set.warn_flaps = 1, set.warn_bb = 0, atm.use_realwxr = 0;
        for (int i = 0; i < 60; i++) set.Brlt[i] = i % 7 == 0, set.Bgrf[i] = i % 11 == 3;
        set.serout = 2;
        set.damp = 0.25f;
        set.joy_rat_ptch = 0.5f, set.joy_rat_hdng = 0.75f, set.joy_rat_roll = 0.625f;
        set.eq_ped = 1, set.eq_avi = 0, set.eq_thr = 1, set.eq_col = 1;
        set.NZ_ptch = 0.05f, set.NZ_hdng = 0.1f, set.NZ_roll = 0.02f;
        for (int i = 0; i < 22; i++) set.joy_response[i] = (i * 7) % 31;
        nav.nf[0] = 10950, nav.nf[1] = 11630, nav.cf[0] = 11890, nav.cf[1] = 13290;
        nav.obs[0] = 123.5f, nav.obs[1] = 359;
        nav.adff = 356;
        nav.dmesel = 1;
        nav.gps_index_mode = 3, nav.gps_index = 5, nav.gps_apt_index = 7, nav.gps_vor_index = 5;
        nav.gps_ndb_index = 3;
        for (int k = 0; k < 4; k++) nav.gps_id[k] = 20 + k;
        msc.prd = 0.04f;
        msc.logtime = 1;
        msc.key_type = 3;
        rel.total_fail_entry = 4;
        set.ogl_res = 4;
        set.ogl_trees = 1;
        // The aircraft, in the start airport's region (KLAX: 33 N, 120 W).
        fresh_frame(33, -120);
        flt.X[0] = 210000.25, flt.Z[0] = -101000.5, flt.Y[0] = 1234.5;
        flt.psi[0] = 271.5f, flt.v[0] = 55.25f;
    }
};

// ---- the factory settings -------------------------------------------------------------------------

TEST_F(Prefs, FactorySettings)
{
    hard_prefs();
    EXPECT_STREQ(pln[0].C_file, "Cessna 172 Skyhawk.acf");
    EXPECT_EQ(std::string(pln[0].C_path),
              std::string(KV_PROGRAM_DIR) + "/planes/General Aviation/Cessna 172 Skyhawk/Cessna 172 Skyhawk.acf");
    int ksbd = world_airport("KSBD");
    ASSERT_GE(ksbd, 0);
    EXPECT_EQ(msc.loc_apt_wrl, ksbd);
    EXPECT_EQ(msc.loc_rwy_wrl, apt_lo_ind[ksbd]);
    EXPECT_EQ(msc.backwards, 0);
    // KSBD's runway at 34.0954 N, 117.2349 W gives the region 33..35 N, 119..116 W.
    EXPECT_EQ(env.lat_sou, 33);
    EXPECT_EQ(env.lon_wes, -119);
    EXPECT_EQ(flt.lat, 33.0f);
    EXPECT_EQ(flt.lon, -119.0f);
    EXPECT_EQ(msc.locl_time, 57600.0f);
    EXPECT_EQ(atm.temp_SL, 59.0f);
    EXPECT_FLOAT_EQ(ins.baro, 29.92f);
    EXPECT_FLOAT_EQ(atm.baro, 29.92f);
    EXPECT_EQ(atm.cld_type, 3);
    EXPECT_NEAR(atm.topsMSL, 1524.0f, 1e-3f);
    EXPECT_NEAR(atm.baseMSL, 1219.2f, 1e-3f);
    EXPECT_NEAR(atm.vis_rep, 7 * 1852.0f, 0.01f);
    EXPECT_NEAR(atm.altwxr2, 3048.0f, 1e-3f);
    EXPECT_EQ(atm.wave_length, 12.0f);
    // sqrt(12 m in feet) x 1.34 knots: sqrt(39.37) = 6.2746, x 1.34 = 8.408 kt = 4.3254 m/s
    EXPECT_NEAR(atm.wave_speed, 4.3254f, 1e-3f);
    EXPECT_EQ(atm.meteorite_code, 2);
    EXPECT_EQ(msc.sound_on + set.voice_out + set.text_out + set.warn_frame + set.warn_overspeed + set.warn_bb +
                  atm.use_realwxr,
              7);
    EXPECT_EQ(set.warn_flaps, 0);
    const int joy[22] = {2, 1, 5, 6, 22, 21, 19, 20, 15, 16, 11, 12, 10, 9, 17, 18, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 22; i++) EXPECT_EQ(set.joy_response[i], joy[i]) << i;
    EXPECT_EQ(nav.nf[0], 11170);
    EXPECT_EQ(nav.cf[1], 12100);
    EXPECT_EQ(nav.adff, 210);
    EXPECT_EQ(nav.gps_index_mode, 1);
    // 1600, 2100 and 700 as far as the bundled tables reach
    EXPECT_EQ(nav.gps_apt_index, apt_wrl_max);
    EXPECT_EQ(nav.gps_index, apt_wrl_max);
    EXPECT_EQ(nav.gps_vor_index, nav_wrl_max);
    EXPECT_EQ(nav.gps_ndb_index, nav_wrl_max);
    for (int k = 0; k < 4; k++) EXPECT_EQ(nav.gps_id[k], 11);
    EXPECT_EQ(msc.prd, 0.05f);
    EXPECT_EQ(msc.key_type, 1);
    EXPECT_EQ(rel.total_fail_entry, 1.0f);
    EXPECT_EQ(set.ogl_res, 2);
    EXPECT_EQ(set.ogl_trees, 0);
}

TEST_F(Prefs, FactoryGpsEntriesAreTheFixedOnesWhenTheTablesHoldThem)
{
    apt_wrl_max = 11999;
    nav_wrl_max = 19999;
    hard_prefs();
    EXPECT_EQ(nav.gps_index, 1600);
    EXPECT_EQ(nav.gps_apt_index, 1600);
    EXPECT_EQ(nav.gps_vor_index, 2100);
    EXPECT_EQ(nav.gps_ndb_index, 700);
}

// ---- the file ---------------------------------------------------------------------------------------

TEST_F(Prefs, TheFileHoldsEveryValueOnItsLine)
{
    unusual_state();
    ASSERT_EQ(dump_prefs(path.c_str(), FILE_KIND_PREFS), 1);
    std::vector<std::string> l = lines_of(read_file(path));
    ASSERT_EQ(l.size(), 2u + PREFS_LINES);
    // l[n + 1] is value line n
    EXPECT_EQ(l[0], "I");
    EXPECT_EQ(l[1], "51 version");
    EXPECT_EQ(l[2], "Schweizer 2-32.acf");
    EXPECT_EQ(l[4], std::to_string(world_airport("KLAX")));
    EXPECT_EQ(l[6], "1");
    EXPECT_EQ(l[7], "30123.500000");
    EXPECT_EQ(l[14], "4");             // cloud type
    EXPECT_EQ(l[19], "270.000000");    // lower wind direction
    EXPECT_EQ(l[32], "135");           // wave direction, whole degrees
    EXPECT_EQ(l[35], "0");             // sound off
    EXPECT_EQ(l[43], "0 1 0");         // item 0: cockpit
    EXPECT_EQ(l[46], "0 0 1");         // item 3: graph
    EXPECT_EQ(l[103], "2");            // serial mode
    EXPECT_EQ(l[136], "23");           // button flag 21
    EXPECT_EQ(l[154], "0.040000");     // frame period
    EXPECT_EQ(l[158], "4");            // texture resolution
    EXPECT_NEAR(std::stod(l[160]), 210000.25, 0.05);   // east of the region's west edge
    EXPECT_NEAR(std::stod(l[161]), 121239.5, 0.05);    // south of its north edge (222240 m north of Z 0)
    EXPECT_EQ(l[162], "271.500000");
    EXPECT_EQ(l[163], "1234.500000");
    EXPECT_EQ(l[164], "55.250000");
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

TEST_F(Prefs, WriteReadWriteGivesTheSameFile)
{
    for (bool factory : {true, false}) {
        SCOPED_TRACE(factory ? "factory" : "unusual");
        if (factory) hard_prefs();
        else unusual_state();
        ASSERT_EQ(dump_prefs(path.c_str(), FILE_KIND_PREFS), 1);
        const std::string first = read_file(path);
        // Scramble what the file holds, then read it back.
        hard_prefs();
        atm.temp_SL = -40;
        set.serout = 5;
        nav.obs[1] = 7;
        std::snprintf(pln[0].C_path, sizeof pln[0].C_path, "elsewhere");
        ASSERT_EQ(grab_prefs(path.c_str(), FILE_KIND_PREFS, 0), 1);
        EXPECT_TRUE(recorded_alerts().empty());
        ASSERT_EQ(dump_prefs(path.c_str(), FILE_KIND_PREFS), 1);
        EXPECT_EQ(read_file(path), first);
    }
}

TEST_F(Prefs, ReadingTakesTheValuesAndThePositionAsTheCustomStart)
{
    unusual_state();
    ASSERT_EQ(dump_prefs(path.c_str(), FILE_KIND_PREFS), 1);
    hard_prefs();
    set.Bdsk[5] = 1;
    ASSERT_EQ(grab_prefs(path.c_str(), FILE_KIND_PREFS, 0), 1);
    EXPECT_STREQ(pln[0].C_file, "Schweizer 2-32.acf");
    EXPECT_EQ(msc.loc_apt_wrl, world_airport("KLAX"));
    EXPECT_EQ(msc.loc_rwy_wrl, apt_lo_ind[msc.loc_apt_wrl] + 2);
    EXPECT_EQ(atm.temp_SL, 41.0f);
    EXPECT_EQ(atm.wave_dir, 135.0f);
    EXPECT_FLOAT_EQ(nav.obs[0], 123.5f);
    EXPECT_EQ(nav.gps_index_mode, 3);
    EXPECT_EQ(set.Brlt[7], 1);
    EXPECT_EQ(set.Bgrf[14], 1);
    EXPECT_EQ(set.Bdsk[5], 0);   // file output always starts off
    EXPECT_EQ(msc.prd, 0.04f);
    EXPECT_NEAR(set.cus_X, 210000.25f, 0.05f);
    EXPECT_NEAR(set.cus_Z, 121239.5f, 0.05f);
    EXPECT_FLOAT_EQ(set.cus_psi, 271.5f);
    EXPECT_FLOAT_EQ(set.cus_Y, 1234.5f);
    EXPECT_FLOAT_EQ(set.cus_v, 55.25f);
    // KLAX's first runway lies at 33.95 N, 118.42 W: region 33 N, 120 W
    EXPECT_EQ(env.lat_sou, 33);
    EXPECT_EQ(env.lon_wes, -120);
}

TEST_F(Prefs, AnAvionicsStackStartsOnFixedFrequencies)
{
    unusual_state();
    set.eq_avi = 1;
    ASSERT_EQ(dump_prefs(path.c_str(), FILE_KIND_PREFS), 1);
    ASSERT_EQ(grab_prefs(path.c_str(), FILE_KIND_PREFS, 0), 1);
    EXPECT_EQ(nav.nf[0], 11170);
    EXPECT_EQ(nav.nf[1], 11170);
    EXPECT_EQ(nav.cf[0], 12100);
    EXPECT_EQ(nav.cf[1], 12100);
    EXPECT_EQ(nav.adff, 210);
    EXPECT_FLOAT_EQ(nav.obs[0], 123.5f);   // the courses stay as filed
}

TEST_F(Prefs, AnyLineEndReads)
{
    unusual_state();
    ASSERT_EQ(dump_prefs(path.c_str(), FILE_KIND_PREFS), 1);
    const std::string lf = read_file(path);
    for (const char* eol : {"\r", "\r\n"}) {
        std::string other;
        for (char c : lf) other += c == '\n' ? std::string(eol) : std::string(1, c);
        dir.write("other.prf", other);
        hard_prefs();
        ASSERT_EQ(grab_prefs((dir.str() + "/other.prf").c_str(), FILE_KIND_PREFS, 0), 1);
        ASSERT_EQ(dump_prefs(path.c_str(), FILE_KIND_PREFS), 1);
        EXPECT_EQ(read_file(path), lf);
    }
}

// ---- refusals ---------------------------------------------------------------------------------------

// A file that cannot be read whole changes nothing and says which line failed; at start-up the
// factory settings then apply.
TEST_F(Prefs, AnUnreadableFileChangesNothingAndGivesANotice)
{
    unusual_state();
    ASSERT_EQ(dump_prefs(path.c_str(), FILE_KIND_PREFS), 1);
    const std::vector<std::string> good = lines_of(read_file(path));
    auto with_line = [&good](int value_line, const std::string& text) {
        std::vector<std::string> l = good;
        l[static_cast<size_t>(value_line) + 1] = text;
        return join_lines(l);
    };
    auto first_lines = [&good](size_t n) {
        return join_lines(std::vector<std::string>(good.begin(), good.begin() + static_cast<long>(n)));
    };
    struct Case {
        const char* what;
        std::string bytes;
        const char* l3;
    };
    const Case cases[] = {
        {"empty", "", "Its first lines are not those of a settings file."},
        {"header only", "I\n51 version\n", "Line 3 should hold a name."},
        {"wrong version", "I\n50 version\n" + join_lines(std::vector<std::string>(good.begin() + 2, good.end())),
         "It is the wrong version for this version of Kestrova (line 2)."},
        {"no byte-order line", join_lines(std::vector<std::string>(good.begin() + 1, good.end())),
         "Its first lines are not those of a settings file."},
        {"cut after line 41", first_lines(43), "Line 44 should hold three values 0 or 1."},
        {"cut after line 162", first_lines(164), "Line 165 should hold a number."},
        {"letters for a number", with_line(6, "noon"), "Line 8 should hold a number."},
        {"a fraction for a whole number", with_line(3, "3.5"), "Line 5 should hold a whole number."},
        {"a number too big", with_line(102, "99999999999"), "Line 104 should hold a whole number."},
        {"not a number", with_line(7, "nan"), "Line 9 should hold a number."},
        {"an infinite height", with_line(162, "1e999"), "Line 164 should hold a number."},
        {"two output values", with_line(50, "0 1"), "Line 52 should hold three values 0 or 1."},
        {"four output values", with_line(50, "0 1 0 1"), "Line 52 should hold three values 0 or 1."},
        {"a word after a number", with_line(153, "0.05 s"), "Line 155 should hold a number."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        unusual_state();
        const std::string before = prefs_snapshot();
        dir.write("bad.prf", c.bytes);
        const std::string bad = dir.str() + "/bad.prf";
        clear_recorded_alerts();
        EXPECT_EQ(grab_prefs(bad.c_str(), FILE_KIND_PREFS, 0), 0);
        EXPECT_TRUE(prefs_snapshot() == before) << "the settings changed";
        ASSERT_EQ(recorded_alerts().size(), 1u);
        EXPECT_EQ(recorded_alerts()[0].code, 2002);
        EXPECT_EQ(recorded_alerts()[0].l1, "I could not read the preferences file, so I am using the factory settings.");
        EXPECT_EQ(recorded_alerts()[0].l2, bad);
        EXPECT_EQ(recorded_alerts()[0].l3, c.l3);

        // At start-up the same file gives the factory settings.
        std::snprintf(prf_path, STR_LEN, "%s", bad.c_str());
        clear_recorded_alerts();
        start_prefs();
        EXPECT_EQ(recorded_alerts().size(), 1u);
        EXPECT_EQ(atm.temp_SL, 59.0f);
        EXPECT_STREQ(pln[0].C_file, "Cessna 172 Skyhawk.acf");
        EXPECT_EQ(msc.prd, 0.05f);
        std::snprintf(prf_path, STR_LEN, "%s", path.c_str());
    }
}

TEST_F(Prefs, AMissingOrDisabledFileIsSilent)
{
    unusual_state();
    const std::string missing = dir.str() + "/none.prf";
    EXPECT_EQ(grab_prefs(missing.c_str(), FILE_KIND_PREFS, 0), 0);
    // The file "Reset Preferences and Exit" leaves.
    dir.write("reset.prf", "I\n-1 version\nz\n\n");
    const std::string reset = dir.str() + "/reset.prf";
    EXPECT_EQ(grab_prefs(reset.c_str(), FILE_KIND_PREFS, 0), 0);
    EXPECT_TRUE(recorded_alerts().empty());
    std::snprintf(prf_path, STR_LEN, "%s", reset.c_str());
    start_prefs();
    EXPECT_TRUE(recorded_alerts().empty());
    EXPECT_EQ(atm.temp_SL, 59.0f);
}

// ---- index fallbacks ----------------------------------------------------------------------------------

TEST_F(Prefs, IndicesThatDoNotFitFallBackToTheirFactoryValues)
{
    hard_prefs();
    ASSERT_EQ(dump_prefs(path.c_str(), FILE_KIND_PREFS), 1);
    const std::vector<std::string> good = lines_of(read_file(path));
    hard_prefs();
    const int ksbd = world_airport("KSBD");
    struct Case {
        const char* what;
        int line;
        std::string value;
        int (*field)();
        int want;
    };
    const Case cases[] = {
        {"start airport past the table", 3, "99999", [] { return msc.loc_apt_wrl; }, ksbd},
        {"start airport negative", 3, "-1", [] { return msc.loc_apt_wrl; }, ksbd},
        {"start runway of another airport", 4, "0", [] { return msc.loc_rwy_wrl; }, apt_lo_ind[ksbd]},
        {"serial mode", 102, "9", [] { return set.serout; }, 0},
        {"button code", 120, "31", [] { return set.joy_response[6]; }, 19},
        {"button code negative", 135, "-4", [] { return set.joy_response[21]; }, 0},
        {"DME source", 143, "2", [] { return nav.dmesel; }, 0},
        {"GPS mode", 144, "4", [] { return nav.gps_index_mode; }, 1},
        {"GPS waypoint", 145, "12000", [] { return nav.gps_index; }, apt_wrl_max},
        {"GPS airport", 146, "-7", [] { return nav.gps_apt_index; }, apt_wrl_max},
        {"GPS VOR", 147, "20000", [] { return nav.gps_vor_index; }, nav_wrl_max},
        {"GPS NDB", 148, "123456", [] { return nav.gps_ndb_index; }, nav_wrl_max},
        {"GPS identifier", 150, "37", [] { return nav.gps_id[1]; }, 11},
        {"keyboard layout", 155, "0", [] { return msc.key_type; }, 1},
        {"texture resolution", 157, "6", [] { return set.ogl_res; }, 2},
        {"texture resolution zero", 157, "0", [] { return set.ogl_res; }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> l = good;
        l[static_cast<size_t>(c.line) + 1] = c.value;
        dir.write("idx.prf", join_lines(l));
        clear_recorded_alerts();
        ASSERT_EQ(grab_prefs((dir.str() + "/idx.prf").c_str(), FILE_KIND_PREFS, 0), 1);
        EXPECT_TRUE(recorded_alerts().empty());
        EXPECT_EQ(c.field(), c.want);
    }
}

TEST_F(Prefs, AGoodRunwayOfAGoodAirportIsKept)
{
    unusual_state();
    ASSERT_EQ(dump_prefs(path.c_str(), FILE_KIND_PREFS), 1);
    hard_prefs();
    ASSERT_EQ(grab_prefs(path.c_str(), FILE_KIND_PREFS, 0), 1);
    int a = world_airport("KLAX");
    EXPECT_EQ(msc.loc_apt_wrl, a);
    EXPECT_EQ(msc.loc_rwy_wrl, apt_lo_ind[a] + 2);
    EXPECT_EQ(nav.gps_index, 5);
    EXPECT_EQ(nav.gps_apt_index, 7);
}

TEST_F(Prefs, TheFramePeriodStaysWithinTheFrameDriversRange)
{
    hard_prefs();
    ASSERT_EQ(dump_prefs(path.c_str(), FILE_KIND_PREFS), 1);
    std::vector<std::string> l = lines_of(read_file(path));
    struct Case {
        const char* value;
        float want;
    };
    for (Case c : {Case{"0", 0.05f}, Case{"-0.5", 0.05f}, Case{"0.000001", 0.01f}, Case{"0.03", 0.03f},
                   Case{"0.11", 0.11f}, Case{"0.2", 0.11f}, Case{"1000", 0.11f}}) {
        SCOPED_TRACE(c.value);
        l[154] = c.value;
        dir.write("prd.prf", join_lines(l));
        ASSERT_EQ(grab_prefs((dir.str() + "/prd.prf").c_str(), FILE_KIND_PREFS, 0), 1);
        EXPECT_FLOAT_EQ(msc.prd, c.want);
    }
}

// An airport without runways is never a start: not as the factory airport, not from a file.
TEST_F(Prefs, AnAirportWithoutRunwaysIsNeverTheStart)
{
    const std::string head = "I\n500 version\n";
    TempDir db;
    db.write("apt.dat", head +
                            "1 100 0 0 KAAA Alpha\n"
                            "10 30.5 -90.5 9- 90 3000 75 1000000\n"
                            "1 1159 1 1 KSBD No Runways Here\n"
                            "1 500 0 0 KCCC Charlie\n"
                            "10 40.2 -100.7 18- 180 4000 75 1000000\n"
                            "99\n");
    db.write("nav.dat", head + "99\n");
    db.write("fix.dat", head + "99\n");
    clear_globals();
    hl_fill_constants();
    kvdb_load(db.str());
    hard_prefs();
    EXPECT_EQ(msc.loc_apt_wrl, 0);   // the first airport with runways
    EXPECT_EQ(msc.loc_rwy_wrl, 0);
    EXPECT_EQ(env.lat_sou, 30);      // round(30.5 - 1) = 30 (half away from zero: 29.5 -> 30)
    EXPECT_EQ(env.lon_wes, -92);     // round(-92.0)
    ASSERT_EQ(dump_prefs(path.c_str(), FILE_KIND_PREFS), 1);
    std::vector<std::string> l = lines_of(read_file(path));
    l[4] = "1";   // KSBD, which owns no runway
    l[5] = "0";
    dir.write("rwy.prf", join_lines(l));
    ASSERT_EQ(grab_prefs((dir.str() + "/rwy.prf").c_str(), FILE_KIND_PREFS, 0), 1);
    EXPECT_EQ(msc.loc_apt_wrl, 0);
    EXPECT_EQ(msc.loc_rwy_wrl, 0);
    l[4] = "2";   // KCCC with KAAA's runway
    dir.write("rwy.prf", join_lines(l));
    ASSERT_EQ(grab_prefs((dir.str() + "/rwy.prf").c_str(), FILE_KIND_PREFS, 0), 1);
    EXPECT_EQ(msc.loc_apt_wrl, 2);
    EXPECT_EQ(msc.loc_rwy_wrl, 1);
}

// ---- situations -------------------------------------------------------------------------------------

TEST_F(Prefs, ASituationComesBackWhereItWas)
{
    unusual_state();
    const std::string sit = dir.str() + "/Untitled.sit";
    ASSERT_EQ(dump_prefs(sit.c_str(), FILE_KIND_SITUATION), 1);
    EXPECT_EQ(lines_of(read_file(sit))[1], "51 version");
    const double x = flt.X[0], z = flt.Z[0];
    hard_prefs();
    ASSERT_EQ(grab_prefs(sit.c_str(), FILE_KIND_SITUATION, 1), 1);
    // The start airport's region is loaded again (same corner, so the same frame).
    fresh_frame(33, -120);
    situation_position_to_region();
    EXPECT_NEAR(set.cus_X, x, 0.05);
    EXPECT_NEAR(set.cus_Z, z, 0.05);
    EXPECT_FLOAT_EQ(set.cus_Y, 1234.5f);
    EXPECT_FLOAT_EQ(set.cus_psi, 271.5f);
    EXPECT_FLOAT_EQ(set.cus_v, 55.25f);
    EXPECT_EQ(atm.temp_SL, 41.0f);
    EXPECT_EQ(nav.adff, 356);
}

// After the region has moved on from the start airport's corner, the position is written for the
// region the start airport gives, from the aircraft's latitude and longitude on the flat map.
TEST_F(Prefs, ASituationSavedAfterTheRegionMovedComesBackWhereItWas)
{
    unusual_state();
    fresh_frame(34, -118);   // moved one square north and one east
    const double k = 60 * con.nmtomtrs;
    flt.Z[0] = -(35.25 - 34) * k;
    flt.X[0] = (-116.5 - -118) * k * std::cos(35.25 * M_PI / 180);
    const std::string sit = dir.str() + "/moved.sit";
    ASSERT_EQ(dump_prefs(sit.c_str(), FILE_KIND_SITUATION), 1);
    hard_prefs();
    ASSERT_EQ(grab_prefs(sit.c_str(), FILE_KIND_SITUATION, 1), 1);
    // KLAX gives the corner 33 N, 120 W; a full load puts that corner's x at 0 and its z at 0, the
    // north edge 120 nm north.
    EXPECT_EQ(env.lat_sou, 33);
    EXPECT_EQ(env.lon_wes, -120);
    fresh_frame(33, -120);
    situation_position_to_region();
    const double deg = 60 * 1852.0;
    const double want_x = (-116.5 - -120.0) * deg * std::cos(35.25 * M_PI / 180);
    const double want_z = -(35.25 - 33.0) * deg;
    EXPECT_NEAR(set.cus_X, want_x, 1.0);
    EXPECT_NEAR(set.cus_Z, want_z, 1.0);
}

TEST_F(Prefs, ADamagedSituationLeavesTheFlightAsItWas)
{
    unusual_state();
    const std::string sit = dir.str() + "/cut.sit";
    ASSERT_EQ(dump_prefs(sit.c_str(), FILE_KIND_SITUATION), 1);
    std::vector<std::string> l = lines_of(read_file(sit));
    l.resize(120);
    dir.write("cut.sit", join_lines(l));
    hard_prefs();
    atm.temp_SL = 77;
    const std::string before = prefs_snapshot();
    EXPECT_EQ(grab_prefs(sit.c_str(), FILE_KIND_SITUATION, 1), 0);
    EXPECT_TRUE(prefs_snapshot() == before);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].code, 2002);
    EXPECT_EQ(recorded_alerts()[0].l1, "I could not read this situation file, so nothing has changed.");
    EXPECT_EQ(recorded_alerts()[0].l3, "Line 121 should hold a whole number.");
}

// A situation file of another version is refused with a notice; the flight goes on.
TEST_F(Prefs, ASituationOfAnotherVersionIsANoticeNotTheEnd)
{
    hard_prefs();
    const std::string before = prefs_snapshot();
    for (const char* bytes : {"I\n50 version\n", "I\n-1 version\nz\n\n"}) {
        SCOPED_TRACE(bytes);
        dir.write("old.sit", bytes);
        clear_recorded_alerts();
        EXPECT_EQ(grab_prefs((dir.str() + "/old.sit").c_str(), FILE_KIND_SITUATION, 1), 0);
        ASSERT_EQ(recorded_alerts().size(), 1u);
        EXPECT_EQ(recorded_alerts()[0].code, 2002);
        EXPECT_EQ(recorded_alerts()[0].l3, "It is the wrong version for this version of Kestrova (line 2).");
    }
    clear_recorded_alerts();
    EXPECT_EQ(grab_prefs((dir.str() + "/none.sit").c_str(), FILE_KIND_SITUATION, 1), 0);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].l3, "The file could not be opened.");
    EXPECT_TRUE(prefs_snapshot() == before);
}

// ---- the way out ------------------------------------------------------------------------------------

TEST_F(Prefs, QuitWritesThePreferencesOnlyOnceARegionIsLoaded)
{
    unusual_state();
    const std::string old = "I\n51 version\nkeep me\n";
    dir.write("Kestrova 4.prf", old);
    apt_lcl_max = -1;
    write_prefs_at_exit();
    EXPECT_EQ(read_file(path), old);
    std::filesystem::remove(path);
    write_prefs_at_exit();
    EXPECT_FALSE(std::filesystem::exists(path));

    apt_lcl_max = 0;
    write_prefs_at_exit();
    std::vector<std::string> l = lines_of(read_file(path));
    ASSERT_EQ(l.size(), 2u + PREFS_LINES);
    EXPECT_EQ(l[2], "Schweizer 2-32.acf");
}

TEST_F(Prefs, AFileThatCannotBeWrittenLeavesNothingBehind)
{
    hard_prefs();
    const std::string nowhere = dir.str() + "/missing folder/Kestrova 4.prf";
    EXPECT_EQ(dump_prefs(nowhere.c_str(), FILE_KIND_PREFS), 0);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].code, 2002);
    EXPECT_FALSE(std::filesystem::exists(dir.str() + "/missing folder"));
}

TEST_F(Prefs, QuitWithTheLogbookShowsTheLoggedTimes)
{
    msc.logtime = 1;
    msc.elap_time = 3 * 3600 + 25 * 60;
    msc.nigt_time = 45 * 60;
    msc.aifr_time = 0;
    gdone = 0;
    quit_simulator();
    EXPECT_EQ(gdone, 1);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].l1, "Logbook results:");
    EXPECT_EQ(recorded_alerts()[0].l2, "Total time logged: 3:25.");
    EXPECT_EQ(recorded_alerts()[0].l3, "Night time logged: 0:45.");
    EXPECT_EQ(recorded_alerts()[0].l4, "Actual instrument time logged: 0:0.");
    gdone = 0;
}

}  // namespace
