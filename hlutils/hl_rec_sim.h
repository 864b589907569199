// hl_rec_sim.h -- the simulator's records: settings, panel, clocks and modes, reliability, recorded
// path, graph, radios, autopilot, flight plan and ATC. Cleared at start-up.
#pragma once
#include <cstdint>

// Data output: items 0..OUT_ITEMS-1 exist (the selections Bdsk, Brlt and Bgrf hold room for 60,
// the rest are ignored), on three channels: the output file (stream trk), the graph's ring and the
// cockpit numbers.
constexpr int OUT_ITEMS = 50;
constexpr int OUT_FILE = 8, OUT_GRAPH = 9, OUT_COCKPIT = 10;

// The user's settings (preferences and situation files).
struct settingstruct {
    int32_t view_type;           // menu item number of the chosen view
    int32_t view_is_fullscreen;  // the outside view covers the panel
    int32_t replay_mode;
    int32_t serout;              // serial-output mode, 0 none, 3 the motion base
    int32_t ogl_res;             // texture resolution 1..5

    // Flight controls, -1..1: the yoke as held (YK_) and the final commands (FC_).
    float YK_ptch, YK_roll, YK_hdng;
    float FC_ptch, FC_roll, FC_hdng;
    float joy_rat_hdng;          // pedal response ratio
    float parkbrake;             // 0..1
    int32_t eq_ped;              // rudder pedals fitted
    int32_t eq_col;              // collective lever fitted
    int32_t fadec_on;            // engine governors hold the rotor speed
    int32_t gear_handle;         // 1 down
    float damp;                  // artificial damping of the body rates, 0 none
    int32_t cycout;              // write one flight cycle to the dump file this frame
    int32_t grfout;              // feed the graph's ring every frame
    // Tow, carriage, catapult and arresting wire.
    int32_t tow_waiting, tow_inprog, incarriage;
    int32_t cat_waiting, cat_inprog, wired;
    float trap_accel;            // m/s^2, deceleration of the arresting wire
    // Joystick: which stick flies, how each axis responds and what each button flag does.
    int32_t controls_type;       // 15 joystick 1, 16 joystick 2, -1 none (the mouse flies)
    float joy_rat_ptch, joy_rat_roll;   // response ratios of pitch and roll
    float NZ_ptch, NZ_roll, NZ_hdng;    // null zones, fraction of the half travel
    float MK_ptch, MK_roll, MK_hdng;    // centre offsets added before shaping, -1..1
    int32_t joy_response[22];    // function code (1..30, 0 none) of each button flag
    // Controller sentences.
    int32_t text_out;            // show them as text
    int32_t voice_out;           // speak them

    // Warnings, equipment and drawing (preferences).
    int32_t warn_frame, warn_overspeed, warn_flaps, warn_bb;   // warning switches
    int32_t eq_avi;              // an avionics stack is fitted: radios start on fixed frequencies
    int32_t eq_thr;              // a throttle quadrant is fitted
    int32_t ogl_trees;           // draw trees
    // Data-output selections per item (0/1): file, cockpit, graph.
    int32_t Bdsk[60], Brlt[60], Bgrf[60];
    // The custom start position (situation files, Get Me Lost, the map).
    float cus_X, cus_Z;          // m, region frame
    float cus_Y;                 // m, height
    float cus_psi;               // degrees, heading
    float cus_v;                 // m/s, speed

    // Levers and gear.
    int32_t thro_pot;            // 1 the joystick's throttle lever drives the throttles, 0 the keyboard
    float gear_time[3];          // s, travel time of each gear leg (9.9e9 once the leg has failed)
    float ah_bar_adjust;         // attitude indicator's bar setting, 0 centred
    int32_t dskout;              // some data-output item goes to the output file
    int32_t grfsel[4];           // data-output item shown in each graph slot, -1 none
    int32_t rltsel[10];          // data-output item shown in each cockpit row, -1 none
    int32_t rltout;              // some data-output item is drawn over the outside view
};

