// do_speech.cpp -- speakstring and the phrase builders: call signs, frequencies, headings, squawk
// codes, altimeter settings, winds, traffic types, background calls and vectors.
#include "do_speech.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "fltutil.h"
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_mnw.h"
#include "hl_string.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hl_wxr.h"
#include "plt_audio.h"
#include "plt_files.h"

namespace {

// The last heading (degrees) and altitude (feet) the controller assigned; below 0 none yet.
float g_last_hdng = -1.0f;
float g_last_alt = -1.0f;

void app_int(char* buf, int n)
{
    char num[16];
    std::snprintf(num, sizeof num, "%d", n);
    app_C(buf, num);
}

// Spells one character phonetically and ends it with a blank; characters without a word are left out.
void app_spelled(char* buf, char c)
{
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    char word[STR_LEN];
    get_phonetic(c, word);
    if (!word[0]) return;
    app_C(buf, word);
    app_C(buf, " ");
}

// A direction rounded to 10 degrees, said 10..360.
int wind_dir10(float d)
{
    int r = round(fltwrap(d, 0.0f, 360.0f) / 10.0f) * 10;
    while (r <= 0) r += 360;
    while (r > 360) r -= 360;
    return r;
}

const char* const g_planes[26] = {
    "Cessna 152",   "Cessna 172",     "Piper Warrior",  "Piper Archer",   "Piper Arrow",
    "Beech Duke",   "Tobago",         "Trinidad",       "Mooney",         "Glasair",
    "Lancair",      "Beech Duchess",  "Beech Baron",    "Cessna 310",     "Cessna 414",
    "Pilatus PC 12", "Beech Starship", "Piaggio Avanti", "Lear 35",       "Lear 55",
    "Cessna Citation", "Boeing 727",  "Boeing 737",     "Boeing 757",     "Boeing 767",
    "Airbus A-300",
};

// The weather an ATIS or a runway choice works from: the present weather, replaced by what the
// airport's report gives when it is read.
struct AirportWeather {
    float time;          // s, Zulu time of day
    int cover;           // 1 clear .. 4 overcast
    float base;          // m above sea level
    float top;           // m above sea level
    float visibility;    // m
    int kind, intensity; // precipitation (0 none)
    float temperature, dewpoint;   // degrees F
    float wind_dir, wind_speed, gust, variation;   // degrees, knots
    float altimeter;     // inches of mercury
};

bool has_runway(int a)
{
    if (a < 0 || a > apt_wrl_max || a >= MAX_APT) return false;
    int lo = apt_lo_ind[a], hi = apt_hi_ind[a];
    return lo >= 0 && lo <= hi && hi <= rwy_wrl_max && hi < MAX_RWY;
}

// The present weather at the airport. The dew point follows the visibility: 9 degrees below the
// temperature in clear air, closing up in haze and fog.
AirportWeather present_weather(void)
{
    AirportWeather w{};
    w.time = msc.zulu_time;
    w.cover = atm.cld_type;
    w.base = atm.baseMSL;
    w.top = atm.baseMSL;
    w.visibility = atm.vis_rep;
    w.kind = atm.rain_tstm > 1.0f ? WXR_RAIN_OR_SNOW : 0;
    w.intensity = w.kind ? 1 : 0;
    w.temperature = atm.temp_SL;
    w.dewpoint = atm.temp_SL - fltlim(atm.vis_rep * con.mtrstonm, 0.0f, 9.0f);
    w.wind_dir = atm.wnddir1;
    w.wind_speed = atm.wndspd1;
    w.gust = atm.shrspd1;
    w.variation = atm.shrdir1;
    w.altimeter = atm.baro;
    return w;
}

// Replaces what the airport's report gives; 0 when the file or a report is missing.
int read_report(int a, AirportWeather* w)
{
    char path[STR_LEN] = "";
    C_plus_C(app_path, WXR_FILE_NAME, path);
    inf1.close();
    inf1.clear();
    if (PLT_names_a_pipe(path)) return 0;
    inf1.open(path, std::ios::binary);
    if (!inf1.is_open()) return 0;
    char text[WXR_TEXT_LEN] = "";
    float elevation = 0.0f;
    int lo = apt_lo_ind[a];
    int found = get_wxr_str(text, &elevation, rwy_lat[lo], rwy_lon[lo]);
    inf1.close();
    inf1.clear();
    if (!found) return 0;
    decode_wxr(text, elevation, &w->time, &w->cover, &w->base, &w->top, &w->visibility, &w->kind,
               &w->intensity, &w->temperature, &w->dewpoint, &w->wind_dir, &w->wind_speed, &w->gust,
               &w->altimeter);
    w->variation = 0.0f;
    return 1;
}

// Angle between two headings, 0..180 degrees.
float heading_gap(float a, float b)
{
    return std::fabs(fltwrap(a - b, -180.0f, 180.0f));
}

int end_number(int runway, int end)
{
    int n = rwy_num[runway];
    if (!end) return n;
    return n + 18 > 36 ? n - 18 : n + 18;
}

int get_active_rway_in(int a, float wind_dir, float wind_speed, int* runway, int* end, int* have_ils, int* ils_nav)
{
    if (!has_runway(a)) return 0;
    int lo = apt_lo_ind[a], hi = apt_hi_ind[a];
    *runway = lo;
    *end = 0;
    *have_ils = 0;
    *ils_nav = 0;

    // The localizer near the first runway whose course lies nearest the wind marks the ILS runway.
    float best = 1e9f;
    for (int k = 2; k <= nav_wrl_max && k < MAX_NAV; k++) {
        if (nav_type[k] != 4 && nav_type[k] != 5) continue;
        float d = pythag(nav_lat[k] - rwy_lat[lo], nav_lon[k] - rwy_lon[lo]) * 60.0f;
        if (d >= 5.0f) continue;
        float gap = heading_gap(static_cast<float>(nav_hdng[k]), wind_dir);
        if (gap < best) {
            best = gap;
            *have_ils = 1;
            *ils_nav = k;
        }
    }
    if (!*have_ils && wind_speed <= 5.0f) return 1;

    float aim = *have_ils ? static_cast<float>(nav_hdng[*ils_nav]) : wind_dir;
    best = 1e9f;
    for (int r = lo; r <= hi; r++) {
        if (rwy_num[r] == 99) continue;
        for (int e = 0; e < 2; e++) {
            float gap = heading_gap(static_cast<float>(rwy_hdng[r]) + 180.0f * e, aim);
            if (gap < best) {
                best = gap;
                *runway = r;
                *end = e;
            }
        }
    }
    return 1;
}

// Cloud base in feet rounded to 50 up to 1,000 ft, to 100 up to 10,000 ft and to 500 above.
int ceiling_ft(float feet)
{
    int step = feet <= 1000.0f ? 50 : feet <= 10000.0f ? 100 : 500;
    return round(feet / static_cast<float>(step)) * step;
}

}  // namespace

