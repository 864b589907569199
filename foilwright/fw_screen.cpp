// fw_screen.cpp -- Foilwright's screen: the constants' entry fields with their help texts, the live
// plot of the curves against alpha or the lift coefficient, the cursor and its readouts.
#include "foilwright.h"

#include "hl_btn.h"
#include "hl_graph.h"
#include "hl_types.h"

#include <cmath>
#include <cstring>

namespace {

// The graph: 400 by 400 units, its zero line at y 340, 200 units per unit of plotted value.
constexpr float GRAPH_X1 = 250, GRAPH_X2 = 650, GRAPH_Y1 = 140, GRAPH_Y2 = 540;
constexpr int SAMPLES = 401;
constexpr int AIRFOIL_FIRST = 70;   // curve entry of sample 0: table index -200, -20 degrees

struct help_entry {
    const char* name;
    const char* text;
};

const char k_flap_lift_help[] =
    "The lift coefficient is an indication of the amount of lift the flap adds to the wing when the flaps are "
    "deployed. This number will basically always be positive. (flaps add lift) The right-hand side of this graph "
    "applies to full flap deflection, however many degrees that may be.";
const char k_flap_drag_help[] =
    "The drag coefficient is an indication of the amount of drag the flap adds to the wing when the flaps are "
    "deployed. This number will basically always be positive. (flaps add drag) The right-hand side of this graph "
    "applies to full flap deflection, however many degrees that may be.";
const char k_flap_moment_help[] =
    "The moment coefficient is an indication of the amount of pitching moment the flap adds to the wing when the "
    "flaps are deployed. This number will basically always be negative. (flaps make the wing pitch down) The "
    "right-hand side of this graph applies to full flap deflection, however many degrees that may be.";
const char k_cmal_help[] =
    "This is the angle of attack at which the airfoil pitching-moment changes... it is almost always the same as "
    "the stalling angle of attack, entered below.";
const char k_cm23_help[] =
    "This is the coefficient of pitching moment at the pitch-moment change entered above. The pitch moment is an "
    "indication of how much the airfoil tends to twist UP. Since airfoils almost always pitch DOWN, this number is "
    "almost always negative.";

const help_entry k_help[] = {
    {"Re", "Reynolds number basically is equal to the CHORD (size) of the wing times the SPEED of the airplane times "
           "a constant. Light planes may have a Reynolds number of about 9 million."},
    {"trat", "Thickness ratio is the ratio of how THICK the airfoil is at it's thickest point to it's CHORD (from "
             "leading edge to trailing edge). Typical thickness ratios go from about 0.08 (for a thin, low-drag "
             "airfoil) to 0.16 (for a thick, hi-lift airfoil)."},
    {"clB", "The lift intercept is the amount of lift the foil puts out at zero degrees angle of attack. This is the "
            "lift when the wing is aimed straight into the wind, and is not pitched up at all. 0.20 is a typical "
            "value."},
    {"clM", "The lift slope is the amount of lift the airfoil puts out for each degree angle of attack the wing has "
            "on the air. Airfoils almost always have a lift slope of very close to 0.1."},
    {"Lpow", "Tune this number so the lift curve transitions smoothly into the stall."},
    {"Lstall", "This is the maximum coefficient of lift that the airfoil can put out. 1.6 is common."},
    {"Ldrop1", "This is an indication of how sharp the stall is... a foil with a sharper stall will lose lift more "
               "abruptly when the wing goes to too high an angle of attack. A larger number here will result in a "
               "more sudden stall with a sharper drop of the airplane in flight."},
    {"Lpowstl", "Tune this number so the lift curve transitions smoothly after the stall."},
    {"Ldrop2", "This is an indication of how much lift is lost after the stall... thick and suercritical airfoils "
               "lose little lift, but thin low-drag airfoils lose a lot of lift here."},
    {"Dmin", "This is the minimum parasite drag coefficient of the airfoil. It probably occurs at an angle of attack "
             "close to zero degrees."},
    {"DminCL", "This is the coefficient of lift at which the minimum drag coefficient is achieved. It is probably "
               "close to the lift intercept value you entered above."},
    {"Dal10", "This is the parasite drag coefficient of the airfoil at an angle of attack of 10 degrees."},
    {"Dpow", "This number is theoretically close to 2.0, but you can tune it to fit actual data."},
    {"Bloc", "Some airfoils have a range of angle of attack in which their drag is very low: a low-drag bucket. "
             "This is the coefficient of lift at the center of that low-drag bucket, if there is one."},
    {"Bwidth", "This is the width of the low-drag bucket in coefficient of lift: the range of lift coefficient "
               "across which the drag is reduced. Zero means there is no bucket."},
    {"Bdepth", "This is how much the drag coefficient is reduced inside the low-drag bucket, if at all."},
    {"Bpower", "This is the power of the curvature of the sides of the low-drag bucket. 2.0 might be a good guess."},
    {"cmal2", k_cmal_help},
    {"cmal3", k_cmal_help},
    {"cm1", "This is the coefficient of pitching moment at -20 degrees angle of attack. The pitch moment is an "
            "indication of how much the airfoil tends to twist UP. Since airfoils almost always pitch DOWN, this "
            "number is almost always negative."},
    {"cm2", k_cm23_help},
    {"cm3", k_cm23_help},
    {"cm4", "This is the coefficient of pitching moment at  20 degrees angle of attack. The pitch moment is an "
            "indication of how much the airfoil tends to twist UP. Since airfoils almost always pitch DOWN, this "
            "number is almost always negative."},
    {"almin", "This is the negative angle of attack at which the airfoil stalls. The stall is the point at which the "
              "airfoil cannot put out any more lift and (usually abrubtly) throws in the towel and loses lift."},
    {"almax", "This is the positive angle of attack at which the airfoil stalls. The stall is the point at which the "
              "airfoil cannot put out any more lift and (usually abrubtly) throws in the towel and loses lift."},
    {"FLPlco1", k_flap_lift_help},   {"FLPlco2", k_flap_lift_help},   {"FLPlco3", k_flap_lift_help},
    {"FLPdco1", k_flap_drag_help},   {"FLPdco2", k_flap_drag_help},   {"FLPdco3", k_flap_drag_help},
    {"FLPmco1", k_flap_moment_help}, {"FLPmco2", k_flap_moment_help}, {"FLPmco3", k_flap_moment_help},
};

// One entry field: the constant it edits, where and how it is drawn. A range field (ranged 1) keeps
// the value inside lo..hi; the others are kept inside what their places show.
struct field {
    const char* name;
    float* (*at)(void);
    int colour;
    float x, y;
    int digits, decimals, is_signed;
    int ranged;
    float lo, hi;
};

#define AT3(f) [] { return &afl[0].f[0][0][0]; }
#define AT2(f) [] { return &afl[0].f[0][0]; }
#define AT(f) [] { return &afl[0].f; }

const field k_airfoil_fields[] = {
    {"Re", AT3(Re), 1, 152, 540, 3, 1, 0, 0, 0, 0},
    {"trat", AT2(trat), 1, 184, 502, 3, 2, 0, 0, 0, 0},
    {"clB", AT3(clB), 1, 9, 454, 5, 4, 1, 0, 0, 0},
    {"clM", AT3(clM), 1, 70, 454, 5, 4, 1, 0, 0, 0},
    {"Lpow", AT(Lpow), 1, 131, 454, 5, 4, 1, 0, 0, 0},
    {"Lstall", AT(Lstall), 1, 192, 454, 5, 4, 1, 0, 0, 0},
    {"Ldrop1", AT(Ldrop1), 1, 9, 401, 5, 4, 1, 0, 0, 0},
    {"Lpowstl", AT(Lpowstl), 1, 70, 401, 5, 4, 1, 0, 0, 0},
    {"Ldrop2", AT(Ldrop2), 1, 131, 401, 5, 4, 1, 0, 0, 0},
    {"Dmin", AT(Dmin), 2, 9, 348, 5, 4, 1, 0, 0, 0},
    {"DminCL", AT(DminCL), 2, 70, 348, 5, 4, 1, 0, 0, 0},
    {"Dal10", AT(Dal10), 2, 131, 348, 5, 4, 1, 0, 0, 0},
    {"Dpow", AT(Dpow), 2, 192, 348, 5, 4, 1, 0, 0, 0},
    {"Bloc", AT(Bloc), 2, 9, 295, 5, 4, 1, 0, 0, 0},
    {"Bwidth", AT(Bwidth), 2, 70, 295, 5, 4, 1, 0, 0, 0},
    {"Bdepth", AT(Bdepth), 2, 131, 295, 5, 4, 1, 0, 0, 0},
    {"Bpower", AT(Bpower), 2, 192, 295, 5, 4, 1, 0, 0, 0},
    {"cmal2", AT3(cmal2), 3, 70, 242, 5, 3, 1, 0, 0, 0},
    {"cmal3", AT3(cmal3), 3, 131, 242, 5, 3, 1, 0, 0, 0},
    {"cm1", AT3(cm1), 3, 9, 189, 5, 4, 1, 0, 0, 0},
    {"cm2", AT3(cm2), 3, 70, 189, 5, 4, 1, 0, 0, 0},
    {"cm3", AT3(cm3), 3, 131, 189, 5, 4, 1, 0, 0, 0},
    {"cm4", AT3(cm4), 3, 192, 189, 5, 4, 1, 0, 0, 0},
    {"almin", AT(almin), 6, 70, 136, 5, 3, 1, 1, -20.0f, -10.001f},
    {"almax", AT(almax), 6, 131, 136, 5, 3, 1, 1, 10.001f, 20.0f},
};

const field k_flap_fields[] = {
    {"FLPlco1", AT(FLPlco1), 1, 9, 454, 5, 4, 1, 0, 0, 0},
    {"FLPlco2", AT(FLPlco2), 1, 70, 454, 5, 4, 1, 0, 0, 0},
    {"FLPlco3", AT(FLPlco3), 1, 131, 454, 5, 4, 1, 0, 0, 0},
    {"FLPdco1", AT(FLPdco1), 2, 9, 401, 5, 4, 1, 0, 0, 0},
    {"FLPdco2", AT(FLPdco2), 2, 70, 401, 5, 4, 1, 0, 0, 0},
    {"FLPdco3", AT(FLPdco3), 2, 131, 401, 5, 4, 1, 0, 0, 0},
    {"FLPmco1", AT(FLPmco1), 3, 9, 348, 5, 4, 1, 0, 0, 0},
    {"FLPmco2", AT(FLPmco2), 3, 70, 348, 5, 4, 1, 0, 0, 0},
    {"FLPmco3", AT(FLPmco3), 3, 131, 348, 5, 4, 1, 0, 0, 0},
};

#undef AT3
#undef AT2
#undef AT

constexpr int AIRFOIL_FIELDS = static_cast<int>(sizeof k_airfoil_fields / sizeof k_airfoil_fields[0]);
constexpr int FLAP_FIELDS = static_cast<int>(sizeof k_flap_fields / sizeof k_flap_fields[0]);

// The fields' help texts, looked up by name once rather than every pass.
const char* g_airfoil_help[AIRFOIL_FIELDS];
const char* g_flap_help[FLAP_FIELDS];
bool g_help_found = false;

void find_help(void)
{
    if (g_help_found) return;
    for (int i = 0; i < AIRFOIL_FIELDS; i++) g_airfoil_help[i] = foil_help(k_airfoil_fields[i].name);
    for (int i = 0; i < FLAP_FIELDS; i++) g_flap_help[i] = foil_help(k_flap_fields[i].name);
    g_help_found = true;
}

// Draws the fields of a table and applies this pass's click. 1 when a click changed a value.
int run_fields(const field* f, const char* const* help, int n)
{
    int changed = 0;
    for (int i = 0; i < n; i++) {
        if (f[i].ranged)
            changed |= instdbtn_range(f[i].x, f[i].y, f[i].colour, f[i].at(), f[i].digits, f[i].decimals, f[i].lo,
                                      f[i].hi, help[i]);
        else
            changed |= instdbtn(f[i].x, f[i].y, f[i].colour, f[i].at(), f[i].digits, f[i].decimals, f[i].is_signed,
                                help[i]);
    }
    return changed;
}

// Each field's constant named above it, the readouts' names and the graph's frame: the screen's
// fixed furniture.
void draw_labels(const field* f, int n, int flap)
{
    for (int i = 0; i < n; i++) OGL_string(f[i].colour, f[i].x, f[i].y + 22, f[i].name, 800, 6);
    OGL_string(6, 9, 545, flap ? "x" : "al", 800, 6);
    OGL_string(1, 9, 530, "cl", 800, 6);
    OGL_string(2, 9, 515, "cd", 800, 6);
    OGL_string(3, 9, 500, "cm", 800, 6);
    OGL_framerect(12, GRAPH_X1, GRAPH_Y1, GRAPH_X2 - GRAPH_X1, GRAPH_Y2 - GRAPH_Y1);
}

// The curve entry of a sample.
int entry_of(int sample) { return fmsc.device == DEVICE_FLAP ? sample : sample + AIRFOIL_FIRST; }

int clamp_sample(int i) { return i < 0 ? 0 : i > SAMPLES - 1 ? SAMPLES - 1 : i; }

}  // namespace

