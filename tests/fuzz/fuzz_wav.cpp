// fuzz_wav.cpp -- the sound loader on any bytes, read as the aircraft's own engine sound: a file
// either loads into the voice with no alert, at a rate the mixer takes, or it raises one alert
// (the program would end there) and leaves the voice empty.
#include "fuzz_support.h"

#include "hl_sound.h"
#include "hl_types.h"
#include "plt_audio.h"

#include <cstring>

namespace {

// Whether the four tags stand in the bytes in this order.
bool tags_in_order(const uint8_t* d, size_t n)
{
    const char* tags[4] = {"RIFF", "WAVE", "fmt ", "data"};
    size_t at = 0;
    for (const char* t : tags) {
        const void* hit = nullptr;
        for (size_t i = at; i + 4 <= n && !hit; i++)
            if (std::memcmp(d + i, t, 4) == 0) hit = d + i, at = i + 4;
        if (!hit) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = [] {
        std::snprintf(pln[0].C_path, sizeof pln[0].C_path, "%s", fuzz_path("A.acf").c_str());
        return true;
    }();
    (void)ready;
    fuzz_begin();
    msc.sound_avail = 1;
    const std::string name = std::string("A ") + sound_file_name(0);
    fuzz_file(name.c_str(), data, size);
    PLT_voice_free(0);
    try {
        fill_buffer(0);
    } catch (const FuzzFatal&) {
        FUZZ_CHECK(fuzz_alerts() == 1);
        FUZZ_CHECK(!PLT_voice_loaded(0));
        return 0;
    }
    FUZZ_CHECK(fuzz_alerts() == 0);
    FUZZ_CHECK(PLT_voice_loaded(0));
    FUZZ_CHECK(tags_in_order(data, size));
    FUZZ_CHECK(PLT_voice_rate(0) >= 1.0f && PLT_voice_rate(0) <= 200000.0f);
    return 0;
}
