// sound_test.cpp -- the simulator's sounds: WAVE files of every shape (good, unusual, damaged),
// where each sound comes from, volume and frequency, the engine and wind-and-rain voices, the
// sound switch, and the closing of the devices.
#include "hl_sound.h"
#include "hl_file.h"
#include "hl_joy.h"
#include "hl_types.h"
#include "kvtest.h"
#include "plt_audio.h"
#include "plt_joy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

void put32(std::string& s, uint32_t v)
{
    for (int i = 0; i < 4; i++) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void put16(std::string& s, uint16_t v)
{
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}

struct Wave {
    uint16_t tag = 1;
    uint16_t channels = 1;
    uint32_t rate = 22050;
    uint16_t bits = 16;
    uint32_t fmt_size = 16;          // as written in the file
    int fmt_extra = 0;               // bytes really written after the 16-byte record
    int16_t level = 8192;            // every sample (16-bit)
    int frames = 64;
    int64_t data_size = -1;          // as written; -1 the real size
    bool cut_after_fmt = false;
    bool cut_after_data_tag = false;

    std::string bytes() const
    {
        std::string fmt;
        uint16_t block = static_cast<uint16_t>((bits + 7) / 8 * channels);
        put16(fmt, tag);
        put16(fmt, channels);
        put32(fmt, rate);
        put32(fmt, rate * block);
        put16(fmt, block);
        put16(fmt, bits);
        fmt.append(static_cast<size_t>(fmt_extra), '\0');
        std::string data;
        for (int i = 0; i < frames * channels; i++) {
            if (bits == 8) data += static_cast<char>(128 + level / 256);
            if (bits == 24) data += '\0';   // the low byte; the level fills the top two
            if (bits > 8) put16(data, static_cast<uint16_t>(level));
        }
        std::string s = "RIFF";
        put32(s, 0);
        s += "WAVEfmt ";
        put32(s, fmt_size);
        s += fmt;
        if (cut_after_fmt) return s;
        s += "data";
        if (cut_after_data_tag) return s;
        put32(s, data_size < 0 ? static_cast<uint32_t>(data.size()) : static_cast<uint32_t>(data_size));
        return s + data;
    }
};

// A literal's bytes, zeros included.
template <size_t N>
std::string raw(const char (&s)[N])
{
    return std::string(s, N - 1);
}

class Sounds : public ::testing::Test {
protected:
    TempDir dir;

    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        std::snprintf(app_path, STR_LEN, "%s/", dir.str().c_str());
        msc.sound_avail = 1;
        msc.sound_on = 1;
        con.rsctorpm = 60.0f / (2.0f * static_cast<float>(M_PI));
        con.hptowatt = 745.7f;
        con.watttohp = 1.0f / con.hptowatt;
        buffers_filled = 0;
        for (int n = 0; n < PLT_VOICES; n++) PLT_voice_free(n);
    }
    void TearDown() override
    {
        for (int n = 0; n < PLT_VOICES; n++) PLT_voice_free(n);
    }

    std::string shared(const std::string& name, const Wave& w) const
    {
        return dir.write("sounds/" + name, w.bytes());
    }

    // The alert a fill raises (a fatal one is thrown by the test sink), or code 0 when none.
    RecordedAlert fill_alert(int n)
    {
        clear_recorded_alerts();
        try {
            fill_buffer(n);
        } catch (const FatalAlert& f) {
            return f.alert;
        }
        return RecordedAlert{"", "", "", "", 0};
    }

    // The left output of the mixer for one frame after playing sound n from its start.
    static float first_output(int n)
    {
        PLT_voice_play(n, 0);
        float out[2];
        PLT_mix(out, 1, 22050);
        PLT_voice_stop(n);
        return out[0];
    }
};

