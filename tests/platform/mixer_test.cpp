// mixer_test.cpp -- the voice mixer on its output buffers: loops, one-shots, replays, stops,
// volume in hundredths of a decibel, resampling, saturation, the speech stream and the device.
#include "plt_audio.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr int RATE = 48000;

class Mixer : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset()
    {
        for (int n = 0; n < PLT_VOICES; n++) PLT_voice_free(n);
        PLT_speech_flush();
    }

    // Left channel of the next frames of output.
    static std::vector<float> mix_left(int frames, int rate = RATE)
    {
        std::vector<float> out(2 * static_cast<size_t>(frames));
        PLT_mix(out.data(), frames, rate);
        std::vector<float> left(frames);
        for (int i = 0; i < frames; i++) left[i] = out[2 * i];
        return left;
    }

    // A mono 16-bit voice whose sample i is f(i) (full scale 1.0).
    template <class F>
    static void load_mono(int n, int frames, int rate, F f)
    {
        std::vector<int16_t> s(frames);
        for (int i = 0; i < frames; i++) s[i] = static_cast<int16_t>(std::lround(f(i) * 32767.0));
        ASSERT_TRUE(PLT_voice_load(n, s.data(), frames * 2, 16, 1, rate));
    }

    // A ramp voice: sample i is i / 1000, so the output tells the position.
    static void load_ramp(int n, int frames)
    {
        load_mono(n, frames, RATE, [](int i) { return i / 1000.0; });
    }
};

float ramp_value(int position) { return static_cast<float>(std::lround(position / 1000.0 * 32767.0)) / 32768.0f; }

TEST_F(Mixer, LoopingVoiceWrapsWithoutAClick)
{
    // One sine period in 101 frames, played at a rate that does not divide the output rate, so the
    // wrap falls between source frames. The largest step across every wrap stays the sine's own.
    const int frames = 101;
    load_mono(0, frames, 44100, [&](int i) { return 0.8 * std::sin(2 * M_PI * i / frames); });
    PLT_voice_play(0, 1);
    std::vector<float> out = mix_left(20000);
    float max_step = 0;
    for (size_t i = 1; i < out.size(); i++) max_step = std::max(max_step, std::fabs(out[i] - out[i - 1]));
    float sine_step = 0.8f * 2.0f * static_cast<float>(M_PI) / frames * 44100.0f / RATE;
    EXPECT_LE(max_step, sine_step * 1.05f);
    EXPECT_GT(max_step, sine_step * 0.8f);   // the voice really played
    // The phase runs on across every wrap: the output is the continued sine.
    float worst = 0;
    for (size_t k = 0; k < out.size(); k++) {
        double phase = 2 * M_PI * std::fmod(k * 44100.0 / RATE, frames) / frames;
        worst = std::max(worst, std::fabs(out[k] - 0.8f * static_cast<float>(std::sin(phase))));
    }
    EXPECT_LT(worst, 0.002f);
    EXPECT_TRUE(PLT_voice_playing(0));
    EXPECT_LT(PLT_voice_position(0), frames);
}

TEST_F(Mixer, OneShotThatEndsStopsAndRewinds)
{
    load_ramp(1, 100);
    PLT_voice_play(1, 0);
    std::vector<float> out = mix_left(150);
    EXPECT_NEAR(out[99], ramp_value(99), 1e-6);
    for (int i = 100; i < 150; i++) EXPECT_EQ(out[i], 0.0f) << i;
    EXPECT_FALSE(PLT_voice_playing(1));
    EXPECT_EQ(PLT_voice_position(1), 0.0);
    // Played again it starts from the beginning.
    PLT_voice_play(1, 0);
    out = mix_left(3);
    EXPECT_NEAR(out[0], ramp_value(0), 1e-6);
    EXPECT_NEAR(out[2], ramp_value(2), 1e-6);
}

TEST_F(Mixer, ReplayOfAPlayingOneShotDoesNotRestartIt)
{
    load_ramp(2, 200);
    PLT_voice_play(2, 0);
    mix_left(50);
    PLT_voice_play(2, 0);
    EXPECT_EQ(PLT_voice_position(2), 50.0);
    std::vector<float> out = mix_left(10);
    EXPECT_NEAR(out[0], ramp_value(50), 1e-6);
    // A replay that asks for a loop only changes the loop flag: the voice now wraps at its end.
    PLT_voice_play(2, 1);
    EXPECT_EQ(PLT_voice_position(2), 60.0);
    out = mix_left(200);
    EXPECT_TRUE(PLT_voice_playing(2));
    EXPECT_NEAR(out[140], ramp_value(0), 1e-6);
}

TEST_F(Mixer, StoppingKeepsThePosition)
{
    load_ramp(3, 300);
    PLT_voice_play(3, 1);
    mix_left(30);
    PLT_voice_stop(3);
    std::vector<float> quiet = mix_left(40);
    for (float v : quiet) EXPECT_EQ(v, 0.0f);
    EXPECT_EQ(PLT_voice_position(3), 30.0);
    PLT_voice_play(3, 1);
    std::vector<float> out = mix_left(2);
    EXPECT_NEAR(out[0], ramp_value(30), 1e-6);
    EXPECT_NEAR(out[1], ramp_value(31), 1e-6);
}

