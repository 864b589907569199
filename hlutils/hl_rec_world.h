// hl_rec_world.h -- the world around the aircraft: weather `atm`, surroundings `env`, drawing `scn`.
#pragma once
#include <cstdint>

// The weather. Cleared at start-up; set by the preferences, the weather windows and the reports.
struct atmospherestruct {
    float temp_SL;    // sea-level temperature, degrees F
    int32_t use_realwxr;  // the weather follows the reports of "WORLD.RWX" (a preference)
    int32_t has_realwxr;  // "WORLD.RWX" opened at the last look

    // Air at the aircraft and the density table it comes from.
    float hr[22][2];          // rows of height (m) and density (kg/m^3), rising heights
    float baro;               // inches of mercury, sea-level pressure
    float rho;                // kg/m^3, density at the aircraft
    float crtsig;             // density ratio rho / rhoSL
    float T;                  // K, temperature at the aircraft
    float a;                  // m/s, speed of sound at the aircraft
    float g;                  // m/s^2, gravity at the aircraft's height
    float wind_X, wind_Y, wind_Z;   // m/s, wind at the aircraft, world frame
    // Waves on open water.
    float wave_amp;           // m, crest to trough
    float wave_length;        // m
    float wave_speed;         // m/s
    float wave_dir;           // degrees, the direction the waves travel toward
    float rway_fric_rat;      // 0.4..1, runway friction (1 clean and dry)
    // The two wind layers (ground and aloft): direction (degrees, from), speed (knots), shear
    // direction (degrees), shear speed (knots), turbulence; and the severity they were drawn with.
    float wnddir1, wndspd1, shrdir1, shrspd1, trblnc1;
    float wnddir2, wndspd2, shrdir2, shrspd2, trblnc2;
    float wind_tbl;           // 1..5, wind severity
    float rain_tstm;          // 1..5, storm level (above 1 rain, from 3 thunderstorms)
    float prec_rat;           // 0..1, precipitation rate on the windscreen

    // The user's weather settings (preferences, situation files, the weather windows).
    float burst_prob;         // 1..5, microburst likelihood
    int32_t cld_type;         // 1 clear, 2 scattered, 3 broken, 4 overcast
    float topsMSL, baseMSL;   // m, cloud tops and bases above sea level
    float vis_rep;            // m, reported visibility
    float vis_mult;           // visibility factor applied to vis_rep (1 at start)
    float altwxr2;            // m, height of the upper wind layer
    float rate_change;        // how fast the weather drifts, 0 steady
    int32_t meteorite_code;   // 1..4 light .. severe meteor showers
    float trml_prt;           // 0..1, share of the cells with a thermal
    float trml_vvi;           // m/s, thermal climb rate
    int32_t therm_on_poly[178][159];   // per cell of the region grid: a thermal rises there

    // Weather around the aircraft, kept by the event updates.
    float baseAGL;            // m, cloud base above the ground under the aircraft
    float level;              // storm intensity around the aircraft, 0 none
    int32_t inshear;          // a wind shear is blowing
    float wxr[631][421];      // weather intensity 0..1, 210 cells per degree, [west to east][north to south]
    float lightXYZ[4][20][3]; // m, four lightning bolts of 20 points (x east, height, z south)
    float strike_stop_time;   // s of elapsed time, the present lightning strike ends
    float vis_eff;            // m, visibility of the outside view this frame (where the fog closes)
};

