#!/usr/bin/env bash
# Creates the project's Wine prefix of one architecture once, with the loader of that
# architecture (scripts/wine-env.sh): build/wineprefix for the 32-bit build,
# build/wineprefix64 for the 64-bit one. No first-run prompts, unmanaged X11 windows
# (without a window manager, managed windows that hide or close stall for about two
# seconds), and a program that crashes ends at once with a backtrace on stderr,
# instead of waiting in the crash dialog until its test times out. The fonts that
# Wine itself ships (Marlett draws the title-bar buttons) are put in the prefix's
# Fonts folder, where Wine 8 looks for them.
#
#   scripts/wine-prefix.sh [--arch=win32|win64]   (default: what this machine runs)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
arch=""
case "${1:-}" in
  --arch=*) arch=${1#--arch=} ;;
  "") arch=$(hv_wine_arch) ;;
  *) echo "usage: wine-prefix.sh [--arch=win32|win64]" >&2; exit 2 ;;
esac
hv_wine_use "$arch"
# Named anew whenever the settings below change, so that an older prefix takes them.
ready="$WINEPREFIX/.hv-ready-3"
[ -f "$ready" ] && exit 0

mkdir -p "$WINEPREFIX"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$ready" ] && exit 0
echo "wine-prefix: creating $WINEPREFIX ($arch)" >&2
log="$WINEPREFIX.log"
# Each step's output goes to the log, shown with the step when it fails.
step() {
  if ! DISPLAY= "$@" >>"$log" 2>&1; then
    tail -n 20 "$log" >&2
    echo "wine-prefix: '$*' failed while making $WINEPREFIX (the whole output is in $log)." >&2
    echo "wine-prefix: remove the prefix (rm -rf '$WINEPREFIX') and try again; if it fails again, reinstall Wine with scripts/bootstrap.sh." >&2
    exit 1
  fi
}
: >"$log"
step "$WINELOADER" wineboot -i
step "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
step "$WINELOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
step wineserver -w
fonts="$WINEPREFIX/drive_c/windows/Fonts"
for font in /usr/share/wine/fonts/*.ttf; do
  [ -f "$font" ] && cp -f "$font" "$fonts/"
done
touch "$ready"
