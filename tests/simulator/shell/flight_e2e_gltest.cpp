// flight_e2e_gltest.cpp -- the whole simulator, started in-process as its main starts it, flown by
// the test through the platform layer: full throttle and the number-pad yoke keys take the default
// trainer down the runway of its start airport along the runway's heading, off the ground and up;
// a turn and a climb later it crosses the edge of a scenery square, and the region shifts under it
// without a jump in position or ground height. The frame times come from the test clock.
#include "e2e_flight.h"
#include "fltframe.h"
#include "fltutil.h"
#include "hl_event.h"
#include "hl_funct.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "lax.h"
#include "plt.h"
#include "yoke_keys.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr double PI = 3.14159265358979;

// The test pilot: throttle full, the parking brake released by a click on its panel control, and a
// key on the number pad at most every tenth of a second of simulated time -- pitch to the phase's
// attitude, bank toward the phase's heading.
struct Pilot {
    enum Phase { ROLL, CLIMB, TURN, CRUISE, DONE } phase = ROLL;
    double frame_ms = 0.0;        // test clock, ms
    double dt_ms = 1000.0 / 60.0; // real frame time the clock steps by
    float next_key_time = 0.0f;   // s of simulated time
    float target_heading = 120.0f;
    int keys = 0;

    float pitch_target() const
    {
        switch (phase) {
        case ROLL: return flt.vind > 55.0f ? 8.0f : -99.0f;   // rotate at 55 kt
        case CLIMB: return 8.0f;
        case TURN: return 6.0f;
        // Cruise at 1100 m, climbing again wherever the ground comes within 500 m: the route
        // east crosses hills of over 1100 m.
        case CRUISE: return flt.Y[0] < 1100.0 || flt.Y[0] - env.localh_cg < 500.0 ? 5.0f : 1.0f;
        default: return 0.0f;
        }
    }
    float bank_target() const
    {
        if (phase != TURN && phase != CRUISE) return 0.0f;
        return (float)std::fmax(-15.0, std::fmin(15.0, wrap180(target_heading - flt.psi[0]) * 1.5));
    }
    // The key this frame, or 0.
    int key(void)
    {
        if (msc.elap_time < next_key_time) return 0;
        const int k = yoke_key_toward(pitch_target(), bank_target());
        if (k) next_key_time = msc.elap_time + 0.1f;
        return k;
    }
};

Pilot* g_pilot = nullptr;
int g_pass = 0;
// The runway: centre and heading, for the along- and cross-track distances.
double g_rx = 0, g_rz = 0, g_rh = 0;
// The last pass's state, for the check across a region shift.
double g_px = 0, g_pz = 0, g_plat = 0, g_plon = 0, g_ph = 0, g_plocalh = 0;
int g_plon_wes = 0, g_plat_sou = 0;
int g_airborne_passes = 0;

double ground_at(double x, double z)
{
    int i = env.i_aircraft, j = env.j_aircraft;
    int saved_carr = env.over_carr, saved_frig = env.over_frig, saved_obs = env.over_obs;
    float h = find_local_h((float)x, (float)z, &i, &j, 0);
    env.over_carr = saved_carr, env.over_frig = saved_frig, env.over_obs = saved_obs;
    return h;
}

double get(const char* k) { return g_seen->get(k); }

