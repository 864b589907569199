// lw_db.cpp -- Landwright's databases: reading "apt.dat" and "nav.dat" into the world tables, the
// airport, runway and navaid inserts and deletes, and the preference file.
//
// The editor keeps runway lengths and widths in whole feet, as the file holds them: whole metres
// would lose up to a foot on every save, and a file read and saved again must come back unchanged.
// Elevations are metres in the tables, as everywhere else.
#include "landwright.h"

#include "hl_dbline.h"
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hl_worlddb.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int PRF_VERSION = 51;
constexpr int TEXT_FILE = 200;
constexpr int APT_PROGRESS = 400, NAV_PROGRESS = 200;

void progress(void)
{
    if (mnw.wind) MACIBM_showinit(1);
}

// Opens one database of the "additional nav data" folder; a file that cannot be read ends the
// program with the editor's alert for it.
int open_db(const char* name, const char* fail)
{
    char path[STR_LEN];
    std::snprintf(path, sizeof path, "%s", name);
    ap_dir(NAV_DATA_FOLDER, path);
    inf_use = 1;
    if (inf_open(path, DB_FILE_TYPE, DB_VERSION, 0)) return 1;
    MACIBM_alert(fail, "The path I am looking at is as follows:", path, "", ALERT_FATAL);
    return 0;
}

void close_db(void)
{
    inf1.close();
    inf1.clear();
}

void read_apt(void)
{
    apt_wrl_max = -1;
    rwy_wrl_max = -1;
    if (!open_db("apt.dat", "I am unable to access the airport data file!")) return;
    while (inf1.good()) {
        const int code = intscan("apt.dat");
        if (!inf1.good() || code == DB_CODE_END) break;
        if (code == DB_CODE_AIRPORT) {
            float elev;
            int twr, bld;
            char id[DB_ID_LEN], name[DB_NAME_LEN];
            fio_apt_line(&elev, &twr, &bld, id, name, 1);
            if (apt_wrl_max + 1 >= MAX_APT) {
                MACIBM_alert_count("Too many airports in apt.dat file!", "", "", apt_wrl_max + 1);
                break;
            }
            const int a = ++apt_wrl_max;
            apt_h[a] = elev * con.fttomtrs;
            apt_twr[a] = twr;
            apt_bld[a] = bld;
            std::snprintf(apt_id[a], APT_ID_LEN, "%s", id);
            std::snprintf(apt_name[a], APT_NAME_LEN, "%s", name);
            // The airport's runways start at the next runway; with none, hi = lo - 1.
            apt_lo_ind[a] = rwy_wrl_max + 1;
            apt_hi_ind[a] = rwy_wrl_max;
            if (a % APT_PROGRESS == 0) progress();
        } else if (code == DB_CODE_RUNWAY) {
            float lat, lon;
            int num, hdg, len, wid, lite;
            char letter;
            fio_rwy_line(&lat, &lon, &num, &letter, &hdg, &len, &wid, &lite, 1);
            if (apt_wrl_max < 0) continue;   // no airport owns it
            if (rwy_wrl_max + 1 >= MAX_RWY) {
                MACIBM_alert_count("Too many runways in apt.dat file!", "", "", rwy_wrl_max + 1);
                break;
            }
            const int r = ++rwy_wrl_max;
            rwy_lat[r] = lat;
            rwy_lon[r] = lon;
            rwy_num[r] = num;
            rwy_lcr[r] = letter;
            rwy_hdng[r] = hdg;
            rwy_len[r] = len;
            rwy_width[r] = wid;
            rwy_lite[r] = lite;
            apt_hi_ind[apt_wrl_max] = r;
            if (r % APT_PROGRESS == 0) progress();
        } else {
            rln("apt.dat");
        }
    }
    close_db();
}

void read_nav(void)
{
    nav_wrl_max = -1;
    for (int v = 0; v < MAX_NAV; v++) nav_type[v] = 0;
    if (!open_db("nav.dat", "I am unable to access the nav data file!")) return;
    while (inf1.good()) {
        int kind = intscan("nav.dat");
        if (!inf1.good() || kind == DB_CODE_END) break;
        float lat, lon, elev;
        int frq, hdg;
        char id[DB_ID_LEN], name[DB_NAME_LEN];
        fio_nav_line(&kind, &lat, &lon, &elev, &frq, &hdg, id, name, 1);
        if (nav_wrl_max + 1 >= LW_MAX_NAV) {
            MACIBM_alert_count("Too many navs in nav.dat file!", "", "", nav_wrl_max + 1);
            break;
        }
        const int v = ++nav_wrl_max;
        nav_type[v] = kind;
        nav_lat[v] = lat;
        nav_lon[v] = lon;
        nav_h[v] = elev * con.fttomtrs;
        nav_frq[v] = frq;
        nav_hdng[v] = hdg;
        std::snprintf(nav_id[v], APT_ID_LEN, "%s", id);
        std::snprintf(nav_name[v], APT_NAME_LEN, "%s", name);
        if (v % NAV_PROGRESS == 0) progress();
    }
    close_db();
}

