// main.cpp -- bench_flight: sub-steps per second of the force build-up plus the integration, for
// the default trainer in cruise, rolling on its wheels and rolling off the region's grid, and for a
// worst case: four propellers, every lifting part cut into eight elements, floats, sitting on water.
// After each case it prints the state its last run ended in, so a rewrite that changes the
// results shows beside the one that only changes the time.
//
//   bench_flight [sub-steps [case]]      (default 100000, every case; case: cruise, roll, offgrid, worst)
#include "flight_harness.h"
#include "fltcalc.h"
#include "hl_funct.h"
#include "hl_plane.h"
#include "hl_types.h"
#include "integ.h"
#include "tool_program.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* const WORST = "/tmp/bench_flight_worst_case.acf";

// The trainer turned into the worst case, in the file's units: four engines, a third wing pair
// and a second fin, eight elements on every lifting part and propeller, floats and nacelles.
int write_worst_case(void)
{
    if (!read_plane(1, fh_bundled(FH_TRAINER))) return 0;
    planestruct& pl = pln[1];
    pl.numen = 4;
    const float prop_x[4] = {-13.0f, -6.5f, 6.5f, 13.0f};
    for (int i = 0; i < 4; i++) {
        pl.numblades[i] = pl.numblades[0];
        pl.semilen[i] = pl.semilen[0];
        pl.Croot[i] = pl.Croot[0];
        pl.Ctip[i] = pl.Ctip[0];
        pl.Xarm[i] = prop_x[i];
        pl.Yarm[i] = pl.Yarm[5];
        pl.Zarm[i] = pl.Zarm[0];
        pl.propdir[i] = pl.propdir[0];
        for (int e = 0; e < 8; e++) pl.anginc[i][e] = pl.anginc[0][e < 5 ? e : 4];
        std::memcpy(pl.Rafl0[i], pl.Rafl0[0], sizeof pl.Rafl0[0]);
        std::memcpy(pl.Rafl1[i], pl.Rafl1[0], sizeof pl.Rafl1[0]);
        std::memcpy(pl.Tafl0[i], pl.Tafl0[0], sizeof pl.Tafl0[0]);
        std::memcpy(pl.Tafl1[i], pl.Tafl1[0], sizeof pl.Tafl1[0]);
    }
    // A third wing pair above the first (a biplane's upper wing) and a second fin.
    for (int p = 8; p <= 9; p++) {
        int from = p - 4;
        pl.semilen[p] = pl.semilen[from];
        pl.Croot[p] = pl.Croot[from];
        pl.Ctip[p] = pl.Ctip[from];
        pl.Xarm[p] = pl.Xarm[from];
        pl.Yarm[p] = pl.Yarm[from] + 4.0f;
        pl.Zarm[p] = pl.Zarm[from] - 1.0f;
        pl.dihed[p] = pl.dihed[from];
        std::memcpy(pl.Rafl0[p], pl.Rafl0[from], sizeof pl.Rafl0[0]);
        std::memcpy(pl.Rafl1[p], pl.Rafl1[from], sizeof pl.Rafl1[0]);
        std::memcpy(pl.Tafl0[p], pl.Tafl0[from], sizeof pl.Tafl0[0]);
        std::memcpy(pl.Tafl1[p], pl.Tafl1[from], sizeof pl.Tafl1[0]);
    }
    pl.semilen[13] = pl.semilen[12];
    pl.Croot[13] = pl.Croot[12];
    pl.Ctip[13] = pl.Ctip[12];
    pl.Xarm[13] = 3.0f;
    pl.Yarm[13] = pl.Yarm[12];
    pl.Zarm[13] = pl.Zarm[12];
    pl.sweep1[13] = pl.sweep1[12];
    pl.dihed[13] = pl.dihed[12];
    std::memcpy(pl.Rafl0[13], pl.Rafl0[12], sizeof pl.Rafl0[0]);
    std::memcpy(pl.Rafl1[13], pl.Rafl1[12], sizeof pl.Rafl1[0]);
    std::memcpy(pl.Tafl0[13], pl.Tafl0[12], sizeof pl.Tafl0[0]);
    std::memcpy(pl.Tafl1[13], pl.Tafl1[12], sizeof pl.Tafl1[0]);
    for (int p = 0; p < 14; p++) {
        pl.els[p] = 8;
        for (int e = 0; e < 8; e++) {
            pl.ailn[p][e] = p >= 4 && p <= 9 && e >= 5;
            pl.flap[p][e] = p >= 4 && p <= 9 && e < 4;
            pl.elev[p][e] = p == 10 || p == 11;
            pl.rudd[p][e] = p == 12 || p == 13;
        }
    }
    // Nacelles under the engines and a pair of floats under the fuselage.
    pl.nace_eq = 1;
    pl.misc_eq = 1;
    pl.misc_X = 4.0f;
    pl.misc_Y = -1.0f;
    pl.misc_Z = 3.0f;
    for (int b = 19; b <= 24; b++) {
        for (int s = 0; s < 7; s++) {
            for (int r = 0; r < 16; r++) {
                float a = 2.0f * 3.14159265f * (float)r / 16.0f;
                float rad = 1.0f * std::sin(3.14159265f * (float)(s + 0.5f) / 7.0f);
                pl.body_X[b][s][r] = rad * std::sin(a);
                pl.body_Y[b][s][r] = rad * std::cos(a);
                pl.body_Z[b][s][r] = -8.0f + 3.0f * (float)s;
            }
        }
    }
    return write_plane(1, WORST);
}

