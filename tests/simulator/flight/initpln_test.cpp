// initpln_test.cpp -- loading an aircraft: derived wing factors, element geometry, gear, checks,
// refusals and fallbacks, on synthetic aircraft and airfoils whose figures are worked out here.
#include "flight_harness.h"
#include "hl_funct.h"
#include "hl_plane.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "initpln.h"
#include "synthetic_aircraft.h"

#include <kvtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr float FT = 0.3048f;
constexpr float PI = 3.14159265f;

class Loader : public ::testing::Test {
protected:
    TempDir dir;
    void SetUp() override
    {
        fh_world();
        clear_recorded_alerts();
    }
    int load(const planestruct& pl, const char* name = "synthetic.acf") { return fh_load(syn_write(pl, dir, name).c_str()); }
    // Every lifting part of pl flies on one airfoil written to the test's folder.
    void one_foil(planestruct& pl, float clM, float clB = 0.0f, float almax = 15.0f, float cd0 = 0.006f)
    {
        syn_airfoil(dir.str(), "test.afl", clM, clB, almax, cd0);
        std::snprintf(afl_path, STR_LEN, "%s/", dir.str().c_str());
        for (int p = 0; p < 18; p++) syn_foils(pl, p, "test.afl");
    }
    // A straight, untapered right wing (mirrored left) of aspect ratio ar at a sweep, no flaps.
    static void wing(planestruct& pl, float ar, float sweep)
    {
        const float chord = 4.0f;
        pl.Croot[5] = pl.Ctip[5] = chord;
        pl.sweep1[5] = sweep;
        pl.semilen[5] = ar * chord / (2.0f * std::cos(sweep * PI / 180.0f));
        for (int e = 0; e < 8; e++) pl.flap[5][e] = 0;
        copy_foil(&pl, 5, 4);
    }
};

}  // namespace

TEST_F(Loader, OswaldFactorBlendsTheStraightAndTheSweptWingRules)
{
    struct Case {
        float sweep, e;
    } cases[] = {{0.0f, 0.8247f}, {15.0f, 0.7186f}, {30.0f, 0.6125f}};
    for (const Case& c : cases) {
        fh_world();
        planestruct pl = syn_aircraft();
        wing(pl, 7.5f, c.sweep);
        ASSERT_EQ(load(pl), 1);
        EXPECT_NEAR(pln[0].AR[5], 7.5f, 1e-3f) << c.sweep;
        EXPECT_NEAR(pln[0].e[5], c.e, 5e-4f) << c.sweep;
        EXPECT_NEAR(pln[0].e[4], c.e, 5e-4f) << c.sweep;
    }
}

TEST_F(Loader, FiniteWingFactorsFollowTheLiftSlopeAndAspectRatio)
{
    planestruct pl = syn_aircraft();
    one_foil(pl, 0.1f, 0.0f, 15.0f);
    wing(pl, 7.5f, 0.0f);
    ASSERT_EQ(load(pl), 1);
    // Lift slope 0.1 per degree (5.73 per radian) on a wing of aspect ratio 7.5, e 0.8247: the
    // finite wing keeps 77.23 % of the section's slope.
    EXPECT_NEAR(pln[0].al_D_al0[5], 0.8452f, 5e-4f);
    EXPECT_NEAR(pln[0].cl_D_cl0[5], 0.9271f, 5e-4f);
    EXPECT_NEAR(pln[0].cm_D_cm0[5], 0.7895f, 5e-4f);
    EXPECT_NEAR(pln[0].alpha_max[5], 15.0f / 0.8452f, 0.02f);
    EXPECT_EQ(pln[0].delta_fac[5], 0.0f);   // no taper, no sweep
}

TEST_F(Loader, ElementAreasAndChordsFollowTheTaper)
{
    planestruct pl = syn_aircraft();
    pl.Croot[5] = 2.0f / FT;
    pl.Ctip[5] = 1.0f / FT;
    pl.semilen[5] = 4.0f / FT;
    pl.els[5] = 2;
    copy_foil(&pl, 5, 4);
    ASSERT_EQ(load(pl), 1);
    // Inner element 2 m to 1.5 m over 2 m of span, outer 1.5 m to 1 m.
    EXPECT_NEAR(pln[0].s[5][0], 3.5f, 1e-4f);
    EXPECT_NEAR(pln[0].mac[5][0], 1.7619f, 1e-4f);
    EXPECT_NEAR(pln[0].s[5][1], 2.5f, 1e-4f);
    EXPECT_NEAR(pln[0].mac[5][1], 1.2667f, 1e-4f);
    EXPECT_EQ(pln[0].flapEQ, 1);
    EXPECT_EQ(pln[0].slatEQ, 0);
}

