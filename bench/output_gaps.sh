#!/usr/bin/env bash
# Gaps in a long tone under load, the real program against paplay at the same device buffer:
#   bench/output_gaps.sh [build dir] [--seconds S] [--rounds N] [--loads half,all,build] [--buffer ms,ms]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build/RelWithDebInfo}" && pwd)"
shift || true
unset QT_QPA_PLATFORM PULSE_SERVER WAYLAND_DISPLAY
exec /usr/bin/python3 "$here/output_gaps.py" "$build/src/rallybox" "$@"