TEST_F(Mixer, VolumeFollowsHundredthsOfADecibel)
{
    struct Row {
        int hundredths;
        float gain;
    };
    // 20 dB is a tenth of the amplitude; -5000 is quiet but not silent.
    const Row rows[] = {{0, 1.0f}, {-600, 0.501187f}, {-2000, 0.1f}, {-4000, 0.01f}, {-5000, 0.0031623f},
                        {500, 1.0f}, {-20000, 0.00001f}};
    load_mono(4, 1000, RATE, [](int) { return 0.5; });
    PLT_voice_play(4, 1);
    for (const Row& r : rows) {
        PLT_voice_set(4, r.hundredths, RATE);
        std::vector<float> out = mix_left(4);
        EXPECT_NEAR(out[3] / 0.5f, r.gain, r.gain * 1e-3f) << r.hundredths;
    }
    EXPECT_EQ(PLT_voice_volume(4), -10000);   // the last row, limited
}

TEST_F(Mixer, RateResamplesWithLinearInterpolation)
{
    load_ramp(5, 100);
    PLT_voice_set(5, 0, RATE / 4.0f);   // a quarter step per output frame
    PLT_voice_play(5, 0);
    std::vector<float> out = mix_left(9);
    for (int k = 0; k < 9; k++) {
        float want = ramp_value(k / 4) + (k % 4) / 4.0f * (ramp_value(k / 4 + 1) - ramp_value(k / 4));
        EXPECT_NEAR(out[k], want, 1e-5) << k;
    }
    EXPECT_NEAR(PLT_voice_position(5), 9 / 4.0, 1e-9);
    EXPECT_FLOAT_EQ(PLT_voice_rate(5), RATE / 4.0f);
}

TEST_F(Mixer, FormatsAreConvertedAndSidesKept)
{
    // 8-bit unsigned: 192 is half scale up, 64 half scale down.
    const uint8_t u8[2] = {192, 64};
    ASSERT_TRUE(PLT_voice_load(6, u8, 2, 8, 1, RATE));
    // 16-bit stereo: left quarter scale, right minus quarter.
    const int16_t st[4] = {8192, -8192, 8192, -8192};
    ASSERT_TRUE(PLT_voice_load(7, st, sizeof st, 16, 2, RATE));
    // 24-bit mono: the top two bytes carry the sample.
    const uint8_t s24[3] = {0x00, 0x00, 0x20};
    ASSERT_TRUE(PLT_voice_load(8, s24, 3, 24, 1, RATE));

    PLT_voice_play(6, 0);
    std::vector<float> out(4);
    PLT_mix(out.data(), 2, RATE);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[1], 0.5f);   // mono on both sides
    EXPECT_FLOAT_EQ(out[2], -0.5f);

    PLT_voice_play(7, 0);
    PLT_mix(out.data(), 1, RATE);
    EXPECT_FLOAT_EQ(out[0], 0.25f);
    EXPECT_FLOAT_EQ(out[1], -0.25f);

    PLT_voice_stop(7);
    PLT_voice_play(8, 0);
    PLT_mix(out.data(), 1, RATE);
    EXPECT_FLOAT_EQ(out[0], 0.25f);
}

TEST_F(Mixer, SumSaturatesAtFullScale)
{
    load_mono(9, 10, RATE, [](int) { return 0.9; });
    load_mono(10, 10, RATE, [](int) { return 0.9; });
    load_mono(11, 10, RATE, [](int) { return -0.9; });
    PLT_voice_play(9, 1);
    PLT_voice_play(10, 1);
    EXPECT_EQ(mix_left(2)[1], 1.0f);
    PLT_voice_play(11, 1);
    EXPECT_NEAR(mix_left(2)[1], 0.9f, 1e-4);
}

TEST_F(Mixer, UnplayableFormatsAndEmptyVoicesDoNothing)
{
    const int16_t s[8] = {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000};
    struct Row {
        int voice, bytes, bits, channels, rate;
    } rows[] = {{12, 16, 12, 1, RATE}, {12, 16, 16, 3, RATE}, {12, 16, 16, 1, 0}, {12, 1, 16, 1, RATE},
                {12, 0, 16, 1, RATE},  {-1, 16, 16, 1, RATE}, {PLT_VOICES, 16, 16, 1, RATE}};
    for (const Row& r : rows) {
        EXPECT_FALSE(PLT_voice_load(r.voice, s, r.bytes, r.bits, r.channels, r.rate)) << r.bits << " " << r.channels;
        EXPECT_FALSE(PLT_voice_loaded(r.voice));
    }
    EXPECT_FALSE(PLT_voice_load(12, nullptr, 16, 16, 1, RATE));
    PLT_voice_play(12, 1);
    PLT_voice_set(12, -100, 8000);
    EXPECT_FALSE(PLT_voice_playing(12));
    EXPECT_EQ(PLT_voice_volume(12), 0);
    for (float v : mix_left(16)) EXPECT_EQ(v, 0.0f);
}

