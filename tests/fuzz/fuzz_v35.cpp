// fuzz_v35.cpp -- Hullconvert's reader of the earlier text aircraft layout on any bytes, converting
// the file in place: a file that cannot be read ends the program at its alert and is left as it
// was; one that converts is replaced by a current aircraft file holding the record converted,
// with its texts terminated.
#include "fuzz_support.h"

#include "hl_plane.h"
#include "hullconvert.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static planestruct converted;
    fuzz_begin();
    const std::string path = fuzz_file("old.acf", data, size);
    int ok = 0;
    try {
        ok = convert_file(path.c_str());
    } catch (const FuzzFatal&) {
        ok = 0;
    }
    if (!ok) {
        FUZZ_CHECK(fuzz_alerts() > 0);
        FUZZ_CHECK(fuzz_read(path) == std::string(reinterpret_cast<const char*>(data), size));
        return 0;
    }
    FUZZ_CHECK(fuzz_alerts() == 0);
    converted = pln[0];
    FUZZ_CHECK(read_plane(0, path.c_str()) == 1);
    FUZZ_CHECK(std::memcmp(&pln[0], &converted, sizeof converted) == 0);
    for (const pln_field& f : pln_fields) {
        if (f.kind != PLN_TEXT) continue;
        const char* b = reinterpret_cast<const char*>(&pln[0]) + f.offset;
        for (int32_t end = PLN_TEXT_LEN; end <= f.bytes; end += PLN_TEXT_LEN) FUZZ_CHECK(b[end - 1] == 0);
    }
    return 0;
}
