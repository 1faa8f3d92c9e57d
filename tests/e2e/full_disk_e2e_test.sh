#!/usr/bin/env bash
# full_disk_e2e_test.sh SHELL_TEST_EXE VELM_EXE WORK_DIR: velm.exe on a full
# disk. As root it mounts a tmpfs of exactly velm.exe's and velm.ini's pages
# as the program's folder, once with no free entry (velm.ini is rewritten in
# place) and once with room for a copy of velm.ini but not for the larger
# file a new backup makes; ShellTest.OnAFullDisk* then runs velm.exe there.
# Root ignores read-only bits, so only a real full disk refuses it.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-env.sh"
ensure_prefix "$VELM_TEST_PREFIX"

folder="$3/full_disk"
mkdir -p "$folder"
ini=$(mktemp)
trap 'mountpoint -q "$folder" && umount "$folder"; rm -f "$ini"' EXIT
trap 'exit 1' INT TERM
if ! mount -t tmpfs -o size=4k tmpfs "$folder" 2>/dev/null; then
  echo "SKIP: a tmpfs cannot be mounted here (root and mount rights are needed)"
  exit 77
fi
umount "$folder"

# 4,080 bytes, one page; the backup of a new history pushes it past it.
{
  printf '[OldUrl1]\r\nurl1=http://old/\r\n[OldUrl2]\r\n'
  for n in $(seq 25); do printf 'url%d=http://%0150d/\r\n' "$n" 0; done
} | head -c 4080 >"$ini"
pages() { echo $((($(stat -c %s "$1") + 4095) / 4096)); }
rc=0
for room in 0 1; do
  # Inodes: the folder, velm.exe, velm.ini, and a temporary file with room.
  mount -t tmpfs -o "size=$((($(pages "$2") + 1 + room) * 4096)),nr_inodes=$((3 + room))" \
    tmpfs "$folder" || exit 1
  cp "$2" "$folder/velm.exe" && cp "$ini" "$folder/velm.ini" || rc=1
  VELM_FULL_DISK="$folder" timeout --kill-after=10 600 wine "$1" \
    --gtest_filter='ShellTest.OnAFullDisk*' || rc=1
  umount "$folder" || rc=1
done
exit $rc
