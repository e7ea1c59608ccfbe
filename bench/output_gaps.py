#!/usr/bin/env python3
"""Gaps in a long tone under load, the real program against paplay in the same run: the real
rallybox on a virtual display with openbox and a private sound server plays one tone from its
board at a 25 ms device buffer; paplay plays the same file at the same latency; both are recorded
from the null sink's monitor, interleaved, while busy loops hold half (or all) of the cores.
   bench/output_gaps.sh [build dir] [--seconds S] [--rounds N] [--loads half,all,build] [--buffer ms,ms]
With CI=true: 15 s tones, one round, half the cores busy only."""
import argparse
import multiprocessing
import os
import statistics
import subprocess
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "blackbox"))
import analyse  # noqa: E402
import bbenv  # noqa: E402
import board  # noqa: E402
import figures  # noqa: E402
import session  # noqa: E402



def tone_board(seconds):
    def make(home):
        sounds = os.path.join(home, "sounds")
        os.makedirs(sounds, exist_ok=True)
        path = board.tone(os.path.join(sounds, "tone.wav"), seconds)
        cells = {1: {"caption": "Tone", "file": path, "time": "00:%02d" % min(59, int(seconds)),
                     "color": board.slot_color(1)[0]}}
        set_path = os.path.join(home, "Tone.set")
        board.write_ini(set_path, [("Main", [("CreatedBy", "Rallybox"), ("Personalization", "")]),
                                   board.page_section(1, 1, "Tone", cells)])
        return set_path
    return make


def silences(raw):
    """(count, longest ms) of the silent stretches between the recording's first and last sound."""
    peaks = analyse.block_peaks(analyse.left_channel(raw))
    loud = [i for i, p in enumerate(peaks) if p >= analyse.SILENT]
    if not loud:
        return None
    count, longest, run = 0, 0, 0
    for p in peaks[loud[0]:loud[-1] + 1]:
        if p < analyse.SILENT:
            run += 1
            continue
        if run:
            count += 1
            longest = max(longest, run)
        run = 0
    return count, longest * analyse.BLOCK * 1000.0 / analyse.RATE, (loud[-1] - loud[0]) * analyse.BLOCK / analyse.RATE


class Load:
    """Busy loops on `cores` cores, or a parallel build beside them (kind "build")."""

    def __init__(self, kind, root):
        self.kind, self.root, self.procs = kind, root, []

    def __enter__(self):
        n = multiprocessing.cpu_count()
        hogs = n // 2 if self.kind == "half" else n
        self.procs = [subprocess.Popen([sys.executable, "-c", "while True: pass"]) for _ in range(max(1, hogs))]
        if self.kind == "build":
            self.procs.append(subprocess.Popen(["bash", "-c", BUILD_LOOP % n], cwd=self.root,
                                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                               start_new_session=True))
        time.sleep(1.0)
        return self

    def __exit__(self, *exc):
        for p in self.procs:
            try:
                os.killpg(p.pid, 9) if self.kind == "build" and p is self.procs[-1] else p.kill()
            except OSError:
                pass
            p.wait()


# A compiler run over and over on one generated file, as a parallel build keeps the cores and the
# page cache busy (no ccache: it would answer at once).
BUILD_LOOP = ("printf '#include <map>\\n#include <regex>\\n#include <string>\\nint f(){std::regex r(\"a+\");"
              "std::map<std::string,int> m; return (int)m.size();}\\n' > b.cpp; "
              "while true; do for i in $(seq %d); do g++ -O2 -c b.cpp -o b$i.o & done; wait; done")


class Steal:
    """The share of the machine's CPU time its hypervisor gave to others (steal), over a stretch:
    while a virtual CPU is not run, every thread on it stalls, whatever its priority."""

    def __init__(self):
        self.before = self.read()

    @staticmethod
    def read():
        with open("/proc/stat") as f:
            fields = [int(x) for x in f.readline().split()[1:]]
        return (fields[7] if len(fields) > 7 else 0), sum(fields)

    def percent(self):
        steal, total = self.read()
        return 100.0 * (steal - self.before[0]) / max(1, total - self.before[1])


def record(path, seconds, play):
    rec = bbenv.Recorder(path).start()
    try:
        play()
        time.sleep(seconds + 1.0)
    finally:
        raw = rec.stop()
    return silences(raw)


