// event.cpp -- the event update, about ten times per simulated second: data output, continuous
// sounds, stall horn, stick shaker and buffet, marker and Morse tones, the recorded path, the storm
// level around the aircraft, the radio needles, sweep, thrust vectoring, flaps and slats, wind and
// wind shear, gear travel and the approach flashers.
#include "event.h"

#include "event_local.h"
#include "flight_hooks.h"
#include "hl_funct.h"
#include "hl_joy.h"
#include "hl_sound.h"
#include "hl_types.h"
#include "hl_wxr.h"

#include <cmath>

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float DEG = PI / 180.0f;

// ---- state kept between calls ----

int o_warn = 0;           // the stall horn is sounding
int o_full = 0;           // the stall buffet is shaking the stick

// The Morse identifier being played: each slot's tone and the time it starts (elapsed seconds).
constexpr int MORSE_SLOTS = 24;
constexpr int SLOT_QUIET = 2, SLOT_DOT = 3, SLOT_DASH = 4;
constexpr float DOT_LEN = 0.3f, DASH_LEN = 0.5f, QUIET_LEN = 1.0f;
constexpr float ID_LEN = 10.0f;   // s from the first slot to the next identifier
int id_in_prog = 0;
float id_start = 0.0f;
int n_slots = 0;
int type_snd[MORSE_SLOTS];
float time_snd[MORSE_SLOTS];

int flap_in_prog = 0;     // the flap motor is running
int in_the_pipe = 0;      // established on the localizer and the glide slope
float time_next_warn = 0.0f;

// Wind the gusts move toward (m/s, world frame), drawn once per second.
float target_x = 0.0f, target_y = 0.0f, target_z = 0.0f;

// The wind shear: kind 0 none, 1 a headwind, 2 a tailwind, 3 a headwind turning into a tailwind
// through a downdraft; its start and stop (elapsed s), horizontal and vertical speeds (m/s).
int shear_type = 0;
float shear_strt_time = 0.0f, shear_stop_time = 0.0f;
float shear_speed = 0.0f, shear_vertv = 0.0f;

// International Morse code of the capital letters.
const char* const MORSE[26] = {
    ".-",   "-...", "-.-.", "-..",  ".",   "..-.", "--.",  "....", "..",   ".---", "-.-",  ".-..", "--",
    "-.",   "---",  ".--.", "--.-", ".-.", "...",  "-",    "..-",  "...-", ".--",  "-..-", "-.--", "--..",
};

int engine_count(void)
{
    int n = pln[0].numen;
    return n < 0 ? 0 : n > 4 ? 4 : n;
}

// ---- data output and sounds ----

// Once a second a row of the selected items' labels, on every call a row of their values; each
// row is one line of the output file.
void disk_output(void)
{
    if (!set.dskout) return;
    if (msc.cntr10 == 0) {
        for (int i = 0; i < OUT_ITEMS; i++)
            if (set.Bdsk[i]) call_hook(flt_hooks.out_label, OUT_FILE, i, 0);
        call_hook(flt_hooks.out_end_row);
    }
    for (int i = 0; i < OUT_ITEMS; i++)
        if (set.Bdsk[i]) call_hook(flt_hooks.out_dat, OUT_FILE, i, 0);
    call_hook(flt_hooks.out_end_row);
}

// The stall horn and stick shaker follow the stall warning while the electrical system works (a
// failure silences a horn that was sounding); the buffet of a stalled wing shakes a stick that has
// neither hydraulic controls nor a shaker of its own.
void stall_warnings(void)
{
    const planestruct& pl = pln[0];
    int warn = rel.esystem && flt.stallwarning ? 1 : 0;
    if (warn != o_warn) {
        if (warn) {
            play_buffer(SND_STALL, 1);
            if (pl.ff_stickshaker) JOY_force(6, 100, 10, 0);
        } else {
            stop_buffer(SND_STALL);
            if (pl.ff_stickshaker) JOY_force(8, 0, 0, 0);
        }
        o_warn = warn;
    }
    if (pl.ff_hydraulic || pl.ff_stickshaker) return;
    int full = flt.stalled[4] ? 1 : 0;
    if (full != o_full) {
        if (full) JOY_force(6, (int)(500.0f * flt.Qratio), 5, 0);
        else JOY_force(8, 0, 0, 0);
        o_full = full;
    }
}

