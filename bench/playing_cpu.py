#!/usr/bin/env python3
"""CPU while one sound plays, whole process against whole process: the real rallybox with a full
board on a virtual display (openbox, session bus) and a private sound server, playing one MP3
from a slot, against paplay playing the same file into the same server at the same device buffer
(--latency-msec/--process-time-msec = the output's buffer and period), in alternating runs. Also
the window's thread alone while the MP3 plays, beside a bare Qt window that moves two meters of
the same size at the display's rate (bench/bare_window/meters.cpp, built with RBX_BUILD_BENCH),
the engine's audio threads while it plays, and the whole idle program. CPU time is read from each
thread's /proc schedstat (nanoseconds), summed over the process's threads.
Prints one line per comparison: 'ours X % / peer Y %' (min/median/max of the runs).
With RBX_PLAYING_CPU_OTHER=<another build's rallybox> that build plays in the same rounds as ours
(before/after), each started afresh in its turn.
With RBX_PLAYING_CPU_RATES="30 20" the window's thread is also measured at lower drawing rates (frames
a second): ours with the MeterRate that gives that rate, beside the bare window at the same rate.
   bench/playing_cpu.sh [build dir] [seconds per run] [runs]"""
import os
import statistics
import subprocess
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "blackbox"))
import bbenv  # noqa: E402
import board  # noqa: E402
import figures  # noqa: E402
import session  # noqa: E402

# The output's device buffer and period (OutputDevice's defaults, or the same overrides).
BUFFER_MS = int(os.environ.get("RBX_OUTPUT_BUFFER_MS", "16"))
PERIOD_MS = min(BUFFER_MS, int(os.environ.get("RBX_OUTPUT_PERIOD_MS", "4")))
SETTLE_S = 1.0  # the stream's start is not what is measured


def run_ns(pid, tid):
    with open("/proc/%d/task/%s/schedstat" % (pid, tid)) as f:
        return int(f.read().split()[0])


def cpu_ns(pid):
    """CPU time of each thread of a process, by thread id."""
    out = {}
    for tid in os.listdir("/proc/%d/task" % pid):
        try:
            out[tid] = run_ns(pid, tid)
        except OSError:
            pass  # a thread that just ended
    return out


# The engine's own threads: the output (mixing, the sound server's client) and the decoding ahead.
AUDIO_THREADS = ("rbx-output", "rbx-feeder")


def thread_name(pid, tid):
    try:
        with open("/proc/%d/task/%s/comm" % (pid, tid)) as f:
            return f.read().strip()
    except OSError:
        return ""


def measure(pid, seconds):
    """Shares of one core over the next seconds: (whole process, the main thread, the audio threads)."""
    before, start = cpu_ns(pid), time.monotonic()
    time.sleep(seconds)
    after, elapsed = cpu_ns(pid), time.monotonic() - start
    used = {tid: ns - before.get(tid, 0) for tid, ns in after.items()}
    whole = sum(used.values())
    main = used.get(str(pid), 0)
    audio = sum(ns for tid, ns in used.items() if thread_name(pid, tid) in AUDIO_THREADS)
    share = lambda ns: ns / 1e9 / elapsed * 100.0  # noqa: E731
    return share(whole), share(main), share(audio)


def music(path, seconds):
    """A stereo MP3 whose level moves all the time, as music's does, so the meters move."""
    expr = ("0.5*sin(2*PI*440*t)*(0.55+0.45*sin(2*PI*1.3*t))|"
            "0.5*sin(2*PI*660*t)*(0.55+0.45*sin(2*PI*0.7*t))")
    subprocess.run(["ffmpeg", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                    "aevalsrc=%s:s=44100:d=%.1f" % (expr, seconds), "-b:a", "192k", path],
                   check=True, timeout=60)
    return path


def ours_once(s, seconds):
    s.click_point(s.slot_point(1, 0.5, 0.25))
    time.sleep(SETTLE_S)
    figures = measure(s.program.proc.pid, seconds)
    # The sound ends by itself shortly after: the next run starts from the same state.
    time.sleep(1.5)
    return figures


