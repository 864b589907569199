// map.cpp -- the map windows' view (projection, zoom, pan, the region's edges), their fields and
// buttons, and the click that places the aircraft.
#include "map.h"
#include "map_local.h"

#include "cockpit_hooks.h"
#include "fltutil.h"
#include "hl_btn.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "startpos_codes.h"

namespace {

constexpr float ZOOM_MAX = 50;   // zooming in stops once the zoom has reached this
constexpr float ZOOM_STEP = 1.5f;

// A button of the strip: x from the window's width minus a to minus b, y from c to d.
struct strip_button {
    float a, b, c, d;
    int id;
    int chart_only;
};
constexpr strip_button BUTTONS[] = {
    {71, 0, 210, 230, MAP_ZOOM_IN, 0},     {71, 0, 190, 210, MAP_ZOOM_OUT, 0},
    {44, 24, 164, 184, MAP_PAN_NORTH, 0},  {44, 24, 128, 148, MAP_PAN_SOUTH, 0},
    {62, 42, 146, 166, MAP_PAN_WEST, 0},   {26, 6, 146, 166, MAP_PAN_EAST, 0},
    {71, 0, 79, 124, MAP_CENTRE, 0},       {71, 35, 14, 34, MAP_PROFILE_LEFT, 1},
    {35, 0, 14, 34, MAP_PROFILE_RIGHT, 1},
};

// The zoom the view is drawn with: never below 1 (a cleared record holds 0; a damaged one may hold
// anything).
void keep_zoom(void)
{
    if (!(env.zoom_rat >= 1.0f) || !(env.zoom_rat < 1.0e6f)) env.zoom_rat = 1.0f;
}

}  // namespace

int map_is_chart(void) { return msc.map_type == MAP_CHART; }

map_frame map_frame_now(void)
{
    if (map_is_chart())
        return {CHART_X1, CHART_Y1, CHART_X2, CHART_Y2, con.plttomtr * (CHART_X2 - CHART_X1),
                con.plttomtr * (CHART_Y2 - CHART_Y1), con.mtrtoplt};
    return {0, 0, mnw.dx - STRIP_W, mnw.dy, env.dx, env.dz, con.mtrtonrt};
}

float pixelxfinder(float X)
{
    if (map_is_chart()) return (X - env.os_X_plan) * con.mtrtoplt * env.zoom_rat + CHART_X1;
    return (X - env.os_X_plan) * con.mtrtonrt * env.zoom_rat;
}

float pixelyfinder(float Z)
{
    if (map_is_chart()) return (env.os_Z_plan - Z) * con.mtrtoplt * env.zoom_rat + CHART_Y1;
    return (env.os_Z_plan - Z) * con.mtrtonrt * env.zoom_rat;
}

void map_centre_on(float X, float Z)
{
    keep_zoom();
    const map_frame f = map_frame_now();
    env.os_X_plan = X - f.W * 0.5f / env.zoom_rat;
    env.os_Z_plan = Z + f.H * 0.5f / env.zoom_rat;
}

int map_press(float mx, float my)
{
    keep_zoom();
    const map_frame f = map_frame_now();
    const float W = f.W, H = f.H;
    int id = MAP_NO_BUTTON;
    for (const strip_button& b : BUTTONS) {
        if (b.chart_only && !map_is_chart()) continue;
        if (fltbox(mx, my, mnw.dx - b.a, b.c, mnw.dx - b.b, b.d)) {
            id = b.id;
            break;
        }
    }
    float& z = env.zoom_rat;
    switch (id) {
    case MAP_ZOOM_IN:
        // The edges move in by a quarter of the new view each way: the middle stays.
        if (z < ZOOM_MAX) {
            z *= ZOOM_STEP;
            env.os_X_plan += W * 0.25f / z;
            env.os_Z_plan -= H * 0.25f / z;
        }
        break;
    case MAP_ZOOM_OUT:
        // The edges move out by a quarter of the old view each way.
        if (z > 1.0f) {
            env.os_X_plan -= W * 0.25f / z;
            env.os_Z_plan += H * 0.25f / z;
            z = fltmax2(z / ZOOM_STEP, 1.0f);
        }
        break;
    case MAP_PAN_NORTH: env.os_Z_plan -= H * 0.2f / z; break;
    case MAP_PAN_SOUTH: env.os_Z_plan += H * 0.2f / z; break;
    case MAP_PAN_WEST: env.os_X_plan -= W * 0.2f / z; break;
    case MAP_PAN_EAST: env.os_X_plan += W * 0.2f / z; break;
    case MAP_CENTRE: map_centre_on(static_cast<float>(flt.X[0]), static_cast<float>(flt.Z[0])); break;
    case MAP_PROFILE_LEFT: env.os_X_gs -= W * 0.2f / z * 0.5f; break;
    case MAP_PROFILE_RIGHT: env.os_X_gs += W * 0.2f / z * 0.5f; break;
    default: break;
    }
    return id;
}

