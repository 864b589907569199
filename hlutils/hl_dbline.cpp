// hl_dbline.cpp -- airport, runway, navaid and fix lines of the databases.
#include "hl_dbline.h"

#include "hl_file.h"

#include <cmath>
#include <iomanip>

// Whole degrees into 0..359, however far out the value is.
static int wrap_heading(int h)
{
    int r = h % 360;
    return r < 0 ? r + 360 : r;
}

static void put_int(int v, int width) { ouf << std::setw(width) << v; }

static void put_fixed(float v, int width, int decimals)
{
    ouf << std::fixed << std::setprecision(decimals) << std::setw(width) << v;
}

// An identifier in exactly n columns: no leading blanks (the reader skips them and would then run
// into the next field), control characters as blanks, blank-padded, and "-" when it is empty, so
// the fixed-width reader never takes characters from the name or the next line.
static void put_id(const char* id, int n)
{
    char out[DB_FIX_ID_LEN];
    int len = 0;
    for (int i = 0; id && id[i] && len < n; i++) {
        char c = id[i];
        if (static_cast<unsigned char>(c) < 32 || c == 127) c = ' ';
        if (c == ' ' && len == 0) continue;
        out[len++] = c;
    }
    while (len > 0 && out[len - 1] == ' ') len--;
    if (len == 0) out[len++] = DB_NO_LETTER;
    while (len < n) out[len++] = ' ';
    ouf.write(out, n);
}

// A name as stored, cut at its array's size and at any line end it holds.
static void put_name(const char* name)
{
    int len = 0;
    while (name && len < DB_NAME_LEN - 1 && name[len] && name[len] != '\n' && name[len] != '\r') len++;
    if (len > 0) ouf.write(name, len);
}

// The side letter directly after the runway number: it reads back only as one printable character
// that is not a digit (which would join the number).
static char letter_out(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    if (u <= 32 || u >= 127 || (c >= '0' && c <= '9')) return DB_NO_LETTER;
    return c;
}

void fio_apt_line(float* elev, int* tower, int* buildings, char* id, char* name, int scan)
{
    if (scan) {
        *elev = fltscan("scan apt apt_h");
        *tower = bolscan("scan apt apt_twr");
        *buildings = bolscan("scan apt apt_bld");
        wrdscan(id, "airport ID", DB_ID_LEN, 1);
        strscan(name, "airport name", DB_NAME_LEN);
        return;
    }
    ouf << DB_CODE_AIRPORT << ' ';
    put_fixed(*elev, 6, 0);
    ouf << ' ' << (*tower == 1 ? 1 : 0) << ' ' << (*buildings == 1 ? 1 : 0) << ' ';
    put_id(id, DB_ID_LEN - 1);
    ouf << ' ';
    put_name(name);
    ouf << '\n';
}

void fio_rwy_line(float* lat, float* lon, int* number, char* letter, int* heading, int* length, int* width,
                  int* lights, int scan)
{
    if (scan) {
        *lat = fltscan("scan rwy rwy_lat");
        *lon = fltscan("scan rwy rwy_lon");
        *number = intscan("scan rwy rwy_num");
        char c = ' ';
        if (scancheck("scan rwy rwy_num")) {
            std::istream& in = inf_use == 2 ? inf2 : inf1;
            in >> c;
            if (!scancheck("scan rwy rwy_num")) c = ' ';
        }
        *letter = (c == DB_NO_LETTER) ? ' ' : c;
        *heading = wrap_heading(intscan("scan rwy rwy_hdng"));
        *length = intscan("scan rwy rwy_len");
        *width = intscan("scan rwy rwy_width");
        *lights = intscan("scan rwy rwy_lite");
        return;
    }
    ouf << DB_CODE_RUNWAY << ' ';
    put_fixed(*lat, 10, 6);
    ouf << ' ';
    put_fixed(*lon, 11, 6);
    ouf << ' ';
    put_int(*number, 2);
    ouf << letter_out(*letter) << ' ';
    put_int(wrap_heading(*heading), 3);
    ouf << ' ';
    put_int(*length, 6);
    ouf << ' ';
    put_int(*width, 3);
    ouf << ' ';
    put_int(*lights, 7);
    ouf << '\n';
}

void fio_nav_line(int* kind, float* lat, float* lon, float* elev, int* freq, int* heading, char* id, char* name,
                  int scan)
{
    if (scan) {
        *lat = fltscan("scan nav line");
        *lon = fltscan("scan nav line");
        *elev = fltscan("scan nav line");
        *freq = intscan("scan nav line");
        *heading = wrap_heading(intscan("scan nav line"));
        wrdscan(id, "nav ID", DB_ID_LEN, 1);
        strscan(name, "nav line", DB_NAME_LEN);
        return;
    }
    put_int(*kind, 1);
    ouf << ' ';
    put_fixed(*lat, 10, 6);
    ouf << ' ';
    put_fixed(*lon, 11, 6);
    ouf << ' ';
    put_fixed(*elev, 8, 1);
    ouf << ' ';
    put_int(*freq, 8);
    ouf << ' ';
    put_int(wrap_heading(*heading), 4);
    ouf << ' ';
    put_id(id, DB_ID_LEN - 1);
    ouf << ' ';
    put_name(name);
    ouf << '\n';
}

int fio_fix_line(float* lat, float* lon, char* id, int scan)
{
    if (scan) {
        *lat = fltscan("fix.dat");
        if (std::round(*lat) == static_cast<float>(DB_CODE_END)) return 0;
        *lon = fltscan("fix.dat");
        wrdscan(id, "nav ID", DB_FIX_ID_LEN, 1);
        return 1;
    }
    put_fixed(*lat, 10, 6);
    ouf << ' ';
    put_fixed(*lon, 11, 6);
    ouf << ' ';
    put_id(id, DB_FIX_ID_LEN - 1);
    ouf << '\n';
    return 1;
}
