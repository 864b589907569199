// hl_prefs.cpp -- the preference file's value lines in their order, and the reader that takes a
// whole file into a record, checking every line.
#include "hl_prefs.h"

#include "hl_types.h"
#include "hl_wind.h"
#include "plt_files.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr long MAX_FILE_BYTES = 1 << 20;  // anything longer is not a settings file

}  // namespace

void prefs_walk_lines(PrefsRec& r, PrefsLineIo& io)
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
    for (int i = 0; i < PREFS_NUM_ITEMS; i++) io.triple(r.dsk[i], r.rlt[i], r.grf[i]);
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

namespace {

// ---- the reader -------------------------------------------------------------------------------------

// Reads the lines of a file held in memory; the first line that cannot be read is remembered and
// everything after it is ignored.
struct Reader : PrefsLineIo {
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
    // A number at s; with end_out, where it ends (a pointer into s itself, so that the caller can
    // read on from there), else the rest must be blanks.
    bool parse_long(const char* s, long* out, const char** end_out = nullptr)
    {
        errno = 0;
        char* end;
        long v = std::strtol(s, &end, 10);
        if (end == s || errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return false;
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
        if (l && !parse_long(l->c_str(), &x)) fail("a whole number");
        else if (l) v = static_cast<int>(x);
    }
    void boolean(int& v) override
    {
        const std::string* l = take("0 or 1");
        long x;
        if (l && !parse_long(l->c_str(), &x)) fail("0 or 1");
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

}  // namespace

PrefsReadOutcome prefs_read_file(const char* path, PrefsRec* r)
{
    PrefsReadOutcome o;
    // A pipe is not opened: reading it would wait for a writer.
    std::ifstream f(path && !PLT_names_a_pipe(path) ? path : "", std::ios::binary);
    if (!f) {
        o.result = PREFS_READ_MISSING;
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
        o.result = PREFS_READ_HEADER;
        o.line = 1;
        return o;
    }
    char* end;
    errno = 0;
    long version = std::strtol(lines[1].c_str(), &end, 10);
    if (end == lines[1].c_str() || errno == ERANGE) {
        o.result = PREFS_READ_HEADER;
        o.line = 2;
        return o;
    }
    if (version != PREFS_VERSION) {
        o.result = version == PREFS_DISABLED_VERSION ? PREFS_READ_DISABLED : PREFS_READ_VERSION;
        o.line = 2;
        return o;
    }
    Reader rd(lines, 2);
    prefs_walk_lines(*r, rd);
    if (rd.bad_line) {
        o.result = PREFS_READ_LINE;
        o.line = rd.bad_line;
        o.what = rd.what;
    }
    return o;
}

void prefs_read_notice(const char* l1, const char* path, const PrefsReadOutcome& o, const char* l4)
{
    char l3[STR_LEN];
    switch (o.result) {
    case PREFS_READ_MISSING: std::snprintf(l3, sizeof l3, "The file could not be opened."); break;
    case PREFS_READ_VERSION:
    case PREFS_READ_DISABLED:
        std::snprintf(l3, sizeof l3, "It is the wrong version for this version of Kestrova (line 2).");
        break;
    case PREFS_READ_HEADER: std::snprintf(l3, sizeof l3, "Its first lines are not those of a settings file."); break;
    default: std::snprintf(l3, sizeof l3, "Line %d should hold %s.", o.line, o.what); break;
    }
    MACIBM_alert(l1, path ? path : "", l3, l4 ? l4 : "", ALERT_NOTICE);
}
