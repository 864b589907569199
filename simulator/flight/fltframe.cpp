// fltframe.cpp -- the flight frame driver: the frame's steps in their order, the other aircraft, the
// event cadence, the clocks, the frame-period adaptation and the crash test.
#include "fltframe.h"

#include "event.h"
#include "flight_hooks.h"
#include "fltprep.h"
#include "hl_funct.h"
#include "hl_joy.h"
#include "hl_sound.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt.h"
#include "serout.h"
#include "startpos_codes.h"

#include <cmath>
#include <cstring>

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float DEG = PI / 180.0f;
constexpr int OTHERS = 12;              // the user's aircraft and eleven others
constexpr float DAY = 86400.0f;         // s

// What the driver remembers between frames.
char o_C_path[STR_LEN];                 // the user's aircraft file seen last frame
int old_serout = 0;                     // the serial mode the port is set up for
float prev_time_nmea = 0.0f;            // msc.locl_time of the last NMEA sentence
float prev_time_data = 0.0f;            // msc.locl_time of the last data packet or motion
int RMC = 1;                            // alternates the NMEA sentence kind
int evup = 1;                           // frames between event updates
int have_last_time = 0;                 // a frame-rate measurement has a start
float last_time = 0.0f;                 // the event loop's clock at the last measurement
int crash_hold = 0;                     // frames stand still after a crash
uint32_t crash_start = 0;               // runtime clock (ms) at the crash
flight_driver_counts counts = {};

// Sine and cosine from the foundation's whole-degree tables.
int whole_degrees(float deg)
{
    int k = (int)std::floor(deg + 0.5f) % 360;
    return k < 0 ? k + 360 : k;
}
float tsin(float deg) { return lookup_sin[whole_degrees(deg)]; }
float tcos(float deg) { return lookup_cos[whole_degrees(deg)]; }

// The terrain grid's point nearest below-left of (x, z) on the region grid, kept inside the grid
// (another aircraft may stand beyond the region's edge).
float grid_height_at(double x, double z)
{
    float x0 = planexyz[0][0][0], x1 = planexyz[REGION_NI - 1][0][0];
    float z0 = planexyz[0][0][2], z1 = planexyz[0][REGION_NJ - 1][2];
    int i = 0, j = 0;
    if (x1 != x0) i = (int)interp(x0, 0.0f, x1, (float)(REGION_NI - 1), (float)x);
    if (z1 != z0) j = (int)interp(z0, 0.0f, z1, (float)(REGION_NJ - 1), (float)z);
    i = intlim(i, 0, REGION_NI - 1);
    j = intlim(j, 0, REGION_NJ - 1);
    return planexyz[i][j][1];
}

// Aircraft i somewhere in the box of half-width d around the user, flying roughly toward the user
// at 1.7 times the user's stall speed.
void respawn(int i, float d)
{
    float b = (float)intrand(0, 359);
    float r = flt.X[i] >= 0.01 ? fltrand(0.0f, d) : d;
    float xlo = fltmin2(env.lox, env.hix), xhi = fltmax2(env.lox, env.hix);
    float zlo = fltmin2(env.loz, env.hiz), zhi = fltmax2(env.loz, env.hiz);
    flt.X[i] = fltlim((float)flt.X[0] + tsin(b) * r, xlo, xhi);
    flt.Z[i] = fltlim((float)flt.Z[0] - tcos(b) * r, zlo, zhi);
    flt.Y[i] = fltlim((float)flt.Y[0] + fltrand(-3000.0f, 3000.0f), env.localh_cg + 300.0f, 20000.0f);
    flt.v[i] = 1.7f * msc.est_Vs;
    flt.the[i] = 0.0f;
    flt.phi[i] = 0.0f;
    flt.psi[i] = fltwrap(b + fltrand(-45.0f, 45.0f) + 180.0f, 0.0f, 360.0f);
}

