// plt_serial.h -- serial ports: numbered ports mapped to terminal devices, raw 8-bit I/O with
// bounded waits, speed, flow control and modem lines.
//
// A port is a POSIX terminal device opened raw (8 data bits, no parity, one stop bit, no character
// translation), non-blocking and exclusive: a second open of the same device, from this or another
// process, fails with PLT_SERIAL_BUSY. Reads and writes never block beyond the wait they are given.
#pragma once

// Failure results; a successful open returns a handle >= 0.
enum {
    PLT_SERIAL_NO_PORT = -1,    // no such device, or a handle that is not open
    PLT_SERIAL_BUSY = -2,       // the device is already open
    PLT_SERIAL_NO_MEMORY = -4,  // the system could not allocate what the port needs
    PLT_SERIAL_HARDWARE = -10,  // the device exists but is not a working terminal
    PLT_SERIAL_BAD_BAUD = -12,  // a speed the terminal layer does not offer
};

// The device of numbered port n (1 is the first): the environment variable KV_COM<n> when set,
// else /dev/ttyS<n-1>. 0 when n is outside 1..99 or the path does not fit.
int PLT_serial_port_path(int port, char* out, int size);

// Opens an existing device raw and exclusive, at 9600 baud with no flow control; the handle or a
// failure result.
int PLT_serial_open(const char* path);
// Speed in bits per second (one of the standard rates 300..115200): 0, or a failure result.
int PLT_serial_set_baud(int handle, int baud);
// The speed the terminal reports, or a failure result.
int PLT_serial_get_baud(int handle);
// Hardware (RTS/CTS) flow control on or off: 0, or a failure result.
int PLT_serial_set_flow(int handle, int hardware);
// 1 when hardware flow control is on, 0 when off, or a failure result.
int PLT_serial_get_flow(int handle);
// Lowers DTR and RTS. Devices without modem lines (pseudo-terminals) ignore this; 0 either way
// for an open handle.
int PLT_serial_drop_modem_lines(int handle);

// Writes up to n bytes, waiting at most wait_ms for room; the number of bytes written (0..n), or
// a failure result for a handle that is not open.
int PLT_serial_write(int handle, const void* data, int n, int wait_ms);
// Reads up to n bytes, waiting until all have come or wait_ms has passed since the call; the
// number of bytes read (0 when nothing came in time), or a failure result.
int PLT_serial_read(int handle, void* data, int n, int wait_ms);
// Closes the port; a handle that is not open is ignored.
void PLT_serial_close(int handle);
