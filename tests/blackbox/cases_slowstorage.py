"""Black-box cases for sounds on slow storage: the board's sounds sit in a folder where every open
and every read waits a few milliseconds (a network share, a USB stick, a disk waking up), made by
the slow-storage shim preloaded into the program (tests/blackbox/slowstorage). At each delay the
first press on a WAV, an MP3, an OGG, a FLAC and a WMA must be heard, the right tone and no error
box, while the window goes on answering; an MP3 with a large cover picture must be heard with
every core busy; a second click on a slot whose start waits for its file cancels it; a file storage
never delivers is refused with the file-open error after the program's wait, the window answering
all along; Exit while a start waits ends the program promptly, with no sound. One program run per
delay; a NAME.hold file beside a sound holds its file back until the case removes it.
RBX_SLOW_DELAYS (ms, comma separated) picks other delays for a local run."""
import multiprocessing
import os
import subprocess
import sys
import time

import analyse
import bbenv
import board
from cases import case, check, settle
from cases_slowfiles import PingProbe
from session import Session

DELAYS_MS = [int(v) for v in os.environ.get("RBX_SLOW_DELAYS", "5,25,100").split(",") if v.strip()]
# slot: (file type, tone in Hz, hot key); each tone its own, so the recording tells which file played
FORMATS = {1: ("wav", 440, "q"), 2: ("mp3", 550, "w"), 3: ("ogg", 660, "e"), 4: ("flac", 770, "r"),
           5: ("wma", 880, "t")}
ENCODERS = {"mp3": ["-c:a", "libmp3lame", "-b:a", "192k"], "ogg": ["-c:a", "libvorbis", "-q:a", "5"],
            "flac": ["-c:a", "flac"], "wma": ["-c:a", "wmav2", "-b:a", "128k"]}
COVER_SLOT, COVER_HZ = 6, 990
# Slots whose files storage holds back until the case lets them go: the one a second click
# cancels, the witness let go with it, the one waiting when Exit is asked, and one never let go.
CANCEL_SLOT, WITNESS_SLOT, EXIT_SLOT, GONE_SLOT = 7, 8, 9, 10
CANCEL_HZ, WITNESS_HZ = 1320, 1100
TONE_SECONDS = 1.0
# A good file must sound well inside the program's own limit for a file storage does not deliver.
SOUND_BOUND = 15
STALL_BOUND = 0.05
# What a file storage never delivers is refused with, once the program stops waiting (10 s).
FILE_OPEN_ERROR = "BASS Error (2):  can not open the file"


def encoded(wav, kind, extra=()):
    if kind == "wav":
        return wav
    path = wav[:-4] + "." + kind
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-i", wav] + list(extra) + ENCODERS[kind] + [path], check=True,
                   timeout=120, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return path


def cover_mp3(sounds):
    """A tone carrying a 2400x2400 picture of about 2 MB in its tag, as bought or ripped music does
    (noise keeps the JPEG from shrinking)."""
    picture = os.path.join(sounds, "..", "cover.jpg")
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc2=s=2400x2400,noise=alls=20:allf=t",
                    "-frames:v", "1", "-q:v", "4", picture], check=True, timeout=120,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wav = board.tone(os.path.join(sounds, "cover.wav"), TONE_SECONDS, COVER_HZ)
    path = os.path.join(sounds, "cover.mp3")
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-i", wav, "-i", picture, "-map", "0", "-map", "1", "-c:a",
                    "libmp3lame", "-c:v", "copy", "-id3v2_version", "3", "-disposition:v", "attached_pic", path],
                   check=True, timeout=120, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.remove(wav)
    print("  cover MP3: %.1f MB, picture %.1f MB" % (os.path.getsize(path) / 1e6, os.path.getsize(picture) / 1e6))
    return path


def held(path):
    """Storage holds back the file's opens while its .hold file lies beside it."""
    open(path + ".hold", "w").close()
    return path


