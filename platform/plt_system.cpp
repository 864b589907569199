// plt_system.cpp -- clock, program and configuration folders, single-instance lock.
#include "plt.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

uint32_t (*g_clock)(void) = nullptr;
const auto g_start = std::chrono::steady_clock::now();

int copy_out(char* out, int size, const std::string& s)
{
    if (size <= 0 || static_cast<int>(s.size()) >= size) return 0;
    std::memcpy(out, s.c_str(), s.size() + 1);
    return 1;
}

void make_dirs(const std::string& path)
{
    for (size_t i = 1; i <= path.size(); i++) {
        if (i == path.size() || path[i] == '/') mkdir(path.substr(0, i).c_str(), 0755);
    }
}

}  // namespace

uint32_t PLT_millis(void)
{
    if (g_clock) return g_clock();
    auto d = std::chrono::steady_clock::now() - g_start;
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count());
}

void PLT_set_clock(uint32_t (*clock_fn)(void)) { g_clock = clock_fn; }

int32_t PLT_utc_day(void)
{
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    return static_cast<int32_t>(today.time_since_epoch().count());
}

void PLT_beep(void)
{
    std::fputc('\a', stderr);
}

int PLT_program_folder(char* out, int size)
{
    if (const char* over = std::getenv("KV_PROGRAM_DIR")) {
        std::string s = over;
        if (s.empty() || s.back() != '/') s += '/';
        return copy_out(out, size, s);
    }
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return copy_out(out, size, "./");
    buf[n] = 0;
    std::string s = buf;
    s.erase(s.rfind('/') + 1);
    return copy_out(out, size, s);
}

int PLT_config_folder(char* out, int size)
{
    std::string s;
    if (const char* over = std::getenv("KV_CONFIG_DIR")) {
        s = over;
    } else if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
        s = std::string(xdg) + "/kestrova";
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        s = std::string(home) + "/.config/kestrova";
    } else {
        s = "/tmp/kestrova-config";
    }
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    make_dirs(s);
    return copy_out(out, size, s);
}

int PLT_folder_writable(const char* folder)
{
    if (!folder || !folder[0]) return 0;
    std::string probe = std::string(folder) + "/.write-probe-XXXXXX";
    int fd = mkstemp(probe.data());
    if (fd < 0) return 0;
    close(fd);
    unlink(probe.c_str());
    return 1;
}

int PLT_single_instance(const char* program)
{
    char dir[1024];
    if (!PLT_config_folder(dir, sizeof dir)) return 1;
    std::string path = std::string(dir) + "/" + program + ".lock";
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return 1;  // cannot tell: let it run
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return errno == EWOULDBLOCK ? 0 : 1;
    }
    return 1;  // the descriptor stays open, holding the lock until the process ends
}
