// plt_shared.h -- what several processes share: a named block of shared memory guarded by a
// process-shared, recursive and robust mutex; and the threads and process identity the users of
// such a block need.
//
// A block is a named shared-memory object of `size` bytes of the caller's data followed by the
// mutex and the block's claims. The names are POSIX shared-memory names ("/name"). The first process to open a block
// while no other live process has it open finds it zeroed with a fresh mutex, even when an earlier
// user died and left the object behind; later processes see what the others wrote.
#pragma once
#include <cstdint>

// Opens (creating if needed) the named block of `size` data bytes; the handle, or -1. *first is 1
// when no other live process had it open (the data is then zeroed). The handle keeps this
// process's claim on the block until PLT_shared_close.
int PLT_shared_open(const char* name, int size, int* first);
// Maps the block of the handle; its data, or nullptr.
uint8_t* PLT_shared_map(int handle, int size);
// Unmaps a block mapped with PLT_shared_map: 0 on success, -1 on failure.
int PLT_shared_unmap(uint8_t* data, int size);
// Closes the handle (a mapping stays valid until unmapped).
void PLT_shared_close(int handle);
// Removes the name, so that the next open makes a new object (processes that have it keep theirs).
void PLT_shared_remove(const char* name);

// Takes the block's mutex, waiting as long as needed; the same thread may take it again, and
// releases it as often. 0 when taken; 1 when taken from a holder that died (the data it guarded
// may be half-written; the mutex is usable again); -1 on failure (not taken).
int PLT_shared_lock(uint8_t* data, int size);
// Takes the mutex only when it is free: 0 or 1 as PLT_shared_lock, 2 when another thread holds it,
// -1 on failure.
int PLT_shared_trylock(uint8_t* data, int size);
void PLT_shared_unlock(uint8_t* data, int size);

// Claims 0..PLT_SHARED_CLAIMS-1 of a block: each is held by at most one thread, and is let go when
// that thread gives it up, ends, or dies with its process. A claim thus tells the block's other
// users whether whoever took on a duty is still alive to do it.
constexpr int PLT_SHARED_CLAIMS = 4;
// Takes claim k without waiting: 1 when taken (it was free, or its holder had died); 0 when a live
// thread holds it (the calling one included); -1 on failure.
int PLT_shared_claim(uint8_t* data, int size, int k);
// Gives up claim k, held by the calling thread.
void PLT_shared_unclaim(uint8_t* data, int size, int k);
// 1 when a live thread holds claim k (the calling one included), 0 when it is free (a dead
// holder's claim is freed on the way), -1 on failure.
int PLT_shared_claimed(uint8_t* data, int size, int k);

// ---- threads and processes ---------------------------------------------------------------------

// A thread record; it must stay in place while its thread runs.
struct PLT_thread {
    uint64_t id;
    int started;
    void (*fn)(void*);
    void* arg;
};

// Starts fn(arg) on a new thread: 1, or 0 when no thread could be made.
int PLT_thread_start(PLT_thread* t, void (*fn)(void*), void* arg);
// Waits for a started thread to end; nothing for one that never started.
void PLT_thread_join(PLT_thread* t);
// Asks for the calling thread to be scheduled ahead of normal work (best effort; needs the right
// to raise priority, and is silently left as it is without it).
void PLT_thread_raise_priority(void);
// This process's id (changes in a forked child).
int PLT_process_id(void);
