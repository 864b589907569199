// map_plot.cpp -- the map drawn for the present view: the terrain in the map type's style, the
// weather returns, ships, objects, fixes, airports, navaids, the recorded path and the aircraft, and
// on the airport chart the field elevation, the runway diagram and the approach profile.
#include "map.h"
#include "map_local.h"
#include "panel_local.h"   // hears_glide_slope

#include "fltutil.h"
#include "hl_dbline.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"
#include "hl_wxr.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

namespace {

// The screen positions (window position plus the window's corner) of the terrain grid's points
// this frame.
float plotx[REGION_NI][REGION_NJ];
float ploty[REGION_NI][REGION_NJ];

constexpr float SIN_3DEG = 0.05233596f;
constexpr int WXR_CELLS_I = WXR_GRID_NI - 1, WXR_CELLS_J = WXR_GRID_NJ - 1;

void project_grid(void)
{
    for (int i = 0; i < REGION_NI; i++) {
        for (int j = 0; j < REGION_NJ; j++) {
            plotx[i][j] = pixelxfinder(planexyz[i][j][0]) + mnw.x + 0.5f;
            ploty[i][j] = pixelyfinder(planexyz[i][j][2]) + mnw.y + 0.5f;
        }
    }
}

// Cell (i, j)'s quad, wound clockwise (south-west, north-west, north-east, south-east).
inline void cell_quad(int i, int j)
{
    glVertex2f(plotx[i][j], ploty[i][j]);
    glVertex2f(plotx[i][j + 1], ploty[i][j + 1]);
    glVertex2f(plotx[i + 1][j + 1], ploty[i + 1][j + 1]);
    glVertex2f(plotx[i + 1][j], ploty[i + 1][j]);
}

// The terrain textures, each cell with its own texture and corner coordinates.
void terrain_textured(void)
{
    OGL_setstate(0, 1, 0, 0);
    glColor3f(1.0f, 1.0f, 1.0f);
    int bound = -1;
    int open = 0;
    for (int i = 0; i < REGION_NI - 1; i++) {
        for (int j = 0; j < REGION_NJ - 1; j++) {
            const int tex = static_cast<int>(planetex[i][j]);
            if (tex != bound) {
                if (open) glEnd();
                OGL_bindtex(tex);
                bound = tex;
                glBegin(GL_QUADS);
                open = 1;
            }
            const float(*st)[2][2] = planest[i][j];
            glTexCoord2fv(st[0][0]);
            glVertex2f(plotx[i][j], ploty[i][j]);
            glTexCoord2fv(st[0][1]);
            glVertex2f(plotx[i][j + 1], ploty[i][j + 1]);
            glTexCoord2fv(st[1][1]);
            glVertex2f(plotx[i + 1][j + 1], ploty[i + 1][j + 1]);
            glTexCoord2fv(st[1][0]);
            glVertex2f(plotx[i + 1][j], ploty[i + 1][j]);
        }
    }
    if (open) glEnd();
    OGL_setstate(0, 0, 0, 0);
}

// The terrain in flat colours: grey relief with black water on the radar map, the colour-table
// entries of map_cell_colour on the others.
void terrain_flat(int type)
{
    const float span = env.max_h - env.min_h;
    glBegin(GL_QUADS);
    for (int i = 0; i < REGION_NI - 1; i++) {
        for (int j = 0; j < REGION_NJ - 1; j++) {
            if (type == MAP_RADAR) {
                float g = 0.0f;
                if (!on_water[i][j]) {
                    const float h = 0.25f * (planexyz[i][j][1] + planexyz[i][j + 1][1] + planexyz[i + 1][j][1] +
                                             planexyz[i + 1][j + 1][1]);
                    // A region of one height has no relief to shade.
                    g = span > 0.0f ? interp(env.min_h, 0.1f, env.max_h, 0.5f, h) : 0.1f;
                }
                glColor3f(g, g, g);
            } else {
                OGL_setcolor(map_cell_colour(type, i, j));
            }
            cell_quad(i, j);
        }
    }
    glEnd();
}

// The weather returns over the region: each cell of the weather grid with a level above 0 in
// colour 70 + level. Only the cells in view are looked at.
void weather(const map_frame& f)
{
    if (!(atm.rain_tstm > 1.0f) || !(env.dx > 0.0f) || !(env.dz > 0.0f)) return;
    const float ci = WXR_CELLS_I / env.dx, cj = WXR_CELLS_J / env.dz;
    const float view_x1 = env.os_X_plan, view_x2 = env.os_X_plan + f.W / env.zoom_rat;
    const float view_z1 = env.os_Z_plan - f.H / env.zoom_rat, view_z2 = env.os_Z_plan;
    const int i1 = intlim(static_cast<int>(std::floor((view_x1 - env.lox) * ci)), 0, WXR_CELLS_I - 1);
    const int i2 = intlim(static_cast<int>(std::floor((view_x2 - env.lox) * ci)), 0, WXR_CELLS_I - 1);
    const int j1 = intlim(static_cast<int>(std::floor((view_z1 - env.loz) * cj)), 0, WXR_CELLS_J - 1);
    const int j2 = intlim(static_cast<int>(std::floor((view_z2 - env.loz) * cj)), 0, WXR_CELLS_J - 1);
    glBegin(GL_QUADS);
    for (int i = i1; i <= i2; i++) {
        const float xa = pixelxfinder(interp(0.0f, env.lox, WXR_CELLS_I, env.hix, static_cast<float>(i))) + mnw.x + 0.5f;
        const float xb = pixelxfinder(interp(0.0f, env.lox, WXR_CELLS_I, env.hix, static_cast<float>(i + 1))) + mnw.x + 0.5f;
        for (int j = j1; j <= j2; j++) {
            const int v = map_weather_level(atm.wxr[i][j]);
            if (v == 0) continue;
            // Row j runs from north (loz) to south.
            const float yn = pixelyfinder(interp(0.0f, env.loz, WXR_CELLS_J, env.hiz, static_cast<float>(j))) + mnw.y + 0.5f;
            const float ys = pixelyfinder(interp(0.0f, env.loz, WXR_CELLS_J, env.hiz, static_cast<float>(j + 1))) + mnw.y + 0.5f;
            OGL_setcolor(70 + v);
            glVertex2f(xa, ys);
            glVertex2f(xa, yn);
            glVertex2f(xb, yn);
            glVertex2f(xb, ys);
        }
    }
    glEnd();
}

// Whether window point (x, y) lies within `margin` of the map area.
int near_area(const map_frame& f, float x, float y, float margin)
{
    return fltbox(x, y, f.x1 - margin, f.y1 - margin, f.x2 + margin, f.y2 + margin);
}

// Ships and the oil rig at the middle of their cell, and the first forest fire.
void ships_and_fire(void)
{
    for (int i = 0; i < REGION_NI - 1; i++) {
        for (int j = 0; j < REGION_NJ - 1; j++) {
            const char* text = frig_on_poly[i][j] ? "F" : carr_on_poly[i][j] ? "C" : oilr_on_poly[i][j] ? "O" : nullptr;
            if (!text) continue;
            const float x = 0.5f * (plotx[i][j] + plotx[i + 1][j + 1]) - mnw.x - 0.5f;
            const float y = 0.5f * (ploty[i][j] + ploty[i + 1][j + 1]) - mnw.y - 0.5f;
            plot_icon(x, y, 18, text);
        }
    }
    if (scn.fire_on[0]) plot_icon(pixelxfinder(scn.firexyz[0][0]), pixelyfinder(scn.firexyz[0][2]), 8, "F");
}

// The region's objects as carets (buildings, towers and the custom objects).
void objects(const map_frame& f, int colour)
{
    for (int o = 0; o < OBJ_MAX; o++) {
        const int t = obj_type[o];
        if (!((t >= 2 && t <= 96) || t > 100)) continue;
        const float x = pixelxfinder(obj_xyz[o][0][0][0]), y = pixelyfinder(obj_xyz[o][0][0][2]);
        if (!near_area(f, x, y, 4.0f)) continue;
        OGL_line(colour, x - 2.0f, y - 3.0f, x, y + 3.0f);
        OGL_line(colour, x, y + 3.0f, x + 2.0f, y - 3.0f);
    }
}

// The fixes inside the region's degrees as triangles, named when the map is close enough.
void fixes(const map_frame& f, int colour, int named)
{
    for (int k = 0; k < MAX_FIX; k++) {
        if (round(fix_lat[k]) == DB_CODE_END) break;
        if (!fltrange(fix_lat[k], static_cast<float>(env.lat_sou), static_cast<float>(env.lat_sou + 2)) ||
            !fltrange(fix_lon[k], static_cast<float>(env.lon_wes), static_cast<float>(env.lon_wes + 3)))
            continue;
        const float x = pixelxfinder(static_cast<float>(X_with_latlon(fix_lat[k], fix_lon[k])));
        const float y = pixelyfinder(static_cast<float>(Z_with_lat(fix_lat[k])));
        if (!near_area(f, x, y, 40.0f)) continue;
        OGL_line(colour, x - 4.0f, y - 3.0f, x, y + 3.0f);
        OGL_line(colour, x, y + 3.0f, x + 4.0f, y - 3.0f);
        OGL_line(colour, x + 4.0f, y - 3.0f, x - 4.0f, y - 3.0f);
        if (named) {
            char name[FIX_NAME_LEN + 1];
            std::snprintf(name, sizeof name, "%.*s", FIX_NAME_LEN, fix_name[k]);
            OGL_string(colour, x - 14.0f, y - 11.0f, name, 800.0f, 6.0f);
        }
    }
}

// The region's airports at their first runway.
void airports(int colour)
{
    const int last = intmin2(apt_wrl_max, MAX_APT - 1);
    for (int a = 0; a <= last; a++) {
        float X, Z;
        if (!apt_inreg[a] || !map_airport_point(a, &X, &Z)) continue;   // no runway: nowhere to draw it
        plot_apt(pixelxfinder(X), pixelyfinder(Z), a, 0, colour);
    }
}

// The region's beacons and VORs (on the chart also its localizers and markers).
void navaids(int colour)
{
    const int top = map_is_chart() ? 9 : 3;
    const int last = intmin2(nav_wrl_max, MAX_NAV - 1);
    for (int n = 0; n <= last; n++) {
        if (!nav_inreg[n] || nav_type[n] < 2 || nav_type[n] > top) continue;
        plot_navaid(pixelxfinder(static_cast<float>(X_with_latlon(nav_lat[n], nav_lon[n]))),
                    pixelyfinder(static_cast<float>(Z_with_lat(nav_lat[n]))), n, colour);
    }
}

void recorded_path(void)
{
    for (int k = 0; k < PATH_POINTS; k++)
        plot_path(k == 0, pixelxfinder(pat.xyztppt[k][0]), pixelyfinder(pat.xyztppt[k][2]), k);
}

// The chart's field elevation in feet above the diagram, signed, as many places as it has digits.
void field_elevation(int apt)
{
    const int e = round(apt_h[apt] * con.mtrstoft);
    int digits = 1;
    for (int m = e < 0 ? -e : e; m >= 10 && digits < 5; m /= 10) digits++;
    OGL_number(29, 306.0f - 6.0f * static_cast<float>(digits - 1), 174.0f, static_cast<float>(e), digits, 0, 6.0f, 1);
}

// The approach profile: heights drawn seven times the horizontal scale, a 3-degree glide path from
// the reference point (the airport's first runway, or the glide slope a receiver hears within 3 nm
// of it: a localizer alone keeps the runway) and the recorded path seen from the side. The approach
// always extends into the box: for a westbound course (180..360) it comes from the east, to the
// right of the reference point near the box's left edge; for an eastbound one it comes from the
// west, left of a point near the right edge.
void approach_profile(int apt)
{
    float ref_x, ref_z;
    if (!map_airport_point(apt, &ref_x, &ref_z)) return;
    float ref_h = apt_h[apt];
    float c = static_cast<float>(rwy_hdng[apt_lo_ind[apt]]);
    // Receiver 1 serves the map only on panels that carry it (supplementary instrument 1 or 7).
    const int first = pln[0].supptype == 1 || pln[0].supptype == 7 ? 0 : 1;
    const float reach = 3.0f * con.nmtomtrs;
    for (int r = first; r < 2; r++) {
        if (!hears_glide_slope(r)) continue;
        if (std::fabs(nav.gsX[r] - ref_x) >= reach || std::fabs(nav.gsZ[r] - ref_z) >= reach) continue;
        ref_x = nav.gsX[r];
        ref_z = nav.gsZ[r];
        ref_h = nav.gsY[r];
        c = nav.ilscrs[r];
    }
    const float f = con.mtrtoplt * env.zoom_rat;
    const int westbound = fltrange(c, 180.0f, 360.0f);
    const float dir = westbound ? 1.0f : -1.0f;
    const float x0 = (westbound ? 22.0f + 15.0f : 224.0f - 15.0f) - env.os_X_gs * f;

    OGL_scissor(PROFILE_X1, PROFILE_Y1, PROFILE_X2 - PROFILE_X1, PROFILE_Y2 - PROFILE_Y1);
    OGL_line(29, x0, 100.0f, x0 + 190.0f * dir, 100.0f + 1330.0f * SIN_3DEG);
    const int step = map_height_step(f);
    const float gap = static_cast<float>(step) * con.fttomtrs * f * 7.0f;
    if (gap >= 1.0f) {
        for (int n = 1;; n++) {
            const int y = static_cast<int>(static_cast<float>(n) * gap + 100.0f);
            if (y >= 182) break;
            const int h = step * n;
            const int digits = h > 9999 ? 5 : (h > 999 ? 4 : 3);
            OGL_line(29, 40.0f, static_cast<float>(y), 239.0f, static_cast<float>(y));
            OGL_number(29, static_cast<float>((5 - digits) * 5 + 10), static_cast<float>(y - 3), static_cast<float>(h),
                       digits, 0, 6.0f, 0);
        }
    }
    const float s = std::sin(c * con.degtorad), co = std::cos(c * con.degtorad);
    for (int k = 0; k < PATH_POINTS; k++) {
        const float* p = pat.xyztppt[k];
        // Distance still to go along the course, positive before the reference point.
        const int a = static_cast<int>(((ref_x - p[0]) * s - (ref_z - p[2]) * co) * f);
        const int y = static_cast<int>((p[1] - ref_h) * f * 7.0f) + 100;
        plot_path(k == 0, x0 + dir * static_cast<float>(a), static_cast<float>(y), k);
    }
    OGL_scissor_off();
}

}  // namespace

