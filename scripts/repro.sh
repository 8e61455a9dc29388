#!/usr/bin/env bash
# make repro: builds the signed release twice, from scratch, in two separate folders
# (scripts/release.sh, one throwaway key, the commit's time as signing time) and
# checks that the two signed executables, their SHA256SUMS and sfpack.exe are
# byte-identical: no time stamps, no build paths, no randomness inside.
#
# Then, on the first folder, it proves that a changed payload reaches the
# executable: one byte of one stand-in file is changed, the release is built again
# from that folder incrementally, and it must carry the new description and CRC-32
# (release.sh checks that with stored_description, a native reader of executables).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."
jobs=$(nproc)
key=build/repro-key
rm -rf "$key"
"$here/throwaway-signing-key.sh" "$key"
export SIGN_CERT="$key/signer.pem" SIGN_KEY="$key/signer.key"

for side in a b; do
  dir="build/repro-$side"
  rm -rf "$dir"
  echo "== build $side ($dir)"
  RELEASE_BUILD="$dir" RELEASE_OUT="$dir/release" PAYLOAD=standin "$here/release.sh" >"$dir.log"
  cmake --build "$dir/win" -j "$jobs" --target sfpack >/dev/null
done

status=0
same() {  # same WHAT FILE-A FILE-B
  if cmp -s "$2" "$3"; then
    echo "repro: $1 identical ($(stat -c %s "$2") bytes, sha256 $(sha256sum "$2" | cut -c1-16))"
  else
    echo "repro: $1 DIFFERS: $(cmp "$2" "$3" | head -n 1)"
    status=1
  fi
}
release=$(source build/repro-a/win/project-facts.sh && echo "$HV_RELEASE_NAME")
same "$release (signed)" "build/repro-a/release/$release" "build/repro-b/release/$release"
same SHA256SUMS build/repro-a/release/SHA256SUMS build/repro-b/release/SHA256SUMS
same sfpack.exe build/repro-a/win/bin/sfpack.exe build/repro-b/win/bin/sfpack.exe
if osslsigncode verify -CAfile "$key/ca.pem" -in "build/repro-a/release/$release" >/dev/null 2>&1; then
  echo "repro: the signature verifies with the throwaway authority"
else
  echo "repro: the signature DOES NOT VERIFY"
  status=1
fi

echo "== one payload byte changed, built again incrementally in build/repro-a"
changed=build/repro-a/changed-payload
rm -rf "$changed"
cp -r build/repro-a/win/payload/standin "$changed"
file="$changed/FileStoOther/nikon-readme.htm"
printf 'X' | dd of="$file" bs=1 seek=$(($(stat -c %s "$file") / 2)) conv=notrunc status=none
before=$(sha256sum <build/repro-a/win/resources/FormServicePack.bin)
started=$(date +%s)
if RELEASE_BUILD=build/repro-a RELEASE_OUT=build/repro-a/release-changed PAYLOAD="$changed" \
    "$here/release.sh" >build/repro-a-changed.log 2>&1 &&
    [ "$(sha256sum <build/repro-a/win/resources/FormServicePack.bin)" != "$before" ]; then
  echo "repro: the executable carries the changed payload ($(($(date +%s) - started)) s to build again)"
else
  echo "repro: the executable DOES NOT carry the changed payload:"
  grep -E '^(release|stored-description):' build/repro-a-changed.log | sed 's/^/  /'
  status=1
fi
exit $status
