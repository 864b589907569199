// atc_world.h -- test support for the controllers: a region of hand-placed airports and radios, the
// pilot "Kestrel N123AB", a calm day with the wind 270 at 12, and helpers that place the aircraft
// and read what the controller said last.
//
//   0 KKES "Kestrova Municipal"   towered, 430 ft, runway 9/27 at (34.5, -117.5), localizer
//                                 "KKES 27 LOC" (type 5, course 270) beside it
//   1 KBRK "Brookfield Regional"  towered, sea level, runway 36/18 at (35.0, -117.5), 30 nm north,
//                                 ILS "KBRK 36 ILS" (type 4, course 360) at its north end
//   2 K0CF "Cedar Flats"          no tower, runway 18/36 at (34.5, -117.0)
//   3 KFAR "Faraway Field"        towered, far outside the region
#pragma once
#include "atc.h"
#include "do_speech.h"
#include "hl_funct.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "kvdb.h"
#include "kvtest.h"
#include "lso.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <regex>
#include <string>

class AtcWorld : public ::testing::Test {
protected:
    TempDir dir;

    static constexpr const char* CALL = "Kestrel november one two three alpha bravo ";
    // A random controller's frequency and a squawk code, as the phrase builders write them.
    static constexpr const char* FREQ = "1 [123] [0-9] point [0-9] [05]";
    static constexpr const char* SQUAWK = "[0-7] [0-7] [0-7] [0-7]";

    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        hl_fill_constants();
        kvdb_set_units();
        std::snprintf(app_path, STR_LEN, "%s/", dir.str().c_str());
        std::snprintf(pln[0].C_name, STR_LEN, "Kestrel");
        std::snprintf(pln[0].tailnum, STR_LEN, "N123AB");
        pln[0].us_alt = 1;
        hl_srand(4242);
        reset_atc();
        reset_lso();

        env.lat_sou = 34;
        env.lon_wes = -118;
        apt_wrl_max = 3;
        rwy_wrl_max = 3;
        airport(0, "KKES", "Kestrova Municipal", 1, 430.0f * con.fttomtrs, 34.5f, -117.5f, 9, 90);
        airport(1, "KBRK", "Brookfield Regional", 1, 0.0f, 35.0f, -117.5f, 36, 360);
        airport(2, "K0CF", "Cedar Flats", 0, 0.0f, 34.5f, -117.0f, 18, 180);
        airport(3, "KFAR", "Faraway Field", 1, 0.0f, 40.0f, -100.0f, 9, 90);
        apt_inreg[3] = 0;
        nav_wrl_max = 4;
        navaid(2, 4, "KBRK 36 ILS", 35.0125f, -117.5f, 360);
        navaid(3, 5, "KKES 27 LOC", 34.5f, -117.52f, 270);
        navaid(4, 3, "Kestrova", 34.6f, -117.6f, 0);
        msc.loc_apt_wrl = 0;

        atm.wnddir1 = 270;
        atm.wndspd1 = 12;
        atm.cld_type = 1;
        atm.vis_rep = 10 * con.nmtomtrs;
        atm.temp_SL = 59;
        atm.rain_tstm = 1;
        atm.baro = 29.92f;
        msc.zulu_time = 14 * 3600 + 5 * 60;
        msc.elap_time = 100.0f;
        set.text_out = 1;
    }

    static void airport(int a, const char* id, const char* name, int twr, float h, float lat, float lon, int num,
                        int hdng)
    {
        std::snprintf(apt_id[a], APT_ID_LEN, "%.4s", id);
        std::snprintf(apt_name[a], APT_NAME_LEN, "%s", name);
        apt_twr[a] = twr;
        apt_h[a] = h;
        apt_inreg[a] = 1;
        apt_lo_ind[a] = apt_hi_ind[a] = a;
        rwy_lat[a] = lat;
        rwy_lon[a] = lon;
        rwy_num[a] = num;
        rwy_hdng[a] = hdng;
        rwy_lcr[a] = ' ';
    }
    static void navaid(int n, int type, const char* name, float lat, float lon, int course)
    {
        nav_type[n] = type;
        std::snprintf(nav_name[n], APT_NAME_LEN, "%s", name);
        nav_lat[n] = lat;
        nav_lon[n] = lon;
        nav_hdng[n] = course;
        nav_inreg[n] = 1;
    }

    // The aircraft at (lat, lon), altitude in feet above sea level, true heading (the magnetic one
    // the same: no variation), indicated speed in knots; on the ground when alt_ft is the field's.
    static void place(float lat, float lon, float alt_ft, float heading, float knots, int onground)
    {
        flt.lat = lat;
        flt.lon = lon;
        flt.Y[0] = alt_ft * con.fttomtrs;
        flt.psi[0] = heading;
        flt.magpsi = heading;
        flt.vind = knots;
        flt.vY = 0.0;
        flt.onground = onground;
    }
    // A point d nm from (lat, lon) on true bearing b.
    static void offset(float lat, float lon, float b, float d, float* olat, float* olon)
    {
        const float rad = 3.14159265f / 180.0f;
        *olat = lat + d * std::cos(b * rad) / 60.0f;
        *olon = lon + d * std::sin(b * rad) / (60.0f * std::cos(lat * rad));
    }

    static std::string said() { return atc.response; }
    // Clears the last sentence so that "nothing said" can be seen.
    static void hush() { atc.response[0] = 0; }
    static bool said_matches(const std::string& pattern) { return std::regex_match(said(), std::regex(pattern)); }

    // Chooses main-list row r of the options menu with the mouse.
    static void choose_row(int r)
    {
        atc.menu_up = 1;
        mnw.mx = 100.0f;
        mnw.my = 547.0f - 10.0f * static_cast<float>(r) - 5.0f;
        plot_atc_options(1);
    }
    // Chooses entry (column c, row r) of the present sub-level.
    static void choose_entry(int c, int r)
    {
        mnw.mx = 17.0f + 150.0f * static_cast<float>(c) + 20.0f;
        mnw.my = 547.0f - 10.0f * static_cast<float>(r) - 5.0f;
        plot_atc_options(1);
    }
};
