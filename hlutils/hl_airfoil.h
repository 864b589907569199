// hl_airfoil.h -- one part file's constants and coefficient tables (airfoils and flaps).
#pragma once
#include <cstdint>

struct airfoilstruct {
    int32_t placeholder;  // the full record arrives with the part-file module
};

extern airfoilstruct afl[2];
