#!/usr/bin/env bash
# Runs every test: the native suite, the Windows suite of each Windows build this
# machine can run under Wine and Xvfb, each fuzzer once over its seeds and past
# failures, and each fuzzer for a short bounded time. Ends with one line that counts
# them all.
#
# Where Wine runs 32-bit programs, both Windows builds are tested: build/win (the
# installer we ship) and build/win64 (the same sources), side by side. Where it cannot
# (or HV_NO_32BIT=1), build/win64 is tested, and of build/win only the checks that read
# its files natively (ctest label "host"). Suites that do not wait on each other run in
# parallel as far as the cores allow; their output is shown whole, one after another.
#
#   scripts/run-tests.sh [FUZZ-SECONDS]   everything (make test; 30 s per fuzzer)
#   scripts/run-tests.sh --windows-only   the Windows suites alone (make test-win)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."
source "$here/wine-env.sh"
fuzz_secs=30 only_windows=no
case "${1:-}" in
  --windows-only) only_windows=yes ;;
  "") ;;
  *) fuzz_secs=$1 ;;
esac
jobs=$(nproc)
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

hv_wine_machine_line
if hv_wine_runs_32bit; then
  windows=(win win64)
else
  windows=(win64)
fi

passed=0; failed=0
count() { # LOG: adds the counts of the last ctest summary line of LOG to the totals
  local line total fails
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  fails=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - fails)); failed=$((failed + fails))
}

# A Windows build's suite under Wine on a virtual screen of its own (distinct first
# display numbers, so that two suites started together do not take the same one).
windows_suite() { # BUILD DISPLAY-NUMBER
  local build=$1 arch=win32
  [ "$build" = win64 ] && arch=win64
  echo "== Windows tests of build/$build under Wine ($arch)"
  scripts/wine-prefix.sh --arch="$arch" &&
    xvfb-run -a -n "$2" -s "-screen 0 1280x1024x24" \
      ctest --test-dir "build/$build" --output-on-failure -j "$jobs"
}

fuzz_replay() {
  echo "== fuzzers over their seeds and past failures (ASan, UBSan)"
  ctest --test-dir build/fuzz --output-on-failure -j "$jobs"
}

fuzz_bounded() {
  echo "== fuzzers (${fuzz_secs}s each)"
  scripts/run-fuzzers.sh "$fuzz_secs"
}

if [ "$only_windows" = no ]; then
  echo "== native tests"
  ctest --test-dir build/native --output-on-failure -j "$jobs" 2>&1 | tee "$logs/native"
  count "$logs/native"
fi

if [ "${windows[0]}" = win64 ]; then
  echo "== checks of build/win's files, read natively (the 32-bit programs are not started here)"
  ctest --test-dir build/win --output-on-failure -j "$jobs" -L host 2>&1 | tee "$logs/win-files"
  count "$logs/win-files"
fi

# Each Windows suite keeps one core busy; the fuzzers join them where a core is left.
pids=()
display=100
for build in "${windows[@]}"; do
  windows_suite "$build" "$display" >"$logs/$build" 2>&1 &
  pids+=($!)
  display=$((display + 100))
done
fuzz_alongside=no
if [ "$only_windows" = no ] && [ "$jobs" -gt "${#windows[@]}" ]; then
  fuzz_alongside=yes
  (fuzz_replay; fuzz_bounded) >"$logs/fuzz" 2>&1 &
  pids+=($!)
fi
for pid in "${pids[@]}"; do wait "$pid"; done
for build in "${windows[@]}"; do
  cat "$logs/$build"
  count "$logs/$build"
done
if [ "$only_windows" = no ]; then
  if [ "$fuzz_alongside" = no ]; then
    fuzz_replay >"$logs/fuzz" 2>&1
    fuzz_bounded >>"$logs/fuzz" 2>&1
  fi
  cat "$logs/fuzz"
  # The replay's ctest line, then one "fuzz: NAME ok" line per bounded run.
  count "$logs/fuzz"
  bounded=$(sed -n '/^== fuzzers (/,$p' "$logs/fuzz")
  if grep -q '^fuzz: .* FAILED' <<<"$bounded" || ! grep -q '^fuzz: .* ok' <<<"$bounded"; then
    failed=$((failed + 1))
  else
    passed=$((passed + $(grep -c '^fuzz: .* ok' <<<"$bounded")))
  fi
fi

echo
hv_wine_machine_line
echo "all: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