// Marker tones at their places in each second's ten calls: outer marker dashes, middle marker dot
// and dash, inner marker dots.
void marker_tones(void)
{
    int c = msc.cntr10;
    if (nav.overOM && c == 0) play_buffer(SND_MARKER_DASH, 0);
    if (nav.overMM) {
        if (c == 0) play_buffer(SND_MARKER_DOT, 0);
        if (c == 4) play_buffer(SND_MARKER_DASH, 0);
    }
    if (nav.overIM && (c == 0 || c == 3 || c == 6)) play_buffer(SND_MARKER_DOT, 0);
}

// ---- Morse identifier ----

void add_slot(int type, float len, float* t)
{
    if (n_slots >= MORSE_SLOTS) return;
    type_snd[n_slots] = type;
    time_snd[n_slots] = *t;
    n_slots++;
    *t += len;
}
void add_dot(float* t) { add_slot(SLOT_DOT, DOT_LEN, t); }
void add_das(float* t) { add_slot(SLOT_DASH, DASH_LEN, t); }
void add_qui(float* t) { add_slot(SLOT_QUIET, QUIET_LEN, t); }

// The first four characters of id as timed tone slots from now on; letters get their code, every
// character a quiet slot after it.
void build_morse_id(const char* id, float now)
{
    n_slots = 0;
    float t = now;
    for (int k = 0; k < 4 && id[k]; k++) {
        char c = id[k];
        if (c >= 'A' && c <= 'Z') {
            for (const char* m = MORSE[c - 'A']; *m; m++) {
                if (*m == '.') add_dot(&t);
                else add_das(&t);
            }
        }
        add_qui(&t);
    }
    id_start = now;
    id_in_prog = 1;
}

void morse_identifier(void)
{
    float now = msc.elap_time;
    if (!id_in_prog) {
        int r = nav.radout;
        if ((r == 0 || r == 1 || r == 4) && nav.goodnav[r]) build_morse_id(nav.nav_id[r], now);
        return;
    }
    // A clock that wrapped past midnight ends the identifier too.
    if (now - id_start >= ID_LEN || now < id_start) {
        id_in_prog = 0;
        return;
    }
    for (int s = 0; s < n_slots; s++) {
        if (time_snd[s] > now || type_snd[s] == SLOT_QUIET) continue;
        play_buffer(type_snd[s] == SLOT_DOT ? SND_MARKER_DOT : SND_MARKER_DASH, 0);
        type_snd[s] = SLOT_QUIET;
    }
}

// ---- the recorded path and the weather around the aircraft ----

void record_path(void)
{
    int k = intwrap(intlim(pat.cntr_record, 0, PATH_POINTS - 1) + 1, 0, PATH_POINTS - 1);
    pat.cntr_record = k;
    float* p = pat.xyztppt[k];
    p[0] = (float)flt.X[0];
    p[1] = (float)flt.Y[0];
    p[2] = (float)flt.Z[0];
    p[3] = flt.the[0];
    p[4] = flt.psi[0];
    p[5] = flt.phi[0];
    p[6] = msc.elap_time;
    pat.inited[k] = 1;
    pat.inited[intwrap(k + 1, 0, PATH_POINTS - 1)] = 0;
}

// The storm level around the aircraft: the weather grid's 5 by 5 cells around its cell (clamped to
// the grid) scaled by the storm level, fading from the middle of the cloud layer to nothing at the
// tops.
void storm_level(void)
{
    float y = (float)flt.Y[0];
    if (y > atm.topsMSL) {
        atm.level = 0.0f;
        return;
    }
    int i, j;
    wxr_cell((float)flt.X[0], (float)flt.Z[0], env.lox, env.hix, env.loz, env.hiz, &i, &j);
    float level = wxr_window_level(atm.wxr, i, j, atm.rain_tstm);
    float mid = 0.5f * (atm.baseMSL + atm.topsMSL);
    atm.level = level * fltlim(evt_line(mid, 1.0f, atm.topsMSL, 0.0f, y), 0.0f, 1.0f);
}

// ---- radio needles ----

