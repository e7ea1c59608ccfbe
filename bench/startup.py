#!/usr/bin/env python3
"""Whole-process start-up as the operator waits for it: from the moment the process is started to
the first moment the screen shows the full board laid out in the maximized window, seen from
outside through the X server (a pixel watch on the first and the last slot of the board).
Desktop as the operator's: Xvfb with openbox and a session bus, a private sound server. The board
is full (10 groups x 18 pages x 48 buttons, every field filled) and names real WAV and MP3 files.
Two peers are started the same way, interleaved with ours: a bare Qt window (one widget, shown
maximized) and a bare Qt board (as many plain Qt widgets as the main window shows, shown maximized,
bench/bare_window/board.cpp), warm (files in the page cache) and cold (the programs', their
libraries', Qt's plug-ins, the fonts and the board's files dropped from the page cache before each
run). The board peer tells what a plain Qt widget window of the board's size costs apart from what the
program adds. Each figure is also printed as a "figure" line (bench/figures.py) for
scripts/bench-figures.sh.
Standard library only (Xlib through ctypes)."""
import argparse
import os
import re
import signal
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "blackbox"))
import bbenv  # noqa: E402
import board  # noqa: E402
import figures  # noqa: E402
import pagecache  # noqa: E402
import pixelwatch  # noqa: E402

BARE_COLOR = (0x20, 0x80, 0xC0)
SOUNDS = [("wav", 0.5, 880), ("wav", 1.5, 440), ("mp3", 2.0, 660), ("wav", 3.0, 550), ("mp3", 6.0, 330)]


def write_sounds(folder):
    """A few short real sounds; every button gets a name of its own, hard-linked to one of them."""
    os.makedirs(folder, exist_ok=True)
    made = []
    for i, (kind, seconds, freq) in enumerate(SOUNDS):
        wav = board.tone(os.path.join(folder, "base%d.wav" % i), seconds, freq)
        if kind == "mp3":
            mp3 = os.path.join(folder, "base%d.mp3" % i)
            subprocess.run(["ffmpeg", "-loglevel", "error", "-y", "-i", wav, "-b:a", "128k", mp3], check=True,
                           timeout=60)
            os.remove(wav)
            wav = mp3
        made.append(wav)
    return made


def write_board(home, writer):
    """The full board of the benchmarks (bench_full_board_writer), its files made real; slots 1 and
    48 of the first page unplayed, in colours of their own, for the watch."""
    set_path = os.path.join(home, "Full.set")
    subprocess.run([writer, set_path], check=True, timeout=60, stdout=subprocess.DEVNULL)
    sounds = os.path.join(home, "Sounds")
    bases = write_sounds(sounds)

    def real_file(match):
        slot_id = match.group(2)
        base = bases[sum(int(n) for n in slot_id.split("-")) % len(bases)]
        path = os.path.join(sounds, slot_id + os.path.splitext(base)[1])
        os.link(base, path)
        return match.group(1) + path

    with open(set_path, encoding="utf-8", newline="") as f:
        text = f.read()
    text = re.sub(r"^(s\d+=)/home/operator/Sounds/Game day/([0-9-]+)\.mp3", real_file, text, flags=re.M)
    first_page = text.index("[Page1]\r\n")
    end = text.index("\r\n\r\n", first_page)
    page = text[first_page:end]
    for slot in (1, 48):
        page = re.sub(r"^co%d=.*$" % slot, "co%d=%s\r" % (slot, board.slot_color(slot)[0]), page, flags=re.M)
        # A played button shows the played colour, not its own.
        page = re.sub(r"^activity%d=.*\n" % slot, "", page, flags=re.M)
    text = text[:first_page] + page + text[end:]
    with open(set_path, "w", encoding="utf-8", newline="") as f:
        f.write(text)
    # No tracer question at start: nothing but the board comes up.
    board.options(os.path.join(home, "RBX.inf"), Tracer="NO")
    return set_path


