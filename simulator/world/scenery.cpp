// scenery.cpp -- the outside view's frame: fog, projection, sky box, range tests, the drawing order
// and the 2-D overlays drawn over the view.
#include "scenery.h"

#include "atc.h"
#include "daylight.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_model.h"
#include "hl_string.h"
#include "hl_types.h"
#include "hud.h"
#include "nature_draw.h"
#include "object_draw.h"
#include "precip.h"
#include "replay_bar.h"
#include "runway_draw.h"
#include "ships.h"
#include "terrain.h"
#include "view.h"
#include "vrange.h"
#include "world_hooks.h"

#include <GL/gl.h>

#include <cmath>

float ogl_brat_ter = 1.0f;
float lite_r = 1.0f, lite_g = 1.0f, lite_b = 1.0f;

namespace {

constexpr float PI = 3.14159265f;
constexpr float DEG = PI / 180.0f;
constexpr int OTHERS = 12;               // the user's aircraft and the eleven others
constexpr int PROMPT_COLOR = 56;
constexpr int TOW_ROPE_COLOR = 29;
constexpr int HUD_FRAME_COLOR = 18;
constexpr int TEXT_COLOR = 47;
constexpr float LOOKING_DOWN = -30.0f;   // degrees of camera pitch below which all the box is drawn
constexpr float FAR_PAST_FOG = 1.2f;     // the far plane lies this far past where the fog closes

// The sky box: rings of points at these elevations (degrees) in these bands' shades, drawn around
// the camera before the heading turn (the sky looks the same all round).
constexpr int SKY_SEGMENTS = 16;
constexpr int SKY_RINGS = 5;
constexpr float SKY_ELEV[SKY_RINGS] = {-90.0f, 0.0f, 15.0f, 40.0f, 90.0f};
constexpr int SKY_BAND[SKY_RINGS] = {0, 0, 1, 2, 2};
constexpr float SKY_RADIUS_NEARS = 10.0f;   // radius in near-plane distances: inside the frustum

daylight_out g_day = {};
scenery_frame g_frame = {};

float dist3(const float a[3], double x, double y, double z)
{
    const double dx = a[0] - x, dy = a[1] - y, dz = a[2] - z;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}

// Half the camera's height above the ground, kept short of the nearest aircraft that is drawn,
// within 0.1..5 m. The user's own aircraft counts only in the views that show it: from the cockpit
// its distance would pin the near plane at 0.1 m, and with a 16-bit depth buffer everything beyond
// a few kilometres would then fall to the cleared depth and vanish.
float near_clip(float agl)
{
    float d = agl * 0.5f;
    const int outside = view_is_outside(set.view_type);
    for (int p = outside ? 0 : 1; p < OTHERS; p++)
        d = fltmin2(d, dist3(con.VIEW_xyz, flt.X[p], flt.Y[p], flt.Z[p]) - 1.5f * scn.planerad);
    return fltlim(d, 0.1f, 5.0f);
}

// The view's area, projection and viewport; the head-up display's centre with them.
void set_projection(float near_c, float far_c)
{
    const float bottom = set.view_is_fullscreen ? 0.0f : PANEL_PICTURE_H;
    const float top = static_cast<float>(SCREEN_H);
    const float per_rad = VIEW_PX_PER_DEG / DEG;   // logical units per radian at the centre
    const float zoom = scn.zoom >= 1.0f ? scn.zoom : 1.0f;
    const float hw = near_c * (0.5f * SCREEN_W / per_rad) / zoom;
    const float hh = near_c * (0.5f * (top - bottom) / per_rad) / zoom;
    const int py = static_cast<int>(std::lround(bottom * mnw.YRAT));
    glViewport(0, py, static_cast<GLsizei>(mnw.HRES), static_cast<GLsizei>(std::lround(mnw.YRES)) - py);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-hw, hw, -hh, hh, near_c, far_c);
    glMatrixMode(GL_MODELVIEW);
    con.cntrx = 0.5f * SCREEN_W;
    con.cntry = 0.5f * (bottom + top);
    hud_set_box(bottom, top);
    g_frame.bottom = bottom;
    g_frame.top = top;
    g_frame.near_clip = near_c;
    g_frame.far_clip = far_c;
    g_frame.half_w = hw;
    g_frame.half_h = hh;
}

