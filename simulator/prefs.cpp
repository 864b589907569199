// prefs.cpp -- preferences and situation files.
//
// One walk over the file's 163 lines (walk_lines) serves both the reader and the writer, so the two
// cannot drift apart. Reading goes into a PrefsRec first; the settings change only once every line
// has been read and the indices have been checked against the loaded databases.
#include "prefs.h"

#include "fltutil.h"
#include "genwrld.h"
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_opensave.h"
#include "hl_string.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "initpln.h"
#include "output.h"
#include "pending.h"
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

constexpr int NUM_ITEMS = 60;             // data-output items, one line each
constexpr int NUM_JOY = 22;               // joystick button flags
constexpr int MAX_JOY_CODE = 30;          // highest button function
constexpr int MAX_SEROUT = 5;             // serial-output modes 0..5
constexpr int MAX_OGL_RES = 5;            // texture resolutions 1..5
constexpr int MAX_KEY_TYPE = 3;           // keyboard layouts 1..3
constexpr float PRD_MIN = 0.01f;          // s, shortest frame period taken from a file
constexpr float PRD_MAX = 0.11f;          // s, the frame driver's longest
constexpr float PRD_FACTORY = 0.05f;
constexpr long MAX_FILE_BYTES = 1 << 20;  // anything longer is not a settings file
constexpr int DISABLED_VERSION = -1;      // the version "Reset Preferences and Exit" writes

// Every value of the file, as the file holds it.
struct PrefsRec {
    char c_file[STR_LEN], c_path[STR_LEN];
    int loc_apt, loc_rwy, backwards;
    float locl_time, temp_SL, ins_baro, atm_baro, rain_tstm, wind_tbl, burst_prob;
    int cld_type;
    float topsMSL, baseMSL, vis_rep, altwxr2;
    float wind1[5], wind2[5];   // direction, speed, shear direction, shear speed, turbulence
    float wave_amp, wave_length, wave_speed;
    int wave_dir;
    int meteorite_code;
    float rway_fric_rat;
    int sound_on, voice_out, text_out, warn_frame, warn_overspeed, warn_flaps, warn_bb, use_realwxr;
    int dsk[NUM_ITEMS], rlt[NUM_ITEMS], grf[NUM_ITEMS];
    int serout;
    float damp;
    float joy_rat_ptch, joy_rat_hdng, joy_rat_roll;
    int eq_ped, eq_avi, eq_thr, eq_col;
    float nz_ptch, nz_hdng, nz_roll;
    int joy_response[NUM_JOY];
    int nf[2], cf[2];
    float obs[2];
    int adff, dmesel;
    int gps_index_mode, gps_index, gps_apt_index, gps_vor_index, gps_ndb_index;
    int gps_id[4];
    float prd;
    int logtime, key_type;
    float total_fail_entry;
    int ogl_res, ogl_trees;
    double pos_x, pos_z;   // m from the region's west and north edges
    float psi;             // degrees
    double pos_y;          // m
    float v;               // m/s
};

// ---- the walk over the lines ------------------------------------------------------------------------

// What the walk does with each line; the reader parses, the writer prints.
struct LineIo {
    virtual ~LineIo() = default;
    virtual void text(char* s) = 0;              // up to 399 characters
    virtual void integer(int& v) = 0;
    virtual void boolean(int& v) = 0;            // 0 or 1
    virtual void real(float& v) = 0;
    virtual void real(double& v) = 0;
    virtual void truncated(int& v) = 0;          // any number, truncated to a whole one
    virtual void triple(int& a, int& b, int& c) = 0;   // three 0/1 values on one line
};

