// gsn_effects.cpp -- the other sounds: wind and rain loops, the stall horn and the flap motor,
// thunder, the landing gear, touchdowns, the crash, and the marker and Morse tones.
#include "gsn_local.h"

#include <algorithm>

// Wind round the airframe: a broad rush with a faint whistle, swelling in gusts (four seconds).
std::vector<float> gsn_make_wind(int)
{
    const int n = 4 * GSN_RATE;
    GsnRand r(61);
    std::vector<float> rush = gsn_white(n, r);
    gsn_filter_loop(rush, gsn_bandpass(500.0f, 0.6f));
    std::vector<float> low = gsn_white(n, r);
    gsn_filter_loop(low, gsn_lowpass(180.0f, 0.7f));
    std::vector<float> whistle = gsn_band_noise(n, 950.0f, 9.0f, true, 62);
    std::vector<float> x(static_cast<size_t>(n));
    for (int i = 0; i < n; i++) {
        float t = static_cast<float>(i) / n;  // 0..1 round the loop
        float gust = 0.72f + 0.18f * std::sin(2.0f * GSN_PI * 2.0f * t + 0.7f) + 0.1f * std::sin(2.0f * GSN_PI * 5.0f * t);
        float sing = 0.5f + 0.5f * std::sin(2.0f * GSN_PI * 3.0f * t + 2.0f);
        x[static_cast<size_t>(i)] = gust * (rush[i] + 1.5f * low[i]) + 0.6f * sing * whistle[i];
    }
    return x;
}

// Rain on the canopy: a hiss with drops, thousands of short clicks spread round a three-second loop.
std::vector<float> gsn_make_rain(int)
{
    const int n = 3 * GSN_RATE;
    GsnRand r(71);
    std::vector<float> x = gsn_white(n, r);
    gsn_filter_loop(x, gsn_highpass(2500.0f, 0.7f));
    for (float& v : x) v *= 0.25f;
    for (int d = 0; d < 4500; d++) {
        int at = static_cast<int>(r.unit() * n);
        float big = r.unit();
        float f = big > 0.9f ? r.range(400.0f, 900.0f) : r.range(2000.0f, 6000.0f);
        float tau = big > 0.9f ? 0.006f : r.range(0.0006f, 0.0018f);
        gsn_mix(x, gsn_ping(gsn_len(tau * 6.0f), f, tau, r.range(0.0f, 6.28f)), at, r.range(0.2f, 1.0f), true);
    }
    return x;
}

// The stall warning horn: a reedy tone (0.5 s loop) of 1,350 Hz, heard at 900 Hz.
std::vector<float> gsn_make_stall_horn(int)
{
    const int n = GSN_RATE / 2;
    std::vector<float> x(static_cast<size_t>(n), 0.0f);
    for (int i = 0; i < n; i++) {
        double t = static_cast<double>(i) / GSN_RATE;
        float v = 0.0f;
        for (int h = 1; h <= 6; h++) {
            float a = (h % 2 ? 1.0f : 0.45f) / h;  // odd harmonics strong: a reed's squareness
            v += a * static_cast<float>(std::sin(2.0 * 3.14159265358979 * 1350.0 * h * t)) +
                 0.4f * a * static_cast<float>(std::sin(2.0 * 3.14159265358979 * 1352.0 * h * t));
        }
        float flutter = 0.85f + 0.15f * static_cast<float>(std::sin(2.0 * 3.14159265358979 * 100.0 * t));
        x[static_cast<size_t>(i)] = v * flutter;
    }
    return x;
}

// The flap motor: an electric whine with gear mesh noise (one-second loop).
std::vector<float> gsn_make_flap_motor(int)
{
    const int n = GSN_RATE;
    std::vector<float> gears = gsn_band_noise(n, 1800.0f, 1.5f, true, 81);
    std::vector<float> x(static_cast<size_t>(n), 0.0f);
    for (int i = 0; i < n; i++) {
        double t = static_cast<double>(i) / GSN_RATE;
        float whine = static_cast<float>(0.5 * std::sin(2 * 3.14159265358979 * 400 * t) + 0.3 * std::sin(2 * 3.14159265358979 * 800 * t + 1.0) +
                                         0.15 * std::sin(2 * 3.14159265358979 * 1200 * t + 2.0) + 0.25 * std::sin(2 * 3.14159265358979 * 100 * t));
        float mesh = 0.6f + 0.4f * static_cast<float>(std::sin(2 * 3.14159265358979 * 50 * t));
        x[static_cast<size_t>(i)] = whine + 0.8f * mesh * gears[static_cast<size_t>(i)];
    }
    return x;
}