// The instrument panel.
struct inststruct {
    float r_rat, g_rat, b_rat;   // panel-light tint of colours 0..37
    float baro;                  // inches of mercury, altimeter setting
    int32_t jato_on;             // rockets burning
    int32_t chute_on;            // drag chute out
    float x_loc[13], y_loc[13];  // logical pixels, each instrument slot's reference point

    // Displays and their ranges.
    int32_t HUD_on, HOOP_on;     // head-up display and its flight-path hoops shown
    int32_t hud_brt;             // 1 bright, 0 dim
    int32_t map_mode, arg_mode;  // moving-map and radar display modes
    float map_range, arg_range, rad_range;   // nm, display ranges
    // Pixel pictures built at start-up, colour indices (0 lit, 22 unlit), [row][column]:
    int32_t v_tape_col[90][5];      // the digits 0..9 down a drum, digit d centred on row 9 d
    int32_t h_tape_col0[12][200];   // a scale labelled every 20 columns
    int32_t h_tape_col1[12][360];   // compass card, k at column 10 k for k = 0, 3, .. 33
    int32_t h_tape_col2[12][360];   // the same card labelled 36 - k
    // Navigation symbols [kind 1 airport, 2 NDB, 3 VOR][segment][x1, y1, x2, y2], -5..5 px.
    int32_t nav_pic[10][10][4];

    // Switches and display modes reset by every start.
    int32_t hook_down;           // arresting hook lowered
    int32_t antiice_on;          // anti-ice on
    int32_t EFIS_wxr, EFIS_tcas; // weather radar and traffic shown on the moving-map display
    int32_t ecam_mode;           // page of the engine and system display
    float reply_time1, reply_time2;   // s of elapsed time, the transponder's last reply flashes
    int32_t adf_card;            // degrees 0..359, the direction finder's card as set (or its gyro's)

    // Layout and scale factors, set by every load of the user's aircraft.
    int32_t avail[13];           // slot k holds an instrument
    float indtoASI;              // dial degrees per (speed unit)^ASpwr
    float msctoVVI;              // dial degrees per m/s of climb
    float tactoINS, n1_toINS, mprtoINS, trqtoINS, ff_toINS;   // degrees (round) or pixels (tape)
                                 // per rpm, percent, inch of mercury, percent, pound per hour
    // Gyros and settings kept from frame to frame.
    float the180, phi180;        // degrees, the attitude gyro's pitch and roll
    float psimag;                // degrees 0..360, the direction gyro's heading
    float radalt_ft;             // ft, decision height of the radar altimeter
};

struct miscstruct {
    int32_t logtime;
    int32_t edit_mode;           // the scenery editor's edit screen
    float prd;                   // s, frame period (halved during the two sub-steps)
    float elap_time;             // s, simulated time since start, 0..86400
    float locl_time;             // s, local time of day
    float init_time;             // s, simulated time since the last start
    float est_Vs;                // m/s, estimated stall speed of the user's aircraft
    int32_t cntr, cntr10;        // frame counters
    float zulu_time;             // s, time of day at Greenwich, 0..86400
    float timr_time;             // s, the user's stopwatch, 0..3600
    int32_t timer_running;       // the stopwatch runs
    int32_t paused;              // the flight model stands still
    int32_t sound_avail;         // the sound output was created
    int32_t sound_on;            // the user's sound switch
    int32_t speech_avail;        // the speech engine was created

    // Start airport and runway (world indices) and whether to start at the runway's far end.
    int32_t loc_apt_wrl, loc_rwy_wrl, backwards;
    char apt_id_req[5];          // the airport identifier asked for by name (4 characters)
    float req_lat, req_lon;      // degrees, the point the world map or the latitude window asks to start near
    float rtrat;                 // measured frame time / frame period, 0.2..5
    float nigt_time, aifr_time;  // s, logged night and actual instrument time
    int32_t key_type;            // keyboard layout: 1 US, 2 French, 3 German
    char key_pressed;            // the last character key handled (after the layout's remapping)

    int32_t mouse_is_joy;        // with no joystick, the mouse position flies the yoke
    float runwayview_X, runwayview_Y, runwayview_Z;   // m, the runway view's camera
    float spotview_X, spotview_Y, spotview_Z;         // m, the spot view's camera
    int32_t map_type;            // the map window's chart: 402 enroute, 403 virtual world, 404 radar, 998 airport
    int32_t plt_apt_wrl;         // world airport the airport map shows
    float freeviewXZ;            // radians 0..2 pi, the follow views' direction from the aircraft
    float freeviewY;             // radians -pi/2..pi/2, their elevation
};

