#!/usr/bin/env bash
# Idle CPU of the whole program with a full board: bench/idle_cpu.sh [build dir] [seconds] [runs]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build/RelWithDebInfo}" && pwd)"
unset QT_QPA_PLATFORM PULSE_SERVER WAYLAND_DISPLAY
exec /usr/bin/python3 "$here/idle_cpu.py" "$build/src/rallybox" "${2:-20}" "${3:-3}"
