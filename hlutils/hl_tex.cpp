// hl_tex.cpp -- the bitmap loader: 24-bit bitmaps into numbered OpenGL textures or into rgb_array.
#include "hl_tex.h"

#include "hl_file.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_mnw.h"
#include "hl_program.h"
#include "hl_string.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt_files.h"

#include <GL/gl.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr int MAX_SIDE = 1024;   // the largest bitmap side the loader takes

// Texture pictures are decoded here, never into rgb_array, which is only 800 by 600 by 3.
uint8_t g_tex[MAX_SIDE * MAX_SIDE * 4];
// Mipmap levels 1 and down.
uint8_t g_mip[(MAX_SIDE / 2) * (MAX_SIDE / 2) * 4];
int g_w = 0, g_h = 0, g_comps = 3, g_levels = 0;

// ---- which program loads --------------------------------------------------------------------------

enum { FAM_TERRAIN = 1, FAM_RUNWAY = 2, FAM_FIRE = 4, FAM_BUILDINGS = 8, FAM_CUSTOM = 16 };

// The texture families the running program's loader knows.
int program_families(void)
{
    if (hl_prog.is_simulator) return FAM_TERRAIN | FAM_RUNWAY | FAM_FIRE | FAM_BUILDINGS | FAM_CUSTOM;
    if (hl_prog.name && (std::strcmp(hl_prog.name, "Hullwright") == 0 || std::strcmp(hl_prog.name, "Landwright") == 0))
        return FAM_RUNWAY | FAM_FIRE | FAM_BUILDINGS;
    return 0;
}

// The sub-folder of tex_path of a texture number's family, or nullptr for none.
const char* family_folder(int tex, int fams)
{
    if ((fams & FAM_TERRAIN) && tex >= 50 && tex <= 61) return "terrain";
    if (fams & FAM_RUNWAY) {
        if (tex == 64) return "grass";
        if (tex == 65) return "dirt";
        if (tex == 66) return "grav";
        if (tex >= 68 && tex <= 91) return "asphalt";
        if (tex >= 92 && tex <= 115) return "concrete";
    }
    if ((fams & FAM_BUILDINGS) && tex >= 123 && tex <= 128) return "buildings";
    if ((fams & FAM_FIRE) && tex >= 132 && tex <= 144) return "fire";
    return nullptr;
}

bool is_terrain(int tex) { return (tex >= 50 && tex <= 61) || tex >= TEX_CUSTOM_TERRAIN; }

// ---- opening --------------------------------------------------------------------------------------

bool equal_nocase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t k = 0; k < a.size(); k++)
        if (std::tolower(static_cast<unsigned char>(a[k])) != std::tolower(static_cast<unsigned char>(b[k])))
            return false;
    return true;
}

// Opens base + ".BMP"; pictures made on other systems often end in ".bmp" or differ in case, so
// the folder is searched for the name without regard to case when the exact name is missing.
// `path` receives the file opened, or the name asked for when none is found.
FILE* open_bitmap(const char* base, char* path)
{
    const int n = std::snprintf(path, STR_LEN, "%s%s", base, BITMAP_EXTENSION);
    if (n < 0 || n >= STR_LEN || !*base) return nullptr;
    if (PLT_names_a_pipe(path)) return nullptr;   // opening it would wait for a writer
    if (FILE* f = std::fopen(path, "rb")) return f;

    namespace fs = std::filesystem;
    const fs::path want(path);
    const std::string leaf = want.filename().string();
    const fs::path dir = want.has_parent_path() ? want.parent_path() : fs::path(".");
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (!equal_nocase(it->path().filename().string(), leaf)) continue;
        const std::string found = it->path().string();
        if (found.size() >= STR_LEN || PLT_names_a_pipe(found.c_str())) continue;
        if (FILE* f = std::fopen(found.c_str(), "rb")) {
            std::snprintf(path, STR_LEN, "%s", found.c_str());
            return f;
        }
    }
    if (std::snprintf(path, STR_LEN, "%s%s", base, BITMAP_EXTENSION) >= STR_LEN) path[STR_LEN - 1] = 0;
    return nullptr;
}

