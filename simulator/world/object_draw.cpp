// object_draw.cpp -- towers, buildings and custom objects of the region, and their night lights.
//
// Buildings are drawn texture by texture (the three metal kinds share one), so every side texture
// is bound once a frame; roofs follow in two lists, plain and helipad.
#include "object_draw.h"

#include "fltutil.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_model.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "scenery.h"
#include "vrange.h"

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <initializer_list>

namespace {

constexpr int TEX_METAL = 117, TEX_PAD = 120, TEX_ROOF = 86;
constexpr int TEX_BLOCK = 123, TEX_NARTOP = 124, TEX_TAPERED = 125, TEX_NARBOT = 126, TEX_AVON = 127,
              TEX_CONTOW = 128;
constexpr int RADIO = 3, POWER = 4, CUSTOM_BASE = 100;
constexpr int POINT = 1, LINE = 2, TRIANGLE = 3, QUADRANGLE = 4;
constexpr int PULSING_RED = 999999;
constexpr float TALL_RADIO = 150.0f;   // m: taller radio towers carry red and white lights
constexpr int STROBE_COLOUR = 38, STEADY_COLOUR = 45;

// Side textures in the order they are drawn, and the building types of each.
struct SideSet {
    int tex;
    int types[3];
};
constexpr SideSet SIDE_SETS[] = {
    {TEX_CONTOW, {1, 0, 0}},   {TEX_BLOCK, {2, 0, 0}},    {TEX_METAL, {5, 6, 97}}, {TEX_NARTOP, {90, 94, 0}},
    {TEX_TAPERED, {91, 95, 0}}, {TEX_NARBOT, {92, 96, 0}}, {TEX_AVON, {93, 0, 0}},
};

// The side texture of every type below BUILDING_TYPES, laid out from SIDE_SETS when compiled: the
// frame asks it of each object, so it is looked up rather than searched for.
constexpr int BUILDING_TYPES = 98;
constexpr std::array<int, BUILDING_TYPES> SIDE_TEX = [] {
    std::array<int, BUILDING_TYPES> t{};
    for (const SideSet& s : SIDE_SETS)
        for (int type : s.types)
            if (type > 0) t[type] = s.tex;
    return t;
}();

bool is_building(int type) { return building_side_tex(type) != 0; }

// The frame's strobe: an obstruction or radio light flashes in one frame of every thirty.
bool strobe_frame(int obj) { return (obj + round(scn.rb_cycle * 10.0f)) % 30 == 0; }

const float* corner(int obj, int level, int c) { return obj_xyz[obj][level][c]; }

}  // namespace

int building_side_tex(int type) { return type > 0 && type < BUILDING_TYPES ? SIDE_TEX[type] : 0; }

int building_roof(int type, int* tex)
{
    *tex = TEX_ROOF;
    switch (type) {
    case 1:
    case 5:
    case 90:
    case 91:
    case 92:
    case 93:
    case 97: return 3;
    case 2: return 1;
    case 94:
    case 95:
    case 96: *tex = TEX_PAD; return 3;
    default: return -1;
    }
}

int building_windows(int type, float rgb[3])
{
    switch (type) {
    case 90:
    case 94: rgb[0] = rgb[1] = rgb[2] = 1.0f; return 0;
    case 91: rgb[0] = 1.0f; rgb[1] = 0.85f; rgb[2] = 0.0f; return 1;
    case 95: rgb[0] = 1.0f; rgb[1] = 1.0f; rgb[2] = 0.0f; return 1;
    case 92:
    case 96: rgb[0] = 0.4f; rgb[1] = 1.0f; rgb[2] = 0.6f; return 2;
    default: return -1;
    }
}

void colour_code_rgb(int code, float rgb[3])
{
    rgb[0] = static_cast<float>(code / 10000 % 100) * 0.1f;
    rgb[1] = static_cast<float>(code / 100 % 100) * 0.1f;
    rgb[2] = static_cast<float>(code % 100) * 0.1f;
}

