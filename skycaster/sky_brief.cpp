// sky_brief.cpp -- the briefing's text: the flight-plan sentence, the stations nearest the departure
// and the arrival, each station's report spoken as a sentence, and the five paragraphs drawn.
#include "skycaster.h"

#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_plane.h"
#include "hl_types.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

int32_t rnd1 = 1, rnd2 = 1, rnd3 = 1, rnd4 = 1, rnd5 = 1, rnd6 = 1, rnd7 = 1, rnd8 = 1;
char sky_text[SKY_PARAGRAPHS][SKY_TEXT_LEN];
int32_t sky_data_serial;

namespace {

constexpr float FAR_AWAY = 999;   // degrees, farther than any station
constexpr int TEXT_COLOUR = 7;
constexpr float TEXT_X = 79, TEXT_WIDTH = 640, TEXT_ADVANCE = 6;
const float k_paragraph_y[SKY_PARAGRAPHS] = {301, 209, 169, 129, 89};

const char* const k_departure_opener[6] = {
    "OK then, for your departure, ",       "All right, for your departure, ",
    "OK, for your departure airport, ",    "Let's see, for your departure area, ",
    "Stand by, for your departure, ",      "Well, for your departure region, ",
};
const char* const k_destination_opener[3][6] = {
    {"For your destination, ah, ", "For your destination, hmmm, ",
     "For your destination, let's see what I can find here, ",
     "For your destination, let's see what we've got here, ", "For your destination, hold on, ",
     "For your destination, well, "},
    {"Also, ", "Also near your destination, ", "Also in your destination area, ", "And also we have, ",
     "Let's also look at this one... ", "Lemme also give you this one... "},
    {"And finally, ", "Lastly, near your destination, ", "Let's get one last one for you here, ",
     "And finally we have, ", "Let's also look at this last one... ", "Lemme also give you this last one... "},
};
const char* const k_filler[9] = {"Ah, ", "Let's see, ", "Let's see here, ", "OK... ", "Lemme see here... ",
                                 "", "", "", ""};
const char* const k_wind_filler[9] = {"Now for the winds... ", "Let's check the winds... ", "OK, ",
                                      "For the winds... ", "Let's see what the wind is doing... ", "", "", "", ""};

// Appends formatted text to text (size bytes); what does not fit is cut, the text stays terminated.
void add(char* text, int size, const char* fmt, ...)
{
    const size_t used = std::strlen(text);
    if (used + 1 >= static_cast<size_t>(size)) return;
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(text + used, static_cast<size_t>(size) - used, fmt, ap);
    va_end(ap);
}

// A choice held inside 1..n, as an index 0..n-1.
int pick(int choice, int n) { return intlim(choice, 1, n) - 1; }

int airport_in_table(int a) { return a >= 0 && a <= apt_wrl_max; }

// The airport's first runway, degrees; 0 when it has none to measure to.
int airport_position(int a, float* lat, float* lon)
{
    *lat = 0;
    *lon = 0;
    if (!airport_in_table(a)) return 0;
    const int r = apt_lo_ind[a];
    if (r < 0 || r > rwy_wrl_max || apt_hi_ind[a] < r) return 0;
    *lat = rwy_lat[r];
    *lon = rwy_lon[r];
    return 1;
}

const char* airport_name(int a) { return airport_in_table(a) ? apt_name[a] : ""; }

const char* density_word(int den, const char* light, const char* moderate, const char* heavy)
{
    if (den <= 1) return light;
    if (den == 2) return moderate;
    return heavy;
}

}  // namespace

int sky_hhmm(float seconds)
{
    double s = std::fmod(static_cast<double>(seconds), 86400.0);
    if (!(s >= 0)) s = s < 0 ? s + 86400.0 : 0;
    const int whole = static_cast<int>(s);
    return (whole / 3600) * 100 + (whole % 3600) / 60;
}

