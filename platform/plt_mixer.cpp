// plt_mixer.cpp -- the voice mixer: numbered PCM voices with volume, rate, loop and position, and
// the speech stream, mixed into float stereo with linear-interpolation resampling.
#include "plt_audio.h"

#include <cmath>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

struct Voice {
    std::vector<int16_t> data;   // interleaved frames, `channels` samples each
    int channels = 0;
    int frames = 0;              // 0: the voice is empty
    float rate = 0;              // source frames per second
    int volume = 0;              // hundredths of a decibel
    float gain = 1;
    double pos = 0;              // source frames
    bool playing = false;
    bool loop = false;
};

Voice g_voice[PLT_VOICES];
std::mutex g_lock;

// The speech stream: a ring of mono samples.
int16_t g_ring[PLT_SPEECH_RING];
int g_ring_head = 0;      // next sample to play
int g_ring_count = 0;     // samples queued
double g_ring_frac = 0;   // fraction of the way from the head sample to the next
float g_ring_rate = 22050;

bool valid(int n) { return n >= 0 && n < PLT_VOICES; }

// Sample of channel c at whole frame i; a frame past the end is the first one of a loop, or the
// last one of a one-shot (held, so the final frame fades nowhere abruptly).
inline float sample_at(const Voice& v, int i, int c)
{
    if (i >= v.frames) i = v.loop ? i % v.frames : v.frames - 1;
    return static_cast<float>(v.data[static_cast<size_t>(i) * v.channels + c]) * (1.0f / 32768.0f);
}

void mix_voice(Voice& v, float* out, int frames, int out_rate)
{
    double step = static_cast<double>(v.rate) / out_rate;
    for (int k = 0; k < frames && v.playing; k++) {
        int i0 = static_cast<int>(v.pos);
        float f = static_cast<float>(v.pos - i0);
        float l = sample_at(v, i0, 0) + f * (sample_at(v, i0 + 1, 0) - sample_at(v, i0, 0));
        float r = l;
        if (v.channels == 2) r = sample_at(v, i0, 1) + f * (sample_at(v, i0 + 1, 1) - sample_at(v, i0, 1));
        out[2 * k] += l * v.gain;
        out[2 * k + 1] += r * v.gain;
        v.pos += step;
        if (v.pos >= v.frames) {
            if (v.loop) {
                v.pos = std::fmod(v.pos, static_cast<double>(v.frames));
            } else {
                v.playing = false;
                v.pos = 0;
            }
        }
    }
}

void mix_speech(float* out, int frames, int out_rate)
{
    double step = static_cast<double>(g_ring_rate) / out_rate;
    for (int k = 0; k < frames && g_ring_count > 0; k++) {
        float s0 = g_ring[g_ring_head] * (1.0f / 32768.0f);
        float s1 = g_ring_count > 1 ? g_ring[(g_ring_head + 1) % PLT_SPEECH_RING] * (1.0f / 32768.0f) : s0;
        float s = s0 + static_cast<float>(g_ring_frac) * (s1 - s0);
        out[2 * k] += s;
        out[2 * k + 1] += s;
        g_ring_frac += step;
        while (g_ring_frac >= 1.0 && g_ring_count > 0) {
            g_ring_frac -= 1.0;
            g_ring_head = (g_ring_head + 1) % PLT_SPEECH_RING;
            g_ring_count--;
        }
    }
    if (g_ring_count == 0) g_ring_frac = 0;
}

}  // namespace

float PLT_gain_of(int hundredths_db)
{
    return std::pow(10.0f, static_cast<float>(hundredths_db) / 2000.0f);
}

int PLT_voice_load(int n, const void* pcm, int bytes, int bits, int channels, int rate)
{
    if (!valid(n)) return 0;
    PLT_voice_free(n);
    if (!pcm || bytes <= 0 || (bits != 8 && bits != 16 && bits != 24 && bits != 32) ||
        (channels != 1 && channels != 2) || rate < 1 || rate > 200000)
        return 0;
    int frame_bytes = bits / 8 * channels;
    int frames = bytes / frame_bytes;
    if (frames < 1) return 0;

    std::vector<int16_t> data(static_cast<size_t>(frames) * channels);
    const uint8_t* p = static_cast<const uint8_t*>(pcm);
    // Wider samples keep their top 16 bits (little-endian, signed).
    int bps = bits / 8;
    for (size_t i = 0; i < data.size(); i++) {
        const uint8_t* q = p + i * bps;
        if (bits == 8) data[i] = static_cast<int16_t>((static_cast<int>(q[0]) - 128) * 256);
        else data[i] = static_cast<int16_t>(q[bps - 2] | (q[bps - 1] << 8));
    }

    std::lock_guard<std::mutex> hold(g_lock);
    Voice& v = g_voice[n];
    v.data.swap(data);
    v.channels = channels;
    v.frames = frames;
    v.rate = static_cast<float>(rate);
    v.volume = 0;
    v.gain = 1;
    v.pos = 0;
    v.playing = false;
    v.loop = false;
    return 1;
}

