// hl_dbline_test.cpp -- airport, runway, navaid and fix lines: exact lines, round trips, hostile lines.
#include "hl_dbline.h"

#include "hl_file.h"
#include "hl_wind.h"
#include "kvtest.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Apt {
    float elev;
    int tower, bld;
    char id[DB_ID_LEN];
    char name[DB_NAME_LEN];
};
struct Rwy {
    float lat, lon;
    int num;
    char letter;
    int hdg, len, width, lite;
};
struct Nav {
    int kind;
    float lat, lon, elev;
    int freq, hdg;
    char id[DB_ID_LEN];
    char name[DB_NAME_LEN];
};
struct Fix {
    float lat, lon;
    char id[DB_FIX_ID_LEN];
};

// One airport database: airports, each followed by its runways.
struct Db {
    std::vector<Apt> apt;
    std::vector<std::vector<Rwy>> rwy;
    std::vector<Nav> nav;
    std::vector<Fix> fix;
};

Apt apt(float elev, int tower, int bld, const char* id, const char* name)
{
    Apt a{elev, tower, bld, {}, {}};
    std::snprintf(a.id, sizeof a.id, "%s", id);
    std::snprintf(a.name, sizeof a.name, "%s", name);
    return a;
}
Nav nav(int kind, float lat, float lon, float elev, int freq, int hdg, const char* id, const char* name)
{
    Nav n{kind, lat, lon, elev, freq, hdg, {}, {}};
    std::snprintf(n.id, sizeof n.id, "%s", id);
    std::snprintf(n.name, sizeof n.name, "%s", name);
    return n;
}
Fix fix(float lat, float lon, const char* id)
{
    Fix f{lat, lon, {}};
    std::snprintf(f.id, sizeof f.id, "%s", id);
    return f;
}

class DatabaseLines : public ::testing::Test {
protected:
    void SetUp() override { clear_recorded_alerts(); }
    void TearDown() override
    {
        inf1.close();
        inf1.clear();
        ouf.close();
        ouf.clear();
    }

    std::string path(const char* name) const { return (dir.path() / name).string(); }

    // Writes the three files with the line writers.
    void write_db(Db& db, const std::string& tag)
    {
        std::string p = path(("apt" + tag).c_str());
        ASSERT_EQ(ouf_open(p.c_str(), DB_FILE_TYPE, DB_VERSION), 1);
        for (size_t i = 0; i < db.apt.size(); i++) {
            Apt& a = db.apt[i];
            fio_apt_line(&a.elev, &a.tower, &a.bld, a.id, a.name, 0);
            for (Rwy& r : db.rwy[i])
                fio_rwy_line(&r.lat, &r.lon, &r.num, &r.letter, &r.hdg, &r.len, &r.width, &r.lite, 0);
        }
        ouf << DB_CODE_END << '\n';
        ASSERT_EQ(ouf_close(p.c_str()), 1);

        p = path(("nav" + tag).c_str());
        ASSERT_EQ(ouf_open(p.c_str(), DB_FILE_TYPE, DB_VERSION), 1);
        for (Nav& n : db.nav) fio_nav_line(&n.kind, &n.lat, &n.lon, &n.elev, &n.freq, &n.hdg, n.id, n.name, 0);
        ouf << DB_CODE_END << '\n';
        ASSERT_EQ(ouf_close(p.c_str()), 1);

        p = path(("fix" + tag).c_str());
        ASSERT_EQ(ouf_open(p.c_str(), DB_FILE_TYPE, DB_VERSION), 1);
        for (Fix& f : db.fix) fio_fix_line(&f.lat, &f.lon, f.id, 0);
        ouf << DB_CODE_END << '\n';
        ASSERT_EQ(ouf_close(p.c_str()), 1);
    }

