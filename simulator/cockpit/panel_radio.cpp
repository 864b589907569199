// panel_radio.cpp -- the radio strip's moving parts each frame: the marker lamps, the clock, the fuel
// gauge, the parking-brake and gear lamps, the transponder with its reply lamp and the frequencies.
#include "panel.h"
#include "panel_local.h"

#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"

#include <cmath>

namespace {

float x11(void) { return ins.x_loc[SLOT_RADIOS]; }

// A frequency in hundredths of MHz as "MHz.hh"; a value out of every band (a damaged preference
// file) is shown limited to what the five places hold rather than taken apart digit by digit.
void frequency(float x, float y, int hundredths)
{
    OGL_number(47, x, y, static_cast<float>(intlim(hundredths, 0, 99999)) * 0.01f, 5, 2, 6, 0);
}

// A lamp of the gear plate, 5 by 5: its rim round a fill of 3 by 3.
void gear_lamp(float x, int fill, int rim)
{
    OGL_framerect(rim, x, GEAR_LAMP_Y, GEAR_LAMP_SIZE - 1.0f, GEAR_LAMP_SIZE - 1.0f);
    OGL_fillrect(fill, x + 1.0f, GEAR_LAMP_Y + 1.0f, GEAR_LAMP_SIZE - 2.0f, GEAR_LAMP_SIZE - 2.0f);
}

}  // namespace

int marker_lit(int which, int over, int cntr10)
{
    if (!over) return 0;
    const int c = cntr10;
    switch (which) {
    case 0: return c >= 0 && c <= 4;                                      // outer: dashes
    case 1: return (c >= 0 && c <= 1) || (c >= 4 && c <= 8);              // middle: dot, dash
    default: return (c >= 0 && c <= 1) || (c >= 3 && c <= 4) || (c >= 6 && c <= 7);   // inner: dots
    }
}

int gear_lamp_state(int leg)
{
    const planestruct& pl = pln[0];
    if (!rel.esystem || leg < 0 || leg > 2) return GEAR_DARK;
    const int down = pl.gear_stat[leg] != 0, handle = set.gear_handle != 0;
    if (down != handle) return GEAR_TRANSIT;
    return down ? GEAR_DOWN : GEAR_DARK;
}

int reply_lamp_colour(void)
{
    const float now = msc.elap_time;
    if (!(ins.reply_time2 > now)) return -1;
    const float near = fltmin2(std::fabs(now - ins.reply_time1), std::fabs(now - ins.reply_time2));
    if (near <= 0.08f) return 15;
    if (near <= 0.16f) return 9;
    return 3;
}

float fuel_pointer_offset(void)
{
    const float full = pln[0].m_fuel;
    if (!(full > 0.01f)) return 0.0f;
    return FUEL_SPAN * fltlim(flt.m_fuel / full, 0.0f, 1.0f);
}

void update_radio_strip(void)
{
    const planestruct& pl = pln[0];
    const float x0 = x11();

    // Marker lamps blink their beacon's pattern on the tenth-second counter.
    const int over[3] = {nav.overOM, nav.overMM, nav.overIM};
    for (int k = 0; k < 3; k++)
        if (marker_lit(k, over[k], msc.cntr10)) plot_marker(x0 + MARKER_X[k], MARKER_Y, 8 + 2 * k);

    // The clock's window under the slot-4 instrument: minutes and seconds of the stopwatch.
    if (ins.avail[SLOT_SUPP]) {
        const int t = intlim(static_cast<int>(std::isfinite(msc.timr_time) ? msc.timr_time : 0.0f), 0, 5999);
        const float x = ins.x_loc[SLOT_SUPP] + CLOCK_DX, y = ins.y_loc[SLOT_SUPP] + CLOCK_DY;
        OGL_number(47, x, y, static_cast<float>(t / 60), 2, 0, 6, 0);
        OGL_string(47, x + 12.0f, y, ":", 800, 6);
        OGL_number(47, x + 18.0f, y, static_cast<float>(t % 60), 2, 0, 6, 0);
    }

    // Fuel: a three-wide pointer whose middle line gives way to the scale's marks.
    const float at = x0 + FUEL_X + std::round(fuel_pointer_offset());
    const int mark = round(at - x0 - FUEL_X);
    for (int d = -1; d <= 1; d++) {
        if (d == 0 && (mark == 0 || mark == 15 || mark == 30)) continue;
        OGL_line(9, at + d, FUEL_Y, at + d, FUEL_Y + 4.0f);
    }

    if (pl.gear_type >= 3 && set.parkbrake > 0.01f) {
        OGL_fillrect(9, x0 + BRAKE_X - 3.0f, BRAKE_Y - 2.0f, 42.0f, 11.0f);
        OGL_string(20, x0 + BRAKE_X, BRAKE_Y, "brakes", 800, 6);
    }
    if (pl.gear_retract) {
        static const int fill[3] = {29, 49, 44}, rim[3] = {22, 46, 45};
        for (int leg = 0; leg < 3; leg++) {
            const int s = gear_lamp_state(leg);
            gear_lamp(x0 + GEAR_LAMP_X[leg], fill[s], rim[s]);
        }
    }

    // Transponder: its four digits (each 0..7) and the reply lamp while a reply is flashing.
    const int code[4] = {nav.tran1, nav.tran2, nav.tran3, nav.tran4};
    for (int k = 0; k < 4; k++)
        OGL_number(47, x0 + XPDR_X + 20.0f * k, XPDR_Y, static_cast<float>(intlim(code[k], 0, 7)), 1, 0, 6, 0);
    const int reply = reply_lamp_colour();
    if (reply >= 0) OGL_fillrect(reply, x0 + REPLY_X, REPLY_Y, REPLY_W, REPLY_H);

    // Frequencies. The first receivers' share the GPS unit's screen: their line is cleared first,
    // since the GPS's unit labels stand beneath it.
    if (pl.supptype == 1 || pl.supptype == 7) {
        OGL_fillrect(29, x0 + GPS_SCREEN_X, FREQ_Y[0] - 3.0f, GPS_SCREEN_W, 12.0f);
        OGL_string(49, x0 + GPS_SCREEN_X + 1.0f, FREQ_Y[0], "C1", 800, 6);
        OGL_string(49, x0 + NAV_FREQ_X - 20.0f, FREQ_Y[0], "N1", 800, 6);
        frequency(x0 + COM_FREQ_X, FREQ_Y[0], nav.cf[0]);
        frequency(x0 + NAV_FREQ_X, FREQ_Y[0], nav.nf[0]);
    }
    frequency(x0 + COM_FREQ_X, FREQ_Y[1], nav.cf[1]);
    frequency(x0 + NAV_FREQ_X, FREQ_Y[1], nav.nf[1]);
}
