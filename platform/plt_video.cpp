// plt_video.cpp -- the window, its OpenGL context, display modes and the event queue on SDL2.
#include "plt.h"

#include <SDL.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstring>

namespace {

SDL_Window* g_window = nullptr;
SDL_GLContext g_context = nullptr;
bool g_video_up = false;
bool g_key_state[256];
int g_signal_told = 0;         // the quit signal caught has been given out as a close event
bool g_have_mode = false;      // a full-screen mode was chosen
SDL_DisplayMode g_mode;        // that mode
bool g_mode_switched = false;  // the display runs the chosen mode instead of the desktop's
int g_switches = 0;

// SDL scancodes to Windows virtual-key numbers. Scancodes name the key's position, so the number
// pad keeps its numbers whatever NumLock says and the letters follow the US layout.
int vkey_from_scancode(SDL_Scancode sc)
{
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 65 + (sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return 49 + (sc - SDL_SCANCODE_1);
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return 112 + (sc - SDL_SCANCODE_F1);
    if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return 97 + (sc - SDL_SCANCODE_KP_1);
    switch (sc) {
    case SDL_SCANCODE_0: return 48;
    case SDL_SCANCODE_KP_0: return 96;
    case SDL_SCANCODE_KP_MULTIPLY: return 106;
    case SDL_SCANCODE_KP_PLUS: return 107;
    case SDL_SCANCODE_KP_MINUS: return 109;
    case SDL_SCANCODE_KP_PERIOD: return 110;
    case SDL_SCANCODE_KP_DIVIDE: return 111;
    case SDL_SCANCODE_KP_ENTER: return 13;
    case SDL_SCANCODE_BACKSPACE: return 8;
    case SDL_SCANCODE_TAB: return 9;
    case SDL_SCANCODE_RETURN: return 13;
    case SDL_SCANCODE_LSHIFT: case SDL_SCANCODE_RSHIFT: return 16;
    case SDL_SCANCODE_LCTRL: case SDL_SCANCODE_RCTRL: return 17;
    case SDL_SCANCODE_LALT: case SDL_SCANCODE_RALT: return 18;
    case SDL_SCANCODE_PAUSE: return 19;
    case SDL_SCANCODE_CAPSLOCK: return 20;
    case SDL_SCANCODE_ESCAPE: return 27;
    case SDL_SCANCODE_SPACE: return 32;
    case SDL_SCANCODE_PAGEUP: return 33;
    case SDL_SCANCODE_PAGEDOWN: return 34;
    case SDL_SCANCODE_END: return 35;
    case SDL_SCANCODE_HOME: return 36;
    case SDL_SCANCODE_LEFT: return 37;
    case SDL_SCANCODE_UP: return 38;
    case SDL_SCANCODE_RIGHT: return 39;
    case SDL_SCANCODE_DOWN: return 40;
    case SDL_SCANCODE_INSERT: return 45;
    case SDL_SCANCODE_DELETE: return 46;
    case SDL_SCANCODE_SEMICOLON: return 186;
    case SDL_SCANCODE_EQUALS: return 187;
    case SDL_SCANCODE_COMMA: return 188;
    case SDL_SCANCODE_MINUS: return 189;
    case SDL_SCANCODE_PERIOD: return 190;
    case SDL_SCANCODE_SLASH: return 191;
    case SDL_SCANCODE_GRAVE: return 192;
    case SDL_SCANCODE_LEFTBRACKET: return 219;
    case SDL_SCANCODE_BACKSLASH: return 220;
    case SDL_SCANCODE_RIGHTBRACKET: return 221;
    case SDL_SCANCODE_APOSTROPHE: return 222;
    default: return 0;
    }
}

void note_key(int vkey, bool down)
{
    if (vkey > 0 && vkey < 256) g_key_state[vkey] = down;
}

}  // namespace

int PLT_init_video(void)
{
    if (g_video_up) return 1;
    // SIGTERM and SIGINT are the library's to handle (PLT_catch_quit_signals), not SDL's.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "video: %s\n", SDL_GetError());
        return 0;
    }
    g_video_up = true;
    return 1;
}

