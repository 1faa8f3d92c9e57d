#!/usr/bin/env bash
# fuzz.sh [SECONDS]: builds the fuzz targets with clang and libFuzzer (plus
# ASan and UBSan) in build/fuzz and runs each for SECONDS (default
# $FUZZ_SECONDS, else 60), starting from the corpus kept in
# tests/fuzz/corpus/<target>. New inputs collect in build/fuzz/corpus, a
# failing input in build/fuzz/artifacts; any failure fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-${FUZZ_SECONDS:-60}}
jobs=$(nproc)

scripts/deps.sh

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"

# The targets write velm.ini files by the thousand: keep them in memory.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

rc=0
for target in portable_profile stored_integer; do
  work=build/fuzz/corpus/$target
  log=build/fuzz/$target.log
  mkdir -p "$work" build/fuzz/artifacts
  echo "fuzz: $target for $seconds s (log: $log)"
  # libFuzzer ends itself after max_total_time; the timeout only guards
  # against a hang of the whole run.
  if ! timeout --kill-after=10 $((seconds + 120)) "build/fuzz/tests/fuzz/${target}_fuzz" \
      -max_total_time="$seconds" -max_len=8192 -timeout=10 -print_final_stats=1 \
      -artifact_prefix="build/fuzz/artifacts/$target-" "$work" "tests/fuzz/corpus/$target" \
      >"$log" 2>&1; then
    echo "fuzz: $target FAILED; see $log and build/fuzz/artifacts"
    rc=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  echo "fuzz: $target: ${runs:-?} executions, corpus of $(ls "$work" | wc -l) new inputs"
done
exit $rc
