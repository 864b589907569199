// panel_flight.cpp -- the flight instruments in their round and glass forms: airspeed, attitude,
// altimeter, turn and slip, vertical speed. A failed instrument keeps its last reading.
#include "panel.h"
#include "panel_local.h"

#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// Needle states kept from frame to frame.
int n_ang_v = 0, n_dig_v = 0;    // airspeed needle (degrees) and its digits
int n_dat = 0;                   // altimeter, 0.36 per foot
int alt_hundreds = 0;            // the altitude drum
float ts = 0.0f;                 // turn needle, degrees
float slip = 0.0f;               // ball, pixels
float vvi = 0.0f;                // vertical speed needle, degrees before the -90 offset
int o_the = 0, o_phi = 0;        // attitude picture: horizon offset (px) and roll (degrees)

// The indicated airspeed in the aircraft's dial units: statute miles per hour unless knots.
float dial_speed(float knots)
{
    return pln[0].asi_units == 2 ? knots : knots * con.nm_to_sm;
}

// The drum of AStype 3: a window 31 points wide onto the scale picture, two columns a knot.
void speed_drum(float x, float y, int speed)
{
    OGL_fillrect(22, x, y, 31.0f, 12.0f);
    plot_htape(x, y, &ins.h_tape_col0[0][0], 12, 200, 2 * speed - 15, 31);
}

// The fixed aircraft of the attitude indicator: two wing bars and a centre dot, three rows thick.
void aircraft_symbol(float x, float y, int colour)
{
    for (int d = -1; d <= 1; d++) {
        OGL_line(colour, x - 30.0f, y + d, x - 10.0f, y + d);
        OGL_line(colour, x + 10.0f, y + d, x + 30.0f, y + d);
    }
    OGL_fillrect(colour, x - 1.0f, y - 1.0f, 3.0f, 3.0f);
}

// The point lies inside the picture's own outline on its row.
int inside_picture(const planestruct& pl, float y0, float x, float y)
{
    const int row = round(y - y0);
    if (row < pl.ah_bot_prim || row > pl.ah_top_prim || row < 0 || row > 117) return 0;
    return x >= pl.ahx1_prim[row] && x <= pl.ahx2_prim[row];
}

void pitch_ladder(const planestruct& pl, float x, float y, float y0, float hx, float hy, int roll, int colour)
{
    const float s = lookup_sin[roll], c = lookup_cos[roll];
    const float box = static_cast<float>(pl.ah_semidim_int) - 12.0f;
    for (int p = -30; p <= 30; p += 5) {
        if (p == 0) continue;
        const float half = p % 10 == 0 ? 14.0f : 7.0f;
        // Up the turned vertical (-sin, cos) from the horizon's centre, across along (cos, sin).
        const float mx = hx - 1.5f * p * s, my = hy + 1.5f * p * c;
        const float ax = mx - half * c, ay = my - half * s, bx = mx + half * c, by = my + half * s;
        if (std::fabs(ax - x) > box || std::fabs(bx - x) > box || std::fabs(ay - y) > box || std::fabs(by - y) > box) continue;
        if (panel_round() && (!inside_picture(pl, y0, ax, ay) || !inside_picture(pl, y0, bx, by))) continue;
        OGL_line(colour, ax, ay, bx, by);
    }
}

// The round instrument's roll pointer, a small triangle on the turning ring under the bank scale.
void roll_pointer(float x, float y, int roll)
{
    const int up = wrap_deg(-roll);
    for (int r = 50; r <= 56; r++) {
        const int spread = (r - 50) / 2;
        OGL_line(0, dial_x(x, up - spread, static_cast<float>(r)), dial_y(y, up - spread, static_cast<float>(r)),
                 dial_x(x, up + spread, static_cast<float>(r)), dial_y(y, up + spread, static_cast<float>(r)));
    }
}

// The glass instrument's roll scale: fixed marks over the top and a pointer turning with the roll.
void glass_roll_scale(float x, float y, int roll)
{
    static const int marks[11] = {-60, -45, -30, -20, -10, 0, 10, 20, 30, 45, 60};
    for (int m : marks) plot_needle(x, y, m, 46.0f, (m % 30 == 0) ? 51.0f : 49.0f, 38, 0);
    const int up = wrap_deg(-roll);
    OGL_line(38, dial_x(x, up, 44.0f), dial_y(y, up, 44.0f), dial_x(x, up - 3, 40.0f), dial_y(y, up - 3, 40.0f));
    OGL_line(38, dial_x(x, up, 44.0f), dial_y(y, up, 44.0f), dial_x(x, up + 3, 40.0f), dial_y(y, up + 3, 40.0f));
}

}  // namespace

