#!/usr/bin/env bash
# Wine for the project's scripts, sourced by them: which of the two Windows builds
# this machine can run, and the loader and prefix of each.
#
#   build/win   (i686, the installer we ship)  Wine's 32-bit loader, prefix build/wineprefix
#   build/win64 (x86_64, the same sources)     Wine's 64-bit loader, prefix build/wineprefix64
#
# Some x86-64 machines run no 32-bit program at all (kernels without IA-32
# emulation, gVisor, some virtual machines): there the 32-bit loader fails with
# "Exec format error", and the Windows programs run from the 64-bit build instead.
#
#   hv_wine_runs_32bit      true when the 32-bit loader starts here; otherwise sets
#                           HV_WINE_32BIT_FAILURE to why not. HV_NO_32BIT=1 makes it
#                           answer no on any machine, so that the path can be tried.
#   hv_wine_detect          sets HV_WINE_ARCH to the architecture that runs Windows
#                           programs here: win32 where it can, else win64 (and
#                           HV_WINE_32BIT_FAILURE to why)
#   hv_wine_arch            prints that architecture
#   hv_wine_build [ARCH]    prints the Windows build folder that ARCH (default: the
#                           one that runs here) starts: build/win or build/win64
#   hv_wine_use ARCH        exports WINEPREFIX, WINEARCH and WINELOADER for ARCH
#                           (win32 or win64); fails with a message when its loader
#                           cannot start here
#   hv_wine_machine_line    one sentence on what this machine runs, for the top of a run
#                           (from hv_wine_detect's answer, found out first if need be)
#
#   HV_XVFB_SCREEN          the screen of every virtual display (xvfb-run -s)
#
# HV_WINE32_LOADER and HV_WINE64_LOADER name other loaders (Debian's by default);
# HV_WINEPREFIX and HV_WINEPREFIX64 other prefixes.

hv_wine_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
hv_wine32_loader=${HV_WINE32_LOADER:-/usr/lib/wine/wine}
hv_wine64_loader=${HV_WINE64_LOADER:-/usr/lib/wine/wine64}
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Large enough for the installer's window and its dialogs at 96 DPI, in true colour.
HV_XVFB_SCREEN="-screen 0 1280x1024x24"

# Whether LOADER starts (its --version needs no prefix); sets hv_wine_failure to what
# went wrong when it does not.
hv_wine_loader_starts() {
  local loader=$1 output
  if [ ! -e "$loader" ]; then
    hv_wine_failure="$loader is not installed"
    return 1
  fi
  if ! output=$("$loader" --version 2>&1 </dev/null); then
    output=$(tail -n 1 <<<"$output" | sed 's/^.*: line [0-9]*: //')
    hv_wine_failure="$loader does not start: ${output#"$loader: "}"
    return 1
  fi
  return 0
}

hv_wine_runs_32bit() {
  HV_WINE_32BIT_FAILURE=""
  if [ "${HV_NO_32BIT:-0}" = 1 ]; then
    HV_WINE_32BIT_FAILURE="HV_NO_32BIT=1 is set"
    return 1
  fi
  if ! hv_wine_loader_starts "$hv_wine32_loader"; then
    HV_WINE_32BIT_FAILURE=$hv_wine_failure
    return 1
  fi
  return 0
}

hv_wine_detect() {
  if hv_wine_runs_32bit; then HV_WINE_ARCH=win32; else HV_WINE_ARCH=win64; fi
}

hv_wine_arch() {
  hv_wine_detect
  echo "$HV_WINE_ARCH"
}

hv_wine_build() {
  local arch=${1:-}
  if [ -z "$arch" ]; then
    [ -n "${HV_WINE_ARCH:-}" ] || hv_wine_detect
    arch=$HV_WINE_ARCH
  fi
  if [ "$arch" = win32 ]; then echo build/win; else echo build/win64; fi
}

hv_wine_machine_line() {
  [ -n "${HV_WINE_ARCH:-}" ] || hv_wine_detect
  if [ "$HV_WINE_ARCH" = win32 ]; then
    echo "This machine runs 32-bit programs: the Windows tests run on the 32-bit build (the installer we ship) and on the 64-bit build of the same sources."
  else
    echo "This machine cannot run 32-bit programs ($HV_WINE_32BIT_FAILURE): the Windows tests run on the 64-bit build of the same sources; the 32-bit installer is checked as a file, not started."
  fi
}

hv_wine_use() {
  local arch=$1 loader
  case "$arch" in
    win32)
      loader=$hv_wine32_loader
      export WINEPREFIX="${HV_WINEPREFIX:-$hv_wine_root/build/wineprefix}" ;;
    win64)
      loader=$hv_wine64_loader
      export WINEPREFIX="${HV_WINEPREFIX64:-$hv_wine_root/build/wineprefix64}" ;;
    *)
      echo "wine: unknown architecture '$arch' (win32 or win64)" >&2
      return 2 ;;
  esac
  if [ "$arch" = win32 ] && [ "${HV_NO_32BIT:-0}" = 1 ]; then
    echo "wine: HV_NO_32BIT=1 is set, so no 32-bit program is started here; use the 64-bit build (build/win64)" >&2
    return 1
  fi
  if ! hv_wine_loader_starts "$loader"; then
    echo "wine: cannot start $arch programs: $hv_wine_failure." >&2
    if [ "$arch" = win32 ] && [ -e "$loader" ]; then
      echo "wine: this machine runs no 32-bit program; use the 64-bit build (build/win64), which make test, make run and make bench choose by themselves here." >&2
    else
      echo "wine: install Wine with scripts/bootstrap.sh (packages wine, wine32:i386 and wine64)." >&2
    fi
    return 1
  fi
  export WINEARCH=$arch WINELOADER=$loader
}

# Run as a program: `wine-env.sh arch` prints hv_wine_arch, `wine-env.sh build`
# hv_wine_build, `wine-env.sh machine` the sentence (for the Makefile).
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  case "${1:-}" in
    arch) hv_wine_arch ;;
    build) hv_wine_build ;;
    machine) hv_wine_machine_line ;;
    *) echo "usage: wine-env.sh arch|build|machine (or source it)" >&2; exit 2 ;;
  esac
fi
