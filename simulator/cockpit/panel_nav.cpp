// panel_nav.cpp -- the navigation instruments each frame: the course and glide-slope indicator, the
// situation indicator, the direction finder, the radio magnetic indicator, the radar altimeter with
// its decision-height tone, the stormscope, the variometer and the DME and GPS readouts.
#include "panel.h"
#include "panel_local.h"

#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_sound.h"
#include "hl_string.h"
#include "hl_types.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace {

constexpr float RAD = 57.2957795f;
constexpr int STRIKES = 30;

// Kept from frame to frame.
float n_hdg = 0.0f;                  // degrees, the cards' heading (held while the direction gyro has failed)
float adf = 0.0f;                    // degrees from the nose, the direction finder's needle
float rmi = 0.0f;                    // degrees, the magnetic bearing the RMI's needle shows
int below = 1;                       // the radar altimeter stands below the decision height (tone given)
float strike_X[STRIKES], strike_Z[STRIKES], strike_t_exp[STRIKES];
int strike_used[STRIKES];
int next_strike = 0;
int o_inprog = 0;
float vari_e = 0.0f;                 // m^2/s^2, the last total energy per unit mass
int vari_known = 0;
float vari_fpm = 0.0f;
dme_reading dme{};
float o_dmedist = 0.0f, o_dmetime = 0.0f;   // the distance (nm) at the last speed reckoning, and when
int dme_source = -1;                 // receiver and station kind the history belongs to
float dme_sx = 0.0f, dme_sz = 0.0f;  // m, and the station's place

// The wrapped difference t1 - t0 of two elapsed times (the clock runs round at midnight), -12..12 h.
float since(float t0, float t1) { return fltwrap(t1 - t0, -43200.0f, 43200.0f); }

// The card heading: the direction gyro's while it works, else the last one.
void follow_gyro(void)
{
    if (rel.ss_dgy && std::isfinite(ins.psimag)) n_hdg = ins.psimag;
}

// The true bearing (degrees, -180..180) from the aircraft to the point (x, z) of the region; a point
// right on top of the aircraft is straight ahead of north (atan2 of two zeros is 0).
float bearing_to(float x, float z)
{
    return std::atan2(x - static_cast<float>(flt.X[0]), static_cast<float>(flt.Z[0]) - z) * RAD;
}

// Slant range in nautical miles from the aircraft to (x, y, z).
float slant_nm(float x, float y, float z)
{
    const float dx = x - static_cast<float>(flt.X[0]), dy = y - static_cast<float>(flt.Y[0]),
                dz = z - static_cast<float>(flt.Z[0]);
    return std::sqrt(dx * dx + dy * dy + dz * dz) * con.mtrstonm;
}

// Receiver r's station for a distance reading: the glide-slope antenna while a glide slope is
// received, else the station itself, the VOR or the localizer, whose place the tuning keeps in the
// VOR's fields.
void dme_station(int r, float* x, float* y, float* z)
{
    if (hears_glide_slope(r)) {
        *x = nav.gsX[r], *y = nav.gsY[r], *z = nav.gsZ[r];
    } else {
        *x = nav.vorX[r], *y = nav.vorY[r], *z = nav.vorZ[r];
    }
}

// A window onto a rolling card picture (360 columns of 12 rows, colour 0 lit) centred on column c.
void rolling_card(float x, float y, const int32_t (*card)[360], int c)
{
    OGL_fillrect(22, x, y, 35.0f, 12.0f);
    plot_htape(x, y, &card[0][0], 12, 360, c - 17, 35);
}


}  // namespace

// ---- laws --------------------------------------------------------------------------------------------

float radalt_dial(float feet)
{
    const float h = std::isnan(feet) ? 0.0f : fltlim(feet, 0.0f, 2500.0f);
    return h < 500.0f ? h * 180.0f / 500.0f : 180.0f + (h - 500.0f) * 180.0f / 5000.0f;
}

