#!/usr/bin/env bash
# run.sh: builds velm.exe and starts it under Wine with code page 932.
#
# With WINEPREFIX set, the program works on that prefix's history (what a
# Linux user of Wine really has). Otherwise it uses a demo prefix in
# build/demo-prefix whose history is seeded with a few addresses. The program
# runs from build/demo/, where it keeps its velm.ini.
#
# Without a display it takes the screenshot tour on a private Xvfb: velm_tour
# walks the program through its windows and dialogs, leaves without saving
# (the history is never written), and the pictures land as PNG files in
# build/screenshots/, their paths printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/deps.sh
cmake --preset win >/dev/null
cmake --build --preset win --target velm velm_tour -j "$(nproc)"
mkdir -p build/demo
cp build/win/velm.exe build/demo/velm.exe

source scripts/wine-env.sh
if [ -n "${WINEPREFIX:-}" ]; then
  own_prefix=0
  # A user's prefix is theirs: no font mapping goes into it unasked.
  echo "run: for the fonts the windows ask for, map ＭＳ Ｐゴシック and MS Shell Dlg to IPAPGothic and ＭＳ ゴシック to IPAGothic under HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes in $WINEPREFIX"
else
  own_prefix=1
  ensure_prefix "$root/build/demo-prefix"
  if [ ! -f "$WINEPREFIX/.velm-seeded" ]; then
    seed=$(mktemp --suffix=.reg)
    cat >"$seed" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\TypedURLs]
"url1"="https://www.example.com/"
"url2"="https://www.example.org/docs/index.html"
"url3"="http://intranet.example.net/wiki/FrontPage"
"url4"="https://search.example.com/?q=velmaris"
"url5"="ftp://ftp.example.jp/pub/"
REG
    timeout 60 wine reg import "$(winepath -w "$seed")" >/dev/null 2>&1
    timeout 60 wineserver -w || true  # a program started while it winds down would fail
    rm -f "$seed"
    touch "$WINEPREFIX/.velm-seeded"
  fi
fi
export own_prefix

# A display that answers: just the program. (A stale DISPLAY counts as none.)
if [ -n "${DISPLAY:-}" ] && timeout 10 xdpyinfo >/dev/null 2>&1; then
  exec wine build/demo/velm.exe
fi

# No display: the tour on a private Xvfb. velm_tour ends velm.exe itself,
# by its handle, whatever happens; every wait in it has a timeout.
export shots=build/screenshots
mkdir -p "$shots"
rm -f "$shots"/tour-*.bmp "$shots"/tour-*.png
rc=0
scripts/with-display.sh bash -c '
  timeout --kill-after=10 300 wine build/win/tests/e2e/velm_tour.exe \
    "$PWD/build/demo" "$PWD/$shots" </dev/null >/dev/null
  rc=$?
  # The demo prefix is ours: its wineserver goes too. A user prefix keeps its,
  # but the helpers Wine started on this display get a moment to wind down
  # before the display goes.
  if [ "$own_prefix" = 1 ]; then
    timeout 30 wineserver -k 2>/dev/null || true
  else
    timeout 15 wineserver -w 2>/dev/null || true
  fi
  exit $rc' || rc=$?

for bmp in "$shots"/tour-*.bmp; do
  [ -e "$bmp" ] || continue
  png="${bmp%.bmp}.png"
  convert "$bmp" "$png" && rm -f "$bmp"
  echo "$root/$png"
done
if [ "$rc" != 0 ]; then echo "run: the screenshot tour failed" >&2; fi
exit "$rc"