void copy_nav(int to, int from)
{
    nav_type[to] = nav_type[from];
    nav_lat[to] = nav_lat[from];
    nav_lon[to] = nav_lon[from];
    nav_h[to] = nav_h[from];
    nav_frq[to] = nav_frq[from];
    nav_hdng[to] = nav_hdng[from];
    std::memcpy(nav_id[to], nav_id[from], APT_ID_LEN);
    std::memcpy(nav_name[to], nav_name[from], APT_NAME_LEN);
}

// Moves every later airport's runway indices by d once runway slot `at` was inserted or removed.
void shift_later_airports(int a, int d)
{
    for (int b = a + 1; b <= apt_wrl_max; b++) {
        apt_lo_ind[b] += d;
        apt_hi_ind[b] += d;
    }
}

int add_runway(int a)
{
    if (rwy_wrl_max + 1 >= LW_MAX_RWY || lw_rwy_count(a) >= LW_MAX_RWY_PER_APT) return 0;
    const int sel = lmsc.rwy_index;
    const int has_sel = sel >= apt_lo_ind[a] && sel <= apt_hi_ind[a];
    const int at = has_sel ? sel + 1 : apt_hi_ind[a] + 1;
    for (int r = rwy_wrl_max; r >= at; r--) cop_aptrwy(LW_KIND_RWY, r + 1, r);
    rwy_wrl_max++;
    if (has_sel) {
        cop_aptrwy(LW_KIND_RWY, at, sel);
    } else {
        rwy_lat[at] = rwy_lon[at] = 0.0f;
        rwy_num[at] = 1;
        rwy_lcr[at] = ' ';
        rwy_hdng[at] = 10;
        rwy_len[at] = 3000;
        rwy_width[at] = 75;
        rwy_lite[at] = 1111111;
    }
    apt_hi_ind[a]++;
    shift_later_airports(a, 1);
    lmsc.rwy_index = at;
    return 1;
}

int del_runway(int a, int r, int forced)
{
    if (r < apt_lo_ind[a] || r > apt_hi_ind[a]) return 0;
    if (!forced && lw_rwy_count(a) <= 1) return 0;
    for (int k = r; k < rwy_wrl_max; k++) cop_aptrwy(LW_KIND_RWY, k, k + 1);
    rwy_wrl_max--;
    apt_hi_ind[a]--;
    shift_later_airports(a, -1);
    lmsc.rwy_index = intlim(r, apt_lo_ind[a], apt_hi_ind[a] < apt_lo_ind[a] ? apt_lo_ind[a] : apt_hi_ind[a]);
    return 1;
}

int add_airport(void)
{
    if (apt_wrl_max + 1 >= LW_MAX_APT || rwy_wrl_max + 1 >= LW_MAX_RWY) return 0;
    const int sel = lmsc.apt_index;
    const int has_sel = sel >= 0 && sel <= apt_wrl_max;
    const int at = has_sel ? sel + 1 : apt_wrl_max + 1;
    for (int a = apt_wrl_max; a >= at; a--) cop_aptrwy(LW_KIND_APT, a + 1, a);
    apt_wrl_max++;
    // The new airport starts with no runway right after the previous airport's last one.
    const int first = at > 0 ? apt_hi_ind[at - 1] + 1 : 0;
    apt_h[at] = has_sel ? apt_h[sel] : 0.0f;
    apt_twr[at] = 0;
    apt_bld[at] = 0;
    std::snprintf(apt_id[at], APT_ID_LEN, "    ");
    std::snprintf(apt_name[at], APT_NAME_LEN, "Untitled");
    apt_lo_ind[at] = first;
    apt_hi_ind[at] = first - 1;
    lmsc.apt_index = at;
    lmsc.rwy_index = -1;
    add_runway(at);   // every airport has a runway
    if (has_sel && lw_rwy_count(sel) > 0) {
        cop_aptrwy(LW_KIND_RWY, apt_lo_ind[at], apt_lo_ind[sel]);
    }
    return 1;
}

int del_airport(int a)
{
    if (a < 0 || a > apt_wrl_max) return 0;
    while (lw_rwy_count(a) > 0) del_runway(a, apt_hi_ind[a], 1);
    for (int k = a; k < apt_wrl_max; k++) cop_aptrwy(LW_KIND_APT, k, k + 1);
    apt_wrl_max--;
    lmsc.apt_index = intlim(a, 0, apt_wrl_max < 0 ? 0 : apt_wrl_max);
    lmsc.rwy_index = apt_wrl_max >= 0 ? apt_lo_ind[lmsc.apt_index] : -1;
    return 1;
}

}  // namespace

void lw_read_databases(void)
{
    read_apt();
    read_nav();
    lmsc.apt_index = intlim(lmsc.apt_index, 0, apt_wrl_max < 0 ? 0 : apt_wrl_max);
    lmsc.nav_index = intlim(lmsc.nav_index, 0, nav_wrl_max < 0 ? 0 : nav_wrl_max);
    lmsc.rwy_index = apt_wrl_max >= 0 ? apt_lo_ind[lmsc.apt_index] : -1;
    if (nav_wrl_max >= 0 && nav_type[lmsc.nav_index] >= 2) lmsc.nav_show_type = nav_type[lmsc.nav_index];
}

