// hw_main.cpp -- Hullwright's program: start-up, the menus and keys, the view commands, opening
// and saving aircraft files with the save-changes question, and the preference file.
#include "hullwright.h"

#include "hl_event.h"
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_menu.h"
#include "hl_mnw.h"
#include "hl_model.h"
#include "hl_opensave.h"
#include "hl_string.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

hullmiscstruct hmsc;

namespace {

constexpr int PREFS_VERSION = 3;
constexpr int PREFS_KIND = 207;

int g_quit_done = 0;     // Quit ran its questions in this pass and the program is ending

// ---- menus ----------------------------------------------------------------------------------------

struct item {
    int number;
    const char* name;
};

const char k_new_help[] = "This will create a fresh starting point for a new aircraft.";
const char k_open_help[] = "This will open an existing aircraft.";
const char k_save_help[] = "This will save the currently open aircraft.";

const item k_standard_plane[] = {
    {200, "Viewpoint"}, {201, "Panel"}, {202, "-"}, {203, "Force Feedback"}, {204, "-"}, {205, "Engines"},
    {206, "Props"}, {207, "-"}, {208, "Wing 1"}, {209, "Wing 2"}, {210, "Wing 3"}, {211, "Horizontal Stabilizer"},
    {212, "Vertical Stabilizer 1"}, {213, "Vertical Stabilizer 2"}, {214, "-"}, {215, "Control Geometry"},
    {216, "-"}, {217, "Fuselage"}, {218, "Engine Nacelles"}, {219, "Fuel Tanks or Floats"}, {220, "Wheel Fairings"},
    {221, "Engine Pylons"}, {222, "-"}, {223, "Weight & Balance"}, {224, "-"}, {225, "Landing Gear"},
};
const item k_standard_heli[] = {
    {200, "Viewpoint"}, {201, "Panel"}, {202, "-"}, {203, "Force Feedback"}, {204, "-"}, {205, "Engine"},
    {206, "Main Rotor"}, {207, "Tail Rotor"}, {208, "Rotor System"}, {209, "-"}, {210, "Horizontal Stabilizer"},
    {211, "Vertical Stabilizer 1"}, {212, "Vertical Stabilizer 2"}, {213, "-"}, {214, "Fuselage"},
    {215, "Nacelle (Rotor Mast)"}, {216, "Fuel Tanks or Floats"}, {217, "Wheel Fairings"}, {218, "-"},
    {219, "Weight & Balance"}, {220, "-"}, {221, "Landing Gear"},
};
const item k_expert_plane[] = {
    {300, "Prop"}, {301, "Wing 1"}, {302, "Wing 2"}, {303, "Wing 3"}, {304, "Horizontal Stabilizer"},
    {305, "Vertical Stabilizer 1"}, {306, "Vertical Stabilizer 2"}, {307, "-"}, {308, "Special Controls"},
    {309, "VTOL Controls"}, {310, "-"}, {311, "Artificial Stability"},
};
const item k_expert_heli[] = {
    {300, "Main Rotor"}, {301, "Tail Rotor"}, {302, "Horizontal Stabilizer"}, {303, "-"},
    {304, "Stability-Augmentation"},
};
const item k_background[] = {
    {400, "Top"}, {401, "Bottom"}, {402, "Side"}, {403, "Front"}, {404, "Back"}, {405, "-"},
    {406, "Adjust Heading[A]"}, {407, "Adjust Heading[D]"}, {408, "Adjust Roll   [W]"}, {409, "Adjust Roll   [S]"},
    {410, "-"}, {411, "Move Left     [J]"}, {412, "Move Right    [L]"}, {413, "Move Up       [I]"},
    {414, "Move Down     [K]"}, {415, "-"}, {416, "Zoom in a Bit [X]"}, {417, "Zoom out a Bit[Z]"}, {418, "-"},
    {419, "3-D Quick"}, {420, "3-D Long"},
};
const item k_special[] = {
    {500, "Ellipse-Smooth Fuselage        [Low-f]"}, {501, "Ellipse-Smooth Nacelles        [Low-n]"},
    {502, "Ellipse-Smooth Tanks or Floats [Low-t]"}, {503, "Ellipse-Smooth Wheel Fairings  [Low-e]"}, {504, "-"},
    {505, "Total-Smooth Fuselage          [Cap-F]"}, {506, "Total-Smooth Nacelles          [Cap-N]"},
    {507, "Total-Smooth Tanks or Floats   [Cap-T]"}, {508, "Total-Smooth Wheel Fairings    [Cap-E]"}, {509, "-"},
    {510, "Switch to AIRPLANE-MAKING mode"}, {511, "Switch to HELICOPTER-MAKING mode"}, {512, "-"},
    {513, "Show With Wireframe"}, {514, "Show With Textures"}, {515, "-"}, {516, "Show With Still Controls"},
    {517, "Show With Moving Controls"}, {518, "-"}, {519, "Show With Black Background"},
    {520, "Show With Sky Background"}, {521, "-"}, {522, "Reload Textures                    [R]"},
    {523, "Output Texture-Map Starting Points"},
};

// Empties menu m's items, so that a shorter item set leaves none of the longer one behind.
void clear_menu(int m)
{
    for (int i = 0; i < MAX_ITEMS; i++) {
        mnw.item_name[m][i][0] = 0;
        if (m < HELP_MENUS) mnw.item_help[m * MAX_ITEMS + i][0] = 0;
    }
}

// Appends the items of a list; with pad, every name but the separators padded with blanks to the
// longest name of the list.
template <size_t N>
void append_items(int menu, const item (&items)[N], int pad)
{
    size_t width = 0;
    for (const item& it : items) width = std::max(width, std::strlen(it.name));
    for (const item& it : items) {
        char name[MENU_NAME_LEN];
        if (pad && std::strcmp(it.name, "-") != 0)
            std::snprintf(name, sizeof name, "%-*s", static_cast<int>(width), it.name);
        else
            std::snprintf(name, sizeof name, "%s", it.name);
        MACIBM_append_menu(menu, it.number, name, "");
    }
}

// ---- the view commands ----------------------------------------------------------------------------

void view_preset(int item)
{
    static const float angles[5][2] = {{270, -90}, {270, 90}, {270, 0}, {180, 0}, {0, 0}};
    hmsc.the = 0.0f;
    hmsc.psi = angles[item - HW_VIEW_TOP][0];
    hmsc.phi = angles[item - HW_VIEW_TOP][1];
}

// Smoothing of the menu items 500..503 and 505..508.
void smooth_item(int item)
{
    static const int bodies[4] = {BODY_FUSELAGE, BODY_NACELLE, BODY_MISC, BODY_FAIRING};
    const int total = item >= HW_SMOOTH_TOTAL;
    smoothit(bodies[item - (total ? HW_SMOOTH_TOTAL : HW_SMOOTH_ELLIPSE)], total);
    hmsc.planemod = 1;
}

// New aircraft of the kind is_heli, once the changes are dealt with.
void new_aircraft(int is_heli)
{
    if (!do_new_thing()) return;
    if (is_heli >= 0) pln[0].is_heli = is_heli;
    setup_baseplane("Untitled.acf");
    MACIBM_startwind(0);
}

void quit(void)
{
    if (!do_new_thing()) return;
    hw_write_prefs();
    g_quit_done = 1;
    gdone = 1;
}

// The alerts of a file that could not be taken.
void open_failed(AcfReadResult r, const char* path)
{
    if (r == ACF_READ_MISSING)
        MACIBM_alert("I am unable to open the airplane! Sorry!!!", "I am trying to open:", path,
                     "The actual file-opening has failed. inf_open failed after string selected!", ALERT_NOTICE);
    else
        acf_read_alert(r, path);
}

// A text line of the preference file without its line end; false at the end of the file.
bool pref_line(std::string* line)
{
    line->clear();
    int c;
    while ((c = inf1.get()) != EOF) {
        if (c == '\n') return true;
        if (c == '\r') {
            if (inf1.peek() == '\n') inf1.get();
            return true;
        }
        line->push_back(static_cast<char>(c));
    }
    return !line->empty();
}

bool pref_float(float* v)
{
    std::string line;
    if (!pref_line(&line)) return false;
    char* end = nullptr;
    const float x = std::strtof(line.c_str(), &end);
    if (end == line.c_str() || !std::isfinite(x)) return false;
    *v = x;
    return true;
}

}  // namespace

