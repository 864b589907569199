// prefs.cpp -- preferences and situation files.
//
// The library's walk over the file's 163 lines (prefs_walk_lines) serves both its reader and the
// writer here, so the two cannot drift apart. Reading goes into a PrefsRec first; the settings change
// only once every line has been read and the indices have been checked against the loaded databases.
#include "prefs.h"

#include "fltutil.h"
#include "genwrld.h"
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_joy.h"
#include "hl_opensave.h"
#include "hl_sound.h"
#include "hl_string.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "initpln.h"
#include "output.h"
#include "startpos.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int NUM_ITEMS = PREFS_NUM_ITEMS;
constexpr int NUM_JOY = PREFS_NUM_JOY;
constexpr int MAX_JOY_CODE = 30;          // highest button function
constexpr int MAX_SEROUT = 5;             // serial-output modes 0..5
constexpr int MAX_OGL_RES = 5;            // texture resolutions 1..5
constexpr int MAX_KEY_TYPE = 3;           // keyboard layouts 1..3
constexpr float PRD_MIN = 0.01f;          // s, shortest frame period taken from a file
constexpr float PRD_MAX = 0.11f;          // s, the frame driver's longest
constexpr float PRD_FACTORY = 0.05f;

// ---- the writer -------------------------------------------------------------------------------------

// A text line is written up to its first line end, so it stays one line.
struct Writer : PrefsLineIo {
    int lines = 0;
    void text(char* s) override
    {
        size_t n = std::strcspn(s, "\r\n");
        ouf.write(s, static_cast<std::streamsize>(n));
        end();
    }
    void integer(int& v) override { ouf << v, end(); }
    void boolean(int& v) override { ouf << (v ? 1 : 0), end(); }
    // A value that is not a number would make the file unreadable: it is written as 0.
    void real(float& v) override { ouf << (std::isfinite(v) ? v : 0.0f), end(); }
    void real(double& v) override { ouf << (std::isfinite(v) ? v : 0.0), end(); }
    void truncated(int& v) override { ouf << v, end(); }
    void triple(int& a, int& b, int& c) override
    {
        ouf << (a ? 1 : 0) << ' ' << (b ? 1 : 0) << ' ' << (c ? 1 : 0);
        end();
    }
    void end()
    {
        ouf << '\n';
        lines++;
    }
};


// ---- the databases' indices -------------------------------------------------------------------------

bool has_runways(int a) { return a >= 0 && a <= apt_wrl_max && apt_hi_ind[a] >= apt_lo_ind[a]; }

// The factory start airport: the last airport named KSBD that has runways, else the first airport
// with runways, else 0.
int factory_airport(void)
{
    int found = -1;
    for (int a = 0; a <= apt_wrl_max; a++)
        if (std::strncmp(apt_id[a], "KSBD", 4) == 0 && has_runways(a)) found = a;
    for (int a = 0; found < 0 && a <= apt_wrl_max; a++)
        if (has_runways(a)) found = a;
    return found < 0 ? 0 : found;
}

// The region's south-west corner that a start at airport a loads: from the airport's first runway.
void corner_of_airport(int a, int* lat_sou, int* lon_wes)
{
    int r = intlim(apt_lo_ind[intlim(a, 0, MAX_APT - 1)], 0, MAX_RWY - 1);
    *lat_sou = round(rwy_lat[r] - 1.0f);
    *lon_wes = round(rwy_lon[r] - 1.5f);
}

// An index into a table of max + 1 entries, or the factory value limited to the table.
int checked_index(int v, int max, int factory, const char* name, int line)
{
    if (v >= 0 && v <= max) return v;
    int f = intlim(factory, 0, max < 0 ? 0 : max);
    err << "preferences: line " << line << ", " << name << " " << v << " does not fit; " << f << " used\n";
    return f;
}

int checked_range(int v, int lo, int hi, int factory, const char* name, int line)
{
    if (v >= lo && v <= hi) return v;
    err << "preferences: line " << line << ", " << name << " " << v << " out of range; " << factory << " used\n";
    return factory;
}

int gps_table_max(int mode) { return mode == 1 ? apt_wrl_max : nav_wrl_max; }

// ---- factory values ---------------------------------------------------------------------------------

