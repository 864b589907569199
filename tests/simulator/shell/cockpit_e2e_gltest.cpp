// cockpit_e2e_gltest.cpp -- the whole simulator, started in-process as its main starts it, flown by
// mouse and keys alone: the test pushes clicks, drags and key presses through the platform layer and
// only reads the records. From the default start at "KSBD" the File menu's open dialog loads the
// bundled jet trainer (the default trainer's gear is fixed); the parking brake is released with its
// panel control, the throttle lever dragged to full power, the number-pad yoke keys take off and climb,
// the gear handle raises the gear (its picture on the panel and the gear lamps change), the heading
// bug and altitude knobs are set and the heading and altitude holds engaged with their buttons and
// seen holding, and NAV 1 is tuned to a region VOR by its two knobs and read off the radio strip.
// A second flight switches the mouse yoke on with a click on the windscreen and flies the aircraft
// by moving the mouse.
#include "e2e_flight.h"
#include "fltframe.h"
#include "hl_funct.h"
#include "hl_mnw.h"
#include "hl_opensave.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "open_dialog.h"
#include "panel.h"
#include "panel_local.h"
#include "plt.h"
#include "view.h"
#include "yoke_keys.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr double FRAME_MS = 50.0;   // the test clock's step: the simulator's own frame period

// Where the panel's controls are, from the layout the loaded aircraft set up.
float x11(void) { return ins.x_loc[SLOT_RADIOS]; }
float x12(void) { return ins.x_loc[SLOT_ENGINES]; }

// The pixels of a rectangle of the frame (logical units, sampled every logical unit).
std::vector<uint32_t> pixels(const Frame& f, float x, float y, int w, int h)
{
    std::vector<uint32_t> out;
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++) {
            const uint8_t* p = f.at(x + static_cast<float>(i), y + static_cast<float>(j));
            out.push_back(static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]));
        }
    return out;
}
int differing(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    int n = 0;
    for (size_t k = 0; k < a.size() && k < b.size(); k++) n += a[k] != b[k];
    return n;
}

// The three gear lamps on the radio strip, each read at its middle as a digit: 1 green (down and
// locked), 2 amber (moving), 0 dark, 9 none of these; nose, left, right from the left, so all three
// down read 111.
int gear_lamps(const Frame& f)
{
    int out = 0;
    for (float x : GEAR_LAMP_X) {
        const float px = x11() + x + 2.0f, py = GEAR_LAMP_Y + 2.0f;
        const int d = f.is_color(px, py, 49) ? 1 : f.is_color(px, py, 44) ? 2 : f.is_color(px, py, 29) ? 0 : 9;
        out = out * 10 + d;
    }
    return out;
}

// NAV 1's frequency as the radio strip shows it, in hundredths of MHz; -1 where a digit or the
// point does not read.
double strip_nav1(const Frame& f)
{
    const std::string s = read_number(f, x11() + NAV_FREQ_X, FREQ_Y[0], 5, 2, 47);
    std::printf("  NAV 1 on the radio strip: \"%s\"\n", s.c_str());
    if (s.size() != 6 || s[3] != '.' || s.find('?') != std::string::npos) return -1.0;
    return std::stod(s.substr(0, 3)) * 100.0 + std::stod(s.substr(4));
}

// ---- the flight by panel and keys ------------------------------------------------------------------

enum Phase { LOAD, BRAKE, THROTTLE, ROLL, CLIMB, GEAR, SET_HOLDS, ENGAGE, HOLD, TUNE, DONE };

struct Flight {
    bool jet = false;   // the jet trainer, loaded through the open dialog, raises its gear; the
                        // default trainer (fixed gear) flies the holds and tunes the radio
    Phase phase = LOAD;
    int pass = 0, phase_pass = 0, step = 0;
    double ms = 0.0;
    float next_key_time = 0.0f;
    int hdg_target = 0, alt_target_ft = 0, vor = -1, vor_frq = 0;
    float hold_start = 0.0f;
    std::vector<uint32_t> handle_before;
    void to(Phase p)
    {
        phase = p;
        phase_pass = pass;
        step = 0;
    }
    // Passes since the phase's first (0 in its first pass: the pass after the one that chose it).
    int in_phase(void) const { return pass - phase_pass - 1; }
};

Flight* g_f = nullptr;

