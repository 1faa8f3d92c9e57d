#!/usr/bin/env bash
# code_page_e2e_test.sh VELM_EXE WORK_DIR: velm.exe started from a folder
# named café under code page 1252 (LC_ALL=en_US.UTF-8) must put velm.ini in
# that folder. "é" is 0xE9 there, a lead byte in code page 932: read by 932's
# rule, the "\" after it would vanish and velm.ini land one folder up.
# Started from the Unix side: a Windows parent would hand its own code page on.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-env.sh"
ensure_prefix "$VELM_TEST_PREFIX"

work="$2/code_page"
folder="$work/café"
rm -rf "$work"
mkdir -p "$folder"
cp "$1" "$folder/velm.exe"
key='HKCU\Software\Microsoft\Internet Explorer\TypedURLs'
# The start-up backup of url1 is what creates velm.ini.
timeout 60 wine reg add "$key" /v url1 /d http://a/ /f >/dev/null 2>&1

(cd "$folder" && LC_ALL=en_US.UTF-8 exec wine velm.exe </dev/null >/dev/null 2>&1) &
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
if [ -e "$work/velm.ini" ]; then
  echo "FAIL: velm.ini was written one folder up, in $work" >&2
  rc=1
fi
[ $rc -eq 0 ] && echo "velm.ini created in $folder"
exit $rc
