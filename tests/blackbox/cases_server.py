"""Black-box case for a sound server that has hung: it takes the program's connection and never
answers. The program must say its output could not start, and end as a failed start does, rather
than freeze before its board."""
import os
import socket
import time

import bbenv
from cases import case, check
from session import Session


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


def run(binary, root, rec_path, sessions):
    path = os.path.join(root, "silent-server.sock")
    silent = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    silent.bind(path)
    silent.listen(16)
    try:
        s = Session(binary, root, "hung-server", env={"PULSE_SERVER": "unix:" + path})
        sessions.append(s)
        hung_server(s, rec_path)
    finally:
        silent.close()
