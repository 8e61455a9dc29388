#!/usr/bin/env bash
# make release: builds the installer from a payload folder in build folders of its
# own, checks that the executable carries the payload just packed, signs it when a
# certificate is given, and writes SHA256SUMS beside it.
#
#   PAYLOAD=DIR | PAYLOAD=standin
#   [SIGN_CERT=cert.pem SIGN_KEY=key.pem | SIGN_PKCS12=file.p12] [SIGN_PASS_FILE=file]
#   [TIMESTAMP_URL=url] scripts/release.sh
#
# The signing time is SOURCE_DATE_EPOCH when set, else the time of the commit, so
# that the same key, payload and commit give the same bytes (without a time stamp).
# RELEASE_BUILD (default build/release-build) and RELEASE_OUT (default build/release)
# choose the folders; make repro builds two releases this way and compares them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
cd "$root"
fail() { echo "release: $*" >&2; exit 1; }

payload=${PAYLOAD:-}
case "$payload" in
  "")
    fail "name the plugin files: make release PAYLOAD=DIR (PAYLOAD=standin for a test release of stand-ins)" ;;
  standin)
    payload_dir="" ;;
  *)
    [ -d "$payload" ] || fail "PAYLOAD=$payload is not a folder"
    payload_dir=$(cd "$payload" && pwd) ;;
esac

signing=no
if [ -n "${SIGN_CERT:-}${SIGN_KEY:-}${SIGN_PKCS12:-}" ]; then
  "$here/sign-installer.sh" --check  # a wrong setting stops the release before the build
  signing=yes
elif [ -n "${TIMESTAMP_URL:-}${SIGN_PASS_FILE:-}" ]; then
  fail "TIMESTAMP_URL and SIGN_PASS_FILE need a certificate (SIGN_CERT and SIGN_KEY, or SIGN_PKCS12)"
fi
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  sign_time=$SOURCE_DATE_EPOCH
else
  sign_time=$(git log -1 --format=%ct 2>/dev/null) ||
    fail "not in a git checkout: set SOURCE_DATE_EPOCH to the release's time (Unix seconds)"
fi
if [ -n "$(git status --porcelain --untracked-files=no 2>/dev/null)" ]; then
  echo "release: warning: the checkout has uncommitted changes; this release cannot be made again from its commit" >&2
fi

build=${RELEASE_BUILD:-build/release-build}
out=${RELEASE_OUT:-build/release}
mkdir -p "$build" "$out"
build=$(cd "$build" && pwd)
out=$(cd "$out" && pwd)
log="$build/build.log"
jobs=$(nproc)
built() {  # runs one build step, its output in the log, shown when it fails
  if ! "$@" >>"$log" 2>&1; then
    tail -n 40 "$log" >&2
    fail "build step failed ($*); the whole output is in $log"
  fi
}

echo "release: building from ${payload_dir:-the stand-ins} in $build"
: >"$log"
# With the tests configured for stored_description, the reader of executables that
# the shipped-file checks use; only the tools below are built.
built cmake --preset native -B "$build/native" -DBUILD_TESTING=ON
built cmake --build "$build/native" -j "$jobs" --target sfpack payloadgen dfmc picturegen crc32file \
  stored_description
built cmake --preset win -B "$build/win" -DHV_HOST_TOOLS="$build/native/bin" -DBUILD_TESTING=OFF \
  -DHV_PAYLOAD_DIR="$payload_dir"
built cmake --build "$build/win" -j "$jobs" --target HalvoraPluginInstaller
exe="$build/win/bin/HalvoraPluginInstaller.exe"
# HV_RELEASE_NAME (with -standin for the stand-ins) and HV_PAYLOAD_SETS, from the build.
source "$build/win/project-facts.sh"
name=$HV_RELEASE_NAME
"$build/native/bin/stored_description" "$exe" "$build/win/resources/FormServicePack.bin" \
  "$build/win/resources/FormServicePack.crc" || fail "$exe does not carry the description just built"

echo "release: the stored-file sets"
read -ra sets <<<"$HV_PAYLOAD_SETS"
(cd "$build/win/payload" && "$build/native/bin/sfpack" list --summary "${sets[@]/%/.sfp}") | sed 's/^/  /'

rm -f "$out"/HalvoraPluginInstaller-*.exe "$out/SHA256SUMS"
if [ "$signing" = yes ]; then
  SIGN_TIME=$sign_time "$here/sign-installer.sh" "$exe" "$out/$name"
else
  cp "$exe" "$out/.$name.copy"
  mv "$out/.$name.copy" "$out/$name"
  echo "release: UNSIGNED: no certificate given (SIGN_CERT and SIGN_KEY, or SIGN_PKCS12);" \
    "Windows will warn of an unknown publisher"
fi
(cd "$out" && sha256sum "$name" >.SHA256SUMS.new && mv .SHA256SUMS.new SHA256SUMS)
echo "release: $out/$name ($(stat -c %s "$out/$name") bytes)"
echo "release: $out/SHA256SUMS: $(cut -c1-64 "$out/SHA256SUMS") (check with: sha256sum -c SHA256SUMS)"
