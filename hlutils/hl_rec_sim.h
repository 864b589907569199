// hl_rec_sim.h -- the simulator's records: settings, panel, clocks and modes, reliability, recorded
// path, graph, radios, autopilot, flight plan and ATC. Cleared at start-up.
#pragma once
#include <cstdint>

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
};

// The instrument panel.
struct inststruct {
    float r_rat, g_rat, b_rat;   // panel-light tint of colours 0..37
    float baro;                  // inches of mercury, altimeter setting
    int32_t jato_on;             // rockets burning
    int32_t chute_on;            // drag chute out
    float x_loc[13], y_loc[13];  // logical pixels, each instrument slot's reference point
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
    int32_t sound_avail;         // the sound output was created
    int32_t sound_on;            // the user's sound switch
    int32_t speech_avail;        // the speech engine was created
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
};
struct pathstruct { int32_t placeholder; };
struct graphstruct { int32_t show_path; };
struct navstruct { int32_t placeholder; };
struct ottostruct { int32_t placeholder; };
struct flightplanstruct { int32_t placeholder; };
// The controllers' dialogue.
struct atcstruct {
    char response[400];          // the last sentence spoken
    float response_timeout;      // s, elapsed time until which it is shown
    int32_t waiting_new_frq;     // the controller handed the pilot to a new frequency
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