void hw_set_text(char* dst, const char* src)
{
    std::memset(dst, 0, STR_LEN);
    std::snprintf(dst, STR_LEN, "%s", src ? src : "");
}

void hw_set_names(const char* file, const char* path)
{
    hw_set_text(pln[0].C_file, file);
    hw_set_text(pln[0].C_path, path);
    // The aircraft's name is its file's name less the ".acf" ending the save dialog gives it.
    const size_t n = std::strlen(pln[0].C_file);
    const int cut = has_kind_ending(pln[0].C_file, OS_KIND_AIRCRAFT) ? 4 : 0;
    std::memset(pln[0].C_name, 0, STR_LEN);
    std::snprintf(pln[0].C_name, STR_LEN, "%.*s", static_cast<int>(n) - cut, pln[0].C_file);
}

void hw_defaults(void)
{
    hmsc = {};
    hmsc.zoom = 1.0f;
    hmsc.bluesky = 0;
    mnw.draw_wire = 1;
    hmsc.the = 0.0f;
    // The view the automatic turn ends at: from ahead, above and to the left.
    hmsc.psi = 225.0f;
    hmsc.phi = 315.0f;
    hmsc.dis_to_plane = 1.0f;
    hmsc.drag_point = -1;
}

void hw_setupmenus(void)
{
    for (int m = 0; m <= 5; m++) clear_menu(m);
    hl_reset_menus();
    const int heli = pln[0].is_heli != 0;
    MACIBM_create_menu(0, -1, "About");
    MACIBM_append_menu(0, 0, "About", "");
    MACIBM_create_menu(1, -1, "File");
    MACIBM_append_menu(1, HW_NEW, "New", k_new_help);
    MACIBM_append_menu(1, HW_OPEN, "Open", k_open_help);
    MACIBM_append_menu(1, HW_SAVE, "Save", k_save_help);
    MACIBM_append_menu(1, HW_SAVE_AS, "Save As", k_save_help);
    MACIBM_append_menu(1, 104, "-", "");
    MACIBM_append_menu(1, HW_QUIT, "Quit", "");
    MACIBM_create_menu(2, -1, "Standard");
    if (heli) append_items(2, k_standard_heli, 0);
    else append_items(2, k_standard_plane, 0);
    MACIBM_create_menu(3, -1, "Expert");
    if (heli) append_items(3, k_expert_heli, 0);
    else append_items(3, k_expert_plane, 0);
    MACIBM_create_menu(4, -1, "Background");
    append_items(4, k_background, 1);
    MACIBM_create_menu(5, -1, "Special");
    append_items(5, k_special, 1);
}