TEST_F(Loader, BiplaneWingsShareOneInterferedSpanEfficiency)
{
    planestruct pl = syn_aircraft();
    wing(pl, 7.5f, 0.0f);
    // An upper wing like the lower one, the gap 0.2 of the two semi-spans together.
    planestruct& p = pl;
    p.els[9] = p.els[5];
    p.semilen[9] = p.semilen[5];
    p.Croot[9] = p.Croot[5];
    p.Ctip[9] = p.Ctip[5];
    p.Yarm[9] = p.Yarm[5] + 0.2f * 2.0f * p.semilen[5];
    syn_foils(p, 9, "NACA 2412 (popular).afl");
    copy_foil(&p, 9, 8);
    ASSERT_EQ(load(pl), 1);
    for (int part : {4, 5, 8, 9}) EXPECT_NEAR(pln[0].e[part], 0.6741f, 5e-4f) << part;
}

TEST_F(Loader, PanelsThatMeetTipToRootFlyAsOneWing)
{
    planestruct pl = syn_aircraft();
    // Inner panel 6 ft at 5 ft chord, outer panel 8 ft tapering 5 to 3 ft, root on the inner tip.
    pl.semilen[5] = 6.0f;
    pl.Croot[5] = pl.Ctip[5] = 5.0f;
    pl.dihed[5] = 0.0f;
    pl.els[7] = 4;
    pl.semilen[7] = 8.0f;
    pl.Croot[7] = 5.0f;
    pl.Ctip[7] = 3.0f;
    pl.Xarm[7] = 6.0f;
    pl.Yarm[7] = pl.Yarm[5];
    syn_foils(pl, 7, "NACA 2412 (popular).afl");
    copy_foil(&pl, 5, 4);
    copy_foil(&pl, 7, 6);
    ASSERT_EQ(load(pl), 1);
    // Both see the planform 5 ft root, 3 ft tip, 14 ft semi-span.
    EXPECT_NEAR(pln[0].AR[5], 2.0f * 14.0f / 4.0f, 1e-3f);
    EXPECT_NEAR(pln[0].AR[7], 2.0f * 14.0f / 4.0f, 1e-3f);
}

TEST_F(Loader, AirfoilsOfOneReynoldsNumberCoverEveryFlow)
{
    planestruct pl = syn_aircraft();
    syn_airfoil(dir.str(), "lo.afl", 0.1f, 0.2f, 15.0f, 0.006f, 6.0f);
    syn_airfoil(dir.str(), "hi.afl", 0.1f, 0.2f, 15.0f, 0.006f, 6.005f);
    syn_airfoil(dir.str(), "tlo.afl", 0.1f, 0.2f, 15.0f, 0.006f, 3.0f);
    syn_airfoil(dir.str(), "thi.afl", 0.1f, 0.2f, 15.0f, 0.006f, 9.0f);
    std::snprintf(afl_path, STR_LEN, "%s/", dir.str().c_str());
    for (int p = 0; p < 18; p++) {
        syn_text(pl.Rafl0[p], "lo.afl");
        syn_text(pl.Rafl1[p], "hi.afl");
        syn_text(pl.Tafl0[p], "tlo.afl");
        syn_text(pl.Tafl1[p], "thi.afl");
    }
    ASSERT_EQ(load(pl), 1);
    EXPECT_EQ(afl[0].Re[5][0][0], 0.0f);
    EXPECT_FLOAT_EQ(afl[0].Re[5][0][1], 99.9f);
    EXPECT_FLOAT_EQ(afl[0].Re[5][1][0], 3.0f);   // the tip's differ and stay
    EXPECT_FLOAT_EQ(afl[0].Re[5][1][1], 9.0f);
    EXPECT_NEAR(afl[0].al_zl[5][0][0], -2.0f, 1e-4f);
}

