#!/usr/bin/env bash
# check-format.sh [ROOT]: every C and C++ file of src/, tools/, tests/ and bench/ is
# laid out as .clang-format says, so that a change shows only what it changes. Prints
# clang-format's complaints and the files to run `clang-format -i` on.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
if ! command -v clang-format >/dev/null; then
  echo "check-format: clang-format is missing: scripts/bootstrap.sh installs it" >&2
  exit 2
fi
out=$(mktemp)
trap 'rm -f "$out"' EXIT
mapfile -d '' files < <(find src tools tests bench -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print0 | sort -z)
if clang-format --dry-run --Werror "${files[@]}" 2>"$out"; then
  echo "format: ${#files[@]} files as .clang-format says"
  exit 0
fi
cat "$out"
echo "format: these files differ from .clang-format (clang-format -i FILE):"
grep -o '^[^:]*:[0-9]*:[0-9]*: error' "$out" | cut -d: -f1 | sort -u | sed 's/^/  /'
exit 1
