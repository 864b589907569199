#!/usr/bin/env python3
# window_churn.py [SECONDS] -- opens and closes small windows on DISPLAY until killed (or for SECONDS).
# Run from the build folder, it checks that the end-to-end tests ride over windows that come and go:
#   xvfb-run -a -s "-screen 0 1024x768x24" sh -c 'openbox & sleep 1; python3 ../tests/e2e/window_churn.py & ctest -L e2e'
# A tool for a developer, not registered as a test. The windows are 4 by 4 pixels in the
# screen's bottom-right corner and bypass the window manager, so they take neither focus, keys nor
# clicks from the programs under test. Talks to the X library directly, as window_pixels.py does.
import ctypes
import sys
import time


class XSetWindowAttributes(ctypes.Structure):
    _fields_ = [("background_pixmap", ctypes.c_ulong), ("background_pixel", ctypes.c_ulong),
                ("border_pixmap", ctypes.c_ulong), ("border_pixel", ctypes.c_ulong),
                ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
                ("event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("colormap", ctypes.c_ulong), ("cursor", ctypes.c_ulong)]


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else None
    xl = ctypes.cdll.LoadLibrary("libX11.so.6")
    xl.XOpenDisplay.restype = ctypes.c_void_p
    xl.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xl.XDefaultRootWindow.restype = ctypes.c_ulong
    xl.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xl.XDefaultScreen.argtypes = [ctypes.c_void_p]
    xl.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xl.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xl.XCreateWindow.restype = ctypes.c_ulong
    xl.XCreateWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                 ctypes.c_uint, ctypes.c_uint, ctypes.c_int, ctypes.c_uint, ctypes.c_void_p,
                                 ctypes.c_ulong, ctypes.POINTER(XSetWindowAttributes)]
    xl.XStoreName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_char_p]
    xl.XMapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xl.XDestroyWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xl.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    display = xl.XOpenDisplay(None)
    if not display:
        print("no display", file=sys.stderr)
        return 2
    root = xl.XDefaultRootWindow(display)
    screen = xl.XDefaultScreen(display)
    x, y = xl.XDisplayWidth(display, screen) - 6, xl.XDisplayHeight(display, screen) - 6
    attributes = XSetWindowAttributes()
    attributes.override_redirect = 1
    attributes.background_pixel = 0x808080
    copy_from_parent, input_output, cw_back_pixel, cw_override_redirect = 0, 1, 1 << 1, 1 << 9
    alive = []
    end = None if seconds is None else time.monotonic() + seconds
    while end is None or time.monotonic() < end:
        # Eight windows live at a time, each for about 50 ms: every step opens one and closes the
        # oldest, some 170 a second. Faster, nearly every search dies and a look-up waits long.
        w = xl.XCreateWindow(display, root, x, y, 4, 4, 0, copy_from_parent, input_output, None,
                             cw_back_pixel | cw_override_redirect, ctypes.byref(attributes))
        xl.XStoreName(display, w, b"churn")
        xl.XMapWindow(display, w)
        alive.append(w)
        if len(alive) > 8:
            xl.XDestroyWindow(display, alive.pop(0))
        xl.XSync(display, 0)
        time.sleep(0.005)
    return 0


if __name__ == "__main__":
    sys.exit(main())
