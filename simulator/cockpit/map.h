// map.h -- the moving map: the loaded region seen from above in the map window (window 3: the
// enroute chart 402, the terrain textures 403, the weather radar map 404) and the airport chart of
// window 24 (998: the airport's surroundings at chart scale, its runway diagram and the approach
// profile), with the zoom and pan buttons, the heading, altitude and speed fields and the click
// that puts the aircraft where the map is clicked.
//
// Positions are window units with y up; the map is drawn north up. The symbol routines (plane_line,
// flashplane, plot_path, plot_icon, plot_name, plot_freqbox, plot_apt, plot_navaid) draw at any
// window position they are given, so other displays (the graph and isometric windows, the glass
// moving maps) can draw the same symbols at their own projections.
#pragma once

// The map types of msc.map_type.
enum { MAP_ENROUTE = 402, MAP_VIRTUAL = 403, MAP_RADAR = 404, MAP_CHART = 998 };

// Region X and Z (m) to window units under the present view (env.zoom_rat, os_X_plan, os_Z_plan):
// (X - os_X_plan) * k * zoom_rat and (os_Z_plan - Z) * k * zoom_rat, k = con.mtrtoplt on the chart
// (which adds its map area's corner, 7 and 184) and con.mtrtonrt on the other maps.
float pixelxfinder(float X);
float pixelyfinder(float Z);

// ---- symbols ----------------------------------------------------------------------------------------

// One line of a symbol drawn about (cx, cy), its end points turned clockwise by angle (degrees).
void plane_line(int colour, int angle, float cx, float cy, float x1, float y1, float x2, float y2);
// The user's aircraft (an aeroplane or a helicopter by pln[0].is_heli) at (x, y) turned to its
// heading, in colours 9 and 8 by turns from call to call, so it blinks.
void flashplane(float x, float y, int angle);
// One point of the recorded path (slot index): joined to the previous point by a doubled line when
// both slots hold points of the present flight and first is 0; the line's colour takes turns from
// call to call like the aircraft's.
void plot_path(int first, float x, float y, int index);
// A small filled label of colour `colour` with a one-letter text.
void plot_icon(float x, float y, int colour, const char* text);
// The name of navaid `index` (kind 10: its first 10 characters at (x, y)) or airport `index` (kind
// 9: the first two words of its name, below (x, y)).
void plot_name(float x, float y, int index, int kind, int colour);
// Navaid nav's frequency box `angle` degrees round from it (kind its nav_type).
void plot_freqbox(float x, float y, int nav, int kind, int angle, int colour);
// Airport apt at (x, y): its runways (to scale on a zoomed map; fitted into the diagram's box
// centred on (x, y) when diagram is 1) or, zoomed out, its round symbol; its name unless diagram.
void plot_apt(float x, float y, int apt, int diagram, int colour);
// Navaid nav's symbol by its type: NDB, VOR with its compass rose, localizer, marker.
void plot_navaid(float x, float y, int nav, int colour);

// ---- the windows ------------------------------------------------------------------------------------

// Draws the map of msc.map_type for the present view (the chart with its diagram and profile).
void plot_map(void);
// Window 3's and window 24's per-frame routine: fields, buttons, the view kept inside the region,
// the click that places the aircraft (the window then closes), else the map.
void manage_map(void);

// ---- the view's rules, each on the present map type and window --------------------------------------

// The map area (window units), the region size it shows at zoom 1 (W east, H south, m) and the
// scale (window units per metre at zoom 1) of the present map type and window.
struct map_frame {
    float x1, y1, x2, y2;
    float W, H;
    float k;
};
map_frame map_frame_now(void);

// The buttons of the window's control strip.
enum {
    MAP_NO_BUTTON = 0, MAP_ZOOM_IN, MAP_ZOOM_OUT, MAP_PAN_SOUTH, MAP_PAN_NORTH, MAP_PAN_WEST, MAP_PAN_EAST,
    MAP_CENTRE, MAP_PROFILE_LEFT, MAP_PROFILE_RIGHT
};
// Applies the button under the window point (mx, my) to the view and returns it; one click presses
// at most one button (the first of the strip's list whose box holds the point).
int map_press(float mx, float my);
// Moves the view back inside the region where an edge of the region would show inside the map area.
void map_keep_inside(void);
// Puts the region point (X, Z) (m) at the middle of the present map type's area.
void map_centre_on(float X, float Z);
// The region point (m) under window point (mx, my) of the present view.
void map_point_to_region(float mx, float my, float* X, float* Z);
// The region point (m) of airport apt's first runway, where the maps draw the airport and the
// chart opens on it; 0 when the airport has no runway the tables hold.
int map_airport_point(int apt, float* X, float* Z);

// ---- the drawing's rules ------------------------------------------------------------------------------

// The approach profile's height-line step (ft) for f window units per metre.
int map_height_step(float f);
// The diagram's scale: the runways' w by d metres fitted into 102 by 129 units; 0 when there is
// nothing to fit.
float map_diagram_scale(float w, float d);
// The first two words (split at blanks and hyphens) of a name of at most n characters, each cut to
// fit its buffer of `size` bytes; an empty text where there is no such word.
void map_name_words(const char* name, int n, char* word1, char* word2, int size);
// The weather radar map's colour level 0..4 of a weather cell of intensity wxr (atm.rain_tstm's
// storm level).
int map_weather_level(float wxr);
// The colour-table entry of terrain cell (i, j) on map type 402 or 998 (6 land, 19 or 18 water, 7
// open water away from every shore on 402).
int map_cell_colour(int type, int i, int j);
