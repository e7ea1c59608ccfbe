"""Black-box cases for the sound server failing under the program. A server that has hung (it
takes the program's connection and never answers): the program must say its output could not
start, and end as a failed start does, rather than freeze before its board. A server that dies and
comes back, idle and in the middle of a sound: the program lives, says so once, plays again by
itself once the server is back, and exits cleanly. A desktop bus that has frozen the same way: the
board shows at once, and the exit does not wait for the bus."""
import contextlib
import os
import socket
import time

import analyse
import bbenv
from cases import case, check, grows_by, recorded, settle
from session import Session

CONNECTED = "OutputWatchTimer - Sound Server Connected Again"
LOST = "BASS Error (3):  can not find a free sound driver FUNCTION/PROCEDURE: OutputWatchTimer - Sound Server Lost"


@case("with a sound server that never answers, the start says the output failed and ends instead of freezing")
def hung_server(s, rec_path):
    started = time.monotonic()
    s.program.start(wait_window=False)
    s.answer("Confirm", "n")
    # The probe of the sound devices is given 10 s; the box follows at once.
    bbenv.wait_for("the device error box", lambda: s.box("Error"), 40, step=0.1)
    waited = time.monotonic() - started
    trace = s.trace()
    print("  measured: error box %.1f s after the start" % waited)
    check("Bass Initialization Failed:  Device is 1" in trace, "the trace does not name the failed device")
    check("BASS Error (3):  can not find a free sound driver" in trace,
          "the box does not say the sound driver failed; the trace ends:\n%s" % trace[-600:])
    s.answer("Error", "Return")
    bbenv.wait_for("the closing box", lambda: s.box("Error"), 20, step=0.1)
    s.answer("Error", "Return")
    code = s.program.wait_exit(30)
    check(code == 1, "the failed start ended with code %s, not 1" % code)
    check(waited < 30, "the error came %.1f s after the start" % waited)


@case("with a session bus that takes the connection and never answers, the board shows within 5 s")
def silent_bus(s):
    started = time.monotonic()
    s.program.start(wait_window=False)
    s.answer("Confirm", "n", seconds=5)
    asked = time.monotonic() - started
    s.window = bbenv.wait_for("the main window", s.program.main_window, max(0.1, 5 - asked), step=0.1)
    shown = time.monotonic() - started
    print("  measured: the board shown %.1f s after the start (the question after %.1f s)" % (shown, asked))
    bbenv.xdotool("windowactivate", "--sync", s.window)
    settle(0.5)
    s.find_slots()
    code = s.exit(save=False, seconds=20)
    check(code == 0, "the exit ended with code %s" % code)


def lose_server(s, server):
    """Kills the server, checks the operator is told once, answers the box and clicks a sound
    while the server is away. Returns the count of trace lines telling the loss."""
    told = s.count(LOST)
    server.crash()
    bbenv.wait_for("the lost-output box", lambda: s.box("Error"), 5, step=0.05)
    check(s.count(LOST) == told + 1, "the trace does not tell the lost server once:\n%s" % s.trace()[-600:])
    s.answer("Error", "Return")
    before = s.count("Process Sound Button")
    s.click_point(s.slot_point(1, 0.5, 0.25))
    check(grows_by(s, "Process Sound Button", before, 1) == 1, "a click with the server away did not play")
    check(s.program.running(), "the program ended when a sound was played with the server away")
    settle(0.5)
    check(s.box("Error") is None and s.count(LOST) == told + 1, "the lost server was told more than once")
    return told + 1


def first_heard_after_return(s, server, rec_path):
    """Starts the server again, first on a side socket only, where the recorder connects (it takes
    1-2 s to deliver), then opens the program's usual socket: that is the server's return. Clicks
    slot 1 (a 0.4 s beep) four times 0.7 s apart (the analysis needs 150 ms of silence between two
    sounds). Returns the seconds from the server's return to the first sound heard."""
    server.start(side_socket=os.path.join(server.runtime, "side-socket"))
    rec = bbenv.ClockedRecorder(rec_path, "unix:" + os.path.join(server.runtime, "side-socket")).start()
    server.open_usual_socket()
    returned = time.monotonic()
    for _ in range(4):
        s.click_point(s.slot_point(1, 0.5, 0.25))
        settle(0.7)
    found = analyse.sounds(recorded(rec))
    check(found, "no click was heard after the server came back")
    heard = rec.origin() + found[0].start - returned
    print("  measured: first click heard %.0f ms after the server's return, %d of 4 clicks heard"
          % (heard * 1000, len(found)))
    check(len(found) >= 3, "only %d of 4 clicks were heard after the server came back" % len(found))
    return heard


