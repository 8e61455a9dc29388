#!/usr/bin/env bash
# Runs each libFuzzer target of build/fuzz for a bounded time, seeded from
# tests/fuzz/corpus/<target>. A crash or sanitizer report fails the run.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."
secs=${1:-30}
status=0
for fuzzer in build/fuzz/bin/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  seeds="tests/fuzz/corpus/$name"
  work="build/fuzz/corpus/$name"
  mkdir -p "$work"
  out=$(mktemp)
  if "$fuzzer" -max_total_time="$secs" -print_final_stats=1 -rss_limit_mb=2048 \
       -artifact_prefix="build/fuzz/" "$work" $( [ -d "$seeds" ] && echo "$seeds" ) >"$out" 2>&1; then
    runs=$(grep -E '^stat::number_of_executed_units' "$out" | awk '{print $2}')
    echo "fuzz: $name ok (${runs:-?} runs in ${secs}s)"
  else
    tail -n 40 "$out"
    echo "fuzz: $name FAILED"
    status=1
  fi
  rm -f "$out"
done
exit $status