float radalt_feet(void)
{
    // The wheels' height above the ground under the centre of gravity: the centre's height less the
    // height it rests at on its gear.
    const float m = static_cast<float>(flt.Y[0]) - env.localh_cg - pln[0].h_eqlbm;
    return std::isnan(m) ? 0.0f : fltlim(m * con.mtrstoft, 0.0f, 2500.0f);
}

float adf_bearing(void)
{
    const float b = bearing_to(nav.adfX, nav.adfZ) - flt.psi[0] + 720.0f;
    return std::isfinite(b) ? std::fmod(b, 360.0f) : 0.0f;
}

dme_reading dme_now(void) { return dme; }

nav_needles panel_nav_state(void)
{
    nav_needles n;
    n.card = n_hdg;
    n.adf = adf;
    n.rmi = rmi;
    n.below = below;
    n.vari_fpm = vari_fpm;
    n.strikes = 0;
    for (int k = 0; k < STRIKES; k++) n.strikes += strike_used[k];
    n.next_strike = next_strike;
    return n;
}

// ---- instruments -------------------------------------------------------------------------------------

void update_VORandGS(float course_px, float slope_px)
{
    const float x = ins.x_loc[SLOT_SUPP], y = ins.y_loc[SLOT_SUPP];
    const int flag = nav.ntf[0] == 1 || nav.ntf[0] == 2 ? nav.ntf[0] : 0;
    static const char* const flags[3] = {"OFF", "TO", "FR"};
    OGL_string(8, x + 16.0f, y + 8.0f, flags[flag], 800, 6);
    const float c = fltlim(std::isfinite(course_px) ? course_px : 0.0f, -25.0f, 25.0f);
    const float g = fltlim(std::isfinite(slope_px) ? slope_px : 0.0f, -25.0f, 25.0f);
    OGL_line(0, x + c, y + 23.0f, x + c, y - 23.0f);
    OGL_line(0, x - 23.0f, y + g, x + 23.0f, y + g);
    // The selected course in the upper window, its reciprocal on the mirrored card below.
    const int course = wrap_deg(round(std::fmod(std::isfinite(nav.obs[0]) ? nav.obs[0] : 0.0f, 360.0f)));
    rolling_card(x - 17.0f, y + 27.0f, ins.h_tape_col1, course);
    rolling_card(x + 1.0f, y - 41.0f, ins.h_tape_col2, wrap_deg(180 - course));
}

