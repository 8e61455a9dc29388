#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's own prefix of its architecture
# (never the user's), made on first use by wine-prefix.sh. Used as CMake's
# cross-compiling emulator, so ctest runs the Windows tests through this script.
#
#   scripts/wine-run.sh [--arch=win32|win64] PROGRAM [ARGUMENT...]
#   (default architecture: what this machine runs, see wine-env.sh)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
case "${1:-}" in
  --arch=*) arch=${1#--arch=}; shift ;;
  *) arch=$(hv_wine_arch) ;;
esac
[ $# -gt 0 ] || { echo "usage: wine-run.sh [--arch=win32|win64] PROGRAM [ARGUMENT...]" >&2; exit 2; }
hv_wine_use "$arch"
"$here/wine-prefix.sh" --arch="$arch"
exec "$WINELOADER" "$@"
