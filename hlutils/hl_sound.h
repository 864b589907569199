// hl_sound.h -- the simulator's 23 sounds: loading the WAVE files into the mixer's voices, playing
// and stopping them, their volume and pitch, and the engine, wind and rain loops that follow the flight.
#pragma once

constexpr int NUM_SOUNDS = 23;
// The shared sounds' folder in the program folder.
constexpr const char* SOUND_FOLDER = "sounds";

// Sound numbers: 0 engine, 1 wind and 2 rain loop; the rest one-shot warnings and events.
enum {
    SND_ENGINE = 0, SND_WIND = 1, SND_RAIN = 2, SND_STALL = 3, SND_FLAP = 4, SND_THUNDER = 5,
    SND_GEAR = 6, SND_RUNWAY = 7, SND_OFF_RUNWAY = 8, SND_WATER = 9, SND_BOOM = 10, SND_SINK = 11,
    SND_PULL_UP = 12, SND_GEAR_WARN = 13, SND_GLIDESLOPE = 14, SND_MINIMUMS = 15, SND_WINDSHEAR = 16,
    SND_CAUTION = 17, SND_50FT = 18, SND_25FT = 19, SND_10FT = 20, SND_MARKER_DOT = 21,
    SND_MARKER_DASH = 22,
};

// Set once the first sound starts loading; play and stop do nothing before.
extern int buffers_filled;

// The file name of sound n ("engn.WAV" ...), or "" outside 0..22.
const char* sound_file_name(int n);
// The shared engine sound for the user's aircraft's engine type ("eng1.WAV" .. "eng5.WAV").
const char* engine_file_name(void);

// Starts the sound output. Always 1: without an audio device (none, or in use) the mixer runs
// silent and the error file says why.
int init_sound(void);
// Loads sound n into its voice: the aircraft's own "<aircraft path less its extension> <name>"
// when there is one, else the shared file of the "sounds" folder (engine sounds by engine type).
// An unreadable or damaged file is fatal; a format the mixer cannot play is a count alert.
void fill_buffer(int n);
// Plays sound n from where it stopped, looping when loop is 1 (sound available and switched on).
void play_buffer(int n, int loop);
// Stops sound n where it is (sound available, whether switched on or not).
void stop_buffer(int n);
// Volume -5000 + 5000 vol hundredths of a decibel (-5000..0) and frequency
// 22050 * 0.67 * (low + (high - low) * pitch) Hz (100..100000) of sound n.
void set_frq_vol(float vol, float pitch, float low, float high, int n);

void play_engine_and_windrain(void);
void stop_engine_and_windrain(void);
// Per frame: the engine voice follows engine speed and throttle.
void maintain_engine_sound(void);
// Per frame: the wind and rain voices follow indicated airspeed and the precipitation.
void maintain_windrain_sound(void);
// Releases every voice and the audio device.
void dispose_sound(void);

// The simulator's closing of its devices at exit (hl_prog.finishup): stops speech, releases the
// sounds, clears the stick's forces and closes the joystick.
void hl_close_devices(void);
