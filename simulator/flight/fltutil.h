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
//
// A loop over many elements keeps one source's sums and the moments in a force_totals of its
// own (take_*_totals before, put_*_totals after): added to in the same order they give the same
// figures, without a store and reload of the aircraft's sums for every element.
struct force_totals {
    float axil, side, nrml;   // N, the source's sums
    float L, M, N;            // N m, the aircraft's moments
};
inline void add_axial(force_totals& t, float F, float x, float y)
{
    t.axil += F;
    t.M -= F * y;
    t.N -= F * x;
}
inline void add_side(force_totals& t, float F, float y, float z)
{
    t.side += F;
    t.L += F * y;
    t.N -= F * z;
}
inline void add_normal(force_totals& t, float F, float x, float z)
{
    t.nrml += F;
    t.L -= F * x;
    t.M -= F * z;
}
// Aerodynamic forces along the flight path (axial forward, side right, normal up). The sums keep
// them in path axes; for the moments they are turned into body axes with the cached alpha and beta.
inline void add_aero(force_totals& t, float fa, float fs, float fn, float x, float y, float z)
{
    t.axil += fa;
    t.side += fs;
    t.nrml += fn;
    float u = fa * flt.cosbeta + fs * flt.sinbeta;
    float s = fs * flt.cosbeta - fa * flt.sinbeta;
    float a = u * flt.cosalph + fn * flt.sinalph;
    float n = fn * flt.cosalph - u * flt.sinalph;
    t.L += -n * x + s * y;
    t.M += -a * y - n * z;
    t.N += -a * x - s * z;
}
// The totals of the source whose sums are a (axial), s (side) and n (normal).
inline force_totals take_totals(const float& a, const float& s, const float& n)
{
    return {a, s, n, flt.L, flt.M, flt.N};
}
inline void put_totals(const force_totals& t, float& a, float& s, float& n)
{
    a = t.axil; s = t.side; n = t.nrml;
    flt.L = t.L; flt.M = t.M; flt.N = t.N;
}
inline force_totals take_aero_totals(void) { return take_totals(flt.faxilaero, flt.fsideaero, flt.fnrmlaero); }
inline void put_aero_totals(const force_totals& t) { put_totals(t, flt.faxilaero, flt.fsideaero, flt.fnrmlaero); }
inline force_totals take_prop_totals(void) { return take_totals(flt.faxilprop, flt.fsideprop, flt.fnrmlprop); }
inline void put_prop_totals(const force_totals& t) { put_totals(t, flt.faxilprop, flt.fsideprop, flt.fnrmlprop); }
inline force_totals take_gear_totals(void) { return take_totals(flt.faxilgear, flt.fsidegear, flt.fnrmlgear); }
inline void put_gear_totals(const force_totals& t) { put_totals(t, flt.faxilgear, flt.fsidegear, flt.fnrmlgear); }

// One force added straight to the aircraft's sums.
inline void addFaprop(float F, float x, float y) { force_totals t = take_prop_totals(); add_axial(t, F, x, y); put_prop_totals(t); }
inline void addFsprop(float F, float y, float z) { force_totals t = take_prop_totals(); add_side(t, F, y, z); put_prop_totals(t); }
inline void addFnprop(float F, float x, float z) { force_totals t = take_prop_totals(); add_normal(t, F, x, z); put_prop_totals(t); }
inline void addFagear(float F, float x, float y) { force_totals t = take_gear_totals(); add_axial(t, F, x, y); put_gear_totals(t); }
inline void addFsgear(float F, float y, float z) { force_totals t = take_gear_totals(); add_side(t, F, y, z); put_gear_totals(t); }
inline void addFngear(float F, float x, float z) { force_totals t = take_gear_totals(); add_normal(t, F, x, z); put_gear_totals(t); }
inline void addFaero(float fa, float fs, float fn, float x, float y, float z)
{
    force_totals t = take_aero_totals();
    add_aero(t, fa, fs, fn, x, y, z);
    put_aero_totals(t);
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
