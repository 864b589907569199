// plt_audio.cpp -- the audio device on SDL2: opens the default output and feeds it from the mixer.
#include "plt_audio.h"

#include <SDL.h>

#include <cstdio>

namespace {

SDL_AudioDeviceID g_dev = 0;
int g_rate = 0;
bool g_subsystem = false;
char g_error[256] = "";

void SDLCALL feed(void*, Uint8* stream, int len)
{
    PLT_mix(reinterpret_cast<float*>(stream), len / static_cast<int>(2 * sizeof(float)), g_rate);
}

}  // namespace

int PLT_audio_open(void)
{
    if (g_dev) return 1;
    g_error[0] = 0;
    if (!g_subsystem) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            std::snprintf(g_error, sizeof g_error, "no audio driver: %s", SDL_GetError());
            return 0;
        }
        g_subsystem = true;
    }
    SDL_AudioSpec want{}, have{};
    want.freq = 48000;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = feed;
    // The format and channel count stay ours (SDL converts); the rate may be the device's own.
    g_rate = 48000;
    g_dev = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (!g_dev) {
        std::snprintf(g_error, sizeof g_error, "no audio device: %s", SDL_GetError());
        g_rate = 0;
        return 0;
    }
    SDL_LockAudioDevice(g_dev);
    g_rate = have.freq > 0 ? have.freq : 48000;
    SDL_UnlockAudioDevice(g_dev);
    SDL_PauseAudioDevice(g_dev, 0);
    return 1;
}

int PLT_audio_device_open(void) { return g_dev != 0; }

int PLT_audio_rate(void) { return g_dev ? g_rate : 0; }

const char* PLT_audio_error(void) { return g_error; }

void PLT_audio_close(void)
{
    if (g_dev) {
        SDL_PauseAudioDevice(g_dev, 1);
        SDL_CloseAudioDevice(g_dev);
        g_dev = 0;
        g_rate = 0;
    }
    if (g_subsystem) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        g_subsystem = false;
    }
    for (int n = 0; n < PLT_VOICES; n++) PLT_voice_free(n);
    PLT_speech_flush();
}
