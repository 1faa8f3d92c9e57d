#!/usr/bin/env bash
# with-display.sh CMD...: runs CMD with an X display. Uses $DISPLAY when it answers,
# otherwise starts a private Xvfb (which picks a free display) and stops it,
# by its process id, when CMD ends.
set -uo pipefail

# A DISPLAY that does not answer (a stale variable) counts as none.
if [ -n "${DISPLAY:-}" ] && timeout 10 xdpyinfo >/dev/null 2>&1; then exec "$@"; fi

fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
stop_xvfb() { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -f "$fifo"; }
trap stop_xvfb EXIT INT TERM
# Read the whole line before the pipe closes, or Xvfb dies.
if ! read -r -t 30 display <"$fifo"; then
  echo "with-display: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$display"
"$@"
exit $?
