// hl_rec_world.h -- the world around the aircraft: weather `atm`, surroundings `env`, drawing `scn`.
#pragma once
#include <cstdint>

// The weather. Cleared at start-up; set by the preferences, the weather windows and the reports.
struct atmospherestruct {
    float temp_SL;    // sea-level temperature, degrees F
};

// The aircraft's surroundings. Cleared at start-up; refreshed by the region loader and each frame.
struct environmentstruct {
    float dx, dz;     // the region's size east and south, m
};

// What the outside view draws. Cleared at start-up.
struct scenerystruct {
    int32_t placeholder;
};

extern atmospherestruct atm;
extern environmentstruct env;
extern scenerystruct scn;
