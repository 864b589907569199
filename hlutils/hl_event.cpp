// hl_event.cpp -- the event loop: one pass per frame, the window procedure, keys and clicks.
#include "hl_event.h"

#include "hl_graph.h"
#include "hl_keys.h"
#include "hl_menu.h"
#include "hl_mnw.h"
#include "hl_program.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

int got_event = 0;
int up_handled = 0;
int return_hit = 0;
char g_cs0[32];
int select_ctr = 0;
int select_ind = 0;
void (*hl_dialog_update)(void) = nullptr;

namespace {

int g_first_pass = 1;
uint32_t g_start_time = 0;
float g_m_move_time = 0, g_m_down_time = 0;
float g_last_mx = 0, g_last_my = 0;
void (*g_pass_hook)(void) = nullptr;
int g_close_requests = 0;     // close events seen (the window closed, or a quit signal)
int g_pass_events = 0;        // events handled in the pass being run
int g_drawn_win = -1;         // the window the last pass drew with no event arriving, else -1
int g_press_spent = 0;        // the button held was pressed before the open window came on top
int g_passes = 0;             // passes begun: tells whether a press came in the pass being run

// The last press: the pass it came in and where, in screen units.
int g_press_pass = -1;
float g_press_sx = 0, g_press_sy = 0;

// A click that changed what lies under the pointer, awaiting the second press of a double-click:
// none, noted in the pass of the click, or timed from the pass after it (when the program is back
// to reading input, however long the click's work took).
enum { CHANGE_NONE, CHANGE_NOTED, CHANGE_TIMED };
int g_change = CHANGE_NONE;
uint32_t g_change_ms = 0;
float g_change_sx = 0, g_change_sy = 0;

// How long a modal window that shows nothing new sleeps before drawing again when no input comes:
// long enough to leave the processor idle, short enough for the file dialog's listing to follow
// the folder.
constexpr int IDLE_WAIT_MS = 200;

// The library's modal windows: they change only on input.
int modal_window(int id)
{
    return id == WIND_ALERT || id == WIND_NUKE || id == WIND_OPEN || id == WIND_SAVE;
}

// The shifted and plain characters of the punctuation keys, by virtual key.
struct punct_key { int vkey; char shifted, plain; };
const punct_key k_punct[] = {
    {189, '_', '-'}, {187, '+', '='}, {219, '{', '['}, {221, '}', ']'}, {186, ':', ';'},
    {188, '<', ','}, {190, '>', '.'}, {191, '?', '/'}, {192, '~', '`'}, {220, '|', '\\'},
    {222, '"', '\''},
};

// Simulator keys taken before the program sees them (hl_keys.h): arrows, function keys, Backspace
// and the number-pad yoke. 1 when the key was taken.
int simulator_key(int vk, int shift)
{
    int n;
    const hl_special_key* keys = hl_special_keys(&n);
    for (int i = 0; i < n; i++) {
        if (keys[i].vkey != vk) continue;
        const hl_special_key& k = keys[i];
        void (*hook)(int) = k.kind == HL_KEY_VIEW    ? hl_prog.freeviews_keys
                            : k.kind == HL_KEY_LEVER ? hl_prog.function_key
                                                     : hl_prog.yoke_key;
        if (!hook) return 0;
        hook(k.kind == HL_KEY_LEVER && shift ? k.code + HL_LEVER_SHIFT : k.code);
        return 1;
    }
    return 0;
}

// Typing into a text of size bytes: Enter confirms, Backspace removes, printable characters other
// than folder separators are appended while there is room.
void edit_text(char* text, int size, int vk, char c)
{
    int n = static_cast<int>(std::strlen(text));
    if (vk == VK_RETURN) {
        return_hit = 1;
    } else if (vk == VK_BACK) {
        if (n > 0) text[n - 1] = 0;
    } else if (c >= 32 && c < 127 && c != '/' && c != '\\' && n < size - 1) {
        text[n] = c;
        text[n + 1] = 0;
    }
}

void set_mouse(int px, int py)
{
    if (mnw.XRAT <= 0 || mnw.YRAT <= 0) return;
    mnw.mx = static_cast<float>(px) / mnw.XRAT - mnw.x;
    mnw.my = (mnw.YRES - static_cast<float>(py)) / mnw.YRAT - mnw.y;
}

// A press is the second half of a double-click whose first click changed what lies under the
// pointer: it comes within the interval of that click and near it. Either way the pairing ends.
int second_half_of_change(void)
{
    const float sx = mnw.mx + mnw.x, sy = mnw.my + mnw.y;
    const int second = g_change == CHANGE_NOTED ||
                       (g_change == CHANGE_TIMED && PLT_millis() - g_change_ms <= HL_DOUBLE_CLICK_MS);
    g_change = CHANGE_NONE;
    return second && std::fabs(sx - g_change_sx) <= HL_DOUBLE_CLICK_NEAR &&
           std::fabs(sy - g_change_sy) <= HL_DOUBLE_CLICK_NEAR;
}

int inside(float x, float y, float x1, float y1, float x2, float y2)
{
    return x >= x1 && x <= x2 && y >= y1 && y <= y2;
}

void draw_help_bubble(void)
{
    float x1, y1, x2, y2;
    hl_help_box(&x1, &y1, &x2, &y2);
    // Drawn in screen units whatever window is open.
    float ox = mnw.x, oy = mnw.y;
    mnw.x = mnw.y = 0;
    float h = y2 - y1;
    OGL_fillrect(18, x1 - 5, y1 - 5, x2 - x1 + 10, h + 10);
    OGL_fillrect(29, x1, y1, x2 - x1, h);
    MACIBM_button(x1 - 5, y1 - 5, x2 + 5, y2 + 5, 1);
    MACIBM_button(x1 - 1, y1 - 1, x2, y2, 0);
    OGL_string(41, x1 + 3, y2 - 11, mnw.help_message, x2 - x1 - 6, 6);
    mnw.x = ox;
    mnw.y = oy;
}

}  // namespace

