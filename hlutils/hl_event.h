// hl_event.h -- the event loop: one pass per frame, the window procedure that turns platform events
// into mouse state, keys and clicks, and the program callbacks they end in.
#pragma once
#include "plt.h"

// One pass: drain the events (a modal window drawn in the last pass with nothing arriving since first
// sleeps until input comes, at most a fifth of a second), time, draw the background, the program's update (or
// the file dialog's), the open menu, the help bubble, then swap buffers.
void MACIBM_event_proc(void);
// Handles one platform event (key, mouse, paint, close).
void IBM_handlewin(const PLT_event* ev);
// A key, by its Windows virtual-key number.
void MACIBM_handlekey(int virtual_key);
// A click at the current mouse position: menus, then the open window's close boxes.
void MACIBM_handleclick(void);

// The character a key gives on a US keyboard (0 when it gives none), with or without Shift.
char hl_key_char(int virtual_key, int shift);

// Where the help bubble of mnw.help_message goes, in screen units: 400 wide from help_x1, its top at
// help_y2, kept right of x 790 and above y 10.
void hl_help_box(float* x1, float* y1, float* x2, float* y2);

// Pass state shared with the windows, the file dialog and the entry fields.
extern int got_event;      // some input arrived in this pass
extern int up_handled;     // the first paint has come; nothing is drawn before it
extern int return_hit;     // Enter was pressed in a text window (996, 999)
extern char g_cs0[32];     // the text typed in windows 996 and 999
extern int select_ctr;     // numbers the numeric entry fields drawn in this pass
extern int select_ind;     // the numeric entry field last clicked; reset when a window opens

// A window came on top, or a menu item was chosen: the button still held belongs to what it went down
// on. Until it is let go the window sees no button held (now_dragging 0) and its release goes
// unreported (no mouse_lifted); the next press acts as any other. MACIBM_startwind and the menus call it.
void hl_spend_held_press(void);
// The press of this pass changed what lies under the pointer: a window opened or closed, or the file
// dialog entered a folder or chose a file. A press that follows it within the double-click interval
// and near the same place is the second half of that click and is dropped whole (no click, no
// button held, no release); a later press, or one farther away, acts as any other. Does nothing when
// no press came in this pass (a key or the program changed the screen). MACIBM_startwind and the
// file dialog call it.
void hl_click_changed_screen(void);
// The double-click interval (ms) and how near its second press must come (screen units either way).
constexpr uint32_t HL_DOUBLE_CLICK_MS = 500;
constexpr float HL_DOUBLE_CLICK_NEAR = 4;

// How many times the window was asked to close (by the user or by a quit signal) since the start;
// a modal loop that began at one count ends when it grows.
int hl_close_requests(void);
// Clears the loop's own state (first pass, timers, flags); MACIBM_init calls it.
void hl_reset_event_state(void);
// Test hook: called at the end of every pass, just before the buffer swap; nullptr removes it.
void hl_set_pass_hook(void (*hook)(void));

// The file dialog's per-pass update while window 998 or 999 is open (set by the dialog).
extern void (*hl_dialog_update)(void);
