// panel_layout.cpp -- the panel's layout for the loaded user's aircraft: instrument slots from its
// panel choices, lever and gauge positions on the engine strip, and the dial scale factors.
#include "panel.h"
#include "panel_local.h"

#include "fltutil.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "initpln.h"

#include <cmath>
#include <cstring>

float thro_x[4], prop_x[4], mixt_x[4];
float en_x[3][4], en_y[3];
float osh;

namespace {

// Instrument kinds of the eight panel locations that are wide (the standard six).
int wide(int kind) { return kind == 1 || kind == 2 || kind == 3 || kind == 5 || kind == 6 || kind == 7; }

// A location's kind as a slot number 1..8; anything else in the file is an empty location.
void sanitise_locations(planestruct& pl)
{
    for (int loc = 1; loc <= 8; loc++)
        if (pl.ins_of_loc[loc] < 0 || pl.ins_of_loc[loc] > 8) pl.ins_of_loc[loc] = 0;
}

// The round-gauge panel: two rows of four locations, each location as far from the last as their
// two instruments' half widths.
int round_slots(const planestruct& pl)
{
    int wide_up = 0, wide_down = 0;
    for (int loc = 1; loc <= 4; loc++) wide_up += wide(pl.ins_of_loc[loc]);
    for (int loc = 5; loc <= 8; loc++) wide_down += wide(pl.ins_of_loc[loc]);
    if (wide_up >= 4 || wide_down >= 4) {
        MACIBM_alert("Invalid panel layout!",
                     "There can only be THREE WIDE INSTRUMENTS ON EACH ROW of the panel (the fourth must be narrow to fit!)",
                     "The WIDE instruments are the 'standard six', namely the airspeed, horizon, altimeter, turn-slip, HSI, "
                     "and vertical speed.",
                     "Go into Hullwright and select only 3 WIDE instruments for each row of instruments.", ALERT_FATAL);
        return 0;
    }
    float loc_x[9] = {0};
    for (int row = 0; row < 2; row++) {
        const int first = 1 + 4 * row;
        loc_x[first] = wide(pl.ins_of_loc[first]) ? 66.0f : 52.0f;
        for (int loc = first + 1; loc < first + 4; loc++)
            loc_x[loc] = loc_x[loc - 1] + static_cast<float>(ret_ins_sep(loc - 1, loc, 0));
    }
    for (int loc = 1; loc <= 8; loc++) {
        const int kind = pl.ins_of_loc[loc];
        if (kind == 0) continue;
        ins.avail[kind] = 1;
        ins.x_loc[kind] = loc_x[loc];
        ins.y_loc[kind] = loc <= 4 ? 222.0f : 84.0f;
    }
    return 1;
}

// The glass panel's fixed slots.
void glass_slots(const planestruct& pl)
{
    static const float at[10][3] = {
        {0, 0, 0},    {1, 11, 218}, {1, 92, 218},  {1, 159, 218}, {1, 439, 222},
        {0, 65, 64},  {1, 92, 93},  {1, 189, 92},  {1, 439, 84},  {1, 0, 0},
    };
    for (int k = 1; k <= 9; k++) {
        ins.avail[k] = static_cast<int32_t>(at[k][0]);
        ins.x_loc[k] = at[k][1];
        ins.y_loc[k] = at[k][2];
    }
    if (pl.is_heli) ins.avail[SLOT_SUPP] = ins.avail[SLOT_ADF] = 0;
}

void levers(int engines)
{
    static const float THRO[4][4] = {{669}, {662, 676}, {655, 669, 683}, {648, 662, 676, 690}};
    static const float PROP[4][4] = {{720}, {715, 725}, {710, 720, 730}, {705, 715, 725, 735}};
    static const float MIXT[4][4] = {{761}, {756, 766}, {751, 761, 771}, {746, 756, 766, 776}};
    for (int i = 0; i < 4; i++) thro_x[i] = prop_x[i] = mixt_x[i] = 0.0f;
    if (engines < 1) return;
    for (int i = 0; i < engines; i++) {
        thro_x[i] = THRO[engines - 1][i];
        prop_x[i] = PROP[engines - 1][i];
        mixt_x[i] = MIXT[engines - 1][i];
    }
}

// Gauge places: tapes side by side with three or four engines, else one column of round gauges
// per engine (nudged left and down to make room for the engine display).
void gauges(const planestruct& pl, int engines)
{
    std::memset(en_x, 0, sizeof en_x);
    std::memset(en_y, 0, sizeof en_y);
    if (engines >= 3) {
        for (int i = 0; i < 4; i++) {
            en_x[0][i] = 680.0f;   // every engine's exhaust marker on the one gauge
            en_x[1][i] = 685.0f + 10.0f * i;
            en_x[2][i] = 760.0f + 10.0f * i;
        }
        en_y[0] = 283.0f;
        en_y[1] = en_y[2] = 171.0f;
        return;
    }
    const float shift = pl.ecam ? 2.0f : 0.0f;
    for (int row = 0; row < 3; row++) {
        en_x[row][0] = 684.0f - shift;
        en_x[row][1] = 761.0f - shift;
    }
    en_y[0] = 293.0f;
    en_y[1] = pl.ecam ? 271.0f : 254.0f;
    en_y[2] = pl.ecam ? 202.0f : 177.0f;
}

// Degrees (or tape pixels) per unit of a gauge whose full scale is `full`; no scale without one.
float per_unit(float span, float full) { return full > 0.0f ? span / full : 0.0f; }

void scale_factors(planestruct& pl)
{
    if (pl.AStype == 2) {
        pl.ASpwr = 0.3f;
        pl.Vmin = 60.0f;
        pl.Vmax = 449.0f;
    } else {
        pl.ASpwr = 1.0f;
        // A dial never starts below zero, and always spans some speed.
        pl.Vmin = pl.vectEQ ? 0.0f : fltmax2(fltnear(pl.Vso - 10.0f, 10.0f), 0.0f);
        pl.Vmax = fltnear(pl.Vne + 10.0f, 10.0f);
        if (pl.Vmax < pl.Vmin + 10.0f) pl.Vmax = pl.Vmin + 10.0f;
    }
    ins.indtoASI = 330.0f / (std::pow(pl.Vmax, pl.ASpwr) - std::pow(pl.Vmin, pl.ASpwr));

    const float k = pl.paneltype == 2 ? 0.02f : (pl.VVItype == 2 ? 0.032f : 0.08f);
    ins.msctoVVI = con.msctofpm * k;

    const float span = pl.tape ? 100.0f : 270.0f;
    ins.tactoINS = per_unit(span, panel_full_scale(0));
    ins.n1_toINS = per_unit(span, panel_full_scale(1));
    ins.mprtoINS = per_unit(span, panel_full_scale(2));
    ins.trqtoINS = per_unit(span, panel_full_scale(3));
    ins.ff_toINS = per_unit(span, panel_full_scale(4));
}

const char* const PICTURES[] = {
    "PANL_P",   "PANL_H",   "statbar",  "radios",   "pict_asi", "pict_ahz", "pict_alt", "pict_trn",
    "pict_ned", "pict_hsi", "pict_vvi", "pict_adf", "pict_tim", "pict_vor", "pict_str", "pict_arg",
    "pict_rlt", "pict_var", "pict_rad", "gps",      "pict_efi", "b_gear",   "ecam",     "egt",
    "eng_in",   "b_sbrka",  "b_sbrkm",  "b_trim",   "b_swee",   "b_vect",
};

}  // namespace

