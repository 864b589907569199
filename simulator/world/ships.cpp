// ships.cpp -- the carrier, the frigate and the oil rig: deck logic and drawing.
#include "ships.h"

#include "fltutil.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"
#include "scenery.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr float DEG = 3.14159265f / 180.0f;
constexpr int DECK_SURFACE = 62;         // every deck and helipad is hard pavement

// Textures.
constexpr int TEX_RWAY_PAVE = 86;
constexpr int TEX_METAL = 117;
constexpr int TEX_DECK = 118;
constexpr int TEX_DIRTY = 119;
constexpr int TEX_PAD = 120;
constexpr int TEX_TOWER = 121;
constexpr int TEX_HULL = 122;

// Colour-table entries of the lights.
constexpr int COL_DECK_LIGHT = 38;
constexpr int COL_DATUM = 47;
constexpr int COL_BALL = 41;
constexpr int COL_BALL_LOW = 44;

// The carrier's lights: the datum row's middle (the landing reference) and the ball column's middle.
constexpr int DATUM_MID = 66;
constexpr int BALL_MID = 72;
constexpr int DECK_LIGHTS = 63;          // lights 0..62 run along the deck
constexpr float GLIDE_PATH = 3.5f;       // degrees

// Catapult: the square that catches a slow aircraft and the spot it is put on.
constexpr float CAT_X_LO = -16.5f, CAT_X_HI = -8.5f, CAT_Z_LO = -59.0f, CAT_Z_HI = -51.0f;
constexpr float CAT_X = -12.5f, CAT_Z = -55.0f, CAT_HEADING = 2.0f;
constexpr float CAT_MAX_SPEED = 20.0f;   // m/s
constexpr float WIRE_MIN_SPEED = 10.0f;  // m/s
constexpr float WIRE_MAX_BETA = 90.0f;   // degrees of sideslip: past it the wire lets go
constexpr float TRAP_DISTANCE = 100.0f;  // m the wire stops the aircraft in
// The deck's pieces share edges (the main deck and the angled extension meet along x = -19): a
// centimetre of overlap keeps a point on a shared edge on the deck.
constexpr float DECK_SEAM = 0.01f;

ship_stats g_stats = {};

// Binds a texture for the ship's next quads, counting the binds by texture.
void ship_tex(int tex)
{
    OGL_bindtex(tex);
    if (tex >= 0 && tex < SHIP_TEX_MAX) g_stats.binds[tex]++;
}

// The chain of model points idx[0..n-1] (x and z), closed.
int inside_points(const float (*model)[3], const int* idx, int n, float x, float z, float tol = 0.0f)
{
    float pts[8][2];
    for (int k = 0; k < n && k < 8; k++) {
        pts[k][0] = model[idx[k]][0];
        pts[k][1] = model[idx[k]][2];
    }
    return inside_cw_chain(pts, n, x, z, tol);
}

// The deck frame the flight model's ground contact reads: the cell middle and the ship's attitude.
void publish_deck(float x, float y, float z, float the, float phi)
{
    con.BOAT_loc_X = x;
    con.BOAT_loc_Y = y;
    con.BOAT_loc_Z = z;
    con.sinBOATthe = std::sin(the * DEG);
    con.cosBOATthe = std::cos(the * DEG);
    con.sinBOATphi = std::sin(phi * DEG);
    con.cosBOATphi = std::cos(phi * DEG);
    env.surf_type = DECK_SURFACE;
}

void set_nav_text(char* dst, int size, const char* text)
{
    std::snprintf(dst, static_cast<size_t>(size), "%s", text);
}

