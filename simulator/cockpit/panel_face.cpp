// panel_face.cpp -- the panel's static face, drawn into window 0's picture: the panel and face
// pictures, greyed switches, the airspeed and vertical-speed scales, the engine gauges' scales, the
// glass panel's frames and the lever slots and plates.
#include "panel.h"
#include "panel_local.h"

#include "fltutil.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_tex.h"
#include "hl_types.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

void picture(int which, float x, float y)
{
    int n;
    const char* const* names = panel_picture_names(&n);
    OGL_texbmp(TEXBMP_PICTURE, round(x), round(y), names[which]);
}

float x11(void) { return ins.x_loc[SLOT_RADIOS]; }
float x12(void) { return ins.x_loc[SLOT_ENGINES]; }

// The aircraft's own panel picture: the aircraft file's path without its extension, plus " panl".
int own_panel(const planestruct& pl)
{
    const size_t len = std::strlen(pl.C_path);
    if (len < 4) return 0;
    char path[STR_LEN];
    std::snprintf(path, sizeof path, "%.*s panl", static_cast<int>(len - 4), pl.C_path);
    return OGL_texbmp(TEXBMP_PANEL, 0, 0, path);
}

void grey(float x, float w) { OGL_fillrect(26, x + 1.0f, SWITCH_Y, w, 15.0f); }

void grey_switches(const planestruct& pl)
{
    if (pl.HUDtype == 1) {
        grey(SW_HUD, 38.0f);
        grey(SW_BRT, 15.0f);
    }
    if (pl.HUDtype != 3) grey(SW_HOOP, 38.0f);
    if (panel_equipment_switches()) {
        if (!pl.arrestingEQ) grey(SW_HOOK, 38.0f);
        if (!pl.chuteEQ) grey(SW_CHUTE, 38.0f);
        if (!pl.antiiceEQ) grey(SW_ANTIICE, 38.0f);
        if (!pl.jatoEQ) grey(SW_JATO, 38.0f);
    }
    if (!pl.jettisonEQ) grey(osh + SW_JETTISON, 38.0f);
}

void faces(const planestruct& pl)
{
    auto at = [](int slot, int which, float left, float below) {
        if (ins.avail[slot]) picture(which, ins.x_loc[slot] - left, ins.y_loc[slot] - below);
    };
    if (panel_round()) {
        at(SLOT_ASI, PIC_ASI, 64, 64);
        at(SLOT_AHZ, PIC_AHZ, 64, 64);
        at(SLOT_ALT, PIC_ALT, 64, 64);
        at(SLOT_TURN, pl.TStype == 2 ? PIC_NED : PIC_TRN, 64, 64);
        at(SLOT_HSI, PIC_HSI, 64, 65);
        at(SLOT_VVI, PIC_VVI, 64, 64);
    }
    at(SLOT_ADF, PIC_ADF, 50, 97);
    if (ins.avail[SLOT_SUPP]) {
        at(SLOT_SUPP, PIC_TIM, 50, 80);
        static const int supp[8] = {-1, PIC_VOR, PIC_STR, PIC_ARG, PIC_RLT, PIC_VAR, PIC_RAD, PIC_STR};
        if (pl.supptype >= 1 && pl.supptype <= 7) at(SLOT_SUPP, supp[pl.supptype], 50, 50);
    }
    picture(PIC_GPS, x11() + GPS_X, GPS_Y);
    if (!panel_round()) at(SLOT_EFIS, PIC_EFI, 0, 0);
    if (pl.gear_retract) picture(PIC_GEAR, x11() + GEAR_PLATE_X, GEAR_PLATE_Y);
    if (pl.ecam) picture(PIC_ECAM, x12() + ECAM_X, ECAM_Y);
}

