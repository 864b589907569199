// panel_engine.cpp -- the engine and system instruments each frame: each engine's gauges by its
// type (exhaust temperature, engine speed, N1, manifold pressure, torque, fuel flow), the
// helicopter's combined gauges, the afterburner words and the pages of the engine display.
#include "panel.h"
#include "panel_local.h"

#include "fltutil.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"

#include <cmath>

namespace {

float egt_ratio[4];   // 0..1, the exhaust markers' smoothed ratios

float x12(void) { return ins.x_loc[SLOT_ENGINES]; }
int engines(void) { return intlim(pln[0].numen, 0, 4); }

// A value the gauges can show: not a number reads 0, nothing reads below 0.
float shown(float v) { return std::isfinite(v) && v > 0.0f ? v : 0.0f; }

// The gauge of row `row` a needle of engine i stands on: its own, or engine 0's on a helicopter,
// whose engines share one set.
int gauge_of(int engine) { return pln[0].is_heli ? 0 : engine; }

// A needle (round gauge) or bar (tape) for the value v of engine i on row `row`, scale s per unit;
// with the engine display a digital readout beside a round gauge, `places` and `decimals` wide,
// `dx` left of and 9 below the centre.
void gauge(int row, int engine, float v, float scale, int places, int decimals, float dx)
{
    const planestruct& pl = pln[0];
    const int g = gauge_of(engine);
    const float x = x12() + en_x[row][g], y = en_y[row];
    // Past a few turns every needle angle is as good as another; the limit keeps the sum below in range.
    const int pos = intlim(round(v * scale), -3600, 3600);
    if (pl.tape) {
        // A bar no taller than its tape, whatever the value.
        OGL_fillrect(47, x - 2.0f, y, 5.0f, static_cast<float>(intlim(pos, 0, 110)));
        return;
    }
    int kind = 0;
    if (pl.is_heli) kind = engine == 0 ? 2 : 1;
    plot_needle(x, y, pos + 180, 0.0f, 19.0f, panel_round() ? 0 : 38, kind);
    if (pl.ecam && places > 0) OGL_number(47, x - dx, y - 9.0f, v, places, decimals, 6, 0);
}

}  // namespace

float engine_gauge_value(int which, int engine)
{
    const planestruct& pl = pln[0];
    const int i = intlim(engine, 0, 3);
    switch (which) {
    case GAUGE_RPM: return shown(flt.tac[i] * pl.gearrat * con.rsctorpm);
    case GAUGE_N1: return shown(flt.n1_[i]);
    case GAUGE_MP: return shown(flt.mpr[i]);
    case GAUGE_TRQ: {
        // Per cent of the torque at full power; no full power, no per cent.
        const float full = pl.omegamax > 0.0f ? pl.pmax / pl.omegamax : 0.0f;
        return full > 0.0f ? shown(flt.trq[i] / full * 100.0f) : 0.0f;
    }
    default: return fltmin2(shown(flt.ff_[i] * con.kgstolbs * 3600.0f), shown(panel_full_scale(4)));
    }
}

void update_egt(int engine)
{
    if (pln[0].ecam) return;
    const int i = intlim(engine, 0, 3);
    float& r = egt_ratio[i];
    r = fltlim(r + (shown(flt.mixt_temp_rat[i]) - r) * fltlim(msc.prd, 0.0f, 1.0f), 0.0f, 1.0f);
    const int g = gauge_of(i);
    const float x = x12() + en_x[0][g], y = en_y[0];
    const float at = std::round(interp(0.0f, x - 8.0f, 1.0f, x + 22.0f, r));
    OGL_line(3, at, y + 8.0f, at, y + 12.0f);
}

void update_tac(int engine) { gauge(1, engine, engine_gauge_value(GAUGE_RPM, engine), ins.tactoINS, 4, 0, 7.0f); }
void update_n1_(int engine) { gauge(1, engine, engine_gauge_value(GAUGE_N1, engine), ins.n1_toINS, 3, 0, 7.0f); }
void update_mpr(int engine) { gauge(2, engine, engine_gauge_value(GAUGE_MP, engine), ins.mprtoINS, 4, 1, 7.0f); }
void update_trq(int engine) { gauge(2, engine, engine_gauge_value(GAUGE_TRQ, engine), ins.trqtoINS, 5, 1, 10.0f); }
void update_ff_(int engine) { gauge(2, engine, engine_gauge_value(GAUGE_FF, engine), ins.ff_toINS, 0, 0, 0.0f); }

