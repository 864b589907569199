// kvdb.h -- test support: the world databases of a folder loaded into the tables by the
// simulator's own loader, and the counts of what it stored.
#pragma once
#include <string>

struct KvDbCounts {
    int airports = 0, runways = 0, navaids = 0, fixes = 0;
};

// The unit factors the window start-up sets and the databases and weather reports use.
void kvdb_set_units(void);

// Reads "apt.dat", "nav.dat" and "fix.dat" of folder with read_world_db and returns the number of
// records stored in each table (fixes: up to the end mark). A fatal alert of the loader reaches
// the caller as FatalAlert.
KvDbCounts kvdb_load(const std::string& folder);