    // Reads them back as the loaders do: a code per line, 99 at the end.
    Db read_db(const std::string& tag)
    {
        Db db;
        EXPECT_EQ(inf_open(path(("apt" + tag).c_str()).c_str(), DB_FILE_TYPE, DB_VERSION, 1), 1);
        for (int code; (code = intscan("code")) != DB_CODE_END;) {
            if (code == DB_CODE_AIRPORT) {
                Apt a{};
                fio_apt_line(&a.elev, &a.tower, &a.bld, a.id, a.name, 1);
                db.apt.push_back(a);
                db.rwy.emplace_back();
            } else if (code == DB_CODE_RUNWAY) {
                Rwy r{};
                fio_rwy_line(&r.lat, &r.lon, &r.num, &r.letter, &r.hdg, &r.len, &r.width, &r.lite, 1);
                db.rwy.back().push_back(r);
            }
        }
        EXPECT_EQ(inf_open(path(("nav" + tag).c_str()).c_str(), DB_FILE_TYPE, DB_VERSION, 1), 1);
        for (int code; (code = intscan("code")) != DB_CODE_END;) {
            Nav n{};
            n.kind = code;
            fio_nav_line(&n.kind, &n.lat, &n.lon, &n.elev, &n.freq, &n.hdg, n.id, n.name, 1);
            db.nav.push_back(n);
        }
        EXPECT_EQ(inf_open(path(("fix" + tag).c_str()).c_str(), DB_FILE_TYPE, DB_VERSION, 1), 1);
        for (Fix f{}; fio_fix_line(&f.lat, &f.lon, f.id, 1); f = Fix{}) db.fix.push_back(f);
        return db;
    }

    // Opens a hand-written text database body.
    void open_body(const std::string& body)
    {
        std::string p = dir.write("hand.dat", "I\n500 version\n" + body);
        ASSERT_EQ(inf_open(p.c_str(), DB_FILE_TYPE, DB_VERSION, 1), 1);
    }

    TempDir dir;
};

TEST_F(DatabaseLines, LinesAreWrittenColumnForColumn)
{
    Db db;
    db.apt.push_back(apt(13.4f, 1, 0, "KSFO", "SAN FRANCISCO INTL"));
    db.rwy.push_back({{37.5f, -122.25f, 28, 'R', 298, 11870, 200, 1234567}, {37.5f, -122.25f, 9, ' ', 90, 3000, 75, 0}});
    db.nav.push_back(nav(3, 37.5f, -122.25f, 13.0f, 11580, 0, "SFO", "SAN FRANCISCO"));
    db.fix.push_back(fix(-33.75f, 151.125f, "ALPHA"));
    write_db(db, "");
    EXPECT_EQ(read_file(path("apt")),
              "I\n500 version\n"
              "1     13 1 0 KSFO SAN FRANCISCO INTL\n"
              "10  37.500000 -122.250000 28R 298  11870 200 1234567\n"
              "10  37.500000 -122.250000  9-  90   3000  75       0\n"
              "99\n");
    EXPECT_EQ(read_file(path("nav")),
              "I\n500 version\n"
              "3  37.500000 -122.250000     13.0    11580    0 SFO  SAN FRANCISCO\n"
              "99\n");
    EXPECT_EQ(read_file(path("fix")), "I\n500 version\n-33.750000  151.125000 ALPHA\n99\n");
}

