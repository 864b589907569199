// hl_dbline.h -- one line of the airport, runway, navaid and fix databases ("apt.dat", "nav.dat",
// "fix.dat"), read from the open input or written to ouf by the same function, so that reader and
// writer cannot drift apart.
//
// scan 1 reads the fields after the line's code (the caller has read the code with intscan);
// scan 0 writes the whole line, code included. Lengths and elevations are feet, positions degrees,
// headings whole degrees (0..359 once read). A field that cannot be read raises the fatal scanning
// alert naming it. A database file ends with the line "99".
#pragma once

constexpr int DB_VERSION = 500;        // version of the three database files
constexpr int DB_FILE_TYPE = 207;      // they are text files
constexpr int DB_CODE_AIRPORT = 1;
constexpr int DB_CODE_RUNWAY = 10;
constexpr int DB_CODE_END = 99;
constexpr int DB_ID_LEN = 5;           // airport and navaid identifiers: 4 characters and the end
constexpr int DB_FIX_ID_LEN = 6;       // fix identifiers: 5 characters and the end
constexpr int DB_NAME_LEN = 40;        // names: 39 characters and the end

// A missing runway letter is written as this and read back as a blank; an empty identifier is
// written as this. Either way the line reads back field for field.
constexpr char DB_NO_LETTER = '-';

// Airport, code 1: elevation, tower and buildings flags (0/1), identifier, name.
void fio_apt_line(float* elev, int* tower, int* buildings, char* id, char* name, int scan);

// Runway, code 10: centre latitude and longitude, number and side letter (blank when none),
// heading, length, width, lights code.
void fio_rwy_line(float* lat, float* lon, int* number, char* letter, int* heading, int* length, int* width,
                  int* lights, int scan);

// Navaid; its code is its kind: latitude, longitude, elevation, frequency, heading, identifier, name.
void fio_nav_line(int* kind, float* lat, float* lon, float* elev, int* freq, int* heading, char* id, char* name,
                  int scan);

// Fix, no code: latitude, longitude, identifier. Reading returns 0, having read only the latitude,
// when the latitude rounds to 99 (the end of the file), else 1.
int fio_fix_line(float* lat, float* lon, char* id, int scan);