// Thunder: a crack, then rolling rumble that dies away over six seconds. The simulator plays it
// slower for distant strikes, which darkens it further.
std::vector<float> gsn_make_thunder(int)
{
    const int n = 6 * GSN_RATE;
    GsnRand r(91);
    std::vector<float> rumble = gsn_white(n, r);
    gsn_filter(rumble, gsn_lowpass(320.0f, 0.7f));
    gsn_filter(rumble, gsn_lowpass(320.0f, 0.7f));
    std::vector<float> env(static_cast<size_t>(n), 0.0f);
    for (int k = 0; k < 7; k++) {
        float t0 = k == 0 ? 0.0f : r.range(0.2f, 3.5f), a = k == 0 ? 1.0f : r.range(0.35f, 0.8f);
        float tau = r.range(0.4f, 1.2f);
        for (int i = gsn_len(t0); i < n; i++) {
            float t = static_cast<float>(i) / GSN_RATE - t0;
            env[static_cast<size_t>(i)] += a * std::min(1.0f, t / 0.08f) * std::exp(-t / tau);
        }
    }
    std::vector<float> x(static_cast<size_t>(n));
    for (int i = 0; i < n; i++) x[static_cast<size_t>(i)] = rumble[i] * env[i] * 4.0f;
    gsn_mix(x, gsn_burst(gsn_len(0.3f), 2500.0f, 0.5f, 0.05f, 92), 0, 0.8f, false);
    gsn_fade(x, 0, gsn_len(0.5f));
    return x;
}

// The landing gear travelling: a hydraulic pump's whine and the airflow's rumble for about three
// and a half seconds, then the clunk of the legs locking.
std::vector<float> gsn_make_gear(int)
{
    const int n = gsn_len(4.0f), lock = gsn_len(3.5f);
    GsnRand r(101);
    std::vector<float> air = gsn_white(n, r);
    gsn_filter(air, gsn_lowpass(250.0f, 0.7f));
    std::vector<float> x(static_cast<size_t>(n), 0.0f);
    double phase = 0.0;
    for (int i = 0; i < lock; i++) {
        float t = static_cast<float>(i) / GSN_RATE;
        float f = 560.0f + 40.0f * t;  // the pump labours as the legs swing
        phase += 2.0 * 3.14159265358979 * f / GSN_RATE;
        float env = std::min(1.0f, t / 0.2f) * std::min(1.0f, (3.5f - t) / 0.1f);
        x[static_cast<size_t>(i)] = env * (0.25f * static_cast<float>(std::sin(phase)) +
                                           0.1f * static_cast<float>(std::sin(2.0 * phase)) + 1.2f * air[i]);
    }
    gsn_mix(x, gsn_ping(gsn_len(0.4f), 70.0f, 0.06f), lock, 1.0f, false);
    const float clank[3] = {820.0f, 1370.0f, 2210.0f};
    for (int k = 0; k < 3; k++) gsn_mix(x, gsn_ping(gsn_len(0.3f), clank[k], 0.05f), lock, 0.3f, false);
    gsn_mix(x, gsn_burst(gsn_len(0.2f), 1500.0f, 0.8f, 0.02f, 102), lock, 0.5f, false);
    gsn_fade(x, 0, gsn_len(0.05f));
    return x;
}