// Rings of the sky from the nadir to the zenith, in the sky's colour times each band's shade.
void sky_box(float radius)
{
    OGL_setstate(0, 0, 0, 0);
    glDisable(GL_CULL_FACE);
    for (int ring = 0; ring + 1 < SKY_RINGS; ring++) {
        glBegin(GL_QUAD_STRIP);
        for (int s = 0; s <= SKY_SEGMENTS; s++) {
            const float az = 2.0f * PI * static_cast<float>(s) / SKY_SEGMENTS;
            for (int k = ring; k <= ring + 1; k++) {
                const float e = SKY_ELEV[k] * DEG, shade = g_day.shade[SKY_BAND[k]];
                glColor3f(g_day.sky[0] * shade, g_day.sky[1] * shade, g_day.sky[2] * shade);
                glVertex3f(radius * std::cos(e) * std::sin(az), radius * std::sin(e), -radius * std::cos(e) * std::cos(az));
            }
        }
        glEnd();
    }
    glEnable(GL_CULL_FACE);
}

// The sun's light for the hour: from the east in the morning, overhead at noon, from the west in
// the afternoon, a little from the south; its colour the hour's light.
void set_light(float hour)
{
    const float sun = fltlim((hour - 12.0f) * 90.0f / 8.0f, -90.0f, 90.0f) * DEG;
    const GLfloat pos[4] = {-std::sin(sun), std::cos(sun), 0.35f, 0.0f};
    const GLfloat diffuse[4] = {0.6f * lite_r, 0.6f * lite_g, 0.6f * lite_b, 1.0f};
    const GLfloat ambient[4] = {0.4f * lite_r, 0.4f * lite_g, 0.4f * lite_b, 1.0f};
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, pos);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, white);
}

// Taxiways and aprons, then runways, of every local airport in view. With draw 0 (the camera above
// an overcast that hides them all) nothing is drawn: only what the aircraft stands on is found, at
// every local airport.
void plot_airports(int draw)
{
    if (draw) {
        OGL_setstate(1, 1, 1, 0);
        glNormal3f(0.0f, 1.0f, 0.0f);
    }
    for (int row = 0; row < apt_lcl_num && row < LCL_MAX; row++) {
        if (draw && !apt_inrange[row]) continue;
        const int a = apt_to_index[row];
        for (int r = apt_lo_ind[a]; r <= apt_hi_ind[a] && r <= rwy_wrl_max; r++) {
            const int g = rwy_geo_ind[r];
            if (g < 0) continue;
            if (!draw) {
                runway_under_aircraft(a, r);
                continue;
            }
            if (geo_tway[g]) {
                // The asphalt set on asphalt, else the concrete set.
                const int set = RWY_TEX_SET0 + (geo_type[g] == SURF_ASPHALT ? 0 : RWY_TEX_SET_STEP);
                const float along = rwy_width[r] > 0 ? static_cast<float>(rwy_len[r] / rwy_width[r]) : 1.0f;
                plot_pavement(g, 1, along, set + RWY_PAVE);
                plot_pavement(g, 5, 3.0f, set + RWY_PAVE);
                for (int q = 2; q <= 4; q++) plot_pavement(g, q, 1.0f, set + RWY_TURN);
            }
            plot_runway(a, r, g);
        }
    }
    if (!draw) return;
    flush_runways();
    // The windsocks of the nearest airport.
    const int near_row = nearest_local_airport();
    if (near_row < 0 || near_row >= apt_lcl_num) return;
    const int a = apt_to_index[near_row];
    OGL_setstate(1, 1, 1, 1);
    glDisable(GL_CULL_FACE);
    for (int r = apt_lo_ind[a]; r <= apt_hi_ind[a] && r <= rwy_wrl_max; r++) {
        const int g = rwy_geo_ind[r];
        if (g < 0) continue;
        plot_windsock(g, 0);
        plot_windsock(g, 1);
    }
    glEnable(GL_CULL_FACE);
}

// The other aircraft at their places and attitudes; the user's own only from outside it.
void plot_aircraft(void)
{
    const int outside = view_is_outside(set.view_type);
    set_model_pose_from_flight();   // the user's moving parts as the flight has them this frame
    for (int p = outside ? 0 : 1; p < OTHERS; p++) {
        const float d = dist3(con.VIEW_xyz, flt.X[p], flt.Y[p], flt.Z[p]);
        glPushMatrix();
        glTranslated(flt.X[p], flt.Y[p], flt.Z[p]);
        glRotatef(-flt.psi[p], 0.0f, 1.0f, 0.0f);
        glRotatef(flt.the[p], 1.0f, 0.0f, 0.0f);
        glRotatef(-flt.phi[p], 0.0f, 0.0f, 1.0f);
        plot_plane(p == 0 ? 0 : 1, d < PLANE_DETAIL_RANGE ? 1 : 0);
        glPopMatrix();
    }
}

