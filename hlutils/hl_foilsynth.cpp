// hl_foilsynth.cpp -- an airfoil's or a flap's coefficient curves synthesised from a few constants.
#include "hl_foilsynth.h"

#include <cfloat>
#include <cmath>

// The constants in the part file's order, with the ranges a bundled part keeps them in.
#define AFL_AT(f) [](airfoilstruct* a) -> float* { return &a->f[0][0][0]; }
#define AFL_AT2(f) [](airfoilstruct* a) -> float* { return &a->f[0][0]; }
#define AFL_SC(f) [](airfoilstruct* a) -> float* { return &a->f; }

const foilfield afl_fields[AFL_NUM_FIELDS] = {
    {"trat", AFL_AT2(trat), 0.01f, 0.40f},
    {"Re", AFL_AT(Re), 0.01f, 99.9f},
    {"almin", AFL_SC(almin), -20.0f, -10.0f},
    {"almax", AFL_SC(almax), 10.0f, 20.0f},
    {"clB", AFL_AT(clB), -1.5f, 1.5f},
    {"clM", AFL_AT(clM), 0.01f, 0.3f},
    {"Lpow", AFL_SC(Lpow), 0.1f, 10.0f},
    {"Lstall", AFL_SC(Lstall), 0.2f, 4.0f},
    {"Ldrop1", AFL_SC(Ldrop1), 0.0f, 2.0f},
    {"Ldrop2", AFL_SC(Ldrop2), 0.0f, 3.0f},
    {"Lpowstl", AFL_SC(Lpowstl), 0.1f, 10.0f},
    {"DminCL", AFL_SC(DminCL), -1.5f, 1.5f},
    {"Dmin", AFL_SC(Dmin), 0.001f, 0.1f},
    {"Dal10", AFL_SC(Dal10), 0.001f, 0.5f},
    {"Dpow", AFL_SC(Dpow), 0.5f, 6.0f},
    {"cmal2", AFL_AT(cmal2), -20.0f, 20.0f},
    {"cmal3", AFL_AT(cmal3), -20.0f, 20.0f},
    {"cm1", AFL_AT(cm1), -1.0f, 1.0f},
    {"cm2", AFL_AT(cm2), -1.0f, 1.0f},
    {"cm3", AFL_AT(cm3), -1.0f, 1.0f},
    {"cm4", AFL_AT(cm4), -1.0f, 1.0f},
    {"Bwidth", AFL_SC(Bwidth), 0.0f, 2.0f},
    {"Bdepth", AFL_SC(Bdepth), 0.0f, 0.1f},
    {"Bpower", AFL_SC(Bpower), 0.0f, 10.0f},
    {"Bloc", AFL_SC(Bloc), -1.5f, 1.5f},
};

const foilfield flp_fields[FLP_NUM_FIELDS] = {
    {"FLPlco1", AFL_SC(FLPlco1), -5.0f, 5.0f}, {"FLPlco2", AFL_SC(FLPlco2), -5.0f, 5.0f},
    {"FLPlco3", AFL_SC(FLPlco3), -5.0f, 5.0f}, {"FLPdco1", AFL_SC(FLPdco1), -5.0f, 5.0f},
    {"FLPdco2", AFL_SC(FLPdco2), -5.0f, 5.0f}, {"FLPdco3", AFL_SC(FLPdco3), -5.0f, 5.0f},
    {"FLPmco1", AFL_SC(FLPmco1), -5.0f, 5.0f}, {"FLPmco2", AFL_SC(FLPmco2), -5.0f, 5.0f},
    {"FLPmco3", AFL_SC(FLPmco3), -5.0f, 5.0f},
};

#undef AFL_AT
#undef AFL_AT2
#undef AFL_SC

// Below this a denominator counts as zero.
static const double TINY = 1e-9;

// num/den, or 0 when den is zero: at a stall angle on the very edge of its range (almax 20,
// almin -10) the curve formulas meet 0/0, and the curve there is the stall point itself.
static double ratio(double num, double den)
{
    if (std::fabs(den) < TINY) return 0.0;
    return num / den;
}

// base^p for the curve shapes. The bases are non-negative for constants in range; a negative one
// (constants out of range) counts as 0 rather than making a NaN. Powers are kept above 0.01 so
// that 0^p stays 0 and never becomes infinite.
static double shape_pow(double base, double p)
{
    if (!(base > 0.0)) return 0.0;
    if (!(p > 0.01)) p = 0.01;
    return std::pow(base, p);
}

// The straight line through (x1, y1) and (x2, y2) at x; y1 when the two abscissae meet.
static double line_at(double x1, double y1, double x2, double y2, double x)
{
    if (std::fabs(x2 - x1) < TINY) return y1;
    return y1 + (y2 - y1) * (x - x1) / (x2 - x1);
}

// A finite float: the last guard before a value reaches a curve or a file. Not a number gives 0,
// a value beyond the float range the largest float of its sign.
static float finite_or_zero(double v)
{
    if (std::isnan(v)) return 0.0f;
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(v);
}

