// lw_main.cpp -- Landwright's program: start-up, the menus and keys, Quit with its save questions,
// and the terrain textures.
#include "landwright.h"

#include "hl_event.h"
#include "hl_file.h"
#include "hl_graph.h"
#include "hl_menu.h"
#include "hl_mnw.h"
#include "hl_string.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt.h"

#include <cstdio>

namespace {

struct TerrainTex {
    int number;
    const char* name;
};

const TerrainTex k_terrain[12] = {
    {TEX_WATER, "wat"},          {TEX_FLAT, "grs"},           {TEX_STEEP, "mnt"},
    {TEX_WAT_FLAT_EDGE, "grs_wat_h"},   {TEX_WAT_FLAT_OUTER, "grs_wat_c"},   {TEX_WAT_FLAT_INNER, "wat_grs_c"},
    {TEX_STEEP_FLAT_EDGE, "grs_mnt_h"}, {TEX_STEEP_FLAT_OUTER, "grs_mnt_c"}, {TEX_STEEP_FLAT_INNER, "mnt_grs_c"},
    {TEX_WAT_STEEP_EDGE, "mnt_wat_h"},  {TEX_WAT_STEEP_OUTER, "mnt_wat_c"},  {TEX_WAT_STEEP_INNER, "wat_mnt_c"},
};

int g_quit_done = 0;   // Quit ran its questions in this pass and the program is ending

// Quit: the square, then the airports, then the navaids; a Cancel keeps the program running and
// writes no preferences.
void quit(void)
{
    if (!handle_save(LW_SAVE_SQUARE, lmsc.map_dirty)) return;
    if (!handle_save(LW_SAVE_APT, lmsc.apt_dirty)) return;
    if (!handle_save(LW_SAVE_NAV, lmsc.nav_dirty)) return;
    lw_write_prefs();
    g_quit_done = 1;
    gdone = 1;
}

}  // namespace

void lw_load_terrain_textures(void)
{
    for (const TerrainTex& t : k_terrain) {
        char path[STR_LEN];
        std::snprintf(path, sizeof path, "%s", t.name);
        if (ap_dir("textures", path)) OGL_texbmp(TEXBMP_PATH, t.number, ALPHA_TERRAIN, path);
    }
}

void lw_setupmenus(void)
{
    MACIBM_create_menu(0, -1, "About");
    MACIBM_append_menu(0, 0, "About", "Check the version number of this program.");
    MACIBM_create_menu(1, -1, "File");
    MACIBM_append_menu(1, 100, "Save Terrain and Obstacles",
                       "Save the terrain and obstacles for this square degree of latitude and longitude to the "
                       "'additional nav data' folder, where it will over-ride any scenery on the Kestrova CD.");
    MACIBM_append_menu(1, 101, "Save Airports", "Save the airports to the 'additional nav data' folder.");
    MACIBM_append_menu(1, 102, "Save Navaids", "Save the NAVAIDS to the 'additional nav data' folder.");
    MACIBM_append_menu(1, 103, "-", "");
    MACIBM_append_menu(1, 104, "Quit", "Quit Landwright, asking first to save any unsaved changes.");
    MACIBM_create_menu(2, -1, "Edit");
    MACIBM_append_menu(2, 200, "Terrain", "Edit terrain for this square degree of latitude and longitude.");
    MACIBM_append_menu(2, 201, "Obstacles", "Edit obstacles for this square degree of latitude and longitude.");
    MACIBM_append_menu(2, 202, "Airports", "Edit airports for the entire planet.");
    MACIBM_append_menu(2, 203, "Navaids", "Edit NAVAIDS for the entire planet.");
    MACIBM_create_menu(3, -1, "Special");
    MACIBM_append_menu(3, 300, "Pan Up       [arrow]", "Adjust the map for editing.");
    MACIBM_append_menu(3, 301, "Pan Down     [arrow]", "Adjust the map for editing.");
    MACIBM_append_menu(3, 302, "Pan Left     [arrow]", "Adjust the map for editing.");
    MACIBM_append_menu(3, 303, "Pan Right    [arrow]", "Adjust the map for editing.");
    MACIBM_append_menu(3, 304, "Zoom In          [+]", "Zoom in or out.");
    MACIBM_append_menu(3, 305, "Zoom Out         [-]", "Zoom in or out.");
    MACIBM_append_menu(3, 306, "-", "");
    MACIBM_append_menu(3, 307, "Advance Edit     [m]",
                       "Go to next editing mode when in edit terrain or obstacle mode.");
    MACIBM_append_menu(3, 308, "Texture Mode [SPACE]",
                       "See how the textures will look in Kestrova. Use this option to tune your coastlines (by "
                       "selecting which polys are on water) to avoid any weird texturing artifacts.");
    MACIBM_append_menu(3, 309, "Auto-Flatten Water",
                       "This will cause Landwright to automatically flatten all contiguous water in this file so you "
                       "don't have to. Do not do this on a file with steeply-flowing rivers.");
}