int map_weather_level(float wxr)
{
    const float v = (atm.rain_tstm - 1.0f) * wxr;
    // Storm levels run 1..5, so a cell's level is 0..4; a damaged grid stays inside the colours.
    return std::isfinite(v) ? intlim(round(v), 0, 4) : 0;
}

int map_cell_colour(int type, int i, int j)
{
    if (!on_water[i][j]) return 6;
    if (type == MAP_CHART) return 18;
    // Open water: a water cell inside the grid's border whose four diagonal neighbours are water.
    if (i >= 1 && i <= REGION_NI - 3 && j >= 1 && j <= REGION_NJ - 3 && on_water[i - 1][j - 1] &&
        on_water[i + 1][j - 1] && on_water[i - 1][j + 1] && on_water[i + 1][j + 1])
        return 7;
    return 19;
}

map_colours map_colours_of(int type)
{
    switch (type) {
    case MAP_VIRTUAL: return {0, 12, 6};
    case MAP_RADAR: return {0, 6, 12};
    case MAP_CHART: return {29, 29, 29};
    default: return {16, 29, 29};
    }
}

int map_height_step(float f)
{
    const int d = static_cast<int>(20.0f / f * con.fttomtrs);
    if (d < 150) return 100;
    if (d < 350) return 200;
    if (d < 750) return 500;
    if (d < 1500) return 1000;
    if (d < 3000) return 2000;
    return 5000;
}