void plot_powertower(int obj)
{
    const float x = corner(obj, 0, 0)[0], y0 = corner(obj, 0, 0)[1], z = corner(obj, 0, 0)[2];
    const float y1 = corner(obj, 1, 0)[1], h = y1 - y0;
    const float lines[5][4] = {{x - 0.4f * h, y0, x - 0.2f * h, y1}, {x + 0.4f * h, y0, x + 0.2f * h, y1},
                               {x - 0.4f * h, y0, x + 0.2f * h, y1}, {x + 0.4f * h, y0, x - 0.2f * h, y1},
                               {x - 0.5f * h, y1, x + 0.5f * h, y1}};
    for (const auto& l : lines) {
        glVertex3f(l[0], l[1], z);
        glVertex3f(l[2], l[3], z);
    }
}

void plot_radtower(int obj)
{
    const float x = corner(obj, 0, 0)[0], y0 = corner(obj, 0, 0)[1], z = corner(obj, 0, 0)[2];
    const float h = corner(obj, 1, 0)[1] - y0;
    if (h > TALL_RADIO) {
        const float found = OGL_pointsize(strobe_frame(obj) ? 2.0f : 1.0f);
        glBegin(GL_POINTS);
        for (int i = 0; i <= 12; i++) {
            if (i % 2 == 0) glColor3f(1.0f, 0.0f, 0.0f);
            else glColor3f(1.0f, 1.0f, 1.0f);
            glVertex3f(x, y0 + static_cast<float>(i) * h / 13.0f, z);
        }
        glEnd();
        glPointSize(found);
        heavy_light(x, y0 + h, z, 1.0f, 0.0f, 0.0f, pulse(static_cast<float>(obj)) * 2.0f + 1.0f);
        return;
    }
    glBegin(GL_POINTS);
    if (scn.city_lites_on) glColor3f(pulse(static_cast<float>(obj)), 0.0f, 0.0f);
    else glColor3f(ogl_brat_ter * 0.5f, ogl_brat_ter * 0.5f, ogl_brat_ter * 0.5f);
    for (int i = 0; i <= 9; i++) glVertex3f(x, y0 + static_cast<float>(i) * h / 9.0f, z);
    glEnd();
}

void plot_buildingsides(int obj, int first_level, int last_level)
{
    static const float normal[4][3] = {{-1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}};
    const float y_first = corner(obj, first_level, 0)[1], y_last = corner(obj, last_level, 0)[1];
    const float span = y_last - y_first;
    auto t_of = [&](float y) { return span != 0.0f ? (y - y_first) / span : 0.0f; };
    for (int l = first_level; l < last_level; l++) {
        for (int f = 0; f < 4; f++) {
            const int g = (f + 1) % 4;
            const float* lo_f = corner(obj, l, f);
            const float* lo_g = corner(obj, l, g);
            const float* hi_f = corner(obj, l + 1, f);
            const float* hi_g = corner(obj, l + 1, g);
            // Clockwise seen from outside: the front face.
            glNormal3fv(normal[f]);
            glTexCoord2f(0.0f, t_of(hi_g[1]));
            glVertex3fv(hi_g);
            glTexCoord2f(1.0f, t_of(hi_f[1]));
            glVertex3fv(hi_f);
            glTexCoord2f(1.0f, t_of(lo_f[1]));
            glVertex3fv(lo_f);
            glTexCoord2f(0.0f, t_of(lo_g[1]));
            glVertex3fv(lo_g);
        }
    }
}

void plot_buildingtops(int obj, int level)
{
    static const float st[4][2] = {{1.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}};
    for (int c = 0; c < 4; c++) {
        glTexCoord2fv(st[c]);
        glVertex3fv(corner(obj, level, c));
    }
}

void roofs_under_aircraft(void)
{
    const float x = static_cast<float>(flt.X[0]), z = static_cast<float>(flt.Z[0]);
    for (int k = 0; k < OBJ_MAX; k++) {
        if (!is_building(obj_type[k])) continue;
        int tex;
        const int level = building_roof(obj_type[k], &tex);
        if (level < 0) continue;
        const float* c1 = corner(k, level, 1);
        const float* c3 = corner(k, level, 3);
        if (fltbox(x, z, c1[0], c1[2], c3[0], c3[2])) {
            env.surf_type = 62;
            env.over_obs = 1;
            env.obj_height = corner(k, level, 0)[1];
        }
    }
}