void hl_help_box(float* x1, float* y1, float* x2, float* y2)
{
    int lines = static_cast<int>(std::strlen(mnw.help_message)) / 65;
    float left = mnw.help_x1 + mnw.x, top = mnw.help_y2 + mnw.y;
    float bottom = top - 15 - 10.0f * static_cast<float>(lines);
    if (left + 400 > 790) left -= left + 400 - 790;
    if (bottom < 10) {
        top += 10 - bottom;
        bottom = 10;
    }
    *x1 = left;
    *y1 = bottom;
    *x2 = left + 400;
    *y2 = top;
}

void hl_reset_event_state(void)
{
    got_event = 0;
    up_handled = 0;
    return_hit = 0;
    g_cs0[0] = 0;
    select_ctr = 0;
    select_ind = 0;
    g_first_pass = 1;
    g_start_time = 0;
    g_m_move_time = g_m_down_time = 0;
    g_last_mx = g_last_my = 0;
    g_pass_events = 0;
    g_drawn_win = -1;
    g_press_spent = 0;
    g_passes = 0;
    g_press_pass = -1;
    g_change = CHANGE_NONE;
}

void hl_spend_held_press(void)
{
    if (!mnw.now_dragging) return;
    g_press_spent = 1;
    mnw.now_dragging = 0;
    mnw.delay_dragging = 0;
}

void hl_click_changed_screen(void)
{
    if (g_press_pass != g_passes) return;
    g_change = CHANGE_NOTED;
    g_change_sx = g_press_sx;
    g_change_sy = g_press_sy;
}

int hl_close_requests(void) { return g_close_requests; }

void hl_set_pass_hook(void (*hook)(void)) { g_pass_hook = hook; }

char hl_key_char(int vk, int shift)
{
    if (vk >= 'A' && vk <= 'Z') return static_cast<char>(shift ? vk : vk + 32);
    if (vk >= '0' && vk <= '9') return shift ? ")!@#$%^&*("[vk - '0'] : static_cast<char>(vk);
    for (const auto& p : k_punct)
        if (p.vkey == vk) return shift ? p.shifted : p.plain;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return static_cast<char>('0' + vk - VK_NUMPAD0);
    switch (vk) {
    case 106: return '*';
    case 107: return '+';
    case 109: return '-';
    case 110: return '.';
    case 111: return '/';
    case VK_SPACE: return ' ';
    case VK_RETURN: return 13;
    case VK_TAB: return 9;
    case VK_ESCAPE: return 27;
    case VK_BACK: return 8;
    default: return 0;
    }
}

