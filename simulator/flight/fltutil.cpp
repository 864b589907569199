// fltutil.cpp -- position conversions, fuel flow, gauge ranges, pulse, wind table, phonetic alphabet.
#include "fltutil.h"

#include "hl_funct.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr double DEG = 3.14159265358979323846 / 180.0;

// Metres in one degree of latitude: sixty nautical miles.
double metres_per_degree() { return 60.0 * (double)con.nmtomtrs; }

}  // namespace

// ---- positions ------------------------------------------------------------------------------------

double Z_with_lat(double lat)
{
    return (double)env.hiz - (lat - (double)env.lat_sou) * metres_per_degree();
}

double lat_with_z(double z)
{
    return (double)env.lat_sou + ((double)env.hiz - z) * (double)con.mtrstonm / 60.0;
}

double X_with_latlon(double lat, double lon)
{
    int c = intlim(round((float)(lon - 0.5)) - env.lon_wes, 0, 2);
    int r = intlim(round((float)(lat - 0.5)) - env.lat_sou, 0, 1);
    return (lon - (double)env.lonwes_ref[c][r]) * metres_per_degree() * std::cos(lat * DEG) +
           (double)env.planex_ref[c][r];
}

double lon_with_xz(double x, double z)
{
    int c = 0, r = 0;
    if (env.dx != 0.0f) c = (int)(3.0 * (x - (double)env.lox) / (double)env.dx);
    if (env.dz != 0.0f) r = (int)(2.0 * ((double)env.hiz - z) / (double)env.dz);
    c = intlim(c, 0, 2);
    r = intlim(r, 0, 1);
    double coslat = std::cos(lat_with_z(z) * DEG);
    if (std::fabs(coslat) < 1e-6) coslat = 1e-6;   // the poles: no longitude to speak of
    return (x - (double)env.planex_ref[c][r]) / (metres_per_degree() * coslat) + (double)env.lonwes_ref[c][r];
}

// ---- fuel flow and gauges -------------------------------------------------------------------------

float burnin_fuel(float x)
{
    const planestruct& pl = pln[0];
    int jet = pl.entype == 4 || pl.entype == 5;
    float full_at = jet ? pl.tmax : pl.pmax;                       // W or N
    float full = jet ? pl.tmax * con.ntntolbs * pl.sfc : pl.pmax * con.watttohp * pl.sfc;   // lb/h
    float idle = (pl.entype == 1 || pl.entype == 2) ? 0.01f * full : 0.05f * full;
    float flow = idle;
    if (full_at > 0.0f) flow = interp(0.0f, idle, full_at, full, x);
    if (flow < idle) flow = idle;
    return flow * con.lbstokgs / 3600.0f;
}

int gage_me(float x)
{
    int s = 10;
    if (x > 500000) s = 100000;
    else if (x > 250000) s = 50000;
    else if (x > 100000) s = 20000;
    else if (x > 50000) s = 10000;
    else if (x > 25000) s = 5000;
    else if (x > 10000) s = 2000;
    else if (x > 5000) s = 1000;
    else if (x > 2500) s = 500;
    else if (x > 1000) s = 200;
    else if (x > 500) s = 100;
    else if (x > 250) s = 50;
    else if (x > 100) s = 20;
    return intnear((int)(x + (float)s), s);
}

int tac_max(void) { return gage_me(pln[0].omegamax * con.rsctorpm * pln[0].gearrat); }
int n1__max(void) { return 100; }
float mpr_max(void) { return pln[0].mpmax; }
int trq_max(void) { return 100; }

int ff__max(void)
{
    const planestruct& pl = pln[0];
    float p = pl.pmax;
    if (pl.entype == 4 || pl.entype == 5) p = pl.burnerinc > 1.0f ? 3.0f * pl.tmax : pl.tmax;
    return gage_me(burnin_fuel(p) * con.kgstolbs * 3600.0f);
}

void set_mod(float max, int* major, int* minor, int* label)
{
    struct Row {
        float above;
        int major, minor, label;
    };
    static const Row rows[] = {
        {100, 5, 20, 1},           {250, 10, 50, 10},          {500, 20, 100, 10},
        {1000, 50, 200, 100},      {2500, 100, 500, 100},      {5000, 200, 1000, 100},
        {10000, 500, 2000, 100},   {25000, 1000, 5000, 1000},  {50000, 2000, 10000, 1000},
        {100000, 5000, 20000, 1000}, {250000, 10000, 50000, 1000}, {500000, 20000, 100000, 1000},
    };
    *major = 2;
    *minor = 10;
    *label = 1;
    for (const Row& r : rows) {
        if (max > r.above) {
            *major = r.major;
            *minor = r.minor;
            *label = r.label;
        }
    }
}