TEST_F(Loader, GearSpringsCarryTheWeightAtTheStaticCompression)
{
    struct Case {
        float lb;
        float compression;   // m
    } cases[] = {{2450.0f, 0.14650f}, {10000.0f, FT}, {4.0f, 0.150405f * FT}};
    for (const Case& c : cases) {
        fh_world();
        planestruct pl = syn_aircraft();
        pl.m_max = c.lb;
        pl.m_empty = c.lb * 0.6f;
        ASSERT_EQ(load(pl), 1);
        const planestruct& l = pln[0];
        float w = l.m_max * con.g;
        float base = l.mgearZ - l.ngearZ;
        float fn = w * l.mgearZ / base, fm = w * -l.ngearZ / base * 0.5f;
        EXPECT_NEAR(fm / l.mgearcon, c.compression, 1e-4f) << c.lb;
        // Tricycle: the nose spring is one main spring.
        EXPECT_EQ(l.ngearcon, l.mgearcon);
        EXPECT_NEAR(l.ngeardmp, 0.1f * l.ngearcon, 1e-3f * l.ngearcon);
        EXPECT_GT(fn, 0.0f);
    }
}

TEST_F(Loader, TailWheelAircraftGetsItsOwnTailSpringAndRestsNoseHigh)
{
    planestruct pl = syn_aircraft();
    pl.ngearZ = 18.0f;   // a tail wheel
    pl.ngearY = -1.5f;
    pl.mgearZ = -1.0f;
    pl.mgearY = -4.0f;
    ASSERT_EQ(load(pl), 1);
    const planestruct& l = pln[0];
    float w = l.m_max * con.g, base = l.mgearZ - l.ngearZ;
    float d = (0.15f + 1.35f * (2300.0f - 1.0f) / 9999.0f) * FT;
    EXPECT_NEAR(l.ngearcon, w * l.mgearZ / base / d, 1e-3f * l.ngearcon);
    EXPECT_NE(l.ngearcon, l.mgearcon);
    EXPECT_LT(l.nwsteer, 0.0f);   // a tail wheel steers the other way
    // The gear heights in the file put the tail 2.5 ft above the mains' line 19 ft behind them.
    EXPECT_NEAR(l.the_eqlbm, std::asin(2.5f / 19.0f) * 180.0f / PI, 0.01f);
}

TEST_F(Loader, AnExcessiveRestingAttitudeWarnsAndTheLoadGoesOn)
{
    planestruct pl = syn_aircraft();
    pl.ngearY = pl.mgearY + 7.0f * std::tan(31.0f * PI / 180.0f);   // 31 degrees over the 7 ft base
    ASSERT_EQ(load(pl), 1);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].code, 2002);
    EXPECT_EQ(recorded_alerts()[0].l1, "This thing sits on the ground with an excessive attitute.");
}

TEST_F(Loader, DesignChecksStopImpossibleAircraft)
{
    struct Case {
        const char* first_line;
        void (*spoil)(planestruct&);
    } cases[] = {
        {"You entered a Vne of zero!", [](planestruct& p) { p.Vne = 0; }},
        {"You have entered an empty weight of zero!", [](planestruct& p) { p.m_empty = 0; }},
        {"The center of gravity is not between the nose gear and the main gear!",
         [](planestruct& p) { p.mgearZ = -2.0f; }},
        {"You entered an idle rpm greater then the maximum engine rpm in Hullwright!",
         [](planestruct& p) { p.omegamin = 3000; }},
        {"You have entered a fuselage with at least two sections at the same station!",
         [](planestruct& p) { syn_section(p, 18, 4, 1.0f, 2.0f, 3.0f, -2.0f); }},
        {"You have selected an empty weight that is greater than the maximum weight for this airplane!",
         [](planestruct& p) { p.m_empty = 2400; }},
    };
    for (const auto& c : cases) {
        fh_world();
        clear_recorded_alerts();
        planestruct pl = syn_aircraft();
        c.spoil(pl);
        EXPECT_THROW(load(pl), FatalAlert) << c.first_line;
        ASSERT_FALSE(recorded_alerts().empty());
        EXPECT_EQ(recorded_alerts().back().l1, c.first_line);
        EXPECT_EQ(recorded_alerts().back().code, 2004);
    }
}

