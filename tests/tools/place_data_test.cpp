// place_data_test.cpp -- placing the bundled tree: a person's saved and changed files survive every
// later placing; what the build placed follows the bundled tree; the tests' folder is made equal.
#include "place_data.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;   // relative path -> bytes

void put(const fs::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary) << bytes;
}

void write_tree(const fs::path& root, const Tree& t)
{
    fs::remove_all(root);
    fs::create_directories(root);
    for (const auto& [rel, bytes] : t) {
        fs::create_directories((root / rel).parent_path());
        put(root / rel, bytes);
    }
}

Tree read_tree(const fs::path& root)
{
    Tree t;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) t[e.path().lexically_relative(root).generic_string()] = read_file(e.path().string());
    return t;
}

const Tree kBuilt = {{"planes/trainer.acf", "trainer 1"}, {"apt.dat", "airports 1"}, {"sit/.keep", ""}};

TEST(PlaceData, APersonsFilesSurviveEveryPlacingAndNewBundledVersionsStandBeside)
{
    // Each case: the folder after a first placing of kBuilt, then what the person does, then the
    // bundled tree of the next build; what the folder holds after it, and how many lines say so.
    struct Case {
        const char* what;
        std::function<void(const fs::path& folder, const fs::path& record)> person;
        Tree next;
        Tree expect;
        int notes;
    };
    const Tree rebuilt = {{"planes/trainer.acf", "trainer 2"}, {"apt.dat", "airports 1"}, {"sit/.keep", ""}};
    const Case cases[] = {
        {"nothing changed, a new bundled version", [](auto&, auto&) {}, rebuilt,
         {{"planes/trainer.acf", "trainer 2"}, {"apt.dat", "airports 1"}, {"sit/.keep", ""}}, 0},
        {"an edited aircraft and a saved situation, the same bundled tree",
         [](const fs::path& f, auto&) {
             put(f / "planes/trainer.acf", "my trainer");
             put(f / "sit/Untitled.sit", "my own situation");
         },
         kBuilt,
         {{"planes/trainer.acf", "my trainer"}, {"apt.dat", "airports 1"}, {"sit/.keep", ""},
          {"sit/Untitled.sit", "my own situation"}},
         0},
        {"an edited aircraft, a new bundled version of it",
         [](const fs::path& f, auto&) { put(f / "planes/trainer.acf", "my trainer"); },
         rebuilt,
         {{"planes/trainer.acf", "my trainer"}, {"planes/trainer.acf.bundled", "trainer 2"}, {"apt.dat", "airports 1"},
          {"sit/.keep", ""}},
         1},
        {"a deleted bundled file comes back", [](const fs::path& f, auto&) { fs::remove(f / "apt.dat"); }, kBuilt, kBuilt,
         0},
        {"no record (a folder placed before records were kept): a differing file is the person's",
         [](const fs::path& f, const fs::path& r) {
             fs::remove(r);
             put(f / "apt.dat", "my airports");
         },
         kBuilt,
         {{"planes/trainer.acf", "trainer 1"}, {"apt.dat", "my airports"}, {"apt.dat.bundled", "airports 1"},
          {"sit/.keep", ""}},
         1},
        {"a bundled file dropped: gone when as placed, kept when the person's",
         [](const fs::path& f, auto&) { put(f / "apt.dat", "my airports"); },
         {{"sit/.keep", ""}}, {{"apt.dat", "my airports"}, {"sit/.keep", ""}}, 0},
        {"a folder of the person's where the bundled file goes",
         [](const fs::path& f, auto&) {
             fs::remove(f / "apt.dat");
             fs::create_directories(f / "apt.dat");
         },
         kBuilt, {{"planes/trainer.acf", "trainer 1"}, {"sit/.keep", ""}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const fs::path bundled = dir.path() / "bundled", folder = dir.path() / "suite", record = dir.path() / "placed.txt";
        write_tree(bundled, kBuilt);
        place_result r;
        ASSERT_EQ(place_bundled(bundled, folder, record, PLACE_KEEP_CHANGES, r), 0) << r.error;
        EXPECT_EQ(read_tree(folder), kBuilt);
        c.person(folder, record);
        write_tree(bundled, c.next);
        ASSERT_EQ(place_bundled(bundled, folder, record, PLACE_KEEP_CHANGES, r), 0) << r.error;
        EXPECT_EQ(read_tree(folder), c.expect);
        EXPECT_EQ(static_cast<int>(r.notes.size()), c.notes);
        // A third build of the same tree changes nothing more and says nothing more.
        ASSERT_EQ(place_bundled(bundled, folder, record, PLACE_KEEP_CHANGES, r), 0) << r.error;
        EXPECT_EQ(read_tree(folder), c.expect);
        EXPECT_EQ(r.written + r.removed + static_cast<int>(r.notes.size()), 0);
    }
}

TEST(PlaceData, TheTestsFolderIsMadeEqualToTheBundledTree)
{
    TempDir dir;
    const fs::path bundled = dir.path() / "bundled", folder = dir.path() / "tests";
    write_tree(bundled, kBuilt);
    write_tree(folder, {{"planes/trainer.acf", "left by a test"}, {"extra/file", "x"}, {"sit/Untitled.sit", "y"}});
    place_result r;
    ASSERT_EQ(place_bundled(bundled, folder, "", PLACE_EXACT, r), 0) << r.error;
    EXPECT_EQ(read_tree(folder), kBuilt);
    EXPECT_FALSE(fs::exists(folder / "extra"));
    // A missing bundled tree is an error, not an empty folder.
    EXPECT_NE(place_bundled(dir.path() / "none", folder, "", PLACE_EXACT, r), 0);
    EXPECT_NE(r.error.find("none"), std::string::npos);
    EXPECT_EQ(read_tree(folder), kBuilt);
}

}  // namespace
