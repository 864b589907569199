// hl_model_draw.cpp -- draws the aircraft's model: painted surfaces, moving controls, propellers,
// wheels and lights. Runs every frame, so it works from the built mesh and the stack only.
#include "hl_model.h"

#include "hl_drplane.h"
#include "hl_graph.h"
#include "hl_tex.h"
#include "hl_types.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr float DEG = 3.14159265358979f / 180.0f;
constexpr float PROP_DISC_RATE = 15.0f;   // rad/s above which a propeller shows as a disc

int is_right_part(int p) { return p == 5 || p == 7 || p == 9 || p == 11; }

// Paint texture k of part p for the strip that starts at point k of the section; the right-hand
// half of the fuselage and of the fins takes the right-hand pictures.
int paint_of(int p, int plane, int k, int nr)
{
    int t = PAINT_PROP;
    const int right_half = k < nr / 2;
    if (p >= 4 && p <= 11) t = PAINT_WNG1 + (p - 4) / 2;
    else if (p == 12) t = right_half ? PAINT_VST1R : PAINT_VST1;
    else if (p == 13) t = right_half ? PAINT_VST2R : PAINT_VST2;
    else if (p >= 14 && p <= 17) t = PAINT_PYLN;
    else if (p == 18) t = right_half ? PAINT_FUSER : PAINT_FUSE;
    else if (p >= 19 && p <= 22) t = PAINT_NACE;
    else if (p == 23 || p == 24) t = PAINT_MISC;
    else if (p >= 25) t = PAINT_FAIR;
    return MDL_PAINTS * plane + t;
}

// Deflection (degrees, toward the part's upper surface) of element e's control surface.
float element_deflection(int p, int e, int plane, const float up_dir[3])
{
    const planestruct& pl = pln[plane];
    const int side = is_right_part(p) ? 1 : 0;
    float th = 0.0f;
    if (p >= 4 && p <= 9) {
        if (pl.ailn[p][e]) th += mpose.ailn[side];
        if (pl.elev[p][e]) th += mpose.elev[side];
        if (pl.flap[p][e]) th -= mpose.flap;
    } else if (p == 10 || p == 11) {
        if (pl.elev[p][e]) th += mpose.elev[side];
    } else if (p == 12 || p == 13) {
        // Trailing edge right is toward the upper surface when that surface faces right.
        if (pl.rudd[p][e]) th += up_dir[0] >= 0.0f ? mpose.rudd : -mpose.rudd;
    }
    return th;
}

// The trailing-edge point 6 of a section turned about the hinge (between points 5 and 7) by th.
void turn_trailing_edge(float sec[][3], float th)
{
    float h[3], c[3], u[3];
    for (int i = 0; i < 3; i++) {
        h[i] = 0.5f * (sec[5][i] + sec[7][i]);
        c[i] = sec[6][i] - h[i];
        u[i] = sec[5][i] - sec[7][i];
    }
    const float len = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
    if (!(len > 1e-6f)) return;
    for (int i = 0; i < 3; i++) c[i] /= len;
    const float dot = u[0] * c[0] + u[1] * c[1] + u[2] * c[2];
    for (int i = 0; i < 3; i++) u[i] -= dot * c[i];
    const float ul = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
    if (!(ul > 1e-6f)) return;
    const float cs = std::cos(th * DEG), sn = std::sin(th * DEG);
    for (int i = 0; i < 3; i++) sec[6][i] = h[i] + len * (cs * c[i] + sn * u[i] / ul);
}

void vertex(const modelstruct& m, int p, int s, int k, const float* at)
{
    glNormal3fv(m.n_xyz[p][s][k]);
    glTexCoord2fv(m.st[p][s][k]);
    glVertex3fv(at);
}

