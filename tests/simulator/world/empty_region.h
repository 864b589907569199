// empty_region.h -- test support: a region of the test's own making around (lat_sou, lon_wes) =
// (10, 20). The tables are cleared, the units set and app_path is a fresh folder without scenery
// squares (the ground is water); the test places its airports and radios in the world tables.
#pragma once
#include "hl_funct.h"
#include "hl_types.h"
#include "kvdb.h"
#include "kvtest.h"

#include <cstdio>

class EmptyRegion : public ::testing::Test {
protected:
    TempDir dir;
    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        kvdb_set_units();
        std::snprintf(app_path, sizeof app_path, "%s/", dir.str().c_str());
        env.lat_sou = 10;
        env.lon_wes = 20;
    }
    // A world airport at elevation elev (m) with no runway yet.
    int new_airport(float elev = 100.0f)
    {
        const int a = ++apt_wrl_max;
        apt_h[a] = elev;
        apt_lo_ind[a] = rwy_wrl_max + 1;
        apt_hi_ind[a] = rwy_wrl_max;
        return a;
    }
    // A runway of airport a (added last) centred at (lat, lon), numbered by its heading.
    int new_runway(int a, double lat, double lon, int hdg, int len_m, int width_m, int lite)
    {
        const int r = ++rwy_wrl_max;
        rwy_lat[r] = static_cast<float>(lat);
        rwy_lon[r] = static_cast<float>(lon);
        rwy_num[r] = intwrap((hdg + 5) / 10, 1, 36);
        rwy_hdng[r] = hdg;
        rwy_len[r] = len_m;
        rwy_width[r] = width_m;
        rwy_lite[r] = lite;
        apt_hi_ind[a] = r;
        return r;
    }
};
