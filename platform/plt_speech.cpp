// plt_speech.cpp -- text to speech through espeak-ng: sentences are synthesised on the engine's own
// thread and their samples go into the mixer's speech stream, so the caller never waits.
//
// The engine is started once in a process and stays loaded until the process ends: closing the
// speech output cancels what is queued and stops taking sentences, and starting it again reuses the
// loaded engine. The engine cannot be terminated and started again safely: after a restart its
// worker believes a command is still running, and the next cancel or terminate waits for it forever.
#include "plt_audio.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>

#ifdef KV_HAVE_ESPEAK
#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>
#endif

namespace {

bool g_ready = false;     // the speech output is open: sentences are taken
bool g_engine = false;    // the engine is loaded in this process (never unloaded)
char g_error[256] = "";
int g_rate = 22050;

// Sentences handed to the engine and sentences it has finished; the difference is the work left.
std::mutex g_done_lock;
std::condition_variable g_done_cv;
long g_said = 0;
long g_finished = 0;

#ifdef KV_HAVE_ESPEAK
// Runs on the engine's thread with each block of samples and the events that belong to it.
int on_samples(short* wav, int count, espeak_EVENT* events)
{
    if (wav && count > 0) PLT_speech_push(wav, count, g_rate);
    for (espeak_EVENT* e = events; e && e->type != espeakEVENT_LIST_TERMINATED; e++) {
        if (e->type == espeakEVENT_MSG_TERMINATED) {
            std::lock_guard<std::mutex> hold(g_done_lock);
            g_finished++;
            g_done_cv.notify_all();
        }
    }
    return 0;
}

void set_error(const char* what, espeak_ng_STATUS status)
{
    char msg[160] = "";
    espeak_ng_GetStatusCodeMessage(status, msg, sizeof msg);
    std::snprintf(g_error, sizeof g_error, "%s: %s", what, msg);
}
#endif

}  // namespace

int PLT_speech_init(const char* data_path)
{
    if (g_ready) return 1;
    g_error[0] = 0;
#ifdef KV_HAVE_ESPEAK
    if (g_engine) {
        // Loaded by an earlier start: its voice and data are the ones it was started with.
        g_ready = true;
        return 1;
    }
    espeak_ng_InitializePath(data_path);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    if (status != ENS_OK) {
        set_error("the speech engine's data cannot be read", status);
        espeak_ng_ClearErrorContext(&context);
        return 0;
    }
    // Mode 0: no audio of its own, synthesis on the engine's thread (asynchronous).
    status = espeak_ng_InitializeOutput(static_cast<espeak_ng_OUTPUT_MODE>(0), 0, nullptr);
    if (status != ENS_OK) {
        set_error("the speech engine cannot start", status);
        return 0;
    }
    espeak_SetSynthCallback(on_samples);
    // An American English voice of the middle years.
    espeak_VOICE want;
    std::memset(&want, 0, sizeof want);
    want.languages = "en-us";
    want.gender = 2;
    want.age = 30;
    if (espeak_ng_SetVoiceByProperties(&want) != ENS_OK &&
        (status = espeak_ng_SetVoiceByName("en")) != ENS_OK) {
        set_error("the speech engine has no English voice", status);
        espeak_ng_Terminate();
        return 0;
    }
    g_rate = espeak_ng_GetSampleRate();
    if (g_rate <= 0) g_rate = 22050;
    g_engine = true;
    g_ready = true;
    return 1;
#else
    (void)data_path;
    std::snprintf(g_error, sizeof g_error, "this build has no speech engine");
    return 0;
#endif
}

int PLT_speech_ready(void) { return g_ready; }

const char* PLT_speech_error(void) { return g_error; }

int PLT_speech_say(const char* text)
{
    if (!g_ready || !text) return 1;
#ifdef KV_HAVE_ESPEAK
    {
        std::lock_guard<std::mutex> hold(g_done_lock);
        g_said++;
    }
    espeak_ng_STATUS status = espeak_ng_Synthesize(text, std::strlen(text) + 1, 0, POS_CHARACTER, 0,
                                                   espeakCHARS_AUTO, nullptr, nullptr);
    if (status != ENS_OK) {
        std::lock_guard<std::mutex> hold(g_done_lock);
        g_said--;
        return static_cast<int>(status) ? static_cast<int>(status) : 1;
    }
    return 0;
#else
    return 1;
#endif
}

int PLT_speech_busy(void)
{
    std::lock_guard<std::mutex> hold(g_done_lock);
    return g_finished < g_said;
}

int PLT_speech_wait(int ms)
{
    std::unique_lock<std::mutex> hold(g_done_lock);
    return g_done_cv.wait_for(hold, std::chrono::milliseconds(ms > 0 ? ms : 0),
                              [] { return g_finished >= g_said; });
}

void PLT_speech_close(void)
{
    if (!g_ready) return;
#ifdef KV_HAVE_ESPEAK
    // Returns once the engine's thread has stopped: no samples or events arrive after it.
    espeak_ng_Cancel();
#endif
    g_ready = false;
    std::lock_guard<std::mutex> hold(g_done_lock);
    g_finished = g_said;
    g_done_cv.notify_all();
}
