// place_data_test.cpp -- placing the bundled tree: a person's saved and changed files survive every
// later placing; what the build placed follows the bundled tree; the tests' folder is made equal.
#include "place_data.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;   // relative path -> bytes

void write_tree(const TempDir& dir, const std::string& root, const Tree& t)
{
    fs::remove_all(dir.path() / root);
    for (const auto& [rel, bytes] : t) dir.write(root + "/" + rel, bytes);
}

Tree read_tree(const fs::path& root)
{
    Tree t;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) t[e.path().lexically_relative(root).generic_string()] = read_file(e.path().string());
    return t;
}

const Tree kBuilt = {{"trainer.acf", "trainer 1"}, {"apt.dat", "airports 1"}, {"sit/.keep", ""}};
const Tree kRebuilt = {{"trainer.acf", "trainer 2"}, {"apt.dat", "airports 1"}, {"sit/.keep", ""}};
const std::string GONE = "<gone>";       // an edit that deletes the file
const std::string FOLDER = "<folder>";   // an edit that puts a folder in the file's place

TEST(PlaceData, APersonsFilesSurviveEveryPlacingAndNewBundledVersionsStandBeside)
{
    // Each case: the folder after a first placing of kBuilt, the person's edits to it (bytes, GONE or
    // FOLDER), whether the record of that placing is lost, the bundled tree of the next build; what
    // the folder holds after that build, how many lines tell of a new version of a kept file, and a
    // bundled tree placed between the edits and the next build, when there is one.
    struct Case { const char* what; Tree edits; bool record_lost; Tree next, expect; int notes; Tree between = {}; };
    const Case cases[] = {
        {"nothing edited", {}, false, kRebuilt, kRebuilt, 0},
        {"an edited aircraft and a saved situation", {{"trainer.acf", "mine"}, {"sit/Untitled.sit", "my own"}}, false,
         kBuilt, {{"trainer.acf", "mine"}, {"apt.dat", "airports 1"}, {"sit/.keep", ""}, {"sit/Untitled.sit", "my own"}}, 0},
        {"an edited aircraft with a new bundled version", {{"trainer.acf", "mine"}}, false, kRebuilt,
         {{"trainer.acf", "mine"}, {"trainer.acf.bundled", "trainer 2"}, {"apt.dat", "airports 1"}, {"sit/.keep", ""}}, 1},
        {"a deleted bundled file comes back", {{"apt.dat", GONE}}, false, kBuilt, kBuilt, 0},
        {"no record of the placing: a file that differs is the person's", {{"apt.dat", "mine"}}, true, kBuilt,
         {{"trainer.acf", "trainer 1"}, {"apt.dat", "mine"}, {"apt.dat.bundled", "airports 1"}, {"sit/.keep", ""}}, 1},
        {"dropped from the bundled tree: gone when as placed, kept when edited", {{"apt.dat", "mine"}}, false,
         {{"sit/.keep", ""}}, {{"apt.dat", "mine"}, {"sit/.keep", ""}}, 0},
        {"a folder of the person's where a bundled file goes", {{"apt.dat", FOLDER}}, false, kBuilt,
         {{"trainer.acf", "trainer 1"}, {"sit/.keep", ""}}, 0},
        {"a file of the person's named as a new version's temporary", {{"trainer.acf.part", "mine"}}, false, kRebuilt,
         {{"trainer.acf", "trainer 2"}, {"trainer.acf.part", "mine"}, {"apt.dat", "airports 1"}, {"sit/.keep", ""}}, 0},
        {"a .bundled of the person's stays, one as placed takes the next version",
         {{"trainer.acf", "mine"}, {"apt.dat", "mine"}, {"apt.dat.bundled", "my own"}}, false,
         {{"trainer.acf", "trainer 3"}, {"apt.dat", "airports 2"}, {"sit/.keep", ""}},
         {{"trainer.acf", "mine"}, {"trainer.acf.bundled", "trainer 3"}, {"apt.dat", "mine"}, {"apt.dat.bundled", "my own"},
          {"sit/.keep", ""}}, 2, kRebuilt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const fs::path bundled = dir.path() / "bundled", folder = dir.path() / "suite", record = dir.path() / "placed.txt";
        write_tree(dir, "bundled", kBuilt);
        place_result r;
        ASSERT_EQ(place_bundled(bundled, folder, record, PLACE_KEEP_CHANGES, r), 0) << r.error;
        EXPECT_EQ(read_tree(folder), kBuilt);
        for (const auto& [rel, bytes] : c.edits) {
            fs::remove(folder / rel);
            if (bytes == FOLDER) fs::create_directories(folder / rel);
            else if (bytes != GONE) dir.write("suite/" + rel, bytes);
        }
        if (c.record_lost) fs::remove(record);
        if (!c.between.empty()) {
            write_tree(dir, "bundled", c.between);
            ASSERT_EQ(place_bundled(bundled, folder, record, PLACE_KEEP_CHANGES, r), 0) << r.error;
        }
        write_tree(dir, "bundled", c.next);
        ASSERT_EQ(place_bundled(bundled, folder, record, PLACE_KEEP_CHANGES, r), 0) << r.error;
        EXPECT_EQ(read_tree(folder), c.expect);
        EXPECT_EQ(static_cast<int>(r.notes.size()), c.notes);
        // Each line says "kept your changed <name>" and ends in a file that holds <name>'s new version.
        for (const std::string& n : r.notes) {
            const std::string name = n.substr(18, n.find_first_of(" ;", 18) - 18);   // after "kept your changed "
            EXPECT_EQ(read_file((folder / n.substr(n.rfind(' ') + 1)).string()), c.next.at(name)) << n;
        }
        // A third build of the same tree changes nothing more and says nothing more.
        ASSERT_EQ(place_bundled(bundled, folder, record, PLACE_KEEP_CHANGES, r), 0) << r.error;
        EXPECT_EQ(read_tree(folder), c.expect);
        EXPECT_EQ(r.written + r.removed + static_cast<int>(r.notes.size()), 0);
    }
}

TEST(PlaceData, TheTestsFolderIsMadeEqualToTheBundledTree)
{
    TempDir dir;
    write_tree(dir, "bundled", kBuilt);
    write_tree(dir, "tests", {{"trainer.acf", "left by a test"}, {"extra/file", "x"}, {"sit/Untitled.sit", "y"}});
    place_result r;
    ASSERT_EQ(place_bundled(dir.path() / "bundled", dir.path() / "tests", "", PLACE_EXACT, r), 0) << r.error;
    EXPECT_EQ(read_tree(dir.path() / "tests"), kBuilt);
    EXPECT_FALSE(fs::exists(dir.path() / "tests/extra"));
    // A missing bundled tree is an error, not an empty folder.
    EXPECT_NE(place_bundled(dir.path() / "none", dir.path() / "tests", "", PLACE_EXACT, r), 0);
    EXPECT_NE(r.error.find("none"), std::string::npos);
    EXPECT_EQ(read_tree(dir.path() / "tests"), kBuilt);
}

}  // namespace