void pass_hook(void)
{
    Pilot& p = *g_pilot;
    g_pass++;
    if (g_pass == 1) {
        // Where start-up put the aircraft: the start airport's runway.
        int r = msc.loc_rwy_wrl;
        g_rx = X_with_latlon(rwy_lat[r], rwy_lon[r]);
        g_rz = Z_with_lat(rwy_lat[r]);
        g_rh = flt.psi[0];
        put("start_apt_is_ksbd", std::strncmp(apt_id[msc.loc_apt_wrl], "KSBD", 4) == 0);
        put("rwy_hdng", rwy_hdng[r]);
        put("rwy_len", rwy_len[r]);
        put("rwy_width", rwy_width[r]);
        put("start_psi", flt.psi[0]);
        put("start_height", flt.Y[0] - env.localh_cg);
        put("start_lon_wes", env.lon_wes);
        put("start_lat_sou", env.lat_sou);
        put("h_eqlbm", pln[0].h_eqlbm);
        // Calm air: the flight checks the pilot, the flight model and the region shift, not how a
        // gusting tailwind drawn from the random sequence swings a light aircraft about.
        calm_air();
        put("brake_at_start", set.parkbrake);
    }
    // The parking brake's panel control once the frame loop runs; a pass later (the panel takes the
    // click where the mouse is when the frame runs) the mouse back where it asks nothing of the yoke.
    if (g_pass == 2) push_click(ins.x_loc[11] + 520.0f, 12.0f);
    if (g_pass == 3) {
        put("brake_after_click", set.parkbrake);
        push_move(400.0f, 447.0f);
    }

    // The pilot's hands: throttles full, one number-pad key now and then.
    for (int e = 0; e < 4; e++) flt.throrqst[e] = 1.0f;
    if (int k = p.key()) {
        push_key(k);
        p.keys++;
        put("keys", p.keys);
    }

    const double dx = flt.X[0] - g_rx, dz = flt.Z[0] - g_rz;
    const double s = std::sin(g_rh * PI / 180.0), c = std::cos(g_rh * PI / 180.0);
    const double along = dx * s - dz * c, cross = dx * c + dz * s;
    const double agl = flt.Y[0] - env.localh_cg;
    put_max("passes", g_pass);

    switch (p.phase) {
    case Pilot::ROLL:
        if (g_pass == 2) put("along_start", along);
        put_max("roll_cross_max", std::fabs(cross));
        put_max("roll_heading_err_max", std::fabs(wrap180(flt.psi[0] - g_rh)));
        put_max("roll_speed_max", flt.vind);
        g_airborne_passes = agl > pln[0].h_eqlbm + 1.0 ? g_airborne_passes + 1 : 0;
        if (g_airborne_passes >= 30) {
            put("liftoff_along", along);
            put("liftoff_time", msc.elap_time);
            put("liftoff_vind", flt.vind);
            p.phase = Pilot::CLIMB;
        }
        if (msc.elap_time > 120.0f) p.phase = Pilot::DONE;
        break;
    case Pilot::CLIMB:
        if (msc.elap_time > get("liftoff_time") + 20.0 && !g_seen->v.count("agl_20s")) {
            put("agl_20s", agl);
            put("vY_20s", flt.vY);
            put("climb_heading_err", std::fabs(wrap180(flt.psi[0] - g_rh)));
        }
        if (agl > 150.0) {
            // Climbing well: longer frames from here, and the turn toward low ground.
            p.phase = Pilot::TURN;
            p.dt_ms = 100.0;
        }
        break;
    case Pilot::TURN:
        if (std::fabs(wrap180(flt.psi[0] - p.target_heading)) < 3.0) p.phase = Pilot::CRUISE;
        break;
    case Pilot::CRUISE:
        if (env.lon_wes != g_plon_wes || env.lat_sou != g_plat_sou) {
            // The region shifted at the start of this pass; the aircraft then flew one frame.
            put("shift_lon_wes_before", g_plon_wes);
            put("shift_lon_wes_after", env.lon_wes);
            put("shift_lat_sou_after", env.lat_sou);
            put("shift_lon", g_plon);
            put("shift_step", std::hypot(flt.X[0] - g_px, flt.Z[0] - g_pz));
            put("shift_step_expected", std::hypot(flt.vX, flt.vZ) * msc.prd);
            put("shift_lat_step", std::fabs(flt.lat - g_plat));
            put("shift_lon_step", std::fabs(flt.lon - g_plon));
            // The same point's ground, from the old grid and from the new one.
            put("shift_ground_jump", std::fabs(ground_at(g_px, g_pz) - g_ph));
            put("shift_localh_jump", std::fabs(env.localh_cg - g_plocalh));
            put("shift_lat_consistent", std::fabs(lat_with_z(flt.Z[0]) - flt.lat));
            put("shift_lon_consistent", std::fabs(lon_with_xz(flt.X[0], flt.Z[0]) - flt.lon));
            put("shift_agl", agl);
            p.phase = Pilot::DONE;
            put("done_pass", g_pass);
        }
        if (msc.elap_time > 1500.0f) p.phase = Pilot::DONE;
        break;
    case Pilot::DONE:
        break;
    }
    put_max("min_agl_after_climb", p.phase >= Pilot::TURN ? -agl : -1e9);
    put("crashes", flight_driver_stats().crashes);

    g_px = flt.X[0], g_pz = flt.Z[0], g_plat = flt.lat, g_plon = flt.lon;
    g_ph = ground_at(g_px, g_pz);
    g_plocalh = env.localh_cg;
    g_plon_wes = env.lon_wes, g_plat_sou = env.lat_sou;

    // A few more frames on the new region, then the window closes.
    if (p.phase == Pilot::DONE && g_pass >= get("done_pass") + 30) push_close();
    if (p.phase == Pilot::DONE && !g_seen->v.count("done_pass")) push_close();

    p.frame_ms += p.dt_ms;
    advance_test_clock((uint32_t)(std::lround(p.frame_ms)) - PLT_millis());
}

