// afl_test.cpp -- part files: the table layout, write-then-read, and damaged files.
#include "hl_afl.h"
#include "hl_file.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvtest.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> split_lines(const std::string& s)
{
    std::vector<std::string> out;
    std::string cur;
    for (char c : s) {
        if (c == '\n') {
            out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

std::string fmt(const char* f, double a, double b = 0.0, double c = 0.0)
{
    char buf[128];
    std::snprintf(buf, sizeof buf, f, a, b, c);
    return buf;
}

// The angle of table index n (n >= 0) on the given side, as the layout defines it.
double layout_angle(int n, bool neg)
{
    double a = n <= 200 ? n / 10.0 : n - 180.0;
    return neg ? -a : a;
}

// An airfoil file built straight from the layout, each value marking where it belongs: lift n/1000
// (negative side -n/1000), drag 1 + n/1000 on the negative side and 2 + n/1000 on the positive.
std::string marked_airfoil(int code = AFL_TYPE_CODE, int version = PART_FILE_VERSION)
{
    std::ostringstream f;
    f << "I\n" << version << " version\n" << code << " device type code\n";
    f << "constants:  0.120000 6.000000 -15.000000 16.500000";
    for (int k = 4; k < 25; k++) f << " 0.500000";
    f << "\nindex     cl         cd\n";
    for (int n = 270; n >= 100; n--)
        f << fmt("%.1f %8.5f %8.5f\n", layout_angle(n, true), -n / 1000.0, 1.0 + n / 1000.0);
    for (int n = 99; n >= 0; n--) f << fmt("%.1f %8.5f\n", layout_angle(n, true), 1.0 + n / 1000.0);
    f << "\n";
    const char* labels[] = {"   clM", "   clB", " cmal2", " cmal3", "   cm1", "   cm2", "   cm3", "   cm4"};
    const double values[] = {0.1, 0.25, -12.0, 15.0, 0.04, -0.03, -0.02, -0.08};
    for (int k = 0; k < 8; k++) f << fmt("%.5f", values[k]) << labels[k] << "\n";
    f << "\n";
    for (int n = 0; n <= 99; n++) f << fmt("%.1f %8.5f\n", layout_angle(n, false), 2.0 + n / 1000.0);
    for (int n = 100; n <= 270; n++)
        f << fmt("%.1f %8.5f %8.5f\n", layout_angle(n, false), n / 1000.0, 2.0 + n / 1000.0);
    return f.str();
}

// A flap file built from the layout: row h holds h/100, 1 + h/100, -h/100.
std::string marked_flap(int code = FLP_TYPE_CODE)
{
    std::ostringstream f;
    f << "I\n363 version\n" << code << " device type code\n";
    f << "constants: 2.0 0.0 -0.6 0.04 0.04 0.0 -0.6 -0.1 -0.1\ndef cl cd cm\n";
    for (int h = 0; h <= 50; h++) f << h << fmt(" %f %f %f\n", h / 100.0, 1.0 + h / 100.0, -h / 100.0);
    return f.str();
}

class PartFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        std::snprintf(afl_path, STR_LEN, "%s/airfoils/", dir.str().c_str());
        std::snprintf(flp_path, STR_LEN, "%s/flaps/", dir.str().c_str());
        std::filesystem::create_directories(dir.path() / "airfoils");
        std::filesystem::create_directories(dir.path() / "flaps");
    }

    std::string put_airfoil(const std::string& name, const std::string& text) { return dir.write("airfoils/" + name, text); }
    std::string put_flap(const std::string& name, const std::string& text) { return dir.write("flaps/" + name, text); }

    // Fills afl[0] with a pattern so that any change shows.
    static void fill_sentinel()
    {
        float* f = reinterpret_cast<float*>(&afl[0]);
        for (size_t i = 0; i < sizeof(airfoilstruct) / sizeof(float); i++) f[i] = 7.25f;
    }
    static bool sentinel_intact()
    {
        const float* f = reinterpret_cast<const float*>(&afl[0]);
        for (size_t i = 0; i < sizeof(airfoilstruct) / sizeof(float); i++)
            if (f[i] != 7.25f) return false;
        return true;
    }

    // Writes the editor's new airfoil (or flap) to path and returns its curves.
    static foilcurvestruct write_default(const std::string& path, int device)
    {
        auto a = std::make_unique<airfoilstruct>();
        std::memset(a.get(), 0, sizeof(airfoilstruct));
        foil_defaults(a.get());
        foilcurvestruct c;
        foil_generate(a.get(), device, &c);
        EXPECT_EQ(afl_write_part(path.c_str(), device, a.get(), &c), 1);
        return c;
    }

    TempDir dir;
};

TEST_F(PartFiles, RowsLandAtTheirTableIndex)
{
    put_airfoil("marked.afl", marked_airfoil());
    float almax = 0.0f;
    ASSERT_EQ(grabafoil("marked.afl", 5, 1, 1, &almax, 0, "right wing 1"), 1);
    const airfoilstruct& a = afl[0];
    struct { const char* what; float got, want; } rows[] = {
        {"first row read, -90 degrees: clneg[170]", a.clneg[5][1][1][170], -0.270f},
        {"-90 degrees drag: cdneg[270]", a.cdneg[5][1][1][270], 1.270f},
        {"-10 degrees: clneg[0]", a.clneg[5][1][1][0], -0.100f},
        {"-21 degrees (index 201): clneg[101]", a.clneg[5][1][1][101], -0.201f},
        {"-9.9 degrees drag: cdneg[99]", a.cdneg[5][1][1][99], 1.099f},
        {"0 degrees, negative side: cdneg[0]", a.cdneg[5][1][1][0], 1.000f},
        {"0 degrees, positive side: cdpos[0]", a.cdpos[5][1][1][0], 2.000f},
        {"+10 degrees: clpos[0]", a.clpos[5][1][1][0], 0.100f},
        {"+20 degrees: clpos[100]", a.clpos[5][1][1][100], 0.200f},
        {"+90 degrees: clpos[170]", a.clpos[5][1][1][170], 0.270f},
        {"+90 degrees drag: cdpos[270]", a.cdpos[5][1][1][270], 2.270f},
        {"trat", a.trat[5][1], 0.12f},
        {"Re", a.Re[5][1][1], 6.0f},
        {"clM", a.clM[5][1][1], 0.1f},
        {"clB", a.clB[5][1][1], 0.25f},
        {"cmal2", a.cmal2[5][1][1], -12.0f},
        {"cmal3", a.cmal3[5][1][1], 15.0f},
        {"cm1", a.cm1[5][1][1], 0.04f},
        {"cm4", a.cm4[5][1][1], -0.08f},
        {"zero-lift angle -clB/clM", a.al_zl[5][1][1], -2.5f},
        {"almax returned", almax, 16.5f},
    };
    for (auto& r : rows) EXPECT_NEAR(r.got, r.want, 1e-6f) << r.what;
    // Only the chosen slot was written.
    EXPECT_EQ(a.clpos[5][1][0][170], 0.0f);
    EXPECT_EQ(a.clpos[5][0][1][170], 0.0f);
    EXPECT_EQ(a.clpos[4][1][1][170], 0.0f);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(PartFiles, WriterLaysOutTheAirfoilFile)
{
    const std::string path = dir.str() + "/airfoils/new.afl";
    write_default(path, DEVICE_AIRFOIL);
    auto lines = split_lines(read_file(path));
    ASSERT_EQ(lines.size(), 557u);
    struct { size_t line; const char* want; } rows[] = {
        {0, "I"},
        {1, "363 version"},
        {2, "1234 device type code"},
        {4, "index     cl         cd"},
        {5, "-90.0  0.00000  1.28000"},
        {175, "-10.0 -0.77000  0.01041"},
        {275, "0.0  0.00650"},
        {276, ""},
        {277, "0.10200   clM"},
        {278, "0.25000   clB"},
        {279, "-10.00000 cmal2"},
        {280, "16.00000 cmal3"},
        {284, "-0.07500   cm4"},
        {285, ""},
        {286, "0.0  0.00650"},
        {386, "10.0  1.27000  0.01140"},
        {536, "70.0  0.20000  0.92267"},
        {556, "90.0  0.00000  1.28000"},
    };
    for (auto& r : rows) EXPECT_EQ(lines[r.line], r.want) << "line " << r.line + 1;
    EXPECT_EQ(lines[176].rfind("-9.9 ", 0), 0u) << lines[176];
    EXPECT_EQ(lines[176].size(), std::string("-9.9  0.00000").size());  // drag only
    EXPECT_EQ(lines[3].rfind("constants:  0.100000 4.500000 -15.000000 15.000000 0.250000 0.102000", 0), 0u)
        << lines[3];
}

TEST_F(PartFiles, AirfoilWrittenThenReadGivesTheCurves)
{
    const foilcurvestruct c = write_default(dir.str() + "/airfoils/new.afl", DEVICE_AIRFOIL);
    float almax = 0.0f;
    ASSERT_EQ(grabafoil("new.afl", 0, 0, 0, &almax, 1, "propeller 1"), 1);
    const airfoilstruct& a = afl[1];
    float worst = 0.0f;
    for (int n = 0; n <= 270; n++) {
        worst = std::fmax(worst, std::fabs(a.cdpos[0][0][0][n] - c.cd[270 + n]));
        worst = std::fmax(worst, std::fabs(a.cdneg[0][0][0][n] - c.cd[270 - n]));
        if (n >= 100) {
            worst = std::fmax(worst, std::fabs(a.clpos[0][0][0][n - 100] - c.cl[270 + n]));
            worst = std::fmax(worst, std::fabs(a.clneg[0][0][0][n - 100] - c.cl[270 - n]));
        }
    }
    EXPECT_LE(worst, 5.01e-6f);  // five decimals in the file
    EXPECT_NEAR(a.clpos[0][0][0][50], 1.5f, 1e-6f);    // 15 degrees
    EXPECT_NEAR(a.clneg[0][0][0][50], -1.1f, 1e-6f);   // -15 degrees
    EXPECT_NEAR(a.al_zl[0][0][0], -0.25f / 0.102f, 1e-5f);
    EXPECT_FLOAT_EQ(almax, 15.0f);
    EXPECT_FLOAT_EQ(a.trat[0][0], 0.1f);
    EXPECT_FLOAT_EQ(a.Re[0][0][0], 4.5f);
    EXPECT_FLOAT_EQ(a.cm3[0][0][0], -0.025f);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(PartFiles, ZeroLiftSlopeLoadsWithoutDividingByZero)
{
    std::string text = marked_airfoil();
    const std::string from = "0.10000   clM";
    text.replace(text.find(from), from.size(), "0.00000   clM");
    put_airfoil("flat.afl", text);
    ASSERT_EQ(grabafoil("flat.afl", 10, 0, 0, nullptr, 0, "horiz stab 1"), 1);
    EXPECT_TRUE(std::isfinite(afl[0].al_zl[10][0][0]));
    EXPECT_EQ(afl[0].al_zl[10][0][0], 0.0f);
}

TEST_F(PartFiles, ExtraDecimalsAndOtherLineEndsReadTheSame)
{
    put_airfoil("plain.afl", marked_airfoil());
    ASSERT_EQ(grabafoil("plain.afl", 0, 0, 0, nullptr, 0, "x"), 1);
    auto first = std::make_unique<airfoilstruct>(afl[0]);

    std::string text = marked_airfoil();
    const std::string from = "constants:  0.120000 6.000000 -15.000000 16.500000";
    text.replace(text.find(from), from.size(), "constants:  0.1200000000 6.00000000001 -15.0000000 16.50000000");
    std::string crlf, cr;
    for (char ch : text) {
        crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
        cr += ch == '\n' ? '\r' : ch;
    }
    for (const std::string* t : {&text, &crlf, &cr}) {
        std::memset(&afl[0], 0, sizeof(airfoilstruct));
        put_airfoil("other.afl", *t);
        float almax = 0.0f;
        ASSERT_EQ(grabafoil("other.afl", 0, 0, 0, &almax, 0, "x"), 1);
        EXPECT_EQ(std::memcmp(&afl[0], first.get(), sizeof(airfoilstruct)), 0);
        EXPECT_FLOAT_EQ(almax, 16.5f);
    }
}

// The angle that leads each row only says where the row stands: another writer's rounding of it,
// or another number altogether, reads into the same tables.
TEST_F(PartFiles, RowAnglesOfAnyRoundingReadTheSame)
{
    put_airfoil("plain.afl", marked_airfoil());
    ASSERT_EQ(grabafoil("plain.afl", 0, 0, 0, nullptr, 0, "x"), 1);
    auto first = std::make_unique<airfoilstruct>(afl[0]);

    // Rewrites the first number of every table row (the lines after the heading and the blank
    // lines, but not the constants between them).
    auto relabel = [](const std::string& text, double (*label)(double angle)) {
        std::string out;
        int section = 0;   // 0 header, 1 negative rows, 2 constants, 3 positive rows
        for (const std::string& line : split_lines(text)) {
            if (line.rfind("index", 0) == 0) section = 1;
            else if (line.empty()) section = section == 1 ? 2 : 3;
            else if (section == 1 || section == 3) {
                const size_t blank = line.find(' ');
                const double angle = std::stod(line.substr(0, blank));
                char lead[64];
                std::snprintf(lead, sizeof lead, "%.6g", label(angle));
                out += lead + line.substr(blank) + "\n";
                continue;
            }
            out += line + "\n";
        }
        return out;
    };
    struct { const char* what; double (*label)(double); } rows[] = {
        {"whole degrees", [](double a) { return std::round(a); }},
        {"whole degrees cut toward zero", [](double a) { return std::trunc(a); }},
        {"radians", [](double a) { return a * 3.14159265358979 / 180.0; }},
        {"no angle at all", [](double) { return 0.0; }},
    };
    for (auto& r : rows) {
        std::memset(&afl[0], 0, sizeof(airfoilstruct));
        const std::string text = relabel(marked_airfoil(), r.label);
        ASSERT_NE(text, marked_airfoil()) << r.what;
        put_airfoil("other.afl", text);
        float almax = 0.0f;
        ASSERT_EQ(grabafoil("other.afl", 0, 0, 0, &almax, 0, "x"), 1) << r.what;
        EXPECT_EQ(std::memcmp(&afl[0], first.get(), sizeof(airfoilstruct)), 0) << r.what;
        EXPECT_FLOAT_EQ(almax, 16.5f) << r.what;
    }
    EXPECT_TRUE(recorded_alerts().empty());
}

// Likewise the number that leads each flap row.
TEST_F(PartFiles, FlapRowNumbersOfAnyFormReadTheSame)
{
    struct { const char* what; const char* format; double scale; } rows[] = {
        {"one decimal", "%.1f", 1.0},
        {"the deflection fraction", "%.2f", 1.0 / 50.0},
        {"counted from one", "%.0f", -1.0},
    };
    for (auto& r : rows) {
        std::ostringstream f;
        f << "I\n363 version\n2345 device type code\n";
        f << "constants: 2.0 0.0 -0.6 0.04 0.04 0.0 -0.6 -0.1 -0.1\ndef cl cd cm\n";
        for (int h = 0; h <= 50; h++)
            f << fmt(r.format, r.scale < 0.0 ? h + 1.0 : h * r.scale) << fmt(" %f %f %f\n", h / 100.0, 1.0 + h / 100.0, -h / 100.0);
        put_flap("other.flp", f.str());
        float cl[FLAP_ROWS], cd[FLAP_ROWS], cm[FLAP_ROWS];
        ASSERT_EQ(grabflap("other.flp", cl, cd, cm), 1) << r.what;
        for (int h = 0; h < FLAP_ROWS; h++) {
            ASSERT_NEAR(cl[h], h / 100.0f, 1e-6f) << r.what << " row " << h;
            ASSERT_NEAR(cd[h], 1.0f + h / 100.0f, 1e-6f) << r.what << " row " << h;
            ASSERT_NEAR(cm[h], -h / 100.0f, 1e-6f) << r.what << " row " << h;
        }
    }
    EXPECT_TRUE(recorded_alerts().empty());
}

// A file cut short anywhere raises the scanning alert, and the tables keep what they held.
TEST_F(PartFiles, TruncatedAirfoilAlertsAndLoadsNothing)
{
    const std::string whole = marked_airfoil();
    const auto lines = split_lines(whole);
    struct { const char* where; size_t keep_lines; int cut_chars; } rows[] = {
        {"after the type code", 3, 0},
        {"after the heading", 5, 0},
        {"inside the negative lift rows", 60, 0},
        {"inside the negative drag rows", 200, 0},
        {"inside the lift-line constants", 280, 0},
        {"inside the positive drag rows", 320, 0},
        {"inside the positive lift rows", 500, 0},
        {"without the last drag value", 557, 9},
        {"a row lost from the negative lift rows", 0, 0},
    };
    // A row lost from the middle leaves every later value one row early, and the file ends a row
    // short: its last lines are read where the moment constants' labels stand.
    std::string lost = whole;
    const std::string row = "-21.0 -0.20100  1.20100\n";
    ASSERT_NE(lost.find(row), std::string::npos);
    lost.erase(lost.find(row), row.size());
    for (auto& r : rows) {
        std::string text;
        for (size_t i = 0; i < r.keep_lines && i < lines.size(); i++) text += lines[i] + "\n";
        text.resize(text.size() - static_cast<size_t>(r.cut_chars));
        put_airfoil("cut.afl", r.keep_lines ? text : lost);

        fill_sentinel();
        clear_recorded_alerts();
        EXPECT_THROW(grabafoil("cut.afl", 4, 0, 0, nullptr, 0, "left wing 1"), FatalAlert) << r.where;
        ASSERT_FALSE(recorded_alerts().empty()) << r.where;
        EXPECT_EQ(recorded_alerts()[0].l1, "File-scanning error!") << r.where;
        EXPECT_TRUE(sentinel_intact()) << r.where;
    }
}

TEST_F(PartFiles, DamagedOrWrongKindAirfoilGetsTheCorruptedAlert)
{
    std::string noword = marked_airfoil();
    noword.replace(noword.find("constants:"), 10, "constant:");

    struct { const char* what; std::string text; } rows[] = {
        {"a flap file", marked_flap()},
        {"an unknown code", marked_airfoil(999)},
        {"no constants word", noword},
        {"a bad first line", "X\n363 version\n1234 device type code\n"},
    };
    for (auto& r : rows) {
        const std::string path = put_airfoil("bad.afl", r.text);
        fill_sentinel();
        clear_recorded_alerts();
        EXPECT_THROW(grabafoil("bad.afl", 4, 0, 0, nullptr, 0, "left wing 1"), FatalAlert) << r.what;
        ASSERT_EQ(recorded_alerts().size(), 1u) << r.what;
        const RecordedAlert& al = recorded_alerts()[0];
        EXPECT_EQ(al.l1, "An airfoil file is corrupted! The name of the airfoil is:") << r.what;
        EXPECT_EQ(al.l2, path) << r.what;
        EXPECT_EQ(al.l3, "The file is used by the:") << r.what;
        EXPECT_EQ(al.l4, "left wing 1") << r.what;
        EXPECT_EQ(al.code, ALERT_FATAL) << r.what;
        EXPECT_TRUE(sentinel_intact()) << r.what;
    }
}

TEST_F(PartFiles, MissingAndWrongVersionAirfoilAlerts)
{
    EXPECT_THROW(grabafoil("none.afl", 4, 0, 0, nullptr, 0, "left wing 1"), FatalAlert);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].l1, "An airfoil file could not be found! The name of the airfoil is:");
    EXPECT_EQ(recorded_alerts()[0].l2, std::string(afl_path) + "none.afl");
    EXPECT_EQ(recorded_alerts()[0].l4, "left wing 1");

    clear_recorded_alerts();
    put_airfoil("old.afl", marked_airfoil(AFL_TYPE_CODE, 362));
    EXPECT_THROW(grabafoil("old.afl", 4, 0, 0, nullptr, 0, "left wing 1"), FatalAlert);
    ASSERT_FALSE(recorded_alerts().empty());
    EXPECT_EQ(recorded_alerts()[0].l1, "The following file is the wrong version for this version of Kestrova:");

    // A name too long for a path is not found, and nothing is read past the buffer.
    clear_recorded_alerts();
    std::string longname(500, 'n');
    EXPECT_THROW(grabafoil(longname.c_str(), 4, 0, 0, nullptr, 0, "left wing 1"), FatalAlert);
    EXPECT_EQ(recorded_alerts()[0].l1, "An airfoil file could not be found! The name of the airfoil is:");
}

TEST_F(PartFiles, FlapRowsLandAtTheirDeflection)
{
    put_flap("marked.flp", marked_flap());
    float cl[FLAP_ROWS], cd[FLAP_ROWS], cm[FLAP_ROWS];
    ASSERT_EQ(grabflap("marked.flp", cl, cd, cm), 1);
    for (int h : {0, 1, 25, 49, 50}) {
        EXPECT_NEAR(cl[h], h / 100.0f, 1e-6f) << h;
        EXPECT_NEAR(cd[h], 1.0f + h / 100.0f, 1e-6f) << h;
        EXPECT_NEAR(cm[h], -h / 100.0f, 1e-6f) << h;
    }
}

TEST_F(PartFiles, FlapWrittenThenReadGivesEveryEighthPoint)
{
    const std::string path = dir.str() + "/flaps/new.flp";
    const foilcurvestruct c = write_default(path, DEVICE_FLAP);
    auto lines = split_lines(read_file(path));
    ASSERT_EQ(lines.size(), 56u);
    EXPECT_EQ(lines[2], "2345 device type code");
    EXPECT_EQ(lines[3], "constants: 2.000000 0.000000 -0.600000 0.040000 0.040000 0.000000 -0.600000 -0.100000 -0.100000");
    EXPECT_EQ(lines[4], "def cl cd cm");
    EXPECT_EQ(lines[55], "50 1.400000 0.080000 -0.800000");

    float cl[FLAP_ROWS], cd[FLAP_ROWS], cm[FLAP_ROWS];
    ASSERT_EQ(grabflap("new.flp", cl, cd, cm), 1);
    for (int h = 0; h < FLAP_ROWS; h++) {
        EXPECT_NEAR(cl[h], c.cl[8 * h], 1e-6f) << h;
        EXPECT_NEAR(cd[h], c.cd[8 * h], 1e-6f) << h;
        EXPECT_NEAR(cm[h], c.cm[8 * h], 1e-6f) << h;
    }
    EXPECT_NEAR(cl[50], 1.4f, 1e-6f);
    EXPECT_NEAR(cm[50], -0.8f, 1e-6f);
}

TEST_F(PartFiles, BadFlapFilesAlertAndLoadNothing)
{
    const auto lines = split_lines(marked_flap());
    std::string cut;
    for (size_t i = 0; i < 30; i++) cut += lines[i] + "\n";
    std::string lost = marked_flap();
    const size_t row7 = lost.find("\n7 ") + 1;
    lost.erase(row7, lost.find('\n', row7) + 1 - row7);

    struct { const char* what; std::string text; const char* l1; } rows[] = {
        {"an airfoil file", marked_airfoil(), "An error occurred during read-in of the flaps file."},
        {"a row lost", lost, "File-scanning error!"},
        {"cut short", cut, "File-scanning error!"},
        {"a wrong version", "I\n2 version\n2345 device type code\n",
         "The following file is the wrong version for this version of Kestrova:"},
    };
    for (auto& r : rows) {
        put_flap("bad.flp", r.text);
        float cl[FLAP_ROWS], cd[FLAP_ROWS], cm[FLAP_ROWS];
        for (int h = 0; h < FLAP_ROWS; h++) cl[h] = cd[h] = cm[h] = 3.5f;
        clear_recorded_alerts();
        EXPECT_THROW(grabflap("bad.flp", cl, cd, cm), FatalAlert) << r.what;
        ASSERT_FALSE(recorded_alerts().empty()) << r.what;
        EXPECT_EQ(recorded_alerts()[0].l1, r.l1) << r.what;
        for (int h = 0; h < FLAP_ROWS; h++) ASSERT_TRUE(cl[h] == 3.5f && cd[h] == 3.5f && cm[h] == 3.5f) << r.what;
    }
    const RecordedAlert& corrupt = [&] {
        put_flap("bad.flp", marked_airfoil());
        clear_recorded_alerts();
        float cl[FLAP_ROWS], cd[FLAP_ROWS], cm[FLAP_ROWS];
        EXPECT_THROW(grabflap("bad.flp", cl, cd, cm), FatalAlert);
        return recorded_alerts()[0];
    }();
    EXPECT_EQ(corrupt.l3, "bad.flp");

    clear_recorded_alerts();
    float cl[FLAP_ROWS], cd[FLAP_ROWS], cm[FLAP_ROWS];
    EXPECT_THROW(grabflap("gone.flp", cl, cd, cm), FatalAlert);
    EXPECT_EQ(recorded_alerts()[0].l1,
              "The flap file that is required by the aircraft you are attempting to fly could not be found.");
    EXPECT_EQ(recorded_alerts()[0].l3, "gone.flp");
}

TEST_F(PartFiles, ConstantsReadBackForTheEditor)
{
    auto a = std::make_unique<airfoilstruct>();
    std::memset(a.get(), 0, sizeof(airfoilstruct));
    foil_defaults(a.get());
    a->Bwidth = 0.2f;
    a->Bdepth = 0.0015f;
    a->Bloc = 0.3f;
    a->FLPlco2 = -0.25f;
    foilcurvestruct c;
    const std::string afl_file = dir.str() + "/a.afl", flp_file = dir.str() + "/f.flp";
    foil_generate(a.get(), DEVICE_AIRFOIL, &c);
    ASSERT_EQ(afl_write_part(afl_file.c_str(), DEVICE_AIRFOIL, a.get(), &c), 1);
    foil_generate(a.get(), DEVICE_FLAP, &c);
    ASSERT_EQ(afl_write_part(flp_file.c_str(), DEVICE_FLAP, a.get(), &c), 1);

    auto b = std::make_unique<airfoilstruct>();
    std::memset(b.get(), 0, sizeof(airfoilstruct));
    ASSERT_EQ(afl_read_constants(afl_file.c_str(), DEVICE_AIRFOIL, b.get()), 1);
    for (auto& f : afl_fields) EXPECT_NEAR(*f.at(b.get()), *f.at(a.get()), 1e-6f) << f.name;
    EXPECT_EQ(b->FLPlco1, 0.0f);  // an airfoil file carries no flap constants
    ASSERT_EQ(afl_read_constants(flp_file.c_str(), DEVICE_FLAP, b.get()), 1);
    for (auto& f : flp_fields) EXPECT_NEAR(*f.at(b.get()), *f.at(a.get()), 1e-6f) << f.name;

    // The other kind of part is told apart from a damaged file, and changes nothing.
    auto before = std::make_unique<airfoilstruct>(*b);
    EXPECT_EQ(afl_read_constants(flp_file.c_str(), DEVICE_AIRFOIL, b.get()), -1);
    EXPECT_EQ(afl_read_constants(afl_file.c_str(), DEVICE_FLAP, b.get()), -1);
    EXPECT_EQ(afl_read_constants((dir.str() + "/none.afl").c_str(), DEVICE_AIRFOIL, b.get()), 0);
    EXPECT_EQ(std::memcmp(before.get(), b.get(), sizeof(airfoilstruct)), 0);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(PartFiles, WriterRefusesValuesThatAreNotNumbers)
{
    auto a = std::make_unique<airfoilstruct>();
    std::memset(a.get(), 0, sizeof(airfoilstruct));
    foil_defaults(a.get());
    foilcurvestruct c;
    foil_generate(a.get(), DEVICE_AIRFOIL, &c);
    c.cd[300] = NAN;
    const std::string path = dir.str() + "/nan.afl";
    EXPECT_EQ(afl_write_part(path.c_str(), DEVICE_AIRFOIL, a.get(), &c), 0);
    EXPECT_FALSE(std::filesystem::exists(path));
    foil_generate(a.get(), DEVICE_AIRFOIL, &c);
    a->Dpow = INFINITY;
    EXPECT_EQ(afl_write_part(path.c_str(), DEVICE_AIRFOIL, a.get(), &c), 0);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(PartFiles, UnwritableFolderGetsTheSaveAlert)
{
    auto a = std::make_unique<airfoilstruct>();
    std::memset(a.get(), 0, sizeof(airfoilstruct));
    foil_defaults(a.get());
    foilcurvestruct c;
    foil_generate(a.get(), DEVICE_FLAP, &c);
    EXPECT_EQ(afl_write_part((dir.str() + "/no/such/folder/x.flp").c_str(), DEVICE_FLAP, a.get(), &c), 0);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].code, ALERT_NOTICE);
}

// The largest finite values still make whole lines that read back, and the zero-lift angle stays an angle.
TEST_F(PartFiles, ExtremeValuesWriteAndReadBack)
{
    auto a = std::make_unique<airfoilstruct>();
    std::memset(a.get(), 0, sizeof(airfoilstruct));
    foil_defaults(a.get());
    a->clB[0][0][0] = -3.0e38f;
    a->clM[0][0][0] = 1e-3f;
    a->Dmin = 3.0e38f;
    a->FLPlco1 = -3.0e38f;
    foilcurvestruct c;
    foil_generate(a.get(), DEVICE_AIRFOIL, &c);
    ASSERT_EQ(afl_write_part((dir.str() + "/airfoils/big.afl").c_str(), DEVICE_AIRFOIL, a.get(), &c), 1);
    ASSERT_EQ(grabafoil("big.afl", 0, 0, 0, nullptr, 0, "x"), 1);
    EXPECT_FLOAT_EQ(afl[0].clB[0][0][0], -3.0e38f);
    EXPECT_FLOAT_EQ(afl[0].al_zl[0][0][0], 90.0f);
    EXPECT_FLOAT_EQ(afl[0].clneg[0][0][0][0], c.cl[170]);
    foil_generate(a.get(), DEVICE_FLAP, &c);
    ASSERT_EQ(afl_write_part((dir.str() + "/flaps/big.flp").c_str(), DEVICE_FLAP, a.get(), &c), 1);
    float cl[FLAP_ROWS], cd[FLAP_ROWS], cm[FLAP_ROWS];
    ASSERT_EQ(grabflap("big.flp", cl, cd, cm), 1);
    EXPECT_FLOAT_EQ(cl[50], c.cl[400]);
    EXPECT_TRUE(recorded_alerts().empty());
}

}  // namespace
