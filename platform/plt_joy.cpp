// plt_joy.cpp -- joysticks and force feedback on SDL2's joystick and haptic interfaces, the
// recorder that stands in for a force device in tests, and virtual joysticks.
#include "plt_joy.h"

#include <SDL.h>

#include <cstring>

namespace {

bool g_joy_up = false;
bool g_joy_failed = false;
SDL_Joystick* g_js[PLT_JOY_SLOTS];

int joy_subsystem(void)
{
    if (g_joy_up) return 1;
    if (g_joy_failed) return 0;
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        g_joy_failed = true;
        return 0;
    }
    g_joy_up = true;
    return 1;
}

// The open handle of joystick index, opening it when it is there; nullptr when it is not.
SDL_Joystick* joystick(int index)
{
    if (index < 0 || index >= PLT_JOY_SLOTS || !joy_subsystem()) return nullptr;
    if (g_js[index] && !SDL_JoystickGetAttached(g_js[index])) {
        SDL_JoystickClose(g_js[index]);
        g_js[index] = nullptr;
    }
    if (!g_js[index] && index < SDL_NumJoysticks()) g_js[index] = SDL_JoystickOpen(index);
    return g_js[index];
}

uint32_t axis_of(SDL_Joystick* js, int axis)
{
    if (axis >= SDL_JoystickNumAxes(js)) return 32767;
    return static_cast<uint32_t>(SDL_JoystickGetAxis(js, axis) + 32768);
}

uint32_t pov_of_hat(Uint8 hat)
{
    switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return PLT_POV_CENTERED;
    }
}

Uint8 hat_of_pov(uint32_t pov)
{
    switch (pov) {
    case 0: return SDL_HAT_UP;
    case 4500: return SDL_HAT_RIGHTUP;
    case 9000: return SDL_HAT_RIGHT;
    case 13500: return SDL_HAT_RIGHTDOWN;
    case 18000: return SDL_HAT_DOWN;
    case 22500: return SDL_HAT_LEFTDOWN;
    case 27000: return SDL_HAT_LEFT;
    case 31500: return SDL_HAT_LEFTUP;
    default: return SDL_HAT_CENTERED;
    }
}

// ---- the haptic device -----------------------------------------------------------------------------

enum { EF_SPRING, EF_XVIB, EF_YVIB, EF_BUFFET, EF_JOLT, EF_COUNT };

int g_port = 1;
SDL_Haptic* g_haptic = nullptr;
unsigned g_caps = 0;
int g_effect[EF_COUNT] = {-1, -1, -1, -1, -1};
int g_spring[2][3];   // x and y: centre, positive and negative coefficients

Sint16 per_cent(int v, int scale = 32767) { return static_cast<Sint16>(v * scale / 100); }

// Uploads (or updates) effect slot k and starts it once.
void run_effect(int k, SDL_HapticEffect* e)
{
    if (!g_haptic) return;
    if (g_effect[k] >= 0 && SDL_HapticUpdateEffect(g_haptic, g_effect[k], e) != 0) {
        SDL_HapticDestroyEffect(g_haptic, g_effect[k]);
        g_effect[k] = -1;
    }
    if (g_effect[k] < 0) g_effect[k] = SDL_HapticNewEffect(g_haptic, e);
    if (g_effect[k] >= 0) SDL_HapticRunEffect(g_haptic, g_effect[k], 1);
}

void stop_effect(int k)
{
    if (g_haptic && g_effect[k] >= 0) SDL_HapticStopEffect(g_haptic, g_effect[k]);
}

void hp_set_port(int port) { g_port = port; }

int hp_init(int)
{
    if (g_haptic) return 1;
    SDL_Joystick* js = joystick(g_port - 1);
    if (!js || SDL_InitSubSystem(SDL_INIT_HAPTIC) != 0) return 0;
    if (!SDL_JoystickIsHaptic(js)) return 0;
    g_haptic = SDL_HapticOpenFromJoystick(js);
    if (!g_haptic) return 0;
    g_caps = SDL_HapticQuery(g_haptic);
    for (int& e : g_effect) e = -1;
    return 1;
}

void hp_enable(void)
{
    if (g_haptic && (g_caps & SDL_HAPTIC_GAIN)) SDL_HapticSetGain(g_haptic, 100);
}

