// obstacle.cpp -- object slots: the simple kinds as four stacked rectangles, custom objects from
// their text files with shared textures.
#include "obstacle.h"

#include "hl_envfile.h"
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt_files.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr int LAST_I = REGION_NI - 1, LAST_J = REGION_NJ - 1;
constexpr int CUSTOM = 8;
constexpr int END_OF_OBJECT = 99;
constexpr float TALL = 250.0f;   // m: tall buildings above this are their own kinds

// Grid index of v on the line from a (index 0) to b (index last), truncated, kept within 0..hi.
int grid_index(float a, float b, int last, float v, int hi)
{
    if (a == b) return 0;
    const float t = interp(a, 0.0f, b, static_cast<float>(last), v);
    if (!(t > 0.0f)) return 0;   // also NaN
    return intlim(static_cast<int>(t), 0, hi);
}

// Ground height under (x, z): the cell comes from the region's extent, the height from its triangle.
float ground_at(float x, float z)
{
    int i = grid_index(planexyz[0][0][0], planexyz[LAST_I][0][0], LAST_I, x, LAST_I - 1);
    int j = grid_index(planexyz[0][0][2], planexyz[0][LAST_J][2], LAST_J, z, LAST_J - 1);
    return find_local_h(x, z, &i, &j, 0);
}

// The four rectangles of a simple kind: half-widths east-west and north-south, heights above the
// ground. Returns the type to store (tall buildings over 250 m become 94..96).
int simple_shape(int type, float t, float wx[4], float wz[4], float y[4])
{
    for (int k = 0; k < 4; k++) wx[k] = wz[k] = y[k] = 0.0f;
    auto same = [&](float a, float b, float c, float d) {
        wx[0] = wz[0] = a;
        wx[1] = wz[1] = b;
        wx[2] = wz[2] = c;
        wx[3] = wz[3] = d;
    };
    auto heights = [&](float a, float b, float c, float d) {
        y[0] = a;
        y[1] = b;
        y[2] = c;
        y[3] = d;
    };
    switch (type) {
    case 1:
        same(3.0f, 3.0f, 5.0f, 3.0f);
        heights(0.0f, 19.0f, 23.0f, 24.0f);
        break;
    case 2: {
        const float w = t * fltrand(0.2f, 0.4f);
        same(w, w, 0.0f, 0.0f);
        heights(0.0f, t, 0.0f, 0.0f);
        break;
    }
    case 3:
    case 4:
        heights(0.0f, t, 0.0f, 0.0f);
        break;
    case 5:
        same(0.35f * t, 0.25f * t, 0.2f * t, 0.25f * t);
        heights(0.0f, 0.4f * t, 0.8f * t, t);
        break;
    case 6:
        same(0.05f * t, 0.025f * t, 0.0f, 0.0f);
        heights(0.0f, t, 0.0f, 0.0f);
        break;
    case 90: {
        const float a = fltrand(30.0f, 40.0f), b = 0.9f * a;
        same(a, a, b, b);
        heights(0.0f, 0.94f * t, 0.97f * t, t);
        break;
    }
    case 91:
    case 92: {
        const float a = fltrand(30.0f, 40.0f), b = fltrand(20.0f, 30.0f);
        if (type == 91) same(b, a, a, b);
        else same(b, b, a, a);
        heights(0.0f, 0.1f * t, type == 91 ? 0.9f * t : 0.1f * t, t);
        break;
    }
    case 93: {
        const float c = fltrand(40.0f, 50.0f), d = fltrand(30.0f, 40.0f);
        for (int k = 0; k < 4; k++) wx[k] = c;
        wz[0] = d;
        wz[1] = 0.6f * d;
        wz[2] = wz[3] = 0.4f * d;
        heights(0.0f, 0.15f * t, 0.3f * t, t);
        break;
    }
    case 97:
        wx[0] = wx[1] = 10.0f;
        wx[2] = 11.0f;
        wx[3] = 1.0f;
        for (int k = 0; k < 4; k++) wz[k] = 20.0f;
        heights(0.0f, 5.0f, 5.1f, 6.0f);
        break;
    default:
        break;
    }
    if (type >= 90 && type <= 92 && t > TALL) return type + 4;
    return type;
}

void make_simple(float x, float z, float t, int type, int slot)
{
    float wx[4], wz[4], y[4];
    const int stored = simple_shape(type, t, wx, wz, y);
    const float g = ground_at(x, z);
    for (int k = 0; k < 4; k++) {
        const float cx[4] = {x - wx[k], x - wx[k], x + wx[k], x + wx[k]};
        const float cz[4] = {z + wz[k], z - wz[k], z - wz[k], z + wz[k]};
        for (int p = 0; p < 4; p++) {
            obj_xyz[slot][k][p][0] = cx[p];
            obj_xyz[slot][k][p][1] = g + y[k];
            obj_xyz[slot][k][p][2] = cz[p];
        }
    }
    obj_type[slot] = stored;
}

// ---- custom objects ------------------------------------------------------------------------------

// While a custom object file is read the scanners read it on the second input; afterwards they go
// back to the first input in the form they had, and the file is closed, however the reading ended.
struct SecondInput {
    int use = inf_use, bin = inf_is_bin, rev = rev_inf_bin;
    SecondInput()
    {
        inf_use = 2;
        inf_is_bin = 0;
        rev_inf_bin = 0;
    }
    ~SecondInput()
    {
        inf2.close();
        inf2.clear();
        inf_use = use;
        inf_is_bin = bin;
        rev_inf_bin = rev;
    }
    SecondInput(const SecondInput&) = delete;
    SecondInput& operator=(const SecondInput&) = delete;
};

