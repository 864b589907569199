// hl_menu.h -- the library's own menus: a table of up to 320 menus of 100 items, their layout, the
// menu bar, the open menu and the choice of an item (reported as menu*100 + place).
#pragma once

// parent_item < 0 puts the menu on the menu bar; otherwise it is the item (menu*100 + place) that
// opens this submenu.
void MACIBM_create_menu(int menu, int parent_item, const char* name);
// item is the full number menu*100 + place; help is kept for menus 0..14.
void MACIBM_append_menu(int menu, int item, const char* name, const char* help);

// Lays out the items of a menu (and the submenus hanging from it) again.
void hl_layout_menu(int menu);
// Opens the menu: sets menu_up and computes its outline.
void hl_open_menu(int menu);
// Click handling while no window is open: titles open and close menus, an item is chosen and reported
// through APPLICATION_handlemenu; a click made while a menu is open is taken from the program (no
// mouse_clicked, no button held). 1 when an item was chosen.
int hl_menu_click(void);
// Draws the menu bar (part of window 0's picture) and the open menu (every pass).
void hl_draw_menubar(void);
void hl_draw_open_menu(void);

// The outline of the open menu, computed when it opens.
extern int m_x1, m_y1, m_x2, m_y2;

// Empties the running title position (MACIBM_init).
void hl_reset_menus(void);
