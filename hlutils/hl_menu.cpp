// hl_menu.cpp -- the menu table, its layout, the menu bar, the open menu and the choice of an item.
#include "hl_menu.h"

#include "hl_event.h"
#include "hl_graph.h"
#include "hl_program.h"
#include "hl_types.h"
#include "hl_wind.h"

#include <cstdio>
#include <cstring>

int m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;

namespace {

float g_bar_x = 10;   // where the next menu-bar title goes

int name_len(const char* s) { return static_cast<int>(std::strlen(s)); }

void copy_cut(char* dst, int size, const char* src)
{
    std::snprintf(dst, static_cast<size_t>(size), "%s", src ? src : "");
}

int inside(float x, float y, float x1, float y1, float x2, float y2)
{
    return x >= x1 && x <= x2 && y >= y1 && y <= y2;
}

int is_item(int menu, int place) { return mnw.item_name[menu][place][0] != 0; }
int is_separator(int menu, int place) { return mnw.item_name[menu][place][0] == '-'; }

void layout(int menu, int depth)
{
    if (depth > MAX_MENUS) return;  // a cycle of submenus
    // A submenu's title is its parent item, wherever the parent menu's layout has put it now.
    if (mnw.menu_prnt[menu] >= 0) {
        int pi = mnw.menu_prnt_item[menu];
        int pm = pi / 100, pp = pi % 100;
        mnw.menux1[menu] = mnw.itemx1[pm][pp];
        mnw.menuy1[menu] = mnw.itemy1[pm][pp];
        mnw.menux2[menu] = mnw.itemx2[pm][pp];
        mnw.menuy2[menu] = mnw.itemy2[pm][pp];
    }
    int bar = mnw.menu_prnt[menu] < 0;
    float d = 0;
    for (int p = 0; p < MAX_ITEMS; p++) {
        float w = 6.0f * static_cast<float>(name_len(mnw.item_name[menu][p])) + 25;
        if (w > d) d = w;
    }
    int first = -1, prev = -1;
    for (int p = 0; p < MAX_ITEMS; p++) {
        if (!is_item(menu, p)) continue;
        float& x1 = mnw.itemx1[menu][p];
        float& y1 = mnw.itemy1[menu][p];
        float& x2 = mnw.itemx2[menu][p];
        float& y2 = mnw.itemy2[menu][p];
        if (first < 0) {
            first = p;
            if (bar) {
                y1 = mnw.menuy1[menu] - 12;
                y2 = mnw.menuy1[menu];
                x1 = mnw.menux1[menu];
            } else {
                y1 = mnw.menuy1[menu];
                y2 = mnw.menuy2[menu];
                x1 = mnw.menux2[menu];
            }
            x2 = x1 + d;
        } else {
            y1 = mnw.itemy1[menu][prev] - (is_separator(menu, p) ? 2 : 12);
            y2 = mnw.itemy2[menu][prev] - (is_separator(menu, prev) ? 2 : 12);
            x1 = mnw.itemx1[menu][prev];
            x2 = mnw.itemx2[menu][prev];
            if (y2 < 40) {
                x1 += d;
                x2 += d;
                y1 = mnw.itemy1[menu][first];
                y2 = mnw.itemy2[menu][first];
            }
        }
        prev = p;
    }
    // Submenus hanging from this menu follow their parent items.
    for (int s = 0; s < MAX_MENUS; s++)
        if (s != menu && mnw.menu_name[s][0] && mnw.menu_prnt[s] == menu) layout(s, depth + 1);
}

}  // namespace

void hl_reset_menus(void)
{
    g_bar_x = 10;
    m_x1 = m_y1 = m_x2 = m_y2 = 0;
}

void MACIBM_create_menu(int menu, int parent_item, const char* name)
{
    if (menu < 0 || menu >= MAX_MENUS || parent_item >= MAX_MENUS * 100) {
        MACIBM_alert("Menu index out of range in create_menu!", "", "", name ? name : "", ALERT_FATAL);
        return;
    }
    copy_cut(mnw.menu_name[menu], MENU_NAME_LEN, name);
    if (parent_item < 0) {
        float len = 6.0f * static_cast<float>(name_len(mnw.menu_name[menu]));
        mnw.menu_prnt[menu] = -1;
        mnw.menu_prnt_item[menu] = -1;
        if (menu == 0) g_bar_x = 10;
        mnw.menux1[menu] = g_bar_x;
        mnw.menux2[menu] = g_bar_x + len;
        mnw.menuy1[menu] = 583;
        mnw.menuy2[menu] = 600;
        g_bar_x += len + 10;
    } else {
        mnw.menu_prnt[menu] = parent_item / 100;
        mnw.menu_prnt_item[menu] = parent_item;
    }
    layout(menu, 0);
}

