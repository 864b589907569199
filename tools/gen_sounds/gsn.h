// gsn.h -- the sound generator: every sound file the simulator plays, synthesised (engines, wind,
// rain, thunder, horns, gear and flaps, touchdowns, marker and Morse tones) or spoken (the warning
// call-outs), written as 16-bit mono PCM WAVE files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int GSN_RATE = 22050;  // samples per second of every file

enum GsnKind {
    GSN_LOOP,     // played looping: its last sample runs on into its first
    GSN_ONESHOT,  // played once
    GSN_SPEECH    // a spoken call-out
};

// Synthesises one sound as samples in -1..1 at GSN_RATE.
using GsnMaker = std::vector<float> (*)(int arg);

// One file the generator writes: its path below the program folder (exact case, "/" separated),
// its kind, and either the routine that synthesises it or the words to speak.
struct GsnEntry {
    const char* path;
    GsnKind kind;
    GsnMaker make;
    int arg;
    const char* words;
};

// The manifest: every file the generator writes, in one table.
const std::vector<GsnEntry>& gsn_manifest();

// Speaks `words` into samples in -1..1 at GSN_RATE; returns 0 on success.
using GsnSpeaker = int (*)(const char* words, std::vector<float>& out);

// The finished samples of manifest entry `index` (synthesised, or spoken through `speak`, then
// cleaned up and scaled); returns 0 on success.
int gsn_render_entry(int index, GsnSpeaker speak, std::vector<int16_t>& out);

// Shapes speech for the cockpit speaker: trims the silence round it, band-limits it and scales it.
std::vector<float> gsn_shape_speech(const std::vector<float>& in);

// A canonical RIFF WAVE file: "RIFF", "WAVE", a 16-byte "fmt " chunk (PCM, mono, 16 bits) and the
// "data" chunk.
std::vector<uint8_t> gsn_encode_wav(const std::vector<int16_t>& samples, int rate);

// Renders and writes every manifest entry below `program_dir`. Returns the number of failures,
// each reported on stderr with its path.
int gsn_generate_all(const std::string& program_dir, GsnSpeaker speak);
