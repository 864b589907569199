// shared_test.cpp -- named shared blocks between processes: who starts a block afresh, data seen
// across a fork, the robust mutex after its holder dies, recursion and mutual exclusion; threads.
#include "kvpty.h"
#include "kvtest.h"
#include "plt_shared.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

constexpr int SIZE = 100;

// A block of this test's own, removed before and after.
class SharedBlock : public ::testing::Test {
protected:
    void SetUp() override
    {
        name_ = "/kvtest-shared-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        PLT_shared_remove(name_.c_str());
    }
    void TearDown() override
    {
        if (d_) PLT_shared_unmap(d_, SIZE);
        if (h_ >= 0) PLT_shared_close(h_);
        PLT_shared_remove(name_.c_str());
    }
    // Opens and maps the block for the test, which keeps it to its end; nullptr when it cannot.
    uint8_t* block(void)
    {
        int first = 0;
        h_ = PLT_shared_open(name_.c_str(), SIZE, &first);
        d_ = PLT_shared_map(h_, SIZE);
        return d_;
    }
    std::string name_;

private:
    int h_ = -1;
    uint8_t* d_ = nullptr;
};

struct ChildArgs {
    const char* name;
    int value;
};

// Opens and maps the named block for a child, which keeps it until it ends; nullptr when it cannot.
uint8_t* child_block(const char* name)
{
    int first = 0;
    return PLT_shared_map(PLT_shared_open(name, SIZE, &first), SIZE);
}

// Opens the block, reports whether it came first, and leaves a value in byte 0.
int child_writes(void* p)
{
    const ChildArgs* a = static_cast<const ChildArgs*>(p);
    int first = -1;
    const int h = PLT_shared_open(a->name, SIZE, &first);
    uint8_t* d = PLT_shared_map(h, SIZE);
    if (!d) return 99;
    d[0] = (uint8_t)a->value;
    PLT_shared_unmap(d, SIZE);
    PLT_shared_close(h);
    return first;
}

// Takes the mutex, half-writes the data and dies holding it.
int child_dies_holding(void* p)
{
    const ChildArgs* a = static_cast<const ChildArgs*>(p);
    uint8_t* d = child_block(a->name);
    if (!d || PLT_shared_lock(d, SIZE) != 0) return 99;
    d[1] = 0xAB;   // the first half of a two-byte change
    kill(getpid(), SIGKILL);
    return 98;
}

// Adds 1 to the 32-bit counter at byte 4, count times, under the mutex.
void add_many(uint8_t* d, int count)
{
    for (int i = 0; i < count; i++) {
        if (PLT_shared_lock(d, SIZE) < 0) return;
        uint32_t v;
        std::memcpy(&v, d + 4, 4);
        v++;
        std::memcpy(d + 4, &v, 4);
        PLT_shared_unlock(d, SIZE);
    }
}

int child_adds(void* p)
{
    const ChildArgs* a = static_cast<const ChildArgs*>(p);
    uint8_t* d = child_block(a->name);
    if (!d) return 99;
    add_many(d, a->value);
    return 0;
}

// Tries the mutex; 0 when it was had.
int child_locks(void* p)
{
    const ChildArgs* a = static_cast<const ChildArgs*>(p);
    uint8_t* d = child_block(a->name);
    if (!d) return 99;
    if (PLT_shared_lock(d, SIZE) < 0) return 97;
    PLT_shared_unlock(d, SIZE);
    return 0;
}

}  // namespace

TEST_F(SharedBlock, FirstUserStartsAfreshAndOthersShareItsData)
{
    int first = -1;
    const int h = PLT_shared_open(name_.c_str(), SIZE, &first);
    ASSERT_GE(h, 0);
    EXPECT_EQ(first, 1);
    uint8_t* d = PLT_shared_map(h, SIZE);
    ASSERT_NE(d, nullptr);
    for (int i = 0; i < SIZE; i++) ASSERT_EQ(d[i], 0) << i;

    // A child opening while this process holds the block is not first, and its write shows here.
    ChildArgs a = {name_.c_str(), 77};
    EXPECT_EQ(run_child(child_writes, &a, 10), 0);
    EXPECT_EQ(d[0], 77);
    EXPECT_EQ(PLT_shared_unmap(d, SIZE), 0);
    PLT_shared_close(h);
}

