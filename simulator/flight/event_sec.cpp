// event_sec.cpp -- the once-per-second update: textures, marker beacons, ground-proximity callouts,
// flight plan, controllers and the landing signal officer, radio tuning, the weather reports, the
// visibility the frame rate allows, weather drift and lightning, stick forces, fuel, icing,
// hydraulics and oil, failures, overspeed and flap warnings, and gravity by height.
#include "event.h"

#include "event_local.h"
#include "flight_hooks.h"
#include "fltutil.h"
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_joy.h"
#include "hl_sound.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hl_wxr.h"
#include "plt_files.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float DEG = PI / 180.0f;

// ---- state kept between calls ----

float next_time = 0.0f;                      // elapsed s: the next ground-proximity call may sound
int o_blo_50 = 1, o_blo_25 = 1, o_blo_10 = 1; // below 50, 25, 10 ft at the last call
int lso_seconds = 0, nav_seconds = 0, wxr_seconds = 0;
int o_lat = -999, o_lon = -999;              // whole degrees where the reports were last looked at
int first_time_through = 1;
int first_decoding = 1;                      // the first report read also sets the clock
// What the weather eases toward while it follows the reports.
float wxr_vis = 0.0f, wxr_baseMSL = 0.0f, wxr_topsMSL = 0.0f, wxr_rain_tstm = 1.0f;
int slowcounter = 0;                         // seconds in a row the frames were too slow
int warned = 0;                              // the slow-frame notice was shown
float last_time = 0.0f;                      // elapsed s at the last fuel burn
int have_last_time = 0;
float next_strike = 0.0f;                    // elapsed s of the next lightning strike

// The report file is read through this buffer, so a look at it allocates nothing. The input stream
// keeps it from then on for every file it reads (one file at a time, as always).
char wxr_file_buffer[1 << 16];

int engine_count(void)
{
    int n = pln[0].numen;
    return n < 0 ? 0 : n > 4 ? 4 : n;
}

// True once the time of a repeating event has come; a clock that wrapped past midnight (the
// event then lies more than the repeat ahead) counts as come.
int due(float when, float repeat)
{
    float now = msc.elap_time;
    return now >= when || now + repeat < when;
}

float height_agl(void) { return (float)flt.Y[0] - env.localh_cg; }

// ---- markers and callouts ----

// Over a marker beacon of the region when both the latitude and the longitude lie within its cone:
// 0.004 degrees for the outer, 0.003 for the middle and 0.002 for the inner marker.
void marker_detection(void)
{
    nav.overOM = nav.overMM = nav.overIM = 0;
    if (flt.onground || !rel.radios) return;
    int last = nav_wrl_max < MAX_NAV - 1 ? nav_wrl_max : MAX_NAV - 1;
    for (int n = 0; n <= last; n++) {
        int t = nav_type[n];
        if (t < 7 || t > 9 || !nav_inreg[n]) continue;
        float lim = t == 7 ? 0.004f : t == 8 ? 0.003f : 0.002f;
        if (std::fabs(nav_lat[n] - flt.lat) >= lim || std::fabs(nav_lon[n] - flt.lon) >= lim) continue;
        if (t == 7) nav.overOM = 1;
        else if (t == 8) nav.overMM = 1;
        else nav.overIM = 1;
    }
}

void ground_proximity(void)
{
    const planestruct& pl = pln[0];
    if (!rel.esystem || !pl.bitchinbettyEQ || !set.warn_bb) return;
    float st = std::sin(flt.the[0] * DEG), ct = std::cos(flt.the[0] * DEG);
    float h = (height_agl() - pl.mgearZ * st + pl.mgearY * ct) * con.mtrstoft;
    float w = (float)flt.vY * con.msctofpm;
    if (h < 2500.0f && due(next_time, 2.0f)) {
        int snd = -1;
        if (w < interp(0.0f, -1500.0f, 2500.0f, -7000.0f, h)) snd = SND_PULL_UP;
        else if (w < interp(0.0f, -1000.0f, 2500.0f, -5000.0f, h)) snd = SND_SINK;
        else if (!set.gear_handle && h < 500.0f && w < 0.0f && evt_ias_units() < pl.Vfe) snd = SND_GEAR_WARN;
        if (snd >= 0) {
            play_buffer(snd, 0);
            next_time = msc.elap_time + 2.0f;
        }
    }
    int b50 = h < 50.0f, b25 = h < 25.0f, b10 = h < 10.0f;
    if (!flt.onground) {
        if (b50 && !o_blo_50) play_buffer(SND_50FT, 0);
        if (b25 && !o_blo_25) play_buffer(SND_25FT, 0);
        if (b10 && !o_blo_10) play_buffer(SND_10FT, 0);
    }
    o_blo_50 = b50;
    o_blo_25 = b25;
    o_blo_10 = b10;
}

