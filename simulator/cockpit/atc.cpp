// atc.cpp -- the controller's answers to the pilot's requests and the vectors onto a localizer.
#include "atc.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "atc_local.h"
#include "do_speech.h"
#include "hl_funct.h"
#include "hl_string.h"
#include "hl_types.h"

namespace {

enum Request { REQ_UNKNOWN, REQ_TAXI, REQ_TAKEOFF, REQ_VECTORS, REQ_LANDING, REQ_ILS, REQ_LOC, REQ_WIND, REQ_EMERGENCY };

// s of msc.elap_time before which no new vector is given.
float g_time_next_ils_vec = 0.0f;

constexpr float DEG = 3.14159265f / 180.0f;

// An angle difference wrapped into -180..180 degrees.
float wrap180(float a)
{
    return std::remainder(a, 360.0f);
}

void app_int(char* buf, int n)
{
    char num[16];
    std::snprintf(num, sizeof num, "%d", n);
    app_C(buf, num);
}

// Splits a request sentence into its kind and the place it names (cut at the name's size, a final
// "." dropped). The word after "request " picks the kind by its first three letters; "I L S" is
// three tokens, so the place starts after all of them.
Request parse_request(const char* s, char* place)
{
    place[0] = 0;
    if (std::strncmp(s, "win", 3) == 0) return REQ_WIND;
    if (std::strncmp(s, "dec", 3) == 0) return REQ_EMERGENCY;
    const char* r = std::strstr(s, "request ");
    if (!r) return REQ_UNKNOWN;
    const char* w = r + 8;
    Request kind = REQ_UNKNOWN;
    if (std::strncmp(w, "tax", 3) == 0) kind = REQ_TAXI;
    else if (std::strncmp(w, "tak", 3) == 0) kind = REQ_TAKEOFF;
    else if (std::strncmp(w, "vec", 3) == 0) kind = REQ_VECTORS;
    else if (std::strncmp(w, "lan", 3) == 0) kind = REQ_LANDING;
    else if (std::strncmp(w, "I L", 3) == 0) kind = REQ_ILS;
    else if (std::strncmp(w, "loc", 3) == 0) kind = REQ_LOC;
    if (kind == REQ_UNKNOWN) return kind;

    const char* name = nullptr;
    if (kind == REQ_ILS) {
        if (std::strncmp(w, "I L S ", 6) == 0) name = w + 6;
    } else {
        const char* blank = std::strchr(w, ' ');
        if (blank) name = blank + 1;
    }
    if (name) {
        std::snprintf(place, ATC_NAME_LEN, "%s", name);
        size_t n = std::strlen(place);
        if (n && place[n - 1] == '.') place[n - 1] = 0;
    }
    return kind;
}

// The region airport of exactly that name; -1 when none.
int find_region_airport(const char* name)
{
    if (!name[0]) return -1;
    char have[ATC_NAME_LEN];
    for (int a = 0; a <= apt_wrl_max && a < MAX_APT; a++) {
        if (!apt_inreg[a] || !atc_apt_valid(a)) continue;
        atc_apt_name(a, have);
        if (std::strcmp(have, name) == 0) return a;
    }
    return -1;
}

// The region navaid of exactly that name, whatever its kind; -1 when none. The vectors lead onto
// that navaid's course.
int find_region_navaid(const char* name)
{
    if (!name[0]) return -1;
    char have[ATC_NAME_LEN];
    for (int n = 0; n <= nav_wrl_max && n < MAX_NAV; n++) {
        if (!nav_inreg[n]) continue;
        atc_nav_name(n, have);
        if (std::strcmp(have, name) == 0) return n;
    }
    return -1;
}

void app_wind_now(char* s)
{
    app_wind_string(s, atm.wnddir1, atm.wndspd1, atm.shrdir1, atm.shrspd1);
}

// "turn ... heading ..." onto the airport's magnetic bearing, " vectors " and its name.
void app_vectors_to(char* s, int a, const char* name)
{
    int r = apt_lo_ind[a];
    app_turn_string(s, atc_bearing(rwy_lat[r], rwy_lon[r]) + env.mvar, 5);
    app_C(s, " vectors ");
    app_C(s, name);
}

int miles_to(int a)
{
    int r = apt_lo_ind[a];
    return round(atc_dist_nm(rwy_lat[r], rwy_lon[r]));
}

// Hands the aircraft over to the tower once it is established: a plan to the airport nearest the
// localizer, on file and flown, waiting for the check-in with the tower.
void intercept_clearance(int nav, const char* name)
{
    char s[STR_LEN];
    start_command_string(s, 1);
    app_C(s, "intercept localizer ");
    app_altimeter_string(s, atm.baro);
    app_C(s, " cleared ");
    app_C(s, name);
    app_C(s, " contact tower.");
    speakstring(s);

    atc.ils_vec_in_progress = 0;
    int a = atc_nearest_region_airport(nav_lat[nav], nav_lon[nav]);
    if (a < 0) return;
    atc.plan_index = a;
    std::snprintf(fpl.arr_id_str, sizeof fpl.arr_id_str, "%.4s", apt_id[a]);
    fpl.onfile = 1;
    fpl.activated = 1;
    atc.plan_phase = 7;
    atc.waiting_new_frq = 1;
}

// The true heading that brings the aircraft round onto the localizer's course: toward a point 9 nm
// out on the extended course, set off to the aircraft's side by 1.1 turn radii, turned toward the
// course by the angle that makes the path a tangent of the turn.
float heading_onto_course(float course, float east, float north, float radius)
{
    // east, north: the antenna from the aircraft, nm. The course points at the antenna.
    float ue = std::sin(course * DEG), un = std::cos(course * DEG);
    float pe = un, pn = -ue;                               // the course's right-hand side
    float side = (-east * pe - north * pn) >= 0.0f ? 1.0f : -1.0f;
    float ae = east - 9.0f * ue + side * 1.1f * radius * pe;
    float an = north - 9.0f * un + side * 1.1f * radius * pn;
    float d = pythag(ae, an);
    float h0 = std::atan2(ae, an) / DEG;
    float corr = d > radius ? std::asin(radius / d) / DEG : interp(0.0f, 180.0f, radius, 90.0f, d);
    float toward = wrap180(course - h0) >= 0.0f ? 1.0f : -1.0f;
    float h = std::fmod(h0 + toward * corr + 720.0f, 360.0f);
    return h;
}

// The altitude (feet) to fly toward the localizer from d nm out.
float vector_altitude(int nav, float d)
{
    float elev = nav_h[nav] * con.mtrstoft;
    float target = elev + (d < 15.0f ? 3000.0f : d < 30.0f ? 5000.0f : 10000.0f);
    if (fpl.onfile && fpl.cruise_alt > 0 && target > static_cast<float>(fpl.cruise_alt))
        target = static_cast<float>(fpl.cruise_alt);
    float ground = env.localh_cg * con.mtrstoft;
    if (target < ground + 1000.0f) target = ground + 3000.0f;
    return target;
}

// One turn of the vectors onto localizer nav: the intercept clearance once established, else at
// most one vector every 15 to 30 s. first: the request just came from the pilot.
void ils_vectors(const char* request, int nav, const char* name, int first)
{
    float course = static_cast<float>(nav_hdng[nav]);
    float d = atc_dist_nm(nav_lat[nav], nav_lon[nav]);
    float b = atc_bearing(nav_lat[nav], nav_lon[nav]);
    float off_course = std::fabs(wrap180(b - course));
    float off_heading = std::fabs(wrap180(flt.psi[0] - course));
    if (off_course < 8.0f && off_heading < 45.0f && d > 5.0f && d < 20.0f) {
        intercept_clearance(nav, name);
        return;
    }
    if (!first && msc.elap_time < g_time_next_ils_vec) return;
    g_time_next_ils_vec = msc.elap_time + fltrand(15.0f, 30.0f);

    float radius = fltlim(interp(100.0f, 2.0f, 200.0f, 4.0f, flt.vind), 2.0f, 4.0f);
    float east = d * std::sin(b * DEG), north = d * std::cos(b * DEG);
    float heading = heading_onto_course(course, east, north, radius) + env.mvar;

    char s[STR_LEN];
    start_command_string(s, 1);
    int given = vector_me(heading, 5, vector_altitude(nav, d), 100, first, s);
    if (first) {
        if (request != atc.ils_command) C_to_C(request, atc.ils_command);
        atc.ils_vec_in_progress = 1;
        app_C(s, "vectors ");
        app_C(s, name);
        app_C(s, ", if you would like another approach instead just tell me");
    } else if (!given) {
        make_random_call(0, 0);
        return;
    } else {
        size_t n = std::strlen(s);
        if (n && s[n - 1] == ' ') s[n - 1] = 0;
        app_C(s, ".");
    }
    speakstring(s);
}

}  // namespace

