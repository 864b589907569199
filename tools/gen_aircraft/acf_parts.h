// acf_parts.h -- the aircraft's part numbering as the descriptions and their messages use it.
#pragma once
#include <string>

// Parts 0-3 propellers (a helicopter's main and tail rotor are 0 and 1), 4-9 wings (even left),
// 10-11 horizontal stabiliser, 12-13 vertical stabilisers, 14-17 engine pylons, 18 fuselage,
// 19-22 nacelles, 23-24 fuel tanks or floats, 25-27 wheel fairings.
inline std::string part_label(int p)
{
    static const char* const names[28] = {
        "propeller 1",   "propeller 2",   "propeller 3",   "propeller 4",   "left wing 1",  "right wing 1",
        "left wing 2",   "right wing 2",  "left wing 3",   "right wing 3",  "left h-stab",  "right h-stab",
        "vert stab 1",   "vert stab 2",   "eng pylon 1",   "eng pylon 2",   "eng pylon 3",  "eng pylon 4",
        "fuselage",      "nacelle 1",     "nacelle 2",     "nacelle 3",     "nacelle 4",    "misc body 1",
        "misc body 2",   "w-fairing 1",   "w-fairing 2",   "w-fairing 3"};
    return (p >= 0 && p < 28) ? names[p] : "part " + std::to_string(p);
}

// Stations and outline points of body b (18-27): the fuselage has 11 stations, the others 7; the
// wheel fairings have 8 points round a station, the other bodies 16.
inline int body_stations(int b) { return b == 18 ? 11 : 7; }
inline int body_points(int b) { return b >= 25 ? 8 : 16; }
