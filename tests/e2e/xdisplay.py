"""A private X display for driving the game like a player: Xvfb, the top-level windows with their
titles, screen pictures, the clipboard (Xlib through ctypes), and real input events (xdotool,
which sends them through the XTEST extension).

Everything here is Python's standard library plus the X tools the build installs (Xvfb, xdotool)
and libX11, which those tools bring along.
"""

import ctypes
import ctypes.util
import os
import select
import shutil
import subprocess
import time


class E2EError(Exception):
    """A failed expectation: the message says what was expected and what was seen."""


def wait_for(what, probe, timeout, interval=0.05):
    """Polls `probe` until it returns something true and returns that; fails after `timeout`
    seconds with a message naming `what`."""
    began = time.monotonic()
    end = began + timeout
    while True:
        value = probe()
        if value:
            if os.environ.get("E2E_SLOW_WAITS") and time.monotonic() - began > 1:
                print(f"    waited {time.monotonic() - began:.1f} s for {what}", flush=True)
            return value
        if time.monotonic() > end:
            raise E2EError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


# ---- Xlib through ctypes ----

_c_ulong_p = ctypes.POINTER(ctypes.c_ulong)


class _WindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("border_width", ctypes.c_int), ("depth", ctypes.c_int),
                ("visual", ctypes.c_void_p), ("root", ctypes.c_ulong), ("c_class", ctypes.c_int),
                ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int),
                ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
                ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


class _Image(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong),
                ("blue_mask", ctypes.c_ulong)]


class _SelectionEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("requestor", ctypes.c_ulong),
                ("selection", ctypes.c_ulong), ("target", ctypes.c_ulong),
                ("property", ctypes.c_ulong), ("time", ctypes.c_ulong)]


class _Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("selection", _SelectionEvent),
                ("pad", ctypes.c_long * 24)]


def _load_xlib():
    lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    sig = {
        "XOpenDisplay": (ctypes.c_void_p, [ctypes.c_char_p]),
        "XCloseDisplay": (ctypes.c_int, [ctypes.c_void_p]),
        "XDefaultRootWindow": (ctypes.c_ulong, [ctypes.c_void_p]),
        "XInternAtom": (ctypes.c_ulong, [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]),
        "XQueryTree": (ctypes.c_int, [ctypes.c_void_p, ctypes.c_ulong, _c_ulong_p, _c_ulong_p,
                                      ctypes.POINTER(_c_ulong_p), ctypes.POINTER(ctypes.c_uint)]),
        "XGetWindowAttributes": (ctypes.c_int, [ctypes.c_void_p, ctypes.c_ulong,
                                                ctypes.POINTER(_WindowAttributes)]),
        "XGetWindowProperty": (ctypes.c_int, [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
            ctypes.c_int, ctypes.c_ulong, _c_ulong_p, ctypes.POINTER(ctypes.c_int), _c_ulong_p,
            _c_ulong_p, ctypes.POINTER(ctypes.c_void_p)]),
        "XGetImage": (ctypes.POINTER(_Image), [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                               ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                               ctypes.c_ulong, ctypes.c_int]),
        "XFree": (ctypes.c_int, [ctypes.c_void_p]),
        "XCreateSimpleWindow": (ctypes.c_ulong, [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                                 ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                                 ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]),
        "XDestroyWindow": (ctypes.c_int, [ctypes.c_void_p, ctypes.c_ulong]),
        "XConvertSelection": (ctypes.c_int, [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                             ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong]),
        "XPending": (ctypes.c_int, [ctypes.c_void_p]),
        "XNextEvent": (ctypes.c_int, [ctypes.c_void_p, ctypes.POINTER(_Event)]),
        "XFlush": (ctypes.c_int, [ctypes.c_void_p]),
        "XSync": (ctypes.c_int, [ctypes.c_void_p, ctypes.c_int]),
        "XSetErrorHandler": (ctypes.c_void_p, [ctypes.c_void_p]),
        "XQueryPointer": (ctypes.c_int, [ctypes.c_void_p, ctypes.c_ulong, _c_ulong_p, _c_ulong_p,
                                         ctypes.POINTER(ctypes.c_int),
                                         ctypes.POINTER(ctypes.c_int),
                                         ctypes.POINTER(ctypes.c_int),
                                         ctypes.POINTER(ctypes.c_int),
                                         ctypes.POINTER(ctypes.c_uint)]),
        "XSetSelectionOwner": (ctypes.c_int, [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                              ctypes.c_ulong]),
    }
    for name, (res, args) in sig.items():
        fn = getattr(lib, name)
        fn.restype = res
        fn.argtypes = args
    return lib


_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda d, e: 0)