// The aircraft's surroundings. Cleared at start-up; refreshed by the region loader and each frame.
struct environmentstruct {
    float dx, dz;     // the region's size east and south, m
    int32_t over_carr;   // the aircraft is over the carrier's deck (set while the view is drawn)
    int32_t over_frig;   // over the frigate's deck
    int32_t over_obs;    // over an obstacle whose top is obj_height
    float obj_height;    // m
    // The region's frame: south-west corner in whole degrees and its edges in metres.
    int32_t lat_sou, lon_wes;
    float lox, hix;           // m, X of the western and eastern edges
    float loz, hiz;           // m, Z of the northern and southern edges (hiz is the south)
    float lonwes_ref[3][2];   // degrees, per tile [column 0..2 west to east][row 0..1 south to north]
    float planex_ref[3][2];   // m, the X at that tile's reference longitude
    // What is under the aircraft.
    float localh_cg;          // m, ground height under the centre of gravity
    int32_t i_aircraft, j_aircraft;   // the grid cell under the aircraft
    int32_t surf_type;        // texture number of the surface under the aircraft (62..67)
    float mvar;               // degrees, magnetic variation (west positive)
    // Deck motion of the ships, degrees and degrees per second.
    float carr_the, carr_phi, carr_the_dot, carr_phi_dot;
    float frig_the, frig_phi, frig_the_dot, frig_phi_dot;
    // The loaded region: its lowest and highest ground (m; min_h no higher than 0), and the grid
    // cell under the viewpoint.
    float min_h, max_h;
    int32_t i_viewpoint, j_viewpoint;
    // The map windows' view: the zoom factor (at least 1), the region point (m) at the map's left
    // and bottom edges, and the approach profile's horizontal offset (m) on the airport chart.
    float zoom_rat;
    float os_X_plan, os_Z_plan;
    float os_X_gs;
};

// What the outside view draws. Cleared at start-up.
struct scenerystruct {
    int32_t abovetops;        // the viewpoint is above the cloud tops
    int32_t belowbases;       // the viewpoint is below the cloud bases
    float rb_cycle;           // radians 0..2 pi, phase of the rotating beacons
    int32_t fire_on[10];      // the forest fires burning
    float firexyz[10][3];     // m, where they burn (x east, height, z south)
    float zoom;               // 1..100, view zoom
    float planerad;           // m, the aircraft's largest reach from its centre of gravity
    float dist;               // m, distance of the outside cameras from the aircraft

    // The camera of this frame: pitch, heading and roll (degrees) of the view; its position is
    // con.VIEW_xyz.
    float the, psi, phi;
    int32_t city_lites_on;    // night: city and building lights shown
    int32_t rway_lites_on;    // night or low visibility: runway lights shown
    // The cells of the region grid worth drawing (first index i1..i2, second j1..j2, inclusive) and
    // of the cloud grid (columns i1..i2 inclusive, rows j1 up to but not including j2).
    int32_t i1_plot_bound_ter, i2_plot_bound_ter, j1_plot_bound_ter, j2_plot_bound_ter;
    int32_t i1_plot_bound_cld, i2_plot_bound_cld, j1_plot_bound_cld, j2_plot_bound_cld;
};

// The world databases: airports, runways, navaids and fixes of "apt.dat", "nav.dat" and "fix.dat".
// Filled once at start-up and never grown; cleared (empty) at start-up. Elevations, runway lengths
// and widths are metres in memory (feet in the files); positions are degrees, headings whole
// degrees true.
constexpr int MAX_APT = 12000;
constexpr int MAX_RWY = 16000;
constexpr int MAX_NAV = 20000;    // slots 0 and 1 are the carrier's; the file fills from slot 2
constexpr int MAX_FIX = 34000;    // the slot after the last fix holds the end mark, 99
constexpr int APT_ID_LEN = 5;     // 4 characters, blank-padded, and the end
constexpr int APT_NAME_LEN = 40;
constexpr int FIX_NAME_LEN = 6;

