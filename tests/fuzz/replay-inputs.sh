#!/usr/bin/env bash
# Runs one fuzzer once over each of the given folders' files (its seeds and every input
# that ever made it fail), with no fuzzing: ctest alone then sees a fault that those
# inputs reach. A folder that does not exist holds no input.
# Usage: replay-inputs.sh FUZZER ARTIFACT_DIR INPUT_DIR...
set -euo pipefail
fuzzer=$1
artifacts=$2
shift 2
inputs=()
for dir in "$@"; do
  [ -d "$dir" ] || continue
  while IFS= read -r -d '' input; do inputs+=("$input"); done \
    < <(find "$dir" -type f -print0 | sort -z)
done
if [ ${#inputs[@]} -eq 0 ]; then
  echo "no input to replay for $(basename "$fuzzer")"
  exit 1
fi
mkdir -p "$artifacts"
"$fuzzer" -artifact_prefix="$artifacts/" "${inputs[@]}"
echo "$(basename "$fuzzer"): ${#inputs[@]} inputs replayed"