void sky_flight_plan(char* out, int size)
{
    out[0] = 0;
    char craft[STR_LEN];
    std::snprintf(craft, sizeof craft, "%s", pln[0].C_file);
    const size_t n = std::strlen(craft);
    if (n >= 4) craft[n - 4] = 0;   // the extension ".acf"
    add(out, size, "Hello, this is %s, a %s, planning a flight from %s to %s. ", pln[0].tailnum, craft,
        airport_name(bri.dep), airport_name(bri.arr));
    add(out, size, "Estimated time of departure will be %04d zulu, ", static_cast<int>(bri.dep_ztime));
    float lat1, lon1, lat2, lon2;
    const int placed = airport_position(bri.dep, &lat1, &lon1) && airport_position(bri.arr, &lat2, &lon2);
    if (bri.Vcruise > 1 && placed) {
        // Degrees of arc are nautical-mile minutes; 0.6 h covers the climb, descent and taxi.
        const float hours = pythag(lat2 - lat1, lon2 - lon1) * 60.0f / bri.Vcruise + 0.6f;
        const int tenths = round(hours * 10.0f);
        add(out, size, "estimating %d.%d hours enroute at ", tenths / 10, tenths % 10);
    } else {
        add(out, size, "at ");
    }
    add(out, size, "%d feet, and requesting a standard.", round(bri.alt));
}

int sky_nearest_station(float lat, float lon)
{
    int best = 0;
    float best_d = FAR_AWAY;
    for (int s = 0; s <= wxr_apt_max; s++) {
        const float d = pythag(wxr_lat[s] - lat, wxr_lon[s] - lon);
        if (d < best_d) {
            best_d = d;
            best = s;
        }
    }
    return best;
}

void sky_nearest_three(float lat, float lon, int slot[3])
{
    float dist[3] = {FAR_AWAY, FAR_AWAY, FAR_AWAY};
    slot[0] = slot[1] = slot[2] = 0;
    for (int s = 0; s <= wxr_apt_max; s++) {
        const float d = pythag(wxr_lat[s] - lat, wxr_lon[s] - lon);
        // A nearer station pushes the farther ones down, so the slots hold the nearest three in order.
        for (int k = 0; k < 3; k++) {
            if (!(d < dist[k])) continue;
            for (int m = 2; m > k; m--) {
                dist[m] = dist[m - 1];
                slot[m] = slot[m - 1];
            }
            dist[k] = d;
            slot[k] = s;
            break;
        }
    }
}