// The surface of part p as triangles between neighbouring sections and points; closed round the
// section. With moving controls, element e's trailing edges turn about the hinge.
void draw_surface(const modelstruct& m, int p, int plane, int wire, int controls)
{
    const int ns = f_body_s_dim(p, plane), nr = f_body_r_dim(p);
    int bound = -1;
    for (int s = 0; s + 1 < ns; s++) {
        float a[MDL_POINTS][3], b[MDL_POINTS][3];
        for (int k = 0; k < nr; k++)
            for (int i = 0; i < 3; i++) {
                a[k][i] = m.a_xyz[p][s][k][i];
                b[k][i] = m.a_xyz[p][s + 1][k][i];
            }
        if (controls && p >= 4 && p <= 13) {
            float up[3];
            for (int i = 0; i < 3; i++) up[i] = a[5][i] - a[7][i];
            const float th = element_deflection(p, s, plane, up);
            if (th != 0.0f) {
                turn_trailing_edge(a, th);
                turn_trailing_edge(b, th);
            }
        }
        for (int k = 0; k < nr; k++) {
            const int k1 = (k + 1) % nr;
            if (!wire) {
                const int tex = paint_of(p, plane, k, nr);
                if (tex != bound) {
                    OGL_bindtex(tex);
                    bound = tex;
                }
            }
            glBegin(GL_TRIANGLES);
            vertex(m, p, s, k, a[k]);
            vertex(m, p, s + 1, k, b[k]);
            vertex(m, p, s + 1, k1, b[k1]);
            vertex(m, p, s, k, a[k]);
            vertex(m, p, s + 1, k1, b[k1]);
            vertex(m, p, s, k1, a[k1]);
            glEnd();
        }
    }
}

void draw_blades(const modelstruct& m, int p, int plane, int wire)
{
    const int ns = f_body_s_dim(p, plane);
    if (!wire) OGL_bindtex(MDL_PAINTS * plane + PAINT_PROP);
    glBegin(GL_TRIANGLES);
    for (int s = 0; s + 1 < ns; s += 2) {
        vertex(m, p, s, 0, m.a_xyz[p][s][0]);
        vertex(m, p, s, 1, m.a_xyz[p][s][1]);
        vertex(m, p, s + 1, 1, m.a_xyz[p][s + 1][1]);
        vertex(m, p, s, 0, m.a_xyz[p][s][0]);
        vertex(m, p, s + 1, 1, m.a_xyz[p][s + 1][1]);
        vertex(m, p, s + 1, 0, m.a_xyz[p][s + 1][0]);
    }
    glEnd();
}

// A spinning propeller: a dark translucent disc, a fan round the hub every 10 degrees.
void draw_prop_disc(float radius, int wire)
{
    // Unlit, so that the disc takes its dark translucent colour whatever the light.
    if (!wire) {
        OGL_setstate(1, 1, 0, 1);
        OGL_bindtex(TEX_PDISC);
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_CULL_FACE);
    glColor4f(0.15f, 0.15f, 0.15f, 0.5f);
    glNormal3f(0.0f, 0.0f, -1.0f);
    glBegin(GL_TRIANGLE_FAN);
    glTexCoord2f(0.5f, 0.5f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    for (int i = 0; i <= 36; i++) {
        const float a = (float)(i * 10) * DEG, c = std::cos(a), s = std::sin(a);
        glTexCoord2f(0.5f + 0.5f * c, 0.5f + 0.5f * s);
        glVertex3f(radius * c, radius * s, 0.0f);
    }
    glEnd();
    glDisable(GL_BLEND);
    if (wire) {
        glColor3f(0.5f, 1.0f, 0.5f);
    } else {
        glColor3f(1.0f, 1.0f, 1.0f);
        OGL_setstate(1, 1, 1, 1);
    }
}

void turn_about(const float at[3], float deg, float x, float y, float z)
{
    glTranslatef(at[0], at[1], at[2]);
    glRotatef(deg, x, y, z);
    glTranslatef(-at[0], -at[1], -at[2]);
}

void draw_part(int p, int plane, int wire)
{
    const planestruct& pl = pln[plane];
    modelstruct& m = mdl[plane];
    const int user = plane == 0;
    glPushMatrix();
    // Front faces: the bodies' and propellers' points run counter-clockwise seen from outside; a
    // lifting part's sections run over its upper surface from the leading edge, which is clockwise
    // seen from outside when the part reaches right (or up) from its root and counter-clockwise when
    // it reaches left.
    const int lifting = p >= 4 && p <= 17;
    glFrontFace(lifting && latsign(p, plane) > 0 ? GL_CW : GL_CCW);
    if (p <= 3 || p >= 18) {
        float x, y, z;
        get_body_os(p, &x, &y, &z, plane);
        glTranslatef(x, y, z);
    }
    if (user) {
        if (p >= 19 && p <= 22) {
            glRotatef(mpose.vect, 1.0f, 0.0f, 0.0f);
            glRotatef(flt.sidecant[p - 19], 0.0f, 1.0f, 0.0f);
        } else if (p <= 3 && pl.vectEQ) {
            glTranslatef(0.0f, 0.0f, pl.vectarm);
            glRotatef(mpose.vect, 1.0f, 0.0f, 0.0f);
            glTranslatef(0.0f, 0.0f, -pl.vectarm);
        } else if (p >= 4 && p <= 13) {
            if (pl.varsweepEQ[p]) turn_about(m.co_xyz[p], -(mpose.sweep[p] - pl.sweep1[p]) * (float)latsign(p, plane), 0, 1, 0);
            if (p == 10 || p == 11) {
                float trim = mpose.trim;
                const float lim = std::fabs(pl.hstbtrimmax);
                trim = trim > lim ? lim : (trim < -lim ? -lim : trim);
                turn_about(m.co_xyz[p], -trim, 1, 0, 0);
            }
        } else if ((p == 26 || p == 27) && pl.gear_type == 2) {
            glRotatef(p == 26 ? mpose.strut : -mpose.strut, 0.0f, 0.0f, 1.0f);
        }
    }
    if (p <= 3) {
        // The disc stands across its thrust line, which the cants tilt up (a helicopter's main rotor
        // lies almost flat at 85 to 90 degrees) and to the side (a tail rotor at 90).
        glRotatef(pl.sidecant[p], 0.0f, 1.0f, 0.0f);
        glRotatef(pl.vertcant[p], 1.0f, 0.0f, 0.0f);
        const float rate = flt.tac[p];
        if (!user || rate > PROP_DISC_RATE) {
            draw_prop_disc(pl.semilen[p], wire);
        } else {
            const float dir = pl.propdir[p] < 0 ? -1.0f : 1.0f;
            m.phase[p] = std::fmod(m.phase[p] + dir * rate / DEG * msc.prd, 360.0f);
            if (m.phase[p] < 0.0f) m.phase[p] += 360.0f;
            glRotatef(m.phase[p], 0.0f, 0.0f, 1.0f);
            draw_blades(m, p, plane, wire);
        }
    } else {
        draw_surface(m, p, plane, wire, user);
    }
    glPopMatrix();
}

}  // namespace

