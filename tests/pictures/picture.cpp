// picture.cpp -- runs a program as it is, drawing offscreen, and writes the frame of one pass as a
// compressed PNG: the frame read back and framed as the screen tests do, its rows deflated by zlib.
#include "picture.h"

#include "hl_event.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvscreen.h"

#include <zlib.h>

#include <cstdio>
#include <string>

namespace {

constexpr int MAX_PASSES = 20000;   // a program that never reaches its picture ends anyway

picture_step_fn g_step = nullptr;
std::string g_path;
int g_pass = 0, g_written = 0;

// The frame as a PNG picture, its rows deflated by zlib.
int write_png_deflated(const std::string& path, const Frame& f)
{
    const std::string raw = png_rows(f);
    if (raw.empty()) return 0;
    uLongf size = compressBound(raw.size());
    std::string z(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(z.data()), &size, reinterpret_cast<const Bytef*>(raw.data()), raw.size(),
                  Z_BEST_COMPRESSION) != Z_OK)
        return 0;
    z.resize(size);
    return write_png_stream(path, f, z) ? 1 : 0;
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