// ---- controllers and radios ----

void air_traffic(void)
{
    if (fpl.onfile && fpl.activated) call_hook(flt_hooks.handle_plan, 0);
    if (atc.ils_vec_in_progress) call_hook(flt_hooks.controller_respond, (const char*)atc.ils_command);
    if (lso_seconds == 0) call_hook(flt_hooks.LSO_respond);
    lso_seconds = (lso_seconds + 1) % 4;
}

void retune_radios(void)
{
    if (nav_seconds == 0) {
        int supp = pln[0].supptype;
        if (supp == 1 || supp == 7) setnav(0);
        setnav(1);
        setnav(4);
        if (supp != 1 && supp != 7) setnav(5);
    }
    nav_seconds = (nav_seconds + 1) % 5;
}

// ---- weather reports ----

// The storm level a report's precipitation asks for (1 none).
float storm_of(int kind, int intensity)
{
    static const float tstm[3] = {3.0f, 4.0f, 5.0f};
    static const float rain[3] = {2.0f, 3.5f, 5.0f};
    if (intensity < 1 || intensity > 3) return 1.0f;
    if (kind == WXR_THUNDERSTORM) return tstm[intensity - 1];
    if (kind >= WXR_RAIN_OR_SNOW && kind <= WXR_SHOWERS) return rain[intensity - 1];
    return 1.0f;
}

// Decodes the report of the station nearest the aircraft from the open report file into the
// weather's targets, its cloud cover, temperature, pressure and lowest wind layer, and derives the
// upper layer from the lowest.
void read_nearest_report(void)
{
    char text[WXR_TEXT_LEN];
    float elevation = 0.0f;
    if (!get_wxr_str(text, &elevation, flt.lat, flt.lon)) return;
    float time = -1.0f, dewpoint = 0.0f;
    int cover = 0, kind = 0, intensity = 0;
    float base = wxr_baseMSL, top = wxr_topsMSL;
    decode_wxr(text, elevation, &time, &cover, &base, &top, &wxr_vis, &kind, &intensity, &atm.temp_SL,
               &dewpoint, &atm.wnddir1, &atm.wndspd1, &atm.shrspd1, &atm.baro);
    // Base and top come with a reported layer; without one the decoder would only raise the old top
    // by the precipitation, again at every look.
    if (cover >= WXR_CLEAR) atm.cld_type = cover;
    if (cover > WXR_CLEAR) {
        wxr_baseMSL = base;
        wxr_topsMSL = top;
    }
    atm.shrspd1 = std::fmax(atm.shrspd1, 0.0f);   // a "gust" below the wind's own speed is none
    wxr_rain_tstm = storm_of(kind, intensity);
    atm.burst_prob = wxr_rain_tstm;
    if (first_decoding && time >= 0.0f) {
        msc.locl_time = fltwrap(time + (float)(round(flt.lon / 15.0f) + 1) * 3600.0f, 0.0f, 86400.0f);
        first_decoding = 0;
    }
    atm.wind_tbl = 1.0f;
    atm.wnddir2 = atm.wnddir1;
    atm.wndspd2 = 2.0f * atm.wndspd1;
    atm.shrspd2 = 0.5f * atm.shrspd1;
    atm.shrdir1 = 2.0f * atm.shrspd1;
    atm.shrdir2 = 2.0f * atm.shrspd2;
    atm.trblnc1 = 0.2f * atm.shrspd1 + 0.1f * atm.wndspd1;
    atm.trblnc2 = 0.2f * atm.shrspd2 + 0.1f * atm.wndspd2;
}