float foil_index_angle(int n)
{
    if (n > 200) return static_cast<float>(n - 180);
    if (n < -200) return static_cast<float>(n + 180);
    return static_cast<float>(n) / 10.0f;
}

void foil_defaults(airfoilstruct* a)
{
    a->trat[0][0] = 0.1f;
    a->Re[0][0][0] = 4.5f;
    a->clB[0][0][0] = 0.25f;
    a->clM[0][0][0] = 0.102f;
    a->Lpow = 1.4f;
    a->Lstall = 1.6f;
    a->Ldrop1 = 0.1f;
    a->Ldrop2 = 0.8f;
    a->Lpowstl = 1.4f;
    a->almin = -15.0f;
    a->almax = 15.0f;
    a->DminCL = 0.2f;
    a->Dmin = 0.0065f;
    a->Dal10 = 0.0114f;
    a->Dpow = 2.3f;
    a->Bwidth = 0.0f;
    a->Bdepth = 0.0f;
    a->Bpower = 2.0f;
    a->Bloc = 0.0f;
    a->cmal2[0][0][0] = -10.0f;
    a->cmal3[0][0][0] = 16.0f;
    a->cm1[0][0][0] = 0.05f;
    a->cm2[0][0][0] = -0.05f;
    a->cm3[0][0][0] = -0.025f;
    a->cm4[0][0][0] = -0.075f;

    a->FLPlco1 = 2.0f;
    a->FLPlco2 = 0.0f;
    a->FLPlco3 = -0.6f;
    a->FLPdco1 = 0.04f;
    a->FLPdco2 = 0.04f;
    a->FLPdco3 = 0.0f;
    a->FLPmco1 = -0.6f;
    a->FLPmco2 = -0.1f;
    a->FLPmco3 = -0.1f;
}

void foil_derive(airfoilstruct* a)
{
    const double clB = a->clB[0][0][0];
    const double clM = a->clM[0][0][0];

    a->linlolift = static_cast<float>(clB - 10.0 * clM);
    a->linhilift = static_cast<float>(clB + 10.0 * clM);
    a->almintoend = a->almin + 20.0f;
    a->almintolin = a->almin + 10.0f;
    a->almaxtoend = a->almax - 20.0f;
    a->almaxtolin = a->almax - 10.0f;
    a->Llintostall = a->Lstall - a->linhilift;
    a->LstallnegPLdrop1 = static_cast<float>(2.0 * clB - a->Lstall + a->Ldrop1);
    a->LstallposMLdrop1 = a->Lstall - a->Ldrop1;

    // A zero lift slope leaves the angles of minimum drag and of the bucket undefined: both go to
    // zero degrees, and the bucket closes.
    a->alDmin = finite_or_zero(ratio(a->DminCL - clB, clM));
    a->tenMalDmin = 10.0f - a->alDmin;
    a->delD = a->Dal10 - a->Dmin;
    a->Blocalpha = finite_or_zero(ratio(a->Bloc - clB, clM));
    a->Bwidth1 = finite_or_zero(ratio(a->Bwidth / 2.0, clM));
    a->Bwidth2 = finite_or_zero(ratio(a->Bwidth, clM));
    a->Bpwr1 = a->Bpower;
    a->Bpwr2 = finite_or_zero(ratio(1.0, a->Bpower));
    // The bucket takes Bdepth1 off at half its width and Bdepth in all at its centre.
    a->Bdepth1 = 0.5f * a->Bdepth;
    a->Bdepth2 = a->Bdepth - a->Bdepth1;
}

// Lift from -20 to 20 degrees: the straight line within +-10, power-law blends into the stall and
// after it in between.
static double lift_inner(const airfoilstruct* a, double al)
{
    const double clB = a->clB[0][0][0];
    const double clM = a->clM[0][0][0];

    if (al >= -20.0 && al <= -10.0) {
        if (al >= a->almin)
            return (shape_pow(ratio(a->almin - al, a->almintolin), a->Lpow) - 1.0) * a->Llintostall +
                   a->linlolift;
        return shape_pow(ratio(a->almin - al, a->almintoend), a->Lpowstl) * a->Ldrop2 + a->LstallnegPLdrop1;
    }
    if (al >= 10.0 && al <= 20.0) {
        if (al >= a->almax)
            return a->LstallposMLdrop1 - shape_pow(ratio(a->almax - al, a->almaxtoend), a->Lpowstl) * a->Ldrop2;
        return a->linhilift - (shape_pow(ratio(a->almax - al, a->almaxtolin), a->Lpow) - 1.0) * a->Llintostall;
    }
    return clM * al + clB;
}

float fcolift(const airfoilstruct* a, float alpha)
{
    double al = alpha;
    if (al > 90.0) al = 90.0;
    if (al < -90.0) al = -90.0;
    double cl;
    if (al > 20.0)
        cl = line_at(20.0, lift_inner(a, 20.0), 90.0, 0.0, al);
    else if (al < -20.0)
        cl = line_at(-20.0, lift_inner(a, -20.0), -90.0, 0.0, al);
    else
        cl = lift_inner(a, al);
    return finite_or_zero(cl);
}

