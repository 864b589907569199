// motion_rig.h -- the motion-base tests' rig: pseudo-terminals as the platforms' serial ports, a
// fake Velto controller answering on one, a raw view of the shared block, and the fixture that
// leaves the library closed after each test.
#pragma once
#include "kvpty.h"
#include "kvtest.h"
#include "plt_shared.h"
#include "tiltrix.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <sched.h>
#include <string>
#include <thread>
#include <vector>

// Block offsets of a platform record, as laid out for every user of the block.
constexpr int REC_SIZE = 76;
constexpr int OFF_AXIS = 3;
constexpr int OFF_AMPLITUDE = 12;
constexpr int OFF_FF_AMPLITUDE = 16;
constexpr int OFF_VERSION = 20;
constexpr int OFF_INFO = 25;
constexpr int OFF_STATUS = 60;
constexpr int OFF_RUNNING = 64;
constexpr int OFF_ATTACHED = 68;
constexpr int OFF_PORT = 72;

// The shared block as another user sees it.
class RawBlock {
public:
    RawBlock()
    {
        int first = 0;
        h_ = PLT_shared_open(std::getenv("KV_TILTRIX_BLOCK"), 4 * REC_SIZE, &first);
        d_ = PLT_shared_map(h_, 4 * REC_SIZE);
    }
    ~RawBlock()
    {
        if (d_) PLT_shared_unmap(d_, 4 * REC_SIZE);
        PLT_shared_close(h_);
    }
    bool ok() const { return d_ != nullptr; }
    int32_t i32(int rec, int off) const
    {
        int32_t v;
        std::memcpy(&v, d_ + rec * REC_SIZE + off, 4);
        return v;
    }
    void set_i32(int rec, int off, int32_t v) { std::memcpy(d_ + rec * REC_SIZE + off, &v, 4); }
    uint8_t byte(int rec, int off) const { return d_[rec * REC_SIZE + off]; }
    std::string text(int rec, int off) const { return std::string((const char*)d_ + rec * REC_SIZE + off); }
    uint8_t* data() { return d_; }

private:
    int h_ = -1;
    uint8_t* d_ = nullptr;
};

inline void sleep_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Waits up to ms for the status word to match (mask, want).
inline bool wait_status(int mask, int want, int ms)
{
    for (int t = 0; t < ms && (TiltrixGetStatus() & mask) != want; t += 10) sleep_ms(10);
    return (TiltrixGetStatus() & mask) == want;
}

// Quillo frames ("P", position 1, position 2) in what a port received; frames go out whole, so
// the stream splits into them from its start.
struct QuilloFrame {
    int p1, p2;
};
inline std::vector<QuilloFrame> quillo_frames(const std::string& s, bool* aligned)
{
    std::vector<QuilloFrame> out;
    *aligned = s.size() % 3 == 0;
    for (size_t i = 0; i + 3 <= s.size(); i += 3) {
        if (s[i] != 'P') *aligned = false;
        out.push_back({(uint8_t)s[i + 1], (uint8_t)s[i + 2]});
    }
    return out;
}

// A Velto controller on the master side of a port: answers the set-up queries with its texts and
// each position command with the acknowledgement, a status byte and the feedback (the command's
// positions 1 and 2 plus one). Silent sends nothing; chatter answers everything with bytes that
// are never the acknowledgement.
class FakeVelto {
public:
    enum Mode { ANSWER, SILENT, CHATTER };
    static constexpr char VERSION[] = "V2.7";                               // 4 bytes
    static constexpr char INFO[] = "Velto 3-axis test rig, rev 00042";      // 32 bytes
    static_assert(sizeof VERSION == 5 && sizeof INFO == 33);
    FakeVelto(PtyPair& pty, Mode mode, uint8_t status = 0x5A) : pty_(pty), mode_(mode), status_(status)
    {
        thread_ = std::thread([this] { run(); });
        // A controller answers within its own time whatever else the machine is doing; the worker
        // waits 20 ms for the acknowledgement. On a loaded machine an ordinary thread can be kept
        // from the processor longer than that, so the fake answers at real-time priority where
        // the system allows it (it sleeps in poll between commands, so it takes no processor time
        // from anyone else).
        sched_param prio{};
        prio.sched_priority = 1;
        pthread_setschedparam(thread_.native_handle(), SCHED_FIFO, &prio);
    }
    ~FakeVelto()
    {
        stop_ = 1;
        thread_.join();
    }
    // Position commands received so far (positions 1..3).
    std::vector<std::vector<int>> commands()
    {
        std::lock_guard<std::mutex> hold(mu_);
        return commands_;
    }
    int queries() const { return queries_; }

private:
    void run()
    {
        std::string in;
        while (!stop_) {
            in += pty_.read_for(20, 0);   // back with the first bytes: a command is answered at once
            size_t used = 0;
            while (used < in.size()) {
                const size_t left = in.size() - used;
                if (in[used] == 0x1B && left >= 3) {
                    queries_++;
                    answer(std::string("C") + (in[used + 2] == '1' ? VERSION : INFO));
                    used += 3;
                } else if (in[used] == 'C' && left >= 4) {
                    const int p1 = (uint8_t)in[used + 1], p2 = (uint8_t)in[used + 2], p3 = (uint8_t)in[used + 3];
                    {
                        std::lock_guard<std::mutex> hold(mu_);
                        commands_.push_back({p1, p2, p3});
                    }
                    answer(std::string("C") + (char)status_ + (char)((p1 + 1) & 255) + (char)((p2 + 1) & 255));
                    used += 4;
                } else if (in[used] != 0x1B && in[used] != 'C') {
                    used++;   // not a command start: skip
                } else {
                    break;    // a command still coming
                }
            }
            in.erase(0, used);
        }
    }
    void answer(const std::string& reply)
    {
        if (mode_ == ANSWER) pty_.write(reply);
        else if (mode_ == CHATTER) pty_.write(std::string(40, 'x'));
    }

    PtyPair& pty_;
    Mode mode_;
    uint8_t status_;
    std::atomic<int> stop_{0};
    std::atomic<int> queries_{0};
    std::mutex mu_;
    std::vector<std::vector<int>> commands_;
    std::thread thread_;
};

// Ports COM1..COM4 point nowhere unless a test gives them a pseudo-terminal; the library is closed
// and its files stopped after every test.
class MotionRig : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int k = 1; k <= 4; k++) no_port(k);
    }
    void TearDown() override
    {
        // Offsets and the stopped flag live in the block across connections: leave them neutral.
        TiltrixStopPlay();
        TiltrixStopRec();
        TiltrixMoveDelta(0, 0, 0);
        TiltrixStart();
        TiltrixExit();
        for (int k = 1; k <= 4; k++) no_port(k);
    }
    // Gives COM<k> a fresh pseudo-terminal and returns it.
    PtyPair& port(int k)
    {
        ptys_[k - 1] = std::make_unique<PtyPair>();
        setenv(("KV_COM" + std::to_string(k)).c_str(), ptys_[k - 1]->path().c_str(), 1);
        return *ptys_[k - 1];
    }
    void no_port(int k)
    {
        setenv(("KV_COM" + std::to_string(k)).c_str(), ("/nonexistent/motion-com" + std::to_string(k)).c_str(), 1);
    }
    std::unique_ptr<PtyPair> ptys_[4];
};