void hp_spring(int axis, int centre, int pos, int neg)
{
    g_spring[axis][0] = centre;
    g_spring[axis][1] = pos;
    g_spring[axis][2] = neg;
    if (!g_haptic || !(g_caps & SDL_HAPTIC_SPRING)) return;
    SDL_HapticEffect e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_HAPTIC_SPRING;
    e.condition.length = SDL_HAPTIC_INFINITY;
    for (int a = 0; a < 2; a++) {
        e.condition.center[a] = per_cent(g_spring[a][0]);
        e.condition.right_coeff[a] = per_cent(g_spring[a][1]);
        e.condition.left_coeff[a] = per_cent(g_spring[a][2]);
        e.condition.right_sat[a] = 0xFFFF;
        e.condition.left_sat[a] = 0xFFFF;
    }
    run_effect(EF_SPRING, &e);
}

void hp_xspring(int c, int p, int n) { hp_spring(0, c, p, n); }
void hp_yspring(int c, int p, int n) { hp_spring(1, c, p, n); }

void hp_vibration(int k, int dx, int dy, int mag, int period)
{
    if (!g_haptic || !(g_caps & SDL_HAPTIC_SINE)) return;
    SDL_HapticEffect e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_HAPTIC_SINE;
    e.periodic.direction.type = SDL_HAPTIC_CARTESIAN;
    e.periodic.direction.dir[0] = dx;
    e.periodic.direction.dir[1] = dy;
    e.periodic.length = SDL_HAPTIC_INFINITY;
    e.periodic.period = static_cast<Uint16>(period > 0 ? 10 * period : 10);
    e.periodic.magnitude = per_cent(mag);
    run_effect(k, &e);
}

void hp_xvib(int pos, int, int period) { hp_vibration(EF_XVIB, 1, 0, pos, period); }
void hp_yvib(int pos, int, int period) { hp_vibration(EF_YVIB, 0, 1, pos, period); }
void hp_xvib_clear(int) { stop_effect(EF_XVIB); }
void hp_yvib_clear(void) { stop_effect(EF_YVIB); }
void hp_buffet(int mag) { hp_vibration(EF_BUFFET, 1, 1, mag, 6); }
void hp_buffet_clear(void) { stop_effect(EF_BUFFET); }

void hp_jolt(int strength, int direction, int duration)
{
    if (!g_haptic || !(g_caps & SDL_HAPTIC_CONSTANT)) return;
    SDL_HapticEffect e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_HAPTIC_CONSTANT;
    e.constant.direction.type = SDL_HAPTIC_POLAR;
    e.constant.direction.dir[0] = direction * 100;
    e.constant.length = static_cast<Uint32>(duration);
    e.constant.level = per_cent(strength);
    run_effect(EF_JOLT, &e);
}

void hp_clear(void)
{
    if (g_haptic) SDL_HapticStopAll(g_haptic);
}

void hp_close(void)
{
    if (!g_haptic) return;
    SDL_HapticStopAll(g_haptic);
    for (int& e : g_effect) {
        if (e >= 0) SDL_HapticDestroyEffect(g_haptic, e);
        e = -1;
    }
    SDL_HapticClose(g_haptic);
    g_haptic = nullptr;
    g_caps = 0;
}

const PLT_force_iface g_haptic_iface = {
    hp_set_port, hp_init,  hp_enable,     hp_xspring,      hp_yspring, hp_xvib,  hp_yvib,
    hp_xvib_clear, hp_yvib_clear, hp_buffet, hp_buffet_clear, hp_jolt, hp_clear, hp_close,
};

// ---- the recorder ----------------------------------------------------------------------------------

PLT_force_entry g_log[PLT_FORCE_LOG];
int g_log_count = 0;

void rec(int call, int a = 0, int b = 0, int c = 0)
{
    if (g_log_count < PLT_FORCE_LOG) g_log[g_log_count] = {call, a, b, c};
    g_log_count++;
}