// A yoke key at most every tenth of a second of flight.
void fly_toward(float pitch, float bank)
{
    if (msc.elap_time < g_f->next_key_time) return;
    if (int k = yoke_key_toward(pitch, bank)) {
        push_key(k);
        g_f->next_key_time = msc.elap_time + 0.1f;
    }
}
float bank_toward(float heading) { return static_cast<float>(std::fmax(-20.0, std::fmin(20.0, wrap180(heading - flt.psi[0]) * 1.5))); }

// The knob clicks that take a value to its target one step a pass; 1 once it is there.
int step_knob(int now, int target, float x_up, float y_up, float x_down, float y_down, int span)
{
    if (now == target) return 1;
    const int up = (target - now + span) % span;
    if (up <= span / 2) push_click(x_up, y_up);
    else push_click(x_down, y_down);
    return 0;
}

// The nearest VOR of the region.
int nearest_vor(void)
{
    int best = -1;
    double best_d = 1e30;
    for (int n = 0; n <= nav_wrl_max && n < MAX_NAV; n++) {
        if (!nav_inreg[n] || nav_type[n] != 3) continue;
        const double d = std::hypot(nav_lat[n] - flt.lat, (nav_lon[n] - flt.lon) * std::cos(flt.lat * 0.0174533));
        if (d < best_d) best_d = d, best = n;
    }
    return best;
}

