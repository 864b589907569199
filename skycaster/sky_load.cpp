// sky_load.cpp -- Skycaster's start-up reading: the airports, the simulator's weather from its
// preference file as station 0, the stations of the report file, and the chosen aircraft.
#include "skycaster.h"

#include "hl_dbline.h"
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_mnw.h"
#include "hl_plane.h"
#include "hl_prefs.h"
#include "hl_string.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hl_worlddb.h"
#include "hl_wxr.h"
#include "plt_files.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

briefstruct bri;
char wxr_id[SKY_MAX_STATIONS][SKY_ID_LEN];
char wxr_name[SKY_MAX_STATIONS][SKY_NAME_LEN];
float wxr_lat[SKY_MAX_STATIONS], wxr_lon[SKY_MAX_STATIONS];
float wxr_z_time[SKY_MAX_STATIONS];
int32_t wxr_cld_type[SKY_MAX_STATIONS];
float wxr_cld_base[SKY_MAX_STATIONS];
float wxr_cld_tops[SKY_MAX_STATIONS];
float wxr_vis[SKY_MAX_STATIONS];
int32_t wxr_obs_vis[SKY_MAX_STATIONS];
int32_t wxr_obs_den[SKY_MAX_STATIONS];
float wxr_temp[SKY_MAX_STATIONS];
float wxr_dewp[SKY_MAX_STATIONS];
float wxr_wnd_dir[SKY_MAX_STATIONS];
float wxr_wnd_spd[SKY_MAX_STATIONS];
float wxr_wnd_gus[SKY_MAX_STATIONS];
float wxr_baro[SKY_MAX_STATIONS];
int32_t wxr_apt_max;

namespace {

constexpr int STATION_PROGRESS = 200;    // kept stations between two steps of the progress bar
constexpr float DEPARTURE_DELAY = 1200;  // s after the last report

const float NR = static_cast<float>(SKY_NOT_REPORTED);

void clear_station(int s)
{
    wxr_id[s][0] = 0;
    wxr_name[s][0] = 0;
    wxr_lat[s] = wxr_lon[s] = NR;
    wxr_z_time[s] = NR;
    wxr_cld_type[s] = SKY_NOT_REPORTED;
    wxr_cld_base[s] = wxr_cld_tops[s] = NR;
    wxr_vis[s] = NR;
    wxr_obs_vis[s] = wxr_obs_den[s] = SKY_NOT_REPORTED;
    wxr_temp[s] = wxr_dewp[s] = NR;
    wxr_wnd_dir[s] = wxr_wnd_spd[s] = wxr_wnd_gus[s] = NR;
    wxr_baro[s] = NR;
}

int has_runway(int a)
{
    return a >= 0 && a <= apt_wrl_max && apt_lo_ind[a] >= 0 && apt_lo_ind[a] <= rwy_wrl_max &&
           apt_hi_ind[a] >= apt_lo_ind[a];
}

// The first airport, in table order, with a runway whose identifier starts with the station's
// four characters (a shorter identifier counts as blank-padded); -1 when none.
int airport_of_station(const char id[4])
{
    for (int a = 0; a <= apt_wrl_max; a++) {
        if (!has_runway(a)) continue;
        int same = 1;
        for (int k = 0; k < 4 && same; k++) {
            char c = apt_id[a][k];
            if (c == 0) {
                for (int j = k; j < 4 && same; j++) same = id[j] == ' ';
                break;
            }
            same = c == id[k];
        }
        if (same) return a;
    }
    return -1;
}

// The dew point of the simulator's weather, which sets a visibility rather than a humidity: the
// spread closes as the visibility falls, 2 degrees F per nautical mile up to 15 miles (30 degrees)
// and never below 1 degree.
float dewpoint_from_visibility(float temp, float vis_m)
{
    float nm = vis_m / con.nmtomtrs;
    return temp - 2.0f * fltlim(nm, 0.5f, 15.0f);
}

}  // namespace

void sky_clear_stations(void)
{
    for (int s = 0; s < SKY_MAX_STATIONS; s++) clear_station(s);
    wxr_apt_max = 0;
}

int sky_read_airports(void)
{
    apt_wrl_max = -1;
    rwy_wrl_max = -1;
    char path[STR_LEN] = "apt.dat";
    if (!ap_dir(NAV_DATA_FOLDER, path) || !inf_open(path, DB_FILE_TYPE, DB_VERSION, 1)) {
        MACIBM_alert("I am unable to access a nav or airport data file!", "The path I am looking at is as follows:",
                     path, "Make sure the file listed above is available in the path listed above!", ALERT_NOTICE);
        return 0;
    }
    read_apt_dat();
    return 1;
}

