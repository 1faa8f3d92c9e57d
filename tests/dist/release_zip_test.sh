#!/usr/bin/env bash
# release_zip_test.sh SOURCE DIST WORK LAUNCHER... TOUR: checks the zip in
# DIST as a Windows user gets it, unpacks it into WORK, and has the tour run
# the unpacked velm.exe there under Wine, leaving through 保存しないで終了.
set -uo pipefail
source_dir=$1 dist=$2 work=$3
shift 3
failures=0
fail() { echo "FAIL: $*" >&2 && failures=$((failures + 1)); }

record=$(sed -n 's/^FILEVERSION *\([0-9]*\),\([0-9]*\),\([0-9]*\),.*/\1.\2.\3/p' "$source_dir/res/velm.rc")
zips=$(cd "$dist" && ls velm-*-win64.zip)
name=velm-$record-win64.zip
[ "$zips" = "$name" ] || fail "dist/ holds '$zips', not $name alone (make dist makes it)"
[ "$(sed 's/^[0-9a-f]\{64\}  //' "$dist/SHA256SUMS")" = "$name" ] &&
  (cd "$dist" && sha256sum --quiet --strict -c SHA256SUMS) || fail "SHA256SUMS does not hold"
listing=$(unzip -Z1 "$dist/$name")
[ "$listing" = $'readme.txt\nvelm.exe' ] || fail "the zip holds: $(tr '\n' ' ' <<<"$listing")"

rm -rf "$work" && mkdir -p "$work/unpacked" "$work/shots" && unzip -q "$dist/$name" -d "$work/unpacked" ||
  { fail "the zip does not unpack" && exit 1; }
readme=$work/unpacked/readme.txt
iconv -f CP932 -t UTF-8 "$readme" | grep '^■ 変更履歴' >/dev/null || fail "readme.txt is not Japanese in CP932"
placeholders=$(iconv -f CP932 -t UTF-8 "$readme" | grep -o '@[A-Z]\+@' | tr '\n' ' ')
[ -z "$placeholders" ] || fail "readme.txt keeps the placeholders $placeholders"
# CR LF only: as many CRs as LFs, each ending a line, and the last line ended.
crs=$(tr -cd '\r' <"$readme" | wc -c)
lfs=$(tr -cd '\n' <"$readme" | wc -c)
crlfs=$(LC_ALL=C grep -c $'\r$' "$readme")
[ "$crs" = "$lfs" ] && [ "$lfs" = "$crlfs" ] && [ -z "$(tail -c 1 "$readme" | tr -d '\n')" ] ||
  fail "readme.txt has line ends other than CR LF ($crs CR, $lfs LF, $crlfs CR LF)"

# The same inputs pack to the same bytes.
"$source_dir/scripts/package.sh" "$work/unpacked/velm.exe" "$source_dir/res/readme.txt" \
  "$record" "$work/again" >/dev/null && cmp -s "$dist/$name" "$work/again/$name" ||
  fail "packing again gives other bytes"

# Terminal-server aware (IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE in the
# optional header's DllCharacteristics, 70 bytes into it): without the bit a
# Remote Desktop session loads its compatibility layer into the program.
exe=$work/unpacked/velm.exe
pe=$(od -An -tu4 -j 60 -N 4 "$exe" | tr -d ' ')
flags=$(od -An -tu2 -j $((pe + 4 + 20 + 70)) -N 2 "$exe" | tr -d ' ')
[ $((flags & 0x8000)) != 0 ] || fail "velm.exe is not terminal-server aware (DllCharacteristics $flags)"

"$@" "$work/unpacked" "$work/shots" >/dev/null || fail "the tour of the unpacked velm.exe failed"
[ "$failures" = 0 ] && echo "release zip: $name passes"
