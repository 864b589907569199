// tiltrix.h -- the Tiltrix motion-base library: drives one to four motion platforms (Quillo: two
// axes, commands only; Velto: three axes with acknowledgement, status and position read back),
// each on its own serial port, for every process that loads it.
//
// The platforms' state lives in a shared block that every process using the library sees; the
// process that connects the platforms owns their ports and a worker thread that sends the
// commanded positions ten times a second. Axis values are bytes, 128 the centre. Platform records
// are numbered 0..n-1. Ports: COM<k> is the device of environment variable KV_COM<k>, else
// /dev/ttyS<k-1>; the block's name is KV_TILTRIX_BLOCK when set, else "/Tiltrix_Shared_Mem".
#pragma once

#define TILTRIX_API __attribute__((visibility("default")))

// Initialisation results.
enum {
    TILTRIX_OK = 0,
    TILTRIX_BAD_COUNT = 2,   // the platform count is outside 1..4
    TILTRIX_NO_PORT = 3,     // a serial port could not be opened (the others are used)
    TILTRIX_NO_BLOCK = 4,    // the shared block could not be mapped or the worker not started
};

// Status word bits (TiltrixGetStatus); bits 0-7 hold the last status byte a Velto sent.
enum {
    TILTRIX_ACK = 0x100,        // the last command was acknowledged
    TILTRIX_STOPPED = 0x200,    // TiltrixStop holds the platform at the centre
    TILTRIX_PLAYING = 0x400,    // a motion file drives the platform
    TILTRIX_RECORDING = 0x1000, // the commanded positions go to a motion file
};

extern "C" {

// Connect n platforms of the model and mark their records attached; the Corvane variants leave
// the attached mark alone. One platform uses COM2, or COM1 when COM2 cannot be opened; several
// use COM1..COMn. A second process finding the platforms connected gets 0 and shares them.
TILTRIX_API int QuilloInit(int n);
TILTRIX_API int VeltoInit(int n);
TILTRIX_API int CorvaneQuilloInit(int n);
TILTRIX_API int CorvaneVeltoInit(int n);
// Stops this process's worker, closes its ports, clears running and attached and unmaps the
// block: 1 when the block was unmapped, 0 when nothing was mapped.
TILTRIX_API int TiltrixExit(void);

// Amplitude in percent (0..200) for every platform: n, or 1 for a value outside 0..200 (nothing
// changes). The force-feedback amplitude is only kept for other users of the block.
TILTRIX_API int TiltrixSetAmplitude(int percent);
TILTRIX_API int TiltrixSetFFAmplitude(int percent);

// Commands the three axes of every platform that is neither stopped nor playing back: each value
// (taken modulo 256) is scaled about 128 by the amplitude and limited to 0..255. Returns 1 on the
// first call after a connection (the worker starts sending then), else 0; 0 when not initialised.
TILTRIX_API int TiltrixMove(int a, int b, int c);
// Offsets (the low byte of each, signed) added to the three commanded axes; result as TiltrixMove.
TILTRIX_API int TiltrixMoveDelta(int da, int db, int dc);
// Centres every platform and holds it there: n. TiltrixStart releases them again: n.
TILTRIX_API int TiltrixStop(void);
TILTRIX_API int TiltrixStart(void);

// Platform 0: axis plus offset (modulo 256) for axes 1..3, then feedback 1 and 2 and the copy of
// axis 3 made at the last exchange. Null pointers are skipped. 0, or 1 when no block is mapped.
TILTRIX_API int TiltrixGetPos(unsigned char* a1, unsigned char* a2, unsigned char* a3, unsigned char* fb1,
                              unsigned char* fb2, unsigned char* a3copy);
// Platform 0's status word (0 when no block is mapped).
TILTRIX_API int TiltrixGetStatus(void);
// Copies the controller's version text (5 bytes with its end) or information text (33 bytes) into
// buf when given one; returns the size needed.
TILTRIX_API int TiltrixGetVersionString(char* buf);
TILTRIX_API int TiltrixGetInfoString(char* buf);

// Motion files: one text line per worker tick, "<tick>\t" then "<axis1>\t<axis2>\t" per platform.
// Playback replaces axes 1 and 2 from the file (looping back to its start with StartPlayLoop);
// recording writes the commanded axes. Start: 0, or 1 when the file cannot be opened. Stop: 1 when
// nothing was playing (recording), else the result of closing the file (0).
TILTRIX_API int TiltrixStartPlay(const char* file);
TILTRIX_API int TiltrixStartPlayLoop(const char* file);
TILTRIX_API int TiltrixStopPlay(void);
TILTRIX_API int TiltrixStartRec(const char* file);
TILTRIX_API int TiltrixStopRec(void);

}  // extern "C"