class Players:
    """The programs (each started for its turn, or kept running while it is the only one at one
    device buffer) and paplay at the same buffer."""

    def __init__(self, args, programs, root):
        self.args, self.programs, self.root = args, programs, root
        self.session, self.current, self.started, self.tone = None, None, 0, None

    def play(self, who, buffer):
        if who == "paplay":
            return lambda: subprocess.Popen(["paplay", "--latency-msec=%d" % buffer, self.tone])
        if self.current != (who, buffer):
            self.close()
            self.started += 1
            self.session = session.Session(self.programs[who], self.root, "gaps%d" % self.started,
                                           board_maker=tone_board(self.args.seconds),
                                           env={"RBX_OUTPUT_BUFFER_MS": str(buffer)}).start()
            self.current = (who, buffer)
            self.tone = os.path.join(self.session.home, "sounds", "tone.wav")
        return lambda: self.session.click_point(self.session.slot_point(1, 0.5, 0.25))

    def close(self):
        if self.session is not None:
            self.session.program.kill()
            self.session, self.current = None, None


def measure(args, programs, root):
    rec_path = os.path.join(root, "rec.raw")
    buffers = [int(b) for b in args.buffer.split(",")]
    names = list(programs) + ["paplay"]
    players = Players(args, programs, root)
    players.play("ours", buffers[0])  # the program and its tone file, before any load
    try:
        for kind in args.loads.split(","):
            results = {(who, b): [] for who in names for b in buffers}
            with Load(kind, root):
                steal = Steal()
                for r in range(args.rounds):
                    for b in buffers:
                        order = names if r % 2 == 0 else names[::-1]
                        for who in order:
                            found = record(rec_path, args.seconds, players.play(who, b))
                            results[(who, b)].append(found)
                            print("  %s at %d ms, run %d at %s load: %s, load average %.1f" % (
                                who, b, r + 1, kind, "no sound" if found is None else
                                "%d gaps, longest %.1f ms, %.2f s of sound" % found, os.getloadavg()[0]), flush=True)
                            time.sleep(0.5)
                stolen = steal.percent()
            for b in buffers:
                summary(kind, b, [(who, results[(who, b)]) for who in names], args, stolen)
    finally:
        players.close()


def summary(kind, buffer, named_runs, args, stolen):
    def part(runs):
        if any(r is None for r in runs):
            return "no sound in %d of %d runs" % (sum(r is None for r in runs), len(runs))
        counts = sorted(r[0] for r in runs)
        longest = max(r[1] for r in runs)
        spread = "" if len(runs) == 1 else " [per run min/median/max %d/%g/%d]" % (
            counts[0], statistics.median(counts), counts[-1])
        return "%d (longest %.1f ms)%s" % (sum(counts), longest, spread)
    print("gaps: %s at load %s (%d x %g s each, %d ms device buffer, load average %.1f, "
          "%.0f %% of CPU time stolen by the hypervisor)" % (
              " / ".join("%s %s" % (who, part(runs)) for who, runs in named_runs), {"half": "half the cores busy", "all": "all cores busy",
                                         "build": "all cores busy and a parallel build"}[kind],
              args.rounds, args.seconds, buffer, os.getloadavg()[0], stolen), flush=True)
    # Ours beside paplay for scripts/bench-figures.sh: runs without sound have no figures.
    sounding = dict((who, [r for r in runs if r is not None]) for who, runs in named_runs)
    load = "%s load, %d ms buffer" % (kind, buffer)
    print(figures.line("gaps per %g s tone at %s" % (args.seconds, load), "gaps",
                       [r[0] for r in sounding["ours"]], [r[0] for r in sounding["paplay"]], "paplay"))
    print(figures.line("longest gap at %s" % load, "ms", [r[1] for r in sounding["ours"]],
                       [r[1] for r in sounding["paplay"]], "paplay"), flush=True)


def main():
    ci = os.environ.get("CI") == "true"
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("--before", help="another build's program, measured beside ours in the same run")
    parser.add_argument("--seconds", type=float, default=15 if ci else 60)
    parser.add_argument("--rounds", type=int, default=1 if ci else 3)
    parser.add_argument("--loads", default="half" if ci else "half,all")
    parser.add_argument("--buffer", default="25", help="device buffers of both players, ms (comma separated)")
    args = parser.parse_args()
    root = bbenv.temp_root()
    desktop = bbenv.Desktop()
    sound = bbenv.SoundServer(root)
    try:
        desktop.start()
        sound.start()
        programs = {"ours": os.path.abspath(args.binary)}
        if args.before:
            programs["before"] = os.path.abspath(args.before)
        measure(args, programs, root)
    finally:
        sound.stop()
        desktop.stop()
        bbenv.remove_tree(root)
    return 0


if __name__ == "__main__":
    sys.exit(main())
