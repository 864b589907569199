// prefs.h -- the user's settings in the preferences file "Kestrova 4.prf" and in situation files
// (".sit"): one text format, version 51, 163 value lines in a fixed order.
#pragma once
#include "hl_prefs.h"

// Reads a preferences (kind 207) or situation (kind 203) file. The whole file is read and checked
// first; only then are the settings changed, so a file that fails changes nothing and returns 0.
// A missing file is silent unless complain is 1; the file "Reset Preferences and Exit" leaves
// (version -1) is silent; any other failure (wrong version, damaged header, a line that cannot be
// read, a file cut short) gives a notice naming the file and the line. An index that does not fit
// the loaded databases (start airport and runway, GPS entries, key layout, texture resolution,
// serial mode, joystick button codes, DME source) falls back to its factory value; the frame period
// is kept within 0.01..0.11 s. Returns 1 when the settings were taken from the file.
int grab_prefs(const char* path, int kind, int complain);

// Writes the current settings and the aircraft's position to path as kind. The file is written
// beside path and then put in its place, so a failed write leaves the old file. 1 on success.
int dump_prefs(const char* path, int kind);

// The factory settings. Needs the constants and the world databases (the start airport is the
// last "KSBD" with runways; the GPS entries are limited to the loaded tables).
void hard_prefs(void);

// Start-up: the preferences file, or the factory settings when it is missing or unreadable.
void start_prefs(void);

// The position lines of the file measure the aircraft from the north-west corner of the region
// that the start airport gives. After that region is loaded, this turns set.cus_X and set.cus_Z
// from those offsets into the region's own metres.
void situation_position_to_region(void);

// File menu: load a situation (open dialog, then region, aircraft and the custom start) and save
// one (save dialog). Cancelled dialogs and rejected files change nothing.
void open_situation(void);
void save_situation(void);
