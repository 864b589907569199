// gbm_file.cpp -- the BMP encoder and the atomic file writer of the bitmap generator.
#include "gbm.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

static void put16(std::vector<uint8_t>& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v & 0xFF));
    b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

static void put32(std::vector<uint8_t>& b, uint32_t v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

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
    put32(b, 54 + data);  // file size
    put16(b, 0);
    put16(b, 0);
    put32(b, 54);  // pixel data offset
    // Information header.
    put32(b, 40);
    put32(b, static_cast<uint32_t>(img.w));
    put32(b, static_cast<uint32_t>(img.h));  // positive: rows bottom first
    put16(b, 1);                             // planes
    put16(b, 24);                            // bits per pixel
    put32(b, 0);                             // no compression
    put32(b, data);
    put32(b, 2835);  // 72 dots per inch
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
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

int gbm_write_file(const std::string& path, const std::vector<uint8_t>& bytes, std::string& err)
{
    std::error_code ec;
    std::filesystem::path p(path);
    if (p.has_parent_path()) {
        std::filesystem::create_directories(p.parent_path(), ec);
        if (ec) {
            err = "cannot create folder " + p.parent_path().string() + ": " + ec.message();
            return 1;
        }
    }
    std::string tmp = path + ".part";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        err = "cannot create " + tmp + ": " + std::strerror(errno);
        return 1;
    }
    size_t n = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
    int close_failed = std::fclose(f);
    if (n != bytes.size() || close_failed) {
        err = "cannot write " + tmp;
        std::remove(tmp.c_str());
        return 1;
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        err = "cannot rename " + tmp + " to " + path + ": " + std::strerror(errno);
        std::remove(tmp.c_str());
        return 1;
    }
    return 0;
}
