// tiltrix.cpp -- the motion library's interface: the shared block, initialisation and connection,
// commanded positions, amplitudes, stop and start, and the getters.
#include "tiltrix_local.h"

#include "plt_serial.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <thread>

tiltrix_process tlx;

namespace {

constexpr int BAUD = 2400;
constexpr char QUILLO_VERSION[] = "3.10";
constexpr char QUILLO_INFO[] = "Quillo controller V3.1  ";
constexpr char VELTO_VERSION[] = "?.??";
constexpr char VELTO_INFO[] = "Couldn't read no version string!";
constexpr int SETUP_PAUSE_MS = 60;
constexpr int CLAIM_WAIT_MS = 1000;   // the longest wait for the worker to take a claim
constexpr int TAKEOVER_OPEN_MS = 500; // how long a takeover waits for a dead process's port

std::atomic_ref<uint32_t> status_ref(int i) { return std::atomic_ref<uint32_t>(tlx.blk[i].status); }

void copy_text(char* dst, int size, const char* src)
{
    std::snprintf(dst, (size_t)size, "%s", src);
}

// A forked child holds copies of its parent's mapping, ports, worker record and files, none of
// which are its own: it lets go of them without closing anything the parent still uses, and
// attaches afresh.
void forget_parent(void)
{
    if (tlx.blk) PLT_shared_unmap(reinterpret_cast<uint8_t*>(tlx.blk), TLX_BLOCK_SIZE);
    PLT_shared_close(tlx.shm);
    tlx.blk = nullptr;
    tlx.shm = -1;
    tlx.created = 0;
    tlx.n = 0;
    tlx.initialised = 0;
    for (int& p : tlx.ports) p = -1;
    tlx.worker = {};
    for (int k = 0; k < TLX_CLAIMS; k++) tlx.want[k] = tlx.held[k] = 0;   // the parent's threads hold them
    tlx.exit_request = 0;
    tlx.start_pending = 1;
    new (&tlx.files) std::mutex;   // the parent's worker may have held these at the fork
    new (&tlx.port_mu) std::mutex;
    tlx.play = tlx.rec = nullptr;  // the parent's buffers must not be flushed a second time
    tlx.play_counter = tlx.rec_counter = tlx.loop = 0;
}

int map_block(void)
{
    if (tlx.blk) return 1;
    tlx.blk = reinterpret_cast<tiltrix_record*>(PLT_shared_map(tlx.shm, TLX_BLOCK_SIZE));
    return tlx.blk != nullptr;
}

// Opens numbered port k at the platforms' settings; the handle or a failure result.
int open_port(int k)
{
    char path[256];
    if (!PLT_serial_port_path(k, path, sizeof path)) return PLT_SERIAL_NO_PORT;
    const int h = PLT_serial_open(path);
    if (h < 0) return h;
    if (PLT_serial_set_baud(h, BAUD) != 0 || PLT_serial_set_flow(h, 0) != 0) {
        PLT_serial_close(h);
        return PLT_SERIAL_HARDWARE;
    }
    PLT_serial_drop_modem_lines(h);
    return h;
}

void pause_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Opens port k for a connection. A process taking over from one that died may find the port still
// held: the dead process's claims are let go before its files are closed, so a busy port is tried
// again for a while.
int open_port_for(int k, int takeover)
{
    int h = open_port(k);
    for (int t = 0; takeover && h == PLT_SERIAL_BUSY && t < TAKEOVER_OPEN_MS; t += 10) {
        pause_ms(10);
        h = open_port(k);
    }
    return h;
}

// A Velto set-up exchange: ESC, "C" and the query digit; on acknowledgement the reply of `len`
// bytes replaces the text.
void velto_query(int i, char digit, char* text, int len)
{
    const int h = tlx.ports[i];
    const unsigned char q[3] = {0x1B, 'C', (unsigned char)digit};
    if (PLT_serial_write(h, q, 3, 10 * 3 + 10) != 3) return;
    if (tlx_wait_ack(i)) {
        char reply[33];
        if (PLT_serial_read(h, reply, len, 5 * len + 15) == len) {
            std::memcpy(text, reply, (size_t)len);
            text[len] = 0;
        }
    }
    pause_ms(SETUP_PAUSE_MS);
}

// Starts this process's worker once: every connected process has one, for its own motion files and
// to take over the ports when the process driving them dies.
int start_worker(void)
{
    return tlx.worker.started || PLT_thread_start(&tlx.worker, tlx_worker, nullptr);
}

// Opens the platforms' ports, gives them their texts, has this process's worker claim the ports and
// marks the platforms running. 0, 3 (some port missing; the others are used) or 4 (no worker).
// While platform 0 is running and a live process's worker holds the ports, nothing happens: the
// platforms are shared. Running with the claim free means the process that drove them has died,
// and this one takes them over (keeping the amplitudes the users set). A live process whose
// running marks another's exit cleared gets them back; this process reopens its own ports.
int connect(void)
{
    if (tlx_lock() != 0) return TILTRIX_NO_BLOCK;
    if (!start_worker()) {
        tlx_unlock();
        return TILTRIX_NO_BLOCK;
    }
    const int driven = tlx_claimed(TLX_CLAIM_PORTS);
    const int takeover = tlx.blk[0].running && !driven;
    if (driven && (tlx.blk[0].running || !tlx.held[TLX_CLAIM_PORTS])) {
        for (int i = 0; i < tlx.n; i++) tlx.blk[i].running = 1;
        tlx_unlock();
        return 0;
    }
    std::unique_lock<std::mutex> ports_held(tlx.port_mu);
    for (int i = 0; i < tlx.n; i++) {
        PLT_serial_close(tlx.ports[i]);   // a reconnection reopens this process's own ports
        tlx.ports[i] = -1;
        tlx.blk[i].port = -1;
        if (!takeover) {
            tlx.blk[i].amplitude = 100;
            tlx.blk[i].ff_amplitude = 100;
        }
    }

    int result = 0;
    if (tlx.n == 1) {
        int h = open_port_for(2, takeover);
        if (h < 0) h = open_port_for(1, takeover);
        if (h < 0) result = TILTRIX_NO_PORT;
        else tlx.ports[0] = h;
    } else {
        for (int i = 0; i < tlx.n; i++) {
            const int h = open_port_for(i + 1, takeover);
            if (h < 0) result = TILTRIX_NO_PORT;
            else tlx.ports[i] = h;
        }
    }

    for (int i = 0; i < tlx.n; i++) {
        tiltrix_record& r = tlx.blk[i];
        r.port = tlx.ports[i];
        if (tlx.model == TLX_QUILLO) {
            copy_text(r.version, sizeof r.version, QUILLO_VERSION);
            copy_text(r.info, sizeof r.info, QUILLO_INFO);
        } else {
            copy_text(r.version, sizeof r.version, VELTO_VERSION);
            copy_text(r.info, sizeof r.info, VELTO_INFO);
            if (tlx.ports[i] >= 0) {
                velto_query(i, '1', r.version, 4);
                velto_query(i, '2', r.info, 32);
            }
        }
        r.info[32] = 0;
    }
    ports_held.unlock();

    // The claim is taken before the platforms are marked running, both under the mutex, so no
    // other process ever sees them running with the claim free while this one is alive.
    if (!tlx_hold_claim(TLX_CLAIM_PORTS)) {
        tlx_unlock();
        return TILTRIX_NO_BLOCK;
    }
    for (int i = 0; i < tlx.n; i++) tlx.blk[i].running = 1;
    tlx_unlock();
    return result;
}

// The common initialisation of both models; mark sets the attached flags.
int initialise(int model, int n, int mark)
{
    const int attached = tlx_attach();
    tlx.model = model;
    tlx.start_pending = 1;
    tlx.exit_request = 0;   // an earlier exit's request must not stop the next worker
    if (n < 1 || n > TLX_MAX_PLATFORMS) return TILTRIX_BAD_COUNT;
    if (!attached || !map_block()) return TILTRIX_NO_BLOCK;
    tlx.n = n;
    if (tlx.created && tlx_lock() == 0) {
        for (int i = 0; i < n; i++) tlx.blk[i].running = tlx.blk[i].attached = 0;
        tlx_unlock();
    }
    const int r = connect();
    // Missing ports leave the others in use, so the library works on with what it has.
    if (r != 0 && r != TILTRIX_NO_PORT) return r;
    tlx.initialised = 1;
    if (mark)
        for (int i = 0; i < n; i++) tlx.blk[i].attached = 1;
    return r;
}

// The Move transform of one platform: each value modulo 256, scaled about 128 by the amplitude,
// limited to -128..127 and truncated toward zero.
void command(tiltrix_record& r, const int v[3])
{
    const float k = (float)r.amplitude / 100.0f;
    for (int a = 0; a < 3; a++) {
        float s = k * (float)((v[a] & 255) - 128);
        s = s < -128.0f ? -128.0f : s > 127.0f ? 127.0f : s;
        r.axis[a] = (uint8_t)((int)s + 128);
    }
}

// Every export's check that the block is there to work on.
int mapped(void) { return tlx_attach() && tlx.blk; }

int set_amplitude(int percent, int ff)
{
    if (percent < 0 || percent > 200) return 1;
    if (!mapped() || tlx_lock() != 0) return 0;
    for (int i = 0; i < tlx.n; i++) (ff ? tlx.blk[i].ff_amplitude : tlx.blk[i].amplitude) = (uint32_t)percent;
    tlx_unlock();
    return tlx.n;
}

// Takes the mutex for a command, connecting again when platform 0 has stopped running (another
// process's exit) or no live process drives its ports (the one that did has died); the flags of a
// playback or recording whose process has died are cleared first, so the move gets through. 0 when
// the mutex could not be had.
int lock_for_command(void)
{
    if (tlx_lock() != 0) return 0;
    tlx_clear_orphan_flags();
    if (!tlx.blk[0].running || !tlx_claimed(TLX_CLAIM_PORTS)) {
        tlx.start_pending = 1;
        connect();
    }
    return 1;
}

}  // namespace

