// navdata_test.cpp -- the bundled airport, navaid and fix databases and weather reports of the
// default region: they load with the library's readers and hold together as geography.
#include "hl_dbline.h"
#include "hl_file.h"
#include "hl_types.h"
#include "hl_wxr.h"
#include "kvdb.h"
#include "kvtest.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kDataDir = std::string(KV_SOURCE_DIR) + "/data";
const std::string kNavDir = kDataDir + "/additional nav data";
const std::string kEndsFile = std::string(KV_SOURCE_DIR) + "/tests/tools/data/runway_ends.txt";

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;
constexpr double kEarth = 6371008.8;   // mean radius, m

// Local east/north metres of (lat, lon) about (lat0, lon0): exact enough across an airport.
struct EN {
    double e, n;
};
EN local(double lat0, double lon0, double lat, double lon)
{
    return {(lon - lon0) * kDeg * kEarth * std::cos(lat0 * kDeg), (lat - lat0) * kDeg * kEarth};
}
double bearing(EN a, EN b)
{
    double d = std::atan2(b.e - a.e, b.n - a.n) / kDeg;
    return d < 0 ? d + 360 : d;
}
double angle_diff(double a, double b)   // a - b wrapped into -180..180
{
    double d = std::fmod(a - b, 360.0);
    if (d > 180) d -= 360;
    if (d < -180) d += 360;
    return d;
}

std::string trimmed(const char* s)
{
    std::string r(s);
    while (!r.empty() && r.back() == ' ') r.pop_back();
    return r;
}

// The designator of a runway's numbered end ("6L", "24", "99") and of its other end.
std::string end0_name(int r)
{
    std::string s = std::to_string(rwy_num[r]);
    if (rwy_lcr[r] == 'L' || rwy_lcr[r] == 'C' || rwy_lcr[r] == 'R') s += rwy_lcr[r];
    return s;
}
std::string end1_name(int r)
{
    std::string s = std::to_string((rwy_num[r] + 17) % 36 + 1);
    if (rwy_lcr[r] == 'L') s += 'R';
    else if (rwy_lcr[r] == 'R') s += 'L';
    else if (rwy_lcr[r] == 'C') s += 'C';
    return s;
}
std::string strip_zero(std::string s)
{
    while (s.size() > 1 && s[0] == '0') s.erase(0, 1);
    return s;
}

int airport_index(const std::string& id)
{
    for (int a = 0; a <= apt_wrl_max; a++)
        if (trimmed(apt_id[a]) == id) return a;
    return -1;
}

// The runway ends of runway r, metres about its centre: end 0 (the numbered end) and end 1.
void runway_ends(int r, EN* e0, EN* e1)
{
    double h = rwy_len[r] * 0.5, s = std::sin(rwy_hdng[r] * kDeg), c = std::cos(rwy_hdng[r] * kDeg);
    *e0 = {-h * s, -h * c};
    *e1 = {h * s, h * c};
}

// Airport and runway end a navaid serves, from its name "KLAX 24R ILS".
struct Served {
    int apt = -1, rwy = -1, far_end = 0;   // far_end 1: the approach lands on end 1
    std::string kind;
};
Served served_by(int v)
{
    Served s;
    std::istringstream in(nav_name[v]);
    std::string id, end;
    in >> id >> end >> s.kind;
    s.apt = airport_index(id);
    if (s.apt < 0) return s;
    for (int r = apt_lo_ind[s.apt]; r <= apt_hi_ind[s.apt]; r++) {
        if (end0_name(r) == end) s.rwy = r, s.far_end = 0;
        if (end1_name(r) == end) s.rwy = r, s.far_end = 1;
    }
    return s;
}

class BundledData : public ::testing::Test {
protected:
    KvDbCounts n;
    void SetUp() override
    {
        clear_globals();
        kvdb_set_units();
        clear_recorded_alerts();
        n = kvdb_load(kNavDir);
    }
};

