// setwin_environment.cpp -- the environment windows: time of day (9), space (11), atmosphere (12),
// ground (13) and water (14).
#include "setwin.h"
#include "setwin_local.h"

#include "do_speech.h"
#include "hl_btn.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "wxgrid.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr float TIME_BAR_Y1 = 60, TIME_BAR_Y2 = 100;   // the time bar's clickable band in window 9

// Window 12's word scales.
const char* const VIS_WORDS[8] = {"NM: socked in      ", "NM: hardball IFR   ", "NM: serious IFR    ",
                                  "NM: instrument     ", "NM: marginal visual", "NM: adequate visual",
                                  "NM: visual          ", "NM: severe clear    "};
const char* const LEVEL_WORDS[5] = {"  none  ", " light  ", "moderate", " heavy  ", " severe "};
const char* const BURST_WORDS[5] = {"  none   ", "  slight ", " moderate", "  high   ", "very high"};
const char* const CHANGE_WORDS[5] = {" rapidly deteriorating ", "gradually deteriorating", "       stagnant        ",
                                     "  gradually improving  ", "   rapidly improving   "};

// What the start airport's ATIS is built from; the text is rebuilt only when one of these changes.
struct AtisInputs {
    float wind[10];
    float vis_rep, topsMSL, baseMSL, rain_tstm, wind_tbl, temp_SL, baro, locl_time;
    int32_t cld_type, use_realwxr, airport;
};
AtisInputs g_atis_in;
char g_atis[STR_LEN];

AtisInputs atis_inputs(void)
{
    AtisInputs in;
    std::memset(&in, 0, sizeof in);   // padding too, so the inputs compare byte for byte
    const float w[10] = {atm.wnddir1, atm.wndspd1, atm.shrdir1, atm.shrspd1, atm.trblnc1,
                         atm.wnddir2, atm.wndspd2, atm.shrdir2, atm.shrspd2, atm.trblnc2};
    std::memcpy(in.wind, w, sizeof w);
    in.vis_rep = atm.vis_rep;
    in.topsMSL = atm.topsMSL;
    in.baseMSL = atm.baseMSL;
    in.rain_tstm = atm.rain_tstm;
    in.wind_tbl = atm.wind_tbl;
    in.temp_SL = atm.temp_SL;
    in.baro = atm.baro;
    in.locl_time = msc.locl_time;
    in.cld_type = atm.cld_type;
    in.use_realwxr = atm.use_realwxr;
    in.airport = msc.loc_apt_wrl;
    return in;
}

// What the weather grid is made from in window 12: when the user changes any of it, the grid is
// made afresh. Compared byte for byte, as the ATIS inputs are (no padding).
struct WeatherInputs {
    float tops, bases, vis, rain, turb, bursts, change;
    int32_t cld_type;
};
static_assert(sizeof(WeatherInputs) == 8 * 4);
WeatherInputs weather_inputs(void)
{
    return {atm.topsMSL, atm.baseMSL, atm.vis_rep, atm.rain_tstm, atm.wind_tbl, atm.burst_prob, atm.rate_change,
            atm.cld_type};
}

// A horizontal slider with its label above it.
int labelled_scale(float x, float y, int kind, const char* label, float lo, float hi, float* v)
{
    win_label(x, y + 8, label);
    return util_scale(x, y, kind, lo, hi, v);
}

// A five-digit height field in feet on a record height in metres. 1 when it changed.
int feet_field(float x, float y, float* metres, const char* help)
{
    float ft = static_cast<float>(round(*metres * con.mtrstoft));
    if (!instdbtn(x, y, WIN_VALUE_COLOR, &ft, 5, 0, 0, help)) return 0;
    *metres = ft * con.fttomtrs;
    return 1;
}

// One wind layer's five sliders, their values beside them.
void wind_layer(float x, float y, const char* title, float* spd, float* dir, float* shr_spd, float* shr_dir,
                float* tbl)
{
    win_heading(x, y, title);
    struct Row {
        const char* label;
        float* v;
        float hi;
        const char* unit;
    } rows[5] = {{"speed", spd, 50, "kt"},
                 {"direction", dir, 360, "deg"},
                 {"shear speed", shr_spd, 50, "kt"},
                 {"shear dir.", shr_dir, 180, "deg"},
                 {"turbulence", tbl, 9, ""}};
    for (int k = 0; k < 5; k++) {
        const float ry = y - 22 - 18 * static_cast<float>(k);
        win_label(x, ry - 3, rows[k].label);
        util_scale(x + 72, ry, SCALE_SMALL, 0, rows[k].hi, rows[k].v);
        OGL_number(WIN_VALUE_COLOR, x + 236, ry - 3, *rows[k].v, 3, 0, 6, 0);
        win_label(x + 258, ry - 3, rows[k].unit);
    }
}

}  // namespace