void look_at_reports(void)
{
    char path[STR_LEN];
    int len = std::snprintf(path, sizeof path, "%s%s", app_path, WXR_FILE_NAME);
    if (len < 0 || len >= (int)sizeof path) {
        atm.has_realwxr = 0;   // a program folder too deep to name the file in
        return;
    }
    inf1.close();
    inf1.clear();
    inf1.rdbuf()->pubsetbuf(wxr_file_buffer, sizeof wxr_file_buffer);
    if (!PLT_names_a_pipe(path)) inf1.open(path, std::ios::binary);
    atm.has_realwxr = inf1.is_open() ? 1 : 0;
    if (atm.has_realwxr && atm.use_realwxr) read_nearest_report();
    inf1.close();
    inf1.clear();
}

void weather_reports(void)
{
    if (first_time_through) {
        wxr_vis = atm.vis_rep;
        wxr_baseMSL = atm.baseMSL;
        wxr_topsMSL = atm.topsMSL;
        wxr_rain_tstm = atm.rain_tstm;
        first_time_through = 0;
    }
    int la = (int)std::floor(flt.lat), lo = (int)std::floor(flt.lon);
    wxr_seconds++;
    if (la != o_lat || lo != o_lon || wxr_seconds >= 60) {
        o_lat = la;
        o_lon = lo;
        wxr_seconds = 0;
        look_at_reports();
    }
    if (!atm.use_realwxr) return;
    atm.vis_rep = 0.98f * atm.vis_rep + 0.02f * wxr_vis;
    atm.baseMSL = 0.98f * atm.baseMSL + 0.02f * wxr_baseMSL;
    atm.topsMSL = 0.98f * atm.topsMSL + 0.02f * wxr_topsMSL;
    atm.rain_tstm = 0.98f * atm.rain_tstm + 0.02f * wxr_rain_tstm;
    if (atm.rain_tstm < 1.5f && wxr_rain_tstm < 1.5f) atm.rain_tstm = 1.0f;
}

// ---- visibility against the frame rate ----

int inside_overcast(void)
{
    float y = (float)flt.Y[0];
    return atm.cld_type == 4 && y > atm.baseMSL && y < atm.topsMSL;
}

void visibility_for_frame_rate(void)
{
    if (mnw.menu_up >= 0 || inside_overcast()) return;
    float allowed = atm.cld_type == 4 && (float)flt.Y[0] >= atm.topsMSL ? 0.05f : 1.0f / 11.0f;
    if (msc.prd > allowed) {
        slowcounter++;
        if (atm.vis_mult > 0.15f) atm.vis_mult *= 0.96f;
    } else if (msc.prd < 0.75f * allowed) {
        slowcounter = 0;
        if (atm.vis_mult < 0.99f) atm.vis_mult = std::fmin(1.0f, atm.vis_mult * 1.02f);
    }
    if (slowcounter >= 6 && !warned && set.warn_frame) {
        warned = 1;
        MACIBM_alert("Warning: The simulator is running too slow for smooth animation and accurate flight "
                     "dynamics. You should lower the graphics load in the 'Set Rendering Options' window.",
                     "The simulator will maintain smooth animation by reducing the visibility, allowing a "
                     "higher frame rate for smoother animation.",
                     "Remember, it is possible to set the visibility too high for almost ANY CPU... this "
                     "insures that you can ask for all the visibility that YOUR CPU can handle!",
                     "To avoid this warning again, reduce the visibility, or go to the 'Warnings' item in the "
                     "'Settings' menu.",
                     ALERT_NOTICE);
    }
}

// ---- weather drift and lightning ----

// One severity moved by one second's drift: improving weather (a positive change rate) lowers it,
// worsening weather raises it until it passes 2, from where it wanders either way.
float drift(float value)
{
    float step = atm.rate_change > 0.0f ? -0.01f : 0.01f;
    if (atm.rate_change < 0.0f && value > 2.0f) step = fltrand(-1.0f, 1.0f) < 0.0f ? -0.01f : 0.01f;
    return fltlim(value + step, 1.0f, 5.0f);
}

