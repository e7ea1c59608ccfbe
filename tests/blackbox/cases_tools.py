"""Black-box cases of the tool windows, used as an operator uses them: Setup, Find, the list
windows, the multi-sport and Australian football scoreboards, the lineups and the roster. Windows
are opened from the menus and the toolbar, their controls found on screenshots by colour, keys and
clicks sent through the X server, sounds recorded from the sink's monitor."""
import os

import analyse
import bbenv
import board
from cases import case, check, grows_by, one_key_plays_once, recorded, settle, start_then_end, strip_below_board
from session import Session

WIDTH = 1920
WHITE = (255, 255, 255)
TEAL = (0, 128, 128)
DARK_RED = (128, 0, 0)  # an unlit red light
WINDOW_FACE = (239, 239, 239)
SELECTED_ROW = (48, 140, 198)
SILVER = (192, 192, 192)  # the face of a slot's volume, loop and cue markers

# Items of the Tools menu, counted upwards from its last one (the menu opens on its first item,
# and Up from there goes round to the last): counting from the end skips the items that are
# disabled while nothing plays.
TOOLS_UP = {"Personalize": 1, "Roster": 2, "Lineups": 3, "Duplicate Check": 4, "Verify Sound Buttons": 5,
            "List Custom Cued Buttons": 6, "List Sound Buttons": 7, "List Hot Keys": 8, "Options...": 9}
# The Scoreboard menu: Baseball, Basketball, ... Volleyball, Australian Football, then the two clocks.
SCOREBOARD_UP = {"Australian Football": 3}
SCOREBOARD_DOWN = {"Basketball": 1}


# --- the screen ----------------------------------------------------------------------------------

def window_box(title, seconds=10):
    """The visible window whose title matches, and its box (x0, y0, x1, y1) on the screen."""
    window = bbenv.wait_for("the '%s' window" % title, lambda: bbenv.windows_named(title), seconds, step=0.1)[0]
    # Read once the window manager has placed it: a window mapped again from its icon reads at a
    # passing place, off the screen, for a moment.
    last = [None]

    def settled():
        box, before = client_box(window), last[0]
        last[0] = box
        return box if box == before and box[0] >= 0 and box[1] >= 0 and box[3] < 1080 else None
    return window, bbenv.wait_for("the '%s' window to settle" % title, settled, seconds, step=0.1)


def client_box(window):
    # xwininfo's absolute corner: xdotool's counts the window manager's frame twice.
    values = {}
    for line in bbenv.run_text(["xwininfo", "-id", str(window)]).splitlines():
        key, _, value = line.strip().partition(":")
        values[key] = value.strip()
    x, y = int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"])
    return x, y, x + int(values["Width"]) - 1, y + int(values["Height"]) - 1


def gone(title, seconds=5):
    bbenv.wait_for("the '%s' window to close" % title, lambda: not bbenv.windows_named(title), seconds, step=0.1)


