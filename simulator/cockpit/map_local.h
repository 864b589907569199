// map_local.h -- what the map's modules share: the areas of the two map windows, the present map
// type, the symbol colours of each type and a filled quad in window units.
#pragma once
#include "map.h"

// The chart's plan view inside window 24 (window units).
constexpr float CHART_X1 = 7, CHART_Y1 = 184, CHART_X2 = 354, CHART_Y2 = 487;
// The approach profile's box below it, and the middle of the runway diagram beside that box.
constexpr float PROFILE_X1 = 7, PROFILE_Y1 = 38, PROFILE_X2 = 241, PROFILE_Y2 = 182;
constexpr float DIAGRAM_X = 297, DIAGRAM_Y = 100;
// The control strip along the right-hand edge of both windows.
constexpr float STRIP_W = 71;

// 1 while window 24's airport chart is the map (msc.map_type 998).
int map_is_chart(void);

// The colour-table entries of the symbols drawn over the terrain of map type `type`.
struct map_colours {
    int airport, navaid, object;   // objects and fixes share the last
};
map_colours map_colours_of(int type);

// A filled quad in colour `colour` through four window points, in either winding.
void map_fill_quad(int colour, const float x[4], const float y[4]);
