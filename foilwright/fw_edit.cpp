// fw_edit.cpp -- Foilwright's part: defaults, synthesis, the save prompt, part files, menus and the
// program's start and end.
#include "foilwright.h"

#include "hl_afl.h"
#include "hl_event.h"
#include "hl_menu.h"
#include "hl_mnw.h"
#include "hl_opensave.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt.h"

#include <cstdio>

foilmiscstruct fmsc;
foilcurvestruct crv;
int fw_sample = 0;

namespace {

void set_text(char* dst, const char* src) { std::snprintf(dst, STR_LEN, "%s", src ? src : ""); }

// The dialog kind of a part type: the airfoils or the flaps folder.
int dialog_kind(int device) { return device == DEVICE_FLAP ? OS_KIND_FLAP : OS_KIND_AIRFOIL; }

// Saves under the current name, or asks for one. 1 when the part was written.
int save_part(void) { return fmsc.haveaname ? writeoutpart() : saveasproc(); }

}  // namespace

void generate(void) { foil_generate(&afl[0], fmsc.device, &crv); }

void reset_to_default(int device)
{
    foil_defaults(&afl[0]);
    fmsc.device = device == DEVICE_FLAP ? DEVICE_FLAP : DEVICE_AIRFOIL;
    fmsc.view = VIEW_ALPHA;
    fmsc.haveaname = 0;
    fmsc.devicemod = 0;
    set_text(fmsc.C_file, fmsc.device == DEVICE_FLAP ? "Untitled.flp" : "Untitled.afl");
    fmsc.C_path[0] = 0;
    generate();
}

int writeoutpart(void)
{
    if (!afl_write_part(fmsc.C_path, fmsc.device, &afl[0], &crv)) return 0;
    fmsc.devicemod = 0;
    return 1;
}

int saveasproc(void)
{
    char name[STR_LEN], path[STR_LEN];
    set_text(name, fmsc.C_file);
    set_text(path, fmsc.C_path);
    if (!MACIBM_opensave(WIND_SAVE, dialog_kind(fmsc.device), name, path)) return 0;
    set_text(fmsc.C_file, name);
    set_text(fmsc.C_path, path);
    fmsc.haveaname = 1;
    return writeoutpart();
}

int readinpart(const char* path, const char* name)
{
    // Read into a copy, so that a file that cannot be taken leaves the part being edited alone.
    static airfoilstruct scratch;
    scratch = afl[0];
    const int r = afl_read_constants(path, fmsc.device, &scratch);
    if (r == -1) {
        // A part of the other type: the user chose the wrong file, which is no reason to end.
        MACIBM_alert("This does not appear to be a valid file type for Foilwright!", "", "", "", ALERT_NOTICE);
        return 0;
    }
    if (r != 1) {
        MACIBM_alert("Sorry, I can't open the part!!!", "Reason: Undetermined!", "Revert to back-up!", path,
                     ALERT_NOTICE);
        return 0;
    }
    afl[0] = scratch;
    foil_fit_fields();
    set_text(fmsc.C_file, name);
    set_text(fmsc.C_path, path);
    fmsc.haveaname = 1;
    fmsc.devicemod = 0;
    generate();
    return 1;
}

void dothing(int kind, int device)
{
    switch (kind) {
    case DEAL_NEW:
    case DEAL_SWITCH:
        reset_to_default(device);
        break;
    case DEAL_OPEN: {
        char name[STR_LEN], path[STR_LEN];
        set_text(name, fmsc.C_file);
        set_text(path, fmsc.C_path);
        if (MACIBM_opensave(WIND_OPEN, dialog_kind(fmsc.device), name, path)) readinpart(path, name);
        break;
    }
    case DEAL_QUIT:
        // The changes have been saved or let go by now.
        gdone = 1;
        fmsc.devicemod = 0;
        break;
    default:
        break;
    }
}

void donewdeal(int kind, int device)
{
    if (!fmsc.devicemod) {
        dothing(kind, device);
    } else {
        const int answer = MACIBM_nuke_alert(fmsc.C_file);
        // A save that did not happen (cancelled dialog, failed write) must not let the part go.
        if (answer == 1 && save_part()) dothing(kind, device);
        else if (answer == 2) dothing(kind, device);
    }
    MACIBM_startwind(0);
}

void foil_setupmenus(void)
{
    MACIBM_create_menu(0, -1, "About");
    MACIBM_append_menu(0, 0, "About", "Check on the version number.");
    MACIBM_create_menu(1, -1, "File");
    MACIBM_append_menu(1, 100, "New", "Create a new airfoil or flap.");
    MACIBM_append_menu(1, 101, "Open", "Open an airfoil or flap.");
    MACIBM_append_menu(1, 102, "Save", "Save an airfoil or flap under it's current file name.");
    MACIBM_append_menu(1, 103, "Save As", "Save an airfoil or flap uner a new file name");
    MACIBM_append_menu(1, 104, "-", "");
    MACIBM_append_menu(1, 105, "Quit", "Quit Foilwright.");
    MACIBM_create_menu(2, -1, "Part");
    MACIBM_append_menu(2, 200, "Airfoil", "Create or edit an airfoil.");
    MACIBM_append_menu(2, 201, "Flap", "Create or edit a flap.");
    MACIBM_create_menu(3, -1, "View");
    MACIBM_append_menu(3, 300, "Cl Cd Cm VS. Alpha", "View with alpha on the X-axis.");
    MACIBM_append_menu(3, 301, "Cd Cm VS. Cl", "View with Cl on the X-axis.");
}

void foil_handlemenu(int item)
{
    switch (item) {
    case 0:
        MACIBM_alert("", "", "", "", ALERT_ABOUT);
        break;
    case 100:
        donewdeal(DEAL_NEW, fmsc.device);
        break;
    case 101:
        donewdeal(DEAL_OPEN, fmsc.device);
        break;
    case 102:
        save_part();
        break;
    case 103:
        saveasproc();
        break;
    case 105:
        donewdeal(DEAL_QUIT, fmsc.device);
        break;
    case 200:
    case 201:
        donewdeal(DEAL_SWITCH, item);
        break;
    case 300:
    case 301:
        fmsc.view = item;
        break;
    default:
        break;
    }
}

void foil_pass(void)
{
    MACIBM_event_proc();
    if (!gdone || !fmsc.devicemod) return;
    // The window is being closed with unsaved changes: ask as Quit does. Cancel keeps the editor
    // running; closing the window again while asking ends it.
    gdone = 0;
    donewdeal(DEAL_QUIT, fmsc.device);
}

int WinMain(void)
{
    if (!PLT_single_instance("Foilwright")) return 0;
    clear_globals();
    fmsc = {};
    MACIBM_init();
    for (int i = 0; i < 121 && !gdone; i++) MACIBM_showinit(1);
    reset_to_default(DEVICE_AIRFOIL);
    // The progress bar is done: the empty screen with the menu bar replaces it.
    if (!gdone) MACIBM_startwind(0);
    while (!gdone) foil_pass();
    MACIBM_finishup();
    return 0;
}