TEST_F(SharedBlock, ABlockLeftBehindByUsersWhoHaveGoneStartsAfresh)
{
    // The child is the only user; it leaves data behind and ends.
    ChildArgs a = {name_.c_str(), 55};
    EXPECT_EQ(run_child(child_writes, &a, 10), 1);
    int first = -1;
    const int h = PLT_shared_open(name_.c_str(), SIZE, &first);
    ASSERT_GE(h, 0);
    EXPECT_EQ(first, 1);
    uint8_t* d = PLT_shared_map(h, SIZE);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d[0], 0);   // not the 55 the departed user left
    PLT_shared_unmap(d, SIZE);
    PLT_shared_close(h);
}

TEST_F(SharedBlock, AHolderThatDiesDoesNotBlockTheOthers)
{
    uint8_t* d = block();
    ASSERT_NE(d, nullptr);
    ChildArgs a = {name_.c_str(), 0};
    EXPECT_EQ(run_child(child_dies_holding, &a, 10), -1);   // killed
    EXPECT_EQ(d[1], 0xAB);                                  // its half-done change is visible

    // The next taker is told the holder died, and the mutex works normally from then on.
    std::atomic<int> result{-2};
    std::thread t([&] {
        const int r = PLT_shared_lock(d, SIZE);
        if (r >= 0) PLT_shared_unlock(d, SIZE);
        result = r;
    });
    for (int i = 0; i < 200 && result == -2; i++) usleep(10000);
    if (result == -2) {
        t.detach();
        FAIL() << "the mutex of a dead holder blocked";
    }
    t.join();
    EXPECT_EQ(result.load(), 1);
    EXPECT_EQ(PLT_shared_lock(d, SIZE), 0);
    PLT_shared_unlock(d, SIZE);
    EXPECT_EQ(run_child(child_locks, &a, 10), 0);
}

TEST_F(SharedBlock, TheMutexIsRecursiveAndReleasedOnlyByTheLastUnlock)
{
    uint8_t* d = block();
    ASSERT_NE(d, nullptr);
    ChildArgs a = {name_.c_str(), 0};
    ASSERT_EQ(PLT_shared_lock(d, SIZE), 0);
    ASSERT_EQ(PLT_shared_lock(d, SIZE), 0);   // again from the same thread: no deadlock
    PLT_shared_unlock(d, SIZE);
    EXPECT_EQ(run_child(child_locks, &a, 1), -1);   // still held once: the child waits and is killed
    PLT_shared_unlock(d, SIZE);
    EXPECT_EQ(run_child(child_locks, &a, 10), 0);
}

TEST_F(SharedBlock, ThreadsAndProcessesCountedUnderTheMutexLoseNothing)
{
    uint8_t* d = block();
    ASSERT_NE(d, nullptr);
    ChildArgs a = {name_.c_str(), 20000};
    std::atomic<int> child_status{-2};
    std::thread child([&] { child_status = run_child(child_adds, &a, 60); });
    std::thread worker([&] { add_many(d, 20000); });
    add_many(d, 20000);
    worker.join();
    child.join();
    EXPECT_EQ(child_status.load(), 0);
    uint32_t v;
    std::memcpy(&v, d + 4, 4);
    EXPECT_EQ(v, 60000u);
}

namespace {

// Takes claim `value` and stays until it is killed (30 s at most).
int child_claims_and_stays(void* p)
{
    const ChildArgs* a = static_cast<const ChildArgs*>(p);
    uint8_t* d = child_block(a->name);
    if (!d || PLT_shared_claim(d, SIZE, a->value) != 1) return 99;
    for (int i = 0; i < 3000; i++) usleep(10000);
    return 98;
}

bool wait_claimed(uint8_t* d, int k, int want)
{
    for (int i = 0; i < 200 && PLT_shared_claimed(d, SIZE, k) != want; i++) usleep(10000);
    return PLT_shared_claimed(d, SIZE, k) == want;
}

}  // namespace

