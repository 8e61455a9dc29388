#!/usr/bin/env bash
# What `make run` does once everything is built: prepares a demo Halvora 7
# installation inside the project's Wine prefix and opens the installer there, on
# your display when DISPLAY is set, else on a virtual one (Xvfb).
#
#   scripts/run-installer.sh [INSTALLER.EXE]     (default: build/win/bin/HalvoraPluginInstaller.exe)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
installer=${1:-$root/build/win/bin/HalvoraPluginInstaller.exe}
if [ ! -f "$installer" ]; then
  echo "run-installer: $installer does not exist: build it first (make win)" >&2
  exit 1
fi

export WINEPREFIX="${HV_WINEPREFIX:-$root/build/wineprefix}"
"$here/wine-prefix.sh"

# Halvora 7 as the installer expects it: HALVORA.EXE of a size that releases able to
# load the plugin have (sparse: its bytes take no disk space) and a help file.
halvora="$WINEPREFIX/drive_c/Program Files/Veltro/Halvora 7"
mkdir -p "$halvora"
truncate -s 6000000 "$halvora/HALVORA.EXE"
[ -f "$halvora/HV7.chm" ] || printf 'Halvora 7 help (demo stand-in)\n' >"$halvora/HV7.chm"

echo "run-installer: a demo Halvora 7 is in $halvora"
echo "run-installer: pick a model, press Install and open C:\\Program Files\\Veltro\\Halvora 7\\HALVORA.EXE"
if [ -n "${DISPLAY:-}" ]; then
  exec "$here/wine-run.sh" "$installer"
fi
echo "run-installer: DISPLAY is not set: the installer runs on a virtual screen; Ctrl+C ends it"
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$here/wine-run.sh" "$installer"
