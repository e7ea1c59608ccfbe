"""What every black-box case shares: the case wrapper that reports and lets the others run,
checks, bounded waits on the trace, and a recording of one sound."""
import time
import traceback

import analyse
import bbenv

RESULTS = []


def case(name):
    def wrap(fn):
        def run(*args):
            started = time.monotonic()
            try:
                if fn(*args) == "skipped":
                    print("SKIP %s" % name, flush=True)
                    return
                RESULTS.append((name, True, ""))
                print("PASS %s (%.1f s)" % (name, time.monotonic() - started), flush=True)
            except Exception as error:  # a case that fails reports and lets the others run
                detail = "".join(traceback.format_exception_only(type(error), error)).strip()
                RESULTS.append((name, False, detail))
                print("FAIL %s: %s" % (name, detail), flush=True)
        run.case_name = name
        return run
    return wrap


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def settle(seconds=0.6):
    time.sleep(seconds)


def recorded(recorder):
    return analyse.left_channel(recorder.stop())


def grows_by(session, text, before, expected, seconds=5):
    """Waits for the trace to hold `expected` more lines of `text`, then a little longer to see
    that no more follow."""
    try:
        bbenv.wait_for("%d new '%s' lines" % (expected, text), lambda: session.count(text) >= before + expected,
                       seconds)
    except bbenv.Timeout:
        pass
    settle(0.4)
    return session.count(text) - before


def start_then_end(rec_path, start, seconds, end, tail):
    """Records one sound: `start`, `seconds` later `end`, then `tail` seconds more. Returns the
    samples, the one sound found and the times of the two acts."""
    rec = bbenv.Recorder(rec_path).start()
    started = time.monotonic()
    start()
    time.sleep(seconds)
    ended = time.monotonic()
    end()
    settle(tail)
    left = recorded(rec)
    found = analyse.sounds(left)
    check(len(found) == 1, "expected one sound, found %d" % len(found))
    return left, found, started, ended


HOT_KEY_PLAY = "Hot Key Play Sound - Hot Key button hit"


def one_key_plays_once(s, rec_path, what, key="q"):
    """Presses `key` wherever the focus is and checks it ran the hot-key play once and gave one
    sound on the recording."""
    rec = bbenv.Recorder(rec_path).start()
    before = s.count(HOT_KEY_PLAY)
    s.focus_key(key)
    new = grows_by(s, HOT_KEY_PLAY, before, 1)
    settle(0.5)
    found = analyse.sounds(recorded(rec))
    check(new == 1, "one %s %s ran the hot-key play %d times" % (key.upper(), what, new))
    check(len(found) == 1, "one %s %s gave %d sound starts" % (key.upper(), what, len(found)))


TEAL = (0, 128, 128)  # the face of an empty slot


def strip_below_board(data, window_box, width=1920):
    """Rows between the lowest empty (teal) slot and the window's bottom, counted up a column of
    the last slot column: what the board leaves empty below itself."""
    x0, y0, x1, y1 = window_box
    x = x1 - 30
    for y in range(y1, y0, -1):
        i = (y * width + x) * 3
        if tuple(data[i:i + 3]) == TEAL:
            return y1 - y
    return y1 - y0