// The tow plane pulls ahead, climbs once fast enough and then banks gently left.
void fly_tow_plane(void)
{
    float prd = msc.prd;
    flt.v[1] += fltlim((35.0f - flt.v[1]) * 0.4f, 0.0f, 2.0f) * prd;
    if (flt.v[1] > 25.0f) flt.Y[1] += (flt.v[1] - 25.0f) * 0.5f * prd;
    if (flt.v[1] > 34.9f) {
        flt.phi[1] = fltmax2(flt.phi[1] - prd, -10.0f);
        float g = atm.g > 0.0f ? atm.g : con.g;
        float rate = std::sin(flt.phi[1] * DEG) * g * 360.0f / (PI * flt.v[1] * 2.0f);
        flt.psi[1] = fltwrap(flt.psi[1] + rate * prd, 0.0f, 360.0f);
    }
}

// Local time past the last send by at least the interval. A clock that went back (past midnight)
// starts the interval again from the new time instead of waiting a day for the old one.
int interval_passed(float* prev, float interval)
{
    if (msc.locl_time < *prev) *prev = msc.locl_time - interval;
    if (msc.locl_time < *prev + interval) return 0;
    *prev = msc.locl_time;
    return 1;
}

// The alerts that tell the pilot what led to a crash.
void crash_alerts(void)
{
    if (flt.frame_ice > 0.01f)
        MACIBM_alert("The aircraft was carrying ice at time of impact.",
                     "You have to keep out of the clouds between 0 and 32 deg F.",
                     "There is a thermometer in the upper-right hand corner of the screen.", "", ALERT_NOTICE);
    int carb = 0;
    for (int e = 0; e < 4; e++) carb |= flt.carb_ice[e] > 0.01f;
    if (carb)
        MACIBM_alert("The aircraft was carrying carb ice at time of impact.",
                     "You have to use carb heat when at low power in these weather conditions.",
                     "Use carb heat on carbureted engines when operating with engine RPM below the green arc.", "",
                     ALERT_NOTICE);
    if (!rel.vacuum)
        MACIBM_alert("Your vacuum system had failed before impact.", "You have to keep a cross-check going.",
                     "The rest of the airplane was in one piece until you buried it.",
                     "Kestrova features realistic gyro spin-down effects, including gyro sluggishness and tumble.",
                     ALERT_NOTICE);
}

// After the hold: the alerts, the aircraft back at its start, the continuous sounds again.
void finish_crash(void)
{
    crash_hold = 0;
    crash_alerts();
    call_hook(flt_hooks.set_fltvars, START_RUNWAY, START_TAKEOFF);
    counts.resets++;
    play_engine_and_windrain();
    // The held seconds are no frame time: the next measurement starts afresh.
    have_last_time = 0;
}

}  // namespace

// ---- the stages ----------------------------------------------------------------------------------

// Reads: flt.X/Y/Z/the/psi/v, pln[0].C_path, env.lox..hiz, env.localh_cg, planexyz, set.incarriage,
// set.tow_*, msc.est_Vs, msc.prd. Writes: the other aircraft's flt.X/Y/Z/the/psi/phi/v, o_C_path.
void move_other_aircraft(void)
{
    const float d = con.nmtomtrs * 40.0f;
    const int new_aircraft = std::strncmp(pln[0].C_path, o_C_path, STR_LEN) != 0;
    const float prd = msc.prd;
    for (int i = 1; i < OTHERS; i++) {
        float ct = tcos(flt.the[i]);
        flt.X[i] += tsin(flt.psi[i]) * ct * flt.v[i] * prd;
        flt.Z[i] -= tcos(flt.psi[i]) * ct * flt.v[i] * prd;
        int away = std::fabs(flt.X[i] - flt.X[0]) > d || std::fabs(flt.Z[i] - flt.Z[0]) > d;
        // A new aircraft re-spawns all eleven, the tow plane and the mothership with them: every way
        // of changing the aircraft starts its flight afresh, which ends a tow or a carriage first.
        if (new_aircraft || away) respawn(i, d);

        if (i == 1 && set.incarriage) {
            // The mothership carries the user's aircraft high and fast, wings level.
            flt.Y[1] = 45000.0f * con.fttomtrs;
            flt.v[1] = 500.0f * con.ktstomsc;
            flt.the[1] = flt.psi[1] = flt.phi[1] = 0.0f;
            continue;
        }
        const int towing = i == 1 && (set.tow_inprog || set.tow_waiting);
        if (!towing && grid_height_at(flt.X[i], flt.Z[i]) + 300.0f > flt.Y[i]) flt.Y[i] += 5.0f * prd;
        if (i == 1 && set.tow_inprog) fly_tow_plane();
    }
    std::memcpy(o_C_path, pln[0].C_path, STR_LEN);
    o_C_path[STR_LEN - 1] = 0;
}