void weather_drift(void)
{
    if (std::fabs(atm.rate_change) > 0.01f) {
        float old_storm = atm.rain_tstm;
        atm.rain_tstm = drift(atm.rain_tstm);
        atm.wind_tbl = drift(atm.wind_tbl);
        atm.burst_prob = drift(atm.burst_prob);
        assign_wind_tbl(0.05f);
        if (!scn.abovetops && atm.temp_SL > 32.0f && atm.rain_tstm > 1.0f) play_buffer(SND_RAIN, 1);
        else stop_buffer(SND_RAIN);
        // A growing storm lowers the base and builds the tops; a waning one the other way.
        float d = atm.rain_tstm - old_storm;
        atm.baseMSL = std::fmax(atm.baseMSL - 300.0f * d, env.localh_cg + 150.0f);
        atm.topsMSL = std::fmax(atm.topsMSL + 1500.0f * d, atm.baseMSL + 300.0f);
    }
    atm.wndspd1 = fltlim(atm.wndspd1, 0.0f, 99.0f);
    atm.wndspd2 = fltlim(atm.wndspd2, 0.0f, 99.0f);
    atm.shrspd1 = fltlim(atm.shrspd1, 0.0f, 99.0f);
    atm.shrspd2 = fltlim(atm.shrspd2, 0.0f, 99.0f);
    atm.trblnc1 = fltlim(atm.trblnc1, 0.0f, 9.0f);
    atm.trblnc2 = fltlim(atm.trblnc2, 0.0f, 9.0f);
    atm.baseAGL = atm.baseMSL - env.localh_cg;
}

// Thunderstorms (storm level 3 and up) throw strikes within ten miles of the aircraft, more often
// the stronger they are: four jagged bolts from the cloud base to the ground, and thunder as loud
// and as high as the strike is near.
void lightning(void)
{
    float now = msc.elap_time;
    if (atm.rain_tstm < 3.0f) return;
    if (!due(next_strike, 30.0f)) return;
    next_strike = now + fltrand(5.0f, 30.0f) / (atm.rain_tstm - 2.0f);

    float nm = fltrand(0.5f, 10.0f);
    float b = fltrand(0.0f, 360.0f) * DEG;
    float r = nm * con.nmtomtrs;
    float x = (float)flt.X[0] + r * std::sin(b);
    float z = (float)flt.Z[0] - r * std::cos(b);
    float top = std::fmax(atm.baseMSL, env.localh_cg + 300.0f);
    float bottom = env.localh_cg;
    for (int k = 0; k < 4; k++) {
        float bx = x + fltrand(-100.0f, 100.0f), bz = z + fltrand(-100.0f, 100.0f);
        for (int p = 0; p < 20; p++) {
            atm.lightXYZ[k][p][0] = bx;
            atm.lightXYZ[k][p][1] = top + (bottom - top) * (float)p / 19.0f;
            atm.lightXYZ[k][p][2] = bz;
            bx += fltrand(-60.0f, 60.0f);
            bz += fltrand(-60.0f, 60.0f);
        }
    }
    atm.strike_stop_time = now + fltrand(0.2f, 0.6f);
    float near = 5.0f / std::fmax(nm, 0.01f);
    set_frq_vol(fltlim(near, 0.0f, 1.0f), fltlim(near, 0.3f, 1.0f), 0.0f, 1.0f, SND_THUNDER);
    play_buffer(SND_THUNDER, 0);
}

// ---- stick, fuel, ice, hydraulics ----

void stick_forces(void)
{
    const planestruct& pl = pln[0];
    float f = 0.0f;
    if (!pl.ff_hydraulic) {
        if (pl.is_heli) f = pl.omegamax > 0.0f ? 0.25f * sqr(flt.tac[0] / pl.omegamax) : 0.0f;
        else f = 0.75f * flt.Qratio;
    }
    JOY_force(4, 0, 0, (int)(100.0f * f));

    // Engine vibration: a piston engine shakes harder and slower than a turbine, both with speed.
    if (pl.entype < 1 || pl.entype > 3) return;
    float r = 0.0f;
    int running = 0;
    for (int i = 0; i < engine_count(); i++) {
        if (!flt.eng_running[i]) continue;
        int j = pl.is_heli ? 0 : i;
        r += pl.omegamax > 0.0f ? fltlim(flt.tac[j] / pl.omegamax, 0.0f, 1.5f) : 0.0f;
        running++;
    }
    if (running) r /= (float)running;
    int piston = pl.entype <= 2;
    JOY_force(5, (int)((piston ? 12.0f : 4.0f) * r), piston ? 3 : 1, 0);
}

