// fltdump.h -- writing the load-time report and the one-cycle dump to the dump stream trk.
#pragma once

// printf-style text onto trk (at most 1000 characters a call).
void trk_printf(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
// A separator line: 100 bytes 0xA5 and a line end.
void trk_separator(void);
// A heading line: three bytes 0xA5, the title, bytes 0xA5 up to 100 characters, a line end.
void trk_heading(const char* title);
// count bytes 0xA5 with no line end.
void trk_marks(int count);
