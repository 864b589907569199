// lax.cpp -- Kestrova's entry point, textures and way out.
#include "lax.h"

#include "genwrld.h"
#include "hl_event.h"
#include "hl_funct.h"
#include "hl_joy.h"
#include "hl_mnw.h"
#include "hl_model.h"
#include "hl_sound.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hl_worlddb.h"
#include "hooks.h"
#include "initgen.h"
#include "initpln.h"
#include "plt.h"
#include "prefs.h"
#include "startpos.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace {

// What load_texes last loaded.
int o_first = 1;
int o_freezing = 0, o_lowlat = 0, o_ogl_res = -99;
char o_C_path[2][STR_LEN];

// The terrain pictures by their base names; the picture loader swaps in the snow and
// low-latitude variants.
constexpr lax_tex k_terrain[] = {
    {50, ALPHA_TERRAIN, "wat"},       {54, ALPHA_TERRAIN, "grs"},       {58, ALPHA_TERRAIN, "mnt"},
    {51, ALPHA_TERRAIN, "grs_wat_h"}, {52, ALPHA_TERRAIN, "grs_wat_c"}, {53, ALPHA_TERRAIN, "wat_grs_c"},
    {55, ALPHA_TERRAIN, "grs_mnt_h"}, {56, ALPHA_TERRAIN, "grs_mnt_c"}, {57, ALPHA_TERRAIN, "mnt_grs_c"},
    {59, ALPHA_TERRAIN, "mnt_wat_h"}, {60, ALPHA_TERRAIN, "mnt_wat_c"}, {61, ALPHA_TERRAIN, "wat_mnt_c"},
};

// The runway pictures, loaded twice: the asphalt set from 68, the concrete set from 92.
constexpr int RUNWAY_PICTURES = 24;
constexpr const char* k_runway[RUNWAY_PICTURES] = {
    "rway_0L", "rway_1L", "rway_2L",   "rway_3L",   "rway_0R",   "rway_1R",   "rway_2R",   "rway_3R",
    "rway_4R", "rway_5R", "rway_6R",   "rway_7R",   "rway_8R",   "rway_9R",   "rway_L",    "rway_C",
    "rway_R",  "rway_turn", "rway_pave", "rway_disp", "rway_thld", "rway_tdzm", "rway_fdmk", "rway_line",
};

constexpr lax_tex k_other[] = {
    {116, 0, "tire"},          {117, 0, "metal"},        {118, 0, "deck"},          {119, 0, "dirty"},
    {120, 0, "pad"},           {121, 0, "tower"},        {122, 0, "hull"},          {123, 0, "bld_block"},
    {124, 0, "bld_nartop"},    {125, 0, "bld_tapered"},  {126, 0, "bld_narbot"},    {127, 0, "bld_avon"},
    {128, 0, "bld_contow"},    {145, 0, "windsock"},
    {64, ALPHA_KEY, "rway_gras"}, {65, ALPHA_KEY, "rway_dirt"}, {66, ALPHA_KEY, "rway_grav"}, {129, ALPHA_KEY, "tree"},
    {133, ALPHA_KEY, "fire1"}, {134, ALPHA_KEY, "fire2"}, {135, ALPHA_KEY, "fire3"},   {136, ALPHA_KEY, "fire4"},
    {137, ALPHA_KEY, "fire5"}, {138, ALPHA_KEY, "fire6"}, {139, ALPHA_KEY, "fire7"},   {140, ALPHA_KEY, "fire8"},
    {141, ALPHA_KEY, "fire9"}, {142, ALPHA_KEY, "fire10"}, {143, ALPHA_KEY, "fire11"}, {144, ALPHA_KEY, "fire12"},
    {130, ALPHA_BRIGHT, "pdisc"}, {131, ALPHA_BRIGHT, "cloud"}, {132, ALPHA_BRIGHT, "smoke"},
};

constexpr int FIXED_TEXES = 2 * RUNWAY_PICTURES + static_cast<int>(sizeof k_other / sizeof k_other[0]);

// The fixed pictures in load order: both runway sets, then the rest.
constexpr std::array<lax_tex, FIXED_TEXES> build_fixed(void)
{
    std::array<lax_tex, FIXED_TEXES> a{};
    for (int k = 0; k < RUNWAY_PICTURES; k++) {
        a[k] = {68 + k, 0, k_runway[k]};
        a[RUNWAY_PICTURES + k] = {92 + k, 0, k_runway[k]};
    }
    for (int k = 2 * RUNWAY_PICTURES; k < FIXED_TEXES; k++) a[k] = k_other[k - 2 * RUNWAY_PICTURES];
    return a;
}
constexpr std::array<lax_tex, FIXED_TEXES> k_fixed = build_fixed();

void load_list(const lax_tex* list, int n)
{
    for (int i = 0; i < n; i++) OGL_texbmp(TEXBMP_FAMILY, list[i].tex, list[i].alpha, list[i].name);
}

}  // namespace

const lax_tex* load_texes_terrain(int* n)
{
    *n = static_cast<int>(sizeof k_terrain / sizeof k_terrain[0]);
    return k_terrain;
}

const lax_tex* load_texes_fixed(int* n)
{
    *n = FIXED_TEXES;
    return k_fixed.data();
}

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
    int n;
    if (freezing != o_freezing || lowlat != o_lowlat || res != o_ogl_res) {
        const lax_tex* terrain = load_texes_terrain(&n);
        load_list(terrain, n);
    }
    if (res != o_ogl_res) {
        const lax_tex* fixed = load_texes_fixed(&n);
        load_list(fixed, n);
    }
    o_ogl_res = res;
    o_freezing = freezing;
    o_lowlat = lowlat;
    for (int p = 0; p < 2; p++) std::snprintf(o_C_path[p], STR_LEN, "%s", pln[p].C_path);
}

namespace {
int g_saved_at_quit = 0;   // Quit wrote the preferences: the way out does not write them again
}  // namespace

void quit_simulator(void)
{
    write_prefs_at_exit();
    g_saved_at_quit = 1;
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
    // The flight model and the outside view reach the shell, the cockpit and the motion base
    // through their hook tables.
    fill_hooks();
    clear_globals();
    g_saved_at_quit = 0;
    MACIBM_init();
    hl_warn_unsaved_settings();
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
    if (!g_saved_at_quit) write_prefs_at_exit();
    MACIBM_finishup();
    return 0;
}

int WinMain(void)
{
    if (!PLT_single_instance("Kestrova")) return 0;
    return kestrova_run();
}
