#!/usr/bin/env bash
# Builds the rule files natively with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, runs their tests, then runs every fuzz target
# for the given number of seconds (default 60) from its seeds in
# native/corpus/<target>/. Name targets after the seconds to run only those
# (agreement_rows destination ...).
#
# What a run finds is kept in build-native/fuzz-work/: the grown corpus per
# target, and the input that broke a property as <target>-crash-<hash>.
# Once the fault is fixed, copy that input into native/corpus/<target>/ so
# every later run tries it first.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
build=build-native
work=$build/fuzz-work

cmake -S native -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2
ctest --test-dir "$build" --output-on-failure

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in native/corpus/*/; do
    targets+=("$(basename "$dir")")
  done
fi

failed=()
for target in "${targets[@]}"; do
  mkdir -p "$work/$target"
  max_len=4096
  # The packer's ring window is 4096 bytes: longer inputs wrap it.
  [ "$target" = szdd_roundtrip ] && max_len=20000
  log=$work/$target.log
  if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
      -max_len=$max_len -print_final_stats=1 \
      -artifact_prefix="$work/$target-" \
      "$work/$target" "native/corpus/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz_$target: ${runs:-?} inputs in ${seconds}s, no property broken"
  else
    echo "fuzz_$target FAILED; log: $log" >&2
    grep -m3 -E 'property broken|ERROR|runtime error|Test unit written' \
      "$log" >&2 || true
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Broken: ${failed[*]}" >&2
  exit 1
fi
