#!/usr/bin/env python3
# window_pixels.py -- counts the pixels of a colour in a rectangle of the X screen: window_pixels.py
# X Y W H R G B TOL prints how many pixels of the screen rectangle (X, Y) W by H (pixels, y down)
# lie within TOL of the colour R G B in each channel. Reads the screen through the X library.
import ctypes
import sys


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


def main():
    x0, y0, w, h, r, g, b, tol = (int(a) for a in sys.argv[1:9])
    xl = ctypes.cdll.LoadLibrary("libX11.so.6")
    xl.XOpenDisplay.restype = ctypes.c_void_p
    xl.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xl.XDefaultRootWindow.restype = ctypes.c_ulong
    xl.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xl.XGetImage.restype = ctypes.POINTER(XImage)
    xl.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                             ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    display = xl.XOpenDisplay(None)
    if not display:
        print("no display", file=sys.stderr)
        return 2
    zpixmap, all_planes = 2, 0xFFFFFFFF
    image = xl.XGetImage(display, xl.XDefaultRootWindow(display), x0, y0, w, h, all_planes, zpixmap)
    if not image:
        print("cannot read the screen", file=sys.stderr)
        return 2
    im = image.contents
    if im.bits_per_pixel != 32:
        print("the screen is not 24-bit", file=sys.stderr)
        return 2
    count = 0
    for j in range(im.height):
        row = j * im.bytes_per_line
        for i in range(im.width):
            p = row + 4 * i
            # 32-bit pixels hold blue, green, red, unused in memory (least significant byte first).
            pb, pg, pr = im.data[p], im.data[p + 1], im.data[p + 2]
            if abs(pr - r) <= tol and abs(pg - g) <= tol and abs(pb - b) <= tol:
                count += 1
    print(count)
    return 0


if __name__ == "__main__":
    sys.exit(main())
