// controls.cpp -- yoke, throttle lever, autopilot and stability augmentation, then the surface
// deflections (flight/deflect.cpp).
#include "controls.h"

#include "deflect.h"
#include "hl_funct.h"
#include "hl_joy.h"
#include "hl_sound.h"
#include "hl_types.h"

#include <cmath>

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float DEG = PI / 180.0f;
constexpr float RAD = 180.0f / PI;

// A yoke axis moves at most this far per second of flight.
constexpr float YOKE_RATE = 4.0f;
// The throttle lever takes the throttles back from the keyboard once it moves this far.
constexpr float LEVER_TAKEOVER = 0.04f;
// Stall speeds below this (m/s, an aircraft whose stall speed is not known) count as this one in
// the gain scale, so the laws never divide by zero.
constexpr float MIN_STALL_SPEED = 1.0f;
// Below this speed (m/s) the vertical modes take the climb angle from this speed instead.
constexpr float MIN_PATH_SPEED = 1.0f;

// What the controls remember from frame to frame, for the whole run.
struct controls_memory {
    int lever_seen;        // the throttle lever has been read once
    float thro_old;        // the lever where the throttles last followed it
    int old_alt;           // a vertical mode ran on the last frame
    float initial_trim;    // pitch trim when the vertical mode engaged
    float tune;            // degrees, integral of the vertical-speed error
    float o_speed;         // knots, indicated airspeed on the last airspeed-hold frame
    float o_throt;         // throttle the airspeed hold set last
    int old_onground;      // on the ground last frame
};

controls_memory mem = {0, 0.0f, 0, 0.0f, 0.0f, 0.0f, 0.5f, 0};

// Indicated airspeed as a multiple of the stall speed.
float speed_over_stall(void)
{
    float vs = msc.est_Vs > MIN_STALL_SPEED ? msc.est_Vs : MIN_STALL_SPEED;
    return flt.vind * con.ktstomsc / vs;
}

int any_mode_on(void)
{
    return ott.HDSLCT || ott.NAV[0] || ott.NAV[1] || ott.ALHOLD || ott.VVHOLD || ott.GS2 || ott.ASHOLD;
}

// 1. The mouse as a joystick: its place on the logical screen is the keyboard yoke's offset.
void mouse_yoke(void)
{
    if (set.controls_type == -1 && msc.mouse_is_joy) {
        set.MK_ptch = (447.0f - mnw.my) * 0.01f;
        set.MK_roll = (mnw.mx - 400.0f) * 0.01f;
    }
}

// 3. The yoke follows the stick, each axis at most YOKE_RATE units per second.
void follow_stick(float pitch, float roll, float yaw)
{
    float step = YOKE_RATE * msc.prd;
    set.YK_ptch += fltlim(pitch - set.YK_ptch, -step, step);
    set.YK_roll += fltlim(roll - set.YK_roll, -step, step);
    set.YK_hdng += fltlim(yaw - set.YK_hdng, -step, step);
}

// 4. The throttle lever drives the throttles, or the collective's blade pitch, once it has moved.
void throttle_lever(float t)
{
    const planestruct& pl = pln[0];
    if (!mem.lever_seen) {
        mem.lever_seen = 1;
        mem.thro_old = t;
    }
    if (std::fabs(t - mem.thro_old) > LEVER_TAKEOVER) set.thro_pot = 1;
    if (!set.thro_pot) return;
    mem.thro_old = t;
    float lever = fltlim(t, 0.0f, 1.0f);
    if (pl.collectEQ) {
        // Lever forward gives the least blade pitch.
        flt.proppitch[0] = interp(1.0f, pl.minpitch[0], 0.0f, pl.maxpitch[0], lever);
        if (!pl.is_heli)
            for (int i = 1; i < 4; i++) flt.proppitch[i] = flt.proppitch[0];
    } else {
        for (int i = 0; i < 4; i++) flt.throrqst[i] = lever;
    }
}

// 7. Lateral modes: a target heading becomes a bank (no steeper than a 3 degree per second turn,
// nor than 30 degrees), flown through the roll axis of the yoke.
void lateral_autopilot(float k)
{
    const planestruct& pl = pln[0];
    float h;
    if (ott.HDSLCT) {
        h = (float)nav.hdsel;
    } else {
        // Receiver 1 is the GPS on panels without a first navigation receiver.
        int n = ott.NAV[0] ? 0 : 1;
        if (n == 0 && pl.supptype != 1 && pl.supptype != 7) h = nav.gps_lock_crs;
        else h = nav.ilsgs[n] == 9 ? nav.obs[n] - env.mvar : nav.ilscrs[n];
        // The intercept grows with the deflection and shrinks with airspeed (fallout keeps the
        // airspeed away from 0), never more than 30 degrees off the course.
        h = fltwrap(h + fltlim(800.0f * nav.hdef[n] / fallout(flt.vind, -1.0f, 1.0f), -30.0f, 30.0f), 0.0f, 360.0f);
    }
    float e = fltwrap(h - flt.psi[0], -180.0f, 180.0f);
    float g = atm.g > 0.0f ? atm.g : con.g;
    float b = std::atan2(flt.v[0] * PI, g * 60.0f) * RAD;
    float bank = fltlim(fltlim(e, -b, b), -30.0f, 30.0f);
    set.YK_roll = ((bank - flt.phi[0]) * 0.01f - flt.P * 0.001f - flt.Pdot * 0.0001f) * k;
    set.YK_hdng = pl.is_heli ? (-0.05f * flt.Beta - 0.05f * flt.R) * k : 0.0f;
}

