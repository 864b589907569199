// tiltrix_file.h -- reading the motion file played back by the worker: one line per tick, the tick
// counter, then axis 1 and axis 2 of each platform, every number followed by a tab.
#pragma once
#include <cstdint>
#include <cstdio>

// Reads the next line's counter and the values of up to n platforms (1..4) from f. Returns -1 at
// the end of the file or when no counter can be read there, else the number of platforms whose two
// values were read (fewer than n when the line is damaged or the file ends). Values are read in
// order across line ends, so a file recorded with fewer platforms feeds the next line's numbers to
// the extra ones. Each value kept is the low byte of the number read.
int tlx_read_motion_line(FILE* f, int n, int* counter, uint8_t axes[][2]);
