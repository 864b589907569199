// fuzz_afl.cpp -- the airfoil and flap readers on any bytes: a file either loads whole, with every
// value a finite number and no alert, or it raises its alert (fatal: the program would end there)
// and has changed nothing. Constants that read back are synthesised and written again, and that
// file must load.
#include "fuzz_support.h"

#include "hl_afl.h"
#include "hl_file.h"
#include "hl_types.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

static bool finite_all(const float* v, size_t n)
{
    for (size_t i = 0; i < n; i++)
        if (!std::isfinite(v[i])) return false;
    return true;
}

// The slot the airfoil reader writes, checked whole.
static bool slot_finite(const airfoilstruct& a, int part, int tip, int hire)
{
    const float one[] = {a.trat[part][tip], a.Re[part][tip][hire], a.al_zl[part][tip][hire],
                         a.clM[part][tip][hire], a.clB[part][tip][hire], a.cmal2[part][tip][hire],
                         a.cmal3[part][tip][hire], a.cm1[part][tip][hire], a.cm2[part][tip][hire],
                         a.cm3[part][tip][hire], a.cm4[part][tip][hire]};
    return finite_all(one, std::size(one)) && finite_all(a.clpos[part][tip][hire], AFL_CL_ROWS) &&
           finite_all(a.clneg[part][tip][hire], AFL_CL_ROWS) && finite_all(a.cdpos[part][tip][hire], AFL_CD_ROWS) &&
           finite_all(a.cdneg[part][tip][hire], AFL_CD_ROWS);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static std::unique_ptr<airfoilstruct> before = std::make_unique<airfoilstruct>();
    static std::unique_ptr<airfoilstruct> consts = std::make_unique<airfoilstruct>();
    static std::unique_ptr<foilcurvestruct> curves = std::make_unique<foilcurvestruct>();

    fuzz_begin();
    fuzz_file("in.part", data, size);
    const std::string dir = fuzz_path("");
    std::snprintf(afl_path, STR_LEN, "%s", dir.c_str());
    std::snprintf(flp_path, STR_LEN, "%s", dir.c_str());
    inf_use = 1;

    // The airfoil reader: all or nothing.
    const int part = size > 0 ? data[0] % AFL_PARTS : 0, tip = size > 1 ? data[1] & 1 : 0, hire = size > 2 ? (data[2] >> 1) & 1 : 0;
    *before = afl[0];
    float almax = -1.0f;
    int loaded = 0;
    try {
        loaded = grabafoil("in.part", part, tip, hire, &almax, 0, "fuzz");
    } catch (const FuzzFatal&) {
        loaded = -1;
    }
    if (loaded == 1) {
        FUZZ_CHECK(fuzz_alerts() == 0);
        FUZZ_CHECK(std::isfinite(almax));
        FUZZ_CHECK(slot_finite(afl[0], part, tip, hire));
    } else {
        FUZZ_CHECK(fuzz_alerts() > 0);
        FUZZ_CHECK(std::memcmp(before.get(), &afl[0], sizeof(airfoilstruct)) == 0);
    }

    // The flap reader: all or nothing.
    fuzz_begin();
    inf_use = 1;
    float cl[FLAP_ROWS], cd[FLAP_ROWS], cm[FLAP_ROWS];
    for (int h = 0; h < FLAP_ROWS; h++) cl[h] = cd[h] = cm[h] = 9.5f;
    try {
        loaded = grabflap("in.part", cl, cd, cm);
    } catch (const FuzzFatal&) {
        loaded = -1;
    }
    if (loaded == 1) {
        FUZZ_CHECK(fuzz_alerts() == 0);
        FUZZ_CHECK(finite_all(cl, FLAP_ROWS) && finite_all(cd, FLAP_ROWS) && finite_all(cm, FLAP_ROWS));
    } else {
        FUZZ_CHECK(fuzz_alerts() > 0);
        for (int h = 0; h < FLAP_ROWS; h++) FUZZ_CHECK(cl[h] == 9.5f && cd[h] == 9.5f && cm[h] == 9.5f);
    }

    // The editor's constants reader, then synthesis and the writer: what is written must load
    // without an alert.
    const std::string in = fuzz_path("in.part");
    const std::string out = fuzz_path("out.part");
    for (int device : {DEVICE_AIRFOIL, DEVICE_FLAP}) {
        fuzz_begin();
        inf_use = 1;
        std::memset(consts.get(), 0, sizeof(airfoilstruct));
        int got = 0;
        try {
            got = afl_read_constants(in.c_str(), device, consts.get());
        } catch (const FuzzFatal&) {
            got = -2;
        }
        if (got != 1) continue;
        foil_generate(consts.get(), device, curves.get());
        FUZZ_CHECK(afl_write_part(out.c_str(), device, consts.get(), curves.get()) == 1);
        fuzz_begin();
        if (device == DEVICE_AIRFOIL) {
            FUZZ_CHECK(grabafoil("out.part", 0, 0, 0, &almax, 1, "fuzz") == 1);
            FUZZ_CHECK(slot_finite(afl[1], 0, 0, 0));
        } else {
            FUZZ_CHECK(grabflap("out.part", cl, cd, cm) == 1);
        }
        FUZZ_CHECK(fuzz_alerts() == 0);
    }
    inf1.close();
    inf1.clear();
    return 0;
}
