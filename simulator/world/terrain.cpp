// terrain.cpp -- terrain, water, cloud layer and lightning of the outside view.
//
// The terrain is cut into blocks of 8 by 8 cells. When the region loads or shifts, every block gets
// one display list per standard texture (50..61) holding that texture's cells; a frame then binds
// each texture once and calls the lists of the blocks that hold a cell in view. Cells with a
// square's own texture (2000 and up) are few and drawn one by one every frame, as are the ships
// and oil rigs standing in cells.
#include "terrain.h"

#include "hl_graph.h"
#include "hl_types.h"
#include "scenery.h"
#include "ships.h"
#include "vrange.h"

#include <GL/gl.h>

#include <cstring>

namespace {

constexpr uint32_t TEX_STD_FIRST = 50;     // water, land and their transitions
constexpr int TEX_STD_COUNT = 12;
constexpr uint32_t TEX_SQUARE_FIRST = 2000;   // the squares' own textures
constexpr int TEX_CLOUD = 131;
constexpr int CELLS_I = REGION_NI - 1, CELLS_J = REGION_NJ - 1;
constexpr int BLOCK = 8;
constexpr int BLOCKS_I = (CELLS_I + BLOCK - 1) / BLOCK;
constexpr int BLOCKS_J = (CELLS_J + BLOCK - 1) / BLOCK;
constexpr int LISTS = BLOCKS_I * BLOCKS_J * TEX_STD_COUNT;

int g_region_serial = 0;                 // bumped by every region load or shift
int g_built_region = -1;                 // the serial the lists were built for
int g_built_context = -1;                // and the OpenGL context
GLuint g_list_base = 0;                  // LISTS consecutive names, 0 when none could be had
int g_list_context = -1;                 // the context the names belong to

uint16_t g_block_mask[BLOCKS_I][BLOCKS_J];              // bit t: the block has cells of texture 50 + t
int g_block_tris[BLOCKS_I][BLOCKS_J][TEX_STD_COUNT];    // triangles in each list
uint8_t g_block_seen[BLOCKS_I][BLOCKS_J];               // this frame: a cell of the block is in view

// Cells drawn one by one: the squares' own textures, and those with a ship or an oil rig.
int g_custom[CELLS_I * CELLS_J][2];
int g_custom_n = 0;
int g_ship[CELLS_I * CELLS_J][2];
int g_ship_n = 0;
int g_ship_region = -1;                  // the serial the ships' cells were found for

terrain_stats g_stats = {};

GLuint list_name(int bi, int bj, int t) { return g_list_base + static_cast<GLuint>((bi * BLOCKS_J + bj) * TEX_STD_COUNT + t); }

// Corner (ci, cj) of cell (i, j): the point's normal and position, the cell's own texture coordinate.
void corner(int i, int j, int ci, int cj)
{
    glNormal3fv(planenrml[i + ci][j + cj]);
    glTexCoord2fv(planest[i][j][ci][cj]);
    glVertex3fv(planexyz[i + ci][j + cj]);
}

// The cell's two triangles, clockwise seen from above (the front faces).
void cell_triangles(int i, int j)
{
    corner(i, j, 0, 0);
    corner(i, j, 0, 1);
    corner(i, j, 1, 1);
    corner(i, j, 1, 1);
    corner(i, j, 1, 0);
    corner(i, j, 0, 0);
}

// The cells of texture 50 + t in block (bi, bj), rows south to north, cells west to east.
void block_triangles(int bi, int bj, int t)
{
    const uint32_t tex = TEX_STD_FIRST + static_cast<uint32_t>(t);
    const int i_end = bi * BLOCK + BLOCK < CELLS_I ? bi * BLOCK + BLOCK : CELLS_I;
    const int j_end = bj * BLOCK + BLOCK < CELLS_J ? bj * BLOCK + BLOCK : CELLS_J;
    glBegin(GL_TRIANGLES);
    for (int j = bj * BLOCK; j < j_end; j++)
        for (int i = bi * BLOCK; i < i_end; i++)
            if (planetex[i][j] == tex) cell_triangles(i, j);
    glEnd();
}

void build(void)
{
    const int context = OGL_context_serial();
    if (g_list_context != context) {
        // Names of a context that is gone are simply forgotten.
        g_list_base = glGenLists(LISTS);
        g_list_context = context;
    }
    std::memset(g_block_mask, 0, sizeof g_block_mask);
    std::memset(g_block_tris, 0, sizeof g_block_tris);
    g_custom_n = 0;
    for (int i = 0; i < CELLS_I; i++) {
        for (int j = 0; j < CELLS_J; j++) {
            const uint32_t tex = planetex[i][j];
            const int bi = i / BLOCK, bj = j / BLOCK;
            if (tex >= TEX_STD_FIRST && tex < TEX_STD_FIRST + TEX_STD_COUNT) {
                const int t = static_cast<int>(tex - TEX_STD_FIRST);
                g_block_mask[bi][bj] = static_cast<uint16_t>(g_block_mask[bi][bj] | (1u << t));
                g_block_tris[bi][bj][t] += 2;
            } else if (tex >= TEX_SQUARE_FIRST) {
                g_custom[g_custom_n][0] = i;
                g_custom[g_custom_n++][1] = j;
            }
        }
    }
    if (g_list_base != 0) {
        for (int bi = 0; bi < BLOCKS_I; bi++) {
            for (int bj = 0; bj < BLOCKS_J; bj++) {
                for (int t = 0; t < TEX_STD_COUNT; t++) {
                    if (!(g_block_mask[bi][bj] & (1u << t))) continue;
                    glNewList(list_name(bi, bj, t), GL_COMPILE);
                    block_triangles(bi, bj, t);
                    glEndList();
                }
            }
        }
    }
    g_built_region = g_region_serial;
    g_built_context = context;
    g_stats.builds++;
}

int in_bounds(int i, int j)
{
    return i >= scn.i1_plot_bound_ter && i <= scn.i2_plot_bound_ter && j >= scn.j1_plot_bound_ter &&
           j <= scn.j2_plot_bound_ter;
}

// Which blocks hold a cell of the plot bounds that is in view.
void mark_blocks_in_view(void)
{
    std::memset(g_block_seen, 0, sizeof g_block_seen);
    const int i1 = scn.i1_plot_bound_ter < 0 ? 0 : scn.i1_plot_bound_ter;
    const int j1 = scn.j1_plot_bound_ter < 0 ? 0 : scn.j1_plot_bound_ter;
    const int i2 = scn.i2_plot_bound_ter < CELLS_I ? scn.i2_plot_bound_ter : CELLS_I - 1;
    const int j2 = scn.j2_plot_bound_ter < CELLS_J ? scn.j2_plot_bound_ter : CELLS_J - 1;
    for (int i = i1; i <= i2; i++)
        for (int j = j1; j <= j2; j++)
            if (ter_inrange[i][j]) g_block_seen[i / BLOCK][j / BLOCK] = 1;
}

// The cells holding a ship or an oil rig, found again after every region load or shift.
void find_ship_cells(void)
{
    if (g_ship_region == g_region_serial) return;
    g_ship_n = 0;
    for (int i = 0; i < CELLS_I; i++) {
        for (int j = 0; j < CELLS_J; j++) {
            if (!frig_on_poly[i][j] && !carr_on_poly[i][j] && !oilr_on_poly[i][j]) continue;
            g_ship[g_ship_n][0] = i;
            g_ship[g_ship_n++][1] = j;
        }
    }
    g_ship_region = g_region_serial;
}

void ship_middle(int k, float mid[3])
{
    const int i = g_ship[k][0], j = g_ship[k][1];
    for (int n = 0; n < 3; n++) mid[n] = (planexyz[i][j][n] + planexyz[i + 1][j + 1][n]) * 0.5f;
}

// What the ship k does for the flight when it is not drawn: its deck under the aircraft, and the
// carrier's wires and catapult. The carrier's landing aid and navaids stay with the carriers drawn.
void ship_flight(int k)
{
    const int i = g_ship[k][0], j = g_ship[k][1];
    float mid[3];
    ship_middle(k, mid);
    if (frig_on_poly[i][j]) frig_frame(mid[0], mid[1], mid[2]);
    if (carr_on_poly[i][j]) carr_flight(mid[0], mid[1], mid[2]);
    if (oilr_on_poly[i][j]) oilr_frame(mid[0], mid[1], mid[2]);
}

void draw_ships(void)
{
    find_ship_cells();
    for (int k = 0; k < g_ship_n; k++) {
        const int i = g_ship[k][0], j = g_ship[k][1];
        if (!in_bounds(i, j) || !ter_inrange[i][j]) {
            // Every deck holds the aircraft up, drawn this frame or not: the tower, runway and spot
            // views put the camera far from an aircraft standing on a ship out of their range.
            ship_flight(k);
            continue;
        }
        float mid[3];
        ship_middle(k, mid);
        glPushMatrix();
        glTranslatef(mid[0], mid[1], mid[2]);
        if (frig_on_poly[i][j]) {
            glRotatef(env.frig_the, 1.0f, 0.0f, 0.0f);
            glRotatef(-env.frig_phi, 0.0f, 0.0f, 1.0f);
            draw_a_frig(mid[0], mid[1], mid[2]);
        }
        if (carr_on_poly[i][j]) {
            glRotatef(env.carr_the, 1.0f, 0.0f, 0.0f);
            glRotatef(-env.carr_phi, 0.0f, 0.0f, 1.0f);
            draw_a_carr(mid[0], mid[1], mid[2]);
        }
        if (oilr_on_poly[i][j]) draw_a_oilr(mid[0], mid[1], mid[2]);
        glPopMatrix();
    }
    plot_queued_ships();
}

// One cloud puff over cells (c, r)..(c+1, r+1), its texture turned a quarter per step of (r + c).
void cloud_puff(int c, int r)
{
    const int pts[4][2] = {{c, r}, {c, r + 1}, {c + 1, r + 1}, {c + 1, r}};
    const int k = (r + c) % 4;
    for (int m = 0; m < 4; m++) {
        const int* st = pts[(m + k) % 4];
        glTexCoord2f(static_cast<float>(st[0]), static_cast<float>(st[1]));
        glVertex3fv(cloudxyz[pts[m][0]][pts[m][1]]);
    }
}

}  // namespace

