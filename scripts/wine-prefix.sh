#!/usr/bin/env bash
# Creates the project's Wine prefix once: a 32-bit-capable prefix with no first-run
# prompts and unmanaged X11 windows (without a window manager, managed windows that
# hide or close stall for about two seconds). A program that crashes ends at once with
# a backtrace on stderr, instead of waiting in the crash dialog until its test times out.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${HV_WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Named anew whenever the settings below change, so that an older prefix takes them.
ready="$WINEPREFIX/.hv-ready-2"
[ -f "$ready" ] && exit 0

mkdir -p "$WINEPREFIX"
lock="$WINEPREFIX.lock"
exec 9>"$lock"
flock 9
[ -f "$ready" ] && exit 0
echo "wine-prefix: creating $WINEPREFIX" >&2
DISPLAY= wineboot -i >/dev/null 2>&1
DISPLAY= wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
DISPLAY= wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
  >/dev/null 2>&1
wineserver -w
touch "$ready"
