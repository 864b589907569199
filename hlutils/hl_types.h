// hl_types.h -- the suite's shared records, tables and limits. Every record is a fixed-size global
// of plain 32-bit ints and floats (doubles for positions), defined once in hl_globals.cpp and
// zeroed by clear_globals() at start-up.
#pragma once
#include <cstdint>

#include "hl_plane.h"
#include "hl_airfoil.h"
#include "hl_rec_flight.h"
#include "hl_rec_world.h"
#include "hl_rec_sim.h"

constexpr int STR_LEN = 400;        // every path and message string
constexpr int NUM_COLORS = 80;      // the colour table
constexpr int MAX_MENUS = 320;
constexpr int MAX_ITEMS = 100;      // per menu
constexpr int MENU_NAME_LEN = 40;
constexpr int HELP_MENUS = 15;      // menus 0..14 keep their items' help texts
constexpr int SCREEN_W = 800;       // the logical screen every program draws on
constexpr int SCREEN_H = 600;

// Physical constants and unit factors. Filled by MACIBM_init; the fields from mtrtonrt on are set
// by the simulator's own code (region loading, views, ships, head-up displays).
struct constantstruct {
    float muearth;      // m^3/s^2
    float rearth;       // m
    float rhoSL;        // kg/m^3
    float pSL;          // Pa
    float muair;        // kg/(m s)
    float gammaairM1;
    float pi, pim2, pid2;
    float R;            // J/(kg K)
    float e;
    float g;            // m/s^2, muearth / rearth^2
    float rho_h20;      // kg/m^3
    float lbstokgs, kgstolbs;
    float fttomtrs, mtrstoft;
    float hptowatt, watttohp;
    float dgrtodgk, dgktodgr;
    float radtodeg, degtorad;
    float ktstomsc, msctokts;
    float rpmtorsc, rsctorpm;
    float fpmtomsc, msctofpm;
    float nmtomtrs, mtrstonm;
    float sftosmtr, smtrtosf;
    float lbstontn, ntntolbs;
    float ftlbtonm, nmtoftlb;
    float endtomed, medtoend;   // slug/ft^3 <-> kg/m^3
    float enptomep, meptoenp;   // lb/ft^2 <-> N/m^2
    float enItomtI, mtltoenl;   // slug ft^2 <-> kg m^2
    float nm_to_sm, sm_to_nm;
    float mtrtoplt, plttomtr;   // metres to map plot units (one part in 150)
    float mtrtonrt, nrttomtr;   // metres to enroute-window units, set by the region loader
    float VIEW_xyz[3];
    float BOAT_loc_X, BOAT_loc_Y, BOAT_loc_Z;
    float sinBOATthe, sinBOATphi, cosBOATthe, cosBOATphi;
    float cntrx, cntry;
    float HUD_lft, HUD_top, HUD_rgt, HUD_bot;
};

// The window, its menus and the mouse. Cleared by MACIBM_init; menus are filled once at start-up.
struct menuwindowstruct {
    int32_t wind;                 // the window exists (stands for the handle)
    float HRES, YRES, CRES;       // requested resolution in pixels and colour depth in bits
    float XRAT, YRAT;             // real pixels per logical unit

    // The open window (0 the empty screen, 1..25 the program's, 996..999 the library's).
    int32_t topwin;
    float x, y, dx, dy;           // its lower-left corner and size, logical units

    // Mouse and time.
    float mx, my;                 // logical units relative to the open window's origin, y up
    int32_t mouse_clicked;        // a button went down in this pass
    int32_t mouse_lifted;         // a button went up in this pass
    int32_t now_dragging;         // a button is held, pressed in the open window (not on a menu item)
    int32_t delay_dragging;       // held for more than 1 s
    float time_elapsed;           // s since the first pass
    float help_x1, help_y2;       // where the help bubble hangs
    char help_message[STR_LEN];

    // Menus.
    int32_t menu_up;              // the open menu, -1 none
    char menu_name[MAX_MENUS][MENU_NAME_LEN];
    int32_t menu_prnt[MAX_MENUS]; // -1 menu-bar menu, else the parent menu
    int32_t menu_prnt_item[MAX_MENUS]; // a submenu's parent item (menu*100 + place), else -1
    float menux1[MAX_MENUS], menuy1[MAX_MENUS], menux2[MAX_MENUS], menuy2[MAX_MENUS];
    char item_name[MAX_MENUS][MAX_ITEMS][MENU_NAME_LEN];
    char item_help[HELP_MENUS * MAX_ITEMS][STR_LEN];
    float itemx1[MAX_MENUS][MAX_ITEMS], itemy1[MAX_MENUS][MAX_ITEMS];
    float itemx2[MAX_MENUS][MAX_ITEMS], itemy2[MAX_MENUS][MAX_ITEMS];

    int32_t draw_wire;            // the aircraft model is drawn as a wire frame
};

extern constantstruct con;
extern menuwindowstruct mnw;
extern float lookup_sin[361];
extern float lookup_cos[361];
extern float col_rgb[NUM_COLORS][3];
extern uint8_t rgb_array[SCREEN_H][SCREEN_W][3];  // a window's static picture, rows of 800 RGB pixels, bottom row first

// Folder and file paths, each ending in "/" where it names a folder.
extern char app_path[STR_LEN], wrk_path[STR_LEN], prf_path[STR_LEN], res_path[STR_LEN];
extern char afl_path[STR_LEN], flp_path[STR_LEN], tex_path[STR_LEN], obj_path[STR_LEN];
extern char cus_path[STR_LEN], sit_path[STR_LEN];
extern char cd_path[STR_LEN];   // the installation's second data folder ("DATA/" below it)
extern char C_s[STR_LEN];   // scratch text: string swaps, window 24's title

// Library flags.
extern int initing;      // 1 from load until the first real window opens
extern int ogl_ready;    // the OpenGL context is current
extern int is_3dfx;      // draw our own mouse pointer
extern int gdone;        // the program ends after this pass
extern int to_array;     // 2-D drawing goes into rgb_array instead of OpenGL
extern int hres_orig, vres_orig, cres_orig;

// Zeroes every global record and table. Called by MACIBM_init and by every test fixture.
void clear_globals(void);
