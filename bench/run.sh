#!/usr/bin/env bash
# Runs the benchmarks: the host snapshot scan at 100, 1,000 and 10,000
# entries, a scan of the real Wine registry by the Windows build, and the
# poll cycle against the bare loop on a realistic machine (quiet cycles and
# cycles with one change, in turns).
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

bash "$root/scripts/setup.sh"
configure_host "$build/host" -DCORVANE_BENCHMARKS=ON
cmake --build "$build/host" -j"$jobs" --target corvane_bench
"$build/host/bench/corvane_bench"

arch=$main_arch
configure_windows "$arch"
cmake --build "$build/win-$arch" -j"$jobs" --target corvane_win_bench corvane_cycle_bench
start_virtual_display
trap stop_virtual_display EXIT
"$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" "$build/win-$arch/bench/corvane_win_bench.exe"
"$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" "$build/win-$arch/bench/corvane_cycle_bench.exe"
"$root/scripts/wine-run" "$build/win-$arch/wineprefix" "$arch" --stop
