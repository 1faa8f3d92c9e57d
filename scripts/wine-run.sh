#!/usr/bin/env bash
# wine-run.sh PROGRAM.exe [ARGS...]: the Windows tree's emulator, through
# which ctest starts every test program. Uses the test prefix of the build
# tree (VELM_TEST_PREFIX) and the display the test script set up.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
ensure_prefix "${VELM_TEST_PREFIX:-$(dirname "$1")/wineprefix}"
# A test program must end on its own; the timeout only guards against a hang.
exec timeout --kill-after=10 600 wine "$@"
