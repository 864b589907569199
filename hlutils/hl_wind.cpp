// hl_wind.cpp -- numbered windows with their static pictures, alerts, the save-changes alert, buttons.
#include "hl_wind.h"

#include "hl_event.h"
#include "hl_menu.h"
#include "hl_mnw.h"
#include "hl_program.h"
#include "hl_types.h"
#include "plt.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

char g_cs1[STR_LEN], g_cs2[STR_LEN], g_cs3[STR_LEN], g_cs4[STR_LEN];
char C_s[STR_LEN];

namespace {

hl_alert_sink_fn g_alert_sink = nullptr;
int g_alerting = 0;   // an alert is being shown (a fatal one raised meanwhile goes straight to the end)

struct window_spec {
    int id;
    const char* title;
    float dx, dy;
};

const window_spec k_library_windows[] = {
    {0, "", 800, 600},
    {WIND_ALERT, "ALERT", 400, 195},
    {WIND_NUKE, "ALERT", 300, 100},
    {WIND_OPEN, "OPEN", 320, 488},
    {WIND_SAVE, "SAVE", 320, 488},
};

const window_spec k_simulator_windows[] = {
    {1, "Airport by ID", 176, 440},
    {2, "Airport by Name", 334, 200},
    {3, "Enroute", 0, 0},
    {4, "World", 788, 443},
    {5, "Set Lat/Lon", 246, 165},
    {6, "Where Am I?", 531, 121},
    {7, "Set Data Output", 620, 400},
    {8, "Set Serial Output", 600, 478},
    {9, "Set Time Of Day", 691, 147},
    {10, "Set Rendering Options", 600, 540},
    {11, "Set Weather Space", 197, 84},
    {12, "Set Weather Atmosphere", 618, 527},
    {13, "Set Weather Ground", 197, 148},
    {14, "Set Weather Water", 197, 271},
    {15, "Set Joystick & Flight Mode", 787, 519},
    {16, "Set Weights & Fuel", 436, 252},
    {17, "Set Reliability", 344, 345},
    {18, "Set Reliability", 350, 520},
    {19, "Set Reliability", 682, 560},
    {20, "Set Sound", 293, 250},
    {21, "Set Warnings", 550, 172},
    {22, "Graphics Output", 620, 420},
    {23, "Isometric Region", 760, 540},
    {24, "", 432, 494},
    {25, "Flight Plan", 589, 415},
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

// Draws the open window's static picture into rgb_array and hands it to OpenGL as the 35 tiles.
void draw_picture(void)
{
    std::memset(rgb_array, 0, sizeof rgb_array);
}

void end_program(void)
{
    gdone = 1;
    MACIBM_finishup();
    std::exit(1);
}

}  // namespace

void hl_set_alert_sink(hl_alert_sink_fn sink) { g_alert_sink = sink; }

int hl_window_spec(int id, const char** title, float* dx, float* dy)
{
    for (const auto& w : k_library_windows) {
        if (w.id != id) continue;
        *title = w.title;
        *dx = w.dx;
        *dy = w.dy;
        return 1;
    }
    if (!hl_prog.is_simulator || id < 1 || id > 25) return 0;
    const window_spec& w = k_simulator_windows[id - 1];
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

void MACIBM_startwind(int id)
{
    if (id == -1) id = 0;
    else initing = 0;
    const char* title;
    float dx, dy;
    if (!hl_window_spec(id, &title, &dx, &dy)) return;

    if (hl_prog.is_simulator && mnw.topwin != 0 && mnw.topwin <= 25 && id != WIND_ALERT && hl_prog.process_zap)
        hl_prog.process_zap(mnw.topwin);

    mnw.menu_up = -1;
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
    (void)x1;
    (void)y1;
    (void)x2;
    (void)y2;
    (void)raised;
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

    if (ogl_ready && PLT_window_open() && !g_alerting && !gdone) {
        g_alerting = 1;
        MACIBM_startwind(WIND_ALERT);
        while (mnw.topwin == WIND_ALERT && !gdone) {
            MACIBM_event_proc();
            if ((mnw.mouse_clicked && inside(mnw.mx, mnw.my, 20, 15, 380, 30)) || return_hit) {
                MACIBM_button(20, 15, 380, 29, 0);
                MACIBM_button(19, 14, 381, 30, 0);
                PLT_swap();
                if (fatal) mnw.topwin = 0;
                else MACIBM_startwind(0);
            }
        }
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

int MACIBM_nuke_alert(const char* name)
{
    std::snprintf(g_cs1, STR_LEN, "Save changes to %s first?", name ? name : "");
    MACIBM_startwind(WIND_NUKE);
    static const float box[3][4] = {{20, 45, 120, 60}, {20, 15, 120, 30}, {180, 15, 280, 30}};
    for (;;) {
        if (mnw.topwin != WIND_NUKE || gdone) return 3;
        MACIBM_event_proc();
        if (!mnw.mouse_clicked) continue;
        for (int b = 0; b < 3; b++) {
            if (!inside(mnw.mx, mnw.my, box[b][0], box[b][1], box[b][2], box[b][3])) continue;
            MACIBM_button(box[b][0], box[b][1], box[b][2], box[b][3] - 1, 0);
            PLT_swap();
            MACIBM_startwind(0);
            return b + 1;
        }
    }
}
