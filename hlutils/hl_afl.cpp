// hl_afl.cpp -- part files: airfoils and flaps, read into the tables and written from the synthesis.
#include "hl_afl.h"

#include "hl_file.h"
#include "hl_types.h"
#include "hl_wind.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iomanip>

// One airfoil file's contents, filled while reading and copied into afl only when whole.
struct foilscratch {
    float trat, Re, almax;
    float clneg[AFL_CL_ROWS], cdneg[AFL_CD_ROWS];
    float clpos[AFL_CL_ROWS], cdpos[AFL_CD_ROWS];
    float clM, clB, cmal2, cmal3, cm1, cm2, cm3, cm4;
};

struct flapscratch {
    float cl[FLAP_ROWS], cd[FLAP_ROWS], cm[FLAP_ROWS];
};

// folder + name into path; 0 when it does not fit.
static int join_path(char* path, const char* folder, const char* name)
{
    int n = std::snprintf(path, STR_LEN, "%s%s", folder, name ? name : "");
    return n >= 0 && n < STR_LEN;
}

// Opens a part file on input channel 1 and reads its device type code into *code (a failed scan
// leaves inf1 failed), keeping the caller's channel in *saved_use for close_part. 0 when the file
// cannot be opened or its header is wrong; the caller's channel is then back in use.
static int open_part(const char* path, int type, int* saved_use, int* code)
{
    *saved_use = inf_use;
    inf_use = 1;
    if (!inf_open(path, type, PART_FILE_VERSION, 1)) {
        inf_use = *saved_use;
        return 0;
    }
    *code = intscan(path);
    return 1;
}

static void close_part(int saved_use)
{
    inf1.close();
    inf1.clear();
    inf_use = saved_use;
}

// The input has failed (the scanner has already raised its alert) or a value read is not finite.
static bool read_bad(float v) { return inf1.fail() || !std::isfinite(v); }

// Reads the number that labels a row (its angle or its row number). Only its place in the file
// matters: writers round it their own way, so its value is not compared with anything.
static bool skip_row_label(const char* label)
{
    fltscan(label);
    return !inf1.fail();
}

// Reads one value into v; false when the input failed or the value is not a finite number.
static bool read_value(const char* label, float* v)
{
    *v = fltscan(label);
    return !read_bad(*v);
}

// The airfoil file's body after its header: every value into s. Returns 0 when the file is read
// whole, 1 when the input failed (the scanner raised its alert), 2 when the file is damaged.
static int read_airfoil_body(const char* path, foilscratch* s)
{
    char word[32];

    // Constants line: the word, then trat, Re, almin (not kept) and almax.
    wrdscan(word, path, sizeof word, 0);
    if (inf1.fail()) return 1;
    if (std::strcmp(word, "constants:") != 0) return 2;
    float almin = 0.0f;
    if (!read_value(path, &s->trat) || !read_value(path, &s->Re) || !read_value(path, &almin) ||
        !read_value(path, &s->almax))
        return inf1.fail() ? 1 : 2;
    rln(path);
    rln(path);
    if (inf1.fail()) return 1;

    // Negative angles: lift and drag from -90 to -10 degrees, then drag only up to 0.
    for (int n = AFL_CD_ROWS - 1; n >= 0; n--) {
        if (!skip_row_label(path)) return 1;
        if (n >= 100 && !read_value(path, &s->clneg[n - 100])) return inf1.fail() ? 1 : 2;
        if (!read_value(path, &s->cdneg[n])) return inf1.fail() ? 1 : 2;
    }

    // The lift line and moment constants, one a line after their labels' lines.
    rln(path);
    float* consts[] = {&s->clM, &s->clB, &s->cmal2, &s->cmal3, &s->cm1, &s->cm2, &s->cm3, &s->cm4};
    for (int k = 0; k < 8; k++) {
        if (k > 0) rln(path);
        if (!read_value(path, consts[k])) return inf1.fail() ? 1 : 2;
    }
    rln(path);
    rln(path);
    if (inf1.fail()) return 1;

    // Positive angles: drag only from 0 to 9.9 degrees, then lift and drag up to +90.
    for (int n = 0; n < AFL_CD_ROWS; n++) {
        if (!skip_row_label(path)) return 1;
        if (n >= 100 && !read_value(path, &s->clpos[n - 100])) return inf1.fail() ? 1 : 2;
        if (!read_value(path, &s->cdpos[n])) return inf1.fail() ? 1 : 2;
    }
    return 0;
}

