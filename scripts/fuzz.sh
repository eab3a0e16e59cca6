#!/usr/bin/env bash
# Runs every fuzz target (or the named ones) for a set time:
#   scripts/fuzz.sh [SECONDS] [TARGET...]     (default 60 s; targets: ini_edit
#   blacklist log_line entry_split options)
# Builds them first with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer. New interesting inputs collect under
# build/fuzz/corpus; an input that breaks a property is written as
# build/fuzz/crash-* and belongs in tests/fuzz/corpus/TARGET/ from then on.
set -euo pipefail
source "$(dirname "$0")/common.sh"
bash "$root/scripts/setup.sh"

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(ini_edit blacklist log_line entry_split options)

configure_fuzz
cmake --build "$build/fuzz" -j"$jobs" >/dev/null
cd "$build/fuzz"
status=0
for target in "${targets[@]}"; do
  echo "== $target ($seconds s)"
  mkdir -p "corpus/$target"
  "tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    "corpus/$target" "$root/tests/fuzz/corpus/$target" 2>&1 | grep -E '^(stat::number_of_executed_units|property broken|==[0-9]+==ERROR|SUMMARY)' || status=1
  # grep finds the statistics line on success; a failure leaves a crash file.
  if ls crash-* leak-* timeout-* >/dev/null 2>&1; then status=1; fi
done
exit $status
