// nav_screen.h -- test support for the navigation instruments on an offscreen window: the panel
// fixture with the bundled region's airports and navaids loaded, the aircraft placed by latitude and
// longitude or by bearing and distance from a navaid, the great-circle distance as an independent
// check, and colour read-back at dial points.
#pragma once
#include "event.h"
#include "event_world.h"
#include "fltutil.h"
#include "kvdb.h"
#include "panel_screen.h"

inline constexpr double NAV_PI = 3.14159265358979323846;

class NavInstruments : public PanelScreen {
protected:
    void fly_with_navaids(const char* plane)
    {
        ASSERT_NO_FATAL_FAILURE(fly(plane));
        load_navaids();
    }
    void fly_patched_with_navaids(int supptype, const char* name)
    {
        ASSERT_NO_FATAL_FAILURE(fly_patched(FH_TRAINER, {{offsetof(planestruct, supptype), supptype}}, name));
        ASSERT_EQ(pln[0].supptype, supptype);
        load_navaids();
    }
    static void load_navaids()
    {
        kvdb_load(std::string(KV_PROGRAM_DIR) + "/additional nav data");
        env.mvar = -12.0f;   // the region's easterly variation, as the flight model's table gives it here
        rel.radios = rel.esystem = rel.ss_dgy = 1;
        msc.prd = 1.0f / 60.0f;
    }
    // The bundled navaid of this identifier and type.
    static int navaid(const char* id, int type)
    {
        for (int n = 2; n <= nav_wrl_max; n++) {
            char trimmed[APT_ID_LEN];
            std::snprintf(trimmed, sizeof trimmed, "%s", nav_id[n]);
            for (int k = 3; k >= 0 && trimmed[k] == ' '; k--) trimmed[k] = 0;
            if (nav_type[n] == type && std::strcmp(trimmed, id) == 0) return n;
        }
        ADD_FAILURE() << "no navaid " << id;
        return 2;
    }
    static int airport(const char* id)
    {
        for (int a = 0; a <= apt_wrl_max; a++)
            if (std::strncmp(apt_id[a], id, 4) == 0) return a;
        ADD_FAILURE() << "no airport " << id;
        return 0;
    }
    // The aircraft at a latitude and longitude, a height above sea level and a true heading.
    static void place(double lat, double lon, float feet, float heading)
    {
        flt.lat = static_cast<float>(lat);
        flt.lon = static_cast<float>(lon);
        flt.X[0] = X_with_latlon(lat, lon);
        flt.Z[0] = Z_with_lat(lat);
        flt.Y[0] = feet * con.fttomtrs;
        flt.psi[0] = heading;
        flt.magpsi = fltwrap(heading + env.mvar, 0.0f, 360.0f);
    }
    // The aircraft `nm` from navaid n on the true bearing `from` (degrees) of the navaid.
    static void place_from(int n, float from, float nm, float feet, float heading)
    {
        const double x = X_with_latlon(nav_lat[n], nav_lon[n]) + nm * con.nmtomtrs * std::sin(from * NAV_PI / 180.0);
        const double z = Z_with_lat(nav_lat[n]) - nm * con.nmtomtrs * std::cos(from * NAV_PI / 180.0);
        place(lat_with_z(z), lon_with_xz(x, z), feet, heading);
        flt.X[0] = x;
        flt.Z[0] = z;
    }
    // The great-circle distance in nautical miles between two points (haversine, on a sphere of
    // 3,440.065 nm).
    static double great_circle_nm(double lat1, double lon1, double lat2, double lon2)
    {
        const double p1 = lat1 * NAV_PI / 180.0, p2 = lat2 * NAV_PI / 180.0;
        const double dp = p2 - p1, dl = (lon2 - lon1) * NAV_PI / 180.0;
        const double a = std::sin(dp / 2) * std::sin(dp / 2) + std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
        return 2.0 * 3440.065 * std::asin(std::sqrt(a));
    }
    // Whether colour k lies within a pixel of the point at radius r and angle a from (x, y).
    static bool colour_near(const Frame& f, float x, float y, float a, float r, int k)
    {
        const float t = a * 3.14159265f / 180.0f;
        const float px = x + r * std::sin(t), py = y + r * std::cos(t);
        for (int dy = -1; dy <= 1; dy++)
            for (int dx = -1; dx <= 1; dx++)
                if (f.is_color(px + dx, py + dy, k)) return true;
        return false;
    }
    float x4() const { return ins.x_loc[SLOT_SUPP]; }
    float y4() const { return ins.y_loc[SLOT_SUPP]; }
};

