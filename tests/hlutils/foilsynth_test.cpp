// foilsynth_test.cpp -- the curve synthesis: its pinned figures, its guards and its range checks.
#include "hl_foilsynth.h"
#include "hl_types.h"
#include "kvtest.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// An airfoilstruct is large; tests build theirs on the heap.
std::unique_ptr<airfoilstruct> make_default()
{
    auto a = std::make_unique<airfoilstruct>();
    std::memset(a.get(), 0, sizeof(airfoilstruct));
    foil_defaults(a.get());
    foil_derive(a.get());
    return a;
}

TEST(FoilIndexAngle, TenthsWithinTwentyDegreesWholeDegreesBeyond)
{
    struct { int n; float deg; } rows[] = {
        {0, 0.0f}, {1, 0.1f}, {100, 10.0f}, {150, 15.0f}, {200, 20.0f}, {201, 21.0f},
        {270, 90.0f}, {-1, -0.1f}, {-200, -20.0f}, {-201, -21.0f}, {-270, -90.0f},
    };
    for (auto r : rows) EXPECT_FLOAT_EQ(foil_index_angle(r.n), r.deg) << "index " << r.n;
}

// The new-part airfoil's figures as worked out by hand from its constants.
TEST(FoilSynthesis, DefaultAirfoilHitsWorkedFigures)
{
    auto a = make_default();
    struct { const char* what; std::function<float(float)> f; float alpha, want, tol; } rows[] = {
        {"cl", [&](float x) { return fcolift(a.get(), x); }, 0.0f, 0.25f, 1e-6f},
        {"cl", [&](float x) { return fcolift(a.get(), x); }, 14.9f, 1.59862f, 2e-5f},
        {"cl", [&](float x) { return fcolift(a.get(), x); }, 15.0f, 1.5f, 1e-6f},   // stall branch at almax
        {"cl", [&](float x) { return fcolift(a.get(), x); }, 20.0f, 0.7f, 1e-6f},
        {"cl", [&](float x) { return fcolift(a.get(), x); }, -15.0f, -1.1f, 1e-6f},
        {"cl", [&](float x) { return fcolift(a.get(), x); }, -20.0f, -0.2f, 1e-6f},
        {"cl", [&](float x) { return fcolift(a.get(), x); }, 55.0f, 0.35f, 1e-6f},
        {"cl", [&](float x) { return fcolift(a.get(), x); }, -10.0f, -0.77f, 1e-6f},  // clB - 10 clM
        {"cl", [&](float x) { return fcolift(a.get(), x); }, 10.0f, 1.27f, 1e-6f},
        {"cl", [&](float x) { return fcolift(a.get(), x); }, 90.0f, 0.0f, 1e-7f},
        {"cl", [&](float x) { return fcolift(a.get(), x); }, -90.0f, 0.0f, 1e-7f},
        {"cd", [&](float x) { return fcodrag(a.get(), x); }, 0.0f, 0.0065043f, 5e-8f},
        {"cd", [&](float x) { return fcodrag(a.get(), x); }, 10.0f, 0.0114f, 1e-7f},
        {"cd", [&](float x) { return fcodrag(a.get(), x); }, 90.0f, 1.28f, 1e-6f},
        {"cd", [&](float x) { return fcodrag(a.get(), x); }, -90.0f, 1.28f, 1e-6f},
        {"cm", [&](float x) { return fcomomt(a.get(), x); }, -90.0f, 0.32f, 1e-6f},
        {"cm", [&](float x) { return fcomomt(a.get(), x); }, -20.0f, 0.05f, 1e-6f},
        {"cm", [&](float x) { return fcomomt(a.get(), x); }, -10.0f, -0.05f, 1e-6f},
        {"cm", [&](float x) { return fcomomt(a.get(), x); }, 3.0f, -0.0375f, 1e-6f},  // halfway -10..16
        {"cm", [&](float x) { return fcomomt(a.get(), x); }, 16.0f, -0.025f, 1e-6f},
        {"cm", [&](float x) { return fcomomt(a.get(), x); }, 20.0f, -0.075f, 1e-6f},
        {"cm", [&](float x) { return fcomomt(a.get(), x); }, 90.0f, -0.32f, 1e-6f},
    };
    for (auto& r : rows) EXPECT_NEAR(r.f(r.alpha), r.want, r.tol) << r.what << " at " << r.alpha;
}

