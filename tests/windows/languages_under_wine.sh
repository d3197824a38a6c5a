#!/bin/bash
# The Windows programs speak the user's display language, which Wine takes from the locale: the
# tool as tests/po/cli-languages checks it on Linux (messages for people translated, what programs
# read unchanged), the desktop program and its help viewer in Norwegian (on an X display with a
# window manager).
# A Wine prefix of its own: its server is stopped at the end, with the programs in it.
# Usage: languages_under_wine.sh WINE_RUN WINDOWS_CLI PWR455_EXE LOCALE_DIR
set -u
wine_run=$1 cli=$2 program=$3 locale=$4
dir=$(mktemp -d) && cd "$dir" || exit 1
prefix=$dir/wine
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  WINEPREFIX=$prefix wineserver -w 2>/dev/null
  wait 2>/dev/null
  cd / && rm -rf "$dir"
  # The server's socket folder; the temporary folder is this test's own.
  [ -z "${TMPDIR:-}" ] || rm -rf "$TMPDIR"/wine-*
}
trap cleanup EXIT
failures=0
"$wine_run" --prefix "$prefix" --init || exit 1
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

# The tool through Wine, for the checks the Linux tool passes. Wine takes a locale the system
# has not generated from LC_ALL only.
printf '#!/bin/sh\nLC_ALL=$LANG exec "%s" --prefix "%s" "%s" "$@"\n' "$wine_run" "$prefix" "$cli" >pwr455-cli
chmod +x pwr455-cli
"$(dirname "$0")/../po/cli-languages" "$dir/pwr455-cli" "$locale" nb_NO sv_SE da_DK fi_FI ||
  fail "the tool in the four languages"
"$dir/pwr455-cli" exec -o radio.qrb CH.MCH.1.FREQUENCY=118.100 CH.MCH.1.NAME=TOWER >/dev/null 2>&1 ||
  fail "no data file"

# The desktop program in Norwegian: F1 opens the help viewer, in Norwegian.
openbox >/dev/null 2>&1 &
pids+=($!)
LC_ALL=nb_NO.UTF-8 "$wine_run" --prefix "$prefix" "$program" radio.qrb >/dev/null 2>&1 &
pids+=($!)
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
# Whether a window whose title matches REGEX is shown within SECONDS.
shown_within() {
  local end=$((SECONDS + $2))
  until [ -n "$(window "$1")" ]; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.2
  done
}
shown_within '^radio.qrb - PW-R455NORD$' 60 || { fail "no main window"; exit 1; }
main=$(window '^radio.qrb - PW-R455NORD$')
# The help viewer's title is wxWidgets' own text ("Help: %s"), from its Norwegian catalog. The
# splash window may still hold the keyboard: F1 again until the help is there.
end=$((SECONDS + 60))
until xdotool windowactivate --sync "$main" key F1 2>/dev/null; shown_within '^Hjelp: ' 10; do
  [ $SECONDS -lt $end ] || { fail "no help in Norwegian"; break; }
done
[ $failures = 0 ]