TEST_F(BundledData, LoadsWithTheLineReadersAndHoldsTheStartAirport)
{
    EXPECT_TRUE(recorded_alerts().empty());
    EXPECT_GE(n.airports, 36);   // several dozen airports
    EXPECT_GE(n.runways, n.airports);
    EXPECT_GE(n.navaids, 40);
    EXPECT_GE(n.fixes, 25);
    EXPECT_EQ(apt_wrl_max + 1, n.airports);
    EXPECT_EQ(rwy_wrl_max + 1, n.runways);
    EXPECT_EQ(nav_wrl_max - 1, n.navaids);
    EXPECT_EQ(fix_lat[n.fixes], 99.0f);

    int a = airport_index("KSBD");
    ASSERT_GE(a, 0);
    EXPECT_EQ(trimmed(apt_name[a]), "San Bernardino Intl");
    EXPECT_NEAR(apt_h[a], 1159 * 0.3048f, 0.1f);
    ASSERT_EQ(apt_hi_ind[a], apt_lo_ind[a]);   // one runway: 6/24
    int r = apt_lo_ind[a];
    EXPECT_EQ(rwy_num[r], 6);
    EXPECT_EQ(rwy_lcr[r], ' ');
    EXPECT_EQ(rwy_len[r], 3048);   // 10001 ft
    EXPECT_EQ(rwy_width[r], 60);   // 200 ft
    EXPECT_NEAR(rwy_lat[r], 34.095, 0.01);
    EXPECT_NEAR(rwy_lon[r], -117.235, 0.01);
}

TEST_F(BundledData, TheProgramFolderHoldsTheSameFiles)
{
    for (const char* f : {"additional nav data/apt.dat", "additional nav data/nav.dat", "additional nav data/fix.dat",
                          "WORLD.RWX"}) {
        std::string src = read_file(kDataDir + "/" + f);
        EXPECT_FALSE(src.empty()) << f;
        EXPECT_EQ(read_file(std::string(KV_PROGRAM_DIR) + "/" + f), src) << f;
    }
}

// Read with the line readers and written back with the line writers, each bundled file comes out
// byte for byte as it is: the scenery editor can save it without changing anything.
TEST_F(BundledData, TheFilesAreInTheLineWritersOwnLayout)
{
    TempDir out;
    for (const char* name : {"apt.dat", "nav.dat", "fix.dat"}) {
        SCOPED_TRACE(name);
        std::string src = kNavDir + "/" + name, dst = out.str() + "/" + name;
        ASSERT_EQ(inf_open(src.c_str(), DB_FILE_TYPE, DB_VERSION, 0), 1);
        ASSERT_EQ(ouf_open(dst.c_str(), DB_FILE_TYPE, DB_VERSION), 1);
        for (;;) {
            float a, b, c;
            int i1, i2, i3, i4, i5;
            char letter, id[DB_FIX_ID_LEN], text[DB_NAME_LEN];
            if (std::strcmp(name, "fix.dat") == 0) {
                if (!fio_fix_line(&a, &b, id, 1)) break;
                fio_fix_line(&a, &b, id, 0);
                continue;
            }
            int code = intscan("code");
            if (code == DB_CODE_END) break;
            if (std::strcmp(name, "nav.dat") == 0) {
                fio_nav_line(&code, &a, &b, &c, &i1, &i2, id, text, 1);
                fio_nav_line(&code, &a, &b, &c, &i1, &i2, id, text, 0);
            } else if (code == DB_CODE_AIRPORT) {
                fio_apt_line(&a, &i1, &i2, id, text, 1);
                fio_apt_line(&a, &i1, &i2, id, text, 0);
            } else {
                ASSERT_EQ(code, DB_CODE_RUNWAY);
                fio_rwy_line(&a, &b, &i1, &letter, &i2, &i3, &i4, &i5, 1);
                fio_rwy_line(&a, &b, &i1, &letter, &i2, &i3, &i4, &i5, 0);
            }
        }
        ouf << DB_CODE_END << '\n';
        ASSERT_EQ(ouf_close(dst.c_str()), 1);
        EXPECT_EQ(read_file(dst), read_file(src));
    }
    inf1.close();
}

