// menus.h -- Kestrova's menu commands: what each item of the menu bar does, and which items carry a
// tick.
#pragma once

// Carries out menu item `item` (menu * 100 + place; the runway-end, navaid and map items as the menu
// bar numbers them). While a replay runs, the commands that load files, move the aircraft or open
// settings windows are ignored; the views, maps, graph, zoom, flight path, leaving the replay, the
// Special menu and Quit always work. An item that names no command does nothing.
void handle_menu(int item);

// 1 when the item carries a tick: the view being shown (500..522), the flight path shown (526),
// the replay running (529) or not (530), the logbook on (610).
int menu_checked(int item);

// Forgets the flight state saved on entering the replay (a new program run).
void reset_replay_slot(void);
