#!/usr/bin/env bash
# bench.sh [--runs N] [--settle MS]: builds velm.exe in Release and times its
# start-up and close under Wine against two floor programs (one window; and
# velm.exe's own windows and nothing else), for the empty, the realistic, the
# 300 KB and the 3 MB case, with the split of where the time goes; then runs
# the host micro-benchmarks of the settings document over the portable file.
# Prints figures.
#
# Wine runs on a private Xvfb (or $DISPLAY) in its own prefix,
# build/bench-prefix, which nothing else uses.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

scripts/deps.sh

cmake --preset win >/dev/null
cmake --build --preset win -j "$jobs" --target velm_bench

# Timing wants the optimised code without the sanitizers of build/host.
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$jobs" --target ini_rotation_bench

export VELM_BENCH_PREFIX="$root/build/bench-prefix"
echo "== velm.exe under Wine"
scripts/with-display.sh bash -c '
  source scripts/wine-env.sh
  ensure_prefix "$VELM_BENCH_PREFIX"
  rc=0
  timeout --kill-after=10 1800 wine build/win/tests/bench/velm_bench.exe "$@" || rc=$?
  timeout 30 wineserver -k 2>/dev/null || true
  exit $rc' bench "$@"

echo
echo "== settings document over the portable file (host)"
build/bench-host/tests/bench/ini_rotation_bench
