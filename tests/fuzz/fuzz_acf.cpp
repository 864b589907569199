// fuzz_acf.cpp -- the aircraft-file reader on any bytes: it either refuses the file and leaves the
// aircraft as it was, or loads a record whose texts are terminated and which writes and reads back
// unchanged.
#include "fuzz_support.h"

#include "hl_plane.h"

#include <cstring>

static bool texts_terminated(const planestruct& r)
{
    const char* b = reinterpret_cast<const char*>(&r);
    for (const pln_field& f : pln_fields) {
        if (f.kind != PLN_TEXT) continue;
        for (int32_t end = PLN_TEXT_LEN; end <= f.bytes; end += PLN_TEXT_LEN)
            if (b[f.offset + end - 1] != 0) return false;
    }
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static planestruct before;
    static bool once = [] {
        std::memset(&before, 0x5A, sizeof before);
        return true;
    }();
    (void)once;

    fuzz_begin();
    std::string path = fuzz_file("in.acf", data, size);
    pln[0] = before;
    int loaded = 0;
    try {
        loaded = read_plane(0, path.c_str());
    } catch (const FuzzFatal&) {
        loaded = 0;  // a wrong or unreadable version ends the program
    }
    if (!loaded) {
        FUZZ_CHECK(std::memcmp(&pln[0], &before, sizeof before) == 0);
        return 0;
    }
    FUZZ_CHECK(size >= 5 + sizeof(planestruct));
    FUZZ_CHECK(texts_terminated(pln[0]));

    std::string again = fuzz_path("again.acf");
    FUZZ_CHECK(write_plane(0, again.c_str()) == 1);
    pln[1] = pln[0];
    FUZZ_CHECK(read_plane(0, again.c_str()) == 1);
    FUZZ_CHECK(std::memcmp(&pln[0], &pln[1], sizeof(planestruct)) == 0);
    FUZZ_CHECK(fuzz_alerts() == 0);
    return 0;
}