void manage_tim(void)
{
    win_heading(38, 120, "TIME OF DAY: CLICK THE BAR");
    MACIBM_button(TIME_BAR_X0, 72, TIME_BAR_X1, 88, 0);
    for (int h = 0; h <= 24; h += 3) {
        const float x = time_bar_x(static_cast<float>(h));
        OGL_line(6, x, 70, x, 90);
        OGL_number(WIN_LABEL_COLOR, x - 6, 58, static_cast<float>(h), 2, 0, 6, 0);
    }
    if (win_clicked_in(TIME_BAR_X0, TIME_BAR_Y1, TIME_BAR_X1, TIME_BAR_Y2))
        msc.locl_time = fltwrap(time_bar_hours(mnw.mx) * 3600.0f, 0, 86400.0f);
    const float t = fltwrap(msc.locl_time, 0, 86400.0f);
    const float x = time_bar_x(t / 3600.0f);
    OGL_fillrect(WIN_VALUE_COLOR, x - 2, 72, 5, 17);

    int hours = 0, minutes = 0;
    sec_to_hrs_min(t, &hours, &minutes);
    win_label(38, 26, "local time:");
    OGL_number(WIN_VALUE_COLOR, 133, 26, static_cast<float>(hours), 2, 0, 6, 0);
    OGL_string(WIN_VALUE_COLOR, 145, 26, ":", 800, 6);
    OGL_number(WIN_VALUE_COLOR, 151, 26, static_cast<float>(minutes), 2, 0, 6, 0);
}

void manage_spa(void)
{
    win_heading(20, 60, "METEOR SHOWERS");
    // The lower arrow box reaches 17 below the choice: from 36 it stands clear of the window's title
    // along the picture's bottom (y 6..13).
    in4textbtn(20, 36, "         light ", "       moderate", "         heavy ", "        severe ", 100,
               &atm.meteorite_code);
}

