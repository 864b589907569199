// funct_test.cpp -- element coefficients: table positions, the straight lift line and the tables,
// Reynolds-number and span blends, finite wing, ground effect, compressibility and the flat plates
// above Mach 1, on airfoils written by the test.
#include "flight_harness.h"
#include "fltgeom.h"
#include "funct.h"
#include "hl_types.h"
#include "synthetic_aircraft.h"

#include <kvtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr float PI = 3.14159265f;

// The synthetic aircraft on a test airfoil whose tables lie 0.5 above its straight lift line, so
// a value shows where it came from.
class Element : public ::testing::Test {
protected:
    TempDir dir;
    void SetUp() override
    {
        fh_world();
        syn_airfoil(dir.str(), "offset.afl", 0.1f, 0.2f, 15.0f, 0.006f, 6.0f, 0.0f, 0.5f);
        std::snprintf(afl_path, STR_LEN, "%s/", dir.str().c_str());
        planestruct pl = syn_aircraft();
        for (int p = 0; p < 18; p++) syn_foils(pl, p, "offset.afl");
        ASSERT_EQ(fh_load(syn_write(pl, dir).c_str()), 1);
        fh_start_air(1000.0f, 50.0f, 0.0f);
        flt.machno = 0.0f;
        for (int p = 0; p < 28; p++) flt.CL_grndeffect[p] = flt.CDIgrndeffect[p] = 1.0f;   // far from the ground
    }
    // Element alpha (degrees) at which the tables are read at m.
    static float alpha_for(int p, float m)
    {
        float zl = afl[0].al_zl[p][0][0];
        return (m - zl) / pln[0].al_D_al0[p] + zl;
    }
};

}  // namespace

TEST(FoilTable, IndexRunsInTenthsToTwentyDegreesThenWholeDegrees)
{
    struct Case {
        float alpha, index;
    } cases[] = {{0.0f, 0.0f},     {9.99f, 99.9f},   {-9.99f, 99.9f},  {20.0f, 200.0f},
                 {20.5f, 200.5f},  {-45.0f, 225.0f}, {90.0f, 269.99f}, {95.0f, 269.99f}};
    for (const Case& c : cases) EXPECT_NEAR(foil_index(c.alpha), c.index, 1e-3f) << c.alpha;
    EXPECT_FLOAT_EQ(foil_index(std::numeric_limits<float>::quiet_NaN()), 269.99f);
}

TEST_F(Element, LiftComesFromTheLineBelowTenDegreesAndTheTablesFromTen)
{
    float cl, cd, cm;
    anyfoil(alpha_for(5, 9.99f), &cl, &cd, &cm, 5, 0, 0, 0);
    EXPECT_NEAR(cl, 0.1f * 9.99f + 0.2f, 1e-3f);             // the line
    anyfoil(alpha_for(5, 10.0f), &cl, &cd, &cm, 5, 0, 0, 0);
    EXPECT_NEAR(cl, 0.1f * 10.0f + 0.2f + 0.5f, 1e-3f);      // the table
    anyfoil(alpha_for(5, -12.0f), &cl, &cd, &cm, 5, 0, 0, 0);
    EXPECT_NEAR(cl, -0.1f * 12.0f + 0.2f + 0.5f, 1e-3f);     // the negative table
    // Drag always from the table.
    anyfoil(alpha_for(5, 5.0f), &cl, &cd, &cm, 5, 0, 0, 0);
    EXPECT_NEAR(cd, 0.006f + 0.0001f * 25.0f, 1e-5f);
    // Past 90 degrees the last two entries are read, almost all the last.
    anyfoil(120.0f, &cl, &cd, &cm, 5, 0, 0, 0);
    const float* t = afl[0].clpos[5][0][0];
    EXPECT_NEAR(cl, 0.01f * t[169] + 0.99f * t[170], 1e-4f);
    // The moment line ends at (90, -0.32) and at (-90, 0.32).
    anyfoil(alpha_for(5, 90.0f), &cl, &cd, &cm, 5, 0, 0, 0);
    EXPECT_NEAR(cm, -0.32f, 1e-4f);
    anyfoil(alpha_for(5, -90.0f), &cl, &cd, &cm, 5, 0, 0, 0);
    EXPECT_NEAR(cm, 0.32f, 1e-4f);
}

