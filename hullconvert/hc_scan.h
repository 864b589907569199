// hc_scan.h -- the scanners of the earlier aircraft text layout: values that end their line (a
// comment may follow them) and values that share a line with others.
#pragma once

namespace hc {

// One value from the input, then the rest of its line is skipped.
int intscan(const char* label);
float fltscan(const char* label);
// One value from the input; the rest of the line stays for the next value.
int intscanNOSN(const char* label);
float fltscanNOSN(const char* label);
int bolscanNOSN(const char* label);   // 1 exactly when the integer read is 1
// The rest of the line as a 400-character name, without leading blanks.
char* strscan(char* buf, const char* label);

}  // namespace hc
