// gbm_file.cpp -- the BMP encoder of the bitmap generator.
#include "gbm.h"
#include "tool_common.h"

#include <cmath>

static uint8_t quantise(float v)
{
    if (!(v > 0.0f)) return 0;  // also catches NaN
    if (v >= 255.0f) return 255;
    return static_cast<uint8_t>(std::lround(v));
}

std::vector<uint8_t> gbm_encode_bmp(const GbmImage& img)
{
    const uint32_t row = (3u * img.w + 3u) & ~3u;  // bytes per row, padded to a multiple of 4
    const uint32_t data = row * img.h;
    std::vector<uint8_t> b;
    b.reserve(54 + data);
    // File header.
    b.push_back('B');
    b.push_back('M');
    tool_put32(b, 54 + data);  // file size
    tool_put16(b, 0);
    tool_put16(b, 0);
    tool_put32(b, 54);  // pixel data offset
    // Information header.
    tool_put32(b, 40);
    tool_put32(b, static_cast<uint32_t>(img.w));
    tool_put32(b, static_cast<uint32_t>(img.h));  // positive: rows bottom first
    tool_put16(b, 1);                             // planes
    tool_put16(b, 24);                            // bits per pixel
    tool_put32(b, 0);                             // no compression
    tool_put32(b, data);
    tool_put32(b, 2835);  // 72 dots per inch
    tool_put32(b, 2835);
    tool_put32(b, 0);
    tool_put32(b, 0);
    for (int y = 0; y < img.h; y++) {
        for (int x = 0; x < img.w; x++) {
            size_t i = static_cast<size_t>(y) * img.w + x;
            uint8_t r = quantise(img.px[3 * i]), g = quantise(img.px[3 * i + 1]), bl = quantise(img.px[3 * i + 2]);
            if (!img.key.empty() && img.key[i]) {
                r = g = bl = 1;
            } else if (r == 1 && g == 1 && bl == 1) {
                r = g = bl = 0;
            }
            b.push_back(bl);
            b.push_back(g);
            b.push_back(r);
        }
        for (uint32_t p = 3u * img.w; p < row; p++) b.push_back(0);
    }
    return b;
}
