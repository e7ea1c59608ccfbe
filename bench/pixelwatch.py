"""Watches a few points of the X screen for given colours, as an operator's eye would, through Xlib
(ctypes): one 1x1 image per point and poll, about every millisecond."""
import ctypes
import ctypes.util
import os
import time

ALL_PLANES = 0xFFFFFFFF
Z_PIXMAP = 2


class PixelWatch:
    def __init__(self, points):
        self.x = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XGetImage.restype = ctypes.c_void_p
        self.x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                     ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x.XGetPixel.restype = ctypes.c_ulong
        self.x.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        self.x.XDestroyImage.argtypes = [ctypes.c_void_p]
        self.display = self.x.XOpenDisplay(os.environ["DISPLAY"].encode())
        if not self.display:
            raise RuntimeError("cannot open the display " + os.environ["DISPLAY"])
        self.root = self.x.XDefaultRootWindow(self.display)
        self.points = points

    def pixel(self, point):
        image = self.x.XGetImage(self.display, self.root, point[0], point[1], 1, 1, ALL_PLANES, Z_PIXMAP)
        if not image:
            return None
        value = self.x.XGetPixel(image, 0, 0)
        self.x.XDestroyImage(image)
        return (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF

    def all_match(self, colors):
        return all(self.pixel(p) == tuple(c) for p, c in zip(self.points, colors))

    def wait_all(self, colors, seconds):
        """monotonic_ns of the first poll that sees every point in its colour, or None."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if self.all_match(colors):
                return time.monotonic_ns()
            time.sleep(0.001)
        return None
