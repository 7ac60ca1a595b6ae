#!/usr/bin/env bash
# Runs each fuzz target from the seed corpus in fuzz/corpus and prints what each executed.
# New corpus entries go to a scratch folder, not the tree.
# A failure prints the input that caused it: save it under fuzz/corpus/ and it is tried on
# every later run.
#   tools/run_fuzzers.sh BUILD/fuzz SECONDS
set -uo pipefail
bin=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0 failed=0
for target in number calculation; do
  mkdir -p "$scratch/$target"
  log="$scratch/$target.log"
  started=$SECONDS
  if "$bin/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$scratch/" "$scratch/$target" "$root/fuzz/corpus/$target" >"$log" 2>&1; then
    passed=$((passed + 1))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    seed=$(sed -n 's/.*Seed: \([0-9]*\).*/\1/p' "$log" | head -n 1)
    echo "fuzz ${target}_fuzzer: $runs executions in $((SECONDS - started)) s from seed $seed, no crash"
  else
    failed=$((failed + 1))
    echo "fuzz ${target}_fuzzer FAILED:"
    tail -n 40 "$log"
    for artifact in "$scratch"/crash-* "$scratch"/leak-* "$scratch"/timeout-*; do
      [ -f "$artifact" ] && { echo "input ($artifact):"; od -c "$artifact" | head -n 20; }
    done
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" = 0 ]
