// landwright.h -- Landwright, the scenery editor: one scenery square (terrain points, water, corner
// patterns, custom textures, obstacles) and the world's airport, runway and navaid databases, with
// the menus, the four edit screens and the saving into the "additional nav data" folder.
#pragma once
#include <cstdint>

#include "hl_envfile.h"

// The four edit screens (and the menu items that choose them).
enum {
    LW_TERRAIN = 200,
    LW_OBSTACLES = 201,
    LW_AIRPORTS = 202,
    LW_NAVAIDS = 203,
};

// What writeout writes: the square, the airports and runways, the navaids.
enum {
    LW_SAVE_SQUARE = 200,
    LW_SAVE_APT = 202,
    LW_SAVE_NAV = 203,
};

// Obstacle edit modes besides the types 2..6 and 8 that add an object of that type.
enum {
    OBJ_MODE_DELETE = 0,
    OBJ_MODE_DRAG = 99,
    OBJ_MODE_SELECT = 98,
};

// Airport and runway kinds of cop_aptrwy and adddel_aptrwy: the database codes.
enum {
    LW_KIND_APT = 1,
    LW_KIND_RWY = 10,
};

// The map area of the terrain and obstacle screens, and the screen units per degree at zoom 1.
constexpr float MAP_X1 = 168, MAP_X2 = 795, MAP_Y1 = 5, MAP_Y2 = 579;
constexpr float MAP_X_PER_DEG = 627, MAP_Y_PER_DEG = 574;

constexpr int LW_MAX_COAST = 3000;      // coastline points kept for one square
constexpr int LW_MAX_APT = 11999;       // airports the editor lets the table reach by adding
constexpr int LW_MAX_RWY = 15999;       // runways likewise
constexpr int LW_MAX_NAV = 19997;       // navaids: the file's and the adding limit (indices 0..19996)
constexpr int LW_MAX_RWY_PER_APT = 12;  // runways one airport may own
constexpr float LW_DEFAULT_OBJ_FT = 100.0f;   // height of an empty object slot, feet

// The editor's own state (the library's msc is the simulator's). Set by lw_defaults at start-up
// and partly by the preference file.
struct landmiscstruct {
    int32_t edit_mode;                           // LW_TERRAIN .. LW_NAVAIDS
    int32_t map_dirty, apt_dirty, nav_dirty;     // unsaved changes
    float map_latfile, map_lonfile;              // south-west corner of the square, whole degrees
    float map_zoom;                              // 1..20
    float map_os_lat, map_os_lon;                // map offset, degrees, -0.9..0.9
    int32_t map_mode;                            // terrain edit mode 0..4
    int32_t map_coast_i;                         // coast-shape choice
    int32_t map_i_elev, map_j_elev;              // grid point (column, row) picked for elevation entry
    int32_t map_texset;                          // custom texture slot + 1 chosen for painting, 0 none
    int32_t draw_tex;                            // draw the terrain textured
    int32_t obj_mode;                            // OBJ_MODE_* or the type to add
    int32_t obj_index, apt_index, rwy_index, nav_index;   // selections; obj_index -1 none yet
    int32_t nav_show_type;                       // the navaid type the navaid screen lists
};

extern landmiscstruct lmsc;
// The square being edited. Its object table is a fixed set of ENV_MAX_OBJECTS slots (nobj always
// ENV_MAX_OBJECTS), type 0 an empty slot; tex holds the 20 custom texture names ("" free).
extern env_square lw_sq;
// The coastline points of the square being edited.
extern float lw_coast_lat[LW_MAX_COAST], lw_coast_lon[LW_MAX_COAST];
extern int lw_coast_n;

// ---- state, map geometry (lw_data.cpp) ----------------------------------------------------------------

// Everything to its start-up value: screen 200, square (33, -119), zoom 1, elevation point
// (29, 39), obstacle mode 98, a flat water square, no objects, empty databases.
void lw_defaults(void);

// Screen position of a longitude or latitude on the map, and back.
float ret_x(float lon);
float ret_y(float lat);
float ret_lon(float x);
float ret_lat(float y);

// Pan and zoom, menu items 300..305, then the clamps: zoom below 1 clears both offsets, zoom held
// to 1..20 and the offsets to -0.9..0.9.
void lw_map_command(int item);

// Grid point (i column, j row) of the square.
inline float& pt_lat(int i, int j) { return lw_sq.lat[j][i]; }
inline float& pt_lon(int i, int j) { return lw_sq.lon[j][i]; }
inline float& pt_h(int i, int j) { return lw_sq.h[j][i]; }
inline int32_t& pt_word(int i, int j) { return lw_sq.word[j][i]; }

// ---- the square (lw_data.cpp) ------------------------------------------------------------------------

