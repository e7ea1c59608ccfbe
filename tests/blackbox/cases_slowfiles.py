"""Black-box cases for files that take long to open: a valid WAV followed by a long run of zero
bytes (a pre-allocated recording) is walked slowly by the WAV reader. The board must refuse it with
the file-format error and never stop answering; another button sounds right after, and
the exit is prompt. How long the window's thread kept the X server waiting is measured with
_NET_WM_PING: the program's event loop answers each ping, so a late answer is a stall. Last, the
program folder on a full disk: the exit must keep the set file whole and say so."""
import ctypes
import errno
import os
import select
import shutil
import subprocess
import threading
import time

import analyse
import bbenv
import board
from cases import case, check, recorded, settle
from session import Session

FORMAT_ERROR = "BASS Error (41):  unsupported file format"
CLIENT_MESSAGE = 33
STRUCTURE_NOTIFY, SUBSTRUCTURE_NOTIFY = 1 << 17, 1 << 19


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]


class PingProbe:
    """Pings the program's window every few ms from a thread of its own, one ping at a time, and
    keeps (sent, delay) for each answer."""

    def __init__(self, window):
        x = self.x = bbenv.xlib()
        self.display = x.XOpenDisplay(os.environ["DISPLAY"].encode())
        self.root = x.XDefaultRootWindow(self.display)
        self.window = window
        self.protocols = x.XInternAtom(self.display, b"WM_PROTOCOLS", 0)
        self.ping = x.XInternAtom(self.display, b"_NET_WM_PING", 0)
        # The program answers to the root window, for whoever listens there.
        x.XSelectInput(self.display, self.root, STRUCTURE_NOTIFY | SUBSTRUCTURE_NOTIFY)
        self.answers = []
        self.running = False

    def start(self):
        self.running = True
        self.thread = threading.Thread(target=self._run, daemon=True)
        self.thread.start()
        return self

    def stop(self):
        self.running = False
        self.thread.join(5)
        self.x.XCloseDisplay(self.display)
        return self.answers

    def _answered(self, serial):
        event = XEvent()
        while self.x.XPending(self.display):
            self.x.XNextEvent(self.display, ctypes.byref(event))
            m = event.xclient
            if event.type == CLIENT_MESSAGE and m.window == self.root and m.data[0] == self.ping and \
                    m.data[1] == serial:
                return True
        return False

    def _run(self):
        serial, fd = 0, self.x.XConnectionNumber(self.display)
        while self.running:
            serial += 1
            event = XEvent()
            m = event.xclient
            m.type, m.window, m.message_type, m.format = CLIENT_MESSAGE, self.window, self.protocols, 32
            m.data[0], m.data[1], m.data[2] = self.ping, serial, self.window
            sent = time.monotonic()
            self.x.XSendEvent(self.display, self.window, 0, 0, ctypes.byref(event))
            self.x.XFlush(self.display)
            while self.running and not self._answered(serial):
                select.select([fd], [], [], 0.005)
            if self.running:
                self.answers.append((sent, time.monotonic() - sent))
            time.sleep(0.005)


def padded_wav(path, zero_bytes):
    """A short valid tone followed by `zero_bytes` of zeros, left as a hole in the file."""
    board.tone(path, 0.3)
    with open(path, "r+b") as f:
        f.truncate(os.path.getsize(path) + zero_bytes)
    return path


def slow_board(home):
    """Group A page 1: slot 1 a WAV padded with 64 MiB of zeros, slot 2 a beep, slot 3 a WAV padded
    to 2 GiB, slot 4 a file of a type the board refuses without opening it."""
    sounds = os.path.join(home, "sounds")
    os.makedirs(sounds, exist_ok=True)
    files = {1: padded_wav(os.path.join(sounds, "padded.wav"), 64 << 20),
             2: board.tone(os.path.join(sounds, "beep.wav"), 0.4),
             3: padded_wav(os.path.join(sounds, "huge.wav"), 2 << 30),
             4: shutil.copyfile(os.path.join(sounds, "beep.wav"), os.path.join(sounds, "beep.xyz"))}
    cells = {n: {"caption": "Slot %d" % n, "file": f, "color": board.slot_color(n)[0]} for n, f in files.items()}
    set_path = os.path.join(home, "Slow.set")
    board.write_ini(set_path, [("Main", [("CreatedBy", "Rallybox"), ("Personalization", "")]),
                               board.page_section(1, 1, "Slow", cells)])
    return set_path


