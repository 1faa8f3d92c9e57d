#!/usr/bin/env bash
# run.sh: builds velm.exe and starts it under Wine with code page 932.
#
# With WINEPREFIX set, the program works on that prefix's history (what a
# Linux user of Wine really has). Otherwise it uses a demo prefix in
# build/demo-prefix whose history is seeded with a few addresses. The program
# runs from build/demo/, where it keeps its velm.ini.
#
# Without a display it runs on a private Xvfb: once the main window shows, a
# screenshot goes to build/screenshots/ (its path is printed) and the program
# is stopped.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/deps.sh
cmake -S . -B build/win -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build build/win --target velm -j "$(nproc)"
mkdir -p build/demo
cp build/win/velm.exe build/demo/velm.exe

source scripts/wine-env.sh
if [ -n "${WINEPREFIX:-}" ]; then
  own_prefix=0
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

if [ -n "${DISPLAY:-}" ]; then
  exec wine build/demo/velm.exe
fi

# No display: run on Xvfb, wait for the main window, take a screenshot.
exec scripts/with-display.sh bash -c '
  set -u
  wine build/demo/velm.exe </dev/null >/dev/null 2>&1 &
  pid=$!
  stop() {
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
    # The demo prefix is ours: its wineserver goes too. A user prefix keeps its.
    if [ "$own_prefix" = 1 ]; then timeout 30 wineserver -k 2>/dev/null || true; fi
  }
  trap stop EXIT
  # The main window: a top-level window captioned Velmaris with an area
  # (the application window has none).
  shown=0
  for _ in $(seq 1 120); do
    if xwininfo -root -tree 2>/dev/null |
       grep -E "\"Velmaris\": .* [0-9]{3,}x[0-9]{2,}\+" >/dev/null; then
      shown=1; break
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
  done
  if [ "$shown" != 1 ]; then echo "run: the main window did not appear" >&2; exit 1; fi
  sleep 1  # let it paint
  mkdir -p build/screenshots
  shot="build/screenshots/velm-$(date +%Y%m%d-%H%M%S).png"
  import -window root "$shot"
  echo "$PWD/$shot"
'
