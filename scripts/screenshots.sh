#!/usr/bin/env bash
# Takes the README's screenshots: the main window as a first run shows it,
# and an alert about a new value in the current user's Run key. Builds
# corvane.exe and its helper corvane_poke, runs them under Wine on a virtual
# display in a throw-away prefix, and saves
#   docs/screenshots/main-window.png and docs/screenshots/alert.png.
set -euo pipefail
source "$(dirname "$0")/common.sh"

arch=$main_arch
configure_windows "$arch"
cmake --build "$build/win-$arch" -j"$jobs" --target corvane corvane_poke >/dev/null
corvane=$build/win-$arch/src/corvane.exe
poke=$build/win-$arch/tests/corvane_poke.exe
prefix=$build/screenshots-prefix-$arch
shots=$root/docs/screenshots
logs=$build/logs
mkdir -p "$shots" "$logs"
: >"$logs/screenshots.log"
wine=("$root/scripts/wine-run" "$prefix" "$arch")

# A fresh prefix has no options file, so the program starts as a first run.
rm -rf "$prefix" "$prefix.lock"
finish() {
  "${wine[@]}" --stop
  [ -n "${corvane_pid:-}" ] && wait "$corvane_pid" 2>/dev/null || true
  stop_virtual_display
  rm -rf "$prefix" "$prefix.lock"
}
start_virtual_display
trap finish EXIT

# Saves the screen's part under the program's window (main or alert).
shoot() {  # WHICH FILE
  "${wine[@]}" "$poke" where "$1" >"$logs/screenshots-place.txt" 2>>"$logs/screenshots.log"
  local place
  place=$(tr -d '\r' <"$logs/screenshots-place.txt")
  sleep 1  # a window that has just come up may not be painted yet
  import -window root -crop "$place" +repage "$2"
  echo "saved $2 ($place)"
}

"${wine[@]}" "$corvane" >>"$logs/screenshots.log" 2>&1 &
corvane_pid=$!
shoot main "$shots/main-window.png"

"${wine[@]}" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Updater \
  /d 'C:\Program Files\Updater\updater.exe' /f >>"$logs/screenshots.log" 2>&1
"${wine[@]}" "$poke" tick >>"$logs/screenshots.log" 2>&1
shoot alert "$shots/alert.png"