def paplay_once(path, seconds):
    proc = subprocess.Popen(["paplay", "--latency-msec=%d" % BUFFER_MS, "--process-time-msec=%d" % PERIOD_MS,
                             path], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(SETTLE_S)
        if proc.poll() is not None:
            raise RuntimeError("paplay ended early (exit %s)" % proc.returncode)
        return measure(proc.pid, seconds)[0]
    finally:
        proc.wait(seconds + 10)


def bare_meters_once(program, seconds, hz=None):
    """The window thread's peer: a bare Qt window moving two meters at the display's rate (or hz)."""
    proc = subprocess.Popen([program] + ([str(hz)] if hz else []), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(SETTLE_S + 1.0)  # shown and framed by the window manager first
        if proc.poll() is not None:
            raise RuntimeError("the bare meters window ended early (exit %s)" % proc.returncode)
        return measure(proc.pid, seconds)[1]
    finally:
        proc.kill()
        proc.wait(10)


def spread(values):
    return "%.2f %% (min %.2f, max %.2f)" % (statistics.median(values), min(values), max(values))


def playing_session(binary, root, path, hz=None, name=None):
    """The real program with a full board, the MP3 on slot 1; hz: a lower drawing rate by MeterRate."""
    name = name or ("playing" if hz is None else "playing%d" % hz)
    values = None if hz is None else {"MeterRate": str(round(1000 / hz))}
    s = session.Session(binary, root, name, option_values=values,
                        board_maker=lambda home: board.full_board(home, odd_files={1: path})).start()
    ours_once(s, 1.0)  # the first play opens the output and caches the file
    return s


def window_at_rates(binary, bare, root, path, seconds, runs):
    """The window's thread at each lower rate asked for, ours and the bare window alternately."""
    for hz in [int(r) for r in os.environ.get("RBX_PLAYING_CPU_RATES", "").split()]:
        s = playing_session(binary, root, path, hz)
        try:
            ours, peer = [], []
            for _ in range(runs):
                ours.append(ours_once(s, seconds)[1])
                if os.path.exists(bare):
                    peer.append(bare_meters_once(bare, seconds, hz))
        finally:
            s.program.kill()
        print("two meters moving at %d Hz, window thread: ours %s / peer bare Qt window %s"
              % (hz, spread(ours), spread(peer) if peer else "not built"))


def other_build(binary, other, bare, root, path, seconds, runs):
    """Another build (before/after) in the same rounds as ours and the bare window: in each round
    each build starts afresh on the same board, plays the MP3 once to open its output, then once
    measured."""
    taken = {binary: [], other: []}
    bare_window = []
    for i in range(runs):
        for b, name in ((binary, "ours"), (other, "other")):
            s = playing_session(b, root, path, name="%s%d" % (name, i))
            try:
                taken[b].append(ours_once(s, seconds))
            finally:
                s.program.kill()
        if os.path.exists(bare):
            bare_window.append(bare_meters_once(bare, seconds))
    print("load average %s; ours against the other build %s"
          % (" ".join(open("/proc/loadavg").read().split()[:3]), other))
    print("one MP3 playing, window thread: ours %s / other build %s / bare Qt window %s"
          % (spread([f[1] for f in taken[binary]]), spread([f[1] for f in taken[other]]),
             spread(bare_window) if bare_window else "not built"))
    print("one MP3 playing, whole process: ours %s / other build %s"
          % (spread([f[0] for f in taken[binary]]), spread([f[0] for f in taken[other]])))


def main():
    binary = os.path.abspath(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 6.0
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    bare = os.path.join(os.path.dirname(os.path.dirname(binary)), "bench", "playing_bare_meters")
    root = bbenv.temp_root()
    desktop, sound, s = bbenv.Desktop(), bbenv.SoundServer(root), None
    try:
        desktop.start()
        sound.start()
        path = music(os.path.join(root, "music.mp3"), SETTLE_S + seconds + 0.5)
        s = playing_session(binary, root, path)
        whole, window, audio, peer, bare_window = [], [], [], [], []
        for _ in range(runs):
            w, m, a = ours_once(s, seconds)
            whole.append(w)
            window.append(m)
            audio.append(a)
            peer.append(paplay_once(path, seconds))
            if os.path.exists(bare):
                bare_window.append(bare_meters_once(bare, seconds))
        time.sleep(5.0)  # the output parks after its idle stretch, as between sounds in a show
        idle = [measure(s.program.proc.pid, seconds)[0] for _ in range(runs)]
        print("load average %s; %d runs of %.0f s, device buffer %d ms in %d ms periods"
              % (" ".join(open("/proc/loadavg").read().split()[:3]), runs, seconds, BUFFER_MS, PERIOD_MS))
        print("one MP3 playing, whole process: ours %s / peer paplay %s" % (spread(whole), spread(peer)))
        print("one MP3 playing, window thread: ours %s / peer (the aim) 1 %%" % spread(window))
        print("two meters moving at the display's rate, window thread: ours (as above) %s / peer bare Qt window %s"
              % (spread(window), spread(bare_window) if bare_window
                 else "not built (configure with -DRBX_BUILD_BENCH=ON)"))
        print("one MP3 playing, audio threads (output, decoding ahead): ours %s / peer paplay's whole process %s"
              % (spread(audio), spread(peer)))
        print("idle, whole process: ours %s / peer (the other show player, as measured) 0.2-0.8 %%" % spread(idle))
        # The same for scripts/bench-figures.sh. A player with a window pays at least paplay's
        # output and the bare window's meters: their sum, round by round, is the last peer.
        unit = "% of a core"
        print(figures.line("one MP3 playing, whole process", unit, whole, peer, "paplay"))
        if bare_window:
            print(figures.line("one MP3 playing, window thread", unit, window, bare_window,
                               "bare Qt window moving two meters"))
            print(figures.line("one MP3 playing, whole process", unit, whole,
                               [p + b for p, b in zip(peer, bare_window)],
                               "paplay plus the bare Qt meters window, same round"))
        print(figures.line("one MP3 playing, audio threads", unit, audio, peer, "paplay's whole process"))
        s.program.kill()
        s = None
        other = os.environ.get("RBX_PLAYING_CPU_OTHER")
        if other:
            other_build(binary, os.path.abspath(other), bare, root, path, seconds, runs)
        window_at_rates(binary, bare, root, path, seconds, runs)
    finally:
        if s is not None:
            s.program.kill()
        sound.stop()
        desktop.stop()
        bbenv.remove_tree(root)
    return 0


if __name__ == "__main__":
    sys.exit(main())