def slow_board(home, cover, holds):
    """Group A page 1: the five types on slots 1-5 on hot keys Q, W, E, R, T; the cover MP3 on
    slot 6; with `holds`, held WAVs on slots 7 (long, so any part of it heard shows) to 10."""
    sounds = os.path.join(home, "sounds")
    os.makedirs(sounds, exist_ok=True)
    cells = {}
    for slot, (kind, hz, key) in FORMATS.items():
        wav = board.tone(os.path.join(sounds, "tone%d.wav" % hz), TONE_SECONDS, hz)
        path = encoded(wav, kind)
        if path != wav:
            os.remove(wav)
        cells[slot] = {"caption": kind.upper(), "file": path, "hotkey": "0" + key.upper()}
    if cover:
        cells[COVER_SLOT] = {"caption": "Cover", "file": cover_mp3(sounds)}
    if holds:
        for slot, hz, seconds in ((CANCEL_SLOT, CANCEL_HZ, 3.0), (WITNESS_SLOT, WITNESS_HZ, TONE_SECONDS),
                                  (EXIT_SLOT, CANCEL_HZ, 3.0), (GONE_SLOT, CANCEL_HZ, 3.0)):
            path = held(board.tone(os.path.join(sounds, "held%d.wav" % slot), seconds, hz))
            cells[slot] = {"caption": "Held %d" % slot, "file": path, "time": "00:03"}
    for slot, cell in cells.items():
        cell["color"] = board.slot_color(slot)[0]
    set_path = os.path.join(home, "Slow.set")
    board.write_ini(set_path, [("Main", [("CreatedBy", "Rallybox"), ("Personalization", "")]),
                               board.page_section(1, 1, "Slow", cells)])
    return set_path


def shim():
    found = os.environ.get("RBX_SLOWSTORAGE")
    if not found:
        found = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "RelWithDebInfo", "tests",
                             "blackbox", "slowstorage", "librbx_slowstorage.so")
    check(os.path.isfile(found), "no slow-storage shim at %s: build the tests first" % found)
    return os.path.abspath(found)


def refusal(s):
    """The last engine error the trace tells, for a failure's message."""
    lines = [line for line in s.trace().splitlines() if "BASS Error" in line]
    return lines[-1].strip() if lines else "(none in the trace)"


def no_box(s, what):
    if s.box("Error"):
        told = refusal(s)
        s.answer("Error", "Return")
        raise AssertionError("an error box came %s: %s" % (what, told))


def recording(rec):
    with open(rec.path, "rb") as f:
        return analyse.left_channel(f.read())


def wait_heard(s, rec, what):
    """Waits until the recording holds a whole sound (one followed by silence); fails at once on an
    error box. Returns the sound."""
    def heard():
        no_box(s, "instead of the %s" % what)
        left = recording(rec)
        found = analyse.sounds(left)
        return found[0] if found and found[0].end + 0.2 < len(left) / analyse.RATE else None
    return bbenv.wait_for("the %s to be heard" % what, heard, SOUND_BOUND, step=0.2)


def right_tone(left, sound, hz, what):
    # Judged on its cleanest 50 ms: a loaded machine's output gaps spoil some stretches, while
    # another file's tone leaves no stretch near its own.
    starts = [sound.start + 0.02 + 0.1 * i for i in range(int((sound.length - 0.09) / 0.1) + 1)]
    residue = min([analyse.residue_db(left, start, start + 0.05, hz) for start in starts
                   if analyse.rms(left, start, start + 0.05) > analyse.SILENT] or [0])
    check(residue < -15, "the sound heard for the %s is not its %d Hz tone (%.0f dB of other sound)"
          % (what, hz, residue))


FIGURES = {}