// The recorded path as a line, oldest point first, broken where a slot holds no point.
void plot_path(void)
{
    OGL_setstate(1, 0, 0, 1);
    glColor3f(ogl_brat_ter, ogl_brat_ter, 0.0f);
    glBegin(GL_LINES);
    for (int k = 1; k < PATH_POINTS; k++) {
        const int a = (pat.cntr_record + k) % PATH_POINTS, b = (a + 1) % PATH_POINTS;
        if (b == pat.cntr_record || !pat.inited[a] || !pat.inited[b]) continue;
        glVertex3fv(pat.xyztppt[a]);
        glVertex3fv(pat.xyztppt[b]);
    }
    glEnd();
}

int hud_view(int view)
{
    return view == VIEW_FORWARD || view == VIEW_DOWN4 || view == VIEW_DOWN8 || view == VIEW_FULL_HUD;
}

// The 3-D drawing in its order.
void draw_scene(int above_overcast)
{
    const int in_under = in_or_under_overcast(atm.cld_type, scn.abovetops);
    const int puffs = atm.cld_type == 2 || atm.cld_type == 3;
    if (!in_under) {
        OGL_setstate(0, 0, 0, 0);
        plot_stars(g_day.sky[0], g_day.sky[1], g_day.sky[2], 0.0f, g_frame.bottom, SCREEN_W, g_frame.top);
    }
    if (above_overcast || (scn.belowbases && puffs)) plot_clouds();
    // Above an overcast its sheet hides the ground: nothing under it is drawn.
    if (!above_overcast) {
        OGL_setstate(1, 1, 1, 1);
        plot_terrain();
        if (scn.city_lites_on) {
            OGL_setstate(1, 0, 0, 1);
            plot_city_lights();
        }
        if (set.ogl_trees) plot_trees();
    }
    if (msc.elap_time < atm.strike_stop_time) {
        OGL_setstate(0, 0, 0, 1);
        plot_lightning();
    }
    if (!above_overcast) {
        plot_airports(1);
        OGL_setstate(1, 0, 0, 1);
        plot_rway_lights();
        plot_obstacles();
    } else {
        // The aircraft may stand under the sheet while the camera looks down on it from above the
        // tops (an outside view pulled back): the decks, runways and roofs that hold it up are found
        // all the same, in the order the drawing finds them.
        ships_under_aircraft();
        plot_airports(0);
        roofs_under_aircraft();
    }
    if (scn.abovetops && puffs) plot_clouds();
    plot_fires();
    plot_aircraft();
    if (grf.show_path) plot_path();
    if (hud_view(set.view_type) && pln[0].HUDtype == 3 && ins.HOOP_on) {
        OGL_setstate(1, 0, 0, 1);
        plot_cool_hud();
    }
    if (set.tow_inprog) {
        OGL_setstate(1, 0, 0, 1);
        glColor3fv(col_rgb[TOW_ROPE_COLOR]);
        glBegin(GL_LINES);
        glVertex3d(flt.X[1], flt.Y[1], flt.Z[1]);
        glVertex3d(flt.X[0], flt.Y[0], flt.Z[0]);
        glEnd();
    }
}

// The 2-D overlays over the view.
void draw_overlays(void)
{
    if (in_or_under_overcast(atm.cld_type, scn.abovetops))
        do_window_precip(0.0f, g_frame.bottom, SCREEN_W, g_frame.top);
    else
        no_window_precip();
    const int view = set.view_type;
    if (hud_view(view) && (view == VIEW_FULL_HUD || pln[0].HUDtype != 1) && (view == VIEW_FULL_HUD || ins.HUD_on)) {
        plot_nrml_hud();
        if (con.HUD_rgt > con.HUD_lft && con.HUD_top > con.HUD_bot)
            OGL_framerect(HUD_FRAME_COLOR, con.HUD_lft, con.HUD_bot, con.HUD_rgt - con.HUD_lft, con.HUD_top - con.HUD_bot);
    }
    if (set.replay_mode) plot_replay_controls();
    if (atc.menu_up)
        plot_atc_options(0);
    else if (atc.response[0] && mnw.time_elapsed < atc.response_timeout)
        OGL_string(TEXT_COLOR, 12.0f, 538.0f, atc.response, 776.0f, 6.0f);
    else
        if (wrl_hooks.plot_cockpit_data) wrl_hooks.plot_cockpit_data();
    const char* prompt = nullptr;
    if (set.cat_waiting) prompt = "Release brakes to launch.";
    else if (set.tow_waiting) prompt = "Release brakes to take off.";
    else if (set.tow_inprog) prompt = "Space bar to release tow-rope.";
    else if (set.incarriage) prompt = "Space bar to drop.";
    if (prompt) OGL_string(PROMPT_COLOR, 340.0f, 480.0f, prompt, 800.0f, 6.0f);
}

}  // namespace

