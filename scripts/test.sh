#!/usr/bin/env bash
# Builds both trees and runs every test: host tests (ASan + UBSan), then the
# Windows test programs and end-to-end tests under Wine on a display.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/deps.sh

# Every source as .clang-format lays it out.
find src tests \( -name '*.cpp' -o -name '*.h' \) -not -path 'tests/fuzz/corpus/*' -print0 |
  xargs -0 clang-format --dry-run -Werror

cmake --preset host >/dev/null
cmake --build --preset host -j "$jobs"
ctest --preset host -j "$jobs"

cmake --preset win >/dev/null
cmake --build --preset win -j "$jobs"
# The release zip in dist/, as make dist writes it: its test checks it.
cmake --build --preset win -j "$jobs" --target dist

# One prefix and one wineserver for the whole Wine run; the programs share the
# single-instance mutex, so they run one at a time (the preset's one job).
export VELM_TEST_PREFIX="$PWD/build/win/wineprefix"
scripts/with-display.sh bash -c '
  source scripts/wine-env.sh
  ensure_prefix "$VELM_TEST_PREFIX"
  rc=0
  ctest --preset win || rc=$?
  timeout 30 wineserver -k 2>/dev/null || true
  exit $rc'
