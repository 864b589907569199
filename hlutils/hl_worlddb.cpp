// hl_worlddb.cpp -- the world databases read into their tables.
#include "hl_worlddb.h"

#include "hl_dbline.h"
#include "hl_file.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "hl_wind.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

constexpr int PROGRESS_STEP = 1000;   // records between two steps of the progress bar

void cannot_access(const char* path)
{
    MACIBM_alert("I am unable to access a nav, airport, or fix data file!", "The path I am looking at is as follows:",
                 path, "Make sure the file listed above is available in the path listed above!", ALERT_FATAL);
}

// A file that is there and opens but does not start as a database of this version: empty, cut
// short, of another version or not a database at all.
void damaged(const char* path)
{
    MACIBM_alert("A nav, airport, or fix data file is empty or damaged!", "The file I read is as follows:", path,
                 "Put a good copy of the file listed above in its place!", ALERT_FATAL);
}

// Opens one database file by its full path; ends the program when it cannot be read.
void open_db_path(const char* path)
{
    if (!inf_open(path, DB_FILE_TYPE, DB_VERSION, 0)) {
        std::error_code ec;
        const bool there = std::filesystem::is_regular_file(path, ec) && std::ifstream(path).is_open();
        if (there) damaged(path);
        else cannot_access(path);
        return;
    }
    if (!inf1.good()) MACIBM_alert("Error reading in global data file after version-scan!", "", "", "", ALERT_FATAL);
}

void close_db(void)
{
    inf1.close();
    inf1.clear();
}

void copy_field(char* dst, int size, const char* src) { std::snprintf(dst, static_cast<size_t>(size), "%s", src); }

void add_airport(void)
{
    float elev;
    int twr, bld;
    char id[DB_ID_LEN], name[DB_NAME_LEN];
    fio_apt_line(&elev, &twr, &bld, id, name, 1);
    if (apt_wrl_max + 1 >= MAX_APT) {
        MACIBM_alert_count("Too many airports in apt.dat file!", "", "", apt_wrl_max + 1);
        return;
    }
    int a = ++apt_wrl_max;
    apt_h[a] = elev * con.fttomtrs;
    apt_twr[a] = twr;
    apt_bld[a] = bld;
    copy_field(apt_id[a], APT_ID_LEN, id);
    for (char* c = name; *c; c++)
        if (*c == '-') *c = ' ';
    copy_field(apt_name[a], APT_NAME_LEN, name);
    apt_lo_ind[a] = rwy_wrl_max + 1;
    apt_hi_ind[a] = rwy_wrl_max;   // no runway yet: the range lo..hi is empty
    if (a % PROGRESS_STEP == 0) MACIBM_showinit(1);
}

void add_runway(void)
{
    float lat, lon;
    int num, hdg, len, wid, lite;
    char letter;
    fio_rwy_line(&lat, &lon, &num, &letter, &hdg, &len, &wid, &lite, 1);
    if (rwy_wrl_max + 1 >= MAX_RWY) {
        MACIBM_alert_count("Too many runways in apt.dat file!", "", "", rwy_wrl_max + 1);
        return;
    }
    int r = ++rwy_wrl_max;
    rwy_lat[r] = lat;
    rwy_lon[r] = lon;
    rwy_num[r] = num;
    rwy_lcr[r] = letter;
    rwy_hdng[r] = hdg;
    rwy_len[r] = static_cast<int>(static_cast<float>(len) * con.fttomtrs);
    rwy_width[r] = static_cast<int>(static_cast<float>(wid) * con.fttomtrs);
    rwy_lite[r] = lite;
    // A runway line ahead of every airport line belongs to no airport.
    if (apt_wrl_max >= 0) apt_hi_ind[apt_wrl_max] = r;
}

void read_db_file(const char* folder, const char* name, void (*reader)(void))
{
    if (folder) {
        char path[STR_LEN];
        int n = std::snprintf(path, sizeof path, "%s/%s", folder, name);
        if (n < 0 || n >= STR_LEN) {
            cannot_access(folder);
            return;
        }
        open_db_path(path);
    } else {
        open_aptnavfix_dat(name);
    }
    reader();
}

}  // namespace

int open_aptnavfix_dat(const char* name)
{
    char path[STR_LEN];
    std::snprintf(path, sizeof path, "%s", name);
    if (!ap_dir(NAV_DATA_FOLDER, path)) {
        cannot_access(name);
        return 0;
    }
    open_db_path(path);
    return 0;
}

void read_apt_dat(void)
{
    apt_wrl_max = -1;
    rwy_wrl_max = -1;
    for (;;) {
        int code = intscan("apt.dat");
        if (code == DB_CODE_END) break;
        if (code == DB_CODE_AIRPORT) add_airport();
        else if (code == DB_CODE_RUNWAY) add_runway();
        else rln("apt.dat");   // a record kind of no use here: the rest of its line is skipped
    }
    close_db();
}

void read_nav_dat(void)
{
    nav_wrl_max = 1;
    for (;;) {
        int kind = intscan("nav.dat");
        if (kind == DB_CODE_END) break;
        float lat, lon, elev;
        int frq, hdg;
        char id[DB_ID_LEN], name[DB_NAME_LEN];
        fio_nav_line(&kind, &lat, &lon, &elev, &frq, &hdg, id, name, 1);
        if (nav_wrl_max + 1 >= MAX_NAV) {
            MACIBM_alert_count("Too many navs in world database!", "", "", nav_wrl_max + 1);
            return;
        }
        int v = ++nav_wrl_max;
        nav_type[v] = kind;
        nav_lat[v] = lat;
        nav_lon[v] = lon;
        nav_h[v] = elev * con.fttomtrs;
        nav_frq[v] = frq;
        nav_hdng[v] = hdg;
        copy_field(nav_id[v], APT_ID_LEN, id);
        copy_field(nav_name[v], APT_NAME_LEN, name);
        if ((v - 1) % PROGRESS_STEP == 0) MACIBM_showinit(1);
    }
    close_db();
}

void read_fix_dat(void)
{
    for (int i = 0; i < MAX_FIX; i++) fix_lat[i] = fix_lon[i] = -999.0f;
    for (int f = 0;; f++) {
        float lat, lon = -999.0f;
        char id[DB_FIX_ID_LEN];
        int more = fio_fix_line(&lat, &lon, id, 1);
        // Every fix needs the slot after it free for the end mark.
        if (f >= MAX_FIX - 1 && more) {
            MACIBM_alert_count("Too many fixes in world database!", "", "", f);
            return;
        }
        // The end line may read 99.3 or 98.6 (anything that rounds to 99); the table's mark is 99.
        fix_lat[f] = more ? lat : static_cast<float>(DB_CODE_END);
        if (!more) break;
        fix_lon[f] = lon;
        copy_field(fix_name[f], FIX_NAME_LEN, id);
        if ((f + 1) % PROGRESS_STEP == 0) MACIBM_showinit(1);
    }
    close_db();
}

const char* const WORLD_DB_NAMES[WORLD_DB_FILES] = {"apt.dat", "nav.dat", "fix.dat"};

void read_world_db(const char* folder)
{
    static void (*const readers[WORLD_DB_FILES])(void) = {read_apt_dat, read_nav_dat, read_fix_dat};
    for (int k = 0; k < WORLD_DB_FILES; k++) read_db_file(folder, WORLD_DB_NAMES[k], readers[k]);
}