// Drag from -20 to 20 degrees: a power law about the angle of minimum drag, less the low-drag bucket.
static double drag_inner(const airfoilstruct* a, double al)
{
    double cd = shape_pow(std::fabs(ratio(al - a->alDmin, a->tenMalDmin)), a->Dpow) * a->delD + a->Dmin;
    if (a->Bwidth > 0.0f && a->Bdepth > 0.0f && a->Bpower > 0.0f) {
        const double m = std::fabs(al - a->Blocalpha);
        if (m >= a->Bwidth1 && m <= a->Bwidth2)
            cd -= shape_pow(ratio(m - a->Bwidth2, a->Bwidth1 - a->Bwidth2), a->Bpwr1) * a->Bdepth1;
        else if (m < a->Bwidth1)
            cd -= shape_pow(ratio(a->Bwidth1 - m, a->Bwidth1), a->Bpwr2) * a->Bdepth2 + a->Bdepth1;
    }
    return cd < 0.0 ? 0.0 : cd;
}

float fcodrag(const airfoilstruct* a, float alpha)
{
    double al = alpha;
    if (al > 90.0) al = 90.0;
    if (al < -90.0) al = -90.0;
    double cd;
    if (al > 20.0)
        cd = line_at(20.0, drag_inner(a, 20.0), 90.0, 1.28, al);
    else if (al < -20.0)
        cd = line_at(-20.0, drag_inner(a, -20.0), -90.0, 1.28, al);
    else
        cd = drag_inner(a, al);
    return finite_or_zero(cd);
}

float fcomomt(const airfoilstruct* a, float alpha)
{
    const double cmal2 = a->cmal2[0][0][0], cmal3 = a->cmal3[0][0][0];
    const double cm1 = a->cm1[0][0][0], cm2 = a->cm2[0][0][0];
    const double cm3 = a->cm3[0][0][0], cm4 = a->cm4[0][0][0];
    double al = alpha;
    if (al > 90.0) al = 90.0;
    if (al < -90.0) al = -90.0;
    double cm;
    if (al <= -20.0)
        cm = line_at(-90.0, 0.32, -20.0, cm1, al);
    else if (al <= cmal2)
        cm = line_at(-20.0, cm1, cmal2, cm2, al);
    else if (al <= cmal3)
        cm = line_at(cmal2, cm2, cmal3, cm3, al);
    else if (al <= 20.0)
        cm = line_at(cmal3, cm3, 20.0, cm4, al);
    else
        cm = line_at(20.0, cm4, 90.0, -0.32, al);
    return finite_or_zero(cm);
}

void foil_generate(airfoilstruct* a, int device, foilcurvestruct* c)
{
    if (device == DEVICE_FLAP) {
        for (int i = 0; i < FLAP_CURVE_N; i++) {
            const double x = i / 400.0;
            c->cl[i] = finite_or_zero(a->FLPlco1 * x + a->FLPlco2 * x * x + a->FLPlco3 * x * x * x);
            c->cd[i] = finite_or_zero(a->FLPdco1 * x + a->FLPdco2 * x * x + a->FLPdco3 * x * x * x);
            c->cm[i] = finite_or_zero(a->FLPmco1 * x + a->FLPmco2 * x * x + a->FLPmco3 * x * x * x);
        }
        for (int i = FLAP_CURVE_N; i < FOIL_CURVE_N; i++) c->cl[i] = c->cd[i] = c->cm[i] = 0.0f;
        c->cls = 0.5f;
        c->cds = 5.0f;
        c->cms = 1.0f;
        return;
    }
    foil_derive(a);
    for (int i = 0; i < FOIL_CURVE_N; i++) {
        const float al = foil_index_angle(i - 270);
        c->cl[i] = fcolift(a, al);
        c->cd[i] = fcodrag(a, al);
        c->cm[i] = fcomomt(a, al);
    }
    c->cls = 0.5f;
    c->cds = 50.0f;
    c->cms = 1.0f;
}

const char* foil_check(airfoilstruct* a, int device)
{
    const foilfield* fields = device == DEVICE_FLAP ? flp_fields : afl_fields;
    const int count = device == DEVICE_FLAP ? FLP_NUM_FIELDS : AFL_NUM_FIELDS;
    for (int i = 0; i < count; i++) {
        const float v = *fields[i].at(a);
        if (!(v >= fields[i].lo && v <= fields[i].hi)) return fields[i].name;
    }
    if (device == DEVICE_FLAP) return nullptr;

    // Each constant is in range; now the ones that must agree with each other.
    const float clB = a->clB[0][0][0], clM = a->clM[0][0][0];
    if (a->Lstall < clB + 10.0f * clM) return "Lstall";  // the stall lies above the straight line's end
    if (a->Ldrop1 > a->Lstall) return "Ldrop1";
    if (a->Dal10 < a->Dmin) return "Dal10";
    if (std::fabs((a->DminCL - clB) / clM) > 9.0f) return "DminCL";  // minimum drag within +-9 degrees
    if (a->cmal2[0][0][0] > a->cmal3[0][0][0]) return "cmal3";
    if (a->Bdepth > a->Dmin) return "Bdepth";
    return nullptr;
}