def runs(data, y, x0, x1, pixel, shortest):
    """Runs (first, last) of one colour on row y between x0 and x1, at least `shortest` long."""
    row = data[(y * WIDTH + x0) * 3:(y * WIDTH + x1 + 1) * 3]
    found = []
    i = row.find(pixel)
    while i != -1:
        if i % 3:
            i = row.find(pixel, i + 1)
            continue
        j = i
        while row[j:j + 3] == pixel:
            j += 3
        if (j - i) // 3 >= shortest:
            found.append((x0 + i // 3, x0 + j // 3 - 1))
        i = row.find(pixel, j)
    return found


def boxes(data, rgb, area, min_width=10, min_height=8):
    """Rectangles of one exact colour inside area, top to bottom: a run of min_width starts one,
    shorter runs (beside a text's letters) carry it on to the next row."""
    x0, y0, x1, y1 = area
    pixel = bytes(rgb)
    live, done = [], []
    for y in range(y0, y1 + 1):
        still = []
        for first, last in runs(data, y, x0, x1, pixel, 2):
            box = next((b for b in live + still if b[0] <= last and first <= b[2]), None)
            if box is not None:
                box[0], box[2], box[3] = min(box[0], first), max(box[2], last), y
                if box in live:
                    live.remove(box)
                    still.append(box)
            elif last - first + 1 >= min_width:
                still.append([first, y, last, y])
        done.extend(live)
        live = still
    done.extend(live)
    found = [tuple(b) for b in done if b[3] - b[1] + 1 >= min_height]
    return sorted(found, key=lambda b: (b[1], b[0]))


def crop(data, box):
    x0, y0, x1, y1 = box
    return b"".join(data[(y * WIDTH + x0) * 3:(y * WIDTH + x1 + 1) * 3] for y in range(y0, y1 + 1))


def inner(box):
    """A box without its frame, which shows whether the control has the focus."""
    return box[0] + 3, box[1] + 3, box[2] - 3, box[3] - 3


def dark_pixels(box, data=None):
    """Pixels of text (darker than mid grey) inside a box's frame: a blank edit has at most its
    caret."""
    pic = crop(data or bbenv.screenshot(), inner(box))
    return sum(1 for i in range(0, len(pic), 3) if pic[i] < 128 and pic[i + 1] < 128 and pic[i + 2] < 128)


def middle(box):
    return (box[0] + box[2]) // 2, (box[1] + box[3]) // 2


def bottom_buttons(data, area):
    """The row of push buttons lowest in area, left to right: the last band of rows holding
    anything but the window's face, cut into the runs across its middle."""
    rows = bands(data, area, WINDOW_FACE)
    check(rows, "nothing but the window's face in %s" % (area,))
    return buttons_in_band(data, rows[-1], area[0], area[2], WINDOW_FACE)


def bands(data, area, background):
    """Rows of area holding anything but the background, grouped: each band as (y0, y1)."""
    x0, y0, x1, y1 = area
    pixel = bytes(background)
    full = pixel * (x1 - x0 + 1)
    found = []
    for y in range(y0, y1 + 1):
        if data[(y * WIDTH + x0) * 3:(y * WIDTH + x1 + 1) * 3] != full:
            if found and found[-1][1] == y - 1:
                found[-1][1] = y
            else:
                found.append([y, y])
    return [tuple(b) for b in found if b[1] - b[0] >= 4]


def buttons_in_band(data, band, x0, x1, background):
    """The controls across one band: the runs of anything but the background on its middle row."""
    y = (band[0] + band[1]) // 2
    pixel = bytes(background)
    found, start = [], None
    for x in range(x0, x1 + 2):
        other = x <= x1 and data[(y * WIDTH + x) * 3:(y * WIDTH + x) * 3 + 3] != pixel
        if other and start is None:
            start = x
        elif not other and start is not None:
            if x - start > 8:
                found.append((start, band[0], x - 1, band[1]))
            start = None
    return found


# --- the operator's moves --------------------------------------------------------------------------

def activate(window):
    bbenv.xdotool("windowactivate", "--sync", window)
    settle(0.3)


def menu_command(s, menu_key, ups=0, downs=0):
    """A command of a main-window menu chosen with the keyboard, as from a keyboard-only desk."""
    activate(s.window)
    s.focus_key(menu_key)
    settle(0.5)
    for _ in range(ups):
        s.focus_key("Up")
    for _ in range(downs):
        s.focus_key("Down")
    s.focus_key("Return")


def open_tool(s, title, item):
    """A window opened from the Tools menu, given the focus."""
    menu_command(s, "alt+t", ups=TOOLS_UP[item])
    window, area = window_box(title)
    activate(window)
    return window, area


def edits_of(data, area, count, what):
    found = boxes(data, WHITE, area, min_width=30)
    check(len(found) == count, "the %s show %d edits, not %d" % (what, len(found), count))
    return found


def check_saved(path, section, expected):
    saved = read_ini(path).get(section, {})
    for key, value in expected.items():
        check(saved.get(key) == value, "%s holds %s=%s in [%s], not %s" % (path, key, saved.get(key), section, value))


def close_by_escape(s, window, title):
    activate(window)
    s.focus_key("Escape")
    gone(title)


def answer_box(title, key="Return"):
    """A message box answered from the keyboard, as the operator does: the box has the focus."""
    bbenv.wait_for("a '%s' box" % title, lambda: bbenv.windows_named("^%s$" % title), 10, step=0.1)
    settle(0.3)
    bbenv.xdotool("key", key)
    gone("^%s$" % title)


def type_text(text):
    bbenv.xdotool("type", "--delay", "40", text)


def double_click(point):
    bbenv.xdotool("mousemove", point[0], point[1], "click", "--repeat", "2", "--delay", "80", "1")


def read_ini(path):
    """The key=value lines of an INI file the program wrote, by section."""
    sections, current = {}, None
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f.read().splitlines():
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                current = sections.setdefault(line[1:-1], {})
            elif "=" in line and current is not None:
                key, _, value = line.partition("=")
                current[key] = value
    return sections


def one_sound(rec, what, length=None):
    found = analyse.sounds(recorded(rec))
    check(len(found) == 1, "%s gave %d sound starts" % (what, len(found)))
    if length is not None:
        check(abs(found[0].length - length) < 0.15,
              "%s played a %.2f s sound, not the %.2f s one" % (what, found[0].length, length))
    return found[0]


def no_sound(rec, what):
    found = analyse.sounds(recorded(rec))
    check(not found, "%s started %d sounds" % (what, len(found)))


def changed_to(what, box, test, seconds=5):
    """Waits until the screen's picture of box passes test; returns that picture."""
    return bbenv.wait_for(what, lambda: (lambda pic: pic if test(pic) else None)(crop(bbenv.screenshot(), box)),
                          seconds, step=0.1)


@case("the board fills the maximized window at start-up, down to its bottom, and a slot's markers show whole")
def board_fills(s, rec_path):
    # The slot grid is laid out for the window's real size, not left at its design size.
    check(1 in s.slots and 8 in s.slots, "slots 1 and 8 not found on the screen: %s" % sorted(s.slots))
    x0, y0, x1, y1 = client_box(s.window)
    across = s.slots[8][2] - s.slots[1][0]
    check(across > 0.7 * (x1 - x0), "the first row of slots spans %d of the window's %d pixels" % (across, x1 - x0))
    data = bbenv.screenshot()
    strip = strip_below_board(data, (x0, y0, x1, y1))
    check(strip <= 10, "the last row of slots ends %d pixels above the window's bottom" % strip)
    # The volume marker of slot 2 and the loop marker of slot 5 show their letter whole: their
    # font follows the window's width, which grew more than the markers' height.
    for slot, what in ((2, "volume marker"), (5, "loop marker")):
        found = boxes(data, SILVER, s.slots[slot], min_width=6, min_height=6)
        check(found, "slot %d's %s not found" % (slot, what))
        mx0, my0, mx1, my1 = found[0]
        for y in (my0, my1):
            row = crop(data, (mx0, y, mx1, y))
            ink = sum(1 for i in range(0, len(row), 3) if max(row[i:i + 3]) < 100)
            check(ink == 0, "slot %d's %s letter is cut at its %s edge (%d pixels of ink on row %d)"
                  % (slot, what, "top" if y == my0 else "bottom", ink, y))


# --- Setup ---------------------------------------------------------------------------------------

def save_settings(s, area):
    """Setup's "Save Settings" clicked (the left of the two buttons below the tabs): the dialog
    closes having written the options file once."""
    buttons = bottom_buttons(bbenv.screenshot(), (area[0] + 2, area[3] - 40, area[2] - 2, area[3] - 2))
    check(len(buttons) == 2, "Save Settings and Cancel not found below the tabs: %s" % buttons)
    before = s.count("Update Ini in Setup")
    s.click_point(middle(buttons[0]))
    gone("^Setup Options$")
    check(grows_by(s, "Update Ini in Setup", before, 1) == 1, "Save Settings did not write the options once")


@case("Setup from the Tools menu: a fade-out length typed, saved, written and heard")
def setup_fade(s, rec_path):
    window, area = open_tool(s, "^Setup Options$", "Options...")
    for _ in range(3):
        s.focus_key("ctrl+Tab")  # General, Colors, Delay, Faders
    settle(0.5)
    data = bbenv.screenshot()
    # The Faders tab's seconds edits, top to bottom: fade in, fade out, ...
    edits = boxes(data, WHITE, area, min_width=30)
    check(len(edits) >= 5, "the Faders tab shows %d edits" % len(edits))
    s.click_point(middle(edits[1]))
    s.focus_key("ctrl+a")
    type_text("1.2")
    # A second tenth is refused with the error box, and the text stays.
    s.focus_key("5")
    answer_box("Error")
    activate(window)
    save_settings(s, area)
    check_saved(os.path.join(s.home, "RBX.inf"), "Main", {"FadeOutSec": "1.2"})
    activate(s.window)
    left, found, clicked, pressed = start_then_end(
        rec_path, lambda: s.click_point(s.slot_point(10, 0.5, 0.25)), 1.5, lambda: s.focus_key("space"), 2.5)
    length = analyse.last_above(left, found[0].start, 160) - (found[0].start + pressed - clicked)
    print("  measured: fade %.2f s (FadeOutSec 1.2 from Setup)" % length)
    check(1.0 <= length <= 1.45, "the fade after Setup measured %.2f s, not 1.2 s" % length)


# A preset the options file holds at start (group "board"): a Setup save must keep it.
PRESET = {"MySettingsName 1": "Crowd", "MySettingsValue 1": "1,2,3,4,5,6,7,8,9,10"}


@case("Setup's Save Settings after the equalizer window was opened keeps the equalizer presets")
def setup_keeps_presets(s, rec_path):
    title = "^Digital Signal Processing"
    activate(s.window)
    s.click_point(s.design_point(405, 15))  # EQ/Rev/Temp: the window loads its preset list
    window, _ = window_box(title)
    close_by_escape(s, window, title)
    window, area = open_tool(s, "^Setup Options$", "Options...")
    save_settings(s, area)
    check_saved(os.path.join(s.home, "RBX.inf"), "Main", PRESET)


@case("Setup: \"Stop It\" chosen with a click makes a click on a playing slot stop it")
def setup_play_stop(s, rec_path):
    window, area = open_tool(s, "^Setup Options$", "Options...")
    data = bbenv.screenshot()
    # The General tab's check boxes and radio buttons show small white squares and rounds; the
    # two radios "Play It Again" and "Stop It" are the one row that holds two of them.
    # A checked one shows its dot, so only its top is found: the marks are matched by their tops.
    marks = sorted(b for b in boxes(data, WHITE, area, min_width=4, min_height=3) if b[2] - b[0] < 20)
    pairs = [(a, b) for a in marks for b in marks if abs(a[1] - b[1]) <= 3 and b[0] - a[0] > 100]
    check(len(pairs) == 1, "the General tab shows %d rows of two radio buttons" % len(pairs))
    s.click_point((pairs[0][1][0] + 5, pairs[0][1][1] + 5))
    save_settings(s, area)
    check_saved(os.path.join(s.home, "RBX.inf"), "Main", {"PlayStop": "STOP"})
    activate(s.window)
    left, found, started_at, stopped_at = start_then_end(
        rec_path, lambda: s.click_point(s.slot_point(9, 0.5, 0.25)), 1.0,
        lambda: s.click_point(s.slot_point(9, 0.2, 0.85)), 1.0)
    check(abs(found[0].length - (stopped_at - started_at)) < 0.35,
          "the sound lasted %.2f s, the clicks were %.2f s apart" % (found[0].length, stopped_at - started_at))


# The colours of the "colors" group's options, found again on the screen.
BUTTON_COLOR = ("$00306090", (0x90, 0x60, 0x30))
ACTIVE_COLOR = ("$0060C0F0", (0xF0, 0xC0, 0x60))


def colour_button_below_active(s, area, rows):
    """Clicks the Colors tab's button `rows` below Setup's Active Button Color (-1: the one above),
    found by the active colour it wears."""
    found = boxes(bbenv.screenshot(), ACTIVE_COLOR[1], area)
    check(len(found) == 1, "Active Button Color not found by its colour on the Colors tab: %s" % found)
    x0, y0, x1, y1 = found[0]
    step = (y1 - y0) + 16
    s.click_point(((x0 + x1) // 2, (y0 + y1) // 2 + rows * step))


@case("Setup: Control Buttons Color and Restore Default Colors repaint the panel behind the volume bar")
def setup_button_colours(s, rec_path):
    # The panel (design 571, 3, 96 x 24) shows the button colour around the volume bar.
    panel = s.design_point(573, 5) + s.design_point(665, 25)

    def shown(rgb):
        pixel = bytes(rgb)
        pic = crop(bbenv.screenshot(), panel)
        return sum(1 for i in range(0, len(pic), 3) if pic[i:i + 3] == pixel)

    def panel_turns(rgb, what):
        try:
            bbenv.wait_for(what, lambda: shown(rgb) > 20, 5, step=0.1)
        except bbenv.Timeout:
            raise AssertionError("%s: the panel behind the volume bar shows %d pixels of %s"
                                 % (what, shown(rgb), rgb))

    panel_turns(BUTTON_COLOR[1], "the start-up button colour")
    # Control Buttons Color, then the colour typed into the colour dialog's Red, Green and Blue.
    window, area = open_tool(s, "^Setup Options$", "Options...")
    s.focus_key("ctrl+Tab")  # General, Colors
    settle(0.5)
    colour_button_below_active(s, area, -1)
    dialog, _ = window_box("^Select Color$")
    activate(dialog)
    for key, value in (("alt+r", "10"), ("alt+g", "160"), ("alt+u", "200")):
        s.focus_key(key)
        s.focus_key("ctrl+a")
        type_text(value)
    s.focus_key("Return")
    gone("^Select Color$")
    close_by_escape(s, window, "^Setup Options$")
    activate(s.window)
    panel_turns((10, 160, 200), "the colour chosen for the control buttons")
    check(shown(BUTTON_COLOR[1]) == 0, "the panel still shows the old button colour")
    # Restore Default Colors: the button below Active Button Color.
    window, area = open_tool(s, "^Setup Options$", "Options...")
    s.focus_key("ctrl+Tab")
    settle(0.5)
    colour_button_below_active(s, area, 1)
    settle(0.5)
    close_by_escape(s, window, "^Setup Options$")
    activate(s.window)
    try:
        bbenv.wait_for("the panel in button face", lambda: shown((10, 160, 200)) == 0, 5, step=0.1)
    except bbenv.Timeout:
        raise AssertionError("after Restore Default Colors the panel behind the volume bar still shows %d "
                             "pixels of the chosen colour" % shown((10, 160, 200)))


# --- Find ----------------------------------------------------------------------------------------

@case("Find: no match says so; a typed search lists its match and a double-click plays it")
def find_sound(s, rec_path):
    activate(s.window)
    s.click_point(s.design_point(249, 15))  # the toolbar's Find
    window, area = window_box("^Find$")
    activate(window)
    type_text("nowhere")
    s.focus_key("Return")  # Find is the default button
    answer_box("Information")
    activate(window)
    type_text("anthem")  # the search text is selected after the box: typing replaces it
    s.focus_key("Return")
    results, area = window_box("Matches Found")
    title = bbenv.window_title(results)
    check("(Searched Buttons and Notes)" in title, "the results window reads '%s'" % title)
    rows = boxes(bbenv.screenshot(), SELECTED_ROW, area)
    check(rows, "the results show no chosen row")
    check(len({r[1] for r in rows}) == 1, "more than one row is chosen: %s" % rows)
    rec = bbenv.Recorder(rec_path).start()
    pages, plays = s.count("Page Button Clicked - Anthems"), s.count("Process Sound Button")
    double_click(middle(rows[0]))
    gone("Matches Found")
    gone("^Find$")
    shown_and_played(s, "Anthems", pages, plays, 1)
    settle(1.2)
    one_sound(rec, "a double-click on the match", 1.0)


# --- the list windows ----------------------------------------------------------------------------

def shown_and_played(s, page, pages_before, plays_before, plays):
    """The main window showed the page (its group's first, then the page, may show it twice) and
    ran the slot's play `plays` times."""
    bbenv.wait_for("the page %s to show" % page, lambda: s.count("Page Button Clicked - " + page) > pages_before, 5)
    new = grows_by(s, "Process Sound Button", plays_before, plays, seconds=2)
    check(new == plays, "the choice ran the slot's play %d times, not %d" % (new, plays))


def chosen_row(s, title, item):
    window, area = open_tool(s, title, item)
    s.focus_key("ctrl+End")  # the last row
    settle(0.4)
    rows = boxes(bbenv.screenshot(), SELECTED_ROW, area)
    check(rows, "no row of '%s' is chosen after Ctrl+End" % title)
    return rows[0]


def double_click_row(s, rec_path, row, title, page, length):
    """A list's row double-clicked: the list closes, the main window shows the row's page and
    plays its sound of `length` seconds once, or, with no length, plays nothing."""
    rec = bbenv.Recorder(rec_path).start()
    pages, plays = s.count("Page Button Clicked - " + page), s.count("Process Sound Button")
    double_click(middle(row))
    gone(title)
    shown_and_played(s, page, pages, plays, 0 if length is None else 1)
    settle(1.0)
    if length is None:
        no_sound(rec, "a double-click on a row of '%s'" % title)
    else:
        one_sound(rec, "a double-click on a row of '%s'" % title, length)


@case("List Sound Buttons: Esc plays nothing; the last row double-clicked plays it from its page")
def sound_list(s, rec_path):
    title = "^Sound Button List in Group/Page Sequence$"
    chosen_row(s, title, "List Sound Buttons")
    rec = bbenv.Recorder(rec_path).start()
    s.focus_key("Escape")
    gone(title)
    settle(1.0)
    no_sound(rec, "Esc on the sound-button list")
    row = chosen_row(s, title, "List Sound Buttons")
    double_click_row(s, rec_path, row, title, "Fanfares", 0.6)


@case("Verify Sound Buttons lists the missing file; its row double-clicked shows its page, silently")
def verify_list(s, rec_path):
    title = "^Invalid Sound Buttons$"
    row = chosen_row(s, title, "Verify Sound Buttons")
    double_click_row(s, rec_path, row, title, "Beeps", None)


@case("the hot-key, duplicate and empty custom-cued lists close by keys and play nothing")
def other_lists(s, rec_path):
    rec = bbenv.Recorder(rec_path).start()
    for title, item in (("^Hot Key List in Group/Page Sequence$", "List Hot Keys"),
                        # The board's beep plays from eleven slots: they are listed.
                        ("^Duplicate\\(s\\) Sound Button List$", "Duplicate Check")):
        chosen_row(s, title, item)
        s.focus_key("Escape")
        gone(title)
    menu_command(s, "alt+t", ups=TOOLS_UP["List Custom Cued Buttons"])
    answer_box("Information")  # "NO Custom Cued Buttons Found"
    settle(0.5)
    no_sound(rec, "the three lists")


# --- the scoreboards -----------------------------------------------------------------------------

def team_panels(area, count):
    """The two teal team panels of a scoreboard, home (left) first, each with its white panels."""
    data = bbenv.screenshot()
    panels = sorted(boxes(data, TEAL, area, min_width=40, min_height=40), key=lambda b: b[0])
    check(len(panels) == 2, "the scoreboard shows %d team panels" % len(panels))
    whites = [boxes(data, WHITE, p, min_width=20) for p in panels]
    check(all(len(w) == count for w in whites), "the team panels hold %s white panels, not %d each"
          % ([len(w) for w in whites], count))
    return data, panels, whites


def lime_x(area):
    """Where lime shows in area (the mean column of its pixels), or None. Thin letters are drawn
    smoothed, so a pixel counts as lime when green dominates it."""
    data = bbenv.screenshot()
    xs = []
    for y in range(area[1], area[3] + 1):
        row = data[(y * WIDTH + area[0]) * 3:(y * WIDTH + area[2] + 1) * 3]
        xs.extend(area[0] + i // 3 for i in range(0, len(row), 3)
                  if row[i + 1] > 200 and row[i] < 80 and row[i + 2] < 80)
    return sum(xs) / len(xs) if xs else None


def hot_key_once(s, window, rec_path, what):
    activate(window)
    active = int(bbenv.xdotool("getactivewindow").strip() or 0)
    check(active == window, "%s does not have the focus" % what)
    one_key_plays_once(s, rec_path, "on " + what)


@case("the basketball scoreboard counts points, a point gives the keyboard back, Undo takes the last away, "
      "arrows mark possession, a hot key plays once")
def multi_sport(s, rec_path):
    title = "^Basketball Scoreboard$"
    menu_command(s, "alt+s", downs=SCOREBOARD_DOWN["Basketball"])
    window, area = window_box(title)
    activate(window)
    data, panels, whites = team_panels(area, 1)
    scores = [w[0] for w in whites]
    zero = [crop(data, b) for b in scores]
    check(zero[0] == zero[1], "the two new scores do not read the same")
    controls = []
    for panel, score in zip(panels, scores):
        rows = bands(data, (panel[0] + 3, score[3] + 1, panel[2] - 3, panel[3] - 3), TEAL)
        check(len(rows) == 2, "a team panel shows %d rows of buttons below its score" % len(rows))
        plus, undo = (buttons_in_band(data, r, panel[0] + 3, panel[2] - 3, TEAL) for r in rows)
        check(len(plus) == 3 and len(undo) == 2, "basketball shows %d point and %d undo/reset buttons"
              % (len(plus), len(undo)))
        controls.append((plus, undo))
    (home_plus, home_undo), (visitor_plus, _) = controls
    s.click_point(middle(home_plus[2]))  # +3
    three = changed_to("the home score to change after +3", scores[0], lambda pic: pic != zero[0])
    bbenv.wait_for("the main window to take the keyboard after +3",
                   lambda: int(bbenv.xdotool("getactivewindow").strip() or 0) == s.window, 5, step=0.1)
    s.click_point(middle(home_undo[0]))  # Undo takes the 3 away
    changed_to("the home score back to 00 after Undo", scores[0], lambda pic: pic == zero[0])
    s.click_point(middle(home_plus[0]))
    s.click_point(middle(home_plus[1]))  # +1 +2 reads as the +3 did
    changed_to("the home score to read 3 after +1 and +2", scores[0], lambda pic: pic == three)
    s.click_point(middle(visitor_plus[1]))
    two = changed_to("the visitors' score to change after +2", scores[1], lambda pic: pic != zero[1])
    check(two != three, "the visitors' 2 reads as the home 3")
    check(crop(bbenv.screenshot(), scores[0]) == three, "the visitors' points changed the home score")
    # The arrow keys mark possession: the arrow on their side turns lime.
    centre = (panels[0][2] + 1, area[1], panels[1][0] - 1, area[3])
    activate(window)
    s.focus_key("Left")
    home_arrow = bbenv.wait_for("a lime arrow after Left", lambda: lime_x(centre), 5, step=0.1)
    s.focus_key("Right")
    bbenv.wait_for("the lime arrow to move right after Right", lambda: (lime_x(centre) or 0) > home_arrow + 20, 5,
                   step=0.1)
    hot_key_once(s, window, rec_path, "the basketball scoreboard")


@case("the Australian football scoreboard counts a goal as six behinds, takes no hot key, "
      "and a quarter light gives the keyboard back to the board")
def australian(s, rec_path):
    title = "^Australian Football$"
    menu_command(s, "alt+s", ups=SCOREBOARD_UP["Australian Football"])
    window, area = window_box(title)
    activate(window)
    # Each team: goals, behinds and total, top to bottom.
    data, panels, whites = team_panels(area, 3)
    (home_goals, _, home_total), (_, visitor_behinds, visitor_total) = whites
    zero = crop(data, home_total)
    s.click_point(middle(home_goals))
    six = changed_to("the home total to change after a goal", home_total, lambda pic: pic != zero)
    for _ in range(6):
        s.click_point(middle(visitor_behinds))
    changed_to("the visitors' total after six behinds to read as the home goal's",
               (visitor_total[0], visitor_total[1], visitor_total[0] + home_total[2] - home_total[0],
                visitor_total[3]), lambda pic: pic == six)
    # This scoreboard takes no hot keys: Q on it plays nothing.
    activate(window)
    rec = bbenv.Recorder(rec_path).start()
    before = s.count("Hot Key Play Sound - Hot Key button hit")
    s.focus_key("q")
    settle(1.0)
    check(s.count("Hot Key Play Sound - Hot Key button hit") == before, "Q on the Australian scoreboard played")
    check(not analyse.sounds(recorded(rec)), "Q on the Australian scoreboard gave a sound")
    # The quarter lights (dark red until chosen) sit between the team panels; the first one
    # hands the keyboard back to the board, where one Q plays once.
    centre = (panels[0][2] + 1, area[1], panels[1][0] - 1, area[3])
    lights = sorted(boxes(bbenv.screenshot(), DARK_RED, centre, min_width=4, min_height=4), key=lambda b: b[0])
    check(len(lights) == 4, "the scoreboard shows %d dark quarter lights, not 4" % len(lights))
    s.click_point(middle(lights[0]))
    bbenv.wait_for("the main window to take the keyboard after a quarter light",
                   lambda: int(bbenv.xdotool("getactivewindow").strip() or 0) == s.window, 5, step=0.1)
    one_key_plays_once(s, rec_path, "after the quarter light")


# --- lineups and roster ----------------------------------------------------------------------------

def file_dialog(title, path):
    dialog, _ = window_box("^%s$" % title)
    activate(dialog)
    type_text(path)
    bbenv.xdotool("key", "Return")
    gone("^%s$" % title)
    bbenv.wait_for("the file %s" % path, lambda: os.path.exists(path), 5)


@case("the roster: Enter in an entry loads nothing, a minimise keeps what was typed, saved it reaches its "
      "file; Esc hides it and it opens empty")
def roster(s, rec_path):
    title = "^Team Roster$"
    window, area = open_tool(s, title, "Roster")
    data = bbenv.screenshot()
    edits = edits_of(data, area, 33, "roster's team and players")
    empty = crop(data, edits[0])
    s.click_point(middle(edits[0]))
    type_text("Eagles")
    s.click_point(middle(edits[1]))  # player 1 (player 17 stands beside it)
    type_text("7 Smith")
    # Enter in an entry presses no button (Load would open its file dialog).
    s.focus_key("Return")
    settle(1.0)
    check(not bbenv.windows_named("^Load Roster$"), "Enter in a roster entry opened the Load dialog")
    # Minimised and restored, the roster keeps what was typed.
    bbenv.xdotool("windowminimize", "--sync", window)
    settle(0.5)
    activate(window)
    settle(0.5)
    data = bbenv.screenshot()
    check(crop(data, edits[0]) != empty and dark_pixels(edits[0], data) >= 25, "the typed team name does not show")
    buttons = bottom_buttons(data, (area[0] + 2, edits[-1][3] + 4, area[2] - 2, area[3] - 2))
    check(len(buttons) == 3, "Load, Save and Cancel not found: %s" % buttons)
    path = os.path.join(s.home, "eagles.ros")
    s.click_point(middle(buttons[1]))
    file_dialog("Save Roster", path)
    check_saved(path, "Roster", {"TeamName": "Eagles", "Roster1": "7 Smith"})
    close_by_escape(s, window, title)
    window, area = open_tool(s, title, "Roster")

    def team_name_blank():
        # The window manager may place it elsewhere this time: its edits are found again.
        found = boxes(bbenv.screenshot(), WHITE, area, min_width=30)
        return len(found) == 33 and dark_pixels(found[0]) < 25
    bbenv.wait_for("the roster to open with an empty team name", team_name_blank, 5, step=0.2)
    close_by_escape(s, window, title)


@case("the lineups: a name typed is shown again after Esc and reopening, and saved to its file")
def lineups(s, rec_path):
    title = "^Lineups$"
    window, area = open_tool(s, title, "Lineups")
    data = bbenv.screenshot()
    # The two team names, then each row's visitor and home player.
    edits = edits_of(data, area, 22, "lineups' names and players")
    visitors = edits[0] if edits[0][0] < edits[1][0] else edits[1]
    empty = crop(data, inner(visitors))
    s.click_point(middle(visitors))
    type_text("Hawks")
    s.click_point(middle(edits[2] if edits[2][0] < edits[3][0] else edits[3]))
    type_text("12 Jones")
    typed = changed_to("the visitors' name to show", inner(visitors), lambda pic: pic != empty)
    s.focus_key("Escape")
    gone(title)
    # Esc minimises the lineups alone: the board stays on the screen.
    check(not bbenv.minimised(s.window), "Esc in the lineups minimised the board too")
    window, area = open_tool(s, title, "Lineups")

    def name_again():
        found = boxes(bbenv.screenshot(), WHITE, area, min_width=30)
        if len(found) != 22:
            return False
        # The same picture where the name edit is now; a focused edit's frame is a pixel wider.
        data, now, box = bbenv.screenshot(), min(found[:2]), inner(visitors)
        return any(crop(data, (box[0] + dx, box[1] + dy, box[2] + dx, box[3] + dy)) == typed
                   for dx in range(now[0] - visitors[0] - 1, now[0] - visitors[0] + 2)
                   for dy in range(now[1] - visitors[1] - 1, now[1] - visitors[1] + 2))
    bbenv.wait_for("the visitors' name to show again", name_again, 5, step=0.2)
    activate(window)
    # From the visitors' name (focused on activation) back past the two roster buttons and
    # Retrieve to Save.
    for _ in range(4):
        s.focus_key("shift+Tab")
    s.focus_key("space")
    path = os.path.join(s.home, "game.lup")
    file_dialog("Save Lineup", path)
    check_saved(path, "Visitor", {"TeamName": "Hawks", "Player1": "12 Jones"})
    close_by_escape(s, window, title)


# Each group runs in a program of its own, one program on the desktop at a time (another one's
# windows would take the activations); the scoreboards put the main window at its design size
# beside them, so they have the last program to themselves.
GROUPS = [
    ("board", "tools-board", board.tools_board,
     (board_fills, setup_fade, setup_play_stop, setup_keeps_presets, find_sound, sound_list, verify_list,
      other_lists)),
    ("teams", "tools-teams", board.test_board, (board_fills, roster, lineups)),
    ("colors", "tools-colors", board.test_board, (setup_button_colours,)),
    ("scores", "tools-scores", board.test_board, (multi_sport, australian)),
]
OPTIONS = {"board": PRESET,
           "colors": {"ButtonColor": BUTTON_COLOR[0], "ActiveButtonColor": ACTIVE_COLOR[0]}}


def run(binary, root, rec_path, sessions):
    """RBX_TOOLS_ONLY (board, teams, colors, scores; comma separated) picks groups for a local run."""
    only = os.environ.get("RBX_TOOLS_ONLY", ",".join(g[0] for g in GROUPS)).split(",")
    for key, name, maker, cases in GROUPS:
        if key not in only:
            continue
        s = Session(binary, root, name, OPTIONS.get(key), board_maker=maker)
        sessions.append(s)  # before the start: a start that fails half-way still leaves it to be ended
        s.start()
        for each in cases:
            each(s, rec_path)
        s.program.kill()