// ---- the shared block ------------------------------------------------------------------------------

int tlx_attach(void)
{
    const int pid = PLT_process_id();
    if (tlx.pid != pid) {
        if (tlx.pid != 0) forget_parent();
        tlx.pid = pid;
    }
    if (tlx.shm >= 0) return 1;
    const char* name = std::getenv("KV_TILTRIX_BLOCK");
    tlx.shm = PLT_shared_open(name && *name ? name : TLX_DEFAULT_BLOCK, TLX_BLOCK_SIZE, &tlx.created);
    return tlx.shm >= 0;
}

int tlx_claimed(int k)
{
    return PLT_shared_claimed(reinterpret_cast<uint8_t*>(tlx.blk), TLX_BLOCK_SIZE, k) == 1;
}

int tlx_hold_claim(int k)
{
    tlx.want[k] = 1;
    if (tlx_on_worker) {
        tlx_sync_claims();
        return tlx.held[k];
    }
    // The worker takes it within one of its 10 ms steps.
    for (int waited = 0; waited < CLAIM_WAIT_MS && tlx.worker.started && !tlx.held[k]; waited++) pause_ms(1);
    return tlx.held[k];
}

void tlx_drop_claim(int k)
{
    tlx.want[k] = 0;
    if (tlx_on_worker) tlx_sync_claims();
}