TEST_F(Sounds, GoodFilesOfEveryFormatChunkSizeLoad)
{
    struct Row {
        uint32_t fmt_size;
        int extra;
        uint16_t bits, channels;
    } rows[] = {{16, 0, 16, 1}, {18, 2, 16, 1}, {40, 24, 16, 2}, {17, 1, 8, 1}, {16, 0, 24, 1}};
    for (const Row& r : rows) {
        Wave w;
        w.fmt_size = r.fmt_size;
        w.fmt_extra = r.extra;
        w.bits = r.bits;
        w.channels = r.channels;
        w.level = 16384;
        shared("wind.WAV", w);
        RecordedAlert a = fill_alert(SND_WIND);
        EXPECT_EQ(a.code, 0) << a.l1 << " fmt " << r.fmt_size;
        ASSERT_TRUE(PLT_voice_loaded(SND_WIND)) << r.fmt_size;
        EXPECT_NEAR(first_output(SND_WIND), 0.5f, 0.01f) << r.fmt_size << " bits " << r.bits;
        EXPECT_FLOAT_EQ(PLT_voice_rate(SND_WIND), 22050.0f);
    }
    EXPECT_EQ(buffers_filled, 1);
}

TEST_F(Sounds, DamagedFilesGetTheirAlertWithThePath)
{
    struct Row {
        const char* what;
        Wave w;
        std::string raw;   // used instead of w when set
        const char* alert;
    };
    Wave base;
    std::vector<Row> rows;
    rows.push_back({"no RIFF", base, "JUNKJUNKJUNK", "This is not a RIFF file."});
    rows.push_back({"empty file", base, std::string(), "This is not a RIFF file."});
    rows.push_back({"no WAVE", base, raw("RIFF\x10\0\0\0AVIfmt "), "This is not a WAVE file."});
    rows.push_back({"no fmt", base, raw("RIFF\x10\0\0\0WAVEdata"), "WAVE file has no fmt chunk."});
    rows.push_back({"cut in the format size", base, raw("RIFF\0\0\0\0WAVEfmt \x10\0"),
                    "Failed to read format size."});
    Wave huge = base;
    huge.fmt_size = 0xFFFFFFF0u;
    rows.push_back({"format size past the end", huge, "", "Failed to read format chunk opening sound."});
    Wave tiny = base;
    tiny.fmt_size = 12;
    rows.push_back({"format record too short", tiny, "", "Failed to read format chunk opening sound."});
    Wave adpcm = base;
    adpcm.tag = 2;
    rows.push_back({"compressed", adpcm, "", "The sound file is not a PCM file."});
    Wave flt = base;
    flt.tag = 3;
    flt.bits = 32;
    rows.push_back({"float samples", flt, "", "The sound file is not a PCM file."});
    Wave ext = base;
    ext.tag = 0xFFFE;
    ext.fmt_size = 40;
    ext.fmt_extra = 24;
    rows.push_back({"extensible", ext, "", "The sound file is not a PCM file."});
    Wave nodata = base;
    nodata.cut_after_fmt = true;
    rows.push_back({"no data chunk", nodata, "", "WAVE file has no data chunk."});
    Wave nosize = base;
    nosize.cut_after_data_tag = true;
    rows.push_back({"cut in the data size", nosize, "", "Failed to read data size."});
    Wave zero = base;
    zero.data_size = 0;
    zero.frames = 0;
    rows.push_back({"empty data", zero, "", "The sound-file data chunk has no data."});
    Wave gone = base;
    gone.data_size = 5000;
    gone.frames = 0;
    rows.push_back({"data size with no data after it", gone, "", "The sound-file data chunk has no data."});

    for (const Row& r : rows) {
        std::string bytes = r.raw.empty() ? r.w.bytes() : r.raw;
        if (std::string(r.what) == "empty file") bytes.clear();
        std::string path = shared("caut.WAV", Wave());
        std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        RecordedAlert a = fill_alert(SND_CAUTION);
        EXPECT_EQ(a.code, 2004) << r.what;
        EXPECT_EQ(a.l1, r.alert) << r.what;
        EXPECT_EQ(a.l2, path) << r.what;
        EXPECT_FALSE(PLT_voice_loaded(SND_CAUTION)) << r.what;
    }
}