TEST_F(Element, TheStallFlagRisesAtTheFiniteWingsStallAngleWithTheWarningFourDegreesEarlier)
{
    float cl, cd, cm;
    flt.vind = 100.0f;
    float amax = pln[0].alpha_max[5];
    flt.stallwarning = 0;
    anyfoil(amax - 4.5f, &cl, &cd, &cm, 5, 0, 0, 0);
    EXPECT_EQ(flt.stalled[5], 0);
    EXPECT_EQ(flt.stallwarning, 0);
    anyfoil(amax - 3.5f, &cl, &cd, &cm, 5, 0, 0, 0);
    EXPECT_EQ(flt.stalled[5], 0);
    EXPECT_EQ(flt.stallwarning, 1);
    anyfoil(amax + 0.1f, &cl, &cd, &cm, 5, 0, 0, 0);
    EXPECT_EQ(flt.stalled[5], 1);
    // The warning is for wings at flying speed only.
    flt.stallwarning = 0;
    flt.vind = 0.2f * msc.est_Vs * con.msctokts;
    anyfoil(amax + 0.1f, &cl, &cd, &cm, 5, 0, 0, 0);
    EXPECT_EQ(flt.stallwarning, 0);
}

TEST_F(Element, FiniteWingInducedDragAndGroundEffectShapeTheSectionValues)
{
    const int p = 5, e = 1;
    flt.v_el[p][e] = 50.0f;
    flt.alpha[p][e] = alpha_for(p, 4.0f);
    float cl, cd, cm, l0, d0, m0;
    anyfoil(flt.alpha[p][e], &l0, &d0, &m0, p, 0, 0, e);
    flt.CL_grndeffect[p] = 1.0f;
    flt.CDIgrndeffect[p] = 1.0f;
    Fco_subsonic(0.0f, 0.0f, 0.0f, &cl, &cd, &cm, p, e);
    float ml = 50.0f / atm.a, pg = 1.0f / std::sqrt(1.0f - ml * ml);
    float c3 = l0 * pln[0].cl_D_cl0[p];
    EXPECT_NEAR(cl, c3 * pg, 1e-4f);
    EXPECT_NEAR(cd, d0 + c3 * c3 / (pln[0].e[p] * PI * pln[0].AR[p]), 1e-5f);
    // The tapered wing's centre of lift moves aft a little (its delta factor).
    EXPECT_NEAR(cm, m0 * pln[0].cm_D_cm0[p] * pg - 0.25f * pln[0].delta_fac[p] * cl, 1e-5f);

    // Near the ground lift grows and induced drag falls, for lifting wings only.
    flt.CL_grndeffect[p] = 1.2f;
    flt.CDIgrndeffect[p] = 0.5f;
    float gl, gd, gm;
    Fco_subsonic(0.0f, 0.0f, 0.0f, &gl, &gd, &gm, p, e);
    EXPECT_NEAR(gl, 1.2f * cl, 1e-4f);
    EXPECT_NEAR(gd, d0 + 0.5f * c3 * c3 / (pln[0].e[p] * PI * pln[0].AR[p]), 1e-5f);
    flt.alpha[p][e] = alpha_for(p, -8.0f);
    float nl, nd, nm, ul, ud, um;
    Fco_subsonic(0.0f, 0.0f, 0.0f, &nl, &nd, &nm, p, e);
    flt.CL_grndeffect[p] = 1.0f;
    flt.CDIgrndeffect[p] = 1.0f;
    Fco_subsonic(0.0f, 0.0f, 0.0f, &ul, &ud, &um, p, e);
    EXPECT_LT(nl, 0.0f);
    EXPECT_FLOAT_EQ(nl, ul);   // negative lift: no ground effect
    EXPECT_FLOAT_EQ(nd, ud);
}

