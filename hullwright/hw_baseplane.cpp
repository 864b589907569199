// hw_baseplane.cpp -- the fresh aircraft that New starts from: a four-seat trainer with a fixed-
// pitch propeller, tricycle gear and flaps, or a light turbine helicopter on skids. Both are whole
// aircraft that the simulator loads and flies as they stand.
//
// Units are the aircraft file's: feet, pounds, horsepower, rpm, knots, degrees. Axes: x to the
// right, y up from the ground under the aircraft at rest, z aft from the front of the cabin.
#include "hullwright.h"

#include "hl_design.h"
#include "hl_funct.h"
#include "hl_model.h"
#include "hl_string.h"
#include "hl_types.h"

#include <cstdio>
#include <cstring>

namespace {

// A body section from the station's z, half-width, top and bottom.
struct section {
    float z, hw, top, bottom;
};

template <size_t N>
void body(planestruct& pl, int b, const section (&s)[N])
{
    const int n = b >= BODY_FAIRING ? 8 : 16;
    for (size_t i = 0; i < N; i++)
        elliptic_section(pl.body_X[b][i], pl.body_Y[b][i], pl.body_Z[b][i], n, s[i].z, s[i].hw, s[i].top, s[i].bottom);
}

// One lifting part: elements, span and chords, root position, sweep and dihedral, and the
// incidence of each element.
void lifting(planestruct& pl, int p, int els, float semilen, float croot, float ctip, float x, float y, float z,
             float sweep, float dihed, const float* inc)
{
    pl.els[p] = els;
    pl.semilen[p] = semilen;
    pl.Croot[p] = croot;
    pl.Ctip[p] = ctip;
    pl.Xarm[p] = x;
    pl.Yarm[p] = y;
    pl.Zarm[p] = z;
    pl.sweep1[p] = pl.sweep2[p] = pl.sweepnow[p] = sweep;
    pl.dihed[p] = dihed;
    for (int e = 0; e < els; e++) pl.anginc[p][e] = inc[e];
}

void panel(planestruct& pl, int turn_needle, const int (&places)[9])
{
    pl.paneltype = 1;     // round gauges
    pl.radiotype = 1;
    pl.AStype = 1;        // linear airspeed dial
    pl.supptype = 1;      // VOR and glide slope
    pl.HUDtype = 1;       // none
    pl.VVItype = 1;       // +-2000 ft/min
    pl.TStype = turn_needle ? 2 : 1;
    pl.ADFtype = 1;
    for (int k = 0; k < 9; k++) {
        pl.ins_of_loc[k] = places[k];
        pl.has_ins[k] = places[k] != 0;
    }
}

void airplane(planestruct& pl)
{
    pl.asi_units = 2;   // knots
    pl.Vso = 40;
    pl.Vs = 48;
    pl.Vfe = 85;
    pl.Vno = 125;
    pl.Vne = 160;
    pl.peX = -0.9f;
    pl.peY = 5.8f;
    pl.peZ = 3.4f;
    panel(pl, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8});

    // One carburetted engine of 160 hp driving a two-bladed fixed-pitch propeller of 75 in.
    pl.numen = 1;
    pl.entype = 1;
    pl.pmax = 160;
    pl.gearrat = 1;
    pl.critalt = 0;
    pl.mpmax = 29.9f;
    pl.omegamin = 600;
    pl.omegamax = 2400;
    pl.omegamingreen = 1900;
    pl.omegamaxgreen = 2400;
    pl.sfc = 0.45f;
    for (int e = 0; e < 4; e++) {
        pl.numblades[e] = 2;
        pl.semilen[e] = 3.125f;
        pl.Croot[e] = 0.46f;
        pl.Ctip[e] = 0.30f;
        pl.els[e] = 5;
        pl.des_rpm[e] = 2400;
        pl.des_vel[e] = 140;
        design_prop(e, 0, 0.0f, nullptr);
    }
    pl.Yarm[0] = 4.07f;
    pl.Zarm[0] = -2.9f;

