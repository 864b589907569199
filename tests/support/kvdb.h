// kvdb.h -- test support: the world databases loaded into the tables with the library's line
// readers, the way the simulator's start-up reads them, but counting every record of a file, also
// past the tables' capacity (those records are read and not stored).
#pragma once
#include <string>

struct KvDbCounts {
    int airports = 0, runways = 0, navaids = 0, fixes = 0;
};

// The unit factors the window start-up sets and the databases and weather reports use.
void kvdb_set_units(void);

// Reads "apt.dat", "nav.dat" and "fix.dat" of folder (each must be there with version 500).
// Airports and runways fill from index 0, navaids from slot 2, fixes from slot 0; elevations,
// runway lengths and widths become metres, "-" in airport names blanks.
KvDbCounts kvdb_load(const std::string& folder);