void spit_a_field(char* text, int size, int s, int c)
{
    if (s < 0 || s > wxr_apt_max) return;
    // The report time and the station.
    if (wxr_z_time[s] > 0) add(text, size, "at %04d zulu, ", static_cast<int>(wxr_z_time[s]));
    add(text, size, "%s", wxr_name[s]);

    // The sky.
    const int type = wxr_cld_type[s];
    if (type == 1) {
        add(text, size, " is reporting clear skies, ");
    } else if (type >= 2 && type <= 4) {
        if (wxr_cld_base[s] > 0) {
            const int feet = round(wxr_cld_base[s] / con.fttomtrs / 100.0f) * 100;
            const char* cover = type == 2 ? " scattered, " : type == 3 ? " broken, " : " overcast, ";
            add(text, size, " is reporting skies %d%s", feet, cover);
        } else {
            add(text, size, " is reporting overcast skies, ");
        }
    } else {
        add(text, size, " is not reporting sky conditions right now, ");   // no cover in the report
    }

    // Visibility and the weather.
    if (wxr_vis[s] > 0) {
        const float v = wxr_vis[s] / con.nmtomtrs;
        if (v < 0.3f) add(text, size, "visibility only one-quarter mile");
        else if (v < 0.6f) add(text, size, "visibility about a half-mile");
        else if (v < 0.8f) add(text, size, "visibility three-quarters");
        else if (v < 1.1f) add(text, size, "visibility one mile");
        else add(text, size, "visibility %d miles", round(v));
        const int den = wxr_obs_den[s];
        switch (wxr_obs_vis[s]) {
        case 1: add(text, size, "%sthunderstorms. ", density_word(den, " in light ", " in ", " in severe ")); break;
        case 2: add(text, size, "%srain. ", density_word(den, " in light ", " in moderate ", " in heavy ")); break;
        case 3:
            add(text, size, "%srain and fog. ", density_word(den, " in light ", " in moderate ", " in heavy "));
            break;
        case 4:
            add(text, size, "%srain showers. ", density_word(den, " in light ", " in moderate ", " in heavy "));
            break;
        default: add(text, size, v < 7 ? " in haze. " : ". "); break;
        }
    } else {
        add(text, size, "visibility not reported. ");
    }

    add(text, size, "%s", k_filler[pick(c, 9)]);
    if (wxr_temp[s] > 0 && wxr_dewp[s] > 0)
        add(text, size, "Temperature %d, dewpoint %d. ", round(wxr_temp[s]), round(wxr_dewp[s]));
    add(text, size, "%s", k_wind_filler[pick(c, 9)]);

    // The wind.
    if (wxr_wnd_dir[s] > -1 && wxr_wnd_spd[s] > -1) {
        const float spd = wxr_wnd_spd[s];
        if (spd < 2) {
            add(text, size, "Wind calm, ");
        } else if (spd < 5) {
            add(text, size, "Wind light and variable, ");
        } else {
            add(text, size, "Wind %d at %d", round(wxr_wnd_dir[s] / 10.0f) * 10, round(spd));
            if (wxr_wnd_gus[s] > 0) add(text, size, " gust %d", round(spd + wxr_wnd_gus[s]));
            add(text, size, ", ");
        }
    }

    if (wxr_baro[s] > 0) add(text, size, "barometric pressure %d. ", round(100.0f * wxr_baro[s]));
    else add(text, size, "barometric pressure not reported.");
}

void sky_compose(int a, int b, int c, int d, int e, int f, int g, int h)
{
    sky_flight_plan(sky_text[0], SKY_TEXT_LEN);

    float lat, lon;
    airport_position(bri.dep, &lat, &lon);
    const int departure = sky_nearest_station(lat, lon);
    airport_position(bri.arr, &lat, &lon);
    int slot[3];
    sky_nearest_three(lat, lon, slot);

    std::snprintf(sky_text[1], SKY_TEXT_LEN, "%s", k_departure_opener[pick(a, 6)]);
    spit_a_field(sky_text[1], SKY_TEXT_LEN, departure, e);
    const int opener[3] = {b, c, d}, filler[3] = {f, g, h};
    for (int k = 0; k < 3; k++) {
        std::snprintf(sky_text[2 + k], SKY_TEXT_LEN, "%s", k_destination_opener[k][pick(opener[k], 6)]);
        spit_a_field(sky_text[2 + k], SKY_TEXT_LEN, slot[k], filler[k]);
    }
}

void gen_rep(int a, int b, int c, int d, int e, int f, int g, int h)
{
    // The text changes only with the choices: it is composed again only when one of them moved.
    struct Key {
        int32_t choice[8];
        int32_t dep, arr, data;
        float alt, Vcruise, dep_ztime;
    };
    static Key last;
    static int composed = 0;
    Key now;
    std::memset(&now, 0, sizeof now);
    const int choice[8] = {a, b, c, d, e, f, g, h};
    for (int k = 0; k < 8; k++) now.choice[k] = choice[k];
    now.dep = bri.dep;
    now.arr = bri.arr;
    now.data = sky_data_serial;
    now.alt = bri.alt;
    now.Vcruise = bri.Vcruise;
    now.dep_ztime = bri.dep_ztime;
    if (!composed || std::memcmp(&now, &last, sizeof now) != 0) {
        sky_compose(a, b, c, d, e, f, g, h);
        last = now;
        composed = 1;
    }
    for (int p = 0; p < SKY_PARAGRAPHS; p++)
        OGL_string(TEXT_COLOUR, TEXT_X, k_paragraph_y[p], sky_text[p], TEXT_WIDTH, TEXT_ADVANCE);
}
