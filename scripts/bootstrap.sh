#!/usr/bin/env bash
# Installs everything the two builds need from Debian's packages. Idempotent:
# a machine that already has every package does nothing but check.
set -euo pipefail

packages=(
  build-essential cmake ninja-build git
  g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686 libz-mingw-w64-dev
  wine wine32 xvfb xauth fonts-wine fonts-liberation2
  googletest libgtest-dev libbenchmark-dev liblz4-dev
  clang libclang-rt-14-dev clang-format
  osslsigncode openssl
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