def refused_at_once(s, slot, what, error=FORMAT_ERROR):
    """Clicks the slot, waits for the error box and closes it; returns the click-to-box time and
    the longest ping answer in between (seconds)."""
    probe = PingProbe(s.window).start()
    settle(0.3)
    errors = s.count(error)
    clicked = time.monotonic()
    bbenv.FastInput().click(*s.slot_point(slot, 0.5, 0.25))
    bbenv.wait_for("the error box for the %s" % what, lambda: s.box("Error"), 300, step=0.01)
    boxed = time.monotonic() - clicked
    settle(0.3)
    answers = probe.stop()
    stall = max(delay for sent, delay in answers if sent + delay >= clicked)
    s.answer("Error", "Return")
    check(s.count(error) == errors + 1, "the %s was not refused with '%s'" % (what, error))
    print("  measured (%s): error box %.0f ms after the click; longest ping answer %.0f ms (%d pings)"
          % (what, boxed * 1000, stall * 1000, len(answers)))
    return boxed, stall


@case("a click on a WAV padded with 64 MiB of zeros is refused at once; the window never stalls")
def padded_file(s, rec_path):
    # What the error box alone costs the window's thread: a type refused before any opening.
    refused_at_once(s, 4, "refused type", "does not play files of type XYZ")
    boxed, stall = refused_at_once(s, 1, "padded file")
    # The window waits 30 ms for the open, which goes on in the background until the decoder has
    # spent 200 ms of processor time on it; the box's own making and a loaded machine add to it.
    check(stall < 0.25, "the window's thread stalled %.0f ms" % (stall * 1000))
    check(boxed < 2.0, "the refusal came %.0f ms after the click" % (boxed * 1000))


@case("after the refusal, a click on another button sounds at once")
def next_button(s, rec_path):
    rec = bbenv.ClockedRecorder(rec_path).start()
    settle(0.3)
    clicked = time.monotonic()
    bbenv.FastInput().click(*s.slot_point(2, 0.5, 0.25))
    settle(1.0)
    left = recorded(rec)
    found = analyse.sounds(left)
    check(len(found) == 1, "the click gave %d sounds" % len(found))
    delay = rec.origin() + found[0].start - clicked
    print("  measured: click to sound %.0f ms" % (delay * 1000))
    check(delay < 0.15, "the sound came %.0f ms after the click" % (delay * 1000))


@case("after a click on a WAV padded to 2 GiB, the exit ends promptly")
def exit_after_huge_file(s, rec_path):
    refused_at_once(s, 3, "2 GiB file")
    started = time.monotonic()
    code = s.exit(save=False, seconds=30)
    took = time.monotonic() - started
    print("  measured: exit took %.1f s" % took)
    check(code == 0, "the exit ended with code %s" % code)
    check(took < 10, "the exit took %.1f s" % took)


def fill(folder):
    """Takes every byte left on the file system of the folder."""
    with open(os.path.join(folder, "filler"), "wb", buffering=0) as f:
        for size in (1 << 20, 1):
            try:
                while True:
                    f.write(b"f" * size)
            except OSError as error:
                if error.errno != errno.ENOSPC:
                    raise


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


@case("the program folder on a full disk: the exit keeps the set file and the options whole and says so")
def exit_on_full_disk(binary, root, sessions):
    disk = os.path.join(root, "full-disk")
    os.makedirs(disk)
    mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64m", "rbxfull", disk],
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    if mounted.returncode != 0:
        print("  cannot mount a tmpfs to fill: %s" % mounted.stderr.strip())
        return "skipped"
    try:
        s = Session(binary, disk, "board")
        sessions.append(s)
        # The trace is how the suite follows the program, so it stays off the full disk.
        os.symlink(os.path.join(root, "full-disk-Tracer.txt"), os.path.join(s.home, "Tracer.txt"))
        s.start()
        options = os.path.join(s.home, "RBX.inf")
        set_file, options_file = read_bytes(s.set_path), read_bytes(options)
        fill(disk)
        s.click_named_point(s.exit_point())
        s.answer("Confirm", "y")
        # The options, then the button states written back into the set file: one box each.
        s.answer("Error", "Return")
        s.answer("Error", "Return")
        code = s.program.wait_exit(60)
        check(code == 0, "the exit ended with code %s" % code)
        check("SaveActivityFile - the set file could not be written" in s.trace(),
              "the trace does not say the set file could not be written")
        check(read_bytes(s.set_path) == set_file, "the set file changed on the full disk")
        check(read_bytes(options) == options_file, "the options file changed on the full disk")
    finally:
        for s in sessions:
            s.program.kill()
        subprocess.run(["umount", "-l", disk], stderr=subprocess.DEVNULL)


def run(binary, root, rec_path, sessions):
    s = Session(binary, root, "slow-files", board_maker=slow_board)
    sessions.append(s)
    s.start()
    padded_file(s, rec_path)
    next_button(s, rec_path)
    exit_after_huge_file(s, rec_path)
    exit_on_full_disk(binary, root, sessions)
