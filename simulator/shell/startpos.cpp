// startpos.cpp -- start positions, the reset of the flight, identifier look-ups and window actions.
#include "startpos.h"

#include "atc.h"
#include "do_speech.h"
#include "fltprep.h"
#include "fltutil.h"
#include "genwrld.h"
#include "hl_drplane.h"
#include "hl_funct.h"
#include "hl_joy.h"
#include "hl_sound.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "initpln.h"
#include "integ.h"
#include "lso.h"
#include "output.h"

#include <cmath>
#include <cstdio>
#include <cstring>

const char* const TOW_PLANE_PATH = "planes/System Planes (don't move)/Husky/Husky.acf";
const char* const MOTHERSHIP_PATH =
    "planes/System Planes (don't move)/B-52H Stratofortress/B-52H Stratofortress.acf";

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float DEG = PI / 180.0f;
constexpr float NONE_YET = 9.9e9f;   // a distance no target is farther than

// Object types of buildings that carry a helipad.
constexpr int HELIPAD_OBJ_FIRST = 94, HELIPAD_OBJ_LAST = 96;

// ---- table look-ups and checks ----------------------------------------------------------------------

// Whole-degree sine and cosine from the foundation's tables.
int table_deg(int deg) { return ((deg % 360) + 360) % 360; }
float tsin(int deg) { return lookup_sin[table_deg(deg)]; }
float tcos(int deg) { return lookup_cos[table_deg(deg)]; }

// The airport has at least one runway of the table.
int airport_has_runway(int a)
{
    if (a < 0 || a > apt_wrl_max) return 0;
    return apt_lo_ind[a] >= 0 && apt_lo_ind[a] <= apt_hi_ind[a] && apt_hi_ind[a] <= rwy_wrl_max;
}

// Runway r is one of airport a's.
int runway_of_airport(int a, int r)
{
    return airport_has_runway(a) && r >= apt_lo_ind[a] && r <= apt_hi_ind[a];
}

// Point k (0..199) of object o's outline: its elements' corners in order.
const float* obj_point(int o, int k) { return obj_xyz[o][k / 4][k % 4]; }

// The region corner that puts a runway in the middle square of the region's lower row.
void region_around_runway(int r)
{
    env.lat_sou = round(rwy_lat[r] - 1.0f);
    env.lon_wes = round(rwy_lon[r] - 1.5f);
}

// ---- the start stages -------------------------------------------------------------------------------

// 1. The nearest runway of a surface (3 grass, 4 dirt, 5 gravel) in degrees from the aircraft
// becomes the start runway, and the region is loaded around it. With none, the last start
// runway is used.
void surface_takeoff(int surface)
{
    float best = NONE_YET;
    for (int a = 0; a <= apt_wrl_max; a++) {
        if (!airport_has_runway(a)) continue;
        for (int r = apt_lo_ind[a]; r <= apt_hi_ind[a]; r++) {
            if (rwy_num[r] == 99 || rwy_lite[r] / 1000000 != surface) continue;
            float d = pythag(rwy_lat[r] - flt.lat, rwy_lon[r] - flt.lon);
            if (d < best) {
                best = d;
                msc.loc_apt_wrl = a;
                msc.loc_rwy_wrl = r;
            }
        }
    }
    if (runway_of_airport(msc.loc_apt_wrl, msc.loc_rwy_wrl)) {
        region_around_runway(msc.loc_rwy_wrl);
        load_region(1);
    }
}

// 3. The tow plane or the mothership as the second aircraft. 0 when it cannot be loaded.
int load_system_plane(int code)
{
    int n = std::snprintf(pln[1].C_path, sizeof pln[1].C_path, "%s%s", app_path,
                          code == START_TOW ? TOW_PLANE_PATH : MOTHERSHIP_PATH);
    // A program folder too deep for the path is a missing aircraft, not a truncated load.
    if (n > 0 && n < (int)sizeof pln[1].C_path && load_plane(1)) return 1;
    MACIBM_alert("I can't find one of the planes in the 'System Planes (don't move)' folder",
                 "Make sure the following path exists:", pln[1].C_path,
                 "You may need to re-install the 'planes' folder inside the 'Vantrel' folder from the CD or latest download.",
                 ALERT_NOTICE);
    return 0;
}