// The square's file in the "additional nav data" folder (dst 400 bytes); 0 when it does not fit.
int lw_square_path(char* dst);
// Reads the square at (map_latfile, map_lonfile), its custom textures and its coastline. A missing
// file leaves flat water; a damaged or wrong-version file gets a notice, leaves flat water, and is
// kept aside as "<name>.bak" when this square is next saved.
void read_terrain(void);
// Saves one kind (LW_SAVE_*) whole or not at all: written under a temporary name, then renamed over
// the old file. 1 when saved (its dirty flag is then cleared).
int writeout(int kind, int unused);
// Asks to save unsaved changes of that kind: 1 go on (saved or let go), 0 Cancel or a failed save.
int handle_save(int kind, int dirty);

// The cell's water flag (the second and third flags).
int lw_cell_water(int i, int j);
void lw_set_cell_water(int i, int j, int water);
// The cell's corner pattern 0..3 (the four orientations in cycle order) and its custom texture
// 2000..2019, or 0.
int lw_cell_pattern(int i, int j);
int lw_cell_tex(int i, int j);
// Terrain edits of one cell: toggle water, turn the corner pattern a quarter, paint texture slot
// texset (1..20, 0 clears).
void lw_toggle_water(int i, int j);
void lw_turn_corners(int i, int j);
void lw_paint(int i, int j, int texset);
// The interior point (columns 1..58, rows 1..78) nearest to screen point (x, y) by |dx| + |dy|.
void lw_nearest_interior(float x, float y, int* i, int* j);
// The cell whose four corners enclose screen point (x, y); 0 when none does.
int lw_cell_at(float x, float y, int* i, int* j);
// Rounds and evens out the corner heights of water cells (Auto-Flatten Water).
void auto_flatten(void);
// Fills the region grids with the square (heights, water, custom textures) and chooses the standard
// terrain textures for the drawing in texture mode.
void lw_assign_textures(void);

// ---- obstacles (lw_data.cpp) ---------------------------------------------------------------------------

// 1 when (lat, lon) lies in the square being edited (south and west edges in, north and east out).
int lw_in_square(float lat, float lon);
// The object of the square (types 1..8) nearest to (lat, lon) in degrees, or -1.
int lw_nearest_object(float lat, float lon);
// Puts a new object of the type at (lat, lon) in the first empty slot and selects it: a custom
// object is "Untitled" heading 0, the others take the height of the selected object (slot 0 when
// none is). The slot, or -1 after a notice when every slot is taken.
int lw_add_object(int type, float lat, float lon);
// A name for a custom object or texture: 1 and stored (cut at its extension) when it fits.
int lw_take_name(char* dst, const char* file_name);

// ---- databases (lw_db.cpp) ------------------------------------------------------------------------------

// Reads "apt.dat" and "nav.dat" from the "additional nav data" folder into the tables.
void lw_read_databases(void);
// Copies one airport (LW_KIND_APT) or runway (LW_KIND_RWY) from slot `from` to slot `to`.
void cop_aptrwy(int kind, int to, int from);
// Adds (after the selection) or deletes (the selection) an airport or a runway of the selected
// airport, shifting the tables and the later airports' runway indices. forced lets the last runway
// of an airport go. 1 when done, 0 when refused.
int adddel_aptrwy(int kind, int add, int forced);
// Adds a navaid of type t after the last one of that type (after slot 0 when there is none) and
// selects it; deletes the selected one. 1 when done.
int lw_add_nav(int t);
int lw_del_nav(void);
// The first and last index of navaids of type t; 0 when there are none.
int lw_nav_range(int t, int* lo, int* hi);
// The runway count of airport a.
int lw_rwy_count(int a);

// ---- preferences (lw_db.cpp) ---------------------------------------------------------------------------

void lw_read_prefs(void);
int lw_write_prefs(void);

// ---- program (lw_main.cpp) and screens (lw_screen.cpp) -------------------------------------------------

void lw_setupmenus(void);
void lw_handlemenu(int item);
void lw_handlekey(char c);
void arrow_keys(int code);
// The name typed keys edit while no window is open: the selected airport's in the airport screen,
// the selected navaid's in the navaid screen (marking that database changed); else nullptr.
char* lw_edit_text(int* size);
// One frame of the open screen.
void lw_update(void);
void handle_map(void);
void handle_obs(void);
void handle_apt(void);
void handle_nav(void);
void plot_terrain(void);
// One pass of the program's loop; a window-close request runs Quit's save questions.
void lw_pass(void);
// Loads the twelve standard terrain textures (50..61).
void lw_load_terrain_textures(void);
// The whole program: single instance, start-up, the event loop, shut-down.
int WinMain(void);
