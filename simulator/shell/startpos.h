// startpos.h -- start positions and resets of the flight, the identifier look-ups the start windows
// use, and the actions that run when a settings window closes.
#pragma once

#include "startpos_codes.h"

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
