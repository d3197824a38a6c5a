#!/bin/bash
# pwr455.com, the console program beside pwr455.exe: the command prompt waits for it and
# prefers it to pwr455.exe when `pwr455` is typed; it answers --help and --version itself and
# hands anything else to pwr455.exe beside it, or says why it cannot. (wine_gui smoke starts the
# desktop program through it with a file.)
# Usage: console_launcher.sh WINE_RUN WINEPREFIX PWR455_COM WINDOWS_CLI
set -u
wine_run=$1 prefix=$2 launcher=$3 cli=$4
dir=$(mktemp -d) && cd "$dir" || exit 1
export LC_ALL=C.UTF-8 # arguments and file names reach Wine as UTF-8
trap 'cd /; rm -rf "$dir"' EXIT
failures=0

fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
run() { "$wine_run" --prefix "$prefix" "$@" 2>&1 | tr -d '\r'; return "${PIPESTATUS[0]}"; }

x86_64-w64-mingw32-objdump -p "$launcher" | grep -q '^Subsystem.*Windows CUI' ||
  fail "not a console program"
out=$(run "$launcher" --version) && [[ $out =~ ^PW-R455NORD\ Rev\.1\.0\ \(pwr455\ [0-9.]+\)$ ]] ||
  fail "--version gave: $out"
out=$(run "$launcher" --help) && [[ $out == "Usage: pwr455 [--simulate] [FILE.qrb]"$'\n'* ]] ||
  fail "--help gave: $out"
out=$(run "$launcher" --bogus)
status=$?
[ $status = 2 ] && [ "$out" = "pwr455: unknown option '--bogus' (run 'pwr455 --help')" ] ||
  fail "--bogus gave $status: $out"
# Alone in a folder and typed as `pwr455`: it names the desktop program that is missing.
cp "$launcher" pwr455.com
out=$(run cmd /c pwr455 flight.qrb)
status=$?
[ $status = 1 ] && [[ $out == "pwr455: "*'\pwr455.exe could not be started: '?* ]] ||
  fail "without pwr455.exe gave $status: $out"
# Anything else goes to the program beside it with the arguments as typed, quotes and letters
# beyond ASCII included, and the prompt does not wait for it. The tool stands in for the
# desktop program here: what it makes shows what it was given.
cp "$cli" pwr455.exe
out=$(run cmd /c pwr455 new "Ørsta flight.qrb")
status=$?
timeout 30 sh -c 'until [ -s "Ørsta flight.qrb" ]; do sleep 0.1; done' ||
  fail "the arguments did not reach pwr455.exe ($status: $out)"
[ $failures = 0 ]