void plot_buildinglights(int type, int obj)
{
    float rgb[3];
    const int wl = building_windows(type, rgb);
    if (wl >= 0) {
        glColor3fv(rgb);
        static const float push[4][2] = {{-5.0f, 0.0f}, {0.0f, -5.0f}, {5.0f, 0.0f}, {0.0f, 5.0f}};
        const float y0 = corner(obj, wl, 0)[1], y1 = corner(obj, wl + 1, 0)[1];
        for (int f = 0; f < 4; f++) {
            const float* a = corner(obj, wl, f);
            const float* b = corner(obj, wl, (f + 1) % 4);
            for (int vi = 1; vi <= 9; vi++) {
                const float y = y0 + 0.1f * static_cast<float>(vi) * (y1 - y0);
                for (int ui = 1; ui <= 9; ui++) {
                    const float u = 0.1f * static_cast<float>(ui);
                    glVertex3f(a[0] + u * (b[0] - a[0]) + push[f][0], y, a[2] + u * (b[2] - a[2]) + push[f][1]);
                }
            }
        }
    }
    int roof_tex;
    const int level = building_roof(type, &roof_tex);
    const int top = type == 6 ? 1 : level;   // the low metal building has no roof but roof lights
    if (type >= 94 && type <= 96) {
        // The helipad's ring of lights, a metre above the roof.
        glColor3f(0.6f, 0.6f, 0.3f);
        const float* c1 = corner(obj, 3, 1);
        const float* c3 = corner(obj, 3, 3);
        const float r = (c1[0] - c3[0]) * 0.5f;
        const float mx = (c1[0] + c3[0]) * 0.5f, mz = (c1[2] + c3[2]) * 0.5f;
        const float y = corner(obj, 3, 0)[1] + 1.0f;
        for (int d = 0; d < 360; d += 10) glVertex3f(mx + r * lookup_sin[d], y, mz + r * lookup_cos[d]);
    }
    if (top < 0) return;
    if (obj % 3 != 0) glColor3f(pulse(static_cast<float>(obj)), 0.0f, 0.0f);
    else OGL_setcolor(strobe_frame(obj) ? STROBE_COLOUR : STEADY_COLOUR);
    for (int c = 0; c < 4; c++) glVertex3fv(corner(obj, top, c));
}

namespace {

// The custom objects in range this frame.
int g_custom[OBJ_MAX];
int g_custom_n = 0;

// One custom polygon of `kind` (triangle or quad) with its normal and texture coordinates, inside
// an open list.
void custom_face(int obj, int l, int kind)
{
    static const float tri_st[3][2] = {{0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 0.0f}};
    static const float quad_st[4][2] = {{1.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 1.0f}};
    glNormal3fv(obj_nrml[obj][l]);
    for (int c = 0; c < kind; c++) {
        glTexCoord2fv(kind == TRIANGLE ? tri_st[c] : quad_st[c]);
        glVertex3fv(obj_xyz[obj][l][c]);
    }
}

// The triangles and quads of every custom object in range. Their pictures (the object reader gives
// every face one of the custom pictures' numbers) are shared by all custom objects, so each picture
// in use is bound once and every face showing it drawn under it.
void plot_custom_faces(void)
{
    g_custom_n = 0;
    bool used[OBJTEX_MAX] = {};
    for (int k = 0; k < OBJ_MAX; k++) {
        if (!obj_inrange[k] || obj_type[k] <= CUSTOM_BASE) continue;
        g_custom[g_custom_n++] = k;
        const int n = intmin2(obj_type[k] - CUSTOM_BASE, OBJ_ELEMENTS);
        for (int l = 0; l < n; l++) {
            const int t = obj_texrgb[k][l] - TEX_OBJECT;
            if ((obj_poltyp[k][l] == TRIANGLE || obj_poltyp[k][l] == QUADRANGLE) && t >= 0 && t < OBJTEX_MAX)
                used[t] = true;
        }
    }
    for (int t = 0; t < OBJTEX_MAX; t++) {
        if (!used[t]) continue;
        OGL_bindtex(TEX_OBJECT + t);
        for (int kind : {TRIANGLE, QUADRANGLE}) {
            glBegin(kind == TRIANGLE ? GL_TRIANGLES : GL_QUADS);
            for (int m = 0; m < g_custom_n; m++) {
                const int k = g_custom[m];
                const int n = intmin2(obj_type[k] - CUSTOM_BASE, OBJ_ELEMENTS);
                for (int l = 0; l < n; l++)
                    if (obj_poltyp[k][l] == kind && obj_texrgb[k][l] == TEX_OBJECT + t) custom_face(k, l, kind);
            }
            glEnd();
        }
    }
}

}  // namespace

