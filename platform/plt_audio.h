// plt_audio.h -- sound output: the suite's own voice mixer, the audio device that plays it, and the
// text-to-speech engine whose sentences the mixer plays as one more voice.
//
// The mixer keeps PLT_VOICES numbered voices of 16-bit PCM (mono or stereo), each with a
// volume in hundredths of a decibel (0 full, -10000 the floor), a playback rate in source frames per
// second, a loop flag and a position. It runs without a device: the device callback and the tests
// call PLT_mix alike. Voice calls come from the program's thread while the device callback mixes on
// the audio thread; every call takes the mixer's lock for a few microseconds and never allocates,
// except PLT_voice_load, which copies the sound once at load time.
#pragma once
#include <cstdint>

constexpr int PLT_VOICES = 23;           // numbered sound voices 0..22
constexpr int PLT_SPEECH_RING = 1 << 21; // speech samples waiting to be played (95 s at 22050 Hz)

// ---- voices ----------------------------------------------------------------------------------------

// Copies a sound into voice n, replacing (and stopping) what it held. bits 8 (unsigned) or 16, 24
// or 32 (signed little-endian; kept to 16 bits), channels 1 or 2, rate 1..200000 frames per second, bytes a whole number of
// frames (a partial last frame is dropped). The voice starts stopped at position 0, at full volume
// and at the sound's own rate. 1 on success; 0 for a format the mixer does not play or empty data
// (the voice is left empty).
int PLT_voice_load(int n, const void* pcm, int bytes, int bits, int channels, int rate);
// Empties voice n.
void PLT_voice_free(int n);
// 1 when voice n holds a sound.
int PLT_voice_loaded(int n);
// Starts voice n from its current position; a voice that is already playing keeps playing from
// where it is and only takes the new loop flag. A one-shot voice that reaches its end stops and
// rewinds to 0; a looping voice wraps to its start. Nothing happens on an empty voice.
void PLT_voice_play(int n, int loop);
// Stops voice n where it is; the next play goes on from there.
void PLT_voice_stop(int n);
// Sets voice n's volume (hundredths of a decibel, limited to -10000..0) and rate (Hz).
void PLT_voice_set(int n, int hundredths_db, float rate_hz);
int PLT_voice_playing(int n);
// Position of voice n in source frames (fractional while resampling).
double PLT_voice_position(int n);
// Volume (hundredths of a decibel) and rate (Hz) of voice n.
int PLT_voice_volume(int n);
float PLT_voice_rate(int n);
// Gain factor of a volume in hundredths of a decibel: 10^(h / 2000).
float PLT_gain_of(int hundredths_db);

// ---- mixing ----------------------------------------------------------------------------------------

// Mixes every playing voice and the speech stream into out: frames stereo frames (left, right),
// floats in -1..1, at out_rate frames per second. Voices are resampled with linear interpolation,
// mono voices go to both sides, and the sum saturates at +-1. Advances the voices.
void PLT_mix(float* out, int frames, int out_rate);

// ---- speech stream ---------------------------------------------------------------------------------

// Appends synthesised speech (16-bit mono at rate Hz) to the speech stream, which the mixer plays
// at full volume after what is already queued. Samples that do not fit the ring are dropped; the
// return value is the number taken.
int PLT_speech_push(const int16_t* samples, int count, int rate);
// Speech samples queued and not yet played.
int PLT_speech_queued(void);
// Drops every queued speech sample.
void PLT_speech_flush(void);

// ---- the audio device ------------------------------------------------------------------------------

// Opens the default audio device (48 kHz float stereo, or what the device offers) and starts
// playing the mixer through it. 1 when a device plays; 0 when there is none (no driver, no device,
// the device is in use), with the reason in PLT_audio_error. The mixer works either way.
int PLT_audio_open(void);
// 1 while a device plays the mixer.
int PLT_audio_device_open(void);
// The output rate of the open device (0 without one).
int PLT_audio_rate(void);
const char* PLT_audio_error(void);
// Stops and closes the device and empties every voice and the speech stream.
void PLT_audio_close(void);

// ---- text to speech --------------------------------------------------------------------------------

// Starts the speech engine: an English voice whose synthesis runs on the engine's own thread into
// the speech stream. data_path names the engine's data folder, or nullptr for its default. 1 when
// the engine is ready; 0 when it is missing or cannot start, with the reason in PLT_speech_error.
// The engine, once started, stays loaded for the life of the process: a start after
// PLT_speech_close reopens it as it was and ignores data_path.
int PLT_speech_init(const char* data_path);
int PLT_speech_ready(void);
const char* PLT_speech_error(void);
// Queues a sentence for synthesis and returns at once. 0 when it was taken; nonzero when the engine
// refused it (not ready, queue full, internal error).
int PLT_speech_say(const char* text);
// 1 while sentences are still being synthesised.
int PLT_speech_busy(void);
// Waits at most ms milliseconds for synthesis to finish (tests and shutdown); 1 when it finished.
int PLT_speech_wait(int ms);
// Closes the speech output: queued synthesis is abandoned and no sentence is taken until the next
// PLT_speech_init. Safe without a start and when already closed.
void PLT_speech_close(void);