TEST_F(Sounds, TruncatedDataChunkPlaysWhatTheFileHolds)
{
    Wave w;
    w.frames = 50;
    w.data_size = 100000;   // claims far more than the file holds
    shared("boom.WAV", w);
    EXPECT_EQ(fill_alert(SND_BOOM).code, 0);
    ASSERT_TRUE(PLT_voice_loaded(SND_BOOM));
    PLT_voice_play(SND_BOOM, 0);
    std::vector<float> out(2 * 60);
    PLT_mix(out.data(), 60, 22050);
    EXPECT_NEAR(out[2 * 49], 0.25f, 1e-3);
    EXPECT_EQ(out[2 * 50], 0.0f);   // 50 frames, then the one-shot has ended
    EXPECT_FALSE(PLT_voice_playing(SND_BOOM));

    // A last frame cut in half is dropped.
    Wave odd;
    odd.frames = 10;
    std::string bytes = odd.bytes();
    bytes.pop_back();
    dir.write("sounds/sink.WAV", bytes);
    EXPECT_EQ(fill_alert(SND_SINK).code, 0);
    PLT_voice_play(SND_SINK, 0);
    PLT_mix(out.data(), 12, 22050);
    EXPECT_NEAR(out[2 * 8], 0.25f, 1e-3);
    EXPECT_EQ(out[2 * 9], 0.0f);
}

TEST_F(Sounds, FormatsTheMixerCannotPlayGetTheBufferAlert)
{
    Wave many;
    many.channels = 6;
    shared("gear.WAV", many);
    RecordedAlert a = fill_alert(SND_GEAR);
    EXPECT_EQ(a.code, 2003);
    EXPECT_EQ(a.l1, "Direct Sound Buffer Creation Failed");
    EXPECT_EQ(a.l4, "6");   // the sound's number
    Wave twelve;
    twelve.bits = 12;
    shared("gear.WAV", twelve);
    EXPECT_EQ(fill_alert(SND_GEAR).code, 2003);
    EXPECT_FALSE(PLT_voice_loaded(SND_GEAR));
}

TEST_F(Sounds, MissingFileAndOutOfRangeNumber)
{
    RecordedAlert a = fill_alert(SND_THUNDER);
    EXPECT_EQ(a.code, 2004);
    EXPECT_EQ(a.l1, "Cannot open sound file!");
    EXPECT_EQ(a.l2, dir.str() + "/sounds/thun.WAV");
    for (int n : {-1, 23, 1000}) {
        a = fill_alert(n);
        EXPECT_EQ(a.code, 2003);
        EXPECT_EQ(a.l1, "Requested sound out of range!");
        EXPECT_EQ(a.l4, std::to_string(n));
    }
}

