// world_pending.h -- routines the outside view calls whose own modules come with later work: the
// drawing of runways and objects. Until then they do nothing; each module that brings the real
// routine removes its entry here.
#pragma once

// ---- the outside view's drawing of later modules ----------------------------------------------------

// Runways, pavement, windsocks and runway lights. plot_pavement draws taxiway or apron piece quad
// (1..5) of geometry row rwy_geo with texture tex, its t coordinate running 0..t_repeat;
// plot_runway draws world runway rwy of world airport apt (its geometry row from rwy_geo_ind);
// plot_windsock one end (0, 1) of a row. Each sets env.over_obs, surf_type and obj_height when the
// aircraft is over what it draws.
void plot_pavement(int rwy_geo, int quad, float t_repeat, int tex);
void plot_runway(int apt, int rwy, int rwy_geo);
void plot_windsock(int rwy_geo, int end);
void plot_rway_lights(void);

// Stars, obstacles and buildings, trees, city lights and forest fires. plot_stars takes the sky's
// colour and the view's extent at the near plane (left, bottom, right, top).
void plot_stars(float sky_r, float sky_g, float sky_b, float left, float bottom, float right, float top);
void plot_obstacles(void);
void plot_trees(void);
void plot_city_lights(void);
void plot_fires(void);