void bad_object(const char* message, const char* path) { MACIBM_alert(message, path, "", "", ALERT_FATAL); }

// The texture number of a texture word: a name seen before keeps its number, a new one is loaded
// as the next one. -1 after the too-many-textures alert.
int texture_for(const char* word, const char* path)
{
    for (int k = 0; k < current_tex_numb && k < OBJTEX_MAX; k++)
        if (std::strncmp(objtex_name[k], word, OBJTEX_NAME_LEN) == 0) return TEX_OBJECT + k;
    if (current_tex_numb >= OBJTEX_MAX) {
        bad_object("Too many textures in the custom objects!", path);
        return -1;
    }
    const int k = current_tex_numb++;
    std::snprintf(objtex_name[k], sizeof objtex_name[k], "%.*s", OBJTEX_NAME_LEN, word);
    // The name becomes part of a path: a name that could leave the folder keeps its number but
    // is never opened.
    if (env_name_is_safe(objtex_name[k])) OGL_texbmp(TEXBMP_FAMILY, TEX_OBJECT + k, 0, objtex_name[k]);
    return TEX_OBJECT + k;
}

// Reads one element's colour or texture and its vertices into element n of the slot. 0 after an
// alert.
int read_element(int count, int n, int slot, float x0, float z0, float g, double c, double s, const char* path)
{
    if (count >= 3) {
        char word[OBJTEX_NAME_LEN + 1];
        wrdscan(word, "custom object texture", sizeof word, 0);
        const int tex = texture_for(word, path);
        if (tex < 0) return 0;
        obj_texrgb[slot][n] = tex;
    } else {
        const int r = intlim(intscan("custom object red"), 0, 99);
        const int gr = intlim(intscan("custom object green"), 0, 99);
        const int b = intlim(intscan("custom object blue"), 0, 99);
        obj_texrgb[slot][n] = r * 10000 + gr * 100 + b;
    }
    rln("custom object element");
    obj_poltyp[slot][n] = count;
    for (int v = 0; v < count; v++) {
        const float x = fltscan("custom object vertex x");
        const float y = fltscan("custom object vertex y");
        const float z = fltscan("custom object vertex z");
        float* p = obj_xyz[slot][n][v];
        p[0] = static_cast<float>(x0 + c * x - s * z);
        p[1] = g + y;
        p[2] = static_cast<float>(z0 + s * x + c * z);
    }
    // Points and lines repeat their last vertex, so every element's four points are its own.
    for (int v = count; v < 4; v++) std::memcpy(obj_xyz[slot][n][v], obj_xyz[slot][n][count - 1], sizeof(float) * 3);
    if (count >= 3) {
        const float(*P)[3] = obj_xyz[slot][n];
        const float a[3] = {P[2][0] - P[1][0], P[2][1] - P[1][1], P[2][2] - P[1][2]};
        const float b[3] = {P[1][0] - P[0][0], P[1][1] - P[0][1], P[1][2] - P[0][2]};
        find_normal_vects(a, b, obj_nrml[slot][n]);
    } else {
        obj_nrml[slot][n][0] = obj_nrml[slot][n][2] = 0.0f;
        obj_nrml[slot][n][1] = 1.0f;
    }
    return 1;
}

void make_custom(float x, float z, float heading, const char* name, int slot)
{
    if (!name || !name[0] || !env_name_is_safe(name)) return;
    char path[STR_LEN];
    if (std::snprintf(path, sizeof path, "%s%s.OBJ", obj_path, name) >= static_cast<int>(sizeof path)) return;

    if (PLT_names_a_pipe(path)) return;   // opening it would wait for a writer
    SecondInput input;
    inf2.open(path, std::ios::in | std::ios::binary);
    if (!inf2.is_open()) return;   // a missing object is simply not there

    const int first = inf2.get();
    if (first != 'A' && first != 'I') {
        bad_object("Object files must start with an A or an I (Apple or IBM creator) and then a carriage return!",
                   path);
        return;
    }
    rln(path);

    const float g = ground_at(x, z);
    const double h = heading * PI / 180.0, c = std::cos(h), s = std::sin(h);
    int n = 0;
    for (;;) {
        const int count = intscan("custom object vertex count");
        if (inf2.fail()) return;   // the scanner has raised its alert
        if (count == END_OF_OBJECT) break;
        if (count < 1 || count > 4) {
            bad_object("Must have 1, 2, 3, or 4 vertices in each element of the object!", path);
            return;
        }
        if (n >= OBJ_ELEMENTS) {
            bad_object("Too many polys in the custom object!", path);
            return;
        }
        if (!read_element(count, n, slot, x, z, g, c, s, path)) return;
        n++;
    }
    obj_type[slot] = 100 + n;
}

}  // namespace

void make_an_obs(float x, float z, float h, const char* name, int type, int slot)
{
    if (slot < 0 || slot >= OBJ_MAX) return;
    if (type == CUSTOM) {
        make_custom(x, z, h, name, slot);
        return;
    }
    make_simple(x, z, h, type, slot);
}