void flight_hook(void)
{
    Flight& f = *g_f;
    f.pass++;
    const float agl = static_cast<float>(flt.Y[0] - env.localh_cg);

    switch (f.phase) {
    case LOAD:
        if (!f.jet) {
            if (f.pass == 2) {
                put("start_apt_is_ksbd", std::strncmp(apt_id[msc.loc_apt_wrl], "KSBD", 4) == 0);
                put("brake_at_start", set.parkbrake);
                put("supptype", pln[0].supptype);
                calm_air();
                f.to(BRAKE);
            }
            break;
        }
        // The File menu's Open, then up two folders from the default trainer's and down to the jet.
        if (mnw.topwin == WIND_OPEN) {
            if (f.step == 0 && ends_with(wrk_path, "Cessna 172 Skyhawk/")) click_folder_up(), f.step = 1;
            else if (f.step == 1 && ends_with(wrk_path, "General Aviation/")) click_folder_up(), f.step = 2;
            else if (f.step == 2 && listed("Fighters") >= 0) click_row(listed("Fighters")), f.step = 3;
            // The jet's folder is clicked 50 right of where Fighters was, so as no double-click.
            else if (f.step == 3 && listed("T-38A Talon") >= 0) push_click(390, 493 - 10.0f * listed("T-38A Talon")), f.step = 4;
            else if (f.step == 4 && listed("T-38A Talon.acf") >= 0) click_row(listed("T-38A Talon.acf")), f.step = 5;
            break;
        }
        if (f.pass == 2) push_click(0.5f * (mnw.menux1[1] + mnw.menux2[1]), 0.5f * (mnw.menuy1[1] + mnw.menuy2[1]));
        if (f.pass == 3) push_click(0.5f * (mnw.itemx1[1][0] + mnw.itemx2[1][0]), 0.5f * (mnw.itemy1[1][0] + mnw.itemy2[1][0]));
        if (f.step == 5 && mnw.topwin == 0 && std::strcmp(pln[0].C_file, "T-38A Talon.acf") == 0) {
            put("loaded_jet", 1);
            put("start_apt_is_ksbd", std::strncmp(apt_id[msc.loc_apt_wrl], "KSBD", 4) == 0);
            put("brake_at_start", set.parkbrake);
            put("gear_handle_at_start", set.gear_handle);
            put("supptype", pln[0].supptype);
            calm_air();
            f.to(BRAKE);
        }
        if (f.pass > 400) f.to(DONE);
        break;
    case BRAKE:
        if (f.in_phase() == 0) push_click(x11() + 520.0f, 12.0f);
        if (f.in_phase() == 1) {
            put("brake_after_click", set.parkbrake);
            f.to(THROTTLE);
        }
        break;
    case THROTTLE: {
        // Pressed low on the common handle, held past the drag delay, dragged to the top, let go.
        const float x = x12() + 675.0f;
        const int t = f.in_phase();
        if (t == 0) push_press(x, 14.0f);
        if (t == 1) put("throttle_on_press", flt.throrqst[0]);
        if (t == 30) push_move(x, 40.0f);
        if (t == 32) put("throttle_mid_drag", flt.throrqst[0]);
        if (t == 33) push_move(x, 66.0f);
        if (t == 36) push_release(x, 66.0f);
        if (t == 38) {
            put("throttle_0", flt.throrqst[0]);
            put("throttle_1", flt.throrqst[1]);
            put("thro_pot", set.thro_pot);
            put("rwy_psi", flt.psi[0]);
            f.to(ROLL);
        }
        break;
    }
    case ROLL: {
        const float vr_kt = 1.25f * msc.est_Vs * con.msctokts;
        fly_toward(flt.vind > vr_kt ? 8.0f : -99.0f, 0.0f);
        put_max("roll_speed_max", flt.vind);
        if (agl > pln[0].h_eqlbm + 3.0f && f.step++ > 20) {
            put("liftoff_time", msc.elap_time);
            put("liftoff_vind", flt.vind);
            f.to(CLIMB);
        }
        if (msc.elap_time > 150.0f) f.to(DONE);
        break;
    }
    case CLIMB:
        fly_toward(8.0f, 0.0f);
        if (agl > 150.0f && !f.jet) f.to(GEAR);
        if (agl > 150.0f && f.jet) {
            const Frame before = read_frame();
            f.handle_before = pixels(before, x11() + 616.0f, 30.0f, 14, 28);
            put("gear_lamps_before", gear_lamps(before));
            push_click(x11() + 625.0f, 30.0f);
            put("gear_click_time", msc.elap_time);
            f.to(GEAR);
        }
        break;
    case GEAR:
        // The jet: its gear up, then the flight ends. The trainer: on up to cruise height, turned
        // toward the low ground south-east of the field.
        if (f.jet) {
            fly_toward(8.0f, 0.0f);
            if (f.in_phase() == 0) put("gear_handle_after_click", set.gear_handle);
            if (f.in_phase() == 2) put("gear_lamps_moving", gear_lamps(read_frame()));
            if (f.in_phase() == 6.0 * 1000.0 / FRAME_MS) {
                put("gear_up_legs", (pln[0].gear_stat[0] == 0) + (pln[0].gear_stat[1] == 0) + (pln[0].gear_stat[2] == 0));
                const Frame after = read_frame();
                put("gear_handle_pixels_changed", differing(f.handle_before, pixels(after, x11() + 616.0f, 30.0f, 14, 28)));
                put("gear_lamps_after", gear_lamps(after));
                f.to(DONE);
            }
            break;
        }
        fly_toward(flt.Y[0] < 1000.0 || agl < 400.0f ? 6.0f : 1.0f, bank_toward(120.0f));
        if (flt.Y[0] > 1000.0 && agl > 400.0f && std::fabs(wrap180(flt.psi[0] - 120.0)) < 3.0) f.to(SET_HOLDS);
        if (msc.elap_time > 900.0f) f.to(DONE);
        break;
    case SET_HOLDS: {
        // Level flight by the keys while the heading bug and the altitude knob are wound.
        fly_toward(1.0f, bank_toward(120.0f));
        const float x6 = ins.x_loc[SLOT_HSI], y6 = ins.y_loc[SLOT_HSI] + (pln[0].paneltype == 2 ? -30.0f : 0.0f);
        if (f.step == 0) {
            // Level for 20 s first.
            f.hold_start = msc.elap_time;
            f.step = 10;
        } else if (f.step == 10) {
            if (msc.elap_time - f.hold_start < 20.0f) break;
            // The bug and the altitude knob to where the aircraft is: the holds keep it there.
            f.alt_target_ft = static_cast<int>(std::lround(flt.hind * con.mtrstoft / 100.0)) * 100;
            f.hdg_target = intwrap(static_cast<int>(std::lround(flt.psi[0])), 0, 359);
            put("hdg_target", f.hdg_target);
            f.step = 1;
        } else if (f.step == 1) {
            if (step_knob(nav.hdsel, f.hdg_target, x6 + 56.0f, y6 - 50.0f, x6 + 38.0f, y6 - 50.0f, 360)) f.step = 2;
        } else if (f.step == 2) {
            const int now = static_cast<int>(std::lround(ott.al_hold * con.mtrstoft));
            if (now == f.alt_target_ft) f.step = 3;
            else push_click(315.0f, now < f.alt_target_ft ? 320.0f : 310.0f);
        } else {
            put("hdsel", nav.hdsel);
            put("al_hold_ft", ott.al_hold * con.mtrstoft);
            put("alt_target_ft", f.alt_target_ft);
            f.to(ENGAGE);
        }
        break;
    }
    case ENGAGE:
        // The yoke back to the middle, then the two buttons.
        if (f.step == 0) {
            if (msc.elap_time >= f.next_key_time) {
                if (int k = yoke_centre_key()) {
                    push_key(k);
                    f.next_key_time = msc.elap_time + 0.1f;
                } else {
                    f.step = 1;
                }
            }
        } else if (f.step == 1) {
            push_click(x11() + 500.0f, 92.0f);
            f.step = 2;
        } else if (f.step == 2) {
            push_click(x11() + 570.0f, 92.0f);
            f.step = 3;
        } else {
            put("hdslct_engaged", ott.HDSLCT);
            put("alhold_engaged", ott.ALHOLD);
            f.hold_start = msc.elap_time;
            f.to(HOLD);
        }
        break;
    case HOLD: {
        const float t = msc.elap_time - f.hold_start;
        if (t > 90.0f) {
            put_max("hold_alt_err_ft", std::fabs(flt.hind * con.mtrstoft - ott.al_hold * con.mtrstoft));
            put_max("hold_hdg_err", std::fabs(wrap180(flt.psi[0] - nav.hdsel)));
            put_max("hold_bank", std::fabs(flt.phi[0]));
        }
        if (t > 120.0f) {
            put("hold_modes_still_on", ott.HDSLCT + ott.ALHOLD);
            f.vor = nearest_vor();
            if (f.vor >= 0) f.vor_frq = nav_frq[f.vor];
            put("vor_frq", f.vor_frq);
            put("nf0_before", nav.nf[0]);
            f.to(TUNE);
        }
        break;
    }
    case TUNE: {
        // MHz on the left knob, then 50 kHz steps on the right one, one click a pass.
        if (f.vor < 0) {
            f.to(DONE);
            break;
        }
        const float y_up = 225.0f;
        if (nav.nf[0] / 100 != f.vor_frq / 100) {
            push_click(x11() + 602.0f, y_up);
        } else if (nav.nf[0] != f.vor_frq) {
            push_click(x11() + 626.0f, y_up);
        } else if (f.step++ == 40) {
            put("nf0_after", nav.nf[0]);
            put("strip_nav1", strip_nav1(read_frame()));
            put("tune_clicks", f.in_phase() - 40);
            put("nav1_hears", nav.goodnav[0]);
            put("nav1_is_vor", nav.ilsgs[0] == 9);
            f.to(DONE);
        }
        if (f.in_phase() > 400) f.to(DONE);
        break;
    }
    case DONE:
        break;
    }
    put("crashes", flight_driver_stats().crashes);
    if (f.phase == DONE) push_close();
    f.ms += FRAME_MS;
    advance_test_clock(static_cast<uint32_t>(std::lround(f.ms)) - PLT_millis());
}