int do_new_thing(void)
{
    if (!hmsc.planemod) return 1;
    switch (MACIBM_nuke_alert(pln[0].C_file)) {
    case 1: return writeout(0);
    case 2: return 1;
    default: return 0;
    }
}

void hw_handlemenu(int item)
{
    const int heli = pln[0].is_heli != 0;
    if ((item >= 200 && item <= (heli ? 221 : 225)) || (item >= 300 && item <= (heli ? 304 : 311))) {
        const char* title;
        float dx, dy;
        if (hw_window_info(item, &title, &dx, &dy)) {
            hmsc.station = 0;
            hmsc.drag_point = -1;
            MACIBM_startwind(item);
        }
    } else if (item >= HW_VIEW_TOP && item <= HW_VIEW_BACK) {
        view_preset(item);
    } else if ((item >= HW_SMOOTH_ELLIPSE && item <= 503) || (item >= HW_SMOOTH_TOTAL && item <= 508)) {
        smooth_item(item);
    } else {
        switch (item) {
        case 0: MACIBM_alert("", "", "", "", ALERT_ABOUT); break;
        case HW_NEW: new_aircraft(-1); break;
        case HW_OPEN:
            if (do_new_thing()) openplane(0);
            break;
        case HW_SAVE: writeout(0); break;
        case HW_SAVE_AS: writeout(1); break;
        case HW_QUIT: quit(); break;
        case HW_HEADING_LEFT:
        case HW_HEADING_RIGHT:
            hmsc.psi = fltwrap(hmsc.psi + (item == HW_HEADING_LEFT ? 10.0f : -10.0f), 0.0f, 360.0f);
            break;
        case HW_ROLL_LEFT:
        case HW_ROLL_RIGHT:
            hmsc.phi = fltwrap(hmsc.phi + (item == HW_ROLL_LEFT ? 10.0f : -10.0f), 0.0f, 360.0f);
            break;
        case HW_MOVE_LEFT: hmsc.xos -= 0.05f; break;
        case HW_MOVE_RIGHT: hmsc.xos += 0.05f; break;
        case HW_MOVE_UP: hmsc.yos += 0.05f; break;
        case HW_MOVE_DOWN: hmsc.yos -= 0.05f; break;
        case HW_ZOOM_IN: hmsc.zoom /= 1.05f; break;
        case HW_ZOOM_OUT: hmsc.zoom *= 1.05f; break;
        case HW_TURN_QUICK:
        case HW_TURN_LONG: hmsc.rotate_code = item; break;
        case HW_AIRPLANE: new_aircraft(0); break;
        case HW_HELICOPTER: new_aircraft(1); break;
        case HW_WIRE: mnw.draw_wire = 1; break;
        case HW_TEXTURED: mnw.draw_wire = 0; break;
        case HW_STILL: hmsc.movecons = 0; break;
        case HW_MOVING: hmsc.movecons = 1; break;
        case HW_BLACK:
        case HW_SKY:
            hmsc.bluesky = item == HW_SKY;
            MACIBM_startwind(0);
            break;
        case HW_RELOAD_PAINT:
            load_plane_geo(1, 0, 0);
            mnw.draw_wire = 0;
            break;
        case HW_TEMPLATES:
            MACIBM_alert("I shall now create a bitmap called 'start fuse.bmp', which will contain an outline of the "
                         "fuselage of this airplane.",
                         "I will do the same thing for all the other parts on this airplane. You may adjust the SIZES "
                         "of these bitmaps to any power of 2.",
                         "These bitmaps are good starting points for you to do your own textures for this airplane "
                         "with a graphics program.",
                         "Just remember, if you change the aircraft geometry, then you will need to change your "
                         "texture to fit the new shape of the plane!",
                         ALERT_NOTICE);
            load_plane_geo(0, 1, 0);
            break;
        default: break;
        }
    }
    // The aircraft's kind chooses the Standard and Expert items.
    hw_setupmenus();
}