void burn_fuel(void)
{
    float now = msc.elap_time;
    float dt = 0.0f;
    if (have_last_time) {
        dt = now - last_time;
        if (dt < 0.0f) dt += 86400.0f;   // the clock wrapped past midnight
    }
    last_time = now;
    have_last_time = 1;
    float flow = 0.0f;
    for (int i = 0; i < 4; i++) flow += flt.ff_[i];
    flt.m_fuel = std::fmax(0.0f, flt.m_fuel - flow * dt);
}

void icing(void)
{
    const planestruct& pl = pln[0];
    float c = atm.T - 273.15f;
    float y = (float)flt.Y[0];
    int in_cloud = atm.cld_type == 4 && y > atm.baseMSL && y < atm.topsMSL;
    float ice = flt.frame_ice;
    if (in_cloud && c > -20.0f && c < 0.0f) ice += 0.00333f;
    if (c > 0.0f) ice -= 0.000333f * c;
    if (pl.antiiceEQ && ins.antiice_on && rel.antice) ice -= 0.01f;
    flt.frame_ice = fltlim(ice, 0.0f, 1.0f);

    int n = engine_count();
    if (pl.entype == 1 && !flt.onground && c > -5.0f && c < 25.0f) {
        for (int i = 0; i < n; i++) {
            float tac = flt.tac[pl.is_heli ? 0 : i];
            int part_power = tac >= 0.5f * pl.omegamingreen && tac <= pl.omegamingreen;
            flt.carb_ice[i] += part_power ? 0.005f : -0.01f;
        }
    }
    for (int i = 0; i < 4; i++) flt.carb_ice[i] = fltlim(flt.carb_ice[i] - 0.2f * flt.heat[i], 0.0f, 1.0f);
}

void hydraulics_and_oil(void)
{
    const planestruct& pl = pln[0];
    int n = engine_count();
    if (!pl.ff_hydraulic) {
        rel.hyd_rat = 1.0f;
    } else if (pl.is_heli) {
        rel.hyd_rat = pl.omegamax > 0.0f ? flt.tac[0] / pl.omegamax : 0.0f;
    } else {
        float sum = 0.0f;
        int running = 0;
        for (int i = 0; i < n; i++) {
            if (!flt.eng_running[i]) continue;
            running++;
            if (pl.entype == 4 || pl.entype == 5) sum += flt.n1_[i] / 100.0f;
            else sum += pl.omegamax > 0.0f ? flt.tac[i] / pl.omegamax : 0.0f;
        }
        rel.hyd_rat = 0.9f + (n > 0 ? 0.1f * sum / (float)n : 0.0f);
        if (!running && !flt.onground) {
            rel.RAT_on = 1;
            rel.hyd_rat = pl.Vne > 0.0f ? evt_ias_units() / pl.Vne : 0.0f;
        }
    }
    rel.hyd_rat = fltlim(rel.hyd_rat, 0.0f, 1.0f);

    int pumps_ok = 1;
    for (int i = 0; i < n; i++) pumps_ok &= rel.oilpmp[i] ? 1 : 0;
    rel.oil_rat = pumps_ok ? 1.0f : std::fmax(0.0f, rel.oil_rat - 1.0f / 300.0f);
}

// ---- failures ----

// A uniform draw in [0, hi) fine enough for one-in-a-million chances: two of the generator's 15-bit
// draws make 30 bits.
double fine_draw(double hi)
{
    double u = ((double)hl_rand15() * 32768.0 + (double)hl_rand15()) / 1073741824.0;
    return hi * u;
}

// Tries failure n on a working system flag; the flag goes to 0 when it fails.
void try_fail(int n, int32_t* flag)
{
    if (*flag && failme(n)) *flag = 0;
}

// A per-engine system: one engine at random is tried.
void try_fail_engine(int n, int32_t* flags)
{
    int en = engine_count();
    if (en == 0) return;
    try_fail(n, &flags[intrand(0, en - 1)]);
}