class Contender:
    def __init__(self, name, command, colors, env, watch=None):
        self.name, self.command, self.colors, self.env = name, command, colors, env
        self.watch = watch  # the points it is seen at, when not those of ours
        self.warm, self.cold = [], []

    def start(self):
        return subprocess.Popen(self.command, env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                start_new_session=True)


def stop(proc):
    os.killpg(proc.pid, signal.SIGKILL)
    proc.wait(10)


def calibrate(command, env):
    """Where slots 1 and 48 of the first page land in the maximized window, from one run left to
    settle (it also fills the caches for the warm runs)."""
    proc = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            start_new_session=True)
    try:
        points = bbenv.wait_for("slots 1 and 48 on the screen", lambda: slot_points(), 60, step=0.5)
    finally:
        stop(proc)
    return points


def slot_points():
    from session import color_box
    data = bbenv.screenshot()
    points = []
    for slot in (1, 48):
        box = color_box(data, 1920, bytes(board.slot_color(slot)[1]))
        if not box or box[2] - box[0] < 20:
            return None
        # Near the panel's top left corner, clear of its caption; the colour checked on the picture.
        point = (box[0] + 4, box[1] + 4)
        i = (point[1] * 1920 + point[0]) * 3
        if data[i:i + 3] != bytes(board.slot_color(slot)[1]):
            return None
        points.append(point)
    return points


def one_run(watch, contender, seconds=60):
    """Milliseconds from the process's start to both watched points showing the contender's colours."""
    watch = contender.watch or watch
    bbenv.wait_for("the screen without the last window", lambda: not watch.all_match(contender.colors), 20, 0.01)
    started = time.monotonic_ns()
    proc = contender.start()
    try:
        seen = watch.wait_all(contender.colors, seconds)
    finally:
        stop(proc)
    if seen is None:
        raise RuntimeError("%s did not show its window within %d s" % (contender.name, seconds))
    return (seen - started) / 1e6


def steps(program, set_path, env, runs):
    """Where ours spends its start, from the program's own marks (RBX_STARTUP_PROBE: the wall
    clock at each step; the program leaves after its first completed paint), medians of a few
    warm runs apart from the measured ones."""
    order = ["main", "application", "windows", "shown", "painted"]
    spans = {step: [] for step in order}
    cpu = {step: [] for step in order}
    for _ in range(runs):
        started = time.time_ns()
        out = subprocess.run([program, set_path], env=dict(env, RBX_STARTUP_PROBE="1"), capture_output=True,
                             text=True, timeout=60).stdout
        marks = dict((line.split()[0], int(line.split()[1])) for line in out.splitlines()
                     if len(line.split()) == 2 and line.split()[1].isdigit())
        last = started
        last_cpu = 0
        for step in order:
            if step in marks:
                spans[step].append((marks[step] - last) / 1e6)
                last = marks[step]
            if step + ".cpu" in marks:
                cpu[step].append((marks[step + ".cpu"] - last_cpu) / 1e6)
                last_cpu = marks[step + ".cpu"]
    names = {"main": "to main()", "application": "QApplication", "windows": "windows and board",
             "shown": "show", "painted": "first paint"}
    print("ours, in-process steps (median of %d): %s" % (runs, ", ".join(
        "%s %.0f" % (names[s], statistics.median(spans[s])) for s in order if spans[s])) + " ms")
    # The GUI thread's own processor time per step: the same steps apart from waiting, steadier
    # than the wall clock on a busy machine.
    print("ours, GUI thread's processor time per step (median of %d): %s" % (runs, ", ".join(
        "%s %.1f" % (names[s], statistics.median(cpu[s])) for s in order if cpu[s])) + " ms")


def spread(values):
    return "min %.0f / median %.0f / max %.0f ms" % (min(values), statistics.median(values), max(values))


