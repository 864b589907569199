// hl_sound.cpp -- the simulator's sounds: WAVE loading into the mixer's voices, play and stop,
// volume and pitch, and the engine, wind and rain loops.
#include "hl_sound.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "hl_file.h"
#include "hl_funct.h"
#include "hl_joy.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt_audio.h"
#include "plt_files.h"
#include "plt_joy.h"

int buffers_filled = 0;

namespace {

const char* const g_names[NUM_SOUNDS] = {
    "engn.WAV", "wind.WAV", "rain.WAV", "stal.WAV", "flap.WAV", "thun.WAV", "gear.WAV", "lrun.WAV",
    "loff.WAV", "lwat.WAV", "boom.WAV", "sink.WAV", "pull.WAV", "gwrn.WAV", "glid.WAV", "mini.WAV",
    "wshr.WAV", "caut.WAV", "50ft.WAV", "25ft.WAV", "10ft.WAV", "mdot.WAV", "mdas.WAV",
};

// Sound files are small; a file past this size is refused as memory the program will not give.
constexpr long MAX_SOUND_BYTES = 64L * 1024 * 1024;

bool valid(int n) { return n >= 0 && n < NUM_SOUNDS; }

// The mixer's voices follow the user's sound switch only where the calls say so.
bool sound_ready(void) { return msc.sound_avail && msc.sound_on; }

void bad_sound(const char* what, const char* path)
{
    MACIBM_alert(what, path, "", "", ALERT_FATAL);
}

// Reads the whole file; 0 when it cannot be opened, -1 when it is too big to hold.
int read_whole(const char* path, std::vector<uint8_t>& bytes)
{
    if (PLT_names_a_pipe(path)) return 0;
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return 0;
    int ok = 1;
    if (std::fseek(f, 0, SEEK_END) != 0) ok = 0;
    long size = ok ? std::ftell(f) : -1;
    if (size < 0 || std::fseek(f, 0, SEEK_SET) != 0) ok = 0;
    if (ok && size > MAX_SOUND_BYTES) ok = -1;
    if (ok == 1) {
        bytes.resize(static_cast<size_t>(size));
        if (size > 0 && std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) bytes.clear();
    }
    std::fclose(f);
    return ok;
}

// Scans forward from *at, byte by byte, until the last four bytes read are tag; *at then points
// just past it. 0 when the file ends first.
int find_tag(const std::vector<uint8_t>& b, size_t* at, const char* tag)
{
    for (size_t i = *at; i + 4 <= b.size(); i++) {
        if (std::memcmp(&b[i], tag, 4) == 0) {
            *at = i + 4;
            return 1;
        }
    }
    *at = b.size();
    return 0;
}

uint32_t le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// Parses the RIFF WAVE file and loads its samples into voice n. Every fault gets its alert; the
// data size is taken at most to the file's end, and the format record may be of any size from 16.
void load_wave(int n, const char* path, const std::vector<uint8_t>& b)
{
    size_t at = 0;
    if (!find_tag(b, &at, "RIFF")) return bad_sound("This is not a RIFF file.", path);
    if (!find_tag(b, &at, "WAVE")) return bad_sound("This is not a WAVE file.", path);
    if (!find_tag(b, &at, "fmt ")) return bad_sound("WAVE file has no fmt chunk.", path);
    if (b.size() - at < 4) return bad_sound("Failed to read format size.", path);
    uint32_t fmt_size = le32(&b[at]);
    at += 4;
    if (fmt_size < 16 || fmt_size > b.size() - at)
        return bad_sound("Failed to read format chunk opening sound.", path);
    const uint8_t* fmt = &b[at];
    at += fmt_size;
    int tag = le16(fmt);
    int channels = le16(fmt + 2);
    uint32_t rate = le32(fmt + 4);
    int block = le16(fmt + 12);
    int bits = le16(fmt + 14);
    if (tag != 1) return bad_sound("The sound file is not a PCM file.", path);
    if (!find_tag(b, &at, "data")) return bad_sound("WAVE file has no data chunk.", path);
    if (b.size() - at < 4) return bad_sound("Failed to read data size.", path);
    uint64_t data_size = le32(&b[at]);
    at += 4;
    if (data_size > b.size() - at) data_size = b.size() - at;
    if (data_size == 0) return bad_sound("The sound-file data chunk has no data.", path);

    int frame = bits / 8 * channels;
    int ok = block == frame && rate <= 200000 &&
             PLT_voice_load(n, &b[at], static_cast<int>(data_size), bits, channels, static_cast<int>(rate));
    if (!ok) MACIBM_alert_count("Direct Sound Buffer Creation Failed", path, "", n);
}

}  // namespace

const char* sound_file_name(int n) { return valid(n) ? g_names[n] : ""; }

const char* engine_file_name(void)
{
    const planestruct& p = pln[0];
    if (p.is_heli) return p.entype == 3 ? "eng5.WAV" : "eng4.WAV";
    if (p.entype == 3) return "eng2.WAV";
    if (p.entype == 4 || p.entype == 5) return "eng3.WAV";
    return "eng1.WAV";
}

int init_sound(void)
{
    if (!PLT_audio_open())
        hl_log_alert("Sound output: no audio device, the simulator runs silent.", PLT_audio_error(), "", "", 0);
    return 1;
}