// Touchdowns: on a runway the tyres chirp; off it the wheels thump and rattle over grass and dirt;
// on water a splash with bubbles.
std::vector<float> gsn_make_touchdown(int surface)
{
    GsnRand r(111 + surface);
    if (surface == 0) {
        const int n = gsn_len(0.7f);
        std::vector<float> squeal = gsn_white(n, r);
        std::vector<float> x(static_cast<size_t>(n), 0.0f);
        GsnBiquad band = gsn_bandpass(2400.0f, 6.0f);
        for (int i = 0; i < n; i++) {
            float t = static_cast<float>(i) / GSN_RATE;
            if (i % 64 == 0)  // the squeal's pitch falls as the wheel spins up
                gsn_retune(band, gsn_bandpass(2400.0f - 900.0f * std::min(t / 0.3f, 1.0f), 6.0f));
            float env = std::min(1.0f, t / 0.005f) * std::exp(-t / 0.12f);
            x[static_cast<size_t>(i)] = 3.0f * env * band.run(squeal[i]);
        }
        gsn_mix(x, gsn_ping(gsn_len(0.3f), 85.0f, 0.05f), 0, 0.8f, false);
        return x;
    }
    if (surface == 1) {
        const int n = gsn_len(0.9f);
        std::vector<float> rustle = gsn_band_noise(n, 900.0f, 0.8f, false, 121);
        std::vector<float> x(static_cast<size_t>(n), 0.0f);
        for (int i = 0; i < n; i++) {
            float t = static_cast<float>(i) / GSN_RATE;
            float grain = 0.5f + 0.5f * std::sin(2.0f * GSN_PI * 23.0f * t + 3.0f * std::sin(2.0f * GSN_PI * 7.0f * t));
            x[static_cast<size_t>(i)] = rustle[i] * std::exp(-t / 0.25f) * grain * 1.5f;
        }
        gsn_mix(x, gsn_ping(gsn_len(0.4f), 60.0f, 0.07f), 0, 1.0f, false);
        for (int k = 0; k < 6; k++)
            gsn_mix(x, gsn_burst(gsn_len(0.05f), r.range(1500.0f, 3500.0f), 2.0f, 0.004f, 122 + k), gsn_len(r.range(0.02f, 0.5f)), 0.4f, false);
        return x;
    }
    const int n = gsn_len(1.5f);
    GsnRand w(131);
    std::vector<float> spray = gsn_white(n, w);
    std::vector<float> x(static_cast<size_t>(n), 0.0f);
    GsnBiquad lp = gsn_lowpass(6000.0f, 0.7f);
    for (int i = 0; i < n; i++) {
        float t = static_cast<float>(i) / GSN_RATE;
        if (i % 64 == 0) gsn_retune(lp, gsn_lowpass(800.0f + 5200.0f * std::exp(-t / 0.25f), 0.7f));
        float env = std::min(1.0f, t / 0.01f) * std::exp(-t / 0.35f);
        x[static_cast<size_t>(i)] = env * lp.run(spray[i]);
    }
    for (int k = 0; k < 12; k++) {  // bubbles: short rising chirps
        const int m = gsn_len(0.04f);
        std::vector<float> b(static_cast<size_t>(m));
        float f0 = r.range(350.0f, 600.0f), ph = 0.0f;
        for (int i = 0; i < m; i++) {
            float t = static_cast<float>(i) / GSN_RATE;
            ph += 2.0f * GSN_PI * f0 * (1.0f + 8.0f * t) / GSN_RATE;
            b[static_cast<size_t>(i)] = std::sin(ph) * std::sin(GSN_PI * i / m);
        }
        gsn_mix(x, b, gsn_len(r.range(0.15f, 1.2f)), 0.25f, false);
    }
    gsn_mix(x, gsn_ping(gsn_len(0.3f), 55.0f, 0.06f), 0, 0.6f, false);
    gsn_fade(x, 0, gsn_len(0.1f));
    return x;
}

// A crash or a very hard landing: a heavy thump, tearing metal and debris.
std::vector<float> gsn_make_crash(int)
{
    const int n = gsn_len(2.5f);
    GsnRand r(141);
    std::vector<float> roar = gsn_white(n, r);
    std::vector<float> x(static_cast<size_t>(n), 0.0f);
    GsnBiquad lp = gsn_lowpass(5000.0f, 0.7f);
    for (int i = 0; i < n; i++) {
        float t = static_cast<float>(i) / GSN_RATE;
        if (i % 64 == 0) gsn_retune(lp, gsn_lowpass(400.0f + 4600.0f * std::exp(-t / 0.3f), 0.7f));
        x[static_cast<size_t>(i)] = 1.5f * std::min(1.0f, t / 0.003f) * std::exp(-t / 0.5f) * lp.run(roar[i]);
    }
    gsn_mix(x, gsn_ping(gsn_len(0.8f), 45.0f, 0.15f), 0, 1.2f, false);
    for (int k = 0; k < 9; k++) {  // metal: inharmonic rings
        float f = r.range(300.0f, 2600.0f);
        gsn_mix(x, gsn_ping(gsn_len(0.6f), f, r.range(0.05f, 0.2f)), gsn_len(r.range(0.0f, 0.25f)), r.range(0.15f, 0.35f), false);
    }
    for (int k = 0; k < 25; k++)  // debris
        gsn_mix(x, gsn_burst(gsn_len(0.06f), r.range(800.0f, 4000.0f), 2.0f, 0.006f, 150 + k), gsn_len(r.range(0.1f, 2.2f)),
                r.range(0.05f, 0.3f), false);
    gsn_fade(x, 0, gsn_len(0.2f));
    return x;
}

// The marker and Morse tone: a clean sine with soft 5 ms edges.
std::vector<float> gsn_make_tone(int dash)
{
    const int n = gsn_len(dash ? GSN_DASH_S : GSN_DOT_S);
    std::vector<float> x(static_cast<size_t>(n));
    for (int i = 0; i < n; i++) x[static_cast<size_t>(i)] = std::sin(2.0f * GSN_PI * GSN_TONE_HZ * i / GSN_RATE);
    gsn_fade(x, gsn_len(0.005f), gsn_len(0.005f));
    return x;
}
