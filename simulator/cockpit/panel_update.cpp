// panel_update.cpp -- the panel's moving parts each frame: the gyros, the magnetic compass, the
// status bar, the outside-air temperature, the stall lamp and autopilot targets, the instruments in
// their order, and the switches, levers and trims.
#include "panel.h"
#include "panel_local.h"

#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// The vacuum failure as the panel saw it happen: when, and the errors the gyros drift toward.
int vac_failed = 0;
float vac_death_time = 0.0f;
float the_fail_err = 0.0f, phi_fail_err = 0.0f;
float compass = 0.0f;   // degrees 0..360, the magnetic compass card

float wrap180(float a) { return fltwrap(a, -180.0f, 180.0f); }
float wrap360(float a) { return fltwrap(a, 0.0f, 360.0f); }

// Seconds of the day's clock from t0 to t1 (the elapsed time runs round at midnight).
float since(float t0, float t1)
{
    float t = t1 - t0;
    return t < 0.0f ? t + 86400.0f : t;
}

void draw_compass(void)
{
    OGL_scissor(343.0f, 566.0f, 60.0f, 16.0f);
    const int first = static_cast<int>(std::floor(compass / 10.0f)) - 6;
    const int last = static_cast<int>(compass / 10.0f) + 6;
    for (int k = first; k <= last; k++) {
        const float x = compass * 0.5f + 373.0f - 5.0f * static_cast<float>(k);
        const int major = ((k % 3) + 3) % 3 == 0;
        OGL_line(6, x, 566.0f, x, 566.0f + (major ? 5.0f : 3.0f));
        if (!major) continue;
        const int label = intwrap(k, 1, 36);
        const int digits = label >= 10 ? 2 : 1;
        OGL_number(6, x - (6.0f * digits - 1.0f) * 0.5f, 573.0f, static_cast<float>(label), digits, 0, 6, 0);
    }
    OGL_scissor_off();
}

void status_bar(void)
{
    OGL_string(47, 10, 569, panel_controls_text(), 800, 6);
    OGL_string(47, 130, 569, panel_mode_text(), 800, 6);
    int colour;
    const char* message = panel_message(&colour);
    OGL_string(colour, 430, 569, message, 800, 6);
    if (msc.paused) OGL_string(41, osh + 742.0f, 318.0f, "PAUSED", 800, 6);
}

void outside_air(void)
{
    const float celsius = atm.T - 273.15f;
    const float shown = pln[0].us_alt ? celsius * 1.8f + 32.0f : celsius;
    const int value = intlim(round(shown), -50, 90);
    OGL_fillrect(41, static_cast<float>(value) * 0.5f + 748.0f, 566.0f, 2.0f, 9.0f);
    OGL_string(47, 713, 566, pln[0].us_alt ? "F" : "C", 800, 6);
}

void lamps_and_targets(void)
{
    if (rel.esystem && flt.stallwarning) OGL_fillrect(2, 7, 316, 10, 10);
    OGL_number(47, 270, 318, ott.al_hold * con.mtrstoft, 5, 0, 6, 0);
    OGL_number(47, 360, 318, ott.vv_hold * con.msctofpm, 4, 0, 6, 1);
    OGL_number(47, 444, 318, ott.as_hold, 3, 0, 6, 0);
}

void instruments(void)
{
    const planestruct& pl = pln[0];
    const int round_panel = panel_round();
    const int primary = round_panel || rel.efis_1;
    if (ins.avail[SLOT_ASI] && primary) update_airspeed();
    if (ins.avail[SLOT_AHZ] && primary) update_arthoriz();
    if (ins.avail[SLOT_ALT] && primary) update_alt();
    if (ins.avail[SLOT_TURN] && round_panel) update_turnslip();
    if (ins.avail[SLOT_HSI] && primary) update_HSI(nav.hdef[1] * 5.0f, nav.vdef[1] * -5.0f);
    if (ins.avail[SLOT_VVI] && primary) update_vvi();
    if (ins.avail[SLOT_ADF]) update_ADF();

    if (ins.avail[SLOT_SUPP]) {
        switch (pl.supptype) {
        case 1: update_VORandGS(nav.hdef[0] * 4.0f, nav.vdef[0] * -5.0f); break;
        case 2: if (rel.esystem) update_stormscope(); break;
        case 3: if (rel.radios) update_glass(12); break;
        case 4: update_radalt(); break;
        case 5: update_vari(); break;
        case 6: if (rel.esystem) update_glass(13); break;
        case 7: update_RMI(); break;
        default: break;
        }
    }
    const int nav1 = pl.supptype == 1 || pl.supptype == 7;
    if (rel.radios && !nav1) update_GPS();
    if (rel.radios && nav1) update_DME();
    if (!round_panel && rel.efis_2) update_glass(11);

    update_engine_gauges();
}

