// hl_prefs_test.cpp -- the library's reader of the preference file: the walk's line count, a
// written record read back whole, and the outcome of damaged files (which line, what it should hold).
#include "hl_prefs.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// Prints each value on its line, counting the lines.
struct Printer : PrefsLineIo {
    std::ostringstream out;
    int lines = 0;
    void text(char* s) override { put(s); }
    void integer(int& v) override { put(std::to_string(v)); }
    void boolean(int& v) override { put(std::to_string(v)); }
    void real(float& v) override { put(std::to_string(v)); }
    void real(double& v) override { put(std::to_string(v)); }
    void truncated(int& v) override { put(std::to_string(v)); }
    void triple(int& a, int& b, int& c) override
    {
        put(std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c));
    }
    void put(const std::string& s)
    {
        out << s << '\n';
        lines++;
    }
};

std::string file_of(PrefsRec& r, int* lines = nullptr)
{
    Printer p;
    prefs_walk_lines(r, p);
    if (lines) *lines = p.lines;
    return "I\n51 version\n" + p.out.str();
}

TEST(PrefsFile, WalkVisitsEveryValueLineOnce)
{
    static PrefsRec r;
    r = {};
    int lines = 0;
    file_of(r, &lines);
    EXPECT_EQ(lines, PREFS_LINES);
}

TEST(PrefsFile, WrittenRecordReadsBackWhole)
{
    TempDir dir;
    static PrefsRec r, back;
    r = {};
    std::snprintf(r.c_file, STR_LEN, "%s", "Glider Two.acf");
    r.loc_apt = 17;
    r.locl_time = 45000;
    r.temp_SL = 71;
    r.atm_baro = 29.5f;
    r.wind1[3] = 6;
    r.dsk[59] = 1;
    r.v = 42.5;
    const std::string path = dir.write("p.prf", file_of(r));
    back = {};
    EXPECT_EQ(prefs_read_file(path.c_str(), &back).result, PREFS_READ_OK);
    EXPECT_STREQ(back.c_file, "Glider Two.acf");
    EXPECT_EQ(back.loc_apt, 17);
    EXPECT_FLOAT_EQ(back.locl_time, 45000);
    EXPECT_FLOAT_EQ(back.temp_SL, 71);
    EXPECT_FLOAT_EQ(back.atm_baro, 29.5f);
    EXPECT_FLOAT_EQ(back.wind1[3], 6);
    EXPECT_EQ(back.dsk[59], 1);
    EXPECT_DOUBLE_EQ(back.v, 42.5);
}

TEST(PrefsFile, DamagedFilesSayWhere)
{
    TempDir dir;
    static PrefsRec r;
    r = {};
    const std::string whole = file_of(r);
    // Cut after the header and 10 value lines: line 13 is missing.
    size_t at = 0;
    for (int i = 0; i < 12; i++) at = whole.find('\n', at) + 1;
    std::string bad_number = whole;
    bad_number.replace(whole.find("\n0\n", whole.find("version")) + 1, 1, "x");   // the start airport
    const struct {
        std::string text;
        PrefsReadResult result;
        int line;
    } cases[] = {
        {whole.substr(0, at), PREFS_READ_LINE, 13},
        {bad_number, PREFS_READ_LINE, 5},
        {"X\n51 version\n", PREFS_READ_HEADER, 1},
        {"I\nversion\n", PREFS_READ_HEADER, 2},
        {"I\n50 version\n", PREFS_READ_VERSION, 2},
        {"I\n-1 version\n", PREFS_READ_DISABLED, 2},
    };
    int k = 0;
    for (const auto& c : cases) {
        const std::string path = dir.write("p" + std::to_string(k++) + ".prf", c.text);
        const PrefsReadOutcome o = prefs_read_file(path.c_str(), &r);
        EXPECT_EQ(o.result, c.result) << k;
        EXPECT_EQ(o.line, c.line) << k;
    }
    EXPECT_EQ(prefs_read_file((dir.str() + "/none.prf").c_str(), &r).result, PREFS_READ_MISSING);
}

// The line index (0 = the first value line) of the first three-value line.
int first_triple_line()
{
    struct Finder : Printer {
        int at = -1;
        void triple(int& a, int& b, int& c) override
        {
            if (at < 0) at = lines;
            Printer::triple(a, b, c);
        }
    } f;
    static PrefsRec r;
    r = {};
    prefs_walk_lines(r, f);
    return f.at;
}

// A three-value line (an item's three switches) read on from number to number, lines long enough
// to be kept off the string's own buffer too: each value is its own, and anything but three
// numbers and blanks is refused at that line.
TEST(PrefsFile, ThreeValueLinesGiveEachValueAndRefuseAnythingElse)
{
    TempDir dir;
    static PrefsRec r;
    r = {};
    const std::string whole = file_of(r);
    const int at = first_triple_line();
    ASSERT_GT(at, 0);
    size_t from = 0;
    for (int i = 0; i < at + 2; i++) from = whole.find('\n', from) + 1;   // the header's two lines first
    const size_t to = whole.find('\n', from);
    ASSERT_EQ(whole.substr(from, to - from), "0 0 0");
    const struct {
        const char* line;
        bool ok;
        int dsk, rlt, grf;
    } cases[] = {
        {"1 0 1", true, 1, 0, 1},
        {"0 1 1  \t", true, 0, 1, 1},
        {"\t1\t1\t0", true, 1, 1, 0},
        {"1                  0                  1", true, 1, 0, 1},
        {"0                  0                  1                  ", true, 0, 0, 1},
        {"7 0 -2", true, 1, 0, 1},
        {"1 0", false, 0, 0, 0},
        {"1 0 1 1", false, 0, 0, 0},
        {"1 0 x", false, 0, 0, 0},
        {"1 x 1", false, 0, 0, 0},
        {"1 0 1 and some words long enough to be kept on the heap", false, 0, 0, 0},
        {"", false, 0, 0, 0},
    };
    int k = 0;
    for (const auto& c : cases) {
        std::string text = whole;
        text.replace(from, to - from, c.line);
        const std::string path = dir.write("t" + std::to_string(k++) + ".prf", text);
        r = {};
        const PrefsReadOutcome o = prefs_read_file(path.c_str(), &r);
        EXPECT_EQ(o.result, c.ok ? PREFS_READ_OK : PREFS_READ_LINE) << c.line;
        if (!c.ok) {
            EXPECT_EQ(o.line, at + 3) << c.line;
            continue;
        }
        EXPECT_EQ(r.dsk[0], c.dsk) << c.line;
        EXPECT_EQ(r.rlt[0], c.rlt) << c.line;
        EXPECT_EQ(r.grf[0], c.grf) << c.line;
    }
}

}  // namespace
