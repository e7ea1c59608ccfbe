#!/usr/bin/env bash
# Runs every benchmark once, briefly, and prints each of our figures beside its peer's from the same
# run (measured in alternating rounds), one line each, with the load average:
#   <name> (<unit>): ours <min>/<median>/<max> / peer <min>/<median>/<max> (min/median/max; peer: <what>)
# Figures are reported, not judged: a slow one never fails the run; a benchmark that cannot run to
# its end does. About four minutes; rerun it on a quiet machine for figures to quote.
#   scripts/bench-figures.sh [build type]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/${1:-RelWithDebInfo}"
export QT_QPA_PLATFORM=offscreen
work="$(mktemp -d /tmp/rbx-bench-figures.XXXXXX)"
trap 'rm -rf "$work"' EXIT
log="$work/log"
load_at_start="$(cut -d' ' -f1-3 /proc/loadavg)"
status=0
# Runs one benchmark, its output to the log; every line it prints that starts with "figure " goes
# to the summary at the end.
run() {
  echo "--- $*" | tee -a "$log"
  "$@" 2>&1 | tee -a "$log" || { echo "benchmark failed: $*" | tee -a "$log"; status=1; }
}

# The Google Benchmark programs. Those that measure ours beside a peer report it in counters
# (bench/SideBySide.h) that bench/figures.py turns into figure lines; it fails on an error inside.
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue # CMake's own folders share the prefix
  name="$(basename "$b")"
  case "$name" in
    bench_output_probe|bench_pulse_simple_probe|bench_full_board_writer) continue ;; # helpers of the scripts
  esac
  run "$b" --benchmark_min_time=0.05 --benchmark_out="$work/$name.json" --benchmark_out_format=json
done
shopt -s nullglob
jsons=("$work"/*.json)
[ ${#jsons[@]} -gt 0 ] || { echo "no benchmark program found in $build/bench"; status=1; }
run /usr/bin/python3 "$root/bench/figures.py" "${jsons[@]}"

# The first sound on a private sound server's monitor: a whole process against paplay, and the
# engine's play call against a plain write in a running process.
run bash "$root/bench/measure_output.sh" "$build" --first-sound-only --trials 10

# ---- Figures of the other measurements (gaps, CPU while playing, start-up, cold seek) ----------
# Each adds its command here; it prints its figures as lines that start with "figure " in the
# format above (bench/figures.py's line() makes one from two lists of values) and fails only when
# it cannot run. Until those come, the earlier scripts run here as they were.
run bash "$root/bench/startup.sh" "$build" 5 3
run bash "$root/bench/output_gaps.sh" "$build"
run bash "$root/bench/playing_cpu.sh" "$build" 5 2
run bash "$root/bench/measure_output.sh" "$build" --long 10 --five 10 --trials 10 --skip-first-sound
# ---- end of the other measurements' figures -----------------------------------------------------

echo
echo "=== Figures: ours beside the peer's from the same run (load average at start $load_at_start," \
  "at end $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores)"
grep '^figure ' "$log" | sed 's/^figure //' || echo "(no figures)"
[ "$status" -eq 0 ] || echo "a benchmark failed: see 'benchmark failed' above"
exit $status