void manage_atm(void)
{
    const WeatherInputs before = weather_inputs();

    // ---- clouds (left column) ----
    win_heading(20, 505, "CLOUDS");
    in4textbtn(20, 478, "     clear  ", "   scattered", "     broken ", "    overcast", 90, &atm.cld_type);
    const float ground = msc.loc_apt_wrl >= 0 && msc.loc_apt_wrl <= apt_wrl_max ? apt_h[msc.loc_apt_wrl] : 0;
    win_label(20, 440, "tops MSL (ft)");
    feet_field(150, 440, &atm.topsMSL,
               "The cloud tops (MSL) are how far the tops of the clouds are above Mean Sea Level.");
    win_label(20, 405, "bases MSL (ft)");
    feet_field(150, 405, &atm.baseMSL,
               "The cloud bases (MSL) are how far the bases of the clouds are above Mean Sea Level.");
    win_label(20, 370, "bases AGL (ft)");
    float agl = fltmax2(atm.baseMSL - ground, 0);
    if (feet_field(150, 370, &agl, "The cloud bases (AGL) are how far the bases of the clouds are Above Ground Level."))
        atm.baseMSL = agl + ground;

    // ---- sliders with their word scales ----
    float vis_nm = atm.vis_rep * con.mtrstonm;
    if (labelled_scale(20, 325, SCALE_BIG, "visibility", 0, 20, &vis_nm)) atm.vis_rep = vis_nm * con.nmtomtrs;
    vis_nm = fltlim(vis_nm, 0, 20);
    OGL_number(WIN_VALUE_COLOR, 180, 322, vis_nm, 2, 0, 6, 0);
    win_label(198, 322, VIS_WORDS[word_index(vis_nm, 0, 20, 8)]);

    labelled_scale(20, 285, SCALE_BIG, "precipitation", 1, 5, &atm.rain_tstm);
    win_label(186, 282, LEVEL_WORDS[word_index(atm.rain_tstm, 1, 5, 5)]);
    labelled_scale(20, 245, SCALE_BIG, "turbulence", 1, 5, &atm.wind_tbl);
    win_label(186, 242, LEVEL_WORDS[word_index(atm.wind_tbl, 1, 5, 5)]);
    labelled_scale(20, 205, SCALE_BIG, "wind-shear bursts", 1, 5, &atm.burst_prob);
    win_label(186, 202, BURST_WORDS[word_index(atm.burst_prob, 1, 5, 5)]);
    win_label(20, 173, "weather change");
    util_scale(98, 165, SCALE_TWO_SIDED, -1, 1, &atm.rate_change);
    win_label(186, 162, CHANGE_WORDS[word_index(atm.rate_change, -1, 1, 5)]);

    win_label(20, 125, "upper winds at (ft MSL)");
    feet_field(170, 125, &atm.altwxr2,
               "This is the elevation of the winds aloft above sea level. Kestrova will interpolate smoothly between "
               "low and high winds, and will NOT extrapolate.");

    win_heading(20, 95, "THERMALS");
    labelled_scale(20, 70, SCALE_BIG, "coverage", 0, 1, &atm.trml_prt);
    OGL_number(WIN_VALUE_COLOR, 186, 67, atm.trml_prt * 100.0f, 3, 0, 6, 0);
    win_label(210, 67, "% ground coverage");
    float fpm = atm.trml_vvi * con.msctofpm;
    if (labelled_scale(20, 35, SCALE_BIG, "climb rate", 0, 500, &fpm)) atm.trml_vvi = fpm * con.fpmtomsc;
    OGL_number(WIN_VALUE_COLOR, 186, 32, fltlim(fpm, 0, 500), 3, 0, 6, 0);
    win_label(210, 32, "FPM climb rate");

    // A changed weather gets its grid made again, all six sectors of the region.
    const WeatherInputs after = weather_inputs();
    if (std::memcmp(&before, &after, sizeof before) != 0)
        for (int tile = 0; tile < 6; tile++) gen_wx_for_sec(tile);

    // ---- winds (right column) ----
    wind_layer(330, 505, "LOW WINDS", &atm.wndspd1, &atm.wnddir1, &atm.shrspd1, &atm.shrdir1, &atm.trblnc1);
    wind_layer(330, 385, "HIGH WINDS", &atm.wndspd2, &atm.wnddir2, &atm.shrspd2, &atm.shrdir2, &atm.trblnc2);

    // ---- the start airport's ATIS and the real-weather switch ----
    const AtisInputs in = atis_inputs();
    if (window_fresh || std::memcmp(&in, &g_atis_in, sizeof in) != 0) {
        g_atis_in = in;
        get_ATIS(msc.loc_apt_wrl, 'A', g_atis, atm.use_realwxr);
    }
    win_heading(330, 262, "ATIS");
    win_text(330, 248, g_atis, 270);
    win_switch(330, 30, &atm.use_realwxr, "use real weather",
               "This takes the weather from the reports in the real-weather file when one is there, and from the "
               "settings above when not.");
}

void manage_gnd(void)
{
    static int condition = 1;
    if (window_fresh) condition = condition_for_friction(atm.rway_fric_rat);
    win_heading(20, 120, "RUNWAY CONDITION");
    if (in3textbtn(20, 70, "     clean and dry", "    damp or slushy", "      wet or icy  ", 110, &condition))
        atm.rway_fric_rat = friction_for_condition(condition);
    win_label(20, 30, "friction");
    OGL_number(WIN_VALUE_COLOR, 80, 30, atm.rway_fric_rat, 2, 1, 6, 0);
}

void manage_wat(void)
{
    win_heading(20, 245, "WAVES");
    win_label(20, 210, "height (m)");
    if (instdbtn(110, 210, WIN_VALUE_COLOR, &atm.wave_amp, 3, 1, 0,
                 "This is how high the waves are. Waves will effect any aircraft (floatplane or otherwise) that "
                 "enters the water.")) {
        atm.wave_length = wave_length_for(atm.wave_amp);
        atm.wave_speed = wave_speed_for(atm.wave_length);
    }
    win_label(20, 165, "length (m)");
    OGL_number(WIN_VALUE_COLOR, 110, 165, atm.wave_length, 4, 0, 6, 0);
    win_label(20, 140, "speed (m/s)");
    OGL_number(WIN_VALUE_COLOR, 110, 140, atm.wave_speed, 3, 1, 6, 0);
    win_label(20, 95, "direction");
    instdbtn_range(110, 95, WIN_VALUE_COLOR, &atm.wave_dir, 3, 0, 0, 360,
                   "This is whatdirection the waves are travelling in. Waves will effect any aircraft (floatplane or "
                   "otherwise) that enters the water.");
}
