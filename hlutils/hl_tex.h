// hl_tex.h -- the one loader of pictures: uncompressed 24-bit bitmaps into OpenGL textures under
// fixed texture numbers, or into the 800-pixel-wide picture rgb_array.
#pragma once
#include <cstdint>

// Modes of OGL_texbmp.
enum {
    TEXBMP_FAMILY = -100,    // a: texture number, b: alpha rule, name: file name in the family folder
    TEXBMP_PICTURE = -101,   // a, b: x, y in the window; name: interface picture in "bitmaps"
    TEXBMP_PATH = -102,      // a: texture number, b: alpha rule, name: full path without extension
    TEXBMP_PANEL = -103,     // a, b: x, y in the window; name: the 800 by 333 cockpit panel picture
};

// Alpha rules (b in the texture modes); any other value means none.
enum {
    ALPHA_TERRAIN = -104,    // no alpha; square; mipmapped
    ALPHA_KEY = -105,        // a pixel of exactly (1, 1, 1) is transparent
    ALPHA_BRIGHT = -106,     // white (black for 130 and 132), alpha the mean of the three bytes
};

// What the loader adds to every name it is given.
constexpr const char* BITMAP_EXTENSION = ".BMP";

// The simulator's title picture under the empty screen: the one interface picture that lies in
// "bitmaps" itself rather than in the program's sub-folder.
constexpr const char* TITLE_PICTURE = "VNTL";

// Texture numbers with a meaning of their own in the loader.
enum {
    TEX_PDISC = 130,         // the propeller disc
    TEX_SMOKE = 132,
    TEX_LETTERS = 146,
    TEX_CURSOR = 147,
    TEX_DG = 148,
    TEX_HAND = 149,          // optional: no grey stand-in when missing
    TEX_PANEL_TILE = 500,    // 500 + col + 7 * row: the panel picture's tiles
    TEX_OBJECT = 1000,       // 1000..1999 custom object textures
    TEX_CUSTOM_TERRAIN = 2000,
};

// Reads the bitmap for the mode; 1 when the file was read, else 0. A missing texture becomes a
// 4 by 4 grey texture (not for 149), a missing interface picture and a damaged file are fatal
// alerts, a non-square terrain picture is a notice.
int OGL_texbmp(int mode, int a, int b, const char* name);

// The file OGL_texbmp opens for the mode (before the case of the extension is settled), in
// dst (400 bytes); the terrain variants follow the weather and the latitude.
void texbmp_path(int mode, int a, const char* name, char* dst);
// The terrain picture name that replaces `name` for texture tex in the current weather and place.
const char* terrain_variant(int tex, const char* name);
// The reduction divisor for texture tex of w by h pixels at resolution setting ogl_res (1..5) with
// the renderer's largest texture side max_side.
int tex_divisor(int tex, int ogl_res, int max_side, int w, int h);

// The last texture picture as handed to OpenGL at level 0 (after reduction and alpha).
const uint8_t* texbmp_last(int* w, int* h, int* comps);
// How many mipmap levels below level 0 the last terrain texture got.
int texbmp_last_levels(void);
