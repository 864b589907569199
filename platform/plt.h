// plt.h -- the suite's stand-ins for the operating system: window and OpenGL context, input events,
// display modes, clock, message box, folders and the single-instance lock.
//
// Nothing above this layer includes SDL or POSIX system headers. Input arrives as PLT_event records
// carrying Windows virtual-key numbers and client pixel positions, so the library's key tables and
// click tests work on the same numbers whatever produced the event (a real device or a test).
#pragma once
#include <cstdint>

// ---- events ---------------------------------------------------------------------------------------

enum PLT_event_kind {
    PLT_EV_NONE = 0,
    PLT_EV_KEYDOWN,     // vkey: Windows virtual-key number (65..90 letters, 48..57 digits, 189 minus ...)
    PLT_EV_KEYUP,       // vkey
    PLT_EV_MOUSEMOVE,   // x, y: client pixels, y down from the top edge
    PLT_EV_BUTTONDOWN,  // x, y, button (1 left, 2 right)
    PLT_EV_BUTTONUP,    // x, y, button
    PLT_EV_PAINT,       // the window was exposed; the first exposure is the first paint
    PLT_EV_CLOSE,       // the window is being closed (the user or the system asked to quit)
    PLT_EV_RESIZE,      // x, y: the drawable's new size in pixels
};

struct PLT_event {
    int32_t kind;
    int32_t vkey;
    int32_t x, y;
    int32_t button;
};

// Takes the next waiting event without blocking; 0 when the queue is empty. A caught SIGTERM or
// SIGINT comes once as PLT_EV_CLOSE, ahead of anything else waiting.
int PLT_poll_event(PLT_event* ev);
// Sleeps until an event is waiting (left in the queue), a quit signal has come or timeout_ms have
// passed, without using the processor meanwhile. 1 when an event or a quit signal is waiting.
int PLT_wait_event(int timeout_ms);
// Queues an event as if it came from the window system (tests and scripted input).
void PLT_push_event(const PLT_event& ev);
// Input state tracked from the events themselves, so pushed and real input agree.
int PLT_key_down(int vkey);

// ---- ending on a signal ------------------------------------------------------------------------

// From now on SIGTERM and SIGINT ask the program to end instead of killing it: the handler only
// notes the signal, which then arrives as a close event, so the program leaves through its own
// quit path (display mode restored, files closed). A second such signal ends the process at once.
void PLT_catch_quit_signals(void);
// The signal that asked the program to end, 0 while none has come.
int PLT_quit_signal(void);
// Forgets a caught signal (tests).
void PLT_clear_quit_signal(void);

// ---- video ----------------------------------------------------------------------------------------

// Starts the video subsystem; 0 on failure (no display at all).
int PLT_init_video(void);
// The desktop's current mode; 0 when unknown.
int PLT_current_mode(int* w, int* h, int* bits);
// Mode number i of the display's list; 0 past the end.
int PLT_enum_mode(int i, int* w, int* h, int* bits);
// Switches the display to the listed mode of that width and height (the colour depth is preferred,
// not required). Before the window exists the mode is kept and applied when it opens full screen.
// Asking for the desktop's own mode puts it back. 1 on success, 0 when the display lists no such mode.
int PLT_set_mode(int w, int h, int bits);
// How many real display-mode switches this process has made (tests).
int PLT_mode_switches(void);
// Opens the one window with a double-buffered OpenGL compatibility context and a 16-bit depth
// buffer and makes the context current. Full screen uses the mode chosen with PLT_set_mode, or the
// desktop's own size when none was chosen. A paint event is queued as the first exposure. 0 on failure.
int PLT_open_window(const char* title, int w, int h, int fullscreen);
// The drawable's real size in pixels (may differ from what was asked).
void PLT_drawable_size(int* w, int* h);
// The renderer's name as OpenGL reports it, or "" before a context exists.
const char* PLT_renderer(void);
void PLT_swap(void);
void PLT_close_window(void);
int PLT_window_open(void);

// ---- clock ----------------------------------------------------------------------------------------

// Monotonic wall-clock milliseconds since the process started (or the test clock while one is set).
uint32_t PLT_millis(void);
// Tests replace the clock with their own; nullptr restores the real one.
void PLT_set_clock(uint32_t (*clock_fn)(void));
// Today's date at Greenwich by the computer's calendar clock, as days since 1 January 1970.
int32_t PLT_utc_day(void);

// ---- messages -------------------------------------------------------------------------------------

// A system message box for use while the program has no window of its own; the text also goes to
// standard error when no box can be shown. A quit signal closes the box and returns at once.
void PLT_message_box(const char* title, const char* text);
void PLT_beep(void);

// ---- folders and instances --------------------------------------------------------------------------

// The running executable's folder with a trailing "/"; 0 if it does not fit.
int PLT_program_folder(char* out, int size);
// The per-user configuration folder (stands for the Windows folder), without a trailing "/", created
// if missing. KV_CONFIG_DIR overrides it (tests).
int PLT_config_folder(char* out, int size);
// 1 when a file can be created in the folder (tried, not guessed from permission bits), else 0.
int PLT_folder_writable(const char* folder);
// 1 when this is the only running instance of the named program (a lock on a file), else 0.
int PLT_single_instance(const char* program);
