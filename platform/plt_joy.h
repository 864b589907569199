// plt_joy.h -- joysticks and their force feedback: positions in the classic game-port form, the
// force-feedback calls behind a replaceable interface (the stick's haptic device, or a recorder for
// tests), and virtual joysticks that tests drive.
#pragma once
#include <cstdint>

constexpr int PLT_JOY_SLOTS = 16;        // joystick numbers a program may ask for
constexpr uint32_t PLT_POV_CENTERED = 65535;

// One reading: axes 0..65535 with the centre at 32767 or 32768 (x right, y back, z throttle lever,
// r rudder twist), the first 16 buttons as bits (bit 0 button 1), and the hat as a point-of-view
// angle in hundredths of a degree clockwise from forward (0, 4500 ... 31500) or PLT_POV_CENTERED.
struct PLT_joy_pos {
    uint32_t x, y, z, r;
    uint32_t buttons;
    uint32_t pov;
};

// 0 when the system cannot handle joysticks at all, else the number of joystick slots (16).
int PLT_joy_num_devs(void);
// Reads joystick index (0 first). 1 when it answered; 0 when there is no such joystick (p zeroed,
// the hat centred). Axes the stick lacks read as centred.
int PLT_joy_read(int index, PLT_joy_pos* p);
// Closes every opened joystick and the joystick subsystem.
void PLT_joy_shutdown(void);

// ---- virtual joysticks (tests) ---------------------------------------------------------------------

// Attaches a virtual joystick; its index for PLT_joy_read, or -1.
int PLT_joy_attach_virtual(int axes, int buttons, int hats);
int PLT_joy_detach_virtual(int index);
// Sets an axis (-32768..32767), a button (0 first; down 1 or 0) or a hat (as a point-of-view angle
// 0, 4500 ... 31500, or PLT_POV_CENTERED). 1 on success.
int PLT_joy_virtual_axis(int index, int axis, int value);
int PLT_joy_virtual_button(int index, int button, int down);
int PLT_joy_virtual_hat(int index, int hat, uint32_t pov);

// ---- force feedback --------------------------------------------------------------------------------

// The calls of a force-feedback stick. Magnitudes and strengths are per cent (0..100), spring
// centres -100..100 of the travel, vibration periods in hundredths of a second, jolt directions in
// degrees (0 forward, clockwise) and durations in milliseconds.
struct PLT_force_iface {
    void (*SetJoystickPort)(int port);                 // the stick the next calls go to, 1 first
    int (*InitStick)(int window);                      // 1 when a force device answered
    void (*EnableForces)(void);
    void (*XSpring)(int centre, int pos_coeff, int neg_coeff);
    void (*YSpring)(int centre, int pos_coeff, int neg_coeff);
    void (*XVibration)(int pos_mag, int neg_mag, int period);
    void (*YVibration)(int pos_mag, int neg_mag, int period);
    void (*XVibrationClear)(int unused);
    void (*YVibrationClear)(void);
    void (*Buffeting)(int magnitude);
    void (*BuffetingClear)(void);
    void (*Jolt)(int strength, int direction, int duration);
    void (*ClearForces)(void);
    void (*CloseStick)(void);
};

// The interface in use: the haptic device of the stick unless a test chose the recorder.
const PLT_force_iface* PLT_force(void);
// 1 selects the recorder, 0 the haptic device.
void PLT_force_use_recorder(int on);

// The recorder's log: one entry per call with up to three integer arguments (unused ones 0).
enum PLT_force_call {
    FF_SET_JOYSTICK_PORT, FF_INIT_STICK, FF_ENABLE_FORCES, FF_X_SPRING, FF_Y_SPRING,
    FF_X_VIBRATION, FF_Y_VIBRATION, FF_X_VIBRATION_CLEAR, FF_Y_VIBRATION_CLEAR, FF_BUFFETING,
    FF_BUFFETING_CLEAR, FF_JOLT, FF_CLEAR_FORCES, FF_CLOSE_STICK,
};
struct PLT_force_entry {
    int32_t call;
    int32_t a, b, c;
};
constexpr int PLT_FORCE_LOG = 256;       // entries kept; later calls are counted but not kept
int PLT_force_log_count(void);
const PLT_force_entry* PLT_force_log(int i);   // nullptr past the kept entries
void PLT_force_log_clear(void);
