#!/usr/bin/env python3
"""Whole-process start-up: from the moment the process is started to the main window's first
completed paint with a full board, as the operator waits for it. Runs the real program several
times on the display given (DISPLAY) with a private program folder, and reports min/median/max of
the whole and of its steps (to main(), QApplication, the windows, the first paint).
Standard library only."""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def run_once(program, set_file, home, env):
    start = time.time_ns()
    out = subprocess.run([program, set_file], env=env, capture_output=True, text=True, timeout=60,
                         cwd=home).stdout
    marks = {}
    for line in out.splitlines():
        parts = line.split()
        if len(parts) == 2 and parts[1].isdigit():
            marks[parts[0]] = int(parts[1])
    if "painted" not in marks:
        raise RuntimeError("no paint reported:\n" + out)
    steps = {"process": start}
    steps.update(marks)
    return steps


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--program", required=True)
    p.add_argument("--writer", required=True, help="bench_full_board_writer")
    p.add_argument("--runs", type=int, default=15)
    args = p.parse_args()
    home = tempfile.mkdtemp(prefix="rbx-startup.")
    try:
        set_file = os.path.join(home, "Full.set")
        subprocess.run([args.writer, set_file], check=True, timeout=60)
        env = dict(os.environ, RBX_STARTUP_PROBE="1", RALLYBOX_HOME=home)
        # The first run fills the file and library caches; it is reported apart as the cold one.
        runs = [run_once(args.program, set_file, home, env) for _ in range(args.runs + 1)]
        order = ["process", "main", "application", "windows", "shown", "painted"]
        def span(r, a, b):
            return (r[b] - r[a]) / 1e6
        print("cold (first run): %.1f ms to the first paint" % span(runs[0], "process", "painted"))
        warm = runs[1:]
        for a, b in zip(order, order[1:]):
            values = [span(r, a, b) for r in warm if a in r and b in r]
            if values:
                print("%-12s -> %-8s min %6.1f  median %6.1f  max %6.1f ms" % (
                    a, b, min(values), statistics.median(values), max(values)))
        whole = [span(r, "process", "painted") for r in warm]
        print("process start -> first paint: min %.1f / median %.1f / max %.1f ms (n=%d)" % (
            min(whole), statistics.median(whole), max(whole), len(whole)))
    finally:
        shutil.rmtree(home, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