int sky_read_prefs(const char* path)
{
    static PrefsRec r;   // a few kB: kept off the stack
    if (!path || !path[0]) return 0;
    const PrefsReadOutcome o = prefs_read_file(path, &r);
    if (o.result != PREFS_READ_OK) {
        // No file (Kestrova never ran) or one switched off is usual; anything else is reported as
        // Kestrova reports it.
        if (o.result != PREFS_READ_MISSING && o.result != PREFS_READ_DISABLED)
            prefs_read_notice("I could not read Kestrova's preferences file, so I have no weather set in Kestrova.",
                              path, o, "");
        return 0;
    }

    C_to_C(r.c_file, pln[0].C_file);
    C_to_C(r.c_path, pln[0].C_path);
    // An index that does not fit the airports read here starts both lists at the top.
    int a = r.loc_apt >= 0 && r.loc_apt <= apt_wrl_max ? r.loc_apt : 0;
    bri.dep = a;
    bri.arr = a;
    const int known = a <= apt_wrl_max;
    const float elevation = known ? apt_h[a] : 0;
    const float lon = has_runway(a) ? rwy_lon[apt_lo_ind[a]] : 0;

    wxr_temp[0] = r.temp_SL;
    wxr_baro[0] = r.atm_baro;
    wxr_cld_type[0] = r.cld_type;
    wxr_cld_tops[0] = r.topsMSL;
    wxr_cld_base[0] = r.baseMSL - elevation;
    wxr_vis[0] = r.vis_rep;
    wxr_wnd_dir[0] = r.wind1[0];
    wxr_wnd_spd[0] = r.wind1[1];
    wxr_wnd_gus[0] = r.wind1[3];   // the lower layer's shear speed is its gust
    const float rain = r.rain_tstm;
    wxr_obs_vis[0] = rain > 1 ? 2 : SKY_NOT_REPORTED;
    wxr_obs_den[0] = rain > 1 ? intlim(round(interp(2, 1, 5, 3, rain)), 1, 3) : SKY_NOT_REPORTED;
    wxr_dewp[0] = dewpoint_from_visibility(r.temp_SL, r.vis_rep);
    wxr_lat[0] = 0;
    wxr_lon[0] = 0;
    // The simulator keeps local time; the sun's hour angle gives zulu: one hour per 15 degrees west.
    float hours = std::fmod(r.locl_time / 3600.0f - lon / 15.0f, 24.0f);
    if (!(hours >= 0)) hours = hours < 0 ? hours + 24 : 0;
    int zulu = round(hours);
    if (zulu >= 24) zulu -= 24;
    wxr_z_time[0] = static_cast<float>(zulu * 100);
    if (known) std::snprintf(wxr_name[0], SKY_NAME_LEN, "%s", apt_name[a]);
    return 1;
}

void sky_report_path(char* path)
{
    const int n = std::snprintf(path, STR_LEN, "%s%s", app_path, WXR_FILE_NAME);
    if (n < 0 || n >= STR_LEN) {
        path[0] = 0;   // a program folder too deep to name the file in
        return;
    }
    if (file_opens(path)) return;
    // The file is often saved under other letters ("World.RWX"): any case of the name will do.
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(app_path[0] ? app_path : ".", ec)) {
        const std::string name = e.path().filename().string();
        if (name.size() != std::strlen(WXR_FILE_NAME)) continue;
        int same = 1;
        for (size_t k = 0; k < name.size() && same; k++)
            same = std::toupper(static_cast<unsigned char>(name[k])) == WXR_FILE_NAME[k];
        if (same && std::snprintf(path, STR_LEN, "%s%s", app_path, name.c_str()) < STR_LEN) return;
    }
}

