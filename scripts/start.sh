#!/usr/bin/env bash
# Installs what is needed, builds Rallybox and starts it. With no set file named and none in the
# program folder it opens a demo board of generated sounds. Without a display it runs on a
# virtual one (Xvfb) and says so; without a sound server it starts a private one with a null sink.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "${RBX_SKIP_INSTALL:-}" != "1" ]; then
  bash "$root/scripts/install-deps.sh"
fi
# Whoever only wants to run the program is not stopped by a warning of a newer compiler.
bash "$root/scripts/build.sh" Release -DRBX_BUILD_TESTS=OFF -DRBX_WARNINGS_AS_ERRORS=OFF
source "$root/scripts/private-pulse.sh"
start_private_pulse || echo "warning: no sound server could be started"
app="$root/build/Release/src/rallybox"
home="${RALLYBOX_HOME:-$root/build/Release/src}"
mkdir -p "$home"

args=("$@")
if [ ${#args[@]} -eq 0 ] && ! compgen -G "$home/*.set" >/dev/null; then
  echo "No set file yet: opening a demo board of generated sounds (pages \"Game Day\" and \"Crowd\")."
  args=("$(bash "$root/scripts/demo-board.sh" "$home")")
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  state="$(mktemp -d /tmp/rbx-display.XXXXXX)"
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$state/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 1 100); do
    [ -s "$state/display" ] && break
    sleep 0.1
  done
  if [ ! -s "$state/display" ]; then
    echo "error: the virtual display (Xvfb) did not start"
    exit 1
  fi
  export DISPLAY=":$(tr -d '[:space:]' <"$state/display")"
  wm=""
  if command -v openbox >/dev/null 2>&1; then
    openbox --sm-disable >/dev/null 2>&1 &
    wm=$!
  fi
  trap 'kill $wm $xvfb 2>/dev/null || true; rm -rf "$state"' EXIT
  echo "No display here: Rallybox runs on the virtual display $DISPLAY (Xvfb, 1920x1080)."
  echo "Look at it with a VNC server or screenshots (DISPLAY=$DISPLAY import -window root shot.png)."
  "$app" "${args[@]}" &
  program=$!
  echo "Stop it with Ctrl+C here, or from another shell: kill $$"
  trap 'kill $program 2>/dev/null || true' INT TERM
  status=0
  wait $program || status=$?
  # A signal interrupts the first wait; the second collects the program's end.
  wait $program 2>/dev/null || true
  exit $status
fi
exec "$app" "${args[@]}"
