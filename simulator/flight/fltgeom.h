// fltgeom.h -- what the per-sub-step flight code needs from the user's aircraft that changes only
// when the aircraft is loaded: element positions, dihedral sines, which airfoil look-ups repeat,
// the lowest points of the bodies. Refreshed by flt_prepare() after every load of aircraft 0.
#pragma once

struct fltgeomstruct {
    // Lifting parts and blades, per part and element.
    float el_r[28][8];             // m, span position of the element's centre
    float el_x[28][8], el_y[28][8], el_z[28][8];   // m, the centre's position from the CG
    float span_frac[28][8];        // (e + 0.5) / els: where the element sits from root to tip
    float sin_dihed[28], cos_dihed[28];
    float sin_inc[28][8], cos_inc[28][8];   // each element's incidence (anginc)
    float side[28];                // -1 left-hand parts (4, 6, 8, 10), else +1
    int els[28];                   // element count, 0..8
    // Which of the four airfoil look-ups of a part repeat an earlier one (same file name):
    // [0] tip-low = root-low, [1] root-high = root-low, [2] tip-high = tip-low.
    int same_foil[28][3];
    int single_foil[28];           // all four look-ups read the same file
    int single_re[28][2];
    int wash_props[28][8];         // bit k: propeller k's slipstream can reach the element (in_propwash)          // root / tip: both Reynolds numbers read the same file
    float cdi_factor[28];          // 1 / (e pi AR): induced drag per cl^2
    float tip[28][3];              // m, x y z of each lifting part's tip (the scrape point)
    // Bodies 18..24: per station the index of the lowest point and of the three lowest points.
    int low_point[28][18];
    int low3[28][18][3];
    int stations[28];              // stations of each body (0 for parts that are not bodies)
    int points[28];                // points per station
    float body_os[28][3];          // m, the body's reference point (its outline is measured from it)
    float body_low[28][18][3];     // m, x y z of each station's lowest point, reference point added
    float float_at[28][18][3][3];  // m, x y z of each station's three lowest points, reference point added
    float float_patch[28][18][3][3];   // m, the patch of hull each of them stands for (float_patch)
    float float_box[28][2][3];     // m, least and greatest x y z of each body's float_at points
    // Downwash: for each element of the wings and stabilisers (parts 4..11) the parts whose wake
    // it lies in, in ascending order.
    int dw_count[28][8];
    int dw_source[28][8][8];
    int dw_elems;                  // how many elements lie in a wake at all
    int dw_elem[64];               // and which: part * 8 + element
    // Engines: the density ratio a supercharger adds, holding sea-level power to the critical height.
    float boost;
    // Fuselage: its wave drag coefficient past Mach 1 on its frontal area A, as the least a body of
    // its length l and greatest cross-section meets (the Sears-Haack body's, 4.5 pi A / l^2).
    float fuse_wave_cd;
};

extern fltgeomstruct fgeo;

// Refreshes fgeo from pln[0]; load_plane calls it for the user's aircraft.
void flt_prepare(void);