TEST_F(BundledData, AirportsLieInTheRegionWithWellFormedRunways)
{
    std::set<std::string> ids;
    for (int a = 0; a <= apt_wrl_max; a++) {
        SCOPED_TRACE(apt_id[a]);
        EXPECT_TRUE(ids.insert(apt_id[a]).second) << "identifier twice";
        EXPECT_FALSE(trimmed(apt_name[a]).empty());
        EXPECT_GE(apt_hi_ind[a], apt_lo_ind[a]) << "no runway";
        for (int r = apt_lo_ind[a]; r <= apt_hi_ind[a]; r++) {
            EXPECT_GT(rwy_lat[r], 33.0f);
            EXPECT_LT(rwy_lat[r], 35.0f);
            EXPECT_GT(rwy_lon[r], -119.0f);
            EXPECT_LT(rwy_lon[r], -116.0f);
            EXPECT_TRUE((rwy_num[r] >= 1 && rwy_num[r] <= 36) || rwy_num[r] == 99) << rwy_num[r];
            EXPECT_NE(std::string(" LCR").find(rwy_lcr[r]), std::string::npos);
            EXPECT_GE(rwy_len[r], 15);     // a helipad
            EXPECT_LE(rwy_len[r], 5000);
            EXPECT_GE(rwy_width[r], 10);
            EXPECT_LE(rwy_width[r], 100);
            // lights code: surface 1..5, each end glide-slope lights 1..3, runway and approach lights 1..6
            int code = rwy_lite[r];
            EXPECT_GE(code / 1000000, 1);
            EXPECT_LE(code / 1000000, 5);
            for (int end : {(code / 1000) % 1000, code % 1000}) {
                EXPECT_GE(end / 100, 1);
                EXPECT_LE(end / 100, 3);
                EXPECT_GE(end / 10 % 10, 1);
                EXPECT_LE(end / 10 % 10, 6);
                EXPECT_GE(end % 10, 1);
                EXPECT_LE(end % 10, 6);
            }
        }
    }
}

// A runway's number is its magnetic heading in tens; true = magnetic + the region's easterly
// variation (about 12 degrees, more when the runways were numbered decades ago).
TEST_F(BundledData, RunwayNumbersMatchTheirTrueHeadings)
{
    for (int r = 0; r <= rwy_wrl_max; r++) {
        if (rwy_num[r] == 99) continue;
        double d = angle_diff(rwy_hdng[r], rwy_num[r] * 10.0);
        EXPECT_GE(d, -5.0) << end0_name(r);
        EXPECT_LE(d, 25.0) << end0_name(r);
    }
}

// The runway lines hold the centre, heading and length; the thresholds taken from the airport
// diagrams must agree: bearing between them, distance, and midpoint.
TEST_F(BundledData, RunwayLinesAgreeWithTheThresholds)
{
    std::ifstream in(kEndsFile);
    ASSERT_TRUE(in.good()) << kEndsFile;
    std::set<int> seen;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream s(line);
        std::string id, e0, e1;
        double lat0, lon0, lat1, lon1;
        if (!(s >> id >> e0 >> e1 >> lat0 >> lon0 >> lat1 >> lon1)) continue;
        SCOPED_TRACE(id + " " + e0 + "/" + e1);
        int a = airport_index(id);
        ASSERT_GE(a, 0);
        int found = -1;
        for (int r = apt_lo_ind[a]; r <= apt_hi_ind[a]; r++)
            if (end0_name(r) == strip_zero(e0) && end1_name(r) == strip_zero(e1)) found = r;
        if (found < 0 && strip_zero(e0) == "99") found = apt_lo_ind[a];
        ASSERT_GE(found, 0) << "no such runway";
        int r = found;
        seen.insert(r);
        EN t0 = local(rwy_lat[r], rwy_lon[r], lat0, lon0), t1 = local(rwy_lat[r], rwy_lon[r], lat1, lon1);
        double dist = std::hypot(t1.e - t0.e, t1.n - t0.n);
        EXPECT_LE(std::fabs(dist - rwy_len[r]), 0.01 * rwy_len[r] + 2.0) << "length";
        if (rwy_num[r] != 99) {
            EXPECT_LE(std::fabs(angle_diff(bearing(t0, t1), rwy_hdng[r])), 2.0) << "heading";
        }
        EXPECT_LE(std::hypot((t0.e + t1.e) / 2, (t0.n + t1.n) / 2), 30.0) << "centre";
    }
    EXPECT_EQ(static_cast<int>(seen.size()), rwy_wrl_max + 1) << "every runway has its thresholds listed";
}

