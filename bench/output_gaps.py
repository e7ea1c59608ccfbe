#!/usr/bin/env python3
"""Gaps in a long tone on a saturated machine, the real program against paplay in the same rounds:
the real rallybox on a virtual display with openbox and a private sound server plays one tone from
its board at the default device buffer; paplay plays the same file at the same latency; each runs
in a session of its own (as a launched program does, so the kernel's per-session grouping applies)
and both are recorded from the null sink's monitor in alternating rounds. The loads, each started
in sessions of their own: "sessions", `nproc` busy loops in each of two other sessions; "build", a
parallel compiler run over all cores ("half" and "all", busy loops in the bench's own session, as
before). Each player runs with the real-time class granted ("rt": as the bench is run, by root's
privilege or a limits.conf allowance) and withheld ("nort": an ordinary user's limits, no
real-time priority or raised niceness; as root the capability to pass over them is dropped).
   bench/output_gaps.sh [build dir] [--seconds S] [--rounds N] [--loads sessions,build]
                        [--grants rt,nort] [--buffer ms,ms]
Prints per run the gaps, the longest silence and the silent time a minute, then per load and grant
the longest silence and the silent time a minute, min/median/max, ours beside paplay, with the load
average. With CI=true: 10 s tones, one round, the sessions load only."""
import argparse
import multiprocessing
import os
import resource
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
    """(count, longest ms, seconds of sound, silent ms) of the silent stretches between the
    recording's first and last sound."""
    peaks = analyse.block_peaks(analyse.left_channel(raw))
    loud = [i for i, p in enumerate(peaks) if p >= analyse.SILENT]
    if not loud:
        return None
    count, longest, run, silent = 0, 0, 0, 0
    for p in peaks[loud[0]:loud[-1] + 1]:
        if p < analyse.SILENT:
            run += 1
            continue
        if run:
            count += 1
            longest = max(longest, run)
            silent += run
        run = 0
    ms = analyse.BLOCK * 1000.0 / analyse.RATE
    return count, longest * ms, (loud[-1] - loud[0]) * analyse.BLOCK / analyse.RATE, silent * ms


def silent_per_minute(found):
    return found[3] * 60.0 / max(1.0, found[2])


