#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's own prefix (never the user's).
# The prefix is made on first use by wine-prefix.sh. Used as CMake's cross-compiling
# emulator, so ctest runs the Windows tests through this script.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${HV_WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
"$here/wine-prefix.sh"
exec wine "$@"
