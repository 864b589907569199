// fuzz_support.h -- what the fuzz targets share: the input written out as a file, and an alert sink
// that counts alerts, answers the notices and throws FuzzFatal for a fatal one (which would end the
// program), so a target sees the reader stop where the program would.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

struct FuzzFatal {};

// Installs the sink (once) and forgets the alerts of the last input.
void fuzz_begin(void);
// Alerts raised since fuzz_begin.
int fuzz_alerts(void);
// A path in this process's scratch folder; with data, the file is (re)written to hold it.
std::string fuzz_path(const char* name);
std::string fuzz_file(const char* name, const uint8_t* data, size_t size);
// Reads a whole file back.
std::string fuzz_read(const std::string& path);

// Whether a text field of n bytes holds its terminating zero.
inline bool fuzz_terminated(const char* s, size_t n) { return std::memchr(s, 0, n) != nullptr; }
// The airport and runway tables as a loader left them: within their limits, every airport's runways
// inside the runway table, every identifier and name terminated.
void fuzz_check_airports(void);

// A broken property is a finding: stop here so libFuzzer keeps the input.
#define FUZZ_CHECK(cond)               \
    do {                               \
        if (!(cond)) __builtin_trap(); \
    } while (0)