int get_active_rway(int airport, int* runway, int* end, int* have_ils, int* ils_nav)
{
    if (!has_runway(airport)) return 0;
    AirportWeather w = present_weather();   // what the report does not give
    read_report(airport, &w);
    return get_active_rway_in(airport, w.wind_dir, w.wind_speed, runway, end, have_ils, ils_nav);
}

void app_current_rway_string(char* buf, int airport)
{
    int r, e, ils, nav;
    if (!get_active_rway(airport, &r, &e, &ils, &nav)) return;
    app_C(buf, "runway ");
    app_int(buf, end_number(r, e));
    char side = rwy_lcr[r];
    if (e && side == 'L') side = 'R';
    else if (e && side == 'R') side = 'L';
    if (side == 'L') app_C(buf, " left");
    else if (side == 'R') app_C(buf, " right");
    else if (side == 'C') app_C(buf, " center");
}

void get_ATIS(int airport, char letter, char* buf, int read_weather)
{
    C_to_C("", buf);
    if (airport < 0 || airport > apt_wrl_max || airport >= MAX_APT) return;
    AirportWeather w = present_weather();
    if (read_weather && has_runway(airport)) read_report(airport, &w);

    char name[APT_NAME_LEN + 1];
    std::snprintf(name, sizeof name, "%.*s", APT_NAME_LEN, apt_name[airport]);
    for (int i = static_cast<int>(std::strlen(name)) - 1; i >= 0 && name[i] == ' '; i--) name[i] = 0;
    app_C(buf, name);
    app_C(buf, " information ");
    char word[STR_LEN];
    get_phonetic(static_cast<char>(letter >= 'a' && letter <= 'z' ? letter - 'a' + 'A' : letter), word);
    app_C(buf, word);
    app_C(buf, ". ");
    app_int(buf, static_cast<int>(fltwrap(w.time, 0.0f, 86400.0f) / 3600.0f) % 24);
    app_C(buf, " hundred zooloo weather. ");

    if (w.cover <= WXR_CLEAR) {
        app_C(buf, "Sky clear ");
    } else {
        app_C(buf, "Measured ceiling ");
        app_int(buf, ceiling_ft((w.base - apt_h[airport]) * con.mtrstoft));
        app_C(buf, w.cover == WXR_SCATTERED ? " scattered " : w.cover == WXR_BROKEN ? " broken " : " overcast ");
    }
    float vis_nm = w.visibility * con.mtrstonm;
    if (vis_nm > 0.9f) {
        app_C(buf, "visibility ");
        app_int(buf, static_cast<int>(std::floor(vis_nm + 0.001f)));   // whole miles, figures as set
    } else {
        app_C(buf, "R V R ");
        app_int(buf, round(w.visibility * con.mtrstoft / 100.0f) * 100);
    }
    if (w.kind > 0) app_C(buf, atm.temp_SL > 32.0f ? ", rain. " : ", snow. ");
    else app_C(buf, ". ");

    app_C(buf, "Temperature ");
    app_int(buf, round(w.temperature));
    app_C(buf, " dewpoint ");
    app_int(buf, round(w.dewpoint));
    app_C(buf, ". ");
    app_wind_string(buf, w.wind_dir, w.wind_speed, w.variation, w.gust);
    app_C(buf, ", ");
    app_altimeter_string(buf, w.altimeter);
    app_C(buf, ". Arriving and departing ");
    app_current_rway_string(buf, airport);
    app_C(buf, ". Advise on initial contact you have ");
    app_C(buf, word);
    app_C(buf, ".");
}

