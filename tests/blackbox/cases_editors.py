"""Black-box cases of the editors: the page editor, the place-marker editor, the custom cue editor
(its preview heard on the sink, its cue points heard on a later click), a button's volume level set
on a playing sound, and the timed start, each opened from the menus as an operator opens it and
judged on the screen, in the trace, in the recording and in the saved set file."""
import math
import os
import subprocess
import time

import analyse
import bbenv
import board
from cases import RESULTS, case, check, recorded, settle
from session import Session

FULL = 32767.0


# --- where things are ------------------------------------------------------------------------

def slot_box(s, n):
    """Any slot's panel, from the found panels of slots 1, 2 and 48 (an 8 x 6 grid)."""
    check(1 in s.slots and 2 in s.slots and 48 in s.slots, "slots 1, 2, 48 not found: %s" % sorted(s.slots))
    x0, y0, x1, y1 = s.slots[1]
    step_x = s.slots[2][0] - x0
    step_y = (s.slots[48][1] - y0) / 5.0
    col, row = (n - 1) % 8, (n - 1) // 8
    dx, dy = int(col * step_x), int(row * step_y)
    return x0 + dx, y0 + dy, x1 + dx, y1 + dy


def in_box(box, fx, fy):
    x0, y0, x1, y1 = box
    return int(x0 + fx * (x1 - x0)), int(y0 + fy * (y1 - y0))


def page_button_point(s, page):
    # The page column: buttons 21 design rows apart from design row 114.
    return s.design_point(59, 114 + 21 * (page - 1))


def window(title, seconds=10):
    return bbenv.wait_for("the '%s' window" % title, lambda: bbenv.windows_named("^%s$" % title), seconds,
                          step=0.1)[0]


def gone(title, seconds=10):
    bbenv.wait_for("the '%s' window to close" % title, lambda: not bbenv.windows_named("^%s$" % title), seconds,
                   step=0.1)


