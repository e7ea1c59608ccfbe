"""Black-box cases for the compressed formats the decoder module reads: a long WMA file whose
custom cue starts deep inside it, so a click must seek there at once and play just the cue."""
import os
import subprocess
import time

import analyse
import bbenv
import board
from cases import case, check, recorded, settle
from session import Session

LOUD, QUIET = 0.5, 0.05
CUE_FROM, CUE_TO = 30.0, 34.0   # seconds: the loud part of the file
BYTES_PER_SECOND = 44100 * 4    # cue points are stored as bytes of 16-bit stereo


def wma_board(home):
    """Group A page 1: slot 1 a 60 s WMA, quiet but for the 4 s from 30 s, cued to just that part;
    slot 2 the same file uncued."""
    sounds = os.path.join(home, "sounds")
    os.makedirs(sounds, exist_ok=True)
    wav = board.segmented_tone(os.path.join(sounds, "long.wav"),
                               [(CUE_FROM, QUIET), (CUE_TO - CUE_FROM, LOUD), (60 - CUE_TO, QUIET)])
    wma = os.path.join(sounds, "long.wma")
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-i", wav, "-c:a", "wmav2", "-b:a", "128k", wma], check=True,
                   timeout=120, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    cells = {1: {"caption": "Cued WMA", "file": wma, "time": "01:00", "color": board.slot_color(1)[0], "cue": "Y"},
             2: {"caption": "Whole WMA", "file": wma, "time": "01:00", "color": board.slot_color(2)[0]}}
    section, keys = board.page_section(1, 1, "Formats", cells)
    keys += [("cs1", str(int(CUE_FROM * BYTES_PER_SECOND))), ("ce1", str(int(CUE_TO * BYTES_PER_SECOND)))]
    set_path = os.path.join(home, "Formats.set")
    board.write_ini(set_path, [("Main", [("CreatedBy", "Rallybox"), ("Personalization", "")]), (section, keys)])
    return set_path


def level(left, start, end):
    return analyse.rms(left, start, end) / (32767 * LOUD / 2 ** 0.5)


@case("a click on a WMA cued 30 s into the file plays just the cue, loud from its first moment")
def cued_wma(s, rec_path):
    check(1 in s.slots and 2 in s.slots, "the two WMA slots are not on the screen")
    rec = bbenv.Recorder(rec_path).start()
    s.click_point(s.slot_point(1, 0.5, 0.25))
    time.sleep(CUE_TO - CUE_FROM + 1.0)
    left = recorded(rec)
    found = analyse.sounds(left)
    check(len(found) == 1, "the cued click gave %d sounds" % len(found))
    sound = found[0]
    head, tail = level(left, sound.start + 0.01, sound.start + 0.2), level(left, sound.end - 0.3, sound.end - 0.05)
    print("  measured: %.3f s long, level %.2f at its head and %.2f at its tail (1.0 is the loud part)"
          % (sound.length, head, tail))
    check(abs(sound.length - (CUE_TO - CUE_FROM)) < 0.1, "the cue played %.3f s, not %.1f s"
          % (sound.length, CUE_TO - CUE_FROM))
    check(head > 0.8 and tail > 0.8, "the cue did not play the loud part: head %.2f, tail %.2f" % (head, tail))


@case("a click on the same WMA uncued starts it from its quiet beginning")
def whole_wma(s, rec_path):
    rec = bbenv.Recorder(rec_path).start()
    s.click_point(s.slot_point(2, 0.5, 0.25))
    time.sleep(1.5)
    s.focus_key("space")
    settle(2.6)
    left = recorded(rec)
    found = analyse.sounds(left)
    check(found, "the uncued click gave no sound")
    head = level(left, found[0].start + 0.01, found[0].start + 0.5)
    print("  measured: level %.2f at its head (%.2f expected)" % (head, QUIET / LOUD))
    check(abs(head - QUIET / LOUD) < 0.05, "the uncued play started at level %.2f, not the quiet start" % head)


def run(binary, root, rec_path, sessions):
    s = Session(binary, root, "formats-wma", {"SpaceBarStop": "YES"}, board_maker=wma_board)
    sessions.append(s)
    s.start()
    cued_wma(s, rec_path)
    whole_wma(s, rec_path)