// Segment intersection of two runways' centrelines.
bool cross(int r1, int r2)
{
    EN a0, a1, b0, b1, o = local(rwy_lat[r1], rwy_lon[r1], rwy_lat[r2], rwy_lon[r2]);
    runway_ends(r1, &a0, &a1);
    runway_ends(r2, &b0, &b1);
    b0 = {b0.e + o.e, b0.n + o.n};
    b1 = {b1.e + o.e, b1.n + o.n};
    auto side = [](EN p, EN q, EN x) { return (q.e - p.e) * (x.n - p.n) - (q.n - p.n) * (x.e - p.e); };
    return side(a0, a1, b0) * side(a0, a1, b1) < 0 && side(b0, b1, a0) * side(b0, b1, a1) < 0;
}

TEST_F(BundledData, CrossingAndParallelRunwaysKeepTheirLayout)
{
    int crossing_airports = 0;
    for (int a = 0; a <= apt_wrl_max; a++) {
        int crossings = 0;
        for (int r1 = apt_lo_ind[a]; r1 <= apt_hi_ind[a]; r1++) {
            for (int r2 = r1 + 1; r2 <= apt_hi_ind[a]; r2++) {
                SCOPED_TRACE(std::string(apt_id[a]) + " " + end0_name(r1) + " " + end0_name(r2));
                if (rwy_num[r1] == rwy_num[r2]) {
                    // parallel: no overlap, far enough apart for both widths
                    EXPECT_FALSE(cross(r1, r2));
                    EN o = local(rwy_lat[r1], rwy_lon[r1], rwy_lat[r2], rwy_lon[r2]);
                    double h = rwy_hdng[r1] * kDeg;
                    double lateral = std::fabs(o.e * std::cos(h) - o.n * std::sin(h));
                    EXPECT_GT(lateral, (rwy_width[r1] + rwy_width[r2]) * 0.5);
                    EXPECT_EQ(rwy_hdng[r1], rwy_hdng[r2]);
                } else {
                    crossings += cross(r1, r2);
                }
            }
        }
        if (crossings) crossing_airports++;
    }
    EXPECT_GE(crossing_airports, 3);
    int lgb = airport_index("KLGB");
    ASSERT_GE(lgb, 0);
    EXPECT_TRUE(cross(apt_lo_ind[lgb], apt_lo_ind[lgb] + 1));   // 12/30 over 7L/25R
}

TEST_F(BundledData, HoldsAGrassStripADirtStripAndAHelipad)
{
    int grass = 0, dirt = 0, helipad = 0;
    for (int r = 0; r <= rwy_wrl_max; r++) {
        grass += rwy_lite[r] / 1000000 == 3;
        dirt += rwy_lite[r] / 1000000 == 4;
        helipad += rwy_num[r] == 99 && rwy_len[r] <= 30;
    }
    EXPECT_GE(grass, 1);
    EXPECT_GE(dirt, 1);
    EXPECT_GE(helipad, 1);
}

