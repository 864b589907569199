// kvpty.cpp -- pseudo-terminal pairs and forked children for the serial and motion-base tests.
#include "kvpty.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

// Waits for a forked child as run_child does.
static int run_child_wait(int pid, int seconds);

namespace {

long long now_ms(void)
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

PtyPair::PtyPair()
{
    int m = -1, s = -1;
    char name[256];
    if (openpty(&m, &s, name, nullptr, nullptr) != 0) return;
    // Raw on the test's side too, so nothing is echoed or translated before the code under test
    // sets the port up.
    termios t;
    if (tcgetattr(s, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(s, TCSANOW, &t);
    }
    fcntl(m, F_SETFL, fcntl(m, F_GETFL) | O_NONBLOCK);
    master_ = m;
    slave_ = s;
    path_ = name;
}

PtyPair::~PtyPair()
{
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
}

std::string PtyPair::read_for(int ms, int quiet_ms)
{
    std::string out;
    const long long end = now_ms() + ms;
    for (;;) {
        const long long left = end - now_ms();
        if (left <= 0) break;
        pollfd pf = {master_, POLLIN, 0};
        const int wait = (int)(out.empty() ? left : std::min<long long>(left, quiet_ms));
        if (poll(&pf, 1, wait) <= 0) {
            if (!out.empty()) break;
            continue;
        }
        char buf[512];
        const ssize_t r = read(master_, buf, sizeof buf);
        if (r > 0) out.append(buf, (size_t)r);
        else if (r < 0 && errno != EAGAIN && errno != EINTR) break;
    }
    return out;
}

std::string PtyPair::read_exact(size_t n, int ms)
{
    std::string out;
    const long long end = now_ms() + ms;
    while (out.size() < n) {
        const long long left = end - now_ms();
        if (left <= 0) break;
        pollfd pf = {master_, POLLIN, 0};
        if (poll(&pf, 1, (int)left) <= 0) continue;
        char buf[512];
        const size_t want = std::min(sizeof buf, n - out.size());
        const ssize_t r = read(master_, buf, want);
        if (r > 0) out.append(buf, (size_t)r);
        else if (r < 0 && errno != EAGAIN && errno != EINTR) break;
    }
    return out;
}

void PtyPair::write(const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t w = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (w > 0) done += (size_t)w;
        else if (w < 0 && errno != EAGAIN && errno != EINTR) break;
    }
}

void PtyPair::drain(void)
{
    char buf[512];
    while (read(master_, buf, sizeof buf) > 0) {}
}

int start_child(int (*body)(void*), void* arg)
{
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int status = body(arg);
        std::fflush(nullptr);
        _exit(status);
    }
    return pid < 0 ? -1 : (int)pid;
}

int end_child(int pid, int signal, int seconds)
{
    if (pid <= 0) return -1;
    kill(pid, signal);
    return run_child_wait(pid, seconds);
}

int run_child(int (*body)(void*), void* arg, int seconds)
{
    const int pid = start_child(body, arg);
    if (pid < 0) return -1;
    return run_child_wait(pid, seconds);
}

static int run_child_wait(int pid, int seconds)
{
    int status = 0;
    for (int waited = 0; waited < 100 * seconds; waited++) {
        if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}