class CockpitE2E : public ProgramFolders {};

// What every flight by panel and keys shows: the start at "KSBD" with the brake set, the brake let go
// by its control, and the lever's heights: a press at 14 (7 on the lever) is (7 - 4) / 48; dragged
// to 40 it reads (33 - 4) / 48; let go above the top, full power, and the panel has the throttles.
Seen fly_by_panel(const std::string& report, bool jet)
{
    Flight flight;
    flight.jet = jet;
    g_f = &flight;
    const Seen s = fly_in_child(report, flight_hook, 600);
    for (const auto& [k, x] : s.v) std::printf("  %s = %.6g\n", k.c_str(), x);
    for (const std::string& a : s.alerts) std::printf("  alert%s\n", a.c_str());
    auto v = [&](const char* k) { return s.get(k); };
    EXPECT_EQ(v("rc"), 0) << "the program did not end normally";
    for (const std::string& a : s.alerts) EXPECT_TRUE(expected_alert(a)) << "unexpected alert:" << a;
    EXPECT_EQ(v("crashes"), 0);
    EXPECT_EQ(v("start_apt_is_ksbd"), 1);
    EXPECT_EQ(v("supptype"), 1);   // NAV 1 and its course indicator are fitted
    EXPECT_EQ(v("brake_at_start"), 1);
    EXPECT_EQ(v("brake_after_click"), 0);
    EXPECT_NEAR(v("throttle_on_press"), 3.0 / 48.0, 1e-4);
    EXPECT_NEAR(v("throttle_mid_drag"), 29.0 / 48.0, 1e-4);
    EXPECT_NEAR(v("throttle_0"), 1.0, 1e-6);
    EXPECT_EQ(v("thro_pot"), 0);
    EXPECT_GT(v("liftoff_time"), 0.0) << "never left the ground";
    return s;
}

