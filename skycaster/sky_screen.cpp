// sky_screen.cpp -- Skycaster's screen and program: the two airport lists, the aircraft file and
// altitude fields, the menus, the phrase choices re-drawn at every click, and the program's start.
#include "skycaster.h"

#include "hl_btn.h"
#include "hl_event.h"
#include "hl_funct.h"
#include "hl_menu.h"
#include "hl_mnw.h"
#include "hl_plane.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt.h"

#include <cstdio>

namespace {

const char k_plane_help[] =
    "This is the plane you plane to take flying next. It's performance is considered for estimation of time "
    "enroute.";
const char k_alt_help[] = "This is the altitude you have planned enroute.";

}  // namespace

void sky_setupmenus(void)
{
    MACIBM_create_menu(0, -1, "About");
    MACIBM_append_menu(0, 0, "About", "Check on the version number of the program.");
    MACIBM_create_menu(1, -1, "File");
    MACIBM_append_menu(1, 100, "Quit", "Quit the briefing, go fly.");
}

void sky_handlemenu(int item)
{
    if (item == 100) gdone = 1;
    else if (item == 0) MACIBM_alert("", "", "", "", ALERT_ABOUT);
}

void sky_lists(void)
{
    plot_name_list(SKY_DEP_X, SKY_LIST_Y, apt_name, apt_id, &bri.dep, 0, apt_wrl_max);
    plot_name_list(SKY_ARR_X, SKY_LIST_Y, apt_name, apt_id, &bri.arr, 0, apt_wrl_max);
}

void sky_controls(void)
{
    if (instringbtn(SKY_PLANE_X, SKY_PLANE_Y, pln[0].C_file, pln[0].C_path, ACF_TYPE, k_plane_help)) prep_plane();
    instdbtn(SKY_ALT_X, SKY_ALT_Y, 7, &bri.alt, 5, 0, 0, k_alt_help);
}

void sky_update(void)
{
    sky_lists();
    sky_controls();
    if (mnw.mouse_clicked) {
        rnd1 = intrand(1, 6);
        rnd2 = intrand(1, 6);
        rnd3 = intrand(1, 6);
        rnd4 = intrand(1, 6);
        rnd5 = intrand(1, 9);
        rnd6 = intrand(1, 9);
        rnd7 = intrand(1, 9);
        rnd8 = intrand(1, 9);
    }
    gen_rep(rnd1, rnd2, rnd3, rnd4, rnd5, rnd6, rnd7, rnd8);
}

int WinMain(void)
{
    if (!PLT_single_instance("Skycaster")) return 0;
    MACIBM_init();
    bri = {};
    rnd1 = rnd2 = rnd3 = rnd4 = rnd5 = rnd6 = rnd7 = rnd8 = 1;
    std::snprintf(pln[0].C_file, sizeof pln[0].C_file, "%s", "untitled.acf");
    bri.alt = SKY_START_ALT;
    sky_load();
    // The progress bar is done: the empty screen with the menu bar replaces it.
    if (!gdone) MACIBM_startwind(0);
    while (!gdone) MACIBM_event_proc();
    MACIBM_finishup();
    return 0;
}
