// tool_common_test.cpp -- the generators' file writer: whole files through a temporary name, the
// parent folders made, failures reported with nothing left behind.
#include "tool_common.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(ToolFile, WritesThroughATemporaryFileAndReportsAFolderItCannotMake)
{
    // The pictures' and the sounds' files: nested new folders, then one whose folder is blocked.
    struct Case {
        const char* rel;
        std::vector<uint8_t> bytes;
        const char* blocked_rel;
    };
    const Case cases[] = {
        {"a/b/pic.BMP", {1, 2, 3}, "blocked/pic.BMP"},
        {"ok/x.WAV", {1, 2}, "blocked/x.WAV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rel);
        TempDir dir;
        std::string err;
        std::string path = dir.str() + "/" + c.rel;
        ASSERT_EQ(tool_write_file(path, c.bytes, err), 0) << err;
        EXPECT_EQ(read_file(path), std::string(c.bytes.begin(), c.bytes.end()));
        EXPECT_FALSE(fs::exists(path + ".part"));
        // A folder that cannot be made (a file stands in its way) is reported, not ignored.
        dir.write("blocked", "x");
        EXPECT_NE(tool_write_file(dir.str() + "/" + c.blocked_rel, {1}, err), 0);
        EXPECT_NE(err.find("blocked"), std::string::npos);
    }
}

TEST(ToolFile, ReplacesAnOldFileWhole)
{
    TempDir dir;
    std::string path = dir.write("data/old.bin", "an older and longer file");
    std::string err;
    ASSERT_EQ(tool_write_file(path, {7}, err), 0) << err;
    EXPECT_EQ(read_file(path), "\x07");
}

TEST(ToolFile, AFailedWriteLeavesTheOldFileAndNoTemporary)
{
    TempDir dir;
    std::string path = dir.write("old.acf", "old");
    std::string err;
    // A writer that gets halfway, with and without a reason of its own.
    for (const char* reason : {"", "the record does not fit"}) {
        SCOPED_TRACE(reason);
        auto half = [&](const std::string& tmp, std::string& why) {
            std::FILE* f = std::fopen(tmp.c_str(), "wb");
            if (f) {
                std::fputs("ha", f);
                std::fclose(f);
            }
            why = reason;
            return false;
        };
        EXPECT_NE(tool_write_with(path, half, err), 0);
        EXPECT_EQ(read_file(path), "old");
        EXPECT_FALSE(fs::exists(path + ".part"));
        if (*reason)
            EXPECT_EQ(err, reason);
        else
            EXPECT_EQ(err, "cannot write " + path + ".part");
    }
    // The temporary name's place taken by a folder: the file goes through another, the folder stays.
    fs::create_directory(path + ".part");
    EXPECT_EQ(tool_write_file(path, {1}, err), 0) << err;
    EXPECT_TRUE(fs::is_directory(path + ".part"));
}

}  // namespace
