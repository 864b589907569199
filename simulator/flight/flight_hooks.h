// flight_hooks.h -- the calls the flight model makes into the rest of the simulator. The program
// fills the table once at start-up (shell/hooks.cpp); a hook left empty does nothing, so the flight
// model links and flies on its own: the flight harness, the benchmark and the flight-model tests
// use the library without the shell, the world or the cockpit.
#pragma once

struct flight_hooks_table {
    // Shell: the pilot's and autopilot's inputs into every control surface, the first step of every
    // flight frame (update_controls).
    void (*update_controls)(void);
    // Shell: the graph's ring, each frame while the graph output is on (update_graph).
    void (*update_graph)(void);
    // Shell: the start and reset routine (set_fltvars); the frame driver restarts the flight after
    // a crash.
    void (*set_fltvars)(int code, int kind);
    // Shell: the output file's rows of labels and values (out_label, out_dat, out_end_row).
    void (*out_label)(int channel, int item, int slot);
    void (*out_dat)(int channel, int item, int slot);
    void (*out_end_row)(void);
    // Shell: the textures whose cause changed, reloaded once a second (load_texes).
    void (*load_texes)(void);
    // World: the runway approach flashers, each event update; restart 1 on the whole second
    // (step_flashers).
    void (*step_flashers)(int restart);
    // Cockpit: the flight plan, the approach vectors and the landing signal officer, once a second
    // (handle_plan, controller_respond, LSO_respond).
    void (*handle_plan)(int pilot_called);
    void (*controller_respond)(const char* request);
    void (*LSO_respond)(void);
    // Cockpit: the panel's layout when the user's aircraft is loaded (panel_layout_setup).
    void (*panel_layout_setup)(void);
    // The motion-base library, a shared library of its own: one platform connected, moved to roll,
    // pitch and heading (0..255, 128 level) and closed (QuilloInit, TiltrixMove, TiltrixExit).
    int (*QuilloInit)(int platforms);
    int (*TiltrixMove)(int roll, int pitch, int heading);
    int (*TiltrixExit)(void);
};
extern flight_hooks_table flt_hooks;

// Calls a hook when it is filled; what it returns is not used.
template <typename R, typename... Args, typename... Given>
inline void call_hook(R (*hook)(Args...), Given... args)
{
    if (hook) hook(args...);
}