// ---- header ---------------------------------------------------------------------------------------

struct bmp_header {
    int32_t width, height;
    uint32_t offset;      // where the pixel rows start
    uint32_t stride;      // bytes per row with its padding
};

uint32_t le16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

void scan_error(const char* path) { MACIBM_alert("File-scanning error!", "grf_inf.fail", "file:", path, ALERT_FATAL); }

// Reads and checks the header: the file header (magic, file size, two reserved words, data
// offset) and the information header (its size, width, height, planes, bit count, compression and
// five more words). Every fault is a fatal alert naming the file; the file is closed first.
int read_header(FILE* f, const char* path, bmp_header* hd)
{
    uint8_t h[54];
    const size_t got = std::fread(h, 1, sizeof h, f);
    long file_size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) file_size = std::ftell(f);

    if (got >= 2 && le16(h) != 19778) {
        std::fclose(f);
        MACIBM_alert("Trying to read a texture bitmap that is not a bitmap", path, "", "", ALERT_FATAL);
        return 0;
    }
    if (got < sizeof h || file_size < 0) {
        std::fclose(f);
        scan_error(path);
        return 0;
    }
    const uint32_t offset = le32(h + 10);
    const uint32_t info_size = le32(h + 14);
    const int32_t width = static_cast<int32_t>(le32(h + 18));
    const int32_t height = static_cast<int32_t>(le32(h + 22));
    const uint32_t bits = le16(h + 28);
    const uint32_t compression = le32(h + 30);

    const char* fault = nullptr;
    const char* fault3 = "";
    if (width > MAX_SIDE) fault = "Bitmap too wide! (max is 1024)";
    else if (height > MAX_SIDE) fault = "Bitmap too tall! (max is 1024)";
    else if (bits != 24) fault = "Wrong bitmap color depth for texture!", fault3 = "We need 24-bit color.";
    else if (compression != 0) fault = "Bitmap is compressed!";
    if (fault) {
        std::fclose(f);
        MACIBM_alert(fault, path, fault3, "", ALERT_FATAL);
        return 0;
    }

    // A damaged file: no picture, rows stored top down (negative height) or not at all, or pixel
    // data that would lie before the header's end or past the file's end.
    const uint32_t stride = (3u * static_cast<uint32_t>(width > 0 ? width : 0) + 3u) & ~3u;
    const int64_t need = static_cast<int64_t>(offset) + static_cast<int64_t>(stride) * (height > 0 ? height - 1 : 0) +
                         3 * static_cast<int64_t>(width);
    if (width <= 0 || height <= 0 || info_size < 40 || offset < 14 + info_size || need > file_size ||
        std::fseek(f, static_cast<long>(offset), SEEK_SET) != 0) {
        std::fclose(f);
        scan_error(path);
        return 0;
    }
    hd->width = width;
    hd->height = height;
    hd->offset = offset;
    hd->stride = stride;
    return 1;
}

// ---- pixels ---------------------------------------------------------------------------------------

// Picture row r (rows run bottom first, blue green red, padded to 4 bytes; the last row may lack
// its padding). On a short read the file is closed, the scan error raised and nullptr returned.
const uint8_t* read_row(FILE* f, const char* path, const bmp_header& hd, int r)
{
    static uint8_t row[(3 * MAX_SIDE + 3) & ~3];
    const size_t want = r == hd.height - 1 ? 3u * hd.width : hd.stride;
    if (std::fread(row, 1, want, f) != want) {
        std::fclose(f);
        scan_error(path);
        return nullptr;
    }
    return row;
}

// Decodes the rows (bottom row first, blue green red, padded to 4 bytes) into rgb_array with the
// picture's bottom-left pixel at (x0, y0); what falls outside the array is dropped.
int read_into_array(FILE* f, const char* path, const bmp_header& hd, int x0, int y0)
{
    for (int r = 0; r < hd.height; r++) {
        const uint8_t* row = read_row(f, path, hd, r);
        if (!row) return 0;
        const int y = r + y0;
        if (y < 0 || y >= SCREEN_H) continue;
        for (int c = 0; c < hd.width; c++) {
            const int x = c + x0;
            if (x < 0 || x >= SCREEN_W) continue;
            uint8_t* p = rgb_array[y][x];
            p[0] = row[3 * c + 2];
            p[1] = row[3 * c + 1];
            p[2] = row[3 * c];
        }
    }
    std::fclose(f);
    return 1;
}