// The glass panel's fixed marks: the tapes' frames, the glide-slope bars' centre marks, the map's
// mode labels, the vertical-speed scale and the captions.
void glass_marks(const planestruct& pl)
{
    const float x1 = ins.x_loc[SLOT_ASI], y1 = ins.y_loc[SLOT_ASI];
    const float x3 = ins.x_loc[SLOT_ALT], y3 = ins.y_loc[SLOT_ALT];
    OGL_framerect(38, x1 - 2.0f, y1 - TAPE_HALF, GLASS_ASI_EDGE + 5.0f, 2.0f * TAPE_HALF);
    OGL_framerect(38, x3 + GLASS_ALT_EDGE - 1.0f, y3 - TAPE_HALF, 44.0f, 2.0f * TAPE_HALF);
    for (int x : {pl.gsx1, pl.gsx2}) {
        OGL_line(38, x, pl.gsy1, x + pl.gsw, pl.gsy1);
        OGL_line(38, x, pl.gsy2, x + pl.gsw, pl.gsy2);
        for (int d : {-20, -10, 10, 20}) OGL_fillrect(38, x + pl.gsw * 0.5f - 1.0f, pl.gsyc + d - 1.0f, 2.0f, 2.0f);
    }
    static const char* const modes[6] = {"z-  ", "z+  ", "enr ", "arr ", "wxr ", "TCAS"};
    const float x9 = ins.x_loc[SLOT_EFIS], y9 = ins.y_loc[SLOT_EFIS];
    for (int k = 0; k < 6; k++) OGL_string(38, x9 + 203.0f + 30.0f * k, y9 + 24.0f, modes[k], 800, 6);
    const float x7 = ins.x_loc[SLOT_VVI], y7 = ins.y_loc[SLOT_VVI];
    for (int t = -80; t <= 80; t += 20) plot_needle(x7, y7, t - 90, 24.0f, t == 0 ? 29.0f : 27.0f, 38, 0);
    const float x6 = ins.x_loc[SLOT_HSI], y6 = ins.y_loc[SLOT_HSI];
    OGL_string(38, x6 - 52.0f, y6 + 48.0f, "NAV 2", 800, 6);
    OGL_string(38, x1 - 3.0f, y1 - 61.0f, "M=", 800, 6);
}

void engine_faces(const planestruct& pl)
{
    const int engines = intlim(pl.numen, 0, 4);
    const int sets = (pl.tape || pl.is_heli) ? intmin2(engines, 1) : engines;
    for (int i = 0; i < sets; i++) {
        switch (pl.entype) {
        case 1:
        case 2:
            init_egt(i);
            init_tac(i);
            if (pl.varpitchEQ) init_mpr(i);
            break;
        case 3:
            init_tac(i);
            init_trq(i);
            break;
        case 4:
        case 5:
            // A helicopter's first row is its engine speed, whatever turns the rotor.
            if (pl.is_heli) init_tac(i);
            else init_n1_(i);
            init_ff_(i);
            break;
        default: break;
        }
    }
    if (pl.ecam) {
        static const char* const pages[5] = {"ENGN", "FUEL", "FCON", "HYDR", "FAIL"};
        for (int k = 0; k < 5; k++) OGL_string(47, x12() + ECAM_X + 4.0f + 30.0f * k, ECAM_LABEL_Y, pages[k], 800, 6);
    }
}

// The units of the readouts: the GPS's row always, the DME's row with the first receiver.
void radio_labels(const planestruct& pl)
{
    static const char* const gps[3] = {"nm", "kt", "min"};
    static const char* const dme[3] = {"nm", "kt", "mn"};
    for (int k = 0; k < 3; k++) OGL_string(47, x11() + GPS_UNIT_X[k], GPS_READ_Y, gps[k], 800, 6);
    if (pl.supptype == 1 || pl.supptype == 7)
        for (int k = 0; k < 3; k++) OGL_string(47, x11() + DME_UNIT_X[k], DME_READ_Y, dme[k], 800, 6);
}

void handles(const planestruct& pl)
{
    init_handle(8);
    if (pl.entype == 1) init_handle(23);
    if (pl.sbrkEQ || pl.fbrkEQ) init_handle(7);
    int sweeps = 0;
    for (int p = 0; p < 28; p++) sweeps |= pl.varsweepEQ[p];
    if (sweeps) init_handle(9);
    if (pl.vectEQ) init_handle(10);
    if (pl.flapEQ || pl.slatEQ) init_handle(6);
    const int engines = intlim(pl.numen, 0, 4);
    if (engines == 0 || pl.entype == 0) return;
    if (pl.collectEQ) {
        init_handle(11);
    } else {
        for (int i = 0; i < engines; i++) init_handle(11 + i);
    }
    if (pl.varpitchEQ && pl.entype >= 1 && pl.entype <= 3 && !pl.collectEQ)
        for (int i = 0; i < engines; i++) init_handle(15 + i);
    for (int i = 0; i < engines; i++) init_handle(19 + i);
}

