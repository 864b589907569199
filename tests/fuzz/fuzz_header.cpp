// fuzz_header.cpp -- the versioned header and every scanner on any bytes, opened as a text file
// and as a binary one, until a value cannot be read: no read past a buffer, every word and line
// terminated inside its buffer, and a buffer of one byte or none never written past.
#include "fuzz_support.h"

#include "hl_file.h"

#include <cstring>

// Runs the scanners in turn until the input fails or enough values were read.
static void scan_all(void)
{
    char w5[5], w8[8], s40[40], guard[4];
    for (int i = 0; i < 400; i++) {
        switch (i % 10) {
        case 0: intscan("int"); break;
        case 1: fltscan("float"); break;
        case 2: bolscan("flag"); break;
        case 3:
            wrdscan(w5, "fixed word", sizeof w5, 1);
            FUZZ_CHECK(std::memchr(w5, 0, sizeof w5) != nullptr);
            break;
        case 4:
            wrdscan(w8, "word", sizeof w8, 0);
            FUZZ_CHECK(std::memchr(w8, 0, sizeof w8) != nullptr);
            break;
        case 5:
            strscan(s40, "line", sizeof s40);
            FUZZ_CHECK(std::memchr(s40, 0, sizeof s40) != nullptr);
            break;
        case 6: rln("skip"); break;
        case 7:
            std::memset(guard, '#', sizeof guard);
            wrdscan(guard + 1, "tiny word", 1, (i / 10) & 1);
            FUZZ_CHECK(guard[0] == '#' && guard[1] == 0 && guard[2] == '#' && guard[3] == '#');
            break;
        case 8:
            std::memset(guard, '#', sizeof guard);
            wrdscan(guard + 1, "empty word", 0, 1);
            strscan(guard + 1, "empty line", 0);
            FUZZ_CHECK(guard[0] == '#' && guard[1] == '#' && guard[2] == '#' && guard[3] == '#');
            break;
        default:
            strscan(s40, "short line", 2);
            FUZZ_CHECK(s40[0] == 0 || s40[1] == 0);
            break;
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_begin();
    std::string path = fuzz_file("in.dat", data, size);
    const int types[] = {207, FILE_TYPE_SQUARE};
    const int versions[] = {500, 46};
    for (int k = 0; k < 2; k++) {
        inf_use = 1;
        try {
            if (!inf_open(path.c_str(), types[k], versions[k], 1)) continue;
            FUZZ_CHECK(inf_is_bin == (k == 1));
            scan_all();
        } catch (const FuzzFatal&) {
            // A value that could not be read: the program would end here.
        }
    }
    inf1.close();
    inf1.clear();
    return 0;
}
