// opensave_test.cpp -- the file dialog's filter and folder listing on temporary folders: kinds and
// extensions, byte order of full names, folders marked, the 200-entry cut, long names and paths.
#include "hl_opensave.h"
#include "hl_types.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

TEST(TakeIt, ExtensionsByKindAllLowerOrAllUpper)
{
    struct Case { const char* name; int kind; int folder; int want; };
    const Case cases[] = {
        {"wing.afl", 200, 0, 1},   {"WING.AFL", 200, 0, 1},  {"wing.Afl", 200, 0, 0},
        {"wing.aFL", 200, 0, 0},   {"wing.flp", 200, 0, 0},  {"afl", 200, 0, 1},
        {"fl", 200, 0, 0},         {"l", 200, 0, 0},         {"", 200, 0, 0},
        {"split.flp", 201, 0, 1},  {"SPLIT.FLP", 201, 0, 1}, {"split.afl", 201, 0, 0},
        {"c172.acf", 202, 0, 1},   {"C172.ACF", 202, 0, 1},  {"c172.acf.bak", 202, 0, 0},
        {"pattern.sit", 203, 0, 1}, {"PATTERN.SIT", 203, 0, 1}, {"pattern.Sit", 203, 0, 0},
        {"grass.bmp", 205, 0, 1},  {"grass.BMP", 205, 0, 1}, {"grass.bMp", 205, 0, 0},
        {"tower.obj", 206, 0, 1},  {"TOWER.OBJ", 206, 0, 1}, {"tower.acf", 206, 0, 0},
        {"anything", 207, 0, 1},   {"x", 207, 0, 1},         {"Mixed.AfL", 207, 0, 1},
        // The last three characters, dot or not.
        {"wingafl", 200, 0, 1},
        // Folders belong in every list, whatever their name; "." and ".." never.
        {"airfoils", 200, 1, 1},   {"x.Afl", 200, 1, 1},     {"folder", 207, 1, 1},
        {".", 200, 1, 0},          {"..", 207, 1, 0},        {".", 207, 0, 0},
        // An unknown kind lists folders only.
        {"a.afl", 204, 0, 0},      {"sub", 204, 1, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(takeit(c.name, c.kind, c.folder), c.want) << c.name << " kind " << c.kind << " folder " << c.folder;
    EXPECT_EQ(takeit(nullptr, 207, 0), 0);
}

class Listing : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        std::snprintf(wrk_path, STR_LEN, "%s/", dir_.str().c_str());
    }
    void file(const std::string& rel) { dir_.write(rel, "x"); }
    void folder(const std::string& rel) { fs::create_directories(dir_.path() / rel); }
    std::vector<std::string> names() const
    {
        std::vector<std::string> v;
        for (int i = 0; i < g_num_items; i++) v.push_back(g_name[i]);
        return v;
    }
    TempDir dir_;
};

TEST_F(Listing, ByteOrderOfFullNamesWithFoldersMarked)
{
    // Made in an order unlike the sorted one: the listing must not depend on the folder's order.
    for (const char* f : {"b.acf", "bb.acf", "Zed.ACF", "a.acf", "ab.acf", "mixed.Acf", "notes.txt", "\xC3\xA9t\xC3\xA9.acf"})
        file(f);
    for (const char* d : {"ba folder", "Planes", "aa"}) folder(d);
    g_num_items = GetDirItems(202);
    const std::vector<std::string> want = {"Planes", "Zed.ACF", "a.acf", "aa", "ab.acf", "b.acf",
                                           "ba folder", "bb.acf", "\xC3\xA9t\xC3\xA9.acf"};
    EXPECT_EQ(names(), want);
    const int folders[] = {1, 0, 0, 1, 0, 0, 1, 0, 0};
    for (int i = 0; i < g_num_items && i < 9; i++) {
        EXPECT_EQ(g_is_folder[i], folders[i]) << g_name[i];
        EXPECT_EQ(std::string(g_path[i]), std::string(wrk_path) + g_name[i]);
    }
    // Listed again, the same.
    g_num_items = GetDirItems(202);
    EXPECT_EQ(names(), want);
    // Every file for kind 207.
    g_num_items = GetDirItems(207);
    EXPECT_EQ(g_num_items, 11);
}

