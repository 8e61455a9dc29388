#!/usr/bin/env bash
# Installs everything the builds need (native, 32- and 64-bit Windows, fuzz) from
# Debian's packages, on Debian 12 (bookworm) and Debian 13 (trixie): Wine's 32-bit
# part installs even where it cannot run. Idempotent: a machine that already has every
# package only checks.
set -euo pipefail

# The same names on both releases: clang-format-19 is in Debian 12's point releases
# and in Debian 13, and libclang-rt-dev names the sanitizer and libFuzzer runtimes of
# each release's default clang (14 or 19).
packages=(
  build-essential cmake ninja-build git
  g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686 libz-mingw-w64-dev
  g++-mingw-w64-x86-64 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine32 wine64 xvfb xauth fonts-wine fonts-liberation2
  googletest libgtest-dev libbenchmark-dev liblz4-dev
  clang libclang-rt-dev clang-format-19
  osslsigncode openssl
  zip
)

# The one place where the releases may part: a package that one of them names
# otherwise is added here by VERSION_CODENAME (none is today). Another release may
# work with the common list; the install below names whatever it lacks.
codename=$( (. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}") || true)
case "$codename" in
  bookworm | trixie) ;;
  *) echo "bootstrap: ${codename:-this system} is neither Debian 12 (bookworm) nor 13 (trixie);" \
    "trying the packages both have" >&2 ;;
esac

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
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
# Each package the lists of this release lack is named, with the release, before apt
# would stop on the first one with a bare "Unable to locate package".
unknown=()
for p in "${packages[@]}"; do
  arch_p=$p
  [ "$p" = wine32 ] && arch_p=wine32:i386
  apt-cache show "$arch_p" >/dev/null 2>&1 || unknown+=("$arch_p")
done
if [ ${#unknown[@]} -ne 0 ]; then
  echo "bootstrap: Debian ${codename:-(release unknown)} has no package ${unknown[*]}:" \
    "this project builds on Debian 12 (bookworm) and 13 (trixie) with all their" \
    "current point releases" >&2
  exit 1
fi
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
  "${packages[@]/wine32/wine32:i386}" >/dev/null
