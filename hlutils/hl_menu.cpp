// hl_menu.cpp -- the menu table, its layout, the menu bar, the open menu and the choice of an item.
#include "hl_menu.h"

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
        mnw.mouse_clicked = 0;
        APPLICATION_handlemenu(menu * 100 + p);
        return 1;
    }
    return 0;
}

void hl_draw_menubar(void) {}

void hl_draw_open_menu(void) {}
