// initgen.cpp -- the simulator's general start-up.
#include "initgen.h"

#include "do_speech.h"
#include "fltprep.h"
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_joy.h"
#include "hl_sound.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "output.h"
#include "plt.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

float carr_pxyz[CARR_POINTS][3];
float carr_lxyz[CARR_LIGHTS][3];
float frig_pxyz[FRIG_POINTS][3];
float oilr_pxyz[OILR_POINTS][3];

namespace {

constexpr int TAPE_UNLIT = 22;   // colour index of an unlit cell
constexpr int TAPE_LIT = 0;

void fill_map(int* map, int n)
{
    for (int i = 0; i < n; i++) map[i] = TAPE_UNLIT;
}

// A two-digit value at columns col - 3 and col + 3, a one-digit value at col.
void tape_label(int* map, int rows, int cols, int col, int row, int value)
{
    if (value > 9) {
        init_tape(map, rows, cols, col - 3, row, (value / 10) % 10);
        init_tape(map, rows, cols, col + 3, row, value % 10);
    } else {
        init_tape(map, rows, cols, col, row, value);
    }
}

void fill_tapes(void)
{
    int* v = &ins.v_tape_col[0][0];
    fill_map(v, 90 * 5);
    for (int d = 0; d <= 9; d++) init_tape(v, 90, 5, 2, 9 * d - 3, d);

    int* h0 = &ins.h_tape_col0[0][0];
    fill_map(h0, 12 * 200);
    for (int c = 0; c <= 180; c += 20) {
        init_tape(h0, 12, 200, c - 3, 1, c / 20);
        init_tape(h0, 12, 200, c + 3, 1, (c / 2) % 10);
    }

    int* h1 = &ins.h_tape_col1[0][0];
    int* h2 = &ins.h_tape_col2[0][0];
    fill_map(h1, 12 * 360);
    fill_map(h2, 12 * 360);
    for (int k = 0; k <= 33; k += 3) {
        tape_label(h1, 12, 360, 10 * k, 1, k);
        tape_label(h2, 12, 360, 10 * k, 1, k == 0 ? 0 : 36 - k);
    }
}

// The symbols of the glass map: an airport ring, an NDB star and a VOR hexagon with its centre cross.
void fill_nav_pics(void)
{
    std::memset(ins.nav_pic, 0, sizeof ins.nav_pic);
    static const int airport[20] = {4, 0, 3, 2, 1, 4, -1, 4, -3, 2, -4, 0, -3, -2, -1, -4, 1, -4, 3, -2};
    static const int ndb[20] = {0, 4, 1, 1, 4, 1, 2, -1, 3, -4, 0, -2, -3, -4, -2, -1, -4, 1, -1, 1};
    init_nav_pic(1, airport);
    init_nav_pic(2, ndb);
    static const int hex[6][2] = {{4, 0}, {2, 4}, {-2, 4}, {-4, 0}, {-2, -4}, {2, -4}};
    for (int s = 0; s < 6; s++)
        init_nav_pic_line(3, s, hex[s][0], hex[s][1], hex[(s + 1) % 6][0], hex[(s + 1) % 6][1]);
    init_nav_pic_line(3, 6, -1, 0, 1, 0);
    init_nav_pic_line(3, 7, 0, -1, 0, 1);
}

void fill_carrier(void)
{
    std::memset(carr_pxyz, 0, sizeof carr_pxyz);
    // Hull: pairs of lower and upper points.
    static const float hull[24][3] = {
        {-8, -10, 150},  {-15, 10, 155}, {-16, -10, 125}, {-18, 10, 140}, {-16, -10, -25}, {-18, 10, -50},
        {0, -10, -140},  {0, 10, -145},  {16, -10, -25},  {18, 10, -50},  {16, -10, 125},  {18, 10, 140},
        {8, -10, 150},   {15, 10, 155},  {-18, 10, 140},  {-18, 18, 140}, {-18, 10, -50},  {-18, 18, -75},
        {0, 10, -145},   {0, 18, -152},  {18, 10, -50},   {18, 18, -75},  {18, 10, 140},   {18, 18, 140},
    };
    for (int i = 0; i < 24; i++) load_geo(hull[i][0], hull[i][1], hull[i][2], carr_pxyz[i]);
    // Flight deck outline: each (x, z) twice, at y 18 and y 21.
    static const float deck[12][2] = {{-19, 160}, {-19, -56}, {-15, -154}, {15, -154}, {19, -62}, {19, 154},
                                      {-19, 112}, {-35, 80},  {-35, -51},  {19, 97},   {36, -39}, {36, 97}};
    for (int k = 0; k < 12; k++) {
        load_geo(deck[k][0], 18, deck[k][1], carr_pxyz[24 + 2 * k]);
        load_geo(deck[k][0], 21, deck[k][1], carr_pxyz[25 + 2 * k]);
    }
    // Island: seven levels of four corners on the even points 48..102.
    static const float level[7][3] = {{0, 6, 10},  {3.51f, 6, 10}, {5.97f, 8, 12},  {13.71f, 8, 12},
                                      {15, 6, 10}, {15, 0.4f, 0.4f}, {30, 0.4f, 0.4f}};
    for (int n = 0; n < 7; n++) {
        int base = 2 * (24 + 4 * n);
        float h = level[n][0], a = level[n][1], b = level[n][2];
        load_geo(28 - a, 21 + h, 11 + b, carr_pxyz[base]);
        load_geo(28 - a, 21 + h, 11 - b, carr_pxyz[base + 2]);
        load_geo(28 + a, 21 + h, 11 - b, carr_pxyz[base + 4]);
        load_geo(28 + a, 21 + h, 11 + b, carr_pxyz[base + 6]);
    }
    // Lights: three deck rows evenly along their lines, the datum row and the ball column.
    struct Row {
        int first, last;
        float x0, z0, x1, z1;
    };
    static const Row rows[3] = {{0, 19, -10.5f, 158.73f, -35, -46},
                                {20, 40, 1.25f, 156.835f, -26.695f, -58.5f},
                                {41, 62, 13, 154.94f, -18.39f, -71}};
    for (const Row& r : rows) {
        for (int i = r.first; i <= r.last; i++) {
            float fi = static_cast<float>(i);
            load_geo(interp(static_cast<float>(r.first), r.x0, static_cast<float>(r.last), r.x1, fi), 21,
                     interp(static_cast<float>(r.first), r.z0, static_cast<float>(r.last), r.z1, fi), carr_lxyz[i]);
        }
    }
    for (int i = 63; i <= 69; i++) load_geo(static_cast<float>(i - 66) * 1.5f - 35, 23, 76, carr_lxyz[i]);
    for (int i = 70; i <= 74; i++) load_geo(-35, static_cast<float>(i - 72) * 1.5f + 23, 76, carr_lxyz[i]);
}

void fill_frigate(void)
{
    static const float hull[26][3] = {
        {-12, -6, 82}, {-12, 6, 84}, {-15, -6, 70}, {-15, 6, 70}, {-15, -7, 70}, {-15, 7, 70}, {-15, -7, 40},
        {-15, 7, 40},  {-15, -8, 40}, {-15, 8, 40}, {-15, -8, -50}, {-15, 8, -60}, {0, -10, -90}, {0, 10, -100},
        {15, -8, -50}, {15, 8, -60}, {15, -8, 40},  {15, 8, 40},   {15, -7, 40},  {15, 7, 40},   {15, -7, 70},
        {15, 7, 70},   {15, -6, 70}, {15, 6, 70},   {12, -6, 82},  {12, 6, 84},
    };
    for (int i = 0; i < 26; i++) load_geo(hull[i][0], hull[i][1], hull[i][2], frig_pxyz[i]);
    // Superstructure: seven boxes of four corners, each lower then upper.
    static const float box[7][8][3] = {
        {{-11, 8, 35}, {-10, 15, 30}, {-11, 8, 5}, {-10, 15, 5}, {11, 8, 5}, {10, 15, 5}, {11, 8, 35}, {10, 15, 30}},
        {{-7, 15, 25}, {-6, 21, 23}, {-7, 15, 10}, {-6, 21, 10}, {7, 15, 10}, {6, 21, 10}, {7, 15, 25}, {6, 21, 23}},
        {{-11, 8, -5}, {-10, 15, -5}, {-11, 8, -45}, {-10, 15, -40}, {11, 8, -45}, {10, 15, -40}, {11, 8, -5},
         {10, 15, -5}},
        {{-7, 15, -20}, {-6, 24, -20}, {-7, 15, -35}, {-6, 24, -33}, {7, 15, -35}, {6, 24, -33}, {7, 15, -20},
         {6, 24, -20}},
        {{-1, 24, -25}, {-0.5f, 50, -19.5f}, {-1, 24, -27}, {-0.5f, 50, -20.5f}, {1, 24, -27}, {0.5f, 50, -20.5f},
         {1, 24, -25}, {0.5f, 50, -19.5f}},
        {{-4, 21, 20}, {-3, 28, 20}, {-4, 21, 12.3f}, {-3, 28, 15}, {4, 21, 12.3f}, {3, 28, 15}, {4, 21, 20},
         {3, 28, 20}},
        {{-5, 15, -8}, {-3, 28, -8}, {-5, 15, -18}, {-3, 28, -13}, {5, 15, -18}, {3, 28, -13}, {5, 15, -8},
         {3, 28, -8}},
    };
    for (int b = 0; b < 7; b++)
        for (int k = 0; k < 8; k++) load_geo(box[b][k][0], box[b][k][1], box[b][k][2], frig_pxyz[26 + 8 * b + k]);
}

void fill_oil_rig(void)
{
    struct Slab {
        float xz[4][2];
        float lo, hi;
    };
    static const Slab slabs[4] = {
        {{{-20, 100}, {-20, 60}, {20, 60}, {20, 100}}, 60, 62},   // helipad
        {{{-5, 85}, {-60, -60}, {60, -60}, {5, 85}}, 45, 55},     // main deck
        {{{-15, 15}, {-15, -15}, {15, -15}, {15, 15}}, 55, 58},   // deck house
        {{{-10, 5}, {-10, -10}, {5, -10}, {5, 5}}, 58, 61},       // roof house
    };
    for (int s = 0; s < 4; s++) {
        for (int c = 0; c < 4; c++) {
            int k = 8 * s + 2 * c;
            load_geo(slabs[s].xz[c][0], slabs[s].lo, slabs[s].xz[c][1], oilr_pxyz[k]);
            load_geo(slabs[s].xz[c][0], slabs[s].hi, slabs[s].xz[c][1], oilr_pxyz[k + 1]);
        }
    }
}

void set_defaults(void)
{
    ins.HUD_on = 1;
    ins.HOOP_on = 0;
    ins.hud_brt = 1;
    ins.map_mode = 1;
    ins.arg_mode = 1;
    ins.map_range = 32;
    ins.arg_range = 30;
    ins.rad_range = 30;
    nav.radout = 2;
    nav.tran1 = 1;
    nav.tran2 = 2;
    nav.tran3 = 0;
    nav.tran4 = 0;
    set.cus_Y = 0;
    set.cus_v = 0;
    env.i_aircraft = 89;
    env.j_aircraft = 79;
    std::snprintf(msc.apt_id_req, sizeof msc.apt_id_req, "KAAA");
    rel.ins_fail_rat = 0;
    rel.eq1_fail_rat = 0;
    rel.eq2_fail_rat = 0;
    for (int n = 0; n < 32; n++) {
        rel.fail_type[n] = 1;
        rel.fail_time_max[n] = 10.0f;
    }
    msc.rtrat = 1.0f;
    atm.vis_mult = 1.0f;
    atm.rate_change = 0;
    scn.zoom = 1.0f;
}

}  // namespace