TEST_F(Loader, NegativeDragIsRefusedBeyondOneHundredth)
{
    planestruct pl = syn_aircraft();
    one_foil(pl, 0.1f, 0.1f, 15.0f, -0.005f);
    EXPECT_EQ(load(pl), 1);
    fh_world();
    planestruct bad = syn_aircraft();
    one_foil(bad, 0.1f, 0.1f, 15.0f, -0.02f);
    EXPECT_THROW(load(bad), FatalAlert);
    EXPECT_EQ(recorded_alerts().back().l1, "An airfoil used by this aircraft has negative drag at some angle of attack!");
}

TEST_F(Loader, CountsThatWouldOverrunTheArraysAreRefusedAndTheLoadedAircraftKept)
{
    ASSERT_EQ(load(syn_aircraft(), "good.acf"), 1);
    static planestruct before;
    std::memcpy(&before, &pln[0], sizeof before);
    struct Case {
        const char* what;
        void (*spoil)(planestruct&);
    } cases[] = {
        {"elements", [](planestruct& p) { p.els[5] = 9; }},
        {"negative elements", [](planestruct& p) { p.els[11] = -1; }},
        {"no elements", [](planestruct& p) { p.els[5] = 0; }},
        {"engines", [](planestruct& p) { p.numen = 5; }},
        {"engine type", [](planestruct& p) { p.entype = 9; }},
        {"blade elements", [](planestruct& p) { p.els[0] = 0; }},
    };
    for (const auto& c : cases) {
        clear_recorded_alerts();
        planestruct pl = syn_aircraft();
        c.spoil(pl);
        EXPECT_EQ(load(pl, "bad.acf"), 0) << c.what;
        ASSERT_EQ(recorded_alerts().size(), 1u) << c.what;
        EXPECT_EQ(recorded_alerts()[0].code, 2002);
        EXPECT_EQ(recorded_alerts()[0].l1, "This aircraft file cannot be flown:");
        // All but the names the caller set before asking for the new file.
        std::memcpy(pln[0].C_file, before.C_file, sizeof before.C_file);
        std::memcpy(pln[0].C_path, before.C_path, sizeof before.C_path);
        EXPECT_EQ(std::memcmp(&pln[0], &before, sizeof before), 0) << c.what;
    }
}

TEST_F(Loader, DerivedSumsStartFromZeroWhateverTheFileHeld)
{
    ASSERT_EQ(load(syn_aircraft(), "clean.acf"), 1);
    static planestruct clean;
    std::memcpy(&clean, &pln[0], sizeof clean);

    fh_world();
    planestruct dirty = syn_aircraft();
    dirty.fuseYcent = dirty.fuseZcent = 1e30f;
    dirty.Jxx_unitmass = dirty.Jyy_unitmass = dirty.Jzz_unitmass = -7.0f;
    dirty.fuse_s_sid = dirty.fuse_s_top = 55.0f;
    dirty.slatEQ = dirty.sbrkEQ = 1;
    for (int k = 0; k < 28; k++) dirty.spec_wash[k] = 3.0f;
    std::memset(dirty.in_downwash, 0xFF, sizeof dirty.in_downwash);
    std::memset(dirty.in_propwash, 0x01, sizeof dirty.in_propwash);
    ASSERT_EQ(load(dirty, "clean.acf"), 1);
    EXPECT_EQ(std::memcmp(&pln[0], &clean, sizeof clean), 0);
}

TEST_F(Loader, AForeignByteOrderLoadsLikeTheNativeOne)
{
    planestruct pl = syn_aircraft();
    ASSERT_EQ(load(pl, "native.acf"), 1);
    static planestruct native;
    std::memcpy(&native, &pln[0], sizeof native);

    // The same record written big-endian: header "a" and the version, then the swapped record.
    static planestruct swapped;
    std::memcpy(&swapped, &pl, sizeof pl);
    rev_pln_record(&swapped);
    std::string bytes = "a";
    const char version[4] = {0, 0, 0, 46};
    bytes.append(version, 4);
    bytes.append(reinterpret_cast<const char*>(&swapped), sizeof swapped);
    std::string path = dir.write("native.acf", bytes);
    fh_world();
    ASSERT_EQ(fh_load(path.c_str()), 1);
    EXPECT_EQ(std::memcmp(&pln[0], &native, sizeof native), 0);
}

