#!/usr/bin/env bash
# Builds the main Corvane program, the x86_64 build, and starts it under
# 64-bit Wine (the 32-bit build is left aside: some machines cannot run 32-bit
# code at all). Uses your display when DISPLAY is set; otherwise starts a
# virtual one and says how to look at it. Prints the command that plants a
# startup entry, so that an alert comes up.
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
# wine-run gives a new prefix the fonts the tests and the screenshots use
# (Wine's own, Tahoma among them, and a CJK face linked to it); a prefix made
# before it did so is made again, or the windows would not look like the
# screenshots.
fonts=$prefix/drive_c/windows/Fonts
if [ -d "$prefix" ] && { [ ! -e "$fonts/tahoma.ttf" ] || [ ! -e "$fonts/wqy-microhei.ttc" ]; }; then
  echo "The Wine prefix $prefix lacks the fonts the tests use: making it again."
  "$root/scripts/wine-run" "$prefix" "$arch" --stop
  rm -rf "$prefix"
fi

echo "Starting the $arch build (64-bit Corvane under 64-bit Wine):"
echo "  $build/win-$arch/src/corvane.exe, in the Wine prefix $prefix"
echo "On a first run the options window comes up; after Save Corvane sits in the"
echo "notification area. To make an alert appear, plant a startup entry from"
echo "another terminal:"
echo "  WINEPREFIX=$prefix /usr/lib/wine/wine64 reg add" \
  "'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run' /v Test /d 'C:\\test.exe' /f"
status=0
"$root/scripts/wine-run" "$prefix" "$arch" "$build/win-$arch/src/corvane.exe" || status=$?
"$root/scripts/wine-run" "$prefix" "$arch" --stop
exit $status
