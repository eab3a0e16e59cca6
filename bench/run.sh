#!/usr/bin/env bash
# Runs the benchmarks: the host snapshot scan at 100, 1,000 and 10,000
# entries, a scan of the real Wine registry by the Windows build, and the
# poll cycle against the bare loop on a realistic machine (quiet cycles and
# cycles with one change, in turns), what grows with the machine (a quiet
# cycle with 5,000 Startup shortcuts, one cycle that removes 10,000
# blacklisted Run values, and the longest wait of a window message while the
# running program removes a flood of 10,000 values declined at once), and
# the running program's alert latency over 20 writes and its CPU time while
# nothing changes.
#   bench/run.sh          all of them
#   bench/run.sh growth   only what grows with the machine
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
only=${1:-}
program() {  # the built corvane.exe as Wine names it
  echo "Z:${build//\//\\}\\win-$arch\\src\\corvane.exe"
}

bash "$root/scripts/setup.sh"
arch=$main_arch
if [ "$only" = growth ]; then
  configure_windows "$arch"
  cmake --build "$build/win-$arch" -j"$jobs" --target corvane corvane_growth_bench
  start_virtual_display
  trap 'stop_virtual_display; "$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" --stop' EXIT
  "$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" "$build/win-$arch/bench/corvane_growth_bench.exe" "$(program)"
  exit 0
fi

configure_host "$build/host" -DCORVANE_BENCHMARKS=ON
cmake --build "$build/host" -j"$jobs" --target corvane_bench
"$build/host/bench/corvane_bench"

configure_windows "$arch"
cmake --build "$build/win-$arch" -j"$jobs" --target corvane corvane_win_bench corvane_cycle_bench corvane_growth_bench corvane_latency_bench
start_virtual_display
trap stop_virtual_display EXIT
"$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" "$build/win-$arch/bench/corvane_win_bench.exe"
"$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" "$build/win-$arch/bench/corvane_cycle_bench.exe"
"$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" "$build/win-$arch/bench/corvane_growth_bench.exe" "$(program)"

# The latency bench ends with 35 seconds without changes; over 30 of them
# the CPU time of corvane.exe and the Wine server is read from the system.
cpu_ticks() {  # the user and system clock ticks of corvane.exe and this prefix's Wine server
  local pid total=0 prefix=$build/win-$arch/wineprefix
  for pid in $(pgrep -f 'corvane\.exe$') $(pgrep -f wineserver); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix" || continue
    total=$((total + $(awk '{print $14 + $15}' "/proc/$pid/stat" 2>/dev/null || echo 0)))
  done
  echo "$total"
}
latency_log=$build/logs/latency-bench.log
mkdir -p "$build/logs"
"$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" "$build/win-$arch/bench/corvane_latency_bench.exe" \
  "$(program)" >"$latency_log" 2>&1 &
latency_pid=$!
until grep -q '^idle for' "$latency_log" || ! kill -0 "$latency_pid" 2>/dev/null; do sleep 0.2; done
before=$(cpu_ticks)
sleep 30
after=$(cpu_ticks)
wait "$latency_pid" || true
cat "$latency_log"
echo "CPU of corvane.exe and the Wine server over those 30 s: $(( (after - before) * 1000 / $(getconf CLK_TCK) )) ms"
"$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" --stop
