// object_draw.h -- the objects of the region in the outside view: power-line and radio towers,
// buildings with their sides, roofs and night lights, and custom objects. A roof under the
// aircraft is solid ground for it: env.over_obs, surf_type and obj_height say so.
#pragma once

// Side texture of building type `type` (1, 2, 5, 6, 90..97), 0 for a type without sides.
int building_side_tex(int type);
// The level of the roof (and of the obstruction lights) of a building type, -1 for none; the
// roof's texture in *tex.
int building_roof(int type, int* tex);
// Window level of a building type, -1 for none, and the windows' colour.
int building_windows(int type, float rgb[3]);
// A colour code RRGGBB as three components 0..1 (each pair 00..10 taken times 0.1).
void colour_code_rgb(int code, float rgb[3]);

// Every in-range object and, when the city lights are on, its lights. Sets its own state.
void plot_obstacles(void);
// The parts plot_obstacles draws inside the lists it has opened: a power tower's five lines, a
// radio tower's points, the sides of the levels first..last of a building, one roof, and a
// building's night lights.
void plot_powertower(int obj);
void plot_radtower(int obj);
void plot_buildingsides(int obj, int first_level, int last_level);
void plot_buildingtops(int obj, int level);
void plot_buildinglights(int type, int obj);
// The roof test of plot_obstacles, over every building with a roof whether it is drawn or not: an
// aircraft whose (x, z) lies within a roof stands on it (env.over_obs 1, surf_type 62, obj_height
// the roof's height).
void roofs_under_aircraft(void);
