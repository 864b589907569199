// nature_draw.cpp -- trees, city lights, forest fires and smoke, stars and meteors.
//
// Everything that faces the view (trees, fires, smoke) is laid out along the view's own axes here
// rather than through a matrix turned per picture: thousands of trees a frame would otherwise cost
// a matrix push, turn and pop each.
#include "nature_draw.h"

#include "fltutil.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"
#include "scenery.h"
#include "vrange.h"

#include <GL/gl.h>

#include <cmath>

float star_xyz[NUM_STARS][3];

namespace {

constexpr float DEG = 3.14159265f / 180.0f;
constexpr int TEX_TREE = 129, TEX_SMOKE = 132, TEX_FIRE1 = 133, TEX_FIRE12 = 144;
constexpr int FIRES = 10, PUFFS = 50;
constexpr float TREE_HALF_W = 6.0f, TREE_H = 20.0f;
constexpr float FIRE_HALF_W = 35.0f, FIRE_H = 50.0f;
constexpr float STAR_RADIUS = 1000.0f;
constexpr float METEOR_BURN = 2.0f;   // s

// The cells of the terrain plot bounds, clamped to the cells that exist.
struct Bounds {
    int i1, i2, j1, j2;
};
Bounds cell_bounds(void)
{
    return {intlim(scn.i1_plot_bound_ter, 0, REGION_NI - 2), intlim(scn.i2_plot_bound_ter, 0, REGION_NI - 2),
            intlim(scn.j1_plot_bound_ter, 0, REGION_NJ - 2), intlim(scn.j2_plot_bound_ter, 0, REGION_NJ - 2)};
}

// Fire state, kept between frames.
bool g_fire_started = false;
int g_phase[FIRES];
// The fire picture shown; it starts on the first one, since a wrap of one step a frame would take a
// dozen frames to bring it from 0 into the pictures' numbers, showing none meanwhile.
float g_ft = static_cast<float>(TEX_FIRE1);
float g_ofx = -9.9e9f, g_ofz = -9.9e9f;
smoke_puff g_puff[PUFFS];

// Meteor state: start and step in logical units, and how long it has burned (a meteor burns for
// two seconds; none burns at the start).
int g_sx = 0, g_sy = 0, g_dx = 0, g_dy = 0;
float g_burn = METEOR_BURN;

// The view's right and up directions in the region frame, from the modelview's turn.
void view_axes(float right[3], float up[3])
{
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    right[0] = m[0];
    right[1] = m[4];
    right[2] = m[8];
    up[0] = m[1];
    up[1] = m[5];
    up[2] = m[9];
}

// An upright picture standing at p, half_w to either side along (cx, cz) and h tall.
void upright(const float p[3], float cx, float cz, float half_w, float h)
{
    const float ax = p[0] - half_w * cx, az = p[2] - half_w * cz;
    const float bx = p[0] + half_w * cx, bz = p[2] + half_w * cz;
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(ax, p[1], az);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(ax, p[1] + h, az);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(bx, p[1] + h, bz);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(bx, p[1], bz);
}

// A fire that burns, chosen at random among those burning; -1 when none does.
int burning_fire(void)
{
    int n = 0;
    for (int f = 0; f < FIRES; f++) n += scn.fire_on[f] ? 1 : 0;
    if (n == 0) return -1;
    int pick = intrand(0, n - 1);
    for (int f = 0; f < FIRES; f++)
        if (scn.fire_on[f] && pick-- == 0) return f;
    return -1;
}

void update_smoke(void)
{
    // A new fire scatters the puffs' ages, so all are reborn at it over the next frames.
    if (std::fabs(scn.firexyz[0][0] - g_ofx) > 1.0f || std::fabs(scn.firexyz[0][2] - g_ofz) > 1.0f)
        for (smoke_puff& p : g_puff) p.age = fltrand(100.0f, 200.0f);
    g_ofx = scn.firexyz[0][0];
    g_ofz = scn.firexyz[0][2];
    const float prd = msc.prd;
    for (smoke_puff& p : g_puff) {
        if (p.age > 100.0f) {
            // Reborn at a fire that burns; with none burning the puff is gone (size 0, not drawn)
            // and waits for one.
            const int f = burning_fire();
            if (f < 0) {
                p.size = 0.0f;
                continue;
            }
            p.age -= 100.0f;
            p.size = 25.0f;
            p.x = scn.firexyz[f][0];
            p.y = scn.firexyz[f][1] + 20.0f;
            p.z = scn.firexyz[f][2];
            p.dir = (atm.wnddir1 - env.mvar + 15.0f - 3.0f * static_cast<float>(f)) * DEG;
        }
        p.age += prd;
        p.size += 1.5f * prd;
        p.x -= std::sin(p.dir) * p.size * prd * 0.25f;
        p.y += p.size * prd * 0.03f;
        p.z += std::cos(p.dir) * p.size * prd * 0.25f;
    }
}

}  // namespace

