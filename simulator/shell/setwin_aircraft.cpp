// setwin_aircraft.cpp -- the aircraft windows: weights and fuel (16), reliability (17, 18, 19) and the
// flight plan (25).
#include "setwin.h"
#include "setwin_local.h"

#include "fltprep.h"
#include "hl_btn.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"
#include "hl_wind.h"

#include <cstdio>
#include <cstring>

namespace {

// Window 16's rows.
constexpr float WGT_SLIDER_X = 120, WGT_NUMBER_X = 300;

// One weight row: label, slider over 0..hi kg and the weight in pounds.
void weight_row(float y, const char* label, float* kg, float hi)
{
    win_label(20, y - 3, label);
    util_scale(WGT_SLIDER_X, y, SCALE_BIG, 0, hi, kg);
    OGL_number(WIN_VALUE_COLOR, WGT_NUMBER_X, y - 3, *kg * con.kgstolbs, 7, 0, 6, 0);
    win_label(WGT_NUMBER_X + 48, y - 3, "lb");
}

// A four-character identifier field with a frame round each character's cell.
void id_field(float x, float y, char* id)
{
    for (int k = 0; k < 4; k++) {
        const float cx = x + 10 * static_cast<float>(k);
        MACIBM_button(cx, y - 14, cx + 9, y + 20, 0);
    }
    in4charbtn(x, y, WIN_VALUE_COLOR, id);
    win_label(x + 48, y + 12, "click above: back");
    win_label(x + 48, y - 10, "click below: on");
}

// A switch of a group of which at most one is on: switching one on switches the others off.
void one_of(float x, float y, int32_t* flag, int32_t* const* others, int n, const char* label, const char* help)
{
    if (inboolbtn(x, y, flag, help) && *flag)
        for (int k = 0; k < n; k++) *others[k] = 0;
    win_label(x + 16, y, label);
}

}  // namespace

void manage_wgt(void)
{
    win_heading(20, 232, "WEIGHTS AND FUEL");
    weight_row(200, "payload", &flt.m_fixed, payload_max());
    weight_row(165, "fuel", &flt.m_fuel, fltmax2(pln[0].m_fuel, 0));
    weight_row(130, "jettison load", &flt.m_jettison, fltmax2(pln[0].m_jettison, 0));
    set_total_mass();

    win_label(20, 90, "empty");
    OGL_number(WIN_VALUE_COLOR, WGT_NUMBER_X, 90, pln[0].m_empty * con.kgstolbs, 7, 0, 6, 0);
    win_label(20, 65, "total");
    const int over = flt.m_total > pln[0].m_max;
    OGL_number(over ? WIN_WARN_COLOR : WIN_VALUE_COLOR, WGT_NUMBER_X, 65, flt.m_total * con.kgstolbs, 7, 0, 6, 0);
    win_label(20, 40, "maximum");
    OGL_number(WIN_LABEL_COLOR, WGT_NUMBER_X, 40, pln[0].m_max * con.kgstolbs, 7, 0, 6, 0);
    if (over) OGL_string(WIN_WARN_COLOR, 120, 65, "over the maximum!", 800, 6);
}

void manage_rel(void)
{
    win_heading(20, 320, "EQUIPMENT RELIABILITY");
    win_label(20, 270, "failure likelihood (0 to 9):");
    instdbtn(200, 270, WIN_VALUE_COLOR, &rel.total_fail_entry, 1, 0, 0,
             "This is an indication of how likely the equipment on the aircraft is to fail. We are not going to tell "
             "you exactly HOW likely...");
    win_text(20, 220, "0 is equipment that never fails by chance; 9 fails most often. The instrument and equipment "
                      "windows can fail single systems as well.", 300);
}