// Decodes the rows into the texture buffer at the picture's own width, with the alpha rule's
// fourth byte.
int read_into_texture(FILE* f, const char* path, const bmp_header& hd, int tex, int alpha)
{
    const int comps = alpha == ALPHA_KEY || alpha == ALPHA_BRIGHT ? 4 : 3;
    const uint8_t bright_colour = tex == TEX_PDISC || tex == TEX_SMOKE ? 0 : 255;
    for (int r = 0; r < hd.height; r++) {
        const uint8_t* row = read_row(f, path, hd, r);
        if (!row) return 0;
        uint8_t* out = g_tex + static_cast<size_t>(r) * hd.width * comps;
        for (int c = 0; c < hd.width; c++, out += comps) {
            const uint8_t red = row[3 * c + 2], green = row[3 * c + 1], blue = row[3 * c];
            out[0] = red;
            out[1] = green;
            out[2] = blue;
            if (alpha == ALPHA_KEY) {
                out[3] = red == 1 && green == 1 && blue == 1 ? 0 : 255;
            } else if (alpha == ALPHA_BRIGHT) {
                out[3] = static_cast<uint8_t>((red + green + blue) / 3);
                out[0] = out[1] = out[2] = bright_colour;
            }
        }
    }
    std::fclose(f);
    g_w = hd.width;
    g_h = hd.height;
    g_comps = comps;
    return 1;
}

// Keeps every n-th pixel of every n-th row, in place; a side never shrinks below one pixel.
void reduce(int n)
{
    if (n <= 1) return;
    const int nw = intmax2(1, g_w / n), nh = intmax2(1, g_h / n);
    for (int y = 0; y < nh; y++)
        for (int x = 0; x < nw; x++)
            std::memmove(g_tex + (static_cast<size_t>(y) * nw + x) * g_comps,
                         g_tex + (static_cast<size_t>(y) * n * g_w + static_cast<size_t>(x) * n) * g_comps,
                         static_cast<size_t>(g_comps));
    g_w = nw;
    g_h = nh;
}

// One mipmap level from the one above: each pixel the truncated quarter of a 2 by 2 block (edge
// pixels repeat where a side is odd or already 1).
void halve(const uint8_t* src, int w, int h, uint8_t* dst, int* nw, int* nh, int comps)
{
    *nw = intmax2(1, w / 2);
    *nh = intmax2(1, h / 2);
    for (int y = 0; y < *nh; y++) {
        const int y0 = intmin2(2 * y, h - 1), y1 = intmin2(2 * y + 1, h - 1);
        for (int x = 0; x < *nw; x++) {
            const int x0 = intmin2(2 * x, w - 1), x1 = intmin2(2 * x + 1, w - 1);
            for (int k = 0; k < comps; k++) {
                const int sum = src[(y0 * w + x0) * comps + k] + src[(y0 * w + x1) * comps + k] +
                                src[(y1 * w + x0) * comps + k] + src[(y1 * w + x1) * comps + k];
                dst[(y * *nw + x) * comps + k] = static_cast<uint8_t>(sum * 0.25);
            }
        }
    }
}

// ---- OpenGL ---------------------------------------------------------------------------------------

GLenum format_of(int comps) { return comps == 4 ? GL_RGBA : GL_RGB; }

void set_filters(int tex, bool mipmapped)
{
    GLint mag = GL_LINEAR, min = GL_LINEAR;
    const bool nearest = tex == 129 || (tex >= 133 && tex <= 144) || tex == 146 || tex == 147 || tex == 148 ||
                         tex == 150;
    if (mipmapped) min = GL_LINEAR_MIPMAP_LINEAR;
    else if (nearest) mag = min = GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, min);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, mag);
    const bool repeat = tex == 85 || tex == 86 || tex == 109 || tex == 110 || tex == 131 || tex == 132;
    const GLint wrap = repeat ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}

