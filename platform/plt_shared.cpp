// plt_shared.cpp -- named shared-memory blocks with a robust process-shared mutex; threads.
//
// POSIX keeps a shared-memory object after its last user has gone (Windows frees it), so "first
// user" is decided by locks: every process holding the block open keeps a shared lock on it, and
// a process that can take the exclusive lock instead is alone and starts the block afresh. A
// second, empty object serialises those decisions, so two processes opening at once never both
// start it afresh. The kernel drops a dead process's locks, so a crash leaves no false users.
#include "plt_shared.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr int MUTEX_AREA = 64;
static_assert(sizeof(pthread_mutex_t) <= MUTEX_AREA);
static_assert(sizeof(pthread_t) <= sizeof(uint64_t));

// The mutex sits after the data, on a 64-byte boundary, and the claims' mutexes after it, 64 bytes
// apart.
int mutex_offset(int size) { return (size + MUTEX_AREA - 1) / MUTEX_AREA * MUTEX_AREA; }
int total_size(int size) { return mutex_offset(size) + MUTEX_AREA * (1 + PLT_SHARED_CLAIMS); }

pthread_mutex_t* mutex_of(uint8_t* data, int size)
{
    return reinterpret_cast<pthread_mutex_t*>(data + mutex_offset(size));
}

pthread_mutex_t* claim_of(uint8_t* data, int size, int k)
{
    if (!data || k < 0 || k >= PLT_SHARED_CLAIMS) return nullptr;
    return reinterpret_cast<pthread_mutex_t*>(data + mutex_offset(size) + MUTEX_AREA * (1 + k));
}

// A process-shared mutex that is freed when its holder dies; the block's own mutex is recursive,
// a claim is not (its holder asking again is told it is held).
int init_robust(pthread_mutex_t* m, int recursive)
{
    pthread_mutexattr_t a;
    pthread_mutexattr_init(&a);
    pthread_mutexattr_setpshared(&a, PTHREAD_PROCESS_SHARED);
    pthread_mutexattr_setrobust(&a, PTHREAD_MUTEX_ROBUST);
    if (recursive) pthread_mutexattr_settype(&a, PTHREAD_MUTEX_RECURSIVE);
    const int ok = pthread_mutex_init(m, &a) == 0;
    pthread_mutexattr_destroy(&a);
    return ok;
}

// Locks m with lock_fn (pthread_mutex_lock or _trylock): 0 when taken, 1 when taken from a holder
// that died (the mutex is made usable again), else minus lock_fn's error number.
int taken(pthread_mutex_t* m, int (*lock_fn)(pthread_mutex_t*))
{
    const int r = lock_fn(m);
    if (r == 0) return 0;
    if (r != EOWNERDEAD) return -r;
    pthread_mutex_consistent(m);
    return 1;
}

int guard_name(const char* name, char* out, int n)
{
    int k = std::snprintf(out, (size_t)n, "%s_guard", name);
    return k > 0 && k < n;
}

// Zeroes a block no one else has open and gives it a fresh mutex.
int start_afresh(int fd, int size)
{
    const int total = total_size(size);
    if (ftruncate(fd, 0) != 0 || ftruncate(fd, total) != 0) return 0;
    void* p = mmap(nullptr, (size_t)total, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (p == MAP_FAILED) return 0;
    uint8_t* d = static_cast<uint8_t*>(p);
    int ok = init_robust(mutex_of(d, size), 1);
    for (int k = 0; k < PLT_SHARED_CLAIMS && ok; k++) ok = init_robust(claim_of(d, size, k), 0);
    munmap(p, (size_t)total);
    return ok;
}

void* thread_main(void* arg)
{
    PLT_thread* t = static_cast<PLT_thread*>(arg);
    t->fn(t->arg);
    return nullptr;
}

}  // namespace