int PLT_current_mode(int* w, int* h, int* bits)
{
    if (!PLT_init_video()) return 0;
    SDL_DisplayMode m;
    if (SDL_GetCurrentDisplayMode(0, &m) != 0 && SDL_GetDesktopDisplayMode(0, &m) != 0) return 0;
    *w = m.w;
    *h = m.h;
    *bits = SDL_BITSPERPIXEL(m.format);
    return 1;
}

int PLT_enum_mode(int i, int* w, int* h, int* bits)
{
    if (!PLT_init_video()) return 0;
    if (i < 0 || i >= SDL_GetNumDisplayModes(0)) return 0;
    SDL_DisplayMode m;
    if (SDL_GetDisplayMode(0, i, &m) != 0) return 0;
    *w = m.w;
    *h = m.h;
    *bits = SDL_BITSPERPIXEL(m.format);
    return 1;
}

int PLT_set_mode(int w, int h, int bits)
{
    if (!PLT_init_video()) return 0;
    SDL_DisplayMode desk;
    if (SDL_GetDesktopDisplayMode(0, &desk) != 0) return 0;
    if (desk.w == w && desk.h == h) {
        // The desktop's own mode: leave any switched mode.
        g_have_mode = false;
        if (g_window && g_mode_switched) {
            SDL_SetWindowFullscreen(g_window, SDL_WINDOW_FULLSCREEN_DESKTOP);
            g_mode_switched = false;
            g_switches++;
        }
        return 1;
    }
    // The listed mode of that size, of the asked colour depth when there is one.
    int n = SDL_GetNumDisplayModes(0), found = -1;
    for (int i = 0; i < n; i++) {
        SDL_DisplayMode m;
        if (SDL_GetDisplayMode(0, i, &m) != 0 || m.w != w || m.h != h) continue;
        if (found < 0 || static_cast<int>(SDL_BITSPERPIXEL(m.format)) == bits) found = i;
    }
    if (found < 0) return 0;
    SDL_GetDisplayMode(0, found, &g_mode);
    g_have_mode = true;
    if (!g_window) return 1;
    if (SDL_SetWindowDisplayMode(g_window, &g_mode) != 0) return 0;
    if (SDL_SetWindowFullscreen(g_window, SDL_WINDOW_FULLSCREEN) != 0) return 0;
    g_mode_switched = true;
    g_switches++;
    return 1;
}

int PLT_mode_switches(void) { return g_switches; }

int PLT_open_window(const char* title, int w, int h, int fullscreen)
{
    if (!PLT_init_video()) return 0;
    if (g_window) PLT_close_window();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (fullscreen) flags |= g_have_mode ? SDL_WINDOW_FULLSCREEN : SDL_WINDOW_FULLSCREEN_DESKTOP;
    g_window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, w, h, flags);
    if (!g_window) {
        std::fprintf(stderr, "window: %s\n", SDL_GetError());
        return 0;
    }
    if (fullscreen && g_have_mode) {
        if (SDL_SetWindowDisplayMode(g_window, &g_mode) == 0) {
            g_mode_switched = true;
            g_switches++;
        } else {
            SDL_SetWindowFullscreen(g_window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        }
    }
    g_context = SDL_GL_CreateContext(g_window);
    if (!g_context) {
        std::fprintf(stderr, "OpenGL context: %s\n", SDL_GetError());
        SDL_DestroyWindow(g_window);
        g_window = nullptr;
        return 0;
    }
    SDL_GL_MakeCurrent(g_window, g_context);
    SDL_GL_SetSwapInterval(1);  // vsync where the driver offers it; no other limiter
    std::memset(g_key_state, 0, sizeof g_key_state);
    // The first exposure: nothing is drawn before a paint, and some drivers never send one.
    PLT_event paint{};
    paint.kind = PLT_EV_PAINT;
    PLT_push_event(paint);
    return 1;
}

void PLT_drawable_size(int* w, int* h)
{
    *w = *h = 0;
    if (g_window) SDL_GL_GetDrawableSize(g_window, w, h);
}

const char* PLT_renderer(void)
{
    if (!g_context) return "";
    const char* r = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return r ? r : "";
}