TEST_F(Element, CompressibilityIsCappedAtMachPointEightAndDragRisesOnlyPastDivergence)
{
    const int p = 5, e = 0;
    flt.alpha[p][e] = alpha_for(p, 2.0f);
    float cl[3], cd[3], cm[3];
    const float mach[3] = {0.7f, 0.8f, 0.9f};
    for (int k = 0; k < 3; k++) {
        flt.v_el[p][e] = mach[k] * atm.a;
        Fco_subsonic(0.0f, 0.0f, 0.0f, &cl[k], &cd[k], &cm[k], p, e);
    }
    // At 0.8 and above the factor is that of Mach 0.8, 1/0.6.
    EXPECT_NEAR(cl[2], cl[1], 1e-6f);
    EXPECT_NEAR(cl[1] / cl[0], std::sqrt(1.0f - 0.49f) / 0.6f, 1e-4f);
    // Divergence Mach number 0.8 - 0.2 |cl|: past it the drag rises by 2.5 (0.8 - Mdd)^2.
    float mdd = 0.8f - 0.2f * cl[2], mdd0 = 0.8f - 0.2f * cl[0];
    float rise0 = 0.7f > mdd0 ? 2.5f * (0.7f - mdd0) * (0.7f - mdd0) : 0.0f;
    EXPECT_NEAR(cd[2] - cd[0], 2.5f * (0.8f - mdd) * (0.8f - mdd) - rise0, 2e-4f);

    // Negative lift of the same size follows the same rule: the same rise, none below Mdd.
    flt.alpha[p][e] = alpha_for(p, -2.0f - 2.0f * afl[0].clB[p][0][0] / afl[0].clM[p][0][0]);
    float nl, nd0, nd1, nm;
    flt.v_el[p][e] = 0.5f * atm.a;
    Fco_subsonic(0.0f, 0.0f, 0.0f, &nl, &nd0, &nm, p, e);
    flt.v_el[p][e] = 0.9f * atm.a;
    Fco_subsonic(0.0f, 0.0f, 0.0f, &nl, &nd1, &nm, p, e);
    ASSERT_LT(nl, 0.0f);
    float nmdd = 0.8f - 0.2f * std::fabs(nl);
    EXPECT_NEAR(nd1 - nd0, 2.5f * (0.8f - nmdd) * (0.8f - nmdd), 2e-4f);
    flt.v_el[p][e] = (nmdd - 0.01f) * atm.a;
    float below;
    Fco_subsonic(0.0f, 0.0f, 0.0f, &nl, &below, &nm, p, e);
    EXPECT_NEAR(below, nd0, 1e-5f);
}

TEST_F(Element, FlatPlatesCarryTheElementAboveMachOne)
{
    // A flat plate at 2 degrees and Mach 2: cl 4 a / sqrt(M^2 - 1), wave drag on top of 0.0046.
    float cl = 0.0f, cd = 0.0f;
    for (int k = 0; k < 4; k++) supersonic_flatplate(2.0f, &cl, &cd, 2.0f, 0.5f);
    EXPECT_NEAR(cl, 0.08056f, 1e-5f);
    EXPECT_NEAR(cd + 0.0046f, 0.007413f, 1e-5f);

    // This airfoil file says zero thickness: the element is that plate, at its own Mach 2, less the
    // share 1 / (2 beta A) = 0.0406 of it in the Mach cones from the tips of this wing of aspect
    // ratio 7.11: cl 0.9594 x 0.08056, the wave drag 0.9594 x 0.002813.
    const int p = 5, e = 0;
    ASSERT_NEAR(pln[0].AR[p], 32.0f / 4.5f, 1e-3f);
    flt.alpha[p][e] = 2.0f;
    flt.machno = 2.0f;
    flt.v_el[p][e] = 2.0f * atm.a;
    float l, d, m;
    Fco_supersonic(0.0f, 0.0f, 0.0f, &l, &d, &m, p, e);
    EXPECT_NEAR(l, 0.07730f, 1e-5f);
    EXPECT_NEAR(d, 0.007299f, 1e-5f);
    EXPECT_NEAR(m, -0.25f * l, 1e-6f);
    // Below Mach 1.2, where the plates' theory would grow without bound, Mach 1.05 is read as 1.2;
    // exactly Mach 1 takes the supersonic path.
    flt.v_el[p][e] = 1.05f * atm.a;
    float l105, l11;
    Fco_supersonic(0.0f, 0.0f, 0.0f, &l105, &d, &m, p, e);
    flt.v_el[p][e] = 1.2f * atm.a;
    Fco_supersonic(0.0f, 0.0f, 0.0f, &l11, &d, &m, p, e);
    EXPECT_FLOAT_EQ(l105, l11);
    // A short wing loses more: at aspect ratio 1, Mach 1.2 (beta 0.6633), the tips take 0.754 of
    // an infinite wing's lift, more than the half they may take at most; half is left.
    const float ar = pln[0].AR[p];
    pln[0].AR[p] = 1.0f;
    float l_short;
    Fco_supersonic(0.0f, 0.0f, 0.0f, &l_short, &d, &m, p, e);
    pln[0].AR[p] = ar;
    EXPECT_NEAR(l_short / l11, 0.5f / (1.0f - 0.5f / (0.66332f * ar)), 1e-4f);
    flt.machno = 1.0f;
    flt.deldir[p][e] = 0.0f;
    flt.v_el[p][e] = atm.a;
    float lift, drag, moment;
    float c = F_el_force(0.0f, 0.0f, 0.0f, &lift, &drag, &moment, p, e);
    EXPECT_FLOAT_EQ(c, l11);

    // A swept element takes only the air across its sweep: with the aircraft at Mach 1.2 and the
    // element's own air at Mach 0.85, the airfoil tables give its force, and at its own Mach 1.3
    // the plate reads Mach 1.3 whatever the aircraft's Mach number.
    flt.machno = 1.2f;
    flt.v_el[p][e] = 0.85f * atm.a;
    float sub_l, sub_d, sub_m, got_l;
    Fco_subsonic(0.0f, 0.0f, 0.0f, &sub_l, &sub_d, &sub_m, p, e);
    EXPECT_FLOAT_EQ(F_el_force(0.0f, 0.0f, 0.0f, &lift, &drag, &moment, p, e), sub_l);
    flt.v_el[p][e] = 1.3f * atm.a;
    got_l = F_el_force(0.0f, 0.0f, 0.0f, &lift, &drag, &moment, p, e);
    const float beta = std::sqrt(1.3f * 1.3f - 1.0f);
    EXPECT_NEAR(got_l, 4.0f * 2.0f * 3.14159265f / 180.0f * std::cos(2.0f * 3.14159265f / 180.0f) / beta *
                           (1.0f - 0.5f / (beta * 32.0f / 4.5f)), 1e-5f);
}