extern int32_t apt_wrl_max, rwy_wrl_max, nav_wrl_max;   // highest used index; -1, -1 and 1 when empty
extern float apt_h[MAX_APT];                 // elevation, m
extern int32_t apt_twr[MAX_APT];             // the airport has a tower
extern int32_t apt_bld[MAX_APT];             // the airport has buildings
extern char apt_id[MAX_APT][APT_ID_LEN];
extern char apt_name[MAX_APT][APT_NAME_LEN];
extern int32_t apt_lo_ind[MAX_APT];          // first runway of the airport
extern int32_t apt_hi_ind[MAX_APT];          // last runway of the airport
extern int32_t apt_inreg[MAX_APT];           // the airport lies in the loaded region
extern float rwy_lat[MAX_RWY], rwy_lon[MAX_RWY];   // runway centre, degrees
extern int32_t rwy_num[MAX_RWY];            // 1..36, 99 a strip without markings
extern char rwy_lcr[MAX_RWY];                // side letter L, C, R, or none
extern int32_t rwy_hdng[MAX_RWY];            // true heading of the numbered end, degrees
extern int32_t rwy_len[MAX_RWY], rwy_width[MAX_RWY];   // m
extern int32_t rwy_lite[MAX_RWY];            // lights code: surface and both ends' lights
extern int32_t nav_type[MAX_NAV];            // 2 NDB, 3 VOR, 4 and 5 localizers, 6 glide slope, 7..9 markers
extern int32_t nav_frq[MAX_NAV];             // kHz for an NDB, else 10 kHz steps (11360 = 113.60 MHz)
extern int32_t nav_hdng[MAX_NAV];            // course of a localizer, glide slope or marker, degrees true
extern float nav_lat[MAX_NAV], nav_lon[MAX_NAV];
extern float nav_h[MAX_NAV];                 // m
extern char nav_id[MAX_NAV][APT_ID_LEN];
extern char nav_name[MAX_NAV][APT_NAME_LEN];
extern int32_t nav_inreg[MAX_NAV];           // the navaid lies in the loaded region
extern float fix_lat[MAX_FIX], fix_lon[MAX_FIX];   // -999 in unused slots
extern char fix_name[MAX_FIX][FIX_NAME_LEN];

// The region grids: 3 by 2 one-degree squares, first index i = column west to east, second j = row
// south to north. Cleared at start-up; filled by the region loader.
constexpr int REGION_NI = 178;
constexpr int REGION_NJ = 159;
static_assert(sizeof(atmospherestruct::therm_on_poly) == sizeof(int32_t) * REGION_NI * REGION_NJ);
extern float planexyz[REGION_NI][REGION_NJ][3];          // x east, height, z south, m
extern uint32_t planetex[REGION_NI][REGION_NJ];          // texture number of the cell whose south-west point is [i][j]
// Per cell, the texture coordinates of its four corners, [corner i offset][corner j offset][s, t]:
// in the stored order s0 t0 (point i, j), s1 t1 (i, j+1), s2 t2 (i+1, j), s3 t3 (i+1, j+1).
extern float planest[REGION_NI][REGION_NJ][2][2][2];
extern int32_t on_water[REGION_NI][REGION_NJ];           // cell flags
extern int32_t city_on_poly[REGION_NI][REGION_NJ];
extern float planenrml[REGION_NI][REGION_NJ][3];         // unit normal at each grid point
extern int32_t tree_on_poly[REGION_NI][REGION_NJ];       // the cell has trees
extern int32_t frig_on_poly[REGION_NI][REGION_NJ];       // the cell holds the frigate
extern int32_t carr_on_poly[REGION_NI][REGION_NJ];       // the aircraft carrier
extern int32_t oilr_on_poly[REGION_NI][REGION_NJ];       // the oil rig
extern float city_xyz[REGION_NI][REGION_NJ][2][5][3];    // per triangle half, 5 city lights (m)
extern float tree_xyz[REGION_NI][REGION_NJ][2][4][3];    // per triangle half, 4 trees (m)

// The cloud layer's sheet: 5 by 4 sectors of 16 cells reaching one sector beyond the region on every
// side, first index west to east, second south to north. Points are x east, y relative to the
// cloud tops, z south (m); each has a shade (r, g, b). Cleared at start-up.
constexpr int CLOUD_NI = 81;
constexpr int CLOUD_NJ = 65;
extern float cloudxyz[CLOUD_NI][CLOUD_NJ][3];
extern float cloudrgb[CLOUD_NI][CLOUD_NJ][3];