    // A straight wing of 36 ft span with flaps inboard and ailerons outboard, washed out 1.5 deg.
    static const float wing_inc[6] = {1.5f, 1.2f, 0.9f, 0.6f, 0.3f, 0.0f};
    lifting(pl, 5, 6, 17.5f, 5.375f, 4.3f, 0.0f, 6.7f, 3.5f, 0.0f, 1.73f, wing_inc);
    for (int e = 0; e < 6; e++) {
        pl.flap[5][e] = e < 3;
        pl.ailn[5][e] = e >= 3;
    }
    static const float tail_inc[3] = {-1.5f, -1.5f, -1.5f};
    lifting(pl, 11, 3, 5.67f, 3.6f, 2.4f, 0.0f, 3.7f, 20.0f, 7.0f, 0.0f, tail_inc);
    static const float fin_inc[3] = {0.0f, 0.0f, 0.0f};
    lifting(pl, 12, 3, 5.0f, 5.0f, 2.8f, 0.0f, 4.3f, 19.25f, 32.0f, 90.0f, fin_inc);
    for (int e = 0; e < 3; e++) {
        pl.elev[11][e] = 1;
        pl.rudd[12][e] = 1;
    }
    copy_foil(&pl, 5, 4);
    copy_foil(&pl, 11, 10);

    pl.ailn_crat = 0.25f;
    pl.ailn_up = 20;
    pl.ailn_dn = 15;
    pl.elev_crat = 0.38f;
    pl.elev_up = 28;
    pl.elev_dn = 23;
    pl.rudd_crat = 0.38f;
    pl.rudd_def = 16;
    pl.con_smooth = 3;

    // Fuselage of 27 ft, the propeller's wash over it.
    pl.fusewash = 1;
    pl.fuse_cd = 0.22f;
    static const section fuse[11] = {
        {-3.45f, 0.05f, 4.12f, 4.02f}, {-2.60f, 1.35f, 4.95f, 3.15f}, {0.00f, 1.80f, 5.50f, 2.55f},
        {1.60f, 1.90f, 6.60f, 2.40f},  {3.20f, 1.92f, 7.10f, 2.35f},  {5.60f, 1.85f, 7.05f, 2.50f},
        {8.20f, 1.55f, 6.50f, 2.85f},  {11.20f, 1.10f, 5.50f, 3.10f}, {15.00f, 0.80f, 4.80f, 3.30f},
        {19.00f, 0.50f, 4.40f, 3.50f}, {23.10f, 0.15f, 4.15f, 3.80f},
    };
    body(pl, BODY_FUSELAGE, fuse);
    // Fairings round each wheel, about the tyre's contact point.
    pl.fair_eq = 1;
    static const section fairing[7] = {
        {-0.95f, 0.05f, 0.75f, 0.65f}, {-0.70f, 0.22f, 1.05f, 0.25f}, {-0.30f, 0.30f, 1.25f, 0.12f},
        {0.10f, 0.30f, 1.30f, 0.12f},  {0.50f, 0.27f, 1.20f, 0.18f},  {0.85f, 0.18f, 1.05f, 0.35f},
        {1.10f, 0.04f, 0.85f, 0.65f},
    };
    body(pl, BODY_FAIRING, fairing);
    copy_body(&pl, BODY_FAIRING, 26);
    copy_body(&pl, BODY_FAIRING, 27);
    // Not fitted, but shaped, so that switching them on shows them at the fuselage's scale: a
    // cowl round each engine's thrust line, 7 ft long and 3 1/2 ft across, whose front stands out
    // of the nose round the single engine; and a 50-gallon tank on each wing tip.
    static const section nacelle[7] = {
        {0.30f, 0.60f, 0.60f, -0.60f}, {0.60f, 1.45f, 1.45f, -1.45f}, {1.20f, 1.75f, 1.75f, -1.75f},
        {2.40f, 1.75f, 1.75f, -1.75f}, {3.80f, 1.45f, 1.45f, -1.45f}, {5.40f, 0.90f, 0.90f, -0.90f},
        {7.00f, 0.15f, 0.15f, -0.15f},
    };
    body(pl, BODY_NACELLE, nacelle);
    pl.misc_X = 17.5f;
    pl.misc_Y = 7.2f;
    pl.misc_Z = 4.6f;
    static const section tank[7] = {
        {-3.60f, 0.05f, 0.05f, -0.05f}, {-3.00f, 0.45f, 0.45f, -0.45f}, {-2.00f, 0.65f, 0.65f, -0.65f},
        {0.00f, 0.70f, 0.70f, -0.70f},  {1.50f, 0.65f, 0.65f, -0.65f},  {2.80f, 0.45f, 0.45f, -0.45f},
        {3.60f, 0.05f, 0.05f, -0.05f},
    };
    body(pl, BODY_MISC, tank);

