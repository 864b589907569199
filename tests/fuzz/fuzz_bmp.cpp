// fuzz_bmp.cpp -- the bitmap loader on any bytes. The first byte chooses the use: an interface
// picture drawn into the window's picture array at its corner, or a texture with no alpha, the
// colour key or the brightness alpha. A damaged file ends the program (a fatal alert) and leaves
// the picture array as it was; a picture that loads matches a separate decoding of its rows, and a
// texture has the picture's size and its alpha rule's components.
#include "fuzz_support.h"

#include "hl_mnw.h"
#include "hl_tex.h"
#include "hl_types.h"

#include <cstring>
#include <filesystem>

namespace {

uint32_t le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

// The picture's pixel (row r from the bottom, column c) as red, green, blue.
const uint8_t* pixel(const uint8_t* file, int w, int r, int c, uint8_t rgb[3])
{
    const uint32_t stride = (3u * w + 3u) & ~3u;
    const uint8_t* p = file + le32(file + 10) + static_cast<size_t>(r) * stride + 3u * c;
    rgb[0] = p[2], rgb[1] = p[1], rgb[2] = p[0];
    return rgb;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static uint8_t before[SCREEN_H][SCREEN_W][3];
    static bool ready = [] {
        const std::string root = fuzz_path("");
        std::filesystem::create_directories(root + "bitmaps");
        std::snprintf(app_path, STR_LEN, "%s", root.c_str());
        return true;
    }();
    (void)ready;
    if (size < 1) return 0;
    const int use = data[0] % 4;
    const uint8_t* file = data + 1;
    const size_t n = size - 1;
    fuzz_begin();
    mnw.x = mnw.y = 0;

    int loaded = 0;
    if (use == 0) {
        fuzz_file("bitmaps/VNTL.BMP", file, n);
        std::memset(rgb_array, 0x33, sizeof rgb_array);
        std::memcpy(before, rgb_array, sizeof before);
        try {
            loaded = OGL_texbmp(TEXBMP_PICTURE, 0, 0, TITLE_PICTURE);
        } catch (const FuzzFatal&) {
            FUZZ_CHECK(std::memcmp(before, rgb_array, sizeof before) == 0);
            return 0;
        }
        FUZZ_CHECK(loaded == 1 && n >= 54);
        const int w = static_cast<int>(le32(file + 18)), h = static_cast<int>(le32(file + 22));
        FUZZ_CHECK(w >= 1 && w <= 1024 && h >= 1 && h <= 1024);
        for (int r = 0; r < SCREEN_H; r++)
            for (int c = 0; c < SCREEN_W; c++) {
                uint8_t rgb[3];
                const uint8_t* want = r < h && c < w ? pixel(file, w, r, c, rgb) : before[r][c];
                FUZZ_CHECK(std::memcmp(rgb_array[r][c], want, 3) == 0);
            }
        return 0;
    }

    const int alpha[3] = {0, ALPHA_KEY, ALPHA_BRIGHT};
    const std::string base = fuzz_file("tex.BMP", file, n);
    try {
        loaded = OGL_texbmp(TEXBMP_PATH, 300, alpha[use - 1], fuzz_path("tex").c_str());
    } catch (const FuzzFatal&) {
        return 0;
    }
    FUZZ_CHECK(loaded == 1 && n >= 54);
    int w = 0, h = 0, comps = 0;
    FUZZ_CHECK(texbmp_last(&w, &h, &comps) != nullptr);
    FUZZ_CHECK(comps == (use == 1 ? 3 : 4));
    FUZZ_CHECK(w >= 1 && h >= 1 && w <= static_cast<int>(le32(file + 18)) && h <= static_cast<int>(le32(file + 22)));
    return 0;
}
