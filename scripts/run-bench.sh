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
