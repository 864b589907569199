// gen_sounds_test.cpp -- the sound generator: its WAVE writer, its manifest against the files the
// simulator opens, the files the build wrote, and the properties the simulator's use of them needs.
#include "gsn.h"
#include "kvtest.h"
#include "media_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

namespace {

std::string program_path(const std::string& rel) { return std::string(KV_PROGRAM_DIR) + "/" + rel; }

media::Wav load(const std::string& rel)
{
    media::Wav w = media::parse_wav(read_file(program_path(rel)));
    EXPECT_EQ(w.error, "") << rel;
    return w;
}

const GsnEntry* entry(const std::string& path)
{
    for (const GsnEntry& e : gsn_manifest())
        if (path == e.path) return &e;
    return nullptr;
}

double seconds(const media::Wav& w) { return static_cast<double>(w.samples.size()) / w.rate; }

double rms(const std::vector<int16_t>& x)
{
    double s = 0;
    for (int16_t v : x) s += static_cast<double>(v) * v;
    return x.empty() ? 0.0 : std::sqrt(s / x.size()) / 32768.0;
}

// The strongest period between `lo` and `hi` samples, by normalised autocorrelation.
int strongest_period(const std::vector<int16_t>& x, int lo, int hi)
{
    int best = lo;
    double best_r = -2.0;
    const size_t n = std::min<size_t>(x.size(), 16384);
    for (int lag = lo; lag <= hi; lag++) {
        double num = 0, e0 = 0, e1 = 0;
        for (size_t i = 0; i + lag < n; i++) {
            num += static_cast<double>(x[i]) * x[i + lag];
            e0 += static_cast<double>(x[i]) * x[i];
            e1 += static_cast<double>(x[i + lag]) * x[i + lag];
        }
        double r = num / std::sqrt(e0 * e1 + 1e-9);
        if (r > best_r) {
            best_r = r;
            best = lag;
        }
    }
    return best;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The writer

TEST(WavWriter, WritesACanonicalPcmFile)
{
    for (size_t n : {1u, 2u, 3u, 1000u}) {
        std::vector<int16_t> s(n);
        for (size_t i = 0; i < n; i++) s[i] = static_cast<int16_t>(static_cast<int>(i * 7919 % 65536) - 32768);
        std::vector<uint8_t> bytes = gsn_encode_wav(s, 22050);
        std::string b(bytes.begin(), bytes.end());
        EXPECT_EQ(b.size(), 44 + 2 * n);
        media::Wav w = media::parse_wav(b);
        ASSERT_EQ(w.error, "") << n;
        EXPECT_EQ(w.format, 1);
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.rate, 22050);
        EXPECT_EQ(w.bits, 16);
        EXPECT_EQ(w.samples, s);
    }
}

// ---------------------------------------------------------------------------------------------
// The manifest against the simulator's sound table

TEST(SoundManifest, HoldsTheSharedSoundsAndTheEngineSoundsByType)
{
    std::set<std::string> want;
    for (const char* n : {"wind", "rain", "stal", "flap", "thun", "gear", "lrun", "loff", "lwat", "boom", "sink", "pull",
                          "gwrn", "glid", "mini", "wshr", "caut", "50ft", "25ft", "10ft", "mdot", "mdas", "eng1", "eng2",
                          "eng3", "eng4", "eng5"})
        want.insert(std::string("sounds/") + n + ".WAV");
    std::set<std::string> have;
    for (const GsnEntry& e : gsn_manifest()) EXPECT_TRUE(have.insert(e.path).second) << "twice: " << e.path;
    EXPECT_EQ(have, want);
    // The three continuous sounds, the stall horn and the flap motor are played looping.
    for (const char* n : {"eng1", "eng2", "eng3", "eng4", "eng5", "wind", "rain", "stal", "flap"})
        EXPECT_EQ(entry(std::string("sounds/") + n + ".WAV")->kind, GSN_LOOP) << n;
}

// ---------------------------------------------------------------------------------------------
// The files the build wrote

TEST(SoundFiles, EveryEntryIsAPlayablePcmFileInTheProgramFolder)
{
    for (const GsnEntry& e : gsn_manifest()) {
        media::Wav w = load(e.path);
        if (!w.error.empty()) continue;
        EXPECT_EQ(w.rate, 22050) << e.path;
        EXPECT_GT(rms(w.samples), 0.02) << e.path << " is nearly silent";
        long clipped = std::count_if(w.samples.begin(), w.samples.end(), [](int16_t v) { return v == 32767 || v == -32768; });
        EXPECT_LE(clipped, 2) << e.path << " clips";
        if (e.kind == GSN_LOOP) {
            EXPECT_GE(seconds(w), 0.5) << e.path;
        }
        if (e.kind == GSN_ONESHOT) {
            EXPECT_LE(seconds(w), 7.0) << e.path;
        }
        if (e.kind == GSN_SPEECH) {
            EXPECT_GE(seconds(w), 0.25) << e.path;
            EXPECT_LE(seconds(w), 2.5) << e.path;
        }
    }
    EXPECT_GT(seconds(load("sounds/wshr.WAV")), seconds(load("sounds/caut.WAV")));  // "wind shear" twice
}

TEST(SoundFiles, SynthesisedFilesEqualAFreshRendering)
{
    const std::vector<GsnEntry>& m = gsn_manifest();
    for (size_t i = 0; i < m.size(); i++) {
        if (m[i].kind == GSN_SPEECH) continue;  // the voice is checked by running the tool again
        std::vector<int16_t> pcm;
        ASSERT_EQ(gsn_render_entry(static_cast<int>(i), nullptr, pcm), 0) << m[i].path;
        std::vector<uint8_t> bytes = gsn_encode_wav(pcm, GSN_RATE);
        EXPECT_TRUE(read_file(program_path(m[i].path)) == std::string(bytes.begin(), bytes.end())) << m[i].path;
    }
}

// A click shows as a second difference far larger than the signal's own: compare the second
// differences across the join (last, first, second sample) with the largest ones inside the loop,
// on the samples and again on their low frequencies, where a broad hiss cannot hide a jump.
TEST(SoundFiles, LoopsRunOnFromTheirEndIntoTheirStartWithoutAClick)
{
    for (const GsnEntry& e : gsn_manifest()) {
        if (e.kind != GSN_LOOP) continue;
        media::Wav w = load(e.path);
        if (w.samples.size() < 1000) continue;
        const size_t n = w.samples.size();
        std::vector<double> raw(w.samples.begin(), w.samples.end()), low(n);
        // One-pole low-pass at 200 Hz, run twice round the loop so that it starts in its steady state.
        const double a = std::exp(-2.0 * 3.14159265358979 * 200.0 / 22050.0);
        double y = 0;
        for (int pass = 0; pass < 2; pass++)
            for (size_t i = 0; i < n; i++) low[i] = y = a * y + (1 - a) * raw[i];
        for (const std::vector<double>* x : {&raw, &low}) {
            auto second = [&](size_t i, size_t j, size_t k) { return std::fabs((*x)[i] - 2 * (*x)[j] + (*x)[k]); };
            std::vector<double> inner;
            for (size_t i = 1; i + 1 < n; i++) inner.push_back(second(i - 1, i, i + 1));
            std::sort(inner.begin(), inner.end());
            double largest = inner[inner.size() * 999 / 1000];
            EXPECT_LE(second(n - 2, n - 1, 0), largest) << e.path << (x == &low ? " (low)" : "");
            EXPECT_LE(second(n - 1, 0, 1), largest) << e.path << (x == &low ? " (low)" : "");
        }
    }
}

// At full power the simulator plays the engine loop at 0.67 of its speed: the piston engine should
// then fire like a four-cylinder engine near 2,700 rpm (90 a second) and the turboprop's four
// blades pass like a propeller near 1,900 rpm (127 a second).
TEST(SoundFiles, EnginesSoundAtTheirFiringAndBladeRates)
{
    struct Case {
        const char* path;
        double lo_hz, hi_hz;
    };
    const Case cases[] = {{"sounds/eng1.WAV", 85.0, 95.0}, {"sounds/eng2.WAV", 120.0, 134.0}};
    for (const Case& c : cases) {
        media::Wav w = load(c.path);
        if (!w.error.empty()) continue;
        // Search heard rates of 60 to 200 per second.
        int lag = strongest_period(w.samples, static_cast<int>(22050 * 0.67 / 200), static_cast<int>(22050 * 0.67 / 60));
        double heard = 22050.0 * 0.67 / lag;
        EXPECT_GE(heard, c.lo_hz) << c.path;
        EXPECT_LE(heard, c.hi_hz) << c.path;
    }
}

// The dot and dash are replayed on a schedule: Morse dots every 0.3 s at the fastest, dashes in
// 0.5 s slots, and the inner marker's dots 0.3 s apart. Each tone must end before its next start.
TEST(SoundFiles, MarkerAndMorseTonesFitTheirSlots)
{
    media::Wav dot = load("sounds/mdot.WAV"), dash = load("sounds/mdas.WAV");
    if (!dot.error.empty() || !dash.error.empty()) return;
    EXPECT_LT(seconds(dot), 0.3);
    EXPECT_LT(seconds(dash), 0.5);
    EXPECT_GT(seconds(dash), 2.5 * seconds(dot));
    EXPECT_LT(seconds(dash), 3.5 * seconds(dot));
    for (const media::Wav* w : {&dot, &dash}) {
        int crossings = 0;
        for (size_t i = 1; i < w->samples.size(); i++) crossings += (w->samples[i - 1] < 0) != (w->samples[i] < 0);
        double hz = crossings / 2.0 / seconds(*w);
        EXPECT_NEAR(hz, 1020.0, 25.0);
    }
}

// ---------------------------------------------------------------------------------------------
// Speech shaping and the tool

TEST(SpeechShaping, TrimsSilenceAndScalesTheVoice)
{
    std::vector<float> raw(22050, 0.0f);
    for (int i = 8000; i < 12000; i++) raw[static_cast<size_t>(i)] = 0.1f * std::sin(i * 0.2f);
    std::vector<float> x = gsn_shape_speech(raw);
    EXPECT_LT(x.size(), 4000u + 2 * 441u + 10u);
    EXPECT_GT(x.size(), 3900u);
    float peak = 0;
    for (float v : x) peak = std::max(peak, std::fabs(v));
    EXPECT_NEAR(peak, 0.85f, 1e-3f);
    EXPECT_TRUE(gsn_shape_speech(std::vector<float>(100, 0.0f)).empty());
}

TEST(SpeechShaping, ASpeakerThatFailsMakesTheEntryFail)
{
    for (size_t i = 0; i < gsn_manifest().size(); i++) {
        if (gsn_manifest()[i].kind != GSN_SPEECH) continue;
        std::vector<int16_t> pcm;
        EXPECT_NE(gsn_render_entry(static_cast<int>(i), nullptr, pcm), 0);
        EXPECT_NE(gsn_render_entry(static_cast<int>(i), [](const char*, std::vector<float>&) { return 1; }, pcm), 0);
        break;
    }
}

TEST(GenSoundsTool, WritesTheSameFilesAgainAndRefusesBadArguments)
{
    const std::string tool = std::string(KV_TOOLS_BIN_DIR) + "/gen_sounds";
    TempDir dir;
    ASSERT_EQ(std::system(("'" + tool + "' '" + dir.str() + "' 2>/dev/null").c_str()), 0);
    for (const GsnEntry& e : gsn_manifest())
        EXPECT_TRUE(read_file(dir.str() + "/" + e.path) == read_file(program_path(e.path))) << e.path;
    EXPECT_NE(std::system(("'" + tool + "' 2>/dev/null").c_str()), 0);
}

// The call-outs' voice draws its breath noise from the C library's rand(), so anything that draws on
// rand() before or between the call-outs would change their samples. Two ways that happen, each run
// twice on its own fresh home, configuration and temporary folders: a user's first run (the sound
// server's client library names its runtime folder with rand() when the user has none yet, the
// later run finds the folder) and a library loaded ahead of the tool that draws on rand() at start.
// Every run must speak the program folder's call-outs byte for byte.
TEST(GenSoundsTool, SpeaksTheSameWhateverDrewOnTheRandomSequenceBefore)
{
    const std::string tool = std::string(KV_TOOLS_BIN_DIR) + "/gen_sounds";
    struct Case {
        const char* what;
        std::string preload;
    };
    const Case cases[] = {
        {"a user's first run, then a later one", ""},
        {"rand() drawn before the tool starts", KV_RAND_DRAWER},
    };
    for (const Case& c : cases) {
        TempDir home;
        for (const char* sub : {"config", "cache", "tmp"}) std::filesystem::create_directories(home.path() / sub);
        std::string env = "env -u XDG_RUNTIME_DIR -u PULSE_RUNTIME_PATH -u PULSE_SERVER HOME='" + home.str() +
                          "' XDG_CONFIG_HOME='" + home.str() + "/config' XDG_CACHE_HOME='" + home.str() +
                          "/cache' TMPDIR='" + home.str() + "/tmp'";
        // A sanitized tool would refuse a preloaded library that is not its runtime.
        if (!c.preload.empty()) env += " LD_PRELOAD='" + c.preload + "' ASAN_OPTIONS=verify_asan_link_order=0";
        for (const char* run : {"first", "later"}) {
            const std::string out = home.str() + "/" + run;
            ASSERT_EQ(std::system((env + " '" + tool + "' '" + out + "' >/dev/null 2>&1").c_str()), 0) << c.what;
            for (const GsnEntry& e : gsn_manifest()) {
                if (e.kind != GSN_SPEECH) continue;
                EXPECT_TRUE(read_file(out + "/" + e.path) == read_file(program_path(e.path)))
                    << c.what << ": the " << run << " run's " << e.path;
            }
        }
    }
}