void factory_record(PrefsRec* r)
{
    std::memset(r, 0, sizeof *r);
    int n = std::snprintf(r->c_path, STR_LEN, "%s%s%s", app_path, DEFAULT_PLANE_DIR, DEFAULT_PLANE_FILE);
    if (n < 0 || n >= STR_LEN) r->c_path[0] = 0;   // too long a folder: the aircraft loader's default takes over
    std::snprintf(r->c_file, STR_LEN, "%s", DEFAULT_PLANE_FILE);
    r->loc_apt = factory_airport();
    r->loc_rwy = apt_lo_ind[r->loc_apt];
    r->backwards = 0;
    r->locl_time = 57600;
    r->temp_SL = 59;
    r->ins_baro = r->atm_baro = 29.92f;
    r->rain_tstm = r->wind_tbl = r->burst_prob = 1;
    r->cld_type = 3;
    r->topsMSL = 5000 * con.fttomtrs;
    r->baseMSL = 4000 * con.fttomtrs;
    r->vis_rep = 7 * con.nmtomtrs;
    r->altwxr2 = 10000 * con.fttomtrs;
    r->wave_amp = 1;
    r->wave_length = r->wave_amp * 12;
    r->wave_speed = std::sqrt(r->wave_length * con.mtrstoft) * 1.34f * con.ktstomsc;
    r->wave_dir = 0;
    r->meteorite_code = 2;
    r->rway_fric_rat = 1;
    r->sound_on = r->voice_out = r->text_out = r->warn_frame = r->warn_overspeed = r->warn_bb = r->use_realwxr = 1;
    r->warn_flaps = 0;
    r->joy_rat_ptch = r->joy_rat_hdng = r->joy_rat_roll = 1;
    static const int joy[16] = {2, 1, 5, 6, 22, 21, 19, 20, 15, 16, 11, 12, 10, 9, 17, 18};
    for (int i = 0; i < 16; i++) r->joy_response[i] = joy[i];
    r->nf[0] = r->nf[1] = 11170;
    r->cf[0] = r->cf[1] = 12100;
    r->adff = 210;
    // The GPS entries, limited to the loaded tables.
    r->gps_index_mode = 1;
    r->gps_apt_index = intlim(1600, 0, intmax2(apt_wrl_max, 0));
    r->gps_index = r->gps_apt_index;
    r->gps_vor_index = intlim(2100, 0, nav_wrl_max);
    r->gps_ndb_index = intlim(700, 0, nav_wrl_max);
    for (int& g : r->gps_id) g = 11;
    r->prd = PRD_FACTORY;
    r->key_type = 1;
    r->total_fail_entry = 1;
    r->ogl_res = 2;
    r->ogl_trees = 0;
}

// Replaces every index that does not fit by its factory value. Line numbers are the file's.
void check_indices(PrefsRec* r, const PrefsRec& f)
{
    if (!has_runways(r->loc_apt)) {
        err << "preferences: line 3, start airport " << r->loc_apt << " has no runways here; " << f.loc_apt
            << " used\n";
        r->loc_apt = f.loc_apt;
        r->loc_rwy = f.loc_rwy;
    }
    if (has_runways(r->loc_apt) && (r->loc_rwy < apt_lo_ind[r->loc_apt] || r->loc_rwy > apt_hi_ind[r->loc_apt])) {
        err << "preferences: line 4, start runway " << r->loc_rwy << " is not one of the airport's; "
            << apt_lo_ind[r->loc_apt] << " used\n";
        r->loc_rwy = apt_lo_ind[r->loc_apt];
    }
    r->serout = checked_range(r->serout, 0, MAX_SEROUT, f.serout, "serial mode", 102);
    for (int i = 0; i < NUM_JOY; i++)
        r->joy_response[i] = checked_range(r->joy_response[i], 0, MAX_JOY_CODE, f.joy_response[i], "button code",
                                           114 + i);
    r->dmesel = checked_range(r->dmesel, 0, 1, f.dmesel, "DME source", 143);
    r->gps_index_mode = checked_range(r->gps_index_mode, 1, 3, f.gps_index_mode, "GPS mode", 144);
    int fi = r->gps_index_mode == 1 ? f.gps_apt_index : r->gps_index_mode == 2 ? f.gps_ndb_index : f.gps_vor_index;
    r->gps_index = checked_index(r->gps_index, gps_table_max(r->gps_index_mode), fi, "GPS waypoint", 145);
    r->gps_apt_index = checked_index(r->gps_apt_index, apt_wrl_max, f.gps_apt_index, "GPS airport", 146);
    r->gps_vor_index = checked_index(r->gps_vor_index, nav_wrl_max, f.gps_vor_index, "GPS VOR", 147);
    r->gps_ndb_index = checked_index(r->gps_ndb_index, nav_wrl_max, f.gps_ndb_index, "GPS NDB", 148);
    for (int k = 0; k < 4; k++)
        r->gps_id[k] = checked_range(r->gps_id[k], 0, ID_CODES - 1, f.gps_id[k], "GPS identifier", 149 + k);
    if (!(r->prd > 0)) {
        err << "preferences: line 153, frame period " << r->prd << " unusable; " << PRD_FACTORY << " used\n";
        r->prd = PRD_FACTORY;
    }
    r->prd = fltlim(r->prd, PRD_MIN, PRD_MAX);
    r->key_type = checked_range(r->key_type, 1, MAX_KEY_TYPE, f.key_type, "keyboard layout", 155);
    r->ogl_res = checked_range(r->ogl_res, 1, MAX_OGL_RES, f.ogl_res, "texture resolution", 157);
    r->ogl_trees = r->ogl_trees ? 1 : 0;
}