void set_model_pose_from_flight(void)
{
    const planestruct& pl = pln[0];
    mpose.vect = pl.vectEQ ? flt.vectrqst : 0.0f;
    for (int p = 0; p < MDL_PARTS; p++)
        mpose.sweep[p] = pl.varsweepEQ[p] ? pl.sweep1[p] + (pl.sweep2[p] - pl.sweep1[p]) * flt.swee : pl.sweep1[p];
    mpose.trim = flt.elv_trim * pl.hstbtrimmax;
    mpose.ailn[0] = flt.lailndef;
    mpose.ailn[1] = flt.railndef;
    mpose.elev[0] = flt.lhstbdef;
    mpose.elev[1] = flt.rhstbdef;
    mpose.rudd = flt.ruddef;
    mpose.flap = flt.flap * MDL_FLAP_FULL_DEG;
    mpose.beacon = 0.5f + 0.5f * std::sin(6.2831853f * msc.elap_time);
}

void heavy_light(float x, float y, float z, float r, float g, float b, float size)
{
    const float found = OGL_pointsize(size + 0.01f);
    glColor3f(r, g, b);
    glBegin(GL_POINTS);
    glVertex3f(x, y, z);
    glEnd();
    glPointSize(found);
}

void disc(float x, float y, float z, float r, float w)
{
    // The tyre's outline from one side wall to the other: lateral offset and radius, and where
    // each band starts along the texture.
    const float lat[6] = {-w, -w, -0.7f * w, 0.7f * w, w, w};
    const float rad[6] = {0.0f, 0.85f * r, r, r, 0.85f * r, 0.0f};
    const float tt[6] = {0.0f, 0.3f, 0.4f, 0.6f, 0.7f, 1.0f};
    OGL_bindtex(TEX_TIRE);
    glBegin(GL_QUADS);
    for (int seg = 0; seg < 12; seg++) {
        const float a0 = (float)(seg * 30) * DEG, a1 = (float)((seg + 1) * 30) * DEG;
        const float c0 = std::cos(a0), s0 = std::sin(a0), c1 = std::cos(a1), s1 = std::sin(a1);
        for (int band = 0; band < 5; band++) {
            const float nx = band == 0 ? -1.0f : (band == 4 ? 1.0f : 0.0f);
            const float nr = band == 0 || band == 4 ? 0.0f : 1.0f;
            glNormal3f(nx, nr * 0.5f * (s0 + s1), nr * 0.5f * (c0 + c1));
            glTexCoord2f((float)seg / 12.0f, tt[band]);
            glVertex3f(x + lat[band], y + rad[band] * s0, z + rad[band] * c0);
            glTexCoord2f((float)(seg + 1) / 12.0f, tt[band]);
            glVertex3f(x + lat[band], y + rad[band] * s1, z + rad[band] * c1);
            glTexCoord2f((float)(seg + 1) / 12.0f, tt[band + 1]);
            glVertex3f(x + lat[band + 1], y + rad[band + 1] * s1, z + rad[band + 1] * c1);
            glTexCoord2f((float)seg / 12.0f, tt[band + 1]);
            glVertex3f(x + lat[band + 1], y + rad[band + 1] * s0, z + rad[band + 1] * c0);
        }
    }
    glEnd();
}

