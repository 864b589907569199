// tiltrix_local.h -- the motion library's shared block, its per-process state and the routines its
// interface and its worker share.
#pragma once
#include "tiltrix.h"
#include "plt_shared.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <mutex>

constexpr int TLX_MAX_PLATFORMS = 4;
constexpr int TLX_QUILLO = 1;
constexpr int TLX_VELTO = 0;
constexpr char TLX_DEFAULT_BLOCK[] = "/Tiltrix_Shared_Mem";

// The block's claims (PLT_shared_claim), each held by the worker thread of the process doing the
// work it stands for, so that the other processes notice when that process dies: the one driving
// the ports, the one playing a motion file back and the one recording.
enum { TLX_CLAIM_PORTS = 0, TLX_CLAIM_PLAY = 1, TLX_CLAIM_REC = 2, TLX_CLAIMS = 3 };
static_assert(TLX_CLAIMS <= PLT_SHARED_CLAIMS);

// One platform's record in the shared block (little-endian, 76 bytes).
struct tiltrix_record {
    uint8_t feedback1;       // position read back from a Velto
    uint8_t feedback2;
    uint8_t axis3_copy;      // commanded axis 3 as of the last Velto exchange
    uint8_t axis[3];         // commanded axes, 0..255, 128 the centre
    int8_t offset[3];        // added to the commanded axes when sent
    uint8_t unused1[3];
    uint32_t amplitude;      // percent, 0..200
    uint32_t ff_amplitude;   // percent, 0..200, kept for other users of the block
    char version[5];         // controller version text
    char info[33];           // controller information text; info[32] is always 0
    uint8_t unused2[2];
    uint32_t status;         // TILTRIX_* bits and the last status byte; always accessed atomically
    int32_t running;         // 1 while the platforms are connected
    int32_t attached;        // marked by an initialiser that attaches its platforms
    int32_t port;            // the connecting process's port handle, -1 when none
};
static_assert(sizeof(tiltrix_record) == 76);
static_assert(offsetof(tiltrix_record, axis) == 3);
static_assert(offsetof(tiltrix_record, offset) == 6);
static_assert(offsetof(tiltrix_record, amplitude) == 12);
static_assert(offsetof(tiltrix_record, ff_amplitude) == 16);
static_assert(offsetof(tiltrix_record, version) == 20);
static_assert(offsetof(tiltrix_record, info) == 25);
static_assert(offsetof(tiltrix_record, status) == 60);
static_assert(offsetof(tiltrix_record, running) == 64);
static_assert(offsetof(tiltrix_record, attached) == 68);
static_assert(offsetof(tiltrix_record, port) == 72);

// The four records; the mutex that guards them between processes lives in the same shared object,
// after them, so whoever maps the block has its mutex too.
constexpr int TLX_BLOCK_SIZE = TLX_MAX_PLATFORMS * (int)sizeof(tiltrix_record);
static_assert(TLX_BLOCK_SIZE == 304);

// What one process knows of the library. Set when the process first calls in; a forked child
// finds its parent's copy and starts again from nothing.
struct tiltrix_process {
    int pid = 0;                        // the process this state belongs to
    int shm = -1;                       // claim on the shared block, kept for the process's life
    int created = 0;                    // this process found the block unused and started it afresh
    tiltrix_record* blk = nullptr;      // the mapped block, nullptr when unmapped
    int n = 0;                          // platforms, 1..4 once initialised
    int model = TLX_QUILLO;
    int initialised = 0;
    int ports[TLX_MAX_PLATFORMS] = {-1, -1, -1, -1};   // this process's open ports
    // Held by the worker through one platform's exchange and by a connection while it reopens
    // the ports, so the worker never writes to a port number that has just been closed.
    std::mutex port_mu;
    PLT_thread worker = {};
    // The claims this process's worker is to hold, and those it holds; only the worker takes and
    // gives them up (a claim belongs to the thread that took it).
    std::atomic<int> want[TLX_CLAIMS] = {};
    std::atomic<int> held[TLX_CLAIMS] = {};
    std::atomic<int> exit_request{0};
    std::atomic<int> start_pending{1};

    // Recording and playback files belong to this process; `files` guards them between the
    // worker and the exported calls.
    std::mutex files;
    FILE* play = nullptr;
    FILE* rec = nullptr;
    int play_counter = 0;
    int rec_counter = 0;
    int loop = 0;
};

extern tiltrix_process tlx;

// Makes sure this process has its claim on the block (afresh after a fork); 0 when it cannot.
int tlx_attach(void);
// The shared mutex; 0 when taken (a dead holder's leftovers are accepted), -1 when not.
int tlx_lock(void);
void tlx_unlock(void);
// Atomic access to a record's status word.
uint32_t tlx_status(int i);
void tlx_status_set(int i, uint32_t bits);
void tlx_status_clear(int i, uint32_t bits);
// Replaces bits 0-7 with the status byte, keeps bits 8-15 and clears the rest.
void tlx_status_byte(int i, uint8_t b);

// Claims: whether a live thread holds claim k; has this process's worker take it (waiting up to a
// second for the worker), 1 once held; has the worker give it up. The worker itself brings what it
// holds in line with what is wanted each step.
int tlx_claimed(int k);
int tlx_hold_claim(int k);
void tlx_drop_claim(int k);
void tlx_sync_claims(void);
// Clears the playing and recording flags when the process that set them has died.
void tlx_clear_orphan_flags(void);
// Connects this process when the platforms are marked running but the process that drove their
// ports has died; 1 when it now drives them.
int tlx_take_over(void);

// The worker thread's body; tlx_on_worker is set on that thread only.
void tlx_worker(void*);
extern thread_local int tlx_on_worker;
// Ends playback or recording with the files lock held: 1 when nothing was on, else fclose's result.
int tlx_stop_play_locked(void);
int tlx_stop_rec_locked(void);
// The acknowledgement wait on platform i's port: 1 when "C" came (the status bit is set), else 0.
int tlx_wait_ack(int i);