    pl.m_empty = 1640;
    pl.m_max = 2450;
    pl.m_fuel = 318;
    pl.cgZ = 3.5f;
    pl.cgY = 4.1f;

    // Fixed tricycle gear, the nose wheel steered through the pedals.
    pl.gear_type = 3;
    pl.nwsteer = 10;
    pl.ngearZ = -0.567f;
    pl.ngearY = 0.0f;
    pl.mgearZ = 4.8f;
    pl.mgearX = 4.15f;
    pl.mgearY = 0.0f;
    pl.ngearZ_att = -0.6f;
    pl.ngearY_att = 1.9f;
    pl.mgearZ_att = 4.2f;
    pl.mgearX_att = 1.7f;
    pl.mgearY_att = 2.4f;
    pl.wheelrad = 0.7f;
}

void helicopter(planestruct& pl)
{
    pl.asi_units = 2;
    pl.Vso = 10;
    pl.Vne = 130;
    pl.peX = 1.4f;
    pl.peY = 5.6f;
    pl.peZ = 3.3f;
    panel(pl, 1, {0, 1, 2, 3, 0, 5, 6, 7, 0});

    // One turboshaft of 317 shp, geared down to a two-bladed main rotor of 33 ft 4 in.
    pl.numen = 1;
    pl.entype = 3;
    pl.pmax = 317;
    pl.gearrat = 15.27f;
    pl.critalt = 0;
    pl.omegamin = 3600;
    pl.omegamax = 6016;
    pl.omegamingreen = 5836;
    pl.omegamaxgreen = 6016;
    pl.sfc = 0.70f;
    pl.trotor_rat = 6.47f;
    pl.elevcyclic = 10;
    pl.ailncyclic = 8;

    // Main rotor: the disc tilted 5 deg forward with the mast, -10 deg of twist.
    static const float main_inc[6] = {6.67f, 5.0f, 3.33f, 1.67f, 0.0f, -1.67f};
    lifting(pl, 0, 6, 16.667f, 1.083f, 1.083f, 0.0f, 9.3f, 9.8f, 0.0f, 0.0f, main_inc);
    pl.numblades[0] = 2;
    pl.vertcant[0] = 85;
    pl.minpitch[0] = 0;
    pl.maxpitch[0] = 16;
    // Tail rotor on the left of the fin, its thrust pushing the tail to the right.
    static const float tail_rotor_inc[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    lifting(pl, 1, 4, 2.708f, 0.44f, 0.44f, -0.9f, 6.5f, 30.5f, 0.0f, 0.0f, tail_rotor_inc);
    pl.numblades[1] = 2;
    pl.sidecant[1] = 90;
    pl.minpitch[1] = -9;
    pl.maxpitch[1] = 22;

    static const float stab_inc[2] = {-3.0f, -3.0f};
    lifting(pl, 11, 2, 3.3f, 1.45f, 1.35f, 0.0f, 5.3f, 22.0f, 0.0f, 0.0f, stab_inc);
    copy_foil(&pl, 11, 10);
    static const float fin_inc[2] = {0.0f, 0.0f};
    lifting(pl, 12, 2, 3.4f, 2.5f, 1.5f, 0.0f, 5.8f, 29.6f, 40.0f, 90.0f, fin_inc);

    // Cabin, engine deck and tail boom, 31 ft.
    pl.fusewash = 0;
    pl.fuse_cd = 0.45f;
    static const section fuse[11] = {
        {0.0f, 0.10f, 3.60f, 3.40f},  {1.0f, 1.70f, 5.80f, 2.20f},  {3.0f, 2.20f, 7.00f, 1.90f},
        {6.0f, 2.30f, 7.20f, 1.90f},  {9.0f, 2.20f, 7.60f, 2.10f},  {12.0f, 1.60f, 7.00f, 3.40f},
        {14.0f, 0.80f, 6.20f, 4.40f}, {18.0f, 0.65f, 5.90f, 4.60f}, {23.0f, 0.55f, 5.80f, 4.80f},
        {28.0f, 0.45f, 5.80f, 4.90f}, {31.2f, 0.30f, 5.70f, 5.00f},
    };
    body(pl, BODY_FUSELAGE, fuse);
    // Not fitted, but shaped: a fairing round the rotor mast, standing out of the cabin roof below
    // the hub, and an emergency float along each skid.
    static const section mast[7] = {
        {-2.00f, 0.05f, -1.60f, -1.80f}, {-1.50f, 0.60f, -0.90f, -2.40f}, {-0.60f, 0.85f, -0.70f, -2.40f},
        {0.50f, 0.90f, -0.70f, -2.40f},  {1.60f, 0.80f, -0.80f, -2.40f},  {2.60f, 0.50f, -1.00f, -2.30f},
        {3.40f, 0.05f, -1.60f, -2.00f},
    };
    body(pl, BODY_NACELLE, mast);
    pl.misc_X = 3.2f;
    pl.misc_Y = 0.8f;
    pl.misc_Z = 8.75f;
    static const section float_bag[7] = {
        {-4.50f, 0.05f, 0.05f, -0.05f}, {-3.80f, 0.40f, 0.40f, -0.40f}, {-2.50f, 0.55f, 0.55f, -0.55f},
        {0.00f, 0.60f, 0.60f, -0.60f},  {2.50f, 0.55f, 0.55f, -0.55f},  {3.80f, 0.40f, 0.40f, -0.40f},
        {4.50f, 0.05f, 0.05f, -0.05f},
    };
    body(pl, BODY_MISC, float_bag);

    pl.m_empty = 1700;
    pl.m_max = 3200;
    pl.m_fuel = 610;
    pl.cgZ = 9.6f;
    pl.cgY = 4.6f;

    pl.gear_type = 2;   // skids
    pl.skidX = 3.2f;
    pl.skidY = 0.0f;
    pl.skidZ = 4.5f;
    pl.skidl = 8.5f;
}

}  // namespace

