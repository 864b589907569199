// serout.h -- serial output on port 1: NMEA sentences for moving maps and GPS receivers, packets of
// little-endian floats for instruments and data loggers, and the motion base through the Tiltrix
// library.
//
// Modes (set.serout): 0 none; 1 NMEA, RMC and GGA in turn, 4800 baud; 2 instrument packet (9
// floats); 3 motion base; 4 position packet (10 floats); 5 dynamics packet (11 floats); packets at
// 38400 baud. A packet is its data floats, the first always -999.0, then their float sum added in
// order; 4n + 4 bytes.
#pragma once
#include <cstdint>

// Closes what old_mode set up and sets up new_mode: the port at the mode's speed with hardware
// flow control, or the motion base. A port that fails raises a notice and the mode sends nothing.
void serial_mode_change(int old_mode, int new_mode);
// Sends one NMEA sentence: RMC when rmc is 1, else GGA. Both carry the simulated Greenwich time
// (msc.zulu_time) as hhmmss.ss; RMC also the date as ddmmyy.
void send_nmea(int rmc);
// Sends the mode's packet, or moves the motion base (mode 3).
void send_serial_data(int mode);
// Sends the packet whose n data floats are filled: adds the checksum and queues 4n + 4 bytes.
void serial_out(int n);
// Closes whatever serial output is set up (program exit, a driver reset).
void close_serial_output(void);

// The last NMEA sentence built, with its line end.
const char* nmea_sentence(void);
// The sentences' date, days since 1 January 1970: set (a new flight, tests), and as it stands. Until
// set, the first sentence takes the computer's date; it then follows msc.zulu_time over midnight.
void nmea_set_day(int32_t day);
int32_t nmea_day(void);