float engine_egt_ratio(int engine) { return egt_ratio[intlim(engine, 0, 3)]; }

void update_engine_gauges(void)
{
    const planestruct& pl = pln[0];
    if (pl.ecam && ins.ecam_mode != 3) {
        update_ecam();
        return;
    }
    const int n = engines();
    if (pl.is_heli) {
        // One set for every engine: the rotor's speed once, whatever drives it, then each engine's
        // marker and needle.
        if (n > 0) update_tac(0);
        for (int i = 0; i < n; i++) {
            if (pl.entype == 1 || pl.entype == 2) {
                update_egt(i);
                update_mpr(i);
            } else if (pl.entype == 3) {
                update_trq(i);
            }
        }
        return;
    }
    for (int i = 0; i < n; i++) {
        switch (pl.entype) {
        case 1:
        case 2:
            update_egt(i);
            update_tac(i);
            if (pl.varpitchEQ) update_mpr(i);
            break;
        case 3:
            update_tac(i);
            update_trq(i);
            break;
        case 4:
        case 5:
            update_n1_(i);
            update_ff_(i);
            if (flt.after_burning[i]) {
                if (n <= 2) OGL_string(41, x12() + en_x[0][i] - 11.0f, en_y[0] + 4.0f, "BURN", 800, 6);
                else OGL_string(41, x12() + 651.0f + 40.0f * i, 283.0f, "BURN", 800, 6);
            }
            break;
        default: break;
        }
    }
}

void panel_reset_engines(void)
{
    for (float& r : egt_ratio) r = 0.0f;
}

// ---- the engine display's pages -----------------------------------------------------------------------

