"""Black-box cases of the board's rearranging: drags inside the board in button drag mode, files
dragged from a file manager (a small drag source of our own speaking the X server's drag protocol),
the page menu and the sound and page clipboards, each driven through the X server and checked on
the screen, in the trace, on the recording and in the set file saved at exit."""
import os
import subprocess
import time

import analyse
import bbenv
import board
from cases import case, check, recorded, settle
from session import Session, color_box

TEAL = (0, 128, 128)           # an empty slot
YELLOW = (255, 255, 0)         # the clipboard indicators
RED = (255, 0, 0)              # a played slot
DRAG_MODE = ("$002080E0", (224, 128, 32))
HERE = os.path.dirname(os.path.abspath(__file__))


# --- where things are ---------------------------------------------------------------------------

class Board:
    """Slot and page-button boxes of one session, measured once on its first screen: the slot grid
    from slots 1, 2 and 9, the page buttons from the coloured buttons of pages 2 and 18."""

    def __init__(self, s):
        for slot in (1, 2, 9):
            check(slot in s.slots, "slot %d not found on the screen (found %s)" % (slot, sorted(s.slots)))
        self.first = s.slots[1]
        self.dx = s.slots[2][0] - s.slots[1][0]
        self.dy = s.slots[9][1] - s.slots[1][1]
        shot = bbenv.screenshot()
        pages = {p: color_box(shot, 1920, bytes(board.page_color(p)[1])) for p in (2, 18)}
        check(all(pages.values()), "page buttons 2 and 18 not found by their colours: %s" % pages)
        self.page2 = pages[2]
        self.pitch = (pages[18][1] - pages[2][1]) / 16.0

    def slot(self, n, fx=0.5, fy=0.3):
        row, col = (n - 1) // 8, (n - 1) % 8
        x0, y0, x1, y1 = self.first
        return (int(x0 + col * self.dx + fx * (x1 - x0)), int(y0 + row * self.dy + fy * (y1 - y0)))

    def slot_face(self, n):
        # The panel's edge, clear of the caption and the labels.
        return self.slot(n, 0.97, 0.5)

    def page(self, n, fx=0.5):
        x0, y0, x1, y1 = self.page2
        shift = (n - 2) * self.pitch
        return (int(x0 + fx * (x1 - x0)), int(y0 + shift + 0.5 * (y1 - y0)))

    def page_face(self, n):
        return self.page(n, 0.08)

    def page_frame(self, s, n):
        """A point of the frame around page button n: the nearest pixel left of the button's face
        in the page area's colour."""
        x, y = self.page(n, 0.0)
        background = s.pixel(self.page_area())
        shot = bbenv.screenshot()
        for fx in range(x - 1, max(0, x - 24), -1):
            if tuple(shot[(y * 1920 + fx) * 3:(y * 1920 + fx) * 3 + 3]) == background:
                return (fx, y)
        raise AssertionError("no frame in %s left of page button %d" % (background, n))

    def page_area(self):
        """The page area's background below the last page button."""
        x0, y0, x1, y1 = self.page2
        return (int((x0 + x1) / 2), int(y1 + 16 * self.pitch + 0.6 * self.pitch))


def wait_colour(s, what, point, wanted, seconds=5, equal=True):
    try:
        bbenv.wait_for(what, lambda: (s.pixel(point) == wanted) == equal, seconds, step=0.1)
    except bbenv.Timeout:
        raise AssertionError("%s: the pixel at %s is %s (%s %s)" % (
            what, point, s.pixel(point), "wanted" if equal else "not wanted", wanted))


def count_pixels(box, test):
    """Pixels of a screen box (x0, y0, x1, y1) that pass test(r, g, b), on every second row."""
    data = bbenv.screenshot()
    x0, y0, x1, y1 = box
    count = 0
    for y in range(y0, y1, 2):
        row = data[(y * 1920 + x0) * 3:(y * 1920 + x1) * 3]
        count += sum(1 for i in range(0, len(row), 3) if test(row[i], row[i + 1], row[i + 2]))
    return count


def dark_pixels(box):
    """Text on a light background."""
    return count_pixels(box, lambda r, g, b: r + g + b < 250)


# --- input ---------------------------------------------------------------------------------------

