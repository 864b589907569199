// hl_wind.cpp -- numbered windows with their static pictures, alerts, the save-changes alert, buttons.
#include "hl_wind.h"

#include "hl_event.h"
#include "hl_graph.h"
#include "hl_menu.h"
#include "hl_mnw.h"
#include "hl_program.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "plt.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

char g_cs1[STR_LEN], g_cs2[STR_LEN], g_cs3[STR_LEN], g_cs4[STR_LEN];
void (*hl_dialog_picture)(void) = nullptr;

namespace {

hl_alert_sink_fn g_alert_sink = nullptr;
int g_alerting = 0;   // an alert is being shown (a fatal one raised meanwhile goes straight to the end)

struct window_info {
    int id;
    const char* title;
    float dx, dy;
    const char* bitmap;   // the window's background picture in the program's "bitmaps" folder
};

const window_info k_library_windows[] = {
    {0, "", 800, 600, nullptr},
    {WIND_ALERT, "ALERT", 400, 195, nullptr},
    {WIND_NUKE, "ALERT", 300, 100, nullptr},
    {WIND_OPEN, "OPEN", 320, 488, nullptr},
    {WIND_SAVE, "SAVE", 320, 488, nullptr},
};

const window_info k_simulator_windows[] = {
    {1, "Airport by ID", 176, 440, "loc_id_"},
    {2, "Airport by Name", 334, 200, "loc_nam"},
    {3, "Enroute", 0, 0, "loc_nrt"},
    {4, "World", 788, 443, "loc_wrl"},
    {5, "Set Lat/Lon", 246, 165, "loc_lat"},
    {6, "Where Am I?", 531, 121, "loc_whr"},
    {7, "Set Data Output", 620, 400, "set_dat"},
    {8, "Set Serial Output", 600, 478, "set_ser"},
    {9, "Set Time Of Day", 691, 147, "set_tim"},
    {10, "Set Rendering Options", 600, 540, "set_ogl"},
    {11, "Set Weather Space", 197, 84, "set_spa"},
    {12, "Set Weather Atmosphere", 618, 527, "set_atm"},
    {13, "Set Weather Ground", 197, 148, "set_gnd"},
    {14, "Set Weather Water", 197, 271, "set_wat"},
    {15, "Set Joystick & Flight Mode", 787, 519, "set_flt"},
    {16, "Set Weights & Fuel", 436, 252, "set_wgt"},
    {17, "Set Reliability", 344, 345, "set_rel"},
    {18, "Set Reliability", 350, 520, "set_ins"},
    {19, "Set Reliability", 682, 560, "set_eqp"},
    {20, "Set Sound", 293, 250, "set_snd"},
    {21, "Set Warnings", 550, 172, "set_wrn"},
    {22, "Graphics Output", 620, 420, "out_grf"},
    {23, "Isometric Region", 760, 540, nullptr},
    {24, "", 432, 494, "out_plt"},
    {25, "Flight Plan", 589, 415, "fltplan"},
};

void copy_cut(char* dst, const char* src)
{
    std::snprintf(dst, STR_LEN, "%s", src ? src : "");
}

float clampf(float v, float lo, float hi) { return v < lo ? lo : v > hi ? hi : v; }

int inside(float x, float y, float x1, float y1, float x2, float y2)
{
    return x >= x1 && x <= x2 && y >= y1 && y <= y2;
}

// The buttons of window 997, for the question it asks: its box (the pressed picture stops one unit
// short of the top) and its label.
struct answer_button {
    float x1, y1, x2, y2;
    const char* label;
};
const answer_button k_save_changes[] = {
    {20, 45, 120, 60, "     Save"}, {20, 15, 120, 30, "  Don't Save"}, {180, 15, 280, 30, "    Cancel"}};
const answer_button k_replace[] = {{20, 15, 120, 30, "    Replace"}, {180, 15, 280, 30, "    Cancel"}};
const answer_button* g_question = k_save_changes;
int g_question_buttons = 3;

// A raised button with a label in black.
void labelled_button(float x1, float y1, float x2, float y2, const char* label)
{
    MACIBM_button(x1, y1, x2, y2, 1);
    OGL_string(29, x1 + 3, y1 + 4, label, 800, 6);
}

// The frame, title bar, close boxes and fixed contents of window id (not 0), in window units.
void draw_frame(int id, const char* title)
{
    float dx = mnw.dx, dy = mnw.dy;
    OGL_fillrect(18, -5, -5, dx + 10, dy + 25);
    OGL_fillrect(12, 0, 0, dx, dy);
    MACIBM_button(-1, -1, dx, dy, 0);
    MACIBM_button(-5, -5, dx + 4, dy + 14, 1);
    MACIBM_button(-6, -6, dx + 5, dy + 15, 1);

    float len = 6.0f * static_cast<float>(std::strlen(title));
    float tx = std::round(dx / 2 - len / 2);
    OGL_string(22, tx + 1, dy + 3, title, 800, 6);
    OGL_string(6, tx, dy + 4, title, 800, 6);

    int program_window = id < WIND_ALERT;
    float gl1 = program_window ? 13 : 2, gl2 = tx - 5;
    float gr1 = tx + len + 4, gr2 = dx - (program_window ? 14 : 3);
    for (float gy : {dy + 3, dy + 6, dy + 9}) {
        if (gl2 > gl1) {
            OGL_line(22, gl1, gy + 1, gl2, gy + 1);
            OGL_line(12, gl1, gy, gl2, gy);
        }
        if (gr2 > gr1) {
            OGL_line(22, gr1, gy + 1, gr2, gy + 1);
            OGL_line(12, gr1, gy, gr2, gy);
        }
    }
    if (program_window) {
        for (float a : {-1.0f, dx - 10}) {
            OGL_framerect(29, a, dy + 2, 10, 10);
            MACIBM_button(a + 1, dy + 3, a + 9, dy + 11, 1);
        }
    }

    if (id == WIND_ALERT) {
        OGL_string(29, 10, 180, g_cs1, 380, 6);
        OGL_string(29, 10, 140, g_cs2, 380, 6);
        OGL_string(29, 10, 100, g_cs3, 380, 6);
        OGL_string(29, 10, 60, g_cs4, 380, 6);
        MACIBM_button(20, 15, 380, 29, 1);
        MACIBM_button(19, 14, 381, 30, 1);
        OGL_string(29, 188, 19, "O.K.", 800, 6);
    } else if (id == WIND_NUKE) {
        OGL_string(29, 20, 80, g_cs1, 260, 6);
        for (int b = 0; b < g_question_buttons; b++) {
            const answer_button& a = g_question[b];
            labelled_button(a.x1, a.y1, a.x2, a.y2 - 1, a.label);
        }
    } else if ((id == WIND_OPEN || id == WIND_SAVE) && hl_dialog_picture) {
        hl_dialog_picture();
    }
}

// Hands rgb_array to OpenGL as the 35 tiles 500 + i + 7j of 128 by 128 pixels; what lies beyond the
// 800 by 600 picture is black.
void upload_tiles(void)
{
    static uint8_t buf[128][128][3];
    for (int j = 0; j < 5; j++) {
        for (int i = 0; i < 7; i++) {
            std::memset(buf, 0, sizeof buf);
            int w = std::min(128, SCREEN_W - 128 * i), h = std::min(128, SCREEN_H - 128 * j);
            for (int r = 0; r < h; r++) std::memcpy(buf[r], rgb_array[128 * j + r][128 * i], static_cast<size_t>(w) * 3);
            OGL_bindtex(WIND_TILE_TEX + i + 7 * j);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 128, 128, 0, GL_RGB, GL_UNSIGNED_BYTE, buf);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        }
    }
}