// The ship's localizer and glide slope, where the radios find them.
void carr_navaids(float x, float y, float z)
{
    const float lat = static_cast<float>(lat_with_z(z));
    const float lon = static_cast<float>(lon_with_xz(x, z));
    const int slot[2] = {CARR_NAV_LOC, CARR_NAV_GS};
    const int type[2] = {4, 6};
    const int hdng[2] = {352, 4};
    for (int k = 0; k < 2; k++) {
        const int n = slot[k];
        nav_type[n] = type[k];
        nav_frq[n] = 10800;
        nav_hdng[n] = hdng[k];
        nav_lat[n] = lat;
        nav_lon[n] = lon;
        nav_h[n] = y;
        nav_inreg[n] = 1;
        set_nav_text(nav_id[n], APT_ID_LEN, "----");
        set_nav_text(nav_name[n], APT_NAME_LEN, "USS Enterprise");
    }
}

// ---- drawing helpers ---------------------------------------------------------------------------------

void quads(const float (*model)[3], const int (*q)[4], int n)
{
    glBegin(GL_QUADS);
    for (int k = 0; k < n; k++) CFR_3dquad(model[q[k][0]], model[q[k][1]], model[q[k][2]], model[q[k][3]]);
    glEnd();
}

void lines(const float (*seg)[6], int n, float grey)
{
    glColor3f(grey, grey, grey);
    glBegin(GL_LINES);
    for (int k = 0; k < n; k++) {
        glVertex3f(seg[k][0], seg[k][1], seg[k][2]);
        glVertex3f(seg[k][3], seg[k][4], seg[k][5]);
    }
    glEnd();
}

// Points every `step` degrees on a circle of radius r about (cx, cy, cz), from angle `first`.
void ring_points(float cx, float cy, float cz, float r, float first, float step, int n)
{
    glBegin(GL_POINTS);
    for (int k = 0; k < n; k++) {
        const float a = (first + step * static_cast<float>(k)) * DEG;
        glVertex3f(cx + r * std::sin(a), cy, cz + r * std::cos(a));
    }
    glEnd();
}

// The helipad ring (radius r, in soft white) and the four pulsing red lights around it (radius r2).
void helipad_lights(float cx, float cy, float cz, float r, float r2)
{
    glColor3f(1.0f, 1.0f, 0.8f);
    ring_points(cx, cy, cz, r, 0.0f, 10.0f, 36);
    const float found = OGL_pointsize(2.0f);
    glColor3f(pulse(0.0f), 0.0f, 0.0f);
    ring_points(cx, cy, cz, r2, 45.0f, 90.0f, 4);
    glPointSize(found);
}

// ---- the carrier's faces -----------------------------------------------------------------------------

const int CARR_HULL_LOW[7][4] = {{1, 0, 2, 3},   {3, 2, 4, 5},     {5, 4, 6, 7},    {7, 6, 8, 9},
                                 {9, 8, 10, 11}, {11, 10, 12, 13}, {13, 12, 0, 1}};
const int CARR_METAL[17][4] = {
    // the upper sides
    {15, 14, 16, 17}, {17, 16, 18, 19}, {19, 18, 20, 21}, {21, 20, 22, 23}, {23, 22, 14, 15},
    // the deck edge
    {25, 24, 36, 37}, {37, 36, 38, 39}, {39, 38, 40, 41}, {41, 40, 26, 27}, {27, 26, 28, 29}, {29, 28, 30, 31},
    {31, 30, 32, 33}, {33, 32, 44, 45}, {45, 44, 46, 47}, {47, 46, 42, 43}, {43, 42, 34, 35}, {35, 34, 24, 25}};
const int CARR_DECK[4][4] = {{25, 27, 33, 35}, {27, 29, 31, 33}, {39, 41, 27, 37}, {43, 33, 45, 47}};
const int CARR_STERN[4] = {1, 3, 11, 13};
const int CARR_ROOF[4] = {86, 80, 82, 84};

// The first point of island level L (24, 28, .. 48).
constexpr int level_point(int level) { return 2 * level; }

// The four sides between island levels lo and hi, texture rows t0..t1.
void island_block(int lo, int hi, int tex, float t0, float t1)
{
    const int a = level_point(lo), b = level_point(hi);
    for (int k = 0; k < 4; k++) {
        const int k2 = (k + 1) % 4;
        OGL_3dquad_st(carr_pxyz[a + 2 * k], carr_pxyz[b + 2 * k], carr_pxyz[b + 2 * k2], carr_pxyz[a + 2 * k2], tex,
                      0.0f, t0, 1.0f, t1);
    }
}

