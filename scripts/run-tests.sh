#!/usr/bin/env bash
# Runs every test: the native suite (built with AddressSanitizer and UBSan, in
# build/asan), the Windows suite of each Windows build this
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
# The Windows test kit (make windows-kit) is tried as a maintainer runs it: unzipped
# into C:\kit of a fresh Wine prefix of its own (build/kit/), run-tests.cmd run by
# Wine's cmd, its closing line "N passed, M failed" added to the totals; the 64-bit
# twin where no 32-bit program runs. The kit's run stands in for the ctest run of the
# test programs it carries (ctest label "kit"), so that each of them runs once per
# build: ctest runs the rest of that build's tests. Both zips are checked to carry
# build/win's and build/win64's installer byte for byte, a manifest in every program,
# and to name no path of this machine.
#
# Windows shows the DPI-unaware installer 96 DPI at any display scaling, Wine the
# prefix's DPI: the kit runs at 96 DPI, as on a maintainer's Windows, and where both
# builds run, build/win64's suite runs in a prefix at 144 DPI, so that the same sources
# are held to a scaled screen as well.
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

hv_wine_detect
hv_wine_machine_line
if [ "$HV_WINE_ARCH" = win32 ]; then
  windows=(win win64)
else
  windows=(win64)
fi
kit_build=$(hv_wine_build)  # the build whose kit runs under Wine

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
  local build=$1 arch=win32 skip=()
  [ "$build" = win64 ] && arch=win64
  if [ "build/$build" = "$kit_build" ]; then
    skip=(-LE kit)
    echo "== Windows tests of build/$build under Wine ($arch), but those the kit runs"
    scripts/wine-prefix.sh --arch="$arch" || return 1
  else
    echo "== Windows tests of build/$build under Wine ($arch) at 144 DPI"
    export HV_WINEPREFIX64="$PWD/build/wineprefix64-144dpi"
    hv_wine_use "$arch" && scripts/wine-prefix.sh --arch="$arch" && prefix_dpi 144 || return 1
  fi
  xvfb-run -a -n "$2" -s "$HV_XVFB_SCREEN" \
    ctest --test-dir "build/$build" --output-on-failure -j "$jobs" "${skip[@]}"
}

# Sets the DPI of the prefix hv_wine_use chose, as Windows' display settings would.
prefix_dpi() { # DPI
  {
    DISPLAY= "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f &&
      DISPLAY= "$WINELOADER" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
        /v LogPixels /t REG_DWORD /d "$1" /f && wineserver -w
  } >/dev/null 2>&1
}

# The kit of ARCH's build as make windows-kit leaves it in build/kit/.
kit_zip() { # ARCH
  local facts
  facts="$(hv_wine_build "$1")/project-facts.sh"
  (source "$facts" && echo "build/kit/${HV_KIT_ZIP##*/}")
}

# kit_check NAME COMMAND...: one check of the kit, counted like a test.
kit_check() {
  local name=$1; shift
  if "$@"; then echo "kit check passed: $name"; else echo "kit check FAILED: $name"; fi
}