TEST_F(DatabaseLines, SecondRoundTripIsIdentical)
{
    Db db;
    db.apt.push_back(apt(13.4f, 1, 0, "KSFO", "SAN FRANCISCO INTL"));
    db.apt.push_back(apt(-1234.6f, 2, 1, "AB", "  leading blanks, trailing  "));
    db.apt.push_back(apt(8000.5f, 0, 0, " X Y", "A NAME OF EXACTLY THIRTY-NINE LETTERS.."));
    db.apt.push_back(apt(0.0f, 1, 1, "", ""));
    db.apt.push_back(apt(5.0f, 0, 1, "A\tB\n", "name\nwith a line end"));
    db.rwy.push_back({{37.613529f, -122.357117f, 28, 'R', 298, 11870, 200, 1234567}});
    db.rwy.push_back({{-33.946111f, 151.177222f, 16, ' ', 360, 8000, 150, 0},
                      {-33.9f, 151.1f, 34, 'L', 720, 8000, 150, 3}});
    db.rwy.push_back({});
    db.rwy.push_back({{89.999999f, -179.999999f, 1, 'C', -400, 0, 0, -5}});
    db.rwy.push_back({{0.000001f, 0.0f, 36, '7', 359, 100, 50, 42}});
    db.nav.push_back(nav(3, 37.619167f, -122.374722f, 13.05f, 11580, 359, "SFO", "SAN FRANCISCO VOR"));
    db.nav.push_back(nav(4, -0.5f, 179.123456f, -20.0f, 10990, 360, "IABC", ""));
    db.nav.push_back(nav(9, 12.0f, 13.0f, 14.0f, 350, -1, "", "x"));
    db.fix.push_back(fix(51.477500f, -0.461389f, "ALPHA"));
    db.fix.push_back(fix(-12.5f, 100.25f, "AB"));
    db.fix.push_back(fix(0.0f, 0.0f, ""));

    write_db(db, "1");
    Db r1 = read_db("1");
    write_db(r1, "2");
    Db r2 = read_db("2");
    write_db(r2, "3");
    EXPECT_TRUE(recorded_alerts().empty());
    for (const char* f : {"apt", "nav", "fix"})
        EXPECT_EQ(read_file(path((std::string(f) + "2").c_str())), read_file(path((std::string(f) + "3").c_str()))) << f;

    // What came back after the first trip.
    ASSERT_EQ(r1.apt.size(), 5u);
    ASSERT_EQ(r1.nav.size(), 3u);
    ASSERT_EQ(r1.fix.size(), 3u);
    const char* ids[] = {"KSFO", "AB  ", "X Y ", "-   ", "A B "};
    const char* names[] = {"SAN FRANCISCO INTL", "leading blanks, trailing  ", "A NAME OF EXACTLY THIRTY-NINE LETTERS..",
                           "", "name"};
    int towers[] = {1, 0, 0, 1, 0};
    for (int i = 0; i < 5; i++) {
        EXPECT_STREQ(r1.apt[i].id, ids[i]);
        EXPECT_STREQ(r1.apt[i].name, names[i]);
        EXPECT_EQ(r1.apt[i].tower, towers[i]);
        EXPECT_NEAR(r1.apt[i].elev, db.apt[i].elev, 0.5f);
        ASSERT_EQ(r1.rwy[i].size(), db.rwy[i].size());
        for (size_t k = 0; k < db.rwy[i].size(); k++) {
            const Rwy &a = db.rwy[i][k], &b = r1.rwy[i][k];
            EXPECT_NEAR(b.lat, a.lat, 1e-5);
            EXPECT_NEAR(b.lon, a.lon, 1e-5);
            EXPECT_EQ(b.num, a.num);
            EXPECT_EQ(b.lite, a.lite);
            EXPECT_GE(b.hdg, 0);
            EXPECT_LE(b.hdg, 359);
        }
    }
    EXPECT_EQ(r1.rwy[1][0].letter, ' ');  // none: written as a placeholder, read back as a blank
    EXPECT_EQ(r1.rwy[4][0].letter, ' ');  // a digit cannot follow the number
    EXPECT_EQ(r1.rwy[0][0].letter, 'R');
    EXPECT_EQ(r1.rwy[1][0].hdg, 0);
    EXPECT_EQ(r1.rwy[1][1].hdg, 0);
    EXPECT_EQ(r1.rwy[3][0].hdg, 320);
    EXPECT_STREQ(r1.nav[0].id, "SFO ");
    EXPECT_STREQ(r1.nav[1].name, "");
    EXPECT_STREQ(r1.nav[2].id, "-   ");
    EXPECT_EQ(r1.nav[0].kind, 3);
    EXPECT_EQ(r1.nav[1].hdg, 0);
    EXPECT_EQ(r1.nav[2].hdg, 359);
    EXPECT_NEAR(r1.nav[0].elev, 13.1f, 1e-4);
    EXPECT_NEAR(r1.nav[1].lon, 179.123456f, 1e-5);
    EXPECT_STREQ(r1.fix[0].id, "ALPHA");
    EXPECT_STREQ(r1.fix[1].id, "AB   ");
    EXPECT_NEAR(r1.fix[0].lon, -0.461389f, 1e-6);

    // The same files with CRLF or CR line ends read to the same values.
    for (const char* eol : {"\r\n", "\r"}) {
        for (const char* f : {"apt", "nav", "fix"}) {
            std::string text = read_file(path((std::string(f) + "2").c_str())), out;
            for (char c : text) out += (c == '\n') ? std::string(eol) : std::string(1, c);
            dir.write(std::string(f) + "x", out);
        }
        Db rx = read_db("x");
        write_db(rx, "4");
        for (const char* f : {"apt", "nav", "fix"})
            EXPECT_EQ(read_file(path((std::string(f) + "4").c_str())), read_file(path((std::string(f) + "3").c_str())))
                << f << " with line ends of " << std::strlen(eol);
    }
}

