// gbm.h -- the bitmap generator: every picture the programs load outside the instrument panel and
// the scenery squares, drawn procedurally and written as uncompressed 24-bit BMP files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A picture being drawn: rows from the bottom up (row 0 is the texture's t = 0 and the window's
// y = 0), three floats 0..255 per pixel. `key` (empty or one byte per pixel) marks the pixels that
// are written as the transparent colour key (1, 1, 1).
struct GbmImage {
    int w = 0, h = 0;
    std::vector<float> px;
    std::vector<uint8_t> key;
};

// How the loader treats a picture, which also decides what the generator may put in it.
enum GbmUse {
    GBM_TERRAIN,      // square, mipmapped, no alpha
    GBM_PLAIN,        // texture without alpha
    GBM_KEYED,        // texture whose (1, 1, 1) pixels are transparent
    GBM_BRIGHTNESS,   // texture whose alpha is its brightness
    GBM_WINDOW        // interface picture copied into the 800 x 600 screen picture
};

using GbmMaker = void (*)(GbmImage& img, int arg);

// One file the generator writes: its path below the program folder (exact case, "/" separated),
// its use, its size, and the routine that draws it.
struct GbmEntry {
    const char* path;
    GbmUse use;
    int w, h;
    GbmMaker make;
    int arg;
};

// The manifest: every file the generator writes, in one table.
const std::vector<GbmEntry>& gbm_manifest();

// Draws manifest entry `index` into `img` (sized by the entry). Deterministic.
void gbm_draw_entry(int index, GbmImage& img);

// The BMP file of a picture: 54-byte header, rows bottom first, blue-green-red, each row padded
// to a multiple of 4 bytes. Key pixels become exactly (1, 1, 1); any other pixel that would round
// to (1, 1, 1) is written as (0, 0, 0) so that it stays opaque.
std::vector<uint8_t> gbm_encode_bmp(const GbmImage& img);

// Every manifest entry's file, in manifest order, drawn on all processors.
std::vector<std::vector<uint8_t>> gbm_encode_all();

// Draws and writes every manifest entry below `program_dir`. Returns the number of failures;
// each failure is reported on stderr with its path.
int gbm_generate_all(const std::string& program_dir);