int initspeechsynth(void)
{
    if (PLT_speech_init(nullptr)) return 1;
    hl_log_alert("Speech output: no speech engine, sentences are only shown.", PLT_speech_error(), "", "", 0);
    return 0;
}

void speakstring(const char* sentence)
{
    C_to_C(sentence ? sentence : "", atc.response);
    if (set.text_out)
        atc.response_timeout = mnw.time_elapsed + 0.1f * static_cast<float>(std::strlen(atc.response));
    if (msc.speech_avail && set.voice_out && PLT_speech_say(atc.response) != 0)
        MACIBM_alert("Can't speak ATC command!", "", "", "", 0);
}

void start_command_string(char* buf, int own)
{
    if (own) {
        C_to_C(pln[0].C_name, buf);
        app_C(buf, " ");
        for (const char* c = pln[0].tailnum; *c; c++) app_spelled(buf, *c);
        return;
    }
    C_to_C("", buf);
    app_spelled(buf, 'N');
    for (int i = 0; i < 3; i++) app_spelled(buf, code_to_char(intrand(1, 10)));
    app_spelled(buf, code_to_char(intrand(1, 36)));
    app_spelled(buf, code_to_char(intrand(11, 36)));
}

void app_freq(char* buf, int mhz, int hundredths)
{
    mhz = intlim(mhz, 0, 999);
    hundredths = intlim(hundredths, 0, 99);
    char s[40];
    std::snprintf(s, sizeof s, "%d %d %d point %d %d", mhz / 100, mhz / 10 % 10, mhz % 10, hundredths / 10,
                  hundredths % 10);
    app_C(buf, s);
}

void app_random_freq(char* buf)
{
    int mhz = intrand(118, 134);
    app_freq(buf, mhz, 5 * intrand(0, 19));
}

void app_squawk(char* buf)
{
    char s[16];
    std::snprintf(s, sizeof s, "%d %d %d %d", intrand(0, 7), intrand(0, 7), intrand(0, 7), intrand(0, 7));
    app_C(buf, s);
}

void app_heading_string(char* buf, float heading, int step)
{
    if (step < 1) step = 1;
    int h = round(fltwrap(heading, 0.0f, 360.0f));
    if (h >= 360) h -= 360;
    h = round(static_cast<float>(h) / static_cast<float>(step)) * step;
    while (h <= 0) h += 360;
    while (h > 360) h -= 360;
    char s[16];
    std::snprintf(s, sizeof s, "%d %d %d", h / 100, h / 10 % 10, h % 10);
    app_C(buf, s);
}

void app_turn_string(char* buf, float heading, int step)
{
    float diff = fltwrap(heading - flt.magpsi, -180.0f, 180.0f);
    if (diff <= -180.0f) diff += 360.0f;   // the signed difference runs -179..180
    app_C(buf, diff < 1.0f ? "turn left heading " : "turn right heading ");
    app_heading_string(buf, heading, step);
}

void app_altimeter_string(char* buf, float inches)
{
    char s[40];
    if (pln[0].us_alt) {
        int n = round(inches * 100.0f);
        std::snprintf(s, sizeof s, "altimeter %d.%02d", n / 100, std::abs(n % 100));
    } else {
        std::snprintf(s, sizeof s, "area QNH %d.", round(inches * 1013.0f / 29.92f));
    }
    app_C(buf, s);
}

