#!/usr/bin/env bash
# Runs every test: the native suite, the Windows suite under Wine and Xvfb, each
# fuzzer once over its seeds and past failures, and each fuzzer for a short bounded
# time. Ends with one line that counts them all.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."
fuzz_secs=${1:-30}
jobs=$(nproc)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

passed=0; failed=0
count() { # adds the counts of one ctest summary line to the totals
  local line total fails
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  fails=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - fails)); failed=$((failed + fails))
}

echo "== native tests"
ctest --test-dir build/native --output-on-failure -j "$jobs" 2>&1 | tee "$log"; count

echo "== Windows tests (Wine)"
scripts/wine-prefix.sh
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir build/win --output-on-failure -j "$jobs" 2>&1 | tee "$log"; count

echo "== fuzzers over their seeds and past failures (ASan, UBSan)"
ctest --test-dir build/fuzz --output-on-failure -j "$jobs" 2>&1 | tee "$log"; count

echo "== fuzzers (${fuzz_secs}s each)"
if scripts/run-fuzzers.sh "$fuzz_secs" 2>&1 | tee "$log"; then
  passed=$((passed + $(grep -c '^fuzz: .* ok' "$log")))
else
  failed=$((failed + 1))
fi

echo
echo "all: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
