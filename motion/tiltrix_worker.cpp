// tiltrix_worker.cpp -- the motion library's worker thread: the 100 ms tick, the wire protocol of
// both platform models, and recording to and playback from motion files.
//
// Wire protocol, per platform and tick: a Quillo gets "P" and positions 1 and 2; a Velto gets "C"
// and positions 1 to 3, and answers "C" (the acknowledgement), its status byte and feedback 1 and
// 2. Position k is commanded axis k plus offset k, limited to 0..255.
#include "tiltrix_local.h"
#include "tiltrix_file.h"
#include "tiltrix_tick.h"

#include "plt_serial.h"

#include <chrono>
#include <thread>

namespace {

constexpr int STEP_MS = 10;          // the worker sleeps in steps of this
constexpr int ACK_READ_MS = 20;      // one byte's wait while looking for the acknowledgement
constexpr int ACK_MAX_BYTES = 16;    // bytes of other chatter before giving up on it

uint32_t clock_ms(void)
{
    using namespace std::chrono;
    return (uint32_t)duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void step(void) { std::this_thread::sleep_for(std::chrono::milliseconds(STEP_MS)); }

// Writes bytes within the port's write time-out (10 ms per byte + 10 ms).
int send(int h, const unsigned char* b, int n) { return PLT_serial_write(h, b, n, 10 * n + 10) == n; }

// One line of the motion file: the tick counter, then each platform's axes 1 and 2. A failed
// write ends the recording.
void record_tick(void)
{
    std::lock_guard<std::mutex> hold(tlx.files);
    if (!tlx.rec || !(tlx_status(0) & TILTRIX_RECORDING)) return;
    if (std::fprintf(tlx.rec, "%d\t", tlx.rec_counter++) < 0) {
        tlx_stop_rec_locked();
        return;
    }
    for (int i = 0; i < tlx.n && (tlx_status(0) & TILTRIX_RECORDING); i++) {
        int a = 0, b = 0;
        if (tlx_lock() == 0) {
            a = tlx.blk[i].axis[0];
            b = tlx.blk[i].axis[1];
            tlx_unlock();
        }
        if (std::fprintf(tlx.rec, "%d\t%d\t", a, b) < 0) {
            tlx_stop_rec_locked();
            return;
        }
    }
    // Flushed each line, so a full disk shows at once and stops the recording cleanly.
    if (std::fputc('\n', tlx.rec) == EOF || std::fflush(tlx.rec) != 0) tlx_stop_rec_locked();
}

// The end of the motion file (or a line that does not read): back to the start when looping,
// else playback ends.
void end_of_file(void)
{
    if (tlx.loop) std::rewind(tlx.play);
    else tlx_stop_play_locked();
}

// One line of the motion file into axes 1 and 2 of the platforms; the platforms before a damaged
// value still take theirs.
void playback_tick(void)
{
    std::lock_guard<std::mutex> hold(tlx.files);
    if (!tlx.play || !(tlx_status(0) & TILTRIX_PLAYING)) return;
    uint8_t axes[TLX_MAX_PLATFORMS][2];
    const int got = tlx_read_motion_line(tlx.play, tlx.n, &tlx.play_counter, axes);
    for (int i = 0; i < got; i++) {
        if (tlx_lock() == 0) {
            tlx.blk[i].axis[0] = axes[i][0];
            tlx.blk[i].axis[1] = axes[i][1];
            tlx_unlock();
        }
    }
    if (got < tlx.n) end_of_file();
}

int limit_byte(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

// Sends each platform its position; a Velto's answer fills its status and feedback.
void send_tick(void)
{
    for (int i = 0; i < tlx.n; i++) {
        unsigned char pos[3] = {0, 0, 0};
        if (tlx_lock() != 0) continue;
        const tiltrix_record& r = tlx.blk[i];
        for (int a = 0; a < 3; a++) pos[a] = (unsigned char)limit_byte(r.axis[a] + r.offset[a]);
        tlx_unlock();

        std::lock_guard<std::mutex> hold(tlx.port_mu);
        const int h = tlx.ports[i];
        if (h < 0) continue;
        if (tlx.model == TLX_QUILLO) {
            const unsigned char frame[3] = {'P', pos[0], pos[1]};
            send(h, frame, 3);
            continue;
        }
        const unsigned char frame[4] = {'C', pos[0], pos[1], pos[2]};
        if (send(h, frame, 4) && tlx_wait_ack(i)) {
            unsigned char reply[3];
            if (PLT_serial_read(h, reply, 3, 5 * 3 + 15) == 3) {
                tlx_status_byte(i, reply[0]);
                tlx.blk[i].feedback1 = reply[1];
                tlx.blk[i].feedback2 = reply[2];
            }
        }
        tlx.blk[i].axis3_copy = tlx.blk[i].axis[2];
    }
}

// A file of this process's whose flags another process has cleared is closed quietly.
void close_unflagged(FILE*& f)
{
    if (f) std::fclose(f);
    f = nullptr;
}

}  // namespace

int tlx_wait_ack(int i)
{
    int seen = 0;
    for (int k = 0; k < ACK_MAX_BYTES && !seen; k++) {
        unsigned char b;
        if (PLT_serial_read(tlx.ports[i], &b, 1, ACK_READ_MS) != 1) break;
        seen = b == 'C';
    }
    if (seen) tlx_status_set(i, TILTRIX_ACK);
    else tlx_status_clear(i, TILTRIX_ACK);
    return seen;
}

thread_local int tlx_on_worker = 0;

// Every step, claims are taken and given up as the process's calls asked. Ticks begin with the
// first move or file: each records and plays this process's files, takes over the ports when the
// process that drove them has died, and sends the positions when the ports are this process's.
void tlx_worker(void*)
{
    tlx_on_worker = 1;
    PLT_thread_raise_priority();
    uint32_t t0 = 0;
    int carry = 0, ticking = 0;
    while (!tlx.exit_request) {
        tlx_sync_claims();
        if (tlx.start_pending) {
            step();
            continue;
        }
        if (!ticking) {
            t0 = clock_ms() & 0xFFFFu;
            ticking = 1;
        }
        if (!tlx_tick_due(clock_ms(), &t0, &carry)) {
            step();
            continue;
        }
        tlx_clear_orphan_flags();
        tlx_take_over();
        record_tick();
        playback_tick();
        if (tlx.held[TLX_CLAIM_PORTS]) send_tick();
    }
    for (int k = 0; k < TLX_CLAIMS; k++) tlx.want[k] = 0;
    tlx_sync_claims();
}

// The flags are cleared before the claim is given up, so no one takes them for a dead player's.
int tlx_stop_play_locked(void)
{
    if (!tlx.blk || !(tlx_status(0) & TILTRIX_PLAYING)) {
        close_unflagged(tlx.play);
        tlx_drop_claim(TLX_CLAIM_PLAY);
        return 1;
    }
    for (int i = 0; i < tlx.n; i++) tlx_status_clear(i, TILTRIX_PLAYING);
    tlx_drop_claim(TLX_CLAIM_PLAY);
    // Another process's playback flags the shared records but its file is its own.
    if (!tlx.play) return 0;
    const int r = std::fclose(tlx.play);
    tlx.play = nullptr;
    return r;
}

int tlx_stop_rec_locked(void)
{
    if (!tlx.blk || !(tlx_status(0) & TILTRIX_RECORDING)) {
        close_unflagged(tlx.rec);
        tlx_drop_claim(TLX_CLAIM_REC);
        return 1;
    }
    for (int i = 0; i < tlx.n; i++) tlx_status_clear(i, TILTRIX_RECORDING);
    tlx_drop_claim(TLX_CLAIM_REC);
    if (!tlx.rec) return 0;
    const int r = std::fclose(tlx.rec);
    tlx.rec = nullptr;
    return r;
}

namespace {

// Opens a motion file for playback or recording in place of any this process had open, and flags
// every platform once this process's worker holds the claim that shows it alive (unless another
// live process holds it: its flags then stand for both). A pending start is taken here, so the
// worker starts as it would on a move.
int start_file(const char* file, int playing, int loop)
{
    if (!tlx_attach() || !tlx.blk || !file) return 1;
    {
        std::lock_guard<std::mutex> hold(tlx.files);
        FILE* f = std::fopen(file, playing ? "r" : "w");
        if (!f) return 1;
        FILE*& slot = playing ? tlx.play : tlx.rec;
        if (slot) std::fclose(slot);
        slot = f;
        if (playing) {
            tlx.play_counter = 0;
            tlx.loop = loop;
        } else {
            tlx.rec_counter = 0;
        }
    }
    const int claim = playing ? TLX_CLAIM_PLAY : TLX_CLAIM_REC;
    if (!tlx.held[claim] && !tlx_claimed(claim)) tlx_hold_claim(claim);
    else tlx.want[claim] = 1;
    if (tlx_lock() == 0) {
        for (int i = 0; i < tlx.n; i++) tlx_status_set(i, playing ? TILTRIX_PLAYING : TILTRIX_RECORDING);
        tlx_unlock();
    }
    if (tlx.start_pending.exchange(0)) TiltrixStart();
    return 0;
}

}  // namespace

extern "C" {

int TiltrixStartPlay(const char* file) { return start_file(file, 1, 0); }
int TiltrixStartPlayLoop(const char* file) { return start_file(file, 1, 1); }
int TiltrixStartRec(const char* file) { return start_file(file, 0, 0); }

int TiltrixStopPlay(void)
{
    if (!tlx_attach()) return 1;
    std::lock_guard<std::mutex> hold(tlx.files);
    return tlx_stop_play_locked();
}

int TiltrixStopRec(void)
{
    if (!tlx_attach()) return 1;
    std::lock_guard<std::mutex> hold(tlx.files);
    return tlx_stop_rec_locked();
}

}  // extern "C"
