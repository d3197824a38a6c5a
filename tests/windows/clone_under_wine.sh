#!/bin/bash
# The Windows tool under Wine, through its Win32 serial code, against the Linux tool's simulated
# transceiver on a pseudo-terminal that Wine maps to COM7: the same files, texts and exit statuses
# as on Linux; the same card PDF; a non-ASCII file name; Ctrl-C in a read; a line that hangs up
# in a read; the four languages as on Linux; the connection check.
# Usage: clone_under_wine.sh WINE_RUN WINEPREFIX LINUX_CLI WINDOWS_CLI LOCALE_DIR
set -u
wine_run=$1 prefix=$2 linux=$3 windows=$4 locale=$5
cli_languages=$(cd "$(dirname "$0")/../po" && pwd)/cli-languages
dir=$(mktemp -d) && cd "$dir" || exit 1
export LC_ALL=C.UTF-8 # arguments and file names reach Wine as UTF-8
failures=0 sim=
trap 'stop_sim; cd /; rm -rf "$dir"' EXIT

fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
stop_sim() { [ -z "$sim" ] || { kill "$sim"; wait "$sim"; }; sim=; }
# Up to 30 s for the first line of FILE (a process's output), polled.
wait_line() { for _ in $(seq 300); do grep -q "$2" "$1" 2>/dev/null && return 0; sleep 0.1; done; return 1; }
start_sim() {
  stop_sim
  "$linux" simulate "$@" >sim.out & sim=$!
  wait_line sim.out /dev/ || { fail "simulate $*"; return 1; }
  "$wine_run" --prefix "$prefix" --com 7="$(head -n1 sim.out)" --init
}
win() { "$wine_run" --prefix "$prefix" "$windows" "$@" 2>&1 | tr -d '\r'; return "${PIPESTATUS[0]}"; }
expect() { # STATUS OUTPUT COMMAND...
  local status=$1 out=$2 got
  shift 2
  got=$(win "$@"); local s=$?
  [ "$s" = "$status" ] && [ "$got" = "$out" ] || fail "$* gave $s: $got"
}

"$linux" exec -o original.qrb "COMMON.CLONE_COMMENT=WINE TEST" >/dev/null
"$linux" exec -i original.qrb -o changed.qrb "COMMON.CLONE_COMMENT=WRITTEN BACK" >/dev/null
start_sim --image original.qrb
expect 0 $'Model: VX-R455NORD\nComment: WINE TEST       ' info --port COM7 --quiet
# The connection check through the Device Manager's lists, which under Wine hold no cable with a
# problem code: it runs to the transceiver's answer, and the port's driver takes the line settings.
got=$(win doctor --port COM7); s=$?
[ "$s" = 0 ] && [[ $got == *"Port COM7 exists."* ]] && [[ $got != *"Device Manager shows"* ]] &&
  [[ $got != *"refuses the line settings"* ]] || fail "doctor gave $s: $got"
expect 0 $'Now reading <- TR\nCloning completed.' read windows.qrb --port COM7 --quiet
"$linux" read linux.qrb --port "$(head -n1 sim.out)" --quiet >/dev/null
cmp -s linux.qrb windows.qrb && cmp -s original.qrb windows.qrb || fail "read gave another file"
win write changed.qrb --port COM7 --quiet >/dev/null || fail "write"
win read second.qrb --port COM7 --quiet >/dev/null && cmp -s changed.qrb second.qrb || fail "write then read"
expect 91 "$("$linux" read none.qrb --port /nowhere --quiet)" read none.qrb --port COM9 --quiet

# Which fault gives which result is the clone code's concern, tested on Linux; here the statuses
# cross the Win32 layer unchanged.
for case in no-cable:77 wrong-model:85 bad-end:77; do
  start_sim --fault "${case%%:*}" || continue
  win read fault.qrb --port COM7 --quiet >/dev/null
  [ $? = "${case#*:}" ] && [ ! -e fault.qrb ] || fail "fault ${case%%:*}"
done

# Ctrl-C: the run is cancelled, nothing is saved.
start_sim --realtime
"$wine_run" --prefix "$prefix" "$windows" read cancelled.qrb --port COM7 --quiet >read.out 2>&1 &
reader=$!
wait_line read.out "Now reading" && kill -INT "$reader"
wait "$reader"; status=$?
[ "$status" = 1 ] && [ ! -e cancelled.qrb ] && [ "$(tr -d '\r' <read.out)" = $'Now reading <- TR\nTerminated cloning.' ] || fail "Ctrl-C gave $status: $(cat read.out)"

# The line hangs up in the middle of a read, with the Win32 layer waiting on it for input: the
# read fails as on Linux, nothing is saved.
start_sim --realtime
"$wine_run" --prefix "$prefix" "$windows" read gone.qrb --port COM7 --quiet >gone.out 2>&1 &
reader=$!
wait_line gone.out "Now reading" && stop_sim
wait "$reader"; status=$?
[ "$status" = 77 ] && [ ! -e gone.qrb ] || fail "a line gone during a read gave $status: $(cat gone.out)"

# Devices are no files to save to, whatever the folder or extension; the read-only attribute
# makes a file read-only.
expect 1 "$("$linux" new /dev/null 2>&1 | sed 's|/dev/null|NUL|')" new NUL
expect 1 "$("$linux" new /dev/null 2>&1 | sed 's|/dev/null|sub\\COM1.qrb|')" new 'sub\COM1.qrb'
"$linux" new ro.qrb && "$wine_run" --prefix "$prefix" attrib +r ro.qrb
expect 1 "pwr455-cli: cannot save 'ro.qrb': the file is read-only" new ro.qrb

# The card: the same words in the same places and the same fonts as on Linux, once the
# prefix answers Windows' own font names (which Wine lacks) with the fonts Linux chose.
for font in "Courier New=DejaVu Sans Mono" "Arial=DejaVu Sans"; do
  "$wine_run" --prefix "$prefix" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
    /v "${font%%=*}" /d "${font#*=}" /f >/dev/null 2>&1
done
"$linux" card original.qrb -o linux.pdf && win card original.qrb -o windows.pdf >/dev/null
pdf() { pdftotext -layout "$1" -; pdffonts "$1" | awk 'NR > 2 { sub(/^[A-Z]+\+/, "", $1); print $1 }'; }
[ "$(pdf linux.pdf)" = "$(pdf windows.pdf)" ] || fail "the card differs from Linux's"

# In each language, as tests/po/cli-languages checks the Linux tool. Wine takes a locale that the
# system has not generated from LC_ALL only.
printf '#!/bin/sh\nLC_ALL=$LANG exec "%s" --prefix "%s" "%s" "$@"\n' "$wine_run" "$prefix" "$windows" >cli.sh
chmod +x cli.sh
"$cli_languages" "$dir/cli.sh" "$locale" nb_NO sv_SE da_DK fi_FI || fail "the tool in the four languages"

name="Flyklubb Ørsta–Volda.qrb"
win new "$name" >/dev/null && [ -f "$name" ] || fail "new of a non-ASCII name"
[ "$(win show "$name" | head -n1)" = "$("$linux" show "$name" | head -n1)" ] || fail "show of $name"
[ "$failures" = 0 ]
