// media_reader.h -- a strict reader of 24-bit BMP and PCM WAVE files for the tools' tests, written
// apart from the generators' writers so that a fault in one is not hidden by the same fault in the
// other.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace media {

inline uint32_t u32(const std::string& b, size_t at)
{
    return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) | static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}
inline uint16_t u16(const std::string& b, size_t at)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

struct Bmp {
    std::string error;  // empty when the file is good
    int w = 0, h = 0;
    std::vector<uint8_t> rgb;  // row 0 is the bottom row, three bytes red, green, blue per pixel
    const uint8_t* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * w + x) * 3]; }
    bool is_key(int x, int y) const
    {
        const uint8_t* p = at(x, y);
        return p[0] == 1 && p[1] == 1 && p[2] == 1;
    }
};

// An uncompressed 24-bit bitmap with the 54-byte header, the pixels straight after it, rows
// bottom first and padded with zero bytes to a multiple of 4, no larger than 1024 either way.
inline Bmp parse_bmp(const std::string& b)
{
    Bmp r;
    if (b.size() < 54) return r.error = "shorter than the header", r;
    if (b[0] != 'B' || b[1] != 'M') return r.error = "no BM magic", r;
    if (u32(b, 2) != b.size()) return r.error = "file size field differs from the file", r;
    if (u16(b, 6) != 0 || u16(b, 8) != 0) return r.error = "reserved fields not zero", r;
    if (u32(b, 10) != 54) return r.error = "pixel data does not follow the header", r;
    if (u32(b, 14) != 40) return r.error = "information header is not 40 bytes", r;
    int32_t w = static_cast<int32_t>(u32(b, 18)), h = static_cast<int32_t>(u32(b, 22));
    if (w <= 0 || h <= 0) return r.error = "width or height not positive", r;
    if (w > 1024 || h > 1024) return r.error = "larger than 1024", r;
    if (u16(b, 26) != 1) return r.error = "planes not 1", r;
    if (u16(b, 28) != 24) return r.error = "not 24 bits per pixel", r;
    if (u32(b, 30) != 0) return r.error = "compressed", r;
    const size_t row = (3u * static_cast<uint32_t>(w) + 3u) / 4u * 4u;
    if (b.size() != 54 + row * static_cast<size_t>(h)) return r.error = "pixel data size wrong", r;
    if (u32(b, 34) != row * static_cast<size_t>(h)) return r.error = "image size field wrong", r;
    r.w = w;
    r.h = h;
    r.rgb.resize(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; y++) {
        size_t base = 54 + row * static_cast<size_t>(y);
        for (int x = 0; x < w; x++) {
            uint8_t* p = &r.rgb[(static_cast<size_t>(y) * w + x) * 3];
            p[0] = static_cast<uint8_t>(b[base + 3 * x + 2]);
            p[1] = static_cast<uint8_t>(b[base + 3 * x + 1]);
            p[2] = static_cast<uint8_t>(b[base + 3 * x]);
        }
        for (size_t k = base + 3u * static_cast<size_t>(w); k < base + row; k++)
            if (b[k] != 0) return r.error = "padding byte not zero", r;
    }
    return r;
}

struct Wav {
    std::string error;
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
};

// A RIFF WAVE file of a 16-byte PCM "fmt " chunk, 16-bit mono, and a "data" chunk filling the rest.
inline Wav parse_wav(const std::string& b)
{
    Wav r;
    if (b.size() < 44) return r.error = "shorter than the header", r;
    if (b.compare(0, 4, "RIFF") != 0) return r.error = "no RIFF tag", r;
    if (u32(b, 4) != b.size() - 8) return r.error = "RIFF size differs from the file", r;
    if (b.compare(8, 4, "WAVE") != 0) return r.error = "no WAVE tag", r;
    if (b.compare(12, 4, "fmt ") != 0 || u32(b, 16) != 16) return r.error = "no 16-byte fmt chunk first", r;
    r.format = u16(b, 20);
    r.channels = u16(b, 22);
    r.rate = static_cast<int>(u32(b, 24));
    r.bits = u16(b, 34);
    if (u32(b, 28) != static_cast<uint32_t>(r.rate * r.channels * r.bits / 8)) return r.error = "byte rate wrong", r;
    if (u16(b, 32) != r.channels * r.bits / 8) return r.error = "block alignment wrong", r;
    if (b.compare(36, 4, "data") != 0) return r.error = "no data chunk after fmt", r;
    uint32_t n = u32(b, 40);
    if (n == 0) return r.error = "no data", r;
    if (44 + static_cast<size_t>(n) != b.size()) return r.error = "data size differs from the file", r;
    if (r.format != 1 || r.channels != 1 || r.bits != 16) return r.error = "not 16-bit mono PCM", r;
    if (n % 2) return r.error = "odd data size", r;
    r.samples.resize(n / 2);
    for (size_t i = 0; i < r.samples.size(); i++) r.samples[i] = static_cast<int16_t>(u16(b, 44 + 2 * i));
    return r;
}

}  // namespace media