TEST_F(Element, ForcesAreTheCoefficientsTurnedByTheFlowChangeTimesDynamicPressure)
{
    const int p = 5, e = 2;
    flt.machno = 0.0f;
    flt.v_el[p][e] = 40.0f;
    flt.alpha[p][e] = alpha_for(p, 3.0f);
    float cl, cd, cm;
    Fco_subsonic(0.0f, 0.0f, 0.0f, &cl, &cd, &cm, p, e);
    float qs = 0.5f * atm.rho * 40.0f * 40.0f * pln[0].s[p][e];
    const float turns[3] = {0.0f, 10.0f, 90.0f};
    for (float t : turns) {
        flt.deldir[p][e] = t;
        float lift, drag, moment;
        float c = F_el_force(0.0f, 0.0f, 0.0f, &lift, &drag, &moment, p, e);
        float r = t * PI / 180.0f;
        EXPECT_FLOAT_EQ(c, cl);
        EXPECT_NEAR(lift, (cl * std::cos(r) + cd * std::sin(r)) * qs, 1e-3f * qs) << t;
        EXPECT_NEAR(drag, (cd * std::cos(r) - cl * std::sin(r)) * qs, 1e-3f * qs) << t;
        EXPECT_NEAR(moment, cm * qs * pln[0].mac[p][e], 1e-3f * qs) << t;
    }
}