class Window:
    """A top-level window as last seen: id, title, place and size, whether it is mapped."""

    def __init__(self, wid, title, x, y, width, height, mapped, popup):
        self.id, self.title = wid, title
        self.x, self.y, self.width, self.height = x, y, width, height
        self.mapped, self.popup = mapped, popup

    def __repr__(self):
        kind = "popup" if self.popup else "window"
        return f"{kind} {self.id:#x} {self.title!r} {self.width}x{self.height}+{self.x}+{self.y}"


class Picture:
    """A screen picture: width, height and 8-bit RGB triples, row by row."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def crop(self, x, y, w, h):
        rows = [self.rgb[3 * ((y + j) * self.width + x):3 * ((y + j) * self.width + x + w)]
                for j in range(h)]
        return Picture(w, h, b"".join(rows))

    def save_png(self, path):
        import struct
        import zlib
        raw = b"".join(b"\0" + self.rgb[3 * self.width * j:3 * self.width * (j + 1)]
                       for j in range(self.height))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
            f.write(chunk(b"IEND", b""))


class Display:
    """A private Xvfb server and a connection to it."""

    def __init__(self, width=1280, height=1024, log_dir=None):
        for tool in ("Xvfb", "xdotool"):
            if not shutil.which(tool):
                raise E2EError(f"'{tool}' is not installed (make deps installs it)")
        read_fd, write_fd = os.pipe()
        log = open(os.path.join(log_dir, "xvfb.log"), "wb") if log_dir else subprocess.DEVNULL
        # -displayfd: the server picks a free display number and writes it to the pipe.
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-dpi", "96", "-noreset"],
            pass_fds=(write_fd,), stdout=log, stderr=log)
        os.close(write_fd)
        number = b""
        end = time.monotonic() + 30
        while not number.endswith(b"\n"):
            left = end - time.monotonic()
            if left <= 0 or self.server.poll() is not None:
                self.server.kill()
                raise E2EError("the X server (Xvfb) did not start: see xvfb.log")
            ready, _, _ = select.select([read_fd], [], [], left)
            if ready:
                chunk = os.read(read_fd, 16)
                if not chunk:
                    break
                number += chunk
        os.close(read_fd)
        if not number.strip():
            self.server.kill()
            raise E2EError("the X server (Xvfb) did not report a display number")
        self.name = ":" + number.strip().decode()
        self.env = dict(os.environ, DISPLAY=self.name)
        self._x = _load_xlib()
        self._x.XSetErrorHandler(_ERROR_HANDLER)  # windows may vanish while we look at them
        self._d = self._x.XOpenDisplay(self.name.encode())
        if not self._d:
            self.close()
            raise E2EError(f"cannot connect to the X server {self.name}")
        self.root = self._x.XDefaultRootWindow(self._d)
        self.width, self.height = width, height

    def close(self):
        if getattr(self, "_d", None):
            self._x.XCloseDisplay(self._d)
            self._d = None
        if self.server.poll() is None:
            self.server.terminate()
            try:
                self.server.wait(10)
            except subprocess.TimeoutExpired:
                self.server.kill()
                self.server.wait()

    def _atom(self, name):
        return self._x.XInternAtom(self._d, name.encode(), 0)

    def _property(self, wid, name, kind):
        actual, fmt = ctypes.c_ulong(), ctypes.c_int()
        count, after, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
        ok = self._x.XGetWindowProperty(self._d, wid, self._atom(name), 0, 1 << 16, 0,
                                        self._atom(kind), ctypes.byref(actual), ctypes.byref(fmt),
                                        ctypes.byref(count), ctypes.byref(after),
                                        ctypes.byref(data))
        if ok != 0 or not data.value:
            return None
        value = ctypes.string_at(data.value, count.value)
        self._x.XFree(data)
        return value

    def windows(self):
        """The top-level windows (no window manager runs: they are the root's children)."""
        self._x.XSync(self._d, 0)
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, n = _c_ulong_p(), ctypes.c_uint()
        if not self._x.XQueryTree(self._d, self.root, ctypes.byref(root), ctypes.byref(parent),
                                  ctypes.byref(children), ctypes.byref(n)):
            return []
        ids = [children[i] for i in range(n.value)]
        if children:
            self._x.XFree(children)
        found = []
        for wid in ids:
            a = _WindowAttributes()
            if not self._x.XGetWindowAttributes(self._d, wid, ctypes.byref(a)):
                continue
            title = self._property(wid, "_NET_WM_NAME", "UTF8_STRING")
            if title is None:
                title = self._property(wid, "WM_NAME", "STRING") or b""
            found.append(Window(wid, title.decode("utf-8", "replace"), a.x, a.y, a.width,
                                a.height, a.map_state == 2, bool(a.override_redirect)))
        return found

    def mapped(self):
        """The mapped top-level windows that a person would see (popups included)."""
        return [w for w in self.windows() if w.mapped and w.width > 1]

    def picture(self, x=0, y=0, width=None, height=None):
        """The screen's pixels in a rectangle (the whole screen by default)."""
        width = self.width - x if width is None else width
        height = self.height - y if height is None else height
        image = self._x.XGetImage(self._d, self.root, x, y, width, height, ~0 & (2**64 - 1), 2)
        if not image:
            raise E2EError("cannot read the screen's pixels")
        im = image.contents
        try:
            # Xvfb's 24-bit screen: four bytes a pixel, blue first.
            if im.bits_per_pixel != 32 or im.byte_order != 0 or (
                    im.red_mask and (im.red_mask, im.blue_mask) != (0xFF0000, 0xFF)):
                raise E2EError(f"unexpected screen format: {im.bits_per_pixel} bits a pixel, "
                               f"red mask {im.red_mask:#x}, byte order {im.byte_order}")
            data = ctypes.string_at(im.data, im.bytes_per_line * im.height)
        finally:
            self._x.XFree(im.data)
            self._x.XFree(image)
        stride = im.bytes_per_line
        rgb = bytearray(3 * width * height)
        for j in range(height):
            row = data[j * stride:j * stride + 4 * width]
            out = 3 * width * j
            rgb[out + 0:out + 3 * width:3] = row[2::4]
            rgb[out + 1:out + 3 * width:3] = row[1::4]
            rgb[out + 2:out + 3 * width:3] = row[0::4]
        return Picture(width, height, bytes(rgb))

    def clear_clipboard(self):
        """Leaves the clipboard without an owner (and so without text)."""
        win = self._x.XCreateSimpleWindow(self._d, self.root, 0, 0, 1, 1, 0, 0, 0)
        self._x.XSetSelectionOwner(self._d, self._atom("CLIPBOARD"), win, 0)
        self._x.XDestroyWindow(self._d, win)  # the selection goes with its owner
        self._x.XSync(self._d, 0)

    def clipboard(self, timeout=10.0):
        """The text on the clipboard (its owner is asked for it as UTF-8), or None."""
        d = self._d
        win = self._x.XCreateSimpleWindow(d, self.root, 0, 0, 1, 1, 0, 0, 0)
        prop = self._atom("ZORVAN_E2E_CLIPBOARD")
        self._x.XConvertSelection(d, self._atom("CLIPBOARD"), self._atom("UTF8_STRING"), prop,
                                  win, 0)
        self._x.XFlush(d)
        event = _Event()
        end = time.monotonic() + timeout
        try:
            while time.monotonic() < end:
                if not self._x.XPending(d):
                    time.sleep(0.02)
                    continue
                self._x.XNextEvent(d, ctypes.byref(event))
                if event.type != 31:  # SelectionNotify
                    continue
                if event.selection.property == 0:
                    return None
                value = self._property(win, "ZORVAN_E2E_CLIPBOARD", "UTF8_STRING")
                return None if value is None else value.decode("utf-8", "replace")
            return None
        finally:
            self._x.XDestroyWindow(d, win)
            self._x.XFlush(d)

    # ---- real input, through XTEST ----

    def xdotool(self, *args):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env,
                                capture_output=True, text=True, timeout=30)
        if result.returncode != 0:
            raise E2EError(f"xdotool {' '.join(map(str, args))} failed: {result.stderr.strip()}")
        return result.stdout

    def pointer(self):
        """Where the mouse pointer is, in screen pixels."""
        root, child = ctypes.c_ulong(), ctypes.c_ulong()
        x, y, wx, wy, mask = (ctypes.c_int(), ctypes.c_int(), ctypes.c_int(), ctypes.c_int(),
                              ctypes.c_uint())
        self._x.XQueryPointer(self._d, self.root, ctypes.byref(root), ctypes.byref(child),
                              ctypes.byref(x), ctypes.byref(y), ctypes.byref(wx),
                              ctypes.byref(wy), ctypes.byref(mask))
        return x.value, y.value

    def click(self, x, y, button=1):
        x, y = int(x), int(y)
        if self.pointer() != (x, y):  # (--sync would wait for a motion that never comes)
            self.xdotool("mousemove", "--sync", x, y)
        self.xdotool("click", button)

    def key(self, *keys):
        self.xdotool("key", "--delay", 40, *keys)

    def type_text(self, text):
        self.xdotool("type", "--delay", 40, text)
