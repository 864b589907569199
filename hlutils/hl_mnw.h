// hl_mnw.h -- start-up of every program's window (folders, constants, tables, display mode, OpenGL
// state), the loading progress bar and the shutdown.
#pragma once

// Clears the shared records, builds the folder paths, fills `con`, the sine and cosine tables and the
// colour table, sets the display mode from the resolution preference file, opens the one window
// with its OpenGL context and opens the empty screen (window 0) with `initing` still set.
void MACIBM_init(void);
// 1 switches the display to HRES by YRES, 0 puts back the mode found at the first call. 1 on success
// or when the display already shows that mode, 0 when the switch fails.
int MACIBM_setres(int to_requested);
// While `initing`: 1 advances the progress marker and shows it at once, 0 draws the bar's track.
void MACIBM_showinit(int step);
// Restores the display mode, writes the last line of the error file, closes it and the window, and
// lets the simulator release its sound, joystick and serial output.
void MACIBM_finishup(void);

// The pictures MACIBM_init loads once the window is up (*n of them), each when its condition holds.
enum { START_TEX_ALWAYS, START_TEX_OWN_POINTER, START_TEX_SIMULATOR };
struct hl_start_tex {
    int tex;
    int alpha;          // OGL_texbmp's alpha rule
    const char* name;   // file name in the textures folder
    int when;           // always, only while the library draws its own pointer, only in the simulator
};
const hl_start_tex* hl_start_textures(int* n);

// The pieces of start-up that need no window, also used by tests.
void hl_fill_constants(void);        // con, lookup_sin, lookup_cos
void hl_fill_colors(void);           // the colour table, entries 0..74
void hl_build_paths(const char* program_folder, const char* config_folder, const char* prefs_file);
// Reads the resolution preference file (text, type 207, version 2: width, height, colour bits).
// 1 with the three values when the file is there and sensible, else 0 and the values untouched.
int hl_read_res_prefs(const char* path, float* hres, float* yres, float* cres);

// The OpenGL state the program keeps for its whole run: pixel store, culling, alpha test, blending,
// fog mode, and the 800 by 600 logical screen drawn onto the window's mnw.HRES by mnw.YRES pixels.
// MACIBM_init sets it; tests and tools that open the window themselves call it after setting mnw's
// sizes.
void hl_fixed_gl_state(void);
// The point size for the window's scale (mnw.XRAT, mnw.YRAT): whole pixels from a scale above 1.5,
// so that font dots and line ends stay solid. Start-up and every change of the window's size set it.
void hl_scale_point_size(void);

// The notice, once at start, that the settings cannot be kept: the folder of the preference file
// (prf_path) cannot be written. Nothing when it can, or when the program keeps no preferences.
void hl_warn_unsaved_settings(void);

// Appends an alert's lines and code to the error file "Error.out".
void hl_log_alert(const char* l1, const char* l2, const char* l3, const char* l4, int code);

// Test switch: the next MACIBM_init opens a w by h window instead of going full screen (0, 0 goes
// back to full screen).
void hl_set_window_size(int w, int h);
