// hl_foilsynth.h -- an airfoil's or a flap's coefficient curves synthesised from a few constants.
//
// The part editor keeps the part it edits in afl[0] and calls foil_generate after every change; the
// data generator does the same for each bundled part. The airfoil's per-part constants are used at
// [part 0][root][low Reynolds number] only.
#pragma once
#include "hl_airfoil.h"

enum {
    DEVICE_AIRFOIL = 200,  // the part being edited is an airfoil (also its part-file type)
    DEVICE_FLAP = 201,     // a flap
};

constexpr int FOIL_CURVE_N = 541;   // airfoil: table index -270..270; flap: fraction i/400, i = 0..400
constexpr int FLAP_CURVE_N = 401;

// The synthesised curves and their plot scales.
struct foilcurvestruct {
    float cl[FOIL_CURVE_N];  // airfoil: entry i is table index i - 270 (-90..90 degrees)
    float cd[FOIL_CURVE_N];  // flap: entry i is the added coefficient at deflection fraction i/400
    float cm[FOIL_CURVE_N];
    float cls, cds, cms;     // plot scales of lift, drag and moment
};

// One named constant of a part: where it lives in an airfoilstruct and the range a bundled part
// must keep it in. The tables list the constants in the part file's order.
struct foilfield {
    const char* name;
    float* (*at)(airfoilstruct* a);
    float lo, hi;
};
constexpr int AFL_NUM_FIELDS = 25;
constexpr int FLP_NUM_FIELDS = 9;
extern const foilfield afl_fields[AFL_NUM_FIELDS];
extern const foilfield flp_fields[FLP_NUM_FIELDS];

// The angle in degrees of table index n (-270..270): n/10 within +-200, whole degrees beyond.
float foil_index_angle(int n);

// Both constant sets back to the editor's new-part values (a general-aviation section, a plain flap).
void foil_defaults(airfoilstruct* a);
// The derived values the curve functions read; call after any constant changes.
void foil_derive(airfoilstruct* a);

// Lift, drag and pitching-moment coefficients at an angle of attack in degrees (-90..90), from the
// constants and the derived values. Always finite: a zero denominator counts as a ratio of 0.
float fcolift(const airfoilstruct* a, float alpha);
float fcodrag(const airfoilstruct* a, float alpha);
float fcomomt(const airfoilstruct* a, float alpha);

// Derives and fills the curves of an airfoil (DEVICE_AIRFOIL: 541 entries) or a flap
// (DEVICE_FLAP: 401 entries) and sets the plot scales.
void foil_generate(airfoilstruct* a, int device, foilcurvestruct* c);

// Checks the constants of an airfoil or a flap against their ranges and against each other.
// Returns nullptr when all is well, else the name of the first constant at fault.
const char* foil_check(airfoilstruct* a, int device);
