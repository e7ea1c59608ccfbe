# Sourced by the run and test scripts: starts a private PulseAudio daemon with a null sink when
# the machine has no sound server, so ALSA's default device (and PortAudio with it) reaches it.
start_private_pulse() {
  if pactl info >/dev/null 2>&1; then
    return 0
  fi
  command -v pulseaudio >/dev/null 2>&1 || return 1
  export XDG_RUNTIME_DIR="${RBX_PULSE_DIR:-$(mktemp -d /tmp/rbx-pulse.XXXXXX)}"
  chmod 700 "$XDG_RUNTIME_DIR"
  export PULSE_RUNTIME_PATH="$XDG_RUNTIME_DIR/pulse"
  pulseaudio --daemonize=yes --exit-idle-time=-1 --system=false --disallow-exit \
    -n --load="module-native-protocol-unix" --load="module-null-sink sink_name=rbx_null" \
    --load="module-always-sink" >/dev/null 2>&1 || return 1
  for _ in $(seq 1 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
  pactl set-default-sink rbx_null >/dev/null 2>&1 || true
  pactl info >/dev/null 2>&1
}

stop_private_pulse() {
  pulseaudio --kill >/dev/null 2>&1 || true
}
