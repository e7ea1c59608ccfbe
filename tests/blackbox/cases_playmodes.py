"""Black-box cases where two play modes meet: Multi-Play with Loop, Rapid Fire with the automatic
fades, Pause during a cross fade and during the automatic fade-out. Each slot plays a tone of its
own frequency, so the recording tells the two sounds of a fade apart."""
import os
import time

import analyse
import bbenv
import board
from cases import case, check, recorded, settle
from session import Session

FIRST_HZ, SECOND_HZ = 440, 660
HEARD = 2000      # a tone's peak size when it sounds (the tones peak near 16000)
UNHEARD = 300     # and when it does not
WINDOW = 0.2      # seconds each measurement takes


def modes_board(play="F", rapid="F", seconds=(20, 20)):
    """A maker for group A page 1 "Modes": slot 1 a tone at 440 Hz, slot 2 one at 660 Hz, each
    `seconds` long, the page's play-list and rapid-fire flags as given."""
    def make(home):
        sounds = os.path.join(home, "sounds")
        os.makedirs(sounds, exist_ok=True)
        cells = {}
        for n, (hz, length) in enumerate(zip((FIRST_HZ, SECOND_HZ), seconds), start=1):
            path = board.tone(os.path.join(sounds, "tone%d.wav" % n), length, freq=hz)
            cells[n] = {"caption": "Tone %d" % n, "file": path, "time": "00:%02d" % length,
                        "color": board.slot_color(n)[0]}
        section, keys = board.page_section(1, 1, "Modes", cells, play=play)
        keys = [(k, rapid if k == "RapidFire" else v) for k, v in keys]
        set_path = os.path.join(home, "Modes.set")
        board.write_ini(set_path, [("Main", [("CreatedBy", "Rallybox"), ("Personalization", "")]), (section, keys)])
        return set_path
    return make


class Timeline:
    """A recording with the operator's acts placed on it: the first act started the first sound,
    and click, key and sound travel the same way to the sink, so each later act lies its monotonic
    distance from the first after the first sound's start."""

    def __init__(self, rec_path):
        self.rec = bbenv.Recorder(rec_path).start()
        self.acts = []

    def act(self, do):
        do()
        self.acts.append(time.monotonic())
        return len(self.acts) - 1

    def stop(self):
        self.left = recorded(self.rec)
        found = analyse.sounds(self.left)
        check(found, "nothing was recorded")
        self.origin = found[0].start
        return self

    def level(self, act, after, hz):
        at = self.origin + self.acts[act] - self.acts[0] + after
        return analyse.tone_level(self.left, at, at + WINDOW, hz)


def heard(t, act, after, hz, what):
    level = t.level(act, after, hz)
    check(level > HEARD, "%s: the %d Hz tone was not heard (%.0f)" % (what, hz, level))
    return level


def unheard(t, act, after, hz, what):
    level = t.level(act, after, hz)
    check(level < UNHEARD, "%s: the %d Hz tone was heard (%.0f)" % (what, hz, level))


def button(s, x):
    """The Loop, Pause and STOP buttons of the tool bar, by their design x."""
    return s.design_point(x, 43)


LOOP_X, PAUSE_X, STOP_X = 523, 566, 608


@case("with Multi-Play and Loop on, a click on each playing slot stops it and the last one stays stopped")
def multi_play_loop_click_stops(s, rec_path):
    s.click_point(button(s, LOOP_X))
    settle(0.3)
    t = Timeline(rec_path)
    first = t.act(lambda: s.click_point(s.slot_point(1, 0.5, 0.25)))
    time.sleep(1.0)
    second = t.act(lambda: s.click_point(s.slot_point(2, 0.5, 0.25)))
    time.sleep(1.0)
    stop_first = t.act(lambda: s.click_point(s.slot_point(1, 0.5, 0.25)))
    time.sleep(1.0)
    stop_second = t.act(lambda: s.click_point(s.slot_point(2, 0.5, 0.25)))
    time.sleep(2.0)
    t.stop()
    s.click_point(button(s, STOP_X))
    heard(t, first, 0.4, FIRST_HZ, "slot 1 alone")
    heard(t, second, 0.4, FIRST_HZ, "both slots")
    heard(t, second, 0.4, SECOND_HZ, "both slots")
    unheard(t, stop_first, 0.4, FIRST_HZ, "after slot 1's click stop")
    heard(t, stop_first, 0.4, SECOND_HZ, "after slot 1's click stop")
    for after in (0.4, 1.0, 1.6):
        unheard(t, stop_second, after, FIRST_HZ, "%.1f s after the last click stop" % after)
        unheard(t, stop_second, after, SECOND_HZ, "%.1f s after the last click stop" % after)