// A lever slot without a plate: two dark lines and a light one, closed at both ends.
void slot_lines(float x, float y, float h)
{
    OGL_line(22, x, y, x, y + h);
    OGL_line(22, x + 1.0f, y, x + 1.0f, y + h);
    OGL_line(18, x + 2.0f, y, x + 2.0f, y + h);
    OGL_line(18, x, y, x + 2.0f, y);
}

// The round airspeed dial's angle of speed v as a float, for the arcs (not truncated).
float asi_arc(float v)
{
    const planestruct& pl = pln[0];
    v = fltmax2(v, 0.0f);
    return fltlim((std::pow(v, pl.ASpwr) - std::pow(pl.Vmin, pl.ASpwr)) * ins.indtoASI, 0.0f, 330.0f);
}

// A number centred on the point at radius r and angle a from (x, y), at 6 units a digit.
void dial_number(int colour, float x, float y, int a, float r, int value)
{
    const int digits = value >= 100 ? 3 : (value >= 10 ? 2 : 1);
    const float px = dial_x(x, a, r) - (6.0f * digits - 1.0f) * 0.5f;
    const float py = dial_y(y, a, r) - 3.0f;
    OGL_number(colour, round(px), round(py), static_cast<float>(value), digits, 0, 6, 0);
}

}  // namespace

void panel_static(void)
{
    if (initing) return;   // the title picture shows alone while the program loads
    planestruct& pl = pln[0];
    pl.cp = own_panel(pl);
    if (!pl.cp) picture(pl.is_heli ? PIC_PANL_H : PIC_PANL_P, 0, 0);
    picture(PIC_STATBAR, 0, 561);
    if (!pl.cp) picture(PIC_RADIOS, x11() + RADIOS_X, 0);

    grey_switches(pl);
    for (int k = 0; k < 3; k++) plot_marker(x11() + MARKER_X[k], MARKER_Y, 9 + 2 * k);
    if (!pl.cp) faces(pl);

    if (!panel_round()) {
        glass_marks(pl);
    } else {
        if (ins.avail[SLOT_ASI]) init_asi();
        if (ins.avail[SLOT_VVI] && !pl.cp) init_vvi();
    }
    engine_faces(pl);
    radio_labels(pl);
    if (!pl.cp) handles(pl);
}

void init_asi(void)
{
    const planestruct& pl = pln[0];
    const float x = ins.x_loc[SLOT_ASI], y = ins.y_loc[SLOT_ASI];
    const int vmin = round(pl.Vmin), vmax = round(pl.Vmax);
    const int span = vmax - vmin;
    int minor = 25, labelled = 75;
    if (span < 150) minor = 5, labelled = 10;
    else if (span < 300) minor = 5, labelled = 20;
    else if (span < 500) minor = 10, labelled = 40;
    else if (span < 600) minor = 15, labelled = 60;

    if (pl.entype != 4 && pl.entype != 5) {
        // A helicopter has no flap, normal and caution ranges, only its never-exceed line.
        if (!pl.is_heli) {
            OGL_arc(0, x, y, 36, 38, asi_arc(pl.Vso), asi_arc(pl.Vfe));
            OGL_arc(7, x, y, 38, 40, asi_arc(pl.Vs), asi_arc(pl.Vno));
            OGL_arc(9, x, y, 38, 40, asi_arc(pl.Vno), asi_arc(pl.Vne));
        }
        const float ne = asi_arc(pl.Vne);
        OGL_arc(8, x, y, 38, 44, ne - 3.0f, ne + 3.0f);
    }
    for (int v = vmin; v <= vmax; v++) {
        if (pl.AStype == 2) {
            minor = v <= 200 ? 5 : 10;
            labelled = v <= 200 ? 20 : 50;
        }
        const int a = asi_angle(static_cast<float>(v));
        if (v % minor == 0) plot_needle(x, y, a, 38, 42, 0, 0);
        if (v > vmin && v % labelled == 0) dial_number(0, x, y, a, 30, v);
    }
}

