#!/bin/bash
# The Windows programs speak the user's display language, which Wine takes from LC_ALL: the
# tool's messages for people in each catalog's language and its output for programs the same in
# all of them; the desktop program and its help viewer speak Norwegian (on an X display with a
# window manager).
# A Wine prefix of its own: its server is stopped at the end, with the programs in it.
# Usage: languages_under_wine.sh WINE_RUN WINDOWS_CLI PWR455_EXE
set -u
wine_run=$1 cli=$2 program=$3
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
# Standard output and standard error of the tool under LANGUAGE's locale, into NAME.out, NAME.err.
tool() {
  local language=$1 name=$2
  shift 2
  LC_ALL=$language.UTF-8 "$wine_run" --prefix "$prefix" "$cli" "$@" 2>"$name.err" | tr -d '\r' >"$name.out"
  tr -d '\r' <"$name.err" >"$name.err.text" && mv "$name.err.text" "$name.err"
}

LC_ALL=C.UTF-8 "$wine_run" --prefix "$prefix" "$cli" exec -o radio.qrb CH.MCH.1.FREQUENCY=118.100 \
  CH.MCH.1.NAME=TOWER >/dev/null 2>&1 || fail "no data file"
tool C en show radio.qrb
tool C missing-en show missing.qrb
declare -A cannot_open=([nb_NO]="kan ikke åpne" [sv_SE]="inte att öppna" [da_DK]="kan ikke åbne"
  [fi_FI]="ei voi avata")
for language in nb_NO sv_SE da_DK fi_FI; do
  tool "$language" "$language" show radio.qrb
  cmp -s en.out "$language.out" || fail "show differs in $language"
  tool "$language" "missing-$language" show missing.qrb
  grep -q "${cannot_open[$language]}" "missing-$language.err" ||
    fail "not in $language: $(cat "missing-$language.err")"
done
grep -q "cannot open 'missing.qrb'" missing-en.err || fail "not in English: $(cat missing-en.err)"

# The desktop program in Norwegian: F1 opens the help viewer, in Norwegian.
openbox >/dev/null 2>&1 &
pids+=($!)
LC_ALL=nb_NO.UTF-8 "$wine_run" --prefix "$prefix" "$program" radio.qrb >/dev/null 2>&1 &
pids+=($!)
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
end=$((SECONDS + 60))
until main=$(window '^radio.qrb - PW-R455NORD$') && [ -n "$main" ]; do
  [ $SECONDS -lt $end ] || { fail "no main window"; exit 1; }
  sleep 0.1
done
# The help viewer's title is wxWidgets' own text ("Help: %s"), from its Norwegian catalog.
helped() {
  local t
  for t in $(seq 50); do
    [ -z "$(window '^Hjelp: ')" ] || return 0
    sleep 0.2
  done
  return 1
}
# The splash window may still hold the keyboard: F1 again until the help is there.
until xdotool windowactivate --sync "$main" key F1 2>/dev/null; helped; do
  [ $SECONDS -lt $end ] || { fail "no help in Norwegian"; break; }
done
[ $failures = 0 ]