float pulse(float phase) { return 0.5f + 0.5f * std::sin(2.0f * (msc.elap_time + phase)); }

// ---- wind table -----------------------------------------------------------------------------------

void assign_wind_tbl(float k)
{
    float sev_base = 0.25f * (atm.wind_tbl - 1.0f);
    float s = sev_base > 0.0f ? std::pow(sev_base, 1.5f) : 0.0f;
    float d = fltrand(-1.0f, 1.0f) * 90.0f * s;
    float base = k > 0.9f ? fltrand(0.0f, 360.0f) : atm.wnddir1;
    atm.wnddir1 = closer_assymp(atm.wnddir1, base + d, k);
    atm.wnddir2 = closer_assymp(atm.wnddir2, base + d, k);
    atm.shrdir1 = closer_assymp(atm.shrdir1, fltrand(0.0f, 150.0f * s), k);
    atm.wndspd1 = closer_assymp(atm.wndspd1, fltrand(0.0f, 90.0f * s), k);
    atm.shrspd1 = closer_assymp(atm.shrspd1, fltrand(0.0f, 30.0f * s), k);
    atm.trblnc1 = closer_assymp(atm.trblnc1, fltrand(0.0f, 15.0f * s), k);
    atm.shrdir2 = closer_assymp(atm.shrdir2, fltrand(0.0f, 50.0f * s), k);
    atm.wndspd2 = closer_assymp(atm.wndspd2, fltrand(0.0f, 30.0f * s), k);
    atm.shrspd2 = closer_assymp(atm.shrspd2, fltrand(0.0f, 10.0f * s), k);
    atm.trblnc2 = closer_assymp(atm.trblnc2, fltrand(0.0f, 5.0f * s), k);
}

// ---- phonetic alphabet ----------------------------------------------------------------------------

void get_phonetic(char ch, char* out)
{
    static const char* const digits[10] = {"zero", "one", "two", "three", "four",
                                           "five", "six", "seven", "eight", "niner"};
    static const char* const letters[26] = {
        "alpha", "bravo", "charlie", "delta",  "echo",    "foxtrot", "golf",   "hotel", "india",
        "juliet", "kilo", "leema",   "mike",   "november", "oscar",  "papa",   "quebec", "romeo",
        "sierra", "tango", "uniform", "victor", "whiskey", "x ray",  "yankee", "zooloo"};
    const char* word = "";
    if (ch >= '0' && ch <= '9') word = digits[ch - '0'];
    else if (ch >= 'A' && ch <= 'Z') word = letters[ch - 'A'];
    std::snprintf(out, STR_LEN, "%s", word);
}

// ---- radio tuning ---------------------------------------------------------------------------------

int check_nav(int n, int freq, float* best, float range)
{
    if (n < 0 || n >= MAX_NAV || nav_frq[n] != freq) return 0;
    float d = std::hypot(nav_lat[n] - flt.lat, nav_lon[n] - flt.lon);
    if (d < range && d < *best) {
        *best = d;
        return 1;
    }
    return 0;
}

namespace {

// Bearing (degrees true) from the aircraft to navaid n, and its place in the region.
float bearing_to(int n, float* x, float* z)
{
    *x = (float)X_with_latlon(nav_lat[n], nav_lon[n]);
    *z = (float)Z_with_lat(nav_lat[n]);
    return (float)std::atan2((double)*x - flt.X[0], flt.Z[0] - (double)*z) * 180.0f / 3.14159265f;
}

void copy_id(int radio, int n) { std::snprintf(nav.nav_id[radio], sizeof nav.nav_id[radio], "%.4s", nav_id[n]); }

// The nearest localizer or glide slope on a receiver's frequency that lies ahead along its course.
int nearest_ahead(int radio, int type_lo, int type_hi, float range)
{
    float best = 9.9e9f;
    int found = -1;
    for (int n = 0; n <= nav_wrl_max && n < MAX_NAV; n++) {
        if (nav_type[n] < type_lo || nav_type[n] > type_hi) continue;
        float x, z;
        float brg = bearing_to(n, &x, &z);
        if (std::fabs(fltwrap(brg - (float)nav_hdng[n], -180.0f, 180.0f)) > 90.0f) continue;
        if (check_nav(n, nav.nf[radio], &best, range)) found = n;
    }
    return found;
}

int nearest(int type, int freq, float range)
{
    float best = 9.9e9f;
    int found = -1;
    for (int n = 0; n <= nav_wrl_max && n < MAX_NAV; n++)
        if (nav_type[n] == type && check_nav(n, freq, &best, range)) found = n;
    return found;
}

}  // namespace