def rapid_fire_waits(s, rec_path):
    t = Timeline(rec_path)
    first = t.act(lambda: s.click_point(s.slot_point(1, 0.5, 0.25)))
    # The 4 s tone is faded from 2 s before its end over 1 s.
    time.sleep(5.5)
    space = t.act(lambda: s.focus_key("space"))
    time.sleep(1.0)
    t.stop()
    s.click_point(button(s, STOP_X))
    heard(t, first, 0.5, FIRST_HZ, "slot 1")
    for after in (3.5, 4.5, 5.2):
        unheard(t, first, after, SECOND_HZ, "%.1f s after slot 1 started" % after)
        unheard(t, first, after, FIRST_HZ, "%.1f s after slot 1 started" % after)
    heard(t, space, 0.5, SECOND_HZ, "after the space bar")


RAPID_FIRE = "on a rapid-fire play-list page the automatic %s ends the sound and the list waits for the space bar"
rapid_fire_after_fade_out = case(RAPID_FIRE % "fade-out")(rapid_fire_waits)
rapid_fire_after_cross_fade = case(RAPID_FIRE % "cross fade")(rapid_fire_waits)


@case("Pause during a cross fade silences both sounds at once; the resume brings both back and the fade goes on")
def pause_during_cross_fade(s, rec_path):
    t = Timeline(rec_path)
    t.act(lambda: s.click_point(s.slot_point(1, 0.5, 0.25)))
    time.sleep(1.0)
    t.act(lambda: s.click_point(s.slot_point(2, 0.5, 0.25)))
    # The 4 s cross fade is a quarter through.
    time.sleep(1.0)
    pause = t.act(lambda: s.click_point(button(s, PAUSE_X)))
    time.sleep(2.0)
    resume = t.act(lambda: s.click_point(button(s, PAUSE_X)))
    time.sleep(4.5)
    t.stop()
    s.click_point(button(s, STOP_X))
    before = heard(t, pause, -WINDOW, FIRST_HZ, "before the pause")
    heard(t, pause, -WINDOW, SECOND_HZ, "before the pause")
    for after in (0.25, 1.0, 1.7):
        unheard(t, pause, after, FIRST_HZ, "%.2f s into the pause" % after)
        unheard(t, pause, after, SECOND_HZ, "%.2f s into the pause" % after)
    back = heard(t, resume, 0.25, FIRST_HZ, "after the resume")
    heard(t, resume, 0.25, SECOND_HZ, "after the resume")
    print("  measured: the outgoing tone at %.0f before the pause, %.0f after the resume" % (before, back))
    check(abs(back - before) < 0.25 * before, "the outgoing tone came back at %.0f, not near %.0f" % (back, before))
    unheard(t, resume, 3.8, FIRST_HZ, "once the rest of the fade is over")
    heard(t, resume, 3.8, SECOND_HZ, "once the rest of the fade is over")


@case("Pause is off during the automatic fade-out: the fade runs on to its end and the next sound follows")
def pause_during_auto_fade(s, rec_path):
    pauses = s.count("Pause Button Click")
    t = Timeline(rec_path)
    first = t.act(lambda: s.click_point(s.slot_point(1, 0.5, 0.25)))
    # The 6 s tone fades over 2 s from 3 s before its end.
    time.sleep(3.6)
    pause = t.act(lambda: s.click_point(button(s, PAUSE_X)))
    time.sleep(3.0)
    t.stop()
    s.click_point(button(s, STOP_X))
    heard(t, pause, 0.3, FIRST_HZ, "after the Pause click in the fade")
    heard(t, first, 5.6, SECOND_HZ, "after the fade")
    check(s.count("Pause Button Click") == pauses, "the Pause button took a click during the automatic fade-out")


def in_own_program(binary, root, rec_path, sessions, name, options, maker, run_case):
    """Runs one case in a program of its own, which ends after it: the next one takes the keys."""
    s = Session(binary, root, name, options, board_maker=maker)
    sessions.append(s)
    run_case(s.start(), rec_path)
    s.program.kill()


def run(binary, root, rec_path, sessions):
    rapid = {"AutoFade": "YES", "FadeOutSec": 1, "FadeOutStartSec": 2, "CrossFadeSec": 1, "CrossFadeStartSec": 2}
    for name, options, maker, run_case in (
            ("modes-multiloop", {"MultiPlay": "YES"}, modes_board(), multi_play_loop_click_stops),
            ("modes-rapidfade", dict(rapid, FadeOut="YES"), modes_board("T", "T", (4, 3)), rapid_fire_after_fade_out),
            ("modes-rapidcross", dict(rapid, CrossFade="YES"), modes_board("T", "T", (4, 3)),
             rapid_fire_after_cross_fade),
            ("modes-crosspause", {"CrossFade": "YES", "CrossFadeSec": 4}, modes_board(), pause_during_cross_fade),
            ("modes-autopause", {"AutoFade": "YES", "FadeOut": "YES", "FadeOutSec": 2, "FadeOutStartSec": 3},
             modes_board("T", "F", (6, 4)), pause_during_auto_fade)):
        in_own_program(binary, root, rec_path, sessions, name, options, maker, run_case)