const smoke_puff* smoke_puffs(void) { return g_puff; }

void place_stars(void)
{
    for (int s = 0; s < NUM_STARS; s++) {
        const float e = fltrand(-20, 80) * con.degtorad;
        const float a = fltrand(0, 360) * con.degtorad;
        star_xyz[s][0] = std::sin(a) * std::cos(e) * STAR_RADIUS;
        star_xyz[s][1] = std::sin(e) * STAR_RADIUS;
        star_xyz[s][2] = std::cos(a) * std::cos(e) * STAR_RADIUS;
    }
}

void plot_trees(void)
{
    OGL_setstate(1, 1, 0, 1);
    glColor3f(ogl_brat_ter, ogl_brat_ter, ogl_brat_ter);
    glEnable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);
    OGL_bindtex(TEX_TREE);
    const float cx = std::cos(scn.psi * DEG), cz = std::sin(scn.psi * DEG);
    const Bounds b = cell_bounds();
    glBegin(GL_QUADS);
    for (int i = b.i1; i <= b.i2; i++)
        for (int j = b.j1; j <= b.j2; j++)
            if (ter_inrange[i][j] && tree_on_poly[i][j])
                for (int h = 0; h < 2; h++)
                    for (int t = 0; t < 4; t++) upright(tree_xyz[i][j][h][t], cx, cz, TREE_HALF_W, TREE_H);
    glEnd();
    glEnable(GL_CULL_FACE);
    glDisable(GL_ALPHA_TEST);
}

void plot_city_lights(void)
{
    const float lift = static_cast<float>(flt.Y[0] - env.localh_cg) * 0.02f;
    glPushMatrix();
    glTranslatef(0.0f, lift, 0.0f);
    const Bounds b = cell_bounds();
    glBegin(GL_POINTS);
    for (int i = b.i1; i <= b.i2; i++) {
        for (int j = b.j1; j <= b.j2; j++) {
            if (!ter_inrange[i][j] || !city_on_poly[i][j]) continue;
            for (int h = 0; h < 2; h++) {
                glColor3f(0.4f, 1.0f, 0.6f);
                for (int p = 0; p < 3; p++) glVertex3fv(city_xyz[i][j][h][p]);
                glColor3f(1.0f, 0.85f, 0.0f);
                for (int p = 3; p < 5; p++) glVertex3fv(city_xyz[i][j][h][p]);
            }
        }
    }
    glEnd();
    glPopMatrix();
}

void plot_fires(void)
{
    if (!g_fire_started) {
        for (int f = 0; f < FIRES; f++) g_phase[f] = intrand(0, 11);
        g_fire_started = true;
    }
    g_ft = fltwrap(g_ft + msc.prd * 10.0f, static_cast<float>(TEX_FIRE1), static_cast<float>(TEX_FIRE12));

    // The flames: texture by texture, so each picture is bound once. They are drawn last and over
    // the ground, whose slope would otherwise bury the foot of a fire burning on a hillside.
    OGL_setstate(1, 1, 0, 0);
    glColor3f(1.0f, 1.0f, 1.0f);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glEnable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);
    const float cx = std::cos(scn.psi * DEG), cz = std::sin(scn.psi * DEG);
    for (int tex = TEX_FIRE1; tex <= TEX_FIRE12; tex++) {
        bool bound = false;
        for (int f = 0; f < FIRES; f++) {
            if (!scn.fire_on[f] || !incone(scn.firexyz[f][0], scn.firexyz[f][2], 0.0f)) continue;
            if (intwrap(round(g_ft) + g_phase[f], TEX_FIRE1, TEX_FIRE12) != tex) continue;
            if (!bound) {
                OGL_bindtex(tex);
                glBegin(GL_QUADS);
                bound = true;
            }
            upright(scn.firexyz[f], cx, cz, FIRE_HALF_W, FIRE_H);
        }
        if (bound) glEnd();
    }
    glDisable(GL_ALPHA_TEST);

    // The smoke: lit, blended, facing the view, over the ground like the flames.
    update_smoke();
    OGL_setstate(1, 1, 1, 0);
    glEnable(GL_BLEND);
    float right[3], up[3];
    view_axes(right, up);
    bool bound = false;
    for (const smoke_puff& p : g_puff) {
        if (p.size <= 0.0f || !incone(p.x, p.z, 0.0f)) continue;
        if (!bound) {
            OGL_bindtex(TEX_SMOKE);
            glBegin(GL_QUADS);
            bound = true;
        }
        const float s = p.size;
        const float c[4][2] = {{-1.0f, -1.0f}, {-1.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, -1.0f}};
        for (const auto& k : c) {
            glTexCoord2f(0.5f + 0.5f * k[0], 0.5f + 0.5f * k[1]);
            glVertex3f(p.x + s * (k[0] * right[0] + k[1] * up[0]), p.y + s * (k[0] * right[1] + k[1] * up[1]),
                       p.z + s * (k[0] * right[2] + k[1] * up[2]));
        }
    }
    if (bound) glEnd();
    glDisable(GL_BLEND);
    glEnable(GL_CULL_FACE);
}