void hw_handlekey(char c)
{
    switch (c) {
    case 'a': case 'A': hw_handlemenu(HW_HEADING_LEFT); break;
    case 'd': case 'D': hw_handlemenu(HW_HEADING_RIGHT); break;
    case 'w': case 'W': hw_handlemenu(HW_ROLL_LEFT); break;
    case 's': case 'S': hw_handlemenu(HW_ROLL_RIGHT); break;
    case 'j': case 'J': hw_handlemenu(HW_MOVE_LEFT); break;
    case 'l': case 'L': hw_handlemenu(HW_MOVE_RIGHT); break;
    case 'i': case 'I': hw_handlemenu(HW_MOVE_UP); break;
    case 'k': case 'K': hw_handlemenu(HW_MOVE_DOWN); break;
    case 'x': case 'X': hw_handlemenu(HW_ZOOM_IN); break;
    case 'z': case 'Z': hw_handlemenu(HW_ZOOM_OUT); break;
    case 'r': case 'R': hw_handlemenu(HW_RELOAD_PAINT); break;
    case 'f': hw_handlemenu(500); break;
    case 'n': hw_handlemenu(501); break;
    case 't': hw_handlemenu(502); break;
    case 'e': hw_handlemenu(503); break;
    case 'F': hw_handlemenu(505); break;
    case 'N': hw_handlemenu(506); break;
    case 'T': hw_handlemenu(507); break;
    case 'E': hw_handlemenu(508); break;
    default: break;
    }
}

int openplane(int quiet)
{
    char name[STR_LEN], path[STR_LEN];
    hw_set_text(name, pln[0].C_file);
    hw_set_text(path, pln[0].C_path);
    if (!quiet && !MACIBM_opensave(WIND_OPEN, OS_KIND_AIRCRAFT, name, path)) return 0;
    const int was_heli = pln[0].is_heli != 0;

    // The reader takes the file only when it is whole: one that cannot be taken leaves the
    // aircraft being edited as it was.
    const AcfReadResult r = read_plane_record(path, &pln[0], 0);
    if (r != ACF_READ_OK) {
        if (!(quiet && r == ACF_READ_MISSING)) open_failed(r, path);
        return 0;
    }
    hw_set_text(pln[0].C_file, name);
    hw_set_text(pln[0].C_path, path);
    assign_all_thicknesses();
    load_plane_geo(1, 0, 0);
    hmsc.planemod = 0;
    hmsc.planenamed = 1;
    if (pln[0].ADFtype != 2) pln[0].ADFtype = 1;
    if (pln[0].TStype != 2) pln[0].TStype = 1;
    // The window numbers mean other windows for the other kind: the window open gives way to its
    // counterpart, or to the preview alone when the opened kind has none.
    if ((pln[0].is_heli != 0) != was_heli && mnw.topwin != 0)
        MACIBM_startwind(hw_counterpart_window(mnw.topwin, pln[0].is_heli));
    return 1;
}

