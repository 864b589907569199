// hl_program.h -- what a program tells the library about itself, and the library's callbacks into it.
//
// Every program defines the four APPLICATION_ callbacks. The simulator-only calls (outside view,
// panel, function keys, window close, menu ticks) go through hl_prog's hooks, which the companion
// programs leave empty, so the library and its tests link on their own.
#pragma once

void APPLICATION_update(void);
void APPLICATION_handlekey(char c, int unused);
void APPLICATION_handlemenu(int item);
void APPLICATION_setupmenus(void);

struct hl_program_desc {
    const char* name;           // "Kestrova", "Hullwright" ... (messages, lock file)
    const char* prefs_file;     // preference file in the configuration folder, or nullptr
    const char* bitmap_folder;  // sub-folder of "bitmaps" for interface pictures, or nullptr
    int is_simulator;

    // Simulator hooks; nullptr in the companion programs.
    void (*update_scenery)(void);      // draw the outside view
    void (*update_panel)(void);        // draw the panel's moving parts
    void (*freeviews_keys)(int code);
    void (*function_key)(int code);
    void (*yoke_key)(int code);
    void (*process_zap)(int window);   // a program window is being closed
    int (*menu_checked)(int item);     // 1 when the menu item carries a tick
    void (*panel_static)(void);        // draw the panel's static face into window 0's picture
    void (*finishup)(void);            // release sound, joystick and serial output at exit

    // Scenery editor hooks; nullptr elsewhere.
    char* (*edit_text)(int* size);     // the name that keys edit while no window is open, or nullptr
    void (*arrow_keys)(int code);      // arrow keys with no window open: 1 up, 2 left, 3 down, 4 right

    // A companion program's own windows (ids 1..995): 1 with the title and size of window id, 0
    // when the program has no such window; nullptr when it opens none.
    int (*window_info)(int id, const char** title, float* dx, float* dy);
};

extern hl_program_desc hl_prog;