void update_airspeed(void)
{
    const planestruct& pl = pln[0];
    const float x = ins.x_loc[SLOT_ASI], y = ins.y_loc[SLOT_ASI];
    if (panel_round()) {
        if (rel.ss_asi) {
            const float v = dial_speed(fltmax2(flt.vind, 0.0f));
            n_ang_v = asi_angle(v);
            n_dig_v = round(v);
        }
        if (pl.AStype == 3) speed_drum(x - 15.0f, y - 30.0f, n_dig_v);
        plot_needle(x, y, n_ang_v, -5.0f, 40.0f, 0, 2);
        if (pl.entype == 4 || pl.entype == 5) {
            // The speed that makes the Mach limit at the present speed of sound and density.
            const float v = dial_speed(pl.Mmo * atm.a * std::sqrt(fltmax2(atm.crtsig, 0.0f)) * con.msctokts);
            const float a = (std::pow(v, pl.ASpwr) - std::pow(pl.Vmin, pl.ASpwr)) * ins.indtoASI;
            plot_needle(x, y, static_cast<int>(fltlim(a, 0.0f, 350.0f)), 15.0f, 35.0f, 8, 0);
        }
        return;
    }
    if (rel.ss_asi) {
        n_dig_v = intmax2(round(dial_speed(flt.vind)), 0);
        n_ang_v = 0;
    }
    const float edge = x + GLASS_ASI_EDGE;
    const float bugs[4] = {pl.Vs, pl.Vfe, pl.Vno, pl.Vne};
    static const int bug_colour[4] = {38, 47, 41, 44};
    for (int k = 0; k < 4; k++) plot_tape_bug(bug_colour[k], edge + 3.0f, y, TAPE_HALF, 2.0f * (bugs[k] - n_dig_v));
    plot_glass_tape(38, x + GLASS_ASI_LABEL, edge, y, TAPE_HALF, 5.0f, static_cast<float>(n_dig_v), 5.0f, 10.0f, 2.0f, 15);
    OGL_fillrect(29, x - 1.0f, y - 5.0f, 20.0f, 11.0f);
    OGL_number(47, x, y - 3.0f, static_cast<float>(intlim(n_dig_v, 0, 999)), 3, 0, 6, 0);
    OGL_number(43, x + 9.0f, y - 61.0f, flt.machno, 3, 2, 6, 0);
}

void update_arthoriz(void)
{
    const planestruct& pl = pln[0];
    const float x = ins.x_loc[SLOT_AHZ], y = ins.y_loc[SLOT_AHZ];
    const int round_panel = panel_round();
    // The gyro angles hold still when it has failed, so the picture does too.
    o_the = round(ins.the180 * 1.5f);
    o_phi = wrap_deg(round(ins.phi180));
    const float s = lookup_sin[o_phi], c = lookup_cos[o_phi];
    float side = 0.0f;
    if (flt.av >= 1.0f) side = static_cast<float>(intlim(round(-5.0f * flt.Beta), -40, 40));
    // Nose up puts the horizon below the centre, along the picture's turned vertical.
    const float hx = x + o_the * s + side, hy = y - o_the * c;
    const float y0 = y - pl.ah_semidim_flt;
    if (round_panel) {
        plot_ahregion(35, 37, pl.ahx1_roll, pl.ahx2_roll, pl.ah_bot_roll, pl.ah_top_roll, y0, x, y, o_phi);
        plot_ahregion(35, 37, pl.ahx1_prim, pl.ahx2_prim, pl.ah_bot_prim, pl.ah_top_prim, y0, hx, hy, o_phi);
        roll_pointer(x, y, o_phi);
    } else {
        plot_ahregion(53, 54, pl.ahx1_prim, pl.ahx2_prim, pl.ah_bot_prim, pl.ah_top_prim, y0, hx, hy, o_phi);
        glass_roll_scale(x, y, o_phi);
        // No readout sits in the heading tape's middle, so no label there is held back for one
        // (a gap of -4 keeps even the tick under the centre labelled).
        plot_glass_tape(38, y + GLASS_HDG_Y - 10.0f, y + GLASS_HDG_Y, x, TAPE_HALF, -4.0f, ins.psimag, 5.0f, 10.0f, 5.0f, 14);
    }
    pitch_ladder(pl, x, y, y0, hx, hy, o_phi, round_panel ? 6 : 38);
    const float sym_y = round_panel ? y + set.ah_bar_adjust : y;
    aircraft_symbol(x, sym_y, round_panel ? 32 : 41);
    if (atm.inshear && set.warn_bb && pl.bitchinbettyEQ) OGL_string(41, x - 32.0f, sym_y + 20.0f, "WIND SHEAR!", 800, 6);
}

