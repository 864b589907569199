// tool_common.h -- what the data generators share: writing a file whole or not at all, little-endian
// fields, and a seeded random generator.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Writes `path` whole or not at all: `write` fills a temporary file beside it, made anew under
// path + ".part" (or ".part1" and on when a file, folder or link has that name), which is then
// renamed over `path`; the parent folders are made first. `write` returns false on failure and may
// put the reason in its second argument. Returns 0 on success, else nonzero with the file and the
// reason in `err`, and no temporary file is left behind.
int tool_write_with(const std::string& path,
                    const std::function<bool(const std::string& tmp, std::string& err)>& write,
                    std::string& err);
// tool_write_with for a file that is exactly `bytes`.
int tool_write_file(const std::string& path, const std::vector<uint8_t>& bytes, std::string& err);

// Little-endian fields appended to a file being built in memory.
inline void tool_put16(std::vector<uint8_t>& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v & 0xFF));
    b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
inline void tool_put32(std::vector<uint8_t>& b, uint32_t v)
{
    tool_put16(b, v & 0xFFFF);
    tool_put16(b, v >> 16);
}

// A seeded generator (xorshift), the same sequence on every run. Each generator mixes its seeds
// with its own offset, so that equal seeds in two generators give unrelated sequences.
struct ToolRand {
    uint64_t s;
    ToolRand(uint64_t seed, uint64_t offset) : s(seed * 0x9E3779B97F4A7C15ull + offset) {}
    uint32_t next()
    {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return static_cast<uint32_t>(s >> 32);
    }
    // 0 <= unit() < 1, in steps of 2^-24.
    float unit() { return static_cast<float>(next() >> 8) * (1.0f / 16777216.0f); }
    float range(float lo, float hi) { return lo + (hi - lo) * unit(); }
    float bipolar() { return range(-1.0f, 1.0f); }
};
