#!/usr/bin/env bash
# dist.sh: builds velm.exe in Release and writes dist/velm-<version>-win64.zip
# (velm.exe and readme.txt) with dist/SHA256SUMS beside it. The version is
# the one of the version record in res/velm.rc; scripts/package.sh packs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build/win -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" >/dev/null
cmake --build build/win -j "$(nproc)" --target dist
