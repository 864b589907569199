// hl_file_test.cpp -- the versioned header, the scanners and the streams.
#include "hl_file.h"

#include "hl_types.h"
#include "hl_wind.h"
#include "kvtest.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <locale>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class FileScan : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_recorded_alerts();
        inf_use = 1;
        rev_inf_bin = 0;
    }
    void TearDown() override
    {
        inf1.close();
        inf1.clear();
        inf2.close();
        inf2.clear();
        ouf.close();
        ouf.clear();
        inf_use = 1;
    }
    TempDir dir;
};

std::string bytes(std::initializer_list<int> b)
{
    std::string s;
    for (int c : b) s.push_back(static_cast<char>(c));
    return s;
}

std::string replace_all(std::string s, const std::string& from, const std::string& to)
{
    std::string out;
    size_t at = 0;
    for (size_t hit; (hit = s.find(from, at)) != std::string::npos; at = hit + from.size())
        out += s.substr(at, hit - at) + to;
    return out + s.substr(at);
}

TEST_F(FileScan, HeadersAreWrittenAsTheFilesHoldThem)
{
    std::string bin = (dir.path() / "a.acf").string();
    ASSERT_EQ(ouf_open(bin.c_str(), 202, 46), 1);
    ASSERT_EQ(ouf_close(bin.c_str()), 1);
    EXPECT_EQ(read_file(bin), bytes({0x69, 0x2E, 0x00, 0x00, 0x00}));
    const mode_t mask = umask(022);   // a new file has the permissions every new file has
    umask(mask);
    EXPECT_EQ(std::filesystem::status(bin).permissions(), std::filesystem::perms(0666 & ~mask));

    std::string sq = (dir.path() / "s.dat").string();
    ASSERT_EQ(ouf_open(sq.c_str(), 204, 0x01020304), 1);
    ASSERT_EQ(ouf_close(sq.c_str()), 1);
    EXPECT_EQ(read_file(sq), bytes({'i', 4, 3, 2, 1}));

    std::string txt = (dir.path() / "apt.dat").string();
    ASSERT_EQ(ouf_open(txt.c_str(), 207, 500), 1);
    ouf << 2.5f << '\n';
    ASSERT_EQ(ouf_close(txt.c_str()), 1);
    EXPECT_EQ(read_file(txt), "I\n500 version\n2.500000\n");
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(FileScan, BinaryValuesFollowTheHeaderByteOrder)
{
    // 0x01020304 and 1.5f (0x3FC00000), stored big-endian after "a" and little-endian after "i".
    std::string big = bytes({'a', 0, 0, 0, 46, 1, 2, 3, 4, 0x3F, 0xC0, 0, 0});
    std::string little = bytes({'i', 46, 0, 0, 0, 4, 3, 2, 1, 0, 0, 0xC0, 0x3F});
    for (const std::string& file : {big, little}) {
        std::string path = dir.write("v.bin", file);
        ASSERT_EQ(inf_open(path.c_str(), 204, 46, 1), 1);
        EXPECT_EQ(rev_inf_bin, file[0] == 'a' ? 1 : 0);
        EXPECT_EQ(intscan("i"), 0x01020304);
        EXPECT_EQ(fltscan("f"), 1.5f);
    }
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(FileScan, BadFirstByteOrLineIsNotOpened)
{
    struct Case {
        int type;
        std::string file;
    } cases[] = {
        {207, "X\n500 version\n"},  {207, "i\n500 version\n"}, {207, "a\n500 version\n"},
        {207, "IX500 version\n"},   {207, "I"},                {207, ""},
        {202, bytes({'I', 46, 0, 0, 0})}, {202, bytes({'x', 46, 0, 0, 0})}, {202, ""},
    };
    for (const Case& c : cases) {
        std::string path = dir.write("bad", c.file);
        EXPECT_EQ(inf_open(path.c_str(), c.type, c.type == 202 ? 46 : 500, 1), 0) << c.file;
        EXPECT_FALSE(inf1.is_open());
    }
    EXPECT_EQ(inf_open((dir.path() / "missing").c_str(), 207, 500, 1), 0);
    // Nor is a pipe, which would wait for a writer: in a child process, ended if it waits.
    const std::string pipe = dir.str() + "/pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const ChildReport r = run_child_with_report(
        [&](ChildReport& out) { out["opened"] = std::to_string(inf_open(pipe.c_str(), 207, 500, 1)); },
        dir.str() + "/report", 5);
    EXPECT_EQ(report_num(r, "opened"), 0);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(FileScan, WrongVersionIsSilentOrFatalAsAsked)
{
    struct Case {
        int type;
        std::string file;
    } cases[] = {{207, "I\n499 version\n"}, {202, bytes({'i', 47, 0, 0, 0})}, {202, bytes({'a', 46, 0, 0, 0})}};
    for (const Case& c : cases) {
        std::string path = dir.write("old", c.file);
        int want = c.type == 202 ? 46 : 500;
        EXPECT_EQ(inf_open(path.c_str(), c.type, want, 0), 0);
        EXPECT_TRUE(recorded_alerts().empty());
        EXPECT_THROW(inf_open(path.c_str(), c.type, want, 1), FatalAlert);
        ASSERT_EQ(recorded_alerts().size(), 1u);
        const RecordedAlert& a = recorded_alerts()[0];
        EXPECT_EQ(a.l1, "The following file is the wrong version for this version of Kestrova:");
        EXPECT_EQ(a.l2, path);
        EXPECT_EQ(a.l3, "Throw that file away. You should only use the files that came with the program.");
        EXPECT_EQ(a.l4, "You may have to re-install Kestrova from the CD.");
        EXPECT_EQ(a.code, ALERT_FATAL);
        clear_recorded_alerts();
    }
}

TEST_F(FileScan, UnreadableVersionIsSilentOrAScanningError)
{
    for (const std::string& file : {std::string("I\nversion 500\n"), std::string("A\n"), bytes({'i', 46, 0})}) {
        std::string path = dir.write("cut", file);
        int type = file[0] == 'i' ? 202 : 207;
        EXPECT_EQ(inf_open(path.c_str(), type, 46, 0), 0);
        EXPECT_TRUE(recorded_alerts().empty());
        EXPECT_THROW(inf_open(path.c_str(), type, 46, 1), FatalAlert);
        ASSERT_EQ(recorded_alerts().size(), 1u);
        EXPECT_EQ(recorded_alerts()[0].l1, "File-scanning error!");
        EXPECT_EQ(recorded_alerts()[0].l4, path);
        clear_recorded_alerts();
    }
}

// Everything a text reader can do, on one file, giving one line of results.
std::string scan_everything(void)
{
    char w1[16], w2[16], w3[6], w4[5], s1[40], s2[40], s3[40], s4[40];
    std::string r;
    r += std::to_string(intscan("a")) + "|";
    r += std::to_string(fltscan("b")) + "|";
    r += std::string(wrdscan(w1, "w1", sizeof w1, 0)) + "|";
    r += std::string(wrdscan(w2, "w2", sizeof w2, 0)) + "|";
    r += std::string(wrdscan(w3, "w3", 5, 1)) + "|";  // fixed, 4 characters
    r += std::string(strscan(s1, "s1", sizeof s1)) + "|";
    r += std::string(strscan(s2, "s2", sizeof s2)) + "|";
    rln("skip");
    r += std::to_string(bolscan("c")) + "|";
    r += std::to_string(bolscan("d")) + "|";
    rln("end of d");
    r += std::string(strscan(s3, "s3", sizeof s3)) + "|";
    r += std::string(wrdscan(w4, "w4", sizeof w4, 1)) + "|";
    r += std::string(strscan(s4, "s4", sizeof s4)) + "|";
    r += std::string(strscan(s4, "s5", sizeof s4)) + "|";
    r += std::to_string(intscan("e"));
    return r;
}

TEST_F(FileScan, LineEndsLfCrlfAndCrScanAlike)
{
    const std::string lf =
        "I\n500 version and more\n"
        "12 -3.25\n"
        "  word next\n"
        " AB C more text\n"
        "   a name with blanks  \n"
        "this line is skipped\n"
        "1\n"
        "2\n"
        "\n"
        "XY\n"
        "tail\n"
        "-7";
    const std::string expect =
        "12|-3.250000|word|next|AB C|more text|a name with blanks  |1|0||XY||tail|-7";
    for (std::string eol : {"\n", "\r\n", "\r"}) {
        std::string path = dir.write("lines.txt", replace_all(lf, "\n", eol));
        ASSERT_EQ(inf_open(path.c_str(), 207, 500, 1), 1) << eol.size();
        EXPECT_EQ(scan_everything(), expect) << "line end of " << eol.size() << " characters";
        EXPECT_THROW(intscan("past the end"), FatalAlert);
    }
}

TEST_F(FileScan, FixedWordTakesItsWidthAndOneSeparator)
{
    // The blank, A, B, blank, C, blank and more text: four characters, then the text after the blank.
    std::string path = dir.write("w.txt", "I\n1 version\n AB C more text\n KSFOXSan Fran\nAB\nnext line\n");
    ASSERT_EQ(inf_open(path.c_str(), 207, 1, 1), 1);
    char w[5], s[40];
    EXPECT_STREQ(wrdscan(w, "id", 5, 1), "AB C");
    EXPECT_STREQ(strscan(s, "rest", sizeof s), "more text");
    // A separator that is not a blank is consumed all the same.
    EXPECT_STREQ(wrdscan(w, "id", 5, 1), "KSFO");
    EXPECT_STREQ(strscan(s, "rest", sizeof s), "San Fran");
    // A word cut short by its line end leaves the line end: the rest of that line is empty and
    // the next line is not taken.
    EXPECT_STREQ(wrdscan(w, "id", 5, 1), "AB");
    EXPECT_STREQ(strscan(s, "rest", sizeof s), "");
    EXPECT_STREQ(strscan(s, "rest", sizeof s), "next line");
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(FileScan, OverlongWordsAndLinesKeepTheirLastCharacter)
{
    std::string path = dir.write("o.txt", "I\n1 version\nABCDEFG tail\n123456789\n");
    ASSERT_EQ(inf_open(path.c_str(), 207, 1, 1), 1);
    char w[4], s[5];
    EXPECT_STREQ(wrdscan(w, "w", sizeof w, 0), "ABG");
    EXPECT_STREQ(wrdscan(w, "w", sizeof w, 0), "tal");
    EXPECT_STREQ(strscan(s, "s", sizeof s), "");  // the word left its line end
    EXPECT_STREQ(strscan(s, "s", sizeof s), "1239");
}

TEST_F(FileScan, TinyBuffersAreNeverOverrun)
{
    std::string path = dir.write("t.txt", "I\n1 version\nalpha beta gamma delta\n  ABCD rest\n");
    ASSERT_EQ(inf_open(path.c_str(), 207, 1, 1), 1);
    char guard[8];
    struct Case {
        int size, fixed, offset;
    } cases[] = {{1, 0, 3}, {0, 0, 3}, {-1, 0, 3}, {1, 1, 3}};
    for (const Case& c : cases) {
        std::memset(guard, '#', sizeof guard);
        wrdscan(guard + c.offset, "tiny", c.size, c.fixed);
        for (int i = 0; i < 8; i++) {
            char want = (i == c.offset && c.size == 1) ? 0 : '#';
            EXPECT_EQ(guard[i], want) << "size " << c.size << " byte " << i;
        }
    }
    // Three words were consumed, and the fixed word of no characters took "d" as its separator.
    char s[40];
    EXPECT_STREQ(strscan(s, "rest", sizeof s), "elta");
    EXPECT_STREQ(strscan(s, "rest", sizeof s), "ABCD rest");
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(FileScan, BolscanIsOneOnlyForOne)
{
    std::string path = dir.write("b.txt", "I\n1 version\n1 2 0 -1 11\n");
    ASSERT_EQ(inf_open(path.c_str(), 207, 1, 1), 1);
    int want[] = {1, 0, 0, 0, 0};
    for (int w : want) EXPECT_EQ(bolscan("flag"), w);
}

TEST_F(FileScan, UnreadableValuesNameTheirLabel)
{
    struct Case {
        std::string body;
        int what;  // 0 intscan, 1 fltscan, 2 wrdscan
    } cases[] = {{"abc\n", 0}, {"x1.5\n", 1}, {"", 0}, {"   \n  \n", 2}, {"99999999999\n", 0}, {"", 1}};
    for (const Case& c : cases) {
        std::string path = dir.write("e.txt", "I\n1 version\n" + c.body);
        ASSERT_EQ(inf_open(path.c_str(), 207, 1, 1), 1);
        char w[8];
        try {
            switch (c.what) {
            case 0: intscan("my label"); break;
            case 1: fltscan("my label"); break;
            default: wrdscan(w, "my label", sizeof w, 0); break;
            }
            ADD_FAILURE() << "no alert for " << c.body;
        } catch (const FatalAlert& a) {
            // The value being read, then the file it was read from.
            EXPECT_EQ(a.alert.l1, "File-scanning error!");
            EXPECT_EQ(a.alert.l2, "reading: my label");
            EXPECT_EQ(a.alert.l3, "file:");
            EXPECT_EQ(a.alert.l4, path);
        }
    }
}

TEST_F(FileScan, BinaryStrscanTakesRawBytesAndTerminates)
{
    std::string path = dir.write("s.bin", bytes({'i', 1, 0, 0, 0}) + "ABCDEFGHIJ");
    ASSERT_EQ(inf_open(path.c_str(), 204, 1, 1), 1);
    char s[8];
    EXPECT_STREQ(strscan(s, "raw", sizeof s), "ABCDEFG");
    EXPECT_THROW(strscan(s, "raw", sizeof s), FatalAlert);  // only 2 bytes are left
    EXPECT_STREQ(s, "");
}

TEST_F(FileScan, LastLineWithoutLineEndReads)
{
    std::string path = dir.write("n.txt", "I\n1 version\nlast words");
    ASSERT_EQ(inf_open(path.c_str(), 207, 1, 1), 1);
    char w[10], s[20];
    EXPECT_STREQ(wrdscan(w, "w", sizeof w, 0), "last");
    EXPECT_STREQ(strscan(s, "s", sizeof s), "words");
    EXPECT_THROW(intscan("nothing"), FatalAlert);

    path = dir.write("h.txt", "A\r\n7 version");
    EXPECT_EQ(inf_open(path.c_str(), 207, 7, 1), 1);
}

TEST_F(FileScan, ScannersReadTheInputInfUseNames)
{
    std::string first = dir.write("1.txt", "I\n1 version\n100 first line\n");
    std::string second = dir.write("2.txt", "200 second line\n300\n");
    ASSERT_EQ(inf_open(first.c_str(), 207, 1, 1), 1);
    inf2.open(second);
    inf_use = 2;
    char s[40];
    EXPECT_EQ(intscan("2"), 200);
    EXPECT_STREQ(strscan(s, "2", sizeof s), "second line");
    EXPECT_EQ(intscan("2"), 300);
    inf2.close();
    inf_use = 1;
    EXPECT_EQ(intscan("1"), 100);
    EXPECT_STREQ(strscan(s, "1", sizeof s), "first line");
}

// A locale whose decimal separator is a comma.
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST_F(FileScan, NumbersUseTheCLocaleWhateverTheGlobalOne)
{
    std::locale old = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    std::string path = (dir.path() / "c.txt").string();
    ASSERT_EQ(ouf_open(path.c_str(), 207, 3), 1);
    ouf << 2.5f << ' ' << 1234567 << '\n';
    ASSERT_EQ(ouf_close(path.c_str()), 1);
    ASSERT_EQ(inf_open(path.c_str(), 207, 3, 1), 1);
    float f = fltscan("f");
    int i = intscan("i");
    std::locale::global(old);
    EXPECT_EQ(read_file(path), "I\n3 version\n2.500000 1234567\n");
    EXPECT_EQ(f, 2.5f);
    EXPECT_EQ(i, 1234567);
}

TEST_F(FileScan, UnwritableFileGetsTheSaveAlert)
{
    std::string path = (dir.path() / "no such folder" / "x.dat").string();
    EXPECT_EQ(ouf_open(path.c_str(), 207, 1), 0);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    const RecordedAlert& a = recorded_alerts()[0];
    EXPECT_EQ(a.l1, "I could not save the file! Could the directory that the file sits in be missing?");
    EXPECT_EQ(a.l2, path);
    EXPECT_EQ(a.code, ALERT_NOTICE);
    clear_recorded_alerts();

    // A device that takes nothing: the header opens, the close finds the data lost.
    ASSERT_EQ(ouf_open("/dev/full", 202, 46), 1);
    EXPECT_EQ(ouf_close("/dev/full"), 0);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].l2, "/dev/full");
}

// A save replaces the old file in one step: until the close the old file is whole, and a write that
// is dropped (the program ended in the middle of it) leaves the old file as it was and no temporary.
// A file, link or folder with the temporary's name stays as it was, and a second save at once (in a
// child process: ouf is one stream per process) writes its own, so the last one closed wins, whole.
// The new file keeps the old one's permissions, and its owner and group (given away by the
// superuser only); a name as long as a name may be saves too.
TEST_F(FileScan, AWriteReplacesTheOldFileWholeOrNotAtAll)
{
    enum Beside { NOTHING, A_FILE, A_LINK, A_FOLDER, A_SECOND_SAVE };  // what stands at <name>.tmp
    struct Case {
        const char* name; Beside beside; bool finish; std::string expect;
        int mode = 0644; bool nobodys = false; std::string leaf = "f.txt";
    };
    const std::string old = "I\n7 version\nold\n", fresh = "I\n7 version\nnew line\n";
    const Case cases[] = {{"closed", NOTHING, true, fresh},    {"dropped", NOTHING, false, old},
                          {"a file", A_FILE, true, fresh},     {"a file, dropped", A_FILE, false, old},
                          {"a link", A_LINK, true, fresh},     {"a folder", A_FOLDER, true, fresh},
                          {"a second save", A_SECOND_SAVE, true, fresh},
                          {"at 600", NOTHING, true, fresh, 0600}, {"at 640", NOTHING, true, fresh, 0640},
                          {"another's at 666", NOTHING, true, fresh, 0666, true},
                          {"a 255-byte name", NOTHING, true, fresh, 0644, false, std::string(251, 'n') + ".txt"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        namespace fs = std::filesystem;
        std::error_code ec;
        const std::string path = dir.write(std::string(c.name) + "/" + c.leaf, old), tmp = path + ".tmp",
                          elsewhere = dir.write(std::string(c.name) + " elsewhere", "not ours");
        const bool given = c.nobodys && geteuid() == 0;   // only the superuser gives a file away
        const uid_t owner = given ? 65534 : geteuid();
        const gid_t group = given ? 65534 : getegid();
        if (given) {
            ASSERT_EQ(chown(path.c_str(), owner, group), 0);
        }
        fs::permissions(path, fs::perms(c.mode));
        if (c.beside == A_FILE) dir.write(std::string(c.name) + "/f.txt.tmp", "mine");
        if (c.beside == A_LINK) fs::create_symlink(elsewhere, tmp);
        if (c.beside == A_FOLDER) fs::create_directory(tmp);
        int go[2], ready[2];
        char b;
        const pid_t child = c.beside == A_SECOND_SAVE && pipe(go) == 0 && pipe(ready) == 0 ? fork() : -1;
        if (child == 0)   // writes part of its file, waits while this save opens, then ends it and closes first
            _exit(!(ouf_open(path.c_str(), 207, 7) && (ouf << "the child's ").flush() && write(ready[1], "o", 1) == 1 &&
                    read(go[0], &b, 1) == 1 && (ouf << "whole line\n") && ouf_close(path.c_str())));
        if (child > 0 && read(ready[0], &b, 1) != 1) FAIL() << "the child's save did not begin";
        EXPECT_EQ(ouf_open(path.c_str(), 207, 7), 1);
        ouf << "new line\n";
        ouf.flush();
        EXPECT_EQ(read_file(path), old) << "the old file is whole while the new one is written";
        int status = 0;
        if (child > 0 && (write(go[1], "c", 1) != 1 || waitpid(child, &status, 0) != child)) status = -1;
        EXPECT_EQ(status, 0) << "the child's save";
        if (c.finish) EXPECT_EQ(ouf_close(path.c_str()), 1);
        else ouf_abandon();
        EXPECT_EQ(read_file(path), c.expect);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
        struct stat st {};
        EXPECT_EQ(stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, static_cast<mode_t>(c.mode));
        EXPECT_EQ(st.st_uid, owner);
        EXPECT_EQ(st.st_gid, group);
        EXPECT_EQ(c.beside == A_FILE, read_file(tmp) == "mine");
        EXPECT_EQ(c.beside == A_LINK,
                  fs::is_symlink(fs::symlink_status(tmp, ec)) && fs::read_symlink(tmp) == elsewhere);
        EXPECT_EQ(c.beside == A_FOLDER, fs::is_directory(tmp, ec));
        EXPECT_EQ(read_file(elsewhere), "not ours");
        // Nothing else is left: no temporary of the save's own.
        const bool kept = c.beside == A_FILE || c.beside == A_LINK || c.beside == A_FOLDER;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / c.name), {}), kept ? 2 : 1);
    }
    EXPECT_TRUE(recorded_alerts().empty());
}

