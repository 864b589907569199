// speak.cpp -- the call-outs' voice: speaks words into samples with the espeak-ng synthesiser.
#include "speak.h"

#include <espeak-ng/speak_lib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::vector<short>* g_sink = nullptr;
int g_rate = 0;

// The voice's breath noise is drawn from the C library's process-wide rand(). Whatever else in the
// process draws on it first changes every call-out's samples: espeak_Initialize opens an audio
// device even for synchronous synthesis, and the sound server's client library names a fresh
// runtime folder with rand() the first time a user runs it (it then leaves a link to that folder
// under ~/.config/pulse, so later runs draw nothing). Each call-out therefore starts the sequence
// from this seed, and depends only on its own words.
constexpr unsigned kVoiceNoiseSeed = 1;

int collect(short* wav, int count, espeak_EVENT*)
{
    if (wav && g_sink) g_sink->insert(g_sink->end(), wav, wav + count);
    return 0;  // go on synthesising
}

// Linear resampling to the generator's rate, for a voice that speaks at another rate.
std::vector<float> resample(const std::vector<short>& in, int from)
{
    std::vector<float> out;
    if (in.empty() || from <= 0) return out;
    const double step = static_cast<double>(from) / GSN_RATE;
    for (double p = 0.0; p < static_cast<double>(in.size() - 1); p += step) {
        size_t i = static_cast<size_t>(p);
        double f = p - static_cast<double>(i);
        out.push_back(static_cast<float>(((1.0 - f) * in[i] + f * in[i + 1]) / 32768.0));
    }
    return out;
}

}  // namespace

int speak_init(std::string& err)
{
    g_rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (g_rate <= 0) {
        err = "espeak-ng could not start (is the espeak-ng-data package installed?)";
        return 1;
    }
    espeak_SetSynthCallback(collect);
    if (espeak_SetVoiceByName("en-us+f3") != EE_OK && espeak_SetVoiceByName("en-us") != EE_OK &&
        espeak_SetVoiceByName("en") != EE_OK) {
        err = "espeak-ng has no English voice";
        return 1;
    }
    espeak_SetParameter(espeakRATE, 165, 0);
    espeak_SetParameter(espeakPITCH, 45, 0);
    espeak_SetParameter(espeakRANGE, 40, 0);
    return 0;
}

int speak_words(const char* words, std::vector<float>& out)
{
    std::vector<short> pcm;
    g_sink = &pcm;
    std::srand(kVoiceNoiseSeed);
    espeak_ERROR e = espeak_Synth(words, std::strlen(words) + 1, 0, POS_CHARACTER, 0, espeakCHARS_AUTO, nullptr, nullptr);
    if (e == EE_OK) e = espeak_Synchronize();
    g_sink = nullptr;
    if (e != EE_OK || pcm.empty()) return 1;
    out = resample(pcm, g_rate);
    return out.empty() ? 1 : 0;
}

void speak_close() { espeak_Terminate(); }
