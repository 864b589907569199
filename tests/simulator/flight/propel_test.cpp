// propel_test.cpp -- propellers, rotors and jets: momentum-theory propwash, windmilling, governors
// and feathering, jet spool and thrust lapse, and the guards against zero inertia and spool time.
#include "flight_harness.h"
#include "fltcalc.h"
#include "fltprep.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "propel.h"
#include "synthetic_aircraft.h"

#include <kvtest.h>

#include <cmath>

TEST(Propwash, SettlesWhereMomentumTheorySaysForStaticThrust)
{
    clear_globals();
    atm.rho = 1.225f;
    msc.prd = 0.01f;
    float dv = 0.0f;
    for (int k = 0; k < 20000; k++) dv = dv_total(dv, 2000.0f, 2.6f, 0.0f);
    // Static thrust T through area A: T = rho A (dv / 2) dv.
    EXPECT_NEAR(dv, std::sqrt(2.0f * 2000.0f / (1.225f * 2.6f)), 0.05f);
    EXPECT_NEAR(dv, 35.44f, 0.05f);
    // In flight at V it settles lower: T = rho A (V + dv / 2) dv.
    float fly = 0.0f;
    for (int k = 0; k < 20000; k++) fly = dv_total(fly, 2000.0f, 2.6f, 50.0f);
    EXPECT_NEAR(1.225f * 2.6f * (50.0f + 0.5f * fly) * fly, 2000.0f, 5.0f);
    // No air, no wash, no division by zero.
    atm.rho = 0.0f;
    EXPECT_TRUE(std::isfinite(dv_total(10.0f, 2000.0f, 2.6f, 0.0f)));
    atm.rho = 1.225f;
    EXPECT_TRUE(std::isfinite(dv_total(10.0f, 2000.0f, 0.0f, 0.0f)));
}

class Engines : public ::testing::Test {
protected:
    void SetUp() override
    {
        fh_world();
        ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
        fh_start_air(1000.0f, 50.0f, 0.0f);
        fh_frame();
    }
};

TEST_F(Engines, AStoppedEngineWindmillsWithNegativeTorque)
{
    flt.eng_running[0] = 0;
    flt.tac[0] = pln[0].omegamax;   // turned by the air at full speed
    apropengine(0);
    EXPECT_LT(flt.trq[0], 0.0f);
    EXPECT_NEAR(flt.trq[0], -pln[0].pmax / pln[0].omegamax, 1e-2f);   // -n|n| t0 at n = 1
    // Running at full throttle and full speed it gives its design torque, less the altitude.
    flt.eng_running[0] = 1;
    flt.thro[0] = 1.0f;
    flt.mixt_powr_rat[0] = 1.0f;
    apropengine(0);
    float ps = (fltlim(atm.crtsig, 0.0f, 1.0f) - 0.1f) / 0.9f;
    EXPECT_NEAR(flt.trq[0], pln[0].pmax / pln[0].omegamax * ps, 1e-2f);
    EXPECT_NEAR(flt.power[0], flt.trq[0] * flt.tac[0], 1.0f);
}

TEST_F(Engines, APistonEngineWithoutMixtureStopsAndStaysStoppedBelowItsStartingSpeed)
{
    fh_controls c = fh_get_controls();
    c.throttle = 0.5f;
    fh_set_controls(c);
    fh_run(1.0f);
    EXPECT_TRUE(flt.eng_running[0]);
    EXPECT_GT(flt.ff_[0], 0.0f);
    flt.mixt[0] = 0.0f;   // cut-off
    fh_frame();
    EXPECT_FALSE(flt.eng_running[0]);
    EXPECT_EQ(flt.ff_[0], 0.0f);
    // Slow the aircraft until the propeller no longer windmills fast enough, then restore the
    // mixture: no starter, no restart.
    flt.tac[0] = 0.5f * pln[0].omegamin;
    fh_frame();
    EXPECT_EQ(flt.tac[0], 0.0f);
    flt.mixt[0] = 1.0f;
    fh_run(1.0f);
    EXPECT_FALSE(flt.eng_running[0]);
    // Fuel gone or engine failed: no running either.
    flt.tac[0] = pln[0].omegamax;
    fh_frame();
    EXPECT_TRUE(flt.eng_running[0]);
    flt.m_fuel = 0.0f;
    fh_frame();
    EXPECT_FALSE(flt.eng_running[0]);
    flt.m_fuel = 50.0f;
    rel.engine[0] = 0;
    fh_frame();
    EXPECT_FALSE(flt.eng_running[0]);
}

TEST_F(Engines, AVariablePitchPropellerGovernsAndFeathersOnlyOnMultiEngineAircraft)
{
    planestruct& pl = pln[0];
    pl.varpitchEQ = 1;
    pl.minpitch[0] = 10.0f;
    pl.maxpitch[0] = 40.0f;
    flt.proppitch[0] = 20.0f;
    flt.prop[0] = pl.omegamingreen;   // lever at the feathering stop
    pl.numen = 1;
    props();
    EXPECT_NE(flt.proppitch[0], 80.0f);
    EXPECT_GE(flt.proppitch[0], 10.0f);
    EXPECT_LE(flt.proppitch[0], 40.0f);
    pl.numen = 2;
    props();
    EXPECT_EQ(flt.proppitch[0], 80.0f);
    // Reverse thrust takes the blades to -20.
    pl.numen = 1;
    pl.revthrustEQ = 1;
    flt.revving_thrust[0] = 1;
    props();
    EXPECT_EQ(flt.proppitch[0], -20.0f);
}