void wheel(int p, int plane)
{
    const planestruct& pl = pln[plane];
    int type = pl.gear_type;
    if (type < 3 || p < 25 || p > 27) return;
    if (p == 25 && (type == 5 || type == 6)) type = 4;
    float x, y, z;
    get_body_os(p, &x, &y, &z, plane);
    const float r = pl.wheelrad > 0.0f ? pl.wheelrad : 0.2f;
    const float w = 0.35f * r;   // half the tyre's width
    y += r;                      // the leg's point is where the tyre meets the ground
    const float d = 1.5f * w;
    switch (type) {
    case 3: disc(x, y, z, r, w); break;
    case 4:
        disc(x - d, y, z, r, w);
        disc(x + d, y, z, r, w);
        break;
    case 5:
        disc(x, y, z - d, r, w);
        disc(x, y, z + d, r, w);
        break;
    default:
        disc(x - d, y, z - d, r, w);
        disc(x + d, y, z - d, r, w);
        disc(x - d, y, z + d, r, w);
        disc(x + d, y, z + d, r, w);
        break;
    }
}

void plot_plane(int plane, int detail)
{
    if (plane < 0 || plane > 1 || !mdl[plane].built) return;
    const planestruct& pl = pln[plane];
    const modelstruct& m = mdl[plane];
    const int wire = mnw.draw_wire != 0;
    // The parts set their own front faces and the propeller discs turn culling off: the caller's
    // winding, culling and fill mode come back at the end.
    glPushAttrib(GL_POLYGON_BIT);

    if (detail) {
        if (wire) {
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            glColor3f(0.5f, 1.0f, 0.5f);
            OGL_setstate(0, 0, 0, 1);
        } else {
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            glColor3f(1.0f, 1.0f, 1.0f);
            OGL_setstate(1, 1, 1, 1);
        }
        for (int p = MDL_PARTS - 1; p >= 0; p--) {
            if (!have_this_part(p, plane)) continue;
            if (p == 15 && pl.numen == 3) continue;   // three engines: the middle one hangs on no pylon
            draw_part(p, plane, wire);
        }
        for (int p = 25; p <= 27; p++)
            if (pl.gear_stat[p - 25]) wheel(p, plane);
    }

    // Lights: wing tips red and green, the beacon on top of the fuselage, white at the tail.
    OGL_setstate(0, 0, 0, 1);
    if (have_this_part(4, plane)) heavy_light(m.ca_xyz[4][0], m.ca_xyz[4][1], m.ca_xyz[4][2], 1.0f, 0.2f, 0.2f, 1.5f);
    if (have_this_part(5, plane)) heavy_light(m.ca_xyz[5][0], m.ca_xyz[5][1], m.ca_xyz[5][2], 0.2f, 1.0f, 0.2f, 1.5f);
    const float* top = m.a_xyz[18][5][0];
    const float* tail = m.a_xyz[18][10][0];
    const float b = plane == 0 ? mpose.beacon : 1.0f;
    heavy_light(top[0], top[1], top[2], b, 0.1f * b, 0.1f * b, 2.0f);
    heavy_light(tail[0], tail[1], tail[2], 1.0f, 1.0f, 1.0f, 3.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glPopAttrib();
}
