#!/usr/bin/env bash
# check-format.sh [ROOT]: every C and C++ file of src/, tools/, tests/ and bench/ is
# laid out as .clang-format says, so that a change shows only what it changes. Prints
# clang-format's complaints and the files to run `clang-format-19 -i` on.
#
# One version on every machine: each clang-format release lays out some code its own
# way, so a check that took whichever one a machine has would pass on one release of
# Debian and fail on the next. Debian 12 (in its point releases) and Debian 13 both
# ship clang-format-19. HV_CLANG_FORMAT names another binary of that version.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
readonly wanted_major=19
formatter=${HV_CLANG_FORMAT:-clang-format-$wanted_major}
if ! command -v "$formatter" >/dev/null; then
  echo "check-format: $formatter is missing (the layout is clang-format $wanted_major's):" \
    "scripts/bootstrap.sh installs it" >&2
  exit 2
fi
version=$("$formatter" --version)
if [[ ! $version =~ version\ $wanted_major\. ]]; then
  echo "check-format: $formatter is not clang-format $wanted_major: $version" >&2
  exit 2
fi
echo "format: checked with ${version#*clang-format }"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
mapfile -d '' files < <(find src tools tests bench -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print0 | sort -z)
if "$formatter" --dry-run --Werror "${files[@]}" 2>"$out"; then
  echo "format: ${#files[@]} files as .clang-format says"
  exit 0
fi
cat "$out"
echo "format: these files differ from .clang-format ($formatter -i FILE):"
grep -o '^[^:]*:[0-9]*:[0-9]*: error' "$out" | cut -d: -f1 | sort -u | sed 's/^/  /'
exit 1