void manage_ins(void)
{
    win_heading(20, 500, "INSTRUMENTS");
    win_label(20, 478, "failure rate");
    util_scale(110, 481, SCALE_SMALL, 0, 1, &rel.ins_fail_rat);
    OGL_number(WIN_VALUE_COLOR, 276, 478, rel.ins_fail_rat, 3, 2, 6, 0);
    for (int f = 0; f <= 9; f++) util_setfailsit(f, 0, 20, 430, rel.ins_fail_rat);
}

void manage_eqp(void)
{
    win_heading(20, 540, "EQUIPMENT");
    win_label(20, 518, "failure rate");
    util_scale(110, 521, SCALE_SMALL, 0, 1, &rel.eq1_fail_rat);
    OGL_number(WIN_VALUE_COLOR, 276, 518, rel.eq1_fail_rat, 3, 2, 6, 0);
    win_label(350, 518, "failure rate");
    util_scale(440, 521, SCALE_SMALL, 0, 1, &rel.eq2_fail_rat);
    OGL_number(WIN_VALUE_COLOR, 606, 518, rel.eq2_fail_rat, 3, 2, 6, 0);
    for (int f = 10; f <= 20; f++) util_setfailsit(f, 10, 20, 470, rel.eq1_fail_rat);
    for (int f = 21; f <= 31; f++) util_setfailsit(f, 21, 350, 470, rel.eq2_fail_rat);
}

void manage_pln(void)
{
    win_heading(20, 390, "FLIGHT PLAN");
    // The aircraft: its tail number and its file's name less the extension, taken when the window opens.
    static char name[STR_LEN];
    if (window_fresh) {
        std::snprintf(name, sizeof name, "%s", pln[0].C_file);
        if (char* dot = std::strrchr(name, '.')) *dot = 0;
    }
    win_label(20, 365, "aircraft:");
    OGL_string(WIN_VALUE_COLOR, 100, 365, pln[0].tailnum, 800, 6);
    OGL_string(WIN_VALUE_COLOR, 180, 365, name, 380, 6);

    win_label(20, 330, "type of plan:");
    int32_t* const not_ifr[2] = {&fpl.vfr, &fpl.dvfr};
    int32_t* const not_vfr[2] = {&fpl.ifr, &fpl.dvfr};
    int32_t* const not_dvfr[2] = {&fpl.ifr, &fpl.vfr};
    one_of(120, 330, &fpl.ifr, not_ifr, 2, "IFR",
           "You have to have an instrument rating to file an IFR (Instrument Flight Rules) plan. Expect controllers to "
           "stay with you throughout the flight if you file this type of plan, and happily clear you for instrument "
           "approaches if the weather is crummy.");
    one_of(200, 330, &fpl.vfr, not_vfr, 2, "VFR",
           "Any pilot may file this type of plan. Controllers will only offer you visual approaches on this type of "
           "plan. Expect controllers get worried if you request an instrument approach.");
    one_of(280, 330, &fpl.dvfr, not_dvfr, 2, "DVFR", nullptr);

    win_label(20, 280, "departure:");
    id_field(120, 280, fpl.dep_id_str);
    win_label(20, 230, "destination:");
    id_field(120, 230, fpl.arr_id_str);

    win_label(20, 180, "cruise altitude (ft):");
    float alt = static_cast<float>(intlim(fpl.cruise_alt, 0, 99999));
    instdbtn(160, 180, WIN_VALUE_COLOR, &alt, 5, 0, 0,
             "ATC will expect you to maintain this altitude unless you amend your flight plan enroute.");
    fpl.cruise_alt = round(alt);

    win_label(20, 130, "controllers call me:");
    int32_t* const not_mr[1] = {&fpl.mrs};
    int32_t* const not_mrs[1] = {&fpl.mr};
    one_of(160, 130, &fpl.mr, not_mr, 1, "Sir", nullptr);
    one_of(240, 130, &fpl.mrs, not_mrs, 1, "Madam", nullptr);

    win_text(20, 60, "Close this window to file the plan with the controllers.", 540);
}