void fill_buffer(int n)
{
    buffers_filled = 1;
    if (!valid(n)) {
        MACIBM_alert_count("Requested sound out of range!", "", "", n);
        return;
    }
    if (!msc.sound_avail) return;

    // The aircraft's own sound: its file's path less the four-character extension, a blank, the name.
    char path[STR_LEN] = "";
    std::vector<uint8_t> bytes;
    int got = 0;
    size_t len = std::strlen(pln[0].C_path);
    if (len > 4 && len < STR_LEN) {
        int k = std::snprintf(path, sizeof path, "%.*s %s", static_cast<int>(len - 4), pln[0].C_path, g_names[n]);
        if (k > 0 && k < STR_LEN) got = read_whole(path, bytes);
    }
    if (got == 0) {
        std::snprintf(path, sizeof path, "%s", n == SND_ENGINE ? engine_file_name() : g_names[n]);
        if (ap_dir(SOUND_FOLDER, path)) got = read_whole(path, bytes);
        if (got == 0) return bad_sound("Cannot open sound file!", path);
    }
    if (got < 0) return bad_sound("Out of memory opening sound.", path);
    load_wave(n, path, bytes);
}

void play_buffer(int n, int loop)
{
    if (!valid(n) || !buffers_filled || !sound_ready()) return;
    PLT_voice_play(n, loop);
    if (n == SND_STALL || n == SND_FLAP) set_frq_vol(1, 1, 0, 1, n);
}

void stop_buffer(int n)
{
    if (!valid(n) || !buffers_filled || !msc.sound_avail) return;
    PLT_voice_stop(n);
}

void set_frq_vol(float vol, float pitch, float low, float high, int n)
{
    if (!valid(n) || !sound_ready() || !PLT_voice_loaded(n)) return;
    float volume = -5000.0f + 5000.0f * vol;
    if (!(volume > -5000.0f)) volume = -5000.0f;   // NaN too
    if (volume > 0.0f) volume = 0.0f;
    float freq = 22050.0f * 0.67f * (low + (high - low) * pitch);
    if (!(freq > 100.0f)) freq = 100.0f;
    if (freq > 100000.0f) freq = 100000.0f;
    PLT_voice_set(n, static_cast<int>(volume), freq);
}

void play_engine_and_windrain(void)
{
    if (pln[0].numen > 0) play_buffer(SND_ENGINE, 1);
    play_buffer(SND_WIND, 1);
    if (!scn.abovetops && atm.temp_SL > 32.0f && atm.rain_tstm > 1.0f) play_buffer(SND_RAIN, 1);
}

void stop_engine_and_windrain(void)
{
    stop_buffer(SND_ENGINE);
    stop_buffer(SND_WIND);
    stop_buffer(SND_RAIN);
}

void maintain_engine_sound(void)
{
    const planestruct& p = pln[0];
    int type = p.entype;
    bool jet = type == 4 || type == 5;
    int engines = p.is_heli ? 1 : p.numen;
    if (engines <= 0) return;   // a glider has no engine voice
    if (engines > 4) engines = 4;

    // Reference speed, rpm (per cent of N1 for jets).
    float ref;
    if (p.is_heli) ref = type == 3 ? 400.0f : 500.0f;
    else if (jet) ref = 100.0f;
    else if (type == 3) ref = p.vectEQ ? 500.0f : 1900.0f;
    else ref = p.pmax * con.watttohp < 10.0f ? 7000.0f : 2500.0f;

    float r = 0, t = 0;
    for (int i = 0; i < engines; i++) {
        float speed = jet ? flt.n1_[i] : flt.tac[i] * p.gearrat * con.rsctorpm;
        r += speed / ref;
        t += flt.thro[i] * flt.mixt_powr_rat[i];
    }
    r /= static_cast<float>(engines);
    t /= static_cast<float>(engines);

    if (p.is_heli && type >= 1 && type <= 3) set_frq_vol(r, 0.1f * t + 0.9f * r, 0.5f, 1, SND_ENGINE);
    else if (jet) set_frq_vol(std::sqrt(std::fmax(r, 0.0f)), 0.5f * t + 0.5f * r, 0.9f, 1, SND_ENGINE);
    else if (type == 3) set_frq_vol(r, 0.5f * t + 0.5f * r, 0.8f, 1, SND_ENGINE);
    else set_frq_vol(r, 0.5f * t + 0.5f * r, 0.5f, 1, SND_ENGINE);
}

void maintain_windrain_sound(void)
{
    float vne = pln[0].Vne;
    float r = vne > 0.0f ? flt.vind / vne : 0.0f;
    set_frq_vol(r, r * r, 0, 1, SND_WIND);
    float x = (vne > 0.0f ? 0.5f + 1.5f * flt.vind / vne : 0.5f) * atm.prec_rat;
    set_frq_vol(x, x, 0, 1, SND_RAIN);
}

void dispose_sound(void)
{
    PLT_audio_close();
    buffers_filled = 0;
}

void hl_close_devices(void)
{
    PLT_speech_close();
    dispose_sound();
    JOY_force(12, 0, 0, 0);
    JOY_close();
    PLT_joy_shutdown();
}
