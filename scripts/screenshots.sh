#!/usr/bin/env bash
# Takes the README's screenshots. Builds corvane.exe and its helper
# corvane_poke, installs Corvane in C:\Program Files\Corvane of a throw-away
# Wine prefix (so its data folder is there too, and every run starts afresh),
# runs it on a virtual display and saves in docs/screenshots/:
#   main-window.png       the main window as a first run shows it
#   alert.png             an alert about a new value in the current user's
#                         Run key, with its command and publisher
#   alert-changed.png     an alert about that value once its command changed
#   removed-entries.png   the window of removed entries after three entries
#                         were declined
#   startup-entries.png   the Startup entries window with what starts then
set -euo pipefail
source "$(dirname "$0")/common.sh"

arch=$main_arch
configure_windows "$arch"
cmake --build "$build/win-$arch" -j"$jobs" --target corvane corvane_poke >/dev/null
built=$build/win-$arch/src
poke=$build/win-$arch/tests/corvane_poke.exe
prefix=$build/screenshots-prefix-$arch
shots=$root/docs/screenshots
logs=$build/logs
mkdir -p "$shots" "$logs"
: >"$logs/screenshots.log"
wine=("$root/scripts/wine-run" "$prefix" "$arch")
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
installed='C:\Program Files\Corvane\corvane.exe'

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

quietly() { "$@" >>"$logs/screenshots.log" 2>&1; }

# Saves the screen's part under one of the program's windows (main, alert
# or removed).
shoot() {  # WHICH FILE
  "${wine[@]}" "$poke" where "$1" >"$logs/screenshots-place.txt" 2>>"$logs/screenshots.log"
  local place
  place=$(tr -d '\r' <"$logs/screenshots-place.txt")
  sleep 1  # a window that has just come up may not be painted yet
  import -window root -crop "$place" +repage "$2"
  echo "saved $2 ($place)"
}

# Writes a Run value of the current user and has the program look at once.
plant_run_value() {  # NAME DATA
  quietly "${wine[@]}" reg add "$run_key" /v "$1" /d "$2" /f
  quietly "${wine[@]}" "$poke" tick
}

# Answers No to the alert, and OK to the notice that follows the removal.
decline() {
  quietly "${wine[@]}" "$poke" answer no
  quietly "${wine[@]}" "$poke" dismiss
}

# The first program run makes the prefix.
quietly "${wine[@]}" reg query "$run_key"
mkdir -p "$prefix/drive_c/Program Files/Corvane"
cp "$built/corvane.exe" "$built/corvane-help.html" "$prefix/drive_c/Program Files/Corvane/"

"${wine[@]}" "$installed" >>"$logs/screenshots.log" 2>&1 &
corvane_pid=$!
shoot main "$shots/main-window.png"

# The program itself, whose version information names its publisher.
plant_run_value Corvane "\"$installed\""
shoot alert "$shots/alert.png"
quietly "${wine[@]}" "$poke" answer yes

# The same value, now starting another program.
plant_run_value Corvane '"C:\Users\Public\Libraries\corvane.exe" /quiet'
shoot alert "$shots/alert-changed.png"
decline

# Two more entries declined, a Run value and a service, for the list.
plant_run_value Updater '"C:\Program Files\Updater\updater.exe" /background'
decline
quietly "${wine[@]}" reg add 'HKLM\SYSTEM\CurrentControlSet\Services\FastSync' \
  /v ImagePath /t REG_EXPAND_SZ /d 'C:\ProgramData\FastSync\fastsync.exe -service' /f
quietly "${wine[@]}" reg add 'HKLM\SYSTEM\CurrentControlSet\Services\FastSync' \
  /v Start /t REG_DWORD /d 2 /f
quietly "${wine[@]}" "$poke" tick
decline

quietly "${wine[@]}" "$poke" command 107
quietly "${wine[@]}" "$poke" select removed
shoot removed "$shots/removed-entries.png"

quietly "${wine[@]}" "$poke" close removed
quietly "${wine[@]}" "$poke" command 109
shoot startup "$shots/startup-entries.png"
