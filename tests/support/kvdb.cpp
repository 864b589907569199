// kvdb.cpp -- test support: loading the world databases into the tables.
#include "kvdb.h"

#include "hl_types.h"
#include "hl_worlddb.h"

void kvdb_set_units(void)
{
    con.fttomtrs = 0.3048f;
    con.mtrstoft = 1.0f / 0.3048f;
    con.nmtomtrs = 1852.0f;
    con.mtrstonm = 1.0f / 1852.0f;
}

KvDbCounts kvdb_load(const std::string& folder)
{
    read_world_db(folder.c_str());
    KvDbCounts n;
    n.airports = apt_wrl_max + 1;
    n.runways = rwy_wrl_max + 1;
    n.navaids = nav_wrl_max - 1;
    while (n.fixes < MAX_FIX && fix_lat[n.fixes] != 99.0f) n.fixes++;
    return n;
}
