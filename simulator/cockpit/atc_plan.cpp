// atc_plan.cpp -- the filed flight plan from clearance through departure, centre, approach and
// tower to the ramp, as a state machine in atc.plan_phase.
//
// Phases: 0 picked up, waiting for the clearance; 3 cleared at a towered field, waiting for the climb
// out; 4 with departure; 5 with centre en route; 6 with approach; 7 with the tower; 8 landing
// roll; 9 with ground. While the pilot has been handed to a new frequency (atc.waiting_new_frq) the
// controller waits for the check-in before he says anything more.
#include "atc.h"

#include <cstdio>
#include <cstring>

#include "atc_local.h"
#include "do_speech.h"
#include "hl_funct.h"
#include "hl_string.h"
#include "hl_types.h"

namespace {

// s of msc.elap_time: departure's hand-off to centre (0 not set), centre's next transmission.
float g_handoff_time = 0.0f;
float g_time_next_trans = 0.0f;
// The last en-route background call turned the pilot off course around traffic.
int g_on_random = 0;

// Inside this distance (nm) from the destination centre hands the aircraft to approach.
constexpr float DESCENT_NM = 20.0f;

void app_int(char* buf, int n)
{
    char num[16];
    std::snprintf(num, sizeof num, "%d", n);
    app_C(buf, num);
}

// "14 05": the Zulu time of day, wrapped into 0..24 h.
void app_zulu(char* buf, float seconds)
{
    float t = fltwrap(seconds, 0.0f, 86400.0f);
    if (t >= 86400.0f) t -= 86400.0f;
    int h, m;
    sec_to_hrs_min(t, &h, &m);
    char s[16];
    std::snprintf(s, sizeof s, "%d %02d", h, m);
    app_C(buf, s);
}

int round500(float feet)
{
    return round(feet / 500.0f) * 500;
}

void dest_name(char* out)
{
    atc_apt_name(atc.plan_index, out);
}

float dest_dist_nm(void)
{
    if (!atc_apt_valid(atc.plan_index)) return 1e9f;
    int r = apt_lo_ind[atc.plan_index];
    return atc_dist_nm(rwy_lat[r], rwy_lon[r]);
}

void close_plan(void)
{
    fpl.onfile = 0;
    fpl.activated = 0;
    atc.ils_vec_in_progress = 0;
}

// The clearance when the plan is picked up; says where the pilot goes next.
void clearance(void)
{
    int apt = atc_present_airport();
    float elev_ft = apt >= 0 ? apt_h[apt] * con.mtrstoft : 0.0f;
    fpl.init_alt = round500(elev_ft + 2000.0f);
    fpl.cruise_alt = round500(static_cast<float>(fpl.cruise_alt));
    if (fpl.cruise_alt > 0 && fpl.init_alt > fpl.cruise_alt - 500) fpl.init_alt = fpl.cruise_alt - 500;

    char s[STR_LEN];
    start_command_string(s, 1);
    if (atc_at_towered_field()) {
        if (fpl.ifr) {
            app_C(s, "cleared as filed maintain at or below ");
            app_int(s, fpl.init_alt);
            app_C(s, " expect ");
            app_int(s, fpl.cruise_alt);
            app_C(s, " 10 minutes after departure. Departure will be on ");
        } else {
            app_C(s, "you are cleared as filed maintain at or below ");
            app_int(s, fpl.init_alt);
            app_C(s, " initially, expect higher after that. Departure will be on ");
        }
        app_random_freq(s);
        app_C(s, " squawk ");
        app_squawk(s);
        app_C(s, " advise when ready to taxi.");
        atc.plan_phase = 3;
    } else {
        if (!flt.onground) {
            app_C(s, "cleared as filed contact center ");
            app_random_freq(s);
            app_C(s, ".");
        } else if (fpl.ifr) {
            app_C(s, "cleared as filed maintain at or below ");
            app_int(s, fpl.init_alt);
            app_C(s, " expect ");
            app_int(s, fpl.cruise_alt);
            app_C(s, " 10 minutes after that. Contact center on ");
            app_random_freq(s);
            app_C(s, " when airborne, squawk ");
            app_squawk(s);
            app_C(s, " time now ");
            app_zulu(s, msc.zulu_time);
            app_C(s, " Z, clearance void if not off by ");
            app_zulu(s, msc.zulu_time + 600.0f);
            app_C(s, " Z.");
        } else {
            app_C(s, "cleared as filed. Contact center on ");
            app_random_freq(s);
            app_C(s, " when airborne. Squawk ");
            app_squawk(s);
            app_C(s, ".");
        }
        atc.plan_phase = 5;
        atc.waiting_new_frq = 1;
    }
    speakstring(s);
}

// One en-route transmission from centre: the altitude the plan calls for, the speed limit low down,
// back on course after a traffic vector, or someone else's traffic.
void enroute_call(void)
{
    char s[STR_LEN], name[ATC_NAME_LEN];
    float alt = atc_alt_ft(), cruise = static_cast<float>(fpl.cruise_alt);
    float vy = static_cast<float>(flt.vY);
    int high = alt > cruise + 200.0f && vy > -2.0f;
    int low = alt < cruise - 200.0f && vy < 2.0f;
    start_command_string(s, 1);
    if (high || low) {
        app_C(s, "your flight plan calls for ");
        app_int(s, fpl.cruise_alt);
        app_C(s, fpl.mrs ? " feet while enroute, Madam. I will need you to " : " feet while enroute, Sir. I will need you to ");
        app_C(s, low ? "climb" : "descend");
        app_C(s, " and maintain that altitude. You may amend your plan if you want a different altitude.");
    } else if (flt.vind > 250.0f && alt < 10000.0f) {
        app_C(s, "I will need you to stay below 2 5 0 knots while below ten thousand feet.");
    } else if (g_on_random) {
        g_on_random = 0;
        dest_name(name);
        app_C(s, "proceed back on course to ");
        app_C(s, name);
        app_C(s, ".");
    } else {
        g_on_random = make_random_call(1, 1);
        return;
    }
    speakstring(s);
}

// Approach's answer to the check-in: vectors to the destination's ILS or localizer for an
// instrument plan, else the approach of the pilot's choice and the plan is done.
void approach_checkin(void)
{
    int r, e, have_ils = 0, nav = 0;
    if (fpl.ifr && get_active_rway(atc.plan_index, &r, &e, &have_ils, &nav) && have_ils) {
        char req[STR_LEN], name[ATC_NAME_LEN];
        atc_nav_name(nav, name);
        C_to_C(nav_type[nav] == 4 ? "request I L S " : "request localizer ", req);
        app_C(req, name);
        controller_respond(req);
        return;
    }
    char s[STR_LEN];
    start_command_string(s, 1);
    app_C(s, fpl.ifr ? "cleared full approach of your choice." : "cleared visual approach of your choice.");
    speakstring(s);
    close_plan();
}

}  // namespace