const PLT_force_iface g_recorder_iface = {
    [](int port) { rec(FF_SET_JOYSTICK_PORT, port); },
    [](int window) { rec(FF_INIT_STICK, window); return 1; },
    [] { rec(FF_ENABLE_FORCES); },
    [](int c, int p, int n) { rec(FF_X_SPRING, c, p, n); },
    [](int c, int p, int n) { rec(FF_Y_SPRING, c, p, n); },
    [](int p, int n, int t) { rec(FF_X_VIBRATION, p, n, t); },
    [](int p, int n, int t) { rec(FF_Y_VIBRATION, p, n, t); },
    [](int u) { rec(FF_X_VIBRATION_CLEAR, u); },
    [] { rec(FF_Y_VIBRATION_CLEAR); },
    [](int m) { rec(FF_BUFFETING, m); },
    [] { rec(FF_BUFFETING_CLEAR); },
    [](int s, int d, int t) { rec(FF_JOLT, s, d, t); },
    [] { rec(FF_CLEAR_FORCES); },
    [] { rec(FF_CLOSE_STICK); },
};

const PLT_force_iface* g_force = &g_haptic_iface;

}  // namespace

// ---- joysticks -------------------------------------------------------------------------------------

int PLT_joy_num_devs(void)
{
    return joy_subsystem() ? PLT_JOY_SLOTS : 0;
}

int PLT_joy_read(int index, PLT_joy_pos* p)
{
    std::memset(p, 0, sizeof *p);
    p->pov = PLT_POV_CENTERED;
    SDL_Joystick* js = joystick(index);
    if (!js) return 0;
    SDL_JoystickUpdate();
    if (!SDL_JoystickGetAttached(js)) return 0;
    p->x = axis_of(js, 0);
    p->y = axis_of(js, 1);
    p->z = axis_of(js, 2);
    p->r = axis_of(js, 3);
    int nb = SDL_JoystickNumButtons(js);
    for (int b = 0; b < nb && b < 16; b++) {
        if (SDL_JoystickGetButton(js, b)) p->buttons |= 1u << b;
    }
    if (SDL_JoystickNumHats(js) > 0) p->pov = pov_of_hat(SDL_JoystickGetHat(js, 0));
    return 1;
}

void PLT_joy_shutdown(void)
{
    hp_close();
    for (SDL_Joystick*& js : g_js) {
        if (js) SDL_JoystickClose(js);
        js = nullptr;
    }
    if (g_joy_up) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    g_joy_up = false;
}

int PLT_joy_attach_virtual(int axes, int buttons, int hats)
{
    if (!joy_subsystem()) return -1;
    int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, axes, buttons, hats);
    if (index < 0 || index >= PLT_JOY_SLOTS) return -1;
    return joystick(index) ? index : -1;
}

int PLT_joy_detach_virtual(int index)
{
    if (index < 0 || index >= PLT_JOY_SLOTS || !g_joy_up) return 0;
    if (g_js[index]) {
        SDL_JoystickClose(g_js[index]);
        g_js[index] = nullptr;
    }
    return SDL_JoystickDetachVirtual(index) == 0;
}

int PLT_joy_virtual_axis(int index, int axis, int value)
{
    SDL_Joystick* js = joystick(index);
    if (value < -32768) value = -32768;
    if (value > 32767) value = 32767;
    return js && SDL_JoystickSetVirtualAxis(js, axis, static_cast<Sint16>(value)) == 0;
}

int PLT_joy_virtual_button(int index, int button, int down)
{
    SDL_Joystick* js = joystick(index);
    return js && SDL_JoystickSetVirtualButton(js, button, down ? SDL_PRESSED : SDL_RELEASED) == 0;
}

int PLT_joy_virtual_hat(int index, int hat, uint32_t pov)
{
    SDL_Joystick* js = joystick(index);
    return js && SDL_JoystickSetVirtualHat(js, hat, hat_of_pov(pov)) == 0;
}

// ---- force feedback --------------------------------------------------------------------------------

const PLT_force_iface* PLT_force(void) { return g_force; }

void PLT_force_use_recorder(int on) { g_force = on ? &g_recorder_iface : &g_haptic_iface; }

int PLT_force_log_count(void) { return g_log_count; }

const PLT_force_entry* PLT_force_log(int i)
{
    return i >= 0 && i < g_log_count && i < PLT_FORCE_LOG ? &g_log[i] : nullptr;
}

void PLT_force_log_clear(void) { g_log_count = 0; }