namespace {

constexpr float PAGE_W = 149.0f, PAGE_H = 141.0f, PAGE_Y = 167.0f;

float page_x(void) { return x12() + ECAM_X + 3.0f; }

// A line of the fuel page: its words, and a number whose last digit stands in the line's 15th place,
// just before the unit.
void fuel_line(float y, const char* words, float value, int places, int decimals)
{
    const float x = page_x() + 4.0f;
    OGL_string(42, x, y, words, 800, 6);
    OGL_number(42, x + 6.0f * static_cast<float>(15 - places), y, value, places, decimals, 6, 0);
}

void fuel_page(void)
{
    const int n = engines();
    const float total = shown(flt.m_fuel) * con.kgstolbs;
    fuel_line(278, "FUEL L:         LB", total * 0.5f, 6, 0);
    fuel_line(268, "FUEL R:         LB", total * 0.5f, 6, 0);
    fuel_line(258, "FUEL TOT:       LB", total, 6, 0);
    static const char* const ff[4] = {"FF #1:          PPH", "FF #2:          PPH", "FF #3:          PPH", "FF #4:          PPH"};
    float flow = 0.0f;   // kg/s
    for (int i = 0; i < n; i++) {
        flow += shown(flt.ff_[i]);
        fuel_line(238.0f - 10.0f * i, ff[i], shown(flt.ff_[i]) * con.kgstolbs * 3600.0f, 6, 0);
    }
    // A standing engine burns nothing: the endurance is then as long as the readout can say, and the
    // range follows it.
    const float hours = fltmin2(shown(flt.m_fuel) / fltmax2(flow, 0.000001f) / 3600.0f, 99.9f);
    fuel_line(198, "ENDURANCE:      HR", hours, 3, 1);
    fuel_line(188, "RANGE:          NM", fltmin2(hours * shown(flt.v[0]) * con.msctokts, 99999.0f), 5, 0);
}

// A control surface's box: the frame 100 wide, the centre mark and the surface's place (-1..1).
void surface_box(float y, const char* label, float place)
{
    const float x = page_x() + 4.0f, bx = x + 54.0f;
    OGL_string(42, x, y, label, 800, 6);
    OGL_framerect(40, bx, y - 1.0f, 86.0f, 8.0f);
    OGL_line(40, bx + 43.0f, y - 1.0f, bx + 43.0f, y + 7.0f);
    const float at = std::round(bx + 43.0f + 41.0f * fltlim(std::isfinite(place) ? place : 0.0f, -1.0f, 1.0f));
    OGL_fillrect(47, at - 1.0f, y, 3.0f, 7.0f);
}

// A deflection over its largest, 0 when the surface cannot move.
float over(float deflection, float largest) { return largest > 0.0f ? deflection / largest : 0.0f; }

void controls_page(void)
{
    const planestruct& pl = pln[0];
    // Right aileron trailing edge up, rudder trailing edge right and elevator trailing edge up read
    // to the right.
    const float ail = over(0.5f * (flt.railndef - flt.lailndef), fltmax2(pl.ailn_up, pl.ailn_dn));
    const float rud = over(flt.ruddef, pl.rudd_def);
    const float elv = over(0.5f * (flt.lhstbdef + flt.rhstbdef), fltmax2(pl.elev_up, pl.elev_dn));
    static const char* const labels[3] = {"AILERON ", "RUDDER  ", "ELEVATOR"};
    const float place[3] = {ail, rud, elv};
    for (int i = 0; i < 3; i++) surface_box(278.0f - 20.0f * i, labels[i], place[i]);
    if (flt.sbrk >= 1) OGL_string(41, page_x() + 4.0f, 208.0f, "SPEED BRAKE OUT", 800, 6);
}

void hydraulics_page(void)
{
    const int n = engines();
    const float x = page_x() + 4.0f;
    // Pump 1 on the first engine, pump 2 on the last; a pump works while its engine runs.
    const int pump[2] = {0, intmax2(n - 1, 0)};
    static const char* const names[2] = {"HYDRAULIC PUMP 1", "HYDRAULIC PUMP 2"};
    for (int p = 0; p < 2; p++) {
        const int works = rel.hydsys && n > 0 && flt.eng_running[pump[p]] && rel.engine[pump[p]];
        OGL_string(works ? 40 : 44, x, 271.0f - 10.0f * p, names[p], 800, 6);
    }
    OGL_string(rel.RAT_on ? 41 : 40, x, 244.0f, "RAM AIR TURBINE ON", 800, 6);
    for (int i = 0; i < n; i++) {
        const float bx = x + 30.0f * i;
        OGL_framerect(40, bx, 222.0f, 20.0f, 12.0f);
        OGL_fillrect(flt.eng_running[i] && rel.engine[i] ? 40 : 44, bx + 2.0f, 224.0f, 17.0f, 9.0f);
    }
}

void failures_page(void)
{
    const float x = page_x() + 4.0f, x2 = page_x() + 76.0f;
    struct Row {
        const char* name;
        int works;
    };
    const Row left[12] = {
        {"AILERONS", rel.fc_ail},    {"ELEVATORS", rel.fc_elv}, {"RUDDERS", rel.fc_rud},     {"SLATS", rel.fc_slt},
        {"FLAP DISAG", rel.fc_flp},  {"THROTTLES", rel.fc_thr}, {"HYD SYSTEM", rel.hydsys},  {"S.A.S.", rel.stbaug},
        {"ASSYM FLAP", rel.symflp},  {"STAB TRIM", rel.sttrim}, {"T. REVERSE", 1},           {"ANTI-ICE", rel.antice},
    };
    for (int k = 0; k < 12; k++) OGL_string(left[k].works ? 40 : 44, x, 280.0f - 10.0f * k, left[k].name, 800, 6);
    static const char* const engine[4] = {"ENGINE #1", "ENGINE #2", "ENGINE #3", "ENGINE #4"};
    static const char* const oil[4] = {"OIL PRES #1", "OIL PRES #2", "OIL PRES #3", "OIL PRES #4"};
    for (int i = 0; i < 4; i++) {
        OGL_string(rel.engine[i] ? 40 : 44, x2, 280.0f - 10.0f * i, engine[i], 800, 6);
        OGL_string(rel.oilpmp[i] ? 40 : 44, x2, 240.0f - 10.0f * i, oil[i], 800, 6);
    }
    static const char* const gear[3] = {"NOSE GEAR", "LEFT GEAR", "RIGHT GEAR"};
    for (int g = 0; g < 3; g++) OGL_string(rel.lagear[g] ? 40 : 44, x2, 200.0f - 10.0f * g, gear[g], 800, 6);
}

}  // namespace

void update_ecam(void)
{
    OGL_fillrect(29, page_x(), PAGE_Y, PAGE_W, PAGE_H);
    switch (ins.ecam_mode) {
    case 4: fuel_page(); break;
    case 5: controls_page(); break;
    case 6: hydraulics_page(); break;
    case 7: failures_page(); break;
    default: break;
    }
}