// 8. Vertical modes: a target vertical speed becomes a target pitch (with the integral of the
// vertical-speed error), flown through the pitch trim.
void vertical_autopilot(float k)
{
    const planestruct& pl = pln[0];
    if (!mem.old_alt) {
        mem.old_alt = 1;
        mem.initial_trim = flt.elv_trim;
        mem.tune = 0.0f;
    }
    float w = 0.0f;
    if (ott.VVHOLD) w = ott.vv_hold;
    if (ott.ALHOLD) {
        float lim = std::fabs(ott.vv_hold);
        w = fltlim((ott.al_hold - flt.hind) * 0.05f, -lim, lim);
    }
    if (ott.GS2) w = -flt.v[0] * std::sin((2.0f * nav.vdef[1] + (float)nav.ilsgs[1]) * DEG);

    mem.tune += ((w - (float)flt.vY) * 0.1f - flt.aY * 0.2f) * msc.prd;
    float v = flt.v[0] > MIN_PATH_SPEED ? flt.v[0] : MIN_PATH_SPEED;
    float target = std::asin(fltlim(w / v, -0.99f, 0.99f)) * RAD + mem.tune;
    if (rel.sttrim) {
        float c = pl.is_heli ? 0.1f : 1.0f;
        flt.elv_trim = mem.initial_trim + ((target - flt.the[0]) * c * 0.5f - flt.Q * 0.1f) * k;
    }
    // The integral bleeds while the trim is pinned at a stop.
    if (std::fabs(flt.elv_trim) > 1.0f) mem.tune *= 0.95f;
    flt.elv_trim = fltlim(flt.elv_trim, -1.0f, 1.0f);
}

// 9. Airspeed hold: the throttles, moving at most 0.1 per second.
void airspeed_hold(void)
{
    float prd = msc.prd;
    float accel = prd > 0.0f ? (flt.vind - mem.o_speed) / prd : 0.0f;
    float t = (ott.as_hold - flt.vind) * 0.05f + 0.5f - accel * 0.25f;
    t = fltlim(t, mem.o_throt - 0.1f * prd, mem.o_throt + 0.1f * prd);
    t = fltlim(t, 0.0f, 1.0f);
    mem.o_speed = flt.vind;
    mem.o_throt = t;
    for (int i = 0; i < 4; i++) flt.throrqst[i] = t;
}

// The share (0..1) of the low-speed augmentation set at the present airspeed; the high-speed set
// takes the rest. With equal (or crossed) corner speeds the low set works up to the low corner.
float low_speed_share(void)
{
    const planestruct& pl = pln[0];
    if (pl.AShiV > pl.ASloV) return fltlim(interp(pl.ASloV, 1.0f, pl.AShiV, 0.0f, flt.vind), 0.0f, 1.0f);
    return flt.vind <= pl.ASloV ? 1.0f : 0.0f;
}

// 11. Stability augmentation: each set asks for a body rate (or an angle of attack or sideslip)
// in proportion to the yoke and turns the error into surface command.
void augmentation(float k)
{
    const planestruct& pl = pln[0];
    float w1 = low_speed_share();
    float w2 = 1.0f - w1;
    float et = 0.5f * flt.elv_trim, rt = 0.25f * flt.rud_trim, at = 0.1f * flt.ail_trim;
    float p1 = ((set.YK_ptch + et) * pl.ASmaxp1 - flt.Q) * pl.ASp1;
    float p2 = ((set.YK_ptch + et) * pl.ASmaxp2 - flt.Alph) * pl.ASp2;
    float h1 = ((set.YK_hdng + rt) * pl.ASmaxh1 - flt.R) * pl.ASh1;
    float h2 = ((set.YK_hdng + rt) * pl.ASmaxh2 - flt.Beta - flt.R) * pl.ASh2;
    float r1 = ((set.YK_roll + at) * pl.ASmaxr1 - flt.P) * pl.ASr1;
    float r2 = ((set.YK_roll + at) * pl.ASmaxr2 - flt.P) * pl.ASr2;
    float a = rel.stbaug ? k : 0.0f;
    float a_yaw = flt.onground ? 0.0f : a;
    set.FC_ptch = (p1 * w1 + p2 * w2) * a + set.YK_ptch;
    set.FC_roll = (r1 * w1 + r2 * w2) * a + set.YK_roll;
    set.FC_hdng = (h1 * w1 + h2 * w2) * a_yaw + set.YK_hdng;
}

