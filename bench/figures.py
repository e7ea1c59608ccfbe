#!/usr/bin/env python3
"""Our figures beside their peers' from the same run, one line each:
    figure <name> (<unit>): ours <min>/<median>/<max> / peer <min>/<median>/<max> (min/median/max; peer: <what>)
scripts/bench-figures.sh collects the lines that start with "figure " from everything it runs.

As a program it reads Google Benchmark JSON files and prints such a line for every benchmark that
reports the counters ours_min/_median/_max and peer_min/_median/_max (bench/SideBySide.h); it exits
1 when a benchmark stopped with an error or a file holds no benchmark.
    bench/figures.py <benchmark json>...
"""
import json
import statistics
import sys


def spread(values):
    return "%.3g/%.3g/%.3g" % (min(values), statistics.median(values), max(values))


def text(name, unit, ours, peer, peer_name):
    """ours, peer: "min/median/max" texts."""
    return "figure %s (%s): ours %s / peer %s (min/median/max; peer: %s)" % (name, unit, ours, peer, peer_name)


def line(name, unit, ours, peer, peer_name):
    """One figure line from the two sides' values (lists of numbers); "none" for a side without any."""
    return text(name, unit, spread(ours) if ours else "none", spread(peer) if peer else "none", peer_name)


def from_benchmark_json(path):
    """Figure lines of one benchmark output file, and whether every benchmark in it ran."""
    with open(path) as f:
        data = json.load(f)
    benchmarks = data.get("benchmarks", [])
    ok = bool(benchmarks)
    if not ok:
        print("no benchmark ran: %s" % path)
    lines = []
    for b in benchmarks:
        if b.get("error_occurred"):
            print("benchmark failed: %s: %s" % (b.get("name"), b.get("error_message")))
            ok = False
            continue
        if "ours_median" not in b or "peer_median" not in b:
            continue
        name = b.get("run_name", b.get("name", "?")).split("/iterations:")[0]
        unit, _, peer = b.get("label", "").partition("; peer: ")
        ours = "%.3g/%.3g/%.3g" % (b["ours_min"], b["ours_median"], b["ours_max"])
        peer_values = "%.3g/%.3g/%.3g" % (b["peer_min"], b["peer_median"], b["peer_max"])
        lines.append(text(name, unit, ours, peer_values, peer or "?"))
    return lines, ok


def main(paths):
    status = 0
    for path in paths:
        try:
            lines, ok = from_benchmark_json(path)
        except (OSError, ValueError) as e:
            print("benchmark output unreadable: %s: %s" % (path, e))
            lines, ok = [], False
        for text in lines:
            print(text)
        if not ok:
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
