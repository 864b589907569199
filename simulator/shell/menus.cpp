// menus.cpp -- Kestrova's menu commands and menu ticks.
#include "menus.h"

#include "fltutil.h"
#include "genwrld.h"
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_opensave.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "initpln.h"
#include "lax.h"
#include "map.h"
#include "menubar.h"
#include "prefs.h"
#include "startpos.h"

#include <cstdio>
#include <cstring>

namespace {

// ---- the replay's save slot ---------------------------------------------------------------------

// The flight state as it stood when the replay began; leaving the replay puts it back.
struct ReplaySlot {
    int held;
    double X, Y, Z, vX, vY, vZ;   // m, m/s
    float the, psi, phi;          // degrees
};
ReplaySlot g_slot = {};

void enter_replay(void)
{
    // Reads: flt.X/Y/Z/the/psi/phi[0], flt.vX/vY/vZ, msc.elap_time, the newest path point. Writes:
    // set.replay_mode, pat.time_play, the slot.
    if (set.replay_mode != 0) return;   // a second Enter keeps the first saved state
    set.replay_mode = 4;                // paused at the present moment
    // The present moment lies up to a recording interval past the newest point, off the path, where
    // a rewind would stop at once: the replay starts on that point when there is one.
    const int newest = pat.cntr_record;
    pat.time_play = newest >= 0 && newest < PATH_POINTS && pat.inited[newest] ? pat.xyztppt[newest][6] : msc.elap_time;
    g_slot = {1, flt.X[0], flt.Y[0], flt.Z[0], flt.vX, flt.vY, flt.vZ, flt.the[0], flt.psi[0], flt.phi[0]};
}

void leave_replay(void)
{
    if (set.replay_mode == 0) return;
    set.replay_mode = 0;
    if (!g_slot.held) return;
    flt.X[0] = g_slot.X;
    flt.Y[0] = g_slot.Y;
    flt.Z[0] = g_slot.Z;
    flt.vX = g_slot.vX;
    flt.vY = g_slot.vY;
    flt.vZ = g_slot.vZ;
    flt.the[0] = g_slot.the;
    flt.psi[0] = g_slot.psi;
    flt.phi[0] = g_slot.phi;
    g_slot.held = 0;
}

// ---- windows ------------------------------------------------------------------------------------

// Items that open a settings or placing window (commands that wait while a replay runs).
struct WindowItem {
    int item, window;
};
const WindowItem k_settings_windows[] = {
    {215, 6},   {1200, 1},  {1201, 2},  {1302, 4},  {1303, 5},  {300, 7},   {301, 8},
    {303, 9},   {304, 10},  {306, 11},  {307, 12},  {308, 13},  {309, 14},  {311, 15},
    {312, 16},  {314, 17},  {315, 18},  {316, 19},  {318, 20},  {319, 21},
};

int settings_window(int item)
{
    for (const WindowItem& w : k_settings_windows)
        if (w.item == item) return w.window;
    return 0;
}

// ---- starts -------------------------------------------------------------------------------------

void bad_selection(const char* what, int value)
{
    char num[16];
    std::snprintf(num, sizeof num, "%d", value);
    MACIBM_alert(what, "", "", num, ALERT_NOTICE);
}

// A runway end of the take-off (base 20), visual-final (120) or instrument-final (220) submenus.
void runway_start(int item, int base, int kind)
{
    const int row = item / 100 - base, place = item % 100;
    // Rows past the region's airports hold nothing; the checks guard the tables, and the start
    // airport stays as it was when one fails.
    if (row < 0 || row >= apt_lcl_num || row >= LCL_MAX) {
        bad_selection("Apt sel out of range!", row);
        return;
    }
    const int apt = apt_to_index[row];
    if (apt < 0 || apt > apt_wrl_max || apt >= MAX_APT) {
        bad_selection("loc_apt_wrl out of range!", apt);
        return;
    }
    const int rwy = apt_lo_ind[apt] + place / 2;
    if (rwy < apt_lo_ind[apt] || rwy > apt_hi_ind[apt]) {
        bad_selection("loc_rwy_wrl out of range!", rwy);
        return;
    }
    msc.loc_apt_wrl = apt;
    msc.loc_rwy_wrl = rwy;
    msc.backwards = place % 2;
    set_fltvars(START_RUNWAY, kind);
}

// 1000 m above a VOR or NDB of the region, heading north at one and a half times the stall speed.
void navaid_start(int nav)
{
    set.cus_X = static_cast<float>(X_with_latlon(nav_lat[nav], nav_lon[nav]));
    set.cus_Z = static_cast<float>(Z_with_lat(nav_lat[nav]));
    set.cus_Y = nav_h[nav] + 1000.0f;
    set.cus_psi = 0.0f;
    set.cus_v = msc.est_Vs * 1.5f;
    set_fltvars(START_NAVAID, 0);
}

// Somewhere in the region, 2000 to 4000 m up, any heading.
void get_me_lost(void)
{
    set.cus_X = fltrand(env.lox, env.hix);
    set.cus_Z = fltrand(env.loz, env.hiz);
    set.cus_Y = fltrand(2000.0f, 4000.0f);
    set.cus_psi = fltrand(0.0f, 360.0f);
    set.cus_v = msc.est_Vs * 1.3f;
    set_fltvars(START_CUSTOM, 0);
}

void open_aircraft(void)
{
    char name[STR_LEN], path[STR_LEN] = "";
    std::snprintf(name, sizeof name, "%s", pln[0].C_file);
    // The dialog lists the folder of the aircraft being flown.
    const char* slash = std::strrchr(pln[0].C_path, '/');
    if (slash) std::snprintf(wrk_path, STR_LEN, "%.*s", static_cast<int>(slash - pln[0].C_path + 1), pln[0].C_path);
    if (!MACIBM_opensave(WIND_OPEN, OS_KIND_AIRCRAFT, name, path)) return;
    char old_file[STR_LEN], old_path[STR_LEN];
    std::memcpy(old_file, pln[0].C_file, sizeof old_file);
    std::memcpy(old_path, pln[0].C_path, sizeof old_path);
    std::snprintf(pln[0].C_file, sizeof pln[0].C_file, "%s", name);
    std::snprintf(pln[0].C_path, sizeof pln[0].C_path, "%s", path);
    if (load_plane(0)) {
        set_fltvars(START_RUNWAY, START_TAKEOFF);
    } else {
        // A refused file: the aircraft already loaded flies on under its own name.
        std::memcpy(pln[0].C_file, old_file, sizeof old_file);
        std::memcpy(pln[0].C_path, old_path, sizeof old_path);
    }
    MACIBM_startwind(0);
}

// The commands that wait while a replay runs.
void replay_blocked_command(int item)
{
    if (const int w = settings_window(item)) {
        MACIBM_startwind(w);
        return;
    }
    // The runway-end submenus: take-off, visual final, instrument final.
    static const int bases[3] = {RWY_BASE_TAKEOFF, RWY_BASE_VFR, RWY_BASE_ILS};
    static const int kinds[3] = {START_TAKEOFF, START_VISUAL_FINAL, START_ILS_FINAL};
    for (int k = 2; k >= 0; k--) {
        if (item >= 100 * bases[k] && item < 100 * MAX_MENUS) {
            runway_start(item, bases[k], kinds[k]);
            return;
        }
    }
    if (item >= 1000 && item < 1000 + LCL_MAX) {
        if (item - 1000 < vor_lcl_num) navaid_start(vor_to_index[item - 1000]);
        return;
    }
    if (item >= 1100 && item < 1100 + LCL_MAX) {
        if (item - 1100 < ndb_lcl_num) navaid_start(ndb_to_index[item - 1100]);
        return;
    }
    if ((item >= START_GRASS && item <= START_WATER) || (item >= START_FORMATION && item <= START_CARRIAGE) ||
        (item >= START_HELIPAD && item <= START_FIRE_APP)) {
        set_fltvars(item, 0);
        return;
    }
    switch (item) {
    case 0: MACIBM_alert("", "", "", "", ALERT_ABOUT); break;
    case 100: open_aircraft(); break;
    case 102: open_situation(); break;
    case 103: save_situation(); break;
    case 216: get_me_lost(); break;
    case 1300:
    case 1301:
        msc.map_type = item == 1300 ? 402 : 403;
        MACIBM_startwind(3);
        break;
    default: break;
    }
}

// ---- views ---------------------------------------------------------------------------------------

int is_view(int item)
{
    // The separators of the View menu have no command.
    return item >= 500 && item <= 522 && item != 503 && item != 510 && item != 512 && item != 515 && item != 520;
}

void choose_view(int item)
{
    // Reads: flt.X/Y/Z[0], flt.vX/vY/vZ. Writes: scn.zoom, set.view_type, set.view_is_fullscreen,
    // msc.spotview_X/Y/Z.
    static const int fullscreen[] = {504, 505, 506, 507, 508, 509, 511, 513, 514, 516, 517, 519, 521, 522};
    scn.zoom = 1.0f;
    set.view_type = item;
    set.view_is_fullscreen = 0;
    for (int v : fullscreen) set.view_is_fullscreen |= v == item;
    if (item == 519) {
        // The spot camera stands ahead of the aircraft, where it will be in four seconds, 20 m off
        // on every axis.
        msc.spotview_X = static_cast<float>(flt.X[0] + flt.vX * 4.0 + 20.0);
        msc.spotview_Y = static_cast<float>(flt.Y[0] + flt.vY * 4.0 + 20.0);
        msc.spotview_Z = static_cast<float>(flt.Z[0] + flt.vZ * 4.0 + 20.0);
    }
}

// Zoom in (factor above 1 for the lens) or out: the chase and follow cameras move closer or
// further, never nearer than twice the aircraft's reach; the other views change the lens.
void zoom(int in)
{
    if (set.view_type >= 516 && set.view_type <= 518) {
        scn.dist = fltlim(scn.dist * (in ? 0.95f : 1.05f), scn.planerad * 2.0f, 9.9e9f);
    } else {
        scn.zoom = fltlim(scn.zoom * (in ? 2.0f : 0.5f), 1.0f, 100.0f);
    }
}

void reset_path(void)
{
    std::memset(pat.inited, 0, sizeof pat.inited);
    std::memset(pat.xyztppt, 0, sizeof pat.xyztppt);
}

// ---- outputs, maps and the Special menu ----------------------------------------------------------

void graph_window(void)
{
    for (int s = 0; s < 4; s++) {
        if (set.grfsel[s] != -1) {
            MACIBM_startwind(22);
            return;
        }
    }
    MACIBM_alert("You have not selected any data to view!",
                 "Close this window, go to the 'Settings' menu, and select 'Set Data Output'.",
                 "Then select whatever data you want to view... the middle column selects data for graphical viewing.",
                 "Then fly around for awhile and then view this data.", ALERT_NOTICE);
}

void airport_map(int row)
{
    if (row < 0 || row >= apt_lcl_num || row >= LCL_MAX) return;
    const int a = apt_to_index[row];
    if (a < 0 || a >= MAX_APT) return;
    msc.map_type = MAP_CHART;
    msc.plt_apt_wrl = a;
    // The chart opens on the airport (its first runway), the profile at its reference point.
    float X, Z;
    if (map_airport_point(a, &X, &Z)) map_centre_on(X, Z);
    env.os_X_gs = 0.0f;
    // The window's title: the airport's name and its identifier without the padding blanks.
    int n = static_cast<int>(strnlen(apt_id[a], APT_ID_LEN));
    while (n > 0 && apt_id[a][n - 1] == ' ') n--;
    std::snprintf(C_s, STR_LEN, "%.*s (%.*s)", APT_NAME_LEN, apt_name[a], n, apt_id[a]);
    MACIBM_startwind(24);
}

void one_cycle_dump(void)
{
    set.cycout = 1;
    MACIBM_alert("I will dump all the data for the next cycle of Kestrova to the file 'Kestrova.out'.",
                 "This will include all the angles of attack, forces, velocities, etc. for this instant in time.",
                 "Quit Kestrova and open the file Kestrova.out' with a word processor to read the resultant file.",
                 "Be sure to turn off text-wrapping in your word processor or allow very wide text area for the file "
                 "to look right.",
                 ALERT_NOTICE);
}

// Leaves a preferences file the next start cannot take (version -1), so it starts from the factory
// settings, then ends the program.
void reset_preferences_and_exit(void)
{
    if (ouf_open(prf_path, FILE_KIND_PREFS, -1)) {
        ouf << "z\n\n";
        ouf_close(prf_path);
    }
    MACIBM_alert("I have disabled the preferences file.",
                 "The next time you start Kestrova or, it will revert to the factory settings.",
                 "This should allow normal operation if the preferences file has become corrupted somehow.",
                 "I will now terminate the program. Run Kestrova again to start in the standard condition.",
                 ALERT_FATAL);
}

struct Instructions {
    int item;
    const char* line[4];
};
const Instructions k_instructions[] = {
    {604,
     {"The joystick or yoke will the operate ailerons and elevator. Rudder pedals will operate the rudder. (Rudder "
      "will stay centered if you don't have pedals).",
      "If you have a Thrust-Master throttle or a throttle wheel on your joystick, it will operate the aircraft "
      "throttle.",
      "If you have no joystick or yoke, the mouse will work instead... just click in the center of the windshield "
      "to actviate mouse control.",
      "Go to the 'Settings' menu and select 'Set Flight Mode...' to assign rudder availability."}},
    {605,
     {"Point and click to operate controls.",
      "Click above radio frequency knobs to increase frequency, below them to decrease.",
      "Click on the left and right side of the HSI OBS button to change the HSI OBS. Same with the "
      "pressure-setting on the altimeter.",
      "Just click the mouse wherever you want the throttle, flaps, etc to be to move them."}},
    {606,
     {"You never have to use the keyboard.",
      "If you want to use the keyboard, equivalents are available for almost everything.",
      "See the file 'Kestrova Instructions.txt' for a complete list of keyboard equivalents.",
      "You can also hit all the keys listed in the view menu to select views."}},
    {607,
     {"Just hit the ENTER or RETURN key to bring up the air traffic control menu.",
      "Then point and click with the mouse to make your selection. (Selection in pulsing yellow recommended).",
      "Go to the 'Set Sound' option in the 'Settings' menu to select ATC audio output.", ""}},
    {608,
     {"For tech support, call your Kestrova distributor.",
      "Have the file 'Error.out' from the Kestrova folder at hand: it lists every message of the last run.",
      "The file 'Kestrova.out' holds the flight data and the one-cycle dump, if you asked for them.",
      "Reset Preferences and Exit (in this menu) cures most settings that went wrong."}},
};

// The commands that work during a replay too. 1 when item is one of them.
int always_command(int item)
{
    if (is_view(item)) {
        choose_view(item);
        return 1;
    }
    if (item >= AIRPORT_MAP_ITEM && item < AIRPORT_MAP_ITEM + LCL_MAX) {
        airport_map(item - AIRPORT_MAP_ITEM);
        return 1;
    }
    for (const Instructions& in : k_instructions) {
        if (in.item != item) continue;
        MACIBM_alert(in.line[0], in.line[1], in.line[2], in.line[3], ALERT_NOTICE);
        return 1;
    }
    switch (item) {
    case 400: graph_window(); return 1;
    case 402:
    case 403:
    case 404:
        msc.map_type = item;
        MACIBM_startwind(3);
        return 1;
    case 405: MACIBM_startwind(23); return 1;
    case 406: MACIBM_startwind(4); return 1;
    case 524: zoom(1); return 1;
    case 525: zoom(0); return 1;
    case 526: grf.show_path = !grf.show_path; return 1;
    case 527: reset_path(); return 1;
    case 529: enter_replay(); return 1;
    case 530: leave_replay(); return 1;
    case 600: one_cycle_dump(); return 1;
    case 602: reset_preferences_and_exit(); return 1;
    case 610: msc.logtime = !msc.logtime; return 1;
    default: return 0;
    }
}

}  // namespace

void reset_replay_slot(void) { g_slot = {}; }

void handle_menu(int item)
{
    if (item == 105) {
        quit_simulator();
        return;
    }
    if (always_command(item)) return;
    if (set.replay_mode != 0) return;
    replay_blocked_command(item);
}

int menu_checked(int item)
{
    if (item >= 500 && item <= 522) return item == set.view_type;
    switch (item) {
    case 526: return grf.show_path != 0;
    case 529: return set.replay_mode != 0;
    case 530: return set.replay_mode == 0;
    case 610: return msc.logtime != 0;
    default: return 0;
    }
}