void map_keep_inside(void)
{
    keep_zoom();
    const map_frame f = map_frame_now();
    if (pixelxfinder(env.lox) > f.x1) env.os_X_plan = env.lox;
    if (pixelyfinder(env.hiz) > f.y1) env.os_Z_plan = env.hiz;
    if (pixelxfinder(env.hix) < f.x2) env.os_X_plan = env.hix - f.W / env.zoom_rat;
    if (pixelyfinder(env.loz) < f.y2) env.os_Z_plan = env.loz + f.H / env.zoom_rat;
}

void map_point_to_region(float mx, float my, float* X, float* Z)
{
    *X = interp(pixelxfinder(env.hix), env.hix, pixelxfinder(env.lox), env.lox, mx);
    *Z = interp(pixelyfinder(env.hiz), env.hiz, pixelyfinder(env.loz), env.loz, my);
}

int map_airport_point(int apt, float* X, float* Z)
{
    if (apt < 0 || apt >= MAX_APT) return 0;
    const int r = apt_lo_ind[apt];
    if (r < 0 || r > apt_hi_ind[apt] || r >= MAX_RWY) return 0;
    *X = static_cast<float>(X_with_latlon(rwy_lat[r], rwy_lon[r]));
    *Z = static_cast<float>(Z_with_lat(rwy_lat[r]));
    return 1;
}

void manage_map(void)
{
    keep_zoom();
    const float dx = mnw.dx;
    instdbtn_range(dx - 51, 432, 47, &set.cus_psi, 3, 0, 0, 360,
                   "This is the heading that the aircraft will be placed at if you click on the map.");
    // Altitude and speed are kept in metres and metres per second; the fields show feet and knots
    // and write back only what the user changed, so an untouched value never drifts.
    float feet = set.cus_Y * con.mtrstoft;
    if (instdbtn(dx - 66, 370, 47, &feet, 6, 0, 0,
                 "This is the altitude that the aircraft will be placed at if you click on the map."))
        set.cus_Y = feet * con.fttomtrs;
    float knots = set.cus_v * con.msctokts;
    if (instdbtn(dx - 61, 308, 47, &knots, 5, 0, 0,
                 "This is the true groundspeed that the aircraft will be placed at if you click on the map."))
        set.cus_v = knots * con.ktstomsc;

    // Buttons first: the placement below sees this frame's pan and zoom.
    const int pressed = mnw.mouse_clicked ? map_press(mnw.mx, mnw.my) : MAP_NO_BUTTON;
    map_keep_inside();

    // The map area ends where the strip begins: a click on a button's edge places nothing.
    const map_frame f = map_frame_now();
    if (mnw.mouse_clicked && pressed == MAP_NO_BUTTON && fltbox(mnw.mx, mnw.my, f.x1, f.y1, f.x2, f.y2) &&
        mnw.mx < f.x2) {
        map_point_to_region(mnw.mx, mnw.my, &set.cus_X, &set.cus_Z);
        call_hook(ckp_hooks.set_fltvars, START_NAVAID, 0);
        MACIBM_startwind(0);
        return;
    }
    plot_map();
}