TEST_F(Mixer, LoadingReplacesAndStopsTheVoice)
{
    load_ramp(13, 500);
    PLT_voice_play(13, 1);
    PLT_voice_set(13, -1000, 1000);
    mix_left(100);
    load_mono(13, 50, 22050, [](int) { return 0.25; });
    EXPECT_FALSE(PLT_voice_playing(13));
    EXPECT_EQ(PLT_voice_position(13), 0.0);
    EXPECT_EQ(PLT_voice_volume(13), 0);
    EXPECT_FLOAT_EQ(PLT_voice_rate(13), 22050.0f);
}

TEST_F(Mixer, SpeechStreamPlaysItsSamplesInOrder)
{
    std::vector<int16_t> s(1000);
    for (int i = 0; i < 1000; i++) s[i] = static_cast<int16_t>(i * 16);
    EXPECT_EQ(PLT_speech_push(s.data(), 1000, RATE), 1000);
    EXPECT_EQ(PLT_speech_queued(), 1000);
    std::vector<float> out = mix_left(1200);
    for (int i = 0; i < 1000; i += 97) EXPECT_FLOAT_EQ(out[i], i * 16 / 32768.0f) << i;
    EXPECT_EQ(out[1100], 0.0f);
    EXPECT_EQ(PLT_speech_queued(), 0);
    // At half the output rate each sample lasts two output frames, halfway points interpolated.
    PLT_speech_push(s.data(), 4, RATE / 2);
    out = mix_left(4);
    EXPECT_FLOAT_EQ(out[1], 8 / 32768.0f);
    EXPECT_FLOAT_EQ(out[2], 16 / 32768.0f);
}

TEST_F(Mixer, SpeechRingDropsWhatDoesNotFit)
{
    std::vector<int16_t> s(PLT_SPEECH_RING - 10, 100);
    EXPECT_EQ(PLT_speech_push(s.data(), static_cast<int>(s.size()), 22050), PLT_SPEECH_RING - 10);
    EXPECT_EQ(PLT_speech_push(s.data(), 100, 22050), 10);
    EXPECT_EQ(PLT_speech_queued(), PLT_SPEECH_RING);
    PLT_speech_flush();
    EXPECT_EQ(PLT_speech_queued(), 0);
}

TEST_F(Mixer, DiskDeviceWritesTheMixedVoices)
{
    TempDir dir;
    std::string file = dir.str() + "/out.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    load_mono(14, 100, 22050, [](int) { return 0.375; });
    PLT_voice_play(14, 1);
    ASSERT_TRUE(PLT_audio_open()) << PLT_audio_error();
    EXPECT_TRUE(PLT_audio_device_open());
    EXPECT_GT(PLT_audio_rate(), 0);
    // The device writes one buffer of 1024 stereo frames at a time: wait for sixteen of them rather
    // than for a fixed time, which a loaded machine may spend on other work.
    const std::uintmax_t enough = 16u * 1024 * 2 * sizeof(float);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::error_code err;
    while (std::chrono::steady_clock::now() < deadline) {
        std::uintmax_t size = std::filesystem::file_size(file, err);
        if (!err && size >= enough) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    PLT_audio_close();
    EXPECT_FALSE(PLT_audio_device_open());
    EXPECT_FALSE(PLT_voice_loaded(14));   // closing empties the voices

    std::string bytes = read_file(file);
    ASSERT_GE(bytes.size(), enough);
    const float* f = reinterpret_cast<const float*>(bytes.data());
    size_t n = bytes.size() / sizeof(float);
    // Paused (just after opening and just before closing) the device writes whole buffers of
    // silence; between them every sample is the voice's level.
    size_t first = 0, last = n;
    while (first < n && f[first] == 0.0f) first++;
    while (last > first && f[last - 1] == 0.0f) last--;
    EXPECT_EQ(first % 2048, 0u);
    EXPECT_EQ((n - last) % 2048, 0u);
    size_t at_level = 0;
    for (size_t i = first; i < last; i++) at_level += std::fabs(f[i] - 0.375f) < 1e-4f;
    EXPECT_EQ(at_level, last - first);
    EXPECT_GE(at_level, 8u * 1024 * 2);
}

TEST_F(Mixer, NoDeviceLeavesTheMixerWorking)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(PLT_audio_open());
    EXPECT_STRNE(PLT_audio_error(), "");
    EXPECT_EQ(PLT_audio_rate(), 0);
    load_mono(15, 10, RATE, [](int) { return 0.5; });
    PLT_voice_play(15, 1);
    EXPECT_NEAR(mix_left(1)[0], 0.5f, 1e-4);
    PLT_audio_close();
}

}  // namespace