void PLT_voice_free(int n)
{
    if (!valid(n)) return;
    std::vector<int16_t> old;   // released outside the lock
    std::lock_guard<std::mutex> hold(g_lock);
    Voice& v = g_voice[n];
    old.swap(v.data);
    v = Voice();
}

int PLT_voice_loaded(int n)
{
    if (!valid(n)) return 0;
    std::lock_guard<std::mutex> hold(g_lock);
    return g_voice[n].frames > 0;
}

void PLT_voice_play(int n, int loop)
{
    if (!valid(n)) return;
    std::lock_guard<std::mutex> hold(g_lock);
    Voice& v = g_voice[n];
    if (v.frames <= 0) return;
    v.loop = loop != 0;
    v.playing = true;
}

void PLT_voice_stop(int n)
{
    if (!valid(n)) return;
    std::lock_guard<std::mutex> hold(g_lock);
    g_voice[n].playing = false;
}

void PLT_voice_set(int n, int hundredths_db, float rate_hz)
{
    if (!valid(n)) return;
    if (hundredths_db < -10000) hundredths_db = -10000;
    if (hundredths_db > 0) hundredths_db = 0;
    float gain = PLT_gain_of(hundredths_db);
    std::lock_guard<std::mutex> hold(g_lock);
    Voice& v = g_voice[n];
    if (v.frames <= 0) return;
    v.volume = hundredths_db;
    v.gain = gain;
    if (rate_hz > 0 && std::isfinite(rate_hz)) v.rate = rate_hz;
}

int PLT_voice_playing(int n)
{
    if (!valid(n)) return 0;
    std::lock_guard<std::mutex> hold(g_lock);
    return g_voice[n].playing;
}

double PLT_voice_position(int n)
{
    if (!valid(n)) return 0;
    std::lock_guard<std::mutex> hold(g_lock);
    return g_voice[n].pos;
}

int PLT_voice_volume(int n)
{
    if (!valid(n)) return 0;
    std::lock_guard<std::mutex> hold(g_lock);
    return g_voice[n].volume;
}

float PLT_voice_rate(int n)
{
    if (!valid(n)) return 0;
    std::lock_guard<std::mutex> hold(g_lock);
    return g_voice[n].rate;
}

void PLT_mix(float* out, int frames, int out_rate)
{
    if (!out || frames <= 0) return;
    std::memset(out, 0, sizeof(float) * 2 * static_cast<size_t>(frames));
    if (out_rate <= 0) return;
    {
        std::lock_guard<std::mutex> hold(g_lock);
        for (Voice& v : g_voice) {
            if (v.playing && v.frames > 0) mix_voice(v, out, frames, out_rate);
        }
        mix_speech(out, frames, out_rate);
    }
    for (int i = 0; i < 2 * frames; i++) {
        if (out[i] > 1.0f) out[i] = 1.0f;
        else if (out[i] < -1.0f) out[i] = -1.0f;
    }
}

int PLT_speech_push(const int16_t* samples, int count, int rate)
{
    if (!samples || count <= 0) return 0;
    std::lock_guard<std::mutex> hold(g_lock);
    if (rate > 0) g_ring_rate = static_cast<float>(rate);
    int room = PLT_SPEECH_RING - g_ring_count;
    int take = count < room ? count : room;
    int tail = (g_ring_head + g_ring_count) % PLT_SPEECH_RING;
    for (int i = 0; i < take; i++) g_ring[(tail + i) % PLT_SPEECH_RING] = samples[i];
    g_ring_count += take;
    return take;
}

int PLT_speech_queued(void)
{
    std::lock_guard<std::mutex> hold(g_lock);
    return g_ring_count;
}

void PLT_speech_flush(void)
{
    std::lock_guard<std::mutex> hold(g_lock);
    g_ring_head = 0;
    g_ring_count = 0;
    g_ring_frac = 0;
}