void random_failures(void)
{
    const planestruct& pl = pln[0];
    if (pl.paneltype == 1) try_fail(0, &rel.vacuum);
    try_fail(1, &rel.ss_asi);
    try_fail(2, &rel.ss_ahz);
    try_fail(3, &rel.ss_alt);
    try_fail(4, &rel.ss_tsi);
    try_fail(5, &rel.ss_dgy);
    try_fail(6, &rel.ss_vvi);
    if (pl.paneltype == 2) {
        try_fail(7, &rel.efis_1);
        try_fail(8, &rel.efis_2);
    }
    try_fail(9, &rel.radios);
    try_fail_engine(10, rel.engine);
    try_fail(11, &rel.fc_ail);
    try_fail(12, &rel.fc_elv);
    try_fail(13, &rel.fc_rud);
    try_fail(14, &rel.fc_flp);
    try_fail(15, &rel.fc_slt);
    try_fail(16, &rel.fc_thr);
    if (pl.gear_retract)
        for (int leg = 0; leg < 3; leg++) try_fail(17 + leg, &rel.lagear[leg]);
    if (rel.esystem && failme(20)) {
        rel.esystem = 0;
        rel.clights = rel.radios = rel.efis_1 = rel.efis_2 = 0;
    }
    try_fail(21, &rel.hydsys);
    try_fail_engine(22, rel.thrgov);
    try_fail(23, &rel.stbaug);
    try_fail(24, &rel.symflp);
    try_fail(25, &rel.sttrim);
    try_fail_engine(26, rel.revlok);
    try_fail(27, &rel.antice);
    try_fail_engine(28, rel.oilpmp);
    try_fail(29, &rel.clights);
    try_fail(30, &rel.otto);
    if (pl.is_heli && rel.trotor && failme(31)) {
        rel.trotor = 0;
        play_buffer(SND_CAUTION, 0);
    }
}

// ---- warnings and gravity ----

void speed_warnings(void)
{
    const planestruct& pl = pln[0];
    if (pl.is_heli) return;
    float v = evt_ias_units();
    if (!flt.over_vne && set.warn_overspeed && pl.Vne > 0.0f && v > 1.1f * pl.Vne) {
        MACIBM_alert("You just busted the redline speed.", "I shall now remove a critical flying surface.",
                     "Enjoy the ride down.",
                     "(To avoid this occurrence again, you can fly more slowly or select the 'Warnings' item in "
                     "the 'Settings' menu).",
                     ALERT_NOTICE);
        flt.over_vne = 1;
    }
    if (flt.flap <= 0.01f) {
        flt.over_vfe = 0;
    } else if (!flt.over_vfe && set.warn_flaps && pl.Vfe > 0.0f && v > pl.Vfe) {
        MACIBM_alert("You just extended the flaps above Vfe.", "", "",
                     "(To avoid this occurrence again, you can fly right or go to the 'Warnings' item in the "
                     "'Settings' menu.",
                     ALERT_NOTICE);
        flt.over_vfe = 1;
    }
}

void gravity(void)
{
    float r = con.rearth + (float)flt.Y[0];
    atm.g = con.muearth / (r * r);
}

}  // namespace

int failme(int n)
{
    if (n < 0 || n >= 32) return 0;
    int type = rel.fail_type[n];
    if (type == 1) {
        float a = fltrand(0.0f, 400.0f);
        float b = fltrand(0.0f, 400.0f);
        return a < rel.total_fail_entry && b < rel.total_fail_entry;
    }
    if (type == 2) return fine_draw(3600.0 * (double)rel.fail_time_max[n]) < 1.0;
    return 1;
}

void reset_sec_state(void)
{
    next_time = 0.0f;
    o_blo_50 = o_blo_25 = o_blo_10 = 1;
    lso_seconds = nav_seconds = wxr_seconds = 0;
    o_lat = o_lon = -999;
    first_time_through = 1;
    first_decoding = 1;
    wxr_vis = wxr_baseMSL = wxr_topsMSL = 0.0f;
    wxr_rain_tstm = 1.0f;
    slowcounter = 0;
    warned = 0;
    last_time = 0.0f;
    have_last_time = 0;
    next_strike = 0.0f;
}

void reset_events(void)
{
    reset_evt_state();
    reset_sec_state();
}

void mod_sec(void)
{
    call_hook(flt_hooks.load_texes);
    marker_detection();
    ground_proximity();
    air_traffic();
    retune_radios();
    weather_reports();
    visibility_for_frame_rate();
    weather_drift();
    lightning();
    stick_forces();
    burn_fuel();
    icing();
    hydraulics_and_oil();
    random_failures();
    speed_warnings();
    gravity();
}