int PLT_shared_open(const char* name, int size, int* first)
{
    *first = 0;
    char gname[256];
    if (!name || size <= 0 || !guard_name(name, gname, sizeof gname)) return -1;
    const int guard = shm_open(gname, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (guard < 0) return -1;
    while (flock(guard, LOCK_EX) != 0 && errno == EINTR) {}

    int fd = shm_open(name, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0) {
        int ok;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ok = start_afresh(fd, size);
            *first = ok;
        } else {
            struct stat st;
            ok = fstat(fd, &st) == 0 && st.st_size == total_size(size);
        }
        // Trading the exclusive lock for a shared one is safe here: the guard keeps every other
        // opener out until this one is done.
        if (!ok || flock(fd, LOCK_SH) != 0) {
            close(fd);
            fd = -1;
            *first = 0;
        }
    }
    close(guard);
    return fd;
}

uint8_t* PLT_shared_map(int handle, int size)
{
    if (handle < 0 || size <= 0) return nullptr;
    void* p = mmap(nullptr, (size_t)total_size(size), PROT_READ | PROT_WRITE, MAP_SHARED, handle, 0);
    return p == MAP_FAILED ? nullptr : static_cast<uint8_t*>(p);
}

int PLT_shared_unmap(uint8_t* data, int size)
{
    if (!data) return -1;
    return munmap(data, (size_t)total_size(size)) == 0 ? 0 : -1;
}

void PLT_shared_close(int handle)
{
    if (handle >= 0) close(handle);
}

void PLT_shared_remove(const char* name)
{
    char gname[256];
    if (!name) return;
    shm_unlink(name);
    if (guard_name(name, gname, sizeof gname)) shm_unlink(gname);
}

int PLT_shared_lock(uint8_t* data, int size)
{
    if (!data) return -1;
    const int r = taken(mutex_of(data, size), pthread_mutex_lock);
    return r < 0 ? -1 : r;
}

int PLT_shared_trylock(uint8_t* data, int size)
{
    if (!data) return -1;
    const int r = taken(mutex_of(data, size), pthread_mutex_trylock);
    return r >= 0 ? r : r == -EBUSY ? 2 : -1;
}

void PLT_shared_unlock(uint8_t* data, int size)
{
    if (data) pthread_mutex_unlock(mutex_of(data, size));
}

int PLT_shared_claim(uint8_t* data, int size, int k)
{
    pthread_mutex_t* m = claim_of(data, size, k);
    if (!m) return -1;
    const int r = taken(m, pthread_mutex_trylock);
    if (r >= 0) return 1;
    return r == -EBUSY || r == -EDEADLK ? 0 : -1;
}

void PLT_shared_unclaim(uint8_t* data, int size, int k)
{
    pthread_mutex_t* m = claim_of(data, size, k);
    if (m) pthread_mutex_unlock(m);
}

int PLT_shared_claimed(uint8_t* data, int size, int k)
{
    const int r = PLT_shared_claim(data, size, k);
    if (r == 1) PLT_shared_unclaim(data, size, k);
    return r == 1 ? 0 : r == 0 ? 1 : -1;
}

int PLT_thread_start(PLT_thread* t, void (*fn)(void*), void* arg)
{
    t->started = 0;
    t->fn = fn;
    t->arg = arg;
    pthread_t id;
    if (pthread_create(&id, nullptr, thread_main, t) != 0) return 0;
    t->id = 0;
    std::memcpy(&t->id, &id, sizeof id);
    t->started = 1;
    return 1;
}

void PLT_thread_join(PLT_thread* t)
{
    if (!t->started) return;
    pthread_t id;
    std::memcpy(&id, &t->id, sizeof id);
    pthread_join(id, nullptr);
    t->started = 0;
}

void PLT_thread_raise_priority(void)
{
    // On Linux a thread's nice value is its own; a lower value runs it ahead of normal work.
    const id_t tid = (id_t)syscall(SYS_gettid);
    setpriority(PRIO_PROCESS, tid, -5);
}

int PLT_process_id(void) { return (int)getpid(); }