const float CARR_MAST_LINES[11][6] = {
    {28, 51, 11, 28, 60, 11}, {25, 55, 11, 31, 55, 11}, {28, 55, 8, 28, 55, 14}, {18, 51, 11, 38, 51, 11},
    {20, 50, 11, 36, 50, 11}, {28, 46, 11, 24, 50, 11}, {28, 46, 11, 32, 50, 11}, {28, 45, 1, 28, 45, 21},
    {28, 44, 3, 28, 44, 19},  {28, 40, 11, 28, 44, 7},  {28, 40, 11, 28, 44, 15}};

void carr_hull(void) { quads(carr_pxyz, CARR_HULL_LOW, 7); }

void carr_metal(void)
{
    quads(carr_pxyz, CARR_METAL, 17);
    island_block(44, 48, TEX_METAL, 0.0f, 1.0f);   // the mast
}

void carr_dirty(void)
{
    const int q[2][4] = {{CARR_STERN[0], CARR_STERN[1], CARR_STERN[2], CARR_STERN[3]},
                         {CARR_ROOF[0], CARR_ROOF[1], CARR_ROOF[2], CARR_ROOF[3]}};
    quads(carr_pxyz, q, 2);
}

// One deck picture over the whole flight deck.
void carr_deck(void)
{
    for (const auto& q : CARR_DECK)
        OGL_3dquad_flat(carr_pxyz[q[0]], carr_pxyz[q[1]], carr_pxyz[q[2]], carr_pxyz[q[3]], TEX_DECK, -35.0f, 160.0f,
                        71.0f, -314.0f);
}

void carr_tower(void)
{
    island_block(24, 28, TEX_TOWER, 0.0f, 0.234f);
    island_block(28, 32, TEX_TOWER, 0.234f, 0.398f);
    island_block(32, 36, TEX_TOWER, 0.398f, 0.914f);
    island_block(36, 40, TEX_TOWER, 0.914f, 1.0f);
}

// The mast's rigging, then the lights over everything: the deck rows at night, the datum row and
// the ball always.
void carr_overlay(int ball)
{
    OGL_setstate(1, 0, 0, 1);
    lines(CARR_MAST_LINES, 11, ogl_brat_ter * 0.3f);

    OGL_setstate(1, 0, 0, 0);
    if (scn.rway_lites_on) {
        glColor3fv(col_rgb[COL_DECK_LIGHT]);
        glBegin(GL_POINTS);
        for (int k = 0; k < DECK_LIGHTS; k++) glVertex3fv(carr_lxyz[k]);
        glEnd();
    }
    const float found = OGL_pointsize(2.0f);
    glColor3fv(col_rgb[COL_DATUM]);
    glBegin(GL_POINTS);
    for (int k = 63; k <= 69; k++)
        if (k != DATUM_MID) glVertex3fv(carr_lxyz[k]);
    glEnd();
    glPointSize(3.0f);
    glColor3fv(col_rgb[ball == -2 ? COL_BALL_LOW : COL_BALL]);
    glBegin(GL_POINTS);
    glVertex3fv(carr_lxyz[BALL_MID + ball]);
    glEnd();
    glPointSize(found);
}

// ---- the frigate's faces -----------------------------------------------------------------------------

const int FRIG_DECK[5][4] = {{11, 11, 13, 15}, {17, 9, 11, 15}, {19, 7, 9, 17}, {23, 3, 5, 21}, {25, 1, 3, 23}};
const int FRIG_PAD[1][4] = {{19, 21, 5, 7}};
const int FRIG_HULL[9][4] = {{1, 0, 2, 3},     {5, 4, 6, 7},     {9, 8, 10, 11},   {11, 10, 12, 13}, {13, 12, 14, 15},
                             {15, 14, 16, 17}, {19, 18, 20, 21}, {23, 22, 24, 25}, {25, 24, 0, 1}};