void handle_plan(int pilot_called)
{
    if (!fpl.onfile || !fpl.activated) return;
    // A destination off the airport table cannot be flown to: the controllers leave such a plan alone.
    if (atc.plan_index < 0 || atc.plan_index > apt_wrl_max || atc.plan_index >= MAX_APT) return;
    char s[STR_LEN], name[ATC_NAME_LEN];
    dest_name(name);
    start_command_string(s, 1);
    int waiting = atc.waiting_new_frq;

    switch (atc.plan_phase) {
    case 0:
        if (pilot_called) clearance();
        return;
    case 3:
        if (atc_agl_ft() * con.fttomtrs <= 200.0f) return;
        app_C(s, "contact departure.");
        atc.plan_phase = 4;
        atc.waiting_new_frq = 1;
        break;
    case 4:
        if (pilot_called) {
            app_C(s, "radar contact. Climb to ");
            app_int(s, fpl.cruise_alt);
            app_C(s, " approved, proceed on course to ");
            app_C(s, name);
            app_C(s, ".");
            g_handoff_time = msc.elap_time + fltrand(15.0f, 45.0f);
        } else if (!waiting && g_handoff_time > 0.0f && msc.elap_time >= g_handoff_time) {
            app_C(s, "contact center ");
            app_random_freq(s);
            app_C(s, ".");
            g_handoff_time = 0.0f;
            atc.plan_phase = 5;
            atc.waiting_new_frq = 1;
        } else {
            return;
        }
        break;
    case 5:
        if (pilot_called) {
            app_C(s, "roger proceed on course to ");
            app_C(s, name);
            app_C(s, ". ");
            app_altimeter_string(s, atm.baro);
            if (fltrand(0.0f, 1.0f) < 0.3f) {
                app_C(s, " Reset transponder squawk ");
                app_squawk(s);
            }
            app_C(s, ".");
            g_time_next_trans = msc.elap_time + fltrand(15.0f, 45.0f);
        } else if (!waiting && msc.elap_time >= g_time_next_trans) {
            g_time_next_trans = msc.elap_time + fltrand(15.0f, 30.0f);
            if (dest_dist_nm() > DESCENT_NM) {
                enroute_call();
                return;
            }
            app_C(s, "contact ");
            app_C(s, name);
            app_C(s, " approach on ");
            app_random_freq(s);
            app_C(s, ".");
            atc.plan_phase = 6;
            atc.waiting_new_frq = 1;
        } else {
            return;
        }
        break;
    case 6:
        if (pilot_called) {
            approach_checkin();
            return;
        }
        if (waiting || atc.ils_vec_in_progress || !atc_apt_valid(atc.plan_index) || !apt_twr[atc.plan_index] ||
            dest_dist_nm() >= 10.0f)
            return;
        app_C(s, "contact ");
        app_C(s, name);
        app_C(s, " tower on ");
        app_random_freq(s);
        app_C(s, ".");
        atc.plan_phase = 7;
        atc.waiting_new_frq = 1;
        break;
    case 7:
        if (!pilot_called) return;
        app_wind_string(s, atm.wnddir1, atm.wndspd1, atm.shrdir1, atm.shrspd1);
        app_C(s, ", cleared to land ");
        app_current_rway_string(s, atc.plan_index);
        app_C(s, " ");
        app_C(s, name);
        app_C(s, ".");
        atc.plan_phase = 8;
        break;
    case 8:
        if (!flt.onground) return;
        app_C(s, "make next turn-off contact ground ");
        app_random_freq(s);
        app_C(s, " when clear.");
        atc.plan_phase = 9;
        atc.waiting_new_frq = 1;
        break;
    case 9:
        if (!pilot_called) return;
        app_C(s, "taxi to the ramp.");
        close_plan();
        break;
    default: return;
    }
    speakstring(s);
}

void reset_plan_timers(void)
{
    g_handoff_time = 0.0f;
    g_time_next_trans = 0.0f;
    g_on_random = 0;
}
