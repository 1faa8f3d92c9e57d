#!/usr/bin/env bash
# code_page_e2e_test.sh VELM_EXE WORK_DIR [FOLDER LOCALE]: velm.exe started
# from a folder named outside the ANSI code page must put velm.ini there; by
# default café under 1252 ("é" is a lead byte of 932 that would take the "\"
# after it), 한국어 and café (best fit: cafe beside it) under 932, a deep path.
# Started from the Unix side: a Windows parent would hand its own code page on.
set -uo pipefail
if [ $# -eq 2 ]; then
  rc=0
  for run in "café en_US.UTF-8" "한국어 ja_JP.UTF-8" "café ja_JP.UTF-8" "$(printf 'deep%02d/' $(seq 40))x ja_JP.UTF-8"; do
    bash "$0" "$1" "$2" $run || rc=1
  done
  exit $rc
fi
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-env.sh"
ensure_prefix "$VELM_TEST_PREFIX"

work="$2/code_page"
folder="$work/$3"
rm -rf "$work"
mkdir -p "$folder" "$work/cafe"
printf '[OldUrl1]\r\nurl1=http://other/\r\n' >"$work/cafe/velm.ini"
cp "$1" "$folder/velm.exe"
key='HKCU\Software\Microsoft\Internet Explorer\TypedURLs'
# The start-up backup of url1 is what creates velm.ini.
timeout 60 wine reg add "$key" /v url1 /d http://a/ /f >/dev/null 2>&1

(cd "$folder" && LC_ALL=$4 exec wine velm.exe </dev/null >/dev/null 2>&1) &
pid=$!
backed_up() { grep -q '^url1=http://a/' "$1" 2>/dev/null; }
for _ in $(seq 150); do
  backed_up "$folder/velm.ini" || backed_up "$work/velm.ini" && break
  sleep 0.1
done
kill "$pid" 2>/dev/null
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -9 "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
timeout 60 wine reg delete "$key" /f >/dev/null 2>&1

rc=0
if ! backed_up "$folder/velm.ini"; then
  echo "FAIL: no backup of url1 in $folder/velm.ini" >&2
  rc=1
fi
if [ -e "$work/velm.ini" ] || backed_up "$work/cafe/velm.ini"; then
  echo "FAIL: velm.ini was written one folder up, in $work, or beside, in cafe" >&2
  rc=1
fi
[ $rc -eq 0 ] && echo "velm.ini created in $folder"
exit $rc
