// hl_joy.cpp -- the joystick: axes into flight controls, hat and buttons into flags and their
// functions, the helicopter's collective buttons, the response curve and the force commands.
#include "hl_joy.h"

#include <cmath>
#include <cstring>

#include "hl_funct.h"
#include "hl_program.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt_joy.h"

int joy_flag[JOY_FLAGS];
int joy_flag_old[JOY_FLAGS];
void (*joy_panel_click)(float x_from_shift, float y) = nullptr;

namespace {

int g_last_button[5];   // buttons 1..4 at the last applied pass (the collective's press edges)

// The 22 flags of one reading.
void decode_flags(const PLT_joy_pos& p, int flag[JOY_FLAGS])
{
    std::memset(flag, 0, sizeof(int) * JOY_FLAGS);
    flag[0] = p.pov == 0;
    flag[1] = p.pov == 18000;
    flag[2] = p.pov == 27000;
    flag[3] = p.pov == 9000;
    auto down = [&](int button) { return (p.buttons >> (button - 1)) & 1u ? 1 : 0; };
    if (down(1)) {
        if (down(2)) flag[5] = 1;
        else if (down(3)) flag[6] = 1;
        else if (down(4)) flag[7] = 1;
        else flag[4] = 1;
    }
    for (int b = 5; b <= 16; b++) flag[b + 3] = down(b);
}

// Buttons 2, 3 and 4 work a helicopter's collective: 3 lowers and 4 raises the throttles by a
// tenth per press, 2 with 3 or with 4 sets them to 0 or 1 (governed engines: the governor off or on).
void collective_buttons(const PLT_joy_pos& p)
{
    int b[5] = {0, 0, 0, 0, 0};
    for (int k = 1; k <= 4; k++) b[k] = (p.buttons >> (k - 1)) & 1u ? 1 : 0;
    int press3 = b[3] && !g_last_button[3];
    int press4 = b[4] && !g_last_button[4];
    int combo_lo = b[2] && b[3] && !(g_last_button[2] && g_last_button[3]);
    int combo_hi = b[2] && b[4] && !(g_last_button[2] && g_last_button[4]);
    int type = pln[0].entype;
    if (type == 1 || type == 2) {
        for (int e = 0; e < 2; e++) {
            float& thr = flt.throrqst[e];
            if (combo_lo) thr = 0.0f;
            else if (press3 && !b[2]) thr -= 0.1f;
            if (combo_hi) thr = 1.0f;
            else if (press4 && !b[2]) thr += 0.1f;
            thr = fltlim(thr, 0.0f, 1.0f);
        }
    } else if (type == 3) {
        if (combo_lo) set.fadec_on = 0;
        if (combo_hi) set.fadec_on = 1;
    }
    for (int k = 1; k <= 4; k++) g_last_button[k] = b[k];
}

void key(char c) { APPLICATION_handlekey(c, 1); }

int has_variable_sweep(void)
{
    for (int k = 0; k < 28; k++) {
        if (pln[0].varsweepEQ[k]) return 1;
    }
    return 0;
}

// Thrust-vector and sweep requests move with the held button, per second of flight.
void vector_and_sweep(float sign)
{
    if (pln[0].vectEQ) flt.vectrqst = fltlim(flt.vectrqst + sign * 30.0f * msc.prd, 0.0f, 120.0f);
    if (has_variable_sweep()) flt.sweerqst = fltlim(flt.sweerqst + sign * 0.5f * msc.prd, 0.0f, 1.0f);
}

// Runs the function of one flag: held codes every pass the flag is set, pressed codes on the pass
// it comes on (some also on the pass it goes off). Unknown codes do nothing.
void button_function(int code, int now, int was)
{
    int press = now && !was;
    int release = !now && was;
    switch (code) {
    case 1: if (now) key(']'); break;
    case 2: if (now) key('['); break;
    case 3: if (now) key('9'); break;
    case 4: if (now) key('0'); break;
    case 5: if (now) key('7'); break;
    case 6: if (now) key('8'); break;
    case 7: if (press && hl_prog.yoke_key) hl_prog.yoke_key(5); break;
    case 8: if (press && hl_prog.yoke_key) hl_prog.yoke_key(6); break;
    case 9: if (press) APPLICATION_handlemenu(500); break;
    case 10: case 11: case 12: {
        static const int item[3] = {502, 506, 507};
        if (press) APPLICATION_handlemenu(item[code - 10]);
        if (release) APPLICATION_handlemenu(500);
        break;
    }
    case 13: if (press) key('q'); break;
    case 14: if (press) key('e'); break;
    case 15: if (press) key('1'); break;
    case 16: if (press) key('2'); break;
    case 17: if (now) vector_and_sweep(-1.0f); break;
    case 18: if (now) vector_and_sweep(1.0f); break;
    case 19: if (press) key('g'); break;
    case 20:
        if (press) set.parkbrake = 1.0f;
        if (release) set.parkbrake = 0.0f;
        break;
    case 21: if (press) flt.sbrk = flt.sbrk < 1 ? 2 : 0; break;
    case 22: if (press) key('!'); break;
    case 23: if (press) key('.'); break;
    case 24: if (press && joy_panel_click) joy_panel_click(636.0f, 314.0f); break;
    case 25: case 26: case 27: case 28:
        if (now && hl_prog.freeviews_keys) hl_prog.freeviews_keys(code);
        break;
    case 29: if (press) key(13); break;
    case 30: if (press) key(' '); break;
    default: break;
    }
}

}  // namespace

