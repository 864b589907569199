// picture_test.cpp -- the PNG pictures that rendering tests write: checksums and round trips.
#include "kvscreen.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(PngChecksums, KnownCheckValues)
{
    const char* nine = "123456789";
    EXPECT_EQ(png_crc32(reinterpret_cast<const uint8_t*>(nine), 9), 0xCBF43926u);
    const char* word = "Wikipedia";
    EXPECT_EQ(png_adler32(reinterpret_cast<const uint8_t*>(word), 9), 0x11E60398u);
    EXPECT_EQ(png_adler32(nullptr, 0), 1u);
}

Frame pattern(int w, int h)
{
    Frame f;
    f.w = w;
    f.h = h;
    f.rgb.resize(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < f.rgb.size(); i++) f.rgb[i] = static_cast<uint8_t>((i * 37 + i / 7) & 0xFF);
    return f;
}

TEST(Png, RoundTripsSmallAndMultiBlockPictures)
{
    TempDir dir;
    for (auto [w, h] : {std::pair{3, 2}, std::pair{1, 1}, std::pair{800, 600}}) {
        Frame f = pattern(w, h);
        std::string path = dir.str() + "/p.png";
        ASSERT_TRUE(write_png(path, f));
        std::string bytes = read_file(path);
        ASSERT_GT(bytes.size(), 33u);
        EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
        EXPECT_EQ(bytes.substr(12, 4), "IHDR");
        Frame back = read_png(path);
        EXPECT_EQ(back.w, w);
        EXPECT_EQ(back.h, h);
        EXPECT_TRUE(back.rgb == f.rgb) << w << "x" << h;
        // Bottom row first in memory, top row first in the file.
        if (h > 1) {
            size_t row = static_cast<size_t>(w) * 3;
            size_t idat = bytes.find("IDAT") + 4 + 2 + 5 + 1;   // chunk data, zlib head, block head, filter
            EXPECT_EQ(std::memcmp(bytes.data() + idat, f.rgb.data() + row * (h - 1), 3), 0);
        }
    }
}

TEST(Png, DamagedFileIsRefused)
{
    TempDir dir;
    std::string path = dir.str() + "/p.png";
    ASSERT_TRUE(write_png(path, pattern(4, 4)));
    std::string bytes = read_file(path);
    bytes[bytes.find("IDAT") + 20] ^= 0x40;
    std::string bad = dir.write("bad.png", bytes);
    EXPECT_EQ(read_png(bad).w, 0);
    EXPECT_EQ(read_png(dir.write("short.png", bytes.substr(0, 30))).w, 0);
    EXPECT_FALSE(write_png(path, Frame{}));
}

}  // namespace
