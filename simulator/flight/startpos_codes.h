// startpos_codes.h -- the start codes of set_fltvars and the kinds of the runway start. The
// routine is the shell's; the flight model (the restart after a crash) and the cockpit (the map's
// click) reach it through their hook tables with these codes.
#pragma once

// Start codes of set_fltvars.
enum {
    START_CUSTOM = 102,          // set.cus_X, cus_Y, cus_Z, cus_psi, cus_v
    START_RUNWAY = 208,          // msc.loc_apt_wrl, loc_rwy_wrl, backwards; kind 7, 8 or 9
    START_NAVAID = 209,          // custom position at least 1000 m above the ground
    START_GRASS = 1400, START_DIRT = 1401, START_GRAVEL = 1402,   // nearest such runway
    START_CATAPULT = 1403,       // on the nearest carrier's catapult
    START_WATER = 1404,          // on open water
    START_FORMATION = 1500,      // behind the nearest other aircraft
    START_TOW = 1501,            // a glider behind a tow plane on the start runway
    START_CARRIAGE = 1502,       // carried under a mothership
    START_HELIPAD = 1600,        // approach to the nearest building with a helipad
    START_CARRIER_APP = 1601, START_OILRIG_APP = 1602, START_FRIGATE_APP = 1603,
    START_FIRE_APP = 1604,       // approach to a burning forest fire
};
// Kinds of the runway start.
enum { START_TAKEOFF = 7, START_VISUAL_FINAL = 8, START_ILS_FINAL = 9 };
