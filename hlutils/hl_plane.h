// hl_plane.h -- the aircraft record, byte for byte the aircraft file's, and its byte-order swap.
#pragma once
#include <cstdint>

struct planestruct {
    int32_t placeholder;  // the full record arrives with the aircraft-file module
    int32_t is_heli;      // the aircraft is a helicopter (panel layout)
};

extern planestruct pln[2];
