#!/usr/bin/env bash
# A read from the simulated transceiver paced at 9600 baud, through the Linux tool and through the
# Windows tool under Wine (the Linux tool's simulator on a pseudo-terminal mapped to COM7): the
# median wall time of each, their ratio, with and without Wine's own start (a run of
# `pwr455-cli.exe --version`), and the processor time the Windows tool (also without its start)
# and the Wine server spend in percent of the wall time. It prints figures and fails only when a
# read fails.
# Usage: bench/read_under_wine.sh WINE_RUN WINEPREFIX LINUX_CLI WINDOWS_CLI [RUNS]
set -euo pipefail
wine_run=$(realpath "$1") prefix=$(realpath -m "$2") linux=$(realpath "$3") windows=$(realpath "$4")
runs=${5:-3}
dir=$(mktemp -d)
sim=
trap '[ -z "$sim" ] || { kill "$sim"; wait "$sim" 2>/dev/null; }; rm -rf "$dir"' EXIT
cd "$dir"

# Processor time (seconds) of the Wine server that serves the prefix; 0 when none is found.
server_cpu() {
  local pid tick
  tick=$(getconf CLK_TCK)
  for pid in $(pgrep "^wineserver" || true); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix"; then
      awk -v t="$tick" '{ printf "%.3f\n", ($14 + $15) / t }' "/proc/$pid/stat"
      return
    fi
  done
  echo 0
}
# Runs a command; prints "WALL CPU" in seconds (the command and its children).
measure() {
  /usr/bin/time -f '%e %U %S' -o time.out "$@" >run.out 2>&1 || { cat run.out >&2; return 1; }
  awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }' time.out
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

"$linux" exec -o image.qrb "COMMON.CLONE_COMMENT=BENCH" >/dev/null
"$linux" simulate --realtime --image image.qrb >sim.out &
sim=$!
for _ in $(seq 300); do grep -q /dev/ sim.out && break; sleep 0.1; done
pty=$(head -n1 sim.out)
"$wine_run" --prefix "$prefix" --com 7="$pty" --init
measure "$wine_run" --prefix "$prefix" "$windows" --version >/dev/null # the prefix warmed up

: >linux.txt >windows.txt >start.txt
for _ in $(seq "$runs"); do
  measure "$linux" read linux.qrb --port "$pty" --quiet >>linux.txt
  measure "$wine_run" --prefix "$prefix" "$windows" --version >>start.txt
  before=$(server_cpu)
  read -r wall cpu < <(measure "$wine_run" --prefix "$prefix" "$windows" read windows.qrb --port COM7 --quiet)
  after=$(server_cpu)
  echo "$wall $cpu $(awk -v a="$after" -v b="$before" 'BEGIN { printf "%.3f", a - b }')" >>windows.txt
  cmp -s linux.qrb windows.qrb || { echo "the Windows read gave another file" >&2; exit 1; }
done

linux_s=$(cut -d' ' -f1 linux.txt | median)
linux_cpu=$(awk '{ print $2 / $1 * 100 }' linux.txt | median)
windows_s=$(cut -d' ' -f1 windows.txt | median)
start_s=$(cut -d' ' -f1 start.txt | median)
start_cpu=$(cut -d' ' -f2 start.txt | median)
tool_cpu=$(awk '{ print $2 / $1 * 100 }' windows.txt | median)
windows_cpu=$(cut -d' ' -f2 windows.txt | median)
server_pct=$(awk '{ print $3 / $1 * 100 }' windows.txt | median)
awk -v l="$linux_s" -v lc="$linux_cpu" -v w="$windows_s" -v s="$start_s" -v tc="$tool_cpu" \
    -v wc="$windows_cpu" -v sc="$start_cpu" -v server="$server_pct" -v n="$runs" 'BEGIN {
  printf "Read from the realtime simulator, median of %d runs:\n", n
  printf "  Linux tool               %6.2f s   CPU %4.1f %%\n", l, lc
  printf "  Windows tool under Wine  %6.2f s   CPU %4.1f %%, Wine server %.1f %%\n", w, tc, server
  printf "  Wine start (--version)   %6.2f s   %.2f s of CPU\n", s, sc
  printf "  Without Wine'\''s start    %6.2f s   CPU %4.1f %%\n", w - s, (wc - sc) / (w - s) * 100
  printf "  Ratio Windows/Linux      %6.2f x, %.2f x without Wine'\''s start\n", w / l, (w - s) / l
}'