void terrain_region_changed(void) { g_region_serial++; }

int terrain_region_serial(void) { return g_region_serial; }

terrain_stats terrain_last_stats(void) { return g_stats; }

void ships_under_aircraft(void)
{
    find_ship_cells();
    for (int k = 0; k < g_ship_n; k++) ship_flight(k);
}

void plot_terrain(void)
{
    if (g_built_region != g_region_serial || g_built_context != OGL_context_serial()) build();
    g_stats.triangles = g_stats.binds = g_stats.blocks = 0;
    mark_blocks_in_view();

    // The standard textures, each bound once, with the lists of the blocks in view.
    for (int t = 0; t < TEX_STD_COUNT; t++) {
        int bound = 0;
        for (int bi = 0; bi < BLOCKS_I; bi++) {
            for (int bj = 0; bj < BLOCKS_J; bj++) {
                if (!g_block_seen[bi][bj] || !(g_block_mask[bi][bj] & (1u << t))) continue;
                if (!bound) {
                    OGL_bindtex(static_cast<int>(TEX_STD_FIRST) + t);
                    g_stats.binds++;
                    bound = 1;
                }
                if (g_list_base != 0)
                    glCallList(list_name(bi, bj, t));
                else
                    block_triangles(bi, bj, t);
                g_stats.triangles += g_block_tris[bi][bj][t];
                g_stats.blocks++;
            }
        }
    }

    // The squares' own textures: one bind per cell.
    for (int k = 0; k < g_custom_n; k++) {
        const int i = g_custom[k][0], j = g_custom[k][1];
        if (!in_bounds(i, j) || !ter_inrange[i][j]) continue;
        OGL_bindtex(static_cast<int>(planetex[i][j]));
        g_stats.binds++;
        glBegin(GL_TRIANGLES);
        cell_triangles(i, j);
        glEnd();
        g_stats.triangles += 2;
    }

    draw_ships();
}