const int FRIG_BOXES[7] = {26, 34, 42, 50, 58, 66, 74};
const float FRIG_MAST_LINES[10][6] = {
    {0, 50, -20, 0, 60, -17.7f},  {-6, 50, -20, 6, 50, -20},   {0, 46, -21, -4, 50, -20}, {0, 46, -21, 4, 50, -20},
    {0, 44, -21, 0, 44, -28},     {0, 40, -22.4f, 0, 44, -26.4f}, {-8, 38, -23, 8, 38, -23}, {-10, 37, -23, 10, 37, -23},
    {0, 33, -24, -4, 37, -23},    {0, 33, -24, 4, 37, -23}};

// A superstructure box from point p: four sides and the top.
void frig_box(int p)
{
    const int q[5][4] = {{p + 1, p, p + 2, p + 3},
                         {p + 3, p + 2, p + 4, p + 5},
                         {p + 5, p + 4, p + 6, p + 7},
                         {p + 7, p + 6, p, p + 1},
                         {p + 7, p + 1, p + 3, p + 5}};
    quads(frig_pxyz, q, 5);
}

void frig_metal(void)
{
    quads(frig_pxyz, FRIG_DECK, 5);
    for (int b = 0; b < 5; b++) frig_box(FRIG_BOXES[b]);
}
void frig_pad(void) { quads(frig_pxyz, FRIG_PAD, 1); }
void frig_hull(void) { quads(frig_pxyz, FRIG_HULL, 9); }
void frig_dirty(void)
{
    frig_box(FRIG_BOXES[5]);
    frig_box(FRIG_BOXES[6]);
}

void frig_overlay(int)
{
    OGL_setstate(1, 0, 0, 1);
    lines(FRIG_MAST_LINES, 10, ogl_brat_ter * 0.3f);
    if (scn.rway_lites_on) {
        OGL_setstate(1, 0, 0, 0);
        helipad_lights(0.0f, 7.0f, 55.0f, 13.0f, 17.0f);
    }
}

// ---- the oil rig -----------------------------------------------------------------------------------

const int OILR_PAD[1][4] = {{5, 7, 1, 3}};
const int OILR_PAVE[2][4] = {{23, 17, 19, 21}, {31, 25, 27, 29}};
const int OILR_METAL[5][4] = {{15, 9, 11, 13}, {9, 8, 10, 11}, {11, 10, 12, 13}, {13, 12, 14, 15}, {15, 14, 8, 9}};
constexpr int LATTICE_SECTIONS = 21;
constexpr float SECTION_H = 5.0f;
const float OILR_LEGS[3][2] = {{0, 50}, {-50, -50}, {50, -50}};
constexpr float DERRICK_X = 0.0f, DERRICK_Z = -40.0f, DERRICK_BASE = 55.0f;

// The four sides of slab k (corners 8k .. 8k + 7).
void slab_sides(int k)
{
    const int b = 8 * k;
    const int q[4][4] = {{b + 1, b, b + 2, b + 3}, {b + 3, b + 2, b + 4, b + 5}, {b + 5, b + 4, b + 6, b + 7},
                         {b + 7, b + 6, b, b + 1}};
    quads(oilr_pxyz, q, 4);
}

float derrick_width(int s) { return interp(0.0f, 3.0f, 20.0f, 0.2f, static_cast<float>(s)); }

// Corner c (0..2) of a lattice section's triangle about (x, z) at width factor w.
void lattice_corner(float x, float z, float w, int c, float y)
{
    static const float dx[3] = {0.0f, -4.5f, 4.5f}, dz[3] = {6.0f, -4.5f, -4.5f};
    glVertex3f(x + dx[c] * w, y, z + dz[c] * w);
}