class Load:
    """The machine's load for a stretch: busy loops in the bench's own session ("half", "all"),
    `nproc` of them in each of two other sessions ("sessions"), or a parallel build in a session
    of its own ("build")."""

    def __init__(self, kind, root):
        self.kind, self.root, self.groups = kind, root, []

    def __enter__(self):
        n = multiprocessing.cpu_count()
        spin = [sys.executable, "-c", "while True: pass"]
        if self.kind in ("half", "all"):
            for _ in range(max(1, n // 2 if self.kind == "half" else n)):
                self.groups.append(subprocess.Popen(spin, start_new_session=False))
        elif self.kind == "sessions":
            loops = "for i in $(seq %d); do %s -c 'while True: pass' & done; wait" % (n, sys.executable)
            for _ in range(2):
                self.groups.append(subprocess.Popen(["bash", "-c", loops], start_new_session=True))
        elif self.kind == "build":
            self.groups.append(subprocess.Popen(["bash", "-c", BUILD_LOOP % n], cwd=self.root,
                                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                                start_new_session=True))
        else:
            raise SystemExit("unknown load %r" % self.kind)
        time.sleep(1.0)
        return self

    def __exit__(self, *exc):
        for p in self.groups:
            try:
                if self.kind in ("half", "all"):
                    p.kill()
                else:
                    os.killpg(p.pid, 9)
            except OSError:
                pass
            p.wait()


LOAD_NAMES = {"half": "half the cores busy", "all": "all cores busy",
              "sessions": "%d busy loops in each of two other sessions" % multiprocessing.cpu_count(),
              "build": "a parallel build in another session"}


# A compiler run over and over on one generated file, as a parallel build keeps the cores and the
# page cache busy (no ccache: it would answer at once).
BUILD_LOOP = ("printf '#include <map>\\n#include <regex>\\n#include <string>\\nint f(){std::regex r(\"a+\");"
              "std::map<std::string,int> m; return (int)m.size();}\\n' > b.cpp; "
              "while true; do for i in $(seq %d); do g++ -O2 -c b.cpp -o b$i.o & done; wait; done")


def granting(grant):
    """The command prefix that starts a player with the real-time class granted or withheld.
    Granted: as the bench runs (root's privilege, or the user's allowance in limits.conf).
    Withheld: an ordinary user's limits, no real-time priority and no raised niceness; as root
    the capability to pass over the limits is dropped as well."""
    if grant == "rt":
        return []
    prefix = ["prlimit", "--rtprio=0:0", "--nice=0:0", "--"]
    if os.geteuid() == 0:
        prefix += ["setpriv", "--inh-caps=-sys_nice", "--bounding-set=-sys_nice", "--"]
    return prefix


def granted_text(grant):
    if grant != "rt":
        return "real-time class withheld"
    limit = resource.getrlimit(resource.RLIMIT_RTPRIO)[0]
    return "real-time class granted (%s)" % ("root" if os.geteuid() == 0 else "RLIMIT_RTPRIO %d" % limit)


def wrapper(binary, grant, root):
    """A program file that starts the binary under the grant (the session starts a program file)."""
    path = os.path.join(root, "rallybox-%s" % grant)
    with open(path, "w") as f:
        f.write("#!/bin/sh\nexec %s %s \"$@\"\n" % (" ".join(granting(grant)), binary))
    os.chmod(path, 0o755)
    return path


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
    device buffer and grant) and paplay at the same buffer and grant, each in a session of its own."""

    def __init__(self, args, programs, root):
        self.args, self.programs, self.root = args, programs, root
        self.session, self.current, self.started, self.tone = None, None, 0, None

    def play(self, who, buffer, grant):
        if who == "paplay":
            return lambda: subprocess.Popen(granting(grant) + [
                "paplay", "--latency-msec=%d" % buffer, self.tone], start_new_session=True)
        if self.current != (who, buffer, grant):
            self.close()
            self.started += 1
            self.session = session.Session(wrapper(self.programs[who], grant, self.root), self.root,
                                           "gaps%d" % self.started, board_maker=tone_board(self.args.seconds),
                                           env={"RBX_OUTPUT_BUFFER_MS": str(buffer)}).start()
            self.current = (who, buffer, grant)
            self.tone = os.path.join(self.session.home, "sounds", "tone.wav")
        return lambda: self.session.click_point(self.session.slot_point(1, 0.5, 0.25))

    def close(self):
        if self.session is not None:
            self.session.program.kill()
            self.session, self.current = None, None


def measure(args, programs, root):
    rec_path = os.path.join(root, "rec.raw")
    buffers = [int(b) for b in args.buffer.split(",")]
    grants = args.grants.split(",")
    names = list(programs) + ["paplay"]
    players = Players(args, programs, root)
    players.play("ours", buffers[0], grants[0])  # the program and its tone file, before any load
    try:
        for kind in args.loads.split(","):
            for grant in grants:
                results = {(who, b): [] for who in names for b in buffers}
                loads = []
                with Load(kind, root):
                    steal = Steal()
                    for r in range(args.rounds):
                        for b in buffers:
                            order = names if r % 2 == 0 else names[::-1]
                            for who in order:
                                found = record(rec_path, args.seconds, players.play(who, b, grant))
                                results[(who, b)].append(found)
                                loads.append(os.getloadavg()[0])
                                print("  %s at %d ms, %s, run %d under %s: %s, load average %.1f" % (
                                    who, b, grant, r + 1, kind, "no sound" if found is None else
                                    "%d gaps, longest %.1f ms, %.0f ms silent a minute, %.2f s of sound" % (
                                        found[0], found[1], silent_per_minute(found), found[2]),
                                    loads[-1]), flush=True)
                                time.sleep(0.5)
                    stolen = steal.percent()
                for b in buffers:
                    summary(kind, grant, b, [(who, results[(who, b)]) for who in names], args, stolen, loads)
    finally:
        players.close()


def summary(kind, grant, buffer, named_runs, args, stolen, loads):
    granted = granted_text(grant)
    load = "%s, %s, %d ms buffer, load average %.0f-%.0f" % (kind, granted, buffer, min(loads), max(loads))
    print("gaps under %s: %d x %g s each per player, %.0f %% of CPU time stolen by the hypervisor" % (
        LOAD_NAMES[kind] + ", " + granted, args.rounds, args.seconds, stolen), flush=True)
    for who, runs in named_runs:
        missing = sum(r is None for r in runs)
        if missing:
            print("  %s: no sound in %d of %d runs" % (who, missing, len(runs)))
    # Ours beside paplay for scripts/bench-figures.sh: runs without sound have no figures.
    sounding = dict((who, [r for r in runs if r is not None]) for who, runs in named_runs)
    for other in (w for w in sounding if w not in ("ours", "paplay")):
        print(figures.line("longest silence (%s) at %s" % (other, load), "ms", [r[1] for r in sounding["ours"]],
                           [r[1] for r in sounding[other]], other))
    print(figures.line("longest silence in a %g s tone at %s" % (args.seconds, load), "ms",
                       [r[1] for r in sounding["ours"]], [r[1] for r in sounding["paplay"]], "paplay"))
    print(figures.line("silent time a minute at %s" % load, "ms",
                       [silent_per_minute(r) for r in sounding["ours"]],
                       [silent_per_minute(r) for r in sounding["paplay"]], "paplay"), flush=True)


def main():
    ci = os.environ.get("CI") == "true"
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("--before", help="another build's program, measured beside ours in the same run")
    parser.add_argument("--seconds", type=float, default=10 if ci else 60)
    parser.add_argument("--rounds", type=int, default=1 if ci else 3)
    parser.add_argument("--loads", default="sessions" if ci else "sessions,build")
    parser.add_argument("--grants", default="rt,nort", help="rt (the real-time class granted), nort (withheld)")
    parser.add_argument("--buffer", default="16", help="device buffers of both players, ms (comma separated)")
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
