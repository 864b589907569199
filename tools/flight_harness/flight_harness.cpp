// flight_harness.cpp -- the windowless world the flight model's tests and benchmark fly in.
#include "flight_harness.h"

#include "deflect.h"
#include "event.h"
#include "flight_hooks.h"
#include "fltframe.h"
#include "fltgeom.h"
#include "fltprep.h"
#include "hl_funct.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "initpln.h"
#include "integ.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <type_traits>

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float DEG = PI / 180.0f;

fh_controls g_controls;
void (*g_frame_controls)(void) = nullptr;
float g_gravity_clock = 0.0f;

// Gravity at the aircraft's height, as the once-per-second update keeps it.
void set_gravity(void)
{
    float r = con.rearth + (float)flt.Y[0];
    atm.g = con.muearth / (r * r);
}

// A flat region of three by two one-degree squares, south-west corner 33 N 118 W.
void flat_region(float h, int water)
{
    env.lat_sou = 33;
    env.lon_wes = -118;
    float deg_lat = 60.0f * con.nmtomtrs;
    float deg_lon = deg_lat * std::cos(34.0f * DEG);
    env.dx = 3.0f * deg_lon;
    env.dz = 2.0f * deg_lat;
    env.lox = 0.0f;
    env.hix = env.dx;
    env.loz = 0.0f;
    env.hiz = env.dz;
    for (int c = 0; c < 3; c++) {
        for (int r = 0; r < 2; r++) {
            env.lonwes_ref[c][r] = (float)(env.lon_wes + c);
            env.planex_ref[c][r] = (float)c * deg_lon;
        }
    }
    for (int i = 0; i < REGION_NI; i++) {
        for (int j = 0; j < REGION_NJ; j++) {
            planexyz[i][j][0] = env.lox + env.dx * (float)i / (float)(REGION_NI - 1);
            planexyz[i][j][1] = h;
            planexyz[i][j][2] = env.hiz - env.dz * (float)j / (float)(REGION_NJ - 1);
            on_water[i][j] = water;
        }
    }
    env.i_aircraft = REGION_NI / 2;
    env.j_aircraft = REGION_NJ / 2;
    env.surf_type = 62;   // a paved runway
}

// The pilot's commands turned into surface deflections, thrust lines, rotor pitch and levers,
// as the controls of the aircraft lay them out.
void apply_controls(void)
{
    const planestruct& pl = pln[0];
    const fh_controls& c = g_controls;
    set.YK_ptch = set.FC_ptch = c.pitch;
    set.YK_roll = set.FC_roll = c.roll;
    set.YK_hdng = set.FC_hdng = c.yaw;
    flt.elv_trim = c.trim;
    set.FC_ptch = fltlim(set.FC_ptch + 0.5f * flt.elv_trim, -1.0f, 1.0f);
    set.parkbrake = c.brake;
    flt.flap = c.flap;
    flt.slat = fltlim(4.0f * c.flap, 0.0f, 1.0f);
    if (pl.gear_retract)
        for (int leg = 0; leg < 3; leg++) pln[0].gear_stat[leg] = c.gear ? 1 : 0;

    deflect_surfaces();
    if (pl.is_heli && c.collective >= 0.0f)
        flt.proppitch[0] = interp(1.0f, pl.minpitch[0], 0.0f, pl.maxpitch[0], fltlim(1.0f - c.collective, 0.0f, 1.0f));
    // With a collective the lever is the collective and the governors keep the throttles.
    for (int i = 0; i < 4; i++) {
        if (!pl.collectEQ) flt.throrqst[i] = fltlim(c.throttle, 0.0f, 1.0f);
        flt.prop[i] = pl.omegamax;
    }
}

// What every start shares: masses, engines, gear, systems and the angle caches.
void start_common(float speed)
{
    const planestruct& pl = pln[0];
    flt.m_fuel = 0.5f * pl.m_fuel;
    flt.m_jettison = 0.5f * pl.m_jettison;
    flt.m_fixed = fltlim(0.5f * (pl.m_max - pl.m_fuel - pl.m_jettison - pl.m_empty), 0.0f, 9.9e9f);
    flt.v[0] = speed;
    start_engines();
    float t = speed > msc.est_Vs ? 0.5f : 0.01f;   // the throttle start_engines set
    for (int i = 0; i < pl.numen && i < 4; i++) flt.n1_[i] = 100.0f * std::sqrt(t);
    if (pl.is_heli) flt.tac[1] = flt.tac[0] * pl.trotor_rat;
    g_controls.throttle = t;
    for (int leg = 0; leg < 3; leg++) pln[0].gear_stat[leg] = 1;
    float psi = flt.psi[0];
    flt.vX = std::sin(psi * DEG) * speed;
    flt.vZ = -std::cos(psi * DEG) * speed;
    flt.vY = 0.0;
    set_euler_caches();
    flt.cosalph = flt.cosbeta = 1.0f;
    flt.sinalph = flt.sinbeta = 0.0f;
    flt.hpath = flt.ahpath = psi;
    flt.sinahpath = flt.sinhpath = flt.sinpsi;
    flt.cosahpath = flt.coshpath = flt.cospsi;
    flt.cosavpath = flt.cosvpath = 1.0f;
    flt.jatoleft = pl.jatodur;
    set_total_mass();
    set_gravity();
    set_air_at_aircraft();
    flt.av = speed;
    flt.vaxial = speed;
    flt.Qstatic = 0.5f * atm.rho * speed * speed;
}

template <typename T>
int all_finite(const T* v, size_t n)
{
    for (size_t i = 0; i < n; i++)
        if (!std::isfinite(v[i])) return 0;
    return 1;
}

}  // namespace