// The default trainer: off the ground, the heading bug and the altitude knob wound to where it
// flies, the two holds engaged by their buttons and holding it there for two minutes, then NAV 1
// tuned to the nearest VOR of the region by its knobs.
TEST_F(CockpitE2E, TrainerHoldsHeadingAndAltitudeByItsButtonsAndTunesNav1ByItsKnobs)
{
    const Seen s = fly_by_panel(work.str() + "/trainer.txt", false);
    auto v = [&](const char* k) { return s.get(k); };
    // The knobs set what the buttons then hold.
    EXPECT_EQ(v("hdsel"), v("hdg_target"));
    EXPECT_NE(v("hdg_target"), 0);   // wound there from the start's bug at 0
    EXPECT_NEAR(v("al_hold_ft"), v("alt_target_ft"), 0.5);
    EXPECT_GT(v("alt_target_ft"), 2000);
    EXPECT_EQ(v("hdslct_engaged"), 1);
    EXPECT_EQ(v("alhold_engaged"), 1);
    EXPECT_EQ(v("hold_modes_still_on"), 2);
    EXPECT_LT(v("hold_hdg_err"), 5.0);
    EXPECT_LT(v("hold_alt_err_ft"), 100.0);
    EXPECT_LT(v("hold_bank"), 10.0);
    // NAV 1 tuned by its knobs to the nearest VOR, which it then receives, and the radio strip shows
    // the VOR's frequency in NAV 1's window.
    ASSERT_GT(v("vor_frq"), 10800);
    EXPECT_EQ(v("nf0_after"), v("vor_frq"));
    EXPECT_EQ(v("strip_nav1"), v("vor_frq"));
    EXPECT_NE(v("nf0_before"), v("vor_frq"));
    EXPECT_EQ(v("nav1_hears"), 1);
    EXPECT_EQ(v("nav1_is_vor"), 1);
}

// The jet trainer (the default trainer's gear is fixed), loaded through the File menu's open dialog
// at the same runway: off the ground, the gear handle clicked: all three legs up within 6 s, the
// handle's picture on the panel changed and the gear lamps gone from green through amber to dark.
TEST_F(CockpitE2E, JetRaisesItsGearByItsHandle)
{
    const Seen s = fly_by_panel(work.str() + "/jet.txt", true);
    auto v = [&](const char* k) { return s.get(k); };
    EXPECT_EQ(v("loaded_jet"), 1);
    EXPECT_NEAR(v("throttle_1"), 1.0, 1e-6);   // the common handle moves both engines' levers
    EXPECT_EQ(v("gear_handle_at_start"), 1);
    EXPECT_EQ(v("gear_handle_after_click"), 0);
    EXPECT_EQ(v("gear_up_legs"), 3);
    EXPECT_GT(v("gear_handle_pixels_changed"), 20);
    // The lamps: three green on the runway, three amber while the legs travel, dark once they are up.
    EXPECT_EQ(v("gear_lamps_before"), 111);
    EXPECT_EQ(v("gear_lamps_moving"), 222);
    EXPECT_EQ(v("gear_lamps_after"), 0);
}

// ---- the mouse as the yoke ---------------------------------------------------------------------------

struct MouseFlight {
    int pass = 0, step = 0;   // step 0 take-off and climb, 1 yoke right, 2 yoke left, 3 mouse given back
    double ms = 0.0;
    float t0 = 0.0f;
};
MouseFlight* g_m = nullptr;