// 3. The carriage under the mothership: the user's aircraft keeps its place, the frame driver
// flies the mothership with it.
void set_up_carriage(void)
{
    set.incarriage = 1;
    if (pln[0].numen > 0)
        MACIBM_alert("You should be flying a glider for this.",
                     "I highly recomend the X-15 in the Kestrovas folder, or some other high-speed glider for this.",
                     "I will let you go on ahead and try for a tow, but this seems sort of wacky to me.", "",
                     ALERT_NOTICE);
    for (int g = 0; g < 3; g++) pln[1].gear_stat[g] = 0;
}

// 3. The tow: the tow plane stands on the start runway 30 m inside its end, gear down, and the
// glider is then placed 10 m inside the same end, 20 m behind it and facing the same way.
void set_up_tow(void)
{
    set.tow_waiting = 1;
    if (pln[0].numen > 0)
        MACIBM_alert("You should be flying a glider for this.",
                     "I highly recomend the Schweizer 2-32 in the General Aviation folder, or some other glider for this.",
                     "I will let you go on ahead and try for a tow, but this seems sort of wacky to me.",
                     "The towplane pilot will cut the line if things get too funky while under tow.",
                     ALERT_NOTICE);
    for (int g = 0; g < 3; g++) pln[1].gear_stat[g] = 1;
    int a = msc.loc_apt_wrl, r = msc.loc_rwy_wrl;
    if (!runway_of_airport(a, r)) return;
    int h = rwy_hdng[r];
    float s = ((float)rwy_len[r] - 60.0f) * 0.5f;
    float side = msc.backwards ? -1.0f : 1.0f;   // the same end as the glider's
    flt.X[1] = X_with_latlon(rwy_lat[r], rwy_lon[r]) - side * s * tsin(h);
    flt.Z[1] = Z_with_lat(rwy_lat[r]) + side * s * tcos(h);
    flt.Y[1] = apt_h[a] + pln[1].h_eqlbm;
    flt.the[1] = pln[1].the_eqlbm;
    flt.psi[1] = fltwrap((float)h + (msc.backwards ? 180.0f : 0.0f), 0.0f, 360.0f);
    flt.phi[1] = 0.0f;
    flt.v[1] = 0.0f;
}

// 4. On the start runway: 10 m inside its end for a take-off, or out on a three-degree final.
void runway_start(int kind)
{
    const planestruct& pl = pln[0];
    if (kind == START_TAKEOFF && pl.gear_type == 1) kind = START_VISUAL_FINAL;
    int a = msc.loc_apt_wrl, r = msc.loc_rwy_wrl;
    if (!runway_of_airport(a, r)) return;   // no such runway: the aircraft stays where it is

    int h = rwy_hdng[r];
    float s = ((float)rwy_len[r] - 20.0f) * 0.5f;
    float dx = -s * tsin(h), dz = s * tcos(h), turn = 0.0f;
    if (msc.backwards) {
        dx = -dx;
        dz = -dz;
        turn = 180.0f;
    }
    flt.X[0] = X_with_latlon(rwy_lat[r], rwy_lon[r]) + dx;
    flt.Z[0] = Z_with_lat(rwy_lat[r]) + dz;
    flt.Y[0] = apt_h[a];
    flt.psi[0] = fltwrap((float)h + turn, 0.0f, 360.0f);
    msc.runwayview_X = (float)flt.X[0] + 2.0f;
    msc.runwayview_Y = (float)flt.Y[0] + 2.0f;
    msc.runwayview_Z = (float)flt.Z[0] + 2.0f;

    if (kind == START_TAKEOFF) {
        flt.Y[0] += pl.h_eqlbm;
        flt.the[0] = pl.the_eqlbm;
        flt.v[0] = 0.0f;
    } else {
        float D = (kind == START_ILS_FINAL ? 9.0f : 1.5f) * con.nmtomtrs;
        int p = (int)flt.psi[0];
        flt.X[0] -= D * tsin(p);
        flt.Z[0] += D * tcos(p);
        flt.Y[0] += D * std::sin(3.0f * DEG);
        flt.the[0] = 0.0f;
        flt.v[0] = 1.2f * msc.est_Vs;
    }
}

// 5. A custom start (situation file, map, navaid).
void custom_start(int code)
{
    flt.X[0] = set.cus_X;
    flt.Y[0] = set.cus_Y;
    flt.Z[0] = set.cus_Z;
    flt.psi[0] = set.cus_psi;
    flt.the[0] = 0.0f;
    flt.v[0] = set.cus_v;
    if (code == START_NAVAID && flt.v[0] < msc.est_Vs) flt.v[0] = msc.est_Vs;
}

