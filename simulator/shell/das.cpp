// das.cpp -- the mouse on the outside view and the instrument panel: every switch, knob, button and
// lever the pilot can click or drag, tested zone by zone in a fixed order.
#include "das.h"

#include "atc.h"
#include "hl_funct.h"
#include "hl_sound.h"
#include "hl_string.h"
#include "hl_types.h"
#include "keys.h"
#include "panel.h"
#include "replay_bar.h"
#include "startpos.h"

#include <cmath>
#include <initializer_list>

namespace {

// Limits of the autopilot's set knobs, in the units the pilot sets them in.
constexpr float AL_HOLD_MAX_FT = 90000.0f;
constexpr float VV_HOLD_MAX_FPM = 9000.0f;
constexpr float AS_HOLD_MAX_KT = 900.0f;
// The altitude hold climbs or descends at no less than this when it engages.
constexpr float AL_HOLD_MIN_RATE_FPM = 500.0f;
// Reversers: below this lever position the throttle asks for reverse thrust.
constexpr float REVERSE_DETENT = 0.24f;
// A fire this close to the aircraft (m) goes out when the load is jettisoned over it.
constexpr float FIRE_DOUSE_RANGE = 100.0f;
// A leg whose lowering system has failed never arrives.
constexpr float NEVER = 9.9e9f;
// The GPS's index modes (the navaid ones are the navaid types they scroll through).
constexpr int GPS_AIRPORTS = 1, GPS_NDB = 2, GPS_VOR = 3;

// The point and the kind of press being handled.
struct Press {
    float x, y;
    float step;   // knob step: 1 on a click, 3 on each repeat of a held button
    int repeat;   // a held button's repeat, not the press itself
};

int toggled(int flag) { return flag == 0 ? 1 : 0; }

int box(const Press& p, float x1, float y1, float x2, float y2) { return fltbox(p.x, p.y, x1, y1, x2, y2); }

// 1. With no joystick the mouse flies once the middle of the windscreen is clicked. In replay the
// speed buttons reach down into that box: a click on a button is the button's alone.
void mouse_joystick(const Press& p)
{
    if (set.replay_mode && replay_button_at(p.x, p.y)) return;
    if (set.controls_type == -1 && !atc.menu_up && !p.repeat && box(p, 300, 347, 500, 547))
        msc.mouse_is_joy = toggled(msc.mouse_is_joy);
}

// 2. A line of the options menu is chosen.
void atc_menu(const Press& p)
{
    if (atc.menu_up && !p.repeat && box(p, 0, 360, 800, 550)) plot_atc_options(1);
}

// 3. The replay's speed buttons along the top of the outside view.
void replay_speed_buttons(const Press& p)
{
    if (!set.replay_mode) return;
    if (const int mode = replay_button_at(p.x, p.y)) set.replay_mode = mode;
}

// Jettison: the load goes, and it puts out every fire it falls on.
void jettison(void)
{
    flt.m_jettison = 0.0f;
    for (int i = 0; i < 10; i++) {
        const float d = pythag3(scn.firexyz[i][0] - static_cast<float>(flt.X[0]), scn.firexyz[i][1] - static_cast<float>(flt.Y[0]),
                                scn.firexyz[i][2] - static_cast<float>(flt.Z[0]));
        if (d < FIRE_DOUSE_RANGE) scn.fire_on[i] = 0;
    }
}

void pause_toggle(void)
{
    msc.paused = toggled(msc.paused);
    if (msc.paused) stop_engine_and_windrain();
    else play_engine_and_windrain();
}

// 4. The switch row along the panel's top edge.
void switch_row(const Press& p)
{
    const planestruct& pl = pln[0];
    if (p.repeat || !fltrange(p.y, 314, 330)) return;
    auto in = [&](float x1, float x2) { return fltrange(p.x, x1, x2); };
    if (in(26, 66) && pl.HUDtype != 1) ins.HUD_on = toggled(ins.HUD_on);
    if (in(72, 112) && pl.HUDtype == 3) ins.HOOP_on = toggled(ins.HOOP_on);
    if (in(118, 133) && pl.HUDtype != 1) ins.hud_brt = toggled(ins.hud_brt);
    const int equipment = panel_equipment_switches();
    if (in(544, 584) && equipment && pl.arrestingEQ) ins.hook_down = toggled(ins.hook_down);
    if (in(498, 538) && equipment && pl.chuteEQ) ins.chute_on = toggled(ins.chute_on);
    if (in(590, 630) && equipment && pl.antiiceEQ) ins.antiice_on = toggled(ins.antiice_on);
    if (in(682, 722) && equipment && pl.jatoEQ) ins.jato_on = 1;   // rockets, once lit, burn out
    if (in(osh + 636, osh + 676) && pl.jettisonEQ) jettison();
    if (in(osh + 730, osh + 790)) pause_toggle();
}

// A set knob's value moved by one step up or down, rounded to the step and kept within its range.
float knob_value(float value, int up, float step, float lo, float hi)
{
    return fltlim(fltnear(value + (up ? step : -step), step), lo, hi);
}

// 5. The autopilot's set knobs: above the middle raises, any other lowers.
void autopilot_knobs(const Press& p)
{
    if (!fltrange(p.y, 305, 325)) return;
    const int up = p.y > 315;
    if (fltrange(p.x, 305, 325)) {
        const float ft = knob_value(ott.al_hold * con.mtrstoft, up, 100, 0, AL_HOLD_MAX_FT);
        ott.al_hold = ft * con.fttomtrs;
    }
    if (fltrange(p.x, 390, 410)) {
        const float fpm = knob_value(ott.vv_hold * con.msctofpm, up, 100, -VV_HOLD_MAX_FPM, VV_HOLD_MAX_FPM);
        ott.vv_hold = fpm * con.fpmtomsc;
    }
    if (fltrange(p.x, 475, 495)) ott.as_hold = knob_value(ott.as_hold, up, 5, 0, AS_HOLD_MAX_KT);
}

// 6..11. The knobs of the round instruments.
void instrument_knobs(const Press& p)
{
    const planestruct& pl = pln[0];
    const float x2 = ins.x_loc[SLOT_AHZ], y2 = ins.y_loc[SLOT_AHZ];
    const float x4 = ins.x_loc[SLOT_SUPP], y4 = ins.y_loc[SLOT_SUPP];
    const float x6 = ins.x_loc[SLOT_HSI], y6 = ins.y_loc[SLOT_HSI];
    const float x8 = ins.x_loc[SLOT_ADF], y8 = ins.y_loc[SLOT_ADF];
    const float x10 = ins.x_loc[SLOT_BARO], y10 = ins.y_loc[SLOT_BARO];
    // The situation indicator's knobs sit 30 lower on a glass panel.
    const float s = pl.paneltype == 2 ? -30.0f : 0.0f;
    const int istep = static_cast<int>(p.step);

    // 6. The attitude indicator's aircraft bar.
    if (pl.paneltype == 1 && box(p, x2 + 40, y2 - 70, x2 + 70, y2 - 40))
        set.ah_bar_adjust = fltlim(set.ah_bar_adjust + (p.y < y2 - 55 ? -1.0f : 1.0f), -10.0f, 10.0f);
    // 7. Course selector of the first receiver.
    if (pl.supptype == 1 && box(p, x4 - 48, y4 - 50, x4 - 8, y4 - 30))
        nav.obs[0] = fltwrap(nav.obs[0] + (p.x < x4 - 28 ? p.step : -p.step), 0.0f, 360.0f);
    // 8. Course selector of the second receiver, on the situation indicator.
    if (box(p, x6 - 55, y6 - 60 + s, x6 - 20, y6 - 40 + s))
        nav.obs[1] = fltwrap(nav.obs[1] + (p.x < x6 - 37 ? -p.step : p.step), 0.0f, 360.0f);
    // 9. The direction finder's card.
    if (ins.avail[SLOT_ADF] && box(p, x8 - 55, y8 - 60, x8 - 15, y8 - 40))
        ins.adf_card = intwrap(ins.adf_card + (p.x < x8 - 35 ? istep : -istep), 0, 359);
    // 10. The heading bug.
    if (box(p, x6 + 30, y6 - 60 + s, x6 + 65, y6 - 40 + s))
        nav.hdsel = intwrap(nav.hdsel + (p.x < x6 + 47 ? -istep : istep), 0, 359);
    // 11. The altimeter's setting, finer on the round panel.
    if (box(p, x10 - 15, y10 - 15, x10 + 15, y10 + 15)) {
        const float d = pl.paneltype == 1 ? 0.003f : 0.01f;
        ins.baro = fltlim(ins.baro + (p.y > y10 ? d : -d), 28.0f, 32.0f);
    }
}

// 12, 13. The glass panel's map buttons and the engine display's page buttons.
void display_buttons(const Press& p)
{
    const planestruct& pl = pln[0];
    const float x9 = ins.x_loc[SLOT_EFIS], y9 = ins.y_loc[SLOT_EFIS];
    const float x12 = ins.x_loc[SLOT_ENGINES];
    if (pl.paneltype == 2 && box(p, x9 + 200, y9 + 20, x9 + 380, y9 + 50)) {
        const float d = p.x - x9;
        if (fltrange(d, 200, 230)) ins.map_range = fltlim(ins.map_range * 2.0f, 4.0f, 32.0f);
        if (fltrange(d, 230, 260)) ins.map_range = fltlim(ins.map_range * 0.5f, 4.0f, 32.0f);
        if (fltrange(d, 260, 290)) ins.map_mode = 1;
        if (fltrange(d, 290, 320)) ins.map_mode = 2;
        if (fltrange(d, 320, 350) && !p.repeat) ins.EFIS_wxr = toggled(ins.EFIS_wxr);
        if (fltrange(d, 350, 380) && !p.repeat) ins.EFIS_tcas = toggled(ins.EFIS_tcas);
    }
    if (pl.ecam && box(p, x12 + 644, 140, x12 + 800, 160)) {
        const float d = p.x - x12;
        for (int page = 3; page <= 7; page++) {
            const float from = 645.0f + 30.0f * static_cast<float>(page - 3);
            if (fltrange(d, from, from + 30.0f)) ins.ecam_mode = page;
        }
    }
}

// 14..17. The slot-4 instruments' knobs and the clock's buttons.
void slot4_knobs(const Press& p)
{
    const int supp = pln[0].supptype;
    const float x4 = ins.x_loc[SLOT_SUPP], y4 = ins.y_loc[SLOT_SUPP];
    // 14. Decision height: 10 ft steps below 600 ft, 100 ft from there up.
    if (supp == 4 && box(p, x4 - 55, y4 - 50, x4 - 25, y4 - 30)) {
        const float d = ins.radalt_ft < 600.0f ? 10.0f : 100.0f;
        ins.radalt_ft = fltlim(ins.radalt_ft + (p.y < y4 - 40 ? d : -d), 0.0f, 2500.0f);
    }
    // 15. The moving map's mode and range buttons, top to bottom.
    if (supp == 3 && box(p, x4 + 30, y4 - 40, x4 + 45, y4 + 37)) {
        if (p.y > y4 + 22) ins.arg_mode = 0;
        else if (p.y > y4 + 7) ins.arg_mode = 1;
        else if (p.y > y4 - 8) ins.arg_mode = 2;
        else if (p.y > y4 - 26) ins.arg_range = fltlim(ins.arg_range * 0.5f, 7.5f, 30.0f);
        else ins.arg_range = fltlim(ins.arg_range * 2.0f, 7.5f, 30.0f);
    }
    // 16. The weather radar's range.
    if (supp == 6 && box(p, x4 - 47, y4 - 50, x4 + 14, y4 - 30))
        ins.rad_range = fltlim(p.x < x4 - 2 ? ins.rad_range * 2.0f : ins.rad_range * 0.5f, 7.5f, 30.0f);
    // 17. The stopwatch: start/stop (a start adds a second) and reset.
    if (!p.repeat && box(p, x4 - 40, y4 - 78, x4 - 15, y4 - 58)) {
        msc.timer_running = toggled(msc.timer_running);
        if (msc.timer_running) msc.timr_time += 1.0f;
    }
    if (box(p, x4 - 15, y4 - 78, x4 + 10, y4 - 58)) msc.timr_time = 0.0f;
}

int radio_stack_pair(void) { return pln[0].supptype == 1 || pln[0].supptype == 7; }

// A radio's knob pair: the left box steps `big`, the right one `small`, up above the middle.
template <typename Tune>
void knob_pair(const Press& p, float x1, float x2, float x3, float y1, float y2, float middle, int big, int small,
               Tune tune)
{
    const int sign = p.y > middle ? 1 : -1;
    if (box(p, x1, y1, x2, y2)) tune(sign * big);
    if (box(p, x2, y1, x3, y2)) tune(sign * small);
}

// 18..20. Audio selector, DME source and the radios' tuning knobs.
void radio_stack(const Press& p)
{
    const float x11 = ins.x_loc[SLOT_RADIOS];
    const float x8 = ins.x_loc[SLOT_ADF], y8 = ins.y_loc[SLOT_ADF];
    // 18. Audio: the five buttons 4, 0, 1, 2, 3 from the left.
    if (box(p, x11 + 540, 285, x11 + 640, 300)) {
        static const int selection[5] = {4, 0, 1, 2, 3};
        nav.radout = selection[intlim(static_cast<int>((p.x - x11 - 540.0f) / 20.0f), 0, 4)];
    }
    // 19. DME source.
    if (radio_stack_pair() && box(p, x11 + 600, 260, x11 + 640, 280)) nav.dmesel = p.x < x11 + 620 ? 0 : 1;

    // 20. Tuning: MHz on the left knob, 50 kHz on the right; the ADF by hundreds, tens and units;
    // the transponder digit by digit.
    if (radio_stack_pair()) {
        knob_pair(p, x11 + 590, x11 + 614, x11 + 638, 208, 232, 220, 1000, 50, [](int s) { nav.nf[0] = NAVinc(nav.nf[0], s); });
        knob_pair(p, x11 + 522, x11 + 546, x11 + 570, 208, 232, 220, 1000, 50, [](int s) { nav.cf[0] = COMinc(nav.cf[0], s); });
    }
    knob_pair(p, x11 + 590, x11 + 614, x11 + 638, 159, 183, 171, 1000, 50, [](int s) { nav.nf[1] = NAVinc(nav.nf[1], s); });
    knob_pair(p, x11 + 522, x11 + 546, x11 + 570, 159, 183, 171, 1000, 50, [](int s) { nav.cf[1] = COMinc(nav.cf[1], s); });
    if (ins.avail[SLOT_ADF]) {
        const int sign = p.y > y8 - 83 ? 1 : -1;
        static const int adf_step[3] = {100, 10, 1};
        for (int k = 0; k < 3; k++) {
            const float left = x8 - 25.0f + 20.0f * static_cast<float>(k);
            if (box(p, left, y8 - 95, left + 20.0f, y8 - 71)) nav.adff = ADFinc(nav.adff, sign * adf_step[k]);
        }
    }
    int32_t* digit[4] = {&nav.tran1, &nav.tran2, &nav.tran3, &nav.tran4};
    const int sign = p.y > 130 ? 1 : -1;
    for (int k = 0; k < 4; k++) {
        const float left = x11 + 561.0f + 20.0f * static_cast<float>(k);
        if (box(p, left, 120, left + 20.0f, 140)) *digit[k] = XPNinc(*digit[k], sign);
    }
}

// The identifier of GPS waypoint `index` of index mode `mode` as four character codes; the
// characters after the identifier's end count as blanks.
void gps_identifier_codes(int mode, int index)
{
    const char* id = nullptr;
    if (mode == GPS_AIRPORTS && index >= 0 && index <= apt_wrl_max && index < MAX_APT) id = apt_id[index];
    if (mode != GPS_AIRPORTS && index >= 0 && index <= nav_wrl_max && index < MAX_NAV) id = nav_id[index];
    if (!id) return;
    int ended = 0;
    for (int k = 0; k < 4; k++) {
        ended = ended || id[k] == 0;
        nav.gps_id[k] = ended ? char_to_code(' ') : char_to_code(id[k]);
    }
}

// The navaid n steps on from `from` (n may be negative) whose type is `type`, stepping n at a time
// round the table; `from` itself when a whole round finds none.
int next_navaid(int from, int n, int type)
{
    if (nav_wrl_max < 0) return from;
    const int last = intmin2(nav_wrl_max, MAX_NAV - 1);
    int i = intlim(from, 0, last);
    for (int tries = 0; tries <= last; tries++) {
        i = intwrap(i + n, 0, last);
        if (nav_type[i] == type) return i;
    }
    return from;
}

// 21. The GPS: the kind of waypoint, the scroll knob, the mode knob, then the identifier shown
// follows the index (scroll mode 0) or the index follows the identifier edited (modes 1..4).
void gps(const Press& p)
{
    const float x11 = ins.x_loc[SLOT_RADIOS];
    if (radio_stack_pair() || !box(p, x11 + 500, 210, x11 + 641, 280)) return;
    if (fltrange(p.x, x11 + 621, x11 + 641)) {
        if (fltrange(p.y, 260, 280)) nav.gps_index_mode = GPS_AIRPORTS, nav.gps_index = nav.gps_apt_index;
        if (fltrange(p.y, 240, 260)) nav.gps_index_mode = GPS_VOR, nav.gps_index = nav.gps_vor_index;
        if (fltrange(p.y, 220, 240)) nav.gps_index_mode = GPS_NDB, nav.gps_index = nav.gps_ndb_index;
    }
    // A mode from a damaged preference file names no kind of waypoint: nothing to scroll or show.
    const int mode = nav.gps_index_mode;
    if (mode < GPS_AIRPORTS || mode > GPS_VOR) return;
    if (box(p, x11 + 536, 210, x11 + 556, 230)) {
        int n = p.repeat ? intlim(static_cast<int>(msc.prd * 100.0f), 1, 100) : 1;
        if (p.y >= 220) n = -n;
        const int scroll = intlim(nav.gps_scroll_mode, 0, 4);
        if (scroll == 0 && mode == GPS_AIRPORTS) {
            if (apt_wrl_max >= 0) nav.gps_index = intwrap(intlim(nav.gps_index, 0, apt_wrl_max) + n, 0, apt_wrl_max);
        } else if (scroll == 0) {
            nav.gps_index = next_navaid(nav.gps_index, n, mode);
        } else {
            nav.gps_id[scroll - 1] = intwrap(intlim(nav.gps_id[scroll - 1], 0, 36) + n, 0, 36);
        }
    }
    if (box(p, x11 + 593, 210, x11 + 613, 230))
        nav.gps_scroll_mode = intwrap(intlim(nav.gps_scroll_mode, 0, 4) + (p.y > 220 ? -1 : 1), 0, 4);

    if (nav.gps_scroll_mode == 0) {
        gps_identifier_codes(mode, nav.gps_index);
    } else {
        char text[5];
        for (int k = 0; k < 4; k++) text[k] = code_to_char(nav.gps_id[k]);
        text[4] = 0;
        get_index_from_id(text, mode, &nav.gps_index);
    }
    if (mode == GPS_AIRPORTS) nav.gps_apt_index = nav.gps_index;
    if (mode == GPS_VOR) nav.gps_vor_index = nav.gps_index;
    if (mode == GPS_NDB) nav.gps_ndb_index = nav.gps_index;
}

void all_modes_but(int32_t* keep, std::initializer_list<int32_t*> off)
{
    *keep = toggled(*keep);
    for (int32_t* m : off) *m = 0;
}

// 22. The autopilot's mode buttons, left to right.
void autopilot_buttons(const Press& p)
{
    const float x11 = ins.x_loc[SLOT_RADIOS];
    if (p.repeat || !box(p, x11 + 493, 80, x11 + 640, 105)) return;
    const float d = p.x - x11;
    if (d < 517) {
        all_modes_but(&ott.HDSLCT, {&ott.NAV[0], &ott.NAV[1]});
    } else if (d < 537) {
        all_modes_but(&ott.NAV[0], {&ott.HDSLCT, &ott.NAV[1]});
    } else if (d < 557) {
        all_modes_but(&ott.NAV[1], {&ott.HDSLCT, &ott.NAV[0]});
    } else if (d < 580) {
        all_modes_but(&ott.ALHOLD, {&ott.GS2, &ott.VVHOLD});
        // The altitude hold's climb or descent rate is the vertical-speed setting, at least 500 ft/min.
        if (std::fabs(ott.vv_hold * con.msctofpm) < AL_HOLD_MIN_RATE_FPM) ott.vv_hold = AL_HOLD_MIN_RATE_FPM * con.fpmtomsc;
    } else if (d < 600) {
        all_modes_but(&ott.VVHOLD, {&ott.GS2, &ott.ALHOLD});
        ott.vv_hold = static_cast<float>(flt.vY);
    } else if (d < 620) {
        all_modes_but(&ott.GS2, {&ott.ALHOLD, &ott.VVHOLD});
    } else {
        ott.ASHOLD = toggled(ott.ASHOLD);
    }
}

// 23..26. Transponder ident, brakes (and the catapult or tow release), trims and gear.
void lower_radio_stack(const Press& p)
{
    const float x11 = ins.x_loc[SLOT_RADIOS];
    if (box(p, x11 + 520, 125, x11 + 535, 140) || box(p, x11 + 535, 140, x11 + 550, 155)) {
        ins.reply_time1 = msc.elap_time;
        ins.reply_time2 = msc.elap_time + 5.0f;
    }
    if (!p.repeat && box(p, x11 + 494, 5, x11 + 564, 20)) {
        set.parkbrake = set.parkbrake < 0.1f ? 1.0f : 0.0f;
        if (set.cat_waiting) set.cat_waiting = 0, set.cat_inprog = 1;
        if (set.tow_waiting) set.tow_waiting = 0, set.tow_inprog = 1;
    }
    // Held, a trim button moves its trim at 0.1 a second.
    const float trim = (p.x < x11 + 586 ? -0.1f : 0.1f) * msc.prd;
    if (box(p, x11 + 566, 35, x11 + 606, 60)) flt.ail_trim = fltlim(flt.ail_trim + trim, -1.0f, 1.0f);
    if (box(p, x11 + 566, 5, x11 + 606, 30)) flt.rud_trim = fltlim(flt.rud_trim + trim, -1.0f, 1.0f);
    if (pln[0].gear_retract && !p.repeat && box(p, x11 + 610, 0, x11 + 640, 60)) {
        set.gear_handle = toggled(set.gear_handle);
        play_buffer(SND_GEAR, 0);
        for (int i = 0; i < 3; i++) set.gear_time[i] = rel.lagear[i] ? msc.elap_time + fltrand(3.0f, 5.0f) : NEVER;
    }
}

// 27. The upper lever quadrant: flaps, speed brakes, sweep, thrust vector and pitch trim.
void upper_quadrant(const Press& p)
{
    const planestruct& pl = pln[0];
    const float x12 = ins.x_loc[SLOT_ENGINES];
    if (!box(p, x12 + 645, 70, x12 + 797, 138)) return;
    const float d = p.x - x12;
    // The lever's top is flaps up; the flaps move in quarters.
    if (fltrange(d, 650, 680) && (pl.flapEQ || pl.slatEQ)) flt.flaprqst = fltnear(1.0f - util_get_handle(6, p.y - 4.0f), 0.25f);
    if (fltrange(d, 698, 718) && (pl.sbrkEQ || pl.fbrkEQ)) {
        const int b = static_cast<int>(interp(120.0f, -1.0f, 96.0f, 2.0f, p.y - 2.5f));
        flt.sbrk = intlim(b, pl.autosbrkEQ ? -1 : 0, 2);
    }
    const int sweeps = pl.varsweepEQ[4] || pl.varsweepEQ[6] || pl.varsweepEQ[8] || pl.varsweepEQ[10];
    if (fltrange(d, 737, 764) && sweeps && !pl.autosweepEQ) flt.sweerqst = 1.0f - util_get_handle(9, p.y - 4.5f);
    if (fltrange(d, 745, 772) && pl.vectEQ) flt.vectrqst = (1.0f - util_get_handle(10, p.y - 4.5f)) * 120.0f;
    if (fltrange(d, 781, 799) && rel.sttrim)
        flt.elv_trim = fltlim(flt.elv_trim + (p.y < 101.5f ? 0.1f : -0.1f) * msc.prd, -1.0f, 1.0f);
}

// The engines a lever column grabs: engine i within its own lever's `width` from lever_x[i], or all
// four on the common handle (common_lo..common_hi). Bit i set for engine i.
int grabbed(float d, const float lever_x[4], float width, float common_lo, float common_hi)
{
    int mask = 0;
    const int engines = intlim(pln[0].numen, 0, 4);
    for (int i = 0; i < engines; i++)
        if (fltrange(d, lever_x[i], lever_x[i] + width)) mask |= 1 << i;
    if (fltrange(d, common_lo, common_hi)) mask = 0xF;
    return mask;
}

// 28. The lower lever quadrant: collective, throttles, propellers, mixtures and carburettor heat.
void lower_quadrant(const Press& p)
{
    const planestruct& pl = pln[0];
    const float x12 = ins.x_loc[SLOT_ENGINES];
    if (!box(p, x12 + 645, 1, x12 + 797, 69)) return;
    const float d = p.x - x12;
    float y = p.y;
    if (pl.collectEQ && fltrange(d, 662, 688)) {
        flt.proppitch[0] = interp(1.0f, pl.minpitch[0], 0.0f, pl.maxpitch[0], util_get_handle(11, y - 7.0f));
        if (!pl.is_heli)
            for (int i = 1; i < 4; i++) flt.proppitch[i] = flt.proppitch[0];
    }
    if (!pl.collectEQ && pl.entype != 0) {
        // The levers' heights are measured from 7 higher; the panel now has the throttles.
        y -= 7.0f;
        set.thro_pot = 0;
        const int mask = grabbed(d, thro_x, 13.0f, 670.5f, 679.5f);
        // Reverse lies below a detent that a click stops at: only a drag takes the lever past it.
        if (mask && pl.revthrustEQ && y < 16.0f && !p.repeat) y = 16.0f;
        for (int i = 0; i < 4; i++) {
            if (!(mask & 1 << i)) continue;
            const float v = util_get_handle(11 + i, y);
            flt.throrqst[i] = v;
            if (pl.revthrustEQ) {
                flt.revving_thrust[i] = v < REVERSE_DETENT;
                flt.throrqst[i] = v < REVERSE_DETENT ? (REVERSE_DETENT - v) / REVERSE_DETENT : (v - REVERSE_DETENT) / (1.0f - REVERSE_DETENT);
            }
        }
        // A reverser whose lock has failed stays deployed.
        for (int i = 0; i < intlim(pl.numen, 0, 4); i++)
            if (!rel.revlok[i]) flt.revving_thrust[i] = 1;
    }
    if ((pl.entype == 1 || pl.entype == 2 || pl.entype == 3) && pl.varpitchEQ && !pl.collectEQ) {
        const int mask = grabbed(d, prop_x, 9.0f, 721.5f, 726.5f);
        for (int i = 0; i < 4; i++)
            if (mask & 1 << i) flt.prop[i] = interp(0.0f, pl.omegamingreen, 1.0f, pl.omegamax, util_get_handle(15 + i, y - 6.5f));
    }
    if (pl.entype != 0) {
        const int mask = grabbed(d, mixt_x, 9.0f, 762.5f, 767.5f);
        for (int i = 0; i < 4; i++)
            if (mask & 1 << i) flt.mixt[i] = util_get_handle(19 + i, y - 6.5f);
    }
    // One carburettor-heat lever serves every engine.
    if (pl.entype == 1 && fltrange(d, 786, 798)) {
        const float h = 1.0f - util_get_handle(23, y + 6.5f);
        for (float& e : flt.heat) e = h;
    }
}

}  // namespace