def drag(start, end, steps=10):
    """Presses at start, moves to end in steps as a hand does, and lets go: a drag through the X
    server, which the program runs with the X drag protocol."""
    bbenv.xdotool("mousemove", start[0], start[1])
    settle(0.15)
    bbenv.xdotool("mousedown", "1")
    for i in range(1, steps + 1):
        x = start[0] + (end[0] - start[0]) * i // steps
        y = start[1] + (end[1] - start[1]) * i // steps
        bbenv.xdotool("mousemove", x, y)
        time.sleep(0.05)
    bbenv.xdotool("mousemove", end[0] + 2, end[1] + 1)
    time.sleep(0.15)
    bbenv.xdotool("mousemove", end[0], end[1])
    time.sleep(0.2)
    bbenv.xdotool("mouseup", "1")
    settle(0.5)


def menu_item(s, point, downs, what):
    """Opens the right-click menu at point and picks its item number `downs` with the keys."""
    before = set(s.popups())
    s.right_click_point(point)
    opened = bbenv.wait_for("the menu for %s" % what, lambda: set(s.popups()) - before, 5, step=0.1)
    settle(0.2)
    for _ in range(downs):
        s.focus_key("Down")
    s.focus_key("Return")
    bbenv.wait_for("the menu for %s to close" % what, lambda: not (set(s.popups()) & opened), 5, step=0.1)
    settle(0.4)


def answer(s, title, key):
    s.answer(title, key, seconds=5)
    settle(0.3)


def drag_source():
    found = os.environ.get("RBX_DRAGSOURCE")
    if not found:
        found = os.path.join(HERE, "..", "..", "build", "RelWithDebInfo", "tests", "blackbox", "dragsource",
                             "rbx_dragsource")
    check(os.access(found, os.X_OK), "no drag source program at %s: build the tests first" % found)
    return found


def drop_files(paths, target, effect, what):
    """Drags the files from a file manager's window onto the target point of the board and waits
    for the effect (a predicate) the drop should have."""
    source = subprocess.Popen([drag_source()] + paths, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                              text=True)
    try:
        window = bbenv.wait_for("the drag source window",
                                lambda: bbenv.windows_named("^Rallybox drag source$"), 15, step=0.1)[0]
        # Over slot 48, which the cases leave empty.
        bbenv.xdotool("windowmove", "--sync", window, 1740, 940)
        settle(0.4)
        info = bbenv.run_text(["xwininfo", "-id", str(window)])
        values = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
        x = int(values["Absolute upper-left X"]) + int(values["Width"]) // 2
        y = int(values["Absolute upper-left Y"]) + int(values["Height"]) // 2
        drag((x, y), target)
        try:
            bbenv.wait_for(what, effect, 8, step=0.1)
        except bbenv.Timeout:
            raise AssertionError("%s: not seen after the drop (the drag source said %r)" % (
                what, source.stdout.readline().strip() if source.poll() is not None else "nothing yet"))
    finally:
        source.kill()
        source.wait(5)
    settle(0.3)


def plays(s, rec_path, act, seconds, path, what):
    """Records while act() runs: one sound of the file's length must sound, and the trace must name
    the file."""
    started = s.count("Playing " + path)
    rec = bbenv.Recorder(rec_path).start()
    act()
    time.sleep(seconds + 0.8)
    found = analyse.sounds(recorded(rec))
    check(len(found) == 1, "%s gave %d sounds" % (what, len(found)))
    check(abs(found[0].length - seconds) < 0.2,
          "%s sounded %.2f s, its file is %.2f s long" % (what, found[0].length, seconds))
    check(s.count("Playing " + path) > started, "%s did not play %s (trace)" % (what, path))


def click_plays(s, rec_path, point, seconds, path, what):
    plays(s, rec_path, lambda: s.click_point(point), seconds, path, what)


def show_page(s, b, page, name):
    before = s.count("Page Button Clicked - " + name)
    s.click_point(b.page(page))
    bbenv.wait_for("page %d '%s' on display" % (page, name),
                   lambda: s.count("Page Button Clicked - " + name) > before, 5, step=0.1)
    settle(0.3)