TEST_F(DatabaseLines, HeadingsWrapIntoRange)
{
    struct Case {
        int in, out;
    } cases[] = {{360, 0}, {720, 0}, {-400, 320}, {359, 359}, {-1, 359}, {1000000, 280}, {-2147483647, 233}};
    for (const Case& c : cases) {
        std::string h = std::to_string(c.in);
        open_body("1.0 2.0 09L " + h + " 100 50 7\n3 1.0 2.0 3.0 110 " + h + " ABCD NAME\n");
        Rwy r{};
        fio_rwy_line(&r.lat, &r.lon, &r.num, &r.letter, &r.hdg, &r.len, &r.width, &r.lite, 1);
        EXPECT_EQ(r.hdg, c.out) << c.in;
        EXPECT_EQ(r.letter, 'L');
        EXPECT_EQ(r.lite, 7);
        Nav n{};
        n.kind = intscan("kind");
        fio_nav_line(&n.kind, &n.lat, &n.lon, &n.elev, &n.freq, &n.hdg, n.id, n.name, 1);
        EXPECT_EQ(n.hdg, c.out) << c.in;
        EXPECT_STREQ(n.name, "NAME");
    }
}

TEST_F(DatabaseLines, IdentifiersNeverTakeTheNextLine)
{
    // An unpadded identifier at the end of its line, a non-blank separator, a name with blanks.
    open_body("1 100 1 0 AB\n10 1.0 2.0 09L 90 100 50 0\n1 5 0 1 KSFOXSan Fran cisco\n99\n");
    Apt a{};
    Rwy r{};
    ASSERT_EQ(intscan("code"), 1);
    fio_apt_line(&a.elev, &a.tower, &a.bld, a.id, a.name, 1);
    EXPECT_STREQ(a.id, "AB");
    EXPECT_STREQ(a.name, "");
    ASSERT_EQ(intscan("code"), 10);
    fio_rwy_line(&r.lat, &r.lon, &r.num, &r.letter, &r.hdg, &r.len, &r.width, &r.lite, 1);
    EXPECT_EQ(r.num, 9);
    EXPECT_EQ(r.hdg, 90);
    ASSERT_EQ(intscan("code"), 1);
    fio_apt_line(&a.elev, &a.tower, &a.bld, a.id, a.name, 1);
    EXPECT_STREQ(a.id, "KSFO");
    EXPECT_STREQ(a.name, "San Fran cisco");
    EXPECT_EQ(intscan("code"), 99);
}

TEST_F(DatabaseLines, FixFileEndsAtLatitude99)
{
    open_body("10.0 20.0 ABCDE\n98.7\n");
    Fix f{};
    EXPECT_EQ(fio_fix_line(&f.lat, &f.lon, f.id, 1), 1);
    EXPECT_STREQ(f.id, "ABCDE");
    EXPECT_EQ(fio_fix_line(&f.lat, &f.lon, f.id, 1), 0);
}

TEST_F(DatabaseLines, MalformedFieldsNameTheirLabel)
{
    struct Case {
        std::string body;
        int kind;  // 0 airport, 1 runway, 2 navaid, 3 fix
        const char* label;
    } cases[] = {
        {"abc 1 0 KSFO x\n", 0, "scan apt apt_h"},
        {"100 one 0 KSFO x\n", 0, "scan apt apt_twr"},
        {"100 1 0", 0, "airport ID"},
        {"1.0 2.0 x9L 90 100 50 0\n", 1, "scan rwy rwy_num"},
        {"1.0 2.0 09L ninety 100 50 0\n", 1, "scan rwy rwy_hdng"},
        {"1.0 2.0 09L 90 100 50\n", 1, "scan rwy rwy_lite"},
        {"1.0 2.0 3.0 freq 0 ID NAME\n", 2, "scan nav line"},
        {"1.0 2.0 3.0 110 0", 2, "nav ID"},
        {"1.0 east ABCDE\n", 3, "fix.dat"},
    };
    for (const Case& c : cases) {
        open_body(c.body);
        Apt a{};
        Rwy r{};
        Nav n{};
        Fix f{};
        try {
            switch (c.kind) {
            case 0: fio_apt_line(&a.elev, &a.tower, &a.bld, a.id, a.name, 1); break;
            case 1: fio_rwy_line(&r.lat, &r.lon, &r.num, &r.letter, &r.hdg, &r.len, &r.width, &r.lite, 1); break;
            case 2: fio_nav_line(&n.kind, &n.lat, &n.lon, &n.elev, &n.freq, &n.hdg, n.id, n.name, 1); break;
            default: fio_fix_line(&f.lat, &f.lon, f.id, 1); break;
            }
            ADD_FAILURE() << "no alert for " << c.body;
        } catch (const FatalAlert& e) {
            EXPECT_EQ(e.alert.l1, "File-scanning error!");
            EXPECT_EQ(e.alert.l2, std::string("reading: ") + c.label) << c.body;
            EXPECT_EQ(e.alert.l4, dir.str() + "/hand.dat") << c.body;
        }
    }
}

}  // namespace
