// hl_prefs.h -- reading the preference file (and the situation files of the same layout): one text
// file, version 51, 163 value lines in a fixed order, read whole into a record of what it holds.
// The simulator commits the record to its settings; the weather-briefing program takes its weather
// and aircraft from it.
#pragma once
#include "hl_types.h"

constexpr int PREFS_VERSION = 51;
constexpr int PREFS_LINES = 163;          // value lines after the header
constexpr int FILE_KIND_SITUATION = 203;
constexpr int FILE_KIND_PREFS = 207;
constexpr int PREFS_NUM_ITEMS = 60;       // data-output items, one line each
constexpr int PREFS_NUM_JOY = 22;         // joystick button flags
constexpr int PREFS_DISABLED_VERSION = -1;   // the version "Reset Preferences and Exit" writes

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
    int dsk[PREFS_NUM_ITEMS], rlt[PREFS_NUM_ITEMS], grf[PREFS_NUM_ITEMS];
    int serout;
    float damp;
    float joy_rat_ptch, joy_rat_hdng, joy_rat_roll;
    int eq_ped, eq_avi, eq_thr, eq_col;
    float nz_ptch, nz_hdng, nz_roll;
    int joy_response[PREFS_NUM_JOY];
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

// What the walk does with each line; the reader parses, the simulator's writer prints.
struct PrefsLineIo {
    virtual ~PrefsLineIo() = default;
    virtual void text(char* s) = 0;              // up to 399 characters
    virtual void integer(int& v) = 0;
    virtual void boolean(int& v) = 0;            // 0 or 1
    virtual void real(float& v) = 0;
    virtual void real(double& v) = 0;
    virtual void truncated(int& v) = 0;          // any number, truncated to a whole one
    virtual void triple(int& a, int& b, int& c) = 0;   // three 0/1 values on one line
};

// Visits every value line of the file in its order. One walk serves the reader and the writer, so
// the two cannot drift apart.
void prefs_walk_lines(PrefsRec& r, PrefsLineIo& io);

enum PrefsReadResult {
    PREFS_READ_OK,
    PREFS_READ_MISSING,    // the file could not be opened
    PREFS_READ_DISABLED,   // version -1: switched off by "Reset Preferences and Exit"
    PREFS_READ_HEADER,     // the first lines are not a settings file's
    PREFS_READ_VERSION,    // another version
    PREFS_READ_LINE,       // a value line could not be read, or the file ends early
};

struct PrefsReadOutcome {
    PrefsReadResult result = PREFS_READ_OK;
    int line = 0;            // the file's line number (header included) that failed
    const char* what = "";   // what that line should have held
};

// Reads the whole file at path into r. The header: a line "I" or "A", then a line starting with the
// version. r is filled as far as the file could be read; only PREFS_READ_OK means every value of it
// is the file's. Raises no alert: the caller knows what the file is for.
PrefsReadOutcome prefs_read_file(const char* path, PrefsRec* r);

// The notice of a settings file that could not be read: first what the program does about it (l1),
// then the file, then what is wrong with it by the outcome (the line and the value it should hold),
// then l4.
void prefs_read_notice(const char* l1, const char* path, const PrefsReadOutcome& o, const char* l4);
