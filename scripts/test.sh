#!/usr/bin/env bash
# Builds everything and runs every test: the host unit tests (plain and with
# AddressSanitizer and UndefinedBehaviorSanitizer), the fuzz targets for a
# few seconds each, and the Windows tests under Wine. Installs what it needs first. Exits non-zero on any failure.
set -uo pipefail
source "$(dirname "$0")/common.sh"

bash "$root/scripts/setup.sh" || exit 1

status=0
summaries=()
logs=$build/logs
mkdir -p "$logs"

run_ctest() {  # NAME DIR
  local name=$1 dir=$2
  echo "== $name tests"
  if ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 300 2>&1 | tee "$logs/$name.log"; then :; else status=1; fi
  summaries+=("$name: $(grep -E 'tests passed|tests failed' "$logs/$name.log" | tail -1)")
}

build_or_fail() {  # NAME DIR
  echo "== building $1"
  if ! cmake --build "$2" -j"$jobs" >"$logs/build-$1.log" 2>&1; then
    tail -40 "$logs/build-$1.log"
    echo "build of $1 failed" >&2
    status=1
    return 1
  fi
  grep -E 'warning:' "$logs/build-$1.log" | grep -v '/usr/src/googletest' | head -20 || true
  return 0
}

configure_host "$build/host"
build_or_fail host "$build/host" && run_ctest host "$build/host"

configure_host "$build/host-sanitize" -DCORVANE_SANITIZE=ON -DCORVANE_BENCHMARKS=OFF
build_or_fail host-sanitize "$build/host-sanitize" && run_ctest host-sanitize "$build/host-sanitize"

# Each fuzz target for a few seconds on its seed corpus (scripts/fuzz.sh runs
# them for longer).
configure_fuzz
build_or_fail fuzz "$build/fuzz" && run_ctest fuzz "$build/fuzz"

# The shipped 32-bit program is always built; the Wine tests run on the
# build that this machine can execute.
configure_windows i686
build_or_fail windows-i686 "$build/win-i686"
arch=$(wine_arch)
if [ "$arch" != i686 ]; then
  echo "== this kernel does not run 32-bit code; the Wine tests run on the x86_64 build"
  configure_windows "$arch"
  build_or_fail "windows-$arch" "$build/win-$arch" || arch=
fi

if [ -n "$arch" ]; then
  start_virtual_display || status=1
  run_ctest "wine-$arch" "$build/win-$arch"
  stop_wine_servers "$arch"
  stop_virtual_display
fi

echo
echo "== summary"
for line in "${summaries[@]}"; do echo "$line"; done
exit $status