// 6. A mile south of the nearest building with a helipad, heading north, 0.05 nm above its roof.
// Distances are measured from where the aircraft was. 0 when there is none.
int helipad_approach(void)
{
    double X0 = flt.X[0], Z0 = flt.Z[0];
    float best = NONE_YET;
    int found = -1;
    for (int o = 0; o < OBJ_MAX; o++) {
        if (obj_type[o] < HELIPAD_OBJ_FIRST || obj_type[o] > HELIPAD_OBJ_LAST) continue;
        float d = pythag((float)(X0 - obj_point(o, 0)[0]), (float)(Z0 - obj_point(o, 0)[2]));
        if (d < best) {
            best = d;
            found = o;
        }
    }
    if (found < 0) {
        MACIBM_alert("I can't find any buildings with helipads in the area!",
                     "Try going to New York, Chicago, Los Angeles or some other major city.",
                     "There are likely to be building-top helipads there.", "", ALERT_NOTICE);
        return 0;
    }
    flt.X[0] = obj_point(found, 0)[0];
    flt.Z[0] = obj_point(found, 0)[2] + con.nmtomtrs;
    flt.Y[0] = obj_point(found, 12)[1] + 0.05f * con.nmtomtrs;
    flt.psi[0] = 0.0f;
    flt.the[0] = 0.0f;
    flt.v[0] = 1.2f * msc.est_Vs;
    return 1;
}

// 8. The nearest cell holding the ship the code asks for, measured from where the aircraft was:
// an approach to it, or its catapult. 0 when there is none.
int ship_start(int code)
{
    double X0 = flt.X[0], Z0 = flt.Z[0];
    float best = NONE_YET;
    float cx = 0.0f, cy = 0.0f, cz = 0.0f;
    int found = 0;
    for (int i = 0; i < REGION_NI - 1; i++) {
        for (int j = 0; j < REGION_NJ - 1; j++) {
            int ok = (code == START_FRIGATE_APP && frig_on_poly[i][j]) ||
                     ((code == START_CARRIER_APP || code == START_CATAPULT) && carr_on_poly[i][j]) ||
                     (code == START_OILRIG_APP && oilr_on_poly[i][j]);
            if (!ok) continue;
            float x = 0.5f * (planexyz[i][j][0] + planexyz[i + 1][j + 1][0]);
            float y = 0.5f * (planexyz[i][j][1] + planexyz[i + 1][j + 1][1]);
            float z = 0.5f * (planexyz[i][j][2] + planexyz[i + 1][j + 1][2]);
            float d = pythag((float)(X0 - x), (float)(Z0 - z));
            if (d < best) {
                best = d;
                cx = x;
                cy = y;
                cz = z;
                found = 1;
            }
        }
    }
    if (!found) {
        MACIBM_alert("I can't find any ships in the area!", "Try going to a coastal area with some water!", "", "",
                     ALERT_NOTICE);
        return 0;
    }
    if (code == START_CATAPULT) {
        flt.X[0] = cx - 12.5f;
        flt.Z[0] = cz - 55.0f;
        flt.Y[0] = cy + pln[0].h_eqlbm + 21.0f;
        flt.psi[0] = 2.0f;
        flt.the[0] = 0.0f;
        flt.v[0] = 0.0f;
        set.cat_waiting = 1;
        return 1;
    }
    float r = pln[0].is_heli ? con.nmtomtrs : 90.0f * msc.est_Vs;
    int H = code == START_CARRIER_APP ? 352 : 355;
    float deck = code == START_CARRIER_APP ? 21.0f : (code == START_OILRIG_APP ? 62.0f : 7.0f);
    flt.X[0] = cx - r * tsin(H);
    flt.Z[0] = cz + r * tcos(H);
    flt.Y[0] = cy + deck + r * std::sin(3.5f * DEG);
    flt.psi[0] = (float)H;
    flt.the[0] = 0.0f;
    flt.v[0] = 1.2f * msc.est_Vs;
    return 1;
}

