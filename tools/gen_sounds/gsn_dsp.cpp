// gsn_dsp.cpp -- filters, noise, envelopes and the WAVE encoder of the sound generator.
#include "gsn_local.h"

#include <algorithm>

static GsnBiquad normalised(float b0, float b1, float b2, float a0, float a1, float a2)
{
    GsnBiquad f;
    f.b0 = b0 / a0;
    f.b1 = b1 / a0;
    f.b2 = b2 / a0;
    f.a1 = a1 / a0;
    f.a2 = a2 / a0;
    return f;
}

GsnBiquad gsn_lowpass(float f, float q)
{
    float w = 2.0f * GSN_PI * f / GSN_RATE, c = std::cos(w), a = std::sin(w) / (2.0f * q);
    return normalised((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + a, -2 * c, 1 - a);
}

GsnBiquad gsn_highpass(float f, float q)
{
    float w = 2.0f * GSN_PI * f / GSN_RATE, c = std::cos(w), a = std::sin(w) / (2.0f * q);
    return normalised((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + a, -2 * c, 1 - a);
}

GsnBiquad gsn_bandpass(float f, float q)
{
    float w = 2.0f * GSN_PI * f / GSN_RATE, c = std::cos(w), a = std::sin(w) / (2.0f * q);
    return normalised(a, 0, -a, 1 + a, -2 * c, 1 - a);
}

void gsn_filter(std::vector<float>& x, GsnBiquad f)
{
    for (float& v : x) v = f.run(v);
}

void gsn_filter_loop(std::vector<float>& x, GsnBiquad f)
{
    for (float v : x) f.run(v);  // warm-up pass: leaves the state the loop's end would leave
    for (float& v : x) v = f.run(v);
}

std::vector<float> gsn_white(int n, GsnRand& r)
{
    std::vector<float> x(static_cast<size_t>(n));
    for (float& v : x) v = r.bipolar();
    return x;
}

std::vector<float> gsn_band_noise(int n, float f, float q, bool loop, uint64_t seed)
{
    GsnRand r(seed);
    std::vector<float> x = gsn_white(n, r);
    if (loop) gsn_filter_loop(x, gsn_bandpass(f, q));
    else gsn_filter(x, gsn_bandpass(f, q));
    return x;
}

void gsn_mix(std::vector<float>& dst, const std::vector<float>& src, int at, float gain, bool wrap)
{
    const int n = static_cast<int>(dst.size());
    if (n == 0) return;
    for (size_t i = 0; i < src.size(); i++) {
        int k = at + static_cast<int>(i);
        if (wrap) k = ((k % n) + n) % n;
        if (k < 0 || k >= n) continue;
        dst[static_cast<size_t>(k)] += gain * src[i];
    }
}

void gsn_normalise(std::vector<float>& x, float peak)
{
    float m = 0.0f;
    for (float v : x) m = std::max(m, std::fabs(v));
    if (m <= 0.0f) return;
    for (float& v : x) v *= peak / m;
}

void gsn_fade(std::vector<float>& x, int in, int out)
{
    const int n = static_cast<int>(x.size());
    for (int i = 0; i < in && i < n; i++) x[static_cast<size_t>(i)] *= 0.5f - 0.5f * std::cos(GSN_PI * i / in);
    for (int i = 0; i < out && i < n; i++) x[static_cast<size_t>(n - 1 - i)] *= 0.5f - 0.5f * std::cos(GSN_PI * i / out);
}

std::vector<float> gsn_ping(int n, float f, float tau, float phase)
{
    std::vector<float> x(static_cast<size_t>(n));
    for (int i = 0; i < n; i++) {
        float t = static_cast<float>(i) / GSN_RATE;
        x[static_cast<size_t>(i)] = std::sin(2.0f * GSN_PI * f * t + phase) * std::exp(-t / tau);
    }
    return x;
}

std::vector<float> gsn_burst(int n, float f, float q, float tau, uint64_t seed)
{
    std::vector<float> x = gsn_band_noise(n, f, q, false, seed);
    for (int i = 0; i < n; i++) {
        float t = static_cast<float>(i) / GSN_RATE;
        x[static_cast<size_t>(i)] *= std::exp(-t / tau) * std::min(1.0f, t / 0.0005f);
    }
    return x;
}

// ---------------------------------------------------------------------------------------------
// Files

static void tag(std::vector<uint8_t>& b, const char* t)
{
    for (int i = 0; i < 4; i++) b.push_back(static_cast<uint8_t>(t[i]));
}

std::vector<uint8_t> gsn_encode_wav(const std::vector<int16_t>& samples, int rate)
{
    const uint32_t data = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> b;
    b.reserve(44 + data);
    tag(b, "RIFF");
    tool_put32(b, 36 + data);
    tag(b, "WAVE");
    tag(b, "fmt ");
    tool_put32(b, 16);
    tool_put16(b, 1);                             // PCM
    tool_put16(b, 1);                             // mono
    tool_put32(b, static_cast<uint32_t>(rate));   // samples per second
    tool_put32(b, static_cast<uint32_t>(rate) * 2);  // bytes per second
    tool_put16(b, 2);                             // bytes per sample frame
    tool_put16(b, 16);                            // bits per sample
    tag(b, "data");
    tool_put32(b, data);
    for (int16_t s : samples) tool_put16(b, static_cast<uint16_t>(s));
    return b;
}