// ---- switches, levers and trims ---------------------------------------------------------------------

void toggle(float box_x, int on)
{
    plot_handle(box_x + SWITCH_TOGGLE_DX, SWITCH_Y + 1.0f, HAND_SIZE[HAND_SWITCH_ON].w, HAND_SIZE[HAND_SWITCH_ON].h,
                on ? HAND_SWITCH_ON : HAND_SWITCH_OFF);
}

void button(float x, float y, int on)
{
    plot_handle(x, y, HAND_SIZE[HAND_BUTTON_ON].w, HAND_SIZE[HAND_BUTTON_ON].h, on ? HAND_BUTTON_ON : HAND_BUTTON_OFF);
}

// A lever knob of sheet frame f whose centre stands `above` over the lever's height y; on whole
// pixels, so that the knob's picture is shown texel for pixel rather than smeared between rows.
void knob(float x, float y, float above, int f)
{
    plot_handle(std::round(x), std::round(y + above - HAND_SIZE[f].h * 0.5f), HAND_SIZE[f].w, HAND_SIZE[f].h, f);
}

void switches(const planestruct& pl)
{
    if (pl.HUDtype != 1) {
        toggle(SW_HUD, ins.HUD_on);
        plot_handle(SW_BRT, SWITCH_Y + 1.0f, HAND_SIZE[HAND_KNOB_BRIGHT].w, HAND_SIZE[HAND_KNOB_BRIGHT].h,
                    ins.hud_brt ? HAND_KNOB_BRIGHT : HAND_KNOB_DIM);
    }
    if (pl.HUDtype == 3) toggle(SW_HOOP, ins.HOOP_on);
    if (panel_equipment_switches()) {
        if (pl.arrestingEQ) toggle(SW_HOOK, ins.hook_down);
        if (pl.chuteEQ) toggle(SW_CHUTE, ins.chute_on);
        if (pl.antiiceEQ) toggle(SW_ANTIICE, ins.antiice_on);
        if (pl.jatoEQ) toggle(SW_JATO, ins.jato_on && flt.jatoleft > 0.0f);
    }
    if (pl.jettisonEQ) toggle(osh + SW_JETTISON, flt.m_jettison > 1.0f);

    const float x11 = ins.x_loc[SLOT_RADIOS];
    static const int audio[5] = {4, 0, 1, 2, 3};
    for (int k = 0; k < 5; k++) button(x11 + AUDIO_X + 20.0f * k, AUDIO_Y, nav.radout == audio[k]);
    if (pl.supptype == 1 || pl.supptype == 7) {
        for (int k = 0; k < 2; k++) button(x11 + DME_SEL_X + 20.0f * k, DME_SEL_Y, nav.dmesel == k);
    } else {
        static const float mode_y[4] = {0.0f, 264.0f, 224.0f, 244.0f};
        for (int m = 1; m <= 3; m++) button(x11 + GPS_MODE_X, mode_y[m], nav.gps_index_mode == m);
    }
    const int ap[7] = {ott.HDSLCT, ott.NAV[0], ott.NAV[1], ott.ALHOLD, ott.VVHOLD, ott.GS2, ott.ASHOLD};
    for (int k = 0; k < 7; k++) button(x11 + AP_BUTTON_X[k], AP_BUTTON_Y, ap[k]);
    if (pl.gear_retract)
        plot_handle(x11 + GEAR_X, GEAR_Y, HAND_SIZE[HAND_GEAR_UP].w, HAND_SIZE[HAND_GEAR_UP].h,
                    set.gear_handle ? HAND_GEAR_DOWN : HAND_GEAR_UP);
    if (pl.ecam)
        for (int m = 3; m <= 7; m++)
            plot_efis_light(ins.x_loc[SLOT_ENGINES] + ECAM_X + 13.0f + 30.0f * (m - 3), 150.0f, ins.ecam_mode == m);

    // Aileron and rudder trims: three-line marks 14 px per unit of trim from the box's centre.
    for (int k = 0; k < 2; k++) {
        const float x = x11 + TRIM_X + 14.0f * fltlim(k ? flt.rud_trim : flt.ail_trim, -1.0f, 1.0f);
        const float y = k ? RUD_TRIM_Y : AIL_TRIM_Y;
        for (int d = -1; d <= 1; d++) OGL_line(0, x + d, y - 4.0f, x + d, y + 4.0f);
    }
}