TEST_F(Listing, CutsAtTwoHundredKeepingTheFirstByName)
{
    // 260 matching files made from the back, two folders at either end, and files of other kinds.
    for (int i = 259; i >= 0; i--) {
        char n[32];
        std::snprintf(n, sizeof n, "f%03d.afl", i);
        file(n);
        std::snprintf(n, sizeof n, "f%03d.flp", i);
        file(n);
    }
    folder("a first");
    folder("zz last");
    g_num_items = GetDirItems(200);
    ASSERT_EQ(g_num_items, OS_MAX_ITEMS);
    EXPECT_STREQ(g_name[0], "a first");
    EXPECT_EQ(g_is_folder[0], 1);
    for (int i = 1; i < OS_MAX_ITEMS; i++) {
        char n[32];
        std::snprintf(n, sizeof n, "f%03d.afl", i - 1);
        ASSERT_STREQ(g_name[i], n) << i;
        ASSERT_EQ(g_is_folder[i], 0);
    }
}

TEST_F(Listing, LongNamesAreCutForShowingButKeptWholeInThePath)
{
    const std::string longname = "A folder whose name runs well past thirty-one characters";
    folder(longname);
    file(longname + "/inside.acf");
    const std::string longfile = "an aircraft with a long file name of many letters.acf";
    file(longfile);
    g_num_items = GetDirItems(202);
    ASSERT_EQ(g_num_items, 2);
    EXPECT_EQ(std::string(g_name[0]), longname.substr(0, 31));
    EXPECT_EQ(std::string(g_path[0]), std::string(wrk_path) + longname);
    EXPECT_EQ(std::string(g_name[1]), longfile.substr(0, 31));
    EXPECT_EQ(std::string(g_path[1]), std::string(wrk_path) + longfile);
}

TEST_F(Listing, EntriesWhosePathWouldNotFitAreLeftOut)
{
    // Nest folders until the listed folder's path is a little under 400 characters.
    std::string rel;
    while (dir_.str().size() + rel.size() + 101 < 330) rel += std::string(100, 'd') + "/";
    folder(rel);
    std::snprintf(wrk_path, STR_LEN, "%s/%s", dir_.str().c_str(), rel.c_str());
    const size_t base = std::strlen(wrk_path);
    ASSERT_LT(base, 340u);
    // A file may fill the path to 399 characters; a folder needs one more for its "/".
    const size_t room = 399 - base;
    const std::string fits = std::string(room - 4, 'f') + ".acf";
    const std::string too_long = std::string(room - 3, 'g') + ".acf";
    const std::string folder_fits = std::string(room - 1, 'h');
    const std::string folder_too_long = std::string(room, 'i');
    file(rel + fits);
    file(rel + too_long);
    folder(rel + folder_fits);
    folder(rel + folder_too_long);
    g_num_items = GetDirItems(202);
    ASSERT_EQ(g_num_items, 2);
    EXPECT_EQ(std::string(g_path[0]), std::string(wrk_path) + fits);
    EXPECT_EQ(std::strlen(g_path[0]), 399u);
    EXPECT_EQ(std::string(g_path[1]), std::string(wrk_path) + folder_fits);
    EXPECT_EQ(g_is_folder[1], 1);
}

TEST_F(Listing, MissingOrEmptyFolderListsNothing)
{
    folder("empty");
    std::snprintf(wrk_path, STR_LEN, "%s/empty/", dir_.str().c_str());
    EXPECT_EQ(GetDirItems(207), 0);
    std::snprintf(wrk_path, STR_LEN, "%s/not there/", dir_.str().c_str());
    EXPECT_EQ(GetDirItems(207), 0);
    wrk_path[0] = 0;
    EXPECT_EQ(GetDirItems(207), 0);
    EXPECT_TRUE(recorded_alerts().empty());
}

}  // namespace