def first_press(s, rec_path, press, hz, what, figure):
    """Presses once and waits for the sound: the right tone must come with no box. Keeps the
    press-to-sound time and the longest ping answer while it waited (seconds) as FIGURES[figure]."""
    probe = PingProbe(s.window).start()
    rec = bbenv.ClockedRecorder(rec_path).start()
    try:
        settle(0.3)
        pressed = time.monotonic()
        press()
        sound = wait_heard(s, rec, what)
    finally:
        answers = probe.stop()
        left = analyse.left_channel(rec.stop())
    started = rec.origin() + sound.start
    idle = max([delay for sent, delay in answers if sent + delay < pressed] or [0])
    stall = max([delay for sent, delay in answers if sent + delay >= pressed and sent <= started] or [0])
    gaps = ", ".join("%.0f ms at %.2f s" % (length * 1000, at - sound.start) for at, length in sound.gaps)
    print("  measured (%s): sound %.0f ms after the press, %.2f s long; longest ping answer %.0f ms while it "
          "waited (%.0f ms before the press, %d pings); gaps: %s" % (what, (started - pressed) * 1000, sound.length,
                                                                   stall * 1000, idle * 1000, len(answers),
                                                                   gaps or "none"))
    FIGURES[figure] = (started - pressed, stall)
    right_tone(left, sound, hz, what)
    check(abs(sound.length - TONE_SECONDS) < 0.15, "the %s came in pieces: %.2f s of its %.0f s unbroken"
          % (what, sound.length, TONE_SECONDS))
    check(stall < STALL_BOUND, "the window's thread stalled %.0f ms while the %s waited" % (stall * 1000, what))


def format_case(ms, slot):
    kind, hz, key = FORMATS[slot]
    what = "%s at %d ms per read" % (kind.upper(), ms)

    named = ("an " if kind in ("mp3", "ogg") else "a ") + kind.upper()

    @case("a first hot key on %s on storage answering in %d ms is heard, with no box" % (named, ms))
    def run(s, rec_path):
        first_press(s, rec_path, lambda: bbenv.FastInput().key(key), hz, what, (kind, ms))
    return run


def busy_cores():
    # Niced, as the output-gap case's: the cores are busy, the program's threads still come first.
    return [subprocess.Popen(["nice", "-n", "10", sys.executable, "-c", "while True: pass"])
            for _ in range(multiprocessing.cpu_count())]


def cover_case(ms):
    @case("a first click on an MP3 with a 2 MB cover picture, at %d ms per read and every core busy, is heard" % ms)
    def run(s, rec_path):
        hogs = busy_cores()
        try:
            first_press(s, rec_path, lambda: click(s, COVER_SLOT), COVER_HZ, "cover MP3 at %d ms per read" % ms,
                        ("cover mp3", ms))
        finally:
            for hog in hogs:
                hog.kill()
                hog.wait()
    return run


def click(s, slot):
    bbenv.FastInput().click(*s.slot_point(slot, 0.5, 0.25))


def held_file(s, slot):
    return os.path.join(s.home, "sounds", "held%d.wav" % slot)


def let_go(s, slot):
    os.remove(held_file(s, slot) + ".hold")


@case("a second click on a slot whose start waits for its file cancels it: nothing is heard once the file comes")
def cancel_waiting(s, rec_path):
    rec = bbenv.ClockedRecorder(rec_path).start()
    try:
        settle(0.3)
        click(s, CANCEL_SLOT)
        settle(0.5)
        no_box(s, "while the start waited for its file")
        click(s, CANCEL_SLOT)
        settle(0.3)
        # The witness, held alike and let go with it, tells when the cancelled file has come.
        click(s, WITNESS_SLOT)
        settle(0.3)
        let_go(s, CANCEL_SLOT)
        let_go(s, WITNESS_SLOT)
        wait_heard(s, rec, "witness slot's sound")
        settle(1.0)
        no_box(s, "after the files came")
    finally:
        left = analyse.left_channel(rec.stop())
    found = analyse.sounds(left)
    print("  measured: %d sounds, %s" % (len(found), ", ".join("%.2f s long" % f.length for f in found)))
    check(len(found) == 1 and abs(found[0].length - TONE_SECONDS) < 0.15,
          "the cancelled slot was heard: %d sounds, the first %.2f s long" % (len(found), found[0].length))
    right_tone(left, found[0], WITNESS_HZ, "witness slot")


