#!/usr/bin/env bash
# What `make run` does once everything is built: prepares a demo Halvora 7
# installation inside the project's Wine prefix, then
#  - with a display (DISPLAY set): opens the installer there for you to drive;
#  - without one: runs a demo install of MODEL (default D750) on a virtual screen
#    (Xvfb) through installer_demo.exe, which prints what happened and leaves a
#    screenshot of each step in build/run/.
# It runs the 32-bit installer we ship (build/win) where Wine starts 32-bit programs,
# and the 64-bit build of the same sources (build/win64) where it cannot.
#
#   [MODEL=D850] scripts/run-installer.sh [INSTALLER.EXE]
#                (default: HalvoraPluginInstaller.exe of that build)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
source "$here/wine-env.sh"
hv_wine_detect
arch=$HV_WINE_ARCH
build=$root/$(hv_wine_build)
if [ "$arch" = win64 ]; then
  echo "run-installer: this machine cannot run 32-bit programs ($HV_WINE_32BIT_FAILURE):" \
    "running the 64-bit build of the same sources, $build"
fi
installer=$(realpath -m "${1:-$build/bin/HalvoraPluginInstaller.exe}")
demo=$build/bin/installer_demo.exe
for program in "$installer" "$demo"; do
  if [ ! -f "$program" ]; then
    echo "run-installer: $program does not exist: build it first (make run builds it)" >&2
    exit 1
  fi
done

hv_wine_use "$arch"
"$here/wine-prefix.sh" --arch="$arch"

# Halvora 7 as the installer expects it: HALVORA.EXE of a size that releases able to
# load the plugin have (sparse: its bytes take no disk space) and a help file.
halvora="$WINEPREFIX/drive_c/Program Files/Veltro/Halvora 7"
mkdir -p "$halvora"
truncate -s 6000000 "$halvora/HALVORA.EXE"
[ -f "$halvora/HV7.chm" ] || printf 'Halvora 7 help (demo stand-in)\n' >"$halvora/HV7.chm"
echo "run-installer: a demo Halvora 7 is in $halvora"

if [ -n "${DISPLAY:-}" ]; then
  echo "run-installer: pick a model, press Install and open C:\\Program Files\\Veltro\\Halvora 7\\HALVORA.EXE"
  exec "$here/wine-run.sh" --arch="$arch" "$installer"
fi

model=${MODEL:-D750}
echo "run-installer: DISPLAY is not set: a demo install of the $model on a virtual screen"
# The demo runs in the project folder (drive Z: under Wine), so that the paths it
# prints are relative to it.
cd "$root"
rm -rf build/run
# Waiting for the Wine server to end lets Wine's desktop close before the virtual
# screen goes, which it would otherwise report as a broken X connection.
exec xvfb-run -a -s "$HV_XVFB_SCREEN" bash -c '"$@"; status=$?; wineserver -w; exit $status' \
  demo "$here/wine-run.sh" --arch="$arch" "$demo" \
  "Z:$installer" "$model" build/run 'C:\Program Files\Veltro\Halvora 7\HALVORA.EXE'