// ---- records <-> settings ---------------------------------------------------------------------------

void set_region_corner(int loc_apt)
{
    corner_of_airport(loc_apt, &env.lat_sou, &env.lon_wes);
    flt.lat = static_cast<float>(env.lat_sou);
    flt.lon = static_cast<float>(env.lon_wes);
}

// Takes the settings of r. The disk selections are never taken from a file: they start off.
void commit(const PrefsRec& r, bool position)
{
    std::snprintf(pln[0].C_file, sizeof pln[0].C_file, "%s", r.c_file);
    std::snprintf(pln[0].C_path, sizeof pln[0].C_path, "%s", r.c_path);
    msc.loc_apt_wrl = r.loc_apt;
    msc.loc_rwy_wrl = r.loc_rwy;
    msc.backwards = r.backwards;
    set_region_corner(r.loc_apt);
    msc.locl_time = r.locl_time;
    atm.temp_SL = r.temp_SL;
    ins.baro = r.ins_baro;
    atm.baro = r.atm_baro;
    atm.rain_tstm = r.rain_tstm;
    atm.wind_tbl = r.wind_tbl;
    atm.burst_prob = r.burst_prob;
    atm.cld_type = r.cld_type;
    atm.topsMSL = r.topsMSL;
    atm.baseMSL = r.baseMSL;
    atm.vis_rep = r.vis_rep;
    atm.altwxr2 = r.altwxr2;
    atm.wnddir1 = r.wind1[0], atm.wndspd1 = r.wind1[1], atm.shrdir1 = r.wind1[2], atm.shrspd1 = r.wind1[3];
    atm.trblnc1 = r.wind1[4];
    atm.wnddir2 = r.wind2[0], atm.wndspd2 = r.wind2[1], atm.shrdir2 = r.wind2[2], atm.shrspd2 = r.wind2[3];
    atm.trblnc2 = r.wind2[4];
    atm.wave_amp = r.wave_amp;
    atm.wave_length = r.wave_length;
    atm.wave_speed = r.wave_speed;
    atm.wave_dir = static_cast<float>(r.wave_dir);
    atm.meteorite_code = r.meteorite_code;
    atm.rway_fric_rat = r.rway_fric_rat;
    msc.sound_on = r.sound_on;
    set.voice_out = r.voice_out;
    set.text_out = r.text_out;
    set.warn_frame = r.warn_frame;
    set.warn_overspeed = r.warn_overspeed;
    set.warn_flaps = r.warn_flaps;
    set.warn_bb = r.warn_bb;
    atm.use_realwxr = r.use_realwxr;
    for (int i = 0; i < NUM_ITEMS; i++) {
        set.Bdsk[i] = 0;
        set.Brlt[i] = r.rlt[i];
        set.Bgrf[i] = r.grf[i];
    }
    set.serout = r.serout;
    set.damp = r.damp;
    set.joy_rat_ptch = r.joy_rat_ptch;
    set.joy_rat_hdng = r.joy_rat_hdng;
    set.joy_rat_roll = r.joy_rat_roll;
    set.eq_ped = r.eq_ped;
    set.eq_avi = r.eq_avi;
    set.eq_thr = r.eq_thr;
    set.eq_col = r.eq_col;
    set.NZ_ptch = r.nz_ptch;
    set.NZ_hdng = r.nz_hdng;
    set.NZ_roll = r.nz_roll;
    for (int i = 0; i < NUM_JOY; i++) set.joy_response[i] = r.joy_response[i];
    for (int k = 0; k < 2; k++) {
        nav.nf[k] = r.nf[k];
        nav.cf[k] = r.cf[k];
        nav.obs[k] = r.obs[k];
    }
    nav.adff = r.adff;
    nav.dmesel = r.dmesel;
    nav.gps_index_mode = r.gps_index_mode;
    nav.gps_index = r.gps_index;
    nav.gps_apt_index = r.gps_apt_index;
    nav.gps_vor_index = r.gps_vor_index;
    nav.gps_ndb_index = r.gps_ndb_index;
    for (int k = 0; k < 4; k++) nav.gps_id[k] = r.gps_id[k];
    msc.prd = r.prd;
    msc.logtime = r.logtime;
    msc.key_type = r.key_type;
    rel.total_fail_entry = r.total_fail_entry;
    set.ogl_res = r.ogl_res;
    set.ogl_trees = r.ogl_trees;
    if (position) {
        set.cus_X = static_cast<float>(r.pos_x);
        set.cus_Z = static_cast<float>(r.pos_z);
        set.cus_psi = r.psi;
        set.cus_Y = static_cast<float>(r.pos_y);
        set.cus_v = r.v;
    }
    set_rlt_grf_choices();
    if (set.eq_avi) {
        nav.nf[0] = nav.nf[1] = 11170;
        nav.cf[0] = nav.cf[1] = 12100;
        nav.adff = 210;
    }
}

