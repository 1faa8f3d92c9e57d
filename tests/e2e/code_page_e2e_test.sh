#!/usr/bin/env bash
# code_page_e2e_test.sh VELM_EXE WORK_DIR: velm.exe started from folders whose
# names the ANSI code page does not hold must keep its backup in velm.ini
# right beside it:
# - café under code page 1252 (LC_ALL=en_US.UTF-8): "é" is 0xE9 there, a
#   lead byte in code page 932; read by 932's rule, the "\" after it would
#   vanish and velm.ini land one folder up;
# - 한국어 under code page 932, which has no Hangul;
# - café beside cafe under code page 932, which has no "é" and would name
#   the neighbour's folder by its best fit.
# Started from the Unix side: a Windows parent would hand its own code page on.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-env.sh"
ensure_prefix "$VELM_TEST_PREFIX"

work="$2/code_page"
rm -rf "$work"
key='HKCU\Software\Microsoft\Internet Explorer\TypedURLs'
# The start-up backup of url1 is what creates velm.ini.
timeout 60 wine reg add "$key" /v url1 /d http://a/ /f >/dev/null 2>&1
backed_up() { grep -q '^url1=http://a/' "$1" 2>/dev/null; }

# start_in FOLDER LOCALE: velm.exe copied into FOLDER and started there
# until velm.ini in FOLDER or one folder up holds the backup.
start_in() {
  mkdir -p "$1"
  cp "$velm" "$1/velm.exe"
  (cd "$1" && LC_ALL=$2 exec wine velm.exe </dev/null >/dev/null 2>&1) &
  local pid=$!
  for _ in $(seq 150); do
    backed_up "$1/velm.ini" || backed_up "$1/../velm.ini" && break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}
velm=$1
rc=0
fail() {
  echo "FAIL: $*" >&2
  rc=1
}

start_in "$work/café" en_US.UTF-8
backed_up "$work/café/velm.ini" || fail "no backup of url1 in $work/café/velm.ini"
[ -e "$work/velm.ini" ] && fail "velm.ini was written one folder up, in $work"

start_in "$work/한국어" ja_JP.UTF-8
backed_up "$work/한국어/velm.ini" || fail "no backup of url1 in $work/한국어/velm.ini"

mkdir -p "$work/932/cafe"
printf '[OldUrl1]\r\nurl1=http://other/\r\n' >"$work/932/cafe/velm.ini"
start_in "$work/932/café" ja_JP.UTF-8
backed_up "$work/932/café/velm.ini" || fail "no backup of url1 in $work/932/café/velm.ini"
grep -q 'http://a/' "$work/932/cafe/velm.ini" && fail "the neighbouring cafe/velm.ini was changed"

timeout 60 wine reg delete "$key" /f >/dev/null 2>&1
[ $rc -eq 0 ] && echo "velm.ini created beside velm.exe in café (1252), 한국어 and café beside cafe (932)"
exit $rc