// Reads: set.serout, msc.locl_time. Writes: the serial port or motion base through the serial
// output's own calls.
void serial_frame(void)
{
    if (set.serout != old_serout) {
        serial_mode_change(old_serout, set.serout);
        counts.serial_changes++;
        old_serout = set.serout;
    }
    if (set.serout == 1 && interval_passed(&prev_time_nmea, 1.0f)) {
        RMC = !RMC;
        send_nmea(RMC);
        counts.nmea++;
    }
    if (set.serout >= 2 && set.serout <= 5 && interval_passed(&prev_time_data, 0.05f)) {
        send_serial_data(set.serout);
        counts.packets++;
    }
}

// Reads: msc.cntr, msc.cntr10, msc.prd. Writes: msc.cntr10, evup; calls mod_evt and mod_sec.
void event_cadence(void)
{
    if (msc.cntr % evup == 0) {
        mod_evt();
        counts.mod_evt++;
        if (msc.cntr10 == 0) {
            mod_sec();
            counts.mod_sec++;
        }
        msc.cntr10 = intwrap(msc.cntr10 + 1, 0, 9);
        evup = intlim(hlmath::round(0.1f / msc.prd), 1, 99);
    }
}

// Reads and writes: msc.cntr.
void count_frame(void)
{
    msc.cntr += 1;
    if (msc.cntr > 30000) msc.cntr = 1;
}

void keep_frame_period(void)
{
    if (!(msc.prd > 0.0f) || !std::isfinite(msc.prd)) msc.prd = PRD_DEFAULT;
    msc.prd = fltlim(msc.prd, PRD_SHORTEST, PRD_LONGEST);
}

// Reads: msc.cntr, mnw.time_elapsed. Writes: msc.rtrat, msc.prd, last_time.
void adapt_frame_period(void)
{
    if (msc.cntr % 10 != 0) return;
    float now = mnw.time_elapsed;
    if (!have_last_time) {
        // The first measurement only starts the clock: ten frames in no time would say nothing.
        have_last_time = 1;
        last_time = now;
        return;
    }
    float t = now - last_time;
    last_time = now;
    msc.rtrat = fltlim(t / (10.0f * msc.prd), 0.2f, 5.0f);
    msc.prd *= msc.rtrat < 1.0f ? std::pow(msc.rtrat, 0.2f) : std::pow(msc.rtrat, 0.5f);
    keep_frame_period();
}