int sky_read_reports(const char* path)
{
    inf1.close();
    inf1.clear();
    if (!PLT_names_a_pipe(path)) inf1.open(path, std::ios::binary);
    if (!inf1.is_open()) {
        inf1.clear();
        return 0;
    }
    static char text[WXR_TEXT_LEN];
    char id[4];
    int warned = 0;
    while (inf1.good() && wxr_read_line(id, text)) {
        // Decoded into the slot after the last station; the slot is kept only for a known airport.
        if (wxr_apt_max + 1 >= SKY_MAX_STATIONS) {
            // A longer file still briefs: the first stations are kept and the rest is left unread.
            if (!warned)
                MACIBM_alert("Too many reporting stations!", "",
                             "The number or reporting stations has exceeded expectations.",
                             "The first 1999 stations of the file are used.", ALERT_NOTICE);
            warned = 1;
            break;
        }
        const int s = wxr_apt_max + 1;
        clear_station(s);
        float time = NR;
        decode_wxr(text, 0, &time, &wxr_cld_type[s], &wxr_cld_base[s], &wxr_cld_tops[s], &wxr_vis[s],
                   &wxr_obs_vis[s], &wxr_obs_den[s], &wxr_temp[s], &wxr_dewp[s], &wxr_wnd_dir[s], &wxr_wnd_spd[s],
                   &wxr_wnd_gus[s], &wxr_baro[s]);
        if (time > 0) {
            bri.dep_ztime = time;
            wxr_z_time[s] = static_cast<float>(sky_hhmm(time));
        }
        const int a = airport_of_station(id);
        if (a < 0) continue;
        wxr_apt_max = s;
        std::memcpy(wxr_id[s], id, 4);
        wxr_id[s][4] = 0;
        const int r = apt_lo_ind[a];
        wxr_lat[s] = rwy_lat[r];
        wxr_lon[s] = rwy_lon[r];
        std::snprintf(wxr_name[s], SKY_NAME_LEN, "%s", apt_name[a]);
        if (s % STATION_PROGRESS == 0) MACIBM_showinit(1);
    }
    inf1.close();
    inf1.clear();
    return 1;
}

void sky_finish_times(void)
{
    bri.dep_ztime = static_cast<float>(sky_hhmm(bri.dep_ztime + DEPARTURE_DELAY));
}

void sky_load(void)
{
    sky_clear_stations();
    sky_read_airports();
    const int prefs = sky_read_prefs(prf_path);
    char path[STR_LEN];
    sky_report_path(path);
    // A report file that holds no report of a known airport (empty, damaged, or of another region)
    // gives no station: it counts as no file, and is reported when it was there. Without airports
    // (their file's notice given) no report could be placed anyway.
    const int opened = sky_read_reports(path);
    const int reports = opened && (wxr_apt_max > 0 || apt_wrl_max < 0);
    sky_finish_times();
    sky_data_serial++;
    if (opened && !reports && prefs)
        MACIBM_alert("I could not read any weather report of a known airport from the file:", path,
                     "It is empty or damaged.", "The briefing gives the weather set in Kestrova at every station.",
                     ALERT_NOTICE);
    if (!prefs && !reports)
        MACIBM_alert("I could not find an Kestrova prefs file or a World.RWX weather file!",
                     "In other words, I have no weather to give you a briefing with!",
                     "Download World.RWX from the net or at least run Kestrova once before you request a briefing!",
                     "", ALERT_FATAL);
}

float sky_cruise_speed(float Vno, int entype)
{
    float factor = 1.0f;
    switch (entype) {
    case 1:
    case 2: factor = 1.1f; break;   // piston engines
    case 3: factor = 1.5f; break;   // turboprops
    case 4:
    case 5: factor = 2.0f; break;   // jets
    default: break;
    }
    return Vno * 0.75f * factor;
}

namespace {

// The file is an aircraft file of this version holding a whole record after its header.
int aircraft_file_whole(const char* path)
{
    if (!file_opens(path)) return 0;
    if (!inf_open(path, ACF_TYPE, ACF_VERSION, 0)) return 0;
    const std::streampos start = inf1.tellg();
    inf1.seekg(0, std::ios::end);
    const std::streampos end = inf1.tellg();
    inf1.close();
    inf1.clear();
    return start >= 0 && end - start >= static_cast<std::streamoff>(sizeof(planestruct));
}

}  // namespace

void prep_plane(void)
{
    // The record holds the name and path it was saved under; the file chosen keeps its own.
    static char name[STR_LEN], path[STR_LEN];
    std::snprintf(name, sizeof name, "%s", pln[0].C_file);
    std::snprintf(path, sizeof path, "%s", pln[0].C_path);
    if (!aircraft_file_whole(path) || !read_plane(0, path)) {
        MACIBM_alert("An error occurred during read-in of the aircraft file.",
                     "Either the file has been corrupted, or it is not really an aircraft file.", path, "",
                     ALERT_FATAL);
        return;
    }
    std::snprintf(pln[0].C_file, sizeof pln[0].C_file, "%s", name);
    std::snprintf(pln[0].C_path, sizeof pln[0].C_path, "%s", path);
    bri.Vcruise = sky_cruise_speed(pln[0].Vno, pln[0].entype);
    sky_data_serial++;
}