// Draws the open window's static picture into rgb_array and hands it to OpenGL as the tiles.
void draw_picture(void)
{
    const char* title;
    float dx, dy;
    if (!hl_window_info(mnw.topwin, &title, &dx, &dy)) return;
    to_array = 1;
    std::memset(rgb_array, 0, sizeof rgb_array);
    int sim = hl_prog.is_simulator;
    if (mnw.topwin == 0) {
        // The simulator's title picture goes first so that the menu bar and the panel stay on top.
        if (const char* title_picture = hl_window_bitmap(0)) OGL_texbmp(TEXBMP_PICTURE, 0, 0, title_picture);
        hl_draw_menubar();
        if (sim && hl_prog.panel_static) hl_prog.panel_static();
        if (sim && initing) MACIBM_showinit(0);
    } else {
        draw_frame(mnw.topwin, title);
        if (const char* bitmap = hl_window_bitmap(mnw.topwin))
            OGL_texbmp(TEXBMP_PICTURE, mnw.topwin == 3 ? static_cast<int>(mnw.dx) - 71 : 0, 0, bitmap);
    }
    if (ogl_ready && PLT_window_open()) upload_tiles();
    to_array = 0;
}

void end_program(void)
{
    gdone = 1;
    MACIBM_finishup();
    std::exit(1);
}

}  // namespace