void init_vvi(void)
{
    const planestruct& pl = pln[0];
    const float x = ins.x_loc[SLOT_VVI], y = ins.y_loc[SLOT_VVI];
    const int range = pl.VVItype == 1 ? 20 : 50;
    const int major = pl.VVItype == 1 ? 5 : 10;
    const int minor = pl.VVItype == 1 ? 1 : 2;
    for (int i = -range; i <= range; i++) {
        const int a = round(160.0f * static_cast<float>(i) / static_cast<float>(range)) - 90;
        if (i % major == 0) {
            plot_needle(x, y, a, 38, 43, 0, 0);
            dial_number(0, x, y, a, 50, std::abs(i));
        } else if (i % minor == 0 && (pl.VVItype != 1 || std::abs(i) <= 10)) {
            plot_needle(x, y, a, 38, 40, 0, 0);
        }
    }
}

// ---- engine gauges ----------------------------------------------------------------------------------

void tape_arc(const char* label, float x, float y, float from, float to, float step, float divisor, float scale,
              float label_every)
{
    const int round_gauge = !pln[0].tape;
    if (step <= 0.0f || divisor == 0.0f || to - from > 10000.0f * step) return;   // nothing sensible to mark
    for (int n = 0;; n++) {
        const float v = from + step * static_cast<float>(n);
        if (v > to + 0.001f * step) break;
        const float pos = static_cast<float>(round(v * scale)) + (round_gauge ? 180.0f : 0.0f);
        const float k = label_every > 0.0f ? v / label_every : 0.5f;
        const int labelled = std::fabs(k - std::round(k)) < 0.001f;
        init_entick(x, y, pos, labelled, v / divisor);
    }
    const int c = scale_colour();
    if (round_gauge) {
        OGL_string(c, x + 6.0f, y - 26.0f, label, 800, 6);
    } else {
        OGL_string(c, x - 35.0f, y + 2.0f, label, 800, 6);
        OGL_line(c, x - 4.0f, y, x - 4.0f, y + 100.0f);
    }
}

void init_entick(float x, float y, float pos, int labelled, float shown)
{
    const int c = scale_colour();
    const int value = round(shown);
    const int digits = std::abs(value) >= 100 ? 3 : (std::abs(value) >= 10 ? 2 : 1);
    if (!pln[0].tape) {
        const int a = round(pos);
        plot_needle(x, y, a, 22, 23, c, 0);
        if (!labelled) return;
        static const float shift[4] = {0, 2, 6, 8};
        const float px = static_cast<float>(round(dial_x(x, a, 28))) - shift[digits];
        const float py = static_cast<float>(round(dial_y(y, a, 28))) - 3.0f;
        OGL_number(c, px, py, static_cast<float>(value), digits, 0, 6, 0);
        return;
    }
    OGL_line(c, labelled ? x - 11.0f : x - 7.0f, y + pos, x - 4.0f, y + pos);
    if (!labelled) return;
    static const float shift[4] = {0, 0, 4, 8};
    OGL_number(c, x - 16.0f - shift[digits], y + pos - 3.0f, static_cast<float>(value), digits, 0, 6, 0);
}

void tape_arc_mark(int colour, float x, float y, float r1, float r2, float from, float to, float offset)
{
    if (!pln[0].tape) {
        OGL_arc(colour, x, y, r1, r2, from + offset, to + offset);
        return;
    }
    if (to - from > 1000.0f) return;
    for (float p = from; p <= to; p += 1.0f) OGL_line(colour, x - 8.0f, y + p, x - 5.0f, y + p);
}

