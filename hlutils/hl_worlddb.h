// hl_worlddb.h -- the simulator's world databases ("apt.dat", "nav.dat", "fix.dat") read into the
// airport, runway, navaid and fix tables at start-up, with the tables' limits, the full-table
// alerts and the progress bar.
//
// Airports and runways fill from index 0, navaids from slot 2 (slots 0 and 1 belong to the carrier),
// fixes from slot 0 with the end mark (99) in the slot after the last fix. Elevations, runway
// lengths and widths become metres; a "-" in an airport name becomes a blank. An airport without
// runway lines owns none: its apt_hi_ind is apt_lo_ind - 1. A file that cannot be opened, has the
// wrong version or holds a malformed field ends the program with its alert; a table that would
// overflow ends it with the count alert, before anything is stored past the table.
#pragma once

constexpr const char* NAV_DATA_FOLDER = "additional nav data";

// Opens name in the program's "additional nav data" folder on inf1 and checks its header (text,
// version 500). Returns 0; a file that cannot be read ends the program.
int open_aptnavfix_dat(const char* name);

// Each reads the whole of one open database file into its tables and closes it.
void read_apt_dat(void);
void read_nav_dat(void);
void read_fix_dat(void);

// The files read_world_db reads, in its order: airports and runways, navaids, fixes.
constexpr int WORLD_DB_FILES = 3;
extern const char* const WORLD_DB_NAMES[WORLD_DB_FILES];

// The three files of folder (nullptr: the program's "additional nav data" folder), in the order
// airports, navaids, fixes.
void read_world_db(const char* folder);