scenery_frame scenery_last_frame(void) { return g_frame; }

void update_scenery2(void)
{
    const float cx = con.VIEW_xyz[0], cy = con.VIEW_xyz[1], cz = con.VIEW_xyz[2];
    const float ground = find_local_h(cx, cz, &env.i_viewpoint, &env.j_viewpoint, 0);

    // 1. The camera against the cloud layer.
    const int clouds = atm.cld_type >= 2 && atm.cld_type <= 4;
    scn.abovetops = clouds && cy >= atm.topsMSL;
    scn.belowbases = clouds && cy < atm.baseMSL;
    const int above_overcast = atm.cld_type == 4 && scn.abovetops;

    // 2..4. Octant, night lights, visibility.
    const int octant = view_octant(scn.psi);
    const float hour = msc.locl_time / 3600.0f;
    scn.city_lites_on = city_lights_on(hour);
    scn.rway_lites_on = runway_lights_on(hour, atm.vis_rep);
    atm.vis_eff = effective_visibility(atm.vis_rep, atm.vis_mult, cy - ground, above_overcast);

    // 5. Light and sky; the panel's tint follows the daylight. A lightning flash shows every other
    //    ten frames while a strike lasts, as strong as the strike is near: full within 5 nm of
    //    the camera, as the thunder is loud.
    const int strike = msc.elap_time < atm.strike_stop_time;
    float flash_k = 0.0f;
    if (strike) {
        const float dx = atm.lightXYZ[0][19][0] - cx, dz = atm.lightXYZ[0][19][2] - cz;
        const float nm = std::sqrt(dx * dx + dz * dz) * con.mtrstonm;
        flash_k = fltlim(5.0f / fltmax2(nm, 0.01f), 0.0f, 1.0f);
    }
    const daylight_in in = {hour,        atm.level,   atm.cld_type, scn.abovetops, cy,
                            atm.baseMSL, atm.topsMSL, strike && (msc.cntr / 10) % 2 == 0, flash_k};
    compute_daylight(in, &g_day);
    ogl_brat_ter = g_day.brat_ter;
    lite_r = g_day.lite[0];
    lite_g = g_day.lite[1];
    lite_b = g_day.lite[2];
    float tint[3];
    panel_tint(ogl_brat_ter, rel.clights, pln[0].paneltype, tint);
    ins.r_rat = tint[0];
    ins.g_rat = tint[1];
    ins.b_rat = tint[2];
    for (int k = 0; k < 3; k++) {
        g_frame.sky[k] = g_day.sky[k];
        g_frame.shade[k] = g_day.shade[k];
    }

    // 6. Fog in the sky's colour, closing at the visibility.
    const GLfloat fog[4] = {g_day.sky[0], g_day.sky[1], g_day.sky[2], 1.0f};
    glFogfv(GL_FOG_COLOR, fog);
    glFogf(GL_FOG_START, 0.2f * atm.vis_eff);
    glFogf(GL_FOG_END, atm.vis_eff);

    // 7. Projection for the view's area.
    set_projection(near_clip(cy - ground), FAR_PAST_FOG * atm.vis_eff);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    // 8. The camera's turns, the sky box before the heading turn, then the camera's place. The
    //    scene's faces wind clockwise with back faces culled, whatever was drawn before it.
    glFrontFace(GL_CW);
    glEnable(GL_CULL_FACE);
    glLoadIdentity();
    glRotatef(scn.phi, 0.0f, 0.0f, 1.0f);
    glRotatef(-scn.the, 1.0f, 0.0f, 0.0f);
    sky_box(SKY_RADIUS_NEARS * g_frame.near_clip);
    glRotatef(scn.psi, 0.0f, 1.0f, 0.0f);
    glTranslatef(-cx, -cy, -cz);
    set_light(hour);

    // 9. What is worth drawing.
    ship_stats_clear();
    g_frame.box_redone = update_range_box(cx, cz, octant, atm.vis_eff);
    update_range_cone(cx, cz, scn.psi, atm.vis_eff, scn.the < LOOKING_DOWN);

    // 10. The scene.
    draw_scene(above_overcast);

    // 11. The overlays on the logical screen.
    glViewport(0, 0, static_cast<GLsizei>(mnw.HRES), static_cast<GLsizei>(mnw.YRES));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, SCREEN_W, 0, SCREEN_H, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    OGL_setstate(0, 0, 0, 0);
    draw_overlays();

    // 12. A catapult launch ends when the aircraft has left the deck.
    OGL_setstate(0, 0, 0, 0);
    if (!env.over_carr) set.cat_inprog = 0;
}