// Bearing (degrees true) from the aircraft to a point of the region.
float bearing_to(float x, float z)
{
    return std::atan2(x - (float)flt.X[0], (float)flt.Z[0] - z) / DEG;
}

void needles(int r)
{
    nav.hdef[r] = nav.vdef[r] = 0.0f;
    nav.ntf[r] = 0;
    if (!nav.goodnav[r]) return;
    float brg = bearing_to(nav.vorX[r], nav.vorZ[r]);
    if (nav.ilsgs[r] != 9) {
        // A localizer, with its glide slope when tuned (ilsgs is then the slope's angle).
        float h = fltwrap(brg - nav.ilscrs[r], -180.0f, 180.0f);
        float v = 0.0f;
        if (nav.ilsgs[r] != 0) {
            float d = std::hypot(nav.gsX[r] - (float)flt.X[0], nav.gsZ[r] - (float)flt.Z[0]);
            v = std::atan2((float)flt.Y[0] - nav.gsY[r], d) / DEG - (float)nav.ilsgs[r];
        }
        if (std::fabs(h) <= 90.0f) nav.ntf[r] = 1;
        nav.hdef[r] = fltlim(2.0f * h, -5.0f, 5.0f);
        nav.vdef[r] = fltlim(2.0f * v, -5.0f, 5.0f);
    } else {
        // A VOR against the selected magnetic course.
        float h = fltwrap(brg - (nav.obs[r] - env.mvar), -180.0f, 180.0f);
        if (std::fabs(h) <= 90.0f) {
            nav.ntf[r] = 1;
        } else {
            nav.ntf[r] = 2;
            h = -fltwrap(h + 180.0f, -180.0f, 180.0f);
        }
        nav.hdef[r] = fltlim(0.5f * h, -5.0f, 5.0f);
    }
}

// The voice warning below the glide slope once established on the second receiver's ILS.
void glide_slope_warning(void)
{
    const int r = 1;
    if (!pln[0].bitchinbettyEQ || !set.warn_bb || !nav.goodnav[r] || nav.ilsgs[r] == 0 || nav.ilsgs[r] == 9) {
        in_the_pipe = 0;
        return;
    }
    float fpm = (float)flt.vY * con.msctofpm;
    float off = std::fabs(fltwrap(flt.psi[0] - nav.ilscrs[r], -180.0f, 180.0f));
    float nm = std::hypot(nav.vorX[r] - (float)flt.X[0], nav.vorZ[r] - (float)flt.Z[0]) * con.mtrstonm;
    if (std::fabs(nav.hdef[r]) < 2.5f && std::fabs(nav.vdef[r]) < 2.5f && off < 10.0f && fpm < -100.0f &&
        nm < 10.0f)
        in_the_pipe = 1;
    if (fpm < -1000.0f || flt.onground || off > 45.0f) in_the_pipe = 0;
    float now = msc.elap_time;
    float agl_ft = ((float)flt.Y[0] - env.localh_cg) * con.mtrstoft;
    if (in_the_pipe && agl_ft < 1000.0f && nav.vdef[r] < -1.0f && (now >= time_next_warn || now + 2.0f < time_next_warn)) {
        play_buffer(SND_GLIDESLOPE, 0);
        time_next_warn = now + 2.0f;
    }
}

void radio_needles(void)
{
    int supp = pln[0].supptype;
    if (supp == 1 || supp == 7) needles(0);
    needles(1);
    glide_slope_warning();
}

// ---- sweep, vectoring, flaps ----

void wing_sweep(void)
{
    planestruct& pl = pln[0];
    int variable = 0;
    for (int p = 0; p < 28; p++) variable |= pl.varsweepEQ[p];
    if (!variable) return;
    float d = flt.sweerqst - flt.swee;
    if (std::fabs(d) >= 0.001f) flt.swee = std::fabs(d) < 0.02f ? flt.sweerqst : flt.swee + (d > 0 ? 0.02f : -0.02f);
    for (int p = 0; p < 28; p++)
        pl.sweepnow[p] = pl.varsweepEQ[p] ? pl.sweep1[p] + (pl.sweep2[p] - pl.sweep1[p]) * flt.swee : pl.sweep1[p];
}

