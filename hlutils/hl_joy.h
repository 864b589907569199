// hl_joy.h -- the joystick: finding it, reading its axes, hat and buttons into the flight controls,
// the functions the user gave the buttons, the response curve and the stick's force commands.
#pragma once

constexpr int JOY_FLAGS = 22;

// Button flags: 0..3 hat forward, back, left, right; 4 button 1 alone (without 2, 3, 4); 5, 6, 7
// button 1 with 2, 3 or 4; 8..19 buttons 5..16; 20 and 21 never set.
extern int joy_flag[JOY_FLAGS];       // this pass
extern int joy_flag_old[JOY_FLAGS];   // the last pass that ran the button functions

// The panel press that button function 24 makes: x measured from the panel's upper-part shift,
// y in logical units. The simulator points this at its panel-click routine; nullptr does nothing.
extern void (*joy_panel_click)(float x_from_shift, float y);

// Finds joystick 1 or 2 (set.controls_type 15 or 16) and starts its forces: 1. Without one the
// mouse flies (controls_type -1): a notice, and 0.
int JOY_init(void);
// Reads the stick: pitch, roll, yaw -1..1 and throttle 0..1. apply 1 shapes the axes by the null
// zones, offsets and response ratios and runs the button functions; apply 0 only reads.
void JOY_get(float* pitch, float* roll, float* yaw, float* throttle, int apply);
// Null zone z taken out of *v toward 0, then |v|^1.5 with v's sign; stored in *v and returned.
float JOY_curve(float* v, float z);
// One force command: 4 springs, 5 and 6 x and y vibration, 7 and 8 their clearing, 9 buffeting,
// 10 its clearing, 11 a jolt, 12 clear every force. Arguments are limited as each command allows;
// other kinds do nothing.
void JOY_force(int kind, int a, int b, int c);
void JOY_close(void);
