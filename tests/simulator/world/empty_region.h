// empty_region.h -- test support: a region of the test's own making around (lat_sou, lon_wes) =
// (10, 20). The tables are cleared, the units set and app_path is a fresh folder without scenery
// squares (the ground is water); the test places its airports and radios in the world tables.
#pragma once
#include "hl_types.h"
#include "kvdb.h"
#include "kvtest.h"

#include <cstdio>

class EmptyRegion : public ::testing::Test {
protected:
    TempDir dir;
    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        kvdb_set_units();
        std::snprintf(app_path, sizeof app_path, "%s/", dir.str().c_str());
        env.lat_sou = 10;
        env.lon_wes = 20;
    }
};