namespace {

// A gauge's place: row r of engine i, on the engine strip.
float gx(int row, int i) { return x12() + en_x[row][i]; }

// The round gauges' face, unless the engine display or the aircraft's own picture is there.
void engine_face(int row, int i)
{
    const planestruct& pl = pln[0];
    if (!pl.tape && !pl.ecam && !pl.cp)
        picture(PIC_ENG_IN, gx(row, i) - ENG_FACE / 2, en_y[row] - ENG_FACE / 2);
}

// The scale of a gauge with the marks its full scale calls for.
void standard_scale(const char* label, int row, int i, float full, float scale)
{
    int major, minor, divisor;
    set_mod(full, &major, &minor, &divisor);
    tape_arc(label, gx(row, i), en_y[row], 0.0f, full, static_cast<float>(major), static_cast<float>(divisor), scale,
             static_cast<float>(minor));
}

// Shaft rpm of a propeller speed in rad/s (the engine's own speed through the gear ratio).
float shaft_rpm(float omega) { return omega * con.rsctorpm * pln[0].gearrat; }

}  // namespace

void init_egt(int engine)
{
    if (pln[0].ecam) return;
    picture(PIC_EGT, gx(0, engine) - 29.0f, en_y[0] + 4.0f);
}

void init_tac(int engine)
{
    const planestruct& pl = pln[0];
    const float x = gx(1, engine), y = en_y[1];
    engine_face(1, engine);
    const float s = ins.tactoINS, off = pl.tape ? 0.0f : 180.0f;
    auto mark = [&](float omega) {
        const float a = std::round(shaft_rpm(omega) * s);
        tape_arc_mark(8, x, y, 22, 25, a - 4.0f, a + 4.0f, off);
    };
    if (pl.is_heli) {
        mark(pl.omegamingreen);
        mark(pl.omegamaxgreen);
    } else {
        mark(pl.omegamax);
    }
    tape_arc_mark(7, x, y, 22, 23, std::round(shaft_rpm(pl.omegamingreen) * s), std::round(shaft_rpm(pl.omegamaxgreen) * s),
                  off);
    standard_scale("RPM", 1, engine, panel_full_scale(0), s);
}

void init_n1_(int engine)
{
    const planestruct& pl = pln[0];
    const float x = gx(1, engine), y = en_y[1];
    engine_face(1, engine);
    const float a = std::round(100.0f * ins.n1_toINS);
    tape_arc_mark(8, x, y, 22, 25, a - 5.0f, a + 5.0f, pl.tape ? 0.0f : 180.0f);
    tape_arc("N1", x, y, 0.0f, panel_full_scale(1), 2.0f, 1.0f, ins.n1_toINS, 10.0f);
}

void init_mpr(int engine)
{
    engine_face(2, engine);
    tape_arc("MP", gx(2, engine), en_y[2], 0.0f, panel_full_scale(2), 1.0f, 1.0f, ins.mprtoINS, 5.0f);
}

void init_trq(int engine)
{
    engine_face(2, engine);
    standard_scale("TRQ", 2, engine, panel_full_scale(3), ins.trqtoINS);
}

void init_ff_(int engine)
{
    engine_face(2, engine);
    standard_scale("FF", 2, engine, panel_full_scale(4), ins.ff_toINS);
}

void init_handle(int kind)
{
    const planestruct& pl = pln[0];
    const float x0 = x12();
    switch (kind) {
    case 6: slot_lines(x0 + 664.0f, 72.0f, 63.0f); break;
    case 7: picture(pl.autosbrkEQ ? PIC_SBRKA : PIC_SBRKM, x0 + 692.0f, 78.0f); break;
    case 8: picture(PIC_TRIM, x0 + 782.0f, 72.0f); break;
    case 9: picture(PIC_SWEE, x0 + 736.0f, 72.0f); break;
    case 10: picture(PIC_VECT, x0 + 730.0f, 72.0f); break;
    case 23: slot_lines(x0 + 791.0f, 3.0f, 62.0f); break;
    default:
        if (kind >= 11 && kind <= 14) slot_lines(x0 + thro_x[kind - 11] + 5.5f, 3.0f, 63.0f);
        else if (kind >= 15 && kind <= 18) slot_lines(x0 + prop_x[kind - 15] + 3.5f, 3.0f, 63.0f);
        else if (kind >= 19 && kind <= 22) slot_lines(x0 + mixt_x[kind - 19] + 3.5f, 3.0f, 63.0f);
        break;
    }
}
