#!/usr/bin/env bash
# release_zip_test.sh SOURCE DIST WORK LAUNCHER... TEST_PROGRAM
# Checks the zip in DIST as a Windows user gets it, unpacks it into WORK and
# has TEST_PROGRAM (through the Wine LAUNCHER) run the unpacked velm.exe.
set -uo pipefail
source_dir=$1
dist=$2
work=$3
shift 3
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

shopt -s nullglob
zips=("$dist"/velm-*-win64.zip)
if [ ${#zips[@]} -ne 1 ]; then
  echo "FAIL: ${#zips[@]} velm-*-win64.zip in $dist instead of one; make dist makes it" >&2
  exit 1
fi
zip=${zips[0]}
name=$(basename "$zip")

# The name carries the version record's first three numbers.
record=$(sed -n 's/^FILEVERSION *\([0-9]*\),\([0-9]*\),\([0-9]*\),[0-9]*.*/\1.\2.\3/p' \
  "$source_dir/res/velm.rc")
[ "$name" = "velm-$record-win64.zip" ] || fail "$name is not named for version $record"

[ "$(sed 's/^[0-9a-f]\{64\}  //' "$dist/SHA256SUMS")" = "$name" ] ||
  fail "SHA256SUMS does not list $name alone"
(cd "$dist" && sha256sum --quiet --strict -c SHA256SUMS) || fail "the checksum does not hold"

listing=$(unzip -Z1 "$zip")
[ "$listing" = $'readme.txt\nvelm.exe' ] || fail "the zip holds: $(tr '\n' ' ' <<<"$listing")"

rm -rf "$work"
mkdir -p "$work/unpacked"
unzip -q "$zip" -d "$work/unpacked" || fail "the zip does not unpack"

readme=$work/unpacked/readme.txt
if text=$(iconv -f CP932 -t UTF-8 "$readme"); then
  [ "$(head -1 <<<"$text" | tr -d '\r')" = "Velmaris $record" ] ||
    fail "readme.txt does not open with the name and version"
  for section in 概要 動作環境 インストールとアンインストール 使い方 データの保存場所 注意 変更履歴; do
    grep -q "^■ $section" <<<"$text" || fail "readme.txt has no section $section"
  done
else
  fail "readme.txt is not CP932"
fi
# CR LF only: as many CRs as LFs, each CR at a line's end, the last line ended.
crs=$(tr -cd '\r' <"$readme" | wc -c)
lfs=$(tr -cd '\n' <"$readme" | wc -c)
crlfs=$(LC_ALL=C grep -c $'\r$' "$readme")
[ "$crs" = "$lfs" ] && [ "$lfs" = "$crlfs" ] && [ -z "$(tail -c 1 "$readme" | tr -d '\n')" ] ||
  fail "readme.txt has line ends other than CR LF ($crs CR, $lfs LF, $crlfs CR LF)"

# The same inputs pack to the same bytes.
"$source_dir/scripts/package.sh" "$work/unpacked/velm.exe" "$source_dir/res/readme.txt" \
  "$record" "$work/again" >/dev/null || fail "packing again failed"
cmp -s "$zip" "$work/again/$name" || fail "packing again gives other bytes"

"$@" "$work/unpacked" || fail "the unpacked velm.exe did not run as it should"

[ "$failures" = 0 ] && echo "release zip: $name passes"
[ "$failures" = 0 ]