static void airfoil_alert(const char* first, const char* path, const char* used_by)
{
    MACIBM_alert(first, path, "The file is used by the:", used_by ? used_by : "", ALERT_FATAL);
}

int grabafoil(const char* name, int part, int tip, int hire, float* almax, int p, const char* used_by)
{
    if (part < 0 || part >= AFL_PARTS || tip < 0 || tip > 1 || hire < 0 || hire > 1 || p < 0 || p > 1) return 0;

    char path[STR_LEN];
    if (!join_path(path, afl_path, name)) {
        airfoil_alert("An airfoil file could not be found! The name of the airfoil is:", name, used_by);
        return 0;
    }
    int saved_use = 0, code = 0;
    if (!open_part(path, PART_FILE_TYPE, &saved_use, &code)) {
        if (!file_opens(path))
            airfoil_alert("An airfoil file could not be found! The name of the airfoil is:", path, used_by);
        else
            airfoil_alert("An airfoil file is corrupted! The name of the airfoil is:", path, used_by);
        return 0;
    }

    foilscratch s;
    std::memset(&s, 0, sizeof s);
    int bad = 0;
    if (inf1.fail())
        bad = 1;
    else if (code != AFL_TYPE_CODE)
        bad = 2;
    else {
        rln(path);
        bad = inf1.fail() ? 1 : read_airfoil_body(path, &s);
    }
    close_part(saved_use);
    // A failed scan has raised its own alert; a file that reads but is not an airfoil gets ours.
    if (bad == 2) airfoil_alert("An airfoil file is corrupted! The name of the airfoil is:", path, used_by);
    if (bad) return 0;

    // The whole file is in: commit it.
    airfoilstruct& a = afl[p];
    a.trat[part][tip] = s.trat;
    a.Re[part][tip][hire] = s.Re;
    std::memcpy(a.clneg[part][tip][hire], s.clneg, sizeof s.clneg);
    std::memcpy(a.cdneg[part][tip][hire], s.cdneg, sizeof s.cdneg);
    std::memcpy(a.clpos[part][tip][hire], s.clpos, sizeof s.clpos);
    std::memcpy(a.cdpos[part][tip][hire], s.cdpos, sizeof s.cdpos);
    a.clM[part][tip][hire] = s.clM;
    a.clB[part][tip][hire] = s.clB;
    a.cmal2[part][tip][hire] = s.cmal2;
    a.cmal3[part][tip][hire] = s.cmal3;
    a.cm1[part][tip][hire] = s.cm1;
    a.cm2[part][tip][hire] = s.cm2;
    a.cm3[part][tip][hire] = s.cm3;
    a.cm4[part][tip][hire] = s.cm4;
    // The zero-lift angle of the straight lift line; a flat line (zero slope) has none, and 0 leaves
    // the angle of attack unshifted. An angle past +-90 degrees means nothing and is held there.
    double zl = std::fabs(s.clM) > 1e-6f ? -static_cast<double>(s.clB) / s.clM : 0.0;
    if (zl > 90.0) zl = 90.0;
    if (zl < -90.0) zl = -90.0;
    a.al_zl[part][tip][hire] = static_cast<float>(zl);
    if (almax) *almax = s.almax;
    return 1;
}