void update_HSI(float course_px, float slope_px)
{
    const planestruct& pl = pln[0];
    const float x = ins.x_loc[SLOT_HSI], y = ins.y_loc[SLOT_HSI];
    const int round_panel = panel_round();
    const int sym = round_panel ? 9 : 41;
    follow_gyro();
    const float g = fltlim(std::isfinite(slope_px) ? slope_px : 0.0f, -25.0f, 25.0f);
    plot_gs(static_cast<float>(pl.gsx1), static_cast<float>(pl.gsyc) + g);
    plot_gs(static_cast<float>(pl.gsx2), static_cast<float>(pl.gsyc) + g);
    plot_dg(x, y, n_hdg, 52.0f);

    // The heading bug: a chevron on the card's rim at the selected (true) heading.
    const int bug = wrap_deg(round(static_cast<float>(nav.hdsel % 360) + env.mvar - n_hdg));
    const float bx = dial_x(x, bug, 50.0f), by = dial_y(y, bug, 50.0f);
    const float chevron[2][4] = {{bx, by, dial_x(bx, bug + 150, 10.0f), dial_y(by, bug + 150, 10.0f)},
                                 {bx, by, dial_x(bx, bug + 210, 10.0f), dial_y(by, bug + 210, 10.0f)}};
    plot_segments(32, chevron, 2);

    // The course arrow on the card, its deviation dots and bar, the to/from pointer and the lubber
    // line, drawn together.
    float seg[48][4];
    int n = 0;
    auto add = [&](float x1, float y1, float x2, float y2) {
        seg[n][0] = x1, seg[n][1] = y1, seg[n][2] = x2, seg[n][3] = y2;
        n++;
    };
    const int c = wrap_deg(round(std::fmod(std::isfinite(nav.obs[1]) ? nav.obs[1] : 0.0f, 360.0f) - n_hdg));
    const float tx = dial_x(x, c, 40.0f), ty = dial_y(y, c, 40.0f);
    const float lx = dial_x(x, c - 8, 32.0f), ly = dial_y(y, c - 8, 32.0f);
    const float rx = dial_x(x, c + 8, 32.0f), ry = dial_y(y, c + 8, 32.0f);
    add(tx, ty, lx, ly);
    add(tx, ty, rx, ry);
    add(lx, ly, rx, ry);
    add(dial_x(x, c, 32.0f), dial_y(y, c, 32.0f), dial_x(x, c, 31.0f), dial_y(y, c, 31.0f));
    add(dial_x(x, c + 180, 32.0f), dial_y(y, c + 180, 32.0f), dial_x(x, c + 180, 40.0f), dial_y(y, c + 180, 40.0f));
    const float ux = lookup_sin[c], uy = lookup_cos[c];   // along the course
    const float ax = uy, ay = -ux;                        // across it, to the right
    for (int k = -4; k <= 4; k++) {
        if (k == 0) continue;
        // A dot: the frame of a 2 by 2 square.
        const float dx = std::round(x + 5.0f * k * ax) - 1.0f, dy = std::round(y + 5.0f * k * ay) - 1.0f;
        add(dx, dy, dx, dy + 2.0f);
        add(dx, dy + 2.0f, dx + 2.0f, dy + 2.0f);
        add(dx + 2.0f, dy + 2.0f, dx + 2.0f, dy);
        add(dx + 2.0f, dy, dx, dy);
    }
    const float d = fltlim(std::isfinite(course_px) ? course_px : 0.0f, -25.0f, 25.0f);
    add(x + d * ax - 30.0f * ux, y + d * ay - 30.0f * uy, x + d * ax + 30.0f * ux, y + d * ay + 30.0f * uy);
    if (nav.ntf[1] == 1 || nav.ntf[1] == 2) {
        const int p = nav.ntf[1] == 1 ? c : c + 180;
        const float px = dial_x(x, p, 24.0f), py = dial_y(y, p, 24.0f);
        add(px, py, dial_x(px, p + 140, 6.0f), dial_y(py, p + 140, 6.0f));
        add(px, py, dial_x(px, p + 220, 6.0f), dial_y(py, p + 220, 6.0f));
    }
    if (round_panel) add(x, y + 44.0f, x, y + 52.0f);
    plot_segments(sym, seg, n);

    if (!round_panel) {
        // The lubber line, two-coloured.
        OGL_line(43, x, y + 44.0f, x, y + 52.0f);
        OGL_line(38, x + 1.0f, y + 44.0f, x + 1.0f, y + 52.0f);
        // The card's heading in a window under the lubber line, the selected course under the
        // receiver's name and receiver 2's distance at the top right (the attitude display's
        // heading tape runs just above the card).
        OGL_fillrect(29, x - 10.0f, y + 33.0f, 21.0f, 10.0f);
        OGL_number(38, x - 8.0f, y + 35.0f, static_cast<float>(wrap_deg(round(n_hdg))), 3, 0, 6, 0);
        OGL_number(41, x - 52.0f, y + 38.0f, static_cast<float>(wrap_deg(c + round(n_hdg))), 3, 0, 6, 0);
        OGL_string(46, x + 16.0f, y + 48.0f, "DME", 800, 6);
        float sx, sy, sz;
        dme_station(1, &sx, &sy, &sz);
        const float nm = slant_nm(sx, sy, sz);
        if (!nav.goodnav[1] || !(nm <= 99.0f)) OGL_string(46, x + 40.0f, y + 48.0f, "---", 800, 6);
        else OGL_number(46, x + 40.0f, y + 48.0f, nm, 3, 1, 6, 0);
    }
}