int max_texture_side(void)
{
    if (!ogl_ready) return 1 << 16;
    GLint m = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &m);
    return m > 0 ? m : 1 << 16;
}

// The stand-in for a missing texture: 4 by 4 grey.
void grey_texture(int tex)
{
    g_w = g_h = 4;
    g_comps = 3;
    g_levels = 0;
    std::memset(g_tex, 200, 4 * 4 * 3);
    if (!ogl_ready) return;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    OGL_bindtex(tex);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, g_tex);
    set_filters(tex, false);
}

// Reduces, uploads and, for terrain, builds the mipmap levels of the decoded picture.
void make_texture(int tex, int alpha)
{
    g_levels = 0;
    const int n = tex_divisor(tex, set.ogl_res, max_texture_side(), g_w, g_h);
    reduce(n);
    const bool terrain = alpha == ALPHA_TERRAIN;
    if (terrain && g_w != g_h) {
        MACIBM_alert("WHOA!", "You have defined a NON-SQUARE texture for terrain!",
                     "NON-SQUARE textures are fine for everything but water and terrain files!", "", ALERT_NOTICE);
    }
    if (ogl_ready) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        OGL_bindtex(tex);
        glTexImage2D(GL_TEXTURE_2D, 0, g_comps, g_w, g_h, 0, format_of(g_comps), GL_UNSIGNED_BYTE, g_tex);
    }
    if (terrain) {
        const uint8_t* src = g_tex;
        int w = g_w, h = g_h;
        static uint8_t level[(MAX_SIDE / 2) * (MAX_SIDE / 2) * 4];
        while (w > 1 || h > 1) {
            int nw, nh;
            halve(src, w, h, level, &nw, &nh, g_comps);
            std::memcpy(g_mip, level, static_cast<size_t>(nw) * nh * g_comps);
            g_levels++;
            if (ogl_ready)
                glTexImage2D(GL_TEXTURE_2D, g_levels, g_comps, nw, nh, 0, format_of(g_comps), GL_UNSIGNED_BYTE, g_mip);
            src = g_mip;
            w = nw;
            h = nh;
        }
    }
    if (ogl_ready) set_filters(tex, terrain);
}

}  // namespace

// ---- names and sizes ------------------------------------------------------------------------------

const char* terrain_variant(int tex, const char* name)
{
    if (atm.temp_SL < 32.0f) {
        switch (tex) {
        case 58: name = "sno"; break;
        case 54: name = "mnt"; break;
        case 51: name = "mnt_wat_h"; break;
        case 52: name = "mnt_wat_c"; break;
        case 53: name = "wat_mnt_c"; break;
        case 55: name = "mnt_sno_h"; break;
        case 56: name = "mnt_sno_c"; break;
        case 57: name = "sno_mnt_c"; break;
        case 59: name = "sno_wat_h"; break;
        case 60: name = "sno_wat_c"; break;
        case 61: name = "wat_sno_c"; break;
        default: break;
        }
    }
    if (flt.lat < 30.0f) {
        switch (tex) {
        case 50: name = "car"; break;
        case 52: name = "grs_car_c"; break;
        case 51: name = "grs_car_h"; break;
        case 60: name = "mnt_car_c"; break;
        case 59: name = "mnt_car_h"; break;
        case 53: name = "car_grs_c"; break;
        case 61: name = "car_mnt_c"; break;
        default: break;
        }
    }
    return name;
}

// A path that does not fit names no file: it is left empty.
static void fit(int n, char* dst)
{
    if (n < 0 || n >= STR_LEN) dst[0] = 0;
}