void thrust_vectoring(void)
{
    planestruct& pl = pln[0];
    if (pl.is_heli || !pl.vectEQ) return;
    float v = pl.vertcant[0];
    float d = flt.vectrqst - v;
    v = std::fabs(d) < 2.0f ? flt.vectrqst : v + (d > 0 ? 2.0f : -2.0f);
    for (int i = 0; i < 4; i++) pl.vertcant[i] = v;
}

// The flaps run toward their request at 0.025 per call with the motor sound while they travel; the
// slats follow the flaps, and an automatic sweep follows them too.
void flaps_and_slats(void)
{
    float d = flt.flaprqst - flt.flap;
    if (std::fabs(d) > 0.01f && rel.fc_flp) {
        // The last step lands on the request, so repeated steps leave no rounding behind.
        flt.flap = std::fabs(d) <= 0.025f + 0.01f ? flt.flaprqst : flt.flap + (d > 0 ? 0.025f : -0.025f);
        flt.flap = fltlim(flt.flap, 0.0f, 1.0f);
        if (!flap_in_prog) {
            play_buffer(SND_FLAP, 1);
            flap_in_prog = 1;
        }
    }
    if (flap_in_prog && (std::fabs(flt.flaprqst - flt.flap) <= 0.01f || !rel.fc_flp)) {
        stop_buffer(SND_FLAP);
        flap_in_prog = 0;
    }
    flt.slat = fltlim(4.0f * flt.flap, 0.0f, 1.0f);
    if (pln[0].autosweepEQ) flt.sweerqst = 1.0f - std::sqrt(fltlim(flt.flap, 0.0f, 1.0f));
}

// ---- wind ----

// The wind layers at the aircraft's height: layer 1 at the ground, layer 2 from altwxr2 up, in
// between in proportion. Directions turn the short way round.
void wind_targets(void)
{
    float ground = env.localh_cg;
    float agl = (float)flt.Y[0] - ground;
    float f = atm.altwxr2 > ground ? fltlim(agl / (atm.altwxr2 - ground), 0.0f, 1.0f) : 1.0f;
    float spd = atm.wndspd1 + (atm.wndspd2 - atm.wndspd1) * f;
    float dir = atm.wnddir1 + fltwrap(atm.wnddir2 - atm.wnddir1, -180.0f, 180.0f) * f;
    float shs = atm.shrspd1 + (atm.shrspd2 - atm.shrspd1) * f;
    float shd = atm.shrdir1 + (atm.shrdir2 - atm.shrdir1) * f;
    float trb = atm.trblnc1 + (atm.trblnc2 - atm.trblnc1) * f;

    float v = (spd + fltrand(-1.0f, 1.0f) * shs) * con.ktstomsc;
    int d = intwrap((int)(dir + fltrand(-1.0f, 1.0f) * shd - env.mvar), 0, 359);
    d = intlim(d, 0, 359);   // one wrap step is enough for any sane layer; keep the table index safe
    float thermal = 0.0f;
    int i = env.i_aircraft, j = env.j_aircraft;
    if (i >= 0 && i < REGION_NI && j >= 0 && j < REGION_NJ && atm.therm_on_poly[i][j]) thermal = atm.trml_vvi;
    float t = 1.5f * trb;
    float rain = 10.0f * atm.level;
    float h = fltlim(agl / 20.0f, 0.5f, 1.0f);
    float hv = fltlim(agl / 100.0f, 0.0f, 1.0f);
    target_x = (fltrand(-1.0f, 1.0f) * (rain + t) - v * lookup_sin[d]) * h;
    target_y = (fltrand(-1.0f, 1.0f) * (rain + t) + thermal) * hv;
    target_z = (fltrand(-1.0f, 1.0f) * (rain + t) + v * lookup_cos[d]) * h;
}