void update_ADF(void)
{
    const float x = ins.x_loc[SLOT_ADF], y = ins.y_loc[SLOT_ADF];
    // The needle swings toward the beacon at 90 degrees a second while the radios work and hear
    // one; without a beacon or with the radios failed it stays where it is.
    if (rel.radios && nav.goodnav[4]) {
        const float step = 90.0f * fltlim(msc.prd, 0.0f, 1.0f);
        const float diff = fltwrap(adf_bearing() - adf, -180.0f, 180.0f);
        adf = fltwrap(adf + fltlim(diff, -step, step), 0.0f, 360.0f);
    }
    if (pln[0].ADFtype == 2 && rel.ss_dgy) ins.adf_card = wrap_deg(round(ins.psimag));
    plot_dg(x, y, static_cast<float>(wrap_deg(ins.adf_card)), 45.0f);
    const int a = round(adf);
    const float tx = dial_x(x, a, 30.0f), ty = dial_y(y, a, 30.0f);
    const float needle[3][4] = {{tx, ty, dial_x(x, a + 180, 30.0f), dial_y(y, a + 180, 30.0f)},
                                {tx, ty, dial_x(tx, a + 150, 7.0f), dial_y(ty, a + 150, 7.0f)},
                                {tx, ty, dial_x(tx, a + 210, 7.0f), dial_y(ty, a + 210, 7.0f)}};
    plot_segments(9, needle, 3);
    // The frequency's three digits in their window under the card.
    const int f = intlim(nav.adff, 0, 999);
    OGL_number(47, x - 13.0f, y - 67.0f, static_cast<float>(f / 100), 1, 0, 6, 0);
    OGL_number(47, x - 3.0f, y - 67.0f, static_cast<float>(f / 10 % 10), 1, 0, 6, 0);
    OGL_number(47, x + 7.0f, y - 67.0f, static_cast<float>(f % 10), 1, 0, 6, 0);
}

void update_RMI(void)
{
    const float x = ins.x_loc[SLOT_SUPP], y = ins.y_loc[SLOT_SUPP];
    follow_gyro();
    if (rel.radios && nav.goodnav[0]) rmi = fltwrap(bearing_to(nav.vorX[0], nav.vorZ[0]) + env.mvar, 0.0f, 360.0f);
    plot_dg(x, y, n_hdg, 45.0f);
    plot_needle(x, y, round(rmi - n_hdg), 0.0f, 35.0f, 9, 2);
}

void update_radalt(void)
{
    const float x = ins.x_loc[SLOT_SUPP], y = ins.y_loc[SLOT_SUPP];
    const float h = radalt_feet();
    const float dh = fltlim(std::isfinite(ins.radalt_ft) ? ins.radalt_ft : 0.0f, 0.0f, 2500.0f);
    // The tone sounds once on passing down through the decision height; it is armed again once the
    // aircraft is back at or above it (and is not armed before it has been there).
    if (h < dh) {
        if (!below) play_buffer(SND_MINIMUMS, 0);
        below = 1;
    } else {
        below = 0;
    }
    plot_needle(x, y, round(radalt_dial(dh)), 16.0f, 26.0f, 20, 2);
    plot_needle(x, y, round(radalt_dial(h)), 10.0f, 26.0f, 0, 2);
}

void update_stormscope(void)
{
    const float x = ins.x_loc[SLOT_SUPP], y = ins.y_loc[SLOT_SUPP];
    const float now = msc.elap_time;
    const int inprog = since(now, atm.strike_stop_time) > 0.0f;
    if (inprog && !o_inprog) {
        const int k = intwrap(next_strike, 0, STRIKES - 1);
        strike_X[k] = atm.lightXYZ[0][0][0];
        strike_Z[k] = atm.lightXYZ[0][0][2];
        strike_t_exp[k] = now + 60.0f;
        strike_used[k] = 1;
        next_strike = (k + 1) % STRIKES;
    }
    o_inprog = inprog;
    float seg[2 * STRIKES][4];
    int n = 0;
    for (int k = 0; k < STRIKES; k++) {
        if (!strike_used[k]) continue;
        if (since(now, strike_t_exp[k]) <= 0.0f) {
            strike_used[k] = 0;
            continue;
        }
        const float dx = strike_X[k] - static_cast<float>(flt.X[0]), dz = strike_Z[k] - static_cast<float>(flt.Z[0]);
        const float r = std::sqrt(dx * dx + dz * dz) * con.mtrstonm * 2.5f;
        if (!(r < 44.0f)) continue;
        const int a = round(bearing_to(strike_X[k], strike_Z[k]) - flt.psi[0]);
        // A small cross.
        const float cx = std::round(dial_x(x, a, r)), cy = std::round(dial_y(y, a, r));
        const float arms[2][4] = {{cx - 2.0f, cy, cx + 2.0f, cy}, {cx, cy - 2.0f, cx, cy + 2.0f}};
        for (const auto& arm : arms) {
            for (int e = 0; e < 4; e++) seg[n][e] = arm[e];
            n++;
        }
    }
    plot_segments(47, seg, n);
}

