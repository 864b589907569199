// fuzz_obj.cpp -- the custom object reader on any bytes, placed in slot 0 at a heading taken from
// the first byte, on level ground. A badly formed file ends the program (a fatal alert); one that reads makes the
// slot a custom object of 1 to 50 elements of 1 to 4 vertices at finite places, with colours of
// 0..99 per channel or one of the object textures. Either way the scanners are handed back to the
// first input as they were.
#include "fuzz_support.h"

#include "hl_file.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "obstacle.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = [] {
        std::snprintf(obj_path, sizeof obj_path, "%s", fuzz_path("").c_str());
        // Level ground 10 m high on a 100 m grid, x east with i and z south against j (j runs north).
        for (int i = 0; i < REGION_NI; i++)
            for (int j = 0; j < REGION_NJ; j++) {
                planexyz[i][j][0] = 100.0f * i;
                planexyz[i][j][1] = 10.0f;
                planexyz[i][j][2] = -100.0f * j;
            }
        return true;
    }();
    (void)ready;
    if (size < 1) return 0;
    fuzz_begin();
    fuzz_file("in.OBJ", data + 1, size - 1);
    current_tex_numb = 0;
    obj_type[0] = -5;
    inf_use = 1;
    inf_is_bin = 1;
    rev_inf_bin = 1;
    int fatal = 0;
    try {
        make_an_obs(250.0f, -350.0f, data[0] * 360.0f / 256.0f, "in", 8, 0);
    } catch (const FuzzFatal&) {
        fatal = 1;
    }
    FUZZ_CHECK(inf_use == 1 && inf_is_bin == 1 && rev_inf_bin == 1);
    if (fatal || obj_type[0] == -5) {
        FUZZ_CHECK(fuzz_alerts() > 0);
        return 0;
    }
    FUZZ_CHECK(fuzz_alerts() == 0);
    const int n = obj_type[0] - 100;
    FUZZ_CHECK(n >= 0 && n <= OBJ_ELEMENTS);
    for (int e = 0; e < n; e++) {
        const int count = obj_poltyp[0][e];
        FUZZ_CHECK(count >= 1 && count <= 4);
        const int t = obj_texrgb[0][e];
        if (count >= 3) FUZZ_CHECK(t >= TEX_OBJECT && t < TEX_OBJECT + current_tex_numb);
        else FUZZ_CHECK(t >= 0 && t / 10000 <= 99 && t / 100 % 100 <= 99 && t % 100 <= 99);
        for (int v = 0; v < 4; v++)
            for (int k = 0; k < 3; k++) FUZZ_CHECK(std::isfinite(obj_xyz[0][e][v][k]));
    }
    return 0;
}