int JOY_init(void)
{
    set.controls_type = -1;
    int devices = PLT_joy_num_devs();
    PLT_joy_pos p;
    if (devices > 0 && PLT_joy_read(0, &p)) set.controls_type = 15;
    else if (devices > 0 && PLT_joy_read(1, &p)) set.controls_type = 16;

    if (set.controls_type == -1) {
        if (devices == 0)
            MACIBM_alert("My system-checking indicates that this computer is NOT set up to handle any joysticks!",
                         "The joystick support could not be started: check that /dev/input is there and that you "
                         "may read it (join the 'input' group).",
                         "Flight control will therefore be with the mouse.",
                         "Click the mouse in the center of the windshield to toggle between flight-control and regular mouse mode.",
                         ALERT_NOTICE);
        else
            MACIBM_alert("My system-checking indicates that there are no joysticks on this computer",
                         "If you have a joystick plugged in, check that it shows in /dev/input and that you may "
                         "read it (join the 'input' group).",
                         "Flight control will therefore be with the mouse.",
                         "Click the mouse in the center of the windshield to toggle between flight-control and regular mouse mode.",
                         ALERT_NOTICE);
        return 0;
    }
    // The forces go to the stick that answered.
    const PLT_force_iface* ff = PLT_force();
    ff->SetJoystickPort(set.controls_type - 14);
    ff->InitStick(0);
    ff->EnableForces();
    return 1;
}

float JOY_curve(float* v, float z)
{
    float x = *v;
    if (x < 0.0f) x = std::fmin(x + z, 0.0f);
    else if (x > 0.0f) x = std::fmax(x - z, 0.0f);
    float shaped = x < 0.0f ? -std::pow(-x, 1.5f) : std::pow(x, 1.5f);
    *v = shaped;
    return shaped;
}

void JOY_get(float* pitch, float* roll, float* yaw, float* throttle, int apply)
{
    *pitch = *roll = *yaw = *throttle = 0.0f;
    PLT_joy_pos p;
    int answered = 0;
    if (set.controls_type == 15 || set.controls_type == 16)
        answered = PLT_joy_read(set.controls_type - 15, &p);
    if (answered) {
        *pitch = static_cast<float>(p.y) / 32767.0f - 1.0f;
        *roll = static_cast<float>(p.x) / 32767.0f - 1.0f;
        *yaw = static_cast<float>(p.r) / 32767.0f - 1.0f;
        *throttle = 1.1f - 1.2f * static_cast<float>(p.z) / 65537.0f;
        decode_flags(p, joy_flag);
        if (apply && pln[0].is_heli && set.eq_col) collective_buttons(p);
    } else {
        std::memset(joy_flag, 0, sizeof joy_flag);
    }

    if (set.controls_type == -1) *pitch = *roll = *yaw = 0.0f;
    if (!set.eq_ped) *yaw = 0.0f;

    if (apply) {
        *pitch += set.MK_ptch;
        *roll += set.MK_roll;
        *yaw += set.MK_hdng;
        *pitch = JOY_curve(pitch, set.NZ_ptch) * set.joy_rat_ptch;
        *roll = JOY_curve(roll, set.NZ_roll) * set.joy_rat_roll;
        *yaw = JOY_curve(yaw, set.NZ_hdng) * set.joy_rat_hdng;
    }

    // The lever's reading runs from 1.1 to -0.1 over its travel so that both stops are reached
    // for sure: the ends hold full and idle throttle, never a negative one.
    *pitch = fltlim(*pitch, -1.0f, 1.0f);
    *roll = fltlim(*roll, -1.0f, 1.0f);
    *yaw = fltlim(*yaw, -1.0f, 1.0f);
    *throttle = fltlim(*throttle, 0.0f, 1.0f);

    if (apply) {
        for (int i = 0; i < JOY_FLAGS; i++) button_function(set.joy_response[i], joy_flag[i], joy_flag_old[i]);
        std::memcpy(joy_flag_old, joy_flag, sizeof joy_flag);
    }
}

void JOY_force(int kind, int a, int b, int c)
{
    const PLT_force_iface* ff = PLT_force();
    switch (kind) {
    case 4:
        ff->XSpring(intlim(a, -100, 100), intlim(c, 0, 100), intlim(c, 0, 100));
        ff->YSpring(intlim(b, -100, 100), intlim(c, 0, 100), intlim(c, 0, 100));
        break;
    case 5: ff->XVibration(intlim(a, 0, 100), intlim(a, 0, 100), intlim(b, 0, 50)); break;
    case 6: ff->YVibration(intlim(a, 0, 100), intlim(a, 0, 100), intlim(b, 0, 50)); break;
    case 7: ff->XVibrationClear(0); break;
    case 8: ff->YVibrationClear(); break;
    case 9: ff->Buffeting(intlim(a, 0, 100)); break;
    case 10: ff->BuffetingClear(); break;
    case 11: ff->Jolt(intlim(a, 0, 100), ((b % 360) + 360) % 360, intlim(c, 0, 2500)); break;
    case 12: ff->ClearForces(); break;
    default: break;
    }
}

void JOY_close(void)
{
    PLT_force()->CloseStick();
}
