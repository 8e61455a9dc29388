#!/usr/bin/env bash
# Benchmarks of the native build (make bench). Each section prints its figures;
# the codec section ends with one "summary:" line per input.
#
#   scripts/run-bench.sh [FOLDER...]   extra folders are measured as codec inputs too
#   HV_NATIVE_BUILD=build/x scripts/run-bench.sh   another native build folder
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
echo "== start-up benchmark (Windows build under Wine)"
win=${HV_WIN_BUILD:-build/win}
if [ ! -f "$win/bin/startup_bench.exe" ] || [ ! -f "$win/bin/HalvoraPluginInstaller.exe" ]; then
  echo "run-bench: $win/bin has no startup_bench.exe or installer: run make win first" >&2
  exit 1
fi
decoded=$(awk '!/^[ \t]*#/ && NF == 3 { sum += $3 } END { print sum }' resources/payload-manifest.txt)
winpath() { echo "Z:$(readlink -f "$1" | tr / '\\')"; }
scripts/wine-prefix.sh
xvfb-run -a -s "-screen 0 1280x1024x24" scripts/wine-run.sh "$win/bin/startup_bench.exe" \
  "$(winpath "$win/bin/HalvoraPluginInstaller.exe")" "$(winpath "$win/bin/minimal_window.exe")" "$decoded" 7
