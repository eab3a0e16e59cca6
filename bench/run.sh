#!/usr/bin/env bash
# Runs the benchmarks: the host snapshot scan at 100, 1,000 and 10,000
# entries, a scan of the real Wine registry by the Windows build, the
# signature checks of every program file in the Wine system folder, the
# running program's Startup entries window with 1,000 entries, and the
# poll cycle against the bare loop on a realistic machine (quiet cycles and
# cycles with one change, in turns), what grows with the machine (a quiet
# cycle with 5,000 Startup shortcuts, one cycle that removes 10,000
# blacklisted Run values, and the longest wait of a window message while the
# running program removes a flood of 10,000 values declined at once), and
# the running program's alert latency over 20 writes, its CPU time while
# nothing changes and while a service's key is written nonstop, and its
# alert latency meanwhile.
#   bench/run.sh          all of them
#   bench/run.sh growth   only what grows with the machine
#   bench/run.sh watch    only the poll cycle and the running program
#   bench/run.sh list     only the Startup entries window with 1,000 entries
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
only=${1:-}
program() {  # the built corvane.exe as Wine names it
  echo "Z:${build//\//\\}\\win-$arch\\src\\corvane.exe"
}

bash "$root/scripts/setup.sh"
arch=$main_arch
# One bench of the running program alone: growth or list.
if [ "$only" = growth ] || [ "$only" = list ]; then
  configure_windows "$arch"
  cmake --build "$build/win-$arch" -j"$jobs" --target corvane "corvane_${only}_bench"
  start_virtual_display
  trap 'stop_virtual_display; "$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" --stop' EXIT
  "$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" "$build/win-$arch/bench/corvane_${only}_bench.exe" "$(program)"
  exit 0
fi

if [ "$only" != watch ]; then
  configure_host "$build/host" -DCORVANE_BENCHMARKS=ON
  cmake --build "$build/host" -j"$jobs" --target corvane_bench
  "$build/host/bench/corvane_bench"
fi

configure_windows "$arch"
cmake --build "$build/win-$arch" -j"$jobs" --target corvane corvane_win_bench corvane_cycle_bench corvane_growth_bench corvane_latency_bench corvane_signature_bench corvane_list_bench
start_virtual_display
trap stop_virtual_display EXIT
if [ "$only" != watch ]; then
  "$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" "$build/win-$arch/bench/corvane_win_bench.exe"
  "$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" "$build/win-$arch/bench/corvane_signature_bench.exe"
  "$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" "$build/win-$arch/bench/corvane_list_bench.exe" "$(program)"
fi
"$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" "$build/win-$arch/bench/corvane_cycle_bench.exe"
if [ "$only" != watch ]; then
  "$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" "$build/win-$arch/bench/corvane_growth_bench.exe" "$(program)"
fi

# The latency bench has two phases of 35 seconds, without changes and with
# a service's key written nonstop; over 30 s of each the CPU time of
# corvane.exe and the Wine server is read from the system.
cpu_ticks() {  # PATTERN...: the user and system clock ticks of this prefix's processes named so
  local pid total=0 prefix=$build/win-$arch/wineprefix pattern
  for pattern in "$@"; do
    for pid in $(pgrep -f "$pattern"); do
      tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix" || continue
      total=$((total + $(awk '{print $14 + $15}' "/proc/$pid/stat" 2>/dev/null || echo 0)))
    done
  done
  echo "$total"
}
latency_log=$build/logs/latency-bench.log
mkdir -p "$build/logs"
"$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" "$build/win-$arch/bench/corvane_latency_bench.exe" \
  "$(program)" >"$latency_log" 2>&1 &
latency_pid=$!
cpu_over_30s() {  # MARKER: the CPU of the 30 s after the bench prints the line, in ms
  until grep -q "^$1" "$latency_log" || ! kill -0 "$latency_pid" 2>/dev/null; do sleep 0.2; done
  local program_before all_before program_after all_after ms=$((1000 / $(getconf CLK_TCK)))
  program_before=$(cpu_ticks 'corvane\.exe$')
  all_before=$(cpu_ticks 'corvane\.exe$' wineserver)
  sleep 30
  program_after=$(cpu_ticks 'corvane\.exe$')
  all_after=$(cpu_ticks 'corvane\.exe$' wineserver)
  echo "$(( (all_after - all_before) * ms )) ms (corvane.exe alone: $(( (program_after - program_before) * ms )) ms)"
}
idle_cpu=$(cpu_over_30s 'idle for')
busy_cpu=$(cpu_over_30s 'service written for')
wait "$latency_pid" || true
cat "$latency_log"
echo "CPU of corvane.exe and the Wine server over 30 s without changes: $idle_cpu"
echo "CPU of corvane.exe and the Wine server over 30 s of service writes: $busy_cpu"
"$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" --stop