@case("a sound server killed while idle and started again: told once, the next click is heard")
def server_restart_idle(s, server, rec_path):
    # Idle long enough for the output to have paused its stream after its 3 s of silence.
    settle(4.0)
    told = lose_server(s, server)
    heard = first_heard_after_return(s, server, rec_path)
    check(heard < 2.0, "the first click was heard %.2f s after the server's return" % heard)
    check("Sound Server Connected Again" in s.trace(), "the trace does not tell the server is back")
    check(s.count(LOST) == told, "the server's return was told as another loss")


@case("a sound server killed in the middle of a sound: the sound runs out unheard, clicks are heard again")
def server_restart_playing(s, server, rec_path):
    # Slot 10 plays 6 s: it ends while the server is away, so the first sound after the return
    # must be a click, not the rest of it resumed.
    s.click_point(s.slot_point(10, 0.5, 0.25))
    settle(1.0)
    started = time.monotonic()
    lose_server(s, server)
    settle(max(0.0, 6.0 - (time.monotonic() - started)))
    heard = first_heard_after_return(s, server, rec_path)
    check(heard < 2.0, "the first click was heard %.2f s after the server's return" % heard)


@case("a sound server lost during a fade: the fade ends on time, and the operator is told after it")
def server_lost_in_fade(s, server, rec_path):
    told = s.count(LOST)
    s.click_point(s.slot_point(10, 0.5, 0.25))
    settle(1.0)
    ended = s.count("Stop Process - Clear ChannelArray")
    # A stop with fade (FadeOutSec 2), and the server gone while it runs.
    s.focus_key("space")
    pressed = time.monotonic()
    server.crash()
    bbenv.wait_for("the fade's end", lambda: s.count("Stop Process - Clear ChannelArray") > ended, 10, step=0.05)
    took = time.monotonic() - pressed
    bbenv.wait_for("the lost-output box", lambda: s.box("Error"), 5, step=0.05)
    print("  measured: the fade ended %.1f s after the key (FadeOutSec 2), the box unanswered" % took)
    s.answer("Error", "Return")
    check(took < 4.0, "the fade ended %.1f s after the key" % took)
    check(s.count(LOST) == told + 1, "the trace does not tell the lost server once:\n%s" % s.trace()[-600:])


@case("with the server away the exit is clean")
def clean_exit(s, server, rec_path):
    # The server was started again after the last case: the program must have found it again
    # before it can lose it.
    bbenv.wait_for("the output connected to the server again",
                   lambda: s.count(CONNECTED) >= s.count(LOST), 10, step=0.05)
    lose_server(s, server)
    code = s.exit(save=False)
    check(code == 0, "the exit ended with code %s" % code)
    report = s.program.stderr_text()
    check("Assertion" not in report and "AddressSanitizer" not in report, "the program reported:\n%s" % report[-1500:])


def run(binary, root, rec_path, sessions):
    server = bbenv.SoundServer(root)
    s = Session(binary, root, "server-restart").start()
    sessions.append(s)
    for restart_case in (server_restart_idle, server_restart_playing, server_lost_in_fade, clean_exit):
        # A case that failed may have left the server down.
        if not server.pactl("info"):
            server.start()
        restart_case(s, server, rec_path)
    if not server.pactl("info"):
        server.start()
    hung(binary, root, rec_path, sessions)
    frozen_bus(binary, root, sessions)


@contextlib.contextmanager
def silent_socket(path):
    """A socket that takes connections into its backlog and never says a word: a hung server."""
    silent = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    silent.bind(path)
    silent.listen(16)
    try:
        yield path
    finally:
        silent.close()


def frozen_bus(binary, root, sessions):
    with silent_socket(os.path.join(root, "silent-bus.sock")) as path:
        s = Session(binary, root, "silent-bus", env={"DBUS_SESSION_BUS_ADDRESS": "unix:path=" + path})
        sessions.append(s)
        silent_bus(s)


def hung(binary, root, rec_path, sessions):
    with silent_socket(os.path.join(root, "silent-server.sock")) as path:
        s = Session(binary, root, "hung-server", env={"PULSE_SERVER": "unix:" + path})
        sessions.append(s)
        hung_server(s, rec_path)
