"""The stress test: random clicks and keys at 20 to 50 a second for a few minutes over a full
board while sounds play with fades, then a normal exit. It passes when the program kept
answering, no error box came up, the sanitizers said nothing and the saved set file is complete.

usage: stress.py PROGRAM   (RBX_STRESS_SECONDS sets the length, 180 by default)"""
import os
import random
import sys
import time
import traceback

import bbenv
import board
from session import Session

SLOT_KEYS = list("qwertyuioasdfghjklzxcvbnm0123456789") + ["F%d" % i for i in range(1, 10)]
NAV_KEYS = ["Left", "Right", "Up", "Down", "Prior", "Next", "Home", "End", "space", "Return", "Escape",
            "backslash", "KP_Add", "KP_Subtract", "Shift_L"]
# Design positions (784 x 494 layout) of the mode buttons that change how sounds play. The
# buttons that open windows or ask questions (New, Open, Edit, Find, EQ, Exit, Reset Page,
# Rapid Fire, Button Drag) are left out: a question box would only stall the storm.
MODE_BUTTONS = {"Shuffle": 31, "Play List": 90, "X": 197, "Auto Fade": 241, "Multi-Play": 304,
                "Fade In": 362, "Fade Out": 417, "Talk": 467, "Loop": 509, "Pause": 554, "Stop": 599,
                "Next": 641}
SANITIZER_MARKS = ("ERROR: AddressSanitizer", "runtime error:", "ERROR: LeakSanitizer", "WARNING: ThreadSanitizer")


class Storm:
    def __init__(self, session, seed):
        self.s = session
        self.rng = random.Random(seed)
        self.boxes = []
        self.events = 0
        self.input = bbenv.FastInput()
        x0, y0, _, _ = session.slots[1]
        _, _, x1, y1 = session.slots[48]
        self.grid = (x0, y0, x1, y1)

    def one_event(self):
        r = self.rng.random()
        s = self.s
        click = lambda point: self.input.click(*point)
        if r < 0.50:
            x0, y0, x1, y1 = self.grid
            click((self.rng.randint(x0, x1), self.rng.randint(y0, y1)))
        elif r < 0.58:
            click(s.design_point(59, 104 + 21 * self.rng.randint(0, 17) + 10))
        elif r < 0.62:
            click(s.design_point(79 + 29 * self.rng.randint(0, 9), 71))
        elif r < 0.70:
            click(s.design_point(self.rng.choice(list(MODE_BUTTONS.values())), 43))
        elif r < 0.72:
            click(s.design_point(self.rng.randint(575, 665), 15))  # master volume
        elif r < 0.74:
            click(s.design_point(self.rng.randint(89, 237), 90))  # progress bar
        elif r < 0.88:
            self.input.key(self.rng.choice(SLOT_KEYS))
        else:
            self.input.key(self.rng.choice(NAV_KEYS))
        self.events += 1

    def clear_boxes(self):
        """Any window besides the main one is a box the storm raised: note its title, close it."""
        for title in ("Error", "Warning", "Confirm", "Information"):
            for box in bbenv.windows_named("^%s$" % title):
                self.boxes.append(title)
                bbenv.xdotool("windowactivate", "--sync", box)
                bbenv.xdotool("key", "--window", box, "Escape" if title == "Confirm" else "Return")
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


def main():
    binary = os.path.abspath(sys.argv[1])
    seconds = float(os.environ.get("RBX_STRESS_SECONDS", "180"))
    seed = int(os.environ.get("RBX_STRESS_SEED", str(int(time.time()))))
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
        session = Session(binary, root, "stress", {"FadeOutSec": "1", "FadeInSec": "1", "FadeIn": "YES",
                                                   "FadeOut": "YES"}, board_maker=board.full_board, env=env)
        session.start()
        storm = Storm(session, seed)
        print("stress: seed %d, %.0f s, grid %s" % (seed, seconds, storm.grid), flush=True)
        end = time.monotonic() + seconds
        next_check = time.monotonic() + 5
        while time.monotonic() < end and session.program.running():
            storm.one_event()
            time.sleep(storm.rng.uniform(0.01, 0.05))
            if time.monotonic() >= next_check:
                storm.clear_boxes()
                if not storm.responsive():
                    blocked = [t for t in ("Error", "Warning", "Confirm", "Information") if session.box(t)]
                    failures.append("the program stopped answering after %d events%s" % (
                        storm.events, " (a box held the board: %s)" % blocked if blocked else ""))
                    break
                next_check = time.monotonic() + 5
        elapsed = seconds - max(0.0, end - time.monotonic())
        print("stress: %d events in %.0f s (%.1f a second)" % (storm.events, elapsed, storm.events / elapsed),
              flush=True)
        if not session.program.running():
            failures.append("the program ended during the storm (code %s)" % session.program.proc.returncode)
        else:
            storm.clear_boxes()
            for key in ("Escape", "backslash"):
                session.focus_key(key)
            time.sleep(2.5)
            storm.clear_boxes()
            errors = [b for b in storm.boxes if b == "Error"]
            if errors:
                failures.append("%d error boxes came up (all boxes: %s)" % (len(errors), storm.boxes))
            code = session.exit(save=True, seconds=120)
            if code != 0:
                failures.append("the exit ended with code %s" % code)
            with open(session.set_path, encoding="utf-8", errors="replace") as f:
                saved = set(line.strip() for line in f)
            missing = [k for k in session.expected_keys if k not in saved]
            if missing:
                failures.append("the saved set file lacks %d lines, e.g. %s" % (len(missing), missing[:3]))
        if failures:
            # The trace names what each error box said.
            errors = sorted(set(line.split(" - ", 1)[-1] for line in session.trace().splitlines()
                                if "Error" in line))
            if errors:
                print("stress: error texts in the trace:\n  " + "\n  ".join(errors[:20]), flush=True)
        report = session.program.stderr_text()
        marks = [m for m in SANITIZER_MARKS if m in report]
        if marks:
            failures.append("sanitizer reports: %s\n%s" % (marks, report[-4000:]))
    except Exception:
        traceback.print_exc()
        failures.append("the stress run could not complete")
    finally:
        if session:
            session.program.kill()
        sound.stop()
        desktop.stop()
        if os.environ.get("RBX_BLACKBOX_KEEP") != "1":
            bbenv.remove_tree(root)
    for failure in failures:
        print("FAIL stress: " + failure, flush=True)
    if not failures:
        print("PASS stress")
    print("%d passed, %d failed" % (0 if failures else 1, 1 if failures else 0))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