void hl_set_alert_sink(hl_alert_sink_fn sink) { g_alert_sink = sink; }

int hl_window_info(int id, const char** title, float* dx, float* dy)
{
    for (const auto& w : k_library_windows) {
        if (w.id != id) continue;
        *title = w.title;
        *dx = w.dx;
        *dy = w.dy;
        return 1;
    }
    if (!hl_prog.is_simulator) {
        if (id < 1 || id >= WIND_ALERT || !hl_prog.window_info) return 0;
        return hl_prog.window_info(id, title, dx, dy);
    }
    if (id < 1 || id > 25) return 0;
    const window_info& w = k_simulator_windows[id - 1];
    *title = id == 24 ? C_s : w.title;
    *dx = w.dx;
    *dy = w.dy;
    if (id == 3) {
        // The enroute map follows the loaded region and must fit on the screen.
        *dx = clampf(std::round(env.dx * con.mtrtonrt) + 71, 0, 790);
        *dy = clampf(std::round(env.dz * con.mtrtonrt), 0, 560);
    }
    return 1;
}

const char* hl_window_bitmap(int id)
{
    if (!hl_prog.is_simulator) return nullptr;
    if (id == 0) return TITLE_PICTURE;
    if (id < 1 || id > 25) return nullptr;
    return k_simulator_windows[id - 1].bitmap;
}

void MACIBM_startwind(int id)
{
    if (id == -1) id = 0;
    else initing = 0;
    const char* title;
    float dx, dy;
    if (!hl_window_info(id, &title, &dx, &dy)) return;

    if (hl_prog.is_simulator && mnw.topwin != 0 && mnw.topwin <= 25 && id != WIND_ALERT && hl_prog.process_zap)
        hl_prog.process_zap(mnw.topwin);

    mnw.menu_up = -1;
    // The press that opened this window (a menu item, a button, a close box) may still be held: it
    // must not act in the window now on top, as a slider under the chosen menu item would follow it;
    // nor may the second press of its double-click.
    if (id != mnw.topwin) {
        hl_spend_held_press();
        hl_click_changed_screen();
    }
    mnw.topwin = id;
    mnw.dx = dx;
    mnw.dy = dy;
    mnw.x = std::round((SCREEN_W - dx) / 2);
    mnw.y = std::round((SCREEN_H - dy) / 2);
    select_ind = 0;
    got_event = 1;
    mnw.mouse_clicked = 0;
    // A stale Enter must not answer the alert or the save dialog the moment it opens.
    if (id == WIND_ALERT || id == WIND_SAVE) return_hit = 0;
    draw_picture();
}

void hl_repaint_window(void) { draw_picture(); }

void MACIBM_button(float x1, float y1, float x2, float y2, int raised)
{
    int light = raised ? 6 : 22, dark = raised ? 22 : 6;
    OGL_line(light, x1, y1, x1, y2);
    OGL_line(light, x1, y2, x2, y2);
    OGL_line(dark, x2, y2, x2, y1);
    OGL_line(dark, x2, y1, x1, y1);
}

void hl_plot_picture(void)
{
    glColor3f(1, 1, 1);
    OGL_setstate(0, 1, 0, 0);
    for (int j = 0; j < 5; j++) {
        for (int i = 0; i < 7; i++) {
            float x1 = 128.0f * i, y1 = 128.0f * j;
            float x2 = std::min(x1 + 128, 800.0f), y2 = std::min(y1 + 128, 600.0f);
            tile(i, j, x1, y1, x2, y2, 0, 0, (x2 - x1) / 128, (y2 - y1) / 128);
        }
    }
    OGL_setstate(0, 0, 0, 0);
}

