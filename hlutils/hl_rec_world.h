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
    int32_t over_carr;   // the aircraft is over the carrier's deck (set while the view is drawn)
    int32_t over_frig;   // over the frigate's deck
    int32_t over_obs;    // over an obstacle whose top is obj_height
    float obj_height;    // m
};

// What the outside view draws. Cleared at start-up.
struct scenerystruct {
    int32_t placeholder;
};

// The region grids: 3 by 2 one-degree squares, first index i = column west to east, second j = row
// south to north. Cleared at start-up; filled by the region loader.
constexpr int REGION_NI = 178;
constexpr int REGION_NJ = 159;
extern float planexyz[REGION_NI][REGION_NJ][3];          // x east, height, z south, m
extern uint32_t planetex[REGION_NI][REGION_NJ];          // texture number of the cell whose south-west point is [i][j]
// Per cell, the texture coordinates of its four corners, [corner i offset][corner j offset][s, t]:
// in the stored order s0 t0 (point i, j), s1 t1 (i, j+1), s2 t2 (i+1, j), s3 t3 (i+1, j+1).
extern float planest[REGION_NI][REGION_NJ][2][2][2];
extern int32_t on_water[REGION_NI][REGION_NJ];           // cell flags
extern int32_t city_on_poly[REGION_NI][REGION_NJ];

extern atmospherestruct atm;
extern environmentstruct env;
extern scenerystruct scn;
