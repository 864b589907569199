// test_pilot.h -- a minimal pilot for the flight tests: holds pitch, bank, heading, altitude or
// airspeed through the harness's controls, frame by frame. It stands in for the autopilot, which
// is not part of the flight model; its gains are plain proportional-derivative ones. Also the
// flights the tests share: frames checked for finite states, the slow-down to a stall, the glide.
#pragma once
#include "flight_harness.h"
#include "hl_funct.h"
#include "hl_types.h"

#include <cmath>

struct TestPilot {
    // What to hold; a mode left off leaves that control as set.
    bool hold_pitch = false;
    float pitch_deg = 0.0f;
    bool hold_altitude = false;   // pitch from altitude and vertical speed
    float altitude = 0.0f;        // m above the ground
    bool hold_speed_by_pitch = false;
    float speed = 0.0f;           // m/s true airspeed
    bool hold_speed_by_stick = false;   // the stick itself integrates the speed error (to full back)
    float stick = 0.0f;
    bool hold_bank = false;
    float bank_deg = 0.0f;
    bool coordinate = false;      // rudder against sideslip
    bool hold_heading_on_ground = false;
    float heading = 0.0f;
    float heading_gain = 0.05f;   // pedal per degree of heading error
    float pitch_trim_integral = 0.0f;
    bool auto_trim = false;       // the trim follows the stick, as a pilot trims the load off it
    bool pitch_integral = false;  // the attitude hold also integrates its error (a steady pull)
    float pitch_i = 0.0f;
    float max_tac = 0.0f;         // rad/s: above it the throttle comes back, as a handbook asks
    float throttle_set = -1.0f;   // the throttle asked for (below 0: the lever as it is)
    // Helicopter hover: collective for height, cyclic for the spot, pedals for the heading.
    bool hover = false;
    float hover_height = 0.0f;
    float collective_integral = 0.0f;
    float bank_integral = 0.0f;

    // One frame: the commands, then the harness's frame.
    void fly(void)
    {
        fh_controls c = fh_get_controls();
        float prd = msc.prd;
        float target_pitch = pitch_deg;
        if (hold_altitude) {
            float h = fh_height();
            float want_vy = fltlim((altitude - h) * 0.15f, -3.0f, 3.0f);
            pitch_trim_integral += (want_vy - (float)flt.vY) * 0.3f * prd;
            pitch_trim_integral = fltlim(pitch_trim_integral, -10.0f, 15.0f);
            target_pitch = pitch_trim_integral + 1.5f * (want_vy - (float)flt.vY);
        }
        if (hold_speed_by_pitch) {
            float err = flt.av - speed;   // too fast: nose up
            pitch_trim_integral += err * 0.08f * prd;
            pitch_trim_integral = fltlim(pitch_trim_integral, -20.0f, 15.0f);
            target_pitch = pitch_trim_integral + 0.6f * err;
        }
        if (hover) fly_hover(c, prd);
        if (hold_pitch || hold_altitude || hold_speed_by_pitch) {
            float e = fltlim(target_pitch, -25.0f, 25.0f) - flt.the[0];
            if (pitch_integral) pitch_i = fltlim(pitch_i + 0.03f * e * prd, -0.8f, 0.8f);
            c.pitch = fltlim(0.06f * e - 0.03f * flt.Q + pitch_i, -1.0f, 1.0f);
        }
        if (max_tac > 0.0f && throttle_set >= 0.0f) {
            // The lever comes back while the propeller turns past its limit, and goes up again
            // toward the setting asked for once it is below.
            if (flt.tac[0] > max_tac) c.throttle = fltlim(c.throttle - 0.02f * (flt.tac[0] - max_tac) * prd, 0.0f, 1.0f);
            else c.throttle = fltmin2(throttle_set, c.throttle + 0.05f * prd);
        }
        if (hold_speed_by_stick) {
            float err = flt.av - speed;   // too fast: more back stick
            stick = fltlim(stick + (0.05f * err - 0.02f * flt.Q) * prd, -1.0f, 1.0f);
            c.pitch = fltlim(stick + 0.05f * err - 0.01f * flt.Q, -1.0f, 1.0f);
        }
        if (hold_bank) {
            float e = bank_deg - flt.phi[0];
            c.roll = fltlim(0.05f * e - 0.02f * flt.P, -1.0f, 1.0f);
        }
        if (coordinate) c.yaw = fltlim(-0.08f * flt.Beta - 0.02f * flt.R, -1.0f, 1.0f);
        if (hold_heading_on_ground) {
            // The nose wheel sets the yaw rate from the pedal directly (speed times steering angle
            // over the wheelbase), so the pedal is a yaw-rate command: proportional to the heading
            // error alone. A yaw-rate term would feed the rate the pedal itself just set back into
            // the pedal and flip it from side to side frame by frame. Without pedals the yoke's
            // roll steers on the ground, and the wings are left alone there: levelling them with
            // the steering would turn the aircraft into every lean its turn gives it.
            float e = fltwrap(heading - flt.psi[0], -180.0f, 180.0f);
            float steer = fltlim(heading_gain * e, -1.0f, 1.0f);
            if (set.eq_ped) c.yaw = steer;
            else if (flt.onground) c.roll = steer;
        }
        if (auto_trim) c.trim = fltlim(c.trim + 0.2f * c.pitch * prd, -1.0f, 1.0f);
        fh_set_controls(c);
        fh_frame();
    }

