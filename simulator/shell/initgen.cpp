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

}  // namespace

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

namespace {

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
    fill_ship_models();
    clear_graph();
    set_defaults();
}