// The aircraft's position measured from the west and north edges of the region that the start
// airport gives, which is the region the next reading of this file loads: the aircraft's latitude
// and longitude placed as a region freshly loaded at that corner places them. While no shift has
// happened these are the loaded region's own offsets X - lox and Z - loz.
void position_for_file(PrefsRec* r)
{
    int lat_sou, lon_wes;
    corner_of_airport(r->loc_apt, &lat_sou, &lon_wes);
    region_fresh_offsets(lat_sou, lon_wes, lat_with_z(flt.Z[0]), lon_with_xz(flt.X[0], flt.Z[0]), &r->pos_x,
                         &r->pos_z);
    r->psi = flt.psi[0];
    r->pos_y = flt.Y[0];
    r->v = flt.v[0];
}

void gather(PrefsRec* r)
{
    std::memset(r, 0, sizeof *r);
    std::snprintf(r->c_file, STR_LEN, "%s", pln[0].C_file);
    std::snprintf(r->c_path, STR_LEN, "%s", pln[0].C_path);
    r->loc_apt = msc.loc_apt_wrl;
    r->loc_rwy = msc.loc_rwy_wrl;
    r->backwards = msc.backwards;
    r->locl_time = msc.locl_time;
    r->temp_SL = atm.temp_SL;
    r->ins_baro = ins.baro;
    r->atm_baro = atm.baro;
    r->rain_tstm = atm.rain_tstm;
    r->wind_tbl = atm.wind_tbl;
    r->burst_prob = atm.burst_prob;
    r->cld_type = atm.cld_type;
    r->topsMSL = atm.topsMSL;
    r->baseMSL = atm.baseMSL;
    r->vis_rep = atm.vis_rep;
    r->altwxr2 = atm.altwxr2;
    const float w1[5] = {atm.wnddir1, atm.wndspd1, atm.shrdir1, atm.shrspd1, atm.trblnc1};
    const float w2[5] = {atm.wnddir2, atm.wndspd2, atm.shrdir2, atm.shrspd2, atm.trblnc2};
    for (int k = 0; k < 5; k++) r->wind1[k] = w1[k], r->wind2[k] = w2[k];
    r->wave_amp = atm.wave_amp;
    r->wave_length = atm.wave_length;
    r->wave_speed = atm.wave_speed;
    r->wave_dir = std::isfinite(atm.wave_dir) ? static_cast<int>(fltlim(atm.wave_dir, -2e9f, 2e9f)) : 0;
    r->meteorite_code = atm.meteorite_code;
    r->rway_fric_rat = atm.rway_fric_rat;
    r->sound_on = msc.sound_on;
    r->voice_out = set.voice_out;
    r->text_out = set.text_out;
    r->warn_frame = set.warn_frame;
    r->warn_overspeed = set.warn_overspeed;
    r->warn_flaps = set.warn_flaps;
    r->warn_bb = set.warn_bb;
    r->use_realwxr = atm.use_realwxr;
    for (int i = 0; i < NUM_ITEMS; i++) {
        r->dsk[i] = set.Bdsk[i];
        r->rlt[i] = set.Brlt[i];
        r->grf[i] = set.Bgrf[i];
    }
    r->serout = set.serout;
    r->damp = set.damp;
    r->joy_rat_ptch = set.joy_rat_ptch;
    r->joy_rat_hdng = set.joy_rat_hdng;
    r->joy_rat_roll = set.joy_rat_roll;
    r->eq_ped = set.eq_ped;
    r->eq_avi = set.eq_avi;
    r->eq_thr = set.eq_thr;
    r->eq_col = set.eq_col;
    r->nz_ptch = set.NZ_ptch;
    r->nz_hdng = set.NZ_hdng;
    r->nz_roll = set.NZ_roll;
    for (int i = 0; i < NUM_JOY; i++) r->joy_response[i] = set.joy_response[i];
    for (int k = 0; k < 2; k++) {
        r->nf[k] = nav.nf[k];
        r->cf[k] = nav.cf[k];
        r->obs[k] = nav.obs[k];
    }
    r->adff = nav.adff;
    r->dmesel = nav.dmesel;
    r->gps_index_mode = nav.gps_index_mode;
    r->gps_index = nav.gps_index;
    r->gps_apt_index = nav.gps_apt_index;
    r->gps_vor_index = nav.gps_vor_index;
    r->gps_ndb_index = nav.gps_ndb_index;
    for (int k = 0; k < 4; k++) r->gps_id[k] = nav.gps_id[k];
    r->prd = msc.prd;
    r->logtime = msc.logtime;
    r->key_type = msc.key_type;
    r->total_fail_entry = rel.total_fail_entry;
    r->ogl_res = set.ogl_res;
    r->ogl_trees = set.ogl_trees;
    position_for_file(r);
}