void MACIBM_handlekey(int vk)
{
    got_event = 1;
    int shift = PLT_key_down(VK_SHIFT);
    char c = hl_key_char(vk, shift);

    if (mnw.topwin == 0 && hl_prog.is_simulator && simulator_key(vk, shift)) return;

    if (mnw.topwin == WIND_ALERT || mnw.topwin == WIND_SAVE) {
        if (vk != VK_SHIFT) edit_text(g_cs0, sizeof g_cs0, vk, c);
        return;
    }
    if (mnw.topwin == 0) {
        if (hl_prog.arrow_keys && (vk == VK_UP || vk == VK_LEFT || vk == VK_DOWN || vk == VK_RIGHT)) {
            hl_prog.arrow_keys(vk == VK_UP ? 1 : vk == VK_LEFT ? 2 : vk == VK_DOWN ? 3 : 4);
            return;
        }
        if (hl_prog.edit_text) {
            int size = 0;
            char* text = hl_prog.edit_text(&size);
            if (text && size > 0) {
                if (vk != VK_SHIFT) edit_text(text, size, vk, c);
                return;
            }
        }
        if (c) APPLICATION_handlekey(c, 0);
        return;
    }
    if (mnw.topwin == WIND_NUKE || mnw.topwin == WIND_OPEN) return;
    // A program window: any key acts as a click on its close box.
    mnw.mx = -1;
    mnw.my = mnw.dy + 2;
    MACIBM_handleclick();
}

void MACIBM_handleclick(void)
{
    got_event = 1;
    if (mnw.topwin == 0) {
        hl_menu_click();
        return;
    }
    mnw.menu_up = -1;
    if (mnw.topwin >= WIND_ALERT) return;

    float a[2] = {-1, mnw.dx - 10};
    int hit = 0;
    for (float ax : a)
        if (inside(mnw.mx, mnw.my, ax, mnw.dy + 2, ax + 10, mnw.dy + 12)) hit = 1;
    if (!hit) return;
    for (float ax : a) {
        MACIBM_button(ax + 1, mnw.dy + 3, ax + 9, mnw.dy + 11, 0);
        MACIBM_button(ax + 2, mnw.dy + 4, ax + 8, mnw.dy + 10, 0);
    }
    PLT_swap();
    MACIBM_startwind(0);
}

void IBM_handlewin(const PLT_event* ev)
{
    g_pass_events++;
    switch (ev->kind) {
    case PLT_EV_KEYDOWN:
        MACIBM_handlekey(ev->vkey);
        break;
    case PLT_EV_MOUSEMOVE:
        set_mouse(ev->x, ev->y);
        break;
    case PLT_EV_BUTTONDOWN:
        set_mouse(ev->x, ev->y);
        g_press_spent = 0;
        if (second_half_of_change()) {
            // Dropped whole: no click, no button held, and its release goes unreported.
            g_press_spent = 1;
            mnw.now_dragging = 0;
            mnw.delay_dragging = 0;
            break;
        }
        g_press_pass = g_passes;
        g_press_sx = mnw.mx + mnw.x;
        g_press_sy = mnw.my + mnw.y;
        mnw.mouse_clicked = 1;
        mnw.now_dragging = 1;
        MACIBM_handleclick();
        break;
    case PLT_EV_BUTTONUP:
        set_mouse(ev->x, ev->y);
        // The end of a press that the open window never saw begin is not its release either.
        if (g_press_spent) {
            g_press_spent = 0;
            break;
        }
        mnw.mouse_lifted = 1;
        mnw.now_dragging = 0;
        mnw.delay_dragging = 0;
        break;
    case PLT_EV_PAINT:
        got_event = up_handled = 1;
        hl_repaint_window();
        break;
    case PLT_EV_RESIZE:
        // The window's real size changed (a window manager settling a full-screen window).
        if (ev->x > 0 && ev->y > 0) {
            mnw.HRES = static_cast<float>(ev->x);
            mnw.YRES = static_cast<float>(ev->y);
            mnw.XRAT = mnw.HRES / SCREEN_W;
            mnw.YRAT = mnw.YRES / SCREEN_H;
            glViewport(0, 0, ev->x, ev->y);
            hl_scale_point_size();
        }
        break;
    case PLT_EV_CLOSE:
        // The window is going: the program ends through its own quit path after this pass.
        gdone = 1;
        g_close_requests++;
        break;
    default:
        break;
    }
}

