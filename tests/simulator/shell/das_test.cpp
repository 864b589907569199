// das_test.cpp -- clicks on the panel: one table of click points over a hand-placed panel, each
// with the one field it changes (every other byte of the flight, settings, panel, radio, autopilot,
// clock, scenery and controller records left alone), and the rules behind single zones: lever
// heights, knob limits, the altitude hold's climb rate, the gear's failed leg, the reverse detent,
// held buttons, the GPS's search and the keys that click the panel.
#include "das.h"

#include "atc.h"
#include "hl_event.h"
#include "hl_funct.h"
#include "hl_mnw.h"
#include "hl_string.h"
#include "hl_types.h"
#include "keys.h"
#include "panel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// ---- the panel the table clicks on --------------------------------------------------------------
//
// Slots (x, y): attitude 2 at (200, 222), slot 4 at (440, 222), situation indicator 6 at (200, 120),
// ADF 8 at (440, 120), glass map 9 at (0, 200), altimeter knob 10 at (330, 190); the radio stack 11
// and the lever quadrant 12 at x 0, the switch row unshifted. One engine: throttle lever at 669,
// propeller 720, mixture 761.

constexpr float FT = 0.3048f;          // m per ft
constexpr float FPM = 0.3048f / 60.0f; // m/s per ft/min

void layout(void)
{
    const float xy[13][2] = {{0, 0}, {66, 222}, {200, 222}, {324, 222}, {440, 222}, {66, 84}, {200, 120},
                             {324, 84}, {440, 120}, {0, 200}, {330, 190}, {0, 0}, {0, 0}};
    for (int k = 0; k < 13; k++) ins.x_loc[k] = xy[k][0], ins.y_loc[k] = xy[k][1];
    osh = 0.0f;
    thro_x[0] = 669.0f, prop_x[0] = 720.0f, mixt_x[0] = 761.0f;
    for (int i = 1; i < 4; i++) thro_x[i] = prop_x[i] = mixt_x[i] = 900.0f + 20.0f * i;
}

// A small world for the GPS: three airports, and navaids 2..5 (a VOR, an NDB, a VOR, a localizer).
void gps_world(void)
{
    apt_wrl_max = 2;
    const char* apts[3] = {"KSBD", "KLAX", "KSMO"};
    for (int a = 0; a < 3; a++) std::memcpy(apt_id[a], apts[a], 5);
    nav_wrl_max = 5;
    const struct {
        int type;
        const char* id;
    } navs[6] = {{0, "    "}, {0, "    "}, {3, "PMD "}, {2, "SB  "}, {3, "VNY "}, {4, "ILAX"}};
    for (int n = 0; n < 6; n++) {
        nav_type[n] = navs[n].type;
        std::memcpy(nav_id[n], navs[n].id, 5);
    }
}

// The trainer-like aircraft: round panel with a course indicator, every switch and the ADF fitted,
// retractable gear, flaps, speed brakes, pitch trim, one piston engine with a variable-pitch
// propeller; no joystick, and the state every table row starts from.
void round_panel(void)
{
    clear_globals();
    hl_fill_constants();
    reset_atc();
    layout();
    gps_world();
    planestruct& pl = pln[0];
    pl.paneltype = 1;
    pl.supptype = 1;
    pl.HUDtype = 3;
    pl.arrestingEQ = pl.chuteEQ = pl.antiiceEQ = pl.jatoEQ = pl.jettisonEQ = 1;
    pl.gear_retract = 1;
    pl.flapEQ = pl.sbrkEQ = 1;
    pl.entype = 1;
    pl.numen = 1;
    pl.varpitchEQ = 1;
    pl.omegamingreen = 100.0f;
    pl.omegamax = 270.0f;
    pl.minpitch[0] = 2.0f;
    pl.maxpitch[0] = 14.0f;
    ins.avail[SLOT_ADF] = 1;
    rel.sttrim = 1;
    for (int g = 0; g < 3; g++) rel.lagear[g] = 1;
    for (int i = 0; i < 4; i++) rel.revlok[i] = 1, flt.mixt[i] = 1.0f;
    set.controls_type = -1;
    mnw.menu_up = -1;

    ott.al_hold = 5000.0f * FT;
    ott.as_hold = 100.0f;
    nav.obs[0] = 90.0f, nav.obs[1] = 180.0f;
    nav.hdsel = 90;
    ins.baro = 29.92f;
    ins.map_range = 8.0f;
    ins.radalt_ft = 200.0f;
    ins.arg_mode = 1;
    ins.arg_range = ins.rad_range = 15.0f;
    nav.nf[0] = 11170, nav.nf[1] = 11300;
    nav.cf[0] = 12100, nav.cf[1] = 12250;
    nav.adff = 350;
    nav.tran1 = 1, nav.tran2 = 2;
    nav.radout = 2;
    nav.gps_index_mode = 1;
    const char* ksbd = "KSBD";
    for (int k = 0; k < 4; k++) nav.gps_id[k] = char_to_code(ksbd[k]);
    set.parkbrake = 1.0f;
    set.gear_handle = 1;
    set.thro_pot = 1;
    msc.elap_time = 100.0f;
    msc.prd = 0.05f;
    msc.timr_time = 42.0f;
    flt.m_jettison = 100.0f;
    flt.vY = 2.5;
}
void bare_panel(void)
{
    round_panel();
    planestruct& pl = pln[0];
    pl.HUDtype = 1;
    pl.arrestingEQ = pl.chuteEQ = pl.antiiceEQ = pl.jatoEQ = pl.jettisonEQ = 0;
    pl.gear_retract = 0;
    ins.avail[SLOT_ADF] = 0;
}
void with_joystick(void) { round_panel(), set.controls_type = 15; }
void replaying(void) { round_panel(), set.replay_mode = 4; }
void menu_up(void) { round_panel(), atc.menu_up = 1; }
// The glass panel with a GPS and the engine display.
void glass_panel(void) { round_panel(), pln[0].paneltype = 2, pln[0].supptype = 2, pln[0].ecam = 1; }
void radar_altimeter(void) { round_panel(), pln[0].supptype = 4; }
void moving_map(void) { round_panel(), pln[0].supptype = 3; }
void weather_radar(void) { round_panel(), pln[0].supptype = 6; }
void sweep_and_vector(void) { round_panel(), pln[0].varsweepEQ[6] = 1, pln[0].vectEQ = 1; }
// A helicopter: its switch row shifted 100 left, where its jettison and pause buttons stand.
void helicopter(void) { round_panel(), pln[0].collectEQ = 1, pln[0].is_heli = 1, osh = -100.0f; }

