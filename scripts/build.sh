#!/usr/bin/env bash
# Configures and builds Rallybox into build/<type> (type: RelWithDebInfo, Release, Debug or Asan).
# Extra arguments go to cmake's configure step. Warnings are errors here, as in CI; an argument
# -DRBX_WARNINGS_AS_ERRORS=OFF switches that off.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
type="${1:-RelWithDebInfo}"
shift || true
dir="$root/build/$type"
export CCACHE_DIR="${CCACHE_DIR:-$root/.ccache}"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DRBX_WARNINGS_AS_ERRORS=ON "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