// One lattice tower as a line strip zigzagging up its sections; derrick = 1 tapers and greys it.
void lattice(float x, float z, float base, int derrick)
{
    glBegin(GL_LINE_STRIP);
    for (int s = 0; s < LATTICE_SECTIONS; s++) {
        const float w0 = derrick ? derrick_width(s) : 1.0f, w1 = derrick ? derrick_width(s + 1) : 1.0f;
        const float y0 = base + SECTION_H * static_cast<float>(s), y1 = y0 + SECTION_H;
        if (derrick) {
            glColor3f(0.7f * ogl_brat_ter, 0.7f * ogl_brat_ter, 0.7f * ogl_brat_ter);
        } else {
            const float f = fltlim(interp(0.0f, 1.0f, 10.0f, 0.0f, static_cast<float>(s)), 0.0f, 1.0f);
            if (s % 2 == 0) glColor3f((1.0f - 0.5f * f) * ogl_brat_ter, 0.5f * f * ogl_brat_ter, 0.5f * f * ogl_brat_ter);
            else glColor3f((1.0f - 0.5f * f) * ogl_brat_ter, (1.0f - 0.5f * f) * ogl_brat_ter, (1.0f - 0.5f * f) * ogl_brat_ter);
        }
        lattice_corner(x, z, w0, 0, y0);
        lattice_corner(x, z, w1, 1, y1);
        lattice_corner(x, z, w0, 2, y0);
        lattice_corner(x, z, w1, 0, y1);
    }
    glEnd();
}

void lattice_top(float x, float z, float w, float y)
{
    for (int c = 0; c < 3; c++) lattice_corner(x, z, w, c, y);
}

void oilr_pad(void) { quads(oilr_pxyz, OILR_PAD, 1); }
void oilr_pave(void) { quads(oilr_pxyz, OILR_PAVE, 2); }
void oilr_metal(void) { quads(oilr_pxyz, OILR_METAL, 5); }
void oilr_dirty(void)
{
    slab_sides(0);
    slab_sides(2);
    slab_sides(3);
}

// The legs and the derrick, and the lights at night.
void oilr_overlay(int)
{
    OGL_setstate(1, 0, 0, 1);
    for (const auto& leg : OILR_LEGS) lattice(leg[0], leg[1], 0.0f, 0);
    lattice(DERRICK_X, DERRICK_Z, DERRICK_BASE, 1);

    if (scn.rway_lites_on) {
        OGL_setstate(1, 0, 0, 0);
        helipad_lights(0.0f, 62.0f, 80.0f, 17.0f, 23.0f);
        const float found = OGL_pointsize(2.0f);
        glColor3f(1.0f, 1.0f, 1.0f);
        glBegin(GL_POINTS);
        const float top = SECTION_H * LATTICE_SECTIONS;
        for (const auto& leg : OILR_LEGS) lattice_top(leg[0], leg[1], 1.0f, top);
        glColor3f(pulse(0.0f), 0.0f, 0.0f);
        lattice_top(DERRICK_X, DERRICK_Z, 0.2f, DERRICK_BASE + top);
        glEnd();
        glPointSize(found);
    }
}

// ---- the ships of a frame, texture by texture ----------------------------------------------------------

// Each kind of ship as its textured parts (at most one per texture) and what it draws over them.
struct ship_part {
    int tex;
    void (*draw)(void);
};
struct ship_kind {
    const ship_part* parts;
    int n;
    void (*overlay)(int ball);
};
const ship_part CARR_PARTS[] = {
    {TEX_HULL, carr_hull}, {TEX_METAL, carr_metal}, {TEX_DIRTY, carr_dirty}, {TEX_DECK, carr_deck}, {TEX_TOWER, carr_tower}};