// 12, 13. Hydraulic power and control failures scale the commands; the trims come after, so a
// failed control still trims.
void power_failures_trims(void)
{
    float hyd = rel.hyd_rat;
    set.FC_ptch = fltlim(set.FC_ptch * hyd * (rel.fc_elv ? 1.0f : 0.0f), -1.0f, 1.0f);
    set.FC_hdng = fltlim(set.FC_hdng * hyd * (rel.fc_rud ? 1.0f : 0.0f), -1.0f, 1.0f);
    set.FC_roll = fltlim(set.FC_roll * hyd * (rel.fc_ail ? 1.0f : 0.0f), -1.0f, 1.0f);
    set.FC_ptch = fltlim(set.FC_ptch + 0.5f * flt.elv_trim, -1.0f, 1.0f);
    set.FC_hdng = fltlim(set.FC_hdng + 0.25f * flt.rud_trim, -1.0f, 1.0f);
    set.FC_roll = fltlim(set.FC_roll + 0.1f * flt.ail_trim, -1.0f, 1.0f);
}

// 15, 16. The moment of touchdown: automatic brakes and speed brakes, and the autopilot lets go.
void touchdown(void)
{
    const planestruct& pl = pln[0];
    if (flt.onground && !mem.old_onground) {
        if (pl.autofbrkEQ) set.parkbrake = 1.0f;
        if (pl.autosbrkEQ && flt.sbrk == -1) flt.sbrk = 2;
        if (any_mode_on()) otto_disconnect();
    }
    mem.old_onground = flt.onground;
}

}  // namespace

void otto_disconnect(void)
{
    ott.HDSLCT = ott.NAV[0] = ott.NAV[1] = 0;
    ott.ALHOLD = ott.VVHOLD = ott.GS2 = ott.ASHOLD = 0;
    if (pln[0].bitchinbettyEQ && set.warn_bb) play_buffer(SND_CAUTION, 0);
}

void controls_restart(void) { mem = {0, 0.0f, 0, 0.0f, 0.0f, 0.0f, 0.5f, 0}; }

void update_controls(void)
{
    const planestruct& pl = pln[0];

    // Reads: msc.mouse_is_joy, mnw.mx, mnw.my, the joystick. Writes: set.MK_*, set.YK_*.
    mouse_yoke();
    float pitch, roll, yaw, t;
    JOY_get(&pitch, &roll, &yaw, &t, 1);
    follow_stick(pitch, roll, yaw);

    // Reads: the lever, pln collective. Writes: set.thro_pot, flt.throrqst or flt.proppitch.
    throttle_lever(t);

    // Every autopilot and augmentation law is scaled by k: the gains fall with dynamic pressure
    // above the stall speed.
    float q = pl.is_heli ? 1.0f : fltlim(sqr(speed_over_stall()), 1.0f, 100.0f);
    float k = 1.0f / q;

    // A helicopter without pedals: yaw follows sideslip at speed and damps the yaw rate in the hover.
    if (pl.is_heli && !set.eq_ped && !flt.onground) {
        float s = fltlim(speed_over_stall(), 0.0f, 1.0f);
        set.YK_hdng = -(0.02f * s * flt.Beta + 0.02f * (1.0f - s) * flt.R) * k;
    }

    // Reads: ott, nav, flt attitude, rates and air data. Writes: set.YK_roll, set.YK_hdng,
    // flt.elv_trim, flt.throrqst.
    if (rel.otto && (ott.HDSLCT || ott.NAV[0] || ott.NAV[1])) lateral_autopilot(k);
    // The vertical channel restarts its integrator and trim base whenever it engages after a
    // frame without it, whatever stopped it (no mode, or a failed autopilot).
    if (rel.otto && (ott.ALHOLD || ott.VVHOLD || ott.GS2)) vertical_autopilot(k);
    else mem.old_alt = 0;
    if (rel.otto && ott.ASHOLD) airspeed_hold();

    set.YK_ptch = fltlim(set.YK_ptch, -1.0f, 1.0f);
    set.YK_roll = fltlim(set.YK_roll, -1.0f, 1.0f);
    set.YK_hdng = fltlim(set.YK_hdng, -1.0f, 1.0f);

    // Reads: set.YK_*, flt rates, trims, rel. Writes: set.FC_*.
    augmentation(k);
    power_failures_trims();

    // Reads: set.FC_*, pln deflections. Writes: every surface deflection, tail rotor, thrust lines.
    deflect_surfaces();

    // Reads: flt.onground. Writes: set.parkbrake, flt.sbrk, ott.
    touchdown();
}