void update_alt(void)
{
    const planestruct& pl = pln[0];
    const float x = ins.x_loc[SLOT_ALT], y = ins.y_loc[SLOT_ALT];
    const float feet = flt.hind * con.mtrstoft;
    if (panel_round()) {
        if (rel.ss_alt) {
            int long_hand, short_hand;
            alt_hands(feet, &long_hand, &short_hand, &alt_hundreds);
            double f = std::fmod(static_cast<double>(std::isfinite(feet) ? feet : 0.0f), 1000000.0);
            n_dat = static_cast<int>((f < 0.0 ? f + 1000000.0 : f) * 0.36);
        }
        plot_vtape(x + 10.0f, y - 5.0f, pl.us_alt ? ins.baro * 100.0f : ins.baro * 33.857f);
        plot_vtape(x - 16.0f, y - 21.0f, static_cast<float>(alt_hundreds));
        plot_needle(x, y, n_dat % 360, -5.0f, 36.0f, 0, 2);
        plot_needle(x, y, (n_dat / 10) % 360, -5.0f, 25.0f, 0, 3);
        return;
    }
    if (rel.ss_alt) n_dat = round(feet);
    const float edge = x + GLASS_ALT_EDGE;
    plot_glass_tape(38, edge + 6.0f, edge, y, TAPE_HALF, 999.0f, static_cast<float>(n_dat) / 10.0f, 10.0f, 10.0f, 1.0f, 15);
    const float agl_ft = static_cast<float>(flt.Y[0] - env.localh_cg) * con.mtrstoft;
    plot_tape_bug(44, edge - 3.0f, y, TAPE_HALF, (ins.radalt_ft - agl_ft) / 10.0f);
    const int shown = round(static_cast<float>(n_dat) / 10.0f) * 10;
    OGL_fillrect(29, x - 1.0f, y - 5.0f, 32.0f, 11.0f);
    OGL_number(47, x, y - 3.0f, static_cast<float>(intmax2(shown, 0)), 5, 0, 6, 0);
    OGL_number(38, x, y + 47.0f, static_cast<float>(intmax2(shown + 500, 0)), 5, 0, 6, 0);
    OGL_number(38, x, y - 53.0f, static_cast<float>(intmax2(shown - 500, 0)), 5, 0, 6, 0);
    if (pl.us_alt) OGL_number(43, x, y - 66.0f, ins.baro, 4, 2, 6, 0);
    else OGL_number(43, x, y - 66.0f, ins.baro * 33.857f, 4, 0, 6, 0);
}

void update_turnslip(void)
{
    const planestruct& pl = pln[0];
    const float x = ins.x_loc[SLOT_TURN], y = ins.y_loc[SLOT_TURN];
    if (rel.ss_tsi) {
        ts = closer_assymp(ts, fltlim(flt.R * 10.0f, -55.0f, 55.0f), msc.prd);
        const float side = flt.fsideprop + flt.fsideaero + flt.fsidegear;
        float normal = flt.fnrmlprop + flt.fnrmlaero + flt.fnrmlgear;
        if (std::fabs(normal) < 0.1f) normal = normal < 0.0f ? -0.1f : 0.1f;
        const float ball = fltlim(std::atan(side / normal) * 57.2957795f * 4.0f, -15.0f, 15.0f);
        slip = closer_assymp(slip, ball, msc.prd * 0.5f);
    }
    const int t = round(ts);
    if (pl.TStype == 2) {
        plot_needle(x, y, t, 0.0f, 40.0f, 0, 2);
    } else {
        plot_needle(x, y, t + 270, 0.0f, 31.0f, 0, 2);
        plot_needle(x, y, t + 90, 0.0f, 31.0f, 0, 2);
        plot_needle(x, y, t, 0.0f, 15.0f, 0, 2);
    }
    // The ball runs opposite to the side force.
    OGL_fillrect(0, std::round(x - slip) - 1.0f, y - 49.0f, 3.0f, 6.0f);
}

void update_vvi(void)
{
    const float x = ins.x_loc[SLOT_VVI], y = ins.y_loc[SLOT_VVI];
    if (rel.ss_vvi) vvi = closer_assymp(vvi, ins.msctoVVI * static_cast<float>(flt.vY), msc.prd);
    if (panel_round()) {
        plot_needle(x, y, intlim(round(vvi), -160, 160) - 90, 0.0f, 36.0f, 0, 2);
    } else {
        plot_needle(x, y, intlim(round(vvi), -90, 90) - 90, 0.0f, 23.0f, 38, 0);
    }
}

panel_needles panel_needle_state(void)
{
    panel_needles n;
    n.asi_angle = n_ang_v;
    n.asi_digital = n_dig_v;
    n.alt_dat = n_dat;
    n.turn = ts;
    n.slip = slip;
    n.vvi = vvi;
    n.pitch_px = o_the;
    n.roll_deg = o_phi;
    return n;
}

void panel_reset_needles(void)
{
    n_ang_v = n_dig_v = n_dat = alt_hundreds = 0;
    ts = slip = vvi = 0.0f;
    o_the = o_phi = 0;
    panel_reset_update_state();
    panel_reset_engines();
    panel_reset_nav();
}