void foil_fit_fields(void)
{
    const int flap = fmsc.device == DEVICE_FLAP;
    const field* f = flap ? k_flap_fields : k_airfoil_fields;
    const int n = flap ? FLAP_FIELDS : AIRFOIL_FIELDS;
    for (int i = 0; i < n; i++) {
        float lo = f[i].lo, hi = f[i].hi;
        if (!f[i].ranged) {
            hi = static_cast<float>((std::pow(10.0, f[i].digits) - 1) / std::pow(10.0, f[i].decimals));
            lo = f[i].is_signed ? -hi : 0.0f;
        }
        float* v = f[i].at();
        if (!std::isfinite(*v)) *v = lo;
        *v = *v < lo ? lo : *v > hi ? hi : *v;
    }
}

const char* foil_help(const char* name)
{
    for (const help_entry& h : k_help)
        if (std::strcmp(h.name, name) == 0) return h.text;
    return nullptr;
}

int element_y(float value) { return static_cast<int>(std::lround(200.0f * value)) + 340; }

int elementpoint(int colour, int x, float value)
{
    // Against a flap's lift coefficient x leaves the graph for negative or large coefficients; marks
    // there would land on the entry fields.
    const int y = element_y(value);
    if (y < GRAPH_Y1 || y > GRAPH_Y2 || x < 0 || x > GRAPH_X2 - GRAPH_X1) return 0;
    const float px = static_cast<float>(x) + GRAPH_X1;
    OGL_line(colour, px, static_cast<float>(y), px, static_cast<float>(y + 1));
    return 1;
}