void MACIBM_append_menu(int menu, int item, const char* name, const char* help)
{
    if (menu < 0 || menu >= MAX_MENUS) {
        MACIBM_alert("Menu index out of range in append_menu!", "", "", name ? name : "", ALERT_FATAL);
        return;
    }
    int place = item - 100 * menu;
    if (place < 0 || place >= MAX_ITEMS) {
        MACIBM_alert("Item index out of range in append_menu!", "", "", name ? name : "", ALERT_FATAL);
        return;
    }
    copy_cut(mnw.item_name[menu][place], MENU_NAME_LEN, name);
    if (menu < HELP_MENUS) copy_cut(mnw.item_help[item], STR_LEN, help);
    layout(menu, 0);
}

void hl_layout_menu(int menu)
{
    if (menu >= 0 && menu < MAX_MENUS) layout(menu, 0);
}

void hl_open_menu(int menu)
{
    if (menu < 0 || menu >= MAX_MENUS) return;
    mnw.menu_up = menu;
    float x1 = 999, y1 = 999, x2 = 0, y2 = 0;
    for (int p = 0; p < MAX_ITEMS; p++) {
        if (!is_item(menu, p)) continue;
        if (mnw.itemx1[menu][p] < x1) x1 = mnw.itemx1[menu][p];
        if (mnw.itemy1[menu][p] < y1) y1 = mnw.itemy1[menu][p];
        if (mnw.itemx2[menu][p] > x2) x2 = mnw.itemx2[menu][p];
        if (mnw.itemy2[menu][p] > y2) y2 = mnw.itemy2[menu][p];
    }
    m_x1 = static_cast<int>(x1);
    m_y1 = static_cast<int>(y1);
    m_x2 = static_cast<int>(x2);
    m_y2 = static_cast<int>(y2);
}

int hl_menu_click(void)
{
    float mx = mnw.mx, my = mnw.my;
    // With a menu open the click is the menus' alone, whatever it does to them: one that closes the
    // menu away from its items must not also press what lies beneath, now or while it is held. It
    // chooses an item, opens or closes a submenu, or closes the menu: either way what lies under the
    // pointer changes, so the second press of a double-click on it is dropped too.
    if (mnw.menu_up >= 0) {
        mnw.mouse_clicked = 0;
        hl_spend_held_press();
        hl_click_changed_screen();
    }
    int hit_title = 0;
    for (int m = 0; m < MAX_MENUS; m++) {
        if (!mnw.menu_name[m][0]) continue;
        int title = mnw.menu_prnt[m] == -1 || (mnw.menu_up >= 0 && mnw.menu_prnt[m] == mnw.menu_up);
        if (!title || !inside(mx, my, mnw.menux1[m], mnw.menuy1[m], mnw.menux2[m], mnw.menuy2[m])) continue;
        hit_title = 1;
        if (m == mnw.menu_up) mnw.menu_up = -1;
        else hl_open_menu(m);
    }
    if (hit_title) return 0;
    int menu = mnw.menu_up;
    mnw.menu_up = -1;
    if (menu < 0) return 0;
    for (int p = 0; p < MAX_ITEMS; p++) {
        if (!is_item(menu, p) || is_separator(menu, p)) continue;
        if (!inside(mx, my, mnw.itemx1[menu][p], mnw.itemy1[menu][p], mnw.itemx2[menu][p], mnw.itemy2[menu][p]))
            continue;
        APPLICATION_handlemenu(menu * 100 + p);
        return 1;
    }
    return 0;
}

