#!/usr/bin/env bash
# Builds both trees and runs every test: host tests (ASan + UBSan), then the
# Windows test programs and end-to-end tests under Wine on a display.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/deps.sh

cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/host -j "$jobs"
ctest --test-dir build/host --output-on-failure -j "$jobs"

cmake -S . -B build/win -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" >/dev/null
cmake --build build/win -j "$jobs"
# The release zip in dist/, as make dist writes it: its test checks it.
cmake --build build/win -j "$jobs" --target dist

# One prefix and one wineserver for the whole Wine run; the programs share the
# single-instance mutex, so they run one at a time.
export VELM_TEST_PREFIX="$PWD/build/win/wineprefix"
scripts/with-display.sh bash -c '
  source scripts/wine-env.sh
  ensure_prefix "$VELM_TEST_PREFIX"
  rc=0
  ctest --test-dir build/win --output-on-failure || rc=$?
  timeout 30 wineserver -k 2>/dev/null || true
  exit $rc'