void update_vari(void)
{
    const float x = ins.x_loc[SLOT_SUPP], y = ins.y_loc[SLOT_SUPP];
    const float g = atm.g > 0.0f ? atm.g : con.g;
    const float e = g * static_cast<float>(flt.Y[0]) + 0.5f * flt.av * flt.av;
    // The first frame, and a frame that took no time, have no rate to show.
    if (vari_known && msc.prd > 0.0f && std::isfinite(e))
        vari_fpm = (e - vari_e) / msc.prd / g * con.msctofpm;
    if (std::isfinite(e)) {
        vari_e = e;
        vari_known = 1;
    }
    const float a = fltlim(std::isfinite(vari_fpm) ? vari_fpm * 0.08f : 0.0f, -160.0f, 160.0f);
    plot_needle(x, y, round(a) - 90, 0.0f, 25.0f, 0, 2);
}

void update_DME(void)
{
    const float now = msc.elap_time;
    const int r = intlim(nav.dmesel, 0, 1);
    const float x0 = ins.x_loc[SLOT_RADIOS];
    dme.good = nav.goodnav[r] != 0;
    if (!dme.good) {
        dme_source = -1;
        for (float x : {DME_DIST_X, DME_SPEED_X, DME_TIME_X}) OGL_string(47, x0 + x, DME_READ_Y, "---", 800, 6);
        return;
    }
    float sx, sy, sz;
    dme_station(r, &sx, &sy, &sz);
    dme.distance = fltlim(slant_nm(sx, sy, sz), 0.0f, 999.0f);
    if (!std::isfinite(dme.distance)) dme.distance = 999.0f;
    // The ground speed is reckoned from the distance's change over a second or more: the elapsed
    // clock is too coarse for the change over one frame. A new station starts the reckoning anew.
    const int source = r * 16 + (nav.ilsgs[r] == 9);
    if (source != dme_source || sx != dme_sx || sz != dme_sz) {
        dme_source = source;
        dme_sx = sx;
        dme_sz = sz;
        o_dmedist = dme.distance;
        o_dmetime = now;
        dme.speed = 0.0f;
    }
    const float dt = since(o_dmetime, now);
    if (dt >= 1.0f || dt < 0.0f) {
        if (dt > 0.0f) dme.speed = fltlim(std::fabs(dme.distance - o_dmedist) / dt * 3600.0f, 0.0f, 999.0f);
        o_dmedist = dme.distance;
        o_dmetime = now;
    }
    dme.minutes = dme.speed > 0.0f ? fltlim(dme.distance / dme.speed * 60.0f, 0.0f, 999.0f) : 999.0f;
    OGL_number(47, x0 + DME_DIST_X, DME_READ_Y, dme.distance, 4, 1, 6, 0);
    OGL_number(47, x0 + DME_SPEED_X, DME_READ_Y, dme.speed, 3, 0, 6, 0);
    OGL_number(47, x0 + DME_TIME_X, DME_READ_Y, dme.minutes, 3, 0, 6, 0);
}