// Reliability: each system is 1 while it works and 0 once it has failed.
struct relstruct {
    int32_t symflp;              // both flap sides move together
    int32_t fc_thr;              // throttle control
    int32_t engine[4];
    int32_t oilpmp[4];
    float oil_rat;               // 0..1, oil pressure left after a pump failure
    int32_t thrgov[4];           // engine governors
    int32_t trotor;              // tail rotor
    int32_t radios;              // navigation and communication radios

    // Failure settings.
    float total_fail_entry;      // 0..9, how likely equipment fails
    float ins_fail_rat, eq1_fail_rat, eq2_fail_rat;
    int32_t fail_type[32];       // 1 random by total_fail_entry, 2 within fail_time_max, else at once
    float fail_time_max[32];     // hours

    // Instruments.
    int32_t vacuum;              // vacuum system (attitude and heading gyros)
    int32_t ss_asi, ss_ahz, ss_alt, ss_tsi, ss_dgy, ss_vvi;   // airspeed, horizon, altimeter,
                                 // turn, direction gyro, vertical speed
    int32_t efis_1, efis_2;      // the two glass displays
    // Flight controls and systems.
    int32_t otto;                // autopilot
    int32_t sttrim;              // pitch trim
    int32_t stbaug;              // stability augmentation
    int32_t fc_ail, fc_elv, fc_rud;   // aileron, elevator and rudder controls
    int32_t fc_flp, fc_slt;      // flap and slat drives
    float hyd_rat;               // 0..1, hydraulic power left for the controls
    int32_t lagear[3];           // landing-gear legs
    int32_t esystem;             // electrical system
    int32_t hydsys;              // hydraulic system
    int32_t revlok[4];           // reverser locks
    int32_t antice;              // anti-ice
    int32_t clights;             // cockpit lights
    int32_t RAT_on;              // the ram-air turbine is out (no engine runs in flight)
};
// The recorded flight path: a ring of points, each with a flag saying it holds a point of the
// present flight (a start clears the flag of the slot being written, so replay stops there).
constexpr int PATH_POINTS = 6000;
struct pathstruct {
    int32_t inited[PATH_POINTS]; // the slot holds a recorded point
    int32_t cntr_record;         // the slot being written, 0..PATH_POINTS-1
    float xyztppt[PATH_POINTS][7];   // X, Y, Z (m), pitch, heading, roll (degrees), msc.elap_time (s)
    float time_play;             // s, replay time on the path's clock (msc.elap_time)
};
// The graph's ring of the last GRAPH_SAMPLES frames: each frame's period and the four column values
// of each graph slot's data-output item (-999 where a column has no value).
constexpr int GRAPH_SAMPLES = 1800;
constexpr int GRAPH_SLOTS = 4;
struct graphstruct {
    int32_t show_path;
    float lefttime;              // s after the oldest sample, the graph window's left edge
    int32_t cntr;                // slot of the newest sample, -1 before the first
    int32_t indexstart;          // slot of the oldest sample once the ring has wrapped, else 0
    int32_t graphstruct_full;    // 1 once the ring has wrapped
    float period[GRAPH_SAMPLES]; // s, frame period of each sample (999 in an empty slot)
    float data[GRAPH_SLOTS][4][GRAPH_SAMPLES];   // [slot][column][sample]
};
// The radios: frequencies, the tuned stations and the needles' deflections, and the GPS.
struct navstruct {
    int32_t nf[2];               // navigation receivers, 10 kHz steps (11170 = 111.70 MHz)
    int32_t cf[2];               // COM frequencies, MHz x 100
    float obs[2];                // degrees, selected courses
    int32_t adff;                // direction finder, kHz
    int32_t dmesel;              // DME source receiver 0 or 1
    int32_t radout;              // audio selector 0..4
    int32_t tran1, tran2, tran3, tran4;   // transponder digits
    int32_t goodnav[5];          // receivers 0, 1 and the direction finder 4 hear a station
    char nav_id[5][5];           // its identifier
    float vorX[2], vorY[2], vorZ[2];   // m, the VOR or localizer each receiver hears
    float gsX[2], gsY[2], gsZ[2];      // m, the glide slope
    float ilscrs[2];             // degrees, the localizer's course
    int32_t ilsgs[2];            // 0 a localizer, 3 with its glide slope, 9 a VOR
    float adfX, adfZ;            // m, the beacon the direction finder hears
    float hdef[2], vdef[2];      // course and glide-slope deflections, dots (-5..5)
    int32_t ntf[2];              // to/from flag: 0 off, 1 to, 2 from
    int32_t overOM, overMM, overIM;   // the aircraft is over an outer, middle or inner marker
    int32_t gps_index_mode;      // 1 airports, 2 beacons (navaid type 2), 3 VORs (navaid type 3)
    int32_t gps_scroll_mode;     // the GPS's knob: 0 scrolls the index, 1..4 edit that identifier character
    int32_t gps_index;           // the GPS target: an airport or a navaid
    float gps_dis;               // m to the target
    float gps_crs;               // degrees true to the target
    float gps_lock_crs;          // degrees, the course locked when the target was chosen
    int32_t gps_apt_index, gps_vor_index, gps_ndb_index;   // the last waypoint of each kind
    int32_t gps_id[5];           // identifier character codes 0..36
    int32_t hdsel;               // degrees, the heading bug
};
// The autopilot: its modes and their targets. Every start switches the modes off.
struct ottostruct {
    int32_t HDSLCT;              // fly the selected heading
    int32_t NAV[2];              // track receiver 1 or 2 (receiver 1 the GPS course on a GPS panel)
    int32_t ALHOLD;              // hold al_hold
    int32_t VVHOLD;              // hold vv_hold
    int32_t GS2;                 // follow receiver 2's glide slope
    int32_t ASHOLD;              // hold as_hold with the throttles
    float al_hold;               // m, altitude to hold
    float vv_hold;               // m/s, vertical speed to hold (also the altitude hold's limit)
    float as_hold;               // knots, indicated airspeed to hold
};
// The filed flight plan.
struct flightplanstruct {
    char arr_id_str[5];          // destination airport identifier (4 characters)
    int32_t onfile;              // a plan is filed
    int32_t activated;           // the filed plan is being flown
    int32_t ifr, vfr, dvfr;      // the plan's kind: instrument, visual, defense visual
    int32_t mr, mrs;             // how the controllers address the pilot: Sir or Madam
    char dep_id_str[5];          // departure airport identifier (4 characters)
    int32_t init_alt;            // feet, the altitude cleared for the departure
    int32_t cruise_alt;          // feet, the filed cruise altitude
};
// The controllers' dialogue.
struct atcstruct {
    char response[400];          // the last sentence spoken
    float response_timeout;      // s, elapsed time until which it is shown
    int32_t menu_level;          // the options menu's list: 0 main, 1 ATIS, 4 vectors, 5 landing, 6 ILS, 7 localizer
    int32_t sel_i, sel_j;        // the menu's column and row under the mouse or moved by the arrows
    int32_t plan_phase;          // the filed plan's state: 0 clearance .. 9 taxi to the ramp
    float cardxyz[3];            // m, the aircraft from the carrier's landing reference (x east, y up, z south)
    float card_time;             // s of msc.elap_time, when the carrier drawing last set cardxyz
    int32_t waiting_new_frq;     // the controller handed the pilot to a new frequency
    int32_t plan_index;          // world airport of the filed plan's destination
    int32_t ils_vec_in_progress; // the controller is vectoring the aircraft to an approach
    char ils_command[400];       // the request being vectored for
    int32_t menu_up;             // the options menu is shown over the outside view
};

extern settingstruct set;
extern inststruct ins;
extern miscstruct msc;
extern relstruct rel;
extern pathstruct pat;
extern graphstruct grf;
extern navstruct nav;
extern ottostruct ott;
extern flightplanstruct fpl;
extern atcstruct atc;
