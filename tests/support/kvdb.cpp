// kvdb.cpp -- test support: loading the world databases into the tables.
#include "kvdb.h"

#include "hl_dbline.h"
#include "hl_file.h"
#include "hl_types.h"

#include <gtest/gtest.h>

#include <cstdio>

void kvdb_set_units(void)
{
    con.fttomtrs = 0.3048f;
    con.mtrstoft = 1.0f / 0.3048f;
    con.nmtomtrs = 1852.0f;
    con.mtrstonm = 1.0f / 1852.0f;
}

static void open_db(const std::string& folder, const char* name)
{
    std::string path = folder + "/" + name;
    EXPECT_EQ(inf_open(path.c_str(), DB_FILE_TYPE, DB_VERSION, 0), 1) << path;
}

static void load_airports(KvDbCounts* n)
{
    apt_wrl_max = -1;
    rwy_wrl_max = -1;
    for (;;) {
        int code = intscan("apt.dat code");
        if (code == DB_CODE_END || !inf1.good()) break;
        if (code == DB_CODE_AIRPORT) {
            float elev;
            int twr, bld;
            char id[DB_ID_LEN], name[DB_NAME_LEN];
            fio_apt_line(&elev, &twr, &bld, id, name, 1);
            if (++n->airports > MAX_APT) continue;
            int a = ++apt_wrl_max;
            apt_h[a] = elev * con.fttomtrs;
            apt_twr[a] = twr;
            apt_bld[a] = bld;
            std::snprintf(apt_id[a], sizeof apt_id[a], "%s", id);
            for (char* c = name; *c; c++)
                if (*c == '-') *c = ' ';
            std::snprintf(apt_name[a], sizeof apt_name[a], "%s", name);
            apt_lo_ind[a] = rwy_wrl_max + 1;
            apt_hi_ind[a] = rwy_wrl_max;   // none yet
        } else if (code == DB_CODE_RUNWAY) {
            float lat, lon;
            int num, hdg, len, wid, lite;
            char letter;
            fio_rwy_line(&lat, &lon, &num, &letter, &hdg, &len, &wid, &lite, 1);
            if (++n->runways > MAX_RWY || apt_wrl_max < 0) continue;
            int r = ++rwy_wrl_max;
            rwy_lat[r] = lat;
            rwy_lon[r] = lon;
            rwy_num[r] = num;
            rwy_lcr[r] = letter;
            rwy_hdng[r] = hdg;
            rwy_len[r] = static_cast<int>(static_cast<float>(len) * con.fttomtrs);
            rwy_width[r] = static_cast<int>(static_cast<float>(wid) * con.fttomtrs);
            rwy_lite[r] = lite;
            apt_hi_ind[apt_wrl_max] = r;
        } else {
            rln("apt.dat other line");
        }
    }
}

static void load_navaids(KvDbCounts* n)
{
    nav_wrl_max = 1;
    for (;;) {
        int kind = intscan("nav.dat code");
        if (kind == DB_CODE_END || !inf1.good()) break;
        float lat, lon, elev;
        int frq, hdg;
        char id[DB_ID_LEN], name[DB_NAME_LEN];
        fio_nav_line(&kind, &lat, &lon, &elev, &frq, &hdg, id, name, 1);
        if (++n->navaids > MAX_NAV - 2) continue;
        int v = ++nav_wrl_max;
        nav_type[v] = kind;
        nav_lat[v] = lat;
        nav_lon[v] = lon;
        nav_h[v] = elev * con.fttomtrs;
        nav_frq[v] = frq;
        nav_hdng[v] = hdg;
        std::snprintf(nav_id[v], sizeof nav_id[v], "%s", id);
        std::snprintf(nav_name[v], sizeof nav_name[v], "%s", name);
    }
}

static void load_fixes(KvDbCounts* n)
{
    for (int i = 0; i < MAX_FIX; i++) fix_lat[i] = fix_lon[i] = -999.0f;
    for (;;) {
        float lat, lon;
        char id[DB_FIX_ID_LEN];
        if (!fio_fix_line(&lat, &lon, id, 1) || !inf1.good()) {
            if (n->fixes < MAX_FIX) fix_lat[n->fixes] = lat;
            break;
        }
        int f = n->fixes++;
        if (f >= MAX_FIX - 1) continue;
        fix_lat[f] = lat;
        fix_lon[f] = lon;
        std::snprintf(fix_name[f], sizeof fix_name[f], "%s", id);
    }
}

KvDbCounts kvdb_load(const std::string& folder)
{
    KvDbCounts n;
    open_db(folder, "apt.dat");
    load_airports(&n);
    open_db(folder, "nav.dat");
    load_navaids(&n);
    open_db(folder, "fix.dat");
    load_fixes(&n);
    inf1.close();
    return n;
}