TEST(FoilSynthesis, CurveEntriesFollowTheTableIndex)
{
    auto a = make_default();
    foilcurvestruct c;
    foil_generate(a.get(), DEVICE_AIRFOIL, &c);
    EXPECT_NEAR(c.cl[270], 0.25f, 1e-6f);           // index 0
    EXPECT_NEAR(c.cl[270 + 150], 1.5f, 1e-6f);      // 15 degrees
    EXPECT_NEAR(c.cl[270 + 200], 0.7f, 1e-6f);      // 20 degrees
    EXPECT_NEAR(c.cl[270 + 235], 0.35f, 1e-6f);     // index 235 is 55 degrees
    EXPECT_NEAR(c.cl[270 - 150], -1.1f, 1e-6f);     // -15 degrees
    EXPECT_NEAR(c.cd[270], 0.0065043f, 5e-8f);
    EXPECT_NEAR(c.cd[0], 1.28f, 1e-6f);             // -90 degrees
    EXPECT_NEAR(c.cd[540], 1.28f, 1e-6f);
    EXPECT_NEAR(c.cm[0], 0.32f, 1e-6f);
    EXPECT_NEAR(c.cm[540], -0.32f, 1e-6f);
    EXPECT_FLOAT_EQ(c.cls, 0.5f);
    EXPECT_FLOAT_EQ(c.cds, 50.0f);
    EXPECT_FLOAT_EQ(c.cms, 1.0f);
}

TEST(FoilSynthesis, DefaultFlapCubicsAtFullDeflection)
{
    auto a = make_default();
    foilcurvestruct c;
    foil_generate(a.get(), DEVICE_FLAP, &c);
    EXPECT_NEAR(c.cl[400], 1.4f, 1e-6f);
    EXPECT_NEAR(c.cd[400], 0.08f, 1e-6f);
    EXPECT_NEAR(c.cm[400], -0.8f, 1e-6f);
    EXPECT_FLOAT_EQ(c.cl[0], 0.0f);
    EXPECT_NEAR(c.cl[200], 2.0f * 0.5f - 0.6f * 0.125f, 1e-6f);  // half deflection
    EXPECT_FLOAT_EQ(c.cds, 5.0f);
}

// Constants on the edges of their ranges, or beyond them, must never make a NaN or an infinity.
TEST(FoilSynthesis, DegenerateConstantsStayFinite)
{
    struct { const char* what; std::function<void(airfoilstruct*)> set; } rows[] = {
        {"almax 20", [](airfoilstruct* a) { a->almax = 20.0f; }},
        {"almin -10", [](airfoilstruct* a) { a->almin = -10.0f; }},
        {"almax 10", [](airfoilstruct* a) { a->almax = 10.0f; }},
        {"almin -20", [](airfoilstruct* a) { a->almin = -20.0f; }},
        {"almin -25, almax 5", [](airfoilstruct* a) { a->almin = -25.0f; a->almax = 5.0f; }},
        {"zero lift slope", [](airfoilstruct* a) { a->clM[0][0][0] = 0.0f; }},
        {"zero slope and bucket", [](airfoilstruct* a) {
             a->clM[0][0][0] = 0.0f; a->Bwidth = 0.3f; a->Bdepth = 0.002f; }},
        {"minimum drag at 10 degrees", [](airfoilstruct* a) { a->DminCL = 0.25f + 10.0f * 0.102f; }},
        {"cmal2 at -20", [](airfoilstruct* a) { a->cmal2[0][0][0] = -20.0f; }},
        {"cmal2 equals cmal3", [](airfoilstruct* a) { a->cmal2[0][0][0] = a->cmal3[0][0][0] = 5.0f; }},
        {"cmal3 at 20", [](airfoilstruct* a) { a->cmal3[0][0][0] = 20.0f; }},
        {"moment points reversed", [](airfoilstruct* a) { a->cmal2[0][0][0] = 12.0f; a->cmal3[0][0][0] = -12.0f; }},
        {"zero powers", [](airfoilstruct* a) { a->Lpow = a->Lpowstl = a->Dpow = 0.0f; }},
        {"negative powers", [](airfoilstruct* a) { a->Lpow = a->Lpowstl = a->Dpow = -1.4f; }},
        {"bucket with zero power", [](airfoilstruct* a) { a->Bwidth = 0.3f; a->Bdepth = 0.002f; a->Bpower = 0.0f; }},
        {"bucket with tiny power", [](airfoilstruct* a) { a->Bwidth = 0.3f; a->Bdepth = 0.002f; a->Bpower = 1e-30f; }},
        {"everything zero", [](airfoilstruct* a) { std::memset(a, 0, sizeof *a); }},
        {"largest floats", [](airfoilstruct* a) {
             a->clB[0][0][0] = -3e38f; a->clM[0][0][0] = 1e-30f; a->Dmin = 3e38f; a->Dal10 = -3e38f;
             a->cm1[0][0][0] = 3e38f; a->cm2[0][0][0] = -3e38f; a->Lstall = 3e38f; a->Ldrop2 = -3e38f; }},
    };
    for (auto& r : rows) {
        auto a = make_default();
        r.set(a.get());
        foilcurvestruct c;
        foil_generate(a.get(), DEVICE_AIRFOIL, &c);
        int bad = 0;
        for (int i = 0; i < FOIL_CURVE_N; i++)
            if (!std::isfinite(c.cl[i]) || !std::isfinite(c.cd[i]) || !std::isfinite(c.cm[i])) bad++;
        EXPECT_EQ(bad, 0) << r.what;
    }
}