// 9. Upwind of the first burning fire of the region, turned across the wind. 0 when none burns.
int fire_approach(void)
{
    const float* sw = planexyz[0][0];
    const float* ne = planexyz[REGION_NI - 1][REGION_NJ - 1];
    int f = -1;
    for (int i = 0; i < 10 && f < 0; i++) {
        if (scn.fire_on[i] && fltbox(scn.firexyz[i][0], -scn.firexyz[i][2], sw[0], -sw[2], ne[0], -ne[2])) f = i;
    }
    if (f < 0) {
        MACIBM_alert("I can't find any forest fires in the area!",
                     "Try moving to a mountainous area, where fires are more likely!", "", "", ALERT_NOTICE);
        return 0;
    }
    float r = (pln[0].is_heli ? 1.0f : 3.0f) * con.nmtomtrs;
    float b = fltwrap(atm.wnddir1 + 120.0f, 0.0f, 360.0f) * DEG;
    flt.X[0] = scn.firexyz[f][0] + r * std::sin(b);
    flt.Z[0] = scn.firexyz[f][2] - r * std::cos(b);
    flt.Y[0] = scn.firexyz[f][1] + r * std::sin(7.0f * DEG);
    flt.psi[0] = fltwrap(atm.wnddir1 + 270.0f, 0.0f, 360.0f);
    flt.the[0] = 0.0f;
    flt.v[0] = 2.0f * msc.est_Vs;
    return 1;
}

// 10. 0.2 nm behind and 10 degrees to the side of the nearest other aircraft (measured from
// where the user's aircraft was), at its height, heading and speed.
void formation_start(void)
{
    double X0 = flt.X[0], Z0 = flt.Z[0];
    float best = NONE_YET;
    int lead = -1;
    for (int i = 2; i < 12; i++) {
        float d = pythag((float)(X0 - flt.X[i]), (float)(Z0 - flt.Z[i]));
        if (d < best) {
            best = d;
            lead = i;
        }
    }
    if (lead < 0) return;
    int g = intwrap((int)(flt.psi[lead] - 10.0f), 0, 359);
    float r = 0.2f * con.nmtomtrs;
    flt.X[0] = flt.X[lead] - r * tsin(g);
    flt.Z[0] = flt.Z[lead] + r * tcos(g);
    flt.Y[0] = flt.Y[lead];
    flt.psi[0] = flt.psi[lead];
    flt.the[0] = 0.0f;
    flt.v[0] = flt.v[lead];
}

// 11. On the last grid point (in scan order) whose 5 by 5 neighbourhood is all water.
int water_start(void)
{
    int fi = -1, fj = -1;
    for (int i = 40; i <= 137; i++) {
        for (int j = 40; j <= 118; j++) {
            int all = 1;
            for (int a = i - 2; a <= i + 2 && all; a++)
                for (int b = j - 2; b <= j + 2 && all; b++) all = on_water[a][b] != 0;
            if (all) {
                fi = i;
                fj = j;
            }
        }
    }
    if (fi < 0) {
        MACIBM_alert("I can't find any signifigant amount of water in this area!",
                     "Try going to a coastal region to guarantee that I can find some water to put your plane in.",
                     "", "", ALERT_NOTICE);
        return 0;
    }
    flt.X[0] = planexyz[fi][fj][0];
    flt.Z[0] = planexyz[fi][fj][2];
    flt.Y[0] = 0.0;
    flt.psi[0] = 0.0f;
    flt.the[0] = 0.0f;
    flt.v[0] = 0.1f;
    return 1;
}

// ---- the reset --------------------------------------------------------------------------------------

void repair_instruments(void)
{
    rel.vacuum = rel.ss_asi = rel.ss_ahz = rel.ss_alt = rel.ss_tsi = rel.ss_dgy = rel.ss_vvi = 1;
    rel.efis_1 = rel.efis_2 = rel.radios = 1;
}

void repair_equipment(void)
{
    for (int i = 0; i < 4; i++) rel.engine[i] = rel.thrgov[i] = rel.revlok[i] = rel.oilpmp[i] = 1;
    rel.fc_ail = rel.fc_elv = rel.fc_rud = rel.fc_flp = rel.fc_slt = rel.fc_thr = 1;
    for (int g = 0; g < 3; g++) rel.lagear[g] = 1;
    rel.esystem = rel.hydsys = rel.stbaug = rel.symflp = rel.sttrim = rel.antice = 1;
    rel.clights = rel.otto = rel.trotor = 1;
    // The working hydraulics give the controls their full power again.
    rel.hyd_rat = 1.0f;
    rel.oil_rat = 1.0f;
}