    void fly_hover(fh_controls& c, float prd)
    {
        float dh = hover_height - fh_height();
        collective_integral = fltlim(collective_integral + 0.05f * dh * prd, -0.5f, 0.5f);
        c.collective = fltlim(0.5f + collective_integral + 0.03f * dh - 0.08f * (float)flt.vY, 0.0f, 1.0f);
        float sp = flt.sinpsi, cp = flt.cospsi;
        float fwd = (float)(flt.vX * sp - flt.vZ * cp), right = (float)(flt.vX * cp + flt.vZ * sp);
        // Moving forward: nose up to stop; drifting right: bank left. The trims integrate.
        pitch_trim_integral = fltlim(pitch_trim_integral + 0.5f * fwd * prd, -10.0f, 15.0f);
        bank_integral = fltlim(bank_integral - 0.5f * right * prd, -10.0f, 10.0f);
        float want_pitch = fltlim(pitch_trim_integral + 3.0f * fwd, -15.0f, 20.0f);
        float want_bank = fltlim(bank_integral - 3.0f * right, -15.0f, 15.0f);
        c.pitch = fltlim(0.08f * (want_pitch - flt.the[0]) - 0.04f * flt.Q, -1.0f, 1.0f);
        c.roll = fltlim(0.08f * (want_bank - flt.phi[0]) - 0.04f * flt.P, -1.0f, 1.0f);
        c.yaw = fltlim(0.05f * fltwrap(heading - flt.psi[0], -180.0f, 180.0f) - 0.05f * flt.R, -1.0f, 1.0f);
    }

    void fly_for(float seconds)
    {
        int n = (int)std::lround(seconds / msc.prd);
        for (int k = 0; k < n; k++) fly();
    }
};

// A pilot for steady flight holding an altitude (m above the ground) by pitch, at a bank (degrees),
// with the rudder against sideslip when coordinate is set.
inline TestPilot altitude_pilot(float altitude, float bank_deg = 0.0f, bool coordinate = true)
{
    TestPilot p;
    p.hold_altitude = true;
    p.altitude = altitude;
    p.hold_bank = true;
    p.bank_deg = bank_deg;
    p.coordinate = coordinate;
    return p;
}

// A pilot holding a true airspeed (m/s) by pitch, wings level and the rudder against sideslip.
inline TestPilot speed_pilot(float speed)
{
    TestPilot p;
    p.hold_speed_by_pitch = true;
    p.speed = speed;
    p.hold_bank = true;
    p.coordinate = true;
    return p;
}

// Equivalent airspeed in knots, true airspeed brought to sea level: the calibrated airspeed of the
// handbooks, less the small compressibility correction at these speeds.
inline float eas_kt(void) { return flt.av * std::sqrt(atm.rho / con.rhoSL) * con.msctokts; }

// Sets every engine's throttle lever, leaving the other controls as they are.
inline void set_throttle(float throttle)
{
    fh_controls c = fh_get_controls();
    c.throttle = throttle;
    fh_set_controls(c);
}

// Flies `seconds` of frames with the pilot; after every frame each() runs and returns false to
// stop early. False at the first state that is not finite.
template <class Each>
bool fly_each(TestPilot& pilot, float seconds, Each each)
{
    int n = (int)std::lround(seconds / msc.prd);
    for (int k = 0; k < n; k++) {
        pilot.fly();
        if (!fh_state_finite()) return false;
        if (!each()) break;
    }
    return true;
}

inline bool fly_checked(TestPilot& pilot, float seconds)
{
    return fly_each(pilot, seconds, [] { return true; });
}

// From a pilot's speed hold: slows down at one knot a second for at most `seconds`, the stick
// coming back as needed. Before every frame before() runs; after it stop() returns true to end the
// slow-down (at the stall). False at the first state that is not finite.
template <class Before, class Stop>
bool slow_to_stall(TestPilot& pilot, float seconds, Before before, Stop stop)
{
    pilot.hold_speed_by_pitch = false;
    pilot.hold_speed_by_stick = true;
    pilot.stick = fh_get_controls().pitch;
    int n = (int)std::lround(seconds / msc.prd);
    for (int k = 0; k < n; k++) {
        pilot.speed -= con.ktstomsc * msc.prd;
        before();
        pilot.fly();
        if (!fh_state_finite()) return false;
        if (stop()) break;
    }
    return true;
}

// The glide ratio over `seconds` of frames: the mean speed over the ground over the mean sink.
// False at the first state that is not finite.
inline bool glide_ratio(TestPilot& pilot, float seconds, double* ratio)
{
    double hs = 0.0, vs = 0.0;
    bool ok = fly_each(pilot, seconds, [&] {
        hs += std::sqrt(flt.vX * flt.vX + flt.vZ * flt.vZ);
        vs += flt.vY;
        return true;
    });
    *ratio = hs / -vs;
    return ok;
}
