"""Black-box cases of the program on a desktop as the venue's is: a window manager that sizes the
board while another window is active, chords let go modifier first, Return on a focused button,
and the game clock beside the page's name and totals."""
import ctypes
import os

import bbenv
import board
from cases import case, check, settle
from cases_slowfiles import CLIENT_MESSAGE, XEvent
from cases_tools import activate, client_box, gone, one_sound, no_sound, open_tool, type_text
from session import Session, color_box
from suite import toggle_game_clock

SUBSTRUCTURE_REDIRECT, SUBSTRUCTURE_NOTIFY = 1 << 20, 1 << 19


def unmaximize(window):
    """Asks the window manager to take the window out of its maximized state, as a panel's
    window menu does, without activating it."""
    x = bbenv.xlib()
    display = x.XOpenDisplay(os.environ["DISPLAY"].encode())
    event = XEvent()
    m = event.xclient
    m.type, m.window, m.format = CLIENT_MESSAGE, window, 32
    m.message_type = x.XInternAtom(display, b"_NET_WM_STATE", 0)
    # Remove both maximized states; the request comes from a pager (source 2).
    m.data[0], m.data[3] = 0, 2
    m.data[1] = x.XInternAtom(display, b"_NET_WM_STATE_MAXIMIZED_VERT", 0)
    m.data[2] = x.XInternAtom(display, b"_NET_WM_STATE_MAXIMIZED_HORZ", 0)
    x.XSendEvent(display, x.XDefaultRootWindow(display), 0, SUBSTRUCTURE_REDIRECT | SUBSTRUCTURE_NOTIFY,
                 ctypes.byref(event))
    x.XFlush(display)
    x.XCloseDisplay(display)


def active_window():
    return int(bbenv.xdotool("getactivewindow").strip() or 0)


@case("a Ctrl hot key plays its own sound also when Ctrl is let go before the key; Ctrl+F5 as well")
def chords(s, rec_path):
    keys = bbenv.FastInput()
    for chord, modifier_first, length, what in (("Control_L+k", False, 1.2, "Ctrl+K"),
                                                  ("Control_L+k", True, 1.2, "Ctrl+K with Ctrl let go first"),
                                                  ("Control_L+F5", True, 2.0, "Ctrl+F5 with Ctrl let go first"),
                                                  ("k", False, 0.4, "plain K")):
        activate(s.window)
        rec = bbenv.Recorder(rec_path).start()
        keys.key(chord, modifier_first=modifier_first)
        settle(length + 1.2)
        one_sound(rec, what, length)


@case("Return on a focused Cancel presses Cancel, not the window's default OK; Return on a focused button "
      "of a window without a default presses it")
def return_on_buttons(s, rec_path):
    title = "^Form Personalize$"
    open_tool(s, title, "Personalize")
    type_text("Typed Header")
    # From the header's field past OK to Cancel.
    s.focus_key("Tab")
    s.focus_key("Tab")
    s.focus_key("Return")
    gone(title)
    settle(0.3)
    check("Typed Header" not in bbenv.window_title(s.window),
          "Return on Cancel stored the typed header: %s" % bbenv.window_title(s.window))
    # The roster names no default: from its team name back round to Cancel, which Return presses.
    title = "^Team Roster$"
    open_tool(s, title, "Roster")
    s.focus_key("shift+Tab")
    rec = bbenv.Recorder(rec_path).start()
    s.focus_key("Return")
    gone(title)
    no_sound(rec, "Return on the roster's Cancel")


def group_row(s):
    """The group row of the board on the screen: group letters, page name, totals, indicators."""
    # A pixel or two inside its edges: the mapping from design rows to the screen rounds.
    (x0, y0), (x1, y1) = s.design_point(0, 60), s.design_point(783, 81)
    return x0, y0, x1, y1


@case("a shown game clock leaves the page name, the page totals and the indicators as they were")
def clock_beside_names(s, rec_path):
    activate(s.window)
    box = group_row(s)
    before = bbenv.screenshot()
    toggle_game_clock(s)
    after = bbenv.screenshot()
    toggle_game_clock(s)
    x0, y0, x1, y1 = box
    changed = [y for y in range(y0, y1 + 1)
               if before[(y * 1920 + x0) * 3:(y * 1920 + x1 + 1) * 3] != after[(y * 1920 + x0) * 3:(y * 1920 + x1 + 1) * 3]]
    check(before != after, "the game clock did not show")
    check(not changed, "the game clock covered the group row (rows %d..%d changed)" % (changed[0], changed[-1])
          if changed else "")


@case("the board sized by the window manager while the lineups are active lays itself out when it is activated")
def resized_behind(s, rec_path):
    window, _ = open_tool(s, "^Lineups$", "Lineups")
    unmaximize(s.window)
    bbenv.xdotool("windowsize", s.window, 1200, 760)
    bbenv.wait_for("the board to be 1200 pixels wide", lambda: client_box(s.window)[2] - client_box(s.window)[0]
                   == 1199, 10, step=0.1)
    check(active_window() == window, "the lineups lost the focus when the board was sized")
    activate(s.window)
    settle(1.5)
    x0, y0, x1, y1 = client_box(s.window)
    data = bbenv.screenshot()
    for slot, what in ((8, "the last column"), (48, "the last slot")):
        found = color_box(data, 1920, bytes(board.slot_color(slot)[1]))
        check(found is not None, "%s (slot %d) is not on the screen in a %dx%d window" % (what, slot, x1 - x0 + 1,
                                                                                        y1 - y0 + 1))
        fx0, fy0, fx1, fy1 = found
        check(x0 <= fx0 and fx1 <= x1 and y0 <= fy0 and fy1 <= y1,
              "%s (slot %d) at %s is not inside the window %s" % (what, slot, found, (x0, y0, x1, y1)))
        check(fx1 > x1 - 0.06 * (x1 - x0), "%s (slot %d) ends at %d, short of the window's right edge %d"
              % (what, slot, fx1, x1))
    found = color_box(data, 1920, bytes(board.slot_color(48)[1]))
    check(found[3] > y1 - 0.06 * (y1 - y0), "the last row ends at %d, short of the window's bottom %d"
          % (found[3], y1))


def run(binary, root, rec_path, sessions):
    s = Session(binary, root, "desktop", board_maker=board.desktop_board)
    sessions.append(s)
    s.start()
    # The window manager's resize comes last: it leaves the board out of its maximized state.
    for each in (chords, return_on_buttons, clock_beside_names, resized_behind):
        each(s, rec_path)
    s.program.kill()
