#!/bin/sh
# Runs a command under openbox on the current X display, once openbox has taken the screen
# (a bounded wait); openbox stops afterwards.
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
  tries=$((tries + 1))
  [ "$tries" -gt 300 ] && { echo "openbox did not start" >&2; kill "$wm"; exit 1; }
  sleep 0.1
done
"$@"
rc=$?
kill "$wm" 2>/dev/null
wait "$wm" 2>/dev/null
exit $rc