void update_GPS(void)
{
    const float x0 = ins.x_loc[SLOT_RADIOS];
    const int mode = nav.gps_index_mode, i = nav.gps_index;

    // The course-deviation bar between its dots, 5 px a dot.
    const float d = fltlim(std::isfinite(nav.hdef[0]) ? nav.hdef[0] * 5.0f : 0.0f, -25.0f, 25.0f);
    for (int k = -2; k <= 2; k++)
        if (k != 0) OGL_fillrect(49, x0 + GPS_BAR_X + 10.0f * k, GPS_BAR_Y + 2.0f, 1.0f, 1.0f);
    OGL_line(47, x0 + GPS_BAR_X + std::round(d), GPS_BAR_Y, x0 + GPS_BAR_X + std::round(d), GPS_BAR_Y + 4.0f);

    // The waypoint: its name from its table (an index off the table names nothing) and the
    // identifier as the knobs spell it.
    char name[20] = "";
    if (mode == 1 && i >= 0 && i <= apt_wrl_max && i < MAX_APT) std::snprintf(name, sizeof name, "%.19s", apt_name[i]);
    else if ((mode == 2 || mode == 3) && i >= 0 && i <= nav_wrl_max && i < MAX_NAV) std::snprintf(name, sizeof name, "%.19s", nav_name[i]);
    OGL_string(47, x0 + GPS_SCREEN_X + 1.0f, GPS_NAME_Y, name, 800, 6);
    char id[5];
    for (int k = 0; k < 4; k++) id[k] = code_to_char(nav.gps_id[k]);
    id[4] = 0;
    OGL_string(47, x0 + GPS_ID_X, GPS_COURSE_Y, id, 800, 6);
    const int course = wrap_deg(round(std::isfinite(nav.gps_crs) ? nav.gps_crs + env.mvar : 0.0f));
    OGL_number(47, x0 + GPS_SCREEN_X + 1.0f, GPS_COURSE_Y, static_cast<float>(course), 3, 0, 6, 0);

    // Distance, ground speed and the time to the waypoint.
    const float nm = fltlim(std::isfinite(nav.gps_dis) ? nav.gps_dis * con.mtrstonm : 0.0f, 0.0f, 9999.0f);
    const float kts = fltlim(std::isfinite(flt.v[0]) ? flt.v[0] * con.msctokts : 0.0f, 0.0f, 9999.0f);
    const float minutes = kts > 0.0f ? fltlim(nm / kts * 60.0f, 0.0f, 999.0f) : 999.0f;
    OGL_number(47, x0 + GPS_DIST_X, GPS_READ_Y, nm, 4, 0, 6, 0);
    OGL_number(47, x0 + GPS_SPEED_X, GPS_READ_Y, kts, 4, 0, 6, 0);
    OGL_number(47, x0 + GPS_TIME_X, GPS_READ_Y, minutes, 3, 0, 6, 0);

    // The kind buttons' lines beside them (airports at the top, VORs in the middle, beacons at the
    // bottom) and the identifier's line: under the character the knob edits, or dim under the whole
    // identifier while the knob scrolls the index.
    static const float button_y[4] = {0.0f, 264.0f, 224.0f, 244.0f};
    for (int m = 1; m <= 3; m++)
        OGL_line(m == mode ? 47 : 49, x0 + GPS_MODE_LINE_X, button_y[m] + 1.0f, x0 + GPS_MODE_LINE_X, button_y[m] + 11.0f);
    const int edit = nav.gps_scroll_mode;
    if (edit >= 1 && edit <= 4)
        OGL_line(47, x0 + GPS_ID_X + 6.0f * (edit - 1), GPS_COURSE_Y - 2.0f, x0 + GPS_ID_X + 6.0f * (edit - 1) + 4.0f, GPS_COURSE_Y - 2.0f);
    else
        OGL_line(49, x0 + GPS_ID_X, GPS_COURSE_Y - 2.0f, x0 + GPS_ID_X + 22.0f, GPS_COURSE_Y - 2.0f);
}

void panel_reset_nav(void)
{
    n_hdg = adf = rmi = 0.0f;
    below = 1;
    for (int k = 0; k < STRIKES; k++) {
        strike_X[k] = strike_Z[k] = strike_t_exp[k] = 0.0f;
        strike_used[k] = 0;
    }
    next_strike = 0;
    o_inprog = 0;
    vari_e = vari_fpm = 0.0f;
    vari_known = 0;
    dme = dme_reading{};
    o_dmedist = o_dmetime = 0.0f;
    dme_source = -1;
}