float util_get_handle(int kind, float y)
{
    float b, c;
    if (kind == 6) b = 73, c = 127;
    else if (kind == 9) b = 73, c = 112;
    else if (kind == 10) b = 73, c = 126;
    else if ((kind >= 11 && kind <= 14) || kind == 23) b = 4, c = 52;
    else if (kind >= 15 && kind <= 22) b = 4, c = 39;
    else return 0.0f;
    return fltlim(interp(b, 0.0f, c, 1.0f, y), 0.0f, 1.0f);
}

namespace {

// Every zone in turn for one press at (x, y): the press itself, or (repeat) a held button's repeat.
void das_press(float x, float y, int repeat)
{
    Press p;
    p.x = x;
    p.y = y;
    p.repeat = repeat;
    p.step = repeat ? 3.0f : 1.0f;

    mouse_joystick(p);
    atc_menu(p);
    replay_speed_buttons(p);
    switch_row(p);
    autopilot_knobs(p);
    instrument_knobs(p);
    display_buttons(p);
    slot4_knobs(p);
    radio_stack(p);
    gps(p);
    autopilot_buttons(p);
    lower_radio_stack(p);
    upper_quadrant(p);
    lower_quadrant(p);
}

}  // namespace

void manage_das(float x, float y)
{
    // A held button repeats every frame after the drag delay; the press itself is the pass the
    // button went down in.
    das_press(x, y, mnw.delay_dragging && !mnw.mouse_clicked);
}

void manage_das_key(float x, float y) { das_press(x, y, 0); }

void das_frame_mouse(void)
{
    if ((mnw.mouse_clicked || mnw.delay_dragging) && mnw.menu_up == -1) manage_das(mnw.mx, mnw.my);
}