void setup_baseplane(const char* name)
{
    const int heli = pln[0].is_heli != 0;
    std::memset(&pln[0], 0, sizeof pln[0]);
    std::memset(&pln[1], 0, sizeof pln[1]);
    planestruct& pl = pln[0];
    pl.is_heli = heli;
    hw_set_names(name, name);

    // "N", three digits and two capitals, drawn over the identifier codes.
    pl.tailnum[0] = 'N';
    for (int i = 1; i <= 3; i++) pl.tailnum[i] = code_to_char(intrand(1, 10));
    for (int i = 4; i <= 5; i++) pl.tailnum[i] = code_to_char(intrand(11, 36));
    pl.tailnum[6] = 0;

    if (heli) helicopter(pl);
    else airplane(pl);
    for (int p = 0; p < 18; p++) {
        const char* foil = default_foil(p);
        hw_set_text(pl.Rafl0[p], foil);
        hw_set_text(pl.Rafl1[p], foil);
        hw_set_text(pl.Tafl0[p], foil);
        hw_set_text(pl.Tafl1[p], foil);
    }
    hw_set_text(pl.flap_str, FLAP_PLAIN);
    // The repeated bodies as the editor keeps them.
    for (int b = 20; b <= 22; b++) copy_body(&pl, BODY_NACELLE, b);
    copy_body(&pl, BODY_MISC, 24);
    if (pl.gear_type >= 2)
        for (int k = 0; k < 3; k++) pl.gear_stat[k] = 1;

    hmsc.planemod = 0;
    hmsc.planenamed = 0;
    assign_all_thicknesses();
    load_plane_geo(1, 0, 0);
}