TEST_F(Sounds, AircraftsOwnSoundComesFirst)
{
    Wave own, common;
    own.level = 4096;
    common.level = 16384;
    std::snprintf(pln[0].C_path, STR_LEN, "%s/Jet.acf", dir.str().c_str());
    dir.write("Jet engn.WAV", own.bytes());
    dir.write("Jet wind.WAV", own.bytes());
    pln[0].entype = 4;
    shared("eng3.WAV", common);
    shared("wind.WAV", common);
    shared("rain.WAV", common);
    fill_buffer(SND_ENGINE);
    fill_buffer(SND_WIND);
    fill_buffer(SND_RAIN);
    EXPECT_NEAR(first_output(SND_ENGINE), 0.125f, 1e-3);
    EXPECT_NEAR(first_output(SND_WIND), 0.125f, 1e-3);
    EXPECT_NEAR(first_output(SND_RAIN), 0.5f, 1e-3);   // no "Jet rain.WAV": the shared one
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(Sounds, SharedEngineSoundFollowsTheEngineType)
{
    struct Row {
        int heli, type;
        const char* file;
    } rows[] = {{0, 1, "eng1.WAV"}, {0, 2, "eng1.WAV"}, {0, 3, "eng2.WAV"}, {0, 4, "eng3.WAV"},
                {0, 5, "eng3.WAV"}, {0, 0, "eng1.WAV"}, {0, 7, "eng1.WAV"}, {1, 1, "eng4.WAV"},
                {1, 2, "eng4.WAV"}, {1, 3, "eng5.WAV"}};
    for (const Row& r : rows) {
        pln[0].is_heli = r.heli;
        pln[0].entype = r.type;
        EXPECT_STREQ(engine_file_name(), r.file) << r.heli << " " << r.type;
    }
    // Short and over-long aircraft paths fall back to the shared file without reading outside them.
    pln[0].is_heli = 0;
    pln[0].entype = 3;
    shared("eng2.WAV", Wave());
    std::snprintf(pln[0].C_path, STR_LEN, "abc");
    EXPECT_EQ(fill_alert(SND_ENGINE).code, 0);
    std::memset(pln[0].C_path, 'x', STR_LEN - 1);
    pln[0].C_path[STR_LEN - 1] = 0;
    EXPECT_EQ(fill_alert(SND_ENGINE).code, 0);
    EXPECT_TRUE(PLT_voice_loaded(SND_ENGINE));
}

class LoadedSounds : public Sounds {
protected:
    void SetUp() override
    {
        Sounds::SetUp();
        for (int n = 0; n < NUM_SOUNDS; n++) shared(n == 0 ? "eng1.WAV" : sound_file_name(n), Wave());
        for (int n = 0; n < NUM_SOUNDS; n++) fill_buffer(n);
        ASSERT_TRUE(recorded_alerts().empty());
    }
};

TEST_F(LoadedSounds, VolumeAndFrequencyScales)
{
    struct Row {
        float vol, pitch, low, high;
        int volume;
        float freq;
    } rows[] = {
        {1, 1, 0, 1, 0, 14773.5f},     {0, 1, 0, 1, -5000, 14773.5f},   {0.5f, 0.5f, 0, 1, -2500, 7386.75f},
        {2, 2, 0, 1, 0, 29547.0f},     {-1, 0, 0, 1, -5000, 100.0f},    {0.2f, 0.001f, 0, 1, -4000, 100.0f},
        {1, 20, 0, 1, 0, 100000.0f},   {0.9f, 0.5f, 0.5f, 1, -500, 11080.125f},
        {NAN, NAN, 0, 1, -5000, 100.0f},
    };
    for (const Row& r : rows) {
        set_frq_vol(r.vol, r.pitch, r.low, r.high, SND_WIND);
        EXPECT_NEAR(PLT_voice_volume(SND_WIND), r.volume, 1) << r.vol;
        EXPECT_NEAR(PLT_voice_rate(SND_WIND), r.freq, 0.01f) << r.pitch;
    }
}

TEST_F(LoadedSounds, StallHornAndFlapMotorPlayAtTheFixedRate)
{
    play_buffer(SND_STALL, 1);
    play_buffer(SND_FLAP, 1);
    play_buffer(SND_GEAR, 0);
    EXPECT_FLOAT_EQ(PLT_voice_rate(SND_STALL), 14773.5f);
    EXPECT_FLOAT_EQ(PLT_voice_rate(SND_FLAP), 14773.5f);
    EXPECT_FLOAT_EQ(PLT_voice_rate(SND_GEAR), 22050.0f);   // one-shots keep their own rate
    EXPECT_TRUE(PLT_voice_playing(SND_STALL));
    EXPECT_TRUE(PLT_voice_playing(SND_GEAR));
}

TEST_F(LoadedSounds, SwitchedOffNothingStartsButStopWorks)
{
    play_buffer(SND_WIND, 1);
    msc.sound_on = 0;
    play_buffer(SND_RAIN, 1);
    set_frq_vol(0, 0, 0, 1, SND_WIND);
    EXPECT_FALSE(PLT_voice_playing(SND_RAIN));
    EXPECT_EQ(PLT_voice_volume(SND_WIND), 0);
    stop_buffer(SND_WIND);
    EXPECT_FALSE(PLT_voice_playing(SND_WIND));
    // Without a sound output every call does nothing.
    msc.sound_on = 1;
    play_buffer(SND_WIND, 1);
    msc.sound_avail = 0;
    stop_buffer(SND_WIND);
    play_buffer(SND_RAIN, 1);
    EXPECT_TRUE(PLT_voice_playing(SND_WIND));
    EXPECT_FALSE(PLT_voice_playing(SND_RAIN));
    // Out-of-range numbers are ignored by play, stop and set.
    msc.sound_avail = 1;
    play_buffer(-1, 0);
    play_buffer(23, 0);
    stop_buffer(99);
    set_frq_vol(1, 1, 0, 1, 40);
}

TEST_F(LoadedSounds, EmptyVoiceIgnoresEveryCall)
{
    PLT_voice_free(SND_SINK);
    play_buffer(SND_SINK, 1);
    set_frq_vol(0.5f, 0.5f, 0, 1, SND_SINK);
    stop_buffer(SND_SINK);
    EXPECT_FALSE(PLT_voice_playing(SND_SINK));
    EXPECT_EQ(PLT_voice_volume(SND_SINK), 0);
}

TEST_F(LoadedSounds, EngineVoiceFollowsSpeedAndThrottle)
{
    struct Row {
        const char* what;
        int heli, type, numen, vect;
        float pmax_hp, rpm, n1, thro;
        int volume;
        float freq;
    } rows[] = {
        // r = engine speed / reference, t = throttle * mixture; vol r, pitch 0.5 t + 0.5 r, low 0.5.
        {"piston at reference", 0, 1, 1, 0, 180, 2500, 0, 1, 0, 14773.5f},
        {"piston half", 0, 1, 2, 0, 180, 1250, 0, 0.5f, -2500, 11080.125f},
        {"tiny engine", 0, 1, 1, 0, 5, 3500, 0, 1, -2500, 12926.81f},
        // Turbine (type 3): 1900 rpm, low 0.8; with vectoring 500 rpm.
        {"turbine", 0, 3, 1, 0, 600, 950, 0, 0, -2500, 12557.48f},
        {"vectored turbine", 0, 3, 1, 1, 600, 500, 0, 1, 0, 14773.5f},
        // Jets: N1 per cent, volume sqrt(r), low 0.9.
        {"jet", 0, 4, 2, 0, 0, 0, 64, 1, -1000, 14507.58f},
        // Helicopters: 500 rpm (400 for type 3), one engine, pitch 0.1 t + 0.9 r, low 0.5.
        {"piston helicopter", 1, 1, 2, 0, 180, 250, 0, 1, -2500, 11449.46f},
        {"turbine helicopter", 1, 3, 1, 0, 600, 400, 0, 0, 0, 14034.83f},
    };
    play_buffer(SND_ENGINE, 1);
    for (const Row& r : rows) {
        pln[0].is_heli = r.heli;
        pln[0].entype = r.type;
        pln[0].numen = r.numen;
        pln[0].vectEQ = r.vect;
        pln[0].pmax = r.pmax_hp * con.hptowatt;
        pln[0].gearrat = 2.0f;
        for (int i = 0; i < 4; i++) {
            flt.tac[i] = r.rpm / con.rsctorpm / 2.0f;
            flt.n1_[i] = r.n1;
            flt.thro[i] = r.thro;
            flt.mixt_powr_rat[i] = 1.0f;
        }
        maintain_engine_sound();
        EXPECT_NEAR(PLT_voice_volume(SND_ENGINE), r.volume, 1) << r.what;
        EXPECT_NEAR(PLT_voice_rate(SND_ENGINE), r.freq, 0.05f) << r.what;
    }
    // A glider has no engine: the voice is left alone (no division by its engine count).
    pln[0].is_heli = 0;
    pln[0].numen = 0;
    set_frq_vol(0.3f, 0.3f, 0, 1, SND_ENGINE);
    int before = PLT_voice_volume(SND_ENGINE);
    maintain_engine_sound();
    EXPECT_EQ(PLT_voice_volume(SND_ENGINE), before);
}

TEST_F(LoadedSounds, WindAndRainFollowAirspeed)
{
    pln[0].Vne = 160.0f;
    flt.vind = 80.0f;
    atm.prec_rat = 0.5f;
    maintain_windrain_sound();
    EXPECT_NEAR(PLT_voice_volume(SND_WIND), -2500, 1);
    EXPECT_NEAR(PLT_voice_rate(SND_WIND), 3693.375f, 0.01f);   // pitch r^2 = 0.25
    // Rain: 0.5 at rest to 2 at Vne, times the precipitation: 1.25 * 0.5.
    EXPECT_NEAR(PLT_voice_volume(SND_RAIN), -1875, 1);
    EXPECT_NEAR(PLT_voice_rate(SND_RAIN), 9233.44f, 0.01f);
    // A never-exceed speed of 0 is no division: the wind is silent, the rain at its resting level.
    pln[0].Vne = 0.0f;
    maintain_windrain_sound();
    EXPECT_EQ(PLT_voice_volume(SND_WIND), -5000);
    EXPECT_NEAR(PLT_voice_volume(SND_RAIN), -3750, 1);
}

TEST_F(LoadedSounds, LoopsStartByTheWeatherAndStopTogether)
{
    struct Row {
        int numen, above;
        float temp, storm;
        bool engine, rain;
    } rows[] = {{1, 0, 60, 2, true, true},  {0, 0, 60, 2, false, true}, {1, 1, 60, 2, true, false},
                {1, 0, 30, 2, true, false}, {1, 0, 60, 1, true, false}};
    for (const Row& r : rows) {
        stop_engine_and_windrain();
        pln[0].numen = r.numen;
        scn.abovetops = r.above;
        atm.temp_SL = r.temp;
        atm.rain_tstm = r.storm;
        play_engine_and_windrain();
        EXPECT_EQ(PLT_voice_playing(SND_ENGINE) != 0, r.engine);
        EXPECT_TRUE(PLT_voice_playing(SND_WIND));
        EXPECT_EQ(PLT_voice_playing(SND_RAIN) != 0, r.rain);
    }
    stop_engine_and_windrain();
    for (int n : {SND_ENGINE, SND_WIND, SND_RAIN}) EXPECT_FALSE(PLT_voice_playing(n));
}

TEST_F(LoadedSounds, ClosingReleasesSoundsAndStick)
{
    PLT_force_use_recorder(1);
    PLT_force_log_clear();
    play_buffer(SND_WIND, 1);
    hl_close_devices();
    for (int n = 0; n < NUM_SOUNDS; n++) EXPECT_FALSE(PLT_voice_loaded(n));
    EXPECT_EQ(buffers_filled, 0);
    ASSERT_EQ(PLT_force_log_count(), 2);
    EXPECT_EQ(PLT_force_log(0)->call, FF_CLEAR_FORCES);
    EXPECT_EQ(PLT_force_log(1)->call, FF_CLOSE_STICK);
    PLT_force_use_recorder(0);
    // Nothing plays once released.
    play_buffer(SND_WIND, 1);
    EXPECT_FALSE(PLT_voice_playing(SND_WIND));
}

TEST_F(Sounds, NoAudioDeviceIsSilenceAndANote)
{
    std::string log = dir.str() + "/Error.out";
    err.open(log);
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_EQ(init_sound(), 1);
    err.close();
    EXPECT_NE(read_file(log).find("no audio device"), std::string::npos);
    EXPECT_TRUE(recorded_alerts().empty());
    dispose_sound();
}

}  // namespace