void PLT_swap(void)
{
    if (g_window) SDL_GL_SwapWindow(g_window);
}

void PLT_close_window(void)
{
    if (g_context) SDL_GL_DeleteContext(g_context);
    if (g_window) SDL_DestroyWindow(g_window);  // puts the desktop's mode back when it was switched
    if (g_mode_switched) g_switches++;
    g_mode_switched = false;
    g_have_mode = false;
    g_context = nullptr;
    g_window = nullptr;
    // Events of the window that is gone must not reach the next one.
    if (g_video_up) {
        SDL_PumpEvents();
        SDL_Event e;
        while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1)
            if (e.type == SDL_USEREVENT) delete static_cast<PLT_event*>(e.user.data1);
    }
}

int PLT_window_open(void) { return g_window != nullptr; }

int PLT_key_down(int vkey) { return vkey > 0 && vkey < 256 && g_key_state[vkey]; }

int PLT_poll_event(PLT_event* ev)
{
    if (PLT_quit_signal() && !g_signal_told) {
        g_signal_told = 1;
        *ev = PLT_event{};
        ev->kind = PLT_EV_CLOSE;
        return 1;
    }
    if (!PLT_quit_signal()) g_signal_told = 0;
    if (!g_video_up) return 0;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        *ev = PLT_event{};
        switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            int vk = vkey_from_scancode(e.key.keysym.scancode);
            if (!vk) continue;
            bool down = e.type == SDL_KEYDOWN;
            note_key(vk, down);
            ev->kind = down ? PLT_EV_KEYDOWN : PLT_EV_KEYUP;
            ev->vkey = vk;
            return 1;
        }
        case SDL_MOUSEMOTION:
            ev->kind = PLT_EV_MOUSEMOVE;
            ev->x = e.motion.x;
            ev->y = e.motion.y;
            return 1;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (e.button.button != SDL_BUTTON_LEFT && e.button.button != SDL_BUTTON_RIGHT) continue;
            ev->kind = e.type == SDL_MOUSEBUTTONDOWN ? PLT_EV_BUTTONDOWN : PLT_EV_BUTTONUP;
            ev->x = e.button.x;
            ev->y = e.button.y;
            ev->button = e.button.button == SDL_BUTTON_LEFT ? 1 : 2;
            return 1;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SHOWN) {
                ev->kind = PLT_EV_PAINT;
                return 1;
            }
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                ev->kind = PLT_EV_CLOSE;
                return 1;
            }
            if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED && g_window) {
                ev->kind = PLT_EV_RESIZE;
                SDL_GL_GetDrawableSize(g_window, &ev->x, &ev->y);
                return 1;
            }
            continue;
        case SDL_QUIT:
            ev->kind = PLT_EV_CLOSE;
            return 1;
        case SDL_USEREVENT: {
            // A pushed event travels whole in the user event's data words.
            PLT_event* boxed = static_cast<PLT_event*>(e.user.data1);
            *ev = *boxed;
            delete boxed;
            if (ev->kind == PLT_EV_KEYDOWN) note_key(ev->vkey, true);
            if (ev->kind == PLT_EV_KEYUP) note_key(ev->vkey, false);
            return 1;
        }
        default:
            continue;
        }
    }
    return 0;
}

int PLT_wait_event(int timeout_ms)
{
    // In short steps, so that a quit signal is seen within one of them.
    const uint32_t start = SDL_GetTicks();
    for (;;) {
        if (PLT_quit_signal()) return 1;
        const int left = timeout_ms - static_cast<int>(SDL_GetTicks() - start);
        if (left <= 0) return 0;
        if (!g_video_up) {
            SDL_Delay(static_cast<Uint32>(left < 50 ? left : 50));
            continue;
        }
        if (SDL_WaitEventTimeout(nullptr, left < 50 ? left : 50)) return 1;
    }
}

void PLT_push_event(const PLT_event& ev)
{
    if (!PLT_init_video()) return;
    SDL_Event e{};
    e.type = SDL_USEREVENT;
    e.user.data1 = new PLT_event(ev);
    if (SDL_PushEvent(&e) != 1) delete static_cast<PLT_event*>(e.user.data1);
}
