// bigdb.h -- synthetic airport, navaid and fix databases of any size, for the tests of the
// database tables' limits.
#pragma once
#include "hl_types.h"

#include <cstdint>

struct bigdb_counts {
    int airports, runways, navaids, fixes;
};

// The counts that fill the simulator's tables exactly: 12000 airports and 16000 runways; navaids
// fill slots 2..19999 (slots 0 and 1 belong to the carrier), so 19998 of them; fixes fill slots
// 0..33998 and leave the last slot for the end mark, so 33999 of them. One more of any kind is a
// full table.
constexpr bigdb_counts BIGDB_FULL = {MAX_APT, MAX_RWY, MAX_NAV - 2, MAX_FIX - 1};

// Writes "apt.dat", "nav.dat" and "fix.dat" (version 500) with exactly these counts into folder,
// creating it. The first airport is the default start airport KSBD with its runway; everything else
// is drawn from a generator seeded with seed, so the same seed gives the same bytes. Runways are
// shared out evenly, the first airports taking the extra ones. Returns 1, or 0 when a file could
// not be written.
int bigdb_write(const char* folder, const bigdb_counts& counts, uint32_t seed);

// The variant sets under root, each a complete database folder: "full" fills every table exactly;
// "over_airports", "over_runways", "over_navaids" and "over_fixes" are full sets with one record too
// many for that one table. Returns 1 when all were written.
int bigdb_write_variants(const char* root, uint32_t seed);

// Names of the variant folders, in the order bigdb_write_variants writes them.
constexpr int BIGDB_VARIANTS = 5;
extern const char* const bigdb_variant_name[BIGDB_VARIANTS];
