// fltframe.h -- the flight frame driver: one call advances the simulated world by the frame period.
#pragma once

// One frame: controls, the air and engines, the other aircraft, serial output, the event cadence,
// counters, frame-period adaptation, clocks, the dump block, two half-period sub-steps of force
// build-up and integration, and the crash test. After a crash the frames hold for four seconds of
// the runtime clock, then the aircraft goes back to its start.
void update_flight(void);

// The stages update_flight runs, in its order. The flight model's test harness runs the ones that
// belong to the flight model itself (flight_presteps of fltprep, count_frame, frame_clocks and
// flight_substeps) so both fly the very same frame.
void move_other_aircraft(void);   // the eleven other aircraft, the tow plane and the mothership
void serial_frame(void);          // serial mode changes, NMEA sentences, data packets, motion base
void event_cadence(void);         // mod_evt about ten times a second, mod_sec on every tenth
void count_frame(void);           // msc.cntr, 1..30000
void adapt_frame_period(void);    // msc.prd follows the measured frame rate every tenth frame
void frame_clocks(void);          // path bank, clocks, and the dump block when asked for
int crash_test(void);             // 1 when the aircraft has just crashed (the hold then begins)

// The frame-period limits: never longer than PRD_LONGEST, and a period that is not a positive
// number (a damaged setting) becomes PRD_DEFAULT before it can stop or divide the frame.
constexpr float PRD_LONGEST = 0.11f;   // s
constexpr float PRD_SHORTEST = 0.001f; // s
constexpr float PRD_DEFAULT = 0.05f;   // s
// msc.prd within those limits.
void keep_frame_period(void);

// The crash hold: the frames stand still for CRASH_HOLD_MS of the runtime clock after a crash.
constexpr unsigned CRASH_HOLD_MS = 4000;
int crash_holding(void);

// Forgets what the driver remembers between frames (the aircraft seen last frame, the serial mode
// set up, the event spacing, the frame-rate measurement, a crash hold).
void reset_flight_driver(void);

// What the driver has done since the last reset (the event cadence and crash tests read these).
struct flight_driver_counts {
    int mod_evt;      // calls of mod_evt
    int mod_sec;      // calls of mod_sec
    int crashes;      // crashes detected
    int resets;       // crash resets through set_fltvars
    int serial_changes;   // serial mode changes handed to the serial output
    int nmea;         // NMEA sentences asked for
    int packets;      // data packets or motion-base moves asked for
};
flight_driver_counts flight_driver_stats(void);
