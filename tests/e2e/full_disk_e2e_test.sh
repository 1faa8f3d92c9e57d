#!/usr/bin/env bash
# full_disk_e2e_test.sh SHELL_TEST_EXE VELM_EXE WORK_DIR: velm.exe in a tmpfs
# of exactly its and velm.ini's pages, mounted as root (who ignores read-only
# bits): with no free entry (velm.ini is rewritten in place), then with room
# for a copy of velm.ini but not for the larger file a new backup makes.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
ensure_prefix "$VELM_TEST_PREFIX"
folder="$3/full_disk"
mkdir -p "$folder"
trap 'mountpoint -q "$folder" && umount "$folder"' EXIT
trap 'exit 1' INT TERM
pages=$((($(stat -c %s "$2") + 4095) / 4096 + 1))
rc=0
for room in 0 1; do
  if ! mount -t tmpfs -o "size=$(((pages + room) * 4096)),nr_inodes=$((3 + room))" tmpfs "$folder"; then
    echo "SKIP: no tmpfs can be mounted here (it takes root)"
    exit 77
  fi
  cp "$2" "$folder/velm.exe"
  # One page, 4,080 bytes, that a new backup outgrows.
  { printf '[OldUrl1]\r\nurl1=http://old/\r\n[OldUrl2]\r\n' && printf 'url%d=%0160d\r\n' \
    $(seq 25 | sed 's/$/ 0/'); } | head -c 4080 >"$folder/velm.ini"
  VELM_FULL_DISK="$folder" timeout -k 10 600 wine "$1" --gtest_filter='ShellTest.OnAFullDisk*' || rc=1
  umount "$folder" || rc=1
done
exit $rc
