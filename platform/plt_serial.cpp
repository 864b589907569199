// plt_serial.cpp -- serial ports on POSIX terminal devices.
#include "plt_serial.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct baud_entry {
    int bps;
    speed_t code;
};

const baud_entry BAUDS[] = {
    {300, B300},     {600, B600},     {1200, B1200},   {1800, B1800},
    {2400, B2400},   {4800, B4800},   {9600, B9600},   {19200, B19200},
    {38400, B38400}, {57600, B57600}, {115200, B115200},
};

long long now_ms(void)
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000 + ts.tv_nsec / 1000000;
}

// The failure result for an errno left by open().
int open_failure(int e)
{
    switch (e) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case ENOTDIR:
    case EACCES:
    case EPERM:
    case ENAMETOOLONG:
        return PLT_SERIAL_NO_PORT;
    case EBUSY:
        return PLT_SERIAL_BUSY;
    case ENOMEM:
    case ENFILE:
    case EMFILE:
        return PLT_SERIAL_NO_MEMORY;
    default:
        return PLT_SERIAL_HARDWARE;
    }
}

// The handle's terminal settings; 0 when the handle is not an open terminal.
int get_attr(int handle, termios* t)
{
    if (handle < 0) return 0;
    return tcgetattr(handle, t) == 0;
}

}  // namespace

int PLT_serial_port_path(int port, char* out, int size)
{
    if (port < 1 || port > 99 || size <= 0) return 0;
    char name[16];
    std::snprintf(name, sizeof name, "KV_COM%d", port);
    const char* env = std::getenv(name);
    int n = env && *env ? std::snprintf(out, size, "%s", env) : std::snprintf(out, size, "/dev/ttyS%d", port - 1);
    if (n < 0 || n >= size) {
        out[0] = 0;
        return 0;
    }
    return 1;
}

int PLT_serial_open(const char* path)
{
    if (!path || !*path) return PLT_SERIAL_NO_PORT;
    int fd = open(path, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return open_failure(errno);
    if (!isatty(fd)) {
        close(fd);
        return PLT_SERIAL_HARDWARE;
    }
    // The advisory lock keeps the port to one user even where exclusive mode does not bind
    // (the super-user may open an exclusive terminal again).
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        close(fd);
        return e == EWOULDBLOCK ? PLT_SERIAL_BUSY : PLT_SERIAL_HARDWARE;
    }
    ioctl(fd, TIOCEXCL);

    termios t;
    if (tcgetattr(fd, &t) != 0) {
        PLT_serial_close(fd);
        return PLT_SERIAL_HARDWARE;
    }
    cfmakeraw(&t);
    t.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    if (tcsetattr(fd, TCSANOW, &t) != 0) {
        PLT_serial_close(fd);
        return PLT_SERIAL_HARDWARE;
    }
    return fd;
}

int PLT_serial_set_baud(int handle, int baud)
{
    termios t;
    if (!get_attr(handle, &t)) return PLT_SERIAL_NO_PORT;
    for (const baud_entry& b : BAUDS) {
        if (b.bps != baud) continue;
        cfsetispeed(&t, b.code);
        cfsetospeed(&t, b.code);
        return tcsetattr(handle, TCSANOW, &t) == 0 ? 0 : PLT_SERIAL_HARDWARE;
    }
    return PLT_SERIAL_BAD_BAUD;
}

int PLT_serial_get_baud(int handle)
{
    termios t;
    if (!get_attr(handle, &t)) return PLT_SERIAL_NO_PORT;
    const speed_t code = cfgetospeed(&t);
    for (const baud_entry& b : BAUDS)
        if (b.code == code) return b.bps;
    return PLT_SERIAL_BAD_BAUD;
}

int PLT_serial_set_flow(int handle, int hardware)
{
    termios t;
    if (!get_attr(handle, &t)) return PLT_SERIAL_NO_PORT;
    if (hardware) t.c_cflag |= CRTSCTS;
    else t.c_cflag &= ~CRTSCTS;
    return tcsetattr(handle, TCSANOW, &t) == 0 ? 0 : PLT_SERIAL_HARDWARE;
}

int PLT_serial_get_flow(int handle)
{
    termios t;
    if (!get_attr(handle, &t)) return PLT_SERIAL_NO_PORT;
    return (t.c_cflag & CRTSCTS) ? 1 : 0;
}

int PLT_serial_drop_modem_lines(int handle)
{
    termios t;
    if (!get_attr(handle, &t)) return PLT_SERIAL_NO_PORT;
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(handle, TIOCMBIC, &lines);   // fails on pseudo-terminals, which have no modem lines
    return 0;
}

int PLT_serial_write(int handle, const void* data, int n, int wait_ms)
{
    termios t;
    if (!get_attr(handle, &t)) return PLT_SERIAL_NO_PORT;
    const unsigned char* p = static_cast<const unsigned char*>(data);
    const long long deadline = now_ms() + (wait_ms > 0 ? wait_ms : 0);
    int done = 0;
    while (done < n) {
        ssize_t w = write(handle, p + done, (size_t)(n - done));
        if (w > 0) {
            done += (int)w;
            continue;
        }
        if (w < 0 && errno == EINTR) continue;
        if (w < 0 && errno != EAGAIN) break;
        const long long left = deadline - now_ms();
        if (left <= 0) break;
        pollfd pf = {handle, POLLOUT, 0};
        if (poll(&pf, 1, (int)left) <= 0) break;
        if (pf.revents & (POLLERR | POLLHUP | POLLNVAL)) break;
    }
    return done;
}

int PLT_serial_read(int handle, void* data, int n, int wait_ms)
{
    termios t;
    if (!get_attr(handle, &t)) return PLT_SERIAL_NO_PORT;
    unsigned char* p = static_cast<unsigned char*>(data);
    const long long deadline = now_ms() + (wait_ms > 0 ? wait_ms : 0);
    int got = 0;
    while (got < n) {
        ssize_t r = read(handle, p + got, (size_t)(n - got));
        if (r > 0) {
            got += (int)r;
            continue;
        }
        if (r < 0 && errno == EINTR) continue;
        if (r < 0 && errno != EAGAIN) break;
        // A raw terminal's empty read returns 0 or EAGAIN alike: wait for more until the deadline.
        const long long left = deadline - now_ms();
        if (left <= 0) break;
        pollfd pf = {handle, POLLIN, 0};
        if (poll(&pf, 1, (int)left) <= 0) break;
        if (!(pf.revents & POLLIN)) break;   // hung up or failed with nothing to read
    }
    return got;
}

void PLT_serial_close(int handle)
{
    if (handle < 0 || fcntl(handle, F_GETFD) < 0 || !isatty(handle)) return;
    ioctl(handle, TIOCNXCL);
    close(handle);
}
