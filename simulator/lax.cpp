// lax.cpp -- Kestrova's entry point, textures and way out.
#include "lax.h"

#include "genwrld.h"
#include "hl_event.h"
#include "hl_funct.h"
#include "hl_joy.h"
#include "hl_mnw.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hl_worlddb.h"
#include "initgen.h"
#include "initpln.h"
#include "pending.h"
#include "plt.h"
#include "prefs.h"
#include "startpos.h"

#include <cstdio>
#include <cstring>

namespace {

// What load_texes last loaded.
int o_first = 1;
int o_freezing = 0, o_lowlat = 0, o_ogl_res = -99;
char o_C_path[2][STR_LEN];

struct NamedTex {
    int tex;
    const char* name;
};

void load_list(const NamedTex* list, int n, int family)
{
    for (int i = 0; i < n; i++) OGL_texbmp(TEXBMP_FAMILY, list[i].tex, family, list[i].name);
}

void load_terrain_textures(void)
{
    static const NamedTex terrain[] = {
        {50, "wat"},       {54, "grs"},       {58, "mnt"},       {51, "grs_wat_h"}, {52, "grs_wat_c"}, {53, "wat_grs_c"},
        {55, "grs_mnt_h"}, {56, "grs_mnt_c"}, {57, "mnt_grs_c"}, {59, "mnt_wat_h"}, {60, "mnt_wat_c"}, {61, "wat_mnt_c"},
    };
    load_list(terrain, static_cast<int>(sizeof terrain / sizeof terrain[0]), ALPHA_TERRAIN);
}

void load_fixed_textures(void)
{
    static const char* const runway[24] = {
        "rway_0L", "rway_1L", "rway_2L", "rway_3L", "rway_0R",   "rway_1R",   "rway_2R",   "rway_3R",
        "rway_4R", "rway_5R", "rway_6R", "rway_7R", "rway_8R",   "rway_9R",   "rway_L",    "rway_C",
        "rway_R",  "rway_turn", "rway_pave", "rway_disp", "rway_thld", "rway_tdzm", "rway_fdmk", "rway_line",
    };
    for (int k = 0; k < 24; k++) {
        OGL_texbmp(TEXBMP_FAMILY, 68 + k, 0, runway[k]);   // asphalt set
        OGL_texbmp(TEXBMP_FAMILY, 92 + k, 0, runway[k]);   // concrete set
    }
    static const NamedTex plain[] = {
        {116, "tire"},       {117, "metal"},      {118, "deck"},        {119, "dirty"},      {120, "pad"},
        {121, "tower"},      {122, "hull"},       {123, "bld_block"},   {124, "bld_nartop"}, {125, "bld_tapered"},
        {126, "bld_narbot"}, {127, "bld_avon"},   {128, "bld_contow"},  {145, "windsock"},
    };
    load_list(plain, static_cast<int>(sizeof plain / sizeof plain[0]), 0);
    static const NamedTex keyed[] = {{64, "rway_gras"}, {65, "rway_dirt"}, {66, "rway_grav"}, {129, "tree"}};
    load_list(keyed, static_cast<int>(sizeof keyed / sizeof keyed[0]), ALPHA_KEY);
    for (int k = 1; k <= 12; k++) {
        char name[16];
        std::snprintf(name, sizeof name, "fire%d", k);
        OGL_texbmp(TEXBMP_FAMILY, 132 + k, ALPHA_KEY, name);
    }
    static const NamedTex bright[] = {{130, "pdisc"}, {131, "cloud"}, {132, "smoke"}};
    load_list(bright, static_cast<int>(sizeof bright / sizeof bright[0]), ALPHA_BRIGHT);
}

}  // namespace

void reset_load_texes(void)
{
    o_first = 1;
    o_ogl_res = -99;
    std::memset(o_C_path, 0, sizeof o_C_path);
}

void load_texes(void)
{
    // The same tests as the picture loader's snow and tropical variants.
    int freezing = atm.temp_SL < 32.0f ? 1 : 0;
    int lowlat = flt.lat < 30.0f ? 1 : 0;
    if (o_first) {
        o_freezing = !freezing;
        o_lowlat = !lowlat;
        o_first = 0;
    }
    int res = set.ogl_res;
    for (int p = 0; p < 2; p++)
        if (std::strcmp(pln[p].C_path, o_C_path[p]) != 0 || res != o_ogl_res) load_plane_geo(1, 0, p);
    if (freezing != o_freezing || lowlat != o_lowlat || res != o_ogl_res) load_terrain_textures();
    if (res != o_ogl_res) load_fixed_textures();
    o_ogl_res = res;
    o_freezing = freezing;
    o_lowlat = lowlat;
    for (int p = 0; p < 2; p++) std::snprintf(o_C_path[p], STR_LEN, "%s", pln[p].C_path);
}

void quit_simulator(void)
{
    write_prefs_at_exit();
    if (msc.logtime) {
        int h[3], m[3];
        sec_to_hrs_min(msc.elap_time, &h[0], &m[0]);
        sec_to_hrs_min(msc.nigt_time, &h[1], &m[1]);
        sec_to_hrs_min(msc.aifr_time, &h[2], &m[2]);
        char l[3][STR_LEN];
        std::snprintf(l[0], STR_LEN, "Total time logged: %d:%d.", h[0], m[0]);
        std::snprintf(l[1], STR_LEN, "Night time logged: %d:%d.", h[1], m[1]);
        std::snprintf(l[2], STR_LEN, "Actual instrument time logged: %d:%d.", h[2], m[2]);
        MACIBM_alert("Logbook results:", l[0], l[1], l[2], ALERT_NOTICE);
    }
    gdone = 1;
}

void write_prefs_at_exit(void)
{
    if (apt_lcl_max >= 0) dump_prefs(prf_path, FILE_KIND_PREFS);
}

namespace {

void read_databases(void) { read_world_db(nullptr); }
void load_whole_region(void) { load_region(1); }
// The user's aircraft, and the second aircraft as the same one.
void load_both_planes(void)
{
    load_plane(0);
    std::snprintf(pln[1].C_path, sizeof pln[1].C_path, "%s", pln[0].C_path);
    load_plane(1);
}
void start_on_the_runway(void) { set_fltvars(208, 7); }
void find_joystick(void) { JOY_init(); }
void first_textures(void)
{
    reset_load_texes();
    load_texes();
}

}  // namespace

int kestrova_run(void)
{
    clear_globals();
    MACIBM_init();
    // A window closed during start-up (while a notice is up) ends the program at the next step.
    static void (*const steps[])(void) = {init_gen,          read_databases,      start_prefs,   load_whole_region,
                                          load_both_planes,  start_on_the_runway, find_joystick, first_textures};
    for (void (*step)(void) : steps) {
        if (gdone) break;
        step();
    }
    // The progress bar is done: the empty screen (and the panel on it) replaces it.
    if (!gdone && initing) MACIBM_startwind(0);

    while (!gdone) MACIBM_event_proc();
    write_prefs_at_exit();
    MACIBM_finishup();
    return 0;
}

int WinMain(void)
{
    if (!PLT_single_instance("Kestrova")) return 0;
    return kestrova_run();
}