int writeout(int save_as)
{
    char name[STR_LEN], path[STR_LEN];
    hw_set_text(name, pln[0].C_file);
    hw_set_text(path, pln[0].C_path);
    if (!hmsc.planenamed || save_as) {
        if (!MACIBM_opensave(WIND_SAVE, OS_KIND_AIRCRAFT, name, path)) return 0;
    }
    // The names go into the record that is written; they stay only when the file was written.
    char keep_file[STR_LEN], keep_name[STR_LEN], keep_path[STR_LEN];
    std::memcpy(keep_file, pln[0].C_file, STR_LEN);
    std::memcpy(keep_name, pln[0].C_name, STR_LEN);
    std::memcpy(keep_path, pln[0].C_path, STR_LEN);
    hw_set_names(name, path);
    // Written whole beside the old file and then put in its place, or not at all.
    if (!write_plane(0, path)) {
        std::memcpy(pln[0].C_file, keep_file, STR_LEN);
        std::memcpy(pln[0].C_name, keep_name, STR_LEN);
        std::memcpy(pln[0].C_path, keep_path, STR_LEN);
        return 0;
    }
    // Only a save that succeeded clears the changes; a cancelled or failed one leaves them marked,
    // whatever the save question was answered for does next.
    hmsc.planenamed = 1;
    hmsc.planemod = 0;
    return 1;
}

void hw_read_prefs(void)
{
    if (!prf_path[0]) return;
    const int saved_use = inf_use;
    inf_use = 1;
    if (!inf_open(prf_path, PREFS_KIND, PREFS_VERSION, 0)) {
        inf1.close();
        inf1.clear();
        inf_use = saved_use;
        return;
    }
    // Read plainly: a damaged preference file only means the start values stay.
    float v[5];
    std::string wire, sky, file, path;
    bool ok = true;
    for (float& x : v) ok = ok && pref_float(&x);
    ok = ok && pref_line(&wire) && pref_line(&sky) && pref_line(&file) && pref_line(&path);
    inf1.close();
    inf1.clear();
    inf_use = saved_use;
    if (!ok || file.size() >= STR_LEN || path.size() >= STR_LEN) return;
    hmsc.xos = fltlim(v[0], -10.0f, 10.0f);
    hmsc.yos = fltlim(v[1], -10.0f, 10.0f);
    hmsc.the = fltwrap(v[2], 0.0f, 360.0f);
    hmsc.psi = fltwrap(v[3], 0.0f, 360.0f);
    hmsc.phi = fltwrap(v[4], 0.0f, 360.0f);
    mnw.draw_wire = std::atoi(wire.c_str()) == 1;
    hmsc.bluesky = std::atoi(sky.c_str()) == 1;
    if (path.empty()) return;
    // The aircraft last used opens quietly; when it cannot, the untitled one keeps its own names.
    char keep_file[STR_LEN], keep_path[STR_LEN];
    std::memcpy(keep_file, pln[0].C_file, STR_LEN);
    std::memcpy(keep_path, pln[0].C_path, STR_LEN);
    hw_set_text(pln[0].C_file, file.c_str());
    hw_set_text(pln[0].C_path, path.c_str());
    if (openplane(1)) return;
    std::memcpy(pln[0].C_file, keep_file, STR_LEN);
    std::memcpy(pln[0].C_path, keep_path, STR_LEN);
}

int hw_write_prefs(void)
{
    if (!prf_path[0] || !ouf_open(prf_path, PREFS_KIND, PREFS_VERSION)) return 0;
    // An unnamed aircraft is not one to open next time.
    const char* path = hmsc.planenamed ? pln[0].C_path : "";
    ouf << hmsc.xos << '\n'
        << hmsc.yos << '\n'
        << hmsc.the << '\n'
        << hmsc.psi << '\n'
        << hmsc.phi << '\n'
        << (mnw.draw_wire ? 1 : 0) << '\n'
        << (hmsc.bluesky ? 1 : 0) << '\n'
        << pln[0].C_file << '\n'
        << path << '\n';
    return ouf_close(prf_path);
}

void hw_pass(void)
{
    if (gdone) return;   // the program is ending
    g_quit_done = 0;
    MACIBM_event_proc();
    if (!gdone || g_quit_done) return;
    // The window is being closed: the same question as Quit; Cancel keeps the designer running.
    gdone = 0;
    quit();
}
