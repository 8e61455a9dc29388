#!/usr/bin/env bash
# Builds the installer twice, from scratch, in two separate folders and checks that
# the two executables are byte-identical (no time stamps, no build paths inside).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."
jobs=$(nproc)
for side in a b; do
  dir="build/repro-$side"
  rm -rf "$dir"
  echo "== build $side ($dir)"
  cmake --preset native -B "$dir/native" >/dev/null
  cmake --build "$dir/native" -j "$jobs" >/dev/null
  cmake --preset win -B "$dir/win" -DHV_HOST_TOOLS="$PWD/$dir/native/bin" -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$dir/win" -j "$jobs" --target HalvoraPluginInstaller sfpack >/dev/null
done
status=0
for exe in HalvoraPluginInstaller.exe sfpack.exe; do
  a="build/repro-a/win/bin/$exe"; b="build/repro-b/win/bin/$exe"
  if cmp -s "$a" "$b"; then
    echo "repro: $exe identical ($(stat -c %s "$a") bytes, sha256 $(sha256sum "$a" | cut -c1-16))"
  else
    echo "repro: $exe DIFFERS: $(cmp "$a" "$b" | head -n 1)"
    status=1
  fi
done
exit $status