// The shear's wind this call (m/s, world frame); starts and ends shears.
void wind_shear(float* sx, float* sy, float* sz)
{
    *sx = *sy = *sz = 0.0f;
    float now = msc.elap_time;
    if (shear_type && (now >= shear_stop_time || now < shear_strt_time)) shear_type = 0;
    if (shear_type) {
        float f = evt_line(shear_strt_time, 0.0f, shear_stop_time, 1.0f, now);
        float s = 0.0f, c = 0.0f;
        if (shear_type == 1) s = std::sin(PI * f);
        else if (shear_type == 2) s = -std::sin(PI * f);
        else {
            s = std::sin(2.0f * PI * f);
            c = 0.5f * (std::cos(2.0f * PI * f) - 1.0f);
        }
        float psi = flt.psi[0] * DEG;
        *sx = -shear_speed * s * std::sin(psi);
        *sy = shear_vertv * c;
        *sz = shear_speed * s * std::cos(psi);
        atm.inshear = 1;
        return;
    }
    atm.inshear = 0;
    float agl = (float)flt.Y[0] - env.localh_cg;
    if (atm.burst_prob <= 1.0f || agl >= 300.0f) return;
    if (fltrand(0.0f, interp(1.0f, 300.0f, 5.0f, 60.0f, atm.burst_prob)) > 0.1f) return;
    shear_type = intrand(1, 3);
    shear_strt_time = now;
    shear_stop_time = now + fltrand(10.0f, 20.0f);
    shear_speed = fltrand(30.0f, 90.0f) * con.ktstomsc;
    shear_vertv = fltrand(2000.0f, 8000.0f) * con.fpmtomsc;
    atm.inshear = 1;
    if (pln[0].bitchinbettyEQ && set.warn_bb) play_buffer(SND_WINDSHEAR, 0);
}

void wind(void)
{
    if (msc.cntr10 == 0) wind_targets();
    float sx, sy, sz;
    wind_shear(&sx, &sy, &sz);
    atm.wind_X = 0.9f * atm.wind_X + 0.1f * (target_x + sx);
    atm.wind_Y = 0.9f * atm.wind_Y + 0.1f * (target_y + sy);
    atm.wind_Z = 0.9f * atm.wind_Z + 0.1f * (target_z + sz);
}

// ---- gear, flashers, brakes, transponder ----

void gear_travel(void)
{
    planestruct& pl = pln[0];
    if (!pl.gear_retract) return;
    for (int leg = 0; leg < 3; leg++)
        if (msc.elap_time >= set.gear_time[leg]) pl.gear_stat[leg] = set.gear_handle;
}

// A tail-dragger pitching onto its nose on the ground lets its brakes off.
void tail_dragger_brakes(void)
{
    const planestruct& pl = pln[0];
    int tail_wheel = pl.gear_type >= 3 && pl.ngearZ > pl.mgearZ;
    if (tail_wheel && flt.onground && flt.the[0] < pl.the_eqlbm - 2.0f) set.parkbrake *= 0.75f;
}

void transponder_reply(void)
{
    if (fltrand(0.0f, 1.0f) >= 0.1f) return;
    ins.reply_time1 = msc.elap_time;
    ins.reply_time2 = msc.elap_time + fltrand(0.1f, 0.3f);
}

}  // namespace

void reset_evt_state(void)
{
    o_warn = o_full = 0;
    id_in_prog = 0;
    id_start = 0.0f;
    n_slots = 0;
    for (int s = 0; s < MORSE_SLOTS; s++) {
        type_snd[s] = SLOT_QUIET;
        time_snd[s] = 0.0f;
    }
    flap_in_prog = 0;
    in_the_pipe = 0;
    time_next_warn = 0.0f;
    target_x = target_y = target_z = 0.0f;
    shear_type = 0;
    shear_strt_time = shear_stop_time = shear_speed = shear_vertv = 0.0f;
}

float evt_line(float x0, float y0, float x1, float y1, float x)
{
    if (std::fabs(x1 - x0) < 1e-6f) return x < x1 ? y0 : y1;
    return interp(x0, y0, x1, y1, x);
}

float evt_ias_units(void) { return pln[0].asi_units == 2 ? flt.vind : flt.vind * 1.15f; }

void mod_evt(void)
{
    disk_output();
    if (engine_count() > 0) maintain_engine_sound();
    maintain_windrain_sound();
    stall_warnings();
    marker_tones();
    morse_identifier();
    record_path();
    storm_level();
    radio_needles();
    wing_sweep();
    thrust_vectoring();
    flaps_and_slats();
    wind();
    gear_travel();
    call_hook(flt_hooks.step_flashers, msc.cntr10 == 0 ? 1 : 0);
    tail_dragger_brakes();
    transponder_reply();
}
