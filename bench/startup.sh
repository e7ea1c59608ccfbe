#!/usr/bin/env bash
# Whole-process start-up of the real program on a full board of real sound files, against a bare
# Qt window and a bare Qt board started the same way, warm and cold, seen from outside
# (bench/startup.py):
#   bench/startup.sh [build dir] [warm runs] [cold runs] [--other NAME=PROGRAM ...]
# (--other runs another build in the same rounds, e.g. before=/path/to/older/src/rallybox)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build/RelWithDebInfo}" && pwd)"
runs="${2:-10}"
cold="${3:-5}"
shift $(($# < 3 ? $# : 3))
exec /usr/bin/python3 "$here/startup.py" --program "$build/src/rallybox" --bare "$build/bench/startup_bare_window" \
  --bare-board "$build/bench/startup_bare_board" --writer "$build/bench/bench_full_board_writer" --runs "$runs" --cold-runs "$cold" "$@"
