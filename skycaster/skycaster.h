// skycaster.h -- Skycaster, the weather briefing: the airports, the simulator's weather and the
// station reports read at start, and the five paragraphs of the briefing composed from them for the
// chosen departure, arrival, aircraft and cruise altitude.
#pragma once
#include <cstdint>

constexpr int SKY_MAX_STATIONS = 2000;   // station 0 (the simulator's weather) included
constexpr int SKY_NOT_REPORTED = -99;    // a station field the report did not give
constexpr int SKY_ID_LEN = 5;            // 4 characters and the end
constexpr int SKY_NAME_LEN = 40;
constexpr int SKY_TEXT_LEN = 1024;       // one paragraph of the briefing
constexpr int SKY_PARAGRAPHS = 5;        // flight plan, departure, three destination stations
constexpr float SKY_START_ALT = 5000;    // ft, the cruise altitude at start

// Places on the 800 by 600 screen. The lists' last rows reach down to y 359 (their lower arrow
// boxes); the aircraft-file button and the altitude field, with the strips that step it, sit just
// below that, clear of the lists and above the briefing's first line (y 301 to 309).
constexpr float SKY_DEP_X = 86, SKY_ARR_X = 416, SKY_LIST_Y = 481;   // the airport lists
constexpr float SKY_PLANE_X = 97, SKY_PLANE_Y = 345;                 // the aircraft-file button
constexpr float SKY_ALT_X = 551, SKY_ALT_Y = 338;                    // the altitude field

// The planned flight. Cleared at start; the choices are the user's from then on.
struct briefstruct {
    int32_t dep, arr;      // departure and arrival airports, indices into the airport table
    float alt;             // ft, planned cruise altitude
    float Vcruise;         // kt, estimated cruise speed of the chosen aircraft (0: none read)
    float dep_ztime;       // estimated departure time, zulu, as hhmm
};
extern briefstruct bri;

// The reporting stations, parallel arrays. Station 0 is the weather set in the simulator; the
// stations of "WORLD.RWX" follow from 1 on. Every field is SKY_NOT_REPORTED until a report gives it.
// Cleared by sky_clear_stations at start.
extern char wxr_id[SKY_MAX_STATIONS][SKY_ID_LEN];       // the report's identifier
extern char wxr_name[SKY_MAX_STATIONS][SKY_NAME_LEN];   // the matching airport's name
extern float wxr_lat[SKY_MAX_STATIONS], wxr_lon[SKY_MAX_STATIONS];   // degrees, its first runway
extern float wxr_z_time[SKY_MAX_STATIONS];      // report time, zulu, hhmm
extern int32_t wxr_cld_type[SKY_MAX_STATIONS];  // 1 clear, 2 scattered, 3 broken, 4 overcast
extern float wxr_cld_base[SKY_MAX_STATIONS];    // m above the station
extern float wxr_cld_tops[SKY_MAX_STATIONS];    // m
extern float wxr_vis[SKY_MAX_STATIONS];         // m
extern int32_t wxr_obs_vis[SKY_MAX_STATIONS];   // 1 thunderstorm, 2 rain, 3 rain and fog, 4 rain showers
extern int32_t wxr_obs_den[SKY_MAX_STATIONS];   // 1 light, 2 moderate, 3 heavy
extern float wxr_temp[SKY_MAX_STATIONS];        // degrees F
extern float wxr_dewp[SKY_MAX_STATIONS];        // degrees F
extern float wxr_wnd_dir[SKY_MAX_STATIONS];     // degrees, from
extern float wxr_wnd_spd[SKY_MAX_STATIONS];     // kt
extern float wxr_wnd_gus[SKY_MAX_STATIONS];     // kt above the speed
extern float wxr_baro[SKY_MAX_STATIONS];        // inches of mercury
extern int32_t wxr_apt_max;                     // highest station in use (0: only the simulator's)

// The phrase choices: rnd1..rnd4 the openers (1..6), rnd5..rnd8 the fillers (1..9). All 1 at start,
// drawn anew at every click.
extern int32_t rnd1, rnd2, rnd3, rnd4, rnd5, rnd6, rnd7, rnd8;

// Counts the readings of the data (start-up loading, aircraft files), so the briefing knows when to
// compose its text again.
extern int32_t sky_data_serial;

// The briefing as composed last: flight plan, departure, destinations 1 to 3.
extern char sky_text[SKY_PARAGRAPHS][SKY_TEXT_LEN];

// ---- loading (sky_load.cpp) ---------------------------------------------------------------------

// Every station empty (all fields not reported), station 0 included; wxr_apt_max 0.
void sky_clear_stations(void);
// "apt.dat" of the "additional nav data" folder into the airport and runway tables. A file that
// cannot be opened gives a notice and leaves the tables empty. 1 when read.
int sky_read_airports(void);
// The simulator's preference file at path as station 0: its aircraft into pln[0]'s name and path,
// its airport into bri.dep and bri.arr, its weather into station 0. 1 when the file was read.
int sky_read_prefs(const char* path);
// The reports of the file at path, each kept as a station when its identifier names an airport
// with a runway. The last report time sets bri.dep_ztime (seconds, until sky_finish_times). 1 when
// the file was opened.
int sky_read_reports(const char* path);
// The report file's path: app_path + "WORLD.RWX", or a file of that name in other letter case.
void sky_report_path(char* path);
// bri.dep_ztime becomes the last report time plus 20 minutes, as hhmm past midnight.
void sky_finish_times(void);
// The start-up reading: airports, preferences, reports, the departure time; the no-weather alert
// when neither the preferences nor the report file could be read.
void sky_load(void);
// Reads the aircraft file named in pln[0].C_path into pln[0] and estimates bri.Vcruise from it.
// A file that cannot be read ends the program with its alert.
void prep_plane(void);
// The cruise-speed estimate from the aircraft's Vno (kt) and engine type.
float sky_cruise_speed(float Vno, int entype);

// ---- the briefing (sky_brief.cpp) ---------------------------------------------------------------

// Seconds past midnight as hhmm (wrapped into one day, minutes truncated).
int sky_hhmm(float seconds);
// The flight-plan paragraph into out (size bytes).
void sky_flight_plan(char* out, int size);
// The station nearest (lat, lon), degrees; the first of equals wins.
int sky_nearest_station(float lat, float lon);
// The three stations nearest (lat, lon), nearest first; slots no station fills hold station 0.
void sky_nearest_three(float lat, float lon, int slot[3]);
// Appends the spoken report of station s to text (size bytes) with filler choice c (1..9).
void spit_a_field(char* text, int size, int s, int c);
// Composes the five paragraphs into sky_text with the opener choices a..d and filler choices e..h.
void sky_compose(int a, int b, int c, int d, int e, int f, int g, int h);
// Composes the briefing (only when a choice changed since the last pass) and draws it.
void gen_rep(int a, int b, int c, int d, int e, int f, int g, int h);

// ---- the program (sky_screen.cpp) ---------------------------------------------------------------

void sky_setupmenus(void);
void sky_handlemenu(int item);
// One pass of the screen: the airport lists, the aircraft file, the altitude, the phrase choices
// and the briefing.
void sky_update(void);
// Its parts: the two airport lists; the aircraft-file button and the altitude field.
void sky_lists(void);
void sky_controls(void);
// The whole program: single instance, start-up and loading, the event loop, shut-down.
int WinMain(void);
