"""One run of the program as an operator sees it: the main window found on the screen, its slots
found by their panel colours, keys and clicks sent through the X server, boxes answered, the
trace file read for what the program did."""
import os
import time

import bbenv
import board


class Session:
    def __init__(self, binary, root, name, option_values=None, args=None, board_maker=board.test_board, env=None):
        self.home = os.path.join(root, name)
        os.makedirs(self.home)
        self.set_path = board_maker(self.home)
        board.options(os.path.join(self.home, "RBX.inf"), **(option_values or {}))
        self.program = bbenv.Program(binary, self.home, [self.set_path] if args is None else args, env=env)
        self.slots = {}
        # Lines the saved set file must still hold after the exit.
        with open(self.set_path, encoding="utf-8") as f:
            self.expected_keys = [line.strip() for line in f if line.startswith(("PageName=", "c", "s", "h"))]

    # --- start and exit -------------------------------------------------------------------
    def start(self, tracer_question=True):
        self.program.start(wait_window=False)
        try:
            if tracer_question:
                # The trace stays on: it is how the suite sees each action.
                self.answer("Confirm", "n")
            self.window = bbenv.wait_for("the main window", self.program.main_window, 60, step=0.1)
            bbenv.wait_for("the trace file's start-up lines", lambda: "end of form create" in self.trace(), 30)
        except bbenv.Timeout:
            print("start-up of %s did not finish; trace ends:\n%s\n%s" % (
                self.home, self.trace()[-1500:], self.program.diagnosis()), flush=True)
            raise
        bbenv.xdotool("windowactivate", "--sync", self.window)
        time.sleep(0.5)
        self.find_slots()
        return self

    def answer(self, title, key, seconds=20):
        box = bbenv.wait_for("a '%s' box" % title, lambda: self.box(title), seconds, step=0.1)
        bbenv.xdotool("windowactivate", "--sync", box)
        time.sleep(0.2)
        # Typed on the keyboard as an operator types: a key event sent to the box's window was
        # seen to leave the next program one key short.
        self.focus_key(key)
        bbenv.wait_for("the '%s' box to close" % title, lambda: box not in bbenv.windows_named("^%s$" % title),
                       seconds, step=0.1)

    def box(self, title):
        found = bbenv.windows_named("^%s$" % title)
        return found[0] if found else None

    def exit(self, save=True, seconds=60):
        """Exit as an operator does: the toolbar's Exit, then the questions."""
        self.click_named_point(self.exit_point())
        self.answer("Confirm", "y")
        if "Changes made" in self.trace_after_exit_question(seconds):
            self.answer("Confirm", "y" if save else "n")
        return self.program.wait_exit(seconds)

    def trace_after_exit_question(self, seconds):
        # Either the save question comes (a "Confirm" box) or the program goes on to save.
        def next_step():
            if self.box("Confirm"):
                return "Changes made"
            if "TermExit - " in self.trace().split("TermExit - UpdateIniFile Completed")[-1]:
                return "no question"
            if not self.program.running():
                return "ended"
            return None
        return bbenv.wait_for("the exit to go on", next_step, seconds, step=0.1)

    # --- what the program did ------------------------------------------------------------
    def trace(self):
        try:
            with open(os.path.join(self.home, "Tracer.txt"), "rb") as f:
                return f.read().decode("utf-8", "replace")
        except FileNotFoundError:
            return ""

    def count(self, text):
        return self.trace().count(text)

    # --- where things are on the screen ----------------------------------------------------
    def client(self):
        # The window stays where the window manager put it (maximized); read it once.
        if not getattr(self, "_client", None):
            self._client = bbenv.window_geometry(self.window)
        return self._client

    def find_slots(self):
        data = bbenv.screenshot()
        width = 1920
        for slot in list(range(1, 12)) + [48]:
            rgb = bytes(board.slot_color(slot)[1])
            box = color_box(data, width, rgb)
            if box:
                self.slots[slot] = box

    def slot_point(self, slot, fx, fy):
        """A point of a slot's panel, as fractions of its width and height."""
        x0, y0, x1, y1 = self.slots[slot]
        return int(x0 + fx * (x1 - x0)), int(y0 + fy * (y1 - y0))

    def pixel(self, point):
        data = bbenv.screenshot()
        i = (point[1] * 1920 + point[0]) * 3
        return tuple(data[i:i + 3])

    def click_point(self, point):
        bbenv.xdotool("mousemove", point[0], point[1], "click", "1")

    click_named_point = click_point

    def right_click_point(self, point):
        bbenv.xdotool("mousemove", point[0], point[1], "click", "3")

    def popups(self):
        """The program's visible windows other than the main window (menus, boxes, tool windows)."""
        out = bbenv.xdotool("search", "--onlyvisible", "--pid", self.program.proc.pid)
        return [int(w) for w in out.split() if int(w) != self.window]

    def design_point(self, dx, dy):
        """A point given in the window's design layout (784 x 494 below the menu bar)."""
        x, y, w, h = self.client()
        menu = self.menu_height()
        return int(x + dx * w / 784), int(y + menu + dy * (h - menu) / 494)

    def menu_height(self):
        # The slot grid starts at design row 102; the first found slot tells the scale.
        x, y, w, h = self.client()
        top = min(box[1] for box in self.slots.values()) if self.slots else y + 24
        # top = y + menu + (103) * (h - menu) / 494  => solve for menu
        return max(0, int((494 * (top - y) - 103 * h) / (494 - 103)))

    def exit_point(self):
        return self.design_point(547, 15)

    def key(self, name):
        bbenv.xdotool("key", "--window", self.window, name)

    def focus_key(self, name):
        # Keys go to whatever has the focus, as a keyboard's do.
        bbenv.xdotool("key", name)


def color_box(data, width, rgb):
    """Bounding box (x0, y0, x1, y1) of the pixels of one exact colour, scanning every 2nd row."""
    row_bytes = width * 3
    height = len(data) // row_bytes
    x0 = y0 = None
    x1 = y1 = -1
    for y in range(0, height, 2):
        row = data[y * row_bytes:(y + 1) * row_bytes]
        i = row.find(rgb)
        while i != -1 and i % 3:
            i = row.find(rgb, i + 1)
        if i == -1:
            continue
        j = row.rfind(rgb)
        while j != -1 and j % 3:
            j = row.rfind(rgb, 0, j + 2)
        if y0 is None:
            y0 = y
        y1 = y
        x0 = i // 3 if x0 is None else min(x0, i // 3)
        x1 = max(x1, j // 3)
    if y0 is None:
        return None
    return x0, y0, x1, y1
