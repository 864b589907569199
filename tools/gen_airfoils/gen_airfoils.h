// gen_airfoils.h -- the bundled airfoil and flap part files, made from a readable list of section
// constants.
#pragma once
#include "hl_foilsynth.h"

#include <string>
#include <vector>

// One part of the list: its kind, its file name, and its constants in the order of afl_fields
// (airfoil) or flp_fields (flap).
struct genpart {
    int device = DEVICE_AIRFOIL;
    std::string name;
    int line = 0;  // the line of the input where the part starts
    float value[AFL_NUM_FIELDS] = {};
};

// Reads and checks the whole list. Every constant of a part must stand once and lie in its range;
// the constants of an airfoil must also agree with each other. Returns true with parts filled, or
// false with error naming the input file, the line, the part and the constant at fault.
bool gen_read_sections(const std::string& path, std::vector<genpart>* parts, std::string* error);

// Synthesises every part and writes it: airfoils into afl_dir, flaps into flp_dir. Each file is
// first written under a temporary name; only when all are written are they renamed into place, so
// a failure leaves no new or half-written file behind. Then the parts earlier lists made and this
// one retired are removed from afl_dir. Returns false with error on failure.
bool gen_write_parts(const std::vector<genpart>& parts, const std::string& afl_dir, const std::string& flp_dir,
                     std::string* error);
