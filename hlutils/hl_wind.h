// hl_wind.h -- the library's windows: opening a numbered window (its static picture cut into
// textures), alerts, the save-changes alert and bevelled buttons.
#pragma once
#include "hl_types.h"

enum {
    ALERT_ABOUT = 2001,   // the about box
    ALERT_NOTICE = 2002,  // report and go on
    ALERT_COUNT = 2003,   // a table is full: show the count, then end the program
    ALERT_FATAL = 2004,   // end the program after O.K.
};

enum {
    WIND_ALERT = 996,     // the alert
    WIND_NUKE = 997,      // the save-changes alert
    WIND_OPEN = 998,      // the open dialog
    WIND_SAVE = 999,      // the save dialog
    WIND_TILE_TEX = 500,  // first of the 35 picture tiles, 500 + i + 7*j
};

// Opens window id (0, 1..25, 996..999); -1 opens window 0 without clearing `initing`.
void MACIBM_startwind(int id);
// Reports four lines and waits for O.K. 2001 about box, 2002 notice, 2004 fatal (the program ends
// after O.K.). A count alert is raised with MACIBM_alert_count; code 2003 given here takes the count
// already written as text in l4.
void MACIBM_alert(const char* l1, const char* l2, const char* l3, const char* l4, int code);
// The count alert: the table is full; shows the count as the fourth line and ends the program.
void MACIBM_alert_count(const char* l1, const char* l2, const char* l3, int count);
// Asks whether to save changes to name: 1 Save, 2 Don't Save, 3 Cancel.
int MACIBM_nuke_alert(const char* name);
// Asks, in the save-changes alert's window, whether to replace the existing file name: 1 Replace,
// 0 Cancel (also when the window is closed). Window `back` is opened after the answer.
int hl_replace_alert(const char* name, int back);
// Four lines: raised draws left and top in colour 6, right and bottom in 22; pressed the other way.
void MACIBM_button(float x1, float y1, float x2, float y2, int raised);

// The alert texts of windows 996 and 997 (window 24's title is C_s).
extern char g_cs1[STR_LEN], g_cs2[STR_LEN], g_cs3[STR_LEN], g_cs4[STR_LEN];
// Draws the file dialog's fixed contents into the picture of window 998 or 999 (set by the dialog).
extern void (*hl_dialog_picture)(void);

// Title and size of a window; 0 when the id names no window.
int hl_window_info(int id, const char** title, float* dx, float* dy);
// The interface picture window id draws under its contents (window 0: the title picture), or
// nullptr when it has none; only the simulator's windows have pictures.
const char* hl_window_bitmap(int id);
// Shows the open window's picture (the 35 tiles) over the whole screen, untinted.
void hl_plot_picture(void);
// Redraws the open window's picture without opening it anew (a paint message).
void hl_repaint_window(void);

// Tests install a sink that receives every alert before the alert window or message box. It returns
// 1 when it answered the alert (nothing is shown), 0 to let the alert window run as usual. A sink
// may throw to stop a fatal alert from ending the process; with no sink, codes 2003 and 2004 end the
// program with a non-zero status.
typedef int (*hl_alert_sink_fn)(const char* l1, const char* l2, const char* l3, const char* l4, int code);
void hl_set_alert_sink(hl_alert_sink_fn sink);