// A link keeps pointing at the file it names, which gets the new bytes; a device is written in place
// and stays a device.
TEST_F(FileScan, ALinkStaysALinkAndADeviceStaysADevice)
{
    const std::string real = dir.write("real.txt", "I\n7 version\nold\n"), link = dir.str() + "/link.txt";
    std::filesystem::create_symlink(real, link);
    ASSERT_EQ(ouf_open(link.c_str(), 207, 7), 1);
    ouf << "new\n";
    ASSERT_EQ(ouf_close(link.c_str()), 1);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(read_file(real), "I\n7 version\nnew\n");

    ASSERT_EQ(ouf_open("/dev/null", 207, 7), 1);
    ouf << "nothing\n";
    EXPECT_EQ(ouf_close("/dev/null"), 1);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_FALSE(std::filesystem::exists("/dev/null.tmp"));
    EXPECT_TRUE(recorded_alerts().empty());
}

// The save alert gives this system's reason for the failure and advice that fits it. A file no one
// may write (even the superuser), one this user may not write, and a pipe are refused at once, before
// anything is made: the file stays as it was and nothing is left beside it. Each save runs in a child
// process, ended if it waits, which drops to an ordinary user for the file that is not its to write.
TEST_F(FileScan, TheSaveAlertSaysWhyInThisSystemsWords)
{
    namespace fs = std::filesystem;
    struct Case {
        std::string path, reason;
        bool as_nobody = false;
    };
    const std::string file = dir.write("a file", "x"), shared = dir.str() + "/shared", report = dir.str() + "/r/report";
    const std::string read_only = dir.write("shared/read-only", "kept"), roots = dir.write("shared/root's", "kept"),
                      pipe = shared + "/pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0666), 0);
    fs::create_directory(dir.path() / "r");
    for (const fs::path& p : {dir.path(), fs::path(shared), dir.path() / "r"}) fs::permissions(p, fs::perms::all);
    fs::permissions(read_only, fs::perms(0444));
    const Case cases[] = {{dir.str() + "/no such folder/x.dat", "Reason: No such file or directory."},
                          {file + "/x.dat", "Reason: Not a directory."},
                          {dir.str(), "Reason: Is a directory."},
                          {read_only, "Reason: the file is read-only."},
                          {pipe, "Reason: the name is a pipe or a socket, not a file."},
                          {roots, "Reason: Permission denied.", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        if (c.as_nobody && geteuid() != 0) continue;   // only the superuser may become another user
        const ChildReport r = run_child_with_report([&](ChildReport& out) {
            if (c.as_nobody && (setgid(65534) != 0 || setuid(65534) != 0)) return;
            out["opened"] = std::to_string(ouf_open(c.path.c_str(), 207, 1));
            ouf_abandon();
            if (recorded_alerts().size() != 1) return;
            const RecordedAlert& a = recorded_alerts()[0];
            out["l2"] = a.l2, out["l3"] = a.l3, out["l4"] = a.l4;
        }, report, 5);
        EXPECT_EQ(report_num(r, "opened"), 0);
        EXPECT_EQ(r.count("l2") ? r.at("l2") : "", c.path);
        EXPECT_EQ(r.count("l3") ? r.at("l3") : "", c.reason);
        EXPECT_EQ(r.count("l4") ? r.at("l4") : "",
                  "Check that the folder exists, that you may write the file and in its folder, and that the disk "
                  "has room.");
    }
    EXPECT_EQ(read_file(read_only), "kept");
    EXPECT_EQ(read_file(roots), "kept");
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(std::distance(fs::directory_iterator(shared), {}), 3);
}

TEST_F(FileScan, ApDirBuildsBoundedPaths)
{
    std::snprintf(app_path, sizeof app_path, "/opt/kestrova/");
    char path[STR_LEN] = "apt.dat";
    EXPECT_EQ(ap_dir("additional nav data", path), 1);
    EXPECT_STREQ(path, "/opt/kestrova/additional nav data/apt.dat");

    std::string longname(390, 'n');
    std::snprintf(path, sizeof path, "%s", longname.c_str());
    EXPECT_EQ(ap_dir("dir", path), 0);
    EXPECT_STREQ(path, "");
    app_path[0] = 0;
}

TEST_F(FileScan, ByteReversalKeepsEveryBitPattern)
{
    // A signalling NaN would be quieted if the value passed through a float register on the way.
    uint32_t patterns[] = {0x7F800001u, 0xFF800001u, 0x00000001u, 0x80000000u, 0x01020304u};
    for (uint32_t p : patterns) {
        float f;
        std::memcpy(&f, &p, 4);
        rev_byte_order4(&f);
        uint32_t r;
        std::memcpy(&r, &f, 4);
        EXPECT_EQ(r, __builtin_bswap32(p));
        rev_byte_order4(&f);
        std::memcpy(&r, &f, 4);
        EXPECT_EQ(r, p);
    }
    int32_t i = 46;
    rev_byte_order4(&i);
    EXPECT_EQ(i, 46 << 24);
}

}  // namespace