void fh_world(const fh_world_options& opt)
{
    clear_globals();
    hl_fill_constants();
    hl_build_paths(FH_PROGRAM_DIR, "/tmp", nullptr);
    hl_srand(opt.seed);
    fill_density_table();
    flat_region(opt.ground_h, opt.water);

    atm.temp_SL = 59.0f;
    atm.baro = 29.92f;
    ins.baro = 29.92f;
    atm.rway_fric_rat = 1.0f;
    atm.wind_tbl = 1.0f;
    set.joy_rat_hdng = 1.0f;
    set.eq_ped = opt.pedals;
    set.fadec_on = 1;
    rel.symflp = rel.fc_thr = rel.trotor = 1;
    rel.vacuum = rel.ss_asi = rel.ss_ahz = rel.ss_alt = rel.ss_tsi = rel.ss_dgy = rel.ss_vvi = 1;
    rel.efis_1 = rel.efis_2 = rel.radios = rel.otto = rel.sttrim = rel.stbaug = 1;
    rel.fc_ail = rel.fc_elv = rel.fc_rud = rel.fc_flp = rel.fc_slt = 1;
    rel.esystem = rel.hydsys = rel.antice = rel.clights = 1;
    rel.oil_rat = rel.hyd_rat = 1.0f;
    for (int i = 0; i < 4; i++) rel.engine[i] = rel.oilpmp[i] = rel.thrgov[i] = rel.revlok[i] = 1;
    for (int i = 0; i < 3; i++) rel.lagear[i] = 1;
    for (int n = 0; n < 32; n++) rel.fail_type[n] = 1;   // random failures, at a rate of 0
    atm.vis_mult = 1.0f;
    reset_events();
    msc.prd = opt.prd;
    msc.locl_time = 43200.0f;
    g_controls = fh_controls();
    g_frame_controls = opt.controls;
    // The frame driver's first step is the controls: under the harness, the harness's own.
    flt_hooks.update_controls = opt.controls ? opt.controls : apply_controls;
    g_gravity_clock = 0.0f;
}

int fh_load(const char* path)
{
    std::snprintf(pln[0].C_path, STR_LEN, "%s", path);
    const char* slash = std::strrchr(path, '/');
    std::snprintf(pln[0].C_file, STR_LEN, "%s", slash ? slash + 1 : path);
    return load_plane(0);
}

const char* fh_bundled(const char* rel)
{
    static char path[2 * STR_LEN];
    std::snprintf(path, sizeof path, "%s%s", FH_PROGRAM_DIR, rel);
    return path;
}

void fh_start_ground(float heading)
{
    flt.X[0] = env.dx * 0.5;
    flt.Z[0] = env.dz * 0.5;
    env.localh_cg = find_local_h((float)flt.X[0], (float)flt.Z[0], &env.i_aircraft, &env.j_aircraft, 0);
    flt.Y[0] = env.localh_cg + pln[0].h_eqlbm;
    flt.the[0] = pln[0].the_eqlbm;
    flt.psi[0] = heading;
    flt.phi[0] = 0.0f;
    start_common(0.0f);
    g_controls.brake = 1.0f;
}

void fh_start_air(float height, float speed, float heading)
{
    flt.X[0] = env.dx * 0.5;
    flt.Z[0] = env.dz * 0.5;
    env.localh_cg = find_local_h((float)flt.X[0], (float)flt.Z[0], &env.i_aircraft, &env.j_aircraft, 0);
    flt.Y[0] = env.localh_cg + height;
    flt.the[0] = 0.0f;
    flt.psi[0] = heading;
    flt.phi[0] = 0.0f;
    start_common(speed);
    g_controls.brake = 0.0f;
    g_controls.gear = pln[0].gear_retract ? 0 : 1;
    for (int leg = 0; leg < 3; leg++) pln[0].gear_stat[leg] = g_controls.gear;
}

void fh_set_controls(const fh_controls& c) { g_controls = c; }
const fh_controls& fh_get_controls(void) { return g_controls; }

void fh_frame(void)
{
    if (g_frame_controls) g_frame_controls();
    else apply_controls();
    flight_presteps();
    g_gravity_clock += msc.prd;
    if (g_gravity_clock >= 1.0f) {
        g_gravity_clock -= 1.0f;
        set_gravity();
    }
    count_frame();
    frame_clocks();
    flight_substeps();
    set.cycout = 0;
}

void fh_run(float seconds)
{
    int n = (int)std::lround(seconds / msc.prd);
    for (int k = 0; k < n; k++) fh_frame();
}

// Every 4-byte field from first up to (not including) last, read as a float. The integer fields
// of the flight state are small non-negative counts and flags: as floats they are zero or tiny.
static int floats_finite(const void* first, const void* last)
{
    const char* q = static_cast<const char*>(first);
    const char* end = static_cast<const char*>(last);
    for (; q + sizeof(float) <= end; q += sizeof(float)) {
        float v;
        std::memcpy(&v, q, sizeof v);
        if (!std::isfinite(v)) return 0;
    }
    return 1;
}

int fh_state_finite(void)
{
    const flightstruct& f = flt;
    if (!std::isfinite(f.lat) || !std::isfinite(f.lon)) return 0;
    if (!all_finite(&f.X[0], 12) || !all_finite(&f.Y[0], 12) || !all_finite(&f.Z[0], 12)) return 0;
    if (!std::isfinite(f.vX) || !std::isfinite(f.vY) || !std::isfinite(f.vZ)) return 0;
    // sbrk is the one integer that can be negative (-1, armed): its bits would read as NaN.
    return floats_finite(&f.the[0], &f.vX) && floats_finite(&f.aX, &f.sbrk) &&
           floats_finite(&f.sbrk + 1, reinterpret_cast<const char*>(&f) + sizeof f);
}

float fh_height(void) { return (float)flt.Y[0] - env.localh_cg; }