const ship_part FRIG_PARTS[] = {{TEX_METAL, frig_metal}, {TEX_PAD, frig_pad}, {TEX_HULL, frig_hull}, {TEX_DIRTY, frig_dirty}};
const ship_part OILR_PARTS[] = {{TEX_PAD, oilr_pad}, {TEX_RWAY_PAVE, oilr_pave}, {TEX_METAL, oilr_metal}, {TEX_DIRTY, oilr_dirty}};
enum { KIND_CARR, KIND_FRIG, KIND_OILR };
const ship_kind KINDS[3] = {{CARR_PARTS, 5, carr_overlay}, {FRIG_PARTS, 4, frig_overlay}, {OILR_PARTS, 4, oilr_overlay}};
// Every texture a ship uses, in the order the frame binds them.
const int SHIP_TEXES[] = {TEX_HULL, TEX_METAL, TEX_DIRTY, TEX_DECK, TEX_TOWER, TEX_PAD, TEX_RWAY_PAVE};

// The ships met so far in the frame: their kind, the ball's step and the matrix the terrain set for
// the cell. The region holds at most three in each of its six squares.
struct queued_ship {
    int kind, ball;
    float m[16];
};
constexpr int QUEUE_MAX = 32;
queued_ship g_queue[QUEUE_MAX];
int g_queued = 0;

void queue_ship(int kind, int ball)
{
    if (g_queued == QUEUE_MAX) plot_queued_ships();
    queued_ship& q = g_queue[g_queued++];
    q.kind = kind;
    q.ball = ball;
    glGetFloatv(GL_MODELVIEW_MATRIX, q.m);
}

}  // namespace

// ---- logic -----------------------------------------------------------------------------------------

int carr_deck_holds(float px, float pz)
{
    // The main deck closes along the stern (35 -> 25): the deck drawn there is solid too, and the
    // wires' zone lies over it.
    static const int main_deck[6] = {25, 27, 29, 31, 33, 35};
    static const int angled[4] = {37, 39, 41, 27};
    static const int sponson[4] = {33, 45, 47, 43};
    return inside_points(carr_pxyz, main_deck, 6, px, pz, DECK_SEAM) ||
           inside_points(carr_pxyz, angled, 4, px, pz, DECK_SEAM) || inside_points(carr_pxyz, sponson, 4, px, pz, DECK_SEAM);
}

int carr_wire_zone(float px, float pz)
{
    static const float zone[4][2] = {{-16.0f, 136.0f}, {-23.0f, 80.0f}, {5.0f, 76.0f}, {13.0f, 131.0f}};
    return inside_cw_chain(zone, 4, px, pz, 0.0f);
}

int carr_catapult_square(float px, float pz) { return fltbox(px, pz, CAT_X_LO, CAT_Z_LO, CAT_X_HI, CAT_Z_HI); }

float carr_trap_accel(float v) { return v * v / (2.0f * TRAP_DISTANCE); }

int carr_ball_step(float dx, float dy, float dz)
{
    const float angle = std::atan2(dy, pythag(dz, dx)) / DEG - GLIDE_PATH;
    return intlim(round(angle), -2, 2);
}

void carr_flight(float x, float y, float z)
{
    const float px = static_cast<float>(flt.X[0]) - x, pz = static_cast<float>(flt.Z[0]) - z;
    if (carr_deck_holds(px, pz)) {
        env.over_carr = 1;
        publish_deck(x, y, z, env.carr_the, env.carr_phi);
    }

    // The arresting wires catch a rolling hook, and let go when the aircraft runs sideways or back.
    if (set.wired && std::fabs(flt.Beta) > WIRE_MAX_BETA) set.wired = 0;
    if (ins.hook_down && flt.onground && !set.wired && std::fabs(flt.Beta) < WIRE_MAX_BETA &&
        flt.v[0] > WIRE_MIN_SPEED && carr_wire_zone(px, pz)) {
        set.wired = 1;
        set.trap_accel = carr_trap_accel(flt.v[0]);
    }

    // A slow aircraft on the catapult's square is put on the shuttle, brakes set.
    if (flt.onground && !set.wired && !set.cat_inprog && flt.v[0] < CAT_MAX_SPEED && carr_catapult_square(px, pz)) {
        set.cat_waiting = 1;
        set.parkbrake = 1.0f;
        flt.X[0] = x + CAT_X;
        flt.Z[0] = z + CAT_Z;
        flt.psi[0] = CAT_HEADING;
        flt.v[0] = 0.0f;
        flt.vX = flt.vZ = 0.0;
    }
}

