#!/bin/sh
# Runs a command under openbox on the current X display, once openbox has taken the screen
# (a bounded wait); openbox stops afterwards. An openbox that exits before it has taken the
# screen (seen now and then on a busy machine) is started again. openbox gets an empty home of
# its own: the user's openbox settings would change where and how windows are placed.
obhome=$(mktemp -d "${TMPDIR:-/tmp}/openbox.XXXXXX") || exit 1
start_openbox() {
  HOME=$obhome XDG_CONFIG_HOME=$obhome/config XDG_CACHE_HOME=$obhome/cache \
    XDG_DATA_HOME=$obhome/data openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
}
start_openbox
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
  tries=$((tries + 1))
  [ "$tries" -gt 300 ] && { echo "openbox did not start" >&2; kill "$wm" 2>/dev/null; rm -rf "$obhome"; exit 1; }
  kill -0 "$wm" 2>/dev/null || start_openbox
  sleep 0.1
done
"$@"
rc=$?
kill "$wm" 2>/dev/null
wait "$wm" 2>/dev/null
rm -rf "$obhome"
exit $rc
