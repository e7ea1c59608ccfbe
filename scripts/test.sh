#!/usr/bin/env bash
# Installs what is needed, builds Rallybox and runs every test: once in the normal build and once
# under AddressSanitizer and UndefinedBehaviorSanitizer, beside which the fuzzers are built.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "${RBX_SKIP_INSTALL:-}" != "1" ]; then
  bash "$root/scripts/install-deps.sh"
fi
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

# A private sound server with a null sink, so the end-to-end audio tests have a real output device.
source "$root/scripts/private-pulse.sh"
start_private_pulse || echo "warning: no private PulseAudio server; device tests will be skipped"

status=0
for type in RelWithDebInfo Asan; do
  echo "=== Build and test: $type"
  if [ "$type" = "RelWithDebInfo" ]; then
    bash "$root/scripts/build.sh" "$type" -DRBX_BUILD_TESTS=ON -DRBX_BUILD_BENCH=ON -DRBX_WARNINGS_AS_ERRORS=ON
    # The build as a packager installs it: into a fresh prefix, started from there.
    echo "=== Install check: $type"
    bash "$root/scripts/install-check.sh" "$type" || status=1
  else
    bash "$root/scripts/build.sh" "$type" -DRBX_BUILD_TESTS=ON -DRBX_WARNINGS_AS_ERRORS=ON
    # Every fuzzer is built (not run) beside the sanitizer build, so that none of them rots
    # unseen: clang with the fuzzer's coverage and the sanitizers, the fuzz targets only.
    echo "=== Fuzzer build"
    if ! (CC=clang CXX=clang++ cmake -S "$root" -B "$root/build/Fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
            -DRBX_BUILD_FUZZ=ON -DRBX_BUILD_TESTS=OFF -DRBX_WARNINGS_AS_ERRORS=ON >/dev/null &&
          CCACHE_DIR="${CCACHE_DIR:-$root/.ccache}" cmake --build "$root/build/Fuzz" --parallel "$jobs" \
            --target rbx_fuzzers); then
      status=1
    fi
  fi
  export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  # The tests that record the real sound server's output run alone after the others: a device
  # measured while seven other test programs load every core records their stalls, not its own.
  devices='^(EngineDevices|PulseOutput)\.'
  if ! ctest --test-dir "$root/build/$type" --output-on-failure -j "$jobs" --timeout 600 -E "$devices"; then
    status=1
  fi
  if ! ctest --test-dir "$root/build/$type" --output-on-failure -j 1 --timeout 600 -R "$devices"; then
    status=1
  fi
  # The real program as an operator runs it: the suite on the normal build, the random-input
  # stress test on the sanitizer build.
  echo "=== Black-box: $type"
  if [ "$type" = "Asan" ]; then
    bash "$root/scripts/blackbox.sh" Asan --stress || status=1
  else
    bash "$root/scripts/blackbox.sh" RelWithDebInfo || status=1
    # Every benchmark once, briefly, on the build an operator runs: the figures go to the log.
    echo "=== Benchmarks: $type"
    bash "$root/scripts/bench-figures.sh" "$type" || status=1
  fi
done
stop_private_pulse || true
exit $status
