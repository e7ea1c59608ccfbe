"""Black-box cases for the compressed formats the decoder module reads: a long WMA file and a
five-minute MP3 whose custom cues start deep inside them, so a click must seek there at once (the
MP3 opened for the first time, while its frames are still being counted) and play just the cue."""
import os
import subprocess
import time

import analyse
import bbenv
import board
from cases import case, check, recorded, settle
from session import Session

LOUD, QUIET = 0.5, 0.05
CUE_FROM, CUE_TO = 30.0, 34.0   # seconds: the loud part of the WMA
MP3_FROM, MP3_TO = 240.0, 244.0  # and of the MP3
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
    long_wav = board.segmented_tone(os.path.join(sounds, "five.wav"),
                                    [(MP3_FROM, QUIET), (MP3_TO - MP3_FROM, LOUD), (300 - MP3_TO, QUIET)])
    mp3 = os.path.join(sounds, "five.mp3")
    # Variable bit rate, so its seek table alone would place the cue a tenth of a second early.
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-i", long_wav, "-c:a", "libmp3lame", "-q:a", "4", mp3],
                   check=True, timeout=120, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.remove(long_wav)
    cells = {1: {"caption": "Cued WMA", "file": wma, "time": "01:00", "color": board.slot_color(1)[0], "cue": "Y"},
             2: {"caption": "Whole WMA", "file": wma, "time": "01:00", "color": board.slot_color(2)[0]},
             3: {"caption": "Cued MP3", "file": mp3, "time": "05:00", "color": board.slot_color(3)[0], "cue": "Y"}}
    section, keys = board.page_section(1, 1, "Formats", cells)
    keys += [("cs1", str(int(CUE_FROM * BYTES_PER_SECOND))), ("ce1", str(int(CUE_TO * BYTES_PER_SECOND))),
             ("cs3", str(int(MP3_FROM * BYTES_PER_SECOND))), ("ce3", str(int(MP3_TO * BYTES_PER_SECOND)))]
    set_path = os.path.join(home, "Formats.set")
    board.write_ini(set_path, [("Main", [("CreatedBy", "Rallybox"), ("Personalization", "")]), (section, keys)])
    return set_path


def play_list_board(home):
    """Group A page 1 in play-list mode: slot 1 a loud 1 s tone, slot 2 a quiet one."""
    sounds = os.path.join(home, "sounds")
    os.makedirs(sounds, exist_ok=True)
    cells = {n: {"caption": "List %d" % n, "file": board.tone(os.path.join(sounds, "list%d.wav" % n), 1.0, volume=v),
                 "time": "00:01", "color": board.slot_color(n)[0]} for n, v in ((1, LOUD), (2, LOUD * 0.3))}
    section, keys = board.page_section(1, 1, "Play List", cells, play="T")
    set_path = os.path.join(home, "List.set")
    board.write_ini(set_path, [("Main", [("CreatedBy", "Rallybox"), ("Personalization", "")]), (section, keys)])
    return set_path


def level(left, start, end):
    return analyse.rms(left, start, end) / (32767 * LOUD / 2 ** 0.5)


def cued_click(s, rec_path, slot, what):
    """A click on a cued slot whose loud part is its 4 s cue: just the cue is heard, loud throughout."""
    check(slot in s.slots, "the %s slot is not on the screen" % what)
    rec = bbenv.Recorder(rec_path).start()
    s.click_point(s.slot_point(slot, 0.5, 0.25))
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


@case("a click on a WMA cued 30 s into the file plays just the cue, loud from its first moment")
def cued_wma(s, rec_path):
    check(2 in s.slots, "the uncued WMA slot is not on the screen")
    cued_click(s, rec_path, 1, "cued WMA")


@case("a click on a variable-rate MP3 cued 4 minutes in, opened for the first time, plays just the cue")
def cued_mp3(s, rec_path):
    cued_click(s, rec_path, 3, "cued MP3")


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


@case("in play-list mode the next slot follows the end of the clicked one at once")
def play_list_follows(s, rec_path):
    check(1 in s.slots and 2 in s.slots, "the play list's two slots are not on the screen")
    rec = bbenv.Recorder(rec_path).start()
    s.click_point(s.slot_point(1, 0.5, 0.25))
    time.sleep(3.0)
    left = recorded(rec)
    found = analyse.sounds(left)
    check(len(found) == 1, "the play list gave %d sounds with silences between (%s)"
          % (len(found), ", ".join("%.2f-%.2f s" % (f.start, f.end) for f in found)))
    sound = found[0]
    first, second = level(left, sound.start + 0.2, sound.start + 0.8), level(left, sound.end - 0.8, sound.end - 0.2)
    silent = sum(length for _, length in sound.gaps)
    print("  measured: %.3f s in all, %.0f ms of silence between, levels %.2f then %.2f"
          % (sound.length, silent * 1000, first, second))
    check(first > 0.8 and abs(second - 0.3) < 0.1, "the second second was not slot 2: levels %.2f, %.2f"
          % (first, second))
    check(silent < 0.1 and abs(sound.length - 2.0) < 0.15,
          "slot 2 followed after %.0f ms of silence, %.3f s in all" % (silent * 1000, sound.length))


def run(binary, root, rec_path, sessions):
    s = Session(binary, root, "formats-wma", {"SpaceBarStop": "YES"}, board_maker=wma_board)
    sessions.append(s)
    s.start()
    cued_wma(s, rec_path)
    whole_wma(s, rec_path)
    cued_mp3(s, rec_path)
    s.program.kill()
    listed = Session(binary, root, "formats-list", board_maker=play_list_board)
    sessions.append(listed)
    listed.start()
    play_list_follows(listed, rec_path)