void hl_draw_menubar(void)
{
    OGL_line(6, 0, 599, 799, 599);
    OGL_line(6, 0, 598, 799, 598);
    OGL_fillrect(18, 0, 585, 800, 13);
    OGL_line(22, 0, 584, 799, 584);
    OGL_line(22, 0, 583, 799, 583);
    for (int m = 0; m < MAX_MENUS; m++) {
        if (!mnw.menu_name[m][0] || mnw.menu_prnt[m] != -1) continue;
        OGL_string(22, mnw.menux1[m] + 1, mnw.menuy1[m] + 4, mnw.menu_name[m], 800, 6);
        OGL_string(6, mnw.menux1[m], mnw.menuy1[m] + 5, mnw.menu_name[m], 800, 6);
    }
}

void hl_draw_open_menu(void)
{
    int menu = mnw.menu_up;
    if (menu < 0 || menu >= MAX_MENUS) return;

    int hover = -1;
    for (int p = 0; p < MAX_ITEMS && hover < 0; p++) {
        if (!is_item(menu, p) || is_separator(menu, p)) continue;
        if (inside(mnw.mx, mnw.my, mnw.itemx1[menu][p], mnw.itemy1[menu][p], mnw.itemx2[menu][p], mnw.itemy2[menu][p]))
            hover = p;
    }
    if (hover >= 0 && menu < HELP_MENUS) {
        mnw.help_x1 = mnw.itemx1[menu][hover];
        mnw.help_y2 = mnw.itemy1[menu][hover] - 5;
        copy_cut(mnw.help_message, STR_LEN, mnw.item_help[menu * 100 + hover]);
    }

    float x1 = static_cast<float>(m_x1), y1 = static_cast<float>(m_y1);
    float x2 = static_cast<float>(m_x2), y2 = static_cast<float>(m_y2);
    OGL_fillrect(18, x1, y1, x2 - x1, y2 - y1);
    if (hover >= 0)
        OGL_fillrect(12, mnw.itemx1[menu][hover], mnw.itemy1[menu][hover],
                     mnw.itemx2[menu][hover] - mnw.itemx1[menu][hover], mnw.itemy2[menu][hover] - mnw.itemy1[menu][hover]);
    MACIBM_button(x1, y1, x2, y2, 1);

    // Column breaks.
    int prev = -1;
    for (int p = 0; p < MAX_ITEMS; p++) {
        if (!is_item(menu, p)) continue;
        if (prev >= 0 && mnw.itemx1[menu][p] != mnw.itemx1[menu][prev]) {
            OGL_line(22, mnw.itemx1[menu][p] - 1, y1, mnw.itemx1[menu][p] - 1, y2);
            OGL_line(6, mnw.itemx1[menu][p], y1, mnw.itemx1[menu][p], y2);
        }
        prev = p;
    }
    // Arrows on the items that open submenus.
    for (int s = 0; s < MAX_MENUS; s++) {
        if (!mnw.menu_name[s][0] || mnw.menu_prnt[s] != menu) continue;
        int p = mnw.menu_prnt_item[s] - 100 * menu;
        if (p < 0 || p >= MAX_ITEMS) continue;
        float ax = mnw.itemx2[menu][p], ay = mnw.itemy1[menu][p];
        OGL_line(6, ax - 12, ay + 6, ax - 3, ay + 6);
        OGL_line(6, ax - 6, ay + 9, ax - 3, ay + 6);
        OGL_line(6, ax - 6, ay + 3, ax - 3, ay + 6);
    }
    // The items.
    for (int p = 0; p < MAX_ITEMS; p++) {
        if (!is_item(menu, p)) continue;
        float ix1 = mnw.itemx1[menu][p], iy1 = mnw.itemy1[menu][p], ix2 = mnw.itemx2[menu][p];
        if (is_separator(menu, p)) {
            OGL_line(22, ix1, iy1 + 1, ix2 - 1, iy1 + 1);
            OGL_line(6, ix1, iy1, ix2 - 1, iy1);
            continue;
        }
        int hot = p == hover;
        OGL_string(hot ? 29 : 22, ix1 + 13, iy1 + 2, mnw.item_name[menu][p], 800, 6);
        OGL_string(hot ? 0 : 6, ix1 + 12, iy1 + 3, mnw.item_name[menu][p], 800, 6);
        if (hl_prog.menu_checked && hl_prog.menu_checked(menu * 100 + p)) {
            OGL_line(6, ix1 + 3, iy1 + 6, ix1 + 5, iy1 + 4);
            OGL_line(6, ix1 + 5, iy1 + 4, ix1 + 9, iy1 + 9);
        }
    }
}
