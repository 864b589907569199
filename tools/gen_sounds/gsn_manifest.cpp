// gsn_manifest.cpp -- the one table of every sound file the generator writes, the finishing of the
// samples, and the loop that renders and writes them.
#include "gsn_local.h"

#include <algorithm>
#include <cstdio>

namespace {

std::vector<GsnEntry> build()
{
    return {
        // Engine loops by engine type: aeroplane piston, turboprop and jet, helicopter piston and turbine.
        {"sounds/eng1.WAV", GSN_LOOP, gsn_make_engine, 1, nullptr},
        {"sounds/eng2.WAV", GSN_LOOP, gsn_make_engine, 2, nullptr},
        {"sounds/eng3.WAV", GSN_LOOP, gsn_make_engine, 3, nullptr},
        {"sounds/eng4.WAV", GSN_LOOP, gsn_make_engine, 4, nullptr},
        {"sounds/eng5.WAV", GSN_LOOP, gsn_make_engine, 5, nullptr},
        {"sounds/wind.WAV", GSN_LOOP, gsn_make_wind, 0, nullptr},
        {"sounds/rain.WAV", GSN_LOOP, gsn_make_rain, 0, nullptr},
        {"sounds/stal.WAV", GSN_LOOP, gsn_make_stall_horn, 0, nullptr},
        {"sounds/flap.WAV", GSN_LOOP, gsn_make_flap_motor, 0, nullptr},
        {"sounds/thun.WAV", GSN_ONESHOT, gsn_make_thunder, 0, nullptr},
        {"sounds/gear.WAV", GSN_ONESHOT, gsn_make_gear, 0, nullptr},
        {"sounds/lrun.WAV", GSN_ONESHOT, gsn_make_touchdown, 0, nullptr},
        {"sounds/loff.WAV", GSN_ONESHOT, gsn_make_touchdown, 1, nullptr},
        {"sounds/lwat.WAV", GSN_ONESHOT, gsn_make_touchdown, 2, nullptr},
        {"sounds/boom.WAV", GSN_ONESHOT, gsn_make_crash, 0, nullptr},
        // Call-outs of the aural warning system.
        {"sounds/sink.WAV", GSN_SPEECH, nullptr, 0, "Sink rate."},
        {"sounds/pull.WAV", GSN_SPEECH, nullptr, 0, "Pull up."},
        {"sounds/gwrn.WAV", GSN_SPEECH, nullptr, 0, "Too low. Gear."},
        {"sounds/glid.WAV", GSN_SPEECH, nullptr, 0, "Glide slope."},
        {"sounds/mini.WAV", GSN_SPEECH, nullptr, 0, "Minimums."},
        {"sounds/wshr.WAV", GSN_SPEECH, nullptr, 0, "Wind shear. Wind shear."},
        {"sounds/caut.WAV", GSN_SPEECH, nullptr, 0, "Caution."},
        {"sounds/50ft.WAV", GSN_SPEECH, nullptr, 0, "Fifty."},
        {"sounds/25ft.WAV", GSN_SPEECH, nullptr, 0, "Twenty five."},
        {"sounds/10ft.WAV", GSN_SPEECH, nullptr, 0, "Ten."},
        // Marker beacon and Morse identifier tones.
        {"sounds/mdot.WAV", GSN_ONESHOT, gsn_make_tone, 0, nullptr},
        {"sounds/mdas.WAV", GSN_ONESHOT, gsn_make_tone, 1, nullptr},
    };
}

std::vector<int16_t> to_pcm(const std::vector<float>& x)
{
    std::vector<int16_t> out(x.size());
    for (size_t i = 0; i < x.size(); i++) {
        float v = std::clamp(x[i], -1.0f, 1.0f) * 32767.0f;
        out[i] = static_cast<int16_t>(std::lround(v));
    }
    return out;
}

}  // namespace

const std::vector<GsnEntry>& gsn_manifest()
{
    static const std::vector<GsnEntry> m = build();
    return m;
}

std::vector<float> gsn_shape_speech(const std::vector<float>& in)
{
    float peak = 0.0f;
    for (float v : in) peak = std::max(peak, std::fabs(v));
    if (peak <= 0.0f) return {};
    size_t first = 0, last = in.size();
    while (first < in.size() && std::fabs(in[first]) < 0.02f * peak) first++;
    while (last > first && std::fabs(in[last - 1]) < 0.02f * peak) last--;
    const size_t margin = static_cast<size_t>(gsn_len(0.02f));
    first = first > margin ? first - margin : 0;
    last = std::min(in.size(), last + margin);
    std::vector<float> x(in.begin() + static_cast<long>(first), in.begin() + static_cast<long>(last));
    // The cockpit speaker: nothing below 250 Hz or above 4 kHz.
    gsn_filter(x, gsn_highpass(250.0f, 0.7f));
    gsn_filter(x, gsn_lowpass(4000.0f, 0.7f));
    gsn_normalise(x, 0.85f);
    gsn_fade(x, gsn_len(0.005f), gsn_len(0.005f));
    return x;
}

int gsn_render_entry(int index, GsnSpeaker speak, std::vector<int16_t>& out)
{
    const GsnEntry& e = gsn_manifest()[static_cast<size_t>(index)];
    std::vector<float> x;
    if (e.kind == GSN_SPEECH) {
        if (!speak) return 1;
        std::vector<float> raw;
        if (speak(e.words, raw) != 0) return 1;
        x = gsn_shape_speech(raw);
        if (x.empty()) return 1;
    } else {
        x = e.make(e.arg);
        // Loops play for long stretches under everything else, so they sit lower.
        gsn_normalise(x, e.kind == GSN_LOOP ? 0.7f : (e.make == gsn_make_tone ? 0.6f : 0.85f));
    }
    out = to_pcm(x);
    return 0;
}

int gsn_generate_all(const std::string& program_dir, GsnSpeaker speak)
{
    int failures = 0;
    const std::vector<GsnEntry>& m = gsn_manifest();
    for (size_t i = 0; i < m.size(); i++) {
        std::vector<int16_t> pcm;
        std::string path = program_dir + "/" + m[i].path, err;
        if (gsn_render_entry(static_cast<int>(i), speak, pcm) != 0) {
            std::fprintf(stderr, "gen_sounds: cannot make %s\n", path.c_str());
            failures++;
            continue;
        }
        if (tool_write_file(path, gsn_encode_wav(pcm, GSN_RATE), err) != 0) {
            std::fprintf(stderr, "gen_sounds: %s\n", err.c_str());
            failures++;
        }
    }
    return failures;
}