static void flap_missing_alert(const char* name)
{
    MACIBM_alert("The flap file that is required by the aircraft you are attempting to fly could not be found.",
                 "The name of the missing flap file is: ", name ? name : "",
                 "Make sure the missing flap file is in the 'flaps' folder.", ALERT_FATAL);
}

static void flap_corrupt_alert(const char* name)
{
    MACIBM_alert("An error occurred during read-in of the flaps file.",
                 "Either the file has been corrupted, or it is not really a flaps file. The corrupted flaps file is: ",
                 name ? name : "",
                 "Re-generate the flaps file by opening it up with the 'Foilwright' application and then saving it.",
                 ALERT_FATAL);
}

int grabflap(const char* name, float clflap[FLAP_ROWS], float cdflap[FLAP_ROWS], float cmflap[FLAP_ROWS])
{
    char path[STR_LEN];
    if (!join_path(path, flp_path, name)) {
        flap_missing_alert(name);
        return 0;
    }
    int saved_use = 0, code = 0;
    if (!open_part(path, PART_FILE_TYPE, &saved_use, &code)) {
        if (!file_opens(path))
            flap_missing_alert(name);
        else
            flap_corrupt_alert(name);
        return 0;
    }

    flapscratch s;
    int bad = 0;
    if (inf1.fail())
        bad = 1;
    else if (code != FLP_TYPE_CODE)
        bad = 2;
    else {
        rln(path);  // the rest of the code line
        rln(path);  // the constants, which the simulator does not use
        rln(path);  // the heading
        for (int h = 0; h < FLAP_ROWS && !bad && !inf1.fail(); h++) {
            if (!skip_row_label(path)) break;
            if (!read_value(path, &s.cl[h]) || !read_value(path, &s.cd[h]) || !read_value(path, &s.cm[h]))
                bad = 2;
        }
        if (inf1.fail()) bad = 1;
    }
    close_part(saved_use);
    if (bad == 2) flap_corrupt_alert(name);
    if (bad) return 0;

    std::memcpy(clflap, s.cl, sizeof s.cl);
    std::memcpy(cdflap, s.cd, sizeof s.cd);
    std::memcpy(cmflap, s.cm, sizeof s.cm);
    return 1;
}

// The airfoil file's rows: n the table index (positive), neg the side; the curve entry is 270 -+ n.
static void write_row(const foilcurvestruct* c, int n, bool neg)
{
    const int i = neg ? 270 - n : 270 + n;
    char line[256];  // three numbers of up to 47 characters each
    if (n >= 100)
        std::snprintf(line, sizeof line, "%.1f %8.5f %8.5f\n", foil_index_angle(neg ? -n : n), c->cl[i], c->cd[i]);
    else
        std::snprintf(line, sizeof line, "%.1f %8.5f\n", foil_index_angle(neg ? -n : n), c->cd[i]);
    ouf << line;
}

static bool all_finite(const float* v, int n)
{
    for (int i = 0; i < n; i++)
        if (!std::isfinite(v[i])) return false;
    return true;
}