// ---- byte-level comparison of the records ----------------------------------------------------------

struct Field {
    const char* name = nullptr;
    const void* p = nullptr;
    size_t n = 0;
    int is_float = 0;
};
template <typename T>
Field field(const char* name, const T& v)
{
    Field f;
    f.name = name;
    f.p = &v;
    f.n = sizeof v;
    f.is_float = std::is_same_v<T, float>;
    return f;
}
#define F(x) field(#x, x)

struct Record {
    const char* name;
    void* p;
    size_t n;
};
std::vector<Record> records(void)
{
    return {{"flt", &flt, sizeof flt}, {"set", &set, sizeof set}, {"ins", &ins, sizeof ins}, {"msc", &msc, sizeof msc},
            {"nav", &nav, sizeof nav}, {"ott", &ott, sizeof ott}, {"scn", &scn, sizeof scn}, {"atc", &atc, sizeof atc},
            {"pln", &pln[0], sizeof pln[0]}};
}

struct Snapshot {
    std::vector<std::vector<unsigned char>> bytes;
    Snapshot()
    {
        for (const Record& r : records()) {
            const unsigned char* b = static_cast<const unsigned char*>(r.p);
            bytes.emplace_back(b, b + r.n);
        }
    }
};

bool inside(const void* byte, const Field& f)
{
    const unsigned char* b = static_cast<const unsigned char*>(byte);
    const unsigned char* lo = static_cast<const unsigned char*>(f.p);
    return f.p && b >= lo && b < lo + f.n;
}

// The first record byte that changed since the snapshot outside the allowed fields ("" when none).
std::string stray_change(const Snapshot& before, const std::vector<Field>& allowed)
{
    const std::vector<Record> rs = records();
    for (size_t k = 0; k < rs.size(); k++) {
        const unsigned char* now = static_cast<const unsigned char*>(rs[k].p);
        for (size_t i = 0; i < rs[k].n; i++) {
            if (now[i] == before.bytes[k][i]) continue;
            bool ok = false;
            for (const Field& f : allowed) ok = ok || inside(now + i, f);
            if (!ok) return std::string(rs[k].name) + "+" + std::to_string(i);
        }
    }
    return "";
}

double value_of(const Field& f)
{
    if (f.is_float) return *static_cast<const float*>(f.p);
    return *static_cast<const int32_t*>(f.p);
}

// The library takes the click (an open menu keeps it), then the frame hands it to the panel.
void click(float x, float y)
{
    mnw.mx = x, mnw.my = y;
    mnw.mouse_clicked = 1;
    mnw.delay_dragging = 0;
    MACIBM_handleclick();
    das_frame_mouse();
}

// ---- the table ------------------------------------------------------------------------------------

struct Row {
    const char* what;
    void (*aircraft)(void);
    float x, y;
    Field changes;               // none: nothing may change
    double becomes;
    std::vector<Field> also;     // fields that may change with it
};

class PanelClicks : public ::testing::Test {
protected:
    void SetUp() override { round_panel(); }
};