void texbmp_path(int mode, int a, const char* name, char* dst)
{
    if (!name) name = "";
    if (mode == TEXBMP_PATH || mode == TEXBMP_PANEL) {
        fit(std::snprintf(dst, STR_LEN, "%s", name), dst);
        return;
    }
    if (mode == TEXBMP_PICTURE) {
        const char* sub = hl_prog.bitmap_folder;
        if (std::strcmp(name, TITLE_PICTURE) == 0 || !sub || !*sub)
            fit(std::snprintf(dst, STR_LEN, "%sbitmaps/%s", app_path, name), dst);
        else
            fit(std::snprintf(dst, STR_LEN, "%sbitmaps/%s/%s", app_path, sub, name), dst);
        return;
    }
    const int fams = program_families();
    if ((fams & FAM_TERRAIN) && a >= 50 && a <= 61) name = terrain_variant(a, name);
    if ((fams & FAM_CUSTOM) && a >= TEX_OBJECT && a < TEX_CUSTOM_TERRAIN) {
        fit(std::snprintf(dst, STR_LEN, "%s%s", obj_path, name), dst);
    } else if ((fams & FAM_CUSTOM) && a >= TEX_CUSTOM_TERRAIN) {
        fit(std::snprintf(dst, STR_LEN, "%s%s", cus_path, name), dst);
    } else if (const char* folder = family_folder(a, fams)) {
        fit(std::snprintf(dst, STR_LEN, "%s%s/%s", tex_path, folder, name), dst);
    } else {
        fit(std::snprintf(dst, STR_LEN, "%s%s", tex_path, name), dst);
    }
}

int tex_divisor(int tex, int ogl_res, int max_side, int w, int h)
{
    int n;
    const bool terrain = is_terrain(tex);
    switch (ogl_res) {
    case 4: n = terrain ? 2 : 1; break;
    case 3: n = terrain ? 4 : 2; break;
    case 2: n = terrain ? 8 : 2; break;
    case 1: n = terrain ? 16 : 4; break;
    default: n = 1; break;   // 5, or no setting: full resolution
    }
    if (tex == 129 || tex == 131 || (tex >= TEX_LETTERS && tex <= TEX_HAND)) n = 1;
    if (max_side < 1) max_side = 1;
    while ((w / n > max_side || h / n > max_side) && n < (1 << 20)) n *= 2;
    return n;
}

const uint8_t* texbmp_last(int* w, int* h, int* comps)
{
    *w = g_w;
    *h = g_h;
    *comps = g_comps;
    return g_tex;
}

int texbmp_last_levels(void) { return g_levels; }

// ---- the loader -----------------------------------------------------------------------------------

int OGL_texbmp(int mode, int a, int b, const char* name)
{
    if (mode != TEXBMP_FAMILY && mode != TEXBMP_PICTURE && mode != TEXBMP_PATH && mode != TEXBMP_PANEL) return 0;
    if (mode == TEXBMP_FAMILY && a < TEX_OBJECT && a % 2 == 0) MACIBM_showinit(1);

    char base[STR_LEN], path[STR_LEN];
    texbmp_path(mode, a, name, base);
    FILE* f = open_bitmap(base, path);
    if (!f) {
        if (mode == TEXBMP_PICTURE) {
            MACIBM_alert("Can't open bitmap!", path, "", "", ALERT_FATAL);
            return 0;
        }
        if (mode == TEXBMP_PANEL || a == TEX_HAND) return 0;
        // Drawn grey; the error file says which picture is missing (the font and the compass card
        // among them), as an alert for each would stop the start for what only looks wrong.
        if (err.is_open()) {
            err << "Can't open bitmap, drawn grey: " << path << "\n";
            err.flush();
        }
        grey_texture(a);
        return 0;
    }

    bmp_header hd;
    if (!read_header(f, path, &hd)) return 0;

    if (mode == TEXBMP_PICTURE || mode == TEXBMP_PANEL) {
        if (mode == TEXBMP_PANEL && (hd.width != 800 || hd.height != 333)) {
            std::fclose(f);
            MACIBM_alert("Custom cockpit bitmap is not 800x333 pixels!",
                         "To make custom cockpits, put the cockpit bitmap in the same folder as the airplane that uses it.",
                         "The filename should be the same as the airplane name but with (space)PANL.BMP at the end.",
                         "The cockpit bitmap must be 800x333 pixels, with 32 or 24 bit RGB color.", ALERT_FATAL);
            return 0;
        }
        return read_into_array(f, path, hd, round(a + mnw.x), round(b + mnw.y));
    }

    if (!read_into_texture(f, path, hd, a, b)) return 0;
    make_texture(a, b);
    return 1;
}
