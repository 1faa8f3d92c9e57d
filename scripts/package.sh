#!/usr/bin/env bash
# package.sh EXE README VERSION OUTDIR: writes OUTDIR/velm-VERSION-win64.zip
# holding velm.exe and readme.txt, nothing else, and OUTDIR/SHA256SUMS for it.
# The build's `dist` target runs it (make dist).
#
# README is kept as UTF-8 with LF; the zip gets it in CP932 with CR LF, which
# Notepad of every Windows version reads. Its @VERSION@ becomes VERSION,
# @DATE@ the day of the last commit (UTC), and @COPYRIGHT@ the copyright line
# of the version record in res/velm.rc; its change log must have an entry for
# VERSION.
#
# The same inputs give the same bytes: both files carry the time of the last
# commit (SOURCE_DATE_EPOCH when set), go in by name, with fixed modes and no
# owner or extra time fields.
set -euo pipefail
exe=$1
readme=$2
version=$3
out=$4
root=$(cd "$(dirname "$0")/.." && pwd)

if ! grep -qxF "$version" "$readme"; then
  echo "package: the change log of $readme has no entry for $version" >&2
  exit 1
fi
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || true)}
if [ -z "$epoch" ]; then
  echo "package: no commit to date the files by; set SOURCE_DATE_EPOCH" >&2
  exit 1
fi

released=$(date -u -d "@$epoch" +%Y/%m/%d)
copyright=$(sed -n 's/^ *VALUE "LegalCopyright", "\(.*\)"/\1/p' "$root/res/velm.rc")
if [ -z "$copyright" ]; then
  echo "package: res/velm.rc has no LegalCopyright" >&2
  exit 1
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/velm.exe"
# The copyright line as sed's replacement text: its own "\", "&" and "|" kept.
copyright=$(printf '%s' "$copyright" | sed 's/[\\&|]/\\&/g')
sed -e "s|@VERSION@|$version|g" -e "s|@DATE@|$released|g" -e "s|@COPYRIGHT@|$copyright|g" \
  -e 's/$/\r/' "$readme" | iconv -f UTF-8 -t CP932 >"$stage/readme.txt"
chmod 755 "$stage/velm.exe"
chmod 644 "$stage/readme.txt"
touch -d "@$epoch" "$stage/velm.exe" "$stage/readme.txt"

name=velm-$version-win64.zip
# Zip keeps local times: UTC makes them the same on every machine.
(cd "$stage" && TZ=UTC0 zip -q -X -9 "$name" readme.txt velm.exe)
mkdir -p "$out"
rm -f "$out"/velm-*-win64.zip "$out/SHA256SUMS"
mv "$stage/$name" "$out/$name"
(cd "$out" && sha256sum "$name" >SHA256SUMS)
echo "$out/$name ($(stat -c %s "$out/$name") bytes)"
