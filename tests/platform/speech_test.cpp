// speech_test.cpp -- the speech engine closed and started again in one process: each start speaks,
// closing twice or without a start is harmless, and nothing waits forever.
#include "plt_audio.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

namespace {

// Runs body on its own thread; a body still running after limit has hung in the engine, and the
// test process ends failed rather than waiting for ever (the hung thread cannot be joined).
template <class Body>
void run_within(std::chrono::seconds limit, Body body)
{
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    std::thread worker([&] {
        body();
        done.set_value();
    });
    if (finished.wait_for(limit) != std::future_status::ready) {
        std::fprintf(stderr, "the speech engine did not return within %lld s\n",
                     static_cast<long long>(limit.count()));
        std::fflush(stderr);
        std::_Exit(1);
    }
    worker.join();
}

// Speaks a short sentence on an open engine and checks its samples reached the speech stream.
void speaks(const char* sentence)
{
    PLT_speech_flush();
    ASSERT_EQ(PLT_speech_say(sentence), 0);
    ASSERT_TRUE(PLT_speech_wait(20000));
    EXPECT_FALSE(PLT_speech_busy());
    EXPECT_GT(PLT_speech_queued(), 22050 / 4);   // a short sentence lasts well over a quarter second
    PLT_speech_flush();
}

TEST(Speech, ClosedTwiceOrWithoutAStartIsHarmless)
{
    run_within(std::chrono::seconds(60), [] {
        PLT_speech_close();
        PLT_speech_close();
        EXPECT_FALSE(PLT_speech_ready());
        EXPECT_NE(PLT_speech_say("Cleared to land."), 0);
        EXPECT_FALSE(PLT_speech_busy());
    });
}

TEST(Speech, StartsAgainAfterClosingWithOrWithoutASentence)
{
    run_within(std::chrono::seconds(60), [] {
        // Started and closed without a sentence, then with one, twice over.
        for (int round = 0; round < 4; round++) {
            SCOPED_TRACE(round);
            ASSERT_EQ(PLT_speech_init(nullptr), 1) << PLT_speech_error();
            EXPECT_TRUE(PLT_speech_ready());
            EXPECT_EQ(PLT_speech_init(nullptr), 1);   // already open
            if (round % 2) speaks("Runway two seven, cleared for takeoff.");
            PLT_speech_close();
            EXPECT_FALSE(PLT_speech_ready());
            EXPECT_NE(PLT_speech_say("Contact departure."), 0);   // closed: refused
            PLT_speech_close();
        }
        PLT_speech_flush();
    });
}

TEST(Speech, ClosedWhileSpeakingAbandonsTheSentenceAndStartsAgain)
{
    run_within(std::chrono::seconds(60), [] {
        ASSERT_EQ(PLT_speech_init(nullptr), 1) << PLT_speech_error();
        PLT_speech_flush();
        for (int i = 0; i < 4; i++)
            ASSERT_EQ(PLT_speech_say("Traffic, twelve o'clock, five miles, opposite direction, "
                                     "altitude indicates three thousand five hundred feet."),
                      0);
        PLT_speech_close();
        // Nothing is left to wait for, and no sample arrives once the close has returned.
        EXPECT_FALSE(PLT_speech_busy());
        EXPECT_TRUE(PLT_speech_wait(0));
        int queued = PLT_speech_queued();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(PLT_speech_queued(), queued);
        ASSERT_EQ(PLT_speech_init(nullptr), 1) << PLT_speech_error();
        speaks("Say again.");
        PLT_speech_close();
        PLT_speech_flush();
    });
}

}  // namespace
