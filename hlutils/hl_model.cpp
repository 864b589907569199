// hl_model.cpp -- builds the aircraft's mesh, normals and texture coordinates from its record, loads
// its paint textures and writes the paint templates.
#include "hl_model.h"

#include "hl_drplane.h"
#include "hl_funct.h"
#include "hl_newfile.h"
#include "hl_string.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

modelstruct mdl[2];
modelposestruct mpose;

namespace {

constexpr float DEG = 3.14159265358979f / 180.0f;

// The outline of a lifting part's section: chord fraction from the quarter chord and thickness
// fraction, leading edge first, over the top to the trailing edge and back underneath.
constexpr float SEC_C[12] = {-0.25f, -0.21f, -0.13f, 0.0f, 0.11f, 0.5f, 0.75f, 0.5f, 0.11f, 0.0f, -0.13f, -0.21f};
constexpr float SEC_D[12] = {0.0f, 0.24f, 0.38f, 0.46f, 0.5f, 0.0f, 0.0f, 0.0f, -0.5f, -0.46f, -0.38f, -0.24f};

int is_lifting(int p) { return p >= 4 && p <= 17; }
int is_prop(int p) { return p >= 0 && p <= 3; }

int clamp_int(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// Element count of a lifting part, kept inside the grid.
int part_els(int p, int a) { return clamp_int(pln[a].els[p], 1, 8); }

// The control surface's chord fraction behind the hinge of lifting part p.
float hinge_ratio(int p, int a)
{
    const planestruct& pl = pln[a];
    float r = 0.25f;
    if (p >= 4 && p <= 9) {
        int any = 0;
        for (int e = 0; e < 8; e++) any |= pl.ailn[p][e] != 0;
        if (any) r = pl.ailn_crat;
    } else if (p == 10 || p == 11) {
        r = pl.elev_crat;
    } else if (p == 12 || p == 13) {
        r = pl.rudd_crat;
    }
    // The hinge stays behind the thickest point and ahead of the trailing edge.
    if (!(r >= 0.0f)) r = 0.0f;
    if (r > 0.64f) r = 0.64f;
    return r;
}

void lifting_mesh(modelstruct& m, int p, int a)
{
    const planestruct& pl = pln[a];
    const int els = part_els(p, a);
    const float ratio = hinge_ratio(p, a);
    float c[12], d[12];
    for (int k = 0; k < 12; k++) {
        c[k] = SEC_C[k];
        d[k] = SEC_D[k];
    }
    // Points 5 and 7 are the hinge, on the straight line from the thickest point to the trailing edge.
    c[5] = c[7] = 0.75f - ratio;
    d[5] = 0.5f * (0.75f - c[5]) / (0.75f - 0.11f);
    d[7] = -d[5];

    const float sd = std::sin(pl.dihed[p] * DEG), cd = std::cos(pl.dihed[p] * DEG);
    const float ls = (float)latsign(p, a);
    for (int l = 0; l <= els; l++) {
        const float f = (float)l / (float)els;
        const float r = f * pl.semilen[p];
        const float chord = pl.Croot[p] + (pl.Ctip[p] - pl.Croot[p]) * f;
        const float trat = afl[a].trat[p][0] + (afl[a].trat[p][1] - afl[a].trat[p][0]) * f;
        const float x0 = get_wing_Xarm(p, r, a), y0 = get_wing_Yarm(p, r, a), z0 = get_wing_Zarm(p, r, a);
        for (int k = 0; k < 12; k++) {
            const float D = c[k] * chord;
            const float T = d[k] * chord * trat;
            load_pln(x0 - sd * T * ls, y0 + cd * T, z0 + D, m.a_xyz[p][l][k]);
        }
    }
    for (int i = 0; i < 3; i++) {
        m.co_xyz[p][i] = 0.5f * (m.a_xyz[p][0][5][i] + m.a_xyz[p][0][7][i]);
        m.ca_xyz[p][i] = 0.5f * (m.a_xyz[p][els][5][i] + m.a_xyz[p][els][7][i]);
    }

    // Texture: s runs aft between the foremost leading edge and the rearmost trailing edge, t out
    // along the span.
    const float zf = std::fmin(m.a_xyz[p][0][0][2], m.a_xyz[p][els][0][2]);
    const float zr = std::fmax(m.a_xyz[p][0][6][2], m.a_xyz[p][els][6][2]);
    const float dz = zr - zf > 1e-6f ? zr - zf : 1.0f;
    for (int l = 0; l <= els; l++)
        for (int k = 0; k < 12; k++) {
            m.st[p][l][k][0] = (m.a_xyz[p][l][k][2] - zf) / dz;
            m.st[p][l][k][1] = (float)l / (float)els;
        }
}

void prop_mesh(modelstruct& m, int p, int a)
{
    const planestruct& pl = pln[a];
    const int blades = f_body_s_dim(p, a) / 2;
    const float F = 0.5f * pl.Croot[p], G = 0.5f * pl.Ctip[p], R = pl.semilen[p];
    for (int e = 1; e <= blades; e++) {
        // Evenly round the hub: whole degrees would leave a seven-bladed propeller 3 degrees short.
        const float ang = std::fmod((float)e * 360.0f / (float)blades, 360.0f);
        const float sp = std::sin(ang * DEG), cp = std::cos(ang * DEG);
        const int s = 2 * (e - 1);
        load_pln(-cp * F, sp * F, 0.0f, m.a_xyz[p][s][0]);
        load_pln(sp * R - cp * G, cp * R + sp * G, 0.0f, m.a_xyz[p][s][1]);
        load_pln(cp * F, -sp * F, 0.0f, m.a_xyz[p][s + 1][0]);
        load_pln(sp * R + cp * G, cp * R - sp * G, 0.0f, m.a_xyz[p][s + 1][1]);
    }
    for (int s = 0; s < 2 * blades; s++)
        for (int k = 0; k < 2; k++) {
            m.st[p][s][k][0] = (float)(s % 2);
            m.st[p][s][k][1] = (float)k;
        }
    for (int i = 0; i < 3; i++) {
        m.co_xyz[p][i] = 0.0f;
        m.ca_xyz[p][i] = m.a_xyz[p][0][1][i];
    }
}

void body_mesh(modelstruct& m, int p, int a)
{
    const planestruct& pl = pln[a];
    const int ns = f_body_s_dim(p, a), nr = f_body_r_dim(p), half = nr / 2;
    float zmin = 1e30f, zmax = -1e30f, ysum = 0.0f;
    for (int s = 0; s < ns; s++)
        for (int k = 0; k < nr; k++) {
            load_pln(pl.body_X[p][s][k], pl.body_Y[p][s][k], pl.body_Z[p][s][k], m.a_xyz[p][s][k]);
            zmin = std::fmin(zmin, pl.body_Z[p][s][k]);
            zmax = std::fmax(zmax, pl.body_Z[p][s][k]);
            ysum += pl.body_Y[p][s][k];
        }
    const float ymean = ysum / (float)(ns * nr);

    // t: the arc length round each section's first half from where it crosses the body's mean
    // height, positive above; then both s (along the body) and t are scaled to 0..1 and the
    // second half of the section mirrors the first.
    float tmax = 1e-6f;
    for (int s = 0; s < ns; s++) {
        float arc[MDL_POINTS];
        arc[0] = 0.0f;
        for (int k = 1; k <= half; k++) {
            const float* p0 = m.a_xyz[p][s][k - 1];
            const float* p1 = m.a_xyz[p][s][k];
            arc[k] = arc[k - 1] + std::sqrt((p1[0] - p0[0]) * (p1[0] - p0[0]) + (p1[1] - p0[1]) * (p1[1] - p0[1]) +
                                            (p1[2] - p0[2]) * (p1[2] - p0[2]));
        }
        // Where the first half passes the mean height, by straight-line interpolation.
        float mid = 0.5f * arc[half];
        for (int k = 1; k <= half; k++) {
            const float y0 = m.a_xyz[p][s][k - 1][1], y1 = m.a_xyz[p][s][k][1];
            if ((y0 - ymean) * (y1 - ymean) <= 0.0f && y0 != y1) {
                mid = arc[k - 1] + (arc[k] - arc[k - 1]) * (y0 - ymean) / (y0 - y1);
                break;
            }
        }
        for (int k = 0; k <= half; k++) {
            m.st[p][s][k][1] = mid - arc[k];
            tmax = std::fmax(tmax, std::fabs(m.st[p][s][k][1]));
        }
    }
    const float dz = zmax - zmin > 1e-6f ? zmax - zmin : 1.0f;
    for (int s = 0; s < ns; s++) {
        for (int k = 0; k <= half; k++) {
            m.st[p][s][k][0] = (m.a_xyz[p][s][k][2] - zmin) / dz;
            m.st[p][s][k][1] = 0.5f + 0.5f * m.st[p][s][k][1] / tmax;
        }
        for (int k = half + 1; k < nr; k++) {
            m.st[p][s][k][0] = (m.a_xyz[p][s][k][2] - zmin) / dz;
            m.st[p][s][k][1] = m.st[p][s][nr - k][1];
        }
    }
    for (int i = 0; i < 3; i++) {
        m.co_xyz[p][i] = m.a_xyz[p][0][0][i];
        m.ca_xyz[p][i] = m.a_xyz[p][ns - 1][0][i];
    }
}

// Normals from the neighbouring sections and points (indices clamped at the ends), then turned as
// a whole so that they point out of the part: mirrored parts list their points in the opposite
// sense and would otherwise face inwards. A lifting part's upper points face its upper side (this
// holds for a flat part too, whose upper and lower points run in opposite directions), a body's
// face away from their section's middle, and a propeller's face forward.
void part_normals(modelstruct& m, int p, int a)
{
    const int ns = f_body_s_dim(p, a), nr = f_body_r_dim(p);
    const float sd = std::sin(pln[a].dihed[p] * DEG), cd = std::cos(pln[a].dihed[p] * DEG);
    const float up[3] = {-sd * (float)latsign(p, a), cd, 0.0f};
    float outward = 0.0f;
    bool flat[MDL_SECTIONS][MDL_POINTS];
    for (int s = 0; s < ns; s++) {
        float cen[3] = {0, 0, 0};
        for (int k = 0; k < nr; k++)
            for (int i = 0; i < 3; i++) cen[i] += m.a_xyz[p][s][k][i] / (float)nr;
        const int s0 = s > 0 ? s - 1 : 0, s1 = s < ns - 1 ? s + 1 : ns - 1;
        for (int k = 0; k < nr; k++) {
            const int k0 = k > 0 ? k - 1 : 0, k1 = k < nr - 1 ? k + 1 : nr - 1;
            float u[3], v[3];
            for (int i = 0; i < 3; i++) {
                u[i] = m.a_xyz[p][s1][k][i] - m.a_xyz[p][s0][k][i];
                v[i] = m.a_xyz[p][s][k1][i] - m.a_xyz[p][s][k0][i];
            }
            float* n = m.n_xyz[p][s][k];
            find_normal_vects(u, v, n);
            // Where the neighbours fall together (a flat part's trailing edge) there is no
            // surface direction: such points take the part's upper side after the turn below.
            const float cx = u[1] * v[2] - u[2] * v[1], cy = u[2] * v[0] - u[0] * v[2], cz = u[0] * v[1] - u[1] * v[0];
            flat[s][k] = !(cx * cx + cy * cy + cz * cz > 1e-14f);
            if (is_prop(p)) {
                outward -= n[2];
            } else if (is_lifting(p)) {
                const float side = SEC_D[k] > 0.0f ? 1.0f : (SEC_D[k] < 0.0f ? -1.0f : 0.0f);
                outward += side * (n[0] * up[0] + n[1] * up[1] + n[2] * up[2]);
            } else {
                for (int i = 0; i < 3; i++) outward += n[i] * (m.a_xyz[p][s][k][i] - cen[i]);
            }
        }
    }
    if (outward < 0.0f)
        for (int s = 0; s < ns; s++)
            for (int k = 0; k < nr; k++)
                for (int i = 0; i < 3; i++) m.n_xyz[p][s][k][i] = -m.n_xyz[p][s][k][i];
    if (is_lifting(p))
        for (int s = 0; s < ns; s++)
            for (int k = 0; k < nr; k++)
                if (flat[s][k])
                    for (int i = 0; i < 3; i++) m.n_xyz[p][s][k][i] = up[i];
}

void load_paints(int plane)
{
    static const char* const names[13] = {" prop", " wng1", " wng2", " wng3", " hstb", " vst1", " vst2",
                                          " pyln", " fuse", " nace", " misc", " fair", " strt"};
    static const char* const right[3] = {" vst1R", " vst2R", " fuseR"};
    static const char* const fallback[3] = {" vst1", " vst2", " fuse"};
    char path[STR_LEN];
    for (int k = 0; k < 13; k++) {
        paint_path(plane, names[k], path, sizeof path);
        OGL_texbmp(TEXBMP_PATH, MDL_PAINTS * plane + k, 0, path);
    }
    for (int k = 0; k < 3; k++) {
        paint_path(plane, right[k], path, sizeof path);
        if (OGL_texbmp(TEXBMP_PATH, MDL_PAINTS * plane + 13 + k, 0, path)) continue;
        paint_path(plane, fallback[k], path, sizeof path);
        OGL_texbmp(TEXBMP_PATH, MDL_PAINTS * plane + 13 + k, 0, path);
    }
    if (plane == 0) {
        paint_path(plane, " hand", path, sizeof path);
        if (!OGL_texbmp(TEXBMP_PATH, TEX_HAND, 0, path)) OGL_texbmp(TEXBMP_FAMILY, TEX_HAND, 0, "hand");
    }
}

}  // namespace

void load_pln(float x, float y, float z, float v[3])
{
    v[0] = x;
    v[1] = y;
    v[2] = z;
}

void paint_path(int plane, const char* suffix, char* dst, int size)
{
    const char* cp = pln[plane].C_path;
    int len = (int)strnlen(cp, sizeof pln[plane].C_path);
    len = len >= 4 ? len - 4 : 0;   // drop ".acf"
    std::snprintf(dst, (size_t)size, "%.*s%s", len, cp, suffix);
}

void load_plane_geo(int paint, int templates, int plane)
{
    if (plane < 0 || plane > 1) return;
    modelstruct& m = mdl[plane];
    const float keep_phase[4] = {m.phase[0], m.phase[1], m.phase[2], m.phase[3]};
    m = modelstruct{};
    for (int i = 0; i < 4; i++) m.phase[i] = keep_phase[i];

    for (int p = 0; p < MDL_PARTS; p++) {
        if (!have_this_part(p, plane)) continue;
        if (is_prop(p))
            prop_mesh(m, p, plane);
        else if (is_lifting(p))
            lifting_mesh(m, p, plane);
        else
            body_mesh(m, p, plane);
        part_normals(m, p, plane);
    }
    m.built = 1;

    if (paint) load_paints(plane);
    if (templates) {
        static const struct {
            int part;
            const char* name;
        } tpl[] = {
            {5, "start wng1.bmp"},  {7, "start wng2.bmp"},  {9, "start wng3.bmp"},  {11, "start hstb.bmp"},
            {12, "start vst1.bmp"}, {13, "start vst2.bmp"}, {18, "start fuse.bmp"}, {19, "start nace.bmp"},
            {23, "start misc.bmp"}, {25, "start fair.bmp"},
        };
        for (const auto& t : tpl)
            if (have_this_part(t.part, plane)) write_paint_template(t.part, plane, t.name);
        // The pylons share one picture, drawn from the last pylon there is.
        const int pylon = 13 + pln[plane].numen;
        if (pylon >= 14 && pylon <= 17 && have_this_part(pylon, plane))
            write_paint_template(pylon, plane, "start pyln.bmp");
    }
}

// ---- paint templates ----------------------------------------------------------------------------

namespace {

int pow2_near(float v)
{
    int n = 4;
    while (n < 4096 && (float)n * 1.41421356f < v) n *= 2;
    return n;
}

// The part's extent in metres along s and along t, for the template's aspect ratio.
void part_extent(int p, int plane, float* along_s, float* along_t)
{
    const modelstruct& m = mdl[plane];
    const int ns = f_body_s_dim(p, plane), nr = f_body_r_dim(p);
    if (is_lifting(p)) {
        const int els = part_els(p, plane);
        const float zf = std::fmin(m.a_xyz[p][0][0][2], m.a_xyz[p][els][0][2]);
        const float zr = std::fmax(m.a_xyz[p][0][6][2], m.a_xyz[p][els][6][2]);
        *along_s = zr - zf;
        *along_t = pln[plane].semilen[p];
        return;
    }
    float zmin = 1e30f, zmax = -1e30f, arc = 0.0f;
    for (int s = 0; s < ns; s++) {
        float a = 0.0f;
        for (int k = 0; k < nr; k++) {
            zmin = std::fmin(zmin, m.a_xyz[p][s][k][2]);
            zmax = std::fmax(zmax, m.a_xyz[p][s][k][2]);
            if (k > 0 && k <= nr / 2) {
                float dx = m.a_xyz[p][s][k][0] - m.a_xyz[p][s][k - 1][0];
                float dy = m.a_xyz[p][s][k][1] - m.a_xyz[p][s][k - 1][1];
                a += std::sqrt(dx * dx + dy * dy);
            }
        }
        arc = std::fmax(arc, a);
    }
    *along_s = zmax - zmin;
    *along_t = arc;
}

void put_px(std::vector<uint8_t>& img, int w, int h, int x, int y, uint8_t g)
{
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    uint8_t* px = &img[((size_t)y * w + x) * 3];
    px[0] = px[1] = px[2] = g;
}

// A line of half-width 2 pixels from (x0, y0) to (x1, y1) in pixel units.
void thick_line(std::vector<uint8_t>& img, int w, int h, float x0, float y0, float x1, float y1)
{
    const float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    const int xa = (int)std::floor(std::fmin(x0, x1) - 2.0f), xb = (int)std::ceil(std::fmax(x0, x1) + 2.0f);
    const int ya = (int)std::floor(std::fmin(y0, y1) - 2.0f), yb = (int)std::ceil(std::fmax(y0, y1) + 2.0f);
    for (int y = ya < 0 ? 0 : ya; y <= yb && y < h; y++)
        for (int x = xa < 0 ? 0 : xa; x <= xb && x < w; x++) {
            float t = len2 > 0.0f ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0.0f;
            t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
            const float ex = x0 + t * dx - x, ey = y0 + t * dy - y;
            if (ex * ex + ey * ey <= 4.0f) put_px(img, w, h, x, y, 250);
        }
}

int element_has_control(int p, int e, int plane)
{
    const planestruct& pl = pln[plane];
    return pl.ailn[p][e] || pl.elev[p][e] || pl.rudd[p][e] || pl.flap[p][e];
}

void put_le32(uint8_t* b, uint32_t v)
{
    for (int i = 0; i < 4; i++) b[i] = (uint8_t)(v >> (8 * i));
}

}  // namespace

void template_size(int p, int plane, int* w, int* h)
{
    int hh = (p >= 4 && p <= 9) ? 512 : (p >= 10 && p <= 13) ? 256 : 64;
    float as = 1.0f, at = 1.0f;
    part_extent(p, plane, &as, &at);
    const float aspect = at > 1e-6f ? as / at : 1.0f;
    int ww = pow2_near((float)hh * aspect);
    while (ww > 512 || hh > 512) {
        if (ww > 4) ww /= 2;
        if (hh > 4) hh /= 2;
        if (ww == 4 && hh == 4) break;
    }
    if (ww == 512 && hh == 512) hh /= 2;
    *w = ww;
    *h = hh;
}

int write_paint_template(int p, int plane, const char* name)
{
    int w = 0, h = 0;
    template_size(p, plane, &w, &h);
    std::vector<uint8_t> img((size_t)w * h * 3, 0);
    const modelstruct& m = mdl[plane];
    const int ns = f_body_s_dim(p, plane), nr = f_body_r_dim(p);
    auto X = [&](int s, int k) { return m.st[p][s][k][0] * (float)(w - 1); };
    auto Y = [&](int s, int k) { return m.st[p][s][k][1] * (float)(h - 1); };

    // Control surfaces: the strips of the elements that carry one, behind the hinge.
    if (is_lifting(p)) {
        for (int e = 0; e + 1 < ns; e++) {
            if (!element_has_control(p, e, plane)) continue;
            const int y0 = (int)std::ceil(Y(e, 5)), y1 = (int)std::floor(Y(e + 1, 5));
            for (int y = y0; y <= y1; y++) {
                const float f = y1 > y0 ? (float)(y - y0) / (float)(y1 - y0) : 0.0f;
                const float xh = X(e, 5) + (X(e + 1, 5) - X(e, 5)) * f;
                const float xt = X(e, 6) + (X(e + 1, 6) - X(e, 6)) * f;
                for (int x = (int)std::ceil(xh); x <= (int)std::floor(xt); x++) put_px(img, w, h, x, y, 150);
            }
        }
    }
    // The mesh lines, along the sections and along the points.
    for (int s = 0; s < ns; s++)
        for (int k = 0; k < nr; k++) {
            if (k + 1 < nr) thick_line(img, w, h, X(s, k), Y(s, k), X(s, k + 1), Y(s, k + 1));
            if (s + 1 < ns) thick_line(img, w, h, X(s, k), Y(s, k), X(s + 1, k), Y(s + 1, k));
        }

    const int row = (w * 3 + 3) & ~3;
    const uint32_t size = 54u + (uint32_t)row * (uint32_t)h;
    uint8_t hd[54] = {'B', 'M'};
    put_le32(hd + 2, size);
    put_le32(hd + 10, 54);
    put_le32(hd + 14, 40);
    put_le32(hd + 18, (uint32_t)w);
    put_le32(hd + 22, (uint32_t)h);
    hd[26] = 1;
    hd[28] = 24;
    put_le32(hd + 34, (uint32_t)row * (uint32_t)h);

    // Written under a temporary name and renamed into place, so a failed write leaves any earlier
    // template as it was and no half-written picture behind. The temporary file is made anew, so a
    // file, folder or link already named name + ".new" is passed over and kept; it takes the old
    // template's owner and permissions, and a template that may not be written is not replaced.
    char tmp[STR_LEN + 8];
    FILE* f = nullptr;
    const int error = make_replacement_file(name, ".new", tmp, sizeof tmp, [&f](const char* n) {
        f = std::fopen(n, "wbx");
        return f != nullptr;
    });
    if (error && f) {   // made, then removed again: its protection could not be set
        std::fclose(f);
        f = nullptr;
    }
    int ok = f != nullptr;
    if (ok) ok = std::fwrite(hd, 1, sizeof hd, f) == sizeof hd;
    std::vector<uint8_t> line((size_t)row, 0);
    for (int y = 0; ok && y < h; y++) {
        std::memcpy(line.data(), &img[(size_t)y * w * 3], (size_t)w * 3);
        ok = std::fwrite(line.data(), 1, line.size(), f) == line.size();
    }
    if (f && std::fclose(f) != 0) ok = 0;
    if (ok && std::rename(tmp, name) != 0) ok = 0;
    if (!ok) {
        if (f) std::remove(tmp);
        char why[STR_LEN] = "";
        if (error) std::snprintf(why, sizeof why, "Reason: %s.", newfile_reason(error));
        MACIBM_alert("I could not write the paint template:", name, why, "", ALERT_NOTICE);
    }
    return ok;
}