void MACIBM_event_proc(void)
{
    got_event = 0;
    mnw.mouse_clicked = 0;
    mnw.mouse_lifted = 0;

    // A modal window already on the screen, with no input since it was drawn, has nothing new to
    // show: sleep until input comes rather than redraw it as fast as the renderer can.
    if (g_drawn_win >= 0 && g_drawn_win == mnw.topwin && modal_window(mnw.topwin)) PLT_wait_event(IDLE_WAIT_MS);
    g_drawn_win = -1;
    g_pass_events = 0;
    g_passes++;
    if (g_change == CHANGE_NOTED) {
        g_change = CHANGE_TIMED;
        g_change_ms = PLT_millis();
    }

    PLT_event ev;
    while (PLT_poll_event(&ev)) IBM_handlewin(&ev);

    uint32_t now = PLT_millis();
    if (g_first_pass) {
        g_start_time = now;
        g_first_pass = 0;
    }
    float t = static_cast<float>(now - g_start_time) / 1000.0f;
    mnw.time_elapsed = t;

    if (std::fabs(mnw.mx - g_last_mx) > 1 || std::fabs(mnw.my - g_last_my) > 1) g_m_move_time = t;
    if (mnw.mouse_clicked) g_m_move_time = g_m_down_time = t;
    g_last_mx = mnw.mx;
    g_last_my = mnw.my;

    mnw.help_message[0] = 0;
    if (mnw.now_dragging) mnw.delay_dragging = t - g_m_down_time > 1;

    float v = 0.6f + 0.4f * std::sin(5 * t);
    float w = 0.7f + 0.3f * std::sin(25 * t);
    float u = 0.6f + 0.4f * std::sin(10 * t);
    const float pulse[5][3] = {{0.2f * v, v, 0.2f * v}, {0.2f * w, w, 0.2f * w}, {u, u, u},
                               {u, 0.9f * u, 0.5f * u}, {u, 0, 0}};
    for (int i = 0; i < 5; i++)
        for (int k = 0; k < 3; k++) col_rgb[56 + i][k] = pulse[i][k];

    if (!up_handled) return;
    got_event = 0;

    OGL_bindtex(146);

    int sim = hl_prog.is_simulator;
    if (sim) {
        if (mnw.topwin == 0 && hl_prog.update_scenery) hl_prog.update_scenery();
        OGL_plot_background();
        if (mnw.topwin == 0 && !set.view_is_fullscreen && hl_prog.update_panel) hl_prog.update_panel();
    } else {
        hl_plot_picture();
    }

    select_ctr = 0;
    const int drawn = mnw.topwin, quiet = g_pass_events == 0;
    if (mnw.topwin == WIND_ALERT || mnw.topwin == WIND_NUKE) {
        // the alert's own loop answers it
    } else if (mnw.topwin == WIND_OPEN || mnw.topwin == WIND_SAVE) {
        if (hl_dialog_update) hl_dialog_update();
    } else {
        APPLICATION_update();
    }

    if (mnw.menu_up >= 0) hl_draw_open_menu();

    if (is_3dfx) {
        // Our own mouse pointer: texture 147, its top-left corner at the mouse.
        glColor3f(1, 1, 1);
        OGL_setstate(0, 1, 0, 0);
        glEnable(GL_ALPHA_TEST);
        OGL_bindtex(147);
        float x = mnw.mx, y = mnw.my;
        OGL_2dquad(x, y - 16, x, y, x + 16, y, x + 16, y - 16, 0, 0, 0, 1, 1, 1, 1, 0);
        glDisable(GL_ALPHA_TEST);
        OGL_setstate(0, 0, 0, 0);
    }

    if (mnw.help_message[0] && t - g_m_move_time > 1) draw_help_bubble();

    if (g_pass_hook) g_pass_hook();
    PLT_swap();
    // Nothing came and the window stayed: the next pass may wait for input.
    if (quiet && drawn == mnw.topwin) g_drawn_win = drawn;
}
