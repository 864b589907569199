// wash_test.cpp -- the wakes the lifting parts fly in: the downwash of the parts ahead of a wing or
// stabiliser, and each propeller's slipstream over the elements behind it.
#include "flight_harness.h"
#include "fltcalc.h"
#include "hl_file.h"
#include "hl_types.h"
#include "synthetic_aircraft.h"

#include <kvtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

namespace {

constexpr float DEG = 3.14159265f / 180.0f;

// The synthetic aircraft flying level at 50 m/s for half a second.
void fly(const planestruct& pl, const TempDir& dir)
{
    fh_world();
    ASSERT_EQ(fh_load(syn_write(pl, dir).c_str()), 1);
    fh_start_air(1000.0f, 50.0f, 0.0f);
    for (int k = 0; k < 30; k++) fh_frame();
}

// Whether every element of part p has no downwash, or every one some of the given sign.
bool downwash_is(int p, int sign)
{
    for (int e = 0; e < pln[0].els[p]; e++) {
        const float d = flt.downwash[p][e];
        if (sign == 0 ? d != 0.0f : d * (float)sign <= 0.0f) return false;
    }
    return true;
}

}  // namespace

// A wing's lift bends the air behind it down over the tail; a canard's bends it over the wing's
// middle instead, and the tail ahead feels nothing. Each aircraft loaded brings its own wakes.
TEST(Downwash, TheLiftOfThePartsAheadBendsTheAirOverThePartsBehind)
{
    TempDir dir;
    planestruct tail = syn_aircraft();
    planestruct canard = syn_aircraft();
    canard.Zarm[10] = canard.Zarm[11] = -16.0f;   // the stabiliser ahead of the wing

    for (const planestruct* pl : {&tail, &canard, &tail}) {
        const bool ahead = pl == &canard;
        fly(*pl, dir);
        if (!ahead) {
            // The lifting wing pushes the air down on the tail; nothing flies ahead of the wing.
            EXPECT_TRUE(downwash_is(10, -1) && downwash_is(11, -1)) << flt.downwash[10][0];
            EXPECT_TRUE(downwash_is(4, 0) && downwash_is(5, 0)) << flt.downwash[4][0];
        } else {
            // The canard's wake reaches the wing elements inside its span and no others.
            EXPECT_TRUE(downwash_is(10, 0) && downwash_is(11, 0)) << flt.downwash[10][0];
            for (int p : {4, 5}) {
                EXPECT_NE(flt.downwash[p][0], 0.0f) << p;
                EXPECT_EQ(flt.downwash[p][3], 0.0f) << p;
            }
        }
        // Past Mach 1 no wake runs forward of the shock waves: no downwash anywhere.
        flt.machno = 1.5f;
        set_a();
        for (int p = 4; p <= 11; p++) EXPECT_TRUE(downwash_is(p, 0)) << p << (ahead ? " canard" : " tail");
    }
}

// Two propellers turning different slipstreams, one canted down: each element behind a propeller
// meets the stream of its own at that stream's own angle to the body.
TEST(Propwash, EachElementMeetsItsOwnPropellersStream)
{
    TempDir dir;
    planestruct pl = syn_aircraft();
    pl.numen = 2;
    pl.Xarm[0] = -6.0f;
    pl.Xarm[1] = 6.0f;
    pl.Zarm[1] = pl.Zarm[0];
    pl.els[1] = pl.els[0];
    pl.numblades[1] = pl.numblades[0];
    pl.semilen[1] = pl.semilen[0];
    pl.Croot[1] = pl.Croot[0];
    pl.Ctip[1] = pl.Ctip[0];
    pl.propdir[0] = pl.propdir[1] = 1;
    std::memcpy(pl.anginc[1], pl.anginc[0], sizeof pl.anginc[0]);
    syn_foils(pl, 1, "Clark-Y (good propeller).afl");
    pl.vertcant[1] = 12.0f;
    fly(pl, dir);
    flt.DVinc[0] = 6.0f;
    flt.DVinc[1] = 22.0f;

    const std::string path = dir.str() + "/dump.out";
    trk.open(path, std::ios::out | std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(trk.is_open());
    set.cycout = 1;
    set_a();
    set.cycout = 0;
    trk.close();

    std::istringstream text(read_file(path));
    std::string line;
    int seen[2] = {0, 0};
    float angle[2] = {0.0f, 0.0f};
    while (std::getline(text, line)) {
        int k = 0;
        float a = 0.0f;
        if (std::sscanf(line.c_str(), "   The propwash from engine #%d is at an angle of %f deg.", &k, &a) != 2) continue;
        ASSERT_TRUE(k == 1 || k == 2) << line;
        // The stream leaves its disc at the propeller's cant and is bent by the air the aircraft
        // meets at its angle of attack.
        const float vc = flt.vertcant[k - 1] * DEG, dv = flt.DVinc[k - 1];
        const float want = std::atan2(flt.av * std::sin(flt.Alph * DEG) - std::sin(vc) * dv,
                                      std::cos(vc) * dv + flt.av * std::cos(flt.Alph * DEG)) / DEG;
        EXPECT_NEAR(a, want, 0.006f) << line;
        seen[k - 1]++;
        angle[k - 1] = a;
    }
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
    EXPECT_GT(std::fabs(angle[0] - angle[1]), 1.0f);   // the two streams do differ
}