TEST_F(Engines, ZeroInertiaEqualSpeedsAndZeroSpoolTimeStayFinite)
{
    planestruct& pl = pln[0];
    pl.miprop[0] = 0.0f;
    pl.omegamin = pl.omegamax;
    for (int k = 0; k < 120; k++) {
        fh_frame();
        ASSERT_TRUE(fh_state_finite()) << k;
    }
    // A jet with no spool time.
    pl.entype = 4;
    pl.tmax = 20000.0f;
    pl.spooltime = 0.0f;
    flt.thro[0] = 1.0f;
    flt.eng_running[0] = 1;
    jets();
    EXPECT_TRUE(std::isfinite(flt.parteqlbmthrust[0]));
    EXPECT_TRUE(std::isfinite(flt.thrust[0]));
}

TEST(Jets, SpoolUpStartsSlowlyAndThrustFollowsMachAndDensity)
{
    fh_world();
    pln[0].numen = 1;
    pln[0].entype = 4;
    pln[0].tmax = 40000.0f;
    pln[0].spooltime = 5.0f;
    pln[0].facejet = 0.5f;
    msc.prd = 0.01f;
    atm.crtsig = 1.0f;
    rel.oilpmp[0] = 1;
    flt.eng_running[0] = 1;
    flt.thro[0] = 1.0f;
    // Below 25 % N1 the engine lights up at its fixed rate whatever the throttle.
    flt.parteqlbmthrust[0] = 0.01f;
    flt.n1_[0] = 10.0f;
    jets();
    float b = 3.0f * 0.01f;
    EXPECT_NEAR(flt.parteqlbmthrust[0], 0.01f + (b + 0.04f - b) * 0.01f / 5.0f, 1e-6f);
    flt.thro[0] = 0.0f;
    flt.parteqlbmthrust[0] = 0.01f;
    flt.n1_[0] = 10.0f;
    jets();
    EXPECT_NEAR(flt.parteqlbmthrust[0], 0.01f + 0.04f * 0.01f / 5.0f, 1e-6f);

    // Spooled up: thrust lapses with the pressure at the compressor face, which the intake's ram
    // raises by (1 + 0.2 M^2)^3.5, and falls once that air is hotter than a standard day at sea
    // level, by 1.5 (theta0 - 1) / theta0. Worked by hand:
    //   Mach 1 at sea level: 1.2^3.5 [1 - 0.3 * 0.2 - 0.1 - 1.5 * 0.2 / 1.2] = 1.8929 * 0.59;
    //   Mach 2 at 11 km (216.65 K, sigma 0.29707, so theta 0.751865, delta 0.223357): theta0
    //   1.353358, delta0 0.223357 * 1.8^3.5 = 1.747643; [1 - 0.106007 - 0.141421 - 0.391647] = 0.360926.
    struct Case {
        float mach, sigma, T, factor;
    } cases[] = {{0.0f, 1.0f, 288.15f, 1.0f},
                 {0.0f, 0.5f, 288.15f, 0.5f},
                 {1.0f, 1.0f, 288.15f, 1.892929f * 0.59f},
                 {2.0f, 0.29707f, 216.65f, 1.747643f * 0.360926f}};
    for (const Case& c : cases) {
        flt.machno = c.mach;
        atm.crtsig = c.sigma;
        atm.T = c.T;
        flt.Qstatic = 0.0f;
        flt.thro[0] = 1.0f;
        flt.parteqlbmthrust[0] = 1.0f;
        flt.n1_[0] = 100.0f;
        flt.faxilprop = 0.0f;
        jets();
        EXPECT_NEAR(flt.thrust[0], 40000.0f * c.factor, 1.0f) << c.mach;
        EXPECT_NEAR(flt.faxilprop, flt.thrust[0], 1e-2f);
    }
    // Shut down, the inlet only drags.
    flt.eng_running[0] = 0;
    flt.Qstatic = 1000.0f;
    jets();
    EXPECT_NEAR(flt.thrust[0], -0.3f * 0.5f * 1000.0f, 1e-3f);
}

TEST(Rotors, AFailedTailRotorIsHeldAtOneRadianPerSecond)
{
    TempDir dir;
    fh_world();
    planestruct pl = syn_helicopter();
    pl.vertcant[0] = 90.0f;
    pl.sidecant[1] = 90.0f;
    ASSERT_EQ(fh_load(syn_write(pl, dir).c_str()), 1);
    fh_start_air(100.0f, 0.0f, 0.0f);
    fh_frame();
    EXPECT_NEAR(flt.tac[1], flt.tac[0] * pln[0].trotor_rat, 1e-3f * flt.tac[1]);
    rel.trotor = 0;
    fh_frame();
    EXPECT_EQ(flt.tac[1], 1.0f);
    // Switched off, the engine does not brake the rotor.
    flt.eng_running[0] = 0;
    flt.tac[0] = pln[0].omegamax;
    apropengine(0);
    EXPECT_EQ(flt.trq[0], 0.0f);
}