void plot_obstacles(void)
{
    // Power-line towers: grey lines, unlit so that they keep the day's grey.
    OGL_setstate(1, 0, 0, 1);
    glColor3f(ogl_brat_ter * 0.8f, ogl_brat_ter * 0.8f, ogl_brat_ter * 0.8f);
    glBegin(GL_LINES);
    for (int k = 0; k < OBJ_MAX; k++)
        if (obj_inrange[k] && obj_type[k] == POWER) plot_powertower(k);
    glEnd();

    // Radio towers: points.
    OGL_setstate(1, 0, 0, 1);
    for (int k = 0; k < OBJ_MAX; k++)
        if (obj_inrange[k] && obj_type[k] == RADIO) plot_radtower(k);

    // Building sides, one texture at a time.
    OGL_setstate(1, 1, 1, 1);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (const SideSet& s : SIDE_SETS) {
        bool bound = false;
        for (int k = 0; k < OBJ_MAX; k++) {
            if (!obj_inrange[k] || building_side_tex(obj_type[k]) != s.tex) continue;
            if (!bound) {
                OGL_bindtex(s.tex);
                glBegin(GL_QUADS);
                bound = true;
            }
            const int type = obj_type[k];
            plot_buildingsides(k, 0, type == 2 || type == 6 ? 1 : 3);
        }
        if (bound) glEnd();
    }

    // Roofs: plain, then the helipads.
    glNormal3f(0.0f, 1.0f, 0.0f);
    for (int tex : {TEX_ROOF, TEX_PAD}) {
        bool bound = false;
        for (int k = 0; k < OBJ_MAX; k++) {
            if (!obj_inrange[k] || !is_building(obj_type[k])) continue;
            int roof_tex;
            const int level = building_roof(obj_type[k], &roof_tex);
            if (level < 0 || roof_tex != tex) continue;
            if (!bound) {
                OGL_bindtex(tex);
                glBegin(GL_QUADS);
                bound = true;
            }
            plot_buildingtops(k, level);
        }
        if (bound) glEnd();
    }

    // Custom objects: their triangles and quads, texture by texture (faces of either winding
    // show), then their lines.
    glDisable(GL_CULL_FACE);
    plot_custom_faces();
    glEnable(GL_CULL_FACE);
    OGL_setstate(1, 0, 0, 1);
    glBegin(GL_LINES);
    for (int k = 0; k < OBJ_MAX; k++) {
        if (!obj_inrange[k] || obj_type[k] <= CUSTOM_BASE) continue;
        const int n = intmin2(obj_type[k] - CUSTOM_BASE, OBJ_ELEMENTS);
        for (int l = 0; l < n; l++) {
            if (obj_poltyp[k][l] != LINE) continue;
            float rgb[3];
            colour_code_rgb(obj_texrgb[k][l], rgb);
            glColor3f(rgb[0] * ogl_brat_ter, rgb[1] * ogl_brat_ter, rgb[2] * ogl_brat_ter);
            glVertex3fv(obj_xyz[k][l][0]);
            glVertex3fv(obj_xyz[k][l][1]);
        }
    }
    glEnd();

    // Every roof holds the aircraft up, drawn this frame or not: a building whose first corner lies
    // just behind the camera is out of the view's range while the aircraft stands on its roof.
    roofs_under_aircraft();

    // Night: building lights and the custom objects' own lights.
    if (!scn.city_lites_on) return;
    glBegin(GL_POINTS);
    for (int k = 0; k < OBJ_MAX; k++) {
        if (!obj_inrange[k]) continue;
        const int type = obj_type[k];
        if (is_building(type) && type != 93 && type != 97) {
            plot_buildinglights(type, k);
        } else if (type > CUSTOM_BASE) {
            const int n = intmin2(type - CUSTOM_BASE, OBJ_ELEMENTS);
            for (int l = 0; l < n; l++) {
                if (obj_poltyp[k][l] != POINT) continue;
                if (obj_texrgb[k][l] == PULSING_RED) {
                    glColor3f(pulse(static_cast<float>(k)), 0.0f, 0.0f);
                } else {
                    float rgb[3];
                    colour_code_rgb(obj_texrgb[k][l], rgb);
                    glColor3fv(rgb);
                }
                glVertex3fv(obj_xyz[k][l][0]);
            }
        }
    }
    glEnd();
}
