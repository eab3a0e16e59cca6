#!/usr/bin/env bash
# Builds everything and runs every test: the host unit tests (plain and with
# AddressSanitizer and UndefinedBehaviorSanitizer), the fuzz targets for a
# few seconds each, both Windows programs (x86_64, the main one, and i686)
# with their release folders under build/release, and the Windows tests
# under Wine, and the packages: each zip's contents, each installer installed
# and uninstalled under Wine. Installs what it needs first. Prints how long
# each build and each suite took, and the whole run. Exits non-zero on any
# failure.
#   scripts/test.sh --quick   only the host tests and the x86_64 Wine tests,
#                             with the two builds they need
set -uo pipefail
source "$(dirname "$0")/common.sh"

quick=
case "${1:-}" in
  "") ;;
  --quick) quick=1 ;;
  *) echo "usage: scripts/test.sh [--quick]" >&2; exit 2 ;;
esac

bash "$root/scripts/setup.sh" || exit 1

status=0
summaries=()
timings=()
logs=$build/logs
mkdir -p "$logs"

# Prints how long a step took since START (a value of $SECONDS) and notes it
# for the table at the end.
took() {  # WHAT START
  local seconds=$((SECONDS - $2)) time
  time=$(printf '%dm%02ds' $((seconds / 60)) $((seconds % 60)))
  echo "== $1 took $time"
  timings+=("$(printf '%-24s %7s' "$1" "$time")")
}

run_ctest() {  # NAME DIR
  local name=$1 dir=$2 start=$SECONDS
  echo "== $name tests"
  if ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 300 2>&1 | tee "$logs/$name.log"; then :; else status=1; fi
  summaries+=("$name: $(grep -E 'tests passed|tests failed' "$logs/$name.log" | tail -1)")
  took "$name tests" "$start"
}

build_or_fail() {  # NAME DIR
  local start=$SECONDS
  echo "== building $1"
  if ! cmake --build "$2" -j"$jobs" >"$logs/build-$1.log" 2>&1; then
    tail -40 "$logs/build-$1.log"
    echo "build of $1 failed" >&2
    status=1
    took "building $1" "$start"
    return 1
  fi
  grep -E 'warning:' "$logs/build-$1.log" | grep -v '/usr/src/googletest' | head -20 || true
  took "building $1" "$start"
  return 0
}

configure_host "$build/host"
build_or_fail host "$build/host" && run_ctest host "$build/host"

if [ -z "$quick" ]; then
  configure_host "$build/host-sanitize" -DCORVANE_SANITIZE=ON -DCORVANE_BENCHMARKS=OFF
  build_or_fail host-sanitize "$build/host-sanitize" && run_ctest host-sanitize "$build/host-sanitize"

  # Each fuzz target for a few seconds on its seed corpus (scripts/fuzz.sh
  # runs them for longer).
  configure_fuzz
  build_or_fail fuzz "$build/fuzz" && run_ctest fuzz "$build/fuzz"
fi

# Both Windows programs are always built (with --quick only the main one),
# each with its release folder: x86_64, the main one, and i686 beside it. The Wine tests run on every
# build this machine can execute, each suite on the same display; each
# stops its Wine servers before the next one starts.
built=()
windows_arches="$main_arch i686"
[ -n "$quick" ] && windows_arches=$main_arch
for arch in $windows_arches; do
  configure_windows "$arch"
  if build_or_fail "windows-$arch" "$build/win-$arch"; then
    built+=("$arch")
    make_release "$arch" || status=1
  fi
done

wine_runs=$(wine_arches)
[ -n "$quick" ] && wine_runs=$main_arch
[ -n "$quick" ] || [[ $wine_runs == *i686* ]] || echo "== this kernel does not run 32-bit code; no Wine tests of the i686 build"
start_virtual_display || status=1
for arch in $wine_runs; do
  [[ " ${built[*]} " == *" $arch "* ]] || continue
  run_ctest "wine-$arch" "$build/win-$arch"
  stop_wine_servers "$arch"
done

# The packages of both builds (they need both programs), checked under Wine.
if [ -z "$quick" ] && [ ${#built[@]} = 2 ]; then
  echo "== packages"
  start=$SECONDS
  rm -f "$logs/package-test.log"
  if bash "$root/scripts/package.sh" >"$logs/package.log" 2>&1; then
    bash "$root/scripts/package-test.sh" 2>&1 | tee "$logs/package-test.log" || status=1
  else
    tail -20 "$logs/package.log"
    status=1
  fi
  summaries+=("$(tail -1 "$logs/package-test.log" 2>/dev/null || echo "packages: not built")")
  took "packages" "$start"
fi
stop_virtual_display

echo
echo "== summary"
for line in "${summaries[@]}"; do echo "$line"; done
echo
echo "== time"
took total 0 >/dev/null
for line in "${timings[@]}"; do echo "$line"; done
exit $status