void setnav(int radio)
{
    static int last_mode = -1, last_index = -1;
    float ft = (float)flt.Y[0] * con.mtrstoft;
    float near_range = interp(0.0f, 0.4444f, 30000.0f, 1.5556f, ft);
    float vor_range = interp(0.0f, 0.8889f, 30000.0f, 3.1111f, ft);

    if (radio == 0 || radio == 1) {
        nav.goodnav[radio] = 0;
        if (!rel.radios) return;
        int loc = nearest_ahead(radio, 4, 5, near_range);
        if (loc >= 0) {
            nav.goodnav[radio] = 1;
            nav.vorX[radio] = (float)X_with_latlon(nav_lat[loc], nav_lon[loc]);
            nav.vorY[radio] = nav_h[loc];
            nav.vorZ[radio] = (float)Z_with_lat(nav_lat[loc]);
            nav.ilscrs[radio] = (float)nav_hdng[loc];
            nav.ilsgs[radio] = 0;
            copy_id(radio, loc);
        }
        int gs = nearest_ahead(radio, 6, 6, near_range);
        if (gs >= 0) {
            nav.gsX[radio] = (float)X_with_latlon(nav_lat[gs], nav_lon[gs]);
            nav.gsY[radio] = nav_h[gs];
            nav.gsZ[radio] = (float)Z_with_lat(nav_lat[gs]);
            nav.ilsgs[radio] = 3;
        }
        int vor = nearest(3, nav.nf[radio], vor_range);
        if (vor >= 0) {
            nav.goodnav[radio] = 1;
            nav.vorX[radio] = (float)X_with_latlon(nav_lat[vor], nav_lon[vor]);
            nav.vorY[radio] = nav_h[vor];
            nav.vorZ[radio] = (float)Z_with_lat(nav_lat[vor]);
            nav.ilsgs[radio] = 9;
            copy_id(radio, vor);
        }
    } else if (radio == 4) {
        nav.goodnav[4] = 0;
        if (!rel.radios) return;
        int ndb = nearest(2, nav.adff, near_range);
        if (ndb >= 0) {
            nav.goodnav[4] = 1;
            nav.adfX = (float)X_with_latlon(nav_lat[ndb], nav_lon[ndb]);
            nav.adfZ = (float)Z_with_lat(nav_lat[ndb]);
            copy_id(4, ndb);
        }
    } else if (radio == 5) {
        if (!rel.radios) return;
        // The target: an airport's first runway, or a navaid; an index off its table is no target.
        float lat, lon;
        int i = nav.gps_index;
        if (nav.gps_index_mode == 1) {
            if (i < 0 || i > apt_wrl_max || i >= MAX_APT) return;
            int r = apt_lo_ind[i];
            if (r < 0 || r >= MAX_RWY) return;
            lat = rwy_lat[r];
            lon = rwy_lon[r];
        } else {
            if (i < 0 || i > nav_wrl_max || i >= MAX_NAV) return;
            lat = nav_lat[i];
            lon = nav_lon[i];
        }
        float dx = (float)(X_with_latlon(lat, lon) - flt.X[0]);
        float dz = (float)(flt.Z[0] - Z_with_lat(lat));
        nav.gps_dis = std::hypot(dx, dz);
        nav.gps_crs = fltwrap(std::atan2(dx, dz) * 180.0f / 3.14159265f, 0.0f, 360.0f);
        if (nav.gps_index_mode != last_mode || nav.gps_index != last_index || msc.init_time < 5.0f)
            nav.gps_lock_crs = nav.gps_crs;
        last_mode = nav.gps_index_mode;
        last_index = nav.gps_index;
        nav.hdef[0] = 4.0f * fltwrap(nav.gps_crs - nav.gps_lock_crs, -180.0f, 180.0f) * nav.gps_dis * con.mtrstonm / 57.3f;
    }
}
