#!/usr/bin/env python3
"""CPU of the whole idle program: the real rallybox with a full board on a virtual display and a
private sound server, nothing playing. Prints the process's share of one core and each thread's,
measured from /proc over a stretch of idle time, several times.
   bench/idle_cpu.sh [build dir] [seconds] [runs]"""
import os
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "blackbox"))
import bbenv  # noqa: E402
import board  # noqa: E402
import session  # noqa: E402

TICK = os.sysconf("SC_CLK_TCK")


def ticks(stat_path):
    with open(stat_path) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def thread_ticks(pid):
    out = {}
    for tid in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/comm" % (pid, tid)) as f:
                name = f.read().strip()
            out[tid] = (name, ticks("/proc/%d/task/%s/stat" % (pid, tid)))
        except OSError:
            pass
    return out


def measure(pid, seconds):
    whole, threads = ticks("/proc/%d/stat" % pid), thread_ticks(pid)
    time.sleep(seconds)
    whole_after, threads_after = ticks("/proc/%d/stat" % pid), thread_ticks(pid)
    share = lambda t: t / TICK / seconds * 100.0  # noqa: E731
    per = {}
    for tid, (name, after) in threads_after.items():
        before = threads.get(tid, (name, 0))[1]
        # The GUI thread and PortAudio's callback thread share the program's name: keyed by id too.
        per["%s/%s" % (name, tid)] = share(after - before)
    return share(whole_after - whole), per


def main():
    binary = os.path.abspath(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 20.0
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    root = bbenv.temp_root()
    desktop = bbenv.Desktop()
    sound = bbenv.SoundServer(root)
    s = None
    try:
        desktop.start()
        sound.start()
        s = session.Session(binary, root, "idle", board_maker=board.full_board).start()
        # One sound first, so the output has run and gone idle as it does in a show.
        s.click_point(s.slot_point(1, 0.5, 0.25))
        time.sleep(5.0)
        pid = s.program.proc.pid
        for n in range(runs):
            whole, per = measure(pid, seconds)
            busy = ", ".join("%s %.2f %%" % (k, v) for k, v in sorted(per.items(), key=lambda x: -x[1]) if v > 0)
            print("idle run %d: whole process %.2f %% of a core over %.0f s; threads: %s"
                  % (n + 1, whole, seconds, busy or "none measurable"))
    finally:
        if s is not None:
            s.program.kill()
        sound.stop()
        desktop.stop()
        bbenv.remove_tree(root)
    return 0


if __name__ == "__main__":
    sys.exit(main())