void levers(const planestruct& pl)
{
    const float x0 = ins.x_loc[SLOT_ENGINES];
    const int engines = intlim(pl.numen, 0, 4);
    int sweeps = 0;
    for (int p = 0; p < 28; p++) sweeps |= pl.varsweepEQ[p];

    // Upper quadrant: the request as the knob, the surface's actual place as a mark beside it.
    if (pl.flapEQ || pl.slatEQ) {
        knob(x0 + 650.0f, interp(0, 127, 1, 73, flt.flaprqst), 4.0f, HAND_FLAP);
        const float y = interp(0, 127, 1, 73, flt.flap) + 4.0f;
        OGL_line(0, x0 + 645.0f, y, x0 + 649.0f, y);
    }
    if (pl.sbrkEQ || pl.fbrkEQ) knob(x0 + 698.0f, interp(-1, 123, 2, 93, static_cast<float>(flt.sbrk)), 0.0f, HAND_SBRK);
    if (sweeps) {
        knob(x0 + 744.0f, interp(0, 112, 1, 73, flt.sweerqst), 4.5f, HAND_THROTTLE);
        const float y = interp(0, 112, 1, 73, flt.swee) + 4.5f;
        OGL_line(0, x0 + 759.0f, y, x0 + 763.0f, y);
    }
    if (pl.vectEQ) {
        knob(x0 + 752.0f, interp(0, 126, 120, 73, flt.vectrqst), 4.5f, HAND_THROTTLE);
        const float y = interp(0, 126, 120, 73, pl.vertcant[0]) + 4.5f;
        OGL_line(0, x0 + 767.0f, y, x0 + 771.0f, y);
    }
    knob(x0 + 783.0f, interp(1, 81, -1, 122, fltlim(flt.elv_trim, -1.0f, 1.0f)), 0.0f, HAND_TRIM);

    // Lower quadrant.
    if (engines == 0 || pl.entype == 0) return;
    if (pl.entype == 1) knob(x0 + 786.0f, interp(0, 52, 1, 4, flt.heat[0]), 0.5f, HAND_CARB);
    if (pl.collectEQ) {
        const float y = pl.maxpitch[0] != pl.minpitch[0] ? interp(pl.minpitch[0], 52, pl.maxpitch[0], 4, flt.proppitch[0]) : 28.0f;
        knob(x0 + thro_x[0] - 6.5f, fltlim(y, 4, 52), 7.0f, HAND_COLLECTIVE);
    } else {
        for (int i = 0; i < engines; i++) {
            const float v = fltlim(flt.throrqst[i], 0.0f, 1.0f);
            float raw = v;   // the handle's own travel 0..1 (4..52)
            if (pl.revthrustEQ) raw = flt.revving_thrust[i] ? 0.24f - 0.24f * v : 0.24f + 0.76f * v;
            knob(x0 + thro_x[i], 4.0f + 48.0f * raw, 7.0f, HAND_THROTTLE);
        }
    }
    const float lo = pl.omegamingreen, hi = pl.omegamax;
    if (pl.varpitchEQ && pl.entype >= 1 && pl.entype <= 3 && !pl.collectEQ)
        for (int i = 0; i < engines; i++) {
            const float y = hi > lo ? interp(lo, 4, hi, 39, flt.prop[i]) : 39.0f;
            knob(x0 + prop_x[i], fltlim(y, 4, 39), 13.5f, HAND_PROP);
        }
    for (int i = 0; i < engines; i++)
        knob(x0 + mixt_x[i], interp(0, 4, 1, 39, fltlim(flt.mixt[i], 0.0f, 1.0f)), 13.5f, HAND_MIXTURE);
}

}  // namespace