void lw_handlemenu(int item)
{
    const int map_screen = lmsc.edit_mode == LW_TERRAIN || lmsc.edit_mode == LW_OBSTACLES;
    switch (item) {
    case 0: MACIBM_alert("", "", "", "", ALERT_ABOUT); break;
    case 100: writeout(LW_SAVE_SQUARE, 0); break;
    case 101: writeout(LW_SAVE_APT, 0); break;
    case 102: writeout(LW_SAVE_NAV, 0); break;
    case 104: quit(); break;
    case 200:
    case 201:
    case 202:
    case 203:
        lmsc.edit_mode = item;
        MACIBM_startwind(0);
        break;
    case 300:
    case 301:
    case 302:
    case 303:
    case 304:
    case 305: lw_map_command(item); break;
    case 307:
        if (lmsc.edit_mode == LW_TERRAIN) {
            lmsc.map_mode = (lmsc.map_mode + 1) % 5;
        } else if (lmsc.edit_mode == LW_OBSTACLES) {
            if (lmsc.obj_mode == OBJ_MODE_DELETE) lmsc.obj_mode = OBJ_MODE_DRAG;
            else if (lmsc.obj_mode == OBJ_MODE_DRAG) lmsc.obj_mode = OBJ_MODE_SELECT;
            else if (lmsc.obj_mode == OBJ_MODE_SELECT) lmsc.obj_mode = OBJ_MODE_DELETE;
            else lmsc.obj_mode = OBJ_MODE_DRAG;
        }
        break;
    case 308:
        if (map_screen) {
            lmsc.draw_tex = !lmsc.draw_tex;
            if (lmsc.draw_tex) lw_assign_textures();
        }
        break;
    case 309:
        if (map_screen) {
            auto_flatten();
            lmsc.map_dirty = 1;
        }
        break;
    default: break;
    }
}

void lw_handlekey(char c)
{
    switch (c) {
    case '+':
    case '=': lw_handlemenu(304); break;
    case '-':
    case '_': lw_handlemenu(305); break;
    case 'm':
    case 'M': lw_handlemenu(307); break;
    case ' ': lw_handlemenu(308); break;
    default: break;
    }
}

void arrow_keys(int code)
{
    // 1 up, 2 left, 3 down, 4 right.
    static const int items[5] = {0, 300, 302, 301, 303};
    if (code >= 1 && code <= 4) lw_handlemenu(items[code]);
}

char* lw_edit_text(int* size)
{
    if (lmsc.edit_mode == LW_AIRPORTS && lmsc.apt_index >= 0 && lmsc.apt_index <= apt_wrl_max) {
        *size = APT_NAME_LEN;
        lmsc.apt_dirty = 1;
        return apt_name[lmsc.apt_index];
    }
    if (lmsc.edit_mode == LW_NAVAIDS && lmsc.nav_index >= 0 && lmsc.nav_index <= nav_wrl_max &&
        nav_type[lmsc.nav_index] >= 2) {
        *size = APT_NAME_LEN;
        lmsc.nav_dirty = 1;
        return nav_name[lmsc.nav_index];
    }
    *size = 0;
    return nullptr;
}

void lw_pass(void)
{
    if (gdone) return;   // the program is ending
    g_quit_done = 0;
    MACIBM_event_proc();
    if (!gdone || g_quit_done) return;
    // The window is being closed: the same questions as Quit; Cancel keeps the editor running.
    gdone = 0;
    quit();
}

int WinMain(void)
{
    if (!PLT_single_instance("Landwright")) return 0;
    clear_globals();
    g_quit_done = 0;
    MACIBM_init();
    hl_warn_unsaved_settings();
    lw_defaults();
    lw_read_prefs();
    lw_load_terrain_textures();
    read_terrain();
    lw_read_databases();
    if (!gdone) MACIBM_startwind(0);
    while (!gdone) lw_pass();
    MACIBM_finishup();
    return 0;
}
