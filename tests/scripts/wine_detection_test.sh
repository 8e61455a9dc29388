#!/usr/bin/env bash
# Which Windows build the scripts start under Wine (scripts/wine-env.sh), with stand-in
# loaders: one that the kernel refuses as it refuses every i386 program on a machine
# without 32-bit support ("Exec format error"), and one that starts.
#
#   wine_detection_test.sh SCRIPTS-FOLDER
set -euo pipefail
scripts=$1
fail() { echo "wine_detection_test: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# An ELF file of no executable type: execve fails with ENOEXEC, whatever the machine.
{ printf '\177ELF\001\001\001\000'; head -c 56 /dev/zero; } >"$work/refused-wine"
printf '#!/bin/sh\necho wine-8.0\n' >"$work/starting-wine"
chmod +x "$work/refused-wine" "$work/starting-wine"

env_of() { # LOADER32 [VAR=VALUE...] -- COMMAND...: runs wine-env.sh with that 32-bit loader
  local loader=$1; shift
  env HV_WINE32_LOADER="$loader" HV_NO_32BIT= "$@"
}

arch=$(env_of "$work/refused-wine" "$scripts/wine-env.sh" arch)
[ "$arch" = win64 ] || fail "a refused 32-bit loader gives $arch, not win64"
line=$(env_of "$work/refused-wine" "$scripts/wine-env.sh" machine)
grep -q "cannot run 32-bit programs" <<<"$line" && grep -q "Exec format error" <<<"$line" ||
  fail "the machine line does not say why: $line"

arch=$(env_of "$work/starting-wine" "$scripts/wine-env.sh" arch)
[ "$arch" = win32 ] || fail "a 32-bit loader that starts gives $arch, not win32"
arch=$(env_of "$work/starting-wine" HV_NO_32BIT=1 "$scripts/wine-env.sh" arch)
[ "$arch" = win64 ] || fail "HV_NO_32BIT=1 gives $arch, not win64"
# The build folder the scripts start follows the answer.
build=$(env_of "$work/refused-wine" "$scripts/wine-env.sh" build)
[ "$build" = build/win64 ] || fail "a refused 32-bit loader starts $build, not build/win64"
build=$(env_of "$work/starting-wine" "$scripts/wine-env.sh" build)
[ "$build" = build/win ] || fail "a 32-bit loader that starts runs $build, not build/win"

# Starting a 32-bit program there ends with what failed and what to do, not a bare code.
if message=$(env_of "$work/refused-wine" "$scripts/wine-run.sh" --arch=win32 prog.exe 2>&1); then
  fail "wine-run.sh started a 32-bit program with a refused loader"
fi
grep -q "Exec format error" <<<"$message" && grep -q "64-bit build" <<<"$message" ||
  fail "wine-run.sh's message does not say what failed and what to do: $message"
if message=$(HV_WINE64_LOADER="$work/missing-wine64" "$scripts/wine-run.sh" --arch=win64 prog.exe 2>&1); then
  fail "wine-run.sh started a program without a 64-bit loader"
fi
grep -q "bootstrap.sh" <<<"$message" || fail "a missing loader does not point at bootstrap.sh: $message"
echo "wine_detection_test: passed"
