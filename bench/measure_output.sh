#!/usr/bin/env bash
# Measures the engine's output on a private PulseAudio null sink: gaps, sample jumps, stream
# re-creations, and the first sound beside its peers (a whole process against paplay, the play call
# in a running process against a plain write), at the same device buffer in the same run.
#   bench/measure_output.sh [build dir] [extra measure_output.py arguments, e.g. --load]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build/RelWithDebInfo}" && pwd)"
shift || true
probe="$build/bench/bench_output_probe"
[ -x "$probe" ] || { echo "build bench_output_probe first ($probe)" >&2; exit 1; }
work="$(mktemp -d /tmp/rbx-measure.XXXXXX)"
export RBX_PULSE_DIR="$work/run"
mkdir -p "$RBX_PULSE_DIR"
unset PULSE_SERVER
# A private server even when the desktop has one: nothing else may play into the recording.
export XDG_RUNTIME_DIR="$RBX_PULSE_DIR"
export PULSE_RUNTIME_PATH="$RBX_PULSE_DIR/pulse"
# shellcheck source=../scripts/private-pulse.sh
. "$here/../scripts/private-pulse.sh"
trap 'stop_private_pulse; rm -rf "$work"' EXIT
start_private_pulse
/usr/bin/python3 "$here/measure_output.py" --probe "$probe" --work "$work" "$@"