TEST_F(Loader, ZeroChordsAndAnEngineWithoutRpmRangeStayFinite)
{
    planestruct pl = syn_aircraft();
    pl.Croot[12] = pl.Ctip[12] = 0.0f;   // a fin with no chord
    pl.omegamin = pl.omegamax = 2500;
    ASSERT_EQ(load(pl), 1);
    for (float v : {pln[0].AR[12], pln[0].e[12], pln[0].al_D_al0[12], pln[0].cl_D_cl0[12], pln[0].cm_D_cm0[12],
                    pln[0].alpha_max[12], pln[0].delta_fac[12], pln[0].mac[12][0]})
        EXPECT_TRUE(std::isfinite(v));
    fh_start_air(500.0f, 40.0f, 0.0f);
    for (int k = 0; k < 300; k++) {
        fh_frame();
        ASSERT_TRUE(fh_state_finite()) << k;
    }
}

TEST_F(Loader, MissingAircraftFilesFallBackOrStayAbsent)
{
    // The second aircraft is simply absent; its record is left alone.
    std::snprintf(pln[1].C_path, STR_LEN, "%s/nowhere.acf", dir.str().c_str());
    pln[1].numen = 3;
    EXPECT_EQ(load_plane(1), 0);
    EXPECT_EQ(pln[1].numen, 3);
    EXPECT_TRUE(recorded_alerts().empty());
    // The user's aircraft falls back to the default trainer.
    std::snprintf(pln[0].C_path, STR_LEN, "%s/nowhere.acf", dir.str().c_str());
    EXPECT_EQ(load_plane(0), 1);
    EXPECT_STREQ(pln[0].C_file, "Cessna 172 Skyhawk.acf");
    EXPECT_STREQ(pln[0].C_name, "Cessna 172 Skyhawk");
    EXPECT_GT(pln[0].m_max, 500.0f);
}