void tlx_sync_claims(void)
{
    uint8_t* d = reinterpret_cast<uint8_t*>(tlx.blk);
    for (int k = 0; k < TLX_CLAIMS; k++) {
        if (tlx.want[k] && !tlx.held[k] && d && PLT_shared_claim(d, TLX_BLOCK_SIZE, k) == 1) tlx.held[k] = 1;
        if (!tlx.want[k] && tlx.held[k]) {
            PLT_shared_unclaim(d, TLX_BLOCK_SIZE, k);
            tlx.held[k] = 0;
        }
    }
}

void tlx_clear_orphan_flags(void)
{
    if (tlx_lock() != 0) return;
    const uint32_t flags[2] = {TILTRIX_PLAYING, TILTRIX_RECORDING};
    const int claims[2] = {TLX_CLAIM_PLAY, TLX_CLAIM_REC};
    for (int f = 0; f < 2; f++) {
        if (!(tlx_status(0) & flags[f]) || tlx_claimed(claims[f])) continue;
        for (int i = 0; i < TLX_MAX_PLATFORMS; i++) tlx_status_clear(i, flags[f]);
    }
    tlx_unlock();
}

int tlx_take_over(void)
{
    if (!tlx.blk || tlx.held[TLX_CLAIM_PORTS] || !tlx.blk[0].running || tlx_claimed(TLX_CLAIM_PORTS)) return 0;
    return connect() == 0 || tlx.held[TLX_CLAIM_PORTS];
}

int tlx_lock(void)
{
    if (!tlx.blk) return -1;
    uint8_t* d = reinterpret_cast<uint8_t*>(tlx.blk);
    // A holder that died mid-change leaves the record half-written; the next command rewrites it.
    if (!tlx_on_worker) return PLT_shared_lock(d, TLX_BLOCK_SIZE) >= 0 ? 0 : -1;
    // The worker keeps taking the claims asked of it while it waits: the caller holding the mutex
    // may be a connection of this process waiting for the worker to claim the ports.
    for (;;) {
        const int r = PLT_shared_trylock(d, TLX_BLOCK_SIZE);
        if (r != 2) return r >= 0 ? 0 : -1;
        tlx_sync_claims();
        pause_ms(1);
    }
}

void tlx_unlock(void) { PLT_shared_unlock(reinterpret_cast<uint8_t*>(tlx.blk), TLX_BLOCK_SIZE); }

uint32_t tlx_status(int i) { return status_ref(i).load(); }
void tlx_status_set(int i, uint32_t bits) { status_ref(i).fetch_or(bits); }
void tlx_status_clear(int i, uint32_t bits) { status_ref(i).fetch_and(~bits); }

void tlx_status_byte(int i, uint8_t b)
{
    std::atomic_ref<uint32_t> s = status_ref(i);
    uint32_t old = s.load();
    while (!s.compare_exchange_weak(old, (old & 0xFF00u) | b)) {}
}