def report(kind, ours, peer):
    a, b = getattr(ours, kind), getattr(peer, kind)
    ratio = statistics.median(a) / statistics.median(b)
    print("start-up %s: %s %.0f ms / %s %.0f ms (ratio %.2f)" % (
        kind, ours.name, statistics.median(a), peer.name, statistics.median(b), ratio))
    print("  %-13s %s (n=%d)\n  %-13s %s (n=%d)" % (ours.name, spread(a), len(a), peer.name, spread(b), len(b)))
    if ours.name == "ours":
        print(figures.line("start-up %s" % kind, "ms", a, b, peer.name))


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--program", required=True)
    p.add_argument("--bare", required=True, help="startup_bare_window")
    p.add_argument("--bare-board", required=True, help="startup_bare_board")
    p.add_argument("--writer", required=True, help="bench_full_board_writer")
    p.add_argument("--runs", type=int, default=10, help="warm runs of each")
    p.add_argument("--cold-runs", type=int, default=5, help="cold runs of each")
    p.add_argument("--other", action="append", default=[], metavar="NAME=PROGRAM",
                   help="another build of the program, run the same way in the same rounds (before/after)")
    args = p.parse_args()
    root = bbenv.temp_root()
    desktop = bbenv.Desktop()
    server = bbenv.SoundServer(root)
    try:
        desktop.start()
        server.start()
        home = os.path.join(root, "home")
        os.makedirs(home)
        set_path = write_board(home, args.writer)
        env = dict(os.environ, RALLYBOX_HOME=home)
        env.pop("QT_QPA_PLATFORM", None)
        watch = pixelwatch.PixelWatch(calibrate([args.program, set_path], env))
        ours = Contender("ours", [args.program, set_path], [board.slot_color(s)[1] for s in (1, 48)], env)
        bare = Contender("bare Qt window", [args.bare, "#%02x%02x%02x" % BARE_COLOR], [BARE_COLOR] * 2, env)
        # The board peer's first and last panels in the colours of ours, found where it lays them.
        board_command = [args.bare_board] + ["#%02x%02x%02x" % board.slot_color(s)[1] for s in (1, 48)]
        bare_board = Contender("bare Qt board", board_command, ours.colors, env,
                               pixelwatch.PixelWatch(calibrate(board_command, env)))
        others = [Contender(o.split("=", 1)[0], [o.split("=", 1)[1], set_path], ours.colors, env) for o in args.other]
        peers = [bare, bare_board]
        everyone = [ours] + peers + others
        one_run(watch, bare)  # the peer's caches filled too
        print("load average before: %s" % " ".join(open("/proc/loadavg").read().split()[:3]))
        for i in range(args.runs):
            for c in everyone if i % 2 == 0 else everyone[::-1]:
                c.warm.append(one_run(watch, c))
        # The modules beside the program (the outputs, the decoder) go too.
        programs = [c.command[0] for c in everyone]
        modules = [os.path.join(os.path.dirname(p), m) for p in programs
                   for m in ("librbx_decoder.so", "librbx_output.so")]
        dropped = pagecache.startup_files(programs + [m for m in modules if os.path.exists(m)], [home])
        still = (0, 0)
        for i in range(args.cold_runs):
            for c in everyone if i % 2 == 0 else everyone[::-1]:
                still = pagecache.drop(dropped)
                c.cold.append(one_run(watch, c))
        print("load average after: %s" % " ".join(open("/proc/loadavg").read().split()[:3]))
        steps(args.program, set_path, env, 3)
        print("cold runs: %d files dropped before each (%.0f MB); still cached after the last drop: %.0f MB "
              "(pages mapped by running processes)" % (len(dropped), still[0] / 1e6, still[1] / 1e6))
        for kind in ("warm", "cold"):
            for c in [ours] + others:
                if getattr(c, kind):
                    for peer in peers:
                        report(kind, c, peer)
            if getattr(bare_board, kind):
                report(kind, bare_board, bare)
    finally:
        server.stop()
        desktop.stop()
        bbenv.remove_tree(root)
    return 0


if __name__ == "__main__":
    sys.exit(main())