void MACIBM_alert(const char* l1, const char* l2, const char* l3, const char* l4, int code)
{
    copy_cut(g_cs1, l1);
    copy_cut(g_cs2, l2);
    copy_cut(g_cs3, l3);
    copy_cut(g_cs4, l4);
    if (code == ALERT_ABOUT) {
        copy_cut(g_cs1, "Kestrova: a flight simulator whose aircraft fly by their own geometry.");
        copy_cut(g_cs2, "With Hullwright, Foilwright, Landwright, Skycaster and Hullconvert.");
        copy_cut(g_cs3, "Made by the Kestrova project.");
        copy_cut(g_cs4, "Version 5.03.");
    }
    int fatal = code == ALERT_COUNT || code == ALERT_FATAL;
    hl_log_alert(g_cs1, g_cs2, g_cs3, g_cs4, code);

    if (g_alert_sink && g_alert_sink(g_cs1, g_cs2, g_cs3, g_cs4, code)) {
        if (fatal) end_program();
        return;
    }

    if (PLT_quit_signal()) {
        // The program is being ended by a signal: nobody waits for an answer, so the lines go to
        // standard error (and the error file above) and the end goes on.
        std::fprintf(stderr, "%s\n%s\n%s\n%s\n", g_cs1, g_cs2, g_cs3, g_cs4);
    } else if (ogl_ready && PLT_window_open() && !g_alerting) {
        // Shown in the window even while the program ends (a save failing at Quit); closing the
        // window or a quit signal answers it as O.K. does.
        g_alerting = 1;
        const int closes = hl_close_requests();
        MACIBM_startwind(WIND_ALERT);
        while (mnw.topwin == WIND_ALERT && hl_close_requests() == closes) {
            MACIBM_event_proc();
            if ((mnw.mouse_clicked && inside(mnw.mx, mnw.my, 20, 15, 380, 30)) || return_hit) {
                MACIBM_button(20, 15, 380, 29, 0);
                MACIBM_button(19, 14, 381, 30, 0);
                PLT_swap();
                if (fatal || gdone) mnw.topwin = 0;
                else MACIBM_startwind(0);
            }
        }
        if (mnw.topwin == WIND_ALERT) mnw.topwin = 0;
        g_alerting = 0;
    } else {
        char text[4 * STR_LEN + 16];
        std::snprintf(text, sizeof text, "%s\n\n%s\n\n%s\n\n%s", g_cs1, g_cs2, g_cs3, g_cs4);
        PLT_beep();
        PLT_message_box("Vantrel Message", text);
    }
    if (fatal) end_program();
}

void MACIBM_alert_count(const char* l1, const char* l2, const char* l3, int count)
{
    char num[16];
    std::snprintf(num, sizeof num, "%d", count);
    MACIBM_alert(l1, l2, l3, num, ALERT_COUNT);
}

// Asks the question in g_cs1 in window 997 with the n buttons given, the last of them its Cancel,
// until one is clicked; then opens window `back`. Returns the button's number from 1; closing the
// window or ending the program answers Cancel. Keys do nothing: the answer comes only from a button.
static int ask(const answer_button* buttons, int n, int back)
{
    g_question = buttons;
    g_question_buttons = n;
    MACIBM_startwind(WIND_NUKE);
    for (;;) {
        if (mnw.topwin != WIND_NUKE || gdone) return n;
        MACIBM_event_proc();
        if (!mnw.mouse_clicked) continue;
        for (int b = 0; b < n; b++) {
            const answer_button& a = buttons[b];
            if (!inside(mnw.mx, mnw.my, a.x1, a.y1, a.x2, a.y2)) continue;
            MACIBM_button(a.x1, a.y1, a.x2, a.y2 - 1, 0);
            PLT_swap();
            MACIBM_startwind(back);
            return b + 1;
        }
    }
}

int MACIBM_nuke_alert(const char* name)
{
    std::snprintf(g_cs1, STR_LEN, "Save changes to %s first?", name ? name : "");
    return ask(k_save_changes, 3, 0);
}

int hl_replace_alert(const char* name, int back)
{
    std::snprintf(g_cs1, STR_LEN, "The file '%s' already exists. Replace it?", name ? name : "");
    return ask(k_replace, 2, back) == 1 ? 1 : 0;
}
