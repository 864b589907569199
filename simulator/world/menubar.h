// menubar.h -- Kestrova's menu bar: the fixed menus with their titles and help texts, rebuilt by
// every region load, and the region's entries (airports with their runway ends, VORs, NDBs) added
// while the region's local lists are built.
#pragma once

// Menu numbers of the bar and of the Location submenus.
enum {
    MENU_ABOUT = 0, MENU_FILE = 1, MENU_LOCATION = 2, MENU_SETTINGS = 3, MENU_OUTPUT = 4, MENU_VIEW = 5,
    MENU_SPECIAL = 6,
    MENU_TAKEOFF = 7, MENU_VFR = 8, MENU_ILS = 9, MENU_VOR = 10, MENU_NDB = 11,
    MENU_BY_AIRPORT = 12, MENU_BY_LOCATION = 13, MENU_SPECIAL_TAKEOFF = 14, MENU_SPECIAL_INFLIGHT = 15,
    MENU_SPECIAL_APPROACH = 16,
};
// The runway-end submenus of local airport row a are menus RWY_BASE_* + a; their item
// 100 * menu + 2p is the numbered end of the airport's runway at place p, + 1 its opposite end.
enum { RWY_BASE_TAKEOFF = 20, RWY_BASE_VFR = 120, RWY_BASE_ILS = 220 };
// Item of menu 4 that shows local airport row a on a map: AIRPORT_MAP_ITEM + a.
constexpr int AIRPORT_MAP_ITEM = 408;
// Runway places past this one do not fit a submenu of 100 items (two ends each).
constexpr int RWY_PLACES = 50;

// The menu bar and its fixed menus and submenus, into the tables the region loader has emptied;
// the region submenus 7..11 are created empty.
void build_menu_bar(void);
// Local airport row: its name in menus 7, 8 and 9, its three runway-end submenus, and its map item
// in menu 4.
void append_airport_menu(int row);
// Local VOR row in menu 10, local NDB row in menu 11.
void append_vor_menu(int row);
void append_ndb_menu(int row);

// A runway end's title: "Pad " under 500 feet, else "Rwy ", the end's number in two digits and its
// side letter. opposite 0 is the numbered end (its letter as stored, a blank staying a blank),
// 1 the other end (number + 18 within 1..36; L and R swap, C stays, any other letter goes).
void rway_to_cs(int rwy, int opposite, char* out, int size);