int carr_frame(float x, float y, float z)
{
    carr_flight(x, y, z);

    // The landing signal officer's view: the aircraft from the datum light.
    const float* datum = carr_lxyz[DATUM_MID];
    atc.cardxyz[0] = static_cast<float>(flt.X[0]) - (x + datum[0]);
    atc.cardxyz[1] = static_cast<float>(flt.Y[0]) - (y + datum[1]);
    atc.cardxyz[2] = static_cast<float>(flt.Z[0]) - (z + datum[2]);
    atc.card_time = msc.elap_time;

    carr_navaids(x, y, z);
    return carr_ball_step(atc.cardxyz[0], atc.cardxyz[1], atc.cardxyz[2]);
}

void frig_frame(float x, float y, float z)
{
    static const int pad[4] = {5, 7, 19, 21};
    if (!inside_points(frig_pxyz, pad, 4, static_cast<float>(flt.X[0]) - x, static_cast<float>(flt.Z[0]) - z)) return;
    env.over_frig = 1;
    publish_deck(x, y, z, env.frig_the, env.frig_phi);
}

void oilr_frame(float x, float y, float z)
{
    static const int pad[4] = {1, 3, 5, 7};
    if (!inside_points(oilr_pxyz, pad, 4, static_cast<float>(flt.X[0]) - x, static_cast<float>(flt.Z[0]) - z)) return;
    env.surf_type = DECK_SURFACE;
    env.over_obs = 1;
    env.obj_height = y + oilr_pxyz[1][1];
}

// ---- drawing ---------------------------------------------------------------------------------------

void CFR_3dquad(const float p1[3], const float p2[3], const float p3[3], const float p4[3])
{
    const float a[3] = {p3[0] - p2[0], p3[1] - p2[1], p3[2] - p2[2]};
    const float b[3] = {p2[0] - p1[0], p2[1] - p1[1], p2[2] - p1[2]};
    float n[3];
    find_normal_vects(a, b, n);
    glNormal3fv(n);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3fv(p1);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3fv(p2);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3fv(p3);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3fv(p4);
}

// The models are closed solids seen from every side and their quads wind either way: no culling.
void plot_queued_ships(void)
{
    if (g_queued == 0) return;
    const GLboolean culled = glIsEnabled(GL_CULL_FACE);
    glDisable(GL_CULL_FACE);
    glPushMatrix();
    OGL_setstate(1, 1, 1, 1);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (const int tex : SHIP_TEXES) {
        int bound = 0;
        for (int k = 0; k < g_queued; k++) {
            const ship_kind& kind = KINDS[g_queue[k].kind];
            for (int p = 0; p < kind.n; p++) {
                if (kind.parts[p].tex != tex) continue;
                if (!bound) ship_tex(tex);
                bound = 1;
                glLoadMatrixf(g_queue[k].m);
                kind.parts[p].draw();
            }
        }
    }
    for (int k = 0; k < g_queued; k++) {
        glLoadMatrixf(g_queue[k].m);
        KINDS[g_queue[k].kind].overlay(g_queue[k].ball);
    }
    glPopMatrix();
    if (culled) glEnable(GL_CULL_FACE);
    g_stats.ships += g_queued;
    g_queued = 0;
}

void draw_a_carr(float x, float y, float z) { queue_ship(KIND_CARR, carr_frame(x, y, z)); }

void draw_a_frig(float x, float y, float z)
{
    frig_frame(x, y, z);
    queue_ship(KIND_FRIG, 0);
}

void draw_a_oilr(float x, float y, float z)
{
    oilr_frame(x, y, z);
    queue_ship(KIND_OILR, 0);
}

const ship_stats& ship_last_stats(void) { return g_stats; }

void ship_stats_clear(void) { std::memset(&g_stats, 0, sizeof g_stats); }