void read_failure_notice(const char* path, int kind, const PrefsReadOutcome& o)
{
    if (kind == FILE_KIND_PREFS)
        prefs_read_notice("I could not read the preferences file, so I am using the factory settings.", path, o,
                          "Your settings will be saved again when you quit.");
    else
        prefs_read_notice("I could not read this situation file, so nothing has changed.", path, o, "");
}

}  // namespace

// ---- the interface ----------------------------------------------------------------------------------

int grab_prefs(const char* path, int kind, int complain)
{
    static PrefsRec r;   // a few kB of text and values: kept off the stack
    PrefsReadOutcome o = prefs_read_file(path, &r);
    if (o.result != PREFS_READ_OK) {
        bool quiet = (o.result == PREFS_READ_MISSING && !complain) || (o.result == PREFS_READ_DISABLED && kind == FILE_KIND_PREFS);
        if (!quiet) read_failure_notice(path, kind, o);
        return 0;
    }
    static PrefsRec factory;
    factory_record(&factory);
    check_indices(&r, factory);
    commit(r, true);
    return 1;
}

int dump_prefs(const char* path, int kind)
{
    if (!path || !path[0]) return 0;
    static PrefsRec r;
    gather(&r);
    if (!ouf_open(path, kind, PREFS_VERSION)) return 0;
    Writer w;
    prefs_walk_lines(r, w);
    return ouf_close(path);
}

void hard_prefs(void)
{
    static PrefsRec r;
    factory_record(&r);
    commit(r, false);
    atm.trml_prt = 0;
    atm.trml_vvi = 0;
}

void start_prefs(void)
{
    if (!grab_prefs(prf_path, FILE_KIND_PREFS, 0)) hard_prefs();
}

void situation_position_to_region(void)
{
    set.cus_X += env.lox;
    set.cus_Z += env.loz;
}

void open_situation(void)
{
    char name[STR_LEN] = "Untitled.sit", path[STR_LEN] = "";
    if (!MACIBM_opensave(WIND_OPEN, FILE_KIND_SITUATION, name, path)) return;
    if (grab_prefs(path, FILE_KIND_SITUATION, 1)) {
        load_region(1);
        situation_position_to_region();
        load_plane(0);
        set_fltvars(102, 0);
    }
    MACIBM_startwind(0);
}

void save_situation(void)
{
    char name[STR_LEN] = "Untitled.sit", path[STR_LEN] = "";
    if (!MACIBM_opensave(WIND_SAVE, FILE_KIND_SITUATION, name, path)) return;
    dump_prefs(path, FILE_KIND_SITUATION);
}
