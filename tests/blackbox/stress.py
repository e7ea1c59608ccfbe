"""The stress test: random clicks, right clicks, keys and tool windows at 20 to 50 a second for a few
minutes over a full board holding a few damaged files and a slow one, while sounds play with fades;
half-way the sound server is killed and started again. Then a known button must be heard and the
program must exit normally. It passes when the program kept answering, no unexpected error box came
up, no two boxes were ever open at once, the sanitizers said nothing and the saved set file is
complete.

Every event goes to a log (RBX_STRESS_LOG, else /tmp/rbx-stress-SEED.events: the seed, then one
JSON line per event with its time); RBX_STRESS_REPLAY=LOG plays a logged run again, event by
event at the same times.

usage: stress.py PROGRAM   (RBX_STRESS_SECONDS sets the length, 180 by default)"""
import json
import os
import random
import sys
import time
import traceback

import analyse
import bbenv
import board
from cases import recorded
from session import Session

SLOT_KEYS = list("qwertyuioasdfghjklzxcvbnm0123456789") + ["F%d" % i for i in range(1, 10)]
NAV_KEYS = ["Left", "Right", "Up", "Down", "Prior", "Next", "Home", "End", "space", "Return", "Escape",
            "backslash", "KP_Add", "KP_Subtract", "Shift_L"]
# Design positions (784 x 494 layout) of the mode buttons that change how sounds play. The
# buttons that ask questions (New, Open, Edit, Exit, Reset Page, Rapid Fire, Button Drag) are left
# out: a question box would only stall the storm.
MODE_BUTTONS = {"Shuffle": 29, "Play List": 86, "X": 199, "Auto Fade": 247, "Multi-Play": 316,
                "Fade In": 378, "Fade Out": 437, "Talk": 486, "Loop": 523, "Pause": 566, "Stop": 608,
                "Next": 647}
# Items of the Tools menu counted upwards from its last one (see cases_tools.py): the list windows,
# the lineups and the roster. Options and Personalize would change the settings the run relies on.
TOOL_WINDOWS = {"Roster": 2, "Lineups": 3, "Duplicate Check": 4, "Verify Sound Buttons": 5,
                "List Custom Cued Buttons": 6, "List Sound Buttons": 7, "List Hot Keys": 8}
BOX_TITLES = ("Error", "Warning", "Confirm", "Information")
# The error boxes a damaged file or the lost sound server rightly bring (each traced first).
EXPECTED_ERRORS = ("BASS Error (2):", "BASS Error (41):", "BASS Error (44):", "Sound Server Lost")
SANITIZER_MARKS = ("ERROR: AddressSanitizer", "runtime error:", "ERROR: LeakSanitizer", "WARNING: ThreadSanitizer")
# Traced without a box: a click raced a sound that had just ended.
BENIGN_ERRORS = ("on a channel that had just ended",)
CHECK_SECONDS = 3


