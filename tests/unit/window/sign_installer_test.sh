#!/usr/bin/env bash
# The release's signing (scripts/sign-installer.sh) on this build's installer, with
# an authority made for the test: the signature carries SHA-256, the product and
# the signing time, verifies against that authority (PEM and PKCS#12 give the same
# bytes), and one flipped byte makes it fail. The signed copy is left at OUT for
# window_startup_test, which starts it under Wine.
#
#   sign_installer_test.sh SCRIPTS-FOLDER INSTALLER OUT
set -euo pipefail
scripts=$1 installer=$2 out=$3
fail() { echo "sign_installer_test: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$scripts/throwaway-signing-key.sh" "$work/key"
export SIGN_TIME=1700000000  # 2023-11-14 22:13:20 UTC

SIGN_CERT="$work/key/signer.pem" SIGN_KEY="$work/key/signer.key" \
  "$scripts/sign-installer.sh" "$installer" "$work/pem.exe"
SIGN_PKCS12="$work/key/signer.p12" SIGN_PASS_FILE="$work/key/signer.pass" \
  "$scripts/sign-installer.sh" "$installer" "$work/p12.exe"
cmp -s "$work/pem.exe" "$work/p12.exe" || fail "the PEM and the PKCS#12 signature differ"

osslsigncode verify -CAfile "$work/key/ca.pem" -in "$work/pem.exe" >"$work/verify.log" 2>&1 ||
  { cat "$work/verify.log"; fail "the signature does not verify"; }
for expected in "Message digest algorithm  : SHA256" "Signing time: Nov 14 22:13:20 2023 GMT" \
    "Text description: Quillmoor Nikon plugin for Halvora" "URL description: https://"; do
  grep -qF "$expected" "$work/verify.log" || { cat "$work/verify.log"; fail "no \"$expected\""; }
done

cp "$work/pem.exe" "$work/flipped.exe"
middle=$(($(stat -c %s "$work/flipped.exe") / 2))
byte=$(od -An -tu1 -j "$middle" -N 1 "$work/flipped.exe" | tr -d ' ')
printf "\\$(printf %o $((byte ^ 1)))" | dd of="$work/flipped.exe" bs=1 seek="$middle" conv=notrunc status=none
if osslsigncode verify -CAfile "$work/key/ca.pem" -in "$work/flipped.exe" >/dev/null 2>&1; then
  fail "a flipped byte at offset $middle still verifies"
fi

mkdir -p "$(dirname "$out")"
cp "$work/pem.exe" "$out"
echo "sign_installer_test: signed, verified, a flipped byte refused; $out"