void walk_lines(PrefsRec& r, LineIo& io)
{
    io.text(r.c_file);
    io.text(r.c_path);
    io.integer(r.loc_apt);
    io.integer(r.loc_rwy);
    io.boolean(r.backwards);
    io.real(r.locl_time);
    io.real(r.temp_SL);
    io.real(r.ins_baro);
    io.real(r.atm_baro);
    io.real(r.rain_tstm);
    io.real(r.wind_tbl);
    io.real(r.burst_prob);
    io.integer(r.cld_type);
    io.real(r.topsMSL);
    io.real(r.baseMSL);
    io.real(r.vis_rep);
    io.real(r.altwxr2);
    for (float& w : r.wind1) io.real(w);
    for (float& w : r.wind2) io.real(w);
    io.real(r.wave_amp);
    io.real(r.wave_length);
    io.real(r.wave_speed);
    io.truncated(r.wave_dir);
    io.integer(r.meteorite_code);
    io.real(r.rway_fric_rat);
    for (int* b : {&r.sound_on, &r.voice_out, &r.text_out, &r.warn_frame, &r.warn_overspeed, &r.warn_flaps,
                   &r.warn_bb, &r.use_realwxr})
        io.boolean(*b);
    for (int i = 0; i < NUM_ITEMS; i++) io.triple(r.dsk[i], r.rlt[i], r.grf[i]);
    io.integer(r.serout);
    io.real(r.damp);
    io.real(r.joy_rat_ptch);
    io.real(r.joy_rat_hdng);
    io.real(r.joy_rat_roll);
    for (int* b : {&r.eq_ped, &r.eq_avi, &r.eq_thr, &r.eq_col}) io.boolean(*b);
    io.real(r.nz_ptch);
    io.real(r.nz_hdng);
    io.real(r.nz_roll);
    for (int& j : r.joy_response) io.integer(j);
    io.integer(r.nf[0]);
    io.integer(r.nf[1]);
    io.integer(r.cf[0]);
    io.integer(r.cf[1]);
    io.real(r.obs[0]);
    io.real(r.obs[1]);
    io.integer(r.adff);
    io.integer(r.dmesel);
    io.integer(r.gps_index_mode);
    io.integer(r.gps_index);
    io.integer(r.gps_apt_index);
    io.integer(r.gps_vor_index);
    io.integer(r.gps_ndb_index);
    for (int& g : r.gps_id) io.integer(g);
    io.real(r.prd);
    io.boolean(r.logtime);
    io.integer(r.key_type);
    io.real(r.total_fail_entry);
    io.integer(r.ogl_res);
    io.integer(r.ogl_trees);
    io.real(r.pos_x);
    io.real(r.pos_z);
    io.real(r.psi);
    io.real(r.pos_y);
    io.real(r.v);
}

// ---- the writer -------------------------------------------------------------------------------------

// A text line is written up to its first line end, so it stays one line.
struct Writer : LineIo {
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

// ---- the reader -------------------------------------------------------------------------------------

// Reads the lines of a file held in memory; the first line that cannot be read is remembered and
// everything after it is ignored.
struct Reader : LineIo {
    const std::vector<std::string>& lines;
    size_t next;
    int bad_line = 0;       // the file's line number (header included) of the first failure
    const char* what = "";  // what that line should have held

    Reader(const std::vector<std::string>& l, size_t first) : lines(l), next(first) {}

