// fuzz_resprefs.cpp -- the resolution preference file on any bytes: either it is refused and the
// three values are left as they were, or they are a size a display can show and a colour depth.
#include "fuzz_support.h"

#include "hl_mnw.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_begin();
    const std::string path = fuzz_file("res.prf", data, size);
    float h = -1, y = -1, c = -1;
    if (hl_read_res_prefs(path.c_str(), &h, &y, &c)) {
        FUZZ_CHECK(h >= 320 && h <= 16384 && y >= 200 && y <= 16384);
        FUZZ_CHECK(c == 16 || c == 24 || c == 32);
    } else {
        FUZZ_CHECK(h == -1 && y == -1 && c == -1);
    }
    FUZZ_CHECK(fuzz_alerts() == 0);
    return 0;
}