void plot_map(void)
{
    const int type = msc.map_type;
    const int chart = map_is_chart();
    const int apt = msc.plt_apt_wrl;
    const int apt_ok = apt >= 0 && apt <= apt_wrl_max && apt < MAX_APT;
    if (chart && apt_ok) {
        field_elevation(apt);
        plot_apt(DIAGRAM_X, DIAGRAM_Y, apt, 1, 29);
    }

    const map_frame f = map_frame_now();
    OGL_scissor(f.x1, f.y1, f.x2 - f.x1, f.y2 - f.y1);
    project_grid();
    if (type == MAP_VIRTUAL)
        terrain_textured();
    else
        terrain_flat(type);
    if (type == MAP_RADAR) weather(f);

    const map_colours col = map_colours_of(type);
    ships_and_fire();
    if (type != MAP_ENROUTE) objects(f, col.object);
    if (env.zoom_rat > 1.1f || chart) fixes(f, col.object, env.zoom_rat > 4.0f || chart);
    airports(col.airport);
    navaids(col.navaid);
    recorded_path();
    flashplane(pixelxfinder(static_cast<float>(flt.X[0])), pixelyfinder(static_cast<float>(flt.Z[0])),
               static_cast<int>(flt.psi[0]));
    OGL_scissor_off();

    if (chart && apt_ok) approach_profile(apt);
}
