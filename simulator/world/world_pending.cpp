// world_pending.cpp -- the do-nothing stand-ins of world_pending.h.
#include "world_pending.h"

#include "fltutil.h"
#include "hl_string.h"
#include "hl_types.h"

#include <cmath>

void plot_pavement(int, int, float, int) {}
// Draws nothing yet, but keeps what the flight needs from it: an aircraft over the runway's
// rectangle stands on its pavement (surface, airport elevation) rather than on rough ground.
void plot_runway(int apt, int rwy, int)
{
    if (apt < 0 || apt > apt_wrl_max || rwy < 0 || rwy > rwy_wrl_max) return;
    const double h = rwy_hdng[rwy] * 3.14159265358979 / 180.0;
    const double dx = flt.X[0] - X_with_latlon(rwy_lat[rwy], rwy_lon[rwy]);
    const double dz = flt.Z[0] - Z_with_lat(rwy_lat[rwy]);
    const double along = dx * std::sin(h) - dz * std::cos(h), across = dx * std::cos(h) + dz * std::sin(h);
    if (std::fabs(along) > 0.5 * rwy_len[rwy] || std::fabs(across) > 0.5 * rwy_width[rwy]) return;
    int surface, l0[2], l1[2], l2[2];
    code_to_lgts(&surface, l0, l1, l2, rwy_lite[rwy]);
    env.over_obs = 1;
    env.surf_type = surface;
    env.obj_height = apt_h[apt];
}
void plot_windsock(int, int) {}
void plot_rway_lights(void) {}
void plot_stars(float, float, float, float, float, float, float) {}
void plot_obstacles(void) {}
void plot_trees(void) {}
void plot_city_lights(void) {}
void plot_fires(void) {}
