// fltutil.h -- position conversions of the scenery region, the force and moment accumulators of the
// force build-up, fuel flow, gauge ranges, the blinking-light pulse, the random wind table and the
// phonetic alphabet.
#pragma once

#include "hl_types.h"

// ---- latitude and longitude against the region's metres (X east, Z south) ----
double Z_with_lat(double lat);
double lat_with_z(double z);
double X_with_latlon(double lat, double lon);
double lon_with_xz(double x, double z);

// ---- force accumulators: a force F (N) acting at an arm (m from the centre of gravity; x right,
// y up, z aft) adds to its source's sum and to the moments L (roll right), M (pitch up), N (yaw
// right). Propulsion and gear forces are along the body's axes (forward, right, up).
inline void add_axial(float& sum, float F, float x, float y)
{
    sum += F;
    flt.M -= F * y;
    flt.N -= F * x;
}
inline void add_side(float& sum, float F, float y, float z)
{
    sum += F;
    flt.L += F * y;
    flt.N -= F * z;
}
inline void add_normal(float& sum, float F, float x, float z)
{
    sum += F;
    flt.L -= F * x;
    flt.M -= F * z;
}
inline void addFaprop(float F, float x, float y) { add_axial(flt.faxilprop, F, x, y); }
inline void addFsprop(float F, float y, float z) { add_side(flt.fsideprop, F, y, z); }
inline void addFnprop(float F, float x, float z) { add_normal(flt.fnrmlprop, F, x, z); }
inline void addFagear(float F, float x, float y) { add_axial(flt.faxilgear, F, x, y); }
inline void addFsgear(float F, float y, float z) { add_side(flt.fsidegear, F, y, z); }
inline void addFngear(float F, float x, float z) { add_normal(flt.fnrmlgear, F, x, z); }
// Aerodynamic forces along the flight path (axial forward, side right, normal up). The sums keep
// them in path axes; for the moments they are turned into body axes with the cached alpha and beta.
inline void addFaero(float fa, float fs, float fn, float x, float y, float z)
{
    flt.faxilaero += fa;
    flt.fsideaero += fs;
    flt.fnrmlaero += fn;
    float u = fa * flt.cosbeta + fs * flt.sinbeta;
    float s = fs * flt.cosbeta - fa * flt.sinbeta;
    float a = u * flt.cosalph + fn * flt.sinalph;
    float n = fn * flt.cosalph - u * flt.sinalph;
    flt.L += -n * x + s * y;
    flt.M += -a * y - n * z;
    flt.N += -a * x - s * z;
}

// Fuel flow (kg/s) of one engine of the user's aircraft at power x (W, propeller engines) or
// thrust x (N, jets).
float burnin_fuel(float x);

// ---- gauge ranges of the user's aircraft ----
int gage_me(float x);
int tac_max(void);
int n1__max(void);
float mpr_max(void);
int trq_max(void);
int ff__max(void);
// Tick spacing of a gauge whose full scale is max.
void set_mod(float max, int* major, int* minor, int* label);

// Brightness 0..1 of a blinking light with the given phase (s).
float pulse(float phase);

// Moves both wind layers a fraction k (0..1) toward new random values drawn for the severity.
void assign_wind_tbl(float k);

// The spoken word of a digit or capital letter ("" for anything else); out holds 400 characters.
void get_phonetic(char ch, char* out);

// 1 when navaid n is on frequency freq and nearer (degrees of latitude and longitude from the
// aircraft) than both range and *best, which then takes its distance.
int check_nav(int n, int freq, float* best, float range);
// Tunes a radio: 0 and 1 the navigation receivers, 4 the direction finder, 5 the GPS.
void setnav(int radio);