void panel_gyros(void)
{
    const planestruct& pl = pln[0];
    const float the = flt.the[0], phi = flt.phi[0];
    const int spin_up = flt.onground && (pl.entype == 1 || pl.entype == 2) && msc.init_time < 4.0f;
    if (!rel.vacuum && !vac_failed) {
        vac_failed = 1;
        vac_death_time = msc.elap_time;
        the_fail_err = fltrand(-20.0f, 20.0f);
        phi_fail_err = fltrand(-40.0f, 40.0f);
    }
    if (rel.vacuum) vac_failed = 0;

    if (!rel.vacuum || spin_up) {
        // Spinning up, the gyros have been running since the start; failed, since the failure.
        const float t = rel.vacuum ? msc.init_time : since(vac_death_time, msc.elap_time);
        if (t < 180.0f) {
            const float c = t / 180.0f, rate = (1.0f - c) * (1.0f - c);
            ins.the180 = wrap180(ins.the180 + rate * wrap180(the + c * the_fail_err - ins.the180));
            ins.phi180 = wrap180(ins.phi180 + rate * wrap180(phi + c * phi_fail_err - ins.phi180));
            ins.psimag = wrap360(ins.psimag + rate * wrap180(flt.magpsi - ins.psimag));
        }
        if (spin_up) {
            const float d = 1.0f - msc.init_time / 4.0f;
            ins.the180 = the + 10.0f * d * std::sin(10.0f * msc.init_time);
            ins.phi180 = phi + 10.0f * d * std::sin(20.0f * msc.init_time);
        }
        return;
    }
    if (rel.ss_ahz) {
        ins.the180 = the;
        ins.phi180 = phi;
    }
    if (rel.ss_dgy) ins.psimag = wrap360(flt.magpsi);
}

void panel_compass(void)
{
    const float h = wrap360(flt.psi[0]);
    const float a = h <= 180.0f ? std::fabs(h - 90.0f) : std::fabs(h - 270.0f);
    // Turning and acceleration errors: the card swings north when speeding up on east or west
    // headings, and leads or lags in a banked turn, more so far from the equator.
    float target = flt.magpsi - flt.aX * (90.0f - a) / 5.0f +
                   (45.0f - static_cast<float>(env.lat_sou) * 0.5f) * flt.cospsi * flt.sinphi;
    target = wrap360(target);
    compass = wrap360(compass + wrap180(target - compass) * msc.prd);
}

float panel_compass_card(void) { return compass; }

const char* panel_controls_text(void)
{
    const double mean = (static_cast<double>(set.joy_rat_ptch) + set.joy_rat_hdng + set.joy_rat_roll) / 3.0;
    if (mean > 0.95) return "controls: 100%";
    if (mean > 0.85) return "controls:  90%";
    if (mean > 0.75) return "controls:  80%";
    if (mean > 0.65) return "controls:  70%";
    if (mean > 0.55) return "controls:  60%";
    return "controls:  50%";
}

const char* panel_mode_text(void)
{
    switch (round(set.damp * 4.0f)) {
    case 0: return "mode: realistic    ";
    case 1: return "mode: slightly easy";
    case 2: return "mode: somewhat easy";
    case 3: return "mode: quite easy   ";
    default: return "mode: very easy    ";
    }
}

const char* panel_message(int* colour)
{
    const planestruct& pl = pln[0];
    const int engines = intlim(pl.numen, 0, 4);
    int carb = 0, oil = 0;
    for (int i = 0; i < engines; i++) {
        carb |= flt.carb_ice[i] > 0.01f;
        oil |= !rel.oilpmp[i];
    }
    *colour = 41;
    switch (static_cast<int>(msc.elap_time * 0.3f) % 6) {
    case 0:
        if (set.grfout) {
            *colour = 47;
            return "graphics data saving      ";
        }
        break;
    case 1:
        if (set.dskout) {
            *colour = 47;
            return "disk outfile saving       ";
        }
        break;
    case 2: if (flt.frame_ice > 0.001f) return "airframe ice visible!     "; break;
    case 3: if (carb) return "carb ice suspected!       "; break;
    case 4: if (oil) return "oil pressure gone!        "; break;
    case 5: if (set.serout != 0) return "outputting to serial port!"; break;
    default: break;
    }
    *colour = 47;
    return pl.C_name;
}

void update_panel(void)
{
    const planestruct& pl = pln[0];
    OGL_setstate(0, 0, 0, 0);
    panel_gyros();
    panel_compass();
    draw_compass();
    status_bar();
    outside_air();
    lamps_and_targets();
    instruments();
    switches(pl);
    levers(pl);
    update_radio_strip();
}

void panel_reset_update_state(void)
{
    vac_failed = 0;
    vac_death_time = 0.0f;
    the_fail_err = phi_fail_err = 0.0f;
    compass = 0.0f;
}
