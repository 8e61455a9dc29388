#!/usr/bin/env bash
# Signs an installer executable with Authenticode through osslsigncode: a SHA-256
# digest, the product's name and web page in the signature, and an RFC 3161 time
# stamp only when TIMESTAMP_URL is given.
#
#   SIGN_CERT=cert.pem SIGN_KEY=key.pem | SIGN_PKCS12=file.p12   the certificate and key
#   SIGN_PASS_FILE=file      the key's password, on the file's first line (optional)
#   TIMESTAMP_URL=url        a time-stamp server (optional; needs the network)
#   SIGN_TIME=seconds        the signing time written into the signature (Unix time)
#   scripts/sign-installer.sh IN OUT
#   scripts/sign-installer.sh --check      only checks the settings above
#
# Without a time stamp the signature depends only on the key, the executable and
# SIGN_TIME: RSA PKCS#1 v1.5 signatures are deterministic, so signing twice gives the
# same bytes. OUT is written under a temporary name and appears only when signed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "sign-installer: $*" >&2; exit 1; }

product=$(sed -n 's/.*VALUE "ProductName", "\(.*\)"$/\1/p' "$here/../resources/installer.rc.in")
product_url=${PRODUCT_URL:-https://www.quillmoor.example/halvora/nikon-plugin}

key_options=()
if [ -n "${SIGN_PKCS12:-}" ]; then
  [ -z "${SIGN_CERT:-}${SIGN_KEY:-}" ] || fail "give SIGN_PKCS12, or SIGN_CERT and SIGN_KEY, not both"
  [ -r "$SIGN_PKCS12" ] || fail "SIGN_PKCS12=$SIGN_PKCS12: cannot read it"
  key_options=(-pkcs12 "$SIGN_PKCS12")
elif [ -n "${SIGN_CERT:-}" ] || [ -n "${SIGN_KEY:-}" ]; then
  [ -n "${SIGN_CERT:-}" ] && [ -n "${SIGN_KEY:-}" ] || fail "SIGN_CERT and SIGN_KEY go together"
  [ -r "$SIGN_CERT" ] || fail "SIGN_CERT=$SIGN_CERT: cannot read it"
  [ -r "$SIGN_KEY" ] || fail "SIGN_KEY=$SIGN_KEY: cannot read it"
  key_options=(-certs "$SIGN_CERT" -key "$SIGN_KEY")
else
  fail "no certificate: give SIGN_CERT and SIGN_KEY (PEM) or SIGN_PKCS12"
fi
if [ -n "${SIGN_PASS_FILE:-}" ]; then
  [ -r "$SIGN_PASS_FILE" ] || fail "SIGN_PASS_FILE=$SIGN_PASS_FILE: cannot read it"
  key_options+=(-readpass "$SIGN_PASS_FILE")
fi
command -v osslsigncode >/dev/null || fail "osslsigncode is missing (scripts/bootstrap.sh installs it)"
[ "${1:-}" = "--check" ] && exit 0

in=${1:?usage: sign-installer.sh IN OUT}
out=${2:?usage: sign-installer.sh IN OUT}
time_options=()
if [ -n "${TIMESTAMP_URL:-}" ]; then
  time_options=(-ts "$TIMESTAMP_URL")
else
  [[ "${SIGN_TIME:-}" =~ ^[0-9]+$ ]] || fail "SIGN_TIME must be the signing time in Unix seconds"
  time_options=(-time "$SIGN_TIME")
fi

temporary="$(dirname "$out")/.$(basename "$out").signing"
rm -f "$temporary"
if ! osslsigncode sign "${key_options[@]}" -h sha256 -n "$product" -i "$product_url" \
    "${time_options[@]}" -in "$in" -out "$temporary" >"$temporary.log" 2>&1; then
  cat "$temporary.log" >&2
  rm -f "$temporary" "$temporary.log"
  fail "signing $in failed"
fi
rm -f "$temporary.log"
mv -f "$temporary" "$out"

# What the signature says (the chain itself is checked by whoever trusts its root).
details=$(osslsigncode verify -in "$out" 2>&1 || true)
signer=$(sed -n 's/^[[:space:]]*Subject: //p' <<<"$details" | head -n 1)
signed_at=$(sed -n 's/^[[:space:]]*Signing time: //p' <<<"$details" | head -n 1)
echo "signed: Authenticode, SHA-256, by $signer, signing time $signed_at," \
  "time stamp ${TIMESTAMP_URL:-none}; \"$product\", $product_url"
