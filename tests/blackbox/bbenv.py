"""The world a black-box run needs: a virtual X display with a real window manager, a private
sound server with a null sink, a program folder, the running program, and input, screen and
sound taken through the X server and the sound server, as a user's would be."""
import ctypes
import ctypes.util
import os
import shutil
import signal
import subprocess
import tempfile
import time


class Timeout(Exception):
    pass


def wait_for(what, predicate, seconds, step=0.05):
    """Polls predicate until it returns a true value; every wait of the suite is bounded."""
    end = time.monotonic() + seconds
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > end:
            raise Timeout("timed out after %.1f s waiting for %s" % (seconds, what))
        time.sleep(step)


class Desktop:
    """Xvfb on a display number of its own choosing, with openbox managing it and a session bus,
    as an operator's desktop has. Without a bus, Qt's accessibility bridge makes the bus library
    fork a launcher while other threads run; under the sanitizers the forked child can hang on the
    allocator's lock, and with it the program's first window."""

    def __init__(self, width=1920, height=1080):
        self.width, self.height = width, height
        self.xvfb = None
        self.wm = None
        self.bus = None
        self.display = None

    def start(self):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "%dx%dx24" % (self.width, self.height),
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        end = time.monotonic() + 20
        while not number.endswith(b"\n"):
            if time.monotonic() > end:
                raise Timeout("Xvfb did not report its display")
            chunk = os.read(read_fd, 16)
            if not chunk:
                raise RuntimeError("Xvfb ended before it reported its display")
            number += chunk
        os.close(read_fd)
        self.display = ":" + number.decode().strip()
        os.environ["DISPLAY"] = self.display
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        wait_for("openbox", lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in run_text(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]), 20)
        self.start_bus()

    def start_bus(self):
        if not shutil.which("dbus-daemon"):
            # No bus at all, and none to be launched: the bridge gives up at once.
            os.environ["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=/nonexistent/rbx-no-bus"
            return
        self.bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        address = self.bus.stdout.readline().strip()
        if not address:
            raise RuntimeError("the session bus did not report its address")
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address

    def stop(self):
        for proc in (self.bus, self.wm, self.xvfb):
            if proc and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()


class SoundServer:
    """A private PulseAudio daemon with a null sink, in a runtime folder of its own. A second
    object on the same root reaches the same daemon (to end it, or start it again)."""

    def __init__(self, root):
        self.runtime = os.path.join(root, "runtime")
        os.makedirs(self.runtime, mode=0o700, exist_ok=True)
        self.started = False
        self.address = []

    def start(self, side_socket=None):
        """Starts the daemon. With side_socket its clients' usual socket stays closed and it takes
        connections on that path only, until open_usual_socket()."""
        os.environ["XDG_RUNTIME_DIR"] = self.runtime
        os.environ["PULSE_RUNTIME_PATH"] = os.path.join(self.runtime, "pulse")
        os.environ.pop("PULSE_SERVER", None)
        protocol = "module-native-protocol-unix" + (" socket=" + side_socket if side_socket else "")
        subprocess.run(["pulseaudio", "--daemonize=yes", "--exit-idle-time=-1", "--system=false",
                        "--disallow-exit", "-n", "--load=" + protocol,
                        "--load=module-null-sink sink_name=rbx_null", "--load=module-always-sink"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        self.address = ["--server=unix:" + side_socket] if side_socket else []
        wait_for("the sound server", lambda: self.pactl("info"), 20)
        self.pactl("set-default-sink", "rbx_null")
        self.started = True

    def open_usual_socket(self):
        self.pactl("load-module", "module-native-protocol-unix")

    def pactl(self, *args):
        return subprocess.run(["pactl"] + self.address + list(args), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=10).returncode == 0

    def stop(self):
        if self.started:
            subprocess.run(["pulseaudio", "--kill"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           timeout=20)

    def crash(self):
        """Ends the daemon at once, as a crash does (no goodbye to its clients)."""
        pid_file = os.path.join(self.runtime, "pulse", "pid")
        with open(pid_file) as f:
            os.kill(int(f.read().split()[0]), signal.SIGKILL)
        # Where nothing reaps the daemon at once its zombie would pass for a running daemon and
        # keep the next from starting.
        os.remove(pid_file)
        wait_for("the sound server to end", lambda: subprocess.run(
            ["pactl", "info"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode != 0, 20)


class Recorder:
    """Records the null sink's monitor as 16-bit stereo at 44.1 kHz."""

    RATE = 44100

    def __init__(self, path, server=None):
        self.path = path
        self.proc = None
        self.started_at = None
        self.server = ["--server=" + server] if server else []

    def start(self):
        self.out = open(self.path, "wb")
        self.proc = subprocess.Popen(["parec"] + self.server + ["-d", "rbx_null.monitor", "--format=s16le", "--rate=44100",
                                      "--channels=2", "--latency-msec=10", "--raw"], stdout=self.out,
                                     stderr=subprocess.DEVNULL)
        self.started_at = time.monotonic()
        # The stream is connected once bytes flow (the null sink's monitor delivers silence too).
        wait_for("the recorder", lambda: os.path.getsize(self.path) > 8820, 10)
        return self

    def stop(self):
        if self.proc:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
            self.out.close()
            self.proc = None
        with open(self.path, "rb") as f:
            return f.read()


class ClockedRecorder(Recorder):
    """A recorder whose samples can be placed on this process's monotonic clock. While it runs, a
    thread notes (monotonic time, bytes written so far) every millisecond. A byte count seen at
    time T says the frame it ends with had left the sink by T, so frame 0 left by T - frames / rate;
    the smallest such value over all notes is the best bound, late only by the monitor's fixed
    delivery delay (the recorder's own offset, which the caller estimates against paplay)."""

    def start(self):
        import threading
        self.notes = []
        self.polling = True
        super().start()
        self.thread = threading.Thread(target=self._poll, daemon=True)
        self.thread.start()
        return self

    def _poll(self):
        last = -1
        while self.polling:
            size = os.path.getsize(self.path)
            now = time.monotonic()
            if size != last:
                self.notes.append((now, size))
                last = size
            time.sleep(0.001)

    def stop(self):
        self.polling = False
        self.thread.join(5)
        return super().stop()

    def origin(self):
        """Monotonic time of the recording's first frame."""
        return min(t - size / 4 / self.RATE for t, size in self.notes if size > 0)


def run_text(args, timeout=10):
    try:
        return subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=timeout,
                              text=True).stdout
    except (subprocess.TimeoutExpired, FileNotFoundError):
        return ""


def xdotool(*args, timeout=10):
    return run_text(["xdotool"] + [str(a) for a in args], timeout=timeout)


def windows_named(pattern):
    out = xdotool("search", "--onlyvisible", "--name", pattern)
    return [int(w) for w in out.split()]


def window_geometry(window):
    """Client position and size of a window on the screen."""
    values = {}
    for line in xdotool("getwindowgeometry", "--shell", window).splitlines():
        key, _, value = line.partition("=")
        values[key] = int(value) if value.lstrip("-").isdigit() else value
    return values.get("X"), values.get("Y"), values.get("WIDTH"), values.get("HEIGHT")


def frame_extents(window):
    text = run_text(["xprop", "-id", str(window), "_NET_FRAME_EXTENTS"])
    if "=" not in text:
        return (0, 0, 0, 0)
    return tuple(int(v) for v in text.split("=")[1].split(","))


def window_title(window):
    return xdotool("getwindowname", window).strip()


def minimised(window):
    """Whether the window manager has the window iconified (ICCCM WM_STATE Iconic)."""
    return "Iconic" in run_text(["xprop", "-id", str(window), "WM_STATE"])


def screenshot():
    """The whole screen as (width, height, rgb bytes)."""
    data = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "rgb:-"],
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=30).stdout
    return data


class Program:
    """The built program in a program folder of its own, its stderr kept for the sanitizers."""

    def __init__(self, binary, home, args=(), env=None):
        self.binary, self.home, self.args = binary, home, list(args)
        self.env = dict(os.environ)
        self.env["RALLYBOX_HOME"] = home
        self.env.pop("QT_QPA_PLATFORM", None)
        if env:
            self.env.update(env)
        self.proc = None
        self.stderr_path = os.path.join(home, "stderr.txt")
        self.window = None

    def start(self, wait_window=True, seconds=60):
        self.stderr = open(self.stderr_path, "wb")
        self.proc = subprocess.Popen([self.binary] + self.args, env=self.env, stdout=subprocess.DEVNULL,
                                     stderr=self.stderr, start_new_session=True)
        if wait_window:
            self.window = wait_for("the main window", self.main_window, seconds, step=0.1)
        return self

    def main_window(self):
        for w in windows_named("^Rallybox - Version"):
            x, y, width, height = window_geometry(w)
            if width and width > 400:
                return w
        return None

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    def kill(self):
        if self.running():
            os.killpg(self.proc.pid, signal.SIGKILL)
            self.proc.wait(10)
        if self.proc:
            self.stderr.close()

    def wait_exit(self, seconds):
        try:
            return self.proc.wait(seconds)
        except subprocess.TimeoutExpired:
            raise Timeout("the program did not end within %d s" % seconds)

    def stderr_text(self):
        self.stderr.flush()
        with open(self.stderr_path, "rb") as f:
            return f.read().decode("utf-8", "replace")

    def diagnosis(self):
        """What a stuck start-up leaves to read: the process's state, its stderr, the windows on
        the display and, where gdb is installed, every thread's stack."""
        lines = []
        if self.proc is None:
            return "the program was never started"
        code = self.proc.poll()
        lines.append("program %d: %s" % (self.proc.pid, "running" if code is None else "ended, code %s" % code))
        lines.append("windows: %s" % [run_text(["xdotool", "getwindowname", str(w)]).strip()
                                      for w in windows_named(".")])
        report = self.stderr_text()
        lines.append("stderr (last 3000 characters):\n" + report[-3000:])
        if code is None and shutil.which("gdb"):
            lines.append(run_text(["gdb", "-batch", "-nx", "-p", str(self.proc.pid),
                                   "-ex", "thread apply all bt 30"], timeout=120))
        return "\n".join(lines)


def temp_root():
    return tempfile.mkdtemp(prefix="rbx-blackbox.")


def remove_tree(path):
    shutil.rmtree(path, ignore_errors=True)


def xlib():
    """libX11 through ctypes, with the argument types of the calls the cases make."""
    x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    for name in ("XFlush", "XPending", "XConnectionNumber", "XCloseDisplay"):
        getattr(x, name).argtypes = [ctypes.c_void_p]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
    return x


class FastInput:
    """Clicks and keys through the X server's XTest extension from this process, for the storm's
    rate (a program started per event is too slow)."""

    def __init__(self):
        import ctypes
        import ctypes.util
        self.x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self.xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XStringToKeysym.restype = ctypes.c_ulong
        self.x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
        self.x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_ulong]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(os.environ["DISPLAY"].encode())
        if not self.display:
            raise RuntimeError("cannot open the X display for XTest")
        self.codes = {}

    def click(self, x, y, button=1):
        self.xtst.XTestFakeMotionEvent(self.display, -1, x, y, 0)
        self.xtst.XTestFakeButtonEvent(self.display, button, 1, 0)
        self.xtst.XTestFakeButtonEvent(self.display, button, 0, 0)
        self.x11.XSync(self.display, 0)

    def key(self, name, modifier_first=False):
        """One key, or a chord such as "Alt_L+t" (pressed in order, released in reverse, or with
        modifier_first in the order pressed: the modifier let go a moment before the key)."""
        codes = [self.code(part) for part in name.split("+")]
        if not all(codes):
            return
        for code in codes:
            self.xtst.XTestFakeKeyEvent(self.display, code, 1, 0)
        for code in (codes if modifier_first else reversed(codes)):
            self.xtst.XTestFakeKeyEvent(self.display, code, 0, 0)
        self.x11.XSync(self.display, 0)

    def code(self, name):
        code = self.codes.get(name)
        if code is None:
            code = self.x11.XKeysymToKeycode(self.display, self.x11.XStringToKeysym(name.encode()))
            self.codes[name] = code
        return code
