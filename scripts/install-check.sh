#!/usr/bin/env bash
# Installs a build into a fresh temporary prefix (cmake --install) and starts the installed program
# on the demo board, offscreen, to prove that it finds its decoder and output modules and help pages
# there, keeps its files in the user's data folder, and plays a sound. Exits non-zero on any failure.
# Usage: install-check.sh [build type]   (default RelWithDebInfo; the build must exist)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
type="${1:-RelWithDebInfo}"
build="$root/build/$type"
work="$(mktemp -d /tmp/rbx-install-check.XXXXXX)"
prefix="$work/prefix"
started_pulse=0
cleanup() {
  if [ "$started_pulse" = 1 ]; then stop_private_pulse; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "install check: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install failed"; }
program="$prefix/bin/rallybox"
[ -x "$program" ] || fail "no program at $program"
module="$(find "$prefix/lib" -name librbx_decoder.so -path '*/rallybox/*' | head -n 1)"
[ -n "$module" ] || fail "no decoder module under $prefix/lib/*/rallybox"
[ ! -e "$prefix/bin/librbx_decoder.so" ] || fail "the module lies beside the program"
outputs="$(find "$prefix/lib" -name librbx_output.so -path '*/rallybox/*' | head -n 1)"
[ -n "$outputs" ] || fail "no output module under $prefix/lib/*/rallybox"
for file in share/rallybox/RBXHelp.html share/rallybox/RBXVersions.html share/applications/rallybox.desktop \
  share/icons/hicolor/scalable/apps/rallybox.svg; do
  [ -s "$prefix/$file" ] || fail "$file was not installed"
done
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$prefix/share/applications/rallybox.desktop" || fail "the desktop entry is not valid"
fi

# shellcheck source=private-pulse.sh
source "$root/scripts/private-pulse.sh"
if ! pactl info >/dev/null 2>&1; then
  start_private_pulse && started_pulse=1 || echo "install check: no sound server; the program plays on no device"
fi

mkdir -p "$work/board" "$work/data"
set_file="$(bash "$root/scripts/demo-board.sh" "$work/board")"
status=0
(cd "$work" && env -u RALLYBOX_HOME XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen RBX_INSTALL_PROBE=1 \
  timeout 40 "$program" "$set_file") >"$work/probe.log" 2>"$work/probe.err" || status=$?
cat "$work/probe.log"
if [ "$status" != 0 ]; then
  tail -n 20 "$work/probe.err" >&2
  fail "the installed program's check ended with $status"
fi
loaded="$(sed -n 's/^decoder //p' "$work/probe.log")"
[ -n "$loaded" ] && [ "$(realpath "$loaded")" = "$(realpath "$module")" ] ||
  fail "the program did not load the installed module $module"
loaded="$(sed -n 's/^output //p' "$work/probe.log")"
[ -n "$loaded" ] && [ "$(realpath "$loaded")" = "$(realpath "$outputs")" ] ||
  fail "the program did not load the installed module $outputs"
grep -qx "help $prefix/share/rallybox/RBXHelp.html" "$work/probe.log" || fail "the help page was not found"
grep -qx "folder $work/data/Rallybox/" "$work/probe.log" || fail "the program folder is not the user's data folder"
grep -q "^played " "$work/probe.log" || fail "no sound played"
echo "install check: passed ($prefix)"