    // The next line, or nullptr (and the failure noted) when the file has ended or failed before.
    const std::string* take(const char* kind)
    {
        if (bad_line) return nullptr;
        if (next >= lines.size()) {
            bad_line = static_cast<int>(next) + 1;
            what = kind;
            return nullptr;
        }
        return &lines[next++];
    }
    // The line just taken does not hold what it should.
    void fail(const char* kind)
    {
        if (bad_line) return;
        bad_line = static_cast<int>(next);
        what = kind;
    }
    // Whole-line numbers: blanks around the number are allowed, nothing else.
    static bool only_blanks(const char* p)
    {
        while (*p == ' ' || *p == '\t') p++;
        return *p == 0;
    }
    bool parse_long(const std::string& s, long* out, const char** end_out = nullptr)
    {
        errno = 0;
        char* end;
        long v = std::strtol(s.c_str(), &end, 10);
        if (end == s.c_str() || errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return false;
        if (end_out) *end_out = end;
        else if (!only_blanks(end)) return false;
        *out = v;
        return true;
    }
    bool parse_double(const std::string& s, double* out)
    {
        errno = 0;
        char* end;
        double v = std::strtod(s.c_str(), &end);
        if (end == s.c_str() || !only_blanks(end) || !std::isfinite(v)) return false;
        *out = v;
        return true;
    }

    void text(char* s) override
    {
        const std::string* l = take("a name");
        s[0] = 0;
        if (!l) return;
        size_t b = l->find_first_not_of(' ');
        std::snprintf(s, STR_LEN, "%s", b == std::string::npos ? "" : l->c_str() + b);
    }
    void integer(int& v) override
    {
        const std::string* l = take("a whole number");
        long x;
        if (l && !parse_long(*l, &x)) fail("a whole number");
        else if (l) v = static_cast<int>(x);
    }
    void boolean(int& v) override
    {
        const std::string* l = take("0 or 1");
        long x;
        if (l && !parse_long(*l, &x)) fail("0 or 1");
        else if (l) v = x == 1 ? 1 : 0;
    }
    void real(float& v) override
    {
        const std::string* l = take("a number");
        double x;
        if (l && (!parse_double(*l, &x) || std::fabs(x) > 3.4e38)) fail("a number");
        else if (l) v = static_cast<float>(x);
    }
    void real(double& v) override
    {
        const std::string* l = take("a number");
        double x;
        if (l && !parse_double(*l, &x)) fail("a number");
        else if (l) v = x;
    }
    void truncated(int& v) override
    {
        const std::string* l = take("a number");
        double x;
        if (l && (!parse_double(*l, &x) || std::fabs(x) > 2.0e9)) fail("a number");
        else if (l) v = static_cast<int>(x);
    }
    void triple(int& a, int& b, int& c) override
    {
        const std::string* l = take("three values 0 or 1");
        if (!l) return;
        long x[3];
        const char* p = l->c_str();
        for (long& k : x) {
            const char* end;
            if (!parse_long(p, &k, &end)) {
                fail("three values 0 or 1");
                return;
            }
            p = end;
        }
        if (!only_blanks(p)) {
            fail("three values 0 or 1");
            return;
        }
        a = x[0] != 0;
        b = x[1] != 0;
        c = x[2] != 0;
    }
};

// The file's lines: LF, CR or CRLF end a line; the end of the file ends the last one.
std::vector<std::string> split_lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::string cur;
    bool open = false;
    for (size_t i = 0; i < bytes.size(); i++) {
        char c = bytes[i];
        if (c == '\n' || c == '\r') {
            lines.push_back(cur);
            cur.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') i++;
        } else {
            cur += c;
            open = true;
        }
    }
    if (open) lines.push_back(cur);
    return lines;
}

enum ReadResult { READ_OK, READ_MISSING, READ_DISABLED, READ_HEADER, READ_VERSION, READ_LINE };

struct ReadOutcome {
    ReadResult result = READ_OK;
    int line = 0;
    const char* what = "";
};

// Reads the whole file into r. The header: a line "I" or "A", then a line starting with the
// version.
ReadOutcome read_file_into(const char* path, PrefsRec* r)
{
    ReadOutcome o;
    std::ifstream f(path ? path : "", std::ios::binary);
    if (!f) {
        o.result = READ_MISSING;
        return o;
    }
    std::string bytes;
    char buf[4096];
    while (f.read(buf, sizeof buf) || f.gcount() > 0) {
        bytes.append(buf, static_cast<size_t>(f.gcount()));
        if (static_cast<long>(bytes.size()) > MAX_FILE_BYTES) break;
    }
    std::vector<std::string> lines = split_lines(bytes);
    if (lines.size() < 2 || (lines[0] != "I" && lines[0] != "A")) {
        o.result = READ_HEADER;
        o.line = 1;
        return o;
    }
    char* end;
    errno = 0;
    long version = std::strtol(lines[1].c_str(), &end, 10);
    if (end == lines[1].c_str() || errno == ERANGE) {
        o.result = READ_HEADER;
        o.line = 2;
        return o;
    }
    if (version != PREFS_VERSION) {
        o.result = version == DISABLED_VERSION ? READ_DISABLED : READ_VERSION;
        o.line = 2;
        return o;
    }
    Reader rd(lines, 2);
    walk_lines(*r, rd);
    if (rd.bad_line) {
        o.result = READ_LINE;
        o.line = rd.bad_line;
        o.what = rd.what;
    }
    return o;
}

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

void read_failure_notice(const char* path, int kind, const ReadOutcome& o)
{
    const char* l1 = kind == FILE_KIND_PREFS ? "I could not read the preferences file, so I am using the factory settings."
                                             : "I could not read this situation file, so nothing has changed.";
    char l3[STR_LEN];
    switch (o.result) {
    case READ_MISSING: std::snprintf(l3, sizeof l3, "The file could not be opened."); break;
    case READ_VERSION:
    case READ_DISABLED:
        std::snprintf(l3, sizeof l3, "It is the wrong version for this version of Kestrova (line 2).");
        break;
    case READ_HEADER: std::snprintf(l3, sizeof l3, "Its first lines are not those of a settings file."); break;
    default: std::snprintf(l3, sizeof l3, "Line %d should hold %s.", o.line, o.what); break;
    }
    MACIBM_alert(l1, path ? path : "", l3,
                 kind == FILE_KIND_PREFS ? "Your settings will be saved again when you quit." : "", ALERT_NOTICE);
}

}  // namespace

// ---- the interface ----------------------------------------------------------------------------------

int grab_prefs(const char* path, int kind, int complain)
{
    static PrefsRec r;   // a few kB of text and values: kept off the stack
    ReadOutcome o = read_file_into(path, &r);
    if (o.result != READ_OK) {
        bool quiet = (o.result == READ_MISSING && !complain) || (o.result == READ_DISABLED && kind == FILE_KIND_PREFS);
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
    char tmp[STR_LEN + 8];
    std::snprintf(tmp, sizeof tmp, "%s.new", path);
    if (!ouf_open(tmp, kind, PREFS_VERSION)) return 0;
    Writer w;
    walk_lines(r, w);
    if (!ouf_close(tmp)) {
        std::remove(tmp);
        return 0;
    }
    if (std::rename(tmp, path) != 0) {
        std::remove(tmp);
        MACIBM_alert("I could not save the file! Could the directory that the file sits in be missing?", path, "", "",
                     ALERT_NOTICE);
        return 0;
    }
    return 1;
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