TEST_F(PanelClicks, EachZoneChangesItsOwnFieldAndNothingElse)
{
    const Field none;
    const Row rows[] = {
        // 1-3: windscreen, options menu, replay.
        {"windscreen toggles the mouse yoke", round_panel, 400, 447, F(msc.mouse_is_joy), 1, {}},
        {"windscreen with a joystick", with_joystick, 400, 447, none, 0, {}},
        {"replay buttons 2 and 3 overlap: 3 wins", replaying, 368, 550, F(set.replay_mode), 3, {}},
        {"replay fast back", replaying, 336, 550, F(set.replay_mode), 1, {}},
        {"a replay button's lower edge, on the windscreen", replaying, 336, 542, F(set.replay_mode), 1, {}},
        {"replay fast forward", replaying, 460, 555, F(set.replay_mode), 7, {}},
        {"replay buttons while flying", round_panel, 368, 550, none, 0, {}},
        {"an empty menu line closes the menu", menu_up, 100, 517, F(atc.menu_up), 0, {F(atc.sel_i), F(atc.sel_j)}},
        // 4: the switch row.
        {"HUD", round_panel, 40, 320, F(ins.HUD_on), 1, {}},
        {"HUD hoops", round_panel, 90, 320, F(ins.HOOP_on), 1, {}},
        {"HUD brightness", round_panel, 125, 320, F(ins.hud_brt), 1, {}},
        {"HUD switch with no HUD", bare_panel, 40, 320, none, 0, {}},
        {"chute", round_panel, 510, 320, F(ins.chute_on), 1, {}},
        {"hook", round_panel, 560, 320, F(ins.hook_down), 1, {}},
        {"anti-ice", round_panel, 600, 320, F(ins.antiice_on), 1, {}},
        {"rockets", round_panel, 700, 320, F(ins.jato_on), 1, {}},
        {"jettison", round_panel, 650, 320, F(flt.m_jettison), 0, {}},
        {"chute switch without a chute", bare_panel, 510, 320, none, 0, {}},
        {"a helicopter shows no chute switch", helicopter, 520, 320, none, 0, {}},
        {"a helicopter shows no hook switch", helicopter, 580, 320, none, 0, {}},
        {"a helicopter shows no anti-ice switch", helicopter, 610, 320, none, 0, {}},
        {"a helicopter shows no rocket switch", helicopter, 700, 320, none, 0, {}},
        {"pause", round_panel, 760, 320, F(msc.paused), 1, {}},
        {"pause with a menu open only closes it", [] { round_panel(), mnw.menu_up = 5; }, 760, 320, none, 0, {}},
        // 5: the autopilot's set knobs.
        {"altitude knob up", round_panel, 315, 320, F(ott.al_hold), 5100 * FT, {}},
        {"altitude knob down", round_panel, 315, 310, F(ott.al_hold), 4900 * FT, {}},
        {"altitude knob with a menu open", [] { round_panel(), mnw.menu_up = 5; }, 315, 310, none, 0, {}},
        {"vertical speed knob up", round_panel, 400, 320, F(ott.vv_hold), 100 * FPM, {}},
        {"airspeed knob down", round_panel, 485, 310, F(ott.as_hold), 95, {}},
        {"just left of the altitude knob", round_panel, 304, 320, none, 0, {}},
        // 6-11: the round instruments' knobs.
        {"attitude bar down", round_panel, 255, 160, F(set.ah_bar_adjust), -1, {}},
        {"attitude bar up", round_panel, 255, 175, F(set.ah_bar_adjust), 1, {}},
        {"attitude bar on a glass panel", glass_panel, 255, 160, none, 0, {}},
        {"course 1 up", round_panel, 400, 182, F(nav.obs[0]), 91, {}},
        {"course 1 down", round_panel, 425, 182, F(nav.obs[0]), 89, {}},
        {"course 1 without its indicator", moving_map, 425, 182, none, 0, {}},
        {"course 2 down", round_panel, 150, 70, F(nav.obs[1]), 179, {}},
        {"course 2 up", round_panel, 175, 70, F(nav.obs[1]), 181, {}},
        {"ADF card up", round_panel, 390, 70, F(ins.adf_card), 1, {}},
        {"ADF card down wraps", round_panel, 420, 70, F(ins.adf_card), 359, {}},
        {"ADF card not fitted", bare_panel, 390, 70, none, 0, {}},
        {"heading bug down", round_panel, 240, 70, F(nav.hdsel), 89, {}},
        {"heading bug up", round_panel, 260, 70, F(nav.hdsel), 91, {}},
        {"heading bug 30 lower on glass", glass_panel, 240, 40, F(nav.hdsel), 89, {}},
        {"altimeter setting up", round_panel, 330, 200, F(ins.baro), 29.923, {}},
        {"altimeter setting down on glass", glass_panel, 330, 180, F(ins.baro), 29.91, {}},
        // 12, 13: the glass map and the engine display.
        {"map range doubled", glass_panel, 210, 235, F(ins.map_range), 16, {}},
        {"map range halved", glass_panel, 245, 235, F(ins.map_range), 4, {}},
        {"map mode 1", glass_panel, 275, 235, F(ins.map_mode), 1, {}},
        {"map mode 2", glass_panel, 305, 235, F(ins.map_mode), 2, {}},
        {"map weather", glass_panel, 335, 235, F(ins.EFIS_wxr), 1, {}},
        {"map traffic", glass_panel, 365, 235, F(ins.EFIS_tcas), 1, {}},
        {"map buttons on a round panel", round_panel, 210, 235, none, 0, {}},
        {"engine page 3", glass_panel, 660, 150, F(ins.ecam_mode), 3, {}},
        {"engine page 4", glass_panel, 690, 150, F(ins.ecam_mode), 4, {}},
        {"engine page 5", glass_panel, 720, 150, F(ins.ecam_mode), 5, {}},
        {"engine page 6", glass_panel, 750, 150, F(ins.ecam_mode), 6, {}},
        {"engine page 7", glass_panel, 780, 150, F(ins.ecam_mode), 7, {}},
        {"engine pages with no display", round_panel, 660, 150, none, 0, {}},
        // 14-17: slot 4's knobs and the clock.
        {"decision height up", radar_altimeter, 400, 175, F(ins.radalt_ft), 210, {}},
        {"decision height down", radar_altimeter, 400, 190, F(ins.radalt_ft), 190, {}},
        {"moving map mode 0", moving_map, 478, 250, F(ins.arg_mode), 0, {}},
        {"moving map mode 2", moving_map, 478, 220, F(ins.arg_mode), 2, {}},
        {"moving map range halved", moving_map, 478, 200, F(ins.arg_range), 7.5, {}},
        {"moving map range doubled", moving_map, 478, 190, F(ins.arg_range), 30, {}},
        {"radar range doubled", weather_radar, 400, 182, F(ins.rad_range), 30, {}},
        {"radar range halved", weather_radar, 450, 182, F(ins.rad_range), 7.5, {}},
        {"stopwatch starts a second on", round_panel, 410, 154, F(msc.timer_running), 1, {F(msc.timr_time)}},
        {"stopwatch reset", round_panel, 435, 154, F(msc.timr_time), 0, {}},
        // 18-20: audio, DME and the radios.
        {"audio 4", round_panel, 550, 292, F(nav.radout), 4, {}},
        {"audio 0", round_panel, 570, 292, F(nav.radout), 0, {}},
        {"audio 1", round_panel, 590, 292, F(nav.radout), 1, {}},
        {"audio 3", round_panel, 630, 292, F(nav.radout), 3, {}},
        {"DME from receiver 2", round_panel, 630, 270, F(nav.dmesel), 1, {}},
        {"NAV 1 MHz up", round_panel, 600, 225, F(nav.nf[0]), 11270, {}},
        {"NAV 1 MHz down", round_panel, 600, 215, F(nav.nf[0]), 11070, {}},
        {"NAV 1 kHz up", round_panel, 620, 225, F(nav.nf[0]), 11175, {}},
        {"NAV 1 kHz down", round_panel, 620, 215, F(nav.nf[0]), 11165, {}},
        {"NAV 1 on a GPS panel", glass_panel, 620, 225, none, 0, {}},
        {"NAV 2 MHz up", round_panel, 600, 175, F(nav.nf[1]), 11400, {}},
        {"NAV 2 kHz down wraps in its MHz", round_panel, 620, 165, F(nav.nf[1]), 11395, {}},
        {"COM 1 MHz up", round_panel, 530, 225, F(nav.cf[0]), 12200, {}},
        {"COM 1 kHz down wraps in its MHz", round_panel, 560, 215, F(nav.cf[0]), 12195, {}},
        {"COM 2 MHz down", round_panel, 530, 165, F(nav.cf[1]), 12150, {}},
        {"COM 2 kHz up on a GPS panel", glass_panel, 560, 175, F(nav.cf[1]), 12255, {}},
        {"ADF hundreds up", round_panel, 425, 45, F(nav.adff), 450, {}},
        {"ADF tens down", round_panel, 445, 30, F(nav.adff), 340, {}},
        {"ADF units up", round_panel, 465, 45, F(nav.adff), 351, {}},
        {"transponder 1 up", round_panel, 570, 135, F(nav.tran1), 2, {}},
        {"transponder 2 down", round_panel, 590, 125, F(nav.tran2), 1, {}},
        {"transponder 3 up", round_panel, 610, 135, F(nav.tran3), 1, {}},
        {"transponder 4 down wraps", round_panel, 630, 125, F(nav.tran4), 7, {}},
        // 21: the GPS.
        {"GPS VORs", glass_panel, 630, 250, F(nav.gps_index_mode), 3, {F(nav.gps_id), F(nav.gps_vor_index), F(nav.gps_index)}},
        {"GPS scrolls to the next airport", glass_panel, 546, 215, F(nav.gps_index), 1, {F(nav.gps_id), F(nav.gps_apt_index)}},
        {"GPS edits the first letter", glass_panel, 603, 215, F(nav.gps_scroll_mode), 1, {F(nav.gps_index), F(nav.gps_apt_index)}},
        {"GPS button on a course-indicator panel", round_panel, 630, 245, none, 0, {}},
        // 22, 23: the autopilot's buttons and the transponder's ident.
        {"heading select", round_panel, 500, 92, F(ott.HDSLCT), 1, {}},
        {"NAV 1 mode", round_panel, 525, 92, F(ott.NAV[0]), 1, {}},
        {"NAV 2 mode", round_panel, 545, 92, F(ott.NAV[1]), 1, {}},
        {"altitude hold", round_panel, 570, 92, F(ott.ALHOLD), 1, {F(ott.vv_hold)}},
        {"vertical speed hold", round_panel, 590, 92, F(ott.VVHOLD), 1, {F(ott.vv_hold)}},
        {"glide slope", round_panel, 610, 92, F(ott.GS2), 1, {}},
        {"airspeed hold", round_panel, 630, 92, F(ott.ASHOLD), 1, {}},
        {"ident", round_panel, 527, 132, F(ins.reply_time1), 100, {F(ins.reply_time2)}},
        // 24-26: brakes, trims, gear.
        {"parking brake off", round_panel, 520, 12, F(set.parkbrake), 0, {}},
        {"aileron trim left", round_panel, 575, 47, F(flt.ail_trim), -0.005, {}},
        {"aileron trim right", round_panel, 595, 47, F(flt.ail_trim), 0.005, {}},
        {"rudder trim left", round_panel, 575, 17, F(flt.rud_trim), -0.005, {}},
        {"rudder trim right", round_panel, 595, 17, F(flt.rud_trim), 0.005, {}},
        {"gear up", round_panel, 625, 30, F(set.gear_handle), 0, {F(set.gear_time)}},
        {"gear handle of fixed gear", bare_panel, 625, 30, none, 0, {}},
        // 27: the upper quadrant. Flaps at y 104: 1 - (100 - 73) / 54 = 0.5; speed brake at y 100:
        // -1 + 3 (120 - 97.5) / 24 = 1.81, truncated 1; sweep at y 96: 1 - 18.5 / 39; vector at y
        // 100: (1 - 22.5 / 53) 120.
        {"flaps half", round_panel, 665, 104, F(flt.flaprqst), 0.5, {}},
        {"speed brake", round_panel, 708, 100, F(flt.sbrk), 1, {}},
        {"sweep", sweep_and_vector, 740, 96, F(flt.sweerqst), 1.0 - 18.5 / 39.0, {}},
        {"thrust vector", sweep_and_vector, 770, 100, F(flt.vectrqst), (1.0 - 22.5 / 53.0) * 120.0, {}},
        {"pitch trim nose down", round_panel, 790, 95, F(flt.elv_trim), 0.005, {}},
        {"pitch trim nose up", round_panel, 790, 110, F(flt.elv_trim), -0.005, {}},
        // 28: the lower quadrant, heights 7 lower once the throttles are the panel's. Throttle at y
        // 35: (28 - 4) / 48; propeller at y 40: 100 + 170 (26.5 - 4) / 35; mixture the same
        // fraction; carburettor heat at y 30: 1 - (29.5 - 4) / 48; collective at y 35: 14 - 12 x 0.5.
        {"throttle", round_panel, 680.5f, 35, F(flt.throrqst[0]), 0.5, {F(set.thro_pot)}},
        {"all throttles on the common handle", round_panel, 675, 59, F(flt.throrqst[3]), 1, {F(flt.throrqst), F(set.thro_pot)}},
        {"propeller", round_panel, 728, 40, F(flt.prop[0]), 100 + 170 * 22.5 / 35.0, {F(set.thro_pot)}},
        {"mixture", round_panel, 769, 40, F(flt.mixt[0]), 22.5 / 35.0, {F(set.thro_pot)}},
        {"carburettor heat", round_panel, 790, 30, F(flt.heat[0]), 1.0 - 25.5 / 48.0, {F(flt.heat), F(set.thro_pot)}},
        {"collective", helicopter, 675, 35, F(flt.proppitch[0]), 8, {}},
        // Where no control is.
        {"outside view", round_panel, 100, 200, none, 0, {}},
        {"panel corner", round_panel, 5, 5, none, 0, {}},
        {"between gear handle and levers", round_panel, 643, 30, none, 0, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        r.aircraft();
        const Snapshot before;
        const double was = r.changes.p ? value_of(r.changes) : 0.0;
        click(r.x, r.y);
        std::vector<Field> allowed(r.also);
        allowed.push_back(r.changes);
        const std::string stray = stray_change(before, allowed);
        EXPECT_EQ(stray, "") << "a byte outside the row's fields changed";
        if (r.changes.p) {
            EXPECT_NE(was, r.becomes) << "the row starts where it should end";
            EXPECT_NEAR(value_of(r.changes), r.becomes, 1e-4 * std::fmax(1.0, std::fabs(r.becomes))) << r.changes.name;
        }
    }
}

// ---- single zones ---------------------------------------------------------------------------------

TEST_F(PanelClicks, LeverHeightsFromThePointer)
{
    struct Case {
        int kind;
        float y, handle;
    } cases[] = {
        {6, 73, 0}, {6, 127, 1}, {6, 100, 0.5f}, {6, 60, 0}, {6, 200, 1},   // flaps, limited at both ends
        {9, 92.5f, 0.5f}, {10, 99.5f, 0.5f},                                // sweep, vector
        {11, 28, 0.5f}, {14, 4, 0}, {23, 52, 1},                            // throttles, carburettor heat
        {15, 21.5f, 0.5f}, {22, 39, 1},                                     // propellers, mixtures
        {5, 50, 0}, {7, 100, 0}, {24, 30, 0},                               // no lever
    };
    for (const Case& c : cases)
        EXPECT_NEAR(util_get_handle(c.kind, c.y), c.handle, 1e-6) << "kind " << c.kind << " at " << c.y;
}

TEST_F(PanelClicks, AltitudeHoldClimbsAtLeast500FeetAMinute)
{
    struct Case {
        float vv_fpm, after_fpm;
    } cases[] = {{200, 500}, {-200, 500}, {0, 500}, {-800, -800}, {1200, 1200}};
    for (const Case& c : cases) {
        round_panel();
        ott.vv_hold = c.vv_fpm * FPM;
        click(570, 92);
        EXPECT_EQ(ott.ALHOLD, 1);
        EXPECT_NEAR(ott.vv_hold / FPM, c.after_fpm, 0.01) << c.vv_fpm;
    }
    // The vertical-speed button holds the present climb, and drops the altitude hold.
    click(590, 92);
    EXPECT_EQ(ott.VVHOLD, 1);
    EXPECT_EQ(ott.ALHOLD, 0);
    EXPECT_NEAR(ott.vv_hold, 2.5, 1e-6);
}

TEST_F(PanelClicks, SetKnobsStopAtTheirLimits)
{
    struct Case {
        float* target;
        float start, per_unit;   // the knob's value in its own unit, and metres (or knots) per unit
        float x, y;
        float after;
    } cases[] = {
        {&ott.al_hold, 90000, FT, 315, 320, 90000}, {&ott.al_hold, 50, FT, 315, 310, 0},
        {&ott.al_hold, 1234, FT, 315, 320, 1300},   // rounded to the hundred
        {&ott.vv_hold, 9000, FPM, 400, 320, 9000},  {&ott.vv_hold, -9000, FPM, 400, 310, -9000},
        {&ott.as_hold, 900, 1, 485, 320, 900},      {&ott.as_hold, 2, 1, 485, 310, 0},
    };
    for (const Case& c : cases) {
        round_panel();
        *c.target = c.start * c.per_unit;
        click(c.x, c.y);
        EXPECT_NEAR(*c.target / c.per_unit, c.after, 0.05) << c.start;
    }
    // The altimeter setting stays within 28 and 32 inches.
    ins.baro = 31.999f;
    click(330, 200);
    EXPECT_FLOAT_EQ(ins.baro, 32.0f);
}

TEST_F(PanelClicks, GearArrivesInThreeToFiveSecondsButNeverOnAFailedLeg)
{
    rel.lagear[1] = 0;
    click(625, 30);
    EXPECT_EQ(set.gear_handle, 0);
    EXPECT_GE(set.gear_time[0], 103.0f);
    EXPECT_LE(set.gear_time[0], 105.0f);
    EXPECT_FLOAT_EQ(set.gear_time[1], 9.9e9f);
    EXPECT_GE(set.gear_time[2], 103.0f);
    EXPECT_LE(set.gear_time[2], 105.0f);
    click(625, 30);
    EXPECT_EQ(set.gear_handle, 1);
}

TEST_F(PanelClicks, ReverseLiesBelowADetentOnlyADragPasses)
{
    pln[0].revthrustEQ = 1;
    // A click at y 15 (8 on the lever) stops at the detent, 16: lever 0.25, just forward of 0.24.
    click(680.5f, 15);
    EXPECT_NEAR(flt.throrqst[0], (0.25 - 0.24) / 0.76, 1e-5);
    EXPECT_EQ(flt.revving_thrust[0], 0);
    // Dragged there: lever (8 - 4) / 48, reverse at (0.24 - 1/12) / 0.24.
    mnw.mouse_clicked = 0;
    mnw.delay_dragging = 1;
    manage_das(680.5f, 15);
    EXPECT_NEAR(flt.throrqst[0], (0.24 - 1.0 / 12.0) / 0.24, 1e-5);
    EXPECT_EQ(flt.revving_thrust[0], 1);
    // At the top of the lever (y 59, 52 on the lever): full forward thrust.
    click(680.5f, 59);
    EXPECT_NEAR(flt.throrqst[0], 1.0, 1e-5);
    EXPECT_EQ(flt.revving_thrust[0], 0);
    // A reverser whose lock failed stays out whatever the lever says.
    rel.revlok[0] = 0;
    click(680.5f, 59);
    EXPECT_EQ(flt.revving_thrust[0], 1);
}

TEST_F(PanelClicks, OneClickMovesSweepAndVectorWhereTheirLeversOverlap)
{
    sweep_and_vector();
    click(750, 96);
    EXPECT_NEAR(flt.sweerqst, 1.0 - 18.5 / 39.0, 1e-5);
    EXPECT_NEAR(flt.vectrqst, (1.0 - 18.5 / 53.0) * 120.0, 1e-3);
}

TEST_F(PanelClicks, HeldButtonsRepeatKnobsAndTrimsButNotSwitches)
{
    // The press, then 20 repeats of 0.05 s.
    click(260, 70);   // heading bug +1
    click(625, 30);   // gear up
    click(500, 92);   // heading select on
    click(520, 12);   // brake off
    click(760, 320);  // pause
    click(575, 47);   // aileron trim -0.005
    mnw.mouse_clicked = 0;
    mnw.delay_dragging = 1;
    for (int k = 0; k < 20; k++) {
        manage_das(260, 70);
        manage_das(625, 30);
        manage_das(500, 92);
        manage_das(520, 12);
        manage_das(760, 320);
        manage_das(575, 47);
    }
    EXPECT_EQ(nav.hdsel, 90 + 1 + 3 * 20);
    EXPECT_NEAR(flt.ail_trim, -0.1 - 0.005, 1e-5);   // 0.1 a second
    EXPECT_EQ(set.gear_handle, 0);
    EXPECT_EQ(ott.HDSLCT, 1);
    EXPECT_FLOAT_EQ(set.parkbrake, 0.0f);
    EXPECT_EQ(msc.paused, 1);
}

TEST_F(PanelClicks, JettisonPutsOutOnlyTheFiresBelow)
{
    flt.X[0] = 1000, flt.Y[0] = 300, flt.Z[0] = -2000;
    const float fires[3][3] = {{1000, 220, -2000}, {1060, 250, -1960}, {1000, 300, -2150}};   // 80, 88.3, 150 m away
    for (int i = 0; i < 3; i++) {
        scn.fire_on[i] = 1;
        for (int k = 0; k < 3; k++) scn.firexyz[i][k] = fires[i][k];
    }
    click(650, 320);
    EXPECT_EQ(scn.fire_on[0], 0);
    EXPECT_EQ(scn.fire_on[1], 0);
    EXPECT_EQ(scn.fire_on[2], 1);
}

TEST_F(PanelClicks, GpsScrollsThroughOneKindOfNavaid)
{
    glass_panel();
    click(630, 250);   // VORs: navaids 2 and 4
    ASSERT_EQ(nav.gps_index_mode, 3);
    click(546, 215);   // on from 0: the first VOR
    EXPECT_EQ(nav.gps_index, 2);
    click(546, 215);
    EXPECT_EQ(nav.gps_index, 4);
    click(546, 215);   // round the table's end
    EXPECT_EQ(nav.gps_index, 2);
    EXPECT_EQ(nav.gps_vor_index, 2);
    const char* pmd = "PMD ";
    for (int k = 0; k < 4; k++) EXPECT_EQ(nav.gps_id[k], char_to_code(pmd[k]));
    click(546, 225);   // back
    EXPECT_EQ(nav.gps_index, 4);
    // NDBs: the only one is navaid 3; airports keep their own remembered index.
    click(630, 230);
    click(546, 215);
    EXPECT_EQ(nav.gps_index, 3);
    click(630, 270);
    EXPECT_EQ(nav.gps_index, 0);
    // No navaid of the kind: a whole round finds none and the index stays.
    for (int n = 2; n <= 5; n++)
        if (nav_type[n] == 2) nav_type[n] = 7;
    click(630, 230);
    click(546, 215);
    EXPECT_EQ(nav.gps_index, 3);
}

TEST_F(PanelClicks, GpsIdentifierEditedLetterByLetterFindsTheAirport)
{
    glass_panel();
    // Scroll mode 2 edits the second letter: S back seven to L gives "KLBD", no airport, so the
    // index stays; mode 3 takes the third letter from B back to A, and mode 4 the fourth from D on
    // twenty to X: "KLAX", airport 1.
    click(603, 215);
    click(603, 215);
    ASSERT_EQ(nav.gps_scroll_mode, 2);
    for (int k = 0; k < 7; k++) click(546, 225);
    EXPECT_EQ(nav.gps_id[1], char_to_code('L'));
    EXPECT_EQ(nav.gps_index, 0);
    click(603, 215);
    click(546, 225);
    EXPECT_EQ(nav.gps_id[2], char_to_code('A'));
    click(603, 215);
    for (int k = 0; k < 20; k++) click(546, 215);
    EXPECT_EQ(nav.gps_id[3], char_to_code('X'));
    EXPECT_EQ(nav.gps_index, 1);
    EXPECT_EQ(nav.gps_apt_index, 1);
    // Back to scroll mode 0 (mode 4 + 1 wraps to 0): the identifier shown follows the index again.
    click(603, 215);
    EXPECT_EQ(nav.gps_scroll_mode, 0);
    click(546, 215);
    EXPECT_EQ(nav.gps_index, 2);
    const char* ksmo = "KSMO";
    for (int k = 0; k < 4; k++) EXPECT_EQ(nav.gps_id[k], char_to_code(ksmo[k]));
}

TEST_F(PanelClicks, GpsSurvivesDamagedIndicesAndEmptyTables)
{
    glass_panel();
    // Indices from a damaged preference file: far past the tables.
    nav.gps_index = 50000;
    nav.gps_apt_index = -7;
    click(546, 215);
    EXPECT_GE(nav.gps_index, 0);
    EXPECT_LE(nav.gps_index, apt_wrl_max);
    nav.gps_index_mode = 9;
    nav.gps_index = 123456;
    click(546, 215);
    EXPECT_EQ(nav.gps_index, 123456);   // no kind of waypoint: left alone
    // No airports at all.
    nav.gps_index_mode = 1;
    nav.gps_index = 0;
    apt_wrl_max = -1;
    click(546, 215);
    EXPECT_EQ(nav.gps_index, 0);
}

// The keys that click the panel reach the zones through the same points (the '!' key selects
// heading alone first, so its click switches heading select off again: every mode ends off). A
// mouse button held meanwhile past the drag delay makes no key a held button's repeat.
TEST_F(PanelClicks, KeysPressTheSameControls)
{
    struct Case {
        char key;
        void (*aircraft)(void);
        const float* target;
        float after;
    } cases[] = {
        {'n', round_panel, &nav.obs[1], 179}, {'m', round_panel, &nav.obs[1], 181},
        {'i', round_panel, &ins.baro, 29.917f}, {'o', round_panel, &ins.baro, 29.923f},
        {'h', round_panel, &nav.obs[0], 91},  {'j', round_panel, &nav.obs[0], 89},
        {'k', radar_altimeter, &ins.radalt_ft, 190}, {'l', radar_altimeter, &ins.radalt_ft, 210},
        {'b', round_panel, &set.parkbrake, 0}, {'7', round_panel, &flt.ail_trim, -0.005f},
        {'8', round_panel, &flt.ail_trim, 0.005f}, {'9', round_panel, &flt.rud_trim, -0.005f},
        {'0', round_panel, &flt.rud_trim, 0.005f}, {'[', round_panel, &flt.elv_trim, -0.005f},
        {']', round_panel, &flt.elv_trim, 0.005f},
    };
    for (const Case& c : cases) {
        c.aircraft();
        handle_key(c.key, 0);
        EXPECT_NEAR(*c.target, c.after, 1e-4) << c.key;
    }
    struct IntCase {
        char key;
        const int32_t* target;
        int after;
    } int_cases[] = {
        {'y', &nav.hdsel, 89}, {'u', &nav.hdsel, 91}, {'c', &ins.adf_card, 1}, {'v', &ins.adf_card, 359},
        {'p', &msc.paused, 1}, {'g', &set.gear_handle, 0}, {'$', &ott.HDSLCT, 1}, {'%', &ott.NAV[0], 1},
        {'^', &ott.NAV[1], 1}, {'&', &ott.ALHOLD, 1}, {'*', &ott.GS2, 1},
    };
    for (int held : {0, 1})
        for (const IntCase& c : int_cases) {
            round_panel();
            mnw.now_dragging = mnw.delay_dragging = held;
            handle_key(c.key, 0);
            EXPECT_EQ(*c.target, c.after) << c.key << " held " << held;
        }
    round_panel();
    ott.ALHOLD = ott.NAV[0] = 1;
    handle_key('!', 0);
    EXPECT_EQ(ott.HDSLCT + ott.NAV[0] + ott.NAV[1] + ott.ALHOLD + ott.VVHOLD + ott.GS2 + ott.ASHOLD, 0);
}

}  // namespace