void controller_respond(const char* request)
{
    if (!request) return;
    char place[ATC_NAME_LEN];
    Request kind = parse_request(request, place);

    int a = -1, nav = -1;
    switch (kind) {
    case REQ_TAXI:
    case REQ_TAKEOFF:
    case REQ_VECTORS:
    case REQ_LANDING:
        a = find_region_airport(place);
        if (a < 0) return;
        break;
    case REQ_ILS:
    case REQ_LOC:
        nav = find_region_navaid(place);
        if (nav < 0) return;
        break;
    case REQ_EMERGENCY:
        a = atc_nearest_region_airport(flt.lat, flt.lon);
        if (a < 0) return;   // no field to give vectors to
        atc_apt_name(a, place);
        break;
    default: break;
    }

    if (kind == REQ_ILS || kind == REQ_LOC) {
        int first = !atc.ils_vec_in_progress || std::strcmp(request, atc.ils_command) != 0;
        ils_vectors(request, nav, place, first);
        return;
    }

    char s[STR_LEN];
    start_command_string(s, 1);
    switch (kind) {
    case REQ_TAXI:
        app_C(s, "taxi ");
        app_current_rway_string(s, a);
        app_C(s, ".");
        break;
    case REQ_TAKEOFF:
        app_C(s, "fly runway heading cleared for take off ");
        app_current_rway_string(s, a);
        app_C(s, ".");
        break;
    case REQ_VECTORS:
        app_vectors_to(s, a, place);
        app_C(s, ". They are about ");
        app_int(s, miles_to(a));
        app_C(s, " miles from your current position.");
        break;
    case REQ_LANDING:
        app_wind_now(s);
        app_C(s, ", cleared to land ");
        app_current_rway_string(s, a);
        app_C(s, " ");
        app_C(s, place);
        app_C(s, ".");
        break;
    case REQ_EMERGENCY:
        app_C(s, "squawk 7 7 0 0 ");
        app_vectors_to(s, a, place);
        app_C(s, ", they are about ");
        app_int(s, miles_to(a));
        app_C(s, " miles from your current position.");
        atc.plan_phase = 0;
        break;
    case REQ_WIND:
        app_wind_now(s);
        app_C(s, ".");
        break;
    default: app_C(s, "say again please."); break;
    }
    speakstring(s);
}

