// picture.cpp -- runs a program as it is, drawing offscreen, and writes the frame of one pass as a
// compressed PNG: the frame read back as the screen tests read it, the file deflated by zlib.
#include "picture.h"

#include "hl_event.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvscreen.h"

#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int MAX_PASSES = 20000;   // a program that never reaches its picture ends anyway

picture_step_fn g_step = nullptr;
std::string g_path;
int g_pass = 0, g_written = 0;

void put32(std::string& s, uint32_t v)
{
    for (int i = 3; i >= 0; i--) s.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

void chunk(std::string& png, const char* type, const std::string& data)
{
    put32(png, static_cast<uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    png += body;
    put32(png, static_cast<uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

// The frame as an 8-bit RGB PNG, top row first, each row after a filter byte of 0.
int write_png_deflated(const std::string& path, const Frame& f)
{
    if (f.w <= 0 || f.h <= 0) return 0;
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(f.h) * (f.w * 3 + 1));
    for (int y = f.h - 1; y >= 0; y--) {
        raw.push_back(0);
        const uint8_t* row = f.px(0, y);
        raw.insert(raw.end(), row, row + f.w * 3);
    }
    uLongf size = compressBound(raw.size());
    std::vector<uint8_t> z(size);
    if (compress2(z.data(), &size, raw.data(), raw.size(), Z_BEST_COMPRESSION) != Z_OK) return 0;
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    put32(ihdr, static_cast<uint32_t>(f.w));
    put32(ihdr, static_cast<uint32_t>(f.h));
    ihdr += std::string("\x08\x02\x00\x00\x00", 5);
    chunk(png, "IHDR", ihdr);
    chunk(png, "IDAT", std::string(reinterpret_cast<const char*>(z.data()), size));
    chunk(png, "IEND", "");
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return 0;
    const int ok = std::fwrite(png.data(), 1, png.size(), out) == png.size();
    return std::fclose(out) == 0 && ok;
}

void pass_hook(void)
{
    if (g_written || gdone) return;
    // A notice on the way (a machine drawing OpenGL in software) is answered and not counted.
    if (mnw.topwin == WIND_ALERT) {
        return_hit = 1;
        return;
    }
    g_pass++;
    if (g_step(g_pass)) {
        g_written = write_png_deflated(g_path, read_frame());
        if (!g_written) std::fprintf(stderr, "picture: could not write %s\n", g_path.c_str());
        gdone = 1;
    } else if (g_pass > MAX_PASSES) {
        std::fprintf(stderr, "picture: no picture after %d passes\n", MAX_PASSES);
        gdone = 1;
    }
}

}  // namespace

int picture_run(const char* path, int (*run)(void), picture_step_fn step)
{
    g_step = step;
    g_path = path;
    g_pass = g_written = 0;
    hl_set_pass_hook(pass_hook);
    run();
    hl_set_pass_hook(nullptr);
    return g_written ? 0 : 1;
}

int picture_main(int argc, char** argv, int (*run)(void), picture_step_fn step)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s picture.png\n", argc > 0 ? argv[0] : "picture");
        return 2;
    }
    return picture_run(argv[1], run, step);
}
