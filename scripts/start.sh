#!/usr/bin/env bash
# Installs what is needed, builds Rallybox and starts it. Without a display it runs under Xvfb;
# without a sound server it starts a private one with a null sink.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "${RBX_SKIP_INSTALL:-}" != "1" ]; then
  bash "$root/scripts/install-deps.sh"
fi
bash "$root/scripts/build.sh" Release -DRBX_BUILD_TESTS=OFF
source "$root/scripts/private-pulse.sh"
start_private_pulse || echo "warning: no sound server could be started"
app="$root/build/Release/src/rallybox"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" "$app" "$@"
fi
exec "$app" "$@"