void reset_atc(void)
{
    g_time_next_ils_vec = 0.0f;
    reset_plan_timers();
    reset_menu_state();
    reset_vectors();
}

// ---- places shared with the plan and the menu ----------------------------------------------------

static void trimmed(const char* field, char* out)
{
    std::snprintf(out, ATC_NAME_LEN, "%.*s", APT_NAME_LEN, field);
    for (int i = static_cast<int>(std::strlen(out)) - 1; i >= 0 && out[i] == ' '; i--) out[i] = 0;
}

void atc_apt_name(int a, char* out)
{
    out[0] = 0;
    if (a >= 0 && a <= apt_wrl_max && a < MAX_APT) trimmed(apt_name[a], out);
}

void atc_nav_name(int n, char* out)
{
    out[0] = 0;
    if (n >= 0 && n <= nav_wrl_max && n < MAX_NAV) trimmed(nav_name[n], out);
}

int atc_apt_valid(int a)
{
    if (a < 0 || a > apt_wrl_max || a >= MAX_APT) return 0;
    int lo = apt_lo_ind[a], hi = apt_hi_ind[a];
    return lo >= 0 && lo <= hi && hi <= rwy_wrl_max && hi < MAX_RWY;
}

int atc_present_airport(void)
{
    return atc_apt_valid(msc.loc_apt_wrl) ? msc.loc_apt_wrl : -1;
}

int atc_at_towered_field(void)
{
    int a = atc_present_airport();
    if (!flt.onground || a < 0 || !apt_twr[a]) return 0;
    int r = apt_lo_ind[a];
    return atc_dist_nm(rwy_lat[r], rwy_lon[r]) < 3.0f;
}

// Flat-earth offsets are close enough over the few hundred miles a controller deals with.
float atc_dist_nm(float lat, float lon)
{
    float north = (lat - flt.lat) * 60.0f;
    float east = (lon - flt.lon) * 60.0f * std::cos(flt.lat * DEG);
    return pythag(east, north);
}

float atc_bearing(float lat, float lon)
{
    float north = (lat - flt.lat) * 60.0f;
    float east = (lon - flt.lon) * 60.0f * std::cos(flt.lat * DEG);
    return fltwrap(std::atan2(east, north) / DEG, 0.0f, 360.0f);
}

float atc_alt_ft(void)
{
    return static_cast<float>(flt.Y[0]) * con.mtrstoft;
}

float atc_agl_ft(void)
{
    return (static_cast<float>(flt.Y[0]) - env.localh_cg) * con.mtrstoft;
}

int atc_nearest_region_airport(float lat, float lon)
{
    int best = -1;
    float best_d = 0.0f;
    for (int a = 0; a <= apt_wrl_max && a < MAX_APT; a++) {
        if (!apt_inreg[a] || !atc_apt_valid(a)) continue;
        int r = apt_lo_ind[a];
        float d = pythag(rwy_lat[r] - lat, rwy_lon[r] - lon);
        if (best < 0 || d < best_d) {
            best = a;
            best_d = d;
        }
    }
    return best;
}
