#!/bin/sh
# Runs a command under openbox on the current X display, once openbox has taken the screen
# (a bounded wait); openbox stops afterwards. An openbox that exits before it has taken the
# screen (seen now and then on a busy machine) is started again.
start_openbox() { openbox --sm-disable >/dev/null 2>&1 & wm=$!; }
start_openbox
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
  tries=$((tries + 1))
  [ "$tries" -gt 300 ] && { echo "openbox did not start" >&2; kill "$wm" 2>/dev/null; exit 1; }
  kill -0 "$wm" 2>/dev/null || start_openbox
  sleep 0.1
done
"$@"
rc=$?
kill "$wm" 2>/dev/null
wait "$wm" 2>/dev/null
exit $rc