void plot_clouds(void)
{
    const int type = atm.cld_type;
    if (type < 2 || type > 4) return;
    const int i1 = scn.i1_plot_bound_cld, i2 = scn.i2_plot_bound_cld;
    const int j1 = scn.j1_plot_bound_cld, j2 = scn.j2_plot_bound_cld;
    glPushMatrix();
    glNormal3f(0.0f, 1.0f, 0.0f);
    glTranslatef(0.0f, atm.topsMSL, 0.0f);
    if (type == 2 || type == 3) {
        // Puffs: the scattered layer leaves out every third cell along the diagonals.
        OGL_setstate(1, 1, 0, 0);
        glColor3f(lite_r, lite_g, lite_b);
        OGL_bindtex(TEX_CLOUD);
        glEnable(GL_BLEND);
        // Seen from below the puffs face down.
        if (scn.belowbases) glFrontFace(GL_CCW);
        glBegin(GL_QUADS);
        for (int r = j1; r < j2; r++)
            for (int c = i1; c <= i2; c++)
                if (type == 3 || (r + c) % 3 != 0) cloud_puff(c, r);
        glEnd();
        glFrontFace(GL_CW);
        glDisable(GL_BLEND);
    } else {
        // The overcast's sheet, each point in its own shade of the light.
        OGL_setstate(1, 0, 0, 0);
        for (int r = j1; r < j2; r++) {
            glBegin(GL_TRIANGLE_STRIP);
            for (int c = i1; c <= i2; c++) {
                for (int rr = r; rr <= r + 1; rr++) {
                    const float* k = cloudrgb[c][rr];
                    glColor3f(k[0] * lite_r, k[1] * lite_g, k[2] * lite_b);
                    glVertex3fv(cloudxyz[c][rr]);
                }
            }
            glEnd();
        }
    }
    glPopMatrix();
}

void plot_lightning(void)
{
    glColor3f(1.0f, 1.0f, 0.6f);
    glBegin(GL_LINES);
    for (int b = 0; b < 4; b++) {
        for (int j = 0; j < 19; j++) {
            glVertex3fv(atm.lightXYZ[b][j]);
            glVertex3fv(atm.lightXYZ[b][j + 1]);
        }
    }
    glEnd();
}