// A blade element's flow turns through the angle of its inflow against its turning speed. Its
// forces, turned by that angle's sine and cosine taken straight from the two speeds, are the forces
// turned through the angle itself, to the rounding of a float.
TEST_F(Element, ABladeTurnedByItsOwnSpeedsMatchesTheTurnThroughItsAngle)
{
    const int p = 0, e = 2;
    struct Case {
        float va, vt;   // m/s: inflow through the disc, turning speed
    } cases[] = {{40.0f, 180.0f}, {0.0f, 150.0f}, {-8.0f, 120.0f}, {55.0f, 20.0f}, {30.0f, -90.0f}, {-12.0f, -60.0f}};
    for (const Case& c : cases) {
        const float v = std::hypot(c.va, c.vt);
        const float turn = std::atan2(-c.va, c.vt) * 180.0f / PI;
        flt.v_el[p][e] = v;
        flt.alpha[p][e] = turn + 14.0f;   // a blade pitched 14 degrees
        flt.deldir[p][e] = turn;
        float l1, d1, m1, l2, d2, m2;
        const float c1 = F_el_force(0.0f, 0.0f, 0.0f, &l1, &d1, &m1, p, e);
        const float c2 = F_el_force_turned(0.0f, 0.0f, 0.0f, &l2, &d2, &m2, p, e, -c.va / v, c.vt / v);
        const float qs = 0.5f * atm.rho * v * v * pln[0].s[p][e];
        EXPECT_EQ(c1, c2) << c.va << ", " << c.vt;
        EXPECT_NEAR(l2, l1, 4e-6f * qs) << c.va << ", " << c.vt;
        EXPECT_NEAR(d2, d1, 4e-6f * qs) << c.va << ", " << c.vt;
        EXPECT_EQ(m2, m1) << c.va << ", " << c.vt;
        // Lift across the turning direction and drag along it: the section's coefficients turned
        // into the disc's axes by the inflow and the turning speed.
        float cl, cd, cm;
        Fco_subsonic(0.0f, 0.0f, 0.0f, &cl, &cd, &cm, p, e);
        EXPECT_NEAR(l2, (cl * c.vt - cd * c.va) / v * qs, 1e-4f * qs) << c.va << ", " << c.vt;
        EXPECT_NEAR(d2, (cd * c.vt + cl * c.va) / v * qs, 1e-4f * qs) << c.va << ", " << c.vt;
    }
}

TEST_F(Element, RootAndTipAirfoilsBlendAlongTheSpanAndByReynoldsNumber)
{
    // Root low/high Reynolds number at 3 and 9 million with lift lines 0.2 apart; a tip airfoil
    // 0.4 above the root's.
    fh_world();
    syn_airfoil(dir.str(), "rlo.afl", 0.1f, 0.0f, 15.0f, 0.006f, 3.0f);
    syn_airfoil(dir.str(), "rhi.afl", 0.1f, 0.2f, 15.0f, 0.006f, 9.0f);
    syn_airfoil(dir.str(), "tip.afl", 0.1f, 0.4f, 15.0f, 0.006f, 6.0f);
    std::snprintf(afl_path, STR_LEN, "%s/", dir.str().c_str());
    planestruct pl = syn_aircraft();
    for (int p = 0; p < 18; p++) {
        syn_text(pl.Rafl0[p], "rlo.afl");
        syn_text(pl.Rafl1[p], "rhi.afl");
        syn_text(pl.Tafl0[p], "tip.afl");
        syn_text(pl.Tafl1[p], "tip.afl");
    }
    ASSERT_EQ(fh_load(syn_write(pl, dir, "blend.acf").c_str()), 1);
    fh_start_air(1000.0f, 50.0f, 0.0f);
    const int p = 5;
    EXPECT_FALSE(fgeo.single_foil[p]);
    float clroot[2], cltip;
    for (int e = 0; e < 4; e++) {
        // The element's Reynolds number 6 million: half way between the root's two airfoils.
        float re = 6.0f;
        flt.v_el[p][e] = re * 1e6f * con.muair / (atm.rho * pln[0].mac[p][e]);
        flt.alpha[p][e] = 2.0f;
        float d, m;
        anyfoil(2.0f, &clroot[0], &d, &m, p, 0, 0, e);
        anyfoil(2.0f, &clroot[1], &d, &m, p, 0, 1, e);
        anyfoil(2.0f, &cltip, &d, &m, p, 1, 0, e);
        float root = 0.5f * (clroot[0] + clroot[1]);
        float f = ((float)e + 0.5f) / 4.0f;
        float expect2d = root + (cltip - root) * f;
        flt.CL_grndeffect[p] = flt.CDIgrndeffect[p] = 1.0f;
        float cl, cd, cm;
        Fco_subsonic(0.0f, 0.0f, 0.0f, &cl, &cd, &cm, p, e);
        float ml = flt.v_el[p][e] / atm.a;
        EXPECT_NEAR(cl, expect2d * pln[0].cl_D_cl0[p] / std::sqrt(1.0f - ml * ml), 1e-4f) << e;
    }
}