// Each kind of navaid in its band: NDBs 190..1750 kHz; VORs 108.00..117.95 MHz, with even tenths
// below 112 MHz; localizers 108.10..111.95 MHz with odd tenths; glide slopes on a localizer's
// frequency; markers 75 MHz.
TEST_F(BundledData, EveryNavaidFrequencyLiesInItsBand)
{
    std::map<std::string, int> loc_freq;
    for (int v = 2; v <= nav_wrl_max; v++)
        if (nav_type[v] == 4 || nav_type[v] == 5) loc_freq[nav_id[v]] = nav_frq[v];
    std::map<int, int> kinds;
    for (int v = 2; v <= nav_wrl_max; v++) {
        SCOPED_TRACE(std::string(nav_id[v]) + " " + nav_name[v]);
        int f = nav_frq[v];
        kinds[nav_type[v]]++;
        switch (nav_type[v]) {
        case 2: EXPECT_TRUE(f >= 190 && f <= 1750); break;
        case 3:
            EXPECT_TRUE(f >= 10800 && f <= 11795);
            EXPECT_EQ(f % 5, 0);
            if (f < 11200) {
                EXPECT_EQ(f / 10 % 2, 0);
            }
            break;
        case 4:
        case 5:
            EXPECT_TRUE(f >= 10810 && f <= 11195);
            EXPECT_EQ(f % 5, 0);
            EXPECT_EQ(f / 10 % 2, 1);
            break;
        case 6: EXPECT_EQ(loc_freq.count(nav_id[v]) ? loc_freq[nav_id[v]] : -1, f); break;
        case 7:
        case 8:
        case 9: EXPECT_EQ(f, 7500); break;
        default: ADD_FAILURE() << "kind " << nav_type[v];
        }
        EXPECT_GE(nav_hdng[v], 0);
        EXPECT_LE(nav_hdng[v], 359);
        EXPECT_TRUE(nav_lat[v] > 33.0f && nav_lat[v] < 35.0f && nav_lon[v] > -119.0f && nav_lon[v] < -116.0f);
    }
    for (int k : {2, 3, 4, 5, 6, 7, 8, 9}) EXPECT_GE(kinds[k], 1) << "kind " << k;
}

// Localizers stand beyond the stop end on the centreline, glide slopes beside the touchdown zone,
// markers on the approach course before the threshold; all carry the approach's true course.
TEST_F(BundledData, InstrumentLandingSystemsLineUpWithTheirRunways)
{
    int checked = 0;
    for (int v = 2; v <= nav_wrl_max; v++) {
        if (nav_type[v] < 4) continue;
        SCOPED_TRACE(nav_name[v]);
        Served s = served_by(v);
        ASSERT_GE(s.rwy, 0) << "names no runway";
        int r = s.rwy;
        double course = s.far_end ? rwy_hdng[r] + 180.0 : rwy_hdng[r];
        EXPECT_LE(std::fabs(angle_diff(nav_hdng[v], course)), 1.0);
        // along-track from the landing threshold (positive toward the stop end), cross-track
        EN e0, e1;
        runway_ends(r, &e0, &e1);
        EN thr = s.far_end ? e1 : e0;
        EN p = local(rwy_lat[r], rwy_lon[r], nav_lat[v], nav_lon[v]);
        double c = course * kDeg;
        double along = (p.e - thr.e) * std::sin(c) + (p.n - thr.n) * std::cos(c);
        double across = std::fabs((p.e - thr.e) * std::cos(c) - (p.n - thr.n) * std::sin(c));
        EXPECT_NEAR(nav_h[v], apt_h[s.apt], 1.0);
        switch (nav_type[v]) {
        case 4:
        case 5:
            EXPECT_GT(along, rwy_len[r] + 100.0);
            EXPECT_LT(along, rwy_len[r] + 700.0);
            EXPECT_LT(across, 30.0);
            break;
        case 6:
            EXPECT_GT(along, 150.0);
            EXPECT_LT(along, 600.0);
            EXPECT_GT(across, 60.0);
            EXPECT_LT(across, 200.0);
            break;
        case 7: EXPECT_TRUE(along < -6000.0 && along > -15000.0 && across < 50.0) << along; break;
        case 8: EXPECT_TRUE(along < -500.0 && along > -2000.0 && across < 50.0) << along; break;
        case 9: EXPECT_TRUE(along < -100.0 && along > -600.0 && across < 50.0) << along; break;
        }
        checked++;
    }
    EXPECT_GE(checked, 20);
}

