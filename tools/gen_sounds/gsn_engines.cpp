// gsn_engines.cpp -- the engine loops: piston, turboprop and jet aeroplanes, piston and turbine
// helicopters.
//
// The simulator plays the engine loop at 0.67 of its recorded speed at full power and lower at low
// power, so each loop is recorded 1 / 0.67 higher than it should sound at full power: the piston
// engine's firing at 136 per second sounds as a four-cylinder engine turning 2,730 rpm. Every
// periodic part has a whole number of cycles per loop and the noise is filtered round the loop, so
// the loops repeat without a click.
#include "gsn_local.h"

#include <algorithm>

namespace {

// Evenly spaced events round a loop of x.size() samples: `count` per loop, event k taking `shape`
// times amps[k % amps.size()] times a small random variation of its own.
void add_pulses(std::vector<float>& x, int count, const std::vector<float>& shape, const std::vector<float>& amps,
                float jitter, uint64_t seed)
{
    GsnRand r(seed);
    const double n = static_cast<double>(x.size());
    for (int k = 0; k < count; k++) {
        int at = static_cast<int>(std::lround(k * n / count));
        float a = amps[static_cast<size_t>(k) % amps.size()] * (1.0f + jitter * r.bipolar());
        gsn_mix(x, shape, at, a, true);
    }
}

// A harmonic series on `cycles` cycles per loop (the fundamental), amplitude 1 / h^slope, random
// phases, stopping below 9 kHz.
void add_harmonics(std::vector<float>& x, int cycles, int count, float slope, float amp, uint64_t seed)
{
    GsnRand r(seed);
    const int n = static_cast<int>(x.size());
    for (int h = 1; h <= count; h++) {
        double f = static_cast<double>(cycles) * h * GSN_RATE / n;
        if (f > 9000.0) break;
        float phase = r.range(0.0f, 2.0f * GSN_PI), a = amp / std::pow(static_cast<float>(h), slope);
        double w = 2.0 * 3.14159265358979 * cycles * h / n;
        for (int i = 0; i < n; i++) x[static_cast<size_t>(i)] += a * static_cast<float>(std::sin(w * i + phase));
    }
}

// A steady tone of `cycles` cycles per loop.
void add_tone(std::vector<float>& x, int cycles, float amp)
{
    const int n = static_cast<int>(x.size());
    double w = 2.0 * 3.14159265358979 * cycles / n;
    for (int i = 0; i < n; i++) x[static_cast<size_t>(i)] += amp * static_cast<float>(std::sin(w * i));
}

// Noise through a filter, filtered round the loop, added with a gain.
void add_noise(std::vector<float>& x, GsnBiquad f, float amp, uint64_t seed)
{
    GsnRand r(seed);
    std::vector<float> w = gsn_white(static_cast<int>(x.size()), r);
    gsn_filter_loop(w, f);
    for (size_t i = 0; i < x.size(); i++) x[i] += amp * w[i];
}

// Slow swell: 1 + depth * sin of `cycles` cycles per loop.
void modulate(std::vector<float>& x, int cycles, float depth)
{
    const int n = static_cast<int>(x.size());
    for (int i = 0; i < n; i++) x[static_cast<size_t>(i)] *= 1.0f + depth * std::sin(2.0f * GSN_PI * cycles * i / n);
}

// One exhaust pulse of a piston engine: the pipe's ring, a sharper crack and a little hiss.
std::vector<float> exhaust_pulse(float scale, uint64_t seed)
{
    const int n = gsn_len(0.03f);
    std::vector<float> p = gsn_ping(n, 170.0f * scale, 0.004f);
    gsn_mix(p, gsn_ping(n, 520.0f * scale, 0.002f), 0, 0.5f, false);
    gsn_mix(p, gsn_burst(n, 1800.0f * scale, 1.2f, 0.0015f, seed), 0, 0.6f, false);
    return p;
}

// A rotor blade passing: the low pressure thump and the slap of its tip vortex.
std::vector<float> blade_thump(float f, float slap, uint64_t seed)
{
    const int n = gsn_len(0.07f);
    std::vector<float> p = gsn_ping(n, f, 0.014f);
    gsn_mix(p, gsn_burst(n, 700.0f, 1.5f, 0.006f, seed), 0, slap, false);
    return p;
}

std::vector<float> piston()
{
    std::vector<float> x(static_cast<size_t>(GSN_RATE), 0.0f);  // one second
    add_pulses(x, 136, exhaust_pulse(1.0f, 11), {1.0f, 0.86f, 0.95f, 0.8f}, 0.08f, 12);
    add_harmonics(x, 136, 16, 1.3f, 0.25f, 13);  // the propeller's blade passage
    std::vector<float> clatter(x.size(), 0.0f);
    add_noise(clatter, gsn_bandpass(2200.0f, 0.7f), 0.5f, 14);
    for (size_t i = 0; i < x.size(); i++)
        x[i] += clatter[i] * (0.7f + 0.3f * std::cos(2.0f * GSN_PI * 136.0f * i / GSN_RATE));
    add_noise(x, gsn_lowpass(150.0f, 0.7f), 0.5f, 15);
    gsn_filter_loop(x, gsn_lowpass(6000.0f, 0.7f));
    return x;
}

std::vector<float> turboprop()
{
    std::vector<float> x(static_cast<size_t>(GSN_RATE), 0.0f);
    add_harmonics(x, 190, 24, 1.0f, 0.5f, 21);  // four blades at 1,900 rpm
    add_tone(x, 3100, 0.10f);                   // turbine whine, beating slowly
    add_tone(x, 3103, 0.07f);
    add_tone(x, 6200, 0.03f);
    add_noise(x, gsn_bandpass(4000.0f, 1.0f), 0.6f, 22);
    add_noise(x, gsn_lowpass(500.0f, 0.7f), 1.4f, 23);
    return x;
}

std::vector<float> jet()
{
    std::vector<float> x(static_cast<size_t>(2 * GSN_RATE), 0.0f);  // two seconds
    add_noise(x, gsn_lowpass(900.0f, 0.7f), 2.0f, 31);
    add_noise(x, gsn_bandpass(2500.0f, 0.8f), 0.7f, 32);
    std::vector<float> rumble(x.size(), 0.0f);
    add_noise(rumble, gsn_lowpass(120.0f, 0.7f), 3.0f, 33);
    modulate(rumble, 3, 0.3f);
    std::vector<float> whine(x.size(), 0.0f);
    add_tone(whine, 4800, 0.05f);   // fan blades, 2,400 a second
    add_tone(whine, 9600, 0.025f);
    modulate(whine, 1, 0.3f);
    for (size_t i = 0; i < x.size(); i++) x[i] += rumble[i] + whine[i];
    return x;
}

std::vector<float> helicopter(bool turbine)
{
    std::vector<float> x(static_cast<size_t>(GSN_RATE), 0.0f);
    if (turbine) {
        add_pulses(x, 20, blade_thump(60.0f, 1.0f, 41), {1.0f, 0.85f}, 0.05f, 42);
        add_harmonics(x, 150, 10, 1.0f, 0.2f, 43);  // tail rotor
        add_tone(x, 5000, 0.06f);
        add_tone(x, 5004, 0.04f);
        add_noise(x, gsn_lowpass(700.0f, 0.7f), 0.8f, 44);
    } else {
        add_pulses(x, 25, blade_thump(70.0f, 1.2f, 51), {1.0f, 0.8f}, 0.05f, 52);
        add_harmonics(x, 125, 10, 1.0f, 0.25f, 53);  // tail rotor
        std::vector<float> engine(x.size(), 0.0f);
        add_pulses(engine, 200, exhaust_pulse(1.2f, 54), {1.0f, 0.9f, 0.95f, 0.85f, 0.92f, 0.88f}, 0.08f, 55);
        for (size_t i = 0; i < x.size(); i++) x[i] += 0.35f * engine[i];
        add_noise(x, gsn_lowpass(300.0f, 0.7f), 0.8f, 56);
    }
    return x;
}

}  // namespace

std::vector<float> gsn_make_engine(int type)
{
    switch (type) {
    case 1: return piston();
    case 2: return turboprop();
    case 3: return jet();
    case 4: return helicopter(false);
    default: return helicopter(true);
    }
}