int fpx(int i)
{
    i = clamp_sample(i);
    if (fmsc.view != VIEW_CL) return i;
    if (fmsc.device == DEVICE_FLAP) return static_cast<int>(std::lround(200.0f * crv.cl[i]));
    // Past either stall the lift coefficient turns back, so the sample is held at the stall point.
    const float angle = static_cast<float>(i - 200) / 10.0f;
    if (angle < afl[0].almin) i = static_cast<int>(std::lround(10.0f * afl[0].almin)) + 200;
    else if (angle >= afl[0].almax) i = static_cast<int>(std::lround(10.0f * afl[0].almax)) + 199;
    i = clamp_sample(i);
    return static_cast<int>(std::lround(125.0f * crv.cl[i + AIRFOIL_FIRST])) + 200;
}

void foil_update(void)
{
    const int flap = fmsc.device == DEVICE_FLAP;

    // Entry fields; a click that changed a constant redoes the curves.
    find_help();
    const field* fields = flap ? k_flap_fields : k_airfoil_fields;
    const int nfields = flap ? FLAP_FIELDS : AIRFOIL_FIELDS;
    const int changed = run_fields(fields, flap ? g_flap_help : g_airfoil_help, nfields);
    if (!flap) {
        OGL_number(3, 12, 242, -20.0f, 5, 3, 10, 1);
        OGL_number(3, 195, 242, 20.0f, 5, 3, 10, 1);
    }
    if (mnw.mouse_clicked && changed) {
        generate();
        fmsc.devicemod = 1;
    }
    draw_labels(fields, nfields, flap);

    // The cursor follows the mouse across the graph.
    if (mnw.mx >= GRAPH_X1 && mnw.mx <= GRAPH_X2 && mnw.my >= GRAPH_Y1 && mnw.my <= GRAPH_Y2)
        fw_sample = clamp_sample(static_cast<int>(mnw.mx - GRAPH_X1));
    const int cursor = fpx(fw_sample);
    if (cursor >= 0 && cursor <= GRAPH_X2 - GRAPH_X1) {
        const float cx = GRAPH_X1 + static_cast<float>(cursor);
        OGL_line(0, cx, GRAPH_Y1, cx, GRAPH_Y2);
    }

    // The curves, one mark per sample.
    const int by_cl = fmsc.view == VIEW_CL;
    for (int i = 0; i < SAMPLES; i++) {
        const int x = fpx(i);
        const int e = entry_of(i);
        elementpoint(by_cl ? 1 : 6, x, 0.0f);
        if (!by_cl) elementpoint(1, x, crv.cl[e] * crv.cls);
        elementpoint(2, x, crv.cd[e] * crv.cds);
        elementpoint(3, x, crv.cm[e] * crv.cms);
    }

    // Readouts of the sample under the cursor.
    const float frac = static_cast<float>(fw_sample) / 400.0f;
    OGL_number(6, 33, 545, flap ? frac : frac * 40.0f - 20.0f, 5, 3, 10, 1);
    const int e = entry_of(fw_sample);
    OGL_number(1, 33, 530, crv.cl[e], 5, 4, 10, 1);
    OGL_number(2, 33, 515, crv.cd[e], 5, 4, 10, 1);
    OGL_number(3, 33, 500, crv.cm[e], 5, 4, 10, 1);
}
