#!/usr/bin/env bash
# Runs every benchmark once, briefly, and prints its figures: the Google Benchmark programs and the
# whole-process scripts (start-up, idle CPU, output gaps and latency). A figure never fails the run;
# a benchmark that does not run to its end does.   scripts/bench-figures.sh [build type]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/${1:-RelWithDebInfo}"
export QT_QPA_PLATFORM=offscreen
status=0
run() {
  echo "--- $*"
  "$@" || { echo "benchmark failed: $*"; status=1; }
}
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue # CMake's own folders share the prefix
  case "$(basename "$b")" in
    bench_output_probe|bench_full_board_writer) continue ;; # helpers of the scripts below
  esac
  run "$b" --benchmark_min_time=0.05
done
run bash "$root/bench/startup.sh" "$build" 5
run bash "$root/bench/idle_cpu.sh" "$build" 10 1
run bash "$root/bench/measure_output.sh" "$build" --long 10 --five 10 --trials 10
exit $status
