// event_world.h -- the windowless flight world with the event updates driven the way the frame
// driver drives them, every sound voice loaded so its starts and stops can be watched, and the
// stick's force commands recorded.
#pragma once
#include "event.h"
#include "flight_harness.h"
#include "fltframe.h"
#include "hl_funct.h"
#include "hl_sound.h"
#include "hl_types.h"
#include "plt_audio.h"
#include "plt_joy.h"

#include <kvtest.h>

#include <cmath>
#include <vector>

// Fills every voice with a quarter second of a quiet tone and switches sound on, so play and stop
// reach the mixer; the stick's forces go to the recorder.
inline void evt_listen(void)
{
    static std::vector<int16_t> pcm;
    if (pcm.empty())
        for (int k = 0; k < 5512; k++) pcm.push_back((int16_t)((k % 50 < 25) ? 1000 : -1000));
    msc.sound_avail = 1;
    msc.sound_on = 1;
    buffers_filled = 1;
    for (int n = 0; n < NUM_SOUNDS; n++)
        PLT_voice_load(n, pcm.data(), (int)(pcm.size() * sizeof(int16_t)), 16, 1, 22050);
    PLT_force_use_recorder(1);
    PLT_force_log_clear();
}

inline void evt_quiet(void)
{
    for (int n = 0; n < NUM_SOUNDS; n++) PLT_voice_free(n);
    buffers_filled = 0;
    PLT_force_use_recorder(0);
}

// Stops every voice, so the next start of one shows.
inline void evt_hush(void)
{
    for (int n = 0; n < NUM_SOUNDS; n++) PLT_voice_stop(n);
}

// The frames between event updates and the event cadence of one frame: mod_evt when the frame
// counter is a multiple of the interval, mod_sec on every tenth of those, the interval then set
// from the frame period.
struct EvtCadence {
    int evup = 1;
    void step(void)
    {
        if (msc.cntr % evup == 0) {
            mod_evt();
            if (msc.cntr10 == 0) mod_sec();
            msc.cntr10 = intwrap(msc.cntr10 + 1, 0, 9);
        }
        evup = intlim(round(0.1f / msc.prd), 1, 99);
    }
};

// Force commands of one kind in the recorder's log since it was last cleared.
inline std::vector<PLT_force_entry> evt_forces(int call)
{
    std::vector<PLT_force_entry> out;
    for (int i = 0; i < PLT_force_log_count(); i++) {
        const PLT_force_entry* e = PLT_force_log(i);
        if (e && e->call == call) out.push_back(*e);
    }
    return out;
}

// A world with the trainer loaded and every system working.
class EventWorld : public ::testing::Test {
protected:
    void SetUp() override
    {
        fh_world();
        ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
        evt_listen();
    }
    void TearDown() override { evt_quiet(); }

    // Events as the driver runs them, then the harness's frame.
    void frame(void)
    {
        cadence.step();
        fh_frame();
    }
    void run(float seconds)
    {
        int n = (int)std::lround(seconds / msc.prd);
        for (int k = 0; k < n; k++) frame();
    }

    EvtCadence cadence;
};
