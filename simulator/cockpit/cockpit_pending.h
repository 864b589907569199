// cockpit_pending.h -- the cockpit's routines whose own modules come with later work. Until then
// they do nothing; each module that brings the real routine removes its entry here.
#pragma once

// Engine gauges of engine i (exhaust temperature, engine speed, N1, manifold pressure, torque,
// fuel flow) and the pages of the engine and system display.
void update_egt(int engine);
void update_tac(int engine);
void update_n1_(int engine);
void update_mpr(int engine);
void update_trq(int engine);
void update_ff_(int engine);
void update_ecam(void);
// Navigation instruments: the course indicator and the situation indicator with their course and
// glide-slope offsets in pixels, the direction finder, the slot-4 instruments, the glass displays
// (11 the map, 12 the moving map, 13 the weather radar), the GPS and DME readouts, and the radio
// strip's lamps, clock, fuel gauge, transponder and frequencies.
void update_VORandGS(float course_px, float slope_px);
void update_HSI(float course_px, float slope_px);
void update_ADF(void);
void update_radalt(void);
void update_stormscope(void);
void update_vari(void);
void update_RMI(void);
void update_glass(int kind);
void update_GPS(void);
void update_DME(void);
void update_radio_strip(void);
