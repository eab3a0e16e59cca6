#!/usr/bin/env bash
# Builds the main Corvane program, the x86_64 build, and starts it under
# 64-bit Wine. Uses your display when DISPLAY is set; otherwise starts a
# virtual one and says how to look at it.
set -euo pipefail
source "$(dirname "$0")/common.sh"

bash "$root/scripts/setup.sh"
arch=$main_arch
configure_windows "$arch"
cmake --build "$build/win-$arch" -j"$jobs" --target corvane

if [ -z "${DISPLAY:-}" ]; then
  start_virtual_display
  trap stop_virtual_display EXIT
  echo "No display was set: Corvane runs on the virtual display $DISPLAY."
  echo "Look at it with:  DISPLAY=$DISPLAY import -window root corvane.png"
fi

prefix=$build/run-prefix-$arch
echo "Starting the $arch build, $build/win-$arch/src/corvane.exe, under Wine (prefix $prefix)"
status=0
"$root/scripts/wine-run" "$prefix" "$arch" "$build/win-$arch/src/corvane.exe" || status=$?
"$root/scripts/wine-run" "$prefix" "$arch" --stop
exit $status