// Without a default aircraft the start cannot go on: a damaged one is reported once by its own alert
// and the end says it could not be read; only a missing one is "not found".
TEST_F(Loader, ADamagedOrMissingDefaultAircraftIsReportedOnceAndTruly)
{
    const std::string damaged = "An error occurred during read-in of the aircraft file.";
    const std::string unreadable = "The default aircraft, which is required to start up, could not be read:";
    const std::string not_found = "I could not find the plane you last flew, and I could also not find the following:";
    struct Case {
        const char* what;
        bool default_there;   // a damaged default file lies in its place
        bool flown_default;   // the preferences name the default aircraft
        const std::string* fatal;
        int damaged_alerts;
    };
    const Case cases[] = {
        {"the default damaged, and last flown", true, true, &unreadable, 1},
        {"the default damaged, another last flown and gone", true, false, &unreadable, 1},
        {"no default, another last flown and gone", false, false, &not_found, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir prog;
        std::snprintf(app_path, STR_LEN, "%s/", prog.str().c_str());
        const std::string def = prog.str() + "/" + DEFAULT_PLANE_DIR + DEFAULT_PLANE_FILE;
        // The header of a current aircraft file, then far too little of its record.
        if (c.default_there) prog.write(std::string(DEFAULT_PLANE_DIR) + DEFAULT_PLANE_FILE, std::string("i\x2e\0\0\0", 5) + "short");
        std::snprintf(pln[0].C_path, STR_LEN, "%s", c.flown_default ? def.c_str() : (prog.str() + "/gone.acf").c_str());
        clear_recorded_alerts();
        EXPECT_THROW(load_plane(0), FatalAlert);
        int damaged_seen = 0;
        for (const RecordedAlert& a : recorded_alerts()) damaged_seen += a.l1 == damaged;
        EXPECT_EQ(damaged_seen, c.damaged_alerts);
        ASSERT_FALSE(recorded_alerts().empty());
        const RecordedAlert& last = recorded_alerts().back();
        EXPECT_EQ(last.l1, *c.fatal);
        EXPECT_EQ(last.l2, def);
        EXPECT_EQ(last.code, ALERT_FATAL);
        EXPECT_EQ(recorded_alerts().size(), static_cast<size_t>(c.damaged_alerts + 1));
    }
}

TEST_F(Loader, PropellersTurnTheirWayAndShareTheirDiscIntoRings)
{
    planestruct pl = syn_aircraft();
    ASSERT_EQ(load(pl), 1);
    EXPECT_EQ(pln[0].propdir[0], 1);   // 0 in the file: clockwise
    float rings = 0.0f;
    for (int e = 0; e < pln[0].els[0]; e++) rings += pln[0].ringarea[0][e];
    EXPECT_NEAR(rings, pln[0].discarea[0], 1e-4f);
    EXPECT_NEAR(pln[0].discarea[0], PI * sqr(3.0f * FT), 1e-4f);
    EXPECT_GT(pln[0].miprop[0], 0.0f);

    fh_world();
    pl.propdir[0] = 1;
    ASSERT_EQ(load(pl), 1);
    EXPECT_EQ(pln[0].propdir[0], -1);
}

TEST_F(Loader, SlatsSpreadTheTablesOnlyWhereFitted)
{
    planestruct pl = syn_aircraft();
    pl.slat_inc = 6.0f;
    ASSERT_EQ(load(pl), 1);
    for (int p = 0; p < 28; p++) EXPECT_EQ(pln[0].slat_effect[p], 1.0f) << p;
    fh_world();
    pl.slat[5][3] = pl.slat[4][3] = 1;
    ASSERT_EQ(load(pl), 1);
    EXPECT_NEAR(pln[0].slat_effect[5], (pln[0].alpha_max[5] + 6.0f) / pln[0].alpha_max[5], 1e-5f);
    EXPECT_EQ(pln[0].slat_effect[10], 1.0f);
    EXPECT_EQ(pln[0].slatEQ, 1);
}

TEST_F(Loader, AHelicopterIsTakenToStallAtFiftyKnots)
{
    planestruct pl = syn_helicopter();
    ASSERT_EQ(load(pl), 1);
    EXPECT_NEAR(msc.est_Vs, 25.72f, 0.01f);
    EXPECT_EQ(pln[0].collectEQ, 1);
    EXPECT_STREQ(part_name(0, 0), "main rotor");
    EXPECT_STREQ(part_name(1, 0), "tail rotor");
}

TEST(LoaderHelpers, PartNamesPanelSeparationsAndCircleRows)
{
    clear_globals();
    EXPECT_STREQ(part_name(1, 0), "propeller 2");
    EXPECT_STREQ(part_name(5, 0), "rigt wing 1");
    EXPECT_STREQ(part_name(18, 0), "fuselage   ");
    EXPECT_STREQ(part_name(24, 0), "misc body 2");
    EXPECT_STREQ(part_name(28, 0), "");
    for (int i = 0; i < 9; i++) pln[0].ins_of_loc[i] = i;   // kinds 0, 4, 8 are narrow
    EXPECT_EQ(ret_ins_sep(4, 8, 0), 101);
    EXPECT_EQ(ret_ins_sep(1, 2, 0), 129);
    EXPECT_EQ(ret_ins_sep(1, 4, 0), 115);
    float y = -3.0f, l, r;
    work_down_circle(5.0f, &y, &l, &r);
    EXPECT_FLOAT_EQ(l, -4.0f);
    EXPECT_FLOAT_EQ(r, 4.0f);
    EXPECT_FLOAT_EQ(y, -2.0f);
}

TEST(LoaderHelpers, DownwashTablesAndTheirInterpolation)
{
    EXPECT_NEAR(findspecwash(0.0f, 0.6f, 9.0f, 0.5f), 5.1f, 1e-4f);
    EXPECT_NEAR(findspecwash(0.4f, 1.6f, 6.0f, 1.0f), 3.3f, 1e-4f);
    // Limits: beyond the table's aspect ratios and separations the ends hold.
    EXPECT_NEAR(findspecwash(0.0f, 0.1f, 40.0f, 0.0f), findspecwash(0.0f, 0.5f, 15.0f, 0.1f), 1e-5f);
    const float v[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_NEAR(interp9(6, 9, 12, 1, 0.5f, 0.2f, v, 9.0f, 0.5f), 5.0f, 1e-5f);
    EXPECT_NEAR(interp9(6, 9, 12, 1, 0.5f, 0.2f, v, 7.5f, 0.75f), 3.0f, 1e-5f);
    EXPECT_NEAR(interp9(6, 9, 12, 1, 0.5f, 0.2f, v, 15.0f, 0.5f), 11.0f, 1e-4f);   // extended past AR 12
    EXPECT_NEAR(findarea(0, 0, 0, 3, 0, 0, 0, 4, 0), 6.0f, 1e-6f);
}