@case("a file storage never delivers is refused after the wait with the file-open error; the window answers")
def never_delivered(s, rec_path):
    errors = s.count(FILE_OPEN_ERROR)
    probe = PingProbe(s.window).start()
    try:
        settle(0.3)
        clicked = time.monotonic()
        click(s, GONE_SLOT)
        # The program gives storage 10 s (counted, it may be, from a read ahead of the click).
        bbenv.wait_for("the error box for the file never delivered", lambda: s.box("Error"), 30, step=0.05)
        boxed = time.monotonic() - clicked
    finally:
        answers = probe.stop()
    stall = max([delay for sent, delay in answers if sent + delay >= clicked and sent <= clicked + boxed] or [0])
    told = refusal(s)
    s.answer("Error", "Return")
    print("  measured: error box %.1f s after the click; longest ping answer %.0f ms while it waited (%d pings)"
          % (boxed, stall * 1000, len(answers)))
    check(s.count(FILE_OPEN_ERROR) == errors + 1, "the file was refused with '%s', not '%s'" % (told, FILE_OPEN_ERROR))
    check(stall < STALL_BOUND, "the window's thread stalled %.0f ms while the file was waited for" % (stall * 1000))
    kind, hz, key = FORMATS[1]
    bbenv.xdotool("windowactivate", "--sync", s.window)
    first_press(s, rec_path, lambda: bbenv.FastInput().key(key), hz, "WAV after the refusal", ("after refusal", 0))


@case("Exit while a start waits for its file ends the program promptly, with no sound")
def exit_while_waiting(s, rec_path):
    rec = bbenv.Recorder(rec_path).start()
    try:
        settle(0.3)
        click(s, EXIT_SLOT)
        settle(0.5)
        no_box(s, "while the start waited for its file")
        asked = time.monotonic()
        code = s.exit(save=False, seconds=20)
        took = time.monotonic() - asked
        settle(0.5)
    finally:
        # A program still waiting for its files may go on once they come.
        for slot in (EXIT_SLOT, GONE_SLOT):
            if os.path.exists(held_file(s, slot) + ".hold"):
                let_go(s, slot)
        left = analyse.left_channel(rec.stop())
    found = analyse.sounds(left)
    print("  measured: exit took %.1f s, %d sounds" % (took, len(found)))
    check(code == 0, "the exit ended with code %s" % code)
    check(took < 5, "the exit took %.1f s" % took)
    check(not found, "the waiting sound was heard on the way out")


def print_figures():
    kinds = [kind for kind, _, _ in FORMATS.values()] + ["cover mp3"]
    print("  first press (time to sound / longest window stall, ms):")
    print("  %-10s" % "" + "".join("%18s" % ("%d ms per read" % ms) for ms in DELAYS_MS))
    for kind in kinds:
        cells = [FIGURES.get((kind, ms)) for ms in DELAYS_MS]
        if any(cells):
            print("  %-10s" % kind + "".join("%18s" % ("%.0f / %.0f" % (c[0] * 1000, c[1] * 1000) if c else "-")
                                             for c in cells))


def run(binary, root, rec_path, sessions):
    library = shim()
    for i, ms in enumerate(DELAYS_MS):
        last = i == len(DELAYS_MS) - 1
        name = "slow-storage-%dms" % ms
        sounds = os.path.join(root, name, "sounds")
        env = {"LD_PRELOAD": library, "RBX_SLOW_DIR": sounds, "RBX_SLOW_MS": str(ms)}
        s = Session(binary, root, name, env=env,
                    board_maker=lambda home, cover=i == 0, holds=last: slow_board(home, cover, holds))
        sessions.append(s)
        s.start()
        for slot in FORMATS:
            format_case(ms, slot)(s, rec_path)
        if i == 0:
            cover_case(ms)(s, rec_path)
        if last:
            cancel_waiting(s, rec_path)
            never_delivered(s, rec_path)
            exit_while_waiting(s, rec_path)
        s.program.kill()
    print_figures()