TEST_F(BundledData, FixesAreNamedOnceAndLieInTheRegion)
{
    std::set<std::string> names;
    for (int f = 0; f < n.fixes; f++) {
        SCOPED_TRACE(fix_name[f]);
        EXPECT_EQ(std::strlen(fix_name[f]), 5u);
        EXPECT_TRUE(names.insert(fix_name[f]).second);
        EXPECT_TRUE(fix_lat[f] > 33.0f && fix_lat[f] < 35.0f && fix_lon[f] > -119.0f && fix_lon[f] < -116.0f);
    }
    EXPECT_EQ(fix_lat[n.fixes + 1], -999.0f);
}

// ---- the bundled weather reports ------------------------------------------------------------------

TEST_F(BundledData, EveryReportDecodesForAStationOfTheDatabase)
{
    std::ifstream in(kDataDir + "/WORLD.RWX", std::ios::binary);
    ASSERT_TRUE(in.good());
    std::set<int> covers, kinds;
    int reports = 0, fractions = 0, gusts = 0, variable = 0;
    std::string line;
    while (std::getline(in, line)) {
        SCOPED_TRACE(line);
        ASSERT_GT(line.size(), 5u);
        int a = airport_index(trimmed(line.substr(0, 4).c_str()));
        ASSERT_GE(a, 0) << "no airport for the station";
        EXPECT_EQ(line[4], ' ');
        float time = -99, base = -99, top = -99, vis = -99, temp = -99, dew = -99, dir = -99, spd = -99, gust = -99,
              alt = -99;
        int cover = -99, kind = -99, inten = -99;
        decode_wxr(line.c_str() + 5, apt_h[a], &time, &cover, &base, &top, &vis, &kind, &inten, &temp, &dew, &dir,
                   &spd, &gust, &alt);
        EXPECT_TRUE(cover >= 1 && cover <= 4);
        if (cover > 1) {
            EXPECT_TRUE(base > apt_h[a] && top >= base);
        }
        EXPECT_GT(vis, 0.0f);
        EXPECT_TRUE(temp > 0 && dew > 0 && dew <= temp);
        EXPECT_TRUE(dir >= 1 && dir <= 360 && spd >= 0 && gust >= 0);
        EXPECT_TRUE(alt > 29.0f && alt < 31.0f);
        if (line.substr(5, 8) != "SA 9 SCT") {   // the one report without a time
            EXPECT_GT(time, 0.0f);
        }
        covers.insert(cover);
        if (kind != -99) kinds.insert(kind);
        fractions += std::fmod(vis, 1852.0f) > 1.0f;
        gusts += gust > 0;
        variable += line.find("/VR") != std::string::npos;
        reports++;
    }
    EXPECT_GE(reports, 30);
    EXPECT_EQ(covers, (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(kinds, (std::set<int>{1, 2, 3, 4}));
    EXPECT_GE(fractions, 3);
    EXPECT_GE(gusts, 5);
    EXPECT_GE(variable, 1);
}

TEST_F(BundledData, TheStartAirportsReportIsTheNearestThere)
{
    for (int a = 0; a <= apt_wrl_max; a++) apt_inreg[a] = 1;
    int sbd = airport_index("KSBD");
    ASSERT_GE(sbd, 0);
    inf1.close();
    inf1.clear();
    inf1.open(kDataDir + "/WORLD.RWX", std::ios::binary);
    char text[WXR_TEXT_LEN] = "";
    float elev = 0;
    ASSERT_EQ(get_wxr_str(text, &elev, rwy_lat[apt_lo_ind[sbd]], rwy_lon[apt_lo_ind[sbd]]), 1);
    inf1.close();
    EXPECT_STREQ(text, "SA 1651 25 SCT 80 BKN 10 R- 65/55/2710G20/992");
    EXPECT_FLOAT_EQ(elev, apt_h[sbd]);
}

}  // namespace