// The default trainer at the default start: the brake released and full power set on the panel,
// then a click on the windscreen's middle gives the mouse the yoke. The test's hand then flies by
// moving the mouse only: its offset from the middle (400, 447) is the yoke, a hundredth per unit,
// right for roll right and down for nose up. It holds the wings level and the nose 8 degrees up
// once the speed is there, and at 150 m puts the yoke 0.3 right for 3 s, then 0.3 left for 6 s.
void mouse_hook(void)
{
    MouseFlight& m = *g_m;
    m.pass++;
    if (m.pass == 2) push_click(x11() + 520.0f, 12.0f);
    if (m.pass == 3) push_click(x12() + 675.0f, 59.0f);
    if (m.pass == 4) push_click(400.0f, 447.0f);
    if (m.pass == 6) {
        put("mouse_is_joy", msc.mouse_is_joy);
        put("controls_type", set.controls_type);
        calm_air();
    }
    const float agl = static_cast<float>(flt.Y[0] - env.localh_cg);
    if (m.pass >= 6 && m.step < 4) {
        const float want_pitch = flt.vind > 55.0f || agl > pln[0].h_eqlbm + 2.0f ? 8.0f : 0.0f;
        const float pitch = std::fmax(-0.3f, std::fmin(0.4f, 0.05f * (want_pitch - flt.the[0])));
        float roll = std::fmax(-0.3f, std::fmin(0.3f, -0.03f * flt.phi[0] - 0.01f * flt.P));
        if (m.step == 1) roll = 0.3f;
        if (m.step == 2) roll = -0.3f;
        push_move(400.0f + 100.0f * roll, 447.0f - 100.0f * pitch);
    }
    if (m.step == 0 && agl > 150.0f) {
        put("airborne_time", msc.elap_time);
        put("phi_before_right", flt.phi[0]);
        m.t0 = msc.elap_time;
        m.step = 1;
    } else if (m.step == 1 && msc.elap_time - m.t0 > 3.0f) {
        put("phi_after_right", flt.phi[0]);
        put("mk_roll_right", set.MK_roll);
        m.t0 = msc.elap_time;
        m.step = 2;
    } else if (m.step == 2 && msc.elap_time - m.t0 > 6.0f) {
        put("phi_after_left", flt.phi[0]);
        put("mk_roll_left", set.MK_roll);
        // A click on the windscreen gives the mouse back.
        push_click(400.0f, 447.0f);
        m.step = 3;
    } else if (m.step == 3) {
        put("mouse_is_joy_after", msc.mouse_is_joy);
        m.step = 4;
    }
    put("crashes", flight_driver_stats().crashes);
    if (m.step == 4 || msc.elap_time > 200.0f) push_close();
    m.ms += FRAME_MS;
    advance_test_clock(static_cast<uint32_t>(std::lround(m.ms)) - PLT_millis());
}

TEST_F(CockpitE2E, TheMouseFliesOnceTheWindscreenIsClicked)
{
    MouseFlight flight;
    g_m = &flight;
    const Seen s = fly_in_child(work.str() + "/mouse.txt", mouse_hook, 300);
    for (const auto& [k, x] : s.v) std::printf("  %s = %.6g\n", k.c_str(), x);
    ASSERT_EQ(s.get("rc"), 0);
    EXPECT_EQ(s.get("controls_type"), -1);   // no joystick here
    EXPECT_EQ(s.get("mouse_is_joy"), 1);
    ASSERT_GT(s.get("airborne_time"), 0.0) << "the mouse never lifted the nose";
    EXPECT_EQ(s.get("crashes"), 0);
    // Mouse 30 units right of the middle: the yoke 0.3 right, and the aircraft banked right; 30 left:
    // the yoke 0.3 left and the bank back through level to the left.
    EXPECT_NEAR(s.get("mk_roll_right"), 0.3, 1e-4);
    EXPECT_GT(s.get("phi_after_right"), s.get("phi_before_right") + 10.0);
    EXPECT_NEAR(s.get("mk_roll_left"), -0.3, 1e-4);
    EXPECT_LT(s.get("phi_after_left"), -5.0);
    EXPECT_EQ(s.get("mouse_is_joy_after"), 0);
}

// Under a clear sky (no cloud sets the winding), after the chase view's model, the panel and ground are drawn.
void views_hook(void)
{
    static int pass = 0;
    if (++pass == 2) atm.cld_type = 1;
    if (pass == 10 || pass == 40) push_key(pass == 10 ? 'A' : 'W');
    if (pass == 60) {
        const Frame f = read_frame();
        const std::vector<uint32_t> panel = pixels(f, 0, 0, 800, 333), ground = pixels(f, 0, 340, 800, 80);
        put("panel_black", std::count(panel.begin(), panel.end(), 0u));
        put("ground_sky", std::count_if(ground.begin(), ground.end(), [](uint32_t c) { return (c & 255) > (c >> 16) + 40; }));
        put("forward", set.view_type == VIEW_FORWARD);
        push_close();
    }
    advance_test_clock(static_cast<uint32_t>(pass * FRAME_MS) - PLT_millis());
}

TEST_F(CockpitE2E, AChaseViewLeavesThePanelAndTheGroundWholeUnderAClearSky)
{
    const Seen s = fly_in_child(work.str() + "/views.txt", views_hook, 120);
    ASSERT_EQ(s.get("rc"), 0);
    EXPECT_EQ(s.get("forward"), 1);
    EXPECT_LT(s.get("panel_black"), 800 * 333 / 20);
    EXPECT_LT(s.get("ground_sky"), 800 * 80 / 20);
}

}  // namespace
