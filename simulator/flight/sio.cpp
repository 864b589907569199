// sio.cpp -- the serial library on the platform's serial ports: port k is COM<k>.
#include "sio.h"

#include "plt_serial.h"

namespace {

constexpr int PORTS = 4;
constexpr int MAX_QUEUE = 65536;
int handles[PORTS] = {-1, -1, -1, -1};

int valid(int port) { return port >= 1 && port <= PORTS; }

}  // namespace

int SioReset(int port, int rx_queue, int tx_queue)
{
    if (!valid(port)) return SIO_NO_PORT;
    if (handles[port - 1] >= 0) return SIO_ALREADY_OPEN;
    // The terminal layer keeps its own queues; sizes it could not honour are refused as memory.
    if (rx_queue < 1 || rx_queue > MAX_QUEUE || tx_queue < 1 || tx_queue > MAX_QUEUE) return SIO_NO_MEMORY;
    char path[256];
    if (!PLT_serial_port_path(port, path, sizeof path)) return SIO_NO_PORT;
    const int h = PLT_serial_open(path);
    switch (h) {
    case PLT_SERIAL_NO_PORT: return SIO_NO_PORT;
    case PLT_SERIAL_BUSY: return SIO_ALREADY_OPEN;
    case PLT_SERIAL_NO_MEMORY: return SIO_NO_MEMORY;
    default:
        if (h < 0) return SIO_HARDWARE;
    }
    handles[port - 1] = h;
    return 0;
}

int SioBaud(int port, int baud)
{
    if (!valid(port) || handles[port - 1] < 0) return SIO_NO_PORT;
    const int r = PLT_serial_set_baud(handles[port - 1], baud);
    if (r == PLT_SERIAL_BAD_BAUD) return SIO_BAD_BAUD;
    return r == 0 ? 0 : SIO_NO_PORT;
}

int SioFlow(int port, int kind)
{
    if (!valid(port) || handles[port - 1] < 0) return SIO_NO_PORT;
    return PLT_serial_set_flow(handles[port - 1], kind == 'H') == 0 ? 0 : SIO_NO_PORT;
}

int SioPuts(int port, const void* buf, int len)
{
    if (!valid(port) || handles[port - 1] < 0 || len <= 0) return 0;
    const int n = PLT_serial_write(handles[port - 1], buf, len, 0);
    return n > 0 ? n : 0;
}

int SioDone(int port)
{
    if (!valid(port) || handles[port - 1] < 0) return SIO_NO_PORT;
    PLT_serial_close(handles[port - 1]);
    handles[port - 1] = -1;
    return 0;
}

int SioIsOpen(int port) { return valid(port) && handles[port - 1] >= 0; }