def client_geometry(win):
    """A window's client area on the screen, as xwininfo gives it (xdotool's position counts the
    frame's offset twice under a reparenting window manager)."""
    values = {}
    for line in bbenv.run_text(["xwininfo", "-id", str(win)]).splitlines():
        key, _, value = line.strip().partition(":")
        values[key] = value.strip()
    return tuple(int(values[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


def focus(win):
    bbenv.xdotool("windowactivate", "--sync", win)
    settle(0.2)


class Dialog:
    """A dialog found by its title; points are given in its designed pixels and scaled to its size."""

    def __init__(self, title, width, height, seconds=10):
        self.title = title
        self.win = window(title, seconds)
        focus(self.win)
        x, y, w, h = client_geometry(self.win)
        self.x, self.y = x, y
        self.sx, self.sy = w / float(width), h / float(height)

    def point(self, dx, dy):
        return int(self.x + dx * self.sx), int(self.y + dy * self.sy)

    def click(self, dx, dy):
        bbenv.xdotool("mousemove", *self.point(dx, dy))
        bbenv.xdotool("click", "1")
        settle(0.15)


def menu_item(s, point, downs):
    """Opens the right-click menu at `point` and picks the item `downs` steps down."""
    before = set(s.popups())
    s.right_click_point(point)
    opened = bbenv.wait_for("a right-click menu", lambda: set(s.popups()) - before, 5, step=0.1)
    # At a hand's pace: the menu takes the keyboard only once it is up.
    settle(0.3)
    for _ in range(downs):
        s.focus_key("Down")
    settle(0.2)
    s.focus_key("Return")
    bbenv.wait_for("the menu to close", lambda: not (set(s.popups()) & opened), 5, step=0.1)


def type_text(text):
    bbenv.xdotool("type", "--delay", "20", text)


def clean_up(s):
    """After a failed case: whatever dialog or menu it left open is closed with Esc."""
    for _ in range(6):
        left = s.popups()
        if not left:
            break
        bbenv.xdotool("windowactivate", "--sync", left[-1])
        s.focus_key("Escape")
        settle(0.3)
    bbenv.xdotool("windowactivate", "--sync", s.window)
    settle(0.2)


LIVE_RECORDERS = []


def recorder(rec_path, clocked=False):
    """A started recorder that the case's clean-up stops should the case fail while it runs."""
    rec = (bbenv.ClockedRecorder if clocked else bbenv.Recorder)(rec_path).start()
    LIVE_RECORDERS.append(rec)
    return rec


def guarded(fn):
    """Runs a case and, when it failed, keeps a screenshot (with RBX_BLACKBOX_KEEP=1) and closes
    what it left open, so the next case starts from the board."""
    def run(s, rec_path):
        try:
            return fn(s, rec_path)
        finally:
            for rec in LIVE_RECORDERS:
                if rec.proc:
                    rec.stop()
            LIVE_RECORDERS.clear()
            if RESULTS and not RESULTS[-1][1] and os.environ.get("RBX_BLACKBOX_KEEP") == "1":
                subprocess.run(["import", "-silent", "-window", "root", os.path.join(s.home, "failed-%s.png"
                                % fn.case_name.split()[1])], timeout=30)
            if s.program.running() and s.popups():
                clean_up(s)
    run.case_name = getattr(fn, "case_name", fn.__name__)
    return run


def section_text(text, section):
    """The keys of one section of an INI text."""
    keys = {}
    inside = False
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("["):
            inside = line == "[%s]" % section
        elif inside and "=" in line:
            key, _, value = line.partition("=")
            keys[key] = value
    return keys


def sound_rms(left, start, end):
    return analyse.rms(left, start, end) / FULL


# --- the page editor -------------------------------------------------------------------------

def name_page(s, page, title, name):
    """The first item of a page button's menu opens the page editor; the name is typed, then OK."""
    menu_item(s, page_button_point(s, page), 1)
    Dialog(title, 250, 110)
    s.focus_key("ctrl+a")
    type_text(name)
    s.focus_key("Return")  # OK is the default button
    gone(title)


@guarded
@case("the page editor renames a page and adds one, and the page buttons show the names")
def page_editor(s, rec_path):
    # Rename page 2 from its button's menu: "Edit Page Button" is the first item on a named page.
    name_page(s, 2, "Change Page Button", "Warm&up Songs")
    before = s.count("Page Button Clicked - Warmup Songs")
    s.click_point(page_button_point(s, 2))
    bbenv.wait_for("page 2 shown by its new name",
                   lambda: s.count("Page Button Clicked - Warmup Songs") > before, 5, step=0.1)
    # A blank page offers "Add Page Button" first; its OK shows the new page at once.
    name_page(s, 3, "Add Page Button", "Encore")
    bbenv.wait_for("the added page shown", lambda: "Page Button Clicked - Encore" in s.trace(), 5, step=0.1)
    shown = s.count("Page Button Clicked - Editors")
    s.click_point(page_button_point(s, 1))
    bbenv.wait_for("page 1 again", lambda: s.count("Page Button Clicked - Editors") > shown, 5, step=0.1)
    settle(0.3)
    check(s.pixel(s.slot_point(1, 0.97, 0.5)) == board.slot_color(1)[1], "page 1's slots are not shown again")


# --- the place-marker editor -----------------------------------------------------------------

@guarded
@case("a place marker made on an empty slot shows black, plays nothing and is edited from its menu")
def place_marker(s, rec_path):
    box = slot_box(s, 12)
    edge = in_box(box, 0.97, 0.5)
    check(s.pixel(edge) == (0, 128, 128), "slot 12 is not an empty (teal) slot: %s" % (s.pixel(edge),))
    # An empty slot's menu: Add, Edit, Insert Place-Marker, fonts.
    menu_item(s, in_box(box, 0.5, 0.3), 3)
    Dialog("Add Place-Marker", 260, 150)
    type_text("Half Time")
    s.focus_key("Tab")
    s.focus_key("space")  # the OK button, next in the tab order
    gone("Add Place-Marker")
    bbenv.wait_for("a black slot 12", lambda: s.pixel(edge) == (0, 0, 0), 5, step=0.1)
    # A marker plays nothing.
    plays = s.count("Process Sound Button")
    rec = recorder(rec_path)
    s.click_point(in_box(box, 0.5, 0.3))
    settle(0.8)
    found = analyse.sounds(recorded(rec))
    check(not found, "a click on the place marker gave %d sounds" % len(found))
    check(s.count("Process Sound Button") - plays <= 1, "a click on the place marker ran more than one click")
    # A marker's menu starts with "Edit Place-Marker", which shows the caption to change.
    menu_item(s, in_box(box, 0.5, 0.3), 1)
    Dialog("Edit Place-Marker", 260, 150)
    s.focus_key("ctrl+End")
    type_text(" Over")
    s.focus_key("Tab")
    s.focus_key("space")
    gone("Edit Place-Marker")
    check(s.pixel(edge) == (0, 0, 0), "the edited place marker is no longer black")


# --- the custom cue editor -------------------------------------------------------------------

# The cued file: 2 s at 0.2, 3 s at 0.6, 5 s at 0.2 of full scale (sine RMS = peak / sqrt 2).
LOUD_RMS = 0.6 / math.sqrt(2)
QUIET_RMS = 0.2 / math.sqrt(2)


def open_cue_editor(s):
    # A captioned slot's menu: Cue It, Edit Sound Button, ...
    menu_item(s, s.slot_point(1, 0.5, 0.25), 2)
    editor = Dialog("Edit Sound Button", 640, 448)
    editor.owner = s.window
    editor.click(85, 422)  # "Custom Cue Control"
    return editor, Dialog("Custom Cue Control Settings", 560, 330)


def set_bar(cue, percent):
    # A click right of the thumb gives the bar the focus; Home and PgUp (10 each) place it exactly.
    cue.click(530, 55)
    bbenv.xdotool("key", "Home")
    for _ in range(percent // 10):
        bbenv.xdotool("key", "Prior")
    settle(0.2)


def measured_sound(left, what):
    found = analyse.sounds(left)
    check(len(found) == 1, "%s gave %d sounds" % (what, len(found)))
    return found[0]


def close_editors(editor, cue, cue_button, editor_button):
    """Closes the cue editor by one of its buttons, then the sound editor by one of its own."""
    cue.click(*cue_button)
    gone("Custom Cue Control Settings")
    focus(editor.win)
    editor.click(*editor_button)
    gone("Edit Sound Button")
    focus(editor.owner)


def play_slot(s, rec_path, slot, seconds, what):
    """A click on a slot, recorded for `seconds`: the samples and the one sound found."""
    rec = recorder(rec_path)
    s.click_point(s.slot_point(slot, 0.5, 0.25))
    settle(seconds)
    left = recorded(rec)
    return left, measured_sound(left, what)


@guarded
@case("the custom cue editor previews from its start cue to its end point, stops, and a click plays the cue")
def custom_cue(s, rec_path):
    editor, cue = open_cue_editor(s)
    # Enter in the clip's name presses no button: a start cue set here, at 0, would keep the
    # one below from being set and the preview would start from the top.
    cue.click(300, 19)
    bbenv.xdotool("key", "Return")
    settle(0.3)
    check(bbenv.windows_named("^Custom Cue Control Settings$"), "Enter in the clip's name closed the cue editor")
    set_bar(cue, 20)
    cue.click(195, 160)  # "Set Start Cue" at 20 % (2 s)
    set_bar(cue, 50)
    cue.click(345, 160)  # "Set End Point" at 50 % (5 s)
    # Preview: heard from the start cue to the end point, the loud 3 s only.
    rec = recorder(rec_path, clocked=True)
    clicked = time.monotonic()
    cue.click(175, 213)  # "Preview"
    settle(4.0)
    left = recorded(rec)
    sound = measured_sound(left, "the preview")
    delay = rec.origin() + sound.start - clicked
    head = sound_rms(left, sound.start + 0.05, sound.start + 0.35)
    tail = sound_rms(left, sound.end - 0.35, sound.end - 0.05)
    print("  measured: preview %.0f ms after the click, %.3f s long, level %.3f at its head, %.3f at its tail"
          % (delay * 1000, sound.length, head, tail))
    check(-0.05 < delay < 0.5, "the preview started %.0f ms after the click" % (delay * 1000))
    check(abs(sound.length - 3.0) < 0.12, "the preview lasted %.3f s, not the 3 s between the cues" % sound.length)
    for name, level in (("head", head), ("tail", tail)):
        check(abs(level - LOUD_RMS) < 0.15 * LOUD_RMS,
              "the preview's %s is at level %.3f: it did not play the loud part (%.3f) between the cues"
              % (name, level, LOUD_RMS))
    # Stop ends a preview at once.
    rec = recorder(rec_path)
    started = time.monotonic()
    cue.click(175, 213)
    time.sleep(1.0)
    stopped = time.monotonic()
    cue.click(127, 213)  # "Stop"
    settle(1.0)
    sound = measured_sound(recorded(rec), "a preview stopped after 1 s")
    print("  measured: a preview stopped %.2f s after its start lasted %.3f s" % (stopped - started, sound.length))
    check(abs(sound.length - (stopped - started)) < 0.3,
          "a preview stopped after %.2f s lasted %.3f s" % (stopped - started, sound.length))
    # The cue switched on and saved under a new name typed in "Sound Clip"; the sound editor's OK
    # keeps both.
    cue.click(260, 286)  # "On"
    cue.click(300, 19)  # "Sound Clip"
    s.focus_key("ctrl+a")
    type_text("Cued Anthem")
    close_editors(editor, cue, (495, 274), (580, 422))  # "Save", then "OK"
    # A click on the slot now plays the cued part: 3 s, loud from its first moment.
    left, sound = play_slot(s, rec_path, 1, 4.0, "a click on the cued slot")
    head = sound_rms(left, sound.start + 0.05, sound.start + 0.35)
    print("  measured: the cued slot played %.3f s at level %.3f" % (sound.length, head))
    check(abs(sound.length - 3.0) < 0.15, "the cued slot played %.3f s, not its 3 s cue" % sound.length)
    check(abs(head - LOUD_RMS) < 0.15 * LOUD_RMS,
          "the cued slot began at level %.3f, not in the loud part (%.3f): its start cue was not used"
          % (head, LOUD_RMS))
    check("Custom Cue Array is active" in s.trace(), "the play did not use the custom cue")


def box_closed_by_ok(s, title):
    box = bbenv.wait_for("the '%s' box" % title, lambda: s.box(title), 5, step=0.1)
    focus(box)
    s.focus_key("Return")
    gone(title, 5)


@guarded
@case("the custom cue editor keeps its cues across its error box, its volume bar sets the preview's level, "
      "and its Cancel stores nothing")
def custom_cue_again(s, rec_path):
    editor, cue = open_cue_editor(s)
    cue.click(355, 188)  # the end point's "Reset"
    set_bar(cue, 10)
    cue.click(345, 160)  # an end point before the start cue (20 %) is refused
    box_closed_by_ok(s, "Error")
    check(bbenv.windows_named("^Custom Cue Control Settings$"), "the cue editor closed with its error box")
    focus(cue.win)
    cue.click(195, 271)  # the volume bar, at 100 with the board's volume
    bbenv.xdotool("key", "Home")
    for _ in range(5):
        bbenv.xdotool("key", "Prior")
    set_bar(cue, 30)
    cue.click(345, 160)  # "Set End Point" at 30 % (3 s)
    rec = recorder(rec_path)
    cue.click(175, 213)  # "Preview": from the kept start cue (2 s) to the new end point, at half volume
    settle(2.0)
    left = recorded(rec)
    sound = measured_sound(left, "the second preview")
    level = sound_rms(left, sound.start + 0.1, sound.end - 0.1)
    print("  measured: preview %.3f s long at level %.3f (volume bar at 50)" % (sound.length, level))
    check(abs(sound.length - 1.0) < 0.12, "the preview from the kept start cue lasted %.3f s, not 1 s"
          % sound.length)
    check(abs(level / LOUD_RMS - 0.5) < 0.04, "the volume bar at 50 gave %.3f of the full level" % (level / LOUD_RMS))
    close_editors(editor, cue, (495, 304), (490, 422))  # both "Cancel"
    # Nothing was stored, and the board's volume is back.
    left, sound = play_slot(s, rec_path, 1, 4.0, "a click after the Cancel")
    level = sound_rms(left, sound.start + 0.1, sound.end - 0.1)
    print("  measured: after the Cancel the slot played %.3f s at level %.3f" % (sound.length, level))
    check(abs(sound.length - 3.0) < 0.15, "after the Cancel the slot played %.3f s, not its stored 3 s cue"
          % sound.length)
    check(abs(level - LOUD_RMS) < 0.1 * LOUD_RMS, "after the Cancel the slot played at %.3f, not the board's full "
          "level %.3f" % (level, LOUD_RMS))


# --- the volume level of a playing sound -------------------------------------------------------

@guarded
@case("the volume level set on a playing sound halves it at once and on the next play; Cancel restores it")
def volume_level(s, rec_path):
    rec = recorder(rec_path)
    s.click_point(s.slot_point(2, 0.5, 0.25))
    lime = s.slot_point(2, 0.97, 0.5)
    bbenv.wait_for("slot 2 playing", lambda: s.pixel(lime) == (0, 255, 0), 5, step=0.1)
    settle(0.8)
    # A right click on a playing slot opens the volume window at once; its bar has the focus.
    s.right_click_point(s.slot_point(2, 0.5, 0.25))
    level = Dialog("Assign Volume Level", 300, 150)
    changed_at = time.monotonic()
    for _ in range(5):
        bbenv.xdotool("key", "Next")  # PgDn: 10 each, 100 to 50
    level.click(77, 68)  # "Save Volume"
    gone("Assign Volume Level")
    focus(s.window)
    settle(5.5 - (time.monotonic() - changed_at))
    first = recorded(rec)
    sound = measured_sound(first, "the first play")
    before = sound_rms(first, sound.start + 0.2, sound.start + 1.0)
    after = sound_rms(first, sound.end - 1.5, sound.end - 0.2)
    # The next play takes the stored level from its start; the bar moved to 80 and cancelled
    # puts it back.
    rec = recorder(rec_path, clocked=True)
    s.click_point(s.slot_point(2, 0.5, 0.25))
    settle(1.0)
    s.right_click_point(s.slot_point(2, 0.5, 0.25))
    level = Dialog("Assign Volume Level", 300, 150)
    # Opened again after its Save was clicked, the keyboard is on the bar once more.
    raised_at = time.monotonic()
    for _ in range(3):
        bbenv.xdotool("key", "Prior")  # 50 to 80
    settle(1.5)
    cancelled_at = time.monotonic()
    level.click(77, 102)  # "Cancel"
    gone("Assign Volume Level")
    focus(s.window)
    settle(6.3 - (time.monotonic() - raised_at))
    second = recorded(rec)
    again = measured_sound(second, "the next play")
    raised, cancelled = raised_at - rec.origin(), cancelled_at - rec.origin()
    stored = sound_rms(second, again.start + 0.2, raised - 0.1)
    higher = sound_rms(second, raised + 0.4, cancelled - 0.1)
    back = sound_rms(second, cancelled + 0.3, again.end - 0.2)
    print("  measured: level %.4f before, %.4f after the bar (ratio %.3f); next play %.3f, raised %.3f, "
          "cancelled %.3f of the first" % (before, after, after / before, stored / before, higher / before,
                                          back / before))
    check(abs(after / before - 0.5) < 0.03, "the bar at 50 changed the playing level by %.3f, not 0.5"
          % (after / before))
    check(abs(stored / before - 0.5) < 0.03, "the next play's level is %.3f of the first, not the stored 0.5"
          % (stored / before))
    check(abs(higher / before - 0.8) < 0.04, "the bar at 80 gave %.3f of the first play's level" % (higher / before))
    check(abs(back / before - 0.5) < 0.03, "after Cancel the level is %.3f of the first, not the stored 0.5"
          % (back / before))


@case("the exit saves the edited pages, the marker, the cue with its new name and the volume level")
def saved(s, rec_path):
    code = s.exit(save=True)
    check(code == 0, "exit code %s" % code)
    text = open(s.set_path, encoding="utf-8", errors="replace").read()
    check(section_text(text, "Page2").get("PageName") == "Warmup Songs",
          "page 2's saved name is %r" % section_text(text, "Page2").get("PageName"))
    check(section_text(text, "Page3").get("PageName") == "Encore",
          "page 3's saved name is %r" % section_text(text, "Page3").get("PageName"))
    page = section_text(text, "Page1")
    check(page.get("c12") == "Half Time Over" and page.get("activity12") == "7",
          "slot 12 saved as %r, state %r" % (page.get("c12"), page.get("activity12")))
    check(page.get("c1") == "Cued Anthem", "slot 1's name from the cue editor is saved as %r" % page.get("c1"))
    check(page.get("ci1") == "Y", "the custom cue of slot 1 is saved as %r" % page.get("ci1"))
    start, end = int(page.get("cs1", "0")), int(page.get("ce1", "0"))
    check(start > 0 and abs(end / float(start) - 2.5) < 0.01,
          "the saved cue points %d and %d are not 20 %% and 50 %% of the file" % (start, end))
    check(page.get("v2") == "50", "slot 2's saved volume is %r" % page.get("v2"))


# --- the timed start ---------------------------------------------------------------------------

START_AT = (14, 30)  # the time typed in; the program's clock is set so that it comes soon


def clock_for(seconds_ahead):
    """A TZ setting under which the program's wall clock reads 14:30:00 `seconds_ahead` seconds from
    now, and the monotonic time of that moment. (The time entry takes hours and minutes only.)"""
    wall, mono = time.time(), time.monotonic()
    due = math.ceil(wall) + seconds_ahead
    offset = (START_AT[0] * 3600 + START_AT[1] * 60 - int(due) % 86400) % 86400
    if offset > 43200:
        offset -= 86400
    sign = "-" if offset >= 0 else "+"  # POSIX: the offset is what one adds to local time for UTC
    size = abs(offset)
    tz = "RBX%s%d:%02d:%02d" % (sign, size // 3600, size // 60 % 60, size % 60)
    return tz, mono + (due - wall)


def enter_time(s, hours, minutes):
    """Types a time into the time entry and presses Return (its OK); returns the entry window."""
    entry = Dialog("Timed Start Set", 300, 170)
    # The window keeps the focus where it was left, so each box is clicked before it is typed in.
    for point, value in (((100, 48), hours), ((240, 48), minutes)):
        entry.click(*point)
        s.focus_key("ctrl+a")
        type_text("%d" % value)
    s.focus_key("Return")
    return entry


def set_timed_start(s):
    # In play-list mode a captioned slot's menu reads Cue It, Edit, Copy, Cut, Timed Start.
    menu_item(s, s.slot_point(1, 0.5, 0.25), 5)
    enter_time(s, *START_AT)
    gone("Timed Start Set")
    return Dialog("Automatic Start Timer", 360, 200)


@guarded
@case("a timed start cancelled plays nothing; set again it starts on its minute")
def timed_start(s, rec_path):
    due = s.due
    plays = s.count("Process Sound Button")
    rec = recorder(rec_path, clocked=True)
    countdown = set_timed_start(s)
    settle(1.0)
    countdown.click(235, 162)  # "Cancel"
    gone("Automatic Start Timer")
    cancelled_at = time.monotonic()
    settle(0.8)
    check(s.count("Process Sound Button") == plays, "the cancelled countdown played its sound")
    set_timed_start(s)
    ready = time.monotonic()
    check(ready < due - 0.5, "the countdown was set up only %.1f s before its time" % (due - ready))
    bbenv.wait_for("the countdown to end", lambda: not bbenv.windows_named("^Automatic Start Timer$"),
                   due - time.monotonic() + 5, step=0.05)
    settle(2.5)
    s.focus_key("backslash")  # the play list would go on: stop all
    left = recorded(rec)
    starts = [rec.origin() + x.start for x in analyse.sounds(left)]
    check(starts, "the timed start played nothing")
    print("  measured: %d sounds; the first %.0f ms after the set minute (cancel at %.1f s before it)"
          % (len(starts), (starts[0] - due) * 1000, due - cancelled_at))
    check(len(starts) == 1, "%d sounds were recorded, one expected" % len(starts))
    # The countdown checks the clock once a second, so the start comes in the second after the
    # minute; the output adds its latency (tens of ms) and the recording's placing a block (10 ms).
    check(-0.05 < starts[0] - due < 1.25, "the sound started %.0f ms from its set time" % ((starts[0] - due) * 1000))
    check(s.count("Process Sound Button") == plays + 1, "the timed start ran %d plays"
          % (s.count("Process Sound Button") - plays))


@guarded
@case("the timed start refuses 0:00, and its Start Now plays at once")
def timed_start_now(s, rec_path):
    menu_item(s, s.slot_point(1, 0.5, 0.25), 5)
    entry = enter_time(s, 0, 0)
    box_closed_by_ok(s, "Error")
    check(bbenv.windows_named("^Timed Start Set$"), "the time entry closed on a refused 0:00")
    check(not bbenv.windows_named("^Automatic Start Timer$"), "a refused 0:00 started the countdown")
    entry.click(200, 144)  # "Cancel"
    gone("Timed Start Set")
    countdown = set_timed_start(s)
    plays = s.count("Process Sound Button")
    rec = recorder(rec_path, clocked=True)
    clicked = time.monotonic()
    countdown.click(125, 162)  # "Start Now"
    gone("Automatic Start Timer")
    settle(1.0)
    s.focus_key("backslash")
    left = recorded(rec)
    found = analyse.sounds(left)
    check(len(found) == 1, "Start Now gave %d sounds" % len(found))
    delay = rec.origin() + found[0].start - clicked
    print("  measured: Start Now sounded %.0f ms after the click" % (delay * 1000))
    check(-0.05 < delay < 0.5, "Start Now sounded %.0f ms after the click" % (delay * 1000))
    check(s.count("Process Sound Button") == plays + 1, "Start Now ran %d plays"
          % (s.count("Process Sound Button") - plays))


def run(binary, root, rec_path, sessions):
    first = Session(binary, root, "editors-board", board_maker=board.editors_board).start()
    sessions.append(first)
    for step in (page_editor, place_marker, custom_cue, custom_cue_again, volume_level):
        step(first, rec_path)
    saved(first, rec_path)
    # The program reads its wall clock in the zone it is given; 14:30 comes 18 s after the start.
    tz, due = clock_for(18)
    timed = Session(binary, root, "editors-timed", board_maker=board.timed_board,
                    env={"TZ": tz, "LC_ALL": "C.UTF-8"}).start()
    sessions.append(timed)
    timed.due = due
    timed_start(timed, rec_path)
    timed_start_now(timed, rec_path)
