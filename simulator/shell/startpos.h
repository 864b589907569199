// startpos.h -- start positions and resets of the flight, the identifier look-ups the start windows
// use, and the actions that run when a settings window closes.
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

// The system aircraft the tow and the carriage load as the second aircraft, below the program folder.
extern const char* const TOW_PLANE_PATH;
extern const char* const MOTHERSHIP_PATH;

// Puts the user's aircraft at the start that code (and, for a runway start, kind) names and resets
// the flight: everything but the positions, attitudes and speeds of the twelve aircraft is
// cleared, every failure repaired, half the fuel and half the spare load put aboard, the autopilot
// switched off, the recorded path broken at its current slot, and the sounds and stick forces
// restarted. A special start that finds no target shows its notice and leaves the flight as it was.
void set_fltvars(int code, int kind);


// The first airport (type 1) or navaid of that type whose identifier's first four bytes equal
// id's (id's bytes after its end count as zero): 1 with *index set, else 0 with *index untouched.
int get_index_from_id(const char* id, int type, int* index);

// An instrument final to the airport nearest the point the caller set in msc.req_lat and
// msc.req_lon, with the region loaded around that airport.
void set_up_env_with_request_latlon(void);

// What closing settings window `window` sets going (airport by identifier, latitude and longitude
// start, output selections, thermals, weight check, repairs, sound switches, flight plan).
void process_zap(int window);