// ---- exports ---------------------------------------------------------------------------------------

extern "C" {

int QuilloInit(int n) { return initialise(TLX_QUILLO, n, 1); }
int VeltoInit(int n) { return initialise(TLX_VELTO, n, 1); }
int CorvaneQuilloInit(int n) { return initialise(TLX_QUILLO, n, 0); }
int CorvaneVeltoInit(int n) { return initialise(TLX_VELTO, n, 0); }

int TiltrixExit(void)
{
    if (!tlx_attach()) return 0;
    // The worker gives up its claims as it ends.
    for (int k = 0; k < TLX_CLAIMS; k++) tlx.want[k] = 0;
    if (tlx.worker.started) {
        tlx.exit_request = 1;
        PLT_thread_join(&tlx.worker);
    }
    tlx.initialised = 0;
    if (!tlx.blk) return 0;
    if (tlx_lock() == 0) {
        // Only this process's own ports are closed; another process's handles mean nothing here.
        for (int i = 0; i < tlx.n; i++) {
            if (tlx.ports[i] >= 0) {
                PLT_serial_close(tlx.ports[i]);
                tlx.ports[i] = -1;
                tlx.blk[i].port = -1;
            }
            tlx.blk[i].running = 0;
            tlx.blk[i].attached = 0;
        }
        tlx_unlock();
    }
    const int r = PLT_shared_unmap(reinterpret_cast<uint8_t*>(tlx.blk), TLX_BLOCK_SIZE);
    tlx.blk = nullptr;
    return r == 0 ? 1 : 0;
}

int TiltrixSetAmplitude(int percent) { return set_amplitude(percent, 0); }
int TiltrixSetFFAmplitude(int percent) { return set_amplitude(percent, 1); }

int TiltrixMove(int a, int b, int c)
{
    if (!tlx_attach() || !tlx.initialised || !tlx.blk) return 0;
    if (!lock_for_command()) return 0;
    const int v[3] = {a, b, c};
    for (int i = 0; i < tlx.n; i++) {
        if (tlx_status(i) & (TILTRIX_STOPPED | TILTRIX_PLAYING)) continue;
        command(tlx.blk[i], v);
    }
    tlx_unlock();
    return tlx.start_pending.exchange(0);
}

int TiltrixMoveDelta(int da, int db, int dc)
{
    if (!tlx_attach() || !tlx.initialised || !tlx.blk) return 0;
    if (!lock_for_command()) return 0;
    for (int i = 0; i < tlx.n; i++) {
        tlx.blk[i].offset[0] = (int8_t)(uint8_t)(da & 255);
        tlx.blk[i].offset[1] = (int8_t)(uint8_t)(db & 255);
        tlx.blk[i].offset[2] = (int8_t)(uint8_t)(dc & 255);
    }
    tlx_unlock();
    return tlx.start_pending.exchange(0);
}

int TiltrixStop(void)
{
    if (!mapped() || tlx_lock() != 0) return 0;
    const int centre[3] = {127, 127, 127};
    for (int i = 0; i < tlx.n; i++) {
        tlx_status_clear(i, TILTRIX_STOPPED);
        if (!(tlx_status(i) & TILTRIX_PLAYING)) command(tlx.blk[i], centre);
        tlx_status_set(i, TILTRIX_STOPPED);
    }
    tlx_unlock();
    return tlx.n;
}

int TiltrixStart(void)
{
    if (!mapped()) return 0;
    for (int i = 0; i < tlx.n; i++) tlx_status_clear(i, TILTRIX_STOPPED);
    return tlx.n;
}

int TiltrixGetPos(unsigned char* a1, unsigned char* a2, unsigned char* a3, unsigned char* fb1, unsigned char* fb2,
                  unsigned char* a3copy)
{
    if (!mapped()) return 1;
    const tiltrix_record& r = tlx.blk[0];
    unsigned char* axes[3] = {a1, a2, a3};
    for (int a = 0; a < 3; a++)
        if (axes[a]) *axes[a] = (unsigned char)((r.axis[a] + r.offset[a]) & 255);
    if (fb1) *fb1 = r.feedback1;
    if (fb2) *fb2 = r.feedback2;
    if (a3copy) *a3copy = r.axis3_copy;
    return 0;
}

int TiltrixGetStatus(void) { return mapped() ? (int)tlx_status(0) : 0; }

int TiltrixGetVersionString(char* buf)
{
    const int size = (int)sizeof(tiltrix_record::version);
    if (buf) copy_text(buf, size, mapped() ? tlx.blk[0].version : "");
    return size;
}

int TiltrixGetInfoString(char* buf)
{
    const int size = (int)sizeof(tiltrix_record::info);
    if (buf) copy_text(buf, size, mapped() ? tlx.blk[0].info : "");
    return size;
}

}  // extern "C"
