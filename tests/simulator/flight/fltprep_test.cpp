// fltprep_test.cpp -- the frame's own quantities: standard atmosphere and density table, ground
// effect, total mass, mixture and fuel flow, the path bank and the ship decks.
#include "flight_harness.h"
#include "fltprep.h"
#include "fltutil.h"
#include "hl_mnw.h"
#include "hl_types.h"

#include <kvtest.h>

#include <cmath>

namespace {

class Frame : public ::testing::Test {
protected:
    void SetUp() override { fh_world(); }
    static void air_at(float h_m, float temp_f = 59.0f)
    {
        atm.temp_SL = temp_f;
        flt.Y[0] = h_m;
        set_air_at_aircraft();
    }
};

}  // namespace

TEST_F(Frame, StandardAtmosphereGivesTheSpeedOfSoundAndDensity)
{
    struct Case {
        float feet, a, rho;
    } cases[] = {{0.0f, 340.26f, 1.2240f}, {10000.0f, 328.4f, 0.90423f}, {36152.0f, 295.04f, -1.0f}};
    for (const Case& c : cases) {
        air_at(c.feet * 0.3048f);
        EXPECT_NEAR(atm.a, c.a, 0.05f) << c.feet;
        if (c.rho > 0.0f) {
            EXPECT_NEAR(atm.rho, c.rho, 2e-4f) << c.feet;
        }
        EXPECT_NEAR(atm.crtsig, atm.rho / con.rhoSL, 1e-6f);
    }
    // Between the stratosphere's break heights the temperature holds, above the last one too.
    EXPECT_NEAR(std_temperature(20000.0f), 216.65f, 0.01f);
    EXPECT_NEAR(std_temperature(265000.0f * 0.3048f + 5000.0f), 180.65f, 0.01f);
    // A hot day: warmer air, thinner air.
    air_at(0.0f, 95.0f);
    EXPECT_NEAR(atm.T, 288.15f + (95.0f - 59.02f) * 5.0f / 9.0f, 0.01f);
    EXPECT_NEAR(atm.rho, 1.2240f * 518.69f / (95.0f + 459.67f), 3e-4f);
    // Above the table's last row there is no air.
    air_at(80000.0f);
    EXPECT_EQ(atm.rho, 0.0f);
    EXPECT_EQ(atm.crtsig, 0.0f);
}

TEST_F(Frame, GroundEffectGrowsLiftAndCutsInducedDragNearTheGround)
{
    ASSERT_EQ(fh_load(fh_bundled(FH_TRAINER)), 1);
    fh_start_air(100.0f, 40.0f, 0.0f);
    const planestruct& pl = pln[0];
    struct Case {
        float c, cl, cdi;
    } cases[] = {{0.5f, 1.1406f, 0.9412f}, {2.5f, 1.0f, 400.0f / 401.0f}, {0.0f, 1.25f, 0.5f}};
    for (const Case& cs : cases) {
        // Put the centre of gravity so that wing part 5 sits at height ratio c.
        flt.Y[0] = env.localh_cg + cs.c * pl.semilen[5] - pl.Yarm[5];
        flt.costhe = 1.0f;
        flt.sinthe = 0.0f;
        set_ground_effect();
        EXPECT_NEAR(flt.CL_grndeffect[5], cs.cl, 2e-4f) << cs.c;
        EXPECT_NEAR(flt.CDIgrndeffect[5], cs.cdi, 2e-4f) << cs.c;
    }
}

TEST_F(Frame, TotalMassAndTheMixtureLaw)
{
    pln[0].m_empty = 700.0f;
    flt.m_fixed = 150.0f;
    flt.m_fuel = 80.0f;
    flt.m_jettison = 20.0f;
    set_total_mass();
    EXPECT_EQ(flt.m_total, 950.0f);

    pln[0].numen = 1;
    pln[0].entype = 1;
    pln[0].pmax = 120000.0f;
    pln[0].sfc = 0.45f;
    rel.engine[0] = 1;
    flt.tac[0] = 100.0f;
    pln[0].omegamin = 60.0f;
    atm.crtsig = 1.0f;
    struct Case {
        float mixt, power;   // sea level: d30 = 0.7, d40 = 0.6
    } cases[] = {{1.0f, 1.0f - 0.03f}, {0.7f, 1.0f}, {0.65f, 1.0f - 0.25f}, {0.55f, 0.0f}};
    for (const Case& c : cases) {
        flt.mixt[0] = c.mixt;
        update_engines();
        EXPECT_NEAR(flt.mixt_powr_rat[0], c.power, 1e-5f) << c.mixt;
        EXPECT_EQ(flt.eng_running[0], c.power > 0.0f) << c.mixt;
    }
    // The throttle follows its request with a one-second lag.
    msc.prd = 0.1f;
    flt.thro[0] = 0.0f;
    flt.throrqst[0] = 1.0f;
    update_engines();
    EXPECT_NEAR(flt.thro[0], 0.1f, 1e-6f);
}

TEST_F(Frame, FuelFlowRunsFromIdleToFullPower)
{
    pln[0].entype = 2;
    pln[0].pmax = 160.0f * con.hptowatt;
    pln[0].sfc = 0.43f;
    // 160 hp at 0.43 lb/hp/h: 68.8 lb/h.
    EXPECT_NEAR(burnin_fuel(pln[0].pmax), 0.0086687f, 1e-6f);
    EXPECT_NEAR(burnin_fuel(0.0f), 0.01f * 0.0086687f, 1e-7f);
    EXPECT_NEAR(burnin_fuel(-1000.0f), 0.01f * 0.0086687f, 1e-7f);
    pln[0].pmax = 0.0f;   // no power given: idle flow of nothing, no division by zero
    EXPECT_EQ(burnin_fuel(1000.0f), 0.0f);
}

TEST_F(Frame, ThePathBankFlipsWhenFlyingBackwardsAlongThePath)
{
    flt.phi[0] = 20.0f;
    flt.sinphi = std::sin(20.0f * 3.14159265f / 180.0f);
    flt.cosphi = std::cos(20.0f * 3.14159265f / 180.0f);
    flt.psi[0] = 10.0f;
    flt.hpath = 350.0f;
    set_path_bank();
    EXPECT_EQ(flt.sinphi_path, flt.sinphi);
    EXPECT_EQ(flt.cosphi_path, flt.cosphi);
    flt.hpath = 200.0f;
    flt.the[0] = -5.0f;
    set_path_bank();
    EXPECT_NEAR(flt.sinphi_path, -flt.sinphi, 1e-6f);
    EXPECT_NEAR(flt.cosphi_path, flt.cosphi, 1e-6f);   // flipped, then turned back for a nose-down path
}

TEST_F(Frame, ShipDecksPitchAndRollWithTheWaves)
{
    atm.wave_amp = 2.0f;
    msc.init_time = 1.0f;
    float angle;
    float rate = the_dot_now(1603, &angle);   // frigate: 1 rad/s
    EXPECT_NEAR(angle, 2.0f * std::sin(1.0f), 1e-6f);
    EXPECT_NEAR(rate, 2.0f * std::cos(1.0f), 1e-6f);
    rate = phi_dot_now(1603, &angle);          // rolls twice as far
    EXPECT_NEAR(angle, 4.0f * std::sin(1.0f), 1e-6f);
    rate = phi_dot_now(1601, &angle);          // carrier: 0.3 rad/s
    EXPECT_NEAR(angle, 2.0f * std::sin(0.3f), 1e-6f);
    EXPECT_NEAR(rate, 0.6f * std::cos(0.3f), 1e-6f);
}
