#!/usr/bin/env bash
# Runs the black-box suite against a built program: a virtual display (Xvfb) with openbox, a
# private PulseAudio daemon with a null sink, input through the X server, the sink's monitor
# recorded and measured. Usage: blackbox.sh [BUILD_TYPE] [--stress]
# (RelWithDebInfo runs the suite; --stress runs the random-input stress test instead.)
# Ends with "N passed, N failed" and a non-zero status on failure.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
type="${1:-RelWithDebInfo}"
mode="${2:-}"
app="$root/build/$type/src/rallybox"
if [ ! -x "$app" ]; then
  echo "no program at $app: build it first (scripts/build.sh $type)"
  echo "0 passed, 1 failed"
  exit 1
fi
python="/usr/bin/python3"
[ -x "$python" ] || python="python3"
for tool in Xvfb openbox xdotool import parec paplay pulseaudio sox; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "missing $tool: run scripts/install-deps.sh"
    echo "0 passed, 1 failed"
    exit 1
  fi
done
# The runs bring up their own display and sound server; nothing of the caller's may leak in.
unset QT_QPA_PLATFORM PULSE_SERVER WAYLAND_DISPLAY
# The stand-in for a file manager that the drop cases drag files from (built with the tests).
dragsource="$root/build/$type/tests/blackbox/dragsource/rbx_dragsource"
if [ -x "$dragsource" ]; then
  export RBX_DRAGSOURCE="$dragsource"
fi
# The slow storage the slow-storage cases preload into the program (built with the tests).
slowstorage="$root/build/$type/tests/blackbox/slowstorage/librbx_slowstorage.so"
if [ -f "$slowstorage" ]; then
  export RBX_SLOWSTORAGE="$slowstorage"
fi
cd "$root/tests/blackbox"
if [ "$mode" = "--stress" ]; then
  exec timeout 900 "$python" stress.py "$app"
fi
exec timeout 1500 "$python" suite.py "$app"