int lw_rwy_count(int a)
{
    if (a < 0 || a > apt_wrl_max) return 0;
    const int n = apt_hi_ind[a] - apt_lo_ind[a] + 1;
    return n > 0 ? n : 0;
}

void cop_aptrwy(int kind, int to, int from)
{
    if (kind == LW_KIND_APT) {
        apt_h[to] = apt_h[from];
        apt_twr[to] = apt_twr[from];
        apt_bld[to] = apt_bld[from];
        std::memcpy(apt_id[to], apt_id[from], APT_ID_LEN);
        std::memcpy(apt_name[to], apt_name[from], APT_NAME_LEN);
        apt_lo_ind[to] = apt_lo_ind[from];
        apt_hi_ind[to] = apt_hi_ind[from];
    } else {
        rwy_lat[to] = rwy_lat[from];
        rwy_lon[to] = rwy_lon[from];
        rwy_num[to] = rwy_num[from];
        rwy_lcr[to] = rwy_lcr[from];
        rwy_hdng[to] = rwy_hdng[from];
        rwy_len[to] = rwy_len[from];
        rwy_width[to] = rwy_width[from];
        rwy_lite[to] = rwy_lite[from];
    }
}

int adddel_aptrwy(int kind, int add, int forced)
{
    const int a = lmsc.apt_index;
    if (kind == LW_KIND_APT) return add ? add_airport() : del_airport(a);
    if (a < 0 || a > apt_wrl_max) return 0;
    return add ? add_runway(a) : del_runway(a, lmsc.rwy_index, forced);
}

int lw_nav_range(int t, int* lo, int* hi)
{
    *lo = -1;
    *hi = -1;
    for (int v = 0; v <= nav_wrl_max; v++) {
        if (nav_type[v] != t) continue;
        if (*lo < 0) *lo = v;
        *hi = v;
    }
    return *lo >= 0 ? 1 : 0;
}

int lw_add_nav(int t)
{
    if (nav_wrl_max + 1 >= LW_MAX_NAV) {
        MACIBM_alert("There is no room for another NAVAID!", "Delete one first.", "", "", ALERT_NOTICE);
        return 0;
    }
    int lo, hi;
    const int at = lw_nav_range(t, &lo, &hi) ? hi + 1 : 1;
    const int last = nav_wrl_max < at - 1 ? at - 1 : nav_wrl_max;
    for (int v = last; v >= at; v--) copy_nav(v + 1, v);
    nav_wrl_max = last + 1;
    nav_type[at] = t;
    nav_lat[at] = nav_lon[at] = nav_h[at] = 0.0f;
    nav_frq[at] = nav_hdng[at] = 0;
    std::snprintf(nav_id[at], APT_ID_LEN, "    ");
    std::snprintf(nav_name[at], APT_NAME_LEN, "Untitled");
    lmsc.nav_index = at;
    return 1;
}

int lw_del_nav(void)
{
    const int at = lmsc.nav_index;
    if (at < 0 || at > nav_wrl_max || nav_type[at] < 2) return 0;
    for (int v = at; v < nav_wrl_max; v++) copy_nav(v, v + 1);
    nav_type[nav_wrl_max] = 0;
    nav_wrl_max--;
    int lo, hi;
    if (lw_nav_range(lmsc.nav_show_type, &lo, &hi)) lmsc.nav_index = intlim(at, lo, hi);
    return 1;
}

// ---- preferences -------------------------------------------------------------------------------------

void lw_read_prefs(void)
{
    if (!prf_path[0]) return;
    inf_use = 1;
    if (!inf_open(prf_path, TEXT_FILE, PRF_VERSION, 0)) {
        inf1.close();
        inf1.clear();
        return;
    }
    // Read plainly: a damaged preference file only means the defaults stay.
    float lat, lon;
    int mode, screen, apt, nav;
    inf1 >> lat >> lon >> mode >> screen >> apt >> nav;
    const bool ok = !inf1.fail() && std::isfinite(lat) && std::isfinite(lon);
    inf1.close();
    inf1.clear();
    if (!ok) return;
    lmsc.map_latfile = std::round(fltlim(lat, -90.0f, 89.0f));
    lmsc.map_lonfile = std::round(fltlim(lon, -180.0f, 179.0f));
    lmsc.map_mode = intlim(mode, 0, 4);
    lmsc.edit_mode = intlim(screen, LW_TERRAIN, LW_NAVAIDS);
    lmsc.apt_index = apt < 0 ? 0 : apt;
    lmsc.nav_index = nav < 0 ? 0 : nav;
}

int lw_write_prefs(void)
{
    if (!prf_path[0]) return 0;
    if (!ouf_open(prf_path, TEXT_FILE, PRF_VERSION)) return 0;
    ouf << static_cast<int>(lmsc.map_latfile) << '\n'
        << static_cast<int>(lmsc.map_lonfile) << '\n'
        << lmsc.map_mode << '\n'
        << lmsc.edit_mode << '\n'
        << lmsc.apt_index << '\n'
        << lmsc.nav_index << '\n';
    return ouf_close(prf_path);
}
