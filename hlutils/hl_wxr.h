// hl_wxr.h -- the weather-report file "WORLD.RWX": the report nearest a position, one report
// decoded into numbers, and the storm level of the weather grid around the aircraft.
//
// A line of the file is a 4-character station identifier (the first four characters of an airport
// identifier, blank-padded), one separator, and the report: words separated by single blanks, e.g.
//   KSBD SA 1651 25 SCT 80 BKN 10 R- 65/55/2710G20/992
// = report type, time 16:51, clouds scattered at 2500 ft and broken at 8000 ft above the station,
// visibility 10 nm, light rain, temperature 65, dew point 55 (degrees F), wind 270 degrees at 10 kt
// gusting 20, altimeter 29.92 inches of mercury.
#pragma once

// The report file, in the program folder.
constexpr const char* WXR_FILE_NAME = "WORLD.RWX";

constexpr int WXR_TEXT_LEN = 400;   // report text with its end; longer reports are cut
constexpr int WXR_MAX_WORDS = 40;   // words of a report that are looked at

// Cloud cover as decoded.
enum {
    WXR_CLEAR = 1,
    WXR_SCATTERED = 2,
    WXR_BROKEN = 3,
    WXR_OVERCAST = 4,
};

// Precipitation kind as decoded; its intensity is 1 light, 2 moderate, 3 heavy.
enum {
    WXR_THUNDERSTORM = 1,
    WXR_RAIN_OR_SNOW = 2,
    WXR_RAIN_AND_FOG = 3,
    WXR_SHOWERS = 4,
};

// The weather-intensity grid: 210 cells per degree over the region's 3 by 2 degrees, first index
// west to east, second north to south.
constexpr int WXR_GRID_NI = 631;
constexpr int WXR_GRID_NJ = 421;

// Reads the open report file (inf1, opened on "WORLD.RWX" by the caller) to its end and keeps the
// report of the station nearest (lat, lon), degrees, among the airports of the loaded region that
// have a runway; distance is measured in degrees to the airport's first runway. The report text
// (without identifier and separator, at most WXR_TEXT_LEN - 1 characters) goes into text and the
// airport's elevation (m) into elevation. Returns 1 when a station matched, else 0 with both
// outputs untouched. Reading stops at the first line shorter than four characters.
int get_wxr_str(char* text, float* elevation, float lat, float lon);

// One line of the open report file (inf1): its four identifier characters (not terminated) and its
// report text without the separator, cut to WXR_TEXT_LEN - 1 characters (the rest of a long line is
// read and dropped). Returns 0 at the end of the file or on a line too short to hold an identifier.
int wxr_read_line(char id[4], char* text);

// Decodes one report. elevation (m) is the station's, added to the cloud heights. Results, each
// left as the caller set it when the report does not give it:
//   time        s after midnight           cover       WXR_CLEAR .. WXR_OVERCAST
//   base, top   cloud base and top, m above sea level (precipitation raises the top)
//   visibility  m                          kind, intensity   precipitation
//   temperature, dewpoint  degrees as reported (F), only above 0
//   wind_dir    degrees (1..360; a variable wind gets a random direction), wind_speed kt,
//   gust        kt above wind_speed        altimeter   inches of mercury
void decode_wxr(const char* text, float elevation, float* time, int* cover, float* base, float* top,
                float* visibility, int* kind, int* intensity, float* temperature, float* dewpoint,
                float* wind_dir, float* wind_speed, float* gust, float* altimeter);

// The weather-grid cell under the point (x, z), m: x scaled from lox..hix onto columns 0..630, z
// from loz..hiz onto rows 0..420, clamped into the grid (a point off the grid or a degenerate
// region gives the nearest edge cell).
void wxr_cell(float x, float z, float lox, float hix, float loz, float hiz, int* i, int* j);

// The storm level around cell (i, j): the sum over the 5 by 5 cells centred on it of
// (rain_tstm - 1) * cell / 25. Near the grid's edges the cells beyond it are taken from the nearest
// edge cell, so the window never reads outside the grid.
float wxr_window_level(const float grid[WXR_GRID_NI][WXR_GRID_NJ], int i, int j, float rain_tstm);