void app_wind_string(char* buf, float direction, float speed, float variation, float gust)
{
    if (speed + gust <= 0.0f) {
        app_C(buf, "Wind calm");
        return;
    }
    if (speed + gust <= 4.0f) {
        app_C(buf, "Wind light and variable");
        return;
    }
    if (gust > 5.0f) app_C(buf, "Wind shear alert. ");
    app_C(buf, "Wind ");
    app_int(buf, wind_dir10(direction));
    app_C(buf, " at ");
    app_int(buf, round(speed));
    if (variation > 10.0f) {
        app_C(buf, " variable ");
        app_int(buf, wind_dir10(direction - variation));
        app_C(buf, " to ");
        app_int(buf, wind_dir10(direction + variation));
    }
    if (gust >= 6.0f) {
        app_C(buf, " gust ");
        app_int(buf, round(speed + gust));
    }
}

void app_rand_plane(char* buf, float altitude_ft)
{
    int k = altitude_ft < 10000.0f ? intrand(0, 17) : intrand(11, 25);
    app_C(buf, g_planes[intlim(k, 0, 25)]);
}

int make_random_call(int with_self, int after_plan)
{
    char s[STR_LEN];
    float alt_ft = static_cast<float>(flt.Y[0]) * con.mtrstoft;
    int to_user = 0;
    switch (intrand(1, 8)) {
    case 1:
        start_command_string(s, 0);
        app_C(s, "squawk 1 2 0 0 good day.");
        break;
    case 2:
        start_command_string(s, 0);
        app_C(s, " reset transponder squawk ");
        app_squawk(s);
        app_C(s, ".");
        break;
    case 3:
        start_command_string(s, 0);
        app_C(s, "contact me on ");
        app_random_freq(s);
        app_C(s, " please.");
        break;
    case 4: {
        static const char* const clock[5] = {"10 o-clock,", "11 o-clock,", "12 o-clock,", "1 o-clock,", "2 o-clock,"};
        start_command_string(s, 0);
        app_C(s, "you have traffic at your ");
        app_C(s, clock[intrand(0, 4)]);
        app_C(s, " should be no factor.");
        break;
    }
    case 5:
    case 6: {
        if (alt_ft >= 20000.0f) return 0;
        to_user = with_self && fltrand(0.0f, 1.0f) < 0.1f;
        start_command_string(s, to_user);
        int turn = round(fallout(fltrand(-45.0f, 45.0f), -20.0f, 20.0f));
        app_turn_string(s, flt.magpsi + static_cast<float>(turn), 10);
        app_C(s, " vectors around a ");
        app_rand_plane(s, alt_ft);
        if (turn < -30) app_C(s, " at your 12 o-clock.");
        else if (turn < 0) app_C(s, " at your 1 o-clock.");
        else if (turn < 30) app_C(s, " at your 10 o-clock.");
        else app_C(s, " at your 11 o-clock.");
        speakstring(s);
        return to_user;
    }
    default: {
        int user = with_self && after_plan && fltrand(0.0f, 1.0f) < 0.1f;
        start_command_string(s, user);
        app_C(s, "contact center on ");
        app_random_freq(s);
        app_C(s, ".");
        if (user) atc.waiting_new_frq = 1;
        break;
    }
    }
    speakstring(s);
    return 0;
}

int vector_me(float heading, int heading_step, float altitude_ft, int alt_step, int force, char* buf)
{
    int given = 0;
    if (heading_step < 1) heading_step = 1;
    if (alt_step < 1) alt_step = 1;

    float h = fltwrap(static_cast<float>(round(heading / heading_step) * heading_step), 0.0f, 360.0f);
    float off = g_last_hdng < 0.0f ? 180.0f : std::fabs(fltwrap(h - g_last_hdng, -180.0f, 180.0f));
    if (force || off > 5.0f) {
        app_turn_string(buf, h, heading_step);
        app_C(buf, " ");
        g_last_hdng = h;
        given = 1;
    }

    float ground_ft = env.localh_cg * con.mtrstoft;
    float target = altitude_ft;
    if (target < ground_ft + 1500.0f) target = ground_ft + 1500.0f;
    target = static_cast<float>(round(target / alt_step) * alt_step);
    float y_ft = static_cast<float>(flt.Y[0]) * con.mtrstoft;
    float vy = static_cast<float>(flt.vY);
    int off_alt = (y_ft > target + 200.0f && vy > -2.0f) || (y_ft < target - 200.0f && vy < 2.0f);
    if (force || off_alt || target != g_last_alt) {
        app_C(buf, y_ft < target ? "climb and maintain " : "descend and maintain ");
        app_int(buf, round(target));
        app_C(buf, " feet ");
        g_last_alt = target;
        given = 1;
    }
    return given;
}

void reset_vectors(void)
{
    g_last_hdng = -1.0f;
    g_last_alt = -1.0f;
}