def saved_set(s):
    """The set file as sections of keys."""
    sections, current = {}, None
    with open(s.set_path, encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if line.startswith("[") and line.endswith("]"):
                current = sections.setdefault(line[1:-1], {})
            elif current is not None and "=" in line:
                key, _, value = line.partition("=")
                current[key] = value
    return sections


def expect_keys(sections, section, wanted):
    keys = sections.get(section, {})
    for key, value in wanted.items():
        got = keys.get(key, "").strip()
        if value is None:
            check(got == "", "[%s] %s is %r in the saved set file, expected none" % (section, key, got))
        elif value.startswith("*"):
            check(got.endswith(value[1:]), "[%s] %s is %r, expected it to end %r" % (section, key, got, value[1:]))
        else:
            check(got == value, "[%s] %s is %r in the saved set file, expected %r" % (section, key, got, value))


def sound(s, name):
    return os.path.join(s.home, "sounds", name + ".wav")


def made_sound(s, name, seconds):
    return board.tone(os.path.join(s.home, name), seconds, 500)


# --- drags inside the board and from a file manager ----------------------------------------------

@case("drops: the page menu's Button Drag Mode On/Off paints drag mode and shows its notice")
def drag_mode_on(s, b, rec_path):
    # A sound first: its end clears the now-playing text, and the notice must still show after it.
    click_plays(s, rec_path, b.slot(9), 0.5, sound(s, "nine"), "slot 9")
    notice = s.design_point(482, 87) + s.design_point(770, 100)
    check(dark_pixels(notice) < 10, "the now-playing line still shows text after the sound ended")
    menu_item(s, b.page_area(), 3, "the page area")   # Export, Import, Button Drag Mode On/Off
    wait_colour(s, "the page area in the drag-mode colour", b.page_area(), DRAG_MODE[1])
    check(dark_pixels(notice) > 30, "drag mode shows no notice on the now-playing line")


@case("drops: in drag mode a sound dragged onto another slot swaps them and plays nothing")
def swap_slots(s, b, rec_path):
    plays_before = s.count("Sound Button Playing")
    drag(b.slot(1), b.slot(3))
    wait_colour(s, "slot 3 showing slot 1's sound", b.slot_face(3), board.slot_color(1)[1])
    wait_colour(s, "slot 1 showing slot 3's sound", b.slot_face(1), board.slot_color(3)[1])
    drag(b.slot(2), b.slot(20))
    wait_colour(s, "slot 20 showing slot 2's sound", b.slot_face(20), board.slot_color(2)[1])
    wait_colour(s, "slot 2 left empty", b.slot_face(2), TEAL)
    check(s.count("Sound Button Playing") == plays_before, "a drag in drag mode played a sound")


@case("drops: a sound dragged onto a page button moves there; a page dragged onto another swaps them")
def to_pages(s, b, rec_path):
    drag(b.slot(9), b.page(3))
    wait_colour(s, "slot 9 left empty by the move to page 3", b.slot_face(9), TEAL)
    drag(b.page(2), b.page(5))
    wait_colour(s, "page button 5 showing page 2's colour", b.page_face(5), board.page_color(2)[1])
    wait_colour(s, "page button 2 without page 2's colour", b.page_face(2), board.page_color(2)[1], equal=False)
    # Onto a page that does not exist: the box says so and the sound stays.
    drag(b.slot(3), b.page(6))
    answer(s, "Error", "Return")
    wait_colour(s, "slot 3 keeping its sound", b.slot_face(3), board.slot_color(1)[1])


@case("drops: out of drag mode each moved sound plays where it went")
def moved_sounds_play(s, b, rec_path):
    menu_item(s, b.page_area(), 1, "the page area in drag mode")   # only Button Drag Mode On/Off
    wait_colour(s, "the page area leaving the drag-mode colour", b.page_area(), DRAG_MODE[1], equal=False)
    click_plays(s, rec_path, b.slot(3), 0.3, sound(s, "short"), "slot 3 (was slot 1)")
    click_plays(s, rec_path, b.slot(1), 1.2, sound(s, "long"), "slot 1 (was slot 3)")
    click_plays(s, rec_path, b.slot(20), 0.7, sound(s, "medium"), "slot 20 (was slot 2)")
    show_page(s, b, 3, "Third")
    click_plays(s, rec_path, b.slot(2), 0.5, sound(s, "nine"), "page 3 slot 2 (moved from page 1)")
    show_page(s, b, 5, "Second")
    click_plays(s, rec_path, b.slot(1), 0.9, sound(s, "second"), "page 5 slot 1 (page 2 before the swap)")
    show_page(s, b, 1, "Drops")


@case("drops: files dragged from a file manager onto a filled slot fill the first free slots and play")
def files_on_slot(s, b, rec_path):
    horn = made_sound(s, "Air & Horn.wav", 0.6)
    charge = made_sound(s, "Charge.wav", 1.0)
    drop_files([horn, charge], b.slot(3), lambda: s.pixel(b.slot_face(4)) != TEAL, "the second file in slot 4")
    check(s.pixel(b.slot_face(2)) != TEAL, "the first file did not fill slot 2, the first free one")
    # Slot 3 was played above: it still shows its played sound.
    check(s.pixel(b.slot_face(3)) == RED, "the slot dropped on lost its own sound")
    click_plays(s, rec_path, b.slot(2), 0.6, horn, "slot 2 (dropped)")
    click_plays(s, rec_path, b.slot(4), 1.0, charge, "slot 4 (dropped)")


@case("drops: the set file saved at exit holds the swaps, the moves and the dropped files")
def drag_saved(s, b, rec_path):
    check(s.exit(save=True) == 0, "the program did not end cleanly")
    saved = saved_set(s)
    expect_keys(saved, "Page1", {"c1": "Long", "s1": "*long.wav", "c3": "Short", "s3": "*short.wav",
                                 "c20": "Medium", "h20": "0Z", "c2": "Air  Horn", "s2": "*Air & Horn.wav",
                                 "c4": "Charge", "s4": "*Charge.wav", "c9": None})
    expect_keys(saved, "Page3", {"PageName": "Third", "c1": "Third one", "c2": "Nine", "s2": "*nine.wav"})
    expect_keys(saved, "Page5", {"PageName": "Second", "c1": "Second one"})
    expect_keys(saved, "Page2", {"PageName": None, "c1": None})
    expect_keys(saved, "Page6", {"PageName": None})


# --- the page menu and the clipboards ------------------------------------------------------------

def indicator(s, left):
    """The yellow pixels of a clipboard indicator (design 175 x 17 at left, 84)."""
    return count_pixels(s.design_point(left + 4, 86) + s.design_point(left + 171, 99),
                        lambda r, g, b: (r, g, b) == YELLOW)


def wait_indicator(s, left, shown, what):
    try:
        bbenv.wait_for(what, lambda: (indicator(s, left) > 100) == shown, 5, step=0.1)
    except bbenv.Timeout:
        raise AssertionError("%s: %d yellow pixels there" % (what, indicator(s, left)))


SOUND_CLIPBOARD, PAGE_CLIPBOARD = 430, 607


@case("drops: Copy Sound Button and Paste Sound Button through the sound menu")
def copy_paste_sound(s, b, rec_path):
    menu_item(s, b.slot(1), 3, "slot 1")    # Cue It, Edit, Copy Sound Button
    wait_indicator(s, SOUND_CLIPBOARD, True, "the sound clipboard's indicator")
    menu_item(s, b.slot(12), 4, "empty slot 12")    # Add, Edit, Insert Place-Marker, Paste
    wait_colour(s, "slot 12 showing the pasted sound", b.slot_face(12), board.slot_color(1)[1])
    wait_indicator(s, SOUND_CLIPBOARD, False, "the sound clipboard's indicator hidden by the paste")
    click_plays(s, rec_path, b.slot(12), 0.3, sound(s, "short"), "slot 12 (pasted copy)")


@case("drops: Cut Sound Button empties the slot and the paste carries its hot key")
def cut_paste_sound(s, b, rec_path):
    menu_item(s, b.slot(2), 4, "slot 2")    # Cue It, Edit, Copy, Cut Sound Button
    wait_colour(s, "slot 2 emptied by the cut", b.slot_face(2), TEAL)
    menu_item(s, b.slot(13), 4, "empty slot 13")
    wait_colour(s, "slot 13 showing the cut sound", b.slot_face(13), board.slot_color(2)[1])
    hot = s.count("Hot Key Play Sound - Hot Key button hit")
    plays(s, rec_path, lambda: s.focus_key("z"), 0.7, sound(s, "medium"), "hot key Z after the paste")
    check(s.count("Hot Key Play Sound - Hot Key button hit") == hot + 1, "Z did not play once by its hot key")


@case("drops: Copy Page Button and Paste Page Button onto a blank page through the page menu")
def copy_paste_page(s, b, rec_path):
    copies = s.count("Page Copy Click")
    menu_item(s, b.page(2), 2, "page button 2")    # Edit, Copy Page Button
    check(s.count("Page Copy Click") == copies + 1, "Copy Page Button did not run once")
    wait_indicator(s, PAGE_CLIPBOARD, True, "the page clipboard's indicator")
    shown = s.count("Page Button Clicked - Second")
    menu_item(s, b.page(7), 2, "blank page button 7")    # Add, Paste Page Button
    bbenv.wait_for("the pasted page on display", lambda: s.count("Page Button Clicked - Second") > shown, 5)
    wait_indicator(s, PAGE_CLIPBOARD, False, "the page clipboard's indicator hidden by the paste")
    click_plays(s, rec_path, b.slot(1), 0.9, sound(s, "second"), "slot 1 of the pasted page")


@case("drops: a right click on a named page's frame offers the button's items: Copy, then Paste")
def page_frame_menu(s, b, rec_path):
    copies = s.count("Page Copy Click")
    menu_item(s, b.page_frame(s, 7), 2, "page 7's frame")    # Edit, Copy Page Button
    check(s.count("Page Copy Click") == copies + 1, "the named page's frame did not offer Copy Page Button")
    wait_indicator(s, PAGE_CLIPBOARD, True, "the page clipboard's indicator")
    menu_item(s, b.page(9), 2, "blank page button 9")    # Add, Paste Page Button
    wait_indicator(s, PAGE_CLIPBOARD, False, "the page clipboard's indicator hidden by the paste")


@case("drops: Cut Page Button blanks the page and its paste lands on another blank page")
def cut_paste_page(s, b, rec_path):
    cuts = s.count("Page Cut Click")
    menu_item(s, b.page(3), 3, "page button 3")    # Edit, Copy, Cut Page Button
    check(s.count("Page Cut Click") == cuts + 1, "Cut Page Button did not run once")
    wait_colour(s, "page button 3 losing its colour", b.page_face(3), board.page_color(3)[1], equal=False)
    shown = s.count("Page Button Clicked - Third")
    menu_item(s, b.page(8), 2, "blank page button 8")
    bbenv.wait_for("the pasted page on display", lambda: s.count("Page Button Clicked - Third") > shown, 5)
    click_plays(s, rec_path, b.slot(1), 1.5, sound(s, "third"), "slot 1 of the page cut and pasted")


@case("drops: Delete Page Button empties the page; files dropped on the page area then name it")
def delete_then_drop(s, b, rec_path):
    shown = s.count("Page Button Clicked - Fourth")
    # Edit, Copy, Cut, Export, Drag Mode, Fonts, Capture Color, Set Color, Delete Page Button
    menu_item(s, b.page(4), 9, "page button 4")
    answer(s, "Confirm", "y")
    check(s.count("Page Button Clicked - Fourth") > shown, "Delete Page Button did not show the page first")
    wait_colour(s, "slot 1 of the deleted page emptied", b.slot_face(1), TEAL)
    zone = made_sound(s, "Drop Zone.wav", 0.8)
    drop_files([zone], b.page(11), lambda: s.pixel(b.slot_face(1)) != TEAL, "the dropped file in slot 1")
    click_plays(s, rec_path, b.slot(1), 0.8, zone, "slot 1 (dropped on the page area)")


@case("drops: the set file saved at exit holds the pasted sounds and pages and the named page")
def menus_saved(s, b, rec_path):
    check(s.exit(save=True) == 0, "the program did not end cleanly")
    saved = saved_set(s)
    expect_keys(saved, "Page1", {"c1": "Short", "c12": "Short", "s12": "*short.wav", "h12": None,
                                 "c2": None, "c13": "Medium", "s13": "*medium.wav", "h13": "0Z"})
    expect_keys(saved, "Page2", {"PageName": "Second", "c1": "Second one"})
    expect_keys(saved, "Page7", {"PageName": "Second", "c1": "Second one", "s1": "*second.wav"})
    expect_keys(saved, "Page3", {"PageName": None})
    expect_keys(saved, "Page8", {"PageName": "Third", "c1": "Third one", "s1": "*third.wav"})
    expect_keys(saved, "Page9", {"PageName": "Second", "c1": "Second one"})
    expect_keys(saved, "Page4", {"PageName": "Drag and Drop", "c1": "Drop Zone", "s1": "*Drop Zone.wav"})


def run(binary, root, rec_path, sessions):
    options = {"DragModeColor": DRAG_MODE[0]}
    first = Session(binary, root, "drops-drag", options, board_maker=board.drops_board).start()
    sessions.append(first)
    layout = Board(first)
    for one in (drag_mode_on, swap_slots, to_pages, moved_sounds_play, files_on_slot, drag_saved):
        one(first, layout, rec_path)
    second = Session(binary, root, "drops-menus", options, board_maker=board.drops_board).start()
    sessions.append(second)
    layout = Board(second)
    for one in (copy_paste_sound, cut_paste_sound, copy_paste_page, page_frame_menu, cut_paste_page,
                delete_then_drop, menus_saved):
        one(second, layout, rec_path)