float panel_full_scale(int which)
{
    switch (which) {
    case 0: return static_cast<float>(tac_max());
    case 1: return static_cast<float>(n1__max());
    case 2: return mpr_max();
    case 3: return static_cast<float>(trq_max());
    default: return static_cast<float>(ff__max());
    }
}

void panel_layout_setup(void)
{
    planestruct& pl = pln[0];
    // Only the layout is cleared: the start-up's pictures, the altimeter setting and the panel
    // lights in ins stay.
    std::memset(ins.avail, 0, sizeof ins.avail);
    std::memset(ins.x_loc, 0, sizeof ins.x_loc);
    std::memset(ins.y_loc, 0, sizeof ins.y_loc);
    sanitise_locations(pl);

    if (pl.paneltype == 2) glass_slots(pl);
    else if (!round_slots(pl)) return;

    if (pl.paneltype == 2) {
        ins.x_loc[SLOT_BARO] = ins.x_loc[SLOT_EFIS] + 175.0f;
        ins.y_loc[SLOT_BARO] = ins.y_loc[SLOT_EFIS] + 15.0f;
    } else {
        ins.x_loc[SLOT_BARO] = ins.x_loc[SLOT_ALT] - 35.0f;
        ins.y_loc[SLOT_BARO] = ins.y_loc[SLOT_ALT] - 45.0f;
    }
    ins.y_loc[SLOT_SUPP] += 15.0f;
    ins.y_loc[SLOT_ADF] += 15.0f;
    ins.x_loc[SLOT_RADIOS] = pl.radiotype == 1 ? 0.0f : 156.0f;
    ins.x_loc[SLOT_ENGINES] = pl.radiotype == 1 ? 0.0f : -155.0f;
    ins.avail[SLOT_BARO] = ins.avail[SLOT_RADIOS] = ins.avail[SLOT_ENGINES] = 1;

    osh = 0.0f;
    if (pl.is_heli) {
        osh = -100.0f;
        for (int k = 1; k <= 10; k++) ins.x_loc[k] += 155.0f;
        ins.x_loc[SLOT_RADIOS] -= 489.0f;
        ins.x_loc[SLOT_ENGINES] -= 100.0f;
    }

    const int engines = intlim(pl.numen, 0, 4);
    levers(engines);
    gauges(pl, engines);
    scale_factors(pl);
}

int asi_angle(float v)
{
    const planestruct& pl = pln[0];
    if (!(v > 0.0f)) v = 0.0f;
    const float a = (std::pow(v, pl.ASpwr) - std::pow(pl.Vmin, pl.ASpwr)) * ins.indtoASI;
    if (!(a > 0.0f)) return 0;
    return a >= 330.0f ? 330 : static_cast<int>(a);
}

void alt_hands(float feet, int* long_hand, int* short_hand, int* hundreds)
{
    if (!std::isfinite(feet)) feet = 0.0f;
    double f = std::fmod(static_cast<double>(feet), 1000000.0);
    if (f < 0.0) f += 1000000.0;
    const int n = static_cast<int>(f * 0.36);
    *long_hand = n % 360;
    *short_hand = (n / 10) % 360;
    // Below sea level the drum stands at zero rather than wrapping round to the top.
    *hundreds = feet < 0.0f ? 0 : n / 36;
}

int panel_equipment_switches(void) { return !pln[0].is_heli; }

const char* const* panel_picture_names(int* n)
{
    *n = static_cast<int>(sizeof PICTURES / sizeof PICTURES[0]);
    return PICTURES;
}