// Clears the flight state but for the lat/lon and every aircraft's position, attitude and speed.
void clear_flight_state(void)
{
    float lat = flt.lat, lon = flt.lon;
    double X[12], Y[12], Z[12];
    float the[12], psi[12], phi[12], v[12];
    std::memcpy(X, flt.X, sizeof X);
    std::memcpy(Y, flt.Y, sizeof Y);
    std::memcpy(Z, flt.Z, sizeof Z);
    std::memcpy(the, flt.the, sizeof the);
    std::memcpy(psi, flt.psi, sizeof psi);
    std::memcpy(phi, flt.phi, sizeof phi);
    std::memcpy(v, flt.v, sizeof v);
    flt = flightstruct{};
    atc = atcstruct{};
    fpl = flightplanstruct{};
    reset_atc();
    reset_lso();
    flt.lat = lat;
    flt.lon = lon;
    std::memcpy(flt.X, X, sizeof X);
    std::memcpy(flt.Y, Y, sizeof Y);
    std::memcpy(flt.Z, Z, sizeof Z);
    std::memcpy(flt.the, the, sizeof the);
    std::memcpy(flt.psi, psi, sizeof psi);
    std::memcpy(flt.phi, phi, sizeof phi);
    std::memcpy(flt.v, v, sizeof v);
}

// The ten fires lined up down the lowest wind from fire 0, scattered across it, on the ground.
void spread_fires(void)
{
    float a = (atm.wnddir1 - env.mvar + 90.0f) * DEG;
    float A[10] = {0.0f, 0.0f, 150.0f, 200.0f, 250.0f, 300.0f, 350.0f, 400.0f, 450.0f, 0.0f};
    float B[10] = {0.0f};
    A[1] = fltrand(-40.0f, 40.0f) + 50.0f;
    for (int i = 0; i < 9; i++) B[i] = fltrand(-40.0f, 40.0f);
    float x0 = scn.firexyz[0][0], z0 = scn.firexyz[0][2];
    for (int i = 1; i < 10; i++) {
        scn.firexyz[i][0] = x0 + A[i] * std::sin(a) - B[i] * std::cos(a);
        scn.firexyz[i][2] = z0 - A[i] * std::cos(a) + B[i] * std::sin(a);
    }
    int ci = env.i_aircraft, cj = env.j_aircraft;
    for (int i = 0; i < 10; i++) scn.firexyz[i][1] = find_local_h(scn.firexyz[i][0], scn.firexyz[i][2], &ci, &cj, 0);
}

// The camera distance the outside views keep: the farthest of the wing tips and the fuselage's ends.
void set_view_reach(void)
{
    const planestruct& pl = pln[0];
    scn.zoom = 1.0f;
    scn.planerad = fltmax4(std::fabs(get_wing_Xarm(5, pl.semilen[5], 0)), std::fabs(get_wing_Xarm(7, pl.semilen[7], 0)),
                           std::fabs(pl.body_Z[18][0][0]), std::fabs(pl.body_Z[18][10][0]));
    scn.dist = 2.0f * scn.planerad;
}

