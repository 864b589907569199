// plt_signal.cpp -- ending on SIGTERM or SIGINT through the program's own quit path, and the
// system message box that such a signal can close.
#include "plt.h"

#include <SDL.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t g_signal = 0;

void on_quit_signal(int sig)
{
    if (g_signal) {
        // Asked twice: the first request has not been acted on, so the process ends now.
        std::signal(sig, SIG_DFL);
        std::raise(sig);
        return;
    }
    g_signal = sig;
}

bool headless(void)
{
    const char* drv = std::getenv("SDL_VIDEODRIVER");
    return drv && (std::strcmp(drv, "offscreen") == 0 || std::strcmp(drv, "dummy") == 0);
}

void sleep_ms(long ms)
{
    timespec ts{ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&ts, nullptr);   // a signal cuts it short, which is what the callers want
}

}  // namespace

void PLT_catch_quit_signals(void)
{
    struct sigaction sa {};
    sa.sa_handler = on_quit_signal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

int PLT_quit_signal(void) { return g_signal; }

void PLT_clear_quit_signal(void) { g_signal = 0; }

void PLT_message_box(const char* title, const char* text)
{
    if (headless() || g_signal) {
        std::fprintf(stderr, "%s\n%s\n", title, text);
        return;
    }
    // The box runs its own modal loop, deaf to everything else; shown from a child process, this
    // process keeps watching for a quit signal and takes the box away when one comes.
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title, text, nullptr) != 0)
            std::fprintf(stderr, "%s\n%s\n", title, text);
        return;
    }
    if (child == 0) _exit(SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title, text, nullptr) == 0 ? 0 : 1);
    int status = 0;
    for (;;) {
        const pid_t r = waitpid(child, &status, WNOHANG);
        if (r == child) break;
        if (r < 0 && errno != EINTR) {
            status = 1;
            break;
        }
        if (g_signal) {
            kill(child, SIGKILL);
            while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            status = 1;
            break;
        }
        sleep_ms(50);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::fprintf(stderr, "%s\n%s\n", title, text);
}