// On the edge of its range the stall angle is the stall point itself: the curve is whole there.
TEST(FoilSynthesis, StallOnTheRangeEdgeIsTheStallPoint)
{
    auto a = make_default();
    a->almax = 20.0f;
    a->almin = -10.0f;
    foil_derive(a.get());
    EXPECT_NEAR(fcolift(a.get(), 20.0f), 1.6f - 0.1f, 1e-6f);            // Lstall - Ldrop1
    EXPECT_NEAR(fcolift(a.get(), 55.0f), 0.75f, 1e-6f);                  // halfway down to 0 at 90
    EXPECT_NEAR(fcolift(a.get(), -10.0f), 2 * 0.25f - 1.6f, 1e-6f);      // the mirrored peak
    EXPECT_NEAR(fcolift(a.get(), -20.0f), 2 * 0.25f - 1.6f + 0.1f + 0.8f, 1e-6f);
    EXPECT_NEAR(fcolift(a.get(), 19.9f), 1.6f, 1e-3f);                   // just under the peak
}

TEST(FoilSynthesis, ZeroLiftSlopeGivesFlatLineAndPlainDrag)
{
    auto a = make_default();
    a->clM[0][0][0] = 0.0f;
    a->Bwidth = 0.3f;
    a->Bdepth = 0.002f;
    foil_derive(a.get());
    EXPECT_NEAR(fcolift(a.get(), 5.0f), 0.25f, 1e-6f);
    EXPECT_FLOAT_EQ(a->alDmin, 0.0f);
    EXPECT_NEAR(fcodrag(a.get(), 0.0f), 0.0065f, 1e-7f);  // no bucket, minimum at 0 degrees
    EXPECT_NEAR(fcodrag(a.get(), 10.0f), 0.0114f, 1e-7f);
}

TEST(FoilSynthesis, BucketTakesOffItsDepthAtTheCentreAndNothingAtItsEdge)
{
    auto plain = make_default();
    auto b = make_default();
    b->Bloc = 0.25f;     // centred on zero degrees
    b->Bwidth = 0.408f;  // 4 degrees full width at clM 0.102
    b->Bdepth = 0.002f;
    b->Bpower = 2.0f;
    foil_derive(b.get());
    EXPECT_NEAR(b->Bwidth2, 4.0f, 1e-5f);
    EXPECT_NEAR(fcodrag(b.get(), 0.0f), fcodrag(plain.get(), 0.0f) - 0.002f, 1e-7f);
    EXPECT_NEAR(fcodrag(b.get(), 2.0f), fcodrag(plain.get(), 2.0f) - 0.001f, 1e-7f);  // half depth at half width
    EXPECT_NEAR(fcodrag(b.get(), 4.0f), fcodrag(plain.get(), 4.0f), 1e-7f);
    EXPECT_NEAR(fcodrag(b.get(), 6.0f), fcodrag(plain.get(), 6.0f), 1e-9f);
    EXPECT_NEAR(fcodrag(b.get(), -3.0f), fcodrag(plain.get(), -3.0f) - 0.00025f, 1e-7f);  // ((3-4)/(2-4))^2 * 0.001
}

TEST(FoilSynthesis, BucketNeedsAllThreeConstants)
{
    auto plain = make_default();
    struct { float w, d, p; } rows[] = {{0.0f, 0.002f, 2.0f}, {0.4f, 0.0f, 2.0f}, {0.4f, 0.002f, 0.0f}};
    for (auto r : rows) {
        auto b = make_default();
        b->Bwidth = r.w;
        b->Bdepth = r.d;
        b->Bpower = r.p;
        b->Bloc = 0.25f;
        foil_derive(b.get());
        for (float al = -20.0f; al <= 20.0f; al += 0.5f)
            ASSERT_FLOAT_EQ(fcodrag(b.get(), al), fcodrag(plain.get(), al)) << r.w << " " << r.d << " " << r.p;
    }
}