int afl_write_part(const char* path, int device, airfoilstruct* a, const foilcurvestruct* c)
{
    const bool flap = device == DEVICE_FLAP;
    const foilfield* fields = flap ? flp_fields : afl_fields;
    const int nfields = flap ? FLP_NUM_FIELDS : AFL_NUM_FIELDS;
    const int ncurve = flap ? FLAP_CURVE_N : FOIL_CURVE_N;

    // Never put a value in a file that no reader could take back.
    for (int k = 0; k < nfields; k++)
        if (!std::isfinite(*fields[k].at(a))) return 0;
    if (!all_finite(c->cl, ncurve) || !all_finite(c->cd, ncurve) || !all_finite(c->cm, ncurve)) return 0;

    if (!ouf_open(path, device, PART_FILE_VERSION)) return 0;
    char line[256];  // three numbers of up to 47 characters each
    if (flap) {
        ouf << FLP_TYPE_CODE << " device type code\n";
        ouf << "constants: ";
        for (int k = 0; k < nfields; k++) ouf << *fields[k].at(a) << (k + 1 < nfields ? " " : "\n");
        ouf << "def cl cd cm\n";
        for (int h = 0; h < FLAP_ROWS; h++)
            ouf << h << " " << c->cl[8 * h] << " " << c->cd[8 * h] << " " << c->cm[8 * h] << "\n";
        return ouf_close(path);
    }

    ouf << AFL_TYPE_CODE << " device type code\n";
    ouf << "constants: ";
    for (int k = 0; k < nfields; k++) ouf << " " << *fields[k].at(a);
    ouf << "\n";
    ouf << "index     cl         cd\n";
    for (int n = AFL_CD_ROWS - 1; n >= 0; n--) write_row(c, n, true);
    ouf << "\n";
    struct { float v; const char* label; } consts[] = {
        {a->clM[0][0][0], "   clM"}, {a->clB[0][0][0], "   clB"}, {a->cmal2[0][0][0], " cmal2"},
        {a->cmal3[0][0][0], " cmal3"}, {a->cm1[0][0][0], "   cm1"}, {a->cm2[0][0][0], "   cm2"},
        {a->cm3[0][0][0], "   cm3"}, {a->cm4[0][0][0], "   cm4"},
    };
    for (auto& k : consts) {
        std::snprintf(line, sizeof line, "%.5f%s\n", k.v, k.label);
        ouf << line;
    }
    ouf << "\n";
    for (int n = 0; n < AFL_CD_ROWS; n++) write_row(c, n, false);
    return ouf_close(path);
}

int afl_read_constants(const char* path, int device, airfoilstruct* a)
{
    const bool flap = device == DEVICE_FLAP;
    const foilfield* fields = flap ? flp_fields : afl_fields;
    const int nfields = flap ? FLP_NUM_FIELDS : AFL_NUM_FIELDS;

    int saved_use = 0, code = 0;
    if (!open_part(path, device, &saved_use, &code)) return 0;
    int result = 1;
    float v[AFL_NUM_FIELDS] = {};
    if (inf1.fail()) {
        result = 0;
    } else if (code != (flap ? FLP_TYPE_CODE : AFL_TYPE_CODE)) {
        result = (code == AFL_TYPE_CODE || code == FLP_TYPE_CODE) ? -1 : 0;
    } else {
        char word[32];
        rln(path);
        wrdscan(word, path, sizeof word, 0);
        if (inf1.fail() || std::strcmp(word, "constants:") != 0) result = 0;
        for (int k = 0; k < nfields && result == 1; k++)
            if (!read_value(path, &v[k])) result = 0;
    }
    close_part(saved_use);
    if (result != 1) return result;
    for (int k = 0; k < nfields; k++) *fields[k].at(a) = v[k];
    return 1;
}

int afl_read_thickness(const char* path, float* trat)
{
    const int saved_use = inf_use;
    inf_use = 1;
    // A file that is there but gives no thickness is no airfoil this program can read.
    int result = file_opens(path) ? -1 : 0;
    if (inf_open(path, PART_FILE_TYPE, PART_FILE_VERSION, 0)) {
        // Read plainly, not by the scanners: a damaged file here is the user's choice of file, never
        // a reason to end the program.
        int code = 0;
        char word[32] = "";
        float t = 0.0f;
        if (inf1 >> code && code == AFL_TYPE_CODE) {
            // The rest of the code line (" device type code"), then the constants' word.
            bool found = false;
            for (int k = 0; k < 6 && !found && inf1 >> std::setw(sizeof word) >> word; k++)
                found = std::strcmp(word, "constants:") == 0;
            if (found && inf1 >> t && std::isfinite(t)) {
                *trat = t;
                result = 1;
            }
        }
    }
    inf1.close();
    inf1.clear();
    inf_use = saved_use;
    return result;
}