// 12. The clean state every start leaves behind.
void reset_flight(int code, int keep_pitch)
{
    const planestruct& pl = pln[0];
    if (!keep_pitch) flt.the[0] = 0.0f;
    flt.phi[0] = 0.0f;
    clear_flight_state();

    // Never below the aircraft's resting height over the ground (1000 m for a navaid start).
    env.localh_cg = find_local_h((float)flt.X[0], (float)flt.Z[0], &env.i_aircraft, &env.j_aircraft, 0);
    float floor = env.localh_cg + (code == START_NAVAID ? 1000.0f : pl.h_eqlbm);
    if (flt.Y[0] < floor) flt.Y[0] = floor;

    repair_instruments();
    repair_equipment();
    spread_fires();
    start_engines();

    if (pl.gear_retract) set.gear_handle = (flt.v[0] >= 1.0f || code == START_CARRIAGE) ? 0 : 1;
    else set.gear_handle = 1;
    for (int g = 0; g < 3; g++) pln[0].gear_stat[g] = set.gear_handle;
    set.thro_pot = 0;
    set.parkbrake = set.gear_handle ? 1.0f : 0.0f;

    set_view_reach();
    ins.jato_on = ins.chute_on = ins.hook_down = ins.antiice_on = 0;
    ins.EFIS_wxr = ins.EFIS_tcas = 1;
    ins.ecam_mode = 3;
    env.over_carr = env.over_frig = env.over_obs = 0;

    // Motion and the angle caches: moving along the heading, level, with no sideslip.
    int p = round(flt.psi[0]);
    flt.vX = tsin(p) * flt.v[0];
    flt.vZ = -tcos(p) * flt.v[0];
    set_euler_caches();
    flt.cosalph = flt.cosbeta = 1.0f;
    flt.hpath = flt.ahpath = flt.psi[0];
    flt.sinhpath = flt.sinahpath = flt.sinpsi;
    flt.coshpath = flt.cosahpath = flt.cospsi;
    flt.cosvpath = flt.cosavpath = 1.0f;
    flt.cosphi_path = 1.0f;
    flt.lat = (float)lat_with_z(flt.Z[0]);
    flt.lon = (float)lon_with_xz(flt.X[0], flt.Z[0]);

    // Half the fuel and half the spare useful load.
    flt.jatoleft = pl.jatodur;
    flt.m_fuel = 0.5f * pl.m_fuel;
    flt.m_jettison = 0.5f * pl.m_jettison;
    flt.m_fixed = fltlim(0.5f * (pl.m_max - pl.m_fuel - pl.m_jettison - pl.m_empty), 0.0f, 9.9e9f);

    if (pl.vectEQ) {
        float cant = flt.v[0] < 1.0f ? 90.0f : 0.0f;
        flt.vectrqst = cant;
        for (int i = 0; i < 4; i++) flt.vertcant[i] = pln[0].vertcant[i] = cant;
    }

    set.view_type = 500;
    set.ah_bar_adjust = 0.0f;
    set.fadec_on = set.eq_col == 0 ? 1 : 0;
    set.view_is_fullscreen = 0;
    msc.cntr = msc.cntr10 = 0;
    msc.init_time = 0.0f;
    ott.HDSLCT = ott.NAV[0] = ott.NAV[1] = ott.ALHOLD = ott.VVHOLD = ott.GS2 = ott.ASHOLD = 0;
    // Break the recorded path here, so a replay never joins the old flight to the new one.
    if (pat.cntr_record >= 0 && pat.cntr_record < PATH_POINTS) pat.inited[pat.cntr_record] = 0;

    JOY_force(12, 0, 0, 0);
    set_frq_vol(1.0f, 0.0f, 0.0f, 1.0f, SND_WIND);
    set_frq_vol(1.0f, 0.0f, 0.0f, 1.0f, SND_RAIN);
    set_frq_vol(1.0f, 0.0f, 0.0f, 1.0f, SND_ENGINE);
    play_engine_and_windrain();
}

}  // namespace

void set_fltvars(int code, int kind)
{
    if (code == START_GRASS || code == START_DIRT || code == START_GRAVEL) {
        surface_takeoff(code - START_GRASS + 3);
        code = START_RUNWAY;
        kind = START_TAKEOFF;
    }

    set.tow_waiting = set.tow_inprog = set.incarriage = 0;
    if (code == START_TOW || code == START_CARRIAGE) {
        if (!load_system_plane(code)) return;
        if (code == START_CARRIAGE) {
            set_up_carriage();
        } else {
            set_up_tow();
            code = START_RUNWAY;
            kind = START_TAKEOFF;
        }
    }

    int on_gear = 0;   // a take-off start keeps the resting pitch on its gear
    if (code == START_RUNWAY) {
        runway_start(kind);
        on_gear = kind == START_TAKEOFF && pln[0].gear_type != 1 && runway_of_airport(msc.loc_apt_wrl, msc.loc_rwy_wrl);
    }
    if (code == START_CUSTOM || code == START_NAVAID) custom_start(code);
    if (code == START_HELIPAD && !helipad_approach()) return;

    set.cat_waiting = set.cat_inprog = set.wired = 0;
    int ship = code == START_CARRIER_APP || code == START_OILRIG_APP || code == START_FRIGATE_APP ||
               code == START_CATAPULT;
    if (ship && !ship_start(code)) return;
    if (code == START_FIRE_APP && !fire_approach()) return;
    if (code == START_FORMATION) formation_start();
    if (code == START_WATER && !water_start()) return;

    reset_flight(code, on_gear);
}

