// bmp_writer.h -- writes small 24-bit bitmaps for the loader's tests, good and deliberately damaged.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

struct BmpSpec {
    int32_t width = 4, height = 4;
    // The pixel at (x, y), y counted from the bottom row: red, green, blue.
    std::function<uint32_t(int x, int y)> pixel = [](int x, int y) { return static_cast<uint32_t>((x * 40) << 16 | (y * 50) << 8 | 7); };
    uint16_t magic = 19778;          // "BM"
    uint32_t info_size = 40;         // 40, or 108 / 124 for the later header kinds
    uint32_t gap = 0;                // junk bytes between the headers and the pixels
    int32_t offset = -1;             // the data offset written; -1 for the true one
    uint16_t bits = 24;
    uint32_t compression = 0;
    int32_t header_width = 0;        // written instead of width when not 0
    int32_t header_height = 0;       // written instead of height when not 0
    size_t cut = 0;                  // bytes cut off the end of the file
    uint8_t pad_byte = 0xEE;         // what fills each row's padding
};

inline uint32_t rgb(int r, int g, int b) { return static_cast<uint32_t>(r << 16 | g << 8 | b); }

// Row length in bytes, worked out from the rule that rows end on a multiple of four bytes.
inline int bmp_row_bytes(int width)
{
    int n = 3 * width;
    while (n % 4) n++;
    return n;
}

inline std::string make_bmp(const BmpSpec& s)
{
    auto put16 = [](std::string& o, uint32_t v) { o += static_cast<char>(v & 255); o += static_cast<char>((v >> 8) & 255); };
    auto put32 = [&](std::string& o, uint32_t v) { put16(o, v & 0xFFFF); put16(o, v >> 16); };
    const int row = bmp_row_bytes(s.width > 0 ? s.width : 0);
    const uint32_t data_at = 14 + s.info_size + s.gap;
    const uint32_t data_size = static_cast<uint32_t>(row) * static_cast<uint32_t>(s.height > 0 ? s.height : 0);
    std::string o;
    put16(o, s.magic);
    put32(o, data_at + data_size);
    put16(o, 0);
    put16(o, 0);
    put32(o, s.offset >= 0 ? static_cast<uint32_t>(s.offset) : data_at);
    put32(o, s.info_size);
    put32(o, static_cast<uint32_t>(s.header_width ? s.header_width : s.width));
    put32(o, static_cast<uint32_t>(s.header_height ? s.header_height : s.height));
    put16(o, 1);
    put16(o, s.bits);
    put32(o, s.compression);
    for (int k = 0; k < 5; k++) put32(o, 0);
    while (o.size() < 14 + s.info_size) o += '\0';
    for (uint32_t k = 0; k < s.gap; k++) o += static_cast<char>(0xA5);
    for (int y = 0; y < s.height; y++) {
        for (int x = 0; x < s.width; x++) {
            const uint32_t p = s.pixel(x, y);
            o += static_cast<char>(p & 255);           // blue
            o += static_cast<char>((p >> 8) & 255);    // green
            o += static_cast<char>((p >> 16) & 255);   // red
        }
        for (int k = 3 * s.width; k < row; k++) o += static_cast<char>(s.pad_byte);
    }
    if (s.cut) o.resize(o.size() > s.cut ? o.size() - s.cut : 0);
    return o;
}
