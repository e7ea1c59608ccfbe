#!/usr/bin/env bash
# CPU while one MP3 plays (whole process against paplay, and the window's thread) and idle:
#   bench/playing_cpu.sh [build dir] [seconds per run] [runs]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build/RelWithDebInfo}" && pwd)"
unset QT_QPA_PLATFORM PULSE_SERVER WAYLAND_DISPLAY
exec /usr/bin/python3 "$here/playing_cpu.py" "$build/src/rallybox" "${2:-6}" "${3:-3}"
