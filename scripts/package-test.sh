#!/usr/bin/env bash
# Checks the packages scripts/package.sh made in build/packages: each zip's
# contents, and each installer and the MSI installed and uninstalled silently
# under Wine in a throw-away prefix (the x86 installer only where 32-bit Wine
# runs; elsewhere the x64 one takes its switches in a second run).
# Uses DISPLAY, or a virtual display of its own when none is set. Prints
# "N passed, N failed" and exits non-zero on any failure.
set -uo pipefail
source "$(dirname "$0")/common.sh"
# The installers' shortcuts stay inside the throw-away prefixes.
export CORVANE_WINE_NO_MENUS=1

packages=$build/packages
version=$(sed -n 's/^project(Corvane VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane'
eventlog_key='HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application\Corvane'
passed=0 failed=0

check() {  # WHAT COMMAND...
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what" >&2; fi
}

# The zip holds one folder with the program, built for ARCH and without
# symbols, its help page, the readme and the licence; the installer is built
# for ARCH too and carries the version.
check_files() {  # NAME OBJDUMP_FORMAT
  local zip=$packages/Corvane-$version-$1.zip folder=Corvane-$version-$1
  local listed expected
  listed=$(unzip -Z1 "$zip" 2>/dev/null | sort | tr '\n' ' ')
  expected=$(printf '%s\n' "$folder/LICENSE" "$folder/README.txt" "$folder/corvane-help.html" \
             "$folder/corvane.exe" | sort | tr '\n' ' ')
  check "$1 zip lists [$listed]" test "$listed" = "$expected"
  local exe; exe=$(mktemp)
  unzip -p "$zip" "$folder/corvane.exe" >"$exe"
  local headers; headers=$(x86_64-w64-mingw32-objdump -h "$exe" 2>/dev/null)
  check "$1 zip's program is for $2" grep -q "file format $2" <<<"$headers"
  check "$1 zip's program has no debug sections" bash -c '! grep -q "\.debug" <<<"$1"' _ "$headers"
  rm -f "$exe"
  local setup=$packages/Corvane-$version-$1-setup.exe
  check "$1 installer is for $2" grep -q "file format $2" <<<"$(x86_64-w64-mingw32-objdump -f "$setup")"
  check "$1 installer's version information says $version" \
    grep -qx "$version.0.0" <<<"$(strings -el "$setup" | grep -A1 -x FileVersion)"
}

# Prints a registry value's data as reg.exe shows it, or nothing.
reg_value() {  # KEY VALUE [/reg:32]
  "$root/scripts/wine-run" "$prefix" "$wine_arch" reg query "$1" /v "$2" ${3:+"$3"} 2>/dev/null |
    tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

# The event log finds Corvane's messages in the installed program.
check_eventlog() {  # NAME FOLDER
  check "$1 registers the event log source" \
    test "$(reg_value "$eventlog_key" EventMessageFile)|$(reg_value "$eventlog_key" TypesSupported)" = "$2\\corvane.exe|0x7"
}

# Waits up to 30 s for a path to go: the uninstaller runs from a copy of
# itself and returns at once.
gone() {  # PATH
  for _ in $(seq 60); do [ -e "$1" ] || return 0; sleep 0.5; done
  return 1
}

# Installs silently with the given switches, checks what is there, plants
# user data, uninstalls silently (with Corvane running when RUNNING is 1)
# and checks that only that data is left.
check_installer() {  # NAME WINE_ARCH AUTORUN(0|1) RUNNING(0|1) [SWITCHES...]
  local name=$1 autorun=$3 running=$4 failed_before=$failed
  wine_arch=$2
  shift 4
  prefix=$build/packages-test/wineprefix-$wine_arch
  rm -rf "$prefix"
  local drive=$prefix/drive_c folder='C:\Program Files\Corvane'
  local installed=$drive/Program\ Files/Corvane
  local shortcut=$drive/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Corvane.lnk
  "$root/scripts/wine-run" "$prefix" "$wine_arch" "$packages/Corvane-$version-$name-setup.exe" /S "$@"

  local listed
  listed=$(ls "$installed" 2>/dev/null | tr '\n' ' ')
  check "$name installs [$listed]" \
    test "$listed" = "LICENSE README.txt Uninstall.exe corvane-help.html corvane.exe installed.txt "
  check_eventlog "$name" "$folder"
  check "$name makes the Start-menu shortcut" test -f "$shortcut"
  check "$name registers DisplayName" test "$(reg_value "$uninstall_key" DisplayName)" = Corvane
  check "$name registers DisplayVersion" test "$(reg_value "$uninstall_key" DisplayVersion)" = "$version"
  check "$name registers Publisher" test "$(reg_value "$uninstall_key" Publisher)" = "Halvorn LLC."
  check "$name registers InstallLocation" test "$(reg_value "$uninstall_key" InstallLocation)" = "$folder"
  check "$name registers UninstallString" \
    test "$(reg_value "$uninstall_key" UninstallString)" = "\"$folder\\Uninstall.exe\""
  if [ "$name" = x64 ]; then
    check "x64 registers in the 64-bit view only" test -z "$(reg_value "$uninstall_key" DisplayName /reg:32)"
  fi
  local expected_autorun=
  [ "$autorun" = 1 ] && expected_autorun="\"$folder\\corvane.exe\""
  check "$name autorun value is [$expected_autorun]" \
    test "$(reg_value "$run_key" Corvane)" = "$expected_autorun"

  # The user's data, which a silent uninstall keeps.
  local data=$drive/users/$(id -un)/AppData/Roaming/Corvane
  mkdir -p "$data" && echo "Evil" >"$data/blacklist"
  local pid=
  if [ "$running" = 1 ]; then
    # Started with the installer's rights (Wine's are an administrator's),
    # an installed Corvane keeps its key and baseline in the user's folder,
    # and moves there the log an earlier version kept beside the program.
    echo "old" >"$installed/corvane.log"
    setsid "$root/scripts/wine-run" "$prefix" "$wine_arch" "$installed/corvane.exe" </dev/null >/dev/null 2>&1 &
    for _ in $(seq 60); do [ -f "$data/baseline" ] && break; sleep 0.25; done
    check "$name's Corvane keeps its data in the user's folder" test -f "$data/key" -a -f "$data/baseline"
    check "$name's Corvane moved the earlier log there" test -f "$data/corvane.log" -a ! -e "$installed/corvane.log"
    pid=$(pgrep -f "$installed/corvane.exe" | head -1)
  fi
  "$root/scripts/wine-run" "$prefix" "$wine_arch" "$installed/Uninstall.exe" /S
  check "$name uninstall removes the program folder" gone "$installed"
  if [ "$running" = 1 ]; then
    check "$name started Corvane for the uninstall" test -n "$pid"
    check "$name uninstall closes the running Corvane" gone "/proc/${pid:-none}"
    check "$name silent uninstall keeps the saved baseline" test -f "$data/baseline"
  fi
  check "$name uninstall removes the shortcut" test ! -e "$shortcut"
  check "$name uninstall removes the Uninstall key" test -z "$(reg_value "$uninstall_key" DisplayName)"
  check "$name uninstall removes the autorun value" test -z "$(reg_value "$run_key" Corvane)"
  check "$name uninstall removes the event log source" test -z "$(reg_value "$eventlog_key" TypesSupported)"
  check "$name silent uninstall keeps the user's data" test -f "$data/blacklist"
  "$root/scripts/wine-run" "$prefix" "$wine_arch" --stop
  # Kept to look into when something failed.
  [ "$failed" = "$failed_before" ] && rm -rf "$prefix" "$prefix.lock"
}

# How many entries of Add/Remove Programs are named Corvane (the MSI keeps its
# own under its product code).
msi_entries() {
  "$root/scripts/wine-run" "$prefix" "$wine_arch" reg query "${uninstall_key%\\*}" /s 2>/dev/null |
    tr -d '\r' | grep -c "DisplayName *REG_SZ *Corvane$"
}

# The MSI installed silently without autorun, then removed silently: nothing
# of it stays, nor the autorun value that Corvane may have written since.
check_msi() {
  wine_arch=x86_64
  prefix=$build/packages-test/wineprefix-msi
  rm -rf "$prefix"
  local msi=$packages/Corvane-$version-x64.msi folder='C:\Program Files\Corvane' failed_before=$failed
  local installed=$prefix/drive_c/Program\ Files/Corvane
  "$root/scripts/wine-run" "$prefix" "$wine_arch" msiexec /i "$msi" /qn AUTORUN=0
  local listed
  listed=$(ls "$installed" 2>/dev/null | tr '\n' ' ')
  check "msi installs [$listed]" test "$listed" = "LICENSE README.txt corvane-help.html corvane.exe installed.txt "
  check "msi with AUTORUN=0 writes no autorun value" test -z "$(reg_value "$run_key" Corvane)"
  check_eventlog msi "$folder"
  check "msi registers its uninstall entry" test "$(msi_entries)" = 1
  # As if "Autorun Corvane on bootup" had been ticked since: removing the MSI
  # removes that value too.
  "$root/scripts/wine-run" "$prefix" "$wine_arch" reg add "$run_key" /v Corvane /d "\"$folder\\corvane.exe\"" /f \
    >/dev/null 2>&1
  # reg.exe, run by it, says when a value is not there.
  "$root/scripts/wine-run" "$prefix" "$wine_arch" msiexec /x "$msi" /qn >/dev/null 2>&1
  check "msi uninstall removes the program folder" gone "$installed"
  check "msi uninstall removes the autorun value Corvane wrote" test -z "$(reg_value "$run_key" Corvane)"
  check "msi uninstall removes the event log source" test -z "$(reg_value "$eventlog_key" TypesSupported)"
  check "msi uninstall removes its uninstall entry" test "$(msi_entries)" = 0
  "$root/scripts/wine-run" "$prefix" "$wine_arch" --stop
  [ "$failed" = "$failed_before" ] && rm -rf "$prefix" "$prefix.lock"
}

own_display=
if [ -z "${DISPLAY:-}" ]; then start_virtual_display || exit 1; own_display=1; fi
check_files x64 pei-x86-64
check_files x86 pei-i386
# The x64 installer with the defaults and a running Corvane to stop; the
# x86 one with autorun turned off and the program folder removed whole
# (without 32-bit Wine, the x64 one once more).
check_installer x64 x86_64 1 1
if [[ $(wine_arches) == *i686* ]]; then
  check_installer x86 i686 0 0 /AUTORUN=0
else
  check_installer x64 x86_64 0 0 /AUTORUN=0
fi
check_msi

[ -n "$own_display" ] && stop_virtual_display
echo "packages: $passed passed, $failed failed"
[ "$failed" = 0 ]
