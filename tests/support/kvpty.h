// kvpty.h -- pseudo-terminal pairs standing in for serial devices: the code under test opens the
// slave by its path (through KV_COM<n>), the test reads and writes the master end.
#pragma once
#include <string>

class PtyPair {
public:
    // Opens a pair; ok() says whether it worked. The test keeps its own slave descriptor open, so
    // the master stays readable while the code under test closes and reopens the port.
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return master_ >= 0; }
    const std::string& path() const { return path_; }
    int master() const { return master_; }
    // The test's own descriptor of the device (its settings are the ones the code under test set).
    int slave() const { return slave_; }

    // Every byte that arrives within ms milliseconds (reading until the line has been quiet for
    // quiet_ms, or ms has passed).
    std::string read_for(int ms, int quiet_ms = 50);
    // Exactly n bytes, or fewer when ms passes first.
    std::string read_exact(size_t n, int ms);
    // Bytes the device answers with.
    void write(const std::string& bytes);
    // Throws away whatever is waiting.
    void drain(void);

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

// Runs body in a forked child and waits for it (at most seconds); the child's exit status, or -1
// when it crashed, was killed or ran out of time. The body ends the child with its own status
// through _exit.
int run_child(int (*body)(void*), void* arg, int seconds);

// Starts body in a forked child that goes on beside the test; its process id, or -1. The body ends
// the child with its own status through _exit.
int start_child(int (*body)(void*), void* arg);
// Sends the signal to a child start_child made and waits for it (at most seconds, then SIGKILL);
// its exit status, or -1 when a signal ended it.
int end_child(int pid, int signal, int seconds);
