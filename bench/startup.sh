#!/usr/bin/env bash
# Whole-process start-up time of the real program on a full board, on a private virtual display
# and a private sound server:  bench/startup.sh [build dir] [runs]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build/RelWithDebInfo}" && pwd)"
runs="${2:-15}"
work="$(mktemp -d /tmp/rbx-startup-run.XXXXXX)"
export RBX_PULSE_DIR="$work/run" XDG_RUNTIME_DIR="$work/run" PULSE_RUNTIME_PATH="$work/run/pulse"
mkdir -p "$RBX_PULSE_DIR"
# shellcheck source=../scripts/private-pulse.sh
. "$here/../scripts/private-pulse.sh"
trap 'stop_private_pulse; rm -rf "$work"' EXIT
start_private_pulse || echo "no sound server: the program starts on its fallback device" >&2
# A session bus, as on an operator's desktop: without one each start forks a bus launcher.
bus=()
if command -v dbus-run-session >/dev/null 2>&1; then
  bus=(dbus-run-session --)
fi
"${bus[@]}" xvfb-run -a -s "-screen 0 1920x1080x24" /usr/bin/python3 "$here/startup.py" \
  --program "$build/src/rallybox" --writer "$build/bench/bench_full_board_writer" --runs "$runs"