// The objects of the region: slots 0..459 airport buildings (local airport a in 5a..5a+4),
// 460..2999 the scenery squares' objects, handed out round-robin by obj_slot. Type 0 is an empty
// slot. Cleared at start-up; refilled by the region loader.
constexpr int OBJ_MAX = 3000;
constexpr int OBJ_FIRST_SCENERY = 460;
extern int32_t obj_type[OBJ_MAX];
extern float obj_xyz[OBJ_MAX][50][4][3];   // per element, 4 corners, x east, y up, z south (m)
extern int32_t obj_slot;                   // the last scenery slot handed out
// Per element of a slot: its unit normal; its vertex count 1..4 and its texture 1000 + k or colour
// red * 10000 + green * 100 + blue (each 0..99), both for custom objects (type 100 + elements) only.
constexpr int OBJ_ELEMENTS = 50;
extern float obj_nrml[OBJ_MAX][OBJ_ELEMENTS][3];
extern int32_t obj_poltyp[OBJ_MAX][OBJ_ELEMENTS];
extern int32_t obj_texrgb[OBJ_MAX][OBJ_ELEMENTS];
// The custom objects' textures, shared by all of them for the whole run: name k is loaded once as
// texture 1000 + k. Cleared at start-up only.
constexpr int OBJTEX_MAX = 100;
constexpr int OBJTEX_NAME_LEN = 40;
extern char objtex_name[OBJTEX_MAX][OBJTEX_NAME_LEN + 1];
extern int32_t current_tex_numb;           // textures loaded so far

// The region's local lists, rebuilt by every region load. Rows of airports, VORs and NDBs run
// 0..91; the *_lcl_num counts say how many rows are real (apt_lcl_max is kept within 0..91 even
// when the region has no airport, so loops go by the counts). Until the first region is loaded
// apt_lcl_max is -1: no region, so nothing region-based (the preferences' start) is known.
constexpr int LCL_MAX = 92;
constexpr int GEO_ROWS = 150;              // runway geometry rows
extern int32_t apt_to_index[LCL_MAX];      // local airport row to world airport
extern int32_t apt_lcl_max, apt_lcl_num;
extern int32_t vor_to_index[LCL_MAX], ndb_to_index[LCL_MAX];   // local VOR and NDB rows to world navaids
extern int32_t vor_lcl_num, ndb_lcl_num;
extern int32_t rwy_geo_ind[MAX_RWY];       // world runway to its geometry row, -1 none
extern int32_t geo_tway[GEO_ROWS];         // the row's runway has taxiways
extern int32_t geo_rows;                   // geometry rows in use

// Runway geometry, one row per runway of the region (rwy_geo_ind), rebuilt by every region load.
// Points are x east, height, z south (m, region frame). A hidden light has x and z 0.
constexpr int GEO_MARKS = 6;               // runway, parallel taxiway, three connectors, apron
constexpr int GEO_LITES = 813;
extern float geo_markxyz[GEO_ROWS][GEO_MARKS][4][3];   // corners in clockwise order seen from above
extern float geo_litexyz[GEO_ROWS][GEO_LITES][3];
// Last indexes of the light runs whose count follows the runway's length: edge rows 0..rmax1 and
// 50..rmax2, centreline 100..RCLS, taxiway inner edge 150..tmax1, outer edge 200..tmax2.
extern int32_t geo_rmax1[GEO_ROWS], geo_rmax2[GEO_ROWS], geo_tmax1[GEO_ROWS], geo_tmax2[GEO_ROWS];
extern int32_t geo_RCLS[GEO_ROWS];
extern int32_t geo_type[GEO_ROWS];                 // surface texture 62..66
// Per runway end 0, 1: slope indicator, runway lights and approach lights kinds of the lights code.
extern int32_t geo_litgls[GEO_ROWS][2], geo_litrwy[GEO_ROWS][2], geo_litapp[GEO_ROWS][2];
extern float geo_sockxyz[GEO_ROWS][2][3];          // windsocks; height -999.9 when hidden
// Per runway end: where the approach flasher starts and the step it moves by (m).
extern float geo_rabSxyz[GEO_ROWS][2][3], geo_rabDxyz[GEO_ROWS][2][3];

extern atmospherestruct atm;
extern environmentstruct env;
extern scenerystruct scn;
