#!/usr/bin/env bash
# Installs everything the builds need (native, 32- and 64-bit Windows, fuzz) from
# Debian's packages, on every machine: Wine's 32-bit part installs even where it
# cannot run. Idempotent: a machine that already has every package only checks.
set -euo pipefail

packages=(
  build-essential cmake ninja-build git
  g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686 libz-mingw-w64-dev
  g++-mingw-w64-x86-64 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine32 wine64 xvfb xauth fonts-wine fonts-liberation2
  googletest libgtest-dev libbenchmark-dev liblz4-dev
  clang libclang-rt-14-dev clang-format
  osslsigncode openssl
  zip
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  missing+=(wine32)
fi
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "bootstrap: installing ${missing[*]}"
$SUDO dpkg --add-architecture i386
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
  "${packages[@]/wine32/wine32:i386}" >/dev/null
