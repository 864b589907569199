// hl_rec_flight.h -- the flight state `flt`: controls, forces by source, attitude, motion, position.
// Cleared at start-up and, except positions, attitudes and speeds, by every start or reset.
#pragma once
#include <cstdint>

struct flightstruct {
    float lat, lon;   // degrees, the user's aircraft
};

extern flightstruct flt;