int get_index_from_id(const char* id, int type, int* index)
{
    // The identifier's first four bytes; those after its end count as zero.
    char key[4] = {0, 0, 0, 0};
    for (int k = 0; k < 4 && id[k]; k++) key[k] = id[k];
    if (type == 1) {
        for (int i = 0; i <= apt_wrl_max; i++) {
            if (std::memcmp(apt_id[i], key, 4) == 0) {
                *index = i;
                return 1;
            }
        }
        return 0;
    }
    for (int i = 0; i <= nav_wrl_max && i < MAX_NAV; i++) {
        if (nav_type[i] == type && std::memcmp(nav_id[i], key, 4) == 0) {
            *index = i;
            return 1;
        }
    }
    return 0;
}

void set_up_env_with_request_latlon(void)
{
    const float lat = msc.req_lat, lon = msc.req_lon;
    float best = NONE_YET;
    int found = -1;
    for (int a = 0; a <= apt_wrl_max; a++) {
        if (!airport_has_runway(a)) continue;   // an airport without runways is no start
        int r = apt_lo_ind[a];
        float d = pythag(rwy_lat[r] - lat, rwy_lon[r] - lon);
        if (d < best) {
            best = d;
            found = a;
        }
    }
    if (found < 0) return;
    msc.loc_apt_wrl = found;
    msc.loc_rwy_wrl = apt_lo_ind[found];
    env.lat_sou = (int)(rwy_lat[msc.loc_rwy_wrl] - 1.0f);
    env.lon_wes = (int)(rwy_lon[msc.loc_rwy_wrl] - 1.5f);
    load_region(1);
    set_fltvars(START_RUNWAY, START_ILS_FINAL);
}

namespace {

// Window 1: the airport typed by identifier, for a take-off from its first runway.
void start_at_requested_airport(void)
{
    int a = -1;
    if (get_index_from_id(msc.apt_id_req, 1, &a) && airport_has_runway(a)) {
        msc.loc_apt_wrl = a;
        msc.loc_rwy_wrl = apt_lo_ind[a];
        region_around_runway(msc.loc_rwy_wrl);
        load_region(1);
        set_fltvars(START_RUNWAY, START_TAKEOFF);
        return;
    }
    mnw.topwin = 0;
    MACIBM_alert("I could not find an airport with this ID anywhere in the country!",
                 "Small airports (with a NUMBER for the first digit) are not simulated.",
                 "There are still over 6,100 airports simulated by Kestrova.", "", ALERT_NOTICE);
}

// Window 25: file the flight plan to the destination typed.
void file_flight_plan(void)
{
    char say[STR_LEN];
    say[0] = 0;
    start_command_string(say, 1);
    size_t used = std::strlen(say);
    if (get_index_from_id(fpl.arr_id_str, 1, &atc.plan_index)) {
        atc.ils_vec_in_progress = 0;
        if (fpl.activated) {
            std::snprintf(say + used, sizeof say - used, "%s", "flight plan amended as requested.");
            speakstring(say);
        } else {
            fpl.onfile = 1;
            fpl.activated = 0;
        }
        return;
    }
    std::snprintf(say + used, sizeof say - used, "%s",
                  "I am unable to find an airport with that identifier. You will need to file to an airport that I have in my computer.");
    speakstring(say);
}

}  // namespace

void process_zap(int window)
{
    switch (window) {
    case 1: start_at_requested_airport(); break;
    case 5: set_up_env_with_request_latlon(); break;
    case 7:
        set_rlt_grf_choices();
        clear_graph();
        break;
    case 12:
        for (int i = 0; i < REGION_NI; i++)
            for (int j = 0; j < REGION_NJ; j++) atm.therm_on_poly[i][j] = fltrand(0.0f, 0.99f) < atm.trml_prt ? 1 : 0;
        break;
    case 16:
        if (flt.m_total > pln[0].m_max) {
            mnw.topwin = 0;
            MACIBM_alert("Your total weight is above the maximum allowable weight for the airplane!",
                         "You will be breaking several Federal Aviation Regulations by flying this thing!",
                         "You SHOULD reduce your fuel or fixed load.", "", ALERT_NOTICE);
        }
        break;
    case 18: repair_instruments(); break;
    case 19:
        repair_equipment();
        for (int g = 0; g < 3; g++) set.gear_time[g] = 0.0f;
        break;
    case 20:
        stop_engine_and_windrain();
        play_engine_and_windrain();
        break;
    case 25: file_flight_plan(); break;
    default: break;
    }
}
