// fuzz_prefs.cpp -- the preference and situation file reader on any bytes: it ends with one of its
// results, names a line of the file when a value line fails, reads the whole file only when all
// 163 value lines are there, and leaves both names terminated within their fields.
#include "fuzz_support.h"

#include "hl_prefs.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PrefsRec r;
    fuzz_begin();
    std::memset(&r, 0x5A, sizeof r);
    const std::string path = fuzz_file("in.prf", data, size);
    const PrefsReadOutcome o = prefs_read_file(path.c_str(), &r);
    FUZZ_CHECK(fuzz_alerts() == 0);   // the reader leaves the alert to its caller

    // Lines end at LF, CR or CRLF: at least the header and every value line must be there.
    size_t ends = 0;
    for (size_t i = 0; i < size; i++)
        if (data[i] == '\n' || (data[i] == '\r' && !(i + 1 < size && data[i + 1] == '\n'))) ends++;
    switch (o.result) {
    case PREFS_READ_OK:
        FUZZ_CHECK(ends + 1 >= 2 + PREFS_LINES);
        FUZZ_CHECK(std::memchr(r.c_file, 0, sizeof r.c_file) && std::memchr(r.c_path, 0, sizeof r.c_path));
        FUZZ_CHECK(r.backwards == 0 || r.backwards == 1);
        for (int i = 0; i < PREFS_NUM_ITEMS; i++)
            FUZZ_CHECK(r.dsk[i] >= 0 && r.dsk[i] <= 1 && r.rlt[i] >= 0 && r.rlt[i] <= 1 && r.grf[i] >= 0 &&
                       r.grf[i] <= 1);
        break;
    case PREFS_READ_LINE:
        FUZZ_CHECK(o.line >= 3 && o.line <= 2 + PREFS_LINES);
        FUZZ_CHECK(o.what && *o.what);
        break;
    case PREFS_READ_HEADER:
        FUZZ_CHECK(o.line == 1 || o.line == 2);
        break;
    case PREFS_READ_VERSION:
    case PREFS_READ_DISABLED:
        FUZZ_CHECK(o.line == 2);
        break;
    default:
        FUZZ_CHECK(false);   // the file was there to open
    }
    return 0;
}
