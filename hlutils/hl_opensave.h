// hl_opensave.h -- the modal open and save dialog (windows 998 and 999) with its folder listing.
#pragma once

constexpr int OS_MAX_ITEMS = 200;   // entries listed at most
constexpr int OS_NAME_LEN = 32;     // a listed name as shown: 31 characters and the end
constexpr int OS_ROWS = 40;         // rows shown at once

// The kinds of file the dialog lists; the kind picks the extension and the start folder.
enum {
    OS_KIND_AIRFOIL = 200,    // "afl" in the airfoils folder
    OS_KIND_FLAP = 201,       // "flp" in the flaps folder
    OS_KIND_AIRCRAFT = 202,   // "acf" from the folder the last dialog left
    OS_KIND_SITUATION = 203,  // "sit" in the situations folder
    OS_KIND_TEXTURE = 205,    // "bmp" in the custom terrain textures folder
    OS_KIND_OBJECT = 206,     // "obj" in the custom objects folder
    OS_KIND_ANY = 207,        // every file, from the folder the last dialog left
};

// Runs the dialog until a choice or Cancel. window is 998 (open) or 999 (save); kind as above.
// name (400 bytes) is the proposed name on entry to the save dialog and the chosen file's name on
// return; path (400 bytes) receives the chosen file's full path. A proposed name longer than the
// 31 characters typed is cut before its kind's ending. A save name typed without the kind's ending
// ("." and the extension, in any case) gets it in lower case; one that names a folder, a pipe, a
// socket or a device is refused with one line. 1 when a file was chosen or a save name confirmed,
// 0 on Cancel (name and path then stay as they were). The window that was open before is opened
// again on return.
int MACIBM_opensave(int window, int kind, char* name, char* path);

// Lists wrk_path into g_name, g_path and g_is_folder: its folders and plain files (a link counting
// as what it names) that takeit accepts, in byte order of their full names, at most 200 (the first
// 200 in that order). Returns the count.
int GetDirItems(int kind);
// 1 when the entry belongs in the list of that kind: never "." or "..", every folder, and a file
// whose last three characters are the kind's extension, all lower or all upper case (kind 207 takes
// every file).
int takeit(const char* name, int kind, int is_folder);
// 1 when the name ends in "." and the kind's extension, in any case: a save name without it gets it.
// 0 for a kind without an extension.
int has_kind_ending(const char* name, int kind);
// Draws the dialog's live contents: caption, the shown rows, scroll thumb, typed name and caret.
void OPENSAVE_update(void);
// Draws the dialog's fixed contents (buttons, list box, scroll track) into the window's picture.
void OPENSAVE_picture(void);

// The dialog's state, shared with its drawing and with tests.
extern int g_file_type;                          // the kind being listed
extern int g_num_items;                          // entries listed
extern int g_item_top, g_item_bot;               // first and last entry shown
extern char g_name[OS_MAX_ITEMS][OS_NAME_LEN];   // names as shown, cut to 31 characters
extern char g_path[OS_MAX_ITEMS][400];           // full paths (folder + full name)
extern int g_is_folder[OS_MAX_ITEMS];