// Where a case starts each chunk of its run.
enum bench_start { START_CRUISE, START_ROLL, START_OFF_GRID, START_ON_WATER };

void start_case(bench_start start)
{
    if (start == START_CRUISE) {
        fh_start_air(1500.0f, 55.0f, 0.0f);
    } else {
        fh_start_ground(start == START_ON_WATER ? 0.0f : 90.0f);
        if (start == START_OFF_GRID) {
            // Three kilometres west of the region's western edge: no cell of the grid holds it.
            flt.X[0] = -3000.0;
            env.localh_cg = find_local_h((float)flt.X[0], (float)flt.Z[0], &env.i_aircraft, &env.j_aircraft, 0);
        }
    }
    fh_controls c;
    c.throttle = start == START_ROLL || start == START_OFF_GRID ? 1.0f : 0.7f;
    c.brake = 0.0f;
    fh_set_controls(c);
    fh_frame();   // the controls and the frame's quantities, outside the timing
    // The sub-steps alone never move the throttle toward its lever: the rolls open it at once.
    if (start == START_ROLL || start == START_OFF_GRID)
        for (int i = 0; i < 4; i++) flt.thro[i] = c.throttle;
}

// Sub-steps per second of set_a + integ_vx, timed in chunks that each start from the same state.
double time_substeps(int total, bench_start start)
{
    const int chunk = 1000;
    double seconds = 0.0;
    int done = 0;
    while (done < total) {
        start_case(start);
        msc.prd = 1.0f / 120.0f;   // the sub-step of a 60 Hz frame
        int n = total - done < chunk ? total - done : chunk;
        auto t0 = std::chrono::steady_clock::now();
        for (int k = 0; k < n; k++) {
            set_a();
            integ_vx();
        }
        auto t1 = std::chrono::steady_clock::now();
        seconds += std::chrono::duration<double>(t1 - t0).count();
        done += n;
    }
    return (double)total / seconds;
}

void report(const char* name, double rate)
{
    std::printf("%-42s %10.0f sub-steps/s (%.2f us each)\n", name, rate, 1e6 / rate);
    std::printf("   ends at X %.9g Y %.9g Z %.9g, v %.9g %.9g %.9g, attitude %.9g %.9g %.9g\n", flt.X[0], flt.Y[0],
                flt.Z[0], flt.vX, flt.vY, flt.vZ, (double)flt.the[0], (double)flt.psi[0], (double)flt.phi[0]);
}

}  // namespace

int main(int argc, char** argv)
{
    tool_start("bench_flight", false);
    int total = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (total < 1) total = 100000;
    const char* only = argc > 2 ? argv[2] : nullptr;
    auto wanted = [only](const char* name) { return !only || std::strcmp(only, name) == 0; };

    fh_world_options air;
    air.prd = 1.0f / 60.0f;
    struct {
        const char* key;
        const char* name;
        bench_start start;
    } trainer_cases[] = {
        {"cruise", "trainer, cruise:", START_CRUISE},
        {"roll", "trainer, take-off roll:", START_ROLL},
        {"offgrid", "trainer, rolling off the region's grid:", START_OFF_GRID},
    };
    for (const auto& c : trainer_cases) {
        if (!wanted(c.key)) continue;
        fh_world(air);
        if (fh_load(fh_bundled(FH_TRAINER)) != 1) {
            std::fprintf(stderr, "bench_flight: cannot load the trainer\n");
            return 1;
        }
        report(c.name, time_substeps(total, c.start));
    }

    if (!wanted("worst")) return 0;
    fh_world_options sea = air;
    sea.water = 1;
    fh_world(sea);
    if (!write_worst_case() || fh_load(WORST) != 1) {
        std::fprintf(stderr, "bench_flight: cannot build the worst case\n");
        return 1;
    }
    report("worst case (4 props, 8 elements, water):", time_substeps(total, START_ON_WATER));
    return 0;
}
