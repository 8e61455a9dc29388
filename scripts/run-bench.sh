#!/usr/bin/env bash
# Benchmarks of the native build (make bench). Each section prints its figures;
# the codec section ends with one "summary:" line per input.
#
#   scripts/run-bench.sh [FOLDER...]   extra folders are measured as codec inputs too
#   HV_NATIVE_BUILD=build/x scripts/run-bench.sh   another native build folder
#   HV_WIN_BUILD=build/y scripts/run-bench.sh      another Windows build folder
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."
native=${HV_NATIVE_BUILD:-build/native}

echo "== codec benchmark"
codec_bench=$native/bin/codec_bench
if [ ! -x "$codec_bench" ]; then
  echo "run-bench: $codec_bench is missing: run make native first" >&2
  exit 1
fi
# The stand-in payload as a whole (what start-up decodes), then each stored-file set.
standin=$native/payload/standin
inputs=()
if [ -d "$standin" ] && [ -n "$(ls -A "$standin")" ]; then
  inputs+=("$standin")
  for set in "$standin"/*/; do
    [ -d "$set" ] && inputs+=("${set%/}")
  done
else
  echo "run-bench: no stand-in payload in $standin; measuring the synthetic input instead"
  inputs+=(--synthetic)
fi
"$codec_bench" "${inputs[@]}" "$@"

echo
# The 32-bit installer we ship where Wine starts 32-bit programs; elsewhere the 64-bit
# build of the same sources, against the 64-bit minimal window.
source "$here/wine-env.sh"
hv_wine_detect
arch=$HV_WINE_ARCH
win=${HV_WIN_BUILD:-$(hv_wine_build)}
if [ "$arch" = win32 ]; then
  echo "== start-up benchmark (the 32-bit installer, $win, under Wine)"
else
  echo "== start-up benchmark (the 64-bit build, $win, under Wine: this machine cannot run" \
    "32-bit programs: $HV_WINE_32BIT_FAILURE)"
fi
if [ ! -f "$win/bin/startup_bench.exe" ] || [ ! -f "$win/bin/HalvoraPluginInstaller.exe" ]; then
  echo "run-bench: $win/bin has no startup_bench.exe or installer: build it first (make bench builds it)" >&2
  exit 1
fi
source "$win/project-facts.sh"  # HV_PAYLOAD_BYTES: what start-up decodes
winpath() { echo "Z:$(readlink -f "$1" | tr / '\\')"; }
hv_wine_use "$arch"
scripts/wine-prefix.sh --arch="$arch"
# Waiting for the Wine server lets Wine's desktop close before the virtual screen goes.
xvfb-run -a -s "$HV_XVFB_SCREEN" bash -c '"$@"; status=$?; wineserver -w; exit $status' \
  bench scripts/wine-run.sh --arch="$arch" "$win/bin/startup_bench.exe" \
  "$(winpath "$win/bin/HalvoraPluginInstaller.exe")" "$(winpath "$win/bin/minimal_window.exe")" "$HV_PAYLOAD_BYTES" 7
