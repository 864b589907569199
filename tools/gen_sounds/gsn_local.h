// gsn_local.h -- signal helpers the sound generator's synthesis modules share: a seeded random
// generator, biquad filters (with a circular mode for loops), envelopes and pulse trains.
#pragma once
#include "gsn.h"
#include "tool_common.h"

#include <cmath>
#include <cstdint>
#include <vector>

constexpr float GSN_PI = 3.14159265358979f;

// The sounds' seeded generator.
struct GsnRand : ToolRand {
    explicit GsnRand(uint64_t seed) : ToolRand(seed, 0x2545F4914F6CDD1Dull) {}
};

// A second-order section (direct form I) from the usual audio formulas.
struct GsnBiquad {
    float b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    float run(float x)
    {
        float y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};
// Gives a running filter new coefficients and keeps its state (for sweeps).
inline void gsn_retune(GsnBiquad& f, const GsnBiquad& c)
{
    f.b0 = c.b0;
    f.b1 = c.b1;
    f.b2 = c.b2;
    f.a1 = c.a1;
    f.a2 = c.a2;
}
GsnBiquad gsn_lowpass(float f, float q);
GsnBiquad gsn_highpass(float f, float q);
GsnBiquad gsn_bandpass(float f, float q);  // unity gain at the centre

// Filters in place. The loop form runs the filter over the buffer twice and keeps the second pass,
// so the filter's state at the start continues from the end and the result loops without a click.
void gsn_filter(std::vector<float>& x, GsnBiquad f);
void gsn_filter_loop(std::vector<float>& x, GsnBiquad f);

std::vector<float> gsn_white(int n, GsnRand& r);
// Band of noise: white noise through a band-pass, looped or not.
std::vector<float> gsn_band_noise(int n, float f, float q, bool loop, uint64_t seed);

// Adds `src` times `gain` into `dst` starting at sample `at`, wrapping round the end when `wrap`.
void gsn_mix(std::vector<float>& dst, const std::vector<float>& src, int at, float gain, bool wrap);
// Scales so the largest magnitude is `peak`.
void gsn_normalise(std::vector<float>& x, float peak);
// Raised-cosine fade in over the first `in` and out over the last `out` samples.
void gsn_fade(std::vector<float>& x, int in, int out);

// A damped sine from time 0: sin(2 pi f t) exp(-t / tau), `n` samples long.
std::vector<float> gsn_ping(int n, float f, float tau, float phase = 0.0f);
// A short burst of band-limited noise with a sharp attack and an exponential decay.
std::vector<float> gsn_burst(int n, float f, float q, float tau, uint64_t seed);

// Seconds to samples.
inline int gsn_len(float seconds) { return static_cast<int>(std::lround(seconds * GSN_RATE)); }

// Synthesis routines, one family per module (their files are listed in gsn_manifest.cpp).
std::vector<float> gsn_make_engine(int type);  // 1..5: piston, turboprop, jet, piston and turbine helicopter
std::vector<float> gsn_make_wind(int);
std::vector<float> gsn_make_rain(int);
std::vector<float> gsn_make_stall_horn(int);
std::vector<float> gsn_make_flap_motor(int);
std::vector<float> gsn_make_thunder(int);
std::vector<float> gsn_make_gear(int);
std::vector<float> gsn_make_touchdown(int surface);  // 0 runway, 1 off the runway, 2 water
std::vector<float> gsn_make_crash(int);
std::vector<float> gsn_make_tone(int dash);  // marker and Morse tone: 0 dot, 1 dash

// The Morse and marker tone: its pitch and the lengths of the dot and the dash, in seconds. The
// dash ends well inside the shortest gap the tone is replayed after (a 0.5 s dash slot, dots every
// 0.3 s and a dash 0.4 s after a dot on the middle marker).
constexpr float GSN_TONE_HZ = 1020.0f;
constexpr float GSN_DOT_S = 0.12f;
constexpr float GSN_DASH_S = 0.36f;
