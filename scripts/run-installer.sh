#!/usr/bin/env bash
# What `make run` does once everything is built: prepares a demo Halvora 7
# installation inside the project's Wine prefix, then
#  - with a display (DISPLAY set): opens the installer there for you to drive;
#  - without one: runs a demo install of MODEL (default D750) on a virtual screen
#    (Xvfb) through build/win/bin/installer_demo.exe, which prints what happened
#    and leaves a screenshot of each step in build/run/.
#
#   [MODEL=D850] scripts/run-installer.sh [INSTALLER.EXE]
#                (default: build/win/bin/HalvoraPluginInstaller.exe)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
installer=$(realpath -m "${1:-$root/build/win/bin/HalvoraPluginInstaller.exe}")
demo=$root/build/win/bin/installer_demo.exe
for program in "$installer" "$demo"; do
  if [ ! -f "$program" ]; then
    echo "run-installer: $program does not exist: build it first (make win)" >&2
    exit 1
  fi
done

export WINEPREFIX="${HV_WINEPREFIX:-$root/build/wineprefix}"
"$here/wine-prefix.sh"

# Halvora 7 as the installer expects it: HALVORA.EXE of a size that releases able to
# load the plugin have (sparse: its bytes take no disk space) and a help file.
halvora="$WINEPREFIX/drive_c/Program Files/Veltro/Halvora 7"
mkdir -p "$halvora"
truncate -s 6000000 "$halvora/HALVORA.EXE"
[ -f "$halvora/HV7.chm" ] || printf 'Halvora 7 help (demo stand-in)\n' >"$halvora/HV7.chm"
echo "run-installer: a demo Halvora 7 is in $halvora"

if [ -n "${DISPLAY:-}" ]; then
  echo "run-installer: pick a model, press Install and open C:\\Program Files\\Veltro\\Halvora 7\\HALVORA.EXE"
  exec "$here/wine-run.sh" "$installer"
fi

model=${MODEL:-D750}
echo "run-installer: DISPLAY is not set: a demo install of the $model on a virtual screen"
# The demo runs in the project folder (drive Z: under Wine), so that the paths it
# prints are relative to it.
cd "$root"
rm -rf build/run
# Waiting for the Wine server to end lets Wine's desktop close before the virtual
# screen goes, which it would otherwise report as a broken X connection.
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '"$@"; status=$?; wineserver -w; exit $status' \
  demo "$here/wine-run.sh" "$demo" \
  "Z:$installer" "$model" build/run 'C:\Program Files\Veltro\Halvora 7\HALVORA.EXE'