// Reads: flt attitude and path, scn cloud position, atm visibility, msc clocks, flt.lon, set.cycout.
// Writes: flt.sinphi_path/cosphi_path, msc.aifr/nigt/timr/elap/locl/zulu_time, scn.rb_cycle.
void frame_clocks(void)
{
    const float prd = msc.prd;
    set_path_bank();

    // Instrument time: inside a cloud layer, or in less than three miles of visibility under it or
    // under a clear sky (which has no layer to be in, above or below).
    int have_clouds = atm.cld_type > 1;
    int in_cloud = have_clouds && !scn.belowbases && !scn.abovetops;
    int under_sky = scn.belowbases || !have_clouds;
    int low_vis = under_sky && atm.vis_rep * atm.vis_mult < 3.0f * con.nmtomtrs;
    if (in_cloud || low_vis) msc.aifr_time = fltwrap(msc.aifr_time + prd, 0.0f, DAY);
    float hour = msc.locl_time / 3600.0f;
    if (hour < 5.0f || hour > 19.0f) msc.nigt_time = fltwrap(msc.nigt_time + prd, 0.0f, DAY);
    if (msc.timer_running) msc.timr_time = fltwrap(msc.timr_time + prd, 0.0f, 3600.0f);
    msc.elap_time = fltwrap(msc.elap_time + prd, 0.0f, DAY);
    msc.locl_time = fltwrap(msc.locl_time + prd, 0.0f, DAY);
    msc.zulu_time = fltwrap(msc.locl_time - (float)(hlmath::round(flt.lon / 15.0f) + 1) * 3600.0f, 0.0f, DAY);
    scn.rb_cycle = fltwrap(scn.rb_cycle + prd, 0.0f, 2.0f * PI);

    if (set.cycout) write_frame_dump();
}

// Reads: flt.onground, flt.vY, flt.phi/the, pln[0].is_heli. Writes: sounds, stick, the hold.
int crash_test(void)
{
    if (!flt.onground) return 0;
    const float limit = pln[0].is_heli ? 45.0f : 120.0f;
    const int crashed = flt.vY < -10.0 || std::fabs(flt.phi[0]) > limit || std::fabs(flt.the[0]) > limit;
    if (!crashed) return 0;
    counts.crashes++;
    stop_engine_and_windrain();
    play_buffer(10, 0);
    JOY_force(12, 0, 0, 0);
    JOY_force(11, 100, intrand(0, 359), 250);
    crash_hold = 1;
    crash_start = PLT_millis();
    return 1;
}

int crash_holding(void) { return crash_hold; }

// ---- the frame -----------------------------------------------------------------------------------

void update_flight(void)
{
    // A crash holds the world still for four seconds of the runtime clock, then restarts the flight.
    if (crash_hold) {
        if (PLT_millis() - crash_start < CRASH_HOLD_MS) return;
        finish_crash();
        return;
    }
    keep_frame_period();

    // 1. Controls, trims and autopilot: the only writer of the surface deflections set_a reads.
    call_hook(flt_hooks.update_controls);
    // 2. The graph's ring.
    if (set.grfout) call_hook(flt_hooks.update_graph);
    // 3-9. Mass, ground effect, hover buffet, air at the aircraft, engines.
    flight_presteps();
    // 10-11. The world's other aircraft.
    move_other_aircraft();
    // 12-14. Serial output.
    serial_frame();
    // 15. Events about ten times a second; once-per-second work on every tenth.
    event_cadence();
    // 16-17. Counters, and the frame period following the measured frame rate.
    count_frame();
    adapt_frame_period();
    // 18-20. Path bank, clocks, the dump block (before the force build-up's own blocks).
    frame_clocks();
    // 21-22. Two half-period sub-steps; the dump covers this one frame only.
    flight_substeps();
    set.cycout = 0;
    // 23. Crash test, on what the sub-steps left.
    crash_test();
}

void reset_flight_driver(void)
{
    close_serial_output();   // the driver forgets the mode, so nothing may stay set up for it
    std::memset(o_C_path, 0, sizeof o_C_path);
    old_serout = 0;
    prev_time_nmea = prev_time_data = 0.0f;
    RMC = 1;
    evup = 1;
    have_last_time = 0;
    last_time = 0.0f;
    crash_hold = 0;
    crash_start = 0;
    counts = {};
}

flight_driver_counts flight_driver_stats(void) { return counts; }
