// lax.h -- Kestrova's entry point: start-up in its fixed order, the event loop, the textures of the
// scenery and the aircraft, and the way out.
#pragma once

// The program: returns at once (0) when another Kestrova runs, else kestrova_run().
int WinMain(void);
// Start-up (records, window, general set-up, databases, preferences, region, aircraft, start
// position, joystick, textures), the event loop until the done flag, shutdown. Returns 0.
int kestrova_run(void);

// Loads the textures that changed: an aircraft's model and paint when its file or the texture
// resolution changed, the terrain pictures when the snow or low-latitude class or the resolution
// changed, the fixed pictures when the resolution changed. The first call after
// reset_load_texes() loads everything.
void load_texes(void);
void reset_load_texes(void);

// One picture load_texes loads: texture number, alpha rule (OGL_texbmp's b) and file name in the
// number's family folder.
struct lax_tex {
    int tex;
    int alpha;
    const char* name;
};
// The tables load_texes loads from, *n entries each: the terrain pictures by their base names (the
// picture loader swaps in the snow and low-latitude variants), and the fixed pictures.
const lax_tex* load_texes_terrain(int* n);
const lax_tex* load_texes_fixed(int* n);

// The Quit command: the preferences (as at the way out), the logbook alert when asked for, then
// the loop ends.
void quit_simulator(void);
// At the way out: the preferences are written when a region has been loaded (a region gives the
// file its start airport and position); before that the file on disk is left as it is.
void write_prefs_at_exit(void);