void init_tape(int* map, int rows, int cols, int col, int row, int digit)
{
    if (!map || rows <= 0 || cols <= 0) return;
    uint8_t dots[35];
    OGL_char_dots(static_cast<char>('0' + intlim(digit, 0, 9)), dots);
    for (int r = 0; r < 7; r++) {
        for (int c = 0; c < 5; c++) {
            if (!dots[r * 5 + c]) continue;
            int i = intwrap(row + r, 0, rows - 1);
            int j = intwrap(col - 2 + c, 0, cols - 1);
            // intwrap steps once; a digit never lies more than one map away.
            i = intlim(i, 0, rows - 1);
            j = intlim(j, 0, cols - 1);
            map[i * cols + j] = TAPE_LIT;
        }
    }
}

void init_nav_pic(int n, const int pts[20])
{
    for (int s = 0; s < 10; s++) {
        int e = (s + 1) % 10;
        init_nav_pic_line(n, s, pts[2 * s], pts[2 * s + 1], pts[2 * e], pts[2 * e + 1]);
    }
}

void init_nav_pic_line(int n, int s, int x1, int y1, int x2, int y2)
{
    if (n < 0 || n >= 10 || s < 0 || s >= 10) return;
    ins.nav_pic[n][s][0] = x1;
    ins.nav_pic[n][s][1] = y1;
    ins.nav_pic[n][s][2] = x2;
    ins.nav_pic[n][s][3] = y2;
}

void load_geo(float x, float y, float z, float* vertex)
{
    vertex[0] = x;
    vertex[1] = y;
    vertex[2] = z;
}

void init_gen(void)
{
    if (trk.is_open()) trk.close();
    trk.clear();
    trk.open("Kestrova.out", std::ios::out | std::ios::trunc);
    trk << std::fixed;

    hl_srand(PLT_millis() % 32000u);

    msc.sound_avail = init_sound();
    if (!msc.sound_avail)
        MACIBM_alert("Sound init failure!", "Sound will not be available, but you can still fly.",
                     "Pretend you are wearing ANR headsets!", "", 0);
    msc.speech_avail = initspeechsynth();
    speakstring(" ");

    fill_density_table();
    fill_tapes();
    fill_nav_pics();
    place_stars();
    fill_carrier();
    fill_frigate();
    fill_oil_rig();
    clear_graph();
    set_defaults();
}
