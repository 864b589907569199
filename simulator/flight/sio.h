// sio.h -- the serial library the simulator's output calls: numbered ports (1..4) opened with
// queues, a speed and flow control, strings queued for sending, ports closed.
#pragma once

// Failure results of SioReset and SioBaud.
enum {
    SIO_NO_PORT = -1,       // no such port (or, for SioBaud, a port that is not open)
    SIO_ALREADY_OPEN = -2,
    SIO_NO_MEMORY = -4,
    SIO_HARDWARE = -10,
    SIO_BAD_BAUD = -12,
};

// Opens port, 8N1 with no flow control, with receive and transmit queues of the given sizes in
// bytes (1..65536): 0, or a failure result.
int SioReset(int port, int rx_queue, int tx_queue);
// Speed in bits per second: 0, or SIO_NO_PORT or SIO_BAD_BAUD.
int SioBaud(int port, int baud);
// Flow control: 'H' (72) hardware RTS/CTS, anything else none. 0, or SIO_NO_PORT.
int SioFlow(int port, int kind);
// Queues up to len bytes for sending without waiting; the number queued (0 on a closed port).
int SioPuts(int port, const void* buf, int len);
// Closes the port; 0, or SIO_NO_PORT when it was not open.
int SioDone(int port);
// 1 when the port is open.
int SioIsOpen(int port);