TEST(FoilSynthesis, DragNeverNegative)
{
    auto a = make_default();
    a->Bloc = 0.25f;
    a->Bwidth = 1.0f;
    a->Bdepth = 0.05f;  // far deeper than the drag itself
    foil_derive(a.get());
    foilcurvestruct c;
    foil_generate(a.get(), DEVICE_AIRFOIL, &c);
    for (int i = 0; i < FOIL_CURVE_N; i++) ASSERT_GE(c.cd[i], 0.0f) << i;
    EXPECT_FLOAT_EQ(c.cd[270], 0.0f);
}

TEST(FoilCheck, DefaultsPassAndEachBadConstantIsNamed)
{
    auto a = make_default();
    EXPECT_EQ(foil_check(a.get(), DEVICE_AIRFOIL), nullptr);
    EXPECT_EQ(foil_check(a.get(), DEVICE_FLAP), nullptr);

    struct { const char* field; int device; std::function<void(airfoilstruct*)> set; } rows[] = {
        {"trat", DEVICE_AIRFOIL, [](airfoilstruct* x) { x->trat[0][0] = 0.0f; }},
        {"Re", DEVICE_AIRFOIL, [](airfoilstruct* x) { x->Re[0][0][0] = -1.0f; }},
        {"almin", DEVICE_AIRFOIL, [](airfoilstruct* x) { x->almin = -9.0f; }},
        {"almax", DEVICE_AIRFOIL, [](airfoilstruct* x) { x->almax = 21.0f; }},
        {"clM", DEVICE_AIRFOIL, [](airfoilstruct* x) { x->clM[0][0][0] = 0.0f; }},
        {"clM", DEVICE_AIRFOIL, [](airfoilstruct* x) { x->clM[0][0][0] = NAN; }},
        {"Lpow", DEVICE_AIRFOIL, [](airfoilstruct* x) { x->Lpow = 0.0f; }},
        {"Dmin", DEVICE_AIRFOIL, [](airfoilstruct* x) { x->Dmin = 0.0f; }},
        {"cm4", DEVICE_AIRFOIL, [](airfoilstruct* x) { x->cm4[0][0][0] = INFINITY; }},
        {"Lstall", DEVICE_AIRFOIL, [](airfoilstruct* x) { x->Lstall = 1.2f; }},  // below clB + 10 clM
        {"Ldrop1", DEVICE_AIRFOIL, [](airfoilstruct* x) { x->Lstall = 1.3f; x->Ldrop1 = 1.5f; }},
        {"Dal10", DEVICE_AIRFOIL, [](airfoilstruct* x) { x->Dal10 = 0.005f; }},
        {"DminCL", DEVICE_AIRFOIL, [](airfoilstruct* x) { x->DminCL = 1.3f; }},  // minimum drag at 10 degrees
        {"cmal3", DEVICE_AIRFOIL, [](airfoilstruct* x) { x->cmal3[0][0][0] = -12.0f; }},
        {"Bdepth", DEVICE_AIRFOIL, [](airfoilstruct* x) { x->Bdepth = 0.008f; }},
        {"FLPlco1", DEVICE_FLAP, [](airfoilstruct* x) { x->FLPlco1 = 6.0f; }},
        {"FLPmco3", DEVICE_FLAP, [](airfoilstruct* x) { x->FLPmco3 = NAN; }},
    };
    for (auto& r : rows) {
        auto b = make_default();
        r.set(b.get());
        const char* got = foil_check(b.get(), r.device);
        ASSERT_NE(got, nullptr) << r.field;
        EXPECT_STREQ(got, r.field);
    }
}

TEST(FoilFields, TablesNameEveryConstantOnceInFileOrder)
{
    EXPECT_STREQ(afl_fields[0].name, "trat");
    EXPECT_STREQ(afl_fields[3].name, "almax");
    EXPECT_STREQ(afl_fields[AFL_NUM_FIELDS - 1].name, "Bloc");
    EXPECT_STREQ(flp_fields[0].name, "FLPlco1");
    EXPECT_STREQ(flp_fields[FLP_NUM_FIELDS - 1].name, "FLPmco3");
    // Every field points at its own float.
    auto a = make_default();
    for (int i = 0; i < AFL_NUM_FIELDS; i++)
        for (int j = i + 1; j < AFL_NUM_FIELDS; j++) EXPECT_NE(afl_fields[i].at(a.get()), afl_fields[j].at(a.get()));
    EXPECT_EQ(afl_fields[5].at(a.get()), &a->clM[0][0][0]);
}

}  // namespace