# The unzipped kit FOLDER names no path of this machine: not the repository's, not
# Wine's drive Z: (looked for outside the plugin's files and containers, whose bytes
# may hold those three by chance).
kit_names_no_path() { # FOLDER
  local found
  found=$(grep -rlaF "$PWD" "$1"
    grep -rlaF --exclude-dir=payload --exclude-dir=containers 'Z:\' "$1")
  [ -z "$found" ] || { echo "these files of the kit name a path of this machine:"; echo "$found"; return 1; }
}

# Every program of the unzipped kit FOLDER carries a manifest (resource type 24) with its
# level: administrator rights for the installer, as invoked for every other.
kit_manifests() { # FOLDER
  local exe level missing=""
  while IFS= read -r -d '' exe; do
    level=asInvoker
    [ "$(basename "$exe")" = HalvoraPluginInstaller.exe ] && level=requireAdministrator
    # A resource directory entry of type 24 (grep reads to the end: no broken pipe).
    if [ "$(x86_64-w64-mingw32-objdump -p "$exe" | grep -c 'Entry: ID: 0x000018, Value: 0x8')" = 0 ] ||
      ! grep -qaF "level=\"$level\"" "$exe"; then
      missing+=" ${exe#"$1/"}"
    fi
  done < <(find "$1" -name '*.exe' -not -path '*/data/payload/*' -print0)
  [ -z "$missing" ] || { echo "these programs of the kit lack a manifest or its level:$missing"; return 1; }
}

# The kit of ARCH unzipped into FOLDER (made anew), and checked as files: its installer
# is its build's, byte for byte, every program carries a manifest, and it names no path
# of this machine.
kit_unzipped() { # ARCH FOLDER
  local arch=$1 folder=$2 build bits=32-bit zip
  build=$(hv_wine_build "$arch")
  [ "$arch" = win64 ] && bits=64-bit
  zip=$PWD/$(kit_zip "$arch")
  rm -rf "$folder"
  cmake -E make_directory "$folder" && (cd "$folder" && cmake -E tar xf "$zip") || return 1
  kit_check "the $bits kit's installer is $build's" \
    cmp "$folder/HalvoraPluginInstaller.exe" "$build/bin/HalvoraPluginInstaller.exe"
  kit_check "every program of the $bits kit carries a manifest" kit_manifests "$folder"
  kit_check "the $bits kit names no path of this machine" kit_names_no_path "$folder"
}

# The kit of ARCH's build, unzipped into C:\kit of a fresh prefix build/kit/wineprefix
# (wineprefix64), run on a virtual screen of its own at 96 DPI.
kit_suite() { # ARCH DISPLAY-NUMBER
  local arch=$1 bits=32-bit folder line
  [ "$arch" = win64 ] && bits=64-bit
  echo "== the Windows test kit ($bits, $(kit_zip "$arch")) under Wine ($arch) at 96 DPI"
  export HV_WINEPREFIX="$PWD/build/kit/wineprefix" HV_WINEPREFIX64="$PWD/build/kit/wineprefix64"
  # A fresh prefix each time (it takes seconds): nothing of an earlier run stays.
  hv_wine_use "$arch" && rm -rf "$WINEPREFIX" && scripts/wine-prefix.sh --arch="$arch" || return 1
  folder="$WINEPREFIX/drive_c/kit"
  kit_unzipped "$arch" "$folder" || return 1
  local started=$SECONDS
  (cd "$folder" && timeout 1800 xvfb-run -a -n "$2" -s "$HV_XVFB_SCREEN" \
    "$WINELOADER" cmd /c 'C:\kit\run-tests.cmd' </dev/null 2>&1) | tr -d '\r'
  wineserver -k 2>/dev/null || true
  echo "the kit's run took $((SECONDS - started)) s"
  kit_check "the kit wrote report.txt" test -s "$folder/report.txt"
  echo "-- report.txt:"
  tr -d '\r' <"$folder/report.txt"
  line=$(tr -d '\r' <"$folder/report.txt" | grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -n 1)
  [ -z "$line" ] || echo "kit run: $line"
}

# The 32-bit kit where it is not run: unzipped to be checked as files.
kit_files() {
  echo "== the 32-bit Windows test kit ($(kit_zip win32)), checked as files"
  kit_unzipped win32 build/kit/check-32
}

# A kit log's counts: its checks, and each run's closing line (a run without one: a failure).
count_kit() { # LOG
  local line runs results=0
  passed=$((passed + $(grep -c '^kit check passed: ' "$1")))
  failed=$((failed + $(grep -c '^kit check FAILED: ' "$1")))
  runs=$(grep -c '^== the Windows test kit' "$1")
  while read -r line; do
    line=${line#*: }
    passed=$((passed + ${line%% passed*}))
    line=${line#*, }
    failed=$((failed + ${line%% failed}))
    results=$((results + 1))
  done < <(grep -E '^kit run: [0-9]+ passed, [0-9]+ failed$' "$1")
  [ "$results" -ge "$runs" ] || failed=$((failed + runs - results))
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
  echo "== native tests (AddressSanitizer, UBSan: build/asan)"
  ctest --test-dir build/asan --output-on-failure -j "$jobs" 2>&1 | tee "$logs/native"
  count "$logs/native"
fi

if [ "${windows[0]}" = win64 ]; then
  echo "== checks of build/win's files, read natively (the 32-bit programs are not started here)"
  ctest --test-dir build/win --output-on-failure -j "$jobs" -L host 2>&1 | tee "$logs/win-files"
  count "$logs/win-files"
fi

# Each Windows suite keeps one core busy, and so does the kit; the fuzzers join them
# where a core is left.
pids=()
display=100
for build in "${windows[@]}"; do
  windows_suite "$build" "$display" >"$logs/$build" 2>&1 &
  pids+=($!)
  display=$((display + 100))
done
{ [ "$HV_WINE_ARCH" = win32 ] || kit_files; kit_suite "$HV_WINE_ARCH" "$display"; } >"$logs/kit" 2>&1 &
pids+=($!)
fuzz_alongside=no
if [ "$only_windows" = no ] && [ "$jobs" -gt $((${#windows[@]} + 1)) ]; then
  fuzz_alongside=yes
  (fuzz_replay; fuzz_bounded) >"$logs/fuzz" 2>&1 &
  pids+=($!)
fi
for pid in "${pids[@]}"; do wait "$pid"; done
for build in "${windows[@]}"; do
  cat "$logs/$build"
  count "$logs/$build"
done
cat "$logs/kit"
count_kit "$logs/kit"
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