class FlightE2E : public ProgramFolders {};

TEST_F(FlightE2E, TrainerTakesOffFromItsStartRunwayClimbsAndFliesIntoTheNextSquare)
{
    Pilot pilot;
    g_pilot = &pilot;
    Seen s = fly_in_child(work.str() + "/flight.txt", pass_hook, 240);   // four minutes at most
    auto v = [&](const char* k) { return s.v.count(k) ? s.v.at(k) : -1e30; };
    for (const auto& [k, x] : s.v) std::printf("  %s = %.6g\n", k.c_str(), x);
    for (const std::string& a : s.alerts) std::printf("  alert%s\n", a.c_str());
    ASSERT_EQ(v("rc"), 0) << "the program did not end normally";
    EXPECT_EQ(v("crashes"), 0);
    // No alert but a machine's without accelerator or joystick, and the slow-frame warning that
    // the test's own ten frames a second call for.
    for (const std::string& a : s.alerts) EXPECT_TRUE(expected_alert(a)) << "unexpected alert:" << a;
    EXPECT_GT(v("keys"), 10);   // the yoke keys did the flying

    // The start: the default trainer on the runway of "KSBD", at its resting height, facing along it.
    EXPECT_EQ(v("start_apt_is_ksbd"), 1);
    EXPECT_EQ(v("start_lat_sou"), 33);
    EXPECT_EQ(v("start_lon_wes"), -119);
    EXPECT_NEAR(std::fabs(wrap180(v("start_psi") - v("rwy_hdng"))), 0.0, 1.0);
    EXPECT_NEAR(v("start_height"), v("h_eqlbm"), 0.3);
    // Set at the start, and released by a click on its control.
    EXPECT_EQ(v("brake_at_start"), 1);
    EXPECT_EQ(v("brake_after_click"), 0);

    // The roll: down the runway along its heading, within its width, to lift-off on the runway.
    EXPECT_LT(v("roll_cross_max"), 0.25 * v("rwy_width"));
    EXPECT_LT(v("roll_heading_err_max"), 5.0);
    ASSERT_GT(v("liftoff_time"), 0.0) << "never left the ground";
    EXPECT_GT(v("liftoff_along"), v("along_start") + 100.0);   // it rolled forwards first
    EXPECT_LT(v("liftoff_along"), 0.5 * v("rwy_len"));         // and lifted off before the far end
    EXPECT_GT(v("liftoff_vind"), 45.0);                          // knots: flying speed, not a bounce

    // The climb: well above the ground 20 s later, still going up, still along the runway.
    EXPECT_GT(v("agl_20s"), 30.0);
    EXPECT_GT(v("vY_20s"), 1.0);
    EXPECT_LT(v("climb_heading_err"), 10.0);
    EXPECT_LT(v("min_agl_after_climb"), -100.0);   // never lower than 100 m above the ground after

    // The next square: the region moved a degree east under the aircraft, with no jump.
    ASSERT_EQ(v("shift_lon_wes_before"), -119) << "the region never shifted";
    EXPECT_EQ(v("shift_lon_wes_after"), -118);
    EXPECT_EQ(v("shift_lat_sou_after"), 33);
    EXPECT_GT(v("shift_lon"), -119 + 3.0 - 0.95 - 0.01);
    EXPECT_LE(v("shift_step"), 1.2 * v("shift_step_expected") + 0.01);   // one frame's travel
    EXPECT_LT(v("shift_lon_step"), 1e-3);
    EXPECT_LT(v("shift_lat_step"), 1e-3);
    EXPECT_LT(v("shift_ground_jump"), 0.05);   // the same point's ground, old grid and new
    EXPECT_LT(v("shift_localh_jump"), 20.0);   // the ground under the aircraft, one frame apart
    EXPECT_LT(v("shift_lat_consistent"), 1e-5);
    EXPECT_LT(v("shift_lon_consistent"), 1e-5);
    EXPECT_GT(v("shift_agl"), 100.0);
}

}  // namespace
