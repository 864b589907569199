// nature_draw.h -- what the outside view shows of nature and the towns: trees, city lights,
// forest fires with their smoke, and the night sky's stars with the odd meteor.
#pragma once

// Star directions at 1000 m from the viewpoint, x east, y up, z south; placed once at start-up.
constexpr int NUM_STARS = 2000;
extern float star_xyz[NUM_STARS][3];
// Scatters the stars over the sky from 20 degrees below the horizon to 80 above, all round.
void place_stars(void);

// The trees of the cells in view, each a 12 by 20 m picture turned to face the view. Sets its own
// state.
void plot_trees(void);
// The city lights of the cells in view. Expects fog and depth test on, texturing and lighting off.
void plot_city_lights(void);
// The burning fires, ten pictures a second, and their smoke drifting downwind. Sets its own state.
void plot_fires(void);

// How bright the first group of stars is for the hour and the sky's colour: 1 - o (r + g + b) with
// o 1.6 after noon and 0.8 before; no star shows when every component of the sky reaches it.
float star_brightness(float hour, float sky_r, float sky_g, float sky_b);
// The stars in the sky's colour (never darker than the sky) and now and then a meteor, which
// falls across the view's logical area left..right by bottom..top. Expects fog, texturing,
// lighting and depth test off.
void plot_stars(float sky_r, float sky_g, float sky_b, float left, float bottom, float right, float top);
// Stars first..last of star_xyz at brightness `bright` over the sky (r, g, b), inside an open
// point list.
void plotgroup(int first, int last, float r, float g, float b, float bright);

// The smoke's puffs (tests): age (s past birth, reborn beyond 100), size (m; 0 while one past its
// life waits for a fire to burn, and is not drawn) and place.
struct smoke_puff {
    float age, size, x, y, z, dir;
};
const smoke_puff* smoke_puffs(void);   // 50 of them