TEST_F(SharedBlock, AClaimIsHeldWhileItsHolderLivesAndFreedWhenItDiesOrLetsGo)
{
    uint8_t* d = block();
    ASSERT_NE(d, nullptr);
    for (int k = 0; k < PLT_SHARED_CLAIMS; k++) EXPECT_EQ(PLT_shared_claimed(d, SIZE, k), 0) << k;
    EXPECT_EQ(PLT_shared_claim(d, SIZE, PLT_SHARED_CLAIMS), -1);
    EXPECT_EQ(PLT_shared_claimed(d, SIZE, -1), -1);

    // This thread: taken once, held (also as seen by itself), free after letting go.
    ASSERT_EQ(PLT_shared_claim(d, SIZE, 0), 1);
    EXPECT_EQ(PLT_shared_claim(d, SIZE, 0), 0);
    EXPECT_EQ(PLT_shared_claimed(d, SIZE, 0), 1);
    EXPECT_EQ(PLT_shared_claimed(d, SIZE, 1), 0);   // claims are independent
    PLT_shared_unclaim(d, SIZE, 0);
    EXPECT_EQ(PLT_shared_claimed(d, SIZE, 0), 0);

    // A thread of this process that ends without letting go frees it as it ends.
    std::atomic<int> took{0}, release{0};
    std::thread t([&] {
        took = PLT_shared_claim(d, SIZE, 1);
        while (!release) usleep(1000);
    });
    while (!took) usleep(1000);
    EXPECT_EQ(took.load(), 1);
    EXPECT_EQ(PLT_shared_claimed(d, SIZE, 1), 1);
    EXPECT_EQ(PLT_shared_claim(d, SIZE, 1), 0);
    release = 1;
    t.join();
    EXPECT_EQ(PLT_shared_claimed(d, SIZE, 1), 0);

    // Another process: held while it lives, free once it is killed, and then this one may take it.
    ChildArgs a = {name_.c_str(), 2};
    const int pid = start_child(child_claims_and_stays, &a);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(wait_claimed(d, 2, 1));
    EXPECT_EQ(PLT_shared_claim(d, SIZE, 2), 0);
    EXPECT_EQ(end_child(pid, SIGKILL, 10), -1);
    EXPECT_EQ(PLT_shared_claim(d, SIZE, 2), 1);
    PLT_shared_unclaim(d, SIZE, 2);
}

TEST_F(SharedBlock, TryingTheMutexNeverWaits)
{
    uint8_t* d = block();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(PLT_shared_trylock(nullptr, SIZE), -1);
    ASSERT_EQ(PLT_shared_trylock(d, SIZE), 0);   // free
    std::atomic<int> other{-9};
    std::thread t([&] { other = PLT_shared_trylock(d, SIZE); });
    t.join();
    EXPECT_EQ(other.load(), 2);                   // held by this thread: another is told so at once
    PLT_shared_unlock(d, SIZE);

    ChildArgs a = {name_.c_str(), 0};
    EXPECT_EQ(run_child(child_dies_holding, &a, 10), -1);
    EXPECT_EQ(PLT_shared_trylock(d, SIZE), 1);    // taken from the dead holder
    PLT_shared_unlock(d, SIZE);
    EXPECT_EQ(PLT_shared_trylock(d, SIZE), 0);    // and usable as ever
    PLT_shared_unlock(d, SIZE);
}

TEST(PlatformThread, StartsRunsAndJoins)
{
    std::atomic<int> ran{0};
    PLT_thread t = {};
    ASSERT_EQ(PLT_thread_start(&t, [](void* p) { static_cast<std::atomic<int>*>(p)->store(42); }, &ran), 1);
    PLT_thread_join(&t);
    EXPECT_EQ(ran.load(), 42);
    EXPECT_EQ(t.started, 0);
    PLT_thread_join(&t);   // joining again does nothing
}