def odd_files(home, rng):
    """Damaged files and a slow one (a good WAV followed by 2 MiB of zeros) for slots of A/1."""
    folder = os.path.join(home, "odd")
    os.makedirs(folder)

    def write(name, data):
        path = os.path.join(folder, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    with open(board.tone(os.path.join(folder, "good.wav"), 0.5), "rb") as f:
        wav = f.read()
    return {12: write("cut.wav", wav[:40]),
            24: write("noise.mp3", bytes(rng.getrandbits(8) for _ in range(20000))),
            30: write("slow.wav", wav + bytes(2 * 1024 * 1024)),
            36: write("empty.wav", b""),
            47: write("no-channels.wav", wav[:22] + b"\0\0" + wav[24:4000])}


class Storm:
    def __init__(self, session, server, seed, log_path):
        self.s = session
        self.server = server
        self.rng = random.Random(seed)
        self.input = bbenv.FastInput()
        x0, y0, _, _ = session.slots[1]
        _, _, x1, y1 = session.slots[48]
        self.grid = (x0, y0, x1, y1)
        self.log = open(log_path, "w")
        self.log.write(json.dumps({"seed": seed}) + "\n")
        self.events = 0
        self.boxes = []      # titles of the boxes the storm closed
        self.windows = []    # titles of the other windows it closed
        self.stacked = []    # titles of boxes seen open at the same time
        self.stopped = None  # why the storm ended early
        self.started = time.monotonic()

    # --- the events ------------------------------------------------------------------------
    def random_event(self):
        r = self.rng.random()
        s = self.s
        if r < 0.46:
            x0, y0, x1, y1 = self.grid
            return ["click", self.rng.randint(x0, x1), self.rng.randint(y0, y1)]
        if r < 0.50:
            x0, y0, x1, y1 = self.grid
            # The menu is looked at and dismissed: its commands would cut and delete sounds.
            return ["right", self.rng.randint(x0, x1), self.rng.randint(y0, y1), self.rng.uniform(0.05, 0.3)]
        if r < 0.505:
            return ["tool", self.rng.choice(sorted(TOOL_WINDOWS))]
        if r < 0.51:
            return ["click"] + list(s.design_point(249, 15))  # Find
        if r < 0.58:
            return ["click"] + list(s.design_point(59, 104 + 21 * self.rng.randint(0, 17) + 10))
        if r < 0.62:
            return ["click"] + list(s.design_point(79 + 29 * self.rng.randint(0, 9), 71))
        if r < 0.70:
            return ["click"] + list(s.design_point(self.rng.choice(list(MODE_BUTTONS.values())), 43))
        if r < 0.72:
            return ["click"] + list(s.design_point(self.rng.randint(575, 665), 15))  # master volume
        if r < 0.74:
            return ["click"] + list(s.design_point(self.rng.randint(89, 237), 90))  # progress bar
        if r < 0.88:
            return ["key", self.rng.choice(SLOT_KEYS)]
        return ["key", self.rng.choice(NAV_KEYS)]

    def run(self, event):
        self.log.write(json.dumps({"t": round(time.monotonic() - self.started, 3), "e": event}) + "\n")
        kind = event[0]
        if kind == "click":
            self.input.click(event[1], event[2])
        elif kind == "right":
            self.input.click(event[1], event[2], 3)
            time.sleep(event[3])
            self.input.key("Escape")
        elif kind == "key":
            self.input.key(event[1])
        elif kind == "tool":
            self.input.key("Alt_L+t")
            time.sleep(0.2)
            for _ in range(TOOL_WINDOWS[event[1]]):
                self.input.key("Up")
            self.input.key("Return")
        elif kind == "boxes":
            self.count_boxes()
        elif kind == "check":
            self.tidy()
            answered = self.responsive()
            if not answered:
                # A box that came up just after the tidy takes the key (the lost server's box waits
                # for the windows before it to close): answer it and ask once more.
                self.tidy()
                answered = self.responsive()
            if not answered:
                blocked = [w for w in self.s.popups() if bbenv.window_title(w) in BOX_TITLES]
                self.stopped = "the program stopped answering after %d events%s" % (
                    self.events, " (a box held the board)" if blocked else "")
        elif kind == "restart":
            self.server.crash()
            time.sleep(1.0)
            self.server.start()
        self.events += 1

    def plan(self, seconds):
        """The events of a run: random ones, a look for stacked boxes twice a second, a check that
        the program answers every few seconds, the server's restart half-way."""
        end = self.started + seconds
        next_look = next_check = self.started
        restart_at = self.started + seconds / 2
        while time.monotonic() < end:
            now = time.monotonic()
            if now >= restart_at:
                restart_at = float("inf")
                yield ["restart"]
            elif now >= next_check:
                next_check = now + CHECK_SECONDS
                yield ["check"]
            elif now >= next_look:
                next_look = now + 0.5
                yield ["boxes"]
            else:
                yield self.random_event()
                time.sleep(self.rng.uniform(0.01, 0.05))

    def replay(self, path):
        with open(path) as f:
            lines = [json.loads(line) for line in f][1:]
        for line in lines:
            time.sleep(max(0.0, self.started + line["t"] - time.monotonic()))
            yield line["e"]

    # --- what the storm looks at ---------------------------------------------------------------
    def count_boxes(self):
        titles = [bbenv.window_title(w) for w in bbenv.windows_named("^(%s)$" % "|".join(BOX_TITLES))]
        if len(titles) > 1:
            # What brought them, for the reader of a failure: the trace's last error lines.
            errors = [line for line in self.s.trace().splitlines() if "Error" in line][-len(titles):]
            self.stacked.append((titles, errors))

    def tidy(self):
        """Closes every window of the program besides the main one (boxes, menus, tool windows),
        noting the boxes' titles."""
        self.count_boxes()
        untitled = False
        for window in self.s.popups():
            title = bbenv.window_title(window)
            if title in ("", "Rallybox"):
                untitled = True  # a menu or a tip: it takes no focus, an Escape closes it
                continue
            if title in BOX_TITLES:
                self.boxes.append(title)
            else:
                self.windows.append(title)
            bbenv.xdotool("windowactivate", "--sync", window)
            # Escape answers No to a question and closes a tool window; Return takes a box's OK.
            self.input.key("Return" if title in BOX_TITLES and title != "Confirm" else "Escape")
            time.sleep(0.1)
            if window in self.s.popups() and bbenv.xdotool("getactivewindow").strip() == str(window):
                self.input.key("Alt_L+F4")
        if untitled:
            self.input.key("Escape")
        bbenv.xdotool("windowactivate", self.s.window)

    def responsive(self):
        """The program answers a key within 10 s (a fade wait or a page repaint may take a moment)."""
        before = self.s.count("Process Page Button")
        self.s.focus_key("Next")
        try:
            bbenv.wait_for("an answer to PgDn", lambda: self.s.count("Process Page Button") > before, 10, step=0.1)
            return True
        except bbenv.Timeout:
            return False


def known_button_heard(storm, rec_path):
    """Goes back to A/1 with the master volume audible, plays slot 1 and says whether it was heard."""
    s = storm.s
    for point in (s.design_point(79, 71), s.design_point(59, 114)):
        s.click_point(point)
        time.sleep(0.5)
    volumes = [line.rsplit(" ", 1)[-1] for line in s.trace().splitlines() if " - Set Volume " in line]
    if volumes and volumes[-1].isdigit() and int(volumes[-1]) < 10:
        # Drag the bar's thumb (where its value puts it) to the right end.
        x, y = s.design_point(575 + int(volumes[-1]) * 90 // 100, 15)
        bbenv.xdotool("mousemove", x, y, "mousedown", "1", "mousemove", x + 300, y, "mouseup", "1")
    rec = bbenv.Recorder(rec_path).start()
    time.sleep(0.5)
    s.click_point(s.slot_point(1, 0.5, 0.25))
    time.sleep(1.5)
    for key in ("Escape", "backslash"):
        s.focus_key(key)
    time.sleep(1.0)
    # A sound that starts after the click: one still playing from the storm would not count.
    return any(found.start > 0.4 for found in analyse.sounds(recorded(rec)))


def unexpected_errors(trace):
    return sorted(set(line.split(" - ", 1)[-1] for line in trace.splitlines()
                      if "Error" in line and not any(e in line for e in EXPECTED_ERRORS + BENIGN_ERRORS)))


def judge(storm, session, rec_path, failures):
    """The checks after the storm, the known button and the exit."""
    if not session.program.running():
        failures.append("the program ended during the storm (code %s)" % session.program.proc.returncode)
        return
    storm.tidy()
    for key in ("Escape", "backslash"):
        session.focus_key(key)
    time.sleep(2.5)
    storm.tidy()
    if storm.stacked:
        failures.append("several boxes were open at once %d times, e.g. %s" % (len(storm.stacked), storm.stacked[:3]))
    trace = session.trace()
    expected = sum(trace.count(e) for e in EXPECTED_ERRORS)
    errors = storm.boxes.count("Error")
    if errors > expected or unexpected_errors(trace):
        failures.append("%d error boxes came up, %d expected (all boxes: %s)" % (errors, expected, storm.boxes))
    if not known_button_heard(storm, rec_path):
        failures.append("slot 1 of A/1 was not heard after the storm")
    storm.tidy()
    try:
        code = session.exit(save=True, seconds=120)
    except bbenv.Timeout:
        # The Exit click can land just as a box comes up (the lost server's, a damaged file's) and
        # be taken by it, as an operator's would be: say what was open, close it and click again.
        # A program that does not answer stays stuck and fails with its diagnosis.
        seen = [bbenv.window_title(w) for w in session.popups()]
        print("stress: no 'Confirm' came after Exit; open then: %s; Exit again" % seen, flush=True)
        storm.tidy()
        code = session.exit(save=True, seconds=120)
    if code != 0:
        failures.append("the exit ended with code %s" % code)
    with open(session.set_path, encoding="utf-8", errors="replace") as f:
        saved = set(line.strip() for line in f)
    missing = [k for k in session.expected_keys if k not in saved]
    if missing:
        failures.append("the saved set file lacks %d lines, e.g. %s" % (len(missing), missing[:3]))


def main():
    binary = os.path.abspath(sys.argv[1])
    seconds = float(os.environ.get("RBX_STRESS_SECONDS", "180"))
    replay = os.environ.get("RBX_STRESS_REPLAY")
    seed = int(os.environ.get("RBX_STRESS_SEED", str(int(time.time()))))
    if replay:
        with open(replay) as f:
            seed = json.loads(f.readline())["seed"]
    # A replay logs beside the log it plays, never over it: the failing run stays replayable.
    log_path = os.environ.get("RBX_STRESS_LOG", "/tmp/rbx-stress-%d%s.events" % (seed, ".replayed" if replay else ""))
    if replay and os.path.abspath(log_path) == os.path.abspath(replay):
        log_path += ".replayed"
    root = bbenv.temp_root()
    desktop = bbenv.Desktop()
    sound = bbenv.SoundServer(root)
    failures = []
    session = None
    try:
        desktop.start()
        sound.start()
        env = {"ASAN_OPTIONS": "detect_leaks=0:abort_on_error=1:halt_on_error=1",
               "UBSAN_OPTIONS": "print_stacktrace=1:halt_on_error=1"}
        files_rng = random.Random(seed)
        session = Session(binary, root, "stress", {"FadeOutSec": "1", "FadeInSec": "1", "FadeIn": "YES",
                                                   "FadeOut": "YES"}, env=env,
                          board_maker=lambda home: board.full_board(home, odd_files(home, files_rng)))
        session.start()
        storm = Storm(session, sound, seed, log_path)
        print("stress: seed %d, %s, grid %s, events to %s" % (
            seed, "replaying " + replay if replay else "%.0f s" % seconds, storm.grid, log_path), flush=True)
        for event in storm.replay(replay) if replay else storm.plan(seconds):
            if not session.program.running() or storm.stopped:
                break
            storm.run(event)
        storm.log.close()
        elapsed = time.monotonic() - storm.started
        print("stress: %d events in %.0f s (%.1f a second); closed %d boxes and these windows: %s" % (
            storm.events, elapsed, storm.events / elapsed, len(storm.boxes), sorted(set(storm.windows))),
            flush=True)
        if storm.stopped:
            failures.append(storm.stopped)
        if storm.events == 0:
            failures.append("the storm ran no event")
        judge(storm, session, os.path.join(root, "monitor.raw"), failures)
        if failures:
            errors = unexpected_errors(session.trace())
            if errors:
                print("stress: unexpected error texts in the trace:\n  " + "\n  ".join(errors[:20]), flush=True)
        report = session.program.stderr_text()
        marks = [m for m in SANITIZER_MARKS if m in report]
        if marks:
            failures.append("sanitizer reports: %s\n%s" % (marks, report[-4000:]))
    except Exception:
        traceback.print_exc()
        failures.append("the stress run could not complete")
        if session:
            # What the next reader needs to tell a stuck program from a lost click: the window's
            # place, the trace's tail and every thread's stack.
            window = getattr(session, "window", None)
            geometry = bbenv.xdotool("getwindowgeometry", window) if window else ""
            print("stress: main window %s\ntrace ends:\n%s\n%s" % (
                geometry.strip(), session.trace()[-2500:], session.program.diagnosis()), flush=True)
    finally:
        if session:
            session.program.kill()
        sound.stop()
        desktop.stop()
        if os.environ.get("RBX_BLACKBOX_KEEP") != "1":
            bbenv.remove_tree(root)
    for failure in failures:
        print("FAIL stress: " + failure, flush=True)
    if failures:
        print("stress: replay with RBX_STRESS_REPLAY=%s" % log_path, flush=True)
    else:
        print("PASS stress")
    print("%d passed, %d failed" % (0 if failures else 1, 1 if failures else 0))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
