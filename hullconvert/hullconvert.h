// hullconvert.h -- Hullconvert: turns an aircraft file of the earlier text layout (version 35) into
// the current binary aircraft file (version 46) in place.
//
// The earlier layout, after the text header "I" / "35 version": sections 100 to 121 in order. Each
// section is a title line (skipped), a line holding the section number, then its values one a line
// (a comment may follow a value). A surface's incidences share one line, as does each of its
// control rows (one 0/1 flag per element); each body point is one line "z x y". Names are whole lines.
#pragma once
#include "hl_plane.h"

constexpr int OLD_ACF_VERSION = 35;
constexpr int OLD_ACF_TYPE = 206;        // a text file
constexpr int OLD_STATIONS = 9;          // body stations of the earlier layout
constexpr int OLD_POINTS = 8;            // points per station
constexpr int OLD_FIRST_BODY = 18;       // the bodies 18..24 are stored
constexpr int OLD_LAST_BODY = 24;
constexpr int OLD_MAX_ELS = 8;

// The section number that opens the section: the title line is skipped, then the number is read
// and the rest of its line skipped. A different number raises the fatal read-in alert naming the
// expected and the found number. 1 when it matched.
int checkpoint(int expected);

// One lifting surface's section (surface s, section number sec) into rec.
void grabapart(planestruct* rec, int s, int sec);

// Every section of the open earlier-layout file (inf1) into rec, in file order, with the engine,
// gear and vectoring values converted.
void readplane(planestruct* rec);

// Moves station `from` of body b to station `to` (all 16 points).
void scoot_s(planestruct* rec, int b, int from, int to);
// Station i of body b becomes the average of stations i - 1 and i + 1.
void ave_section(planestruct* rec, int b, int i);
// The stored 8 points of each station become the even points of 16; each odd point is the average
// of its neighbours. Then the stations move to their places in the current layout and the gaps are
// filled: the fuselage's 9 stations to 11, the nacelles' and the other bodies' 5 to 7.
void rearrange_bodies(planestruct* rec);
// What the earlier layout lacks: engine and gear defaults, pylons, the symmetrical section for the
// parts that had no airfoils, the round body 25, and sweep and dihedral wrapped into -180..180.
void set_defaults(planestruct* rec);

// The whole conversion of the file at path: read it into pln[0] (cleared first), write the current
// file under a temporary name beside it and only when that is whole put it in the file's place. A
// file that cannot be opened or read gets its alert and nothing is written. 1 when converted.
int convert_file(const char* path);

// The program: single instance, the window, the file (the path given on the command line, or the
// open dialog), the conversion, the end. 0 when the file was converted or none was chosen, 1 when
// the converted file could not be written (a file that cannot be read ends the program at its
// alert, also with 1).
int WinMain(int argc, char** argv);
