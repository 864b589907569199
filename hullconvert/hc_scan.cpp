// hc_scan.cpp -- the scanners of the earlier aircraft text layout, on the library's own scanners.
#include "hc_scan.h"

#include "hl_file.h"
#include "hl_types.h"

namespace hc {

int intscan(const char* label)
{
    const int v = ::intscan(label);
    rln(label);
    return v;
}

float fltscan(const char* label)
{
    const float v = ::fltscan(label);
    rln(label);
    return v;
}

int intscanNOSN(const char* label) { return ::intscan(label); }
float fltscanNOSN(const char* label) { return ::fltscan(label); }
int bolscanNOSN(const char* label) { return ::bolscan(label); }
char* strscan(char* buf, const char* label) { return ::strscan(buf, label, STR_LEN); }

}  // namespace hc