float star_brightness(float hour, float sky_r, float sky_g, float sky_b)
{
    const float o = hour > 12.0f ? 1.6f : 0.8f;
    return 1.0f - o * (sky_r + sky_g + sky_b);
}

void plotgroup(int first, int last, float r, float g, float b, float bright)
{
    glColor3f(fltmax2(r, bright), fltmax2(g, bright), fltmax2(b, bright));
    for (int s = first; s <= last && s < NUM_STARS; s++) glVertex3fv(star_xyz[s]);
}

void plot_stars(float sky_r, float sky_g, float sky_b, float left, float bottom, float right, float top)
{
    const float t = star_brightness(msc.locl_time / 3600.0f, sky_r, sky_g, sky_b);
    if (sky_r >= t && sky_g >= t && sky_b >= t) return;

    // The stars around the viewpoint, brought inside the far plane when the fog is close.
    const scenery_frame fr = scenery_last_frame();
    const float k = fltmin2(1.0f, 0.5f * fr.far_clip / STAR_RADIUS);
    glPushMatrix();
    glTranslatef(con.VIEW_xyz[0], con.VIEW_xyz[1], con.VIEW_xyz[2]);
    glScalef(k, k, k);
    glBegin(GL_POINTS);
    plotgroup(1, 200, sky_r, sky_g, sky_b, t);
    plotgroup(201, 400, sky_r, sky_g, sky_b, 0.8f * t);
    plotgroup(401, 800, sky_r, sky_g, sky_b, 0.6f * t);
    plotgroup(801, 1400, sky_r, sky_g, sky_b, 0.4f * t);
    plotgroup(1401, 1999, sky_r, sky_g, sky_b, 0.2f * t);
    glEnd();
    glPopMatrix();

    // Meteors: one every w seconds on average, falling for two seconds.
    static const float interval[5] = {300.0f, 600.0f, 300.0f, 150.0f, 30.0f};
    const float w = interval[intlim(atm.meteorite_code, 0, 4)];
    if (msc.prd > 0.0f && fltrand(0.0f, w / msc.prd) < 1.0f) {
        g_sx = intrand(static_cast<int>(left), static_cast<int>(right));
        g_dx = intrand(-16, 16);
        g_sy = intrand(static_cast<int>(bottom), static_cast<int>(top));
        g_dy = intrand(-16, -4);
        g_burn = 0.0f;
    }
    if (g_burn >= METEOR_BURN) return;
    g_sx += g_dx;
    g_sy += g_dy;
    g_burn += msc.prd;
    // The streak lies on the view's logical area, carried into the scene twice the near distance
    // in front of the eye, where it covers the same pixels.
    const float depth = 2.0f * fr.near_clip;
    const float per_x = fr.half_w / (0.5f * SCREEN_W) * depth / fr.near_clip;
    const float per_y = fr.half_h / (0.5f * (fr.top - fr.bottom)) * depth / fr.near_clip;
    const float cx = 0.5f * SCREEN_W, cy = 0.5f * (fr.top + fr.bottom);
    const float grey = std::fabs(g_burn - 1.0f);
    glPushMatrix();
    glLoadIdentity();
    glColor3f(grey, grey, grey);
    glBegin(GL_LINES);
    glVertex3f((static_cast<float>(g_sx) - cx) * per_x, (static_cast<float>(g_sy) - cy) * per_y, -depth);
    glVertex3f((static_cast<float>(g_sx + g_dx) - cx) * per_x, (static_cast<float>(g_sy + g_dy) - cy) * per_y, -depth);
    glEnd();
    glPopMatrix();
}
