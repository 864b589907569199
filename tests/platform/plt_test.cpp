// plt_test.cpp -- the platform layer: clock, folders, single-instance lock, the event queue and the
// key state it tracks.
#include "plt.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>

namespace {

uint32_t fixed_clock() { return 424242; }

TEST(Clock, MonotonicMillisecondsAndReplaceable)
{
    PLT_set_clock(nullptr);
    uint32_t a = PLT_millis();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    uint32_t b = PLT_millis();
    // Wall-clock time: a sleeping process still sees it pass (processor time would not).
    EXPECT_GE(b - a, 25u);
    EXPECT_LT(b - a, 2000u);
    PLT_set_clock(fixed_clock);
    EXPECT_EQ(PLT_millis(), 424242u);
    PLT_set_clock(nullptr);
    EXPECT_GE(PLT_millis(), b);
}

TEST(Folders, ConfigurationFolderOverriddenAndCreated)
{
    TempDir dir;
    std::string want = dir.str() + "/nested/cfg";
    std::string old = std::getenv("KV_CONFIG_DIR") ? std::getenv("KV_CONFIG_DIR") : "";
    setenv("KV_CONFIG_DIR", (want + "/").c_str(), 1);
    char out[512];
    ASSERT_TRUE(PLT_config_folder(out, sizeof out));
    EXPECT_EQ(std::string(out), want);
    EXPECT_TRUE(std::filesystem::is_directory(want));
    char tiny[8];
    EXPECT_FALSE(PLT_config_folder(tiny, sizeof tiny));
    setenv("KV_CONFIG_DIR", old.c_str(), 1);
}

TEST(Folders, ProgramFolderIsTheExecutablesWithASlash)
{
    std::string old = std::getenv("KV_PROGRAM_DIR") ? std::getenv("KV_PROGRAM_DIR") : "";
    unsetenv("KV_PROGRAM_DIR");
    char out[4096];
    ASSERT_TRUE(PLT_program_folder(out, sizeof out));
    std::string s = out;
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(s + "platform_tests"));
    setenv("KV_PROGRAM_DIR", "/some/where", 1);
    ASSERT_TRUE(PLT_program_folder(out, sizeof out));
    EXPECT_STREQ(out, "/some/where/");
    if (old.empty()) unsetenv("KV_PROGRAM_DIR");
    else setenv("KV_PROGRAM_DIR", old.c_str(), 1);
}

// Writable means a file could really be made there: a folder below a plain file cannot be made or
// written by anyone, root included.
TEST(Folders, WritableOnlyWhereAFileCanBeMade)
{
    TempDir dir;
    const std::string file = dir.write("plain", "x");
    struct Case {
        std::string folder;
        int writable;
    };
    const Case cases[] = {{dir.str(), 1}, {file + "/below", 0}, {dir.str() + "/missing", 0}, {file, 0}, {"", 0}};
    for (const Case& c : cases) EXPECT_EQ(PLT_folder_writable(c.folder.c_str()), c.writable) << c.folder;
    // The probe leaves nothing behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(Clock, TodayIsTheCalendarDaySince1970)
{
    const long before = static_cast<long>(std::time(nullptr) / 86400);
    const long day = PLT_utc_day();
    const long after = static_cast<long>(std::time(nullptr) / 86400);
    EXPECT_TRUE(day == before || day == after) << day;
}

// A caught SIGTERM or SIGINT arrives once as a close event and wakes a waiting loop at once; a
// process that caught nothing sees no such event.
TEST(QuitSignals, ASignalBecomesOneCloseEventAndEndsAWait)
{
    ASSERT_TRUE(PLT_init_video());
    PLT_catch_quit_signals();
    for (int sig : {SIGTERM, SIGINT}) {
        PLT_clear_quit_signal();
        PLT_event ev{};
        while (PLT_poll_event(&ev)) {
        }
        EXPECT_EQ(PLT_wait_event(30), 0) << "nothing waits";
        std::raise(sig);
        EXPECT_EQ(PLT_quit_signal(), sig);
        const auto t0 = std::chrono::steady_clock::now();
        EXPECT_EQ(PLT_wait_event(5000), 1);
        EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(500));
        ASSERT_EQ(PLT_poll_event(&ev), 1);
        EXPECT_EQ(ev.kind, PLT_EV_CLOSE);
        EXPECT_EQ(PLT_poll_event(&ev), 0) << "one close event for one signal";
    }
    PLT_clear_quit_signal();
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
}

TEST(SingleInstance, SecondHolderOfTheLockIsRefused)
{
    std::string name = "kvtest-lock-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                       std::to_string(std::rand());
    EXPECT_EQ(PLT_single_instance(name.c_str()), 1);
    EXPECT_EQ(PLT_single_instance(name.c_str()), 0);
}

TEST(Events, PushedEventsComeBackWholeInOrderAndTrackKeys)
{
    ASSERT_TRUE(PLT_init_video());
    PLT_event e;
    while (PLT_poll_event(&e)) {}
    const PLT_event sent[] = {
        {PLT_EV_KEYDOWN, 16, 0, 0, 0},     {PLT_EV_KEYDOWN, 65, 0, 0, 0}, {PLT_EV_MOUSEMOVE, 0, 12, 34, 0},
        {PLT_EV_BUTTONDOWN, 0, 12, 34, 2}, {PLT_EV_KEYUP, 16, 0, 0, 0},   {PLT_EV_CLOSE, 0, 0, 0, 0},
    };
    for (const PLT_event& s : sent) PLT_push_event(s);
    int i = 0;
    bool shift_seen_with_a = false;
    while (PLT_poll_event(&e)) {
        ASSERT_LT(i, 6);
        EXPECT_EQ(e.kind, sent[i].kind) << i;
        EXPECT_EQ(e.vkey, sent[i].vkey) << i;
        EXPECT_EQ(e.x, sent[i].x) << i;
        EXPECT_EQ(e.y, sent[i].y) << i;
        EXPECT_EQ(e.button, sent[i].button) << i;
        if (e.kind == PLT_EV_KEYDOWN && e.vkey == 65) shift_seen_with_a = PLT_key_down(16);
        i++;
    }
    EXPECT_EQ(i, 6);
    EXPECT_TRUE(shift_seen_with_a);
    EXPECT_FALSE(PLT_key_down(16));
    EXPECT_TRUE(PLT_key_down(65));   // never released
    EXPECT_FALSE(PLT_key_down(0));
    EXPECT_FALSE(PLT_key_down(300));
}

TEST(DisplayModes, CurrentModeKnownAndSwitchToItIsNoChange)
{
    int w, h, bits;
    ASSERT_TRUE(PLT_current_mode(&w, &h, &bits));
    EXPECT_GT(w, 0);
    EXPECT_GT(h, 0);
    int before = PLT_mode_switches();
    EXPECT_EQ(PLT_set_mode(w, h, bits), 1);
    EXPECT_EQ(PLT_mode_switches(), before);
    // A size no display lists is refused.
    EXPECT_EQ(PLT_set_mode(12345, 321, 16), 0);
}

}  // namespace
